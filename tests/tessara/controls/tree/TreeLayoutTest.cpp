// The tree view's layout branches, thumbs and the first resize.
#include "tessara/controls/tree/TreeLayout.h"

#include "SharedCases.h"

#include <gtest/gtest.h>

using namespace tessara;
using Mode = TreeLayoutPlan::Mode;

TEST(TreeLayout, ThirtyRowsTenSavedWideContentShowsBothBars)
{
    TreeLayoutInput in;
    in.scaleWidth = 140;
    in.scaleHeight = 264;  // 10 rows of 26 + 4
    in.rootExpanded = true;
    in.totalRows = 30;
    in.contentWidth = 400;
    in.savedPageRows = 10;
    in.pageRows = 10;
    const TreeLayoutPlan p = PlanTreeLayout(in);
    EXPECT_EQ(p.mode, Mode::Both);
    EXPECT_EQ(p.pageRows, 9);
    EXPECT_EQ(p.vMax, 21);
    EXPECT_EQ(p.hMax, 400 - 119);
    EXPECT_EQ(p.vGlide, 62);  // (264 - 59) * 9 / 30 = 61.5 -> 62
    EXPECT_EQ(p.hGlide, 24);  // (140 - 59) * 119 / 400 = 24.1
    EXPECT_EQ(p.vPlace.left, 120);
    EXPECT_EQ(p.vPlace.Height(), 241);
    EXPECT_EQ(p.hPlace.top, 244);
    EXPECT_EQ(p.hPlace.Width(), 117);
}

TEST(TreeLayout, Branches)
{
    struct Case {
        const char* what;
        bool expanded;
        std::int32_t total, content;
        Mode mode;
        std::int32_t pageRows;
        bool v, h;
    } cases[] = {
        {"root folded", false, 30, 400, Mode::RootFolded, 10, false, false},
        {"wide, rows fit one less", true, 9, 400, Mode::HorizontalOnly, 10, false, true},
        {"wide, one row more than fits with the bar", true, 10, 400, Mode::Both, 9, true, true},
        {"narrow, rows fit", true, 10, 119, Mode::None, 10, false, false},
        {"narrow, too many rows", true, 11, 119, Mode::VerticalOnly, 10, true, false},
    };
    for (const auto& c : cases) {
        TreeLayoutInput in;
        in.scaleWidth = 140;
        in.scaleHeight = 264;
        in.rootExpanded = c.expanded;
        in.totalRows = c.total;
        in.contentWidth = c.content;
        in.savedPageRows = 10;
        in.pageRows = 10;
        const TreeLayoutPlan p = PlanTreeLayout(in);
        EXPECT_EQ(p.mode, c.mode) << c.what;
        EXPECT_EQ(p.pageRows, c.pageRows) << c.what;
        EXPECT_EQ(p.vVisible, c.v) << c.what;
        EXPECT_EQ(p.hVisible, c.h) << c.what;
    }
    TreeLayoutInput in;
    in.scaleWidth = 140;
    in.scaleHeight = 264;
    in.rootExpanded = true;
    in.totalRows = 11;
    in.contentWidth = 50;
    in.savedPageRows = 10;
    const TreeLayoutPlan p = PlanTreeLayout(in);
    EXPECT_EQ(p.vMax, 1);
    EXPECT_EQ(p.vGlide, 204);  // (264 - 40) * 10 / 11 = 203.6
    EXPECT_EQ(p.vPlace.Height(), 260);
}

TEST(TreeLayout, ThumbTiesToEvenAndNeverBelowTen)
{
    EXPECT_EQ(ThumbLength(205, 9, 30), 62);   // 61.5
    EXPECT_EQ(ThumbLength(205, 3, 6), 102);   // 102.5 -> 102
    EXPECT_EQ(ThumbLength(100, 1, 10), 10);
    EXPECT_EQ(ThumbLength(100, 11, 100), 11);
    EXPECT_EQ(ThumbLength(100, 21, 200), 10);  // 10.5 -> 10, below 11
}

TEST(TreeFirstResize, SmallControlsGrowAndHeightsSnapToWholeRows)
{
    for (const auto& c : cases::kTreeFirstResize) {
        const FirstResizePlan p = PlanFirstResize(c.w, c.h, 26);
        const bool setW = c.finalW != c.w, setH = c.finalH != c.h;
        EXPECT_EQ(p.setWidth, setW) << c.w << "x" << c.h;
        EXPECT_EQ(p.setHeight, setH) << c.w << "x" << c.h;
        EXPECT_EQ(p.scaleWidth, c.finalW) << c.w << "x" << c.h;
        EXPECT_EQ(p.scaleHeight, c.finalH) << c.w << "x" << c.h;
        EXPECT_EQ(p.pageRows, c.pageRows) << c.w << "x" << c.h;
        if (setW) {
            EXPECT_EQ(p.widthTwips, c.finalW * 15);
        }
        if (setH) {
            EXPECT_EQ(p.heightTwips, c.finalH * 15);
        }
        EXPECT_EQ(p.vPlace.left, c.finalW - 20);
        EXPECT_EQ(p.vPlace.Height(), c.finalH - 24);
        EXPECT_EQ(p.hPlace.top, c.finalH - 20);
        EXPECT_EQ(p.hPlace.Width(), c.finalW - 24);
    }
}
