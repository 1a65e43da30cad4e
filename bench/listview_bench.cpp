// Times YListView filled as the gallery fills it (three columns, every item
// with two sub-items and icons) at 101, 10,000 and 100,000 items: the fill,
// then one layout and one paint in each display mode, with the view
// scrolled to the middle where a mode scrolls.
#include "tessara/controls/listview/YListView.h"

#include "host/Host.h"

#include <algorithm>
#include <cstdio>
#include <vector>
#include <string>

namespace {

double Now()
{
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

// A system icon, drawn at 16 or 20 pixels as the list view asks.
host::PictureRef SystemIcon(const wchar_t* id)
{
    return host::PictureFromHandle(::LoadIconW(nullptr, id), host::Picture::Type::Icon, false);
}

double PaintOnce(HWND h)
{
    const double t0 = Now();
    ::InvalidateRect(h, nullptr, FALSE);
    ::UpdateWindow(h);
    return Now() - t0;
}

// Median of seven runs: Wine's timings jitter.
template <class F>
double Median(F run)
{
    std::vector<double> t;
    for (int i = 0; i < 7; ++i)
        t.push_back(run());
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

} // namespace

int main()
{
    host::Form form(L"frmBench");
    form.SetClientSize(6000, 5000);
    form.Show();
    // The gallery's instance: 313 x 225 pixels.
    auto& lv = form.AddControl<tessara::YListView>(L"YListView1", 150, 150, 313 * 15, 225 * 15);
    const auto p1 = SystemIcon(IDI_ERROR);
    const auto p2 = SystemIcon(IDI_INFORMATION);
    const auto p3 = SystemIcon(IDI_WARNING);

    std::printf("YListView, 3 columns, 2 sub-items per item; times in ms\n");
    std::printf("%8s %9s %9s | %-22s | %-22s | %-22s | %-22s\n", "items", "fill", "us/item", "mode 0 layout/paint",
                "mode 1 layout/paint", "mode 2 layout/paint", "mode 3 layout/paint");
    std::printf("(layout and paint: medians of 7; the list scrolled to its middle)\n");
    for (int n : {101, 10000, 100000}) {
        lv.Clear();
        lv.SetDisMode(0);
        for (int c = 0; c < 3; ++c)
            lv.AddHeaderItem(L"列表头" + std::to_wstring(c), 100, nullptr, c == 0 ? p1 : c == 1 ? p2 : p3);
        const double f0 = Now();
        for (int i = 0; i < n; ++i) {
            const std::wstring text = L"列表项" + std::to_wstring(i);
            lv.AddListItem(text, p1, p2);
            lv.AddListSubItem(i, text + L"子项1", p2);
            lv.AddListSubItem(i, text + L"子项2", p3);
        }
        const double fill = Now() - f0;
        std::printf("%8d %9.2f %9.3f", n, fill, fill * 1000.0 / n);
        for (int mode = 0; mode < 4; ++mode) {
            lv.SetDisMode(mode);
            const double layout = Median([&] {
                const double l0 = Now();
                lv.LayoutNow();
                return Now() - l0;
            });
            if (lv.VScroll().Visible())
                lv.VScroll().SetValue(lv.VScroll().MaxV() / 2);
            host::DoEvents();  // let the scroll bars repaint first
            const double paint = Median([&] { return PaintOnce(lv.hWnd()); });
            std::printf(" | %9.3f / %9.3f", layout, paint);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    form.Unload();
    return 0;
}
