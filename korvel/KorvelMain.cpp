// Korvel's program entry: one launch, then the program ends.
#include "ModMain.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return korvel::Main() ? 0 : 1;
}
