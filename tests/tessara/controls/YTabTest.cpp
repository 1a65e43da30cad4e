// YTab in a real window: tabs added, clicked and hovered; pixels of the
// painted strip.
#include "SmallTestSupport.h"

#include "tessara/controls/YTab.h"
#include "tessara/kit/ColourMath.h"

using namespace smalltest;
using tessara::YTab;

namespace {

constexpr COLORREF kBand = 0x00406080;
const COLORREF kTabUpper = kit::TintColor(YTab::kTabColor, kit::kTint07);
const COLORREF kTabLower = kit::TintColor(YTab::kTabColor, kit::kTint05);
const COLORREF kSelUpper = kit::TintColor(YTab::kTabBorderColor, kit::kTint07);

class Tabs : public FormTest {
protected:
    YTab& Place(int count, bool multi, int perLine = 4)
    {
        host::PropertyBag bag;
        bag.set(L"MultilLine", multi);
        bag.set(L"CntOfLine", std::int64_t{perLine});
        bag.set(L"ItemWidth", std::int64_t{50});
        bag.set(L"BackColor", std::int64_t{kBand});
        YTab& t = form.AddControl<YTab>(L"YTab1", 150, 150, 257 * 15, 137 * 15, &bag);
        t.Click.connect([this](int i) { clicks.push_back(i); });
        for (int i = 0; i < count; ++i)
            t.AddItem(L"T" + std::to_wstring(i));
        EXPECT_TRUE(PumpUntil([&] { return !t.RepaintPending(); }, 2000)) << "the burst never settled";
        return t;
    }
    std::vector<int> clicks;
};

TEST_F(Tabs, ColoursComeFromTheBaseBlue)
{
    EXPECT_EQ(YTab::kTabColor, 0x00FFDABBu);
    EXPECT_EQ(YTab::kTabBorderColor, 0x00CCAB8Fu);
}

TEST_F(Tabs, ClicksHitTabsButNotGapsOrLeftEdges)
{
    YTab& t = Place(3, false);
    for (int x : {50, 51, 52})
        hosttest::ClickAt(t.hWnd(), x, 10);
    EXPECT_EQ(clicks, (std::vector<int>{1}));
    EXPECT_EQ(t.SelectedTab(), 1);
    SendMessageW(t.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(60, 10));
    EXPECT_EQ(clicks, (std::vector<int>{1, 1})) << "a double-click reports the tab again";
}

TEST_F(Tabs, NewStripShowsTabZeroSelected)
{
    YTab& t = Place(3, false);
    Frame f(t.hWnd());
    EXPECT_EQ(f(3, 5), kSelUpper);
    EXPECT_EQ(f(54, 5), kTabUpper);
    EXPECT_EQ(f(200, 5), kBand) << "band beyond the tabs";
    EXPECT_EQ(f(200, 19), YTab::kTabBorderColor) << "the selected tab's baseline runs to the right edge";
    EXPECT_EQ(f(25, 19), kit::TintColor(YTab::kTabBorderColor, kit::kTint05)) << "the selected tab joins the page";
    EXPECT_EQ(f(25, 20), YTab::kPageColor);
    EXPECT_EQ(f(0, 60), YTab::kTabBorderColor) << "page border";
}

TEST_F(Tabs, TenTabsWrapIntoThreeLinesWithBaselinesTo203)
{
    YTab& t = Place(10, true);
    hosttest::ClickAt(t.hWnd(), 60, 10);
    ASSERT_EQ(t.SelectedTab(), 1);
    EXPECT_EQ(t.Layout().Line(1), 0) << "the selected tab keeps its line";
    Frame f(t.hWnd());
    EXPECT_EQ(f(230, 59), YTab::kTabBorderColor) << "the page starts at y 59";
    EXPECT_EQ(f(230, 58), kBand);
    EXPECT_EQ(f(230, 61), YTab::kPageColor);
    EXPECT_EQ(f(2, 19), YTab::kTabBorderColor) << "baseline before the tab";
    EXPECT_EQ(f(152, 19), YTab::kTabBorderColor) << "baseline after the tab, in a gap";
    EXPECT_EQ(f(202, 19), YTab::kTabBorderColor) << "baseline's last pixel";
    EXPECT_EQ(f(203, 19), kBand) << "baseline ends at 203";
    EXPECT_EQ(f(152, 10), kBand) << "gap above the baseline";
    EXPECT_EQ(f(54, 5), kSelUpper);
    EXPECT_EQ(f(54, 45), kTabUpper) << "tab 9 on the last line";
    hosttest::ClickAt(t.hWnd(), 60, 45);
    EXPECT_EQ(clicks, (std::vector<int>{1, 9}));
}

TEST_F(Tabs, HoverSwapsTheBodyTones)
{
    YTab& t = Place(3, false);
    MoveMouse(t.hWnd(), 60, 10);
    EXPECT_EQ(t.HoverTab(), 1);
    {
        Frame f(t.hWnd());
        EXPECT_EQ(f(54, 5), kTabLower);
    }
    SendMessageW(t.hWnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(t.HoverTab(), -1);
    Frame f(t.hWnd());
    EXPECT_EQ(f(54, 5), kTabUpper);
}

TEST_F(Tabs, RemovingTheSelectedLastTabLeavesNoneSelected)
{
    YTab& t = Place(3, false);
    hosttest::ClickAt(t.hWnd(), 110, 10);
    ASSERT_EQ(t.SelectedTab(), 2);
    t.RemoveItem(2);
    t.RemoveItem(7);  // out of range: nothing
    ASSERT_TRUE(PumpUntil([&] { return !t.RepaintPending(); }, 2000));
    EXPECT_EQ(t.TabCount(), 2);
    {
        Frame f(t.hWnd());
        EXPECT_EQ(f(3, 5), kTabUpper);
        EXPECT_EQ(f(54, 5), kTabUpper);
    }
    hosttest::ClickAt(t.hWnd(), 10, 10);
    Frame f(t.hWnd());
    EXPECT_EQ(f(3, 5), kSelUpper);
}

TEST_F(Tabs, EmptyStripIsAWhitePanelFramedInTheTabColour)
{
    YTab& t = Place(0, false);
    Frame f(t.hWnd());
    EXPECT_EQ(f(0, 0), YTab::kTabColor);
    EXPECT_EQ(f(256, 136), YTab::kTabColor);
    EXPECT_EQ(f(100, 60), YTab::kPageColor);
    hosttest::ClickAt(t.hWnd(), 10, 10);
    EXPECT_TRUE(clicks.empty());
}

TEST_F(Tabs, CountPerLineBelowOneStacksOneTabPerLine)
{
    YTab& t = Place(3, true, 0);
    hosttest::ClickAt(t.hWnd(), 10, 45);
    EXPECT_EQ(clicks, (std::vector<int>{2}));
    Frame f(t.hWnd());  // paints without failing
    EXPECT_EQ(f(230, 59), YTab::kTabBorderColor);
}

TEST_F(Tabs, BurstOfAdditionsRepaintsOnceAndStops)
{
    YTab& t = Place(0, false);
    for (int i = 0; i < 500; ++i)
        t.AddItem(L"x");
    EXPECT_TRUE(t.RepaintPending());
    ASSERT_TRUE(PumpUntil([&] { return !t.RepaintPending(); }, 2000));
    Pump(250);
    EXPECT_FALSE(t.RepaintPending()) << "the timer keeps running after the repaint";
}

} // namespace
