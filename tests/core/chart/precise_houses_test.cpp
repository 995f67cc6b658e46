// The houses of precise charts: fed the library's true obliquity and sidereal time, the program's
// own house routines give the ascendant, midheaven and cusps of the library's house routine for the
// same instant and place, to an arcsecond.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/chart/houses.h"
#include "core/ephemeris/precise_ephemeris.h"
#include "core/ephemeris/time_angles.h"
#include "core/run/run_calculation.h"

#include "angles.h"
#include "field_builders.h"

#if ORRERION_HAVE_SWE
#include <swephexp.h>
#endif

namespace orrerion {
namespace {

#if ORRERION_HAVE_SWE

constexpr double ArcSecond = 1.0 / 3600;

// A moment and place as typed: 12-hour clock, zone in hours west (east negative), longitude west
// and latitude north unless flagged.
using Moment = testing::TypedMoment;

struct ChartCase {
    const char* name;
    char houses;
    Moment natal;
    Moment diurnal;
};

constexpr auto Cases = std::to_array<ChartCase>({
    {"London 1800", 'P', {1800, 3, 4, 6, 15, false, 0, 0, 7, false, 51, 30, false},
     {1830, 7, 1, 9, 0, true, 0, 0, 7, false, 51, 30, false}},
    {"Paris 1815", 'K', {1815, 6, 18, 11, 40, true, -1, 2, 20, true, 48, 51, false},
     {1850, 1, 1, 12, 0, true, -1, 2, 20, true, 48, 51, false}},
    {"Boston 1832", 'R', {1832, 12, 25, 3, 5, false, 5, 71, 4, false, 42, 22, false},
     {1900, 5, 5, 7, 30, true, 5, 71, 4, false, 42, 22, false}},
    {"Cape Town 1850", 'O', {1850, 6, 15, 10, 0, false, -1.5, 18, 25, true, 33, 55, true},
     {1851, 1, 1, 12, 0, true, -1.5, 18, 25, true, 33, 55, true}},
    {"Sydney 1868", 'P', {1868, 9, 9, 8, 45, true, -10, 151, 12, true, 33, 52, true},
     {1925, 2, 14, 6, 10, false, -10, 151, 12, true, 33, 52, true}},
    {"Chicago 1885", 'K', {1885, 1, 31, 11, 59, true, 6, 87, 38, false, 41, 53, false},
     {1940, 11, 11, 11, 11, false, 6, 87, 38, false, 41, 53, false}},
    {"Moscow 1899", 'R', {1899, 4, 1, 2, 20, false, -3, 37, 37, true, 55, 45, false},
     {1960, 8, 20, 4, 0, true, -3, 37, 37, true, 55, 45, false}},
    {"Lima 1912", 'O', {1912, 7, 28, 12, 30, true, 5, 77, 2, false, 12, 3, true},
     {1999, 12, 31, 11, 59, true, 5, 77, 2, false, 12, 3, true}},
    {"Reykjavik 1923", 'P', {1923, 2, 2, 5, 5, true, 1, 21, 56, false, 64, 8, false},
     {1980, 6, 21, 12, 0, true, 1, 21, 56, false, 64, 8, false}},
    {"Delhi 1947", 'K', {1947, 8, 15, 12, 0, false, -5.5, 77, 13, true, 28, 37, false},
     {2025, 3, 20, 9, 1, true, -5.5, 77, 13, true, 28, 37, false}},
    {"Tokyo 1950", 'R', {1950, 10, 10, 10, 10, false, -9, 139, 41, true, 35, 41, false},
     {2026, 12, 7, 12, 0, true, -9, 139, 41, true, 35, 41, false}},
    {"Quito 1961", 'O', {1961, 3, 21, 6, 0, false, 5, 78, 31, false, 0, 13, true},
     {2030, 9, 23, 6, 0, true, 5, 78, 31, false, 0, 13, true}},
    {"Nairobi 1969", 'P', {1969, 7, 20, 8, 17, true, -3, 36, 49, true, 1, 17, true},
     {2040, 1, 1, 1, 1, false, -3, 36, 49, true, 1, 17, true}},
    {"Anchorage 1977", 'K', {1977, 11, 30, 4, 44, true, 9, 149, 54, false, 61, 13, false},
     {2050, 6, 1, 10, 0, false, 9, 149, 54, false, 61, 13, false}},
    {"Buenos Aires 1986", 'R', {1986, 6, 22, 3, 0, true, 3, 58, 23, false, 34, 36, true},
     {2061, 7, 28, 8, 8, true, 3, 58, 23, false, 34, 36, true}},
    {"Honolulu 1994", 'O', {1994, 4, 15, 11, 30, false, 10, 157, 51, false, 21, 18, false},
     {2077, 10, 10, 10, 10, true, 10, 157, 51, false, 21, 18, false}},
    {"Auckland 2003", 'P', {2003, 12, 12, 12, 12, true, -12, 174, 46, true, 36, 51, true},
     {2088, 2, 29, 3, 33, false, -12, 174, 46, true, 36, 51, true}},
    {"Cairo 2018", 'K', {2018, 5, 5, 5, 55, false, -2, 31, 14, true, 30, 2, false},
     {2099, 12, 31, 11, 30, true, -2, 31, 14, true, 30, 2, false}},
    {"Stockholm 2042", 'R', {2042, 8, 8, 7, 7, true, -1, 18, 4, true, 59, 20, false},
     {2095, 1, 15, 2, 45, false, -1, 18, 4, true, 59, 20, false}},
    {"Singapore 2099", 'O', {2099, 1, 1, 12, 1, false, -8, 103, 50, true, 1, 17, false},
     {2099, 6, 30, 12, 0, true, -8, 103, 50, true, 1, 17, false}},
});
static_assert(Cases.size() == 20);

InputFields Fields(const Moment& m, const char* name) { return testing::FieldsOf(m, name); }

// The library's letter for each of the program's house systems. The library's 'M' is Morinus
// (the equator's twelfths carried to the ecliptic along circles of celestial latitude); the
// program's Meridian houses are the ecliptic points of right ascension RAMC + 30n, carried along
// hour circles, which is the library's 'X' (meridian or axial rotation houses).
char LibraryLetter(char system) { return HouseSystemByCode(std::string(1, system))->referenceLetter; }

// The library's houses for the moment and place, worked out here from the typed values.
struct LibraryHouses {
    std::array<double, 13> cusps{};  // by house number, 1..12
    std::array<double, 10> ascmc{};  // ascendant, MC, ...
    std::string source;              // the library call that gave them
};
// Cusps from swe_houses with the system's letter. The angles come from its Porphyry call, which
// keeps the MC at the upper meridian: beyond the polar circle its Regiomontanus call reports the
// lower one as MC while the houses run from there (the program's chart keeps the upper MC).
// The clock time, zone, longitude and latitude go to the library as the program keeps what was
// typed: H.MM and D.MM numbers in single precision. A longitude of 147.40 so kept is 0.04" west of
// 147 degrees 40 minutes, which Koch cusps near 66 degrees of latitude magnify to seconds.
double Stored(double value) { return static_cast<float>(value); }
double FromStoredHMM(int whole, int minutes) {
    const double stored = Stored(whole + minutes / 100.0);
    const double w = std::floor(stored);
    return w + (stored - w) * 100 / 60;
}
LibraryHouses HousesOf(const Moment& m, char system) {
    const double clock = FromStoredHMM(m.hour == 12 ? 0 : m.hour, m.minute) + (m.pm ? 12 : 0);
    const double jd = swe_julday(m.year, m.month, m.day, clock + Stored(m.zone), SE_GREG_CAL);
    const double longitudeEast = FromStoredHMM(m.longDeg, m.longMin) * (m.east ? 1 : -1);
    const double latitude = FromStoredHMM(m.latDeg, m.latMin) * (m.south ? -1 : 1);
    LibraryHouses h;
    std::array<double, 13> porphyryCusps{};
    swe_houses(jd, latitude, longitudeEast, LibraryLetter(system), h.cusps.data(), h.ascmc.data());
    swe_houses(jd, latitude, longitudeEast, 'O', porphyryCusps.data(), h.ascmc.data());
    char text[160];
    std::snprintf(text, sizeof text, "swe_houses(jd_ut %.6f, lat %.6f, lon %.6f, '%c'), angles of 'O'",
                  jd, latitude, longitudeEast, LibraryLetter(system));
    h.source = text;
    return h;
}

using testing::AngleDifference;

// Cusp slots hold the tenth house first.
std::size_t SlotOfHouse(int house) { return static_cast<std::size_t>(house <= 9 ? house + 3 : house - 9); }

void ExpectSameHouses(const PointArray& longitudes, const CuspArray& cusps, const LibraryHouses& want,
                      const char* which) {
    SCOPED_TRACE(std::string(which) + ": expected from " + want.source);
    EXPECT_LE(AngleDifference(longitudes[ASC], want.ascmc[0]), ArcSecond)
        << "ASC " << longitudes[ASC] << " vs " << want.ascmc[0];
    EXPECT_LE(AngleDifference(longitudes[MC], want.ascmc[1]), ArcSecond)
        << "MC " << longitudes[MC] << " vs " << want.ascmc[1];
    for (int house = 1; house <= 12; ++house) {
        const double cusp = cusps[SlotOfHouse(house)];
        EXPECT_LE(AngleDifference(cusp, want.cusps[static_cast<std::size_t>(house)]), ArcSecond)
            << "cusp " << house << " " << cusp << " vs " << want.cusps[static_cast<std::size_t>(house)];
    }
}

TEST(PreciseHouses, AnglesAndCuspsAgreeWithTheLibrarysHouseRoutine) {
    ASSERT_TRUE(CheckPreciseEphemeris().available) << CheckPreciseEphemeris().reason;
    for (const ChartCase& c : Cases) {
        SCOPED_TRACE(std::string(c.name) + " houses " + c.houses);
        Calculation calc;
        calc.natal = Fields(c.natal, c.name);
        calc.diurnal = Fields(c.diurnal, "");
        calc.houseSystem = ComputedHouseSystemByCode(std::string(1, c.houses)).value();
        calc.eph.Source = EphemerisSource::Precise;
        CollectingReporter reporter;
        RunCalculationStart(calc);
        ASSERT_TRUE(ComputeCharts(calc, reporter))
            << (reporter.messages.empty() ? "" : reporter.messages.front().text);
        ExpectSameHouses(calc.chart.NatalLong, calc.chart.NatalCusp, HousesOf(c.natal, c.houses), "natal");
        ExpectSameHouses(calc.chart.TransitLong, calc.chart.TransitCusp, HousesOf(c.diurnal, c.houses),
                         "transit");
    }
}

// The latitudes the program computes each system at, as typed (degrees, minutes): Placidus and
// Koch up to 66 degrees 00 minutes, Regiomontanus and Porphyry up to 89 degrees 59 minutes, the
// last of them beyond the polar circle, Meridian anywhere.
struct Latitude {
    int degrees, minutes;
};
constexpr auto QuadrantLatitudes = std::to_array<Latitude>({
    {0, 0}, {5, 30}, {12, 3}, {23, 26}, {33, 55}, {41, 53}, {48, 51}, {55, 45}, {59, 20},
    {61, 13}, {63, 0}, {64, 8}, {65, 0}, {65, 30}, {65, 45}, {66, 0},
});
constexpr auto PolarLatitudes = std::to_array<Latitude>({{66, 40}, {69, 39}, {74, 0}, {78, 13}, {89, 59}});

// Moments across the years of the data files, with places spread in longitude so that the RAMCs
// of a moment's natal and transit charts differ.
struct Sample {
    Moment natal;
    Moment diurnal;
};
constexpr auto Moments = std::to_array<Sample>({
    {{1805, 2, 11, 4, 20, false, 0, 0, 5, false, 0, 0, false},
     {1848, 9, 30, 7, 45, true, 0, 93, 10, false, 0, 0, false}},
    {{1911, 7, 1, 11, 59, true, 1, 20, 0, false, 0, 0, false},
     {1969, 7, 20, 8, 17, true, 5, 147, 40, true, 0, 0, false}},
    {{2000, 1, 1, 12, 0, true, 0, 0, 0, false, 0, 0, false},
     {2026, 12, 7, 12, 0, true, 5, 74, 0, false, 0, 0, false}},
    {{2031, 3, 20, 3, 3, false, -9, 139, 41, true, 0, 0, false},
     {2099, 12, 31, 11, 30, true, 3, 58, 23, false, 0, 0, false}},
});

Moment At(Moment m, Latitude latitude, bool south) {
    m.latDeg = latitude.degrees;
    m.latMin = latitude.minutes;
    m.south = south;
    return m;
}

// The largest difference of any cusp or angle from the library seen by a test, printed at its end.
struct Largest {
    double degrees = 0;
    std::string where;
    void Note(double d, const std::string& what) {
        if (d > degrees) {
            degrees = d;
            where = what;
        }
    }
};

void Compare(const PointArray& longitudes, const CuspArray& cusps, const LibraryHouses& want,
             const std::string& which, Largest& largest) {
    SCOPED_TRACE(which + ": expected from " + want.source);
    const double asc = AngleDifference(longitudes[ASC], want.ascmc[0]);
    const double mc = AngleDifference(longitudes[MC], want.ascmc[1]);
    EXPECT_LE(asc, ArcSecond) << "ASC " << longitudes[ASC] << " vs " << want.ascmc[0];
    EXPECT_LE(mc, ArcSecond) << "MC " << longitudes[MC] << " vs " << want.ascmc[1];
    largest.Note(std::max(asc, mc), which + " angles");
    for (int house = 1; house <= 12; ++house) {
        const double expected = want.cusps[static_cast<std::size_t>(house)];
        const double d = AngleDifference(cusps[SlotOfHouse(house)], expected);
        EXPECT_LE(d, ArcSecond) << "cusp " << house << " " << cusps[SlotOfHouse(house)] << " vs " << expected;
        largest.Note(d, which + " cusp " + std::to_string(house));
    }
}

TEST(PreciseHouses, EverySystemAgreesWithTheLibraryAtEveryLatitudeItIsComputedFor) {
    ASSERT_TRUE(CheckPreciseEphemeris().available) << CheckPreciseEphemeris().reason;
    Largest quadrant, polar;
    int charts = 0;
    for (const char system : {'P', 'K', 'R', 'O', 'M'}) {
        std::vector<Latitude> latitudes(QuadrantLatitudes.begin(), QuadrantLatitudes.end());
        if (system != 'P' && system != 'K') latitudes.insert(latitudes.end(), PolarLatitudes.begin(), PolarLatitudes.end());
        for (const Latitude& latitude : latitudes) {
            for (const Sample& sample : Moments) {
                // The natal chart north of the equator, the transit chart as far south.
                const Moment natal = At(sample.natal, latitude, false);
                const Moment diurnal = At(sample.diurnal, latitude, true);
                char name[64];
                std::snprintf(name, sizeof name, "%c at %d.%02d, %d and %d", system, latitude.degrees,
                              latitude.minutes, natal.year, diurnal.year);
                Calculation calc;
                calc.natal = Fields(natal, "Sample");
                calc.diurnal = Fields(diurnal, "");
                calc.houseSystem = ComputedHouseSystemByCode(std::string(1, system)).value();
                calc.eph.Source = EphemerisSource::Precise;
                CollectingReporter reporter;
                RunCalculationStart(calc);
                ASSERT_TRUE(ComputeCharts(calc, reporter))
                    << name << ": " << (reporter.messages.empty() ? "" : reporter.messages.front().text);
                Largest& largest = latitude.degrees < 66 || (latitude.degrees == 66 && latitude.minutes == 0)
                                       ? quadrant
                                       : polar;
                Compare(calc.chart.NatalLong, calc.chart.NatalCusp, HousesOf(natal, system),
                        std::string(name) + " natal N", largest);
                Compare(calc.chart.TransitLong, calc.chart.TransitCusp, HousesOf(diurnal, system),
                        std::string(name) + " transit S", largest);
                ++charts;
            }
        }
    }
    std::printf("%d charts; largest difference from the library, latitudes 0-66: %.4f arcsec (%s)\n",
                charts, quadrant.degrees * 3600, quadrant.where.c_str());
    std::printf("largest difference from the library, latitudes 66.40-89.59: %.4f arcsec (%s)\n",
                polar.degrees * 3600, polar.where.c_str());
}

// The cusp rules themselves, fed the library's own RAMC and obliquity, over a close grid of RAMC
// and latitude: the Placidus rounds settle to the library's cusps right up to 66 degrees.
TEST(PreciseHouses, CuspRulesAgreeWithTheLibraryOverRAMCAndLatitude) {
    ASSERT_TRUE(CheckPreciseEphemeris().available) << CheckPreciseEphemeris().reason;
    // True obliquities of 1800, 2000 and 2099 January 1, from the library.
    const double obliquities[] = {PreciseTrueObliquity(2378496.5), PreciseTrueObliquity(2451544.5),
                                  PreciseTrueObliquity(2487704.5)};
    Largest quadrant, polar;
    for (const char system : {'P', 'K', 'R', 'O', 'M'}) {
        const double highest = system == 'P' || system == 'K' ? 66.0 : 89.9;
        for (const double eps : obliquities) {
            for (double latitude = -highest; latitude <= highest + 1e-9; latitude += highest / 88) {
                for (double ramc = 0.25; ramc < 360; ramc += 2.5) {
                    HouseAngles a;
                    a.RAMCDeg = ramc;
                    a.RAMCRad = DegToRad(ramc);
                    a.ObliquityDeg = eps;
                    a.LatitudeDeg = latitude;
                    a.MC = MidheavenFromRAMC(ramc, eps);
                    a.ASC = AscendantFromRAMC(ramc, eps, latitude);
                    a.Source = EphemerisSource::Precise;
                    CuspArray cusps{};
                    ComputeCusps(a, std::string(1, system), cusps);
                    PointArray angles{};
                    angles[ASC] = a.ASC;
                    angles[MC] = a.MC;
                    LibraryHouses want;
                    std::array<double, 13> porphyryCusps{};
                    swe_houses_armc(ramc, latitude, eps, LibraryLetter(system), want.cusps.data(), want.ascmc.data());
                    swe_houses_armc(ramc, latitude, eps, 'O', porphyryCusps.data(), want.ascmc.data());
                    char text[128];
                    std::snprintf(text, sizeof text, "swe_houses_armc(%.2f, %.4f, %.6f, '%c'), angles of 'O'",
                                  ramc, latitude, eps, LibraryLetter(system));
                    want.source = text;
                    Largest& largest = std::fabs(latitude) <= 66.0 ? quadrant : polar;
                    Compare(angles, cusps, want, std::string(1, system), largest);
                    if (HasFailure()) return;
                }
            }
        }
    }
    std::printf("largest difference from the library, latitudes 0-66: %.4f arcsec (%s)\n",
                quadrant.degrees * 3600, quadrant.where.c_str());
    std::printf("largest difference from the library, latitudes 66-89.9: %.4f arcsec (%s)\n",
                polar.degrees * 3600, polar.where.c_str());
}

#endif


}  // namespace
}  // namespace orrerion
