#include "WindowCount.h"

#include <windows.h>

namespace reliability {
namespace {

BOOL CALLBACK CountChild(HWND, LPARAM counter)
{
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

// A top-level window and every window inside it (the enumeration of
// children already reaches all descendants).
BOOL CALLBACK CountOne(HWND h, LPARAM counter)
{
    ++*reinterpret_cast<int*>(counter);
    ::EnumChildWindows(h, CountChild, counter);
    return TRUE;
}

} // namespace

int LiveWindows()
{
    int n = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountOne, reinterpret_cast<LPARAM>(&n));
    return n;
}

} // namespace reliability
