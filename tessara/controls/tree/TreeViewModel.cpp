#include "tessara/controls/tree/TreeViewModel.h"

#include <algorithm>

namespace tessara {

TreeViewModel::Removal TreeViewModel::RemoveItem(std::int32_t index, const TreeScroll& scroll)
{
    const bool inRange = index >= 1 && index < store_.SlotCount();
    if (inRange && !store_.IsUsed(index))
        return Removal::Ignored;  // already free: nothing at all
    if (inRange) {
        // The next layout brings both positions back to 0.
        pendingVScroll_ = -scroll.vValue;
        pendingHScroll_ = -scroll.hValue;
        store_.RemoveItem(index);
        if (!store_.IsUsed(selectedIndex_))
            selectedIndex_ = -1;
        if (!store_.IsUsed(hoverIndex_))
            hoverIndex_ = -1;
    }
    return Removal::LayoutDue;
}

std::optional<TreeStore::Found> TreeViewModel::Find(const std::wstring& item)
{
    TreeStore::Found f;
    if (!store_.Find(item, &f))
        return std::nullopt;
    selectedIndex_ = f.slot;
    return f;
}

std::optional<FirstResizePlan> TreeViewModel::FirstResize(std::int32_t scaleWidth, std::int32_t scaleHeight)
{
    if (pageRows_ != 0)
        return std::nullopt;
    const FirstResizePlan p = PlanFirstResize(scaleWidth, scaleHeight, Geometry().rowPitch);
    pageRows_ = p.pageRows;  // set first: the resize the plan's sizing causes does nothing
    return p;
}

TreeViewModel::BarsPlan TreeViewModel::Relayout(std::int32_t scaleWidth, std::int32_t scaleHeight,
                                                const TreeScroll& scroll)
{
    if (!laidOut_) {
        savedPageRows_ = pageRows_;
        laidOut_ = true;
    }
    TreeLayoutInput in;
    in.scaleWidth = scaleWidth;
    in.scaleHeight = scaleHeight;
    in.rootExpanded = store_.SlotCount() > 0 && store_.Expanded(0);
    in.totalRows = store_.TotalRows();
    in.savedPageRows = savedPageRows_;
    in.pageRows = pageRows_;
    if (in.rootExpanded)
        in.contentWidth = store_.ContentWidth();
    const TreeLayoutPlan p = PlanTreeLayout(in);
    totalRows_ = in.totalRows;  // 1 for a folded root, 0 for an empty tree
    pageRows_ = p.pageRows;

    // A bar's range and value are set together, the value limited to the
    // new range: a fold that also takes the other bar away can leave a range
    // smaller than the value.
    BarsPlan bars;
    if (p.vVisible) {
        bars.v = {true, p.vPlace, p.vGlide, p.vMax, std::int64_t{scroll.vValue} + pendingVScroll_};
        pendingVScroll_ = 0;
    }
    if (p.hVisible) {
        bars.h = {true, p.hPlace, p.hGlide, p.hMax, std::int64_t{scroll.hValue} + pendingHScroll_};
        pendingHScroll_ = 0;
    }
    return bars;
}

PaintView TreeViewModel::View(std::int32_t height, const TreeScroll& scroll) const
{
    PaintView view;
    view.geo = Geometry();
    view.firstRow = scroll.vValue;
    view.x0 = TreeColumns::kMargin - scroll.hValue;
    view.height = height;
    // With the horizontal bar the last row it covers is not walked.
    view.limit = scroll.hVisible ? height - 2 - view.geo.rowPitch : height - 2;
    return view;
}

std::optional<TreeViewModel::NodeBoxes> TreeViewModel::Boxes(std::int32_t slot, const TreeScroll& scroll)
{
    if (!store_.IsUsed(slot))
        return std::nullopt;
    if (slot != 0 && !store_.Expanded(0))
        return std::nullopt;
    const std::int32_t g = store_.WalkRowOf(slot);
    if (g < 0)
        return std::nullopt;
    const RowGeometry geo = Geometry();
    const std::int32_t y = 2 + (g - scroll.vValue) * geo.rowPitch;
    const std::int32_t x = TreeColumns::kMargin - scroll.hValue + TreeColumns::Indent(store_.NodeLevel(slot));
    const std::int32_t tw = store_.TextWidth(slot);
    NodeBoxes b;
    b.box = Rect{x, y + geo.boxTop, x + TreeColumns::kBox, y + geo.boxTop + TreeColumns::kBox};
    b.label = Rect{x + TreeColumns::kLabelLeft, y, x + TreeColumns::LabelRight(tw), y + geo.itemHeight};
    return b;
}

HitResult TreeViewModel::HitTest(std::int32_t x, std::int32_t y, std::int32_t scaleWidth, std::int32_t scaleHeight,
                                 const TreeScroll& scroll)
{
    HitView v;
    v.geo = Geometry();
    v.scaleWidth = scaleWidth;
    v.scaleHeight = scaleHeight;
    v.hBarVisible = scroll.hVisible;
    v.totalRows = totalRows_;
    v.firstRow = scroll.vValue;
    v.x0 = TreeColumns::kMargin - scroll.hValue;
    const HitResult r = HitTestRows(store_, v, x, y);
    glyphHit_ = r.glyph;
    return r;
}

bool TreeViewModel::Hover(std::int32_t x, std::int32_t y, std::int32_t scaleWidth, std::int32_t scaleHeight,
                          const TreeScroll& scroll)
{
    const std::int32_t h = HitTest(x, y, scaleWidth, scaleHeight, scroll).slot;
    if (h == hoverIndex_)
        return false;
    hoverIndex_ = h;
    return true;
}

TreeViewModel::Press TreeViewModel::ButtonDown(std::int32_t x, std::int32_t y, std::int32_t scaleWidth,
                                               std::int32_t scaleHeight, const TreeScroll& scroll)
{
    Press press;
    const std::int32_t h = HitTest(x, y, scaleWidth, scaleHeight, scroll).slot;
    if (h < 0)
        return press;
    if (glyphHit_) {
        const std::int32_t rows = store_.pGetItemCnt(h);
        const std::int32_t w0 = store_.ContentWidth();
        const bool hasChildren = store_.ChildCount(h) > 0;
        if (hasChildren)
            store_.Spread(h, !store_.Expanded(h));
        if (hasChildren && !store_.Expanded(h)) {
            if (scroll.vValue > 0)
                pendingVScroll_ = -std::min(scroll.vValue, rows);
            if (scroll.hValue > 0) {
                const std::int32_t w1 = store_.ContentWidth();
                if (w1 < w0)
                    pendingHScroll_ = -std::min(scroll.hValue, w0 - w1);
            }
        }
        press.relayout = true;
        return press;
    }
    selectedIndex_ = h;
    press.clicked = store_.Label(h);  // a copy: a handler may change the tree
    return press;
}

std::optional<std::int32_t> TreeViewModel::Wheel(std::int32_t delta, bool vVisible, std::int32_t value,
                                                 std::int32_t maxV) const
{
    if (!vVisible || totalRows_ == 0)
        return std::nullopt;
    return WheelTarget(value, maxV, delta);
}

} // namespace tessara
