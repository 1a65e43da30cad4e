#include "tessara/kit/MdlSubclassMain.h"

namespace kit {

namespace {

const wchar_t kOrigProc[] = L"OrigProcAddr";
// Set while the owner's procedure could not be given back because someone
// replaced it after us: ours then only passes messages on.
const wchar_t kIdle[] = L"TessaraOwnerHookIdle";

DropDownOwner* g_dropped = nullptr;
HWND g_owner = nullptr;

WNDPROC PreviousOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(::GetPropW(hwnd, kOrigProc)); }

void DropOwnerProps(HWND hwnd)
{
    ::RemovePropW(hwnd, kOrigProc);
    ::RemovePropW(hwnd, kIdle);
}

} // namespace

DropDownOwner::~DropDownOwner() { ForgetDropDown(this); }

void DropDownOwner::PutBackDropDown() { PutBackInto(DropDownWindow(), g_owner); }

void SetDropDown(DropDownOwner* dropped, HWND ownerWindow)
{
    g_dropped = dropped;
    g_owner = ownerWindow;
}

DropDownOwner* DroppedOwner() { return g_dropped; }
HWND DropDownOwnerWindow() { return g_owner; }

void ForgetDropDown(DropDownOwner* dropped)
{
    if (g_dropped == dropped)
        g_dropped = nullptr;
}

void PutBackInto(HWND window, HWND parent)
{
    if (!window)
        return;
    RECT rc{};
    ::GetWindowRect(window, &rc);
    POINT corner{rc.left, rc.top};
    ::ScreenToClient(parent, &corner);
    ::SetParent(window, parent);
    ::MoveWindow(window, corner.x, corner.y, rc.right - rc.left, kClosedDropDownHeight, TRUE);
}

void HookOwnerWindow(HWND owner)
{
    if (!owner || !::IsWindow(owner))
        return;
    if (PreviousOf(owner)) {
        ::RemovePropW(owner, kIdle);  // still in the chain: just listen again
        return;
    }
    const LONG_PTR prev = ::SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OwnerWindowProc));
    if (prev)
        ::SetPropW(owner, kOrigProc, reinterpret_cast<HANDLE>(prev));
}

void UnhookOwnerWindow(HWND owner)
{
    if (!owner)
        return;
    WNDPROC prev = PreviousOf(owner);
    if (!prev)
        return;
    const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(owner, GWLP_WNDPROC));
    if (current != &OwnerWindowProc) {
        // Restoring now would cut out whoever hooked the form after us.
        ::SetPropW(owner, kIdle, reinterpret_cast<HANDLE>(1));
        return;
    }
    ::SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prev));
    DropOwnerProps(owner);
}

LRESULT CALLBACK OwnerWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (!hWnd)
        return 0;
    WNDPROC prev = PreviousOf(hWnd);
    if (!prev)
        return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    if (uMsg == WM_DESTROY) {
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == &OwnerWindowProc)
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prev));
        const LRESULT r = ::CallWindowProcW(prev, hWnd, uMsg, wParam, lParam);
        DropOwnerProps(hWnd);
        return r;
    }
    if (::GetPropW(hWnd, kIdle))
        return ::CallWindowProcW(prev, hWnd, uMsg, wParam, lParam);
    switch (uMsg) {
    case WM_NCHITTEST:
        // While the list is down the form's surface only serves to close it.
        if (::GetAsyncKeyState(VK_LBUTTON) < 0)
            CloseDropDown();
        return 0;
    case WM_NCACTIVATE:
        CloseDropDown();
        // Passed on once closed, so the form's caption follows its real
        // activation state.
        return ::CallWindowProcW(prev, hWnd, uMsg, wParam, lParam);
    default:
        return ::CallWindowProcW(prev, hWnd, uMsg, wParam, lParam);
    }
}

void CloseDropDown()
{
    HWND owner = g_owner;
    if (g_dropped)
        g_dropped->PutBackDropDown();
    UnhookOwnerWindow(owner);
    // Leaving the topmost band must not pull activation back to the form
    // while another window is being activated.
    if (owner)
        ::SetWindowPos(owner, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace kit
