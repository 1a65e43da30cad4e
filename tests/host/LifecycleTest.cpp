// Owner-drawn controls on a form: the order of their lifecycle events,
// their property bags, painting, input notifications and embedding.
#include "HostTestSupport.h"
#include "SampleControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace hosttest;

namespace {

// Writes every event the host delivers into a shared journal.
class Recorder : public host::UserControl {
public:
    Recorder() : UserControl(L"Recorder") {}
    std::vector<std::wstring>* journal = nullptr;
    static std::vector<std::wstring>* next;  // journal for controls made by the host

    void Note(const std::wstring& e)
    {
        if (!journal)
            journal = next;
        if (journal)
            journal->push_back(Name() + L":" + e);
    }
    void Initialize() override { Note(L"Initialize"); }
    void InitProperties() override { Note(L"InitProperties"); }
    void ReadProperties(const host::PropertyBag& b) override
    {
        text = b.readText(L"Text", L"none");
        Note(L"ReadProperties");
    }
    void Resize() override { Note(L"Resize"); }
    void Show() override { Note(L"Show"); }
    void Hide() override { Note(L"Hide"); }
    void Paint() override { Note(L"Paint"); }
    void EnterFocus() override { Note(L"EnterFocus"); }
    void GotFocus() override { Note(L"GotFocus"); }
    void LostFocus() override { Note(L"LostFocus"); }
    void ExitFocus() override { Note(L"ExitFocus"); }
    void WriteProperties(host::PropertyBag& b) override
    {
        b.write(L"Text", text, std::wstring(L"none"));
        Note(L"WriteProperties");
    }
    void AmbientChanged(const std::wstring& n) override { Note(L"Ambient " + n); }
    void Terminate() override { Note(L"Terminate"); }
    void MouseDown(int b, int s, float x, float y) override
    {
        Note(L"MouseDown " + std::to_wstring(b) + L" " + std::to_wstring(int(x)) + L"," + std::to_wstring(int(y)));
    }
    void MouseUp(int b, int, float, float) override { Note(L"MouseUp " + std::to_wstring(b)); }
    void Click() override { Note(L"Click"); }
    void DblClick() override { Note(L"DblClick"); }
    void KeyDown(int& k, int&) override { Note(L"KeyDown " + std::to_wstring(k)); }
    void KeyPress(int& a) override { Note(L"KeyPress " + std::to_wstring(a)); }
    void KeyUp(int& k, int&) override { Note(L"KeyUp " + std::to_wstring(k)); }
    void AccessKeyPress(int a) override { Note(L"AccessKeyPress " + std::to_wstring(a)); }

    std::wstring text = L"none";
};
std::vector<std::wstring>* Recorder::next = nullptr;

std::wstring Join(const std::vector<std::wstring>& v)
{
    std::wstring out;
    for (auto& s : v)
        out += s + L"\n";
    return out;
}

void ExpectJournal(const std::vector<std::wstring>& got, const std::vector<std::wstring>& want)
{
    EXPECT_EQ(Join(got), Join(want));
}

class Lifecycle : public ::testing::Test {
protected:
    void SetUp() override { Recorder::next = &journal; }
    void TearDown() override
    {
        form.Unload();
        Recorder::next = nullptr;
    }
    std::vector<std::wstring> journal;
    host::Form form{L"frmTest"};
};

TEST_F(Lifecycle, NewPlacementRunsInitPropertiesThenResizeAndShow)
{
    form.AddControl<Recorder>(L"R1", 150, 150, 1500, 600);
    ExpectJournal(journal, {L"R1:Initialize", L"R1:InitProperties", L"R1:Resize", L"R1:Show"});
}

TEST_F(Lifecycle, StoredPropertiesRunReadPropertiesInstead)
{
    host::PropertyBag saved;
    saved.set(L"text", std::wstring(L"kept"));  // key case differs from the read
    auto& r = form.AddControl<Recorder>(L"R1", 0, 0, 1500, 600, &saved);
    ExpectJournal(journal, {L"R1:Initialize", L"R1:ReadProperties", L"R1:Resize", L"R1:Show"});
    EXPECT_EQ(r.text, L"kept");
}

TEST_F(Lifecycle, ABadBagGivenInCodeNamesTheControlAndLeavesNoControl)
{
    host::PropertyBag saved;
    saved.set(L"Text", std::int64_t(5));
    try {
        form.AddControl<Recorder>(L"R1", 0, 0, 1500, 600, &saved);
        ADD_FAILURE() << "accepted";
    } catch (const host::StoredDataError& e) {
        std::string m = e.what();
        EXPECT_NE(m.find("frmTest.R1"), std::string::npos) << m;
        EXPECT_NE(m.find("\"Text\""), std::string::npos) << m;
    }
    EXPECT_EQ(form.FindControl(L"R1"), nullptr);
    EXPECT_EQ(journal.back(), L"R1:Terminate");  // what was started is ended
}

TEST_F(Lifecycle, LaterSizeChangesResizeAndUnloadTerminates)
{
    auto& r = form.AddControl<Recorder>(L"R1", 0, 0, 1500, 600);
    journal.clear();
    r.SetSize(3000, 900);
    EXPECT_EQ(r.ScaleWidth(), 200);
    EXPECT_EQ(r.ScaleHeight(), 60);
    EXPECT_EQ(r.Width(), 3000);
    form.Unload();
    ExpectJournal(journal, {L"R1:Resize", L"R1:Terminate"});
}

TEST_F(Lifecycle, TerminateRunsWhileTheWindowStillExists)
{
    struct Probe : host::UserControl {
        Probe() : UserControl(L"Probe") {}
        bool windowAlive = false;
        bool* out = nullptr;
        void Terminate() override { *out = IsWindow(hWnd()) != 0; }
    };
    bool alive = false;
    auto& p = form.AddControl<Probe>(L"P", 0, 0, 300, 300);
    p.out = &alive;
    form.Unload();
    EXPECT_TRUE(alive);
}

TEST_F(Lifecycle, PaintDrawsOnTheControlsOwnSurface)
{
    auto& s = form.AddControl<Swatch>(L"Swatch1", 0, 0, 600, 600);
    form.Show();
    EXPECT_EQ(PixelAt(s.hWnd(), 5, 5), RGB(255, 0, 0));
    s.SetColour(0x0000FF00);
    EXPECT_EQ(PixelAt(s.hWnd(), 5, 5), RGB(0, 255, 0));
    ASSERT_EQ(s.ChangedProperties().size(), 1u);
    EXPECT_EQ(s.ChangedProperties()[0], L"Colour");
    // Changed again, under any case: still one entry, so the list stays
    // bounded however long the control runs.
    s.SetColour(0x000000FF);
    s.PropertyChanged(L"COLOUR");
    ASSERT_EQ(s.ChangedProperties().size(), 1u);
    s.ClearChangedProperties();
    s.SetColour(0x00FF0000);
    EXPECT_EQ(s.ChangedProperties().size(), 1u);
}

TEST_F(Lifecycle, WindowClassIsTheKindAndTextTheInstanceName)
{
    auto& s = form.AddControl<Swatch>(L"Swatch7", 0, 0, 600, 600);
    wchar_t cls[64], text[64];
    GetClassNameW(s.hWnd(), cls, 64);
    GetWindowTextW(s.hWnd(), text, 64);
    EXPECT_STREQ(cls, L"Swatch");
    EXPECT_STREQ(text, L"Swatch7");
    EXPECT_EQ(GetParent(s.hWnd()), form.hWnd());
    EXPECT_EQ(s.ContainerHwnd(), form.hWnd());
}

TEST_F(Lifecycle, AReportedCaptionBecomesTheWindowTextAndTheNameStaysAProperty)
{
    auto& s = form.AddControl<Swatch>(L"Swatch8", 0, 0, 600, 600);
    wchar_t text[64];
    const auto textNow = [&] {
        GetWindowTextW(s.hWnd(), text, 64);
        return std::wstring(text);
    };
    EXPECT_EQ(host::ControlBase::InstanceNameOf(s.hWnd()), L"Swatch8");
    s.CaptionChanged(L"Ok 确定");
    EXPECT_EQ(textNow(), L"Ok 确定");
    EXPECT_EQ(FindWindowExW(form.hWnd(), nullptr, L"Swatch", L"Ok 确定"), s.hWnd());
    s.CaptionChanged(L"");
    EXPECT_EQ(textNow(), L"Swatch8") << "no caption: the instance name again";
    EXPECT_EQ(host::ControlBase::InstanceNameOf(s.hWnd()), L"Swatch8");
    EXPECT_EQ(host::ControlBase::InstanceNameOf(form.hWnd()), L"") << "a form is no control";
    // The name's atom goes with the window.
    const HWND h = s.hWnd();
    form.RemoveControl(L"Swatch8");
    EXPECT_EQ(GlobalFindAtomW(L"Swatch8"), 0) << "left in the session's atom table";
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(Lifecycle, MouseMessagesBecomeNotificationsInOrder)
{
    auto& r = form.AddControl<Recorder>(L"R1", 0, 0, 1500, 600);
    form.Show();
    journal.clear();
    ClickAt(r.hWnd(), 10, 20);
    SendMessageW(r.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(10, 20));
    SendMessageW(r.hWnd(), WM_LBUTTONUP, 0, At(10, 20));
    SendMessageW(r.hWnd(), WM_RBUTTONDOWN, MK_RBUTTON, At(3, 4));
    SendMessageW(r.hWnd(), WM_RBUTTONUP, 0, At(3, 4));
    std::vector<std::wstring> focusFree;
    for (auto& e : journal)
        if (e.find(L"Focus") == std::wstring::npos && e.find(L"Paint") == std::wstring::npos)
            focusFree.push_back(e);
    ExpectJournal(focusFree, {L"R1:MouseDown 1 10,20", L"R1:MouseUp 1", L"R1:Click", L"R1:DblClick",
                              L"R1:MouseUp 1", L"R1:MouseDown 2 3,4", L"R1:MouseUp 2"});
}

TEST_F(Lifecycle, KeysReachTheControl)
{
    auto& r = form.AddControl<Recorder>(L"R1", 0, 0, 1500, 600);
    journal.clear();
    SendMessageW(r.hWnd(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(r.hWnd(), WM_CHAR, L'a', 0);
    SendMessageW(r.hWnd(), WM_KEYUP, VK_SPACE, 0);
    ExpectJournal(journal, {L"R1:KeyDown 32", L"R1:KeyPress 97", L"R1:KeyUp 32"});
}

TEST_F(Lifecycle, EventsRunTheFormsHandlerBeforeTheRaiseReturns)
{
    auto& s = form.AddControl<Swatch>(L"Swatch1", 0, 0, 600, 600);
    std::vector<int> seen;
    s.Clicked.connect([&](int n) { seen.push_back(n); });
    ClickAt(s.hWnd(), 2, 2);
    ASSERT_EQ(seen.size(), 1u);  // already there when SendMessage returned
    EXPECT_EQ(seen[0], 1);
}

// ---- Embedding -------------------------------------------------------------

// A composite control: a list-like control that embeds a scroll bar (an
// owner-drawn control) and a standard label, and listens to the bar.
class Bar : public host::UserControl {
public:
    Bar() : UserControl(L"Bar") {}
    host::Event<> Change;
    int value = 0;
    void Click() override
    {
        ++value;
        Change.raise();
    }
};

class Composite : public host::UserControl {
public:
    Composite() : UserControl(L"Composite") {}
    Bar* bar = nullptr;
    host::Label* caption = nullptr;
    int changes = 0;
    std::vector<std::wstring>* journal = nullptr;
    void Initialize() override
    {
        bar = &AddControl<Bar>(L"VScroll1", 0, 0, 270, 900);
        bar->Change.connect([this] { ++changes; });
        caption = &AddControl<host::Label>(L"Caption1", 300, 0, 900, 300);
    }
    void Resize() override
    {
        // Keep the bar at the right edge, full height.
        bar->Move(host::PixelsToTwips(ScaleWidth() - 18), 0, 270, host::PixelsToTwips(ScaleHeight()));
    }
    void Terminate() override
    {
        if (journal)
            journal->push_back(L"Composite:Terminate, bar alive=" + std::to_wstring(IsWindow(bar->hWnd()) != 0));
    }
};

TEST_F(Lifecycle, AControlHoldsOwnerDrawnAndStandardControls)
{
    auto& c = form.AddControl<Composite>(L"YList1", 0, 0, 1500, 1500);
    c.journal = &journal;
    EXPECT_EQ(GetParent(c.bar->hWnd()), c.hWnd());
    EXPECT_EQ(GetParent(c.caption->hWnd()), c.hWnd());
    EXPECT_EQ(c.bar->ContainerHwnd(), c.hWnd());
    EXPECT_EQ(c.FindControl(L"vscroll1"), c.bar);
    EXPECT_EQ(c.FindControl(L"Caption1"), nullptr);  // a standard control, not owner-drawn
    EXPECT_EQ(c.FindAny(L"Caption1"), c.caption);
    EXPECT_EQ(form.FindAny(L"VScroll1"), nullptr);     // belongs to the control, not the form
    EXPECT_EQ(c.bar->ParentForm(), &form);
    // Resized with its container: the bar follows the right edge.
    c.SetSize(3000, 1200);
    RECT r;
    GetWindowRect(c.bar->hWnd(), &r);
    MapWindowPoints(nullptr, c.hWnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 200 - 18);
    EXPECT_EQ(r.bottom - r.top, 80);
    // The embedded bar's event reaches its container at once.
    ClickAt(c.bar->hWnd(), 3, 3);
    EXPECT_EQ(c.changes, 1);
    EXPECT_EQ(c.bar->Path(), L"frmTest.YList1.VScroll1");
    form.Unload();
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0], L"Composite:Terminate, bar alive=1");
}

TEST_F(Lifecycle, EmbeddedControlsSeeTheirContainersColourAndFont)
{
    auto& c = form.AddControl<Composite>(L"YList1", 0, 0, 1500, 1500);
    c.SetBackColor(0x00ABCDEF);
    EXPECT_EQ(c.bar->AmbientBackColor(), 0x00ABCDEFu);
    host::Font f;
    f.name = L"Tahoma";
    c.SetFont(f);
    EXPECT_EQ(c.bar->ContainerFont().name, L"Tahoma");
    EXPECT_FALSE(c.bar->ContainerIsMdi());
}

// ---- Ambient values, focus and pointer --------------------------------------------

TEST_F(Lifecycle, DesignModeTurnsUserModeOffAndTellsEveryControl)
{
    auto& r = form.AddControl<Recorder>(L"R1", 0, 0, 1500, 600);
    EXPECT_TRUE(r.UserMode());
    journal.clear();
    host::SetDesignMode(true);
    EXPECT_FALSE(r.UserMode());
    host::SetDesignMode(false);
    EXPECT_TRUE(r.UserMode());
    ExpectJournal(journal, {L"R1:Ambient UserMode", L"R1:Ambient UserMode"});
    EXPECT_EQ(r.DisplayName(), L"R1");
}

TEST_F(Lifecycle, FocusEventsComeInPairs)
{
    auto& a = form.AddControl<Recorder>(L"A", 0, 0, 1500, 600);
    auto& b = form.AddControl<Recorder>(L"B", 0, 700, 1500, 600);
    form.Show();
    a.SetFocus();
    journal.clear();
    b.SetFocus();
    ExpectJournal(journal, {L"A:LostFocus", L"A:ExitFocus", L"B:EnterFocus", L"B:GotFocus"});
}

TEST_F(Lifecycle, TabStopsOnEachOwnerDrawnControlNotOnItsParts)
{
    auto& a = form.AddControl<Recorder>(L"A", 0, 0, 1500, 600);
    auto& c = form.AddControl<Composite>(L"YList1", 0, 700, 1500, 1500);
    auto& b = form.AddControl<Recorder>(L"B", 0, 2300, 1500, 600);
    form.Show();
    a.SetFocus();
    auto tab = [] {
        MSG m{};
        m.hwnd = GetFocus();
        m.message = WM_KEYDOWN;
        m.wParam = VK_TAB;
        return host::Form::PreTranslate(m);
    };
    EXPECT_TRUE(tab());
    EXPECT_EQ(GetFocus(), c.hWnd());   // the composite control itself, not its scroll bar
    EXPECT_TRUE(tab());
    EXPECT_EQ(GetFocus(), b.hWnd());
    EXPECT_TRUE(tab());
    EXPECT_EQ(GetFocus(), a.hWnd());   // round again
}

TEST_F(Lifecycle, MouseIconRefusesABitmapAndCustomPointerShowsTheCursor)
{
    auto& r = form.AddControl<Recorder>(L"R1", 0, 0, 1500, 600);
    EXPECT_FALSE(r.SetMouseIcon(host::LoadBitmapPicture(L"REDBMP")));
    EXPECT_FALSE(r.MouseIconError().empty());
    EXPECT_EQ(r.MouseIcon(), nullptr);
    HCURSOR cross = LoadCursorW(nullptr, MAKEINTRESOURCEW(32515));
    EXPECT_TRUE(r.SetMouseIcon(host::PictureFromHandle(cross, host::Picture::Type::Cursor, false)));
    r.SetMousePointer(99);
    SetCursor(nullptr);
    SendMessageW(r.hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(r.hWnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), cross);
}

TEST_F(Lifecycle, VisibleEnabledAndTag)
{
    auto& r = form.AddControl<Recorder>(L"R1", 0, 0, 1500, 600);
    journal.clear();
    r.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(r.hWnd()));
    r.SetVisible(true);
    ExpectJournal(journal, {L"R1:Hide", L"R1:Show"});
    r.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(r.hWnd()));
    r.SetTag(std::to_wstring(reinterpret_cast<UINT_PTR>(r.ContainerHwnd())));
    EXPECT_EQ(r.Tag(), std::to_wstring(reinterpret_cast<UINT_PTR>(form.hWnd())));
}

// ---- The window procedure may be replaced -------------------------------------------

WNDPROC g_previous = nullptr;
int g_seenPaints = 0;
LRESULT CALLBACK Hook(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        ++g_seenPaints;
        // Paint the whole frame here, as a hooked control does.
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        RECT r;
        GetClientRect(h, &r);
        HBRUSH b = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(dc, &r, b);
        DeleteObject(b);
        EndPaint(h, &ps);
    }
    return CallWindowProcW(g_previous, h, msg, wp, lp);
}

TEST_F(Lifecycle, AReplacedWindowProcedureStillGetsPaintAndTheHostStillRaisesEvents)
{
    auto& r = form.AddControl<Recorder>(L"R1", 0, 0, 1500, 600);
    form.Show();
    g_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(r.hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Hook)));
    ASSERT_NE(g_previous, nullptr);
    InvalidateRect(r.hWnd(), nullptr, TRUE);
    UpdateWindow(r.hWnd());
    EXPECT_EQ(g_seenPaints, 1);
    RECT upd;
    EXPECT_FALSE(GetUpdateRect(r.hWnd(), &upd, FALSE));  // validated: no endless WM_PAINT
    journal.clear();
    ClickAt(r.hWnd(), 1, 1);
    EXPECT_NE(std::find(journal.begin(), journal.end(), L"R1:Click"), journal.end());
    SetWindowLongPtrW(r.hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previous));
}

// ---- A press and the focus -----------------------------------------------------------

// A hooked control that hands the focus to one of its parts when pressed,
// as the combo box gives it to its dropped list.
WNDPROC g_pressPrevious = nullptr;
HWND g_pressPart = nullptr;
LRESULT CALLBACK FocusPartOnPress(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_LBUTTONDOWN)
        SetFocus(g_pressPart);
    return CallWindowProcW(g_pressPrevious, h, msg, wp, lp);
}

TEST_F(Lifecycle, APressLeavesTheFocusWhereTheControlPutIt)
{
    auto& other = form.AddControl<Recorder>(L"A", 0, 0, 1500, 600);
    auto& c = form.AddControl<Composite>(L"YList1", 0, 700, 1500, 1500);
    form.Show();
    other.SetFocus();
    ClickAt(c.hWnd(), 5, 5);
    EXPECT_EQ(GetFocus(), c.hWnd()) << "a press gives a control the focus";

    other.SetFocus();
    g_pressPart = c.bar->hWnd();
    g_pressPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(c.hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FocusPartOnPress)));
    ClickAt(c.hWnd(), 5, 5);
    EXPECT_EQ(GetFocus(), c.bar->hWnd()) << "the host took the focus back from the part";
    SetWindowLongPtrW(c.hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pressPrevious));
}

} // namespace
