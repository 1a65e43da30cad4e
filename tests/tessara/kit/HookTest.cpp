// The window message hook on real windows: routing order around the
// previous procedure, the watch lists, detaching, and windows that die or
// get hooked again by someone else.
#include "tessara/kit/Hook.h"
// The mouse-leave test moves the real cursor: on a desktop of this program's own.
#include "tests/support/OwnDesktop.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using kit::HookAfter;
using kit::HookBefore;
using kit::HookBoth;
using kit::kAllMessages;

constexpr UINT kPing = WM_USER + 1;
constexpr UINT kPong = WM_USER + 2;
constexpr UINT kOther = WM_USER + 3;
constexpr LRESULT kPrevResult = 77;

std::vector<std::string> g_log;

std::string Name(UINT msg)
{
    switch (msg) {
    case kPing: return "ping";
    case kPong: return "pong";
    case kOther: return "other";
    default: return std::to_string(msg);
    }
}

// The window's own procedure: records what reaches it.
LRESULT CALLBACK BaseProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg >= WM_USER) {
        g_log.push_back("prev:" + Name(msg) + (wParam ? ":" + std::to_string(wParam) : ""));
        return kPrevResult;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND MakeWindow()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = BaseProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KitHookTestWindow";
        registered = ::RegisterClassW(&wc) != 0;
    }
    return ::CreateWindowExW(0, L"KitHookTestWindow", L"hooked", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80, nullptr,
                             nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

WNDPROC ProcOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)); }

// A control's handler: records each call; can answer a message itself,
// rewrite its wParam, or run extra work.
class Recorder : public kit::HookClient {
public:
    explicit Recorder(std::string tag = "") : tag_(std::move(tag)), hook(*this) {}
    void zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT& uMsg, WPARAM& wParam,
                        LPARAM& lParam) override
    {
        g_log.push_back(tag_ + (bBefore ? "before:" : "after:") + Name(uMsg) +
                        (bBefore ? "" : "=" + std::to_string(lReturn)));
        if (bBefore && uMsg == handleMsg) {
            bHandled = true;
            lReturn = 5;
        }
        if (bBefore && uMsg == rewriteMsg)
            wParam = 42;
        if (!bBefore && uMsg == kPing)
            lReturn += 1;
        if (extra)
            extra(bBefore, hWnd, uMsg);
    }
    UINT handleMsg = 0;
    UINT rewriteMsg = 0;
    std::function<void(bool, HWND, UINT)> extra;

private:
    std::string tag_;

public:
    kit::WindowHook hook;
};

class HookFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        hwnd = MakeWindow();
        ASSERT_NE(hwnd, nullptr);
        original = ProcOf(hwnd);
    }
    void TearDown() override
    {
        if (::IsWindow(hwnd))
            ::DestroyWindow(hwnd);
    }
    std::vector<std::string> Send(UINT msg, WPARAM wParam = 0)
    {
        g_log.clear();
        lastResult = ::SendMessageW(hwnd, msg, wParam, 0);
        return g_log;
    }
    HWND hwnd = nullptr;
    WNDPROC original = nullptr;
    LRESULT lastResult = 0;
};

using Log = std::vector<std::string>;

TEST_F(HookFixture, BeforeHandlerThenPreviousProcedureThenAfterHandler)
{
    Recorder r;
    ASSERT_EQ(r.hook.HookAttach(hwnd), 0);
    ASSERT_TRUE(r.hook.HookWatch(hwnd, kPing, HookBoth));
    ASSERT_TRUE(r.hook.HookWatch(hwnd, kPong, HookBefore));
    ASSERT_TRUE(r.hook.HookWatch(hwnd, kOther, HookAfter));
    EXPECT_EQ(Send(kPing), (Log{"before:ping", "prev:ping", "after:ping=77"}));
    EXPECT_EQ(lastResult, kPrevResult + 1);  // the after-handler may change the result
    EXPECT_EQ(Send(kPong), (Log{"before:pong", "prev:pong"}));
    EXPECT_EQ(lastResult, kPrevResult);
    EXPECT_EQ(Send(kOther), (Log{"prev:other", "after:other=77"}));
    EXPECT_EQ(Send(WM_USER + 9), (Log{"prev:" + std::to_string(WM_USER + 9)}));
}

TEST_F(HookFixture, HandledInTheBeforeHandlerSkipsThePreviousProcedure)
{
    Recorder r;
    r.handleMsg = kPing;
    r.hook.HookAttach(hwnd);
    r.hook.HookWatch(hwnd, kPing, HookBoth);
    EXPECT_EQ(Send(kPing), (Log{"before:ping"}));
    EXPECT_EQ(lastResult, 5);
}

TEST_F(HookFixture, BeforeHandlerCanRewriteTheParameters)
{
    Recorder r;
    r.rewriteMsg = kPing;
    r.hook.HookAttach(hwnd);
    r.hook.HookWatch(hwnd, kPing, HookBefore);
    EXPECT_EQ(Send(kPing, 1), (Log{"before:ping", "prev:ping:42"}));
}

TEST_F(HookFixture, MessageWatchedTwiceIsRoutedOnce)
{
    Recorder r;
    r.hook.HookAttach(hwnd);
    r.hook.HookWatch(hwnd, kPing, HookBefore);
    r.hook.HookWatch(hwnd, kPing, HookBefore);
    EXPECT_EQ(r.hook.BeforeList(hwnd)->count(), 1);
    EXPECT_EQ(Send(kPing), (Log{"before:ping", "prev:ping"}));
}

TEST_F(HookFixture, UnwatchOneKeepsTheOthersAndUnwatchAllStopsRoutingButNotThePreviousProcedure)
{
    Recorder r;
    r.hook.HookAttach(hwnd);
    for (UINT m : {kPing, kPong, kOther})
        r.hook.HookWatch(hwnd, m, HookBefore);
    r.hook.HookUnwatch(hwnd, kPong, HookBefore);
    EXPECT_EQ(Send(kPing), (Log{"before:ping", "prev:ping"}));
    EXPECT_EQ(Send(kPong), (Log{"prev:pong"}));
    EXPECT_EQ(Send(kOther), (Log{"before:other", "prev:other"}));
    r.hook.HookUnwatch(hwnd, kAllMessages, HookBefore);
    EXPECT_EQ(Send(kPing), (Log{"prev:ping"}));
    EXPECT_EQ(Send(kOther), (Log{"prev:other"}));
}

TEST_F(HookFixture, WatchingEveryMessage)
{
    Recorder r;
    r.hook.HookAttach(hwnd);
    r.hook.HookWatch(hwnd, kAllMessages, HookAfter);
    EXPECT_EQ(Send(kPong), (Log{"prev:pong", "after:pong=77"}));
    EXPECT_EQ(Send(WM_USER + 9), (Log{"prev:" + std::to_string(WM_USER + 9), "after:" + std::to_string(WM_USER + 9) + "=77"}));
}

TEST_F(HookFixture, DetachRestoresThePreviousProcedure)
{
    Recorder r;
    r.hook.HookAttach(hwnd);
    r.hook.HookWatch(hwnd, kPing, HookBoth);
    EXPECT_NE(ProcOf(hwnd), original);
    r.hook.HookDetach(hwnd);
    EXPECT_EQ(ProcOf(hwnd), original);
    EXPECT_FALSE(r.hook.IsHooked(hwnd));
    EXPECT_EQ(Send(kPing), (Log{"prev:ping"}));
    EXPECT_FALSE(r.hook.HookWatch(hwnd, kPing, HookBefore));  // no entry any more
}

TEST_F(HookFixture, TableReusesFreeEntriesAndDetachAllRestoresEveryWindow)
{
    HWND w2 = MakeWindow(), w3 = MakeWindow(), w4 = MakeWindow();
    Recorder r;
    EXPECT_EQ(r.hook.HookAttach(hwnd), 0);
    EXPECT_EQ(r.hook.HookAttach(w2), 1);
    EXPECT_EQ(r.hook.HookAttach(w3), 2);
    EXPECT_EQ(r.hook.HookAttach(w2), 1);  // already hooked: same entry
    r.hook.HookDetach(w2);
    EXPECT_EQ(r.hook.EntryWindow(1), nullptr);
    EXPECT_EQ(r.hook.HookAttach(w4), 1);
    EXPECT_EQ(r.hook.EntryCount(), 3);
    r.hook.HookDetachAll();
    for (HWND w : {hwnd, w3, w4})
        EXPECT_EQ(ProcOf(w), original);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(r.hook.EntryWindow(i), nullptr);
    for (HWND w : {w2, w3, w4})
        ::DestroyWindow(w);
}

TEST_F(HookFixture, HookingAMissingWindowFails)
{
    Recorder r;
    EXPECT_EQ(r.hook.HookAttach(nullptr), -1);
    HWND gone = MakeWindow();
    ::DestroyWindow(gone);
    EXPECT_EQ(r.hook.HookAttach(gone), -1);
    EXPECT_FALSE(r.hook.HookWatch(hwnd, kPing, HookBefore));
}

TEST_F(HookFixture, TwoHooksOnOneWindowNestAndDetachInAnyOrder)
{
    Recorder inner("in."), outer("out.");
    inner.hook.HookAttach(hwnd);
    inner.hook.HookWatch(hwnd, kPing, HookBoth);
    outer.hook.HookAttach(hwnd);
    outer.hook.HookWatch(hwnd, kPing, HookBoth);
    EXPECT_EQ(Send(kPing), (Log{"out.before:ping", "in.before:ping", "prev:ping", "in.after:ping=77",
                                "out.after:ping=78"}));
    inner.hook.HookDetach(hwnd);
    EXPECT_EQ(Send(kPing), (Log{"out.before:ping", "prev:ping", "out.after:ping=77"}));
    outer.hook.HookDetach(hwnd);
    EXPECT_EQ(ProcOf(hwnd), original);
    EXPECT_EQ(Send(kPing), (Log{"prev:ping"}));
}

// Somebody else's subclass on top of ours.
WNDPROC g_foreignPrev = nullptr;
LRESULT CALLBACK ForeignProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kPing)
        g_log.push_back("foreign:ping");
    return ::CallWindowProcW(g_foreignPrev, hwnd, msg, wParam, lParam);
}

TEST_F(HookFixture, DetachUnderSomeoneElsesSubclassKeepsTheirChainWorking)
{
    Recorder r;
    r.hook.HookAttach(hwnd);
    r.hook.HookWatch(hwnd, kPing, HookBefore);
    g_foreignPrev = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
    EXPECT_EQ(Send(kPing), (Log{"foreign:ping", "before:ping", "prev:ping"}));
    r.hook.HookDetach(hwnd);
    // Theirs stays installed and still reaches the window's own procedure.
    EXPECT_EQ(ProcOf(hwnd), &ForeignProc);
    EXPECT_EQ(Send(kPing), (Log{"foreign:ping", "prev:ping"}));
    // They unhook: what they restore passes everything on.
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_foreignPrev));
    EXPECT_EQ(Send(kPing), (Log{"prev:ping"}));
    ::DestroyWindow(hwnd);
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(HookFixture, DestroyingAHookedWindowClearsItsEntry)
{
    Recorder r;
    r.hook.HookAttach(hwnd);
    r.hook.HookWatch(hwnd, WM_DESTROY, HookBefore);
    g_log.clear();
    ::DestroyWindow(hwnd);
    EXPECT_EQ(g_log, (Log{"before:2"}));
    EXPECT_FALSE(r.hook.IsHooked(hwnd));
    EXPECT_EQ(r.hook.EntryWindow(0), nullptr);
    r.hook.HookDetachAll();  // nothing left to touch
    // A new window may get the same handle value; the old hook leaves it alone.
    HWND next = MakeWindow();
    EXPECT_EQ(ProcOf(next), original);
    r.hook.HookDetach(next);
    EXPECT_EQ(ProcOf(next), original);
    ::DestroyWindow(next);
}

// A subclass that keeps the end of the window to itself.
WNDPROC g_swallowPrev = nullptr;
LRESULT CALLBACK SwallowDestroyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCDESTROY || msg == WM_DESTROY)
        return 0;
    return ::CallWindowProcW(g_swallowPrev, hwnd, msg, wParam, lParam);
}

TEST_F(HookFixture, WindowThatDiedUnseenIsLetGoSafely)
{
    Recorder r;
    r.hook.HookAttach(hwnd);
    r.hook.HookWatch(hwnd, kPing, HookBefore);
    g_swallowPrev = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SwallowDestroyProc)));
    ::DestroyWindow(hwnd);
    ASSERT_FALSE(::IsWindow(hwnd));
    EXPECT_TRUE(r.hook.IsHooked(hwnd));  // nothing told the hook
    // Handles may be reused; whatever window has this one now is hooked
    // afresh, and letting go of the dead one touches no live window.
    HWND next = MakeWindow();
    EXPECT_GE(r.hook.HookAttach(next), 0);
    r.hook.HookWatch(next, kPing, HookBefore);
    g_log.clear();
    ::SendMessageW(next, kPing, 0, 0);
    EXPECT_EQ(g_log, (Log{"before:ping", "prev:ping"}));
    r.hook.HookDetach(hwnd);
    r.hook.HookDetachAll();
    EXPECT_EQ(ProcOf(next), original);
    ::DestroyWindow(next);
}

TEST_F(HookFixture, HandlerMayDestroyItsWindowOrDetachMidMessage)
{
    Recorder r;
    r.hook.HookAttach(hwnd);
    r.hook.HookWatch(hwnd, kPing, HookBoth);
    r.hook.HookWatch(hwnd, kPong, HookBoth);
    r.extra = [&](bool before, HWND w, UINT msg) {
        if (before && msg == kPong)
            r.hook.HookDetach(w);
        if (before && msg == kPing)
            ::DestroyWindow(w);
    };
    // Detached inside its own before-handler: no after-handler, procedure back.
    EXPECT_EQ(Send(kPong), (Log{"before:pong", "prev:pong"}));
    EXPECT_EQ(ProcOf(hwnd), original);
    r.hook.HookAttach(hwnd);
    r.hook.HookWatch(hwnd, kPing, HookBefore);
    g_log.clear();
    ::SendMessageW(hwnd, kPing, 0, 0);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_FALSE(r.hook.IsHooked(hwnd));
}

TEST_F(HookFixture, NestedMessagesFromAHandlerAreRoutedToo)
{
    Recorder r;
    r.hook.HookAttach(hwnd);
    r.hook.HookWatch(hwnd, kPing, HookBefore);
    r.hook.HookWatch(hwnd, kPong, HookBefore);
    r.extra = [&](bool before, HWND w, UINT msg) {
        if (before && msg == kPing)
            ::SendMessageW(w, kPong, 0, 0);
    };
    EXPECT_EQ(Send(kPing), (Log{"before:ping", "before:pong", "prev:pong", "prev:ping"}));
}

TEST_F(HookFixture, DestroyingTheControlDetaches)
{
    {
        Recorder r;
        r.hook.HookAttach(hwnd);
        r.hook.HookWatch(hwnd, kPing, HookBefore);
    }
    EXPECT_EQ(ProcOf(hwnd), original);
    EXPECT_EQ(Send(kPing), (Log{"prev:ping"}));
}

TEST_F(HookFixture, RequestMouseLeaveDeliversOneLeaveMessage)
{
    Recorder r;
    r.hook.HookAttach(hwnd);
    r.hook.HookWatch(hwnd, WM_MOUSELEAVE, HookBefore);
    ::SetWindowPos(hwnd, HWND_TOPMOST, 10, 10, 100, 80, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    RECT rc;
    ::GetWindowRect(hwnd, &rc);
    ::SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    g_log.clear();
    EXPECT_TRUE(kit::RequestMouseLeave(hwnd));
    // The mouse moves off the window.
    ::SetCursorPos(rc.right + 300, rc.bottom + 300);
    MSG m;
    const DWORD until = ::GetTickCount() + 500;
    while (::GetTickCount() < until && g_log.empty()) {
        while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&m);
        ::Sleep(5);
    }
    EXPECT_EQ(g_log, (Log{"before:" + std::to_string(WM_MOUSELEAVE)}));
}

} // namespace
