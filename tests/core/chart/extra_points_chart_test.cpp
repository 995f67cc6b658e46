// The extra points of precise charts against the Swiss Ephemeris called here for the moments and
// places as typed: the natal, progressed and transit points to an arcsecond (longitude, latitude,
// declination), the solar-arc points moved by the library's own solar arc, and the Lot of Fortune
// by day and by night from the library's ascendant, houses, Sun and Moon.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "core/aspects/aspect_scan.h"
#include "core/chart/houses.h"
#include "core/exports/exact_moments.h"
#include "core/ephemeris/extra_points.h"
#include "core/ephemeris/precise_ephemeris.h"
#include "core/run/run_calculation.h"
#include "default_chart.h"
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
    ProgressionType progression;
    Moment natal;
    Moment diurnal;
};

// Births and diurnal moments across the years charts accept within the library's data files
// (1800-2099), day and night, north and south, east and west, with the three progressions.
constexpr auto Cases = std::to_array<ChartCase>({
    {"London 1800", 'P', ProgressionType::Secondary, {1800, 3, 4, 6, 15, false, 0, 0, 7, false, 51, 30, false},
     {1830, 7, 1, 9, 0, true, 0, 0, 7, false, 51, 30, false}},
    {"Boston 1832", 'R', ProgressionType::Minor, {1832, 12, 25, 3, 5, false, 5, 71, 4, false, 42, 22, false},
     {1900, 5, 5, 7, 30, true, 5, 71, 4, false, 42, 22, false}},
    {"Cape Town 1850", 'O', ProgressionType::Tertiary, {1850, 6, 15, 10, 0, false, -1.5, 18, 25, true, 33, 55, true},
     {1851, 1, 1, 12, 0, true, -1.5, 18, 25, true, 33, 55, true}},
    {"Chicago 1885", 'K', ProgressionType::Secondary, {1885, 1, 31, 11, 59, true, 6, 87, 38, false, 41, 53, false},
     {1940, 11, 11, 11, 11, false, 6, 87, 38, false, 41, 53, false}},
    {"Lima 1912", 'O', ProgressionType::Secondary, {1912, 7, 28, 12, 30, true, 5, 77, 2, false, 12, 3, true},
     {1999, 12, 31, 11, 59, true, 5, 77, 2, false, 12, 3, true}},
    {"Delhi 1947", 'K', ProgressionType::Minor, {1947, 8, 15, 12, 0, false, -5.5, 77, 13, true, 28, 37, false},
     {2025, 3, 20, 9, 1, true, -5.5, 77, 13, true, 28, 37, false}},
    {"New York 1950", 'P', ProgressionType::Secondary, {1950, 1, 13, 8, 30, false, 5, 74, 0, false, 40, 43, false},
     {2026, 12, 7, 12, 0, true, 5, 74, 0, false, 40, 43, false}},
    {"Nairobi 1969", 'P', ProgressionType::Tertiary, {1969, 7, 20, 8, 17, true, -3, 36, 49, true, 1, 17, true},
     {2040, 1, 1, 1, 1, false, -3, 36, 49, true, 1, 17, true}},
    {"Auckland 2003", 'P', ProgressionType::Secondary, {2003, 12, 12, 12, 12, true, -12, 174, 46, true, 36, 51, true},
     {2088, 2, 29, 3, 33, false, -12, 174, 46, true, 36, 51, true}},
    {"Cairo 2050", 'R', ProgressionType::Secondary, {2050, 5, 5, 5, 55, false, -2, 31, 14, true, 30, 2, false},
     {2090, 12, 31, 11, 30, true, -2, 31, 14, true, 30, 2, false}},
    {"Tokyo 2075", 'O', ProgressionType::Minor, {2075, 10, 10, 10, 10, false, -9, 139, 41, true, 35, 41, false},
     {2095, 6, 30, 4, 0, true, -9, 139, 41, true, 35, 41, false}},
    {"Quito 2099", 'K', ProgressionType::Secondary, {2099, 3, 21, 6, 0, false, 5, 78, 31, false, 0, 13, true},
     {2099, 12, 30, 6, 0, true, 5, 78, 31, false, 0, 13, true}},
});
static_assert(Cases.size() == 12);

InputFields Fields(const Moment& m, const char* name) { return testing::FieldsOf(m, name); }

// The typed values as the program keeps them: H.MM and D.MM numbers in single precision.
double Stored(double value) { return static_cast<float>(value); }
double FromStoredHMM(int whole, int minutes) {
    const double stored = Stored(whole + minutes / 100.0);
    const double w = std::floor(stored);
    return w + (stored - w) * 100 / 60;
}
double JulianDateOf(const Moment& m) {
    const double clock = FromStoredHMM(m.hour == 12 ? 0 : m.hour, m.minute) + (m.pm ? 12 : 0);
    return swe_julday(m.year, m.month, m.day, clock + Stored(m.zone), SE_GREG_CAL);
}

double AngleDifference(double a, double b) {
    const double d = std::fabs(a - b);
    return std::min(d, 360 - d);
}

std::array<double, 6> Library(double jd, int body, int flags) {
    std::array<double, 6> x{};
    char error[AS_MAXCH] = "";
    EXPECT_GE(swe_calc_ut(jd, body, flags, x.data(), error), 0) << error;
    return x;
}

// What the library gives for a point at an instant: longitude, latitude and declination, and the
// call that gave them.
struct Expected {
    PointPosition position;
    std::string source;
};

// The library's number of each point it computes, written out here independently; south nodes
// are their north node's opposite.
int LibraryNumber(ExtraPoint p) {
    switch (p) {
        case ExtraPoint::MeanNode: case ExtraPoint::MeanSouthNode: return SE_MEAN_NODE;
        case ExtraPoint::TrueNode: case ExtraPoint::TrueSouthNode: return SE_TRUE_NODE;
        case ExtraPoint::Lilith: return SE_MEAN_APOG;
        case ExtraPoint::Chiron: return SE_CHIRON;
        case ExtraPoint::Ceres: return SE_CERES;
        case ExtraPoint::Pallas: return SE_PALLAS;
        case ExtraPoint::Juno: return SE_JUNO;
        case ExtraPoint::Vesta: return SE_VESTA;
        case ExtraPoint::Fortune: break;
    }
    return -1;
}

Expected LibraryPoint(ExtraPoint p, double jd) {
    const int body = LibraryNumber(p);
    const auto ecliptic = Library(jd, body, SEFLG_SWIEPH);
    const auto equatorial = Library(jd, body, SEFLG_SWIEPH | SEFLG_EQUATORIAL);
    Expected e{{ecliptic[0], ecliptic[1], equatorial[1], 0.0}, "swe_calc_ut body " + std::to_string(body)};
    if (p == ExtraPoint::MeanSouthNode || p == ExtraPoint::TrueSouthNode) {
        e.position = {std::fmod(ecliptic[0] + 180, 360), -ecliptic[1], -equatorial[1], 0.0};
        e.source += ", opposite";
    }
    return e;
}

// The declination of an ecliptic point with the library's true obliquity of date.
double EclipticDeclination(double lon, double jd) {
    const double eps = Library(jd, SE_ECL_NUT, SEFLG_SWIEPH)[0] * M_PI / 180;
    return std::asin(std::sin(eps) * std::sin(lon * M_PI / 180)) * 180 / M_PI;
}

// The Lot of Fortune from the ascendant and the house cusps (by house number 1..12) given, and
// the library's Sun and Moon: by day (the Sun in houses 7 to 12) ASC + Moon - Sun, by night
// ASC + Sun - Moon.
struct FortuneRule {
    double lon = 0.0;
    bool day = false;
};
FortuneRule Fortune(double asc, const std::array<double, 13>& cusps, double jd, bool dayFormulaAlways) {
    const double sun = Library(jd, SE_SUN, SEFLG_SWIEPH)[0];
    const double moon = Library(jd, SE_MOON, SEFLG_SWIEPH)[0];
    // The Sun is above the horizon when it lies between the cusp of the 7th house and that of the
    // 1st, counted forwards.
    const double fromSeventh = std::fmod(sun - cusps[7] + 720, 360);
    const double seventhToFirst = std::fmod(cusps[1] - cusps[7] + 720, 360);
    FortuneRule f;
    f.day = fromSeventh < seventhToFirst;
    const bool dayFormula = dayFormulaAlways || f.day;
    f.lon = std::fmod(asc + (dayFormula ? moon - sun : sun - moon) + 720, 360);
    return f;
}

std::array<double, 13> ByHouseNumber(const CuspArray& slots) {
    std::array<double, 13> cusps{};
    for (int house = 1; house <= 12; ++house) {
        cusps[static_cast<std::size_t>(house)] = slots[static_cast<std::size_t>(house <= 9 ? house + 3 : house - 9)];
    }
    return cusps;
}

void ExpectPoint(const ExtraPointRow& row, const PointPosition& got, const Expected& want, const char* chart) {
    SCOPED_TRACE(std::string(chart) + " " + std::string(row.name) + ": expected from " + want.source);
    EXPECT_LE(AngleDifference(got.lon, want.position.lon), ArcSecond)
        << "lon " << got.lon << " vs " << want.position.lon;
    if (row.hasLatitude) {
        EXPECT_LE(std::fabs(got.lat - want.position.lat), ArcSecond) << "lat " << got.lat << " vs " << want.position.lat;
    }
    if (row.hasDeclination) {
        EXPECT_LE(std::fabs(got.decl - want.position.decl), ArcSecond)
            << "decl " << got.decl << " vs " << want.position.decl;
    }
}

Calculation PreciseCalculation(const ChartCase& c, bool fortuneDayFormulaAlways) {
    Calculation calc;
    calc.natal = Fields(c.natal, c.name);
    calc.diurnal = Fields(c.diurnal, "");
    calc.houseSystem = ComputedHouseSystemByCode(std::string(1, c.houses)).value();
    calc.progression = c.progression;
    calc.eph.Source = EphemerisSource::Precise;
    for (const ExtraPointRow& row : ExtraPoints) ChoosePoint(calc.points, row.point);
    calc.points.fortuneDayFormulaAlways = fortuneDayFormulaAlways;
    return calc;
}

double ProgressedJD(ProgressionType type, double natalJD, double diurnalJD) {
    const double elapsed = diurnalJD - natalJD;
    switch (type) {
        case ProgressionType::Secondary: return natalJD + elapsed / 365.25;
        case ProgressionType::Minor: return natalJD + elapsed * 27.32166088 / 365.25;
        case ProgressionType::Tertiary: break;
    }
    return natalJD + elapsed / 27.32166088;
}

TEST(ExtraPointsChart, EveryPointOfEveryChartAgreesWithTheLibrary) {
    ASSERT_TRUE(CheckPreciseEphemeris().available) << CheckPreciseEphemeris().reason;
    int days = 0, nights = 0;
    for (const ChartCase& c : Cases) {
        SCOPED_TRACE(std::string(c.name) + " houses " + c.houses);
        Calculation calc = PreciseCalculation(c, false);
        CollectingReporter reporter;
        RunCalculationStart(calc);
        ASSERT_TRUE(ComputeCharts(calc, reporter)) << (reporter.messages.empty() ? "" : reporter.messages.front().text);
        const ChartState& chart = calc.chart;

        const double natalJD = JulianDateOf(c.natal);
        const double diurnalJD = JulianDateOf(c.diurnal);
        const double progJD = ProgressedJD(c.progression, natalJD, diurnalJD);
        // The solar arc: the Sun a day for a year after birth, less the natal Sun.
        const double arc = Library(natalJD + (diurnalJD - natalJD) / 365.25, SE_SUN, SEFLG_SWIEPH)[0] -
                           Library(natalJD, SE_SUN, SEFLG_SWIEPH)[0];

        // The library's houses of the natal and diurnal moments and places.
        std::array<double, 13> natalCusps{}, transitCusps{};
        std::array<double, 10> natalAngles{}, transitAngles{};
        auto houses = [](const Moment& m, double jd, std::array<double, 13>& cusps, std::array<double, 10>& angles) {
            const double lonEast = FromStoredHMM(m.longDeg, m.longMin) * (m.east ? 1 : -1);
            const double lat = FromStoredHMM(m.latDeg, m.latMin) * (m.south ? -1 : 1);
            swe_houses(jd, lat, lonEast, 'O', cusps.data(), angles.data());
        };
        houses(c.natal, natalJD, natalCusps, natalAngles);
        houses(c.diurnal, diurnalJD, transitCusps, transitAngles);
        // Houses 7 to 12 lie between the descendant and the ascendant whatever the system; the
        // Porphyry cusps have both where the chart's system has them.

        for (const ExtraPointRow& row : ExtraPoints) {
            const auto i = static_cast<std::size_t>(row.point);
            if (row.routine == PointRoutine::ChartFormula) {
                const FortuneRule natal = Fortune(natalAngles[0], natalCusps, natalJD, false);
                const FortuneRule transit = Fortune(transitAngles[0], transitCusps, diurnalJD, false);
                (natal.day ? days : nights) += 1;
                (transit.day ? days : nights) += 1;
                ExpectPoint(row, chart.NatalPoints[i],
                            {{natal.lon, 0, EclipticDeclination(natal.lon, natalJD), 0}, "swe_houses ASC, Sun, Moon"},
                            "natal");
                ExpectPoint(row, chart.TransitPoints[i],
                            {{transit.lon, 0, EclipticDeclination(transit.lon, diurnalJD), 0},
                             "swe_houses ASC, Sun, Moon"},
                            "transit");
                // The progressed chart's ascendant and cusps are the program's own progressed
                // angles and houses; the Sun and Moon are the library's at the progressed moment.
                const FortuneRule prog = Fortune(chart.ProgLong[ASC], ByHouseNumber(chart.ProgCusp), progJD, false);
                ExpectPoint(row, chart.ProgPoints[i],
                            {{prog.lon, 0, EclipticDeclination(prog.lon, progJD), 0},
                             "progressed ASC and cusps, swe_calc_ut Sun and Moon"},
                            "progressed");
                EXPECT_LE(AngleDifference(chart.ArcPoints[i].lon, std::fmod(natal.lon + arc + 720, 360)), ArcSecond)
                    << "solar arc " << row.name;
                continue;
            }
            ExpectPoint(row, chart.NatalPoints[i], LibraryPoint(row.point, natalJD), "natal");
            ExpectPoint(row, chart.ProgPoints[i], LibraryPoint(row.point, progJD), "progressed");
            ExpectPoint(row, chart.TransitPoints[i], LibraryPoint(row.point, diurnalJD), "transit");
            EXPECT_LE(AngleDifference(chart.ArcPoints[i].lon,
                                      std::fmod(LibraryPoint(row.point, natalJD).position.lon + arc + 720, 360)),
                      ArcSecond)
                << "solar arc " << row.name;
        }

        // With the day formula chosen, Fortune is ASC + Moon - Sun by night too.
        Calculation always = PreciseCalculation(c, true);
        RunCalculationStart(always);
        ASSERT_TRUE(ComputeCharts(always, reporter));
        const auto f = static_cast<std::size_t>(ExtraPoint::Fortune);
        const FortuneRule natal = Fortune(natalAngles[0], natalCusps, natalJD, true);
        const FortuneRule transit = Fortune(transitAngles[0], transitCusps, diurnalJD, true);
        EXPECT_LE(AngleDifference(always.chart.NatalPoints[f].lon, natal.lon), ArcSecond) << "natal, day formula";
        EXPECT_LE(AngleDifference(always.chart.TransitPoints[f].lon, transit.lon), ArcSecond) << "transit, day formula";
    }
    // Both of Fortune's formulas were checked.
    EXPECT_GE(days, 5);
    EXPECT_GE(nights, 5);
}

// The library's longitude of a chart point of a scan's set on scan day `day` (fractional allowed):
// the planets from swe_calc_ut at the transit or progressed moment, the extra points likewise, the
// solar arc as the library's secondary-progressed Sun less its natal Sun. Natal points are the
// chart's, which the test above holds to the library. Nothing for a point the library cannot give
// alone (the progressed angles and Fortune, which follow the program's own progressed angles).
struct LibraryScan {
    const ChartState& chart;
    double natalJD, diurnalJD, progJD;

    std::optional<double> Longitude(PointSet set, int body, double day) const {
        static constexpr std::array<int, 10> Planets = {SE_SUN,    SE_MERCURY, SE_VENUS,   SE_MARS, SE_JUPITER,
                                                        SE_SATURN, SE_URANUS,  SE_NEPTUNE, SE_PLUTO, SE_MOON};
        const bool extra = IsExtraPointBody(body);
        const auto natal = [&] {
            return extra ? chart.NatalPoints[static_cast<std::size_t>(ExtraPointOfBody(body))].lon
                         : chart.NatalLong[static_cast<std::size_t>(body)];
        };
        const auto at = [&](double jd) -> std::optional<double> {
            if (extra && ExtraPointOfBody(body) == ExtraPoint::Fortune) return std::nullopt;
            if (extra) return LibraryPoint(ExtraPointOfBody(body), jd).position.lon;
            if (body > MOON) return std::nullopt;
            return Library(jd, Planets[static_cast<std::size_t>(body - 1)], SEFLG_SWIEPH)[0];
        };
        switch (set) {
            case PointSet::Natal: return natal();
            case PointSet::Transit: return at(diurnalJD + day);
            case PointSet::Progressed: return at(progJD + day / 365.25);
            case PointSet::SolarArc: {
                const double arc = Library(progJD + day / 365.25, SE_SUN, SEFLG_SWIEPH)[0] -
                                   Library(natalJD, SE_SUN, SEFLG_SWIEPH)[0];
                return std::fmod(natal() + arc + 720, 360);
            }
        }
        return std::nullopt;
    }
};

// The separation of a run's mover from its target, folded into 0..180 degrees.
std::optional<double> Separation(const LibraryScan& library, const ScanRun& run, double day) {
    const FamilyInfo& info = FamilyOf(run.family);
    const auto mover = library.Longitude(info.movers, run.mover, day);
    const auto target = library.Longitude(info.targets, run.target, day);
    if (!mover || !target) return std::nullopt;
    return AngleDifference(*mover, *target);
}

// The scan with extra points chosen, against the library's positions of every day: each run of an
// extra point (as mover or target, in every family) holds its aspect within the orb on its first
// and last day and not on the days just outside it; every exact moment of a transit of or to an
// extra point lies within a minute of the library's. Days within 0.001 degree of an orb's edge are
// not judged (the program and the library may differ there by an arcsecond).
TEST(ExtraPointsChart, TheScanFindsTheAspectsOfTheExtraPointsWhereTheLibraryMakesThem) {
    ASSERT_TRUE(CheckPreciseEphemeris().available) << CheckPreciseEphemeris().reason;
    const ChartCase& c = Cases[6];  // New York 1950, diurnal 2026
    Calculation calc = PreciseCalculation(c, false);
    calc.points = PointChoice{};
    for (const ExtraPoint p : {ExtraPoint::Chiron, ExtraPoint::MeanNode, ExtraPoint::Fortune}) ChoosePoint(calc.points, p);
    calc.options = testing::ShippedOrbs();
    CollectingReporter reporter;
    struct : ScanObserver {} observer;
    CalculationRequest request;
    request.askDays = [] { return std::optional<std::string>("400"); };
    request.scan.reportFiles = false;
    ASSERT_EQ(RunCalculation(calc, request, observer, reporter).scan, ScanOutcome::Completed);
    const ScanResult& scan = calc.scan;
    const double natalJD = JulianDateOf(c.natal), diurnalJD = JulianDateOf(c.diurnal);
    const LibraryScan library{calc.chart, natalJD, diurnalJD, ProgressedJD(c.progression, natalJD, diurnalJD)};
    const AspectBounds bounds = MakeAspectBounds(calc.options);
    constexpr double Edge = 0.001;

    std::array<int, FamilyCount> judged{};
    for (const ScanRun& run : scan.runs) {
        if (!HasExtraPoint(run)) continue;
        const AspectBounds::Row* row = nullptr;
        for (const auto& r : bounds.rows) {
            if (r.AspectCode == run.AspectCode) row = &r;
        }
        ASSERT_NE(row, nullptr);
        const std::string name = std::string(FamilyOf(run.family).code) + " " + std::string(PointName(run.mover)) +
                                 std::string(AspectName(run.AspectCode)) + std::string(PointName(run.target));
        const auto nearEdge = [&](double separation) {
            return std::fabs(separation - row->low) < Edge || std::fabs(separation - row->high) < Edge;
        };
        const auto inOrb = [&](double separation) { return separation >= row->low && separation <= row->high; };
        bool looked = false;
        for (const int day : {run.firstDay, run.lastDay}) {
            const auto separation = Separation(library, run, day);
            if (!separation || nearEdge(*separation)) continue;
            looked = true;
            EXPECT_TRUE(inOrb(*separation)) << name << " day " << day << ": " << *separation;
        }
        for (const int day : {run.firstDay - 1, run.lastDay + 1}) {
            if (day < 0 || day >= scan.ScanDays) continue;
            const auto separation = Separation(library, run, day);
            if (!separation || nearEdge(*separation)) continue;
            EXPECT_NE(TestAspect(bounds, 0.0, *separation).AspectCode, run.AspectCode) << name << " day " << day;
        }
        judged[FamilyIndex(run.family)] += looked;
    }
    // Every family has runs of the extra points that the library could judge.
    for (const FamilyInfo& info : ScanFamilies) EXPECT_GT(judged[FamilyIndex(info.family)], 0) << info.code;

    int moments = 0;
    for (const ExactMoment& m : ExactMoments(calc.chart, calc.eph, calc.options, scan)) {
        const ScanRun& run = scan.runs[m.run];
        if (!HasExtraPoint(run)) continue;
        const FamilyInfo& info = FamilyOf(run.family);
        if (!Separation(library, run, m.jd - diurnalJD)) continue;  // a progressed Fortune
        // The mover less the target less the aspect on the side the moment stands, in -180..180.
        const auto distance = [&](double jd, double side) {
            const double x = *library.Longitude(info.movers, run.mover, jd - diurnalJD) -
                             *library.Longitude(info.targets, run.target, jd - diurnalJD) - side;
            return std::remainder(x, 360.0);
        };
        const double angle = AspectAngle(run.AspectCode);
        const double side = std::fabs(distance(m.jd, angle)) < std::fabs(distance(m.jd, -angle)) ? angle : -angle;
        // The time from the library's exact moment: the distance over its rate.
        const double hour = 1.0 / 24;
        const double rate = (distance(m.jd + hour, side) - distance(m.jd - hour, side)) / (2 * hour);
        EXPECT_LT(std::fabs(distance(m.jd, side) / rate) * 1440, 1.0)
            << PointName(run.mover) << AspectName(run.AspectCode) << PointName(run.target) << " at " << m.jd;
        ++moments;
    }
    EXPECT_GT(moments, 10);
}

// Outside the years of seas_18.se1 the library has no Chiron: the chart is refused with the
// library's reason, while the nodes and Lilith, which need no file of their own, are computed.
TEST(ExtraPointsChart, OutsideTheAsteroidFileChironIsRefusedWithTheLibrarysReason) {
    ASSERT_TRUE(CheckPreciseEphemeris().available) << CheckPreciseEphemeris().reason;
    struct Case {
        ExtraPoint point;
        bool computed;
    };
    constexpr auto Points = std::to_array<Case>({
        {ExtraPoint::MeanNode, true}, {ExtraPoint::TrueNode, true}, {ExtraPoint::Lilith, true},
        {ExtraPoint::Chiron, false}, {ExtraPoint::Vesta, false},
    });
    const ChartCase c{"Paris 1700", 'P', ProgressionType::Secondary,
                      {1700, 6, 18, 11, 40, true, -1, 2, 20, true, 48, 51, false},
                      {1750, 1, 1, 12, 0, true, -1, 2, 20, true, 48, 51, false}};
    for (const Case& p : Points) {
        const std::string name(RowOf(p.point).name);
        Calculation calc = PreciseCalculation(c, false);
        calc.points = PointChoice{};
        ChoosePoint(calc.points, p.point);
        CollectingReporter reporter;
        RunCalculationStart(calc);
        EXPECT_EQ(ComputeCharts(calc, reporter), p.computed) << name;
        if (!p.computed) {
            ASSERT_EQ(reporter.messages.size(), 1u) << name;
            const std::string& text = reporter.messages.front().text;
            EXPECT_NE(text.find(name + ": "), std::string::npos) << text;
            EXPECT_NE(text.find("seas_"), std::string::npos) << text;  // the library names its file
        }
    }
}

#endif

}  // namespace
}  // namespace orrerion
