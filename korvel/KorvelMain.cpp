// Korvel's program entry: one launch, then the program ends.
#include "ModMain.h"
#include "frmKorvel.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    korvel::LaunchOptions options;
    options.createDialog = [] { return std::make_unique<korvel::frmKorvel>(); };
    // What the shortcut passed to the program it used to start goes on to it.
    options.arguments = korvel::ArgumentsAfterProgramName(GetCommandLineW());
    return korvel::Main(options) ? 0 : 1;
}
