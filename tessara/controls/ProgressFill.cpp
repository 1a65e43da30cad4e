#include "tessara/controls/ProgressFill.h"

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
        step_ = rest_ = 0;
        pixelsPerStep_ = false;
        fillRight_ = 1;
        return;
    }
    int r = static_cast<int>(range);
    if (inner < r) {
        pixelsPerStep_ = false;
        step_ = r / inner;
        rest_ = r % inner;
    } else {
        pixelsPerStep_ = true;
        step_ = inner / r;
        rest_ = inner % r;
    }
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
    long long d = static_cast<long long>(v) - min_;
    if (pixelsPerStep_) {
        if (rest_ == 0)
            return static_cast<int>(d * step_ + 1);
        int e = min_ + rest_;
        if (v <= e)
            return static_cast<int>(d * (step_ + 1) + 1);
        return ValueToX(e) + static_cast<int>((static_cast<long long>(v) - e) * step_);
    }
    if (rest_ == 0)
        return static_cast<int>(d / step_ + 1);
    long long g = min_ + static_cast<long long>(rest_) * (step_ + 1);
    if (v <= g)
        return static_cast<int>((d - 1) / (step_ + 1) + 2);
    return ValueToX(static_cast<int>(g)) + static_cast<int>((v - g - 1) / step_ + 1);
}

} // namespace tessara
