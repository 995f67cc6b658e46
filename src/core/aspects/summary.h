#pragma once
// The data summary: the person and the two dates, the house cusps, the solar arc and the table of
// natal, progressed, solar-arc and transit positions, appended to the output line buffers.
#include <string>
#include <string_view>

#include "core/base/formatters.h"
#include "core/base/output_lines.h"
#include "core/chart/chart_state.h"
#include "core/chart/houses.h"

namespace orrerion {

// The natal date of the parsed input and the diurnal date, as calendar dates.
CalendarDate NatalCalendarDate(const ChartState& chart);
CalendarDate DiurnalCalendarDate(const ChartState& chart);

// "13 Jan 1950    TZ = 5.0      8.30 A.M.   40.43 NORTH    74.00 WEST" without the two leading
// blanks: the natal line of the summary and of the report headers.
std::string NatalDetailsLine(const ChartState& chart);

// The header line naming the ephemeris, printed only with precise positions.
inline constexpr std::string_view PrecisePositionsLine =
    "Positions: Swiss Ephemeris (precise), apparent of date";

void WriteSummaryHeader(ChartState& chart, OutputBuffers& b);  // leaves WorkCusp equal to NatalCusp
void WriteHouseCusps(const ChartState& chart, OutputBuffers& b);
void WritePositionTable(const ChartState& chart, OutputBuffers& b);

// The chosen extra points (ExtraPoints order), in the columns of the position table: a name column
// wide enough for the longest name, "R" after a longitude moving backwards.
void WritePointTable(const ChartState& chart, OutputBuffers& b);

// The three parts in their order, then the extra points' table when any point is chosen.
void WriteDataSummary(ChartState& chart, OutputBuffers& b);

}  // namespace orrerion
