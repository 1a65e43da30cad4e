// Helpers for the scroll family's window tests: the painted frame of a
// hooked control, the mouse as a user moves it, and event journals.
#pragma once
#include "tests/host/HostTestSupport.h"
// Other programs' forms would take the activation and the focus from ours,
// which ends a press or closes a dropped list as it should for a user.
#include "tests/support/OwnDesktop.h"

#include "host/Host.h"
#include "tessara/controls/scroll/ScrollBar.h"
#include "tessara/kit/MdlCreateLogFont.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scrolltest {

using hosttest::At;
using hosttest::PumpUntil;

// The window's next frame: it is invalidated and painted through its own
// WM_PAINT (the hooked paint cycle), then read back from the window's DC.
class Frame {
public:
    explicit Frame(HWND h) : h_(h)
    {
        ::InvalidateRect(h_, nullptr, FALSE);
        ::UpdateWindow(h_);
        dc_ = ::GetDC(h_);
    }
    ~Frame() { ::ReleaseDC(h_, dc_); }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;
    COLORREF operator()(int x, int y) const { return ::GetPixel(dc_, x, y); }

private:
    HWND h_;
    HDC dc_ = nullptr;
};

// Width in pixels from the first to the last dark pixel of the band: how
// wide a text drawn there came out.
template <class Pixels>
int InkSpan(const Pixels& f, RECT band)
{
    int left = -1, right = -1;
    for (int x = band.left; x < band.right; ++x)
        for (int y = band.top; y < band.bottom; ++y) {
            const COLORREF c = f(x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128) {
                if (left < 0)
                    left = x;
                right = x;
                break;
            }
        }
    return left < 0 ? 0 : right - left + 1;
}

// The width of a text in a control's font, every character counted.
inline int TextExtent(const host::Font& font, const std::wstring& text)
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    HFONT f = kit::CreateFontFromStdFont(font);
    HGDIOBJ old = ::SelectObject(dc, f);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::DeleteObject(f);
    ::DeleteDC(dc);
    return size.cx;
}

// The window's client as it shows now, read back with one block copy after
// the paint it has asked for (if any) ran. Unlike Frame nothing here asks
// for a new frame, so it tells whether the control repainted by itself.
class Shown {
public:
    explicit Shown(HWND h)
    {
        ::UpdateWindow(h);
        RECT r{};
        ::GetClientRect(h, &r);
        w_ = r.right;
        h_ = r.bottom;
        HDC dc = ::GetDC(h);
        HDC mem = ::CreateCompatibleDC(dc);
        HBITMAP bmp = ::CreateCompatibleBitmap(dc, w_ > 0 ? w_ : 1, h_ > 0 ? h_ : 1);
        HGDIOBJ old = ::SelectObject(mem, bmp);
        ::BitBlt(mem, 0, 0, w_, h_, dc, 0, 0, SRCCOPY);
        px_.resize(static_cast<std::size_t>(w_) * h_);
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                px_[static_cast<std::size_t>(y) * w_ + x] = ::GetPixel(mem, x, y);
        ::SelectObject(mem, old);
        ::DeleteObject(bmp);
        ::DeleteDC(mem);
        ::ReleaseDC(h, dc);
    }
    COLORREF operator()(int x, int y) const { return px_[static_cast<std::size_t>(y) * w_ + x]; }
    // Pixels that differ from another reading inside [0, right) x [0, bottom).
    int Differences(const Shown& o, int right, int bottom) const
    {
        int n = 0;
        for (int y = 0; y < bottom && y < h_; ++y)
            for (int x = 0; x < right && x < w_; ++x)
                n += (*this)(x, y) != o(x, y);
        return n;
    }

private:
    int w_ = 0, h_ = 0;
    std::vector<COLORREF> px_;
};

// Runs pending messages for about ms milliseconds.
inline void Pump(int ms)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < static_cast<DWORD>(ms)) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        host::DoEvents();
    }
}

// Runs pending messages until a timer of the given interval, started now,
// has ticked the given number of times: for checks that something does not
// happen while a control's own timer of that interval runs.
inline void PumpTicks(int ticks, int intervalMs)
{
    host::Timer t(intervalMs, true);
    int seen = 0;
    t.Tick.connect([&] { ++seen; });
    hosttest::PumpUntil([&] { return seen >= ticks; }, 60000);
}

// The tests' own mouse: the controls read it instead of the system cursor,
// which other programs of the Wine session may move at any time.
class TestMouse {
public:
    TestMouse() { tessara::SetCursorReader(&Read); }
    ~TestMouse() { tessara::SetCursorReader(nullptr); }
    TestMouse(const TestMouse&) = delete;
    TestMouse& operator=(const TestMouse&) = delete;
    static POINT& At()
    {
        static POINT screen{};
        return screen;
    }

private:
    static POINT Read() { return At(); }
};

// Puts the tests' mouse at a client point of the window.
inline void PlaceCursor(HWND h, int x, int y)
{
    POINT pt{x, y};
    ::ClientToScreen(h, &pt);
    TestMouse::At() = pt;
}

// Waits until the tick count that the controls' move throttle reads has
// moved 31 ms on from now, so a move that comes after passes the throttle
// whatever came before (the last move must have been handled already). The
// count is coarse under Wine: a plain sleep of 31 ms can read as less.
inline void WaitPastMoveThrottle()
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 31)
        ::Sleep(1);
}

// A mouse move as the system delivers it: the cursor goes there first, and
// moves come at least 30 ms apart (closer ones are dropped on purpose).
inline void MoveMouse(HWND h, int x, int y, WPARAM keys = 0)
{
    WaitPastMoveThrottle();
    PlaceCursor(h, x, y);
    ::SendMessageW(h, WM_MOUSEMOVE, keys, At(x, y));
}

inline void Press(HWND h, int x, int y)
{
    PlaceCursor(h, x, y);
    ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
}

inline void Release(HWND h, int x, int y) { ::SendMessageW(h, WM_LBUTTONUP, 0, At(x, y)); }

inline std::string Join(const std::vector<std::string>& v)
{
    std::string out;
    for (auto& s : v)
        out += s + "\n";
    return out;
}

} // namespace scrolltest
