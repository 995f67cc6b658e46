#pragma once
// The one search for the moments at which something happens. The caller describes the event as a
// function of time (a day count or a Julian date; the search does not care which) whose value
// changes sign at each moment wanted: a distance from exactness, a speed, a difference of
// longitudes. The search samples it over a span, finds every change of sign and closes in on each
// to a tolerance; it knows nothing of what the event measures, and the event nothing of the search.
// Exact aspects, stations and returns are all found here.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace orrerion {

struct CrossingSearch {
    double step = 1.0;  // time between samples; no two moments of the event may fall in one step
    // A moment is given once it is bracketed this closely; the middle of the bracket is then within
    // half of it of the true moment.
    double tolerance = 0.5 / 1440;
    // A change of sign counts only when both samples are smaller than this in size: an angle reduced
    // to -180..180 jumps from +180 to -180 at the far side, which is no moment of the event.
    double jumpLimit = std::numeric_limits<double>::infinity();
};

struct CrossingMoment {
    double at = 0.0;      // the middle of the final bracket
    bool rising = false;  // the value went from below zero to zero or above
};

// What a model of the event (a polynomial through samples already taken, say) expects of one
// crossing: the moment, the event's rate of change there, and how far the true rate may be from it
// anywhere within a tolerance of that moment (the model's error and the rate's own change).
struct CrossingGuess {
    double at = 0.0;
    double rate = 0.0;             // event units per time unit
    double rateUncertainty = 0.0;  // bound on |true rate - rate| near `at`
};

// The moment at which `event` reaches zero between `low` (value fLow, not zero) and `high` (value
// fHigh, zero or of the other sign), to `tolerance`. Over a short bracket most events change almost
// linearly, so each step takes the straight line's crossing and looks half a tolerance either side
// of it, which mostly brackets the moment at the first step; bisection finishes the brackets that
// shrink slowly (where the event's value turns, as at a station).
//
// With a `guess`, the steps and the moment are the same, but the event is not evaluated where only
// the side of a value would be read and the guess already tells it: a value that becomes a new end
// of the bracket is always computed, and a step that would end with both looks is instead confirmed
// by one evaluation at its estimate, whose distance from zero over the least rate the guess allows
// puts the crossing between the two looks (within 7/8 of half a tolerance of the estimate); when it
// does not, its side spares one of the looks. Otherwise the step looks as without a guess, so a
// poor guess costs evaluations, never the result. (The side of a look left out is taken from the
// other look's or the estimate's: the event is taken not to turn back between the two looks, half
// a tolerance apart.)
template <class Event>
double RefineCrossing(const Event& event, double low, double fLow, double high, double fHigh, double tolerance,
                      const CrossingGuess* guess = nullptr) {
    const bool lowNegative = fLow < 0;
    const auto lowSide = [&](double f) { return f != 0 && (f < 0) == lowNegative; };
    const double half = tolerance / 2;
    // The least size of the rate near the guessed moment; zero when the guess cannot be leaned on.
    const double leastRate =
        guess == nullptr ? 0.0 : std::max(std::fabs(guess->rate) - guess->rateUncertainty, 0.0);
    const bool steady = guess != nullptr && guess->rateUncertainty < std::fabs(guess->rate) / 2;
    for (int step = 0; step < 4 && high - low > tolerance; ++step) {
        const double estimate = std::clamp(low + (high - low) * fLow / (fLow - fHigh), low + half, high - half);
        const double before = estimate - half, after = estimate + half;
        if (steady && guess->at > before && guess->at < after) {
            // The crossing is expected between the looks: the value at the estimate settles it, or
            // else tells on which side of the estimate the crossing is, and so the side of one look.
            const double fEstimate = event(estimate);
            if (std::fabs(fEstimate) <= leastRate * half * 7 / 8) return estimate;
            if (lowSide(fEstimate)) {
                const double fAfter = event(after);
                if (!lowSide(fAfter)) return estimate;
                low = after;
                fLow = fAfter;
            } else {
                const double fBefore = event(before);
                if (lowSide(fBefore)) return estimate;
                high = before;
                fHigh = fBefore;
            }
            continue;
        }
        if (guess != nullptr && guess->at > after + half / 8) {
            // Expected after both looks: the later one's value is the new low end, and the earlier
            // one's side matters only if that is not so.
            const double fAfter = event(after);
            if (lowSide(fAfter)) {
                low = after;
                fLow = fAfter;
                continue;
            }
            const double fBefore = event(before);
            if (lowSide(fBefore)) return estimate;
            high = before;
            fHigh = fBefore;
            continue;
        }
        const double fBefore = event(before);
        if (!lowSide(fBefore)) {
            high = before;
            fHigh = fBefore;
            continue;
        }
        const double fAfter = event(after);
        if (!lowSide(fAfter)) return estimate;
        low = after;
        fLow = fAfter;
    }
    while (high - low > tolerance) {
        const double middle = (low + high) / 2;
        if (lowSide(event(middle))) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return (low + high) / 2;
}

// The sample times of a search from `from` to `to`: every `step` from `from`, then `to`, with the
// `breaks` that lie between them (moments at which the event turns, so that two moments on either
// side of a turn fall into different steps), in order.
std::vector<double> CrossingSamples(double from, double to, double step, std::vector<double> breaks = {});

// Every moment between `from` and `to` at which `event` changes sign, in time order. A sample of
// exactly zero is a moment once, at the change into or out of it.
template <class Event>
std::vector<CrossingMoment> FindCrossings(const Event& event, double from, double to, const CrossingSearch& how,
                                          const std::vector<double>& breaks = {}) {
    std::vector<CrossingMoment> moments;
    const std::vector<double> samples = CrossingSamples(from, to, how.step, breaks);
    if (samples.size() < 2) return moments;
    double before = event(samples.front());
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const double after = event(samples[i]);
        const bool crosses = (before < 0 && after >= 0) || (before > 0 && after <= 0);
        if (crosses && std::fabs(before) < how.jumpLimit && std::fabs(after) < how.jumpLimit) {
            CrossingMoment m;
            m.at = RefineCrossing(event, samples[i - 1], before, samples[i], after, how.tolerance);
            m.rising = before < 0;
            moments.push_back(m);
        }
        before = after;
    }
    return moments;
}

}  // namespace orrerion
