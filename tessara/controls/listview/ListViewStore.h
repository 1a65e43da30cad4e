// The list view's columns and items, with the report's icon-size scan kept
// up to date as items come and go, so no paint or layout walks the items.
// No Windows header.
#pragma once
#include "host/Values.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessara {

struct ListHeader {
    std::wstring text;
    std::int32_t width = 0;        // pixels
    host::PictureRef smallIcon;    // 16 x 16, may be null
    host::PictureRef bigIcon;      // 20 x 20, may be null
};

struct ListSubItem {
    std::wstring text;
    host::PictureRef smallIcon;
    host::PictureRef bigIcon;
};

struct ListItem {
    std::wstring text;
    host::PictureRef smallIcon;
    host::PictureRef bigIcon;
    std::vector<ListSubItem> subItems;  // report columns 1, 2, ...
};

// Which icon size sets a band's height: none (text only), 16 or 20 pixels.
enum class IconBand { None, Small, Big };

// Band height for text of height t: max(t, icon) + 6.
std::int32_t BandHeight(IconBand band, std::int32_t textHeight);

class ListViewStore {
public:
    std::int32_t HeaderCount() const { return static_cast<std::int32_t>(headers_.size()); }
    std::int32_t ItemCount() const { return static_cast<std::int32_t>(items_.size()); }

    // Out-of-range indexes throw std::out_of_range.
    const ListHeader& Header(std::int32_t index) const;
    const ListItem& Item(std::int32_t index) const;
    // The sub-item, or null when the item has fewer sub-items (no throw).
    const ListSubItem* FindSubItem(std::int32_t item, std::int32_t sub) const;

    void AddHeader(std::wstring text, std::int32_t width, host::PictureRef smallIcon, host::PictureRef bigIcon);
    void AddItem(std::wstring text, host::PictureRef smallIcon, host::PictureRef bigIcon);
    // Throws std::out_of_range for a bad item index, before changing anything.
    void AddSubItem(std::int32_t item, std::wstring text, host::PictureRef smallIcon, host::PictureRef bigIcon);
    // False (and no change) for an index outside the items.
    bool RemoveItem(std::int32_t index);
    // Releases all columns and items, storage included.
    void Clear();
    // Releases the items only.
    void ClearItems();

    void SetHeaderWidth(std::int32_t column, std::int32_t width);
    // Sum of the column widths + 4 (the frame on both sides).
    std::int64_t ContentWidth() const { return widthSum_ + 4; }

    // The first header with any icon decides: small when it has a small one.
    IconBand HeaderBand() const;
    // The report row scan: the first item that decides (its own small or big
    // icon, or a small icon on the first icon-bearing sub-item) gives its
    // size; else a big icon met on a sub-item gives Big; else None.
    IconBand RowBand() const;

private:
    // What one item contributes to the row scan.
    enum class Vote : std::uint8_t { None, Small, Big, BigMark };
    static Vote VoteOf(const ListItem& item);

    std::vector<ListHeader> headers_;
    std::vector<ListItem> items_;
    std::vector<Vote> votes_;          // parallel to items_
    std::int64_t widthSum_ = 0;
    std::int32_t firstIconHeader_ = -1;
    std::int32_t firstDecider_ = -1;   // first item whose vote is Small or Big
    std::int32_t bigMarks_ = 0;        // items voting BigMark
};

} // namespace tessara
