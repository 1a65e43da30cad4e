// Row geometry of the tree view, the order in which a paint visits rows and
// the hit test, over the node store. No Windows header.
#pragma once
#include "tessara/controls/tree/TreeGeometry.h"
#include "tessara/controls/tree/TreeStore.h"

#include <cstdint>
#include <functional>

namespace tessara {

// What a paint needs to know about the view.
struct PaintView {
    RowGeometry geo;
    std::int32_t firstRow = 0;   // the vertical scroll value
    std::int32_t x0 = TreeColumns::kMargin;  // the margin less the horizontal scroll value
    std::int32_t height = 0;     // surface height
    std::int32_t limit = 0;      // a row starting here ends the walk
};

// One visit of a row: the painter draws it as the row routine says.
struct PaintRowCall {
    std::int32_t slot = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t next = 0;     // next sibling, 0 for none
    std::int32_t lineTop = 0;  // where the connector from above starts
    bool operator==(const PaintRowCall& o) const
    {
        return slot == o.slot && x == o.x && y == o.y && next == o.next && lineTop == o.lineTop;
    }
};
using PaintRowSink = std::function<void(const PaintRowCall&)>;

// Visits, in the order of the full walk, every row visit that can change a
// pixel of the surface: rows above the view only when their connector to a
// next sibling reaches into it, the rows in view, and the first row below
// the bottom edge (its connector from above may cross into the view).
// Work is proportional to the rows in view times the depth.
void WalkPaintRows(TreeStore& store, const PaintView& view, const PaintRowSink& sink);

// The walk that would have reached this row's LineTop: y of the row plus
// the icon bottom when it has children, else the middle.
inline std::int32_t LineTopAfter(const TreeStore& store, const RowGeometry& geo, std::int32_t slot, std::int32_t y)
{
    return y + (store.ChildCount(slot) > 0 ? geo.iconBottom : geo.mid);
}

struct HitView {
    RowGeometry geo;
    std::int32_t scaleWidth = 0;
    std::int32_t scaleHeight = 0;
    bool hBarVisible = false;
    std::int32_t totalRows = 0;  // as the last layout left it
    std::int32_t firstRow = 0;
    std::int32_t x0 = TreeColumns::kMargin;
};
struct HitResult {
    std::int32_t slot = -1;
    bool glyph = false;  // the point lies in the expand-box zone
};
HitResult HitTestRows(TreeStore& store, const HitView& view, std::int32_t x, std::int32_t y);

} // namespace tessara
