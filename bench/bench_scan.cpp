// Cost of one scanned day (transit, progressed and solar-arc positions with their houses) and of
// one aspect test.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "aspects/aspect_scan.h"
#include "chart/chart_driver.h"
#include "records/name_record.h"

namespace {

// The John Smith chart (13 Jan 1950, 8.30 A.M., zone 5, 74.00 W 40.43 N) for 07 Dec 2026 noon,
// Placidus houses, secondary progressions, the shipped orbs.
orrerion::Calculation JohnSmith() {
    orrerion::Calculation calc;
    calc.natal.txtName = "John Smith";
    orrerion::LoadNameRecord(*orrerion::NameRecordFromLine("John Smith,13 Jan 1950,8.30,A,5,074.00,40.43"), 0,
                             calc.natal);
    orrerion::LoadNameRecord(*orrerion::NameRecordFromLine(",07 Dec 2026,12.00,P,5,074.00,40.43"), 0, calc.diurnal);
    float orbs[] = {0, 8, 2, 6, 8, 8, 2, 8};
    for (int i = 1; i <= 7; ++i) calc.options.OptionValue[static_cast<std::size_t>(i)] = orbs[i];
    calc.options.OptionValue[29] = 2;
    calc.options.OptionValue[30] = 2;
    for (int i = 32; i <= 35; ++i) calc.options.OptionValue[static_cast<std::size_t>(i)] = 1;
    orrerion::CollectingReporter reporter;
    orrerion::RunCalculationStart(calc);
    if (!orrerion::ChartDriver(calc, reporter)) std::fputs("chart refused\n", stderr);
    calc.chart.WorkCusp = calc.chart.NatalCusp;
    return calc;
}

void BM_ScannedDay(benchmark::State& state) {
    orrerion::Calculation calc = JohnSmith();
    orrerion::ScannedDay day;
    int n = 0;
    for (auto _ : state) {
        orrerion::ComputeScannedDay(calc, n, day);
        benchmark::DoNotOptimize(day);
        n = (n + 1) % orrerion::MaxScanDays;
    }
}
BENCHMARK(BM_ScannedDay);

void BM_AspectTest(benchmark::State& state) {
    orrerion::Options options;
    float orbs[] = {0, 8, 2, 6, 8, 8, 2, 8};
    for (int i = 1; i <= 7; ++i) options.OptionValue[static_cast<std::size_t>(i)] = orbs[i];
    options.OptionValue[29] = 2;
    options.OptionValue[30] = 2;
    const orrerion::AspectBounds bounds = orrerion::MakeAspectBounds(options);
    // Longitude pairs spread over the circle, so that every branch is taken.
    std::vector<double> longitudes;
    for (int i = 0; i < 1024; ++i) longitudes.push_back(i * 137.50776405 - 360.0 * static_cast<int>(i * 137.50776405 / 360.0));
    std::size_t i = 0;
    for (auto _ : state) {
        const orrerion::AspectResult r =
            orrerion::TestAspect(bounds, longitudes[i & 1023], longitudes[(i * 7 + 3) & 1023]);
        benchmark::DoNotOptimize(r);
        ++i;
    }
}
BENCHMARK(BM_AspectTest);

}  // namespace
