#pragma once
// Clock time, calendar date and D.MM conversions shared by the chart driver and the house engine.
#include <string_view>

namespace orrerion {

// UT time of day as a fraction of a day from a 12-hour clock H.MM value, the zone (hours, west
// positive) and the meridiem text: 12.xx counts as 0.xx, "P.M." adds half a day.
double DayFractionFromClock(double hourHMM, double zoneHours, std::string_view meridiem);

// Day number of a civil date (JD at noon of that date), always with the Gregorian correction.
double CivilDayNumber(int day, int month, int year);
// The house engine's day number: the Gregorian correction only when the uncorrected number is
// above 2299171.
double HouseDayNumber(int day, int month, int year);

// Julian centuries from JD 2415020 and from JD 2451545.
double CenturiesFrom1900(double jd);
double CenturiesFrom2000(double jd);

// A signed D.MM (or H.MM) value in decimal degrees: its sign times the conversion of its
// magnitude, so -74.30 is -74.5.
double DecimalFromSignedDMM(double value);

}  // namespace orrerion
