#include "core/records/birth_input.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/base/formatters.h"
#include "core/chart/input_checks.h"
#include "core/io/number_text.h"
#include "core/io/text_encoding.h"
#include "core/records/names_file.h"

namespace orrerion {
namespace {

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// The digits of `text` as a number; the caller has checked AllDigits and the length.
int Digits(std::string_view text) {
    int value = 0;
    for (char c : text) value = value * 10 + (c - '0');
    return value;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// "+05:30", "-0500", "+5", "+5:30": seconds east; nothing otherwise.
std::optional<int> ParseOffset(std::string_view text) {
    if (text.size() < 2 || (text[0] != '+' && text[0] != '-')) return std::nullopt;
    const int sign = text[0] == '-' ? -1 : 1;
    std::string_view rest = text.substr(1);
    std::string_view hours, minutes = "00";
    if (const std::size_t colon = rest.find(':'); colon != std::string_view::npos) {
        hours = rest.substr(0, colon);
        minutes = rest.substr(colon + 1);
    } else if (rest.size() == 4) {
        hours = rest.substr(0, 2);
        minutes = rest.substr(2);
    } else {
        hours = rest;
    }
    if (!AllDigits(hours) || hours.size() > 2 || !AllDigits(minutes) || minutes.size() != 2) return std::nullopt;
    const int h = Digits(hours), m = Digits(minutes);
    if (h > 14 || m > 59 || (h == 14 && m > 0)) return std::nullopt;
    return sign * (h * 3600 + m * 60);
}

// "40N43" with `positive` N and `negative` S (either case), minutes optional; or signed decimal
// degrees. Minutes of arc, within `limit` degrees.
std::optional<int> ParseCoordinate(std::string_view text, char positive, char negative, int limit) {
    const std::size_t letterAt = text.find_first_of(std::string{positive, negative,
                                                                static_cast<char>(std::tolower(positive)),
                                                                static_cast<char>(std::tolower(negative))});
    if (letterAt != std::string_view::npos) {
        const std::string_view degrees = text.substr(0, letterAt);
        const std::string_view minutes = text.substr(letterAt + 1);
        if (!AllDigits(degrees) || degrees.size() > 3 || (!minutes.empty() && (!AllDigits(minutes) || minutes.size() > 2))) {
            return std::nullopt;
        }
        const int d = Digits(degrees), m = minutes.empty() ? 0 : Digits(minutes);
        if (m > 59 || d * 60 + m > limit * 60) return std::nullopt;
        const bool negativeSide = std::toupper(static_cast<unsigned char>(text[letterAt])) == negative;
        return (negativeSide ? -1 : 1) * (d * 60 + m);
    }
    const std::optional<double> value = ParseNumber(text);
    if (!value || std::fabs(*value) > limit) return std::nullopt;
    return static_cast<int>(std::lround(*value * 60));
}

// A value in minutes of arc as the record's D.MM: degrees plus minutes / 100, the sign kept.
double DegreesMinutes(int arcmin) {
    const int magnitude = std::abs(arcmin);
    const double value = magnitude / 60 + (magnitude % 60) / 100.0;
    return arcmin < 0 ? -value : value;
}

std::string OffsetDescription(const ZoneOffset& offset) {
    return offset.abbreviation + ", " + UtcOffsetText(offset.offsetSeconds);
}

NameRecord RecordAt(const std::string& name, const ClockReading& clock, int offsetSeconds, const MomentInput& in) {
    NameRecord r;
    r.Name = name;
    r.Date = DateDdMmmYyyy(CalendarDate{clock.day, clock.month, clock.year});
    const int hour12 = clock.hour % 12 == 0 ? 12 : clock.hour % 12;
    r.Time = RecordTimeText(hour12 + clock.minute / 100.0);
    r.Meridiem = clock.hour < 12 ? "A" : "P";
    r.Zone = ZoneNumberText(-offsetSeconds / 3600.0);
    r.Longitude = RecordLongitudeText(DegreesMinutes(-in.longitudeArcmin));
    r.Latitude = RecordLatitudeText(DegreesMinutes(in.latitudeArcmin));
    return r;
}

// How the record fares when the natal window loads it: whether its zone keeps the value written
// (the zone sign rule may turn it) and whether the input checks accept it.
struct RecordFate {
    bool zoneKept = false;
    bool accepted = false;
};
RecordFate LoadedFate(const NameRecord& record, int offsetSeconds) {
    InputFields fields;
    RecordFate fate;
    if (!LoadNameRecord(record, 0, InputSection::Natal, fields).empty()) return fate;
    const float wanted = static_cast<float>(-offsetSeconds / 3600.0);
    fate.zoneKept = std::fabs(ParseMoment(fields, 0).zone - wanted) < 1e-5f;
    fate.accepted = CheckInputFields(fields, fields).empty() && CheckRanges(fields, InputSection::Natal).empty();
    return fate;
}

}  // namespace

std::optional<ClockReading> ParseIsoLocalTime(std::string_view text) {
    // YYYY-MM-DDTHH:MM or YYYY-MM-DDTHH:MM:SS
    if (text.size() != 16 && text.size() != 19) return std::nullopt;
    if (text[4] != '-' || text[7] != '-' || (text[10] != 'T' && text[10] != 't' && text[10] != ' ') ||
        text[13] != ':' || (text.size() == 19 && text[16] != ':')) {
        return std::nullopt;
    }
    const std::string_view y = text.substr(0, 4), mo = text.substr(5, 2), d = text.substr(8, 2),
                           h = text.substr(11, 2), mi = text.substr(14, 2),
                           s = text.size() == 19 ? text.substr(17, 2) : std::string_view("00");
    for (std::string_view part : {y, mo, d, h, mi, s}) {
        if (!AllDigits(part)) return std::nullopt;
    }
    ClockReading c{Digits(y), Digits(mo), Digits(d), Digits(h), Digits(mi), Digits(s)};
    if (c.year < 1000 || c.month < 1 || c.month > 12 || c.day < 1 || c.day > DaysInMonth(c.month, c.year) ||
        c.hour > 23 || c.minute > 59 || c.second > 59) {
        return std::nullopt;
    }
    return c;
}

std::string IsoClockText(const ClockReading& c) {
    char text[48];
    int n = std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", c.year, c.month, c.day, c.hour, c.minute);
    if (c.second != 0) std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n), ":%02d", c.second);
    return text;
}

std::variant<ZoneChoice, std::string> ParseZoneText(std::string_view text) {
    const std::string lower = Lower(text);
    if (lower == "lmt") return ZoneChoice{ZoneKind::LocalMeanTime, {}, 0};
    for (std::string_view prefix : {"utc", "gmt", "ut", "z"}) {
        if (lower == prefix) return ZoneChoice{ZoneKind::Fixed, {}, 0};
    }
    std::string_view offsetText = text;
    for (std::string_view prefix : {"utc", "gmt"}) {
        if (lower.size() > prefix.size() && lower.compare(0, prefix.size(), prefix) == 0 &&
            (lower[prefix.size()] == '+' || lower[prefix.size()] == '-')) {
            offsetText = text.substr(prefix.size());
        }
    }
    if (!offsetText.empty() && (offsetText[0] == '+' || offsetText[0] == '-')) {
        const std::optional<int> offset = ParseOffset(offsetText);
        if (!offset) {
            return "\"" + std::string(text) + "\" is not an offset like +05:30, -0500 or +5 (at most 14 hours)";
        }
        return ZoneChoice{ZoneKind::Fixed, {}, *offset};
    }
    if (OffsetsAtLocalTime(text, ClockReading{}).kind == LocalTimeKind::UnknownZone) {
        return "\"" + std::string(text) +
               "\" is not a time zone of the system's database (an IANA name such as America/New_York), "
               "an offset such as +05:30 or -0500, UTC or LMT";
    }
    return ZoneChoice{ZoneKind::Named, std::string(text), 0};
}

std::optional<int> ParseLatitudeText(std::string_view text) { return ParseCoordinate(text, 'N', 'S', 90); }
std::optional<int> ParseLongitudeText(std::string_view text) { return ParseCoordinate(text, 'E', 'W', 180); }

int ArcminutesFromRecordValue(double degreesMinutes) {
    const double magnitude = std::fabs(degreesMinutes);
    const int arcmin = static_cast<int>(std::trunc(magnitude)) * 60 +
                       static_cast<int>(std::lround((magnitude - std::trunc(magnitude)) * 100));
    return degreesMinutes < 0 ? -arcmin : arcmin;
}

std::variant<MomentRecord, std::string> MakeMomentRecord(const MomentInput& in) {
    MomentRecord result;
    // The record holds minutes: round the reading first, so that the offset is the one of the
    // minute written.
    ClockReading clock = in.clock;
    if (clock.second != 0) {
        if (!in.clockIsUniversal) {
            result.notes.push_back(IsoClockText(clock) + " is rounded to the minute, which the record holds");
        }
        clock = ShiftClock(clock, clock.second >= 30 ? 60 - clock.second : -clock.second);
    }
    const ZoneOffset placeMeanTime{in.longitudeArcmin * 4, "LMT", false, true};  // 4 s of time per minute of arc

    ZoneOffset offset;
    switch (in.zone.kind) {
        case ZoneKind::Fixed:
            offset.offsetSeconds = in.zone.offsetSeconds;
            offset.abbreviation = "fixed";
            result.zoneText = "fixed offset " + UtcOffsetText(offset.offsetSeconds);
            break;
        case ZoneKind::LocalMeanTime:
            offset = placeMeanTime;
            result.zoneText = "local mean time (longitude / 15), " + UtcOffsetText(offset.offsetSeconds);
            break;
        case ZoneKind::Named: {
            if (in.clockIsUniversal) {
                const std::optional<ZoneOffset> found = OffsetAtUniversalTime(in.zone.name, clock);
                if (!found) return "no time zone " + in.zone.name + " in the system's database";
                offset = *found;
            } else {
                const ZoneAtLocalTime at = OffsetsAtLocalTime(in.zone.name, clock);
                switch (at.kind) {
                    case LocalTimeKind::UnknownZone:
                        return "no time zone " + in.zone.name + " in the system's database";
                    case LocalTimeKind::Skipped:
                        return IsoClockText(clock) + " did not exist in " + in.zone.name + ": the clocks went from " +
                               OffsetDescription(at.offsets[0]) + " to " + OffsetDescription(at.offsets[1]) +
                               " over it";
                    case LocalTimeKind::Repeated: {
                        const bool later = in.fold == Fold::Later;
                        offset = at.offsets[later ? 1 : 0];
                        result.notes.push_back(IsoClockText(clock) + " happened twice in " + in.zone.name + ": the " +
                                               (later ? "later" : "earlier") + " occurrence (" +
                                               OffsetDescription(offset) + ") is used; the " +
                                               (later ? "earlier" : "later") + " was " +
                                               OffsetDescription(at.offsets[later ? 0 : 1]));
                        break;
                    }
                    case LocalTimeKind::Single:
                        offset = at.offsets[0];
                        break;
                }
            }
            if (offset.localMeanTime) {
                // The database's mean time is its main city's; the place keeps its own.
                result.notes.push_back("before standard time in " + in.zone.name +
                                       ": the place's own local mean time (longitude / 15) is used");
                offset = placeMeanTime;
            }
            result.zoneText = in.zone.name + ": " + OffsetDescription(offset) + (offset.daylight ? ", daylight saving" : "");
            break;
        }
    }
    result.offset = offset;

    const ClockReading universal = in.clockIsUniversal ? clock : ShiftClock(clock, -offset.offsetSeconds);
    const ClockReading local = in.clockIsUniversal ? ShiftClock(clock, offset.offsetSeconds) : clock;
    const NameRecord localRecord = RecordAt(in.name, local, offset.offsetSeconds, in);
    const RecordFate localFate = LoadedFate(localRecord, offset.offsetSeconds);
    if (localFate.zoneKept && localFate.accepted) {
        result.record = localRecord;
        return result;
    }
    const NameRecord universalRecord = RecordAt(in.name, universal, 0, in);
    if (!localFate.zoneKept || LoadedFate(universalRecord, 0).accepted) {
        result.record = universalRecord;
        result.universalTime = true;
        result.notes.push_back("the zone " + ZoneNumberText(-offset.offsetSeconds / 3600.0) +
                               " cannot be written with this longitude's sign: the record holds the moment in "
                               "universal time with zone 0");
        return result;
    }
    // Refused either way: the local record, whose refusal the chart reports.
    result.record = localRecord;
    return result;
}

std::variant<std::vector<AtlasPlaceRow>, std::string> ParseAtlasPlaceRows(std::string_view output) {
    std::vector<AtlasPlaceRow> rows;
    std::size_t at = 0;
    while (at < output.size()) {
        const std::size_t end = std::min(output.find('\n', at), output.size());
        std::string_view line = output.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty()) {
            const std::optional<AtlasPlaceRow> row = ParseAtlasPlaceRow(line);
            if (!row) return "the atlas program answered a line that is not a place: " + std::string(line);
            rows.push_back(*row);
        }
        at = end + 1;
    }
    return rows;
}

std::string AtlasPlaceRowSummary(const AtlasPlaceRow& row) {
    return row.name + " | " + row.region + " | " + row.country + " | " + LatitudeCode(row.latitude) + " " +
           LongitudeCode(row.longitude) + " | " + row.zoneId;
}

std::variant<AtlasPlaceRow, std::string> ChooseAtlasPlace(std::string_view query,
                                                          const std::vector<AtlasPlaceRow>& rows,
                                                          std::optional<int> index) {
    const std::string quoted = "\"" + std::string(query) + "\"";
    if (rows.empty()) return "no place of the atlas matches " + quoted;
    auto listing = [&]() {
        std::string text;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            text += "\n  " + std::to_string(i + 1) + ". " + AtlasPlaceRowSummary(rows[i]);
        }
        return text;
    };
    if (index) {
        if (*index < 1 || static_cast<std::size_t>(*index) > rows.size()) {
            return "there is no place " + std::to_string(*index) + " among the " + std::to_string(rows.size()) +
                   " matching " + quoted + ":" + listing();
        }
        return rows[static_cast<std::size_t>(*index - 1)];
    }
    const AtlasPlaceRow* best = nullptr;
    for (const AtlasPlaceRow& row : rows) {
        if (row.exactName && (!best || row.population > best->population)) best = &row;
    }
    if (best) return *best;
    if (rows.size() == 1) return rows.front();
    return std::to_string(rows.size()) + " places match " + quoted + " and none by its whole name; choose one by its number:" +
           listing();
}

std::variant<NameRecord, std::string> FindRecordByName(const std::vector<NameRecord>& records,
                                                       std::string_view name) {
    const std::string wanted = UpperCaseText(name);
    std::vector<const NameRecord*> found;
    for (const NameRecord& r : records) {
        if (UpperCaseText(r.Name) == wanted) found.push_back(&r);
    }
    if (found.empty()) return "no record named \"" + std::string(name) + "\"";
    if (found.size() > 1) {
        std::string text = std::to_string(found.size()) + " records are named \"" + std::string(name) + "\":";
        for (const NameRecord* r : found) text += "\n  " + NameRecordLine(*r);
        return text;
    }
    return *found.front();
}

}  // namespace orrerion
