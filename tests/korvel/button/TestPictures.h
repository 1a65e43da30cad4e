// Bitmap pictures for kxButtons_H tests and benchmarks: one per pixel
// function, with the top-left pixel as the transparent colour.
#pragma once
#include "host/Host.h"

#include <cstdint>

namespace kxtest {

// A w x h bitmap picture whose pixel (x, y) is colourAt(x, y), 0x00BBGGRR.
template <class F>
host::PictureRef MakeBitmap(int w, int h, F colourAt)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* px = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t c = colourAt(x, y);  // into BGRA memory order
            px[y * w + x] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        }
    return host::PictureFromHandle(bmp, host::Picture::Type::Bitmap, true);
}

// One colour with a magenta (transparent) top-left pixel.
inline host::PictureRef SolidBitmap(int w, int h, std::uint32_t body)
{
    return MakeBitmap(w, h, [body](int x, int y) { return x == 0 && y == 0 ? 0xFF00FFu : body; });
}

}  // namespace kxtest
