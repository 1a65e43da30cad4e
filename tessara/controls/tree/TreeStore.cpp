// The tree view's node store and its indexes.
#include "tessara/controls/tree/TreeStore.h"

#include "tessara/controls/tree/TreeGeometry.h"

#include <algorithm>
#include <limits>

namespace tessara {

void PrefixSums::add(std::int32_t index, std::int32_t delta)
{
    const std::int32_t n = size();
    for (std::int32_t i = index + 1; i <= n; i += i & -i)
        tree_[i] += delta;
}

std::int32_t PrefixSums::prefix(std::int32_t n) const
{
    std::int32_t s = 0;
    for (std::int32_t i = std::min(n, size()); i > 0; i -= i & -i)
        s += tree_[i];
    return s;
}

std::int32_t PrefixSums::locate(std::int32_t r) const
{
    const std::int32_t n = size();
    std::int32_t step = 1;
    while (step * 2 <= n)
        step *= 2;
    std::int32_t pos = 0;
    for (; step > 0; step /= 2) {
        if (pos + step <= n && tree_[pos + step] <= r) {
            pos += step;
            r -= tree_[pos];
        }
    }
    return pos;
}

// ---- labels ----------------------------------------------------------

void TreeStore::LinkLabel(std::int32_t slot, const std::wstring& label)
{
    auto it = labels_.try_emplace(label).first;
    LabelEntry& e = it->second;
    Node& n = nodes_[slot];
    n.label = &it->first;
    n.prevSame = n.nextSame = -1;
    if (e.head < 0) {
        e.head = e.tail = slot;
    } else if (slot > e.tail) {
        // Appends always come here, so building a tree of equal labels stays linear.
        nodes_[e.tail].nextSame = slot;
        n.prevSame = e.tail;
        e.tail = slot;
    } else {
        std::int32_t cur = e.head;
        while (cur < slot)
            cur = nodes_[cur].nextSame;
        n.nextSame = cur;
        n.prevSame = nodes_[cur].prevSame;
        if (n.prevSame >= 0)
            nodes_[n.prevSame].nextSame = slot;
        else
            e.head = slot;
        nodes_[cur].prevSame = slot;
    }
}

void TreeStore::UnlinkLabel(std::int32_t slot)
{
    Node& n = nodes_[slot];
    auto it = labels_.find(*n.label);
    LabelEntry& e = it->second;
    if (n.prevSame >= 0)
        nodes_[n.prevSame].nextSame = n.nextSame;
    else
        e.head = n.nextSame;
    if (n.nextSame >= 0)
        nodes_[n.nextSame].prevSame = n.prevSame;
    else
        e.tail = n.prevSame;
    n.prevSame = n.nextSame = -1;
    n.label = nullptr;
    if (e.head < 0)
        labels_.erase(it);
}

const std::wstring& TreeStore::Label(std::int32_t i) const
{
    static const std::wstring empty;
    return IsUsed(i) ? *nodes_[i].label : empty;
}

std::int32_t TreeStore::IndexOf(const std::wstring& item) const
{
    auto it = labels_.find(item);
    return it == labels_.end() ? -1 : it->second.head;
}

// ---- counts ----------------------------------------------------------

void TreeStore::Recount(std::int32_t slot)
{
    // An unfolded node shows its children's rows below it, and nothing
    // when it has none.
    Node* n = &nodes_[slot];
    std::int32_t newC = n->expanded ? n->sum : 0;
    std::int32_t d = newC - n->cnt;
    n->cnt = newC;
    // A change stops at the first folded ancestor: its own count stays 0.
    while (d != 0 && n->parent >= 0) {
        const std::int32_t pos = n->pos;
        Node& p = nodes_[n->parent];
        p.sum += d;
        if (p.rowSums.valid())
            p.rowSums.add(pos, d);
        newC = p.expanded ? p.sum : 0;
        d = newC - p.cnt;
        p.cnt = newC;
        n = &p;
    }
}

std::int32_t TreeStore::pGetItemCnt(std::int32_t index) const
{
    return IsUsed(index) ? nodes_[index].cnt : 0;
}

std::int32_t TreeStore::TotalRows() const
{
    if (nodes_.empty())
        return 0;
    const Node& r = nodes_[0];
    return r.expanded ? 1 + r.sum : 1;
}

std::int32_t TreeStore::NextSibling(std::int32_t i) const
{
    const Node& n = nodes_[i];
    if (n.parent < 0)
        return 0;
    const auto& sib = nodes_[n.parent].children;
    return n.pos + 1 < static_cast<std::int32_t>(sib.size()) ? sib[n.pos + 1] : 0;
}

// ---- adding, removing, unfolding --------------------------------------

TreeStore::AddResult TreeStore::AddItem(std::int32_t parentIndex, const std::wstring& item, std::int32_t* slot)
{
    if (nodes_.empty()) {
        if (parentIndex != -1)
            return AddResult::RootRequired;
        nodes_.emplace_back();
        LinkLabel(0, item);
        if (slot)
            *slot = 0;
        return AddResult::Added;
    }
    // A free slot is no node: hanging a child on it would tie the child to
    // nothing and could make a reused slot its own parent.
    if (!IsUsed(parentIndex))
        return AddResult::ParentMissing;

    std::int32_t s;
    if (freeSlots_ < 1) {
        s = SlotCount();
        nodes_.emplace_back();
    } else {
        s = freeHeap_.top();  // the lowest free slot is reused first
        freeHeap_.pop();
        --freeSlots_;
    }
    Node& p = nodes_[parentIndex];
    Node& n = nodes_[s];
    n.parent = parentIndex;
    n.level = p.level + 1;
    n.pos = static_cast<std::int32_t>(p.children.size());
    p.children.push_back(s);
    p.rowSums.invalidate();
    p.sum += 1;
    n.pot = parentIndex == 0 || (p.expanded && p.pot);
    LinkLabel(s, item);
    Recount(parentIndex);
    if (nodes_[s].pot)
        pending_.push_back(s);
    if (slot)
        *slot = s;
    return AddResult::Added;
}

TreeStore::RemoveResult TreeStore::RemoveItem(std::int32_t index)
{
    if (index < 1 || index >= SlotCount())
        return RemoveResult::OutOfRange;
    if (!nodes_[index].label)
        return RemoveResult::AlreadyFree;

    const std::int32_t pi = nodes_[index].parent;
    {
        Node& n = nodes_[index];
        Node& p = nodes_[pi];
        p.sum -= 1 + n.cnt;
        if (p.children.size() == 1) {
            // Losing its only child folds the parent.
            std::vector<std::int32_t>().swap(p.children);
            p.expanded = false;
            p.rowSums.release();
        } else {
            p.children.erase(p.children.begin() + n.pos);
            for (std::size_t k = n.pos; k < p.children.size(); ++k)
                nodes_[p.children[k]].pos = static_cast<std::int32_t>(k);
            p.rowSums.invalidate();
        }
    }
    Recount(pi);

    std::int32_t freed = 0;
    std::vector<std::int32_t> stack{index};
    while (!stack.empty()) {
        const std::int32_t s = stack.back();
        stack.pop_back();
        Node& m = nodes_[s];
        stack.insert(stack.end(), m.children.begin(), m.children.end());
        if (m.inHist)
            HistRemove(s);
        UnlinkLabel(s);
        std::vector<std::int32_t>().swap(m.children);
        m.rowSums.release();
        m.parent = -1;
        m.pos = 0;
        m.level = 0;
        m.cnt = m.sum = 0;
        m.width = -1;
        m.expanded = m.pot = false;
        freeHeap_.push(s);
        ++freed;
    }
    freeSlots_ += freed;
    return RemoveResult::Removed;
}

bool TreeStore::Spread(std::int32_t index, bool expanded)
{
    // A free slot keeps Expanded false, or its next tenant would start unfolded.
    if (!IsUsed(index))
        return false;
    SetExpanded(index, expanded);
    return true;
}

void TreeStore::SetExpanded(std::int32_t slot, bool expanded)
{
    Node& n = nodes_[slot];
    if (n.expanded == expanded)
        return;
    n.expanded = expanded;
    Recount(slot);
    // The root's children count as shown whatever the root's state, so
    // folding the root costs nothing here.
    if (slot != 0 && nodes_[slot].pot)
        ShowSubtree(slot, expanded);
}

void TreeStore::ShowSubtree(std::int32_t slot, bool shown)
{
    std::vector<std::int32_t> stack(nodes_[slot].children.begin(), nodes_[slot].children.end());
    while (!stack.empty()) {
        const std::int32_t s = stack.back();
        stack.pop_back();
        Node& m = nodes_[s];
        m.pot = shown;
        if (shown) {
            if (!m.inHist)
                pending_.push_back(s);
        } else if (m.inHist) {
            HistRemove(s);
        }
        if (m.expanded)
            stack.insert(stack.end(), m.children.begin(), m.children.end());
    }
}

// ---- widths ----------------------------------------------------------

void TreeStore::SetMeasure(Measure m)
{
    measure_ = std::move(m);
    InvalidateWidths();
}

void TreeStore::InvalidateWidths()
{
    hist_.clear();
    pending_.clear();
    for (std::int32_t s = 0; s < SlotCount(); ++s) {
        Node& n = nodes_[s];
        n.width = -1;
        n.inHist = false;
        if (n.label && n.pot)
            pending_.push_back(s);
    }
}

std::int32_t TreeStore::TextWidth(std::int32_t i)
{
    if (!IsUsed(i))
        return 0;
    Node& n = nodes_[i];
    if (n.width < 0)
        n.width = measure_ ? measure_(*n.label) : 0;
    return n.width;
}

void TreeStore::HistAdd(std::int32_t slot)
{
    const std::int32_t key = TreeColumns::Extent(nodes_[slot].level, TextWidth(slot));
    Node& n = nodes_[slot];
    ++hist_[key];
    n.histKey = key;
    n.inHist = true;
}

void TreeStore::HistRemove(std::int32_t slot)
{
    Node& n = nodes_[slot];
    auto it = hist_.find(n.histKey);
    if (--it->second == 0)
        hist_.erase(it);
    n.inHist = false;
}

void TreeStore::DrainPending()
{
    for (std::int32_t s : pending_) {
        if (IsUsed(s) && nodes_[s].pot && !nodes_[s].inHist)
            HistAdd(s);
    }
    pending_.clear();
}

std::int32_t TreeStore::ContentWidth()
{
    if (nodes_.empty())
        return 0;
    if (!nodes_[0].expanded)
        return TreeColumns::Extent(0, TextWidth(0));
    DrainPending();
    return hist_.empty() ? 0 : hist_.rbegin()->first;
}

// ---- rows ------------------------------------------------------------

PrefixSums& TreeStore::WalkSums(std::int32_t slot)
{
    Node& n = nodes_[slot];
    if (!n.rowSums.valid()) {
        const auto& ch = n.children;
        n.rowSums.build(static_cast<std::int32_t>(ch.size()),
                        [&](std::int32_t k) { return 1 + nodes_[ch[k]].cnt; });
    }
    return n.rowSums;
}

std::int32_t TreeStore::NodeAtWalkRow(std::int32_t g)
{
    if (nodes_.empty() || g < 0)
        return -1;
    std::int32_t p = 0, r = g;
    while (r > 0) {
        r -= 1;  // the rows below p start after p itself
        if (nodes_[p].children.empty())
            return -1;
        PrefixSums& ps = WalkSums(p);
        const std::int32_t k = ps.locate(r);
        if (k >= ps.size())
            return -1;
        r -= ps.prefix(k);
        p = nodes_[p].children[k];
    }
    return p;
}

std::int32_t TreeStore::WalkRowOf(std::int32_t slot)
{
    if (!IsUsed(slot))
        return -1;
    std::int32_t g = 0;
    for (std::int32_t s = slot; s != 0;) {
        const std::int32_t p = nodes_[s].parent;
        if (p != 0 && !nodes_[p].expanded)
            return -1;
        g += 1 + WalkSums(p).prefix(nodes_[s].pos);
        s = p;
    }
    return g;
}

std::int32_t TreeStore::NextInWalk(std::int32_t slot) const
{
    const Node& n = nodes_[slot];
    if (n.expanded && !n.children.empty())
        return n.children[0];
    for (std::int32_t s = slot; s != 0 && s >= 0; s = nodes_[s].parent) {
        const std::int32_t next = NextSibling(s);
        if (next > 0)
            return next;
    }
    return -1;
}

std::int32_t TreeStore::RootChildAtRow(std::int32_t a, std::int32_t* first)
{
    if (nodes_.empty() || a < 1 || nodes_[0].children.empty())
        return -1;
    PrefixSums& ps = WalkSums(0);
    const std::int32_t k = ps.locate(a - 1);
    if (k >= ps.size())
        return -1;
    if (first)
        *first = 1 + ps.prefix(k);
    return k;
}

std::int32_t TreeStore::RootWalkPrefix(std::int32_t k)
{
    return nodes_.empty() ? 0 : WalkSums(0).prefix(k);
}

// ---- finding ---------------------------------------------------------

// Walk position (1-based) of x below top, or -1 when x is not a shown
// descendant of top.
std::int32_t TreeStore::WalkOffsetBelow(std::int32_t top, std::int32_t x)
{
    std::int32_t pos = 0;
    for (std::int32_t y = x; y != top;) {
        const std::int32_t p = nodes_[y].parent;
        if (p < 0 || !nodes_[p].expanded)
            return -1;
        pos += 1 + WalkSums(p).prefix(nodes_[y].pos);
        y = p;
    }
    return pos;
}

bool TreeStore::Find(const std::wstring& item, Found* out)
{
    const std::int32_t i = IndexOf(item);
    if (i < 0)
        return false;
    out->slot = i;
    out->row = 0;
    if (i == 0)
        return true;
    std::int32_t top = i;
    for (std::int32_t a = nodes_[i].parent; a >= 1; a = nodes_[a].parent) {
        SetExpanded(a, true);
        top = a;
    }
    SetExpanded(0, true);
    std::int32_t f = 0;
    if (top != i) {
        // The first node in the walk below top that carries this label: with
        // repeated labels it may come before the lowest slot.
        f = std::numeric_limits<std::int32_t>::max();
        for (std::int32_t x = labels_.find(item)->second.head; x >= 0; x = nodes_[x].nextSame) {
            if (x == top)
                continue;
            const std::int32_t off = WalkOffsetBelow(top, x);
            if (off > 0 && off < f)
                f = off;
        }
    }
    out->row = 1 + RootWalkPrefix(nodes_[top].pos) + f;
    return true;
}

} // namespace tessara
