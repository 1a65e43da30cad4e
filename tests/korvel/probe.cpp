// A stand-in for the program Korvel starts. It writes what it was started
// with into "<its file name>.report" beside itself: command line, processor
// mask, priority class, show state, search path (its first entry and all
// of it), folder, its process id, and its parent's processor mask and
// priority class as they were at its start. Started by Korvel, it then
// waits (bounded) for Korvel to end, so the report shows the process after
// Korvel has tuned it.
#include "TestSupport.h"

#include <windows.h>
#include <tlhelp32.h>

#include <string>

using kt::Environment;
using kt::Utf8;

namespace {

// The process that started this one, and whether it is Korvel.
DWORD ParentProcess(bool& parentIsKorvel)
{
    parentIsKorvel = false;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    const DWORD self = GetCurrentProcessId();
    DWORD parent = 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == self)
            parent = entry.th32ParentProcessID;
    }
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (parent != 0 && entry.th32ProcessID == parent && lstrcmpiW(entry.szExeFile, L"Korvel.exe") == 0)
            parentIsKorvel = true;
    }
    CloseHandle(snapshot);
    return parent;
}

// The parent's processor mask and priority class as they are now: the
// launcher tunes itself before it starts us, so at our start they show
// that tuning apart from ours (which we would inherit either way).
std::string ParentTuning(DWORD parent)
{
    HANDLE process = parent ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, parent) : nullptr;
    DWORD_PTR processMask = 0, systemMask = 0;
    DWORD priorityClass = 0;
    if (process) {
        GetProcessAffinityMask(process, &processMask, &systemMask);
        priorityClass = GetPriorityClass(process);
        CloseHandle(process);
    }
    return "parent_affinity=" + std::to_string(static_cast<unsigned long long>(processMask)) + "\n" +
           "parent_priority=" + std::to_string(priorityClass) + "\n";
}

void WaitFor(DWORD parent)
{
    if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, parent)) {
        // Long enough for a Korvel running under emulation to finish tuning.
        WaitForSingleObject(process, 120000);
        CloseHandle(process);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    bool parentIsKorvel = false;
    const DWORD parent = ParentProcess(parentIsKorvel);
    const std::string parentTuning = ParentTuning(parent);
    if (parentIsKorvel)
        WaitFor(parent);

    wchar_t image[MAX_PATH * 4];
    const DWORD imageLength = GetModuleFileNameW(nullptr, image, MAX_PATH * 4);
    const std::wstring imagePath(image, imageLength);

    DWORD_PTR processMask = 0, systemMask = 0;
    GetProcessAffinityMask(GetCurrentProcess(), &processMask, &systemMask);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    const std::wstring path = Environment(L"PATH");
    wchar_t cwd[MAX_PATH * 4];
    const DWORD cwdLength = GetCurrentDirectoryW(MAX_PATH * 4, cwd);

    std::string report;
    report += "image=" + Utf8(imagePath) + "\n";
    report += "cmdline=" + Utf8(GetCommandLineW()) + "\n";
    report += "affinity=" + std::to_string(static_cast<unsigned long long>(processMask)) + "\n";
    report += "system=" + std::to_string(static_cast<unsigned long long>(systemMask)) + "\n";
    report += "priority=" + std::to_string(GetPriorityClass(GetCurrentProcess())) + "\n";
    report += "showflag=" + std::to_string((startup.dwFlags & STARTF_USESHOWWINDOW) ? 1 : 0) + "\n";
    report += "show=" + std::to_string(startup.wShowWindow) + "\n";
    report += "path1=" + Utf8(path.substr(0, path.find(L';'))) + "\n";
    report += "path=" + Utf8(path) + "\n";
    report += "pid=" + std::to_string(GetCurrentProcessId()) + "\n";
    report += parentTuning;
    report += "cwd=" + Utf8(std::wstring(cwd, cwdLength)) + "\n";

    // Beside the program, or in the folder KORVEL_PROBE_REPORTS names (for a
    // program in a folder that cannot be written). Written under a temporary
    // name and renamed, so a reader never sees half.
    std::wstring finalName = imagePath + L".report";
    const std::wstring reports = Environment(L"KORVEL_PROBE_REPORTS");
    if (!reports.empty())
        finalName = reports + L"\\" + imagePath.substr(imagePath.find_last_of(L"\\/") + 1) + L".report";
    const std::wstring tempName = finalName + L".part";
    HANDLE file = CreateFileW(tempName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
    CloseHandle(file);
    return MoveFileExW(tempName.c_str(), finalName.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
