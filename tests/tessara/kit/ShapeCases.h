// The drawing routines' worked examples as one table, run on any surface:
// natively on a pixel buffer and, in the Windows build, on a GDI memory
// surface through the kit's device-context entry points.
#pragma once
#include "tessara/kit/ShapeDraw.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kittest {

using kit::Colour;
using kit::MakeRGB;
using kit::Rect;

// One drawing target, all routines in the kit's argument order.
class Surface {
public:
    virtual ~Surface() = default;
    virtual void Reset(int w, int h, Colour background) = 0;
    virtual Colour Pixel(int x, int y) = 0;
    virtual void SmoothPixel(float x, float y, Colour c) = 0;
    virtual void SmoothCircle(int cx, int cy, int radius, Colour c, float step) = 0;
    virtual float SmoothRoundRect(int l, int t, int r, int b, int rx, int ry, Colour c, float step) = 0;
    virtual bool GradientFillRect(const Rect& rc, Colour top, Colour bottom, std::optional<int> bands) = 0;
    virtual bool DrawTriangle(Colour c, const Rect& rc, int direction, int size, int ox, int oy) = 0;
    virtual void FillLine(int x1, int y1, int x2, int y2, Colour c, int width) = 0;
    virtual void FillRectColor(const Rect& rc, Colour c) = 0;
    virtual void FrameRectColor(const Rect& rc, Colour c) = 0;
    virtual void DrawRoundBox(int l, int t, int r, int b, int radius, Colour base, bool dark, bool pressed,
                              bool full, bool swap) = 0;
    virtual void DrawButtonFace(int l, int t, int r, int b, int radius, Colour face, Colour border, bool focused,
                                bool pressed, bool full, bool swap) = 0;
    virtual void DrawFramedBox(int l, int t, int r, int b, Colour c, bool strong) = 0;
    virtual void DrawExpandBox(int l, int t, int r, int b, Colour c, bool collapsed) = 0;
    virtual float DrawTabShape(int l, int t, int r, int b, int radius, Colour c, int side, float step,
                               bool selected) = 0;
};

struct PixelExpect {
    int x;
    int y;
    Colour colour;
};

constexpr double kNoResult = std::numeric_limits<double>::quiet_NaN();

struct ShapeCase {
    std::string name;
    int w;
    int h;
    Colour background;
    std::function<double(Surface&)> draw;  // the routine's result (1/0 for Booleans) or kNoResult
    double result;
    std::vector<PixelExpect> pixels;
    bool onlyThese;  // every pixel not listed must keep the background
};

inline void PrintTo(const ShapeCase& c, std::ostream* os) { *os << c.name; }

// Hand-worked colours. Base B = RGB(40, 80, 160).
constexpr Colour B = MakeRGB(40, 80, 160);
constexpr Colour B_DARK = MakeRGB(36, 72, 144);    // shade 0.1
constexpr Colour B_LIGHT = MakeRGB(190, 202, 226); // tint 0.7 (single-precision 0.7 rounds 190.4999 down)
constexpr Colour B_MID = MakeRGB(148, 168, 208);   // tint 0.5, 147.5 -> 148 (halves to even)
constexpr Colour B_TINT03 = MakeRGB(105, 133, 189);  // 104.50000256 -> 105: the ratio is 0x3E99999A
constexpr Colour C = MakeRGB(200, 40, 0);
constexpr Colour C_MID = MakeRGB(228, 148, 128);
constexpr Colour BG = MakeRGB(1, 2, 3);
constexpr Colour BLACK = 0x000000;
constexpr Colour WHITE = 0xFFFFFF;

inline Colour Gray(int v) { return MakeRGB(v, v, v); }

inline std::vector<PixelExpect> RectPixels(const Rect& r, Colour c)
{
    std::vector<PixelExpect> out;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            out.push_back({x, y, c});
    return out;
}

inline std::vector<PixelExpect> Join(std::vector<std::vector<PixelExpect>> parts)
{
    std::vector<PixelExpect> out;
    for (auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline double Bool(bool b) { return b ? 1.0 : 0.0; }

inline std::vector<ShapeCase> ShapeCases()
{
    std::vector<ShapeCase> cases;
    auto add = [&](ShapeCase c) { cases.push_back(std::move(c)); };

    // Anti-aliased pixel: weights .375/.375/.125/.125 of black over white.
    add({"smooth pixel splits into four weights", 6, 6, WHITE,
         [](Surface& s) { s.SmoothPixel(1.5f, 2.25f, BLACK); return kNoResult; }, kNoResult,
         {{1, 2, Gray(159)}, {2, 2, Gray(159)}, {1, 3, Gray(223)}, {2, 3, Gray(223)}}, true});
    // Samples at 0, 90, 180, 270 and 360 degrees land on whole pixels.
    add({"circle with a 90 degree step hits four pixels", 20, 20, WHITE,
         [](Surface& s) { s.SmoothCircle(10, 10, 4, BLACK, 90.0f); return kNoResult; }, kNoResult,
         {{10, 6, BLACK}, {14, 10, BLACK}, {10, 14, BLACK}, {6, 10, BLACK}}, true});

    // Gradients.
    add({"gradient with bands omitted: one band per row", 10, 100, BG,
         [](Surface& s) { return Bool(s.GradientFillRect({0, 0, 10, 100}, BLACK, WHITE, std::nullopt)); }, 1,
         {{0, 0, Gray(0)}, {9, 1, Gray(2)}, {5, 50, Gray(100)}, {5, 99, Gray(198)}}, false});
    add({"gradient with 3 bands and a fourth for the last row", 10, 100, BG,
         [](Surface& s) { return Bool(s.GradientFillRect({0, 0, 10, 100}, BLACK, WHITE, 3)); }, 1,
         {{0, 0, Gray(0)}, {0, 32, Gray(0)}, {0, 33, Gray(85)}, {9, 65, Gray(85)}, {0, 66, Gray(170)},
          {0, 98, Gray(170)}, {0, 99, Gray(255)}, {9, 99, Gray(255)}},
         false});
    add({"gradient channels stop at the target", 4, 20, BG,
         [](Surface& s) { return Bool(s.GradientFillRect({0, 0, 4, 20}, BLACK, MakeRGB(10, 0, 0), std::nullopt)); },
         1, {{0, 0, MakeRGB(0, 0, 0)}, {0, 5, MakeRGB(5, 0, 0)}, {0, 10, MakeRGB(10, 0, 0)}, {3, 19, MakeRGB(10, 0, 0)}},
         false});
    add({"gradient refuses left -1", 12, 12, BG,
         [](Surface& s) { return Bool(s.GradientFillRect({-1, 0, 10, 10}, BLACK, WHITE, std::nullopt)); }, 0, {},
         true});
    add({"gradient refuses top -1", 12, 12, BG,
         [](Surface& s) { return Bool(s.GradientFillRect({0, -1, 10, 10}, BLACK, WHITE, std::nullopt)); }, 0, {},
         true});
    add({"gradient refuses more bands than rows", 10, 100, BG,
         [](Surface& s) { return Bool(s.GradientFillRect({0, 0, 10, 100}, BLACK, WHITE, 101)); }, 0, {}, true});
    add({"gradient refuses a band count of 0", 10, 10, BG,
         [](Surface& s) { return Bool(s.GradientFillRect({0, 0, 10, 10}, BLACK, WHITE, 0)); }, 0, {}, true});
    add({"gradient refuses an empty rectangle", 10, 10, BG,
         [](Surface& s) { return Bool(s.GradientFillRect({2, 2, 2, 9}, BLACK, WHITE, std::nullopt)); }, 0, {}, true});

    // Triangles in an 18 x 17 rectangle, size 3.
    add({"triangle left: columns of 1, 3, 5 at x 7..9 centred on y 8", 18, 17, BG,
         [](Surface& s) { return Bool(s.DrawTriangle(BLACK, {0, 0, 18, 17}, kit::shape::kLeft, 3, 0, 0)); }, 1,
         Join({RectPixels({7, 8, 8, 9}, BLACK), RectPixels({8, 7, 9, 10}, BLACK), RectPixels({9, 6, 10, 11}, BLACK)}),
         true});
    add({"triangle right: apex in the rightmost column", 18, 17, BG,
         [](Surface& s) { return Bool(s.DrawTriangle(BLACK, {0, 0, 18, 17}, kit::shape::kRight, 3, 0, 0)); }, 1,
         Join({RectPixels({9, 8, 10, 9}, BLACK), RectPixels({8, 7, 9, 10}, BLACK), RectPixels({7, 6, 8, 11}, BLACK)}),
         true});
    add({"triangle up: apex on top", 18, 17, BG,
         [](Surface& s) { return Bool(s.DrawTriangle(BLACK, {0, 0, 18, 17}, kit::shape::kUp, 3, 0, 0)); }, 1,
         Join({RectPixels({8, 7, 9, 8}, BLACK), RectPixels({7, 8, 10, 9}, BLACK), RectPixels({6, 9, 11, 10}, BLACK)}),
         true});
    add({"triangle down, pressed offset 1,1", 18, 17, BG,
         [](Surface& s) { return Bool(s.DrawTriangle(BLACK, {0, 0, 18, 17}, kit::shape::kDown, 3, 1, 1)); }, 1,
         Join({RectPixels({7, 8, 12, 9}, BLACK), RectPixels({8, 9, 11, 10}, BLACK), RectPixels({9, 10, 10, 11}, BLACK)}),
         true});
    add({"triangle refuses size 2", 18, 17, BG,
         [](Surface& s) { return Bool(s.DrawTriangle(BLACK, {0, 0, 18, 17}, kit::shape::kLeft, 2, 0, 0)); }, 0, {},
         true});
    add({"triangle refuses direction 5", 18, 17, BG,
         [](Surface& s) { return Bool(s.DrawTriangle(BLACK, {0, 0, 18, 17}, 5, 3, 0, 0)); }, 0, {}, true});
    add({"triangle refuses direction 0", 18, 17, BG,
         [](Surface& s) { return Bool(s.DrawTriangle(BLACK, {0, 0, 18, 17}, 0, 3, 0, 0)); }, 0, {}, true});

    // Lines.
    add({"horizontal line covers width rows", 12, 8, BG,
         [](Surface& s) { s.FillLine(2, 3, 8, 3, B, 2); return kNoResult; }, kNoResult,
         RectPixels({2, 3, 8, 5}, B), true});
    add({"vertical line covers width columns", 12, 8, BG,
         [](Surface& s) { s.FillLine(4, 1, 4, 6, B, 1); return kNoResult; }, kNoResult,
         RectPixels({4, 1, 5, 6}, B), true});
    add({"diagonal line draws nothing", 12, 8, BG,
         [](Surface& s) { s.FillLine(1, 1, 6, 6, B, 1); return kNoResult; }, kNoResult, {}, true});
    add({"fill and frame", 10, 8, BG,
         [](Surface& s) {
             s.FillRectColor({1, 1, 9, 7}, B);
             s.FrameRectColor({1, 1, 9, 7}, C);
             return kNoResult;
         },
         kNoResult, {{1, 1, C}, {8, 6, C}, {4, 1, C}, {8, 3, C}, {2, 2, B}, {7, 5, B}, {0, 0, BG}, {9, 7, BG}}, false});

    // Rounded outlines and the step they choose.
    add({"round rect radius 7 chooses step 6", 40, 30, BG,
         [](Surface& s) { return double(s.SmoothRoundRect(0, 0, 40, 30, 7, 7, B, 3.0f)); }, 6.0,
         {{20, 0, B}, {20, 29, B}, {0, 15, B}, {39, 15, B}, {20, 15, BG}}, false});
    add({"round rect radius 8 keeps the caller's step", 40, 30, BG,
         [](Surface& s) { return double(s.SmoothRoundRect(0, 0, 40, 30, 8, 8, B, 3.0f)); }, 3.0,
         {{20, 0, B}, {20, 29, B}, {0, 15, B}, {39, 15, B}, {20, 15, BG}}, false});
    add({"round rect radius 3 chooses step 22.5", 30, 20, BG,
         [](Surface& s) { return double(s.SmoothRoundRect(0, 0, 30, 20, 3, 3, B, 3.0f)); }, 22.5,
         {{3, 0, B}, {25, 0, B}, {10, 19, B}, {0, 10, B}, {29, 10, B}, {10, 10, BG}}, false});
    add({"round rect radius 5 (by the larger radius) chooses step 10", 30, 20, BG,
         [](Surface& s) { return double(s.SmoothRoundRect(0, 0, 30, 20, 2, 5, B, 3.0f)); }, 10.0,
         {{10, 0, B}, {0, 10, B}}, false});
    add({"round rect radius 1 draws nothing and keeps the step", 30, 20, BG,
         [](Surface& s) { return double(s.SmoothRoundRect(0, 0, 30, 20, 1, 3, B, 3.0f)); }, 3.0, {}, true});
    add({"round rect of an empty rectangle draws nothing", 30, 20, BG,
         [](Surface& s) { return double(s.SmoothRoundRect(5, 5, 5, 15, 3, 3, B, 3.0f)); }, 3.0, {}, true});

    // The rounded two-tone box, 20 x 12, radius 2: body rows 2..5 upper, 6..9 lower.
    add({"round box: base outline, light over mid", 20, 12, BG,
         [](Surface& s) { s.DrawRoundBox(0, 0, 20, 12, 2, B, false, false, false, false); return kNoResult; },
         kNoResult,
         {{10, 0, B}, {10, 11, B}, {0, 5, B}, {19, 5, B}, {10, 1, BG}, {2, 2, B_LIGHT}, {17, 5, B_LIGHT},
          {2, 6, B_MID}, {17, 9, B_MID}, {1, 5, BG}, {18, 5, BG}},
         false});
    add({"round box: dark border", 20, 12, BG,
         [](Surface& s) { s.DrawRoundBox(0, 0, 20, 12, 2, B, true, false, false, false); return kNoResult; },
         kNoResult, {{10, 0, B_DARK}, {0, 5, B_DARK}, {10, 3, B_LIGHT}}, false});
    add({"round box: pressed is light all over", 20, 12, BG,
         [](Surface& s) { s.DrawRoundBox(0, 0, 20, 12, 2, B, false, true, false, true); return kNoResult; },
         kNoResult, {{10, 3, B_LIGHT}, {10, 8, B_LIGHT}}, false});
    add({"round box: swapped tones", 20, 12, BG,
         [](Surface& s) { s.DrawRoundBox(0, 0, 20, 12, 2, B, false, false, false, true); return kNoResult; },
         kNoResult, {{10, 3, B_MID}, {10, 8, B_LIGHT}}, false});
    add({"round box radius 2, full fill reaches the outline", 20, 12, BG,
         [](Surface& s) { s.DrawRoundBox(0, 0, 20, 12, 2, B, false, false, true, false); return kNoResult; },
         kNoResult, {{10, 1, B_LIGHT}, {1, 3, B_LIGHT}, {1, 9, B_MID}, {10, 10, B_MID}, {10, 0, B}, {10, 11, B}},
         false});
    add({"round box radius 3, full fill", 20, 12, BG,
         [](Surface& s) { s.DrawRoundBox(0, 0, 20, 12, 3, B, false, false, true, false); return kNoResult; },
         kNoResult,
         {{10, 1, B_LIGHT}, {3, 1, B_LIGHT}, {2, 2, B_LIGHT}, {1, 3, B_LIGHT}, {1, 8, B_MID}, {2, 9, B_MID},
          {3, 10, B_MID}, {10, 0, B}, {10, 11, B}},
         false});
    add({"round box radius 4, full fill with 2-pixel lines", 20, 14, BG,
         [](Surface& s) { s.DrawRoundBox(0, 0, 20, 14, 4, B, false, false, true, false); return kNoResult; },
         kNoResult,
         {{10, 1, B_LIGHT}, {3, 2, B_LIGHT}, {3, 3, B_LIGHT}, {1, 5, B_LIGHT}, {1, 8, B_MID}, {3, 10, B_MID},
          {3, 11, B_MID}, {10, 12, B_MID}, {10, 13, B}, {10, 0, B}},
         false});
    add({"round box radius 5 draws nothing", 20, 12, BG,
         [](Surface& s) { s.DrawRoundBox(0, 0, 20, 12, 5, B, false, false, true, false); return kNoResult; },
         kNoResult, {}, true});
    add({"round box radius 1 draws nothing", 20, 12, BG,
         [](Surface& s) { s.DrawRoundBox(0, 0, 20, 12, 1, B, false, false, true, false); return kNoResult; },
         kNoResult, {}, true});

    // Button face 24 x 14 radius 2: the box is inset by one pixel.
    add({"button face unfocused: inset box, swap honoured", 24, 14, BG,
         [](Surface& s) { s.DrawButtonFace(0, 0, 24, 14, 2, B, C, false, false, false, true); return kNoResult; },
         kNoResult, {{10, 1, B}, {10, 0, BG}, {10, 4, B_MID}}, false});
    add({"button face focused: border inside, its tint outside, no swap", 24, 14, BG,
         [](Surface& s) { s.DrawButtonFace(0, 0, 24, 14, 2, B, C, true, false, false, true); return kNoResult; },
         kNoResult, {{10, 1, C}, {10, 0, C_MID}, {10, 13, C_MID}, {10, 12, C}, {10, 4, B_LIGHT}}, false});
    add({"button face radius 5 draws nothing", 24, 14, BG,
         [](Surface& s) { s.DrawButtonFace(0, 0, 24, 14, 5, B, C, true, false, false, false); return kNoResult; },
         kNoResult, {}, true});

    // Framed box: frame, a one-pixel gap, the tinted interior.
    add({"framed box, not strong", 10, 8, BG,
         [](Surface& s) { s.DrawFramedBox(0, 0, 10, 8, B, false); return kNoResult; }, kNoResult,
         {{0, 0, B}, {9, 7, B}, {1, 1, BG}, {2, 2, B_MID}, {7, 5, B_MID}, {8, 6, BG}}, false});
    add({"framed box, strong", 10, 8, BG,
         [](Surface& s) { s.DrawFramedBox(0, 0, 10, 8, B, true); return kNoResult; }, kNoResult,
         {{0, 0, B}, {2, 2, B_TINT03}}, false});

    // Expand box 9 x 9: body light above row 4, mid from row 4.
    add({"expand box expanded shows a minus", 9, 9, BG,
         [](Surface& s) { s.DrawExpandBox(0, 0, 9, 9, B, false); return kNoResult; }, kNoResult,
         {{2, 4, B}, {6, 4, B}, {7, 4, B_MID}, {4, 2, B_LIGHT}, {4, 3, B_LIGHT}, {4, 6, B_MID}, {1, 3, B_LIGHT}},
         false});
    add({"expand box collapsed shows a plus", 9, 9, BG,
         [](Surface& s) { s.DrawExpandBox(0, 0, 9, 9, B, true); return kNoResult; }, kNoResult,
         {{2, 4, B}, {6, 4, B}, {4, 2, B}, {4, 3, B}, {4, 6, B}, {4, 7, B_MID}, {1, 3, B_LIGHT}}, false});
    add({"expand box narrower than tall draws nothing", 9, 9, BG,
         [](Surface& s) { s.DrawExpandBox(0, 0, 5, 9, B, true); return kNoResult; }, kNoResult, {}, true});

    // Tabs 20 x 12, radius 3: half height 6.
    add({"tab rounded on top, open at the bottom", 20, 12, BG,
         [](Surface& s) { return double(s.DrawTabShape(0, 0, 20, 12, 3, B, 1, 3.0f, false)); }, 22.5,
         {{10, 0, B}, {0, 5, B}, {0, 10, B}, {19, 10, B}, {10, 1, B_LIGHT}, {2, 2, B_LIGHT}, {10, 8, B_MID},
          {10, 11, BG}, {0, 11, BG}, {19, 11, BG}},
         false});
    add({"tab rounded on top, selected swaps tones", 20, 12, BG,
         [](Surface& s) { return double(s.DrawTabShape(0, 0, 20, 12, 3, B, 1, 3.0f, true)); }, 22.5,
         {{10, 1, B_MID}, {10, 8, B_LIGHT}}, false});
    add({"tab rounded at the bottom, open on top", 20, 12, BG,
         [](Surface& s) { return double(s.DrawTabShape(0, 0, 20, 12, 3, B, 2, 3.0f, false)); }, 22.5,
         {{10, 0, BG}, {0, 0, BG}, {19, 0, BG}, {0, 1, B}, {19, 1, B}, {10, 11, B}, {10, 1, B_LIGHT},
          {10, 9, B_MID}, {3, 10, B_MID}},
         false});
    add({"tab rounded all round", 20, 12, BG,
         [](Surface& s) { return double(s.DrawTabShape(0, 0, 20, 12, 3, B, 0, 3.0f, false)); }, 22.5,
         {{10, 0, B}, {10, 11, B}, {0, 5, B}, {10, 1, B_LIGHT}, {10, 10, B_MID}}, false});
    add({"tab radius 4 chooses step 10", 20, 14, BG,
         [](Surface& s) { return double(s.DrawTabShape(0, 0, 20, 14, 4, B, 1, 3.0f, false)); }, 10.0,
         {{10, 0, B}, {3, 2, B_LIGHT}, {3, 3, B_LIGHT}}, false});
    add({"tab with side 3 draws nothing", 20, 12, BG,
         [](Surface& s) { return double(s.DrawTabShape(0, 0, 20, 12, 3, B, 3, 3.0f, false)); }, 22.5, {}, true});
    add({"tab with radius 5 draws nothing and keeps the step", 20, 12, BG,
         [](Surface& s) { return double(s.DrawTabShape(0, 0, 20, 12, 5, B, 1, 3.0f, false)); }, 3.0, {}, true});
    return cases;
}

// Runs one case; returns a description of every mismatch (empty when it holds).
inline std::vector<std::string> RunShapeCase(Surface& s, const ShapeCase& c)
{
    std::vector<std::string> errors;
    auto hex = [](Colour v) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%06X", static_cast<unsigned>(v));
        return std::string(buf);
    };
    s.Reset(c.w, c.h, c.background);
    const double r = c.draw(s);
    if (!std::isnan(c.result) && !(r == c.result))
        errors.push_back("result " + std::to_string(r) + ", expected " + std::to_string(c.result));
    std::vector<char> listed(static_cast<std::size_t>(c.w * c.h), 0);
    for (const PixelExpect& p : c.pixels) {
        listed[static_cast<std::size_t>(p.y * c.w + p.x)] = 1;
        const Colour got = s.Pixel(p.x, p.y);
        if (got != p.colour)
            errors.push_back("pixel (" + std::to_string(p.x) + "," + std::to_string(p.y) + ") is " + hex(got) +
                             ", expected " + hex(p.colour));
    }
    if (c.onlyThese) {
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x)
                if (!listed[static_cast<std::size_t>(y * c.w + x)] && s.Pixel(x, y) != c.background)
                    errors.push_back("pixel (" + std::to_string(x) + "," + std::to_string(y) + ") painted " +
                                     hex(s.Pixel(x, y)) + ", should keep the background");
    }
    return errors;
}

} // namespace kittest
