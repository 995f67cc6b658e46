// Returns against the Swiss Ephemeris called from the test: the moments a body comes back to its
// natal longitude, each within one second of the library's own crossing (its solar and lunar
// crossing routines, and for the planets a search of the test's own over the library's positions,
// every pass of a retrograde loop included), precession-corrected returns against the library's
// precession, and the return charts' angles and cusps against its house routine.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/aspects/returns.h"
#include "core/chart/houses.h"
#include "core/ephemeris/precise_ephemeris.h"
#include "core/records/name_record.h"
#include "core/records/options_file.h"
#include "core/run/run_calculation.h"
#include "test_paths.h"

#if ORRERION_HAVE_SWE
#include <swephexp.h>
#endif

namespace orrerion {
namespace {

#if ORRERION_HAVE_SWE

constexpr double Second = 1.0 / 86400;  // days
constexpr double ArcSecond = 1.0 / 3600;

// Births as names-file records (zone hours west, longitude D.MM west, latitude D.MM north; negative
// for east and south), with a diurnal record giving the place returns are cast at.
struct Birth {
    const char* natal;
    const char* diurnal;
    char houses;
};
constexpr Birth NewYork{"John Smith,13 Jan 1950,8.30,A,5,074.00,40.43", ",07 Dec 2026,12.00,P,5,074.00,40.43", 'P'};
constexpr Birth London{"Olga,29 Feb 1964,12.00,P,0,000.07,51.30", ",29 Feb 2028,12.00,A,0,000.07,51.30", 'O'};
constexpr Birth SaoPaulo{"Ana Souza,05 Mar 1985,11.45,P,3,046.38,-23.33", ",01 Jan 2027,9.00,A,3,046.38,-23.33", 'K'};
constexpr Birth Tokyo{"Ken,10 Oct 1950,10.10,A,-9,-139.41,35.41", ",01 Jun 2030,6.00,P,-9,-139.41,35.41", 'R'};
constexpr Birth Tromso{"Siri,21 Jun 1990,11.50,P,-1,-018.57,69.39", ",21 Jun 2030,10.00,A,-1,-018.57,69.39", 'R'};
constexpr Birth Wellington{"Tane,01 Jan 2001,0.05,A,-13,-174.47,-41.17", ",15 Aug 2031,3.00,P,-12,-174.47,-41.17", 'M'};

Calculation Charted(const Birth& birth, EphemerisSource source) {
    Calculation calc;
    calc.houseSystem = ComputedHouseSystemByCode(std::string(1, birth.houses)).value();
    calc.eph.Source = source;
    EXPECT_TRUE(LoadOptions(testing::DataDir() / "OPTIONS.OPT", calc.options).empty());  // the shipped orbs
    const NameRecord natal = *NameRecordFromLine(birth.natal);
    LoadNameRecord(natal, 0, InputSection::Natal, calc.natal);
    calc.natal.name = natal.Name;
    LoadNameRecord(*NameRecordFromLine(birth.diurnal), 0, InputSection::Diurnal, calc.diurnal);
    CollectingReporter reporter;
    RunCalculationStart(calc);
    EXPECT_TRUE(ComputeCharts(calc, reporter)) << birth.natal;
    return calc;
}

// 0h UT of a date, from the library's own calendar routine.
double Midnight(int year, int month, int day) { return swe_julday(year, month, day, 0.0, SE_GREG_CAL); }

double Signed180(double x) { return std::remainder(x, 360.0); }

int LibraryBody(int body) {
    constexpr auto Numbers = std::to_array<int>({SE_SUN, SE_MERCURY, SE_VENUS, SE_MARS, SE_JUPITER, SE_SATURN,
                                                 SE_URANUS, SE_NEPTUNE, SE_PLUTO, SE_MOON});
    return Numbers[static_cast<std::size_t>(body - 1)];
}

std::array<double, 6> Library(double jd, int body, int flags = SEFLG_SWIEPH | SEFLG_SPEED) {
    std::array<double, 6> x{};
    char error[AS_MAXCH] = "";
    swe_calc_ut(jd, LibraryBody(body), flags, x.data(), error);
    return x;
}

const char* Named(int body) {
    constexpr auto Names = std::to_array<const char*>(
        {"Sun", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto", "Moon"});
    return Names[static_cast<std::size_t>(body - 1)];
}

struct LibraryCrossing {
    double jd;
    bool retrograde;
};

// The test's own search over the library's positions: the distance from `target` sampled every
// tenth of a day (every half day for Jupiter and beyond, whose passes beside a station lie days
// apart), each change of sign near zero bisected to a millisecond; retrograde when the library's
// speed is negative there.
std::vector<LibraryCrossing> SearchLibrary(int body, double from, double to,
                                           const std::function<double(double)>& target) {
    const auto distance = [&](double jd) { return Signed180(Library(jd, body, SEFLG_SWIEPH)[0] - target(jd)); };
    std::vector<LibraryCrossing> found;
    const double Step = body == SUN || (body >= JUPITER && body <= PLUTO) ? 0.5 : 0.1;
    double before = distance(from);
    for (double t = from; t < to; t += Step) {
        const double next = std::min(t + Step, to);
        const double after = distance(next);
        if (((before < 0 && after >= 0) || (before > 0 && after <= 0)) && std::fabs(before - after) < 90) {
            double low = t, high = next;
            const bool lowNegative = before < 0;
            while (high - low > 1e-8) {
                const double middle = (low + high) / 2;
                (distance(middle) < 0) == lowNegative ? low = middle : high = middle;
            }
            const double jd = (low + high) / 2;
            found.push_back({jd, Library(jd, body)[3] < 0});
        }
        before = after;
    }
    return found;
}

// The largest difference seen by a test, printed at its end.
struct Largest {
    double value = 0;
    std::string where;
    void Note(double v, const std::string& what) {
        if (v > value) {
            value = v;
            where = what;
        }
    }
};

void ExpectSameMoments(const std::vector<ReturnMoment>& found, const std::vector<LibraryCrossing>& expected,
                       const std::string& what, Largest& largest) {
    ASSERT_EQ(found.size(), expected.size()) << what;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const double d = std::fabs(found[i].jd - expected[i].jd);
        EXPECT_LE(d, Second) << what << " return " << i << ": expected " << expected[i].jd << ", found "
                             << found[i].jd << ", " << d / Second << " s apart";
        EXPECT_EQ(found[i].retrograde, expected[i].retrograde) << what << " return " << i;
        largest.Note(d / Second, what + " return " + std::to_string(i));
    }
}

// ---- Solar and lunar returns ------------------------------------------------------------------

struct LuminaryCase {
    const Birth* birth;
    int body;  // SUN or MOON
    int year, month, day;  // the span starts at 0h UT
    int days;
};
constexpr auto LuminaryCases = std::to_array<LuminaryCase>({
    {&NewYork, SUN, 1950, 2, 1, 40 * 365 + 10},
    {&SaoPaulo, SUN, 1990, 1, 1, 60 * 365 + 15},
    {&Wellington, SUN, 2001, 1, 2, 30 * 365 + 7},
    {&London, MOON, 2000, 1, 1, 20 * 365 + 5},
    {&NewYork, MOON, 1960, 1, 1, 25 * 365 + 6},
});
static_assert(LuminaryCases.size() == 5);

TEST(Returns, SolarAndLunarReturnsOverDecadesAreWithinASecondOfTheLibrarysCrossings) {
    ASSERT_TRUE(CheckPreciseEphemeris().available) << CheckPreciseEphemeris().reason;
    Largest largest;
    int count = 0;
    for (const LuminaryCase& c : LuminaryCases) {
        const Calculation calc = Charted(*c.birth, EphemerisSource::Precise);
        ReturnSearch search;
        search.body = c.body;
        search.fromJD = Midnight(c.year, c.month, c.day);
        search.days = c.days;
        const std::vector<ReturnMoment> found = FindReturns(calc.chart, EphemerisSource::Precise, search);

        // Expected: swe_solcross_ut / swe_mooncross_ut to the library's longitude at the natal moment.
        const double natal = Library(calc.chart.NatalJD, c.body)[0];
        std::vector<LibraryCrossing> expected;
        char error[AS_MAXCH] = "";
        for (double t = search.fromJD;;) {
            const double jd = c.body == SUN ? swe_solcross_ut(natal, t, SEFLG_SWIEPH, error)
                                            : swe_mooncross_ut(natal, t, SEFLG_SWIEPH, error);
            ASSERT_GT(jd, t) << error;
            if (jd >= search.fromJD + search.days) break;
            expected.push_back({jd, false});
            t = jd + 1;
        }
        const std::string what = std::string(Named(c.body)) + " of " + c.birth->natal + " from swe_" +
                                 (c.body == SUN ? "solcross_ut" : "mooncross_ut");
        ExpectSameMoments(found, expected, what, largest);
        count += static_cast<int>(found.size());
        // Each moment's longitude is the body's then.
        for (const ReturnMoment& m : found) {
            EXPECT_LE(std::fabs(Signed180(m.longitude - Library(m.jd, c.body)[0])), 0.001 * ArcSecond);
        }
    }
    std::printf("%d solar and lunar returns; largest difference from the library: %.4f s (%s)\n", count,
                largest.value, largest.where.c_str());
}

// ---- Planetary returns and retrograde loops ---------------------------------------------------

struct PlanetCase {
    const Birth* birth;
    int body;
    int year, month, day;
    int days;
    int retrogradePasses;  // at least this many of the returns are retrograde
};
constexpr auto PlanetCases = std::to_array<PlanetCase>({
    {&London, MERCURY, 1964, 3, 1, 20 * 365, 2},
    {&London, VENUS, 1964, 3, 1, 60 * 365, 2},
    {&NewYork, MARS, 1950, 1, 14, 60 * 365, 2},
    {&NewYork, JUPITER, 1950, 1, 14, 60 * 365, 2},
    {&NewYork, SATURN, 1950, 1, 14, 60 * 365, 1},
    {&SaoPaulo, URANUS, 1985, 3, 6, 60 * 365, 1},
    {&NewYork, NEPTUNE, 1950, 1, 14, 60 * 365, 2},
    {&NewYork, PLUTO, 1950, 1, 14, 60 * 365, 1},
});
static_assert(PlanetCases.size() == 8);

TEST(Returns, PlanetaryReturnsListEveryPassOfARetrogradeLoopAsTheLibrarysPositionsCrossIt) {
    ASSERT_TRUE(CheckPreciseEphemeris().available) << CheckPreciseEphemeris().reason;
    Largest largest;
    for (const PlanetCase& c : PlanetCases) {
        const Calculation calc = Charted(*c.birth, EphemerisSource::Precise);
        ReturnSearch search;
        search.body = c.body;
        search.fromJD = Midnight(c.year, c.month, c.day);
        search.days = c.days;
        const std::vector<ReturnMoment> found = FindReturns(calc.chart, EphemerisSource::Precise, search);
        const double natal = Library(calc.chart.NatalJD, c.body)[0];
        const std::vector<LibraryCrossing> expected =
            SearchLibrary(c.body, search.fromJD, search.fromJD + search.days, [&](double) { return natal; });
        const std::string what = std::string(Named(c.body)) + " of " + c.birth->natal +
                                 " from a search of swe_calc_ut, retrograde by its speed";
        ExpectSameMoments(found, expected, what, largest);
        EXPECT_GE(std::count_if(expected.begin(), expected.end(), [](const LibraryCrossing& e) { return e.retrograde; }),
                  c.retrogradePasses)
            << what << ": the case has its retrograde passes";
    }
    std::printf("largest difference from the library: %.4f s (%s)\n", largest.value, largest.where.c_str());
}

// A natal longitude a hair short of a station's: the two passes either side of the station lie
// 0.6 day apart, inside one daily sample of the search.
struct StationCase {
    int body;
    int year, month, day;  // the library's first station after 0h UT of this date
};
constexpr auto StationCases = std::to_array<StationCase>({
    {MERCURY, 2029, 1, 1}, {VENUS, 2028, 1, 1}, {MARS, 2027, 1, 1}, {JUPITER, 2026, 1, 1}, {SATURN, 2026, 1, 1},
});
static_assert(StationCases.size() == 5);

TEST(Returns, BothPassesBesideAStationAreFoundWhenTheyFallWithinOneDay) {
    ASSERT_TRUE(CheckPreciseEphemeris().available) << CheckPreciseEphemeris().reason;
    const Calculation calc = Charted(NewYork, EphemerisSource::Precise);
    Largest largest;
    for (const StationCase& c : StationCases) {
        // The station: where the library's speed changes sign, bisected.
        double low = Midnight(c.year, c.month, c.day);
        const bool forward = Library(low, c.body)[3] > 0;
        double high = low;
        while ((Library(high, c.body)[3] > 0) == forward) high += 1;
        while (high - low > 1e-8) {
            const double middle = (low + high) / 2;
            (Library(middle, c.body)[3] > 0) == forward ? low = middle : high = middle;
        }
        const double station = (low + high) / 2;
        ChartState chart = calc.chart;
        chart.NatalJD = station - 0.3;
        ReturnSearch search;
        search.body = c.body;
        search.fromJD = station - 0.5;
        search.days = 1;
        const std::vector<ReturnMoment> found = FindReturns(chart, EphemerisSource::Precise, search);
        const double natal = Library(chart.NatalJD, c.body)[0];
        const std::vector<LibraryCrossing> expected =
            SearchLibrary(c.body, search.fromJD, search.fromJD + search.days, [&](double) { return natal; });
        const std::string what = std::string(Named(c.body)) + " at its station of JD " + std::to_string(station) +
                                 ", natal 0.3 day before, from a search of swe_calc_ut";
        ASSERT_EQ(expected.size(), 2u) << what;
        ExpectSameMoments(found, expected, what, largest);
    }
    std::printf("largest difference from the library: %.4f s (%s)\n", largest.value, largest.where.c_str());
}

// ---- Precession-corrected returns -------------------------------------------------------------

struct PrecessedCase {
    const Birth* birth;
    int body;
    int year, month, day;
    int days;
};
constexpr auto PrecessedCases = std::to_array<PrecessedCase>({
    {&NewYork, SUN, 1990, 1, 1, 36 * 365},
    {&London, MOON, 2040, 1, 1, 2 * 365},
    {&Tokyo, JUPITER, 1990, 1, 1, 40 * 365},
});
static_assert(PrecessedCases.size() == 3);

TEST(Returns, PrecessedReturnsFollowTheLibrarysPrecessionSinceBirth) {
    ASSERT_TRUE(CheckPreciseEphemeris().available) << CheckPreciseEphemeris().reason;
    Largest largest;
    for (const PrecessedCase& c : PrecessedCases) {
        const Calculation calc = Charted(*c.birth, EphemerisSource::Precise);
        ReturnSearch search;
        search.body = c.body;
        search.fromJD = Midnight(c.year, c.month, c.day);
        search.days = c.days;
        search.precessed = true;
        const std::vector<ReturnMoment> found = FindReturns(calc.chart, EphemerisSource::Precise, search);
        // The library's precession since birth: its user-defined ayanamsha, zero at the natal
        // moment (given in TT), without nutation.
        const double natalJD = calc.chart.NatalJD;
        swe_set_sid_mode(SE_SIDM_USER, natalJD + swe_deltat(natalJD), 0.0);
        const auto precession = [](double jd) {
            double ayanamsha = 0;
            char error[AS_MAXCH] = "";
            swe_get_ayanamsa_ex_ut(jd, SEFLG_SWIEPH | SEFLG_NONUT, &ayanamsha, error);
            return ayanamsha;
        };
        const double natal = Library(natalJD, c.body)[0];
        const std::vector<LibraryCrossing> expected = SearchLibrary(
            c.body, search.fromJD, search.fromJD + search.days, [&](double jd) { return natal + precession(jd); });
        swe_set_sid_mode(SE_SIDM_FAGAN_BRADLEY, 0, 0);
        const std::string what = std::string(Named(c.body)) + " of " + c.birth->natal +
                                 " from a search of swe_calc_ut less swe_get_ayanamsa_ex_ut (SE_SIDM_USER at birth)";
        ExpectSameMoments(found, expected, what, largest);
        ASSERT_FALSE(found.empty()) << what;
        // The unprecessed return comes earlier by the time the body takes to cover the precession.
        EXPECT_GT(Signed180(found.back().targetLongitude - natal), 0.3) << what;
    }
    std::printf("largest difference from the library: %.4f s (%s)\n", largest.value, largest.where.c_str());
}

// ---- Return charts ----------------------------------------------------------------------------

// The library's letter for each of the program's house systems; the program's Meridian houses are
// the library's 'X' (see precise_houses_test.cpp).
char LibraryLetter(char system) { return HouseSystemByCode(std::string(1, system))->referenceLetter; }

// A D.MM value as the program keeps it typed: in single precision, then read as degrees and minutes.
double FromStoredDMM(double typed) {
    const double stored = static_cast<float>(std::fabs(typed));
    const double whole = std::floor(stored);
    return std::copysign(whole + (stored - whole) * 100 / 60, typed);
}

struct PlaceCase {
    const Birth* birth;
    double latitude;       // D.MM north as typed in the diurnal record
    double westLongitude;  // D.MM west as typed
};
constexpr auto PlaceCases = std::to_array<PlaceCase>({
    {&NewYork, 40.43, 74.00}, {&London, 51.30, 0.07}, {&SaoPaulo, -23.33, 46.38},
    {&Tokyo, 35.41, -139.41}, {&Tromso, 69.39, -18.57}, {&Wellington, -41.17, -174.47},
});
static_assert(PlaceCases.size() == 6);

TEST(ReturnCharts, AnglesAndCuspsAgreeWithTheLibrarysHouseRoutineAtTheMomentAndPlace) {
    ASSERT_TRUE(CheckPreciseEphemeris().available) << CheckPreciseEphemeris().reason;
    Largest angles, positions;
    int charts = 0;
    for (const PlaceCase& c : PlaceCases) {
        const Calculation calc = Charted(*c.birth, EphemerisSource::Precise);
        for (const int body : {SUN, MOON, VENUS}) {
            ReturnSearch search;
            search.body = body;
            search.fromJD = calc.chart.DiurnalJD;
            search.days = body == MOON ? 60 : 800;
            const std::vector<ReturnChart> returns =
                ReturnCharts(calc.chart, EphemerisSource::Precise, calc.options, search, DiurnalPlace(calc.chart));
            ASSERT_FALSE(returns.empty());
            for (const ReturnChart& r : returns) {
                ++charts;
                const double latitude = FromStoredDMM(c.latitude);
                const double eastLongitude = -FromStoredDMM(c.westLongitude);
                std::array<double, 13> cusps{}, porphyry{};
                std::array<double, 10> ascmc{};
                const char letter = LibraryLetter(c.birth->houses);
                swe_houses_ex(r.moment.jd, 0, latitude, eastLongitude, letter, cusps.data(), ascmc.data());
                swe_houses_ex(r.moment.jd, 0, latitude, eastLongitude, 'O', porphyry.data(), ascmc.data());
                char what[200];
                std::snprintf(what, sizeof what, "%s return at JD %.6f: swe_houses_ex(lat %.6f, lon %.6f, '%c'), angles of 'O'",
                              Named(body), r.moment.jd, latitude, eastLongitude, letter);
                SCOPED_TRACE(what);
                const auto compare = [&](double found, double expected, const std::string& which) {
                    const double d = std::fabs(Signed180(found - expected));
                    EXPECT_LE(d, ArcSecond) << which << " " << found << " vs " << expected;
                    angles.Note(d / ArcSecond, std::string(what) + " " + which);
                };
                compare(r.Long[ASC], ascmc[0], "ASC");
                compare(r.Long[MC], ascmc[1], "MC");
                for (int house = 1; house <= 12; ++house) {
                    compare(CuspOfHouse(r.Cusp, house), cusps[static_cast<std::size_t>(house)],
                            "cusp " + std::to_string(house));
                }
                // The chart stands at the moment: every body where the library has it then.
                for (int b = SUN; b <= MOON; ++b) {
                    const double d = std::fabs(Signed180(r.Long[static_cast<std::size_t>(b)] - Library(r.moment.jd, b)[0]));
                    EXPECT_LE(d, 0.001 * ArcSecond) << Named(b);
                    positions.Note(d / ArcSecond, std::string(what) + " " + Named(b));
                }
                // Its body is conjunct its natal place.
                const bool selfConjunct = std::any_of(r.aspects.begin(), r.aspects.end(), [&](const ReturnAspect& a) {
                    return a.returnBody == body && a.natalBody == body && a.AspectCode == 2 &&
                           std::fabs(a.orb) < ArcSecond;
                });
                EXPECT_TRUE(selfConjunct) << "the return's body conjunct its natal place";
            }
        }
    }
    std::printf("%d return charts; largest difference of an angle or cusp: %.4f arcsec (%s)\n", charts, angles.value,
                angles.where.c_str());
    std::printf("largest difference of a position: %.6f arcsec\n", positions.value);
}

// ---- The built-in series ----------------------------------------------------------------------

struct BuiltinCase {
    const Birth* birth;
    int body;
    int year, month, day;
    int days;
    double agreeMinutes;  // the precise return lies within this many minutes
};
constexpr auto BuiltinCases = std::to_array<BuiltinCase>({
    {&NewYork, SUN, 1960, 1, 1, 30 * 365, 30},
    {&London, MOON, 1990, 1, 1, 5 * 365, 5},
    {&London, MERCURY, 1964, 3, 1, 20 * 365, -1},
    {&NewYork, JUPITER, 1950, 1, 14, 60 * 365, -1},
});
static_assert(BuiltinCases.size() == 4);

// With the built-in series each moment is the crossing of the series' own positions to a second:
// a second before and after it the body stands on either side of its natal longitude. The Sun and
// the Moon return as many times as with precise positions, within the series' accuracy.
TEST(Returns, BuiltinReturnsAreWithinASecondOfTheSeriesOwnCrossing) {
    ASSERT_TRUE(CheckPreciseEphemeris().available) << CheckPreciseEphemeris().reason;
    for (const BuiltinCase& c : BuiltinCases) {
        const Calculation calc = Charted(*c.birth, EphemerisSource::Builtin);
        ReturnSearch search;
        search.body = c.body;
        search.fromJD = Midnight(c.year, c.month, c.day);
        search.days = c.days;
        const std::vector<ReturnMoment> found = FindReturns(calc.chart, EphemerisSource::Builtin, search);
        ASSERT_FALSE(found.empty());
        EphemerisState eph;
        const double natal = LongitudeOfDate(eph, c.body, calc.chart.NatalJD);
        const std::string what = std::string(Named(c.body)) + " of " + c.birth->natal + " (built-in series)";
        for (const ReturnMoment& m : found) {
            const double before = Signed180(LongitudeOfDate(eph, c.body, m.jd - Second) - natal);
            const double after = Signed180(LongitudeOfDate(eph, c.body, m.jd + Second) - natal);
            EXPECT_TRUE(m.retrograde ? before > 0 && after < 0 : before < 0 && after > 0)
                << what << " at JD " << m.jd << ": " << before << " and " << after << " a second either side";
        }
        if (c.agreeMinutes < 0) continue;
        const std::vector<ReturnMoment> precise = FindReturns(Charted(*c.birth, EphemerisSource::Precise).chart,
                                                              EphemerisSource::Precise, search);
        ASSERT_EQ(found.size(), precise.size()) << what;
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_LE(std::fabs(found[i].jd - precise[i].jd) * 1440, c.agreeMinutes) << what << " return " << i;
        }
    }
}

#endif

}  // namespace
}  // namespace orrerion
