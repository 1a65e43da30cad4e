#include "tessara/controls/listview/ListViewModel.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace tessara {

namespace {

std::int32_t Clamp32(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                               std::numeric_limits<std::int32_t>::max()));
}

// Rows of height rh needed to cover d pixels, a partial row counting whole.
std::int32_t RowsCovering(std::int32_t d, std::int32_t rh)
{
    return d / rh + (d % rh != 0 ? 1 : 0);
}

} // namespace

// --- properties ------------------------------------------------------------

void ListViewModel::SetDisMode(std::int32_t mode)
{
    disMode_ = mode;
    ResetView();
    Relayout();
}

void ListViewModel::HideBothBars()
{
    site_.ApplyBar(ListBar::Vertical, BarPlan());
    site_.ApplyBar(ListBar::Horizontal, BarPlan());
}

void ListViewModel::ResetView()
{
    HideBothBars();
    hoverHeader_ = -1;
    hoverItem_ = -1;
    focusIndex_ = 0;
}

// --- data ------------------------------------------------------------------

std::wstring ListViewModel::SubItem(std::int32_t item, std::int32_t sub) const
{
    if (disMode_ != kModeReport)
        return std::wstring();
    const auto& subs = store_.Item(item).subItems;
    if (sub < 0 || static_cast<std::size_t>(sub) >= subs.size())
        throw std::out_of_range("list view sub-item index " + std::to_string(sub) + " out of range");
    return subs[static_cast<std::size_t>(sub)].text;
}

void ListViewModel::AddHeaderItem(std::wstring text, std::int32_t width, host::PictureRef smallIcon,
                                  host::PictureRef bigIcon)
{
    store_.AddHeader(std::move(text), width, std::move(smallIcon), std::move(bigIcon));
    site_.RestartLayoutTimer();
}

void ListViewModel::AddListItem(std::wstring text, host::PictureRef smallIcon, host::PictureRef bigIcon)
{
    store_.AddItem(std::move(text), std::move(smallIcon), std::move(bigIcon));
    site_.RestartLayoutTimer();
}

void ListViewModel::AddListSubItem(std::int32_t item, std::wstring text, host::PictureRef smallIcon,
                                   host::PictureRef bigIcon)
{
    store_.AddSubItem(item, std::move(text), std::move(smallIcon), std::move(bigIcon));
    site_.RestartLayoutTimer();
}

void ListViewModel::RemoveListItem(std::int32_t index)
{
    if (!store_.RemoveItem(index))
        return;
    if (store_.ItemCount() == 0) {
        site_.StartLayoutTimer();
        return;
    }
    // The view moves up one row with the list, never past the top.
    const ListBarState vb = site_.Bar(ListBar::Vertical);
    if (vb.visible)
        pendingV_ = std::max(pendingV_ - 1, -vb.value);
    site_.RestartLayoutTimer();
}

void ListViewModel::Clear()
{
    store_.Clear();
    ResetView();
    resizing_ = false;  // the dragged column is gone
    // The emptied frame must show without waiting for the next change.
    site_.Invalidate();
}

// --- layout ----------------------------------------------------------------

ListHeights ListViewModel::RowHeights(std::int32_t t) const
{
    t = std::max(t, 0);
    switch (disMode_) {
    case kModeReport:
        return {BandHeight(store_.HeaderBand(), t), BandHeight(isTextMode_ ? IconBand::None : store_.RowBand(), t)};
    case kModeSmallIcons:
    case kModeList:
        return {0, BandHeight(IconBand::Small, t)};
    case kModeBigIcons:
        return {0, t + 28};
    default:
        return {0, t + 6};
    }
}

void ListViewModel::Relayout()
{
    site_.StopLayoutTimer();
    const ListHeights h = RowHeights();
    switch (disMode_) {
    case kModeReport:
        LayoutReport(h);
        break;
    case kModeSmallIcons:
        LayoutGrid(h, kSmallCellWidth);
        break;
    case kModeBigIcons:
        LayoutGrid(h, kBigCellWidth);
        break;
    case kModeList:
        LayoutList(h);
        break;
    default:
        break;
    }
    // Also when there was nothing to lay out: the last item or column may
    // just have gone, and its pixels must not stay on screen.
    site_.Invalidate();
}

BarPlan ListViewModel::ShowBar(ListBar bar, const Rect& place, std::int32_t track, std::int32_t shown,
                               std::int64_t total)
{
    // The scroll owed by removals since the last layout is added once.
    std::int32_t& pending = bar == ListBar::Vertical ? pendingV_ : pendingH_;
    BarPlan p;
    p.visible = true;
    p.place = place;
    p.thumb = ThumbLength(track, shown, total);
    p.value = Clamp32(static_cast<std::int64_t>(site_.Bar(bar).value) + pending);
    p.maxV = Clamp32(total - shown);
    p.limitValue = false;
    pending = 0;
    return p;
}

void ListViewModel::PlaceVBar(bool show, std::int32_t W, std::int32_t H, std::int32_t track, std::int32_t shown,
                              std::int32_t total)
{
    site_.ApplyBar(ListBar::Vertical, show ? ShowBar(ListBar::Vertical, SizedRect(W - 20, 2, 18, H - 4), track, shown, total) : BarPlan());
}

void ListViewModel::LayoutReport(const ListHeights& h)
{
    if (store_.HeaderCount() == 0)
        return;
    const std::int32_t W = site_.ScaleWidth();
    const std::int32_t V = W - 21;  // width left to the cells beside the vertical bar
    pageRows_ = RowsCovering(site_.ScaleHeight() - 4 - h.header, h.row);
    // Every layout snaps the control to whole rows; the bars go to the
    // snapped bottom edge.
    site_.SetScaleHeight(h.row * pageRows_ + h.header + 4);
    const std::int32_t H = site_.ScaleHeight();
    const std::int64_t C = store_.ContentWidth();
    const std::int32_t n = store_.ItemCount();

    if (C > V && n >= pageRows_) {
        pageRows_ -= 1;  // the horizontal bar covers the last row
        site_.ApplyBar(ListBar::Vertical, ShowBar(ListBar::Vertical, SizedRect(W - 20, 2, 18, H - 23), H - 59, pageRows_, n));
        site_.ApplyBar(ListBar::Horizontal, ShowBar(ListBar::Horizontal, SizedRect(2, H - 20, W - 23, 18), W - 59, V, C));
    } else if (C > V) {
        site_.ApplyBar(ListBar::Horizontal, ShowBar(ListBar::Horizontal, SizedRect(2, H - 20, W - 4, 18), W - 40, V, C));
        site_.ApplyBar(ListBar::Vertical, BarPlan());
    } else if (pageRows_ >= n) {
        HideBothBars();
    } else {
        PlaceVBar(true, W, H, H - 40, pageRows_, n);
        site_.ApplyBar(ListBar::Horizontal, BarPlan());
    }
}

void ListViewModel::LayoutGrid(const ListHeights& h, std::int32_t cellWidth)
{
    const std::int32_t n = store_.ItemCount();
    if (n == 0)
        return;
    const std::int32_t W = site_.ScaleWidth();
    const std::int32_t H = site_.ScaleHeight();
    // A control narrower or lower than one cell has no cells at all.
    gridColumns_ = std::max((W - 4) / cellWidth, 0);
    gridVisibleRows_ = std::max((H - 4) / (h.row + 2), 0);
    gridRows_ = gridColumns_ > 0 ? (n + gridColumns_ - 1) / gridColumns_ : 0;
    PlaceVBar(gridVisibleRows_ < gridRows_, W, H, H - 59, gridVisibleRows_, gridRows_);
}

void ListViewModel::LayoutList(const ListHeights& h)
{
    const std::int32_t n = store_.ItemCount();
    if (n == 0)
        return;
    pageRows_ = RowsCovering(site_.ScaleHeight() - 4, h.row);
    site_.SetScaleHeight(h.row * pageRows_ + 4);  // whole rows, as in the report
    const std::int32_t H = site_.ScaleHeight();
    PlaceVBar(pageRows_ < n, site_.ScaleWidth(), H, H - 40, pageRows_, n);
}

// --- hit test and input ----------------------------------------------------

ListHit ListViewModel::HitTest(std::int32_t x, std::int32_t y) const
{
    ListHit hit;
    const std::int32_t W = site_.ScaleWidth();
    const std::int32_t H = site_.ScaleHeight();
    if (x < 3 || x >= W - 2 || y < 3 || y >= H - 2)
        return hit;
    const std::int32_t n = store_.ItemCount();
    switch (disMode_) {
    case kModeReport: {
        if (store_.HeaderCount() == 0)
            return hit;
        const ListHeights h = RowHeights();
        if (y < h.header + 2) {  // the header zone (y > 2 holds already)
            std::int64_t left = 2 - static_cast<std::int64_t>(site_.Bar(ListBar::Horizontal).value);
            for (std::int32_t j = 0; j < store_.HeaderCount(); ++j) {
                const std::int64_t right = left + store_.Header(j).width;
                if (hit.divider < 0 && right - kDividerReach < x && x < right + kDividerReach)
                    hit.divider = j;
                if (left < x && x < right) {
                    hit.header = j;
                    break;
                }
                left = right;
            }
        } else if (n > 0) {
            const std::int64_t item = site_.Bar(ListBar::Vertical).value + (y - h.header - 2) / h.row;
            hit.item = item < n ? static_cast<std::int32_t>(item) : -1;
        }
        return hit;
    }
    case kModeSmallIcons:
    case kModeBigIcons: {
        if (n == 0 || gridColumns_ == 0)
            return hit;
        const std::int32_t w = disMode_ == kModeSmallIcons ? kSmallCellWidth : kBigCellWidth;
        const std::int32_t pitch = RowHeights().row + 2;
        const std::int32_t r = (y - 2) / pitch;
        const std::int32_t inRow = (y - 2) % pitch;
        const std::int32_t c = x / w;
        const std::int32_t inCell = x % w;
        // Strictly inside a cell: the 2-pixel gaps between cells hit nothing.
        if (r >= gridVisibleRows_ || inRow <= 0 || inRow >= pitch - 2 || c >= gridColumns_ || inCell <= 2)
            return hit;
        const std::int64_t item =
            (static_cast<std::int64_t>(site_.Bar(ListBar::Vertical).value) + r) * gridColumns_ + c;
        hit.item = item < n ? static_cast<std::int32_t>(item) : -1;
        return hit;
    }
    case kModeList: {
        if (n == 0)
            return hit;
        const std::int64_t item = site_.Bar(ListBar::Vertical).value + (y - 2) / RowHeights().row;
        hit.item = item < n ? static_cast<std::int32_t>(item) : -1;
        return hit;
    }
    default:
        return hit;
    }
}

void ListViewModel::DragTo(std::int32_t x)
{
    const std::int64_t before = store_.ContentWidth();
    const std::int64_t width = static_cast<std::int64_t>(x) - dragStartX_ + dragStartWidth_;
    store_.SetHeaderWidth(dragColumn_, Clamp32(std::max<std::int64_t>(width, kMinColumnWidth)));
    const std::int64_t after = store_.ContentWidth();
    // Scrolled right, a shrinking table pulls the view back by the shrinkage,
    // never past the left edge.
    if (after < before)
        pendingH_ = -Clamp32(std::min<std::int64_t>(site_.Bar(ListBar::Horizontal).value, before - after));
    Relayout();
}

void ListViewModel::MouseMove(std::int32_t x, std::int32_t y)
{
    if (x > 60000)  // a negative x arrives as its unsigned 16-bit word
        x -= 65536;
    const ListHit hit = HitTest(x, y);
    if (disMode_ == kModeReport) {
        if (resizing_ && (dragColumn_ < 0 || dragColumn_ >= store_.HeaderCount()))
            resizing_ = false;
        if (resizing_) {
            site_.SetCursor(ListCursor::SizeWE);
            DragTo(x);
        } else {
            site_.SetCursor(hit.divider >= 0 ? ListCursor::SizeWE : ListCursor::Default);
        }
        if (hit.header != hoverHeader_ || hit.item != hoverItem_) {
            hoverHeader_ = hit.header;
            hoverItem_ = hit.item;
            site_.Invalidate();
        }
    } else if (disMode_ >= kModeSmallIcons && disMode_ <= kModeList) {
        if (hit.item != hoverItem_) {
            hoverItem_ = hit.item;
            site_.Invalidate();
        }
    }
}

void ListViewModel::ButtonDown(std::int32_t x, std::int32_t y)
{
    const ListHit hit = HitTest(x, y);
    if (disMode_ == kModeReport) {
        if (hit.divider >= 0) {
            resizing_ = true;
            dragStartX_ = x;
            dragStartWidth_ = store_.Header(hit.divider).width;
            dragColumn_ = hit.divider;
        } else if (hit.header >= 0) {
            site_.HeaderClicked(hit.header);
        } else if (hit.item >= 0) {
            focusIndex_ = hit.item;
            site_.ItemClicked(hit.item);
        }
    } else if (disMode_ >= kModeSmallIcons && disMode_ <= kModeList) {
        if (hit.item >= 0) {
            focusIndex_ = hit.item;
            site_.ItemClicked(hit.item);
        }
    }
    site_.Invalidate();
}

void ListViewModel::MouseLeave()
{
    hoverHeader_ = -1;
    hoverItem_ = -1;
    resizing_ = false;
    site_.Invalidate();
}

void ListViewModel::Wheel(std::int32_t delta)
{
    const ListBarState vb = site_.Bar(ListBar::Vertical);
    if (!vb.visible)
        return;
    site_.ScrollBarTo(ListBar::Vertical, WheelTarget(vb.value, vb.maxV, delta));
}

} // namespace tessara
