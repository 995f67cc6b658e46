// The clock offset in force: daylight saving, both hemispheres, clock changes and local mean time.
#include <gtest/gtest.h>

#include <cmath>

#include "zone_offset.h"

namespace orrerion::atlas {
namespace {

QDate Date(const char* text) { return QDate::fromString(QString::fromLatin1(text), Qt::ISODate); }
QTime Time(const char* text) { return QTime::fromString(QString::fromLatin1(text), QStringLiteral("HH:mm")); }

struct SingleCase {
    const char* zone;
    double longitudeEast;
    const char* date;
    const char* time;
    double zoneHoursWest;
    const char* abbreviation;
    bool daylight;
    const char* note;
};

TEST(OffsetInForce, OneOffsetWithDaylightSavingInBothHemispheres) {
    const SingleCase cases[] = {
        {"America/New_York", -74.006, "1950-07-01", "12:00", 4, "EDT", true, "New York, summer 1950"},
        {"America/New_York", -74.006, "1950-01-15", "12:00", 5, "EST", false, "New York, winter 1950"},
        {"Asia/Kolkata", 88.363, "1980-01-15", "12:00", -5.5, "IST", false, "east of Greenwich, half hour"},
        {"Asia/Kolkata", 88.363, "1943-07-01", "12:00", -6.5, "+0630", true, "war time in India"},
        {"Australia/Sydney", 151.207, "2021-01-15", "12:00", -11, "AEDT", true, "southern summer"},
        {"Australia/Sydney", 151.207, "2021-07-15", "12:00", -10, "AEST", false, "southern winter"},
        {"America/Sao_Paulo", -46.636, "1990-01-15", "12:00", 2, "-02", true, "south, west of Greenwich"},
        {"Asia/Kathmandu", 85.314, "2000-06-01", "12:00", -5.75, "+0545", false, "a quarter-hour zone"},
        {"Europe/London", -0.126, "1970-01-15", "12:00", -1, "BST", false, "British Standard Time, all year"},
        {"Europe/Madrid", -3.704, "2020-07-01", "12:00", -2, "CEST", true, "west of Greenwich, ahead of it"},
    };
    for (const SingleCase& c : cases) {
        const ZoneAtLocalTime z = OffsetInForce(QString::fromLatin1(c.zone), c.longitudeEast, Date(c.date), Time(c.time));
        ASSERT_EQ(z.kind, LocalTimeKind::Single) << c.note;
        ASSERT_EQ(z.choices.size(), 1u) << c.note;
        EXPECT_DOUBLE_EQ(z.choices[0].zoneHoursWest, c.zoneHoursWest) << c.note;
        EXPECT_EQ(z.choices[0].offsetSeconds, static_cast<int>(std::lround(-c.zoneHoursWest * 3600))) << c.note;
        EXPECT_EQ(z.choices[0].abbreviation.toStdString(), c.abbreviation) << c.note;
        EXPECT_EQ(z.choices[0].daylight, c.daylight) << c.note;
        EXPECT_FALSE(z.choices[0].localMeanTime) << c.note;
        EXPECT_EQ(z.zoneId.toStdString(), c.zone);
    }
}

struct ChangeCase {
    const char* zone;
    const char* date;
    const char* time;
    LocalTimeKind kind;
    double first, second;  // zones in hours west: before/after the change, or first/second occurrence
    bool firstDaylight;
    const char* note;
};

TEST(OffsetInForce, ClockTimesSkippedOrRepeatedAtAChangeGiveBothOffsets) {
    const ChangeCase cases[] = {
        {"America/New_York", "2021-03-14", "02:30", LocalTimeKind::Skipped, 5, 4, false, "spring forward"},
        {"America/New_York", "2021-11-07", "01:30", LocalTimeKind::Repeated, 4, 5, true, "fall back"},
        {"Australia/Sydney", "2021-10-03", "02:30", LocalTimeKind::Skipped, -10, -11, false, "southern spring"},
        {"Australia/Sydney", "2021-04-04", "02:30", LocalTimeKind::Repeated, -11, -10, true, "southern autumn"},
        {"Europe/Berlin", "2021-03-28", "02:00", LocalTimeKind::Skipped, -1, -2, false, "the first skipped minute"},
        {"Europe/Berlin", "2021-10-31", "02:59", LocalTimeKind::Repeated, -2, -1, true, "the last repeated minute"},
    };
    for (const ChangeCase& c : cases) {
        const ZoneAtLocalTime z = OffsetInForce(QString::fromLatin1(c.zone), 0, Date(c.date), Time(c.time));
        ASSERT_EQ(z.kind, c.kind) << c.note;
        ASSERT_EQ(z.choices.size(), 2u) << c.note;
        EXPECT_DOUBLE_EQ(z.choices[0].zoneHoursWest, c.first) << c.note;
        EXPECT_DOUBLE_EQ(z.choices[1].zoneHoursWest, c.second) << c.note;
        EXPECT_EQ(z.choices[0].daylight, c.firstDaylight) << c.note;
        EXPECT_EQ(z.choices[1].daylight, !c.firstDaylight) << c.note;
    }
    // A minute either side of a change is an ordinary time.
    EXPECT_EQ(OffsetInForce("Europe/Berlin", 13.4, Date("2021-03-28"), Time("01:59")).kind, LocalTimeKind::Single);
    EXPECT_EQ(OffsetInForce("Europe/Berlin", 13.4, Date("2021-03-28"), Time("03:00")).choices[0].zoneHoursWest, -2);
    EXPECT_EQ(OffsetInForce("Europe/Berlin", 13.4, Date("2021-10-31"), Time("03:00")).choices[0].zoneHoursWest, -1);
}

struct MeanTimeCase {
    const char* zone;
    double longitudeEast;
    const char* date;
    int minutesEast;  // the place's own mean time, to the minute
    const char* note;
};

TEST(OffsetInForce, BeforeStandardTimeThePlaceKeepsItsOwnMeanTime) {
    const MeanTimeCase cases[] = {
        {"America/New_York", -71.0598, "1850-01-01", -284, "Boston: 4h44m, not New York's 4h56m"},
        {"America/New_York", -74.006, "1883-11-18", -296, "New York on the day standard time came"},
        {"Australia/Sydney", 151.2073, "1880-01-01", 605, "southern hemisphere, east"},
        {"Asia/Kolkata", 88.363, "1850-01-01", 353, "east of Greenwich"},
        {"America/Los_Angeles", -116.9364, "1870-06-01", -468, "a place far from the zone's city"},
    };
    for (const MeanTimeCase& c : cases) {
        const ZoneAtLocalTime z = OffsetInForce(QString::fromLatin1(c.zone), c.longitudeEast, Date(c.date), Time("09:00"));
        ASSERT_EQ(z.kind, LocalTimeKind::Single) << c.note;
        const OffsetChoice& only = z.choices[0];
        EXPECT_TRUE(only.localMeanTime) << c.note;
        EXPECT_FALSE(only.daylight) << c.note;
        EXPECT_EQ(only.offsetSeconds, c.minutesEast * 60) << c.note;
        EXPECT_DOUBLE_EQ(only.zoneHoursWest, -c.minutesEast / 60.0) << c.note;
    }
    // Once standard time has come, the zone's offset applies whatever the place's longitude.
    const ZoneAtLocalTime later = OffsetInForce("America/New_York", -71.0598, Date("1883-11-19"), Time("09:00"));
    EXPECT_FALSE(later.choices.at(0).localMeanTime);
    EXPECT_DOUBLE_EQ(later.choices.at(0).zoneHoursWest, 5);
}

TEST(OffsetInForce, AnUnknownZoneGivesNoChoice) {
    const ZoneAtLocalTime z = OffsetInForce("Mars/Olympus_Mons", 0, Date("2000-01-01"), Time("12:00"));
    EXPECT_EQ(z.kind, LocalTimeKind::UnknownZone);
    EXPECT_TRUE(z.choices.empty());
}

TEST(LocalMeanTimeSeconds, FourMinutesPerDegreeToTheMinute) {
    EXPECT_EQ(LocalMeanTimeSeconds(0), 0);
    EXPECT_EQ(LocalMeanTimeSeconds(15), 3600);
    EXPECT_EQ(LocalMeanTimeSeconds(-71.0598), -284 * 60);
    EXPECT_EQ(LocalMeanTimeSeconds(0.13), 60);  // 0.52 minute rounds up
    EXPECT_EQ(LocalMeanTimeSeconds(-180), -12 * 3600);
}

TEST(OffsetTexts, ShowTheProgramsZoneBesideTheUsualNotation) {
    EXPECT_EQ(UtcOffsetText(-14400), "UTC-04:00");
    EXPECT_EQ(UtcOffsetText(19800), "UTC+05:30");
    EXPECT_EQ(UtcOffsetText(1172), "UTC+00:19:32");
    OffsetChoice edt{-14400, 4, QStringLiteral("EDT"), true, false};
    EXPECT_EQ(ChoiceText(edt), "zone 4 (EDT, UTC-04:00, daylight saving time)");
    OffsetChoice lmt{-284 * 60, 284 / 60.0, QStringLiteral("LMT"), false, true};
    EXPECT_EQ(ChoiceText(lmt), "zone 4.733333 (local mean time, longitude / 15, UTC-04:44)");
}

}  // namespace
}  // namespace orrerion::atlas
