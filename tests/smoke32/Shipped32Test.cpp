// The shipped 32-bit programs themselves, driven from this 64-bit driver
// where the kernel cannot start 32-bit programs: shipped32.sh runs the
// driver with a Wine loader that starts 32-bit programs under user-mode
// emulation, on a private Xvfb display, in a prefix that has its 32-bit
// half. A fault only the 32-bit build has (a callback without the stdcall
// convention, a handle cut to 32 bits, x87 rounding, structure packing)
// shows here as a launch that goes wrong or a picture that differs from the
// 64-bit build's.
//
// Environment (Windows paths): SHIPPED32_KORVEL and SHIPPED32_TESSARA the
// 32-bit programs, SHIPPED32_TESSARA64 the 64-bit twin of Tessara,
// SHIPPED32_PROBE the stand-in program Korvel starts, SHIPPED32_SHOTS the
// folder for screenshots.
#include "RemoteDialog.h"
#include "TestSupport.h"

#include "tests/tessara/gallery/ScreenShot.h"
#include "tests/tessara/gallery/TessaraProcess.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

using galleryproc::Shot;
using galleryproc::TessaraProcess;

// Under emulation about 50 s of processor time pass before a 32-bit
// program's first instruction, and it then runs many times slower.
constexpr DWORD kStartMs = 300000;

std::wstring Env(const wchar_t* name) { return kt::Environment(name); }

std::wstring Required(const wchar_t* name)
{
    const std::wstring value = Env(name);
    if (value.empty())
        ADD_FAILURE() << kt::Utf8(name) << " names nothing: run this driver through tests/smoke32/shipped32.sh";
    return value;
}

DWORD_PTR SystemMask()
{
    DWORD_PTR process = 0, system = 0;
    GetProcessAffinityMask(GetCurrentProcess(), &process, &system);
    return system;
}

// A folder holding the shipped Korvel.exe and the probe as game.exe, as a
// user sets it up beside a program.
class KorvelFolder {
public:
    KorvelFolder() : folder_(L"shipped32")
    {
        ready_ = CopyFileW(Required(L"SHIPPED32_KORVEL").c_str(), file(L"Korvel.exe").c_str(), FALSE) &&
                 CopyFileW(Required(L"SHIPPED32_PROBE").c_str(), file(L"game.exe").c_str(), FALSE);
    }
    bool ready() const { return ready_; }
    std::wstring file(const std::wstring& name) const { return folder_.file(name); }
    const std::wstring& path() const { return folder_.path(); }

    // Started as a shortcut starts it: from another working folder.
    bool Start(PROCESS_INFORMATION& info)
    {
        const std::wstring exe = file(L"Korvel.exe");
        std::wstring line = L"\"" + exe + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        return CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              kt::ThisFolder().c_str(), &startup, &info) != 0;
    }

private:
    kt::TempFolder folder_;
    bool ready_ = false;
};

// Waits for Korvel to end; its exit code, or ~0u when it had to be ended.
DWORD Finish(PROCESS_INFORMATION& info, DWORD ms)
{
    const bool ended = kt::WaitOrEnd(info.hProcess, ms);
    DWORD code = ~0u;
    if (ended)
        GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return code;
}

TEST(Shipped32, KorvelStartsTheRememberedProgramTuned)
{
    const DWORD_PTR all = SystemMask();
    // One processor of several, so the stored mask is told from the default.
    const DWORD_PTR chosen = (all & 2) ? 2 : 1;
    KorvelFolder korvel;
    ASSERT_TRUE(korvel.ready());
    kt::WriteBytes(korvel.file(L"Korveled.ini"),
                   "[Config]\r\nEXEName=game.exe\r\nEXEParam=-window -x\r\nSelectedCPU=" + std::to_string(chosen) +
                       "\r\nCPUPriority=2\r\nIOPriority=2\r\nShowStyle=2\r\nisRemember=1\r\n");
    const std::wstring oldPath = kt::Environment(L"PATH");

    PROCESS_INFORMATION info{};
    const double t0 = GetTickCount();
    ASSERT_TRUE(korvel.Start(info)) << "the shipped Korvel.exe did not start";
    const DWORD code = Finish(info, kStartMs);
    std::printf("Korvel (32-bit, emulated) ended %.0f s after the start\n", (GetTickCount() - t0) / 1000);
    EXPECT_EQ(code, 0u) << "Korvel must end by itself, with exit code 0";
    // A Korvel that failed or crashed started nothing worth waiting for.
    kt::Report report = kt::WaitForReport(korvel.file(L"game.exe"), code == 0 ? kStartMs : 5000);
    ASSERT_FALSE(report.empty()) << "the remembered program did not start";
    EXPECT_EQ(report["cmdline"], "game.exe -window -x");
    EXPECT_EQ(report["affinity"], std::to_string(chosen));
    EXPECT_EQ(report["priority"], std::to_string(HIGH_PRIORITY_CLASS));
    EXPECT_EQ(report["showflag"], "1");
    EXPECT_EQ(report["show"], std::to_string(SW_SHOWMINIMIZED));
    EXPECT_EQ(report["path"], kt::Utf8(korvel.path() + L";" + oldPath)) << "Korvel's folder, then the old search path";
}

TEST(Shipped32, KorvelFirstRunShowsTheDialogStoresTheChoiceAndStartsIt)
{
    const DWORD_PTR all = SystemMask();
    KorvelFolder korvel;
    ASSERT_TRUE(korvel.ready());
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(korvel.Start(info)) << "the shipped Korvel.exe did not start";
    const double t0 = GetTickCount();
    bool pressed = false;
    {
        const kt::RemoteDialog dialog(info.dwProcessId, kStartMs);
        EXPECT_TRUE(dialog.found()) << "no dialog on a first run";
        if (dialog.found()) {
            std::printf("the dialog showed %.0f s after the start\n", (GetTickCount() - t0) / 1000);
            dialog.TypeParameters(L"-window");
            const HWND priorities = dialog.ListStartingWith(L"低(空闲时响应)");
            EXPECT_NE(priorities, nullptr) << "no CPU priority list";
            if (priorities)
                dialog.ClickRowBox(priorities, 2);  // 高
            // Found by its caption, as a screen reader finds it.
            pressed = dialog.Press(L"确定");
        }
    }
    const DWORD code = Finish(info, pressed ? kStartMs : 5000);
    EXPECT_EQ(code, 0u) << "Korvel must end by itself after OK, with exit code 0";
    ASSERT_TRUE(pressed) << "OK could not be pressed";

    const std::vector<std::string> expected = {
        "[Config]",
        "EXEName=game.exe",
        "EXEParam=-window",
        "SelectedCPU=" + std::to_string(static_cast<std::int32_t>(all)),
        "isRemember=0",
        "CPUPriority=2",
        "IOPriority=2",
        "ShowStyle=1"};
    EXPECT_EQ(kt::ReadLines(korvel.file(L"Korveled.ini")), expected);

    kt::Report report = kt::WaitForReport(korvel.file(L"game.exe"), code == 0 ? kStartMs : 5000);
    ASSERT_FALSE(report.empty()) << "the chosen program did not start";
    EXPECT_EQ(report["cmdline"], "game.exe -window");
    EXPECT_EQ(report["affinity"], std::to_string(all));
    EXPECT_EQ(report["priority"], std::to_string(HIGH_PRIORITY_CLASS));
    EXPECT_EQ(report["show"], std::to_string(SW_SHOWNORMAL));
}

// ---- Tessara: the 32-bit gallery paints what the 64-bit one paints ----------

// The form's client area as it showed on the screen, the progress bar's
// rectangle (which moves with time) left out of the comparison.
struct FormPicture {
    Shot shot;
    RECT client{};    // on the screen
    RECT progress{};  // on the screen
};

// Pixels inside the form that differ between two pictures, compared from
// each form's own client origin.
int Differences(const FormPicture& a, const FormPicture& b, std::string* first)
{
    const int w = a.client.right - a.client.left, h = a.client.bottom - a.client.top;
    int n = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const POINT pa{a.client.left + x, a.client.top + y}, pb{b.client.left + x, b.client.top + y};
            if (PtInRect(&a.progress, pa) || PtInRect(&b.progress, pb))
                continue;
            const COLORREF ca = a.shot.at(pa.x, pa.y), cb = b.shot.at(pb.x, pb.y);
            if (ca != cb && n++ == 0 && first) {
                char text[128];
                std::snprintf(text, sizeof text, "first at (%d, %d): %06lx against %06lx", x, y,
                              static_cast<unsigned long>(ca), static_cast<unsigned long>(cb));
                *first = text;
            }
        }
    return n;
}

FormPicture Capture(TessaraProcess& app)
{
    FormPicture p;
    p.client = TessaraProcess::OnScreen(app.Form());
    p.progress = TessaraProcess::OnScreen(app.Control(L"YProgress", L"YProgress1"));
    return p;
}

// What a program paints reaches the screen when it next goes idle (Wine
// then copies the window's surface to the display), which under emulation
// can come well after the program reports its paint complete: the picture
// counts once the screen has shown the same form for a second.
FormPicture Settled(TessaraProcess& app, const std::wstring& shots, const wchar_t* name, DWORD waitMs)
{
    FormPicture last = Capture(app);
    const DWORD start = GetTickCount();
    DWORD since = start;
    for (;;) {
        app.WaitPainted(waitMs);
        Sleep(100);  // the polling step, not a wait for the result
        FormPicture now = Capture(app);
        if (Differences(last, now, nullptr) != 0) {
            last = std::move(now);
            since = GetTickCount();
        } else if (GetTickCount() - since >= 1000) {
            break;
        }
        if (GetTickCount() - start > waitMs) {
            ADD_FAILURE() << kt::Utf8(name) << ": the screen never showed a settled picture";
            break;
        }
    }
    EXPECT_TRUE(last.shot.save(shots + L"\\" + name + L".bmp"));
    return last;
}

struct GalleryRun {
    FormPicture loaded, found;
    bool ok = false;
};

// Starts one build of Tessara, waits for its first complete paint, clicks
// 查找结点B100, waits for the tree to show the found node, and closes it.
GalleryRun RunGallery(const std::wstring& exe, const std::wstring& shots, const wchar_t* tag, DWORD waitMs)
{
    GalleryRun run;
    // The mouse away from the form, the same for both builds.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    TessaraProcess app;
    EXPECT_TRUE(app.Start(exe)) << "cannot start " << kt::Utf8(exe);
    if (!app.Process())
        return run;
    EXPECT_TRUE(app.WaitFor([&] { return app.Form() != nullptr; }, waitMs)) << kt::Utf8(tag) << ": no form";
    EXPECT_TRUE(app.WaitPainted(waitMs)) << kt::Utf8(tag) << ": no complete first paint";
    if (::testing::Test::HasFailure())
        return run;
    std::printf("%s: first complete paint %.0f s after the start\n", kt::Utf8(tag).c_str(), app.SinceStart() / 1000);
    run.loaded = Settled(app, shots, (std::wstring(tag) + L"-1-loaded").c_str(), waitMs);

    app.Click(app.Control(L"YCommand", L"YCommand1"));
    EXPECT_TRUE(app.WaitFor([&] { return app.AskText(gallery::QueryTreeSelectedText) == L"结点B100"; }, waitMs))
        << kt::Utf8(tag) << ": 结点B100 was not selected";
    EXPECT_TRUE(app.WaitPainted(waitMs)) << kt::Utf8(tag) << ": no complete paint after the find";
    if (::testing::Test::HasFailure())
        return run;
    run.found = Settled(app, shots, (std::wstring(tag) + L"-2-found-B100").c_str(), waitMs);
    DWORD code = 99;
    EXPECT_TRUE(app.Close(waitMs, &code)) << kt::Utf8(tag) << ": did not end when its form was closed";
    EXPECT_EQ(code, 0u) << kt::Utf8(tag);
    run.ok = !::testing::Test::HasFailure();
    return run;
}

TEST(Shipped32, TessaraPaintsTheSameGalleryAsThe64BitBuild)
{
    const std::wstring shots = Required(L"SHIPPED32_SHOTS");
    const std::wstring exe32 = Required(L"SHIPPED32_TESSARA"), exe64 = Required(L"SHIPPED32_TESSARA64");
    ASSERT_FALSE(shots.empty() || exe32.empty() || exe64.empty());
    CreateDirectoryW(shots.c_str(), nullptr);

    const GalleryRun native = RunGallery(exe64, shots, L"64-bit", 60000);
    ASSERT_TRUE(native.ok) << "the 64-bit build, the reference, did not run through";
    const GalleryRun shipped = RunGallery(exe32, shots, L"32-bit", kStartMs);
    ASSERT_TRUE(shipped.ok) << "the shipped 32-bit build did not run through";

    const LONG w = native.loaded.client.right - native.loaded.client.left;
    const LONG h = native.loaded.client.bottom - native.loaded.client.top;
    ASSERT_EQ(shipped.loaded.client.right - shipped.loaded.client.left, w) << "form widths differ";
    ASSERT_EQ(shipped.loaded.client.bottom - shipped.loaded.client.top, h) << "form heights differ";
    std::string first;
    EXPECT_EQ(Differences(native.loaded, shipped.loaded, &first), 0)
        << "the first complete paint differs inside the form, " << first;
    first.clear();
    EXPECT_EQ(Differences(native.found, shipped.found, &first), 0)
        << "after 查找结点B100 the pictures differ inside the form, " << first;
    // The find changed the picture, so the comparison above saw real work.
    EXPECT_GT(Differences(native.loaded, native.found, nullptr), 200);
}

} // namespace
