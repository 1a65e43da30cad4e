#include "tessara/controls/small/ProgressFill.h"

#include <algorithm>

namespace tessara {

bool ProgressFill::SetValue(int v)
{
    if (v < min_ || v > max_)
        return false;
    value_ = v;
    Recalc(width_);
    return true;
}

bool ProgressFill::SetMinV(int v)
{
    if (!(v <= value_ && v < max_))
        return false;
    min_ = v;
    Recalc(width_);
    return true;
}

bool ProgressFill::SetMaxV(int v)
{
    bool ok = value_ == min_ ? v > value_ : v >= value_;
    if (!ok)
        return false;
    max_ = v;
    Recalc(width_);
    return true;
}

void ProgressFill::Restore(int minV, int maxV, int value)
{
    min_ = minV;
    max_ = maxV;
    value_ = value;
}

void ProgressFill::Recalc(int width)
{
    width_ = width;
    long long range = static_cast<long long>(max_) - min_;
    int inner = width - 2;
    // Saved properties may give an empty range, and a control may be
    // narrower than its two border pixels: then there is nothing to fill.
    empty_ = range <= 0 || inner < 1 || range > 0x7FFFFFFF;
    if (empty_) {
        map_ = StepMap();
        fillRight_ = 1;
        return;
    }
    map_ = StepMap::Spread(inner, range);
    fillRight_ = ValueToX(value_);
}

int ProgressFill::ValueToX(int v) const
{
    if (empty_)
        return 1;
    // A stored value outside the range fills as its nearest end.
    v = std::clamp(v, min_, max_);
    if (v == min_)
        return 1;
    if (v == max_)
        return width_ - 1;
    // One pixel of border on the left.
    return static_cast<int>(1 + map_.PixelOf(static_cast<long long>(v) - min_));
}

} // namespace tessara
