// Interval timers on one hidden message window of the UI thread.
//
// Restarting a period (disable then enable, or a new interval) only notes
// the time: the platform timer keeps running, and when it fires early for
// the new period it is re-armed for the rest. A burst of restarts thus
// costs no system call per restart.
#include "Timer.h"

#include <windows.h>

#include <map>

namespace host {

namespace {

std::map<unsigned, Timer*>& Timers()
{
    static std::map<unsigned, Timer*> timers;
    return timers;
}

LRESULT CALLBACK SinkProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_TIMER) {
        auto it = Timers().find(static_cast<unsigned>(wp));
        if (it != Timers().end())
            it->second->Fire();
        return 0;
    }
    return DefWindowProcW(h, msg, wp, lp);
}

HWND SinkWindow()
{
    static HWND sink = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = SinkProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"HostTimerSink";
        RegisterClassW(&wc);
        return CreateWindowExW(0, L"HostTimerSink", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }();
    return sink;
}

unsigned g_nextId = 1;

// Milliseconds from a fine clock (the tick count can step by 16 ms).
std::uint32_t NowMs()
{
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<std::uint32_t>(c.QuadPart * 1000 / freq.QuadPart);
}

} // namespace

Timer::Timer() = default;

Timer::Timer(int intervalMs, bool enabled)
{
    SetInterval(intervalMs);
    SetEnabled(enabled);
}

Timer::~Timer() { Disarm(); }

void Timer::SetInterval(int ms)
{
    if (ms < 0)
        ms = 0;
    interval_ = ms;
    if (!enabled_)
        return;
    if (interval_ == 0) {
        Disarm();
        return;
    }
    periodStart_ = NowMs();
    Arm(static_cast<unsigned>(interval_));  // a new interval may be shorter: arm anew
}

void Timer::SetEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    if (!on)
        return;  // the platform timer may keep running; Fire ignores it
    periodStart_ = NowMs();
    if (interval_ > 0 && id_ == 0)
        Arm(static_cast<unsigned>(interval_));
}

void Timer::Arm(unsigned delayMs)
{
    if (id_ == 0) {
        id_ = g_nextId++;
        if (g_nextId == 0)
            g_nextId = 1;
        Timers()[id_] = this;
    }
    armed_ = delayMs ? delayMs : 1;
    SetTimer(SinkWindow(), id_, armed_, nullptr);
}

void Timer::Disarm()
{
    if (id_ == 0)
        return;
    KillTimer(SinkWindow(), id_);
    Timers().erase(id_);
    id_ = 0;
}

void Timer::Fire()
{
    if (!enabled_ || interval_ == 0) {
        Disarm();
        return;
    }
    std::uint32_t now = NowMs();
    std::uint32_t elapsed = now - periodStart_;
    if (elapsed + 1 < static_cast<std::uint32_t>(interval_)) {
        // Restarted since the platform timer was set: wait out the rest.
        Arm(static_cast<unsigned>(interval_) - elapsed);
        return;
    }
    periodStart_ = now;
    if (armed_ != static_cast<unsigned>(interval_))
        Arm(static_cast<unsigned>(interval_));
    Tick.raise();  // last: a handler may destroy this timer
}

} // namespace host
