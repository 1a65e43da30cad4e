#include "Invariants.h"

#include "tessara/controls/YCheck.h"
#include "tessara/controls/YCombo.h"
#include "tessara/controls/YCommand.h"
#include "tessara/controls/YFrame.h"
#include "tessara/controls/YGroupList.h"
#include "tessara/controls/YHScroll.h"
#include "tessara/controls/YList.h"
#include "tessara/controls/YListView.h"
#include "tessara/controls/YOption.h"
#include "tessara/controls/YProgress.h"
#include "tessara/controls/YTab.h"
#include "tessara/controls/YTreeView.h"
#include "tessara/controls/YVScroll.h"

#include <sstream>

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
        return OutOf("list's ListIndex", l.ListIndex(), -1, l.ListCount() - 1);
    }
    if (auto* t = dynamic_cast<tessara::YTreeView*>(&c)) {
        std::string r = OutOf("SelectedIndex", t->SelectedIndex(), -1, t->SlotCount() - 1);
        r = Join(r, OutOf("HoverIndex", t->HoverIndex(), -1, t->SlotCount() - 1));
        r = Join(r, OutOf("TotalRows", t->TotalRows(), 0, t->SlotCount()));
        r = Join(r, OutOf("PageRows", t->PageRows(), 0, 1 << 20));
        r = Join(r, OutOf("vertical Value", t->VScroll().Value(), t->VScroll().MinV(), t->VScroll().MaxV()));
        r = Join(r, OutOf("horizontal Value", t->HScroll().Value(), t->HScroll().MinV(), t->HScroll().MaxV()));
        return r;
    }
    if (auto* v = dynamic_cast<tessara::YListView*>(&c)) {
        std::string r = OutOf("FocusIndex", v->FocusIndex(), -1, v->Model().ItemCount() - 1);
        r = Join(r, OutOf("DisMode", v->DisMode(), 0, 3));
        r = Join(r, OutOf("vertical Value", v->VScroll().Value(), v->VScroll().MinV(), v->VScroll().MaxV()));
        r = Join(r, OutOf("horizontal Value", v->HScroll().Value(), v->HScroll().MinV(), v->HScroll().MaxV()));
        return r;
    }
    if (auto* g = dynamic_cast<tessara::YGroupList*>(&c)) {
        const tessara::GroupView view = g->View();
        std::string r = OutOf("PageRows", g->PageRows(), 0, 1 << 20);
        r = Join(r, OutOf("HoverRow", g->HoverRow(), -1, 1 << 20));
        if (g->YVScroll1)
            r = Join(r, OutOf("topRow", view.topRow, g->YVScroll1->MinV(), g->YVScroll1->MaxV()));
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

} // namespace reliability
