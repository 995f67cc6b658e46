#pragma once
// The calculation from typed input to charts: checks, parsing, the natal, transit, progressed and
// solar-arc charts with their houses.
#include "core/base/input_fields.h"
#include "core/base/messages.h"
#include "core/base/options.h"
#include "core/chart/chart_state.h"
#include "core/chart/houses.h"
#include "core/ephemeris/ephemeris.h"

namespace orrerion {

// What the chart driver reads: both windows' fields, the house system, the options and the
// system's date order.
struct ChartInput {
    const InputFields& natal;
    const InputFields& diurnal;
    ProgressionType progression = ProgressionType::Secondary;  // the diurnal window's choice
    HouseSystem houseSystem = HouseSystem::Placidus;  // the Houses menu's choice
    const Options& options;
    int DateOrder = 0;
    PointChoice points;  // the extra points to add to every chart
};

// Checks the input fields (each failing check reports its message); when any fails returns false
// with the chart state unchanged. Otherwise builds all four charts into `chart`, leaves the
// working ephemeris values of the transit moment in `eph` and returns true. A calculation that
// yields no number reports an error and returns false with the chart state unchanged.
bool ChartDriver(const ChartInput& input, EphemerisState& eph, ChartState& chart, Reporter& reporter);

}  // namespace orrerion
