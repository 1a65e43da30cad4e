// Interval timer that ticks on the user-interface thread. Usable on its
// own inside a control (no form needed) or placed on a form.
#pragma once
#include "Event.h"

#include <cstdint>

namespace host {

class Timer {
public:
    // A timer made in code starts disabled with interval 0 (never ticks).
    // In stored form data ("Begin Timer1 : Timer") its keys are Interval
    // and Enabled, which defaults to True there.
    Timer();
    Timer(int intervalMs, bool enabled);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int Interval() const { return interval_; }
    // Changing the interval of a running timer restarts its period.
    void SetInterval(int ms);
    bool Enabled() const { return enabled_; }
    // Disabling and enabling again restarts the period from now; enabling
    // a timer that already runs changes nothing.
    void SetEnabled(bool on);

    // Raised every Interval() ms while enabled, from the message loop.
    Event<> Tick;

    // Used by the platform layer.
    void Fire();
    unsigned id() const { return id_; }

private:
    void Arm(unsigned delayMs);
    void Disarm();
    int interval_ = 0;
    bool enabled_ = false;
    unsigned id_ = 0;               // platform timer id, 0 when none runs
    unsigned armed_ = 0;            // the platform timer's current period
    std::uint32_t periodStart_ = 0; // clock (ms) when the running period began
};

} // namespace host
