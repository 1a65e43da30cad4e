// The entry routine run in-process: the failure message through the host's
// message-box sink, and the dialog path through a scripted dialog.
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
    LaunchOptions Options(ScriptedDialog::Log* log, const LaunchConfig& answer)
    {
        LaunchOptions options;
        options.folder = folder_.path();
        options.createDialog = [log, answer]() { return std::make_unique<ScriptedDialog>(log, answer); };
        return options;
    }
    void ExpectOneFailureBox()
    {
        ASSERT_EQ(g_boxes.size(), 1u);
        EXPECT_EQ(g_boxes[0].text, L"执行失败,退出本次执行!");
        EXPECT_EQ(g_boxes[0].title, L"Vexilo");
        EXPECT_EQ(g_boxes[0].icon, host::MsgIcon::Information);
    }

    kt::TempFolder folder_{L"korvel-main"};
    std::wstring ini_;
    std::wstring savedPath_;
};

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
    EXPECT_EQ(log.seen.EXEName, L"");
    EXPECT_EQ(log.seen.EXEParam, L"");
    EXPECT_EQ(log.seen.SelectedCPU, 0);
    EXPECT_EQ(log.seen.CPUPRIORITY, 1);
    EXPECT_EQ(log.seen.IOPRIORITY, 2);
    EXPECT_EQ(log.seen.ShowStyle, 1);
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
    EXPECT_EQ(log.seen.EXEName, L"游戏.exe");
    EXPECT_EQ(log.seen.EXEParam, L"-a b");
    EXPECT_EQ(log.seen.SelectedCPU, 2);
    EXPECT_EQ(log.seen.CPUPRIORITY, 16384);
    EXPECT_EQ(log.seen.IOPRIORITY, 0);
    EXPECT_EQ(log.seen.ShowStyle, 3);
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

} // namespace
