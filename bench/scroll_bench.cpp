// Prints what the list costs at scale: adding a million items, one layout,
// one paint at 10, 10,000 and 1,000,000 items, and removing a thousand
// items from the middle.
#include "tessara/controls/list/YList.h"

#include "host/Host.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

double NowMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// This thread's processor time in ms: steadier than the clock on a
// machine that other work shares.
double CpuMs()
{
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

double g_lastCpu = 0;  // processor time of the last Time() call

template <class F>
double Time(F f)
{
    const double start = NowMs();
    const double cpu = CpuMs();
    f();
    g_lastCpu = CpuMs() - cpu;
    return NowMs() - start;
}

// A repaint through the list's own WM_PAINT, as after any state change.
double PaintOnce(tessara::YList& list)
{
    return Time([&] {
        InvalidateRect(list.hWnd(), nullptr, FALSE);
        UpdateWindow(list.hWnd());
    });
}

void Fill(tessara::YList& list, int n)
{
    for (int i = 0; i < n; ++i)
        list.AddItem(L"Item number " + std::to_wstring(i));
}

} // namespace

int main()
{
    host::Form form(L"frmBench");
    form.SetClientSize(400 * 15, 600 * 15);
    form.Show();
    const host::PropertyBag bag;
    auto& list = form.AddControl<tessara::YList>(L"YList1", 0, 0, 300 * 15, 500 * 15, &bag);
    const int rows = list.Model().PageCount();
    std::printf("list of %d visible rows\n", rows);

    for (int n : {10, 10000}) {
        list.Clear();
        Fill(list, n);
        list.InitListHeight(rows);
        PaintOnce(list);  // warm the font and surface paths
        { const double t = PaintOnce(list); std::printf("paint at %7d items: %8.3f ms (cpu %.1f ms)\n", n, t, g_lastCpu); }
    }

    std::size_t total = 0;
    const double textsOnly = Time([&] {
        for (int i = 0; i < 1000000; ++i)
            total += (L"Item number " + std::to_wstring(i)).size();
    });
    std::printf("making the 1,000,000 texts alone: %8.1f ms (cpu %.1f ms, %zu characters)\n", textsOnly, g_lastCpu, total);
    tessara::ListModel store;
    const double storeOnly = Time([&] {
        for (int i = 0; i < 1000000; ++i)
            store.AddItem(L"Item number " + std::to_wstring(i));
    });
    std::printf("item store alone, 1,000,000 items: %8.1f ms (cpu %.1f ms)\n", storeOnly, g_lastCpu);
    const double restarts = Time([&] {
        for (int i = 0; i < 1000000; ++i)
            list.SetPageCount(rows);  // a data-changing call with nothing but the timer restart
    });
    std::printf("1,000,000 layout-timer restarts: %8.1f ms (cpu %.1f ms)\n", restarts, g_lastCpu);

    list.Clear();
    list.InitListHeight(rows);
    const double add = Time([&] { Fill(list, 1000000); });
    std::printf("add 1,000,000 items:   %8.1f ms (cpu %.1f ms, %.3f us per item)\n", add, g_lastCpu, add * 1000.0 / 1000000);
    const double layout = Time([&] { list.InitListHeight(rows); });
    std::printf("one layout:            %8.3f ms (cpu %.1f ms)\n", layout, g_lastCpu);
    { const double t = PaintOnce(list); std::printf("paint at %7d items: %8.3f ms (cpu %.1f ms)\n", list.ListCount(), t, g_lastCpu); }
    list.ScrollBar().SetValue(list.ScrollBar().MaxV());
    { const double t = PaintOnce(list); std::printf("paint at the last row: %8.3f ms (cpu %.1f ms)\n", t, g_lastCpu); }

    const double remove = Time([&] {
        for (int i = 0; i < 1000; ++i)
            list.RemoveItem(list.ListCount() / 2);
    });
    std::printf("remove 1,000 from the middle: %8.3f ms (cpu %.1f ms, %d items left)\n", remove, g_lastCpu, list.ListCount());
    const double spread = Time([&] {
        for (int i = 0; i < 1000; ++i)
            list.RemoveItem((i * 7919) % list.ListCount());
    });
    std::printf("remove 1,000 from scattered places: %8.3f ms (cpu %.1f ms)\n", spread, g_lastCpu);
    form.Unload();
    return 0;
}
