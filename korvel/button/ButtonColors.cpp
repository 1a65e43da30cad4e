#include "ButtonColors.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kx {

namespace {

// Round half to even, as the stored colour arithmetic has always done.
int Nearest(double v) { return static_cast<int>(std::nearbyint(v)); }

int Clamp255(int v) { return std::clamp(v, 0, 255); }

Rgb ShadeOnce(Rgb colour, int delta, bool blueScaled, bool invert)
{
    int red = RedOf(colour) + delta;
    int green = Nearest(static_cast<double>(colour & 0xFF00) / 255.0) + delta;
    int b0 = Nearest(static_cast<double>(colour & 0xFF0000) / 65280.0);
    int blue = blueScaled ? b0 + (delta * b0) / 192 : b0 + delta;
    red = Clamp255(red);
    green = Clamp255(green);
    blue = Clamp255(blue);
    if (invert) {
        red = std::abs(255 - red);
        green = std::abs(255 - green);
        blue = std::abs(255 - blue);
    }
    return MakeRgb(red, green, blue);
}

}  // namespace

Rgb ShadeColor(Rgb colour, int delta, bool blueScaled, bool avoidExtremes, bool invert)
{
    Rgb result = ShadeOnce(colour, delta, blueScaled, invert);
    // One retry only: some colours (pure magenta shaded by 255) reach an
    // extreme in both directions and would otherwise loop for ever.
    if (avoidExtremes && (result == 0 || result == 0xFFFFFF)) {
        delta = delta == 0 ? 64 : -delta;
        result = ShadeOnce(colour, delta, blueScaled, invert);
    }
    return result;
}

DerivedColours DeriveColours(int buttonStyle, Rgb back, Rgb hoverBack)
{
    DerivedColours d;
    d.face = back;
    d.shadow = back;
    d.hoverFace = hoverBack;
    switch (buttonStyle) {
    case 7:
        d.face = ShadeColor(back, 31);
        d.shadow = ShadeColor(kGrey, -16);
        d.hoverFace = ShadeColor(hoverBack, 31);
        d.selectedFace = ShadeColor(kGrey, 16, true);
        break;
    case 2:
        d.face = ShadeColor(back, 48, true);
        d.shadow = ShadeColor(d.face, -32, true);
        d.hoverFace = ShadeColor(hoverBack, 48, true);
        d.selectedFace = ShadeColor(kWhite, -32, true);
        break;
    case 3:
        d.shadow = ShadeColor(kGrey, 12);
        d.selectedFace = ShadeColor(d.shadow, 31);
        break;
    default:
        d.selectedFace = ShadeColor(kWhite, -32);
        break;
    }
    return d;
}

std::vector<GradientBand> GradientBands(int mode, int extent, int screenExtent, Rgb start, Rgb end)
{
    std::vector<GradientBand> bands;
    if (extent <= 0 || mode < 1 || mode > 4)
        return bands;
    const int thickness = static_cast<double>(screenExtent) / extent > 3.0 ? 1 : 2;
    const int count = (extent + thickness - 1) / thickness;

    const double s[3] = {static_cast<double>(RedOf(start)), GreenOf(start) * 256.0 / 255.0,
                         BlueOf(start) * 256.0 / 255.0};
    const double e[3] = {static_cast<double>(RedOf(end)),
                         static_cast<double>(Nearest(GreenOf(end) * 256.0 / 255.0)),
                         static_cast<double>(Nearest(BlueOf(end) * 256.0 / 255.0))};
    double step[3] = {0, 0, 0};
    if (count > 1)
        for (int k = 0; k < 3; ++k)
            step[k] = (e[k] - s[k]) / (count - 1);

    const bool reverse = mode == 2 || mode == 4;
    bands.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        Rgb colour = start;
        if (i > 0) {
            int ch[3];
            for (int k = 0; k < 3; ++k) {
                // The tiny bias keeps a channel that lands exactly on a whole
                // number from being cut one below it by rounding noise.
                double v = std::clamp(s[k] + step[k] * i, 0.0, 255.0);
                ch[k] = static_cast<int>(v + 1e-9);
            }
            colour = MakeRgb(ch[0], ch[1], ch[2]);
        }
        int from = i * thickness;
        int to = std::min(extent, from + thickness);
        if (reverse) {
            int f = extent - to;
            to = extent - from;
            from = f;
        }
        bands.push_back({from, to, colour});
    }
    return bands;
}

}  // namespace kx
