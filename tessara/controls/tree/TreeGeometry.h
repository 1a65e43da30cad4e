// Where a tree row's parts sit: the vertical offsets derived from the label
// height, and the horizontal ones, counted from the row's x (the view's
// left edge plus one indent per level). The store, the row walk, the layout
// and the painter all place things by these names. No Windows header.
#pragma once
#include <cstdint>

namespace tessara {

// Across a row, in pixels.
struct TreeColumns {
    static constexpr std::int32_t kMargin = 2;        // the rows start this far inside the frame
    static constexpr std::int32_t kIndent = 24;       // one level further right
    static constexpr std::int32_t kBox = 11;          // the expand box, square; its zone is the glyph hit
    static constexpr std::int32_t kConnector = 5;     // x of the vertical connectors
    static constexpr std::int32_t kLeafLineEnd = 18;  // a leaf's connector to its label ends here
    static constexpr std::int32_t kIconLeft = 19;     // the folder icon (a parent's connector ends here)
    static constexpr std::int32_t kIconWidth = 21;
    static constexpr std::int32_t kIconHeight = 17;
    static constexpr std::int32_t kLabelLeft = 42;    // the label's box
    static constexpr std::int32_t kLabelPad = 8;      // the box reaches this far past the text
    // A row's extent, for the horizontal scroll range: its indent, its text
    // and this much more.
    static constexpr std::int32_t kExtentPad = 52;
    static constexpr std::int32_t kBarStrip = 21;     // kept at the right for the vertical bar
    static constexpr std::int32_t kRightMargin = 19;  // painted white at the right edge

    static constexpr std::int32_t Indent(std::int32_t level) { return level * kIndent; }
    // Right edge of a label box of text width tw, from the row's x.
    static constexpr std::int32_t LabelRight(std::int32_t tw) { return kLabelLeft + tw + kLabelPad; }
    // A row's extent from the view's left edge.
    static constexpr std::int32_t Extent(std::int32_t level, std::int32_t tw) { return Indent(level) + tw + kExtentPad; }
};

// Down a row, all derived from the label height h.
struct RowGeometry {
    std::int32_t itemHeight = 21;
    std::int32_t rowPitch = 26;    // distance between row tops
    std::int32_t boxTop = 5;       // top of the 11 x 11 expand box
    std::int32_t iconTop = 2;      // top of the 17-pixel icon
    std::int32_t mid = 10;         // level of the connectors
    std::int32_t iconBottom = 19;  // where a connector to the children starts
    static RowGeometry ForItemHeight(std::int32_t h);
};

} // namespace tessara
