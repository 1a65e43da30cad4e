#include "tessara/kit/IconStamp.h"

#include "tessara/kit/MdlMemDC.h"

#include <algorithm>

namespace kit {

namespace {

// 32 bits per pixel, top row first.
BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

// True when a 32-bit image carries any alpha: the platform blends such an
// icon instead of masking it.
bool HasAlpha(HBITMAP image)
{
    BITMAP info{};
    if (!::GetObjectW(image, sizeof info, &info) || info.bmBitsPixel != 32)
        return false;
    BITMAPINFO bi = TopDown32(info.bmWidth, info.bmHeight);
    std::vector<DWORD> bits(static_cast<std::size_t>(info.bmWidth) * static_cast<std::size_t>(info.bmHeight));
    HDC screen = ::GetDC(nullptr);
    const int rows = ::GetDIBits(screen, image, 0, static_cast<UINT>(info.bmHeight), bits.data(), &bi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (rows != info.bmHeight)
        return true;  // unreadable: leave it to the platform
    return std::any_of(bits.begin(), bits.end(), [](DWORD p) { return (p >> 24) != 0; });
}

// One part of the icon (DI_MASK or DI_IMAGE) as the platform draws it at
// size x size, on a surface of its own: the platform's own stretching.
HDC Part(HICON icon, int size, UINT part)
{
    HDC dc = CreateMemDC(size, size);
    if (dc && !::DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, part)) {
        DeleteMemDC(dc);
        dc = nullptr;
    }
    return dc;
}

constexpr BLENDFUNCTION kPremultiplied{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};

} // namespace

IconStamp::IconStamp(HICON icon, int size) : icon_(icon), size_(size)
{
    ICONINFO ii{};
    if (!icon || size < 1 || !::GetIconInfo(icon, &ii))
        return;
    const bool colour = ii.hbmColor && ii.hbmMask;
    const bool alpha = colour && HasAlpha(ii.hbmColor);
    if (ii.hbmColor)
        ::DeleteObject(ii.hbmColor);
    if (ii.hbmMask)
        ::DeleteObject(ii.hbmMask);
    if (alpha) {
        PrepareBlend();
        return;
    }
    if (!colour)
        return;
    mask_ = Part(icon, size, DI_MASK);
    image_ = mask_ ? Part(icon, size, DI_IMAGE) : nullptr;
    if (!image_) {
        DeleteMemDC(mask_);
        mask_ = nullptr;
    }
}

// An icon with alpha is blended: drawn by the platform onto a surface of
// nothing (every byte 0, alpha too) it leaves its blend source as the
// platform scales it, premultiplied with its alpha, which is then blended
// onto each target as the platform blends the icon itself.
void IconStamp::PrepareBlend()
{
    const BITMAPINFO bi = TopDown32(size_, size_);
    void* bits = nullptr;
    blendBitmap_ = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    blend_ = blendBitmap_ ? CreateMemDCFromBitmap(blendBitmap_) : nullptr;
    if (blend_ && ::DrawIconEx(blend_, 0, 0, icon_, size_, size_, 0, nullptr, DI_NORMAL))
        return;
    DeleteMemDC(blend_);
    blend_ = nullptr;
    if (blendBitmap_)
        ::DeleteObject(blendBitmap_);
    blendBitmap_ = nullptr;
}

IconStamp::~IconStamp()
{
    DeleteMemDC(image_);
    DeleteMemDC(mask_);
    DeleteMemDC(blend_);
    if (blendBitmap_)
        ::DeleteObject(blendBitmap_);
}

void IconStamp::Draw(HDC dc, int x, int y) const
{
    if (blend_) {
        ::GdiAlphaBlend(dc, x, y, size_, size_, blend_, 0, 0, size_, size_, kPremultiplied);
        return;
    }
    if (!image_) {
        if (icon_)
            ::DrawIconEx(dc, x, y, icon_, size_, size_, 0, nullptr, DI_NORMAL);
        return;
    }
    // The mask's set bits keep the target, its clear bits turn it black; the
    // image is then XORed in.
    const COLORREF text = ::SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF back = ::SetBkColor(dc, RGB(255, 255, 255));
    ::BitBlt(dc, x, y, size_, size_, mask_, 0, 0, SRCAND);
    ::BitBlt(dc, x, y, size_, size_, image_, 0, 0, SRCINVERT);
    ::SetTextColor(dc, text);
    ::SetBkColor(dc, back);
}

void IconStamps::Draw(HDC dc, int x, int y, const host::PictureRef& icon, int size)
{
    if (!icon || !icon->handle)
        return;
    for (Entry& e : entries_) {
        if (e.key == icon.get() && e.size == size && !e.picture.expired()) {
            e.stamp->Draw(dc, x, y);
            return;
        }
    }
    // Entries of freed pictures go before a new one comes.
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.picture.expired(); }),
                   entries_.end());
    entries_.push_back(
        Entry{icon.get(), icon, size, std::make_unique<IconStamp>(reinterpret_cast<HICON>(icon->handle), size)});
    entries_.back().stamp->Draw(dc, x, y);
}

} // namespace kit
