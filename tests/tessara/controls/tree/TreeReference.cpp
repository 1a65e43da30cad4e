// Straightforward walks over the whole tree, used as the reference.
#include "TreeReference.h"

#include <algorithm>

namespace treeref {

std::int32_t ItemCnt(const TreeStore& st, std::int32_t i)
{
    // An unfolded node without children shows nothing below it.
    if (!st.IsUsed(i) || !st.Expanded(i))
        return 0;
    std::int32_t n = 0;
    for (std::int32_t c : st.Children(i))
        n += 1 + ItemCnt(st, c);
    return n;
}

std::int32_t TotalRows(const TreeStore& st)
{
    if (st.SlotCount() == 0)
        return 0;
    if (!st.Expanded(0))
        return 1;
    std::int32_t n = 1;
    for (std::int32_t c : st.Children(0))
        n += 1 + ItemCnt(st, c);
    return n;
}

std::int32_t IndexOf(const TreeStore& st, const std::wstring& item)
{
    for (std::int32_t s = 0; s < st.SlotCount(); ++s)
        if (st.IsUsed(s) && st.Label(s) == item)
            return s;
    return -1;
}

static void Walk(const TreeStore& st, std::int32_t node, std::vector<std::int32_t>& out)
{
    for (std::int32_t c : st.Children(node)) {
        out.push_back(c);
        if (st.Expanded(c))
            Walk(st, c, out);
    }
}

std::vector<std::int32_t> WalkRows(const TreeStore& st)
{
    std::vector<std::int32_t> out;
    if (st.SlotCount() == 0)
        return out;
    out.push_back(0);
    if (st.Expanded(0))
        Walk(st, 0, out);
    return out;
}

std::int32_t ContentWidth(TreeStore& st)
{
    if (st.SlotCount() == 0)
        return 0;
    if (!st.Expanded(0))
        return st.TextWidth(0) + 52;
    std::int32_t best = 0;
    for (std::int32_t n : WalkRows(st))
        if (n != 0)
            best = std::max(best, st.NodeLevel(n) * 24 + st.TextWidth(n) + 52);
    return best;
}

std::int32_t SubtreeOffset(const TreeStore& st, std::int32_t top, const std::wstring& item)
{
    std::vector<std::int32_t> rows;
    Walk(st, top, rows);
    for (std::size_t k = 0; k < rows.size(); ++k)
        if (st.Label(rows[k]) == item)
            return static_cast<std::int32_t>(k) + 1;
    return 0;
}

std::int32_t FindRow(const TreeStore& st, std::int32_t slot, const std::wstring& item)
{
    if (slot == 0)
        return 0;
    std::int32_t top = slot;
    for (std::int32_t a = st.ParentSlot(slot); a >= 1; a = st.ParentSlot(a))
        top = a;
    const std::int32_t f = top == slot ? 0 : SubtreeOffset(st, top, item);
    std::int32_t row = 1;
    for (std::int32_t c : st.Children(0)) {
        if (c == top)
            break;
        row += 1 + ItemCnt(st, c);
    }
    return row + f;
}

namespace {

struct RefPainter {
    const TreeStore& st;
    const PaintView& v;
    std::vector<PaintRowCall>& out;
    std::int32_t y = 0;
    std::int32_t lineTop = 0;
    bool stop = false;

    void Children(std::int32_t node, std::size_t first)
    {
        const auto& ch = st.Children(node);
        for (std::size_t k = first; k < ch.size(); ++k) {
            const std::int32_t c = ch[k];
            const std::int32_t x = v.x0 + st.NodeLevel(c) * 24;
            const std::int32_t next = k + 1 < ch.size() ? ch[k + 1] : 0;
            out.push_back({c, x, y, next, lineTop});
            lineTop = st.ChildCount(c) > 0 ? y + v.geo.iconBottom : y + v.geo.mid;
            y += v.geo.rowPitch;
            if (y == v.limit) {
                stop = true;
                return;
            }
            if (st.ChildCount(c) > 0 && st.Expanded(c)) {
                Children(c, 0);
                if (stop)
                    return;
            }
        }
    }
};

} // namespace

std::vector<PaintRowCall> PaintWalk(const TreeStore& st, const PaintView& v)
{
    std::vector<PaintRowCall> out;
    if (st.SlotCount() == 0)
        return out;
    const std::int32_t a = v.firstRow, rp = v.geo.rowPitch;
    const auto& ch = st.Children(0);
    std::int32_t s = -1, sb = 0, b = 1;
    for (std::size_t k = 0; k < ch.size(); ++k) {
        const std::int32_t e = b + ItemCnt(st, ch[k]);
        if (b <= a && a <= e) {
            s = static_cast<std::int32_t>(k);
            sb = b;
            break;
        }
        b = e + 1;
    }
    RefPainter p{st, v, out};
    if (s <= 0) {
        const std::int32_t y0 = 2 - a * rp;
        out.push_back({0, v.x0, y0, 0, p.lineTop});
        p.lineTop = y0 + v.geo.iconBottom;
        p.y = y0 + rp;
    }
    if (!st.Expanded(0))
        return out;
    if (s > 0)
        p.y = 2 - (a - sb) * rp;
    p.Children(0, s > 0 ? static_cast<std::size_t>(s) : 0);
    return out;
}

std::vector<PaintRowCall> Effective(const TreeStore& st, const PaintView& v, const std::vector<PaintRowCall>& all)
{
    std::vector<PaintRowCall> out;
    bool belowSeen = false;
    for (const auto& c : all) {
        if (c.y < 0) {
            const std::int64_t ny = c.y + static_cast<std::int64_t>(v.geo.rowPitch) * (ItemCnt(st, c.slot) + 1);
            if (c.next > 0 && ny >= 1)
                out.push_back(c);
        } else if (c.y < v.height) {
            out.push_back(c);
        } else if (c.slot != 0 && !belowSeen) {
            belowSeen = true;
            out.push_back(c);
        }
    }
    return out;
}

} // namespace treeref
