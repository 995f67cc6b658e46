// Cost of one scanned day (transit, progressed and solar-arc positions with their houses and
// texts), of one aspect test, of the listed-by-day pass over a block of days, and of a whole scan
// with its sixteen files on one and on two threads.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/report_files.h"
#include "core/records/name_record.h"
#include "core/run/run_calculation.h"
#include "default_chart.h"

namespace {

using namespace orrerion;

void BM_ScannedDay(benchmark::State& state) {
    Calculation calc = testing::JohnSmith();
    ScanDayContext context(calc.chart, calc.eph, calc.options);
    ScannedDay day;
    int n = 0;
    for (auto _ : state) {
        ComputeScannedDay(context, n, day);
        benchmark::DoNotOptimize(day);
        n = (n + 1) % MaxScanDays;
    }
}
BENCHMARK(BM_ScannedDay);

void BM_AspectTest(benchmark::State& state) {
    const AspectBounds bounds = MakeAspectBounds(testing::ShippedOrbs());
    // Longitude pairs spread over the circle, so that every branch is taken.
    std::vector<double> longitudes;
    for (int i = 0; i < 1024; ++i) longitudes.push_back(i * 137.50776405 - 360.0 * static_cast<int>(i * 137.50776405 / 360.0));
    std::size_t i = 0;
    for (auto _ : state) {
        const AspectResult r =
            TestAspect(bounds, longitudes[i & 1023], longitudes[(i * 7 + 3) & 1023]);
        benchmark::DoNotOptimize(r);
        ++i;
    }
}
BENCHMARK(BM_AspectTest);

// The aspect tests and listed-by-day lines of all five families for a block of 32 computed days;
// the time is per day.
void BM_ListedDays(benchmark::State& state) {
    Calculation calc = testing::JohnSmith();
    ScanDayContext context(calc.chart, calc.eph, calc.options);
    ListedBlock block;
    block.days.resize(32);
    for (int day = 0; day < 32; ++day) ComputeScannedDay(context, 5000 + day, block.days[static_cast<std::size_t>(day)]);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "orrerion_bench_listed";
    std::filesystem::create_directories(folder);
    ReportSet files(folder, "Bench");  // never published: the temporary files go at the end
    const ListedByDayPass pass(calc.chart, calc.options, MaxScanDays, NatalTargets(calc.chart), files);
    for (auto _ : state) {
        pass.ListBlock(block);
        benchmark::DoNotOptimize(block.lines[0].view().data());
    }
    state.SetItemsProcessed(state.iterations() * 32);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ListedDays)->Unit(benchmark::kMicrosecond);

// RunAspectScan with its sixteen files and listings: threads, then days. Counters: the runs found
// and the bytes the scan's result holds.
void BM_WholeScan(benchmark::State& state) {
    const int days = static_cast<int>(state.range(1));
    std::size_t resultBytes = 0;
    std::size_t runs = 0;
    const Calculation start = testing::JohnSmith();
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "orrerion_bench_scan";
    std::filesystem::create_directories(folder);
    for (auto _ : state) {
        Calculation calc = start;
        ScanObserver quiet;
        CollectingReporter reporter;
        ScanResult result;
        const ScanInputs inputs{.chart = calc.chart, .eph = calc.eph, .options = calc.options, .scanDays = days,
                                .reportsFolder = folder, .settings = {static_cast<int>(state.range(0))}};
        const ScanOutcome outcome = RunAspectScan(inputs, calc.out, quiet, reporter, result);
        if (outcome != ScanOutcome::Completed) state.SkipWithError("the scan failed");
        resultBytes = result.ByteCount();
        runs = result.runs.size();
    }
    state.counters["result_bytes"] = static_cast<double>(resultBytes);
    state.counters["runs"] = static_cast<double>(runs);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_WholeScan)->Args({1, 3650})->Args({2, 3650})->Args({2, 32767})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
