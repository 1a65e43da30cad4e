#include "ModKxTimer.h"

#include "ButtonModel.h"

#include <cstdint>

namespace ModKxTimer {

const wchar_t kClassIdProp[] = L"kx_ClassID";
const wchar_t kTimerIdProp[] = L"kx_TimerID";

void CALLBACK TimerProc(HWND hwnd, UINT, UINT_PTR, DWORD)
{
    auto* button = static_cast<kx::ButtonModel*>(GetPropW(hwnd, kClassIdProp));
    const int timerId = static_cast<int>(reinterpret_cast<std::intptr_t>(GetPropW(hwnd, kTimerIdProp)));
    if (button)
        button->HoverLeaveCheck(timerId);
}

}  // namespace ModKxTimer
