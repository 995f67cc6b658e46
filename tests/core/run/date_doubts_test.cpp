// Dates that pass the checks but are probably not what was meant: which ones are doubted for each
// source of positions, and a calculation whose doubts are not confirmed changes nothing.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/chart/input_checks.h"
#include "core/ephemeris/precise_ephemeris.h"
#include "core/records/name_record.h"
#include "core/run/run_calculation.h"
#include "scan_fixture.h"

namespace orrerion {
namespace {

struct Moments {
    InputFields natal, diurnal;
};

Moments Load(const char* natal, const char* diurnal) {
    Moments m;
    EXPECT_TRUE(LoadNameRecord(*NameRecordFromLine(natal), 0, InputSection::Natal, m.natal).empty());
    EXPECT_TRUE(LoadNameRecord(*NameRecordFromLine(diurnal), 0, InputSection::Diurnal, m.diurnal).empty());
    return m;
}

TEST(DateDoubts, OutsideWhatThePositionsAreGoodForOrBeforeTheBirth) {
    using K = DateDoubtKind;
    const auto builtin = EphemerisSource::Builtin;
    const auto precise = EphemerisSource::Precise;
    const char* born1950 = "X,13 Jan 1950,8.30,A,5,074.00,40.43";
    struct Case {
        const char* natal;
        const char* diurnal;
        EphemerisSource source;
        std::vector<K> kinds;
        std::string firstText;
    };
    const Case cases[] = {
        {born1950, ",07 Dec 2026,12.00,P,5,074.00,40.43", builtin, {}, ""},
        {born1950, ",07 Dec 2026,12.00,P,5,074.00,40.43", precise, {}, ""},
        // A diurnal year typed short (126 meant as 2026).
        {born1950, ",07 Dec 0126,12.00,P,5,074.00,40.43", builtin, {K::OutsideBuiltinYears, K::BeforeBirth},
         "Diurnal date 7 December 126 lies outside 1885-2099, the years the built-in positions are good for."},
        {born1950, ",07 Dec 0126,12.00,P,5,074.00,40.43", precise, {K::PreciseFallback, K::BeforeBirth},
         "Diurnal date 7 December 126 lies outside the Swiss Ephemeris data files (1800-2399 with "
         "swe-basic-data): the library computes it from its less precise fallback series."},
        {born1950, ",12 Jan 1950,12.00,P,5,074.00,40.43", builtin, {K::BeforeBirth},
         "Diurnal date 12 January 1950 precedes the birth, 13 January 1950."},
        // Half an hour before the birth, on its day.
        {born1950, ",13 Jan 1950,8.00,A,5,074.00,40.43", builtin, {K::BeforeBirth}, ""},
        {born1950, ",13 Jan 1950,8.30,A,5,074.00,40.43", builtin, {}, ""},
        {"X,31 Dec 1884,11.00,P,0,000.07,51.30", ",07 Dec 2026,12.00,P,5,074.00,40.43", builtin,
         {K::OutsideBuiltinYears}, "Birth date 31 December 1884 lies outside 1885-2099, the years the built-in "
                                   "positions are good for."},
        {"X,15 Jun 1850,10.00,A,0,000.07,51.30", ",07 Dec 2026,12.00,P,5,074.00,40.43", precise, {}, ""},
        {"X,31 Dec 1799,11.00,P,0,000.07,51.30", ",07 Dec 2026,12.00,P,5,074.00,40.43", precise,
         {K::PreciseFallback}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.natal) + " / " + c.diurnal);
        if (c.source == precise && !CheckPreciseEphemeris().available) continue;
        const Moments m = Load(c.natal, c.diurnal);
        const std::vector<DateDoubt> doubts = CheckDatePlausibility(m.natal, m.diurnal, 0, c.source);
        std::vector<K> kinds;
        for (const DateDoubt& d : doubts) kinds.push_back(d.kind);
        EXPECT_EQ(kinds, c.kinds);
        if (!c.firstText.empty() && !doubts.empty()) {
            EXPECT_EQ(doubts[0].text, c.firstText);
        }
    }
    // Input the checks refuse is theirs to report.
    Moments m = Load(born1950, ",07 Dec 0126,12.00,P,5,074.00,40.43");
    m.natal.hour = "13";
    EXPECT_TRUE(CheckDatePlausibility(m.natal, m.diurnal, 0, builtin).empty());
}

TEST(DateDoubts, ARefusedConfirmationChangesNothing) {
    Calculation calc = testing::JohnSmithCalculation(testing::ShippedOrbs());
    CollectingReporter reporter;
    ScanObserver observer;
    ASSERT_TRUE(RunCalculation(calc, {}, observer, reporter).charted);
    const ChartState before = calc.chart;
    const OutputBuffers buffersBefore = calc.out;

    Moments m = Load("John Smith,13 Jan 1950,8.30,A,5,074.00,40.43", ",12 Jan 1950,12.00,P,5,074.00,40.43");
    calc.diurnal = m.diurnal;
    std::vector<DateDoubt> asked;
    bool answer = false;
    CalculationRequest request;
    request.confirmDates = [&](const std::vector<DateDoubt>& doubts) {
        asked = doubts;
        return answer;
    };
    request.askDays = [] { return std::optional<std::string>("5"); };
    request.reportsFolder = testing::MakeTempDir() / "reports";
    CalculationOutcome outcome = RunCalculation(calc, request, observer, reporter);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].kind, DateDoubtKind::BeforeBirth);
    EXPECT_FALSE(outcome.charted);
    EXPECT_EQ(outcome.scan, ScanOutcome::NotRun);
    EXPECT_EQ(calc.chart.DiurnalJD, before.DiurnalJD);
    EXPECT_EQ(calc.chart.TransitLong, before.TransitLong);
    EXPECT_EQ(calc.out.DataLines, buffersBefore.DataLines);
    EXPECT_FALSE(std::filesystem::exists(request.reportsFolder));
    EXPECT_TRUE(reporter.messages.empty());

    // Confirmed, the chart for the date as typed is calculated.
    answer = true;
    outcome = RunCalculation(calc, request, observer, reporter);
    EXPECT_TRUE(outcome.charted);
    EXPECT_LT(calc.chart.DiurnalJD, calc.chart.NatalJD);
}

}  // namespace
}  // namespace orrerion
