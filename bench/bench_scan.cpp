// Cost of one scanned day (transit, progressed and solar-arc positions with their houses) and of
// one aspect test.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "core/aspects/aspect_scan.h"
#include "core/records/name_record.h"
#include "core/run/run_calculation.h"

namespace {

using namespace orrerion;

// The John Smith chart (13 Jan 1950, 8.30 A.M., zone 5, 74.00 W 40.43 N) for 07 Dec 2026 noon,
// Placidus houses, secondary progressions, the shipped orbs.
Calculation JohnSmith() {
    Calculation calc;
    calc.natal.name = "John Smith";
    LoadNameRecord(*NameRecordFromLine("John Smith,13 Jan 1950,8.30,A,5,074.00,40.43"), 0, InputSection::Natal,
                             calc.natal);
    LoadNameRecord(*NameRecordFromLine(",07 Dec 2026,12.00,P,5,074.00,40.43"), 0, InputSection::Diurnal, calc.diurnal);
    for (Option i : {Option::ConjunctionOrb, Option::SquareOrb, Option::TrineOrb, Option::OppositionOrb}) calc.options[i] = 8;
    calc.options[Option::SextileOrb] = 6;
    calc.options[Option::SemisquareOrb] = 2;
    calc.options[Option::SesquisquareOrb] = 2;
    calc.options[Option::SemisextileOrb] = 2;
    calc.options[Option::QuincunxOrb] = 2;
    for (Option i : {Option::TransitSunUsed, Option::TransitMercuryUsed, Option::TransitVenusUsed, Option::TransitMarsUsed}) calc.options[i] = 1;
    CollectingReporter reporter;
    RunCalculationStart(calc);
    if (!ComputeCharts(calc, reporter)) std::fputs("chart refused\n", stderr);
    calc.chart.WorkCusp = calc.chart.NatalCusp;
    return calc;
}

void BM_ScannedDay(benchmark::State& state) {
    Calculation calc = JohnSmith();
    ScannedDay day;
    int n = 0;
    for (auto _ : state) {
        ComputeScannedDay(calc.chart, calc.eph, calc.options, n, day);
        benchmark::DoNotOptimize(day);
        n = (n + 1) % MaxScanDays;
    }
}
BENCHMARK(BM_ScannedDay);

void BM_AspectTest(benchmark::State& state) {
    Options options;
    for (Option i : {Option::ConjunctionOrb, Option::SquareOrb, Option::TrineOrb, Option::OppositionOrb}) options[i] = 8;
    options[Option::SextileOrb] = 6;
    options[Option::SemisquareOrb] = 2;
    options[Option::SesquisquareOrb] = 2;
    options[Option::SemisextileOrb] = 2;
    options[Option::QuincunxOrb] = 2;
    const AspectBounds bounds = MakeAspectBounds(options);
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

}  // namespace
