// The colours Tessara's controls must paint, as literal RGB values. Tones
// the kit blends (tint = towards white, shade = towards black, by the fixed
// ratios) are written out already blended, so a wrong constant or a wrong
// blend in the code fails a pixel check instead of moving the expectation
// with it. Never compute these with the kit's own routines.
#pragma once
#include <windows.h>

namespace want {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Scroll bars: base 179,214,255 and its tones.
constexpr COLORREF kScrollBase = RGB(179, 214, 255);
constexpr COLORREF kScrollTrack = RGB(247, 251, 255);  // tint 0.9
constexpr COLORREF kScrollLight = RGB(232, 243, 255);  // tint 0.7
constexpr COLORREF kScrollMid = RGB(217, 234, 255);    // tint 0.5
constexpr COLORREF kScrollDark = RGB(161, 193, 229);   // shade 0.1

// List rows.
constexpr COLORREF kListSelectedFill = RGB(119, 154, 195);
constexpr COLORREF kListSelectedFrame = RGB(89, 124, 165);
constexpr COLORREF kListHoverFill = RGB(179, 214, 255);
constexpr COLORREF kListHoverFrame = RGB(149, 184, 225);
constexpr COLORREF kListEvenRow = RGB(246, 250, 255);
constexpr COLORREF kListOddRow = RGB(255, 255, 255);
constexpr COLORREF kListOuterFrame = RGB(190, 190, 190);

// Combo box.
constexpr COLORREF kComboFrame = RGB(190, 190, 190);
constexpr COLORREF kComboHighlight = RGB(179, 214, 255);
constexpr COLORREF kComboArrowBase = RGB(179, 214, 255);   // the arrow button's outline
constexpr COLORREF kComboArrowLight = RGB(232, 243, 255);  // arrow button's upper half: tint 0.7 of 179,214,255
constexpr COLORREF kComboArrowMid = RGB(217, 234, 255);    // its lower half: tint 0.5
constexpr COLORREF kComboArrowDark = RGB(161, 193, 229);   // its dark outline: shade 0.1

// Tree view: lines 165,195,231, selected 105,135,171, hover 165,195,231;
// a label's box shows its colour's tint 0.7 in its upper half.
constexpr COLORREF kTreeLine = RGB(165, 195, 231);
constexpr COLORREF kTreeSelectedBody = RGB(210, 219, 230);
constexpr COLORREF kTreeHoverBody = RGB(228, 237, 248);
constexpr COLORREF kTreeFolderFront = RGB(255, 216, 96);  // the folder picture's front panel

// List view: a round box shows tint 0.7 in its upper half, a framed
// header cell tint 0.5 inside.
constexpr COLORREF kViewFrame = RGB(179, 214, 255);
constexpr COLORREF kViewHeaderInside = RGB(217, 234, 255);       // of 179,214,255
constexpr COLORREF kViewHeaderHoverInside = RGB(207, 224, 245);  // of 159,194,235
constexpr COLORREF kViewRowHoverBody = RGB(226, 237, 249);       // of 159,194,235
constexpr COLORREF kViewHeaderHoverBody = RGB(226, 237, 249);    // a hovered cell's box, of 159,194,235
constexpr COLORREF kViewFocusBody = RGB(217, 228, 240);          // of 129,164,205

// Grouped list.
constexpr COLORREF kGroupHeader = RGB(255, 255, 255);
constexpr COLORREF kGroupHeaderHover = RGB(179, 214, 255);
constexpr COLORREF kGroupItemA = RGB(243, 247, 255);
constexpr COLORREF kGroupItemB = RGB(255, 255, 255);
constexpr COLORREF kGroupItemHover = RGB(179, 214, 255);
constexpr COLORREF kGroupBorder = RGB(210, 210, 210);

// Tab strip: tab colour 187,218,255, border and selected 143,171,204.
constexpr COLORREF kTabColour = RGB(187, 218, 255);
constexpr COLORREF kTabBorder = RGB(143, 171, 204);
constexpr COLORREF kTabPage = RGB(255, 255, 255);
constexpr COLORREF kTabUpper = RGB(235, 244, 255);     // tint 0.7 of the tab colour
constexpr COLORREF kTabLower = RGB(221, 236, 255);     // tint 0.5
constexpr COLORREF kSelectedUpper = RGB(221, 230, 240);  // tint 0.7 of the border colour
constexpr COLORREF kSelectedLower = RGB(199, 213, 230);  // tint 0.5

// Command, option and check buttons: face 179,214,255, border 0,97,255,
// pressed 149,184,225.
constexpr COLORREF kFaceBlue = RGB(179, 214, 255);
constexpr COLORREF kPressedBlue = RGB(149, 184, 225);
constexpr COLORREF kFaceLight = RGB(232, 243, 255);  // tint 0.7 of the face
constexpr COLORREF kFaceMid = RGB(217, 234, 255);    // tint 0.5 of the face
constexpr COLORREF kHalo = RGB(128, 176, 255);       // tint 0.5 of the border: the hovered outer outline
constexpr COLORREF kTick = RGB(0, 128, 255);         // the check-mark picture's blue

} // namespace want
