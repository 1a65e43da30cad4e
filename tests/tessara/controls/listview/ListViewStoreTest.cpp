// The list view's item store: getters, sub-items, removal, and the report's
// icon-size scan kept up to date through additions and removals.
#include "ListViewFakes.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace lvtest;

namespace {

// One item of a scan fixture: own icons, then sub-items' icons, each
// written as "-" (none), "s" (small), "b" (big) or "sb" (both).
struct ItemRow {
    const char* own;
    std::vector<const char*> subs;
};

host::PictureRef Small(const char* s)
{
    return std::string(s).find('s') != std::string::npos ? MakeIcon(16) : nullptr;
}
host::PictureRef Big(const char* s)
{
    return std::string(s).find('b') != std::string::npos ? MakeIcon(20) : nullptr;
}

void Fill(ListViewStore& store, const std::vector<ItemRow>& items)
{
    for (const auto& row : items) {
        store.AddItem(L"x", Small(row.own), Big(row.own));
        for (const char* sub : row.subs)
            store.AddSubItem(store.ItemCount() - 1, L"s", Small(sub), Big(sub));
    }
}

const char* Name(IconBand b)
{
    return b == IconBand::Small ? "Small" : b == IconBand::Big ? "Big" : "None";
}

} // namespace

TEST(ListViewStore, RowScanFollowsTheFirstDecidingItem)
{
    struct Case {
        const char* label;
        std::vector<ItemRow> items;
        IconBand expected;
    };
    const Case cases[] = {
        {"empty list", {}, IconBand::None},
        {"no icons anywhere", {{"-", {"-", "-"}}, {"-", {}}}, IconBand::None},
        {"own small first", {{"s", {}}, {"b", {}}}, IconBand::Small},
        {"own big first", {{"b", {}}, {"s", {}}}, IconBand::Big},
        {"own small wins over own big", {{"sb", {}}}, IconBand::Small},
        {"own icon beats its sub-items", {{"b", {"s"}}}, IconBand::Big},
        {"sub small decides", {{"-", {"-", "s"}}, {"b", {}}}, IconBand::Small},
        {"sub big marks, later own small decides", {{"-", {"b"}}, {"s", {}}}, IconBand::Small},
        {"sub big marks, later own big decides", {{"-", {"b"}}, {"b", {}}}, IconBand::Big},
        {"sub big mark alone gives big", {{"-", {"b"}}, {"-", {}}}, IconBand::Big},
        {"after a sub big the item's later subs are not looked at", {{"-", {"b", "s"}}}, IconBand::Big},
        {"sub with both icons counts as small", {{"-", {"sb"}}}, IconBand::Small},
    };
    for (const auto& c : cases) {
        ListViewStore store;
        Fill(store, c.items);
        EXPECT_STREQ(Name(c.expected), Name(store.RowBand())) << c.label;
    }
}

TEST(ListViewStore, RowScanStaysRightThroughRemovals)
{
    // [mark] [none] [big] [small]: big decides until it goes, then small.
    ListViewStore store;
    Fill(store, {{"-", {"b"}}, {"-", {"-"}}, {"b", {}}, {"s", {}}});
    EXPECT_STREQ("Big", Name(store.RowBand()));
    ASSERT_TRUE(store.RemoveItem(2));
    EXPECT_STREQ("Small", Name(store.RowBand()));
    ASSERT_TRUE(store.RemoveItem(2));  // the small one
    EXPECT_STREQ("Big", Name(store.RowBand())) << "only the sub-item mark is left";
    ASSERT_TRUE(store.RemoveItem(0));  // the mark
    EXPECT_STREQ("None", Name(store.RowBand()));
    // A sub-item added later to an undecided item decides, even before
    // items that decided earlier.
    store.AddItem(L"y", nullptr, MakeIcon(20));
    EXPECT_STREQ("Big", Name(store.RowBand()));
    store.AddSubItem(0, L"z", MakeIcon(16), nullptr);
    EXPECT_STREQ("Small", Name(store.RowBand()));
    // Removing items before the decider keeps it.
    store.AddItem(L"w", nullptr, nullptr);
    ASSERT_TRUE(store.RemoveItem(1));
    EXPECT_STREQ("Small", Name(store.RowBand()));
}

TEST(ListViewStore, HeaderBandIsTheFirstHeaderWithAnIcon)
{
    ListViewStore store;
    EXPECT_STREQ("None", Name(store.HeaderBand()));
    store.AddHeader(L"a", 50, nullptr, nullptr);
    EXPECT_STREQ("None", Name(store.HeaderBand()));
    store.AddHeader(L"b", 50, nullptr, MakeIcon(20));
    store.AddHeader(L"c", 50, MakeIcon(16), nullptr);
    EXPECT_STREQ("Big", Name(store.HeaderBand()));
    EXPECT_EQ(154, store.ContentWidth());
}

TEST(ListViewStore, BandHeights)
{
    EXPECT_EQ(18, BandHeight(IconBand::None, 12));
    EXPECT_EQ(22, BandHeight(IconBand::Small, 12));
    EXPECT_EQ(26, BandHeight(IconBand::Big, 12));
    EXPECT_EQ(24, BandHeight(IconBand::Small, 18));  // tall text outgrows the icon
    EXPECT_EQ(30, BandHeight(IconBand::Big, 24));
}

TEST(ListViewStore, BadIndexesThrowAndChangeNothing)
{
    ListViewStore store;
    store.AddHeader(L"h", 10, nullptr, nullptr);
    store.AddItem(L"a", nullptr, nullptr);
    EXPECT_THROW(store.Header(1), std::out_of_range);
    EXPECT_THROW(store.Header(-1), std::out_of_range);
    EXPECT_THROW(store.Item(1), std::out_of_range);
    EXPECT_THROW(store.AddSubItem(1, L"s", MakeIcon(16), nullptr), std::out_of_range);
    EXPECT_THROW(store.AddSubItem(-1, L"s", nullptr, nullptr), std::out_of_range);
    EXPECT_TRUE(store.Item(0).subItems.empty());
    EXPECT_STREQ("None", Name(store.RowBand())) << "the refused sub-item's icon must not count";
    EXPECT_FALSE(store.RemoveItem(1));
    EXPECT_FALSE(store.RemoveItem(-1));
    EXPECT_EQ(1, store.ItemCount());
}

TEST(ListViewStore, RemovalMovesLaterItemsUpWithTheirSubItems)
{
    ListViewStore store;
    for (int i = 0; i < 4; ++i) {
        store.AddItem(L"item" + std::to_wstring(i), nullptr, nullptr);
        for (int s = 0; s < i; ++s)
            store.AddSubItem(i, L"sub" + std::to_wstring(i) + L"." + std::to_wstring(s), nullptr, nullptr);
    }
    ASSERT_TRUE(store.RemoveItem(1));
    ASSERT_EQ(3, store.ItemCount());
    EXPECT_EQ(L"item0", store.Item(0).text);
    EXPECT_EQ(L"item2", store.Item(1).text);
    ASSERT_EQ(2u, store.Item(1).subItems.size());
    EXPECT_EQ(L"sub2.1", store.Item(1).subItems[1].text);
    EXPECT_EQ(L"item3", store.Item(2).text);
    EXPECT_EQ(nullptr, store.FindSubItem(0, 0));
    ASSERT_NE(nullptr, store.FindSubItem(2, 2));
    EXPECT_EQ(L"sub3.2", store.FindSubItem(2, 2)->text);
    EXPECT_EQ(nullptr, store.FindSubItem(2, 3));
}
