#include "tessara/kit/HookLists.h"

namespace kit {

void MessageList::Add(std::int32_t msg)
{
    if (msg == kAllMessages) {
        count_ = kAllMessages;
        return;
    }
    // Every message is already routed; a single one adds nothing. Zero marks
    // a free cell, so it cannot be listed.
    if (count_ == kAllMessages || msg == 0)
        return;
    // Already listed anywhere (also behind a free cell): nothing changes, so
    // the message is never listed twice.
    std::int32_t freeCell = -1;
    for (std::int32_t i = 0; i < count_; ++i) {
        const std::int32_t cell = cells_[static_cast<std::size_t>(i)];
        if (cell == msg)
            return;
        if (cell == 0 && freeCell < 0)
            freeCell = i;
    }
    if (freeCell >= 0) {
        cells_[static_cast<std::size_t>(freeCell)] = msg;
        return;
    }
    cells_.resize(static_cast<std::size_t>(count_));
    cells_.push_back(msg);
    ++count_;
}

void MessageList::Remove(std::int32_t msg)
{
    if (msg == kAllMessages) {
        count_ = 0;
        cells_.clear();
        return;
    }
    if (msg == 0)
        return;
    for (std::int32_t i = 0; i < count_; ++i) {
        if (cells_[static_cast<std::size_t>(i)] == msg)
            cells_[static_cast<std::size_t>(i)] = 0;
    }
}

bool MessageList::Matches(std::uint32_t msg) const
{
    if (count_ == kAllMessages)
        return true;
    const auto m = static_cast<std::int32_t>(msg);
    if (m == 0)
        return false;
    for (std::int32_t i = 0; i < count_; ++i) {
        if (cells_[static_cast<std::size_t>(i)] == m)
            return true;
    }
    return false;
}

void MessageList::Clear()
{
    count_ = 0;
    cells_.clear();
}

std::int32_t LowWordOf(std::int32_t lParam) { return lParam % 65536; }
std::int32_t HighWordOf(std::int32_t lParam) { return lParam / 65536; }

} // namespace kit
