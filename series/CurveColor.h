#pragma once

#include <cstddef>
#include <iterator>

// The colours of the curves, shared by the window's chart and the printed report, so that a
// test looks the same on paper as on screen. Plain RGB: this layer knows nothing of painting.
struct CurveColor {
    int Red = 0;
    int Green = 0;
    int Blue = 0;
};

inline constexpr CurveColor SampleCurveColor{255, 0, 0};
inline constexpr CurveColor ThresholdCurveColor{0, 128, 0};
// Overlaid tests, told apart from the red samples and the green thresholds.
inline constexpr CurveColor OverlayCurveColors[] = {{0, 90, 200},  {230, 130, 0}, {140, 60, 170},
                                                    {0, 160, 160}, {120, 80, 40}, {220, 60, 150},
                                                    {90, 90, 90},  {150, 150, 0}};

// The colour of the overlay at this index; the palette repeats after its last colour.
constexpr CurveColor OverlayCurveColor(std::size_t index) {
    return OverlayCurveColors[index % std::size(OverlayCurveColors)];
}
