// See frmKorvel.h.
#include "frmKorvel.h"

#include "host/App.h"
#include "host/StdControls.h"
#include "korvel/button/kxButtons_H.h"

#include <windows.h>

namespace korvel {

namespace {

const wchar_t* const kCpuPriorityRows[] = {L"低(空闲时响应)", L"普通", L"高", L"实时(慎用)"};
const wchar_t* const kIoPriorityRows[] = {L"非常低(空闲时响应)", L"低", L"普通", L"非常高(慎用)"};
const wchar_t* const kWindowStateRows[] = {L"隐藏", L"常规窗口", L"最小化", L"最大化"};

constexpr host::Colour kHoverColour = 0x00FF0000;  // blue
constexpr host::Colour kPlainColour = 0x00000000;  // black

// A check list as the tick rules see it.
class ListRows : public TickRows {
public:
    explicit ListRows(host::CheckList& list) : list_(list) {}
    int Count() const override { return list_.ListCount(); }
    bool Ticked(int row) const override { return list_.Selected(row); }
    void SetTicked(int row, bool ticked) override { list_.SetSelected(row, ticked); }
    std::wstring Text(int row) const override { return list_.List(row); }

private:
    host::CheckList& list_;
};

// Untick every row, then tick `row` (nothing when it does not exist).
void TickOnly(host::CheckList& list, int row)
{
    for (int r = 0; r < list.ListCount(); ++r)
        list.SetSelected(r, false);
    list.SetSelected(row, true);
}

} // namespace

frmKorvel::frmKorvel() : frmKorvel(LauncherFolder(), OwnProgramName(LauncherProgramPath())) {}

frmKorvel::frmKorvel(std::wstring folder, std::wstring ownName)
    : Form(L"frmKorvel"), folder_(std::move(folder)), ownName_(std::move(ownName))
{
    RegisterLauncherControls();
    LoadFromResource(L"FRMKORVEL");
}

void frmKorvel::ShowModal() { host::Form::ShowModal(nullptr); }

void frmKorvel::Unload() { host::Form::Unload(); }

host::CheckList& frmKorvel::List(const wchar_t* name) const { return Control<host::CheckList>(name); }

host::Label& frmKorvel::LabelNamed(const wchar_t* name) const { return Control<host::Label>(name); }

void frmKorvel::Form_Load()
{
    // Handlers first: the lists raise item checks while they are filled.
    List(L"lstCPU").ItemCheck.connect([this](int row) {
        ListRows rows(List(L"lstCPU"));
        cpuRule_.ItemCheck(rows, row);
    });
    const std::pair<const wchar_t*, SingleTickRule*> singles[] = {
        {L"lstEXE", &exeRule_}, {L"lstCPUPriority", &cpuPriorityRule_}, {L"lstIOPriority", &ioPriorityRule_}};
    for (const auto& single : singles) {
        const wchar_t* name = single.first;
        SingleTickRule* rule = single.second;
        List(name).ItemCheck.connect([this, name, rule](int row) {
            ListRows rows(List(name));
            rule->ItemCheck(rows, row);
        });
    }
    Control<host::TextBox>(L"txtParam").Change.connect(
        [this] { Config.EXEParam = Control<host::TextBox>(L"txtParam").Text(); });
    Control<host::CheckBox>(L"chkRemember").Click.connect(
        [this] { Config.isRemember = Control<host::CheckBox>(L"chkRemember").Value() == 1 ? 1 : 0; });
    Control<kx::kxButtons_H>(L"cmdOK").Click.connect([this] { OkClick(); });
    Control<kx::kxButtons_H>(L"cmdCancel").Click.connect([this] { CancelClick(); });
    LabelNamed(L"Label5").Click.connect([this] { TutorialClick(); });
    LabelNamed(L"labVer").Click.connect([] { OpenInBrowser(kMakerWebPage); });
    for (const wchar_t* name : {L"Label5", L"labVer"})
        LabelNamed(name).MouseMove.connect([this, name](int, int, float, float) { Highlight(LabelNamed(name), true); });

    Config.isCancel = 0;
    host::CheckList& cpuPriority = List(L"lstCPUPriority");
    cpuPriority.Clear();
    for (const wchar_t* row : kCpuPriorityRows)
        cpuPriority.AddItem(row);
    host::CheckList& ioPriority = List(L"lstIOPriority");
    ioPriority.Clear();
    for (const wchar_t* row : kIoPriorityRows)
        ioPriority.AddItem(row);
    auto& style = Control<host::DropDownList>(L"cbStyle");
    style.Clear();
    for (const wchar_t* row : kWindowStateRows)
        style.AddItem(row);
    style.SetListIndex(1);

    // A remembered choice opened again (Shift at the start) shows the
    // remember box ticked, as the file has it.
    if (Config.isRemember == 1)
        Control<host::CheckBox>(L"chkRemember").SetValue(1);
}

void frmKorvel::Form_Activate()
{
    host::Label& version = LabelNamed(L"labVer");
    version.SetCaption(ExpandVersion(version.Caption()));

    FillProcessors();
    FillPrograms();

    host::CheckList& programs = List(L"lstEXE");
    if (programs.ListCount() == 0) {
        host::MsgBox(kNoProgramsText, host::MsgIcon::Information, kNoProgramsTitle);
        return;
    }
    TickOnly(List(L"lstCPUPriority"), Config.CPUPRIORITY);
    TickOnly(List(L"lstIOPriority"), Config.IOPRIORITY);
    Control<host::TextBox>(L"txtParam").SetText(Config.EXEParam);
    Control<host::DropDownList>(L"cbStyle").SetListIndex(Config.ShowStyle);
}

void frmKorvel::FillProcessors()
{
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    const int count = static_cast<int>(info.dwNumberOfProcessors);
    host::CheckList& cpus = List(L"lstCPU");
    cpus.Clear();
    cpus.AddItem(L"AllCPU");
    for (int i = 1; i <= count; ++i) {
        cpus.AddItem(ProcessorRowName(i - 1));
        if (MaskSelectsProcessor(Config.SelectedCPU, i - 1))
            cpus.SetSelected(i, true);
    }
    if (Config.SelectedCPU == 0)
        cpus.SetSelected(0, true);  // its rule ticks every processor
}

void frmKorvel::FillPrograms()
{
    host::CheckList& programs = List(L"lstEXE");
    programs.Clear();
    bool matched = false;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder_ + L"\\*.exe").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        constexpr DWORD kNotPlain =
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        do {
            const std::wstring name = found.cFileName;
            if ((found.dwFileAttributes & kNotPlain) || !ListsAsProgram(name, ownName_))
                continue;
            programs.AddItem(name);
            if (name == Config.EXEName) {
                programs.SetSelected(programs.ListCount() - 1, true);
                matched = true;
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    if (programs.ListCount() > 0 && !matched)
        programs.SetSelected(0, true);
}

void frmKorvel::OkClick()
{
    const wchar_t* problem =
        AcceptChoice(ListRows(List(L"lstEXE")), ListRows(List(L"lstCPU")), ListRows(List(L"lstCPUPriority")),
                     ListRows(List(L"lstIOPriority")), Control<host::DropDownList>(L"cbStyle").ListIndex(), Config);
    if (problem) {
        host::MsgBox(problem, host::MsgIcon::Information);
        return;
    }
    Hide();
}

void frmKorvel::CancelClick()
{
    Config.isCancel = -1;
    Hide();
}

void frmKorvel::TutorialClick()
{
    frmHelp help;
    help.ShowModal(this);
    help.Unload();
}

void frmKorvel::Highlight(host::Label& label, bool on)
{
    label.SetForeColor(on ? kHoverColour : kPlainColour);
    label.SetBold(on);
}

void frmKorvel::Form_MouseMove(int, int, float, float)
{
    Highlight(LabelNamed(L"Label5"), false);
    Highlight(LabelNamed(L"labVer"), false);
}

void frmKorvel::Form_QueryUnload(bool& cancel, host::UnloadMode mode)
{
    // The title bar's close counts as Cancel; the entry routine unloads.
    if (mode != host::UnloadMode::TitleBar)
        return;
    cancel = true;
    CancelClick();
}

} // namespace korvel
