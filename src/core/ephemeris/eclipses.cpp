#include "core/ephemeris/eclipses.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/ephemeris/time_angles.h"

namespace orrerion {
namespace {

constexpr double Radians = std::numbers::pi / 180;

// One periodic term of the Moon's distance: cos(D*D + M*M + Mp*M' + F*F) times the amplitude,
// with the terms in the Sun's anomaly multiplied by E for each power of M.
struct DistanceTerm {
    int D, M, Mp, F;
    double amplitudeKm;
};
// The largest terms of the Moon's distance from the Earth (down to 10 km), in the listed order:
// Meeus, Astronomical Algorithms (2nd ed.), table 47.A, column of the distance (there in 0.001 km).
inline constexpr auto MoonDistanceTerms = std::to_array<DistanceTerm>({
    {0, 0, 1, 0, -20905.355},
    {2, 0, -1, 0, -3699.111},
    {2, 0, 0, 0, -2955.968},
    {0, 0, 2, 0, -569.925},
    {0, 1, 0, 0, 48.888},
    {0, 0, 0, 2, -3.149},
    {2, 0, -2, 0, 246.158},
    {2, -1, -1, 0, -152.138},
    {2, 0, 1, 0, -170.733},
    {2, -1, 0, 0, -204.586},
    {0, 1, -1, 0, -129.620},
    {1, 0, 0, 0, 108.743},
    {0, 1, 1, 0, 104.755},
    {2, 0, 0, -2, 10.321},
    {0, 0, 1, -2, 79.661},
    {4, 0, -1, 0, -34.782},
    {0, 0, 3, 0, -23.210},
    {4, 0, -2, 0, -21.636},
    {2, 1, -1, 0, 24.208},
    {2, 1, 0, 0, 30.824},
    {1, 1, 0, 0, -16.675},
    {2, -1, 1, 0, -12.831},
    {2, 0, 2, 0, -10.445},
    {4, 0, 0, 0, -11.650},
    {2, 0, -3, 0, 14.403},
    {2, -1, -2, 0, 10.056},
});
static_assert(MoonDistanceTerms.size() == 26);
// The mean distance the terms vary about, km.
constexpr double MoonMeanDistanceKm = 385000.56;

// Centuries from JD 2451545 for T from JD 2415020.
double T2000Of(double t1900) { return t1900 - (JulianDay2000 - JulianDay1900) / DaysPerCentury; }

// The radius of the Earth in the direction of a pole, as a fraction of the equatorial radius: a
// shadow axis that passes further than this from the Earth's centre misses the Earth near a pole
// (the Earth's outline in the plane across the shadow is an ellipse).
constexpr double PolarFraction = 0.9972;

// The Earth's shadow at the Moon is larger than the geometric cone, by the Earth's atmosphere:
// the Earth's parallax is enlarged by a hundredth (Danjon's rule, which the Swiss Ephemeris
// follows; the older rule of a fiftieth of the whole radius lists penumbral eclipses of a few
// hundredths that the library does not).
constexpr double ParallaxEnlargement = 1.01;

}  // namespace

std::string_view EclipseTypeWord(EclipseType type) {
    for (const EclipseTypeRow& row : EclipseTypes) {
        if (row.type == type) return row.word;
    }
    return {};
}

double BuiltinMoonDistanceKm(double t1900) {
    const double t = T2000Of(t1900);
    // The mean elongation, the anomalies of the Sun and the Moon and the argument of latitude
    // (Meeus, eq. 47.2 to 47.5, linear terms), degrees.
    const double D = 297.8501921 + 445267.1114034 * t;
    const double M = 357.5291092 + 35999.0502909 * t;
    const double Mp = 134.9633964 + 477198.8675055 * t;
    const double F = 93.2720950 + 483202.0175233 * t;
    const double E = 1 - 0.002516 * t - 0.0000074 * t * t;
    double sum = 0.0;
    for (const DistanceTerm& term : MoonDistanceTerms) {
        const double argument = term.D * D + term.M * M + term.Mp * Mp + term.F * F;
        const double e = term.M == 0 ? 1.0 : (term.M == 1 || term.M == -1 ? E : E * E);
        sum += term.amplitudeKm * e * std::cos(argument * Radians);
    }
    return MoonMeanDistanceKm + sum;
}

double BuiltinSunDistanceKm(double t1900) {
    const double t = T2000Of(t1900);
    // Meeus, chapter 25 (low accuracy): eccentricity, mean anomaly, equation of the centre.
    const double e = 0.016708634 - 0.000042037 * t;
    const double M = 357.52911 + 35999.05029 * t;
    const double C = (1.914602 - 0.004817 * t) * std::sin(M * Radians) +
                     (0.019993 - 0.000101 * t) * std::sin(2 * M * Radians) + 0.000289 * std::sin(3 * M * Radians);
    const double v = (M + C) * Radians;
    return 1.000001018 * (1 - e * e) / (1 + e * std::cos(v)) * AstronomicalUnitKm;
}

std::optional<Eclipse> ClassifySolarEclipse(double separationDeg, double moonKm, double sunKm) {
    // The plane through the Earth's centre across the shadow's axis, in Earth radii: the axis
    // (through the Sun's and the Moon's centres) passes `gamma` from the Earth's centre; the
    // penumbra's radius there is `p`, the umbra's is `-u` (u > 0: the umbra's tip falls short of the
    // plane and leaves the antumbra, whose radius is u).
    const double sunMoonKm = sunKm - moonKm;
    const double gamma = moonKm * std::sin(separationDeg * Radians) * sunKm / sunMoonKm / EarthRadiusKm;
    const double tanUmbra = (SunRadiusKm - MoonRadiusKm) / sunMoonKm;
    const double u = (moonKm * tanUmbra - MoonRadiusKm) / EarthRadiusKm;
    const double p = (MoonRadiusKm + moonKm * (SunRadiusKm + MoonRadiusKm) / sunMoonKm) / EarthRadiusKm;
    if (gamma >= PolarFraction + p) return std::nullopt;

    Eclipse e;
    e.solar = true;
    if (gamma < PolarFraction) {
        // Central: the axis meets the Earth where the shadow is nearer by the Earth's radius there,
        // which shrinks the antumbra by that distance times the cone's slope. Total at greatest
        // eclipse but annular at the ends of the path (where that distance goes to nothing) is hybrid.
        const double nearer = std::sqrt(1 - gamma * gamma);
        e.type = u <= 0 ? EclipseType::Total
                        : (u < nearer * tanUmbra ? EclipseType::Hybrid : EclipseType::Annular);
        const double observerKm = nearer * EarthRadiusKm;
        e.magnitude = (MoonRadiusKm / (moonKm - observerKm)) / (SunRadiusKm / (sunKm - observerKm));
    } else if (gamma < PolarFraction + std::fabs(u)) {
        // The axis misses the Earth but the umbra or antumbra touches it near a pole.
        e.type = u <= 0 ? EclipseType::Total : EclipseType::Annular;
        e.magnitude = (MoonRadiusKm / moonKm) / (SunRadiusKm / sunKm);
    } else {
        e.type = EclipseType::Partial;
        e.magnitude = (PolarFraction + p - gamma) / (p + u);
    }
    return e;
}

std::optional<Eclipse> ClassifyLunarEclipse(double separationDeg, double moonKm, double sunKm) {
    // Angular radii seen from the Earth's centre, degrees: the Moon's, and the umbra's and the
    // penumbra's at the Moon's distance from the parallaxes of the Moon and the Sun and the Sun's
    // radius.
    const double moonRadius = std::asin(MoonRadiusKm / moonKm) / Radians;
    const double moonParallax = std::asin(EarthRadiusKm / moonKm) / Radians;
    const double sunParallax = std::asin(EarthRadiusKm / sunKm) / Radians;
    const double sunRadius = std::asin(SunRadiusKm / sunKm) / Radians;
    const double umbra = ParallaxEnlargement * moonParallax + sunParallax - sunRadius;
    const double penumbra = ParallaxEnlargement * moonParallax + sunParallax + sunRadius;
    const double umbral = (umbra + moonRadius - separationDeg) / (2 * moonRadius);
    const double penumbral = (penumbra + moonRadius - separationDeg) / (2 * moonRadius);
    if (penumbral <= 0) return std::nullopt;
    Eclipse e;
    e.solar = false;
    e.type = umbral >= 1 ? EclipseType::Total : (umbral > 0 ? EclipseType::Partial : EclipseType::Penumbral);
    // The umbra does not reach a penumbral eclipse: its umbral magnitude is none, as the library
    // gives it.
    e.magnitude = std::max(umbral, 0.0);
    return e;
}

}  // namespace orrerion
