#pragma once
// The rules of the natal and diurnal windows that need no pixels: the fields NOW puts in, the
// Input command's refresh of a "Now" chart, and what "Use natal data" copies. Each gives the field
// texts as the window's own rules (the hour rule, the zone sign rule) leave them; the window puts
// them in with those rules running, so that nothing changes on the way.
#include <QDateTime>
#include <QLocale>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/input_fields.h"
#include "core/base/options.h"
#include "core/records/atlas_exchange.h"
#include "gui/ui/local_clock.h"

namespace orrerion::gui {

// Whether the present moment is P.M.: on a 24-hour clock when the hour is 12 or more; otherwise
// when the locale's text of the time ends in "PM" or shows the locale's own P.M. marker.
bool ClockShowsPM(const QDateTime& now, const QLocale& locale, bool twentyFourHourClock);

// An option value as a field shows it: single-precision digits, no trailing zeros.
std::string OptionText(float value);

// The clock's date and time in the fields: month, day, year and minute without leading zeros, the
// hour through the hour rule (13..23 become 1..11, 0 becomes 12) and A.M. or P.M. as the clock
// shows it. The other fields are kept.
InputFields WithClock(InputSection section, InputFields fields, const LocalClock& clock);

// NOW: the clock as above, the default place of options 18 to 24 (zone, longitude degrees and
// minutes, East, latitude degrees and minutes, South) with the zone sign rule applied, and in the
// natal window the name "Now".
InputFields NowFields(InputSection section, InputFields fields, const LocalClock& clock,
                      const Options& options);

// A moment pasted into a date or clock box: "1950-01-13T08:30" (ISO 8601 local date and 24-hour
// time; seconds optional, rounded to the minute; a blank may stand for the T) gives month, day,
// year, the hour on the 12-hour clock, minute and A.M. or P.M.; "1950-01-13" the date alone.
// Nothing for any other text.
std::optional<InputFields> WithPastedMoment(InputFields fields, std::string_view text);

// The zone of an IANA time-zone name in force at the fields' date and clock time.
struct NamedZoneFill {
    InputFields fields;              // the zone (from a place, also longitude and latitude) filled
    std::string zoneText;            // "America/New_York: EST, UTC-05:00"
    std::vector<std::string> notes;  // a clock time that happened twice, the place's mean time
    std::string problem;             // why nothing was filled; empty when filled
};
// "Find place...": the place's longitude and latitude, to the minute of arc, and the zone of its
// IANA name at the fields' moment, as the command line's --place reads them: a time that happened
// twice is its earlier occurrence, one the clocks jumped over is refused, and before standard
// time the place's own mean time is used. The zone goes in as hours west whatever the hemisphere
// (a clock ahead of Greenwich west of it stays negative), so the fields give the chart of the
// command line's record. Without a date and time in the fields nothing is filled.
NamedZoneFill FillFromAtlasRow(InputFields fields, const AtlasPlaceRow& row);
// The date or time changed after a place was found: the zone of `zoneName` at the new moment, at
// the fields' place.
NamedZoneFill WithZoneAtMoment(InputFields fields, std::string_view zoneName);

// The place "Find place..." takes among the atlas's matches (`rows`, best first), as --place takes
// it; when several match and none by its whole name, `askNumber` is shown the numbered list and
// answers the number chosen, or nothing when the person cancelled (then neither a row nor a
// problem is given).
struct PlaceChoice {
    std::optional<AtlasPlaceRow> row;
    std::string problem;
};
PlaceChoice ChooseFoundPlace(std::string_view query, const std::vector<AtlasPlaceRow>& rows,
                             const std::function<std::optional<std::string>(const std::string& listing)>& askNumber);

// "Use natal data": the natal clock time (through the diurnal hour rule, the natal meridiem kept)
// and place (the zone through the zone sign rule) over the diurnal fields; the date stays.
InputFields WithNatalTimeAndPlace(InputFields diurnal, const InputFields& natal);

}  // namespace orrerion::gui
