// The owner-drawn control container: a child window per control, its
// lifecycle, ambient values and the input notifications.
#include "UserControl.h"

#include "DragDrop.h"
#include "Form.h"
#include "Input.h"

#include <algorithm>

namespace host {

namespace {

std::vector<UserControl*>& LiveList()
{
    static std::vector<UserControl*> live;
    return live;
}




} // namespace

// Pointer numbers as controls store them; 99 is the custom cursor.
HCURSOR CursorForPointer(int pointer)
{
    static const struct { int pointer; int id; } map[] = {
        {1, 32512 /* arrow */},   {2, 32515 /* cross */},     {3, 32513 /* I-beam */},
        {4, 32641 /* icon */},    {5, 32646 /* size all */},  {6, 32643 /* NE-SW */},
        {7, 32645 /* N-S */},     {8, 32642 /* NW-SE */},     {9, 32644 /* W-E */},
        {10, 32516 /* up */},     {11, 32514 /* wait */},     {12, 32648 /* no */},
        {13, 32650 /* app starting */}, {14, 32651 /* help */}, {15, 32646 /* size all */},
    };
    for (auto& m : map)
        if (m.pointer == pointer)
            return LoadCursorW(nullptr, MAKEINTRESOURCEW(m.id));
    return nullptr;
}

UserControl::UserControl(std::wstring kind) : ControlBase(std::move(kind)) { LiveList().push_back(this); }

UserControl::~UserControl()
{
    StopDrops();
    auto& live = LiveList();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

const std::vector<UserControl*>& UserControl::Live() { return LiveList(); }

HWND UserControl::CreateControlWindow(HWND parent, int x, int y, int w, int h)
{
    // CS_OWNDC: hDC() stays the same for the window's life, and BeginPaint
    // hands out that same context.
    RegisterClassOnce(Kind(), CS_OWNDC | CS_DBLCLKS);
    // No WS_EX_CONTROLPARENT: Tab then stops on the control itself instead
    // of looking for stops among its parts (a control without parts would
    // never be reached).
    HWND made = MakeWindow(Kind().c_str(), WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP, 0, parent,
                           x, y, w, h, Name());
    if (made)
        hdc_ = GetDC(made);
    return made;
}

void UserControl::LoadProperties(const PropertyBag* saved)
{
    font_ = ContainerFont();
    Initialize();
    if (saved)
        ReadProperties(*saved);
    else
        InitProperties();
}

void UserControl::Placed()
{
    sized_ = true;
    Resize();
}

void UserControl::Shown() { Show(); }

void UserControl::SetVisible(bool v)
{
    bool was = Visible();
    ControlBase::SetVisible(v);
    if (was == v || !sized_)
        return;
    if (v)
        Show();
    else
        Hide();
}

void UserControl::Unloading()
{
    StopDrops();  // no drop reaches a control that is going
    Terminate();
    DestroyControls();
}

int UserControl::ScaleWidth() const
{
    RECT r = {};
    GetClientRect(hWnd(), &r);
    return r.right;
}

int UserControl::ScaleHeight() const
{
    RECT r = {};
    GetClientRect(hWnd(), &r);
    return r.bottom;
}

void UserControl::SetFont(const host::Font& f)
{
    if (f == font_)
        return;
    font_ = f;
    NotifyAmbient(L"Font");
}

void UserControl::SetBackColor(Colour c)
{
    if (c == back_)
        return;
    back_ = c;
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, TRUE);
    NotifyAmbient(L"BackColor");
}

void UserControl::SetForeColor(Colour c)
{
    if (c == fore_)
        return;
    fore_ = c;
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, TRUE);
    NotifyAmbient(L"ForeColor");
}

void UserControl::SetOLEDropMode(int mode)
{
    if (mode != 0 && mode != 1)
        return;
    oleDropMode_ = mode;
    if (!hWnd())
        return;
    if (mode == 1 && !dropTarget_) {
        dropTarget_ = dragdrop::Register(*this);
    } else if (mode == 0) {
        StopDrops();
    }
}

void UserControl::StopDrops()
{
    dragdrop::Revoke(dropTarget_, hWnd());
    dropTarget_ = nullptr;
}

void UserControl::OLEDrag()
{
    if (hWnd())
        dragdrop::RunDrag(*this);
}

void UserControl::SetMousePointer(int p)
{
    pointer_ = p;
}

bool UserControl::SetMouseIcon(PictureRef p)
{
    if (p && p->type != Picture::Type::Icon && p->type != Picture::Type::Cursor) {
        mouseIconError_ = L"Invalid picture: a mouse icon must be an icon or a cursor";
        return false;
    }
    mouseIconError_.clear();
    mouseIcon_ = std::move(p);
    return true;
}

Colour UserControl::ContainerBackColor() const { return Parent() ? Parent()->ContainerColour() : 0x8000000F; }

host::Font UserControl::ContainerFont() const { return Parent() ? Parent()->ContainerFontValue() : host::Font{}; }

bool UserControl::DisplayAsDefault() const
{
    Form* f = ParentForm();
    return f && f->DefaultControl() == this;
}

Colour UserControl::AmbientForeColor() const
{
    // The container's text colour: a form's is the system window text.
    if (auto* uc = dynamic_cast<UserControl*>(Parent()))
        return uc->ForeColor();
    return 0x80000012;
}

void UserControl::PropertyChanged(const std::wstring& key)
{
    for (const auto& k : changed_)
        if (KeyEquals(k, key))
            return;
    changed_.push_back(key);
}

void UserControl::CaptionChanged(const std::wstring& caption)
{
    if (hWnd())
        SetWindowTextW(hWnd(), caption.empty() ? Name().c_str() : caption.c_str());
}

void UserControl::Refresh()
{
    if (!hWnd())
        return;
    InvalidateRect(hWnd(), nullptr, TRUE);
    UpdateWindow(hWnd());
}

PropertyBag UserControl::SaveBag()
{
    PropertyBag bag(Path());
    WriteProperties(bag);
    return bag;
}

void UserControl::SaveProperties(PropertyBag& bag) { WriteProperties(bag); }

void UserControl::NotifyAmbientChanged(const std::wstring& name) { AmbientChanged(name); }

bool UserControl::OnParentNotify(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool UserControl::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (ReflectToChild(hWnd(), msg, wp, lp, result))
        return true;
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hWnd(), &ps);
        Paint();
        EndPaint(hWnd(), &ps);
        return true;
    }
    case WM_PRINTCLIENT: {
        // Paint into the given context (PrintWindow, captures): Paint()
        // draws on hDC(), so lend it that context meanwhile.
        HDC own = hdc_;
        hdc_ = reinterpret_cast<HDC>(wp);
        Paint();
        hdc_ = own;
        return true;
    }
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hWnd(), &r);
        HBRUSH b = CreateSolidBrush(TranslateColour(back_));
        FillRect(reinterpret_cast<HDC>(wp), &r, b);
        DeleteObject(b);
        result = 1;
        return true;
    }
    case WM_SIZE:
        if (sized_)
            Resize();
        return false;
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT && pointer_ != 0) {
            HCURSOR c = nullptr;
            if (pointer_ == 99 && mouseIcon_)
                c = reinterpret_cast<HCURSOR>(mouseIcon_->handle);
            else
                c = CursorForPointer(pointer_);
            if (c) {
                SetCursor(c);
                result = TRUE;
                return true;
            }
        }
        return false;
    case WM_GETDLGCODE:
        result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        int button = msg == WM_LBUTTONDOWN ? 1 : msg == WM_RBUTTONDOWN ? 2 : 4;
        // A control that handled the press itself may have given the focus
        // to one of its parts (a combo box to its dropped list): it stays
        // there. Only a focus outside the control is taken.
        HWND focus = GetFocus();
        if (focus != hWnd() && !IsChild(hWnd(), focus) && (GetWindowLongPtrW(hWnd(), GWL_STYLE) & WS_TABSTOP))
            ::SetFocus(hWnd());
        if (button == 1)
            pressed_ = true;
        MouseDown(button, ShiftState(), MouseX(lp), MouseY(lp));
        return false;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        int button = msg == WM_LBUTTONUP ? 1 : msg == WM_RBUTTONUP ? 2 : 4;
        bool click = button == 1 && pressed_;
        if (button == 1)
            pressed_ = false;
        float x = MouseX(lp), y = MouseY(lp);
        MouseUp(button, ShiftState(), x, y);
        if (click && hWnd()) {
            RECT r;
            GetClientRect(hWnd(), &r);
            if (x >= 0 && y >= 0 && x < r.right && y < r.bottom)
                Click();
        }
        return false;
    }
    case WM_LBUTTONDBLCLK:
        // The release that follows raises MouseUp only.
        pressed_ = false;
        DblClick();
        return false;
    case WM_RBUTTONDBLCLK:
        MouseDown(2, ShiftState(), MouseX(lp), MouseY(lp));
        return false;
    case WM_MOUSEMOVE:
        MouseMove(MouseButtons(wp), ShiftState(), MouseX(lp), MouseY(lp));
        return false;
    case WM_KEYDOWN: {
        int key = static_cast<int>(wp), shift = ShiftState();
        KeyDown(key, shift);
        return false;
    }
    case WM_KEYUP: {
        int key = static_cast<int>(wp), shift = ShiftState();
        KeyUp(key, shift);
        return false;
    }
    case WM_CHAR: {
        int ascii = static_cast<int>(wp);
        KeyPress(ascii);
        if (ascii == 0) {
            result = 0;
            return true;  // swallowed by the handler
        }
        return false;
    }
    case WM_SETFOCUS:
        EnterFocus();
        GotFocus();
        return false;
    case WM_KILLFOCUS:
        LostFocus();
        ExitFocus();
        return false;
    default:
        return false;
    }
}

} // namespace host
