// Every drawing routine deletes what it creates: many calls leave the
// number of live GDI objects unchanged and nothing selected into the
// caller's surface.
#include "GdiCount.h"

#include "tessara/kit/MdlCreateLogFont.h"
#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlMemDC.h"
#include "tessara/kit/MdlSmoothDraw.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kCalls = 1000;

TEST(GdiBalance, TheMeasureSeesALeak)
{
    const int before = kittest::LiveGdiObjects();
    EXPECT_EQ(kittest::LiveGdiObjects(), before);
    std::vector<HBRUSH> kept;
    for (int i = 0; i < 5; ++i)
        kept.push_back(::CreateSolidBrush(0));
    EXPECT_NE(kittest::LiveGdiObjects(), before);
    for (HBRUSH b : kept)
        ::DeleteObject(b);
    EXPECT_EQ(kittest::LiveGdiObjects(), before);
}

TEST(GdiBalance, RoutinesCreateAndDeleteTheirOwnObjects)
{
    HDC dc = kit::CreateMemDC(48, 32);
    ASSERT_NE(dc, nullptr);
    HDC img = kit::CreateMemDC(20, 14);
    HRGN rgn = ::CreateEllipticRgn(2, 2, 20, 20);
    HBITMAP spare = ::CreateCompatibleBitmap(dc, 8, 8);
    host::Font font;
    const RECT rc{2, 2, 40, 28};
    const kit::Colour c = kit::MakeRGB(90, 140, 220);
    struct Routine {
        const char* name;
        std::function<void()> call;
    };
    const std::vector<Routine> routines = {
        {"SmoothPixel", [&] { kit::SmoothPixel(dc, 3.3f, 4.6f, c); }},
        {"SmoothCircle", [&] { kit::SmoothCircle(dc, 20, 15, 9, c, 12.0f); }},
        {"SmoothArc", [&] { kit::SmoothArc(dc, 2, 2, 9, 7, c, 0.0f, 180.0f, 10.0f); }},
        {"SmoothRoundRect", [&] { kit::SmoothRoundRect(dc, 1, 1, 40, 28, 3, 3, c, 3.0f); }},
        {"GradientFillRect", [&] { kit::GradientFillRect(dc, rc, c, kit::kWhite, 4); }},
        {"DrawTriangle", [&] { kit::DrawTriangle(dc, c, rc, kit::kDown, 4); }},
        {"FillRectColor", [&] { kit::FillRectColor(dc, rc, c); }},
        {"FrameRectColor", [&] { kit::FrameRectColor(dc, rc, c); }},
        {"FillRgnColor", [&] { kit::FillRgnColor(dc, rgn, c); }},
        {"FillLine", [&] { kit::FillLine(dc, 1, 5, 30, 5, c, 2); }},
        {"DrawRoundBox", [&] { kit::DrawRoundBox(dc, 1, 1, 40, 20, 4, c, true, false, true, false); }},
        {"DrawButtonFace", [&] { kit::DrawButtonFace(dc, 0, 0, 44, 24, 3, c, 0, true, false, true, false); }},
        {"DrawFramedBox", [&] { kit::DrawFramedBox(dc, 1, 1, 30, 20, c, true); }},
        {"DrawExpandBox", [&] { kit::DrawExpandBox(dc, 2, 2, 11, 11, c, true); }},
        {"DrawTabShape", [&] { kit::DrawTabShape(dc, 1, 1, 40, 24, 3, c, 2, 3.0f, true); }},
        {"CreateMemDC", [&] { kit::DeleteMemDC(kit::CreateMemDC(16, 16)); }},
        {"CreateMemDCFromBitmap",
         [&] {
             HDC image = kit::CreateMemDCFromBitmap(spare);
             ASSERT_NE(image, nullptr);
             kit::DeleteMemDC(image);
         }},
        {"BlitWithBorders", [&] { kit::BlitWithBorders(dc, 19, 3, 21, 17, img, 0, 0, 20, 14, 1); }},
        {"CreateFontFromStdFont", [&] { ::DeleteObject(kit::CreateFontFromStdFont(font)); }},
    };
    const HGDIOBJ brush = ::GetCurrentObject(dc, OBJ_BRUSH);
    const HGDIOBJ pen = ::GetCurrentObject(dc, OBJ_PEN);
    const HGDIOBJ bitmap = ::GetCurrentObject(dc, OBJ_BITMAP);
    const HGDIOBJ fnt = ::GetCurrentObject(dc, OBJ_FONT);
    for (const Routine& r : routines) {
        // The first call may fill the system's own caches (the screen's
        // device context, font data); those stay by design.
        r.call();
        const int before = kittest::LiveGdiObjects();
        for (int i = 0; i < kCalls; ++i)
            r.call();
        EXPECT_EQ(kittest::LiveGdiObjects(), before) << r.name;
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), brush) << r.name;
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), pen) << r.name;
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), bitmap) << r.name;
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), fnt) << r.name;
    }
    ::DeleteObject(rgn);
    ::DeleteObject(spare);
    kit::DeleteMemDC(img);
    kit::DeleteMemDC(dc);
}

} // namespace
