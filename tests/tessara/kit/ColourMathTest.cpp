#include "tessara/kit/ColourMath.h"

#include <gtest/gtest.h>

using namespace kit;

TEST(SplitColour, ChannelsComeFromLowToHighByte)
{
    std::int16_t r = -1, g = -1, b = -1;
    SplitRGB(0x00C08040, r, g, b);
    EXPECT_EQ(r, 0x40);
    EXPECT_EQ(g, 0x80);
    EXPECT_EQ(b, 0xC0);
    EXPECT_EQ(ColorToRGB(0x00C08040), (RGBTriple{0x40, 0x80, 0xC0}));
    EXPECT_EQ(ColorToRGB(MakeRGB(255, 0, 7)), (RGBTriple{255, 0, 7}));
}

TEST(BlendColor, RatioIsCappedAtOneAndZeroKeepsTheColour)
{
    const Colour c = MakeRGB(10, 200, 30);
    const Colour d = MakeRGB(250, 0, 99);
    EXPECT_EQ(BlendColor(c, d, 1.5f), BlendColor(c, d, 1.0f));
    EXPECT_EQ(BlendColor(c, d, 1.0f), d);
    EXPECT_EQ(BlendColor(c, d, 0.0f), c);
    // Out of range below: stays at the first colour rather than overshooting.
    EXPECT_EQ(BlendColor(c, d, -0.5f), c);
}

TEST(BlendColor, WorkedExamples)
{
    struct Case {
        const char* name;
        Colour a, b;
        float ratio;
        Colour want;
    } cases[] = {
        // 179 + 76 * 0.9 = 247.4 -> 247; 214 + 41 * 0.9 = 250.9 -> 251.
        {"tint 0.9 of the progress blue", MakeRGB(179, 214, 255), kWhite, 0.9f, MakeRGB(247, 251, 255)},
        // Exact halves go to even: 127.5 -> 128, 126.5 -> 126, 0.5 -> 0.
        {"halves to even", kBlack, MakeRGB(255, 253, 1), 0.5f, MakeRGB(128, 126, 0)},
        {"halves to even going down", MakeRGB(3, 1, 5), kBlack, 0.5f, MakeRGB(2, 0, 2)},
        // The single-precision ratios decide near-ties: with exact decimals
        // these would round the other way.
        {"shade 0.1 of 15 is 13 (0x3DCCCCCD is just above 0.1)", MakeRGB(15, 0, 0), kBlack, kShade01,
         MakeRGB(13, 0, 0)},
        {"tint 0.3 of 240 is 245 (0x3E99999A is above 0.3)", MakeRGB(240, 0, 0), kWhite, kTint03,
         MakeRGB(245, 77, 77)},  // 0 + 76.5000030 -> 77
        {"tint 0.7 of 250 is 253 (0x3F333333 is below 0.7)", MakeRGB(250, 0, 0), kWhite, kTint07,
         MakeRGB(253, 178, 178)},
        {"tint 0.9 of 240 is 253 (0x3F666666 is below 0.9)", MakeRGB(240, 0, 0), kWhite, kTint09,
         MakeRGB(253, 229, 229)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BlendColor(c.a, c.b, c.ratio), c.want) << c.name;
}

TEST(BlendColor, ShadeAndTintNames)
{
    const Colour base = MakeRGB(40, 80, 160);
    EXPECT_EQ(ShadeColor(base, kShade01), MakeRGB(36, 72, 144));
    EXPECT_EQ(TintColor(base, kTint07), MakeRGB(190, 202, 226));
    EXPECT_EQ(TintColor(base, kTint05), MakeRGB(148, 168, 208));
}

TEST(GradientStep, Examples)
{
    struct Case {
        std::int16_t from, to, bands, want;
    } cases[] = {
        {10, 12, 5, 1},    // fewer levels than bands: one level per band
        {12, 10, 5, -1},
        {0, 100, 3, 33},   // truncated
        {100, 0, 3, -33},  // truncated toward zero
        {7, 7, 4, 0},
        {0, 255, 100, 2},
        {0, 10, 10, 1},
        {0, 10, 0, 10},    // no bands: the whole difference at once
    };
    for (const Case& c : cases)
        EXPECT_EQ(GradientStep(c.from, c.to, c.bands), c.want) << c.from << "->" << c.to << " in " << c.bands;
}

TEST(ClampToTarget, StopsOnlyPastTheTarget)
{
    EXPECT_EQ(ClampToTarget(260, 0, 255), 255);
    EXPECT_EQ(ClampToTarget(200, 0, 255), 200);
    EXPECT_EQ(ClampToTarget(-3, 100, 0), 0);
    EXPECT_EQ(ClampToTarget(50, 100, 0), 50);
    EXPECT_EQ(ClampToTarget(9, 5, 5), 9);  // equal ends never clamp
}
