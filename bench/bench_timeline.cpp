// The timeline of a 32767-day scan of the benchmarks' chart: laying it out, and
// painting it offscreen into a 1600 x 1000 image, the whole span and a view zoomed to one year.
// The layout's bytes per run are reported as a counter.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <filesystem>

#include "core/aspects/aspect_scan.h"
#include "core/pictures/timeline_layout.h"
#include "core/run/run_calculation.h"
#include "gui/pictures/timeline_painter.h"
#include "default_chart.h"

namespace {

using namespace orrerion;

// The scan, made once: its reports go to a folder of the temporary directory.
const ScanResult& LongScan() {
    static const ScanResult scan = [] {
        Calculation calc = testing::JohnSmith();
        CollectingReporter reporter;
        ScanObserver quiet;
        CalculationRequest request;
        request.askDays = [] { return std::optional<std::string>("32767"); };
        request.reportsFolder = std::filesystem::temp_directory_path() / "orrerion_bench_timeline";
        if (RunCalculation(calc, request, quiet, reporter).scan != ScanOutcome::Completed) {
            std::fputs("the scan failed\n", stderr);
        }
        std::filesystem::remove_all(request.reportsFolder);
        return calc.scan;
    }();
    return scan;
}

void BM_TimelineLayout(benchmark::State& state) {
    const ScanResult& scan = LongScan();
    std::size_t bytes = 0, runs = 0;
    for (auto _ : state) {
        const TimelineLayout layout = LayOutTimeline(scan);
        bytes = layout.ByteCount();
        runs = layout.runs.size();
        benchmark::DoNotOptimize(layout);
    }
    state.counters["runs"] = static_cast<double>(runs);
    state.counters["bytes_per_run"] = static_cast<double>(bytes) / static_cast<double>(runs);
}
BENCHMARK(BM_TimelineLayout)->Unit(benchmark::kMillisecond);

// A 1600 x 1000 paint of days [from, from + days) with every lane shown, as the window paints it.
void PaintView(benchmark::State& state, double from, double days) {
    const ScanResult& scan = LongScan();
    const TimelineLayout layout = LayOutTimeline(scan);
    const std::vector<std::uint32_t> lanes = ShownLanes(layout, {});
    QImage image(1600, 1000, QImage::Format_ARGB32_Premultiplied);
    TimelineFrame frame;
    frame.fromDay = from;
    frame.toDay = from + days;
    frame.left = 250;
    frame.top = 40;
    frame.width = 1600 - 250 - 8;
    frame.height = 1000 - 40 - 2;
    frame.laneHeight = 18;
    frame.firstRow = 0;
    const bool symbols = gui::LaneSymbolsInFont();
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        gui::PaintTimeline(painter, {layout, lanes, frame, 4.0, 0, std::nullopt, false, symbols, nullptr, AllSkyKinds, std::nullopt});
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["lanes"] = static_cast<double>(lanes.size());
    state.counters["runs"] = static_cast<double>(layout.runs.size());
}

void BM_PaintWholeSpan(benchmark::State& state) { PaintView(state, 0, MaxScanDays); }
BENCHMARK(BM_PaintWholeSpan)->Unit(benchmark::kMillisecond);

void BM_PaintOneYear(benchmark::State& state) { PaintView(state, 16000, 365); }
BENCHMARK(BM_PaintOneYear)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // Painting needs a Qt application; no display is needed.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
