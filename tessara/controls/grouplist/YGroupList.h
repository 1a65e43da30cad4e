// Owner-drawn list of items sorted into named groups. Each group shows as a
// header row (name, item count, arrow glyph) that folds and unfolds its
// items on a click; an embedded YVScroll scrolls the rows, and a hovered
// item whose text is too wide scrolls sideways (ScrollMode 0, 1 or 2).
#pragma once
#include "tessara/controls/grouplist/GroupListModel.h"
#include "tessara/controls/scroll/YVScroll.h"
#include "tessara/kit/ControlSkeleton.h"

#include "host/Event.h"
#include "host/Timer.h"

#include <string>

namespace tessara {

class YGroupList : public kit::ControlSkeleton {
public:
    YGroupList();
    ~YGroupList() override;

    // ---- methods ----------------------------------------------------------
    // A new group starts folded and empty; it shows after the next relayout.
    void AddGroup(const std::wstring& groupName);
    // Ignored for an unknown group or one that holds 1000 items.
    void AddItem(int groupIndex, const std::wstring& item);
    void RemoveItem(int groupIndex, int itemIndex);
    // "" / 0 for indexes out of range.
    std::wstring GetList(int groupIndex, int itemIndex) const;
    int GetListCount(int groupIndex) const;
    void Spread(int groupIndex, bool value);
    void RemoveGroup(int groupIndex);

    // ---- properties ---------------------------------------------------------
    int ScrollMode() const { return model_.ScrollMode(); }
    void SetScrollMode(int mode) { model_.SetScrollMode(mode); }  // 0, 1 or 2; other values are ignored
    // A font taller than the rows makes the rows taller, with a notice.
    void SetFont(const host::Font& font);
    void SetBackColor(host::Colour c);
    void SetForeColor(host::Colour c);
    // Run time only; values below the font's text height are ignored.
    void SetItemHeight(int v);
    int ItemHeight() const { return model_.ItemHeight(); }

    // ---- events -------------------------------------------------------------
    host::Event<const std::wstring&> Click;    // button down on an item row, and on a double-click
    host::Event<const std::wstring&> DBClick;  // a double-click on an item row, after Click

    // ---- the view's state and parts -------------------------------------------
    const GroupListModel& Model() const { return model_; }
    YVScroll& VScroll() const { return *YVScroll1; }
    bool Marqueeing() const { return tmrDis.Enabled(); }

    static constexpr host::Colour kHeaderHoverColor = 0x00FFD6B3;
    static constexpr host::Colour kHeaderColor = 0x00FFFFFF;
    static constexpr host::Colour kItemHoverColor = 0x00FFD6B3;
    static constexpr host::Colour kItemColorA = 0x00FFF7F3;
    static constexpr host::Colour kItemColorB = 0x00FFFFFF;
    static constexpr host::Colour kBorderColor = 0x00D2D2D2;

protected:
    void Initialize() override;
    void ReadStored(const host::PropertyBag& bag) override;
    void WriteProperties(host::PropertyBag& bag) override;
    void Resize() override;
    void PaintTo(HDC dc, int width, int height) override;
    void Teardown() override;
    void RunLayout() override;

    void OnMouseMove(int x, int y) override;
    void OnMouseLeave() override;
    void OnLButtonDown(int x, int y) override { OnPress(x, y, false); }
    void OnLButtonDblClk(int x, int y) override { OnPress(x, y, true); }
    void OnMouseWheel(WPARAM wParam) override;

private:
    GroupView View() const;
    void ApplyItemHeight(int v);
    void PlaceScrollBar();
    void OnPress(int x, int y, bool doubleClick);
    void OnMarqueeTick();

    GroupListModel model_;
    YVScroll* YVScroll1 = nullptr;
    host::Timer tmrDis{100, false};
    // During a thumb drag the rows follow at most every 30 ms.
    kit::DragRepaint scrolled_{[this] { Invalidate(); }, [this] { return YVScroll1->IsGlideDown(); },
                               kit::kMouseMoveInterval, false};
};

} // namespace tessara
