// YTab in a real window: tabs added, clicked and hovered; pixels of the
// painted strip.
#include "ExpectedColours.h"
#include "SmallTestSupport.h"
#include "SharedCases.h"

#include "tessara/controls/tab/YTab.h"

#include "host/Host.h"

using namespace smalltest;
using tessara::YTab;

namespace {

constexpr COLORREF kBand = 0x00406080;
constexpr COLORREF kTabUpper = want::kTabUpper;
constexpr COLORREF kTabLower = want::kTabLower;
constexpr COLORREF kSelUpper = want::kSelectedUpper;
constexpr COLORREF kBorder = want::kTabBorder;
constexpr COLORREF kPage = want::kTabPage;

class Tabs : public FormTest {
protected:
    YTab& Place(int count, bool multi, int perLine = 4, bool bottom = false)
    {
        host::PropertyBag bag;
        if (bottom)
            bag.set(L"IsBottom", true);
        bag.set(L"MultilLine", multi);
        bag.set(L"CntOfLine", std::int64_t{perLine});
        bag.set(L"ItemWidth", std::int64_t{50});
        bag.set(L"BackColor", std::int64_t{kBand});
        YTab& t = form.AddControl<YTab>(L"YTab1", 150, 150, 257 * 15, 137 * 15, &bag);
        t.Click.connect([this](int i) { clicks.push_back(i); });
        for (int i = 0; i < count; ++i)
            t.AddItem(L"T" + std::to_wstring(i));
        EXPECT_TRUE(PumpUntil([&] { return !t.LayoutPending(); }, 2000)) << "the burst never settled";
        return t;
    }
    std::vector<int> clicks;
};

TEST_F(Tabs, ColoursComeFromTheBaseBlue)
{
    EXPECT_EQ(YTab::kTabColor, want::kTabColour);
    EXPECT_EQ(YTab::kTabBorderColor, want::kTabBorder);
}

TEST_F(Tabs, ClicksHitTabsButNotGapsOrLeftEdges)
{
    YTab& t = Place(3, false);
    std::vector<int> want;
    for (const auto& c : cases::kSingleLineTabHits) {
        hosttest::ClickAt(t.hWnd(), c.x, c.y);
        if (c.tab >= 0)
            want.push_back(c.tab);
        EXPECT_EQ(clicks, want) << "a click at " << c.x << "," << c.y;
    }
    clicks = {};
    hosttest::ClickAt(t.hWnd(), 52, 10);
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
    EXPECT_EQ(f(200, 19), kBorder) << "the selected tab's baseline runs to the right edge";
    EXPECT_EQ(f(25, 19), want::kSelectedLower) << "the selected tab joins the page";
    EXPECT_EQ(f(25, 20), kPage);
    EXPECT_EQ(f(0, 60), kBorder) << "page border";
}

TEST_F(Tabs, TenTabsWrapIntoThreeLinesWithBaselinesTo203)
{
    YTab& t = Place(10, true);
    hosttest::ClickAt(t.hWnd(), 60, 10);
    ASSERT_EQ(t.SelectedTab(), 1);
    EXPECT_EQ(t.Layout().Line(1), 0) << "the selected tab keeps its line";
    Frame f(t.hWnd());
    EXPECT_EQ(f(230, 59), kBorder) << "the page starts at y 59";
    EXPECT_EQ(f(230, 58), kBand);
    EXPECT_EQ(f(230, 61), kPage);
    EXPECT_EQ(f(2, 19), kBorder) << "baseline before the tab";
    EXPECT_EQ(f(152, 19), kBorder) << "baseline after the tab, in a gap";
    EXPECT_EQ(f(202, 19), kBorder) << "baseline's last pixel";
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
    ASSERT_TRUE(PumpUntil([&] { return !t.LayoutPending(); }, 2000));
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
    EXPECT_EQ(f(0, 0), want::kTabColour);
    EXPECT_EQ(f(256, 136), want::kTabColour);
    EXPECT_EQ(f(100, 60), kPage);
    hosttest::ClickAt(t.hWnd(), 10, 10);
    EXPECT_TRUE(clicks.empty());
}

TEST_F(Tabs, CountPerLineBelowOneStacksOneTabPerLine)
{
    YTab& t = Place(3, true, 0);
    hosttest::ClickAt(t.hWnd(), 10, 45);
    EXPECT_EQ(clicks, (std::vector<int>{2}));
    Frame f(t.hWnd());  // paints without failing
    EXPECT_EQ(f(230, 59), kBorder);
}

TEST_F(Tabs, BurstOfAdditionsRepaintsOnceAndStops)
{
    YTab& t = Place(0, false);
    for (int i = 0; i < 500; ++i)
        t.AddItem(L"x");
    EXPECT_TRUE(t.LayoutPending());
    ASSERT_TRUE(PumpUntil([&] { return !t.LayoutPending(); }, 2000));
    Pump(250);
    EXPECT_FALSE(t.LayoutPending()) << "the timer keeps running after the repaint";
}

// Tabs at the bottom (IsBottom) in a strip of 257 x 137 pixels, tabs 50 x 20:
// line 0 touches the bottom edge, tab cells start every 51 pixels.
class BottomTabs : public Tabs {
protected:
    YTab& PlaceBottom(int count, bool multi) { return Place(count, multi, 4, true); }
};

TEST_F(BottomTabs, OneLinePaintsThePageAboveAndTheSelectedTabOpenToIt)
{
    YTab& t = PlaceBottom(3, false);
    ASSERT_TRUE(t.IsBottom());
    Frame f(t.hWnd());
    const struct {
        const char* what;
        int x, y;
        COLORREF want;
    } pixels[] = {
        {"page", 100, 50, kPage},
        {"page border, left", 0, 50, kBorder},
        {"page border, top", 100, 0, kBorder},
        {"the selected tab opens the page's bottom border", 20, 117, want::kSelectedUpper},
        {"just above it, the page", 20, 116, kPage},
        {"band beyond the tabs", 200, 127, kBand},
        {"baseline after the selected tab, beyond the tabs", 200, 117, kBorder},
        {"baseline over tab 1 (no top edge on a bottom tab)", 60, 117, kBorder},
        {"selected tab 0, upper tone", 40, 120, want::kSelectedUpper},
        {"selected tab 0, lower tone", 40, 128, want::kSelectedLower},
        {"tab 1, upper tone", 90, 120, kTabUpper},
        {"tab 1, lower tone", 90, 130, kTabLower},
        {"gap between tabs 1 and 2", 101, 125, kBand},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(f(p.x, p.y), p.want) << p.what << " at " << p.x << "," << p.y;
}

TEST_F(BottomTabs, ClicksHitTheBottomLineOnly)
{
    YTab& t = PlaceBottom(3, false);
    const struct {
        const char* what;
        int x, y, tab;  // -1: nothing
    } clicksAt[] = {
        {"tab 1", 60, 127, 1},
        {"tab 2, its last row", 140, 136, 2},
        {"tab 1's top row belongs to the page edge", 60, 117, -1},
        {"the page above", 60, 100, -1},
        {"tab 1's left edge", 51, 127, -1},
        {"the gap before tab 2", 101, 127, -1},
        {"right of the last tab", 160, 127, -1},
        {"tab 0", 10, 120, 0},
    };
    std::vector<int> want;
    for (const auto& c : clicksAt) {
        hosttest::ClickAt(t.hWnd(), c.x, c.y);
        if (c.tab >= 0)
            want.push_back(c.tab);
        EXPECT_EQ(clicks, want) << c.what << " at " << c.x << "," << c.y;
    }
    EXPECT_EQ(t.SelectedTab(), 0);
    hosttest::ClickAt(t.hWnd(), 60, 127);
    Frame f(t.hWnd());
    EXPECT_EQ(f(90, 120), want::kSelectedUpper) << "the clicked tab shows selected";
    EXPECT_EQ(f(40, 120), kTabUpper) << "the one before no longer";
}

TEST_F(BottomTabs, TenTabsStackUpwardsFromTheBottomEdge)
{
    YTab& t = PlaceBottom(10, true);
    // Three lines of 20 from y 77 down; the page ends at y 77.
    const struct {
        int x, y, tab;
    } cases[] = {{60, 127, 1}, {60, 105, 5}, {60, 85, 9}, {160, 105, 7}, {160, 85, -1}, {60, 97, -1}};
    for (const auto& c : cases) {
        clicks.clear();
        hosttest::ClickAt(t.hWnd(), c.x, c.y);
        EXPECT_EQ(clicks, c.tab < 0 ? std::vector<int>{} : std::vector<int>{c.tab}) << c.x << "," << c.y;
    }
    Frame f(t.hWnd());
    EXPECT_EQ(f(230, 77), kBorder) << "the page's bottom border at y 77";
    EXPECT_EQ(f(230, 79), kBand) << "the band below the page";
    EXPECT_EQ(f(230, 50), kPage);
    EXPECT_EQ(f(90, 80), kTabUpper) << "tab 9 on the line that touches the page";
}

} // namespace
