#pragma once
// A made-up scan for the report tests: only the transiting SUN moves, along longitudes the test
// chooses; every other point stands where no aspect can form with orbs of up to 2 degrees.
// The listed-by-day pass and the report writers run over its days as over computed ones.
//   natal SUN 0, natal MERCURY and VENUS 20, the other natal points 12..16,
//   every other transiting, progressed and solar-arc point 215.
// Parking the SUN at 7 keeps it out of every aspect.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/report_files.h"
#include "core/base/formatters.h"
#include "core/base/messages.h"
#include "core/chart/chart_state.h"
#include "core/chart/houses.h"
#include "core/records/name_record.h"
#include "core/records/options_file.h"
#include "core/run/run_calculation.h"
#include "default_chart.h"
#include "test_paths.h"

namespace orrerion::testing {

inline constexpr double Parked = 7.0;

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

// The days of a made-up scan and its natal targets.
struct MadeUpDays {
    double firstJD = Dec25Of1999;
    std::vector<ScannedDay> days;
    NatalPlaces natal{};
};

inline MadeUpDays MadeUpScan(const std::vector<double>& sunLongitudes, double firstJD = Dec25Of1999) {
    MadeUpDays t;
    t.firstJD = firstJD;
    for (int p = SUN; p <= MC; ++p) {
        const double at = p == SUN ? 0.0 : (p == MERCURY || p == VENUS) ? 20.0 : 10.0 + 0.5 * p;
        t.natal[static_cast<std::size_t>(p - 1)] = PlacePoint(p, at, ' ', '7');
    }
    for (std::size_t d = 0; d < sunLongitudes.size(); ++d) {
        ScannedDay day;
        SetScannedDate(day, JulianDayToCalendar(firstJD + static_cast<double>(d)));
        for (int p = SUN; p <= MC; ++p) {
            const auto i = static_cast<std::size_t>(p - 1);
            if (p <= PLUTO) day.transit[i] = PlacePoint(p, 215, '1', '1');
            day.progressed[i] = PlacePoint(p, 215, ' ', '3');
            day.solarArc[i] = PlacePoint(p, 215, ' ', '4');
        }
        day.transit[0] = PlacePoint(SUN, sunLongitudes[d], '1', '0');
        t.days.push_back(day);
    }
    return t;
}

// The listed-by-day pass over the days, taken in blocks of `blockDays`: the ".doc" files are
// complete (not yet finished) and the result holds the runs and exact dates.
inline ScanResult PassDays(const MadeUpDays& scan, const ChartState& chart, const Options& options,
                           ReportSet& files, std::size_t blockDays = 5) {
    const int scanDays = static_cast<int>(scan.days.size());
    ListedByDayPass pass(chart, options, scanDays, scan.natal, files);
    ListedBlock block;
    for (std::size_t first = 0; first < scan.days.size(); first += blockDays) {
        block.firstDay = static_cast<int>(first);
        block.days.assign(scan.days.begin() + static_cast<long>(first),
                          scan.days.begin() + static_cast<long>(std::min(first + blockDays, scan.days.size())));
        pass.ListBlock(block);
        pass.TakeBlock(block);
    }
    return pass.Finish(scan.firstJD);
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

// A golden scan case's calculation (tests/golden/scan/<case>), set up as the command line sets it
// up, before its charts; `days` receives the case's day count.
inline Calculation GoldenScanCalculation(const std::filesystem::path& caseDir, std::string& days) {
    const std::vector<std::string> args = GoldenCaseArgs(caseDir);
    auto value = [&](const std::string& name) {
        const auto at = std::find(args.begin(), args.end(), name);
        return at == args.end() || at + 1 == args.end() ? std::string() : *(at + 1);
    };
    Calculation calc;
    EXPECT_TRUE(LoadOptions(value("--options"), calc.options).empty());
    calc.houseSystem = ComputedHouseSystemByCode(value("--houses")).value();
    const std::string progression = value("--progression");
    calc.progression = progression == "minor"      ? ProgressionType::Minor
                       : progression == "tertiary" ? ProgressionType::Tertiary
                                                   : ProgressionType::Secondary;
    calc.DateOrder = std::stoi(value("--date-order"));
    const NameRecord natal = NameRecordFromLine(value("--natal")).value();
    EXPECT_TRUE(LoadNameRecord(natal, calc.DateOrder, InputSection::Natal, calc.natal).empty());
    calc.natal.name = natal.Name;
    EXPECT_TRUE(LoadNameRecord(NameRecordFromLine(value("--diurnal")).value(), calc.DateOrder,
                               InputSection::Diurnal, calc.diurnal).empty());
    days = value("--days");
    return calc;
}

}  // namespace orrerion::testing
