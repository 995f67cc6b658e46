// Cost of one call of each ephemeris entry.
#include <benchmark/benchmark.h>

#include <cmath>

#include "core/ephemeris/ephemeris.h"
#include "core/ephemeris/time_angles.h"

namespace {

orrerion::EphemerisState StateAt(double jd) {
    orrerion::EphemerisState s;
    s.DayNumber = std::floor(jd + 0.5);
    s.DayFraction = jd + 0.5 - s.DayNumber;
    s.EphT = (s.DayNumber + s.DayFraction - 0.5 - orrerion::JulianDay1900) / orrerion::DaysPerCentury;
    s.NegObliquityRad = orrerion::NegObliquityRadians(s.EphT);
    return s;
}

void BM_EphemerisAllBodies(benchmark::State& state) {
    double jd = 2451545.0;
    for (auto _ : state) {
        orrerion::EphemerisState s = StateAt(jd);
        orrerion::EphemerisAllBodies(s);
        benchmark::DoNotOptimize(s.WorkLong);
        jd += 1.37;
    }
}
BENCHMARK(BM_EphemerisAllBodies);

// One scanned day's positions from each source: the program's series, or the Swiss Ephemeris.
void BM_EphemerisDailyUpdate(benchmark::State& state) {
    orrerion::EphemerisState s = StateAt(2451545.0);
    s.Source = static_cast<orrerion::EphemerisSource>(state.range(0));
    const double t1900 = s.EphT;
    const double t2000 = 0.0;
    int day = 0;
    for (auto _ : state) {
        s.ScanT = t1900 + day / orrerion::DaysPerCentury;
        s.EphT2000 = t2000 + day / orrerion::DaysPerCentury;
        s.DayNumber = 2451545.0 + day;
        orrerion::EphemerisDailyUpdate(s);
        benchmark::DoNotOptimize(s.WorkLong);
        ++day;
    }
}
BENCHMARK(BM_EphemerisDailyUpdate)
    ->Arg(static_cast<int>(orrerion::EphemerisSource::Builtin))
    ->Arg(static_cast<int>(orrerion::EphemerisSource::Precise));

}  // namespace
