// YProgress and YFrame in real windows: fills and outlines as painted.
#include "SmallTestSupport.h"

#include "tessara/controls/small/YFrame.h"
#include "tessara/controls/small/YProgress.h"

#include "host/Host.h"

using namespace smalltest;
using tessara::YFrame;
using tessara::YProgress;

namespace {

constexpr COLORREF kBack = 0x00406080;
constexpr COLORREF kFillTop = 0x00FFD6B3;
constexpr COLORREF kBorder = 0x000000FF;

host::PropertyBag Bar(int minV, int maxV, int value)
{
    host::PropertyBag bag;
    bag.set(L"MinV", std::int64_t{minV});
    bag.set(L"MaxV", std::int64_t{maxV});
    bag.set(L"Value", std::int64_t{value});
    bag.set(L"BackColor", std::int64_t{kBack});
    return bag;
}

using Indicators = FormTest;

TEST_F(Indicators, ProgressFillFollowsTheValue)
{
    struct Case {
        int width, value, fillRight;
    } cases[] = {{102, 50, 51}, {102, 100, 101}, {52, 50, 26}, {200, 98, 197}, {200, 99, 198}, {200, 100, 199}};
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " v" + std::to_string(c.value));
        const host::PropertyBag bag = Bar(0, 100, 0);
        // One above the other: overlapping siblings would hide each other's pixels.
        ++n;
        auto& p = form.AddControl<YProgress>(L"YProgress" + std::to_wstring(n), 150, n * 300, c.width * 15, 9 * 15,
                                             &bag);
        p.SetValue(c.value);
        EXPECT_EQ(p.FillRight(), c.fillRight);
        Frame f(p.hWnd());
        EXPECT_EQ(f(10, 1), kFillTop) << "the fill's top row";
        EXPECT_EQ(f(c.fillRight - 1, 4), f(10, 4)) << "last filled column";
        if (c.fillRight < c.width - 3) {
            EXPECT_EQ(f(c.fillRight, 4), kBack) << "first column after the fill";
        }
    }
}

TEST_F(Indicators, ProgressIgnoresOutOfRangeAssignments)
{
    const host::PropertyBag bag1 = Bar(0, 100, 50);
    auto& p = form.AddControl<YProgress>(L"YProgress1", 150, 150, 102 * 15, 9 * 15, &bag1);
    p.SetValue(101);
    p.SetMaxV(40);
    p.SetMinV(60);
    EXPECT_EQ(p.Value(), 50);
    EXPECT_EQ(p.MaxV(), 100);
    EXPECT_EQ(p.MinV(), 0);
    EXPECT_EQ(p.FillRight(), 51);
    Frame f(p.hWnd());
    EXPECT_EQ(f(50, 1), kFillTop);
    EXPECT_EQ(f(60, 4), kBack);
}

TEST_F(Indicators, ProgressWithoutRangeOrWidthPaintsAnEmptyBar)
{
    const host::PropertyBag bag2 = Bar(30, 30, 30);
    auto& flat = form.AddControl<YProgress>(L"YProgress1", 150, 150, 102 * 15, 9 * 15, &bag2);
    const host::PropertyBag bag3 = Bar(0, 100, 50);
    auto& thin = form.AddControl<YProgress>(L"YProgress2", 150, 450, 2 * 15, 9 * 15, &bag3);
    EXPECT_EQ(flat.FillRight(), 1);
    EXPECT_EQ(thin.FillRight(), 1);
    Frame f(flat.hWnd());
    EXPECT_FALSE(HasColour(f, RECT{1, 1, 101, 8}, kFillTop));
    EXPECT_EQ(f(50, 4), kBack);
    Frame t(thin.hWnd());  // paints without failing
}

host::PropertyBag FrameBag(const std::wstring& caption)
{
    host::PropertyBag bag;
    bag.set(L"Caption", caption);
    bag.set(L"BackColor", std::int64_t{kBack});
    bag.set(L"ForeColor", std::int64_t{0});
    bag.set(L"BorderColor", std::int64_t{kBorder});
    return bag;
}

// The row of the top edge: the first border-coloured pixel of the left edge.
int TopEdge(HWND h)
{
    for (int y = 0; y < 40; ++y)
        if (hosttest::PixelAt(h, 0, y) == kBorder)
            return y;
    return -1;
}

TEST_F(Indicators, FrameWithEmptyCaptionLeavesTheTopEdgeOpenFrom8To11)
{
    const host::PropertyBag bag4 = FrameBag(L"");
    auto& fr = form.AddControl<YFrame>(L"YFrame1", 150, 150, 73 * 15, 89 * 15, &bag4);
    HWND h = fr.hWnd();
    int m = TopEdge(h);
    ASSERT_GE(m, 0) << "no left edge drawn";
    struct Case {
        int x;
        COLORREF colour;
    } cases[] = {{0, kBorder}, {7, kBorder}, {8, kBack}, {11, kBack}, {12, kBorder}, {72, kBorder}};
    for (const auto& c : cases)
        EXPECT_EQ(hosttest::PixelAt(h, c.x, m), c.colour) << "x " << c.x;
    EXPECT_EQ(hosttest::PixelAt(h, 72, 50), kBorder) << "right edge";
    EXPECT_EQ(hosttest::PixelAt(h, 36, 88), kBorder) << "bottom edge";
    EXPECT_EQ(hosttest::PixelAt(h, 36, 50), kBack) << "inside";
}

TEST_F(Indicators, FrameCaptionSitsInTheTopEdgeAndIsClippedAtTheRight)
{
    const host::PropertyBag bag5 = FrameBag(L"YFrame1");
    auto& fr = form.AddControl<YFrame>(L"YFrame1", 150, 150, 73 * 15, 89 * 15, &bag5);
    HWND h = fr.hWnd();
    int m = TopEdge(h);
    ASSERT_GT(m, 0) << "the edge sits at half the caption's height";
    EXPECT_EQ(hosttest::PixelAt(h, 5, m), kBorder);
    EXPECT_NE(hosttest::PixelAt(h, 9, m), kBorder) << "open before the caption";
    fr.SetCaption(L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    EXPECT_NE(hosttest::PixelAt(h, 70, m), kBorder) << "the top edge starts beyond the right border";
    EXPECT_EQ(hosttest::PixelAt(h, 72, 50), kBorder) << "the caption never covers the right edge below it";
    EXPECT_EQ(fr.SaveBag().readText(L"Caption", L""), L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    auto& fresh = form.AddControl<YFrame>(L"YFrame9", 150, 1500, 1000, 1000);
    EXPECT_EQ(fresh.Caption(), L"YFrame9");
}

} // namespace
