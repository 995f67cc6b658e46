#pragma once
// The progressed MC and ASC, for the progressed chart and again for every scanned day. Where they
// come from is an option (Option::ProgressedAnglesFromSiderealTime): the sidereal time of the
// progressed instant at the diurnal place, or the natal angles moved by the progressed Sun's arc.
//
// Both callers share the sidereal time, the midheaven and the ascendant formulas below. The scan
// computes its terms its own way, and each difference is kept because the reports have always
// been printed from exactly these numbers:
//   - the RAMC: the scan multiplies the day's fraction by 24 then by 15, the chart by 360;
//   - the latitude's tangent: the scan takes tan(), the chart sin / cos;
//   - the arc method: the scan moves the MC by (Sun - natal Sun), the chart adds the Sun first;
//     the scan then takes the ascendant from the MC's RAMC with the day's obliquity, the chart
//     from the zenith with the natal obliquity.
#include "core/ephemeris/ephemeris.h"

namespace orrerion {

// The sines and cosines an angle formula reads: of the RAMC and of the obliquity.
struct RAMCTerms {
    double cosRAMC = 1.0;
    double sinRAMC = 0.0;
    double cosObliquity = 1.0;
    double sinObliquity = 0.0;
};

// The ecliptic longitude culminating at the RAMC, 0..360.
double MidheavenFromTerms(const RAMCTerms& t);
// The ecliptic longitude rising at the RAMC at a latitude given by its tangent, 0..360.
double AscendantFromTerms(const RAMCTerms& t, double tanLatitude);

struct ProgressedAngles {
    double MC = 0.0;
    double ASC = 0.0;
};

// What the angles are computed from. `t` is the progressed instant (centuries from JD 2415020),
// `dayFraction` its UT time of day; the place is the diurnal one (degrees, west and north
// positive). The arc method reads the progressed `sun` and the natal SUN, MC and obliquity; the
// scan's form also reads the day's obliquity.
struct ProgressedAngleInput {
    EphemerisSource source = EphemerisSource::Builtin;  // of the sidereal time and the obliquity
    bool fromSiderealTime = false;
    double t = 0.0;
    double dayFraction = 0.0;
    double westLongitudeDeg = 0.0;
    double latitudeDeg = 0.0;
    double sun = 0.0;
    double natalSun = 0.0;
    double natalMC = 0.0;
    double natalObliquityDeg = 0.0;
    double obliquityRad = 0.0;  // the scanned day's obliquity
};

// The progressed chart's angles, and the obliquity their declinations are taken with.
ProgressedAngles ChartProgressedAngles(const ProgressedAngleInput& in, double& obliquityDeg);
// The same for one scanned day.
ProgressedAngles ScanProgressedAngles(const ProgressedAngleInput& in);

}  // namespace orrerion
