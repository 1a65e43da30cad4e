// Sizes and counts near the 32-bit limit where they enter the layouts: the
// list's row height and page, the tab strip's tabs per line and sizes, and
// the tree's plan with a saved page of no rows. Each once overflowed in
// the layout arithmetic (or gave a negative page); the values are held to
// bounds no window can exceed, and the layouts stay consistent.
#include "tessara/controls/grouplist/GroupListModel.h"
#include "tessara/controls/list/ListModel.h"
#include "tessara/controls/tab/TabLayout.h"
#include "tessara/controls/tree/TreeLayout.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(LayoutLimits, ListRowHeightAndPageAreHeldToWhatAWindowCanShow)
{
    struct Case {
        const char* name;
        int itemHeight, pageCount;   // as given
        int wantHeight, wantPage;    // as kept
        int wantLayoutHeight;        // rows x height + 6
    };
    const Case cases[] = {
        {"ordinary", 16, 6, 16, 6, 102},
        {"largest row", 32767, 6, 32767, 6, 196608},
        {"row height at the limit", INT_MAX, 6, 32767, 6, 196608},
        {"page at the limit", 16, INT_MAX, 16, 4096, 65542},
        {"both at the limit", INT_MAX, INT_MAX, 32767, 4096, 134213638},
    };
    for (const Case& c : cases) {
        tessara::ListModel m;
        for (int i = 0; i < 5000; ++i)
            m.AddItem(L"x");
        ASSERT_TRUE(m.SetItemHeight(c.itemHeight, 12)) << c.name;
        ASSERT_TRUE(m.SetPageCount(c.pageCount)) << c.name;
        EXPECT_EQ(m.ItemHeight(), c.wantHeight) << c.name;
        EXPECT_EQ(m.PageCount(), c.wantPage) << c.name;
        const tessara::ListLayout l = m.DeferredLayout(200, 0);
        EXPECT_EQ(l.height, c.wantLayoutHeight) << c.name;
        EXPECT_EQ(l.maxV, 5000 - c.wantPage) << c.name;
        const auto rows = m.VisibleRows(200, l.scrollVisible, 0, false);
        ASSERT_EQ(rows.size(), static_cast<size_t>(c.wantPage)) << c.name;
        EXPECT_EQ(rows.back().bottom, 3 + c.wantPage * c.wantHeight) << c.name;
    }
    // A font taller than any row lifts the rows only to the limit.
    tessara::ListModel m;
    EXPECT_TRUE(m.FitItemHeight(INT_MAX));
    EXPECT_EQ(m.ItemHeight(), 32767);
    // The first layout of a tall row: one row, the control as tall as it.
    const auto first = m.FirstLayout(100, 100);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(m.PageCount(), 1);
    EXPECT_EQ(first->height, 32773);
    EXPECT_EQ(first->width, 32792);
    // A drop-down of more rows than a page may have.
    for (int i = 0; i < 5000; ++i)
        m.AddItem(L"x");
    m.InitListHeight(INT_MAX);
    EXPECT_EQ(m.PageCount(), 4096);
}

TEST(LayoutLimits, GroupedListPageOfTheTallestRow)
{
    // A 200-pixel client and a row height at the limit: one row, the
    // client grows to hold it (32767 + 6).
    const tessara::GroupPage page = tessara::FitPage(200, INT_MAX);
    EXPECT_EQ(page.pageRows, 1);
    EXPECT_EQ(page.clientHeight, 32773);
}

TEST(LayoutLimits, TabStripWithTabsPerLineAtTheLimit)
{
    EXPECT_EQ(tessara::ClampCntOfLine(INT_MAX), 32767);
    EXPECT_EQ(tessara::ClampCntOfLine(INT_MAX - 1), 32767);
    EXPECT_EQ(tessara::ClampCntOfLine(4), 4);
    EXPECT_EQ(tessara::ClampCntOfLine(INT_MIN), INT_MIN);  // below 1: one tab per line, as before
    EXPECT_EQ(tessara::ClampTabSize(INT_MAX), 32767);
    EXPECT_EQ(tessara::ClampTabSize(0), 1);
    EXPECT_EQ(tessara::ClampTabSize(-5), 1);

    tessara::TabLayout t;
    t.multiLine = true;
    t.cntOfLine = tessara::ClampCntOfLine(INT_MAX);
    t.tabCount = 8;
    t.itemWidth = 50;
    t.itemHeight = 20;
    t.scaleWidth = 300;
    t.scaleHeight = 120;
    // All eight tabs in the first line; the band is one line high.
    EXPECT_EQ(t.Lines(), 1);
    EXPECT_EQ(t.BandHeight(), 20);
    EXPECT_EQ(t.TabRect(7), (kit::Rect{357, 0, 407, 20}));
    EXPECT_EQ(t.HitTest(25, 10), 0);
    EXPECT_EQ(t.HitTest(5 * 51 + 25, 10), 5);
    // The last line's baseline runs to the end of the line of 32767 tabs.
    t.tabCount = 40000;
    EXPECT_EQ(t.Lines(), 2);
    EXPECT_EQ(t.SelectedLook(0).after.x2, 51 * 32767 - 1);

    // The widest tabs, one per line, in a strip of 100,000 tabs: the lines
    // far below the window stay countable.
    tessara::TabLayout tall;
    tall.multiLine = true;
    tall.cntOfLine = 1;
    tall.tabCount = 100000;
    tall.itemWidth = tessara::ClampTabSize(INT_MAX);
    tall.itemHeight = tessara::ClampTabSize(INT_MAX);
    tall.scaleWidth = 300;
    tall.scaleHeight = 120;
    EXPECT_EQ(tall.Lines(), 100000);
    EXPECT_EQ(tall.TabRect(1).top, 32767);
    EXPECT_EQ(tall.HitTest(10, 10), 0);
    EXPECT_EQ(tall.TabRect(99999).bottom - tall.TabRect(99999).top, 32767);
}

TEST(LayoutLimits, TreePlanWithASavedPageOfNoRows)
{
    // 30 rows wider than the view, laid out before the first resize saved a
    // page: both bars, a page of no rows (never -1), every row reachable.
    tessara::TreeLayoutInput in;
    in.scaleWidth = 140;
    in.scaleHeight = 186;
    in.rootExpanded = true;
    in.totalRows = 30;
    in.contentWidth = 400;
    in.savedPageRows = 0;
    const tessara::TreeLayoutPlan both = tessara::PlanTreeLayout(in);
    EXPECT_EQ(both.mode, tessara::TreeLayoutPlan::Mode::Both);
    EXPECT_EQ(both.pageRows, 0);
    EXPECT_EQ(both.vMax, 30);
    // Narrow content: the vertical bar alone, with a page of one row.
    in.contentWidth = 50;
    const tessara::TreeLayoutPlan vertical = tessara::PlanTreeLayout(in);
    EXPECT_EQ(vertical.mode, tessara::TreeLayoutPlan::Mode::VerticalOnly);
    EXPECT_EQ(vertical.pageRows, 1);
    EXPECT_EQ(vertical.vMax, 29);
    // With a saved page the plan is as before: 30 rows, page 10, both bars.
    in.contentWidth = 400;
    in.savedPageRows = 10;
    const tessara::TreeLayoutPlan saved = tessara::PlanTreeLayout(in);
    EXPECT_EQ(saved.pageRows, 9);
    EXPECT_EQ(saved.vMax, 21);
}

} // namespace
