// The ephemeris entries: published positions, ranges over two centuries, the retrograde rule,
// what each entry leaves in the shared values, and the approved outputs.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "core/ephemeris/ephemeris.h"
#include "core/ephemeris/perturbations.h"
#include "core/ephemeris/pluto.h"
#include "core/ephemeris/sun_moon.h"
#include "core/ephemeris/time_angles.h"
#include "angles.h"
#include "json_lite.h"
#include "test_paths.h"

namespace orrerion {
namespace {

// Sets the shared time values for a universal-time Julian date as the callers do.
EphemerisState StateAt(double jd) {
    EphemerisState s;
    s.DayNumber = std::floor(jd + 0.5);
    s.DayFraction = jd + 0.5 - s.DayNumber;
    s.EphT = (s.DayNumber + s.DayFraction - 0.5 - JulianDay1900) / DaysPerCentury;
    s.NegObliquityRad = NegObliquityRadians(s.EphT);
    return s;
}

using testing::AngleDifference;

struct Reference {
    int body;
    const char* name;
    double longitude;  // apparent geocentric longitude, degrees
};

TEST(EphemerisAllBodies, MatchesTrueLongitudesAtJ2000) {
    // Apparent geocentric longitudes for 2000 January 1.5 UT from a modern high-precision
    // ephemeris, to 0.01 degree.
    const Reference refs[] = {
        {SUN, "Sun", 280.37},     {MOON, "Moon", 223.32},     {MERCURY, "Mercury", 271.89},
        {VENUS, "Venus", 241.57}, {MARS, "Mars", 327.96},     {JUPITER, "Jupiter", 25.25},
        {SATURN, "Saturn", 40.40}, {URANUS, "Uranus", 314.81}, {NEPTUNE, "Neptune", 303.19},
        {PLUTO, "Pluto", 251.45},
    };
    EphemerisState s = StateAt(2451545.0);
    EphemerisAllBodies(s);
    for (const Reference& r : refs) {
        const double actual = s.WorkLong[static_cast<std::size_t>(r.body)];
        EXPECT_LT(AngleDifference(actual, r.longitude), 0.2)
            << r.name << ": expected " << r.longitude << ", actual " << actual;
    }
}

TEST(EphemerisAllBodies, StaysInRangeAcrossTwoCenturies) {
    // Every 97.3 days from 1900 to 2100: longitudes in [0, 360), the Moon within its 5.3 degrees.
    for (double jd = 2415020.5; jd < 2488070.0; jd += 97.3) {
        EphemerisState s = StateAt(jd);
        EphemerisAllBodies(s);
        for (int n = SUN; n <= MOON; ++n) {
            const double lon = s.WorkLong[static_cast<std::size_t>(n)];
            ASSERT_GE(lon, 0.0) << "body " << n << " jd " << jd;
            ASSERT_LT(lon, 360.0) << "body " << n << " jd " << jd;
            ASSERT_GE(s.WorkLongNext[static_cast<std::size_t>(n)], 0.0);
            ASSERT_LT(s.WorkLongNext[static_cast<std::size_t>(n)], 360.0);
            ASSERT_LE(std::fabs(s.WorkDecl[static_cast<std::size_t>(n)]), 30.0) << "body " << n;
        }
        ASSERT_LT(std::fabs(s.WorkLat[MOON]), 5.4) << "jd " << jd;
        ASSERT_EQ(s.WorkLat[SUN], 0.0);
    }
}

TEST(EphemerisAllBodies, LeavesEphTOneDayLaterAndTheAnglesUntouched) {
    EphemerisState s = StateAt(2447892.5);
    const double t = s.EphT;
    s.WorkLong[ASC] = 123.0;
    s.WorkLong[MC] = 45.0;
    EphemerisAllBodies(s);
    EXPECT_NEAR(s.EphT, t + 1 / 36525.0, 1e-15);
    EXPECT_EQ(s.WorkLong[ASC], 123.0);
    EXPECT_EQ(s.WorkLong[MC], 45.0);
    EXPECT_NEAR(s.EphT2000, (2447892.5 - 2451545.0) / 36525, 1e-15);
    EXPECT_EQ(s.RetroMarks.size(), 12u);
    EXPECT_EQ(s.RetroMarks[SUN - 1], ' ');
    EXPECT_EQ(s.RetroMarks[MOON - 1], ' ');
}

TEST(EphemerisDailyUpdate, AgreesWithTheAllBodiesEntryAtTheSameInstant) {
    // The daily update switches EphT between T1900 and T2000 in its own order; at the same instant
    // it must reproduce the longitudes of the full entry exactly.
    for (double jd : {2433283.0, 2451545.25, 2460651.75, 2421000.5}) {
        EphemerisState full = StateAt(jd);
        const double t1900 = full.EphT;
        EphemerisAllBodies(full);

        EphemerisState daily = StateAt(jd);
        daily.ScanT = t1900;
        daily.EphT2000 = (daily.DayNumber - JulianDay2000 + daily.DayFraction - 0.5) / DaysPerCentury;
        daily.WorkLat[MOON] = 99;
        EphemerisDailyUpdate(daily);
        for (int n = SUN; n <= MOON; ++n) {
            EXPECT_EQ(daily.WorkLong[static_cast<std::size_t>(n)], full.WorkLong[static_cast<std::size_t>(n)])
                << "body " << n << " jd " << jd;
        }
        EXPECT_EQ(daily.EphT, t1900);
        EXPECT_EQ(daily.WorkLat[MOON], 99);  // latitudes are left alone
    }
}

TEST(RetrogradeRule, WrapAndDirection) {
    EXPECT_FALSE(IsRetrograde(359.9, 0.1)) << "forward across 0 is direct";
    EXPECT_TRUE(IsRetrograde(0.1, 359.9)) << "backward across 0 is retrograde";
    EXPECT_FALSE(IsRetrograde(120.0, 120.0)) << "standing still is not marked";
    EXPECT_TRUE(IsRetrograde(120.0, 119.99));
    EXPECT_FALSE(IsRetrograde(119.99, 120.0));
    EXPECT_FALSE(IsRetrograde(180.0, 0.0)) << "difference of exactly 180 lifts the smaller value";
}

TEST(RetrogradeMarks, MarkedBodiesMoveBackwardsOverTheDay) {
    int marked = 0;
    for (double jd = 2440000.5; jd < 2450000.0; jd += 211.7) {
        EphemerisState s = StateAt(jd);
        EphemerisAllBodies(s);
        for (int n = MERCURY; n <= PLUTO; ++n) {
            const bool r = s.RetroMarks[static_cast<std::size_t>(n - 1)] == 'R';
            marked += r;
            double d = s.WorkLongNext[static_cast<std::size_t>(n)] - s.WorkLong[static_cast<std::size_t>(n)];
            if (d > 180) d -= 360;
            if (d < -180) d += 360;
            EXPECT_EQ(r, d < 0) << "body " << n << " jd " << jd;
        }
    }
    EXPECT_GT(marked, 50);  // outer planets are retrograde a good part of the time
}

TEST(SunAndMoon, SeriesAtTheStartOf1900) {
    // T = 0: the Sun's mean longitude is 279.70 and its apparent longitude lies near 280.
    const double sun = ComputeSun(0.0);
    EXPECT_GT(sun, 279.0);
    EXPECT_LT(sun, 281.0);
    // Returned unreduced: in March the mean longitude has wrapped to 0 while the equation of the
    // centre is near +1.9 degrees, so just before the wrap the series runs past 360.
    bool pastTurn = false;
    for (int day = 0; day < 366; ++day) {
        const double lon = ComputeSun(day / 36525.0);
        pastTurn = pastTurn || lon >= 360.0;
        EXPECT_GT(lon, -3.0);
        EXPECT_LT(lon, 363.0);
    }
    EXPECT_TRUE(pastTurn);
    const MoonPosition moon = ComputeMoon(0.0);
    EXPECT_LT(std::fabs(moon.latitude), 5.4);
}

TEST(Perturbations, ArgumentsAtTheStartOf1900) {
    const PerturbationArgs g = ComputePerturbationArgs(0.0);
    EXPECT_DOUBLE_EQ(g.nu, 0.1);
    EXPECT_DOUBLE_EQ(g.P, 237.47555);
    EXPECT_DOUBLE_EQ(g.Q, 265.9165);
    EXPECT_DOUBLE_EQ(g.S, 243.51721);
    EXPECT_NEAR(g.V, 854.6314, 1e-9);  // not reduced
    EXPECT_NEAR(g.W, -389.99627, 1e-9);
    EXPECT_NEAR(g.zeta, 265.9165 - 237.47555, 1e-12);
    EXPECT_NEAR(g.psi, 243.51721 - 265.9165, 1e-12);
}

TEST(Perturbations, UranusAndNeptuneReplaceTheMeanAnomaly) {
    OrbitElements a{19.2 * AuKm, 0.046, 0.77, 98.0, 73.5, 1000.0};
    OrbitElements b = a;
    b.M = -5000.0;
    PerturbUranus(0.5, a);
    PerturbUranus(0.5, b);
    EXPECT_DOUBLE_EQ(a.M, b.M) << "the incoming mean anomaly plays no part";
    // Corrected by A - B/e, which stays within a few degrees.
    EXPECT_NEAR(a.M, 72.64878 + 428.37911 * 0.5 + 0.000079 * 0.25, 3.5);
    OrbitElements n{30.1 * AuKm, 0.009, 1.78, 276.0, 130.7, 1000.0};
    const double correction = PerturbNeptune(0.5, n);
    EXPECT_LT(std::fabs(correction), 0.03);
    EXPECT_NEAR(n.M, 37.73063 + 218.46134 * 0.5 - 0.00007 * 0.25, 5.0);
}

TEST(Pluto, EquinoxShiftChangesSignAt1950) {
    EXPECT_EQ(PlutoEquinoxShift(2433283), 0.0);
    EXPECT_LT(PlutoEquinoxShift(2433282), 0.0);
    EXPECT_NEAR(PlutoEquinoxShift(2433283 + 36525), 1.33, 1e-12);
    const PlutoHelio p = ComputePluto(0.0);
    EXPECT_NEAR(p.r, 40.7, 10.0);
    EXPECT_LT(std::fabs(p.lat), 18.0);
}

TEST(EphemerisAllBodies, AgreesWithEveryApprovedOutput) {
    namespace fs = std::filesystem;
    int files = 0;
    for (const auto& entry : fs::directory_iterator(testing::GoldenDir() / "ephemeris")) {
        const auto json = testing::ParseFlatJson(testing::ReadWholeFile(entry.path()));
        const double jd = json.at("jd").number;
        EphemerisState s = StateAt(jd);
        EphemerisAllBodies(s);
        struct Field {
            const char* key;
            const PointArray* values;
            bool angle;
        };
        const Field fields[] = {{"long", &s.WorkLong, true},
                                {"lat", &s.WorkLat, false},
                                {"decl", &s.WorkDecl, false},
                                {"long_next", &s.WorkLongNext, true}};
        for (const Field& f : fields) {
            const auto& expected = json.at(f.key).numbers;
            ASSERT_EQ(expected.size(), 10u);
            for (int n = 1; n <= 10; ++n) {
                const double actual = (*f.values)[static_cast<std::size_t>(n)];
                const double e = expected[static_cast<std::size_t>(n - 1)];
                const double diff = f.angle ? AngleDifference(actual, e) : std::fabs(actual - e);
                EXPECT_LT(diff, 1e-7) << entry.path().filename() << " " << f.key << "[" << n << "] expected " << e
                                      << " actual " << actual;
            }
        }
        EXPECT_EQ(s.RetroMarks, json.at("retro").text) << entry.path().filename();
        ++files;
    }
    EXPECT_GE(files, 20);
}

}  // namespace
}  // namespace orrerion
