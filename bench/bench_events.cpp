// The sky's events over a span, from each source of positions: every kind over 32767 days from the
// diurnal date of the benchmark chart, as orrerion-cli events computes them. Compare with
// BM_WholeScan/2/32767 of bench_scan (the reports scan over the same days). Counter: the events found.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/ephemeris/precise_ephemeris.h"
#include "core/events/sky_events.h"
#include "default_chart.h"

namespace orrerion {
namespace {

void BM_SkyEvents(benchmark::State& state) {
    const auto source = state.range(0) == 0 ? EphemerisSource::Builtin : EphemerisSource::Precise;
    if (source == EphemerisSource::Precise && !CheckPreciseEphemeris().available) {
        state.SkipWithError("precise positions unavailable");
        return;
    }
    const Calculation calc = testing::JohnSmith();
    SkyEventRequest request;
    request.fromJD = calc.chart.DiurnalJD;
    request.days = static_cast<double>(state.range(1));
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<SkyEvent> events = FindSkyEvents(calc.chart, source, request);
        found = events.size();
        benchmark::DoNotOptimize(events.data());
    }
    state.counters["events"] = static_cast<double>(found);
}
// Source (0 built-in, 1 precise), then days.
BENCHMARK(BM_SkyEvents)->Args({0, 32767})->Args({1, 32767})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
}  // namespace orrerion
