// The launcher's window-free rules.
#include "LaunchLogic.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using namespace korvel;

namespace {

struct ParseCase {
    const char* label;
    std::string text;
    bool accepted;
    std::int32_t value;
};

TEST(ParseDecimal, AcceptsPlainDecimalWithBlanksAndSignWithin32Bits)
{
    const std::vector<ParseCase> cases = {
        {"zero", "0", true, 0},
        {"plain", "16384", true, 16384},
        {"negative", "-1", true, -1},
        {"plus sign", "+7", true, 7},
        {"leading zeros", "007", true, 7},
        {"blanks around", " \t42 \t", true, 42},
        {"largest", "2147483647", true, INT_MAX},
        {"smallest", "-2147483648", true, INT_MIN},
        {"one past largest", "2147483648", false, 0},
        {"one past smallest", "-2147483649", false, 0},
        {"beyond 32 bits", "4294967296", false, 0},
        {"unsigned all bits", "4294967295", false, 0},
        {"very long digits", std::string(400, '9'), false, 0},
        {"empty", "", false, 0},
        {"blanks only", "   ", false, 0},
        {"sign only", "-", false, 0},
        {"two signs", "--1", false, 0},
        {"blank after sign", "- 1", false, 0},
        {"inner blank", "1 2", false, 0},
        {"fraction", "1.5", false, 0},
        {"hex", "0x10", false, 0},
        {"basic hex", "&H10", false, 0},
        {"letters", "abc", false, 0},
        {"trailing letter", "12a", false, 0},
        {"exponent", "1e3", false, 0},
        {"embedded nul", std::string("1\0" "2", 3), false, 0},
        {"other blank kinds", "\n5", false, 0},
        {"high bytes", "\xb5\xc4", false, 0},
    };
    for (const ParseCase& c : cases) {
        std::int32_t out = 12345;
        EXPECT_EQ(ParseDecimal(c.text, out), c.accepted) << c.label;
        EXPECT_EQ(out, c.accepted ? c.value : 12345) << c.label << ": rejected text must leave the value alone";
    }
}

TEST(DecimalText, IsPlainWithMinusAndRoundTrips)
{
    EXPECT_EQ(DecimalText(0), "0");
    EXPECT_EQ(DecimalText(-1), "-1");
    EXPECT_EQ(DecimalText(INT_MIN), "-2147483648");
    for (std::int32_t v : {0, 3, -3, 16384, INT_MAX, INT_MIN}) {
        std::int32_t back = 0;
        ASSERT_TRUE(ParseDecimal(DecimalText(v), back)) << v;
        EXPECT_EQ(back, v);
    }
}

TEST(PriorityClassFor, TranslatesIndicesAndKeepsEverythingElse)
{
    const std::vector<std::pair<std::int32_t, std::int32_t>> cases = {
        {0, 64}, {1, 32}, {2, 128}, {3, 256},
        {16384, 16384},  // below-normal class, given directly
        {32768, 32768},  // above-normal class, given directly
        {4, 4}, {-1, -1}, {INT_MIN, INT_MIN},
    };
    for (const auto& [index, expected] : cases)
        EXPECT_EQ(PriorityClassFor(index), expected) << index;
}

TEST(ShowDialogFor, OnlyTheExactOneRemembers)
{
    EXPECT_FALSE(ShowDialogFor("1"));
    for (const char* text : {"0", "", "1 ", " 1", "01", "true", "-1", "11"})
        EXPECT_TRUE(ShowDialogFor(text)) << '"' << text << '"';
}

TEST(MaskToApply, ZeroMeansTheSystemMaskOfEveryProcessor)
{
    EXPECT_EQ(MaskToApply(0, 0x3u), 3);
    EXPECT_EQ(MaskToApply(0, 0xFFu), 0xFF);
    EXPECT_EQ(MaskToApply(0, 0xFFFFFFFFu), -1);
    // Without a system mask, all bits: the best that can be asked for.
    EXPECT_EQ(MaskToApply(0, 0), -1);
    // A chosen mask is applied as chosen, even one the machine cannot honour.
    EXPECT_EQ(MaskToApply(2, 0x3u), 2);
    EXPECT_EQ(MaskToApply(-1, 0x3u), -1);
    EXPECT_EQ(MaskToApply(0x10, 0x3u), 0x10);
}

TEST(BuildCommandLine, OneSpaceAndQuotesOnlyAroundNamesWithSpaces)
{
    struct Case {
        const wchar_t* label;
        std::wstring name, params, expected;
    };
    const std::vector<Case> cases = {
        {L"with parameters", L"game.exe", L"-window -x", L"game.exe -window -x"},
        {L"empty parameters keep the space", L"game.exe", L"", L"game.exe "},
        {L"parameters as typed", L"game.exe", L"  \"a b\"  ", L"game.exe   \"a b\"  "},
        {L"name with a space is quoted", L"my game.exe", L"-a", L"\"my game.exe\" -a"},
        {L"quoted name, empty parameters", L"my game.exe", L"", L"\"my game.exe\" "},
        {L"wide characters untouched", L"游戏.exe", L"-a", L"游戏.exe -a"},
    };
    for (const Case& c : cases) {
        std::wstring out = L"unchanged";
        EXPECT_TRUE(BuildCommandLine(c.name, c.params, out)) << c.label;
        EXPECT_EQ(out, c.expected) << c.label;
    }
}

TEST(BuildCommandLine, TheLaunchersOwnArgumentsFollowAfterOneSpace)
{
    struct Case {
        const wchar_t* label;
        std::wstring name, params, arguments, expected;
    };
    const std::vector<Case> cases = {
        {L"after the parameters", L"game.exe", L"-window", L"-dx11", L"game.exe -window -dx11"},
        {L"empty parameters keep their space", L"game.exe", L"", L"-dx11", L"game.exe  -dx11"},
        {L"exactly as given", L"game.exe", L"-a", L"-name \"a  b\"  ", L"game.exe -a -name \"a  b\"  "},
        {L"quoted name", L"my game.exe", L"-a", L"-dx11", L"\"my game.exe\" -a -dx11"},
        {L"none: the line as without them", L"game.exe", L"", L"", L"game.exe "},
    };
    for (const Case& c : cases) {
        std::wstring out;
        EXPECT_TRUE(BuildCommandLine(c.name, c.params, out, c.arguments)) << c.label;
        EXPECT_EQ(out, c.expected) << c.label;
    }
}

TEST(BuildCommandLine, RefusesNamesThatLetSomethingElseStart)
{
    // An empty name would start whatever the parameters name; a quote would
    // end the quoted name early.
    for (const std::wstring& name : {std::wstring(), std::wstring(L"a\" b.exe"), std::wstring(L"\"game.exe\"")}) {
        std::wstring out = L"unchanged";
        EXPECT_FALSE(BuildCommandLine(name, L"notepad.exe", out)) << '[' << std::string(name.begin(), name.end()) << ']';
        EXPECT_EQ(out, L"unchanged");
    }
}

TEST(ShowCommandFor, MapsStoredStatesAndRefusesOthers)
{
    const std::vector<std::pair<std::int32_t, int>> accepted = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {6, 7}};
    for (const auto& [style, expected] : accepted) {
        int show = -1;
        EXPECT_TRUE(ShowCommandFor(style, show)) << style;
        EXPECT_EQ(show, expected) << style;
    }
    for (std::int32_t style : {5, 7, 8, 10, -1, 16384}) {
        int show = -1;
        EXPECT_FALSE(ShowCommandFor(style, show)) << style;
        EXPECT_EQ(show, -1);
    }
}

TEST(LowStatusWord, CutsToSixteenBitsAndExtendsTheSign)
{
    EXPECT_EQ(LowStatusWord(0), 0);
    EXPECT_EQ(LowStatusWord(0xC0000002u), 2);    // not implemented
    EXPECT_EQ(LowStatusWord(0xC0000008u), 8);    // invalid handle
    EXPECT_EQ(LowStatusWord(0x8000FFFFu), -1);
    EXPECT_EQ(LowStatusWord(0x00018000u), -32768);
    EXPECT_EQ(LowStatusWord(0x00007FFFu), 32767);
}

std::string Utf16(bool littleEndian, const std::wstring& text)
{
    std::string out = littleEndian ? "\xff\xfe" : "\xfe\xff";
    for (wchar_t c : text) {
        const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>((c >> 8) & 0xFF);
        out += littleEndian ? std::string{lo, hi} : std::string{hi, lo};
    }
    return out;
}

TEST(SettingsTextAcceptable, TextInTheCodePageOrInUtf16PassesBinaryAndHugeDoNot)
{
    const std::string ansi = "[Config]\r\nEXEName=\xd3\xce\xcf\xb7.exe\r\n\tEXEParam=-a\n";
    const std::wstring wide = L"[Config]\r\nEXEName=游戏.exe\r\nEXEParam=-a\r\n";
    const std::size_t mib = 1024 * 1024;
    struct Case {
        const char* label;
        std::string bytes;
        bool accepted;
    };
    const std::vector<Case> cases = {
        {"code-page text", ansi, true},
        {"empty", "", true},
        {"ending in Ctrl-Z", ansi + "\x1a", true},
        {"holding a form feed", "[Config]\r\n\x0c\r\nisRemember=1\r\n", true},
        {"UTF-8 with its mark", "\xef\xbb\xbf[Config]\r\n", true},
        {"UTF-16 little-endian with its mark", Utf16(true, wide), true},
        {"UTF-16 big-endian with its mark", Utf16(false, wide), true},
        {"UTF-16 with Ctrl-Z and a form feed", Utf16(true, L"[Config]\x0c\r\n\x1a"), true},
        {"exactly 1 MiB", std::string(mib, 'a'), true},
        {"exactly 1 MiB of UTF-16", Utf16(true, std::wstring(mib / 2 - 1, L'a')), true},
        {"one byte over 1 MiB", std::string(mib + 1, 'a'), false},
        {"UTF-16 over 1 MiB", Utf16(true, std::wstring(mib / 2, L'a')), false},
        {"a NUL byte without a UTF-16 mark", std::string("[Config]\0x", 10), false},
        {"UTF-16 without its mark", Utf16(true, wide).substr(2), false},
        {"another control byte", std::string("a\x01" "b"), false},
        {"escape", "a\x1b" "b", false},
        {"UTF-16 holding a NUL unit", Utf16(true, std::wstring(L"[Config]\0x", 10)), false},
        {"UTF-16 holding another control unit", Utf16(true, L"a\x0001" L"b"), false},
        {"UTF-16 cut in the middle of a unit", Utf16(true, wide) + "a", false},
        {"a mark only", "\xff\xfe", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SettingsTextAcceptable(reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size()),
                  c.accepted)
            << c.label;
    EXPECT_TRUE(SettingsTextAcceptable(nullptr, 0));
}

TEST(ArgumentsAfterProgramName, IsTheTextAfterTheNameQuotesAndAll)
{
    struct Case {
        const wchar_t* label;
        std::wstring line, arguments;
    };
    const std::vector<Case> cases = {
        {L"quoted name, one argument", L"\"C:\\Games\\Korvel.exe\" -dx11", L"-dx11"},
        {L"quoted name with a space", L"\"C:\\My Games\\Korvel.exe\" -dx11 -w", L"-dx11 -w"},
        {L"plain name", L"Korvel.exe -dx11", L"-dx11"},
        {L"arguments keep their quotes and inner blanks", L"Korvel.exe  -name \"a  b\" x", L"-name \"a  b\" x"},
        {L"tab after the name", L"Korvel.exe\t-a", L"-a"},
        {L"trailing blanks stay", L"Korvel.exe -a  ", L"-a  "},
        {L"no arguments", L"\"C:\\Games\\Korvel.exe\"", L""},
        {L"blanks only after the name", L"Korvel.exe   ", L""},
        {L"argument right after the closing quote", L"\"Korvel.exe\"-a", L"-a"},
        {L"an unclosed quote is all name", L"\"C:\\Games\\Korvel.exe -a", L""},
        {L"empty line", L"", L""},
        {L"Chinese arguments", L"Korvel.exe -名字 游戏", L"-名字 游戏"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ArgumentsAfterProgramName(c.line), c.arguments) << c.label;
}

TEST(SettingKeys, NamesAndDefaultsAreTheFilesOwn)
{
    // The seven keys of section "Config" with the text a read writes back.
    const std::vector<std::pair<SettingKey, std::pair<std::string, std::string>>> table = {
        {keys::EXEName, {"EXEName", ""}},         {keys::EXEParam, {"EXEParam", ""}},
        {keys::SelectedCPU, {"SelectedCPU", "0"}}, {keys::CPUPriority, {"CPUPriority", "1"}},
        {keys::IOPriority, {"IOPriority", "2"}},   {keys::ShowStyle, {"ShowStyle", "1"}},
        {keys::isRemember, {"isRemember", "0"}},
    };
    for (const auto& [key, expected] : table) {
        EXPECT_EQ(key.name, expected.first);
        EXPECT_EQ(key.fallback, expected.second) << expected.first;
    }
    EXPECT_STREQ(kSection, "Config");
    EXPECT_STREQ(kSettingsFileName, "\\Korveled.ini");
}

TEST(LaunchConfig, AFreshRecordHoldsTheMissingFileValues)
{
    const LaunchConfig fresh;
    EXPECT_EQ(fresh.SelectedCPU, 0);
    EXPECT_EQ(fresh.EXEName, L"");
    EXPECT_EQ(fresh.EXEParam, L"");
    EXPECT_EQ(fresh.isRemember, 0);
    EXPECT_EQ(fresh.CPUPRIORITY, 1);
    EXPECT_EQ(fresh.IOPRIORITY, 2);
    EXPECT_EQ(fresh.isCancel, 0);
    EXPECT_EQ(fresh.ShowStyle, 1);
}

} // namespace
