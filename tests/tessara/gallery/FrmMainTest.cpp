// The gallery form in this process, loaded from the program's own
// resources: its controls and stored properties, the load's fill, Timer1,
// the five command buttons pressed with real mouse messages, the event
// handlers, the query message and the icons' release on unload.
#include "tessara/gallery/frmMain.h"

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
#include "tests/tessara/controls/ExpectedColours.h"
#include "tests/tessara/controls/ScrollTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

using namespace tessara;
using gallery::frmMain;
using scrolltest::Frame;
using scrolltest::MoveMouse;
using scrolltest::PumpUntil;

std::string Narrow(const std::wstring& w) { return host::ToUtf8(w); }

class Gallery : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<frmMain>();
        form->Show();
        ASSERT_TRUE(PumpUntil([&] { return form->Answer(gallery::QueryPainted, 0) == 1; }, 10000))
            << "the form never finished its first paint";
    }
    void TearDown() override
    {
        if (form && form->Loaded())
            form->Unload();
        form.reset();
        EXPECT_TRUE(boxes.boxes.empty()) << "the gallery shows no message box";
    }

    template <class T>
    T& Get(const wchar_t* name)
    {
        return form->Control<T>(name);
    }
    // A click at the middle of a control, as the mouse gives it.
    void Press(const wchar_t* name)
    {
        HWND h = form->FindAny(name)->hWnd();
        RECT r;
        GetClientRect(h, &r);
        MoveMouse(h, r.right / 2, r.bottom / 2);
        hosttest::ClickAt(h, r.right / 2, r.bottom / 2);
    }
    // Where a control stands in the form's client area, in pixels.
    RECT PlaceOf(const wchar_t* name)
    {
        RECT r;
        HWND h = form->FindAny(name)->hWnd();
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, form->hWnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    std::wstring AtomText(LRESULT atom)
    {
        if (!atom)
            return L"";
        wchar_t buf[256] = {};
        GlobalGetAtomNameW(static_cast<ATOM>(atom), buf, 256);
        GlobalDeleteAtom(static_cast<ATOM>(atom));
        return buf;
    }
    std::vector<std::wstring> ListViewTexts(int from, int to)
    {
        std::vector<std::wstring> out;
        for (int i = from; i <= to; ++i)
            out.push_back(Get<YListView>(L"YListView1").ListItem(i));
        return out;
    }

    hosttest::BoxRecorder boxes;
    std::unique_ptr<frmMain> form;
};

// ---- The form as stored --------------------------------------------------------

TEST_F(Gallery, EveryControlStandsAtItsPlaceAsItsKindNamedByItsInstance)
{
    EXPECT_EQ(form->Caption(), L"Form1");
    RECT client;
    GetClientRect(form->hWnd(), &client);
    EXPECT_EQ(client.right, 726);
    EXPECT_EQ(client.bottom, 468);

    const struct {
        const wchar_t* name;
        const wchar_t* kind;
        int x, y, w, h;  // h < 0: at least -h, snapped to the control's rows
    } table[] = {
        {L"YOption1", L"YOption", 440, 16, 73, 33},      {L"YCheck1", L"YCheck", 352, 16, 73, 33},
        {L"YVScroll1", L"YVScroll", 8, 40, 18, 113},     {L"YHScroll1", L"YHScroll", 16, 16, 89, 17},
        {L"YFrame1", L"YFrame", 40, 344, 73, 89},        {L"YProgress1", L"YProgress", 16, 280, 137, 9},
        {L"YGroupList1", L"YGroupList", 576, 48, 129, 146}, {L"YCommand1", L"YCommand", 128, 352, 89, 25},
        {L"YCombo1", L"YCombo", 24, 312, 113, 20},       {L"YTreeView1", L"YTreeView", 152, 48, 140, 186},
        {L"YList1", L"YList", 32, 48, 113, 166},         {L"YCommand2", L"YCommand", 128, 400, 81, 33},
        {L"YTab1", L"YTab", 304, 48, 257, 137},          {L"YListView1", L"YListView", 320, 208, 313, -225},
        {L"YCommand3", L"YCommand", 184, 296, 81, 33},   {L"YCommand4", L"YCommand", 184, 248, 81, 33},
        {L"YCommand5", L"YCommand", 224, 336, 81, 33},
    };
    // Controls with a caption show it as their window text; the others
    // their instance name.
    const std::map<std::wstring, std::wstring> captions = {
        {L"YOption1", L"YOption1"},     {L"YCheck1", L"YCheck1"},   {L"YFrame1", L"YFrame1"},
        {L"YCommand1", L"查找结点B100"}, {L"YCommand2", L"YCommand2"}, {L"YCommand3", L"切换模式"},
        {L"YCommand4", L"再切换模式"},   {L"YCommand5", L"我还换模式"},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(Narrow(c.name));
        host::ControlBase* control = form->FindAny(c.name);
        ASSERT_NE(control, nullptr);
        wchar_t cls[64] = {}, text[64] = {};
        GetClassNameW(control->hWnd(), cls, 64);
        GetWindowTextW(control->hWnd(), text, 64);
        EXPECT_STREQ(cls, c.kind);
        const auto caption = captions.find(c.name);
        EXPECT_EQ(std::wstring(text), caption == captions.end() ? std::wstring(c.name) : caption->second);
        EXPECT_EQ(host::ControlBase::InstanceNameOf(control->hWnd()), c.name);
        EXPECT_TRUE(IsWindowVisible(control->hWnd()));
        const RECT r = PlaceOf(c.name);
        EXPECT_EQ(r.left, c.x);
        EXPECT_EQ(r.top, c.y);
        EXPECT_EQ(r.right - r.left, c.w);
        if (c.h > 0) {
            EXPECT_EQ(r.bottom - r.top, c.h);
        } else {
            // The list view's layout snaps it to whole rows, rounding up.
            const int rows = Get<YListView>(c.name).Model().RowHeights().row;
            EXPECT_GE(r.bottom - r.top, -c.h);
            EXPECT_LT(r.bottom - r.top, -c.h + rows);
        }
    }
    const host::Timer& timer1 = Get<host::Timer>(L"Timer1");
    EXPECT_EQ(timer1.Interval(), 50);
}

TEST_F(Gallery, TheButtonsAndTheFrameShowTheirCurrentCaptionAsWindowText)
{
    const auto textOf = [](HWND h) {
        wchar_t text[64] = {};
        GetWindowTextW(h, text, 64);
        return std::wstring(text);
    };
    const auto follow = [&](const wchar_t* name, auto& control) {
        SCOPED_TRACE(Narrow(name));
        const HWND h = control.hWnd();
        control.SetCaption(L"新标题");
        EXPECT_EQ(textOf(h), L"新标题");
        EXPECT_EQ(control.Caption(), L"新标题");
        control.SetCaption(L"");
        EXPECT_EQ(textOf(h), name) << "no caption: the instance name";
        control.SetCaption(L"Back");
        EXPECT_EQ(textOf(h), L"Back");
        EXPECT_EQ(host::ControlBase::InstanceNameOf(h), name);
    };
    follow(L"YCommand1", Get<YCommand>(L"YCommand1"));
    follow(L"YOption1", Get<YOption>(L"YOption1"));
    follow(L"YCheck1", Get<YCheck>(L"YCheck1"));
    follow(L"YFrame1", Get<YFrame>(L"YFrame1"));
}

TEST_F(Gallery, ControlsKeepTheirStoredProperties)
{
    // Every control shows 宋体 9 pt, GB2312; the scroll bars take it from the form.
    int checked = 0;
    form->ForEachControl([&](host::ControlBase& c) {
        auto* uc = dynamic_cast<host::UserControl*>(&c);
        if (!uc || uc->Parent() != form.get())
            return;  // the timer, and the controls' own embedded parts
        SCOPED_TRACE(Narrow(c.Name()));
        ++checked;
        EXPECT_EQ(uc->Font().name, L"宋体");
        EXPECT_EQ(uc->Font().size, 9.0);
        EXPECT_FALSE(uc->Font().bold);
        EXPECT_EQ(uc->Font().charset, 134);
    });
    EXPECT_EQ(checked, 17) << "the form holds 17 owner-drawn controls; this many had their font checked";

    const struct {
        const wchar_t* name;
        host::Colour back, fore;
    } colours[] = {
        {L"YOption1", 0x8000000F, 0x00000000},   {L"YCheck1", 0x8000000F, 0x00000000},
        {L"YFrame1", 0x8000000F, 0x80000012},    {L"YProgress1", 0x8000000F, 0x80000012},
        {L"YGroupList1", 0x00FFFFFF, 0x00000000}, {L"YCommand1", 0x8000000F, 0x80000012},
        {L"YCombo1", 0x00FFFFFF, 0x00000000},    {L"YTreeView1", 0x00FFFFFF, 0x80000012},
        {L"YList1", 0x00FFFFFF, 0x80000012},     {L"YCommand2", 0x8000000F, 0x80000012},
        {L"YListView1", 0x8000000F, 0x80000012}, {L"YCommand3", 0x8000000F, 0x80000012},
        {L"YCommand4", 0x8000000F, 0x80000012},  {L"YCommand5", 0x8000000F, 0x80000012},
    };
    for (const auto& c : colours) {
        SCOPED_TRACE(Narrow(c.name));
        auto* uc = form->FindControl(c.name);
        ASSERT_NE(uc, nullptr);
        EXPECT_EQ(uc->BackColor(), c.back);
        EXPECT_EQ(uc->ForeColor(), c.fore);
    }
    EXPECT_EQ(Get<YTab>(L"YTab1").BackColor(), 0x8000000Fu);

    const struct {
        const wchar_t* name;
        const wchar_t* caption;
    } captions[] = {{L"YOption1", L"YOption1"}, {L"YCheck1", L"YCheck1"},      {L"YCommand1", L"查找结点B100"},
                    {L"YCommand2", L"YCommand2"}, {L"YCommand3", L"切换模式"}, {L"YCommand4", L"再切换模式"},
                    {L"YCommand5", L"我还换模式"}};
    for (const auto& c : captions) {
        auto& b = Get<SmallButton>(c.name);
        EXPECT_EQ(b.Caption(), c.caption);
        EXPECT_TRUE(b.Enabled()) << Narrow(c.name);
    }
    EXPECT_EQ(Get<YOption>(L"YOption1").Value(), 0);
    EXPECT_EQ(Get<YCheck>(L"YCheck1").Value(), 0);
    EXPECT_EQ(Get<YFrame>(L"YFrame1").Caption(), L"YFrame1");
    EXPECT_EQ(Get<YFrame>(L"YFrame1").BorderColor(), 0x00FFD6B3u);

    for (const wchar_t* bar : {L"YVScroll1", L"YHScroll1"}) {
        auto& b = Get<ScrollBarControl>(bar);
        EXPECT_EQ(b.MinV(), 0);
        EXPECT_EQ(b.MaxV(), 20);
        EXPECT_EQ(b.Value(), 0);
        EXPECT_EQ(b.SmallChange(), 1);
        EXPECT_EQ(b.LargeChange(), 10);
    }
    auto& progress = Get<YProgress>(L"YProgress1");
    EXPECT_EQ(progress.MinV(), 0);
    EXPECT_EQ(progress.MaxV(), 100);
    EXPECT_EQ(Get<YGroupList>(L"YGroupList1").ScrollMode(), 2);
    EXPECT_TRUE(Get<YCombo>(L"YCombo1").IsReal());
    EXPECT_TRUE(Get<YList>(L"YList1").IsReal());
    EXPECT_EQ(Get<YList>(L"YList1").ScrollMode(), 2);
    auto& tab = Get<YTab>(L"YTab1");
    EXPECT_FALSE(tab.IsBottom());
    EXPECT_EQ(tab.CntOfLine(), 4);
    EXPECT_TRUE(tab.MultilLine());
    EXPECT_EQ(tab.ItemWidth(), 60);
    EXPECT_EQ(tab.ItemHeight(), 20);
    auto& view = Get<YListView>(L"YListView1");
    EXPECT_FALSE(view.IsTextMode());
    EXPECT_EQ(view.DisMode(), 0);
}

// ---- The load ------------------------------------------------------------------

TEST_F(Gallery, LoadFillsTheListsTreeTabsAndListViewInOrder)
{
    auto& list = Get<YList>(L"YList1");
    ASSERT_EQ(list.ListCount(), 103);
    EXPECT_EQ(list.List(0), L"列表项0");
    EXPECT_EQ(list.List(100), L"列表项100");
    EXPECT_EQ(list.List(101), L"Adfdfadfdf我有成功");
    EXPECT_EQ(list.List(102), L"我123爱456你中就是这样");
    auto& combo = Get<YCombo>(L"YCombo1");
    ASSERT_EQ(combo.List().ListCount(), 101);
    EXPECT_EQ(combo.List().List(100), L"组合项100");
    EXPECT_EQ(combo.Text(), L"") << "filling the combo box chooses nothing";

    auto& groups = Get<YGroupList>(L"YGroupList1");
    const int counts[] = {21, 11, 15, 6};
    for (int g = 0; g < 4; ++g)
        EXPECT_EQ(groups.GetListCount(g), counts[g]);
    EXPECT_EQ(groups.GetList(0, 20), L"分组一第abcdefgh20项");
    EXPECT_EQ(groups.GetList(3, 5), L"分组四第5项");

    auto& tree = Get<YTreeView>(L"YTreeView1");
    EXPECT_EQ(tree.SlotCount() - tree.FreeSlots(), 2104);
    EXPECT_EQ(form->Answer(gallery::QueryTreeNodeCount, 0), 2104);
    const std::vector<gallery::TreeAddition> plan = gallery::TreePlan();
    for (std::int32_t slot = 0; slot < tree.SlotCount(); slot += 97)
        EXPECT_EQ(tree.Store().Label(slot), plan[slot].label) << "nodes fill their slots in adding order";
    EXPECT_EQ(tree.Store().Label(tree.Store().ParentSlot(tree.GetIndexByStr(L"结点B100"))), L"结点2");
    EXPECT_EQ(tree.TotalRows(), 1) << "the tree has laid itself out with its root folded";

    auto& tab = Get<YTab>(L"YTab1");
    ASSERT_EQ(tab.TabCount(), 8);
    EXPECT_EQ(tab.TabCaption(0), L"标签一");
    EXPECT_EQ(tab.TabCaption(7), L"标签八");

    auto& view = Get<YListView>(L"YListView1");
    const ListViewStore& store = view.Model().Store();
    ASSERT_EQ(store.HeaderCount(), 3);
    for (int c = 0; c < 3; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(store.Header(c).text, L"列表头" + std::to_wstring(c));
        EXPECT_EQ(store.Header(c).width, 100);
        EXPECT_EQ(store.Header(c).smallIcon, nullptr);
        ASSERT_NE(form->Icon(c), nullptr);
        EXPECT_EQ(store.Header(c).bigIcon, form->Icon(c));
    }
    ASSERT_EQ(store.ItemCount(), 101);
    for (int i : {0, 50, 100}) {
        SCOPED_TRACE(i);
        const ListItem& item = store.Item(i);
        EXPECT_EQ(item.text, L"列表项" + std::to_wstring(i));
        EXPECT_EQ(item.smallIcon, form->Icon(0));
        EXPECT_EQ(item.bigIcon, form->Icon(1));
        ASSERT_EQ(item.subItems.size(), 2u);
        EXPECT_EQ(item.subItems[0].text, item.text + L"子项1");
        EXPECT_EQ(item.subItems[0].smallIcon, form->Icon(1));
        EXPECT_EQ(item.subItems[1].text, item.text + L"子项2");
        EXPECT_EQ(item.subItems[1].smallIcon, form->Icon(2));
        EXPECT_EQ(item.subItems[1].bigIcon, nullptr);
    }
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(form->Icon(n)->type, host::Picture::Type::Icon);
        EXPECT_EQ(form->Icon(n)->width, 16);
        EXPECT_EQ(form->Icon(n)->height, 16);
    }
}

TEST_F(Gallery, Timer1RunsTheBarFromZeroToOneHundredAndStops)
{
    auto& progress = Get<YProgress>(L"YProgress1");
    auto& timer = Get<host::Timer>(L"Timer1");
    // The ticks that already ran during the load show as the current value;
    // the first tick shows 0, so before any tick the next one shows it again.
    const int before = progress.Value();
    std::vector<int> shown;
    timer.Tick.connect([&] { shown.push_back(progress.Value()); });
    ASSERT_TRUE(PumpUntil([&] { return !timer.Enabled(); }, 15000)) << "Timer1 never stopped";
    ASSERT_FALSE(shown.empty());
    EXPECT_TRUE(shown.front() == before + 1 || (before == 0 && shown.front() == 0))
        << "before " << before << ", first tick " << shown.front();
    for (size_t k = 1; k < shown.size(); ++k)
        EXPECT_EQ(shown[k], shown[k - 1] + 1) << "one step per tick";
    EXPECT_EQ(shown.back(), 100);
    EXPECT_EQ(progress.Value(), 100);
    scrolltest::Pump(300);
    EXPECT_EQ(progress.Value(), 100) << "nothing moves the bar after the stop";
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(form->Answer(gallery::QueryTimerEnabled, 0), 0);
    EXPECT_EQ(form->Answer(gallery::QueryProgressValue, 0), 100);
    // The fill reaches the bar's right end.
    EXPECT_GE(progress.FillRight(), 137 - 2);
}

// ---- The command buttons -----------------------------------------------------------

TEST_F(Gallery, FindButtonSelectsB100UnfoldsItsAncestorsAndScrollsItIntoView)
{
    auto& tree = Get<YTreeView>(L"YTreeView1");
    const std::int32_t b100 = tree.GetIndexByStr(L"结点B100");
    const std::int32_t node2 = tree.GetIndexByStr(L"结点2");
    ASSERT_FALSE(tree.Store().Expanded(0));
    RECT box, label;
    ASSERT_FALSE(tree.NodeRects(b100, &box, &label)) << "hidden under the folded root at first";

    Press(L"YCommand1");

    EXPECT_EQ(tree.SelectedIndex(), b100);
    EXPECT_TRUE(tree.Store().Expanded(0));
    EXPECT_TRUE(tree.Store().Expanded(node2));
    EXPECT_FALSE(tree.Store().Expanded(tree.GetIndexByStr(L"结点1"))) << "only the ancestors unfold";
    ASSERT_TRUE(tree.NodeRects(b100, &box, &label));
    // 104 rows now (the root, 结点1, 结点2 with its 100 children, 结点3);
    // B100 on row 102 lies on the last page: with both bars 6 rows show
    // (the first resize fitted 7), so the view starts at row 98 and B100 is
    // its fifth row, from y 2 + 4 x 26 = 106, at level 2.
    EXPECT_EQ(tree.TotalRows(), 104);
    ASSERT_TRUE(tree.HScroll().Visible());
    EXPECT_EQ(tree.VScroll().Value(), 98) << "the view scrolled down to the node's page";
    const int top = 2 + 4 * 26, left = 2 - tree.HScroll().Value() + 2 * 24;
    EXPECT_EQ(label.top, top);
    // The selected label's box is painted where the node shows.
    Frame f(tree.hWnd());
    EXPECT_EQ(f(left + 44, top + 5), want::kTreeSelectedBody);
    EXPECT_EQ(AtomText(form->Answer(gallery::QueryTreeSelectedText, 0)), L"结点B100");
    EXPECT_EQ(form->Answer(gallery::QueryTreeSelectedLabel, 1), top);
}

TEST_F(Gallery, RemoveButtonTakesTheItemsAtNineAndEightOnEachPress)
{
    auto& view = Get<YListView>(L"YListView1");
    Press(L"YCommand2");
    EXPECT_EQ(view.Model().ItemCount(), 99);
    EXPECT_EQ(ListViewTexts(6, 9),
              (std::vector<std::wstring>{L"列表项6", L"列表项7", L"列表项10", L"列表项11"}));
    Press(L"YCommand2");
    EXPECT_EQ(view.Model().ItemCount(), 97);
    EXPECT_EQ(ListViewTexts(6, 9),
              (std::vector<std::wstring>{L"列表项6", L"列表项7", L"列表项12", L"列表项13"}));
    EXPECT_EQ(form->Answer(gallery::QueryListViewCount, 0), 97);
    EXPECT_EQ(AtomText(form->Answer(gallery::QueryListViewItem, 8)), L"列表项12");
    EXPECT_EQ(form->Answer(gallery::QueryListViewItem, 97), 0) << "no text past the end";
}

TEST_F(Gallery, ModeButtonsSwitchTheListViewToTwoOneAndThree)
{
    auto& view = Get<YListView>(L"YListView1");
    const struct {
        const wchar_t* button;
        int mode;
    } presses[] = {{L"YCommand3", 2}, {L"YCommand4", 1}, {L"YCommand5", 3}, {L"YCommand3", 2}};
    for (const auto& p : presses) {
        Press(p.button);
        EXPECT_EQ(view.DisMode(), p.mode) << Narrow(p.button);
        EXPECT_EQ(form->Answer(gallery::QueryListViewMode, 0), p.mode);
    }
    EXPECT_EQ(view.Model().ItemCount(), 101) << "switching modes keeps the items";
}

// ---- The event handlers ------------------------------------------------------------

TEST_F(Gallery, HandlersTakeTheTextsTheControlsReport)
{
    auto& tree = Get<YTreeView>(L"YTreeView1");
    // The root's label starts at x 2 + 42 on the first row (y 2..23).
    const int tx = 2 + 45, ty = 2 + 10;
    MoveMouse(tree.hWnd(), tx, ty);
    hosttest::ClickAt(tree.hWnd(), tx, ty);
    EXPECT_EQ(form->LastTreeText(), L"结点0");

    // The list view's headers carry big icons: the header row is 26 high
    // from y 2; the items carry small icons: item 0 covers y 28..49.
    auto& view = Get<YListView>(L"YListView1");
    hosttest::ClickAt(view.hWnd(), 30, 15);
    EXPECT_EQ(form->LastHeaderText(), L"列表头0");
    hosttest::ClickAt(view.hWnd(), 30, 39);
    EXPECT_EQ(form->LastItemText(), L"列表项0");

    // The grouped list: the first header unfolds its group, then its first item.
    auto& groups = Get<YGroupList>(L"YGroupList1");
    hosttest::ClickAt(groups.hWnd(), 30, 13);
    ASSERT_TRUE(groups.Model().Store().Expanded(0));
    ASSERT_TRUE(PumpUntil([&] { return !groups.LayoutPending(); }, 2000));
    hosttest::ClickAt(groups.hWnd(), 30, 33);
    EXPECT_EQ(form->LastGroupText(), L"分组一第abcdefgh0项");
    SendMessageW(groups.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, hosttest::At(30, 53));
    EXPECT_EQ(form->LastGroupText(), L"分组一第abcdefgh1项");
}

// ---- Unload -------------------------------------------------------------------------

TEST_F(Gallery, UnloadReleasesTheThreeIcons)
{
    std::weak_ptr<const host::Picture> icons[3];
    HICON handles[3];
    for (int n = 0; n < 3; ++n) {
        icons[n] = form->Icon(n);
        handles[n] = reinterpret_cast<HICON>(form->Icon(n)->handle);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(handles[n], &info));
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    form->Unload();
    for (int n = 0; n < 3; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(form->Icon(n), nullptr);
        EXPECT_TRUE(icons[n].expired()) << "nothing holds the picture any more";
        ICONINFO info{};
        EXPECT_FALSE(GetIconInfo(handles[n], &info)) << "the icon handle is destroyed";
    }
    EXPECT_EQ(form->Answer(gallery::QueryTreeNodeCount, 0), 0) << "an unloaded form answers nothing";
}

// ---- The command buttons with the real mouse --------------------------------------

// YCommand3 (81 x 33) and YCommand4 worked with the system's own cursor and
// button, on this program's desktop: hover, press, drag off, drag back,
// release, and a release away from the button.
class GalleryMouse : public Gallery {
protected:
    // Pixels of the button's face: the middle of its outer outline, and
    // points of the upper and lower body clear of the caption.
    struct Face {
        COLORREF outline, upper, lower;
    };
    static Face FaceOf(HWND h)
    {
        Frame f(h);
        return {f(40, 0), f(60, 6), f(60, 26)};
    }
    // A point of the form's own surface, away from every control.
    static constexpr POINT kBlank{700, 450};
};

TEST_F(GalleryMouse, ACommandButtonFollowsHoverPressDragOffDragBackAndRelease)
{
    auto& b = Get<YCommand>(L"YCommand3");
    auto& view = Get<YListView>(L"YListView1");
    const HWND h = b.hWnd();
    const HWND formWindow = form->hWnd();
    POINT blank = kBlank;
    ClientToScreen(formWindow, &blank);
    ASSERT_EQ(WindowFromPoint(blank), formWindow) << "the blank point is not the form's";
    const COLORREF back = GetSysColor(COLOR_BTNFACE);
    {
        const Face idle = FaceOf(h);
        EXPECT_EQ(idle.outline, back) << "idle: no outer outline";
        EXPECT_EQ(idle.upper, want::kFaceLight);
        EXPECT_EQ(idle.lower, want::kFaceMid);
    }

    // Hover: the system's move reaches the button.
    ASSERT_TRUE(testdesktop::CursorTo(h, 40, 16));
    ASSERT_TRUE(PumpUntil([&] { return b.IsHover(); }, 2000)) << "the move never reached the button";
    EXPECT_EQ(FaceOf(h).outline, want::kHalo) << "hovered: the highlighted outline";

    // Press: the real left button over it.
    ASSERT_TRUE(testdesktop::LeftButton(true));
    ASSERT_TRUE(PumpUntil([&] { return b.IsDown(); }, 2000)) << "the press never reached the button";
    {
        const Face pressed = FaceOf(h);
        EXPECT_EQ(pressed.upper, want::kFaceMid) << "pressed: tones swapped";
        EXPECT_EQ(pressed.lower, want::kFaceLight);
    }

    // Drag off, the button still down: within a tick of the leave timer it looks idle.
    scrolltest::WaitPastMoveThrottle();
    ASSERT_TRUE(testdesktop::CursorTo(formWindow, kBlank.x, kBlank.y));
    ASSERT_TRUE(PumpUntil([&] { return b.IsOutWhileDown(); }, 2000)) << "the leave timer never noticed";
    {
        const Face off = FaceOf(h);
        EXPECT_EQ(off.outline, back);
        EXPECT_EQ(off.upper, want::kFaceLight) << "dragged off: the idle look";
    }

    // Drag back: hovered again, yet idle until the release.
    scrolltest::WaitPastMoveThrottle();
    ASSERT_TRUE(testdesktop::CursorTo(h, 40, 16));
    ASSERT_TRUE(PumpUntil([&] { return b.IsHover(); }, 2000)) << "the move back never arrived";
    scrolltest::PumpTicks(2, 100);
    {
        const Face back_over = FaceOf(h);
        EXPECT_EQ(back_over.outline, back) << "dragged back: no hover outline";
        EXPECT_EQ(back_over.upper, want::kFaceLight) << "dragged back: still the idle look";
    }
    EXPECT_EQ(view.DisMode(), 0) << "nothing happened before the release";

    // Release over the button: the click switches the list view to the big icons.
    ASSERT_TRUE(testdesktop::LeftButton(false));
    ASSERT_TRUE(PumpUntil([&] { return view.DisMode() == 2; }, 2000)) << "the release over the button did not click";
    EXPECT_FALSE(b.IsOutWhileDown());
    EXPECT_FALSE(b.IsDown());
    EXPECT_EQ(FaceOf(h).outline, want::kHalo) << "released with the cursor over it: hovered";
}

TEST_F(GalleryMouse, ACommandButtonReleasedAwayFromItDoesNotClick)
{
    auto& b = Get<YCommand>(L"YCommand4");
    auto& view = Get<YListView>(L"YListView1");
    ASSERT_TRUE(testdesktop::CursorTo(b.hWnd(), 40, 16));
    ASSERT_TRUE(PumpUntil([&] { return b.IsHover(); }, 2000));
    ASSERT_TRUE(testdesktop::LeftButton(true));
    ASSERT_TRUE(PumpUntil([&] { return b.IsDown(); }, 2000));
    scrolltest::WaitPastMoveThrottle();
    ASSERT_TRUE(testdesktop::CursorTo(form->hWnd(), kBlank.x, kBlank.y));
    ASSERT_TRUE(PumpUntil([&] { return b.IsOutWhileDown(); }, 2000));
    ASSERT_TRUE(testdesktop::LeftButton(false));
    scrolltest::PumpTicks(2, 100);
    EXPECT_EQ(view.DisMode(), 0) << "a release over the form clicked the button";
    EXPECT_TRUE(b.IsOutWhileDown()) << "the release went to the form, not to the button";
    EXPECT_EQ(FaceOf(b.hWnd()).upper, want::kFaceLight);
}

} // namespace
