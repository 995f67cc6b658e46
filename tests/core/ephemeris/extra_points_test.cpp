// The extra points of the ephemeris floor: the built-in mean node and mean Lilith against the
// library's SE_MEAN_NODE and SE_MEAN_APOG called directly, and the reasons given where a point
// cannot be computed.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "core/ephemeris/extra_points.h"
#include "core/ephemeris/precise_ephemeris.h"
#include "core/ephemeris/time_angles.h"
#include "test_paths.h"

#if ORRERION_HAVE_SWE
#include <swephexp.h>
#endif

namespace orrerion {
namespace {

double AngleDifference(double a, double b) {
    const double d = std::fabs(a - b);
    return std::min(d, 360 - d);
}

TEST(ExtraPoints, TheBuiltInSeriesRefusesWhatOnlyTheLibraryComputes) {
    struct Case {
        ExtraPoint point;
        bool builtin;  // computed by the built-in series
    };
    constexpr auto Cases = std::to_array<Case>({
        {ExtraPoint::MeanNode, true}, {ExtraPoint::MeanSouthNode, true}, {ExtraPoint::TrueNode, false},
        {ExtraPoint::TrueSouthNode, false}, {ExtraPoint::Lilith, true}, {ExtraPoint::Chiron, false},
        {ExtraPoint::Ceres, false}, {ExtraPoint::Pallas, false}, {ExtraPoint::Juno, false},
        {ExtraPoint::Vesta, false}, {ExtraPoint::Fortune, true},
    });
    static_assert(Cases.size() == ExtraPointCount);
    for (const Case& c : Cases) {
        const std::string name(RowOf(c.point).name);
        const auto why = ExtraPointUnavailable(EphemerisSource::Builtin, c.point);
        EXPECT_EQ(!why.has_value(), c.builtin) << name;
        if (why) {
            EXPECT_NE(why->find("only with precise positions"), std::string::npos) << *why;
        }
    }
}

#if ORRERION_HAVE_SWE

constexpr double ArcSecond = 1.0 / 3600;

// The built-in polynomials against the library over the years of the built-in series and beyond
// (every 97.3 days, so that the lunar and annual periods are sampled at all phases). The library's
// positions are apparent (nutation included) and in terrestrial time; the built-in series is mean,
// in universal time, so the two differ by the nutation in longitude (up to 17") and the motion
// during delta T: within 25" whole, and within 1" (3" from 1800 to 2399) less the nutation. The
// built-in series' own accuracy is about an arcminute.
TEST(ExtraPoints, BuiltInMeanNodeAndLilithAgreeWithTheLibrary) {
    ASSERT_TRUE(CheckPreciseEphemeris().available) << CheckPreciseEphemeris().reason;
    struct Span {
        const char* years;
        double firstJD, endJD;
        double tolerance;      // degrees
        double meanTolerance;  // degrees, the longitude less the nutation
    };
    constexpr auto Spans = std::to_array<Span>({
        {"1885-2099 (the built-in series' years)", BuiltinFirstJD, BuiltinEndJD, 25 * ArcSecond, 1 * ArcSecond},
        {"1800-2399 (the library's data files)", 2378496.5, 2597641.5, 25 * ArcSecond, 3 * ArcSecond},
    });
    struct Point {
        ExtraPoint point;
        int library;
        const char* source;
    };
    constexpr auto Points = std::to_array<Point>({
        {ExtraPoint::MeanNode, SE_MEAN_NODE, "swe_calc_ut SE_MEAN_NODE"},
        {ExtraPoint::Lilith, SE_MEAN_APOG, "swe_calc_ut SE_MEAN_APOG"},
    });
    for (const Span& span : Spans) {
        for (const Point& p : Points) {
            double largestLon = 0, largestLat = 0, largestDecl = 0, atJD = 0, largestMean = 0;
            for (double jd = span.firstJD; jd < span.endJD; jd += 97.3) {
                std::array<double, 6> ecliptic{};
                std::array<double, 6> nutation{};
                char error[AS_MAXCH] = "";
                ASSERT_GE(swe_calc_ut(jd, p.library, SEFLG_SWIEPH | SEFLG_SPEED, ecliptic.data(), error), 0) << error;
                ASSERT_GE(swe_calc_ut(jd, SE_ECL_NUT, SEFLG_SWIEPH, nutation.data(), error), 0) << error;
                const double obliquity = ObliquityDegrees((jd - JulianDay1900) / DaysPerCentury);
                const PointOutcome got = ExtraPointAt(EphemerisSource::Builtin, p.point, jd, obliquity);
                ASSERT_TRUE(got.ok) << got.reason;
                const double lon = AngleDifference(got.position.lon, ecliptic[0]);
                if (lon > largestLon) {
                    largestLon = lon;
                    atJD = jd;
                }
                // Less the nutation in longitude, what is left is the motion during delta T and
                // the polynomials' own differences.
                largestMean = std::max(largestMean, AngleDifference(got.position.lon, ecliptic[0] - nutation[2]));
                largestLat = std::max(largestLat, std::fabs(got.position.lat - ecliptic[1]));
                // The declination of the library's own longitude and latitude with the built-in
                // obliquity differs from the built-in one only by the positions.
                const double wantDecl =
                    EclipticToDeclination(ecliptic[0], ecliptic[1], -DegToRad(obliquity));
                largestDecl = std::max(largestDecl, std::fabs(got.position.decl - wantDecl));
                EXPECT_EQ(got.position.speed < 0, ecliptic[3] < 0) << "JD " << jd;
            }
            std::printf("%s, %s: largest difference from %s: longitude %.2f\" (JD %.1f), latitude %.2f\", "
                        "declination %.2f\"; longitude less the nutation %.2f\"\n",
                        span.years, std::string(RowOf(p.point).name).c_str(), p.source, largestLon / ArcSecond,
                        atJD, largestLat / ArcSecond, largestDecl / ArcSecond, largestMean / ArcSecond);
            EXPECT_LE(largestLon, span.tolerance) << span.years << " " << p.source;
            EXPECT_LE(largestMean, span.meanTolerance) << span.years << " " << p.source;
            EXPECT_LE(largestLat, span.tolerance) << span.years << " " << p.source;
            EXPECT_LE(largestDecl, span.tolerance) << span.years << " " << p.source;
        }
    }
}

// The library's state is per thread: a thread pointed at a folder without seas_18.se1 has the
// Sun, planets and Moon but not Chiron or the asteroids, and says why in the library's words.
TEST(ExtraPoints, WithoutTheAsteroidFileChironAndTheAsteroidsAreUnavailable) {
    const std::filesystem::path shipped = "/usr/share/libswe/ephe";
    ASSERT_TRUE(std::filesystem::exists(shipped / "seas_18.se1")) << "swe-basic-data is not installed";
    const std::filesystem::path folder = testing::MakeTempDir();
    for (const char* file : {"sepl_18.se1", "semo_18.se1"}) {
        std::filesystem::create_symlink(shipped / file, folder / file);
    }
    struct Case {
        ExtraPoint point;
        bool available;
    };
    constexpr auto Cases = std::to_array<Case>({
        {ExtraPoint::MeanNode, true}, {ExtraPoint::TrueNode, true}, {ExtraPoint::Lilith, true},
        {ExtraPoint::Chiron, false}, {ExtraPoint::Ceres, false}, {ExtraPoint::Pallas, false},
        {ExtraPoint::Juno, false}, {ExtraPoint::Vesta, false},
    });
    ASSERT_EQ(setenv(PreciseDataFolderVariable, folder.c_str(), 1), 0);
    std::array<std::optional<std::string>, Cases.size()> without{};
    std::array<std::optional<std::string>, Cases.size()> with{};
    bool mainFiles = false;
    std::thread([&] {
        mainFiles = CheckPreciseEphemeris().available;
        for (std::size_t i = 0; i < Cases.size(); ++i) without[i] = ExtraPointUnavailable(EphemerisSource::Precise, Cases[i].point);
    }).join();
    ASSERT_EQ(setenv(PreciseDataFolderVariable, shipped.c_str(), 1), 0);
    std::thread([&] {
        for (std::size_t i = 0; i < Cases.size(); ++i) with[i] = ExtraPointUnavailable(EphemerisSource::Precise, Cases[i].point);
    }).join();
    unsetenv(PreciseDataFolderVariable);
    EXPECT_TRUE(mainFiles);
    for (std::size_t i = 0; i < Cases.size(); ++i) {
        const std::string name(RowOf(Cases[i].point).name);
        EXPECT_FALSE(with[i].has_value()) << name << ": " << with[i].value_or("");
        EXPECT_EQ(!without[i].has_value(), Cases[i].available) << name << ": " << without[i].value_or("");
        if (without[i]) {
            EXPECT_EQ(without[i]->rfind(name + ": ", 0), 0u) << *without[i];
            EXPECT_NE(without[i]->find("seas_18.se1"), std::string::npos) << *without[i];
        }
    }
}

#endif

}  // namespace
}  // namespace orrerion
