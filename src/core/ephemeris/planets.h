#pragma once
// Geocentric longitudes and latitudes of Mercury to Pluto from mean elements.
#include "core/ephemeris/ephemeris.h"

namespace orrerion {

// Elements of one orbit at one instant: a in kilometres, angles in degrees (omega the argument of
// perihelion, node the longitude of the ascending node, M the mean anomaly).
struct OrbitElements {
    double a = 0.0;
    double e = 0.0;
    double i = 0.0;
    double omega = 0.0;
    double node = 0.0;
    double M = 0.0;
};

struct GeocentricPosition {
    double lon = 0.0;  // degrees, 0 <= lon < 360
    double lat = 0.0;  // degrees
};

// BodySelector: 1 the Earth (refreshes s.EarthHelio, returns nothing useful), 2 Mercury, 3 Venus,
// 4 Mars. Reads s.EphT as T2000. Body 1 must be computed first at the same EphT.
GeocentricPosition ComputeInnerPlanet(EphemerisState& s, int bodySelector);

// BodySelector: 1 the Sun/Earth set (refreshes s.EarthHelio), 5 Jupiter .. 8 Neptune, 9 Pluto.
// Reads s.EphT as T1900. Uranus and Neptune leave s.LongitudeCorrection.
GeocentricPosition ComputeOuterPlanet(EphemerisState& s, int bodySelector);

// Kepler solution, heliocentric and geocentric conversion. For body 1 it stores the Earth's
// heliocentric position in s.EarthHelio.
GeocentricPosition OrbitToGeocentric(EphemerisState& s, int bodySelector, const OrbitElements& el);

// From the heliocentric position (longitude, latitude in degrees, radius in km) to geocentric.
GeocentricPosition HelioToGeocentric(const EphemerisState& s, double l, double b, double r);

}  // namespace orrerion
