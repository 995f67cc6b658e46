#pragma once
// The options that choose returns (--body, --from, --days, --precessed), read by the returns
// command and by wheel --return, and the returns of a calculation they choose.
#include <optional>
#include <string>
#include <vector>

#include "chart_options.h"
#include "core/aspects/returns.h"
#include "core/base/formatters.h"
#include "core/run/calculation.h"

namespace orrerion::cli {

struct ReturnOptions {
    std::optional<int> body;          // SUN..MOON
    std::optional<CalendarDate> from;  // default: the diurnal date
    int days = 0;
    bool precessed = false;
};

// Reads the return and span options (--body, --from, --days, --precessed) among `values` (others
// are left alone). `needed` says that
// --body and --days must be given. Returns an error text for a value out of shape or range.
std::optional<std::string> ReadReturnOptions(const ExtraValues& values, bool needed, ReturnOptions& options);

// The returns of the calculation's charts that the options choose, cast at the diurnal place.
// With the built-in series, a span reaching outside its years gets the note on stderr (once, with
// the calculation's own).
std::vector<ReturnChart> ChosenReturns(const Calculation& calc, const ReturnOptions& options, bool noted);

}  // namespace orrerion::cli
