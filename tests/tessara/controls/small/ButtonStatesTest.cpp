// The small buttons' input state machine, walked as a user would, and their face geometry.
#include "tessara/controls/small/ButtonStates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tessara;

namespace {

enum class In { Move, Leave, Down, Up, Dbl, KillFocus, Away };

// Feeds inputs and records the raised events as "Click"/"DBClick".
struct Driver {
    explicit Driver(ButtonKind k) : b(k) {}
    ButtonState b;
    std::uint32_t tick = 1000;
    std::vector<std::string> events;
    ButtonEffects last;

    void Feed(In in)
    {
        switch (in) {
        case In::Move: tick += 40; last = b.MouseMove(tick); break;
        case In::Leave: last = b.MouseLeave(); break;
        case In::Down: last = b.ButtonDown(); break;
        case In::Up: last = b.ButtonUp(); break;
        case In::Dbl: last = b.DoubleClick(); break;
        case In::KillFocus: last = b.KillFocus(); break;
        case In::Away: last = b.PointerAway(); break;
        }
        if (last.click)
            events.push_back("Click");
        if (last.dbClick)
            events.push_back("DBClick");
    }
    void Feed(std::initializer_list<In> ins)
    {
        for (In i : ins)
            Feed(i);
    }
};

} // namespace

TEST(ButtonState, CommandDoubleClickRaisesClickDBClickClick)
{
    Driver d(ButtonKind::Command);
    d.Feed({In::Down, In::Up, In::Dbl, In::Up});
    EXPECT_EQ(d.events, (std::vector<std::string>{"Click", "DBClick", "Click"}));
}

TEST(ButtonState, CommandLookFollowsTheStateTable)
{
    // Each row: the input, then the look and flags after it.
    struct Row {
        In in;
        CommandLook look;
        bool hover, down, out, startTimer, stopTimer;
    } rows[] = {
        {In::Move, CommandLook::Hover, true, false, false, false, false},
        {In::Down, CommandLook::Pressed, true, true, false, true, false},
        {In::Away, CommandLook::Idle, true, true, true, false, true},
        {In::Move, CommandLook::Idle, true, true, true, false, false},  // back over it: stays idle
        {In::Up, CommandLook::Hover, true, false, false, false, true},
        {In::Down, CommandLook::Pressed, true, true, false, true, false},
        {In::KillFocus, CommandLook::Hover, true, false, false, false, true},
        {In::Down, CommandLook::Pressed, true, true, false, true, false},
        {In::Leave, CommandLook::Idle, false, false, false, false, false},
    };
    Driver d(ButtonKind::Command);
    int n = 0;
    for (const auto& r : rows) {
        SCOPED_TRACE("row " + std::to_string(n++));
        d.Feed(r.in);
        EXPECT_EQ(d.b.Look(), r.look);
        EXPECT_EQ(d.b.IsHover(), r.hover);
        EXPECT_EQ(d.b.IsDown(), r.down);
        EXPECT_EQ(d.b.IsOutWhileDown(), r.out);
        EXPECT_EQ(d.last.startLeaveTimer, r.startTimer);
        EXPECT_EQ(d.last.stopLeaveTimer, r.stopTimer);
    }
}

TEST(ButtonState, MovesAreHandledAtMostOnceIn30Ms)
{
    ButtonState b(ButtonKind::Command);
    auto e = b.MouseMove(1000);
    EXPECT_TRUE(e.requestLeave);
    EXPECT_TRUE(e.repaint);
    e = b.MouseMove(1029);
    EXPECT_FALSE(e.requestLeave);
    b.MouseLeave();
    e = b.MouseMove(1029);  // still throttled: the hover is not taken back
    EXPECT_FALSE(b.IsHover());
    e = b.MouseMove(1030);
    EXPECT_TRUE(e.requestLeave);
    EXPECT_TRUE(b.IsHover());
    e = b.MouseMove(1100);
    EXPECT_TRUE(e.requestLeave);
    EXPECT_FALSE(e.repaint);  // hover unchanged: no repaint
    // The tick counter wraps around after 49.7 days.
    ButtonState w(ButtonKind::Check);
    w.MouseMove(0xFFFFFFF0u);
    EXPECT_FALSE(w.MouseMove(0xFFFFFFFFu).requestLeave);
    EXPECT_TRUE(w.MouseMove(0x00000010u).requestLeave);
}

TEST(ButtonState, ValuesAfterClicks)
{
    struct Case {
        const char* name;
        ButtonKind kind;
        int start;
        std::vector<In> inputs;
        int value;
        std::vector<std::string> events;
    } cases[] = {
        {"check double-click toggles twice", ButtonKind::Check, 0, {In::Down, In::Up, In::Dbl, In::Up}, 0,
         {"Click", "DBClick", "Click"}},
        {"check -1 clears first", ButtonKind::Check, -1, {In::Down, In::Up}, 0, {"Click"}},
        {"check -1 then set", ButtonKind::Check, -1, {In::Down, In::Up, In::Down, In::Up}, 1, {"Click", "Click"}},
        {"check 2 clears", ButtonKind::Check, 2, {In::Down, In::Up}, 0, {"Click"}},
        {"option selects", ButtonKind::Option, 0, {In::Down, In::Up}, 1, {"Click"}},
        {"selected option stays", ButtonKind::Option, 1, {In::Down, In::Up}, 1, {"Click"}},
        {"option 2 unchanged", ButtonKind::Option, 2, {In::Down, In::Up}, 2, {"Click"}},
        {"down alone clicks nothing", ButtonKind::Check, 0, {In::Down, In::KillFocus}, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Driver d(c.kind);
        d.b.SetValue(c.start);
        for (In i : c.inputs)
            d.Feed(i);
        EXPECT_EQ(d.b.Value(), c.value);
        EXPECT_EQ(d.events, c.events);
    }
    ButtonState minus(ButtonKind::Check);
    minus.SetValue(-1);
    EXPECT_FALSE(minus.Selected());  // shows an empty box
}

TEST(ButtonState, OptionAndCheckIgnoreTheLeaveTimer)
{
    ButtonState b(ButtonKind::Option);
    b.ButtonDown();
    auto e = b.PointerAway();
    EXPECT_FALSE(e.repaint);
    EXPECT_FALSE(b.IsOutWhileDown());
    EXPECT_FALSE(b.ButtonDown().startLeaveTimer);
}

TEST(ButtonGeometry, FacesSitOnTheRoundedCentre)
{
    OptionFace f = OptionFaceFor(33);  // 16.5 rounds to 16
    EXPECT_EQ(f.cy, 16);
    EXPECT_EQ(f.discTop, 11);
    EXPECT_EQ(f.discBottom, 23);
    EXPECT_EQ(f.dotTop, 14);
    EXPECT_EQ(f.dotBottom, 20);
    EXPECT_EQ(OptionFaceFor(35).cy, 18);  // 17.5 rounds to 18
    EXPECT_EQ(CheckBoxTop(33), 10);       // 10.5 -> 10
    EXPECT_EQ(CheckBoxTop(35), 12);       // 11.5 -> 12
    EXPECT_EQ(CheckBoxTop(24), 6);
    TextOrigin o = CentredText(89, 25, 40, 12);  // 24.5 -> 24, 6.5 -> 6
    EXPECT_EQ(o.x, 24);
    EXPECT_EQ(o.y, 6);
    o = CentredText(89, 25, 42, 14);  // 23.5 -> 24, 5.5 -> 6
    EXPECT_EQ(o.x, 24);
    EXPECT_EQ(o.y, 6);
}
