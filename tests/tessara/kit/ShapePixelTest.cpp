// The drawing routines through their device-context entry points, checked on
// the pixels of memory surfaces.
#include "PixelCanvas.h"
#include "ShapeCases.h"

#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlMemDC.h"
#include "tessara/kit/MdlSmoothDraw.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

using namespace kittest;

RECT Win(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

class DcSurface final : public Surface {
public:
    ~DcSurface() override { kit::DeleteMemDC(dc_); }
    HDC dc() const { return dc_; }
    void Reset(int w, int h, Colour bg) override
    {
        kit::DeleteMemDC(dc_);
        dc_ = kit::CreateMemDC(w, h);
        ASSERT_NE(dc_, nullptr);
        kit::FillRectColor(dc_, 0, 0, w, h, bg);
    }
    Colour Pixel(int x, int y) override { return ::GetPixel(dc_, x, y); }
    void SmoothPixel(float x, float y, Colour c) override { kit::SmoothPixel(dc_, x, y, c); }
    void SmoothCircle(int cx, int cy, int r, Colour c, float step) override
    {
        kit::SmoothCircle(dc_, cx, cy, r, c, step);
    }
    float SmoothRoundRect(int l, int t, int r, int b, int rx, int ry, Colour c, float step) override
    {
        return kit::SmoothRoundRect(dc_, l, t, r, b, rx, ry, c, step);
    }
    bool GradientFillRect(const Rect& rc, Colour top, Colour bottom, std::optional<int> bands) override
    {
        return kit::GradientFillRect(dc_, Win(rc), top, bottom, bands);
    }
    bool DrawTriangle(Colour c, const Rect& rc, int dir, int size, int ox, int oy) override
    {
        return kit::DrawTriangle(dc_, c, Win(rc), dir, size, ox, oy);
    }
    void FillLine(int x1, int y1, int x2, int y2, Colour c, int w) override
    {
        kit::FillLine(dc_, x1, y1, x2, y2, c, w);
    }
    void FillRectColor(const Rect& rc, Colour c) override { kit::FillRectColor(dc_, Win(rc), c); }
    void FrameRectColor(const Rect& rc, Colour c) override { kit::FrameRectColor(dc_, Win(rc), c); }
    void DrawRoundBox(int l, int t, int r, int b, int radius, Colour base, bool dark, bool pressed, bool full,
                      bool swap) override
    {
        kit::DrawRoundBox(dc_, l, t, r, b, radius, base, dark, pressed, full, swap);
    }
    void DrawButtonFace(int l, int t, int r, int b, int radius, Colour face, Colour border, bool focused,
                        bool pressed, bool full, bool swap) override
    {
        kit::DrawButtonFace(dc_, l, t, r, b, radius, face, border, focused, pressed, full, swap);
    }
    void DrawFramedBox(int l, int t, int r, int b, Colour c, bool strong) override
    {
        kit::DrawFramedBox(dc_, l, t, r, b, c, strong);
    }
    void DrawExpandBox(int l, int t, int r, int b, Colour c, bool collapsed) override
    {
        kit::DrawExpandBox(dc_, l, t, r, b, c, collapsed);
    }
    float DrawTabShape(int l, int t, int r, int b, int radius, Colour c, int side, float step,
                       bool selected) override
    {
        return kit::DrawTabShape(dc_, l, t, r, b, radius, c, side, step, selected);
    }

private:
    HDC dc_ = nullptr;
};

class MemorySurfaceTable : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(MemorySurfaceTable, PixelsMatchTheWorkedExample)
{
    DcSurface s;
    const auto errors = RunShapeCase(s, GetParam());
    std::string all;
    for (const auto& e : errors)
        all += "\n  " + e;
    EXPECT_TRUE(errors.empty()) << GetParam().name << all;
}

INSTANTIATE_TEST_SUITE_P(Kit, MemorySurfaceTable, ::testing::ValuesIn(ShapeCases()),
                         [](const ::testing::TestParamInfo<ShapeCase>& i) { return "case" + std::to_string(i.index); });

// Every anti-aliased and composite shape gives the same frame on a memory
// surface as on the plain pixel buffer, pixel for pixel, including the
// blended corner pixels no hand-worked example covers.
TEST(MemorySurface, EveryShapeMatchesThePixelBufferExactly)
{
    struct Draw {
        const char* name;
        std::function<void(kit::Canvas&)> onCanvas;
        std::function<void(HDC)> onDc;
    };
    const Colour base = MakeRGB(90, 140, 220);
    const Colour edge = MakeRGB(210, 60, 30);
    std::vector<Draw> draws;
    for (int radius = 2; radius <= 4; ++radius) {
        for (int flags = 0; flags < 16; ++flags) {
            const bool a = flags & 1, b = flags & 2, c = flags & 4, d = flags & 8;
            draws.push_back({"round box",
                             [=](kit::Canvas& k) { kit::shape::DrawRoundBox(k, 3, 2, 37, 21, radius, base, a, b, c, d); },
                             [=](HDC dc) { kit::DrawRoundBox(dc, 3, 2, 37, 21, radius, base, a, b, c, d); }});
            draws.push_back({"button face",
                             [=](kit::Canvas& k) {
                                 kit::shape::DrawButtonFace(k, 1, 1, 39, 23, radius, base, edge, a, b, c, d);
                             },
                             [=](HDC dc) { kit::DrawButtonFace(dc, 1, 1, 39, 23, radius, base, edge, a, b, c, d); }});
        }
        for (int side = 0; side <= 2; ++side)
            for (int sel = 0; sel <= 1; ++sel)
                draws.push_back({"tab",
                                 [=](kit::Canvas& k) {
                                     kit::shape::DrawTabShape(k, 2, 2, 38, 22, radius, base, side, 3.0f, sel);
                                 },
                                 [=](HDC dc) { kit::DrawTabShape(dc, 2, 2, 38, 22, radius, base, side, 3.0f, sel); }});
    }
    for (int r = 2; r <= 9; ++r)
        draws.push_back({"round rect",
                         [=](kit::Canvas& k) { kit::shape::SmoothRoundRect(k, 1, 1, 39, 23, r, r, edge, 3.0f); },
                         [=](HDC dc) { kit::SmoothRoundRect(dc, 1, 1, 39, 23, r, r, edge, 3.0f); }});
    draws.push_back({"circle", [=](kit::Canvas& k) { kit::shape::SmoothCircle(k, 20, 12, 9, edge, 12.0f); },
                     [=](HDC dc) { kit::SmoothCircle(dc, 20, 12, 9, edge, 12.0f); }});
    draws.push_back({"arc", [=](kit::Canvas& k) { kit::shape::SmoothArc(k, 4, 3, 15, 8, edge, 33.0f, 301.0f, 7.5f); },
                     [=](HDC dc) { kit::SmoothArc(dc, 4, 3, 15, 8, edge, 33.0f, 301.0f, 7.5f); }});
    draws.push_back({"gradient",
                     [=](kit::Canvas& k) { kit::shape::GradientFillRect(k, {2, 1, 30, 23}, base, edge, 5); },
                     [=](HDC dc) {
                         const RECT rc{2, 1, 30, 23};
                         kit::GradientFillRect(dc, rc, base, edge, 5);
                     }});
    for (int collapsed = 0; collapsed <= 1; ++collapsed)
        draws.push_back({"expand box",
                         [=](kit::Canvas& k) { kit::shape::DrawExpandBox(k, 5, 5, 16, 14, base, collapsed); },
                         [=](HDC dc) { kit::DrawExpandBox(dc, 5, 5, 16, 14, base, collapsed); }});

    const int w = 40, h = 24;
    const Colour bg = MakeRGB(250, 250, 245);
    for (std::size_t i = 0; i < draws.size(); ++i) {
        PixelCanvas canvas(w, h, bg);
        draws[i].onCanvas(canvas);
        HDC dc = kit::CreateMemDC(w, h);
        ASSERT_NE(dc, nullptr);
        kit::FillRectColor(dc, 0, 0, w, h, bg);
        draws[i].onDc(dc);
        int mismatches = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (::GetPixel(dc, x, y) != canvas.GetPixel(x, y) && mismatches++ < 3)
                    ADD_FAILURE() << draws[i].name << " #" << i << " differs at (" << x << "," << y << ")";
        kit::DeleteMemDC(dc);
    }
}

} // namespace
