// The frame's outline around a caption set into its top edge, without windows.
#pragma once
#include "tessara/kit/PixelMath.h"

namespace tessara {

// A 1-pixel line drawn from (x1, y1) towards (x2, y2), end point excluded.
struct FrameLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const FrameLine& o) const
    {
        return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2;
    }
};

struct FrameLayout {
    int edgeY = 0;            // row of the top edge: half the caption height
    FrameLine lines[5];       // left, right, bottom, top left of the caption, top right of it
    kit::Rect caption;
};

// Layout for a client of width x height and a caption measuring cx x cy.
FrameLayout LayoutFrame(int width, int height, int cx, int cy);

} // namespace tessara
