// The list's item store, layouts, hit tests, wheel and marquee.
#include "tessara/controls/list/ListModel.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tessara {
namespace {

ListModel WithItems(int n)
{
    ListModel m;
    for (int i = 0; i < n; ++i)
        m.AddItem(L"Item " + std::to_wstring(i));
    return m;
}

TEST(ListItems, BehavesLikeAPlainArrayUnderRandomEdits)
{
    std::mt19937 rng(7);
    ListItems items;
    std::vector<std::wstring> ref;
    for (int step = 0; step < 4000; ++step) {
        const int op = static_cast<int>(rng() % 10);
        if (op < 6 || ref.empty()) {
            std::wstring t = L"text number " + std::to_wstring(step);
            items.push_back(t);
            ref.push_back(t);
        } else {
            // Removals cluster around one place, as a user deleting rows does.
            const std::size_t i = (ref.size() / 2 + rng() % 3) % ref.size();
            items.erase(i);
            ref.erase(ref.begin() + static_cast<long>(i));
        }
        ASSERT_EQ(items.size(), ref.size());
    }
    std::size_t live = 0;
    for (std::size_t i = 0; i < ref.size(); ++i) {
        ASSERT_EQ(items[i], ref[i]) << "item " << i;
        live += ref[i].size();
    }
    EXPECT_LE(items.arenaSize(), 2 * live + 4096) << "removed texts were never reclaimed";
    while (!ref.empty()) {
        items.erase(0);
        ref.erase(ref.begin());
    }
    EXPECT_TRUE(items.empty());
    EXPECT_LE(items.capacity(), 64u) << "storage was not given back";
    items.clear();
    EXPECT_EQ(items.arenaSize(), 0u);
}

TEST(ListModel, AddItemStopsAtOneMillion)
{
    ListModel m;
    for (int i = 0; i < kListMaxItems; ++i)
        ASSERT_TRUE(m.AddItem(std::wstring()));
    EXPECT_FALSE(m.AddItem(L"one too many"));
    EXPECT_EQ(m.ListCount(), kListMaxItems);
    m.Clear();
    EXPECT_EQ(m.ListCount(), 0);
}

TEST(ListModel, ListAndRemoveIgnoreIndicesOutside)
{
    ListModel m = WithItems(3);
    EXPECT_EQ(m.List(1), L"Item 1");
    EXPECT_EQ(m.List(-1), L"");
    EXPECT_EQ(m.List(3), L"");
    EXPECT_FALSE(m.RemoveItem(3, false, 0));
    EXPECT_FALSE(m.RemoveItem(-1, false, 0));
    EXPECT_TRUE(m.RemoveItem(1, false, 0));
    EXPECT_EQ(m.List(1), L"Item 2");
    EXPECT_EQ(m.ListCount(), 2);
}

TEST(ListModel, FirstLayoutMakesWholeRows)
{
    const struct { int width, height, itemHeight; int pageCount, newWidth, newHeight; } cases[] = {
        {120, 100, 16, 6, 120, 102},  // 94 / 16 = 5 rest 14: one more row
        {120, 102, 16, 6, 120, 102},  // exact
        {120, 10, 16, 1, 120, 22},    // less than a row
        {30, 100, 16, 6, 41, 102},    // too narrow for a row and the scroll bar
        {120, 100, 20, 5, 120, 106},
    };
    for (auto c : cases) {
        ListModel m;
        ASSERT_TRUE(m.SetItemHeight(c.itemHeight, 0));
        auto l = m.FirstLayout(c.width, c.height);
        ASSERT_TRUE(l.has_value());
        EXPECT_EQ(m.PageCount(), c.pageCount) << c.width << "x" << c.height;
        EXPECT_EQ(l->width, c.newWidth) << c.width << "x" << c.height;
        EXPECT_EQ(l->height, c.newHeight) << c.width << "x" << c.height;
        EXPECT_EQ(l->scroll, (kit::SizedRect(c.newWidth - 20, 3, 18, c.newHeight - 6)));
        EXPECT_FALSE(m.FirstLayout(300, 300).has_value()) << "a later resize changed the layout";
    }
}

TEST(ListModel, DeferredLayoutShowsTheScrollBarOnlyWhenRowsOverflow)
{
    const struct { int items; bool visible; double thumb; std::int32_t maxV; } cases[] = {
        {10, true, 11, 6},    // nearest((70 - 42) * 4 / 10) = nearest(11.2)
        {5, true, 22, 1},     // nearest(22.4)
        {100, true, 10, 96},  // 1.12 is below 11: 10
        {4, false, 0, 0},
        {0, false, 0, 0},
    };
    for (auto c : cases) {
        ListModel m = WithItems(c.items);
        m.SetPageCount(4);
        const ListLayout l = m.DeferredLayout(120, 0);
        EXPECT_EQ(l.height, 4 * 16 + 6);
        EXPECT_EQ(l.scrollVisible, c.visible) << c.items << " items";
        if (c.visible) {
            EXPECT_EQ(l.thumbLength, c.thumb) << c.items << " items";
            EXPECT_EQ(l.maxV, c.maxV) << c.items << " items";
            EXPECT_EQ(l.scroll, (kit::SizedRect(100, 3, 18, 64)));
        }
    }
}

TEST(ListModel, PageCountBelowFourGrowsOnlyWhenThereAreMoreItems)
{
    const struct { int items, set, expect; } cases[] = {
        {10, 2, 4}, {1, 2, 2}, {2, 2, 2}, {3, 2, 4}, {10, 7, 7}, {0, 3, 3}};
    for (auto c : cases) {
        ListModel m = WithItems(c.items);
        ASSERT_TRUE(m.SetPageCount(c.set));
        EXPECT_EQ(m.PageCount(), c.expect) << c.items << " items, PageCount " << c.set;
    }
    ListModel m;
    EXPECT_FALSE(m.SetPageCount(0));
    EXPECT_FALSE(m.SetPageCount(-2));
}

TEST(ListModel, InitListHeightFitsTheItems)
{
    const struct { int items, rows, pageCount, height; } cases[] = {
        {12, 8, 8, 134}, {8, 8, 8, 134}, {3, 8, 3, 54}, {0, 8, 1, 22}};
    for (auto c : cases) {
        ListModel m = WithItems(c.items);
        m.InitListHeight(c.rows);
        EXPECT_EQ(m.PageCount(), c.pageCount);
        EXPECT_EQ(m.DeferredLayout(100, 0).height, c.height);
    }
}

TEST(ListModel, ItemHeightFollowsTheFont)
{
    ListModel m;
    EXPECT_FALSE(m.SetItemHeight(12, 14)) << "rows lower than the font were accepted";
    EXPECT_EQ(m.ItemHeight(), 16);
    EXPECT_TRUE(m.SetItemHeight(14, 14));
    EXPECT_FALSE(m.FitItemHeight(12));
    EXPECT_TRUE(m.FitItemHeight(19));
    EXPECT_EQ(m.ItemHeight(), 19);
}

TEST(ListModel, ItemUnderAPoint)
{
    ListModel m = WithItems(10);
    m.SetPageCount(4);  // rows at y 3..19, 19..35, 35..51, 51..67
    const struct { int x, y; std::int32_t value; int item; } cases[] = {
        {4, 4, 0, 0},     {3, 10, 0, -1},  {77, 10, 0, 0},   {78, 10, 0, -1},  // width 100: x < 78
        {10, 3, 0, -1},   {10, 18, 0, 0},  {10, 19, 0, 1},   {10, 66, 0, 3},
        {10, 67, 0, -1},  {10, 20, 6, 7},  {10, 66, 6, 9},   {10, 66, 7, -1},
    };
    for (auto c : cases)
        EXPECT_EQ(m.ItemAt(c.x, c.y, 100, c.value), c.item) << "(" << c.x << ", " << c.y << ") at " << c.value;
    EXPECT_EQ(ListModel().ItemAt(10, 10, 100, 0), -1);
}

TEST(ListModel, WheelMovesThreeRowsAndStopsAtTheEnds)
{
    ListModel m = WithItems(20);
    m.SetPageCount(6);  // MaxV 14
    const struct { int delta; std::int32_t value, expect; } cases[] = {
        {-120, 13, 14}, {-120, 5, 8}, {-1200, 5, 8}, {120, 2, 0}, {120, 9, 6}, {1, 9, 6}, {120, 0, 0}};
    for (auto c : cases) {
        auto t = m.WheelTarget(c.delta, c.value, 14);
        ASSERT_TRUE(t.has_value());
        EXPECT_EQ(*t, c.expect) << "delta " << c.delta << " at " << c.value;
    }
    ListModel fits = WithItems(6);
    fits.SetPageCount(6);
    EXPECT_FALSE(fits.WheelTarget(-120, 0, 20).has_value());
    EXPECT_FALSE(ListModel().WheelTarget(-120, 0, 20).has_value());
}

TEST(ListModel, RemovingMovesTheViewUpOnlyWhenScrolled)
{
    const struct { std::int32_t value; int removals; std::int32_t expect; } cases[] = {
        {3, 1, 2}, {0, 1, 0}, {2, 5, 0}, {6, 1, 5}};
    for (auto c : cases) {
        ListModel m = WithItems(10);
        m.SetPageCount(4);
        std::int32_t value = c.value;
        for (int i = 0; i < c.removals; ++i)
            m.RemoveItem(0, true, value);
        const ListLayout l = m.DeferredLayout(100, value);
        EXPECT_EQ(l.value, c.expect) << "value " << c.value << ", " << c.removals << " removals";
        EXPECT_EQ(m.ScrollAdjust(), 0);
    }
    ListModel hidden = WithItems(3);
    hidden.SetPageCount(4);
    hidden.RemoveItem(0, false, 0);
    EXPECT_EQ(hidden.ScrollAdjust(), 0);
}

TEST(ListModel, RemovalClampsTheSelectionAndAnEmptyListResetsIt)
{
    ListModel m = WithItems(3);
    ASSERT_TRUE(m.SetListIndex(2));
    m.RemoveItem(2, false, 0);
    EXPECT_EQ(m.ListIndex(), 1);
    m.RemoveItem(0, false, 0);
    m.RemoveItem(0, false, 0);
    EXPECT_EQ(m.ListCount(), 0);
    m.DeferredLayout(100, 0);
    EXPECT_EQ(m.ListIndex(), -1);
    EXPECT_FALSE(m.SetListIndex(0));
    EXPECT_TRUE(m.SetListIndex(-1));
}

// A list cleared while scrolled and filled again keeps its place when the
// new items reach that far, and never shows an empty window below its last
// row.
TEST(ListModel, RefillAfterClearKeepsThePlaceWithinTheNewRange)
{
    ListModel m = WithItems(30);
    m.SetPageCount(4);
    m.Clear();
    for (int i = 0; i < 30; ++i)
        m.AddItem(L"same count");
    ListLayout l = m.DeferredLayout(100, 20);
    EXPECT_EQ(l.maxV, 26);
    EXPECT_EQ(l.value, 20);
    std::int32_t value = 20;
    m.Clear();
    for (int i = 0; i < 6; ++i)
        m.AddItem(L"again");
    l = m.DeferredLayout(100, value);
    EXPECT_TRUE(l.scrollVisible);
    EXPECT_EQ(l.maxV, 2);
    EXPECT_EQ(l.value, 2);
    // More rows per page shrink the range: the view stays inside it.
    for (int i = 0; i < 14; ++i)
        m.AddItem(L"more");
    l = m.DeferredLayout(100, 0);
    ASSERT_EQ(l.maxV, 16);
    m.SetPageCount(10);
    l = m.DeferredLayout(100, 16);
    EXPECT_EQ(l.maxV, 10);
    EXPECT_EQ(l.value, 10);
    m.Clear();
    m.AddItem(L"one");
    l = m.DeferredLayout(100, l.value);
    EXPECT_FALSE(l.scrollVisible);
    EXPECT_EQ(l.value, 0);
    EXPECT_EQ(m.VisibleRows(100, false, l.value, false).size(), 1u);
}

TEST(ListModel, VisibleRowsCostFollowsThePageNotTheItems)
{
    ListModel m = WithItems(100000);
    m.SetPageCount(5);
    ASSERT_TRUE(m.SetListIndex(50002));
    m.SetHover(50003);
    const auto rows = m.VisibleRows(120, true, 50000, false);
    ASSERT_EQ(rows.size(), 5u);
    const RowLook looks[] = {RowLook::Even, RowLook::Odd, RowLook::Selected, RowLook::Hovered, RowLook::Even};
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(rows[r].index, 50000 + r);
        EXPECT_EQ(rows[r].look, looks[r]) << "row " << r;
        EXPECT_EQ(rows[r].top, 3 + 16 * r);
        EXPECT_EQ(rows[r].bottom, 19 + 16 * r);
        EXPECT_EQ(rows[r].left, 3);
        EXPECT_EQ(rows[r].right, 97);
        EXPECT_EQ(rows[r].textLeft, 5);
        EXPECT_EQ(rows[r].textRight, 95);
    }
    EXPECT_EQ(m.VisibleRows(120, false, 99998, false).size(), 2u);
    EXPECT_EQ(m.VisibleRows(120, false, 99998, false)[0].right, 117);
}

TEST(ListModel, MarqueeShiftsOnlyTheHoveredRow)
{
    ListModel m = WithItems(5);
    m.SetPageCount(5);
    m.SetHover(1);
    m.MarqueeStep(200, 90, 20);
    m.MarqueeStep(200, 90, 20);
    const auto rows = m.VisibleRows(100, false, 0, true);
    EXPECT_EQ(rows[1].textLeft, 5 - 2);
    EXPECT_TRUE(rows[1].marquee);
    EXPECT_EQ(rows[0].textLeft, 5);
    EXPECT_FALSE(rows[0].marquee);
    ASSERT_TRUE(m.SetListIndex(1));
    EXPECT_FALSE(m.VisibleRows(100, false, 0, true)[1].marquee) << "the selected row scrolled";
}

// Walks each mode tick by tick and records the offsets it passes through.
TEST(ListModel, MarqueeModes)
{
    const int text = 6, avail = 3, gap = 2;
    const struct { int mode; int ticks; std::vector<int> offsets; int stopsAfter; } cases[] = {
        {0, 9, {1, 2, 3, 4, 5, 6, 0}, 7},
        {1, 9, {1, 2, 3, 2, 1, 0, 1, 2, 3}, -1},
        {2, 10, {1, 2, 3, 4, 5, 6, 7, 8, 0}, 9},
    };
    for (auto& c : cases) {
        ListModel m = WithItems(1);
        ASSERT_TRUE(m.SetScrollMode(c.mode));
        m.SetHover(0);
        std::vector<int> seen;
        int stoppedAt = -1;
        for (int t = 1; t <= c.ticks && stoppedAt < 0; ++t) {
            if (!m.MarqueeStep(text, avail, gap))
                stoppedAt = t;
            seen.push_back(m.MarqueeOffset());
        }
        EXPECT_EQ(seen, c.offsets) << "mode " << c.mode;
        EXPECT_EQ(stoppedAt, c.stopsAfter) << "mode " << c.mode;
    }
    ListModel m;
    EXPECT_FALSE(m.SetScrollMode(3));
    EXPECT_FALSE(m.SetScrollMode(-1));
    EXPECT_EQ(m.ScrollMode(), 0);
    ASSERT_TRUE(m.SetScrollMode(2));
    EXPECT_EQ(m.MarqueeText(L"ab"), L"ab     ab");
}

TEST(ListModel, HoveringAnotherItemRestartsTheMarquee)
{
    ListModel m = WithItems(3);
    m.SetHover(0);
    m.MarqueeStep(100, 10, 5);
    EXPECT_EQ(m.MarqueeOffset(), 1);
    EXPECT_FALSE(m.SetHover(0));
    EXPECT_EQ(m.MarqueeOffset(), 1);
    EXPECT_TRUE(m.SetHover(2));
    EXPECT_EQ(m.MarqueeOffset(), 0);
}

} // namespace
} // namespace tessara
