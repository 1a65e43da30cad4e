// Look decisions of the eight button styles: look index, slot colours,
// fill, caption colours and focus frame.
#include "korvel/button/ButtonLooks.h"

#include <gtest/gtest.h>

using namespace kx;

namespace {

LookState State(int style, std::uint16_t bits = 0)
{
    LookState s;
    s.style = style;
    s.stateBits = bits;
    s.colours = DeriveColours(style, 0xC0C0C0, 0x00C0FF);
    s.back = 0xC0C0C0;
    s.gradient = 0x0000FF;
    s.fore = 0x000000;
    s.hoverFore = 0xFF0000;
    s.container = 0x808080;
    s.width = 60;
    s.height = 24;
    return s;
}

constexpr std::uint16_t kHeld = kBitPressed | kBitOver;

}  // namespace

TEST(Looks, LookIndexPerStyleAndState)
{
    struct Case {
        const char* label;
        int style;
        std::uint16_t bits;
        int mode;
        bool value;
        int look;
    } cases[] = {
        {"0 normal", 0, 0, 0, false, 0},
        {"0 default frame", 0, kBitDefaultFrame, 0, false, 1},
        {"0 held", 0, kHeld, 0, false, 2},
        {"0 selected", 0, 0, 1, true, 3},
        {"1 normal is at least 1", 1, 0, 0, false, 1},
        {"1 selected", 1, 0, 1, true, 2},
        {"2 hover without press", 2, kBitOver, 0, false, 3},
        {"2 selected with frame", 2, kBitDefaultFrame, 1, true, 1},
        {"2 selected without frame", 2, 0, 1, true, 2},
        {"3 check box unselected", 3, 0, 1, false, 3},
        {"3 check box selected", 3, 0, 1, true, 2},
        {"3 command normal is at least 1", 3, 0, 0, false, 1},
        {"6 held", 6, kHeld, 0, false, 1},
        {"6 normal", 6, 0, 0, false, 0},
        {"7 held command", 7, kHeld, 0, false, 2},
        {"7 selected", 7, 0, 2, true, 2},
    };
    for (auto& c : cases) {
        LookState s = State(c.style, c.bits);
        s.mode = c.mode;
        s.value = c.value;
        EXPECT_EQ(PaintLook(s).look, c.look) << c.label;
    }
}

TEST(Looks, Style2WithoutFocusRectDropsTheFrameLook)
{
    LookState s = State(2, kBitDefaultFrame);
    s.showFocusRect = false;
    EXPECT_EQ(PaintLook(s).look, 0);
}

TEST(Looks, Style2HoverShowsOrangeInnerLinesAndReturns)
{
    LookState s = State(2, kBitOver);
    StyleLook hovered = PaintLook(s);
    EXPECT_EQ(hovered.slots[0], 0x6BCBFF);
    EXPECT_EQ(hovered.slots[1], 0x8CDBFF);
    EXPECT_EQ(hovered.slots[3], 0x31B2FF);
    EXPECT_EQ(hovered.slots[7], 0x0096E7);
    StyleLook left = PaintLook(State(2, 0));
    const Rgb b = s.colours.face;
    EXPECT_EQ(left.slots[0], static_cast<std::int32_t>(ShadeColor(b, -10, true)));
    EXPECT_EQ(left.slots[8], 0x733C00);
}

TEST(Looks, DisabledStyle2DrawsOnlyTheOuterOutline)
{
    LookState s = State(2);
    s.enabled = false;
    StyleLook l = PaintLook(s);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(l.slots[static_cast<std::size_t>(i)], kNoColour) << "slot " << i + 1;
    const Rgb outer = ShadeColor(s.colours.face, -84, true);
    EXPECT_EQ(l.slots[11], static_cast<std::int32_t>(outer));
    ASSERT_EQ(l.corners.size(), 4u);
    EXPECT_EQ(l.corners[0].colour, outer);
}

TEST(Looks, Style5IdleDrawsNothingAtRunTimeButAFaintEdgeAtDesignTime)
{
    LookState s = State(5);
    StyleLook run = PaintLook(s);
    EXPECT_EQ(run.slots[8], kNoColour);
    s.designMode = true;
    StyleLook design = PaintLook(s);
    EXPECT_EQ(design.slots[8], static_cast<std::int32_t>(ShadeColor(0x808080, -64)));
    s.container = 0x303030;  // shading to black gives white instead
    EXPECT_EQ(PaintLook(s).slots[8], 0xFFFFFF);
}

TEST(Fill, HoverColourGradientAndRows)
{
    LookState s = State(0);
    s.hovering = true;
    s.stateBits = kBitOver;
    FillPlan p = PlanFill(s, PaintLook(s));
    EXPECT_EQ(p.kind, FillPlan::Kind::Solid);
    EXPECT_EQ(p.colour, s.colours.hoverFace);

    s.gradientMode = 1;
    p = PlanFill(s, PaintLook(s));
    EXPECT_EQ(p.kind, FillPlan::Kind::Solid);  // hovering over a gradient shows the hover colour
    EXPECT_EQ(p.colour, s.colours.hoverFace);
    s.hovering = false;
    s.stateBits = 0;
    p = PlanFill(s, PaintLook(s));
    EXPECT_EQ(p.kind, FillPlan::Kind::Gradient);
    EXPECT_EQ(p.gradientStart, s.colours.face);
    EXPECT_EQ(p.gradientEnd, 0x0000FFu);

    LookState s2 = State(2);
    EXPECT_EQ(PlanFill(s2, PaintLook(s2)).kind, FillPlan::Kind::Rows);
    EXPECT_EQ(RowShade(0x808080, 0, 24), ShadeColor(0x808080, 0, true));
    EXPECT_EQ(RowShade(0x808080, 24, 24), ShadeColor(0x808080, -25, true));
}

TEST(Caption, EnabledDisabledAndEmbossed)
{
    LookState s = State(0);
    CaptionPlan p = PlanCaption(s, PaintLook(s), true);
    ASSERT_EQ(p.passes.size(), 1u);
    EXPECT_EQ(p.passes[0].colour, 0x000000u);

    s.hovering = true;
    EXPECT_EQ(PlanCaption(s, PaintLook(s), true).passes[0].colour, 0xFF0000u);

    s.hovering = false;
    s.enabled = false;
    p = PlanCaption(s, PaintLook(s), true);
    ASSERT_EQ(p.passes.size(), 2u);
    EXPECT_EQ(p.passes[0].dx, 1);
    EXPECT_EQ(p.passes[0].dy, 1);
    EXPECT_EQ(p.passes[0].colour, 0xFFFFFFu);
    EXPECT_EQ(p.passes[1].colour, 0x808080u);

    s.enabled = true;
    s.captionStyle = 1;
    p = PlanCaption(s, PaintLook(s), true);
    ASSERT_EQ(p.passes.size(), 3u);
    EXPECT_EQ(p.passes[0].colour, ShadeColor(s.colours.face, -40));
    EXPECT_EQ(p.passes[1].colour, ShadeColor(s.colours.face, 40));
    EXPECT_EQ(p.passes[2].dy, 1);

    LookState held = State(0, kHeld);
    EXPECT_EQ(PlanCaption(held, PaintLook(held), true).shift, (Point{1, 1}));
    LookState held3 = State(3, kHeld);
    EXPECT_EQ(PlanCaption(held3, PaintLook(held3), true).shift, (Point{0, 0}));

    LookState oval = State(5);
    oval.shape = 5;
    EXPECT_FALSE(PlanCaption(oval, PaintLook(oval), true).draw);
}

TEST(Caption, Style7UsesItsOwnColourWhenPressed)
{
    LookState s = State(7, kHeld);
    StyleLook l = PaintLook(s);
    EXPECT_EQ(PlanCaption(s, l, true).passes[0].colour, s.colours.face);
    s.stateBits = 0;
    s.hovering = true;
    s.hoverFore = s.fore;  // hover colour equal to fore: own colour
    EXPECT_EQ(PlanCaption(s, PaintLook(s), true).passes[0].colour, s.fore);
}

TEST(Focus, RectangleDiagonalAndCaptionFrames)
{
    LookState s = State(0, kBitDefaultFrame);
    FocusPlan f = PlanFocus(s, PaintLook(s), 0, 60, Rect{20, 6, 40, 18}, Rect{}, true);
    EXPECT_EQ(f.kind, FocusPlan::Kind::Dotted);
    EXPECT_EQ(f.rect, (Rect{4, 4, 56, 20}));

    s.style = 3;
    f = PlanFocus(s, PaintLook(s), 0, 60, Rect{20, 6, 40, 18}, Rect{}, true);
    EXPECT_EQ(f.kind, FocusPlan::Kind::Solid);
    EXPECT_EQ(f.pen, 0xCC9999u);
    EXPECT_EQ(f.rect, (Rect{18, 4, 42, 20}));  // around the caption, grown by 2

    s.style = 0;
    s.shape = 3;
    f = PlanFocus(s, PaintLook(s), 24, 36, Rect{}, Rect{}, true);
    ASSERT_EQ(f.outline.size(), 5u);
    EXPECT_EQ(f.outline[0], (Point{22, 19}));
    EXPECT_EQ(f.outline[1], (Point{8, 4}));
    EXPECT_EQ(f.outline[2], (Point{35, 4}));
    EXPECT_EQ(f.outline[3], (Point{49, 19}));

    s.style = 7;
    s.shape = 0;  // framed around the content, and there is none
    EXPECT_EQ(PlanFocus(s, PaintLook(s), 0, 60, Rect{}, Rect{}, false).kind, FocusPlan::Kind::None);

    s.style = 2;
    EXPECT_EQ(PlanFocus(s, PaintLook(s), 0, 60, Rect{}, Rect{}, true).kind, FocusPlan::Kind::None);
}
