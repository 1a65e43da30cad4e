// Seeded random drivers over the window-free routines that take texts,
// sizes and indexes from callers: the settings-value conversion, scroll
// arithmetic, list, grouped-list, tab and tree layouts, and rounded
// division. Every result is checked against a property it must keep,
// worked out from the rules the routine follows rather than from the
// routine. Built natively under AddressSanitizer and UBSan (any overflow or
// stray access stops the run) and under Wine. Each case prints its seed;
// set RELIABILITY_FUZZ_SEED and RELIABILITY_FUZZ_ROUNDS to replay or to run
// longer.
#include "DecimalOracle.h"

#include "korvel/LaunchLogic.h"
#include "tessara/controls/grouplist/GroupListModel.h"
#include "tessara/controls/list/ListModel.h"
#include "tessara/controls/listview/ListViewModel.h"
#include "tessara/controls/scroll/ScrollModel.h"
#include "tessara/controls/tab/TabLayout.h"
#include "tessara/controls/tree/TreeLayout.h"
#include "tessara/controls/tree/TreeStore.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>

namespace {

unsigned EnvOr(const char* name, unsigned fallback)
{
    const char* v = std::getenv(name);
    return v && *v ? static_cast<unsigned>(std::strtoul(v, nullptr, 10)) : fallback;
}

const unsigned kSeed = EnvOr("RELIABILITY_FUZZ_SEED", 77031u);
const int kRounds = static_cast<int>(EnvOr("RELIABILITY_FUZZ_ROUNDS", 20000u));

// Numbers that find edges: zeros, ones, negatives, 16- and 32-bit limits.
std::int32_t Edgy(std::mt19937& r)
{
    static const std::int32_t edges[] = {0, 1, -1, 2, 17, 18, 19, 20, 100, -100, 32767, 32768, -32768,
                                         65535, 65536, 1 << 24, INT32_MAX, INT32_MIN, INT32_MAX - 1, INT32_MIN + 1};
    switch (r() % 4) {
    case 0: return edges[r() % (sizeof(edges) / sizeof(edges[0]))];
    case 1: return static_cast<std::int32_t>(r());
    default: return static_cast<std::int32_t>(r() % 600) - 50;
    }
}

// A size or mouse position as a window may report it: mostly ordinary,
// sometimes at the ends of the 16-bit range the messages carry.
int Size(std::mt19937& r)
{
    static const int edges[] = {0, -1, 1, -32768, 32767, -200, 1000};
    if (r() % 8 == 0)
        return edges[r() % 7];
    return (r() % 8 == 0) ? static_cast<int>(r() % 65536) - 32768 : static_cast<int>(r() % 800);
}

// Nearest integer of num / den (den > 0), halves to the even neighbour,
// by comparing twice the remainder with the divisor.
std::int64_t NearestQuotient(std::int64_t num, std::int64_t den)
{
    std::int64_t q = num / den, rem = num % den;
    if (rem < 0) {
        --q;
        rem += den;
    }
    if (2 * rem > den || (2 * rem == den && q % 2 != 0))
        ++q;
    return q;
}

struct FuzzScrollSink : tessara::ScrollPlatform {
    void Changed() override {}
    void Repaint() override {}
    void RepeatTimer(bool) override {}
};

// ---- settings values ------------------------------------------------------

TEST(LogicFuzz, SettingsValueConversionKeepsItsFixedCases)
{
    struct Case {
        const char* text;
        bool accepted;
        std::int32_t value;
    };
    static const Case cases[] = {
        {"0", true, 0},
        {"  12\t", true, 12},
        {"+7", true, 7},
        {"-0", true, 0},
        {"000000000000000000042", true, 42},
        {"2147483647", true, INT32_MAX},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999999", false, 0},
        {"1 2", false, 0},
        {"- 1", false, 0},
        {"+", false, 0},
        {"--1", false, 0},
        {"", false, 0},
        {" \t ", false, 0},
        {"0x1A", false, 0},
        {"&H10", false, 0},
        {"1.0", false, 0},
        {"1e3", false, 0},
        {"12abc", false, 0},
        {"\xef\xbc\x91", false, 0},  // a full-width digit
    };
    for (const Case& c : cases) {
        std::int32_t out = 12345;
        EXPECT_EQ(korvel::ParseDecimal(c.text, out), c.accepted) << "\"" << c.text << "\"";
        EXPECT_EQ(out, c.accepted ? c.value : 12345) << "\"" << c.text << "\"";
    }
}

TEST(LogicFuzz, SettingsValueConversionAcceptsExactlyTheDecimalForm)
{
    std::printf("seed %u, %d rounds\n", kSeed, kRounds);
    std::mt19937 r(kSeed);
    static const char alphabet[] = "0123456789+- \t.xXeE,abc\x80\xff\"";
    for (int round = 0; round < kRounds; ++round) {
        std::string text;
        const int len = static_cast<int>(r() % 24);
        for (int i = 0; i < len; ++i)
            text += (r() % 3) ? static_cast<char>('0' + r() % 10) : alphabet[r() % (sizeof(alphabet) - 1)];
        std::int32_t out = 12345;
        const bool accepted = korvel::ParseDecimal(text, out);
        const std::optional<std::int32_t> want = reliability::DecimalOracle(text);
        ASSERT_EQ(accepted, want.has_value()) << "seed " << kSeed << " round " << round << ": \"" << text << "\"";
        ASSERT_EQ(out, want ? *want : 12345) << "seed " << kSeed << " round " << round << ": \"" << text << "\"";
        // Every 32-bit number survives writing and reading back, in the
        // form the file keeps: plain digits, "-" for negatives.
        const std::int32_t n = Edgy(r);
        const std::string written = korvel::DecimalText(n);
        ASSERT_EQ(written, std::to_string(static_cast<long long>(n)));
        std::int32_t back = 0;
        ASSERT_TRUE(korvel::ParseDecimal(written, back)) << n;
        ASSERT_EQ(back, n);
    }
}

// ---- scroll arithmetic -----------------------------------------------------

TEST(LogicFuzz, ScrollArithmeticKeepsTheValueAndTheThumbInTheirBounds)
{
    std::mt19937 r(kSeed + 1);
    for (int round = 0; round < kRounds / 10; ++round) {
        FuzzScrollSink sink;
        tessara::ScrollModel m(sink);
        m.SetSize(Size(r), Size(r));
        for (int step = 0; step < 30; ++step) {
            switch (r() % 10) {
            case 0: m.SetMinV(Edgy(r)); break;
            case 1: m.SetMaxV(Edgy(r)); break;
            case 2: m.SetValue(Edgy(r)); break;
            case 3: m.SetSmallChange(Edgy(r)); break;
            case 4: m.SetLargeChange(Edgy(r)); break;
            case 5: m.SetSize(Size(r), Size(r)); m.Layout(); break;
            case 6: m.Press(Size(r)); break;
            case 7: m.DragThumb(Size(r)); break;
            case 8: m.Hover(Size(r), Size(r)); break;
            default: m.Release(); break;
            }
            const std::string where = "seed " + std::to_string(kSeed + 1) + " round " + std::to_string(round) +
                                      " step " + std::to_string(step);
            ASSERT_LE(m.MinV(), m.MaxV()) << where;
            ASSERT_GE(m.Value(), m.MinV()) << where;
            ASSERT_LE(m.Value(), m.MaxV()) << where;
            const std::int32_t at = m.ValueAtPos(Size(r));
            ASSERT_GE(at, m.MinV()) << where;
            ASSERT_LE(at, m.MaxV()) << where;
            // Thumb positions run from 18 (after the low arrow) to the last
            // one, and never go back as the value grows; that holds for the
            // layout of the present size (a bar too short for its thumb, or
            // with no values to move through, keeps its previous layout).
            const int first = m.GlideAt(m.MinV()), last = m.GlideAt(m.MaxV()), here = m.GlideAt(m.Value());
            ASSERT_EQ(first, 18) << where;
            const bool current = m.ThumbLength() < static_cast<double>(kit::RoundHalfEven(m.Length() - 36)) &&
                                 kit::RoundHalfEven(m.Length() - 36 - m.ThumbLength()) > 0 && m.MaxV() > m.MinV();
            if (m.LaidOut() && current) {
                ASSERT_LE(first, here) << where;
                ASSERT_LE(here, last) << where;
                if (m.Value() < m.MaxV()) {
                    ASSERT_LE(here, m.GlideAt(m.Value() + 1)) << where;
                }
            }
            // The hit test: nothing off the bar's cross extent, the arrows
            // at the ends, the track never (it is not a hover part).
            const int x = Size(r), y = Size(r);
            const tessara::ScrollPart part = m.HitTestPart(x, y);
            ASSERT_NE(part, tessara::PartTrack) << where;
            if (y < 0 || y > m.Cross()) {
                ASSERT_EQ(part, tessara::PartNone) << where << " at " << x << "," << y;
            } else if (x >= 0 && x <= 18) {
                ASSERT_EQ(part, tessara::PartLowArrow) << where << " at " << x << "," << y;
            } else if (x >= m.Length() - 18 && x <= m.Length()) {
                ASSERT_EQ(part, tessara::PartHighArrow) << where << " at " << x << "," << y;
            }
        }
    }
}

// ---- list ------------------------------------------------------------------

TEST(LogicFuzz, ListLayoutRowsAndHitsStayInsideTheItems)
{
    std::mt19937 r(kSeed + 2);
    for (int round = 0; round < kRounds / 20; ++round) {
        tessara::ListModel m;
        std::int32_t scroll = 0;
        for (int step = 0; step < 40; ++step) {
            const int count = m.ListCount();
            switch (r() % 9) {
            case 0: case 1: m.AddItem(std::wstring(r() % 40, L'x')); break;
            case 2: m.RemoveItem(Edgy(r) % (count + 2), r() % 2, scroll); break;
            case 3: m.SetListIndex(Edgy(r)); break;
            case 4: m.SetItemHeight(r() % 4 ? Size(r) : Edgy(r), static_cast<int>(r() % 40)); break;
            case 5: m.SetPageCount(r() % 4 ? Size(r) : Edgy(r)); break;
            case 6: m.SetScrollMode(Edgy(r)); break;
            case 7: m.SetHover(Edgy(r)); break;
            default: {
                const auto target = m.WheelTarget(Edgy(r), scroll, count);
                if (target) {
                    ASSERT_GE(*target, 0);
                    ASSERT_LE(*target, count);
                    scroll = *target;
                }
                break;
            }
            }
            const std::string where = "seed " + std::to_string(kSeed + 2) + " round " + std::to_string(round) +
                                      " step " + std::to_string(step);
            const int n = m.ListCount();
            const int width = Size(r), height = Size(r);
            ASSERT_GE(m.ItemHeight(), 1) << where;
            if (const auto first = m.FirstLayout(width, height)) {
                // Whole rows plus the 3-pixel frame, at least one row.
                ASSERT_GE(m.PageCount(), 1) << where;
                ASSERT_EQ(first->height, m.ItemHeight() * m.PageCount() + 6) << where;
                ASSERT_GE(first->width, m.ItemHeight() + 25) << where;
            }
            // The selection is settled by the deferred layout that follows
            // every change.
            const tessara::ListLayout lay = m.DeferredLayout(width, scroll);
            ASSERT_EQ(lay.height, m.ItemHeight() * m.PageCount() + 6) << where;
            ASSERT_EQ(lay.scrollVisible, n > m.PageCount()) << where;
            if (lay.scrollVisible) {
                ASSERT_EQ(lay.maxV, n - m.PageCount()) << where;
                ASSERT_GE(lay.value, 0) << where;
                ASSERT_LE(lay.value, lay.maxV) << where;
                ASSERT_GE(lay.thumbLength, 10) << where;
                scroll = lay.value;
            } else {
                ASSERT_EQ(lay.value, 0) << where;
                scroll = 0;
            }
            ASSERT_GE(m.ListIndex(), -1) << where;
            ASSERT_LT(m.ListIndex(), n) << where;
            const int hx = Size(r), hy = Size(r);
            const int hit = m.ItemAt(hx, hy, width, scroll);
            ASSERT_GE(hit, -1) << where;
            ASSERT_LT(hit, n) << where;
            const bool marquee = r() % 2;
            const auto rows = m.VisibleRows(width, lay.scrollVisible, scroll, marquee);
            // From the top row on, one row per item up to a page, each a
            // row high and right below the one before.
            const long long expected = n == 0 ? 0 : std::min<long long>(m.PageCount(), n - scroll);
            ASSERT_EQ(static_cast<long long>(rows.size()), expected) << where;
            for (std::size_t k = 0; k < rows.size(); ++k) {
                const tessara::ListRow& row = rows[k];
                ASSERT_EQ(row.index, scroll + static_cast<int>(k)) << where;
                ASSERT_EQ(row.top, 3 + static_cast<int>(k) * m.ItemHeight()) << where;
                ASSERT_EQ(row.bottom - row.top, m.ItemHeight()) << where;
                ASSERT_EQ(row.right, lay.scrollVisible ? width - 23 : width - 3) << where;
                if (hit == row.index && hx >= 4 && hy >= 4) {
                    ASSERT_GE(hy, row.top) << where << ": the hit row does not hold the point";
                    ASSERT_LT(hy, row.bottom + 1) << where;
                }
            }
            // The marquee moves one pixel a tick and never leaves the pass.
            const int textWidth = static_cast<int>(r() % 400), avail = static_cast<int>(r() % 400);
            const int gap = static_cast<int>(r() % 30);
            const int before = m.MarqueeOffset();
            const bool goesOn = m.MarqueeStep(textWidth, avail, gap);
            if (goesOn) {
                ASSERT_EQ(std::abs(m.MarqueeOffset() - before), 1) << where;
            } else {
                ASSERT_EQ(m.MarqueeOffset(), 0) << where;
            }
        }
    }
}

// ---- grouped list ------------------------------------------------------------

TEST(LogicFuzz, GroupRowsAndHitsStayInsideTheGroups)
{
    std::mt19937 r(kSeed + 3);
    for (int round = 0; round < kRounds / 20; ++round) {
        tessara::GroupStore s;
        for (int step = 0; step < 30; ++step) {
            switch (r() % 6) {
            case 0: s.AddGroup(L"g"); break;
            case 1: case 2: s.AddItem(Edgy(r) % 6, L"item"); break;
            case 3: s.RemoveItem(Edgy(r) % 6, Edgy(r) % 12); break;
            case 4: s.RemoveGroup(Edgy(r) % 6); break;
            default: s.Toggle(Edgy(r) % 6); break;
            }
            s.Relayout();
            const std::string where = "seed " + std::to_string(kSeed + 3) + " round " + std::to_string(round) +
                                      " step " + std::to_string(step);
            tessara::GroupView v;
            v.scaleWidth = Size(r);
            v.scaleHeight = Size(r);
            v.itemHeight = static_cast<int>(r() % 60) + 1;
            const tessara::GroupPage page = tessara::FitPage(v.scaleHeight, v.itemHeight);
            v.pageRows = page.pageRows;
            v.topRow = static_cast<int>(r() % (s.TotalRows() + 1));
            v.scrollVisible = r() % 2;
            const auto rows = tessara::VisibleRows(s, v);
            for (const tessara::GroupRowBox& b : rows) {
                ASSERT_TRUE(s.ValidGroup(b.group)) << where;
                ASSERT_EQ(b.height, b.header ? 20 : v.itemHeight) << where;
                if (!b.header) {
                    ASSERT_GE(b.index, 0) << where;
                    ASSERT_LT(b.index, s.ItemCount(b.group)) << where;
                }
            }
            // A hit names a painted row whose band holds the point (a y on
            // a boundary belongs to the upper row).
            const int x = Size(r), y = Size(r);
            const int hit = tessara::HitTestRow(s, v, x, y);
            if (hit != -1) {
                bool found = false;
                for (const tessara::GroupRowBox& b : rows)
                    if (b.row == hit) {
                        found = true;
                        ASSERT_GE(y, b.top) << where;
                        ASSERT_LE(y, b.top + b.height) << where;
                    }
                ASSERT_TRUE(found) << where << ": hit row " << hit << " was not painted";
            }
            const int maxV = static_cast<int>(r() % 500);
            const int value = static_cast<int>(r() % (maxV + 1));
            const int delta = Edgy(r);
            const int wheel = tessara::WheelTarget(value, maxV, delta);
            ASSERT_EQ(wheel, delta < 0 ? std::min(value + 3, maxV) : std::max(value - 3, 0)) << where;
            // Thumb: (height - 44) x page / total to the nearest integer,
            // halves to even; below 11 it is 10.
            const int h = Size(r), shown = static_cast<int>(r() % 400), total = static_cast<int>(r() % 400) + 1;
            const std::int64_t exact = NearestQuotient(static_cast<std::int64_t>(h - 44) * shown, total);
            ASSERT_EQ(tessara::GroupThumbLength(h, shown, total), exact < 11 ? 10 : exact)
                << where << ": " << h << " " << shown << " " << total;
            // The text overflows by what is left of it past ScaleWidth - 34
            // (bar shown) or ScaleWidth - 14.
            const int textWidth = Size(r), width = Size(r);
            const bool bar = r() % 2;
            const int avail = bar ? width - 34 : width - 14;
            ASSERT_EQ(tessara::TextOverflow(textWidth, width, bar), textWidth > avail ? textWidth - avail : 0)
                << where;
        }
    }
}

// ---- tab strip ----------------------------------------------------------------

TEST(LogicFuzz, TabHitsNameTheTabUnderThePoint)
{
    std::mt19937 r(kSeed + 4);
    for (int round = 0; round < kRounds; ++round) {
        // Sizes and counts as the control keeps them: clamped where they
        // enter, from any 32-bit value.
        tessara::TabLayout t;
        t.itemWidth = tessara::ClampTabSize(r() % 8 ? static_cast<int>(r() % 120) + 1 : Edgy(r));
        t.itemHeight = tessara::ClampTabSize(r() % 8 ? static_cast<int>(r() % 40) + 1 : Edgy(r));
        t.multiLine = r() % 2;
        t.cntOfLine = tessara::ClampCntOfLine(r() % 8 ? static_cast<int>(r() % 8) : Edgy(r));
        t.isBottom = r() % 2;
        t.tabCount = r() % 64 ? static_cast<int>(r() % 40) : 70000 + static_cast<int>(r() % 1000);
        t.scaleWidth = r() % 4 ? static_cast<int>(r() % 800) : Size(r);
        t.scaleHeight = r() % 4 ? static_cast<int>(r() % 400) : Size(r);
        const std::string where = "seed " + std::to_string(kSeed + 4) + " round " + std::to_string(round);
        const int hit = t.HitTest(Size(r), Size(r));
        ASSERT_GE(hit, -1) << where;
        ASSERT_LT(hit, t.tabCount) << where;
        // The page and the band share one row of pixels and fill the client.
        const tessara::TabLayout::Background back = t.Back();
        ASSERT_EQ(back.band.left, 0) << where;
        ASSERT_EQ(back.page.right, t.scaleWidth) << where;
        if (t.isBottom) {
            ASSERT_EQ(back.band.bottom, t.scaleHeight) << where;
            ASSERT_EQ(back.page.top, 0) << where;
        } else {
            ASSERT_EQ(back.band.top, 0) << where;
            ASSERT_EQ(back.page.bottom, t.scaleHeight) << where;
        }
        if (t.tabCount == 0)
            continue;
        // Mostly a tab near the start (the hit test walks the tabs before
        // it), sometimes one far along a huge strip.
        const int i = static_cast<int>(r() % std::min(t.tabCount, r() % 16 ? 64 : t.tabCount));
        const kit::Rect tab = t.TabRect(i);
        ASSERT_EQ(tab.right - tab.left, t.itemWidth) << where;
        ASSERT_EQ(tab.bottom - tab.top, t.itemHeight) << where;
        // The middle of a tab of some size inside the client hits that tab.
        if (t.itemWidth >= 3 && t.itemHeight >= 3 && tab.left >= 0 && tab.top >= 0 && tab.bottom <= t.scaleHeight &&
            tab.right < 32768) {
            const int mx = (tab.left + tab.right) / 2, my = (tab.top + tab.bottom) / 2;
            ASSERT_EQ(t.HitTest(mx, my), i) << where << " at " << mx << "," << my;
        }
        // The selected look: one pixel longer towards the page.
        const tessara::TabLayout::Selected sel = t.SelectedLook(i);
        ASSERT_EQ(sel.shape.left, tab.left) << where;
        ASSERT_EQ(sel.shape.right, tab.right) << where;
        ASSERT_EQ((sel.shape.bottom - sel.shape.top) - t.itemHeight, 1) << where;
        const kit::Rect caption = t.CaptionRect(i);
        ASSERT_EQ(caption.left, tab.left + 6) << where;
        ASSERT_EQ(caption.right, tab.right) << where;
        ASSERT_EQ(caption.top, tab.top) << where;
        ASSERT_EQ(caption.bottom, tab.bottom) << where;
    }
}

// ---- tree -------------------------------------------------------------------

TEST(LogicFuzz, TreeStoreAndLayoutAgreeOnRows)
{
    std::mt19937 r(kSeed + 5);
    for (int round = 0; round < kRounds / 40; ++round) {
        tessara::TreeStore s;
        for (int step = 0; step < 60; ++step) {
            const std::int32_t slots = s.SlotCount();
            const std::int32_t pick = slots > 0 && r() % 4 ? static_cast<std::int32_t>(r() % slots) : Edgy(r);
            switch (r() % 5) {
            case 0: case 1: s.AddItem(slots == 0 && r() % 2 ? -1 : pick, L"n" + std::to_wstring(step)); break;
            case 2: s.RemoveItem(pick); break;
            default: s.Spread(pick, r() % 2); break;
            }
            const std::string where = "seed " + std::to_string(kSeed + 5) + " round " + std::to_string(round) +
                                      " step " + std::to_string(step);
            ASSERT_GE(s.TotalRows(), 0) << where;
            ASSERT_LE(s.FreeSlots(), s.SlotCount()) << where;
            tessara::TreeLayoutInput in;
            in.scaleWidth = Size(r);
            in.scaleHeight = Size(r);
            in.rootExpanded = r() % 2;
            in.totalRows = s.TotalRows();
            in.contentWidth = Size(r);
            // A saved page of 0 rows happens when the layout runs before
            // the first resize.
            in.savedPageRows = static_cast<std::int32_t>(r() % 51);
            in.pageRows = static_cast<std::int32_t>(r() % 50);
            const tessara::TreeLayoutPlan plan = tessara::PlanTreeLayout(in);
            ASSERT_GE(plan.pageRows, 0) << where << " saved " << in.savedPageRows;
            if (plan.vVisible) {
                ASSERT_GT(in.totalRows, plan.pageRows) << where;
                ASSERT_EQ(plan.vMax, in.totalRows - plan.pageRows) << where;
            }
            if (plan.hVisible) {
                ASSERT_GT(plan.hMax, 0) << where;
            }
            const std::int32_t track = Size(r), shown = Size(r), total = Size(r);
            const std::int32_t thumb = tessara::ThumbLength(track, shown, total);
            // A bar is shown only while the rows shown are fewer than all.
            if (track > 10 && shown >= 0 && total > 0 && shown <= total) {
                ASSERT_LE(thumb, track) << track << " " << shown << " " << total;
            }
        }
    }
}

// ---- rounded division ---------------------------------------------------------

TEST(LogicFuzz, RoundedDivisionMatchesTheExactQuotient)
{
    std::mt19937_64 r(kSeed + 6);
    for (int round = 0; round < kRounds; ++round) {
        const std::int64_t num = static_cast<std::int64_t>(r() % 2000000001ull) - 1000000000;
        // Divisors are positive: the routine divides by a total count.
        const std::int64_t den = static_cast<std::int64_t>(r() % 100000ull) + 1;
        const std::int64_t q = kit::RoundHalfEven(num, den);
        ASSERT_EQ(q, NearestQuotient(num, den)) << num << " / " << den;
        // The list view's thumb: track x shown / total to the nearest
        // integer, 10 when below 11 or when nothing shows.
        const std::int64_t track = static_cast<std::int64_t>(r() % 100000), shown = static_cast<std::int64_t>(r() % 100000);
        const std::int64_t total = static_cast<std::int64_t>(r() % 100000);
        const std::int64_t want = total <= 0 ? 10 : NearestQuotient(track * shown, total);
        ASSERT_EQ(tessara::ThumbLength(track, shown, total), want < 11 ? 10 : std::min<std::int64_t>(want, INT32_MAX))
            << track << " " << shown << " " << total;
    }
}

} // namespace
