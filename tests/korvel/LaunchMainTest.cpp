// The entry routine run in-process: the failure message through the host's
// message-box sink, and the dialog path through a scripted dialog.
#include "LaunchCases.h"
#include "ModMain.h"
#include "TestSupport.h"
#include "host/App.h"

#include <gtest/gtest.h>

#include <vector>

using namespace korvel;

namespace {

std::vector<host::MessageBoxRecord> g_boxes;

// A dialog that answers as scripted and records what it was given.
struct ScriptedDialog : LaunchDialog {
    struct Log {
        int shown = 0;
        int unloaded = 0;
        LaunchConfig seen;  // the fields as they were when the dialog showed
    };
    Log* log;
    LaunchConfig answer;
    explicit ScriptedDialog(Log* l, const LaunchConfig& a) : log(l), answer(a) {}
    void ShowModal() override
    {
        ++log->shown;
        log->seen = Config;
        Config = answer;
    }
    void Unload() override { ++log->unloaded; }
};

// The fields a dialog was opened on, in record order, as one text to compare.
std::string FieldsOf(const LaunchConfig& c)
{
    return "SelectedCPU=" + std::to_string(c.SelectedCPU) + " EXEName=" + kt::Utf8(c.EXEName) +
           " EXEParam=" + kt::Utf8(c.EXEParam) + " isRemember=" + std::to_string(c.isRemember) +
           " CPUPRIORITY=" + std::to_string(c.CPUPRIORITY) + " IOPRIORITY=" + std::to_string(c.IOPRIORITY) +
           " ShowStyle=" + std::to_string(c.ShowStyle);
}

// What a dialog opens on without a usable settings file.
const LaunchConfig kMissingFileFields{0, L"", L"", 0, 1, 2, 0, 1};

class LaunchMain : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_boxes.clear();
        host::SetMessageBoxSink([](const host::MessageBoxRecord& box) { g_boxes.push_back(box); });
        savedPath_ = kt::Environment(L"PATH");
        ini_ = folder_.file(L"Korveled.ini");
    }
    void TearDown() override
    {
        host::SetMessageBoxSink(nullptr);
        SetEnvironmentVariableW(L"PATH", savedPath_.c_str());
    }
    LaunchOptions Options(ScriptedDialog::Log* log, const LaunchConfig& answer, bool shift = false)
    {
        LaunchOptions options;
        options.folder = folder_.path();
        options.createDialog = [log, answer]() { return std::make_unique<ScriptedDialog>(log, answer); };
        options.shiftHeld = [shift] { return shift; };
        return options;
    }
    bool AddProbe(const std::wstring& name)
    {
        return CopyFileW(kt::ProbePath().c_str(), folder_.file(name).c_str(), FALSE) != 0;
    }
    void ExpectOneFailureBox()
    {
        ASSERT_EQ(g_boxes.size(), 1u);
        EXPECT_EQ(g_boxes[0].text, L"执行失败,退出本次执行!");
        EXPECT_EQ(g_boxes[0].title, L"Vexilo");
        EXPECT_EQ(g_boxes[0].icon, host::MsgIcon::Information);
    }

    kt::ProcessTuningGuard tuning_;   // Main tunes this process
    kt::TempFolder folder_{L"korvel-main"};
    std::wstring ini_;
    std::wstring savedPath_;
};

const std::string kRemembered = "[Config]\r\nEXEName=game.exe\r\nEXEParam=-fast\r\nSelectedCPU=0\r\n"
                                "CPUPriority=2\r\nIOPriority=1\r\nShowStyle=3\r\nisRemember=1\r\n";

TEST_F(LaunchMain, WithoutADialogTheFirstRunEndsInTheFailureMessageAndWritesNothing)
{
    LaunchOptions options;
    options.folder = folder_.path();
    EXPECT_FALSE(Main(options));
    ExpectOneFailureBox();
    EXPECT_FALSE(kt::FileExists(ini_));
    // The search path was extended before anything else.
    const std::wstring path = kt::Environment(L"PATH");
    EXPECT_EQ(path.substr(0, path.find(L';')), folder_.path());
}

TEST_F(LaunchMain, CancelOnAFirstRunLeavesNoFileBehind)
{
    ScriptedDialog::Log log;
    LaunchConfig answer;
    answer.EXEName = L"game.exe";
    answer.isCancel = -1;
    EXPECT_FALSE(Main(Options(&log, answer)));
    ExpectOneFailureBox();
    EXPECT_EQ(log.shown, 1);
    EXPECT_EQ(log.unloaded, 1);
    // The dialog opened on the missing-file values.
    EXPECT_EQ(FieldsOf(log.seen), FieldsOf(kMissingFileFields));
    EXPECT_FALSE(kt::FileExists(ini_));
}

TEST_F(LaunchMain, TheDialogOpensOnTheStoredChoiceWhenNotRemembered)
{
    const std::string content = "[Config]\r\nEXEName=\xd3\xce\xcf\xb7.exe\r\nEXEParam=-a b\r\nSelectedCPU=2\r\n"
                                "CPUPriority=16384\r\nIOPriority=0\r\nShowStyle=3\r\nisRemember=01\r\n";
    kt::WriteBytes(ini_, content);
    ScriptedDialog::Log log;
    LaunchConfig answer;
    answer.isCancel = -1;
    EXPECT_FALSE(Main(Options(&log, answer)));
    ExpectOneFailureBox();
    ASSERT_EQ(log.shown, 1);
    EXPECT_EQ(FieldsOf(log.seen), FieldsOf(LaunchConfig{2, L"游戏.exe", L"-a b", 0, 16384, 0, 0, 3}));
    EXPECT_EQ(kt::ReadBytes(ini_), content);
}

TEST_F(LaunchMain, ABadStoredNumberEndsBeforeTheDialogShows)
{
    const std::string content = "[Config]\r\nEXEName=game.exe\r\nEXEParam=\r\nSelectedCPU=0\r\nCPUPriority=high\r\n";
    kt::WriteBytes(ini_, content);
    ScriptedDialog::Log log;
    EXPECT_FALSE(Main(Options(&log, LaunchConfig())));
    ExpectOneFailureBox();
    EXPECT_EQ(log.shown, 0);
    EXPECT_EQ(log.unloaded, 1);
    // The empty EXEParam was written back as itself; nothing after the bad key.
    EXPECT_EQ(kt::ReadBytes(ini_), content);
}

TEST_F(LaunchMain, AConfirmedChoiceIsStoredAndStarted)
{
    ASSERT_TRUE(CopyFileW(kt::ProbePath().c_str(), folder_.file(L"game.exe").c_str(), FALSE));
    ScriptedDialog::Log log;
    // Every processor, remembered, normal priorities, hidden window.
    const LaunchConfig answer{0, L"game.exe", L"-window", 1, 1, 2, 0, 0};
    EXPECT_TRUE(Main(Options(&log, answer)));
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_EQ(log.shown, 1);
    EXPECT_EQ(log.unloaded, 1);
    const std::vector<std::string> stored = {"[Config]",     "EXEName=game.exe", "EXEParam=-window",
                                             "SelectedCPU=0", "isRemember=1",     "CPUPriority=1",
                                             "IOPriority=2",  "ShowStyle=0"};
    EXPECT_EQ(kt::ReadLines(ini_), stored);

    kt::Report report = kt::WaitForReport(folder_.file(L"game.exe"), 10000);
    ASSERT_FALSE(report.empty()) << "the chosen program did not start";
    EXPECT_EQ(report["cmdline"], "game.exe -window");
    EXPECT_EQ(report["showflag"], "1");
    EXPECT_EQ(report["show"], "0");
    EXPECT_EQ(report["path1"], kt::Utf8(folder_.path()));
}

// ---- Choosing again with Shift ---------------------------------------------

TEST_F(LaunchMain, WithoutShiftARememberedChoiceStartsAtOnce)
{
    ASSERT_TRUE(AddProbe(L"game.exe"));
    kt::WriteBytes(ini_, kRemembered);
    ScriptedDialog::Log log;
    EXPECT_TRUE(Main(Options(&log, LaunchConfig(), false)));
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_EQ(log.shown, 0);
    kt::Report report = kt::WaitForReport(folder_.file(L"game.exe"), 10000);
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report["cmdline"], "game.exe -fast");
    EXPECT_EQ(kt::ReadBytes(ini_), kRemembered);
}

TEST_F(LaunchMain, ShiftShowsTheDialogOnTheRememberedChoice)
{
    ASSERT_TRUE(AddProbe(L"game.exe"));
    ASSERT_TRUE(AddProbe(L"tool.exe"));
    struct Case {
        const char* label;
        bool cancel;
    };
    for (const Case& c : {Case{"OK stores the new choice", false}, Case{"Cancel writes nothing", true}}) {
        SCOPED_TRACE(c.label);
        kt::WriteBytes(ini_, kRemembered);
        DeleteFileW(folder_.file(L"tool.exe.report").c_str());
        g_boxes.clear();
        ScriptedDialog::Log log;
        const LaunchConfig answer{1, L"tool.exe", L"-x", 1, 0, 3, static_cast<std::int16_t>(c.cancel ? -1 : 0), 2};
        EXPECT_EQ(Main(Options(&log, answer, true)), !c.cancel);
        ASSERT_EQ(log.shown, 1);
        // Preselected exactly as stored, the remember box included.
        EXPECT_EQ(FieldsOf(log.seen), FieldsOf(LaunchConfig{0, L"game.exe", L"-fast", 1, 2, 1, 0, 3}));
        if (c.cancel) {
            ExpectOneFailureBox();
            EXPECT_EQ(kt::ReadBytes(ini_), kRemembered);
            EXPECT_FALSE(kt::FileExists(folder_.file(L"tool.exe.report")));
        } else {
            EXPECT_TRUE(g_boxes.empty());
            const std::vector<std::string> stored = {"[Config]",      "EXEName=tool.exe", "EXEParam=-x",
                                                     "SelectedCPU=1", "CPUPriority=0",    "IOPriority=3",
                                                     "ShowStyle=2",   "isRemember=1"};
            EXPECT_EQ(kt::ReadLines(ini_), stored) << "the keys keep their places";
            kt::Report report = kt::WaitForReport(folder_.file(L"tool.exe"), 10000);
            ASSERT_FALSE(report.empty());
            EXPECT_EQ(report["cmdline"], "tool.exe -x");
        }
    }
}

TEST_F(LaunchMain, ShiftChangesNothingWhereTheDialogShowsAnyway)
{
    // No file, and a file that is not remembered: the same dialog as without
    // Shift, on the same values.
    ScriptedDialog::Log withShift, without;
    LaunchConfig cancel;
    cancel.isCancel = -1;
    EXPECT_FALSE(Main(Options(&withShift, cancel, true)));
    EXPECT_FALSE(Main(Options(&without, cancel, false)));
    EXPECT_EQ(withShift.shown, 1);
    EXPECT_EQ(FieldsOf(withShift.seen), FieldsOf(kMissingFileFields));
    EXPECT_EQ(FieldsOf(without.seen), FieldsOf(kMissingFileFields));
    EXPECT_FALSE(kt::FileExists(ini_));

    std::string notRemembered = kRemembered;
    notRemembered.replace(notRemembered.find("isRemember=1"), 12, "isRemember=0");
    kt::WriteBytes(ini_, notRemembered);
    ScriptedDialog::Log log;
    EXPECT_FALSE(Main(Options(&log, cancel, true)));
    EXPECT_EQ(log.shown, 1);
    EXPECT_EQ(FieldsOf(log.seen), FieldsOf(LaunchConfig{0, L"game.exe", L"-fast", 0, 2, 1, 0, 3}))
        << "the remember box shows what the file says";
    EXPECT_EQ(kt::ReadBytes(ini_), notRemembered);
}

// ---- The settings file as found ------------------------------------------------

TEST_F(LaunchMain, AHiddenOrSystemFileCountsAsMissing)
{
    const DWORD kinds[] = {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM};
    for (DWORD attributes : kinds) {
        SCOPED_TRACE(attributes);
        g_boxes.clear();
        kt::WriteBytes(ini_, kRemembered);
        ASSERT_TRUE(SetFileAttributesW(ini_.c_str(), attributes));
        ScriptedDialog::Log log;
        LaunchConfig cancel;
        cancel.isCancel = -1;
        EXPECT_FALSE(Main(Options(&log, cancel)));
        ExpectOneFailureBox();
        ASSERT_EQ(log.shown, 1) << "a remembered choice in such a file is not seen";
        EXPECT_EQ(FieldsOf(log.seen), FieldsOf(kMissingFileFields));
        SetFileAttributesW(ini_.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(kt::ReadBytes(ini_), kRemembered) << "nothing read, nothing written";
    }
}

TEST_F(LaunchMain, ARememberedLongParameterStartsTheProgramWhole)
{
    ASSERT_TRUE(AddProbe(L"game.exe"));
    const std::string params = "-config " + std::string(400, 'p') + " -end";
    const std::string content = "[Config]\r\nEXEName=game.exe\r\nEXEParam=" + params +
                                "\r\nSelectedCPU=0\r\nCPUPriority=1\r\nIOPriority=2\r\nShowStyle=1\r\nisRemember=1\r\n";
    kt::WriteBytes(ini_, content);
    ScriptedDialog::Log log;
    EXPECT_TRUE(Main(Options(&log, LaunchConfig())));
    kt::Report report = kt::WaitForReport(folder_.file(L"game.exe"), 10000);
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report["cmdline"], "game.exe " + params);
    EXPECT_EQ(kt::ReadBytes(ini_), content);
}

// A dialog that confirms whatever it was opened with.
struct ConfirmingDialog : LaunchDialog {
    void ShowModal() override { Config.isCancel = 0; }
};

TEST_F(LaunchMain, TheDialogPathStoresALongParameterWhole)
{
    ASSERT_TRUE(AddProbe(L"game.exe"));
    const std::string params = std::string(300, 'q') + " tail";
    kt::WriteBytes(ini_, "[Config]\r\nEXEName=game.exe\r\nEXEParam=" + params + "\r\nisRemember=0\r\n");
    LaunchOptions options;
    options.folder = folder_.path();
    options.createDialog = [] { return std::make_unique<ConfirmingDialog>(); };
    options.shiftHeld = [] { return false; };
    EXPECT_TRUE(Main(options));
    const std::vector<std::string> lines = kt::ReadLines(ini_);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[2], "EXEParam=" + params);
    kt::Report report = kt::WaitForReport(folder_.file(L"game.exe"), 10000);
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report["cmdline"], "game.exe " + params);
}

// ---- The launcher's own arguments ------------------------------------------------

TEST_F(LaunchMain, TheLaunchersOwnArgumentsFollowTheParameters)
{
    ASSERT_TRUE(AddProbe(L"game.exe"));
    for (const kt::ArgumentsCase& c : kt::ArgumentsCases()) {
        SCOPED_TRACE(c.label);
        DeleteFileW(folder_.file(L"game.exe.report").c_str());
        std::string content = kRemembered;
        content.replace(content.find("-fast"), 5, c.params);
        kt::WriteBytes(ini_, content);
        ScriptedDialog::Log log;
        LaunchOptions options = Options(&log, LaunchConfig());
        options.arguments = c.arguments;
        EXPECT_TRUE(Main(options));
        kt::Report report = kt::WaitForReport(folder_.file(L"game.exe"), 10000);
        ASSERT_FALSE(report.empty());
        EXPECT_EQ(report["cmdline"], c.cmdline);
        EXPECT_EQ(kt::ReadBytes(ini_), content) << "the arguments are never stored";
    }
}

} // namespace
