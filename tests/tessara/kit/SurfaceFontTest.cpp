// Off-screen surfaces, the bordered stretch copy, fonts from font objects
// and the kept frame of a window, on real GDI objects and a real window.
#include "GdiCount.h"
#include "WindowPixels.h"

#include "tessara/kit/ColourMath.h"
#include "tessara/kit/MdlCreateLogFont.h"
#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlMemDC.h"

#include "host/App.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

namespace {

using kit::Colour;
using kit::MakeRGB;

TEST(CreateMemDC, EmptySizesGiveNoSurfaceAndLeaveNothingOpen)
{
    const int before = kittest::LiveGdiObjects();
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(kit::CreateMemDC(0, 10), nullptr);
        EXPECT_EQ(kit::CreateMemDC(10, 0), nullptr);
        EXPECT_EQ(kit::CreateMemDC(-3, 4), nullptr);
    }
    EXPECT_EQ(kittest::LiveGdiObjects(), before);
}

TEST(CreateMemDC, SurfaceOwnsADisplayDepthBitmapFreedWithIt)
{
    const int before = kittest::LiveGdiObjects();
    HDC dc = kit::CreateMemDC(30, 20);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(::GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    auto bmp = static_cast<HBITMAP>(::GetCurrentObject(dc, OBJ_BITMAP));
    BITMAP info{};
    ASSERT_NE(::GetObjectW(bmp, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 30);
    EXPECT_EQ(info.bmHeight, 20);
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(info.bmBitsPixel, ::GetDeviceCaps(screen, BITSPIXEL));
    ::ReleaseDC(nullptr, screen);
    ::SetPixelV(dc, 29, 19, MakeRGB(1, 2, 3));
    EXPECT_EQ(::GetPixel(dc, 29, 19), MakeRGB(1, 2, 3));
    kit::DeleteMemDC(dc);
    EXPECT_EQ(::GetObjectType(bmp), 0u);
    EXPECT_EQ(kittest::LiveGdiObjects(), before);
}

TEST(CreateMemDCFromBitmap, TheCallerKeepsTheBitmap)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, 8, 8);
    ::ReleaseDC(nullptr, screen);
    const int before = kittest::LiveGdiObjects();
    HDC image = kit::CreateMemDCFromBitmap(bmp);
    ASSERT_NE(image, nullptr);
    kit::FillRectColor(image, 0, 0, 8, 8, MakeRGB(9, 99, 199));
    kit::DeleteMemDC(image);
    EXPECT_EQ(kittest::LiveGdiObjects(), before);
    ASSERT_EQ(::GetObjectType(bmp), static_cast<DWORD>(OBJ_BITMAP));
    // Free to be used elsewhere, with what was drawn through the surface.
    HDC other = ::CreateCompatibleDC(nullptr);
    EXPECT_NE(::SelectObject(other, bmp), nullptr);
    EXPECT_EQ(::GetPixel(other, 7, 7), MakeRGB(9, 99, 199));
    ::DeleteDC(other);
    ::DeleteObject(bmp);
}

// A source with distinct border, corner and centre colours.
HDC MakeBorderedSource(int w, int h, int edge, Colour border, Colour corner, Colour centre)
{
    HDC src = kit::CreateMemDC(w, h);
    kit::FillRectColor(src, 0, 0, w, h, centre);
    kit::FillRectColor(src, 0, 0, w, edge, border);
    kit::FillRectColor(src, 0, h - edge, w, h, border);
    kit::FillRectColor(src, 0, 0, edge, h, border);
    kit::FillRectColor(src, w - edge, 0, w, h, border);
    for (int x : {0, w - edge})
        for (int y : {0, h - edge})
            kit::FillRectColor(src, x, y, x + edge, y + edge, corner);
    return src;
}

TEST(BlitWithBorders, EdgeZeroIsOnePlainStretch)
{
    HDC src = kit::CreateMemDC(5, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            ::SetPixelV(src, x, y, MakeRGB(x * 50, y * 60, 7));
    HDC a = kit::CreateMemDC(23, 17);
    HDC b = kit::CreateMemDC(23, 17);
    kit::FillRectColor(a, 0, 0, 23, 17, 0);
    kit::FillRectColor(b, 0, 0, 23, 17, 0);
    kit::BlitWithBorders(a, 2, 1, 19, 13, src, 0, 0, 5, 4, 0);
    ::StretchBlt(b, 2, 1, 19, 13, src, 0, 0, 5, 4, SRCCOPY);
    int differing = 0;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 23; ++x)
            differing += ::GetPixel(a, x, y) != ::GetPixel(b, x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(::GetPixel(a, 2, 1), MakeRGB(0, 0, 7));
    EXPECT_EQ(::GetPixel(a, 20, 13), MakeRGB(200, 180, 7));
    for (HDC dc : {src, a, b})
        kit::DeleteMemDC(dc);
}

TEST(BlitWithBorders, BorderStripsKeepTheirThickness)
{
    const Colour border = MakeRGB(200, 0, 0), corner = MakeRGB(0, 0, 200), centre = MakeRGB(0, 200, 0);
    HDC src = MakeBorderedSource(8, 8, 2, border, corner, centre);
    HDC dst = kit::CreateMemDC(30, 20);
    kit::FillRectColor(dst, 0, 0, 30, 20, kit::kWhite);
    kit::BlitWithBorders(dst, 0, 0, 30, 20, src, 0, 0, 8, 8, 2);
    struct Probe {
        int x, y;
        Colour want;
    } probes[] = {
        {15, 0, border}, {15, 1, border}, {15, 2, centre},     // top strip exactly 2 rows
        {15, 18, border}, {15, 19, border}, {15, 17, centre},  // bottom strip
        {0, 10, border}, {1, 10, border}, {2, 10, centre},     // left strip exactly 2 columns
        {29, 10, border}, {28, 10, border}, {27, 10, centre},  // right strip
        {0, 0, corner}, {29, 19, corner}, {15, 10, centre},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(::GetPixel(dst, p.x, p.y), p.want) << p.x << "," << p.y;
    kit::DeleteMemDC(src);
    kit::DeleteMemDC(dst);
}

host::Font MakeFont(double size, bool bold = false)
{
    host::Font f;
    f.name = L"宋体";
    f.size = size;
    f.bold = bold;
    f.charset = 134;
    return f;
}

TEST(LogFont, HeightsAtTwoResolutions)
{
    struct Case {
        double points;
        int dpi;
        LONG height;
    } cases[] = {{9, 96, -12}, {10.5, 96, -13}, {12, 96, -16}, {9, 120, -15}, {10.5, 120, -17}, {12, 120, -20}};
    for (const Case& c : cases)
        EXPECT_EQ(kit::LogFontFromStdFont(MakeFont(c.points), c.dpi).lfHeight, c.height)
            << c.points << "pt at " << c.dpi;
}

TEST(LogFont, AttributesOfTheRecord)
{
    host::Font f = MakeFont(9);
    LOGFONTW plain = kit::LogFontFromStdFont(f, 96);
    EXPECT_EQ(plain.lfWeight, 400);  // not 0, which would leave the weight to the mapper
    EXPECT_EQ(plain.lfItalic, 0);
    EXPECT_EQ(plain.lfUnderline, 0);
    EXPECT_EQ(plain.lfStrikeOut, 0);
    EXPECT_EQ(plain.lfCharSet, 134);
    EXPECT_EQ(plain.lfWidth, 0);
    EXPECT_EQ(plain.lfQuality, 0);
    EXPECT_EQ(std::wstring(plain.lfFaceName), L"宋体");
    f.bold = f.italic = f.underline = f.strikethrough = true;
    f.charset = 0x1FF;  // kept as one byte
    LOGFONTW styled = kit::LogFontFromStdFont(f, 96);
    EXPECT_EQ(styled.lfWeight, 700);
    EXPECT_EQ(styled.lfItalic, 0xFF);
    EXPECT_EQ(styled.lfUnderline, 0xFF);
    EXPECT_EQ(styled.lfStrikeOut, 0xFF);
    EXPECT_EQ(styled.lfCharSet, 0xFF);
}

TEST(LogFont, OverlongFaceNamesAreCutToTheField)
{
    host::Font f = MakeFont(9);
    f.name = std::wstring(40, L'x');
    LOGFONTW lf = kit::LogFontFromStdFont(f, 96);
    EXPECT_EQ(std::wstring(lf.lfFaceName), std::wstring(31, L'x'));
}

TEST(CreateFontFromStdFont, UsesTheScreenResolution)
{
    HFONT font = kit::CreateFontFromStdFont(MakeFont(10.5, true));
    ASSERT_NE(font, nullptr);
    LOGFONTW lf{};
    ASSERT_NE(::GetObjectW(font, sizeof lf, &lf), 0);
    EXPECT_EQ(lf.lfHeight, host::FontPixelHeight(10.5, kit::ScreenDotsPerInch(), host::FontRounding::WholePoints));
    EXPECT_EQ(lf.lfWeight, 700);
    ::DeleteObject(font);
}

// ---- The kept frame on a real window -------------------------------------

struct PaintProbe {
    const host::Font* font = nullptr;
    host::Colour fore = 0;
    Colour fill = 0;
    int presentRows = -1;  // rows copied to the window; -1: all
    bool scribble = false; // leave the surface's drawing state changed
    // What the painter saw.
    HDC surface = nullptr;
    HFONT selectedFont = nullptr;
    int w = 0, h = 0, bkMode = 0;
    COLORREF textColour = 0;
    POINT origin{};
    LONG fontHeight = 0;
    int paints = 0;
};
PaintProbe g_probe;
kit::FramePainter* g_painter = nullptr;

void Painter(HDC dc, int w, int h)
{
    g_probe.surface = dc;
    g_probe.w = w;
    g_probe.h = h;
    g_probe.bkMode = ::GetBkMode(dc);
    g_probe.textColour = ::GetTextColor(dc);
    ::GetViewportOrgEx(dc, &g_probe.origin);
    g_probe.selectedFont = static_cast<HFONT>(::GetCurrentObject(dc, OBJ_FONT));
    LOGFONTW lf{};
    ::GetObjectW(g_probe.selectedFont, sizeof lf, &lf);
    g_probe.fontHeight = lf.lfHeight;
    kit::FillRectColor(dc, 0, 0, w, h, g_probe.fill);
    if (g_probe.scribble) {
        ::SetBkMode(dc, OPAQUE);
        ::SetTextColor(dc, MakeRGB(1, 2, 3));
        ::SetViewportOrgEx(dc, 7, 5, nullptr);
        ::SelectObject(dc, ::GetStockObject(SYSTEM_FIXED_FONT));
    }
    ++g_probe.paints;
}

LRESULT CALLBACK PaintProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT && g_painter) {
        const int rows = g_probe.presentRows;
        g_painter->Paint(hwnd, g_probe.font, g_probe.fore, Painter,
                         rows < 0 ? std::function<int(int)>() : [rows](int) { return rows; });
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND MakePaintWindow()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PaintProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KitPaintTestWindow";
        registered = ::RegisterClassW(&wc) != 0;
    }
    return ::CreateWindowExW(0, L"KitPaintTestWindow", L"paint", WS_POPUP | WS_VISIBLE, 300, 200, 60, 40, nullptr,
                             nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

using kittest::WindowPixel;
const auto PaintNow = kittest::Repaint;

// A painter of its own for each test, set up before the window exists.
struct PainterFixture : ::testing::Test {
    kit::FramePainter painter;
    void SetUp() override
    {
        g_probe = PaintProbe{};
        g_painter = &painter;
    }
    void TearDown() override { g_painter = nullptr; }
};

using FramePainterTest = PainterFixture;

TEST_F(FramePainterTest, DrawsTheWholeFrameOffScreenWithTheControlsFontAndColour)
{
    const host::Font font = MakeFont(12);
    g_probe.font = &font;
    g_probe.fore = 0x80000012;  // a system colour: translated before use
    g_probe.fill = MakeRGB(10, 180, 90);
    HWND hwnd = MakePaintWindow();
    ASSERT_NE(hwnd, nullptr);
    PaintNow(hwnd);
    ASSERT_EQ(g_probe.paints, 1);
    EXPECT_EQ(g_probe.w, 60);
    EXPECT_EQ(g_probe.h, 40);
    EXPECT_EQ(g_probe.bkMode, TRANSPARENT);
    EXPECT_EQ(g_probe.textColour, host::TranslateColour(0x80000012));
    EXPECT_EQ(g_probe.fontHeight, host::FontPixelHeight(12, kit::ScreenDotsPerInch(), host::FontRounding::WholePoints));
    EXPECT_EQ(WindowPixel(hwnd, 0, 0), g_probe.fill);
    EXPECT_EQ(WindowPixel(hwnd, 59, 39), g_probe.fill);
    RECT update;
    EXPECT_FALSE(::GetUpdateRect(hwnd, &update, FALSE));
    ::DestroyWindow(hwnd);
}

TEST_F(FramePainterTest, SurfaceAndFontLiveFromPaintToPaintUntilReleased)
{
    const host::Font font = MakeFont(9);
    g_probe.font = &font;
    HWND hwnd = MakePaintWindow();
    const kit::OpenSurfaceFigures open0 = kit::OpenSurfaces();
    const int before = kittest::LiveGdiObjects();
    PaintNow(hwnd);
    const HDC surface = g_probe.surface;
    const HFONT gdiFont = g_probe.selectedFont;
    EXPECT_EQ(::GetObjectType(surface), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(::GetObjectType(gdiFont), static_cast<DWORD>(OBJ_FONT));
    const int afterFirst = kittest::LiveGdiObjects();
    EXPECT_GT(afterFirst, before) << "the surface, its bitmap and the font stay";
    for (int i = 0; i < 50; ++i)
        PaintNow(hwnd);
    EXPECT_EQ(g_probe.paints, 51);
    EXPECT_EQ(g_probe.surface, surface);
    EXPECT_EQ(g_probe.selectedFont, gdiFont);
    EXPECT_EQ(kittest::LiveGdiObjects(), afterFirst) << "no GDI object per paint";
    const kit::OpenSurfaceFigures open1 = kit::OpenSurfaces();
    EXPECT_EQ(open1.count, open0.count + 1);
    EXPECT_EQ(open1.bytes, open0.bytes + 60.0 * 40 * 4);
    painter.Release();
    EXPECT_EQ(::GetObjectType(surface), 0u);
    EXPECT_EQ(::GetObjectType(gdiFont), 0u);
    EXPECT_EQ(kit::OpenSurfaces().count, open0.count);
    EXPECT_EQ(kittest::LiveGdiObjects(), before);
    ::DestroyWindow(hwnd);
}

TEST_F(FramePainterTest, AResizeOrANewFontMakesThemAgainAndFreesTheOldOnes)
{
    host::Font font = MakeFont(9);
    g_probe.font = &font;
    g_probe.fill = MakeRGB(0, 90, 200);
    HWND hwnd = MakePaintWindow();
    const kit::OpenSurfaceFigures open0 = kit::OpenSurfaces();
    PaintNow(hwnd);
    const int kept = kittest::LiveGdiObjects();
    ::SetWindowPos(hwnd, nullptr, 0, 0, 80, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PaintNow(hwnd);
    EXPECT_EQ(g_probe.w, 80);
    EXPECT_EQ(g_probe.h, 30);
    EXPECT_EQ(WindowPixel(hwnd, 79, 29), g_probe.fill);
    const kit::OpenSurfaceFigures open1 = kit::OpenSurfaces();
    EXPECT_EQ(open1.count, open0.count + 1) << "the old size's surface is freed";
    EXPECT_EQ(open1.bytes, open0.bytes + 80.0 * 30 * 4);

    font.size = 14;
    PaintNow(hwnd);
    EXPECT_EQ(g_probe.fontHeight, host::FontPixelHeight(14, kit::ScreenDotsPerInch(), host::FontRounding::WholePoints));
    font.bold = true;
    PaintNow(hwnd);
    LOGFONTW lf{};
    ::GetObjectW(g_probe.selectedFont, sizeof lf, &lf);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(kittest::LiveGdiObjects(), kept) << "one surface and one font, whatever came before";
    ::DestroyWindow(hwnd);
}

TEST_F(FramePainterTest, EachPaintStartsFromTheSameDrawingState)
{
    const host::Font font = MakeFont(9);
    g_probe.font = &font;
    g_probe.fore = MakeRGB(20, 30, 40);
    g_probe.scribble = true;
    HWND hwnd = MakePaintWindow();
    PaintNow(hwnd);
    const HFONT gdiFont = g_probe.selectedFont;
    PaintNow(hwnd);
    EXPECT_EQ(g_probe.bkMode, TRANSPARENT);
    EXPECT_EQ(g_probe.textColour, MakeRGB(20, 30, 40));
    EXPECT_EQ(g_probe.origin.x, 0);
    EXPECT_EQ(g_probe.origin.y, 0);
    EXPECT_EQ(g_probe.selectedFont, gdiFont);
    ::DestroyWindow(hwnd);
}

TEST_F(FramePainterTest, WithoutAFontTheSurfaceKeepsItsDefaults)
{
    g_probe.fill = MakeRGB(200, 10, 10);
    HWND hwnd = MakePaintWindow();
    PaintNow(hwnd);
    ASSERT_EQ(g_probe.paints, 1);
    EXPECT_EQ(g_probe.bkMode, OPAQUE);
    EXPECT_EQ(g_probe.selectedFont, static_cast<HFONT>(::GetStockObject(SYSTEM_FONT)));
    EXPECT_EQ(WindowPixel(hwnd, 30, 20), g_probe.fill);
    ::DestroyWindow(hwnd);
}

TEST_F(FramePainterTest, PresentCanCopyOnlyTheTopRows)
{
    g_probe.fill = MakeRGB(0, 0, 250);
    HWND hwnd = MakePaintWindow();
    PaintNow(hwnd);
    g_probe.fill = MakeRGB(250, 250, 0);
    g_probe.presentRows = 20;
    PaintNow(hwnd);
    ASSERT_EQ(g_probe.paints, 2);
    EXPECT_EQ(WindowPixel(hwnd, 30, 0), MakeRGB(250, 250, 0));
    EXPECT_EQ(WindowPixel(hwnd, 30, 19), MakeRGB(250, 250, 0));
    EXPECT_EQ(WindowPixel(hwnd, 30, 20), MakeRGB(0, 0, 250));
    ::DestroyWindow(hwnd);
}

} // namespace
