#include "ButtonLooks.h"

#include <algorithm>
#include <cmath>

namespace kx {

namespace {

constexpr std::int32_t C(Rgb c) { return static_cast<std::int32_t>(c); }
constexpr Rgb kLight233 = MakeRgb(233, 233, 233);

void SetSlots(StyleLook& l, std::initializer_list<int> slots, std::int32_t colour)
{
    for (int s : slots)
        l.slots[static_cast<std::size_t>(s - 1)] = colour;
}

// Face of the looks that share style 0's colours.
Rgb PlainFace(const LookState& s)
{
    return s.value && s.mode != 0 ? s.colours.selectedFace : s.colours.face;
}

int BaseLook(const LookState& s)
{
    int look = 0;
    if (s.stateBits & kBitDefaultFrame)
        look = 1;
    if (s.Held())
        look = 2;
    return look;
}

void Style0(const LookState& s, StyleLook& l)
{
    l.face = PlainFace(s);
    Rgb light = s.Held() ? l.face : kLight233;
    l.look = BaseLook(s);
    const bool selected = s.Selected();
    if (selected) {
        l.look = 3;
        light = kLight233;
        l.captionColour = 0;
    }
    const std::int32_t none = kNoColour;
    const std::int32_t s12[4] = {none, C(light), none, none};
    const std::int32_t s34[4] = {none, C(kGrey), none, none};
    const std::int32_t s56[4] = {C(light), C(kWhite), none, none};
    const std::int32_t s78[4] = {C(kGrey), C(kBlack), C(kGrey), C(light)};
    SetSlots(l, {1, 2}, s12[l.look]);
    SetSlots(l, {3, 4}, s34[l.look]);
    SetSlots(l, {5, 6}, s56[l.look]);
    SetSlots(l, {7, 8}, s78[l.look]);
    if (selected) {
        SetSlots(l, {9, 10}, C(kBlack));
        SetSlots(l, {11, 12}, C(kWhite));
    } else {
        SetSlots(l, {9, 10}, (s.stateBits & kBitDefaultFrame) ? C(kBlack) : C(kWhite));
        SetSlots(l, {11, 12}, C(kBlack));
    }
}

// Styles 1 and 4: raised (look 1 at least) or sunken (look 2) when
// selected, with a black caption for a disabled selected button.
void RaisedOrSunken(const LookState& s, StyleLook& l)
{
    l.face = PlainFace(s);
    if (s.Selected()) {
        l.look = 2;
        l.captionColour = 0;
    } else {
        l.look = std::max(BaseLook(s), 1);
    }
}

void Style1(const LookState& s, StyleLook& l)
{
    RaisedOrSunken(s, l);
    const bool sunken = l.look >= 2;
    SetSlots(l, {1, 2, 5, 6}, sunken ? C(kGrey) : C(kWhite));
    SetSlots(l, {3, 4, 7, 8}, sunken ? C(kWhite) : C(kGrey));
    SetSlots(l, {9, 10, 11, 12}, C(kBlack));
}

void Style2(const LookState& s, StyleLook& l)
{
    const Rgb b = PlainFace(s);
    if (s.mode == 0) {
        if (s.Held() && s.gradientMode == 0)
            l.face = s.colours.shadow;
        else if (!s.enabled)
            l.face = ShadeColor(b, -24, true);
        else
            l.face = b;
    } else {
        l.face = b;
    }
    l.captionColour = C(ShadeColor(l.face, -104, true));
    l.gradientEnd = ShadeColor(s.gradient, 48, true);

    l.look = BaseLook(s);
    if (s.Selected())
        l.look = (s.stateBits & kBitDefaultFrame) ? 1 : 2;
    if ((s.stateBits & kBitOver) && !(s.stateBits & kBitPressed))
        l.look = 3;
    if (l.look == 1 && !s.showFocusRect)
        l.look = 0;

    Rgb outer;
    if (s.enabled) {
        auto sF = [&](int d) { return C(ShadeColor(b, d, true)); };
        const std::int32_t table[8][4] = {
            {sF(-10), 0xF0D1B5, sF(-22), 0x6BCBFF}, {sF(10), 0xF7D7BD, sF(-24), 0x8CDBFF},
            {sF(-24), 0xF0D1B5, C(b), 0x6BCBFF},    {sF(-32), 0xE7AE8C, sF(10), 0x31B2FF},
            {sF(-5), 0xE7AE8C, sF(-32), 0x31B2FF},  {sF(16), 0xFFDFBF, sF(-32), 0xA6E9FF},
            {sF(-36), 0xE7AE8C, sF(5), 0x31B2FF},   {sF(-48), 0xEF826B, sF(16), 0x0096E7},
        };
        for (int i = 0; i < 8; ++i)
            l.slots[static_cast<std::size_t>(i)] = table[i][l.look];
        outer = 0x733C00;
    } else {
        SetSlots(l, {1, 2, 3, 4, 5, 6, 7, 8}, kNoColour);
        outer = ShadeColor(b, -84, true);
    }
    SetSlots(l, {9, 10, 11, 12}, C(outer));
    l.frameColour = outer;
    const int W = s.width, H = s.height;
    if (!HasLeftCut(s.shape)) {
        l.corners.push_back({{1, 1}, outer});
        l.corners.push_back({{1, H - 2}, outer});
    }
    if (!HasRightCut(s.shape)) {
        l.corners.push_back({{W - 2, 1}, outer});
        l.corners.push_back({{W - 2, H - 2}, outer});
    }
}

void Style3(const LookState& s, StyleLook& l)
{
    if (s.value && s.mode != 0)
        l.face = s.colours.selectedFace;
    else if (s.Held() && s.mode == 0)
        l.face = s.colours.shadow;
    else
        l.face = s.colours.face;
    l.captionColour = C(ShadeColor(kGrey, -16));
    l.captionShifts = false;
    const Rgb c = ShadeColor(kGrey, -26);
    if (s.mode != 0)
        l.look = (s.value || s.pressedLook) ? 2 : 3;
    else
        l.look = BaseLook(s);
    l.look = std::max(l.look, 1);
    if (s.enabled || s.mode != 0) {
        SetSlots(l, {1, 2, 3, 4}, kNoColour);
        const Rgb mid[4] = {kWhite, kWhite, l.face, kWhite};
        SetSlots(l, {5, 6}, C(mid[l.look]));
        SetSlots(l, {7, 8, 9, 10}, C(c));
        SetSlots(l, {11, 12}, C(kWhite));
    } else {
        SetSlots(l, {1, 2, 3, 4, 5, 6, 7, 8}, C(l.face));
        SetSlots(l, {9, 10, 11, 12}, C(c));
    }
}

void Style4(const LookState& s, StyleLook& l)
{
    RaisedOrSunken(s, l);
    SetSlots(l, {1, 2, 3, 4, 5, 6, 7, 8}, kNoColour);
    const bool sunken = l.look >= 2;
    SetSlots(l, {9, 10}, sunken ? C(kGrey) : C(kWhite));
    SetSlots(l, {11, 12}, sunken ? C(kWhite) : C(kGrey));
}

void Style5(const LookState& s, StyleLook& l)
{
    l.face = PlainFace(s);
    SetSlots(l, {1, 2, 3, 4, 5, 6, 7, 8}, kNoColour);
    l.look = BaseLook(s);
    if ((s.stateBits & kBitOver) || s.value) {
        l.look = s.Selected() ? 2 : std::max(l.look, 1);
        const bool sunken = l.look >= 2;
        SetSlots(l, {9, 10}, sunken ? C(kGrey) : C(kWhite));
        SetSlots(l, {11, 12}, sunken ? C(kWhite) : C(kGrey));
    } else if (s.designMode) {
        Rgb edge = ShadeColor(s.container, -64);
        if (edge == 0)
            edge = kWhite;
        SetSlots(l, {9, 10, 11, 12}, C(edge));
    } else {
        SetSlots(l, {9, 10, 11, 12}, kNoColour);
    }
}

void Style6(const LookState& s, StyleLook& l)
{
    l.face = PlainFace(s);
    const Rgb light = ShadeColor(0xDFDFDF, 8);
    if (s.Selected()) {
        l.look = 1;
        l.captionColour = 0;
    } else {
        l.look = s.Held() ? 1 : 0;
    }
    SetSlots(l, {1, 2, 3, 4}, kNoColour);
    const bool sunken = l.look == 1;
    SetSlots(l, {5, 6, 9, 10}, sunken ? C(kGrey) : C(light));
    SetSlots(l, {7, 8, 11, 12}, sunken ? C(light) : C(kGrey));
}

void Style7(const LookState& s, StyleLook& l)
{
    const bool heldCommand = s.mode == 0 && s.Held();
    const bool gradientFace = s.gradientMode != 0 && !s.value;
    if (s.mode == 0)
        l.face = heldCommand && !gradientFace ? s.colours.shadow : s.colours.face;
    else
        l.face = s.value ? s.colours.selectedFace : s.colours.face;
    if (gradientFace)
        l.gradientEnd = ShadeColor(s.gradient, 31);

    const bool pressed = heldCommand || s.value;
    l.look = pressed ? 2 : BaseLook(s);
    if (pressed)
        l.captionColour = C(s.enabled ? s.colours.face : ShadeColor(l.face, -32, true));
    else
        l.captionColour = C(s.fore);

    Rgb f = l.face;
    Rgb hi = ShadeColor(f, 31), lo = ShadeColor(f, -64), inner = kWhite;
    if (l.look == 2) {
        const Rgb f2 = s.gradientMode != 0 ? s.colours.face : kGrey;
        inner = ShadeColor(f2, -32);
        hi = ShadeColor(f2, -64);
        lo = ShadeColor(f2, -16);
        f = f2;
    }
    SetSlots(l, {1, 2}, C(inner));
    SetSlots(l, {3, 4}, C(f));
    SetSlots(l, {5, 6}, C(hi));
    SetSlots(l, {7, 8}, C(lo));
    SetSlots(l, {9, 10, 11, 12}, C(kBlack));
    const int W = s.width, H = s.height;
    if (!HasLeftCut(s.shape)) {
        l.corners.push_back({{3, 3}, inner});
        l.corners.push_back({{1, H - 3}, f});
        l.corners.push_back({{2, 2}, hi});
        l.corners.push_back({{1, H - 2}, kBlack});
        l.corners.push_back({{1, 1}, kBlack});
    }
    if (!HasRightCut(s.shape)) {
        l.corners.push_back({{W - 4, H - 4}, f});
        l.corners.push_back({{W - 3, 1}, f});
        l.corners.push_back({{W - 3, H - 3}, lo});
        l.corners.push_back({{W - 2, H - 2}, kBlack});
        l.corners.push_back({{W - 2, 1}, kBlack});
    }
}

}  // namespace

StyleLook PaintLook(const LookState& s)
{
    StyleLook l;
    l.slots.fill(kNoColour);
    l.hover = s.colours.hoverFace;
    l.gradientEnd = s.gradient;
    switch (s.style) {
    case 1: Style1(s, l); break;
    case 2: Style2(s, l); break;
    case 3: Style3(s, l); break;
    case 4: Style4(s, l); break;
    case 5: Style5(s, l); break;
    case 6: Style6(s, l); break;
    case 7: Style7(s, l); break;
    default: Style0(s, l); break;
    }
    if (s.style != 2)
        l.frameColour = kBlack;
    return l;
}

FillPlan PlanFill(const LookState& s, const StyleLook& l)
{
    FillPlan p;
    const bool held = s.Held();
    Rgb colour = l.face;
    if (s.hovering && ((s.mode == 0 && !held) || (s.mode != 0 && !s.value)))
        colour = l.hover;
    if (s.value || IsPictureShape(s.shape) || s.gradientMode == 0) {
        p.kind = s.style == 2 && (s.enabled || s.mode != 0) ? FillPlan::Kind::Rows : FillPlan::Kind::Solid;
        p.colour = colour;
    } else if (!s.hovering || held || s.gradientIsHoverBack) {
        p.kind = FillPlan::Kind::Gradient;
        p.gradientStart = l.face;
        p.gradientEnd = l.gradientEnd;
        p.colour = l.face;
    } else {
        p.kind = FillPlan::Kind::Solid;
        p.colour = l.hover;
    }
    return p;
}

Rgb RowShade(Rgb colour, int row, int height)
{
    if (height <= 0)
        return ShadeColor(colour, 0, true);
    const int delta = static_cast<int>(std::nearbyint(-25.0 / height * row));
    return ShadeColor(colour, delta, true);
}

CaptionPlan PlanCaption(const LookState& s, const StyleLook& l, bool hasCaption)
{
    CaptionPlan p;
    if (!hasCaption || (s.shape >= 5 && !s.value))
        return p;
    p.draw = true;
    if ((s.value || s.Held()) && l.captionShifts)
        p.shift = {s.shape <= 3 ? 1 : 0, 1};
    const bool held = s.Held();
    if (s.enabled) {
        Rgb colour;
        if (s.style == 7 && (s.gradientMode == 0 || s.value)) {
            const Rgb own = static_cast<Rgb>(l.captionColour);
            if (s.hovering && !held)
                colour = (s.hoverFore == s.fore || s.value) ? own : s.hoverFore;
            else
                colour = own;
        } else {
            colour = s.hovering && !held ? s.hoverFore : s.fore;
        }
        if (s.captionStyle == 1 || s.captionStyle == 2) {
            const int d = s.captionStyle == 1 ? -40 : 40;
            p.passes.push_back({-1, 0, ShadeColor(l.face, d)});
            p.passes.push_back({1, 2, ShadeColor(l.face, -d)});
            p.passes.push_back({0, 1, colour});
        } else {
            p.passes.push_back({0, 0, colour});
        }
    } else if (l.captionColour >= 0 && s.gradientMode == 0) {
        p.passes.push_back({0, 0, static_cast<Rgb>(l.captionColour)});
    } else {
        p.passes.push_back({1, 1, kWhite});
        p.passes.push_back({0, 0, kGrey});
    }
    return p;
}

PicturePlan PlanPicture(const LookState& s, const StyleLook& l, bool hasPicture, const Rect& laidOut)
{
    PicturePlan p;
    if (!hasPicture || (IsPictureShape(s.shape) && s.value))
        return p;
    p.draw = true;
    p.silhouette = !s.enabled;
    if (IsPictureShape(s.shape)) {
        p.area = {0, 0, s.width, s.height};
        if (s.Held())
            p.area = {1, 1, s.width - 1, s.height - 1};
        return p;
    }
    p.area = laidOut;
    if ((s.value || s.Held()) && l.captionShifts) {
        const int dx = s.shape <= 3 ? 1 : 0;
        p.area = {laidOut.left + dx, laidOut.top + 1, laidOut.right + dx, laidOut.bottom + 1};
    }
    return p;
}

FocusPlan PlanFocus(const LookState& s, const StyleLook& l, int L, int R, const Rect& caption,
                    const Rect& picture, bool hasCaption)
{
    FocusPlan p;
    if (!(s.stateBits & kBitDefaultFrame) || IsPictureShape(s.shape) || s.style == 2)
        return p;
    const int W = s.width, H = s.height;
    if (s.style == 3) {
        p.kind = FocusPlan::Kind::Solid;
        p.pen = 0xCC9999;
    } else if (s.value) {
        p.kind = FocusPlan::Kind::Solid;
        p.pen = l.captionColour < 0 ? 0 : static_cast<Rgb>(l.captionColour);
    } else {
        p.kind = FocusPlan::Kind::Dotted;
    }
    if (IsOvalShape(s.shape) || s.style == 3 || s.style == 7) {
        // Framed around the content: nothing to frame without either.
        if (!hasCaption && picture.Width() <= 0) {
            p.kind = FocusPlan::Kind::None;
            return p;
        }
        Rect r = caption;
        if (!hasCaption)
            r = {picture.left, picture.top, std::min(picture.right, W - 4), std::min(picture.bottom, H - 4)};
        const int grow = (r.left > L + 4 && r.right < R - 4) ? 2 : 1;
        r = {r.left - grow, r.top - grow, r.right + grow, r.bottom + grow};
        if ((s.value || s.Held()) && l.captionShifts) {
            const int dx = s.shape <= 3 ? 1 : 0;
            r = {r.left + dx, r.top + 1, r.right + dx, r.bottom + 1};
        }
        p.isRect = true;
        p.rect = r;
    } else if (IsDiagonalShape(s.shape)) {
        const int l0 = L == 0 ? 1 : 0;
        const int wr = W > R ? 1 : 0;
        p.outline = {{L + 6 * l0 - 2, H - 5},
                     {L > 0 ? 8 : 4, 4},
                     {R + 4 * wr - 5, 4},
                     {W - 5 - 6 * wr, H - 5},
                     {L + 4 * l0 - 1, H - 5}};
    } else {
        p.isRect = true;
        p.rect = {L + 4, 4, L + 4 + (R - L - 8), 4 + (H - 8)};
    }
    return p;
}

}  // namespace kx
