// Forms: their events, modal display, stored data (loading, saving and
// bad data), message boxes and the keys that belong to the form.
#include "HostTestSupport.h"
#include "SampleControl.h"

#include <gtest/gtest.h>

using namespace hosttest;

namespace {

void RegisterSwatch()
{
    host::RegisterControl(L"Swatch", [] { return std::make_unique<Swatch>(); });
}

// Counts its events.
class CountingForm : public host::Form {
public:
    explicit CountingForm(const wchar_t* name) : Form(name) {}
    int loads = 0, activates = 0, unloads = 0, mouseMoves = 0;
    bool refuseTitleBarClose = false;
    std::vector<host::UnloadMode> queries;
    std::function<void()> onLoad;

protected:
    void Form_Load() override
    {
        ++loads;
        if (onLoad)
            onLoad();
    }
    void Form_Activate() override { ++activates; }
    void Form_QueryUnload(bool& cancel, host::UnloadMode mode) override
    {
        queries.push_back(mode);
        cancel = refuseTitleBarClose && mode == host::UnloadMode::TitleBar;
    }
    void Form_Unload() override { ++unloads; }
    void Form_MouseMove(int, int, float, float) override { ++mouseMoves; }
};

// Runs f once from the message loop after ms milliseconds.
void After(host::Timer& t, int ms, std::function<void()> f)
{
    t.Tick.clear();
    t.Tick.connect([&t, f] {
        t.SetEnabled(false);
        f();
    });
    t.SetInterval(ms);
    t.SetEnabled(true);
}

// ---- Events ------------------------------------------------------------------

TEST(FormEvents, LoadOnceActivateOnShowUnloadOnce)
{
    CountingForm f(L"frmCount");
    f.Show();
    f.Show();
    EXPECT_EQ(f.loads, 1);
    EXPECT_TRUE(f.Visible());
    EXPECT_GE(f.activates, 1);
    f.Unload();
    f.Unload();
    EXPECT_EQ(f.unloads, 1);
    EXPECT_FALSE(f.Loaded());
    f.Show();  // loading again raises Load again
    EXPECT_EQ(f.loads, 2);
    f.Unload();
}

TEST(FormEvents, ReturningFromAMessageBoxIsNoActivation)
{
    BoxRecorder boxes;
    CountingForm f(L"frmCount");
    f.Show();
    int before = f.activates;
    host::MsgBox(L"hello");
    SendMessageW(f.hWnd(), WM_ACTIVATE, WA_ACTIVE, 0);  // what the box's closing sends
    EXPECT_EQ(f.activates, before);
    f.Unload();
}

TEST(FormEvents, TitleBarCloseUnloadsAndSaysSo)
{
    CountingForm f(L"frmCount");
    f.Show();
    f.refuseTitleBarClose = true;
    SendMessageW(f.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(f.Loaded());  // refused
    f.refuseTitleBarClose = false;
    SendMessageW(f.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(f.LastUnloadMode(), host::UnloadMode::TitleBar);
    ASSERT_EQ(f.queries.size(), 2u);
    EXPECT_EQ(f.unloads, 1);
}

TEST(FormEvents, MouseMoveOnTheBackground)
{
    CountingForm f(L"frmCount");
    f.Show();
    SendMessageW(f.hWnd(), WM_MOUSEMOVE, 0, At(5, 5));
    EXPECT_EQ(f.mouseMoves, 1);
    f.Unload();
}

TEST(FormEvents, ClientSizeAndCaption)
{
    host::Form f(L"frmSize");
    f.SetClientSize(10890, 7020);
    f.SetCaption(L"请选择");
    f.Show();
    RECT r;
    GetClientRect(f.hWnd(), &r);
    EXPECT_EQ(r.right, 726);
    EXPECT_EQ(r.bottom, 468);
    wchar_t text[32];
    GetWindowTextW(f.hWnd(), text, 32);
    EXPECT_STREQ(text, L"请选择");
    wchar_t cls[32];
    GetClassNameW(f.hWnd(), cls, 32);
    EXPECT_STREQ(cls, L"HostForm");
    f.Unload();
}

// ---- Modal display -------------------------------------------------------------

TEST(Modal, ReturnsOnHideWithTheOwnerDisabledMeanwhile)
{
    CountingForm owner(L"frmOwner");
    owner.Show();
    CountingForm dlg(L"frmDlg");
    host::Timer t;
    bool ownerWasDisabled = false, dlgWasVisible = false;
    After(t, 20, [&] {
        ownerWasDisabled = !IsWindowEnabled(owner.hWnd());
        dlgWasVisible = dlg.Visible();
        dlg.Hide();
    });
    int activatesBefore = owner.activates;
    dlg.ShowModal(&owner);
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_TRUE(dlgWasVisible);
    EXPECT_TRUE(dlg.Loaded());  // hidden, still loaded: its fields can be read
    EXPECT_FALSE(dlg.Visible());
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd()));
    EXPECT_EQ(GetActiveWindow(), owner.hWnd());
    EXPECT_GT(owner.activates, activatesBefore);  // the owner was activated again
    dlg.Unload();
    owner.Unload();
}

TEST(Modal, ReturnsOnUnloadIncludingTheTitleBar)
{
    CountingForm owner(L"frmOwner");
    owner.Show();
    CountingForm dlg(L"frmDlg");
    host::Timer t;
    After(t, 20, [&] { PostMessageW(dlg.hWnd(), WM_CLOSE, 0, 0); });
    dlg.ShowModal(&owner);
    EXPECT_FALSE(dlg.Loaded());
    EXPECT_EQ(dlg.LastUnloadMode(), host::UnloadMode::TitleBar);
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd()));
    owner.Unload();
}

TEST(Modal, WithoutOwnerAndNested)
{
    CountingForm outer(L"frmOuter"), inner(L"frmInner");
    host::Timer t1, t2;
    std::vector<std::string> order;
    After(t1, 10, [&] {
        order.push_back("inner shows");
        After(t2, 10, [&] {
            order.push_back("inner unloads");
            inner.Unload();
        });
        inner.ShowModal(&outer);
        order.push_back("inner returned");
        EXPECT_TRUE(IsWindowEnabled(outer.hWnd()));
        outer.Hide();
    });
    outer.ShowModal();
    order.push_back("outer returned");
    EXPECT_EQ(order, (std::vector<std::string>{"inner shows", "inner unloads", "inner returned", "outer returned"}));
    EXPECT_EQ(inner.loads, 1);
    outer.Unload();
}

TEST(Modal, UnloadFromItsOwnLoadReturnsAtOnce)
{
    CountingForm dlg(L"frmDlg");
    dlg.onLoad = [&] { dlg.Unload(); };
    dlg.ShowModal();
    EXPECT_FALSE(dlg.Loaded());
}

// ---- Message boxes --------------------------------------------------------------

TEST(MessageBox, SinkRecordsTextTitleAndIconAndAnswersAtOnce)
{
    BoxRecorder boxes;
    host::SetAppTitle(L"Korvel");
    EXPECT_EQ(host::MsgBox(L"必须选择一个可执行文件!"), IDOK);
    host::MsgBox(L"当前目录下没有可执行文件!", host::MsgIcon::Information, L"警告");
    host::MsgBox(L"plain", host::MsgIcon::None);
    ASSERT_EQ(boxes.boxes.size(), 3u);
    EXPECT_EQ(boxes.boxes[0].text, L"必须选择一个可执行文件!");
    EXPECT_EQ(boxes.boxes[0].title, L"Korvel");  // no title: the application's
    EXPECT_EQ(boxes.boxes[0].icon, host::MsgIcon::Information);
    EXPECT_EQ(boxes.boxes[1].title, L"警告");
    EXPECT_EQ(boxes.boxes[2].icon, host::MsgIcon::None);
}

// Read before any test sets it.
const std::wstring g_initialTitle = host::AppTitle();

TEST(MessageBox, TheApplicationTitleStartsAsTheProgramsName)
{
    EXPECT_EQ(g_initialTitle, L"host_test");
}

// ---- Stored data ----------------------------------------------------------------

TEST(StoredForm, LoadsEveryKindFromTheProgramsResources)
{
    RegisterSwatch();
    host::Form f;
    f.LoadFromResource(L"FRMSAMPLE");
    EXPECT_EQ(f.Name(), L"frmSample");
    EXPECT_EQ(f.Caption(), L"样例");
    EXPECT_EQ(f.ClientWidth(), 6000);
    EXPECT_EQ(f.Control<Swatch>(L"Swatch1").Colour(), 0x00FF0000u);
    EXPECT_EQ(f.Control<Swatch>(L"Swatch1").Left(), 150);
    EXPECT_EQ(f.Control<host::Label>(L"Label1").Caption(), L"第一行\nsecond");
    EXPECT_EQ(f.Control<host::TextBox>(L"Text1").Text(), L"参数");
    auto& list = f.Control<host::CheckList>(L"List1");
    ASSERT_EQ(list.ListCount(), 3);
    EXPECT_EQ(list.List(2), L"CPU1");
    EXPECT_EQ(f.Control<host::DropDownList>(L"Combo1").ListIndex(), 1);
    EXPECT_EQ(f.Control<host::DropDownList>(L"Combo1").List(3), L"最大化");
    EXPECT_EQ(f.Control<host::CheckBox>(L"Check1").Value(), 1);
    auto options = f.ControlArray<host::OptionButton>(L"Option1");
    ASSERT_EQ(options.size(), 2u);
    EXPECT_TRUE(options[0]->Value());
    EXPECT_FALSE(options[1]->Value());
    EXPECT_EQ(options[1]->Index(), 1);
    auto& image = f.Control<host::PictureBox>(L"Image1(0)");
    ASSERT_NE(image.Picture(), nullptr);
    EXPECT_EQ(image.Picture()->width, 4);
    EXPECT_EQ(image.ScaleWidth(), 4);  // sized to its picture
    EXPECT_EQ(f.Control<host::Line>(L"Line1").X2(), 4500);
    EXPECT_EQ(f.Control<host::Timer>(L"Timer1").Interval(), 50);
    EXPECT_FALSE(f.Control<host::Timer>(L"Timer1").Enabled());
    f.Unload();
}

TEST(StoredForm, SavedStateLoadsBackToTheSameState)
{
    RegisterSwatch();
    host::Form first;
    first.LoadFromResource(L"FRMSAMPLE");
    // Change something of every kind, as a user or the program would.
    first.Control<Swatch>(L"Swatch1").SetColour(0x00123456);
    first.Control<host::Label>(L"Label1").SetCaption(L"changed \"quoted\"");
    first.Control<host::TextBox>(L"Text1").SetText(L"-x");
    first.Control<host::CheckList>(L"List1").AddItem(L"CPU2");
    first.Control<host::DropDownList>(L"Combo1").SetListIndex(3);
    first.Control<host::CheckBox>(L"Check1").SetValue(0);
    first.ControlArray<host::OptionButton>(L"Option1")[1]->SetValue(true);
    first.Control<host::Line>(L"Line1").SetPoints(0, 15, 3000, 15);
    first.Control<Swatch>(L"Swatch1").Move(300, 300, 1200, 900);

    std::wstring text = host::FormatFormData(first.SaveToData());
    host::Form second;
    second.LoadFromData(host::ParseFormData(text));
    EXPECT_EQ(second.Control<Swatch>(L"Swatch1").Colour(), 0x00123456u);
    EXPECT_EQ(second.Control<Swatch>(L"Swatch1").Width(), 1200);
    EXPECT_EQ(second.Control<host::Label>(L"Label1").Caption(), L"changed \"quoted\"");
    EXPECT_EQ(second.Control<host::TextBox>(L"Text1").Text(), L"-x");
    EXPECT_EQ(second.Control<host::CheckList>(L"List1").List(3), L"CPU2");
    EXPECT_EQ(second.Control<host::DropDownList>(L"Combo1").ListIndex(), 3);
    EXPECT_EQ(second.Control<host::CheckBox>(L"Check1").Value(), 0);
    EXPECT_TRUE(second.ControlArray<host::OptionButton>(L"Option1")[1]->Value());
    EXPECT_FALSE(second.ControlArray<host::OptionButton>(L"Option1")[0]->Value());
    EXPECT_EQ(second.Control<host::Line>(L"Line1").X2(), 3000);
    // Saving the second gives the same text again.
    EXPECT_EQ(host::FormatFormData(second.SaveToData()), text);
    first.Unload();
    second.Unload();
}

TEST(StoredForm, BadDataNamesFormControlAndKeyAndLeavesNothingLoaded)
{
    RegisterSwatch();
    struct Case {
        const char* label;
        const wchar_t* body;
        std::vector<const char*> expected;
    };
    const Case cases[] = {
        {"unknown key", L"Begin Swatch1 : Swatch\n Colur = 5\nEnd", {"frmBad.Swatch1", "\"Colur\""}},
        {"wrong type", L"Begin Swatch1 : Swatch\n Colour = \"red\"\nEnd", {"frmBad.Swatch1", "\"Colour\""}},
        {"wrong type, standard", L"Begin Check1 : CheckBox\n Value = \"x\"\nEnd", {"frmBad.Check1", "\"Value\""}},
        {"unknown kind", L"Begin Thing1 : Thing\nEnd", {"frmBad.Thing1", "\"Thing\""}},
        {"missing picture", L"Begin P : PictureBox\n Picture = Picture(\"NOPE\")\nEnd",
         {"frmBad.P", "\"Picture\"", "NOPE"}},
        {"form key", L"Captoin = \"x\"", {"frmBad", "\"Captoin\""}},
        {"timer key", L"Begin T : Timer\n Intervall = 5\nEnd", {"frmBad.T", "\"Intervall\""}},
    };
    for (const Case& c : cases) {
        host::Form f;
        std::wstring text = std::wstring(L"Form frmBad\n") + c.body + L"\nEnd\n";
        try {
            f.LoadFromData(host::ParseFormData(text));
            ADD_FAILURE() << c.label << ": loaded";
        } catch (const host::StoredDataError& e) {
            for (const char* part : c.expected)
                EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << c.label << ": " << e.what();
        }
        EXPECT_FALSE(f.Loaded()) << c.label;
        EXPECT_EQ(f.Controls().size(), 0u) << c.label;
    }
}

TEST(StoredForm, MissingOrOtherKindOfControlIsAClearError)
{
    host::Form f(L"frmKorvel");
    f.AddControl<host::Label>(L"Label1", 0, 0, 600, 300);
    try {
        f.Control<host::CheckList>(L"lstCPU");
        ADD_FAILURE() << "found";
    } catch (const host::StoredDataError& e) {
        std::string m = e.what();
        EXPECT_NE(m.find("frmKorvel"), std::string::npos) << m;
        EXPECT_NE(m.find("lstCPU"), std::string::npos) << m;
        EXPECT_NE(m.find("CheckList"), std::string::npos) << m;
    }
    try {
        f.Control<host::TextBox>(L"label1");
        ADD_FAILURE() << "wrong kind accepted";
    } catch (const host::StoredDataError& e) {
        std::string m = e.what();
        EXPECT_NE(m.find("frmKorvel.Label1"), std::string::npos) << m;
        EXPECT_NE(m.find("TextBox"), std::string::npos) << m;
    }
    f.Unload();
}

TEST(StoredForm, UnknownResourceIsAClearError)
{
    host::Form f(L"frmX");
    try {
        f.LoadFromResource(L"NO_SUCH_FORM");
        ADD_FAILURE() << "loaded";
    } catch (const host::StoredDataError& e) {
        EXPECT_NE(std::string(e.what()).find("NO_SUCH_FORM"), std::string::npos) << e.what();
    }
}

TEST(StoredForm, ShowingAfterUnloadRebuildsFromTheData)
{
    RegisterSwatch();
    CountingForm f(L"frmSample");
    f.LoadFromResource(L"FRMSAMPLE");
    f.Control<Swatch>(L"Swatch1").SetColour(0x00000001);
    f.Unload();
    EXPECT_EQ(f.FindAny(L"Swatch1"), nullptr);
    f.Show();
    EXPECT_EQ(f.Control<Swatch>(L"Swatch1").Colour(), 0x00FF0000u);
    EXPECT_EQ(f.loads, 1);
    f.Unload();
}

// ---- Keys that belong to the form ------------------------------------------------

class KeyCatcher : public host::UserControl {
public:
    KeyCatcher() : UserControl(L"KeyCatcher") {}
    std::vector<int> keys;
    std::vector<std::wstring> ambient;
    void AccessKeyPress(int k) override { keys.push_back(k); }
    void AmbientChanged(const std::wstring& n) override { ambient.push_back(n); }
};

TEST(FormKeys, EnterEscAndAccessKeysReachTheirControls)
{
    host::Form f(L"frmKeys");
    auto& ok = f.AddControl<KeyCatcher>(L"cmdOK", 0, 0, 900, 300);
    auto& cancel = f.AddControl<KeyCatcher>(L"cmdCancel", 1000, 0, 900, 300);
    auto& other = f.AddControl<KeyCatcher>(L"cmdOther", 2000, 0, 900, 300);
    auto& text = f.AddControl<host::TextBox>(L"txtParam", 0, 600, 900, 300);
    f.SetDefaultControl(&ok);
    f.SetCancelControl(&cancel);
    other.SetAccessKeys(L"h");
    f.Show();
    EXPECT_TRUE(ok.DisplayAsDefault());
    EXPECT_FALSE(cancel.DisplayAsDefault());
    ASSERT_EQ(ok.ambient.size(), 1u);
    EXPECT_EQ(ok.ambient[0], L"DisplayAsDefault");

    struct Key {
        UINT msg;
        WPARAM key;
    };
    for (Key k : {Key{WM_KEYDOWN, VK_RETURN}, Key{WM_KEYDOWN, VK_ESCAPE}, Key{WM_SYSCHAR, L'H'}}) {
        MSG m = {};
        m.hwnd = text.hWnd();
        m.message = k.msg;
        m.wParam = k.key;
        EXPECT_TRUE(host::Form::PreTranslate(m));
    }
    EXPECT_EQ(ok.keys, std::vector<int>{13});
    EXPECT_EQ(cancel.keys, std::vector<int>{27});
    EXPECT_EQ(other.keys, std::vector<int>{L'H'});
    EXPECT_TRUE(other.HasFocus());
    f.Unload();
}

TEST(FormKeys, AmbientBackColourFollowsTheForm)
{
    host::Form f(L"frmAmbient");
    auto& c = f.AddControl<KeyCatcher>(L"c", 0, 0, 900, 300);
    EXPECT_EQ(c.AmbientBackColor(), 0x8000000Fu);
    f.SetBackColor(0x00112233);
    EXPECT_EQ(c.AmbientBackColor(), 0x00112233u);
    EXPECT_EQ(c.ContainerBackColor(), 0x00112233u);
    ASSERT_FALSE(c.ambient.empty());
    EXPECT_EQ(c.ambient.back(), L"BackColor");
    f.Unload();
}

// ---- A control may unload its own form ------------------------------------------

// A close button: its click unloads the form that holds it.
class CloseButton : public host::UserControl {
public:
    CloseButton() : UserControl(L"CloseButton") {}
    ~CloseButton() override
    {
        if (destroyed)
            *destroyed = true;
    }
    bool* destroyed = nullptr;
    bool* aliveAfterUnload = nullptr;
    void Click() override
    {
        ParentForm()->Unload();
        *aliveAfterUnload = !*destroyed;  // this very object is still running
    }
};

TEST(OwnUnload, AControlsClickMayUnloadItsFormAndTheObjectOutlivesTheHandler)
{
    bool destroyed = false, aliveAfterUnload = false;
    CountingForm f(L"frmHelp");
    auto& b = f.AddControl<CloseButton>(L"kxButtons_H3", 0, 0, 900, 300);
    b.destroyed = &destroyed;
    b.aliveAfterUnload = &aliveAfterUnload;
    f.Show();
    PostMessageW(b.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
    PostMessageW(b.hWnd(), WM_LBUTTONUP, 0, At(2, 2));
    EXPECT_TRUE(PumpUntil([&] { return !f.Loaded(); }, 3000));
    EXPECT_TRUE(aliveAfterUnload);
    EXPECT_TRUE(destroyed);  // deleted once the message was handled
    EXPECT_EQ(f.unloads, 1);
}

TEST(OwnUnload, ALabelsClickMayUnloadItsForm)
{
    CountingForm f(L"frmHelp");
    auto& l = f.AddControl<host::Label>(L"Label1", 0, 0, 900, 300);
    l.Click.connect([&] { f.Unload(); });
    f.Show();
    ClickAt(l.hWnd(), 2, 2);  // straight into the window procedure
    EXPECT_FALSE(f.Loaded());
    host::DoEvents();
}

} // namespace
