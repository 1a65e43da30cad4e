// The kit's drawing algorithms (anti-aliased outlines, banded gradient,
// arrow glyph, composite shapes) as command sequences on a Canvas. The
// Win32 entry points in MdlSmoothDraw/MdlGDI wrap a device context and call
// these. No Windows header.
#pragma once
#include "tessara/kit/Canvas.h"

#include <array>
#include <optional>

namespace kit::shape {

enum Direction { kUp = 1, kDown = 2, kLeft = 3, kRight = 4 };
enum TabSide { kTabAllRound = 0, kTabTop = 1, kTabBottom = 2 };

void SmoothPixel(Canvas& c, float x, float y, Colour colour);
// Angle 0 points straight up, angles grow clockwise. A step that is not
// positive draws nothing (it would never reach the end angle).
void SmoothArc(Canvas& c, int left, int top, int rx, int ry, Colour colour, float startAngle, float endAngle,
               float step);
void SmoothCircle(Canvas& c, int cx, int cy, int radius, Colour colour, float step);
// Returns the angle step in effect: the caller's step, or the one chosen for
// small radii (22.5, 10 or 6 degrees) which the caller should keep.
float SmoothRoundRect(Canvas& c, int left, int top, int right, int bottom, int rx, int ry, Colour colour,
                      float step);

// Vertical gradient; bands omitted means one band per pixel row. Returns
// false and draws nothing for a rectangle left or above 0, an empty one, a
// band count below 1 or more bands than rows.
bool GradientFillRect(Canvas& c, const Rect& rc, Colour top, Colour bottom, std::optional<int> bands = std::nullopt);

// Where the first row (up/down) or column (left/right) of the arrow starts.
struct TrianglePlace {
    int x = 0;
    int y = 0;
};
TrianglePlace PlaceTriangle(const Rect& rc, int direction, int size, int offsetX, int offsetY);
bool DrawTriangle(Canvas& c, Colour colour, const Rect& rc, int direction, int size, int offsetX = 0,
                  int offsetY = 0);

void FillLine(Canvas& c, int x1, int y1, int x2, int y2, Colour colour, int width);

// The two body tones of the rounded box.
struct BoxTones {
    Colour upper;
    Colour lower;
};
BoxTones RoundBoxTones(Colour base, bool pressed, bool swapTones);

void DrawRoundBox(Canvas& c, int left, int top, int right, int bottom, int radius, Colour base, bool darkBorder,
                  bool pressed, bool fullFill, bool swapTones);
void DrawButtonFace(Canvas& c, int left, int top, int right, int bottom, int radius, Colour face, Colour border,
                    bool focused, bool pressed, bool fullFill, bool swapTones);
void DrawFramedBox(Canvas& c, int left, int top, int right, int bottom, Colour colour, bool strong);
void DrawExpandBox(Canvas& c, int left, int top, int right, int bottom, Colour colour, bool collapsed);
// Returns the angle step in effect (22.5 for radius 2 and 3, 10 for 4; the
// caller's step when nothing is drawn).
float DrawTabShape(Canvas& c, int left, int top, int right, int bottom, int radius, Colour colour, int side,
                   float step, bool selected);

// The five stretch copies of a bordered blit, in drawing order (top,
// bottom, left, right, centre): destination and source rectangles as
// x, y, width, height.
struct BlitPart {
    int dx, dy, dw, dh;
    int sx, sy, sw, sh;
};
std::array<BlitPart, 5> BorderBlitParts(int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh, int edge);

} // namespace kit::shape
