// The chart wheel's layout: every point and cusp drawn at its chart longitude with the ascendant
// at the left, no two glyphs or labels overlapping, and the command line writing the same layout.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/aspects/returns.h"
#include "core/chart/houses.h"
#include "core/ephemeris/time_angles.h"
#include "core/pictures/glyphs.h"
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
    calc.houseSystem = HouseSystem::Placidus;
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
            calc.houseSystem = ComputedHouseSystemByCode(value).value();
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
            ASSERT_EQ(w.glyphs.size(), 10 + 12 * rings.size()) << what << ": the natal angles are the axes";
            for (const WheelGlyph& g : w.glyphs) {
                const double longitude = RingLongitudes(c, g.ring)[static_cast<std::size_t>(g.body)];
                EXPECT_NEAR(AngleDifference(g.longitude, longitude), 0, 0.01) << what << " body " << g.body;
                EXPECT_NEAR(AngleDifference(g.trueAngle, 180 + longitude - c.NatalLong[ASC]), 0, 0.01) << what;
                // The leader runs from the true place to the glyph.
                const double leaderAngle =
                    std::atan2(w.centre.y - g.leaderFrom.y, g.leaderFrom.x - w.centre.x) * 180 / PiValue;
                EXPECT_NEAR(AngleDifference(leaderAngle, g.trueAngle), 0, 0.01) << what;
                EXPECT_FALSE(g.ring == WheelRing::Natal && g.body >= ASC) << what << ": the natal angles are the axes";
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
            EXPECT_GE(w.aspectRadius, 0.135 * w.size) << what << ": the aspect circle keeps its share";
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
            // Close points are moved along the circle or stacked inwards in a further row.
            std::map<WheelRing, double> firstRow;
            for (const WheelGlyph& g : w.glyphs) firstRow[g.ring] = std::max(firstRow[g.ring], g.radius);
            int moved = 0;
            for (const WheelGlyph& g : w.glyphs) {
                EXPECT_NEAR(g.trueAngle, WheelAngleOf(g.longitude, 104, orientation), 1e-9);
                moved += AngleDifference(g.angle, g.trueAngle) > 1 || g.radius < firstRow[g.ring] - 10;
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
            // The return's ascendant and midheaven are the wheel's axes, not glyphs.
            ASSERT_EQ(w.glyphs.size(), 22u) << what;
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

// A chart for the layout's property test: random longitudes, and in some rings a stellium of 6 to
// 10 planets within 20 degrees. Longitudes lie a quarter minute past a whole minute, so that the
// label's minute is not a matter of rounding.
ChartState GeneratedChart(std::mt19937& random, std::vector<WheelRing>& crowded) {
    std::uniform_real_distribution<double> circle(0, 360);
    std::uniform_int_distribution<int> count(6, 10);
    auto onMinute = [](double longitude) { return Norm360((std::floor(longitude * 60) + 0.25) / 60); };
    ChartState c;
    c.HouseSystemCode = "K";
    const double asc = onMinute(circle(random));
    const double mc = onMinute(asc - 90 + std::uniform_real_distribution<double>(-35, 35)(random));
    crowded.clear();
    for (WheelRing ring : {WheelRing::Natal, WheelRing::Progressed, WheelRing::SolarArc, WheelRing::Transits}) {
        PointArray& longitudes = ring == WheelRing::Natal        ? c.NatalLong
                                 : ring == WheelRing::Progressed ? c.ProgLong
                                 : ring == WheelRing::SolarArc   ? c.ArcLong
                                                                 : c.TransitLong;
        for (int p = SUN; p <= MC; ++p) longitudes[static_cast<std::size_t>(p)] = onMinute(circle(random));
        if (random() % 3 != 0) {
            // A stellium: the first n planets (shuffled) within 20 degrees of a random start.
            std::vector<int> planets;
            for (int p = SUN; p <= MOON; ++p) planets.push_back(p);
            std::shuffle(planets.begin(), planets.end(), random);
            const double start = circle(random);
            const int n = count(random);
            for (int k = 0; k < n; ++k) {
                longitudes[static_cast<std::size_t>(planets[static_cast<std::size_t>(k)])] =
                    onMinute(start + std::uniform_real_distribution<double>(0, 20)(random));
            }
            crowded.push_back(ring);
        }
    }
    c.NatalLong[ASC] = asc;
    c.NatalLong[MC] = mc;
    // Cusps: each quadrant between the angles cut in three.
    const double quadrants[] = {asc, Norm360(mc + 180), Norm360(asc + 180), mc, asc};
    for (std::size_t q = 0; q < 4; ++q) {
        const double span = Norm360(quadrants[q + 1] - quadrants[q]);
        for (std::size_t k = 0; k < 3; ++k) c.NatalCusp[1 + 3 * q + k] = Norm360(quadrants[q] + span * k / 3);
    }
    c.NatalCusp[13] = c.NatalCusp[1];
    c.NatalRetroMarks = "   RR R  R  ";
    return c;
}

TEST(WheelLayout, GeneratedChartsAndStelliumsKeepEveryGlyphNearItsPlaceAndEveryBoxApart) {
    // Fixed seed: the same charts every run.
    std::mt19937 random(19620204);
    const std::vector<std::vector<WheelRing>> ringChoices = {
        {}, {WheelRing::Transits}, {WheelRing::Progressed, WheelRing::Transits}, {WheelRing::SolarArc, WheelRing::Transits}};
    Options options;
    int stelliums = 0, stacked = 0, readable = 0;
    for (int n = 0; n < 160; ++n) {
        std::vector<WheelRing> crowded;
        const ChartState c = GeneratedChart(random, crowded);
        const std::vector<WheelRing>& rings = ringChoices[static_cast<std::size_t>(n) % ringChoices.size()];
        WheelChoice choice;
        choice.outerRings = rings;
        choice.outerAspects = n % 2 == 0;
        choice.orientation = n % 5 == 0 ? WheelOrientation::AriesLeft : WheelOrientation::AscendantLeft;
        const WheelLayout w = LayOutWheel(c, options, choice, WheelTitleLines(c, choice));
        const std::string what = "chart " + std::to_string(n);
        ASSERT_EQ(w.glyphs.size(), 10 + 12 * rings.size()) << what << ": the natal angles are the axes";
        ExpectNoOverlaps(w, what);
        // The aspect circle keeps a readable share of the picture, a diameter of 0.27 of its
        // width, when at most one shown ring is crowded (more crowded rings keep their boxes apart
        // with smaller glyphs and a smaller aspect circle).
        int crowdedShown = 0;
        for (WheelRing r : crowded) {
            crowdedShown += r == WheelRing::Natal || std::find(rings.begin(), rings.end(), r) != rings.end();
        }
        if (crowdedShown <= 1) {
            EXPECT_GE(w.aspectRadius, 0.135 * w.size) << what;
            ++readable;
        }
        // The four axes, from the centre out past the zodiac.
        std::vector<WheelSegment> axes;
        for (const WheelAngle& a : w.angles) axes.push_back({w.centre, a.outer});
        std::map<WheelRing, double> firstRow;
        for (const WheelGlyph& g : w.glyphs) firstRow[g.ring] = std::max(firstRow[g.ring], g.radius);
        for (const WheelGlyph& g : w.glyphs) {
            const std::string point = what + " " + std::string(RingOf(g.ring).word) + " body " + std::to_string(g.body);
            // The glyph is drawn within 8 degrees of its longitude, measured from its box.
            const WheelPoint m = g.glyphBox.Centre();
            const double drawn = std::atan2(w.centre.y - m.y, m.x - w.centre.x) * 180 / PiValue;
            const double place = WheelAngleOf(RingLongitudes(c, g.ring)[static_cast<std::size_t>(g.body)],
                                              c.NatalLong[ASC], choice.orientation);
            EXPECT_LE(AngleDifference(drawn, place), 8.0) << point;
            // The leader starts at the exact place.
            const double from = std::atan2(w.centre.y - g.leaderFrom.y, g.leaderFrom.x - w.centre.x) * 180 / PiValue;
            EXPECT_NEAR(AngleDifference(from, place), 0, 0.01) << point;
            // The label: degree within the sign, the sign's glyph, the minute.
            const double lon = g.longitude;
            const int minute = static_cast<int>(std::floor((lon - std::floor(lon)) * 60));
            std::string expected = std::to_string(static_cast<int>(std::floor(lon)) % 30) +
                                   std::string(SignGlyph(static_cast<int>(lon / 30) + 1)) + (minute < 10 ? "0" : "") +
                                   std::to_string(minute);
            EXPECT_EQ(g.label.substr(0, expected.size()), expected) << point;
            for (const WheelSegment& axis : axes) {
                EXPECT_FALSE(SegmentMeetsBox(axis, g.glyphBox) || SegmentMeetsBox(axis, g.labelBox))
                    << point << ": an axis runs through the glyph or its label";
            }
            // Inside the zodiac, outside the aspect circle.
            EXPECT_GE(NearestDistance(g.glyphBox, w.centre), w.aspectRadius) << point;
            EXPECT_GE(NearestDistance(g.labelBox, w.centre), w.aspectRadius) << point;
            stacked += g.radius < firstRow[g.ring] - 10;
        }
        stelliums += static_cast<int>(crowded.size());
    }
    EXPECT_GE(stelliums, 150) << "the generator makes stelliums";
    EXPECT_GE(stacked, 100) << "crowded points are stacked inwards";
    EXPECT_GE(readable, 60) << "charts with at most one crowded ring";
}

}  // namespace
}  // namespace orrerion
