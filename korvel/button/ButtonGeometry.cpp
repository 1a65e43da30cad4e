#include "ButtonGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kx {

int DiagonalRun(int height)
{
    // Kept as the rounded multiple of four of (H + 1) / 4, which is H + 1.
    return static_cast<int>(std::lround(4.0 * ((height + 1) / 4.0)));
}

int WidenedWidth(int shape, int width, int height)
{
    if (!IsDiagonalShape(shape))
        return width;
    const int d = DiagonalRun(height);
    while (width - d < 5)
        width += 5;
    return width;
}

Edges ShapeEdges(int shape, int width, int height)
{
    Edges e{0, width};
    if (IsDiagonalShape(shape)) {
        const int d = DiagonalRun(height);
        if (HasLeftCut(shape))
            e.leftRun = d;
        if (HasRightCut(shape))
            e.rightEdge = width - d;
    }
    return e;
}

namespace {

std::vector<Point> Pixel(int x, int y) { return {{x, y}, {x + 1, y}, {x + 1, y + 1}, {x, y + 1}}; }

// Corner pieces a style removes, for the left and/or right side.
void AddCorners(std::vector<std::vector<Point>>& out, int style, bool enabled, int W, int H, bool left,
                bool right)
{
    switch (style) {
    case 1:
        if (left) {
            out.push_back(Pixel(0, 0));
            out.push_back(Pixel(0, H - 1));
        }
        if (right) {
            out.push_back(Pixel(W - 1, 0));
            out.push_back(Pixel(W - 1, H - 1));
        }
        break;
    case 3:
        // This look's outline depends on the enabled state.
        if (!enabled)
            break;
        if (left)
            out.push_back(Pixel(0, H - 1));
        if (right)
            out.push_back(Pixel(W - 1, 0));
        break;
    case 2:
    case 7:
        if (left) {
            out.push_back({{0, 0}, {2, 0}, {0, 2}});
            out.push_back({{0, H}, {3, H}, {0, H - 3}});
        }
        if (right) {
            out.push_back({{W, 0}, {W - 2, 0}, {W, 2}});
            out.push_back({{W, H}, {W - 3, H}, {W, H - 3}});
        }
        break;
    default:
        break;
    }
}

}  // namespace

ShapeOutline OutlineFor(int shape, int style, bool enabled, int W, int H)
{
    ShapeOutline o;
    if (IsDiagonalShape(shape)) {
        const int d = DiagonalRun(H);
        const int x1 = HasLeftCut(shape) ? d : 0;
        const int x3 = HasRightCut(shape) ? W - d + 1 : W + 1;
        o.polygon = {{0, 0}, {x1, H + 1}, {W + 1, H + 1}, {x3, 0}};
        // The straight side keeps the rectangle's corner treatment.
        AddCorners(o.cutPieces, style, enabled, W, H, shape == 2, shape == 1);
    } else {
        o.polygon = {{0, 0}, {0, H + 1}, {W + 1, H + 1}, {W + 1, 0}};
        AddCorners(o.cutPieces, style, enabled, W, H, true, true);
    }
    return o;
}

BevelOutlines BevelPoints(int shape, int W, int H, int L, int R)
{
    const int fl = HasLeftCut(shape) ? 1 : 0;
    const int fr = HasRightCut(shape) ? 1 : 0;
    BevelOutlines b;
    b.inner[0] = {L - 4 * fl + 2, H - 3};
    b.inner[1] = {2 * fl + 2, 2};
    b.inner[2] = {R + 3 * fr - 3, 2};
    b.inner[3] = {W - 3 - 3 * fr, H - 3};
    b.inner[4] = {L - 4 * fl + 1, H - 3};
    const Point move[5] = {{fl - 1, 1}, {-fl - 1, -1}, {1 - fr, -1}, {fr + 1, 1}, {-1, 1}};
    for (int i = 0; i < 5; ++i)
        b.middle[i] = {b.inner[i].x + move[i].x, b.inner[i].y + move[i].y};
    b.outer[0] = {L - fl, H - 1 + fl};
    b.outer[1] = {0, 0};
    b.outer[2] = {R + fr - 1, 0};
    b.outer[3] = {W - 1, H - 1 + fr};
    b.outer[4] = {L - 2 * fl - 1, H - 1};
    return b;
}

namespace {
bool Near(std::uint32_t a, std::uint32_t b)
{
    for (int shift = 0; shift < 24; shift += 8) {
        int ca = static_cast<int>((a >> shift) & 0xFF);
        int cb = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(ca - cb) > 3)
            return false;
    }
    return true;
}
}  // namespace

void NormaliseTransparent(std::vector<std::uint32_t>& pixels, int width, int height)
{
    if (width <= 0 || height <= 0 || pixels.size() < static_cast<std::size_t>(width) * height)
        return;
    const std::uint32_t key = pixels[0] & 0xFFFFFF;
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i)
        if (Near(pixels[i], key))
            pixels[i] = (pixels[i] & 0xFF000000u) | key;
}

std::vector<Run> TransparentRuns(const std::vector<std::uint32_t>& pixels, int width, int height)
{
    std::vector<Run> runs;
    if (width <= 0 || height <= 0 || pixels.size() < static_cast<std::size_t>(width) * height)
        return runs;
    const std::uint32_t key = pixels[0] & 0xFFFFFF;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = &pixels[static_cast<std::size_t>(y) * width];
        int x = 0;
        while (x < width) {
            if ((row[x] & 0xFFFFFF) != key) {
                ++x;
                continue;
            }
            int start = x;
            while (x < width && (row[x] & 0xFFFFFF) == key)
                ++x;
            runs.push_back({y, start, x});
        }
    }
    return runs;
}

Size FitInto(int pw, int ph, int bw, int bh)
{
    if (pw <= 0 || ph <= 0 || bw <= 0 || bh <= 0)
        return {std::max(bw, 0), std::max(bh, 0)};
    const double scale = std::min(static_cast<double>(bw) / pw, static_cast<double>(bh) / ph);
    Size s{static_cast<int>(pw * scale), static_cast<int>(ph * scale)};
    s.width = std::clamp(s.width, 1, bw);
    s.height = std::clamp(s.height, 1, bh);
    return s;
}

}  // namespace kx
