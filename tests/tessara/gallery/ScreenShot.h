// The whole screen as the user sees it, read back through the screen's own
// device context: pixels by position, differences between two shots, and a
// 24-bit bitmap file of it. Shared by the drivers that watch Tessara from
// outside.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace galleryproc {

// The whole screen as the user sees it.
class Shot {
public:
    Shot()
    {
        w_ = GetSystemMetrics(SM_CXSCREEN);
        h_ = GetSystemMetrics(SM_CYSCREEN);
        px_.assign(static_cast<size_t>(w_) * h_, 0);
        HDC screen = GetDC(nullptr);
        HDC mem = CreateCompatibleDC(screen);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w_;
        bi.bmiHeader.biHeight = -h_;  // top-down
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(mem, dib);
        BitBlt(mem, 0, 0, w_, h_, screen, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits);
        std::copy(p, p + px_.size(), px_.begin());
        SelectObject(mem, old);
        DeleteObject(dib);
        DeleteDC(mem);
        ReleaseDC(nullptr, screen);
    }
    // As a COLORREF (0x00BBGGRR); black outside the screen.
    COLORREF at(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= w_ || y >= h_)
            return 0;
        const std::uint32_t v = px_[static_cast<size_t>(y) * w_ + x];  // 0x00RRGGBB
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    bool has(RECT r, COLORREF c) const
    {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (at(x, y) == c)
                    return true;
        return false;
    }
    // Pixels that differ between two shots inside r.
    int differences(const Shot& o, RECT r) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += at(x, y) != o.at(x, y);
        return n;
    }
    // A 24-bit bitmap file.
    bool save(const std::wstring& path) const
    {
        const int stride = (w_ * 3 + 3) & ~3;
        BITMAPFILEHEADER fh{};
        BITMAPINFOHEADER ih{};
        ih.biSize = sizeof ih;
        ih.biWidth = w_;
        ih.biHeight = h_;
        ih.biPlanes = 1;
        ih.biBitCount = 24;
        ih.biSizeImage = static_cast<DWORD>(stride) * h_;
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof fh + sizeof ih;
        fh.bfSize = fh.bfOffBits + ih.biSizeImage;
        FILE* f = _wfopen(path.c_str(), L"wb");
        if (!f)
            return false;
        fwrite(&fh, sizeof fh, 1, f);
        fwrite(&ih, sizeof ih, 1, f);
        std::vector<unsigned char> row(stride, 0);
        for (int y = h_ - 1; y >= 0; --y) {
            for (int x = 0; x < w_; ++x) {
                const std::uint32_t v = px_[static_cast<size_t>(y) * w_ + x];
                row[x * 3] = v & 0xFF;
                row[x * 3 + 1] = (v >> 8) & 0xFF;
                row[x * 3 + 2] = (v >> 16) & 0xFF;
            }
            fwrite(row.data(), 1, row.size(), f);
        }
        return fclose(f) == 0;
    }

private:
    int w_ = 0, h_ = 0;
    std::vector<std::uint32_t> px_;
};

} // namespace galleryproc
