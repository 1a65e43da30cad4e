// Straightforward versions of the tree view's algorithms, walking the whole
// tree as the rules describe them. The store's indexes and the optimised
// paint walk are checked against these.
#pragma once
#include "tessara/controls/TreeRows.h"
#include "tessara/controls/TreeStore.h"

#include <cstdint>
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

} // namespace treeref
