// Tessara's controls side by side with the platform's own, in one process:
// the list against the list box, the tree view against the tree-view common
// control (a flat list of nodes and the gallery's deep/wide shape), the
// list view against the report list-view common control. For each size the
// same work runs on both: fill (the platform's with redraw off, ours with
// its deferred layout), one layout, one paint scrolled to the top and one to
// the middle, finding a deep node (tree), and removing 1,000 items from the
// middle. Then the whole gallery form: one complete repaint beside the
// platform's bare repaint of windows of the same sizes, each window's paint,
// and the time from starting the program to its first complete paint beside
// a program that shows one empty window of the form's size.
//
//   compare_bench [--runs N] [--full] [--quick] [--max N] [--only SECTIONS] [--tessara path\to\Tessara.exe]
//
// --runs N   repeats every size N times (default 3) and prints medians; the
//            1,000,000 sizes run once.
// --full     also fills the platform's tree in the deep/wide shape at
//            1,000,000 nodes and searches its trees of 1,000,000 nodes (its
//            times grow faster than linear: up to hours).
// --quick    sizes up to 10,000 only (a check that the benchmark works).
// --max N    sizes up to N only.
// --only     runs only the named sections, comma-separated: list, tree,
//            listview, steps, gallery, start (the goals of the others show
//            as skipped).
//
// Each step prints "[3/15] list at 100,000 items (2 done, 41 s so far)" on
// stderr as it starts; the figures go to stdout.
#include "bench/BenchClock.h"
#include "tessara/controls/list/YList.h"
#include "tessara/controls/listview/YListView.h"
#include "tessara/controls/tree/YTreeView.h"
#include "tessara/gallery/frmMain.h"
#include "tessara/kit/ControlSkeleton.h"
#include "tessara/kit/Hook.h"
#include "tessara/kit/MdlCreateLogFont.h"
#include "tessara/kit/MdlMemDC.h"

#include "host/Host.h"

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

using bench::Median;
using bench::NowMs;
using bench::PaintOnceMs;
using bench::TimeMs;

constexpr double kNone = -1;  // a figure that has no counterpart
constexpr int kPaintRuns = 7;
constexpr int kRemoveCount = 1000;

struct Options {
    int runs = 3;
    bool full = false;
    bool quick = false;
    long long maxSize = 1000000;  // sizes above it are left out
    std::string only;  // comma-separated sections; empty for all
    std::wstring tessara;
};
Options g_opt;

bool Runs(const char* section)
{
    if (g_opt.only.empty())
        return true;
    const std::string list = "," + g_opt.only + ",";
    return list.find("," + std::string(section) + ",") != std::string::npos;
}

// ---- the table ----------------------------------------------------------------

struct Row {
    std::string work;
    std::string size;
    double ours = kNone, platform = kNone;  // ms
    long long n = -1;                       // the size as a number, -1 for none
};
std::vector<Row> g_rows;

std::string Thousands(long long n)
{
    std::string s = std::to_string(n);
    for (int i = static_cast<int>(s.size()) - 3; i > 0; i -= 3)
        s.insert(static_cast<std::size_t>(i), ",");
    return s;
}

std::string Ms(double ms)
{
    if (ms < 0)
        return "-";
    char b[32];
    std::snprintf(b, sizeof b, ms < 10 ? "%.3f" : ms < 1000 ? "%.1f" : "%.0f", ms);
    return b;
}

std::string Ratio(double ours, double platform)
{
    if (ours < 0 || platform <= 0)
        return "-";
    char b[32];
    std::snprintf(b, sizeof b, "%.2f", ours / platform);
    return b;
}

void PrintRow(const Row& r)
{
    std::printf("| %-44s | %11s | %10s | %10s | %6s |\n", r.work.c_str(), r.size.c_str(), Ms(r.ours).c_str(),
                Ms(r.platform).c_str(), Ratio(r.ours, r.platform).c_str());
    std::fflush(stdout);
}

void Report(const std::string& work, long long size, double ours, double platform)
{
    g_rows.push_back({work, size < 0 ? std::string("-") : Thousands(size), ours, platform, size});
    PrintRow(g_rows.back());
}

// Per-run figures of one size, reported as medians.
struct Samples {
    std::vector<double> ours, platform;
    void Add(double o, double p)
    {
        ours.push_back(o);
        platform.push_back(p);
    }
    void Report(const std::string& work, long long size) const
    {
        ::Report(work, size, ours.empty() ? kNone : Median(ours),
                 platform.empty() || platform[0] < 0 ? kNone : Median(platform));
    }
};

// ---- shared pieces -------------------------------------------------------------

// The platform's controls get the font our controls get by default.
HFONT PlatformFont()
{
    static HFONT font = ::CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0,
                                      L"宋体");
    return font;
}

HWND MakePlatform(const wchar_t* cls, DWORD style, HWND parent, int x, int y, int w, int h)
{
    HWND hw = ::CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
    if (!hw) {
        std::printf("cannot create the platform's %ls (error %lu)\n", cls, ::GetLastError());
        std::exit(1);
    }
    ::SendMessageW(hw, WM_SETFONT, reinterpret_cast<WPARAM>(PlatformFont()), FALSE);
    return hw;
}

// A form with room for our control and the platform's side by side; each
// gets w x h pixels.
struct Bench2 {
    host::Form form{L"frmBench"};
    int w, h;
    Bench2(int w_, int h_) : w(w_), h(h_)
    {
        form.SetClientSize((2 * w + 30) * 15, (h + 20) * 15);
        form.Show();
    }
    ~Bench2() { form.Unload(); }
    HWND parent() const { return form.hWnd(); }
};

// Paint medians at the top and in the middle; `scroll(false)` shows the top,
// `scroll(true)` the middle.
struct PaintPair {
    double top, middle;
};
// A control's frame drawn alone on a surface of its size (its paint less
// the round of messages around it); kNone for a window not of ours.
double DrawnAloneMs(HWND h)
{
    auto* skeleton = dynamic_cast<kit::ControlSkeleton*>(host::ControlBase::FromHwnd(h));
    RECT r{};
    ::GetClientRect(h, &r);
    kit::KeptSurface surface;
    HDC dc = skeleton ? surface.Fit(r.right, r.bottom) : nullptr;
    if (!dc)
        return kNone;
    std::vector<double> d;
    for (int i = 0; i < kPaintRuns; ++i)
        d.push_back(TimeMs([&] { skeleton->DrawFrame(dc, r.right, r.bottom); }));
    return Median(d);
}

PaintPair PaintBoth(HWND h, const std::function<void(bool)>& scroll)
{
    PaintPair p{};
    for (bool middle : {false, true}) {
        scroll(middle);
        PaintOnceMs(h);  // the scroll's own repaint, and a warm font path
        std::vector<double> t;
        for (int i = 0; i < kPaintRuns; ++i)
            t.push_back(PaintOnceMs(h));
        (middle ? p.middle : p.top) = Median(t);
        const double alone = DrawnAloneMs(h);
        if (alone != kNone)
            std::fprintf(stderr, "    its frame drawn alone (%s): %.3f ms\n", middle ? "middle" : "top", alone);
    }
    return p;
}

int RunsFor(int size) { return size >= 1000000 ? 1 : g_opt.runs; }

std::vector<std::wstring> Texts(const wchar_t* stem, int n)
{
    std::vector<std::wstring> t;
    t.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        t.push_back(stem + std::to_wstring(i));
    return t;
}

// ---- list --------------------------------------------------------------------

void ListSize(int n)
{
    const std::vector<std::wstring> texts = Texts(L"列表项目 ", n);
    Samples fill, layout, top, middle, remove;
    for (int run = 0; run < RunsFor(n); ++run) {
        Bench2 b(113, 166);  // the gallery's YList1
        const host::PropertyBag bag;
        auto& ours = b.form.AddControl<tessara::YList>(L"YList1", 150, 150, b.w * 15, b.h * 15, &bag);
        HWND plat = MakePlatform(L"LISTBOX", WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | LBS_NOTIFY,
                                 b.parent(), b.w + 20, 10, b.w, b.h);
        const int rows = ours.Model().PageCount();

        const double fo = TimeMs([&] {
            for (const auto& t : texts)
                ours.AddItem(t);
        });
        const double fp = TimeMs([&] {
            ::SendMessageW(plat, WM_SETREDRAW, FALSE, 0);
            ::SendMessageW(plat, LB_INITSTORAGE, static_cast<WPARAM>(n), static_cast<LPARAM>(n) * 32);
            for (const auto& t : texts)
                ::SendMessageW(plat, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
        });
        fill.Add(fo, fp);
        layout.Add(TimeMs([&] { ours.InitListHeight(rows); }),
                   TimeMs([&] { ::SendMessageW(plat, WM_SETREDRAW, TRUE, 0); }));

        const PaintPair po = PaintBoth(ours.hWnd(), [&](bool mid) {
            ours.ScrollBar().SetValue(mid ? ours.ScrollBar().MaxV() / 2 : 0);
        });
        const PaintPair pp = PaintBoth(plat, [&](bool mid) {
            ::SendMessageW(plat, LB_SETTOPINDEX, mid ? static_cast<WPARAM>(n / 2) : 0, 0);
        });
        top.Add(po.top, pp.top);
        middle.Add(po.middle, pp.middle);

        const int k = std::min(kRemoveCount, n / 2);
        const double ro = TimeMs([&] {
            for (int i = 0; i < k; ++i)
                ours.RemoveItem(ours.ListCount() / 2);
            ours.InitListHeight(rows);
        });
        const double rp = TimeMs([&] {
            ::SendMessageW(plat, WM_SETREDRAW, FALSE, 0);
            for (int i = 0; i < k; ++i) {
                const LRESULT count = ::SendMessageW(plat, LB_GETCOUNT, 0, 0);
                ::SendMessageW(plat, LB_DELETESTRING, static_cast<WPARAM>(count / 2), 0);
            }
            ::SendMessageW(plat, WM_SETREDRAW, TRUE, 0);
        });
        remove.Add(ro, rp);
        if (ours.ListCount() != n - k || ::SendMessageW(plat, LB_GETCOUNT, 0, 0) != n - k)
            std::printf("list: unexpected counts after the removal (%d / %lld)\n", ours.ListCount(),
                        static_cast<long long>(::SendMessageW(plat, LB_GETCOUNT, 0, 0)));
        ::DestroyWindow(plat);
    }
    fill.Report("list: fill", n);
    layout.Report("list: one layout", n);
    top.Report("list: paint at the top", n);
    middle.Report("list: paint in the middle", n);
    remove.Report("list: remove " + Thousands(std::min(kRemoveCount, n / 2)) + " from the middle", n);
}

// ---- tree --------------------------------------------------------------------

// One node to add: its label and the number (order of addition) of its parent.
struct TreeNode {
    std::wstring label;
    int parent;  // -1 for the root
};

// Root and n - 1 children.
std::vector<TreeNode> FlatPlan(int n)
{
    std::vector<TreeNode> p;
    p.reserve(static_cast<std::size_t>(n));
    p.push_back({L"结点0", -1});
    for (int i = 1; i < n; ++i)
        p.push_back({L"结点" + std::to_wstring(i), 0});
    return p;
}

// The gallery's shape: a root, three children, and seven passes that give
// each of three parents `perLevel` children; the first child a pass gives a
// parent is that chain's parent in the next pass.
std::vector<TreeNode> DeepPlan(int perLevel)
{
    std::vector<TreeNode> p;
    p.push_back({L"结点0", -1});
    int parents[3];
    for (int k = 0; k < 3; ++k) {
        parents[k] = static_cast<int>(p.size());
        p.push_back({L"结点" + std::to_wstring(k + 1), 0});
    }
    const wchar_t* letters = L"ABCDEFGHIJKLMNOPQRSTU";
    for (int pass = 0; pass < 7; ++pass) {
        int next[3] = {-1, -1, -1};
        for (int n = 1; n <= perLevel; ++n)
            for (int k = 0; k < 3; ++k) {
                if (n == 1)
                    next[k] = static_cast<int>(p.size());
                p.push_back({std::wstring(L"结点") + letters[pass * 3 + k] + std::to_wstring(n), parents[k]});
            }
        for (int k = 0; k < 3; ++k)
            parents[k] = next[k];
    }
    return p;
}

HIMAGELIST FolderImages()
{
    HBITMAP bmp = static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), L"FOLDER", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP bm{};
    ::GetObjectW(bmp, sizeof bm, &bm);
    HIMAGELIST il = ImageList_Create(bm.bmWidth ? bm.bmWidth : 16, bm.bmHeight ? bm.bmHeight : 16, ILC_COLOR24, 1, 0);
    ImageList_Add(il, bmp, nullptr);
    ::DeleteObject(bmp);
    return il;
}

HTREEITEM TreeNext(HWND t, UINT code, HTREEITEM from)
{
    return reinterpret_cast<HTREEITEM>(::SendMessageW(t, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(from)));
}

// The platform's counterpart of FindItem: the first node in tree order with
// this label, selected (its ancestors unfold) and scrolled into view.
bool PlatformFind(HWND t, const std::wstring& label)
{
    wchar_t buf[64];
    TVITEMW it{};
    it.mask = TVIF_TEXT;
    it.pszText = buf;
    it.cchTextMax = 64;
    std::vector<HTREEITEM> stack{TreeNext(t, TVGN_ROOT, nullptr)};
    while (!stack.empty()) {
        HTREEITEM node = stack.back();
        stack.pop_back();
        if (!node)
            continue;
        it.hItem = node;
        ::SendMessageW(t, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
        if (label == buf) {
            ::SendMessageW(t, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
            ::SendMessageW(t, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(node));
            return true;
        }
        stack.push_back(TreeNext(t, TVGN_NEXT, node));   // the sibling after the subtree
        stack.push_back(TreeNext(t, TVGN_CHILD, node));  // the subtree first
    }
    return false;
}

// Scrolls the platform's tree to its top or to the middle of its scroll
// range, as a user dragging the thumb would (walking the shown rows by
// message instead costs a handle check per step: hours at a million).
// `middleRow` (when given) is the node to show first for the middle: the
// thumb message carries 16 bits of position only.
void PlatformTreeScroll(HWND t, bool middle, HTREEITEM middleRow)
{
    if (middle && middleRow) {
        ::SendMessageW(t, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(middleRow));
        return;
    }
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    int pos = 0;
    if (middle && ::GetScrollInfo(t, SB_VERT, &si))
        pos = std::max(0, (si.nMax - static_cast<int>(si.nPage) + 1) / 2);
    ::SendMessageW(t, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, pos), 0);
}

void TreeSize(const char* shape, const std::vector<TreeNode>& plan, bool platformToo, const std::wstring& findLabel)
{
    const int n = static_cast<int>(plan.size());
    const std::string name = std::string("tree ") + shape;
    const bool flat = plan.back().parent == 0;
    Samples fill, store, layout, find, top, middle, remove;
    for (int run = 0; run < RunsFor(n); ++run) {
        // Where our fill's time goes: the window-free node store alone.
        store.Add(TimeMs([&] {
                      tessara::TreeStore alone;
                      for (const TreeNode& node : plan)
                          alone.AddItem(node.parent, node.label);
                  }),
                  kNone);
        Bench2 b(140, 186);  // the gallery's YTreeView1
        auto& ours = b.form.AddControl<tessara::YTreeView>(L"YTreeView1", 150, 150, b.w * 15, b.h * 15);
        HWND plat = platformToo ? MakePlatform(WC_TREEVIEWW,
                                               TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                                               b.parent(), b.w + 20, 10, b.w, b.h)
                                : nullptr;
        HIMAGELIST images = nullptr;
        if (plat) {
            images = FolderImages();
            ::SendMessageW(plat, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
        }

        // Both get each node's parent by its number: neither looks a label up.
        std::vector<HTREEITEM> handles;
        const double fo = TimeMs([&] {
            for (const TreeNode& node : plan)
                ours.AddItem(node.parent, node.label);
        });
        double fp = kNone;
        if (plat) {
            handles.reserve(plan.size());
            fp = TimeMs([&] {
                ::SendMessageW(plat, WM_SETREDRAW, FALSE, 0);
                TVINSERTSTRUCTW ins{};
                ins.hInsertAfter = TVI_LAST;
                ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
                for (const TreeNode& node : plan) {
                    ins.hParent = node.parent < 0 ? TVI_ROOT : handles[static_cast<std::size_t>(node.parent)];
                    ins.item.pszText = const_cast<wchar_t*>(node.label.c_str());
                    handles.push_back(reinterpret_cast<HTREEITEM>(
                        ::SendMessageW(plat, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins))));
                }
            });
        }
        fill.Add(fo, fp);
        if (ours.SlotCount() != n)
            std::printf("%s: our tree holds %d nodes, not %d\n", name.c_str(), ours.SlotCount(), n);

        // The rows the paints show: the flat list unfolded below its root;
        // the deep tree with the chain to its deepest node unfolded (find).
        if (flat) {
            ours.Spread(0, true);
            if (plat)
                ::SendMessageW(plat, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(handles[0]));
        }
        layout.Add(TimeMs([&] { ours.LayoutNow(); }),
                   plat ? TimeMs([&] { ::SendMessageW(plat, WM_SETREDRAW, TRUE, 0); }) : kNone);

        double findOurs = TimeMs([&] {
            ours.FindItem(findLabel);
            ours.LayoutNow();
        });
        // The platform checks every handle it is given against all its
        // items, so a search by message grows with the square of the size.
        double findPlat = kNone;
        if (plat && (n <= 100000 || g_opt.full))
            findPlat = TimeMs([&] {
                if (!PlatformFind(plat, findLabel))
                    std::printf("%s: the platform's tree has no %ls\n", name.c_str(), findLabel.c_str());
            });
        find.Add(findOurs, findPlat);

        const PaintPair po = PaintBoth(ours.hWnd(), [&](bool mid) {
            ours.VScroll().SetValue(mid ? ours.VScroll().MaxV() / 2 : 0);
        });
        PaintPair pp{kNone, kNone};
        if (plat)
            pp = PaintBoth(plat, [&](bool mid) {
                const int page = static_cast<int>(::SendMessageW(plat, TVM_GETVISIBLECOUNT, 0, 0));
                PlatformTreeScroll(plat, mid, flat ? handles[static_cast<std::size_t>(std::max(0, (n - page) / 2))] : nullptr);
            });
        top.Add(po.top, pp.top);
        middle.Add(po.middle, pp.middle);

        // Leaves from the middle of the order of addition.
        const int k = std::min(kRemoveCount, n / 2);
        std::vector<bool> parent(plan.size(), false);
        for (const TreeNode& node : plan)
            if (node.parent >= 0)
                parent[static_cast<std::size_t>(node.parent)] = true;
        std::vector<int> victims;
        for (int i = n / 2; static_cast<int>(victims.size()) < k && i < n; ++i)
            if (!parent[static_cast<std::size_t>(i)])
                victims.push_back(i);
        const double ro = TimeMs([&] {
            for (int v : victims)
                ours.RemoveItem(v);
            ours.LayoutNow();
        });
        double rp = kNone;
        if (plat)
            rp = TimeMs([&] {
                ::SendMessageW(plat, WM_SETREDRAW, FALSE, 0);
                for (int v : victims)
                    ::SendMessageW(plat, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(handles[static_cast<std::size_t>(v)]));
                ::SendMessageW(plat, WM_SETREDRAW, TRUE, 0);
            });
        remove.Add(ro, rp);
        if (plat) {
            ::DestroyWindow(plat);
            ImageList_Destroy(images);
        }
    }
    fill.Report(name + ": fill", n);
    store.Report(name + ": fill, node store alone (incl. freeing)", n);
    layout.Report(name + ": one layout", n);
    find.Report(name + ": FindItem of the last/deepest node", n);
    top.Report(name + ": paint at the top", n);
    middle.Report(name + ": paint in the middle", n);
    remove.Report(name + ": remove " + Thousands(std::min(kRemoveCount, n / 2)) + " from the middle", n);
}

// ---- list view ---------------------------------------------------------------

// Without the platform (platformToo false) only ours is filled and painted:
// the platform's report view takes hours to fill at a million items.
void ListViewSize(int n, bool platformToo)
{
    const std::vector<std::wstring> items = Texts(L"列表项", n);
    const std::vector<std::wstring> sub1 = Texts(L"子项一 ", n);
    const std::vector<std::wstring> sub2 = Texts(L"子项二 ", n);
    HICON icons[3] = {::LoadIconW(nullptr, IDI_ERROR), ::LoadIconW(nullptr, IDI_INFORMATION),
                      ::LoadIconW(nullptr, IDI_WARNING)};
    Samples fill, layout, top, middle, remove;
    for (int run = 0; run < RunsFor(n); ++run) {
        Bench2 b(313, 225);  // the gallery's YListView1
        auto& ours = b.form.AddControl<tessara::YListView>(L"YListView1", 150, 150, b.w * 15, b.h * 15);
        HWND plat = platformToo ? MakePlatform(WC_LISTVIEWW, LVS_REPORT | LVS_SHOWSELALWAYS, b.parent(), b.w + 20,
                                               10, b.w, b.h)
                                : nullptr;
        HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0);
        host::PictureRef pics[3];
        for (int i = 0; i < 3; ++i) {
            ImageList_AddIcon(images, icons[i]);
            pics[i] = host::PictureFromHandle(icons[i], host::Picture::Type::Icon, false);
        }
        if (plat) {
            ::SendMessageW(plat, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
            ::SendMessageW(plat, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_SUBITEMIMAGES, LVS_EX_SUBITEMIMAGES);
        }
        for (int c = 0; c < 3; ++c) {
            const std::wstring head = L"列表头" + std::to_wstring(c);
            ours.AddHeaderItem(head, 100, nullptr, pics[c]);
            LVCOLUMNW col{};
            col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
            col.cx = 100;
            col.iSubItem = c;
            col.pszText = const_cast<wchar_t*>(head.c_str());
            if (plat)
                ::SendMessageW(plat, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
        }

        const double fo = TimeMs([&] {
            for (int i = 0; i < n; ++i) {
                ours.AddListItem(items[static_cast<std::size_t>(i)], pics[0], pics[1]);
                ours.AddListSubItem(i, sub1[static_cast<std::size_t>(i)], pics[1]);
                ours.AddListSubItem(i, sub2[static_cast<std::size_t>(i)], pics[2]);
            }
        });
        double fp = kNone;
        if (plat)
            fp = TimeMs([&] {
                ::SendMessageW(plat, WM_SETREDRAW, FALSE, 0);
                LVITEMW it{};
                for (int i = 0; i < n; ++i) {
                    it.mask = LVIF_TEXT | LVIF_IMAGE;
                    it.iItem = i;
                    it.iSubItem = 0;
                    it.iImage = 0;
                    it.pszText = const_cast<wchar_t*>(items[static_cast<std::size_t>(i)].c_str());
                    ::SendMessageW(plat, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it));
                    it.iSubItem = 1;
                    it.iImage = 1;
                    it.pszText = const_cast<wchar_t*>(sub1[static_cast<std::size_t>(i)].c_str());
                    ::SendMessageW(plat, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
                    it.iSubItem = 2;
                    it.iImage = 2;
                    it.pszText = const_cast<wchar_t*>(sub2[static_cast<std::size_t>(i)].c_str());
                    ::SendMessageW(plat, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
                }
            });
        fill.Add(fo, fp);
        layout.Add(TimeMs([&] { ours.LayoutNow(); }),
                   plat ? TimeMs([&] { ::SendMessageW(plat, WM_SETREDRAW, TRUE, 0); }) : kNone);

        const PaintPair po = PaintBoth(ours.hWnd(), [&](bool mid) {
            if (ours.VScroll().Visible())
                ours.VScroll().SetValue(mid ? ours.VScroll().MaxV() / 2 : 0);
        });
        PaintPair pp{kNone, kNone};
        if (plat)
            pp = PaintBoth(plat, [&](bool mid) {
                ::SendMessageW(plat, LVM_ENSUREVISIBLE, 0, FALSE);
                if (mid)
                    ::SendMessageW(plat, LVM_ENSUREVISIBLE, static_cast<WPARAM>(n / 2), FALSE);
            });
        top.Add(po.top, pp.top);
        middle.Add(po.middle, pp.middle);

        const int k = std::min(kRemoveCount, n / 2);
        const double ro = TimeMs([&] {
            for (int i = 0; i < k; ++i)
                ours.RemoveListItem(ours.Model().ItemCount() / 2);
            ours.LayoutNow();
        });
        double rp = kNone;
        if (plat)
            rp = TimeMs([&] {
                ::SendMessageW(plat, WM_SETREDRAW, FALSE, 0);
                for (int i = 0; i < k; ++i) {
                    const LRESULT count = ::SendMessageW(plat, LVM_GETITEMCOUNT, 0, 0);
                    ::SendMessageW(plat, LVM_DELETEITEM, static_cast<WPARAM>(count / 2), 0);
                }
                ::SendMessageW(plat, WM_SETREDRAW, TRUE, 0);
            });
        remove.Add(ro, rp);
        if (ours.Model().ItemCount() != n - k ||
            (plat && ::SendMessageW(plat, LVM_GETITEMCOUNT, 0, 0) != n - k))
            std::printf("list view: unexpected counts after the removal\n");
        if (plat)
            ::DestroyWindow(plat);
        ImageList_Destroy(images);
    }
    fill.Report("list view report: fill (2 sub-items)", n);
    layout.Report("list view report: one layout", n);
    top.Report("list view report: paint at the top", n);
    middle.Report("list view report: paint in the middle", n);
    remove.Report("list view report: remove " + Thousands(std::min(kRemoveCount, n / 2)) + " from the middle", n);
}

// ---- the gallery -------------------------------------------------------------

// What a frame of the gallery's size costs on the platform alone: a fresh
// 726 x 468 off-screen surface, 40 lines of text, one copy to the screen.
double PlatformFrameMs(HWND target)
{
    return TimeMs([target] {
        HDC screen = ::GetDC(target);
        HDC mem = ::CreateCompatibleDC(screen);
        HBITMAP bmp = ::CreateCompatibleBitmap(screen, 726, 468);
        HGDIOBJ oldBmp = ::SelectObject(mem, bmp);
        HGDIOBJ oldFont = ::SelectObject(mem, PlatformFont());
        RECT all{0, 0, 726, 468};
        ::FillRect(mem, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        for (int i = 0; i < 40; ++i) {
            RECT r{4, i * 11, 722, i * 11 + 11};
            const std::wstring line = L"第 " + std::to_wstring(i) + L" 行 a line of text";
            ::DrawTextW(mem, line.c_str(), -1, &r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        }
        ::BitBlt(screen, 0, 0, 726, 468, mem, 0, 0, SRCCOPY);
        ::SelectObject(mem, oldFont);
        ::SelectObject(mem, oldBmp);
        ::DeleteObject(bmp);
        ::DeleteDC(mem);
        ::ReleaseDC(target, screen);
    });
}

BOOL CALLBACK CollectChild(HWND h, LPARAM out)
{
    reinterpret_cast<std::vector<HWND>*>(out)->push_back(h);
    return TRUE;
}

// The figures the goals compare across sections.
struct GalleryFigures {
    int clientW = 0, clientH = 0;   // the form's client size (the anchor's window)
    double listBoxPaint = kNone;    // the platform list box's paint of this run
    double listViewPaint = kNone;   // YListView1 inside the gallery
    double surfaceBytes = -1;       // what the gallery's controls keep open: surfaces' w x h x 4
    int surfaces = 0;
    double surfacesAfterUnload = -1;
    struct Window {
        std::string name;
        double paint;
    };
    std::vector<Window> controls;   // every visible control of ours but the frame
    double wsTessara = -1, wsAnchor = -1;  // working set after the first complete paint, bytes
};
GalleryFigures g_gallery;

// The bare invalidate-and-paint round of a window the system draws itself
// (a static control, no drawing of ours), w x h pixels: the floor under any
// paint of a window of that size.
double SystemPaintMs(int w, int h)
{
    HWND win = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    PaintOnceMs(win);
    std::vector<double> t;
    for (int i = 0; i < kPaintRuns; ++i)
        t.push_back(PaintOnceMs(win));
    ::DestroyWindow(win);
    return Median(t);
}

// A window's name in the rows: its text when that is a control name (plain
// ASCII), else its class; below the form's own children, the path of names.
std::string WindowName(HWND h, HWND form)
{
    std::string path;
    for (HWND w = h; w && w != form; w = ::GetParent(w)) {
        wchar_t t[64] = L"";
        ::GetWindowTextW(w, t, 64);
        bool plain = t[0] != 0;
        for (const wchar_t* c = t; *c; ++c)
            plain = plain && *c > L' ' && *c < 0x7F;
        if (!plain)
            ::GetClassNameW(w, t, 64);
        const std::wstring name(t);
        path = std::string(name.begin(), name.end()) + (path.empty() ? "" : "/" + path);
    }
    return path;
}

// Each visible window of the form on its own: its paint beside the bare
// paint of a system-drawn window of its size. Returns that floor summed over
// the windows and the form itself: what one complete repaint costs the
// platform before anything of ours is drawn.
double GalleryWindows(HWND form)
{
    std::vector<HWND> children;
    ::EnumChildWindows(form, CollectChild, reinterpret_cast<LPARAM>(&children));
    RECT fr;
    ::GetClientRect(form, &fr);
    double floor = SystemPaintMs(fr.right, fr.bottom);
    for (HWND h : children) {
        if (!::IsWindowVisible(h))
            continue;
        RECT r;
        ::GetClientRect(h, &r);
        std::vector<double> t;
        for (int i = 0; i < kPaintRuns; ++i)
            t.push_back(PaintOnceMs(h));
        const double ours = Median(t);
        const double bare = SystemPaintMs(r.right, r.bottom);
        floor += bare;
        const std::string name = WindowName(h, form);
        g_rows.push_back({"gallery window: " + name, std::to_string(r.right) + " x " + std::to_string(r.bottom), ours,
                          bare});
        PrintRow(g_rows.back());
        // Our controls are windows of their own class ("YList", ...); all
        // but the frame compose their frame in an off-screen surface.
        wchar_t cls[64] = L"";
        ::GetClassNameW(h, cls, 64);
        if (cls[0] == L'Y' && std::wcscmp(cls, L"YFrame") != 0) {
            g_gallery.controls.push_back({name, ours});
        }
        if (std::wcscmp(cls, L"YListView") == 0)
            g_gallery.listViewPaint = ours;
        const double alone = DrawnAloneMs(h);
        if (alone != kNone)
            std::printf("    %s: its frame drawn alone %.3f ms\n", name.c_str(), alone);
    }
    return floor;
}

void Gallery()
{
    const kit::OpenSurfaceFigures open0 = kit::OpenSurfaces();
    gallery::frmMain form;
    const double t0 = NowMs();
    form.Show();
    // Pump until the deferred layouts of the load have run and every window
    // has painted.
    while (form.Answer(gallery::QueryPainted, 0) != 1 && NowMs() - t0 < 10000) {
        host::DoEvents();
        ::Sleep(1);
    }
    const double inProcess = NowMs() - t0;
    if (form.Answer(gallery::QueryPainted, 0) != 1) {
        std::printf("gallery: the form did not finish painting within 10 s\n");
        form.Unload();
        return;
    }
    RECT client;
    ::GetClientRect(form.hWnd(), &client);
    g_gallery.clientW = client.right;
    g_gallery.clientH = client.bottom;
    // Stop the progress animation so nothing else paints in between.
    form.Control<host::Timer>(L"Timer1").SetEnabled(false);
    host::DoEvents();

    const double floor = GalleryWindows(form.hWnd());
    std::vector<double> full, plat;
    for (int i = 0; i < 15; ++i) {
        full.push_back(TimeMs([&] {
            ::RedrawWindow(form.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }));
        plat.push_back(PlatformFrameMs(form.hWnd()));
    }
    Report("gallery: one complete repaint (platform: bare paints)", -1, Median(full), floor);
    Report("gallery: a 726 x 468 frame, platform alone", -1, kNone, Median(plat));
    Report("gallery: Show to first complete paint (in process)", -1, inProcess, kNone);
    const kit::OpenSurfaceFigures open1 = kit::OpenSurfaces();
    g_gallery.surfaces = open1.count - open0.count;
    g_gallery.surfaceBytes = open1.bytes - open0.bytes;
    form.Unload();
    host::DoEvents();
    g_gallery.surfacesAfterUnload = kit::OpenSurfaces().count - open0.count;
    std::printf("  off-screen surfaces the gallery's controls keep: %d, %.2f MB (w x h x 4 summed); "
                "%d left after the form is unloaded\n",
                g_gallery.surfaces, g_gallery.surfaceBytes / (1024.0 * 1024.0),
                static_cast<int>(g_gallery.surfacesAfterUnload));
    std::fflush(stdout);
}

struct FoundWindow {
    DWORD pid;
    HWND hwnd;
};
BOOL CALLBACK FindPainted(HWND h, LPARAM arg)
{
    auto* f = reinterpret_cast<FoundWindow*>(arg);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    if (pid != f->pid)
        return TRUE;
    DWORD_PTR answer = 0;
    if (::SendMessageTimeoutW(h, gallery::QueryMessage(), gallery::QueryPainted, 0, SMTO_ABORTIFHUNG, 200, &answer) &&
        answer == 1) {
        f->hwnd = h;
        return FALSE;
    }
    return TRUE;
}

// Starts a program and returns the ms until it answers that it has painted
// (waitForPaint) or until it ends; negative on failure. The program is
// closed afterwards; *workingSet (when given) receives its working set in
// bytes once it has painted.
double StartAndWait(const std::wstring& exe, const std::wstring& args, bool waitForPaint,
                    double* workingSet = nullptr)
{
    std::wstring cmd = L"\"" + exe + L"\"" + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const double t0 = NowMs();
    if (!::CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::printf("cannot start %ls (error %lu)\n", exe.c_str(), ::GetLastError());
        return kNone;
    }
    double ms = kNone;
    if (waitForPaint) {
        FoundWindow f{pi.dwProcessId, nullptr};
        while (NowMs() - t0 < 30000) {
            ::EnumWindows(FindPainted, reinterpret_cast<LPARAM>(&f));
            if (f.hwnd)
                break;
            ::Sleep(1);
        }
        if (f.hwnd) {
            ms = NowMs() - t0;
            PROCESS_MEMORY_COUNTERS pmc{};
            if (workingSet && ::GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof pmc))
                *workingSet = static_cast<double>(pmc.WorkingSetSize);
            ::PostMessageW(f.hwnd, WM_CLOSE, 0, 0);
        }
    } else if (::WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0) {
        ms = NowMs() - t0;
    }
    if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0)
        ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return ms;
}

std::wstring BesideSelf(const wchar_t* name)
{
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring dir(self);
    dir.resize(dir.find_last_of(L"\\/") + 1);
    return dir + name;
}

std::wstring DefaultTessara() { return BesideSelf(L"..\\tessara\\gallery\\Tessara.exe"); }

void StartUp()
{
    const std::wstring exe = g_opt.tessara.empty() ? DefaultTessara() : g_opt.tessara;
    if (::GetFileAttributesW(exe.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("gallery start-up: %ls not found (build Tessara, or pass --tessara)\n", exe.c_str());
        return;
    }
    const std::wstring anchor = BesideSelf(L"start_anchor.exe");
    if (::GetFileAttributesW(anchor.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("gallery start-up: %ls not found (build the target start_anchor)\n", anchor.c_str());
        return;
    }
    // The anchor's window has the form's client size (the gallery section
    // measures it; the form data's size otherwise).
    const int w = g_gallery.clientW > 0 ? g_gallery.clientW : 726;
    const int h = g_gallery.clientH > 0 ? g_gallery.clientH : 468;
    const std::wstring size = L" " + std::to_wstring(w) + L" " + std::to_wstring(h);
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::vector<double> start, empty, bare, wsT, wsA;
    for (int i = 0; i < std::max(3, g_opt.runs); ++i) {
        double wt = -1, wa = -1;
        const double s = StartAndWait(exe, L"", true, &wt);
        const double e = StartAndWait(anchor, size, true, &wa);
        const double b = StartAndWait(self, L" --exit", false);
        if (s >= 0)
            start.push_back(s);
        if (e >= 0)
            empty.push_back(e);
        if (b >= 0)
            bare.push_back(b);
        if (wt >= 0)
            wsT.push_back(wt);
        if (wa >= 0)
            wsA.push_back(wa);
    }
    auto med = [](const std::vector<double>& v) { return v.empty() ? kNone : Median(v); };
    // The platform column: a program that shows one empty window of the
    // form's size and answers the same readiness query.
    Report("gallery: process start to first complete paint", -1, med(start), med(empty));
    Report("start: a program that only ends", -1, kNone, med(bare));
    g_gallery.wsTessara = wsT.empty() ? -1 : Median(wsT);
    g_gallery.wsAnchor = wsA.empty() ? -1 : Median(wsA);
    std::printf("  working set after the first complete paint: Tessara %.1f MB, one empty window %.1f MB\n",
                g_gallery.wsTessara / (1024.0 * 1024.0), g_gallery.wsAnchor / (1024.0 * 1024.0));
    std::fflush(stdout);
}

// ---- where a paint's time goes ------------------------------------------------

// A window whose paint is the kit's kept frame with nothing drawn on it:
// the paint round of ours before any control's drawing. Through the kit's
// hook on the window (as every control takes its paint) when `hooked`.
struct KeptFrameWindow : kit::HookClient {
    kit::FramePainter painter;
    kit::WindowHook hook{*this};
    void zSubclass_Proc(bool before, bool& handled, LRESULT& result, HWND hwnd, UINT& msg, WPARAM&,
                        LPARAM&) override
    {
        if (before && msg == WM_PAINT) {
            Paint(hwnd);
            handled = true;
            result = 0;
        }
    }
    void Paint(HWND hwnd)
    {
        static const host::Font font;
        painter.Paint(hwnd, &font, 0, [](HDC, int, int) {});
    }
};
KeptFrameWindow* g_keptFrame = nullptr;

LRESULT CALLBACK KeptFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT && g_keptFrame) {
        g_keptFrame->Paint(hwnd);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

double KeptFramePaintMs(int w, int h, bool hooked)
{
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = KeptFrameProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"BenchKeptFrame";
        return ::RegisterClassW(&wc) != 0;
    }();
    if (!registered)
        return kNone;
    HWND win = ::CreateWindowExW(0, hooked ? L"STATIC" : L"BenchKeptFrame", L"", WS_POPUP | WS_VISIBLE, 0, 0, w, h,
                                 nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    double ms = kNone;
    {
        KeptFrameWindow frame;
        g_keptFrame = &frame;
        if (hooked) {
            const UINT watched[] = {WM_PAINT};
            frame.hook.AttachWatching(win, watched);
        }
        PaintOnceMs(win);
        std::vector<double> t;
        for (int i = 0; i < kPaintRuns; ++i)
            t.push_back(PaintOnceMs(win));
        ms = Median(t);
        frame.hook.HookDetachAll();
        g_keptFrame = nullptr;
    }
    ::DestroyWindow(win);
    return ms;
}

// The fixed steps of every paint of ours, each on its own, at a control's
// size: what a paint costs before it draws anything.
void PaintSteps(int w, int h)
{
    const std::string size = std::to_string(w) + " x " + std::to_string(h);
    std::vector<double> surface, font, copy, bare;
    const host::Font f;
    HWND win = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    for (int i = 0; i < 15; ++i) {
        surface.push_back(TimeMs([&] { kit::DeleteMemDC(kit::CreateMemDC(w, h)); }));
        font.push_back(TimeMs([&] { ::DeleteObject(kit::CreateFontFromStdFont(f)); }));
        HDC mem = kit::CreateMemDC(w, h);
        HDC screen = ::GetDC(win);
        copy.push_back(TimeMs([&] { ::BitBlt(screen, 0, 0, w, h, mem, 0, 0, SRCCOPY); }));
        ::ReleaseDC(win, screen);
        kit::DeleteMemDC(mem);
        bare.push_back(PaintOnceMs(win));
    }
    ::DestroyWindow(win);
    g_rows.push_back({"paint step: surface made and deleted", size, Median(surface), kNone});
    PrintRow(g_rows.back());
    g_rows.push_back({"paint step: font made and deleted", size, Median(font), kNone});
    PrintRow(g_rows.back());
    g_rows.push_back({"paint step: one copy to the window", size, Median(copy), kNone});
    PrintRow(g_rows.back());
    g_rows.push_back({"paint step: invalidate + a system-drawn paint", size, kNone, Median(bare)});
    PrintRow(g_rows.back());
    g_rows.push_back({"paint step: invalidate + a kept frame, nothing drawn", size, KeptFramePaintMs(w, h, false),
                      kNone});
    PrintRow(g_rows.back());
    g_rows.push_back({"paint step: the same through the hook", size, KeptFramePaintMs(w, h, true), kNone});
    PrintRow(g_rows.back());
}

// ---- goals -------------------------------------------------------------------

void Goal(bool met, const std::string& what) { std::printf("  [%s] %s\n", met ? "met   " : "MISSED", what.c_str()); }
void Skipped(const std::string& what) { std::printf("  [skip  ] %s\n", what.c_str()); }

const Row* FindRow(const std::string& work, long long n)
{
    for (const Row& r : g_rows)
        if (r.work == work && r.n == n)
            return &r;
    return nullptr;
}

// The row of this work whose size is nearest to n (by ratio), or null.
const Row* NearestRow(const std::string& work, long long n)
{
    const Row* best = nullptr;
    double bestD = 0;
    for (const Row& r : g_rows) {
        if (r.work != work || r.n <= 0)
            continue;
        const double d = std::fabs(std::log(static_cast<double>(r.n) / static_cast<double>(n)));
        if (!best || d < bestD) {
            best = &r;
            bestD = d;
        }
    }
    return best;
}

// Each paint of ours against the platform list box's paint of the same run
// (same position, nearest size): the list at most the list box, the other
// controls at most 0.1 ms more.
void PaintGoals()
{
    const char* lists[] = {"list: paint at the top", "list: paint in the middle"};
    const char* works[][2] = {{"list: paint at the top", "list: paint in the middle"},
                              {"tree flat: paint at the top", "tree flat: paint in the middle"},
                              {"tree deep/wide: paint at the top", "tree deep/wide: paint in the middle"},
                              {"list view report: paint at the top", "list view report: paint in the middle"}};
    bool any = false;
    for (int c = 0; c < 4; ++c)
        for (int pos = 0; pos < 2; ++pos)
            for (const Row& r : g_rows) {
                if (r.work != works[c][pos] || r.ours < 0)
                    continue;
                const Row* box = c == 0 ? &r : NearestRow(lists[pos], r.n);
                if (!box || box->platform <= 0)
                    continue;
                const double allowed = box->platform + (c == 0 ? 0.0 : 0.1);
                any = true;
                Goal(r.ours <= allowed, r.work + " at " + r.size + ": ours " + Ms(r.ours) + " ms, at most the list box's " +
                                            Ms(box->platform) + " ms (at " + box->size + ")" +
                                            (c == 0 ? "" : " + 0.1"));
            }
    if (!any)
        Skipped("paints against the list box: the list section did not run");

    // The gallery's controls against the list box's paint at the top at the
    // smallest size (a list of about the gallery's length).
    const Row* box = NearestRow("list: paint at the top", 100);
    if (g_gallery.controls.empty() || !box || box->platform <= 0) {
        Skipped("the gallery's controls against the list box: needs the list and gallery sections");
        return;
    }
    for (const auto& w : g_gallery.controls)
        Goal(w.paint <= box->platform + 0.1, "gallery window " + w.name + ": ours " + Ms(w.paint) +
                                                 " ms, at most the list box's " + Ms(box->platform) + " ms + 0.1");
}

void GalleryGoals()
{
    const Row* full = FindRow("gallery: one complete repaint (platform: bare paints)", -1);
    if (!full) {
        Skipped("one complete repaint of the gallery: the gallery section did not run");
    } else {
        Goal(full->ours <= 8.0, "one complete repaint of the gallery " + Ms(full->ours) + " ms, at most 8 ms");
        Goal(full->ours <= 1.5 * full->platform, "one complete repaint of the gallery " + Ms(full->ours) +
                                                     " ms, at most 1.5 x the bare paints of its windows " +
                                                     Ms(full->platform) + " ms");
    }
    if (g_gallery.listViewPaint < 0)
        Skipped("the list view's paint inside the gallery: the gallery section did not run");
    else
        Goal(g_gallery.listViewPaint <= 1.5,
             "the list view's paint inside the gallery " + Ms(g_gallery.listViewPaint) + " ms, at most 1.5 ms");
}

void ScalingGoals()
{
    for (const char* work : {"list: paint in the middle", "tree flat: paint in the middle",
                             "tree deep/wide: paint in the middle", "list view report: paint in the middle"}) {
        const Row* small = NearestRow(work, 100);
        const Row* big = NearestRow(work, 1000000);
        if (!small || !big || big->n < 900000 || small->n > 1000) {
            Skipped(std::string(work) + " at 1,000,000 against 100: needs sizes up to 1,000,000");
            continue;
        }
        Goal(big->ours <= 2 * small->ours, std::string(work) + ": " + Ms(big->ours) + " ms at " + big->size +
                                               ", at most twice " + Ms(small->ours) + " ms at " + small->size);
    }
}

void StartGoals()
{
    const Row* start = FindRow("gallery: process start to first complete paint", -1);
    if (!start || start->ours < 0 || start->platform <= 0)
        Skipped("start to first complete paint: the start section did not run");
    else
        Goal(start->ours <= 1.5 * start->platform, "start to first complete paint " + Ms(start->ours) +
                                                       " ms, at most 1.5 x one empty window's " +
                                                       Ms(start->platform) + " ms");
    if (g_gallery.wsTessara < 0 || g_gallery.wsAnchor < 0)
        Skipped("working set after the load: the start section did not run");
    else
        std::printf("  [figure] working set after the first complete paint: Tessara %.1f MB, one empty window "
                    "%.1f MB\n",
                    g_gallery.wsTessara / (1024.0 * 1024.0), g_gallery.wsAnchor / (1024.0 * 1024.0));
    if (g_gallery.surfaceBytes < 0) {
        Skipped("surfaces the gallery keeps: the gallery section did not run");
    } else {
        Goal(g_gallery.surfaceBytes <= 4.0 * 1024 * 1024,
             "off-screen surfaces the gallery's controls keep: " + std::to_string(g_gallery.surfaces) + ", " +
                 Ms(g_gallery.surfaceBytes / (1024.0 * 1024.0)) + " MB, at most 4 MB");
        Goal(g_gallery.surfacesAfterUnload == 0, "surfaces left after the gallery is unloaded: " +
                                                     std::to_string(static_cast<int>(g_gallery.surfacesAfterUnload)) +
                                                     ", none");
    }
}

void FillGoals()
{
    for (const char* work : {"tree flat: fill", "tree deep/wide: fill"}) {
        const Row* r = NearestRow(work, 100000);
        if (!r || r->n < 90000 || r->n > 110000 || r->platform <= 0) {
            Skipped(std::string(work) + " at 100,000 against the platform's: needs sizes up to 100,000");
            continue;
        }
        Goal(r->ours <= r->platform / 2, std::string(work) + " at " + r->size + ": ours " + Ms(r->ours) +
                                             " ms, at most half the platform's " + Ms(r->platform) + " ms");
    }
}

void Goals()
{
    std::printf("\nGoals (from the figures above; both sides of each comparison printed):\n");
    PaintGoals();
    GalleryGoals();
    ScalingGoals();
    StartGoals();
    FillGoals();
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--exit"))
            return 0;  // the bare process the start-up figure compares with
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            g_opt.runs = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--full"))
            g_opt.full = true;
        else if (!std::strcmp(argv[i], "--quick"))
            g_opt.quick = true;
        else if (!std::strcmp(argv[i], "--max") && i + 1 < argc)
            g_opt.maxSize = std::atoll(argv[++i]);
        else if (!std::strcmp(argv[i], "--only") && i + 1 < argc)
            g_opt.only = argv[++i];
        else if (!std::strcmp(argv[i], "--tessara") && i + 1 < argc) {
            const std::string a = argv[++i];
            g_opt.tessara.assign(a.begin(), a.end());
        } else {
            std::printf("usage: compare_bench [--runs N] [--full] [--quick] [--max N] [--only SECTIONS] "
                        "[--tessara path]\n");
            return 2;
        }
    }
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    host::SetMessageBoxSink([](const host::MessageBoxRecord& r) {
        std::printf("unexpected message box: %ls\n", r.text.c_str());
    });

    std::printf("Tessara's controls and the platform's own, same work in one process (Wine, headless).\n"
                "Times in ms; medians of %d runs per size (1,000,000: one run), paints medians of %d.\n"
                "Paint: InvalidateRect + UpdateWindow, until the control's paint handler ends.\n"
                "Platform fills run with redraw off; their layout is turning redraw back on.\n\n",
                g_opt.runs, kPaintRuns);
    std::printf("| %-44s | %11s | %10s | %10s | %6s |\n", "work", "size", "ours", "platform", "ratio");
    std::printf("|%s|%s|%s|%s|%s|\n", std::string(46, '-').c_str(), std::string(13, '-').c_str(),
                std::string(12, '-').c_str(), std::string(12, '-').c_str(), std::string(8, '-').c_str());

    if (g_opt.quick)
        g_opt.maxSize = std::min(g_opt.maxSize, 10000LL);
    auto upTo = [](std::vector<int> sizes) {
        sizes.erase(std::remove_if(sizes.begin(), sizes.end(), [](int n) { return n > g_opt.maxSize; }), sizes.end());
        return sizes;
    };
    const std::vector<int> big = upTo({100, 10000, 100000, 1000000});
    const std::vector<int> mid = upTo({100, 10000, 100000});

    // The work in the order it runs, each step announced on stderr as it
    // starts (the table on stdout stays whole for copying).
    struct Step {
        std::string what;
        std::function<void()> run;
    };
    std::vector<Step> steps;
    if (Runs("list"))
        for (int n : big)
            steps.push_back({"list at " + Thousands(n) + " items", [n] { ListSize(n); }});
    if (Runs("tree")) {
        for (int n : big)
            steps.push_back({"tree flat at " + Thousands(n) + " nodes",
                             [n] { TreeSize("flat", FlatPlan(n), true, L"结点" + std::to_wstring(n - 1)); }});
        for (int n : big)
            steps.push_back({"tree deep/wide at " + Thousands(n) + " nodes", [n] {
                                 const int perLevel = std::max(1, (n - 4) / 21);
                                 TreeSize("deep/wide", DeepPlan(perLevel), n < 1000000 || g_opt.full,
                                          L"结点U" + std::to_wstring(perLevel));
                             }});
    }
    if (Runs("listview")) {
        for (int n : mid)
            steps.push_back({"list view at " + Thousands(n) + " items", [n] { ListViewSize(n, true); }});
        // Ours alone at a million: its paint against its paint at 100.
        if (g_opt.maxSize >= 1000000)
            steps.push_back({"list view (ours alone) at 1,000,000 items", [] { ListViewSize(1000000, false); }});
    }
    if (Runs("steps")) {
        steps.push_back({"paint steps at 113 x 166", [] { PaintSteps(113, 166); }});
        steps.push_back({"paint steps at 726 x 468", [] { PaintSteps(726, 468); }});
    }
    if (Runs("gallery"))
        steps.push_back({"gallery repaint", [] { Gallery(); }});
    if (Runs("start"))
        steps.push_back({"gallery start-up", [] { StartUp(); }});
    const double began = NowMs();
    for (std::size_t k = 0; k < steps.size(); ++k) {
        std::fflush(stdout);
        std::fprintf(stderr, "[%zu/%zu] %s (%zu done, %.0f s so far)\n", k + 1, steps.size(), steps[k].what.c_str(), k,
                     (NowMs() - began) / 1000.0);
        std::fflush(stderr);
        steps[k].run();
    }
    Goals();
    return 0;
}
