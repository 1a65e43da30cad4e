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

TextScope::TextScope(HDC dc, const host::Font& font, host::Colour foreColor)
    : dc_(dc), font_(CreateFontFromStdFont(font)), previous_(nullptr)
{
    ::SetBkMode(dc_, TRANSPARENT);
    ::SetTextColor(dc_, TranslateColour(foreColor));
    if (font_)
        previous_ = ::SelectObject(dc_, font_);
}

TextScope::~TextScope()
{
    if (previous_)
        ::SelectObject(dc_, previous_);
    if (font_)
        ::DeleteObject(font_);
}

PaintCycle::PaintCycle(HWND hwnd, const host::Font* font, host::Colour foreColor) : hwnd_(hwnd)
{
    ::BeginPaint(hwnd_, &ps_);
    RECT rc{};
    ::GetClientRect(hwnd_, &rc);
    width_ = rc.right - rc.left;
    height_ = rc.bottom - rc.top;
    surface_ = CreateMemDC(width_, height_);
    if (font && surface_)
        text_.emplace(surface_, *font, foreColor);
}

PaintCycle::~PaintCycle()
{
    text_.reset();
    DeleteMemDC(surface_);
    ::EndPaint(hwnd_, &ps_);
}

void PaintCycle::Present() { Present(width_, height_); }

void PaintCycle::Present(int w, int h)
{
    if (surface_ && ps_.hdc)
        ::BitBlt(ps_.hdc, 0, 0, w, h, surface_, 0, 0, SRCCOPY);
}

void PaintFrame(HWND hwnd, const host::Font* font, host::Colour foreColor,
                const std::function<void(HDC, int, int)>& draw)
{
    PaintCycle cycle(hwnd, font, foreColor);
    // No surface (an empty window or no memory): nothing can be shown.
    if (draw && cycle.surface())
        draw(cycle.surface(), cycle.width(), cycle.height());
    cycle.Present();
}

} // namespace kit
