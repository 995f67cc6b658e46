#include "core/exports/exact_moments.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "core/aspects/aspect_scan.h"
#include "core/base/zone_history.h"
#include "core/ephemeris/crossing_search.h"
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

// x reduced to -180 < x <= 180. The remainder is std::fmod's, bit for bit: for the differences of
// longitudes the search takes, |x| < 720, it is x or x less one turn, which is exact (Sterbenz), and
// a zero keeps x's sign.
double Signed180(double x) {
    const double a = std::fabs(x);
    double r = x;
    if (a >= 720 || a != a) {
        r = std::fmod(x, 360.0);
    } else if (a >= 360) {
        r = x > 0 ? x - 360 : x + 360;
        if (r == 0) r = std::copysign(0.0, x);
    }
    if (r > 180) r -= 360;
    if (r <= -180) r += 360;
    return r;
}

// One body's longitudes at scan days, whole or fractional, from one context; whole days are kept,
// since neighbouring runs of the same mover or target ask for the same samples. Only the bodies
// the runs need are computed: the mover and, for a transit to a progressed point, that point.
class MomentEvaluator {
public:
    // Whole days firstDay .. firstDay + dayCount - 1 are kept; with `scanned`, the longitudes the
    // scan kept are read instead.
    MomentEvaluator(const ChartState& chart, const EphemerisState& eph, const Options& options,
                    int firstDay, int dayCount, const ScanLongitudes* scanned = nullptr)
        : context_(chart, eph, options), firstDay_(firstDay), dayCount_(dayCount), scanned_(scanned) {}

    // The longitudes the scan kept, when they cover `days` days from day 0.
    const ScanLongitudes* Kept(int days) const {
        const auto n = static_cast<std::size_t>(days);
        return scanned_ && scanned_->transit.size() >= n && scanned_->progressed.size() >= n ? scanned_ : nullptr;
    }
    // At a scanned day.
    double TransitOnDay(int body, int day) { return Sample(transit_, body, day, false); }
    double ProgressedOnDay(int body, int day) { return Sample(progressed_, body, day, true); }
    // At any moment, in days from day 0.
    double Transit(int body, double day) { return Longitude(transit_, body, day, false); }
    double Progressed(int body, double day) { return Longitude(progressed_, body, day, true); }

private:
    // The kept whole days of one body; empty until the body is first asked for.
    struct Samples {
        std::vector<double> longitude;
        std::vector<bool> known;
    };
    using BodySamples = std::array<Samples, PointSlotCount + 1>;

    double Longitude(BodySamples& samples, int body, double day, bool progressed) {
        if (std::floor(day) == day && std::fabs(day) < MaxScanDays + 1) {
            return Sample(samples, body, static_cast<int>(day), progressed);
        }
        return Compute(body, day, progressed);
    }

    double Sample(BodySamples& samples, int body, int day, bool progressed) {
        const auto b = static_cast<std::size_t>(body - 1);
        if (scanned_ && day >= 0) {
            const auto d = static_cast<std::size_t>(day);
            if (progressed && d < scanned_->progressed.size() && b < MC) return scanned_->progressed[d][b];
            if (!progressed && d < scanned_->transit.size() && b < PLUTO) return scanned_->transit[d][b];
        }
        const int at = day - firstDay_;
        if (at < 0 || at >= dayCount_) return Compute(body, day, progressed);
        Samples& kept = samples[b + 1];
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

    double Compute(int body, double day, bool progressed) {
        return ScanPointLongitudeAt(context_, progressed ? PointSet::Progressed : PointSet::Transit, body, day);
    }

public:
    // A natal point's longitude, of the twelve or the extra points.
    double Natal(int body) { return ScanPointLongitudeAt(context_, PointSet::Natal, body, 0.0); }

private:

    ScanDayContext context_;
    int firstDay_;
    int dayCount_;
    const ScanLongitudes* scanned_;
    BodySamples transit_, progressed_;
};

// A scanned day of a run after which the distance from exact changes sign near zero, on one side
// of the target: a moment lies between the day and the next.
struct Bracket {
    std::uint32_t run = 0;
    std::int16_t day = 0;
    std::uint8_t side = 0;  // 0: the aspect angle ahead of the target, 1: behind it
};

// The distance from exact of a run's mover and target on one side, at scanned days and at any
// moment.
class RunDistance {
public:
    RunDistance(MomentEvaluator& at, const ScanResult& scan, const ScanRun& run, int side)
        : at_(at),
          // The scan keeps the twelve's longitudes; an extra point's are computed.
          kept_(HasExtraPoint(run) ? nullptr : at.Kept(scan.ScanDays)),
          run_(run),
          mover_(static_cast<std::size_t>(run.mover - 1)),
          target_(static_cast<std::size_t>(run.target - 1)),
          progressedTarget_(run.family == AspectFamily::TransitToProgressed),
          natalTarget_(at.Natal(run.target)),
          offset_(side == 0 ? AspectAngle(run.AspectCode) : -AspectAngle(run.AspectCode)) {}

    // `day` is one of the scan's days.
    double OnDay(int day) const { return FromSeparation(SeparationOnDay(day)); }
    // The mover's longitude less the target's on one of the scan's days, the same on either side.
    double SeparationOnDay(int day) const {
        if (kept_) {
            // The scan's own samples, read straight.
            const auto d = static_cast<std::size_t>(day);
            const double target = progressedTarget_ ? kept_->progressed[d][target_] : natalTarget_;
            return kept_->transit[d][mover_] - target;
        }
        const double target = progressedTarget_ ? at_.ProgressedOnDay(run_.target, day) : natalTarget_;
        return at_.TransitOnDay(run_.mover, day) - target;
    }
    double FromSeparation(double separation) const { return Signed180(separation - offset_); }
    // The distance from exact of these positions.
    double Of(double mover, double target) const { return Signed180(mover - target - offset_); }
    double Mover(double day) const { return at_.Transit(run_.mover, day); }
    double Target(double day) const { return progressedTarget_ ? at_.Progressed(run_.target, day) : natalTarget_; }

private:
    MomentEvaluator& at_;
    const ScanLongitudes* kept_;
    const ScanRun& run_;
    std::size_t mover_, target_;  // BodyIndex - 1
    bool progressedTarget_;
    double natalTarget_;
    double offset_;
};

// The brackets of run `r`, appended in the order the moments are given: one side of the target,
// then the other, each by day. Only the scanned days are looked at.
void AddRunBrackets(MomentEvaluator& at, const ScanResult& scan, std::uint32_t r,
                    std::vector<Bracket>& brackets) {
    const ScanRun& run = scan.runs[r];
    if (!HasExactMoments(run.family)) return;
    // The aspect is made on either side of the target; 0 and 180 degrees have one side.
    const double angle = AspectAngle(run.AspectCode);
    const int sides = angle == 0.0 || angle == 180.0 ? 1 : 2;
    const int from = std::max(run.firstDay - 1, 0);
    const int to = std::min(run.lastDay + 1, scan.ScanDays - 1);
    // Both sides in one pass over the days, from the same separations; the second side's brackets
    // follow the first's.
    const std::array<RunDistance, 2> distances = {RunDistance(at, scan, run, 0),
                                                  RunDistance(at, scan, run, 1)};
    std::array<double, 2> before{};
    const double first = distances[0].SeparationOnDay(from);
    for (int side = 0; side < sides; ++side) before[side] = distances[side].FromSeparation(first);
    std::vector<Bracket> later;  // the second side's, until the pass ends
    for (int d = from; d < to; ++d) {
        const double separation = distances[0].SeparationOnDay(d + 1);
        for (int side = 0; side < sides; ++side) {
            const double after = distances[side].FromSeparation(separation);
            const double prior = before[side];
            before[side] = after;
            // A change of sign near zero; the jump at the far side (180 degrees away) is not one.
            const bool crosses = (prior < 0 && after >= 0) || (prior > 0 && after <= 0);
            if (!crosses || std::fabs(prior) >= 90 || std::fabs(after) >= 90) continue;
            const Bracket b{r, static_cast<std::int16_t>(d), static_cast<std::uint8_t>(side)};
            (side == 0 ? brackets : later).push_back(b);
        }
    }
    brackets.insert(brackets.end(), later.begin(), later.end());
}

// What a cubic through four daily samples of the distance from exact (the bracket's two days and
// their neighbours, shifted inwards at the ends of the scan) expects of the crossing in the bracket
// from `day` to the next day, whose samples are f0 and f1. None when the scan is shorter than four
// days or the cubic finds no crossing in the bracket.
std::optional<CrossingGuess> GuessCrossing(const RunDistance& distance, int day, int scanDays, double f0, double f1) {
    if (scanDays < 4) return std::nullopt;
    const int first = std::clamp(day - 1, 0, scanDays - 4);
    std::array<double, 4> y{};
    for (std::size_t k = 0; k < y.size(); ++k) {
        // Taken continuous through the bracket's first sample (no turn of 360 degrees between).
        const int sampled = first + static_cast<int>(k);
        const double f = sampled == day ? f0 : sampled == day + 1 ? f1 : distance.OnDay(sampled);
        y[k] = f0 + Signed180(f - f0);
    }
    // Forward differences; s counts days from `first`.
    const double d1 = y[1] - y[0];
    const double d2 = y[2] - 2 * y[1] + y[0];
    const double d3 = y[3] - 3 * y[2] + 3 * y[1] - y[0];
    const auto value = [&](double s) { return y[0] + s * (d1 + (s - 1) * (d2 / 2 + (s - 2) * d3 / 6)); };
    const auto rate = [&](double s) { return d1 + d2 * (2 * s - 1) / 2 + d3 * (3 * s * s - 6 * s + 2) / 6; };
    const double offset = day - first;
    // Newton's steps from the straight line's crossing.
    double x = f0 / (f0 - f1);
    for (int i = 0; i < 4; ++i) {
        const double r = rate(x + offset);
        if (r == 0) return std::nullopt;
        x -= value(x + offset) / r;
    }
    if (!(x >= 0 && x <= 1)) return std::nullopt;
    const double s = x + offset;
    CrossingGuess guess;
    guess.at = day + x;
    guess.rate = rate(s);
    // The rate's own change over a tolerance, and the cubic's error, which the next difference
    // would measure and which stays well below a quarter of the third for the planets' motions.
    guess.rateUncertainty = std::fabs(d2 + d3 * (s - 1)) * StopDays + std::fabs(d3) / 4;
    return guess;
}

// The moment within a bracket, with both positions there. The search is guided by the cubic through
// the daily samples, which spares the evaluations whose outcome it foretells; the moment and the
// positions are those of the search without it.
ExactMoment MomentIn(MomentEvaluator& at, const ScanResult& scan, const Bracket& b) {
    RunDistance distance(at, scan, scan.runs[b.run], b.side);
    const double f0 = distance.OnDay(b.day), f1 = distance.OnDay(b.day + 1);
    // The positions at the last two moments looked at, one of which is often the moment found.
    struct Looked {
        double day = -1, mover = 0, target = 0;
    };
    std::array<Looked, 2> looked{};
    const auto event = [&](double day) {
        looked[1] = looked[0];
        looked[0] = {day, distance.Mover(day), distance.Target(day)};
        return distance.Of(looked[0].mover, looked[0].target);
    };
    const std::optional<CrossingGuess> guess = GuessCrossing(distance, b.day, scan.ScanDays, f0, f1);
    const double day = RefineCrossing(event, b.day, f0, b.day + 1, f1, StopDays, guess ? &*guess : nullptr);
    ExactMoment moment;
    moment.run = b.run;
    moment.jd = scan.DiurnalJD + day;
    const auto seen = std::find_if(looked.begin(), looked.end(), [&](const Looked& l) { return l.day == day; });
    moment.moverLong = seen != looked.end() ? seen->mover : distance.Mover(day);
    moment.targetLong = seen != looked.end() ? seen->target : distance.Target(day);
    return moment;
}

// The moments of the runs `runs` selects: the brackets first, from the scanned days alone, so
// that the list is made once at its size (it is the largest thing an export of a long scan holds).
template <class Chosen>
std::vector<ExactMoment> MomentsOf(MomentEvaluator& at, const ScanResult& scan,
                                   const Chosen& runs) {
    std::vector<Bracket> brackets;
    for (std::uint32_t r = 0; r < scan.runs.size(); ++r) {
        if (runs(r)) AddRunBrackets(at, scan, r, brackets);
    }
    std::vector<ExactMoment> moments;
    moments.reserve(brackets.size());
    for (const Bracket& b : brackets) moments.push_back(MomentIn(at, scan, b));
    return moments;
}

// Each run's moments in time order (the two sides of a run are found one after the other). The
// moments come run by run, so each run's few are sorted where they stand, the earlier found first
// among equal times.
void SortByRunAndTime(std::vector<ExactMoment>& moments) {
    for (std::size_t first = 0; first < moments.size();) {
        std::size_t last = first + 1;
        while (last < moments.size() && moments[last].run == moments[first].run) ++last;
        for (std::size_t i = first + 1; i < last; ++i) {
            const ExactMoment m = moments[i];
            std::size_t j = i;
            for (; j > first && m.jd < moments[j - 1].jd; --j) moments[j] = moments[j - 1];
            moments[j] = m;
        }
        first = last;
    }
}

}  // namespace

std::vector<ExactMoment> ExactMoments(const ChartState& chart, const EphemerisState& eph,
                                      const Options& options, const ScanResult& scan) {
    return ExactMoments(chart, eph, options, scan, AllFamilies);
}

std::vector<ExactMoment> ExactMoments(const ChartState& chart, const EphemerisState& eph,
                                      const Options& options, const ScanResult& scan, const FamilySet& families,
                                      const ScanLongitudes* scanned) {
    std::vector<ExactMoment> moments;
    if (scan.ScanDays < 2 || scan.runs.empty()) return moments;
    MomentEvaluator at(chart, eph, options, 0, scan.ScanDays, scanned);
    moments = MomentsOf(at, scan, [&](std::uint32_t r) { return families[FamilyIndex(scan.runs[r].family)]; });
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
    moments = MomentsOf(at, scan, [&](std::uint32_t r) { return r == run; });
    SortByRunAndTime(moments);
    return moments;
}

namespace {

// MinuteOf with the calendar date of a day number from `dateOf`.
template <class DateOf>
MinuteTime MinuteWith(double jd, double zoneHoursWest, const DateOf& dateOf) {
    const double minutes = std::round((jd + 0.5 - zoneHoursWest / 24) * 1440);
    const double dayNumber = std::floor(minutes / 1440);
    const int minuteOfDay = static_cast<int>(minutes - dayNumber * 1440);
    MinuteTime t;
    t.date = dateOf(dayNumber);
    t.hour = minuteOfDay / 60;
    t.minute = minuteOfDay % 60;
    return t;
}

}  // namespace

MinuteTime MinuteOf(double jd, double zoneHoursWest) {
    return MinuteWith(jd, zoneHoursWest, [](double dayNumber) { return JulianDayToCalendar(dayNumber); });
}

MinuteTime MinuteOf(double jd, double zoneHoursWest, const CivilDates& dates) {
    return MinuteWith(jd, zoneHoursWest, [&](double dayNumber) { return dates.Of(dayNumber); });
}

namespace {

std::string MinuteTextOf(const MinuteTime& t) {
    // "%02d:%02d"
    return DateDdMmmYyyy(t.date) + " " + std::string(IntegerChars(t.hour, 2).view()) + ":" +
           std::string(IntegerChars(t.minute, 2).view());
}

}  // namespace

std::string MinuteText(double jd, double zoneHoursWest) {
    return MinuteTextOf(MinuteOf(jd, zoneHoursWest));
}

double ZoneHoursWestAt(const MomentClock& clock, double jd) {
    if (clock.zoneName.empty()) return clock.zoneHoursWest;
    const MinuteTime ut = MinuteOf(jd);
    const ClockReading reading{ut.date.year, ut.date.month, ut.date.day, ut.hour, ut.minute, 0};
    const std::optional<ZoneOffset> offset = OffsetAtUniversalTime(clock.zoneName, reading);
    return offset ? -offset->offsetSeconds / 3600.0 : clock.zoneHoursWest;
}

MinuteTime MinuteOf(double jd, const MomentClock& clock) { return MinuteOf(jd, ZoneHoursWestAt(clock, jd)); }

std::string MinuteText(double jd, const MomentClock& clock) {
    return MinuteTextOf(MinuteOf(jd, clock));
}

}  // namespace orrerion
