// The list's items, selection, layout and marquee without a window. YList
// measures texts and drives the timers; everything that is arithmetic on
// rows and indices lives here. No Windows header.
#pragma once
#include "tessara/kit/PixelMath.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessara {

// The items' texts. All characters live in one arena and each item is a
// span of it, so a million items cost a handful of allocations, not one
// each. The spans sit in a gap buffer: appends are amortised constant time
// and a run of removals at one place moves the gap once instead of shifting
// every later item per removal. Removed texts are reclaimed by compacting
// the arena once they make up half of it.
class ListItems {
public:
    std::size_t size() const { return spans_.size() - GapLength(); }
    bool empty() const { return size() == 0; }
    std::wstring_view operator[](std::size_t i) const
    {
        const Span& s = spans_[i < gapStart_ ? i : i + GapLength()];
        return {arena_.data() + s.offset, s.length};
    }
    void push_back(std::wstring_view text);
    void erase(std::size_t i);
    // Frees every item and the storage.
    void clear();
    std::size_t capacity() const { return spans_.size(); }
    std::size_t arenaSize() const { return arena_.size(); }

private:
    struct Span {
        std::uint32_t offset;
        std::uint32_t length;
    };
    std::size_t GapLength() const { return gapEnd_ - gapStart_; }
    void MoveGapTo(std::size_t i);
    void Reallocate(std::size_t capacity);
    void Compact();

    std::vector<Span> spans_;
    std::size_t gapStart_ = 0;  // first free slot
    std::size_t gapEnd_ = 0;    // first used slot after the gap
    std::vector<wchar_t> arena_;
    std::size_t garbage_ = 0;   // arena characters of removed items
};

constexpr int kListMaxItems = 1000000;
// Row heights and page sizes are held to these where they enter, so that
// the control's height (rows x height + 6 pixels, and 15 times that in
// twips) stays inside 32 bits: no window is taller than 32,767 pixels,
// and a page of 4,096 rows is taller than any screen.
constexpr int kListMaxItemHeight = 32767;
constexpr int kListMaxPageCount = 4096;
constexpr int kListDefaultItemHeight = 16;
constexpr int kListInset = 3;          // rows start 3 pixels inside the frame
constexpr int kListScrollWidth = 18;   // the embedded scroll bar
constexpr int kListScrollRight = 20;   // its left edge is this far from the right
constexpr int kListMarqueeSpaces = 5;  // gap between the copies in mode 2

// Fixed colours (0x00BBGGRR).
constexpr std::uint32_t kListSelectedFill = 0x00C39A77;
constexpr std::uint32_t kListSelectedFrame = 0x00A57C59;
constexpr std::uint32_t kListHoverFill = 0x00FFD6B3;
constexpr std::uint32_t kListHoverFrame = 0x00E1B895;
constexpr std::uint32_t kListEvenRow = 0x00FFFAF6;
constexpr std::uint32_t kListOddRow = 0x00FFFFFF;
constexpr std::uint32_t kListBackground = 0x00FFFFFF;
constexpr std::uint32_t kListOuterFrame = 0x00BEBEBE;

// Result of the first layout (the first Resize).
struct ListFirstLayout {
    int width = 0;       // new client width (grown when narrower than a row needs)
    int height = 0;      // new client height: whole rows plus the frame
    kit::Rect scroll;    // where the scroll bar goes
};

// Result of the deferred layout: what to do to the control and its scroll bar.
struct ListLayout {
    int height = 0;
    bool scrollVisible = false;
    kit::Rect scroll;
    double thumbLength = 0;
    std::int32_t value = 0;   // scroll bar value to show
    std::int32_t maxV = 0;    // scroll bar maximum (when visible)
};

enum class RowLook { Selected, Hovered, Even, Odd };

struct ListRow {
    int index = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
    RowLook look = RowLook::Even;
    int textLeft = 0, textRight = 0;  // where the text goes (shifted by the marquee)
    bool marquee = false;             // the text is scrolled: repaint the left margin
};

class ListModel {
public:
    // --- items -----------------------------------------------------------
    int ListCount() const { return static_cast<int>(items_.size()); }
    // The item's text, or an empty string outside 0 .. ListCount-1. Valid
    // until the list changes.
    std::wstring_view List(int index) const;
    // False (and nothing added) once the list holds kListMaxItems.
    bool AddItem(std::wstring_view text);
    // False for an index outside the list. When the scroll bar shows, the
    // view moves up one row at the next layout (not above the top).
    bool RemoveItem(int index, bool scrollVisible, std::int32_t scrollValue);
    // Empties the list (nothing is hovered then). The view keeps its place,
    // limited to the range of what the list holds at the next layout.
    void Clear();

    // --- properties --------------------------------------------------------
    int ItemHeight() const { return itemHeight_; }
    // Accepted when not smaller than the font's height; at most
    // kListMaxItemHeight.
    bool SetItemHeight(int v, int fontHeight);
    // Raises the row height to the font's height (at most
    // kListMaxItemHeight); true when it did.
    bool FitItemHeight(int fontHeight);
    int PageCount() const { return pageCount_; }
    // Values below 4 become 4 when there are more items than the value;
    // values above kListMaxPageCount become that.
    bool SetPageCount(int v);
    // PageCount for a drop-down of `rows` rows (1 when empty, at most
    // kListMaxPageCount).
    void InitListHeight(int rows);
    int ListIndex() const { return listIndex_; }
    bool SetListIndex(int v);
    int ScrollMode() const { return scrollMode_; }
    bool SetScrollMode(int v);
    int HoverIndex() const { return hoverIndex_; }
    // True when the hovered item changed (the marquee then restarts at 0).
    bool SetHover(int index);
    int ScrollAdjust() const { return scrollAdjust_; }
    int MarqueeOffset() const { return marqueeOffset_; }
    bool MarqueeForward() const { return marqueeForward_; }
    void ResetMarquee() { marqueeOffset_ = 0; }

    // --- layout ------------------------------------------------------------
    // Only while PageCount is 0; later resizes change nothing.
    std::optional<ListFirstLayout> FirstLayout(int width, int height);
    // The layout run after a burst of changes; clears the scroll adjustment.
    ListLayout DeferredLayout(int width, std::int32_t scrollValue);

    // --- geometry ----------------------------------------------------------
    int ItemAt(int x, int y, int width, std::int32_t scrollValue) const;
    static int AvailableTextWidth(int width, bool scrollVisible);
    // New scroll value for a wheel notch, or nothing when the list does
    // not scroll.
    std::optional<std::int32_t> WheelTarget(int delta, std::int32_t value, std::int32_t maxV) const;

    // --- marquee -----------------------------------------------------------
    // One tick for the hovered text of width `textWidth` in `avail` pixels,
    // `gap` being the width of the spaces between copies in mode 2. False
    // when the pass is over and the timer should stop.
    bool MarqueeStep(int textWidth, int avail, int gap);
    // What the painter writes for the hovered item (two copies in mode 2).
    std::wstring MarqueeText(std::wstring_view text) const;

    // --- painting ----------------------------------------------------------
    // The rows that show, first to last; cost follows PageCount, not the
    // number of items.
    std::vector<ListRow> VisibleRows(int width, bool scrollVisible, std::int32_t scrollValue,
                                     bool marqueeRunning) const;

private:
    ListItems items_;
    int itemHeight_ = kListDefaultItemHeight;
    int pageCount_ = 0;           // visible rows; 0 until the first layout
    int listIndex_ = -1;          // selected item
    int hoverIndex_ = -1;         // item under the mouse
    int scrollAdjust_ = 0;        // pending change of the scroll value (removals)
    int marqueeOffset_ = 0;       // pixels the hovered text is shifted left
    bool marqueeForward_ = true;  // ScrollMode 1 direction
    int scrollMode_ = 0;
};

} // namespace tessara
