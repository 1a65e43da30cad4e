// The scroll bar's arithmetic and press/repeat/drag machine, driven with
// plain coordinates along and across the axis.
#include "tessara/controls/scroll/ScrollModel.h"
#include "SharedCases.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessara {
namespace {

// Records what the model asks of its window.
class Recorder : public ScrollPlatform {
public:
    void Changed() override { log.push_back("Change"); ++changes; }
    void Repaint() override { ++repaints; }
    void RepeatTimer(bool on) override { timerOn = on; }
    std::vector<std::string> log;
    int changes = 0;
    int repaints = 0;
    bool timerOn = false;
};

struct Bar {
    Recorder sink;
    ScrollModel m{sink};
    Bar(int length, std::int32_t minV, std::int32_t maxV, double thumb = 10)
    {
        m.SetThumbLengthRaw(thumb);
        m.Restore(minV, maxV, minV, 1, 10);
        m.SetSize(length, 18);
    }
};

TEST(ScrollMath, NearestRoundsHalvesToEven)
{
    EXPECT_EQ(RoundHalfEven(10.5), 10);
    EXPECT_EQ(RoundHalfEven(11.5), 12);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.51), 3);
}

// More pixels than values: each value spans 7 or 8 pixels.
TEST(ScrollMath, Length200SpreadsPixelsOverValues)
{
    Bar b(200, 0, 20);
    EXPECT_TRUE(b.m.PixelsPerValue());
    EXPECT_EQ(b.m.K(), 7);
    EXPECT_EQ(b.m.Rem(), 14);
    for (auto c : cases::kBar200Positions)
        EXPECT_EQ(b.m.GlideAt(c.value), c.pos) << "value " << c.value;
    const struct { int pos; std::int32_t value; } toValue[] = {
        {0, 0}, {18, 0}, {25, 0}, {26, 1}, {130, 14}, {135, 14}, {137, 15}, {171, 19}, {172, 20}, {199, 20}};
    for (auto c : toValue)
        EXPECT_EQ(b.m.ValueAtPos(c.pos), c.value) << "position " << c.pos;
}

// More values than pixels: each pixel holds 18 or 19 values.
TEST(ScrollMath, Length100SpreadsValuesOverPixels)
{
    Bar b(100, 0, 1000);
    EXPECT_FALSE(b.m.PixelsPerValue());
    EXPECT_EQ(b.m.K(), 18);
    EXPECT_EQ(b.m.Rem(), 28);
    const struct { std::int32_t value; int pos; } toPos[] = {
        {0, 18}, {1, 19}, {19, 19}, {20, 20}, {532, 46}, {533, 47}, {550, 47}, {551, 48}, {1000, 72}};
    for (auto c : toPos)
        EXPECT_EQ(b.m.GlideAt(c.value), c.pos) << "value " << c.value;
    EXPECT_EQ(b.m.ValueAtPos(46), 28 * 19);
    EXPECT_EQ(b.m.ValueAtPos(47), 28 * 19 + 18);
    EXPECT_EQ(b.m.ValueAtPos(72), 1000);
}

// Every value's position read back gives a value that sits at the same
// pixel, over both layout modes and an offset range.
TEST(ScrollMath, PositionsAndValuesAgree)
{
    const struct { int length; std::int32_t minV, maxV; double thumb; } cases[] = {
        {200, 0, 20, 10}, {100, 0, 1000, 10}, {300, -50, 50, 24}, {64, 0, 6, 11}, {500, 7, 10, 30}};
    for (auto c : cases) {
        Bar b(c.length, c.minV, c.maxV, c.thumb);
        int previous = 0;
        for (std::int32_t v = c.minV; v <= c.maxV; ++v) {
            const int p = b.m.GlideAt(v);
            EXPECT_GE(p, previous) << "positions run backwards at " << v;
            previous = p;
            EXPECT_EQ(b.m.GlideAt(b.m.ValueAtPos(p)), p) << "length " << c.length << " value " << v;
        }
    }
}

TEST(ScrollMath, LayoutKeepsThePreviousOneWhenTheThumbDoesNotFit)
{
    Bar b(200, 0, 20);
    b.m.SetSize(45, 18);  // 45 - 36 = 9 pixels, thumb 10: no room
    EXPECT_EQ(b.m.K(), 7);
    EXPECT_EQ(b.m.Rem(), 14);
    Bar never(40, 0, 20);
    EXPECT_FALSE(never.m.LaidOut());
    EXPECT_EQ(never.m.GlideAt(5), kArrowSize);
}

TEST(ScrollMath, ThumbLengthBelowTenIsRaisedAtLayout)
{
    Bar b(200, 0, 20, 4);
    EXPECT_EQ(b.m.ThumbLength(), 10);
    b.m.SetThumbLengthRaw(3);
    EXPECT_EQ(b.m.ThumbLength(), 3);  // stored unchanged until the next layout
    b.m.SetThumbLengthNow(3);
    EXPECT_EQ(b.m.ThumbLength(), 10);
}

TEST(ScrollMath, RefusedBoundsAreIgnored)
{
    const struct {
        const char* label;
        std::int32_t value;
        bool isMin;
        std::int32_t set;
        bool accepted;
    } cases[] = {
        {"MaxV below Value", 5, false, 4, false},
        {"MaxV equal to Value", 5, false, 5, true},
        {"MaxV equal to Value at MinV", 0, false, 0, false},
        {"MaxV above Value at MinV", 0, false, 1, true},
        {"MinV above Value", 5, true, 6, false},
        {"MinV equal to Value", 5, true, 5, true},
        {"MinV at MaxV", 20, true, 20, false},
        {"MinV below", 5, true, -3, true},
    };
    for (auto c : cases) {
        Bar b(200, 0, 20);
        ASSERT_TRUE(b.m.SetValue(c.value));
        const auto minBefore = b.m.MinV(), maxBefore = b.m.MaxV();
        const bool ok = c.isMin ? b.m.SetMinV(c.set) : b.m.SetMaxV(c.set);
        EXPECT_EQ(ok, c.accepted) << c.label;
        if (c.accepted)
            EXPECT_EQ(c.isMin ? b.m.MinV() : b.m.MaxV(), c.set) << c.label;
        else
            EXPECT_TRUE(b.m.MinV() == minBefore && b.m.MaxV() == maxBefore) << c.label;
        EXPECT_LT(b.m.MinV(), b.m.MaxV()) << c.label;
    }
}

// What a control does after a layout: a new range and the value it wants,
// in whichever order both are accepted.
TEST(ScrollMath, RangeAndValueTogetherStayAccepted)
{
    const struct Case {
        const char* label;
        std::int32_t fromMax, fromValue, newMax;
        std::int64_t want;
        std::int32_t value;
    } cases[] = {
        {"range shrinks below the value", 19, 19, 15, 16, 15},
        {"range grows, value beyond the old end", 10, 10, 30, 25, 25},
        {"value below zero", 20, 5, 20, -3, 0},
        {"value far beyond", 20, 5, 8, 1000000, 8},
        {"unchanged", 20, 7, 20, 7, 7},
    };
    for (const Case& c : cases) {
        Bar b(200, 0, c.fromMax);
        ASSERT_TRUE(b.m.SetValue(c.fromValue)) << c.label;
        EXPECT_TRUE(b.m.SetMaxVAndValue(c.newMax, c.want)) << c.label;
        EXPECT_EQ(b.m.MaxV(), c.newMax) << c.label;
        EXPECT_EQ(b.m.Value(), c.value) << c.label;
        EXPECT_EQ(b.m.GlideAt(c.value), b.m.ThumbPos()) << c.label << ": the thumb did not follow";
    }
    Bar b(200, 0, 20);
    EXPECT_FALSE(b.m.SetMaxVAndValue(0, 0)) << "a range of no values";
    EXPECT_EQ(b.m.MaxV(), 20);
}

TEST(ScrollMath, ValueSetterRefusesOutOfRangeAndReportsOnlyChanges)
{
    Bar b(200, 0, 20);
    EXPECT_FALSE(b.m.SetValue(21));
    EXPECT_FALSE(b.m.SetValue(-1));
    EXPECT_TRUE(b.m.SetValue(0));
    EXPECT_EQ(b.sink.changes, 0) << "setting the current value raised Change";
    EXPECT_TRUE(b.m.SetValue(14));
    EXPECT_EQ(b.sink.changes, 1);
    EXPECT_EQ(b.m.ThumbPos(), 130);
    EXPECT_TRUE(b.m.SetValue(14));
    EXPECT_EQ(b.sink.changes, 1);
    EXPECT_FALSE(b.m.SetSmallChange(0));
    EXPECT_FALSE(b.m.SetLargeChange(-4));
    EXPECT_EQ(b.m.SmallChange(), 1);
    EXPECT_EQ(b.m.LargeChange(), 10);
}

TEST(ScrollMath, RestoredValueCountsAsReported)
{
    Recorder sink;
    ScrollModel m(sink);
    m.Restore(0, 100, 40, 2, 5);
    m.SetSize(200, 18);
    EXPECT_EQ(sink.changes, 0);
    EXPECT_EQ(m.Value(), 40);
    EXPECT_EQ(m.ThumbPos(), m.GlideAt(40));
    m.SetValue(40);
    EXPECT_EQ(sink.changes, 0);
    m.SetValue(0);  // back to the start must move the thumb
    EXPECT_EQ(sink.changes, 1);
    EXPECT_EQ(m.ThumbPos(), kArrowSize);
}

TEST(ScrollMath, RestoreRepairsBrokenSavedSets)
{
    Recorder sink;
    ScrollModel m(sink);
    m.Restore(10, 10, 99, 0, -1);
    EXPECT_EQ(m.MinV(), kDefaultMinV);
    EXPECT_EQ(m.MaxV(), kDefaultMaxV);
    EXPECT_EQ(m.Value(), kDefaultMaxV);
    EXPECT_EQ(m.SmallChange(), kDefaultSmallChange);
    EXPECT_EQ(m.LargeChange(), kDefaultLargeChange);
    m.SetSize(200, 18);
    EXPECT_TRUE(m.LaidOut());
}

TEST(ScrollMath, HitTests)
{
    Bar b(200, 0, 20);
    b.m.SetValue(10);  // thumb at 18 + 10 * 8 = 98 .. 108
    ASSERT_EQ(b.m.ThumbPos(), 98);
    const struct { int x, y; ScrollPart press, hover; } cases[] = {
        {0, 5, PartLowArrow, PartLowArrow},   {18, 5, PartLowArrow, PartLowArrow},
        {19, 5, PartTrack, PartNone},         {98, 5, PartTrack, PartNone},
        {99, 5, PartThumb, PartThumb},        {107, 5, PartThumb, PartThumb},
        {108, 5, PartTrack, PartNone},        {181, 5, PartTrack, PartNone},
        {182, 5, PartHighArrow, PartHighArrow}, {200, 5, PartHighArrow, PartHighArrow},
        {201, 5, PartTrack, PartNone},        {-1, 5, PartTrack, PartNone},
        {5, 19, PartLowArrow, PartNone},      {100, -1, PartThumb, PartNone},
    };
    for (auto c : cases) {
        EXPECT_EQ(b.m.PressPartAt(c.x), c.press) << "x " << c.x;
        EXPECT_EQ(b.m.HitTestPart(c.x, c.y), c.hover) << "x " << c.x << " y " << c.y;
    }
}

TEST(ScrollMath, LowArrowAtMinVChangesNothingEvenWhenHeld)
{
    Bar b(200, 0, 20);
    b.m.Press(5);
    EXPECT_TRUE(b.m.ButtonDown());
    EXPECT_TRUE(b.sink.timerOn);
    for (int i = 0; i < 5; ++i)
        b.m.Tick(5, 5);
    EXPECT_EQ(b.m.Value(), 0);
    EXPECT_EQ(b.sink.changes, 0);
    EXPECT_TRUE(b.m.ButtonDown()) << "holding on the arrow keeps the repeat alive";
}

TEST(ScrollMath, ArrowRepeatStartsOnTheSecondTick)
{
    Bar b(200, 0, 20);
    b.m.Press(190);
    EXPECT_EQ(b.m.Value(), 1);
    b.m.Tick(190, 5);
    EXPECT_EQ(b.m.Value(), 1) << "the first tick must stay idle";
    b.m.Tick(190, 5);
    b.m.Tick(190, 5);
    EXPECT_EQ(b.m.Value(), 3);
    EXPECT_EQ(b.sink.changes, 3);
    b.m.Release();
    EXPECT_FALSE(b.sink.timerOn);
    b.m.Tick(190, 5);
    EXPECT_EQ(b.m.Value(), 3);
}

// The track pages by LargeChange each tick until the thumb covers the mouse.
TEST(ScrollMath, TrackPagesUntilTheThumbReachesTheMouse)
{
    Bar b(200, 0, 20);
    b.m.SetLargeChange(3);
    b.m.Press(170);
    std::vector<std::int32_t> values{b.m.Value()};
    for (int i = 0; i < 12 && b.m.ButtonDown(); ++i) {
        b.m.Tick(170, 5);
        if (values.back() != b.m.Value())
            values.push_back(b.m.Value());
    }
    EXPECT_EQ(values, (std::vector<std::int32_t>{3, 6, 9, 12, 15, 18, 20}));
    EXPECT_FALSE(b.m.ButtonDown());
    EXPECT_FALSE(b.sink.timerOn);
    EXPECT_EQ(b.sink.changes, 7);

    // And back down from the far end, stopping once the thumb passes the mouse.
    b.m.Press(60);
    for (int i = 0; i < 12 && b.m.ButtonDown(); ++i)
        b.m.Tick(60, 5);
    EXPECT_FALSE(b.m.ButtonDown());
    EXPECT_LT(b.m.ThumbPos(), 60);
    EXPECT_GT(b.m.ThumbPos() + 10, 60 - 3 * 8) << "paging went further than one page past the mouse";
}

TEST(ScrollMath, RepeatEndsWhenTheMouseLeavesThePartOrTheControl)
{
    Bar b(200, 0, 20);
    b.m.Press(190);
    b.m.Tick(190, 5);
    b.m.Tick(100, 5);  // over the track now
    EXPECT_FALSE(b.m.ButtonDown());
    EXPECT_EQ(b.m.Value(), 1);

    Bar out(200, 0, 20);
    out.m.Press(190);
    out.m.Tick(190, 30);  // below the control
    EXPECT_FALSE(out.m.ButtonDown());
    EXPECT_FALSE(out.sink.timerOn);
    EXPECT_EQ(out.m.HoverPart(), PartNone);
}

TEST(ScrollMath, DraggingTheThumbFollowsTheMouseAndStopsAtTheEnds)
{
    Bar b(200, 0, 20);
    b.m.Press(22);  // grab the thumb 4 pixels in
    EXPECT_TRUE(b.m.Dragging());
    EXPECT_EQ(b.sink.changes, 0);
    b.m.Tick(22, 5);  // the repeat timer does nothing while dragging
    EXPECT_EQ(b.m.Value(), 0);

    b.m.DragThumb(134);  // thumb to 130: value 14
    EXPECT_EQ(b.m.ThumbPos(), 130);
    EXPECT_EQ(b.m.Value(), 14);
    EXPECT_EQ(b.sink.changes, 1);
    b.m.DragThumb(135);  // 131 still reads 14: no Change
    EXPECT_EQ(b.m.ThumbPos(), 131);
    EXPECT_EQ(b.sink.changes, 1);

    b.m.DragThumb(400);  // far beyond the end: clamped
    EXPECT_EQ(b.m.ThumbPos(), 172);
    EXPECT_EQ(b.m.Value(), 20);
    b.m.DragThumb(390);  // the anchor sits at the clamp: moving back a little
    EXPECT_EQ(b.m.ThumbPos(), 172) << "the thumb must wait until the mouse is back over it";
    b.m.DragThumb(170);  // 2 pixels left of the anchor 176
    EXPECT_EQ(b.m.ThumbPos(), 166);

    b.m.Release();
    EXPECT_FALSE(b.m.Dragging());
    EXPECT_FALSE(b.sink.timerOn);
}

TEST(ScrollMath, FocusLossEndsPressWithoutRepaint)
{
    Bar b(200, 0, 20);
    b.m.Press(22);
    const int repaints = b.sink.repaints;
    b.m.LoseFocus();
    EXPECT_FALSE(b.m.Dragging());
    EXPECT_FALSE(b.m.ButtonDown());
    EXPECT_FALSE(b.sink.timerOn);
    EXPECT_EQ(b.sink.repaints, repaints);
}

TEST(ScrollMath, HoverRepaintsOnlyWhenThePartChanges)
{
    Bar b(200, 0, 20);
    EXPECT_TRUE(b.m.Hover(5, 5));
    EXPECT_FALSE(b.m.Hover(6, 6));
    EXPECT_TRUE(b.m.Hover(100, 5));
    EXPECT_EQ(b.m.HoverPart(), PartNone);
    EXPECT_EQ(b.sink.repaints, 2);
    b.m.Hover(5, 5);
    b.m.Leave();
    EXPECT_EQ(b.m.HoverPart(), PartNone);
}

TEST(ScrollMath, WideRangesDoNotOverflow)
{
    Bar b(300, -2000000000, 2000000000);
    EXPECT_FALSE(b.m.PixelsPerValue());
    EXPECT_TRUE(b.m.SetValue(0));
    const int p = b.m.GlideAt(0);
    EXPECT_GT(p, kArrowSize);
    EXPECT_LT(p, 300 - 18 - 10);
    b.m.Press(290);
    EXPECT_EQ(b.m.Value(), 1);
    EXPECT_TRUE(b.m.SetValue(2000000000));
    b.m.Press(290);
    EXPECT_EQ(b.m.Value(), 2000000000);
}

} // namespace
} // namespace tessara
