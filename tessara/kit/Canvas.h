// The few surface operations the kit's drawing routines are written
// against, so the same command sequences run on a GDI device context and on
// a plain pixel buffer. No Windows header.
#pragma once
#include "tessara/kit/ColourMath.h"

#include <cstddef>
#include <cstdint>

namespace kit {

// Left, top, right, bottom; right and bottom are exclusive.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const Rect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// What reading a pixel outside the surface gives.
constexpr Colour kInvalidPixel = 0xFFFFFFFF;

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual Colour GetPixel(int x, int y) = 0;
    // Outside the surface: ignored.
    virtual void SetPixel(int x, int y, Colour c) = 0;
    // Fills each rectangle with one solid brush of the colour; empty or
    // inverted rectangles are skipped.
    virtual void FillRects(const Rect* rects, std::size_t count, Colour c) = 0;
    // A 1-pixel frame just inside the rectangle.
    virtual void FrameRect(const Rect& r, Colour c) = 0;

    void Fill(const Rect& r, Colour c) { FillRects(&r, 1, c); }
};

} // namespace kit
