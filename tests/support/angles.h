#pragma once
// Angle helpers shared by the tests and the benchmarks (no GoogleTest here).
#include <cmath>

namespace orrerion::testing {

// The separation of two angles in degrees, 0 to 180, across 0/360 and for angles outside 0..360.
inline double AngleDifference(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

}  // namespace orrerion::testing
