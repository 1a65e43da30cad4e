// Watches the native set-information call that carries the I/O priority:
// while one of these lives, the launcher's calls land here instead of in the
// system (which under Wine does not implement the class) and are recorded
// with the process they were made for.
#pragma once
#include "ModSetPriority.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace kt {

struct SetInformationCall {
    DWORD processId = 0;        // 0 when the handle named no process
    ULONG informationClass = 0;
    std::int32_t value = -99;   // the first four bytes given
    ULONG size = 0;
};

inline bool operator==(const SetInformationCall& a, const SetInformationCall& b)
{
    return a.processId == b.processId && a.informationClass == b.informationClass && a.value == b.value &&
           a.size == b.size;
}

inline std::string Describe(const SetInformationCall& c)
{
    return "(process " + std::to_string(c.processId) + ", class " + std::to_string(c.informationClass) +
           ", value " + std::to_string(c.value) + ", size " + std::to_string(c.size) + ")";
}

inline void PrintTo(const SetInformationCall& c, std::ostream* os) { *os << Describe(c); }

// The process a handle stands for. The launcher's handles only allow
// setting information, so a copy with the right to ask is made first.
inline DWORD ProcessIdOfHandle(HANDLE process)
{
    HANDLE asking = nullptr;
    if (!process || !DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &asking,
                                     PROCESS_QUERY_LIMITED_INFORMATION, FALSE, 0))
        return 0;
    const DWORD id = GetProcessId(asking);
    CloseHandle(asking);
    return id;
}

class NativeCallRecorder {
public:
    // `status` is what every recorded call reports back.
    explicit NativeCallRecorder(LONG status = 0)
    {
        previous_ = korvel::SetSetInformationProcessCall(
            [this, status](HANDLE process, ULONG informationClass, void* information, ULONG size) -> LONG {
                SetInformationCall call;
                call.processId = ProcessIdOfHandle(process);
                call.informationClass = informationClass;
                call.size = size;
                if (information && size >= sizeof(std::int32_t))
                    std::memcpy(&call.value, information, sizeof(std::int32_t));
                calls.push_back(call);
                return status;
            });
    }
    ~NativeCallRecorder() { korvel::SetSetInformationProcessCall(std::move(previous_)); }
    NativeCallRecorder(const NativeCallRecorder&) = delete;
    NativeCallRecorder& operator=(const NativeCallRecorder&) = delete;

    std::vector<SetInformationCall> calls;

private:
    korvel::SetInformationProcessCall previous_;
};

} // namespace kt
