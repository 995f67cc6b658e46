#pragma once
// The longitude, declination, number and date formatters shared by the summary, the aspect scan
// and the report files.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/output_lines.h"
#include "core/io/fixed_line.h"

namespace orrerion {

// A longitude split into sign (1..12, Aries first), degree in the sign (0..29) and arc minute
// (0..59). Minutes are rounded but never carried into the degree: 29.995 gives 29 deg 59 min.
struct SplitResult {
    int SignNumber = 1;
    int SignDegree = 0;
    int ArcMinute = 0;
};
SplitResult SplitLongitude(double x);  // x >= 0

// The two decimal digits of 0..99 ("07"). The scan writes millions of these fields, so they come
// from a table rather than from printf. The writers below take a span of exactly the width they
// write, so a buffer too small for them does not compile; a number outside 0..99 throws
// std::out_of_range.
void PutTwoDigits(std::span<char, 2> out, int n);

// "15ari23": two-digit degree, lower-case sign, two-digit minute (7 characters).
std::string LongitudeCompactText(double x);
inline constexpr std::size_t LongitudeCompactSize = 7;
void PutLongitudeCompact(std::span<char, LongitudeCompactSize> out, const SplitResult& s);
void FormatLongitudeCompact(OutputBuffers& b, double x);  // appends to b.LineText

// "15 ARI 23": two-digit degree, upper-case sign, two-digit minute (9 characters).
std::string LongitudeSpacedText(double x);
void FormatLongitudeSpaced(OutputBuffers& b, double x);

// "23 N 26   ": degree, N (d >= 0) or S, minutes and three blanks (10 characters).
std::string DeclinationText(double d);
void FormatDeclination(OutputBuffers& b, double d);

struct CalendarDate {
    int day = 1;
    int month = 1;
    int year = 2000;
};

// Days in a month (1..12) of a Gregorian year; years before 1582 follow the same rule, as the
// chart's day numbers do.
int DaysInMonth(int month, int year);

// The Gregorian calendar date of the Julian date (fraction allowed; the date of Int(JD + 0.5)),
// by the Fliegel and Van Flandern integer algorithm.
CalendarDate JulianDayToCalendar(double DateArgJD);

// The civil dates of a span of days, worked out once for a writer that asks for the same days'
// dates again and again (the exports of a long scan). Of(jd) is JulianDayToCalendar(jd), read from
// the span when the day is inside it.
class CivilDates {
public:
    // The days of firstJD .. firstJD + days - 1 (whole days apart).
    CivilDates(double firstJD, int days);
    CalendarDate Of(double DateArgJD) const;

private:
    long long firstNumber_ = 0;  // Julian day number of dates_[0]
    std::vector<CalendarDate> dates_;
};

// DateText: two-digit month and day and the year joined by "/" in the short-date order
// (0 month/day/year, 1 day/month/year, 2 year/month/day; any other value as 0).
std::string JulianDayToDate(double DateArgJD, int DateOrder);
// The same text for a calendar date.
std::string DateInOrder(const CalendarDate& date, int DateOrder);

// "05 Jan 97", and "05 Jan 1997" with the year zero-padded to four digits ("01 Jun 0999").
std::string DateDdMmmYy(const CalendarDate& date);
std::string DateDdMmmYyyy(const CalendarDate& date);
inline constexpr std::size_t DateDdMmmYySize = 9;
void PutDateDdMmmYy(std::span<char, DateDdMmmYySize> out, const CalendarDate& date);
// "05 Jan " and the year as "%04d": 11 characters for years 0..9999, at most 7 + 11 for any int.
inline constexpr std::size_t DateDdMmmYyyyMaxSize = 7 + 11;
// Writes "05 Jan 1997" and returns its length.
std::size_t PutDateDdMmmYyyy(std::span<char, DateDdMmmYyyyMaxSize> out, const CalendarDate& date);
std::string DateMmDdYyyy(const CalendarDate& date);   // "01051997"

// "2026-12-07" (ISO 8601) and "20261207" (its basic form), as printf's "%04d-%02d-%02d" and
// "%04d%02d%02d" write them: at most 11 characters of any int year ("-0044", "12026").
inline constexpr std::size_t IsoDateMaxSize = WidthSum({11, 1, 2, 1, 2});
std::size_t PutIsoDate(std::span<char, IsoDateMaxSize> out, const CalendarDate& date);
std::size_t PutCompactIsoDate(std::span<char, IsoDateMaxSize> out, const CalendarDate& date);
std::string IsoDateText(const CalendarDate& date);
std::string CompactIsoDateText(const CalendarDate& date);

// A number formatted by a picture of "#" and "0" digits with an optional ".": the digits after
// the point give the decimals (rounded half away from zero), the "0"s before it the least number
// of integer digits; "#" positions add nothing. "##0.0", "#0.00", "##0.00", "0.00", "00", "##0".
std::string FormatPicture(double value, std::string_view picture);

// "2027-01-13T05:57:12Z": a UT Julian date rounded to the second.
std::string IsoSecondUtc(double jd);

// A moment rounded to the nearest second: its civil date and clock time.
struct SecondTime {
    CalendarDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;
};
// `jd` (UT) rounded to the second, in UT or, with `zoneHoursWest`, in the clock time of that zone.
SecondTime SecondOf(double jd, double zoneHoursWest = 0.0);

}  // namespace orrerion
