// Solid fills and frames and the composite shapes that give every control
// the same look: the rounded two-tone box, the button face, the framed box,
// the tree's expand box and the tab. Each call creates and deletes its own
// brushes.
#pragma once
#include "tessara/kit/ColourMath.h"
#include "tessara/kit/ShapeDraw.h"

#include <windows.h>

namespace kit {

// Sides of DrawTabShape.
using shape::kTabAllRound;
using shape::kTabBottom;
using shape::kTabTop;

// A colour value as painting needs it: system colours (high bit set) become
// their current RGB value, plain RGB values pass unchanged (the host's
// translation, under the kit's name).
Colour TranslateColour(host::Colour c);

void FillRectColor(HDC dc, const RECT& rc, Colour colour);
void FillRectColor(HDC dc, int left, int top, int right, int bottom, Colour colour);
void FrameRectColor(HDC dc, const RECT& rc, Colour colour);
void FrameRectColor(HDC dc, int left, int top, int right, int bottom, Colour colour);
void FillRgnColor(HDC dc, HRGN region, Colour colour);
// Horizontal (y1 == y2) covers (x1, y1)-(x2, y1 + width); vertical (x1 == x2)
// covers (x1, y1)-(x1 + width, y2); any other pair draws nothing.
void FillLine(HDC dc, int x1, int y1, int x2, int y2, Colour colour, int width);

// Rounded two-tone box, radius 2..4 (other radii draw nothing). The outline
// is the base colour, or its 0.1 shade with darkBorder; the body is tint 0.7
// over tint 0.5 (all tint 0.7 when pressed, reversed with swapTones). Full
// fill follows the rounded corners up to the outline.
void DrawRoundBox(HDC dc, int left, int top, int right, int bottom, int radius, Colour base, bool darkBorder,
                  bool pressed, bool fullFill, bool swapTones);
// The round box inset by one pixel; focused adds an inner outline in the
// border colour and an outer one in its 0.5 tint.
void DrawButtonFace(HDC dc, int left, int top, int right, int bottom, int radius, Colour face, Colour border,
                    bool focused, bool pressed, bool fullFill, bool swapTones);
// 1-pixel frame in the colour, interior tint 0.3 (strong) or 0.5 inset by 2.
void DrawFramedBox(HDC dc, int left, int top, int right, int bottom, Colour colour, bool strong);
// Tree expand box: a minus, or a plus when collapsed. Nothing when the box
// is narrower than tall.
void DrawExpandBox(HDC dc, int left, int top, int right, int bottom, Colour colour, bool collapsed);
// A tab rounded on one side (kTabTop, kTabBottom) or all round
// (kTabAllRound), radius 2..4, tones swapped when selected. Returns the angle
// step it used (22.5 or 10; the given one when nothing is drawn).
float DrawTabShape(HDC dc, int left, int top, int right, int bottom, int radius, Colour colour, int side,
                   float angleStep, bool selected);

} // namespace kit
