// The one calculation routine: the day count decides whether anything is scanned or written.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/aspects/report_files.h"
#include "core/aspects/report_sorting.h"
#include "core/aspects/summary.h"
#include "core/chart/houses.h"
#include "core/records/name_record.h"
#include "core/records/options_file.h"
#include "core/run/run_calculation.h"
#include "scan_fixture.h"
#include "test_paths.h"

namespace orrerion {
namespace {

// Counts what the scan asks the windows to do.
struct CountingObserver : ScanObserver {
    int calls = 0;
    void BeginScan() override { ++calls; }
    void ShowProgress(int, int) override { ++calls; }
    void ShowDataWindow() override { ++calls; }
    void EndScan() override { ++calls; }
};

struct AnsweredRun {
    CalculationOutcome outcome;
    Calculation calc;
    CountingObserver observer;
    CollectingReporter reporter;
    std::filesystem::path folder;
};

AnsweredRun RunWithAnswer(const char* answer) {
    AnsweredRun run;
    run.calc = testing::JohnSmithCalculation(testing::ShippedOrbs());
    run.folder = testing::MakeTempDir() / "reports";
    CalculationRequest request;
    request.askDays = [&] { return std::optional<std::string>(answer); };
    request.reportsFolder = run.folder;
    run.outcome = RunCalculation(run.calc, request, run.observer, run.reporter);
    return run;
}

TEST(RunCalculation, BelowOneDayScansNothingAndAboveTheLimitIsRefused) {
    for (const char* answer : {"0", "-5", "abc", "", "0.5"}) {
        const AnsweredRun run = RunWithAnswer(answer);
        EXPECT_TRUE(run.outcome.charted) << answer;
        EXPECT_EQ(run.outcome.scan, ScanOutcome::NotRun) << answer;
        EXPECT_EQ(run.observer.calls, 0) << answer;
        EXPECT_TRUE(run.reporter.messages.empty()) << answer;
        EXPECT_FALSE(std::filesystem::exists(run.folder)) << answer;
    }
    const AnsweredRun refused = RunWithAnswer("40000");
    EXPECT_EQ(refused.outcome.scan, ScanOutcome::Refused);
    ASSERT_EQ(refused.reporter.messages.size(), 1u);
    EXPECT_EQ(refused.reporter.messages[0].title, "Warning!");
    EXPECT_EQ(refused.observer.calls, 0);
    EXPECT_FALSE(std::filesystem::exists(refused.folder));

    const AnsweredRun scanned = RunWithAnswer("2");
    EXPECT_EQ(scanned.outcome.scan, ScanOutcome::Completed);
    EXPECT_EQ(testing::ReportFolderNames(scanned.folder).size(), 16u);
}

// ---- The scan's result and its files ------------------------------------------------------------

TEST(ScanResult, HoldsTheRunsAndExactDatesOfTheApprovedReports) {
    for (const std::filesystem::path& caseDir : testing::GoldenCases("scan")) {
        SCOPED_TRACE(caseDir.filename().string());
        std::string days;
        Calculation calc = testing::GoldenScanCalculation(caseDir, days);
        CalculationRequest request;
        request.askDays = [&] { return std::optional<std::string>(days); };
        request.reportsFolder = testing::MakeTempDir() / "reports";
        ScanObserver quiet;
        CollectingReporter reporter;
        ASSERT_EQ(RunCalculation(calc, request, quiet, reporter).scan, ScanOutcome::Completed);
        const ScanResult& result = calc.scan;
        const std::filesystem::path approved = caseDir / "reports";
        const std::string stem = ReportStem(calc.chart.ChartName);
        EXPECT_EQ(result.ScanDays, std::stoi(days));

        for (const FamilyInfo& family : ScanFamilies) {
            SCOPED_TRACE(family.Suffix());
            const std::vector<std::string> lines =
                testing::ReportFileLines(approved / (stem + family.Suffix() + ".txt"));
            const std::span<const ScanRun> runs = result.Runs(family.family);
            ASSERT_EQ(runs.size(), lines.size());
            const auto column = static_cast<std::size_t>(RunDateColumn(family) - 1);
            for (std::size_t i = 0; i < runs.size(); ++i) {
                const ScanRun& run = runs[i];
                const std::string& line = lines[i];
                // Run for run: the points, the aspect, both dates and both marks.
                EXPECT_EQ(line.substr(0, 7), PointName(run.mover)) << line;
                EXPECT_EQ(line.substr(32, 11), AspectName(run.AspectCode)) << line;
                EXPECT_EQ(line.substr(43, 7), PointName(run.target)) << line;
                EXPECT_EQ(line[column - 1] == '<', run.continuesBefore) << line;
                EXPECT_EQ(line.substr(column, 9), DateDdMmmYy(result.DateOfDay(run.firstDay))) << line;
                EXPECT_EQ(line.substr(column + 10, 9), DateDdMmmYy(result.DateOfDay(run.lastDay))) << line;
                EXPECT_EQ(line.back() == '>', run.continuesAfter) << line;
                EXPECT_LE(run.firstDay, run.lastDay);
                EXPECT_EQ(RunLine(result, run), line);
            }
            // The sorted-by-date file walks the same runs by first day.
            std::vector<std::string> byDate;
            for (const std::uint32_t run : result.RunsByDate(family.family)) {
                byDate.push_back(RunLine(result, result.runs[run]));
            }
            EXPECT_EQ(byDate, testing::ReportFileLines(approved / (stem + family.Suffix() + ".asc")));
        }
        std::vector<std::string> exactLines;
        for (const ExactDate& exact : result.exactDates) {
            if (ExactDateListed(exact)) exactLines.push_back(ExactLine(result, exact));
        }
        EXPECT_EQ(exactLines, testing::ReportFileLines(approved / (stem + "_ex.txt")));
    }
}

TEST(RunCalculation, AScanThatCannotWriteEveryFileLeavesThePreviousSetAndClearsLeftovers) {
    namespace fs = std::filesystem;
    const AnsweredRun first = RunWithAnswer("3");
    ASSERT_EQ(first.outcome.scan, ScanOutcome::Completed);
    std::map<std::string, std::string> previous;
    for (const std::string& name : testing::ReportFolderNames(first.folder)) {
        previous[name] = testing::ReadWholeFile(first.folder / name);
    }
    ASSERT_EQ(previous.size(), 16u);
    // What a scan killed an hour ago left behind.
    const fs::path leftover = first.folder / ".John_tn.doc~0123456789abcdef.tmp";
    testing::WriteWholeFile(leftover, "half a file");
    fs::last_write_time(leftover, fs::file_time_type::clock::now() - std::chrono::hours(1));

    // A longer scan whose second listed-by-day file (solar arc, 660 KB) outgrows the file size
    // limit part-way, after the transit files (520 KB and less) were written in full.
    Calculation calc = testing::JohnSmithCalculation(testing::ShippedOrbs());
    CalculationRequest request;
    request.askDays = [] { return std::optional<std::string>("200"); };
    request.reportsFolder = first.folder;
    ScanObserver quiet;
    CollectingReporter reporter;
    const CalculationOutcome outcome = testing::WithFileSizeLimit(
        600 << 10, [&] { return RunCalculation(calc, request, quiet, reporter); });
    EXPECT_EQ(outcome.scan, ScanOutcome::WriteFailed);
    EXPECT_TRUE(calc.scan.runs.empty());  // no result without its reports
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text,
              "Cannot write " + (first.folder / "John_sn.doc").string() + ": File too large");

    std::map<std::string, std::string> now;
    for (const std::string& name : testing::ReportFolderNames(first.folder)) {
        now[name] = testing::ReadWholeFile(first.folder / name);
    }
    EXPECT_TRUE(now == previous);  // the same sixteen files, byte for byte, and nothing else
}

// A calculation is whole: a refused input changes none of the one before it (charts, both
// buffers, scan) and asks no day count; new charts drop the old chart's scan even when no day is
// scanned.
TEST(RunCalculation, RefusedInputLeavesTheCalculationWholeAndNewChartsDropTheOldScan) {
    const AnsweredRun scanned = RunWithAnswer("3");
    ASSERT_EQ(scanned.outcome.scan, ScanOutcome::Completed);
    ASSERT_FALSE(scanned.calc.scan.runs.empty());

    const struct {
        const char* name;
        void (*change)(Calculation&);
    } refusals[] = {
        {"natal day 32", [](Calculation& c) { c.natal.day = "32"; }},
        {"natal month 13", [](Calculation& c) { c.natal.month = "13"; }},
        {"diurnal latitude 67", [](Calculation& c) { c.diurnal.latDeg = "67"; }},
    };
    for (const auto& refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        Calculation calc = scanned.calc;
        refusal.change(calc);
        bool asked = false;
        CalculationRequest request;
        request.askDays = [&] {
            asked = true;
            return std::optional<std::string>("3");
        };
        request.reportsFolder = scanned.folder;
        ScanObserver quiet;
        CollectingReporter reporter;
        const CalculationOutcome outcome = RunCalculation(calc, request, quiet, reporter);
        EXPECT_FALSE(outcome.charted);
        EXPECT_FALSE(asked);
        EXPECT_FALSE(reporter.messages.empty());
        EXPECT_EQ(calc.chart.NatalJD, scanned.calc.chart.NatalJD);
        EXPECT_EQ(calc.chart.NatalLong, scanned.calc.chart.NatalLong);
        EXPECT_EQ(calc.out.OutputLines, scanned.calc.out.OutputLines);
        EXPECT_EQ(calc.out.DataLines, scanned.calc.out.DataLines);
        EXPECT_EQ(calc.scan.ScanDays, 3);
        EXPECT_EQ(calc.scan.runs.size(), scanned.calc.scan.runs.size());
    }

    // Birth at 3.00 P.M., no days: the new chart and its summary, and no scan.
    Calculation calc = scanned.calc;
    calc.natal.hour = "3";
    calc.natal.minute = "00";
    calc.natal.am = false;
    CalculationRequest request;
    request.askDays = [] { return std::optional<std::string>(""); };
    ScanObserver quiet;
    CollectingReporter reporter;
    const CalculationOutcome outcome = RunCalculation(calc, request, quiet, reporter);
    EXPECT_TRUE(outcome.charted);
    EXPECT_EQ(outcome.scan, ScanOutcome::NotRun);
    EXPECT_EQ(calc.scan.ScanDays, 0);
    EXPECT_TRUE(calc.scan.runs.empty());
    EXPECT_NE(calc.chart.NatalJD, scanned.calc.chart.NatalJD);
    const std::vector<std::string> lines = calc.out.DataLines.ToVector();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "  " + NatalDetailsLine(calc.chart)), lines.end());
    EXPECT_NE(NatalDetailsLine(calc.chart).find(" 3.00 P.M."), std::string::npos);
}

// A scan asked for its runs alone (an export without reports) finds what a scan with its files
// finds, lists the same lines, and writes nothing: not even the reports folder is made.
TEST(RunCalculation, AScanWithoutReportFilesFindsAndListsTheSameAndWritesNothing) {
    for (const std::filesystem::path& caseDir : testing::GoldenCases("scan")) {
        for (const int threads : {1, 2}) {
            SCOPED_TRACE(caseDir.filename().string() + ", threads " + std::to_string(threads));
            const auto scan = [&](bool reportFiles, const std::filesystem::path& folder) {
                std::string days;
                Calculation calc = testing::GoldenScanCalculation(caseDir, days);
                CalculationRequest request;
                request.askDays = [&] { return std::optional<std::string>("400"); };
                request.reportsFolder = folder;
                request.scan.threads = threads;
                request.scan.reportFiles = reportFiles;
                ScanObserver quiet;
                CollectingReporter reporter;
                EXPECT_EQ(RunCalculation(calc, request, quiet, reporter).scan, ScanOutcome::Completed);
                return calc;
            };
            const std::filesystem::path dir = testing::MakeTempDir();
            const Calculation with = scan(true, dir / "with");
            const Calculation without = scan(false, dir / "without");
            EXPECT_EQ(testing::ReportFolderNames(dir / "with").size(), 16u);
            EXPECT_FALSE(std::filesystem::exists(dir / "without"));

            EXPECT_TRUE(with.out.OutputLines == without.out.OutputLines);
            EXPECT_TRUE(with.out.DataLines == without.out.DataLines);
            EXPECT_GT(with.out.DataLines.size(), 100u);
            const ScanResult& a = with.scan;
            const ScanResult& b = without.scan;
            ASSERT_EQ(a.runs.size(), b.runs.size());
            ASSERT_GT(a.runs.size(), 0u);
            for (std::size_t i = 0; i < a.runs.size(); ++i) {
                EXPECT_EQ(RunLine(a, a.runs[i]), RunLine(b, b.runs[i]));
                EXPECT_EQ(a.runs[i].smallestOrb, b.runs[i].smallestOrb);
                const auto daysA = a.SmallestOrbDays(a.runs[i]);
                const auto daysB = b.SmallestOrbDays(b.runs[i]);
                ASSERT_EQ(daysA.size(), daysB.size());
                for (std::size_t k = 0; k < daysA.size(); ++k) {
                    EXPECT_EQ(daysA[k].first, daysB[k].first);
                    EXPECT_EQ(daysA[k].last, daysB[k].last);
                }
            }
            ASSERT_EQ(a.exactDates.size(), b.exactDates.size());
            for (std::size_t i = 0; i < a.exactDates.size(); ++i) {
                EXPECT_EQ(ExactLine(a, a.exactDates[i]), ExactLine(b, b.exactDates[i]));
                EXPECT_EQ(a.exactDates[i].run, b.exactDates[i].run);
            }
        }
    }
}

}  // namespace
}  // namespace orrerion
