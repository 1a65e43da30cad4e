// The scroll arithmetic every scrolling control shares: thumb lengths, the
// wheel's step, the map that spreads values evenly over pixels (or pixels
// over values), and the plan a layout hands to an embedded scroll bar. It
// counts in the kit's whole pixels: one rounding rule and one rectangle.
// No Windows header.
#pragma once
#include "tessara/kit/PixelMath.h"

#include <cstdint>
#include <optional>

namespace tessara {

using kit::Rect;
using kit::RoundHalfEven;
using kit::SizedRect;

// Thumb length for a track showing `shown` of `total`: the nearest pixel of
// track * shown / total (halves to even), 10 when that is below 11 or when
// there is nothing to show.
std::int32_t ThumbLength(std::int64_t track, std::int64_t shown, std::int64_t total);

// Rows one wheel notch moves, whatever the size of its delta.
constexpr std::int32_t kWheelRows = 3;
// The scroll value after one notch: down (delta < 0) at most to maxV, up
// (any other delta) at least to 0.
std::int32_t WheelTarget(std::int32_t value, std::int32_t maxV, std::int32_t delta);

// Spreads `range` values over `positions` pixels, or pixels over values,
// whichever there are more of: each unit of the smaller side takes k of the
// larger, the first `rem` of them one more. Offsets are counted from the
// first position and the first value.
struct StepMap {
    std::int64_t k = 0;           // 0 until a map with both sides positive is made
    std::int64_t rem = 0;
    bool pixelsPerValue = false;  // true: each value spans k (or k + 1) pixels

    static StepMap Spread(std::int64_t positions, std::int64_t range);
    bool Valid() const { return k > 0; }
    // Pixel offset of value offset d (0 < d < range).
    std::int64_t PixelOf(std::int64_t d) const;
    // Value offset at pixel offset q (0 < q < positions).
    std::int64_t ValueOf(std::int64_t q) const;
};

// What a layout does to an embedded scroll bar: hide it (its value goes to
// 0), or show it, placed, with a thumb length, a maximum and a value.
struct BarPlan {
    bool visible = false;
    std::optional<Rect> place;   // where it goes, when it moves
    std::int32_t thumb = 0;
    std::int32_t maxV = 0;
    std::int64_t value = 0;
    // True: the range and the value are set together, the value limited to
    // the new range. False: the value, then the maximum, each as the bar's
    // own setters accept it (a value outside the range in force is refused).
    bool limitValue = true;
};

} // namespace tessara
