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

TEST(SettingsTextAcceptable, TextPassesBinaryAndHugeDoNot)
{
    const std::string text = "[Config]\r\nEXEName=\xd3\xce\xcf\xb7.exe\r\n\tEXEParam=-a\n";
    EXPECT_TRUE(SettingsTextAcceptable(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
    EXPECT_TRUE(SettingsTextAcceptable(nullptr, 0));

    for (const std::string& bad : {std::string("[Config]\0x", 10), std::string("a\x01" "b"), std::string("\x1a")}) {
        EXPECT_FALSE(SettingsTextAcceptable(reinterpret_cast<const unsigned char*>(bad.data()), bad.size()));
    }
    const std::string limit(kMaxSettingsBytes, 'a');
    EXPECT_TRUE(SettingsTextAcceptable(reinterpret_cast<const unsigned char*>(limit.data()), limit.size()));
    const std::string huge(kMaxSettingsBytes + 1, 'a');
    EXPECT_FALSE(SettingsTextAcceptable(reinterpret_cast<const unsigned char*>(huge.data()), huge.size()));
}

TEST(SettingKeys, DefaultsMatchTheRecordsMissingFileValues)
{
    const LaunchConfig fresh;
    const std::vector<std::pair<SettingKey, std::int32_t>> numeric = {
        {keys::SelectedCPU, fresh.SelectedCPU}, {keys::CPUPriority, fresh.CPUPRIORITY},
        {keys::IOPriority, fresh.IOPRIORITY},   {keys::ShowStyle, fresh.ShowStyle},
        {keys::isRemember, fresh.isRemember},
    };
    for (const auto& [key, value] : numeric) {
        std::int32_t parsed = -99;
        ASSERT_TRUE(ParseDecimal(key.fallback, parsed)) << key.name;
        EXPECT_EQ(parsed, value) << key.name;
    }
    EXPECT_STREQ(keys::EXEName.fallback, "");
    EXPECT_STREQ(keys::EXEParam.fallback, "");
    EXPECT_EQ(fresh.isCancel, 0);
}

} // namespace
