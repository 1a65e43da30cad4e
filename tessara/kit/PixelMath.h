// Whole-pixel arithmetic every control shares: the host's one rounding rule
// (halves to the even neighbour) under the kit's names, and the one
// rectangle type of the window-free code. No Windows header.
#pragma once
#include "host/PixelMath.h"

#include <cstdint>

namespace kit {

using host::MulDivRound;
using host::RoundHalfEven;

// Left, top, right, bottom in pixels; right and bottom are exclusive.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const Rect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const Rect& o) const { return !(*this == o); }
};

// The rectangle of a child window placed at (left, top) with that size.
constexpr Rect SizedRect(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    return Rect{left, top, left + width, top + height};
}

} // namespace kit
