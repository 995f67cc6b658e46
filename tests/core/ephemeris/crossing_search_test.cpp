// The shared crossing search on events whose moments are known in closed form: every change of
// sign in the span, in order, with its direction, to the tolerance asked; the jump of an angle at
// the far side is no moment; two moments within one step are found when the turn between them is
// given as a break, and missed without it.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
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

// A guess of the crossing (as the exact moments take from a cubic through the daily samples)
// spares looks but never changes the moment: over many generated distances from exact, moving
// like planets a day at a time (steady, turning, slowing towards a station, sign either way), the
// guided search gives the unguided one's moment bit for bit, whatever the guess's place, as long
// as its rate and bound hold near it; with the model's own guess it never looks more often, and
// in all far less often.
TEST(CrossingSearch, AGuessSparesLooksButNeverChangesTheMoment) {
    struct Motion {
        double rate, accel, amp, omega, phase, cube;
    };
    // f(t) = rate u + accel u^2 / 2 + amp (sin(omega u + phase) - sin(phase)) + cube u^3, u = t - t0.
    const auto value = [](const Motion& m, double t0, double t) {
        const double u = t - t0;
        return m.rate * u + m.accel * u * u / 2 + m.amp * (std::sin(m.omega * u + m.phase) - std::sin(m.phase)) +
               m.cube * u * u * u;
    };
    const auto rate = [](const Motion& m, double t0, double t) {
        const double u = t - t0;
        return m.rate + m.accel * u + m.amp * m.omega * std::cos(m.omega * u + m.phase) + 3 * m.cube * u * u;
    };
    struct GuessCase {
        const char* name;
        double offsetDays;  // largest distance of the guessed moment from the crossing
        double rateError;   // the guessed rate's error, a fraction of the true one, which its bound owns
        bool fewerLooks;    // never more looks than without it, and at most 85% as many in all
    };
    const std::vector<GuessCase> guesses = {
        {"the model's own guess, within a tenth of a second", 1e-6, 0.0, true},
        {"a guess up to a minute off", 1.0 / 1440, 0.0, false},
        {"a guess up to half a day off", 0.5, 0.0, false},
        {"a guess near the crossing whose rate is 40% too steep, as its bound says", 1e-5, 0.4, false},
    };
    constexpr double Tolerance = 0.5 / 1440;
    std::mt19937_64 random(1950);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (const GuessCase& g : guesses) {
        SCOPED_TRACE(g.name);
        long plainLooks = 0, guidedLooks = 0;
        int events = 0;
        while (events < 3000) {
            Motion m{};
            const double sign = unit(random) < 0.5 ? -1 : 1;
            m.rate = sign * (events % 4 == 3 ? 1e-4 : 0.02 + 2 * unit(random));
            m.accel = (unit(random) - 0.5) * (events % 4 == 3 ? 0.002 : 1.0);
            m.amp = events % 4 == 3 ? 0.0 : 0.5 * unit(random);
            m.omega = 0.2 + 0.8 * unit(random);
            m.phase = 6.283 * unit(random);
            m.cube = events % 4 == 3 ? sign * 0.05 * unit(random) : 0.0;  // slowing towards a station
            const double t0 = 0.01 + 0.98 * unit(random);
            // One crossing in the day: the rate keeps its sign over it.
            bool monotone = true;
            for (int i = 0; i <= 200 && monotone; ++i) monotone = rate(m, t0, i / 200.0) * sign > 0;
            if (!monotone) continue;
            ++events;
            int looks = 0;
            const auto event = [&](double t) {
                ++looks;
                return value(m, t0, t);
            };
            const double fLow = value(m, t0, 0.0), fHigh = value(m, t0, 1.0);
            const double plain = RefineCrossing(event, 0.0, fLow, 1.0, fHigh, Tolerance);
            const int plainEventLooks = looks;
            plainLooks += looks;
            looks = 0;
            CrossingGuess guess;
            guess.at = t0 + (2 * unit(random) - 1) * g.offsetDays;
            const double trueRate = rate(m, t0, guess.at);
            guess.rate = trueRate * (1 + g.rateError);
            // The largest second derivative times a tolerance bounds the rate's change near the guess.
            guess.rateUncertainty = (std::fabs(m.accel) + m.amp * m.omega * m.omega + 6 * std::fabs(m.cube) * 1.5) * Tolerance +
                                    std::fabs(trueRate) * g.rateError * 1.01;
            const double guided = RefineCrossing(event, 0.0, fLow, 1.0, fHigh, Tolerance, &guess);
            guidedLooks += looks;
            ASSERT_EQ(guided, plain) << "crossing at " << t0 << ", guessed at " << guess.at << ", rate " << m.rate;
            EXPECT_LE(std::fabs(guided - t0), Tolerance / 2) << "crossing at " << t0;
            if (g.fewerLooks) {
                EXPECT_LE(looks, plainEventLooks) << "crossing at " << t0 << ", rate " << m.rate;
            }
        }
        if (g.fewerLooks) {
            EXPECT_LE(guidedLooks, plainLooks * 85 / 100) << guidedLooks << " looks against " << plainLooks;
        }
    }
}

}  // namespace
}  // namespace orrerion
