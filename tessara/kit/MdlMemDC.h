// Off-screen surfaces, the bordered stretch copy and the paint cycle every
// control's WM_PAINT handler follows.
#pragma once
#include "tessara/kit/ColourMath.h"

#include "host/Values.h"

#include <windows.h>

#include <functional>
#include <optional>

namespace kit {

// A display-compatible memory surface of width x height pixels that owns its
// bitmap. 0 when either size is below 1 or any step fails (nothing is left
// open then). Release it with DeleteMemDC, which frees the bitmap too.
HDC CreateMemDC(int width, int height);
// A memory surface over the caller's bitmap; the caller keeps owning the
// bitmap. Release with DeleteMemDC (the bitmap survives). 0 on failure.
HDC CreateMemDCFromBitmap(HBITMAP bitmap);
// Releases a surface from either function above: for an owned bitmap the
// bitmap is deleted as well; for an image surface the caller's bitmap is
// deselected so it can be used elsewhere. Any other DC is just deleted.
void DeleteMemDC(HDC surface);

// Stretches (sx, sy, sw, sh) of src onto (dx, dy, dw, dh) of dst keeping the
// border strips `edge` pixels thick: top and bottom strips (full width),
// left and right strips, then the centre. Edge 0 is one plain stretch.
void BlitWithBorders(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh, int edge);

// Sets up text drawing on a surface for the length of a paint: a font made
// from the control's font, transparent background, the text colour. The
// previous font is selected back and the font deleted on destruction.
class TextScope {
public:
    TextScope(HDC dc, const host::Font& font, host::Colour foreColor);
    ~TextScope();
    TextScope(const TextScope&) = delete;
    TextScope& operator=(const TextScope&) = delete;
    HFONT font() const { return font_; }

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ previous_;
};

// One paint of a control's window: BeginPaint, a fresh surface of the
// client size, optional text set-up, and on destruction the font and
// surface released and EndPaint. Present() copies the surface to the
// window; nothing is copied unless asked.
class PaintCycle {
public:
    // font null: a control that draws no text.
    PaintCycle(HWND hwnd, const host::Font* font, host::Colour foreColor);
    ~PaintCycle();
    PaintCycle(const PaintCycle&) = delete;
    PaintCycle& operator=(const PaintCycle&) = delete;

    HDC surface() const { return surface_; }
    HDC target() const { return ps_.hdc; }
    int width() const { return width_; }
    int height() const { return height_; }
    // Copies the whole surface, or its top-left w x h, to (0, 0) of the window.
    void Present();
    void Present(int w, int h);

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    int width_ = 0;
    int height_ = 0;
    HDC surface_ = nullptr;
    std::optional<TextScope> text_;
};

// The whole cycle for the common case: draw(surface, width, height), then
// one copy of the full surface to the window.
void PaintFrame(HWND hwnd, const host::Font* font, host::Colour foreColor,
                const std::function<void(HDC, int, int)>& draw);

} // namespace kit
