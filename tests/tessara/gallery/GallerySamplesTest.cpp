// The gallery's sample data without windows: the tree plan run against the
// tree view's real node store, the other controls' texts, and the progress
// counter's ticks.
#include "tessara/gallery/GallerySamples.h"

#include "tessara/controls/tree/TreeStore.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace gallery;

// The tree as the form builds it: each labelled parent looked up just
// before its child goes in.
tessara::TreeStore BuildTree()
{
    tessara::TreeStore store;
    for (const TreeAddition& a : TreePlan()) {
        const std::int32_t parent = a.parentLabel.empty() ? a.parentSlot : store.IndexOf(a.parentLabel);
        EXPECT_GE(parent, a.parentLabel.empty() ? -1 : 0) << "no parent for the label";
        EXPECT_EQ(store.AddItem(parent, a.label), tessara::TreeStore::AddResult::Added);
    }
    return store;
}

std::wstring ParentLabel(const tessara::TreeStore& s, const std::wstring& label)
{
    const std::int32_t slot = s.IndexOf(label);
    return slot > 0 ? s.Label(s.ParentSlot(slot)) : L"";
}

TEST(TreePlan, BuildsTheRootThreeChildrenAndSevenLevelChainsOf2104Nodes)
{
    tessara::TreeStore s = BuildTree();
    EXPECT_EQ(s.SlotCount() - s.FreeSlots(), kTreeNodeCount);
    EXPECT_EQ(s.SlotCount(), 2104);
    EXPECT_EQ(s.Label(0), L"结点0");
    EXPECT_EQ(s.ChildCount(0), 3);

    // Each chain: the first child of every level holds the next 100.
    struct Chain {
        const wchar_t* top;
        const wchar_t* letters;  // one per level
    };
    const Chain chains[] = {{L"结点1", L"ADGJMPS"}, {L"结点2", L"BEHKNQT"}, {L"结点3", L"CFILORU"}};
    for (const Chain& c : chains) {
        std::wstring parent = c.top;
        for (int level = 0; level < 7; ++level) {
            const std::wstring name = std::wstring(L"结点") + c.letters[level];
            const std::int32_t p = s.IndexOf(parent);
            ASSERT_GE(p, 0);
            ASSERT_EQ(s.ChildCount(p), 100) << "under " << level;
            EXPECT_EQ(s.Label(s.Children(p).front()), name + L"1");
            EXPECT_EQ(s.Label(s.Children(p).back()), name + L"100");
            EXPECT_EQ(s.NodeLevel(s.Children(p).front()), level + 2);
            // Only the first child has children.
            EXPECT_EQ(s.ChildCount(s.Children(p)[1]), 0);
            parent = name + L"1";
        }
        EXPECT_EQ(s.ChildCount(s.IndexOf(parent)), 0) << "the chain ends after seven levels";
    }
    EXPECT_EQ(ParentLabel(s, L"结点B100"), L"结点2");
    EXPECT_EQ(ParentLabel(s, L"结点E7"), L"结点B1");
    EXPECT_EQ(ParentLabel(s, L"结点U100"), L"结点R1");
}

TEST(TreePlan, EachPassAddsItsThreeChainsInTurn)
{
    const std::vector<TreeAddition> plan = TreePlan();
    ASSERT_EQ(plan.size(), 2104u);
    EXPECT_EQ(plan[0].parentSlot, -1);
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(plan[n].parentSlot, 0);
        EXPECT_TRUE(plan[n].parentLabel.empty());
    }
    // Pass 1, n = 1 and 2, then pass 2 begins under the first of the first.
    const std::pair<const wchar_t*, const wchar_t*> expected[] = {
        {L"结点1", L"结点A1"}, {L"结点2", L"结点B1"}, {L"结点3", L"结点C1"},
        {L"结点1", L"结点A2"}, {L"结点2", L"结点B2"}, {L"结点3", L"结点C2"}};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(plan[4 + k].parentLabel, expected[k].first);
        EXPECT_EQ(plan[4 + k].label, expected[k].second);
    }
    EXPECT_EQ(plan[4 + 300].parentLabel, L"结点A1");
    EXPECT_EQ(plan[4 + 300].label, L"结点D1");
    EXPECT_EQ(plan.back().parentLabel, L"结点R1");
    EXPECT_EQ(plan.back().label, L"结点U100");
}

TEST(Samples, ListsComboGroupsTabsAndListViewRows)
{
    const std::vector<std::wstring> list = ListItems();
    ASSERT_EQ(list.size(), 103u);
    EXPECT_EQ(list[0], L"列表项0");
    EXPECT_EQ(list[100], L"列表项100");
    EXPECT_EQ(list[101], L"Adfdfadfdf我有成功");
    EXPECT_EQ(list[102], L"我123爱456你中就是这样");
    const std::vector<std::wstring> combo = ComboItems();
    ASSERT_EQ(combo.size(), 101u);
    EXPECT_EQ(combo[42], L"组合项42");

    EXPECT_EQ(GroupNames(), (std::vector<std::wstring>{L"分组一", L"分组二", L"分组三", L"分组四"}));
    std::map<int, std::vector<std::wstring>> groups;
    for (const GroupItem& g : GroupItems())
        groups[g.group].push_back(g.text);
    ASSERT_EQ(groups.size(), 4u);
    const struct {
        int group;
        size_t count;
        const wchar_t* first;
        const wchar_t* last;
    } table[] = {{0, 21, L"分组一第abcdefgh0项", L"分组一第abcdefgh20项"},
                 {1, 11, L"分组二第0项", L"分组二第10项"},
                 {2, 15, L"分组三第0项", L"分组三第14项"},
                 {3, 6, L"分组四第0项", L"分组四第5项"}};
    for (const auto& row : table) {
        ASSERT_EQ(groups[row.group].size(), row.count) << row.group;
        EXPECT_EQ(groups[row.group].front(), row.first);
        EXPECT_EQ(groups[row.group].back(), row.last);
    }
    EXPECT_EQ(GroupItems().front().group, 0) << "groups are filled one after the other";

    const std::vector<std::wstring> tabs = TabCaptions();
    ASSERT_EQ(tabs.size(), 8u);
    EXPECT_EQ(tabs[0], L"标签一");
    EXPECT_EQ(tabs[7], L"标签八");

    EXPECT_EQ(HeaderTexts(), (std::vector<std::wstring>{L"列表头0", L"列表头1", L"列表头2"}));
    const std::vector<ListViewRow> rows = ListViewRows();
    ASSERT_EQ(rows.size(), 101u);
    EXPECT_EQ(rows[57].text, L"列表项57");
    EXPECT_EQ(rows[57].sub1, L"列表项57子项1");
    EXPECT_EQ(rows[57].sub2, L"列表项57子项2");
}

TEST(ProgressTicker, ShowsZeroToOneHundredInOneHundredAndOneTicksThenStops)
{
    ProgressTicker t;
    for (int tick = 0; tick <= 100; ++tick) {
        const ProgressTicker::Step s = t.Tick();
        ASSERT_EQ(s.value, tick);
        ASSERT_EQ(s.stop, tick == 100) << "tick " << tick;
    }
    EXPECT_EQ(t.Counter(), 101);
}

} // namespace
