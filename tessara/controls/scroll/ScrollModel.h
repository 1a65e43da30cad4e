// The scroll bars' behaviour without a window: value <-> thumb position
// arithmetic, hit tests, and the press / repeat / drag state machine. The
// Win32 controls YHScroll and YVScroll feed it mouse coordinates along and
// across their axis and carry out what it asks through a ScrollPlatform.
// No Windows header.
#pragma once
#include "tessara/controls/scroll/ScrollArithmetic.h"

#include <cstdint>

namespace tessara {

enum ScrollPart {
    PartNone = -1,
    PartTrack = 0,
    PartLowArrow = 1,   // left or top arrow
    PartHighArrow = 2,  // right or bottom arrow
    PartThumb = 3,
};

// Width of each arrow button along the axis.
constexpr int kArrowSize = 18;
// What the model asks of its window.
class ScrollPlatform {
public:
    virtual ~ScrollPlatform() = default;
    virtual void Changed() = 0;               // raise Change
    virtual void Repaint() = 0;               // invalidate the window
    virtual void RepeatTimer(bool on) = 0;    // enable / disable tmrIsLbuttonDown
};

// Default property values.
constexpr std::int32_t kDefaultMinV = 0;
constexpr std::int32_t kDefaultMaxV = 20;
constexpr std::int32_t kDefaultSmallChange = 1;
constexpr std::int32_t kDefaultLargeChange = 10;
constexpr double kMinThumbLength = 10;

class ScrollModel {
public:
    explicit ScrollModel(ScrollPlatform& sink) : sink_(sink) {}

    // --- geometry -------------------------------------------------------
    // Client size along and across the axis; re-lays out (the Resize event).
    void SetSize(int length, int cross);
    int Length() const { return length_; }
    int Cross() const { return cross_; }

    // --- properties ----------------------------------------------------
    std::int32_t MinV() const { return minV_; }
    std::int32_t MaxV() const { return maxV_; }
    std::int32_t Value() const { return value_; }
    std::int32_t SmallChange() const { return smallChange_; }
    std::int32_t LargeChange() const { return largeChange_; }
    double ThumbLength() const { return thumbLength_; }
    // Each returns whether the value was accepted; refused values are
    // ignored silently.
    bool SetMinV(std::int32_t v);
    bool SetMaxV(std::int32_t v);
    bool SetValue(std::int32_t v);
    // A new range and a value for it, as the embedding controls set them
    // after a layout: the value is limited to MinV..maxV, and the two are
    // set in the order in which both are accepted (a maximum below the
    // value, or a value above the maximum, would be refused). False when
    // maxV is not above MinV.
    bool SetMaxVAndValue(std::int32_t maxV, std::int64_t value);
    bool SetSmallChange(std::int32_t v);
    bool SetLargeChange(std::int32_t v);
    // Stores the length as given; the minimum applies at the next layout.
    void SetThumbLengthRaw(double v) { thumbLength_ = v; }
    // Stores at least kMinThumbLength and re-lays out at once.
    void SetThumbLengthNow(double v);

    // Restores saved values without raising Change. A saved set that breaks
    // the invariants (MinV < MaxV, Value inside, steps > 0) is repaired
    // field by field so the arithmetic never divides by zero.
    void Restore(std::int32_t minV, std::int32_t maxV, std::int32_t value, std::int32_t smallChange,
                 std::int32_t largeChange);

    // --- arithmetic ----------------------------------------------------
    void Layout();
    // Thumb position (first pixel along the axis) for a value.
    int GlideAt(std::int32_t v) const;
    // Value for a thumb position.
    std::int32_t ValueAtPos(int p) const;
    ScrollPart PressPartAt(int along) const;
    ScrollPart HitTestPart(int along, int across) const;
    // Last thumb position: length - thumb - arrow, as laid out.
    double MaxThumbPos() const { return length_ - thumbLength_ - kArrowSize; }

    // --- input ---------------------------------------------------------
    void Press(int along);                  // left button down or double click
    bool Hover(int along, int across);      // true when the hovered part changed
    void DragThumb(int cursorAlong);        // cursor position along the axis
    void Release();                         // left button up
    void LoseFocus();
    void Leave();                           // mouse left the window
    void Tick(int cursorAlong, int cursorAcross);  // auto-repeat timer

    // --- state, read only ------------------------------------------------
    int ThumbPos() const { return thumbPos_; }
    ScrollPart HoverPart() const { return hover_; }
    ScrollPart PressedPart() const { return pressed_; }
    bool ButtonDown() const { return buttonDown_; }
    bool Dragging() const { return dragging_; }
    std::int32_t LastReported() const { return lastReported_; }
    std::int64_t K() const { return map_.k; }
    std::int64_t Rem() const { return map_.rem; }
    bool PixelsPerValue() const { return map_.pixelsPerValue; }
    bool LaidOut() const { return map_.Valid(); }

private:
    // Clamps a stepped value, reports it when it differs from the last
    // report and moves the thumb; no repaint.
    void Commit(std::int64_t v);
    void StopRepeat();

    ScrollPlatform& sink_;
    int length_ = 0;                 // ScaleWidth (H) / ScaleHeight (V)
    int cross_ = 0;                  // the other dimension
    std::int32_t minV_ = kDefaultMinV;
    std::int32_t maxV_ = kDefaultMaxV;
    std::int32_t value_ = 0;
    std::int32_t smallChange_ = kDefaultSmallChange;
    std::int32_t largeChange_ = kDefaultLargeChange;
    double thumbLength_ = kMinThumbLength;  // GlideWidth / GlideHeight

    ScrollPart pressed_ = PartNone;  // part hit when the button went down
    ScrollPart hover_ = PartNone;
    int anchor_ = 0;                 // last mouse position used by dragging
    bool buttonDown_ = false;
    bool firstTick_ = false;         // repetition waits one idle tick
    bool dragging_ = false;
    StepMap map_;                    // values over thumb positions; empty until the first layout that fits
    std::int32_t lastReported_ = 0;  // value last announced by Change
    int thumbPos_ = kArrowSize;
    int grabOffset_ = 0;             // mouse minus thumb position at the grab
};

} // namespace tessara
