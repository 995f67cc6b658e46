#pragma once
// Pluto's heliocentric position from a series in the mean longitudes of Jupiter, Saturn and Pluto.
namespace orrerion {

struct PlutoHelio {
    double lon = 0.0;  // degrees, not reduced
    double lat = 0.0;  // degrees
    double r = 0.0;    // astronomical units
};

// T in Julian centuries from JD 2415020.
PlutoHelio ComputePluto(double T);

// The shift of Pluto's geocentric longitude: 1.33 degrees per Julian century from day number
// 2433283 (1950 January 1).
double PlutoEquinoxShift(double dayNumber);

}  // namespace orrerion
