// Including this header puts the whole test program on a desktop of its
// own, made before any window exists. A desktop has its own windows, its
// own cursor position and its own mouse-button state, so tests that move
// the real cursor (SetCursorPos) or press real buttons (SendInput) see only
// their own input, and other programs of the same Wine session cannot take
// the activation, the focus or the mouse from their windows.
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

} // namespace testdesktop
