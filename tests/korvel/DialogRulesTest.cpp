// The main dialog's window-free rules: tick rules run against rows that
// re-raise the item check on every change (as the real list does), mask
// and row mapping, folder entries, version text and OK's checks.
#include "DialogRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using namespace korvel;

namespace {

// Rows that call back into a rule on every change, like a check list
// raising its item check also when the program ticks a row.
class EchoRows : public TickRows {
public:
    explicit EchoRows(std::vector<std::wstring> texts) : texts_(std::move(texts)), ticked_(texts_.size(), false) {}
    template <class Rule>
    void Attach(Rule* rule)
    {
        onCheck_ = [this, rule](int row) { rule->ItemCheck(*this, row); };
    }
    int Count() const override { return static_cast<int>(texts_.size()); }
    bool Ticked(int row) const override { return row >= 0 && row < Count() && ticked_[row]; }
    void SetTicked(int row, bool ticked) override
    {
        if (row < 0 || row >= Count() || ticked_[row] == ticked)
            return;
        ticked_[row] = ticked;
        ++notifications;
        if (onCheck_)
            onCheck_(row);
    }
    std::wstring Text(int row) const override { return texts_[row]; }
    // "x" for a ticked row, "." for an unticked one.
    std::string Pattern() const
    {
        std::string s;
        for (bool t : ticked_)
            s += t ? 'x' : '.';
        return s;
    }
    // Sets the states without notifications.
    void Preset(const std::string& pattern)
    {
        for (std::size_t i = 0; i < pattern.size() && i < ticked_.size(); ++i)
            ticked_[i] = pattern[i] == 'x';
    }
    int notifications = 0;

private:
    std::vector<std::wstring> texts_;
    std::vector<bool> ticked_;
    std::function<void(int)> onCheck_;
};

EchoRows CpuRows(int processors)
{
    std::vector<std::wstring> texts{L"AllCPU"};
    for (int i = 0; i < processors; ++i)
        texts.push_back(ProcessorRowName(i));
    return EchoRows(texts);
}

TEST(AllCpuRule, TickingAndUntickingFollowTheAllRow)
{
    struct Case {
        const char* label;
        std::string before;
        int row;
        bool tick;
        std::string after;
    };
    const std::vector<Case> cases = {
        {"ticking AllCPU ticks every processor", ".x.x.", 0, true, "xxxxx"},
        {"unticking AllCPU unticks every processor", "xxxxx", 0, false, "....."},
        {"unticking a processor unticks AllCPU only", "xxxxx", 2, false, ".x.xx"},
        {"ticking the last processor leaves AllCPU unticked", ".xx.x", 3, true, ".xxxx"},
        {"ticking one processor changes nothing else", ".....", 4, true, "....x"},
    };
    for (const Case& c : cases) {
        AllCpuRule rule;
        EchoRows rows = CpuRows(4);
        rows.Attach(&rule);
        rows.Preset(c.before);
        rows.SetTicked(c.row, c.tick);
        EXPECT_EQ(rows.Pattern(), c.after) << c.label;
        EXPECT_FALSE(rule.Running()) << c.label << ": the guard must be cleared";
    }
}

TEST(AllCpuRule, ItsOwnChangesDoNotRunItAgain)
{
    // Without the guard, unticking AllCPU from inside the rule would
    // untick the processors again and again.
    AllCpuRule rule;
    EchoRows rows = CpuRows(3);
    rows.Attach(&rule);
    rows.SetTicked(0, true);
    EXPECT_EQ(rows.Pattern(), "xxxx");
    EXPECT_EQ(rows.notifications, 4);   // AllCPU, then each processor once
    rows.SetTicked(1, false);           // unticks AllCPU from inside the rule
    EXPECT_EQ(rows.Pattern(), "..xx");
}

TEST(SingleTickRule, AtMostOneRowStaysTicked)
{
    struct Case {
        const char* label;
        std::string before;
        int row;
        bool tick;
        std::string after;
    };
    const std::vector<Case> cases = {
        {"ticking a row unticks the ticked one", ".x..", 3, true, "...x"},
        {"ticking the first row", "...x", 0, true, "x..."},
        {"unticking the ticked row leaves none", "..x.", 2, false, "...."},
        {"ticking with none ticked", "....", 1, true, ".x.."},
    };
    for (const Case& c : cases) {
        SingleTickRule rule;
        EchoRows rows({L"a", L"b", L"c", L"d"});
        rows.Attach(&rule);
        rows.Preset(c.before);
        rows.SetTicked(c.row, c.tick);
        EXPECT_EQ(rows.Pattern(), c.after) << c.label;
        EXPECT_FALSE(rule.Running()) << c.label;
    }
}

TEST(ProcessorRows, NamesAndMaskBits)
{
    EXPECT_EQ(ProcessorRowName(0), L"CPU0");
    EXPECT_EQ(ProcessorRowName(11), L"CPU11");
    struct Case {
        const char* label;
        std::int32_t mask;
        std::string selected;   // processors 0..5
    };
    const std::vector<Case> cases = {
        {"5 is processors 0 and 2", 5, "x.x..."},
        {"0 names no processor row", 0, "......"},
        {"negative names none", -1, "......"},
        {"most negative names none", INT32_MIN, "......"},
        {"48 is processors 4 and 5", 48, "....xx"},
    };
    for (const Case& c : cases) {
        std::string got;
        for (int p = 0; p < 6; ++p)
            got += MaskSelectsProcessor(c.mask, p) ? 'x' : '.';
        EXPECT_EQ(got, c.selected) << c.label;
    }
    EXPECT_TRUE(MaskSelectsProcessor(0x40000000, 30));
    EXPECT_FALSE(MaskSelectsProcessor(0x7FFFFFFF, 31)) << "a positive mask has no bit 31";
    EXPECT_FALSE(MaskSelectsProcessor(0x7FFFFFFF, -1));
}

TEST(ProcessorRows, MaskFromTickedRowsIgnoresAllCpu)
{
    struct Case {
        const char* label;
        int processors;
        std::string ticks;   // AllCPU first
        std::int32_t mask;
    };
    const std::vector<Case> cases = {
        {"every processor of four", 4, "xxxxx", 15},
        {"AllCPU alone adds nothing", 4, "x....", 0},
        {"processors 0 and 2", 4, ".x.x.", 5},
        {"none", 4, ".....", 0},
        {"thirty-one processors", 31, "x" + std::string(31, 'x'), 0x7FFFFFFF},
        {"the 32nd processor sets the sign bit", 32, "." + std::string(31, '.') + "x", INT32_MIN},
        {"rows past the 32nd add nothing", 34, "." + std::string(32, '.') + "xx", 0},
    };
    for (const Case& c : cases) {
        EchoRows rows = CpuRows(c.processors);
        rows.Preset(c.ticks);
        EXPECT_EQ(MaskFromRows(rows), c.mask) << c.label;
    }
}

TEST(FolderEntries, OwnNameDotsAndCase)
{
    EXPECT_EQ(OwnProgramName(L"C:\\Games\\Korvel.exe"), L"Korvel.exe");
    EXPECT_EQ(OwnProgramName(L"C:\\Games\\Korvel.EXE"), L"Korvel.exe");
    EXPECT_EQ(OwnProgramName(L"C:\\a.b\\Korvel"), L"Korvel.exe");
    EXPECT_EQ(OwnProgramName(L"C:\\Games\\启动.v2.exe"), L"启动.v2.exe");
    struct Case {
        const char* label;
        std::wstring entry;
        bool listed;
    };
    const std::vector<Case> cases = {
        {"another program", L"game.exe", true},
        {"the launcher itself", L"Korvel.exe", false},
        {"the launcher in upper case is not recognised", L"KORVEL.EXE", true},
        {"the launcher with upper-case extension", L"Korvel.EXE", true},
        {"dot", L".", false},
        {"dot dot", L"..", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ListsAsProgram(c.entry, L"Korvel.exe"), c.listed) << c.label;
}

TEST(VersionText, EveryExactMarkerIsReplaced)
{
    EXPECT_EQ(ExpandVersion(L"Vexilo [SoftVer] By Marrowick"), L"Vexilo V1.5 By Marrowick");
    EXPECT_EQ(ExpandVersion(L"[SoftVer]/[SoftVer]"), L"V1.5/V1.5");
    EXPECT_EQ(ExpandVersion(L"[softver] [SoftVer"), L"[softver] [SoftVer");
    EXPECT_EQ(ExpandVersion(L"Vexilo V1.5 By Marrowick"), L"Vexilo V1.5 By Marrowick");
}

// OK's checks over four lists in the dialog's order.
struct Lists {
    EchoRows programs{{L"game.exe", L"tool.exe"}};
    EchoRows cpus = CpuRows(4);
    EchoRows cpuPriority{{L"0", L"1", L"2", L"3"}};
    EchoRows ioPriority{{L"0", L"1", L"2", L"3"}};
};

TEST(AcceptChoice, ChecksInOrderAndKeepsWhatWasSetBeforeAFailure)
{
    struct Case {
        const char* label;
        std::string programs, cpus, cpuPriority, ioPriority;
        const wchar_t* message;
        LaunchConfig expect;   // the fields afterwards
    };
    LaunchConfig start;
    start.EXEName = L"old.exe";
    start.SelectedCPU = 9;
    start.CPUPRIORITY = 3;
    start.IOPRIORITY = 0;
    start.ShowStyle = 0;
    auto fields = [&](std::wstring name, std::int32_t mask, std::int32_t cpu, std::int32_t io, std::int32_t style) {
        LaunchConfig c = start;
        c.EXEName = std::move(name);
        c.SelectedCPU = mask;
        c.CPUPRIORITY = cpu;
        c.IOPRIORITY = io;
        c.ShowStyle = style;
        return c;
    };
    const std::vector<Case> cases = {
        {"complete", ".x", "xxxxx", "..x.", "...x", nullptr, fields(L"tool.exe", 15, 2, 3, 2)},
        {"no program: nothing else is set", "..", "xxxxx", "..x.", "...x", kNeedProgramText,
         fields(L"old.exe", 9, 3, 0, 0)},
        {"no processor", "x.", "x....", "..x.", "...x", kNeedCpuText, fields(L"game.exe", 0, 3, 0, 0)},
        {"no CPU priority", "x.", ".x...", "....", "...x", kNeedPriorityText, fields(L"game.exe", 1, -1, 0, 0)},
        {"no I/O priority", "x.", "..x..", ".x..", "....", kNeedPriorityText, fields(L"game.exe", 2, 1, -1, 0)},
        {"first failure wins", "..", ".....", "....", "....", kNeedProgramText, fields(L"old.exe", 9, 3, 0, 0)},
    };
    for (const Case& c : cases) {
        Lists lists;
        lists.programs.Preset(c.programs);
        lists.cpus.Preset(c.cpus);
        lists.cpuPriority.Preset(c.cpuPriority);
        lists.ioPriority.Preset(c.ioPriority);
        LaunchConfig got = start;
        const wchar_t* message =
            AcceptChoice(lists.programs, lists.cpus, lists.cpuPriority, lists.ioPriority, 2, got);
        EXPECT_EQ(message ? std::wstring(message) : std::wstring(L"(none)"),
                  c.message ? std::wstring(c.message) : std::wstring(L"(none)"))
            << c.label;
        EXPECT_EQ(got.EXEName, c.expect.EXEName) << c.label;
        EXPECT_EQ(got.SelectedCPU, c.expect.SelectedCPU) << c.label;
        EXPECT_EQ(got.CPUPRIORITY, c.expect.CPUPRIORITY) << c.label;
        EXPECT_EQ(got.IOPRIORITY, c.expect.IOPRIORITY) << c.label;
        EXPECT_EQ(got.ShowStyle, c.expect.ShowStyle) << c.label;
    }
}

} // namespace
