// Progress bar fill layout and value rules; the frame's outline.
#include "tessara/controls/small/FrameLayout.h"
#include "tessara/controls/small/ProgressFill.h"

#include <gtest/gtest.h>

using namespace tessara;

namespace {

ProgressFill Bar(int width, int minV, int maxV)
{
    ProgressFill p;
    p.Restore(minV, maxV, minV);
    p.Recalc(width);
    return p;
}

} // namespace

TEST(ProgressFill, FillRightForWorkedWidths)
{
    struct Case {
        int width, minV, maxV, value, fillRight;
    } cases[] = {
        {102, 0, 100, 50, 51},  {102, 0, 100, 100, 101}, {102, 0, 100, 0, 1},
        {52, 0, 100, 50, 26},   {52, 0, 100, 1, 1},      {52, 0, 100, 2, 2},
        {200, 0, 100, 98, 197}, {200, 0, 100, 99, 198},  {200, 0, 100, 100, 199},
        {200, 0, 100, 1, 3},
        // 103 values over 50 pixels: the first 3 pixels cover 3 values each.
        {52, 0, 103, 1, 2}, {52, 0, 103, 3, 2}, {52, 0, 103, 4, 3}, {52, 0, 103, 9, 4},
        {52, 0, 103, 10, 5}, {52, 0, 103, 11, 5}, {52, 0, 103, 12, 6}, {52, 0, 103, 103, 51},
        {102, -50, 50, 0, 51},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " " + std::to_string(c.maxV) + " v" + std::to_string(c.value));
        ProgressFill p = Bar(c.width, c.minV, c.maxV);
        ASSERT_TRUE(p.SetValue(c.value));
        EXPECT_EQ(p.FillRight(), c.fillRight);
    }
    ProgressFill p = Bar(52, 0, 100);
    EXPECT_FALSE(p.PixelsPerStep());
    EXPECT_EQ(p.FillStep(), 2);
    EXPECT_EQ(p.FillRest(), 0);
    p = Bar(200, 0, 100);
    EXPECT_TRUE(p.PixelsPerStep());
    EXPECT_EQ(p.FillStep(), 1);
    EXPECT_EQ(p.FillRest(), 98);
}

TEST(ProgressFill, FillNeverShrinksAsTheValueGrows)
{
    for (int width : {3, 7, 52, 102, 137, 200, 333}) {
        for (int maxV : {1, 7, 100, 1000}) {
            ProgressFill p = Bar(width, 0, maxV);
            int prev = 1;
            for (int v = 0; v <= maxV; ++v) {
                ASSERT_TRUE(p.SetValue(v));
                ASSERT_GE(p.FillRight(), prev) << width << " " << maxV << " " << v;
                ASSERT_LE(p.FillRight(), width - 1);
                prev = p.FillRight();
            }
            EXPECT_EQ(prev, width - 1);
        }
    }
}

TEST(ProgressFill, OutOfRangeAssignmentsAreIgnored)
{
    ProgressFill p = Bar(102, 0, 100);
    ASSERT_TRUE(p.SetValue(50));
    EXPECT_FALSE(p.SetValue(101));
    EXPECT_FALSE(p.SetMaxV(40));
    EXPECT_FALSE(p.SetMinV(60));
    EXPECT_EQ(p.Value(), 50);
    EXPECT_EQ(p.MaxV(), 100);
    EXPECT_EQ(p.MinV(), 0);
    EXPECT_EQ(p.FillRight(), 51);
    EXPECT_TRUE(p.SetMaxV(50));  // Value above MinV: MaxV may equal it
    EXPECT_EQ(p.FillRight(), 101);
    EXPECT_TRUE(p.SetValue(0));
    EXPECT_FALSE(p.SetMaxV(0));  // Value at MinV: MaxV must exceed it
    EXPECT_TRUE(p.SetMinV(-50));
    EXPECT_EQ(p.FillRight(), 51);
}

TEST(ProgressFill, EmptyRangeOrNarrowClientPaintsAnEmptyBar)
{
    struct Case {
        const char* name;
        int width, minV, maxV, value;
    } cases[] = {
        {"equal ends", 102, 30, 30, 30}, {"reversed ends", 102, 50, 10, 20},
        {"two pixels", 2, 0, 100, 50},   {"no width", 0, 0, 100, 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgressFill p;
        p.Restore(c.minV, c.maxV, c.value);
        p.Recalc(c.width);
        EXPECT_EQ(p.FillRight(), 1);
    }
    // A stored value beyond MaxV fills to the end, no further.
    ProgressFill p;
    p.Restore(0, 100, 150);
    p.Recalc(102);
    EXPECT_EQ(p.FillRight(), 101);
}

TEST(FrameLayout, TopEdgeLeavesRoomForTheCaption)
{
    FrameLayout f = LayoutFrame(73, 89, 0, 12);
    EXPECT_EQ(f.edgeY, 6);
    EXPECT_EQ(f.lines[3], (FrameLine{0, 6, 8, 6}));   // empty caption: still open from 8 to 11
    EXPECT_EQ(f.lines[4], (FrameLine{12, 6, 73, 6}));
    EXPECT_EQ(f.lines[0], (FrameLine{0, 6, 0, 89}));
    EXPECT_EQ(f.lines[1], (FrameLine{72, 6, 72, 89}));
    EXPECT_EQ(f.lines[2], (FrameLine{0, 88, 73, 88}));
    EXPECT_EQ(f.caption, (kit::Rect{10, 0, 73, 12}));
    EXPECT_EQ(LayoutFrame(73, 89, 40, 13).edgeY, 6);  // 6.5 -> 6
    EXPECT_EQ(LayoutFrame(73, 89, 40, 15).edgeY, 8);  // 7.5 -> 8
    EXPECT_EQ(LayoutFrame(73, 89, 100, 12).lines[4].x1, 112);  // starts beyond the right border
}
