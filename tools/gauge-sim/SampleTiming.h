#pragma once

// The sampling-time range of each family and speed, and how the gauge fits a requested time
// into it: force gauges step by 0.1 s (SLOW) or 0.025 s (FAST) up to 99.9 s; the "FC" and
// torque families step by 0.001 s up to 100 s.
namespace SampleTiming {

struct Range {
    double Min;
    double Max;
    double Step;
};

Range RangeFor(int family, int speed);

// The nearest time the gauge can keep, within the range.
double Fit(double seconds, int family, int speed);

// True when the time lies within the range (before fitting to the step).
bool InRange(double seconds, int family, int speed);

} // namespace SampleTiming
