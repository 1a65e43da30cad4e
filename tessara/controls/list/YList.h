// Owner-drawn single-selection list: zebra rows, hover highlight, a marquee
// that scrolls a hovered text too wide for its row, and an embedded
// vertical scroll bar shown only when the rows overflow. Its height is
// always a whole number of rows. Content changes are laid out once, 100 ms
// after the last change of a burst.
//
//   auto& list = form.AddControl<tessara::YList>(L"YList1", 0, 0, 2400, 1500, &bag);
//   list.AddItem(L"甲");
//   list.Click.connect([&] { use(list.List(list.ListIndex())); });
#pragma once
#include "tessara/controls/list/ListModel.h"
#include "tessara/controls/scroll/YVScroll.h"
#include "tessara/kit/ControlSkeleton.h"

#include "host/Event.h"
#include "host/Timer.h"

namespace tessara {

class YList : public kit::ControlSkeleton {
public:
    YList();
    ~YList() override;

    // ---- items -----------------------------------------------------------
    void AddItem(std::wstring_view text);  // ignored at 1,000,000 items
    void RemoveItem(int index);       // ignored outside the list
    void Clear();
    int ListCount() const { return model_.ListCount(); }
    // The item's text, or an empty string outside the list.
    std::wstring List(int index) const { return std::wstring(model_.List(index)); }

    // ---- properties --------------------------------------------------------
    // Run time only. Accepted when not lower than the font's height.
    void SetItemHeight(int v);
    // Applies the font; a font taller than the rows raises the row height,
    // with a notice.
    void SetFont(const host::Font& f);
    // The same without the notice, for a font read with the properties of
    // a form that loads (the list's own, or its combo box's).
    void LoadFont(const host::Font& f);
    int ScrollMode() const { return model_.ScrollMode(); }
    void SetScrollMode(int v);  // 0, 1 or 2
    bool IsReal() const { return isReal_; }
    void SetIsReal(bool v) { isReal_ = v; }
    int ListIndex() const { return model_.ListIndex(); }
    void SetListIndex(int v);   // run time only; -1 or an item; raises nothing
    // Run time only, > 0: below 4 becomes 4 when there are more items.
    void SetPageCount(int v);
    HWND hwnd() const { return hWnd(); }
    // Shows `rows` rows (fewer when there are fewer items) and lays out now.
    void InitListHeight(int rows);

    // ---- events ------------------------------------------------------------
    host::Event<> Click;    // an item was pressed with the left button
    host::Event<> DBClick;  // a left double click anywhere in the list

    // ---- for tests and the combo box ----------------------------------------
    const ListModel& Model() const { return model_; }
    YVScroll& ScrollBar() const { return *YVScroll1; }
    bool ScrollBarShown() const;
    bool MarqueeRunning() const { return tmrDis.Enabled(); }

protected:
    void Initialize() override;
    void ReadStored(const host::PropertyBag& bag) override;
    void WriteProperties(host::PropertyBag& bag) override;
    void Resize() override;
    void PaintTo(HDC dc, int width, int height) override;
    void Teardown() override;
    // The layout of a burst of content changes, 100 ms after the last one.
    void RunLayout() override;

    void OnLButtonDown(int x, int y) override;
    void OnLButtonDblClk(int, int) override { DBClick.raise(); }
    void OnMouseWheel(WPARAM wParam) override;
    void OnMouseMove(int x, int y) override;
    void OnMouseLeave() override;

private:
    void OnMarqueeTick();
    bool Overflows(int index);

    ListModel model_;
    YVScroll* YVScroll1 = nullptr;
    host::Timer tmrDis{100, false};  // marquee
    bool isReal_ = true;             // repaint live while the thumb is dragged
    // Repaints on the bar's Change: live during a drag when IsReal, and once
    // the drag ends.
    kit::DragRepaint scrolled_{[this] { Invalidate(); }, [this] { return YVScroll1->IsGlideDown(); },
                               kit::kMouseMoveInterval, true};
};

} // namespace tessara
