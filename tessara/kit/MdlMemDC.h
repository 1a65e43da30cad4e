// Off-screen surfaces, the bordered stretch copy, and what a control's
// window keeps for its paints: its surface and its font.
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

// An off-screen surface kept from one paint to the next: made when first
// asked for, made again only when the size asked for changes, freed by
// Release or on destruction.
class KeptSurface {
public:
    KeptSurface() = default;
    ~KeptSurface() { Release(); }
    KeptSurface(const KeptSurface&) = delete;
    KeptSurface& operator=(const KeptSurface&) = delete;
    KeptSurface(KeptSurface&& o) noexcept;
    KeptSurface& operator=(KeptSurface&& o) noexcept;

    // The surface of width x height pixels; 0 when a size is below 1 or GDI
    // refuses (nothing kept then).
    HDC Fit(int width, int height);
    void Release();
    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    HDC dc_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// A font object's GDI font, kept while the font stays the same.
class KeptFont {
public:
    KeptFont() = default;
    ~KeptFont() { Release(); }
    KeptFont(const KeptFont&) = delete;
    KeptFont& operator=(const KeptFont&) = delete;

    // The GDI font for `font`, made again when it differs from the last one.
    // It must not be selected anywhere when the font changes or is released.
    HFONT For(const host::Font& font);
    void Release();
    HFONT font() const { return font_; }

private:
    HFONT font_ = nullptr;
    host::Font made_;
};

// Sets a surface up for the length of a drawing and gives it back as it
// was: the drawing state is saved, and with a font the font is selected,
// the background made transparent and the text colour set.
class DrawingScope {
public:
    DrawingScope(HDC dc, HFONT font, host::Colour foreColor);
    ~DrawingScope();
    DrawingScope(const DrawingScope&) = delete;
    DrawingScope& operator=(const DrawingScope&) = delete;

private:
    HDC dc_;
    int saved_;
};

// What a window keeps for its paints: the surface of its client size and
// its font. Paint is one WM_PAINT: BeginPaint, the kept surface fitted to the
// client area, text set up when a font is given, draw(surface, width,
// height), the top `presentedRows` rows (all when negative) copied to the
// window, the surface's drawing state restored, EndPaint. The frame is
// drawn over the last one, so draw paints every pixel it shows.
class FramePainter {
public:
    void Paint(HWND hwnd, const host::Font* font, host::Colour foreColor,
               const std::function<void(HDC, int, int)>& draw,
               const std::function<int(int)>& presentedRows = nullptr);
    HFONT FontFor(const host::Font& font) { return font_.For(font); }
    void Release();
    const KeptSurface& surface() const { return surface_; }

private:
    KeptSurface surface_;
    KeptFont font_;
};

// The surfaces made by CreateMemDC that are open now and their bytes
// (width x height x 4 each): what the controls keep, for benchmarks and
// leak checks.
struct OpenSurfaceFigures {
    int count;
    double bytes;
};
OpenSurfaceFigures OpenSurfaces();

} // namespace kit
