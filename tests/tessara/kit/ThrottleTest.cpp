// The time throttles of mouse moves and live repaints.
#include "tessara/kit/Throttle.h"

#include <gtest/gtest.h>

using namespace kit;

TEST(TickElapsed, ThrottlesAndSurvivesWrap)
{
    std::uint32_t last = 1000;
    EXPECT_FALSE(TickElapsed(1029, last, 30));
    EXPECT_EQ(last, 1000u);
    EXPECT_TRUE(TickElapsed(1030, last, 30));
    EXPECT_EQ(last, 1030u);
    last = 0xFFFFFFF0u;
    EXPECT_TRUE(TickElapsed(20, last, 30));  // 36 ms across the wrap
    EXPECT_EQ(last, 20u);
}

TEST(ScrollMath, MoveThrottleLetsOneMovePer30ms)
{
    Throttle t;
    EXPECT_TRUE(t.Allow(1000));
    EXPECT_FALSE(t.Allow(1029));
    EXPECT_TRUE(t.Allow(1030));
    EXPECT_FALSE(t.Allow(1031));
    Throttle wrap;
    EXPECT_TRUE(wrap.Allow(0xFFFFFFF0u));
    EXPECT_FALSE(wrap.Allow(5));
    EXPECT_TRUE(wrap.Allow(14));
}
