// The tree view's node store: numbered slots with parent links and ordered
// child lists, plus the indexes that keep it quick at a million nodes
// (label index, maintained row counts, per-node prefix sums, cached text
// widths and a histogram of row extents). No Windows header.
//
// Rows: the root is row 0; when it is unfolded its children follow, each
// followed by its own rows when it is unfolded. An unfolded node without
// children shows nothing below it. Counting (the layout, the scroll range),
// painting and hit testing all number rows this one way.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <queue>
#include <string>
#include <unordered_map>
#include <vector>

namespace tessara {

// Prefix sums over a node's children, rebuilt lazily after structural
// changes (appends, removals) and updated in place when a count changes.
class PrefixSums {
public:
    bool valid() const { return valid_; }
    void invalidate() { valid_ = false; }
    // Builds from n values, value(k) giving the k-th.
    template <class F>
    void build(std::int32_t n, F value)
    {
        tree_.assign(static_cast<std::size_t>(n) + 1, 0);
        for (std::int32_t i = 1; i <= n; ++i) {
            tree_[i] += value(i - 1);
            std::int32_t j = i + (i & -i);
            if (j <= n)
                tree_[j] += tree_[i];
        }
        valid_ = true;
    }
    void add(std::int32_t index, std::int32_t delta);
    // Sum of the first n values.
    std::int32_t prefix(std::int32_t n) const;
    // The index k with prefix(k) <= r < prefix(k+1) (values are all >= 1);
    // size() when r is beyond the total.
    std::int32_t locate(std::int32_t r) const;
    std::int32_t size() const { return tree_.empty() ? 0 : static_cast<std::int32_t>(tree_.size()) - 1; }
    void release()
    {
        std::vector<std::int32_t>().swap(tree_);
        valid_ = false;
    }

private:
    std::vector<std::int32_t> tree_;  // Fenwick tree, 1-based (cell 0 unused)
    bool valid_ = false;
};

class TreeStore {
public:
    using Measure = std::function<std::int32_t(const std::wstring&)>;

    enum class AddResult {
        Added,
        RootRequired,   // the first node must have parent -1
        ParentMissing,  // the parent names no node
    };
    enum class RemoveResult { OutOfRange, AlreadyFree, Removed };

    // Adds a node; on success *slot receives its slot number.
    AddResult AddItem(std::int32_t parentIndex, const std::wstring& item, std::int32_t* slot = nullptr);
    RemoveResult RemoveItem(std::int32_t index);
    // Sets Expanded of a used slot; false when the index names no node.
    bool Spread(std::int32_t index, bool expanded);

    // Lowest slot whose label equals item, or -1.
    std::int32_t IndexOf(const std::wstring& item) const;
    // Rows below a node (0 outside the slot range).
    std::int32_t pGetItemCnt(std::int32_t index) const;
    // Rows of the whole tree as the layout counts them.
    std::int32_t TotalRows() const;

    std::int32_t SlotCount() const { return static_cast<std::int32_t>(nodes_.size()); }
    std::int32_t FreeSlots() const { return freeSlots_; }
    bool IsUsed(std::int32_t i) const { return InRange(i) && nodes_[i].label != nullptr; }
    const std::wstring& Label(std::int32_t i) const;
    std::int32_t ParentSlot(std::int32_t i) const { return nodes_[i].parent; }
    std::int32_t ChildCount(std::int32_t i) const { return static_cast<std::int32_t>(nodes_[i].children.size()); }
    const std::vector<std::int32_t>& Children(std::int32_t i) const { return nodes_[i].children; }
    bool Expanded(std::int32_t i) const { return nodes_[i].expanded; }
    std::int32_t NodeLevel(std::int32_t i) const { return nodes_[i].level; }
    // Position in the parent's child list (0 for the root).
    std::int32_t Position(std::int32_t i) const { return nodes_[i].pos; }
    // The next sibling's slot, or 0 when the node is the last child.
    std::int32_t NextSibling(std::int32_t i) const;

    // Text widths: measured once per label through the injected function
    // and cached until InvalidateWidths (the font changed).
    void SetMeasure(Measure m);
    void InvalidateWidths();
    std::int32_t TextWidth(std::int32_t i);
    // Widest visible row's extent (see the control); root folded: its own.
    std::int32_t ContentWidth();

    // Rows of the walk from the root, as if the root were unfolded.
    std::int32_t WalkRowCount() const { return nodes_.empty() ? 0 : 1 + nodes_[0].sum; }
    // The node at walk row g, descending from the root whatever its own
    // state; -1 past the end.
    std::int32_t NodeAtWalkRow(std::int32_t g);
    // The walk row of a node as seen from the root (its ancestors below the
    // root must be expanded); -1 when hidden.
    std::int32_t WalkRowOf(std::int32_t slot);
    // The node that follows in the walk, or -1 at the end.
    std::int32_t NextInWalk(std::int32_t slot) const;
    // The root child whose rows hold row a (1-based rows below the root);
    // returns its position and its own row in *first, or -1 when a is
    // outside all of them.
    std::int32_t RootChildAtRow(std::int32_t a, std::int32_t* first);
    // Rows of the root's children before position k.
    std::int32_t RootWalkPrefix(std::int32_t k);

    // Finding a node for display: unfolds its ancestors and the root and
    // computes the row the view must show. Returns false when no node has
    // this label.
    struct Found {
        std::int32_t slot = -1;
        std::int32_t row = 0;  // the row the view must show
    };
    bool Find(const std::wstring& item, Found* out);

private:
    struct Node {
        std::int32_t parent = -1;
        const std::wstring* label = nullptr;  // interned; null marks a free slot
        std::int32_t prevSame = -1, nextSame = -1;  // other slots with this label, ascending
        std::vector<std::int32_t> children;
        std::int32_t pos = 0;    // index in the parent's children
        std::int32_t level = 0;
        std::int32_t cnt = 0;    // rows shown below it (0 when folded)
        std::int32_t sum = 0;    // sum over children of 1 + cnt
        std::int32_t width = -1; // cached text width, -1 unknown
        std::int32_t histKey = 0;
        bool expanded = false;
        bool pot = false;        // shown whenever the root is expanded
        bool inHist = false;
        PrefixSums rowSums;      // over children: 1 + cnt
    };
    struct LabelEntry {
        std::int32_t head = -1, tail = -1;
    };

    bool InRange(std::int32_t i) const { return i >= 0 && i < SlotCount(); }
    void LinkLabel(std::int32_t slot, const std::wstring& label);
    void UnlinkLabel(std::int32_t slot);
    void Recount(std::int32_t slot);  // recompute cnt of slot and carry the change up
    void SetExpanded(std::int32_t slot, bool expanded);
    void ShowSubtree(std::int32_t slot, bool shown);
    void HistAdd(std::int32_t slot);
    void HistRemove(std::int32_t slot);
    void DrainPending();
    PrefixSums& WalkSums(std::int32_t slot);
    std::int32_t WalkOffsetBelow(std::int32_t top, std::int32_t x);

    std::vector<Node> nodes_;
    std::int32_t freeSlots_ = 0;
    std::priority_queue<std::int32_t, std::vector<std::int32_t>, std::greater<std::int32_t>> freeHeap_;
    std::unordered_map<std::wstring, LabelEntry> labels_;
    Measure measure_;
    std::map<std::int32_t, std::int32_t> hist_;  // row extent -> visible rows with it
    std::vector<std::int32_t> pending_;          // shown rows not yet measured
};

} // namespace tessara
