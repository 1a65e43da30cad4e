// The grouped list's store without windows: the groups and their items, the row
// numbering built from them, row geometry and hit tests, and the small
// pieces of scroll and marquee arithmetic the control applies.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tessara {

// Groups of item texts. The row numbering (GroupRow, TotalRows) is only
// refreshed by Relayout(): content changes show after the next relayout,
// which the control defers so that a burst of changes costs one layout.
class GroupStore {
public:
    static constexpr int kMaxItems = 1000;
    static constexpr int kHeaderHeight = 20;
    // Item rows are held to this height where it enters, so rows x height
    // (and 15 times that in twips) stays inside 32 bits: no window is
    // taller than 32,767 pixels.
    static constexpr int kMaxItemHeight = 32767;

    void AddGroup(const std::wstring& name);
    // False when the group does not exist or already holds kMaxItems.
    bool AddItem(int group, const std::wstring& item);
    bool RemoveItem(int group, int index);
    bool RemoveGroup(int group);
    bool SetExpanded(int group, bool expanded);
    bool Toggle(int group);

    int GroupCount() const { return static_cast<int>(groups_.size()); }
    bool ValidGroup(int g) const { return g >= 0 && g < GroupCount(); }
    std::wstring GroupName(int g) const;
    int ItemCount(int g) const;          // 0 out of range
    bool Expanded(int g) const;          // false out of range
    std::wstring Item(int g, int i) const;  // "" out of range
    // The header's caption: name, "(", count, ")".
    std::wstring HeaderCaption(int g) const;
    // The header shows the unfolded glyph only for an unfolded group with items.
    bool ShowsUnfolded(int g) const { return Expanded(g) && ItemCount(g) > 0; }

    // Recomputes TotalRows and the header rows (no rows without groups).
    void Relayout();
    int TotalRows() const { return totalRows_; }
    int GroupRow(int g) const;
    // Group whose header is at row, or -1 (item rows and rows past the end).
    int GroupAtRow(int row) const;
    struct ItemPos {
        int group = -1;
        int index = -1;
    };
    // For an item row: the last group whose header lies above it, and the
    // index of the item within that group.
    ItemPos LocateRow(int row) const;

private:
    struct Group {
        std::wstring name;
        bool expanded = false;
        std::vector<std::wstring> items;
    };
    std::vector<Group> groups_;
    std::vector<int> groupRows_;  // one per group; valid after Relayout
    int totalRows_ = 0;
};

// What the control knows of its client area and scroll bar when it paints
// or hit-tests.
struct GroupView {
    int scaleWidth = 0;
    int scaleHeight = 0;
    int itemHeight = 20;
    int pageRows = 0;
    int topRow = 0;           // the scroll bar's Value
    bool scrollVisible = false;
};

// One painted row: its number, box and what it shows.
struct GroupRowBox {
    int row = 0;
    int top = 0;
    int height = 0;
    int right = 0;            // right edge of the row's background
    bool header = false;
    int group = -1;
    int index = -1;           // item index for item rows
};

// The rows a paint shows, from the top row on, starting at y = 3.
std::vector<GroupRowBox> VisibleRows(const GroupStore& store, const GroupView& view);

// Row under (x, y), or -1. A y on the boundary of two rows belongs to the upper one.
int HitTestRow(const GroupStore& store, const GroupView& view, int x, int y);

// Rows that fit into the client height, and the client height the control
// takes on so that it holds whole item rows plus the 3-pixel margins. The
// item height counts as 1 to GroupStore::kMaxItemHeight.
struct GroupPage {
    int pageRows = 0;
    int clientHeight = 0;     // equal to the given height when no change is needed
};
GroupPage FitPage(int scaleHeight, int itemHeight);

// Thumb length of the embedded scroll bar for an overflowing list.
int GroupThumbLength(int scaleHeight, int pageRows, int totalRows);

// Width left for an item's text, and by how much a text overflows it (0 when it fits).
int AvailableTextWidth(int scaleWidth, bool scrollVisible);
int TextOverflow(int textWidth, int scaleWidth, bool scrollVisible);

// Sideways scrolling of a hovered item's long text, one tick every 100 ms.
struct Marquee {
    int offset = 0;
    bool forward = false;
    bool back = false;
    // Advances one tick. mode 0 slides out once, 1 swings back and forth,
    // 2 wraps around a doubled text. Returns false when the scrolling stops.
    bool Tick(int mode, int textWidth, int overflow, int spaceWidth);
};

} // namespace tessara
