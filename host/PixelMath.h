// The one rounding rule of every pixel computation (halves to the even
// neighbour) and the scaled division built on it. No Windows header.
#pragma once
#include <cstdint>

namespace host {

// Nearest integer, ties to the even neighbour (10.5 -> 10, 11.5 -> 12),
// whatever the floating-point rounding mode happens to be.
std::int64_t RoundHalfEven(long double v);
// The same rule for num / den, exact in integers (den > 0).
std::int64_t RoundHalfEven(std::int64_t num, std::int64_t den);

// a * b / c in floating point, rounded halves-to-even. c == 0 gives 0 and a
// result beyond the 32-bit range is clamped, instead of undefined results.
std::int32_t MulDivRound(std::int32_t a, std::int32_t b, std::int32_t c);

} // namespace host
