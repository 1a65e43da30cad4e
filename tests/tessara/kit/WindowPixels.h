// A window's next frame and its pixels, for the kit's window tests.
#pragma once
#include <windows.h>

namespace kittest {

// Invalidates the window and runs its paint now.
inline void Repaint(HWND h)
{
    ::InvalidateRect(h, nullptr, FALSE);
    ::UpdateWindow(h);
}

// The colour at (x, y) of the window's client area as it shows.
inline COLORREF WindowPixel(HWND h, int x, int y)
{
    HDC dc = ::GetDC(h);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(h, dc);
    return c;
}

} // namespace kittest
