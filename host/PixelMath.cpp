#include "host/PixelMath.h"

#include <cmath>
#include <limits>

namespace host {

std::int64_t RoundHalfEven(long double v)
{
    const long double f = std::floor(v);
    const long double diff = v - f;
    if (diff > 0.5L)
        return static_cast<std::int64_t>(f) + 1;
    if (diff < 0.5L)
        return static_cast<std::int64_t>(f);
    const std::int64_t lower = static_cast<std::int64_t>(f);
    return (lower % 2 == 0) ? lower : lower + 1;
}

std::int64_t RoundHalfEven(std::int64_t num, std::int64_t den)
{
    std::int64_t q = num / den;
    std::int64_t r = num % den;
    if (r < 0) {  // floor division
        --q;
        r += den;
    }
    if (2 * r > den || (2 * r == den && (q & 1) != 0))
        ++q;
    return q;
}

std::int32_t MulDivRound(std::int32_t a, std::int32_t b, std::int32_t c)
{
    if (c == 0)
        return 0;
    const long double v = static_cast<long double>(a) * static_cast<long double>(b) / static_cast<long double>(c);
    constexpr long double lo = std::numeric_limits<std::int32_t>::min();
    constexpr long double hi = std::numeric_limits<std::int32_t>::max();
    if (v <= lo)
        return std::numeric_limits<std::int32_t>::min();
    if (v >= hi)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(RoundHalfEven(v));
}

} // namespace host
