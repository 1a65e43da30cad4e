#include "tessara/controls/combo/YCombo.h"

#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlSmoothDraw.h"

#include "host/Form.h"

namespace tessara {

namespace {

int Tw(int px) { return host::PixelsToTwips(px); }

int ClientHeightOf(HWND h)
{
    RECT rc{};
    ::GetClientRect(h, &rc);
    return rc.bottom - rc.top;
}

} // namespace

// Watched in this order; only the first three are acted on (the focus loss
// is noted for the exit-focus event that follows it).
YCombo::YCombo()
    : ControlSkeleton(L"YCombo", {WM_PAINT, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MOUSEMOVE,
                                  WM_MOUSELEAVE, WM_LBUTTONUP, WM_KILLFOCUS})
{
    tmrIsLeave.Tick.connect([this] { OnLeaveTick(); });
}

YCombo::~YCombo() = default;

// ---------------------------------------------------------------- lifecycle

void YCombo::Initialize()
{
    // No task-bar button while the control is a top-level pop-up.
    ::SetWindowLongPtrW(hWnd(), GWL_EXSTYLE, ::GetWindowLongPtrW(hWnd(), GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    // White from the start: erased in white, and stored so by a new combo.
    SetBackColor(kListBackground);

    const host::PropertyBag none;  // the list reads an empty set: it hooks at run time
    YList1 = &AddControl<YList>(L"YList1", 0, Tw(kComboHeight), Tw(kComboMinWidth), Tw(kListDefaultItemHeight), &none);
    YList1->Click.connect([this] { OnListClick(); });

    picArrow = &AddControl<host::PictureBox>(L"picArrow", 0, Tw(2), Tw(kComboArrowWidth), Tw(kComboArrowHeight));
    picArrow->SetBackColor(kComboArrowBase);
    picArrow->Paint.connect([this] { PaintArrow(); });
    picArrow->MouseDown.connect([this](int button, int, float x, float y) { OnArrowDown(button, x, y); });
    picArrow->MouseUp.connect([this](int button, int, float x, float y) { OnArrowUp(button, x, y); });
    picArrow->MouseMove.connect([this](int button, int, float x, float y) { OnArrowMove(button, x, y); });
    picArrow->Click.connect([this] {
        // A press and a release over the arrow are a click, even when the
        // pressed look was cancelled in between; a release off it is none.
        if (arrowClick_)
            Toggle();
    });
}

void YCombo::HookParts(kit::WindowHook& hook)
{
    hook.HookAttach(YList1->hWnd());
    hook.HookWatch(YList1->hWnd(), WM_KILLFOCUS, kit::HookBefore);
}

void YCombo::OnPartMessage(HWND, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_KILLFOCUS)
        FocusLeaving(reinterpret_cast<HWND>(wParam));
}

void YCombo::ReadStored(const host::PropertyBag& bag)
{
    isReal_ = bag.readBool(L"IsReal", false);
    UserControl::SetFont(bag.readFont(L"Font", Font()));
    SetBackColor(bag.readColour(L"BackColor", BackColor()));
    SetForeColor(bag.readColour(L"ForeColor", ForeColor()));
    YList1->SetIsReal(isReal_);
    YList1->LoadFont(Font());  // a tall stored font grows the rows without a notice
    YList1->SetForeColor(ForeColor());
}

void YCombo::WriteProperties(host::PropertyBag& bag)
{
    bag.write(L"IsReal", isReal_, false);
    bag.write(L"Font", Font(), AmbientFont());
    bag.write(L"BackColor", std::int64_t{BackColor()});
    bag.write(L"ForeColor", std::int64_t{ForeColor()});
}

void YCombo::Teardown()
{
    tmrIsLeave.SetEnabled(false);
    kit::UnhookOwnerWindow(OwnerWindow());
    kit::ForgetDropDown(this);
}

// ------------------------------------------------------------------- layout

void YCombo::Resize()
{
    // While dropped the window is taller on purpose: leave it alone.
    if (open_)
        return;
    const ComboLayout l = LayoutCombo(ScaleWidth());
    if (l.width != ScaleWidth() || ScaleHeight() != l.height)
        SetSize(l.width != ScaleWidth() ? Tw(l.width) : Width(), Tw(l.height));
    picArrow->Move(Tw(l.arrow.left), Tw(l.arrow.top), Tw(l.arrow.Width()), Tw(l.arrow.Height()));
    YList1->Move(Tw(l.list.left), Tw(l.list.top), Tw(l.list.Width()), Tw(l.list.Height()));
}

// --------------------------------------------------------------- drop-down

HWND YCombo::OwnerWindow() const
{
    // The form that holds the combo watches for presses and deactivation.
    host::Form* form = ParentForm();
    return form ? form->hWnd() : nullptr;
}

void YCombo::Toggle()
{
    kit::DropDownOwner* other = kit::DroppedOwner();
    if (other && other != this) {
        HWND w = other->DropDownWindow();
        if (w && ::IsWindow(w) && ComboIsOpen(ClientHeightOf(w))) {
            // The press only closes the other list.
            kit::CloseDropDown();
            return;
        }
    }
    kit::SetDropDown(this, OwnerWindow());
    if (!open_ && ScaleHeight() == kComboHeight)
        Open();
    else
        kit::CloseDropDown();
    highlighted_ = false;
    Invalidate();
}

void YCombo::Open()
{
    YList1->InitListHeight(pageCount_);
    YList1->SetFocus();
    RECT rc{};
    ::GetWindowRect(hWnd(), &rc);
    open_ = true;
    ::SetParent(hWnd(), nullptr);
    ::MoveWindow(hWnd(), rc.left, rc.top, ScaleWidth(), DroppedComboHeight(YList1->Height() / host::kTwipsPerPixel),
                 TRUE);
    ::SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    kit::HookOwnerWindow(OwnerWindow());
}

void YCombo::PutBackDropDown()
{
    if (!open_)
        return;  // already in its container, closed
    open_ = false;
    kit::PutBackInto(hWnd(), Parent()->ContainerWindow());
}

void YCombo::OnListClick()
{
    kit::CloseDropDown();
    const int index = YList1->ListIndex();
    if (index == -1)
        return;
    const bool changed = text_.Choose(YList1->List(index));
    if (changed)
        Change.raise();
    highlighted_ = true;
    Invalidate(true);
    Click.raise();
}

void YCombo::ExitFocus() { FocusLeaving(focusTo_); }

void YCombo::FocusLeaving(HWND to)
{
    // Focus moving between the combo and its own list stays inside.
    if (to && (to == hWnd() || ::IsChild(hWnd(), to)))
        return;
    kit::CloseDropDown();
    highlighted_ = false;
    Invalidate();
}

void YCombo::OnTextPress(int x, int y)
{
    if (InComboTextArea(x, y, ScaleWidth()))
        Toggle();
    else
        kit::CloseDropDown();
}

// --------------------------------------------------------------- properties

void YCombo::SetListIndex(int v)
{
    if (v < 0 || v > YList1->ListCount() - 1)
        return;
    YList1->SetListIndex(v);
    const bool changed = text_.Choose(YList1->List(v));
    Invalidate();
    if (changed)
        Change.raise();
}

void YCombo::SetText(std::wstring t)
{
    text_.SetText(std::move(t));
    Invalidate();
}

void YCombo::SetPageCount(int v)
{
    YList1->SetPageCount(v);
    pageCount_ = v;
}

void YCombo::SetIsReal(bool v)
{
    if (!UserMode())
        isReal_ = v;
}

void YCombo::SetFont(const host::Font& f)
{
    UserControl::SetFont(f);
    Invalidate();
}

// ----------------------------------------------------------------- painting

void YCombo::PaintTo(HDC dc, int width, int height)
{
    kit::FillRectColor(dc, 0, 0, width, height, kListBackground);
    kit::FrameRectColor(dc, 0, 0, width, height, kComboFrame);
    if (Text().empty())
        return;
    if (highlighted_) {
        const kit::Rect h = ComboHighlightRect(width);
        kit::FillRectColor(dc, h.left, h.top, h.right, h.bottom, kComboHighlight);
    }
    const kit::Rect t = ComboTextRect(width);
    RECT rc{t.left, t.top, t.right, t.bottom};
    // The text is an item of the list, data: an "&" is drawn as typed.
    ::DrawTextW(dc, Text().c_str(), static_cast<int>(Text().size()), &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void YCombo::PaintArrow()
{
    const int w = picArrow->ScaleWidth();
    const int h = picArrow->ScaleHeight();
    PaintPart(picArrow->hDC(), w, h, [&](HDC surface) {
        kit::FillRectColor(surface, 0, 0, w, h, kListBackground);
        kit::DrawRoundBox(surface, 0, 0, w, h, 2, kComboArrowBase, arrowPressed_ || arrowHover_, false, false,
                          false);
        const int offset = arrowPressed_ ? 1 : 0;
        kit::DrawTriangle(surface, 0x00000000, RECT{0, 0, w, h}, kit::kDown, 3, offset, offset);
    });
}

void YCombo::RepaintArrow() { ::InvalidateRect(picArrow->hWnd(), nullptr, FALSE); }

// ------------------------------------------------------------- arrow input

void YCombo::OnArrowDown(int button, float x, float y)
{
    if (button != 1)
        return;
    arrowHeld_ = InComboArrow(static_cast<int>(x), static_cast<int>(y));
    arrowPressed_ = true;
    tmrIsLeave.SetEnabled(true);
    RepaintArrow();
}

void YCombo::OnArrowUp(int button, float x, float y)
{
    if (button != 1)
        return;
    arrowClick_ = arrowHeld_ && InComboArrow(static_cast<int>(x), static_cast<int>(y));
    arrowHeld_ = false;
    arrowPressed_ = false;
    tmrIsLeave.SetEnabled(false);
    RepaintArrow();
}

void YCombo::OnArrowMove(int button, float x, float y)
{
    if (button != 0)
        return;
    const int ix = static_cast<int>(x), iy = static_cast<int>(y);
    if (!InComboArrow(ix, iy)) {
        // Held while hovered so the move that leaves the button arrives here.
        ::ReleaseCapture();
        arrowHover_ = false;
        RepaintArrow();
        return;
    }
    ::SetCapture(picArrow->hWnd());
    if (!arrowHover_) {
        arrowHover_ = true;
        RepaintArrow();
    }
}

void YCombo::OnLeaveTick()
{
    if (::WindowFromPoint(ScreenCursor()) == picArrow->hWnd())
        return;
    arrowHover_ = false;
    arrowPressed_ = false;
    RepaintArrow();
    tmrIsLeave.SetEnabled(false);
}

} // namespace tessara
