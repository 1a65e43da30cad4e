// The combo box's geometry and text bookkeeping without a window.
// No Windows header.
#pragma once
#include "tessara/controls/list/ListModel.h"

#include <string>

namespace tessara {

constexpr int kComboHeight = 20;     // the closed combo, and the text area
constexpr int kComboMinWidth = 26;
constexpr int kComboArrowWidth = 18;
constexpr int kComboArrowHeight = 16;
constexpr int kComboDropRows = 8;    // rows shown when dropped, by default

constexpr std::uint32_t kComboFrame = 0x00BEBEBE;
constexpr std::uint32_t kComboHighlight = 0x00FFD6B3;
constexpr std::uint32_t kComboArrowBase = 0x00FFD6B3;

struct ComboLayout {
    int width = 0;
    int height = kComboHeight;
    kit::Rect arrow;  // the arrow button
    kit::Rect list;   // the embedded list, before its own layout fixes its height
};

// Layout on resize: at least 26 pixels wide, always 20 high.
ComboLayout LayoutCombo(int width);

// A press here toggles the drop-down; anywhere else closes it.
bool InComboTextArea(int x, int y, int width);
// The arrow button's own client area (18 x 16).
bool InComboArrow(int x, int y);
// Height of the dropped window for a list of the given height.
constexpr int DroppedComboHeight(int listHeight) { return listHeight + kComboHeight; }
// A combo window taller than its text area has its list down.
constexpr bool ComboIsOpen(int windowHeight) { return windowHeight > kComboHeight; }

// Highlight and text rectangles of the text area.
kit::Rect ComboHighlightRect(int width);
kit::Rect ComboTextRect(int width);

// The shown text and the text last announced by Change.
class ComboText {
public:
    const std::wstring& Text() const { return text_; }
    const std::wstring& LastReported() const { return lastReported_; }
    // Set by code: no Change.
    void SetText(std::wstring t) { text_ = std::move(t); }
    // Chosen from the list or by index: true when Change is due.
    bool Choose(const std::wstring& t);

private:
    std::wstring text_;
    std::wstring lastReported_;
};

} // namespace tessara
