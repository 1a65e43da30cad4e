#include "tessara/kit/ShapeDraw.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace kit::shape {

namespace {

// The degree factor the look was tuned with (not the exact value of pi).
constexpr double kDegToRad = 3.1415926 / 180.0;

Rect R(int l, int t, int r, int b) { return Rect{l, t, r, b}; }

// Angle step the outline of a rounded shape uses for a corner radius, or
// 0 when the caller's step applies.
float RoundRectStepFor(int rx, int ry)
{
    const int m = rx > ry ? rx : ry;
    if (m <= 3)
        return 22.5f;
    if (m <= 6)
        return 10.0f;
    if (m == 7)
        return 6.0f;
    return 0.0f;
}

void FourCornerArcs(Canvas& c, int left, int top, int right, int bottom, int rx, int ry, Colour colour, float step)
{
    SmoothArc(c, left, top, rx, ry, colour, 270.0f, 360.0f, step);
    SmoothArc(c, right - 2 * rx - 1, top, rx, ry, colour, 0.0f, 90.0f, step);
    SmoothArc(c, left, bottom - 2 * ry - 1, rx, ry, colour, 180.0f, 270.0f, step);
    SmoothArc(c, right - 2 * rx - 1, bottom - 2 * ry - 1, rx, ry, colour, 90.0f, 180.0f, step);
}

void FourEdges(Canvas& c, int left, int top, int right, int bottom, int rx, int ry, Colour colour)
{
    const Rect edges[4] = {
        R(left + rx, top, right - rx - 1, top + 1),
        R(left + rx, bottom - 1, right - rx - 1, bottom),
        R(left, top + ry, left + 1, bottom - ry - 1),
        R(right - 1, top + ry, right, bottom - ry - 1),
    };
    c.FillRects(edges, 4, colour);
}

// Upper half of a fully filled rounded body, following the corner of the
// given radius (2..4) down to row top + hh.
void FullFillUpper(Canvas& c, int left, int top, int right, int radius, int hh, Colour tone)
{
    switch (radius) {
    case 2:
        FillLine(c, left + 2, top + 1, right - 2, top + 1, tone, 1);
        c.Fill(R(left + 1, top + 2, right - 1, top + hh), tone);
        break;
    case 3:
        FillLine(c, left + 3, top + 1, right - 3, top + 1, tone, 1);
        FillLine(c, left + 2, top + 2, right - 2, top + 2, tone, 1);
        c.Fill(R(left + 1, top + 3, right - 1, top + hh), tone);
        break;
    case 4:
        FillLine(c, left + 4, top + 1, right - 4, top + 1, tone, 1);
        FillLine(c, left + 2, top + 2, right - 2, top + 2, tone, 2);
        c.Fill(R(left + 1, top + 4, right - 1, top + hh), tone);
        break;
    default:
        break;
    }
}

// Lower half, from row mid down to the bottom corner of the given radius.
void FullFillLower(Canvas& c, int left, int mid, int right, int bottom, int radius, Colour tone)
{
    switch (radius) {
    case 2:
        c.Fill(R(left + 1, mid, right - 1, bottom - 2), tone);
        FillLine(c, left + 2, bottom - 2, right - 2, bottom - 2, tone, 1);
        break;
    case 3:
        c.Fill(R(left + 1, mid, right - 1, bottom - 3), tone);
        FillLine(c, left + 2, bottom - 3, right - 2, bottom - 3, tone, 1);
        FillLine(c, left + 3, bottom - 2, right - 3, bottom - 2, tone, 1);
        break;
    case 4:
        c.Fill(R(left + 1, mid, right - 1, bottom - 4), tone);
        FillLine(c, left + 2, bottom - 4, right - 2, bottom - 4, tone, 2);
        FillLine(c, left + 4, bottom - 2, right - 4, bottom - 2, tone, 1);
        break;
    default:
        break;
    }
}

} // namespace

void SmoothPixel(Canvas& c, float x, float y, Colour colour)
{
    const int ix = static_cast<int>(std::floor(x));
    const int iy = static_cast<int>(std::floor(y));
    // Each intermediate is stored as a float so that x87 and SSE builds
    // round the weights identically.
    const float fx = x - static_cast<float>(ix);
    const float fy = y - static_cast<float>(iy);
    const float gx = 1.0f - fx;
    const float gy = 1.0f - fy;
    const float w0 = gx * gy;
    const float w1 = fx * gy;
    const float w2 = gx * fy;
    const float w3 = fx * fy;
    const Colour p0 = c.GetPixel(ix, iy);
    const Colour p1 = c.GetPixel(ix + 1, iy);
    const Colour p2 = c.GetPixel(ix, iy + 1);
    const Colour p3 = c.GetPixel(ix + 1, iy + 1);
    c.SetPixel(ix, iy, BlendColor(p0, colour, w0));
    c.SetPixel(ix + 1, iy, BlendColor(p1, colour, w1));
    c.SetPixel(ix, iy + 1, BlendColor(p2, colour, w2));
    c.SetPixel(ix + 1, iy + 1, BlendColor(p3, colour, w3));
}

void SmoothArc(Canvas& c, int left, int top, int rx, int ry, Colour colour, float startAngle, float endAngle,
               float step)
{
    if (!(step > 0.0f))
        return;
    const double cx = static_cast<double>(left) + rx;
    const double cy = static_cast<double>(top) + ry;
    for (float a = startAngle; a <= endAngle; a += step) {
        const double rad = static_cast<double>(a) * kDegToRad;
        const float x = static_cast<float>(cx + rx * std::sin(rad));
        const float y = static_cast<float>(cy - ry * std::cos(rad));
        SmoothPixel(c, x, y, colour);
    }
}

void SmoothCircle(Canvas& c, int cx, int cy, int radius, Colour colour, float step)
{
    SmoothArc(c, cx - radius, cy - radius, radius, radius, colour, 0.0f, 360.0f, step);
}

float SmoothRoundRect(Canvas& c, int left, int top, int right, int bottom, int rx, int ry, Colour colour, float step)
{
    if (rx < 2 || ry < 2 || top >= bottom || left >= right)
        return step;
    const float chosen = RoundRectStepFor(rx, ry);
    if (chosen > 0.0f)
        step = chosen;
    FourCornerArcs(c, left, top, right, bottom, rx, ry, colour, step);
    FourEdges(c, left, top, right, bottom, rx, ry, colour);
    return step;
}

bool GradientFillRect(Canvas& c, const Rect& rc, Colour top, Colour bottom, std::optional<int> bands)
{
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    const int n = bands ? *bands : height;
    if (rc.left < 0 || rc.top < 0 || width < 1 || height < 1 || n < 1)
        return false;
    const int bandHeight = height / n;
    if (bandHeight == 0)
        return false;

    const RGBTriple from = ColorToRGB(top);
    const RGBTriple to = ColorToRGB(bottom);
    const auto nb = static_cast<std::int16_t>(n > 32767 ? 32767 : n);
    const std::int16_t sr = GradientStep(from.red, to.red, nb);
    const std::int16_t sg = GradientStep(from.green, to.green, nb);
    const std::int16_t sb = GradientStep(from.blue, to.blue, nb);

    // Start one step before the top colour and one band above the rectangle.
    std::int16_t r = static_cast<std::int16_t>(from.red - sr);
    std::int16_t g = static_cast<std::int16_t>(from.green - sg);
    std::int16_t b = static_cast<std::int16_t>(from.blue - sb);
    auto advance = [&] {
        r = ClampToTarget(static_cast<std::int16_t>(r + sr), from.red, to.red);
        g = ClampToTarget(static_cast<std::int16_t>(g + sg), from.green, to.green);
        b = ClampToTarget(static_cast<std::int16_t>(b + sb), from.blue, to.blue);
    };
    int bandTop = rc.top - bandHeight;
    int bandBottom = rc.top;
    for (int i = 0; i < n; ++i) {
        bandTop += bandHeight;
        bandBottom = bandTop + bandHeight;
        advance();
        c.Fill(R(rc.left, bandTop, rc.right, bandBottom), MakeRGB(r, g, b));
    }
    if (bandBottom < rc.bottom) {
        advance();
        c.Fill(R(rc.left, bandBottom, rc.right, rc.bottom), MakeRGB(r, g, b));
    }
    return true;
}

TrianglePlace PlaceTriangle(const Rect& rc, int direction, int size, int offsetX, int offsetY)
{
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    const int base = 2 * size - 1;
    TrianglePlace p;
    if (direction == kUp || direction == kDown) {
        p.x = rc.left + (w - base) / 2;
        p.y = rc.top + (h - size) / 2;
    } else {
        p.x = rc.left + (w - size) / 2;
        p.y = rc.top + (h - base) / 2;
    }
    p.x += offsetX;
    p.y += offsetY;
    return p;
}

bool DrawTriangle(Canvas& c, Colour colour, const Rect& rc, int direction, int size, int offsetX, int offsetY)
{
    if (size < 3 || direction < kUp || direction > kRight)
        return false;
    const TrianglePlace p = PlaceTriangle(rc, direction, size, offsetX, offsetY);
    std::vector<Rect> rows;
    rows.reserve(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i) {
        const int inset = size - 1 - i;  // distance of row i's ends from the base's ends
        const int span = 2 * i + 1;
        switch (direction) {
        case kUp:
            rows.push_back(R(p.x + inset, p.y + i, p.x + inset + span, p.y + i + 1));
            break;
        case kDown:
            rows.push_back(R(p.x + inset, p.y + size - 1 - i, p.x + inset + span, p.y + size - i));
            break;
        case kLeft:
            rows.push_back(R(p.x + i, p.y + inset, p.x + i + 1, p.y + inset + span));
            break;
        default:
            rows.push_back(R(p.x + size - 1 - i, p.y + inset, p.x + size - i, p.y + inset + span));
            break;
        }
    }
    c.FillRects(rows.data(), rows.size(), colour);
    return true;
}

void FillLine(Canvas& c, int x1, int y1, int x2, int y2, Colour colour, int width)
{
    if (y1 == y2)
        c.Fill(R(x1, y1, x2, y1 + width), colour);
    else if (x1 == x2)
        c.Fill(R(x1, y1, x1 + width, y2), colour);
}

BoxTones RoundBoxTones(Colour base, bool pressed, bool swapTones)
{
    const Colour light = TintColor(base, kTint07);
    const Colour mid = TintColor(base, kTint05);
    BoxTones t{light, mid};
    if (pressed)
        t.lower = light;
    else if (swapTones)
        t = BoxTones{mid, light};
    return t;
}

void DrawRoundBox(Canvas& c, int left, int top, int right, int bottom, int radius, Colour base, bool darkBorder,
                  bool pressed, bool fullFill, bool swapTones)
{
    if (radius < 2 || radius > 4)
        return;
    const BoxTones tones = RoundBoxTones(base, pressed, swapTones);
    const Colour outline = darkBorder ? ShadeColor(base, kShade01) : base;
    SmoothRoundRect(c, left, top, right, bottom, radius, radius, outline, 3.0f);
    const int hh = (bottom - top) / 2;
    if (!fullFill) {
        c.Fill(R(left + 2, top + 2, right - 2, top + hh), tones.upper);
        c.Fill(R(left + 2, top + hh, right - 2, bottom - 2), tones.lower);
        return;
    }
    FullFillUpper(c, left, top, right, radius, hh, tones.upper);
    FullFillLower(c, left, top + hh, right, bottom, radius, tones.lower);
}

void DrawButtonFace(Canvas& c, int left, int top, int right, int bottom, int radius, Colour face, Colour border,
                    bool focused, bool pressed, bool fullFill, bool swapTones)
{
    if (radius < 2 || radius > 4)
        return;
    if (!focused) {
        DrawRoundBox(c, left + 1, top + 1, right - 1, bottom - 1, radius, face, false, pressed, fullFill, swapTones);
        return;
    }
    DrawRoundBox(c, left + 1, top + 1, right - 1, bottom - 1, radius, face, false, pressed, fullFill, false);
    SmoothRoundRect(c, left + 1, top + 1, right - 1, bottom - 1, radius, radius, border, 3.0f);
    SmoothRoundRect(c, left, top, right, bottom, radius + 1, radius + 1, TintColor(border, kTint05), 3.0f);
}

void DrawFramedBox(Canvas& c, int left, int top, int right, int bottom, Colour colour, bool strong)
{
    const Colour interior = TintColor(colour, strong ? kTint03 : kTint05);
    c.FrameRect(R(left, top, right, bottom), colour);
    c.Fill(R(left + 2, top + 2, right - 2, bottom - 2), interior);
}

void DrawExpandBox(Canvas& c, int left, int top, int right, int bottom, Colour colour, bool collapsed)
{
    const int w = right - left;
    const int h = bottom - top;
    if (w < h)
        return;
    DrawRoundBox(c, left, top, right, bottom, 2, colour, false, false, true, false);
    const int midY = top + static_cast<int>(std::floor(static_cast<double>(h) * 0.5));
    if (collapsed) {
        const int midX = left + static_cast<int>(std::floor(static_cast<double>(w) * 0.5));
        FillLine(c, midX, top + 2, midX, bottom - 2, colour, 1);
    }
    FillLine(c, left + 2, midY, right - 2, midY, colour, 1);
}

float DrawTabShape(Canvas& c, int left, int top, int right, int bottom, int radius, Colour colour, int side,
                   float step, bool selected)
{
    if (radius == 2 || radius == 3)
        step = 22.5f;
    else if (radius == 4)
        step = 10.0f;
    else
        return step;
    if (side < kTabAllRound || side > kTabBottom)
        return step;

    BoxTones tones{TintColor(colour, kTint07), TintColor(colour, kTint05)};
    if (selected)
        tones = BoxTones{tones.lower, tones.upper};
    const int hh = (bottom - top) / 2;
    const int r = radius;

    if (side == kTabTop) {
        SmoothArc(c, left, top, r, r, colour, 270.0f, 360.0f, step);
        SmoothArc(c, right - 2 * r - 1, top, r, r, colour, 0.0f, 90.0f, step);
        const Rect edges[3] = {
            R(left + r, top, right - r - 1, top + 1),
            R(left, top + r, left + 1, bottom - 1),
            R(right - 1, top + r, right, bottom - 1),
        };
        c.FillRects(edges, 3, colour);
        FullFillUpper(c, left, top, right, r, hh, tones.upper);
        c.Fill(R(left + 1, top + hh, right - 1, bottom - 1), tones.lower);
    } else if (side == kTabBottom) {
        SmoothArc(c, left, bottom - 2 * r - 1, r, r, colour, 180.0f, 270.0f, step);
        SmoothArc(c, right - 2 * r - 1, bottom - 2 * r - 1, r, r, colour, 90.0f, 180.0f, step);
        const Rect edges[3] = {
            R(left + r, bottom - 1, right - r - 1, bottom),
            R(left, top + 1, left + 1, bottom - r - 1),
            R(right - 1, top + 1, right, bottom - r - 1),
        };
        c.FillRects(edges, 3, colour);
        c.Fill(R(left + 1, top + 1, right - 1, top + hh), tones.upper);
        FullFillLower(c, left, top + hh, right, bottom, r, tones.lower);
    } else {
        FourCornerArcs(c, left, top, right, bottom, r, r, colour, step);
        FourEdges(c, left, top, right, bottom, r, r, colour);
        FullFillUpper(c, left, top, right, r, hh, tones.upper);
        FullFillLower(c, left, top + hh, right, bottom, r, tones.lower);
    }
    return step;
}

std::array<BlitPart, 5> BorderBlitParts(int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh, int edge)
{
    const int e = edge;
    return {{
        {dx, dy, dw, e, sx, sy, sw, e},
        {dx, dy + dh - e, dw, e, sx, sy + sh - e, sw, e},
        {dx, dy + e, e, dh - 2 * e, sx, sy + e, e, sh - 2 * e},
        {dx + dw - e, dy + e, e, dh - 2 * e, sx + sw - e, sy + e, e, sh - 2 * e},
        {dx + e, dy + e, dw - 2 * e, dh - 2 * e, sx + e, sy + e, sw - 2 * e, sh - 2 * e},
    }};
}

} // namespace kit::shape
