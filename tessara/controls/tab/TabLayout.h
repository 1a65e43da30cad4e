// Tab strip geometry without windows: where each tab sits, which tab a
// point hits, and the rectangles and lines the painter fills.
#pragma once
#include "tessara/kit/PixelMath.h"

namespace tessara {

// A horizontal 1-pixel line from x1 to x2 (exclusive) at y.
struct HLine {
    int x1 = 0, x2 = 0, y = 0;
    bool operator==(const HLine& o) const { return x1 == o.x1 && x2 == o.x2 && y == o.y; }
};

// Tab sizes and the tabs per line are held to these where they enter (the
// setters and stored data): a tab wider or taller than the largest window,
// or a line of more tabs than pixels, has no use.
constexpr int kTabMaxItemSize = 32767;
constexpr int kTabMaxPerLine = 32767;
int ClampTabSize(int v);     // into 1 .. kTabMaxItemSize
int ClampCntOfLine(int v);   // at most kTabMaxPerLine (values below 1 keep their meaning)

// The layout itself works in 64 bits, so any count of tabs gives
// coordinates (far off the window for tabs beyond it) without overflow.
struct TabLayout {
    int itemWidth = 50;
    int itemHeight = 20;
    bool multiLine = false;
    int cntOfLine = 4;
    bool isBottom = false;
    int tabCount = 0;
    int scaleWidth = 0;
    int scaleHeight = 0;

    // Tabs per line in multi-line mode; a count below 1 gives one tab per line.
    int PerLine() const { return cntOfLine < 1 ? 1 : cntOfLine; }
    int Lines() const;
    int Column(int i) const { return multiLine ? i % PerLine() : i; }
    int Line(int i) const { return multiLine ? i / PerLine() : 0; }
    // Height of the band of tab lines.
    int BandHeight() const;

    kit::Rect TabRect(int i) const;
    // Tab under (x, y), or -1 (gaps, left edges and dividing rows hit nothing).
    int HitTest(int x, int y) const;

    // The painter's background: the band behind the tabs, the page (filled
    // and framed) and, in single-line mode, the line that opens the page's
    // border towards the tabs.
    struct Background {
        kit::Rect band;
        kit::Rect page;
        bool open = false;
        HLine openLine;
    };
    Background Back() const;

    // The selected tab: its shape's rectangle (one pixel taller, towards the
    // page) and the two baselines that join it to the page.
    struct Selected {
        kit::Rect shape;
        HLine before;
        HLine after;
    };
    Selected SelectedLook(int i) const;

    kit::Rect CaptionRect(int i) const;
};

} // namespace tessara
