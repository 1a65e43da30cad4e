#include "tessara/controls/small/FrameLayout.h"

namespace tessara {

FrameLayout LayoutFrame(int width, int height, int cx, int cy)
{
    FrameLayout f;
    int m = static_cast<int>(kit::RoundHalfEven(cy * 0.5));
    f.edgeY = m;
    f.lines[0] = {0, m, 0, height};
    f.lines[1] = {width - 1, m, width - 1, height};
    f.lines[2] = {0, height - 1, width, height - 1};
    f.lines[3] = {0, m, 8, m};
    f.lines[4] = {cx + 12, m, width, m};
    f.caption = {10, 0, width, cy};
    return f;
}

} // namespace tessara
