// The grouped list without a window: its store, and every piece of view
// state (rows in a page, the hovered row, the pending scroll, the
// sideways-scrolling text). YGroupList measures texts, applies the plans
// it gets (the scroll bar's) and draws the rows. No Windows header.
#pragma once
#include "tessara/controls/grouplist/GroupStore.h"
#include "tessara/controls/scroll/ScrollArithmetic.h"

#include <optional>
#include <string>

namespace tessara {

class GroupListModel {
public:
    const GroupStore& Store() const { return store_; }

    // ---- content (true: the deferred relayout is due) ------------------
    void AddGroup(const std::wstring& name) { store_.AddGroup(name); }
    bool AddItem(int group, const std::wstring& item) { return store_.AddItem(group, item); }
    // The view stays where it is (the item may lie in a folded group or
    // below the view); the relayout only pulls it up to a shorter end.
    bool RemoveItem(int group, int index) { return store_.RemoveItem(group, index); }
    bool Spread(int group, bool expanded) { return store_.SetExpanded(group, expanded); }
    enum class Removal {
        None,      // no such group
        Deferred,  // the relayout is due
        Now,       // the last group went: relayout at once
    };
    // The view moves up by the group's rows, never past the top (the bar
    // shows topRow).
    Removal RemoveGroup(int group, int topRow);

    // ---- properties ------------------------------------------------------
    int ScrollMode() const { return scrollMode_; }
    void SetScrollMode(int mode);  // 0, 1 or 2; other values are ignored
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int v) { itemHeight_ = v; }
    int PageRows() const { return pageRows_; }

    // ---- layout ------------------------------------------------------------
    // Rows for a client height; the height it must take to hold whole rows.
    GroupPage Fit(int scaleHeight);
    // Renumbers the rows and plans the scroll bar: shown with its range when
    // the rows overflow (the pending scroll applied, the value limited to the
    // range), else hidden at 0.
    BarPlan Relayout(int scaleWidth, int scaleHeight, int topRow);
    GroupView View(int scaleWidth, int scaleHeight, int topRow, bool scrollVisible) const;

    // ---- input -------------------------------------------------------------
    int HoverRow() const { return hoverRow_; }
    // A new hovered row (-1 for none): true when it changed; the marquee
    // starts again at 0.
    bool Hover(int row);
    // The hovered row is an item whose text the control measures.
    bool HoverIsItem() const { return hoverRow_ >= 0 && store_.GroupAtRow(hoverRow_) < 0; }
    std::wstring HoverText() const;
    // What the control measured of the hovered text; true when it overflows.
    bool MeasuredHover(int textWidth, int overflow, int spacesWidth);
    void Leave();
    // What a press on a row does: an item's text to raise, or a group folded
    // or unfolded (relayout now).
    struct Press {
        bool item = false;
        bool toggled = false;
        std::wstring text;
    };
    Press PressRow(int row);
    // The bar's value after a wheel notch; nothing when the list does not scroll.
    std::optional<int> WheelValue(int value, int maxValue, int delta) const;

    // ---- the sideways-scrolling text -------------------------------------
    int MarqueeOffset() const { return marquee_.offset; }
    // One 100 ms tick; false when the scrolling stops (or nothing scrolls).
    bool MarqueeTick();
    // False when the tick has nothing to move (no item hovered).
    bool MarqueeApplies() const { return HoverIsItem(); }

private:
    GroupStore store_;
    int itemHeight_ = 20;
    int pageRows_ = 0;
    int hoverRow_ = -1;
    int pendingScroll_ = 0;  // rows to add to the bar's value at the next relayout (group removals)
    int scrollMode_ = 0;
    Marquee marquee_;
    // Measured when the hovered row changes: the hovered text's width, its
    // overflow and the width of the five spaces of the wrap-around style.
    int hoverTextWidth_ = 0;
    int hoverOverflow_ = 0;
    int spacesWidth_ = 0;
};

} // namespace tessara
