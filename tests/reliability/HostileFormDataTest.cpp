// Hostile stored form data through the host: forms holding unknown
// controls, keys of the wrong type or unknown keys, values beyond what a
// control takes, cut or absurd text. Loading is refused with one message
// naming the form, the control and the key; a refused load leaves no
// window, GDI object or heap byte behind, however often it is tried. A
// tab strip asking for 2,147,483,647 tabs a line loads with the count held
// to what it can lay out, and paints.
#include "HeapCount.h"
#include "WindowCount.h"

#include "tessara/controls/tab/YTab.h"
#include "tessara/gallery/frmMain.h"
#include "tests/tessara/kit/GdiCount.h"

#include "host/Host.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

void PumpPending()
{
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&m);
        ::DispatchMessageW(&m);
    }
}

// Parses and loads; the message of the refusal, or "(loaded)".
std::string LoadRefusal(const std::wstring& text)
{
    host::Form form(L"frmHostile");
    try {
        form.LoadFromData(host::ParseFormData(text));
        form.Show();
    } catch (const host::StoredDataError& e) {
        PumpPending();
        return e.what();
    }
    form.Unload();
    PumpPending();
    return "(loaded)";
}

std::wstring Form(const std::wstring& body)
{
    return L"Form frmHostile : Form\n  ClientWidth = 6000\n  ClientHeight = 4000\n" + body + L"End\n";
}

std::wstring Control(const std::wstring& kind, const std::wstring& name, const std::wstring& lines)
{
    return L"  Begin " + name + L" : " + kind + L"\n    Left = 120\n    Top = 120\n    Width = 1500\n    Height = 600\n" +
           lines + L"  End\n";
}

struct Case {
    const char* label;
    std::wstring text;
    std::vector<std::string> named;
};

std::vector<Case> Cases()
{
    // A good control first, so that a refusal has built something to undo.
    const std::wstring good = Control(L"YList", L"YList1", L"") + Control(L"YTreeView", L"YTreeView1", L"");
    return {
        {"an unknown control", Form(good + Control(L"YRocket", L"YRocket1", L"")),
         {"frmHostile.YRocket1: unknown control kind \"YRocket\""}},
        {"an unknown key", Form(good + Control(L"YCheck", L"YCheck1", L"    Colour = 5\n")),
         {"frmHostile.YCheck1: unknown key \"Colour\""}},
        {"a text where a number belongs", Form(good + Control(L"YList", L"YList2", L"    ScrollMode = \"fast\"\n")),
         {"frmHostile.YList2: key \"ScrollMode\" holds text"}},
        {"a number where a font belongs", Form(good + Control(L"YTab", L"YTab1", L"    Font = 9\n")),
         {"frmHostile.YTab1: key \"Font\" holds number, expected a font"}},
        {"a number beyond 32 bits", Form(good + Control(L"YTab", L"YTab1", L"    CntOfLine = 99999999999\n")),
         {"frmHostile.YTab1: key \"CntOfLine\" holds 99999999999, which does not fit 32 bits"}},
        {"a control 2,000,000,000 pixels wide",
         Form(good + L"  Begin YFrame1 : YFrame\n    Width = 30000000000\n  End\n"),
         {"form frmHostile, control YFrame1: key \"Width\" holds 30000000000"}},
        {"a negative font", Form(good + Control(L"YCheck", L"YCheck1", L"    Font = Font(\"宋体\", -9, 400, 134)\n")),
         {"control YCheck1, key \"Font\": a font of -9 points"}},
        {"text cut in a control",
         L"Form frmHostile : Form\n" + good + L"  Begin YTreeView2 : YTreeView\n    Left = 1",
         {"form frmHostile: missing End of control YTreeView2"}},
        {"a check box value out of range", Form(good + Control(L"CheckBox", L"Check1", L"    Value = 7\n")),
         {"frmHostile.Check1: key \"Value\" must be 0 or 1"}},
    };
}

TEST(HostileFormData, EachLoadIsRefusedWithOneMessageNamingFormControlAndKey)
{
    gallery::RegisterGalleryControls();
    host::SetMessageBoxSink([](const host::MessageBoxRecord& b) {
        ADD_FAILURE() << "a message box during a load: " << host::ToUtf8(b.text);
    });
    for (const Case& c : Cases()) {
        const std::string why = LoadRefusal(c.text);
        for (const std::string& piece : c.named)
            EXPECT_NE(why.find(piece), std::string::npos) << c.label << ":\n  " << why << "\n  lacks: " << piece;
    }
    host::SetMessageBoxSink(nullptr);
}

TEST(HostileFormData, RefusedLoadsLeaveNothingBehind)
{
    gallery::RegisterGalleryControls();
    const std::vector<Case> cases = Cases();
    const auto round = [&] {
        for (const Case& c : cases)
            LoadRefusal(c.text);
    };
    round();  // the first loads make the window classes and the kit's fonts
    const int windows = reliability::LiveWindows();
    const int gdi = kittest::LiveGdiObjects();
    const reliability::HeapFigures heap = reliability::HeapInUse();
    for (int i = 0; i < 10; ++i)
        round();
    EXPECT_EQ(reliability::LiveWindows(), windows) << "windows left by refused loads";
    EXPECT_EQ(kittest::LiveGdiObjects(), gdi) << "GDI objects left by refused loads";
    const reliability::HeapFigures after = reliability::HeapInUse();
    EXPECT_EQ(after.blocks, heap.blocks) << "heap blocks left by " << 10 * cases.size() << " refused loads";
    EXPECT_EQ(after.bytes, heap.bytes);
}

TEST(HostileFormData, TabsPerLineAtThe32BitLimitAreHeldAndPainted)
{
    gallery::RegisterGalleryControls();
    host::Form form(L"frmTabs");
    form.LoadFromData(host::ParseFormData(
        Form(Control(L"YTab", L"YTab1",
                     L"    CntOfLine = 2147483647\n    MultilLine = True\n    ItemWidth = 2147483647\n"))));
    form.Show();
    auto& tab = form.Control<tessara::YTab>(L"YTab1");
    EXPECT_EQ(tab.CntOfLine(), 32767);
    EXPECT_EQ(tab.ItemWidth(), 32767);
    for (int i = 0; i < 5; ++i)
        tab.AddItem(L"页" + std::to_wstring(i));
    ::InvalidateRect(tab.hWnd(), nullptr, FALSE);
    ::UpdateWindow(tab.hWnd());
    // One line of tabs wider than the control: the first tab's body shows
    // from x = 1 and a press there clicks it.
    std::vector<int> clicks;
    tab.Click.connect([&](int i) { clicks.push_back(i); });
    ::SendMessageW(tab.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 10));
    ::SendMessageW(tab.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
    EXPECT_EQ(clicks, std::vector<int>{0});
    form.Unload();
}

} // namespace
