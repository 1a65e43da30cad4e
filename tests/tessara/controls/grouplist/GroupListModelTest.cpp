// Grouped list without windows: row numbering, limits, geometry and the
// scroll and marquee arithmetic.
#include "tessara/controls/grouplist/GroupListModel.h"
#include "SharedCases.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tessara;

namespace {

// Three groups: A (3 items, unfolded), B (empty, unfolded), C (2 items, folded).
GroupStore ThreeGroups()
{
    GroupStore s;
    s.AddGroup(L"A");
    s.AddGroup(L"B");
    s.AddGroup(L"C");
    for (const wchar_t* t : {L"a0", L"a1", L"a2"})
        s.AddItem(0, t);
    s.AddItem(2, L"c0");
    s.AddItem(2, L"c1");
    s.SetExpanded(0, true);
    s.SetExpanded(1, true);
    s.Relayout();
    return s;
}

} // namespace

TEST(GroupStore, RowsNumberHeadersAndUnfoldedItems)
{
    GroupStore s = ThreeGroups();
    EXPECT_EQ(s.TotalRows(), 6);  // A, a0, a1, a2, B, C
    EXPECT_EQ(s.GroupRow(0), 0);
    EXPECT_EQ(s.GroupRow(1), 4);
    EXPECT_EQ(s.GroupRow(2), 5);
    struct Case {
        int row, header, group, index;
    } cases[] = {{0, 0, -1, -1}, {1, -1, 0, 0}, {3, -1, 0, 2}, {4, 1, -1, -1}, {5, 2, -1, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(s.GroupAtRow(c.row), c.header);
        if (c.header < 0) {
            auto pos = s.LocateRow(c.row);
            EXPECT_EQ(pos.group, c.group);
            EXPECT_EQ(pos.index, c.index);
            EXPECT_EQ(s.Item(pos.group, pos.index), L"a" + std::to_wstring(c.index));
        }
    }
    s.Toggle(2);  // unfold C
    s.Relayout();
    EXPECT_EQ(s.TotalRows(), 8);
    EXPECT_EQ(s.LocateRow(7).group, 2);
    EXPECT_EQ(s.LocateRow(7).index, 1);
}

TEST(GroupStore, ChangesShowOnlyAfterRelayout)
{
    GroupStore s = ThreeGroups();
    s.AddGroup(L"D");
    s.AddItem(0, L"a3");
    EXPECT_EQ(s.TotalRows(), 6);
    GroupView v{120, 300, 20, 14, 0, false};
    EXPECT_EQ(VisibleRows(s, v).size(), 6u);
    EXPECT_EQ(HitTestRow(s, v, 10, 150), -1);  // where D's header will be
    s.Relayout();
    EXPECT_EQ(VisibleRows(s, v).size(), 8u);
    EXPECT_EQ(s.TotalRows(), 8);
    EXPECT_EQ(s.GroupRow(3), 7);
    EXPECT_EQ(s.GroupAtRow(7), 3);
}

TEST(GroupStore, ThousandItemsAtMostAndOutOfRangeIndexesDoNothing)
{
    GroupStore s;
    s.AddGroup(L"G");
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(s.AddItem(0, L"x" + std::to_wstring(i)));
    EXPECT_FALSE(s.AddItem(0, L"one too many"));
    EXPECT_EQ(s.ItemCount(0), 1000);
    EXPECT_EQ(s.Item(0, 999), L"x999");
    EXPECT_EQ(s.Item(0, 1000), L"");
    EXPECT_EQ(s.Item(0, -1), L"");
    EXPECT_EQ(s.Item(1, 0), L"");
    EXPECT_EQ(s.ItemCount(1), 0);
    EXPECT_EQ(s.ItemCount(-1), 0);
    EXPECT_FALSE(s.AddItem(1, L"no group"));
    EXPECT_FALSE(s.RemoveItem(0, 1000));
    EXPECT_FALSE(s.RemoveGroup(1));
    EXPECT_FALSE(s.SetExpanded(-1, true));
    EXPECT_EQ(s.ItemCount(0), 1000);
    EXPECT_EQ(s.GroupCount(), 1);
}

TEST(GroupStore, RemovingShiftsLaterItemsAndGroups)
{
    GroupStore s = ThreeGroups();
    ASSERT_TRUE(s.RemoveItem(0, 1));
    EXPECT_EQ(s.ItemCount(0), 2);
    EXPECT_EQ(s.Item(0, 1), L"a2");
    ASSERT_TRUE(s.RemoveGroup(0));
    ASSERT_EQ(s.GroupCount(), 2);
    EXPECT_EQ(s.GroupName(0), L"B");
    EXPECT_TRUE(s.Expanded(0));
    EXPECT_EQ(s.GroupName(1), L"C");
    EXPECT_FALSE(s.Expanded(1));
    EXPECT_EQ(s.Item(1, 1), L"c1");
    s.Relayout();
    EXPECT_EQ(s.TotalRows(), 2);
    EXPECT_EQ(s.GroupRow(1), 1);
}

TEST(GroupStore, EmptyGroupCaptionAndGlyph)
{
    GroupStore s = ThreeGroups();
    EXPECT_EQ(s.HeaderCaption(1), L"B(0)");
    EXPECT_FALSE(s.ShowsUnfolded(1));  // unfolded but empty: right-pointing glyph
    EXPECT_EQ(s.HeaderCaption(0), L"A(3)");
    EXPECT_TRUE(s.ShowsUnfolded(0));
    EXPECT_FALSE(s.ShowsUnfolded(2));
}

TEST(GroupListGeometry, PageFitsWholeItemRows)
{
    for (const auto& c : cases::kGroupPages) {
        SCOPED_TRACE(c.height);
        GroupPage p = FitPage(c.height, c.itemHeight);
        EXPECT_EQ(p.pageRows, c.pageRows);
        EXPECT_EQ(p.clientHeight, c.clientHeight);
    }
    EXPECT_EQ(FitPage(100, 30).clientHeight * 15, 1890);
}

// Heights below the 6 pixels of margin: one row and the height that holds
// it, as any height short of one row gets (h = -1 with rows of 18 gives
// -1 / 18 + 1 = 1 row), never no rows or fewer than none.
TEST(GroupListGeometry, HeightBelowTheMarginsHoldsOneRow)
{
    struct Case {
        int height, itemHeight;
    };
    for (const Case& c : std::vector<Case>{{5, 18}, {0, 18}, {0, 1}, {5, 1}, {0, 3}, {2, 2}, {-40, 18}, {0, 6}}) {
        SCOPED_TRACE(std::to_string(c.height) + " px, rows of " + std::to_string(c.itemHeight));
        const GroupPage p = FitPage(c.height, c.itemHeight);
        EXPECT_EQ(p.pageRows, 1);
        EXPECT_EQ(p.clientHeight, c.itemHeight + 6);
    }
    // From the margins up, the whole-row rule as before.
    EXPECT_EQ(FitPage(6, 18).pageRows, 0);
    EXPECT_EQ(FitPage(6, 18).clientHeight, 6);
    EXPECT_EQ(FitPage(7, 18).pageRows, 1);
    EXPECT_EQ(FitPage(7, 18).clientHeight, 24);
}

TEST(GroupListGeometry, ThumbLengthRoundsHalvesToEvenWithTenAtLeast)
{
    struct Case {
        int scaleHeight, pageRows, totalRows, expected;
    } cases[] = {
        {146, 7, 20, 36},  // 102 * 7 / 20 = 35.7
        {69, 1, 2, 12},    // 12.5 -> 12
        {71, 1, 2, 14},    // 13.5 -> 14
        {65, 1, 2, 10},    // 10.5 -> 10
        {55, 1, 1, 11},
        {54, 1, 1, 10},
        {146, 7, 1000, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(GroupThumbLength(c.scaleHeight, c.pageRows, c.totalRows), c.expected);
    }
}

TEST(GroupListGeometry, HitTestWalksVisibleRowsUpperRowTakesBoundary)
{
    GroupStore s = ThreeGroups();
    GroupView v;
    v.scaleWidth = 120;
    v.scaleHeight = 126;
    v.itemHeight = 30;
    v.pageRows = 4;
    // Rows from the top: header A at 3..23, a0 23..53, a1 53..83, a2 83..113.
    struct Case {
        int x, y, row;
    } cases[] = {
        {3, 3, 0},   {10, 23, 0}, {10, 24, 1}, {10, 53, 1}, {10, 54, 2},
        {10, 113, 3}, {10, 114, -1},  // below the last painted row
        {2, 10, -1}, {117, 10, 0}, {118, 10, -1}, {10, 2, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(HitTestRow(s, v, c.x, c.y), c.row);
    }
    v.scrollVisible = true;
    EXPECT_EQ(HitTestRow(s, v, 98, 10), 0);
    EXPECT_EQ(HitTestRow(s, v, 99, 10), -1);
    v.topRow = 3;  // a2, B, C
    EXPECT_EQ(HitTestRow(s, v, 10, 40), 4);
    EXPECT_EQ(HitTestRow(s, v, 10, 60), 5);
    EXPECT_EQ(HitTestRow(s, v, 10, 80), -1);  // the list ends after row 5
}

TEST(GroupListGeometry, NoGroupsHitsNothing)
{
    GroupStore s;
    GroupView v{120, 126, 20, 6, 0, false};
    EXPECT_EQ(HitTestRow(s, v, 10, 10), -1);
    EXPECT_TRUE(VisibleRows(s, v).empty());
}

TEST(GroupListGeometry, VisibleRowsStackFromTheTopRow)
{
    GroupStore s = ThreeGroups();
    GroupView v{120, 126, 30, 4, 2, true};
    auto rows = VisibleRows(s, v);
    ASSERT_EQ(rows.size(), 4u);  // a1, a2, B, C
    EXPECT_EQ(rows[0].row, 2);
    EXPECT_EQ(rows[0].index, 1);
    EXPECT_EQ(rows[1].top, 33);
    EXPECT_EQ(rows[2].top, 63);
    EXPECT_TRUE(rows[2].header);
    EXPECT_EQ(rows[2].height, 20);
    EXPECT_EQ(rows[3].top, 83);
    EXPECT_EQ(rows[3].group, 2);
    EXPECT_EQ(rows[0].right, 97);  // room for the scroll bar
}

TEST(GroupStore, RemovingTheLastGroupLeavesNoRows)
{
    GroupStore s = ThreeGroups();
    ASSERT_EQ(s.TotalRows(), 6);
    for (int g = 2; g >= 0; --g)
        ASSERT_TRUE(s.RemoveGroup(g));
    s.Relayout();
    EXPECT_EQ(s.TotalRows(), 0);
    GroupView v{120, 300, 20, 14, 0, false};
    EXPECT_TRUE(VisibleRows(s, v).empty());
    EXPECT_EQ(HitTestRow(s, v, 10, 10), -1);
}

TEST(GroupListScroll, WheelMovesThreeRowsWithinRange)
{
    EXPECT_EQ(WheelTarget(0, 10, -120), 3);
    EXPECT_EQ(WheelTarget(8, 10, -120), 10);
    EXPECT_EQ(WheelTarget(8, 10, 120), 5);
    EXPECT_EQ(WheelTarget(2, 10, 120), 0);
    EXPECT_EQ(WheelTarget(2, 10, 0), 0);
}

TEST(GroupListScroll, TextOverflowLeavesRoomForTheScrollBar)
{
    EXPECT_EQ(TextOverflow(100, 120, false), 0);   // 106 available
    EXPECT_EQ(TextOverflow(110, 120, false), 4);
    EXPECT_EQ(TextOverflow(90, 120, true), 4);     // 86 available
    EXPECT_EQ(TextOverflow(86, 120, true), 0);
}

TEST(GroupListMarquee, ThreeStyles)
{
    // Offsets after each tick, and the tick on which the scrolling stops (-1: never).
    struct Case {
        const char* name;
        int mode, width, overflow, space;
        std::vector<int> offsets;
        int stopsAt;
    } cases[] = {
        {"slide out once", 0, 3, 1, 2, {1, 2, 3, 0}, 3},
        {"swing", 1, 5, 2, 2, {1, 2, 1, 0, 1, 2, 1}, -1},
        {"wrap around", 2, 3, 1, 2, {1, 2, 3, 4, 5, 0}, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Marquee m;
        int stopped = -1;
        for (size_t t = 0; t < c.offsets.size(); ++t) {
            bool running = m.Tick(c.mode, c.width, c.overflow, c.space);
            if (!running && stopped < 0)
                stopped = static_cast<int>(t);
            EXPECT_EQ(m.offset, c.offsets[t]) << "tick " << t;
        }
        EXPECT_EQ(stopped, c.stopsAt);
    }
}
