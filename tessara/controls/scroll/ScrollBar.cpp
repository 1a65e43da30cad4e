#include "tessara/controls/scroll/ScrollBar.h"

#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlSmoothDraw.h"

namespace tessara {

namespace {

CursorReader g_cursorReader = nullptr;

} // namespace

POINT ScreenCursor()
{
    if (g_cursorReader)
        return g_cursorReader();
    POINT pt{};
    ::GetCursorPos(&pt);
    return pt;
}

void SetCursorReader(CursorReader reader) { g_cursorReader = reader; }

// Messages watched, in this order. The repeated double click is kept: the
// hook ignores a message it already watches. Right buttons pass on
// untouched; the background erasing is the skeleton's (the frame covers
// the bar).
ScrollBarControl::ScrollBarControl(const wchar_t* kind, bool vertical)
    : ControlSkeleton(kind,
                      {WM_PAINT, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONUP,
                       WM_ERASEBKGND, WM_MOUSEMOVE, WM_MOUSELEAVE, WM_LBUTTONDBLCLK, WM_KILLFOCUS},
                      Options().NoText().Clear(kScrollBackground)),
      vertical_(vertical)
{
    tmrIsLbuttonDown.Tick.connect([this] { OnRepeatTick(); });
}

ScrollBarControl::~ScrollBarControl() = default;

// ---------------------------------------------------------------- lifecycle

void ScrollBarControl::ReadStored(const host::PropertyBag& bag)
{
    model_.Restore(bag.readLong(L"MinV", kDefaultMinV), bag.readLong(L"MaxV", kDefaultMaxV),
                   bag.readLong(L"Value", 0), bag.readLong(L"SmallChange", kDefaultSmallChange),
                   bag.readLong(L"LargeChange", kDefaultLargeChange));
}

void ScrollBarControl::WriteProperties(host::PropertyBag& bag)
{
    bag.write(L"MinV", std::int64_t{MinV()}, std::int64_t{kDefaultMinV});
    bag.write(L"MaxV", std::int64_t{MaxV()}, std::int64_t{kDefaultMaxV});
    bag.write(L"Value", std::int64_t{Value()}, std::int64_t{0});
    bag.write(L"SmallChange", std::int64_t{SmallChange()}, std::int64_t{kDefaultSmallChange});
    bag.write(L"LargeChange", std::int64_t{LargeChange()}, std::int64_t{kDefaultLargeChange});
}

void ScrollBarControl::Resize()
{
    model_.SetSize(vertical_ ? ScaleHeight() : ScaleWidth(), vertical_ ? ScaleWidth() : ScaleHeight());
}

void ScrollBarControl::Teardown()
{
    tmrIsLbuttonDown.SetEnabled(false);
    EndCapture();
}

void ScrollBarControl::Repaint() { Invalidate(); }

void ScrollBarControl::Apply(const BarPlan& plan)
{
    if (!plan.visible) {
        SetVisible(false);
        SetValue(0);
        return;
    }
    if (plan.place)
        Place(*this, *plan.place);
    // The vertical bar lays out with its new thumb at once, the horizontal
    // one at its next layout (as their GlideHeight and GlideWidth do).
    if (vertical_)
        model_.SetThumbLengthNow(plan.thumb);
    else
        model_.SetThumbLengthRaw(plan.thumb);
    if (plan.limitValue) {
        SetMaxVAndValue(plan.maxV, plan.value);
    } else {
        SetValue(static_cast<std::int32_t>(plan.value));
        SetMaxV(plan.maxV);
    }
    SetVisible(true);
}

// ----------------------------------------------------------------- painting

void ScrollBarControl::PaintTo(HDC dc, int, int)
{
    const int length = model_.Length();
    const int cross = model_.Cross();
    // A rectangle given along and across the axis.
    auto box = [this](int a0, int c0, int a1, int c1) {
        return vertical_ ? RECT{c0, a0, c1, a1} : RECT{a0, c0, a1, c1};
    };
    const bool down = model_.ButtonDown();
    const ScrollPart pressed = model_.PressedPart();
    const ScrollPart hover = model_.HoverPart();

    auto arrow = [&](ScrollPart part, const RECT& rc, int direction) {
        const bool held = down && pressed == part;
        kit::DrawRoundBox(dc, rc.left, rc.top, rc.right, rc.bottom, 2, kScrollBase, held || hover == part, false,
                          false, false);
        const int offset = held ? 1 : 0;
        kit::DrawTriangle(dc, kScrollGlyph, rc, direction, 3, offset, offset);
    };
    arrow(PartLowArrow, box(0, 0, kArrowSize, cross), vertical_ ? kit::kUp : kit::kLeft);
    arrow(PartHighArrow, box(length - kArrowSize, 0, length, cross), vertical_ ? kit::kDown : kit::kRight);

    kit::FillRectColor(dc, box(kArrowSize, 0, length - kArrowSize, cross),
                       kit::TintColor(kScrollBase, kit::kTint09));
    const int p = model_.ThumbPos();
    const RECT thumb = box(p, 0, static_cast<int>(RoundHalfEven(p + model_.ThumbLength())), cross);
    kit::DrawRoundBox(dc, thumb.left, thumb.top, thumb.right, thumb.bottom, 2, kScrollBase,
                      model_.Dragging() || hover == PartThumb, true, false, false);
}

// -------------------------------------------------------------------- input

POINT ScrollBarControl::CursorInClient() const
{
    POINT pt = ScreenCursor();
    ::ScreenToClient(hWnd(), &pt);
    return pt;
}

void ScrollBarControl::EndCapture()
{
    if (captured_ && ::GetCapture() == hWnd())
        ::ReleaseCapture();
    captured_ = false;
}

void ScrollBarControl::OnPress(int x, int y)
{
    model_.Press(Along(x, y));
    if (model_.Dragging()) {
        // Hold the mouse so a drag that strays off the bar still ends with
        // the button's release here.
        ::SetCapture(hWnd());
        captured_ = true;
    }
}

void ScrollBarControl::OnMouseMove(int x, int y)
{
    kit::RequestMouseLeave(hWnd());
    model_.Hover(Along(x, y), Across(x, y));
    if (model_.ButtonDown() && model_.Dragging()) {
        const POINT pt = CursorInClient();
        model_.DragThumb(Along(pt.x, pt.y));
    }
}

void ScrollBarControl::OnRelease()
{
    EndCapture();
    model_.Release();
}

void ScrollBarControl::OnRepeatTick()
{
    const POINT pt = CursorInClient();
    model_.Tick(Along(pt.x, pt.y), Across(pt.x, pt.y));
}

void ScrollBarControl::OnKillFocus(HWND)
{
    EndCapture();
    model_.LoseFocus();
}

} // namespace tessara
