// Geometry of the kxButtons_H button window: diagonal cuts, the outline
// of each shape, the corner pieces each style cuts off, the three bevel
// outlines, and the transparent runs of a picture that shapes 7 and 8 are
// cut from. Everything is pixels in the client area. No Windows header.
#pragma once
#include <cstdint>
#include <vector>

namespace kx {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// Shapes: 0 rectangle, 1 left cut, 2 right cut, 3 both cuts, 4..6 ovals,
// 7 and 8 cut from the picture.
constexpr bool IsDiagonalShape(int shape) { return shape >= 1 && shape <= 3; }
constexpr bool IsOvalShape(int shape) { return shape >= 4 && shape <= 6; }
constexpr bool IsPictureShape(int shape) { return shape == 7 || shape == 8; }
constexpr bool HasLeftCut(int shape) { return shape == 1 || shape == 3; }
constexpr bool HasRightCut(int shape) { return shape == 2 || shape == 3; }

// Width of a diagonal cut for a client height.
int DiagonalRun(int height);

// The width a diagonal button must have: widened in steps of 5 pixels
// until the straight part is at least 5 pixels wide. Other shapes keep
// their width.
int WidenedWidth(int shape, int width, int height);

// LeftRun (0 or the left cut's width) and RightEdge (W or where the right
// cut begins).
struct Edges {
    int leftRun = 0;
    int rightEdge = 0;
};
Edges ShapeEdges(int shape, int width, int height);

// The window outline of a shape 0 to 3: a polygon, plus the corner pieces
// the style removes from its straight sides (each piece a polygon; a
// single-pixel piece is a 1x1 square).
struct ShapeOutline {
    std::vector<Point> polygon;
    std::vector<std::vector<Point>> cutPieces;
};
ShapeOutline OutlineFor(int shape, int style, bool enabled, int width, int height);

// The three nested bevel outlines, five points each: inner (slots 1-4),
// middle (5-8), outer (9-12). Sides run left (up), top, right (down),
// bottom (leftwards).
struct BevelOutlines {
    Point inner[5];
    Point middle[5];
    Point outer[5];
};
BevelOutlines BevelPoints(int shape, int width, int height, int leftRun, int rightEdge);

// Sets every pixel whose channels all lie within 3 of the top-left pixel to
// exactly that colour, so the transparent colour is one value. Pixels are
// 0x00BBGGRR (or any layout with the channels in the low three bytes),
// row by row.
void NormaliseTransparent(std::vector<std::uint32_t>& pixels, int width, int height);

// Runs of the transparent (top-left) colour, row by row: each is [x0, x1)
// on row y.
struct Run {
    int y = 0;
    int x0 = 0;
    int x1 = 0;
    bool operator==(const Run& o) const { return y == o.y && x0 == o.x0 && x1 == o.x1; }
};
std::vector<Run> TransparentRuns(const std::vector<std::uint32_t>& pixels, int width, int height);

// A picture fitted into a box keeping its proportions (the smaller of the
// two ratios).
struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size& o) const { return width == o.width && height == o.height; }
};
Size FitInto(int picWidth, int picHeight, int boxWidth, int boxHeight);

}  // namespace kx
