// Tab strip geometry: cells, hit tests, the page and the selected tab's baselines.
#include "tessara/controls/tab/TabLayout.h"
#include "SharedCases.h"

#include <gtest/gtest.h>

using namespace tessara;

namespace {

TabLayout Strip(int tabs, bool multi, int perLine = 4, bool bottom = false)
{
    TabLayout t;
    t.tabCount = tabs;
    t.multiLine = multi;
    t.cntOfLine = perLine;
    t.isBottom = bottom;
    t.scaleWidth = 257;
    t.scaleHeight = 137;
    return t;
}

} // namespace

TEST(TabLayout, SingleLineHitTestGapsAndLeftEdges)
{
    TabLayout t = Strip(3, false);
    for (const auto& c : cases::kSingleLineTabHits) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(t.HitTest(c.x, c.y), c.tab);
    }
}

TEST(TabLayout, TenTabsInLinesOfFour)
{
    TabLayout t = Strip(10, true);
    EXPECT_EQ(t.Lines(), 3);
    int perLine[3] = {0, 0, 0};
    for (int i = 0; i < 10; ++i)
        perLine[t.Line(i)]++;
    EXPECT_EQ(perLine[0], 4);
    EXPECT_EQ(perLine[1], 4);
    EXPECT_EQ(perLine[2], 2);
    EXPECT_EQ(t.BandHeight(), 60);
    EXPECT_EQ(t.Back().band, (kit::Rect{0, 0, 257, 60}));
    EXPECT_EQ(t.Back().page.top, 59);
    EXPECT_FALSE(t.Back().open);
    EXPECT_EQ(t.TabRect(9), (kit::Rect{51, 40, 101, 60}));

    // Tab 1 stays in line 0 when selected; its baselines reach 203 at y 19.
    auto s = t.SelectedLook(1);
    EXPECT_EQ(s.shape, (kit::Rect{51, 0, 101, 21}));
    EXPECT_EQ(s.before, (HLine{0, 52, 19}));
    EXPECT_EQ(s.after, (HLine{100, 203, 19}));
    // On the last line the baselines run to the client's right edge.
    EXPECT_EQ(t.SelectedLook(8).after, (HLine{49, 257, 59}));

    EXPECT_EQ(t.HitTest(10, 20), -1);  // the rows dividing the lines
    EXPECT_EQ(t.HitTest(10, 21), 4);
    EXPECT_EQ(t.HitTest(60, 45), 9);
    EXPECT_EQ(t.HitTest(110, 45), -1);  // no tab 10
    EXPECT_EQ(t.HitTest(203, 10), -1);  // beyond (50 + 1) * 4 - 1
    EXPECT_EQ(t.HitTest(202, 10), 3);
}

TEST(TabLayout, TabsAtTheBottom)
{
    TabLayout t = Strip(10, true, 4, true);
    EXPECT_EQ(t.TabRect(0), (kit::Rect{0, 117, 50, 137}));
    EXPECT_EQ(t.TabRect(8), (kit::Rect{0, 77, 50, 97}));
    EXPECT_EQ(t.Back().band, (kit::Rect{0, 76, 257, 137}));
    EXPECT_EQ(t.Back().page, (kit::Rect{0, 0, 257, 78}));
    EXPECT_EQ(t.HitTest(10, 120), 0);
    EXPECT_EQ(t.HitTest(10, 117), -1);
    EXPECT_EQ(t.HitTest(10, 80), 8);
    EXPECT_EQ(t.HitTest(10, 77), -1);
    auto s = t.SelectedLook(1);
    EXPECT_EQ(s.shape, (kit::Rect{51, 116, 101, 137}));
    EXPECT_EQ(s.before, (HLine{0, 51, 117}));
    EXPECT_EQ(s.after, (HLine{100, 203, 117}));

    TabLayout one = Strip(3, false, 4, true);
    auto b = one.Back();
    EXPECT_TRUE(b.open);
    EXPECT_EQ(b.openLine, (HLine{0, 257, 117}));
    EXPECT_EQ(b.page, (kit::Rect{0, 0, 257, 118}));
    EXPECT_EQ(one.HitTest(10, 118), 0);
    EXPECT_EQ(one.HitTest(10, 117), -1);
    EXPECT_EQ(one.SelectedLook(2).after.x2, 257);
}

TEST(TabLayout, SingleLineOnTopOpensThePageTowardsTheTabs)
{
    TabLayout t = Strip(2, false);
    auto b = t.Back();
    EXPECT_EQ(b.band, (kit::Rect{0, 0, 257, 20}));
    EXPECT_EQ(b.page, (kit::Rect{0, 19, 257, 137}));
    EXPECT_TRUE(b.open);
    EXPECT_EQ(b.openLine, (HLine{0, 257, 19}));
    EXPECT_EQ(t.CaptionRect(1), (kit::Rect{57, 0, 101, 20}));
}

TEST(TabLayout, CountPerLineBelowOneGivesOneTabPerLine)
{
    for (int per : {0, -3}) {
        SCOPED_TRACE(per);
        TabLayout t = Strip(3, true, per);
        EXPECT_EQ(t.Lines(), 3);
        EXPECT_EQ(t.TabRect(2), (kit::Rect{0, 40, 50, 60}));
        EXPECT_EQ(t.HitTest(10, 45), 2);
        EXPECT_EQ(t.HitTest(60, 45), -1);
        EXPECT_EQ(t.SelectedLook(0).after.x2, 50);
    }
}
