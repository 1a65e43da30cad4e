// The tree view's node store: root rules, rows, slot reuse, folding on
// removal, finding, and its indexes against straightforward walks.
#include "TreeReference.h"
#include "tessara/controls/tree/TreeStore.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using tessara::TreeStore;
using AddResult = TreeStore::AddResult;
using RemoveResult = TreeStore::RemoveResult;

namespace {

std::int32_t CharWidth7(const std::wstring& s) { return 7 * static_cast<std::int32_t>(s.size()); }

// Adds and returns the slot, failing the test when the store refuses.
std::int32_t Add(TreeStore& st, std::int32_t parent, const std::wstring& label)
{
    std::int32_t slot = -1;
    EXPECT_EQ(st.AddItem(parent, label, &slot), AddResult::Added) << "adding " << std::string(label.begin(), label.end());
    return slot;
}

} // namespace

TEST(TreeStoreRoot, FirstNodeMustBeTheRootAndTheRootIsUnique)
{
    TreeStore st;
    EXPECT_EQ(st.AddItem(0, L"x"), AddResult::RootRequired);
    EXPECT_EQ(st.AddItem(5, L"x"), AddResult::RootRequired);
    EXPECT_EQ(st.SlotCount(), 0);
    std::int32_t slot = -1;
    EXPECT_EQ(st.AddItem(-1, L"root", &slot), AddResult::Added);
    EXPECT_EQ(slot, 0);
    EXPECT_EQ(st.ParentSlot(0), -1);
    // A second root, or a parent that names no slot, is refused.
    EXPECT_EQ(st.AddItem(-1, L"again"), AddResult::ParentMissing);
    EXPECT_EQ(st.AddItem(1, L"orphan"), AddResult::ParentMissing);
    EXPECT_EQ(st.SlotCount(), 1);
    EXPECT_EQ(st.ChildCount(0), 0);
}

TEST(TreeStoreRoot, FreeSlotsAreNoParentsAndEmptyLabelsAreNodes)
{
    TreeStore st;
    Add(st, -1, L"root");
    const std::int32_t a = Add(st, 0, L"a");
    Add(st, 0, L"b");
    ASSERT_EQ(st.RemoveItem(a), RemoveResult::Removed);
    // Slot a is free now: no node can hang under it.
    EXPECT_EQ(st.AddItem(a, L"child of nothing"), AddResult::ParentMissing);
    EXPECT_EQ(st.FreeSlots(), 1);
    // Spread leaves a free slot folded, so its next tenant starts folded.
    EXPECT_FALSE(st.Spread(a, true));
    // An empty label is a label like any other: the node takes the free slot.
    std::int32_t e = -1;
    EXPECT_EQ(st.AddItem(0, L"", &e), AddResult::Added);
    EXPECT_EQ(e, a);
    EXPECT_FALSE(st.Expanded(a));
    EXPECT_EQ(st.FreeSlots(), 0);
    EXPECT_TRUE(st.IsUsed(a));
    EXPECT_EQ(st.IndexOf(L""), a);
    EXPECT_EQ(st.AddItem(a, L"under the empty one"), AddResult::Added);
    EXPECT_EQ(st.ChildCount(a), 1);
}

TEST(TreeStoreRows, NodesUnderAFoldedParentAddNoRowsUntilItUnfolds)
{
    TreeStore st;
    Add(st, -1, L"root");
    const std::int32_t a = Add(st, 0, L"a");
    Add(st, 0, L"b");
    EXPECT_EQ(st.TotalRows(), 1);  // root folded
    st.Spread(0, true);
    EXPECT_EQ(st.TotalRows(), 3);
    Add(st, a, L"a1");
    Add(st, a, L"a2");
    EXPECT_EQ(st.TotalRows(), 3);
    EXPECT_EQ(st.pGetItemCnt(a), 0);
    st.Spread(a, true);
    EXPECT_EQ(st.pGetItemCnt(a), 2);
    EXPECT_EQ(st.TotalRows(), 5);
    EXPECT_EQ(st.pGetItemCnt(0), 4);
    EXPECT_EQ(st.pGetItemCnt(-1), 0);
    EXPECT_EQ(st.pGetItemCnt(99), 0);
}

// Counted, painted and hit rows agree: an unfolded node without children
// has nothing to show below it.
TEST(TreeStoreRows, ExpandedNodeWithoutChildrenAddsNoRow)
{
    TreeStore st;
    Add(st, -1, L"root");
    st.Spread(0, true);
    EXPECT_EQ(st.TotalRows(), 1);  // an expanded root without children
    EXPECT_EQ(st.pGetItemCnt(0), 0);
    const std::int32_t a = Add(st, 0, L"a");
    const std::int32_t b = Add(st, 0, L"b");
    st.Spread(a, true);
    EXPECT_EQ(st.pGetItemCnt(a), 0);
    EXPECT_EQ(st.TotalRows(), 3);
    EXPECT_EQ(st.WalkRowCount(), 3);
    EXPECT_EQ(st.NodeAtWalkRow(2), b);
    std::int32_t first = 0;
    EXPECT_EQ(st.RootChildAtRow(2, &first), 1);  // b's own row, right after a
    EXPECT_EQ(first, 2);
    const std::int32_t a1 = Add(st, a, L"a1");
    EXPECT_EQ(st.pGetItemCnt(a), 1);
    EXPECT_EQ(st.TotalRows(), 4);
    st.Spread(a1, true);
    EXPECT_EQ(st.TotalRows(), 4);
    st.RemoveItem(a1);  // a folds with its only child gone
    EXPECT_FALSE(st.Expanded(a));
    EXPECT_EQ(st.TotalRows(), 3);
}

TEST(TreeStoreRemove, LowestFreeSlotsAreReusedFirst)
{
    TreeStore st;
    Add(st, -1, L"root");
    const std::int32_t a = Add(st, 0, L"a");   // 1
    const std::int32_t a1 = Add(st, a, L"a1"); // 2
    Add(st, 0, L"b");                          // 3
    const std::int32_t a2 = Add(st, a, L"a2"); // 4
    Add(st, a1, L"a11");                       // 5
    Add(st, 0, L"c");                          // 6
    ASSERT_EQ(st.RemoveItem(a), RemoveResult::Removed);
    EXPECT_EQ(st.FreeSlots(), 4);  // a, a1, a2, a11
    for (std::int32_t s : {1, 2, 4, 5})
        EXPECT_FALSE(st.IsUsed(s)) << s;
    EXPECT_EQ(st.Children(0), (std::vector<std::int32_t>{3, 6}));
    // Slot numbers no longer follow the order of adding.
    EXPECT_EQ(Add(st, 3, L"n1"), 1);
    EXPECT_EQ(Add(st, 0, L"n2"), 2);
    EXPECT_EQ(Add(st, 1, L"n3"), 4);
    EXPECT_EQ(Add(st, 0, L"n4"), 5);
    EXPECT_EQ(st.FreeSlots(), 0);
    EXPECT_EQ(Add(st, 0, L"n5"), 7);
    EXPECT_EQ(st.Children(0), (std::vector<std::int32_t>{3, 6, 2, 5, 7}));
    (void)a2;
}

TEST(TreeStoreRemove, RemovingTheOnlyChildFoldsTheParent)
{
    TreeStore st;
    Add(st, -1, L"root");
    const std::int32_t a = Add(st, 0, L"a");
    const std::int32_t a1 = Add(st, a, L"a1");
    st.Spread(0, true);
    st.Spread(a, true);
    EXPECT_EQ(st.TotalRows(), 3);
    ASSERT_EQ(st.RemoveItem(a1), RemoveResult::Removed);
    EXPECT_FALSE(st.Expanded(a));
    EXPECT_EQ(st.ChildCount(a), 0);
    EXPECT_EQ(st.TotalRows(), 2);
    // The root folds the same way when its last child goes.
    ASSERT_EQ(st.RemoveItem(a), RemoveResult::Removed);
    EXPECT_FALSE(st.Expanded(0));
    EXPECT_EQ(st.TotalRows(), 1);
}

TEST(TreeStoreRemove, RootOutOfRangeAndFreeSlotsAreRefused)
{
    TreeStore st;
    Add(st, -1, L"root");
    const std::int32_t a = Add(st, 0, L"a");
    EXPECT_EQ(st.RemoveItem(0), RemoveResult::OutOfRange);
    EXPECT_EQ(st.RemoveItem(-1), RemoveResult::OutOfRange);
    EXPECT_EQ(st.RemoveItem(2), RemoveResult::OutOfRange);
    ASSERT_EQ(st.RemoveItem(a), RemoveResult::Removed);
    EXPECT_EQ(st.RemoveItem(a), RemoveResult::AlreadyFree);
    EXPECT_EQ(st.FreeSlots(), 1);
}

TEST(TreeStoreFind, LowestSlotWinsAndFollowsRemovalAndReuse)
{
    TreeStore st;
    Add(st, -1, L"root");
    const std::int32_t x1 = Add(st, 0, L"x");  // 1
    Add(st, 0, L"y");                          // 2
    const std::int32_t x3 = Add(st, 0, L"x");  // 3
    EXPECT_EQ(st.IndexOf(L"x"), x1);
    st.RemoveItem(x1);
    EXPECT_EQ(st.IndexOf(L"x"), x3);
    EXPECT_EQ(Add(st, 2, L"x"), 1);  // reused lower slot takes over
    EXPECT_EQ(st.IndexOf(L"x"), 1);
    EXPECT_EQ(st.IndexOf(L"X"), -1);  // case counts
    EXPECT_EQ(st.IndexOf(L"nothing"), -1);
}

// The gallery's shape in small: the first child of every level has the
// siblings; Find three levels down unfolds the path and gives the row.
TEST(TreeStoreFind, ThreeLevelsDownUnfoldsAncestorsAndRoot)
{
    TreeStore st;
    st.SetMeasure(CharWidth7);
    Add(st, -1, L"root");
    const std::int32_t n1 = Add(st, 0, L"n1");
    const std::int32_t n2 = Add(st, 0, L"n2");
    Add(st, 0, L"n3");
    const std::int32_t a = Add(st, n2, L"a");
    Add(st, n2, L"a-sib");
    const std::int32_t b = Add(st, a, L"b");
    Add(st, n1, L"n1-child");
    st.Spread(n1, true);
    for (int k = 0; k < 4; ++k)
        Add(st, a, L"b-before-" + std::to_wstring(k));
    const std::int32_t target = Add(st, b, L"target");

    TreeStore::Found f;
    ASSERT_TRUE(st.Find(L"target", &f));
    EXPECT_EQ(f.slot, target);
    for (std::int32_t s : {0, n2, a, b})
        EXPECT_TRUE(st.Expanded(s)) << s;
    // root 0, n1 1, n1-child 2, n2 3, a 4, b 5, target 6
    EXPECT_EQ(f.row, 6);
    EXPECT_EQ(f.row, treeref::FindRow(st, target, L"target"));
    EXPECT_EQ(st.WalkRowOf(target), 6);
    EXPECT_EQ(st.NodeAtWalkRow(6), target);

    ASSERT_TRUE(st.Find(L"root", &f));
    EXPECT_EQ(f.slot, 0);
    EXPECT_EQ(f.row, 0);
    EXPECT_FALSE(st.Find(L"missing", &f));
    EXPECT_FALSE(st.Find(L"", &f));
}

TEST(TreeStoreFind, RepeatedLabelEarlierInTheWalkGivesItsRow)
{
    TreeStore st;
    Add(st, -1, L"root");
    const std::int32_t t = Add(st, 0, L"t");
    const std::int32_t p = Add(st, t, L"p");
    const std::int32_t q = Add(st, t, L"q");
    const std::int32_t low = Add(st, q, L"dup");   // lowest slot, later in the walk
    const std::int32_t high = Add(st, p, L"dup");  // earlier in the walk
    st.Spread(p, true);
    ASSERT_LT(low, high);
    TreeStore::Found f;
    ASSERT_TRUE(st.Find(L"dup", &f));
    EXPECT_EQ(f.slot, low);
    // root, t, p, dup(high) ... the walk below t meets the other one first.
    EXPECT_EQ(f.row, 3);
    EXPECT_EQ(f.row, treeref::FindRow(st, low, L"dup"));
}

// Random edits compared after every step with the straightforward walks.
TEST(TreeStoreIndexes, AgreeWithFullWalksUnderRandomEdits)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 rng(seed);
        TreeStore st;
        st.SetMeasure(CharWidth7);
        Add(st, -1, L"root");
        auto pick = [&](std::int32_t lo) {
            for (;;) {
                std::int32_t s = std::uniform_int_distribution<std::int32_t>(lo, st.SlotCount() - 1)(rng);
                if (st.IsUsed(s))
                    return s;
            }
        };
        for (int step = 0; step < 400; ++step) {
            const int op = std::uniform_int_distribution<int>(0, 9)(rng);
            if (op < 5 || st.SlotCount() < 3) {
                const std::wstring label = L"L" + std::to_wstring(std::uniform_int_distribution<int>(0, 40)(rng));
                Add(st, pick(0), label);
            } else if (op < 8) {
                st.Spread(pick(0), std::uniform_int_distribution<int>(0, 3)(rng) != 0);
            } else if (op == 8) {
                st.RemoveItem(pick(1));
            } else {
                TreeStore::Found f;
                const std::wstring label = L"L" + std::to_wstring(std::uniform_int_distribution<int>(0, 40)(rng));
                const bool found = st.Find(label, &f);
                ASSERT_EQ(found, treeref::IndexOf(st, label) >= 0);
                if (found) {
                    ASSERT_EQ(f.row, treeref::FindRow(st, f.slot, label)) << "seed " << seed << " step " << step;
                }
            }
            ASSERT_EQ(st.TotalRows(), treeref::TotalRows(st)) << "seed " << seed << " step " << step;
            ASSERT_EQ(st.ContentWidth(), treeref::ContentWidth(st)) << "seed " << seed << " step " << step;
            std::int32_t free = 0;
            for (std::int32_t s = 0; s < st.SlotCount(); ++s) {
                if (!st.IsUsed(s)) {
                    ++free;
                    continue;
                }
                ASSERT_EQ(st.pGetItemCnt(s), treeref::ItemCnt(st, s)) << "seed " << seed << " slot " << s;
                ASSERT_EQ(st.IndexOf(st.Label(s)), treeref::IndexOf(st, st.Label(s)));
            }
            ASSERT_EQ(st.FreeSlots(), free);
            const auto rows = treeref::WalkRows(st);
            if (st.Expanded(0)) {
                for (std::size_t g = 0; g < rows.size(); ++g) {
                    ASSERT_EQ(st.NodeAtWalkRow(static_cast<std::int32_t>(g)), rows[g]) << "seed " << seed << " row " << g;
                    ASSERT_EQ(st.WalkRowOf(rows[g]), static_cast<std::int32_t>(g));
                }
                ASSERT_EQ(st.NodeAtWalkRow(static_cast<std::int32_t>(rows.size())), -1);
                ASSERT_EQ(st.WalkRowCount(), static_cast<std::int32_t>(rows.size()));
            }
        }
    }
}

TEST(TreeStoreIndexes, ContentWidthFollowsFontChangesAndFolding)
{
    TreeStore st;
    int perChar = 7;
    st.SetMeasure([&](const std::wstring& s) { return perChar * static_cast<std::int32_t>(s.size()); });
    Add(st, -1, L"root-label");
    const std::int32_t a = Add(st, 0, L"a");
    Add(st, a, L"a-long-child");
    EXPECT_EQ(st.ContentWidth(), 7 * 10 + 52);  // root folded: its own width
    st.Spread(0, true);
    EXPECT_EQ(st.ContentWidth(), 24 + 7 + 52);
    st.Spread(a, true);
    EXPECT_EQ(st.ContentWidth(), 48 + 7 * 12 + 52);
    perChar = 9;
    st.InvalidateWidths();
    EXPECT_EQ(st.ContentWidth(), 48 + 9 * 12 + 52);
    st.Spread(a, false);
    EXPECT_EQ(st.ContentWidth(), 24 + 9 + 52);
}
