// Including this header puts the whole test program on a desktop of its
// own, made before any window exists. A desktop has its own windows, its
// own cursor position and its own mouse-button state, so tests that move
// the real cursor (SetCursorPos) or press real buttons (SendInput) see only
// their own input, and other programs of the same Wine session cannot take
// the activation, the focus or the mouse from their windows. Below it, the
// system's own mouse on that desktop, as a user works it.
#pragma once
#include <windows.h>

#include <cstdio>

namespace testdesktop {

struct OwnDesktop {
    OwnDesktop()
    {
        wchar_t name[64];
        ::wsprintfW(name, L"test-desktop-%lu", ::GetCurrentProcessId());
        HDESK d = ::CreateDesktopW(name, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        if (!d || !::SetThreadDesktop(d)) {
            std::fprintf(stderr, "warning: no desktop of its own (error %lu): the tests share the mouse\n",
                         ::GetLastError());
            return;
        }
        // The cursor can only be placed once the desktop's own window exists.
        ::GetDesktopWindow();
    }
};
inline const OwnDesktop kOwnDesktop;

// Runs this thread's pending messages until done() holds, for up to ms
// milliseconds; returns done(). Nothing runs once done() holds.
template <class F>
bool DispatchUntil(F done, int ms)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (::GetTickCount() - start > static_cast<DWORD>(ms))
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        MSG m;
        while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
    }
}

// The real cursor over a client point of a window; true when it got there.
// The system then sends a mouse move to the window under it, as when a user
// moves the mouse; the caller runs the messages to deliver it.
inline bool CursorTo(HWND h, int x, int y)
{
    POINT p{x, y};
    ::ClientToScreen(h, &p);
    ::SetCursorPos(p.x, p.y);
    POINT now{};
    ::GetCursorPos(&now);
    return now.x == p.x && now.y == p.y;
}

// The real left button pressed or released where the cursor is; the
// system routes the message to the window under the cursor (or to the one
// holding the capture). Returns once the button's state shows it; the
// messages the press causes may still wait for the caller to run them.
inline bool LeftButton(bool down)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &in, sizeof in);
    return DispatchUntil([down] { return (::GetAsyncKeyState(VK_LBUTTON) < 0) == down; }, 2000);
}

// One notch of the real wheel (delta 120 up, -120 down) where the cursor is.
inline void Wheel(int delta)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_WHEEL;
    in.mi.mouseData = static_cast<DWORD>(delta);
    ::SendInput(1, &in, sizeof in);
}

} // namespace testdesktop
