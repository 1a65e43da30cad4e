#include "tessara/controls/small/ButtonStates.h"

#include "tessara/kit/PixelMath.h"
#include "tessara/kit/Throttle.h"

namespace tessara {

ButtonEffects ButtonState::MouseMove(std::uint32_t tick)
{
    ButtonEffects e;
    if (!kit::TickElapsed(tick, lastMoveTick_, 30))
        return e;
    e.requestLeave = true;
    if (!hover_) {
        hover_ = true;
        e.repaint = true;
    }
    return e;
}

ButtonEffects ButtonState::MouseLeave()
{
    ButtonEffects e;
    hover_ = false;
    down_ = false;
    e.repaint = true;
    return e;
}

ButtonEffects ButtonState::ButtonDown()
{
    ButtonEffects e;
    if (kind_ == ButtonKind::Command)
        e.startLeaveTimer = true;
    down_ = true;
    e.repaint = true;
    return e;
}

ButtonEffects ButtonState::ButtonUp()
{
    ButtonEffects e;
    switch (kind_) {
    case ButtonKind::Command:
        e.stopLeaveTimer = true;
        outWhileDown_ = false;
        break;
    case ButtonKind::Option:
        if (value_ == 0)
            value_ = 1;
        break;
    case ButtonKind::Check:
        value_ = value_ != 0 ? 0 : 1;
        break;
    }
    down_ = false;
    e.repaint = true;
    e.click = true;
    return e;
}

ButtonEffects ButtonState::DoubleClick()
{
    ButtonEffects e;
    e.dbClick = true;
    return e;
}

ButtonEffects ButtonState::KillFocus()
{
    ButtonEffects e;
    if (kind_ == ButtonKind::Command) {
        e.stopLeaveTimer = true;
        outWhileDown_ = false;
    }
    down_ = false;
    e.repaint = true;
    return e;
}

ButtonEffects ButtonState::PointerAway()
{
    ButtonEffects e;
    if (kind_ != ButtonKind::Command)
        return e;
    outWhileDown_ = true;
    e.repaint = true;
    e.stopLeaveTimer = true;
    return e;
}

CommandLook ButtonState::Look() const
{
    if (outWhileDown_)
        return CommandLook::Idle;
    if (down_)
        return CommandLook::Pressed;
    if (hover_)
        return CommandLook::Hover;
    return CommandLook::Idle;
}

OptionFace OptionFaceFor(int height)
{
    OptionFace f;
    f.cy = static_cast<int>(kit::RoundHalfEven(height / 2.0));
    f.discTop = f.cy - 5;
    f.discBottom = f.cy + 7;
    f.dotTop = f.cy - 2;
    f.dotBottom = f.cy + 4;
    return f;
}

int CheckBoxTop(int height)
{
    return static_cast<int>(kit::RoundHalfEven((height - 12) / 2.0));
}

TextOrigin CentredText(int width, int height, int cx, int cy)
{
    return {static_cast<int>(kit::RoundHalfEven((width - cx) / 2.0)), static_cast<int>(kit::RoundHalfEven((height - cy) / 2.0))};
}

} // namespace tessara
