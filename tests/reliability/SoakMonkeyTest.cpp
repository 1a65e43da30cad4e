// Every Tessara control, the launcher's button and the gallery form under
// long use: a soak of paints, resizes and property changes, and a monkey of
// random but plausible input with pauses in which the controls' own timers
// tick. Both must leave GDI objects, windows and the heap bytes in use where
// they were after warming up, and each control's invariants must hold
// throughout. Counts are reduced for the regular run; pass --full for
// 10,000 soak rounds and 100,000 monkey messages per subject, and --seed=N
// to replay a monkey run.
#include "HeapCount.h"
#include "Invariants.h"
#include "WindowCount.h"

#include "korvel/button/kxButtons_H.h"
#include "tessara/controls/small/YCheck.h"
#include "tessara/controls/combo/YCombo.h"
#include "tessara/controls/small/YCommand.h"
#include "tessara/controls/small/YFrame.h"
#include "tessara/controls/grouplist/YGroupList.h"
#include "tessara/controls/scroll/YHScroll.h"
#include "tessara/controls/list/YList.h"
#include "tessara/controls/listview/YListView.h"
#include "tessara/controls/small/YOption.h"
#include "tessara/controls/small/YProgress.h"
#include "tessara/controls/tab/YTab.h"
#include "tessara/controls/tree/YTreeView.h"
#include "tessara/controls/scroll/YVScroll.h"
#include "tessara/gallery/frmMain.h"
#include "tessara/kit/MdlSubclassMain.h"
#include "tests/tessara/kit/GdiCount.h"

#include "host/Host.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <deque>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace tessara;

// ---- command line -------------------------------------------------------

bool HasArg(const wchar_t* arg)
{
    int n = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &n);
    bool found = false;
    for (int i = 1; i < n; ++i)
        if (std::wcscmp(argv[i], arg) == 0)
            found = true;
    ::LocalFree(argv);
    return found;
}

unsigned SeedFromArgs(unsigned fallback)
{
    int n = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &n);
    unsigned seed = fallback;
    for (int i = 1; i < n; ++i)
        if (std::wcsncmp(argv[i], L"--seed=", 7) == 0)
            seed = static_cast<unsigned>(std::wcstoul(argv[i] + 7, nullptr, 10));
    ::LocalFree(argv);
    return seed;
}

const bool kFull = HasArg(L"--full");
const int kSoakRounds = kFull ? 10000 : 250;
const int kSoakWarmUp = 100;   // rounds before the start is measured
const int kMonkeyMessages = kFull ? 100000 : 2000;  // after the warm-up
const int kBurst = 500;        // messages between two checks of the invariants
// Bursts before the start is measured: until the GDI objects stay as they
// were after the burst before (the platform keeps a few device contexts
// of its own once a window is first lifted out or painted a certain way),
// at most this many.
const int kMonkeyWarmUpMax = kFull ? 10 : 4;
// One timer step in this many is a rest long enough for the timers to tick
// (a timer step is one step in 16); fewer in the regular run, where every
// rest costs up to 150 ms.
const unsigned kPauseOneIn = kFull ? 12 : 20;
const unsigned kSeed = SeedFromArgs(20261210u);

// A leak of 1 KB per 1,000 messages (or soak rounds) must fail, and so
// must one of a byte per message the control itself handles (about half
// of what the monkey sends): a quarter of that rate is allowed for state
// that legitimately differs between the two measurements (a hovered
// item's text, a chosen entry; tens of bytes).
long long HeapAllowance(long long messages)
{
    return messages * 1024 / 1000 / 4;
}

// Other test programs share the Wine session; a desktop of our own keeps
// their windows from taking activation and focus from ours.
struct OwnDesktop {
    OwnDesktop()
    {
        wchar_t name[64];
        ::wsprintfW(name, L"reliability-%lu", ::GetCurrentProcessId());
        if (HDESK d = ::CreateDesktopW(name, nullptr, nullptr, 0, GENERIC_ALL, nullptr))
            ::SetThreadDesktop(d);
    }
};
const OwnDesktop kOwnDesktop;

// The controls read the tests' mouse instead of the system cursor.
POINT g_cursor{};
POINT ReadCursor() { return g_cursor; }

// Timer messages dispatched so far: the monkey's pauses must really let
// the controls' 100 ms timers run.
long long g_timerTicks = 0;

void PumpPending()
{
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_TIMER)
            ++g_timerTicks;
        ::TranslateMessage(&m);
        ::DispatchMessageW(&m);
    }
}

void PumpFor(int ms)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < static_cast<DWORD>(ms)) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        PumpPending();
    }
}

// ---- resource figures ---------------------------------------------------

// Committed private memory of the process, walked region by region (Wine
// leaves the process counters' private usage at 0).
SIZE_T PrivateBytes()
{
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION mbi{};
    const char* p = nullptr;
    while (::VirtualQuery(p, &mbi, sizeof(mbi)) == sizeof(mbi)) {
        if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE)
            total += mbi.RegionSize;
        const char* next = static_cast<const char*>(mbi.BaseAddress) + mbi.RegionSize;
        if (next <= p)
            break;
        p = next;
    }
    return total;
}

struct Figures {
    int gdi = 0;
    int user = 0;
    long long heap = 0;      // bytes in use through operator new
    long long blocks = 0;
    SIZE_T privateBytes = 0;
};

Figures Measure()
{
    PumpPending();
    Figures f;
    f.gdi = kittest::LiveGdiObjects();
    f.user = reliability::LiveWindows();
    f.privateBytes = PrivateBytes();
    const reliability::HeapFigures h = reliability::HeapInUse();
    f.heap = h.bytes;
    f.blocks = h.blocks;
    return f;
}

// The figures once the subject has come to rest: measured again after
// another 150 ms until two readings agree (a timer still armed from the
// last burst holds a few heap bytes until it has run), at most 2 s.
Figures Settled()
{
    Figures last = Measure();
    for (int i = 0; i < 13; ++i) {
        PumpFor(150);
        const Figures now = Measure();
        if (now.heap == last.heap && now.blocks == last.blocks && now.gdi == last.gdi && now.user == last.user)
            return now;
        last = now;
    }
    return last;
}

// The figures of one run against those of its start: GDI objects and
// windows exactly back, the heap within the allowance for `work` messages.
void ExpectNoGrowth(const char* who, const Figures& start, const Figures& end, long long work)
{
    EXPECT_EQ(end.gdi, start.gdi) << who << ": GDI objects left alive";
    EXPECT_EQ(end.user, start.user) << who << ": windows left behind (or lost)";
    EXPECT_LE(end.heap - start.heap, HeapAllowance(work))
        << who << ": heap bytes in use grew from " << start.heap << " to " << end.heap << " (" << end.blocks - start.blocks
        << " blocks) over " << work << " messages or rounds";
}

struct Row {
    std::string name;
    Figures soakStart, soakEnd;  // soak: after the warm-up, and at the end
    Figures start, end;          // monkey
    int soakRounds = 0;
    long long messages = 0;
    long long timerTicks = 0;    // during the monkey
    double soakSeconds = 0, monkeySeconds = 0;
};

std::vector<Row>& Table()
{
    static std::vector<Row> rows;
    return rows;
}

Row& RowFor(const std::string& name)
{
    for (Row& r : Table())
        if (r.name == name)
            return r;
    Row row;
    row.name = name;
    Table().push_back(row);
    return Table().back();
}

// Printed once all subjects ran; scripts/soak.sh collects the lines that
// start with "| " into the README's table.
class TablePrinter : public ::testing::Environment {
public:
    void TearDown() override
    {
        std::printf("\n| subject | run | GDI start | GDI end | windows start | windows end | heap start | heap end | "
                    "private start | private end | rounds or messages | timer ticks | seed | seconds |\n");
        const auto line = [](const Row& r, const char* run, const Figures& a, const Figures& b, long long work,
                             const std::string& ticks, double seconds) {
            std::printf("| %s | %s | %d | %d | %d | %d | %lld | %lld | %zu | %zu | %lld | %s | %s | %.0f |\n",
                        r.name.c_str(), run, a.gdi, b.gdi, a.user, b.user, a.heap, b.heap,
                        static_cast<size_t>(a.privateBytes), static_cast<size_t>(b.privateBytes), work,
                        ticks.c_str(), std::strcmp(run, "monkey") == 0 ? std::to_string(kSeed).c_str() : "-",
                        seconds);
        };
        for (const Row& r : Table()) {
            if (r.soakRounds > 0)
                line(r, "soak", r.soakStart, r.soakEnd, r.soakRounds, "-", r.soakSeconds);
            if (r.messages > 0)
                line(r, "monkey", r.start, r.end, r.messages, std::to_string(r.timerTicks), r.monkeySeconds);
        }
        std::printf("GDI: highest fresh handle slot (grows only with live objects); windows: of the thread;\n"
                    "heap: bytes in use through operator new; private: committed private bytes. The start is\n"
                    "measured after the warm-up. Monkey seed %u; %s run.\n",
                    kSeed, kFull ? "full-size" : "reduced (pass --full for 10,000 rounds / 100,000 messages)");
    }
};
const auto* kPrinter = ::testing::AddGlobalTestEnvironment(new TablePrinter);

// ---- subjects ---------------------------------------------------------------

// One control (or form) under test: where it lives, how it is changed in
// the soak, and which windows the monkey may talk to.
struct Subject {
    virtual ~Subject() = default;
    virtual HWND Window() = 0;
    virtual host::ControlBase* Control() = 0;  // null for a form
    virtual void Change(int round) = 0;
    // Puts back the content the subject started with (the soak adds and
    // removes items), so both soak measurements see the same content.
    virtual void Refill() {}
    // The control runs timers of its own that the monkey's pauses must let
    // tick.
    virtual bool HasTimers() const { return true; }
    virtual std::string Broken() { return reliability::Broken(*Control()); }
};

host::Font SmallFont(int round)
{
    host::Font f;
    f.name = L"Tahoma";
    f.size = (round % 2) ? 9.0f : 10.5f;
    f.bold = (round % 3) == 0;
    return f;
}

template <class T>
struct ControlSubject : Subject {
    ControlSubject(host::Form& form, const wchar_t* name, int w, int h)
        : control(form.AddControl<T>(name, 150, 150, w * 15, h * 15, &bag)), w_(w), h_(h)
    {
    }
    HWND Window() override { return control.hWnd(); }
    host::ControlBase* Control() override { return &control; }
    void Change(int round) override
    {
        Alter(round);
        // Resize between two sizes; every seventh round a degenerate one.
        if (round % 7 == 6)
            control.SetSize(15, 15);
        else if (round % 2)
            control.SetSize((w_ + 37) * 15, (h_ + 23) * 15);
        else
            control.SetSize(w_ * 15, h_ * 15);
    }
    virtual void Alter(int round) = 0;

    host::PropertyBag bag;
    T& control;
    int w_, h_;
};

template <class Bar>
struct ScrollSubject : ControlSubject<Bar> {
    using ControlSubject<Bar>::ControlSubject;
    void Alter(int round) override
    {
        this->control.SetMaxV(20 + round % 50);
        this->control.SetValue(round % 60);
        this->control.SetLargeChange(1 + round % 9);
    }
};

struct ListSubject : ControlSubject<YList> {
    ListSubject(host::Form& f) : ControlSubject(f, L"YList1", 160, 120) { Fill(); }
    void Fill()
    {
        for (int i = 0; i < 40; ++i)
            control.AddItem(L"Item " + std::to_wstring(i) + (i % 5 ? L"" : L" with a rather long caption"));
    }
    void Refill() override
    {
        control.Clear();
        Fill();
    }
    void Alter(int round) override
    {
        if (round % 2)
            control.AddItem(L"Added " + std::to_wstring(round));
        else
            control.RemoveItem(round % control.ListCount());
        control.SetListIndex(round % control.ListCount());
        control.SetScrollMode(round % 3);
        control.SetFont(SmallFont(round));
    }
};

struct ComboSubject : ControlSubject<YCombo> {
    ComboSubject(host::Form& f) : ControlSubject(f, L"YCombo1", 150, 22) { Fill(); }
    void Fill()
    {
        for (int i = 0; i < 25; ++i)
            control.AddItem(L"Choice " + std::to_wstring(i));
    }
    void Refill() override
    {
        control.Clear();
        Fill();
    }
    void Alter(int round) override
    {
        control.SetListIndex(round % control.List().ListCount());
        if (round % 5 == 0)
            control.SetText(L"Typed " + std::to_wstring(round));
        control.SetFont(SmallFont(round));
    }
};

struct TreeSubject : ControlSubject<YTreeView> {
    TreeSubject(host::Form& f) : ControlSubject(f, L"YTreeView1", 200, 180)
    {
        control.AddItem(-1, L"Root");
        Fill();
    }
    void Fill()
    {
        const int root = control.GetIndexByStr(L"Root");
        for (int i = 0; i < 8; ++i) {
            control.AddItem(root, L"Branch " + std::to_wstring(i));
            const int branch = control.GetIndexByStr(L"Branch " + std::to_wstring(i));
            for (int j = 0; j < 6; ++j)
                control.AddItem(branch, L"Leaf " + std::to_wstring(i) + L"." + std::to_wstring(j));
        }
        control.Spread(root, true);
    }
    void Refill() override
    {
        // The root stays; its branches go with their subtrees.
        while (control.Store().ChildCount(0) > 0)
            control.RemoveItem(control.Store().Children(0).back());
        Fill();
    }
    void Alter(int round) override
    {
        const int branch = control.GetIndexByStr(L"Branch " + std::to_wstring(round % 8));
        if (branch >= 0)
            control.Spread(branch, round % 3 != 0);
        if (round % 4 == 0) {
            control.AddItem(branch > 0 ? branch : control.GetIndexByStr(L"Root"), L"Extra");
        } else if (round % 4 == 2) {
            const int extra = control.GetIndexByStr(L"Extra");
            if (extra > 0)
                control.RemoveItem(extra);
        }
        control.SetItemHeight(16 + round % 6);
        if (round % 10 == 5)
            control.FindItem(L"Leaf 3.4");
    }
};

struct ListViewSubject : ControlSubject<YListView> {
    ListViewSubject(host::Form& f) : ControlSubject(f, L"YListView1", 260, 180) { Fill(); }
    void Fill()
    {
        control.AddHeaderItem(L"Name", 90, nullptr, nullptr);
        control.AddHeaderItem(L"Size", 60, nullptr, nullptr);
        for (int i = 0; i < 60; ++i) {
            control.AddListItem(L"File " + std::to_wstring(i), nullptr, nullptr);
            control.AddListSubItem(i, std::to_wstring(i * 17) + L" KB", nullptr);
        }
    }
    void Refill() override
    {
        control.Clear();
        Fill();
    }
    void Alter(int round) override
    {
        control.SetDisMode(round % 4);
        if (round % 2) {
            control.AddListItem(L"New " + std::to_wstring(round), nullptr, nullptr);
        } else {
            control.RemoveListItem(round % control.Model().ItemCount());
        }
        control.SetFont(SmallFont(round));
    }
};

struct GroupListSubject : ControlSubject<YGroupList> {
    GroupListSubject(host::Form& f) : ControlSubject(f, L"YGroupList1", 180, 200) { Fill(); }
    void Fill()
    {
        for (int g = 0; g < 5; ++g) {
            control.AddGroup(L"Group " + std::to_wstring(g));
            for (int i = 0; i < 9; ++i)
                control.AddItem(g, L"Member " + std::to_wstring(g) + L"." + std::to_wstring(i) +
                                       (i == 3 ? L" whose name is far too long to fit" : L""));
        }
    }
    void Refill() override
    {
        for (int g = 4; g >= 0; --g)
            control.RemoveGroup(g);
        Fill();
    }
    void Alter(int round) override
    {
        control.Spread(round % 5, round % 3 != 0);
        if (round % 2)
            control.AddItem(round % 5, L"Late " + std::to_wstring(round));
        else if (control.GetListCount(round % 5) > 0)
            control.RemoveItem(round % 5, 0);
        control.SetItemHeight(18 + round % 5);
        control.SetScrollMode(round % 3);
    }
};

struct TabSubject : ControlSubject<YTab> {
    TabSubject(host::Form& f) : ControlSubject(f, L"YTab1", 260, 120) { Fill(); }
    void Fill()
    {
        for (int i = 0; i < 6; ++i)
            control.AddItem(L"Page " + std::to_wstring(i));
    }
    void Refill() override
    {
        while (control.TabCount() > 0)
            control.RemoveItem(control.TabCount() - 1);
        Fill();
    }
    void Alter(int round) override
    {
        if (round % 2)
            control.AddItem(L"More " + std::to_wstring(round));
        else
            control.RemoveItem(round % control.TabCount());
        control.SetItemWidth(50 + round % 40);
        control.SetMultilLine(round % 3 == 0);
        control.SetCntOfLine(2 + round % 4);
        control.SetIsBottom(round % 5 == 0);
    }
};

struct CommandSubject : ControlSubject<YCommand> {
    CommandSubject(host::Form& f) : ControlSubject(f, L"YCommand1", 90, 26) {}
    void Alter(int round) override
    {
        control.SetCaption(L"Press " + std::to_wstring(round));
        control.SetEnabled(round % 4 != 3);
    }
};

struct OptionSubject : ControlSubject<YOption> {
    OptionSubject(host::Form& f) : ControlSubject(f, L"YOption1", 110, 20) {}
    bool HasTimers() const override { return false; }
    void Alter(int round) override
    {
        control.SetValue(round % 2);
        control.SetCaption(L"Option " + std::to_wstring(round));
    }
};

struct CheckSubject : ControlSubject<YCheck> {
    CheckSubject(host::Form& f) : ControlSubject(f, L"YCheck1", 110, 20) {}
    bool HasTimers() const override { return false; }
    void Alter(int round) override
    {
        control.SetValue(round % 2);
        control.SetCaption(L"Check " + std::to_wstring(round));
    }
};

struct ProgressSubject : ControlSubject<YProgress> {
    ProgressSubject(host::Form& f) : ControlSubject(f, L"YProgress1", 200, 22) {}
    bool HasTimers() const override { return false; }
    void Alter(int round) override
    {
        control.SetMaxV(100 + round % 50);
        control.SetValue(round % 150);
        control.SetFont(SmallFont(round));
    }
};

struct FrameSubject : ControlSubject<YFrame> {
    FrameSubject(host::Form& f) : ControlSubject(f, L"YFrame1", 200, 120) {}
    bool HasTimers() const override { return false; }
    void Alter(int round) override
    {
        control.SetCaption(L"Frame " + std::to_wstring(round));
        control.SetBorderColor(static_cast<host::Colour>(0x00102030 + round));
        control.SetFont(SmallFont(round));
    }
};

struct ButtonSubject : ControlSubject<kx::kxButtons_H> {
    ButtonSubject(host::Form& f) : ControlSubject(f, L"kxButtons_H1", 100, 28) {}
    void Alter(int round) override
    {
        control.SetCaption(L"Go " + std::to_wstring(round));
        control.SetValue(round % 2 == 0);
        control.SetBackColor(static_cast<host::Colour>(0x00E0E0E0 - round % 64));
        control.Refresh();
    }
};

using Factory = std::function<std::unique_ptr<Subject>(host::Form&)>;

struct Kind {
    const char* name;
    Factory make;
};

// Failure messages name the subject.
void PrintTo(const Kind& kind, std::ostream* os) { *os << kind.name; }

template <class S>
Factory Make()
{
    return [](host::Form& f) { return std::make_unique<S>(f); };
}

const std::vector<Kind>& Kinds()
{
    static const std::vector<Kind> kinds = {
        {"YHScroll",
         [](host::Form& f) { return std::make_unique<ScrollSubject<YHScroll>>(f, L"YHScroll1", 200, 18); }},
        {"YVScroll",
         [](host::Form& f) { return std::make_unique<ScrollSubject<YVScroll>>(f, L"YVScroll1", 18, 200); }},
        {"YList", Make<ListSubject>()},
        {"YCombo", Make<ComboSubject>()},
        {"YTreeView", Make<TreeSubject>()},
        {"YListView", Make<ListViewSubject>()},
        {"YGroupList", Make<GroupListSubject>()},
        {"YTab", Make<TabSubject>()},
        {"YCommand", Make<CommandSubject>()},
        {"YOption", Make<OptionSubject>()},
        {"YCheck", Make<CheckSubject>()},
        {"YProgress", Make<ProgressSubject>()},
        {"YFrame", Make<FrameSubject>()},
        {"kxButtons_H", Make<ButtonSubject>()},
    };
    return kinds;
}

void Repaint(HWND h)
{
    ::InvalidateRect(h, nullptr, FALSE);
    ::UpdateWindow(h);
}

// ---- monkey -------------------------------------------------------------

struct Sent {
    HWND target;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
};

std::string Describe(const Sent& s)
{
    static const std::pair<UINT, const char*> names[] = {
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},     {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},   {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"}, {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"}, {WM_RBUTTONUP, "WM_RBUTTONUP"},
        {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},   {WM_KEYDOWN, "WM_KEYDOWN"},           {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},               {WM_MOUSELEAVE, "WM_MOUSELEAVE"},     {WM_SETFOCUS, "focus in"},
        {WM_KILLFOCUS, "focus out"},        {WM_PAINT, "paint"},                  {WM_TIMER, "timers run"}};
    std::ostringstream o;
    const char* name = "?";
    for (auto& n : names)
        if (n.first == s.msg)
            name = n.second;
    wchar_t cls[64] = L"";
    ::GetClassNameW(s.target, cls, 64);
    o << name << " to " << host::ToUtf8(cls) << " wParam=0x" << std::hex << s.wp << " lParam=0x" << s.lp;
    return o.str();
}

BOOL CALLBACK Collect(HWND h, LPARAM out)
{
    reinterpret_cast<std::vector<HWND>*>(out)->push_back(h);
    return TRUE;
}

// The window and every window inside it, plus this thread's other visible
// top-level windows (a dropped list lives there).
std::vector<HWND> Targets(HWND root, HWND form)
{
    std::vector<HWND> out{root};
    ::EnumChildWindows(root, Collect, reinterpret_cast<LPARAM>(&out));
    std::vector<HWND> tops;
    ::EnumThreadWindows(::GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&tops));
    for (HWND t : tops)
        if (t != form && ::IsWindowVisible(t)) {
            out.push_back(t);
            ::EnumChildWindows(t, Collect, reinterpret_cast<LPARAM>(&out));
        }
    return out;
}

// Last messages sent, printed when something fails or faults.
std::deque<Sent> g_recent;
const char* g_running = nullptr;
int g_burst = 0;

void PrintRecent(FILE* to)
{
    std::fprintf(to, "monkey on %s, seed %u, burst %d; last %zu messages:\n", g_running ? g_running : "?", kSeed,
                 g_burst, g_recent.size());
    for (const Sent& s : g_recent)
        std::fprintf(to, "  %s\n", Describe(s).c_str());
    std::fflush(to);
}

LONG CALLBACK OnFault(EXCEPTION_POINTERS* info)
{
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    const bool fatal = code == EXCEPTION_ACCESS_VIOLATION || code == EXCEPTION_STACK_OVERFLOW ||
                       code == EXCEPTION_INT_DIVIDE_BY_ZERO || code == EXCEPTION_ILLEGAL_INSTRUCTION ||
                       code == EXCEPTION_ARRAY_BOUNDS_EXCEEDED;
    static bool printed = false;
    if (fatal && g_running && !printed) {
        printed = true;
        std::fprintf(stderr, "fault 0x%08lx during the monkey run\n", static_cast<unsigned long>(code));
        PrintRecent(stderr);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

class Monkey {
public:
    Monkey(const char* name, HWND root, HWND form) : root_(root), form_(form), rng_(kSeed)
    {
        g_running = name;
        g_recent.clear();
        handler_ = ::AddVectoredExceptionHandler(1, OnFault);
    }
    ~Monkey()
    {
        ::RemoveVectoredExceptionHandler(handler_);
        g_running = nullptr;
    }

    // One message (or one user-level act) at random.
    void Step()
    {
        if (targets_.empty() || (rng_() % 64) == 0)
            targets_ = Targets(root_, form_);
        HWND t = targets_[rng_() % targets_.size()];
        if (!::IsWindow(t)) {
            targets_.clear();
            return;
        }
        RECT rc{};
        ::GetClientRect(t, &rc);
        const int x = static_cast<int>(rng_() % (rc.right + 20)) - 10;
        const int y = static_cast<int>(rng_() % (rc.bottom + 20)) - 10;
        const LPARAM at = MAKELPARAM(x, y);
        POINT screen{x, y};
        ::ClientToScreen(t, &screen);
        // Tessara's controls read the test's mouse; the launcher's button
        // reads the real one (this desktop is ours alone).
        g_cursor = screen;
        ::SetCursorPos(screen.x, screen.y);
        const WPARAM buttons = (rng_() % 3 == 0) ? MK_LBUTTON : 0;
        static const WPARAM keys[] = {VK_UP,  VK_DOWN,  VK_LEFT,  VK_RIGHT, VK_PRIOR, VK_NEXT,
                                      VK_HOME, VK_END, VK_SPACE, VK_ESCAPE, VK_TAB,  'A'};
        Sent s{t, 0, 0, 0};
        switch (rng_() % 16) {
        case 0: case 1: case 2: s = {t, WM_MOUSEMOVE, buttons, at}; break;
        case 3: s = {t, WM_LBUTTONDOWN, MK_LBUTTON, at}; break;
        case 4: s = {t, WM_LBUTTONUP, 0, at}; break;
        case 5: s = {t, WM_LBUTTONDBLCLK, MK_LBUTTON, at}; break;
        case 6: s = {t, static_cast<UINT>((rng_() % 2) ? WM_RBUTTONDOWN : WM_RBUTTONUP), 0, at}; break;
        case 7: case 8: {
            const int delta = static_cast<int>(rng_() % 5) * 120 - 240;
            s = {t, WM_MOUSEWHEEL, MAKEWPARAM(buttons, static_cast<WORD>(static_cast<short>(delta))),
                 MAKELPARAM(screen.x, screen.y)};
            break;
        }
        case 9: s = {t, WM_KEYDOWN, keys[rng_() % 12], 1}; break;
        case 10: s = {t, WM_KEYUP, keys[rng_() % 12], static_cast<LPARAM>(0xC0000001u)}; break;
        case 11: s = {t, WM_CHAR, static_cast<WPARAM>(L'a' + rng_() % 26), 1}; break;
        case 12: s = {t, WM_MOUSELEAVE, 0, 0}; break;
        case 13: s = {t, static_cast<UINT>((rng_() % 2) ? WM_SETFOCUS : WM_KILLFOCUS), 0, 0}; break;
        case 14: s = {t, WM_PAINT, 0, 0}; break;
        default: s = {t, WM_TIMER, 0, 0}; break;
        }
        g_recent.push_back(s);
        if (g_recent.size() > 24)
            g_recent.pop_front();
        if (s.msg == WM_PAINT) {
            Repaint(t);
        } else if (s.msg == WM_TIMER) {
            // Mostly the queue is emptied; now and then the user rests long
            // enough for the controls' 100 ms timers (layout, marquee, arrow
            // repeat, hover) to tick.
            if (rng_() % kPauseOneIn == 0)
                Pause();
            else
                PumpPending();
        } else if (s.msg == WM_SETFOCUS) {
            ::SetFocus(t);
        } else if (s.msg == WM_KILLFOCUS) {
            ::SetFocus(form_);
        } else {
            ::SendMessageW(t, s.msg, s.wp, s.lp);
        }
        ++sent_;
    }
    long long Sent_() const { return sent_; }

    // A rest without input: ends once a timer has ticked, or after 150 ms
    // when none runs.
    static void Pause()
    {
        const long long ticks = g_timerTicks;
        const DWORD start = ::GetTickCount();
        while (g_timerTicks == ticks && ::GetTickCount() - start < 150) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            PumpPending();
        }
    }

private:
    HWND root_, form_;
    std::mt19937 rng_;
    std::vector<HWND> targets_;
    void* handler_ = nullptr;
    long long sent_ = 0;
};

// Ends any press still held, closes a dropped list and lets the mouse
// leave, then lets the deferred layouts run: the same quiet state at every
// measurement, so a later subject starts clean as well.
void LetGo(HWND root)
{
    if (HWND c = ::GetCapture())
        ::SendMessageW(c, WM_LBUTTONUP, 0, 0);
    ::ReleaseCapture();
    kit::CloseDropDown();
    std::vector<HWND> all{root};
    ::EnumChildWindows(root, Collect, reinterpret_cast<LPARAM>(&all));
    for (HWND h : all)
        ::SendMessageW(h, WM_MOUSELEAVE, 0, 0);
    PumpFor(150);
}

// The invariants across controls added to a subject's own.
std::string WithFormChecks(std::string r, const host::Form& form)
{
    for (const std::string& more : {reliability::StaleHookEntries(), reliability::DropDownAgrees(form)})
        if (!more.empty())
            r += (r.empty() ? "" : "; ") + more;
    return r;
}

double SecondsSince(DWORD start) { return (::GetTickCount() - start) / 1000.0; }

class Reliability : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override
    {
        tessara::SetCursorReader(&ReadCursor);
        host::SetMessageBoxSink([this](const host::MessageBoxRecord& b) { boxes.push_back(b.text); });
        form.SetClientSize(640 * 15, 480 * 15);
        form.Show();
    }
    void TearDown() override
    {
        if (form.Loaded())
            form.Unload();
        host::SetMessageBoxSink(nullptr);
        tessara::SetCursorReader(nullptr);
        EXPECT_TRUE(boxes.empty()) << "a message box appeared: " << host::ToUtf8(boxes.front());
        EXPECT_EQ(reliability::StaleHookEntries(), "") << "after the form unloaded";
        EXPECT_TRUE(kit::WindowHook::Live().empty()) << "hooks outlived their controls";
    }
    host::Form form{L"frmReliability"};
    std::vector<std::wstring> boxes;
};

TEST_P(Reliability, SoakLeavesNoGdiObjectsWindowsOrMemoryBehind)
{
    const Kind& kind = GetParam();
    if (kFull)
        std::printf("soak of %s: %d rounds\n", kind.name, kSoakRounds), std::fflush(stdout);
    const DWORD began = ::GetTickCount();
    auto subject = kind.make(form);
    HWND h = subject->Window();
    ASSERT_TRUE(::IsWindow(h));
    Row& row = RowFor(kind.name);
    Figures start{};
    for (int round = 0; round < kSoakRounds; ++round) {
        subject->Change(round);
        Repaint(h);
        PumpPending();
        if (round == kSoakWarmUp - 1) {
            subject->Refill();
            Repaint(h);
            PumpFor(150);  // deferred layouts of the warm-up have run
            start = Settled();
        }
        if (kFull && round > 0 && round % 2000 == 0)
            std::printf("  %s: %d of %d rounds\n", kind.name, round, kSoakRounds), std::fflush(stdout);
    }
    subject->Change(kSoakWarmUp - 1);  // the properties the start was measured with
    subject->Refill();
    Repaint(h);
    PumpFor(150);
    const Figures end = Settled();
    row.soakStart = start;
    row.soakEnd = end;
    row.soakRounds = kSoakRounds;
    row.soakSeconds = SecondsSince(began);
    ExpectNoGrowth(kind.name, start, end, kSoakRounds - kSoakWarmUp);
    EXPECT_EQ(WithFormChecks(subject->Broken(), form), "");
}

// Sends bursts of random input to the subject, checking the invariants
// after each burst; measures once warmed up and at the end.
void RunMonkey(const char* name, HWND root, const host::Form& form, const std::function<std::string()>& broken,
               const std::function<bool()>& alive, bool hasTimers, Row& row)
{
    if (kFull)
        std::printf("monkey on %s: %d messages, seed %u\n", name, kMonkeyMessages, kSeed), std::fflush(stdout);
    const DWORD began = ::GetTickCount();
    const long long ticksBefore = g_timerTicks;
    Monkey monkey(name, root, form.hWnd());
    const auto burst = [&] {
        for (int i = 0; i < kBurst; ++i)
            monkey.Step();
        const std::string why = broken();
        if (!why.empty()) {
            PrintRecent(stdout);
            ADD_FAILURE() << name << " after " << monkey.Sent_() << " messages (seed " << kSeed << "): " << why;
            return false;
        }
        if (!alive()) {
            ADD_FAILURE() << name << " went away after " << monkey.Sent_() << " messages (seed " << kSeed << ")";
            return false;
        }
        return true;
    };
    g_burst = 0;
    LetGo(root);
    Figures start = Settled();
    for (int warm = 0; warm < kMonkeyWarmUpMax; ++warm) {
        ++g_burst;
        if (!burst())
            return;
        LetGo(root);
        const Figures now = Settled();
        const bool settled = now.gdi == start.gdi;
        start = now;
        if (settled)
            break;
    }
    const long long sentAtStart = monkey.Sent_();
    while (monkey.Sent_() - sentAtStart < kMonkeyMessages) {
        ++g_burst;
        if (!burst())
            return;
        if (kFull && g_burst % 40 == 0)
            std::printf("  %s: %lld of %d messages\n", name, monkey.Sent_() - sentAtStart, kMonkeyMessages),
                std::fflush(stdout);
    }
    LetGo(root);
    const Figures end = Settled();
    row.start = start;
    row.end = end;
    row.messages = monkey.Sent_();
    row.timerTicks = g_timerTicks - ticksBefore;
    row.monkeySeconds = SecondsSince(began);
    EXPECT_EQ(broken(), "") << "seed " << kSeed;
    ExpectNoGrowth(name, start, end, monkey.Sent_() - sentAtStart);
    if (hasTimers) {
        EXPECT_GT(row.timerTicks, 0) << name << ": no timer ticked during the run";
    }
}

TEST_P(Reliability, MonkeyKeepsInvariants)
{
    const Kind& kind = GetParam();
    auto subject = kind.make(form);
    PumpFor(150);
    RunMonkey(
        kind.name, subject->Window(), form, [&] { return WithFormChecks(subject->Broken(), form); },
        [&] { return ::IsWindow(subject->Window()) != FALSE; }, subject->HasTimers(), RowFor(kind.name));
}

INSTANTIATE_TEST_SUITE_P(Controls, Reliability, ::testing::ValuesIn(Kinds()),
                         [](const ::testing::TestParamInfo<Kind>& info) { return std::string(info.param.name); });

// The gallery form with every control filled as the program fills them.
TEST(GalleryReliability, MonkeyOnTheWholeFormKeepsEveryControlsInvariants)
{
    std::vector<std::wstring> boxes;
    host::SetMessageBoxSink([&](const host::MessageBoxRecord& b) { boxes.push_back(b.text); });
    tessara::SetCursorReader(&ReadCursor);
    auto form = std::make_unique<gallery::frmMain>();
    form->Show();
    const DWORD start = ::GetTickCount();
    while (form->Answer(gallery::QueryPainted, 0) != 1 && ::GetTickCount() - start < 10000)
        PumpFor(20);
    ASSERT_EQ(form->Answer(gallery::QueryPainted, 0), 1);
    RunMonkey(
        "frmMain", form->hWnd(), *form,
        [&] { return WithFormChecks(reliability::BrokenIn(*form), *form); },
        [&] { return form->Loaded(); }, true, RowFor("frmMain"));
    ASSERT_TRUE(form->Loaded()) << "the form unloaded itself";
    form->Unload();
    form.reset();
    tessara::SetCursorReader(nullptr);
    host::SetMessageBoxSink(nullptr);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(reliability::StaleHookEntries(), "") << "after the gallery unloaded";
}

} // namespace
