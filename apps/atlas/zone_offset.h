#pragma once
// The clock offset in force at a place on a local date and time, from the system's time-zone
// database, in the program's convention: hours west of Greenwich positive (New York in July 1950
// is 4, in January 1950 5; Kolkata is -5.5).
#include <QDate>
#include <QString>
#include <QTime>
#include <vector>

namespace orrerion::atlas {

struct OffsetChoice {
    int offsetSeconds = 0;     // east of Greenwich, as the database counts (local time - UT)
    double zoneHoursWest = 0;  // the zone as the input windows take it: -offsetSeconds / 3600
    QString abbreviation;      // "EDT", "IST"; "LMT" for local mean time
    bool daylight = false;     // daylight saving in force
    bool localMeanTime = false;  // before standard time: the birthplace's own mean time
};

enum class LocalTimeKind {
    Single,    // the local time occurs once: one choice
    Skipped,   // the clocks jumped over it: the offsets before and after the change
    Repeated,  // the clocks went back over it: the offsets of its first and second occurrence
    UnknownZone,  // the database has no such zone: no choice
};

struct ZoneAtLocalTime {
    QString zoneId;
    LocalTimeKind kind = LocalTimeKind::UnknownZone;
    std::vector<OffsetChoice> choices;
};

// The offset (or the two offsets at a clock change) for the wall-clock `date` and `time` at a
// place in zone `zoneId` at `longitudeEast` degrees. Before the zone's first change to standard
// time the database holds the mean time of the zone's main city; the place's own local mean time
// (its longitude / 15, to the minute) is given instead.
ZoneAtLocalTime OffsetInForce(const QString& zoneId, double longitudeEast, QDate date, QTime time);

// The birthplace's local mean time: its longitude / 15 hours, rounded to the minute, as seconds
// east of Greenwich.
int LocalMeanTimeSeconds(double longitudeEast);

// "UTC-04:00", "UTC+05:30", "UTC+00:19:32".
QString UtcOffsetText(int offsetSeconds);

// How one choice reads: "zone 4 (EDT, UTC-04:00, daylight saving time)",
// "zone 4.733333 (local mean time, longitude / 15, UTC-04:44)".
QString ChoiceText(const OffsetChoice& choice);

}  // namespace orrerion::atlas
