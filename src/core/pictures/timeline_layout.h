#pragma once
// The timeline of a scan laid out as plain data: one lane per mover, aspect and target that has at
// least one run (a progressed to progressed pair once, not once each way), grouped by family in the order of the sorted-by-date files and, within a family,
// ordered by the start of the lane's first run; each run a bar from its first to its last day with
// its exact days marked. The time axis runs in scan days (day 0 is the diurnal date, a day covers
// [d, d + 1)); its ticks adapt to the zoom. Painters map it onto their area through a
// TimelineFrame: the window with QPainter (zoomed, panned and filtered), the command line as SVG.
// Computed once per scan; a paint visits only the lanes and days it shows.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/aspects/scan_result.h"
#include "core/ephemeris/extra_points.h"
#include "core/pictures/colours.h"

namespace orrerion {

// One bar. Kept small: a 32767-day scan has tens of thousands of them.
struct TimelineRun {
    std::uint32_t scanRun = 0;  // index in ScanResult::runs
    std::uint32_t marksAt = 0;  // first exact day in TimelineLayout::marks
    std::uint32_t lane = 0;
    std::int16_t firstDay = 0;
    std::int16_t lastDay = 0;
    std::uint16_t markCount = 0;
    bool continuesBefore = false;  // begins on the first scanned day (the reports' '<')
    bool continuesAfter = false;   // ends on the last scanned day (the reports' '>')
};
static_assert(sizeof(TimelineRun) <= 24);

// One row: a mover making one aspect to one target, with its runs in day order.
struct TimelineLane {
    AspectFamily family = AspectFamily::TransitToNatal;
    std::uint8_t mover = 0;       // BodyIndex
    std::uint8_t AspectCode = 0;  // 2..10
    std::uint8_t target = 0;      // BodyIndex
    ColourRole role = ColourRole::Hard;
    std::uint32_t runsAt = 0;     // first run in TimelineLayout::runs
    std::uint32_t runCount = 0;
};

struct TimelineLayout {
    double DiurnalJD = 0.0;  // UT Julian date of day 0
    int ScanDays = 0;
    std::vector<TimelineLane> lanes;
    std::vector<TimelineRun> runs;      // lane by lane, each lane's in day order
    std::vector<std::int16_t> marks;    // exact days, each run's in day order

    std::span<const TimelineRun> RunsOf(const TimelineLane& lane) const {
        return std::span<const TimelineRun>(runs).subspan(lane.runsAt, lane.runCount);
    }
    std::span<const std::int16_t> MarksOf(const TimelineRun& run) const {
        return std::span<const std::int16_t>(marks).subspan(run.marksAt, run.markCount);
    }
    // Bytes held, reserved space included.
    std::size_t ByteCount() const;
};

// The exact days of a run: for transits to natal the dates of the exact-date listing (minima under
// one degree) inside it; for the other families the middle day of each stretch of smallest orb.
// Lanes and runs as described at the top.
TimelineLayout LayOutTimeline(const ScanResult& scan);

// "Tr SATURN square SUN", "Pr SUN trine Pr MOON" (mover and target named by their set).
std::string LaneLabel(const TimelineLane& lane);
// The symbols of mover, aspect and target: "♄ □ ☉" (the names' label says which charts).
std::string LaneGlyphLabel(const TimelineLane& lane);
// The family's place in the order of the lanes (the sorted-by-date files' order), from 0; lanes
// of odd places are drawn on a band.
std::size_t FamilyRank(AspectFamily family);
// The family's heading: "Transit to natal planet aspects".
std::string_view FamilyTitle(AspectFamily family);

// Which lanes are shown: bit FamilyIndex(f) of families, bit (BodyIndex - 1) or (ExtraPointBody -
// 1) of movers and targets, bit (AspectCode - 2) of aspects.
struct TimelineFilter {
    static constexpr std::uint32_t AllPoints = (1u << PointSlotCount) - 1;
    std::uint8_t families = 0x1F;
    std::uint32_t movers = AllPoints;
    std::uint16_t aspects = 0x1FF;
    std::uint32_t targets = AllPoints;
    bool Shows(const TimelineLane& lane) const;
};
// The indices of the shown lanes in layout order.
std::vector<std::uint32_t> ShownLanes(const TimelineLayout& layout, const TimelineFilter& filter);

// The rows a picture draws: the shown lanes with each family's heading row before its first lane.
// A heading row is HeadingRowFlag | FamilyIndex(family); every user of rows skips or draws it.
inline constexpr std::uint32_t HeadingRowFlag = 0x80000000u;
inline bool IsHeadingRow(std::uint32_t row) { return (row & HeadingRowFlag) != 0; }
// A lane's row: neither a heading nor a row of the Sky group (core/pictures/timeline_sky.h, whose
// rows carry the flag 0x40000000).
inline bool IsLaneRow(std::uint32_t row) { return (row & (HeadingRowFlag | 0x40000000u)) == 0; }
AspectFamily HeadingFamily(std::uint32_t row);
std::vector<std::uint32_t> WithFamilyHeadings(const TimelineLayout& layout, std::span<const std::uint32_t> lanes);

// "2027-01-05" of a scan day; and the scan day of such a date (nothing for another text).
std::string IsoDateOfDay(double DiurnalJD, int day);
std::optional<int> DayOfIsoDate(double DiurnalJD, std::string_view iso);

// ---- The time axis ------------------------------------------------------------------------------

enum class TickUnit { Day, Month, Year };
struct TimelineTick {
    double day = 0.0;     // where the tick stands (the start of that day)
    bool major = false;   // carries a label
    std::string label;    // "2027", "Jan 2027" ("2027 Jan" in year-first order), "05 Jan 2027"
};

// Ticks over [fromDay, toDay) for `pixelsPerDay`: days, months or years, as many as leave about
// `minLabelSpacing` pixels between labels, with small ticks on the months when they stand at least
// 4 pixels apart. Days are written as every date in the picture windows, with the month as a word
// and four digits of year; a month puts its year first in DateOrder 2 (y/m/d).
std::vector<TimelineTick> TimelineTicks(double DiurnalJD, double fromDay, double toDay, double pixelsPerDay,
                                        int DateOrder, double minLabelSpacing = 90.0);
TickUnit TickUnitFor(double pixelsPerDay, double minLabelSpacing = 90.0);

// Where a tick's label starts: just right of the tick, or just left of it when it would run past
// `right` (the last label of the axis is not cut). `width` is the label's width.
double TickLabelLeft(double tickX, double width, double right);

// ---- Mapping onto a drawing area ---------------------------------------------------------------

// A part of the layout on a drawing area: days [fromDay, toDay) across the bar area (left ..
// left + width), shown lanes from `firstRow` (may be fractional) down from `top`, `laneHeight`
// each. The label column lies left of `left`, the axis above `top`.
struct TimelineFrame {
    double fromDay = 0.0, toDay = 1.0;
    double left = 0.0, top = 0.0, width = 1.0, height = 1.0;
    double laneHeight = 18.0;
    double firstRow = 0.0;

    double PixelsPerDay() const { return width / (toDay - fromDay); }
    double X(double day) const { return left + (day - fromDay) * PixelsPerDay(); }
    double DayAt(double x) const { return fromDay + (x - left) / PixelsPerDay(); }
    double RowTop(std::size_t row) const { return top + (static_cast<double>(row) - firstRow) * laneHeight; }
    // The rows (indices into the shown lanes) that meet the area: [first, last).
    std::pair<std::size_t, std::size_t> VisibleRows(std::size_t rowCount) const;
};

// A bar as drawn: x0..x1 across, y..y + h down, the exact days' x positions, and whether it
// is drawn open at either end (the run goes on beyond the scan or beyond the frame).
struct RunShape {
    double x0 = 0, x1 = 0, y = 0, h = 0;
    bool openStart = false, openEnd = false;
    bool mark = false;  // a run (or several) narrower than a pixel, drawn as one mark
};

// Calls `draw` for every run of the shown lanes (heading rows have none) that meets the frame,
// row by row. With
// `aggregate`, runs narrower than a pixel that fall into a pixel column already drawn in their
// lane are skipped, so that a paint costs at most one mark per lane and pixel column.
void ForEachVisibleRun(const TimelineLayout& layout, std::span<const std::uint32_t> shownLanes,
                       const TimelineFrame& frame, bool aggregate,
                       const std::function<void(std::size_t row, const TimelineRun&, const RunShape&)>& draw);

// The run under a point of the frame's bar area, if any (within `slackPixels` across).
std::optional<std::uint32_t> RunAt(const TimelineLayout& layout, std::span<const std::uint32_t> shownLanes,
                                   const TimelineFrame& frame, double x, double y, double slackPixels = 2.0);

// How dark a bar is drawn: its opacity at the ends and at the exact days.
inline constexpr double RunOpacityFar = 0.3;
inline constexpr double RunOpacityExact = 1.0;
// The outline of a bar's darker core: a band that widens to the bar's full height at each exact
// day and narrows to nothing at the run's ends (a run without exact days has none), cut to the
// part of the bar that is drawn. Points in drawing order, a closed polygon.
std::vector<std::pair<double, double>> RunCoreOutline(const TimelineLayout& layout, const TimelineRun& run,
                                                      const RunShape& shape, const TimelineFrame& frame);

// The arrow that marks an open end: a triangle pointing out of the bar, at its start or end.
std::array<std::pair<double, double>, 3> OpenEndArrow(const RunShape& shape, bool atStart);

}  // namespace orrerion
