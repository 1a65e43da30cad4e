// Case tables that the window-free tests and the window tests of the same
// behaviour both run: one set of numbers proves the logic and the control
// that uses it. Window-free, for both builds.
#pragma once

namespace cases {

// The tree's first resize with rows 26 apart: controls below 100 pixels
// grow to 100 (1500 twips), heights snap up to 2 + k x 26 + 2.
struct TreeFirstResize {
    int w, h, finalW, finalH, pageRows;
};
inline constexpr TreeFirstResize kTreeFirstResize[] = {
    {140, 186, 140, 186, 7},  // 2 + 7 x 26 + 2 stays (the gallery's tree)
    {140, 200, 140, 212, 8},  // grows to the next whole row
    {50, 60, 100, 108, 4},    // 1500 twips first, then snapped
    {100, 134, 100, 134, 5},
    {99, 264, 100, 264, 10},
};

// Three tabs of 50 x 20 in one line on top: cells start every 51 pixels.
struct TabHit {
    int x, y, tab;  // -1: no tab
};
inline constexpr TabHit kSingleLineTabHits[] = {
    {50, 10, -1},   // the gap
    {51, 10, -1},   // left edge of the second cell
    {52, 10, 1},
    {1, 10, 0},
    {0, 10, -1},
    {49, 10, 0},
    {100, 10, 1},
    {101, 10, -1},
    {151, 10, 2},
    {152, 10, -1},  // beyond the last tab: (50 + 1) x 3 - 1 = 152
    {10, 0, -1},
    {10, 19, 0},
    {10, 20, -1},
};

// A horizontal bar 200 long, thumb 10, values 0..20: 154 positions, 7 or
// 8 pixels per value.
struct ValueAt {
    int value, pos;
};
inline constexpr ValueAt kBar200Positions[] = {{0, 18}, {1, 26}, {14, 130}, {15, 137}, {19, 165}, {20, 172}};

// The grouped list's page: a client height of whole item rows plus 6.
struct GroupPage {
    int height, itemHeight, pageRows, clientHeight;
};
inline constexpr GroupPage kGroupPages[] = {
    {100, 30, 4, 126},  // 94 is no multiple of 30: grows to 4 rows, 1890 twips
    {126, 30, 4, 126},
    {146, 20, 7, 146},
    {100, 20, 5, 106},
};

// The combo box dropped: 20 pixels of text area above the list, whose
// rows are 16 high inside a frame of 6, eight rows at most.
struct ComboDrop {
    int items, listHeight, dropped;
};
inline constexpr ComboDrop kComboDrops[] = {{12, 8 * 16 + 6, 154}, {8, 8 * 16 + 6, 154}, {3, 3 * 16 + 6, 74}, {0, 16 + 6, 42}};

} // namespace cases
