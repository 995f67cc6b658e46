// The data summary's lines and the column positions of the position table.
#include <gtest/gtest.h>

#include "core/aspects/summary.h"
#include "core/run/calculation.h"

namespace orrerion {
namespace {

Calculation SummaryChart() {
    Calculation calc;
    ChartState& c = calc.chart;
    c.ChartName = "Ann Example";
    ParsedInput& in = c.input;
    in.NatalDay = 5;
    in.NatalMonth = 3;
    in.NatalYear = 1985;
    in.NatalZone = -9.0f;
    in.NatalHour = 3.05f;
    in.NatalMeridiem = "A.M.";
    in.NatalLatitude = -23.33f;
    in.NatalLatitudeWord = "SOUTH";
    in.NatalLongitude = -139.41f;
    in.NatalLongitudeWord = "EAST";
    in.DiurnalDay = 1;
    in.DiurnalMonth = 1;
    in.DiurnalYear = 2027;
    c.HouseSystemCode = "K";
    for (std::size_t s = 1; s <= 12; ++s) {
        c.NatalCusp[s] = 30.0 * (s - 1) + 0.5;
        c.WorkCusp[s] = 999;  // the summary must show the natal cusps
    }
    for (std::size_t b = 1; b <= 12; ++b) {
        c.NatalLong[b] = 10.0 * b;
        c.NatalDecl[b] = -1.5 * b;
        c.ProgLong[b] = 10.0 * b + 1;
        c.ProgDecl[b] = 1.5 * b;
        c.ArcLong[b] = 10.0 * b + 2;
        c.TransitLong[b] = 10.0 * b + 3;
    }
    c.SolarArc = 12.5f;
    c.NatalRetroMarks = "            ";
    c.ProgRetroMarks = " R          ";  // MERCURY retrograde in the progressed chart
    c.TransitRetroMarks = "     RRR    ";
    calc.out.DataLines.assign(1, "");
    calc.out.OutputLines.assign(1, "");
    return calc;
}

TEST(Summary, HeaderLines) {
    Calculation calc = SummaryChart();
    WriteSummaryHeader(calc.chart, calc.out);
    const std::vector<std::string> expected{
        "", "", "  Ann Example",
        "  05 Mar 1985    TZ = -9.0      3.05 A.M.   23.33 SOUTH    139.41 EAST",
        "  Diurnal date = 01 Jan 2027"};
    EXPECT_EQ(calc.out.DataLines, expected);
    EXPECT_EQ(calc.out.OutputLines, expected);
    for (std::size_t s = 1; s <= 12; ++s) EXPECT_EQ(calc.chart.WorkCusp[s], calc.chart.NatalCusp[s]);
}

TEST(Summary, NatalDetailsLineWestNorth) {
    Calculation calc = SummaryChart();
    ParsedInput& in = calc.chart.input;
    in.NatalZone = 5;
    in.NatalHour = 12.0f;
    in.NatalMeridiem = "P.M.";
    in.NatalLatitude = 51.3f;
    in.NatalLatitudeWord = "NORTH";
    in.NatalLongitude = 0.07f;
    in.NatalLongitudeWord = "WEST";
    EXPECT_EQ(NatalDetailsLine(calc.chart),
              "05 Mar 1985    TZ = 5.0      12.00 P.M.   51.30 NORTH    0.07 WEST");
}

TEST(Summary, HouseCuspLines) {
    Calculation calc = SummaryChart();
    WriteSummaryHeader(calc.chart, calc.out);
    WriteHouseCusps(calc.chart, calc.out);
    const std::vector<std::string> lines(calc.out.DataLines.end() - 6, calc.out.DataLines.end());
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "  HOUSE CUSPS - Koch");
    EXPECT_EQ(lines[2], "  10th house = 00 ARI 30 11th house = 00 TAU 30 12th house = 00 GEM 30");
    EXPECT_EQ(lines[3], "   1st house = 00 CAN 30  2nd house = 00 LEO 30  3rd house = 00 VIR 30");
    EXPECT_EQ(lines[5], "   7th house = 00 CPR 30  8th house = 00 AQU 30  9th house = 00 PIS 30");
}

TEST(Summary, HouseSystemNames) {
    EXPECT_EQ(HouseSystemName("EA"), "Equal - Ascendant");
    EXPECT_EQ(HouseSystemName("EM"), "Equal - MC");
    EXPECT_EQ(HouseSystemName("R"), "Regiomontanus");
    EXPECT_EQ(HouseSystemName("I"), "Morinus");
    Calculation calc = SummaryChart();
    calc.chart.HouseSystemCode = "EA";
    WriteHouseCusps(calc.chart, calc.out);
    EXPECT_EQ(calc.out.DataLines[2], "  HOUSE CUSPS - Equal - Ascendant");
    calc.chart.HouseSystemCode = "X";
    WriteHouseCusps(calc.chart, calc.out);
    EXPECT_EQ(calc.out.DataLines[8], "  HOUSE CUSPS - ");
}

TEST(Summary, PositionTableColumns) {
    Calculation calc = SummaryChart();
    WritePositionTable(calc.chart, calc.out);
    const std::vector<std::string> l = calc.out.DataLines.ToVector();
    ASSERT_EQ(l.size(), 1u + 5 + 12 + 2);
    EXPECT_EQ(l[2], "  Solar arc is 12 degrees, 30 minutes (01 Jan 2027)");
    EXPECT_EQ(l[4], "  PLANET   NATAL LONG  NATAL D.  PROG LONG   PROG D.   SOLAR ARC   TRANSITS");
    EXPECT_EQ(l[5], "  ------   ----------  --------  ---------   -------   ---------   --------");
    EXPECT_EQ(l[19], "  Progressed, solar arc, and transit positions exact to 01 Jan 2027");

    // Rows in the order SUN, MOON, MERCURY .. PLUTO, ASC, MC.
    const char* names[] = {"SUN", "MOON", "MERCURY", "VENUS", "MARS", "JUPITER",
                           "SATURN", "URANUS", "NEPTUNE", "PLUTO", "ASC", "MC"};
    for (int r = 0; r < 12; ++r) {
        const std::string& row = l[static_cast<std::size_t>(6 + r)];
        ASSERT_EQ(row.size(), 79u) << row;
        EXPECT_EQ(row.substr(0, 11), "  " + std::string(names[r]) +
                                         std::string(9 - std::string(names[r]).size(), ' '));
    }
    // MOON (BodyIndex 10): columns 12, 24, 34, 46, 56 and 68.
    const std::string& moon = l[7];
    EXPECT_EQ(moon.substr(11, 9), "10 CAN 00");   // natal 100
    EXPECT_EQ(moon.substr(23, 10), "15 S 00   "); // natal declination -15
    EXPECT_EQ(moon.substr(33, 9), "11 CAN 00");   // progressed 101
    EXPECT_EQ(moon.substr(45, 10), "15 N 00   ");
    EXPECT_EQ(moon.substr(55, 9), "12 CAN 00");   // solar arc 102
    EXPECT_EQ(moon.substr(67, 9), "13 CAN 00");   // transit 103
    // Retrograde marks follow their columns; the solar-arc column never has one.
    const std::string& mercury = l[8];
    EXPECT_EQ(mercury, "  MERCURY  20 ARI 00   03 S 00   21 ARI 00 R 03 N 00   22 ARI 00   23 ARI 00   ");
    const std::string& saturn = l[12];
    EXPECT_EQ(saturn.substr(64, 3), "   ");
    EXPECT_EQ(saturn.substr(76, 3), " R ");
    EXPECT_EQ(l[17].substr(0, 11), "  MC       ");
}

TEST(Summary, WholeSummaryInOrderAndRepeatable) {
    Calculation calc = SummaryChart();
    WriteDataSummary(calc.chart, calc.out);
    const std::size_t once = calc.out.OutputLines.size();
    EXPECT_EQ(once, 1u + 4 + 6 + 19);
    // Shown again after emptying only the shown buffer: the saved text holds two copies.
    calc.out.DataLines.assign(1, "");
    WriteDataSummary(calc.chart, calc.out);
    EXPECT_EQ(calc.out.DataLines.size(), once);
    EXPECT_EQ(calc.out.OutputLines.size(), 2 * once - 1);
}

}  // namespace
}  // namespace orrerion
