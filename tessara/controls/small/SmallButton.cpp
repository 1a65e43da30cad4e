#include "tessara/controls/small/SmallButton.h"

#include "tessara/kit/MdlGDI.h"

namespace tessara {

// The button's state machine throttles mouse moves itself.
SmallButton::SmallButton(const wchar_t* kind, ButtonKind buttonKind)
    : ControlSkeleton(kind,
                      {WM_PAINT, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MOUSEMOVE, WM_MOUSELEAVE, WM_LBUTTONUP,
                       WM_KILLFOCUS},
                      Options().ModelThrottlesMoves()),
      state_(buttonKind)
{
}

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

void SmallButton::InitNew()
{
    // A newly placed button shows the name its container gave it.
    caption_ = DisplayName();
    CaptionChanged(caption_);
}

void SmallButton::ReadStored(const host::PropertyBag& bag)
{
    caption_ = bag.readText(L"Caption", L"");
    CaptionChanged(caption_);
    enabled_ = bag.readBool(L"Enabled", true);
    UserControl::SetFont(bag.readFont(L"Font", Font()));
    UserControl::SetBackColor(bag.readColour(L"BackColor", BackColor()));
    UserControl::SetForeColor(bag.readColour(L"ForeColor", ForeColor()));
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

void ValueButton::ReadStored(const host::PropertyBag& bag)
{
    SmallButton::ReadStored(bag);
    state_.SetValue(bag.readLong(L"Value", 0));
}

void ValueButton::WriteProperties(host::PropertyBag& bag)
{
    SmallButton::WriteProperties(bag);
    bag.set(L"Value", std::int64_t{Value()});
}

void SmallButton::Teardown()
{
    LeaveTimer(false);
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

void SmallButton::DrawCaptionFrom(HDC dc, int x, int width, int height) const
{
    if (Enabled()) {
        RECT rc{x, 0, width, height};
        DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &rc, DT_SINGLELINE | DT_VCENTER);
    } else {
        const SIZE size = CaptionSize(dc);
        DrawGreyCaption(dc, x, CentredText(width, height, size.cx, size.cy).y, size);
    }
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

void SmallButton::OnMouseMove(int, int) { Apply(state_.MouseMove(GetTickCount())); }
void SmallButton::OnMouseLeave() { Apply(state_.MouseLeave()); }
void SmallButton::OnLButtonDown(int, int) { Apply(state_.ButtonDown()); }
void SmallButton::OnLButtonUp(int, int) { Apply(state_.ButtonUp()); }
void SmallButton::OnLButtonDblClk(int, int) { Apply(state_.DoubleClick()); }
void SmallButton::OnKillFocus(HWND) { Apply(state_.KillFocus()); }

} // namespace tessara
