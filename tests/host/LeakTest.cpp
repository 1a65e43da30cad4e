// Creating, showing and destroying a form with one of each standard
// control and an owner-drawn control must give back every GDI and USER
// object it took.
#include "HostTestSupport.h"
#include "SampleControl.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// GetGuiResources where the system counts; where it answers 0 (Wine),
// GDI objects are counted by probing the handle table and USER objects by
// the thread's windows.
int LiveGdiObjects()
{
    DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (n)
        return static_cast<int>(n);
    int live = 0;
    for (UINT_PTR i = 1; i < 65536; ++i)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(i)))
            ++live;
    return live;
}

BOOL CALLBACK CountWindow(HWND h, LPARAM lp)
{
    ++*reinterpret_cast<int*>(lp);
    EnumChildWindows(h, CountWindow, lp);
    return TRUE;
}

int LiveUserObjects()
{
    DWORD n = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (n)
        return static_cast<int>(n);
    int windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

void OneOfEach()
{
    host::Form f(L"frmLeak");
    auto& label = f.AddControl<host::Label>(L"Label1", 0, 0, 1500, 300);
    label.SetCaption(L"标签");
    label.SetBold(true);
    auto& text = f.AddControl<host::TextBox>(L"Text1", 0, 300, 1500, 300);
    text.SetText(L"x");
    auto& list = f.AddControl<host::CheckList>(L"List1", 0, 600, 1500, 900);
    list.AddItem(L"a");
    list.SetSelected(0, true);
    auto& combo = f.AddControl<host::DropDownList>(L"Combo1", 1500, 0, 1500, 300);
    combo.AddItem(L"b");
    combo.SetListIndex(0);
    f.AddControl<host::CheckBox>(L"Check1", 1500, 300, 1500, 300).SetValue(1);
    f.AddControl<host::OptionButton>(L"Option1(0)", 1500, 600, 1500, 300).SetValue(true);
    f.AddControl<host::PictureBox>(L"Picture1", 1500, 900, 600, 600)
        .SetPicture(host::LoadBitmapPicture(L"REDBMP"));
    f.AddControl<host::Line>(L"Line1", 0, 1600, 3000, 0);
    f.AddControl<Swatch>(L"Swatch1", 3000, 0, 600, 600);
    f.AddTimer(L"Timer1", 50, true);
    f.Show();  // paints every control once
    host::DoEvents();
    f.Unload();
}

// Any object a round keeps shows after the first round already; the
// regular run does 100 rounds so it stays quick under Wine, and
// HOST_LEAK_ROUNDS=1000 gives the full thousand.
int Rounds()
{
    const char* env = std::getenv("HOST_LEAK_ROUNDS");
    int n = env ? std::atoi(env) : 0;
    return n > 0 ? n : 100;
}

TEST(Leaks, FormsWithOneOfEachControlGiveBackTheirObjects)
{
    OneOfEach();  // classes, fonts and caches the first run sets up
    host::DoEvents();
    int gdi = LiveGdiObjects(), user = LiveUserObjects();
    const int rounds = Rounds();
    for (int i = 0; i < rounds; ++i)
        OneOfEach();
    host::DoEvents();
    EXPECT_EQ(LiveGdiObjects(), gdi);
    EXPECT_EQ(LiveUserObjects(), user);
}

} // namespace
