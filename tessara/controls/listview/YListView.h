// Owner-drawn list view with four display modes (DisMode): 0 a report with
// a header row of resizable columns and sub-items, 1 a grid of small-icon
// cells, 2 a grid of big-icon cells, 3 a single column of small-icon rows.
// Embeds YVScroll1 (rows) and YHScroll1 (pixels, report only). Additions are
// laid out once, 100 ms after the last of a burst.
//
//   auto& lv = form.AddControl<tessara::YListView>(L"YListView1", 0, 0, 4695, 3375, &bag);
//   lv.AddHeaderItem(L"名称", 100, nullptr, icon);
//   lv.AddListItem(L"甲", small, big);
//   lv.AddListSubItem(0, L"子项", small);
//   lv.ItemClick.connect([&](std::int32_t i) { use(lv.ListItem(i)); });
#pragma once
#include "tessara/controls/listview/ListViewPaint.h"
#include "tessara/controls/scroll/YHScroll.h"
#include "tessara/controls/scroll/YVScroll.h"
#include "tessara/kit/ControlSkeleton.h"
#include "tessara/kit/IconStamp.h"

#include "host/Event.h"

#include <cstdint>
#include <string>

namespace tessara {

class YListView : public kit::ControlSkeleton {
public:
    YListView();
    ~YListView() override;

    // ---- properties --------------------------------------------------------
    std::int32_t DisMode() const { return model_.DisMode(); }
    // Any value is stored; outside 0..3 the control is an empty frame.
    // Resets focus, hover and both scroll positions and lays out at once.
    void SetDisMode(std::int32_t mode);
    // Heights follow the font at the next layout and paint.
    void SetFont(const host::Font& font);
    bool IsTextMode() const { return model_.IsTextMode(); }
    void SetIsTextMode(bool on) { model_.SetIsTextMode(on); }
    std::int32_t FocusIndex() const { return model_.FocusIndex(); }

    // ---- columns and items ----------------------------------------------------
    // Indexes outside the stored range throw std::out_of_range.
    std::wstring HeaderItem(std::int32_t Index) const { return model_.HeaderItem(Index); }
    std::wstring ListItem(std::int32_t Index) const { return model_.ListItem(Index); }
    // The sub-item's text in the report; "" in the other modes.
    std::wstring SubItem(std::int32_t item, std::int32_t sub) const { return model_.SubItem(item, sub); }
    void AddHeaderItem(std::wstring sText, std::int32_t iWidth, host::PictureRef SmallIcon, host::PictureRef BigIcon);
    void AddListItem(std::wstring sText, host::PictureRef SmallIcon, host::PictureRef BigIcon);
    // Releases all columns and items, hides the bars; repaints.
    void Clear();
    // Ignored outside 0..ListCount-1.
    void RemoveListItem(std::int32_t Index);
    // Throws std::out_of_range for a bad item index, before changing anything.
    void AddListSubItem(std::int32_t Index, std::wstring sSubItem, host::PictureRef SmallIcon,
                        host::PictureRef BigIcon = nullptr);

    // ---- events --------------------------------------------------------------
    host::Event<std::int32_t> HeaderClick;  // a report header column was clicked
    host::Event<std::int32_t> ItemClick;    // an item was clicked (and focused)

    // ---- for tests and benchmarks ----------------------------------------------
    const ListViewModel& Model() const { return model_; }
    YVScroll& VScroll() const { return *YVScroll1; }
    YHScroll& HScroll() const { return *YHScroll1; }

protected:
    void Initialize() override;
    void ReadStored(const host::PropertyBag& bag) override;
    void WriteProperties(host::PropertyBag& bag) override;
    void Resize() override;
    void PaintTo(HDC dc, int width, int height) override;
    // Lets waiting input run between frames of a long burst of repaints.
    void Painted() override;
    // One layout 100 ms after the last change of a burst.
    void RunLayout() override { model_.Relayout(); }

    void OnLButtonDown(int x, int y) override { model_.ButtonDown(x, y); }
    void OnLButtonDblClk(int x, int y) override { model_.ButtonDown(x, y); }
    void OnLButtonUp(int, int) override { model_.ButtonUp(); }
    void OnMouseMove(int x, int y) override;
    void OnMouseLeave() override { model_.MouseLeave(); }
    void OnMouseWheel(WPARAM wParam) override;
    void Teardown() override { icons_.Clear(); }

private:
    // What the model asks of the window: bars, repaint, cursor, events, timer.
    class Site;
    friend class Site;

    void SetPointer(ListCursor cursor);

    std::uint32_t lastPump_ = 0;    // LastPumpTick
    bool scrollBarsPlaced_ = false;
    YVScroll* YVScroll1 = nullptr;
    YHScroll* YHScroll1 = nullptr;
    ListViewColours colours_;
    kit::IconStamps icons_;  // the rows' icons, prepared once per size
    std::unique_ptr<Site> site_;
    ListViewModel model_;
};

} // namespace tessara
