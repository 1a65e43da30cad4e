// Helpers the launcher's Windows tests share: throw-away folders, raw file
// bytes, the probe's report, processes waited on with a timeout, and the
// failure message box found as a user would see it.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace kt {

// Folder holding the running test program (and the probe beside it).
std::wstring ThisFolder();
// The probe program built with the tests.
std::wstring ProbePath();

// A fresh folder under the temporary folder, removed with its files at the end.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& nameHint = L"korvel");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& path() const { return path_; }
    std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

bool FileExists(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
// Lines of a text file, without their line ends.
std::vector<std::string> ReadLines(const std::wstring& path);

std::string Utf8(const std::wstring& text);
std::wstring WideFromUtf8(const std::string& text);
// Text in the ANSI code page (936 in the test prefix).
std::string Ansi(const std::wstring& text);
// An environment variable of this process; empty when unset.
std::wstring Environment(const wchar_t* name);

// The probe's report ("<image>.report"); empty when none appeared in time.
using Report = std::map<std::string, std::string>;
Report WaitForReport(const std::wstring& imagePath, DWORD timeoutMs);

// The failure message box of one process, as seen from outside.
struct MessageBoxSeen {
    bool found = false;
    std::wstring text;        // the message text shown
    int buttonCount = 0;
    int firstButtonId = 0;
    bool closed = false;      // the OK button was clicked and the box went away
};
// Waits for a top-level window titled `title` of process `processId`,
// reads its text and buttons, and clicks its first button.
MessageBoxSeen FindAndCloseMessageBox(DWORD processId, const wchar_t* title, DWORD timeoutMs);

// Waits for a process to end; on timeout it is ended, so nothing hangs.
bool WaitOrEnd(HANDLE process, DWORD timeoutMs);

// Makes a folder one that no file can be created in, until this goes. We
// run as root under Wine, for whom permission bits and the read-only
// attribute stop nothing, so the folder is marked immutable on the host
// (chattr +i). made() is false where that is not possible.
class UnwritableFolder {
public:
    explicit UnwritableFolder(const std::wstring& folder);
    ~UnwritableFolder();
    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;
    bool made() const { return made_; }

private:
    std::wstring folder_;
    std::string unixPath_;
    bool made_ = false;
};

// Puts this process's processor mask and priority class back when it goes,
// also when an assertion ends a test early: tests that tune their own
// process (or run the entry routine, which does) hold one.
class ProcessTuningGuard {
public:
    ProcessTuningGuard();
    ~ProcessTuningGuard();
    ProcessTuningGuard(const ProcessTuningGuard&) = delete;
    ProcessTuningGuard& operator=(const ProcessTuningGuard&) = delete;

private:
    DWORD_PTR mask_ = 0;
    DWORD priorityClass_ = 0;
};

} // namespace kt
