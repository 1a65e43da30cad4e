// Owner-drawn push button: a rounded glass face with a centred caption.
// Raises Click when a press is released and DBClick on a double-click.
#pragma once
#include "tessara/controls/small/SmallButton.h"

#include "host/Timer.h"

namespace tessara {

class YCommand : public SmallButton {
public:
    YCommand();
    ~YCommand() override;

    // True once the pointer left the button while it was held (the face
    // then looks idle until the release or the loss of focus).
    bool IsOutWhileDown() const { return state_.IsOutWhileDown(); }

protected:
    void PaintTo(HDC dc, int width, int height) override;
    void LeaveTimer(bool on) override { tmrIsLeave.SetEnabled(on); }

private:
    void OnLeaveTick();

    host::Timer tmrIsLeave{100, false};  // watches for the pointer leaving while held
};

} // namespace tessara
