// orrerion-cli events: the sky's events over a span of days (stations, retrograde periods, sign and
// natal-house ingresses, lunations, eclipses, the void-of-course Moon), listed on standard output
// or written as JSON, iCalendar and CSV.
#include <cstdio>
#include <optional>
#include <string>

#include "chart_options.h"
#include "commands.h"
#include "return_options.h"
#include "core/aspects/scan_observer.h"
#include "core/aspects/summary.h"
#include "core/events/sky_events.h"
#include "core/exports/event_exports.h"
#include "core/exports/return_exports.h"
#include "core/exports/scan_exports.h"
#include "core/io/file_replace.h"
#include "core/io/number_text.h"
#include "core/records/settings_file.h"
#include "core/run/run_calculation.h"

namespace orrerion::cli {
namespace {

constexpr const char* Name = "orrerion-cli events";

// "2027-01-13T05:57:12Z  station        MERCURY stations retrograde at 8 Aquarius 10"
std::string ListedLine(const SkyEvent& e) {
    std::string line = IsoSecondUtc(e.jd) + "  ";
    std::string kind(SkyEventKindWord(e.kind));
    kind.resize(14, ' ');
    line += kind + EventSummary(e);
    if (e.kind == SkyEventKind::Retrograde || e.kind == SkyEventKind::Void) line += " until " + IsoSecondUtc(e.endJD);
    return line + "\n";
}

}  // namespace

int RunEventsCommand(const CommandLine& line) {
    ChartCommandOptions options;
    ExtraValues extras;
    if (auto error = ParseChartOptions(line, options, extras)) {
        std::fprintf(stderr, "%s: %s\n", Name, error->c_str());
        return 2;
    }
    ReturnOptions span;
    std::optional<std::string> refused = ReadReturnOptions(extras, false, span);
    SkyEventRequest request;
    bool orbGiven = false;
    std::optional<std::string> jsonPath, icsPath, csvPath;
    for (const auto& [name, value] : extras) {
        if (refused) break;
        if (name == "--kinds") {
            refused = ReadEventKinds("--kinds", value, request.kinds);
        } else if (name == "--orb") {
            const std::optional<double> orb = ParseNumber(value);
            if (!orb || *orb < MinEventOrb || *orb > MaxEventOrb) {
                refused = "--orb takes degrees from 0 to 15, not \"" + value + "\"";
            } else {
                request.orbDeg = *orb;
                orbGiven = true;
            }
        } else if (name == "--json") {
            jsonPath = value;
        } else if (name == "--ics") {
            icsPath = value;
        } else if (name == "--csv") {
            csvPath = value;
        }
    }
    if (!refused && span.days == 0) refused = "give --days N, the length of the span searched";
    if (refused) {
        std::fprintf(stderr, "%s: %s\n", Name, refused->c_str());
        return 2;
    }

    Calculation calc;
    if (!SetUpCalculation(Name, options, calc)) return 2;
    if (!orbGiven) {
        // The orb of the settings file, as the desktop program's Events window takes it. Its
        // problems were reported with the ephemeris's unless --ephemeris spared reading it then.
        SettingsLoad settings = LoadSettings(calc.ProgramDir / SettingsFileName);
        if (options.ephemeris) {
            for (const std::string& problem : settings.problems) std::fprintf(stderr, "%s: %s\n", Name, problem.c_str());
        }
        request.orbDeg = settings.file.settings.eventOrb;
    }
    CollectingReporter reporter;
    ScanObserver noScan;
    bool noted = false;
    CalculationRequest calcRequest;
    calcRequest.notice = [&](const std::string& note) {
        PrintNote(note);
        noted = true;
    };
    calcRequest.preciseChoice = PreciseChoiceText;
    const bool computed = RunCalculation(calc, calcRequest, noScan, reporter).charted;
    PrintMessages(reporter.messages);
    if (!computed) return 2;

    const ChartState& chart = calc.chart;
    request.fromJD = LocalMidnightJD(span.from.value_or(DiurnalCalendarDate(chart)), chart.input.DiurnalZone);
    request.days = span.days;
    if (!noted && calc.eph.Source == EphemerisSource::Builtin &&
        (!BuiltinSeriesCovers(request.fromJD) || !BuiltinSeriesCovers(request.fromJD + request.days))) {
        PrintNote(BuiltinYearsNote(PreciseChoiceText));
    }
    const std::vector<SkyEvent> events = FindSkyEvents(chart, calc.eph.Source, request);

    bool wrote = false;
    const auto write = [&](const std::optional<std::string>& path, const std::string& text) {
        if (!path) return true;
        wrote = true;
        const WriteResult written = ReplaceFile(*path, text);
        if (!written.ok) std::fprintf(stderr, "%s: %s\n", Name, written.message.c_str());
        return written.ok;
    };
    if (!write(jsonPath, EventsJson(events)) || !write(csvPath, EventsCsv(events)) ||
        !write(icsPath, EventsCalendar(events, chart.ChartName, CalendarStampNow()))) {
        return 1;
    }
    if (wrote) return 0;
    std::string out = "Sky events for " + chart.ChartName + " (times UTC):\n";
    for (const SkyEvent& e : events) out += ListedLine(e);
    std::fputs(out.c_str(), stdout);
    return 0;
}

}  // namespace orrerion::cli
