// The shared crossing search on events whose moments are known in closed form: every change of
// sign in the span, in order, with its direction, to the tolerance asked; the jump of an angle at
// the far side is no moment; two moments within one step are found when the turn between them is
// given as a break, and missed without it.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/ephemeris/crossing_search.h"

namespace orrerion {
namespace {

constexpr double Pi = 3.14159265358979323846;

struct Expected {
    double at;
    bool rising;
};

struct EventCase {
    const char* name;
    std::function<double(double)> event;
    double from, to;
    CrossingSearch how;
    std::vector<double> breaks;
    std::vector<Expected> moments;  // worked out by hand from the closed form
};

// An angle reduced to -180..180, as the searches reduce longitudes.
double Signed180(double x) { return std::remainder(x, 360.0); }

TEST(CrossingSearch, FindsEveryChangeOfSignToTheToleranceAndNothingElse) {
    const std::vector<EventCase> cases = {
        {"sin t: zeros at k pi, falling at odd k", [](double t) { return std::sin(t); }, 0.5, 10.0, {1.0, 1e-9, 1e9}, {},
         {{Pi, false}, {2 * Pi, true}, {3 * Pi, false}}},
        {"a longitude moving 13.2 degrees a day past 100 degrees; 280 degrees is its jump",
         [](double t) { return Signed180(13.2 * t - 100); }, 0.0, 60.0, {1.0, 1e-7, 90.0}, {},
         {{100 / 13.2, true}, {460 / 13.2, true}}},
        {"the same with no jump limit counts the far side as well",
         [](double t) { return Signed180(13.2 * t - 100); }, 0.0, 30.0, {1.0, 1e-7, 1e9}, {},
         {{100 / 13.2, true}, {280 / 13.2, false}}},
        {"a loop: (t - 2)^2 - 0.01 has two zeros 0.2 apart inside one step, found with the turn at 2",
         [](double t) { return 0.01 - (t - 2) * (t - 2); }, 1.5, 2.5, {1.0, 1e-10, 1e9}, {2.0},
         {{1.9, true}, {2.1, false}}},
        {"and missed without the turn", [](double t) { return 0.01 - (t - 2) * (t - 2); }, 1.5, 2.5,
         {1.0, 1e-10, 1e9}, {}, {}},
        {"a zero on a sample is one moment, on the step that reaches it", [](double t) { return t - 3; }, 0.0, 6.0,
         {1.0, 1e-9, 1e9}, {}, {{3.0, true}}},
        {"Julian dates: a slow event crossing at JD 2461418.748165 found to a tenth of a second",
         [](double t) { return (t - 2461418.748165) * 0.9856; }, 2461400.5, 2461430.5, {1.0, 0.1 / 86400, 90.0}, {},
         {{2461418.748165, true}}},
    };
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<CrossingMoment> found = FindCrossings(c.event, c.from, c.to, c.how, c.breaks);
        ASSERT_EQ(found.size(), c.moments.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_LE(std::fabs(found[i].at - c.moments[i].at), c.how.tolerance)
                << "moment " << i << ": expected " << c.moments[i].at << ", found " << found[i].at;
            EXPECT_EQ(found[i].rising, c.moments[i].rising) << "moment " << i;
        }
    }
}

}  // namespace
}  // namespace orrerion
