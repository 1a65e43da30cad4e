// The drawing algorithms on a plain pixel buffer.
#include "PixelCanvas.h"
#include "ShapeCases.h"

#include <gtest/gtest.h>

namespace {

using namespace kittest;
namespace shape = kit::shape;

class CanvasSurface final : public Surface {
public:
    PixelCanvas canvas{1, 1};
    void Reset(int w, int h, Colour bg) override { canvas = PixelCanvas(w, h, bg); }
    Colour Pixel(int x, int y) override { return canvas.GetPixel(x, y); }
    void SmoothPixel(float x, float y, Colour c) override { shape::SmoothPixel(canvas, x, y, c); }
    void SmoothCircle(int cx, int cy, int r, Colour c, float step) override
    {
        shape::SmoothCircle(canvas, cx, cy, r, c, step);
    }
    float SmoothRoundRect(int l, int t, int r, int b, int rx, int ry, Colour c, float step) override
    {
        return shape::SmoothRoundRect(canvas, l, t, r, b, rx, ry, c, step);
    }
    bool GradientFillRect(const Rect& rc, Colour top, Colour bottom, std::optional<int> bands) override
    {
        return shape::GradientFillRect(canvas, rc, top, bottom, bands);
    }
    bool DrawTriangle(Colour c, const Rect& rc, int dir, int size, int ox, int oy) override
    {
        return shape::DrawTriangle(canvas, c, rc, dir, size, ox, oy);
    }
    void FillLine(int x1, int y1, int x2, int y2, Colour c, int w) override
    {
        shape::FillLine(canvas, x1, y1, x2, y2, c, w);
    }
    void FillRectColor(const Rect& rc, Colour c) override { canvas.Fill(rc, c); }
    void FrameRectColor(const Rect& rc, Colour c) override { canvas.FrameRect(rc, c); }
    void DrawRoundBox(int l, int t, int r, int b, int radius, Colour base, bool dark, bool pressed, bool full,
                      bool swap) override
    {
        shape::DrawRoundBox(canvas, l, t, r, b, radius, base, dark, pressed, full, swap);
    }
    void DrawButtonFace(int l, int t, int r, int b, int radius, Colour face, Colour border, bool focused,
                        bool pressed, bool full, bool swap) override
    {
        shape::DrawButtonFace(canvas, l, t, r, b, radius, face, border, focused, pressed, full, swap);
    }
    void DrawFramedBox(int l, int t, int r, int b, Colour c, bool strong) override
    {
        shape::DrawFramedBox(canvas, l, t, r, b, c, strong);
    }
    void DrawExpandBox(int l, int t, int r, int b, Colour c, bool collapsed) override
    {
        shape::DrawExpandBox(canvas, l, t, r, b, c, collapsed);
    }
    float DrawTabShape(int l, int t, int r, int b, int radius, Colour c, int side, float step,
                       bool selected) override
    {
        return shape::DrawTabShape(canvas, l, t, r, b, radius, c, side, step, selected);
    }
};

class ShapeTable : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(ShapeTable, PixelsMatchTheWorkedExample)
{
    CanvasSurface s;
    const auto errors = RunShapeCase(s, GetParam());
    std::string all;
    for (const auto& e : errors)
        all += "\n  " + e;
    EXPECT_TRUE(errors.empty()) << GetParam().name << all;
}

INSTANTIATE_TEST_SUITE_P(Kit, ShapeTable, ::testing::ValuesIn(ShapeCases()),
                         [](const ::testing::TestParamInfo<ShapeCase>& i) { return "case" + std::to_string(i.index); });

TEST(ShapeCommands, OneBrushPerTriangleAndPerOutlineEdgeSet)
{
    PixelCanvas c(20, 20);
    ASSERT_TRUE(shape::DrawTriangle(c, 0, {0, 0, 20, 20}, shape::kUp, 5));
    EXPECT_EQ(c.brushes(), 1);
    c.Clear(kit::kWhite);
    shape::SmoothRoundRect(c, 0, 0, 20, 20, 3, 3, 0, 3.0f);
    EXPECT_EQ(c.brushes(), 1);  // the four edges share one brush; arcs are pixels
}

TEST(ShapeCommands, ArcSamplesIncludeTheEndAngle)
{
    // 270..360 at 22.5 degrees: five samples, the last one straight up.
    PixelCanvas c(10, 10);
    shape::SmoothArc(c, 2, 2, 3, 3, 0, 270.0f, 360.0f, 22.5f);
    EXPECT_EQ(c.GetPixel(5, 2), 0u);  // angle 360: (left + rx, top) exactly
    EXPECT_EQ(c.GetPixel(2, 5), 0u);  // angle 270: (left, top + ry)
}

TEST(ShapeCommands, ArcWithoutPositiveStepDrawsNothing)
{
    for (float step : {0.0f, -5.0f}) {
        PixelCanvas c(10, 10);
        shape::SmoothArc(c, 2, 2, 3, 3, 0, 0.0f, 360.0f, step);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                ASSERT_EQ(c.GetPixel(x, y), kit::kWhite) << step;
    }
}

TEST(ShapeCommands, BorderBlitWithEdgeZeroIsOneStretch)
{
    const auto parts = shape::BorderBlitParts(5, 6, 40, 30, 1, 2, 20, 14, 0);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(parts[i].dw == 0 || parts[i].dh == 0) << "strip " << i << " should be empty";
    EXPECT_EQ(parts[4].dx, 5);
    EXPECT_EQ(parts[4].dy, 6);
    EXPECT_EQ(parts[4].dw, 40);
    EXPECT_EQ(parts[4].dh, 30);
    EXPECT_EQ(parts[4].sx, 1);
    EXPECT_EQ(parts[4].sy, 2);
    EXPECT_EQ(parts[4].sw, 20);
    EXPECT_EQ(parts[4].sh, 14);
}

TEST(ShapeCommands, BorderBlitStripsWithEdgeOne)
{
    // The tree's folder icon: 20 x 14 stretched to 21 x 17 at (19, 3).
    const auto p = shape::BorderBlitParts(19, 3, 21, 17, 0, 0, 20, 14, 1);
    const int want[5][8] = {
        {19, 3, 21, 1, 0, 0, 20, 1},      // top, full width
        {19, 19, 21, 1, 0, 13, 20, 1},    // bottom
        {19, 4, 1, 15, 0, 1, 1, 12},      // left
        {39, 4, 1, 15, 19, 1, 1, 12},     // right
        {20, 4, 19, 15, 1, 1, 18, 12},    // centre
    };
    for (int i = 0; i < 5; ++i) {
        const int got[8] = {p[i].dx, p[i].dy, p[i].dw, p[i].dh, p[i].sx, p[i].sy, p[i].sw, p[i].sh};
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(got[k], want[i][k]) << "part " << i << " field " << k;
    }
}

} // namespace
