// The list view without a window: its columns and items, the four display
// modes' layouts, the hit test and the mouse handling with its column drag,
// and every piece of view state (focus, hover, pending scroll, the drag).
// YListView feeds it messages; what the model asks for in the middle of an
// input (a layout's plans for the scroll bars, a repaint, the cursor,
// events, the layout timer) goes through its ListViewPlatform.
// No Windows header.
#pragma once
#include "tessara/controls/listview/ListViewStore.h"
#include "tessara/controls/scroll/ScrollArithmetic.h"

#include <cstdint>
#include <string>

namespace tessara {

// Display modes.
constexpr std::int32_t kModeReport = 0;
constexpr std::int32_t kModeSmallIcons = 1;
constexpr std::int32_t kModeBigIcons = 2;
constexpr std::int32_t kModeList = 3;

constexpr std::int32_t kSmallCellWidth = 82;  // mode 1 grid cell
constexpr std::int32_t kBigCellWidth = 66;    // mode 2 grid cell
constexpr std::int32_t kMinColumnWidth = 20;  // a dragged column stops here
constexpr std::int32_t kDividerReach = 7;     // pixels either side of a column's right edge

enum class ListCursor { Default, SizeWE };

// The two embedded scroll bars, and what the model reads of one.
enum class ListBar { Vertical, Horizontal };
struct ListBarState {
    bool visible = false;
    std::int32_t value = 0;
    std::int32_t maxV = 0;
};

// The window side of the list view.
class ListViewPlatform {
public:
    virtual ~ListViewPlatform() = default;
    virtual std::int32_t ScaleWidth() const = 0;
    virtual std::int32_t ScaleHeight() const = 0;
    // Sets the control's client height (the layout snaps it to whole rows).
    virtual void SetScaleHeight(std::int32_t pixels) = 0;
    // tmHeight of the control's current font.
    virtual std::int32_t TextHeight() const = 0;
    virtual ListBarState Bar(ListBar bar) const = 0;
    // Carries out a layout's plan for a bar. The list view's plans set the
    // value, then the maximum, each as the bar's own setters accept it
    // (BarPlan::limitValue false).
    virtual void ApplyBar(ListBar bar, const BarPlan& plan) = 0;
    // A new value for a bar, as its setter accepts it (the wheel).
    virtual void ScrollBarTo(ListBar bar, std::int32_t value) = 0;
    virtual void Invalidate() = 0;
    virtual void SetCursor(ListCursor cursor) = 0;
    virtual void HeaderClicked(std::int32_t column) = 0;
    virtual void ItemClicked(std::int32_t item) = 0;
    // The deferred layout: restart = a burst goes on (layout 100 ms after the
    // last call); start = make sure a layout follows, without postponing one
    // already due; stop = the layout ran.
    virtual void RestartLayoutTimer() = 0;
    virtual void StartLayoutTimer() = 0;
    virtual void StopLayoutTimer() = 0;
};

struct ListHeights {
    std::int32_t header = 0;  // hh, 0 outside the report
    std::int32_t row = 0;     // rh
};

// What lies under a point; -1 for none.
struct ListHit {
    std::int32_t header = -1;
    std::int32_t item = -1;
    std::int32_t divider = -1;  // column whose right edge is within reach
    bool operator==(const ListHit& o) const
    {
        return header == o.header && item == o.item && divider == o.divider;
    }
};

class ListViewModel {
public:
    explicit ListViewModel(ListViewPlatform& platform) : site_(platform) {}

    const ListViewStore& Store() const { return store_; }
    std::int32_t HeaderCount() const { return store_.HeaderCount(); }
    std::int32_t ItemCount() const { return store_.ItemCount(); }

    // --- properties ----------------------------------------------------
    std::int32_t DisMode() const { return disMode_; }
    // Any value is kept; outside 0..3 the control shows an empty frame.
    // Hides both bars, resets their values, focus and hover, lays out now.
    void SetDisMode(std::int32_t mode);
    bool IsTextMode() const { return isTextMode_; }
    void SetIsTextMode(bool on) { isTextMode_ = on; }  // used from the next layout and paint
    std::int32_t FocusIndex() const { return focusIndex_; }

    // --- data ----------------------------------------------------------
    // Bad indexes throw std::out_of_range.
    const std::wstring& HeaderItem(std::int32_t index) const { return store_.Header(index).text; }
    const std::wstring& ListItem(std::int32_t index) const { return store_.Item(index).text; }
    // The report's sub-item text; "" in the other modes.
    std::wstring SubItem(std::int32_t item, std::int32_t sub) const;
    void AddHeaderItem(std::wstring text, std::int32_t width, host::PictureRef smallIcon, host::PictureRef bigIcon);
    void AddListItem(std::wstring text, host::PictureRef smallIcon, host::PictureRef bigIcon);
    void AddListSubItem(std::int32_t item, std::wstring text, host::PictureRef smallIcon,
                        host::PictureRef bigIcon = nullptr);
    void RemoveListItem(std::int32_t index);
    void Clear();

    // --- layout --------------------------------------------------------
    ListHeights RowHeights(std::int32_t textHeight) const;
    ListHeights RowHeights() const { return RowHeights(site_.TextHeight()); }
    // The tmrInit handler: places and sizes the scroll bars for the mode.
    void Relayout();

    // --- input ---------------------------------------------------------
    ListHit HitTest(std::int32_t x, std::int32_t y) const;
    void MouseMove(std::int32_t x, std::int32_t y);   // already throttled
    void ButtonDown(std::int32_t x, std::int32_t y);  // left button down or double click
    void ButtonUp() { resizing_ = false; }
    void MouseLeave();
    void Wheel(std::int32_t delta);

    // --- state, read only ----------------------------------------------
    std::int32_t HoverHeader() const { return hoverHeader_; }
    std::int32_t HoverItem() const { return hoverItem_; }
    std::int32_t PageRows() const { return pageRows_; }
    std::int32_t GridColumns() const { return gridColumns_; }
    std::int32_t GridVisibleRows() const { return gridVisibleRows_; }
    std::int32_t GridRows() const { return gridRows_; }
    std::int32_t PendingVScroll() const { return pendingV_; }
    std::int32_t PendingHScroll() const { return pendingH_; }
    bool Resizing() const { return resizing_; }
    std::int32_t DragColumn() const { return dragColumn_; }

private:
    void LayoutReport(const ListHeights& h);
    void LayoutGrid(const ListHeights& h, std::int32_t cellWidth);
    void LayoutList(const ListHeights& h);
    // A bar shown at `place` over `shown` of `total` (rows for the
    // vertical bar, pixels for the horizontal one), with its pending scroll.
    BarPlan ShowBar(ListBar bar, const Rect& place, std::int32_t track, std::int32_t shown, std::int64_t total);
    // The vertical bar at the right edge, or hidden with value 0.
    void PlaceVBar(bool show, std::int32_t W, std::int32_t H, std::int32_t track, std::int32_t shown,
                   std::int32_t total);
    void HideBothBars();
    // Both bars hidden at 0, no hover, focus on item 0.
    void ResetView();
    void DragTo(std::int32_t x);

    ListViewPlatform& site_;
    ListViewStore store_;
    std::int32_t disMode_ = kModeReport;
    bool isTextMode_ = false;      // report rows ignore item icons for their height
    std::int32_t focusIndex_ = 0;  // 0 also before any click: the first item shows focused
    std::int32_t hoverHeader_ = -1;
    std::int32_t hoverItem_ = -1;
    std::int32_t pageRows_ = 0;    // rows that fit (report and list)
    std::int32_t gridColumns_ = 0; // cells per grid row
    std::int32_t gridVisibleRows_ = 0;
    std::int32_t gridRows_ = 0;    // grid rows needed
    std::int32_t pendingV_ = 0;    // rows to add to the vertical value at the next layout
    std::int32_t pendingH_ = 0;    // pixels to add to the horizontal value
    bool resizing_ = false;        // a column divider is being dragged
    std::int32_t dragStartX_ = 0;
    std::int32_t dragStartWidth_ = 0;
    std::int32_t dragColumn_ = -1;
};

} // namespace tessara
