// The houses of precise charts: fed the library's true obliquity and sidereal time, the program's
// own house routines give the ascendant, midheaven and cusps of the library's house routine for the
// same instant and place, to an arcsecond.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "core/chart/houses.h"
#include "core/ephemeris/precise_ephemeris.h"
#include "core/run/run_calculation.h"

#if ORRERION_HAVE_SWE
#include <swephexp.h>
#endif

namespace orrerion {
namespace {

#if ORRERION_HAVE_SWE

constexpr double ArcSecond = 1.0 / 3600;

// A moment and place as typed: 12-hour clock, zone in hours west (east negative), longitude west
// and latitude north unless flagged.
struct Moment {
    int year, month, day, hour, minute;
    bool pm;
    double zone;
    int longDeg, longMin;
    bool east;
    int latDeg, latMin;
    bool south;
};

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

InputFields Fields(const Moment& m, const char* name) {
    InputFields f;
    f.name = name;
    f.month = std::to_string(m.month);
    f.day = std::to_string(m.day);
    f.year = std::to_string(m.year);
    f.hour = std::to_string(m.hour);
    f.minute = std::to_string(m.minute);
    char zone[16];
    std::snprintf(zone, sizeof zone, "%g", m.zone);
    f.zone = zone;
    f.longDeg = std::to_string(m.longDeg);
    f.longMin = std::to_string(m.longMin);
    f.latDeg = std::to_string(m.latDeg);
    f.latMin = std::to_string(m.latMin);
    f.am = !m.pm;
    f.east = m.east;
    f.south = m.south;
    return f;
}

// The library's houses for the moment and place, worked out here from the typed values.
struct LibraryHouses {
    std::array<double, 13> cusps{};  // by house number, 1..12
    std::array<double, 10> ascmc{};  // ascendant, MC, ...
};
LibraryHouses HousesOf(const Moment& m, char system) {
    const double clock = (m.hour == 12 ? 0 : m.hour) + m.minute / 60.0 + (m.pm ? 12 : 0);
    const double jd = swe_julday(m.year, m.month, m.day, clock + m.zone, SE_GREG_CAL);
    const double longitudeEast = (m.longDeg + m.longMin / 60.0) * (m.east ? 1 : -1);
    const double latitude = (m.latDeg + m.latMin / 60.0) * (m.south ? -1 : 1);
    LibraryHouses h;
    swe_houses(jd, latitude, longitudeEast, system, h.cusps.data(), h.ascmc.data());
    return h;
}

double AngleDifference(double a, double b) {
    const double d = std::fabs(a - b);
    return std::min(d, 360 - d);
}

// Cusp slots hold the tenth house first.
std::size_t SlotOfHouse(int house) { return static_cast<std::size_t>(house <= 9 ? house + 3 : house - 9); }

// The program's Placidus cusps take exactly ten rounds of the semi-arc rule, as they always have;
// the library iterates until they settle. Ten rounds settle to well under an arcsecond below 60
// degrees of latitude; at 64 degrees they can still be minutes away, so there only the angles count.
bool IntermediateCuspsSettle(char system, const Moment& m) { return system != 'P' || m.latDeg < 60; }

void ExpectSameHouses(const PointArray& longitudes, const CuspArray& cusps, const LibraryHouses& want,
                      bool intermediateCusps, const char* which) {
    SCOPED_TRACE(which);
    EXPECT_LE(AngleDifference(longitudes[ASC], want.ascmc[0]), ArcSecond)
        << "ASC " << longitudes[ASC] << " vs " << want.ascmc[0];
    EXPECT_LE(AngleDifference(longitudes[MC], want.ascmc[1]), ArcSecond)
        << "MC " << longitudes[MC] << " vs " << want.ascmc[1];
    for (int house = 1; house <= 12 && intermediateCusps; ++house) {
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
        calc.houseMarks = HouseMarksForCode(c.houses);
        calc.eph.Source = EphemerisSource::Precise;
        CollectingReporter reporter;
        RunCalculationStart(calc);
        ASSERT_TRUE(ComputeCharts(calc, reporter))
            << (reporter.messages.empty() ? "" : reporter.messages.front().text);
        ExpectSameHouses(calc.chart.NatalLong, calc.chart.NatalCusp, HousesOf(c.natal, c.houses),
                         IntermediateCuspsSettle(c.houses, c.natal), "natal");
        ExpectSameHouses(calc.chart.TransitLong, calc.chart.TransitCusp, HousesOf(c.diurnal, c.houses),
                         IntermediateCuspsSettle(c.houses, c.diurnal), "transit");
    }
}

#endif

}  // namespace
}  // namespace orrerion
