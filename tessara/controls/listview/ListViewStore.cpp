#include "tessara/controls/listview/ListViewStore.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace tessara {

std::int32_t BandHeight(IconBand band, std::int32_t textHeight)
{
    switch (band) {
    case IconBand::Small:
        return std::max(textHeight, 16) + 6;
    case IconBand::Big:
        return std::max(textHeight, 20) + 6;
    case IconBand::None:
        break;
    }
    return textHeight + 6;
}

const ListHeader& ListViewStore::Header(std::int32_t index) const
{
    if (index < 0 || index >= HeaderCount())
        throw std::out_of_range("list view header index " + std::to_string(index) + " out of range");
    return headers_[static_cast<std::size_t>(index)];
}

const ListItem& ListViewStore::Item(std::int32_t index) const
{
    if (index < 0 || index >= ItemCount())
        throw std::out_of_range("list view item index " + std::to_string(index) + " out of range");
    return items_[static_cast<std::size_t>(index)];
}

const ListSubItem* ListViewStore::FindSubItem(std::int32_t item, std::int32_t sub) const
{
    if (item < 0 || item >= ItemCount() || sub < 0)
        return nullptr;
    const auto& subs = items_[static_cast<std::size_t>(item)].subItems;
    if (static_cast<std::size_t>(sub) >= subs.size())
        return nullptr;
    return &subs[static_cast<std::size_t>(sub)];
}

void ListViewStore::AddHeader(std::wstring text, std::int32_t width, host::PictureRef smallIcon,
                              host::PictureRef bigIcon)
{
    if (firstIconHeader_ < 0 && (smallIcon || bigIcon))
        firstIconHeader_ = HeaderCount();
    widthSum_ += width;
    headers_.push_back({std::move(text), width, std::move(smallIcon), std::move(bigIcon)});
}

ListViewStore::Vote ListViewStore::VoteOf(const ListItem& item)
{
    if (item.smallIcon)
        return Vote::Small;
    if (item.bigIcon)
        return Vote::Big;
    for (const auto& sub : item.subItems) {
        if (sub.smallIcon)
            return Vote::Small;
        if (sub.bigIcon)
            return Vote::BigMark;  // the scan moves on to the next item here
    }
    return Vote::None;
}

void ListViewStore::AddItem(std::wstring text, host::PictureRef smallIcon, host::PictureRef bigIcon)
{
    ListItem item;
    item.text = std::move(text);
    item.smallIcon = std::move(smallIcon);
    item.bigIcon = std::move(bigIcon);
    const Vote vote = VoteOf(item);
    items_.push_back(std::move(item));
    votes_.push_back(vote);
    if (firstDecider_ < 0 && (vote == Vote::Small || vote == Vote::Big))
        firstDecider_ = ItemCount() - 1;
}

void ListViewStore::AddSubItem(std::int32_t index, std::wstring text, host::PictureRef smallIcon,
                               host::PictureRef bigIcon)
{
    if (index < 0 || index >= ItemCount())
        throw std::out_of_range("list view item index " + std::to_string(index) + " out of range");
    const auto i = static_cast<std::size_t>(index);
    // Only an item that has not voted yet can change its vote: its own icons
    // and its earlier sub-items came first in the scan.
    Vote& vote = votes_[i];
    if (vote == Vote::None) {
        if (smallIcon) {
            vote = Vote::Small;
            if (firstDecider_ < 0 || index < firstDecider_)
                firstDecider_ = index;
        } else if (bigIcon) {
            vote = Vote::BigMark;
            ++bigMarks_;
        }
    }
    items_[i].subItems.push_back({std::move(text), std::move(smallIcon), std::move(bigIcon)});
}

bool ListViewStore::RemoveItem(std::int32_t index)
{
    if (index < 0 || index >= ItemCount())
        return false;
    const auto i = static_cast<std::size_t>(index);
    if (votes_[i] == Vote::BigMark)
        --bigMarks_;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
    votes_.erase(votes_.begin() + static_cast<std::ptrdiff_t>(i));
    if (items_.empty()) {
        // An emptied list gives its storage back.
        ClearItems();
        return true;
    }
    if (index < firstDecider_) {
        --firstDecider_;
    } else if (index == firstDecider_) {
        // The next decider can only lie after the removed one; the search costs
        // no more than the erase just done.
        firstDecider_ = -1;
        for (std::size_t j = i; j < votes_.size(); ++j) {
            if (votes_[j] == Vote::Small || votes_[j] == Vote::Big) {
                firstDecider_ = static_cast<std::int32_t>(j);
                break;
            }
        }
    }
    return true;
}

void ListViewStore::Clear()
{
    std::vector<ListHeader>().swap(headers_);
    widthSum_ = 0;
    firstIconHeader_ = -1;
    ClearItems();
}

void ListViewStore::ClearItems()
{
    std::vector<ListItem>().swap(items_);
    std::vector<Vote>().swap(votes_);
    firstDecider_ = -1;
    bigMarks_ = 0;
}

void ListViewStore::SetHeaderWidth(std::int32_t column, std::int32_t width)
{
    auto& header = headers_.at(static_cast<std::size_t>(column));
    widthSum_ += static_cast<std::int64_t>(width) - header.width;
    header.width = width;
}

IconBand ListViewStore::HeaderBand() const
{
    if (firstIconHeader_ < 0)
        return IconBand::None;
    return headers_[static_cast<std::size_t>(firstIconHeader_)].smallIcon ? IconBand::Small : IconBand::Big;
}

IconBand ListViewStore::RowBand() const
{
    if (firstDecider_ >= 0)
        return votes_[static_cast<std::size_t>(firstDecider_)] == Vote::Small ? IconBand::Small : IconBand::Big;
    return bigMarks_ > 0 ? IconBand::Big : IconBand::None;
}

} // namespace tessara
