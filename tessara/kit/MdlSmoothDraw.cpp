#include "tessara/kit/MdlSmoothDraw.h"

#include "tessara/kit/HdcCanvas.h"

namespace kit {

Colour HdcCanvas::GetPixel(int x, int y) { return ::GetPixel(dc_, x, y); }

void HdcCanvas::SetPixel(int x, int y, Colour c) { ::SetPixelV(dc_, x, y, c); }

void HdcCanvas::FillRects(const Rect* rects, std::size_t count, Colour c)
{
    HBRUSH brush = nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        const Rect& r = rects[i];
        if (r.empty())
            continue;
        if (!brush)
            brush = ::CreateSolidBrush(c);
        const RECT rc{r.left, r.top, r.right, r.bottom};
        ::FillRect(dc_, &rc, brush);
    }
    if (brush)
        ::DeleteObject(brush);
}

void HdcCanvas::FrameRect(const Rect& r, Colour c)
{
    if (r.empty())
        return;
    HBRUSH brush = ::CreateSolidBrush(c);
    const RECT rc{r.left, r.top, r.right, r.bottom};
    ::FrameRect(dc_, &rc, brush);
    ::DeleteObject(brush);
}

void SmoothPixel(HDC dc, float x, float y, Colour colour)
{
    HdcCanvas c(dc);
    shape::SmoothPixel(c, x, y, colour);
}

void SmoothCircle(HDC dc, int cx, int cy, int radius, Colour colour, float angleStep)
{
    HdcCanvas c(dc);
    shape::SmoothCircle(c, cx, cy, radius, colour, angleStep);
}

void SmoothArc(HDC dc, int left, int top, int rx, int ry, Colour colour, float startAngle, float endAngle,
               float angleStep)
{
    HdcCanvas c(dc);
    shape::SmoothArc(c, left, top, rx, ry, colour, startAngle, endAngle, angleStep);
}

float SmoothRoundRect(HDC dc, int left, int top, int right, int bottom, int rx, int ry, Colour colour,
                      float angleStep)
{
    HdcCanvas c(dc);
    return shape::SmoothRoundRect(c, left, top, right, bottom, rx, ry, colour, angleStep);
}

bool GradientFillRect(HDC dc, const RECT& rc, Colour topColour, Colour bottomColour, std::optional<int> bands)
{
    HdcCanvas c(dc);
    return shape::GradientFillRect(c, ToRect(rc), topColour, bottomColour, bands);
}

bool DrawTriangle(HDC dc, Colour colour, const RECT& rc, int direction, int size, int offsetX, int offsetY)
{
    HdcCanvas c(dc);
    return shape::DrawTriangle(c, colour, ToRect(rc), direction, size, offsetX, offsetY);
}

} // namespace kit
