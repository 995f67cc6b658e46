// The one calculation routine: the day count decides whether anything is scanned or written.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

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
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scanned.folder),
                            std::filesystem::directory_iterator()),
              16);
}

}  // namespace
}  // namespace orrerion
