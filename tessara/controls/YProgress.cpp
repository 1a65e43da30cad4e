#include "tessara/controls/YProgress.h"

#include "tessara/kit/HookLists.h"
#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlMemDC.h"
#include "tessara/kit/MdlSmoothDraw.h"

namespace tessara {

namespace {

constexpr host::Colour kFillTop = 0x00FFD6B3;     // RGB 179,214,255
constexpr host::Colour kFillBottom = 0x00FFF4D1;  // RGB 209,244,255
constexpr host::Colour kOutline = 0x00EBC29F;     // RGB 159,194,235

} // namespace

YProgress::YProgress() : UserControl(L"YProgress") {}

YProgress::~YProgress() = default;

void YProgress::Invalidate()
{
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, FALSE);
}

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

void YProgress::Hook()
{
    if (!UserMode() || hook_.IsHooked(hWnd()))
        return;
    hook_.HookAttach(hWnd());
    hook_.HookWatch(hWnd(), WM_PAINT, kit::HookBefore);
}

void YProgress::InitProperties()
{
    Hook();
}

void YProgress::ReadProperties(const host::PropertyBag& bag)
{
    fill_.Restore(bag.readLong(L"MinV", 0), bag.readLong(L"MaxV", 100), bag.readLong(L"Value", 0));
    UserControl::SetBackColor(bag.readColour(L"BackColor", BackColor()));
    UserControl::SetForeColor(bag.readColour(L"ForeColor", ForeColor()));
    UserControl::SetFont(bag.readFont(L"Font", Font()));
    Hook();
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

void YProgress::Terminate()
{
    try {
        hook_.HookDetachAll();
    } catch (...) {
        // Tearing down goes on whatever the hook says.
    }
}

void YProgress::PaintProgress(HDC dc, int width, int height) const
{
    kit::FillRectColor(dc, 0, 0, width, height, kit::TranslateColour(BackColor()));
    RECT bar{1, 1, fill_.FillRight(), height - 1};
    kit::GradientFillRect(dc, bar, kFillTop, kFillBottom);  // draws nothing for an empty fill
    kit::SmoothRoundRect(dc, 0, 0, width, height, 3, 3, kOutline, 3.0f);
}

void YProgress::Paint()
{
    if (UserMode())
        return;
    PaintProgress(hDC(), ScaleWidth(), ScaleHeight());
}

void YProgress::zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT& uMsg,
                               WPARAM& wParam, LPARAM& lParam)
{
    if (!bBefore || uMsg != WM_PAINT)
        return;
    kit::PaintCycle cycle(hWnd, &Font(), ForeColor());
    PaintProgress(cycle.surface(), cycle.width(), cycle.height());
    cycle.Present();
}

} // namespace tessara
