// The small buttons' input state machine and face geometry, without windows.
//
//   input            command button                     option / check
//   move (>29 ms)    hover on, ask for leave             same
//   leave            hover off, held off                 same
//   button down      held on, leave timer started        held on
//   button up        held off, out-while-held off,       held off, Value set (option)
//                    timer stopped, Click                or toggled (check), Click
//   double-click     DBClick                             DBClick
//   focus lost       held off, out-while-held off,       held off
//                    timer stopped
//   leave timer      pointer over another window:        -
//                    out-while-held on, timer stopped
#pragma once
#include <cstdint>

namespace tessara {

enum class ButtonKind { Command, Option, Check };

// What one input asks the control to do.
struct ButtonEffects {
    bool repaint = false;
    bool click = false;
    bool dbClick = false;
    bool requestLeave = false;
    bool startLeaveTimer = false;
    bool stopLeaveTimer = false;
};

// The command button's face: idle, the highlighted outline, or swapped tones.
enum class CommandLook { Idle, Hover, Pressed };

class ButtonState {
public:
    explicit ButtonState(ButtonKind kind) : kind_(kind) {}

    ButtonEffects MouseMove(std::uint32_t tick);
    ButtonEffects MouseLeave();
    ButtonEffects ButtonDown();
    ButtonEffects ButtonUp();
    ButtonEffects DoubleClick();
    ButtonEffects KillFocus();
    // The leave timer found the pointer over another window while held.
    ButtonEffects PointerAway();

    bool IsHover() const { return hover_; }
    bool IsDown() const { return down_; }
    bool IsOutWhileDown() const { return outWhileDown_; }
    int Value() const { return value_; }
    void SetValue(int v) { value_ = v; }
    // Only the value 1 shows as selected.
    bool Selected() const { return value_ == 1; }
    CommandLook Look() const;

private:
    ButtonKind kind_;
    bool hover_ = false;
    bool down_ = false;
    bool outWhileDown_ = false;
    int value_ = 0;
    std::uint32_t lastMoveTick_ = 0;
};

// Face geometry of the option and check buttons for a client height.
struct OptionFace {
    int cy = 0;          // centre row of the ring
    int discLeft = 2, discTop = 0, discRight = 14, discBottom = 0;   // corner ellipse 6 x 6
    int dotLeft = 5, dotTop = 0, dotRight = 11, dotBottom = 0;       // corner ellipse 3 x 3
};
OptionFace OptionFaceFor(int height);
// Top of the check button's 12 x 12 box.
int CheckBoxTop(int height);
// Where a greyed caption of size cx x cy sits centred in W x H.
struct TextOrigin {
    int x = 0, y = 0;
};
TextOrigin CentredText(int width, int height, int cx, int cy);

} // namespace tessara
