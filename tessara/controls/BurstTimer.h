// A deferred action for bursts of changes: Note() marks a change, and the
// action runs once, about 100 ms after the last change of a burst. Noting a
// change only stores the time (and starts the timer when it is idle), so
// adding thousands of items costs no timer calls per item.
#pragma once
#include "host/Timer.h"

#include <cstdint>
#include <functional>

namespace tessara {

class BurstTimer {
public:
    explicit BurstTimer(std::function<void()> action, int delayMs = 100);
    void Note();
    // Cancels a pending action.
    void Stop();
    bool Pending() const { return timer_.Enabled(); }

private:
    void OnTick();

    std::function<void()> action_;
    int delay_;
    host::Timer timer_;
    std::uint32_t last_ = 0;
};

} // namespace tessara
