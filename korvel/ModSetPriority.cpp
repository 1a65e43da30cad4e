// Priority calls; see ModSetPriority.h.
#include "ModSetPriority.h"

#include "LaunchLogic.h"

namespace korvel {

namespace {
constexpr ULONG kProcessIoPriority = 33;
using NtSetInformationProcessFn = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG);
SetInformationProcessCall& ReplacedCall()
{
    static SetInformationProcessCall call;
    return call;
}

LONG SystemSetInformationProcess(HANDLE process, ULONG informationClass, void* information, ULONG size)
{
    // Looked up at run time: the program imports nothing beyond the
    // documented system libraries.
    static const auto call = reinterpret_cast<NtSetInformationProcessFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSetInformationProcess")));
    if (!call)
        return static_cast<LONG>(0xC0000002u);  // as "not implemented"
    return call(process, informationClass, information, size);
}
} // namespace

SetInformationProcessCall SetSetInformationProcessCall(SetInformationProcessCall call)
{
    SetInformationProcessCall previous = std::move(ReplacedCall());
    ReplacedCall() = std::move(call);
    return previous;
}

BOOL SetPriority(HANDLE process, std::int32_t priorityClass)
{
    return SetPriorityClass(process, static_cast<DWORD>(priorityClass));
}

std::int32_t SetIOPriority(HANDLE process, std::int32_t ioPriority)
{
    std::int32_t value = ioPriority;
    const LONG status = ReplacedCall() ? ReplacedCall()(process, kProcessIoPriority, &value, sizeof value)
                                       : SystemSetInformationProcess(process, kProcessIoPriority, &value, sizeof value);
    return LowStatusWord(static_cast<std::uint32_t>(status));
}

} // namespace korvel
