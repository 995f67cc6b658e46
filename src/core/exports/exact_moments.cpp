#include "core/exports/exact_moments.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "core/aspects/aspect_scan.h"
#include "core/base/zone_history.h"
#include "core/io/number_text.h"

namespace orrerion {

bool HasExactMoments(AspectFamily family) {
    return family == AspectFamily::TransitToNatal || family == AspectFamily::TransitToProgressed;
}

double AspectAngle(int AspectCode) {
    for (const AspectRow& row : AspectTestOrder) {
        if (row.AspectCode == AspectCode) return row.angle;
    }
    return 0.0;
}

namespace {

// A moment is given when it is known within a bracket of half a minute: its middle is then
// within a quarter of a minute of the crossing.
constexpr double StopDays = 0.5 / 1440;

// The crossing of `distance` between `low` (value fLow, not zero) and `high` (fHigh, zero or of the
// other sign). Over a day the distance changes almost linearly, so each step takes the straight
// line's crossing and looks half a stop either side of it, which mostly brackets the crossing
// within a stop at the first step; bisection finishes the brackets that shrink slowly (stations).
template <class Distance>
double Crossing(const Distance& distance, double low, double fLow, double high, double fHigh) {
    const bool lowNegative = fLow < 0;
    const auto lowSide = [&](double f) { return f != 0 && (f < 0) == lowNegative; };
    constexpr double Half = StopDays / 2;
    for (int step = 0; step < 4 && high - low > StopDays; ++step) {
        const double estimate = std::clamp(low + (high - low) * fLow / (fLow - fHigh), low + Half, high - Half);
        const double before = estimate - Half, after = estimate + Half;
        const double fBefore = distance(before);
        if (!lowSide(fBefore)) {
            high = before;
            fHigh = fBefore;
            continue;
        }
        const double fAfter = distance(after);
        if (!lowSide(fAfter)) return estimate;
        low = after;
        fLow = fAfter;
    }
    while (high - low > StopDays) {
        const double middle = (low + high) / 2;
        if (lowSide(distance(middle))) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return (low + high) / 2;
}

// x reduced to -180 < x <= 180.
double Signed180(double x) {
    double r = std::fmod(x, 360.0);
    if (r > 180) r -= 360;
    if (r <= -180) r += 360;
    return r;
}

// One body's longitudes at scan days, whole or fractional, from one context; whole days are kept,
// since neighbouring runs of the same mover or target ask for the same samples. Only the bodies
// the runs need are computed: the mover and, for a transit to a progressed point, that point.
class MomentEvaluator {
public:
    // Whole days firstDay .. firstDay + dayCount - 1 are kept.
    MomentEvaluator(const ChartState& chart, const EphemerisState& eph, const Options& options,
                    int firstDay, int dayCount)
        : context_(chart, eph, options), firstDay_(firstDay), dayCount_(dayCount) {}

    double Transit(int body, double day) { return Longitude(transit_, body, day, false); }
    double Progressed(int body, double day) { return Longitude(progressed_, body, day, true); }

private:
    // The kept whole days of one body; empty until the body is first asked for.
    struct Samples {
        std::vector<double> longitude;
        std::vector<bool> known;
    };
    using BodySamples = std::array<Samples, BodyCount + 1>;

    double Longitude(BodySamples& samples, int body, double day, bool progressed) {
        const double at = day - firstDay_;
        if (std::floor(at) == at && at >= 0 && at < dayCount_) {
            Samples& kept = samples[static_cast<std::size_t>(body)];
            if (kept.known.empty()) {
                kept.longitude.resize(static_cast<std::size_t>(dayCount_));
                kept.known.resize(static_cast<std::size_t>(dayCount_));
            }
            const auto i = static_cast<std::size_t>(at);
            if (!kept.known[i]) {
                kept.longitude[i] = Compute(body, day, progressed);
                kept.known[i] = true;
            }
            return kept.longitude[i];
        }
        return Compute(body, day, progressed);
    }

    double Compute(int body, double day, bool progressed) {
        return progressed ? ProgressedLongitudeAt(context_, body, day) : TransitLongitudeAt(context_, body, day);
    }

    ScanDayContext context_;
    int firstDay_;
    int dayCount_;
    BodySamples transit_, progressed_;
};

// The moments of run `r`, appended to `moments` in the order found (one side of the target, then
// the other).
void AddRunMoments(MomentEvaluator& at, const ChartState& chart, const ScanResult& scan, std::uint32_t r,
                   std::vector<ExactMoment>& moments) {
    const ScanRun& run = scan.runs[r];
    if (!HasExactMoments(run.family)) return;
    const bool progressedTarget = run.family == AspectFamily::TransitToProgressed;
    const auto targetAt = [&](double day) {
        return progressedTarget ? at.Progressed(run.target, day)
                                : chart.NatalLong[static_cast<std::size_t>(run.target)];
    };
    const auto moverAt = [&](double day) { return at.Transit(run.mover, day); };

    // The aspect is made on either side of the target; 0 and 180 degrees have one side.
    const double angle = AspectAngle(run.AspectCode);
    const int sides = angle == 0.0 || angle == 180.0 ? 1 : 2;
    const int from = std::max(run.firstDay - 1, 0);
    const int to = std::min(run.lastDay + 1, scan.ScanDays - 1);
    for (int side = 0; side < sides; ++side) {
        const double offset = side == 0 ? angle : -angle;
        const auto distance = [&](double day) { return Signed180(moverAt(day) - targetAt(day) - offset); };
        double before = distance(from);
        for (int d = from; d < to; ++d) {
            const double after = distance(d + 1);
            // A change of sign near zero; the jump at the far side (180 degrees away) is not one.
            const bool crosses = (before < 0 && after >= 0) || (before > 0 && after <= 0);
            if (crosses && std::fabs(before) < 90 && std::fabs(after) < 90) {
                const double day = Crossing(distance, d, before, d + 1, after);
                ExactMoment moment;
                moment.run = r;
                moment.jd = scan.DiurnalJD + day;
                moment.moverLong = moverAt(day);
                moment.targetLong = targetAt(day);
                moments.push_back(moment);
            }
            before = after;
        }
    }
}

// Each run's moments in time order (the two sides of a run are found one after the other).
void SortByRunAndTime(std::vector<ExactMoment>& moments) {
    std::stable_sort(moments.begin(), moments.end(), [](const ExactMoment& a, const ExactMoment& b) {
        return a.run != b.run ? a.run < b.run : a.jd < b.jd;
    });
}

}  // namespace

std::vector<ExactMoment> ExactMoments(const ChartState& chart, const EphemerisState& eph,
                                      const Options& options, const ScanResult& scan) {
    return ExactMoments(chart, eph, options, scan, AllFamilies);
}

std::vector<ExactMoment> ExactMoments(const ChartState& chart, const EphemerisState& eph,
                                      const Options& options, const ScanResult& scan, const FamilySet& families) {
    std::vector<ExactMoment> moments;
    if (scan.ScanDays < 2 || scan.runs.empty()) return moments;
    MomentEvaluator at(chart, eph, options, 0, scan.ScanDays);
    for (std::uint32_t r = 0; r < scan.runs.size(); ++r) {
        if (families[FamilyIndex(scan.runs[r].family)]) AddRunMoments(at, chart, scan, r, moments);
    }
    SortByRunAndTime(moments);
    return moments;
}

std::vector<ExactMoment> ExactMomentsOfRun(const ChartState& chart, const EphemerisState& eph,
                                           const Options& options, const ScanResult& scan, std::uint32_t run) {
    std::vector<ExactMoment> moments;
    if (scan.ScanDays < 2 || run >= scan.runs.size()) return moments;
    // The days the search looks at: from the day before the run to the day after it.
    const ScanRun& r = scan.runs[run];
    const int first = std::max(r.firstDay - 1, 0);
    MomentEvaluator at(chart, eph, options, first, std::min(r.lastDay + 1, scan.ScanDays - 1) - first + 1);
    AddRunMoments(at, chart, scan, run, moments);
    SortByRunAndTime(moments);
    return moments;
}

MinuteTime MinuteOf(double jd, double zoneHoursWest) {
    const double minutes = std::round((jd + 0.5 - zoneHoursWest / 24) * 1440);
    const double dayNumber = std::floor(minutes / 1440);
    const int minuteOfDay = static_cast<int>(minutes - dayNumber * 1440);
    MinuteTime t;
    t.date = JulianDayToCalendar(dayNumber);
    t.hour = minuteOfDay / 60;
    t.minute = minuteOfDay % 60;
    return t;
}

namespace {

std::string MinuteTextOf(const MinuteTime& t, int DateOrder) {
    // "%02d:%02d"
    return DateInOrder(t.date, DateOrder) + " " + std::string(IntegerChars(t.hour, 2).view()) + ":" +
           std::string(IntegerChars(t.minute, 2).view());
}

}  // namespace

std::string MinuteText(double jd, double zoneHoursWest, int DateOrder) {
    return MinuteTextOf(MinuteOf(jd, zoneHoursWest), DateOrder);
}

double ZoneHoursWestAt(const MomentClock& clock, double jd) {
    if (clock.zoneName.empty()) return clock.zoneHoursWest;
    const MinuteTime ut = MinuteOf(jd);
    const ClockReading reading{ut.date.year, ut.date.month, ut.date.day, ut.hour, ut.minute, 0};
    const std::optional<ZoneOffset> offset = OffsetAtUniversalTime(clock.zoneName, reading);
    return offset ? -offset->offsetSeconds / 3600.0 : clock.zoneHoursWest;
}

MinuteTime MinuteOf(double jd, const MomentClock& clock) { return MinuteOf(jd, ZoneHoursWestAt(clock, jd)); }

std::string MinuteText(double jd, const MomentClock& clock, int DateOrder) {
    return MinuteTextOf(MinuteOf(jd, clock), DateOrder);
}

}  // namespace orrerion
