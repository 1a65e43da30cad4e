#include "tessara/kit/MdlGDI.h"

#include "tessara/kit/HdcCanvas.h"

#include "host/App.h"

namespace kit {

Colour TranslateColour(host::Colour c) { return host::TranslateColour(c); }

void FillRectColor(HDC dc, const RECT& rc, Colour colour)
{
    HdcCanvas c(dc);
    c.Fill(ToRect(rc), colour);
}

void FillRectColor(HDC dc, int left, int top, int right, int bottom, Colour colour)
{
    FillRectColor(dc, RECT{left, top, right, bottom}, colour);
}

void FrameRectColor(HDC dc, const RECT& rc, Colour colour)
{
    HdcCanvas c(dc);
    c.FrameRect(ToRect(rc), colour);
}

void FrameRectColor(HDC dc, int left, int top, int right, int bottom, Colour colour)
{
    FrameRectColor(dc, RECT{left, top, right, bottom}, colour);
}

void FillRgnColor(HDC dc, HRGN region, Colour colour)
{
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRgn(dc, region, brush);
    ::DeleteObject(brush);
}

void FillLine(HDC dc, int x1, int y1, int x2, int y2, Colour colour, int width)
{
    HdcCanvas c(dc);
    shape::FillLine(c, x1, y1, x2, y2, colour, width);
}

void DrawRoundBox(HDC dc, int left, int top, int right, int bottom, int radius, Colour base, bool darkBorder,
                  bool pressed, bool fullFill, bool swapTones)
{
    HdcCanvas c(dc);
    shape::DrawRoundBox(c, left, top, right, bottom, radius, base, darkBorder, pressed, fullFill, swapTones);
}

void DrawButtonFace(HDC dc, int left, int top, int right, int bottom, int radius, Colour face, Colour border,
                    bool focused, bool pressed, bool fullFill, bool swapTones)
{
    HdcCanvas c(dc);
    shape::DrawButtonFace(c, left, top, right, bottom, radius, face, border, focused, pressed, fullFill, swapTones);
}

void DrawFramedBox(HDC dc, int left, int top, int right, int bottom, Colour colour, bool strong)
{
    HdcCanvas c(dc);
    shape::DrawFramedBox(c, left, top, right, bottom, colour, strong);
}

void DrawExpandBox(HDC dc, int left, int top, int right, int bottom, Colour colour, bool collapsed)
{
    HdcCanvas c(dc);
    shape::DrawExpandBox(c, left, top, right, bottom, colour, collapsed);
}

float DrawTabShape(HDC dc, int left, int top, int right, int bottom, int radius, Colour colour, int side,
                   float angleStep, bool selected)
{
    HdcCanvas c(dc);
    return shape::DrawTabShape(c, left, top, right, bottom, radius, colour, side, angleStep, selected);
}

} // namespace kit
