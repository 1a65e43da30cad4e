// The sample data the gallery form fills its controls with, in the order
// the form adds it, and the progress bar's tick rule. No Windows header:
// the data is checked natively against the tree's real node store.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace gallery {

// text & n: the text followed by the decimal digits of n.
std::wstring Numbered(const std::wstring& text, int n);

// Texts of the list (its 101 numbered items, then two long ones that make
// the list scroll them sideways) and of the combo box.
std::vector<std::wstring> ListItems();
std::vector<std::wstring> ComboItems();

// The grouped list: group names, then (group, text) items in adding order.
std::vector<std::wstring> GroupNames();
struct GroupItem {
    int group;
    std::wstring text;
};
std::vector<GroupItem> GroupItems();

// One addition to the tree. With a parent label, the parent is the node
// found by that label just before the addition; otherwise parentSlot
// (-1 for the root, 0 for the root's children).
struct TreeAddition {
    std::int32_t parentSlot;
    std::wstring parentLabel;
    std::wstring label;
};
// The root, its three children, then seven passes; each pass adds 100
// children under the first child of each of the previous level's three
// chains: 2,104 nodes in all.
std::vector<TreeAddition> TreePlan();
constexpr int kTreeNodeCount = 2104;

std::vector<std::wstring> TabCaptions();

// List view: three columns 100 pixels wide (big icons 1, 2, 3) and 101
// rows, each with two sub-items.
constexpr int kHeaderWidth = 100;
std::vector<std::wstring> HeaderTexts();
struct ListViewRow {
    std::wstring text, sub1, sub2;
};
std::vector<ListViewRow> ListViewRows();

// The form's 16-bit counter that drives the progress bar: each tick shows
// the counter, then counts on; once it has passed the bar's end the timer
// stops. Starting at 0, 101 ticks show 0 to 100.
class ProgressTicker {
public:
    static constexpr std::int16_t kLast = 100;
    struct Step {
        std::int16_t value;  // what the bar shows
        bool stop;           // the timer stops after this tick
    };
    Step Tick();
    std::int16_t Counter() const { return counter_; }

private:
    std::int16_t counter_ = 0;
};

} // namespace gallery
