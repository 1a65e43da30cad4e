// The hover timer shared by every kxButtons_H: one 50 ms window timer per
// hovered button, reaching the button's model through the button window's
// "kx_ClassID" and "kx_TimerID" properties.
#pragma once
#include <windows.h>

namespace ModKxTimer {

extern const wchar_t kClassIdProp[];  // "kx_ClassID"
extern const wchar_t kTimerIdProp[];  // "kx_TimerID"

// The timer callback: runs the button's leave check.
void CALLBACK TimerProc(HWND hwnd, UINT msg, UINT_PTR id, DWORD time);

}  // namespace ModKxTimer
