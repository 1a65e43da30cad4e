// The example program: shows the folder form. A folder named on the
// command line is filled at once; otherwise the form starts on the current
// folder and waits for Fill.
#include "examples/folders/frmFolders.h"

#include <windows.h>

#include <shellapi.h>

#include <exception>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    try {
        int argc = 0;
        LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
        std::wstring folder;
        if (argv && argc > 1)
            folder = argv[1];
        if (argv)
            LocalFree(argv);

        folderview::frmFolders form;
        form.Show();
        if (!folder.empty()) {
            form.SetFolder(folder);
            form.Fill();
        } else {
            wchar_t here[MAX_PATH] = {};
            GetCurrentDirectoryW(MAX_PATH, here);
            form.SetFolder(here);
        }
        host::RunMessageLoop();
    } catch (const std::exception& e) {
        host::MsgBox(L"Folders cannot start: " + host::FromUtf8(e.what()), host::MsgIcon::None);
        return 1;
    }
    return 0;
}
