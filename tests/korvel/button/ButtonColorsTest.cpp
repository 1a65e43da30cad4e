// Shading, derived colours and gradient bands of the launcher's button.
#include "korvel/button/ButtonColors.h"

#include <gtest/gtest.h>

using namespace kx;

namespace {

struct ShadeCase {
    const char* label;
    Rgb colour;
    int delta;
    bool blueScaled;
    bool avoidExtremes;
    bool invert;
    Rgb expected;
};

// Green and blue are stretched by 256/255 and rounded to the nearest whole
// number before the delta is added; red is not.
const ShadeCase kShadeCases[] = {
    {"grey lightened: green and blue round up, red does not", 0x808080, 16, false, false, false, 0x919190},
    {"blue scaled by its level (+16)", 0x808080, 16, true, false, false, 0x8B9190},
    {"blue scaled, negative delta truncates toward zero", 0x808080, -32, true, false, false, 0x6C6160},
    {"white clamps at 255", 0xFFFFFF, 48, false, false, false, 0xFFFFFF},
    {"black clamps at 0", 0x000000, -10, false, false, false, 0x000000},
    {"mixed channels clamp separately", 0x10F020, 40, false, false, false, 0x38FF48},
    {"invert turns each channel into 255 - channel", 0x102030, 0, false, false, true, 0xEFDFCF},
    {"extreme without the retry stays white", 0xF0F0F0, 40, false, false, false, 0xFFFFFF},
    {"white result retried with the opposite delta", 0xF0F0F0, 40, false, true, false, 0xC9C9C8},
    {"black result with delta 0 retried with 64", 0x000000, 0, false, true, false, 0x404040},
    {"extreme both ways stops after one retry", 0xFF00FF, -256, false, true, false, 0xFFFFFF},
};

}  // namespace

TEST(ShadeColor, Table)
{
    for (const auto& c : kShadeCases) {
        Rgb got = ShadeColor(c.colour, c.delta, c.blueScaled, c.avoidExtremes, c.invert);
        EXPECT_EQ(got, c.expected) << c.label << ": got 0x" << std::hex << got << " expected 0x" << c.expected;
    }
}

TEST(DeriveColours, EachStyleFamily)
{
    const Rgb back = 0x808080, hover = 0x204060;
    // Styles 0, 1, 4, 5, 6 keep the back colours and select a light grey.
    DerivedColours plain = DeriveColours(0, back, hover);
    EXPECT_EQ(plain.face, back);
    EXPECT_EQ(plain.shadow, back);
    EXPECT_EQ(plain.hoverFace, hover);
    EXPECT_EQ(plain.selectedFace, ShadeColor(0xFFFFFF, -32));
    EXPECT_EQ(plain.selectedFace, 0xE0E0DFu);

    DerivedColours s3 = DeriveColours(3, back, hover);
    EXPECT_EQ(s3.face, back);
    EXPECT_EQ(s3.shadow, 0x8D8D8Cu);        // grey shaded by 12
    EXPECT_EQ(s3.selectedFace, 0xADADABu);  // that shadow shaded by 31

    DerivedColours s2 = DeriveColours(2, back, hover);
    EXPECT_EQ(s2.face, ShadeColor(back, 48, true));
    EXPECT_EQ(s2.shadow, ShadeColor(s2.face, -32, true));  // from the new face, not the back colour
    EXPECT_EQ(s2.hoverFace, ShadeColor(hover, 48, true));

    DerivedColours s7 = DeriveColours(7, back, hover);
    EXPECT_EQ(s7.face, ShadeColor(back, 31));
    EXPECT_EQ(s7.shadow, ShadeColor(0x808080, -16));
    EXPECT_EQ(s7.hoverFace, ShadeColor(hover, 31));
    EXPECT_EQ(s7.selectedFace, ShadeColor(0x808080, 16, true));
}

TEST(GradientBands, OnePixelBandsFromStartToEnd)
{
    auto bands = GradientBands(1, 10, 1000, 0x000000, MakeRgb(200, 0, 255));
    ASSERT_EQ(bands.size(), 10u);
    EXPECT_EQ(bands.front().from, 0);
    EXPECT_EQ(bands.front().to, 1);
    EXPECT_EQ(bands.front().colour, 0x000000u);
    EXPECT_EQ(bands.back().from, 9);
    EXPECT_EQ(bands.back().colour, MakeRgb(200, 0, 255));
    // Channels are cut, not rounded: 200/9 = 22.2, 256/9 = 28.4.
    EXPECT_EQ(bands[1].colour, MakeRgb(22, 0, 28));
}

TEST(GradientBands, EvenModesRunBackwards)
{
    auto bands = GradientBands(4, 10, 1000, 0x0000FF, 0xFF0000);
    ASSERT_EQ(bands.size(), 10u);
    EXPECT_EQ(bands.front().from, 9);  // the start colour sits at the far edge
    EXPECT_EQ(bands.front().colour, 0x0000FFu);
    EXPECT_EQ(bands.back().from, 0);
    EXPECT_EQ(bands.back().colour, 0xFF0000u);
}

TEST(GradientBands, TwoPixelBandsWhenTheControlIsLargeForTheScreen)
{
    // screen / extent = 2 is not above 3.
    auto bands = GradientBands(3, 9, 18, 0x000000, 0xFFFFFF);
    ASSERT_EQ(bands.size(), 5u);
    EXPECT_EQ(bands[0].to - bands[0].from, 2);
    EXPECT_EQ(bands[4].from, 8);
    EXPECT_EQ(bands[4].to, 9);  // the odd last pixel is still covered
    EXPECT_EQ(bands[4].colour, 0xFFFFFFu);
}

TEST(GradientBands, SingleBandAndBadInput)
{
    auto one = GradientBands(1, 1, 1000, 0x123456, 0xFFFFFF);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].colour, 0x123456u);
    EXPECT_TRUE(GradientBands(0, 10, 1000, 0, 0).empty());
    EXPECT_TRUE(GradientBands(1, 0, 1000, 0, 0).empty());
}
