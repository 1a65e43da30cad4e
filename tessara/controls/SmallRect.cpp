#include "tessara/controls/SmallRect.h"

#include <cmath>

namespace tessara {

int RoundHalfEven(double v)
{
    // The default floating-point rounding mode rounds ties to even.
    return static_cast<int>(std::nearbyint(v));
}

} // namespace tessara
