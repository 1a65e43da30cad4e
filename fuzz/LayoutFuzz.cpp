// Layout arithmetic fed with any 32-bit value where callers and stored data
// can put one: the list's row height and page (through its setters and the
// font's height), the grouped list's row height, the tab strip's sizes and
// tabs per line (as the control clamps them when they enter), and the
// tree's plan with any saved page. UBSan stops on any overflow; the
// layouts must also stay consistent.
#include "FuzzInput.h"

#include "tessara/controls/grouplist/GroupListModel.h"
#include "tessara/controls/list/ListModel.h"
#include "tessara/controls/tab/TabLayout.h"
#include "tessara/controls/tree/TreeLayout.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void Broken(const std::string& what)
{
    std::fprintf(stderr, "layout: %s\n", what.c_str());
    std::abort();
}

void List(fuzz::Input& in)
{
    tessara::ListModel m;
    const int items = static_cast<int>(in.Pick(3) == 0 ? in.U32() % 20000 : in.Byte());
    for (int i = 0; i < items; ++i)
        m.AddItem(L"x");
    std::int32_t scroll = 0;
    for (int step = 0; step < 16 && !in.empty(); ++step) {
        switch (in.Pick(6)) {
        case 0: m.SetItemHeight(in.Int(), in.Int()); break;
        case 1: m.FitItemHeight(in.Int()); break;
        case 2: m.SetPageCount(in.Int()); break;
        case 3: m.InitListHeight(in.Int()); break;
        case 4: m.FirstLayout(in.Extent(), in.Extent()); break;
        default: {
            const auto t = m.WheelTarget(in.Int(), scroll, m.ListCount());
            if (t)
                scroll = *t;
            break;
        }
        }
        const int width = in.Extent();
        const tessara::ListLayout l = m.DeferredLayout(width, scroll);
        if (m.ItemHeight() < 1 || l.height != m.ItemHeight() * m.PageCount() + 6)
            Broken("list height " + std::to_string(l.height) + " for rows of " + std::to_string(m.ItemHeight()) +
                   " x " + std::to_string(m.PageCount()));
        scroll = l.value;
        const auto rows = m.VisibleRows(width, l.scrollVisible, scroll, in.Flag());
        if (static_cast<int>(rows.size()) > m.PageCount())
            Broken("more rows painted than a page holds");
        const int hit = m.ItemAt(in.Size(), in.Size(), width, scroll);
        if (hit < -1 || hit >= m.ListCount())
            Broken("hit outside the items");
    }
}

void Group(fuzz::Input& in)
{
    // A client at least as tall as the two 3-pixel margins.
    const int h = 6 + in.Extent() % 32762, rowHeight = in.Int();
    const tessara::GroupPage page = tessara::FitPage(h, rowHeight);
    if (page.pageRows < 0)
        Broken("a negative page of grouped rows");
    const int thumb = tessara::GroupThumbLength(in.Extent(), page.pageRows, in.Int());
    if (thumb < 10)
        Broken("a grouped-list thumb shorter than 10 pixels");
}

void Tabs(fuzz::Input& in)
{
    tessara::TabLayout t;
    t.itemWidth = tessara::ClampTabSize(in.Int());
    t.itemHeight = tessara::ClampTabSize(in.Int());
    t.cntOfLine = tessara::ClampCntOfLine(in.Int());
    t.multiLine = in.Flag();
    t.isBottom = in.Flag();
    t.tabCount = static_cast<int>(in.Pick(4) == 0 ? in.U32() % 200000 : in.Byte() % 40);
    t.scaleWidth = in.Extent();
    t.scaleHeight = in.Extent();
    const int hit = t.HitTest(in.Size(), in.Size());
    if (hit < -1 || hit >= t.tabCount)
        Broken("a tab hit outside the tabs");
    (void)t.Back();
    if (t.tabCount > 0) {
        const int i = static_cast<int>(in.U32() % static_cast<std::uint32_t>(t.tabCount));
        const kit::Rect r = t.TabRect(i);
        if (r.right - r.left != t.itemWidth || r.bottom - r.top != t.itemHeight)
            Broken("a tab of another size than its strip's");
        (void)t.SelectedLook(i);
        (void)t.CaptionRect(i);
    }
}

void Tree(fuzz::Input& in)
{
    tessara::TreeLayoutInput p;
    p.scaleWidth = in.Extent();
    p.scaleHeight = in.Extent();
    p.rootExpanded = in.Flag();
    p.totalRows = static_cast<std::int32_t>(in.U32() & 0x7FFFFFFF);
    p.contentWidth = static_cast<std::int32_t>(in.U32() & 0x3FFFFFFF);  // a row's extent: level x 24 + text
    p.savedPageRows = in.Int();
    p.pageRows = static_cast<std::int32_t>(in.U32() & 0x7FFF);  // rows of a window's height
    const tessara::TreeLayoutPlan plan = tessara::PlanTreeLayout(p);
    if (p.rootExpanded && plan.pageRows < 0)
        Broken("a negative page of tree rows from a saved page of " + std::to_string(p.savedPageRows));
    if (plan.vVisible && plan.vMax < 0)
        Broken("a negative vertical range");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    switch (in.Pick(4)) {
    case 0: List(in); break;
    case 1: Group(in); break;
    case 2: Tabs(in); break;
    default: Tree(in); break;
    }
    return 0;
}
