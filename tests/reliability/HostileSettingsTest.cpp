// Settings files a user (or a broken disk) might leave beside the launcher:
// each run ends in the launch or the one failure message that the case
// expects, never in a crash or a hang, and whatever the launcher does not
// write stays in the file as it was.
#include "ModMain.h"
#include "TestSupport.h"
#include "host/App.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace korvel;

namespace {

// How the dialog answers: cancel, confirm a program that is not there (the
// run ends at the start step) or confirm the program that is.
enum class Answer { Cancel, ConfirmMissing, ConfirmProgram };

struct Dialog : LaunchDialog {
    Answer answer;
    int* shown;
    Dialog(Answer a, int* s) : answer(a), shown(s) {}
    void ShowModal() override
    {
        ++*shown;
        Config.isCancel = answer == Answer::Cancel ? -1 : 0;
        if (answer == Answer::ConfirmMissing)
            Config.EXEName = L"missing.exe";
        if (answer == Answer::ConfirmProgram)
            Config.EXEName = L"game.exe";
    }
};

struct Case {
    const char* label;
    std::string content;
    Answer answer = Answer::Cancel;
    bool launches = false;       // the program starts: no failure message
    int shown = 0;               // times the dialog shows
    bool readOnly = false;       // the file carries the read-only attribute
    bool unchanged = false;      // the file must keep every byte
    std::string mustKeep{};      // text that must still be in the file
    std::vector<std::string> lines{};  // when given: the file's lines afterwards
};

std::string Repeat(const std::string& s, size_t n)
{
    std::string out;
    out.reserve(s.size() * n);
    for (size_t i = 0; i < n; ++i)
        out += s;
    return out;
}

std::string Utf16(const std::wstring& text)
{
    const std::wstring marked = L"\xFEFF" + text;
    return std::string(reinterpret_cast<const char*>(marked.data()), marked.size() * sizeof(wchar_t));
}

TEST(HostileSettings, EveryFileEndsInALaunchOrTheOneFailureMessageAndKeepsWhatIsNotWritten)
{
    const std::string longValue(10000, 'v');
    std::string tenMegabytes = "[Config]\r\nEXEName=game.exe\r\nisRemember=1\r\n";
    tenMegabytes += Repeat("; filler line of plain text, nothing else\r\n", 10 * 1024 * 1024 / 44);
    const std::string remembered = "[Config]\r\nEXEName=game.exe\r\nEXEParam=-p\r\nSelectedCPU=0\r\nCPUPriority=1\r\n"
                                   "IOPriority=2\r\nShowStyle=1\r\nisRemember=1\r\n";
    const std::string overOneMiB = remembered + "; " + std::string(1024 * 1024, 'c') + "\r\n";
    const std::vector<Case> cases = {
        {"empty file: every key read is written back", "", Answer::Cancel, false, 1, false, false, "",
         {"[Config]", "EXEName=", "EXEParam=", "SelectedCPU=0", "CPUPriority=1", "IOPriority=2", "ShowStyle=1",
          "isRemember=0"}},
        {"ten megabytes of text", tenMegabytes, Answer::Cancel, false, 0, false, true},
        {"just over 1 MiB", overOneMiB, Answer::Cancel, false, 0, false, true},
        {"a NUL byte", remembered + std::string("x\0y\r\n", 5), Answer::Cancel, false, 0, false, true},
        {"values of 10,000 characters",
         "[Config]\r\nEXEName=" + longValue + "\r\nEXEParam=" + longValue + "\r\nKept=" + longValue + "\r\n",
         Answer::Cancel, false, 1, false, false, "Kept=" + longValue},
        {"remembered name of 10,000 characters",
         "[Config]\r\nEXEName=" + longValue + "\r\nisRemember=1\r\nKept=1\r\n", Answer::Cancel, false, 0, false, false,
         "Kept=1"},
        {"numbers beyond 32 bits, remembered",
         "[Config]\r\nEXEName=game.exe\r\nSelectedCPU=99999999999999999999\r\nisRemember=1\r\n", Answer::Cancel, false,
         0, false, false, "SelectedCPU=99999999999999999999"},
        {"negative numbers", "[Config]\r\nSelectedCPU=-1\r\nCPUPriority=-7\r\nIOPriority=-2147483648\r\nShowStyle=-3\r\n",
         Answer::Cancel, false, 1, false, false, "CPUPriority=-7"},
        {"negative numbers, remembered",
         "[Config]\r\nEXEName=missing.exe\r\nSelectedCPU=-1\r\nCPUPriority=-7\r\nIOPriority=-1\r\nShowStyle=-3\r\n"
         "isRemember=1\r\n",
         Answer::Cancel, false, 0, false, false, "ShowStyle=-3"},
        {"duplicated sections and keys",
         "[Config]\r\nEXEName=a.exe\r\nEXEName=b.exe\r\n[Other]\r\nx=1\r\n[Config]\r\nEXEParam=-p\r\nEXEParam=-q\r\n",
         Answer::Cancel, false, 1, false, false, "[Other]\r\nx=1\r\n"},
        // As root under Wine the attribute does not stop writes, so only the
        // outcome and the foreign key are checked here.
        {"read-only file, dialog confirmed", "[Config]\r\nEXEName=game.exe\r\nKept=yes\r\n", Answer::ConfirmMissing,
         false, 1, true, false, "Kept=yes"},
        {"foreign sections around ours, dialog confirmed",
         "[Before]\r\na=1\r\n[Config]\r\nEXEName=game.exe\r\n[After]\r\nb=2\r\n", Answer::ConfirmMissing, false, 1,
         false, false, "[After]\r\nb=2\r\n"},
        // Files the profile calls read fine start the program.
        {"remembered, plain", remembered, Answer::Cancel, true, 0, false, true},
        {"foreign sections around ours, dialog confirms the program",
         "[Before]\r\na=1\r\n[Config]\r\nEXEName=game.exe\r\n[After]\r\nb=2\r\n", Answer::ConfirmProgram, true, 1,
         false, false, "[After]\r\nb=2\r\n"},
        {"remembered, saved as UTF-16", Utf16(L"[Config]\r\nEXEName=game.exe\r\nEXEParam=-p\r\nSelectedCPU=0\r\n"
                                              L"CPUPriority=1\r\nIOPriority=2\r\nShowStyle=1\r\nisRemember=1\r\n"),
         Answer::Cancel, true, 0, false, true},
        {"remembered, ending in Ctrl-Z", remembered + "\x1a", Answer::Cancel, true, 0, false, true},
        {"remembered, with a form feed", "\x0c\r\n" + remembered, Answer::Cancel, true, 0, false, true},
        {"remembered, with 70 KiB of comments", remembered + Repeat("; a comment line\r\n", 70 * 1024 / 18),
         Answer::Cancel, true, 0, false, true},
        {"remembered, with a foreign value of 10,000 characters", remembered + "Kept=" + longValue + "\r\n",
         Answer::Cancel, true, 0, false, true},
    };
    std::vector<host::MessageBoxRecord> boxes;
    host::SetMessageBoxSink([&](const host::MessageBoxRecord& b) { boxes.push_back(b); });
    const kt::ProcessTuningGuard restore;   // every launch tunes this process
    const std::wstring savedPath = kt::Environment(L"PATH");
    // Once in a plain folder, once in one whose name needs the ANSI code page.
    for (const wchar_t* hint : {L"korvel-hostile", L"korvel-设置文件"})
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SCOPED_TRACE(hint[7] == L'h' ? "plain folder" : "non-ASCII folder");
        kt::TempFolder folder(hint);
        ASSERT_TRUE(CopyFileW(kt::ProbePath().c_str(), folder.file(L"game.exe").c_str(), FALSE));
        const std::wstring ini = folder.file(L"Korveled.ini");
        kt::WriteBytes(ini, c.content);
        if (c.readOnly)
            ::SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY);
        boxes.clear();
        int shown = 0;
        LaunchOptions options;
        options.folder = folder.path();
        const Answer answer = c.answer;
        options.createDialog = [answer, &shown] { return std::make_unique<Dialog>(answer, &shown); };
        options.shiftHeld = [] { return false; };
        EXPECT_EQ(Main(options), c.launches);
        SetEnvironmentVariableW(L"PATH", savedPath.c_str());
        EXPECT_EQ(shown, c.shown) << "times the dialog showed";
        ASSERT_EQ(boxes.size(), c.launches ? 0u : 1u) << "failure messages shown";
        if (!c.launches) {
            EXPECT_EQ(boxes[0].text, kFailureText);
            EXPECT_EQ(boxes[0].title, kFailureTitle);
        } else {
            EXPECT_FALSE(kt::WaitForReport(folder.file(L"game.exe"), 10000).empty()) << "the program did not start";
        }
        const std::string after = kt::ReadBytes(ini);
        if (c.unchanged) {
            EXPECT_TRUE(after == c.content) << "the file changed (" << after.size() << " bytes now)";
        }
        if (!c.mustKeep.empty()) {
            EXPECT_NE(after.find(c.mustKeep), std::string::npos) << "lost: " << c.mustKeep.substr(0, 40);
        }
        if (!c.lines.empty()) {
            EXPECT_EQ(kt::ReadLines(ini), c.lines);
        }
        if (c.readOnly)
            ::SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    host::SetMessageBoxSink(nullptr);
}

} // namespace
