#include "tessara/controls/tab/TabLayout.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace tessara {

namespace {

// A coordinate of a tab far beyond the window, kept where adding a tab's
// size to it cannot overflow.
int Px(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN / 2, INT_MAX / 2)); }

std::int64_t Pitch(int itemWidth) { return static_cast<std::int64_t>(itemWidth) + 1; }

} // namespace

int ClampTabSize(int v) { return std::clamp(v, 1, kTabMaxItemSize); }

int ClampCntOfLine(int v) { return std::min(v, kTabMaxPerLine); }

int TabLayout::Lines() const
{
    if (!multiLine)
        return 1;
    const std::int64_t per = PerLine();
    return Px((tabCount + per - 1) / per);
}

int TabLayout::BandHeight() const
{
    return multiLine ? Px(static_cast<std::int64_t>(Lines()) * itemHeight) : itemHeight;
}

kit::Rect TabLayout::TabRect(int i) const
{
    const int x0 = Px(Column(i) * Pitch(itemWidth));
    const std::int64_t line = Line(i);
    if (isBottom) {
        const int t = Px(scaleHeight - static_cast<std::int64_t>(itemHeight) * (line + 1));
        return {x0, t, x0 + itemWidth, t + itemHeight};
    }
    const int top = Px(line * itemHeight);
    return {x0, top, x0 + itemWidth, top + itemHeight};
}

int TabLayout::HitTest(int x, int y) const
{
    const std::int64_t columns = multiLine ? PerLine() : tabCount;
    const std::int64_t band = BandHeight();
    if (x < 1 || x >= Pitch(itemWidth) * columns - 1)
        return -1;
    if (isBottom) {
        if (!(y > scaleHeight - band && y < scaleHeight))
            return -1;
    } else if (y < 1 || y >= band) {
        return -1;
    }
    for (int i = 0; i < tabCount; ++i) {
        const std::int64_t x0 = Column(i) * Pitch(itemWidth);
        if (!(x > x0 && x < x0 + itemWidth))
            continue;
        if (multiLine) {
            const std::int64_t line = Line(i), h = itemHeight;
            const bool inLine = isBottom ? (y > scaleHeight - (line + 1) * h && y < scaleHeight - line * h)
                                         : (y > line * h && y < (line + 1) * h);
            if (!inLine)
                continue;
        }
        return i;
    }
    return -1;
}

TabLayout::Background TabLayout::Back() const
{
    Background b;
    int W = scaleWidth, H = scaleHeight;
    if (multiLine) {
        int L = BandHeight();
        if (isBottom) {
            b.band = {0, H - L - 1, W, H};
            b.page = {0, 0, W, H - L + 1};
        } else {
            b.band = {0, 0, W, L};
            b.page = {0, L - 1, W, H};
        }
        return b;
    }
    b.open = true;
    if (isBottom) {
        b.band = {0, H - itemHeight, W, H};
        b.page = {0, 0, W, H - itemHeight + 1};
        b.openLine = {0, W, H - itemHeight};
    } else {
        b.band = {0, 0, W, itemHeight};
        b.page = {0, itemHeight - 1, W, H};
        b.openLine = {0, W, itemHeight - 1};
    }
    return b;
}

TabLayout::Selected TabLayout::SelectedLook(int i) const
{
    Selected s;
    kit::Rect r = TabRect(i);
    int end = scaleWidth;
    if (multiLine && Line(i) != Lines() - 1)
        end = Px(Pitch(itemWidth) * PerLine() - 1);
    if (isBottom) {
        s.shape = {r.left, r.top - 1, r.right, r.bottom};
        s.before = {0, r.left, r.top};
        s.after = {r.right - 1, end, r.top};
    } else {
        s.shape = {r.left, r.top, r.right, r.bottom + 1};
        int y = r.top + itemHeight - 1;
        s.before = {0, r.left + 1, y};
        s.after = {r.right - 1, end, y};
    }
    return s;
}

kit::Rect TabLayout::CaptionRect(int i) const
{
    kit::Rect r = TabRect(i);
    return {r.left + 6, r.top, r.right, r.bottom};
}

} // namespace tessara
