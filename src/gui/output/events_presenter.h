#pragma once
// The Events window's rules that need no pixels: the search its controls ask for (every kind, from
// 0h of a date on the diurnal place's clock, with the settings' orb), the events its kind and body
// filters keep, the rows of the listing, the lines it prints, and the export files (the core makes
// their text and writes them).
#include <QDate>
#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/events/sky_events.h"
#include "core/exports/scan_exports.h"
#include "core/run/calculation.h"

namespace orrerion::gui {

// The body filter's choice that keeps every body.
inline constexpr int AnyBody = -1;
// The span the window starts with, days.
inline constexpr int DefaultEventDays = 365;

// The window's choice, kept between its openings (the date is taken afresh from each chart).
struct EventsChoice {
    int days = DefaultEventDays;
    std::array<bool, SkyEventKindCount> kinds{true, true, true, true, true, true, true};  // by SkyEventKindIndex
    int body = AnyBody;  // AnyBody, or the BodyIndex events are kept of
    ExportFormat format = ExportFormat::Json;
};

// The bodies of the body filter after "All bodies": the Sun, the Moon, then Mercury to Pluto, then
// the extra points `points` chooses that have events of their own (SkyEventPoints).
std::vector<int> EventBodies(const PointChoice& points);
// "chkStation", "chkSignIngress", "chkVoidOfCourseMoon": a kind's tick box, named from its label.
std::string KindControlName(const SkyEventKindRow& row);

// The search the controls ask for: every kind (the filters act on the listing), over `days` from
// 0h of `from` in the diurnal zone as typed, as the command line's --from, with `orbDeg` for the
// natal points of lunations and eclipses.
SkyEventRequest EventsRequestOf(const Calculation& calc, int days, const QDate& from, double orbDeg);

// The events of the kinds ticked and of the body chosen, in their order.
std::vector<SkyEvent> FilteredEvents(const std::vector<SkyEvent>& events, const EventsChoice& choice);

// "05 Jan 2027 14:03": the moment rounded to the minute on `clock`, dates as the picture windows
// write them.
std::string EventMinuteText(double jd, const MomentClock& clock);

// One row of the listing.
struct EventRow {
    std::string universal;  // "05 Jan 2027 14:03", UT
    std::string local;      // the same moment on the diurnal place's clock
    std::string kind;       // "Sign ingress"
    std::string body;       // "Mercury"
    std::string event;      // EventSummary: "MERCURY enters Aquarius"
    std::string until;      // the end of a retrograde or void period on the local clock, else empty
};
std::vector<EventRow> EventRows(const Calculation& calc, const std::vector<SkyEvent>& events);

// The note under the listing: how many events are listed of those found, the orb of the natal
// points, and, with the built-in series, that the span reaches outside its years (and where precise
// positions are chosen: `preciseChoice`).
std::string EventsNote(const Calculation& calc, const SkyEventRequest& request, std::size_t listed,
                       std::size_t found, std::string_view preciseChoice);

// The listing as printed: a title naming the chart, the span and the clocks, then a line per row
// in columns.
std::vector<std::string> EventsPrintLines(const Calculation& calc, const SkyEventRequest& request,
                                          const std::vector<EventRow>& rows);

// "John_events.json": the chart's report stem, "_events" and the format's extension.
std::string ProposedEventsFileName(const std::string& chartName, ExportFormat format);
// The events written to `path` in `format` by the core; the result names the path and the reason
// on failure.
WriteResult ExportEvents(const std::filesystem::path& path, ExportFormat format, const std::vector<SkyEvent>& events,
                         const Calculation& calc);

}  // namespace orrerion::gui
