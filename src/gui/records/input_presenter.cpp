#include "gui/records/input_presenter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <variant>

#include "core/base/formatters.h"
#include "core/chart/input_rules.h"
#include "core/io/number_text.h"
#include "core/records/birth_input.h"

namespace orrerion::gui {
namespace {

// The hour text as the hour rule leaves it. The meridiem the rule would select is set by the
// caller afterwards, as the windows always did; a message the rule gives (an empty hour) is shown
// by the window's hour box when the text is put in.
std::string HourAfterRule(InputSection section, std::string hour) {
    bool am = true;
    ApplyHourRule(hour, am, HourEmptyMessage(section));
    return hour;
}

// The fields' date and clock time on the 24-hour clock; nothing when a field is not a number
// within its range.
std::optional<ClockReading> ClockOfFields(const InputFields& f) {
    const auto whole = [](const std::string& text, int low, int high) -> std::optional<int> {
        const std::optional<double> v = ParseNumber(text);
        if (!v || *v != std::floor(*v) || *v < low || *v > high) return std::nullopt;
        return static_cast<int>(*v);
    };
    const auto month = whole(f.month, 1, 12), year = whole(f.year, 1, 9999), hour = whole(f.hour, 1, 12),
               minute = whole(f.minute, 0, 59);
    if (!month || !year || !hour || !minute) return std::nullopt;
    const auto day = whole(f.day, 1, DaysInMonth(*month, *year));
    if (!day) return std::nullopt;
    // 12 A.M. is midnight, 12 P.M. noon.
    return ClockReading{*year, *month, *day, *hour % 12 + (f.am ? 0 : 12), *minute, 0};
}

// The fields' place in minutes of arc, north and east positive.
std::optional<std::pair<int, int>> PlaceOfFields(const InputFields& f) {
    const auto deg = ParseNumber(f.latDeg), min = ParseNumber(f.latMin);
    const auto lonDeg = ParseNumber(f.longDeg), lonMin = ParseNumber(f.longMin);
    if (!deg || !min || !lonDeg || !lonMin) return std::nullopt;
    const long north = std::lround(*deg * 60 + *min) * (f.south ? -1 : 1);
    const long east = std::lround(*lonDeg * 60 + *lonMin) * (f.east ? 1 : -1);
    return std::pair{static_cast<int>(north), static_cast<int>(east)};
}

NamedZoneFill ZoneAt(InputFields fields, std::string_view zoneName, int latitudeArcmin, int longitudeArcmin) {
    NamedZoneFill fill;
    const std::optional<ClockReading> clock = ClockOfFields(fields);
    if (!clock) {
        fill.problem = "Enter the date and time first: the zone of " + std::string(zoneName) +
                       " depends on the moment.";
        fill.fields = std::move(fields);
        return fill;
    }
    MomentInput input;
    input.clock = *clock;
    input.zone = ZoneChoice{ZoneKind::Named, std::string(zoneName), 0};
    input.latitudeArcmin = latitudeArcmin;
    input.longitudeArcmin = longitudeArcmin;
    const std::variant<MomentRecord, std::string> made = MakeMomentRecord(input);
    if (const auto* problem = std::get_if<std::string>(&made)) {
        fill.problem = *problem;
        fill.fields = std::move(fields);
        return fill;
    }
    const MomentRecord& record = std::get<MomentRecord>(made);
    fill.zoneText = record.zoneText;
    for (const std::string& note : record.notes) {
        // The record's own change to universal time does not concern the window's fields.
        if (note.find("universal time") == std::string::npos) fill.notes.push_back(note);
    }
    fields.zone = ZoneNumberText(-record.offset.offsetSeconds / 3600.0);
    fill.fields = std::move(fields);
    return fill;
}

}  // namespace

std::optional<InputFields> WithPastedMoment(InputFields fields, std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    const bool dateOnly = text.size() == 10;
    const std::optional<ClockReading> read =
        ParseIsoLocalTime(dateOnly ? std::string(text) + "T00:00" : std::string(text));
    if (!read) return std::nullopt;
    // The window holds minutes: half a minute or more goes to the next.
    const ClockReading c = read->second >= 30 ? ShiftClock(*read, 60 - read->second) : *read;
    fields.month = std::to_string(c.month);
    fields.day = std::to_string(c.day);
    fields.year = std::to_string(c.year);
    if (!dateOnly) {
        fields.hour = std::to_string(c.hour % 12 == 0 ? 12 : c.hour % 12);
        fields.minute = std::to_string(c.minute);
        fields.am = c.hour < 12;
    }
    return fields;
}

NamedZoneFill FillFromAtlasRow(InputFields fields, const AtlasPlaceRow& row) {
    const int north = static_cast<int>(std::lround(row.latitude * 60));
    const int east = static_cast<int>(std::lround(row.longitude * 60));
    NamedZoneFill fill = ZoneAt(std::move(fields), row.zoneId, north, east);
    if (!fill.problem.empty()) return fill;
    InputFields& f = fill.fields;
    f.latDeg = std::to_string(std::abs(north) / 60);
    f.latMin = std::to_string(std::abs(north) % 60);
    f.south = north < 0;
    f.longDeg = std::to_string(std::abs(east) / 60);
    f.longMin = std::to_string(std::abs(east) % 60);
    f.east = east > 0;
    return fill;
}

NamedZoneFill WithZoneAtMoment(InputFields fields, std::string_view zoneName) {
    const std::optional<std::pair<int, int>> place = PlaceOfFields(fields);
    if (!place) {
        NamedZoneFill fill;
        fill.problem = "Enter the longitude and latitude first.";
        fill.fields = std::move(fields);
        return fill;
    }
    return ZoneAt(std::move(fields), zoneName, place->first, place->second);
}

PlaceChoice ChooseFoundPlace(std::string_view query, const std::vector<AtlasPlaceRow>& rows,
                             const std::function<std::optional<std::string>(const std::string& listing)>& askNumber) {
    PlaceChoice choice;
    std::variant<AtlasPlaceRow, std::string> found = ChooseAtlasPlace(query, rows, std::nullopt);
    if (rows.size() > 1 && std::holds_alternative<std::string>(found)) {
        const std::optional<std::string> answer = askNumber(std::get<std::string>(found));
        if (!answer || answer->empty()) return choice;
        const std::optional<double> number = ParseNumber(*answer);
        if (!number || *number != std::floor(*number) || *number < 1 || *number > 1000) {
            choice.problem = "\"" + *answer + "\" is not the number of a place in the list.";
            return choice;
        }
        found = ChooseAtlasPlace(query, rows, static_cast<int>(*number));
    }
    if (auto* row = std::get_if<AtlasPlaceRow>(&found)) {
        choice.row = std::move(*row);
    } else {
        choice.problem = std::get<std::string>(found);
    }
    return choice;
}

bool ClockShowsPM(const QDateTime& now, const QLocale& locale, bool twentyFourHourClock) {
    if (twentyFourHourClock) return now.time().hour() >= 12;
    const QString text =
        locale.toString(now.time(), locale.timeFormat(QLocale::ShortFormat)).toUpper();
    if (text.endsWith("PM")) return true;
    // Locales whose P.M. marker is not "PM" (Korean writes its own word in front of the time):
    // without this, every afternoon time there would be taken as A.M.
    const QString pm = locale.pmText().toUpper();
    const QString am = locale.amText().toUpper();
    return !pm.isEmpty() && pm != am && pm != "PM" && text.contains(pm);
}

std::string OptionText(float value) {
    // Single precision shows seven significant digits; NumberText then drops any exponent.
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.7g", static_cast<double>(value));
    return NumberText(std::strtod(digits, nullptr));
}

InputFields WithClock(InputSection section, InputFields fields, const LocalClock& clock) {
    const QDateTime now = clock.now();
    fields.month = std::to_string(now.date().month());
    fields.day = std::to_string(now.date().day());
    fields.year = std::to_string(now.date().year());
    fields.hour = HourAfterRule(section, std::to_string(now.time().hour()));
    fields.minute = std::to_string(now.time().minute());
    fields.am = !ClockShowsPM(now, clock.locale, clock.twentyFourHourClock);
    return fields;
}

InputFields NowFields(InputSection section, InputFields fields, const LocalClock& clock,
                      const Options& options) {
    if (section == InputSection::Natal) fields.name = "Now";
    fields = WithClock(section, std::move(fields), clock);
    fields.zone = OptionText(options[Option::HomeZone]);
    fields.longDeg = OptionText(options[Option::HomeLongitudeDegrees]);
    fields.longMin = OptionText(options[Option::HomeLongitudeMinutes]);
    fields.east = options[Option::HomeLongitudeEast] != 0;
    ApplyZoneSignRule(fields.zone, fields.east);
    fields.latDeg = OptionText(options[Option::HomeLatitudeDegrees]);
    fields.latMin = OptionText(options[Option::HomeLatitudeMinutes]);
    fields.south = options[Option::HomeLatitudeSouth] != 0;
    return fields;
}

InputFields WithNatalTimeAndPlace(InputFields diurnal, const InputFields& natal) {
    diurnal.hour = HourAfterRule(InputSection::Diurnal, natal.hour);
    diurnal.minute = natal.minute;
    diurnal.am = natal.am;
    diurnal.zone = natal.zone;
    diurnal.longDeg = natal.longDeg;
    diurnal.longMin = natal.longMin;
    diurnal.latDeg = natal.latDeg;
    diurnal.latMin = natal.latMin;
    diurnal.east = natal.east;
    ApplyZoneSignRule(diurnal.zone, diurnal.east);
    diurnal.south = natal.south;
    return diurnal;
}

}  // namespace orrerion::gui
