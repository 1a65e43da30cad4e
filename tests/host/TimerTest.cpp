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
    host::Timer t(100, true);
    DWORD start = Now();
    DWORD tickAt = 0;
    t.Tick.connect([&] {
        if (!tickAt)
            tickAt = Now();
    });
    // Restart again and again well inside the interval: no tick may come
    // until a whole interval after the last restart.
    DWORD lastRestart = start;
    while (Now() - start < 250) {
        PumpUntil([] { return false; }, 30);
        t.SetEnabled(false);
        t.SetEnabled(true);
        lastRestart = Now();
    }
    EXPECT_EQ(tickAt, 0u) << "ticked while being restarted";
    ASSERT_TRUE(PumpUntil([&] { return tickAt != 0; }, 3000));
    EXPECT_GE(tickAt - lastRestart, 95u);  // a timer never fires early; 5 ms for clock steps
}

TEST(Timer, EnablingARunningTimerKeepsItsPeriod)
{
    host::Timer t(60, true);
    DWORD start = Now();
    DWORD tickAt = 0;
    t.Tick.connect([&] {
        if (!tickAt)
            tickAt = Now();
    });
    PumpUntil([] { return false; }, 40);
    t.SetEnabled(true);  // already enabled: no restart
    ASSERT_TRUE(PumpUntil([&] { return tickAt != 0; }, 3000));
    // The first tick belongs to the first period; had enabling restarted
    // it, the tick would come 100 ms after the start or later.
    EXPECT_LT(tickAt - start, 100u);
}

TEST(Timer, ANewIntervalStartsAFreshPeriod)
{
    host::Timer t(1000, true);
    DWORD tickAt = 0;
    t.Tick.connect([&] { tickAt = Now(); });
    PumpUntil([] { return false; }, 30);
    DWORD changed = Now();
    t.SetInterval(40);
    ASSERT_TRUE(PumpUntil([&] { return tickAt != 0; }, 3000));
    EXPECT_GE(tickAt - changed, 35u);
    EXPECT_LT(tickAt - changed, 1000u);
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
