// The Win32 body shared by YHScroll and YVScroll: one design with the axes
// exchanged. The behaviour lives in ScrollModel; this class hooks the
// window, feeds it coordinates along and across the axis, paints, and
// carries out its requests (raise Change, repaint, run the repeat timer).
#pragma once
#include "tessara/controls/scroll/ScrollModel.h"
#include "tessara/kit/ControlSkeleton.h"

#include "host/Event.h"
#include "host/Timer.h"

namespace tessara {

// The mouse position in screen coordinates, as the controls of this family
// read it on their timers and while dragging: the system cursor, unless a
// reader is installed (tests hold a mouse of their own, since the real
// cursor is shared by every program of the session). Null restores it.
using CursorReader = POINT (*)();
POINT ScreenCursor();
void SetCursorReader(CursorReader reader);

// Colours (0x00BBGGRR): arrows and thumb are drawn from the base colour.
constexpr host::Colour kScrollBase = 0x00FFD6B3;
constexpr host::Colour kScrollGlyph = 0x00000000;
constexpr host::Colour kScrollBackground = 0x00FFFFFF;

class ScrollBarControl : public kit::ControlSkeleton, private ScrollPlatform {
public:
    // ---- properties ------------------------------------------------------
    // Refused values are ignored silently (see ScrollModel).
    std::int32_t MinV() const { return model_.MinV(); }
    void SetMinV(std::int32_t v) { model_.SetMinV(v); }
    std::int32_t MaxV() const { return model_.MaxV(); }
    void SetMaxV(std::int32_t v) { model_.SetMaxV(v); }
    std::int32_t Value() const { return model_.Value(); }
    void SetValue(std::int32_t v) { model_.SetValue(v); }
    // A new range with a value limited to it, both accepted whatever the
    // current value (see ScrollModel::SetMaxVAndValue).
    void SetMaxVAndValue(std::int32_t maxV, std::int64_t value) { model_.SetMaxVAndValue(maxV, value); }
    std::int32_t SmallChange() const { return model_.SmallChange(); }
    void SetSmallChange(std::int32_t v) { model_.SetSmallChange(v); }
    std::int32_t LargeChange() const { return model_.LargeChange(); }
    void SetLargeChange(std::int32_t v) { model_.SetLargeChange(v); }
    HWND hwnd() const { return hWnd(); }
    // Carries out a layout's plan for the bar (ScrollArithmetic.h).
    void Apply(const BarPlan& plan);
    // True while the thumb is being dragged (never at design time).
    bool IsGlideDown() const { return UserMode() && model_.Dragging(); }

    // ---- events ----------------------------------------------------------
    host::Event<> Change;  // the value changed, by the user or by SetValue

    // ---- for tests and the embedding controls ------------------------------
    const ScrollModel& Model() const { return model_; }

protected:
    ScrollBarControl(const wchar_t* kind, bool vertical);
    ~ScrollBarControl() override;

    void ReadStored(const host::PropertyBag& bag) override;
    void WriteProperties(host::PropertyBag& bag) override;
    void Resize() override;
    // Arrows, track and thumb; at run time on a surface filled white first,
    // at design time straight over the window's own background.
    void PaintTo(HDC dc, int width, int height) override;
    void Teardown() override;

    void OnLButtonDown(int x, int y) override { OnPress(x, y); }
    void OnLButtonDblClk(int x, int y) override { OnPress(x, y); }
    void OnLButtonUp(int, int) override { OnRelease(); }
    void OnMouseMove(int x, int y) override;
    void OnMouseLeave() override { model_.Leave(); }
    void OnKillFocus(HWND) override;

    ScrollModel model_{*this};

private:
    // ScrollPlatform
    void Changed() override { Change.raise(); }
    void Repaint() override;
    void RepeatTimer(bool on) override { tmrIsLbuttonDown.SetEnabled(on); }

    void OnPress(int x, int y);
    void OnRelease();
    void OnRepeatTick();
    // Along / across the axis, from client coordinates.
    int Along(int x, int y) const { return vertical_ ? y : x; }
    int Across(int x, int y) const { return vertical_ ? x : y; }
    POINT CursorInClient() const;
    void EndCapture();

    const bool vertical_;
    host::Timer tmrIsLbuttonDown{100, false};
    bool captured_ = false;  // the mouse is held while the thumb is dragged
};

} // namespace tessara
