// A plain pixel buffer behind the kit's Canvas, for running the drawing
// algorithms without GDI. It also counts brushes, like GDI would create them.
#pragma once
#include "tessara/kit/Canvas.h"

#include <vector>

namespace kittest {

class PixelCanvas final : public kit::Canvas {
public:
    PixelCanvas(int w, int h, kit::Colour background = kit::kWhite)
        : w_(w), h_(h), px_(static_cast<std::size_t>(w * h), background)
    {
    }
    int width() const { return w_; }
    int height() const { return h_; }
    int brushes() const { return brushes_; }
    void Clear(kit::Colour c)
    {
        px_.assign(px_.size(), c);
        brushes_ = 0;
    }

    kit::Colour GetPixel(int x, int y) override
    {
        return Inside(x, y) ? px_[Index(x, y)] : kit::kInvalidPixel;
    }
    void SetPixel(int x, int y, kit::Colour c) override
    {
        if (Inside(x, y))
            px_[Index(x, y)] = c;
    }
    void FillRects(const kit::Rect* rects, std::size_t count, kit::Colour c) override
    {
        bool any = false;
        for (std::size_t i = 0; i < count; ++i) {
            if (rects[i].empty())
                continue;
            any = true;
            Paint(rects[i], c);
        }
        if (any)
            ++brushes_;
    }
    void FrameRect(const kit::Rect& r, kit::Colour c) override
    {
        if (r.empty())
            return;
        ++brushes_;
        Paint({r.left, r.top, r.right, r.top + 1}, c);
        Paint({r.left, r.bottom - 1, r.right, r.bottom}, c);
        Paint({r.left, r.top, r.left + 1, r.bottom}, c);
        Paint({r.right - 1, r.top, r.right, r.bottom}, c);
    }

private:
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y * w_ + x); }
    void Paint(const kit::Rect& r, kit::Colour c)
    {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                SetPixel(x, y, c);
    }

    int w_;
    int h_;
    std::vector<kit::Colour> px_;
    int brushes_ = 0;
};

} // namespace kittest
