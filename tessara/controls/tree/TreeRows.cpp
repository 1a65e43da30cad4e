// Row geometry, the paint's row visits and the hit test of the tree view.
#include "tessara/controls/tree/TreeRows.h"

#include "tessara/kit/PixelMath.h"

#include <algorithm>
#include <vector>

namespace tessara {

RowGeometry RowGeometry::ForItemHeight(std::int32_t h)
{
    RowGeometry g;
    g.itemHeight = h;
    g.rowPitch = h + 5;
    g.boxTop = static_cast<std::int32_t>(kit::RoundHalfEven((h - 11) / 2.0L));
    g.iconTop = static_cast<std::int32_t>(kit::RoundHalfEven((h - 17) / 2.0L));
    g.mid = h >= 0 ? h / 2 : -((1 - h) / 2);  // rounded down
    g.iconBottom = static_cast<std::int32_t>(kit::RoundHalfEven((h - 17) / 2.0L + 17));
    return g;
}

namespace {

// The rows a paint walks are numbered as the pre-order walk from the root
// numbers them (G); the walk starts at row gStart whose top is yStart.
struct Walk {
    TreeStore& st;
    const PaintView& v;
    std::int64_t gStart = 1;
    std::int64_t yStart = 0;
    std::int32_t lineTop0 = 0;  // LineTop when the walk starts

    std::int32_t Y(std::int64_t g) const { return static_cast<std::int32_t>(yStart + (g - gStart) * v.geo.rowPitch); }
    std::int32_t X(std::int32_t slot) const { return v.x0 + TreeColumns::Indent(st.NodeLevel(slot)); }
    std::int32_t LineTopBefore(std::int64_t g) const
    {
        if (g <= gStart)
            return lineTop0;
        const std::int32_t prev = st.NodeAtWalkRow(static_cast<std::int32_t>(g - 1));
        return LineTopAfter(st, v.geo, prev, Y(g - 1));
    }
    // A row above the view draws only its connector to the next sibling,
    // and only when that reaches y >= 1.
    bool ReachesView(std::int32_t slot, std::int64_t g) const
    {
        const std::int64_t ny = Y(g) + static_cast<std::int64_t>(v.geo.rowPitch) * (st.pGetItemCnt(slot) + 1);
        return ny >= 1;
    }
    void EmitAbove(std::int32_t slot, std::int64_t g, const PaintRowSink& sink) const
    {
        const std::int32_t next = st.NextSibling(slot);
        if (next > 0 && ReachesView(slot, g))
            sink({slot, X(slot), Y(g), next, LineTopBefore(g)});
    }
};

} // namespace

void WalkPaintRows(TreeStore& st, const PaintView& v, const PaintRowSink& sink)
{
    if (st.SlotCount() == 0)
        return;
    const std::int64_t rp = v.geo.rowPitch;
    const std::int64_t a = v.firstRow;
    Walk w{st, v};

    // The root child whose rows hold the first visible row; the walk
    // starts there, or at the root.
    std::int32_t firstOfRange = 0;
    const std::int32_t k = st.RootChildAtRow(v.firstRow, &firstOfRange);
    const bool fromRoot = k <= 0;
    if (fromRoot) {
        const std::int64_t y0 = 2 - a * rp;
        if (y0 >= 0 && y0 < v.height)
            sink({0, v.x0, static_cast<std::int32_t>(y0), 0, 0});
        w.lineTop0 = static_cast<std::int32_t>(y0 + v.geo.iconBottom);
        w.yStart = y0 + rp;
        w.gStart = 1;
    }
    if (!st.Expanded(0))
        return;
    if (!fromRoot) {
        w.yStart = 2 - (a - firstOfRange) * rp;
        w.lineTop0 = 0;
        w.gStart = 1 + st.RootWalkPrefix(k);
    }
    const std::int64_t gTotal = st.WalkRowCount() - 1;  // last walk row
    if (w.gStart > gTotal)
        return;

    // The walk ends after the row whose successor would start at the limit.
    std::int64_t gEnd = gTotal;
    const std::int64_t diff = v.limit - w.yStart;
    if (diff > 0 && diff % rp == 0)
        gEnd = std::min(gEnd, w.gStart + diff / rp - 1);
    std::int64_t gFirst = w.gStart;  // first row with y >= 0
    if (w.yStart < 0)
        gFirst = w.gStart + (-w.yStart + rp - 1) / rp;
    const std::int64_t aboveEnd = std::min(gFirst, gEnd + 1);

    if (aboveEnd > w.gStart && gFirst <= gTotal) {
        // Every row's connector ends at its next sibling, so only the
        // ancestors of the first row in view and its previous sibling can
        // reach into the view.
        const std::int32_t x = st.NodeAtWalkRow(static_cast<std::int32_t>(gFirst));
        std::vector<std::int32_t> chain;
        for (std::int32_t p = st.ParentSlot(x); p > 0; p = st.ParentSlot(p))
            chain.push_back(p);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            const std::int64_t g = st.WalkRowOf(*it);
            if (g >= w.gStart && g < aboveEnd)
                w.EmitAbove(*it, g, sink);
        }
        if (st.Position(x) > 0) {
            const std::int32_t prev = st.Children(st.ParentSlot(x))[st.Position(x) - 1];
            const std::int64_t g = gFirst - 1 - st.pGetItemCnt(prev);
            if (g >= w.gStart && g < aboveEnd)
                w.EmitAbove(prev, g, sink);
        }
    }
    if (gFirst > gEnd)
        return;

    std::int32_t lineTop = w.LineTopBefore(gFirst);
    std::int32_t node = st.NodeAtWalkRow(static_cast<std::int32_t>(gFirst));
    for (std::int64_t g = gFirst; node >= 0 && g <= gEnd; ++g) {
        const std::int32_t y = w.Y(g);
        sink({node, w.X(node), y, st.NextSibling(node), lineTop});
        // Below the bottom edge only this row's connector from above can
        // still cross into the view.
        if (y >= v.height)
            break;
        lineTop = LineTopAfter(st, v.geo, node, y);
        node = st.NextInWalk(node);
    }
}

HitResult HitTestRows(TreeStore& st, const HitView& v, std::int32_t x, std::int32_t y)
{
    HitResult res;
    const std::int32_t bottom = v.hBarVisible ? v.scaleHeight - 2 - v.geo.rowPitch : v.scaleHeight - 2;
    if (!(TreeColumns::kMargin < x && x < v.scaleWidth - TreeColumns::kBarStrip && 2 < y && y < bottom))
        return res;
    const std::int32_t r = (y - 2) / v.geo.rowPitch;
    const std::int32_t off = (y - 2) - r * v.geo.rowPitch;
    // The five pixels between two rows hit nothing.
    if (!(off > 0 && off < v.geo.itemHeight) || r >= v.totalRows)
        return res;
    const std::int32_t row = v.firstRow + r;
    std::int32_t node;
    if (row == 0) {
        node = st.SlotCount() > 0 ? 0 : -1;
    } else {
        if (st.SlotCount() == 0 || !st.Expanded(0))
            return res;
        node = st.NodeAtWalkRow(row);
    }
    if (node < 0)
        return res;
    const std::int32_t nx = v.x0 + TreeColumns::Indent(st.NodeLevel(node));
    const std::int32_t tw = st.TextWidth(node);
    if (x <= nx || x >= nx + TreeColumns::LabelRight(tw))
        return res;
    res.glyph = x < nx + TreeColumns::kBox;
    res.slot = node;
    return res;
}

} // namespace tessara
