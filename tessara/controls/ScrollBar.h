// The Win32 body shared by YHScroll and YVScroll: one design with the axes
// exchanged. The behaviour lives in ScrollModel; this class hooks the
// window, feeds it coordinates along and across the axis, paints, and
// carries out its requests (raise Change, repaint, run the repeat timer).
#pragma once
#include "tessara/controls/ScrollMath.h"
#include "tessara/kit/Hook.h"

#include "host/Host.h"

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

class ScrollBarControl : public host::UserControl, public kit::HookClient, private ScrollSink {
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
    // True while the thumb is being dragged (never at design time).
    bool IsGlideDown() const { return UserMode() && model_.Dragging(); }

    // ---- events ----------------------------------------------------------
    host::Event<> Change;  // the value changed, by the user or by SetValue

    // ---- for tests and the embedding controls ------------------------------
    const ScrollModel& Model() const { return model_; }

    void zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT& uMsg, WPARAM& wParam,
                        LPARAM& lParam) override;

protected:
    ScrollBarControl(const wchar_t* kind, bool vertical);
    ~ScrollBarControl() override;

    void InitProperties() override;
    void ReadProperties(const host::PropertyBag& bag) override;
    void WriteProperties(host::PropertyBag& bag) override;
    void Resize() override;
    void Paint() override;  // design time only: run time paints through the hook
    void Terminate() override;

    ScrollModel model_{*this};

private:
    // ScrollSink
    void Changed() override { Change.raise(); }
    void Repaint() override;
    void RepeatTimer(bool on) override { tmrIsLbuttonDown.SetEnabled(on); }

    void Hook();
    void PaintAll(HDC dc) const;
    void OnPaint();
    void OnPress(LPARAM lParam);
    void OnMouseMove(LPARAM lParam);
    void OnRelease();
    void OnRepeatTick();
    // Along / across the axis, from client coordinates.
    int Along(int x, int y) const { return vertical_ ? y : x; }
    int Across(int x, int y) const { return vertical_ ? x : y; }
    POINT CursorInClient() const;
    void EndCapture();

    const bool vertical_;
    host::Timer tmrIsLbuttonDown{100, false};
    kit::WindowHook hook_{*this};
    MoveThrottle moves_;
    bool captured_ = false;  // the mouse is held while the thumb is dragged
};

} // namespace tessara
