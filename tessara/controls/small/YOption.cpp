#include "tessara/controls/small/YOption.h"

#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlSmoothDraw.h"

namespace tessara {

YOption::YOption() : ValueButton(L"YOption", ButtonKind::Option) {}

YOption::~YOption() = default;

void YOption::PaintTo(HDC dc, int width, int height)
{
    kit::FillRectColor(dc, 0, 0, width, height, kit::TranslateColour(BackColor()));
    OptionFace f = OptionFaceFor(height);
    HRGN disc = CreateRoundRectRgn(f.discLeft, f.discTop, f.discRight, f.discBottom, 6, 6);
    HRGN dot = CreateRoundRectRgn(f.dotLeft, f.dotTop, f.dotRight, f.dotBottom, 3, 3);
    // A disabled button shows its idle face (and its choice) with a greyed caption.
    if (Enabled() && IsDown()) {
        kit::SmoothCircle(dc, 7, f.cy, 6, kPressedBlue, 12.0f);
    } else {
        kit::FillRgnColor(dc, disc, kit::kWhite);
        kit::SmoothCircle(dc, 7, f.cy, 6, kFaceBlue, 12.0f);
    }
    if (state_.Selected())
        kit::FillRgnColor(dc, dot, kFaceBlue);
    DrawCaptionFrom(dc, 18, width, height);
    DeleteObject(disc);
    DeleteObject(dot);
}

} // namespace tessara
