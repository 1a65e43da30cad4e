// Hostile stored form text: cut, doubled, absurd sizes (2,000,000,000
// pixels, negative positions and sizes), fonts of negative or absurd size,
// controls nested too deep or too many of them, numbers too long. Each is
// refused with one message that names the form, the control and the key
// (where the text has them) and says what is wrong.
#include "host/FormData.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Refusal(const std::wstring& text)
{
    try {
        host::ParseFormData(text);
    } catch (const host::StoredDataError& e) {
        return e.what();
    }
    return "(accepted)";
}

const wchar_t kHead[] = L"Form frmHostile : Form\n  Caption = \"敌意\"\n  Begin YList1 : YList\n    Left = 120\n";

std::wstring WithLine(const std::wstring& line)
{
    return std::wstring(kHead) + L"    " + line + L"\n  End\nEnd\n";
}

TEST(HostileFormText, EachIsRefusedNamingFormControlAndKey)
{
    struct Case {
        const char* label;
        std::wstring text;
        std::vector<std::string> named;  // every piece must be in the message
    };
    const std::wstring whole = WithLine(L"Top = 60");
    const std::vector<Case> cases = {
        {"cut inside a text", std::wstring(kHead) + L"    Tag = \"abc",
         {"form frmHostile, line 5: control YList1, key \"Tag\": text without its closing quote"}},
        {"cut before the control's End", std::wstring(kHead) + L"    Top = 60\n",
         {"form frmHostile", "missing End of control YList1"}},
        {"cut after &H", WithLine(L"BackColor = &H"), {"form frmHostile, line 5: control YList1, key \"BackColor\"", "hex digits"}},
        {"doubled", whole + whole, {"form frmHostile, line 8", "text after the form's End"}},
        {"2,000,000,000 pixels wide", WithLine(L"Width = 30000000000"),
         {"form frmHostile, control YList1: key \"Width\" holds 30000000000", "0 to 491505 twips"}},
        {"2,000,000,000 pixels to the left", WithLine(L"Top = -30000000000"),
         {"form frmHostile, control YList1: key \"Top\" holds -30000000000"}},
        {"a negative height", WithLine(L"Height = -15"), {"control YList1: key \"Height\" holds -15"}},
        {"a form 2,000,000,000 pixels wide", L"Form frmHostile : Form\n  ClientWidth = 30000000000\nEnd\n",
         {"form frmHostile: key \"ClientWidth\" holds 30000000000"}},
        {"a negative font", WithLine(L"Font = Font(\"宋体\", -9, 400, 134)"),
         {"form frmHostile, line 5: control YList1, key \"Font\": a font of -9 points"}},
        {"a font of a million points", WithLine(L"Font = Font(\"宋体\", 1000000, 400, 134)"),
         {"key \"Font\": a font of 1e+06 points"}},
        {"a font of no size", WithLine(L"Font = Font(\"宋体\", 0, 400, 134)"), {"key \"Font\": a font of 0 points"}},
        {"an unknown character set", WithLine(L"Font = Font(\"宋体\", 9, 400, 99999)"),
         {"key \"Font\": a character set of 99999"}},
        {"a number too long", WithLine(L"Left = 1234567890123456"), {"key \"Left\": number too long"}},
        {"a value of an unknown kind", WithLine(L"Caption = Maybe"), {"key \"Caption\": unknown value \"Maybe\""}},
        {"a key twice", WithLine(L"Top = 1\n    TOP = 2"), {"line 6: control YList1, key \"TOP\": key TOP is given twice"}},
        {"a text where a number belongs", WithLine(L"Width = \"wide\""),
         {"form frmHostile, control YList1: key \"Width\" holds text, expected a number"}},
    };
    for (const Case& c : cases) {
        const std::string why = Refusal(c.text);
        for (const std::string& piece : c.named)
            EXPECT_NE(why.find(piece), std::string::npos) << c.label << ":\n  " << why << "\n  lacks: " << piece;
    }
}

TEST(HostileFormText, DeepNestingIsRefusedAtTheFirstControlTooDeep)
{
    // 32 levels are fine; the 33rd is named.
    const auto nested = [](int depth) {
        std::wstring t = L"Form frmDeep : Form\n";
        for (int i = 1; i <= depth; ++i)
            t += L"Begin Frame" + std::to_wstring(i) + L" : YFrame\n";
        for (int i = 1; i <= depth; ++i)
            t += L"End\n";
        return t + L"End\n";
    };
    EXPECT_EQ(Refusal(nested(32)), "(accepted)");
    const std::string why = Refusal(nested(100000));
    EXPECT_NE(why.find("form frmDeep, line 34: control Frame33: controls nested more than 32 deep"), std::string::npos)
        << why;
}

TEST(HostileFormText, A100000ControlsAreRefused)
{
    std::wstring t = L"Form frmMany : Form\n";
    for (int i = 0; i < 100000; ++i)
        t += L"Begin Check" + std::to_wstring(i) + L" : YCheck\nEnd\n";
    t += L"End\n";
    const std::string why = Refusal(t);
    EXPECT_NE(why.find("form frmMany, line 4002: control Check2000: more than 2000 controls in one form"),
              std::string::npos)
        << why;
    // Up to the limit a form is read.
    std::wstring ok = L"Form frmMany : Form\n";
    for (int i = 0; i < 2000; ++i)
        ok += L"Begin Check" + std::to_wstring(i) + L" : YCheck\nEnd\n";
    ok += L"End\n";
    EXPECT_EQ(Refusal(ok), "(accepted)");
}

TEST(HostileFormText, PlacementAtTheLimitsIsRead)
{
    const host::FormData f = host::ParseFormData(
        L"Form frmEdge : Form\n  ClientWidth = 491505\n  ClientLeft = -491520\n  Begin A : YCheck\n"
        L"    Left = -491520\n    Top = 491505\n    Width = 0\n    Height = 491505\n"
        L"    Font = Font(\"宋体\", 2048, 1000, 255)\n  End\nEnd\n");
    ASSERT_EQ(f.controls.size(), 1u);
    EXPECT_EQ(f.controls[0].left, -491520);
    EXPECT_EQ(f.controls[0].top, 491505);
    EXPECT_EQ(f.controls[0].height, 491505);
}

} // namespace
