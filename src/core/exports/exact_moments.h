#pragma once
// The moments at which the transits of a scan are exact. The scan sees each day once, at the
// diurnal clock time; between two such samples where the mover's distance from the target, less
// the aspect angle, changes sign, the moment is found by bisection with the scan's own source of
// positions and its own arithmetic of instants, so that every moment lies between the two days
// the scan saw change. Transits to progressed points move the target too: it is taken at the same
// moment. Computed on request, for the exports and tooltips; the scan never waits for it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/scan_result.h"
#include "core/base/formatters.h"
#include "core/base/options.h"
#include "core/chart/chart_state.h"
#include "core/ephemeris/ephemeris.h"

namespace orrerion {

struct ExactMoment {
    std::uint32_t run = 0;     // index in ScanResult::runs
    double jd = 0.0;           // UT Julian date, no delta T; within half a minute of exact
    double moverLong = 0.0;    // degrees 0..360 at the moment
    double targetLong = 0.0;   // degrees 0..360 at the moment (a natal target's fixed place)
};

// Whether a family's mover is a transiting body: only those runs have exact moments.
bool HasExactMoments(AspectFamily family);

// The aspect angle of an AspectCode (2..10), degrees.
double AspectAngle(int AspectCode);

// Every exact moment of the runs of TransitToNatal and TransitToProgressed, in the order of
// `scan.runs` and by time within a run. A run that makes its aspect exact more than once (a
// retrograde loop) gives every moment; one that only comes close gives none. Moments are looked
// for from the day before a run's first day to the day after its last, within the scanned days.
// `chart`, `eph` and `options` are the calculation's after its scan (the charts, the source of
// positions and the option of the progressed angles the scan used).
std::vector<ExactMoment> ExactMoments(const ChartState& chart, const EphemerisState& eph,
                                      const Options& options, const ScanResult& scan);
// Those of the runs of the chosen families only; the other runs' moments are never computed. With
// `scanned`, the longitudes the scan kept of every day (ScanSettings::longitudes), the search reads
// its daily samples there and computes only the instants between them.
std::vector<ExactMoment> ExactMoments(const ChartState& chart, const EphemerisState& eph,
                                      const Options& options, const ScanResult& scan, const FamilySet& families,
                                      const ScanLongitudes* scanned = nullptr);
// The same for one run (an index in `scan.runs`), for a tooltip.
std::vector<ExactMoment> ExactMomentsOfRun(const ChartState& chart, const EphemerisState& eph,
                                           const Options& options, const ScanResult& scan, std::uint32_t run);

// A moment rounded to the nearest minute: its civil date and clock time.
struct MinuteTime {
    CalendarDate date;
    int hour = 0;
    int minute = 0;
};
// `jd` (UT) rounded to the minute, in UT or, with `zoneHoursWest`, in the clock time of that zone.
MinuteTime MinuteOf(double jd, double zoneHoursWest = 0.0);
// The same, the date read from `dates` (the same date, found sooner for the days it holds).
MinuteTime MinuteOf(double jd, double zoneHoursWest, const CivilDates& dates);
// "13 Jan 2027 05:57": MinuteOf's date and clock time, as the picture windows write a moment.
std::string MinuteText(double jd, double zoneHoursWest);

// The clock the moments are shown in, the diurnal place's: the diurnal zone as typed, or, when the
// place's IANA zone is known, that zone's offset in force at each moment, daylight saving and
// war time included.
struct MomentClock {
    double zoneHoursWest = 0.0;  // the diurnal zone as typed; also for a name the database lacks
    std::string zoneName;        // "Europe/Paris"; empty: zoneHoursWest at every moment
};
// The clock's zone, hours west, at the UT minute of `jd` (jd rounded to the nearest minute, so
// that a moment and its clock time agree about a change of the clocks).
double ZoneHoursWestAt(const MomentClock& clock, double jd);
// MinuteOf and MinuteText in that clock.
MinuteTime MinuteOf(double jd, const MomentClock& clock);
std::string MinuteText(double jd, const MomentClock& clock);

}  // namespace orrerion
