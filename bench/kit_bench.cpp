// Prints, for every drawing, surface and font routine of the kit, the cost
// of one call and how many GDI objects 10,000 calls leave alive (0 when
// each call deletes what it creates).
#include "GdiCount.h"
#include "KitRoutines.h"

#include <chrono>
#include <cstdio>

int main()
{
    constexpr int kCalls = 10000;
    kittest::KitRoutines routines;
    std::printf("%-24s %12s %14s\n", "routine", "us per call", "objects left");
    for (const kittest::KitRoutine& r : routines.list()) {
        r.call();  // system caches
        const int before = kittest::LiveGdiObjects();
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kCalls; ++i)
            r.call();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        std::printf("%-24s %12.2f %14d\n", r.name, ms * 1000.0 / kCalls, kittest::LiveGdiObjects() - before);
    }
    return 0;
}
