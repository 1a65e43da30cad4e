// Diagonal cuts, outlines, bevel points and picture runs of the button.
#include "korvel/button/ButtonGeometry.h"

#include <gtest/gtest.h>

using namespace kx;

TEST(DiagonalShapes, NarrowButtonIsWidenedInStepsOfFive)
{
    // 23 high: the cut is 24 wide and the straight part must reach 5.
    EXPECT_EQ(DiagonalRun(23), 24);
    EXPECT_EQ(WidenedWidth(3, 28, 23), 33);
    EXPECT_EQ(WidenedWidth(1, 29, 23), 29);
    EXPECT_EQ(WidenedWidth(2, 10, 23), 30);
    EXPECT_EQ(WidenedWidth(0, 10, 23), 10);  // only diagonal shapes widen
    EXPECT_EQ(WidenedWidth(5, 10, 23), 10);
}

TEST(DiagonalShapes, LeftRunAndRightEdge)
{
    struct Case {
        int shape;
        Edges expected;
    } cases[] = {{0, {0, 60}}, {1, {24, 60}}, {2, {0, 36}}, {3, {24, 36}}, {4, {0, 60}}, {7, {0, 60}}};
    for (auto& c : cases) {
        Edges e = ShapeEdges(c.shape, 60, 23);
        EXPECT_EQ(e.leftRun, c.expected.leftRun) << "shape " << c.shape;
        EXPECT_EQ(e.rightEdge, c.expected.rightEdge) << "shape " << c.shape;
    }
}

TEST(Outline, DiagonalPolygonsAndStraightSideCorners)
{
    ShapeOutline s3 = OutlineFor(3, 0, true, 60, 23);
    std::vector<Point> want3 = {{0, 0}, {24, 24}, {61, 24}, {37, 0}};
    EXPECT_EQ(s3.polygon, want3);
    EXPECT_TRUE(s3.cutPieces.empty());

    // Shape 1 keeps style 1's corner pixels on its straight right side only.
    ShapeOutline s1 = OutlineFor(1, 1, true, 60, 23);
    ASSERT_EQ(s1.cutPieces.size(), 2u);
    EXPECT_EQ(s1.cutPieces[0][0], (Point{59, 0}));
    EXPECT_EQ(s1.cutPieces[1][0], (Point{59, 22}));

    // Shape 2 keeps its left corners.
    ShapeOutline s2 = OutlineFor(2, 7, true, 60, 23);
    ASSERT_EQ(s2.cutPieces.size(), 2u);
    EXPECT_EQ(s2.cutPieces[0], (std::vector<Point>{{0, 0}, {2, 0}, {0, 2}}));
}

TEST(Outline, RectangleCornersByStyle)
{
    EXPECT_TRUE(OutlineFor(0, 0, true, 50, 20).cutPieces.empty());
    EXPECT_EQ(OutlineFor(0, 1, true, 50, 20).cutPieces.size(), 4u);
    EXPECT_EQ(OutlineFor(0, 2, true, 50, 20).cutPieces.size(), 4u);
    // Style 3 cuts two corners only while enabled.
    ShapeOutline s3 = OutlineFor(0, 3, true, 50, 20);
    ASSERT_EQ(s3.cutPieces.size(), 2u);
    EXPECT_EQ(s3.cutPieces[0][0], (Point{0, 19}));
    EXPECT_EQ(s3.cutPieces[1][0], (Point{49, 0}));
    EXPECT_TRUE(OutlineFor(0, 3, false, 50, 20).cutPieces.empty());
}

TEST(Bevel, RectangleOutlinesAtTwoOneAndZeroPixels)
{
    BevelOutlines b = BevelPoints(0, 40, 20, 0, 40);
    const Point inner[5] = {{2, 17}, {2, 2}, {37, 2}, {37, 17}, {1, 17}};
    const Point middle[5] = {{1, 18}, {1, 1}, {38, 1}, {38, 18}, {0, 18}};
    const Point outer[5] = {{0, 19}, {0, 0}, {39, 0}, {39, 19}, {-1, 19}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(b.inner[i], inner[i]) << "inner " << i;
        EXPECT_EQ(b.middle[i], middle[i]) << "middle " << i;
        EXPECT_EQ(b.outer[i], outer[i]) << "outer " << i;
    }
}

TEST(Bevel, BothCutsFollowTheDiagonals)
{
    // W 60, H 23: LeftRun 24, RightEdge 36.
    BevelOutlines b = BevelPoints(3, 60, 23, 24, 36);
    EXPECT_EQ(b.inner[0], (Point{22, 20}));
    EXPECT_EQ(b.inner[1], (Point{4, 2}));
    EXPECT_EQ(b.inner[2], (Point{36, 2}));
    EXPECT_EQ(b.inner[3], (Point{54, 20}));
    EXPECT_EQ(b.middle[0], (Point{22, 21}));
    EXPECT_EQ(b.middle[1], (Point{2, 1}));
    EXPECT_EQ(b.outer[0], (Point{23, 23}));
    EXPECT_EQ(b.outer[2], (Point{36, 0}));
    EXPECT_EQ(b.outer[3], (Point{59, 23}));
    EXPECT_EQ(b.outer[4], (Point{21, 22}));
}

TEST(PictureRuns, NearColoursJoinTheTransparentColour)
{
    const std::uint32_t M = 0xFF00FF, X = 0x00FF00;
    // 4 x 2: a pixel within 3 of magenta counts as magenta; one 4 away does not.
    std::vector<std::uint32_t> px = {M, 0xFD02FC, X, M,  //
                                     X, M, 0xFB00FF, X};
    NormaliseTransparent(px, 4, 2);
    EXPECT_EQ(px[1], M);
    EXPECT_EQ(px[6], 0xFB00FFu);
    auto runs = TransparentRuns(px, 4, 2);
    std::vector<kx::Run> want = {{0, 0, 2}, {0, 3, 4}, {1, 1, 2}};
    EXPECT_EQ(runs, want);
}

TEST(PictureRuns, FitKeepsProportions)
{
    EXPECT_EQ(FitInto(100, 50, 40, 40), (Size{40, 20}));
    EXPECT_EQ(FitInto(20, 60, 40, 30), (Size{10, 30}));
    EXPECT_EQ(FitInto(0, 0, 40, 30), (Size{40, 30}));
}
