#include "tessara/controls/scroll/ScrollArithmetic.h"

#include <algorithm>
#include <limits>

namespace tessara {

std::int32_t ThumbLength(std::int64_t track, std::int64_t shown, std::int64_t total)
{
    if (total <= 0)
        return 10;
    const std::int64_t len = RoundHalfEven(track * shown, total);
    if (len < 11)
        return 10;
    return static_cast<std::int32_t>(std::min<std::int64_t>(len, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t WheelTarget(std::int32_t value, std::int32_t maxV, std::int32_t delta)
{
    if (delta < 0)
        return static_cast<std::int32_t>(std::min<std::int64_t>(static_cast<std::int64_t>(value) + kWheelRows, maxV));
    return static_cast<std::int32_t>(std::max<std::int64_t>(static_cast<std::int64_t>(value) - kWheelRows, 0));
}

StepMap StepMap::Spread(std::int64_t positions, std::int64_t range)
{
    StepMap m;
    if (positions <= 0 || range <= 0)
        return m;
    if (positions < range) {
        m.pixelsPerValue = false;
        m.k = range / positions;
        m.rem = range % positions;
    } else {
        m.pixelsPerValue = true;
        m.k = positions / range;
        m.rem = positions % range;
    }
    return m;
}

std::int64_t StepMap::PixelOf(std::int64_t d) const
{
    if (!pixelsPerValue) {
        if (rem == 0)
            return d / k;
        const std::int64_t c = rem * (k + 1);  // values held by the wider pixels
        if (d <= c)
            return 1 + (d - 1) / (k + 1);
        return rem + 1 + (d - c - 1) / k;
    }
    if (rem == 0)
        return d * k;
    if (d <= rem)
        return d * (k + 1);
    return rem * (k + 1) + (d - rem) * k;
}

std::int64_t StepMap::ValueOf(std::int64_t q) const
{
    if (!pixelsPerValue) {
        if (rem == 0)
            return q * k;
        if (q <= rem)
            return q * (k + 1);
        return rem * (k + 1) + (q - rem) * k;
    }
    if (rem == 0)
        return q / k;
    const std::int64_t g = rem * (k + 1);  // pixels of the wider values
    if (q <= g)
        return q / (k + 1);
    return rem + (q - g) / k;
}

} // namespace tessara
