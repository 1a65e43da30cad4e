#include "tessara/controls/SmallButton.h"

#include "tessara/kit/HookLists.h"
#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlMemDC.h"

namespace tessara {

namespace {

const UINT kWatched[] = {WM_PAINT,      WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MOUSEMOVE,
                         WM_MOUSELEAVE, WM_LBUTTONUP,   WM_KILLFOCUS};

} // namespace

SmallButton::SmallButton(const wchar_t* kind, ButtonKind buttonKind) : UserControl(kind), state_(buttonKind) {}

SmallButton::~SmallButton() = default;

void SmallButton::SetCaption(const std::wstring& caption)
{
    caption_ = caption;
    CaptionChanged(caption_);
    Repaint();
}

void SmallButton::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    Repaint();
}

void SmallButton::SetFont(const host::Font& font)
{
    UserControl::SetFont(font);
    Repaint();
}

void SmallButton::SetBackColor(host::Colour c)
{
    UserControl::SetBackColor(c);
    Repaint();
}

void SmallButton::SetForeColor(host::Colour c)
{
    UserControl::SetForeColor(c);
    Repaint();
}

void SmallButton::Repaint()
{
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, TRUE);
}

void SmallButton::Hook()
{
    if (UserMode())
        hook_.AttachWatching(hWnd(), kWatched);
}

void SmallButton::InitProperties()
{
    // A newly placed button shows the name its container gave it.
    caption_ = DisplayName();
    CaptionChanged(caption_);
    // Placed by code at run time, it works like one read from a form.
    Hook();
}

void SmallButton::ReadProperties(const host::PropertyBag& bag)
{
    caption_ = bag.readText(L"Caption", L"");
    CaptionChanged(caption_);
    enabled_ = bag.readBool(L"Enabled", true);
    UserControl::SetFont(bag.readFont(L"Font", Font()));
    UserControl::SetBackColor(bag.readColour(L"BackColor", BackColor()));
    UserControl::SetForeColor(bag.readColour(L"ForeColor", ForeColor()));
    Hook();
}

void SmallButton::WriteProperties(host::PropertyBag& bag)
{
    bag.set(L"Caption", caption_);
    bag.set(L"Enabled", enabled_);
    bag.set(L"Font", Font());
    bag.set(L"BackColor", std::int64_t{BackColor()});
    bag.set(L"ForeColor", std::int64_t{ForeColor()});
}

void ValueButton::SetValue(int v)
{
    state_.SetValue(v);
    Repaint();
}

void ValueButton::ReadProperties(const host::PropertyBag& bag)
{
    SmallButton::ReadProperties(bag);
    state_.SetValue(bag.readLong(L"Value", 0));
}

void ValueButton::WriteProperties(host::PropertyBag& bag)
{
    SmallButton::WriteProperties(bag);
    bag.set(L"Value", std::int64_t{Value()});
}

void SmallButton::Terminate()
{
    LeaveTimer(false);
    try {
        hook_.HookDetachAll();
    } catch (...) {
        // Tearing down goes on whatever the hook says.
    }
}

void SmallButton::Paint()
{
    if (UserMode())
        return;
    kit::TextScope text(hDC(), Font(), ForeColor());
    PaintButton(hDC(), ScaleWidth(), ScaleHeight());
}

void SmallButton::OnPaint()
{
    kit::PaintCycle cycle(hWnd(), &Font(), ForeColor());
    PaintButton(cycle.surface(), cycle.width(), cycle.height());
    cycle.Present();
}

SIZE SmallButton::CaptionSize(HDC dc) const
{
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, caption_.c_str(), static_cast<int>(caption_.size()), &size);
    return size;
}

void SmallButton::DrawGreyCaption(HDC dc, int x, int y, SIZE size) const
{
    // The greyed copy goes through a monochrome image in which the text can
    // come out a few pixels wider than measured, plus a highlight copy one
    // pixel right and down: the box leaves room for both so nothing is cut.
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption_.c_str()),
               static_cast<WPARAM>(caption_.size()), x, y, size.cx + 4, size.cy + 1, DST_TEXT | DSS_DISABLED);
}

void SmallButton::Apply(const ButtonEffects& e)
{
    if (e.requestLeave)
        kit::RequestMouseLeave(hWnd());
    if (e.startLeaveTimer)
        LeaveTimer(true);
    if (e.stopLeaveTimer)
        LeaveTimer(false);
    if (e.repaint)
        Repaint();
    if (e.click)
        Click.raise();
    if (e.dbClick)
        DBClick.raise();
}

void SmallButton::zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT& uMsg,
                                 WPARAM& wParam, LPARAM& lParam)
{
    if (!bBefore)
        return;
    switch (uMsg) {
    case WM_PAINT:
        OnPaint();
        break;
    case WM_MOUSEMOVE:
        Apply(state_.MouseMove(GetTickCount()));
        break;
    case WM_MOUSELEAVE:
        Apply(state_.MouseLeave());
        break;
    case WM_LBUTTONDOWN:
        Apply(state_.ButtonDown());
        break;
    case WM_LBUTTONUP:
        Apply(state_.ButtonUp());
        break;
    case WM_LBUTTONDBLCLK:
        Apply(state_.DoubleClick());
        break;
    case WM_KILLFOCUS:
        Apply(state_.KillFocus());
        break;
    }
}

} // namespace tessara
