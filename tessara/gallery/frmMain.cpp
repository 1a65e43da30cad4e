// See frmMain.h.
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

#include <stdexcept>

namespace gallery {

using namespace tessara;

namespace {

template <class T>
void Register(const wchar_t* kind)
{
    host::RegisterControl(kind, [] { return std::make_unique<T>(); });
}

// A text handed to another process: the asker reads and deletes the atom.
// Atoms hold at most 255 characters, more than any sample text.
LRESULT TextAtom(const std::wstring& text)
{
    if (text.empty())
        return 0;
    return static_cast<LRESULT>(GlobalAddAtomW(text.substr(0, 255).c_str()));
}

BOOL CALLBACK NoteUnpainted(HWND h, LPARAM found)
{
    if (IsWindowVisible(h) && GetUpdateRect(h, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

} // namespace

void RegisterGalleryControls()
{
    static const bool done = [] {
        Register<YHScroll>(L"YHScroll");
        Register<YVScroll>(L"YVScroll");
        Register<YList>(L"YList");
        Register<YCombo>(L"YCombo");
        Register<YTreeView>(L"YTreeView");
        Register<YListView>(L"YListView");
        Register<YGroupList>(L"YGroupList");
        Register<YTab>(L"YTab");
        Register<YCommand>(L"YCommand");
        Register<YOption>(L"YOption");
        Register<YCheck>(L"YCheck");
        Register<YProgress>(L"YProgress");
        Register<YFrame>(L"YFrame");
        return true;
    }();
    (void)done;
}

UINT QueryMessage()
{
    static const UINT msg = RegisterWindowMessageW(kQueryMessageName);
    return msg;
}

frmMain::frmMain() : Form(L"frmMain")
{
    RegisterGalleryControls();
    LoadFromResource(L"FRMMAIN");
}

frmMain::~frmMain()
{
    // An unload that never ran (the program ends with the form loaded)
    // still lets the hook go before the window.
    hook_.HookDetachAll();
}

void frmMain::Form_Load()
{
    FillControls();
    ConnectHandlers();
    if (hook_.HookAttach(hWnd()) >= 0)
        hook_.HookWatch(hWnd(), static_cast<std::int32_t>(QueryMessage()), kit::HookBefore);
}

void frmMain::Form_Unload()
{
    hook_.HookDetachAll();
    for (auto& icon : icons_)
        icon.reset();
}

void frmMain::FillControls()
{
    auto& list = Control<YList>(L"YList1");
    auto& combo = Control<YCombo>(L"YCombo1");
    auto& groups = Control<YGroupList>(L"YGroupList1");
    auto& tree = Control<YTreeView>(L"YTreeView1");
    auto& tabs = Control<YTab>(L"YTab1");
    auto& view = Control<YListView>(L"YListView1");

    // 1-2: the list and the combo box take turns; the list ends with two
    // texts too wide for its rows.
    const std::vector<std::wstring> listItems = ListItems();
    const std::vector<std::wstring> comboItems = ComboItems();
    for (size_t n = 0; n < comboItems.size(); ++n) {
        list.AddItem(listItems[n]);
        combo.AddItem(comboItems[n]);
    }
    for (size_t n = comboItems.size(); n < listItems.size(); ++n)
        list.AddItem(listItems[n]);

    // 3-4: the groups, then their items.
    for (const std::wstring& name : GroupNames())
        groups.AddGroup(name);
    for (const GroupItem& item : GroupItems())
        groups.AddItem(item.group, item.text);

    // 5: the tree; a parent named by label is looked up just before its child goes in.
    for (const TreeAddition& a : TreePlan()) {
        const std::int32_t parent = a.parentLabel.empty() ? a.parentSlot : tree.GetIndexByStr(a.parentLabel);
        tree.AddItem(parent, a.label);
    }

    // 6: the tabs.
    for (const std::wstring& caption : TabCaptions())
        tabs.AddItem(caption);

    // 7: the three icons.
    for (int n = 0; n < 3; ++n)
        icons_[n] = host::LoadIconPicture(101 + n);

    // 8-9: the list view's columns and rows.
    const std::vector<std::wstring> headers = HeaderTexts();
    for (size_t n = 0; n < headers.size(); ++n)
        view.AddHeaderItem(headers[n], kHeaderWidth, nullptr, icons_[n]);
    const std::vector<ListViewRow> rows = ListViewRows();
    for (size_t n = 0; n < rows.size(); ++n) {
        const auto index = static_cast<std::int32_t>(n);
        view.AddListItem(rows[n].text, icons_[0], icons_[1]);
        view.AddListSubItem(index, rows[n].sub1, icons_[1]);
        view.AddListSubItem(index, rows[n].sub2, icons_[2]);
    }
}

void frmMain::ConnectHandlers()
{
    auto& tree = Control<YTreeView>(L"YTreeView1");
    auto& view = Control<YListView>(L"YListView1");
    auto& groups = Control<YGroupList>(L"YGroupList1");

    Control<host::Timer>(L"Timer1").Tick.connect([this] { Timer1_Timer(); });

    Control<YCommand>(L"YCommand1").Click.connect([&tree] { tree.FindItem(L"结点B100"); });
    // The second removal refers to the list as the first one left it.
    Control<YCommand>(L"YCommand2").Click.connect([&view] {
        view.RemoveListItem(9);
        view.RemoveListItem(8);
    });
    Control<YCommand>(L"YCommand3").Click.connect([&view] { view.SetDisMode(2); });
    Control<YCommand>(L"YCommand4").Click.connect([&view] { view.SetDisMode(1); });
    Control<YCommand>(L"YCommand5").Click.connect([&view] { view.SetDisMode(3); });

    view.HeaderClick.connect([this, &view](std::int32_t index) { lastHeaderText_ = view.HeaderItem(index); });
    view.ItemClick.connect([this, &view](std::int32_t index) { lastItemText_ = view.ListItem(index); });
    tree.Click.connect([this](const std::wstring& text) { lastTreeText_ = text; });
    groups.Click.connect([this](const std::wstring& text) { lastGroupText_ = text; });
    groups.DBClick.connect([this](const std::wstring& text) { lastGroupText_ = text; });
    // The scroll bars' Change needs no handler: the form only shows them.
}

void frmMain::Timer1_Timer()
{
    const ProgressTicker::Step step = counter_.Tick();
    Control<YProgress>(L"YProgress1").SetValue(step.value);
    if (step.stop)
        Control<host::Timer>(L"Timer1").SetEnabled(false);
}

bool frmMain::FullyPainted()
{
    // Every deferred layout of the load has run...
    if (Control<YTreeView>(L"YTreeView1").TotalRows() == 0 || !Control<YList>(L"YList1").ScrollBarShown() ||
        Control<YListView>(L"YListView1").LayoutPending() || Control<YGroupList>(L"YGroupList1").LayoutPending() ||
        Control<YTab>(L"YTab1").LayoutPending())
        return false;
    // ...and no shown window waits for its paint.
    if (!IsWindowVisible(hWnd()) || GetUpdateRect(hWnd(), nullptr, FALSE))
        return false;
    bool unpainted = false;
    EnumChildWindows(hWnd(), NoteUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

LRESULT frmMain::Answer(WPARAM query, LPARAM argument)
{
    if (!Loaded())
        return 0;
    auto& tree = Control<YTreeView>(L"YTreeView1");
    auto& view = Control<YListView>(L"YListView1");
    switch (query) {
    case QueryPainted:
        return FullyPainted() ? 1 : 0;
    case QueryTreeNodeCount:
        return tree.SlotCount() - tree.FreeSlots();
    case QueryTreeSelectedText: {
        const std::int32_t s = tree.SelectedIndex();
        return tree.Store().IsUsed(s) ? TextAtom(tree.Store().Label(s)) : 0;
    }
    case QueryTreeSelectedLabel: {
        RECT box{}, label{};
        const std::int32_t s = tree.SelectedIndex();
        if (!tree.Store().IsUsed(s) || !tree.NodeRects(s, &box, &label))
            return kNotShown;
        const LONG sides[4] = {label.left, label.top, label.right, label.bottom};
        return argument >= 0 && argument < 4 ? sides[argument] : kNotShown;
    }
    case QueryListViewCount:
        return view.Model().ItemCount();
    case QueryListViewItem:
        if (argument < 0 || argument >= view.Model().ItemCount())
            return 0;
        return TextAtom(view.ListItem(static_cast<std::int32_t>(argument)));
    case QueryListViewMode:
        return view.DisMode();
    case QueryProgressValue:
        return Control<YProgress>(L"YProgress1").Value();
    case QueryTimerEnabled:
        return Control<host::Timer>(L"Timer1").Enabled() ? 1 : 0;
    default:
        return 0;
    }
}

void frmMain::zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT& uMsg,
                             WPARAM& wParam, LPARAM& lParam)
{
    if (!bBefore || uMsg != QueryMessage())
        return;
    bHandled = true;
    lReturn = Answer(wParam, lParam);
}

} // namespace gallery
