#include "core/ephemeris/extra_points.h"

#include <cctype>
#include <cmath>

#include "core/ephemeris/precise_ephemeris.h"
#include "core/ephemeris/time_angles.h"

namespace orrerion {

std::string ExtraPointLabel(ExtraPoint p) {
    std::string label(RowOf(p).name);
    for (char& c : label) c = c == '_' ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return label;
}

std::optional<ExtraPoint> ExtraPointOfCode(std::string_view code) {
    if (code.empty()) return std::nullopt;
    for (const ExtraPointRow& row : ExtraPoints) {
        if (row.code == code) return row.point;
    }
    return std::nullopt;
}

void ChoosePoint(PointChoice& choice, ExtraPoint p) {
    for (const ExtraPointRow& row : ExtraPoints) {
        if (row.point == p || row.choseWith == p) choice.chosen[static_cast<std::size_t>(row.point)] = true;
    }
}

namespace {

// Polynomials in T, centuries from J2000, degrees; terms in ascending powers.
struct Polynomial {
    double c0, c1, c2, c3, c4;
    double At(double t) const { return c0 + t * (c1 + t * (c2 + t * (c3 + t * c4))); }
};

// Meeus, Astronomical Algorithms (2nd ed., 1998), eq. 47.7: the longitude of the mean ascending
// node of the lunar orbit on the mean ecliptic of date.
constexpr Polynomial MeanNodeLongitude{125.0445479, -1934.1362891, 0.0020754, 1.0 / 467441, -1.0 / 60616000};
// Chapront-Touze and Chapront, Lunar Tables and Programs from 4000 B.C. to A.D. 8000 (1991): the
// mean longitude of the lunar perigee (the mean longitude of the Moon less its mean anomaly).
constexpr Polynomial MeanPerigeeLongitude{83.3532465, 4069.0137287, -0.0103200, -1.0 / 80053, 1.0 / 18999000};
// The mean inclination of the lunar orbit to the ecliptic, degrees (the same source).
constexpr double MeanLunarInclination = 5.1453964;

constexpr double DayInCenturies = 1.0 / DaysPerCentury;

// Longitude and latitude of the mean apogee at T (J2000 centuries).
PointPosition MeanApogee(double t2000) {
    const double node = MeanNodeLongitude.At(t2000);
    // The apogee's distance from the node measured along the orbit, carried to the ecliptic by the
    // orbit's inclination about the line of nodes.
    const double u = MeanPerigeeLongitude.At(t2000) + 180 - node;
    const double x = CosD(u);
    const double y = SinD(u) * CosD(MeanLunarInclination);
    const double z = SinD(u) * SinD(MeanLunarInclination);
    const Spherical s = RectToSpherical(x, y, z);
    PointPosition p;
    p.lon = Norm360(s.lon + node);
    p.lat = s.lat;
    return p;
}

// The change over one day of a longitude, across 0/360.
double DailyMotion(double now, double next) {
    double d = next - now;
    if (d > 180) d -= 360;
    if (d < -180) d += 360;
    return d;
}

}  // namespace

PointPosition BuiltinMeanNode(double t2000) {
    PointPosition p;
    p.lon = Norm360(MeanNodeLongitude.At(t2000));
    p.speed = DailyMotion(p.lon, Norm360(MeanNodeLongitude.At(t2000 + DayInCenturies)));
    return p;
}

PointPosition BuiltinMeanLilith(double t2000) {
    PointPosition p = MeanApogee(t2000);
    p.speed = DailyMotion(p.lon, MeanApogee(t2000 + DayInCenturies).lon);
    return p;
}

std::optional<std::string> ExtraPointUnavailable(EphemerisSource source, ExtraPoint p) {
    const ExtraPointRow& row = RowOf(p);
    if (row.routine == PointRoutine::ChartFormula) return std::nullopt;
    if (row.routine == PointRoutine::OppositeNode) return ExtraPointUnavailable(source, row.choseWith);
    if (source == EphemerisSource::Precise) return PreciseExtraPointUnavailable(p);
    if (row.routine == PointRoutine::LibraryOnly) {
        return std::string(row.name) + ": only with precise positions (the Swiss Ephemeris)";
    }
    return std::nullopt;
}

PointOutcome ExtraPointAt(EphemerisSource source, ExtraPoint p, double jdUT, double obliquityDeg) {
    const ExtraPointRow& row = RowOf(p);
    if (source == EphemerisSource::Precise &&
        (row.routine == PointRoutine::Polynomial || row.routine == PointRoutine::LibraryOnly)) {
        return PreciseExtraPoint(p, jdUT);
    }
    PointOutcome out;
    if (row.routine != PointRoutine::Polynomial) {
        out.reason = ExtraPointUnavailable(source, p).value_or(std::string(row.name) + ": not an ephemeris point");
        return out;
    }
    const double t2000 = (jdUT - JulianDay2000) / DaysPerCentury;  // UT, no delta T
    out.position = p == ExtraPoint::MeanNode ? BuiltinMeanNode(t2000) : BuiltinMeanLilith(t2000);
    out.position.decl = EclipticToDeclination(out.position.lon, out.position.lat, -DegToRad(obliquityDeg));
    out.ok = std::isfinite(out.position.lon) && std::isfinite(out.position.decl);
    if (!out.ok) out.reason = std::string(row.name) + ": the calculation gave no number";
    return out;
}

}  // namespace orrerion
