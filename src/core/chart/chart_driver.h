#pragma once
// The calculation from typed input to charts: checks, parsing, the natal, transit, progressed and
// solar-arc charts with their houses, and the data summary.
#include "chart/calculation.h"
#include "chart/messages.h"

namespace orrerion {

// Empties both output line buffers (count 0, then one empty line), as every calculation run
// starts.
void RunCalculationStart(Calculation& calc);

// Checks the input fields (each failing check reports its message); when any fails returns false
// with the chart state unchanged. Otherwise builds all four charts into calc.chart, leaves the
// working ephemeris values of the transit moment in calc.eph, appends the data summary to the
// buffers and returns true. A calculation that yields no number reports an error and returns
// false with the chart state unchanged.
bool ChartDriver(Calculation& calc, Reporter& reporter);

}  // namespace orrerion
