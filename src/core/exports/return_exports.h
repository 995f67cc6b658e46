#pragma once
// Returns as JSON for scripts: one object per return with its moment, the body's longitude, the
// return chart's angles, cusps and positions at its place, and its aspects to the natal chart; and
// the return chart's summary for the data window, in the data summary's words and columns.
#include <string>
#include <string_view>
#include <vector>

#include "core/aspects/returns.h"
#include "core/base/formatters.h"
#include "core/base/output_lines.h"
#include "core/exports/exact_moments.h"

namespace orrerion {

// "01/13/2027 05:57:12": the date in the program's date order (see JulianDayToDate) and the clock,
// in the clock's zone at that moment (UT for a clock of zone 0 without a name).
std::string SecondText(double jd, const MomentClock& clock, int DateOrder);

// "Solar return", "Lunar return", "Mercury return".
std::string ReturnName(int body);

// The return chart's summary appended to the output buffers: the body and the natal longitude it
// returns to, the moment in UT and on the diurnal place's clock (`localClock`), the place, the
// house cusps, the positions with declinations beside the natal ones, and the aspects to the natal
// chart. `precessed` says whether the natal longitude was moved by precession.
void WriteReturnSummary(const ChartState& chart, const ReturnChart& ret, bool precessed, const MomentClock& localClock,
                        int DateOrder, OutputBuffers& b);

// {"returns": [...]}, one object a line, in the order given. `precessed` says whether the
// natal longitudes were moved by precession.
std::string ReturnsJson(const std::vector<ReturnChart>& charts, bool precessed);

}  // namespace orrerion
