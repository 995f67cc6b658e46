// Clock time to UT day fraction, civil date to day number, signed D.MM values.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <tuple>

#include "core/chart/chart_time.h"
#include "core/ephemeris/ephemeris.h"

namespace orrerion {
namespace {

TEST(DayNumber, KnownDatesWithTheGregorianCorrection) {
    struct Case { int day, month, year; double expected; const char* source; };
    const Case cases[] = {
        {1, 1, 2000, 2451545, "J2000.0 epoch"},
        {31, 12, 1899, 2415020, "J1900.0 epoch (1900 January 0.5)"},
        {13, 1, 1950, 2433295, "JD of 1950-01-13 at noon"},
        {15, 10, 1582, 2299161, "first Gregorian day"},
        {29, 2, 1964, 2438455, "a leap day"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CivilDayNumber(c.day, c.month, c.year), c.expected) << c.source;
    }
}

// The ephemeris' supported dates are the first instants of the first and of the year after the
// last year a chart may name, in the chart's own calendar, like the built-in series' years.
TEST(DayNumber, SupportedDatesAreThoseOfTheChartYears) {
    const std::tuple<double, int, const char*> edges[] = {
        {SupportedFirstJD, SupportedFirstYear, "first supported"},
        {SupportedEndJD, SupportedLastYear + 1, "end of supported"},
        {BuiltinFirstJD, BuiltinFirstYear, "first built-in"},
        {BuiltinEndJD, BuiltinLastYear + 1, "end of built-in"},
    };
    for (const auto& [jd, year, what] : edges) EXPECT_EQ(jd, CivilDayNumber(1, 1, year) - 0.5) << what;
    EXPECT_EQ(SupportedFirstYear, std::numeric_limits<std::int16_t>::min());
    EXPECT_EQ(SupportedLastYear, std::numeric_limits<std::int16_t>::max());
    EXPECT_TRUE(JulianDateSupported(SupportedFirstJD));
    EXPECT_FALSE(JulianDateSupported(SupportedEndJD));
    EXPECT_FALSE(JulianDateSupported(std::numeric_limits<double>::quiet_NaN()));
}

TEST(DayNumber, HouseEngineCorrectsOnlyAfter2299171) {
    // Modern dates: both rules agree.
    EXPECT_EQ(HouseDayNumber(1, 1, 2000), 2451545);
    EXPECT_EQ(HouseDayNumber(13, 1, 1950), CivilDayNumber(13, 1, 1950));
    // 1 January 1500: the uncorrected count is the Julian-calendar day; the driver corrects it by
    // the Gregorian rule (10 days then) while the house engine does not.
    const double julian = HouseDayNumber(1, 1, 1500);
    EXPECT_EQ(julian, 2268933);  // JD of 1500-01-01 (Julian calendar) at noon
    EXPECT_EQ(CivilDayNumber(1, 1, 1500) - julian, -9);
}

TEST(DayNumber, DaysBeyondTheMonthCountOn) {
    // The progressed houses add AgeYears days to the natal day.
    EXPECT_EQ(CivilDayNumber(13 + 76, 1, 1950), CivilDayNumber(13, 1, 1950) + 76);
    EXPECT_EQ(HouseDayNumber(31 + 1, 12, 1999), 2451545);
}

TEST(DayFraction, TwelveOClockRule) {
    // 12.15 A.M. is a quarter past midnight, 12.15 P.M. a quarter past noon.
    EXPECT_NEAR(DayFractionFromClock(12.15, 0, "A.M."), 0.25 / 24, 1e-12);
    EXPECT_NEAR(DayFractionFromClock(12.15, 0, "P.M."), 12.25 / 24, 1e-12);
    EXPECT_NEAR(DayFractionFromClock(11.45, 0, "P.M."), 23.75 / 24, 1e-12);
    EXPECT_NEAR(DayFractionFromClock(1.00, 0, "A.M."), 1.0 / 24, 1e-12);
}

TEST(DayFraction, ZoneIsAddedWestPositive) {
    EXPECT_NEAR(DayFractionFromClock(8.30, 5, "A.M."), 13.5 / 24, 1e-12);
    // East of Greenwich early in the morning: the UT time falls on the previous day.
    EXPECT_NEAR(DayFractionFromClock(3.05, -9, "A.M."), (3 + 5.0 / 60 - 9) / 24, 1e-12);
    EXPECT_LT(DayFractionFromClock(3.05, -9, "A.M."), 0);
}

TEST(SignedDMM, SignTimesTheConversionOfTheMagnitude) {
    EXPECT_DOUBLE_EQ(DecimalFromSignedDMM(74.30), 74.5);
    EXPECT_DOUBLE_EQ(DecimalFromSignedDMM(-74.30), -74.5);  // not the floor's -73.83
    EXPECT_NEAR(DecimalFromSignedDMM(-0.30), -0.5, 1e-12);
    EXPECT_NEAR(DecimalFromSignedDMM(-139.41), -(139 + 41.0 / 60), 1e-12);
    EXPECT_EQ(DecimalFromSignedDMM(0), 0);
}

}  // namespace
}  // namespace orrerion
