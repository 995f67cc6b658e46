// The chart driver: moments, progressions, solar arc, houses and what a failed check leaves.
#include <gtest/gtest.h>

#include "core/base/output_lines.h"
#include "core/chart/houses.h"
#include "core/chart/input_checks.h"
#include "core/ephemeris/time_angles.h"
#include "core/run/run_calculation.h"

namespace orrerion {
namespace {

// John Smith, 13 Jan 1950, 8.30 A.M., zone 5, 74.00 W, 40.43 N; diurnal at the same place.
Calculation Chart(const char* month, const char* day, const char* year, const char* hour,
                  const char* minute, bool am) {
    Calculation calc;
    calc.natal = {"John Smith", "1", "13", "1950", "8", "30", "5", "74", "0", "40", "43",
                  true, false, false};
    calc.diurnal.month = month;
    calc.diurnal.day = day;
    calc.diurnal.year = year;
    calc.diurnal.hour = hour;
    calc.diurnal.minute = minute;
    calc.diurnal.am = am;
    calc.diurnal.zone = "5";
    calc.diurnal.longDeg = "74";
    calc.diurnal.longMin = "0";
    calc.diurnal.latDeg = "40";
    calc.diurnal.latMin = "43";
    return calc;
}

bool Calculate(Calculation& calc) {
    CollectingReporter reporter;
    RunCalculationStart(calc);
    const bool ok = ComputeCharts(calc, reporter);
    EXPECT_TRUE(reporter.messages.empty() || !ok);
    return ok;
}

TEST(ChartDriver, DayNumberAndNoonOfTheJ2000Epoch) {
    Calculation calc = Chart("1", "1", "2000", "12", "0", false);
    calc.natal.month = "1";
    calc.natal.day = "1";
    calc.natal.year = "2000";
    calc.natal.hour = "12";
    calc.natal.minute = "0";
    calc.natal.am = false;
    calc.natal.zone = "0";
    calc.diurnal.zone = "0";
    ASSERT_TRUE(Calculate(calc));
    EXPECT_EQ(calc.chart.NatalJD, 2451545.0);
    EXPECT_EQ(calc.chart.NatalT, 1.0);
    EXPECT_EQ(calc.chart.DiurnalJD, 2451545.0);
}

TEST(ChartDriver, TwelveOClockRule) {
    Calculation am = Chart("1", "13", "1950", "12", "15", true);
    am.natal.hour = "12";
    am.natal.minute = "15";
    ASSERT_TRUE(Calculate(am));
    // 00:15 local time, zone 5: 05:15 UT on 13 January 1950 (JD 2433295 at noon).
    EXPECT_NEAR(am.chart.NatalJD, 2433295 - 0.5 + 5.25 / 24, 1e-6);
    EXPECT_NEAR(am.chart.DiurnalJD, 2433295 - 0.5 + 5.25 / 24, 1e-6);
    Calculation pm = am;
    pm.natal.am = false;
    ASSERT_TRUE(Calculate(pm));
    EXPECT_NEAR(pm.chart.NatalJD, 2433295 - 0.5 + 17.25 / 24, 1e-6);
}

TEST(ChartDriver, IdenticalMomentsGiveNoArcAndNoProgression) {
    Calculation calc = Chart("1", "13", "1950", "8", "30", true);
    ASSERT_TRUE(Calculate(calc));
    const ChartState& c = calc.chart;
    EXPECT_EQ(c.ProgJD, c.NatalJD);
    EXPECT_EQ(c.input.AgeYears, 0);
    EXPECT_EQ(c.SolarArc, 0.0f);
    for (std::size_t i = 1; i <= 10; ++i) {
        EXPECT_EQ(c.ProgLong[i], c.NatalLong[i]) << i;
        EXPECT_EQ(c.TransitLong[i], c.NatalLong[i]) << i;
    }
    for (std::size_t i = 1; i <= 12; ++i) EXPECT_NEAR(c.ArcLong[i], c.NatalLong[i], 1e-9) << i;
    EXPECT_EQ(c.NatalRetroMarks, c.ProgRetroMarks);
    EXPECT_EQ(c.NatalCusp, c.TransitCusp);
}

TEST(ChartDriver, ProgressionOffsetsForOneYear) {
    // 365.25 days after birth: 13 January 1951 at 2.30 P.M. (six hours later on the clock).
    struct Case { ProgressionType type; double offsetDays; };
    const Case cases[] = {{ProgressionType::Secondary, 1.0},
                          {ProgressionType::Minor, 27.32166088},
                          {ProgressionType::Tertiary, 365.25 / 27.32166088}};
    float secondaryArc = -1;
    for (const Case& k : cases) {
        Calculation calc = Chart("1", "13", "1951", "2", "30", false);
        calc.progression = k.type;
        ASSERT_TRUE(Calculate(calc));
        const ChartState& c = calc.chart;
        // The clock times are single precision, good to about 1e-8 day.
        EXPECT_NEAR(c.DiurnalJD - c.NatalJD, 365.25, 1e-7);
        EXPECT_NEAR(c.ProgJD - c.NatalJD, k.offsetDays, 1e-7);
        EXPECT_NEAR(c.ProgT, (c.ProgJD - 2415020) / 36525, 1e-15);
        // The progressed day number keeps the natal time of day (8.30 A.M. in zone 5: 0.5625).
        EXPECT_NEAR(c.ProgDayNumber, c.ProgJD - 0.5625 + 0.5, 1e-7);
        // The solar arc follows the secondary-progressed Sun whatever the progression.
        EXPECT_NEAR(c.SolarArc, Norm360(c.SecProgSun - c.NatalLong[SUN]), 1e-4);
        if (secondaryArc < 0) {
            secondaryArc = c.SolarArc;
            EXPECT_NEAR(c.SecProgSun, c.ProgLong[SUN], 1e-9);  // the same moment
            EXPECT_NEAR(c.SolarArc, 1.02, 0.02);  // the Sun's motion in a day in January
        } else {
            EXPECT_EQ(c.SolarArc, secondaryArc);
        }
    }
}

TEST(ChartDriver, HousesAnglesAndDeclinations) {
    for (char code : std::string("PKRO")) {
        Calculation calc = Chart("12", "7", "2026", "12", "0", false);
        calc.houseSystem = ComputedHouseSystemByCode(std::string(1, code)).value();
        ASSERT_TRUE(Calculate(calc));
        const ChartState& c = calc.chart;
        EXPECT_EQ(c.HouseSystemCode, std::string(1, code));
        // Koch and Regiomontanus reach the angles through their own formulas: 1e-7.
        EXPECT_NEAR(c.NatalCusp[4], c.NatalLong[ASC], 1e-7) << code;
        EXPECT_NEAR(c.NatalCusp[1], c.NatalLong[MC], 1e-7) << code;
        EXPECT_NEAR(c.TransitCusp[4], c.TransitLong[ASC], 1e-7) << code;
        EXPECT_NEAR(c.TransitCusp[1], c.TransitLong[MC], 1e-7) << code;
        EXPECT_EQ(c.NatalCusp[13], 0);
        EXPECT_EQ(c.ArcCusp[13], static_cast<double>(c.SolarArc));
        EXPECT_NEAR(c.NatalDecl[ASC], EclipticPointDeclination(c.NatalLong[ASC], c.NatalObliquityDeg), 1e-12);
        EXPECT_NEAR(c.TransitDecl[MC], EclipticPointDeclination(c.TransitLong[MC], c.TransitObliquityDeg), 1e-12);
        // A point on a cusp is in the house that cusp opens.
        EXPECT_EQ(c.NatalHouseLine.substr(100, 20), " 1st HOUSE10th HOUSE");
        EXPECT_EQ(c.TransitHouseLine.substr(100, 20), " 1st HOUSE10th HOUSE");
        EXPECT_EQ(c.NatalSTText.size(), 14u);
    }
}

TEST(ChartDriver, ProgressedAnglesByEitherMethod) {
    Calculation byArc = Chart("12", "7", "2026", "12", "0", false);
    ASSERT_TRUE(Calculate(byArc));
    const ChartState& a = byArc.chart;
    // Option 26 = 0: the MC moves by the arc of the progressed Sun.
    EXPECT_NEAR(a.ProgLong[MC], Norm360(a.ProgLong[SUN] + a.NatalLong[MC] - a.NatalLong[SUN]), 1e-9);
    EXPECT_NEAR(a.ProgDecl[MC], EclipticPointDeclination(a.ProgLong[MC], a.NatalObliquityDeg), 1e-12);

    Calculation bySidereal = byArc;
    bySidereal.options[Option::ProgressedAnglesFromSiderealTime] = 1;
    ASSERT_TRUE(Calculate(bySidereal));
    const ChartState& s = bySidereal.chart;
    // The angles of the sidereal time at the progressed moment and the diurnal place.
    const double ramc = RAMCFromSidereal(SiderealHours(s.ProgT), 0.5625, 74.0);
    const double eps = ObliquityDegrees(s.ProgT);
    // 1e-4: the driver's clock and latitude are single precision (8.30 is 8.3000002).
    EXPECT_NEAR(s.ProgLong[MC], MidheavenFromRAMC(ramc, eps), 1e-4);
    EXPECT_NEAR(s.ProgLong[ASC], AscendantFromRAMC(ramc, eps, 40 + 43.0 / 60), 1e-4);
    EXPECT_GT(std::fabs(s.ProgLong[MC] - a.ProgLong[MC]), 0.1);
    // Everything else is the same.
    EXPECT_EQ(s.ProgCusp, a.ProgCusp);
    EXPECT_EQ(s.NatalLong, a.NatalLong);
}

TEST(ChartDriver, FailedCheckChangesNothing) {
    Calculation calc = Chart("12", "7", "2026", "12", "0", false);
    ASSERT_TRUE(Calculate(calc));
    const ChartState before = calc.chart;
    const OutputBuffers buffersBefore = calc.out;

    calc.natal.month = "";
    calc.diurnal.latDeg = "67";
    calc.natal.year = "1951";
    CollectingReporter reporter;
    EXPECT_FALSE(ComputeCharts(calc, reporter));
    ASSERT_EQ(reporter.messages.size(), 3u);
    EXPECT_EQ(reporter.messages[0].text,
              std::string(NatalInputMessage) + "\nBirth Month: an empty field is not a month from 1 to 12");
    EXPECT_EQ(reporter.messages[1].text, std::string(NatalInputMessage) + "\nBirth Month is empty");
    const std::string& latitudeText = reporter.messages[2].text;
    EXPECT_EQ(latitudeText.substr(0, latitudeText.find('\n')), LatitudeLimitMessage);
    EXPECT_NE(latitudeText.find("Diurnal latitude 67 degrees 43 minutes North"), std::string::npos);
    EXPECT_EQ(reporter.messages[2].title, "Warning!");
    EXPECT_EQ(calc.chart.NatalLong, before.NatalLong);
    EXPECT_EQ(calc.chart.input.NatalYear, 1950);
    EXPECT_EQ(calc.out.OutputLines, buffersBefore.OutputLines);
}

TEST(ChartDriver, SummaryGoesToBothBuffersUnlessOption17) {
    Calculation calc = Chart("12", "7", "2026", "12", "0", false);
    ASSERT_TRUE(Calculate(calc));
    ASSERT_GT(calc.out.DataLines.size(), 20u);
    EXPECT_EQ(calc.out.DataLines, calc.out.OutputLines);
    EXPECT_EQ(calc.out.DataLines[0], "");
    EXPECT_EQ(calc.out.DataLines[2], "  John Smith");

    calc.options[Option::SavedBufferSummaryOnly] = 1;
    ASSERT_TRUE(Calculate(calc));
    EXPECT_EQ(calc.out.OutputLines, std::vector<std::string>{""});
    EXPECT_EQ(calc.out.DataLines[2], "  John Smith");
}

TEST(ChartDriver, LeavesTheTransitMomentForTheScan) {
    Calculation calc = Chart("12", "7", "2026", "12", "0", false);
    ASSERT_TRUE(Calculate(calc));
    // 12.00 P.M. in zone 5 is 17:00 UT.
    EXPECT_NEAR(calc.eph.DayFraction, 17.0 / 24, 1e-12);
    EXPECT_EQ(calc.chart.DiurnalDayNumber, 2461382);
    EXPECT_NEAR(calc.chart.DiurnalT2000, (calc.chart.DiurnalJD - 2451545) / 36525, 1e-12);
    EXPECT_EQ(calc.chart.ChartName, "John Smith");
}

}  // namespace
}  // namespace orrerion
