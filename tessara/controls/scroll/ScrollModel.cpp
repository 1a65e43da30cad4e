#include "tessara/controls/scroll/ScrollModel.h"

#include <algorithm>

namespace tessara {

namespace {

std::int32_t ClampTo(std::int64_t v, std::int32_t lo, std::int32_t hi)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, lo, hi));
}

} // namespace

// ---------------------------------------------------------------- geometry

void ScrollModel::SetSize(int length, int cross)
{
    length_ = length;
    cross_ = cross;
    Layout();
}

// The thumb has a fixed length, so the track offers L + 1 positions for
// R + 1 values. Whichever is larger is split evenly over the other, the
// first `rem` units taking one extra.
void ScrollModel::Layout()
{
    if (thumbLength_ < kMinThumbLength)
        thumbLength_ = kMinThumbLength;
    const double track = length_ - 2 * kArrowSize;
    if (thumbLength_ >= static_cast<double>(RoundHalfEven(track)))
        return;  // no room for the thumb: keep the previous layout
    const std::int64_t positions = RoundHalfEven(track - thumbLength_);
    const std::int64_t range = static_cast<std::int64_t>(maxV_) - minV_;
    if (positions <= 0 || range <= 0)
        return;  // a fractional thumb can leave no position to move to
    map_ = StepMap::Spread(positions, range);
    thumbPos_ = GlideAt(value_);
}

int ScrollModel::GlideAt(std::int32_t v) const
{
    if (v <= minV_)
        return kArrowSize;
    if (v >= maxV_)
        return static_cast<int>(RoundHalfEven(MaxThumbPos()));
    if (!map_.Valid())
        return kArrowSize;  // not laid out yet: nothing but the ends is known
    const std::int64_t p = kArrowSize + map_.PixelOf(static_cast<std::int64_t>(v) - minV_);
    return static_cast<int>(p);
}

std::int32_t ScrollModel::ValueAtPos(int p) const
{
    if (p <= kArrowSize)
        return minV_;
    if (p >= MaxThumbPos())
        return maxV_;
    if (!map_.Valid())
        return minV_;
    const std::int64_t v = map_.ValueOf(p - kArrowSize);
    return ClampTo(minV_ + v, minV_, maxV_);
}

ScrollPart ScrollModel::PressPartAt(int x) const
{
    if (x >= 0 && x <= kArrowSize)
        return PartLowArrow;
    if (x >= length_ - kArrowSize && x <= length_)
        return PartHighArrow;
    if (thumbPos_ < x && x < thumbPos_ + thumbLength_)
        return PartThumb;
    return PartTrack;
}

ScrollPart ScrollModel::HitTestPart(int x, int y) const
{
    if (y < 0 || y > cross_)
        return PartNone;
    const ScrollPart p = PressPartAt(x);
    return p == PartTrack ? PartNone : p;
}

// -------------------------------------------------------------- properties

bool ScrollModel::SetMinV(std::int32_t v)
{
    if (v >= maxV_ || v > value_)
        return false;
    minV_ = v;
    Layout();
    sink_.Repaint();
    return true;
}

bool ScrollModel::SetMaxV(std::int32_t v)
{
    // MinV < MaxV must survive: at MinV the new maximum has to lie above it.
    if (value_ == minV_ ? v <= value_ : v < value_)
        return false;
    maxV_ = v;
    Layout();
    sink_.Repaint();
    return true;
}

bool ScrollModel::SetValue(std::int32_t v)
{
    if (v < minV_ || v > maxV_)
        return false;
    value_ = v;
    if (v != lastReported_) {
        lastReported_ = v;
        thumbPos_ = GlideAt(v);
        sink_.Changed();
        sink_.Repaint();
    }
    return true;
}

bool ScrollModel::SetMaxVAndValue(std::int32_t maxV, std::int64_t value)
{
    if (maxV <= minV_)
        return false;
    const auto v = static_cast<std::int32_t>(std::clamp<std::int64_t>(value, minV_, maxV));
    if (maxV >= value_) {
        SetMaxV(maxV);
        SetValue(v);
    } else {
        SetValue(v);
        SetMaxV(maxV);
    }
    return true;
}

bool ScrollModel::SetSmallChange(std::int32_t v)
{
    if (v <= 0)
        return false;
    smallChange_ = v;
    return true;
}

bool ScrollModel::SetLargeChange(std::int32_t v)
{
    if (v <= 0)
        return false;
    largeChange_ = v;
    return true;
}

void ScrollModel::SetThumbLengthNow(double v)
{
    thumbLength_ = std::max(v, kMinThumbLength);
    Layout();
    sink_.Repaint();
}

void ScrollModel::Restore(std::int32_t minV, std::int32_t maxV, std::int32_t value, std::int32_t smallChange,
                          std::int32_t largeChange)
{
    if (minV < maxV) {
        minV_ = minV;
        maxV_ = maxV;
    }
    value_ = std::clamp(value, minV_, maxV_);
    // The restored value is what the form already shows: setting it again
    // must not count as a change.
    lastReported_ = value_;
    if (smallChange > 0)
        smallChange_ = smallChange;
    if (largeChange > 0)
        largeChange_ = largeChange;
    Layout();
}

// ------------------------------------------------------------------- input
//
// Press states:
//   idle      --down on arrow/track-->  repeating (timer runs, first tick idle)
//   idle      --down on thumb------->   dragging  (timer runs but does nothing)
//   repeating --up / focus lost / left the part or the control / thumb
//               reached the mouse--->   idle
//   dragging  --up / focus lost----->   idle

void ScrollModel::Commit(std::int64_t v)
{
    value_ = ClampTo(v, minV_, maxV_);
    if (value_ != lastReported_) {
        lastReported_ = value_;
        thumbPos_ = GlideAt(value_);
        sink_.Changed();
    }
}

void ScrollModel::StopRepeat()
{
    buttonDown_ = false;
    sink_.RepeatTimer(false);
}

void ScrollModel::Press(int x)
{
    buttonDown_ = true;
    firstTick_ = true;
    sink_.RepeatTimer(true);
    anchor_ = x;
    pressed_ = PressPartAt(x);

    std::int64_t v = value_;
    switch (pressed_) {
    case PartLowArrow:
        v -= smallChange_;
        break;
    case PartHighArrow:
        v += smallChange_;
        break;
    case PartTrack:
        if (x >= thumbPos_ + thumbLength_)
            v += largeChange_;
        else if (x <= thumbPos_)
            v -= largeChange_;
        break;
    case PartThumb:
        dragging_ = true;
        sink_.Repaint();
        grabOffset_ = x - thumbPos_;
        return;
    case PartNone:
        break;
    }
    Commit(v);
    sink_.Repaint();
}

bool ScrollModel::Hover(int x, int y)
{
    const ScrollPart p = HitTestPart(x, y);
    if (p == hover_)
        return false;
    hover_ = p;
    sink_.Repaint();
    return true;
}

void ScrollModel::DragThumb(int m)
{
    if (m == anchor_)
        return;
    const double wanted = static_cast<double>(thumbPos_) + (m - anchor_);
    int pos;
    if (wanted > MaxThumbPos()) {
        pos = static_cast<int>(RoundHalfEven(MaxThumbPos()));
        anchor_ = pos + grabOffset_;
    } else if (wanted < kArrowSize) {
        pos = kArrowSize;
        anchor_ = pos + grabOffset_;
    } else {
        pos = static_cast<int>(wanted);
        anchor_ = m;
    }
    const bool moved = pos != thumbPos_;
    thumbPos_ = pos;
    // The thumb follows the mouse pixel by pixel; the value follows the thumb.
    value_ = ValueAtPos(pos);
    if (value_ != lastReported_) {
        lastReported_ = value_;
        sink_.Changed();
    }
    if (moved)
        sink_.Repaint();
}

void ScrollModel::Release()
{
    dragging_ = false;
    StopRepeat();
    sink_.Repaint();
}

void ScrollModel::LoseFocus()
{
    dragging_ = false;
    StopRepeat();
}

void ScrollModel::Leave()
{
    hover_ = PartNone;
    sink_.Repaint();
}

void ScrollModel::Tick(int x, int y)
{
    if (dragging_)
        return;
    if (!buttonDown_) {
        sink_.RepeatTimer(false);
        return;
    }
    if (x < 0 || y < 0 || x > length_ || y > cross_) {
        hover_ = PartNone;
        StopRepeat();
        sink_.Repaint();
        return;
    }
    hover_ = HitTestPart(x, y);
    if (firstTick_) {
        // Repetition starts on the second tick, about 200 ms after the press.
        firstTick_ = false;
        return;
    }
    if (PressPartAt(x) != pressed_) {
        StopRepeat();
        sink_.Repaint();
        return;
    }

    std::int64_t v = value_;
    bool pagingUp = false, pagingDown = false;
    switch (pressed_) {
    case PartLowArrow:
        v -= smallChange_;
        break;
    case PartHighArrow:
        v += smallChange_;
        break;
    case PartTrack:
        if (thumbPos_ < x) {
            if (x >= thumbPos_ + thumbLength_) {
                v += largeChange_;
                pagingUp = true;
            }
        } else {
            v -= largeChange_;
            pagingDown = true;
        }
        break;
    case PartThumb:
    case PartNone:
        break;
    }
    const std::int32_t before = lastReported_;
    Commit(v);
    if (lastReported_ != before)
        sink_.Repaint();
    // Paging stops once the thumb has reached the mouse.
    if ((pagingUp && x < thumbPos_ + thumbLength_) || (pagingDown && thumbPos_ < x))
        StopRepeat();
}

} // namespace tessara
