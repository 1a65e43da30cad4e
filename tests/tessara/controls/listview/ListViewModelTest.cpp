// The list view's layouts, hit test and mouse handling, against fake bars
// that keep the scroll bars' value rules.
#include "ListViewFakes.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace lvtest;

namespace {

struct Fixture {
    FakeSite site;
    ListViewModel model{site};

    // Four 100-pixel columns without icons.
    void FourColumns()
    {
        for (int i = 0; i < 4; ++i)
            model.AddHeaderItem(L"H" + std::to_wstring(i), 100, nullptr, nullptr);
    }
    // Four columns and n items, laid out: both bars from 10 items on.
    void Report(int n)
    {
        FourColumns();
        Items(n);
        model.Relayout();
    }
    // n items with a small icon each (report rows 22 pixels at t = 12).
    void Items(int n, int subItems = 0)
    {
        for (int i = 0; i < n; ++i) {
            model.AddListItem(L"item" + std::to_wstring(i), MakeIcon(16), MakeIcon(20));
            for (int s = 0; s < subItems; ++s)
                model.AddListSubItem(model.ItemCount() - 1, L"sub" + std::to_wstring(s), nullptr);
        }
    }
};

} // namespace

TEST(ListViewMath, ThumbLengthRoundsHalvesToEvenAndHasAFloor)
{
    struct Case {
        std::int64_t track, shown, total;
        std::int32_t expected;
    } cases[] = {
        {260, 279, 404, 180},  // 179.55
        {161, 8, 30, 43},      // 42.93
        {100, 1, 8, 12},       // 12.5 -> 12
        {100, 3, 8, 38},       // 37.5 -> 38
        {100, 11, 100, 11},    // exactly 11 stays
        {100, 10, 100, 10},    // below 11 becomes 10
        {100, 1, 1000, 10},
        {100, 5, 0, 10},       // nothing to scroll: no division by zero
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, ThumbLength(c.track, c.shown, c.total)) << c.track << "*" << c.shown << "/" << c.total;
    EXPECT_EQ(-2, kit::RoundHalfEven(-5, 2));  // -2.5
    EXPECT_EQ(-4, kit::RoundHalfEven(-7, 2));  // -3.5
    EXPECT_EQ(2, kit::RoundHalfEven(5, 2));
}

TEST(ListViewModel, FreshControlHasFocusZeroAndNoHover)
{
    Fixture f;
    EXPECT_EQ(0, f.model.FocusIndex());
    EXPECT_EQ(-1, f.model.HoverHeader());
    EXPECT_EQ(-1, f.model.HoverItem());
    EXPECT_EQ(0, f.model.DisMode());
    EXPECT_FALSE(f.model.IsTextMode());
}

TEST(ListViewModel, EveryAdditionRestartsTheLayoutTimer)
{
    Fixture f;
    f.FourColumns();
    f.Items(3, 2);
    EXPECT_EQ(4 + 3 + 6, f.site.restarts);
    EXPECT_EQ(0, f.site.invalidations) << "additions only schedule the layout";
}

TEST(ListViewModel, FourWideColumnsInANarrowReportShowTheHorizontalBar)
{
    Fixture f;
    f.FourColumns();
    f.model.Relayout();
    // t 12, no icons: hh = rh = 18; d = 200 - 4 - 18 = 178 -> 10 rows,
    // snapped to 18 * 10 + 18 + 4 = 202.
    EXPECT_EQ(10, f.model.PageRows());
    EXPECT_EQ(202, f.site.height);
    EXPECT_TRUE(f.site.hbar.visible);
    EXPECT_FALSE(f.site.vbar.visible);
    EXPECT_EQ(125, f.site.hbar.MaxV());  // 404 - 279
    EXPECT_EQ(180, f.site.hbar.glide);
    EXPECT_EQ((kit::Rect{2, 182, 298, 200}), f.site.hbar.placed);
    EXPECT_EQ(1, f.site.stops);
    EXPECT_EQ(1, f.site.invalidations);
}

TEST(ListViewModel, ReportLayoutBranches)
{
    struct Case {
        const char* label;
        int columns;  // of 100 pixels
        int items;
        bool v, h;
        std::int32_t pageRows, vMax, vGlide;
        kit::Rect vPlace;
    } cases[] = {
        // rh 22, hh 18: d = 178 -> 9 rows, height 22*9 + 22 = 220.
        {"both bars", 4, 30, true, true, 8, 22, 43, {280, 2, 298, 199}},
        {"vertical only", 2, 30, true, false, 9, 21, 54, {280, 2, 298, 218}},
        {"none", 2, 5, false, false, 9, 20, 10, {0, 0, 0, 0}},
        {"horizontal only", 4, 5, false, true, 9, 20, 10, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        Fixture f;
        for (int i = 0; i < c.columns; ++i)
            f.model.AddHeaderItem(L"H", 100, nullptr, nullptr);
        f.Items(c.items);
        f.model.Relayout();
        EXPECT_EQ(c.v, f.site.vbar.visible) << c.label;
        EXPECT_EQ(c.h, f.site.hbar.visible) << c.label;
        EXPECT_EQ(c.pageRows, f.model.PageRows()) << c.label;
        EXPECT_EQ(220, f.site.height) << c.label;
        EXPECT_EQ(c.vMax, f.site.vbar.MaxV()) << c.label;
        EXPECT_EQ(c.vGlide, f.site.vbar.glide) << c.label;
        EXPECT_EQ(c.vPlace, f.site.vbar.placed) << c.label;
    }
}

TEST(ListViewModel, BothBarsPlaceTheHorizontalBarBesideTheVertical)
{
    Fixture f;
    f.Report(30);
    EXPECT_EQ((kit::Rect{2, 200, 279, 218}), f.site.hbar.placed);
    EXPECT_EQ(166, f.site.hbar.glide);  // 241 * 279 / 404 = 166.4
    EXPECT_EQ(125, f.site.hbar.MaxV());
}

TEST(ListViewModel, EmptyReportWithColumnsLaysOutWithoutItems)
{
    Fixture f;
    f.FourColumns();
    ASSERT_FALSE(f.model.IsTextMode());
    f.model.Relayout();
    EXPECT_EQ(18, f.model.RowHeights().row);
    EXPECT_EQ(ListHit{}, f.model.HitTest(50, 100)) << "no item below the header";
    EXPECT_EQ(0, f.model.HitTest(50, 10).header);
}

TEST(ListViewModel, NoColumnsMeansNoReportLayout)
{
    Fixture f;
    f.Items(30);
    f.model.Relayout();
    EXPECT_EQ(200, f.site.height) << "no snap";
    EXPECT_FALSE(f.site.vbar.visible);
    EXPECT_EQ(0, f.site.vbar.moves);
    EXPECT_EQ(ListHit{}, f.model.HitTest(50, 100));
}

TEST(ListViewModel, TextModeIgnoresItemIconsForTheRowHeight)
{
    Fixture f;
    f.FourColumns();
    f.Items(2);
    EXPECT_EQ(22, f.model.RowHeights().row);
    f.model.SetIsTextMode(true);
    EXPECT_EQ(18, f.model.RowHeights().row);
}

TEST(ListViewModel, SmallIconGridIn300Pixels)
{
    Fixture f;
    f.Items(20);
    f.site.height = 104;
    f.model.SetDisMode(kModeSmallIcons);
    EXPECT_EQ(3, f.model.GridColumns());
    EXPECT_EQ(7, f.model.GridRows());
    // rh 22 + 2 per grid row: (104 - 4) / 24 = 4 rows fit.
    EXPECT_EQ(4, f.model.GridVisibleRows());
    EXPECT_TRUE(f.site.vbar.visible);
    EXPECT_EQ(3, f.site.vbar.MaxV());
}

TEST(ListViewModel, GridModes)
{
    struct Case {
        const char* label;
        std::int32_t mode, width, height, items;
        std::int32_t columns, visibleRows, rows;
        bool bar;
        std::int32_t maxV, glide;
    } cases[] = {
        {"mode 1 fits", 1, 300, 200, 20, 3, 8, 7, false, 20, 10},
        {"mode 1 scrolls", 1, 300, 104, 20, 3, 4, 7, true, 3, 26},
        {"mode 2, rh = t + 28 = 40", 2, 300, 200, 20, 4, 4, 5, true, 1, 113},
        {"mode 1 one column", 1, 98, 200, 5, 1, 8, 5, false, 20, 10},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.site.width = c.width;
        f.site.height = c.height;
        f.Items(c.items);
        f.model.SetDisMode(c.mode);
        EXPECT_EQ(c.columns, f.model.GridColumns()) << c.label;
        EXPECT_EQ(c.visibleRows, f.model.GridVisibleRows()) << c.label;
        EXPECT_EQ(c.rows, f.model.GridRows()) << c.label;
        EXPECT_EQ(c.bar, f.site.vbar.visible) << c.label;
        EXPECT_EQ(c.maxV, f.site.vbar.MaxV()) << c.label;
        EXPECT_EQ(c.glide, f.site.vbar.glide) << c.label;
        EXPECT_EQ(c.height, f.site.height) << c.label << ": grids do not snap";
    }
}

TEST(ListViewModel, ListModeSnapsToWholeRows)
{
    Fixture f;
    f.Items(20);
    f.model.SetDisMode(kModeList);
    // rh 22: d = 196 -> 9 rows, height 22 * 9 + 4 = 202.
    EXPECT_EQ(9, f.model.PageRows());
    EXPECT_EQ(202, f.site.height);
    EXPECT_TRUE(f.site.vbar.visible);
    EXPECT_EQ(11, f.site.vbar.MaxV());
    EXPECT_EQ(73, f.site.vbar.glide);  // 162 * 9 / 20 = 72.9
    EXPECT_EQ((kit::Rect{280, 2, 298, 200}), f.site.vbar.placed);
}

TEST(ListViewModel, DisModeResetsFocusHoverAndScrolling)
{
    Fixture f;
    f.Report(30);
    f.site.vbar.SetValue(5);
    f.site.hbar.SetValue(50);
    f.model.ButtonDown(50, 18 + 2 + 22 * 2 + 5);  // item 7
    ASSERT_EQ(7, f.model.FocusIndex());
    f.model.MouseMove(50, 10);
    ASSERT_EQ(0, f.model.HoverHeader());
    f.model.SetDisMode(kModeList);
    EXPECT_EQ(0, f.model.FocusIndex());
    EXPECT_EQ(-1, f.model.HoverHeader());
    EXPECT_EQ(-1, f.model.HoverItem());
    EXPECT_EQ(0, f.site.vbar.Value());
    EXPECT_EQ(0, f.site.hbar.Value());
    EXPECT_FALSE(f.site.hbar.visible);
    EXPECT_TRUE(f.site.vbar.visible) << "the list mode's layout ran at once";
    f.model.SetDisMode(7);
    EXPECT_EQ(7, f.model.DisMode());
    EXPECT_FALSE(f.site.vbar.visible);
    EXPECT_EQ(ListHit{}, f.model.HitTest(50, 50));
}

TEST(ListViewModel, HitTestReport)
{
    Fixture f;
    f.FourColumns();
    f.Items(30);
    f.model.Relayout();  // hh 18, rh 22, height 220, both bars
    f.site.vbar.SetValue(4);
    struct Case {
        const char* label;
        std::int32_t hValue, x, y;
        ListHit expected;
    } cases[] = {
        {"outside the frame (x < 3)", 0, 2, 10, {}},
        {"outside the frame (right)", 0, 298, 10, {}},
        {"outside the frame (y < 3)", 0, 50, 2, {}},
        {"middle of header 0", 0, 50, 10, {0, -1, -1}},
        {"left of the first divider", 0, 95, 10, {0, -1, -1}},
        {"within 7 left of the divider", 0, 96, 10, {0, -1, 0}},
        {"on the edge itself", 0, 102, 10, {-1, -1, 0}},
        {"within 7 right of the divider", 0, 108, 10, {1, -1, 0}},
        {"7 right is no longer the divider", 0, 109, 10, {1, -1, -1}},
        {"scrolled 100 right", 100, 50, 10, {1, -1, -1}},
        {"scrolled, near column 1's right edge", 100, 100, 10, {1, -1, 1}},
        {"last header row", 0, 50, 19, {0, -1, -1}},
        {"first row below the header", 0, 50, 20, {-1, 4, -1}},
        {"third visible row", 0, 250, 20 + 44, {-1, 6, -1}},
    };
    for (const auto& c : cases) {
        f.site.hbar.SetValue(c.hValue);
        const ListHit hit = f.model.HitTest(c.x, c.y);
        EXPECT_EQ(c.expected.header, hit.header) << c.label;
        EXPECT_EQ(c.expected.item, hit.item) << c.label;
        EXPECT_EQ(c.expected.divider, hit.divider) << c.label;
    }
}

TEST(ListViewModel, HitTestReportBeyondTheLastItem)
{
    Fixture f;
    f.FourColumns();
    f.Items(3);
    f.model.Relayout();
    EXPECT_EQ(2, f.model.HitTest(50, 20 + 44).item);
    EXPECT_EQ(-1, f.model.HitTest(50, 20 + 66).item);
}

TEST(ListViewModel, HitTestGridCellsAndGaps)
{
    Fixture f;
    f.Items(20);
    f.site.height = 104;
    f.model.SetDisMode(kModeSmallIcons);  // rh 22, pitch 24, 3 columns of 82
    struct Case {
        const char* label;
        std::int32_t vValue, x, y, item;
    } cases[] = {
        {"first cell", 0, 10, 10, 0},
        {"left gap of a cell (x = 2 + 82)", 0, 84, 10, -1},
        {"just inside the second cell", 0, 85, 10, 1},
        {"last pixel column of the second cell", 0, 163, 10, 1},
        {"row boundary y = 2 + 24", 0, 10, 26, -1},
        {"gap below a row (y = 2 + 22)", 0, 10, 24, -1},
        {"second row", 0, 10, 27, 3},
        {"scrolled 3 rows", 3, 170, 10, 11},
        {"beyond the last item", 3, 170, 27 + 48, -1},
        {"right of the last column", 0, 250, 10, -1},
    };
    for (const auto& c : cases) {
        f.site.vbar.SetValue(c.vValue);
        EXPECT_EQ(c.item, f.model.HitTest(c.x, c.y).item) << c.label;
    }
}

TEST(ListViewModel, HitTestListMode)
{
    Fixture f;
    f.Items(20);
    f.model.SetDisMode(kModeList);
    EXPECT_EQ(0, f.model.HitTest(250, 3).item) << "the whole width hits";
    EXPECT_EQ(1, f.model.HitTest(10, 24).item);
    f.site.vbar.SetValue(11);
    EXPECT_EQ(19, f.model.HitTest(10, 2 + 22 * 8 + 1).item);

    Fixture few;
    few.Items(5);
    few.model.SetDisMode(kModeList);
    EXPECT_EQ(4, few.model.HitTest(10, 2 + 22 * 4 + 1).item);
    EXPECT_EQ(-1, few.model.HitTest(10, 2 + 22 * 5 + 1).item);
}

TEST(ListViewModel, ClicksRaiseEventsAndMoveFocus)
{
    struct Case {
        const char* label;
        std::int32_t mode, x, y;
        std::vector<Event> events;
        std::int32_t focus;
        bool resizing;
    } cases[] = {
        {"header click", 0, 50, 10, {{'H', 0}}, 0, false},
        {"click within 7 pixels of a divider starts a drag", 0, 97, 10, {}, 0, true},
        {"right of the divider also drags", 0, 108, 10, {}, 0, true},
        {"item click in the report", 0, 150, 20 + 22 + 1, {{'I', 1}}, 1, false},
        {"press on the frame", 0, 1, 50, {}, 0, false},
        {"grid cell click", 1, 85 + 82, 27, {{'I', 5}}, 5, false},
        {"grid gap click", 1, 84, 10, {}, 0, false},
        {"list click", 3, 10, 2 + 22 * 2 + 3, {{'I', 2}}, 2, false},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.FourColumns();
        f.Items(6);
        f.site.height = 104;
        f.model.SetDisMode(c.mode);
        const int before = f.site.invalidations;
        f.model.ButtonDown(c.x, c.y);
        EXPECT_EQ(c.events, f.site.events) << c.label;
        EXPECT_EQ(c.focus, f.model.FocusIndex()) << c.label;
        EXPECT_EQ(c.resizing, f.model.Resizing()) << c.label;
        EXPECT_EQ(before + 1, f.site.invalidations) << c.label << ": every press repaints";
    }
}

TEST(ListViewModel, ColumnDragKeeps20PixelsAndPullsTheScrollBack)
{
    struct Case {
        const char* label;
        std::int32_t hValue, delta;  // mouse travel from the press
        std::int32_t width, hValueAfter, hMaxAfter;
    } cases[] = {
        {"widen", 0, 50, 150, 0, 175},
        {"narrow, not scrolled", 0, -40, 60, 0, 85},
        {"narrow while scrolled: pulled back by the shrinkage", 100, -40, 60, 60, 85},
        {"never below 20; pull-back stops at 0", 30, -400, 20, 0, 45},
        {"scrolled to the end", 125, -80, 20, 45, 45},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.Report(5);
        ASSERT_TRUE(f.site.hbar.visible) << c.label;
        f.site.hbar.SetValue(c.hValue);
        // Column 1's right edge lies at 2 - h + 200; press 2 pixels left of it.
        const std::int32_t pressX = 2 - c.hValue + 200 - 2;
        f.model.ButtonDown(pressX, 10);
        ASSERT_TRUE(f.model.Resizing()) << c.label;
        EXPECT_EQ(1, f.model.DragColumn()) << c.label;
        EXPECT_TRUE(f.site.events.empty()) << c.label << ": no HeaderClick";
        const int stops = f.site.stops;
        f.model.MouseMove(pressX + c.delta, 10);
        EXPECT_EQ(c.width, f.model.Store().Header(1).width) << c.label;
        EXPECT_EQ(c.hValueAfter, f.site.hbar.Value()) << c.label;
        EXPECT_EQ(c.hMaxAfter, f.site.hbar.MaxV()) << c.label;
        EXPECT_EQ(stops + 1, f.site.stops) << c.label << ": the drag lays out at once";
        EXPECT_EQ(ListCursor::SizeWE, f.site.cursor) << c.label;
        f.model.ButtonUp();
        EXPECT_FALSE(f.model.Resizing()) << c.label;
    }
}

TEST(ListViewModel, MouseMoveSetsCursorAndHover)
{
    Fixture f;
    f.Report(5);
    int inv = f.site.invalidations;
    f.model.MouseMove(98, 10);  // near the first divider
    EXPECT_EQ(ListCursor::SizeWE, f.site.cursor);
    EXPECT_EQ(0, f.model.HoverHeader());
    EXPECT_EQ(inv + 1, f.site.invalidations);
    f.model.MouseMove(60, 10);  // same header: no repaint
    EXPECT_EQ(ListCursor::Default, f.site.cursor);
    EXPECT_EQ(inv + 1, f.site.invalidations);
    f.model.MouseMove(60, 20 + 22 * 2);
    EXPECT_EQ(-1, f.model.HoverHeader());
    EXPECT_EQ(2, f.model.HoverItem());
    EXPECT_EQ(inv + 2, f.site.invalidations);
    f.model.MouseLeave();
    EXPECT_EQ(-1, f.model.HoverItem());
    EXPECT_EQ(inv + 3, f.site.invalidations);
    // A press on a divider, then the mouse leaves: the drag ends.
    f.model.ButtonDown(98, 10);
    ASSERT_TRUE(f.model.Resizing());
    f.model.MouseLeave();
    EXPECT_FALSE(f.model.Resizing());
}

TEST(ListViewModel, MouseMoveInGridOnlyTracksTheItem)
{
    Fixture f;
    f.Items(6);
    f.model.SetDisMode(kModeSmallIcons);
    const int sets = f.site.cursorSets;
    const int inv = f.site.invalidations;
    f.model.MouseMove(85, 10);
    EXPECT_EQ(1, f.model.HoverItem());
    EXPECT_EQ(-1, f.model.HoverHeader());
    EXPECT_EQ(sets, f.site.cursorSets);
    EXPECT_EQ(inv + 1, f.site.invalidations);
    f.model.MouseMove(86, 11);
    EXPECT_EQ(inv + 1, f.site.invalidations);
}

TEST(ListViewModel, NegativeXFromA16BitWordIsUnwrapped)
{
    Fixture f;
    f.Report(5);
    f.model.ButtonDown(100, 10);  // divider 0, width 100, start x 100
    f.model.MouseMove(65536 - 10, 10);  // x = -10
    EXPECT_EQ(20, f.model.Store().Header(0).width);
    f.model.ButtonUp();
    f.model.ButtonDown(20 + 2, 10);  // column 0 now ends at 22
    f.model.MouseMove(60000, 10);     // read as it is: far right
    EXPECT_EQ(20 + 60000 - 22, f.model.Store().Header(0).width);
}

TEST(ListViewModel, WheelScrollsThreeRowsWithinRange)
{
    Fixture f;
    f.FourColumns();
    f.Items(30);
    f.model.Relayout();  // vMax 22
    f.model.Wheel(-120);
    EXPECT_EQ(3, f.site.vbar.Value());
    f.site.vbar.SetValue(21);
    f.model.Wheel(-120);
    EXPECT_EQ(22, f.site.vbar.Value());
    f.site.vbar.SetValue(2);
    f.model.Wheel(120);
    EXPECT_EQ(0, f.site.vbar.Value());
    f.site.vbar.visible = false;
    f.site.vbar.SetValue(5);
    f.model.Wheel(-120);
    EXPECT_EQ(5, f.site.vbar.Value()) << "a hidden bar ignores the wheel";
}

TEST(ListViewModel, RemovingTheLastItemEmptiesAndSchedulesALayout)
{
    Fixture f;
    f.FourColumns();
    f.Items(1);
    const int restarts = f.site.restarts;
    f.model.RemoveListItem(0);
    EXPECT_EQ(0, f.model.ItemCount());
    EXPECT_EQ(1, f.site.starts);
    EXPECT_EQ(restarts, f.site.restarts) << "started, not restarted";
    f.model.RemoveListItem(0);  // nothing left: no effect
    EXPECT_EQ(1, f.site.starts);
}

TEST(ListViewModel, RemovingWhileScrolledMovesTheViewUpOneRow)
{
    Fixture f;
    f.FourColumns();
    f.Items(30);
    f.model.Relayout();  // vMax 22
    struct Step {
        const char* label;
        std::int32_t remove;
        std::int32_t valueAfter, maxAfter;
    } steps[] = {
        {"from the bottom", 29, 21, 21},
        {"again", 0, 20, 20},
    };
    f.site.vbar.SetValue(22);
    for (const auto& s : steps) {
        f.model.RemoveListItem(s.remove);
        EXPECT_EQ(-1, f.model.PendingVScroll()) << s.label;
        f.model.Relayout();
        EXPECT_EQ(s.valueAfter, f.site.vbar.Value()) << s.label;
        EXPECT_EQ(s.maxAfter, f.site.vbar.MaxV()) << s.label;
        EXPECT_EQ(0, f.model.PendingVScroll()) << s.label;
    }
    // Two removals in one burst move two rows; at the top nothing moves.
    f.model.RemoveListItem(0);
    f.model.RemoveListItem(0);
    EXPECT_EQ(-2, f.model.PendingVScroll());
    f.model.Relayout();
    EXPECT_EQ(18, f.site.vbar.Value());
    f.site.vbar.SetValue(0);
    f.model.RemoveListItem(0);
    EXPECT_EQ(0, f.model.PendingVScroll()) << "never past the top";
    EXPECT_EQ(0, f.model.FocusIndex()) << "focus is not changed by removals";
}

TEST(ListViewModel, RemovalOutsideTheRangeIsIgnored)
{
    Fixture f;
    f.Items(3);
    const int restarts = f.site.restarts;
    f.model.RemoveListItem(3);
    f.model.RemoveListItem(-1);
    EXPECT_EQ(3, f.model.ItemCount());
    EXPECT_EQ(restarts, f.site.restarts);
}

TEST(ListViewModel, ClearEmptiesHidesAndRepaints)
{
    Fixture f;
    f.Report(30);
    f.site.vbar.SetValue(4);
    f.site.hbar.SetValue(40);
    f.model.MouseMove(60, 30);
    f.model.ButtonDown(60, 30);
    const int inv = f.site.invalidations;
    f.model.Clear();
    EXPECT_EQ(0, f.model.HeaderCount());
    EXPECT_EQ(0, f.model.ItemCount());
    EXPECT_FALSE(f.site.vbar.visible);
    EXPECT_FALSE(f.site.hbar.visible);
    EXPECT_EQ(0, f.site.vbar.Value());
    EXPECT_EQ(0, f.site.hbar.Value());
    EXPECT_EQ(0, f.model.FocusIndex());
    EXPECT_EQ(-1, f.model.HoverItem());
    EXPECT_EQ(inv + 1, f.site.invalidations);
}

TEST(ListViewModel, TextGetters)
{
    Fixture f;
    f.FourColumns();
    f.Items(2, 1);
    EXPECT_EQ(L"H2", f.model.HeaderItem(2));
    EXPECT_EQ(L"item1", f.model.ListItem(1));
    EXPECT_EQ(L"sub0", f.model.SubItem(1, 0));
    EXPECT_THROW(f.model.HeaderItem(4), std::out_of_range);
    EXPECT_THROW(f.model.ListItem(2), std::out_of_range);
    EXPECT_THROW(f.model.SubItem(2, 0), std::out_of_range);
    EXPECT_THROW(f.model.SubItem(0, 1), std::out_of_range);
    EXPECT_THROW(f.model.AddListSubItem(2, L"x", nullptr), std::out_of_range);
    for (std::int32_t mode : {1, 2, 3, 9}) {
        f.model.SetDisMode(mode);
        EXPECT_EQ(L"", f.model.SubItem(1, 0)) << "mode " << mode;
        EXPECT_EQ(L"", f.model.SubItem(7, 7)) << "mode " << mode;
    }
}
