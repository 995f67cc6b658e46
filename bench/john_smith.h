#pragma once
// The chart the benchmarks compute: John Smith (13 Jan 1950, 8.30 A.M., zone 5, 74.00 W 40.43 N)
// for 07 Dec 2026 noon, Placidus houses, secondary progressions, the shipped orbs.
#include <cstdio>

#include "core/records/name_record.h"
#include "core/run/run_calculation.h"

namespace orrerion::bench {

inline Options ShippedOrbs() {
    Options options;
    for (Option i : {Option::ConjunctionOrb, Option::SquareOrb, Option::TrineOrb, Option::OppositionOrb}) options[i] = 8;
    options[Option::SextileOrb] = 6;
    options[Option::SemisquareOrb] = 2;
    options[Option::SesquisquareOrb] = 2;
    options[Option::SemisextileOrb] = 2;
    options[Option::QuincunxOrb] = 2;
    for (Option i : {Option::TransitSunUsed, Option::TransitMercuryUsed, Option::TransitVenusUsed, Option::TransitMarsUsed}) options[i] = 1;
    return options;
}

// The chart after the chart driver.
inline Calculation JohnSmith() {
    Calculation calc;
    calc.natal.name = "John Smith";
    LoadNameRecord(*NameRecordFromLine("John Smith,13 Jan 1950,8.30,A,5,074.00,40.43"), 0, InputSection::Natal,
                             calc.natal);
    LoadNameRecord(*NameRecordFromLine(",07 Dec 2026,12.00,P,5,074.00,40.43"), 0, InputSection::Diurnal, calc.diurnal);
    calc.options = ShippedOrbs();
    CollectingReporter reporter;
    RunCalculationStart(calc);
    if (!ComputeCharts(calc, reporter)) std::fputs("chart refused\n", stderr);
    return calc;
}

}  // namespace orrerion::bench
