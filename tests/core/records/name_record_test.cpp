// A names-file record: its fields, its date and loading it into the input fields.
#include <gtest/gtest.h>

#include "core/chart/input_checks.h"
#include "core/records/name_record.h"

namespace orrerion {
namespace {

NameRecord Record(const char* line) {
    const auto r = NameRecordFromLine(line);
    EXPECT_TRUE(r.has_value()) << line;
    return r.value_or(NameRecord{});
}

TEST(NameRecordLine, SevenFields) {
    const NameRecord r = Record("John Smith, 13 Jan 1950 ,8.30,A,5,074.00,40.43");
    EXPECT_EQ(r.Name, "John Smith");
    EXPECT_EQ(r.Date, "13 Jan 1950");
    EXPECT_EQ(r.Time, "8.30");
    EXPECT_EQ(r.Meridiem, "A");
    EXPECT_EQ(r.Zone, "5");
    EXPECT_EQ(r.Longitude, "074.00");
    EXPECT_EQ(r.Latitude, "40.43");
    EXPECT_EQ(Record("\"Smith, John\",13 Jan 1950,8.30,A,5,074.00,40.43").Name, "Smith, John");
    EXPECT_EQ(Record(",07 Dec 2026,12.00,P,5,074.00,40.43").Name, "");
    EXPECT_FALSE(NameRecordFromLine("John,13 Jan 1950,8.30,A,5,074.00").has_value());
    EXPECT_FALSE(NameRecordFromLine("John,13 Jan 1950,8.30,A,5,074.00,40.43,x").has_value());
}

TEST(RecordDate, DayMonthYearEitherWayRound) {
    struct Case { const char* text; int day, month, year; };
    const Case cases[] = {{"13 Jan 1950", 13, 1, 1950}, {"1950 Jan 13", 13, 1, 1950},
                          {"05 jan 1950", 5, 1, 1950},  {"5 January 1950", 5, 1, 1950},
                          {"29 Feb 1964", 29, 2, 1964}, {" 07  Dec 2026 ", 7, 12, 2026}};
    for (const Case& c : cases) {
        const auto d = ParseRecordDate(c.text);
        ASSERT_TRUE(d.has_value()) << c.text;
        EXPECT_EQ(d->day, c.day) << c.text;
        EXPECT_EQ(d->month, c.month) << c.text;
        EXPECT_EQ(d->year, c.year) << c.text;
    }
    for (const char* bad : {"31 Feb 1950", "29 Feb 1900", "13/01/1950", "13 Jan 50", "13 Jab 1950",
                            "0 Jan 1950", "", "13 Jan"}) {
        EXPECT_FALSE(ParseRecordDate(bad).has_value()) << bad;
    }
}

TEST(RecordDate, YearFirstRewrite) {
    EXPECT_EQ(YearFirstRecordDate("05 Jan 1950"), "1950 Jan 05");
    EXPECT_EQ(YearFirstRecordDate("5 Jan 1950"), "1950 Jan 05");
}

TEST(LoadRecord, NatalFieldsFromARecord) {
    InputFields f;
    f.am = false;
    f.east = true;
    f.south = true;
    EXPECT_TRUE(LoadNameRecord(Record("John Smith,13 Jan 1950,8.30,A,5,074.00,40.43"), 0, InputSection::Natal, f).empty());
    EXPECT_EQ(f.month, "1");
    EXPECT_EQ(f.day, "13");
    EXPECT_EQ(f.year, "1950");
    EXPECT_EQ(f.hour, "8");
    EXPECT_EQ(f.minute, "30");
    EXPECT_TRUE(f.am);
    EXPECT_EQ(f.zone, "5");
    EXPECT_EQ(f.longDeg, "74");
    EXPECT_EQ(f.longMin, "0");
    EXPECT_FALSE(f.east);
    EXPECT_EQ(f.latDeg, "40");
    EXPECT_EQ(f.latMin, "43");
    EXPECT_FALSE(f.south);
    EXPECT_EQ(f.name, "") << "the name is the window's to set";
}

TEST(LoadRecord, NoonMidnightEastAndSouth) {
    InputFields f;
    LoadNameRecord(Record("A,05 Jan 1950,12.00,A,-1,-000.30,-05.10"), 0, InputSection::Natal, f);
    EXPECT_EQ(f.hour, "12");
    EXPECT_EQ(f.minute, "0");
    EXPECT_TRUE(f.am);
    EXPECT_EQ(f.longDeg, "0");
    EXPECT_EQ(f.longMin, "30");
    EXPECT_TRUE(f.east);
    EXPECT_EQ(f.latDeg, "5");
    EXPECT_EQ(f.latMin, "10");
    EXPECT_TRUE(f.south);

    // A time of 0.30 reads as 12.30 of the record's meridiem.
    LoadNameRecord(Record("A,05 Jan 1950,0.30,P,5,071.05,42.21"), 0, InputSection::Natal, f);
    EXPECT_EQ(f.hour, "12");
    EXPECT_EQ(f.minute, "30");
    EXPECT_FALSE(f.am);
    EXPECT_EQ(f.longMin, "5");
    // An hour past 12 is no hour of the record's 12-hour clock: it is kept for the calculation's
    // check to refuse (it once became 2 A.M. without a word).
    LoadNameRecord(Record("A,05 Jan 1950,14.45,A,5,071.05,42.21"), 0, InputSection::Natal, f);
    EXPECT_EQ(f.hour, "14");
    EXPECT_TRUE(f.am);
    EXPECT_EQ(CheckSection(f, InputSection::Natal).at(0).reason,
              "Birth Hour: 14 is not an hour from 1 to 12 with A.M./P.M.");
}

TEST(LoadRecord, EastLongitudeMakesTheZoneNegative) {
    InputFields f;
    LoadNameRecord(Record("B,20 Aug 1972,3.05,A,9,-139.41,35.41"), 0, InputSection::Natal, f);
    EXPECT_EQ(f.zone, "-9");
    EXPECT_EQ(f.longDeg, "139");
    EXPECT_EQ(f.longMin, "41");
    LoadNameRecord(Record("B,20 Aug 1972,3.05,A,-5.5,071.00,35.41"), 0, InputSection::Natal, f);
    EXPECT_EQ(f.zone, "5.5");
}

TEST(LoadRecord, YearFirstSystemsReadTheStoredDate) {
    InputFields f;
    EXPECT_TRUE(LoadNameRecord(Record(",05 Jan 1950,9.00,P,3,046.38,-23.33"), 2, InputSection::Diurnal, f).empty());
    EXPECT_EQ(f.day, "5");
    EXPECT_EQ(f.month, "1");
    EXPECT_EQ(f.year, "1950");
    EXPECT_EQ(f.hour, "9");
    EXPECT_FALSE(f.am);
    EXPECT_EQ(f.zone, "3");
    EXPECT_TRUE(f.south);
    EXPECT_FALSE(f.east);
}

TEST(LoadRecord, UnreadableDateIsAFormatError) {
    InputFields f;
    f.month = "4";
    f.hour = "7";
    const auto messages = LoadNameRecord(Record("C,31 Foo 1950,8.30,A,5,074.00,40.43"), 0, InputSection::Natal, f);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Error!");
    EXPECT_EQ(messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(messages[0].text, RecordFormatErrorMessage);
    EXPECT_EQ(f.month, "4");
    EXPECT_EQ(f.hour, "7");
}

}  // namespace
}  // namespace orrerion
