#pragma once
// The timeline window's rules that need no pixels: which days and lanes the view shows and how
// zoom, pan and the keys move it; the filter from the window's choices; what hovering a bar says;
// the pages of a print. An export proposes ProposedPictureFileName(name, "timeline", ...).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/aspects/scan_result.h"
#include "core/exports/exact_moments.h"
#include "core/pictures/timeline_layout.h"
#include "core/events/sky_events.h"
#include "core/pictures/timeline_output.h"
#include "core/records/settings_file.h"
#include "gui/pictures/wheel_presenter.h"

namespace orrerion::gui {

// The days and rows on show. Days [fromDay, fromDay + days) of the scan's [0, scanDays); rows
// from firstRow, `visibleRows` of them fitting the view.
struct TimelineViewport {
    int scanDays = 1;
    std::size_t rows = 0;
    double visibleRows = 1.0;
    double fromDay = 0.0;
    double days = 1.0;
    double firstRow = 0.0;

    static constexpr double MinDays = 7.0;

    // The whole span; rows from the top.
    void ShowAll(int scanDays, std::size_t rows);
    // Zooms in (factor above 1) or out, keeping `anchorDay` where it stands on the screen.
    void ZoomAround(double factor, double anchorDay);
    void PanDays(double delta);
    void PanRows(double delta);
    // Keeps the days inside the scan and the rows inside the lanes.
    void Clamp();
};

// What a key does to the view: arrows pan a tenth of the view (left/right) or a lane (up/down);
// Page Up/Down a view's height of lanes, with Ctrl a whole view of days; Home/End the start or
// end of the scan (with Ctrl also the first or last lanes); + and - zoom around the middle.
enum class TimelineKey { Left, Right, Up, Down, PageUp, PageDown, Home, End, ZoomIn, ZoomOut };
void ApplyTimelineKey(TimelineViewport& view, TimelineKey key, bool control);

// The window's filter: the families ticked, and one mover, aspect and target (0: any).
struct TimelineChoice {
    FamilySet families = AllFamilies;
    int mover = 0;       // BodyIndex, or 0 for any
    int AspectCode = 0;  // 2..10, or 0 for any
    int target = 0;      // BodyIndex, or 0 for any
};
TimelineFilter FilterOf(const TimelineChoice& choice);

// The hover text of a run: its report line, first and last date, the exact dates, the orb at
// exact (the smallest within the run) and, for a transiting mover, each moment it is exact
// (`moments`, the run's own) in UT and in the diurnal place's clock (the zone as typed, or its
// IANA zone's offset at each moment); dates as "05 Jan 2027", as every picture window writes them.
std::string RunHoverText(const TimelineLayout& layout, const ScanResult& scan, const TimelineRun& run,
                         const std::vector<ExactMoment>& moments = {},
                         const MomentClock& localClock = {});
// The hover text of a sky event: what happened, when (UT and the diurnal place's clock) and, for a
// period, until when.
std::string SkyEventHoverText(const SkyEvent& event, const MomentClock& localClock);
// The longest scan whose sky events the window finds at once (ten years); a longer scan finds them
// when they are chosen.
inline constexpr int SkyShownDays = 3660;

// The heading of the data window listing that holds a run's line, and the line.
struct RunListingLine {
    std::string heading;  // "Transit to natal planet aspects - sorted by planet"
    std::string line;
};
RunListingLine ListingLineOf(const ScanResult& scan, const TimelineRun& run);

// The pages of a print: slices of `daysPerPage` along the time axis, each slice's lanes (those
// with a run in it) cut into pages of at most `lanesPerPage`.
struct TimelinePrintPage {
    TimelinePart part;
};
std::vector<TimelinePrintPage> TimelinePrintPages(const TimelineLayout& layout, const TimelineFilter& filter,
                                                  double daysPerPage, std::size_t lanesPerPage);


// The window's notes: before any chart, and for a chart whose scan was not run (the day question
// answered with no days or cancelled, the day count refused, or the report files not written).
inline constexpr const char* NoScanYetText =
    "No scan yet. Calculate a chart and answer \"Enter number of days:\" with a number of days: the "
    "timeline shows the aspects found.";
inline constexpr const char* ScanNotRunText =
    "Scan not run for this chart. Calculate it again and answer \"Enter number of days:\" with a "
    "number of days: the timeline shows the aspects found.";
inline const char* MissingScanText(bool chartComputed) { return chartComputed ? ScanNotRunText : NoScanYetText; }

}  // namespace orrerion::gui
