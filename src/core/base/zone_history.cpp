#include "core/base/zone_history.h"

#include <date/tz.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace orrerion {
namespace {

using Seconds = std::chrono::seconds;

// The reading as seconds counted from 1970-01-01 00:00 of its own clock.
Seconds SinceEpoch(const ClockReading& c) {
    const date::sys_days day = date::year{c.year} / c.month / c.day;
    return day.time_since_epoch() + std::chrono::hours{c.hour} + std::chrono::minutes{c.minute} +
           Seconds{c.second};
}

ClockReading FromSinceEpoch(Seconds s) {
    const date::sys_seconds at{s};
    const date::sys_days day = date::floor<date::days>(at);
    const date::year_month_day ymd{day};
    const date::hh_mm_ss<Seconds> time{at - day};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())), static_cast<int>(time.hours().count()),
            static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count())};
}

const date::time_zone* FindZone(std::string_view zoneId) {
    try {
        return date::locate_zone(zoneId);
    } catch (const std::runtime_error&) {
        return nullptr;
    }
}

ZoneOffset OffsetOf(const date::sys_info& info) {
    ZoneOffset offset;
    offset.offsetSeconds = static_cast<int>(info.offset.count());
    offset.abbreviation = info.abbrev;
    offset.daylight = info.save.count() != 0;
    offset.localMeanTime = info.abbrev == "LMT";
    return offset;
}

}  // namespace

ZoneAtLocalTime OffsetsAtLocalTime(std::string_view zoneId, const ClockReading& clock) {
    ZoneAtLocalTime result;
    const date::time_zone* zone = FindZone(zoneId);
    if (!zone) return result;
    const date::local_info info = zone->get_info(date::local_seconds{SinceEpoch(clock)});
    result.offsets.push_back(OffsetOf(info.first));
    switch (info.result) {
        case date::local_info::unique:
            result.kind = LocalTimeKind::Single;
            break;
        case date::local_info::nonexistent:
            result.kind = LocalTimeKind::Skipped;
            result.offsets.push_back(OffsetOf(info.second));
            break;
        case date::local_info::ambiguous:
            result.kind = LocalTimeKind::Repeated;
            result.offsets.push_back(OffsetOf(info.second));
            break;
    }
    return result;
}

std::optional<ZoneOffset> OffsetAtUniversalTime(std::string_view zoneId, const ClockReading& ut) {
    const date::time_zone* zone = FindZone(zoneId);
    if (!zone) return std::nullopt;
    return OffsetOf(zone->get_info(date::sys_seconds{SinceEpoch(ut)}));
}

ClockReading ShiftClock(const ClockReading& clock, std::int64_t seconds) {
    return FromSinceEpoch(SinceEpoch(clock) + Seconds{seconds});
}

ClockReading UniversalTimeNow() {
    return FromSinceEpoch(date::floor<Seconds>(std::chrono::system_clock::now()).time_since_epoch());
}

std::string UtcOffsetText(int offsetSeconds) {
    const int magnitude = std::abs(offsetSeconds);
    char text[32];
    int n = std::snprintf(text, sizeof text, "UTC%c%02d:%02d", offsetSeconds < 0 ? '-' : '+', magnitude / 3600,
                          magnitude / 60 % 60);
    if (magnitude % 60 != 0) std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n), ":%02d", magnitude % 60);
    return text;
}

}  // namespace orrerion
