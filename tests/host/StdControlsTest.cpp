// Standard controls driven through their windows as a user would, and
// through their properties as a program would.
#include "HostTestSupport.h"

#include <gtest/gtest.h>

using namespace hosttest;

namespace {

class StdControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.SetBackColor(0x00C0C0C0);  // grey: tells the form's surface from the controls'
        form.Show();
    }
    void TearDown() override { form.Unload(); }
    host::Form form{L"frmStd"};
};

int CountPixels(HWND h, COLORREF colour)
{
    RECT r;
    GetClientRect(h, &r);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, r.right, r.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessageW(h, WM_PRINT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT | PRF_ERASEBKGND);
    int n = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            if (GetPixel(mem, x, y) == colour)
                ++n;
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    return n;
}

// ---- Label -------------------------------------------------------------------

TEST_F(StdControls, LabelPaintsCaptionInItsColourAndBoldPaintsMore)
{
    auto& l = form.AddControl<host::Label>(L"labVer", 0, 0, 1800, 450);
    l.SetCaption(L"WWWW");
    l.SetForeColor(0x000000FF);
    EXPECT_EQ(PixelAt(l.hWnd(), 1, 28), RGB(0xC0, 0xC0, 0xC0));  // transparent: the form's grey
    int regular = CountPixels(l.hWnd(), RGB(255, 0, 0));
    EXPECT_GT(regular, 0);
    l.SetBold(true);
    EXPECT_TRUE(l.Font().bold);
    EXPECT_GT(CountPixels(l.hWnd(), RGB(255, 0, 0)), regular);
    l.SetForeColor(0x00FF0000);  // blue: the red text is gone
    EXPECT_EQ(CountPixels(l.hWnd(), RGB(255, 0, 0)), 0);
    l.SetTransparent(false);
    l.SetBackColor(0x0000FF00);
    EXPECT_EQ(PixelAt(l.hWnd(), 1, 28), RGB(0, 255, 0));
}

TEST_F(StdControls, LabelClickMouseMoveAndCustomCursor)
{
    auto& l = form.AddControl<host::Label>(L"Label5", 0, 0, 1800, 450);
    int clicks = 0;
    std::vector<float> moves;
    l.Click.connect([&] { ++clicks; });
    l.MouseMove.connect([&](int, int, float x, float) { moves.push_back(x); });
    ClickAt(l.hWnd(), 5, 5);
    SendMessageW(l.hWnd(), WM_MOUSEMOVE, 0, At(7, 3));
    EXPECT_EQ(clicks, 1);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], 7.0f);

    HCURSOR hand = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));  // the hand
    l.SetMouseIcon(host::PictureFromHandle(hand, host::Picture::Type::Cursor, false));
    l.SetMousePointer(99);
    SetCursor(nullptr);
    SendMessageW(l.hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(l.hWnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), hand);
}

// ---- TextBox ----------------------------------------------------------------------

TEST_F(StdControls, TextBoxRaisesChangeForUserAndProgram)
{
    auto& t = form.AddControl<host::TextBox>(L"txtParam", 0, 0, 1800, 315);
    std::vector<std::wstring> seen;
    t.Change.connect([&] { seen.push_back(t.Text()); });
    t.SetText(L"-a");
    t.SetText(L"-a");  // unchanged: no event
    SendMessageW(t.hWnd(), EM_SETSEL, 2, 2);  // caret after the text
    SendMessageW(t.hWnd(), WM_CHAR, L'b', 0);
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"-a", L"-ab"}));
}

// ---- CheckList ----------------------------------------------------------------------

TEST_F(StdControls, CheckListRaisesItemCheckWhenTheProgramTicks)
{
    auto& l = form.AddControl<host::CheckList>(L"lstCPU", 0, 0, 1800, 1500);
    std::vector<int> rows;
    l.ItemCheck.connect([&](int r) { rows.push_back(r); });
    for (const wchar_t* t : {L"AllCPU", L"CPU0", L"CPU1"})
        l.AddItem(t);
    l.SetSelected(2, true);
    l.SetSelected(2, true);   // no change, no event
    l.SetSelected(0, false);  // already unticked
    l.SetSelected(7, true);   // no such row
    l.SetSelected(2, false);
    EXPECT_EQ(rows, (std::vector<int>{2, 2}));
    EXPECT_FALSE(l.Selected(2));
    EXPECT_EQ(l.ListCount(), 3);
    EXPECT_EQ(l.List(1), L"CPU0");
    l.Clear();
    EXPECT_EQ(l.ListCount(), 0);
}

TEST_F(StdControls, CheckListHandlersMayTickOtherRowsFromInsideTheEvent)
{
    // "AllCPU" ticks every row; unticking a processor unticks "AllCPU".
    auto& l = form.AddControl<host::CheckList>(L"lstCPU", 0, 0, 1800, 1500);
    for (const wchar_t* t : {L"AllCPU", L"CPU0", L"CPU1", L"CPU2"})
        l.AddItem(t);
    bool busy = false;
    l.ItemCheck.connect([&](int r) {
        if (busy)
            return;
        busy = true;
        if (r == 0)
            for (int i = 1; i < l.ListCount(); ++i)
                l.SetSelected(i, l.Selected(0));
        else if (!l.Selected(r))
            l.SetSelected(0, false);
        busy = false;
    });
    l.SetSelected(0, true);
    EXPECT_TRUE(l.Selected(1) && l.Selected(2) && l.Selected(3));
    l.SetSelected(2, false);
    EXPECT_FALSE(l.Selected(0));
    EXPECT_TRUE(l.Selected(1) && l.Selected(3));
}

TEST_F(StdControls, CheckListUserTicksWithTheBoxTheCurrentRowOrSpace)
{
    auto& l = form.AddControl<host::CheckList>(L"lstEXE", 0, 0, 1800, 1500);
    for (const wchar_t* t : {L"a.exe", L"b.exe", L"c.exe"})
        l.AddItem(t);
    std::vector<int> rows;
    l.ItemCheck.connect([&](int r) { rows.push_back(r); });
    RECT row1;
    SendMessageW(l.hWnd(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row1));
    int y = (row1.top + row1.bottom) / 2;
    ClickAt(l.hWnd(), 60, y);  // on the text of a row not yet current: selects only
    EXPECT_EQ(l.ListIndex(), 1);
    EXPECT_FALSE(l.Selected(1));
    ClickAt(l.hWnd(), 60, y);  // the current row's text: ticks
    EXPECT_TRUE(l.Selected(1));
    RECT row2;
    SendMessageW(l.hWnd(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row2));
    ClickAt(l.hWnd(), 6, (row2.top + row2.bottom) / 2);  // on the box: ticks at once
    EXPECT_TRUE(l.Selected(2));
    SendMessageW(l.hWnd(), WM_KEYDOWN, VK_SPACE, 0);  // Space on the current row (2)
    EXPECT_FALSE(l.Selected(2));
    EXPECT_EQ(rows, (std::vector<int>{1, 2, 2}));
}

// ---- DropDownList ------------------------------------------------------------------------

TEST_F(StdControls, DropDownListRowsAndIndex)
{
    auto& c = form.AddControl<host::DropDownList>(L"cbStyle", 0, 0, 1800, 315);
    int clicks = 0;
    c.Click.connect([&] { ++clicks; });
    for (const wchar_t* t : {L"隐藏", L"常规窗口", L"最小化", L"最大化"})
        c.AddItem(t);
    EXPECT_EQ(c.ListIndex(), -1);
    c.SetListIndex(1);
    c.SetListIndex(9);  // ignored
    EXPECT_EQ(c.ListIndex(), 1);
    EXPECT_EQ(c.List(1), L"常规窗口");
    EXPECT_EQ(clicks, 1);
    c.Clear();
    EXPECT_EQ(c.ListCount(), 0);
    EXPECT_EQ(c.ListIndex(), -1);
}

// ---- CheckBox and OptionButton --------------------------------------------------------------

TEST_F(StdControls, CheckBoxTogglesOnClickAndReportsIt)
{
    auto& c = form.AddControl<host::CheckBox>(L"chkRemember", 0, 0, 1800, 315);
    c.SetCaption(L"记住所选");
    std::vector<int> values;
    c.Click.connect([&] { values.push_back(c.Value()); });
    SendMessageW(c.hWnd(), BM_CLICK, 0, 0);
    SendMessageW(c.hWnd(), BM_CLICK, 0, 0);
    c.SetValue(1);
    c.SetValue(2);  // not a value of a check box
    EXPECT_EQ(values, (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(SendMessageW(c.hWnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(c.Caption(), L"记住所选");
}

TEST_F(StdControls, OptionButtonArrayReportsTheIndexAndClearsTheOthers)
{
    for (int i = 0; i < 3; ++i)
        form.AddControl<host::OptionButton>(L"Option1(" + std::to_wstring(i) + L")", i * 1500, 0, 1400, 315);
    auto options = form.ControlArray<host::OptionButton>(L"Option1");
    ASSERT_EQ(options.size(), 3u);
    std::vector<int> clicks;
    for (auto* o : options)
        o->Click.connect([&](int i) { clicks.push_back(i); });
    options[0]->SetValue(true);
    SendMessageW(options[2]->hWnd(), BM_CLICK, 0, 0);
    SendMessageW(options[2]->hWnd(), BM_CLICK, 0, 0);  // already chosen: nothing
    EXPECT_EQ(clicks, (std::vector<int>{0, 2}));
    EXPECT_FALSE(options[0]->Value());
    EXPECT_TRUE(options[2]->Value());
    EXPECT_EQ(SendMessageW(options[0]->hWnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

// ---- PictureBox and Line ------------------------------------------------------------------------

TEST_F(StdControls, PictureBoxShowsItsPictureThenItsPaintHandler)
{
    auto& p = form.AddControl<host::PictureBox>(L"Image1(0)", 0, 0, 1500, 1500);
    p.SetBackColor(0x00FFFFFF);
    p.SetPicture(host::LoadBitmapPicture(L"REDBMP"));
    ASSERT_NE(p.Picture(), nullptr);
    p.Paint.connect([&] { SetPixel(p.hDC(), 2, 1, RGB(0, 0, 255)); });
    EXPECT_EQ(PixelAt(p.hWnd(), 0, 0), RGB(255, 0, 0));    // the picture
    EXPECT_EQ(PixelAt(p.hWnd(), 2, 1), RGB(0, 0, 255));    // drawn by the handler, after it
    EXPECT_EQ(PixelAt(p.hWnd(), 50, 50), RGB(255, 255, 255));  // background
    p.SetAutoSize(true);
    EXPECT_EQ(p.ScaleWidth(), 4);
    EXPECT_EQ(p.ScaleHeight(), 3);
    p.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(p.hWnd()));
    p.Move(150, 300);
    EXPECT_EQ(p.Left(), 150);
    EXPECT_EQ(p.Top(), 300);
    std::vector<int> buttons;
    p.MouseDown.connect([&](int b, int, float, float) { buttons.push_back(b); });
    SendMessageW(p.hWnd(), WM_RBUTTONDOWN, MK_RBUTTON, At(1, 1));
    EXPECT_EQ(buttons, std::vector<int>{2});
}

TEST_F(StdControls, LineDrawsBetweenItsPoints)
{
    auto& l = form.AddControl<host::Line>(L"Line1", 0, 0, 0, 0);
    l.SetPoints(150, 300, 1500, 300);  // pixels (10, 20) to (100, 20)
    l.SetBorderColor(0x0000FF00);
    RECT r;
    GetWindowRect(l.hWnd(), &r);
    MapWindowPoints(nullptr, form.hWnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(PixelAt(l.hWnd(), 40, 0), RGB(0, 255, 0));
    EXPECT_EQ(CountPixels(l.hWnd(), RGB(0, 255, 0)), 90);
}

} // namespace
