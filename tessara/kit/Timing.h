// The controls' shared timers: the deferred layout of a burst of changes
// and the repaints that follow a dragged scroll-bar thumb.
#pragma once
#include "tessara/kit/Throttle.h"

#include "host/Timer.h"

#include <cstdint>
#include <functional>

namespace kit {

// A deferred action for bursts of changes: Note() marks a change, and the
// action runs once, about 100 ms after the last change of a burst. Noting a
// change only stores the time (and starts the timer when it is idle), so
// adding thousands of items costs no timer calls per item.
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

// Repaints for an embedded scroll bar's Change. Outside a thumb drag every
// change repaints at once; during one, repaints come at most every `gap`
// ms (only when live), and with `repaintAfterDrag` a 100 ms timer paints
// the final position once the thumb is let go.
class DragRepaint {
public:
    DragRepaint(std::function<void()> repaint, std::function<bool()> dragging, std::uint32_t gapMs,
                bool repaintAfterDrag);
    void Changed(bool live = true);
    void Stop() { afterDrag_.SetEnabled(false); }

private:
    void OnTick();

    std::function<void()> repaint_;
    std::function<bool()> dragging_;
    Throttle live_;
    bool repaintAfterDrag_;
    host::Timer afterDrag_{100, false};
};

} // namespace kit
