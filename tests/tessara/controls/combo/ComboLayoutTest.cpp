// The combo box's geometry and its Change bookkeeping.
#include "tessara/controls/combo/ComboLayout.h"
#include "SharedCases.h"

#include <gtest/gtest.h>

namespace tessara {
namespace {

TEST(ComboLayout, ResizeKeepsTheTextAreaAndPlacesArrowAndList)
{
    const struct { int width, expect; } cases[] = {{120, 120}, {26, 26}, {25, 26}, {0, 26}};
    for (auto c : cases) {
        const ComboLayout l = LayoutCombo(c.width);
        EXPECT_EQ(l.width, c.expect);
        EXPECT_EQ(l.height, 20);
        EXPECT_EQ(l.arrow, (kit::SizedRect(c.expect - 20, 2, 18, 16)));
        EXPECT_EQ(l.list, (kit::SizedRect(0, 20, c.expect, 16)));
    }
}

TEST(ComboLayout, PressAreas)
{
    const struct { int x, y; bool text; } cases[] = {
        {1, 1, true}, {119, 19, true}, {0, 10, false}, {120, 10, false}, {50, 0, false}, {50, 20, false}};
    for (auto c : cases)
        EXPECT_EQ(InComboTextArea(c.x, c.y, 120), c.text) << c.x << ", " << c.y;
    EXPECT_TRUE(InComboArrow(0, 0));
    EXPECT_TRUE(InComboArrow(17, 15));
    EXPECT_FALSE(InComboArrow(18, 5));
    EXPECT_FALSE(InComboArrow(5, 16));
    EXPECT_FALSE(InComboArrow(-1, 5));
}

TEST(ComboLayout, DroppedHeights)
{
    for (const auto& c : cases::kComboDrops)
        EXPECT_EQ(DroppedComboHeight(c.listHeight), c.dropped) << c.items << " items";
    EXPECT_FALSE(ComboIsOpen(20));
    EXPECT_TRUE(ComboIsOpen(21));
}

TEST(ComboLayout, ChoosingTheSameTextTwiceReportsOnce)
{
    ComboText t;
    EXPECT_TRUE(t.Choose(L"甲"));
    EXPECT_FALSE(t.Choose(L"甲"));
    EXPECT_TRUE(t.Choose(L"乙"));
    // Text set by code is not reported and does not move the last report.
    t.SetText(L"甲");
    EXPECT_EQ(t.LastReported(), L"乙");
    EXPECT_FALSE(t.Choose(L"乙"));
    EXPECT_EQ(t.Text(), L"乙");
}

} // namespace
} // namespace tessara
