#pragma once
// The Sun's apparent longitude and the Moon's longitude and latitude from fixed series.
namespace orrerion {

// Apparent geocentric longitude of the Sun in degrees, not reduced to [0, 360), for T in Julian
// centuries from JD 2415020 (universal time, no delta T). The Sun's latitude is taken as 0.
double ComputeSun(double T);

struct MoonPosition {
    double longitude = 0.0;  // degrees, not reduced
    double latitude = 0.0;   // degrees
};
// The Moon's geocentric longitude and latitude for T in Julian centuries from JD 2415020.
MoonPosition ComputeMoon(double T);

}  // namespace orrerion
