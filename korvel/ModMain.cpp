// The launcher's entry routine; see ModMain.h.
#include "ModMain.h"

#include "ProcessTuning.h"
#include "host/App.h"
#include "modRWini.h"

#include <vector>

namespace korvel {

std::wstring LauncherProgramPath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return std::wstring();
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring LauncherFolder()
{
    const std::wstring path = LauncherProgramPath();
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

namespace {

std::wstring EnvironmentText(const wchar_t* name)
{
    std::wstring value(256, L'\0');
    for (;;) {
        const DWORD n = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
        if (n == 0)
            return std::wstring();  // unset or empty
        if (n < value.size()) {
            value.resize(n);
            return value;
        }
        value.resize(n);  // n includes the terminator when the buffer was short
    }
}

// The profile functions take an ANSI path. A folder whose name the code page
// cannot hold is reached through its short name instead.
std::string SettingsPathFor(const std::wstring& folder)
{
    const std::wstring full = folder + L"\\Korveled.ini";
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, 0, full.c_str(), -1, nullptr, 0, nullptr, &lossy);
    if (lossy) {
        wchar_t shortFolder[MAX_PATH];
        const DWORD n = GetShortPathNameW(folder.c_str(), shortFolder, MAX_PATH);
        if (n > 0 && n < MAX_PATH)
            return AnsiFromWide(std::wstring(shortFolder, n) + L"\\Korveled.ini");
    }
    return AnsiFromWide(full);
}

// A plain directory lookup: normal, read-only and archive files count; a
// hidden or system file, or a folder, does not.
bool SettingsFileFound(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

// Whether the settings file can be read and looks like settings text.
bool SettingsFileUsable(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    bool usable = GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
                  static_cast<unsigned long long>(size.QuadPart) <= kMaxSettingsBytes;
    if (usable) {
        std::vector<unsigned char> bytes(static_cast<std::size_t>(size.QuadPart));
        std::size_t have = 0;
        while (have < bytes.size()) {
            DWORD got = 0;
            if (!ReadFile(file, bytes.data() + have, static_cast<DWORD>(bytes.size() - have), &got, nullptr) ||
                got == 0)
                break;
            have += got;
        }
        usable = have == bytes.size() && SettingsTextAcceptable(bytes.data(), have);
    }
    CloseHandle(file);
    return usable;
}

std::wstring ReadText(const SettingKey& key) { return WideFromAnsi(ReadIni(kSection, key.name, key.fallback)); }

bool ReadNumber(const SettingKey& key, std::int32_t& out)
{
    return ParseDecimal(ReadIni(kSection, key.name, key.fallback), out);
}

void WriteNumber(const SettingKey& key, std::int32_t value) { WriteIni(kSection, key.name, DecimalText(value)); }

void ProcessPendingMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Starts the command line with the show command; gives the new process id.
bool StartProgram(const std::wstring& commandLine, int showCommand, DWORD& processId)
{
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return false;
    processId = started.dwProcessId;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

bool Launch(const LaunchOptions& options, std::unique_ptr<LaunchDialog>& dialog)
{
    // Read first: the user lets go of Shift soon after starting us.
    const bool chooseAgain = options.shiftHeld ? options.shiftHeld() : ShiftKeyDown();

    // Search path: our folder first, so the started program finds what lies
    // beside it.
    const std::wstring folder = options.folder.empty() ? LauncherFolder() : options.folder;
    const std::wstring searchPath = folder + L";" + EnvironmentText(L"PATH");
    SetEnvironmentVariableW(L"PATH", searchPath.c_str());

    EnablePrivileges();

    const std::wstring settingsPath = folder + L"\\Korveled.ini";
    IniPath = SettingsPathFor(folder);

    if (options.createDialog)
        dialog = options.createDialog();
    LaunchConfig unshown;  // stands in for the fields while no dialog exists
    LaunchConfig& fields = dialog ? dialog->Config : unshown;

    bool showDialog = true;
    if (SettingsFileFound(settingsPath)) {
        if (!SettingsFileUsable(settingsPath))
            return false;
        if (!ReadChoice(fields))
            return false;
        showDialog = ShowDialogFor(ReadIni(kSection, keys::isRemember.name, keys::isRemember.fallback));
        if (!showDialog && chooseAgain) {
            // Choosing again: the remembered choice is preselected, the
            // remember box included, so OK alone keeps it remembered.
            showDialog = true;
            fields.isRemember = 1;
        }
    } else {
        const LaunchConfig defaults;
        fields.EXEName = defaults.EXEName;
        fields.EXEParam = defaults.EXEParam;
        fields.SelectedCPU = defaults.SelectedCPU;
        fields.CPUPRIORITY = defaults.CPUPRIORITY;
        fields.IOPRIORITY = defaults.IOPRIORITY;
        fields.ShowStyle = defaults.ShowStyle;
    }

    LaunchConfig choice;
    if (showDialog) {
        if (!dialog)
            return false;
        dialog->ShowModal();
        if (dialog->Config.isCancel != 0)
            return false;
        StoreChoice(dialog->Config);
        choice = dialog->Config;
        dialog->Unload();
        dialog.reset();
    } else if (!ReadChoice(choice)) {
        return false;
    }

    std::int32_t mask = choice.SelectedCPU;
    const std::int32_t cpu = PriorityClassFor(choice.CPUPRIORITY);
    const std::int32_t io = choice.IOPRIORITY;

    TuneProcess(GetCurrentProcessId(), mask, cpu, io);

    std::wstring commandLine;
    if (!BuildCommandLine(choice.EXEName, choice.EXEParam, commandLine, options.arguments))
        return false;
    int showCommand = 0;
    if (!ShowCommandFor(choice.ShowStyle, showCommand))
        return false;
    DWORD processId = 0;
    if (!StartProgram(commandLine, showCommand, processId))
        return false;

    ProcessPendingMessages();

    TuneProcess(processId, mask, cpu, io);
    return true;
}

} // namespace

bool ShiftKeyDown() { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }

bool ReadChoice(LaunchConfig& config)
{
    config.EXEName = ReadText(keys::EXEName);
    config.EXEParam = ReadText(keys::EXEParam);
    return ReadNumber(keys::SelectedCPU, config.SelectedCPU) && ReadNumber(keys::CPUPriority, config.CPUPRIORITY) &&
           ReadNumber(keys::IOPriority, config.IOPRIORITY) && ReadNumber(keys::ShowStyle, config.ShowStyle);
}

void StoreChoice(const LaunchConfig& config)
{
    WriteIni(kSection, keys::EXEName.name, AnsiFromWide(config.EXEName));
    WriteIni(kSection, keys::EXEParam.name, AnsiFromWide(config.EXEParam));
    WriteNumber(keys::SelectedCPU, config.SelectedCPU);
    WriteNumber(keys::isRemember, config.isRemember);
    WriteNumber(keys::CPUPriority, config.CPUPRIORITY);
    WriteNumber(keys::IOPriority, config.IOPRIORITY);
    WriteNumber(keys::ShowStyle, config.ShowStyle);
}

bool Main(const LaunchOptions& options)
{
    std::unique_ptr<LaunchDialog> dialog;
    bool started = false;
    try {
        started = Launch(options, dialog);
    } catch (...) {
        // Out of memory or a failing dialog: the same one failure exit.
        started = false;
    }
    if (started)
        return true;
    if (dialog) {
        try {
            dialog->Unload();
        } catch (...) {
        }
        dialog.reset();
    }
    host::MsgBox(kFailureText, host::MsgIcon::Information, kFailureTitle);
    return false;
}

} // namespace korvel
