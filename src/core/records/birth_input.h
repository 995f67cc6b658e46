#pragma once
// A birth (or the diurnal moment) as people write it: an ISO 8601 local date and 24-hour time, a
// time-zone name with its history, a fixed offset or local mean time, a place as 40N43 / 74W00 or
// signed decimal degrees, or a place of the atlas, or a record of the names file by its name.
// Everything ends as one names-file record, the form the chart is computed from, so that the
// record shown to the person gives the same chart when typed back in.
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/base/zone_history.h"
#include "core/records/atlas_exchange.h"
#include "core/records/name_record.h"

namespace orrerion {

// "1950-01-13T08:30" or "1950-01-13T08:30:15" (a blank may stand for the T): a local date of the
// calendar with a four-digit year and a 24-hour time. Nothing for any other text.
std::optional<ClockReading> ParseIsoLocalTime(std::string_view text);
// "1950-01-13 08:30", seconds added when not 0.
std::string IsoClockText(const ClockReading& clock);

enum class ZoneKind {
    Named,          // an IANA zone: the offset in force at the moment, from the database
    Fixed,          // one offset whatever the date
    LocalMeanTime,  // the place's own mean time: its longitude / 15
};
struct ZoneChoice {
    ZoneKind kind = ZoneKind::Fixed;
    std::string name;       // the IANA name of a Named zone ("Europe/Paris")
    int offsetSeconds = 0;  // a Fixed zone's offset, east of Greenwich
    bool operator==(const ZoneChoice&) const = default;
};
// An IANA name ("America/New_York", case as the database spells it), a fixed offset ("+05:30",
// "-0500", "+5", "UTC", "UT", "GMT", "Z", "UTC+05:30") or "LMT"; the problem otherwise.
std::variant<ZoneChoice, std::string> ParseZoneText(std::string_view text);

// "40N43" (degrees, N or S, minutes), "33s52" or signed decimal degrees ("40.7167", "-31.55"),
// rounded to the whole minute of arc the record holds: minutes of arc north. Nothing for other
// text or beyond 90 degrees.
std::optional<int> ParseLatitudeText(std::string_view text);
// "74W00", "2E21" or signed decimal degrees east ("-74.0"): minutes of arc east; within 180 degrees.
std::optional<int> ParseLongitudeText(std::string_view text);
// A record's D.MM value (074.00, -002.21) in minutes of arc, its sign kept.
int ArcminutesFromRecordValue(double degreesMinutes);

// Which occurrence of a clock time that happened twice (the clocks went back) is meant.
enum class Fold { Earlier, Later };

struct MomentInput {
    std::string name;                // the record's name field
    ClockReading clock;              // the wall clock, or UT when `clockIsUniversal`
    bool clockIsUniversal = false;   // --now: the instant is known, the zone only names its clock
    ZoneChoice zone;
    int latitudeArcmin = 0;   // north positive
    int longitudeArcmin = 0;  // east positive
    Fold fold = Fold::Earlier;
};

struct MomentRecord {
    NameRecord record;
    ZoneOffset offset;                 // the offset the moment was read with
    bool universalTime = false;        // the record holds the moment in UT with zone 0
    std::string zoneText;              // "America/New_York: EST, UTC-05:00"
    std::vector<std::string> notes;    // the occurrence chosen, seconds rounded, UT written, mean time
};

// The record of the moment: date "dd mmm yyyy", 12-hour time with A or P, the zone in hours west
// and the place in D.MM (longitude west positive, latitude north positive). A clock time that did
// not exist at that place (the clocks jumped over it) or an unknown zone name is refused with the
// reason. Seconds are rounded to the minute the record holds. Where the zone would not survive
// the record being loaded (the zone sign rule gives an East longitude a zone ahead of Greenwich
// and a West one a zone behind, so British Summer Time at 0W07 would become an hour behind), the
// record holds the moment in universal time with zone 0. A database period of local mean time
// (before the zone's first standard time) is replaced by the place's own mean time.
std::variant<MomentRecord, std::string> MakeMomentRecord(const MomentInput& input);

// The place a query names among the atlas's matches: the `index`th (from 1) when one is asked
// for; else the most populous of those whose name equals the query; else the only match. When
// several match and none by its whole name (or the index is out of range, or nothing matches),
// the problem, listing the matches numbered from 1.
std::variant<AtlasPlaceRow, std::string> ChooseAtlasPlace(std::string_view query,
                                                          const std::vector<AtlasPlaceRow>& rows,
                                                          std::optional<int> index);
// The rows ATLAS.EXE --places printed, one a line (empty lines skipped); the problem, quoting the
// line, when a line is not such a row.
std::variant<std::vector<AtlasPlaceRow>, std::string> ParseAtlasPlaceRows(std::string_view output);
// "New York | New York | United States | 40N43 74W00 | America/New_York"
std::string AtlasPlaceRowSummary(const AtlasPlaceRow& row);

// The stored record whose name equals `name`, case ignored; the problem when none or several do.
std::variant<NameRecord, std::string> FindRecordByName(const std::vector<NameRecord>& records,
                                                       std::string_view name);

}  // namespace orrerion
