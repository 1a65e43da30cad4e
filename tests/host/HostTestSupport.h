// Helpers for driving host windows in tests: pixels of a painted window,
// mouse messages, and a sink that records message boxes.
#pragma once
#include "host/Host.h"

#include <string>
#include <vector>

namespace hosttest {

// The colour at (x, y) of the window's client area as it paints itself
// (WM_PRINT into a memory surface, so no screen is needed).
inline COLORREF PixelAt(HWND h, int x, int y)
{
    RECT r;
    GetClientRect(h, &r);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, r.right > 0 ? r.right : 1, r.bottom > 0 ? r.bottom : 1);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessageW(h, WM_PRINT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    COLORREF c = GetPixel(mem, x, y);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    return c;
}

inline LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

inline void ClickAt(HWND h, int x, int y)
{
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
    SendMessageW(h, WM_LBUTTONUP, 0, At(x, y));
}

// Records message boxes for the life of the object.
class BoxRecorder {
public:
    BoxRecorder()
    {
        host::SetMessageBoxSink([this](const host::MessageBoxRecord& r) { boxes.push_back(r); });
    }
    ~BoxRecorder() { host::SetMessageBoxSink(nullptr); }
    std::vector<host::MessageBoxRecord> boxes;
};

// Runs the message loop until cond() holds or ms pass; returns cond().
template <class F>
bool PumpUntil(F cond, int ms)
{
    DWORD start = GetTickCount();
    while (!cond()) {
        if (GetTickCount() - start > static_cast<DWORD>(ms))
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        host::DoEvents();
    }
    return true;
}

} // namespace hosttest
