// Interval timers: they tick on this thread from the message loop, stop
// when disabled, and disabling then enabling starts a fresh interval.
#include "HostTestSupport.h"

#include <gtest/gtest.h>

using namespace hosttest;

namespace {

DWORD Now() { return GetTickCount(); }

TEST(Timer, TicksOnTheUserInterfaceThreadWithoutAForm)
{
    host::Timer t;
    EXPECT_FALSE(t.Enabled());
    int ticks = 0;
    DWORD thread = 0;
    t.Tick.connect([&] {
        ++ticks;
        thread = GetCurrentThreadId();
    });
    t.SetInterval(20);
    t.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }, 3000));
    EXPECT_EQ(thread, GetCurrentThreadId());
    t.SetEnabled(false);
    int stopped = ticks;
    PumpUntil([] { return false; }, 80);
    EXPECT_EQ(ticks, stopped);
}

TEST(Timer, ZeroIntervalNeverTicks)
{
    host::Timer t(0, true);
    int ticks = 0;
    t.Tick.connect([&] { ++ticks; });
    PumpUntil([] { return false; }, 60);
    EXPECT_EQ(ticks, 0);
}

TEST(Timer, DisablingAndEnablingRestartsTheInterval)
{
    host::Timer t(1000, true);
    DWORD start = Now();
    DWORD tickAt = 0;
    t.Tick.connect([&] {
        if (!tickAt)
            tickAt = Now();
    });
    // Restart again and again well inside the interval: no tick may come
    // until a whole interval after the restart before it. The interval is
    // long so that a busy machine pausing this loop cannot let it run out.
    DWORD lastRestart = start;
    while (Now() - start < 250) {
        PumpUntil([] { return false; }, 30);
        if (tickAt)
            break;
        t.SetEnabled(false);
        t.SetEnabled(true);
        lastRestart = Now();
    }
    ASSERT_TRUE(PumpUntil([&] { return tickAt != 0; }, 5000));
    EXPECT_GE(tickAt - lastRestart, 995u) << "ticked before a whole interval after a restart";  // never early; 5 ms for clock steps
}

TEST(Timer, EnablingARunningTimerKeepsItsPeriod)
{
    // A period of 3 s, enabled again 2 s into it. Kept, it ticks 1 s after
    // that; restarted, not before 3 s. The tick is waited for, so a busy
    // machine has 2 s of room before a late tick could look like a restart.
    for (int attempt = 0; attempt < 3; ++attempt) {
        host::Timer t(3000, true);
        DWORD tickAt = 0;
        t.Tick.connect([&] {
            if (!tickAt)
                tickAt = Now();
        });
        PumpUntil([] { return false; }, 2000);
        if (tickAt)
            continue;  // the machine stalled for a whole period: try again
        const DWORD enabledAt = Now();
        t.SetEnabled(true);  // already enabled: no restart
        ASSERT_TRUE(PumpUntil([&] { return tickAt != 0; }, 10000));
        EXPECT_LT(tickAt - enabledAt, 2995u) << "enabling a running timer restarted its period";
        return;
    }
    GTEST_SKIP() << "the machine stalled for a whole period three times: the period could not be observed";
}

TEST(Timer, ANewIntervalStartsAFreshPeriod)
{
    // From a period of 10 s to one of 40 ms: the first tick comes no
    // earlier than 40 ms after the change, and long before the old period
    // would have ended (10 s leaves room for any busy machine).
    host::Timer t(10000, true);
    DWORD tickAt = 0;
    t.Tick.connect([&] { tickAt = Now(); });
    PumpUntil([] { return false; }, 30);
    DWORD changed = Now();
    t.SetInterval(40);
    ASSERT_TRUE(PumpUntil([&] { return tickAt != 0; }, 9000)) << "the new interval did not apply";
    EXPECT_GE(tickAt - changed, 35u);
}

TEST(Timer, AHandlerMayDestroyItsTimer)
{
    auto t = std::make_unique<host::Timer>(10, true);
    bool ran = false;
    t->Tick.connect([&] {
        ran = true;
        t.reset();
    });
    ASSERT_TRUE(PumpUntil([&] { return ran; }, 3000));
    EXPECT_EQ(t, nullptr);
    PumpUntil([] { return false; }, 40);  // no stale tick reaches the dead timer
}

TEST(Timer, FormTimersAreFoundByName)
{
    host::Form f(L"frmMain");
    auto& t = f.AddTimer(L"Timer1", 50, true);
    EXPECT_EQ(&f.Control<host::Timer>(L"timer1"), &t);
    EXPECT_EQ(f.FindTimer(L"Timer2"), nullptr);
    f.Unload();
}

} // namespace
