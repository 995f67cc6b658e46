#pragma once
// Sky events as files for other programs: JSON for scripts, CSV for spreadsheets, iCalendar for
// calendar programs (each moment a timed event, retrograde and void periods as spans). The keys and
// columns are described in the README.
#include <string>
#include <string_view>
#include <vector>

#include "core/events/sky_events.h"
#include "core/exports/scan_exports.h"

namespace orrerion {

// {"events": [...]}, one object a line, in the order given: kind, body, utc, jd_ut and longitude,
// and by kind direction, sign and retrograde, end, house, phase, type and magnitude, hits.
std::string EventsJson(const std::vector<SkyEvent>& events);
// What an event was, in a word: "retrograde" or "direct" for a station, the sign or natal house
// entered, the lunation's phase, the eclipse's type; empty for a retrograde or void period.
std::string EventDetailWord(const SkyEvent& event);
// One event as a JSON object, as EventsJson and the scan's JSON export write it.
std::string EventJsonObject(const SkyEvent& event);
// A header row, then one row per event.
std::string EventsCsv(const std::vector<SkyEvent>& events);
// A calendar of the events of `chartName`; the UIDs come from the chart's name, the event's kind,
// body, detail and moment, so that the same events exported again update a calendar's entries.
std::string EventsCalendar(const std::vector<SkyEvent>& events, std::string_view chartName, std::string_view stamp);
// The calendar's VEVENTs of the events alone, for EventsCalendar and the scan's calendar export.
std::string EventCalendarEvents(const std::vector<SkyEvent>& events, std::string_view chartName, std::string_view stamp);

// The text of one of the three: EventsCalendar, EventsCsv or EventsJson.
std::string EventsText(ExportFormat format, const std::vector<SkyEvent>& events, std::string_view chartName,
                       std::string_view stamp);
// Replaces `path` with EventsText (never half-written); on failure the message names the path and
// the reason.
WriteResult WriteEventsFile(const std::filesystem::path& path, ExportFormat format, const std::vector<SkyEvent>& events,
                            std::string_view chartName, std::string_view stamp);

}  // namespace orrerion
