// A running Tessara.exe seen from another process, as the end-to-end test
// and the gallery benchmark drive it: start it, find its form and controls
// by class and instance name, send it mouse input, and ask the form's query
// message (tessara/gallery/frmMain.h) what pixels cannot tell.
#pragma once
#include "bench/BenchClock.h"
#include "host/Control.h"
#include "tessara/gallery/frmMain.h"

#include "host/Host.h"

#include <windows.h>
#include <psapi.h>

#include <functional>
#include <string>

namespace galleryproc {

class TessaraProcess {
public:
    TessaraProcess() = default;
    TessaraProcess(const TessaraProcess&) = delete;
    TessaraProcess& operator=(const TessaraProcess&) = delete;
    // A program still running is ended.
    ~TessaraProcess()
    {
        if (!pi_.hProcess)
            return;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(pi_.hProcess, 99);
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }

    bool Start(const std::wstring& exe)
    {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        std::wstring cmd = L"\"" + exe + L"\"";
        start_ = Now();
        return CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_) != 0;
    }
    // Milliseconds since Start.
    double SinceStart() const { return Now() - start_; }
    HANDLE Process() const { return pi_.hProcess; }

    // The form's top-level window (class HostForm, caption "Form1") of this
    // process; null until it exists.
    HWND Form()
    {
        if (!form_)
            form_ = Find(nullptr, L"HostForm", L"Form1");
        return form_;
    }
    // A control of the form by its class and instance name.
    HWND Control(const wchar_t* cls, const wchar_t* name) { return Find(Form(), cls, name); }

    // Asks the form; -1 when it does not answer within 5 s.
    LRESULT Ask(gallery::Query q, LPARAM arg = 0)
    {
        DWORD_PTR result = 0;
        if (!Form() || !SendMessageTimeoutW(Form(), gallery::QueryMessage(), q, arg, SMTO_NORMAL, 5000, &result))
            return -1;
        return static_cast<LRESULT>(result);
    }
    // A text answer (the form hands it over as a global atom).
    std::wstring AskText(gallery::Query q, LPARAM arg = 0)
    {
        const LRESULT atom = Ask(q, arg);
        if (atom <= 0)
            return L"";
        wchar_t buf[256] = {};
        GlobalGetAtomNameW(static_cast<ATOM>(atom), buf, 256);
        GlobalDeleteAtom(static_cast<ATOM>(atom));
        return buf;
    }

    // Runs until cond() holds or ms pass; returns cond(). whileWaiting, when
    // set, runs on every turn (the end-to-end test watches the bar with it).
    bool WaitFor(const std::function<bool()>& cond, double ms)
    {
        const double t0 = Now();
        for (;;) {
            if (whileWaiting)
                whileWaiting();
            if (cond())
                return true;
            if (Now() - t0 > ms)
                return false;
            Sleep(5);
        }
    }
    bool WaitPainted(double ms)
    {
        return WaitFor([&] { return Ask(gallery::QueryPainted) == 1; }, ms);
    }
    std::function<void()> whileWaiting;

    // The mouse over the middle of a control, pressed and released there.
    void Click(HWND control)
    {
        RECT r;
        GetClientRect(control, &r);
        const int x = r.right / 2, y = r.bottom / 2;
        POINT screen{x, y};
        ClientToScreen(control, &screen);
        SetCursorPos(screen.x, screen.y);
        const LPARAM at = MAKELPARAM(x, y);
        Sleep(40);  // moves closer than 30 ms apart are dropped on purpose
        Deliver(control, WM_MOUSEMOVE, 0, at);
        Deliver(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
        Deliver(control, WM_LBUTTONUP, 0, at);
    }
    // One notch of the wheel toward the user over the middle of a control.
    void WheelDown(HWND control)
    {
        const RECT r = OnScreen(control);
        const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        SetCursorPos(x, y);
        Deliver(control, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(x, y));
    }
    // Sent, not posted: once it returns the program has handled it, so the
    // next question sees its effect (a question would overtake a posted one).
    static void Deliver(HWND h, UINT msg, WPARAM wp, LPARAM lp)
    {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(h, msg, wp, lp, SMTO_NORMAL, 5000, &ignored);
    }
    // A control's client rectangle on the screen.
    static RECT OnScreen(HWND control)
    {
        RECT r;
        GetClientRect(control, &r);
        MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    // Closes the form as its close box does; true when the program then
    // ends within ms, with its exit code in *code.
    bool Close(DWORD ms, DWORD* code)
    {
        if (Form())
            PostMessageW(Form(), WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi_.hProcess, ms) != WAIT_OBJECT_0)
            return false;
        GetExitCodeProcess(pi_.hProcess, code);
        return true;
    }

    // The program's memory now: working set, its peak, private bytes.
    PROCESS_MEMORY_COUNTERS_EX Memory() const
    {
        PROCESS_MEMORY_COUNTERS_EX m{};
        m.cb = sizeof m;
        if (!GetProcessMemoryInfo(pi_.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m))
            m.cb = 0;
        return m;
    }

private:
    struct FindArgs {
        DWORD pid;
        const wchar_t* cls;
        const wchar_t* text;
        HWND found;
    };
    static BOOL CALLBACK Match(HWND h, LPARAM p)
    {
        auto* a = reinterpret_cast<FindArgs*>(p);
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        wchar_t cls[64] = {}, text[64] = {};
        GetClassNameW(h, cls, 64);
        GetWindowTextW(h, text, 64);
        // A control's window text is its caption when it has one: match the
        // instance name the host keeps beside it too.
        if (pid == a->pid && wcscmp(cls, a->cls) == 0 &&
            (wcscmp(text, a->text) == 0 || host::ControlBase::InstanceNameOf(h) == a->text)) {
            a->found = h;
            return FALSE;
        }
        return TRUE;
    }
    // Another program on the same Wine session may show a form of the same
    // name: only windows of this process count.
    HWND Find(HWND parent, const wchar_t* cls, const wchar_t* text) const
    {
        FindArgs a{pi_.dwProcessId, cls, text, nullptr};
        if (parent)
            EnumChildWindows(parent, Match, reinterpret_cast<LPARAM>(&a));
        else
            EnumWindows(Match, reinterpret_cast<LPARAM>(&a));
        return a.found;
    }
    static double Now() { return bench::NowMs(); }

    PROCESS_INFORMATION pi_{};
    double start_ = 0;
    HWND form_ = nullptr;
};

} // namespace galleryproc
