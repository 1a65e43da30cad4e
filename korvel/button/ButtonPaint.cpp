// kxButtons_H painting: every step draws into the off-screen surface,
// which reaches the window in one block transfer.
#include "kxButtons_H.h"

#include <algorithm>

using namespace kx;

namespace {

void FillSolid(HDC dc, int l, int t, int r, int b, Rgb colour)
{
    RECT rc{l, t, r, b};
    SetDCBrushColor(dc, colour);
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void FillGradient(HDC dc, int mode, int W, int H, Rgb start, Rgb end)
{
    const bool across = GradientIsHorizontal(mode);
    const int screen = GetSystemMetrics(across ? SM_CXSCREEN : SM_CYSCREEN);
    for (const GradientBand& b : GradientBands(mode, across ? W : H, screen, start, end)) {
        if (across)
            FillSolid(dc, b.from, 0, b.to, H, b.colour);
        else
            FillSolid(dc, 0, b.from, W, b.to, b.colour);
    }
}

void FrameWith(HDC dc, HRGN rgn, Rgb colour)
{
    if (!rgn)
        return;
    SetDCBrushColor(dc, colour);
    FrameRgn(dc, rgn, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)), 1, 1);
}

const POINT kCustomClickOffset[9] = {{0, 0}, {0, -1}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}, {1, 0}, {0, 1}, {-1, 0}};

}  // namespace

void kxButtons_H::PaintButton()
{
    if (!bitmap_ || !surface_ || !hWnd())
        return;
    const LookState s = model_.MakeLookState(surfaceW_, surfaceH_);
    if (CustomClickMove(s)) {
        // The movement is the press: show the surface unchanged.
        PresentTo(hDC());
        return;
    }
    const StyleLook look = PaintLook(s);
    PaintRingAndClip(s);
    FillBackground(s, look);
    // Caption first, then the picture: a picture that covers the face lies
    // over the caption.
    DrawCaption(s, look);
    DrawPicture(s, look);
    if (s.shape <= 3)
        DrawBevel(s, look);
    DrawFocusFrame(s, look);
    SelectClipRgn(surface_, nullptr);
    if (s.style == 5 && s.designMode && IsOvalShape(s.shape)) {
        // At design time the invisible oval still shows where it is.
        HGDIOBJ oldPen = SelectObject(surface_, GetStockObject(DC_PEN));
        SetDCPenColor(surface_, ShadeColor(s.container, -32));
        const int W = surfaceW_, H = surfaceH_;
        Arc(surface_, 0, 0, W - 1, H - 1, 0, H / 2, 0, H / 2);
        SelectObject(surface_, oldPen);
    }

    // Shapes 4 to 8 get a one-pixel frame on the window after the copy.
    frameAfterCopy_ = false;
    frameRgn_ = nullptr;
    frameColour_ = look.frameColour;
    const bool held = s.Held();
    if (IsOvalShape(s.shape)) {
        if (s.mode == 2 && !held)
            frameRgn_ = inner1_;
        else if (s.shape == 6)
            frameRgn_ = outerRgn_;
    } else if (IsPictureShape(s.shape)) {
        if (s.hovering && !held) {
            if (s.style != 2)
                frameColour_ = s.colours.hoverFace;
            if (s.style == 2 || frameColour_ != s.back)
                frameRgn_ = outerRgn_;
        } else if (s.stateBits & kBitDefaultFrame) {
            frameRgn_ = s.shape == 7 ? inner1_ : inner2_;
            if (s.value && s.style != 2)
                frameColour_ = ShadeColor(s.colours.shadow, -32);
        }
    }
    frameAfterCopy_ = frameRgn_ != nullptr;
    PresentTo(hDC());
}

void kxButtons_H::PresentTo(HDC target)
{
    if (!target || !surface_ || !bitmap_)
        return;
    BitBlt(target, 0, 0, surfaceW_, surfaceH_, surface_, 0, 0, SRCCOPY);
    if (frameAfterCopy_)
        FrameShapedButton(target);
}

void kxButtons_H::FrameShapedButton(HDC target) { FrameWith(target, frameRgn_, frameColour_); }

bool kxButtons_H::CustomClickMove(const LookState& s)
{
    const int cc = CustomClick();
    const bool moved = (model_.StateBits() & kBitMoved) != 0;
    const bool wantMoved = s.mode == 0 && cc >= 1 && cc <= 8 && s.Held();
    if (wantMoved == moved)
        return false;
    HWND h = hWnd();
    RECT wr;
    GetWindowRect(h, &wr);
    POINT p{wr.left, wr.top};
    if (HWND parent = GetParent(h))
        ScreenToClient(parent, &p);
    POINT d = kCustomClickOffset[std::clamp(cc, 0, 8)];
    if (!wantMoved) {
        d.x = -d.x;
        d.y = -d.y;
    }
    // Marked before moving: the move itself may ask for a paint.
    if (wantMoved)
        model_.SetStateBits(static_cast<std::uint16_t>(model_.StateBits() | kBitMoved));
    else
        model_.SetStateBits(static_cast<std::uint16_t>(model_.StateBits() & ~kBitMoved));
    MoveWindow(h, p.x + d.x, p.y + d.y, wr.right - wr.left, wr.bottom - wr.top, TRUE);
    return wantMoved;
}

void kxButtons_H::PaintRingAndClip(const LookState& s)
{
    SelectClipRgn(surface_, nullptr);
    if (s.shape <= 3)
        return;
    const int W = surfaceW_, H = surfaceH_;
    const bool held = s.Held();
    if (s.style == 5) {
        if (!s.hovering && !held && !s.value)
            return;  // idle: no ring, no clip
        FillGradient(surface_, 3, W, H, kWhite, kGrey);
        SelectClipRgn(surface_, inner2_);
        return;
    }
    if (s.shape == 6) {
        FrameWith(surface_, outerRgn_, kBlack);
        SelectClipRgn(surface_, inner1_);
    } else if (s.shape == 7) {
        FrameWith(surface_, outerRgn_, s.back);
        SelectClipRgn(surface_, inner1_);
    } else if (held || s.value) {
        FillGradient(surface_, 3, W, H, kGrey, kWhite);
        SelectClipRgn(surface_, inner2_);
    } else {
        FillGradient(surface_, 3, W, H, kWhite, kGrey);
        SelectClipRgn(surface_, inner1_);
    }
}

void kxButtons_H::FillBackground(const LookState& s, const StyleLook& look)
{
    const int W = surfaceW_, H = surfaceH_;
    const FillPlan p = PlanFill(s, look);
    switch (p.kind) {
    case FillPlan::Kind::Solid:
        FillSolid(surface_, 0, 0, W, H, p.colour);
        break;
    case FillPlan::Kind::Rows:
        for (int i = 0; i <= H; ++i)
            FillSolid(surface_, 0, i, W, i + 1, RowShade(p.colour, i, H));
        break;
    case FillPlan::Kind::Gradient:
        FillGradient(surface_, s.gradientMode, W, H, p.gradientStart, p.gradientEnd);
        break;
    }
}

void kxButtons_H::DrawCaption(const LookState& s, const StyleLook& look)
{
    const CaptionPlan plan = PlanCaption(s, look, !Caption().empty());
    if (!plan.draw)
        return;
    const UINT flags = (CaptionAlign() == 0 ? DT_LEFT : CaptionAlign() == 1 ? DT_RIGHT : DT_CENTER) | DT_WORDBREAK;
    const Rect& c = layout_.caption;
    for (const TextPass& pass : plan.passes) {
        const int dx = plan.shift.x + pass.dx, dy = plan.shift.y + pass.dy;
        RECT r{c.left + dx, c.top + dy, c.right + dx, c.bottom + dy};
        SetTextColor(surface_, pass.colour);
        DrawTextW(surface_, layout_.text.c_str(), -1, &r, flags);
    }
}

void kxButtons_H::DrawPreparedPicture(HDC dc, const Rect& a)
{
    if (!preparedColour_ || !preparedMask_ || a.Width() <= 0 || a.Height() <= 0)
        return;
    HDC m = CreateCompatibleDC(dc);
    const COLORREF oldText = SetTextColor(dc, kBlack);
    const COLORREF oldBk = SetBkColor(dc, kWhite);
    HGDIOBJ old = SelectObject(m, preparedMask_);
    const bool same = a.Width() == preparedW_ && a.Height() == preparedH_;
    // Mask first (keeps the face where the picture is transparent), then
    // the picture whose transparent pixels are black.
    for (DWORD rop : {static_cast<DWORD>(SRCAND), static_cast<DWORD>(SRCPAINT)}) {
        if (same)
            BitBlt(dc, a.left, a.top, a.Width(), a.Height(), m, 0, 0, rop);
        else
            StretchBlt(dc, a.left, a.top, a.Width(), a.Height(), m, 0, 0, preparedW_, preparedH_, rop);
        SelectObject(m, preparedColour_);
    }
    SelectObject(m, old);
    DeleteDC(m);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
}

void kxButtons_H::DrawPicture(const LookState& s, const StyleLook& look)
{
    const host::PictureRef& pic = Picture();
    const PicturePlan plan = PlanPicture(s, look, pic != nullptr, layout_.picture);
    if (!plan.draw || !pic->handle)
        return;
    const Rect& a = plan.area;
    const int w = a.Width(), h = a.Height();
    if (w <= 0 || h <= 0)
        return;
    auto drawAt = [&](HDC dc, const Rect& at) {
        if (model_.PictureIsIcon())
            DrawIconEx(dc, at.left, at.top, reinterpret_cast<HICON>(pic->handle), at.Width(), at.Height(), 0,
                       nullptr, DI_NORMAL);
        else
            DrawPreparedPicture(dc, at);
    };
    if (!plan.silhouette) {
        drawAt(surface_, a);
        return;
    }
    // Disabled: draw on white, turn every non-white pixel into one bit and
    // lay that bit pattern onto the face in grey.
    HDC scratch = CreateCompatibleDC(surface_);
    HBITMAP scratchBmp = CreateCompatibleBitmap(hDC(), w, h);
    HGDIOBJ oldScratch = SelectObject(scratch, scratchBmp);
    PatBlt(scratch, 0, 0, w, h, WHITENESS);
    drawAt(scratch, Rect{0, 0, w, h});

    HDC mono = CreateCompatibleDC(surface_);
    HBITMAP monoBmp = CreateBitmap(w, h, 1, 1, nullptr);
    HGDIOBJ oldMono = SelectObject(mono, monoBmp);
    SetBkColor(scratch, kWhite);
    BitBlt(mono, 0, 0, w, h, scratch, 0, 0, SRCCOPY);

    const COLORREF oldText = SetTextColor(surface_, kBlack);
    const COLORREF oldBk = SetBkColor(surface_, kWhite);
    HGDIOBJ oldBrush = SelectObject(surface_, GetStockObject(DC_BRUSH));
    SetDCBrushColor(surface_, kGrey);
    BitBlt(surface_, a.left, a.top, w, h, mono, 0, 0, 0xB8074A);
    SelectObject(surface_, oldBrush);
    SetTextColor(surface_, oldText);
    SetBkColor(surface_, oldBk);

    SelectObject(mono, oldMono);
    DeleteObject(monoBmp);
    DeleteDC(mono);
    SelectObject(scratch, oldScratch);
    DeleteObject(scratchBmp);
    DeleteDC(scratch);
}

void kxButtons_H::DrawBevel(const LookState& s, const StyleLook& look)
{
    const int W = surfaceW_, H = surfaceH_;
    const BevelOutlines b = BevelPoints(s.shape, W, H, leftRun_, rightEdge_);
    const Point* outlines[3] = {b.inner, b.middle, b.outer};
    HGDIOBJ oldPen = SelectObject(surface_, GetStockObject(DC_PEN));
    bool drawn = false;
    std::int32_t penColour = kNoColour;
    for (int o = 0; o < 3; ++o)
        for (int side = 0; side < 4; ++side) {
            const std::int32_t c = look.slots[static_cast<std::size_t>(o * 4 + side)];
            if (c < 0)
                continue;
            if (c != penColour) {
                SetDCPenColor(surface_, static_cast<COLORREF>(c));
                penColour = c;
            }
            const Point& p0 = outlines[o][side];
            const Point& p1 = outlines[o][side + 1];
            POINT line[2] = {{p0.x, p0.y}, {p1.x, p1.y}};
            Polyline(surface_, line, 2);
            drawn = true;
        }
    if (drawn) {
        // The bottom edge once more, up to the last pixel of the row.
        POINT line[2] = {{b.outer[4].x, b.outer[4].y}, {W - 1, H - 1}};
        Polyline(surface_, line, 2);
    }
    SelectObject(surface_, oldPen);
    for (const CornerPixel& c : look.corners)
        SetPixelV(surface_, c.at.x, c.at.y, c.colour);
}

void kxButtons_H::DrawFocusFrame(const LookState& s, const StyleLook& look)
{
    const FocusPlan f =
        PlanFocus(s, look, leftRun_, rightEdge_, layout_.caption, layout_.picture, !Caption().empty());
    if (f.kind == FocusPlan::Kind::None)
        return;
    std::vector<POINT> pts;
    if (f.isRect) {
        const Rect& r = f.rect;
        if (f.kind == FocusPlan::Kind::Dotted) {
            RECT rc{r.left, r.top, r.right, r.bottom};
            DrawFocusRect(surface_, &rc);
            return;
        }
        pts = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}, {r.left, r.top}};
    } else {
        for (const Point& p : f.outline)
            pts.push_back({p.x, p.y});
        pts.push_back(pts.front());
    }
    HPEN pen = nullptr;
    HGDIOBJ oldPen;
    if (f.kind == FocusPlan::Kind::Dotted) {
        LOGBRUSH lb{BS_SOLID, kBlack, 0};
        pen = ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, nullptr);
        oldPen = SelectObject(surface_, pen);
    } else {
        oldPen = SelectObject(surface_, GetStockObject(DC_PEN));
        SetDCPenColor(surface_, f.pen);
    }
    Polyline(surface_, pts.data(), static_cast<int>(pts.size()));
    SelectObject(surface_, oldPen);
    if (pen)
        DeleteObject(pen);
}
