// The tree view without a window: its node store and every piece of view
// state (rows as the last layout counted them, the page, the hovered and
// selected nodes, the scroll the next layout applies). It answers with
// geometry: the bars' plans, the rows a paint visits, a node's boxes, what
// lies under a point. YTreeView measures texts, applies the plans and
// draws. No Windows header.
#pragma once
#include "tessara/controls/scroll/ScrollArithmetic.h"
#include "tessara/controls/tree/TreeLayout.h"
#include "tessara/controls/tree/TreeRows.h"
#include "tessara/controls/tree/TreeStore.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tessara {

// The embedded bars as the model needs to know them.
struct TreeScroll {
    std::int32_t vValue = 0;
    std::int32_t hValue = 0;
    bool hVisible = false;
};

class TreeViewModel {
public:
    TreeStore& Store() { return store_; }
    const TreeStore& Store() const { return store_; }

    // ---- properties ------------------------------------------------------
    std::int32_t ItemHeight() const { return itemHeight_; }
    void SetItemHeight(std::int32_t h) { itemHeight_ = h; }
    RowGeometry Geometry() const { return RowGeometry::ForItemHeight(itemHeight_); }

    // ---- state ----------------------------------------------------------------
    std::int32_t TotalRows() const { return totalRows_; }
    std::int32_t PageRows() const { return pageRows_; }
    std::int32_t SavedPageRows() const { return savedPageRows_; }
    std::int32_t SelectedIndex() const { return selectedIndex_; }
    std::int32_t HoverIndex() const { return hoverIndex_; }
    bool GlyphHit() const { return glyphHit_; }

    // ---- content -----------------------------------------------------------------
    // What RemoveItem did: nothing (a free slot), or the next layout is due.
    enum class Removal { Ignored, LayoutDue };
    // Removes a node with its subtree (not the root); the next layout brings
    // both bars back to 0. A freed slot is no node: a node added there later
    // starts neither selected nor hovered.
    Removal RemoveItem(std::int32_t index, const TreeScroll& scroll);
    // Selects a found node; nothing when no node has the label.
    std::optional<TreeStore::Found> Find(const std::wstring& item);

    // ---- layout ------------------------------------------------------------------
    // Only the first resize lays the control out; nothing after that.
    std::optional<FirstResizePlan> FirstResize(std::int32_t scaleWidth, std::int32_t scaleHeight);
    struct BarsPlan {
        BarPlan v, h;
    };
    // Counts the rows and plans both bars: a shown bar gets its place, thumb
    // and range, its value with the pending scroll limited to the range; a
    // hidden one goes to 0.
    BarsPlan Relayout(std::int32_t scaleWidth, std::int32_t scaleHeight, const TreeScroll& scroll);

    // ---- geometry ------------------------------------------------------------------
    PaintView View(std::int32_t height, const TreeScroll& scroll) const;
    // A shown node's expand-box zone and label box; nothing when it is on no
    // row of the walk.
    struct NodeBoxes {
        Rect box, label;
    };
    std::optional<NodeBoxes> Boxes(std::int32_t slot, const TreeScroll& scroll);
    HitResult HitTest(std::int32_t x, std::int32_t y, std::int32_t scaleWidth, std::int32_t scaleHeight,
                      const TreeScroll& scroll);

    // ---- input ---------------------------------------------------------------------
    // The hovered node under the point; true when it changed.
    bool Hover(std::int32_t x, std::int32_t y, std::int32_t scaleWidth, std::int32_t scaleHeight,
               const TreeScroll& scroll);
    void Leave() { hoverIndex_ = -1; }
    // A press: on an expand box it folds or unfolds a node with children
    // (folding while scrolled moves the view back by at most what the node
    // showed, never below 0); on a label it selects the node, whose label the
    // Click event carries.
    struct Press {
        bool relayout = false;  // an expand box was hit: the layout runs now
        std::optional<std::wstring> clicked;
    };
    Press ButtonDown(std::int32_t x, std::int32_t y, std::int32_t scaleWidth, std::int32_t scaleHeight,
                     const TreeScroll& scroll);
    // The vertical value a wheel notch asks for; nothing without rows to scroll.
    std::optional<std::int32_t> Wheel(std::int32_t delta, bool vVisible, std::int32_t value, std::int32_t maxV) const;

private:
    TreeStore store_;
    std::int32_t totalRows_ = 0;       // rows as the last layout counted them
    std::int32_t itemHeight_ = 21;     // height of a row's label area
    std::int32_t pageRows_ = 0;        // rows that fit; 0 until the first resize
    std::int32_t savedPageRows_ = 0;   // pageRows_ as the first resize left it
    bool laidOut_ = false;             // the first layout has run
    std::int32_t hoverIndex_ = -1;     // slot under the mouse
    std::int32_t selectedIndex_ = -1;
    bool glyphHit_ = false;            // the last hit landed in an expand-box zone
    std::int32_t pendingVScroll_ = 0;  // rows to add to the vertical value at the next layout
    std::int32_t pendingHScroll_ = 0;  // pixels to add to the horizontal value
};

} // namespace tessara
