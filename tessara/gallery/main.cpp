// Tessara's entry point: shows the gallery form; the program ends when the
// form is closed.
#include "tessara/gallery/frmMain.h"

#include <windows.h>

#include <exception>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    try {
        gallery::frmMain form;
        form.Show();
        host::RunMessageLoop();
    } catch (const std::exception& e) {
        // Only a damaged program gets here (its stored form or resources).
        host::MsgBox(L"Tessara cannot start: " + host::FromUtf8(e.what()), host::MsgIcon::None);
        return 1;
    }
    return 0;
}
