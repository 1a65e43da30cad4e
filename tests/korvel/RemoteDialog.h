// The launcher's main dialog in another process (the real Korvel.exe),
// found and driven through its windows as a user would: typing into the
// parameter box, ticking list rows, pressing the buttons, closing it.
#pragma once
#include <windows.h>

#include <string>

namespace kt {

class RemoteDialog {
public:
    // Waits until process `processId` shows the dialog; check found().
    RemoteDialog(DWORD processId, DWORD timeoutMs);

    bool found() const { return form_ != nullptr; }
    HWND form() const { return form_; }

    // The check list whose first row reads `firstRow`, or null.
    HWND ListStartingWith(const std::wstring& firstRow) const;
    // The text of one row of a list (empty outside its rows).
    std::wstring RowText(HWND list, int row) const;
    // A click on the tick box of one row (rows from the top, unscrolled).
    void ClickRowBox(HWND list, int row) const;
    // Characters typed at the end of the parameter box.
    void TypeParameters(const std::wstring& text) const;
    // A click on the owner-drawn button that shows this caption ("确定"),
    // found by its window text as a screen reader finds it.
    bool Press(const wchar_t* caption) const;
    // A click on the check box that shows this caption.
    bool Tick(const wchar_t* caption) const;
    // The window state box moved `steps` rows down (negative: up) with the
    // arrow keys.
    void MoveWindowState(int steps) const;
    // The close box of the title bar.
    void CloseFromTitleBar() const;

private:
    HWND form_ = nullptr;
};

// The dialog's title, by which a user (and the tests) recognise it.
inline constexpr const wchar_t* kDialogTitle = L"请选择要启动的进程及它所绑定的CPU:";

} // namespace kt
