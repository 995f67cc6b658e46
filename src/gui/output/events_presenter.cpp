#include "gui/output/events_presenter.h"

#include <algorithm>
#include <cstdio>

#include "core/aspects/report_files.h"
#include "core/aspects/returns.h"
#include "core/aspects/summary.h"
#include "core/base/formatters.h"
#include "core/exports/event_exports.h"
#include "core/exports/exact_moments.h"
#include "core/io/number_text.h"
#include "core/run/run_calculation.h"
#include "gui/output/export_presenter.h"
#include "gui/output/returns_presenter.h"

namespace orrerion::gui {
namespace {

bool IsPeriod(const SkyEvent& e) { return e.kind == SkyEventKind::Retrograde || e.kind == SkyEventKind::Void; }

// `text` padded with blanks to `width` characters (longer text is left whole).
std::string Padded(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

}  // namespace

std::vector<int> EventBodies(const PointChoice& points) {
    std::vector<int> bodies = ReturnBodies();
    for (const int body : SkyEventPointBodies(points)) bodies.push_back(body);
    return bodies;
}

std::string KindControlName(const SkyEventKindRow& row) {
    std::string name = "chk";
    bool wordStart = true;
    for (const char c : row.label) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!letter) {
            wordStart = true;
            continue;
        }
        name += wordStart && c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c;
        wordStart = false;
    }
    return name;
}

SkyEventRequest EventsRequestOf(const Calculation& calc, int days, const QDate& from, double orbDeg) {
    SkyEventRequest request;
    request.fromJD = LocalMidnightJD(CalendarDate{from.day(), from.month(), from.year()}, calc.chart.input.DiurnalZone);
    request.days = days;
    request.orbDeg = orbDeg;
    return request;
}

std::vector<SkyEvent> FilteredEvents(const std::vector<SkyEvent>& events, const EventsChoice& choice) {
    std::vector<SkyEvent> kept;
    for (const SkyEvent& e : events) {
        if (!choice.kinds[SkyEventKindIndex(e.kind)]) continue;
        if (choice.body != AnyBody && e.body != choice.body) continue;
        kept.push_back(e);
    }
    return kept;
}

std::string EventMinuteText(double jd, const MomentClock& clock) {
    const MinuteTime t = MinuteOf(jd, clock);
    char clockText[8];
    std::snprintf(clockText, sizeof clockText, "%02d:%02d", t.hour, t.minute);
    return DateDdMmmYyyy(t.date) + " " + clockText;
}

std::vector<EventRow> EventRows(const Calculation& calc, const std::vector<SkyEvent>& events) {
    std::vector<EventRow> rows;
    rows.reserve(events.size());
    const MomentClock local = DiurnalClock(calc);
    for (const SkyEvent& e : events) {
        rows.push_back({EventMinuteText(e.jd, MomentClock{}), EventMinuteText(e.jd, local),
                        std::string(SkyEventKindLabel(e.kind)), ReturnBodyName(e.body), EventSummary(e),
                        IsPeriod(e) ? EventMinuteText(e.endJD, local) : std::string()});
    }
    return rows;
}

std::string EventsNote(const Calculation& calc, const SkyEventRequest& request, std::size_t listed,
                       std::size_t found, std::string_view preciseChoice) {
    const std::string span = std::to_string(static_cast<long>(request.days)) + " days";
    std::string note;
    if (found == 0) {
        note = "No events in these " + span + ".";
    } else if (listed == found) {
        note = std::to_string(found) + (found == 1 ? " event" : " events") + " in " + span + ".";
    } else {
        note = std::to_string(listed) + " of " + std::to_string(found) + " events in " + span +
               " (the others are left out by the kinds and the body chosen).";
    }
    note += " Lunations and eclipses name the natal points within " +
            std::string(GeneralChars(request.orbDeg, 6).view()) + "\u00B0 (Options, Preferences).";
    if (calc.eph.Source == EphemerisSource::Builtin &&
        (!BuiltinSeriesCovers(request.fromJD) || !BuiltinSeriesCovers(request.fromJD + request.days))) {
        note += "\n" + BuiltinYearsNote(preciseChoice);
    }
    return note;
}

std::vector<std::string> EventsPrintLines(const Calculation& calc, const SkyEventRequest& request,
                                          const std::vector<EventRow>& rows) {
    // The columns' widths: a moment, a kind's longest label, a body's longest name.
    constexpr std::size_t MomentWidth = 19;
    std::size_t kindWidth = 0;
    for (const SkyEventKindRow& row : SkyEventKinds) kindWidth = std::max(kindWidth, row.label.size());
    kindWidth += 2;
    constexpr std::size_t BodyWidth = 9;

    std::vector<std::string> lines;
    lines.push_back("  SKY EVENTS - " + calc.chart.ChartName);
    // The span starts at local midnight: a quarter of a day on, whatever the rounding, is that date.
    const CalendarDate first = JulianDayToCalendar(request.fromJD - calc.chart.input.DiurnalZone / 24 + 0.25);
    lines.push_back("  " + std::to_string(static_cast<long>(request.days)) + " days from " + DateDdMmmYyyy(first) +
                    "; times in UT and " + LocalColumnHeading(calc));
    lines.push_back("");
    lines.push_back(Padded("Moment (UT)", MomentWidth) + Padded("Local time", MomentWidth) +
                    Padded("Kind", kindWidth) + Padded("Body", BodyWidth) + "Event");
    for (const EventRow& r : rows) {
        std::string line = Padded(r.universal, MomentWidth) + Padded(r.local, MomentWidth) + Padded(r.kind, kindWidth) +
                           Padded(r.body, BodyWidth) + r.event;
        if (!r.until.empty()) line += " until " + r.until;
        lines.push_back(line);
    }
    if (rows.empty()) lines.push_back("No events listed.");
    return lines;
}

std::string ProposedEventsFileName(const std::string& chartName, ExportFormat format) {
    std::string stem = ReportStem(chartName);
    if (stem.empty()) stem = "Chart";
    return stem + "_events." + ExportExtension(format);
}

WriteResult ExportEvents(const std::filesystem::path& path, ExportFormat format, const std::vector<SkyEvent>& events,
                         const Calculation& calc) {
    return WriteEventsFile(path, format, events, calc.chart.ChartName, CalendarStampNow());
}

}  // namespace orrerion::gui
