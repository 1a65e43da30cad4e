#include "tessara/kit/Timing.h"

#include <windows.h>

namespace kit {

namespace {
// Timer ticks are not exact: an action due within this many ms runs now
// instead of re-arming the timer for a moment.
constexpr std::uint32_t kSlack = 10;
} // namespace

BurstTimer::BurstTimer(std::function<void()> action, int delayMs)
    : action_(std::move(action)), delay_(delayMs), timer_(delayMs, false)
{
    timer_.Tick.connect([this] { OnTick(); });
}

void BurstTimer::Note()
{
    last_ = GetTickCount();
    if (!timer_.Enabled()) {
        timer_.SetInterval(delay_);
        timer_.SetEnabled(true);
    }
}

void BurstTimer::Stop()
{
    timer_.SetEnabled(false);
}

void BurstTimer::OnTick()
{
    std::uint32_t quiet = GetTickCount() - last_;
    if (quiet + kSlack < static_cast<std::uint32_t>(delay_)) {
        // The burst went on: wait for the rest of the delay after its last change.
        timer_.SetInterval(static_cast<int>(delay_ - quiet));
        return;
    }
    timer_.SetEnabled(false);
    action_();
}

DragRepaint::DragRepaint(std::function<void()> repaint, std::function<bool()> dragging, std::uint32_t gapMs,
                         bool repaintAfterDrag)
    : repaint_(std::move(repaint)), dragging_(std::move(dragging)), live_(gapMs), repaintAfterDrag_(repaintAfterDrag)
{
    afterDrag_.Tick.connect([this] { OnTick(); });
}

void DragRepaint::Changed(bool live)
{
    if (!dragging_()) {
        repaint_();
        return;
    }
    if (repaintAfterDrag_)
        afterDrag_.SetEnabled(true);
    if (live && live_.Allow(GetTickCount()))
        repaint_();
}

void DragRepaint::OnTick()
{
    if (dragging_())
        return;
    afterDrag_.SetEnabled(false);
    repaint_();
}

} // namespace kit
