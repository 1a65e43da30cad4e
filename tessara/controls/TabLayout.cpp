#include "tessara/controls/TabLayout.h"

namespace tessara {

int TabLayout::Lines() const
{
    if (!multiLine)
        return 1;
    int per = PerLine();
    return (tabCount + per - 1) / per;
}

PixelRect TabLayout::TabRect(int i) const
{
    int x0 = Column(i) * (itemWidth + 1);
    int line = Line(i);
    if (isBottom) {
        int t = scaleHeight - itemHeight * (line + 1);
        return {x0, t, x0 + itemWidth, t + itemHeight};
    }
    return {x0, line * itemHeight, x0 + itemWidth, line * itemHeight + itemHeight};
}

int TabLayout::HitTest(int x, int y) const
{
    int columns = multiLine ? PerLine() : tabCount;
    int band = BandHeight();
    if (x < 1 || x >= (itemWidth + 1) * columns - 1)
        return -1;
    if (isBottom) {
        if (!(y > scaleHeight - band && y < scaleHeight))
            return -1;
    } else if (y < 1 || y >= band) {
        return -1;
    }
    for (int i = 0; i < tabCount; ++i) {
        int x0 = Column(i) * (itemWidth + 1);
        if (!(x > x0 && x < x0 + itemWidth))
            continue;
        if (multiLine) {
            int line = Line(i);
            bool inLine = isBottom
                ? (y > scaleHeight - (line + 1) * itemHeight && y < scaleHeight - line * itemHeight)
                : (y > line * itemHeight && y < (line + 1) * itemHeight);
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
    PixelRect r = TabRect(i);
    int end = scaleWidth;
    if (multiLine && Line(i) != Lines() - 1)
        end = (itemWidth + 1) * PerLine() - 1;
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

PixelRect TabLayout::CaptionRect(int i) const
{
    PixelRect r = TabRect(i);
    return {r.left + 6, r.top, r.right, r.bottom};
}

} // namespace tessara
