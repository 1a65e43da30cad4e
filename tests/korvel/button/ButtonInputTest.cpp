// kxButtons_H driven by real window messages on real forms: check-box and
// option modes, option groups on their containers, keys, the default
// button, and the hover timer.
#include "ButtonTestSupport.h"
// The hover tests move the real cursor: on a desktop of this program's own.
#include "tests/support/OwnDesktop.h"

using namespace kxtest;
using namespace kx;

namespace {

using hosttest::At;

void LeftClick(HWND h) { hosttest::ClickAt(h, 8, 8); }

void RightClick(HWND h, int x = 8, int y = 8)
{
    SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, At(x, y));
    SendMessageW(h, WM_RBUTTONUP, 0, At(x, y));
}

// A key as the message loop delivers it: posted, then dispatched through
// the form's keyboard handling (default button, access keys).
void PressKey(HWND to, UINT vk)
{
    PostMessageW(to, WM_KEYDOWN, vk, 1);
    PostMessageW(to, WM_KEYUP, vk, 0xC0000001);
    host::DoEvents();
}

std::intptr_t Prop(HWND h, const std::wstring& name)
{
    return reinterpret_cast<std::intptr_t>(GetPropW(h, name.c_str()));
}

// How the window properties name a button: by its model.
HANDLE Ref(kx::kxButtons_H& b) { return const_cast<ButtonModel*>(&b.Model()); }

class Input : public ButtonForm {
protected:
    kx::kxButtons_H& Option(const std::wstring& name, int y, host::Form* on = nullptr)
    {
        host::Form& f = on ? *on : *form;
        auto& b = f.AddControl<kx::kxButtons_H>(name, 10 * 15, y * 15, 80 * 15, 24 * 15);
        b.SetMode(2);
        return b;
    }
};

}  // namespace

TEST_F(Input, CheckBoxTogglesOnEveryLeftClickAndIgnoresRightClicks)
{
    auto& b = Add(L"chkBox", 80, 24);
    b.SetMode(1);
    Journal j(b);
    for (bool expected : {true, false, true}) {
        LeftClick(b.hWnd());
        EXPECT_EQ(b.Value(), expected);
    }
    EXPECT_EQ(j.str(), "MouseDown1 MouseUp1 Click MouseDown1 MouseUp1 Click MouseDown1 MouseUp1 Click");
    j.seen.clear();
    RightClick(b.hWnd());
    EXPECT_EQ(j.str(), "MouseDown2 MouseUp2");
    EXPECT_TRUE(b.Value());
}

// The button's Enabled and the host's are one: either side's change
// reaches the other and the window, so input passes a disabled button by.
TEST_F(Input, EnabledReachesTheWindowFromEitherSide)
{
    auto& b = Add(L"cmdGo", 80, 24);
    host::ControlBase& asHost = b;
    b.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(b.hWnd()));
    EXPECT_FALSE(asHost.Enabled());
    asHost.SetEnabled(true);
    EXPECT_TRUE(b.Enabled());
    EXPECT_TRUE(IsWindowEnabled(b.hWnd()));
    asHost.SetEnabled(false);
    EXPECT_FALSE(b.Enabled());
    EXPECT_FALSE(IsWindowEnabled(b.hWnd()));
}

TEST_F(Input, OptionGroupSelectsOneAndSelectedOptionRaisesNoClick)
{
    auto& a = Option(L"optA", 10);
    auto& b = Option(L"optB", 40);
    auto& c = Option(L"optC", 70);
    HWND container = form->hWnd();
    EXPECT_EQ(Prop(container, L"kx_OptCount"), 3);
    EXPECT_EQ(GetPropW(container, L"kx_Obj1"), Ref(a));
    EXPECT_EQ(GetPropW(container, L"kx_Obj2"), Ref(b));
    EXPECT_EQ(GetPropW(container, L"kx_Obj3"), Ref(c));

    LeftClick(b.hWnd());
    EXPECT_TRUE(b.Value());
    Journal jb(b);
    LeftClick(b.hWnd());  // already selected
    EXPECT_EQ(jb.str(), "MouseDown1 MouseUp1");
    EXPECT_TRUE(b.Value());

    Journal jc(c);
    LeftClick(c.hWnd());
    EXPECT_NE(jc.str().find("Click"), std::string::npos);
    EXPECT_TRUE(c.Value());
    EXPECT_FALSE(b.Value());
    EXPECT_FALSE(a.Value());

    // An arrow key released on an unselected option selects it.
    SendMessageW(a.hWnd(), WM_KEYUP, VK_DOWN, 0xC0000001);
    EXPECT_TRUE(a.Value());
    EXPECT_FALSE(c.Value());
}

TEST_F(Input, TwoContainersKeepTwoGroups)
{
    host::Form second(L"frmSecond");
    second.Load();
    second.Show();
    auto& a1 = Option(L"optA", 10);
    auto& a2 = Option(L"optB", 40);
    auto& b1 = Option(L"optA", 10, &second);
    auto& b2 = Option(L"optB", 40, &second);
    EXPECT_EQ(Prop(form->hWnd(), L"kx_OptCount"), 2);
    EXPECT_EQ(Prop(second.hWnd(), L"kx_OptCount"), 2);
    EXPECT_EQ(GetPropW(second.hWnd(), L"kx_Obj1"), Ref(b1));

    LeftClick(a1.hWnd());
    LeftClick(b2.hWnd());
    EXPECT_TRUE(a1.Value());
    EXPECT_TRUE(b2.Value());
    LeftClick(a2.hWnd());
    EXPECT_FALSE(a1.Value());
    EXPECT_TRUE(b2.Value());  // the other container's group is untouched
    EXPECT_FALSE(b1.Value());
    second.Unload();
}

TEST_F(Input, FocusOnAnOptionSelectsItOnlyWhenNoneIs)
{
    // Focus arrives as tabbing brings it: WM_SETFOCUS on the button window.
    auto& cmd = Add(L"cmdFirst", 80, 24, 10, 100);
    auto& a = Option(L"optA", 10);
    auto& b = Option(L"optB", 40);
    Journal ja(a);
    SetFocus(cmd.hWnd());
    SetFocus(a.hWnd());
    ASSERT_EQ(GetFocus(), a.hWnd());
    EXPECT_TRUE(a.Value());
    EXPECT_EQ(ja.str(), "Click");

    SetFocus(b.hWnd());
    ASSERT_EQ(GetFocus(), b.hWnd());
    EXPECT_FALSE(b.Value());  // a is selected already
    EXPECT_TRUE(a.Value());
}

TEST_F(Input, SpaceShowsThePressedLookAndReleaseClicksBeforeKeyUp)
{
    auto& b = Add(L"cmdSpace", 80, 30);
    b.SetCaption(L"");
    b.SetBackColor(0x3366CC);
    Journal j(b);
    Frame idle(b.hWnd());
    ASSERT_EQ(Hex(idle.At(1, 15)), Hex(0xE9E9E9));  // raised: light middle outline
    SendMessageW(b.hWnd(), WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_TRUE(b.Model().PressedLook());
    Frame pressed(b.hWnd());
    EXPECT_EQ(Hex(pressed.At(1, 15)), Hex(0x3366CC));  // held: no light outline, face shows
    EXPECT_EQ(Hex(pressed.At(1, 28)), Hex(0x808080));
    SendMessageW(b.hWnd(), WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(j.str(), "KeyDown32 Click KeyUp32");
    Frame after(b.hWnd());
    EXPECT_EQ(Hex(after.At(1, 15)), Hex(0xE9E9E9));
}

TEST_F(Input, EnterOnADefaultButtonClicksOnlyInCommandMode)
{
    auto& check = Add(L"chkDefault", 80, 24);
    check.SetMode(1);
    form->SetDefaultControl(&check);
    Journal jc(check);
    SetFocus(check.hWnd());
    PressKey(check.hWnd(), VK_RETURN);
    EXPECT_EQ(jc.str().find("Click"), std::string::npos);
    EXPECT_FALSE(check.Value());

    auto& cmd = Add(L"cmdDefault", 80, 24, 10, 50);
    form->SetDefaultControl(&cmd);
    Journal jd(cmd);
    PressKey(check.hWnd(), VK_RETURN);
    EXPECT_EQ(jd.str(), "Click");
}

TEST_F(Input, AccessKeyClicksTheButton)
{
    auto& b = Add(L"cmdGo", 80, 24);
    b.SetCaption(L"&Go && stop");
    EXPECT_EQ(b.AccessKeys(), L"G");
    Journal j(b);
    PostMessageW(b.hWnd(), WM_SYSCHAR, L'g', 0x20000001);
    host::DoEvents();
    EXPECT_EQ(j.str(), "Click");
}

TEST_F(Input, LeavingTheButtonEndsHoverThroughTheTimer)
{
    auto& b = Add(L"cmdHover", 80, 30);
    Journal j(b);
    CursorTo(b.hWnd(), 10, 10);
    SendMessageW(b.hWnd(), WM_MOUSEMOVE, 0, At(10, 10));
    EXPECT_TRUE(b.Model().Hovering());
    EXPECT_NE(b.Model().StateBits() & kBitOver, 0);
    EXPECT_EQ(GetPropW(b.hWnd(), L"kx_ClassID"), Ref(b));
    EXPECT_EQ(Prop(b.hWnd(), L"kx_TimerID"), 237);
    EXPECT_EQ(j.str(), "MouseOnButton(true)");

    // Still over the button: timer ticks change nothing.
    PumpUntil([] { return false; }, 120);
    EXPECT_TRUE(b.Model().Hovering());

    CursorTo(form->hWnd(), 300, 300);
    ASSERT_TRUE(PumpUntil([&] { return !b.Model().Hovering(); }, 2000)) << "the leave check never ran";
    EXPECT_EQ(j.str(), "MouseOnButton(true) MouseOnButton(false)");
    EXPECT_EQ(b.Model().StateBits() & kBitOver, 0);
    EXPECT_FALSE(b.Model().PressedLook());
}

TEST_F(Input, DestroyedOptionLeavesItsGroupAndALaterButtonJoinsCleanly)
{
    auto& a = Option(L"optA", 10);
    auto& b = Option(L"optB", 40);
    auto& c = Option(L"optC", 70);
    (void)b;
    // Destroyed while hovering, too: its timer must stop with it.
    CursorTo(b.hWnd(), 10, 10);
    SendMessageW(b.hWnd(), WM_MOUSEMOVE, 0, At(10, 10));
    ASSERT_TRUE(b.Model().Hovering());
    form->RemoveControl(L"optB");
    HWND container = form->hWnd();
    EXPECT_EQ(Prop(container, L"kx_OptCount"), 2);
    EXPECT_EQ(GetPropW(container, L"kx_Obj1"), Ref(a));
    EXPECT_EQ(GetPropW(container, L"kx_Obj2"), Ref(c));
    EXPECT_EQ(GetPropW(container, L"kx_Obj3"), nullptr);
    PumpUntil([] { return false; }, 150);  // no timer may reach the destroyed button

    auto& d = Option(L"optD", 100);
    EXPECT_EQ(Prop(container, L"kx_OptCount"), 3);
    EXPECT_EQ(GetPropW(container, L"kx_Obj3"), Ref(d));
    LeftClick(d.hWnd());
    LeftClick(a.hWnd());
    EXPECT_TRUE(a.Value());
    EXPECT_FALSE(d.Value());
    EXPECT_FALSE(c.Value());

    form->RemoveControl(L"optA");
    form->RemoveControl(L"optC");
    form->RemoveControl(L"optD");
    EXPECT_EQ(GetPropW(container, L"kx_OptCount"), nullptr);
    EXPECT_EQ(GetPropW(container, L"kx_Obj1"), nullptr);
}

TEST_F(Input, ModeChangesJoinAndLeaveTheGroup)
{
    auto& a = Option(L"optA", 10);
    auto& b = Option(L"optB", 40);
    b.SetMode(1);
    EXPECT_EQ(Prop(form->hWnd(), L"kx_OptCount"), 1);
    EXPECT_EQ(GetPropW(form->hWnd(), L"kx_Obj1"), Ref(a));
    b.SetMode(2);
    EXPECT_EQ(GetPropW(form->hWnd(), L"kx_Obj2"), Ref(b));
}

TEST_F(Input, DoubleClickRaisesDoubleClickAndPressesAgain)
{
    auto& b = Add(L"cmdTwice", 80, 24);
    std::vector<int> doubles;
    b.DoubleClick.connect([&](int button) { doubles.push_back(button); });
    Journal j(b);
    LeftClick(b.hWnd());
    SendMessageW(b.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(8, 8));
    SendMessageW(b.hWnd(), WM_LBUTTONUP, 0, At(8, 8));
    ASSERT_EQ(doubles.size(), 1u);
    EXPECT_EQ(doubles[0], 1);
    EXPECT_EQ(j.str(), "MouseDown1 MouseUp1 Click MouseDown1 MouseUp1");
}
