#include "tessara/controls/small/YProgress.h"

#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlSmoothDraw.h"

namespace tessara {

namespace {

constexpr host::Colour kFillTop = 0x00FFD6B3;     // RGB 179,214,255
constexpr host::Colour kFillBottom = 0x00FFF4D1;  // RGB 209,244,255
constexpr host::Colour kOutline = 0x00EBC29F;     // RGB 159,194,235

} // namespace

YProgress::YProgress() : ControlSkeleton(L"YProgress", {WM_PAINT}, Options().NoText()) {}

YProgress::~YProgress() = default;

void YProgress::SetMinV(int v)
{
    if (fill_.SetMinV(v))
        Invalidate();
}

void YProgress::SetMaxV(int v)
{
    if (fill_.SetMaxV(v))
        Invalidate();
}

void YProgress::SetValue(int v)
{
    if (fill_.SetValue(v))
        Invalidate();
}

void YProgress::SetFont(const host::Font& font)
{
    UserControl::SetFont(font);
    Invalidate();
}

void YProgress::ReadStored(const host::PropertyBag& bag)
{
    fill_.Restore(bag.readLong(L"MinV", 0), bag.readLong(L"MaxV", 100), bag.readLong(L"Value", 0));
    UserControl::SetBackColor(bag.readColour(L"BackColor", BackColor()));
    UserControl::SetForeColor(bag.readColour(L"ForeColor", ForeColor()));
    UserControl::SetFont(bag.readFont(L"Font", Font()));
}

void YProgress::WriteProperties(host::PropertyBag& bag)
{
    bag.set(L"MinV", std::int64_t{MinV()});
    bag.set(L"MaxV", std::int64_t{MaxV()});
    bag.set(L"Value", std::int64_t{Value()});
    bag.set(L"BackColor", std::int64_t{BackColor()});
    bag.set(L"ForeColor", std::int64_t{ForeColor()});
    bag.set(L"Font", Font());
}

void YProgress::Resize()
{
    fill_.Recalc(ScaleWidth());
}

void YProgress::PaintTo(HDC dc, int width, int height)
{
    kit::FillRectColor(dc, 0, 0, width, height, kit::TranslateColour(BackColor()));
    RECT bar{1, 1, fill_.FillRight(), height - 1};
    kit::GradientFillRect(dc, bar, kFillTop, kFillBottom);  // draws nothing for an empty fill
    kit::SmoothRoundRect(dc, 0, 0, width, height, 3, 3, kOutline, 3.0f);
}

} // namespace tessara
