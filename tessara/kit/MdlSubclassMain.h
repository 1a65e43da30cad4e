// The owner-window hook of the combo box: while a combo's list is dropped
// down as a top-level window, the main form's procedure is replaced so that
// a left press on the form or the form losing activation closes the list.
// One program-wide drop-down at a time.
#pragma once
#include <windows.h>

namespace kit {

// Implemented by the combo box that drops its list.
class DropDownOwner {
public:
    // The window that was lifted out of its form (the combo's own window).
    virtual HWND DropDownWindow() const = 0;
    // Puts the dropped window back into the owner window, closed (20 pixels
    // high). The default does exactly that with PutBackInto; a combo may add
    // its own bookkeeping.
    virtual void PutBackDropDown();

protected:
    // A destroyed combo is forgotten, so nothing calls back into it.
    virtual ~DropDownOwner();
};

// Height of a closed combo.
constexpr int kClosedDropDownHeight = 20;

// Registers the combo whose list is dropped and the main form watching it.
void SetDropDown(DropDownOwner* dropped, HWND ownerWindow);
DropDownOwner* DroppedOwner();
HWND DropDownOwnerWindow();
// Forgets the combo if it is the registered one.
void ForgetDropDown(DropDownOwner* dropped);

// Makes `window` a child of `parent` again at the same screen position,
// keeping its width, with the closed height, repainting.
void PutBackInto(HWND window, HWND parent);

// Replaces the window's procedure by OwnerWindowProc, keeping the previous
// one in the window property "OrigProcAddr"; nothing when already hooked.
void HookOwnerWindow(HWND owner);
// Restores the previous procedure and removes the property; nothing when
// not hooked.
void UnhookOwnerWindow(HWND owner);
LRESULT CALLBACK OwnerWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
// Puts the dropped combo back into the owner, unhooks the owner and takes
// it out of the topmost band.
void CloseDropDown();

} // namespace kit
