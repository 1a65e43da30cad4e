#include "tessara/kit/ColourMath.h"

#include "tessara/kit/PixelMath.h"

#include <cstdlib>

namespace kit {

void SplitRGB(Colour c, std::int16_t& red, std::int16_t& green, std::int16_t& blue)
{
    red = static_cast<std::int16_t>(c & 0xFF);
    green = static_cast<std::int16_t>((c / 256) & 0xFF);
    // System colours (high bit set) are outside the kit's domain; masking
    // keeps the channel in range instead of overflowing 16 bits.
    blue = static_cast<std::int16_t>((c / 65536) & 0xFF);
}

RGBTriple ColorToRGB(Colour c)
{
    RGBTriple t;
    t.red = static_cast<std::int16_t>(c & 0xFF);
    t.green = static_cast<std::int16_t>((c & 0xFF00) / 256);
    t.blue = static_cast<std::int16_t>((c & 0xFF0000) / 65536);
    return t;
}

namespace {
int BlendChannel(int a, int b, float ratio)
{
    const long double v = static_cast<long double>(a) + static_cast<long double>(b - a) * static_cast<long double>(ratio);
    std::int64_t r = RoundHalfEven(v);
    if (r < 0)
        r = 0;
    if (r > 255)
        r = 255;
    return static_cast<int>(r);
}
} // namespace

Colour BlendColor(Colour a, Colour b, float ratio)
{
    float r = ratio;
    if (!(r > 0.0f))  // also NaN
        r = 0.0f;
    if (r > 1.0f)
        r = 1.0f;
    const RGBTriple ca = ColorToRGB(a);
    const RGBTriple cb = ColorToRGB(b);
    return MakeRGB(BlendChannel(ca.red, cb.red, r), BlendChannel(ca.green, cb.green, r),
                   BlendChannel(ca.blue, cb.blue, r));
}

Colour ShadeColor(Colour c, float ratio) { return BlendColor(c, kBlack, ratio); }
Colour TintColor(Colour c, float ratio) { return BlendColor(c, kWhite, ratio); }

std::int16_t GradientStep(std::int16_t from, std::int16_t to, std::int16_t bands)
{
    if (from == to)
        return 0;
    const int d = static_cast<int>(to) - static_cast<int>(from);
    const int n = bands < 1 ? 1 : bands;
    if (n > std::abs(d))
        return static_cast<std::int16_t>(d > 0 ? 1 : -1);
    return static_cast<std::int16_t>(d / n);
}

std::int16_t ClampToTarget(std::int16_t value, std::int16_t from, std::int16_t to)
{
    if ((to > from && value > to) || (to < from && value < to))
        return to;
    return value;
}

} // namespace kit
