#include "core/exports/exact_moments.h"

#include <cstdio>

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/aspects/aspect_scan.h"
#include "core/base/zone_history.h"
#include "core/ephemeris/crossing_search.h"

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
// within a quarter of a minute of the crossing. The scan sees each day once, so the search samples
// whole days; a change of sign near zero counts, the jump at the far side (180 degrees away) not.
constexpr CrossingSearch DailySearch{1.0, 0.5 / 1440, 90.0};

// x reduced to -180 < x <= 180.
double Signed180(double x) {
    double r = std::fmod(x, 360.0);
    if (r > 180) r -= 360;
    if (r <= -180) r += 360;
    return r;
}

// Longitudes at scan days, whole or fractional, from one context; whole days are kept, since
// neighbouring runs ask for the same samples.
class MomentEvaluator {
public:
    // Whole days firstDay .. firstDay + dayCount - 1 are kept.
    MomentEvaluator(const ChartState& chart, const EphemerisState& eph, const Options& options,
                    int firstDay, int dayCount)
        : context_(chart, eph, options),
          firstDay_(firstDay),
          transit_(static_cast<std::size_t>(dayCount)),
          progressed_(static_cast<std::size_t>(dayCount)) {}

    double Transit(int body, double day) { return Longitude(transit_, body, day, false); }
    double Progressed(int body, double day) { return Longitude(progressed_, body, day, true); }

private:
    using Row = std::optional<PointArray>;

    double Longitude(std::vector<Row>& rows, int body, double day, bool progressed) {
        const auto b = static_cast<std::size_t>(body);
        const double at = day - firstDay_;
        if (std::floor(at) == at && at >= 0 && at < static_cast<double>(rows.size())) {
            Row& row = rows[static_cast<std::size_t>(at)];
            if (!row) row = Compute(day, progressed);
            return (*row)[b];
        }
        return Compute(day, progressed)[b];
    }

    PointArray Compute(double day, bool progressed) {
        if (progressed) {
            ProgressedLongitudesAt(context_, day);
        } else {
            TransitLongitudesAt(context_, day);
        }
        return context_.eph.WorkLong;
    }

    ScanDayContext context_;
    int firstDay_;
    std::vector<Row> transit_, progressed_;
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
        for (const CrossingMoment& crossing : FindCrossings(distance, from, to, DailySearch)) {
            const double day = crossing.at;
            ExactMoment moment;
            moment.run = r;
            moment.jd = scan.DiurnalJD + day;
            moment.moverLong = moverAt(day);
            moment.targetLong = targetAt(day);
            moments.push_back(moment);
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
    std::vector<ExactMoment> moments;
    if (scan.ScanDays < 2 || scan.runs.empty()) return moments;
    MomentEvaluator at(chart, eph, options, 0, scan.ScanDays);
    for (std::uint32_t r = 0; r < scan.runs.size(); ++r) AddRunMoments(at, chart, scan, r, moments);
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
    char clock[8];
    std::snprintf(clock, sizeof clock, "%02d:%02d", t.hour, t.minute);
    return DateInOrder(t.date, DateOrder) + " " + clock;
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
