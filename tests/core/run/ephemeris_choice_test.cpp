// The ephemeris choice in the one calculation routine: the note on the built-in series' years, the
// header line of precise positions, and a precise calculation refused before anything changes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/aspects/summary.h"
#include "core/ephemeris/precise_ephemeris.h"
#include "core/records/name_record.h"
#include "core/run/run_calculation.h"
#include "scan_fixture.h"
#include "test_paths.h"

namespace orrerion {
namespace {

struct ChoiceRun {
    Calculation calc;
    CalculationOutcome outcome;
    CollectingReporter reporter;
    std::vector<std::string> notes;
};

ChoiceRun Calculate(const char* natal, const char* diurnal, const char* days, EphemerisSource source) {
    ChoiceRun run;
    run.calc.options = testing::ShippedOrbs();
    LoadNameRecord(*NameRecordFromLine(natal), 0, InputSection::Natal, run.calc.natal);
    LoadNameRecord(*NameRecordFromLine(diurnal), 0, InputSection::Diurnal, run.calc.diurnal);
    run.calc.eph.Source = source;
    CalculationRequest request;
    if (days) request.askDays = [days] { return std::optional<std::string>(days); };
    request.reportsFolder = testing::MakeTempDir() / "reports";
    request.notice = [&run](const std::string& note) { run.notes.push_back(note); };
    request.preciseChoice = "the choice";
    ScanObserver observer;
    run.outcome = RunCalculation(run.calc, request, observer, run.reporter);
    return run;
}

TEST(EphemerisChoice, BuiltinSeriesOutsideItsYearsIsNotedOnce) {
    struct Case {
        const char* natal;
        const char* diurnal;
        const char* days;  // nullptr: the charts only
        EphemerisSource source;
        bool noted;
    };
    const auto builtin = EphemerisSource::Builtin;
    const Case cases[] = {
        // Natal and transit charts before 1885.
        {"Old,15 Jun 1850,10.00,A,0,000.07,51.30", ",01 Jan 1851,12.00,P,0,000.07,51.30", nullptr, builtin, true},
        {"Old,15 Jun 1850,10.00,A,0,000.07,51.30", ",01 Jan 1851,12.00,P,0,000.07,51.30", "20", builtin, true},
        // Only the natal chart before 1885.
        {"Old,31 Dec 1884,11.59,P,0,000.07,51.30", ",01 Jan 1950,12.00,P,0,000.07,51.30", nullptr, builtin, true},
        // Inside the years, with a scan up to their last day.
        {"New,01 Jan 1885,12.30,A,0,000.07,51.30", ",02 Dec 2099,12.00,P,0,000.07,51.30", "30", builtin, false},
        // A scan that runs into 2100.
        {"New,13 Jan 1950,8.30,A,5,074.00,40.43", ",02 Dec 2099,12.00,P,5,074.00,40.43", "31", builtin, true},
        // Precise positions need no note.
        {"Old,15 Jun 1850,10.00,A,0,000.07,51.30", ",01 Jan 1851,12.00,P,0,000.07,51.30", "20",
         EphemerisSource::Precise, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.natal) + " / " + c.diurnal + " days " + (c.days ? c.days : "none"));
        const ChoiceRun run = Calculate(c.natal, c.diurnal, c.days, c.source);
        ASSERT_TRUE(run.outcome.charted);
        EXPECT_TRUE(run.reporter.messages.empty());
        ASSERT_EQ(run.notes.size(), c.noted ? 1u : 0u);
        if (c.noted) {
            EXPECT_NE(run.notes[0].find("outside 1885-2099"), std::string::npos) << run.notes[0];
            EXPECT_NE(run.notes[0].find("Pluto may be off by up to a degree"), std::string::npos);
            if (CheckPreciseEphemeris().available) {
                EXPECT_NE(run.notes[0].find("available (the choice)"), std::string::npos) << run.notes[0];
            }
        }
        // The note never reaches the summary or the listings.
        for (std::string_view line : run.calc.out.DataLines) EXPECT_EQ(line.find("Pluto may"), std::string::npos);
        for (std::string_view line : run.calc.out.OutputLines) EXPECT_EQ(line.find("Pluto may"), std::string::npos);
    }
}

TEST(EphemerisChoice, OnlyPrecisePositionsNameTheirSourceInTheSummary) {
    if (!CheckPreciseEphemeris().available) GTEST_SKIP() << CheckPreciseEphemeris().reason;
    const char* natal = "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43";
    const char* diurnal = ",07 Dec 2026,12.00,P,5,074.00,40.43";
    const ChoiceRun builtin = Calculate(natal, diurnal, nullptr, EphemerisSource::Builtin);
    const ChoiceRun precise = Calculate(natal, diurnal, nullptr, EphemerisSource::Precise);
    const LineList& b = builtin.calc.out.DataLines;
    const LineList& p = precise.calc.out.DataLines;
    ASSERT_EQ(p.size(), b.size() + 1);
    // The header lines are the same, then precise positions say where they come from.
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(p[i], b[i]) << i;
    EXPECT_EQ(p[5], "  " + std::string(PrecisePositionsLine));
    for (std::string_view line : b) EXPECT_EQ(line.find("Swiss Ephemeris"), std::string::npos);
    // The positions themselves differ (delta T alone moves the Moon by about half an arcminute).
    EXPECT_NE(precise.calc.chart.NatalLong[MOON], builtin.calc.chart.NatalLong[MOON]);
}

TEST(EphemerisChoice, UnavailablePrecisePositionsChangeNothing) {
    // The library's state is the thread's own: a thread pointed at an empty folder finds no files.
    const std::filesystem::path empty = testing::MakeTempDir();
    ::setenv(PreciseDataFolderVariable, empty.c_str(), 1);
    Calculation calc = testing::JohnSmithCalculation(testing::ShippedOrbs());
    const ChartState before = calc.chart;
    const OutputBuffers buffersBefore = calc.out;
    calc.eph.Source = EphemerisSource::Precise;
    CollectingReporter reporter;
    CalculationOutcome outcome;
    PreciseAvailability inThread;
    std::thread([&] {
        inThread = CheckPreciseEphemeris();
        ScanObserver observer;
        CalculationRequest request;
        request.askDays = [] { return std::optional<std::string>("10"); };
        outcome = RunCalculation(calc, request, observer, reporter);
    }).join();
    ::unsetenv(PreciseDataFolderVariable);

    EXPECT_FALSE(inThread.available);
    EXPECT_FALSE(outcome.charted);
    EXPECT_EQ(outcome.scan, ScanOutcome::NotRun);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text.rfind("precise positions unavailable: ", 0), 0u) << reporter.messages[0].text;
    EXPECT_EQ(calc.out.DataLines, buffersBefore.DataLines);
    EXPECT_EQ(calc.out.OutputLines, buffersBefore.OutputLines);
    EXPECT_EQ(calc.chart.NatalLong, before.NatalLong);
}

}  // namespace
}  // namespace orrerion
