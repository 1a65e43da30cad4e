// The main dialog and the tutorial window driven as a user drives them:
// real mouse and key messages into the real windows of the loaded forms,
// message boxes through the host's sink, pixels read from the painted
// labels, and the entry routine run with the real dialog.
#include "DialogTestSupport.h"

#include "ModMain.h"
#include "NativeCallRecorder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace korvel;
using namespace kdt;

namespace {

// ---- Opening ---------------------------------------------------------------

TEST_F(DialogTest, FirstRunPreselectsTheFirstProgramEveryProcessorAndNormalChoices)
{
    AddProgram(L"game.exe");
    AddProgram(L"tool.exe");
    AddProgram(L"Korvel.exe");   // the launcher itself
    frmKorvel& form = Open(LaunchConfig());
    EXPECT_TRUE(boxes.empty());

    const std::vector<std::wstring> programs = Rows(List(form, L"lstEXE"));
    EXPECT_EQ(std::set<std::wstring>(programs.begin(), programs.end()),
              (std::set<std::wstring>{L"game.exe", L"tool.exe"}));
    EXPECT_EQ(Ticks(List(form, L"lstEXE")), "x.");

    std::vector<std::wstring> cpuRows{L"AllCPU"};
    for (int p = 0; p < Processors(); ++p)
        cpuRows.push_back(L"CPU" + std::to_wstring(p));
    EXPECT_EQ(Rows(List(form, L"lstCPU")), cpuRows);
    EXPECT_EQ(Ticks(List(form, L"lstCPU")), std::string(cpuRows.size(), 'x'));

    EXPECT_EQ(Rows(List(form, L"lstCPUPriority")),
              (std::vector<std::wstring>{L"低(空闲时响应)", L"普通", L"高", L"实时(慎用)"}));
    EXPECT_EQ(Ticks(List(form, L"lstCPUPriority")), ".x..");
    EXPECT_EQ(Rows(List(form, L"lstIOPriority")),
              (std::vector<std::wstring>{L"非常低(空闲时响应)", L"低", L"普通", L"非常高(慎用)"}));
    EXPECT_EQ(Ticks(List(form, L"lstIOPriority")), "..x.");
    auto& style = form.Control<host::DropDownList>(L"cbStyle");
    EXPECT_EQ(ComboRows(style), (std::vector<std::wstring>{L"隐藏", L"常规窗口", L"最小化", L"最大化"}));
    EXPECT_EQ(style.ListIndex(), 1);
    EXPECT_EQ(form.Control<host::TextBox>(L"txtParam").Text(), L"");
    EXPECT_EQ(form.Control<host::Label>(L"labVer").Caption(), L"Vexilo V1.5 By Marrowick");
    EXPECT_EQ(form.Caption(), L"请选择要启动的进程及它所绑定的CPU:");

    Press(form, L"cmdOK");
    EXPECT_TRUE(boxes.empty()) << Narrow(boxes.front().text);
    EXPECT_FALSE(form.Visible());
    EXPECT_TRUE(form.Loaded()) << "the fields are read after OK, before the unload";
    EXPECT_EQ(form.Config.EXEName, programs[0]);
    EXPECT_EQ(form.Config.SelectedCPU, AllProcessorsMask()) << "one bit per processor, not 0";
    EXPECT_EQ(form.Config.CPUPRIORITY, 1);
    EXPECT_EQ(form.Config.IOPRIORITY, 2);
    EXPECT_EQ(form.Config.ShowStyle, 1);
    EXPECT_EQ(form.Config.isCancel, 0);
    EXPECT_EQ(form.Config.isRemember, 0);
}

TEST_F(DialogTest, StoredMaskTicksTheMatchingProcessorRowsOnly)
{
    AddProgram(L"game.exe");
    // The rows as a 32-processor machine lists them ("AllCPU" first, then
    // CPU0 to CPU31), cut to the processors this one has.
    struct Case {
        const char* label;
        std::int32_t mask;
        std::string rows;
    };
    const std::vector<Case> cases = {
        {"5: processors 0 and 2", 5, ".x.x............................."},
        {"2: processor 1", 2, "..x.............................."},
        {"bits 0 to 30, every bit a positive mask holds", 0x7FFFFFFF, ".xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx."},
        {"negative: none", -1, "................................."},
        {"negative with low bits set: none", -3, "................................."},
    };
    for (const Case& c : cases) {
        LaunchConfig fields;
        fields.SelectedCPU = c.mask;
        frmKorvel& form = Open(fields);
        std::string expected = c.rows;
        expected.resize(1 + static_cast<std::size_t>(Processors()), '.');
        EXPECT_EQ(Ticks(List(form, L"lstCPU")), expected) << c.label;
        Close();
    }
}

TEST_F(DialogTest, ProgramRowsFromTheFolder)
{
    struct Case {
        const char* label;
        std::vector<std::wstring> files;
        std::wstring exeName;
        std::vector<std::wstring> listed;   // as a set
        std::wstring ticked;                // empty: the first row
    };
    const std::vector<Case> cases = {
        {"the stored name is ticked", {L"a.exe", L"b.exe", L"c.exe"}, L"b.exe", {L"a.exe", L"b.exe", L"c.exe"},
         L"b.exe"},
        {"a stored name no longer there ticks the first row", {L"a.exe", L"b.exe"}, L"gone.exe",
         {L"a.exe", L"b.exe"}, L""},
        {"the launcher's own name is not listed", {L"Korvel.exe", L"b.exe"}, L"", {L"b.exe"}, L"b.exe"},
        {"the launcher in upper case is listed", {L"KORVEL.EXE", L"b.exe"}, L"KORVEL.EXE",
         {L"KORVEL.EXE", L"b.exe"}, L"KORVEL.EXE"},
        {"names match with case only", {L"Game.exe"}, L"game.exe", {L"Game.exe"}, L""},
        {"other files and folders are not listed", {L"b.exe", L"readme.txt", L"dir.exe\\"}, L"", {L"b.exe"}, L""},
        {"Chinese names", {L"游戏.exe", L"b.exe"}, L"游戏.exe", {L"游戏.exe", L"b.exe"}, L"游戏.exe"},
    };
    for (const Case& c : cases) {
        kt::TempFolder folder(L"korvel-programs");
        for (const std::wstring& f : c.files) {
            if (f.back() == L'\\')
                CreateDirectoryW(folder.file(f.substr(0, f.size() - 1)).c_str(), nullptr);
            else
                kt::WriteBytes(folder.file(f), "MZ");
        }
        LaunchConfig fields;
        fields.EXEName = c.exeName;
        frmKorvel& form = Open(fields, folder.path());
        host::CheckList& list = List(form, L"lstEXE");
        const std::vector<std::wstring> rows = Rows(list);
        EXPECT_EQ(std::set<std::wstring>(rows.begin(), rows.end()),
                  std::set<std::wstring>(c.listed.begin(), c.listed.end()))
            << c.label;
        std::string expected(rows.size(), '.');
        const auto at = std::find(rows.begin(), rows.end(), c.ticked);
        expected[c.ticked.empty() || at == rows.end() ? 0 : at - rows.begin()] = 'x';
        EXPECT_EQ(Ticks(list), expected) << c.label;
        EXPECT_TRUE(boxes.empty()) << c.label;
        Close();
        for (const std::wstring& f : c.files)
            if (f.back() == L'\\')
                RemoveDirectoryW(folder.file(f.substr(0, f.size() - 1)).c_str());
    }
}

TEST_F(DialogTest, AFolderWithoutProgramsWarnsAndOkAsksForOne)
{
    AddProgram(L"Korvel.exe");
    LaunchConfig fields;
    fields.EXEParam = L"-x";
    frmKorvel& form = Open(fields);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"当前目录下没有可执行文件!");
    EXPECT_EQ(boxes[0].title, L"警告");
    EXPECT_EQ(boxes[0].icon, host::MsgIcon::Information);
    EXPECT_EQ(List(form, L"lstEXE").ListCount(), 0);
    // The rest is not set up from the fields.
    EXPECT_EQ(Ticks(List(form, L"lstCPUPriority")), "....");
    EXPECT_EQ(Ticks(List(form, L"lstIOPriority")), "....");
    EXPECT_EQ(form.Control<host::TextBox>(L"txtParam").Text(), L"");
    boxes.clear();
    Press(form, L"cmdOK");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"必须选择一个可执行文件!");
    EXPECT_EQ(boxes[0].title, host::AppTitle());
    EXPECT_TRUE(form.Visible()) << "the dialog stays open";
}

// ---- The lists' tick rules, clicked ------------------------------------------

TEST_F(DialogTest, ClickingProcessorRowsFollowsAllCpu)
{
    AddProgram(L"game.exe");
    frmKorvel& form = Open(LaunchConfig());
    host::CheckList& cpus = List(form, L"lstCPU");
    const std::string all(cpus.ListCount(), 'x'), none(cpus.ListCount(), '.');
    auto with = [&](std::string s, int row, char c) {
        s[row] = c;
        return s;
    };
    ClickRow(cpus, 0);
    EXPECT_EQ(Ticks(cpus), none) << "unticking AllCPU unticks every processor";
    ClickRow(cpus, 1);
    EXPECT_EQ(Ticks(cpus), with(none, 1, 'x'));
    ClickRow(cpus, 0);
    EXPECT_EQ(Ticks(cpus), all) << "ticking AllCPU ticks every processor";
    ClickRow(cpus, 1);
    EXPECT_EQ(Ticks(cpus), with(with(all, 0, '.'), 1, '.')) << "unticking a processor unticks AllCPU";
    ClickRow(cpus, 1);
    EXPECT_EQ(Ticks(cpus), with(all, 0, '.')) << "ticking the last processor leaves AllCPU unticked";
}

TEST_F(DialogTest, ClickingRowsOfTheOtherListsKeepsAtMostOneTicked)
{
    AddProgram(L"a.exe");
    AddProgram(L"b.exe");
    AddProgram(L"c.exe");
    frmKorvel& form = Open(LaunchConfig());
    struct Case {
        const wchar_t* list;
        int row;
        const char* after;
    };
    const std::vector<Case> steps = {
        {L"lstEXE", 2, "..x"},         {L"lstEXE", 1, ".x."},
        {L"lstEXE", 1, "..."},         {L"lstCPUPriority", 3, "...x"},
        {L"lstCPUPriority", 0, "x..."}, {L"lstCPUPriority", 0, "...."},
        {L"lstIOPriority", 1, ".x.."},  {L"lstIOPriority", 3, "...x"},
    };
    for (const Case& s : steps) {
        ClickRow(List(form, s.list), s.row);
        EXPECT_EQ(Ticks(List(form, s.list)), s.after) << Narrow(s.list) << " row " << s.row;
    }
}

// ---- OK and Cancel -------------------------------------------------------------

TEST_F(DialogTest, OkChecksEachChoiceInOrderThenHides)
{
    AddProgram(L"game.exe");
    frmKorvel& form = Open(LaunchConfig());
    const std::wstring title = host::AppTitle();
    struct Step {
        const char* label;
        std::vector<std::pair<const wchar_t*, int>> clicks;   // list, row
        const wchar_t* message;                               // null: accepted
    };
    const std::vector<Step> steps = {
        {"no program", {{L"lstEXE", 0}}, L"必须选择一个可执行文件!"},
        {"no processor", {{L"lstEXE", 0}, {L"lstCPU", 0}}, L"至少要选择一个CPU!"},
        {"no CPU priority", {{L"lstCPU", 1}, {L"lstCPUPriority", 1}}, L"至少要选择一个优先级!"},
        {"no I/O priority", {{L"lstCPUPriority", 0}, {L"lstIOPriority", 2}}, L"至少要选择一个优先级!"},
        {"complete", {{L"lstIOPriority", 3}}, nullptr},
    };
    for (const Step& s : steps) {
        for (auto [list, row] : s.clicks)
            ClickRow(List(form, list), row);
        boxes.clear();
        Press(form, L"cmdOK");
        if (s.message) {
            ASSERT_EQ(boxes.size(), 1u) << s.label;
            EXPECT_EQ(boxes[0].text, s.message) << s.label;
            EXPECT_EQ(boxes[0].title, title) << s.label;
            EXPECT_EQ(boxes[0].icon, host::MsgIcon::Information) << s.label;
            EXPECT_TRUE(form.Visible()) << s.label;
        } else {
            EXPECT_TRUE(boxes.empty()) << s.label;
            EXPECT_FALSE(form.Visible()) << s.label;
        }
        if (std::string(s.label) == "no processor") {
            EXPECT_EQ(form.Config.SelectedCPU, 0);
        }
        if (std::string(s.label) == "no CPU priority") {
            EXPECT_EQ(form.Config.CPUPRIORITY, -1) << "the field keeps what the failed check set";
        }
    }
    EXPECT_EQ(form.Config.EXEName, L"game.exe");
    EXPECT_EQ(form.Config.SelectedCPU, 1);
    EXPECT_EQ(form.Config.CPUPRIORITY, 0);
    EXPECT_EQ(form.Config.IOPRIORITY, 3);
    EXPECT_EQ(form.Config.isCancel, 0);
}

TEST_F(DialogTest, ParametersRememberBoxAndWindowStateReachTheFields)
{
    AddProgram(L"game.exe");
    frmKorvel& form = Open(LaunchConfig());
    auto& params = form.Control<host::TextBox>(L"txtParam");
    Type(params, L"-window 参数");
    EXPECT_EQ(form.Config.EXEParam, L"-window 参数");
    auto& remember = form.Control<host::CheckBox>(L"chkRemember");
    ClickWindow(remember.hWnd());
    EXPECT_EQ(form.Config.isRemember, 1);
    ClickWindow(remember.hWnd());
    EXPECT_EQ(form.Config.isRemember, 0);
    ClickWindow(remember.hWnd());
    // The window state is read only when OK is accepted.
    auto& style = form.Control<host::DropDownList>(L"cbStyle");
    SendMessageW(style.hWnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(style.ListIndex(), 2);
    EXPECT_EQ(form.Config.ShowStyle, 1);
    Press(form, L"cmdOK");
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(form.Config.ShowStyle, 2);
    EXPECT_EQ(form.Config.isRemember, 1);
    EXPECT_EQ(form.Config.EXEParam, L"-window 参数");
}

TEST_F(DialogTest, CancelAndTheTitleBarBothCancel)
{
    AddProgram(L"game.exe");
    for (const char* how : {"Cancel button", "title bar"}) {
        frmKorvel& form = Open(LaunchConfig());
        EXPECT_EQ(form.Config.isCancel, 0) << how;
        if (std::string(how) == "Cancel button")
            Press(form, L"cmdCancel");
        else
            SendMessageW(form.hWnd(), WM_CLOSE, 0, 0);
        EXPECT_EQ(form.Config.isCancel, -1) << how;
        EXPECT_FALSE(form.Visible()) << how;
        EXPECT_TRUE(form.Loaded()) << how << ": the entry routine unloads it";
        EXPECT_TRUE(boxes.empty()) << how;
        Close();
    }
}

// ---- Labels ------------------------------------------------------------------------

TEST_F(DialogTest, HoveringALabelPaintsItBlueAndBoldUntilTheMouseIsOverTheForm)
{
    AddProgram(L"game.exe");
    frmKorvel& form = Open(LaunchConfig());
    auto& version = form.Control<host::Label>(L"labVer");
    auto& tutorial = form.Control<host::Label>(L"Label5");
    const Ink plainVersion = InkOf(version.hWnd());
    EXPECT_GT(plainVersion.black, 0);
    EXPECT_EQ(plainVersion.blue, 0);

    SendMessageW(version.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(version.ForeColor(), 0x00FF0000u);
    EXPECT_TRUE(version.Bold());
    const Ink hot = InkOf(version.hWnd());
    EXPECT_GT(hot.blue, 0);
    EXPECT_EQ(hot.black, 0);
    EXPECT_GT(hot.any, plainVersion.any) << "bold text covers more pixels";
    EXPECT_EQ(InkOf(tutorial.hWnd()).blue, 0) << "only the label under the mouse";

    SendMessageW(tutorial.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_GT(InkOf(tutorial.hWnd()).blue, 0);
    EXPECT_TRUE(tutorial.Bold());

    SendMessageW(form.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    for (host::Label* label : {&version, &tutorial}) {
        EXPECT_EQ(label->ForeColor(), 0u);
        EXPECT_FALSE(label->Bold());
        const Ink back = InkOf(label->hWnd());
        EXPECT_EQ(back.blue, 0);
        EXPECT_GT(back.black, 0);
    }
}

TEST_F(DialogTest, TheLabelsShowTheLinkCursor)
{
    AddProgram(L"game.exe");
    frmKorvel& form = Open(LaunchConfig());
    for (const wchar_t* name : {L"Label5", L"labVer"}) {
        auto& label = form.Control<host::Label>(name);
        ASSERT_TRUE(label.MouseIcon()) << Narrow(name);
        EXPECT_EQ(label.MousePointer(), 99);
        EXPECT_EQ(label.MouseIcon()->type, host::Picture::Type::Cursor);
        EXPECT_EQ(label.MouseIcon()->width, 32);
        EXPECT_EQ(label.MouseIcon()->height, 32);
        SetCursor(nullptr);
        SendMessageW(label.hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(label.hWnd()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(GetCursor()), label.MouseIcon()->handle) << Narrow(name);
    }
}

// A web page opened as the links open it: the shell's default verb, no
// owner, no parameters, no directory, shown normally (1).
void ExpectBrowserOpen(const ShellCall& call, const std::wstring& address)
{
    EXPECT_EQ(call.target, address);
    EXPECT_FALSE(call.owner) << Narrow(address);
    EXPECT_FALSE(call.verb) << Narrow(address);
    EXPECT_FALSE(call.parameters) << Narrow(address);
    EXPECT_FALSE(call.directory) << Narrow(address) << ": no directory";
    EXPECT_EQ(call.show, 1) << Narrow(address);
}

TEST_F(DialogTest, TheVersionLabelOpensTheMakersPage)
{
    AddProgram(L"game.exe");
    frmKorvel& form = Open(LaunchConfig());
    ClickWindow(form.Control<host::Label>(L"labVer").hWnd());
    EXPECT_EQ(opened, (std::vector<std::wstring>{L"https://marrowick.example.com/vexilo/"}));
    ASSERT_EQ(shellCalls.size(), 1u);
    ExpectBrowserOpen(shellCalls[0], L"https://marrowick.example.com/vexilo/");
    EXPECT_TRUE(form.Visible());
}

// ---- The tutorial --------------------------------------------------------------------

TEST_F(DialogTest, TheTutorialShowsOneStepAtATimeAndItsButtonsWork)
{
    AddProgram(L"game.exe");
    frmKorvel& form = Open(LaunchConfig());
    bool ran = false;
    OnModal(L"frmHelp", [&](host::Form& help) {
        ran = true;
        EXPECT_EQ(help.Caption(), L"使用教程");
        EXPECT_EQ(GetWindow(help.hWnd(), GW_OWNER), form.hWnd()) << "modal over the dialog";
        EXPECT_FALSE(IsWindowEnabled(form.hWnd()));
        const std::vector<host::OptionButton*> steps = help.ControlArray<host::OptionButton>(L"Option1");
        ASSERT_EQ(steps.size(), 3u);
        const int lefts[] = {249, 495, 780};
        const wchar_t* texts[] = {L"第一步，复制本程序到目标程序同目录", L"第二步，修改原来程序的快捷方式，指向本程序",
                                  L"第三步，通过修改后的快捷方式启动，并设置要绑定的CPU。"};
        for (int i = 0; i < 3; ++i) {
            const RECT r = ClientRectIn(steps[i]->hWnd(), help.hWnd());
            EXPECT_EQ(r.left, lefts[i]) << "step " << i;
            EXPECT_EQ(r.top, 567) << "step " << i;
            EXPECT_EQ(r.bottom - r.top, 22) << "step " << i;
            EXPECT_EQ(steps[i]->Caption(), texts[i]);
        }
        EXPECT_TRUE(steps[0]->Value());
        const std::vector<host::PictureBox*> pictures = help.ControlArray<host::PictureBox>(L"Image1");
        ASSERT_EQ(pictures.size(), 3u);
        const RECT places[] = {{333, 75, 333 + 497, 75 + 341}, {0, 3, 1242, 561}, {285, 60, 285 + 602, 60 + 456}};
        for (int i = 0; i < 3; ++i) {
            const RECT r = ClientRectIn(pictures[i]->hWnd(), help.hWnd());
            EXPECT_TRUE(EqualRect(&r, &places[i]))
                << "picture " << i << " at " << r.left << "," << r.top << " " << r.right - r.left << "x"
                << r.bottom - r.top;
            ASSERT_TRUE(pictures[i]->Picture());
            EXPECT_EQ(BitsPerPixel(*pictures[i]->Picture()), 24) << "picture " << i;
        }
        EXPECT_EQ(VisiblePictures(help), "x..");
        // The picture is what the window paints.
        EXPECT_EQ(PaintedPixel(pictures[0]->hWnd(), 1, 1), PicturePixel(*pictures[0]->Picture(), 1, 1));

        ClickWindow(steps[1]->hWnd());
        EXPECT_EQ(VisiblePictures(help), ".x.") << "step two covers the window from its left edge";
        ClickWindow(steps[1]->hWnd());
        EXPECT_EQ(VisiblePictures(help), ".x.") << "choosing the chosen step keeps its picture";
        ClickWindow(steps[2]->hWnd());
        EXPECT_EQ(VisiblePictures(help), "..x");

        PressButton(help.Control<kx::kxButtons_H>(L"kxButtons_H1"));
        PressButton(help.Control<kx::kxButtons_H>(L"kxButtons_H2"));
        EXPECT_EQ(opened, (std::vector<std::wstring>{kMakerWebPage, kMakerShop}));
        if (shellCalls.size() == 2) {
            ExpectBrowserOpen(shellCalls[0], L"https://marrowick.example.com/vexilo/");
            ExpectBrowserOpen(shellCalls[1], L"https://marrowick.example.com/shop/");
        }
        PressButton(help.Control<kx::kxButtons_H>(L"kxButtons_H3"));
    });
    ClickWindow(form.Control<host::Label>(L"Label5").hWnd());
    EXPECT_TRUE(ran) << "the tutorial did not show";
    EXPECT_EQ(shellCalls.size(), 2u) << "the close button opens nothing";
    EXPECT_TRUE(IsWindowEnabled(form.hWnd()));
    EXPECT_FALSE(FindForm(L"frmHelp")) << "unloaded after it closed";

    // Each showing starts again at step one.
    std::string firstStepAgain;
    OnModal(L"frmHelp", [&](host::Form& help) {
        firstStepAgain = VisiblePictures(help);
        SendMessageW(help.hWnd(), WM_CLOSE, 0, 0);   // its title bar
    });
    ClickWindow(form.Control<host::Label>(L"Label5").hWnd());
    EXPECT_EQ(firstStepAgain, "x..");
    EXPECT_FALSE(FindForm(L"frmHelp"));
}

TEST_F(DialogTest, ReturningFromTheTutorialRebuildsTheListsAndKeepsTheParameters)
{
    AddProgram(L"a.exe");
    AddProgram(L"b.exe");
    LaunchConfig fields;
    fields.EXEName = L"b.exe";
    fields.SelectedCPU = 1;
    fields.CPUPRIORITY = 2;
    fields.IOPRIORITY = 1;
    fields.ShowStyle = 3;
    frmKorvel& form = Open(fields);
    const std::string cpuTicks = Ticks(List(form, L"lstCPU"));
    const std::string programTicks = Ticks(List(form, L"lstEXE"));
    // Choices not confirmed with OK...
    ClickRow(List(form, L"lstCPU"), 0);
    ClickRow(List(form, L"lstCPUPriority"), 0);
    ClickRow(List(form, L"lstIOPriority"), 3);
    ClickRow(List(form, L"lstEXE"), Ticks(List(form, L"lstEXE")).find('.'));
    SendMessageW(form.Control<host::DropDownList>(L"cbStyle").hWnd(), WM_KEYDOWN, VK_UP, 0);
    Type(form.Control<host::TextBox>(L"txtParam"), L"-fast");
    ClickWindow(form.Control<host::CheckBox>(L"chkRemember").hWnd());
    ASSERT_NE(Ticks(List(form, L"lstCPU")), cpuTicks);

    OnModal(L"frmHelp", [&](host::Form& help) { PressButton(help.Control<kx::kxButtons_H>(L"kxButtons_H3")); });
    ClickWindow(form.Control<host::Label>(L"Label5").hWnd());

    // ...go back to the fields; the parameters and the remember box stay.
    EXPECT_EQ(ShownBy(form), (Shown{programTicks, cpuTicks, "..x.", ".x..", 3, L"-fast", 1}));
    EXPECT_EQ(form.Config.EXEParam, L"-fast");
    EXPECT_EQ(form.Config.isRemember, 1);
}

// ---- Texts are drawable ------------------------------------------------------------

TEST_F(DialogTest, EveryChineseTextHasGlyphsInTheFontItIsDrawnWith)
{
    AddProgram(L"游戏.exe");
    frmKorvel& form = Open(LaunchConfig());
    std::vector<std::pair<std::wstring, host::Font>> texts;
    for (const wchar_t* name : {L"Label1", L"Label2", L"Label3", L"Label4", L"Label5", L"Label6", L"labVer"}) {
        auto& l = form.Control<host::Label>(name);
        texts.push_back({l.Caption(), l.Font()});
    }
    for (const wchar_t* name : {L"lstEXE", L"lstCPU", L"lstCPUPriority", L"lstIOPriority"}) {
        host::CheckList& list = List(form, name);
        for (const std::wstring& row : Rows(list))
            texts.push_back({row, list.Font()});
    }
    for (const wchar_t* name : {L"cmdOK", L"cmdCancel"}) {
        auto& b = form.Control<kx::kxButtons_H>(name);
        texts.push_back({b.Caption(), b.Font()});
    }
    auto& remember = form.Control<host::CheckBox>(L"chkRemember");
    texts.push_back({remember.Caption(), remember.Font()});
    for (const auto& [text, font] : texts)
        EXPECT_EQ(MissingGlyphs(text, font), L"") << Narrow(text) << " in " << Narrow(font.name);
}

// ---- The entry routine with the real dialog ------------------------------------------

TEST_F(DialogTest, FirstRunThroughTheEntryRoutineStoresAllSevenKeysInOrder)
{
    ASSERT_TRUE(CopyFileW(kt::ProbePath().c_str(), folder.file(L"game.exe").c_str(), FALSE));
    const std::wstring savedPath = kt::Environment(L"PATH");
    LaunchOptions options;
    options.folder = folder.path();
    const std::wstring where = folder.path();
    options.createDialog = [where] { return std::make_unique<frmKorvel>(where, L"Korvel.exe"); };
    bool shown = false;
    OnModal(L"frmKorvel", [&](host::Form& f) {
        shown = true;
        auto& form = dynamic_cast<frmKorvel&>(f);
        Type(form.Control<host::TextBox>(L"txtParam"), L"-window");
        ClickRow(List(form, L"lstCPUPriority"), 2);
        Press(form, L"cmdOK");
    });
    EXPECT_TRUE(Main(options));
    SetEnvironmentVariableW(L"PATH", savedPath.c_str());
    EXPECT_TRUE(shown);
    EXPECT_TRUE(boxes.empty());
    const std::vector<std::string> expected = {
        "[Config]",      "EXEName=game.exe", "EXEParam=-window", "SelectedCPU=" + std::to_string(AllProcessorsMask()),
        "isRemember=0",  "CPUPriority=2",    "IOPriority=2",     "ShowStyle=1"};
    EXPECT_EQ(kt::ReadLines(folder.file(L"Korveled.ini")), expected);
    const kt::Report report = kt::WaitForReport(folder.file(L"game.exe"), 10000);
    ASSERT_FALSE(report.empty()) << "the chosen program did not start";
    EXPECT_EQ(report.at("cmdline"), "game.exe -window");
    EXPECT_FALSE(FindForm(L"frmKorvel")) << "the routine unloads the dialog";
}

TEST_F(DialogTest, CancellingTheFirstRunEndsInTheFailureMessageAndLeavesNoFile)
{
    AddProgram(L"game.exe");
    const std::wstring savedPath = kt::Environment(L"PATH");
    for (const char* how : {"Cancel button", "title bar"}) {
        boxes.clear();
        LaunchOptions options;
        options.folder = folder.path();
        const std::wstring where = folder.path();
        options.createDialog = [where] { return std::make_unique<frmKorvel>(where, L"Korvel.exe"); };
        OnModal(L"frmKorvel", [&](host::Form& f) {
            if (std::string(how) == "Cancel button")
                Press(dynamic_cast<frmKorvel&>(f), L"cmdCancel");
            else
                SendMessageW(f.hWnd(), WM_CLOSE, 0, 0);
        });
        EXPECT_FALSE(Main(options)) << how;
        ASSERT_EQ(boxes.size(), 1u) << how;
        EXPECT_EQ(boxes[0].text, L"执行失败,退出本次执行!") << how;
        EXPECT_EQ(boxes[0].title, L"Vexilo") << how;
        EXPECT_FALSE(kt::FileExists(folder.file(L"Korveled.ini"))) << how;
        EXPECT_FALSE(FindForm(L"frmKorvel")) << how;
    }
    SetEnvironmentVariableW(L"PATH", savedPath.c_str());
}

// ---- The dialog's own buttons ----------------------------------------------------

TEST_F(DialogTest, OkAndCancelPaintTheirCaptionsCentredInStyleTwo)
{
    AddProgram(L"game.exe");
    frmKorvel& form = Open(LaunchConfig());
    std::vector<std::uint32_t> inkRows[2];
    int n = 0;
    for (const wchar_t* name : {L"cmdOK", L"cmdCancel"}) {
        SCOPED_TRACE(Narrow(name));
        auto& button = form.Control<kx::kxButtons_H>(name);
        EXPECT_EQ(button.ButtonStyle(), 2);
        EXPECT_EQ(button.CaptionAlign(), 2);
        const kxtest::Frame frame(button.hWnd());
        const int W = frame.Width(), H = frame.Height();
        ASSERT_EQ(W, 90);   // 1350 x 420 twips
        ASSERT_EQ(H, 28);
        // Style 2's outer outline (0x733C00) on every side, and the corner
        // pixels it sets to the same colour after the bevel.
        const POINT outline[] = {{W / 2, 0}, {W / 2, H - 1}, {0, H / 2}, {W - 1, H / 2},
                                 {1, 1},     {1, H - 2},     {W - 2, 1}, {W - 2, H - 2}};
        for (const POINT& p : outline)
            EXPECT_EQ(kxtest::Hex(frame.At(p.x, p.y)), kxtest::Hex(0x733C00)) << p.x << "," << p.y;
        // The caption in the button text colour (black), inside the bevel,
        // centred both ways.
        const RECT ink = frame.Find(0x000000, 3, 3, W - 3, H - 3);
        ASSERT_FALSE(IsRectEmpty(&ink)) << "no caption painted";
        EXPECT_GE(ink.right - ink.left, 16) << "two characters";
        EXPECT_NEAR((ink.left + ink.right) / 2.0, W / 2.0, 1.5);
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0, H / 2.0, 3.0);
        for (int y = 0; y < H; ++y) {
            std::uint32_t bits = 0;
            for (int x = ink.left; x < ink.right && x - ink.left < 32; ++x)
                if (frame.At(x, y) == 0)
                    bits |= 1u << (x - ink.left);
            inkRows[n].push_back(bits);
        }
        ++n;
    }
    EXPECT_NE(inkRows[0], inkRows[1]) << "确定 and 取消 are drawn differently";
}

TEST_F(DialogTest, TheButtonsAreFoundByTheirCaptions)
{
    AddProgram(L"game.exe");
    frmKorvel& form = Open(LaunchConfig());
    const std::pair<const wchar_t*, const wchar_t*> buttons[] = {{L"cmdOK", L"确定"}, {L"cmdCancel", L"取消"}};
    for (const auto& [name, caption] : buttons) {
        HWND h = form.Control<kx::kxButtons_H>(name).hWnd();
        EXPECT_EQ(FindWindowExW(form.hWnd(), nullptr, L"kxButtons_H", caption), h) << Narrow(caption);
        EXPECT_EQ(host::ControlBase::InstanceNameOf(h), name) << "the instance name stays reachable";
    }
    wchar_t text[64] = {};
    GetWindowTextW(form.Control<host::Label>(L"Label1").hWnd(), text, 64);
    EXPECT_STREQ(text, L"要启动的进程:") << "labels keep their captions";

    std::vector<std::wstring> texts;
    OnModal(L"frmHelp", [&](host::Form& help) {
        for (const wchar_t* name : {L"kxButtons_H1", L"kxButtons_H2", L"kxButtons_H3"}) {
            wchar_t t[64] = {};
            GetWindowTextW(help.Control<kx::kxButtons_H>(name).hWnd(), t, 64);
            texts.push_back(t);
        }
        PressButton(help.Control<kx::kxButtons_H>(L"kxButtons_H3"));
    });
    ClickWindow(form.Control<host::Label>(L"Label5").hWnd());
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"访问我的网站", L"访问我的网店", L"关闭"}));
}

// ---- The entry routine: I/O priority and choosing again ----------------------------

int FirstTickedRow(const host::CheckList& list)
{
    for (int r = 0; r < list.ListCount(); ++r)
        if (list.Selected(r))
            return r;
    return -1;
}

TEST_F(DialogTest, TheIoPriorityReachesTheNativeCallForKorvelAndTheStartedProgram)
{
    // IOPriority 0 to 3, stored and remembered or chosen in the dialog:
    // the same value, class 33 in four bytes, first for Korvel's own
    // process, then for the program it started.
    for (const bool fromDialog : {false, true})
        for (std::int32_t io = 0; io <= 3; ++io) {
            SCOPED_TRACE(std::string(fromDialog ? "dialog" : "settings file") + ", IOPriority " + std::to_string(io));
            kt::TempFolder where(L"korvel-io");
            ASSERT_TRUE(CopyFileW(kt::ProbePath().c_str(), where.file(L"game.exe").c_str(), FALSE));
            if (!fromDialog)
                kt::WriteBytes(where.file(L"Korveled.ini"),
                               "[Config]\r\nEXEName=game.exe\r\nEXEParam=\r\nSelectedCPU=0\r\nCPUPriority=1\r\n"
                               "IOPriority=" + std::to_string(io) + "\r\nShowStyle=1\r\nisRemember=1\r\n");
            else
                OnModal(L"frmKorvel", [&](host::Form& f) {
                    // Another row first: clicking the ticked row would untick it.
                    ClickRow(List(f, L"lstIOPriority"), (io + 1) % 4);
                    ClickRow(List(f, L"lstIOPriority"), io);
                    EXPECT_EQ(FirstTickedRow(List(f, L"lstIOPriority")), io);
                    Press(f, L"cmdOK");
                });
            LaunchOptions options;
            options.folder = where.path();
            const std::wstring folderPath = where.path();
            options.createDialog = [folderPath] { return std::make_unique<frmKorvel>(folderPath, L"Korvel.exe"); };
            options.shiftHeld = [] { return false; };
            kt::NativeCallRecorder native;
            const std::wstring savedPath = kt::Environment(L"PATH");
            EXPECT_TRUE(Main(options));
            SetEnvironmentVariableW(L"PATH", savedPath.c_str());
            const kt::Report report = kt::WaitForReport(where.file(L"game.exe"), 10000);
            ASSERT_FALSE(report.empty()) << "the program did not start";
            const DWORD child = static_cast<DWORD>(std::stoul(report.at("pid")));
            const std::vector<kt::SetInformationCall> expected = {{GetCurrentProcessId(), 33, io, 4},
                                                                  {child, 33, io, 4}};
            EXPECT_EQ(native.calls, expected);
            EXPECT_TRUE(boxes.empty());
        }
}

TEST_F(DialogTest, ShiftOpensTheRememberedChoiceInTheDialog)
{
    AddProgram(L"a.exe");
    ASSERT_TRUE(CopyFileW(kt::ProbePath().c_str(), folder.file(L"b.exe").c_str(), FALSE));
    const std::string remembered = "[Config]\r\nEXEName=b.exe\r\nEXEParam=-fast\r\nSelectedCPU=1\r\nCPUPriority=2\r\n"
                                   "IOPriority=1\r\nShowStyle=3\r\nisRemember=1\r\n";
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "Cancel" : "OK");
        kt::WriteBytes(folder.file(L"Korveled.ini"), remembered);
        boxes.clear();
        LaunchOptions options;
        options.folder = folder.path();
        const std::wstring where = folder.path();
        options.createDialog = [where] { return std::make_unique<frmKorvel>(where, L"Korvel.exe"); };
        options.shiftHeld = [] { return true; };
        bool shown = false;
        OnModal(L"frmKorvel", [&](host::Form& f) {
            shown = true;
            auto& form = dynamic_cast<frmKorvel&>(f);
            const std::vector<std::wstring> programs = Rows(List(form, L"lstEXE"));
            std::string programTicks(programs.size(), '.');
            programTicks[std::find(programs.begin(), programs.end(), L"b.exe") - programs.begin()] = 'x';
            std::string cpus = ".x";   // processor 0 only
            cpus.resize(1 + static_cast<std::size_t>(Processors()), '.');
            EXPECT_EQ(ShownBy(form), (Shown{programTicks, cpus, "..x.", ".x..", 3, L"-fast", 1}));
            if (cancel) {
                Press(form, L"cmdCancel");
            } else {
                ClickRow(List(form, L"lstIOPriority"), 3);
                Press(form, L"cmdOK");
            }
        });
        const std::wstring savedPath = kt::Environment(L"PATH");
        EXPECT_EQ(Main(options), !cancel);
        SetEnvironmentVariableW(L"PATH", savedPath.c_str());
        EXPECT_TRUE(shown) << "Shift shows the dialog for a remembered choice";
        if (cancel) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, L"执行失败,退出本次执行!");
            EXPECT_EQ(kt::ReadBytes(folder.file(L"Korveled.ini")), remembered) << "Cancel writes nothing";
            EXPECT_FALSE(kt::FileExists(folder.file(L"b.exe.report")));
        } else {
            EXPECT_TRUE(boxes.empty());
            const std::vector<std::string> stored = {"[Config]",      "EXEName=b.exe", "EXEParam=-fast",
                                                     "SelectedCPU=1", "CPUPriority=2", "IOPriority=3",
                                                     "ShowStyle=3",   "isRemember=1"};
            EXPECT_EQ(kt::ReadLines(folder.file(L"Korveled.ini")), stored);
            const kt::Report report = kt::WaitForReport(folder.file(L"b.exe"), 10000);
            ASSERT_FALSE(report.empty());
            EXPECT_EQ(report.at("cmdline"), "b.exe -fast");
        }
    }
}

} // namespace
