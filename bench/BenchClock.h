// The benchmarks' clock and the few timing routines they share: seconds
// from the performance counter, milliseconds around a piece of work, the
// thread's processor time, medians of repeated runs, and one repaint of a
// window timed from its invalidation to the end of its paint handler.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

inline double NowSeconds()
{
    static const LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

inline double NowMs() { return NowSeconds() * 1000.0; }

// This thread's processor time in ms: steadier than the clock on a machine
// that other work shares.
inline double CpuMs()
{
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

// Wall-clock milliseconds that f takes.
template <class F>
double TimeMs(F&& f)
{
    const double t0 = NowMs();
    f();
    return NowMs() - t0;
}

// The median of the values (0 for none): shared machines make single runs
// jitter, and the median ignores the odd slow one.
inline double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

// Median of `runs` timings of f, in ms.
template <class F>
double MedianMs(int runs, F&& f)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i)
        t.push_back(TimeMs(f));
    return Median(t);
}

// One repaint as after any state change: the whole client area invalidated
// (no erase) and painted at once through the window's own WM_PAINT.
inline double PaintOnceMs(HWND h)
{
    return TimeMs([h] {
        ::InvalidateRect(h, nullptr, FALSE);
        ::UpdateWindow(h);
    });
}

} // namespace bench
