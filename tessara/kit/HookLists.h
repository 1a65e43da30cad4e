// Message lists of the window hook and the mouse-coordinate helpers. No
// Windows header: the list rules are tested natively.
#pragma once
#include <cstdint>
#include <vector>

namespace kit {

// When a watched message reaches the control's handler.
enum HookPhase : int {
    HookAfter = 1,   // after the window's previous procedure
    HookBefore = 2,  // before it
    HookBoth = 3,
};

// Watch/unwatch argument meaning every message.
constexpr std::int32_t kAllMessages = -1;

// The messages routed to a handler in one phase. A count of -1 routes every
// message; a removed message leaves a free cell (0) that the next added
// message takes before the list grows.
class MessageList {
public:
    void Add(std::int32_t msg);
    void Remove(std::int32_t msg);
    bool Matches(std::uint32_t msg) const;
    void Clear();

    std::int32_t count() const { return count_; }
    const std::vector<std::int32_t>& cells() const { return cells_; }

private:
    std::int32_t count_ = 0;
    std::vector<std::int32_t> cells_;
};

// The x and y of a mouse message: the signed remainder of lParam by 65536
// and lParam divided by 65536 truncated toward zero. True coordinates
// whenever both are non-negative.
std::int32_t LowWordOf(std::int32_t lParam);
std::int32_t HighWordOf(std::int32_t lParam);

} // namespace kit
