// Colour arithmetic of the kxButtons_H button: shading, the colours each
// style derives from its back colours, and gradient bands. No Windows header.
#pragma once
#include <cstdint>
#include <vector>

namespace kx {

using Rgb = std::uint32_t;  // 0x00BBGGRR, concrete (already translated)

constexpr Rgb MakeRgb(int r, int g, int b)
{
    return static_cast<Rgb>(r) | (static_cast<Rgb>(g) << 8) | (static_cast<Rgb>(b) << 16);
}
constexpr int RedOf(Rgb c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Rgb c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kBlack = 0x000000;
constexpr Rgb kGrey = 0x808080;

// Lightens (delta > 0) or darkens a colour. Green and blue are first
// stretched by 256/255; blueScaled scales the blue change by the blue
// level. avoidExtremes retries once with the opposite delta when the result
// is pure black or white.
Rgb ShadeColor(Rgb colour, int delta, bool blueScaled = false, bool avoidExtremes = false,
               bool invert = false);

// Colours a style paints with, from the translated back and hover colours.
struct DerivedColours {
    Rgb face = 0;
    Rgb shadow = 0;
    Rgb hoverFace = 0;
    Rgb selectedFace = 0;
};
DerivedColours DeriveColours(int buttonStyle, Rgb back, Rgb hoverBack);

// One band of a gradient: a strip [from, to) along the gradient direction,
// spanning the whole other dimension.
struct GradientBand {
    int from = 0;
    int to = 0;
    Rgb colour = 0;
};

// Bands of a gradient from start to end over `extent` pixels. mode 1 and 3
// run forwards (left to right, top to bottom), 2 and 4 backwards. Bands are
// one pixel thick when screenExtent / extent > 3, else two.
std::vector<GradientBand> GradientBands(int mode, int extent, int screenExtent, Rgb start, Rgb end);

// True when the gradient runs horizontally (modes 1 and 2).
constexpr bool GradientIsHorizontal(int mode) { return mode == 1 || mode == 2; }

}  // namespace kx
