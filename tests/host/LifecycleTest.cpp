// Owner-drawn controls on a form: the order of their lifecycle events,
// their property bags, painting, input notifications and embedding.
#include "HostTestSupport.h"
#include "SampleControl.h"

#include <gtest/gtest.h>

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

} // namespace
