// The offsets of the time zones through their history, from the system's tzdata: war time, double
// summer time, British Standard Time, half-hour daylight saving, clocks that skipped or repeated
// an hour, and local mean time before standard time.
#include <gtest/gtest.h>

#include "core/base/zone_history.h"

namespace orrerion {
namespace {

struct OffsetCase {
    const char* zone;
    ClockReading clock;  // local
    LocalTimeKind kind;
    std::vector<int> offsets;  // seconds east, in the order of time
    const char* source;        // the tzdata line the offsets come from
};

TEST(OffsetsAtLocalTime, FollowTheHistoryOfEachZone) {
    const OffsetCase cases[] = {
        {"America/New_York", {1950, 1, 13, 8, 30, 0}, LocalTimeKind::Single, {-5 * 3600},
         "northamerica: America/New_York -5:00 US E%sT, standard time in January"},
        {"America/New_York", {1950, 7, 13, 8, 30, 0}, LocalTimeKind::Single, {-4 * 3600},
         "northamerica: Rule NYC 1921-1954 Apr lastSun 2:00 1:00 D"},
        {"Europe/Paris", {1942, 3, 10, 14, 45, 0}, LocalTimeKind::Single, {2 * 3600},
         "europe: Europe/Paris 1:00 C-Eur CE%sT from 1940 Jun 14; C-Eur saves 1:00 until 1942 Nov 2"},
        {"Europe/Paris", {1942, 12, 10, 14, 45, 0}, LocalTimeKind::Single, {1 * 3600},
         "europe: C-Eur 1942 Nov 2 2:00s save 0"},
        {"Europe/London", {1944, 6, 6, 12, 0, 0}, LocalTimeKind::Single, {2 * 3600},
         "europe: Rule GB-Eire 1944 Apr 2 2:00s 2:00 BDST (double summer time)"},
        {"Europe/London", {1970, 1, 15, 9, 0, 0}, LocalTimeKind::Single, {1 * 3600},
         "europe: Europe/London 1:00 - BST 1968 Oct 27 to 1971 Oct 31 (British Standard Time)"},
        {"Asia/Kolkata", {1945, 8, 15, 6, 0, 0}, LocalTimeKind::Single, {6 * 3600 + 1800},
         "asia: Asia/Kolkata 5:30 1:00 +0630 1942 May 15 to 1945 Oct 15"},
        {"Asia/Kathmandu", {1980, 6, 1, 6, 0, 0}, LocalTimeKind::Single, {5 * 3600 + 1800},
         "asia: Asia/Kathmandu 5:30 - +0530 until 1986"},
        {"Asia/Kathmandu", {1990, 6, 1, 6, 0, 0}, LocalTimeKind::Single, {5 * 3600 + 45 * 60},
         "asia: Asia/Kathmandu 5:45 - +0545 from 1986"},
        {"Australia/Lord_Howe", {1990, 1, 1, 12, 0, 0}, LocalTimeKind::Single, {11 * 3600},
         "australasia: Australia/Lord_Howe 10:30 LH; Rule LH 1985 on saves 0:30"},
        {"Australia/Lord_Howe", {1990, 7, 1, 12, 0, 0}, LocalTimeKind::Single, {10 * 3600 + 1800},
         "australasia: Australia/Lord_Howe 10:30 standard time"},
        {"America/New_York", {2021, 3, 14, 2, 30, 0}, LocalTimeKind::Skipped, {-5 * 3600, -4 * 3600},
         "northamerica: Rule US 2007 on Mar Sun>=8 2:00 1:00 D"},
        {"America/New_York", {2021, 11, 7, 1, 30, 0}, LocalTimeKind::Repeated, {-4 * 3600, -5 * 3600},
         "northamerica: Rule US 2007 on Nov Sun>=1 2:00 0 S"},
        {"America/New_York", {1850, 1, 1, 12, 0, 0}, LocalTimeKind::Single, {-(4 * 3600 + 56 * 60 + 2)},
         "northamerica: America/New_York -4:56:02 LMT until 1883 Nov 18 12:03:58"},
        {"Nowhere/Atlantis", {1990, 1, 1, 12, 0, 0}, LocalTimeKind::UnknownZone, {}, "not in tzdata"},
    };
    for (const OffsetCase& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.clock.year) + "; " + c.source);
        const ZoneAtLocalTime at = OffsetsAtLocalTime(c.zone, c.clock);
        EXPECT_EQ(at.kind, c.kind);
        std::vector<int> offsets;
        for (const ZoneOffset& o : at.offsets) offsets.push_back(o.offsetSeconds);
        EXPECT_EQ(offsets, c.offsets);
    }
    // The LMT period is marked so that a place's own mean time can replace the main city's.
    EXPECT_TRUE(OffsetsAtLocalTime("America/New_York", {1850, 1, 1, 12, 0, 0}).offsets.at(0).localMeanTime);
    EXPECT_TRUE(OffsetsAtLocalTime("Europe/Paris", {1942, 3, 10, 14, 45, 0}).offsets.at(0).daylight);
    EXPECT_FALSE(OffsetsAtLocalTime("Europe/London", {1970, 1, 15, 9, 0, 0}).offsets.at(0).daylight);
}

// An instant of UT reads the zone at that instant: the hour New York repeats in November 2021 is
// EDT at 05:30 UT and EST at 06:30 UT; shifting crosses months and years.
TEST(OffsetAtUniversalTime, ReadsTheZoneAtTheInstant) {
    EXPECT_EQ(OffsetAtUniversalTime("America/New_York", {2021, 11, 7, 5, 30, 0})->abbreviation, "EDT");
    EXPECT_EQ(OffsetAtUniversalTime("America/New_York", {2021, 11, 7, 6, 30, 0})->abbreviation, "EST");
    EXPECT_FALSE(OffsetAtUniversalTime("Nowhere/Atlantis", {2021, 11, 7, 6, 30, 0}).has_value());
    EXPECT_EQ(ShiftClock({1969, 12, 31, 23, 30, 0}, 3600), (ClockReading{1970, 1, 1, 0, 30, 0}));
    EXPECT_EQ(ShiftClock({2000, 3, 1, 0, 0, 30}, -60), (ClockReading{2000, 2, 29, 23, 59, 30}));
    EXPECT_EQ(UtcOffsetText(-(4 * 3600 + 56 * 60 + 2)), "UTC-04:56:02");
    EXPECT_EQ(UtcOffsetText(19800), "UTC+05:30");
}

}  // namespace
}  // namespace orrerion
