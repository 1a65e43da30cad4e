// See TestSupport.h.
#include "TestSupport.h"

#include <atomic>

namespace kt {

std::wstring ThisFolder()
{
    wchar_t path[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    std::wstring full(path, n);
    return full.substr(0, full.find_last_of(L"\\/"));
}

std::wstring ProbePath() { return ThisFolder() + L"\\korvel_probe.exe"; }

TempFolder::TempFolder(const std::wstring& nameHint)
{
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    for (;;) {
        path_ = std::wstring(temp) + nameHint + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(counter++);
        if (CreateDirectoryW(path_.c_str(), nullptr))
            break;
    }
}

TempFolder::~TempFolder()
{
    // Programs started from here may still be ending: retry for a while.
    for (int attempt = 0; attempt < 50; ++attempt) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                const std::wstring full = path_ + L"\\" + name;
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(full.c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        if (RemoveDirectoryW(path_.c_str()))
            return;
        Sleep(100);
    }
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadBytes(const std::wstring& path)
{
    // Shared for deletion too: a file just renamed into place may still be
    // held by the renaming handle for a moment.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

std::vector<std::string> ReadLines(const std::wstring& path)
{
    const std::string bytes = ReadBytes(path);
    std::vector<std::string> lines;
    std::string line;
    for (char c : bytes) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

std::string Encoded(const std::wstring& text, UINT codePage)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::string Utf8(const std::wstring& text) { return Encoded(text, CP_UTF8); }

std::wstring WideFromUtf8(const std::string& text)
{
    if (text.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}
std::string Ansi(const std::wstring& text) { return Encoded(text, CP_ACP); }

std::wstring Environment(const wchar_t* name)
{
    std::wstring value(32767, L'\0');
    const DWORD n = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    value.resize(n < value.size() ? n : 0);
    return value;
}

Report WaitForReport(const std::wstring& imagePath, DWORD timeoutMs)
{
    const std::wstring reportPath = imagePath + L".report";
    const DWORD start = GetTickCount();
    for (;;) {
        if (FileExists(reportPath)) {
            Report report;
            for (const std::string& line : ReadLines(reportPath)) {
                const std::size_t eq = line.find('=');
                if (eq != std::string::npos)
                    report[line.substr(0, eq)] = line.substr(eq + 1);
            }
            if (!report.empty())
                return report;
        }
        if (GetTickCount() - start > timeoutMs)
            return {};
        Sleep(20);
    }
}

namespace {

struct BoxSearch {
    DWORD processId;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<BoxSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId)
        return TRUE;
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (lstrcmpW(text, search->title) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

struct ChildScan {
    std::wstring staticText;
    std::vector<HWND> buttons;
};

BOOL CALLBACK ScanChild(HWND window, LPARAM param)
{
    auto* scan = reinterpret_cast<ChildScan*>(param);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    wchar_t text[512] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    if (lstrcmpiW(className, L"Button") == 0)
        scan->buttons.push_back(window);
    else if (lstrcmpiW(className, L"Static") == 0 && text[0] != L'\0')
        scan->staticText += text;
    return TRUE;
}

} // namespace

MessageBoxSeen FindAndCloseMessageBox(DWORD processId, const wchar_t* title, DWORD timeoutMs)
{
    MessageBoxSeen seen;
    BoxSearch search{processId, title, nullptr};
    const DWORD start = GetTickCount();
    while (!search.found) {
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            break;
        if (GetTickCount() - start > timeoutMs)
            return seen;
        Sleep(20);
    }
    seen.found = true;
    // The box may still be filling in its controls: give it a moment.
    ChildScan scan;
    for (int attempt = 0; attempt < 100; ++attempt) {
        scan = ChildScan();
        EnumChildWindows(search.found, ScanChild, reinterpret_cast<LPARAM>(&scan));
        if (!scan.buttons.empty() && !scan.staticText.empty())
            break;
        Sleep(20);
    }
    seen.text = scan.staticText;
    seen.buttonCount = static_cast<int>(scan.buttons.size());
    if (!scan.buttons.empty()) {
        seen.firstButtonId = GetDlgCtrlID(scan.buttons.front());
        PostMessageW(scan.buttons.front(), BM_CLICK, 0, 0);
    }
    for (int attempt = 0; attempt < 100 && IsWindow(search.found); ++attempt)
        Sleep(20);
    seen.closed = !IsWindow(search.found);
    if (!seen.closed)
        PostMessageW(search.found, WM_COMMAND, IDOK, 0);  // never leave it waiting for a person
    return seen;
}

namespace {

// The host's path of a folder, through Wine's own export; empty elsewhere.
std::string UnixPathOf(const std::wstring& path)
{
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return {};
    char* name = unixName(path.c_str());
    if (!name)
        return {};
    std::string out = name;
    HeapFree(GetProcessHeap(), 0, name);
    return out;
}

// Starts the host's chattr on a folder (Wine starts host programs too). A
// host program's end cannot be waited for through its handle, so callers
// watch its effect instead.
bool StartChattr(const std::string& flag, const std::string& unixPath)
{
    std::wstring line = L"Z:\\usr\\bin\\chattr " + std::wstring(flag.begin(), flag.end()) + L" \"" +
                        WideFromUtf8(unixPath) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(L"Z:\\usr\\bin\\chattr", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

// Whether a new file can be made in the folder now (it is removed again).
bool TakesNewFiles(const std::wstring& folder)
{
    const std::wstring probe = folder + L"\\write-test";
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    DeleteFileW(probe.c_str());
    return true;
}

// Waits up to 10 s for the folder to take new files, or to refuse them.
bool WaitUntilTakesNewFiles(const std::wstring& folder, bool takes)
{
    const DWORD start = GetTickCount();
    while (TakesNewFiles(folder) != takes) {
        if (GetTickCount() - start > 10000)
            return false;
        Sleep(20);
    }
    return true;
}

} // namespace

UnwritableFolder::UnwritableFolder(const std::wstring& folder) : folder_(folder), unixPath_(UnixPathOf(folder))
{
    made_ = !unixPath_.empty() && StartChattr("+i", unixPath_) && WaitUntilTakesNewFiles(folder_, false);
}

UnwritableFolder::~UnwritableFolder()
{
    if (!unixPath_.empty() && StartChattr("-i", unixPath_))
        WaitUntilTakesNewFiles(folder_, true);
}

ProcessTuningGuard::ProcessTuningGuard()
{
    DWORD_PTR system = 0;
    GetProcessAffinityMask(GetCurrentProcess(), &mask_, &system);
    priorityClass_ = GetPriorityClass(GetCurrentProcess());
}

ProcessTuningGuard::~ProcessTuningGuard()
{
    if (mask_)
        SetProcessAffinityMask(GetCurrentProcess(), mask_);
    if (priorityClass_)
        SetPriorityClass(GetCurrentProcess(), priorityClass_);
}

bool WaitOrEnd(HANDLE process, DWORD timeoutMs)
{
    if (WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0)
        return true;
    TerminateProcess(process, 99);
    WaitForSingleObject(process, 5000);
    return false;
}

} // namespace kt
