#include "tessara/kit/HookLists.h"

#include <gtest/gtest.h>

using namespace kit;

namespace {
std::vector<std::int32_t> Cells(const MessageList& l) { return l.cells(); }
} // namespace

TEST(MessageList, StartsEmptyAndMatchesNothing)
{
    MessageList l;
    EXPECT_EQ(l.count(), 0);
    EXPECT_FALSE(l.Matches(0x0F));
    EXPECT_FALSE(l.Matches(0));
}

TEST(MessageList, AppendsInOrderAndNeverTwice)
{
    MessageList l;
    l.Add(0x0F);
    l.Add(0x201);
    l.Add(0x0F);
    EXPECT_EQ(l.count(), 2);
    EXPECT_EQ(Cells(l), (std::vector<std::int32_t>{0x0F, 0x201}));
    EXPECT_TRUE(l.Matches(0x0F));
    EXPECT_TRUE(l.Matches(0x201));
    EXPECT_FALSE(l.Matches(0x202));
}

TEST(MessageList, RemovedMessageLeavesAFreeCellTheNextAddTakes)
{
    MessageList l;
    l.Add(0x0F);
    l.Add(0x201);
    l.Add(0x200);
    l.Remove(0x201);
    EXPECT_EQ(l.count(), 3);
    EXPECT_EQ(Cells(l), (std::vector<std::int32_t>{0x0F, 0, 0x200}));
    EXPECT_FALSE(l.Matches(0x201));
    EXPECT_TRUE(l.Matches(0x0F));
    EXPECT_TRUE(l.Matches(0x200));
    // The free cell is reused before the list grows.
    l.Add(0x20A);
    EXPECT_EQ(Cells(l), (std::vector<std::int32_t>{0x0F, 0x20A, 0x200}));
    l.Add(0x2A3);
    EXPECT_EQ(Cells(l), (std::vector<std::int32_t>{0x0F, 0x20A, 0x200, 0x2A3}));
    EXPECT_EQ(l.count(), 4);
}

TEST(MessageList, AMessageBehindAFreeCellIsNotListedAgain)
{
    MessageList l;
    l.Add(0x0F);
    l.Add(0x201);
    l.Remove(0x0F);
    l.Add(0x201);
    EXPECT_EQ(Cells(l), (std::vector<std::int32_t>{0, 0x201}));
    // One removal is enough to stop it.
    l.Remove(0x201);
    EXPECT_FALSE(l.Matches(0x201));
}

TEST(MessageList, AllMessagesAndBack)
{
    MessageList l;
    l.Add(0x0F);
    l.Add(kAllMessages);
    EXPECT_EQ(l.count(), -1);
    EXPECT_TRUE(l.Matches(0x0F));
    EXPECT_TRUE(l.Matches(0x1234));
    // Already routed: a single message changes nothing.
    l.Add(0x201);
    EXPECT_EQ(l.count(), -1);
    l.Remove(kAllMessages);
    EXPECT_EQ(l.count(), 0);
    EXPECT_FALSE(l.Matches(0x0F));
    EXPECT_FALSE(l.Matches(0x1234));
    l.Add(0x201);
    EXPECT_EQ(l.count(), 1);
    EXPECT_TRUE(l.Matches(0x201));
    EXPECT_FALSE(l.Matches(0x0F));
}

TEST(MessageList, FreeCellsNeverMatchMessageZero)
{
    MessageList l;
    l.Add(0x0F);
    l.Remove(0x0F);
    EXPECT_FALSE(l.Matches(0));
    l.Add(0);
    EXPECT_EQ(l.count(), 1);
    EXPECT_FALSE(l.Matches(0));
}

TEST(MouseWords, SignedSplitOfLParam)
{
    struct Case {
        std::int32_t lParam, x, y;
    } cases[] = {
        {(20 << 16) | 7, 7, 20},
        {(300 << 16) | 1000, 1000, 300},
        {0, 0, 0},
        {0x7FFF0000 | 0xFFFF, 0xFFFF, 0x7FFF},
        // Negative lParams (y beyond 32767 as a word) follow truncation.
        {-65536 * 3 - 5, -5, -3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LowWordOf(c.lParam), c.x) << c.lParam;
        EXPECT_EQ(HighWordOf(c.lParam), c.y) << c.lParam;
    }
}
