// Tessara.exe started as a user starts it, several times: the time from
// process start to the window appearing and to the form's first complete
// paint (every control laid out and painted with the loaded data), and the
// program's memory once painted and once the progress bar has stopped.
//
//   gallery_bench [runs] [path\to\Tessara.exe]
// Runs defaults to 5; the program defaults to the one this build made.
#include "bench/BenchClock.h"
#include "tests/tessara/gallery/TessaraProcess.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using galleryproc::TessaraProcess;

struct Run {
    double windowMs = -1, paintedMs = -1;
    double workingSetMb = 0;                       // right after the first complete paint
    double steadyWorkingSetMb = 0, peakMb = 0;     // once Timer1 has stopped
};

double Mb(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

bool Once(const std::wstring& exe, Run& r)
{
    TessaraProcess app;
    if (!app.Start(exe)) {
        std::printf("cannot start %ls (error %lu)\n", exe.c_str(), GetLastError());
        return false;
    }
    if (!app.WaitFor([&] { return app.Form() != nullptr; }, 30000)) {
        std::printf("no form appeared within 30 s\n");
        return false;
    }
    r.windowMs = app.SinceStart();
    if (!app.WaitPainted(30000)) {
        std::printf("the form did not finish its first paint within 30 s\n");
        return false;
    }
    r.paintedMs = app.SinceStart();
    const PROCESS_MEMORY_COUNTERS_EX loaded = app.Memory();
    r.workingSetMb = Mb(loaded.WorkingSetSize);
    app.WaitFor([&] { return app.Ask(gallery::QueryTimerEnabled) == 0; }, 15000);
    const PROCESS_MEMORY_COUNTERS_EX steady = app.Memory();
    r.steadyWorkingSetMb = Mb(steady.WorkingSetSize);
    r.peakMb = Mb(steady.PeakWorkingSetSize);
    DWORD code = 0;
    if (!app.Close(10000, &code))
        std::printf("(the program did not end within 10 s of closing its form)\n");
    return loaded.cb != 0;
}

std::wstring BuiltTessara()
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring dir(self);
    dir.resize(dir.find_last_of(L"\\/") + 1);
    return dir + L"..\\tessara\\gallery\\Tessara.exe";
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
    const std::wstring exe = argc > 2 ? argv[2] : BuiltTessara();
    std::printf("Tessara.exe start-up, %d runs (Wine; median first)\n", runs);
    std::vector<double> window, painted, ws, steady, peak;
    for (int i = 0; i < runs; ++i) {
        Run r;
        if (!Once(exe, r))
            return 1;
        std::printf("  run %d: window %.0f ms, first complete paint %.0f ms, working set %.1f MB, "
                    "after the bar %.1f MB, peak %.1f MB\n",
                    i + 1, r.windowMs, r.paintedMs, r.workingSetMb, r.steadyWorkingSetMb, r.peakMb);
        std::fflush(stdout);
        window.push_back(r.windowMs);
        painted.push_back(r.paintedMs);
        ws.push_back(r.workingSetMb);
        steady.push_back(r.steadyWorkingSetMb);
        peak.push_back(r.peakMb);
    }
    std::printf("process start to the form's window:          %7.0f ms\n", bench::Median(window));
    std::printf("process start to the first complete paint:   %7.0f ms\n", bench::Median(painted));
    std::printf("working set after the load:                  %7.1f MB\n", bench::Median(ws));
    std::printf("working set once the progress bar stopped:   %7.1f MB (peak %.1f MB)\n", bench::Median(steady),
                bench::Median(peak));
    return 0;
}
