// The controls' time throttles: mouse moves and live repaints come at most
// once per gap. No Windows header: the rules are tested natively.
#pragma once
#include <cstdint>

namespace kit {

// True when at least minGap milliseconds passed since *lastTick (tick
// counts wrap, so the difference is taken unsigned); the new tick is then
// stored.
inline bool TickElapsed(std::uint32_t now, std::uint32_t& lastTick, std::uint32_t minGap)
{
    if (now - lastTick < minGap)
        return false;
    lastTick = now;
    return true;
}

// Mouse moves closer together than this are dropped, per control.
constexpr std::uint32_t kMouseMoveInterval = 30;

// Lets through the first call, then only calls at least `gap` ms after the
// last one let through.
class Throttle {
public:
    explicit constexpr Throttle(std::uint32_t gapMs = kMouseMoveInterval) : gap_(gapMs) {}
    bool Allow(std::uint32_t nowMs) { return TickElapsed(nowMs, last_, gap_); }

private:
    std::uint32_t gap_;
    std::uint32_t last_ = 0;
};

} // namespace kit
