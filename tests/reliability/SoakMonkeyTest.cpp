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
#include "korvel/DialogRules.h"
#include "korvel/ModOpenFile.h"
#include "korvel/frmKorvel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdint>
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

// As the programs' own message loops do, controls of a form unloaded from
// inside a message (the tutorial, closed from a click in the dialog) are
// deleted once the queue is empty.
void PumpPending()
{
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_TIMER)
            ++g_timerTicks;
        ::TranslateMessage(&m);
        ::DispatchMessageW(&m);
    }
    host::DeleteRetiredControls();
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

// Two caches of the platform's fill on first use and never shrink, and
// would count as growth when first used late in a run; both are filled
// before anything is measured. Window device contexts (each with a region):
// the cache grows by one entry whenever more are in use at once than ever
// before, up to a limit, so a control that first nests one paint in
// another moved the figures by a DC and its region; holding 40 at once
// takes it to its limit. The system's cursors: each is loaded (three
// bitmaps) the first time a control shows it, as the list view's sizing
// cursor over a header border; every one a control can ask for is loaded
// here. The objects the program makes itself (pens, brushes, fonts,
// bitmaps, regions, memory DCs) still show every one they keep.
void FillPlatformCaches()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    HWND windows[40];
    HDC dcs[40];
    for (int i = 0; i < 40; ++i) {
        windows[i] = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        dcs[i] = ::GetDC(windows[i]);
    }
    for (int i = 0; i < 40; ++i) {
        ::ReleaseDC(windows[i], dcs[i]);
        ::DestroyWindow(windows[i]);
    }
    for (int pointer = 0; pointer <= 15; ++pointer)
        host::CursorForPointer(pointer);
}

// Live GDI objects by kind (GetObjectType), read from the handle table
// without making any: on this platform a slot's bare 16-bit handle names
// whatever lives in it. Only for telling the kinds apart in a failure.
struct GdiKinds {
    int count[16] = {};
};

GdiKinds LiveGdiKinds()
{
    GdiKinds k;
    for (ULONG_PTR slot = 1; slot < 0x10000; ++slot) {
        const DWORD type = ::GetObjectType(reinterpret_cast<HGDIOBJ>(slot));
        if (type > 0 && type < 16)
            ++k.count[type];
    }
    return k;
}

std::string KindsChanged(const GdiKinds& a, const GdiKinds& b)
{
    static const char* const names[16] = {"?",      "pen",      "brush",     "DC",          "metafile DC", "palette",
                                          "font",   "bitmap",   "region",    "metafile",    "memory DC",   "pen (ext)",
                                          "EMF DC", "EMF",      "colour space", "?"};
    std::string r;
    for (int t = 1; t < 16; ++t)
        if (a.count[t] != b.count[t])
            r += std::string(r.empty() ? "" : ", ") + names[t] + " " + (b.count[t] > a.count[t] ? "+" : "") +
                 std::to_string(b.count[t] - a.count[t]);
    return r.empty() ? "no kind changed" : r;
}

struct Figures {
    int gdi = 0;
    GdiKinds kinds;
    int user = 0;
    long long heap = 0;      // bytes in use through operator new
    long long blocks = 0;
    SIZE_T privateBytes = 0;
};

Figures Measure()
{
    FillPlatformCaches();
    PumpPending();
    Figures f;
    f.gdi = kittest::LiveGdiObjects();
    f.kinds = LiveGdiKinds();
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
    EXPECT_EQ(end.gdi, start.gdi) << who << ": GDI objects left alive (" << KindsChanged(start.kinds, end.kinds)
                                  << ")";
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

// Which windows a run talks to, when not all of Targets (a filtered set).
using TargetList = std::function<std::vector<HWND>()>;
// Called after each message has been delivered (and whatever it opened
// has closed again).
using AfterStep = std::function<void(const Sent&)>;

// Whether a message may be sent at all (those refused are drawn again).
using MessageFilter = std::function<bool(const Sent&)>;

struct MonkeyPlan {
    TargetList targets;
    MessageFilter allowed;
    AfterStep after;
    bool wholeClicks = false;  // half the presses released at once
};

class Monkey {
public:
    // A run inside another one (in a window the outer run opened) keeps the
    // outer run's name and recent messages once it ends.
    Monkey(const char* name, HWND root, HWND form, unsigned seed = kSeed, MonkeyPlan plan = {})
        : root_(root), form_(form), rng_(seed), plan_(std::move(plan)), outer_(g_running)
    {
        g_running = name;
        if (!outer_)
            g_recent.clear();
        handler_ = ::AddVectoredExceptionHandler(1, OnFault);
    }
    ~Monkey()
    {
        ::RemoveVectoredExceptionHandler(handler_);
        g_running = outer_;
    }

    // One message (or one user-level act) at random.
    void Step()
    {
        if (targets_.empty() || (rng_() % 64) == 0)
            targets_ = plan_.targets ? plan_.targets() : Targets(root_, form_);
        if (targets_.empty())
            return;
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
        if (plan_.allowed && !plan_.allowed(s))
            return;
        Deliver(s);
        // A whole click now and then, where presses elsewhere would
        // otherwise nearly always come between a press and its release.
        if (plan_.wholeClicks && s.msg == WM_LBUTTONDOWN && rng_() % 2 == 0 && ::IsWindow(t))
            Deliver({t, WM_LBUTTONUP, 0, s.lp});
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
    void Deliver(const Sent& s)
    {
        g_recent.push_back(s);
        if (g_recent.size() > 24)
            g_recent.pop_front();
        const HWND t = s.target;
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
        if (plan_.after)
            plan_.after(s);
    }

    HWND root_, form_;
    std::mt19937 rng_;
    MonkeyPlan plan_;
    const char* outer_;
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
    for (HWND h : all) {
        wchar_t cls[16] = L"";
        ::GetClassNameW(h, cls, 16);
        if (::lstrcmpiW(cls, L"ComboBox") == 0)
            ::SendMessageW(h, CB_SHOWDROPDOWN, FALSE, 0);  // a system drop-down list
        ::SendMessageW(h, WM_MOUSELEAVE, 0, 0);
    }
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
               const std::function<bool()>& alive, bool hasTimers, Row& row, const MonkeyPlan& plan = {})
{
    if (kFull)
        std::printf("monkey on %s: %d messages, seed %u\n", name, kMonkeyMessages, kSeed), std::fflush(stdout);
    const DWORD began = ::GetTickCount();
    const long long ticksBefore = g_timerTicks;
    Monkey monkey(name, root, form.hWnd(), kSeed, plan);
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

// The system's text box and a form's frame answer a right click with a
// menu of the system's, whose modal loop the run cannot play in (the
// gallery's run waited in one for ever after 79,500 messages).
bool NoSystemMenus(const Sent& s)
{
    if (s.msg != WM_RBUTTONDOWN && s.msg != WM_RBUTTONUP)
        return true;
    if (!(::GetWindowLongPtrW(s.target, GWL_STYLE) & WS_CHILD))
        return false;
    wchar_t cls[16] = L"";
    ::GetClassNameW(s.target, cls, 16);
    return ::lstrcmpiW(cls, L"Edit") != 0;
}

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
    MonkeyPlan plan;
    plan.allowed = NoSystemMenus;
    RunMonkey(
        "frmMain", form->hWnd(), *form,
        [&] { return WithFormChecks(reliability::BrokenIn(*form), *form); },
        [&] { return form->Loaded(); }, true, RowFor("frmMain"), plan);
    ASSERT_TRUE(form->Loaded()) << "the form unloaded itself";
    form->Unload();
    form.reset();
    tessara::SetCursorReader(nullptr);
    host::SetMessageBoxSink(nullptr);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(reliability::StaleHookEntries(), "") << "after the gallery unloaded";
}

// ---- the launcher's dialog ------------------------------------------------

// The dialog's own windows, without OK and Cancel (pressed once, at the
// end) and without the tutorial's (played in while it is open).
std::vector<HWND> DialogTargets(korvel::frmKorvel& dialog)
{
    const HWND ok = dialog.Control<kx::kxButtons_H>(L"cmdOK").hWnd();
    const HWND cancel = dialog.Control<kx::kxButtons_H>(L"cmdCancel").hWnd();
    std::vector<HWND> out;
    for (HWND h : Targets(dialog.hWnd(), dialog.hWnd()))
        if (h != ok && h != cancel && !::IsChild(ok, h) && !::IsChild(cancel, h))
            out.push_back(h);
    return out;
}

host::Form* LoadedForm(const wchar_t* name)
{
    for (host::Form* f : host::Form::LoadedForms())
        if (f->Name() == name)
            return f;
    return nullptr;
}

// "x" for each ticked row, "." for each other one.
std::string Ticks(const host::CheckList& list)
{
    std::string s;
    for (int r = 0; r < list.ListCount(); ++r)
        s += list.Selected(r) ? 'x' : '.';
    return s;
}

// The processor rows a stored mask ticks: row 0 ("AllCPU") and every
// processor row for mask 0, else row k for each set bit k-1 of a positive
// mask.
std::string CpuTicksFor(std::int32_t mask, int rows)
{
    if (mask == 0)
        return std::string(rows, 'x');
    std::string s(rows, '.');
    for (int k = 1; k < rows && k <= 31; ++k)
        if (mask > 0 && ((mask >> (k - 1)) & 1))
            s[k] = 'x';
    return s;
}

// One ticked row in a list of `rows` (none when `row` is outside).
std::string OneTick(int row, int rows)
{
    std::string s(rows, '.');
    if (row >= 0 && row < rows)
        s[row] = 'x';
    return s;
}

// The mask OK stores for these ticks: bit k-1 for each ticked row k >= 1.
std::int32_t MaskOfTicks(const std::string& ticks)
{
    std::int64_t sum = 0;
    for (std::size_t k = 1; k < ticks.size() && k <= 32; ++k)
        if (ticks[k] == 'x')
            sum += std::int64_t{1} << (k - 1);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(sum));
}

// What the user sees of the dialog's choice.
struct DialogShown {
    std::string programs, cpus, cpuPriorities, ioPriorities;
    int windowState = -1;
    std::wstring params;
    int remember = -1;
};

// The launcher's dialog under the monkey: a folder of three programs, the
// links' opener replaced by a recorder, the tutorial opened by the run's
// clicks, played in for a while and closed with its close button.
class DialogReliability : public ::testing::Test {
protected:
    // Messages played in the tutorial each time it opens.
    static constexpr int kTutorialSteps = 150;

    void SetUp() override
    {
        for (const wchar_t* name : {L"alpha.exe", L"beta.exe", L"gamma.exe"})
            kt::WriteBytes(folder.file(name), "MZ");
        host::SetMessageBoxSink([this](const host::MessageBoxRecord& b) { boxes.push_back(b.text); });
        korvel::SetShellExecuteCall([this](void* owner, const wchar_t* verb, const wchar_t* target,
                                           const wchar_t* parameters, const wchar_t* directory, int show) {
            // Counted, not kept: the recorder must not grow the heap the run measures.
            const bool page = target && std::wcscmp(target, korvel::kMakerWebPage) == 0;
            const bool shop = target && std::wcscmp(target, korvel::kMakerShop) == 0;
            ++(page ? pageOpened : shop ? shopOpened : otherOpened);
            if (owner || verb || parameters || directory || show != SW_SHOWNORMAL || !(page || shop))
                Note(std::string("a link opened ") + (target ? host::ToUtf8(target) : "nothing") + " (show " +
                     std::to_string(show) + (directory ? ", with a directory" : "") + ")");
        });
        tessara::SetCursorReader(&ReadCursor);
        fields.EXEName = L"beta.exe";
        fields.SelectedCPU = 1;
        fields.CPUPRIORITY = 2;
        fields.IOPRIORITY = 1;
        fields.ShowStyle = 3;
        fields.EXEParam = L"-x";
        dialog = std::make_unique<korvel::frmKorvel>(folder.path(), L"Korvel.exe");
        dialog->Config = fields;
        dialog->Show();
        watch.Tick.connect([this] { PlayInTutorial(); });
        last = Now();
    }
    void TearDown() override
    {
        watch.SetEnabled(false);
        if (dialog) {
            dialog->Unload();
            dialog.reset();
        }
        korvel::SetShellExecuteCall(nullptr);
        host::SetMessageBoxSink(nullptr);
        tessara::SetCursorReader(nullptr);
        EXPECT_EQ(reliability::StaleHookEntries(), "") << "after the dialog unloaded";
    }

    host::CheckList& List(const wchar_t* name) { return dialog->Control<host::CheckList>(name); }

    DialogShown Now()
    {
        return DialogShown{Ticks(List(L"lstEXE")),
                           Ticks(List(L"lstCPU")),
                           Ticks(List(L"lstCPUPriority")),
                           Ticks(List(L"lstIOPriority")),
                           dialog->Control<host::DropDownList>(L"cbStyle").ListIndex(),
                           dialog->Control<host::TextBox>(L"txtParam").Text(),
                           dialog->Control<host::CheckBox>(L"chkRemember").Value()};
    }

    void Note(const std::string& what)
    {
        if (notes.size() < 8)
            notes.push_back(what + " (after " + std::to_string(steps) + " messages)");
    }

    // From the tutorial's modal loop: a monkey of its own in its windows,
    // then its close button.
    void PlayInTutorial()
    {
        host::Form* help = LoadedForm(L"frmHelp");
        if (inTutorial || !help || !help->Visible())
            return;
        inTutorial = true;
        ++tutorials;
        const auto open = [&] { return LoadedForm(L"frmHelp") == help && help->Visible(); };
        {
            // Its own windows only: the dialog behind it waits.
            MonkeyPlan plan;
            plan.targets = [h = help->hWnd()] {
                std::vector<HWND> out{h};
                ::EnumChildWindows(h, Collect, reinterpret_cast<LPARAM>(&out));
                return out;
            };
            plan.allowed = [](const Sent& s) { return NoSystemMenus(s); };
            plan.wholeClicks = true;
            Monkey inside("frmHelp", help->hWnd(), help->hWnd(), kSeed + static_cast<unsigned>(tutorials), plan);
            for (int i = 0; i < tutorialSteps && open(); ++i)
                inside.Step();
        }
        if (open()) {
            LetGo(help->hWnd());
            const HWND close = help->Control<kx::kxButtons_H>(L"kxButtons_H3").hWnd();
            RECT r{};
            ::GetClientRect(close, &r);
            const POINT centre{r.right / 2, r.bottom / 2};
            POINT screen = centre;
            ::ClientToScreen(close, &screen);
            g_cursor = screen;
            ::SetCursorPos(screen.x, screen.y);
            ::SendMessageW(close, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
            ::SendMessageW(close, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
        }
        if (open()) {
            Note("the tutorial's close button did not close it");
            help->Hide();
        }
        inTutorial = false;
    }

    // After each message: which choice it changed, and, once the tutorial
    // has been and gone, whether the dialog went back to its fields and
    // its windows to their number.
    void AfterStep(const Sent&)
    {
        ++steps;
        const DialogShown now = Now();
        if (tutorials != tutorialsSeen) {
            tutorialsSeen = tutorials;
            const korvel::LaunchConfig& c = dialog->Config;
            if (LoadedForm(L"frmHelp"))
                Note("the tutorial is still loaded after it closed");
            if (reliability::LiveWindows() != windowsAtRest)
                Note("the tutorial left " + std::to_string(reliability::LiveWindows()) + " windows, " +
                     std::to_string(windowsAtRest) + " before it opened");
            if (now.cpus != CpuTicksFor(c.SelectedCPU, List(L"lstCPU").ListCount()))
                Note("back from the tutorial the processor ticks " + now.cpus + " do not match the mask " +
                     std::to_string(c.SelectedCPU));
            if (now.programs != OneTick(programRow, 3) || now.cpuPriorities != OneTick(c.CPUPRIORITY, 4) ||
                now.ioPriorities != OneTick(c.IOPRIORITY, 4) || now.windowState != c.ShowStyle)
                Note("back from the tutorial the choice " + now.programs + " " + now.cpuPriorities + " " +
                     now.ioPriorities + " " + std::to_string(now.windowState) + " is not the fields'");
            if (now.params != c.EXEParam || now.remember != (c.isRemember == 1 ? 1 : 0))
                Note("back from the tutorial the parameters or the remember box changed");
        } else {
            changed[0] += now.programs != last.programs;
            changed[1] += now.cpus != last.cpus;
            changed[2] += now.cpuPriorities != last.cpuPriorities;
            changed[3] += now.ioPriorities != last.ioPriorities;
            changed[4] += now.windowState != last.windowState;
            changed[5] += now.params != last.params;
            changed[6] += now.remember != last.remember;
        }
        last = now;
    }

    // What must hold after any burst: every choice in range, the processor
    // ticks as their rule leaves them, the fields as given (no OK yet) and
    // agreeing with the parameter and remember boxes.
    std::string Broken()
    {
        std::ostringstream why;
        const DialogShown now = Now();
        const korvel::LaunchConfig& c = dialog->Config;
        const int cpuRows = List(L"lstCPU").ListCount();
        if (now.programs.size() != 3 || now.cpuPriorities.size() != 4 || now.ioPriorities.size() != 4 ||
            cpuRows != 1 + processors || dialog->Control<host::DropDownList>(L"cbStyle").ListCount() != 4)
            why << "rows lost or added; ";
        for (const std::string* single : {&now.programs, &now.cpuPriorities, &now.ioPriorities})
            if (std::count(single->begin(), single->end(), 'x') > 1)
                why << "more than one tick in " << *single << "; ";
        if (!now.cpus.empty() && now.cpus[0] == 'x' && now.cpus.find('.') != std::string::npos)
            why << "AllCPU ticked with the processors " << now.cpus << "; ";
        if (now.windowState < 0 || now.windowState > 3)
            why << "window state " << now.windowState << "; ";
        if (c.CPUPRIORITY != fields.CPUPRIORITY || c.IOPRIORITY != fields.IOPRIORITY ||
            c.ShowStyle != fields.ShowStyle || c.SelectedCPU != fields.SelectedCPU || c.EXEName != fields.EXEName)
            why << "the choice fields changed before OK (" << c.CPUPRIORITY << ", " << c.IOPRIORITY << ", "
                << c.ShowStyle << ", mask " << c.SelectedCPU << "); ";
        if (c.isCancel != 0)
            why << "isCancel " << c.isCancel << "; ";
        if (c.EXEParam != now.params)
            why << "EXEParam \"" << host::ToUtf8(c.EXEParam) << "\" but the box shows \"" << host::ToUtf8(now.params)
                << "\"; ";
        if (c.isRemember != (now.remember == 1 ? 1 : 0))
            why << "isRemember " << c.isRemember << " with the box at " << now.remember << "; ";
        if (!boxes.empty())
            why << "a message box: " << host::ToUtf8(boxes.front()) << "; ";
        for (const std::string& n : notes)
            why << n << "; ";
        return WithFormChecks(why.str(), *dialog);
    }

    kt::TempFolder folder{L"reliability-dialog"};
    korvel::LaunchConfig fields;
    std::unique_ptr<korvel::frmKorvel> dialog;
    host::Timer watch{20, true};
    std::vector<std::wstring> boxes;
    int pageOpened = 0, shopOpened = 0, otherOpened = 0;
    std::vector<std::string> notes;
    const int processors = [] {
        SYSTEM_INFO info{};
        ::GetSystemInfo(&info);
        return static_cast<int>(info.dwNumberOfProcessors);
    }();
    int programRow = -1;
    int windowsAtRest = 0;
    int tutorials = 0, tutorialsSeen = 0;
    bool inTutorial = false;
    int tutorialSteps = kTutorialSteps;
    long long steps = 0;
    long long changed[7] = {};
    DialogShown last;
};

// Shown and closed again, the tutorial leaves nothing behind: not its
// pictures, nor its windows, nor the memory of its controls.
TEST_F(DialogReliability, TheTutorialShownAgainAndAgainLeavesNothingBehind)
{
    const auto showAndClose = [&] {
        const int before = tutorials;
        const HWND label = dialog->Control<host::Label>(L"Label5").hWnd();
        ::SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ::SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        return tutorials == before + 1;
    };
    tutorialSteps = 0;  // straight to its close button
    ASSERT_TRUE(showAndClose());
    ASSERT_TRUE(showAndClose());
    LetGo(dialog->hWnd());
    const Figures start = Settled();
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(showAndClose()) << "showing " << i;
    LetGo(dialog->hWnd());
    const Figures end = Settled();
    EXPECT_EQ(end.gdi, start.gdi) << "GDI objects kept per showing (" << KindsChanged(start.kinds, end.kinds) << ")";
    EXPECT_EQ(end.user, start.user);
    // A showing whose controls stayed keeps about 7 KB in 45 blocks.
    EXPECT_EQ(end.blocks, start.blocks) << "blocks kept";
    EXPECT_LT(end.heap - start.heap, 1024) << "bytes kept";
    EXPECT_LE(end.privateBytes, start.privateBytes + 1024 * 1024) << "pictures kept";
    EXPECT_TRUE(notes.empty()) << notes.front();
}

TEST_F(DialogReliability, MonkeyOnTheLauncherDialogKeepsItsChoicesInRangeAndOkWritesWhatItShows)
{
    ASSERT_TRUE(boxes.empty()) << host::ToUtf8(boxes.front());
    for (int r = 0; r < List(L"lstEXE").ListCount(); ++r)
        if (List(L"lstEXE").List(r) == fields.EXEName)
            programRow = r;
    ASSERT_GE(programRow, 0);
    ASSERT_EQ(Now().cpus, CpuTicksFor(fields.SelectedCPU, 1 + processors));
    LetGo(dialog->hWnd());
    windowsAtRest = reliability::LiveWindows();
    last = Now();

    MonkeyPlan plan;
    plan.targets = [this] { return DialogTargets(*dialog); };
    plan.allowed = [](const Sent& s) { return NoSystemMenus(s); };
    plan.after = [this](const Sent& s) { AfterStep(s); };
    plan.wholeClicks = true;
    RunMonkey(
        "frmKorvel", dialog->hWnd(), *dialog, [this] { return Broken(); },
        [this] { return dialog->Loaded() && dialog->Visible(); }, false, RowFor("frmKorvel"), plan);
    ASSERT_TRUE(dialog->Loaded() && dialog->Visible()) << "the dialog went away";

    // Every choice was changed by the run, the tutorial opened and a link
    // was followed.
    static const char* const kChoices[] = {"lstEXE",   "lstCPU",  "lstCPUPriority", "lstIOPriority",
                                           "cbStyle", "txtParam", "chkRemember"};
    for (int i = 0; i < 7; ++i)
        EXPECT_GT(changed[i], 0) << kChoices[i] << " never changed";
    EXPECT_GT(tutorials, 0) << "the tutorial never opened";
    EXPECT_GT(pageOpened, 0) << "the web page was never opened";
    EXPECT_GT(shopOpened, 0) << "the shop was never opened";
    std::printf("frmKorvel: %d tutorial showings, %d web page and %d shop links followed; changes lstEXE %lld, lstCPU %lld, CPU "
                "priority %lld, I/O priority %lld, window state %lld, parameters %lld, remember %lld\n",
                tutorials, pageOpened, shopOpened, changed[0], changed[1], changed[2], changed[3], changed[4], changed[5],
                changed[6]);

    // OK, once: it takes what the dialog shows, or refuses with the first
    // check that fails and leaves the dialog open (then Cancel).
    watch.SetEnabled(false);
    const DialogShown shown = Now();
    const korvel::LaunchConfig before = dialog->Config;
    const std::size_t exe = shown.programs.find('x');
    const std::int32_t mask = MaskOfTicks(shown.cpus);
    const int cpuPriority = static_cast<int>(shown.cpuPriorities.find('x'));
    const int ioPriority = static_cast<int>(shown.ioPriorities.find('x'));
    const wchar_t* refusal = exe == std::string::npos ? korvel::kNeedProgramText
                             : mask == 0                ? korvel::kNeedCpuText
                             : cpuPriority < 0 || ioPriority < 0 ? korvel::kNeedPriorityText
                                                                 : nullptr;
    const auto press = [&](const wchar_t* name) {
        const HWND h = dialog->Control<kx::kxButtons_H>(name).hWnd();
        RECT r{};
        ::GetClientRect(h, &r);
        POINT screen{r.right / 2, r.bottom / 2};
        ::ClientToScreen(h, &screen);
        g_cursor = screen;
        ::SetCursorPos(screen.x, screen.y);
        ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom / 2));
        ::SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, r.bottom / 2));
    };
    press(L"cmdOK");
    const korvel::LaunchConfig& after = dialog->Config;
    EXPECT_EQ(after.EXEParam, shown.params);
    EXPECT_EQ(after.isRemember, shown.remember == 1 ? 1 : 0);
    EXPECT_EQ(after.isCancel, 0);
    if (refusal) {
        ASSERT_EQ(boxes.size(), 1u) << "OK refused the choice " << shown.programs << " " << shown.cpus << " "
                                    << shown.cpuPriorities << " " << shown.ioPriorities << " silently";
        EXPECT_EQ(boxes[0], refusal);
        EXPECT_TRUE(dialog->Visible()) << "a refused choice leaves the dialog open";
        EXPECT_EQ(after.ShowStyle, before.ShowStyle) << "the window state is only taken once all checks pass";
        press(L"cmdCancel");
        EXPECT_EQ(dialog->Config.isCancel, -1);
        boxes.clear();
    } else {
        EXPECT_TRUE(boxes.empty()) << host::ToUtf8(boxes.front());
        EXPECT_EQ(after.EXEName, List(L"lstEXE").List(static_cast<int>(exe)));
        EXPECT_EQ(after.SelectedCPU, mask) << "the ticks " << shown.cpus;
        EXPECT_EQ(after.CPUPRIORITY, cpuPriority);
        EXPECT_EQ(after.IOPRIORITY, ioPriority);
        EXPECT_EQ(after.ShowStyle, shown.windowState);
    }
    EXPECT_FALSE(dialog->Visible()) << "hidden once OK (or Cancel after a refusal) was pressed";
    std::printf("frmKorvel: OK with %s %s %s %s, window state %d: %s\n", shown.programs.c_str(), shown.cpus.c_str(),
                shown.cpuPriorities.c_str(), shown.ioPriorities.c_str(), shown.windowState,
                refusal ? host::ToUtf8(refusal).c_str() : "accepted");
}

} // namespace
