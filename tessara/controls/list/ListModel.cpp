#include "tessara/controls/list/ListModel.h"

#include "tessara/controls/scroll/ScrollArithmetic.h"

#include <algorithm>
#include <utility>

namespace tessara {

// ------------------------------------------------------------------ items

void ListItems::Reallocate(std::size_t capacity)
{
    const std::size_t tail = spans_.size() - gapEnd_;
    std::vector<Span> next(capacity);
    std::copy(spans_.begin(), spans_.begin() + static_cast<std::ptrdiff_t>(gapStart_), next.begin());
    std::copy(spans_.begin() + static_cast<std::ptrdiff_t>(gapEnd_), spans_.end(),
              next.end() - static_cast<std::ptrdiff_t>(tail));
    spans_ = std::move(next);
    gapEnd_ = capacity - tail;
}

void ListItems::MoveGapTo(std::size_t i)
{
    const auto at = [this](std::size_t k) { return spans_.begin() + static_cast<std::ptrdiff_t>(k); };
    if (i < gapStart_) {
        // Items i .. gapStart-1 move to just before the gap's end.
        const std::size_t n = gapStart_ - i;
        std::copy_backward(at(i), at(gapStart_), at(gapEnd_));
        gapStart_ = i;
        gapEnd_ -= n;
    } else if (i > gapStart_) {
        const std::size_t n = i - gapStart_;
        std::copy(at(gapEnd_), at(gapEnd_ + n), at(gapStart_));
        gapStart_ = i;
        gapEnd_ += n;
    }
}

void ListItems::push_back(std::wstring_view text)
{
    MoveGapTo(size());
    if (gapStart_ == gapEnd_)
        Reallocate(std::max<std::size_t>(16, spans_.size() * 2));
    spans_[gapStart_++] = Span{static_cast<std::uint32_t>(arena_.size()), static_cast<std::uint32_t>(text.size())};
    arena_.insert(arena_.end(), text.begin(), text.end());
}

void ListItems::erase(std::size_t i)
{
    MoveGapTo(i);
    garbage_ += spans_[gapEnd_++].length;
    if (garbage_ > 4096 && garbage_ * 2 > arena_.size())
        Compact();
    // Give span storage back once the list has shrunk to a quarter.
    if (spans_.size() > 64 && size() * 4 < spans_.size())
        Reallocate(spans_.size() / 2);
}

void ListItems::Compact()
{
    std::vector<wchar_t> kept;
    kept.reserve(arena_.size() - garbage_);
    auto keep = [&](Span& s) {
        const std::uint32_t offset = static_cast<std::uint32_t>(kept.size());
        kept.insert(kept.end(), arena_.begin() + s.offset, arena_.begin() + s.offset + s.length);
        s.offset = offset;
    };
    for (std::size_t k = 0; k < gapStart_; ++k)
        keep(spans_[k]);
    for (std::size_t k = gapEnd_; k < spans_.size(); ++k)
        keep(spans_[k]);
    arena_ = std::move(kept);
    garbage_ = 0;
}

void ListItems::clear()
{
    std::vector<Span>().swap(spans_);
    std::vector<wchar_t>().swap(arena_);
    gapStart_ = gapEnd_ = 0;
    garbage_ = 0;
}

std::wstring_view ListModel::List(int index) const
{
    if (index < 0 || index >= ListCount())
        return {};
    return items_[static_cast<std::size_t>(index)];
}

bool ListModel::AddItem(std::wstring_view text)
{
    if (ListCount() >= kListMaxItems)
        return false;
    items_.push_back(text);
    return true;
}

bool ListModel::RemoveItem(int index, bool scrollVisible, std::int32_t scrollValue)
{
    if (index < 0 || index >= ListCount())
        return false;
    items_.erase(static_cast<std::size_t>(index));
    if (items_.empty()) {
        items_.clear();
        return true;
    }
    if (scrollVisible)
        scrollAdjust_ = std::max(scrollAdjust_ - 1, -scrollValue);
    if (listIndex_ > ListCount() - 1)
        listIndex_ = ListCount() - 1;
    return true;
}

void ListModel::Clear()
{
    items_.clear();
    hoverIndex_ = -1;
    marqueeOffset_ = 0;
}

// ------------------------------------------------------------- properties

bool ListModel::SetItemHeight(int v, int fontHeight)
{
    if (v < fontHeight || v < 1)
        return false;
    itemHeight_ = std::min(v, kListMaxItemHeight);
    return true;
}

bool ListModel::FitItemHeight(int fontHeight)
{
    const int height = std::min(fontHeight, kListMaxItemHeight);
    if (itemHeight_ >= height)
        return false;
    itemHeight_ = height;
    return true;
}

bool ListModel::SetPageCount(int v)
{
    if (v <= 0)
        return false;
    pageCount_ = (v < 4 && ListCount() > v) ? 4 : std::min(v, kListMaxPageCount);
    return true;
}

void ListModel::InitListHeight(int rows)
{
    // At least one row, so the list never collapses to its frame.
    pageCount_ = items_.empty() ? 1 : std::max(1, std::min({rows, ListCount(), kListMaxPageCount}));
}

bool ListModel::SetListIndex(int v)
{
    if (v < -1 || v > ListCount() - 1)
        return false;
    listIndex_ = v;
    return true;
}

bool ListModel::SetScrollMode(int v)
{
    if (v < 0 || v > 2)
        return false;
    scrollMode_ = v;
    return true;
}

bool ListModel::SetHover(int index)
{
    if (index == hoverIndex_)
        return false;
    hoverIndex_ = index;
    marqueeOffset_ = 0;
    return true;
}

// ----------------------------------------------------------------- layout

std::optional<ListFirstLayout> ListModel::FirstLayout(int width, int height)
{
    if (pageCount_ != 0)
        return std::nullopt;
    ListFirstLayout out;
    out.width = width - 25 < itemHeight_ ? itemHeight_ + 25 : width;
    const int h = height - 2 * kListInset;
    pageCount_ = h < itemHeight_ ? 1 : std::min(h / itemHeight_ + (h % itemHeight_ != 0 ? 1 : 0), kListMaxPageCount);
    out.height = itemHeight_ * pageCount_ + 2 * kListInset;
    out.scroll = kit::SizedRect(out.width - kListScrollRight, kListInset, kListScrollWidth, out.height - 2 * kListInset);
    return out;
}

ListLayout ListModel::DeferredLayout(int width, std::int32_t scrollValue)
{
    ListLayout out;
    out.height = itemHeight_ * pageCount_ + 2 * kListInset;
    if (items_.empty())
        listIndex_ = -1;
    if (ListCount() > pageCount_) {
        out.scrollVisible = true;
        out.scroll = kit::SizedRect(width - kListScrollRight, kListInset, kListScrollWidth, out.height - 2 * kListInset);
        out.thumbLength = ThumbLength(out.height - 42, pageCount_, ListCount());
        out.maxV = ListCount() - pageCount_;
        // The pending adjustment is applied within the new range, so a
        // shrunken list (also one cleared and filled again) never leaves
        // the view below its last row.
        const std::int64_t v = static_cast<std::int64_t>(scrollValue) + scrollAdjust_;
        out.value = static_cast<std::int32_t>(std::clamp<std::int64_t>(v, 0, out.maxV));
    } else {
        // Hidden scroll bar: the view starts at the first row again.
        out.value = 0;
    }
    scrollAdjust_ = 0;
    return out;
}

// --------------------------------------------------------------- geometry

int ListModel::ItemAt(int x, int y, int width, std::int32_t scrollValue) const
{
    if (items_.empty())
        return -1;
    // The right 22 pixels never hit an item, scroll bar or not.
    if (x < 4 || x >= width - 22 || y < 4 || y >= itemHeight_ * pageCount_ + kListInset)
        return -1;
    const std::int64_t index = static_cast<std::int64_t>(scrollValue) + (y - kListInset) / itemHeight_;
    if (index < 0 || index > ListCount() - 1)
        return -1;
    return static_cast<int>(index);
}

int ListModel::AvailableTextWidth(int width, bool scrollVisible)
{
    return scrollVisible ? width - 20 - 10 : width - 10;
}

std::optional<std::int32_t> ListModel::WheelTarget(int delta, std::int32_t value, std::int32_t maxV) const
{
    if (items_.empty() || pageCount_ >= ListCount())
        return std::nullopt;
    return tessara::WheelTarget(value, maxV, delta);
}

// ---------------------------------------------------------------- marquee

bool ListModel::MarqueeStep(int textWidth, int avail, int gap)
{
    switch (scrollMode_) {
    case 1: {
        // Swing between the start and the end of the text.
        const int overflow = textWidth - avail;
        if (marqueeOffset_ <= 0)
            marqueeForward_ = true;
        else if (marqueeOffset_ >= overflow)
            marqueeForward_ = false;
        marqueeOffset_ += marqueeForward_ ? 1 : -1;
        return true;
    }
    case 2:
        // One pass until the second copy stands where the first began.
        if (marqueeOffset_ >= textWidth + gap) {
            marqueeOffset_ = 0;
            return false;
        }
        ++marqueeOffset_;
        return true;
    default:
        // One pass that moves the text fully out, then it snaps back.
        if (marqueeOffset_ >= textWidth) {
            marqueeOffset_ = 0;
            return false;
        }
        ++marqueeOffset_;
        return true;
    }
}

std::wstring ListModel::MarqueeText(std::wstring_view text) const
{
    std::wstring out(text);
    if (scrollMode_ == 2) {
        out.append(kListMarqueeSpaces, L' ');
        out.append(text);
    }
    return out;
}

// --------------------------------------------------------------- painting

std::vector<ListRow> ListModel::VisibleRows(int width, bool scrollVisible, std::int32_t scrollValue,
                                            bool marqueeRunning) const
{
    std::vector<ListRow> rows;
    if (items_.empty() || pageCount_ <= 0)
        return rows;
    const std::int64_t first = std::max<std::int32_t>(scrollValue, 0);
    const std::int64_t last = std::min<std::int64_t>(first + pageCount_ - 1, ListCount() - 1);
    const int right = scrollVisible ? width - 23 : width - 3;
    for (std::int64_t j = first; j <= last; ++j) {
        const int r = static_cast<int>(j - first);
        ListRow row;
        row.index = static_cast<int>(j);
        row.left = kListInset;
        row.top = kListInset + r * itemHeight_;
        row.right = right;
        row.bottom = kListInset + (r + 1) * itemHeight_;
        if (row.index == listIndex_)
            row.look = RowLook::Selected;
        else if (row.index == hoverIndex_)
            row.look = RowLook::Hovered;
        else
            row.look = r % 2 == 0 ? RowLook::Even : RowLook::Odd;
        row.textLeft = row.left + 2;
        row.textRight = row.right - 2;
        if (row.look == RowLook::Hovered && marqueeRunning) {
            row.textLeft -= marqueeOffset_;
            row.marquee = true;
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace tessara
