#pragma once
// The heading a window puts above a picture or an export of one calculation: the chart's name,
// its natal moment and place, its diurnal moment and place, and its houses. Every window that
// shows the calculation carries the same heading, so that two windows showing different charts
// can be told apart at a glance.
#include <string>

#include "core/chart/chart_state.h"

namespace orrerion {

// "John Smith · natal 13 Jan 1950 8:30 A.M. UT-5:00 at 40°43′N 74°00′W · diurnal 07 Dec 2026
// 12:00 P.M. UT-5:00 at 40°43′N 74°00′W · Placidus houses". Clock times are written H:MM and the
// zone as the clock's offset from UT (the zone field holds decimal hours west, so 5.3 is
// UT-5:18); places in degrees and minutes as typed.
std::string ChartHeading(const ChartState& chart);

// The heading before the first chart of a run of the program.
inline constexpr const char* NoChartHeading = "No chart yet.";

}  // namespace orrerion
