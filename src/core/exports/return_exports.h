#pragma once
// Returns as JSON for scripts: one object per return with its moment, the body's longitude, the
// return chart's angles, cusps and positions at its place, and its aspects to the natal chart.
#include <string>
#include <vector>

#include "core/aspects/returns.h"

namespace orrerion {

// "2027-01-13T05:57:12Z": a UT Julian date rounded to the second.
std::string IsoSecondUtc(double jd);

// {"returns": [...]}, one object a line, in the order given. `precessed` says whether the
// natal longitudes were moved by precession.
std::string ReturnsJson(const std::vector<ReturnChart>& charts, bool precessed);

}  // namespace orrerion
