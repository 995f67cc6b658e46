// The placing of one ring's glyphs and labels: a lone point stands at its place in the first row;
// a crowd is spread within MaxGlyphShift and stacked inwards, its boxes apart, clear of the lines
// kept clear, above the floor, every leader starting at the exact place.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/ephemeris/time_angles.h"
#include "core/pictures/wheel_labels.h"

namespace orrerion {
namespace {

double AngleOf(WheelPoint centre, WheelPoint p) { return std::atan2(centre.y - p.y, p.x - centre.x) * 180 / PiValue; }
double AngleDifference(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

TEST(WheelLabels, BoxGeometry) {
    const WheelPoint o{100, 100};
    struct Case {
        WheelBox box;
        double nearest, farthest;
    };
    const Case cases[] = {
        {{110, 90, 10, 20}, 10, std::hypot(20.0, 10.0)},  // right of the centre, level with it
        {{90, 90, 20, 20}, 0, std::hypot(10.0, 10.0)},    // around the centre
        {{103, 104, 1, 1}, 5, std::hypot(4.0, 5.0)},      // a corner nearest
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(NearestDistance(c.box, o), c.nearest, 1e-12) << c.box.x;
        EXPECT_NEAR(FarthestDistance(c.box, o), c.farthest, 1e-12) << c.box.x;
    }
    const WheelBox box{10, 10, 10, 10};
    EXPECT_TRUE(SegmentMeetsBox({{0, 15}, {30, 15}}, box));    // through
    EXPECT_TRUE(SegmentMeetsBox({{15, 15}, {15, 40}}, box));   // from inside
    EXPECT_FALSE(SegmentMeetsBox({{0, 0}, {30, 5}}, box));     // above
    EXPECT_FALSE(SegmentMeetsBox({{0, 25}, {9, 25}}, box));    // short of it
    EXPECT_TRUE(SegmentMeetsBox({{0, 21}, {30, 21}}, box, 1.5));  // within the margin
    EXPECT_FALSE(BoxesOverlap(box, {20, 10, 5, 5}));
    EXPECT_TRUE(BoxesOverlap(box, {20, 10, 5, 5}, 0.5));
}

TEST(WheelLabels, CrowdsStayNearTheirPlacesApartAndClearOfTheAxes) {
    const WheelPoint o{580, 580};
    // Crowds at the left, the top, a diagonal and across a line kept clear at 100 degrees.
    struct Case {
        const char* what;
        std::vector<double> angles;
    };
    const std::vector<Case> cases = {
        {"alone", {10, 100, 190, 280}},
        {"ten at the left within 20", {170, 172, 174, 176, 178, 180, 182, 184, 186, 189}},
        {"eight at the top within 16", {82, 84, 86, 88, 90, 92, 94, 97}},
        {"six on the diagonal within 3", {225, 225.5, 226, 226.5, 227, 228}},
        {"seven across the axis", {96, 97.5, 99, 100, 100.5, 102, 104}},
        {"two pairs on the axis", {100, 100, 280, 280}},
    };
    const double outer = 384;
    RingSpace space{o, outer, 200, {{o, {o.x + 455 * std::cos(100 * PiValue / 180), o.y - 455 * std::sin(100 * PiValue / 180)}},
                                    {o, {o.x + 455 * std::cos(280 * PiValue / 180), o.y - 455 * std::sin(280 * PiValue / 180)}}},
                    {}};
    for (const Case& c : cases) {
        std::vector<RingLabelRequest> requests;
        for (double a : c.angles) requests.push_back({a, 24, 24, 55, 14, 22, 40});
        const std::vector<RingLabelPlace> places = PlaceRingLabels(requests, space);
        ASSERT_EQ(places.size(), requests.size()) << c.what;
        double firstRow = 0;
        for (const RingLabelPlace& p : places) firstRow = std::max(firstRow, p.radius);
        int stacked = 0;
        for (std::size_t i = 0; i < places.size(); ++i) {
            const RingLabelPlace& p = places[i];
            const std::string what = std::string(c.what) + " point " + std::to_string(i);
            EXPECT_LE(AngleDifference(AngleOf(o, p.glyphBox.Centre()), c.angles[i]), MaxGlyphShift + 1e-9) << what;
            // (The program's π has ten decimals: angles agree to 1e-6 degrees.)
            EXPECT_NEAR(AngleDifference(AngleOf(o, p.leaderFrom), c.angles[i]), 0, 1e-6) << what;
            EXPECT_NEAR(std::hypot(p.leaderFrom.x - o.x, p.leaderFrom.y - o.y), outer, 1e-6) << what;
            for (const WheelBox& b : {p.glyphBox, p.labelBox}) {
                EXPECT_LE(FarthestDistance(b, o), outer) << what;
                EXPECT_GE(NearestDistance(b, o), space.floor) << what;
                for (const WheelSegment& line : space.clearLines) EXPECT_FALSE(SegmentMeetsBox(line, b)) << what;
            }
            EXPECT_FALSE(BoxesOverlap(p.glyphBox, p.labelBox)) << what;
            for (std::size_t j = i + 1; j < places.size(); ++j) {
                for (const WheelBox& a : {p.glyphBox, p.labelBox}) {
                    for (const WheelBox& b : {places[j].glyphBox, places[j].labelBox}) {
                        EXPECT_FALSE(BoxesOverlap(a, b)) << what << " and " << j;
                    }
                }
            }
            stacked += p.radius < firstRow - 10;
        }
        if (std::string(c.what) == "alone") {
            EXPECT_EQ(stacked, 0);
            for (std::size_t i = 0; i < places.size(); ++i) {
                // Off the axes, a lone point's glyph stands at its longitude.
                if (c.angles[i] == 10 || c.angles[i] == 190) {
                    EXPECT_NEAR(places[i].angle, c.angles[i], 1e-9);
                }
            }
        } else if (c.angles.size() >= 6) {
            EXPECT_GE(stacked, 2) << c.what << ": a crowd is stacked inwards";
        }
    }
}

}  // namespace
}  // namespace orrerion
