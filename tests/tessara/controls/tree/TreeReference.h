// Straightforward versions of the tree view's algorithms, walking the whole
// tree as the rules describe them. The store's indexes and the optimised
// paint walk are checked against these.
#pragma once
#include "tessara/controls/tree/TreeRows.h"
#include "tessara/controls/tree/TreeStore.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace treeref {

using tessara::PaintRowCall;
using tessara::PaintView;
using tessara::TreeStore;

std::int32_t ItemCnt(const TreeStore& st, std::int32_t i);
std::int32_t TotalRows(const TreeStore& st);
std::int32_t IndexOf(const TreeStore& st, const std::wstring& item);
// Visible rows in walk order (root first; children only when it is expanded).
std::vector<std::int32_t> WalkRows(const TreeStore& st);
std::int32_t ContentWidth(TreeStore& st);
// The walk position below top of the first node labelled item (1-based), or 0.
std::int32_t SubtreeOffset(const TreeStore& st, std::int32_t top, const std::wstring& item);
// Target row of a find, on a store whose ancestors are already unfolded.
std::int32_t FindRow(const TreeStore& st, std::int32_t slot, const std::wstring& item);

// The paint's row walk exactly as the rules give it: every row from the
// start child on, until the limit or the end of the tree.
std::vector<PaintRowCall> PaintWalk(const TreeStore& st, const PaintView& v);
// The visits of a full walk that can change a pixel of a surface of the
// view's height.
std::vector<PaintRowCall> Effective(const TreeStore& st, const PaintView& v, const std::vector<PaintRowCall>& all);

// A random tree through tree's AddItem/Spread/RemoveItem (the store or the
// control), st being its store: random parents leaning towards recent
// nodes so it gets deep, most parents unfolded, with phantoms some leaves
// expanded without children, and a few subtrees removed.
template <class Tree>
void BuildRandom(Tree& tree, const TreeStore& st, std::mt19937& rng, int nodes, bool phantoms)
{
    tree.AddItem(-1, L"root");
    for (int n = 1; n < nodes; ++n) {
        std::int32_t parent;
        do {
            const std::int32_t lo = std::max(0, st.SlotCount() - 12);
            parent = std::uniform_int_distribution<std::int32_t>(
                std::uniform_int_distribution<int>(0, 3)(rng) == 0 ? 0 : lo, st.SlotCount() - 1)(rng);
        } while (!st.IsUsed(parent));
        tree.AddItem(parent, L"n" + std::to_wstring(n));
    }
    for (std::int32_t s = 0; s < st.SlotCount(); ++s) {
        const bool leaf = st.ChildCount(s) == 0;
        if ((!leaf && std::uniform_int_distribution<int>(0, 4)(rng) != 0) ||
            (leaf && phantoms && std::uniform_int_distribution<int>(0, 9)(rng) == 0))
            tree.Spread(s, true);
    }
    tree.Spread(0, true);
    for (int k = 0; k < nodes / 20; ++k)
        tree.RemoveItem(std::uniform_int_distribution<std::int32_t>(1, st.SlotCount() - 1)(rng));
}

} // namespace treeref
