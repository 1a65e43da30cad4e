// The host's one rounding rule and the font heights built on it.
#include "host/PixelMath.h"
#include "host/Values.h"

#include <gtest/gtest.h>

using namespace host;

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour)
{
    struct Case {
        long double v;
        std::int64_t want;
    } cases[] = {{0.5L, 0}, {1.5L, 2}, {2.5L, 2}, {10.5L, 10}, {11.5L, 12}, {-0.5L, 0}, {-1.5L, -2},
                 {-2.5L, -2}, {2.4999L, 2}, {2.5001L, 3}, {-2.6L, -3}, {7.0L, 7}};
    for (const Case& c : cases)
        EXPECT_EQ(RoundHalfEven(c.v), c.want) << static_cast<double>(c.v);
}

TEST(MulDivRound, RoundsHalvesToEven)
{
    struct Case {
        std::int32_t a, b, c, want;
    } cases[] = {
        {10, 96, 72, 13},   // 13.33
        {9, 96, 72, 12},
        {12, 120, 72, 20},
        {3, 1, 2, 2},       // 1.5 -> 2
        {5, 1, 2, 2},       // 2.5 -> 2
        {7, 1, 2, 4},       // 3.5 -> 4
        {-5, 1, 2, -2},
        {11, 120, 72, 18},  // 18.33
        {1, 1, 0, 0},       // no division by zero
        {2000000000, 2000000000, 1, 2147483647},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDivRound(c.a, c.b, c.c), c.want) << c.a << "*" << c.b << "/" << c.c;
}

TEST(FontHeight, PointsRoundToWholeBeforeScaling)
{
    struct Case {
        double points;
        int dpi;
        std::int32_t want;
    } cases[] = {
        {9, 96, -12}, {10.5, 96, -13}, {11.5, 96, -16}, {12, 96, -16},
        {9, 120, -15}, {10.5, 120, -17}, {12, 120, -20},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FontPixelHeight(c.points, c.dpi, FontRounding::WholePoints), c.want) << c.points << "pt at " << c.dpi;
}

// The three roundings kept for their callers really differ: forms round the
// pixels at the screen's resolution, Tessara rounds the points first, and
// the launcher's button counts in twips (96 dots per inch) whatever the
// screen says.
TEST(FontHeight, EachRoundingKeepsItsCallersPixels)
{
    struct Case {
        double points;
        int dpi;
        std::int32_t nearest, wholePoints, twips;
    } cases[] = {
        {9, 96, -12, -12, -12},
        {10.5, 96, -14, -13, -14},
        {10.5, 120, -18, -17, -14},
        {12, 120, -20, -20, -16},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FontPixelHeight(c.points, c.dpi, FontRounding::NearestPixel), c.nearest) << c.points << "pt at " << c.dpi;
        EXPECT_EQ(FontPixelHeight(c.points, c.dpi, FontRounding::WholePoints), c.wholePoints) << c.points << "pt at " << c.dpi;
        EXPECT_EQ(FontPixelHeight(c.points, c.dpi, FontRounding::TwipPixels), c.twips) << c.points << "pt at " << c.dpi;
    }
}
