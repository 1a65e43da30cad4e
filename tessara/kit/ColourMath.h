// Colour arithmetic of the drawing kit: splitting, blending, tints and
// shades, gradient steps. No Windows header: this builds and is tested
// natively.
#pragma once
#include "host/Values.h"

#include <cstdint>

namespace kit {

using Colour = host::Colour;  // 0x00BBGGRR, plain RGB only in the kit

constexpr Colour kWhite = 0x00FFFFFF;
constexpr Colour kBlack = 0x00000000;

// The ratios of the kit's standard tints and shades, as single-precision
// constants (0.1 is 0x3DCCCCCD, 0.7 is 0x3F333333 ...).
constexpr float kShade01 = 0.1f;
constexpr float kTint03 = 0.3f;
constexpr float kTint05 = 0.5f;
constexpr float kTint07 = 0.7f;
constexpr float kTint09 = 0.9f;

struct RGBTriple {
    std::int16_t red = 0;
    std::int16_t green = 0;
    std::int16_t blue = 0;
    bool operator==(const RGBTriple& o) const { return red == o.red && green == o.green && blue == o.blue; }
};

constexpr Colour MakeRGB(int r, int g, int b)
{
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

void SplitRGB(Colour c, std::int16_t& red, std::int16_t& green, std::int16_t& blue);
RGBTriple ColorToRGB(Colour c);

// Each channel a + (b - a) * min(ratio, 1), computed in extended precision
// and rounded halves-to-even. Ratios below 0 (and NaN) count as 0, so the
// result always stays between the two colours.
Colour BlendColor(Colour a, Colour b, float ratio);
// Towards black and towards white: ShadeColor(c, kShade01) is "shade 0.1",
// TintColor(c, kTint07) is "tint 0.7".
Colour ShadeColor(Colour c, float ratio);
Colour TintColor(Colour c, float ratio);

// Per-band channel step of the banded gradient: 0 for equal ends, +-1 when
// there are more bands than channel levels to cross, else the difference
// divided by the band count (truncated). A band count below 1 counts as 1.
std::int16_t GradientStep(std::int16_t from, std::int16_t to, std::int16_t bands);
// Stops a channel that has run past its target.
std::int16_t ClampToTarget(std::int16_t value, std::int16_t from, std::int16_t to);

} // namespace kit
