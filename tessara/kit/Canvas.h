// The few surface operations the kit's drawing routines are written
// against, so the same command sequences run on a GDI device context and on
// a plain pixel buffer. No Windows header.
#pragma once
#include "tessara/kit/ColourMath.h"
#include "tessara/kit/PixelMath.h"

#include <cstddef>
#include <cstdint>

namespace kit {

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
