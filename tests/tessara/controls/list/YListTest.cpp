// YList in a real window: layout, scroll bar, wheel, removal, selection,
// hover, marquee, font notice and persistence, driven by window messages.
#include "ExpectedColours.h"
#include "ScrollTestSupport.h"

#include "tessara/controls/list/YList.h"

#include "host/Host.h"

using namespace scrolltest;
using tessara::YList;

namespace {

class ListWindows : public ::testing::Test {
protected:
    void SetUp() override { form.Show(); }
    void TearDown() override { form.Unload(); }

    YList& Place(int w, int h, const host::PropertyBag& bag = host::PropertyBag())
    {
        YList& list = form.AddControl<YList>(L"YList1", 150, 150, w * 15, h * 15, &bag);
        list.Click.connect([&list, this] { events.push_back("Click " + std::to_string(list.ListIndex())); });
        list.DBClick.connect([this] { events.push_back("DBClick"); });
        return list;
    }
    // Fills the list and waits for the deferred layout.
    void Fill(YList& list, int n, const std::wstring& stem = L"Item ")
    {
        for (int i = 0; i < n; ++i)
            list.AddItem(stem + std::to_wstring(i));
        WaitForLayout(list);
    }
    void WaitForLayout(YList& list)
    {
        ASSERT_TRUE(PumpUntil([&] { return !list.LayoutPending(); }, 5000)) << "the deferred layout never ran";
    }

    static int PixelHeight(const YList& l) { return l.Height() / host::kTwipsPerPixel; }
    // A point in row r, right of where short texts end.
    static POINT InRow(const YList& l, int r) { return {l.ScaleWidth() - 30, 3 + r * 16 + 8}; }
    void ClickRow(YList& l, int r)
    {
        const POINT p = InRow(l, r);
        ::SendMessageW(l.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
        ::SendMessageW(l.hWnd(), WM_LBUTTONUP, 0, At(p.x, p.y));
    }
    void Wheel(YList& l, int delta)
    {
        ::SendMessageW(l.hWnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))),
                       At(10, 10));
    }

    host::Form form{L"frmTest"};
    std::vector<std::string> events;
};

TEST_F(ListWindows, FirstLayoutMakesWholeRows)
{
    auto& list = Place(120, 100);
    EXPECT_EQ(list.Model().PageCount(), 6);  // 94 / 16 = 5 rest 14
    EXPECT_EQ(PixelHeight(list), 102);
    EXPECT_EQ(list.ScaleHeight(), 102);
    RECT bar{};
    ::GetWindowRect(list.ScrollBar().hWnd(), &bar);
    ::MapWindowPoints(nullptr, list.hWnd(), reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.left, 100);
    EXPECT_EQ(bar.top, 3);
    EXPECT_EQ(bar.right - bar.left, 18);
    EXPECT_EQ(bar.bottom - bar.top, 96);
    list.SetSize(200 * 15, 300 * 15);  // later resizes change nothing of the rows
    EXPECT_EQ(list.Model().PageCount(), 6);
}

TEST_F(ListWindows, ScrollBarShowsOnlyWhenRowsOverflow)
{
    auto& list = Place(120, 70);
    ASSERT_EQ(list.Model().PageCount(), 4);
    Fill(list, 4);
    EXPECT_FALSE(list.ScrollBarShown());
    list.AddItem(L"Item 4");
    EXPECT_FALSE(list.ScrollBarShown()) << "laid out before the burst was over";
    for (int i = 5; i < 10; ++i)
        list.AddItem(L"Item " + std::to_wstring(i));
    WaitForLayout(list);
    ASSERT_TRUE(list.ScrollBarShown());
    EXPECT_EQ(list.ScrollBar().MaxV(), 6);
    EXPECT_EQ(list.ScrollBar().GlideHeight(), 11);  // nearest((70 - 42) * 4 / 10)
    EXPECT_EQ(PixelHeight(list), 70);
    list.Clear();
    WaitForLayout(list);
    EXPECT_FALSE(list.ScrollBarShown());
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(ListWindows, PageCountBelowFourGrowsWithMoreItems)
{
    auto& list = Place(120, 100);
    Fill(list, 10);
    list.SetPageCount(2);
    EXPECT_EQ(list.Model().PageCount(), 4);
    WaitForLayout(list);
    EXPECT_EQ(PixelHeight(list), 4 * 16 + 6);
    for (int i = 9; i > 0; --i)
        list.RemoveItem(i);
    list.SetPageCount(2);
    EXPECT_EQ(list.Model().PageCount(), 2);
}

TEST_F(ListWindows, TallFontRaisesTheRowsOnceWithANotice)
{
    hosttest::BoxRecorder boxes;
    auto& list = Place(120, 100);
    Fill(list, 3);
    host::Font big = list.Font();
    big.size = 24;
    list.SetFont(big);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, L"字体高度超过列表项设定的高度,已将列表项高度值进行调整");
    EXPECT_EQ(boxes.boxes[0].title, L"提示");
    const int rows = list.TextHeight();
    EXPECT_GT(rows, 16);
    EXPECT_EQ(list.Model().ItemHeight(), rows);
    WaitForLayout(list);
    EXPECT_EQ(PixelHeight(list), rows * list.Model().PageCount() + 6) << "the control did not follow its rows";
    list.SetFont(big);
    EXPECT_EQ(boxes.boxes.size(), 1u) << "the rows already fit: no second notice";
    list.SetItemHeight(rows - 1);
    EXPECT_EQ(list.Model().ItemHeight(), rows) << "rows lower than the font were accepted";
}

TEST_F(ListWindows, WheelScrollsThreeRowsAndStopsAtTheEnds)
{
    auto& list = Place(120, 100);
    Fill(list, 20);  // 6 rows: MaxV 14
    auto& bar = list.ScrollBar();
    ASSERT_EQ(bar.MaxV(), 14);
    bar.SetValue(13);
    Wheel(list, -120);
    EXPECT_EQ(bar.Value(), 14);
    bar.SetValue(2);
    Wheel(list, 120);
    EXPECT_EQ(bar.Value(), 0);
    Wheel(list, -240);  // one notch whatever the delta
    EXPECT_EQ(bar.Value(), 3);
    Frame f(list.hWnd());
    // Row 0 now shows item 3: odd rows of the view are white, even ones tinted.
    EXPECT_EQ(f(InRow(list, 0).x, InRow(list, 0).y), want::kListEvenRow);
    EXPECT_EQ(f(InRow(list, 1).x, InRow(list, 1).y), want::kListOddRow);
}

TEST_F(ListWindows, RemovalMovesTheViewUpOnlyWhenScrolled)
{
    auto& list = Place(120, 70);
    Fill(list, 10);
    list.ScrollBar().SetValue(3);
    list.RemoveItem(0);
    EXPECT_EQ(list.ScrollBar().Value(), 3) << "the view moves at the next layout, not before";
    WaitForLayout(list);
    EXPECT_EQ(list.ScrollBar().Value(), 2);
    EXPECT_EQ(list.ScrollBar().MaxV(), 5);
    list.ScrollBar().SetValue(0);
    list.RemoveItem(0);
    WaitForLayout(list);
    EXPECT_EQ(list.ScrollBar().Value(), 0);
}

TEST_F(ListWindows, ClickSelectsPaintsAndReportsEveryPress)
{
    auto& list = Place(120, 100);
    Fill(list, 3);
    ClickRow(list, 1);
    ClickRow(list, 1);
    ClickRow(list, 4);  // below the last item: nothing
    ::SendMessageW(list.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(200, 200));
    EXPECT_EQ(Join(events), Join({"Click 1", "Click 1", "DBClick"}));
    Frame f(list.hWnd());
    const POINT r1 = InRow(list, 1);
    EXPECT_EQ(f(r1.x, r1.y), want::kListSelectedFill);
    EXPECT_EQ(f(r1.x, 3 + 16), want::kListSelectedFrame);
    EXPECT_EQ(f(InRow(list, 0).x, InRow(list, 0).y), want::kListEvenRow);
    EXPECT_EQ(f(InRow(list, 2).x, InRow(list, 2).y), want::kListEvenRow);
    EXPECT_EQ(f(0, 50), want::kListOuterFrame);
}

TEST_F(ListWindows, HoverHighlightsAndOnlyOverflowingTextsMarquee)
{
    auto& list = Place(120, 100);
    list.AddItem(L"short");
    list.AddItem(L"a text that is far too long to fit into this narrow row");
    list.AddItem(L"tiny");
    WaitForLayout(list);
    MoveMouse(list.hWnd(), 10, InRow(list, 0).y);
    EXPECT_EQ(list.Model().HoverIndex(), 0);
    EXPECT_FALSE(list.MarqueeRunning());
    {
        Frame f(list.hWnd());
        EXPECT_EQ(f(InRow(list, 0).x, InRow(list, 0).y), want::kListHoverFill);
    }
    MoveMouse(list.hWnd(), 10, InRow(list, 1).y);
    EXPECT_TRUE(list.MarqueeRunning());
    ASSERT_TRUE(PumpUntil([&] { return list.Model().MarqueeOffset() >= 2; }, 1000));
    MoveMouse(list.hWnd(), 10, InRow(list, 2).y);
    EXPECT_EQ(list.Model().MarqueeOffset(), 0);
    EXPECT_FALSE(list.MarqueeRunning());
    ::SendMessageW(list.hWnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(list.Model().HoverIndex(), -1);
    Frame f(list.hWnd());
    EXPECT_EQ(f(InRow(list, 2).x, InRow(list, 2).y), want::kListEvenRow);
}

TEST_F(ListWindows, PropertiesPersistInTheirOrder)
{
    host::PropertyBag bag;
    bag.set(L"ScrollMode", std::int64_t{2});
    bag.set(L"IsReal", true);
    bag.set(L"ForeColor", std::int64_t{0x000000FF});
    auto& list = Place(120, 100, bag);
    EXPECT_EQ(list.ScrollMode(), 2);
    EXPECT_TRUE(list.IsReal());
    list.SetScrollMode(3);
    EXPECT_EQ(list.ScrollMode(), 2);
    const host::PropertyBag saved = list.SaveBag();
    EXPECT_EQ(saved.readLong(L"ScrollMode", 0), 2);
    EXPECT_TRUE(saved.readBool(L"IsReal", false));
    EXPECT_EQ(saved.readColour(L"ForeColor", 0), 0x000000FFu);
    std::vector<std::wstring> order;
    for (auto& k : saved.keys())
        order.push_back(k);
    const std::vector<std::wstring> expected{L"BackColor", L"ForeColor", L"IsReal", L"ScrollMode"};
    std::vector<std::wstring> withoutFont;
    for (auto& k : order)
        if (k != L"Font")
            withoutFont.push_back(k);
    EXPECT_EQ(withoutFont, expected);
    auto& fresh = form.AddControl<YList>(L"YList2", 0, 0, 1500, 1500);
    EXPECT_TRUE(fresh.IsReal()) << "a new placement repaints live by default";
}

TEST_F(ListWindows, ARunTimeOnlyMemberIsIgnoredAtDesignTime)
{
    host::SetDesignMode(true);
    auto& list = Place(120, 100);
    list.AddItem(L"x");
    list.SetListIndex(0);
    list.SetPageCount(9);
    host::SetDesignMode(false);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.Model().PageCount(), 6);
}

TEST_F(ListWindows, AHundredThousandItemsLayOutOnceAndPaint)
{
    auto& list = Place(120, 100);
    for (int i = 0; i < 100000; ++i)
        list.AddItem(L"Row " + std::to_wstring(i));
    WaitForLayout(list);
    ASSERT_TRUE(list.ScrollBarShown());
    EXPECT_EQ(list.ScrollBar().MaxV(), 100000 - 6);
    EXPECT_EQ(list.ScrollBar().GlideHeight(), 10);
    list.ScrollBar().SetValue(99994);
    list.SetListIndex(99999);
    Frame f(list.hWnd());
    EXPECT_EQ(f(InRow(list, 5).x, InRow(list, 5).y), want::kListSelectedFill);
    EXPECT_EQ(list.List(99999), L"Row 99999");
}

// A list emptied and filled again within one burst keeps its place,
// limited to the new range.
TEST_F(ListWindows, ClearedAndRefilledInOneBurstKeepsItsPlace)
{
    auto& list = Place(120, 70);
    ASSERT_EQ(list.Model().PageCount(), 4);
    Fill(list, 30);
    ASSERT_EQ(list.ScrollBar().MaxV(), 26);
    list.ScrollBar().SetValue(10);
    list.Clear();
    for (int i = 0; i < 30; ++i)
        list.AddItem(L"Again " + std::to_wstring(i));
    WaitForLayout(list);
    EXPECT_EQ(list.ScrollBar().MaxV(), 26);
    EXPECT_EQ(list.ScrollBar().Value(), 10);
    list.Clear();
    for (int i = 0; i < 8; ++i)
        list.AddItem(L"Fewer " + std::to_wstring(i));
    WaitForLayout(list);
    EXPECT_EQ(list.ScrollBar().MaxV(), 4);
    EXPECT_EQ(list.ScrollBar().Value(), 4) << "the view must stay inside the shorter list";
}

// Items are data: an "&" shows as typed, not as an access key.
TEST_F(ListWindows, AmpersandsInItemsAreDrawnAsTyped)
{
    auto& list = Place(160, 70);
    const std::wstring text(8, L'&');
    list.AddItem(text);
    WaitForLayout(list);
    Frame f(list.hWnd());
    const int full = TextExtent(list.Font(), text);
    const int ink = InkSpan(f, RECT{5, 4, list.ScaleWidth() - 5, 18});
    EXPECT_GE(ink, full * 3 / 4) << "ink " << ink << " px of a " << full << " px text";
}

} // namespace
