#include "tessara/controls/listview/ListViewPaint.h"

#include <algorithm>

namespace tessara {

namespace {

constexpr host::Colour kWhite = 0x00FFFFFF;

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

class Painter {
public:
    Painter(ListCanvas& canvas, const ListViewModel& model, const ListPaintFrame& frame,
            const ListViewColours& colours)
        : c_(canvas), m_(model), f_(frame), col_(colours), h_(model.RowHeights(frame.textHeight)),
          measure_([this](std::wstring_view s) { return c_.TextWidth(s); })
    {
    }

    void Report(std::int32_t clipRight);
    void Grid(std::int32_t cellWidth);
    void List();

private:
    // A report cell: icon by the three-way rule, then the fitted text.
    void Cell(std::int32_t x, std::int32_t w, std::int32_t top, std::int32_t band, const std::wstring& text,
              const host::PictureRef& smallIcon, const host::PictureRef& bigIcon);
    host::Colour CellBox(std::int32_t item, bool& boxed) const;

    ListCanvas& c_;
    const ListViewModel& m_;
    const ListPaintFrame& f_;
    const ListViewColours& col_;
    const ListHeights h_;
    const TextMeasure measure_;
};

void Painter::Cell(std::int32_t x, std::int32_t w, std::int32_t top, std::int32_t band, const std::wstring& text,
                   const host::PictureRef& smallIcon, const host::PictureRef& bigIcon)
{
    std::int32_t offset = 3;
    if (smallIcon) {
        c_.Icon(x + 3, CentredTop(top, band, kSmallIcon), smallIcon, kSmallIcon);
        offset = 21;
    } else if (bigIcon) {
        c_.Icon(x + 3, CentredTop(top, band, kBigIcon), bigIcon, kBigIcon);
        offset = 25;
    }
    const std::wstring shown = FitText(text, offset, w, measure_);
    if (!shown.empty())
        c_.Text({x + offset, top, x + w, top + band}, shown, TextAlign::Left);
}

void Painter::Report(std::int32_t clipRight)
{
    const ListViewStore& store = m_.Store();
    const std::int32_t n = store.ItemCount();
    const std::int32_t hh = h_.header;
    const std::int32_t rh = h_.row;
    const std::int32_t first = std::max(f_.vValue, 0);
    const std::int32_t last = std::min(first + m_.PageRows() - 1, n - 1);
    const std::int32_t rowRight = f_.vVisible ? f_.width - 21 : f_.width - 2;

    for (std::int32_t i = first; i <= last; ++i) {
        const std::int32_t ty = hh + 2 + rh * (i - first);
        const kit::Rect r{2, ty, rowRight, ty + rh};
        if (i == m_.FocusIndex())
            c_.RoundBox(r, col_.focus);
        else if (i == m_.HoverItem())
            c_.RoundBox(r, col_.rowHover);
        else
            c_.Fill(r, col_.row);
    }

    std::int32_t x = 2 - f_.hValue;
    for (std::int32_t j = 0; j < store.HeaderCount(); ++j) {
        const ListHeader& header = store.Header(j);
        const std::int32_t w = header.width;
        // Columns wholly outside the clip draw nothing; skip their cells.
        if (std::max(x, x + w) > 2 && std::min(x, x + w) < clipRight) {
            c_.FramedBox({x, 2, x + w, hh + 2}, j == m_.HoverHeader() ? col_.headerHover : col_.header);
            Cell(x, w, 2, hh, header.text, header.smallIcon, header.bigIcon);
            for (std::int32_t i = first; i <= last; ++i) {
                const std::int32_t ty = hh + 2 + rh * (i - first);
                if (j == 0) {
                    const ListItem& item = store.Item(i);
                    Cell(x, w, ty, rh, item.text, item.smallIcon, item.bigIcon);
                } else if (const ListSubItem* sub = store.FindSubItem(i, j - 1)) {
                    Cell(x, w, ty, rh, sub->text, sub->smallIcon, sub->bigIcon);
                }
            }
        }
        x += w;
    }
}

host::Colour Painter::CellBox(std::int32_t item, bool& boxed) const
{
    boxed = true;
    if (item == m_.FocusIndex())
        return col_.focus;
    if (item == m_.HoverItem())
        return col_.headerHover;
    boxed = false;
    return 0;
}

void Painter::Grid(std::int32_t w)
{
    const ListViewStore& store = m_.Store();
    const std::int32_t n = store.ItemCount();
    const std::int32_t rh = h_.row;
    const std::int32_t columns = m_.GridColumns();
    const std::int32_t first = std::max(f_.vValue, 0);
    const std::int32_t lastRow = std::min(first + m_.GridVisibleRows() - 1, m_.GridRows());
    const bool big = w == kBigCellWidth;
    std::int32_t y = 2;
    for (std::int32_t r = first; r <= lastRow; ++r) {
        for (std::int32_t k = 0; k < columns; ++k) {
            const std::int64_t e64 = static_cast<std::int64_t>(r) * columns + k;
            if (e64 >= n)
                return;
            const auto e = static_cast<std::int32_t>(e64);
            const ListItem& item = store.Item(e);
            const std::int32_t L = k * w;
            bool boxed = false;
            const host::Colour box = CellBox(e, boxed);
            if (boxed)
                c_.RoundBox({L + 2, y, L + w, y + rh}, box);
            if (big) {
                if (item.bigIcon)
                    c_.Icon(L + 24, y + 3, item.bigIcon, kBigIcon);
                c_.Text({L + 2, y + 23, L + w, y + rh}, item.text, TextAlign::Centre);
            } else {
                if (item.smallIcon)
                    c_.Icon(L + 5, CentredTop(y, rh, kSmallIcon), item.smallIcon, kSmallIcon);
                c_.Text({L + 21, y, L + w, y + rh}, item.text, TextAlign::Centre);
            }
        }
        y += rh + 2;
    }
}

void Painter::List()
{
    const ListViewStore& store = m_.Store();
    const std::int32_t rh = h_.row;
    const std::int32_t first = std::max(f_.vValue, 0);
    const std::int32_t last = std::min(first + m_.PageRows() - 1, store.ItemCount() - 1);
    std::int32_t y = 2;
    for (std::int32_t j = first; j <= last; ++j) {
        const ListItem& item = store.Item(j);
        bool boxed = false;
        const host::Colour box = CellBox(j, boxed);
        if (boxed)
            c_.RoundBox({2, y, kListColumnRight, y + rh}, box);
        if (item.smallIcon)
            c_.Icon(5, CentredTop(y, rh, kSmallIcon), item.smallIcon, kSmallIcon);
        c_.Text({21, y, kListColumnRight, y + rh}, item.text, TextAlign::Centre);
        y += rh;
    }
}

} // namespace

std::wstring FitText(const std::wstring& text, std::int32_t offset, std::int32_t width, const TextMeasure& measure)
{
    if (offset >= width)
        return std::wstring();
    if (static_cast<std::int64_t>(offset) + measure(text) <= width)
        return text;
    // Walk the characters until the next one would pass the edge; a
    // surrogate pair counts as one character.
    std::int64_t pos = offset;
    std::size_t chars = 0;  // characters that fit
    std::size_t units = 0;  // their length in UTF-16 units
    while (units < text.size()) {
        const std::size_t len = (IsHighSurrogate(text[units]) && units + 1 < text.size()) ? 2 : 1;
        const std::int64_t next = pos + measure(std::wstring_view(text).substr(units, len));
        if (next > width)
            break;
        pos = next;
        units += len;
        ++chars;
    }
    // The character that does not fit is number chars + 1 (counted from 1);
    // keep the characters before it, less three, to make room for "...".
    if (chars + 1 < 4)
        return L"...";
    std::size_t keep = chars - 2;
    std::size_t cut = 0;
    while (keep-- > 0)
        cut += (IsHighSurrogate(text[cut]) && cut + 1 < text.size()) ? 2 : 1;
    return text.substr(0, cut) + L"...";
}

std::int32_t CentredTop(std::int32_t top, std::int32_t band, std::int32_t size)
{
    return top + static_cast<std::int32_t>(RoundHalfEven(static_cast<std::int64_t>(band) - size, 2));
}

void PaintListView(ListCanvas& canvas, const ListViewModel& model, const ListPaintFrame& frame,
                   const ListViewColours& colours)
{
    const kit::Rect client{0, 0, frame.width, frame.height};
    canvas.Fill(client, kWhite);
    canvas.Frame(client, colours.frame);

    const std::int32_t mode = model.DisMode();
    const std::int32_t n = model.ItemCount();
    const bool nothing = (mode == kModeReport && model.HeaderCount() == 0) || (mode == kModeList && n == 0) ||
                         ((mode == kModeSmallIcons || mode == kModeBigIcons) && (n == 0 || model.GridColumns() == 0)) ||
                         mode < kModeReport || mode > kModeList;
    if (nothing)
        return;

    Painter painter(canvas, model, frame, colours);
    const std::int32_t barLeft = frame.width - 21;
    if (mode == kModeReport || mode == kModeList) {
        const kit::Rect clip{2, 2, frame.vVisible ? barLeft : frame.width - 2, frame.height - 2};
        canvas.Clip(clip);
        if (mode == kModeReport)
            painter.Report(clip.right);
        else
            painter.List();
    } else {
        const std::int32_t rh = model.RowHeights(frame.textHeight).row;
        canvas.Clip({2, 2, barLeft, (rh + 2) * model.GridVisibleRows() + 2});
        painter.Grid(mode == kModeSmallIcons ? kSmallCellWidth : kBigCellWidth);
    }
    canvas.Unclip();
}

} // namespace tessara
