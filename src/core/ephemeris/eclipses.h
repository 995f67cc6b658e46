#pragma once
// Eclipses: their types, and the geometry that tells whether a new or full moon eclipses and how.
// With precise positions the Swiss Ephemeris finds and classifies eclipses itself
// (PreciseEclipses); with the built-in series the caller finds the moment of greatest eclipse (the
// Moon closest to the Sun's centre, or to the centre of the Earth's shadow) and classifies it here
// from the separation and the distances of the Sun and the Moon.
#include <array>
#include <optional>
#include <string_view>

namespace orrerion {

enum class EclipseType { Total, Annular, Hybrid, Partial, Penumbral };

struct EclipseTypeRow {
    EclipseType type;
    std::string_view word;  // as the command line, JSON, CSV and calendar write it
};
inline constexpr auto EclipseTypes = std::to_array<EclipseTypeRow>({
    {EclipseType::Total, "total"},
    {EclipseType::Annular, "annular"},
    {EclipseType::Hybrid, "hybrid"},
    {EclipseType::Partial, "partial"},
    {EclipseType::Penumbral, "penumbral"},
});
static_assert(EclipseTypes.size() == 5);

std::string_view EclipseTypeWord(EclipseType type);

// One eclipse at its moment of greatest eclipse.
struct Eclipse {
    bool solar = true;      // of the Sun, else of the Moon
    double jd = 0.0;        // UT Julian date of greatest eclipse
    EclipseType type = EclipseType::Partial;
    // Solar: the fraction of the Sun's diameter covered where the eclipse is greatest (the ratio of
    // the apparent diameters on the central line); lunar: the umbral magnitude (negative for a
    // penumbral eclipse).
    double magnitude = 0.0;
};

// Kilometres: the radii of the Sun, the Moon and the Earth (equatorial), and the astronomical unit.
inline constexpr double SunRadiusKm = 696000.0;
inline constexpr double MoonRadiusKm = 1737.4;
inline constexpr double EarthRadiusKm = 6378.137;
inline constexpr double AstronomicalUnitKm = 149597870.7;

// The distances the built-in series leaves out, in kilometres, at T (centuries from JD 2415020,
// UT): the Moon's from the main periodic terms of its distance, the Sun's from the Earth's
// elliptic orbit with the equation of the centre.
double BuiltinMoonDistanceKm(double t1900);
double BuiltinSunDistanceKm(double t1900);

// A new moon at its moment of greatest eclipse, `separationDeg` between the centres of the Sun
// and the Moon seen from the Earth's centre: the eclipse it makes, if any (type and magnitude).
std::optional<Eclipse> ClassifySolarEclipse(double separationDeg, double moonKm, double sunKm);
// A full moon at its moment of greatest eclipse, `separationDeg` between the Moon's centre and the
// centre of the Earth's shadow (opposite the Sun): the eclipse it makes, if any.
std::optional<Eclipse> ClassifyLunarEclipse(double separationDeg, double moonKm, double sunKm);

}  // namespace orrerion
