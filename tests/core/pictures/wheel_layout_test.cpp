// The chart wheel's layout: every point and cusp drawn at its chart longitude with the ascendant
// at the left, no two glyphs or labels overlapping, and the command line writing the same layout.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/aspects/returns.h"
#include "core/chart/houses.h"
#include "core/ephemeris/time_angles.h"
#include "core/pictures/wheel_layout.h"
#include "core/pictures/wheel_output.h"
#include "core/records/name_record.h"
#include "core/records/options_file.h"
#include "core/run/run_calculation.h"
#include "angles.h"
#include "test_paths.h"

namespace orrerion {
namespace {

// The calculation of a golden chart case's arguments, as the command line sets it up.
Calculation FromGoldenArgs(const std::vector<std::string>& args) {
    Calculation calc;
    calc.houseMarks = HouseMarksForCode('P');
    for (std::size_t i = 1; i + 1 < args.size(); i += 2) {
        const std::string& name = args[i];
        const std::string& value = args[i + 1];
        if (name == "--natal" || name == "--diurnal") {
            const NameRecord record = *NameRecordFromLine(value);
            const bool natal = name == "--natal";
            LoadNameRecord(record, 0, natal ? InputSection::Natal : InputSection::Diurnal,
                           natal ? calc.natal : calc.diurnal);
            if (natal) calc.natal.name = record.Name;
        } else if (name == "--houses") {
            calc.houseMarks = HouseMarksForCode(value[0]);
        } else if (name == "--progression") {
            calc.progression = value == "minor"      ? ProgressionType::Minor
                               : value == "tertiary" ? ProgressionType::Tertiary
                                                     : ProgressionType::Secondary;
        } else if (name == "--options") {
            LoadOptions(value, calc.options);
        } else if (name == "--date-order") {
            calc.DateOrder = value[0] - '0';
        }
    }
    return calc;
}

bool Overlap(const WheelBox& a, const WheelBox& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// Every pair of boxes that must not meet, reported by index.
void ExpectNoOverlaps(const WheelLayout& layout, const std::string& what) {
    const std::vector<WheelBox> boxes = WheelBoxes(layout);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            EXPECT_FALSE(Overlap(boxes[i], boxes[j])) << what << ": boxes " << i << " and " << j;
        }
        EXPECT_GE(boxes[i].x, 0) << what;
        EXPECT_GE(boxes[i].y, 0) << what;
        EXPECT_LE(boxes[i].x + boxes[i].w, layout.size) << what;
        EXPECT_LE(boxes[i].y + boxes[i].h, layout.size) << what;
    }
}

using testing::AngleDifference;

const PointArray& RingLongitudes(const ChartState& c, WheelRing ring) {
    switch (ring) {
        case WheelRing::Natal: return c.NatalLong;
        case WheelRing::Progressed: return c.ProgLong;
        case WheelRing::SolarArc: return c.ArcLong;
        case WheelRing::Transits: return c.TransitLong;
        case WheelRing::Return: break;  // a calculation's wheel has no return ring
    }
    return c.NatalLong;
}

TEST(WheelLayout, GoldenChartsStandAtTheirLongitudesWithTheAscendantLeftAndNothingOverlaps) {
    const std::vector<std::vector<WheelRing>> ringChoices = {
        {WheelRing::Transits}, {WheelRing::Progressed, WheelRing::Transits}, {WheelRing::SolarArc}};
    int charts = 0;
    for (const auto& caseDir : testing::GoldenCases("chart")) {
        const std::vector<std::string> args = testing::GoldenCaseArgs(caseDir);
        Calculation calc = FromGoldenArgs(args);
        CollectingReporter reporter;
        RunCalculationStart(calc);
        if (!ComputeCharts(calc, reporter)) continue;  // the refused case has no wheel
        ++charts;
        const ChartState& c = calc.chart;
        for (const auto& rings : ringChoices) {
            WheelChoice choice;
            choice.outerRings = rings;
            const WheelLayout w = LayOutWheel(c, calc.options, choice, WheelTitleLines(c, choice));
            const std::string what = caseDir.filename().string() + " with " + std::to_string(rings.size() + 1) + " rings";
            ASSERT_EQ(w.glyphs.size(), 12 * (rings.size() + 1)) << what;
            for (const WheelGlyph& g : w.glyphs) {
                const double longitude = RingLongitudes(c, g.ring)[static_cast<std::size_t>(g.body)];
                EXPECT_NEAR(AngleDifference(g.longitude, longitude), 0, 0.01) << what << " body " << g.body;
                EXPECT_NEAR(AngleDifference(g.trueAngle, 180 + longitude - c.NatalLong[ASC]), 0, 0.01) << what;
                // The leader runs from the true place to the glyph.
                const double leaderAngle =
                    std::atan2(w.centre.y - g.leaderFrom.y, g.leaderFrom.x - w.centre.x) * 180 / PiValue;
                EXPECT_NEAR(AngleDifference(leaderAngle, g.trueAngle), 0, 0.01) << what;
                if (g.ring == WheelRing::Natal && g.body == ASC) {
                    EXPECT_NEAR(g.trueAngle, 180, 1e-9) << what;
                }
            }
            for (const WheelCusp& cusp : w.cusps) {
                const std::size_t slot = static_cast<std::size_t>((cusp.house + 2) % 12 + 1);
                EXPECT_NEAR(AngleDifference(cusp.longitude, c.NatalCusp[slot]), 0, 0.01) << what;
                EXPECT_NEAR(AngleDifference(cusp.angle, 180 + c.NatalCusp[slot] - c.NatalLong[ASC]), 0, 0.01) << what;
            }
            ASSERT_EQ(w.angles.size(), 4u);
            EXPECT_NEAR(w.angles[0].angle, 180, 1e-9) << what << ": the ascendant is at the left";
            EXPECT_NEAR(AngleDifference(w.angles[1].angle, 180 + c.NatalLong[MC] - c.NatalLong[ASC]), 0, 1e-9);
            ExpectNoOverlaps(w, what);
        }
        // The command line draws the same layout.
        std::vector<std::string> wheelArgs = args;
        wheelArgs[0] = "wheel";
        const auto json = testing::MakeTempDir() / "wheel.json";
        wheelArgs.insert(wheelArgs.end(), {"--rings", "natal,progressed,transits", "--json", json.string()});
        const testing::CommandResult run = testing::RunCli(wheelArgs);
        ASSERT_EQ(run.status, 0) << run.err;
        WheelChoice choice;
        choice.outerRings = {WheelRing::Progressed, WheelRing::Transits};
        EXPECT_EQ(testing::ReadWholeFile(json),
                  WheelJson(LayOutWheel(c, calc.options, choice, WheelTitleLines(c, choice))));
    }
    EXPECT_GE(charts, 5);
}

TEST(WheelLayout, CrowdedRingsAndAriesAtTheLeftStillKeepEveryBoxApart) {
    // Six natal points within 10 degrees around the ascendant and six transits within 4 degrees
    // across 0 Aries, with an empty half of the chart.
    ChartState c;
    c.HouseSystemCode = "P";
    for (int p = SUN; p <= MC; ++p) {
        const auto i = static_cast<std::size_t>(p);
        c.NatalLong[i] = p <= 6 ? 100 + 2 * (p - 1) : 150 + 9 * (p - 7);
        c.TransitLong[i] = p <= 6 ? Norm360(358 + 0.8 * (p - 1)) : 30 * p;
        c.ProgLong[i] = 101 + 0.5 * p;
    }
    c.NatalLong[ASC] = 104;
    c.NatalLong[MC] = 14;
    for (std::size_t slot = 1; slot <= 13; ++slot) c.NatalCusp[slot] = Norm360(14 + 30.0 * (slot - 1));
    c.NatalRetroMarks = "RRRRRR      ";
    Options options;
    for (WheelOrientation orientation : {WheelOrientation::AscendantLeft, WheelOrientation::AriesLeft}) {
        for (const std::vector<WheelRing>& rings :
             {std::vector<WheelRing>{WheelRing::Transits}, std::vector<WheelRing>{WheelRing::Progressed, WheelRing::Transits}}) {
            WheelChoice choice;
            choice.outerRings = rings;
            choice.orientation = orientation;
            const WheelLayout w = LayOutWheel(c, options, choice, {"A stellium", "Natal 1 Jan 2000"});
            ExpectNoOverlaps(w, "stellium");
            int moved = 0;
            for (const WheelGlyph& g : w.glyphs) {
                EXPECT_NEAR(g.trueAngle, WheelAngleOf(g.longitude, 104, orientation), 1e-9);
                moved += AngleDifference(g.angle, g.trueAngle) > 1;
                if (g.ring == WheelRing::Natal && g.body <= 6) {
                    EXPECT_NE(g.label.find("\u211E"), std::string::npos) << "retrograde mark";
                }
            }
            EXPECT_GE(moved, 8) << "close points are moved apart";
        }
    }
}

// A return wheel: the return chart inside, its houses and angles framing the wheel with its
// ascendant at the left, the natal chart around it, and no two boxes meeting.
TEST(WheelLayout, ReturnWheelHasTheReturnInsideInItsOwnHousesAndTheNatalChartAround) {
    int wheels = 0;
    for (const auto& caseDir : testing::GoldenCases("chart")) {
        Calculation calc = FromGoldenArgs(testing::GoldenCaseArgs(caseDir));
        CollectingReporter reporter;
        RunCalculationStart(calc);
        if (!ComputeCharts(calc, reporter)) continue;
        const ChartState& c = calc.chart;
        for (const int body : {SUN, MOON, MARS}) {
            ReturnSearch search;
            search.body = body;
            search.fromJD = c.DiurnalJD;
            search.days = 800;
            const std::vector<ReturnChart> returns =
                ReturnCharts(c, c.Source, calc.options, search, DiurnalPlace(c));
            ASSERT_FALSE(returns.empty());
            const ReturnChart& r = returns.front();
            const std::string what = caseDir.filename().string() + " return of body " + std::to_string(body);
            const WheelLayout w = LayOutReturnWheel(c, r, calc.options, WheelOrientation::AscendantLeft, true,
                                                    ReturnWheelTitleLines(c, r));
            ++wheels;
            ASSERT_EQ(w.rings, (std::vector<WheelRing>{WheelRing::Return, WheelRing::Natal})) << what;
            ASSERT_EQ(w.glyphs.size(), 24u) << what;
            double returnRadius = 0, natalRadius = 0;
            for (const WheelGlyph& g : w.glyphs) {
                const PointArray& longitudes = g.ring == WheelRing::Return ? r.Long : c.NatalLong;
                EXPECT_EQ(g.longitude, longitudes[static_cast<std::size_t>(g.body)]) << what;
                EXPECT_NEAR(AngleDifference(g.trueAngle, 180 + g.longitude - r.Long[ASC]), 0, 1e-9) << what;
                (g.ring == WheelRing::Return ? returnRadius : natalRadius) = g.radius;
            }
            EXPECT_LT(returnRadius, natalRadius) << what << ": the return inside";
            for (const WheelCusp& cusp : w.cusps) EXPECT_EQ(cusp.longitude, CuspOfHouse(r.Cusp, cusp.house)) << what;
            EXPECT_NEAR(w.angles[0].angle, 180, 1e-9) << what << ": the return's ascendant at the left";
            for (const WheelAspect& a : w.aspects) {
                EXPECT_EQ(a.toRing, WheelRing::Return) << what;
            }
            ExpectNoOverlaps(w, what);
        }
    }
    EXPECT_GE(wheels, 15);
}

}  // namespace
}  // namespace orrerion
