#pragma once
// The chart the tests and the benchmarks compute by default: John Smith (13 Jan 1950, 8.30 A.M.,
// zone 5, 74.00 W 40.43 N) for 07 Dec 2026 at noon, Placidus houses, secondary progressions, with
// the shipped orbs. Free of any test framework, so that the benchmarks use it too.
#include "core/base/messages.h"
#include "core/records/name_record.h"
#include "core/run/run_calculation.h"

namespace orrerion::testing {

// The shipped orbs: conjunction, square, trine and opposition 8, sextile 6, the minor aspects 2.
inline Options ShippedOrbs() {
    Options o;
    for (Option i : {Option::ConjunctionOrb, Option::SquareOrb, Option::TrineOrb, Option::OppositionOrb}) o[i] = 8;
    o[Option::SextileOrb] = 6;
    o[Option::SemisquareOrb] = 2;
    o[Option::SesquisquareOrb] = 2;
    o[Option::SemisextileOrb] = 2;
    o[Option::QuincunxOrb] = 2;
    for (Option i : {Option::TransitSunUsed, Option::TransitMercuryUsed, Option::TransitVenusUsed, Option::TransitMarsUsed}) o[i] = 1;
    return o;
}

// John Smith's calculation with `options`, after the chart driver.
inline Calculation JohnSmithCalculation(const Options& options) {
    Calculation calc;
    calc.options = options;
    calc.natal.name = "John Smith";
    LoadNameRecord(*NameRecordFromLine("John Smith,13 Jan 1950,8.30,A,5,074.00,40.43"), 0, InputSection::Natal, calc.natal);
    LoadNameRecord(*NameRecordFromLine(",07 Dec 2026,12.00,P,5,074.00,40.43"), 0, InputSection::Diurnal, calc.diurnal);
    CollectingReporter reporter;
    RunCalculationStart(calc);
    ComputeCharts(calc, reporter);
    return calc;
}

// The default chart with the shipped orbs.
inline Calculation JohnSmith() { return JohnSmithCalculation(ShippedOrbs()); }

}  // namespace orrerion::testing
