// Reading mouse and keyboard state the way the host's notifications
// report it: button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl,
// 4 Alt; coordinates in client pixels.
#pragma once
#include <windows.h>

namespace host {

inline int ShiftState()
{
    return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
           (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

// The buttons held during a mouse message (its wParam).
inline int MouseButtons(WPARAM wp)
{
    return ((wp & MK_LBUTTON) ? 1 : 0) | ((wp & MK_RBUTTON) ? 2 : 0) | ((wp & MK_MBUTTON) ? 4 : 0);
}

// Signed client coordinates of a mouse message (its lParam).
inline float MouseX(LPARAM lp) { return static_cast<float>(static_cast<short>(LOWORD(lp))); }
inline float MouseY(LPARAM lp) { return static_cast<float>(static_cast<short>(HIWORD(lp))); }

} // namespace host
