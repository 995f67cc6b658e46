// The house engine: angles, cusps of the five systems, sidereal-time text, house placement and
// the house system choice.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <vector>

#include "core/base/text_tables.h"
#include "core/chart/houses.h"
#include "core/ephemeris/time_angles.h"
#include "angles.h"

namespace orrerion {
namespace {

using testing::AngleDifference;

HouseAngles Angles(double ramc, double latitude, double obliquity = 23.44) {
    HouseAngles a;
    a.RAMCDeg = ramc;
    a.RAMCRad = DegToRad(ramc);
    a.ObliquityDeg = obliquity;
    a.LatitudeDeg = latitude;
    a.MC = MidheavenFromRAMC(ramc, obliquity);
    a.ASC = AscendantFromRAMC(ramc, obliquity, latitude);
    return a;
}

// Right ascension and altitude of an ecliptic point, from standard spherical astronomy.
double RightAscension(double lon, double eps) {
    const double r = PiValue / 180;
    double ra = std::atan2(std::sin(lon * r) * std::cos(eps * r), std::cos(lon * r)) / r;
    return ra < 0 ? ra + 360 : ra;
}

struct Horizon { double altitude; double sinHourAngle; };
Horizon HorizonOf(double lon, double eps, double lst, double lat) {
    const double r = PiValue / 180;
    const double dec = std::asin(std::sin(eps * r) * std::sin(lon * r));
    const double h = (lst - RightAscension(lon, eps)) * r;
    const double alt = std::asin(std::sin(lat * r) * std::sin(dec) +
                                 std::cos(lat * r) * std::cos(dec) * std::cos(h));
    return {alt / r, std::sin(h)};
}

const double ramcs[] = {0.0, 15.0, 89.9, 135.0, 200.0, 280.46, 359.5};
const double latitudes[] = {-60.0, -33.9, -5.0, 0.0, 12.5, 40.72, 51.5, 66.0};

TEST(Angles, MidheavenCulminatesAndAscendantRisesInTheEast) {
    // Beyond the polar circle too: there the ecliptic meets the horizon at two points of which the
    // rule's own result is, for part of the day, the western one.
    const double polar[] = {66.7, 70.0, -74.0, 80.0, -89.5};
    std::vector<double> all(std::begin(latitudes), std::end(latitudes));
    all.insert(all.end(), std::begin(polar), std::end(polar));
    for (double ramc : ramcs) {
        for (double lat : all) {
            const HouseAngles a = Angles(ramc, lat);
            EXPECT_NEAR(AngleDifference(RightAscension(a.MC, 23.44), ramc), 0, 1e-6) << ramc;
            const Horizon h = HorizonOf(a.ASC, 23.44, ramc, lat);
            EXPECT_NEAR(h.altitude, 0, 1e-7) << "ramc " << ramc << " lat " << lat;
            EXPECT_LT(h.sinHourAngle, 0) << "the ascendant is east of the meridian";
        }
    }
}

TEST(Angles, DeclinationOfEclipticPoints) {
    EXPECT_NEAR(EclipticPointDeclination(90, 23.44), 23.44, 1e-9);
    EXPECT_NEAR(EclipticPointDeclination(270, 23.44), -23.44, 1e-9);
    EXPECT_NEAR(EclipticPointDeclination(0, 23.44), 0, 1e-9);
    EXPECT_NEAR(EclipticPointDeclination(30, 23.44),
                std::asin(std::sin(23.44 * PiValue / 180) * 0.5) * 180 / PiValue, 1e-9);
}

TEST(Cusps, QuadrantSystemsPutMCInSlot1AndASCInSlot4) {
    // 1e-5: at RAMC 0 and 66 degrees the Koch rule divides the engine's stand-in for an exact zero
    // (1.74533e-9 radian) by a small number.
    for (const char* code : {"P", "K", "R", "O"}) {
        for (double ramc : ramcs) {
            for (double lat : latitudes) {
                const HouseAngles a = Angles(ramc, lat);
                CuspArray cusp{};
                ComputeCusps(a, code, cusp);
                EXPECT_NEAR(AngleDifference(cusp[1], a.MC), 0, 1e-5) << code << " " << ramc << " " << lat;
                EXPECT_NEAR(AngleDifference(cusp[4], a.ASC), 0, 1e-5) << code << " " << ramc << " " << lat;
                EXPECT_EQ(cusp[13], 0) << "slot 13 is not written";
            }
        }
    }
}

TEST(Cusps, MeridianSlot4IsNotTheAscendantAwayFromTheEquator) {
    const HouseAngles a = Angles(135, 51.5);
    CuspArray cusp{};
    ComputeCusps(a, "M", cusp);
    EXPECT_NEAR(AngleDifference(cusp[1], a.MC), 0, 1e-6);
    EXPECT_GT(AngleDifference(cusp[4], a.ASC), 1.0);
    // Slot 4 is the ecliptic point with right ascension RAMC + 90, whatever the latitude.
    EXPECT_NEAR(AngleDifference(RightAscension(cusp[4], 23.44), 225), 0, 1e-6);
    // At the equator that point is rising.
    const HouseAngles equator = Angles(135, 0);
    ComputeCusps(equator, "M", cusp);
    EXPECT_NEAR(AngleDifference(cusp[4], equator.ASC), 0, 1e-6);
}

TEST(Cusps, OppositeSlotsDifferBy180AndHousesRunForward) {
    for (const char* code : {"P", "K", "R", "O", "M"}) {
        for (double ramc : ramcs) {
            for (double lat : {-33.9, 0.0, 40.72, 51.5}) {
                CuspArray cusp{};
                ComputeCusps(Angles(ramc, lat), code, cusp);
                double total = 0;
                for (int s = 1; s <= 12; ++s) {
                    EXPECT_GE(cusp[static_cast<std::size_t>(s)], 0);
                    EXPECT_LT(cusp[static_cast<std::size_t>(s)], 360);
                    if (s <= 6) {
                        EXPECT_NEAR(AngleDifference(cusp[static_cast<std::size_t>(s + 6)],
                                              cusp[static_cast<std::size_t>(s)] + 180), 0, 1e-6)
                            << code << " slot " << s;
                    }
                    const double next = cusp[static_cast<std::size_t>(s == 12 ? 1 : s + 1)];
                    double width = next - cusp[static_cast<std::size_t>(s)];
                    if (width < 0) width += 360;
                    EXPECT_GT(width, 0) << code << " ramc " << ramc << " lat " << lat << " slot " << s;
                    total += width;
                }
                EXPECT_NEAR(total, 360, 1e-6) << code;
            }
        }
    }
}

TEST(Cusps, PorphyryTrisectsTheQuadrants) {
    const HouseAngles a = Angles(200, 40.72);
    CuspArray cusp{};
    ComputeCusps(a, "O", cusp);
    double q1 = a.ASC - a.MC;
    if (q1 < 0) q1 += 360;
    EXPECT_NEAR(AngleDifference(cusp[2], a.MC + q1 / 3), 0, 1e-9);   // 11th
    EXPECT_NEAR(AngleDifference(cusp[3], a.MC + 2 * q1 / 3), 0, 1e-9);  // 12th
    const double q2 = 180 - q1;
    EXPECT_NEAR(AngleDifference(cusp[5], a.ASC + q2 / 3), 0, 1e-9);  // 2nd
    EXPECT_NEAR(AngleDifference(cusp[6], a.ASC + 2 * q2 / 3), 0, 1e-9);  // 3rd
}

TEST(Cusps, PlacidusAtTheEquatorUsesATinySouthLatitude) {
    const HouseAngles a = Angles(80, 0);
    CuspArray cusp{};
    ComputeCusps(a, "P", cusp);
    EXPECT_DOUBLE_EQ(cusp[2], PlacidusSemiArc(80 + 30, 3, false, a, -0.00001));
    EXPECT_DOUBLE_EQ(cusp[5], PlacidusSemiArc(80 + 120, 1.5, true, a, -0.00001));
    // With every semi-arc 90 degrees the cusps are those of equal right-ascension steps.
    CuspArray meridian{};
    ComputeCusps(a, "M", meridian);
    for (std::size_t s = 1; s <= 12; ++s) EXPECT_NEAR(AngleDifference(cusp[s], meridian[s]), 0, 1e-3);
}

TEST(Cusps, PlacidusCuspElevenTrisectsTheSemiArc) {
    // The 11th cusp lies one third of its own diurnal semi-arc east of the meridian.
    const double lat = 40.72;
    const HouseAngles a = Angles(200, lat);
    CuspArray cusp{};
    ComputeCusps(a, "P", cusp);
    const double r = PiValue / 180;
    const double dec = std::asin(std::sin(a.ObliquityDeg * r) * std::sin(cusp[2] * r));
    const double semiArc = std::acos(-std::tan(lat * r) * std::tan(dec)) / r;
    EXPECT_NEAR(AngleDifference(RightAscension(cusp[2], a.ObliquityDeg), 200 + semiArc / 3), 0, 1e-4);
}

TEST(Cusps, UnknownCodesAreRegiomontanus) {
    const HouseAngles a = Angles(15, 51.5);
    CuspArray regio{}, other{};
    ComputeCusps(a, "R", regio);
    ComputeCusps(a, "EA", other);
    EXPECT_EQ(regio, other);
    ComputeCusps(a, "K", other);
    EXPECT_NE(regio, other);
}

ChartState GreenwichChart(double latitude) {
    ChartState c;
    ParsedInput& in = c.input;
    in.NatalDay = 1;
    in.NatalMonth = 1;
    in.NatalYear = 2000;
    in.NatalHour = 12.00f;  // noon UT: 12.00 P.M.
    in.NatalMeridiem = "P.M.";
    in.NatalZone = 0;
    in.NatalLongitude = 0;
    in.NatalLatitude = static_cast<float>(std::fabs(latitude));
    in.NatalLatitudeWord = latitude < 0 ? "SOUTH" : "NORTH";
    c.ChartPass = 0;
    return c;
}

TEST(HouseEngine, SiderealTimeAtTheJ2000Epoch) {
    // Greenwich mean sidereal time at 2000 January 1, 12h UT is 18h 41m 50.5s.
    ChartState c = GreenwichChart(51.28);
    EphemerisState e;
    const HouseAngles a = HouseEngine(c, e);
    EXPECT_EQ(e.DayFraction, 0.5);
    EXPECT_NEAR(a.T, 1.0, 1e-12);
    EXPECT_NEAR(a.RAMCDeg, 280.4606, 1e-3);
    EXPECT_NEAR(a.ObliquityDeg, 23.4392, 1e-3);
    EXPECT_EQ(SiderealTimeText(a), "18H  41M  50S ");
}

TEST(HouseEngine, SouthernSiderealTimeIsTwelveHoursAhead) {
    ChartState north = GreenwichChart(33.5);
    ChartState south = GreenwichChart(-33.5);
    EphemerisState e;
    const HouseAngles n = HouseEngine(north, e);
    const HouseAngles s = HouseEngine(south, e);
    EXPECT_EQ(n.RAMCDeg, s.RAMCDeg);
    EXPECT_EQ(SiderealTimeText(s), "06H  41M  50S ");
    EXPECT_LT(s.LatitudeDeg, 0);
}

TEST(HouseEngine, WestLongitudeTurnsTheRAMCBack) {
    ChartState c = GreenwichChart(40.43);
    c.input.NatalLongitude = 74.30f;  // 74 degrees 30 minutes west
    EphemerisState e;
    const HouseAngles a = HouseEngine(c, e);
    EXPECT_NEAR(a.LongitudeDeg, 74.5, 1e-5);
    EXPECT_NEAR(a.RAMCDeg, 280.4606 - 74.5, 1e-3);
    c.input.NatalLongitude = -74.30f;  // east
    EXPECT_NEAR(HouseEngine(c, e).RAMCDeg, 280.4606 + 74.5, 1e-3);
}

TEST(HouseEngine, ProgressedAndTransitPasses) {
    ChartState c = GreenwichChart(51.28);
    ParsedInput& in = c.input;
    in.AgeYears = 30;
    in.DiurnalDay = 2;
    in.DiurnalMonth = 1;
    in.DiurnalYear = 2000;
    in.DiurnalHour = 6.00f;
    in.DiurnalMeridiem = "A.M.";
    in.DiurnalZone = 0;
    in.DiurnalLongitude = 0;
    in.DiurnalLatitude = 10;
    in.DiurnalLatitudeWord = "NORTH";
    c.ProgDayNumber = 2451560.25;
    EphemerisState e;

    c.ChartPass = 1;  // natal date plus 30 days, natal clock, diurnal place
    HouseAngles a = HouseEngine(c, e);
    EXPECT_EQ(a.DayNumber, 2451545 + 30);
    EXPECT_NEAR(a.T, 1 + 30 / 36525.0, 1e-12);
    EXPECT_EQ(a.LatitudeDeg, 10);
    EXPECT_NEAR(c.ProgT2000, (2451560.25 - 2451545) / 36525, 1e-15);

    c.ChartPass = 3;  // diurnal date, clock and place
    a = HouseEngine(c, e);
    EXPECT_EQ(a.DayNumber, 2451546);
    EXPECT_EQ(c.DiurnalDayNumber, 2451546);
    EXPECT_NEAR(e.DayFraction, 0.25, 1e-12);
    EXPECT_NEAR(c.DiurnalT2000, 0.75 / 36525, 1e-15);
}

TEST(Placement, PointsOnCuspsAndAcrossZero) {
    CuspArray cusp{};
    // Equal houses from 10th-house cusp 300 (slot 1), so slot 4 (1st house) is at 30.
    for (std::size_t s = 1; s <= 12; ++s) cusp[s] = std::fmod(300 + 30.0 * (s - 1), 360);
    PointArray lon{};
    lon[1] = 30;          // exactly on the 1st cusp: 1st house
    lon[2] = 29.9999;     // just before it: 12th house
    lon[3] = 359.9;       // 11th house runs from 330 through 360
    lon[4] = 0.5;         // 12th house runs from 0 to 30
    lon[5] = 300;         // on the 10th cusp
    lon[6] = 299.99999;   // 1/36000 degree lifts it onto the cusp: 10th house
    for (std::size_t p = 7; p <= 12; ++p) lon[p] = 30.0 * (p - 7) + 45;
    std::string line = "---- --------- -----" + std::string(100, ' ');
    HousePlacement(lon, cusp, line);
    ASSERT_EQ(line.size(), 120u);
    EXPECT_EQ(line.substr(0, 60),
              " 1st HOUSE12th HOUSE11th HOUSE12th HOUSE10th HOUSE10th HOUSE");
    EXPECT_EQ(line.substr(60), " 1st HOUSE 2nd HOUSE 3rd HOUSE 4th HOUSE 5th HOUSE 6th HOUSE");
}

TEST(HouseChoice, StartUpOptionAndCodeRoundTrip) {
    // Every computed system: its start-up option value chooses it, its code reads back as it, and
    // the chart driver's code is the one the reports name.
    int computed = 0;
    for (const HouseSystemRow& row : HouseSystems) {
        if (row.routine == nullptr) {
            EXPECT_FALSE(ComputedHouseSystemByCode(row.code)) << row.code;
            continue;
        }
        ++computed;
        const HouseSystem fromOption = HouseSystemFromOption(row.optionValue);
        EXPECT_EQ(fromOption, row.system) << row.name;
        EXPECT_EQ(ComputedHouseSystemByCode(HouseSystemOf(fromOption).code), row.system) << row.name;
        EXPECT_EQ(HouseSystemName(HouseSystemOf(fromOption).code), row.name);
    }
    EXPECT_EQ(computed, 5);
    // Option values of no system, and codes of none, start with or mean nothing else.
    for (float other : {0.0f, 4.0f, 9.0f, 2.5f}) EXPECT_EQ(HouseSystemFromOption(other), HouseSystem::Placidus) << other;
    EXPECT_FALSE(ComputedHouseSystemByCode("X"));
    EXPECT_FALSE(ComputedHouseSystemByCode(""));
}

}  // namespace
}  // namespace orrerion
