// Row geometry, the paint's row visits against the full walk, and the hit
// test of the tree view.
#include "TreeReference.h"
#include "tessara/controls/tree/TreeRows.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace tessara;

namespace {

std::int32_t CharWidth7(const std::wstring& s) { return 7 * static_cast<std::int32_t>(s.size()); }

std::string Show(const std::vector<PaintRowCall>& calls)
{
    std::ostringstream o;
    for (const auto& c : calls)
        o << "{slot " << c.slot << " x " << c.x << " y " << c.y << " next " << c.next << " top " << c.lineTop << "}\n";
    return o.str();
}

std::vector<PaintRowCall> Optimised(TreeStore& st, const PaintView& v)
{
    std::vector<PaintRowCall> out;
    WalkPaintRows(st, v, [&](const PaintRowCall& c) { out.push_back(c); });
    return out;
}

} // namespace

TEST(TreeRowGeometry, OffsetsRoundHalvesToEven)
{
    struct Case {
        std::int32_t h, box, icon, mid, iconBottom;
    } cases[] = {
        {21, 5, 2, 10, 19},   // (10)/2, 4/2, 21/2, 38/2
        {20, 4, 2, 10, 18},   // 4.5 -> 4, 1.5 -> 2, 10, 18.5 -> 18
        {18, 4, 0, 9, 18},    // 3.5 -> 4, 0.5 -> 0, 9, 17.5 -> 18
        {12, 0, -2, 6, 14},   // 0.5 -> 0, -2.5 -> -2, 6, 14.5 -> 14
        {13, 1, -2, 6, 15},
    };
    for (const auto& c : cases) {
        const RowGeometry g = RowGeometry::ForItemHeight(c.h);
        EXPECT_EQ(g.rowPitch, c.h + 5) << c.h;
        EXPECT_EQ(g.boxTop, c.box) << c.h;
        EXPECT_EQ(g.iconTop, c.icon) << c.h;
        EXPECT_EQ(g.mid, c.mid) << c.h;
        EXPECT_EQ(g.iconBottom, c.iconBottom) << c.h;
    }
}

TEST(TreePaintWalk, FoldedRootPaintsOneRow)
{
    TreeStore st;
    st.AddItem(-1, L"root");
    st.AddItem(0, L"a");
    PaintView v;
    v.geo = RowGeometry::ForItemHeight(21);
    v.height = 264;
    v.limit = 262;
    const auto calls = Optimised(st, v);
    ASSERT_EQ(calls.size(), 1u) << Show(calls);
    EXPECT_EQ(calls[0], (PaintRowCall{0, 2, 2, 0, 0}));
}

TEST(TreePaintWalk, FarNextSiblingStillGetsItsConnectorFromAbove)
{
    // a has 40 visible rows below it; scrolled to row 20 the view shows a's
    // descendants, and a's connector to b (row 42) comes from above.
    TreeStore st;
    st.AddItem(-1, L"root");
    std::int32_t a = -1, b = -1;
    st.AddItem(0, L"a", &a);
    st.AddItem(0, L"b", &b);
    for (int k = 0; k < 40; ++k)
        st.AddItem(a, L"c" + std::to_wstring(k));
    st.Spread(0, true);
    st.Spread(a, true);
    PaintView v;
    v.geo = RowGeometry::ForItemHeight(21);
    v.firstRow = 20;
    v.height = 10 * 26 + 4;
    v.limit = v.height - 2;
    const auto calls = Optimised(st, v);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].slot, a);
    EXPECT_EQ(calls[0].next, b);
    EXPECT_EQ(calls[0].y, 2 + (1 - 20) * 26);  // a is row 1
    // Then the ten rows in view, the first being row 20 (c18), its connector
    // from the row above.
    ASSERT_EQ(calls.size(), 12u) << Show(calls);  // above, prev sibling c17, 10 rows
    EXPECT_EQ(calls[1].slot, st.Children(a)[17]);
    EXPECT_EQ(calls[2].slot, st.Children(a)[18]);
    EXPECT_EQ(calls[2].y, 2);
    EXPECT_EQ(calls.back().y, 2 + 9 * 26);
}

struct WalkCase {
    const char* name;
    int nodes;
    bool phantoms;
    std::int32_t itemHeight;
    std::int32_t pageRows;
    bool hBar;
    bool snapped;  // height a whole number of rows (else the walk never meets its limit)
};

void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.name; }

class TreePaintWalkRandom : public ::testing::TestWithParam<WalkCase> {};

TEST_P(TreePaintWalkRandom, VisitsWhatTheFullWalkPaintsInTheView)
{
    const WalkCase& wc = GetParam();
    for (unsigned seed = 1; seed <= 8; ++seed) {
        std::mt19937 rng(seed * 7919u + static_cast<unsigned>(wc.nodes));
        TreeStore st;
        st.SetMeasure(CharWidth7);
        treeref::BuildRandom(st, st, rng, wc.nodes, wc.phantoms);
        PaintView v;
        v.geo = RowGeometry::ForItemHeight(wc.itemHeight);
        v.height = v.geo.rowPitch * wc.pageRows + 4 + (wc.snapped ? 0 : 7);
        v.limit = wc.hBar ? v.height - 2 - v.geo.rowPitch : v.height - 2;
        v.x0 = 2 - std::uniform_int_distribution<int>(0, 30)(rng);
        const std::int32_t total = st.TotalRows();
        for (std::int32_t a = 0; a <= total + 2; a += 1 + a / 7) {
            v.firstRow = a;
            const auto full = treeref::PaintWalk(st, v);
            const auto want = treeref::Effective(st, v, full);
            const auto got = Optimised(st, v);
            ASSERT_EQ(got, want) << wc.name << " seed " << seed << " first row " << a << "\nwant:\n"
                                 << Show(want) << "got:\n"
                                 << Show(got);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Trees, TreePaintWalkRandom,
                         ::testing::Values(WalkCase{"small", 30, false, 21, 10, false, true},
                                           WalkCase{"deep", 300, false, 21, 10, true, true},
                                           WalkCase{"phantoms", 300, true, 21, 10, false, true},
                                           WalkCase{"phantoms-hbar", 200, true, 16, 7, true, true},
                                           WalkCase{"unsnapped", 200, false, 21, 8, false, false},
                                           WalkCase{"unsnapped-phantoms", 200, true, 12, 5, true, false}),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (auto& ch : n)
                                 if (ch == '-')
                                     ch = '_';
                             return n;
                         });

TEST(TreeHitTest, RowsGapsExtentsAndTheBoxZone)
{
    TreeStore st;
    st.SetMeasure(CharWidth7);
    st.AddItem(-1, L"root");  // tw 28
    std::int32_t a = -1;
    st.AddItem(0, L"ab", &a);  // tw 14, level 1
    st.Spread(0, true);
    HitView v;
    v.geo = RowGeometry::ForItemHeight(21);
    v.scaleWidth = 140;
    v.scaleHeight = 186;
    v.totalRows = 2;
    struct Case {
        const char* what;
        std::int32_t x, y, slot;
        bool glyph;
    } cases[] = {
        {"root label", 50, 10, 0, false},
        {"root box zone", 5, 10, 0, true},
        {"root row left edge", 2, 10, -1, false},     // x must exceed 2
        {"right of root extent", 80, 10, -1, false},  // 2 + 28 + 50 = 80
        {"last pixel of root extent", 79, 10, 0, false},
        {"top of row 0 is outside", 20, 2, -1, false},
        {"bottom of row 0 (y = 23) is the gap", 20, 23, -1, false},
        {"gap between rows", 20, 26, -1, false},
        {"first pixel of row 1", 40, 29, a, false},
        {"row 1 left of its box", 26, 35, -1, false},  // nx = 26
        {"row 1 box zone", 30, 35, a, true},
        {"row 1 past extent", 26 + 14 + 50, 35, -1, false},
        {"row beyond the rows", 40, 60, -1, false},
        {"right strip", 120, 10, -1, false},  // x must be below 140 - 21
    };
    for (const auto& c : cases) {
        const HitResult r = HitTestRows(st, v, c.x, c.y);
        EXPECT_EQ(r.slot, c.slot) << c.what;
        EXPECT_EQ(r.glyph, c.glyph) << c.what;
    }
    // A folded root shows only row 0.
    st.Spread(0, false);
    EXPECT_EQ(HitTestRows(st, v, 40, 35).slot, -1);
    // With the horizontal bar the last row's band is out.
    st.Spread(0, true);
    v.hBarVisible = true;
    v.scaleHeight = 2 * 26 + 4 + 26;
    EXPECT_EQ(HitTestRows(st, v, 40, 35).slot, a);
    v.scaleHeight = 2 * 26 + 4;
    EXPECT_EQ(HitTestRows(st, v, 40, 35).slot, -1);
}

TEST(TreeHitTest, ScrolledRowsComeFromTheWalk)
{
    TreeStore st;
    st.SetMeasure(CharWidth7);
    st.AddItem(-1, L"root");
    std::vector<std::int32_t> kids;
    for (int k = 0; k < 30; ++k) {
        std::int32_t s;
        st.AddItem(0, L"k" + std::to_wstring(k), &s);
        kids.push_back(s);
    }
    st.Spread(0, true);
    HitView v;
    v.geo = RowGeometry::ForItemHeight(21);
    v.scaleWidth = 200;
    v.scaleHeight = 264;
    v.totalRows = 31;
    v.firstRow = 12;
    EXPECT_EQ(HitTestRows(st, v, 60, 10).slot, kids[11]);
    EXPECT_EQ(HitTestRows(st, v, 60, 10 + 26 * 3).slot, kids[14]);
}
