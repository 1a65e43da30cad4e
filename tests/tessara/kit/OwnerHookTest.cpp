// The owner-window hook on a real form and a real drop-down window: what
// closes a dropped list and what leaves it open.
#include "tessara/kit/MdlSubclassMain.h"
// Real button presses (SendInput): on a desktop of this program's own.
#include "tests/support/OwnDesktop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<UINT> g_formSaw;

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    g_formSaw.push_back(msg);
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

void Register(const wchar_t* name, WNDPROC proc)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    ::RegisterClassW(&wc);
}

bool Saw(UINT msg)
{
    for (UINT m : g_formSaw)
        if (m == msg)
            return true;
    return false;
}

class Combo : public kit::DropDownOwner {
public:
    HWND hwnd = nullptr;
    int putBacks = 0;
    HWND DropDownWindow() const override { return hwnd; }
    void PutBackDropDown() override
    {
        ++putBacks;
        kit::DropDownOwner::PutBackDropDown();
    }
};

class OwnerHook : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Register(L"KitOwnerTestForm", FormProc);
        Register(L"KitOwnerTestCombo", ::DefWindowProcW);
    }
    void SetUp() override
    {
        form = ::CreateWindowExW(0, L"KitOwnerTestForm", L"Form1", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150, 400,
                                 300, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(form, nullptr);
        combo.hwnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"KitOwnerTestCombo", L"YCombo1", WS_CHILD | WS_VISIBLE, 30,
                                       40, 120, 20, form, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(combo.hwnd, nullptr);
        formProc = Proc(form);
        g_formSaw.clear();
    }
    void TearDown() override
    {
        kit::UnhookOwnerWindow(form);
        kit::SetDropDown(nullptr, nullptr);
        if (::IsWindow(form))
            ::DestroyWindow(form);
        if (::IsWindow(combo.hwnd))
            ::DestroyWindow(combo.hwnd);
    }
    static WNDPROC Proc(HWND h) { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(h, GWLP_WNDPROC)); }

    // Lifts the combo out of the form as the combo box does when it drops.
    void Drop()
    {
        RECT rc;
        ::GetWindowRect(combo.hwnd, &rc);
        kit::SetDropDown(&combo, form);
        ::SetParent(combo.hwnd, nullptr);
        ::MoveWindow(combo.hwnd, rc.left, rc.top, 120, 154, TRUE);
        ::SetWindowPos(combo.hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        kit::HookOwnerWindow(form);
        dropScreen = POINT{rc.left, rc.top};
    }
    bool IsOpen()
    {
        RECT rc;
        ::GetWindowRect(combo.hwnd, &rc);
        return ::GetAncestor(combo.hwnd, GA_PARENT) != form && rc.bottom - rc.top == 154;
    }
    void ExpectClosedInPlace()
    {
        EXPECT_EQ(::GetAncestor(combo.hwnd, GA_PARENT), form);
        RECT rc;
        ::GetWindowRect(combo.hwnd, &rc);
        EXPECT_EQ(rc.bottom - rc.top, kit::kClosedDropDownHeight);
        EXPECT_EQ(rc.right - rc.left, 120);
        EXPECT_EQ(rc.left, dropScreen.x);
        EXPECT_EQ(rc.top, dropScreen.y);
        EXPECT_EQ(::GetPropW(form, L"OrigProcAddr"), nullptr);
        EXPECT_EQ(Proc(form), formProc);
    }
    static void LeftButton(bool down) { testdesktop::LeftButton(down); }
    LPARAM FormPoint() { return MAKELPARAM(400, 300); }

    HWND form = nullptr;
    Combo combo;
    WNDPROC formProc = nullptr;
    POINT dropScreen{};
};

TEST_F(OwnerHook, HookingKeepsThePreviousProcedureOnce)
{
    Drop();
    EXPECT_EQ(Proc(form), &kit::OwnerWindowProc);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetPropW(form, L"OrigProcAddr")), formProc);
    kit::HookOwnerWindow(form);  // a second hook changes nothing
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetPropW(form, L"OrigProcAddr")), formProc);
    kit::UnhookOwnerWindow(form);
    EXPECT_EQ(Proc(form), formProc);
    EXPECT_EQ(::GetPropW(form, L"OrigProcAddr"), nullptr);
    kit::UnhookOwnerWindow(form);  // and unhooking twice is harmless
    EXPECT_EQ(Proc(form), formProc);
}

TEST_F(OwnerHook, MouseOverTheFormWithTheButtonUpLeavesTheListOpen)
{
    Drop();
    ASSERT_TRUE(IsOpen());
    ASSERT_FALSE(::GetAsyncKeyState(VK_LBUTTON) < 0);
    EXPECT_EQ(::SendMessageW(form, WM_NCHITTEST, 0, FormPoint()), 0);
    ::SendMessageW(form, WM_SETCURSOR, reinterpret_cast<WPARAM>(form), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    ::SendMessageW(form, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(combo.putBacks, 0);
    EXPECT_FALSE(Saw(WM_NCHITTEST)) << "the hit test is answered by the hook while the list is down";
    EXPECT_TRUE(Saw(WM_MOUSEMOVE)) << "other messages reach the form";
}

TEST_F(OwnerHook, LeftPressOverTheFormClosesTheList)
{
    Drop();
    LeftButton(true);
    ASSERT_TRUE(::GetAsyncKeyState(VK_LBUTTON) < 0);
    EXPECT_EQ(::SendMessageW(form, WM_NCHITTEST, 0, FormPoint()), 0);
    LeftButton(false);
    EXPECT_EQ(combo.putBacks, 1);
    ExpectClosedInPlace();
}

TEST_F(OwnerHook, DeactivatingTheFormClosesTheList)
{
    Drop();
    ::SendMessageW(form, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(combo.putBacks, 1);
    ExpectClosedInPlace();
    EXPECT_TRUE(Saw(WM_NCACTIVATE)) << "the form's caption still follows its activation";
}

TEST_F(OwnerHook, ClosingTakesTheFormOutOfTheTopmostBand)
{
    ::SetWindowPos(form, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Drop();
    kit::CloseDropDown();
    EXPECT_EQ(::GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    ExpectClosedInPlace();
}

TEST_F(OwnerHook, DestroyingTheHookedFormRestoresItsProcedureFirst)
{
    Drop();
    ::DestroyWindow(form);
    EXPECT_TRUE(Saw(WM_DESTROY));
    EXPECT_FALSE(::IsWindow(form));
}

TEST_F(OwnerHook, ACombosEndForgetsItsDropDown)
{
    {
        Combo temporary;
        temporary.hwnd = combo.hwnd;
        kit::SetDropDown(&temporary, form);
        EXPECT_EQ(kit::DroppedOwner(), &temporary);
    }
    EXPECT_EQ(kit::DroppedOwner(), nullptr);
    kit::CloseDropDown();  // nothing to call back into
    EXPECT_EQ(::GetAncestor(combo.hwnd, GA_PARENT), form);
}

// Somebody else's subclass on the form after ours.
WNDPROC g_otherPrev = nullptr;
int g_otherCalls = 0;
LRESULT CALLBACK OtherProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCACTIVATE)
        ++g_otherCalls;
    return ::CallWindowProcW(g_otherPrev, hwnd, msg, wParam, lParam);
}

TEST_F(OwnerHook, UnhookUnderSomeoneElsesSubclassKeepsTheFormWorking)
{
    Drop();
    g_otherPrev = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OtherProc)));
    kit::UnhookOwnerWindow(form);
    EXPECT_EQ(Proc(form), &OtherProc);
    g_formSaw.clear();
    g_otherCalls = 0;
    ::SendMessageW(form, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(g_otherCalls, 1);
    EXPECT_TRUE(Saw(WM_NCACTIVATE));
    EXPECT_EQ(combo.putBacks, 0) << "an unhooked form no longer closes lists";
    // Hooking again while still in their chain listens again.
    kit::HookOwnerWindow(form);
    ::SendMessageW(form, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(combo.putBacks, 1);
    ::SetWindowLongPtrW(form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_otherPrev));
}

} // namespace
