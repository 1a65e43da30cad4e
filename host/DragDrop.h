// The system's drag and drop for owner-drawn controls: a control that asks
// for drops (OLEDropMode 1) is a drop target of its window, and a control
// can start a drag of its own (OLEDrag). UserControl uses this; controls
// only see the notifications.
#pragma once
#include "DragData.h"

#include <windows.h>

namespace host {

class UserControl;

namespace dragdrop {

// OLE on this thread, started once; false when the thread's apartment
// refuses it (it was made multithreaded before).
bool EnsureOle();

class Target;
// Registers the control's window as a drop target; null when the system
// refuses.
Target* Register(UserControl& control);
// Takes the window's registration back and lets go of the target: the
// control hears nothing more from it. Null does nothing.
void Revoke(Target* target, HWND window);

// Runs a drag from the control until it is dropped or cancelled (see
// UserControl::OLEDrag).
void RunDrag(UserControl& control);

// The key state of the system's drag and drop as the notifications report
// it: button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt.
int ButtonsOf(DWORD keyState);
int ShiftOf(DWORD keyState);

} // namespace dragdrop
} // namespace host
