// Binding a process to processors and priorities, and enabling the
// privileges of the launcher's own process. Everything here is best effort:
// failures are silent and never stop a launch.
#pragma once
#include <windows.h>

#include <cstdint>

namespace korvel {

// The system's mask of every processor (GetProcessAffinityMask), or 0 when
// it cannot be read.
std::uint32_t SystemProcessorMask();

// Opens the process for setting information, applies the mask, the priority
// class and the I/O priority, and closes it. A mask of 0 is first replaced
// in place by the mask of every processor, so the caller can reuse the
// changed value for the next process.
void TuneProcess(DWORD processId, std::int32_t& mask, std::int32_t priorityClass, std::int32_t ioPriority);

// Asks the system to enable privilege numbers 1 to 64, in that order, in the
// process token. Returns how many of them the system enabled.
int EnablePrivileges();

} // namespace korvel
