// Longitude, declination, number and date formatting.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <limits>
#include <stdexcept>

#include "core/base/formatters.h"

namespace orrerion {
namespace {

TEST(SplitLongitude, MinutesRoundButNeverCarry) {
    struct Case { double x; int sign, degree, minute; };
    const Case cases[] = {
        {0.0, 1, 0, 0},        {0.01, 1, 0, 1},        // 0.6 minute rounds to 1
        {29.995, 1, 29, 59},   // 59.7 minutes: 59, not 00 TAU 00
        {30.0, 2, 0, 0},       {45.5, 2, 15, 30},
        {292.80520559571, 10, 22, 48},  {359.9999, 12, 29, 59},
        {89.99999999999999, 3, 29, 59},
    };
    for (const Case& c : cases) {
        const SplitResult s = SplitLongitude(c.x);
        EXPECT_EQ(s.SignNumber, c.sign) << c.x;
        EXPECT_EQ(s.SignDegree, c.degree) << c.x;
        EXPECT_EQ(s.ArcMinute, c.minute) << c.x;
    }
}

TEST(SplitLongitude, ValuesOutsideTheCircleAreReducedFirst) {
    EXPECT_EQ(SplitLongitude(360.0).SignNumber, 1);
    EXPECT_EQ(SplitLongitude(-10.0).SignNumber, 12);
    EXPECT_EQ(LongitudeSpacedText(725.5), "05 ARI 30");
}

TEST(LongitudeText, CompactAndSpaced) {
    EXPECT_EQ(LongitudeCompactText(15 + 23.0 / 60), "15ari23");
    EXPECT_EQ(LongitudeSpacedText(15 + 23.0 / 60), "15 ARI 23");
    EXPECT_EQ(LongitudeCompactText(292.80520559571), "22cpr48");  // Capricorn is CPR
    EXPECT_EQ(LongitudeSpacedText(292.80520559571), "22 CPR 48");
    EXPECT_EQ(LongitudeSpacedText(29.995), "29 ARI 59");
    EXPECT_EQ(LongitudeSpacedText(359.99), "29 PIS 59");
    const char* signs[] = {"ARI", "TAU", "GEM", "CAN", "LEO", "VIR",
                           "LIB", "SCO", "SAG", "CPR", "AQU", "PIS"};
    for (int s = 0; s < 12; ++s) {
        EXPECT_EQ(LongitudeSpacedText(30.0 * s + 1).substr(3, 3), signs[s]);
    }
    OutputBuffers b;
    b.LineText = "x";
    FormatLongitudeCompact(b, 0.01);
    FormatLongitudeSpaced(b, 0.01);
    FormatDeclination(b, -0.01);
    EXPECT_EQ(b.LineText, "x00ari0100 ARI 0100 S 01   ");
}

TEST(DeclinationText, HemisphereAndWidth) {
    EXPECT_EQ(DeclinationText(-23.44), "23 S 26   ");
    EXPECT_EQ(DeclinationText(23.44), "23 N 26   ");
    EXPECT_EQ(DeclinationText(0.0), "00 N 00   ");
    EXPECT_EQ(DeclinationText(-0.003190442879310209), "00 S 00   ");
    EXPECT_EQ(DeclinationText(-28.99999), "28 S 59   ");
    // Beyond 30 degrees the degrees stay whole rather than wrapping into a sign.
    EXPECT_EQ(DeclinationText(-31.5), "31 S 30   ");
    EXPECT_EQ(DeclinationText(5).size(), 10u);
}

TEST(JulianDayToCalendar, KnownDates) {
    struct Case { double jd; int day, month, year; };
    const Case cases[] = {
        {2451545.0, 1, 1, 2000},     {2451544.5, 1, 1, 2000},   // the day starts at midnight
        {2451544.4999, 31, 12, 1999}, {2299160.5, 15, 10, 1582},
        {2433295.0625, 13, 1, 1950},  {2461382.2083, 7, 12, 2026},
        {2438454.5, 29, 2, 1964},     {2415020.0, 31, 12, 1899},
    };
    for (const Case& c : cases) {
        const CalendarDate d = JulianDayToCalendar(c.jd);
        EXPECT_EQ(d.day, c.day) << c.jd;
        EXPECT_EQ(d.month, c.month) << c.jd;
        EXPECT_EQ(d.year, c.year) << c.jd;
    }
}

TEST(JulianDayToDate, SystemDateOrder) {
    const double jd = 2450453.5;  // 5 January 1997
    EXPECT_EQ(JulianDayToDate(jd, 0), "01/05/1997");
    EXPECT_EQ(JulianDayToDate(jd, 1), "05/01/1997");
    EXPECT_EQ(JulianDayToDate(jd, 2), "1997/01/05");
    EXPECT_EQ(JulianDayToDate(jd, 5), "01/05/1997");
}

TEST(DatePatterns, DayMonthYear) {
    const CalendarDate d{5, 1, 1997};
    EXPECT_EQ(DateDdMmmYy(d), "05 Jan 97");
    EXPECT_EQ(DateDdMmmYyyy(d), "05 Jan 1997");
    EXPECT_EQ(DateMmDdYyyy(d), "01051997");
    EXPECT_EQ(DateDdMmmYy({31, 12, 2000}), "31 Dec 00");
    EXPECT_EQ(DateDdMmmYyyy({29, 2, 2028}), "29 Feb 2028");
    // The year always has four digits.
    EXPECT_EQ(DateDdMmmYyyy({1, 6, 999}), "01 Jun 0999");
    EXPECT_EQ(DateDdMmmYyyy({1, 6, 45}), "01 Jun 0045");
}

// Years outside 0..9999 come from no calendar date the program computes, but a date written from
// one must still be the year printf's "%04d" gives, and fit the widest buffer.
TEST(DatePatterns, YearsOfEveryWidthFitTheirBuffer) {
    for (const int year : {0, 7, 10000, 123456, -1, -45, -999, -1000, std::numeric_limits<int>::max(),
                           std::numeric_limits<int>::min()}) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "01 Jun %04d", year);
        const std::string text = DateDdMmmYyyy({1, 6, year});
        EXPECT_EQ(text, expected) << year;
        EXPECT_LE(text.size(), DateDdMmmYyyyMaxSize) << year;
    }
    std::array<char, 2> digits{};
    for (const int n : {-1, 100, 1000})
        EXPECT_THROW(PutTwoDigits(digits, n), std::out_of_range) << n;
}

TEST(FormatPicture, Pictures) {
    struct Case { double value; const char* picture; const char* expected; };
    const Case cases[] = {
        {5, "##0.0", "5.0"},           {-9, "##0.0", "-9.0"},
        {5.5, "##0.0", "5.5"},         {-3.25, "##0.0", "-3.3"},   // half away from zero
        {8.3f, "#0.00", "8.30"},       {12, "#0.00", "12.00"},
        {0.07f, "##0.00", "0.07"},     {139.41f, "##0.00", "139.41"},
        {0.125, "0.00", "0.13"},       {9.995, "0.00", "10.00"},
        {7, "00", "07"},               {123, "00", "123"},
        {77.9, "##0", "78"},           {2.5, "##0", "3"},
        {0, "##0", "0"},               {0, "00", "00"},
        {-0.04, "0.0", "0.0"},         {1234.5, "##0", "1235"},
        {29.999999999999716, "#0", "30"}, {0.4, "#0", "0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatPicture(c.value, c.picture), c.expected) << c.value << " " << c.picture;
    }
}

TEST(IsoDate, AsPrintfWritesItForYearsOfEveryWidth) {
    const CalendarDate dates[] = {{7, 12, 2026}, {1, 1, 0}, {31, 12, 999}, {29, 2, 1964}, {5, 3, 9999},
                                  {1, 1, 10000}, {13, 1, 32767}, {9, 9, -1}, {30, 6, -44}, {1, 1, -32768}};
    for (const CalendarDate& d : dates) {
        char expected[40];
        std::snprintf(expected, sizeof expected, "%04d-%02d-%02d", d.year, d.month, d.day);
        EXPECT_EQ(IsoDateText(d), expected);
        std::snprintf(expected, sizeof expected, "%04d%02d%02d", d.year, d.month, d.day);
        EXPECT_EQ(CompactIsoDateText(d), expected);
    }
}

}  // namespace
}  // namespace orrerion
