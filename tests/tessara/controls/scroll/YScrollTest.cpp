// YHScroll and YVScroll in real windows: mouse messages in, Change events,
// state and painted pixels out.
#include "ExpectedColours.h"
#include "ScrollTestSupport.h"
#include "SharedCases.h"

#include "tessara/controls/scroll/YHScroll.h"
#include "tessara/controls/scroll/YVScroll.h"

#include "host/Host.h"

using namespace scrolltest;
using tessara::YHScroll;
using tessara::YVScroll;

namespace {

constexpr COLORREF kTrack = want::kScrollTrack;
constexpr COLORREF kLight = want::kScrollLight;
constexpr COLORREF kMid = want::kScrollMid;
constexpr COLORREF kDark = want::kScrollDark;

class ScrollWindows : public ::testing::Test {
protected:
    void SetUp() override { form.Show(); }
    void TearDown() override { form.Unload(); }

    // A bar of w x h pixels read from a saved property set.
    template <class Bar>
    Bar& Place(int w, int h, const host::PropertyBag& bag = host::PropertyBag())
    {
        Bar& bar = form.AddControl<Bar>(L"Bar1", 150, 150, w * 15, h * 15, &bag);
        bar.Change.connect([&bar, this] { values.push_back(bar.Value()); });
        return bar;
    }

    TestMouse mouse;
    host::Form form{L"frmTest"};
    std::vector<std::int32_t> values;  // Value at each Change
};

TEST_F(ScrollWindows, ThumbSitsWhereTheArithmeticPutsItAndLooksPressed)
{
    auto& bar = Place<YHScroll>(200, 18);
    for (auto c : cases::kBar200Positions)
        EXPECT_EQ(bar.pGetGlideLeft(c.value), c.pos) << "value " << c.value;
    bar.SetValue(14);
    Frame f(bar.hWnd());
    EXPECT_EQ(f(135, 4), kLight) << "upper half of the thumb";
    EXPECT_EQ(f(135, 13), kLight) << "lower half of the thumb: pressed look, all light";
    EXPECT_EQ(f(125, 9), kTrack) << "track before the thumb";
    EXPECT_EQ(f(145, 9), kTrack) << "track after the thumb";
    EXPECT_EQ(f(3, 13), kMid) << "the low arrow's lower half is the darker tone";
    EXPECT_EQ(f(9, 0), want::kScrollBase) << "the arrow's outline";
}

TEST_F(ScrollWindows, LowArrowAtMinVChangesNothingEvenWhenHeld)
{
    auto& bar = Place<YHScroll>(200, 18);
    Press(bar.hWnd(), 5, 9);
    Pump(350);  // three repeat ticks
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_TRUE(values.empty()) << values.size() << " Change events";
    Release(bar.hWnd(), 5, 9);
    EXPECT_FALSE(bar.Model().ButtonDown());
}

TEST_F(ScrollWindows, HoldingTheTrackPagesUntilTheThumbReachesTheMouse)
{
    auto& bar = Place<YHScroll>(200, 18);
    bar.SetLargeChange(3);
    Press(bar.hWnd(), 170, 9);
    EXPECT_EQ(values, (std::vector<std::int32_t>{3})) << "the press itself pages once";
    ASSERT_TRUE(PumpUntil([&] { return !bar.Model().ButtonDown(); }, 3000)) << "paging never stopped";
    EXPECT_EQ(values, (std::vector<std::int32_t>{3, 6, 9, 12, 15, 18, 20}));
    Pump(250);
    EXPECT_EQ(values.size(), 7u) << "paging went on after it stopped";
    Release(bar.hWnd(), 170, 9);
}

TEST_F(ScrollWindows, ArrowRepeatStopsWhenTheMouseLeavesTheArrow)
{
    auto& bar = Place<YHScroll>(200, 18);
    Press(bar.hWnd(), 190, 9);
    ASSERT_TRUE(PumpUntil([&] { return bar.Value() >= 3; }, 2000));
    PlaceCursor(bar.hWnd(), 100, 9);
    ASSERT_TRUE(PumpUntil([&] { return !bar.Model().ButtonDown(); }, 1000));
    const auto reached = bar.Value();
    Pump(250);
    EXPECT_EQ(bar.Value(), reached);
}

TEST_F(ScrollWindows, RefusedBoundsAndTheSameValueRaiseNothing)
{
    auto& bar = Place<YHScroll>(200, 18);
    bar.SetValue(5);
    values.clear();
    bar.SetMaxV(4);
    EXPECT_EQ(bar.MaxV(), 20);
    bar.SetMinV(6);
    EXPECT_EQ(bar.MinV(), 0);
    bar.SetValue(5);
    bar.SetValue(21);
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(bar.Value(), 5);
    bar.SetValue(6);
    EXPECT_EQ(values, (std::vector<std::int32_t>{6}));
}

TEST_F(ScrollWindows, DraggingTheThumbFollowsTheMouseEvenOffTheBar)
{
    auto& bar = Place<YHScroll>(200, 18);
    Press(bar.hWnd(), 22, 9);  // the thumb, 4 pixels in
    EXPECT_TRUE(bar.IsGlideDown());
    EXPECT_EQ(::GetCapture(), bar.hWnd());
    MoveMouse(bar.hWnd(), 134, 9, MK_LBUTTON);
    EXPECT_EQ(bar.Model().ThumbPos(), 130);
    EXPECT_EQ(bar.Value(), 14);
    {
        Frame f(bar.hWnd());
        EXPECT_EQ(f(135, 0), kDark) << "a dragged thumb has the dark outline";
    }
    MoveMouse(bar.hWnd(), 400, 30, MK_LBUTTON);  // beyond the bar's end
    EXPECT_EQ(bar.Value(), 20);
    Release(bar.hWnd(), 400, 30);
    EXPECT_FALSE(bar.IsGlideDown());
    EXPECT_NE(::GetCapture(), bar.hWnd());
    EXPECT_EQ(values, (std::vector<std::int32_t>{14, 20}));
}

TEST_F(ScrollWindows, FocusLossEndsADrag)
{
    auto& bar = Place<YHScroll>(200, 18);
    Press(bar.hWnd(), 22, 9);
    ASSERT_TRUE(bar.IsGlideDown());
    ::SendMessageW(bar.hWnd(), WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(bar.IsGlideDown());
    MoveMouse(bar.hWnd(), 134, 9);
    EXPECT_EQ(bar.Value(), 0);
}

TEST_F(ScrollWindows, HoverDarkensTheArrowOutlineUntilTheMouseLeaves)
{
    auto& bar = Place<YHScroll>(200, 18);
    MoveMouse(bar.hWnd(), 5, 9);
    {
        Frame f(bar.hWnd());
        EXPECT_EQ(f(9, 0), kDark);
        EXPECT_EQ(f(191, 0), want::kScrollBase) << "the other arrow lit up";
    }
    ::SendMessageW(bar.hWnd(), WM_MOUSELEAVE, 0, 0);
    Frame f(bar.hWnd());
    EXPECT_EQ(f(9, 0), want::kScrollBase);
}

TEST_F(ScrollWindows, PropertiesComeBackWithoutChangeAndAreSavedBack)
{
    host::PropertyBag bag;
    bag.set(L"MinV", std::int64_t{-5});
    bag.set(L"MaxV", std::int64_t{50});
    bag.set(L"Value", std::int64_t{7});
    bag.set(L"SmallChange", std::int64_t{2});
    bag.set(L"LargeChange", std::int64_t{9});
    auto& bar = Place<YHScroll>(200, 18, bag);
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(bar.MinV(), -5);
    EXPECT_EQ(bar.MaxV(), 50);
    EXPECT_EQ(bar.Value(), 7);
    Press(bar.hWnd(), 190, 9);
    Release(bar.hWnd(), 190, 9);
    EXPECT_EQ(values, (std::vector<std::int32_t>{9})) << "SmallChange 2";
    const host::PropertyBag saved = bar.SaveBag();
    EXPECT_EQ(saved.readLong(L"MinV", 0), -5);
    EXPECT_EQ(saved.readLong(L"MaxV", 0), 50);
    EXPECT_EQ(saved.readLong(L"Value", 0), 9);
    EXPECT_EQ(saved.readLong(L"SmallChange", 0), 2);
    EXPECT_EQ(saved.readLong(L"LargeChange", 0), 9);
    EXPECT_FALSE(saved.has(L"GlideWidth")) << "the thumb length is not persisted";
}

TEST_F(ScrollWindows, GlideWidthWaitsForTheNextLayout)
{
    auto& bar = Place<YHScroll>(200, 18);
    bar.SetValue(14);
    bar.SetGlideWidth(30);
    EXPECT_EQ(bar.GlideWidth(), 30);
    EXPECT_EQ(bar.pGetGlideLeft(14), 130) << "the layout changed before the next resize";
    bar.SetSize(201 * 15, 18 * 15);  // 135 positions for 20 values: 7 pixels for the first 15
    EXPECT_EQ(bar.pGetGlideLeft(14), 18 + 14 * 7);
    EXPECT_EQ(bar.Model().ThumbPos(), 18 + 14 * 7);
}

TEST_F(ScrollWindows, VerticalBarExchangesTheAxes)
{
    auto& bar = Place<YVScroll>(18, 200);
    wchar_t cls[32];
    ::GetClassNameW(bar.hWnd(), cls, 32);
    EXPECT_STREQ(cls, L"YVScroll");
    EXPECT_EQ(bar.pGetGlideTop(14), 130);
    bar.SetGlideHeight(4);
    EXPECT_EQ(bar.GlideHeight(), 10);
    Press(bar.hWnd(), 9, 190);  // bottom arrow: the press is read along y
    Release(bar.hWnd(), 9, 190);
    EXPECT_EQ(values, (std::vector<std::int32_t>{1}));
    bar.SetGlideHeight(30);  // laid out at once
    EXPECT_EQ(bar.pGetGlideTop(20), 200 - 30 - 18);
    bar.SetValue(20);
    Frame f(bar.hWnd());
    EXPECT_EQ(f(9, 165), kLight) << "thumb at the bottom";
    EXPECT_EQ(f(9, 100), kTrack);
    EXPECT_EQ(f(0, 9), want::kScrollBase) << "top arrow's left outline";
}

TEST_F(ScrollWindows, AtDesignTimeTheBarIsNotHooked)
{
    host::SetDesignMode(true);
    auto& bar = Place<YHScroll>(200, 18);
    Press(bar.hWnd(), 190, 9);
    Release(bar.hWnd(), 190, 9);
    EXPECT_FALSE(bar.IsGlideDown());
    EXPECT_EQ(bar.Value(), 0);
    host::SetDesignMode(false);
}

} // namespace
