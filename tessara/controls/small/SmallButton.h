// The body the three small buttons share: caption, own enabled flag, the
// hook and the input state machine (ButtonStates.h). YCommand, YOption and
// YCheck add their face drawing and what a completed click does.
#pragma once
#include "tessara/controls/small/ButtonStates.h"
#include "tessara/kit/ControlSkeleton.h"

#include "host/Event.h"

#include <string>

namespace tessara {

// Fixed colours of the faces (0x00BBGGRR).
constexpr host::Colour kFaceBlue = 0x00FFD6B3;     // RGB 179,214,255
constexpr host::Colour kBorderBlue = 0x00FF6100;   // RGB 0,97,255
constexpr host::Colour kPressedBlue = 0x00E1B895;  // RGB 149,184,225

class SmallButton : public kit::ControlSkeleton {
public:
    // ---- properties (every setter repaints) ----------------------------
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    // The control's own flag: it changes the look only. The window stays
    // enabled, so the mouse flags still follow the mouse and clicks are raised.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) override;
    void SetFont(const host::Font& font);
    void SetBackColor(host::Colour c);
    void SetForeColor(host::Colour c);

    // ---- events ----------------------------------------------------------
    host::Event<> Click;    // a button-up completed a press
    host::Event<> DBClick;  // a double-click

    // ---- state, for the form and tests ----------------------------------
    bool IsHover() const { return state_.IsHover(); }
    bool IsDown() const { return state_.IsDown(); }

protected:
    SmallButton(const wchar_t* kind, ButtonKind buttonKind);
    ~SmallButton() override;

    void InitNew() override;
    void ReadStored(const host::PropertyBag& bag) override;
    void WriteProperties(host::PropertyBag& bag) override;
    void Teardown() override;

    // The input table of ButtonStates.h, message by message.
    void OnMouseMove(int x, int y) override;
    void OnMouseLeave() override;
    void OnLButtonDown(int x, int y) override;
    void OnLButtonUp(int x, int y) override;
    void OnLButtonDblClk(int x, int y) override;
    void OnKillFocus(HWND to) override;

    // The leave timer of the command button; the others have none.
    virtual void LeaveTimer(bool on) { (void)on; }

    // A caption of the given size drawn greyed, as for a disabled control.
    void DrawGreyCaption(HDC dc, int x, int y, SIZE size) const;
    // Where a caption of this control's font sits centred in width x height.
    SIZE CaptionSize(HDC dc) const;
    // The caption from x to the right edge, centred in height: as it stands
    // when enabled, greyed when not (the option and check buttons' text
    // beside their box).
    void DrawCaptionFrom(HDC dc, int x, int width, int height) const;
    // The window clears itself before the frame is drawn.
    void Repaint() { Invalidate(true); }
    void Apply(const ButtonEffects& e);

    ButtonState state_;

private:
    std::wstring caption_;
    bool enabled_ = true;
};

// A small button that holds a Value, stored under "Value": the option and
// check buttons. The comment on each subclass says which values show how.
class ValueButton : public SmallButton {
public:
    int Value() const { return state_.Value(); }
    void SetValue(int v);

protected:
    using SmallButton::SmallButton;
    void ReadStored(const host::PropertyBag& bag) override;
    void WriteProperties(host::PropertyBag& bag) override;
};

} // namespace tessara
