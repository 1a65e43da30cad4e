#include "tessara/controls/small/YCommand.h"

#include "tessara/kit/MdlGDI.h"

namespace tessara {

YCommand::YCommand() : SmallButton(L"YCommand", ButtonKind::Command)
{
    tmrIsLeave.Tick.connect([this] { OnLeaveTick(); });
}

YCommand::~YCommand() = default;

void YCommand::OnLeaveTick()
{
    POINT p{};
    GetCursorPos(&p);
    if (WindowFromPoint(p) != hWnd())
        Apply(state_.PointerAway());
}

void YCommand::PaintTo(HDC dc, int width, int height)
{
    kit::FillRectColor(dc, 0, 0, width, height, kit::TranslateColour(BackColor()));
    if (!Enabled()) {
        kit::DrawButtonFace(dc, 0, 0, width, height, 3, kFaceBlue, kBorderBlue, false, false, false, false);
        SIZE size = CaptionSize(dc);
        TextOrigin at = CentredText(width, height, size.cx, size.cy);
        DrawGreyCaption(dc, at.x, at.y, size);
        return;
    }
    CommandLook look = state_.Look();
    kit::DrawButtonFace(dc, 0, 0, width, height, 3, kFaceBlue, kBorderBlue, look == CommandLook::Hover, false,
                        false, look == CommandLook::Pressed);
    RECT rc{0, 0, width, height};
    DrawTextW(dc, Caption().c_str(), static_cast<int>(Caption().size()), &rc,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

} // namespace tessara
