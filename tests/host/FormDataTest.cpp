// The stored form text: parsing, writing back, and errors that name the
// form, the line or control and the key.
#include "host/FormData.h"

#include <gtest/gtest.h>

using host::ControlData;
using host::FormData;
using host::ParseFormData;
using host::StoredDataError;

namespace {

const wchar_t* kGallery = LR"(' The gallery's first controls.
Form frmMain : Form
  Caption = "Form1"
  ClientWidth = 10890
  ClientHeight = 7020
  Begin YTreeView1 : YTreeView
    Left = 2280
    Top = 720
    Width = 2100
    Height = 2790
    BackColor = &H00FFFFFF&
    ForeColor = &H80000012&
    Font = Font("宋体", 9, 400, 134)
    IsReal = True
  End
  Begin Option1(2) : OptionButton
    Caption = "第三步，""引号"""
    Value = False
  End
  Begin YFrame1 : YFrame
    Begin Inner1 : Label
      Left = -15
      Caption = "x"
    End
  End
  Begin Image1(0) : PictureBox
    Picture = Picture("STEP1")
    Font = Font("MS Sans Serif", 8.25, 700, 0, True, False, True)
  End
End
)";

std::string ErrorOf(const std::wstring& text)
{
    try {
        ParseFormData(text);
    } catch (const StoredDataError& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace

TEST(FormData, ParsesFormControlsPlacementAndValues)
{
    FormData f = ParseFormData(kGallery);
    EXPECT_EQ(f.name, L"frmMain");
    EXPECT_EQ(f.props.readText(L"Caption", L""), L"Form1");
    EXPECT_EQ(f.props.readLong(L"ClientWidth", 0), 10890);
    ASSERT_EQ(f.controls.size(), 4u);

    const ControlData& tree = f.controls[0];
    EXPECT_EQ(tree.name, L"YTreeView1");
    EXPECT_EQ(tree.kind, L"YTreeView");
    EXPECT_EQ(tree.index, -1);
    EXPECT_EQ(tree.left, 2280);
    EXPECT_EQ(tree.top, 720);
    EXPECT_EQ(tree.width, 2100);
    EXPECT_EQ(tree.height, 2790);
    EXPECT_FALSE(tree.props.has(L"Left"));  // placement is taken out of the bag
    EXPECT_EQ(tree.props.readColour(L"BackColor", 0), 0x00FFFFFFu);
    EXPECT_EQ(tree.props.readColour(L"ForeColor", 0), 0x80000012u);
    EXPECT_TRUE(tree.props.readBool(L"IsReal", false));
    host::Font font = tree.props.readFont(L"Font", {});
    EXPECT_EQ(font.name, L"宋体");
    EXPECT_EQ(font.size, 9.0);
    EXPECT_FALSE(font.bold);
    EXPECT_EQ(font.charset, 134);
    EXPECT_EQ(tree.props.owner(), L"frmMain.YTreeView1");

    const ControlData& option = f.controls[1];
    EXPECT_EQ(option.name, L"Option1(2)");
    EXPECT_EQ(option.baseName(), L"Option1");
    EXPECT_EQ(option.index, 2);
    EXPECT_EQ(option.props.readText(L"Caption", L""), L"第三步，\"引号\"");

    ASSERT_EQ(f.controls[2].children.size(), 1u);
    EXPECT_EQ(f.controls[2].children[0].left, -15);

    const ControlData& image = f.controls[3];
    ASSERT_EQ(image.pictureRefs.size(), 1u);
    EXPECT_EQ(image.pictureRefs[0], L"Picture");
    EXPECT_EQ(image.props.readText(L"Picture", L""), L"STEP1");
    host::Font ms = image.props.readFont(L"Font", {});
    EXPECT_EQ(ms.size, 8.25);
    EXPECT_TRUE(ms.bold);
    EXPECT_TRUE(ms.italic);
    EXPECT_FALSE(ms.underline);
    EXPECT_TRUE(ms.strikethrough);
}

TEST(FormData, WritingAndParsingAgainGivesTheSameForm)
{
    FormData first = ParseFormData(kGallery);
    std::wstring text = host::FormatFormData(first);
    FormData second = ParseFormData(text);
    EXPECT_EQ(host::FormatFormData(second), text);
    EXPECT_TRUE(first.props == second.props);
    ASSERT_EQ(second.controls.size(), first.controls.size());
    for (std::size_t i = 0; i < first.controls.size(); ++i) {
        const ControlData &a = first.controls[i], &b = second.controls[i];
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.kind, b.kind);
        EXPECT_EQ(a.index, b.index);
        EXPECT_EQ(a.left, b.left);
        EXPECT_EQ(a.width, b.width);
        EXPECT_TRUE(a.props == b.props) << host::ToUtf8(a.name);
        EXPECT_EQ(a.pictureRefs, b.pictureRefs);
        EXPECT_EQ(a.children.size(), b.children.size());
    }
    EXPECT_NE(text.find(L"&H80000012&"), std::wstring::npos);  // system colours stay readable
}

TEST(FormData, ValueFormats)
{
    struct Case {
        const char* label;
        host::PropValue value;
        const wchar_t* text;
    };
    host::Font f;
    f.size = 10.5;
    const Case cases[] = {
        {"negative", std::int64_t(-3), L"-3"},
        {"high bit as hex", std::int64_t(0x8000000F), L"&H8000000F&"},
        {"quote doubled", std::wstring(L"a\"b"), L"\"a\"\"b\""},
        {"boolean", false, L"False"},
        {"font", f, L"Font(\"宋体\", 10.5, 400, 134)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(host::FormatValue(c.value), c.text) << c.label;
}

TEST(FormData, SyntaxErrorsNameFormAndLine)
{
    struct Case {
        const char* label;
        const wchar_t* text;
        const char* expected;
    };
    const Case cases[] = {
        {"no form line", L"Begin A : B\nEnd\n", "Form <name>"},
        {"unclosed text", L"Form f\n  Caption = \"abc\nEnd\n", "form f, line 2"},
        {"missing End", L"Form f\n  Begin A : Label\n  End\n", "missing End of the form"},
        {"missing control End", L"Form f\n  Begin A : Label\n    Top = 1\n", "missing End of control A"},
        {"no kind", L"Form f\n  Begin A\n  End\nEnd\n", "line 2"},
        {"unknown value", L"Form f\n  Caption = Maybe\nEnd\n", "unknown value \"Maybe\""},
        {"key twice", L"Form f\n  Begin A : Label\n    Top = 1\n    top = 2\n  End\nEnd\n", "line 4"},
        {"control twice", L"Form f\n  Begin A : Label\n  End\n  Begin a : Label\n  End\nEnd\n", "defined twice"},
        {"text placement", L"Form f\n  Begin A : Label\n    Left = \"x\"\n  End\nEnd\n",
         "form f, control A: key \"Left\""},
        {"bad font", L"Form f\n  Font = Font(\"x\", 9)\nEnd\n", "line 2"},
        {"text after end", L"Form f\nEnd\nCaption = \"x\"\n", "line 3"},
    };
    for (const Case& c : cases) {
        std::string m = ErrorOf(c.text);
        EXPECT_NE(m.find(c.expected), std::string::npos) << c.label << ": " << m;
    }
}
