#include "tessara/kit/IconStamp.h"

#include "tessara/kit/MdlMemDC.h"

#include <algorithm>

namespace kit {

namespace {

// True when a 32-bit image carries any alpha: the platform blends such an
// icon instead of masking it.
bool HasAlpha(HBITMAP image)
{
    BITMAP info{};
    if (!::GetObjectW(image, sizeof info, &info) || info.bmBitsPixel != 32)
        return false;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = info.bmWidth;
    bi.bmiHeader.biHeight = -info.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
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

} // namespace

IconStamp::IconStamp(HICON icon, int size) : icon_(icon), size_(size)
{
    ICONINFO ii{};
    if (!icon || size < 1 || !::GetIconInfo(icon, &ii))
        return;
    const bool masked = ii.hbmColor && ii.hbmMask && !HasAlpha(ii.hbmColor);
    if (ii.hbmColor)
        ::DeleteObject(ii.hbmColor);
    if (ii.hbmMask)
        ::DeleteObject(ii.hbmMask);
    if (!masked)
        return;
    mask_ = Part(icon, size, DI_MASK);
    image_ = mask_ ? Part(icon, size, DI_IMAGE) : nullptr;
    if (!image_) {
        DeleteMemDC(mask_);
        mask_ = nullptr;
    }
}

IconStamp::~IconStamp()
{
    DeleteMemDC(image_);
    DeleteMemDC(mask_);
}

void IconStamp::Draw(HDC dc, int x, int y) const
{
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
