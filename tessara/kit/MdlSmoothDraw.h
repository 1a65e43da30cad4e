// Colour arithmetic, anti-aliased pixels, arcs and rounded outlines, the
// banded gradient and the arrow glyph, drawn on a device context. Every
// routine creates and deletes its own GDI objects and leaves nothing
// selected into the caller's surface.
#pragma once
#include "tessara/kit/ColourMath.h"
#include "tessara/kit/ShapeDraw.h"

#include <windows.h>

#include <optional>

namespace kit {

// Arrow directions of DrawTriangle.
using shape::kDown;
using shape::kLeft;
using shape::kRight;
using shape::kUp;

void SmoothPixel(HDC dc, float x, float y, Colour colour);
void SmoothCircle(HDC dc, int cx, int cy, int radius, Colour colour, float angleStep);
// Angle 0 is straight up from the centre (left + rx, top + ry); angles grow
// clockwise.
void SmoothArc(HDC dc, int left, int top, int rx, int ry, Colour colour, float startAngle, float endAngle,
               float angleStep);
// Anti-aliased rounded-rectangle outline. Nothing is drawn for rx < 2,
// ry < 2 or an empty rectangle. Returns the angle step used: radii up to 7
// choose their own step (22.5, 10 or 6), which callers keep as their step.
float SmoothRoundRect(HDC dc, int left, int top, int right, int bottom, int rx, int ry, Colour colour,
                      float angleStep);
// Vertical gradient from top colour to bottom colour in bands (one per
// pixel row when omitted). False, with nothing drawn, when the rectangle
// starts left of or above 0, is empty, or has fewer rows than bands.
bool GradientFillRect(HDC dc, const RECT& rc, Colour topColour, Colour bottomColour,
                      std::optional<int> bands = std::nullopt);
// Solid arrow of `size` rows centred in the rectangle, pointing kUp, kDown,
// kLeft or kRight; offsets move it (1, 1 shows a pressed arrow). False when
// size < 3 or the direction is unknown.
bool DrawTriangle(HDC dc, Colour colour, const RECT& rc, int direction, int size, int offsetX = 0,
                  int offsetY = 0);

} // namespace kit
