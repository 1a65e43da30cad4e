// Process binding and privileges; see ProcessTuning.h.
#include "ProcessTuning.h"

#include "LaunchLogic.h"
#include "ModSetPriority.h"

namespace korvel {

namespace {
constexpr DWORD kSetInformationAccess = 0x200;  // PROCESS_SET_INFORMATION
using RtlAdjustPrivilegeFn = LONG(WINAPI*)(ULONG, BOOLEAN, BOOLEAN, PBOOLEAN);
} // namespace

std::uint32_t SystemProcessorMask()
{
    DWORD_PTR processMask = 0, systemMask = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &processMask, &systemMask))
        return 0;
    return static_cast<std::uint32_t>(systemMask);
}

void TuneProcess(DWORD processId, std::int32_t& mask, std::int32_t priorityClass, std::int32_t ioPriority)
{
    HANDLE process = OpenProcess(kSetInformationAccess, TRUE, processId);
    mask = MaskToApply(mask, SystemProcessorMask());
    SetProcessAffinityMask(process, static_cast<DWORD_PTR>(static_cast<std::uint32_t>(mask)));
    SetPriority(process, priorityClass);
    SetIOPriority(process, ioPriority);
    if (process)
        CloseHandle(process);
}

int EnablePrivileges()
{
    const auto adjust = reinterpret_cast<RtlAdjustPrivilegeFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlAdjustPrivilege")));
    if (!adjust)
        return 0;
    int enabled = 0;
    for (ULONG n = 1; n <= 64; ++n) {
        // The native call writes a one-byte flag; a wider, zeroed slot keeps
        // the rest defined.
        std::uint32_t wasEnabled = 0;
        if (adjust(n, TRUE, FALSE, reinterpret_cast<PBOOLEAN>(&wasEnabled)) >= 0)
            ++enabled;
    }
    return enabled;
}

} // namespace korvel
