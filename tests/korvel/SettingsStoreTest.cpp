// The settings file through the real profile functions: defaults written
// back, long values read whole, UTF-16 files, code page 936 names, and the
// order of keys.
#include "ModMain.h"
#include "TestSupport.h"
#include "modRWini.h"

#include <gtest/gtest.h>

#include <vector>

using namespace korvel;

namespace {

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = folder_.file(L"Korveled.ini");
        IniPath = Ansi(path_);
    }
    static std::string Ansi(const std::wstring& text) { return kt::Ansi(text); }

    kt::TempFolder folder_{L"korvel-ini"};
    std::wstring path_;
};

TEST_F(SettingsStore, EmptyValueReadsAsMissingAndTheDefaultIsWrittenInItsPlace)
{
    kt::WriteBytes(path_, "[Config]\r\nEXEName=game.exe\r\nEXEParam=\r\nShowStyle=3\r\n");
    EXPECT_EQ(ReadIni("Config", "EXEParam", "-window"), "-window");
    const std::vector<std::string> expected = {"[Config]", "EXEName=game.exe", "EXEParam=-window", "ShowStyle=3"};
    EXPECT_EQ(kt::ReadLines(path_), expected);
}

TEST_F(SettingsStore, MissingKeyIsAddedWithItsDefault)
{
    kt::WriteBytes(path_, "[Config]\r\nEXEName=game.exe\r\n");
    EXPECT_EQ(ReadIni("Config", "isRemember", "0"), "0");
    const std::vector<std::string> expected = {"[Config]", "EXEName=game.exe", "isRemember=0"};
    EXPECT_EQ(kt::ReadLines(path_), expected);
}

TEST_F(SettingsStore, MissingFileIsCreatedByARead)
{
    ASSERT_FALSE(kt::FileExists(path_));
    EXPECT_EQ(ReadIni("Config", "SelectedCPU", "0"), "0");
    const std::vector<std::string> expected = {"[Config]", "SelectedCPU=0"};
    EXPECT_EQ(kt::ReadLines(path_), expected);
}

TEST_F(SettingsStore, PresentValueIsReadWithoutTouchingTheFile)
{
    const std::string content = "[Config]\r\nEXEParam=-window -x\r\nIOPriority=3\r\n";
    kt::WriteBytes(path_, content);
    EXPECT_EQ(ReadIni("Config", "EXEParam", ""), "-window -x");
    EXPECT_EQ(ReadIni("Config", "IOPriority", "2"), "3");
    EXPECT_EQ(kt::ReadBytes(path_), content);
}

TEST_F(SettingsStore, LongValuesComeBackWhole)
{
    // Around the first buffer (144 bytes with its terminator) and its
    // doublings, and past 32,767 bytes, where a 16-bit count turns negative.
    std::string dbcs;
    for (int i = 0; i < 150; ++i)
        dbcs += "\xd3\xce";   // 游, two bytes each: 300 bytes
    std::string content = "[Config]\r\n";
    std::vector<std::pair<std::string, std::string>> values;
    for (std::size_t length : {142u, 143u, 144u, 287u, 288u, 1000u, 40000u})
        values.push_back({"K" + std::to_string(length), std::string(length, 'a') + std::string(1, 'z')});
    values.push_back({"Chinese", dbcs});
    for (const auto& [key, value] : values)
        content += key + "=" + value + "\r\n";
    kt::WriteBytes(path_, content);
    for (const auto& [key, value] : values)
        EXPECT_EQ(ReadIni("Config", key, ""), value) << key;
    EXPECT_EQ(kt::ReadBytes(path_), content) << "present values are only read";
}

TEST_F(SettingsStore, AUtf16FileIsReadAndWrittenBackInUtf16)
{
    const std::wstring text = L"\xFEFF[Config]\r\nEXEName=游戏.exe\r\nEXEParam=-a\r\n";
    std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    kt::WriteBytes(path_, bytes);
    EXPECT_EQ(WideFromAnsi(ReadIni("Config", "EXEName", "")), L"游戏.exe");
    EXPECT_EQ(ReadIni("Config", "IOPriority", "2"), "2");   // missing: written back
    const std::string after = kt::ReadBytes(path_);
    const std::wstring expected = text + L"IOPriority=2\r\n";
    ASSERT_EQ(after.size() % 2, 0u);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(after.data()), after.size() / 2), expected)
        << "still UTF-16 with its mark, the new key in the same encoding";
}

TEST_F(SettingsStore, NonAsciiNameRoundTripsInCodePage936)
{
    ASSERT_EQ(GetACP(), 936u) << "the test prefix runs with the Chinese ANSI code page";
    const std::wstring name = L"我的游戏.exe";
    WriteIni("Config", "EXEName", AnsiFromWide(name));
    // On disk: the GBK bytes, not UTF-8 or UTF-16.
    const std::vector<std::string> expected = {"[Config]", "EXEName=\xce\xd2\xb5\xc4\xd3\xce\xcf\xb7.exe"};
    EXPECT_EQ(kt::ReadLines(path_), expected);
    EXPECT_EQ(WideFromAnsi(ReadIni("Config", "EXEName", "")), name);

    // 71 double-byte characters are 142 bytes: whole after the read.
    std::wstring longName;
    for (int i = 0; i < 71; ++i)
        longName += L"游";
    WriteIni("Config", "EXEParam", AnsiFromWide(longName));
    EXPECT_EQ(WideFromAnsi(ReadIni("Config", "EXEParam", "")), longName);
}

TEST_F(SettingsStore, NonAsciiFolderIsReachedThroughTheAnsiPath)
{
    kt::TempFolder chinese(L"启动器");
    IniPath = Ansi(chinese.file(L"Korveled.ini"));
    WriteIni("Config", "EXEName", "game.exe");
    EXPECT_EQ(kt::ReadLines(chinese.file(L"Korveled.ini")), (std::vector<std::string>{"[Config]", "EXEName=game.exe"}));
    EXPECT_EQ(ReadIni("Config", "EXEName", ""), "game.exe");
}

TEST_F(SettingsStore, AStoredChoiceListsKeysInStoreOrderWithDecimalText)
{
    // Fields in record order: mask, name, parameters, remember, CPU, I/O,
    // cancel, window state.
    LaunchConfig choice{3, L"game.exe", L"-window", 0, 2, 2, 0, 1};
    StoreChoice(choice);
    const std::vector<std::string> expected = {"[Config]",     "EXEName=game.exe", "EXEParam=-window",
                                               "SelectedCPU=3", "isRemember=0",     "CPUPriority=2",
                                               "IOPriority=2",  "ShowStyle=1"};
    EXPECT_EQ(kt::ReadLines(path_), expected);

    // Negative numbers carry a minus and no blank; keys keep their places.
    choice.SelectedCPU = -2;
    choice.CPUPRIORITY = 16384;
    StoreChoice(choice);
    const std::vector<std::string> again = {"[Config]",      "EXEName=game.exe", "EXEParam=-window",
                                            "SelectedCPU=-2", "isRemember=0",     "CPUPriority=16384",
                                            "IOPriority=2",   "ShowStyle=1"};
    EXPECT_EQ(kt::ReadLines(path_), again);
}

TEST_F(SettingsStore, AFileFilledByReadsListsKeysInReadOrder)
{
    kt::WriteBytes(path_, "[Config]\r\n");
    LaunchConfig read;
    ASSERT_TRUE(ReadChoice(read));
    EXPECT_EQ(ReadIni("Config", "isRemember", "0"), "0");
    const std::vector<std::string> expected = {"[Config]",     "EXEName=",     "EXEParam=",
                                               "SelectedCPU=0", "CPUPriority=1", "IOPriority=2",
                                               "ShowStyle=1",   "isRemember=0"};
    EXPECT_EQ(kt::ReadLines(path_), expected);
    EXPECT_EQ(read.SelectedCPU, 0);
    EXPECT_EQ(read.CPUPRIORITY, 1);
    EXPECT_EQ(read.IOPRIORITY, 2);
    EXPECT_EQ(read.ShowStyle, 1);
}

TEST_F(SettingsStore, ABadNumberStopsTheReadThere)
{
    kt::WriteBytes(path_, "[Config]\r\nEXEName=game.exe\r\nEXEParam=-a\r\nSelectedCPU=1.5\r\n");
    LaunchConfig read;
    EXPECT_FALSE(ReadChoice(read));
    EXPECT_EQ(read.EXEName, L"game.exe");
    // Keys after the bad one are not read, so not written back either.
    const std::vector<std::string> expected = {"[Config]", "EXEName=game.exe", "EXEParam=-a", "SelectedCPU=1.5"};
    EXPECT_EQ(kt::ReadLines(path_), expected);
}

} // namespace
