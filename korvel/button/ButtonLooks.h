// What each of the eight kxButtons_H looks paints for a given state: the
// face colour, the look index, the twelve bevel slot colours, the corner
// pixels, the background fill, the caption's colours and offsets and the
// focus frame. Pure decisions; the window layer draws them. No Windows
// header.
#pragma once
#include "ButtonColors.h"
#include "ButtonGeometry.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kx {

// StateBits of the button.
constexpr std::uint16_t kBitDefaultFrame = 1u << 0;  // default-button frame shows
constexpr std::uint16_t kBitPressed = 1u << 1;       // left button or Space held on the button
constexpr std::uint16_t kBitOver = 1u << 2;          // mouse over the button
constexpr std::uint16_t kBitMoved = 1u << 10;        // window moved by CustomClick

constexpr std::int32_t kNoColour = -1;  // a slot or caption colour that is not used

// Everything a painter looks at. Colours are translated.
struct LookState {
    int style = 0;
    int shape = 0;
    int mode = 0;  // 0 command, 1 check box, 2 option
    bool enabled = true;
    bool value = false;
    bool pressedLook = false;
    bool hovering = false;  // the hover timer runs
    bool showFocusRect = true;
    bool designMode = false;
    std::uint16_t stateBits = 0;
    int gradientMode = 0;
    int captionStyle = 0;
    DerivedColours colours;
    Rgb back = 0;        // BackColor
    Rgb gradient = 0;    // GradientColor
    Rgb fore = 0;        // ForeColor
    Rgb hoverFore = 0;   // HoverForeColor
    Rgb container = 0;   // ContainerColor
    bool gradientIsHoverBack = false;  // GradientColor == HoverBackColor (as set)
    int width = 0;
    int height = 0;

    bool Held() const { return (stateBits & (kBitPressed | kBitOver)) == (kBitPressed | kBitOver); }
    bool Selected() const { return value || (pressedLook && mode != 0); }
};

struct CornerPixel {
    Point at;
    Rgb colour;
};

// A painter's choices for one paint.
struct StyleLook {
    Rgb face = 0;          // F: the face fill colour
    Rgb hover = 0;         // fill colour while hovering
    Rgb gradientEnd = 0;   // far end of a gradient
    int look = 0;          // 0 normal, 1 default frame, 2 held, 3 selected (style-adjusted)
    std::array<std::int32_t, 12> slots{};  // bevel colours, kNoColour = side not drawn
    std::int32_t captionColour = kNoColour;
    std::vector<CornerPixel> corners;  // set after the bevel (shapes 0 to 3)
    Rgb frameColour = 0;   // slot 12 as left for the shaped frame of shapes 4 to 8
    bool captionShifts = true;  // caption and picture move when pressed
};
StyleLook PaintLook(const LookState& s);

// The background fill.
struct FillPlan {
    enum class Kind { Solid, Rows, Gradient };
    Kind kind = Kind::Solid;
    Rgb colour = 0;          // solid colour, or base colour of the rows
    Rgb gradientStart = 0;
    Rgb gradientEnd = 0;
};
FillPlan PlanFill(const LookState& s, const StyleLook& look);

// Colour of row i of style 2's row-by-row fill.
Rgb RowShade(Rgb colour, int row, int height);

// One pass of caption drawing, offset from the caption rectangle.
struct TextPass {
    int dx = 0;
    int dy = 0;
    Rgb colour = 0;
};
struct CaptionPlan {
    bool draw = false;
    Point shift;                  // press movement of caption and picture
    std::vector<TextPass> passes;  // in drawing order
};
CaptionPlan PlanCaption(const LookState& s, const StyleLook& look, bool hasCaption);

// Picture drawing: skipped, the whole client (shaped buttons) or the laid
// out rectangle, plus the press movement.
struct PicturePlan {
    bool draw = false;
    Rect area;
    bool silhouette = false;  // disabled: grey silhouette
};
PicturePlan PlanPicture(const LookState& s, const StyleLook& look, bool hasPicture, const Rect& laidOut);

// The focus frame.
struct FocusPlan {
    enum class Kind { None, Dotted, Solid };
    Kind kind = Kind::None;
    std::vector<Point> outline;  // closed: first point repeated last
    bool isRect = false;
    Rect rect;                   // when isRect
    Rgb pen = 0;                 // solid pen colour
};
FocusPlan PlanFocus(const LookState& s, const StyleLook& look, int leftRun, int rightEdge,
                    const Rect& caption, const Rect& picture, bool hasCaption);

}  // namespace kx
