#pragma once
// A made-up scan for the report tests: only the transiting SUN moves, along longitudes the test
// chooses; every other point stands where no aspect can form with orbs of up to 2 degrees.
//   natal SUN 0, natal MERCURY and VENUS 20, the other natal points 12..16,
//   every other transiting, progressed and solar-arc point 215.
// Parking the SUN at 7 keeps it out of every aspect.
#include <string>
#include <vector>

#include "core/aspects/aspect_scan.h"
#include "core/base/formatters.h"
#include "core/base/messages.h"
#include "core/chart/chart_state.h"
#include "core/records/name_record.h"
#include "core/records/options_file.h"
#include "core/run/run_calculation.h"

namespace orrerion::testing {

inline constexpr double Parked = 7.0;

inline PlacedPoint PlacedAt(double longitude, const char* house) {
    PlacedPoint p;
    p.longitude = longitude;
    const std::string text = LongitudeCompactText(longitude);
    for (std::size_t i = 0; i < 7; ++i) p.position[i] = text.at(i);
    p.house = {house[0], house[1]};
    return p;
}

// Orbs of `orb` degrees, minor aspects searched, no filters.
inline Options ScanOptions(float orb) {
    Options o;
    for (Option i : {Option::ConjunctionOrb, Option::SemisquareOrb, Option::SextileOrb, Option::SquareOrb, Option::TrineOrb,
                      Option::SesquisquareOrb, Option::OppositionOrb, Option::SemisextileOrb, Option::QuincunxOrb}) o[i] = orb;
    for (Option i : {Option::TransitSunUsed, Option::TransitMercuryUsed, Option::TransitVenusUsed, Option::TransitMarsUsed}) o[i] = 1;
    return o;
}

// UT Julian date of 0h on 25 Dec 1999, so that a scan of 12 days runs into 2000.
inline constexpr double Dec25Of1999 = 2451537.5;

inline ScanTables MadeUpScan(const std::vector<double>& sunLongitudes, double firstJD = Dec25Of1999) {
    ScanTables t;
    t.ScanDays = static_cast<int>(sunLongitudes.size());
    for (int p = SUN; p <= MC; ++p) {
        const double at = p == SUN ? 0.0 : (p == MERCURY || p == VENUS) ? 20.0 : 10.0 + 0.5 * p;
        t.natal[static_cast<std::size_t>(p - 1)] = PlacedAt(at, " 7");
    }
    for (int d = 0; d < t.ScanDays; ++d) {
        ScannedDay day;
        day.date = JulianDayToCalendar(firstJD + d);
        for (auto& p : day.transit) p = PlacedAt(215, "11");
        for (auto& p : day.progressed) p = PlacedAt(215, " 3");
        for (auto& p : day.solarArc) p = PlacedAt(215, " 4");
        day.transit[0] = PlacedAt(sunLongitudes[static_cast<std::size_t>(d)], "10");
        t.days.push_back(day);
    }
    t.ScanFirstText = DateDdMmmYy(JulianDayToCalendar(firstJD));
    t.ScanLastText = DateDdMmmYy(JulianDayToCalendar(firstJD + t.ScanDays - 1));
    return t;
}

// A chart whose header reads like the John Smith example.
inline ChartState HeaderChart(const std::string& name) {
    ChartState c;
    c.ChartName = name;
    ParsedInput& in = c.input;
    in.NatalDay = 13;
    in.NatalMonth = 1;
    in.NatalYear = 1950;
    in.NatalHour = 8.30f;
    in.NatalMeridiem = "A.M.";
    in.NatalZone = 5;
    in.NatalLatitude = 40.43f;
    in.NatalLatitudeWord = "NORTH";
    in.NatalLongitude = 74.00f;
    in.NatalLongitudeWord = "WEST";
    in.DiurnalDay = 25;
    in.DiurnalMonth = 12;
    in.DiurnalYear = 1999;
    in.DiurnalHour = 12.00f;  // midnight
    in.DiurnalMeridiem = "A.M.";
    in.DiurnalZone = 0;
    c.DiurnalJD = Dec25Of1999;
    return c;
}

// The shipped orbs: conjunction, square, trine and opposition 8, sextile 6, the minor aspects 2.
inline Options ShippedOrbs() {
    Options o;
    for (Option i : {Option::ConjunctionOrb, Option::SquareOrb, Option::TrineOrb, Option::OppositionOrb}) o[i] = 8;
    o[Option::SextileOrb] = 6;
    o[Option::SemisquareOrb] = 2;
    o[Option::SesquisquareOrb] = 2;
    o[Option::SemisextileOrb] = 2;
    o[Option::QuincunxOrb] = 2;
    for (Option i : {Option::TransitSunUsed, Option::TransitMercuryUsed, Option::TransitVenusUsed, Option::TransitMarsUsed}) o[i] = 1;
    return o;
}

// John Smith (13 Jan 1950, 8.30 A.M., zone 5, 74.00 W, 40.43 N) for 07 Dec 2026 at noon, Placidus,
// secondary progressions, after the chart driver.
inline Calculation JohnSmithCalculation(const Options& options) {
    Calculation calc;
    calc.options = options;
    calc.natal.name = "John Smith";
    LoadNameRecord(*NameRecordFromLine("John Smith,13 Jan 1950,8.30,A,5,074.00,40.43"), 0, InputSection::Natal, calc.natal);
    LoadNameRecord(*NameRecordFromLine(",07 Dec 2026,12.00,P,5,074.00,40.43"), 0, InputSection::Diurnal, calc.diurnal);
    CollectingReporter reporter;
    RunCalculationStart(calc);
    ComputeCharts(calc, reporter);
    return calc;
}

}  // namespace orrerion::testing
