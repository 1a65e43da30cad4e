// Caption text, access keys and the caption/picture layout of the button.
#include "korvel/button/ButtonLayout.h"

#include <gtest/gtest.h>

using namespace kx;

TEST(AccessKey, LastSingleAmpersandMarksTheKey)
{
    struct Case {
        const wchar_t* caption;
        std::optional<wchar_t> key;
    } cases[] = {
        {L"E&xit && more", L'x'},  // the later "&&" is a literal ampersand
        {L"A&&B", std::nullopt},
        {L"&a&b", L'b'},
        {L"&&&c", L'c'},
        {L"abc&", std::nullopt},  // nothing after the marker
        {L"plain", std::nullopt},
        {L"确定(&O)", L'O'},
    };
    for (auto& c : cases)
        EXPECT_EQ(AccessKeyOf(c.caption), c.key) << std::wstring(c.caption).size();
}

TEST(CaptionText, DoublePipeBreaksTheLine)
{
    EXPECT_EQ(CaptionDisplayText(L"One||Two"), L"One\r\nTwo");
    EXPECT_EQ(CaptionDisplayText(L"a|b|||c"), L"a|b\r\n|c");
}

namespace {

// A measurer that records what it was asked and answers a fixed size.
struct FixedMeasure {
    FixedMeasure(int w, int h) : width(w), height(h) {}
    int width, height;
    std::wstring text;
    int boxW = -1, boxH = -1;
    MeasureText fn()
    {
        return [this](const std::wstring& t, int bw, int bh) {
            text = t;
            boxW = bw;
            boxH = bh;
            return Size{width, height};
        };
    }
};

LayoutInput Rectangle(int w, int h, const wchar_t* caption)
{
    LayoutInput in;
    in.width = w;
    in.height = h;
    in.leftRun = 0;
    in.rightEdge = w;
    in.caption = caption;
    return in;
}

}  // namespace

TEST(Layout, CentredCaptionWithoutPicture)
{
    FixedMeasure m{30, 12};
    Layout l = LayOut(Rectangle(100, 30, L"One||Two"), m.fn());
    EXPECT_EQ(m.text, L"One\r\nTwo");  // measured already broken
    EXPECT_EQ(m.boxW, 92);
    EXPECT_EQ(m.boxH, 22);
    EXPECT_EQ(l.caption, (Rect{35, 9, 65, 21}));
}

TEST(Layout, LeftCaptionAfterSixteenPixelLeftPicture)
{
    FixedMeasure m{20, 12};
    LayoutInput in = Rectangle(100, 30, L"Hi");
    in.captionAlign = 0;
    in.hasPicture = true;
    in.pictureEdge = 16;
    in.pictureAlign = 0;
    Layout l = LayOut(in, m.fn());
    EXPECT_EQ(m.boxW, 100 - 16 - 8);
    EXPECT_EQ(l.caption.left, 24);  // 4 margin, 16 picture, 4 gap
    EXPECT_EQ(l.picture, (Rect{4, 7, 20, 23}));
}

TEST(Layout, PictureBesideCentredCaption)
{
    FixedMeasure m{20, 12};
    LayoutInput in = Rectangle(100, 30, L"Hi");
    in.hasPicture = true;
    in.pictureEdge = 16;
    in.pictureAlign = 1;  // just left of the caption
    Layout l = LayOut(in, m.fn());
    // 16 + (100 - 20 - 16 - 4) / 2 + 0 + 4 = 50
    EXPECT_EQ(l.caption.left, 50);
    EXPECT_EQ(l.picture.left, 50 - 16 - 4);

    in.pictureAlign = 3;  // just right of the caption
    l = LayOut(in, m.fn());
    EXPECT_EQ(l.caption.left, (100 - 20 - 16 - 4) / 2);
    EXPECT_EQ(l.picture.left, l.caption.right + 4);

    in.pictureAlign = 2;
    in.captionAlign = 1;
    l = LayOut(in, m.fn());
    EXPECT_EQ(l.picture.left, 100 - 16 - 4);
    EXPECT_EQ(l.caption.left, 100 - 20 - 16 - 4 - 4);
}

TEST(Layout, PictureAboveAndBelowTheCaption)
{
    FixedMeasure m{20, 12};
    LayoutInput in = Rectangle(100, 60, L"Hi");
    in.hasPicture = true;
    in.pictureEdge = 16;
    in.pictureAlign = 4;
    Layout l = LayOut(in, m.fn());
    EXPECT_EQ(m.boxH, 60 - 8 - 16);
    // c = 60 - (12 + 16) = 32
    EXPECT_EQ(l.picture, (Rect{42, 16, 58, 32}));
    EXPECT_EQ(l.caption.top, 16 + 16 + 2);

    in.pictureAlign = 5;
    l = LayOut(in, m.fn());
    EXPECT_EQ(l.picture.top, 16 + 12 + 4);
    EXPECT_EQ(l.caption.top, 16 + 2);
}

TEST(Layout, CaptionIsClampedToTheFace)
{
    FixedMeasure m{200, 40};
    Layout l = LayOut(Rectangle(100, 30, L"Much too long"), m.fn());
    EXPECT_EQ(l.caption, (Rect{4, 4, 96, 25}));
}

TEST(Layout, EmbossedCaptionNeedsTwoMorePixels)
{
    FixedMeasure m{20, 12};
    LayoutInput in = Rectangle(100, 30, L"Hi");
    in.captionStyle = 2;
    Layout l = LayOut(in, m.fn());
    EXPECT_EQ(l.caption.Width(), 22);
    EXPECT_EQ(l.caption.Height(), 14);
}

TEST(Layout, LargePictures)
{
    FixedMeasure m{0, 0};
    LayoutInput in = Rectangle(100, 60, L"");
    in.hasPicture = true;
    in.pictureWidth = 100;
    in.pictureHeight = 50;
    in.pictureEdge = 48;  // fitted into 88 x 48 keeping proportions
    EXPECT_EQ(LayOut(in, m.fn()).picture, (Rect{6, 8, 94, 52}));
    in.pictureEdge = 40;  // stretched over the face inset by 3
    EXPECT_EQ(LayOut(in, m.fn()).picture, (Rect{3, 3, 97, 57}));
    in.shape = 6;
    EXPECT_EQ(LayOut(in, m.fn()).picture, (Rect{1, 1, 99, 59}));
    in.shape = 7;
    EXPECT_EQ(LayOut(in, m.fn()).picture, (Rect{0, 0, 100, 60}));
}

TEST(Layout, FaceLimitsOfTheShapes)
{
    struct Case {
        int shape;
        FaceLimits want;
    } cases[] = {
        {0, {0, 60, 60}}, {1, {19, 60, 41}}, {2, {0, 44, 44}}, {3, {19, 44, 25}}, {7, {3, 33, 33}},
    };
    for (auto& c : cases) {
        Edges e = ShapeEdges(c.shape, 60, 23);
        if (c.shape == 7)
            e.rightEdge = 36;
        FaceLimits f = FaceLimitsFor(c.shape, 60, e.leftRun, e.rightEdge);
        EXPECT_EQ(f.lx, c.want.lx) << "shape " << c.shape;
        EXPECT_EQ(f.rx, c.want.rx) << "shape " << c.shape;
        EXPECT_EQ(f.wx, c.want.wx) << "shape " << c.shape;
    }
}

TEST(PictureSize, IndexAndEdgeRoundTrip)
{
    const int edges[] = {16, 24, 32, 40, 48};
    for (int i = 0; i <= 4; ++i) {
        EXPECT_EQ(EdgeOfPictureSize(i), edges[i]);
        EXPECT_EQ(PictureSizeOfEdge(EdgeOfPictureSize(i)), i);
    }
}
