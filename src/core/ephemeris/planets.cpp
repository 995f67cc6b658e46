#include "core/ephemeris/planets.h"

#include "core/ephemeris/perturbations.h"
#include "core/ephemeris/planet_elements_table.h"
#include "core/ephemeris/pluto.h"
#include "core/ephemeris/time_angles.h"

namespace orrerion {
namespace {

double Evaluate(const Cubic& c, double T) { return c.c0 + c.c1 * T + c.c2 * T * T + c.c3 * T * T * T; }

const OuterElementRow& OuterRow(int bodySelector) {
    for (const OuterElementRow& row : OuterElements) {
        if (row.body == bodySelector) return row;
    }
    return OuterElements[0];
}

}  // namespace

GeocentricPosition HelioToGeocentric(const EphemerisState& s, double l, double b, double r) {
    const HelioPosition& earth = s.EarthHelio;
    const SinCos lon = SinCosD(l);
    const SinCos lat = SinCosD(b);
    const double x = r * lat.cos * lon.cos - earth.x;
    const double y = r * lat.cos * lon.sin - earth.y;
    const double z = r * lat.sin - earth.z;
    const Spherical geo = RectToSpherical(x, y, z);
    // No light-time, aberration or nutation correction for the planets.
    return {geo.lon, geo.lat};
}

GeocentricPosition OrbitToGeocentric(EphemerisState& s, int bodySelector, const OrbitElements& el) {
    const double E = SolveKepler(el.M, el.e);
    const double r = el.a * (1 - el.e * CosD(E));
    const double trueAnomaly =
        Norm360(2 * RadToDeg(std::atan(std::sqrt((1 + el.e) / (1 - el.e)) * std::tan(PiValue * E / 360))));
    const double u = el.omega + trueAnomaly;  // argument of latitude
    const SinCos argument = SinCosD(u);
    const SinCos inclination = SinCosD(el.i);
    const Spherical helio = RectToSpherical(argument.cos, argument.sin * inclination.cos,
                                            argument.sin * inclination.sin);
    const double l = helio.lon + el.node;  // not reduced
    const double b = helio.lat;
    if (bodySelector == 1) {
        const SinCos lon = SinCosD(l);
        const SinCos lat = SinCosD(b);
        s.EarthHelio = {l, b, r, r * lat.cos * lon.cos, r * lat.cos * lon.sin, r * lat.sin};
        return {};
    }
    return HelioToGeocentric(s, l, b, r);
}

GeocentricPosition ComputeInnerPlanet(EphemerisState& s, int bodySelector) {
    const InnerElementRow& row = InnerElements[static_cast<std::size_t>(bodySelector - 1)];
    const double T = s.EphT;  // T2000
    OrbitElements el;
    el.a = row.a * AuKm;
    el.e = row.e0 + row.e1 * T;
    el.i = row.i0 + row.i1 * T;
    el.node = row.node0 + row.node1 * T;
    const double varpi = row.varpi0 + row.varpi1 * T;
    el.M = row.M0 + row.M1 * T;  // not reduced
    el.omega = varpi - el.node;
    return OrbitToGeocentric(s, bodySelector, el);
}

GeocentricPosition ComputeOuterPlanet(EphemerisState& s, int bodySelector) {
    const double T = s.EphT;  // T1900
    if (bodySelector == 9) {
        const PlutoHelio p = ComputePluto(T);
        return HelioToGeocentric(s, p.lon, p.lat, p.r * AuKm);
    }
    const OuterElementRow& row = OuterRow(bodySelector);
    OrbitElements el;
    const double L = Evaluate(row.L, T);
    el.a = row.a * AuKm;
    el.e = Evaluate(row.e, T);
    el.i = Evaluate(row.i, T);
    el.omega = Evaluate(row.omega, T);
    el.node = Evaluate(row.node, T);
    const double varpi = Norm360(el.omega + el.node);
    el.M = Norm360(L - varpi);
    // L of the Sun/Earth row is the Sun's geocentric mean longitude: +180 turns L - varpi into the
    // Earth's mean anomaly.
    if (bodySelector == 1) el.M = el.M + 180;
    switch (bodySelector) {
        case 5: PerturbJupiter(T, el); break;
        case 6: PerturbSaturn(T, el); break;
        case 7: s.LongitudeCorrection = PerturbUranus(T, el); break;
        case 8: s.LongitudeCorrection = PerturbNeptune(T, el); break;
        default: break;
    }
    return OrbitToGeocentric(s, bodySelector, el);
}

}  // namespace orrerion
