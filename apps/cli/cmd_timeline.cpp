// orrerion-cli timeline: the chart and the aspect scan (with its report files), then the timeline
// of the scan's runs as SVG and its layout as JSON. It prints no listing; --quiet is taken, as by
// scan, and changes nothing.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <tuple>

#include "chart_options.h"
#include "commands.h"
#include "core/aspects/scan_observer.h"
#include "core/io/file_replace.h"
#include "core/io/text_sink.h"
#include "core/pictures/timeline_layout.h"
#include "core/pictures/timeline_output.h"
#include "core/pictures/timeline_sky.h"
#include "core/records/settings_file.h"
#include "core/run/run_calculation.h"

namespace orrerion::cli {
namespace {

constexpr const char* Name = "orrerion-cli timeline";

}  // namespace

int RunTimelineCommand(const CommandLine& line) {
    ChartCommandOptions options;
    ExtraValues extras;
    if (auto error = ParseChartOptions(line, options, extras)) {
        std::fprintf(stderr, "%s: %s\n", Name, error->c_str());
        return 2;
    }
    std::string daysAnswer = " 90";
    std::optional<std::filesystem::path> reportsOption;
    bool pointsInReports = false;
    std::optional<std::string> fromText, toText, svgPath, jsonPath;
    TimelineFilter filter;
    std::optional<std::array<bool, SkyEventKindCount>> eventKinds;
    for (const auto& [name, value] : extras) {
        if (name == "--events") {
            eventKinds.emplace();
            if (const std::optional<std::string> error = ReadEventKinds("--events", value, *eventKinds)) {
                std::fprintf(stderr, "%s: %s\n", Name, error->c_str());
                return 2;
            }
        }
        if (name == "--days") {
            if (const std::optional<std::string> error = CheckDaysOption(value)) {
                std::fprintf(stderr, "%s: %s\n", Name, error->c_str());
                return 2;
            }
            daysAnswer = value;
        }
        if (name == "--reports") reportsOption = value;
        if (name == "--points-in-reports") pointsInReports = true;
        if (name == "--from") fromText = value;
        if (name == "--to") toText = value;
        if (name == "--svg") svgPath = value;
        if (name == "--json") jsonPath = value;
        if (name == "--families") {
            const auto families = ParseFamilyList(value);
            if (const std::string* error = std::get_if<std::string>(&families)) {
                std::fprintf(stderr, "%s: %s\n", Name, error->c_str());
                return 2;
            }
            filter.families = 0;
            const FamilySet& chosen = std::get<FamilySet>(families);
            for (std::size_t i = 0; i < FamilyCount; ++i) {
                if (chosen[i]) filter.families |= static_cast<std::uint8_t>(1u << i);
            }
        }
    }
    if (!svgPath && !jsonPath) {
        std::fprintf(stderr, "%s: give --svg FILE, --json FILE or both\n", Name);
        return 2;
    }

    Calculation calc;
    if (!SetUpCalculation(Name, options, calc)) return 2;

    CollectingReporter reporter;
    ScanObserver quiet;
    CalculationRequest request = NotingRequest();
    request.askDays = [&] { return std::optional<std::string>(daysAnswer); };
    if (reportsOption) request.reportsFolder = *reportsOption;
    request.scan.pointsInReports = pointsInReports;
    const CalculationOutcome outcome = RunCalculation(calc, request, quiet, reporter);
    PrintMessages(reporter.messages);
    if (!outcome.charted) return 2;
    if (outcome.scan == ScanOutcome::NotRun) {
        std::fprintf(stderr, "%s: no days to scan, so no timeline\n", Name);
        return 2;
    }
    if (const std::optional<int> status = UnfinishedScanStatus(outcome.scan)) return *status;

    const TimelineLayout layout = LayOutTimeline(calc.scan);
    int fromDay = 0, toDay = layout.ScanDays - 1;
    for (const auto& [text, day, option] : {std::tuple{fromText, &fromDay, "--from"}, std::tuple{toText, &toDay, "--to"}}) {
        if (!text) continue;
        const std::optional<int> parsed = DayOfIsoDate(layout.DiurnalJD, *text);
        if (!parsed) {
            std::fprintf(stderr, "%s: %s takes a date as YYYY-MM-DD, not \"%s\"\n", Name, option, text->c_str());
            return 2;
        }
        *day = std::clamp(*parsed, 0, layout.ScanDays - 1);
    }
    if (fromDay > toDay) {
        std::fprintf(stderr, "%s: --from is after --to (or both lie outside the scanned days)\n", Name);
        return 2;
    }
    TimelinePart part = ChooseTimelinePart(layout, filter, fromDay, toDay + 1.0);
    // The sky's events over the days shown, in a Sky group above the lanes.
    TimelineSky sky;
    if (eventKinds) {
        SkyEventRequest events;
        events.fromJD = layout.DiurnalJD + fromDay;
        events.days = toDay + 1.0 - fromDay;
        events.kinds = *eventKinds;
        // The lunations' and eclipses' orb of the settings file, as the desktop program takes it.
        events.orbDeg = LoadSettings(calc.ProgramDir / SettingsFileName).file.settings.eventOrb;
        SkyKinds kinds = 0;
        for (std::size_t i = 0; i < SkyEventKindCount; ++i) kinds |= static_cast<SkyKinds>((*eventKinds)[i] ? 1u << i : 0u);
        sky = LayOutSky(FindSkyEvents(calc.chart, calc.eph.Source, events));
        AddSkyToPart(part, sky, kinds);
    }
    const std::string title = "Aspect timeline: " + calc.chart.ChartName;
    TimelineSheet sheet;
    sheet.headingHeight = TimelineHeadingHeight;
    sheet.title = TimelineTitle(layout, part, calc.chart.ChartName);
    for (const auto& [path, isSvg] : {std::pair{svgPath, true}, std::pair{jsonPath, false}}) {
        if (!path) continue;
        // Written into the replacement as it is made: the picture of a long scan is never whole in memory.
        FileReplacement file(*path);
        {
            TextSink sink(file);
            if (isSvg) {
                WriteTimelineSvg(sink, layout, calc.scan, part, sheet, calc.DateOrder, title);
            } else {
                WriteTimelineJson(sink, layout, calc.scan, part);
            }
        }
        const WriteResult written = file.Commit();
        if (!written.ok) {
            std::fprintf(stderr, "%s: %s\n", Name, written.message.c_str());
            return 1;
        }
    }
    return 0;
}

}  // namespace orrerion::cli
