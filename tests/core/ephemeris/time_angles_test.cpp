// Angle arithmetic, time arguments, Kepler's equation and the coordinate conversions.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <utility>

#include "core/ephemeris/time_angles.h"

namespace orrerion {
namespace {

struct Case {
    double input;
    double expected;
    const char* why;
};

TEST(Norm360, ReducesIntoTheHalfOpenCircle) {
    const Case cases[] = {
        {-10, 350, "negative angle wraps forward"},
        {-360, 0, "whole negative turn"},
        {720, 0, "two whole turns"},
        {359.9999, 359.9999, "just below a turn stays"},
        {0, 0, "zero"},
        {365, 5, "a little over a turn"},
        {-725, 355, "more than two negative turns"},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(Norm360(c.input), c.expected, 1e-9) << c.why << " input " << c.input;
    }
}

TEST(Norm360, NeverReturns360ForTinyNegativeInput) {
    // -1e-15 / 360 floors to -1, and -1e-15 + 360 rounds to exactly 360 in double precision; the
    // result must wrap to 0 or it would format as a thirteenth sign.
    for (double x : {-1e-15, -1e-14, -4e-14, -std::numeric_limits<double>::denorm_min()}) {
        const double r = Norm360(x);
        EXPECT_GE(r, 0.0) << x;
        EXPECT_LT(r, 360.0) << x;
    }
    EXPECT_EQ(Norm360(std::nan("")), 0.0);
}

TEST(Norm360, StaysInRangeJustBelowWholeTurns) {
    for (int turns = 1; turns < 2000; ++turns) {
        const double x = std::nextafter(360.0 * turns, 0.0);
        const double r = Norm360(x);
        EXPECT_GE(r, 0.0) << x;
        EXPECT_LT(r, 360.0) << x;
    }
}

TEST(HoursFromHMM, ReadsMinutesAsTheTwoDecimals) {
    EXPECT_NEAR(HoursFromHMM(12.30), 12.5, 1e-12);
    EXPECT_NEAR(HoursFromHMM(5.45), 5.75, 1e-12);
    EXPECT_NEAR(HoursFromHMM(0.0), 0.0, 1e-12);
    EXPECT_NEAR(HoursFromHMM(71.05), 71 + 5.0 / 60, 1e-12);
}

TEST(DegreeTrigonometry, UsesTheProgramsOwnPi) {
    // The program's pi is 3.1415926535, not the full double: sin(180 degrees) is then not ~1e-16
    // but about 9e-11.
    EXPECT_NEAR(SinD(180), std::sin(3.1415926535), 1e-18);
    EXPECT_GT(std::fabs(SinD(180)), 1e-11);
    EXPECT_NEAR(CosD(60), 0.5, 1e-10);
    EXPECT_NEAR(TanD(45), 1.0, 1e-10);
    EXPECT_NEAR(RadToDeg(DegToRad(123.456)), 123.456, 1e-12);
    EXPECT_NEAR(ArcSinRad(0.5), 3.1415926535 / 6, 1e-10);
    EXPECT_NEAR(ArcCosRad(0.5), 3.1415926535 / 3, 1e-9);
}

TEST(RectToSpherical, PolarAxisGivesZeroLongitudeAndSignedLatitude) {
    EXPECT_EQ(RectToSpherical(0, 0, 2).lon, 0.0);
    EXPECT_EQ(RectToSpherical(0, 0, 2).lat, 90.0);
    EXPECT_EQ(RectToSpherical(0, 0, 0).lat, 0.0);
    EXPECT_EQ(RectToSpherical(0, 0, -3).lat, -90.0);
    EXPECT_DOUBLE_EQ(RectToSpherical(0, 0, -3).R, 3.0);
}

TEST(RectToSpherical, PlacesLongitudeInItsQuadrant) {
    // Degrees come from radians with the program's pi, so right angles are off by about 3e-9.
    EXPECT_NEAR(RectToSpherical(-1, 0, 0).lon, 180.0, 1e-9);
    EXPECT_NEAR(RectToSpherical(0, -1, 0).lon, 270.0, 1e-8);
    EXPECT_NEAR(RectToSpherical(0, 1, 0).lon, 90.0, 1e-8);
    EXPECT_NEAR(RectToSpherical(1, 0, 0).lon, 0.0, 1e-12);
    // Every direction round the circle agrees with atan2 (with the program's pi) and stays in range.
    for (int deg = 0; deg < 360; deg += 7) {
        const double a = deg + 0.25;
        const double x = std::cos(a * 3.1415926535 / 180);
        const double y = std::sin(a * 3.1415926535 / 180);
        const Spherical s = RectToSpherical(x, y, 0.3);
        EXPECT_NEAR(s.lon, a, 3e-8) << a;
        EXPECT_GE(s.lon, 0.0);
        EXPECT_LT(s.lon, 360.0);
        EXPECT_NEAR(s.lat, std::atan(0.3) * 180 / 3.1415926535, 1e-9);
        EXPECT_NEAR(s.rho, 1.0, 1e-12);
    }
}

TEST(SolveKepler, CircularOrbitReturnsTheMeanAnomaly) {
    for (double M : {0.0, 12.5, 181.0, 359.0, -40.0}) EXPECT_EQ(SolveKepler(M, 0.0), M);
}

TEST(SolveKepler, SatisfiesKeplersEquation) {
    for (double e : {0.0167, 0.0934, 0.2056, 0.245}) {
        for (double M = -30; M < 720; M += 37.3) {
            const double E = SolveKepler(M, e);
            const double eDeg = e * 180 / PiValue;
            EXPECT_NEAR(E - eDeg * SinD(E), M, 1e-6) << "M " << M << " e " << e;
        }
    }
}

// Inputs on which Newton's iteration never settles (an eccentricity of 1 or more, which the
// elements' polynomials reach far outside the supported years, a mean anomaly whose steps fall
// below the spacing of doubles, or no number at all) end after the bounded number of steps. Each
// case once turned for ever; the whole table must take well under a second.
TEST(SolveKepler, EndsForInputsThatNeverSettle) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, double> cases[] = {
        {1e12, 0.2056}, {3.7e9, 0.0934}, {-1e15, 0.0167}, {179.0, 1.0}, {90.0, 1.7}, {200.0, -3.0},
        {inf, 0.1}, {-inf, 0.1}, {nan, 0.1}, {45.0, nan},
    };
    const auto start = std::chrono::steady_clock::now();
    for (const auto& [M, e] : cases) {
        const double E = SolveKepler(M, e);
        if (std::isfinite(M) && e >= 0 && e < 1) {
            EXPECT_TRUE(std::isfinite(E)) << M << " " << e;
        }
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(TimeArguments, CenturiesFromTheTwoEpochs) {
    EXPECT_EQ((2415020.0 - JulianDay1900) / DaysPerCentury, 0.0);
    EXPECT_EQ((2451545.0 - JulianDay2000) / DaysPerCentury, 0.0);
    EXPECT_EQ((2451545.0 - JulianDay1900) / DaysPerCentury, 1.0);
}

TEST(Obliquity, PolynomialAndItsNegatedRadians) {
    EXPECT_DOUBLE_EQ(ObliquityDegrees(0), 23.4522944);
    EXPECT_NEAR(ObliquityDegrees(1), 23.4522944 - 0.0130125 - 0.000001639 + 0.000000503, 1e-12);
    EXPECT_NEAR(NegObliquityRadians(1), -ObliquityDegrees(1) * 3.1415926535 / 180, 1e-15);
}

TEST(EclipticToDeclination, RotatesByTheObliquity) {
    const double neg = NegObliquityRadians(1);
    const double eps = ObliquityDegrees(1);
    EXPECT_NEAR(EclipticToDeclination(90, 0, neg), eps, 1e-8);
    EXPECT_NEAR(EclipticToDeclination(270, 0, neg), -eps, 1e-8);
    EXPECT_NEAR(EclipticToDeclination(0, 0, neg), 0, 1e-8);
    EXPECT_NEAR(EclipticToDeclination(0, 5, neg), 5 * std::cos(eps * PiValue / 180), 0.01);
    // A point on the ecliptic: arcsin(sin eps * sin lambda).
    for (double lon = 0; lon < 360; lon += 23) {
        const double expected = std::asin(std::sin(eps * PiValue / 180) * std::sin(lon * PiValue / 180)) * 180 / PiValue;
        EXPECT_NEAR(EclipticToDeclination(lon, 0, neg), expected, 1e-8) << lon;
    }
}

TEST(PolarRoutines, ReplaceExactZerosAndKeepTheQuadrant) {
    const Rect r = PolarToRect(2, 0);
    EXPECT_GT(r.y, 0.0);  // the zero angle was replaced by a tiny positive one
    EXPECT_NEAR(r.x, 2, 1e-12);
    const Polar p = RectToPolar(-1, 0);
    EXPECT_NEAR(p.angle, PiValue, 1e-8);
    EXPECT_NEAR(RectToPolar(0.5, -0.5).angle, 2 * PiValue - PiValue / 4, 1e-9);
    EXPECT_NEAR(RectToPolar(-0.5, -0.5).angle, PiValue + PiValue / 4, 1e-9);
    EXPECT_NEAR(RectToPolar(3, 4).r, 5, 1e-12);
}

}  // namespace
}  // namespace orrerion
