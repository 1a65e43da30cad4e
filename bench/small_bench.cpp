// Prints what the grouped list and the tab strip cost with much content:
// adding 100,000 grouped items, the one relayout after the burst, a paint
// at the top and in the middle, a fold of a 1000-item group, and 2000 tabs.
#include "BenchClock.h"

#include "tessara/controls/grouplist/YGroupList.h"
#include "tessara/controls/tab/YTab.h"

#include "host/Host.h"

#include <cstdio>
#include <string>

namespace {

// Runs messages until the condition holds (at most 5 s).
template <class F>
void PumpUntil(F done)
{
    const double start = bench::NowMs();
    while (!done() && bench::NowMs() - start < 5000) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        host::DoEvents();
    }
}

} // namespace

int main()
{
    host::Form form(L"frmBench");
    form.Show();

    auto& list = form.AddControl<tessara::YGroupList>(L"YGroupList1", 150, 150, 129 * 15, 146 * 15);
    const double add = bench::TimeMs([&] {
        for (int g = 0; g < 100; ++g) {
            list.AddGroup(L"Group" + std::to_wstring(g));
            for (int i = 0; i < 1000; ++i)
                list.AddItem(g, L"Item " + std::to_wstring(i) + L" of group " + std::to_wstring(g));
            list.Spread(g, true);
        }
    });
    const double settle = bench::TimeMs([&] { PumpUntil([&] { return !list.LayoutPending(); }); });
    const double paintTop = bench::MedianMs(9, [&] { bench::PaintOnceMs(list.hWnd()); });
    list.VScroll().SetValue(list.VScroll().MaxV() / 2);
    const double paintMiddle = bench::MedianMs(9, [&] { bench::PaintOnceMs(list.hWnd()); });
    list.VScroll().SetValue(0);
    const double fold = bench::TimeMs([&] {
        ::SendMessageW(list.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 13));
    });
    std::printf("grouped list: add 100 x 1000 items %.1f ms (%.3f us/item); burst to relayout %.1f ms\n", add,
                add * 1000.0 / 100000.0, settle);
    std::printf("grouped list: paint at top %.2f ms, in the middle of %d rows %.2f ms; fold 1000 items %.2f ms\n",
                paintTop, list.Model().Store().TotalRows(), paintMiddle, fold);

    auto& tabs = form.AddControl<tessara::YTab>(L"YTab1", 3000, 150, 257 * 15, 137 * 15);
    const double addTabs = bench::TimeMs([&] {
        for (int i = 0; i < 2000; ++i)
            tabs.AddItem(L"Tab" + std::to_wstring(i));
    });
    PumpUntil([&] { return !tabs.LayoutPending(); });
    const double paintTabs = bench::MedianMs(9, [&] { bench::PaintOnceMs(tabs.hWnd()); });
    std::printf("tab strip: add 2000 tabs %.2f ms; paint one line of 2000 %.2f ms\n", addTabs, paintTabs);
    form.Unload();
    return 0;
}
