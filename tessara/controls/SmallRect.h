// A rectangle in client pixels (right and bottom exclusive), for the
// window-free layout code of the small controls.
#pragma once
#include "tessara/kit/ColourMath.h"

namespace tessara {

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PixelRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const PixelRect& o) const { return !(*this == o); }
};

// Nearest whole pixel, halves to even.
inline int RoundPx(double v) { return static_cast<int>(kit::RoundHalfEven(v)); }

} // namespace tessara
