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

// ---- the label table --------------------------------------------------

std::uint32_t LabelTable::Hash(const std::wstring& text)
{
    return static_cast<std::uint32_t>(std::hash<std::wstring>{}(text));
}

void LabelTable::Grow()
{
    std::vector<std::int32_t> cells(cells_.empty() ? 64 : cells_.size() * 2, 0);
    cells_.swap(cells);
    for (std::int32_t c : cells) {
        if (c == 0)
            continue;
        std::size_t i = Home(hashes_[static_cast<std::size_t>(c - 1)]);
        while (cells_[i] != 0)
            i = (i + 1) & (cells_.size() - 1);
        cells_[i] = c;
    }
}

std::int32_t LabelTable::Find(const std::wstring& text) const
{
    if (cells_.empty())
        return -1;
    const std::uint32_t h = Hash(text);
    for (std::size_t i = Home(h);; i = (i + 1) & (cells_.size() - 1)) {
        const std::int32_t c = cells_[i];
        if (c == 0)
            return -1;
        const std::size_t id = static_cast<std::size_t>(c - 1);
        if (hashes_[id] == h && texts_[id] == text)
            return c - 1;
    }
}

std::int32_t LabelTable::Intern(const std::wstring& text)
{
    // At most half full, so that probes stay short.
    if ((live_ + 1) * 2 > cells_.size())
        Grow();
    const std::uint32_t h = Hash(text);
    std::size_t i = Home(h);
    for (;; i = (i + 1) & (cells_.size() - 1)) {
        const std::int32_t c = cells_[i];
        if (c == 0)
            break;
        const std::size_t id = static_cast<std::size_t>(c - 1);
        if (hashes_[id] == h && texts_[id] == text)
            return c - 1;
    }
    std::int32_t id;
    if (!freeIds_.empty()) {
        id = freeIds_.back();
        freeIds_.pop_back();
        texts_[static_cast<std::size_t>(id)] = text;
        hashes_[static_cast<std::size_t>(id)] = h;
        entries_[static_cast<std::size_t>(id)] = Entry{};
    } else {
        id = static_cast<std::int32_t>(texts_.size());
        texts_.push_back(text);
        hashes_.emplace_back() = h;
        entries_.emplace_back();
    }
    cells_[i] = id + 1;
    ++live_;
    return id;
}

void LabelTable::Release(std::int32_t id)
{
    const std::size_t mask = cells_.size() - 1;
    std::size_t i = Home(hashes_[static_cast<std::size_t>(id)]);
    while (cells_[i] != id + 1)
        i = (i + 1) & mask;
    // Close the gap: a later entry of the same run moves back into it
    // unless its home lies after the gap (it would become unreachable).
    cells_[i] = 0;
    for (std::size_t j = (i + 1) & mask; cells_[j] != 0; j = (j + 1) & mask) {
        const std::size_t home = Home(hashes_[static_cast<std::size_t>(cells_[j] - 1)]);
        const bool stays = i <= j ? (i < home && home <= j) : (i < home || home <= j);
        if (stays)
            continue;
        cells_[i] = cells_[j];
        cells_[j] = 0;
        i = j;
    }
    --live_;
    std::wstring().swap(texts_[static_cast<std::size_t>(id)]);
    freeIds_.push_back(id);
}

// ---- labels ----------------------------------------------------------

void TreeStore::LinkLabel(std::int32_t slot, const std::wstring& label)
{
    const std::int32_t id = labels_.Intern(label);
    LabelTable::Entry& e = labels_.At(id);
    Node& n = nodes_[slot];
    n.label = id;
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
    LabelTable::Entry& e = labels_.At(n.label);
    if (n.prevSame >= 0)
        nodes_[n.prevSame].nextSame = n.nextSame;
    else
        e.head = n.nextSame;
    if (n.nextSame >= 0)
        nodes_[n.nextSame].prevSame = n.prevSame;
    else
        e.tail = n.prevSame;
    if (e.head < 0)
        labels_.Release(n.label);
    n.prevSame = n.nextSame = -1;
    n.label = -1;
}

const std::wstring& TreeStore::Label(std::int32_t i) const
{
    static const std::wstring empty;
    return IsUsed(i) ? labels_.Text(nodes_[i].label) : empty;
}

std::int32_t TreeStore::IndexOf(const std::wstring& item) const
{
    const std::int32_t id = labels_.Find(item);
    return id < 0 ? -1 : labels_.At(id).head;
}

// ---- families --------------------------------------------------------

TreeStore::Family& TreeStore::FamilyOf(std::int32_t slot)
{
    Node& n = nodes_[slot];
    if (n.family < 0) {
        if (!freeFamilies_.empty()) {
            n.family = freeFamilies_.back();
            freeFamilies_.pop_back();
        } else {
            n.family = static_cast<std::int32_t>(families_.size());
            families_.emplace_back();
        }
    }
    return families_[static_cast<std::size_t>(n.family)];
}

void TreeStore::DropFamily(std::int32_t slot)
{
    Node& n = nodes_[slot];
    if (n.family < 0)
        return;
    Family& f = families_[static_cast<std::size_t>(n.family)];
    std::vector<std::int32_t>().swap(f.children);
    f.rowSums.release();
    freeFamilies_.push_back(n.family);
    n.family = -1;
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
        PrefixSums& rs = families_[static_cast<std::size_t>(p.family)].rowSums;
        if (rs.valid())
            rs.add(pos, d);
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
    const auto& sib = Children(n.parent);
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
    Family& f = FamilyOf(parentIndex);
    Node& p = nodes_[parentIndex];
    Node& n = nodes_[s];
    n.parent = parentIndex;
    n.level = p.level + 1;
    n.pos = static_cast<std::int32_t>(f.children.size());
    f.children.push_back(s);
    f.rowSums.invalidate();
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
    if (nodes_[index].label < 0)
        return RemoveResult::AlreadyFree;

    const std::int32_t pi = nodes_[index].parent;
    {
        Node& n = nodes_[index];
        Node& p = nodes_[pi];
        p.sum -= 1 + n.cnt;
        Family& f = families_[static_cast<std::size_t>(p.family)];
        if (f.children.size() == 1) {
            // Losing its only child folds the parent.
            DropFamily(pi);
            p.expanded = false;
        } else {
            f.children.erase(f.children.begin() + n.pos);
            for (std::size_t k = n.pos; k < f.children.size(); ++k)
                nodes_[f.children[k]].pos = static_cast<std::int32_t>(k);
            f.rowSums.invalidate();
        }
    }
    Recount(pi);

    std::int32_t freed = 0;
    std::vector<std::int32_t> stack{index};
    while (!stack.empty()) {
        const std::int32_t s = stack.back();
        stack.pop_back();
        const auto& ch = Children(s);
        stack.insert(stack.end(), ch.begin(), ch.end());
        if (nodes_[s].inHist)
            HistRemove(s);
        UnlinkLabel(s);
        DropFamily(s);
        nodes_[s] = Node{};
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
    const auto& top = Children(slot);
    std::vector<std::int32_t> stack(top.begin(), top.end());
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
        if (m.expanded) {
            const auto& ch = Children(s);
            stack.insert(stack.end(), ch.begin(), ch.end());
        }
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
        if (n.label >= 0 && n.pot)
            pending_.push_back(s);
    }
}

std::int32_t TreeStore::TextWidth(std::int32_t i)
{
    if (!IsUsed(i))
        return 0;
    Node& n = nodes_[i];
    if (n.width < 0)
        n.width = measure_ ? measure_(labels_.Text(n.label)) : 0;
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
    Family& f = FamilyOf(slot);
    if (!f.rowSums.valid()) {
        const auto& ch = f.children;
        f.rowSums.build(static_cast<std::int32_t>(ch.size()),
                        [&](std::int32_t k) { return 1 + nodes_[ch[k]].cnt; });
    }
    return f.rowSums;
}

std::int32_t TreeStore::NodeAtWalkRow(std::int32_t g)
{
    if (nodes_.empty() || g < 0)
        return -1;
    std::int32_t p = 0, r = g;
    while (r > 0) {
        r -= 1;  // the rows below p start after p itself
        if (nodes_[p].family < 0)
            return -1;
        PrefixSums& ps = WalkSums(p);
        const std::int32_t k = ps.locate(r);
        if (k >= ps.size())
            return -1;
        r -= ps.prefix(k);
        p = Children(p)[static_cast<std::size_t>(k)];
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
    if (n.expanded && n.family >= 0)
        return Children(slot)[0];
    for (std::int32_t s = slot; s != 0 && s >= 0; s = nodes_[s].parent) {
        const std::int32_t next = NextSibling(s);
        if (next > 0)
            return next;
    }
    return -1;
}

std::int32_t TreeStore::RootChildAtRow(std::int32_t a, std::int32_t* first)
{
    if (nodes_.empty() || a < 1 || nodes_[0].family < 0)
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
    return nodes_.empty() || nodes_[0].family < 0 ? 0 : WalkSums(0).prefix(k);
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
        for (std::int32_t x = labels_.At(labels_.Find(item)).head; x >= 0; x = nodes_[x].nextSame) {
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
