// YGroupList in a real window with its embedded scroll bar: groups folded
// by clicks, scrolled by the wheel and the bar, hovered, and painted.
#include "ExpectedColours.h"
#include "SmallTestSupport.h"
#include "SharedCases.h"

#include "tessara/controls/grouplist/YGroupList.h"

#include "host/Host.h"

using namespace smalltest;
using tessara::YGroupList;

namespace {

class GroupList : public FormTest {
protected:
    // A list of 129 x 146 pixels (7 rows of 20) holding groups of the given sizes.
    YGroupList& Place(std::initializer_list<int> sizes, int heightPx = 146, int scrollMode = 0)
    {
        host::PropertyBag bag;
        bag.set(L"ScrollMode", std::int64_t{scrollMode});
        bag.set(L"BackColor", std::int64_t{0x00FFFFFF});
        bag.set(L"ForeColor", std::int64_t{0});
        YGroupList& g = form.AddControl<YGroupList>(L"YGroupList1", 150, 150, 129 * 15, heightPx * 15, &bag);
        g.Click.connect([this](const std::wstring& t) { events.push_back("Click " + host::ToUtf8(t)); });
        g.DBClick.connect([this](const std::wstring& t) { events.push_back("DBClick " + host::ToUtf8(t)); });
        int n = 0;
        for (int size : sizes) {
            g.AddGroup(L"G" + std::to_wstring(n));
            for (int i = 0; i < size; ++i)
                g.AddItem(n, L"g" + std::to_wstring(n) + L"i" + std::to_wstring(i));
            ++n;
        }
        Settle(g);
        return g;
    }
    static void Settle(YGroupList& g)
    {
        EXPECT_TRUE(PumpUntil([&] { return !g.LayoutPending(); }, 2000)) << "no relayout came";
    }
    // Clicks row r of the view (rows of 20 pixels from y 3), as a user would.
    static void ClickRow(YGroupList& g, int r) { hosttest::ClickAt(g.hWnd(), 30, 3 + r * 20 + 10); }
    static void Wheel(YGroupList& g, int delta)
    {
        SendMessageW(g.hWnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))),
                     At(30, 30));
    }
};

// Folding a group removes rows below its header, which is in view: the view
// stays where it is, and only shrinks to the new end of the list.
TEST_F(GroupList, FoldingWhileScrolledKeepsTheHeaderUnderThePointer)
{
    YGroupList& g = Place({20, 11, 10});
    for (int i = 0; i < 3; ++i)
        g.Spread(i, true);
    Settle(g);
    ASSERT_EQ(g.VScroll().MaxV(), 44 - 7);
    g.VScroll().SetValue(20);  // G1's header (row 21) is the second row of the view
    ClickRow(g, 1);
    EXPECT_FALSE(g.Model().Store().Expanded(1));
    EXPECT_EQ(g.VScroll().Value(), 20);
    EXPECT_EQ(g.VScroll().MaxV(), 33 - 7);
    ClickRow(g, 1);  // the same spot: still G1's header, which unfolds again
    EXPECT_TRUE(g.Model().Store().Expanded(1));
    EXPECT_EQ(g.VScroll().Value(), 20);
    EXPECT_TRUE(events.empty()) << Join(events);
}

TEST_F(GroupList, FoldingNearTheEndShrinksTheViewToTheNewRange)
{
    YGroupList& g = Place({10, 30});
    g.Spread(0, true);
    g.Spread(1, true);
    Settle(g);
    ASSERT_TRUE(g.VScroll().Visible());
    EXPECT_EQ(g.VScroll().MaxV(), 42 - 7);
    g.VScroll().SetValue(8);  // G1's header (row 11) is the fourth row of the view
    ClickRow(g, 3);
    EXPECT_FALSE(g.Model().Store().Expanded(1));
    EXPECT_EQ(g.VScroll().MaxV(), 12 - 7);
    EXPECT_EQ(g.VScroll().Value(), 5);
}

TEST_F(GroupList, ItemHeight30GivesFourRowsAnd1890Twips)
{
    YGroupList& g = Place({5});
    for (const auto& c : cases::kGroupPages) {
        g.SetItemHeight(c.itemHeight);
        g.Move(-1, -1, -1, c.height * 15);
        EXPECT_EQ(g.Model().PageRows(), c.pageRows) << c.height << " px in rows of " << c.itemHeight;
        EXPECT_EQ(g.ScaleHeight(), c.clientHeight) << c.height << " px in rows of " << c.itemHeight;
        EXPECT_EQ(g.Height(), c.clientHeight * 15);
    }
    g.SetItemHeight(30);
    g.Move(-1, -1, -1, 1500);  // a client height of 100 px
    EXPECT_EQ(g.Height(), 1890);
    g.SetItemHeight(2);  // below the font's height: ignored
    EXPECT_EQ(g.ItemHeight(), 30);
}

TEST_F(GroupList, ThousandItemsPerGroupAtMost)
{
    YGroupList& g = Place({});
    g.AddGroup(L"Big");
    for (int i = 0; i < 1001; ++i)
        g.AddItem(0, L"item" + std::to_wstring(i));
    EXPECT_EQ(g.GetListCount(0), 1000);
    EXPECT_EQ(g.GetList(0, 999), L"item999");
    EXPECT_EQ(g.GetList(0, 1000), L"");
    EXPECT_EQ(g.GetList(1, 0), L"");
    EXPECT_EQ(g.GetListCount(5), 0);
}

TEST_F(GroupList, EmptyGroupShowsZeroCountAndRightGlyphEvenUnfolded)
{
    YGroupList& g = Place({0, 2});
    g.Spread(0, true);
    g.Spread(1, true);
    Settle(g);
    EXPECT_EQ(g.Model().Store().HeaderCaption(0), L"G0(0)");
    Frame f(g.hWnd());
    // Row 0 (G0, empty) starts at y 3, row 1 (G1, unfolded) at y 23.
    EXPECT_EQ(f(7, 3 + 11), 0x000000u) << "right-pointing glyph: its base column";
    EXPECT_NE(f(10, 3 + 8), 0x000000u);
    EXPECT_EQ(f(10, 23 + 8), 0x000000u) << "down-pointing glyph: its base row";
    EXPECT_NE(f(7, 23 + 11), 0x000000u);
}

TEST_F(GroupList, RowsAreStripedAndFramed)
{
    YGroupList& g = Place({4});
    g.Spread(0, true);
    Settle(g);
    Frame f(g.hWnd());
    EXPECT_EQ(f(0, 0), want::kGroupBorder);
    EXPECT_EQ(f(120, 10), want::kGroupHeader) << "header row";
    EXPECT_EQ(f(120, 30), want::kGroupItemB) << "first item: the stripe after the header";
    EXPECT_EQ(f(120, 50), want::kGroupItemA);
    EXPECT_EQ(f(120, 70), want::kGroupItemB);
    MoveMouse(g.hWnd(), 30, 50);
    EXPECT_EQ(g.Model().HoverRow(), 2);
    Frame h(g.hWnd());
    EXPECT_EQ(h(120, 50), want::kGroupItemHover);
}

TEST_F(GroupList, ItemClicksReportTheirTextAndDoubleClicksFollowWithTheSecondEvent)
{
    YGroupList& g = Place({3});
    g.Spread(0, true);
    Settle(g);
    ClickRow(g, 2);
    SendMessageW(g.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(30, 3 + 3 * 20 + 10));
    EXPECT_EQ(Join(events), "Click g0i1\nClick g0i2\nDBClick g0i2\n");
    ClickRow(g, 0);
    ClickRow(g, 0);
    EXPECT_TRUE(g.Model().Store().Expanded(0)) << "two header clicks leave the group as it was";
    SendMessageW(g.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(30, 13));
    EXPECT_FALSE(g.Model().Store().Expanded(0)) << "a double-click on a header folds like a click";
}

TEST_F(GroupList, WheelScrollsThreeRowsWithinRange)
{
    YGroupList& g = Place({10});
    g.Spread(0, true);
    Settle(g);
    ASSERT_EQ(g.VScroll().MaxV(), 4);
    Wheel(g, -120);
    EXPECT_EQ(g.VScroll().Value(), 3);
    Wheel(g, -120);
    EXPECT_EQ(g.VScroll().Value(), 4);
    Wheel(g, 120);
    EXPECT_EQ(g.VScroll().Value(), 1);
    Wheel(g, 120);
    EXPECT_EQ(g.VScroll().Value(), 0);
}

TEST_F(GroupList, EmptyListIsAWhitePanelThatIgnoresClicksAndTheWheel)
{
    YGroupList& g = Place({});
    Frame f(g.hWnd());
    EXPECT_EQ(f(0, 0), want::kGroupBorder);
    EXPECT_EQ(f(60, 60), want::kWhite);
    ClickRow(g, 0);
    Wheel(g, -120);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(g.VScroll().Value(), 0);
    EXPECT_FALSE(g.VScroll().Visible());
}

TEST_F(GroupList, LongTextSwingsWhileHoveredInMode1)
{
    YGroupList& g = Place({}, 146, 1);
    g.AddGroup(L"G");
    g.AddItem(0, std::wstring(60, L'W'));  // overflows by far more than a few ticks
    g.AddItem(0, L"ok");
    g.Spread(0, true);
    Settle(g);
    MoveMouse(g.hWnd(), 30, 33);
    ASSERT_EQ(g.Model().HoverRow(), 1);
    EXPECT_TRUE(g.Marqueeing());
    EXPECT_TRUE(PumpUntil([&] { return g.Model().MarqueeOffset() > 3; }, 5000)) << "the text did not move";
    EXPECT_TRUE(g.Marqueeing());
    MoveMouse(g.hWnd(), 30, 53);  // a text that fits: no movement
    EXPECT_FALSE(g.Marqueeing());
    EXPECT_EQ(g.Model().MarqueeOffset(), 0);
    MoveMouse(g.hWnd(), 30, 33);
    SendMessageW(g.hWnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(g.Marqueeing());
    EXPECT_EQ(g.Model().HoverRow(), -1);
    g.SetScrollMode(3);
    EXPECT_EQ(g.ScrollMode(), 1);
}

TEST_F(GroupList, TallFontRaisesTheRowsWithANotice)
{
    YGroupList& g = Place({2});
    host::Font big;
    big.size = 36;
    g.SetFont(big);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, L"字体高度超过列表项设定的高度,已将列表项高度值进行调整");
    EXPECT_EQ(boxes.boxes[0].title, L"提示");
    EXPECT_GT(g.ItemHeight(), 20);
    EXPECT_EQ((g.ScaleHeight() - 6) % g.ItemHeight(), 0) << "the client holds whole rows again";
}

TEST_F(GroupList, RemovingContentRelaysOut)
{
    YGroupList& g = Place({3, 2});
    g.Spread(0, true);
    Settle(g);
    g.RemoveItem(0, 0);
    g.RemoveItem(0, 9);  // out of range
    Settle(g);
    EXPECT_EQ(g.GetList(0, 0), L"g0i1");
    EXPECT_EQ(g.Model().Store().TotalRows(), 4);
    g.RemoveGroup(0);
    Settle(g);
    EXPECT_EQ(g.Model().Store().GroupName(0), L"G1");
    EXPECT_EQ(g.Model().Store().TotalRows(), 1);
    g.RemoveGroup(0);  // the only group
    EXPECT_EQ(g.Model().Store().GroupCount(), 0);
    ClickRow(g, 0);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(g.SaveBag().readLong(L"ScrollMode", -1), 0);
}

// Removing an item in a folded group, or below the view, changes no row in
// view: the view stays, and only an end that moves up pulls it along.
TEST_F(GroupList, RemovingItemsOutsideTheViewKeepsIt)
{
    YGroupList& g = Place({20, 11, 10});
    g.Spread(0, true);
    g.Spread(2, true);
    Settle(g);
    ASSERT_EQ(g.VScroll().MaxV(), 33 - 7);
    g.VScroll().SetValue(10);
    g.RemoveItem(1, 0);  // G1 is folded
    g.RemoveItem(2, 9);  // far below the view
    Settle(g);
    EXPECT_EQ(g.VScroll().MaxV(), 32 - 7);
    EXPECT_EQ(g.VScroll().Value(), 10);
    g.VScroll().SetValue(25);
    g.RemoveItem(2, 0);
    g.RemoveItem(2, 0);
    Settle(g);
    EXPECT_EQ(g.VScroll().MaxV(), 30 - 7);
    EXPECT_EQ(g.VScroll().Value(), 23);
}

TEST_F(GroupList, RemovingTheLastGroupHidesTheBarAndStopsTheWheel)
{
    YGroupList& g = Place({10});
    g.Spread(0, true);
    Settle(g);
    g.VScroll().SetValue(2);
    ASSERT_TRUE(g.VScroll().Visible());
    g.RemoveGroup(0);
    Settle(g);
    EXPECT_FALSE(g.VScroll().Visible());
    EXPECT_EQ(g.VScroll().Value(), 0);
    EXPECT_EQ(g.Model().Store().TotalRows(), 0);
    Wheel(g, -120);
    EXPECT_EQ(g.VScroll().Value(), 0);
    Frame f(g.hWnd());
    EXPECT_EQ(f(g.ScaleWidth() - 10, 60), 0x00FFFFFFu) << "the bar is still painted";
}

// Items and group names are data: an "&" shows as typed, not as an access key.
TEST_F(GroupList, AmpersandsInItemsAndNamesAreDrawnAsTyped)
{
    YGroupList& g = Place({});
    const std::wstring text(8, L'&');
    g.AddGroup(text);
    g.AddItem(0, text);
    g.Spread(0, true);
    Settle(g);
    Frame f(g.hWnd());
    const int full = TextExtent(g.Font(), text);
    const int item = InkSpan(f, RECT{7, 24, g.ScaleWidth() - 7, 42});
    EXPECT_GE(item, full * 3 / 4) << "ink " << item << " px of a " << full << " px text: half of it lost to prefixes";
    const int header = InkSpan(f, RECT{15, 4, g.ScaleWidth() - 3, 22});
    EXPECT_GE(header, TextExtent(g.Font(), g.Model().Store().HeaderCaption(0)) * 3 / 4);
}

// Rows of 20 from y 3: with G0 (three items) unfolded, G1's header is row 4,
// where an item would take the tinted stripe; a header stays white.
TEST_F(GroupList, HeaderRowsAreNotStripedLikeItems)
{
    YGroupList& g = Place({3, 1});
    g.Spread(0, true);
    Settle(g);
    Frame f(g.hWnd());
    const struct {
        const char* what;
        int y;
        COLORREF want;
    } rows[] = {
        {"row 0, G0's header", 13, want::kGroupHeader},
        {"row 1, first item: the stripe after a header", 33, want::kGroupItemB},
        {"row 2, second item", 53, want::kGroupItemA},
        {"row 3, third item", 73, want::kGroupItemB},
        {"row 4, G1's header where an item would be tinted", 93, want::kGroupHeader},
    };
    for (const auto& r : rows)
        EXPECT_EQ(f(120, r.y), r.want) << r.what;
    EXPECT_EQ(f(7, 3 + 4 * 20 + 11), want::kBlack) << "G1's header has its glyph (folded: right-pointing)";
    EXPECT_NE(f(7, 3 + 2 * 20 + 11), want::kBlack) << "an item row has none";
}

TEST_F(GroupList, HoveredHeaderAndItemRepaintInTheHoverColours)
{
    YGroupList& g = Place({3, 1});
    g.Spread(0, true);
    Settle(g);
    const struct {
        const char* what;
        int y, row;
        COLORREF idle, hovered;
    } cases[] = {
        {"G0's header", 13, 0, want::kGroupHeader, want::kGroupHeaderHover},
        {"the second item", 53, 2, want::kGroupItemA, want::kGroupItemHover},
        {"G1's header", 93, 4, want::kGroupHeader, want::kGroupHeaderHover},
    };
    for (const auto& c : cases) {
        MoveMouse(g.hWnd(), 30, c.y);
        ASSERT_EQ(g.Model().HoverRow(), c.row) << c.what;
        Shown s(g.hWnd());  // the control repaints on its own
        EXPECT_EQ(s(120, c.y), c.hovered) << c.what << " hovered";
        for (const auto& other : cases) {
            if (other.row != c.row) {
                EXPECT_EQ(s(120, other.y), other.idle) << other.what << " while " << c.what << " is hovered";
            }
        }
    }
    SendMessageW(g.hWnd(), WM_MOUSELEAVE, 0, 0);
    Shown s(g.hWnd());
    for (const auto& c : cases)
        EXPECT_EQ(s(120, c.y), c.idle) << c.what << " after the mouse left";
}

// 42 rows, 7 in view: the bar's thumb is 17 pixels long and starts at 18.
TEST_F(GroupList, DraggingTheThumbRepaintsTheRowsAsItGoes)
{
    YGroupList& g = Place({10, 30});
    g.Spread(0, true);
    g.Spread(1, true);
    Settle(g);
    ASSERT_TRUE(g.VScroll().Visible());
    const HWND bar = g.VScroll().hWnd();
    const int rowsRight = 129 - 22;  // the rows, left of the bar
    const Shown before(g.hWnd());
    // The bar follows the real cursor while its thumb is held.
    ASSERT_TRUE(testdesktop::CursorTo(bar, 9, 26));
    Press(bar, 9, 26);
    ASSERT_TRUE(g.VScroll().IsGlideDown());
    int lastValue = 0;
    for (int y : {46, 66, 86}) {
        WaitPastMoveThrottle();  // moves closer than 30 ms apart are dropped on purpose
        ASSERT_TRUE(testdesktop::CursorTo(bar, 9, y));
        PumpUntil([&] { return g.VScroll().Value() > lastValue; }, 2000);
        ASSERT_GT(g.VScroll().Value(), lastValue) << "the thumb did not move to " << y;
        lastValue = g.VScroll().Value();
        ASSERT_TRUE(g.VScroll().IsGlideDown());
        const Shown during(g.hWnd());
        EXPECT_GT(during.Differences(before, rowsRight, 146), 100) << "the rows did not move with the thumb at " << y;
        const Frame fresh(g.hWnd());  // what a full repaint at this value shows
        int stale = 0;
        for (int py = 0; py < 146; ++py)
            for (int px = 0; px < rowsRight; ++px)
                stale += during(px, py) != fresh(px, py);
        EXPECT_EQ(stale, 0) << "the window shows an older value than " << lastValue << " during the drag";
    }
    Release(bar, 9, 86);
    EXPECT_FALSE(g.VScroll().IsGlideDown());
}

} // namespace
