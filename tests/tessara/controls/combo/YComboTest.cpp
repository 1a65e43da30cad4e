// YCombo in a real form: dropping the list as a pop-up, choosing, the
// arrow button, and every way the list closes again.
#include "ExpectedColours.h"
#include "ScrollTestSupport.h"
#include "SharedCases.h"

#include "tessara/controls/combo/YCombo.h"

#include "host/Host.h"

using namespace scrolltest;
using tessara::YCombo;
using tessara::YList;

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
    // Waits for the list's layout, 100 ms after the last addition.
    static void Settle(YCombo& c)
    {
        ASSERT_TRUE(PumpUntil([&] { return !c.List().LayoutPending(); }, 5000)) << "the list never laid itself out";
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
    for (auto c : cases::kComboDrops) {
        auto& combo = Place(L"YCombo" + std::to_wstring(c.items), 10, 10, c.items);
        Settle(combo);
        EXPECT_EQ(WindowHeight(combo.hWnd()), 20);
        PressText(combo);
        ASSERT_TRUE(combo.IsOpen()) << c.items << " items";
        EXPECT_EQ(WindowHeight(combo.hWnd()), c.dropped) << c.items << " items";
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
    Settle(combo);
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
    Settle(combo);
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
    Settle(a);
    Settle(b);
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
    Settle(combo);
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
    Settle(combo);
    PressText(combo);
    ASSERT_TRUE(combo.IsOpen());
    const LPARAM onForm = MAKELPARAM(300, 300);
    ::SendMessageW(form.hWnd(), WM_NCHITTEST, 0, onForm);  // the mouse passes, button up
    EXPECT_TRUE(combo.IsOpen());
    POINT onScreen{300, 300};  // the hardware press goes where the real cursor is
    ::ClientToScreen(form.hWnd(), &onScreen);
    ::SetCursorPos(onScreen.x, onScreen.y);
    ASSERT_TRUE(testdesktop::LeftButton(true)) << "the left button could not be pressed here";
    ::SendMessageW(form.hWnd(), WM_NCHITTEST, 0, onForm);
    EXPECT_FALSE(combo.IsOpen());
    testdesktop::LeftButton(false);
}

TEST_F(ComboWindows, FocusLeavingClosesTheList)
{
    auto& combo = Place(L"A", 10, 10, 3);
    auto& other = Place(L"B", 200, 10, 3);
    Settle(combo);
    Settle(other);
    PressText(combo);
    ASSERT_TRUE(combo.IsOpen());
    other.SetFocus();
    EXPECT_TRUE(PumpUntil([&] { return !combo.IsOpen(); }, 2000));
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
    // The closed combo's frame covers its whole window: the background is
    // not erased first (answered as erased, the target left as it was).
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bmp = ::CreateBitmap(120, 20, 1, 32, nullptr);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    ::SetPixelV(dc, 60, 10, RGB(1, 2, 3));
    EXPECT_EQ(::SendMessageW(read.hWnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    EXPECT_EQ(::GetPixel(dc, 60, 10), RGB(1, 2, 3));
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
    EXPECT_GE(combo.List().Model().ItemHeight(), combo.List().TextHeight());
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

// The closed box at (10, 10) of the form, 120 x 20; dropped, it is a
// top-level window from the same screen point with the same width.
TEST_F(ComboWindows, TheDroppedListStartsAtTheClosedBoxWithItsWidth)
{
    auto& combo = Place(L"A", 10, 10, 12);
    Settle(combo);
    POINT origin{10, 10};
    ::ClientToScreen(form.hWnd(), &origin);
    RECT closed{};
    ::GetWindowRect(combo.hWnd(), &closed);
    ASSERT_EQ(closed.left, origin.x);
    ASSERT_EQ(closed.top, origin.y);
    PressText(combo);
    ASSERT_TRUE(combo.IsOpen());
    RECT open{};
    ::GetWindowRect(combo.hWnd(), &open);
    EXPECT_EQ(open.left, origin.x) << "the dropped window's left edge";
    EXPECT_EQ(open.top, origin.y) << "the dropped window's top edge";
    EXPECT_EQ(open.right - open.left, 120) << "the dropped window's width";
    EXPECT_EQ(open.bottom - open.top, 154);
    // The list fills it below the 20 rows of the text area.
    RECT list{};
    ::GetWindowRect(combo.List().hWnd(), &list);
    EXPECT_EQ(list.left, origin.x);
    EXPECT_EQ(list.top, origin.y + 20);
    EXPECT_EQ(list.right - list.left, 120);
    PressText(combo);
    EXPECT_FALSE(combo.IsOpen());
}

// The arrow button (18 x 16 at x 100): a rounded box lit in its upper half
// with a black down arrow from (6, 6); hovered or held, its outline darkens,
// and held, the arrow moves one pixel right and down.
TEST_F(ComboWindows, TheClosedBoxShowsItsTextAndItsArrowIdleHoveredAndHeld)
{
    host::PropertyBag bag;
    bag.set(L"ForeColor", std::int64_t{0x000000FF});  // red text, to find it
    YCombo& combo = form.AddControl<YCombo>(L"A", 150, 150, 120 * 15, 20 * 15, &bag);
    combo.SetText(L"WWW");
    const HWND arrow = combo.Arrow().hWnd();
    auto textShows = [&] {
        Frame f(combo.hWnd());
        int red = 0, beyond = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 120; ++x)
                if (f(x, y) == RGB(255, 0, 0))
                    (x >= 4 && x < 120 - 23 ? red : beyond)++;
        EXPECT_EQ(beyond, 0) << "text outside (4, 0)-(97, 20)";
        EXPECT_EQ(f(0, 10), want::kComboFrame) << "the frame";
        EXPECT_EQ(f(60, 1), want::kWhite) << "white inside the frame";
        return red > 0;
    };
    struct Look {
        COLORREF outline, upper, lower;
        bool arrowAt66, arrowAt117;  // the arrow's first row from (6, 6), or from (7, 7)
    };
    auto arrowLook = [&] {
        Frame f(arrow);
        return Look{f(9, 0), f(3, 4), f(3, 11), f(6, 6) == want::kBlack && f(10, 6) == want::kBlack,
                    f(7, 7) == want::kBlack && f(11, 7) == want::kBlack};
    };
    ASSERT_TRUE(textShows()) << "idle: the text is not drawn";
    Look idle = arrowLook();
    EXPECT_EQ(idle.outline, want::kComboArrowBase) << "idle outline";
    EXPECT_EQ(idle.upper, want::kComboArrowLight);
    EXPECT_EQ(idle.lower, want::kComboArrowMid);
    EXPECT_TRUE(idle.arrowAt66);

    MoveMouse(arrow, 5, 5);
    ASSERT_TRUE(combo.ArrowHover());
    Look hovered = arrowLook();
    EXPECT_EQ(hovered.outline, want::kComboArrowDark) << "hovered: the dark outline";
    EXPECT_EQ(hovered.upper, want::kComboArrowLight);
    EXPECT_TRUE(hovered.arrowAt66) << "hovered: the arrow stays";
    EXPECT_TRUE(textShows()) << "hovered: the text still shows";

    ::SendMessageW(arrow, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    ASSERT_TRUE(combo.ArrowPressed());
    Look held = arrowLook();
    EXPECT_EQ(held.outline, want::kComboArrowDark) << "held: the dark outline";
    EXPECT_EQ(held.upper, want::kComboArrowLight) << "held: the tones do not change";
    EXPECT_FALSE(held.arrowAt66) << "held: the arrow left its place";
    EXPECT_TRUE(held.arrowAt117) << "held: the arrow one pixel right and down";
    EXPECT_TRUE(textShows()) << "held: the text still shows";
    ::SendMessageW(arrow, WM_LBUTTONUP, 0, At(5, 5));
    ::ReleaseCapture();
    if (combo.IsOpen())
        PressText(combo);
}

// The wheel as the system routes it: the real cursor over the dropped list
// and real notches of the wheel; the list scrolls 3 rows per notch.
TEST_F(ComboWindows, TheRealWheelScrollsTheDroppedList)
{
    auto& combo = Place(L"A", 10, 10, 12);
    Settle(combo);
    PressText(combo);
    ASSERT_TRUE(combo.IsOpen());
    YList& list = combo.List();
    ASSERT_TRUE(PumpUntil([&] { return list.ScrollBarShown(); }, 2000)) << "12 items in 8 rows need the bar";
    ASSERT_EQ(list.ScrollBar().MaxV(), 4);
    ASSERT_TRUE(testdesktop::CursorTo(list.hWnd(), 30, 40));
    testdesktop::Wheel(-120);
    EXPECT_TRUE(PumpUntil([&] { return list.ScrollBar().Value() == 3; }, 2000))
        << "one notch down: value " << list.ScrollBar().Value();
    testdesktop::Wheel(-120);
    EXPECT_TRUE(PumpUntil([&] { return list.ScrollBar().Value() == 4; }, 2000)) << "stops at the end";
    testdesktop::Wheel(120);
    EXPECT_TRUE(PumpUntil([&] { return list.ScrollBar().Value() == 1; }, 2000));
    EXPECT_TRUE(combo.IsOpen()) << "the wheel does not close the list";
    PressText(combo);
}

} // namespace
