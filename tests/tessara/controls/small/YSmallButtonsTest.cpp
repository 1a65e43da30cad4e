// YCommand, YOption and YCheck in real windows: mouse messages in; events,
// values and painted pixels out.
#include "ExpectedColours.h"
#include "SmallTestSupport.h"

#include "tessara/controls/small/YCheck.h"
#include "tessara/controls/small/YCommand.h"
#include "tessara/controls/small/YOption.h"

#include "host/Host.h"

using namespace smalltest;
using tessara::YCheck;
using tessara::YCommand;
using tessara::YOption;

namespace {

constexpr COLORREF kBack = 0x00406080;   // behind the faces
constexpr COLORREF kText = 0x000000FF;   // pure red captions
constexpr COLORREF kTick = want::kTick;
constexpr COLORREF kLight = want::kFaceLight;
constexpr COLORREF kMid = want::kFaceMid;
constexpr COLORREF kHalo = want::kHalo;

// A saved property set; value < 0 leaves out the key (the command button has no Value).
host::PropertyBag Saved(const std::wstring& caption, bool enabled = true, int value = 0)
{
    host::PropertyBag bag;
    bag.set(L"Caption", caption);
    bag.set(L"Enabled", enabled);
    bag.set(L"BackColor", std::int64_t{kBack});
    bag.set(L"ForeColor", std::int64_t{kText});
    if (value >= 0)
        bag.set(L"Value", std::int64_t{value});
    return bag;
}

class Buttons : public FormTest {
protected:
    template <class B>
    B& Place(const std::wstring& name, int w, int h, const host::PropertyBag& bag)
    {
        // One below the other: overlapping siblings would hide each other's pixels.
        B& b = form.AddControl<B>(name, 300, 300 + 600 * placed++, w * 15, h * 15, &bag);
        b.Click.connect([this] { events.push_back("Click"); });
        b.DBClick.connect([this] { events.push_back("DBClick"); });
        return b;
    }
    // Down, up, double-click, up: what the system sends for a double-click.
    static void DoubleClick(HWND h, int x, int y)
    {
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
        SendMessageW(h, WM_LBUTTONUP, 0, At(x, y));
        SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, At(x, y));
        SendMessageW(h, WM_LBUTTONUP, 0, At(x, y));
    }
    static void Click(HWND h, int x, int y) { hosttest::ClickAt(h, x, y); }
    int placed = 0;
};

TEST_F(Buttons, CommandDoubleClickRaisesClickDBClickClick)
{
    auto& b = Place<YCommand>(L"YCommand1", 89, 25, Saved(L"OK", true, -1));
    DoubleClick(b.hWnd(), 40, 12);
    EXPECT_EQ(Join(events), "Click\nDBClick\nClick\n");
    EXPECT_FALSE(b.IsDown());
}

TEST_F(Buttons, CommandFaceShowsIdleHoverAndPressedLooks)
{
    auto& b = Place<YCommand>(L"YCommand1", 89, 25, Saved(L"W", true, -1));
    {
        Frame f(b.hWnd());
        EXPECT_EQ(f(70, 4), kLight) << "idle: light upper half";
        EXPECT_EQ(f(70, 20), kMid) << "idle: darker lower half";
        EXPECT_EQ(f(44, 0), kBack) << "idle: no outer outline";
    }
    MoveMouse(b.hWnd(), 70, 12);
    ASSERT_TRUE(b.IsHover());
    {
        Frame f(b.hWnd());
        EXPECT_EQ(f(44, 0), kHalo) << "hover: highlighted outer outline";
    }
    Press(b.hWnd(), 70, 12);
    {
        Frame f(b.hWnd());
        EXPECT_EQ(f(70, 4), kMid) << "pressed: tones swapped";
        EXPECT_EQ(f(70, 20), kLight);
    }
    Release(b.hWnd(), 70, 12);
    EXPECT_EQ(Join(events), "Click\n");
    SendMessageW(b.hWnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(b.IsHover());
}

TEST_F(Buttons, CommandDraggedOffWhileHeldLooksIdleUntilReleased)
{
    auto& b = Place<YCommand>(L"YCommand1", 89, 25, Saved(L"W", true, -1));
    // The leave timer asks the system where the cursor is: the real cursor
    // moves here, on this program's own desktop.
    ASSERT_TRUE(testdesktop::CursorTo(b.hWnd(), 40, 12));
    Press(b.hWnd(), 40, 12);
    ASSERT_TRUE(testdesktop::CursorTo(b.hWnd(), 300, 300)) << "the cursor cannot leave the button";
    ASSERT_TRUE(PumpUntil([&] { return b.IsOutWhileDown(); }, 2000)) << "the leave timer never noticed";
    {
        Frame f(b.hWnd());
        EXPECT_EQ(f(70, 4), kLight) << "idle look while held outside";
    }
    // Back over it: the system's move makes it hovered again, yet it stays
    // idle while two more periods of its 100 ms timer pass.
    ASSERT_TRUE(testdesktop::CursorTo(b.hWnd(), 40, 12));
    ASSERT_TRUE(PumpUntil([&] { return b.IsHover(); }, 2000)) << "the move back never arrived";
    PumpTicks(2, 100);
    EXPECT_TRUE(b.IsOutWhileDown()) << "back over the button it took the pressed look again";
    {
        Frame f(b.hWnd());
        EXPECT_EQ(f(70, 4), kLight) << "idle look, not pressed, with the cursor back over it";
        EXPECT_EQ(f(44, 0), kBack) << "nor the hover outline";
    }
    Release(b.hWnd(), 40, 12);
    EXPECT_FALSE(b.IsOutWhileDown());
    EXPECT_EQ(Join(events), "Click\n");
}

TEST_F(Buttons, DisabledButtonsPaintIdleFacesWithGreyCaptionsAndNoMessageBox)
{
    auto& cmd = Place<YCommand>(L"YCommand1", 89, 25, Saved(L"WWWW", false, -1));
    auto& opt = Place<YOption>(L"YOption1", 73, 33, Saved(L"WWWW", false, 1));
    auto& chk = Place<YCheck>(L"YCheck1", 73, 33, Saved(L"WWWW", false, 1));
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    auto captionIsGrey = [&](HWND h, RECT r) {
        Frame f(h);
        EXPECT_FALSE(HasColour(f, r, kText)) << "the caption is not in its text colour";
        EXPECT_TRUE(HasColour(f, r, shadow)) << "the caption is greyed";
    };
    captionIsGrey(cmd.hWnd(), RECT{10, 2, 80, 23});
    captionIsGrey(opt.hWnd(), RECT{18, 0, 73, 33});
    captionIsGrey(chk.hWnd(), RECT{18, 0, 73, 33});
    {
        Frame f(cmd.hWnd());
        EXPECT_EQ(f(85, 4), kLight) << "the command face is drawn idle";
    }
    {
        Frame f(opt.hWnd());
        EXPECT_EQ(f(4, 16), want::kWhite) << "the option's white disc";
        EXPECT_EQ(f(8, 17), want::kFaceBlue) << "its dot: it is still selected";
    }
    {
        Frame f(chk.hWnd());
        EXPECT_TRUE(HasColour(f, RECT{2, 10, 14, 22}, kTick)) << "the tick still shows";
    }
    EXPECT_TRUE(boxes.boxes.empty()) << "painting showed a message box";
    // Disabled changes only the look: clicks still count.
    Click(chk.hWnd(), 5, 16);
    EXPECT_EQ(chk.Value(), 0);
    EXPECT_EQ(Join(events), "Click\n");
}

TEST_F(Buttons, EnabledCaptionsUseTheTextColour)
{
    auto& cmd = Place<YCommand>(L"YCommand1", 89, 25, Saved(L"WWWW", true, -1));
    auto& chk = Place<YCheck>(L"YCheck1", 73, 33, Saved(L"WWWW"));
    Frame fc(cmd.hWnd());
    EXPECT_TRUE(HasColour(fc, RECT{10, 2, 80, 23}, kText));
    Frame fk(chk.hWnd());
    EXPECT_TRUE(HasColour(fk, RECT{18, 0, 73, 33}, kText));
}

TEST_F(Buttons, CheckDoubleClickTogglesTwice)
{
    auto& b = Place<YCheck>(L"YCheck1", 73, 33, Saved(L"YCheck1"));
    DoubleClick(b.hWnd(), 5, 16);
    EXPECT_EQ(b.Value(), 0);
    EXPECT_EQ(Join(events), "Click\nDBClick\nClick\n");
}

TEST_F(Buttons, CheckBoxLooks)
{
    auto& b = Place<YCheck>(L"YCheck1", 73, 33, Saved(L"YCheck1"));
    const RECT box{2, 10, 14, 22};  // (33 - 12) / 2 = 10.5 rounds to 10
    {
        Frame f(b.hWnd());
        EXPECT_EQ(f(2, 15), want::kFaceBlue) << "frame";
        EXPECT_EQ(f(8, 15), want::kWhite) << "white inside";
        EXPECT_EQ(f(8, 9), kBack);
        EXPECT_FALSE(HasColour(f, box, kTick));
    }
    Press(b.hWnd(), 5, 16);
    {
        Frame f(b.hWnd());
        EXPECT_EQ(f(2, 15), want::kPressedBlue) << "held: pressed frame";
        EXPECT_EQ(f(8, 15), kBack) << "held: no white fill";
    }
    Release(b.hWnd(), 5, 16);
    ASSERT_EQ(b.Value(), 1);
    Frame f(b.hWnd());
    EXPECT_TRUE(HasColour(f, box, kTick)) << "ticked";
    EXPECT_FALSE(HasColour(f, RECT{14, 0, 18, 33}, kTick)) << "the tick stays inside the box";
}

TEST_F(Buttons, CheckValueMinusOneShowsEmptyThenClearsThenSets)
{
    auto& b = Place<YCheck>(L"YCheck1", 73, 33, Saved(L"YCheck1"));
    b.SetValue(-1);
    {
        Frame f(b.hWnd());
        EXPECT_FALSE(HasColour(f, RECT{2, 10, 14, 22}, kTick));
    }
    Click(b.hWnd(), 5, 16);
    EXPECT_EQ(b.Value(), 0);
    Click(b.hWnd(), 5, 16);
    EXPECT_EQ(b.Value(), 1);
}

TEST_F(Buttons, OptionSelectsAndStaysSelected)
{
    auto& a = Place<YOption>(L"YOption1", 73, 33, Saved(L"A"));
    auto& other = Place<YOption>(L"YOption2", 73, 33, Saved(L"B", true, 1));
    {
        Frame f(a.hWnd());
        EXPECT_EQ(f(8, 17), want::kWhite) << "no dot";
    }
    Click(a.hWnd(), 7, 16);
    Click(a.hWnd(), 7, 16);
    EXPECT_EQ(a.Value(), 1);
    EXPECT_EQ(other.Value(), 1) << "other option buttons are left alone";
    EXPECT_EQ(Join(events), "Click\nClick\n");
    {
        Frame f(a.hWnd());
        EXPECT_EQ(f(8, 17), want::kFaceBlue) << "the dot";
    }
    Press(a.hWnd(), 7, 16);
    Frame f(a.hWnd());
    EXPECT_EQ(f(4, 13), kBack) << "held: no white disc";
    Release(a.hWnd(), 7, 16);
}

TEST_F(Buttons, PropertiesRoundTripAndNewButtonsTakeTheirName)
{
    auto& b = Place<YCheck>(L"YCheck1", 73, 33, Saved(L"Keep", false, 1));
    host::PropertyBag bag = b.SaveBag();
    EXPECT_EQ(bag.readText(L"Caption", L""), L"Keep");
    EXPECT_FALSE(bag.readBool(L"Enabled", true));
    EXPECT_EQ(bag.readLong(L"Value", 0), 1);
    EXPECT_EQ(bag.readColour(L"BackColor", 0), kBack);
    EXPECT_EQ(bag.readColour(L"ForeColor", 0), kText);
    EXPECT_TRUE(bag.has(L"Font"));
    auto& fresh = form.AddControl<YCommand>(L"YCommand7", 3000, 0, 1200, 400);
    EXPECT_EQ(fresh.Caption(), L"YCommand7");
    hosttest::ClickAt(fresh.hWnd(), 10, 10);  // hooked at run time even without saved properties
    EXPECT_FALSE(fresh.IsDown());
}

} // namespace
