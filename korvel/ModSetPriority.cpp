// Priority calls; see ModSetPriority.h.
#include "ModSetPriority.h"

#include "LaunchLogic.h"

namespace korvel {

namespace {
constexpr ULONG kProcessIoPriority = 33;
using NtSetInformationProcessFn = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG);
} // namespace

BOOL SetPriority(HANDLE process, std::int32_t priorityClass)
{
    return SetPriorityClass(process, static_cast<DWORD>(priorityClass));
}

std::int32_t SetIOPriority(HANDLE process, std::int32_t ioPriority)
{
    // Looked up at run time: the program imports nothing beyond the
    // documented system libraries.
    static const auto call = reinterpret_cast<NtSetInformationProcessFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSetInformationProcess")));
    if (!call)
        return LowStatusWord(0xC0000002u);  // as "not implemented"
    std::int32_t value = ioPriority;
    const LONG status = call(process, kProcessIoPriority, &value, sizeof value);
    return LowStatusWord(static_cast<std::uint32_t>(status));
}

} // namespace korvel
