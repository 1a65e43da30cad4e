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
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <queue>
#include <string>
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

// An array that grows in blocks of its own: growing it never moves or
// copies what it holds, and a large one is never touched twice (memory
// fresh from the system is what a fill of many nodes costs most).
template <class T, int Shift = 11>
class BlockArray {
public:
    static constexpr std::size_t kBlock = std::size_t{1} << Shift;
    T& operator[](std::size_t i) { return blocks_[i >> Shift][i & (kBlock - 1)]; }
    const T& operator[](std::size_t i) const { return blocks_[i >> Shift][i & (kBlock - 1)]; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T& emplace_back()
    {
        if ((size_ >> Shift) == blocks_.size())
            blocks_.push_back(std::make_unique<T[]>(kBlock));
        T& t = (*this)[size_++];
        t = T{};
        return t;
    }

private:
    std::vector<std::unique_ptr<T[]>> blocks_;
    std::size_t size_ = 0;
};

// The distinct labels of a tree, each text held once, found by text through
// an open-addressed table of ids. An id's text stays where it is while the
// label is in use (the texts never move); the ids of labels whose last node
// went are reused. Each id also keeps the first and last slot that carry it.
class LabelTable {
public:
    struct Entry {
        std::int32_t head = -1, tail = -1;  // lowest and highest slot with this label
    };
    // The id of the text, added when new.
    std::int32_t Intern(const std::wstring& text);
    // The id of the text, or -1.
    std::int32_t Find(const std::wstring& text) const;
    // The label has no node any more: its id and table cell become free.
    void Release(std::int32_t id);
    const std::wstring& Text(std::int32_t id) const { return texts_[static_cast<std::size_t>(id)]; }
    Entry& At(std::int32_t id) { return entries_[static_cast<std::size_t>(id)]; }
    const Entry& At(std::int32_t id) const { return entries_[static_cast<std::size_t>(id)]; }

private:
    static std::uint32_t Hash(const std::wstring& text);
    std::size_t Home(std::uint32_t hash) const { return hash & (cells_.size() - 1); }
    void Grow();

    std::deque<std::wstring> texts_;    // by id; a deque, so texts never move
    BlockArray<Entry> entries_;         // by id
    BlockArray<std::uint32_t> hashes_;  // by id
    std::vector<std::int32_t> cells_;   // id + 1, 0 for an empty cell; a power of two long
    std::vector<std::int32_t> freeIds_;
    std::size_t live_ = 0;              // ids in the table
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
    bool IsUsed(std::int32_t i) const { return InRange(i) && nodes_[i].label >= 0; }
    const std::wstring& Label(std::int32_t i) const;
    std::int32_t ParentSlot(std::int32_t i) const { return nodes_[i].parent; }
    std::int32_t ChildCount(std::int32_t i) const { return static_cast<std::int32_t>(Children(i).size()); }
    const std::vector<std::int32_t>& Children(std::int32_t i) const
    {
        return nodes_[i].family < 0 ? noChildren_ : families_[static_cast<std::size_t>(nodes_[i].family)].children;
    }
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
    // Plain numbers only: a node holds nothing on the heap; the few nodes
    // with children keep them in a family of their own.
    struct Node {
        std::int32_t parent = -1;
        std::int32_t label = -1;                    // label id; -1 marks a free slot
        std::int32_t prevSame = -1, nextSame = -1;  // other slots with this label, ascending
        std::int32_t family = -1;                   // its children, -1 while it has none
        std::int32_t pos = 0;    // index in the parent's children
        std::int32_t level = 0;
        std::int32_t cnt = 0;    // rows shown below it (0 when folded)
        std::int32_t sum = 0;    // sum over children of 1 + cnt
        std::int32_t width = -1; // cached text width, -1 unknown
        std::int32_t histKey = 0;
        bool expanded = false;
        bool pot = false;        // shown whenever the root is expanded
        bool inHist = false;
    };
    struct Family {
        std::vector<std::int32_t> children;
        PrefixSums rowSums;  // over children: 1 + cnt
    };

    bool InRange(std::int32_t i) const { return i >= 0 && i < SlotCount(); }
    void LinkLabel(std::int32_t slot, const std::wstring& label);
    void UnlinkLabel(std::int32_t slot);
    Family& FamilyOf(std::int32_t slot);  // made when the node has none
    void DropFamily(std::int32_t slot);
    void Recount(std::int32_t slot);  // recompute cnt of slot and carry the change up
    void SetExpanded(std::int32_t slot, bool expanded);
    void ShowSubtree(std::int32_t slot, bool shown);
    void HistAdd(std::int32_t slot);
    void HistRemove(std::int32_t slot);
    void DrainPending();
    PrefixSums& WalkSums(std::int32_t slot);
    std::int32_t WalkOffsetBelow(std::int32_t top, std::int32_t x);

    BlockArray<Node> nodes_;
    std::vector<Family> families_;
    std::vector<std::int32_t> freeFamilies_;
    std::vector<std::int32_t> noChildren_;  // stays empty: the children of a childless node
    std::int32_t freeSlots_ = 0;
    std::priority_queue<std::int32_t, std::vector<std::int32_t>, std::greater<std::int32_t>> freeHeap_;
    LabelTable labels_;
    Measure measure_;
    std::map<std::int32_t, std::int32_t> hist_;  // row extent -> visible rows with it
    std::vector<std::int32_t> pending_;          // shown rows not yet measured
};

} // namespace tessara
