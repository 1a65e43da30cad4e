// kxButtons_H: lifecycle, the model's platform (the site), the window
// shape and the caption/picture layout. Painting is in ButtonPaint.cpp.
#include "kxButtons_H.h"

#include "ModKxTimer.h"

#include "host/App.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cwchar>
#include <string>

using namespace kx;

// ---- Option group as window properties --------------------------------------

namespace kx {
namespace detail {

namespace {
const wchar_t kOptCountProp[] = L"kx_OptCount";
std::wstring MemberProp(int index) { return L"kx_Obj" + std::to_wstring(index); }
}  // namespace

int WindowPropRegistry::Count() const
{
    if (!container_)
        return 0;
    return static_cast<int>(reinterpret_cast<std::intptr_t>(GetPropW(container_, kOptCountProp)));
}

void WindowPropRegistry::SetCount(int n)
{
    if (!container_)
        return;
    if (n <= 0)
        RemovePropW(container_, kOptCountProp);
    else
        SetPropW(container_, kOptCountProp, reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(n)));
}

ButtonModel* WindowPropRegistry::Member(int index) const
{
    if (!container_)
        return nullptr;
    return static_cast<ButtonModel*>(GetPropW(container_, MemberProp(index).c_str()));
}

void WindowPropRegistry::SetMember(int index, ButtonModel* b)
{
    if (container_)
        SetPropW(container_, MemberProp(index).c_str(), static_cast<HANDLE>(b));
}

void WindowPropRegistry::RemoveMember(int index)
{
    if (container_)
        RemovePropW(container_, MemberProp(index).c_str());
}

}  // namespace detail
}  // namespace kx

// ---- The model's platform -----------------------------------------------------------

class kxButtons_H::Site final : public ButtonPlatform {
public:
    explicit Site(kxButtons_H& b) : b_(b) {}

    Rgb Translate(host::Colour c) const override { return host::TranslateColour(c) & 0xFFFFFF; }
    bool InDesignMode() const override { return host::DesignMode(); }
    void ShowMessage(const std::wstring& text, const std::wstring& title) override
    {
        host::MsgBox(text, host::MsgIcon::Information, title);
    }
    void NotifyChanged(const std::wstring& key) override
    {
        b_.PropertyChanged(key);
        if (host::KeyEquals(key, L"Caption"))
            b_.CaptionChanged(b_.Caption());
    }
    // The host's own setters: the button's hide them.
    void PassEnabled(bool v) override { b_.ControlBase::SetEnabled(v); }
    void PassForeColor(host::Colour v) override { b_.UserControl::SetForeColor(v); }
    void PassFont(const host::Font& v) override { b_.UserControl::SetFont(v); }
    void PassMousePointer(int v) override { b_.UserControl::SetMousePointer(v); }
    bool PassMouseIcon(const host::PictureRef& v, std::wstring& error) override
    {
        if (b_.UserControl::SetMouseIcon(v))
            return true;
        error = b_.MouseIconError();
        return false;
    }
    void PassAccessKey(wchar_t key) override { b_.SetAccessKeys(std::wstring(1, key)); }
    host::Colour AmbientBack() const override { return b_.AmbientBackColor(); }
    bool IsDefaultButton() const override { return b_.DisplayAsDefault(); }
    std::wstring DesignName() const override { return b_.DisplayName(); }
    bool InMdiParent() const override { return b_.ContainerIsMdi(); }
    host::Font ParentFont() const override { return b_.ContainerFont(); }
    void RememberContainer() override
    {
        b_.SetTag(std::to_wstring(reinterpret_cast<std::uintptr_t>(b_.ContainerHwnd())));
    }

    void RebuildShape() override { b_.RebuildShape(); }
    void Relayout(bool pictureChanged) override { b_.Relayout(pictureChanged); }
    void PaintButton() override { b_.PaintButton(); }
    void ResizeHandling() override { b_.ResizeHandling(); }
    void BuildDrawingFont() override { b_.BuildDrawingFont(); }

    void CaptureMouse(bool capture) override
    {
        if (capture)
            SetCapture(b_.hWnd());
        else if (GetCapture() == b_.hWnd())
            ReleaseCapture();
    }
    bool CursorOverButton() const override
    {
        POINT p;
        if (!GetCursorPos(&p))
            return false;
        return WindowFromPoint(p) == b_.hWnd();
    }
    bool StartHoverTimer() override
    {
        HWND h = b_.hWnd();
        if (!h)
            return false;
        SetPropW(h, ModKxTimer::kClassIdProp, static_cast<HANDLE>(&b_.model_));
        SetPropW(h, ModKxTimer::kTimerIdProp, reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(kHoverTimerId)));
        return SetTimer(h, kHoverTimerId, kHoverTimerMs, ModKxTimer::TimerProc) != 0;
    }
    void StopHoverTimer(int timerId) override
    {
        if (b_.hWnd())
            KillTimer(b_.hWnd(), static_cast<UINT_PTR>(timerId));
    }
    void PostKeyToContainer(int keyCode, long lParam) override
    {
        if (HWND c = b_.ContainerHwnd())
            PostMessageW(c, WM_KEYDOWN, static_cast<WPARAM>(keyCode), static_cast<LPARAM>(lParam));
    }
    void CursorClientPosition(float& x, float& y) const override
    {
        POINT p{0, 0};
        GetCursorPos(&p);
        ScreenToClient(b_.hWnd(), &p);
        x = static_cast<float>(p.x);
        y = static_cast<float>(p.y);
    }
    OptionRegistry* Registry() override
    {
        // The container window as remembered in the tag.
        const std::wstring& tag = b_.Tag();
        wchar_t* end = nullptr;
        const unsigned long long value = tag.empty() ? 0 : std::wcstoull(tag.c_str(), &end, 10);
        HWND container =
            value && end && *end == 0 ? reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value)) : nullptr;
        if (!container || !IsWindow(container))
            return nullptr;
        registry_.SetWindow(container);
        return &registry_;
    }

private:
    kxButtons_H& b_;
    detail::WindowPropRegistry registry_;
};

// ---- Life --------------------------------------------------------------------------

kxButtons_H::kxButtons_H() : site_(std::make_unique<Site>(*this)), model_(*site_) {}

kxButtons_H::~kxButtons_H() { ReleaseGdi(); }

void kxButtons_H::InitProperties() { model_.InitNew(); }

void kxButtons_H::ReadProperties(const host::PropertyBag& bag) { model_.Load(bag); }

void kxButtons_H::WriteProperties(host::PropertyBag& bag) { model_.Save(bag); }

void kxButtons_H::Resize() { ResizeHandling(); }

void kxButtons_H::Show() { model_.HandleShown(); }

void kxButtons_H::Paint()
{
    // The surface already holds the whole frame: show it.
    if (bitmap_)
        PresentTo(hDC());
}

void kxButtons_H::GotFocus() { model_.HandleGotFocus(); }

void kxButtons_H::AmbientChanged(const std::wstring& name) { model_.HandleAmbientChanged(name); }

void kxButtons_H::Terminate()
{
    // Neither the hover timer nor the option group may reach this button
    // once its window is gone.
    model_.Dispose();
    if (HWND h = hWnd()) {
        RemovePropW(h, ModKxTimer::kClassIdProp);
        RemovePropW(h, ModKxTimer::kTimerIdProp);
        if (GetCapture() == h)
            ReleaseCapture();
    }
    ReleaseGdi();
}

void kxButtons_H::ShowLookState(std::uint16_t stateBits, bool hovering, bool pressedLook)
{
    // The CustomClick mark belongs to the window's position, not the look.
    model_.SetStateBits(static_cast<std::uint16_t>((stateBits & ~kBitMoved) | (model_.StateBits() & kBitMoved)));
    model_.SetHovering(hovering);
    model_.SetPressedLook(pressedLook);
    model_.Refresh();
}

// ---- Host input ----------------------------------------------------------------------

void kxButtons_H::OnHostMouseDown(int button, int shift, float x, float y) { model_.HandleMouseDown(button, shift, x, y); }
void kxButtons_H::OnHostMouseUp(int button, int shift, float x, float y) { model_.HandleMouseUp(button, shift, x, y); }
void kxButtons_H::OnHostMouseMove(int button, int shift, float x, float y) { model_.HandleMouseMove(button, shift, x, y); }
void kxButtons_H::OnHostClick() { model_.HandleClick(); }
void kxButtons_H::OnHostDblClick() { model_.HandleDoubleClick(); }
void kxButtons_H::OnHostKeyDown(int& keyCode, int& shift) { model_.HandleKeyDown(keyCode, shift); }
void kxButtons_H::OnHostKeyPress(int& keyAscii) { model_.HandleKeyPress(keyAscii); }
void kxButtons_H::OnHostKeyUp(int& keyCode, int& shift) { model_.HandleKeyUp(keyCode, shift); }
void kxButtons_H::OnHostAccessKey(int keyAscii) { model_.HandleAccessKey(keyAscii); }

void kxButtons_H::OnHostOLEDragOver(host::DragData& data, long& effect, int button, int shift, float x, float y,
                                    int state)
{
    OLEDragOver.raise(data, effect, button, shift, x, y, state);
}
void kxButtons_H::OnHostOLEDragDrop(host::DragData& data, long& effect, int button, int shift, float x, float y)
{
    OLEDragDrop.raise(data, effect, button, shift, x, y);
}
void kxButtons_H::OnHostOLEStartDrag(host::DragData& data, long& allowedEffects)
{
    OLEStartDrag.raise(data, allowedEffects);
}
void kxButtons_H::OnHostOLESetData(host::DragData& data, int& dataFormat) { OLESetData.raise(data, dataFormat); }
void kxButtons_H::OnHostOLEGiveFeedback(long& effect, bool& defaultCursors)
{
    OLEGiveFeedback.raise(effect, defaultCursors);
}
void kxButtons_H::OnHostOLECompleteDrag(long effect) { OLECompleteDrag.raise(effect); }

// ---- Surface and font ---------------------------------------------------------------------

bool kxButtons_H::EnsureSurface()
{
    if (surface_)
        return true;
    if (!hWnd() || !hDC())
        return false;
    surface_ = CreateCompatibleDC(hDC());
    if (!surface_)
        return false;
    SetBkMode(surface_, TRANSPARENT);
    SelectObject(surface_, GetStockObject(BLACK_BRUSH));
    SelectObject(surface_, GetStockObject(BLACK_PEN));
    firstBitmap_ = static_cast<HBITMAP>(GetCurrentObject(surface_, OBJ_BITMAP));
    firstFont_ = static_cast<HFONT>(GetCurrentObject(surface_, OBJ_FONT));
    return true;
}

void kxButtons_H::ReleaseGdi()
{
    if (surface_) {
        SelectClipRgn(surface_, nullptr);
        SelectObject(surface_, firstBitmap_);
        SelectObject(surface_, firstFont_);
        DeleteDC(surface_);
        surface_ = nullptr;
    }
    if (bitmap_)
        DeleteObject(bitmap_);
    if (font_)
        DeleteObject(font_);
    bitmap_ = nullptr;
    font_ = nullptr;
    for (HRGN* r : {&outerRgn_, &inner1_, &inner2_}) {
        if (*r)
            DeleteObject(*r);
        *r = nullptr;
    }
    frameRgn_ = nullptr;
    frameAfterCopy_ = false;
    ReleasePrepared();
}

void kxButtons_H::BuildDrawingFont()
{
    if (!EnsureSurface())
        return;
    LOGFONTW lf = host::LogFontFor(model_.Font(), host::FontRounding::TwipPixels, 0);
    // The disabled, embossed and engraved captions are copies of the text
    // one pixel apart; smoothed glyph edges would blur them into each other.
    lf.lfQuality = NONANTIALIASED_QUALITY;
    HFONT made = CreateFontIndirectW(&lf);
    if (!made)
        return;
    SelectObject(surface_, made);
    if (font_)
        DeleteObject(font_);
    font_ = made;
}

void kxButtons_H::ResizeHandling()
{
    if (!EnsureSurface())
        return;
    const int w = std::max(1, ScaleWidth());
    const int h = std::max(1, ScaleHeight());
    if (!bitmap_ || w != surfaceW_ || h != surfaceH_) {
        HBITMAP made = CreateCompatibleBitmap(hDC(), w, h);
        if (!made)
            return;
        SelectObject(surface_, made);
        if (bitmap_)
            DeleteObject(bitmap_);
        bitmap_ = made;
        surfaceW_ = w;
        surfaceH_ = h;
    }
    if (model_.DrawingDelayed() || reshaping_)
        return;
    RebuildShape();
    Relayout(false);
    model_.Repaint();
}

// ---- Shape ------------------------------------------------------------------------------------

namespace {

HRGN PolygonRegion(const std::vector<Point>& pts)
{
    std::vector<POINT> p;
    p.reserve(pts.size());
    for (auto& q : pts)
        p.push_back({q.x, q.y});
    return CreatePolygonRgn(p.data(), static_cast<int>(p.size()), ALTERNATE);
}

void Subtract(HRGN from, int l, int t, int r, int b)
{
    HRGN cut = CreateRectRgn(l, t, r, b);
    CombineRgn(from, from, cut, RGN_DIFF);
    DeleteObject(cut);
}

// Moves a region so that its bounding box starts `inset` pixels inside
// the outer one's.
void AlignInside(HRGN inner, HRGN outer, int inset)
{
    RECT ib, ob;
    if (GetRgnBox(inner, &ib) == NULLREGION || GetRgnBox(outer, &ob) == NULLREGION)
        return;
    OffsetRgn(inner, ob.left + inset - ib.left, ob.top + inset - ib.top);
}

}  // namespace

void kxButtons_H::ApplyWindowRegion(HRGN outer)
{
    if (outerRgn_)
        DeleteObject(outerRgn_);
    outerRgn_ = outer;
    if (!outer)
        return;
    // The window takes ownership of the region it is given: hand it a copy.
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(copy, outer, nullptr, RGN_COPY);
    if (!SetWindowRgn(hWnd(), copy, TRUE))
        DeleteObject(copy);
}

void kxButtons_H::RebuildShape()
{
    if (!hWnd())
        return;
    int W = ScaleWidth();
    int H = ScaleHeight();
    const int shape = ButtonShape();

    if (IsDiagonalShape(shape)) {
        const int wanted = WidenedWidth(shape, W, H);
        if (wanted != W) {
            reshaping_ = true;
            Move(-1, -1, host::PixelsToTwips(wanted), -1);
            reshaping_ = false;
            W = ScaleWidth();
        }
    }
    const Edges e = ShapeEdges(shape, W, H);
    leftRun_ = e.leftRun;
    rightEdge_ = e.rightEdge;

    for (HRGN* r : {&inner1_, &inner2_}) {
        if (*r)
            DeleteObject(*r);
        *r = nullptr;
    }
    if (surface_)
        SelectClipRgn(surface_, nullptr);

    HRGN outer = nullptr;
    const host::PictureRef& pic = Picture();
    if (shape <= 3) {
        const ShapeOutline o = OutlineFor(shape, ButtonStyle(), Enabled(), W, H);
        outer = PolygonRegion(o.polygon);
        for (auto& piece : o.cutPieces) {
            HRGN cut = PolygonRegion(piece);
            CombineRgn(outer, outer, cut, RGN_DIFF);
            DeleteObject(cut);
        }
    } else if (IsOvalShape(shape)) {
        outer = CreateEllipticRgn(0, 0, W, H);
        inner1_ = CreateEllipticRgn(1, 1, W - 1, H - 1);
        inner2_ = CreateEllipticRgn(2, 2, W - 2, H - 2);
    } else if (pic && pic->type == host::Picture::Type::Bitmap) {
        const Size fit = FitInto(model_.PictureWidth(), model_.PictureHeight(), W, H);
        if (fit.width != W || fit.height != H) {
            const bool wasDelayed = model_.DrawingDelayed();
            model_.SetDrawingDelayed(true);
            reshaping_ = true;
            Move(-1, -1, host::PixelsToTwips(fit.width), host::PixelsToTwips(fit.height));
            reshaping_ = false;
            model_.SetDrawingDelayed(wasDelayed);
            W = ScaleWidth();
            H = ScaleHeight();
            leftRun_ = 0;
            rightEdge_ = W;
        }
        PreparePicture(W, H);
        outer = CreateRectRgn(0, 0, W, H);
        inner1_ = CreateRectRgn(0, 0, W, H);
        inner2_ = CreateRectRgn(0, 0, W, H);
        for (const kx::Run& r : TransparentRuns(preparedPixels_, preparedW_, preparedH_)) {
            Subtract(outer, r.x0, r.y, r.x1, r.y + 1);
            Subtract(inner1_, r.x0 - 1, r.y - 1, r.x1 + 1, r.y + 2);
            Subtract(inner2_, r.x0 - 2, r.y - 2, r.x1 + 2, r.y + 3);
        }
        AlignInside(inner1_, outer, 1);
        AlignInside(inner2_, outer, 2);
    } else {
        outer = CreateRectRgn(0, 0, W + 1, H + 1);
    }
    ApplyWindowRegion(outer);
}

// ---- Layout and the prepared picture ----------------------------------------------------------

void kxButtons_H::Relayout(bool pictureChanged)
{
    if (!EnsureSurface() || !hWnd())
        return;
    LayoutInput in;
    in.shape = ButtonShape();
    in.width = ScaleWidth();
    in.height = ScaleHeight();
    const Edges e = ShapeEdges(in.shape, in.width, in.height);
    in.leftRun = leftRun_ = e.leftRun;
    in.rightEdge = rightEdge_ = e.rightEdge;
    in.caption = Caption();
    in.captionAlign = CaptionAlign();
    in.captionStyle = CaptionStyle();
    in.hasPicture = Picture() != nullptr;
    in.pictureEdge = model_.PictureEdge();
    in.pictureAlign = PictureAlign();
    in.pictureWidth = model_.PictureWidth();
    in.pictureHeight = model_.PictureHeight();

    UINT align = CaptionAlign() == 0 ? DT_LEFT : CaptionAlign() == 1 ? DT_RIGHT : DT_CENTER;
    auto measure = [this, align](const std::wstring& text, int boxW, int boxH) {
        RECT r{0, 0, boxW, boxH};
        DrawTextW(surface_, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | align);
        return Size{r.right - r.left, r.bottom - r.top};
    };
    layout_ = LayOut(in, measure);

    const host::PictureRef& pic = Picture();
    if (pic && pic->type == host::Picture::Type::Bitmap && !IsPictureShape(in.shape)) {
        const int w = layout_.picture.Width(), h = layout_.picture.Height();
        if (pictureChanged || w != preparedW_ || h != preparedH_ || preparedFrom_ != pic.get())
            PreparePicture(w, h);
    }
}

void kxButtons_H::ReleasePrepared()
{
    if (preparedColour_)
        DeleteObject(preparedColour_);
    if (preparedMask_)
        DeleteObject(preparedMask_);
    preparedColour_ = nullptr;
    preparedMask_ = nullptr;
    preparedPixels_.clear();
    preparedW_ = preparedH_ = 0;
    preparedFrom_ = nullptr;
}

void kxButtons_H::PreparePicture(int w, int h)
{
    ReleasePrepared();
    const host::PictureRef& pic = Picture();
    if (!pic || pic->type != host::Picture::Type::Bitmap || !pic->handle || w <= 0 || h <= 0 || !hDC())
        return;

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down: row 0 first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(hDC(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!colour || !bits)
        return;

    // Scale the picture once to the size it is drawn at.
    HDC src = CreateCompatibleDC(hDC());
    HDC dst = CreateCompatibleDC(hDC());
    HGDIOBJ oldSrc = SelectObject(src, reinterpret_cast<HBITMAP>(pic->handle));
    HGDIOBJ oldDst = SelectObject(dst, colour);
    SetStretchBltMode(dst, COLORONCOLOR);
    StretchBlt(dst, 0, 0, w, h, src, 0, 0, pic->width, pic->height, SRCCOPY);
    GdiFlush();
    SelectObject(src, oldSrc);
    SelectObject(dst, oldDst);
    DeleteDC(src);
    DeleteDC(dst);

    auto* px = static_cast<std::uint32_t*>(bits);
    const std::size_t count = static_cast<std::size_t>(w) * h;
    preparedPixels_.assign(px, px + count);
    for (auto& p : preparedPixels_)
        p &= 0xFFFFFF;
    NormaliseTransparent(preparedPixels_, w, h);

    // Mask: one bit per pixel, rows padded to 16 bits; 1 = transparent.
    const int stride = ((w + 15) / 16) * 2;
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(stride) * h, 0);
    const std::uint32_t key = preparedPixels_[0];
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            if (preparedPixels_[i] == key) {
                mask[static_cast<std::size_t>(y) * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
                px[i] = 0;  // black, so that OR-ing leaves the face
            } else {
                px[i] = preparedPixels_[i];
            }
        }
    preparedMask_ = CreateBitmap(w, h, 1, 1, mask.data());
    if (!preparedMask_) {
        DeleteObject(colour);
        preparedPixels_.clear();
        return;
    }
    preparedColour_ = colour;
    preparedW_ = w;
    preparedH_ = h;
    preparedFrom_ = pic.get();
    ++preparations_;
}
