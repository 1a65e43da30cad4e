// Priority calls the launcher makes on a process handle. Results are only
// informative: callers ignore them.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

namespace korvel {

// SetPriorityClass; non-zero on success.
BOOL SetPriority(HANDLE process, std::int32_t priorityClass);

// The I/O priority hint (0 very low, 1 low, 2 normal, 3 high) through the
// native process-information call, class 33. Returns the status cut to its
// low 16 bits and sign-extended; when the native call is missing, as "not
// implemented".
std::int32_t SetIOPriority(HANDLE process, std::int32_t ioPriority);

// The native call SetIOPriority makes, NtSetInformationProcess(process,
// information class, address of the value, its size), giving its status.
using SetInformationProcessCall = std::function<LONG(HANDLE process, ULONG informationClass, void* information,
                                                     ULONG size)>;

// Puts another call in the system's place, or the system's back when given
// an empty one; returns the one it replaces. The I/O priority cannot be
// read back (Wine does not implement it), so tests watch what is asked.
SetInformationProcessCall SetSetInformationProcessCall(SetInformationProcessCall call);

} // namespace korvel
