// kxButtons_H on a real form: the painted frame of every look, corner
// pixels and window regions, gradients, captions, pictures and shapes.
#include "ButtonTestSupport.h"
#include "TestPictures.h"

#include "korvel/button/ButtonColors.h"

#include <array>

using namespace kxtest;
using namespace kx;

namespace {

constexpr Rgb kFace = 0x3366CC;  // BackColor: no bevel colour is this
constexpr Rgb W_ = kWhite, K_ = kBlack, G_ = kGrey;
constexpr Rgb L233 = 0xE9E9E9;

enum Look { Normal, DefaultFrame, Held, Selected };
const char* const kLookNames[] = {"normal", "default frame", "held", "selected"};

using Slots = std::array<Rgb, 12>;

// Colours worked out by hand from the shading rule (red + delta; green and
// blue scaled by 256/255 and rounded, then + delta, or for "blue scaled"
// b0 + delta x b0 / 192) for the face 0x3366CC (red 0xCC, green 0x66, blue 0x33).
// Style 2: face ShadeColor(face, 48, blue scaled), selected face
// ShadeColor(white, -32, blue scaled), and its slot shades sF(d).
constexpr Rgb kFace2 = 0x3F96FC, kSelected2 = 0xD6E0DF;
// Style 3: shadow ShadeColor(grey, 12), selected ShadeColor(that, 31), c = ShadeColor(grey, -26).
constexpr Rgb kShadow3 = 0x8D8D8C, kSelected3 = 0xADADAB, kC3 = 0x676766;
// Styles 0, 1, 4, 5, 6: selected face ShadeColor(white, -32).
constexpr Rgb kSelectedPlain = 0xE0E0DF;
// Style 6's light: ShadeColor(0xDFDFDF, 8).
constexpr Rgb kLight6 = 0xE8E8E7;
// Style 7: face ShadeColor(face, 31), shadow ShadeColor(grey, -16), selected
// ShadeColor(grey, 16, blue scaled); hi and lo of its face; the pressed
// variant's inner, hi and lo of grey.
constexpr Rgb kFace7 = 0x5285EB, kShadow7 = 0x717170, kSelected7 = 0x8B9190;
constexpr Rgb kHi7 = 0x71A5FF, kLo7 = 0x1246AB;
constexpr Rgb kInner7Pressed = 0x616160, kHi7Pressed = 0x414140, kLo7Pressed = 0x717170;

// sF(d) = ShadeColor(B, d, blue scaled) for the two bases of style 2.
Rgb StyleTwoShade(Rgb base, int d)
{
    struct Row {
        int d;
        Rgb ofFace, ofSelected;
    } static const rows[] = {
        {-10, 0x3C8DF2, 0xCCD7D5}, {10, 0x42A1FF, 0xE2EBE9}, {-22, 0x3881E6, 0xBFCBC9}, {-24, 0x387FE4, 0xBDC9C7},
        {-32, 0x3577DC, 0xB4C1BF}, {-5, 0x3E92F7, 0xD2DCDA}, {16, 0x44A7FF, 0xE8F1EF},  {-36, 0x3473D8, 0xAFBDBB},
        {5, 0x409CFF, 0xDCE6E4},   {-48, 0x3067CC, 0xA2B1AF},
    };
    for (const Row& r : rows)
        if (r.d == d)
            return base == kSelected2 ? r.ofSelected : r.ofFace;
    ADD_FAILURE() << "no worked-out shade for " << d;
    return 0;
}

// What the three outlines of each look show, side by side as the slot
// tables give them: inner left, top, right, bottom; middle ...; outer ....
// F is the face that shows where a side is not drawn.
Slots ExpectedSlots(int style, Look look, Rgb F)
{
    switch (style) {
    case 0:
        switch (look) {
        case Normal: return {F, F, F, F, L233, L233, G_, G_, W_, W_, K_, K_};
        case DefaultFrame: return {L233, L233, G_, G_, W_, W_, K_, K_, K_, K_, K_, K_};
        case Held: return {F, F, F, F, F, F, G_, G_, W_, W_, K_, K_};
        case Selected: return {F, F, F, F, F, F, L233, L233, K_, K_, W_, W_};
        }
        break;
    case 1:
        if (look == Normal || look == DefaultFrame)
            return {W_, W_, G_, G_, W_, W_, G_, G_, K_, K_, K_, K_};
        return {G_, G_, W_, W_, G_, G_, W_, W_, K_, K_, K_, K_};
    case 2: {
        const Rgb B = look == Selected ? kSelected2 : kFace2;
        auto sF = [&](int v) { return StyleTwoShade(B, v); };
        const int col = look == Normal ? 0 : look == DefaultFrame ? 1 : 2;
        const Rgb table[8][4] = {
            {sF(-10), 0xF0D1B5, sF(-22), 0x6BCBFF}, {sF(10), 0xF7D7BD, sF(-24), 0x8CDBFF},
            {sF(-24), 0xF0D1B5, B, 0x6BCBFF},       {sF(-32), 0xE7AE8C, sF(10), 0x31B2FF},
            {sF(-5), 0xE7AE8C, sF(-32), 0x31B2FF},  {sF(16), 0xFFDFBF, sF(-32), 0xA6E9FF},
            {sF(-36), 0xE7AE8C, sF(5), 0x31B2FF},   {sF(-48), 0xEF826B, sF(16), 0x0096E7},
        };
        Slots s{};
        for (int i = 0; i < 8; ++i)
            s[static_cast<std::size_t>(i)] = table[i][col];
        for (int i = 8; i < 12; ++i)
            s[static_cast<std::size_t>(i)] = 0x733C00;
        return s;
    }
    case 3: {
        const Rgb mid = look == Normal || look == DefaultFrame ? W_ : F;
        return {F, F, F, F, mid, mid, kC3, kC3, kC3, kC3, W_, W_};
    }
    case 4:
        if (look == Normal || look == DefaultFrame)
            return {F, F, F, F, F, F, F, F, W_, W_, G_, G_};
        return {F, F, F, F, F, F, F, F, G_, G_, W_, W_};
    case 5:
        if (look == Normal || look == DefaultFrame)  // idle at run time: no outline at all
            return {F, F, F, F, F, F, F, F, F, F, F, F};
        return {F, F, F, F, F, F, F, F, G_, G_, W_, W_};
    case 6: {
        const Rgb l6 = kLight6;
        if (look == Normal || look == DefaultFrame)
            return {F, F, F, F, l6, l6, G_, G_, l6, l6, G_, G_};
        return {F, F, F, F, G_, G_, l6, l6, G_, G_, l6, l6};
    }
    case 7:
        if (look == Normal || look == DefaultFrame)
            return {W_, W_, F, F, kHi7, kHi7, kLo7, kLo7, K_, K_, K_, K_};
        return {kInner7Pressed, kInner7Pressed, G_, G_, kHi7Pressed, kHi7Pressed, kLo7Pressed, kLo7Pressed,
                K_, K_, K_, K_};
    }
    return {};
}

// The face each look fills with.
Rgb ExpectedFace(int style, Look look)
{
    const Rgb face = style == 2 ? kFace2 : style == 7 ? kFace7 : kFace;
    if (look == Selected)
        return style == 2 ? kSelected2 : style == 3 ? kSelected3 : style == 7 ? kSelected7 : kSelectedPlain;
    if (look == Held && style == 3)
        return kShadow3;
    if (look == Held && style == 7)
        return kShadow7;
    return face;
}

class Paint : public ButtonForm {
protected:
    kx::kxButtons_H& Plain(int w = 80, int h = 30)
    {
        auto& b = Add(L"kxButtons_H1", w, h);
        b.SetCaption(L"");
        b.SetBackColor(kFace);
        return b;
    }
    void ShowLook(kx::kxButtons_H& b, Look look)
    {
        b.SetMode(look == Selected ? 1 : 0);
        b.SetValue(look == Selected);
        switch (look) {
        case Normal: b.ShowLookState(0, false, false); break;
        case DefaultFrame: b.ShowLookState(kBitDefaultFrame, false, false); break;
        case Held: b.ShowLookState(kBitPressed | kBitOver, true, true); break;
        case Selected: b.ShowLookState(0, false, false); break;
        }
    }
};

}  // namespace

TEST_F(Paint, EveryStyleAndLookDrawsItsThreeOutlines)
{
    auto& b = Plain();
    const int W = 80, H = 30;
    // Sample points of the twelve sides: the middle of each side.
    const POINT at[12] = {{2, H / 2}, {W / 2, 2}, {W - 3, H / 2}, {W / 2, H - 3},
                          {1, H / 2}, {W / 2, 1}, {W - 2, H / 2}, {W / 2, H - 2},
                          {0, H / 2}, {W / 2, 0}, {W - 1, H / 2}, {W / 2, H - 1}};
    for (int style = 0; style <= 7; ++style) {
        b.SetButtonStyle(style);
        for (Look look : {Normal, DefaultFrame, Held, Selected}) {
            ShowLook(b, look);
            const Rgb F = ExpectedFace(style, look);
            const Slots want = ExpectedSlots(style, look, F);
            Frame f(b.hWnd());
            for (int slot = 0; slot < 12; ++slot) {
                // Style 2 fills row by row: its unlined face is not one colour.
                const Rgb got = f.At(at[slot].x, at[slot].y);
                EXPECT_EQ(Hex(got), Hex(want[static_cast<std::size_t>(slot)]))
                    << "style " << style << ", " << kLookNames[look] << ", slot " << slot + 1;
            }
        }
    }
}

TEST_F(Paint, CornerPixelsOfStyles2And7)
{
    auto& b = Plain();
    const int W = 80, H = 30;
    b.SetButtonStyle(2);
    ShowLook(b, Normal);
    Frame f2(b.hWnd());
    for (POINT p : {POINT{1, 1}, POINT{1, H - 2}, POINT{W - 2, 1}, POINT{W - 2, H - 2}})
        EXPECT_EQ(Hex(f2.At(p.x, p.y)), Hex(0x733C00)) << "style 2 corner " << p.x << "," << p.y;

    b.SetButtonStyle(7);
    ShowLook(b, Normal);
    const Rgb F = kFace7, hi = kHi7, lo = kLo7;
    Frame f7(b.hWnd());
    struct {
        POINT p;
        Rgb c;
    } corners[] = {{{3, 3}, W_},         {{1, H - 3}, F},     {{2, 2}, hi},     {{1, H - 2}, K_}, {{1, 1}, K_},
                   {{W - 4, H - 4}, F}, {{W - 3, 1}, F},     {{W - 3, H - 3}, lo}, {{W - 2, H - 2}, K_},
                   {{W - 2, 1}, K_}};
    for (auto& c : corners)
        EXPECT_EQ(Hex(f7.At(c.p.x, c.p.y)), Hex(c.c)) << "style 7 corner " << c.p.x << "," << c.p.y;
}

TEST_F(Paint, WindowRegionCutsTheCornersOfEachStyle)
{
    auto& b = Plain();
    const int W = 80, H = 30;
    struct Case {
        const char* label;
        int style;
        bool enabled;
        POINT out[2];
        POINT in[2];
    } cases[] = {
        {"style 0 keeps the rectangle", 0, true, {{-5, -5}, {W + 5, 0}}, {{0, 0}, {W - 1, H - 1}}},
        {"style 1 cuts corner pixels", 1, true, {{0, 0}, {W - 1, H - 1}}, {{1, 0}, {0, 1}}},
        {"style 2 cuts triangles", 2, true, {{0, 0}, {W - 1, H - 1}}, {{3, 3}, {W - 4, H - 4}}},
        {"style 3 enabled cuts two corners", 3, true, {{0, H - 1}, {W - 1, 0}}, {{0, 0}, {W - 1, H - 1}}},
        {"style 3 disabled keeps them", 3, false, {{-5, -5}, {W + 5, 0}}, {{0, H - 1}, {W - 1, 0}}},
        {"style 7 cuts triangles", 7, true, {{0, 0}, {W - 1, 0}}, {{2, 2}, {W - 3, H - 3}}},
    };
    for (auto& c : cases) {
        b.SetEnabled(true);
        b.SetButtonStyle(c.style);
        b.SetEnabled(c.enabled);
        HRGN r = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(b.hWnd(), r), ERROR) << c.label;
        for (POINT p : c.out)
            EXPECT_FALSE(PtInRegion(r, p.x, p.y)) << c.label << ": " << p.x << "," << p.y << " should be cut";
        for (POINT p : c.in)
            EXPECT_TRUE(PtInRegion(r, p.x, p.y)) << c.label << ": " << p.x << "," << p.y << " should stay";
        DeleteObject(r);
    }
}

TEST_F(Paint, Style2HoverShowsOrangeLinesUntilTheMouseLeaves)
{
    auto& b = Plain();
    b.SetButtonStyle(2);
    b.ShowLookState(kBitOver, true, false);
    Frame over(b.hWnd());
    EXPECT_EQ(Hex(over.At(2, 15)), Hex(0x6BCBFF));
    EXPECT_EQ(Hex(over.At(40, 2)), Hex(0x8CDBFF));
    EXPECT_EQ(Hex(over.At(40, 27)), Hex(0x31B2FF));
    b.ShowLookState(0, false, false);
    Frame left(b.hWnd());
    EXPECT_EQ(Hex(left.At(2, 15)), Hex(StyleTwoShade(kFace2, -10)));
}

TEST_F(Paint, GradientsStartWithTheBackColourAndEndWithTheGradientColour)
{
    // Style 5 at run time draws no outline, so the edge pixels are bands.
    auto& b = Plain();
    b.SetButtonStyle(5);
    b.SetBackColor(0x0000C8);
    b.SetGradientColor(0xFF0000);
    const int W = 80, H = 30;
    struct Case {
        int mode;
        POINT first, last;
    } cases[] = {{1, {0, 15}, {W - 1, 15}}, {2, {W - 1, 15}, {0, 15}}, {3, {40, 0}, {40, H - 1}}, {4, {40, H - 1}, {40, 0}}};
    for (auto& c : cases) {
        b.SetGradientMode(c.mode);
        Frame f(b.hWnd());
        EXPECT_EQ(Hex(f.At(c.first.x, c.first.y)), Hex(0x0000C8)) << "mode " << c.mode << " first band";
        EXPECT_EQ(Hex(f.At(c.last.x, c.last.y)), Hex(0xFF0000)) << "mode " << c.mode << " last band";
        const Rgb middle = GradientIsHorizontal(c.mode) ? f.At(W / 2, 15) : f.At(40, H / 2);
        EXPECT_NE(middle, 0x0000C8u);
        EXPECT_NE(middle, 0xFF0000u);
    }
    b.SetGradientMode(0);
    Frame solid(b.hWnd());
    EXPECT_EQ(Hex(solid.At(W - 1, 15)), Hex(0x0000C8));
}

TEST_F(Paint, DisabledCaptionIsWhiteShiftedUnderGrey)
{
    auto& b = Plain(100, 30);
    b.SetForeColor(0x0000FF);
    b.SetCaption(L"HIH");
    b.SetEnabled(false);
    const Rect c = b.CurrentLayout().caption;
    Frame f(b.hWnd());
    const RECT grey = f.Find(0x808080, c.left - 1, c.top - 1, c.right + 3, c.bottom + 3);
    const RECT white = f.Find(0xFFFFFF, c.left - 1, c.top - 1, c.right + 3, c.bottom + 3);
    ASSERT_GT(grey.right, grey.left) << "no grey text";
    ASSERT_GT(white.right, white.left) << "no white text";
    EXPECT_EQ(white.right, grey.right + 1);
    EXPECT_EQ(white.bottom, grey.bottom + 1);
    EXPECT_EQ(white.top, grey.top + 1);
    // The caption colour is not used while disabled.
    const RECT red = f.Find(0x0000FF, 0, 0, 100, 30);
    EXPECT_EQ(red.right, red.left);
}

namespace {

constexpr Rgb kMagenta = 0xFF00FF;
constexpr Rgb kGreen = 0x00FF00;

}  // namespace

TEST_F(Paint, LeftCaptionFollowsASixteenPixelLeftPicture)
{
    auto& b = Plain(100, 30);
    b.SetForeColor(0x0000FF);
    b.SetCaption(L"HH");
    b.SetPicture(MakeBitmap(16, 16, [](int x, int y) { return x == 0 && y == 0 ? kMagenta : kGreen; }));
    b.SetPictureAlign(0);
    b.SetCaptionAlign(0);
    EXPECT_EQ(b.CurrentLayout().caption.left, 24);
    EXPECT_EQ(b.CurrentLayout().picture, (Rect{4, 7, 20, 23}));
    Frame f(b.hWnd());
    EXPECT_EQ(Hex(f.At(4, 7)), Hex(kFace));  // the transparent corner shows the face
    EXPECT_EQ(Hex(f.At(5, 7)), Hex(kGreen));
    EXPECT_EQ(Hex(f.At(19, 22)), Hex(kGreen));
    EXPECT_EQ(Hex(f.At(20, 15)), Hex(kFace));
    const RECT text = f.Find(0x0000FF, 0, 0, 100, 30);
    EXPECT_GE(text.left, 24);
    EXPECT_LE(text.left, 26);
}

TEST_F(Paint, DisabledPictureIsAGreySilhouette)
{
    auto& b = Plain(100, 30);
    b.SetCaption(L"");
    b.SetPicture(MakeBitmap(16, 16, [](int x, int y) { return x < 2 && y < 2 ? kMagenta : kGreen; }));
    b.SetEnabled(false);
    const Rect p = b.CurrentLayout().picture;
    Frame f(b.hWnd());
    EXPECT_EQ(Hex(f.At(p.left, p.top)), Hex(kFace));          // transparent
    EXPECT_EQ(Hex(f.At(p.left + 8, p.top + 8)), Hex(0x808080)); // picture as grey
    EXPECT_EQ(f.Find(kGreen, 0, 0, 100, 30).right, 0);
}

TEST_F(Paint, DoublePipeBreaksTheCaption)
{
    auto& b = Plain(100, 50);
    b.SetCaption(L"One");
    const int oneLine = b.CurrentLayout().caption.Height();
    b.SetCaption(L"One||Two");
    EXPECT_EQ(b.CurrentLayout().text, L"One\r\nTwo");
    EXPECT_GE(b.CurrentLayout().caption.Height(), 2 * oneLine);
}

TEST_F(Paint, NarrowDiagonalButtonIsWidened)
{
    auto& b = Add(L"kxButtons_H1", 28, 23);
    b.SetButtonShape(3);
    EXPECT_EQ(b.ScaleWidth(), 33);
    EXPECT_EQ(b.ScaleHeight(), 23);
    EXPECT_EQ(b.Width(), 33 * 15);
    EXPECT_EQ(b.LeftRun(), 24);
    EXPECT_EQ(b.RightEdge(), 33 - 24);
    // The window follows both cuts.
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(b.hWnd(), r), ERROR);
    // Both edges lean right: x = y on the left, x = y + 10 on the right.
    EXPECT_TRUE(PtInRegion(r, 5, 2));
    EXPECT_FALSE(PtInRegion(r, 1, 21));   // left cut, near the bottom
    EXPECT_FALSE(PtInRegion(r, 31, 1));   // right cut, near the top
    EXPECT_TRUE(PtInRegion(r, 28, 21));
    DeleteObject(r);
}

TEST_F(Paint, ShapeSevenTakesTheOutlineOfThePicture)
{
    auto& b = Add(L"kxButtons_H1", 24, 24);
    // A green plus sign on magenta.
    auto plus = [](int x, int y) { return (x >= 9 && x < 15) || (y >= 9 && y < 15) ? kGreen : kMagenta; };
    b.SetPicture(MakeBitmap(24, 24, plus));
    b.SetButtonShape(7);
    ASSERT_EQ(b.ButtonShape(), 7);
    EXPECT_EQ(b.ScaleWidth(), 24);
    EXPECT_EQ(b.ScaleHeight(), 24);
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(b.hWnd(), r), ERROR);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            EXPECT_EQ(PtInRegion(r, x, y) != 0, plus(x, y) == kGreen) << x << "," << y;
    DeleteObject(r);
    // The button keeps its picture's proportions: a wide picture narrows it.
    b.SetPicture(MakeBitmap(48, 24, [](int x, int) { return x < 2 ? kMagenta : kGreen; }));
    EXPECT_EQ(b.ScaleWidth(), 24);
    EXPECT_EQ(b.ScaleHeight(), 12);
}

TEST_F(Paint, OvalWindowIsAnEllipse)
{
    auto& b = Plain(60, 30);
    b.SetButtonShape(4);
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(b.hWnd(), r), ERROR);
    EXPECT_FALSE(PtInRegion(r, 1, 1));
    EXPECT_TRUE(PtInRegion(r, 30, 15));
    EXPECT_TRUE(PtInRegion(r, 1, 15));
    DeleteObject(r);
    // The white-to-grey ring shows at the top edge, the face inside.
    Frame f(b.hWnd());
    EXPECT_EQ(Hex(f.At(30, 0)), Hex(0xFFFFFF));
    EXPECT_EQ(Hex(f.At(30, 15)), Hex(kFace));
}

TEST_F(Paint, CustomClickMovesTheButtonWhileHeld)
{
    auto& b = Plain();
    auto where = [&] {
        RECT r;
        GetWindowRect(b.hWnd(), &r);
        POINT p{r.left, r.top};
        ScreenToClient(form->hWnd(), &p);
        return p;
    };
    const POINT home = where();
    b.SetCustomClick(4);
    b.ShowLookState(kBitPressed | kBitOver, true, true);
    EXPECT_EQ(where().x, home.x + 1);
    EXPECT_EQ(where().y, home.y + 1);
    EXPECT_NE(b.Model().StateBits() & kBitMoved, 0);
    b.ShowLookState(0, false, false);
    EXPECT_EQ(where().x, home.x);
    EXPECT_EQ(where().y, home.y);
    EXPECT_EQ(b.Model().StateBits() & kBitMoved, 0);
}

TEST_F(Paint, SavedButtonLoadsBackAndPaintsTheSame)
{
    auto& a = Plain();
    a.SetButtonStyle(2);
    a.SetCaption(L"&Go");
    a.SetCaptionAlign(0);
    a.SetForeColor(0x0000FF);
    a.SetGradientColor(0x00FFFF);
    a.SetGradientMode(3);
    host::PropertyBag bag = a.SaveBag();
    auto& b = form->AddControl<kx::kxButtons_H>(L"kxButtons_H2", 10 * 15, 60 * 15, 80 * 15, 30 * 15, &bag);
    EXPECT_EQ(b.Caption(), L"&Go");
    EXPECT_EQ(b.AccessKeys(), L"G");
    EXPECT_EQ(b.CaptionAlign(), 0);
    EXPECT_EQ(b.GradientMode(), 3);
    Frame fa(a.hWnd()), fb(b.hWnd());
    int differing = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x)
            differing += fa.At(x, y) != fb.At(x, y);
    EXPECT_EQ(differing, 0);
}

TEST_F(Paint, DesignTimeMessagesGoThroughTheHostMessageBox)
{
    auto& b = Plain();
    b.SetCustomClick(2);
    EXPECT_TRUE(boxes.empty());
    host::SetDesignMode(true);
    b.SetCustomClick(3);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"This property has no effect unless the Button Shape is a custom shape.");
    EXPECT_EQ(boxes[0].icon, host::MsgIcon::Information);
    EXPECT_EQ(boxes[0].title, host::AppTitle());
    b.SetResetDefaultColors(true);
    EXPECT_EQ(b.BackColor(), kButtonFace);
}

TEST_F(Paint, Style5IsInvisibleAtRunTimeButOutlinedAtDesignTime)
{
    auto& b = Plain(60, 30);
    b.SetButtonStyle(5);
    Frame run(b.hWnd());
    EXPECT_EQ(Hex(run.At(0, 15)), Hex(kFace));
    EXPECT_EQ(Hex(run.At(30, 29)), Hex(kFace));

    host::SetDesignMode(true);
    b.Refresh();
    Frame design(b.hWnd());
    const Rgb edge = ShadeColor(b.Model().ContainerColor(), -64);
    EXPECT_EQ(Hex(design.At(0, 15)), Hex(edge ? edge : kWhite));
    EXPECT_EQ(Hex(design.At(30, 29)), Hex(edge ? edge : kWhite));

    b.SetButtonShape(4);  // an oval gets its ellipse outline
    Frame oval(b.hWnd());
    EXPECT_EQ(Hex(oval.At(0, 14)), Hex(ShadeColor(b.Model().ContainerColor(), -32)));
    EXPECT_EQ(Hex(oval.At(30, 15)), Hex(kFace));
}
