// The real Korvel.exe, run from a folder of its own with a settings file,
// as a shortcut would start it. The probe stands in for the chosen program
// and reports how it was started; failures are seen as the user sees them,
// by the message box window.
#include "LaunchCases.h"
#include "RemoteDialog.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace {

const wchar_t* const kFailureText = L"执行失败,退出本次执行!";

std::wstring KorvelUnderTest() { return kt::ThisFolder() + L"\\KorvelUnderTest.exe"; }

std::uint32_t SystemMask()
{
    DWORD_PTR process = 0, system = 0;
    GetProcessAffinityMask(GetCurrentProcess(), &process, &system);
    return static_cast<std::uint32_t>(system);
}

std::uint32_t HighestBit(std::uint32_t mask)
{
    std::uint32_t bit = 0x80000000u;
    while (bit && !(mask & bit))
        bit >>= 1;
    return bit;
}

std::string Remembered(const std::string& name, const std::string& params, const std::string& cpuMask,
                       const std::string& cpuPriority, const std::string& showStyle)
{
    return "[Config]\r\nEXEName=" + name + "\r\nEXEParam=" + params + "\r\nSelectedCPU=" + cpuMask +
           "\r\nCPUPriority=" + cpuPriority + "\r\nIOPriority=2\r\nShowStyle=" + showStyle +
           "\r\nisRemember=1\r\n";
}

// A folder holding Korvel.exe, as the user set it up.
class KorvelFolder {
public:
    explicit KorvelFolder(const std::wstring& hint = L"korvel-run") : folder_(hint)
    {
        copied_ = CopyFileW(KorvelUnderTest().c_str(), file(L"Korvel.exe").c_str(), FALSE) != 0;
    }
    bool ready() const { return copied_; }
    std::wstring file(const std::wstring& name) const { return folder_.file(name); }
    const std::wstring& path() const { return folder_.path(); }
    bool AddProbe(const std::wstring& name) { return CopyFileW(kt::ProbePath().c_str(), file(name).c_str(), FALSE) != 0; }
    void WriteSettings(const std::string& bytes) { kt::WriteBytes(file(L"Korveled.ini"), bytes); }
    std::string Settings() const { return kt::ReadBytes(file(L"Korveled.ini")); }

    // Starts Korvel as a shortcut would (from another working folder, with
    // the shortcut's own arguments after the quoted program name),
    // optionally from a parent restricted to `parentMask`.
    bool Start(PROCESS_INFORMATION& info, DWORD_PTR parentMask = 0, const std::wstring& arguments = std::wstring())
    {
        const std::wstring exe = file(L"Korvel.exe");
        std::wstring line = L"\"" + exe + L"\"";
        if (!arguments.empty())
            line += L" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        const DWORD flags = parentMask ? CREATE_SUSPENDED : 0;
        if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, flags, nullptr,
                            kt::ThisFolder().c_str(), &startup, &info))
            return false;
        if (parentMask) {
            SetProcessAffinityMask(info.hProcess, parentMask);
            ResumeThread(info.hThread);
        }
        return true;
    }

private:
    kt::TempFolder folder_;
    bool copied_ = false;
};

// Runs Korvel expecting it to start `image`; gives the probe's report.
kt::Report RunExpectingStart(KorvelFolder& korvel, const std::wstring& image, DWORD_PTR parentMask = 0,
                             const std::wstring& arguments = std::wstring())
{
    PROCESS_INFORMATION info{};
    if (!korvel.Start(info, parentMask, arguments)) {
        ADD_FAILURE() << "Korvel.exe did not start";
        return {};
    }
    const bool ended = kt::WaitOrEnd(info.hProcess, 15000);
    DWORD exitCode = 1234;
    GetExitCodeProcess(info.hProcess, &exitCode);
    EXPECT_TRUE(ended) << "Korvel did not end after starting the program";
    EXPECT_EQ(exitCode, 0u);
    // Korvel's handle stays open until the report is there: the program
    // reads Korvel's tuning at its start, which may come after Korvel ended.
    kt::Report report = kt::WaitForReport(image, 10000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return report;
}

// How the test answers the dialog when Korvel shows it. WarnThenCancel:
// the folder holds no program, so the dialog first warns about that.
enum class Dialog { NotShown, Cancel, TitleBar, WarnThenCancel };

// Runs Korvel expecting the one failure message; closes it like a user.
// When the dialog is expected, it is first cancelled as `dialog` says.
void RunExpectingFailure(KorvelFolder& korvel, const char* label, Dialog dialog = Dialog::NotShown)
{
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(korvel.Start(info)) << label;
    if (dialog == Dialog::WarnThenCancel) {
        const kt::MessageBoxSeen warning = kt::FindAndCloseMessageBox(info.dwProcessId, L"警告", 15000);
        EXPECT_TRUE(warning.found) << label << ": no warning";
        EXPECT_EQ(warning.text, L"当前目录下没有可执行文件!") << label;
        EXPECT_TRUE(warning.closed) << label;
    }
    if (dialog != Dialog::NotShown) {
        const kt::RemoteDialog shown(info.dwProcessId, 15000);
        EXPECT_TRUE(shown.found()) << label << ": no dialog";
        if (shown.found() && dialog != Dialog::TitleBar)
            EXPECT_TRUE(shown.Press(L"取消")) << label;
        else if (shown.found())
            shown.CloseFromTitleBar();
    }
    const kt::MessageBoxSeen box = kt::FindAndCloseMessageBox(info.dwProcessId, L"Vexilo", 15000);
    const bool ended = kt::WaitOrEnd(info.hProcess, 10000);
    DWORD exitCode = 0;
    GetExitCodeProcess(info.hProcess, &exitCode);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    ASSERT_TRUE(box.found) << label << ": no message box titled Vexilo";
    EXPECT_EQ(box.text, kFailureText) << label;
    EXPECT_EQ(box.buttonCount, 1) << label << ": one OK button";
    EXPECT_EQ(box.firstButtonId, IDOK) << label;
    EXPECT_TRUE(box.closed) << label;
    EXPECT_TRUE(ended) << label << ": Korvel must end once the message is closed";
    EXPECT_EQ(exitCode, 1u) << label;
}

// A first run whose dialog `answer` fills in from outside, returning
// whether it pressed OK; Korvel then has to end by itself. With `image`,
// the report of that program is waited for while Korvel's handle is open.
struct DialogRun {
    bool found = false;     // the dialog showed
    bool pressed = false;
    bool ended = false;
    DWORD exitCode = 1234;
    kt::Report report;
};

DialogRun AnswerDialog(KorvelFolder& korvel, const std::function<bool(const kt::RemoteDialog&)>& answer,
                       const std::wstring& image = std::wstring())
{
    DialogRun run;
    PROCESS_INFORMATION info{};
    if (!korvel.Start(info)) {
        ADD_FAILURE() << "Korvel.exe did not start";
        return run;
    }
    {
        const kt::RemoteDialog dialog(info.dwProcessId, 15000);
        run.found = dialog.found();
        if (run.found)
            run.pressed = answer(dialog);
    }
    run.ended = kt::WaitOrEnd(info.hProcess, 15000);
    GetExitCodeProcess(info.hProcess, &run.exitCode);
    if (!image.empty() && run.pressed)
        run.report = kt::WaitForReport(image, 10000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return run;
}

TEST(KorvelRun, RememberedChoiceStartsTheProgramTuned)
{
    const std::uint32_t all = SystemMask();
    ASSERT_NE(all, 0u);
    const std::uint32_t last = HighestBit(all);
    struct Case {
        const char* label;
        std::string params, mask, cpuPriority, showStyle;
        std::string cmdline;
        std::uint32_t affinity;
        DWORD priorityClass;
        int show;
    };
    const std::vector<Case> cases = {
        {"defaults, empty parameters", "", "0", "1", "1", "game.exe ", all, NORMAL_PRIORITY_CLASS, SW_SHOWNORMAL},
        {"parameters, high, minimised", "-window -x", "0", "2", "2", "game.exe -window -x", all, HIGH_PRIORITY_CLASS,
         SW_SHOWMINIMIZED},
        {"idle, hidden", "-a", "0", "0", "0", "game.exe -a", all, IDLE_PRIORITY_CLASS, SW_HIDE},
        {"realtime, maximised", "", "0", "3", "3", "game.exe ", all, REALTIME_PRIORITY_CLASS, SW_SHOWMAXIMIZED},
        {"class 16384 (below normal) used unchanged", "", "0", "16384", "1", "game.exe ", all,
         BELOW_NORMAL_PRIORITY_CLASS, SW_SHOWNORMAL},
        {"chosen processor", "", std::to_string(static_cast<std::int32_t>(last)), "1", "1", "game.exe ", last,
         NORMAL_PRIORITY_CLASS, SW_SHOWNORMAL},
    };
    for (const Case& c : cases) {
        KorvelFolder korvel;
        ASSERT_TRUE(korvel.ready());
        ASSERT_TRUE(korvel.AddProbe(L"game.exe"));
        const std::string settings = Remembered("game.exe", c.params, c.mask, c.cpuPriority, c.showStyle);
        korvel.WriteSettings(settings);
        kt::Report report = RunExpectingStart(korvel, korvel.file(L"game.exe"));
        ASSERT_FALSE(report.empty()) << c.label << ": the program did not start";
        EXPECT_EQ(report["cmdline"], c.cmdline) << c.label;
        EXPECT_EQ(report["affinity"], std::to_string(c.affinity)) << c.label;
        EXPECT_EQ(report["priority"], std::to_string(c.priorityClass)) << c.label;
        EXPECT_EQ(report["showflag"], "1") << c.label;
        EXPECT_EQ(report["show"], std::to_string(c.show)) << c.label;
        EXPECT_EQ(report["path1"], kt::Utf8(korvel.path())) << c.label;
        EXPECT_EQ(report["path"], kt::Utf8(korvel.path() + L";" + kt::Environment(L"PATH")))
            << c.label << ": Korvel's folder, then the PATH it was started with";
        // Korvel tuned itself before it started the program.
        EXPECT_EQ(report["parent_affinity"], std::to_string(c.affinity)) << c.label;
        EXPECT_EQ(report["parent_priority"], std::to_string(c.priorityClass)) << c.label;
        EXPECT_EQ(korvel.Settings(), settings) << c.label << ": a complete file is only read";
    }
}

TEST(KorvelRun, EveryProcessorEvenWhenStartedFromARestrictedParent)
{
    const std::uint32_t all = SystemMask();
    const std::uint32_t first = all & (~all + 1);
    if (first == all)
        GTEST_SKIP() << "one processor: a restricted parent cannot be told apart";
    KorvelFolder korvel;
    ASSERT_TRUE(korvel.ready());
    ASSERT_TRUE(korvel.AddProbe(L"game.exe"));
    const std::string settings = Remembered("game.exe", "", "0", "1", "1");
    korvel.WriteSettings(settings);
    kt::Report report = RunExpectingStart(korvel, korvel.file(L"game.exe"), first);
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report["affinity"], std::to_string(all));
    EXPECT_EQ(report["system"], std::to_string(all));
    // "Every processor" stays stored as 0.
    EXPECT_EQ(korvel.Settings(), settings);
}

TEST(KorvelRun, AProgramNameWithASpaceStartsThatProgram)
{
    KorvelFolder korvel;
    ASSERT_TRUE(korvel.ready());
    ASSERT_TRUE(korvel.AddProbe(L"my game.exe"));
    ASSERT_TRUE(korvel.AddProbe(L"my.exe"));  // what an unquoted name would start
    korvel.WriteSettings(Remembered("my game.exe", "-fast", "0", "1", "1"));
    kt::Report report = RunExpectingStart(korvel, korvel.file(L"my game.exe"));
    ASSERT_FALSE(report.empty()) << "my game.exe did not start";
    EXPECT_EQ(report["cmdline"], "\"my game.exe\" -fast");
    EXPECT_FALSE(kt::FileExists(korvel.file(L"my.exe.report"))) << "my.exe was started instead";
}

TEST(KorvelRun, ChineseFolderAndProgramNameInCodePage936)
{
    KorvelFolder korvel(L"启动器");
    ASSERT_TRUE(korvel.ready());
    ASSERT_TRUE(korvel.AddProbe(L"游戏.exe"));
    korvel.WriteSettings(Remembered(kt::Ansi(L"游戏.exe"), kt::Ansi(L"-名字"), "0", "1", "1"));
    kt::Report report = RunExpectingStart(korvel, korvel.file(L"游戏.exe"));
    ASSERT_FALSE(report.empty()) << "游戏.exe did not start";
    EXPECT_EQ(report["cmdline"], kt::Utf8(L"游戏.exe -名字"));
    EXPECT_EQ(report["path1"], kt::Utf8(korvel.path()));
}

TEST(KorvelRun, BadInputEndsInTheOneFailureMessageAndKeepsTheFile)
{
    const std::string huge = Remembered("game.exe", "", "0", "1", "1") + std::string(1024 * 1024, ';') + "\r\n";
    std::string binary = "[Config]\r\nEXEName=game.exe\r\nisRemember=1\r\n";
    for (int i = 0; i < 512; ++i)
        binary += static_cast<char>((i * 37 + 11) & 0xFF);
    struct Case {
        const char* label;
        std::string settings;  // empty: no settings file at all
        Dialog dialog = Dialog::NotShown;
        DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    };
    const std::vector<Case> cases = {
        {"first run, dialog cancelled", "", Dialog::Cancel},
        {"first run, dialog closed from its title bar", "", Dialog::TitleBar},
        {"not remembered, dialog cancelled",
         Remembered("game.exe", "", "0", "1", "1").replace(Remembered("game.exe", "", "0", "1", "1").find("isRemember=1"),
                                                           12, "isRemember=0"),
         Dialog::Cancel},
        {"remembered as 01: the dialog shows", Remembered("game.exe", "", "0", "1", "1").replace(
                                 Remembered("game.exe", "", "0", "1", "1").find("isRemember=1"), 12, "isRemember=01"),
         Dialog::Cancel},
        {"remembered as quoted \"1 \": the dialog shows", Remembered("game.exe", "", "0", "1", "1").replace(
                                            Remembered("game.exe", "", "0", "1", "1").find("isRemember=1"), 12,
                                            "isRemember=\"1 \""),
         Dialog::Cancel},
        {"mask not numeric", Remembered("game.exe", "", "all", "1", "1")},
        {"mask beyond 32 bits", Remembered("game.exe", "", "4294967296", "1", "1")},
        {"priority a fraction", Remembered("game.exe", "", "0", "1.5", "1")},
        {"priority in hexadecimal", Remembered("game.exe", "", "0", "0x80", "1")},
        {"unknown window state", Remembered("game.exe", "", "0", "1", "5")},
        {"missing program", Remembered("missing.exe", "", "0", "1", "1")},
        {"not a program", Remembered("readme.exe", "", "0", "1", "1")},
        {"empty program name", Remembered("", "game.exe", "0", "1", "1")},
        {"name holding a quote", Remembered("game.exe\" x", "", "0", "1", "1")},
        {"binary settings file", binary},
        {"settings file over 1 MiB", huge},
        {"hidden file counts as missing: the dialog shows", Remembered("game.exe", "", "0", "1", "1"), Dialog::Cancel,
         FILE_ATTRIBUTE_HIDDEN},
        {"system file counts as missing: the dialog shows", Remembered("game.exe", "", "0", "1", "1"), Dialog::Cancel,
         FILE_ATTRIBUTE_SYSTEM},
    };
    for (const Case& c : cases) {
        KorvelFolder korvel;
        ASSERT_TRUE(korvel.ready());
        ASSERT_TRUE(korvel.AddProbe(L"game.exe"));
        kt::WriteBytes(korvel.file(L"readme.exe"), "This is not a program.\r\n");
        if (!c.settings.empty())
            korvel.WriteSettings(c.settings);
        SetFileAttributesW(korvel.file(L"Korveled.ini").c_str(), c.attributes);
        RunExpectingFailure(korvel, c.label, c.dialog);
        SetFileAttributesW(korvel.file(L"Korveled.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_FALSE(kt::FileExists(korvel.file(L"game.exe.report"))) << c.label << ": something was started";
        if (c.settings.empty())
            EXPECT_FALSE(kt::FileExists(korvel.file(L"Korveled.ini"))) << c.label << ": nothing may be written";
        else
            EXPECT_EQ(korvel.Settings(), c.settings) << c.label << ": the file must stay as it was";
    }
}

TEST(KorvelRun, AFileWithoutKeysGetsThemAllInReadOrder)
{
    KorvelFolder korvel;
    ASSERT_TRUE(korvel.ready());
    korvel.WriteSettings("[Config]\r\n");
    RunExpectingFailure(korvel, "empty section", Dialog::WarnThenCancel);
    const std::vector<std::string> expected = {"[Config]",     "EXEName=",     "EXEParam=",
                                               "SelectedCPU=0", "CPUPriority=1", "IOPriority=2",
                                               "ShowStyle=1",   "isRemember=0"};
    EXPECT_EQ(kt::ReadLines(korvel.file(L"Korveled.ini")), expected);
}

} // namespace

namespace {

TEST(KorvelRun, FirstRunDialogOkStoresAllSevenKeysAndStartsTheProgramTuned)
{
    const std::uint32_t all = SystemMask();
    KorvelFolder korvel;
    ASSERT_TRUE(korvel.ready());
    ASSERT_TRUE(korvel.AddProbe(L"game.exe"));
    const DialogRun run = AnswerDialog(korvel, [](const kt::RemoteDialog& dialog) {
        dialog.TypeParameters(L"-window");
        const HWND priorities = dialog.ListStartingWith(L"低(空闲时响应)");
        EXPECT_NE(priorities, nullptr) << "no CPU priority list";
        if (priorities)
            dialog.ClickRowBox(priorities, 2);   // 高
        return dialog.Press(L"确定");
    });
    EXPECT_TRUE(run.found) << "no dialog on a first run";
    ASSERT_TRUE(run.pressed) << "OK could not be pressed";
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u);

    const std::vector<std::string> expected = {
        "[Config]",
        "EXEName=game.exe",
        "EXEParam=-window",
        "SelectedCPU=" + std::to_string(static_cast<std::int32_t>(all)),
        "isRemember=0",
        "CPUPriority=2",
        "IOPriority=2",
        "ShowStyle=1"};
    EXPECT_EQ(kt::ReadLines(korvel.file(L"Korveled.ini")), expected);

    kt::Report report = kt::WaitForReport(korvel.file(L"game.exe"), 10000);
    ASSERT_FALSE(report.empty()) << "the chosen program did not start";
    EXPECT_EQ(report["cmdline"], "game.exe -window");
    EXPECT_EQ(report["affinity"], std::to_string(all));
    EXPECT_EQ(report["priority"], std::to_string(HIGH_PRIORITY_CLASS));
    EXPECT_EQ(report["showflag"], "1");
    EXPECT_EQ(report["show"], std::to_string(SW_SHOWNORMAL));
    EXPECT_EQ(report["path1"], kt::Utf8(korvel.path()));
}

// ---- Files the profile calls read, arguments, long parameters --------------------

std::string Utf16LE(const std::wstring& text)
{
    const std::wstring marked = L"\xFEFF" + text;
    return std::string(reinterpret_cast<const char*>(marked.data()), marked.size() * sizeof(wchar_t));
}

std::string Utf16BE(const std::wstring& text)
{
    std::string out = "\xfe\xff";
    for (wchar_t c : text) {
        out += static_cast<char>((c >> 8) & 0xFF);
        out += static_cast<char>(c & 0xFF);
    }
    return out;
}

TEST(KorvelRun, SettingsFilesTheProfileCallsReadStartTheProgram)
{
    const std::wstring unicode = L"[Config]\r\nEXEName=游戏.exe\r\nEXEParam=-名字\r\nSelectedCPU=0\r\nCPUPriority=1\r\n"
                                 L"ShowStyle=1\r\nisRemember=1\r\n";   // no IOPriority: a read writes it back
    const std::string plain = Remembered("game.exe", "-p", "0", "1", "1");
    const std::string longParams = "-config " + std::string(400, 'x') + " -end";
    struct Case {
        const char* label;
        std::string settings;
        std::wstring program;
        std::string cmdline;
        std::string after;          // the file afterwards
        bool holdOpen = false;      // another program keeps it open meanwhile
    };
    const std::vector<Case> cases = {
        {"UTF-16 with its mark, as Notepad saves it", Utf16LE(unicode), L"游戏.exe", kt::Utf8(L"游戏.exe -名字"),
         Utf16LE(unicode + L"IOPriority=2\r\n")},
        {"UTF-16 big-endian", Utf16BE(unicode), L"游戏.exe", kt::Utf8(L"游戏.exe -名字"),
         Utf16BE(unicode + L"IOPriority=2\r\n")},
        {"ending in Ctrl-Z", plain + "\x1a", L"game.exe", "game.exe -p", plain + "\x1a"},
        {"holding a form feed", "\x0c" + plain, L"game.exe", "game.exe -p", "\x0c" + plain},
        {"70 KiB of comments", plain + std::string(70 * 1024, ';') + "\r\n", L"game.exe", "game.exe -p",
         plain + std::string(70 * 1024, ';') + "\r\n"},
        {"held open by another program", plain, L"game.exe", "game.exe -p", plain, true},
        {"a parameter of 400 characters", Remembered("game.exe", longParams, "0", "1", "1"), L"game.exe",
         "game.exe " + longParams, Remembered("game.exe", longParams, "0", "1", "1")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        KorvelFolder korvel;
        ASSERT_TRUE(korvel.ready());
        ASSERT_TRUE(korvel.AddProbe(c.program));
        korvel.WriteSettings(c.settings);
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.holdOpen)
            held = CreateFileW(korvel.file(L"Korveled.ini").c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        kt::Report report = RunExpectingStart(korvel, korvel.file(c.program));
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        ASSERT_FALSE(report.empty()) << "the program did not start";
        EXPECT_EQ(report["cmdline"], c.cmdline);
        EXPECT_EQ(korvel.Settings(), c.after);
    }
}

TEST(KorvelRun, TheShortcutsOwnArgumentsFollowTheParameters)
{
    for (const kt::ArgumentsCase& c : kt::ArgumentsCases()) {
        SCOPED_TRACE(c.label);
        KorvelFolder korvel;
        ASSERT_TRUE(korvel.ready());
        ASSERT_TRUE(korvel.AddProbe(L"game.exe"));
        const std::string settings = Remembered("game.exe", c.params, "0", "1", "1");
        korvel.WriteSettings(settings);
        kt::Report report = RunExpectingStart(korvel, korvel.file(L"game.exe"), 0, c.arguments);
        ASSERT_FALSE(report.empty());
        EXPECT_EQ(report["cmdline"], c.cmdline);
        EXPECT_EQ(korvel.Settings(), settings) << "the arguments are never stored";
    }
}

// ---- The dialog end to end ----------------------------------------------------------

TEST(KorvelRun, ADialogChoiceRememberedStartsTheSameWayWithoutTheDialogNextTime)
{
    if (SystemMask() < 3u)
        GTEST_SKIP() << "one processor: there is no CPU1 to choose";
    KorvelFolder korvel;
    ASSERT_TRUE(korvel.ready());
    ASSERT_TRUE(korvel.AddProbe(L"game.exe"));
    const DialogRun run = AnswerDialog(korvel, [](const kt::RemoteDialog& dialog) {
        const HWND cpus = dialog.ListStartingWith(L"AllCPU");
        const HWND io = dialog.ListStartingWith(L"非常低(空闲时响应)");
        EXPECT_NE(cpus, nullptr);
        EXPECT_NE(io, nullptr);
        if (!cpus || !io)
            return false;
        dialog.ClickRowBox(cpus, 0);   // untick AllCPU: every processor goes
        dialog.ClickRowBox(cpus, 2);   // CPU1
        dialog.ClickRowBox(io, 0);     // 非常低
        dialog.MoveWindowState(1);     // 常规窗口 -> 最小化
        EXPECT_TRUE(dialog.Tick(L"记住所选"));
        return dialog.Press(L"确定");
    }, korvel.file(L"game.exe"));
    EXPECT_TRUE(run.found) << "no dialog on a first run";
    ASSERT_TRUE(run.pressed) << "OK could not be pressed";
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u);

    const std::vector<std::string> expected = {"[Config]",      "EXEName=game.exe", "EXEParam=",
                                               "SelectedCPU=2", "isRemember=1",     "CPUPriority=1",
                                               "IOPriority=0",  "ShowStyle=2"};
    EXPECT_EQ(kt::ReadLines(korvel.file(L"Korveled.ini")), expected);
    const kt::Report& first = run.report;
    ASSERT_FALSE(first.empty()) << "the chosen program did not start";
    const std::map<std::string, std::string> started = {
        {"cmdline", "game.exe "}, {"affinity", "2"},         {"priority", "32"},         {"showflag", "1"},
        {"show", "2"},            {"parent_affinity", "2"}, {"parent_priority", "32"},
    };
    for (const auto& [key, value] : started)
        EXPECT_EQ(first.at(key), value) << key;

    // Again: no dialog (Korvel ends by itself), the same start.
    const std::string stored = korvel.Settings();
    ASSERT_TRUE(DeleteFileW(korvel.file(L"game.exe.report").c_str()));
    const kt::Report second = RunExpectingStart(korvel, korvel.file(L"game.exe"));
    ASSERT_FALSE(second.empty()) << "the remembered choice did not start";
    for (const auto& [key, value] : started)
        EXPECT_EQ(second.at(key), value) << key << " on the second start";
    EXPECT_EQ(korvel.Settings(), stored);
}

TEST(KorvelRun, InAFolderThatCannotBeWrittenTheLaunchGoesOnWithoutAFile)
{
    KorvelFolder korvel(L"korvel-readonly");
    ASSERT_TRUE(korvel.ready());
    ASSERT_TRUE(korvel.AddProbe(L"game.exe"));
    kt::TempFolder reports(L"korvel-reports");
    const kt::UnwritableFolder locked(korvel.path());
    if (!locked.made())
        GTEST_SKIP() << "this machine cannot make a folder that refuses new files";
    // Korvel passes its environment on to the program it starts.
    SetEnvironmentVariableW(L"KORVEL_PROBE_REPORTS", reports.path().c_str());
    const DialogRun run = AnswerDialog(korvel, [](const kt::RemoteDialog& dialog) {
        dialog.TypeParameters(L"-x");
        EXPECT_TRUE(dialog.Tick(L"记住所选"));
        return dialog.Press(L"确定");
    });
    SetEnvironmentVariableW(L"KORVEL_PROBE_REPORTS", nullptr);
    EXPECT_TRUE(run.found) << "no dialog on a first run";
    ASSERT_TRUE(run.pressed);
    EXPECT_TRUE(run.ended) << "a failure message would keep Korvel waiting";
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_FALSE(kt::FileExists(korvel.file(L"Korveled.ini"))) << "nothing could be written";
    const kt::Report report = kt::WaitForReport(reports.file(L"game.exe"), 10000);
    ASSERT_FALSE(report.empty()) << "the program did not start";
    EXPECT_EQ(report.at("cmdline"), "game.exe -x");
}

} // namespace
