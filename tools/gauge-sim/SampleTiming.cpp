#include "SampleTiming.h"

#include <algorithm>
#include <cmath>

namespace SampleTiming {

Range RangeFor(int family, int speed) {
    if (family != 0)
        return {0.001, 100.0, 0.001};
    if (speed == 1)
        return {0.025, 99.9, 0.025};
    return {0.1, 99.9, 0.1};
}

double Fit(double seconds, int family, int speed) {
    const Range range = RangeFor(family, speed);
    if (!std::isfinite(seconds))
        seconds = range.Min;
    const double steps = std::round(std::clamp(seconds, range.Min, range.Max) / range.Step);
    // Back to a tidy decimal: 3 * 0.1 must read 0.3, not 0.30000000000000004.
    return std::round(steps * range.Step * 1000.0) / 1000.0;
}

bool InRange(double seconds, int family, int speed) {
    const Range range = RangeFor(family, speed);
    constexpr double slack = 1e-9;
    return std::isfinite(seconds) && seconds >= range.Min - slack && seconds <= range.Max + slack;
}

} // namespace SampleTiming
