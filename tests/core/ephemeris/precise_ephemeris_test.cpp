// Precise positions: the entries of the ephemeris floor against the Swiss Ephemeris library called
// directly for the same instants, which checks the wiring (bodies, flags, time scale, the next day,
// the obliquity and sidereal time), not the library.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "core/ephemeris/ephemeris.h"
#include "core/ephemeris/precise_ephemeris.h"
#include "core/ephemeris/time_angles.h"

#include "angles.h"

#if ORRERION_HAVE_SWE
#include <swephexp.h>
#endif

namespace orrerion {
namespace {

#if ORRERION_HAVE_SWE

constexpr double ArcSecond = 1.0 / 3600;
constexpr double Tolerance = 0.001 * ArcSecond;

// UT Julian dates across the years of the data files, at irregular times of day.
struct Instant {
    double jd;
    const char* when;  // UT
};
constexpr auto Instants = std::to_array<Instant>({
    {2378497.3000, "1800-01-01 19:11"}, {2390031.1674, "1831-08-01 16:01"},
    {2401565.0348, "1863-02-28 12:50"}, {2413098.9022, "1894-09-27 09:39"},
    {2424632.7697, "1926-04-27 06:28"}, {2436166.6371, "1957-11-24 03:17"},
    {2447700.5045, "1989-06-23 00:06"}, {2459234.3719, "2021-01-19 20:55"},
    {2470767.9393, "2052-08-18 10:32"}, {2482301.8067, "2084-03-17 07:21"},
    {2493835.6742, "2115-10-16 04:10"}, {2505369.5416, "2147-05-15 00:59"},
    {2516903.4090, "2178-12-11 21:48"}, {2528437.2764, "2210-07-11 18:38"},
    {2539971.1438, "2242-02-07 15:27"}, {2551504.7112, "2273-09-06 05:04"},
    {2563038.5787, "2305-04-06 01:53"}, {2574572.4461, "2336-11-02 22:42"},
    {2586106.3135, "2368-06-01 19:31"}, {2597640.1809, "2399-12-30 16:20"},
});
static_assert(Instants.size() == 20);

// The program's body slots and the library's numbers, written out here independently.
struct Body {
    int slot;
    int library;
    const char* name;
};
constexpr auto Bodies = std::to_array<Body>({
    {SUN, SE_SUN, "Sun"}, {MERCURY, SE_MERCURY, "Mercury"}, {VENUS, SE_VENUS, "Venus"},
    {MARS, SE_MARS, "Mars"}, {JUPITER, SE_JUPITER, "Jupiter"}, {SATURN, SE_SATURN, "Saturn"},
    {URANUS, SE_URANUS, "Uranus"}, {NEPTUNE, SE_NEPTUNE, "Neptune"}, {PLUTO, SE_PLUTO, "Pluto"},
    {MOON, SE_MOON, "Moon"},
});
static_assert(Bodies.size() == 10);

struct Direct {
    std::array<double, 6> x{};
    int flags = 0;
};
Direct CallLibrary(double jd, int body, int flags) {
    Direct d;
    char error[AS_MAXCH] = "";
    d.flags = swe_calc_ut(jd, body, flags, d.x.data(), error);
    return d;
}

using testing::AngleDifference;

TEST(PreciseEphemeris, EveryEntryAgreesWithTheLibraryCalledDirectly) {
    ASSERT_TRUE(CheckPreciseEphemeris().available) << CheckPreciseEphemeris().reason;
    for (const Instant& at : Instants) {
        SCOPED_TRACE(at.when);
        EphemerisState chart;
        chart.Source = EphemerisSource::Precise;
        chart.DayNumber = std::floor(at.jd + 0.5);
        chart.DayFraction = at.jd + 0.5 - chart.DayNumber;
        EphemerisAllBodies(chart);

        EphemerisState day;
        day.Source = EphemerisSource::Precise;
        day.ScanT = (at.jd - JulianDay1900) / DaysPerCentury;
        EphemerisDailyUpdate(day);

        for (const Body& b : Bodies) {
            SCOPED_TRACE(b.name);
            const auto slot = static_cast<std::size_t>(b.slot);
            const Direct ecliptic = CallLibrary(at.jd, b.library, SEFLG_SWIEPH);
            // The data files answered, not the library's analytic fallback.
            EXPECT_TRUE(ecliptic.flags & SEFLG_SWIEPH);
            const Direct equatorial = CallLibrary(at.jd, b.library, SEFLG_SWIEPH | SEFLG_EQUATORIAL);
            const Direct next = CallLibrary(at.jd + 1, b.library, SEFLG_SWIEPH);
            EXPECT_LE(AngleDifference(chart.WorkLong[slot], ecliptic.x[0]), Tolerance)
                << chart.WorkLong[slot] << " vs " << ecliptic.x[0];
            EXPECT_LE(std::fabs(chart.WorkLat[slot] - ecliptic.x[1]), Tolerance);
            EXPECT_LE(std::fabs(chart.WorkDecl[slot] - equatorial.x[1]), Tolerance);
            EXPECT_LE(AngleDifference(chart.WorkLongNext[slot], next.x[0]), Tolerance);
            EXPECT_LE(AngleDifference(day.WorkLong[slot], ecliptic.x[0]), Tolerance);
            // Away from a station the sign of the daily motion is the retrograde mark; the Sun and
            // the Moon are never marked.
            const double motion = CallLibrary(at.jd, b.library, SEFLG_SWIEPH | SEFLG_SPEED).x[3];
            if (std::fabs(motion) > 0.01) {
                EXPECT_EQ(chart.RetroMarks[slot - 1] == 'R', b.slot != SUN && b.slot != MOON && motion < 0);
            }
        }

        const double t1900 = (at.jd - JulianDay1900) / DaysPerCentury;
        const Direct nutation = CallLibrary(at.jd, SE_ECL_NUT, 0);
        EXPECT_LE(std::fabs(ObliquityOfDate(EphemerisSource::Precise, t1900) - nutation.x[0]), Tolerance);
        EXPECT_LE(std::fabs(SunLongitudeOfDate(EphemerisSource::Precise, t1900) -
                            CallLibrary(at.jd, SE_SUN, SEFLG_SWIEPH).x[0]),
                  Tolerance);
        // The sidereal hours plus the UT time of day are the apparent sidereal time at Greenwich.
        const double dayFraction = at.jd + 0.5 - std::floor(at.jd + 0.5);
        const double sidereal = std::fmod(SiderealHoursOfDate(EphemerisSource::Precise, t1900) +
                                               24 * dayFraction + 48, 24.0);
        EXPECT_LE(AngleDifference(sidereal * 15, swe_sidtime(at.jd) * 15), Tolerance);
    }
}

TEST(PreciseEphemeris, ProgressedMomentsBetweenTransitDaysAreTheLibrarysOwn) {
    // A scan's pattern: each day the transit moment moves a day and the progressed moment
    // 1/365.25 day; runs of progressed moments are worked out ahead.
    EphemerisState s;
    s.Source = EphemerisSource::Precise;
    const double transitT = (2461382.0 - JulianDay1900) / DaysPerCentury;
    const double progressedT = (2433295.1 - JulianDay1900) / DaysPerCentury;
    std::array<PointArray, 300> firstRun{};
    auto expectLibrary = [&](double t1900, int day) {
        const double jd = JulianDateOfT1900(t1900);
        for (const Body& b : Bodies) {
            const double direct = CallLibrary(jd, b.library, SEFLG_SWIEPH).x[0];
            ASSERT_LE(AngleDifference(s.WorkLong[static_cast<std::size_t>(b.slot)], direct), Tolerance)
                << b.name << " on day " << day;
        }
    };
    // Runs begun on different days give the same rows: a scan may start its days anywhere.
    for (const int start : {0, 57}) {
        s.ProgressedRun = PreciseRun{};
        for (int day = start; day < 300; ++day) {
            s.ScanT = transitT + day / DaysPerCentury;
            EphemerisDailyUpdate(s);
            s.ProgressedBaseT = progressedT;
            s.ProgressedDay = day;
            s.ScanT = progressedT + day / DaysPerCentury / 365.25;
            EphemerisProgressedUpdate(s);
            expectLibrary(s.ScanT, day);
            if (start == 0) {
                firstRun[static_cast<std::size_t>(day)] = s.WorkLong;
            } else {
                ASSERT_EQ(s.WorkLong, firstRun[static_cast<std::size_t>(day)]) << "day " << day;
            }
        }
    }
}

#else

TEST(PreciseEphemeris, UnavailableWithoutTheLibrary) {
    const PreciseAvailability precise = CheckPreciseEphemeris();
    EXPECT_FALSE(precise.available);
    EXPECT_NE(PreciseUnavailableText(precise).find("libswe"), std::string::npos);
}

#endif

}  // namespace
}  // namespace orrerion
