// Seeded random drivers over the window-free routines that take texts,
// sizes and indexes from callers: the settings-value conversion, scroll
// arithmetic, list, grouped-list, tab and tree layouts, and list text
// fitting. Built natively under AddressSanitizer and UBSan (any overflow or
// stray access stops the run) and under Wine. Each case prints its seed;
// set RELIABILITY_FUZZ_SEED and RELIABILITY_FUZZ_ROUNDS to replay or to run
// longer.
#include "korvel/LaunchLogic.h"
#include "tessara/controls/GroupListModel.h"
#include "tessara/controls/ListModel.h"
#include "tessara/controls/ListViewModel.h"
#include "tessara/controls/ScrollMath.h"
#include "tessara/controls/TabLayout.h"
#include "tessara/controls/TreeLayout.h"
#include "tessara/controls/TreeStore.h"

#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdlib>
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

struct FuzzScrollSink : tessara::ScrollSink {
    void Changed() override {}
    void Repaint() override {}
    void RepeatTimer(bool) override {}
};

TEST(LogicFuzz, SettingsValueConversionAcceptsOnlyWhatItCanRepresent)
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
        if (korvel::ParseDecimal(text, out)) {
            // An accepted text holds a sign and digits only, besides blanks,
            // and names the value it gave.
            std::string digits;
            for (char c : text)
                if (c != ' ' && c != '\t')
                    digits += c;
            char* end = nullptr;
            const long long v = std::strtoll(digits.c_str(), &end, 10);
            ASSERT_EQ(*end, '\0') << "seed " << kSeed << " round " << round << ": accepted \"" << text << "\"";
            ASSERT_EQ(v, out) << "seed " << kSeed << " round " << round << ": \"" << text << "\"";
        } else {
            ASSERT_EQ(out, 12345) << "a refused text changed the value: \"" << text << "\"";
        }
        // Every 32-bit number survives writing and reading back.
        const std::int32_t n = Edgy(r);
        std::int32_t back = 0;
        ASSERT_TRUE(korvel::ParseDecimal(korvel::DecimalText(n), back)) << n;
        ASSERT_EQ(back, n);
    }
}

TEST(LogicFuzz, ScrollArithmeticKeepsTheValueInItsBounds)
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
            ASSERT_LE(m.MinV(), m.MaxV()) << "seed " << kSeed + 1 << " round " << round;
            ASSERT_GE(m.Value(), m.MinV()) << "seed " << kSeed + 1 << " round " << round << " step " << step;
            ASSERT_LE(m.Value(), m.MaxV()) << "seed " << kSeed + 1 << " round " << round << " step " << step;
            const std::int32_t at = m.ValueAtPos(Size(r));
            ASSERT_GE(at, m.MinV());
            ASSERT_LE(at, m.MaxV());
            (void)m.GlideAt(m.Value());
            (void)m.HitTestPart(Size(r), Size(r));
        }
    }
}

TEST(LogicFuzz, ListIndexesStayInsideTheItems)
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
            case 4: m.SetItemHeight(Size(r), static_cast<int>(r() % 40)); break;
            case 5: m.SetPageCount(Size(r)); break;
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
            const int n = m.ListCount();
            const int width = Size(r), height = Size(r);
            (void)m.FirstLayout(width, height);
            // The selection is settled by the deferred layout that follows
            // every change.
            (void)m.DeferredLayout(width, scroll);
            ASSERT_GE(m.ListIndex(), -1) << "seed " << kSeed + 2 << " round " << round;
            ASSERT_LT(m.ListIndex(), n) << "seed " << kSeed + 2 << " round " << round;
            const int hit = m.ItemAt(Size(r), Size(r), width, scroll);
            ASSERT_GE(hit, -1);
            ASSERT_LT(hit, n);
            for (const tessara::ListRow& row : m.VisibleRows(width, r() % 2, scroll, r() % 2))
                (void)row;
            (void)m.MarqueeStep(Size(r), Size(r), static_cast<int>(r() % 30));
        }
    }
}

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
            tessara::GroupView v;
            v.scaleWidth = Size(r);
            v.scaleHeight = Size(r);
            v.itemHeight = static_cast<int>(r() % 60) + 1;
            const tessara::GroupPage page = tessara::FitPage(v.scaleHeight, v.itemHeight);
            v.pageRows = page.pageRows;
            v.topRow = static_cast<int>(r() % (s.TotalRows() + 1));
            v.scrollVisible = r() % 2;
            for (const tessara::GroupRowBox& b : tessara::VisibleRows(s, v)) {
                ASSERT_TRUE(s.ValidGroup(b.group)) << "seed " << kSeed + 3 << " round " << round;
                if (!b.header) {
                    ASSERT_GE(b.index, 0);
                    ASSERT_LT(b.index, s.ItemCount(b.group));
                }
            }
            (void)tessara::HitTestRow(s, v, Size(r), Size(r));
            const int maxV = static_cast<int>(r() % 500);
            const int wheel = tessara::WheelValue(static_cast<int>(r() % (maxV + 1)), maxV, Edgy(r));
            ASSERT_GE(wheel, 0);
            ASSERT_LE(wheel, maxV);
            (void)tessara::ThumbLength(Size(r), Size(r), Size(r));
            (void)tessara::TextOverflow(Size(r), Size(r), r() % 2);
        }
    }
}

TEST(LogicFuzz, TabHitsNameAnExistingTab)
{
    std::mt19937 r(kSeed + 4);
    for (int round = 0; round < kRounds; ++round) {
        tessara::TabLayout t;
        t.itemWidth = Size(r);
        t.itemHeight = Size(r);
        t.multiLine = r() % 2;
        t.cntOfLine = Size(r);
        t.isBottom = r() % 2;
        t.tabCount = static_cast<int>(r() % 40);
        t.scaleWidth = Size(r);
        t.scaleHeight = Size(r);
        const int hit = t.HitTest(Size(r), Size(r));
        ASSERT_GE(hit, -1) << "seed " << kSeed + 4 << " round " << round;
        ASSERT_LT(hit, t.tabCount) << "seed " << kSeed + 4 << " round " << round;
        (void)t.Back();
        if (t.tabCount > 0) {
            const int i = static_cast<int>(r() % t.tabCount);
            (void)t.TabRect(i);
            (void)t.SelectedLook(i);
            (void)t.CaptionRect(i);
        }
    }
}

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
            ASSERT_GE(s.TotalRows(), 0) << "seed " << kSeed + 5 << " round " << round;
            ASSERT_LE(s.FreeSlots(), s.SlotCount());
            tessara::TreeLayoutInput in;
            in.scaleWidth = Size(r);
            in.scaleHeight = Size(r);
            in.rootExpanded = r() % 2;
            in.totalRows = s.TotalRows();
            in.contentWidth = Size(r);
            in.savedPageRows = 1 + static_cast<std::int32_t>(r() % 50);
            in.pageRows = static_cast<std::int32_t>(r() % 50);
            const tessara::TreeLayoutPlan plan = tessara::PlanTreeLayout(in);
            ASSERT_GE(plan.pageRows, 0);
            const std::int32_t track = Size(r), shown = Size(r), total = Size(r);
            const std::int32_t thumb = tessara::TreeThumb(track, shown, total);
            // A bar is shown only while the rows shown are fewer than all.
            if (track > 10 && shown >= 0 && total > 0 && shown <= total) {
                ASSERT_LE(thumb, track) << track << " " << shown << " " << total;
            }
        }
    }
}

TEST(LogicFuzz, RoundedDivisionMatchesTheExactQuotient)
{
    std::mt19937_64 r(kSeed + 6);
    for (int round = 0; round < kRounds; ++round) {
        const std::int64_t num = static_cast<std::int64_t>(r() % 2000000001ull) - 1000000000;
        // Divisors are positive: the routine divides by a total count.
        const std::int64_t den = static_cast<std::int64_t>(r() % 100000ull) + 1;
        const std::int64_t q = tessara::DivRoundHalfEven(num, den);
        // The quotient is the nearest integer: twice the remainder is at
        // most the divisor in size.
        const std::int64_t rem = num - q * den;
        ASSERT_LE(2 * std::llabs(rem), std::llabs(den)) << num << " / " << den << " gave " << q;
        if (2 * std::llabs(rem) == std::llabs(den)) {
            ASSERT_EQ(q % 2, 0) << num << " / " << den << ": a half goes to the even neighbour";
        }
        (void)tessara::ThumbLength(static_cast<std::int64_t>(r() % 100000), static_cast<std::int64_t>(r() % 100000),
                                   static_cast<std::int64_t>(r() % 100000));
    }
}

} // namespace
