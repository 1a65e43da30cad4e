#include "Invariants.h"

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
#include "tessara/kit/Hook.h"

#include "host/Host.h"

#include <sstream>
#include <vector>

namespace reliability {
namespace {

std::string Name(host::ControlBase& c)
{
    return host::ToUtf8(c.Name());
}

std::string OutOf(const char* what, long long v, long long lo, long long hi)
{
    if (v >= lo && v <= hi)
        return {};
    std::ostringstream s;
    s << what << " = " << v << " outside [" << lo << ", " << hi << "]";
    return s.str();
}

std::string Join(std::string a, const std::string& b)
{
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return a + "; " + b;
}

std::string Differ(const char* what, long long got, const char* other, long long want)
{
    if (got == want)
        return {};
    std::ostringstream s;
    s << what << " = " << got << " but " << other << " = " << want;
    return s.str();
}

// The rows of the tree counted from its nodes alone: the root, then (root
// unfolded) every node whose ancestors below the root are all unfolded; an
// unfolded node without children shows no row below it. Walked with an
// explicit stack, so a deep tree cannot exhaust the thread's stack.
long long RowsFromNodes(const tessara::TreeStore& s)
{
    if (s.SlotCount() == 0 || !s.IsUsed(0))
        return 0;
    if (!s.Expanded(0))
        return 1;
    long long rows = 0;
    std::vector<std::int32_t> todo{0};
    while (!todo.empty()) {
        const std::int32_t n = todo.back();
        todo.pop_back();
        ++rows;
        if (s.Expanded(n))
            todo.insert(todo.end(), s.Children(n).begin(), s.Children(n).end());
    }
    return rows;
}

// The counts the store keeps up to date as nodes come and go agree with a
// count over the nodes: the layout's rows and, while the root is unfolded,
// the rows the paint walks.
std::string TreeRowsAgree(const tessara::TreeStore& s)
{
    const long long rows = RowsFromNodes(s);
    std::string r = Differ("the store's row count", s.TotalRows(), "a count over the nodes", rows);
    if (s.SlotCount() > 0 && s.Expanded(0))
        r = Join(r, Differ("the store's walk rows", s.WalkRowCount(), "a count over the nodes", rows));
    return r;
}

std::string CheckOwn(host::ControlBase& c)
{
    if (c.hWnd() && !::IsWindow(c.hWnd()))
        return "its window is gone";
    if (auto* s = dynamic_cast<tessara::ScrollBarControl*>(&c)) {
        std::string r = OutOf("Value", s->Value(), s->MinV(), s->MaxV());
        if (s->MinV() > s->MaxV())
            r = Join(r, "MinV above MaxV");
        return r;
    }
    if (auto* l = dynamic_cast<tessara::YList*>(&c))
        return OutOf("ListIndex", l->ListIndex(), -1, l->ListCount() - 1);
    if (auto* cb = dynamic_cast<tessara::YCombo*>(&c)) {
        const tessara::YList& l = cb->List();
        std::string r = OutOf("list's ListIndex", l.ListIndex(), -1, l.ListCount() - 1);
        // Closed, the combo (and the list inside it) sits in its form again;
        // open, it is a pop-up of its own.
        const HWND parent = ::GetParent(cb->hWnd());
        const HWND home = cb->Parent() ? cb->Parent()->ContainerWindow() : nullptr;
        if (!cb->IsOpen() && parent != home)
            r = Join(r, "closed, but its window is not a child of its form");
        if (cb->IsOpen() && parent == home)
            r = Join(r, "open, but its window is still a child of its form");
        if (::GetParent(l.hWnd()) != cb->hWnd())
            r = Join(r, "its list is not a child of the combo's window");
        return r;
    }
    if (auto* t = dynamic_cast<tessara::YTreeView*>(&c)) {
        std::string r = OutOf("SelectedIndex", t->SelectedIndex(), -1, t->SlotCount() - 1);
        r = Join(r, OutOf("HoverIndex", t->Model().HoverIndex(), -1, t->SlotCount() - 1));
        r = Join(r, OutOf("TotalRows", t->TotalRows(), 0, t->SlotCount()));
        r = Join(r, OutOf("PageRows", t->Model().PageRows(), 0, 1 << 20));
        r = Join(r, OutOf("vertical Value", t->VScroll().Value(), t->VScroll().MinV(), t->VScroll().MaxV()));
        r = Join(r, OutOf("horizontal Value", t->HScroll().Value(), t->HScroll().MinV(), t->HScroll().MaxV()));
        return Join(r, TreeRowsAgree(t->Store()));
    }
    if (auto* v = dynamic_cast<tessara::YListView*>(&c)) {
        std::string r = OutOf("FocusIndex", v->FocusIndex(), -1, v->Model().ItemCount() - 1);
        r = Join(r, OutOf("DisMode", v->DisMode(), 0, 3));
        r = Join(r, OutOf("vertical Value", v->VScroll().Value(), v->VScroll().MinV(), v->VScroll().MaxV()));
        r = Join(r, OutOf("horizontal Value", v->HScroll().Value(), v->HScroll().MinV(), v->HScroll().MaxV()));
        return r;
    }
    if (auto* g = dynamic_cast<tessara::YGroupList*>(&c)) {
        std::string r = OutOf("PageRows", g->Model().PageRows(), 0, 1 << 20);
        r = Join(r, OutOf("HoverRow", g->Model().HoverRow(), -1, 1 << 20));
        r = Join(r, OutOf("topRow", g->VScroll().Value(), g->VScroll().MinV(), g->VScroll().MaxV()));
        return r;
    }
    if (auto* t = dynamic_cast<tessara::YTab*>(&c)) {
        std::string r = OutOf("SelectedTab", t->SelectedTab(), -1, t->TabCount() - 1);
        r = Join(r, OutOf("HoverTab", t->HoverTab(), -1, t->TabCount() - 1));
        return r;
    }
    if (auto* o = dynamic_cast<tessara::YOption*>(&c))
        return OutOf("Value", o->Value(), 0, 1);
    if (auto* k = dynamic_cast<tessara::YCheck*>(&c))
        return OutOf("Value", k->Value(), 0, 1);
    if (auto* p = dynamic_cast<tessara::YProgress*>(&c)) {
        RECT rc{};
        ::GetClientRect(p->hWnd(), &rc);
        std::string r = OutOf("Value", p->Value(), p->MinV(), p->MaxV());
        return Join(r, OutOf("FillRight", p->FillRight(), 0, rc.right));
    }
    return {};
}

} // namespace

std::string Broken(host::ControlBase& control)
{
    std::string r = CheckOwn(control);
    if (!r.empty())
        r = Name(control) + ": " + r;
    if (auto* inner = dynamic_cast<host::Container*>(&control))
        r = Join(r, BrokenIn(*inner));
    return r;
}

std::string BrokenIn(const host::Container& container)
{
    std::string r;
    for (host::ControlBase* c : container.Controls())
        r = Join(r, Broken(*c));
    return r;
}

std::string StaleHookEntries()
{
    std::string r;
    for (const kit::WindowHook* hook : kit::WindowHook::Live())
        for (int i = 0; i < hook->EntryCount(); ++i) {
            const HWND h = hook->EntryWindow(i);
            if (h && !::IsWindow(h)) {
                std::ostringstream s;
                s << "a hook keeps entry " << i << " for the destroyed window 0x" << std::hex
                  << reinterpret_cast<std::uintptr_t>(h);
                r = Join(r, s.str());
            }
        }
    return r;
}

namespace {

bool AnyComboOpen(const host::Container& container)
{
    for (host::ControlBase* c : container.Controls()) {
        if (auto* cb = dynamic_cast<tessara::YCombo*>(c); cb && cb->IsOpen())
            return true;
        if (auto* inner = dynamic_cast<host::Container*>(c); inner && AnyComboOpen(*inner))
            return true;
    }
    return false;
}

} // namespace

std::string DropDownAgrees(const host::Form& form)
{
    // The owner-window hook lives exactly while a list is dropped.
    const bool hooked = ::GetPropW(form.hWnd(), L"OrigProcAddr") != nullptr;
    const bool open = AnyComboOpen(form);
    if (hooked && !open)
        return "the form keeps the drop-down's owner hook with no list dropped";
    if (open && !hooked)
        return "a list is dropped but the form is not watched";
    return {};
}

} // namespace reliability
