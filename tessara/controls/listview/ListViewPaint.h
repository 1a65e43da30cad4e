// How the list view draws each display mode, as calls on a ListCanvas: the
// Win32 control backs it with its off-screen surface, tests with a recorder.
// Only visible rows and cells are drawn. No Windows header.
#pragma once
#include "tessara/controls/listview/ListViewModel.h"
#include "tessara/kit/Canvas.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tessara {

enum class TextAlign {
    Left,    // single line, vertically centred
    Centre,  // single line, vertically and horizontally centred
};

class ListCanvas {
public:
    virtual ~ListCanvas() = default;
    virtual void Fill(const kit::Rect& r, host::Colour c) = 0;
    virtual void Frame(const kit::Rect& r, host::Colour c) = 0;
    // The kit's rounded box: radius 3, plain border, not pressed, not full.
    virtual void RoundBox(const kit::Rect& r, host::Colour c) = 0;
    // The kit's framed box, not strong.
    virtual void FramedBox(const kit::Rect& r, host::Colour c) = 0;
    virtual void Icon(std::int32_t x, std::int32_t y, const host::PictureRef& icon, std::int32_t size) = 0;
    virtual void Text(const kit::Rect& r, const std::wstring& text, TextAlign align) = 0;
    virtual void Clip(const kit::Rect& r) = 0;
    virtual void Unclip() = 0;
    // Width in pixels of the text as the control measures it.
    virtual std::int32_t TextWidth(std::wstring_view text) = 0;
};

struct ListViewColours {
    host::Colour frame = 0x00FFD6B3;        // outer frame
    host::Colour header = 0x00FFD6B3;       // header cells
    host::Colour headerHover = 0x00EBC29F;  // header under the mouse; hovered cell in modes 1 to 3
    host::Colour row = 0x00FFFFFF;          // report rows
    host::Colour rowHover = 0x00EBC29F;     // report row under the mouse
    host::Colour focus = 0x00CDA481;        // the focused item
};

// What a paint needs to know of the window and its bars.
struct ListPaintFrame {
    std::int32_t width = 0;   // ScaleWidth
    std::int32_t height = 0;  // ScaleHeight
    std::int32_t textHeight = 0;
    std::int32_t vValue = 0;  // YVScroll1.Value
    std::int32_t hValue = 0;  // YHScroll1.Value
    bool vVisible = false;
};

constexpr std::int32_t kSmallIcon = 16;
constexpr std::int32_t kBigIcon = 20;
constexpr std::int32_t kListColumnRight = 82;  // mode 3's column ends here whatever the width

using TextMeasure = std::function<std::int32_t(std::wstring_view)>;

// The text to draw in a column `width` pixels wide when it starts `offset`
// pixels from the column's left edge: unchanged when it fits, else cut
// before the first character that would pass the edge, less three more,
// with "..." appended ("..." alone when fewer than three remain).
std::wstring FitText(const std::wstring& text, std::int32_t offset, std::int32_t width, const TextMeasure& measure);

// Top of an icon of `size` centred in a band of height `band` at `top`
// (halves to even).
std::int32_t CentredTop(std::int32_t top, std::int32_t band, std::int32_t size);

void PaintListView(ListCanvas& canvas, const ListViewModel& model, const ListPaintFrame& frame,
                   const ListViewColours& colours);

} // namespace tessara
