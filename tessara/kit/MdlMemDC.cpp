#include "tessara/kit/MdlMemDC.h"

#include "tessara/kit/MdlCreateLogFont.h"
#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/ShapeDraw.h"

#include <mutex>
#include <unordered_map>

namespace kit {

namespace {

// GDI frees neither kind of bitmap with DeleteDC, so the kit remembers what
// each surface it made holds: the bitmap it selected, the one it displaced,
// and whether the surface owns it.
struct SurfaceRecord {
    HBITMAP bitmap;
    HGDIOBJ displaced;
    bool owned;
};

std::mutex g_surfacesLock;
std::unordered_map<HDC, SurfaceRecord>& Surfaces()
{
    static std::unordered_map<HDC, SurfaceRecord> surfaces;
    return surfaces;
}

// The screen's device context from the window manager's cache: the same
// display driver and colour depth as a freshly created display context, at
// a sixth of the cost, which every paint of every control pays.
HDC OpenDisplay() { return ::GetDC(nullptr); }
void CloseDisplay(HDC display) { ::ReleaseDC(nullptr, display); }

// A memory context compatible with the display; the display context stays
// open for the caller to close. Null (nothing left open) on failure.
HDC OpenMemoryContext(HDC& display)
{
    display = OpenDisplay();
    if (!display)
        return nullptr;
    HDC mem = ::CreateCompatibleDC(display);
    if (!mem) {
        CloseDisplay(display);
        display = nullptr;
    }
    return mem;
}

void Remember(HDC mem, const SurfaceRecord& rec)
{
    std::lock_guard<std::mutex> lock(g_surfacesLock);
    Surfaces()[mem] = rec;
}

} // namespace

HDC CreateMemDC(int width, int height)
{
    // GDI would answer a zero size with a 1 x 1 monochrome bitmap; a surface
    // of no pixels is a failure instead.
    if (width < 1 || height < 1)
        return nullptr;
    HDC display = nullptr;
    HDC mem = OpenMemoryContext(display);
    if (!mem)
        return nullptr;
    // Compatible with the display, not the memory context, so the surface has
    // the display's colour depth.
    HBITMAP bmp = ::CreateCompatibleBitmap(display, width, height);
    CloseDisplay(display);
    if (!bmp) {
        ::DeleteDC(mem);
        return nullptr;
    }
    Remember(mem, SurfaceRecord{bmp, ::SelectObject(mem, bmp), true});
    return mem;
}

HDC CreateMemDCFromBitmap(HBITMAP bitmap)
{
    HDC display = nullptr;
    HDC mem = OpenMemoryContext(display);
    if (!mem)
        return nullptr;
    CloseDisplay(display);
    HGDIOBJ displaced = ::SelectObject(mem, bitmap);
    if (!displaced) {
        ::DeleteDC(mem);
        return nullptr;
    }
    Remember(mem, SurfaceRecord{bitmap, displaced, false});
    return mem;
}

void DeleteMemDC(HDC surface)
{
    if (!surface)
        return;
    SurfaceRecord rec{nullptr, nullptr, false};
    bool known = false;
    {
        std::lock_guard<std::mutex> lock(g_surfacesLock);
        auto it = Surfaces().find(surface);
        if (it != Surfaces().end()) {
            rec = it->second;
            known = true;
            Surfaces().erase(it);
        }
    }
    if (known && rec.displaced)
        ::SelectObject(surface, rec.displaced);
    ::DeleteDC(surface);
    if (known && rec.owned)
        ::DeleteObject(rec.bitmap);
}

void BlitWithBorders(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh, int edge)
{
    for (const shape::BlitPart& p : shape::BorderBlitParts(dx, dy, dw, dh, sx, sy, sw, sh, edge))
        ::StretchBlt(dst, p.dx, p.dy, p.dw, p.dh, src, p.sx, p.sy, p.sw, p.sh, SRCCOPY);
}

KeptSurface::KeptSurface(KeptSurface&& o) noexcept : dc_(o.dc_), width_(o.width_), height_(o.height_)
{
    o.dc_ = nullptr;
    o.width_ = o.height_ = 0;
}

KeptSurface& KeptSurface::operator=(KeptSurface&& o) noexcept
{
    if (this != &o) {
        Release();
        dc_ = o.dc_;
        width_ = o.width_;
        height_ = o.height_;
        o.dc_ = nullptr;
        o.width_ = o.height_ = 0;
    }
    return *this;
}

HDC KeptSurface::Fit(int width, int height)
{
    if (dc_ && width == width_ && height == height_)
        return dc_;
    Release();
    dc_ = CreateMemDC(width, height);
    if (dc_) {
        width_ = width;
        height_ = height;
    }
    return dc_;
}

void KeptSurface::Release()
{
    DeleteMemDC(dc_);
    dc_ = nullptr;
    width_ = height_ = 0;
}

HFONT KeptFont::For(const host::Font& font)
{
    if (font_ && font == made_)
        return font_;
    Release();
    font_ = CreateFontFromStdFont(font);
    made_ = font;
    return font_;
}

void KeptFont::Release()
{
    if (font_)
        ::DeleteObject(font_);
    font_ = nullptr;
}

DrawingScope::DrawingScope(HDC dc, HFONT font, host::Colour foreColor) : dc_(dc), saved_(::SaveDC(dc))
{
    if (!font)
        return;
    ::SelectObject(dc_, font);
    ::SetBkMode(dc_, TRANSPARENT);
    ::SetTextColor(dc_, TranslateColour(foreColor));
}

DrawingScope::~DrawingScope()
{
    if (saved_)
        ::RestoreDC(dc_, saved_);
}

void FramePainter::Paint(HWND hwnd, const host::Font* font, host::Colour foreColor,
                         const std::function<void(HDC, int, int)>& draw,
                         const std::function<int(int)>& presentedRows)
{
    PAINTSTRUCT ps{};
    ::BeginPaint(hwnd, &ps);
    RECT rc{};
    ::GetClientRect(hwnd, &rc);
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    // No surface (an empty window or no memory): nothing can be shown.
    if (HDC surface = surface_.Fit(w, h)) {
        {
            DrawingScope scope(surface, font ? font_.For(*font) : nullptr, foreColor);
            if (draw)
                draw(surface, w, h);
        }
        if (ps.hdc)
            ::BitBlt(ps.hdc, 0, 0, w, presentedRows ? presentedRows(h) : h, surface, 0, 0, SRCCOPY);
    }
    ::EndPaint(hwnd, &ps);
}

void FramePainter::Release()
{
    surface_.Release();
    font_.Release();
}

OpenSurfaceFigures OpenSurfaces()
{
    std::lock_guard<std::mutex> lock(g_surfacesLock);
    OpenSurfaceFigures f{0, 0};
    for (const auto& entry : Surfaces()) {
        if (!entry.second.owned)
            continue;
        BITMAP info{};
        if (::GetObjectW(entry.second.bitmap, sizeof info, &info)) {
            ++f.count;
            f.bytes += 4.0 * info.bmWidth * info.bmHeight;
        }
    }
    return f;
}

} // namespace kit
