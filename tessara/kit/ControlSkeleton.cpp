#include "tessara/kit/ControlSkeleton.h"

#include "tessara/kit/MdlGDI.h"

#include "host/App.h"

#include <algorithm>

namespace kit {

namespace {

// A control that paints on its own WM_PAINT also takes the background
// erasing: its frame covers what the erasing would have painted.
std::vector<UINT> Watching(std::initializer_list<UINT> watched)
{
    std::vector<UINT> out(watched);
    const bool paints = std::find(out.begin(), out.end(), UINT{WM_PAINT}) != out.end();
    if (paints && std::find(out.begin(), out.end(), UINT{WM_ERASEBKGND}) == out.end())
        out.push_back(WM_ERASEBKGND);
    return out;
}

} // namespace

ControlSkeleton::ControlSkeleton(const wchar_t* kind, std::initializer_list<UINT> watched, Options options)
    : UserControl(kind), watched_(Watching(watched)), options_(options)
{
}

ControlSkeleton::~ControlSkeleton() = default;

// ---------------------------------------------------------------- lifecycle

void ControlSkeleton::AttachHook()
{
    // Design time hooks nothing; a window hooked once stays as it is.
    if (!UserMode() || watched_.empty() || hook_.IsHooked(hWnd()))
        return;
    hook_.AttachWatching(hWnd(), watched_.data(), watched_.size());
    HookParts(hook_);
}

void ControlSkeleton::InitProperties()
{
    InitNew();
    // Placed by code at run time, it works like one read from a form.
    AttachHook();
}

void ControlSkeleton::ReadProperties(const host::PropertyBag& bag)
{
    ReadStored(bag);
    AttachHook();
}

void ControlSkeleton::Terminate()
{
    Teardown();
    layout_.Stop();
    ReleaseSurfaces();
    try {
        hook_.HookDetachAll();
    } catch (...) {
        // Tearing down goes on whatever the hook says.
    }
}

// ----------------------------------------------------------------- painting

void ControlSkeleton::Invalidate(bool erase)
{
    if (hWnd())
        ::InvalidateRect(hWnd(), nullptr, erase ? TRUE : FALSE);
}

void ControlSkeleton::DrawFrame(HDC surface, int width, int height)
{
    if (!surface)
        return;
    DrawingScope scope(surface, options_.text ? painter_.FontFor(Font()) : nullptr, ForeColor());
    DrawPrepared(surface, width, height);
}

void ControlSkeleton::DrawPrepared(HDC surface, int width, int height)
{
    // Texts measured while the frame is drawn are measured on the surface,
    // whose font is selected already.
    const bool measuring = measureDc_ == nullptr;
    if (measuring)
        measureDc_ = surface;
    PaintTo(surface, width, height);
    if (measuring)
        measureDc_ = nullptr;
}

void ControlSkeleton::OnPaint()
{
    // The first frame shows the control as loaded: a layout still waiting
    // for the end of the load's burst of changes runs now instead of
    // showing a provisional frame first and the real one a moment later. A
    // burst that goes on on screen keeps waiting for its end.
    if (!paintedOnce_) {
        paintedOnce_ = true;
        if (layout_.Pending() && !changedWhileShown_)
            LayoutNow();
    }
    // The one place a control's off-screen surface lives: kept while the
    // window's size stays, made again on a resize, freed at termination.
    painter_.Paint(
        hWnd(), options_.text ? &Font() : nullptr, ForeColor(),
        [this](HDC surface, int w, int h) {
            if (options_.clear)
                FillRectColor(surface, 0, 0, w, h, *options_.clear);
            DrawPrepared(surface, w, h);
        },
        [this](int h) { return PresentedHeight(h); });
    Painted();
}

void ControlSkeleton::DeferLayout()
{
    layout_.Note();
    if (!paintedOnce_ && !changedWhileShown_ && hWnd() && ::IsWindowVisible(hWnd()))
        changedWhileShown_ = true;
}

void ControlSkeleton::ReleaseSurfaces()
{
    painter_.Release();
    parts_.clear();
}

void ControlSkeleton::Place(host::ControlBase& part, const Rect& px)
{
    part.Move(host::PixelsToTwips(px.left), host::PixelsToTwips(px.top), host::PixelsToTwips(px.Width()),
              host::PixelsToTwips(px.Height()));
}

void ControlSkeleton::PaintPart(HDC target, int width, int height, const std::function<void(HDC)>& draw)
{
    // One kept surface per part (a part's own DC stays for its life),
    // fitted to the part's size of the moment.
    auto part = std::find_if(parts_.begin(), parts_.end(), [target](const PartSurface& p) { return p.target == target; });
    if (part == parts_.end())
        part = parts_.insert(parts_.end(), PartSurface{target, KeptSurface()});
    HDC surface = part->surface.Fit(width, height);
    if (!surface)
        return;
    {
        DrawingScope scope(surface, nullptr, 0);
        draw(surface);
    }
    ::BitBlt(target, 0, 0, width, height, surface, 0, 0, SRCCOPY);
}

void ControlSkeleton::Paint()
{
    // At run time a hooked control paints on its own WM_PAINT; a control
    // that hooks nothing draws here at all times.
    if (UserMode() ? !watched_.empty() : !options_.atDesignTime)
        return;
    DrawFrame(hDC(), ScaleWidth(), ScaleHeight());
}

// ---------------------------------------------------------------- messages

void ControlSkeleton::zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT& uMsg,
                                     WPARAM& wParam, LPARAM& lParam)
{
    if (!bBefore)
        return;
    if (hWnd != this->hWnd()) {
        OnPartMessage(hWnd, uMsg, wParam, lParam);
        return;
    }
    const int x = LowWordOf(lParam);
    const int y = HighWordOf(lParam);
    switch (uMsg) {
    case WM_PAINT:
        OnPaint();
        // Painted and validated: the procedure below would only begin and
        // end an empty paint.
        bHandled = true;
        lReturn = 0;
        break;
    case WM_ERASEBKGND:
        // The frame copies every pixel it shows over the window; erasing
        // first would paint them twice. A frame shown in part (a closed
        // combo box) leaves the rest to the erasing.
        if (PresentedHeight(ScaleHeight()) >= ScaleHeight()) {
            bHandled = true;
            lReturn = 1;
        }
        break;
    case WM_MOUSEMOVE:
        if (options_.throttleMoves && !moves_.Allow(::GetTickCount()))
            break;
        OnMouseMove(x, y);
        break;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(x, y);
        break;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(x, y);
        break;
    case WM_LBUTTONUP:
        OnLButtonUp(x, y);
        break;
    case WM_RBUTTONDOWN:
        OnRButtonDown(x, y);
        break;
    case WM_MOUSEWHEEL:
        OnMouseWheel(wParam);
        break;
    case WM_KILLFOCUS:
        OnKillFocus(reinterpret_cast<HWND>(wParam));
        break;
    default:
        // Watched but not acted on (right button up): the previous
        // procedure has them.
        break;
    }
}

// ---------------------------------------------------------------- measuring

ControlSkeleton::Measuring::Measuring(const ControlSkeleton& control) : control_(control)
{
    if (control_.measureDc_)
        return;  // an outer scope or a paint already measures
    outer_ = true;
    HDC dc = control_.hDC();
    previous_ = ::SelectObject(dc, control_.painter_.FontFor(control_.Font()));
    control_.measureDc_ = dc;
}

ControlSkeleton::Measuring::~Measuring()
{
    if (!outer_)
        return;
    if (previous_)
        ::SelectObject(control_.measureDc_, previous_);
    control_.measureDc_ = nullptr;
}

int ControlSkeleton::TextWidth(std::wstring_view text) const
{
    if (!measureDc_) {
        Measuring scope(*this);
        return TextWidth(text);
    }
    SIZE size{};
    ::GetTextExtentPoint32W(measureDc_, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int ControlSkeleton::TextHeight() const
{
    // Layouts and hit tests ask for it often: once per font.
    if (measuredHeight_ < 0 || measuredFont_ != Font()) {
        Measuring scope(*this);
        TEXTMETRICW tm{};
        ::GetTextMetricsW(measureDc_, &tm);
        measuredFont_ = Font();
        measuredHeight_ = tm.tmHeight;
    }
    return measuredHeight_;
}

} // namespace kit
