// Cost of the scan's exports over 32767 days: the exact moments (computing their daily samples or
// reading those the scan kept), each format written into a file as it is made, and the whole
// export run (the scan without report files, the moments and the three files) beside the scan
// with its sixteen report files. CPU time is the whole process's, both scan threads included.
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "core/exports/exact_moments.h"
#include "core/exports/scan_exports.h"
#include "core/run/run_calculation.h"
#include "default_chart.h"

namespace {

using namespace orrerion;

constexpr int Days = MaxScanDays;

// John Smith scanned over `Days` days, with or without the report files (into `reports`), keeping
// the days' longitudes in `kept` when given.
Calculation Scanned(bool reportFiles, const std::filesystem::path& reports, ScanLongitudes* kept) {
    Calculation calc = testing::JohnSmith();
    CalculationRequest request;
    request.askDays = [] { return std::optional<std::string>(std::to_string(Days)); };
    request.reportsFolder = reports;
    request.scan.reportFiles = reportFiles;
    request.scan.longitudes = kept;
    ScanObserver quiet;
    CollectingReporter reporter;
    RunCalculation(calc, request, quiet, reporter);
    return calc;
}

std::filesystem::path BenchFolder() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "orrerion_bench_exports";
    std::filesystem::create_directories(folder);
    return folder;
}

// The moments of every transit run; argument 1 reads the days the scan kept. Counter: moments.
void BM_ExactMoments(benchmark::State& state) {
    ScanLongitudes kept;
    const Calculation calc = Scanned(false, {}, &kept);
    const ScanLongitudes* scanned = state.range(0) != 0 ? &kept : nullptr;
    std::size_t moments = 0;
    for (auto _ : state) {
        moments = ExactMoments(calc.chart, calc.eph, calc.options, calc.scan, AllFamilies, scanned).size();
    }
    state.counters["moments"] = static_cast<double>(moments);
}
BENCHMARK(BM_ExactMoments)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One format written into a file as it is made: 0 calendar, 1 CSV, 2 JSON. Counter: bytes.
void BM_ExportFile(benchmark::State& state) {
    ScanLongitudes kept;
    Calculation calc = Scanned(false, {}, &kept);
    const ExportSource source = MakeExportSource(calc.chart, calc.eph, calc.options, std::move(calc.scan),
                                                 calc.DiurnalZoneName, AllFamilies, &kept);
    constexpr std::array Formats = {ExportFormat::Calendar, ExportFormat::Csv, ExportFormat::Json};
    const ExportFormat format = Formats.at(static_cast<std::size_t>(state.range(0)));
    const std::filesystem::path path = BenchFolder() / "export";
    for (auto _ : state) {
        if (!WriteExportFile(path, format, source, ExportChoice{}, "20261207T120000Z").ok) {
            state.SkipWithError("the export could not be written");
        }
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove_all(BenchFolder());
}
BENCHMARK(BM_ExportFile)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Arg 0: the scan with its sixteen report files. Arg 1: the export run, as `orrerion-cli scan --ics
// --csv --json` without --reports runs it. Compare their CPU times.
void BM_ExportRunAgainstReports(benchmark::State& state) {
    const bool exports = state.range(0) != 0;
    const std::filesystem::path folder = BenchFolder();
    for (auto _ : state) {
        if (!exports) {
            benchmark::DoNotOptimize(Scanned(true, folder / "reports", nullptr).scan.runs.size());
            continue;
        }
        ScanLongitudes kept;
        Calculation calc = Scanned(false, {}, &kept);
        const ExportSource source = MakeExportSource(calc.chart, calc.eph, calc.options, std::move(calc.scan),
                                                     calc.DiurnalZoneName, AllFamilies, &kept);
        for (const auto& [format, name] : {std::pair{ExportFormat::Calendar, "x.ics"}, std::pair{ExportFormat::Csv, "x.csv"},
                                           std::pair{ExportFormat::Json, "x.json"}}) {
            if (!WriteExportFile(folder / name, format, source, ExportChoice{}, "20261207T120000Z").ok) {
                state.SkipWithError("an export could not be written");
            }
        }
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ExportRunAgainstReports)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
