// What the list view paints in each mode, recorded as canvas calls, and
// how texts are fitted into report columns.
#include "ListViewFakes.h"

#include <gtest/gtest.h>

using namespace lvtest;

namespace {

constexpr host::Colour kFocus = 0x00CDA481;
constexpr host::Colour kHeaderHover = 0x00EBC29F;
constexpr host::Colour kHeader = 0x00FFD6B3;
constexpr host::Colour kRow = 0x00FFFFFF;

struct Fixture {
    FakeSite site;
    ListViewModel model{site};
    RecordingCanvas canvas;
    ListViewColours colours;

    void Paint()
    {
        canvas.ops.clear();
        canvas.measures = 0;
        PaintListView(canvas, model, site.Frame(), colours);
    }
};

std::wstring Fit(const std::wstring& text, std::int32_t offset, std::int32_t width)
{
    return FitText(text, offset, width, MeasureChars);
}

} // namespace

TEST(ListViewFitText, Cases)
{
    struct Case {
        const char* label;
        std::wstring text;
        std::int32_t offset, width;
        std::wstring expected;
    } cases[] = {
        {"offset equal to the width", L"abc", 30, 30, L""},
        {"offset beyond the width", L"abc", 31, 30, L""},
        {"empty text", L"", 3, 30, L""},
        {"exact fit is not shortened", L"abcd", 6, 30, L"abcd"},
        {"one pixel short", L"abcd", 7, 30, L"a..."},
        {"cut before the 7th character, less three", L"abcdefgh", 3, 40, L"abcd..."},
        {"3rd character overflows: dots only", L"abcdef", 3, 15, L"..."},
        {"1st character overflows: dots only", L"abcdef", 3, 8, L"..."},
        {"4th character overflows", L"abcdef", 3, 21, L"a..."},
        {"wide characters", L"列表项目", 3, 40, L"列..."},
        {"a surrogate pair is never split", L"ab\xD83D\xDE00" L"cdefgh", 0, 50, L"ab\xD83D\xDE00..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, Fit(c.text, c.offset, c.width)) << c.label;
}

TEST(ListViewFitText, MeasuresCharacterByCharacterOnlyWhenTooLong)
{
    int calls = 0;
    const TextMeasure counting = [&](std::wstring_view s) {
        ++calls;
        return MeasureChars(s);
    };
    EXPECT_EQ(L"abcdef", FitText(L"abcdef", 3, 100, counting));
    EXPECT_EQ(1, calls);
    calls = 0;
    EXPECT_EQ(L"abcd...", FitText(L"abcdefgh", 3, 40, counting));
    EXPECT_EQ(1 + 7, calls);  // the whole text, then up to the one that overflows
}

TEST(ListViewPaint, CentredIconTopRoundsHalvesToEven)
{
    EXPECT_EQ(5, CentredTop(2, 22, 16));
    EXPECT_EQ(3, CentredTop(2, 22, 20));
    EXPECT_EQ(2, CentredTop(0, 21, 16));   // 2.5
    EXPECT_EQ(4, CentredTop(0, 23, 16));   // 3.5
    EXPECT_EQ(-2, CentredTop(0, 15, 20));  // -2.5
}

TEST(ListViewPaint, EmptyCasesDrawOnlyTheFramedBackground)
{
    struct Case {
        const char* label;
        int columns, items;
        std::int32_t mode, width;
    } cases[] = {
        {"report without columns", 0, 5, 0, 300},
        {"list without items", 2, 0, 3, 300},
        {"small grid without items", 2, 0, 1, 300},
        {"big grid without items", 2, 0, 2, 300},
        {"mode outside 0..3", 2, 5, 4, 300},
        {"negative mode", 2, 5, -1, 300},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.site.width = c.width;
        for (int i = 0; i < c.columns; ++i)
            f.model.AddHeaderItem(L"H", 100, nullptr, nullptr);
        for (int i = 0; i < c.items; ++i)
            f.model.AddListItem(L"x", MakeIcon(16), nullptr);
        f.model.SetDisMode(c.mode);
        f.Paint();
        ASSERT_EQ(2u, f.canvas.ops.size()) << c.label;
        EXPECT_EQ(Op::Fill, f.canvas.ops[0].kind) << c.label;
        EXPECT_EQ(0x00FFFFFFu, f.canvas.ops[0].colour) << c.label;
        EXPECT_EQ((kit::Rect{0, 0, c.width, 200}), f.canvas.ops[0].rect) << c.label;
        EXPECT_EQ(Op::Frame, f.canvas.ops[1].kind) << c.label;
        EXPECT_EQ(0x00FFD6B3u, f.canvas.ops[1].colour) << c.label;
    }
}

namespace {

// Three 100-pixel columns (header 0 with a small icon, header 1 with a big
// one, header 2 with none) in a 340-pixel control: no horizontal bar.
// Items "i<n>" with n % 3 sub-items, each item with a small icon.
struct ReportFixture : Fixture {
    explicit ReportFixture(int items)
    {
        site.width = 340;
        model.AddHeaderItem(L"H0", 100, MakeIcon(16), nullptr);
        model.AddHeaderItem(L"H1", 100, nullptr, MakeIcon(20));
        model.AddHeaderItem(L"H2", 100, nullptr, nullptr);
        for (int i = 0; i < items; ++i) {
            model.AddListItem(L"i" + std::to_wstring(i), MakeIcon(16), nullptr);
            for (int s = 0; s < i % 3; ++s)
                model.AddListSubItem(i, L"i" + std::to_wstring(i) + L"s" + std::to_wstring(s), nullptr, MakeIcon(20));
        }
        model.Relayout();  // hh 22, rh 22: 8 rows, height 202, vertical bar
    }
};

} // namespace

TEST(ListViewPaint, ReportRowsHeadersAndCells)
{
    ReportFixture f(12);
    ASSERT_TRUE(f.site.vbar.visible);
    ASSERT_FALSE(f.site.hbar.visible);
    ASSERT_EQ(8, f.model.PageRows());
    f.model.MouseMove(150, 24 + 22 * 2 + 5);  // hover item 2
    ASSERT_EQ(2, f.model.HoverItem());
    f.Paint();

    const auto clips = f.canvas.Of(Op::Clip);
    ASSERT_EQ(1u, clips.size());
    EXPECT_EQ((kit::Rect{2, 2, 319, 200}), clips[0].rect) << "the vertical bar is left out";
    EXPECT_EQ(Op::Unclip, f.canvas.ops.back().kind);

    // Row backgrounds: focus box for item 0, hover box for item 2, the rest filled.
    const auto boxes = f.canvas.Of(Op::RoundBox);
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ((kit::Rect{2, 24, 319, 46}), boxes[0].rect);
    EXPECT_EQ(kFocus, boxes[0].colour);
    EXPECT_EQ((kit::Rect{2, 68, 319, 90}), boxes[1].rect);
    EXPECT_EQ(0x00EBC29Fu, boxes[1].colour);
    const auto fills = f.canvas.Of(Op::Fill);
    ASSERT_EQ(1u + 6u, fills.size()) << "background plus six plain rows";
    EXPECT_EQ((kit::Rect{2, 46, 319, 68}), fills[1].rect);
    EXPECT_EQ(kRow, fills[1].colour);

    const auto headers = f.canvas.Of(Op::FramedBox);
    ASSERT_EQ(3u, headers.size());
    EXPECT_EQ((kit::Rect{2, 2, 102, 24}), headers[0].rect);
    EXPECT_EQ((kit::Rect{202, 2, 302, 24}), headers[2].rect);
    for (const auto& h : headers)
        EXPECT_EQ(kHeader, h.colour);

    struct Text {
        const wchar_t* text;
        kit::Rect rect;
    } texts[] = {
        {L"H0", {23, 2, 102, 24}},     // after a small icon: offset 21
        {L"H1", {127, 2, 202, 24}},    // after a big icon: offset 25
        {L"H2", {205, 2, 302, 24}},    // no icon: offset 3
        {L"i0", {23, 24, 102, 46}},
        {L"i1s0", {127, 46, 202, 68}}, // sub-items carry big icons
        {L"i2s1", {227, 68, 302, 90}},
        {L"i7", {23, 178, 102, 200}},  // the eighth and last visible row
    };
    for (const auto& t : texts) {
        const Op* op = f.canvas.TextNamed(t.text);
        ASSERT_NE(nullptr, op) << "text " << std::string(t.text, t.text + wcslen(t.text));
        EXPECT_EQ(t.rect, op->rect);
        EXPECT_EQ(TextAlign::Left, op->align);
    }
    EXPECT_EQ(nullptr, f.canvas.TextNamed(L"i8")) << "only the visible rows are drawn";

    // Icons: headers 0 and 1, then per visible row the item's own small icon
    // and a big icon per sub-item.
    // Rows 0..7 hold 0,1,2,0,1,2,0,1 sub-items: 8 + 7 row icons.
    const auto icons = f.canvas.Of(Op::Icon);
    ASSERT_EQ(2u + 8u + 7u, icons.size());
    EXPECT_EQ((kit::Rect{5, 5, 21, 21}), icons[0].rect) << "header 0, small";
    EXPECT_EQ((kit::Rect{5, 27, 21, 43}), icons[1].rect) << "item 0, small";
    EXPECT_EQ((kit::Rect{105, 3, 125, 23}), icons[9].rect) << "header 1, big";
    EXPECT_EQ(20, icons[9].size);
}

TEST(ListViewPaint, MissingSubItemsLeaveTheirCellsEmpty)
{
    ReportFixture f(3);
    f.Paint();
    // Row of item 0 (no sub-items): nothing in columns 1 and 2.
    // Row of item 1 (one sub-item): column 1 only.
    std::vector<std::wstring> columnTexts[3];
    for (const auto& op : f.canvas.Of(Op::Text)) {
        if (op.rect.top == 2)
            continue;  // the header row
        const int column = (op.rect.left - 2) / 100;
        columnTexts[column].push_back(op.text);
    }
    EXPECT_EQ((std::vector<std::wstring>{L"i0", L"i1", L"i2"}), columnTexts[0]);
    EXPECT_EQ((std::vector<std::wstring>{L"i1s0", L"i2s0"}), columnTexts[1]);
    EXPECT_EQ((std::vector<std::wstring>{L"i2s1"}), columnTexts[2]);
}

TEST(ListViewPaint, ReportScrolledBothWays)
{
    Fixture f;
    for (int i = 0; i < 4; ++i)
        f.model.AddHeaderItem(L"H" + std::to_wstring(i), 100, nullptr, nullptr);
    for (int i = 0; i < 30; ++i) {
        f.model.AddListItem(L"i" + std::to_wstring(i), nullptr, nullptr);
        f.model.AddListSubItem(i, L"s" + std::to_wstring(i), nullptr);
    }
    f.model.Relayout();  // hh = rh = 18, both bars, 9 rows
    ASSERT_TRUE(f.site.vbar.visible && f.site.hbar.visible);
    f.site.vbar.SetValue(5);
    f.site.hbar.SetValue(110);
    f.Paint();
    const auto headers = f.canvas.Of(Op::FramedBox);
    ASSERT_EQ(3u, headers.size()) << "column 0 lies wholly left of the view";
    EXPECT_EQ((kit::Rect{-8, 2, 92, 20}), headers[0].rect);
    EXPECT_EQ(nullptr, f.canvas.TextNamed(L"i5"));
    const Op* first = f.canvas.TextNamed(L"s5");
    ASSERT_NE(nullptr, first);
    EXPECT_EQ((kit::Rect{-5, 20, 92, 38}), first->rect) << "item 5 heads the view";
    EXPECT_EQ(nullptr, f.canvas.TextNamed(L"s4"));
    EXPECT_NE(nullptr, f.canvas.TextNamed(L"s13"));
    EXPECT_EQ(nullptr, f.canvas.TextNamed(L"s14"));
    // Rows do not scroll sideways and stop at the vertical bar.
    const auto fills = f.canvas.Of(Op::Fill);
    ASSERT_EQ(1u + 9u, fills.size());
    EXPECT_EQ((kit::Rect{2, 20, 279, 38}), fills[1].rect);
}

TEST(ListViewPaint, HeaderHoverAndNarrowColumns)
{
    Fixture f;
    f.model.AddHeaderItem(L"wide", 100, nullptr, nullptr);
    f.model.AddHeaderItem(L"narrow", 20, MakeIcon(16), nullptr);  // narrower than its offset 21
    f.model.AddHeaderItem(L"tiny", 3, nullptr, nullptr);         // exactly its offset 3
    f.model.AddListItem(L"item", nullptr, nullptr);
    f.model.Relayout();
    f.model.MouseMove(110, 10);  // header 1
    ASSERT_EQ(1, f.model.HoverHeader());
    f.Paint();
    const auto headers = f.canvas.Of(Op::FramedBox);
    ASSERT_EQ(3u, headers.size());
    EXPECT_EQ(kHeader, headers[0].colour);
    EXPECT_EQ(kHeaderHover, headers[1].colour);
    EXPECT_NE(nullptr, f.canvas.TextNamed(L"wide"));
    EXPECT_EQ(nullptr, f.canvas.TextNamed(L"narrow"));
    EXPECT_EQ(nullptr, f.canvas.TextNamed(L"tiny"));
    EXPECT_EQ(1u, f.canvas.Of(Op::Icon).size()) << "the icon is drawn even so";
}

TEST(ListViewPaint, LongCellTextIsShortened)
{
    Fixture f;
    f.model.AddHeaderItem(L"H", 40, nullptr, nullptr);
    f.model.AddListItem(L"abcdefgh", nullptr, nullptr);  // 48 pixels wide
    f.model.Relayout();
    f.Paint();
    EXPECT_NE(nullptr, f.canvas.TextNamed(L"abcd..."));
}

TEST(ListViewPaint, PaintCostFollowsTheVisibleRows)
{
    Fixture f;
    for (int i = 0; i < 3; ++i)
        f.model.AddHeaderItem(L"H", 100, nullptr, nullptr);
    for (int i = 0; i < 100000; ++i) {
        f.model.AddListItem(L"item", nullptr, nullptr);
        f.model.AddListSubItem(i, L"a", nullptr);
        f.model.AddListSubItem(i, L"b", nullptr);
    }
    f.model.Relayout();
    f.site.vbar.SetValue(50000);
    f.Paint();
    const std::size_t rows = static_cast<std::size_t>(f.model.PageRows());
    EXPECT_EQ(3u + 3u * rows, f.canvas.Of(Op::Text).size());
    EXPECT_EQ(static_cast<int>(3 + 3 * rows), f.canvas.measures);
}

TEST(ListViewPaint, SmallIconGrid)
{
    Fixture f;
    for (int i = 0; i < 7; ++i)
        f.model.AddListItem(L"a rather long item " + std::to_wstring(i), i == 3 ? nullptr : MakeIcon(16),
                            MakeIcon(20));
    f.model.SetDisMode(kModeSmallIcons);
    f.model.MouseMove(90, 30);  // item 4
    ASSERT_EQ(4, f.model.HoverItem());
    f.Paint();
    const auto clips = f.canvas.Of(Op::Clip);
    ASSERT_EQ(1u, clips.size());
    EXPECT_EQ((kit::Rect{2, 2, 279, 24 * 8 + 2}), clips[0].rect);
    const auto boxes = f.canvas.Of(Op::RoundBox);
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ((kit::Rect{2, 2, 82, 24}), boxes[0].rect);
    EXPECT_EQ(kFocus, boxes[0].colour);
    EXPECT_EQ((kit::Rect{84, 26, 164, 48}), boxes[1].rect);
    EXPECT_EQ(kHeaderHover, boxes[1].colour);
    const auto texts = f.canvas.Of(Op::Text);
    ASSERT_EQ(7u, texts.size()) << "painting stops at the last item";
    EXPECT_EQ(L"a rather long item 5", texts[5].text) << "grid texts are not shortened";
    EXPECT_EQ((kit::Rect{164 + 21, 26, 164 + 82, 48}), texts[5].rect);
    EXPECT_EQ(TextAlign::Centre, texts[5].align);
    const auto icons = f.canvas.Of(Op::Icon);
    ASSERT_EQ(6u, icons.size()) << "small icons only, item 3 has none";
    EXPECT_EQ(16, icons[0].size);
    EXPECT_EQ((kit::Rect{169, 29, 185, 45}), icons[4].rect) << "item 5";
}

TEST(ListViewPaint, BigIconGridScrolled)
{
    Fixture f;
    for (int i = 0; i < 30; ++i)
        f.model.AddListItem(L"b" + std::to_wstring(i), MakeIcon(16), i == 13 ? nullptr : MakeIcon(20));
    f.model.SetDisMode(kModeBigIcons);  // rh 40, 4 columns of 66, 4 of 8 rows visible
    ASSERT_EQ(4, f.model.GridVisibleRows());
    ASSERT_EQ(8, f.model.GridRows());
    f.site.vbar.SetValue(3);
    f.Paint();
    const auto texts = f.canvas.Of(Op::Text);
    ASSERT_EQ(4u * 4u, texts.size()) << "grid rows 3..6";
    EXPECT_EQ(L"b12", texts[0].text);
    EXPECT_EQ((kit::Rect{2, 25, 66, 42}), texts[0].rect);
    const Op* b13 = f.canvas.TextNamed(L"b13");
    ASSERT_NE(nullptr, b13);
    EXPECT_EQ((kit::Rect{68, 25, 132, 42}), b13->rect);
    const auto icons = f.canvas.Of(Op::Icon);
    ASSERT_EQ(texts.size() - 1, icons.size()) << "item 13 has no big icon; small icons are not drawn";
    EXPECT_EQ((kit::Rect{24, 5, 44, 25}), icons[0].rect);
    EXPECT_EQ(20, icons[0].size);
    EXPECT_TRUE(f.canvas.Of(Op::RoundBox).empty()) << "focus item 0 is scrolled away";
}

TEST(ListViewPaint, ListModeColumnIs80PixelsWide)
{
    Fixture f;
    for (int i = 0; i < 5; ++i)
        f.model.AddListItem(L"a text much wider than eighty pixels " + std::to_wstring(i), MakeIcon(16), nullptr);
    f.model.SetDisMode(kModeList);
    f.model.MouseMove(200, 2 + 22 * 3 + 1);  // the whole width hovers
    f.Paint();
    const auto boxes = f.canvas.Of(Op::RoundBox);
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ((kit::Rect{2, 2, 82, 24}), boxes[0].rect);
    EXPECT_EQ((kit::Rect{2, 68, 82, 90}), boxes[1].rect);
    EXPECT_EQ(kHeaderHover, boxes[1].colour);
    const auto texts = f.canvas.Of(Op::Text);
    ASSERT_EQ(5u, texts.size());
    EXPECT_EQ((kit::Rect{21, 90, 82, 112}), texts[4].rect);
    EXPECT_EQ(L"a text much wider than eighty pixels 4", texts[4].text);
    EXPECT_EQ(TextAlign::Centre, texts[4].align);
    EXPECT_EQ((kit::Rect{5, 93, 21, 109}), f.canvas.Of(Op::Icon)[4].rect);
    const auto clips = f.canvas.Of(Op::Clip);
    ASSERT_EQ(1u, clips.size());
    EXPECT_EQ((kit::Rect{2, 2, 298, f.site.height - 2}), clips[0].rect);
}
