#include "return_options.h"

#include <cctype>
#include <cstdio>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/summary.h"
#include "core/exports/scan_exports.h"
#include "core/io/number_text.h"
#include "core/run/run_calculation.h"

namespace orrerion::cli {
namespace {

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::optional<CalendarDate> ParseIsoDate(const std::string& text) {
    int y = 0, m = 0, d = 0;
    char extra = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' ||
        std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &extra) != 3) {
        return std::nullopt;
    }
    if (m < 1 || m > 12 || d < 1 || d > DaysInMonth(m, y)) return std::nullopt;
    return CalendarDate{d, m, y};
}

std::string BodyList() {
    std::string list;
    for (int body = SUN; body <= MOON; ++body) list += (body > SUN ? ", " : "") + ExportPointWord(body);
    return list;
}

}  // namespace

std::optional<std::string> ReadReturnOptions(const ExtraValues& values, bool needed, ReturnOptions& options) {
    bool daysGiven = false;
    for (const auto& [name, value] : values) {
        if (name == "--body") {
            options.body.reset();
            for (int body = SUN; body <= MOON; ++body) {
                if (Upper(value) == ExportPointWord(body)) options.body = body;
            }
            if (!options.body) return "--body: unknown body \"" + value + "\" (" + BodyList() + ")";
        } else if (name == "--from") {
            options.from = ParseIsoDate(value);
            if (!options.from) return "--from takes a date as YYYY-MM-DD, not \"" + value + "\"";
        } else if (name == "--days") {
            const std::optional<double> days = ParseNumber(value);
            if (!days || *days != static_cast<int>(*days) || *days < 1 || *days > MaxReturnDays) {
                return "--days takes a whole number of days from 1 to " + std::to_string(MaxReturnDays) + ", not \"" +
                       value + "\"";
            }
            options.days = static_cast<int>(*days);
            daysGiven = true;
        } else if (name == "--precessed") {
            options.precessed = true;
        }
    }
    if (needed && !options.body) return "give --body NAME (" + BodyList() + ")";
    if (needed && !daysGiven) return std::string("give --days N, the length of the span searched");
    return std::nullopt;
}

std::vector<ReturnChart> ChosenReturns(const Calculation& calc, const ReturnOptions& options, bool noted) {
    const ChartState& chart = calc.chart;
    ReturnSearch search;
    search.body = options.body.value_or(SUN);
    search.fromJD = LocalMidnightJD(options.from.value_or(DiurnalCalendarDate(chart)), chart.input.DiurnalZone);
    search.days = options.days;
    search.precessed = options.precessed;
    if (!noted && calc.eph.Source == EphemerisSource::Builtin &&
        (!BuiltinSeriesCovers(search.fromJD) || !BuiltinSeriesCovers(search.fromJD + search.days))) {
        PrintNote(BuiltinYearsNote(PreciseChoiceText));
    }
    return ReturnCharts(chart, calc.eph.Source, calc.options, search, DiurnalPlace(chart));
}

}  // namespace orrerion::cli
