#include "core/ephemeris/ephemeris.h"

#include <cmath>

#include "core/ephemeris/planets.h"
#include "core/ephemeris/pluto.h"
#include "core/ephemeris/precise_ephemeris.h"
#include "core/ephemeris/sun_moon.h"
#include "core/ephemeris/time_angles.h"

namespace orrerion {
namespace {

constexpr double OneDayInCenturies = 1.0 / DaysPerCentury;
constexpr int OuterOrder[] = {1, 5, 6, 7, 8, 9};

// Geocentric longitude of an outer-family body with the Uranus/Neptune correction and the Pluto
// equinox shift, reduced to [0, 360). Body 1 only refreshes the Earth and yields nothing.
double OuterLongitude(EphemerisState& s, int n, double* latitude) {
    const GeocentricPosition p = ComputeOuterPlanet(s, n);
    if (latitude) *latitude = p.lat;
    double lon = Norm360(p.lon);
    if (n == URANUS || n == NEPTUNE) lon += s.LongitudeCorrection;
    if (n == PLUTO) lon += PlutoEquinoxShift(s.DayNumber);
    return Norm360(lon);
}

}  // namespace

bool BuiltinSeriesCovers(double jdUT) { return jdUT >= BuiltinFirstJD && jdUT < BuiltinEndJD; }
bool JulianDateSupported(double jdUT) { return jdUT >= SupportedFirstJD && jdUT < SupportedEndJD; }

bool IsRetrograde(double now, double next) {
    if (std::fabs(now - next) >= 180) {
        if (now <= next) now += 360; else next += 360;
    }
    return now > next;
}

void EphemerisAllBodies(EphemerisState& s) {
    if (s.Source == EphemerisSource::Precise) {
        PreciseAllBodies(s);
        return;
    }
    s.RetroMarks = std::string(BodyCount, ' ');
    s.EphT2000 = (s.DayNumber - JulianDay2000 + s.DayFraction - 0.5) / DaysPerCentury;
    s.EphTNext = s.EphT + OneDayInCenturies;
    s.EphT2000Next = s.EphT2000 + OneDayInCenturies;

    // Sun and Moon now (T1900).
    s.WorkLong[SUN] = Norm360(ComputeSun(s.EphT));
    s.WorkLat[SUN] = 0;
    const MoonPosition moon = ComputeMoon(s.EphT);
    s.WorkLong[MOON] = Norm360(moon.longitude);
    s.WorkLat[MOON] = moon.latitude;
    s.WorkDecl[MOON] = EclipticToDeclination(s.WorkLong[MOON], s.WorkLat[MOON], s.NegObliquityRad);

    // Inner planets now (T2000); slot 1 gets the Sun's declination.
    s.EphT = s.EphT2000;
    for (int n = 1; n <= 4; ++n) {
        const GeocentricPosition p = ComputeInnerPlanet(s, n);
        if (n >= 2) {
            s.WorkLong[n] = Norm360(p.lon);
            s.WorkLat[n] = p.lat;
        }
        s.WorkDecl[n] = EclipticToDeclination(s.WorkLong[n], s.WorkLat[n], s.NegObliquityRad);
    }

    // Sun and Moon one day later.
    s.EphT = s.EphTNext;
    s.WorkLongNext[SUN] = Norm360(ComputeSun(s.EphT));
    s.WorkLongNext[MOON] = Norm360(ComputeMoon(s.EphT).longitude);

    // Inner planets one day later.
    s.EphT = s.EphT2000Next;
    for (int n = 1; n <= 4; ++n) {
        const GeocentricPosition p = ComputeInnerPlanet(s, n);
        if (n >= 2) s.WorkLongNext[n] = Norm360(p.lon);
    }

    // Outer planets now, with T1900 recomputed from the day values.
    s.EphT = (s.DayNumber - JulianDay1900 + s.DayFraction - 0.5) / DaysPerCentury;
    s.EphTNext = s.EphT + OneDayInCenturies;
    for (int n : OuterOrder) {
        double latitude = 0.0;
        const double lon = OuterLongitude(s, n, &latitude);
        if (n == 1) continue;
        s.WorkLong[n] = lon;
        s.WorkLat[n] = latitude;
        s.WorkDecl[n] = EclipticToDeclination(s.WorkLong[n], s.WorkLat[n], s.NegObliquityRad);
    }

    // Outer planets one day later.
    s.EphT = s.EphTNext;
    for (int n : OuterOrder) {
        const double lon = OuterLongitude(s, n, nullptr);
        if (n != 1) s.WorkLongNext[n] = lon;
    }

    // The Sun and the Moon are never marked.
    for (int n = MERCURY; n <= PLUTO; ++n) {
        if (IsRetrograde(s.WorkLong[n], s.WorkLongNext[n])) s.RetroMarks[static_cast<std::size_t>(n - 1)] = 'R';
    }
}

void EphemerisDailyUpdate(EphemerisState& s) {
    if (s.Source == EphemerisSource::Precise) {
        PreciseDailyUpdate(s);
        return;
    }
    s.EphT = s.ScanT;
    s.WorkLong[SUN] = Norm360(ComputeSun(s.EphT));
    s.WorkLong[MOON] = Norm360(ComputeMoon(s.EphT).longitude);

    s.EphT = s.EphT2000;
    for (int n = 1; n <= 4; ++n) {
        const GeocentricPosition p = ComputeInnerPlanet(s, n);
        if (n >= 2) s.WorkLong[n] = Norm360(p.lon);
    }

    s.EphT = s.ScanT;
    for (int n : OuterOrder) {
        const double lon = OuterLongitude(s, n, nullptr);
        if (n != 1) s.WorkLong[n] = lon;
    }
}

double EphemerisBodyLongitude(EphemerisState& s, int body) {
    if (s.Source == EphemerisSource::Precise) return PreciseBodyLongitude(s, body);
    // Each body as EphemerisDailyUpdate computes it: the Sun and Moon at T1900, the inner planets
    // at T2000 after the Earth at T2000, the outer planets at T1900 after the Earth at T1900.
    switch (body) {
        case SUN:
            s.EphT = s.ScanT;
            return Norm360(ComputeSun(s.EphT));
        case MOON:
            s.EphT = s.ScanT;
            return Norm360(ComputeMoon(s.EphT).longitude);
        case MERCURY:
        case VENUS:
        case MARS:
            s.EphT = s.EphT2000;
            ComputeInnerPlanet(s, 1);
            return Norm360(ComputeInnerPlanet(s, body).lon);
        default:
            s.EphT = s.ScanT;
            OuterLongitude(s, 1, nullptr);
            return OuterLongitude(s, body, nullptr);
    }
}

void EphemerisProgressedUpdate(EphemerisState& s) {
    if (s.Source == EphemerisSource::Precise) {
        PreciseProgressedUpdate(s);
        return;
    }
    EphemerisDailyUpdate(s);
}

double LongitudeOfDate(EphemerisState& s, int body, double jdUT) {
    if (s.Source == EphemerisSource::Precise) return PreciseLongitude(jdUT, body);
    s.DayNumber = std::floor(jdUT + 0.5);
    s.DayFraction = jdUT + 0.5 - s.DayNumber;
    s.ScanT = (s.DayNumber - JulianDay1900 + s.DayFraction - 0.5) / DaysPerCentury;
    s.EphT2000 = (s.DayNumber - JulianDay2000 + s.DayFraction - 0.5) / DaysPerCentury;
    EphemerisDailyUpdate(s);
    return s.WorkLong[static_cast<std::size_t>(body)];
}

double ObliquityOfDate(EphemerisSource source, double t1900) {
    if (source == EphemerisSource::Precise) return PreciseTrueObliquity(JulianDateOfT1900(t1900));
    return ObliquityDegrees(t1900);
}

double SiderealHoursOfDate(EphemerisSource source, double t1900) {
    if (source == EphemerisSource::Precise) {
        const double jd = JulianDateOfT1900(t1900);
        const double dayFraction = jd + 0.5 - std::floor(jd + 0.5);
        return PreciseSiderealHours(jd) - 24 * dayFraction;
    }
    return SiderealHours(t1900);
}

double SunLongitudeOfDate(EphemerisSource source, double t1900) {
    if (source == EphemerisSource::Precise) return PreciseSunLongitude(JulianDateOfT1900(t1900));
    return Norm360(ComputeSun(t1900));
}

}  // namespace orrerion
