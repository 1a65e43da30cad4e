// Settings files a user (or a broken disk) might leave beside the launcher:
// each run ends in a normal launch or in the one failure message, never in
// a crash or a hang, and whatever the launcher does not write stays in the
// file as it was.
#include "ModMain.h"
#include "TestSupport.h"
#include "host/App.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace korvel;

namespace {

// The dialog: cancels, or confirms a program that is not there (so the run
// ends at the start step without launching anything).
struct Dialog : LaunchDialog {
    bool confirm;
    int* shown;
    Dialog(bool c, int* s) : confirm(c), shown(s) {}
    void ShowModal() override
    {
        ++*shown;
        if (confirm) {
            Config.EXEName = L"missing.exe";
            Config.isCancel = 0;
        } else {
            Config.isCancel = -1;
        }
    }
};

struct Case {
    const char* label;
    std::string content;
    bool confirm = false;        // the dialog confirms instead of cancelling
    bool readOnly = false;       // the file carries the read-only attribute
    bool unchanged = false;      // the file must keep every byte
    std::string mustKeep;        // text that must still be in the file
};

std::string Repeat(const std::string& s, size_t n)
{
    std::string out;
    out.reserve(s.size() * n);
    for (size_t i = 0; i < n; ++i)
        out += s;
    return out;
}

TEST(HostileSettings, EveryFileEndsInTheOneFailureMessageAndKeepsWhatIsNotWritten)
{
    const std::string longValue(10000, 'v');
    std::string tenMegabytes = "[Config]\r\nEXEName=game.exe\r\nisRemember=1\r\n";
    tenMegabytes += Repeat("; filler line of plain text, nothing else\r\n", 10 * 1024 * 1024 / 44);
    const std::vector<Case> cases = {
        {"empty file: every key read is written back", "", false, false, false, "isRemember=0"},
        {"ten megabytes of text", tenMegabytes, false, false, true, ""},
        {"values of 10,000 characters",
         "[Config]\r\nEXEName=" + longValue + "\r\nEXEParam=" + longValue + "\r\nKept=" + longValue + "\r\n", false,
         false, false, "Kept=" + longValue},
        {"remembered name of 10,000 characters",
         "[Config]\r\nEXEName=" + longValue + "\r\nisRemember=1\r\nKept=1\r\n", false, false, false, "Kept=1"},
        {"numbers beyond 32 bits, remembered",
         "[Config]\r\nEXEName=game.exe\r\nSelectedCPU=99999999999999999999\r\nisRemember=1\r\n", false, false, false,
         "SelectedCPU=99999999999999999999"},
        {"negative numbers", "[Config]\r\nSelectedCPU=-1\r\nCPUPriority=-7\r\nIOPriority=-2147483648\r\nShowStyle=-3\r\n",
         false, false, false, "CPUPriority=-7"},
        {"negative numbers, remembered",
         "[Config]\r\nEXEName=missing.exe\r\nSelectedCPU=-1\r\nCPUPriority=-7\r\nIOPriority=-1\r\nShowStyle=-3\r\n"
         "isRemember=1\r\n",
         false, false, false, "ShowStyle=-3"},
        {"duplicated sections and keys",
         "[Config]\r\nEXEName=a.exe\r\nEXEName=b.exe\r\n[Other]\r\nx=1\r\n[Config]\r\nEXEParam=-p\r\nEXEParam=-q\r\n",
         false, false, false, "[Other]\r\nx=1\r\n"},
        // As root under Wine the attribute does not stop writes, so only the
        // outcome and the foreign key are checked here.
        {"read-only file, dialog confirmed", "[Config]\r\nEXEName=game.exe\r\nKept=yes\r\n", true, true, false,
         "Kept=yes"},
        {"foreign sections around ours, dialog confirmed",
         "[Before]\r\na=1\r\n[Config]\r\nEXEName=game.exe\r\n[After]\r\nb=2\r\n", true, false, false,
         "[After]\r\nb=2\r\n"},
    };
    std::vector<host::MessageBoxRecord> boxes;
    host::SetMessageBoxSink([&](const host::MessageBoxRecord& b) { boxes.push_back(b); });
    // Once in a plain folder, once in one whose name needs the ANSI code page.
    for (const wchar_t* hint : {L"korvel-hostile", L"korvel-设置文件"})
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SCOPED_TRACE(hint[7] == L'h' ? "plain folder" : "non-ASCII folder");
        kt::TempFolder folder(hint);
        const std::wstring ini = folder.file(L"Korveled.ini");
        kt::WriteBytes(ini, c.content);
        if (c.readOnly)
            ::SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY);
        boxes.clear();
        int shown = 0;
        LaunchOptions options;
        options.folder = folder.path();
        const bool confirm = c.confirm;
        options.createDialog = [confirm, &shown] { return std::make_unique<Dialog>(confirm, &shown); };
        EXPECT_FALSE(Main(options)) << "nothing can be started from this folder";
        ASSERT_EQ(boxes.size(), 1u) << "exactly the one failure message";
        EXPECT_EQ(boxes[0].text, kFailureText);
        EXPECT_EQ(boxes[0].title, kFailureTitle);
        const std::string after = kt::ReadBytes(ini);
        if (c.unchanged) {
            EXPECT_TRUE(after == c.content) << "the file changed (" << after.size() << " bytes now)";
        }
        if (!c.mustKeep.empty()) {
            EXPECT_NE(after.find(c.mustKeep), std::string::npos) << "lost: " << c.mustKeep.substr(0, 40);
        }
        if (c.readOnly)
            ::SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    host::SetMessageBoxSink(nullptr);
}

} // namespace
