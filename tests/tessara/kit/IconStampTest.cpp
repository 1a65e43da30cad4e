// Prepared icons against the platform's own icon drawing: the same pixels
// on a patterned target for every kind of icon, size and stretch mode a
// list draws with, and no GDI object left behind.
#include "GdiCount.h"

#include "tessara/kit/IconStamp.h"
#include "tessara/kit/MdlMemDC.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

// An icon of side n: a colour ramp, transparent where the mask says so (a
// ring of transparency and a transparent corner), alpha everywhere when
// `alpha` (32 bits per pixel, half-opaque in places).
HICON MakeIcon(int n, bool alpha)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = n;
    bi.bmiHeader.biHeight = -n;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP colour = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* px = static_cast<std::uint32_t*>(bits);
    std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(((n + 15) / 16) * 2 * n), 0);
    const int stride = ((n + 15) / 16) * 2;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const int dx = x - n / 2, dy = y - n / 2;
            const bool clear = (dx * dx + dy * dy > n * n / 5 && dx * dx + dy * dy < n * n / 4) || (x < 3 && y < 3);
            std::uint32_t c = (static_cast<std::uint32_t>(x * 255 / n) << 16) |
                              (static_cast<std::uint32_t>(y * 255 / n) << 8) | static_cast<std::uint32_t>((x ^ y) * 9 & 0xFF);
            if (clear && !alpha)
                c = 0;  // the platform's transparent pixels: mask set, image black
            if (alpha)
                c |= static_cast<std::uint32_t>(clear ? 0 : (x % 2 ? 0xFF : 0x80)) << 24;
            px[y * n + x] = c;
            if (clear)
                maskBits[static_cast<std::size_t>(y * stride + x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    HBITMAP mask = ::CreateBitmap(n, n, 1, 1, maskBits.data());
    ICONINFO ii{TRUE, 0, 0, mask, colour};
    HICON icon = ::CreateIconIndirect(&ii);
    ::DeleteObject(mask);
    ::DeleteObject(colour);
    return icon;
}

// A target with a pattern under every pixel, so that the mask's effect shows.
void Pattern(HDC dc, int w, int h)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ::SetPixelV(dc, x, y, RGB(x * 7 & 0xFF, y * 5 & 0xFF, (x + y) * 3 & 0xFF));
}

std::vector<std::uint32_t> Pixels(HDC dc, int w, int h)
{
    std::vector<std::uint32_t> out;
    out.reserve(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.push_back(::GetPixel(dc, x, y));
    return out;
}

struct StampCase {
    const char* what;
    int iconSide;
    bool alpha;
    int size;
    int stretchMode;
    int x, y;  // where it goes on a 40 x 30 target (partly outside at times)
};

const StampCase kStampCases[] = {
    {"16 at its own size", 16, false, 16, HALFTONE, 3, 5},
    {"16 at its own size, cut by the left and top edges", 16, false, 16, HALFTONE, -5, -3},
    {"16 stretched to 20, halftone", 16, false, 20, HALFTONE, 3, 5},
    {"16 stretched to 20, colour on colour", 16, false, 20, COLORONCOLOR, 3, 5},
    {"32 shrunk to 16, halftone", 32, false, 16, HALFTONE, 10, 2},
    {"32 shrunk to 20, cut by the right edge", 32, false, 20, HALFTONE, 30, 4},
    {"alpha 32 shrunk to 16, halftone", 32, true, 16, HALFTONE, 3, 5},
    {"alpha 16 at its own size", 16, true, 16, COLORONCOLOR, 3, 5},
    {"alpha 16 stretched to 20, cut by the bottom edge", 16, true, 20, HALFTONE, 8, 18},
    {"alpha 32 at its own size, cut by the left edge", 32, true, 32, HALFTONE, -6, 0},
};

TEST(IconStamp, DrawsWhatThePlatformDraws)
{
    for (const StampCase& c : kStampCases) {
        SCOPED_TRACE(c.what);
        HICON icon = MakeIcon(c.iconSide, c.alpha);
        ASSERT_NE(icon, nullptr);
        HDC expected = kit::CreateMemDC(40, 30);
        HDC actual = kit::CreateMemDC(40, 30);
        for (HDC dc : {expected, actual}) {
            Pattern(dc, 40, 30);
            ::SetStretchBltMode(dc, c.stretchMode);
            ::SetTextColor(dc, RGB(200, 0, 100));  // a control's text colour stays as it was
            ::SetBkColor(dc, RGB(0, 10, 20));
        }
        ::DrawIconEx(expected, c.x, c.y, icon, c.size, c.size, 0, nullptr, DI_NORMAL);
        kit::IconStamp stamp(icon, c.size);
        EXPECT_TRUE(stamp.Copied());
        stamp.Draw(actual, c.x, c.y);
        EXPECT_EQ(Pixels(actual, 40, 30), Pixels(expected, 40, 30));
        EXPECT_EQ(::GetTextColor(actual), RGB(200, 0, 100));
        EXPECT_EQ(::GetBkColor(actual), RGB(0, 10, 20));
        kit::DeleteMemDC(expected);
        kit::DeleteMemDC(actual);
        ::DestroyIcon(icon);
    }
}

TEST(IconStamp, LeavesNoGdiObjectBehind)
{
    HICON small = MakeIcon(16, false), big = MakeIcon(32, false), alpha = MakeIcon(32, true);
    HDC dc = kit::CreateMemDC(40, 30);
    const int before = kittest::LiveGdiObjects();
    for (int i = 0; i < 60; ++i) {
        kit::IconStamp a(small, 16), b(small, 20), c(big, 16), d(alpha, 16);
        a.Draw(dc, 0, 0);
        d.Draw(dc, 0, 0);
    }
    EXPECT_EQ(kittest::LiveGdiObjects(), before);
    kit::DeleteMemDC(dc);
    ::DestroyIcon(small);
    ::DestroyIcon(big);
    ::DestroyIcon(alpha);
}

struct OwnedIcon : host::Picture {
    ~OwnedIcon() { ::DestroyIcon(reinterpret_cast<HICON>(handle)); }
};

host::PictureRef IconPicture(int side)
{
    auto p = std::make_shared<OwnedIcon>();
    p->type = host::Picture::Type::Icon;
    p->handle = reinterpret_cast<std::uintptr_t>(MakeIcon(side, false));
    p->width = p->height = side;
    return p;
}

TEST(IconStamps, OnePreparationPerPictureAndSizeAndNoneForFreedPictures)
{
    kit::IconStamps stamps;
    HDC dc = kit::CreateMemDC(40, 30);
    ::SetStretchBltMode(dc, HALFTONE);
    host::PictureRef a = IconPicture(16), b = IconPicture(32);
    for (int i = 0; i < 20; ++i) {
        stamps.Draw(dc, 0, 0, a, 16);
        stamps.Draw(dc, 0, 0, a, 20);
        stamps.Draw(dc, 20, 0, b, 16);
    }
    EXPECT_EQ(stamps.Count(), 3u);
    stamps.Draw(dc, 0, 0, nullptr, 16);
    EXPECT_EQ(stamps.Count(), 3u) << "no picture, nothing drawn or kept";

    // A picture freed: the next picture drawn finds no stale stamp, even one
    // made where the freed one was.
    a.reset();
    host::PictureRef c = IconPicture(16);
    Pattern(dc, 40, 30);
    stamps.Draw(dc, 3, 5, c, 16);
    EXPECT_EQ(stamps.Count(), 2u) << "a's two stamps went, c's came";
    HDC expected = kit::CreateMemDC(40, 30);
    Pattern(expected, 40, 30);
    ::SetStretchBltMode(expected, HALFTONE);
    ::DrawIconEx(expected, 3, 5, reinterpret_cast<HICON>(c->handle), 16, 16, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(Pixels(dc, 40, 30), Pixels(expected, 40, 30));
    stamps.Clear();
    EXPECT_EQ(stamps.Count(), 0u);
    kit::DeleteMemDC(expected);
    kit::DeleteMemDC(dc);
}

} // namespace
