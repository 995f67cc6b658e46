#pragma once
// The clock offsets of the IANA time zones through their history (war time, double summer time,
// local mean time before standard time), read from the system's time-zone database (Debian's
// tzdata) through Howard Hinnant's date/tz library. Offsets are seconds east of Greenwich, as the
// database counts them (local time - UT); the program's zones are hours west: -offset / 3600.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orrerion {

// A reading of a wall clock (or of UT): proleptic Gregorian date, 24-hour time.
struct ClockReading {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
    bool operator==(const ClockReading&) const = default;
};

struct ZoneOffset {
    int offsetSeconds = 0;     // east of Greenwich
    std::string abbreviation;  // "EDT", "BST", "+0530"; "LMT" before standard time
    bool daylight = false;     // the database counts part of the offset as saving time
    bool localMeanTime = false;  // the database's mean time of the zone's main city
};

enum class LocalTimeKind {
    Single,       // the clock showed this time once: one offset
    Skipped,      // the clocks jumped over it: the offsets before and after the change
    Repeated,     // the clocks went back over it: the offsets of its first and second occurrence
    UnknownZone,  // the database has no zone of that name: no offset
};

struct ZoneAtLocalTime {
    LocalTimeKind kind = LocalTimeKind::UnknownZone;
    std::vector<ZoneOffset> offsets;  // in the order of time
};

// The offset (or the two offsets at a clock change) of zone `zoneId` ("Europe/Paris") when its
// clocks read `clock`.
ZoneAtLocalTime OffsetsAtLocalTime(std::string_view zoneId, const ClockReading& clock);

// The offset of zone `zoneId` at the instant `ut`; nothing for an unknown zone.
std::optional<ZoneOffset> OffsetAtUniversalTime(std::string_view zoneId, const ClockReading& ut);

// The clock reading `seconds` seconds after `clock` (negative: before), across days and months.
ClockReading ShiftClock(const ClockReading& clock, std::int64_t seconds);

// The present moment in UT, to the second.
ClockReading UniversalTimeNow();

// "UTC-04:00", "UTC+05:30", "UTC-04:56:02".
std::string UtcOffsetText(int offsetSeconds);

}  // namespace orrerion
