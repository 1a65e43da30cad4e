// YTreeView in real windows: nodes added as the gallery adds them, real
// mouse and wheel messages in; raised events, message boxes, scroll bars
// and painted pixels out.
#include "ExpectedColours.h"
#include "ScrollTestSupport.h"
#include "SharedCases.h"
#include "TreeReference.h"

#include "tessara/controls/tree/YTreeView.h"
#include "tessara/kit/MdlMemDC.h"

#include "host/Host.h"

#include <random>

using namespace scrolltest;
using tessara::YTreeView;

namespace {

constexpr COLORREF kLine = want::kTreeLine;
constexpr COLORREF kSelectedBody = want::kTreeSelectedBody;
constexpr COLORREF kHoverBody = want::kTreeHoverBody;
constexpr COLORREF kWhite = want::kWhite;

// Row geometry worked out by hand for the row height 21: rows 26 pixels
// apart from y 2; a row's left edge nx = 2 - the horizontal value + 24 per
// level; its expand box spans x nx..nx+11, y top+5..top+16; its label box
// starts at nx+42 and is drawn from top+2; a point hits the row for
// top < y < top+21 and nx < x < nx+tw+50, the box zone for x < nx+11.
constexpr int kPitch = 26;
constexpr int RowTop(int viewRow) { return 2 + viewRow * kPitch; }
constexpr int LeftEdge(int level, int hScroll = 0) { return 2 - hScroll + 24 * level; }
// A point inside the expand-box zone and one just inside the label.
constexpr POINT BoxPoint(int viewRow, int level, int hScroll = 0) { return {LeftEdge(level, hScroll) + 5, RowTop(viewRow) + 10}; }
constexpr POINT LabelPoint(int viewRow, int level, int hScroll = 0) { return {LeftEdge(level, hScroll) + 45, RowTop(viewRow) + 10}; }
// A pixel of the upper half of the label's box.
constexpr POINT LabelBody(int viewRow, int level, int hScroll = 0) { return {LeftEdge(level, hScroll) + 44, RowTop(viewRow) + 5}; }

// The frame as the control paints it, on a memory surface of its size.
class Painted {
public:
    Painted(YTreeView& tv) : w_(tv.ScaleWidth()), h_(tv.ScaleHeight())
    {
        dc_ = kit::CreateMemDC(w_, h_);
        tv.DrawFrame(dc_, w_, h_);
    }
    ~Painted() { kit::DeleteMemDC(dc_); }
    Painted(const Painted&) = delete;
    Painted& operator=(const Painted&) = delete;
    COLORREF operator()(int x, int y) const { return ::GetPixel(dc_, x, y); }
    // A dotted connector (three on, three off) passes through one of the
    // four pixels from (x, y) down.
    bool DottedAt(int x, int y) const
    {
        for (int k = 0; k < 4; ++k)
            if ((*this)(x, y + k) == kLine)
                return true;
        return false;
    }
    int width() const { return w_; }
    int height() const { return h_; }

private:
    int w_, h_;
    HDC dc_ = nullptr;
};

// A tree whose paint can visit the rows of the full walk instead of only
// those that can reach the view, so the two can be compared.
class WalkChoiceTree : public YTreeView {
public:
    bool fullWalk = false;

protected:
    void WalkRows(tessara::TreeStore& st, const tessara::PaintView& view, const tessara::PaintRowSink& sink) override
    {
        if (!fullWalk) {
            YTreeView::WalkRows(st, view, sink);
            return;
        }
        for (const auto& call : treeref::PaintWalk(st, view))
            sink(call);
    }
};

class TreeWindows : public ::testing::Test {
protected:
    void SetUp() override { form.Show(); }
    void TearDown() override { form.Unload(); }

    // A tree of w x h pixels read from a saved property set, as the form loads it.
    YTreeView& Place(int w, int h)
    {
        host::PropertyBag bag;
        bag.set(L"BackColor", std::int64_t{0x00FFFFFF});
        bag.set(L"ForeColor", std::int64_t{0x00000000});
        YTreeView& tv = form.AddControl<WalkChoiceTree>(L"YTreeView1", 150, 150, w * 15, h * 15, &bag);
        tv.Click.connect([this](const std::wstring& s) { clicks.push_back(s); });
        return tv;
    }
    // root, then labels as children of the given parents: {parent, label}.
    void Fill(YTreeView& tv, std::initializer_list<std::pair<std::int32_t, const wchar_t*>> nodes)
    {
        tv.AddItem(-1, L"root");
        for (const auto& n : nodes)
            tv.AddItem(n.first, n.second);
    }
    RECT Label(YTreeView& tv, std::int32_t slot)
    {
        RECT box{}, label{};
        EXPECT_TRUE(tv.NodeRects(slot, &box, &label)) << "slot " << slot << " is on no row";
        return label;
    }
    RECT Box(YTreeView& tv, std::int32_t slot)
    {
        RECT box{}, label{};
        EXPECT_TRUE(tv.NodeRects(slot, &box, &label)) << "slot " << slot << " is on no row";
        return box;
    }
    // A user's click at a point of the view.
    static void ClickAt(YTreeView& tv, POINT p) { hosttest::ClickAt(tv.hWnd(), p.x, p.y); }
    void Wheel(YTreeView& tv, int delta)
    {
        ::SendMessageW(tv.hWnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))), At(10, 10));
    }

    host::Form form{L"frmTest"};
    hosttest::BoxRecorder boxes;
    std::vector<std::wstring> clicks;
};

TEST_F(TreeWindows, RootRulesShowTheirMessagesAndTheProgramCarriesOn)
{
    YTreeView& tv = Place(140, 186);
    tv.AddItem(0, L"not a root");
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, L"第1个元素必须为根结点,其父结点的索引值为-1!");
    EXPECT_EQ(boxes.boxes[0].title, L"提示");
    EXPECT_EQ(tv.SlotCount(), 0);

    tv.AddItem(-1, L"root");
    tv.AddItem(-1, L"second root");
    tv.AddItem(5, L"orphan");
    ASSERT_EQ(boxes.boxes.size(), 3u);
    for (int k : {1, 2}) {
        EXPECT_EQ(boxes.boxes[k].text, L"添加元素时请确保父结点存在!");
        EXPECT_EQ(boxes.boxes[k].title, L"提示");
    }
    EXPECT_EQ(tv.SlotCount(), 1);

    // Still running: the tree takes nodes, finds them and reports misses.
    tv.AddItem(0, L"a");
    EXPECT_EQ(tv.GetIndexByStr(L"a"), 1);
    EXPECT_EQ(tv.GetIndexByStr(L"zz"), -1);
    tv.FindItem(L"zz");
    ASSERT_EQ(boxes.boxes.size(), 5u);
    EXPECT_EQ(boxes.boxes[3].text, L"没有找到对应字符串的项目索引");
    EXPECT_EQ(boxes.boxes[4].text, L"查找失败!");
    EXPECT_EQ(tv.SelectedIndex(), -1);
}

TEST_F(TreeWindows, FirstResizeGrowsSmallControlsAndSnapsToWholeRows)
{
    for (const auto& c : cases::kTreeFirstResize) {
        YTreeView& tv = Place(c.w, c.h);
        EXPECT_EQ(tv.ScaleWidth(), c.finalW) << c.w << "x" << c.h;
        EXPECT_EQ(tv.ScaleHeight(), c.finalH) << c.w << "x" << c.h;
        EXPECT_EQ(tv.Model().PageRows(), c.pageRows) << c.w << "x" << c.h;
        // Later resizes change nothing.
        tv.SetSize(300 * 15, 300 * 15);
        EXPECT_EQ(tv.Model().PageRows(), c.pageRows);
        form.RemoveControl(L"YTreeView1");
    }
}

TEST_F(TreeWindows, ABurstOfAdditionsIsLaidOutOnceAfterItEnds)
{
    YTreeView& tv = Place(140, 186);
    tv.AddItem(-1, L"root");
    for (int n = 0; n < 50; ++n)
        tv.AddItem(0, L"child " + std::to_wstring(n));
    tv.Spread(0, true);
    EXPECT_EQ(tv.TotalRows(), 0) << "laid out before the burst ended";
    // The burst goes on with a change every 40 ms or so. A layout may only
    // come 100 ms after the change before it (a timer never fires early), so
    // whenever one shows, that much time has passed; on a machine that keeps
    // up, none shows until the burst ends.
    DWORD lastChange = ::GetTickCount();
    int layouts = 0;
    std::int32_t shown = 0;
    auto watch = [&] {
        if (tv.TotalRows() != shown) {
            shown = tv.TotalRows();
            ++layouts;
            EXPECT_GE(::GetTickCount() - lastChange, 95u) << "laid out less than 100 ms after the last change";
        }
    };
    for (int n = 0; n < 4; ++n) {
        PumpUntil([&] { watch(); return ::GetTickCount() - lastChange >= 40; }, 5000);
        tv.AddItem(0, L"late " + std::to_wstring(n));  // extends the burst
        lastChange = ::GetTickCount();
    }
    ASSERT_TRUE(PumpUntil([&] { watch(); return tv.TotalRows() == 55; }, 5000)) << "no layout after the burst";
    EXPECT_GE(layouts, 1);
    EXPECT_EQ(tv.TotalRows(), 55);
    EXPECT_EQ(tv.Model().SavedPageRows(), 7);
    EXPECT_TRUE(tv.VScroll().Visible());
}

TEST_F(TreeWindows, ThirtyRowsTenSavedAndWideContentShowBothBars)
{
    YTreeView& tv = Place(140, 264);
    ASSERT_EQ(tv.Model().PageRows(), 10);
    tv.AddItem(-1, L"root");
    for (int n = 1; n < 30; ++n)
        tv.AddItem(0, L"a rather long label number " + std::to_wstring(n));
    tv.Spread(0, true);
    tv.LayoutNow();
    EXPECT_EQ(tv.TotalRows(), 30);
    EXPECT_EQ(tv.Model().SavedPageRows(), 10);
    EXPECT_EQ(tv.Model().PageRows(), 9);
    EXPECT_EQ(tv.VScroll().MaxV(), 21);
    EXPECT_TRUE(tv.VScroll().Visible());
    EXPECT_TRUE(tv.HScroll().Visible());
    EXPECT_EQ(tv.HScroll().MaxV(), tv.ContentWidth() - 119);
}

// root - n1 - n2 - n3; n3 has "deep" three levels below the root's child.
TEST_F(TreeWindows, FindItemThreeLevelsDownUnfoldsAndScrollsToTopOrEnd)
{
    YTreeView& tv = Place(140, 186);  // 7 rows
    tv.AddItem(-1, L"root");
    for (int n = 1; n <= 3; ++n)
        tv.AddItem(0, L"n" + std::to_wstring(n));  // 1..3
    tv.AddItem(2, L"a");                            // 4
    tv.AddItem(4, L"b");                            // 5
    tv.AddItem(5, L"deep");                         // 6
    for (int n = 0; n < 12; ++n)
        tv.AddItem(1, L"x" + std::to_wstring(n));  // under n1, folded
    for (int n = 0; n < 12; ++n)
        tv.AddItem(3, L"y" + std::to_wstring(n));  // under n3
    tv.Spread(3, true);
    tv.LayoutNow();
    EXPECT_FALSE(tv.Store().Expanded(0));

    tv.FindItem(L"deep");
    EXPECT_EQ(tv.SelectedIndex(), 6);
    for (std::int32_t s : {0, 2, 4, 5})
        EXPECT_TRUE(tv.Store().Expanded(s)) << s;
    // rows: root, n1, n2, a, b, deep (row 5), n3, y0..y11 = 19 rows
    EXPECT_EQ(tv.TotalRows(), 19);
    EXPECT_TRUE(tv.VScroll().Visible());
    EXPECT_EQ(tv.VScroll().Value(), 5) << "the found row becomes the top row";
    EXPECT_EQ(Label(tv, 6).top, 2);

    tv.FindItem(L"y10");  // row 17 of 19: on the last page
    EXPECT_EQ(tv.SelectedIndex(), tv.GetIndexByStr(L"y10"));
    EXPECT_EQ(tv.VScroll().Value(), tv.VScroll().MaxV());
    EXPECT_EQ(tv.VScroll().MaxV(), 19 - tv.Model().PageRows());

    tv.HScroll().SetValue(3);
    tv.FindItem(L"root");
    EXPECT_EQ(tv.SelectedIndex(), 0);
    EXPECT_EQ(tv.VScroll().Value(), 0);
    EXPECT_EQ(tv.HScroll().Value(), 0);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(TreeWindows, LabelClicksSelectAndRaiseClickDoubleClicksTwice)
{
    YTreeView& tv = Place(140, 186);
    Fill(tv, {{0, L"a"}, {0, L"b"}});
    tv.Spread(0, true);
    tv.LayoutNow();

    ClickAt(tv, LabelPoint(2, 1));  // b: row 2, level 1
    EXPECT_EQ(clicks, (std::vector<std::wstring>{L"b"}));
    EXPECT_EQ(tv.SelectedIndex(), 2);

    clicks.clear();
    const POINT a = LabelPoint(1, 1);
    const LPARAM at = At(a.x, a.y);
    ::SendMessageW(tv.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(tv.hWnd(), WM_LBUTTONUP, 0, at);
    ::SendMessageW(tv.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::SendMessageW(tv.hWnd(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(clicks, (std::vector<std::wstring>{L"a", L"a"}));
    EXPECT_EQ(tv.SelectedIndex(), 1);

    Painted p(tv);
    EXPECT_EQ(p(LabelBody(1, 1).x, LabelBody(1, 1).y), kSelectedBody) << "the selected label sits on its box";
    EXPECT_EQ(p(LabelBody(2, 1).x, LabelBody(2, 1).y), kWhite) << "b is no longer selected";
}

TEST_F(TreeWindows, ClicksInGapsAndBesideRowsHitNothing)
{
    YTreeView& tv = Place(140, 186);
    Fill(tv, {{0, L"a"}, {0, L"b"}});
    tv.Spread(0, true);
    tv.LayoutNow();
    // a and b sit on rows 1 and 2 at level 1: left edge 26, rows 28..49 and 54..75.
    const int nx = LeftEdge(1), a = RowTop(1), b = RowTop(2);
    struct Case {
        const char* what;
        int x, y;
    } cases[] = {
        {"gap between a and b", nx + 45, a + 23},
        {"first line of the gap (row bottom)", nx + 45, a + 21},
        {"top line of a's row", nx + 45, a},
        {"right of b's extent", 110, b + 10},
        {"left of a's box", nx, a + 10},
        {"below the last row", 40, b + 21 + 30},
        {"left margin", 2, a + 10},
    };
    for (const auto& c : cases) {
        hosttest::ClickAt(tv.hWnd(), c.x, c.y);
        EXPECT_TRUE(clicks.empty()) << c.what;
        EXPECT_EQ(tv.SelectedIndex(), -1) << c.what;
    }
}

TEST_F(TreeWindows, BoxClicksRelayoutAtOnceWithoutSelecting)
{
    YTreeView& tv = Place(140, 186);
    Fill(tv, {{0, L"a"}, {0, L"b"}, {1, L"a1"}, {1, L"a2"}});
    tv.Spread(0, true);
    tv.LayoutNow();
    EXPECT_EQ(tv.TotalRows(), 3);

    ClickAt(tv, BoxPoint(1, 1));  // folded a with two children
    EXPECT_TRUE(tv.Store().Expanded(1));
    EXPECT_EQ(tv.TotalRows(), 5) << "laid out at once";
    EXPECT_TRUE(tv.Model().GlyphHit());
    EXPECT_EQ(tv.SelectedIndex(), -1);
    EXPECT_TRUE(clicks.empty());

    ClickAt(tv, BoxPoint(4, 1));  // b, below a1 and a2 now: no children, relayout only
    EXPECT_FALSE(tv.Store().Expanded(2));
    EXPECT_EQ(tv.TotalRows(), 5);
    EXPECT_TRUE(clicks.empty());

    ClickAt(tv, BoxPoint(1, 1));
    EXPECT_FALSE(tv.Store().Expanded(1));
    EXPECT_EQ(tv.TotalRows(), 3);
    EXPECT_EQ(tv.SelectedIndex(), -1);
}

TEST_F(TreeWindows, FoldingWhileScrolledMovesBackByAtMostTheValue)
{
    YTreeView& tv = Place(140, 186);  // 7 rows
    tv.AddItem(-1, L"root");
    tv.AddItem(0, L"big");    // 1: 40 children
    tv.AddItem(0, L"small");  // 2: 5 children
    for (int n = 0; n < 40; ++n)
        tv.AddItem(1, L"b" + std::to_wstring(n));
    for (int n = 0; n < 5; ++n)
        tv.AddItem(2, L"s" + std::to_wstring(n));
    tv.Spread(0, true);
    tv.Spread(1, true);
    tv.Spread(2, true);
    tv.LayoutNow();
    ASSERT_EQ(tv.TotalRows(), 48);
    tv.VScroll().SetValue(38);  // big's rows 39..41, small at 42, s0..s4 at 43..47
    ClickAt(tv, BoxPoint(42 - 38, 1));  // fold small: 5 rows went
    EXPECT_EQ(tv.VScroll().Value(), 33);
    EXPECT_EQ(tv.TotalRows(), 43);

    tv.VScroll().SetValue(1);
    tv.LayoutNow();
    ClickAt(tv, BoxPoint(0, 1));  // big, the top row; scrolled by 1, big had 40 rows: back to 0, not below
    EXPECT_EQ(tv.VScroll().Value(), 0);
    EXPECT_FALSE(tv.VScroll().Visible());
}

TEST_F(TreeWindows, WheelMovesThreeRowsAndStopsAtTheEnds)
{
    YTreeView& tv = Place(140, 186);
    tv.AddItem(-1, L"root");
    for (int n = 0; n < 10; ++n)
        tv.AddItem(0, L"c" + std::to_wstring(n));
    // The bar hidden: the wheel does nothing.
    Wheel(tv, -120);
    EXPECT_EQ(tv.VScroll().Value(), 0);
    tv.Spread(0, true);
    tv.LayoutNow();
    ASSERT_EQ(tv.VScroll().MaxV(), 11 - 7);
    Wheel(tv, -120);
    EXPECT_EQ(tv.VScroll().Value(), 3);
    Wheel(tv, -1);  // any size of turn moves three rows
    EXPECT_EQ(tv.VScroll().Value(), 4);
    Wheel(tv, 120);
    EXPECT_EQ(tv.VScroll().Value(), 1);
    Wheel(tv, 120);
    EXPECT_EQ(tv.VScroll().Value(), 0);
}

TEST_F(TreeWindows, HoverFollowsTheMouseAndLeavingClearsIt)
{
    YTreeView& tv = Place(140, 186);
    Fill(tv, {{0, L"a"}});
    tv.Spread(0, true);
    tv.LayoutNow();
    MoveMouse(tv.hWnd(), LabelPoint(1, 1).x, LabelPoint(1, 1).y);
    EXPECT_EQ(tv.Model().HoverIndex(), 1);
    {
        Painted p(tv);
        EXPECT_EQ(p(LabelBody(1, 1).x, LabelBody(1, 1).y), kHoverBody);
    }
    ::SendMessageW(tv.hWnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(tv.Model().HoverIndex(), -1);
}

TEST_F(TreeWindows, FoldedRootShowsOneRowWithAPlusBoxAndNoBar)
{
    YTreeView& tv = Place(140, 186);
    Fill(tv, {{0, L"a"}});
    tv.LayoutNow();
    EXPECT_EQ(tv.TotalRows(), 1);
    EXPECT_FALSE(tv.VScroll().Visible());
    EXPECT_FALSE(tv.HScroll().Visible());
    // The root's box: x 2..13, y 7..18, centre (7, 12).
    Painted p(tv);
    const int cx = 7, cy = 12;
    EXPECT_EQ(p(cx, cy - 2), kLine) << "vertical bar of the plus";
    EXPECT_EQ(p(cx - 2, cy), kLine) << "horizontal bar";
    EXPECT_NE(p(cx, 2 + 26 + 10), kLine) << "nothing on the second row";
    // The folder icon sits right of the box.
    EXPECT_EQ(p(2 + 19 + 10, 2 + 2 + 11), want::kTreeFolderFront) << "the folder's front panel";

    // Unfolded without children the root shows a minus.
    tv.RemoveItem(1);
    tv.Spread(0, true);
    tv.LayoutNow();
    Painted q(tv);
    EXPECT_NE(q(cx, cy - 2), kLine) << "no vertical bar: a minus";
    EXPECT_EQ(q(cx - 2, cy), kLine);
}

TEST_F(TreeWindows, ConnectorToAFarNextSiblingReachesTheBottomEdge)
{
    YTreeView& tv = Place(200, 186);  // 7 rows, content narrower than the view
    tv.AddItem(-1, L"r");
    tv.AddItem(0, L"a");  // 1
    tv.AddItem(0, L"b");  // 2, far below a
    for (int n = 0; n < 20; ++n)
        tv.AddItem(1, L"c" + std::to_wstring(n));
    tv.AddItem(3, L"d");  // c0 has a child: a row with children of its own
    tv.Spread(0, true);
    tv.Spread(1, true);
    tv.LayoutNow();
    ASSERT_FALSE(tv.HScroll().Visible());
    // a's box: x 26..37, y 33..44; its connector runs down x 31.
    const int x = LeftEdge(1) + 5, boxBottom = RowTop(1) + 16;
    Painted p(tv);
    // From under a's box down to the bottom of the last row in view.
    for (int y = boxBottom + 1; y < 2 + 7 * 26 - 4; y += 2)
        EXPECT_TRUE(p.DottedAt(x, y)) << "no connector at y " << y;
    // Scrolled into a's children the line still comes down from above.
    tv.VScroll().SetValue(6);
    Painted q(tv);
    for (int y = 3; y < 2 + 7 * 26 - 4; y += 2)
        EXPECT_TRUE(q.DottedAt(x, y)) << "scrolled: no connector at y " << y;
}

// The widest row found while the content fits: the horizontal bar is hidden
// and its range is a stale one, so the view must not move sideways.
TEST_F(TreeWindows, FindingTheWidestRowWithoutHorizontalBarKeepsTheViewInPlace)
{
    YTreeView& tv = Place(200, 186);  // 7 rows
    tv.AddItem(-1, L"root");
    for (int n = 0; n < 10; ++n)
        tv.AddItem(0, L"a" + std::to_wstring(n));
    tv.AddItem(10, L"ccc");  // under a9, the widest row once shown
    tv.LayoutNow();
    tv.FindItem(L"ccc");
    ASSERT_TRUE(tv.VScroll().Visible());
    ASSERT_FALSE(tv.HScroll().Visible());
    EXPECT_EQ(tv.SelectedIndex(), 11);
    EXPECT_EQ(tv.HScroll().Value(), 0);
    EXPECT_EQ(Box(tv, 0).left, 2) << "rows start at the left edge";
}

TEST_F(TreeWindows, ItemHeightBelowTheFontIsRefused)
{
    YTreeView& tv = Place(140, 186);
    Fill(tv, {{0, L"a"}});
    tv.SetItemHeight(3);
    EXPECT_EQ(tv.ItemHeight(), 21);
    tv.SetItemHeight(30);
    EXPECT_EQ(tv.ItemHeight(), 30);
    tv.Spread(0, true);
    tv.LayoutNow();
    EXPECT_EQ(Label(tv, 1).top, 2 + 35) << "rows are 35 pixels apart now";
    host::Font big = tv.Font();
    big.size = 40;
    tv.SetFont(big);
    EXPECT_GT(tv.ItemHeight(), 30) << "a taller font raises the row height";
}

TEST_F(TreeWindows, AtDesignTimeTheWindowIsNotHooked)
{
    host::SetDesignMode(true);
    YTreeView& tv = Place(140, 186);
    host::SetDesignMode(false);
    Fill(tv, {{0, L"a"}});
    tv.LayoutNow();
    ClickAt(tv, LabelPoint(0, 0));
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(tv.SelectedIndex(), -1);
}

TEST_F(TreeWindows, PaintThroughTheWindowMatchesTheFrame)
{
    YTreeView& tv = Place(140, 186);
    Fill(tv, {{0, L"a"}, {0, L"b"}, {1, L"a1"}});
    tv.Spread(0, true);
    tv.Spread(1, true);
    tv.LayoutNow();
    tv.FindItem(L"b");
    Painted p(tv);
    Frame f(tv.hWnd());
    int differing = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width() - 20; ++x)  // the vertical bar's strip is a child window
            differing += f(x, y) != p(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(f(LabelBody(3, 1).x, LabelBody(3, 1).y), kSelectedBody) << "b, below a and a1";
}

// The walk that visits only what can reach the view paints the same pixels
// as the full walk, wherever the view is scrolled.
TEST_F(TreeWindows, OptimisedPaintEqualsTheFullWalkOnRandomTrees)
{
    struct Case {
        const char* what;
        int nodes;
        bool phantoms;
    } cases[] = {{"plain", 250, false}, {"with expanded leaves", 250, true}};
    for (const auto& c : cases) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            YTreeView& tv = Place(160, 186);
            std::mt19937 rng(seed);
            treeref::BuildRandom(tv, tv.Store(), rng, c.nodes, c.phantoms);
            tv.LayoutNow();
            tv.FindItem(L"n" + std::to_wstring(c.nodes / 2));  // selection and some horizontal scroll
            const std::int32_t maxV = tv.VScroll().Visible() ? tv.VScroll().MaxV() : 0;
            for (std::int32_t v = 0; v <= maxV; v += 1 + maxV / 12) {
                tv.VScroll().SetValue(v);
                static_cast<WalkChoiceTree&>(tv).fullWalk = false;
                Painted fast(tv);
                static_cast<WalkChoiceTree&>(tv).fullWalk = true;
                Painted full(tv);
                int differing = 0, firstX = -1, firstY = -1;
                for (int y = 0; y < fast.height(); ++y)
                    for (int x = 0; x < fast.width(); ++x)
                        if (fast(x, y) != full(x, y) && differing++ == 0)
                            firstX = x, firstY = y;
                ASSERT_EQ(differing, 0) << c.what << " seed " << seed << " value " << v << ": first at " << firstX
                                        << "," << firstY;
            }
            form.RemoveControl(L"YTreeView1");
        }
    }
}

// The fold below also takes the horizontal bar away: the new range is
// smaller than the value the fold leaves, and the value must follow it.
TEST_F(TreeWindows, AFoldThatDropsTheHorizontalBarLeavesAValidRange)
{
    YTreeView& tv = Place(140, 186);  // 7 rows
    tv.AddItem(-1, L"root");
    for (int n = 1; n <= 20; ++n)
        tv.AddItem(0, L"a" + std::to_wstring(n));
    tv.AddItem(0, L"Y");  // slot 21
    for (int n = 0; n < 3; ++n)
        tv.AddItem(21, L"wwwwwwwww" + std::to_wstring(n));
    tv.Spread(0, true);
    tv.Spread(21, true);
    tv.LayoutNow();
    ASSERT_EQ(tv.TotalRows(), 25);
    ASSERT_TRUE(tv.HScroll().Visible()) << "the ten-character rows do not overflow here";
    ASSERT_EQ(tv.VScroll().MaxV(), 19);
    tv.VScroll().SetValue(19);
    ClickAt(tv, BoxPoint(21 - 19, 1));  // Y, on the view's third row
    EXPECT_FALSE(tv.Store().Expanded(21));
    EXPECT_EQ(tv.TotalRows(), 22);
    EXPECT_FALSE(tv.HScroll().Visible());
    EXPECT_EQ(tv.VScroll().MaxV(), 15);
    EXPECT_EQ(tv.VScroll().Value(), 15);
    Wheel(tv, -120);
    EXPECT_EQ(tv.VScroll().Value(), 15) << "the wheel scrolled past the last row";
    // The bottom row of the view shows the last node: it can be clicked.
    const int bottom = 2 + 6 * 26 + 10;
    hosttest::ClickAt(tv.hWnd(), 2 + 24 + 44, bottom);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], L"Y");
}

TEST_F(TreeWindows, RemovingANodeForgetsItsSelectionAndHover)
{
    YTreeView& tv = Place(140, 186);
    Fill(tv, {{0, L"a"}, {0, L"b"}, {2, L"b1"}});
    tv.Spread(0, true);
    tv.Spread(2, true);
    tv.LayoutNow();
    ClickAt(tv, LabelPoint(3, 2));  // select b1 (row 3, level 2)
    ASSERT_EQ(tv.SelectedIndex(), 3);
    MoveMouse(tv.hWnd(), LabelPoint(1, 1).x, LabelPoint(1, 1).y);  // over a
    ASSERT_EQ(tv.Model().HoverIndex(), 1);
    tv.RemoveItem(2);  // b with b1
    tv.RemoveItem(1);
    EXPECT_EQ(tv.SelectedIndex(), -1);
    EXPECT_EQ(tv.Model().HoverIndex(), -1);
    tv.AddItem(0, L"new");  // the freed slots 1, 2 and 3 are taken again
    tv.AddItem(0, L"newer");
    tv.AddItem(0, L"newest");
    tv.Spread(0, true);  // the root folded when it lost its last child
    tv.LayoutNow();
    ASSERT_EQ(tv.GetIndexByStr(L"new"), 1);
    ASSERT_EQ(tv.GetIndexByStr(L"newest"), 3);
    Painted p(tv);
    for (std::int32_t slot : {1, 2, 3}) {
        const RECT r = Label(tv, slot);
        for (int x = r.left + 1; x < r.right - 1; ++x) {
            ASSERT_NE(p(x, (r.top + r.bottom) / 2), kSelectedBody) << "slot " << slot << " shows as selected";
            ASSERT_NE(p(x, (r.top + r.bottom) / 2), kHoverBody) << "slot " << slot << " shows as hovered";
        }
    }
}

// Boundaries of the hit test on a row at level 1 (left edge 26) in row 1
// (y 28..49): a point shifted by a pixel or two lands in another zone.
TEST_F(TreeWindows, HitZonesEndOnTheirBoundaryPixels)
{
    YTreeView& tv = Place(140, 186);
    Fill(tv, {{0, L"a"}, {1, L"a1"}});
    tv.Spread(0, true);
    tv.LayoutNow();
    const int nx = LeftEdge(1), top = RowTop(1);
    const struct {
        const char* what;
        int x, y;
        const char* hit;  // "none", "box" (no selection) or "label" (selects a)
    } cases[] = {
        {"the row's left edge", nx, top + 10, "none"},
        {"first pixel of the box zone", nx + 1, top + 10, "box"},
        {"last pixel of the box zone", nx + 10, top + 10, "box"},
        {"first pixel past the box zone", nx + 11, top + 10, "label"},
        {"the row's top line", nx + 45, top, "none"},
        {"first row of the row", nx + 45, top + 1, "label"},
        {"last row of the row", nx + 45, top + 20, "label"},
        {"the line below it", nx + 45, top + 21, "none"},
    };
    for (const auto& c : cases) {
        const bool wasExpanded = tv.Store().Expanded(1);
        clicks.clear();
        hosttest::ClickAt(tv.hWnd(), c.x, c.y);
        const std::string what = std::string(c.what) + " at " + std::to_string(c.x) + "," + std::to_string(c.y);
        if (std::string(c.hit) == "label") {
            EXPECT_EQ(clicks, (std::vector<std::wstring>{L"a"})) << what;
            EXPECT_EQ(tv.Store().Expanded(1), wasExpanded) << what;
        } else if (std::string(c.hit) == "box") {
            EXPECT_TRUE(clicks.empty()) << what;
            EXPECT_NE(tv.Store().Expanded(1), wasExpanded) << what << ": the box did not fold or unfold";
            tv.Spread(1, wasExpanded);  // back as it was
            tv.LayoutNow();
        } else {
            EXPECT_TRUE(clicks.empty()) << what;
            EXPECT_EQ(tv.Store().Expanded(1), wasExpanded) << what;
        }
    }
}

// An unfolded node without children shows nothing below it: the rows the
// layout counts, the rows painted and the rows hit are the same ones.
TEST_F(TreeWindows, AnUnfoldedLeafAddsNoRow)
{
    YTreeView& tv = Place(140, 186);  // 7 rows
    tv.AddItem(-1, L"root");
    for (int n = 1; n <= 12; ++n)
        tv.AddItem(0, L"r" + std::to_wstring(n));  // slots 1..12
    tv.AddItem(1, L"x");                            // slot 13, under r1
    tv.Spread(0, true);
    tv.Spread(1, true);
    tv.Spread(13, true);  // a leaf, unfolded
    tv.LayoutNow();
    // root, r1, x, r2 .. r12
    EXPECT_EQ(tv.TotalRows(), 14);
    EXPECT_EQ(tv.pGetItemCnt(13), 0);
    EXPECT_EQ(tv.pGetItemCnt(1), 1);
    EXPECT_EQ(tv.VScroll().MaxV(), 14 - 7);
    tv.VScroll().SetValue(5);  // row 5 is r4, in the range of a later root child
    const int y = 2 + 10;
    hosttest::ClickAt(tv.hWnd(), 2 + 24 + 44, y);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], L"r4");
    Painted p(tv);
    EXPECT_EQ(p(2 + 24 + 42 + 2, 2 + 5), kSelectedBody) << "the clicked node is not the one painted on the top row";
}

TEST_F(TreeWindows, EmptyLabelsAreNodes)
{
    YTreeView& tv = Place(140, 186);
    tv.AddItem(-1, L"");
    tv.AddItem(0, L"");
    tv.AddItem(0, L"after");
    EXPECT_TRUE(boxes.boxes.empty()) << boxes.boxes.size() << " message boxes";
    EXPECT_EQ(tv.SlotCount(), 3);
    EXPECT_EQ(tv.GetIndexByStr(L"after"), 2);
    EXPECT_EQ(tv.GetIndexByStr(L""), 0);
    tv.Spread(0, true);
    tv.LayoutNow();
    EXPECT_EQ(tv.TotalRows(), 3);
    tv.RemoveItem(1);
    EXPECT_EQ(tv.FreeSlots(), 1);
    tv.AddItem(0, L"reuses");
    EXPECT_EQ(tv.GetIndexByStr(L"reuses"), 1);
}

// Labels are data: an "&" shows as typed, not as an access key.
TEST_F(TreeWindows, AmpersandsInLabelsAreDrawnAsTyped)
{
    YTreeView& tv = Place(240, 186);
    const std::wstring text(8, L'&');
    Fill(tv, {{0, text.c_str()}});
    tv.Spread(0, true);
    tv.LayoutNow();
    Painted p(tv);
    const RECT r = Label(tv, 1);
    const int full = TextExtent(tv.Font(), text);
    const int ink = InkSpan(p, RECT{r.left, r.top + 2, r.right, r.bottom - 2});
    EXPECT_GE(ink, full * 3 / 4) << "ink " << ink << " px of a " << full << " px text";
}

// Scrolled sideways by 40 pixels: root (level 0), a (1), b (2) with the wide
// node L (3), and W (2) as wide as L; every left edge is 40 pixels further
// left. L and W carry the same label, so folding b narrows the content by
// exactly one level, 24 pixels.
class SidewaysTree : public TreeWindows {
protected:
    const std::wstring wide = std::wstring(20, L'W');
    YTreeView& Build()
    {
        YTreeView& tv = Place(140, 186);
        tv.AddItem(-1, L"root");
        tv.AddItem(0, L"a");   // 1
        tv.AddItem(1, L"b");   // 2
        tv.AddItem(2, wide);   // 3, under b
        tv.AddItem(1, wide);   // 4, under a
        for (std::int32_t s : {0, 1, 2})
            tv.Spread(s, true);
        tv.LayoutNow();
        EXPECT_TRUE(tv.HScroll().Visible());
        EXPECT_GE(tv.HScroll().MaxV(), 40);
        tv.HScroll().SetValue(40);
        return tv;
    }
    static constexpr int kH = 40;
};

TEST_F(SidewaysTree, ClicksHitTheRowsWhereTheyShow)
{
    YTreeView& tv = Build();
    // Row 3 is L at level 3: left edge 2 - 40 + 72 = 34.
    ClickAt(tv, LabelPoint(3, 3, kH));
    EXPECT_EQ(clicks, (std::vector<std::wstring>{wide}));
    EXPECT_EQ(tv.SelectedIndex(), 3);
    // Where b's box would be unscrolled (x 55) is b's label now (left edge 10).
    clicks.clear();
    ClickAt(tv, BoxPoint(2, 2));
    EXPECT_EQ(clicks, (std::vector<std::wstring>{L"b"}));
    EXPECT_TRUE(tv.Store().Expanded(2)) << "a label click folded b";
    // Left of b's shifted edge: nothing.
    clicks.clear();
    hosttest::ClickAt(tv.hWnd(), LeftEdge(2, kH), RowTop(2) + 10);
    EXPECT_TRUE(clicks.empty());
}

TEST_F(SidewaysTree, PaintsTheRowsAtTheOffset)
{
    YTreeView& tv = Build();
    ClickAt(tv, LabelPoint(3, 3, kH));
    Painted p(tv);
    const int bx = LeftEdge(2, kH);  // b's box: x 10..21, y 59..70
    EXPECT_EQ(p(bx + 5, RowTop(2) + 5), kLine) << "b's box, top edge";
    EXPECT_EQ(p(bx + 5, RowTop(2) + 10), kLine) << "its minus bar: b is unfolded";
    EXPECT_NE(p(bx + 5 + kH, RowTop(2) + 5), kLine) << "nothing where the box would be unscrolled";
    const POINT body = LabelBody(3, 3, kH);
    EXPECT_EQ(p(body.x, body.y), kSelectedBody) << "L's selected box at the offset";
    EXPECT_NE(p(body.x - 4, body.y), kSelectedBody) << "the box starts at L's shifted label, not before";
}

TEST_F(SidewaysTree, FoldingWhileScrolledSidewaysMovesBackByTheLostWidth)
{
    YTreeView& tv = Build();
    const std::int32_t maxBefore = tv.HScroll().MaxV();
    ClickAt(tv, BoxPoint(2, 2, kH));  // fold b: L (one level deeper than W) goes
    EXPECT_FALSE(tv.Store().Expanded(2));
    EXPECT_EQ(tv.TotalRows(), 4);
    EXPECT_TRUE(tv.HScroll().Visible()) << "W still needs the bar";
    EXPECT_EQ(tv.HScroll().MaxV(), maxBefore - 24);
    EXPECT_EQ(tv.HScroll().Value(), kH - 24) << "moved back by the 24 pixels the content lost";
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(tv.SelectedIndex(), -1);
}

TEST_F(SidewaysTree, ADoubleClickOnAnExpandBoxFoldsAndUnfoldsWithoutSelecting)
{
    YTreeView& tv = Build();
    const POINT box = BoxPoint(2, 2, kH);
    const LPARAM at = At(box.x, box.y);
    ::SendMessageW(tv.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_FALSE(tv.Store().Expanded(2)) << "the first press folds b";
    ::SendMessageW(tv.hWnd(), WM_LBUTTONUP, 0, at);
    // The fold moved the view back by 24: b's box is now 24 pixels to the right.
    const POINT again = BoxPoint(2, 2, tv.HScroll().Value());
    ::SendMessageW(tv.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(again.x, again.y));
    ::SendMessageW(tv.hWnd(), WM_LBUTTONUP, 0, At(again.x, again.y));
    EXPECT_TRUE(tv.Store().Expanded(2)) << "the double-click unfolds it again";
    EXPECT_EQ(tv.TotalRows(), 5);
    EXPECT_TRUE(clicks.empty()) << "a box raises no Click";
    EXPECT_EQ(tv.SelectedIndex(), -1);
}

} // namespace
