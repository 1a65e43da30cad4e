// Icons drawn at one size again and again (a list's rows): each icon is
// prepared once per size, its mask and its image drawn by the platform at
// that size onto surfaces of their own, and then drawn with the two copies
// the platform makes for an icon (mask with AND, image with XOR) instead of
// the platform's whole icon drawing each time. An icon with an alpha
// channel keeps its blend source at that size instead and is blended with
// one call. Icons without a colour image are drawn by the platform each
// time.
#pragma once
#include "host/Values.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace kit {

class IconStamp {
public:
    IconStamp(HICON icon, int size);
    ~IconStamp();
    IconStamp(const IconStamp&) = delete;
    IconStamp& operator=(const IconStamp&) = delete;

    // The icon at (x, y), size x size, exactly as DrawIconEx(DI_NORMAL) draws it.
    void Draw(HDC dc, int x, int y) const;
    // Prepared (false: the platform draws it each time).
    bool Copied() const { return image_ != nullptr || blend_ != nullptr; }

private:
    void PrepareBlend();

    HICON icon_;
    int size_;
    HDC mask_ = nullptr;
    HDC image_ = nullptr;
    HDC blend_ = nullptr;              // an icon with alpha: its blend source
    HBITMAP blendBitmap_ = nullptr;
};

// A control's prepared icons, by picture and size. A picture freed and
// another made at the same place is prepared afresh.
class IconStamps {
public:
    void Draw(HDC dc, int x, int y, const host::PictureRef& icon, int size);
    void Clear() { entries_.clear(); }
    std::size_t Count() const { return entries_.size(); }

private:
    struct Entry {
        const host::Picture* key;
        std::weak_ptr<const host::Picture> picture;
        int size;
        std::unique_ptr<IconStamp> stamp;
    };
    std::vector<Entry> entries_;
};

} // namespace kit
