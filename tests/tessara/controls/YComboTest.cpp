// YCombo in a real form: dropping the list as a pop-up, choosing, the
// arrow button, and every way the list closes again.
#include "ExpectedColours.h"
#include "ScrollTestSupport.h"

#include "tessara/controls/YCombo.h"

using namespace scrolltest;
using tessara::YCombo;

namespace {

HWND ParentOf(HWND h) { return ::GetAncestor(h, GA_PARENT); }

int WindowHeight(HWND h)
{
    RECT rc{};
    ::GetWindowRect(h, &rc);
    return rc.bottom - rc.top;
}

class ComboWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.SetClientSize(400 * 15, 400 * 15);
        form.Show();
    }
    void TearDown() override { form.Unload(); }

    YCombo& Place(const std::wstring& name, int x, int y, int items)
    {
        const host::PropertyBag bag;
        YCombo& c = form.AddControl<YCombo>(name, x * 15, y * 15, 120 * 15, 20 * 15, &bag);
        for (int i = 0; i < items; ++i)
            c.AddItem(L"Choice " + std::to_wstring(i));
        c.Click.connect([&c, name, this] { events.push_back(host::ToUtf8(name) + " Click " + host::ToUtf8(c.Text())); });
        c.Change.connect([&c, name, this] { events.push_back(host::ToUtf8(name) + " Change " + host::ToUtf8(c.Text())); });
        return c;
    }
    static void PressText(YCombo& c) { ::SendMessageW(c.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10)); }
    static void ChooseRow(YCombo& c, int r)
    {
        const HWND list = c.List().hWnd();
        ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 3 + r * 16 + 8));
        ::SendMessageW(list, WM_LBUTTONUP, 0, At(10, 3 + r * 16 + 8));
    }

    TestMouse mouse;
    host::Form form{L"frmTest"};
    std::vector<std::string> events;
};

TEST_F(ComboWindows, DroppedWindowHeightsFollowTheItems)
{
    const struct { int items, height; } cases[] = {{12, 154}, {8, 154}, {3, 74}, {0, 42}};
    for (auto c : cases) {
        auto& combo = Place(L"YCombo" + std::to_wstring(c.items), 10, 10, c.items);
        Pump(150);
        EXPECT_EQ(WindowHeight(combo.hWnd()), 20);
        PressText(combo);
        ASSERT_TRUE(combo.IsOpen()) << c.items << " items";
        EXPECT_EQ(WindowHeight(combo.hWnd()), c.height) << c.items << " items";
        EXPECT_NE(ParentOf(combo.hWnd()), form.hWnd()) << "the dropped list is not a top-level window";
        EXPECT_TRUE(::GetWindowLongPtrW(combo.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(::GetWindowLongPtrW(combo.hWnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        EXPECT_TRUE(::GetPropW(form.hWnd(), L"OrigProcAddr")) << "the form is not watched";
        PressText(combo);
        EXPECT_FALSE(combo.IsOpen());
        EXPECT_EQ(WindowHeight(combo.hWnd()), 20);
        EXPECT_EQ(ParentOf(combo.hWnd()), form.hWnd());
        EXPECT_FALSE(::GetPropW(form.hWnd(), L"OrigProcAddr"));
        RECT rc{};
        ::GetWindowRect(combo.hWnd(), &rc);
        ::MapWindowPoints(nullptr, form.hWnd(), reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(rc.left, 10) << "closed somewhere else than it was";
        EXPECT_EQ(rc.top, 10);
        form.RemoveControl(L"YCombo" + std::to_wstring(c.items));
    }
}

TEST_F(ComboWindows, ChoosingTheSameItemTwiceClicksTwiceButChangesOnce)
{
    auto& combo = Place(L"A", 10, 10, 5);
    Pump(150);
    PressText(combo);
    Pump(150);
    ASSERT_TRUE(combo.IsOpen()) << "the list closed by itself";
    ChooseRow(combo, 2);
    EXPECT_FALSE(combo.IsOpen()) << "a choice closes the list";
    EXPECT_EQ(combo.Text(), L"Choice 2");
    PressText(combo);
    ChooseRow(combo, 2);
    EXPECT_EQ(Join(events), Join({"A Change Choice 2", "A Click Choice 2", "A Click Choice 2"}));
    EXPECT_TRUE(combo.TextHighlighted());
    Frame f(combo.hWnd());
    EXPECT_EQ(f(120 - 25, 10), want::kComboHighlight);
    EXPECT_EQ(f(0, 10), want::kComboFrame);
}

TEST_F(ComboWindows, TextSetByCodeIsNotReportedNorCountedAsReported)
{
    auto& combo = Place(L"A", 10, 10, 3);
    Pump(150);
    combo.SetListIndex(1);
    combo.SetListIndex(7);  // outside: ignored
    combo.SetText(L"typed");
    PressText(combo);
    ChooseRow(combo, 1);  // the text last reported: Click without Change
    EXPECT_EQ(Join(events), Join({"A Change Choice 1", "A Click Choice 1"}));
    EXPECT_EQ(combo.Text(), L"Choice 1");
}

TEST_F(ComboWindows, ArrowDraggedOffCancelsWithoutOpening)
{
    auto& combo = Place(L"A", 10, 10, 3);
    HWND arrow = combo.Arrow().hWnd();
    MoveMouse(arrow, 5, 5);
    EXPECT_TRUE(combo.ArrowHover());
    ::SendMessageW(arrow, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_TRUE(combo.ArrowPressed());
    PlaceCursor(arrow, 60, 60);  // off the button, button still down
    ::SendMessageW(arrow, WM_MOUSEMOVE, MK_LBUTTON, At(60, 60));
    ASSERT_TRUE(PumpUntil([&] { return !combo.ArrowPressed(); }, 300)) << "the pressed look stayed";
    EXPECT_FALSE(combo.ArrowHover());
    ::SendMessageW(arrow, WM_LBUTTONUP, 0, At(60, 60));
    EXPECT_FALSE(combo.IsOpen());
    ::ReleaseCapture();

    // A full click on the arrow drops the list.
    MoveMouse(arrow, 5, 5);
    ::SendMessageW(arrow, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    ::SendMessageW(arrow, WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_TRUE(combo.IsOpen());
    ::ReleaseCapture();
}

TEST_F(ComboWindows, OnlyOneListIsOpenAtATime)
{
    auto& a = Place(L"A", 10, 10, 3);
    auto& b = Place(L"B", 200, 10, 3);
    Pump(150);
    PressText(a);
    ASSERT_TRUE(a.IsOpen());
    PressText(b);
    EXPECT_FALSE(a.IsOpen()) << "the first list stayed open";
    EXPECT_FALSE(b.IsOpen()) << "the press that closes another list must not open this one";
    PressText(b);
    EXPECT_TRUE(b.IsOpen());
    PressText(a);
    EXPECT_FALSE(b.IsOpen());
    EXPECT_FALSE(a.IsOpen());
}

TEST_F(ComboWindows, FormDeactivationAndPressesOutsideClose)
{
    auto& combo = Place(L"A", 10, 10, 3);
    Pump(150);
    PressText(combo);
    ASSERT_TRUE(combo.IsOpen());
    ::SendMessageW(form.hWnd(), WM_NCACTIVATE, FALSE, 0);
    EXPECT_FALSE(combo.IsOpen());

    PressText(combo);
    ASSERT_TRUE(combo.IsOpen());
    ::SendMessageW(combo.hWnd(), WM_RBUTTONDOWN, MK_RBUTTON, At(10, 25));  // below the text area
    EXPECT_FALSE(combo.IsOpen());
    EXPECT_TRUE(events.empty());
}

TEST_F(ComboWindows, ALeftPressOnTheFormClosesButAMoveDoesNot)
{
    auto& combo = Place(L"A", 10, 10, 3);
    Pump(150);
    PressText(combo);
    ASSERT_TRUE(combo.IsOpen());
    const LPARAM onForm = MAKELPARAM(300, 300);
    ::SendMessageW(form.hWnd(), WM_NCHITTEST, 0, onForm);  // the mouse passes, button up
    EXPECT_TRUE(combo.IsOpen());
    POINT onScreen{300, 300};  // the hardware press goes where the real cursor is
    ::ClientToScreen(form.hWnd(), &onScreen);
    ::SetCursorPos(onScreen.x, onScreen.y);
    INPUT down{};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &down, sizeof(INPUT));
    PumpUntil([] { return ::GetAsyncKeyState(VK_LBUTTON) < 0; }, 300);
    ASSERT_LT(::GetAsyncKeyState(VK_LBUTTON), 0) << "the left button could not be pressed here";
    ::SendMessageW(form.hWnd(), WM_NCHITTEST, 0, onForm);
    INPUT up = down;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &up, sizeof(INPUT));
    Pump(50);
    EXPECT_FALSE(combo.IsOpen());
}

TEST_F(ComboWindows, FocusLeavingClosesTheList)
{
    auto& combo = Place(L"A", 10, 10, 3);
    auto& other = Place(L"B", 200, 10, 3);
    Pump(150);
    PressText(combo);
    ASSERT_TRUE(combo.IsOpen());
    other.SetFocus();
    Pump(50);
    EXPECT_FALSE(combo.IsOpen());
    EXPECT_FALSE(combo.TextHighlighted());
}

TEST_F(ComboWindows, PropertiesGoToTheListAndBack)
{
    host::PropertyBag bag;
    bag.set(L"IsReal", true);
    bag.set(L"ForeColor", std::int64_t{0x00123456});
    auto& combo = form.AddControl<YCombo>(L"C", 0, 0, 1800, 300, &bag);
    EXPECT_TRUE(combo.IsReal());
    EXPECT_TRUE(combo.List().IsReal());
    EXPECT_EQ(combo.List().ForeColor(), 0x00123456u);
    combo.SetIsReal(false);  // run time: ignored
    EXPECT_TRUE(combo.IsReal());
    const host::PropertyBag saved = combo.SaveBag();
    EXPECT_TRUE(saved.readBool(L"IsReal", false));
    EXPECT_EQ(saved.readColour(L"ForeColor", 0), 0x00123456u);
    auto& narrow = form.AddControl<YCombo>(L"D", 0, 600, 150, 900, &bag);
    EXPECT_EQ(narrow.ScaleWidth(), 26);
    EXPECT_EQ(narrow.ScaleHeight(), 20);
}

// A press and a release over the arrow is a click, even when the pointer
// left the arrow in between and the pressed look was cancelled.
TEST_F(ComboWindows, ArrowPressCancelledThenReleasedOnTheArrowOpens)
{
    auto& combo = Place(L"A", 10, 10, 3);
    HWND arrow = combo.Arrow().hWnd();
    MoveMouse(arrow, 5, 5);
    ::SendMessageW(arrow, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    PlaceCursor(arrow, 60, 60);
    ::SendMessageW(arrow, WM_MOUSEMOVE, MK_LBUTTON, At(60, 60));
    ASSERT_TRUE(PumpUntil([&] { return !combo.ArrowPressed(); }, 300)) << "the pressed look stayed";
    PlaceCursor(arrow, 5, 5);  // back over the arrow, the button still down
    ::SendMessageW(arrow, WM_MOUSEMOVE, MK_LBUTTON, At(5, 5));
    ::SendMessageW(arrow, WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_TRUE(combo.IsOpen());
    ::ReleaseCapture();
}

TEST_F(ComboWindows, BackColorStartsWhite)
{
    auto& fresh = form.AddControl<YCombo>(L"New", 15 * 10, 15 * 200, 120 * 15, 20 * 15);
    EXPECT_EQ(fresh.BackColor(), 0x00FFFFFFu);
    const host::PropertyBag none;
    auto& read = form.AddControl<YCombo>(L"Read", 15 * 10, 15 * 250, 120 * 15, 20 * 15, &none);
    EXPECT_EQ(read.BackColor(), 0x00FFFFFFu);
    EXPECT_EQ(read.SaveBag().readColour(L"BackColor", 0), 0x00FFFFFFu);
    // What the window's background is erased with before a paint.
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bmp = ::CreateBitmap(120, 20, 1, 32, nullptr);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    ::SendMessageW(read.hWnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(::GetPixel(dc, 60, 10), 0x00FFFFFFu);
    ::SelectObject(dc, old);
    ::DeleteObject(bmp);
    ::DeleteDC(dc);
}

// A stored font taller than the list's rows grows them while the form
// loads, without a notice nobody is there to read.
TEST_F(ComboWindows, ATallStoredFontGrowsTheListWithoutANotice)
{
    hosttest::BoxRecorder boxes;
    host::PropertyBag bag;
    host::Font big;
    big.size = 36;
    bag.set(L"Font", big);
    auto& combo = form.AddControl<YCombo>(L"Tall", 15 * 10, 15 * 10, 120 * 15, 20 * 15, &bag);
    EXPECT_TRUE(boxes.boxes.empty()) << boxes.boxes.size() << " message boxes";
    EXPECT_TRUE(combo.List().Font() == big);
    EXPECT_GE(combo.List().Model().ItemHeight(), combo.List().FontHeight());
    EXPECT_GT(combo.List().Model().ItemHeight(), tessara::kListDefaultItemHeight);
}

// The chosen text is data: an "&" shows as typed.
TEST_F(ComboWindows, AmpersandsInTheTextAreDrawnAsTyped)
{
    auto& combo = Place(L"A", 10, 10, 0);
    const std::wstring text(8, L'&');
    combo.SetText(text);
    Frame f(combo.hWnd());
    const int full = TextExtent(combo.Font(), text);
    const int ink = InkSpan(f, RECT{4, 2, 120 - 23, 18});
    EXPECT_GE(ink, full * 3 / 4) << "ink " << ink << " px of a " << full << " px text";
}

} // namespace
