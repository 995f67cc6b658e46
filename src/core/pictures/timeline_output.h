#pragma once
// The timeline as a whole picture: the part of the scan it shows, its sheet (sizes in picture
// units), its SVG (the same picture the window paints; each run one element of class "run" with
// its family, dates and exact dates as data- attributes) and its layout as JSON.
#include <cstdint>
#include <string>
#include <vector>

#include "core/aspects/scan_result.h"
#include "core/io/text_sink.h"
#include "core/pictures/timeline_layout.h"
#include "core/pictures/timeline_sky.h"

namespace orrerion {

// Which days and lanes a picture shows: days [fromDay, toDay) and the lanes the filter keeps that
// have a run meeting those days, in layout order.
struct TimelinePart {
    double fromDay = 0.0, toDay = 1.0;
    std::vector<std::uint32_t> lanes;  // the rows: the Sky group's first when it is shown
    // The sky's events drawn above the lanes, and which kinds; none without events asked for.
    const TimelineSky* sky = nullptr;
    SkyKinds skyKinds = AllSkyKinds;
};
TimelinePart ChooseTimelinePart(const TimelineLayout& layout, const TimelineFilter& filter, double fromDay,
                                double toDay);
// The Sky group's rows (SkyRows) put before the part's lanes, for `sky`'s events of `kinds`.
void AddSkyToPart(TimelinePart& part, const TimelineSky& sky, SkyKinds kinds);
// The runs of the part's lanes that meet its days.
std::size_t PartRunCount(const TimelineLayout& layout, const TimelinePart& part);

// The sizes of a picture of the timeline, in picture units (pixels of a PNG).
struct TimelineSheet {
    double width = 1600.0;
    double labelWidth = 280.0;  // the lane labels' column
    double axisHeight = 40.0;   // the time axis above the lanes
    double laneHeight = 16.0;
    double margin = 6.0;
    // Above the axis of an exported or printed picture: its title (chart, span, families) at the
    // left, the key to the bars' colours, and at the right the page ("Page 2 of 5") when printed.
    // No heading when `headingHeight` is 0.
    double headingHeight = 0.0;
    std::string title;
    std::string page;
};

// The heading's height when a picture has one.
inline constexpr double TimelineHeadingHeight = 44.0;

// "John Smith · 07 Dec 2026 to 06 Dec 2036 · T→N, P→P": the chart, the days and the families the
// part shows.
std::string TimelineTitle(const TimelineLayout& layout, const TimelinePart& part, const std::string& chartName);
// "T→N", "SA→N", "P→N", "P→P", "T→P": the family's movers and targets.
std::string FamilyShortName(AspectFamily family);
// The key under the title: each aspect role with its aspects' symbols ("Hard ☌ □ ☍").
struct TimelineLegendEntry {
    ColourRole role;
    std::string text;
};
std::vector<TimelineLegendEntry> TimelineLegend();
// "Page 2 of 5".
std::string PageText(int page, int pages);
// The frame of the whole part on the sheet, and the sheet's height (at least one lane high).
TimelineFrame SheetFrame(const TimelineSheet& sheet, const TimelinePart& part);
double SheetHeight(const TimelineSheet& sheet, const TimelinePart& part);

// Shown instead of lanes when a scan found nothing.
inline constexpr const char* NoRunsText = "The scan found no aspect in orb over these days.";

// Sizes of the picture's texts relative to a lane.
inline constexpr double LaneTextScale = 0.68;
inline constexpr double AxisTextSize = 11.0;
// The heading's title size and the room each key of the heading takes after its swatch.
inline constexpr double TimelineHeadingSize = 15.0;
inline constexpr double TimelineKeyWidth = 120.0;
// The width of the symbols' part of a lane label; the names follow it.
inline constexpr double GlyphLabelWidth = 64.0;

// The picture and the layout written into `out` run by run, never held whole.
void WriteTimelineSvg(TextSink& out, const TimelineLayout& layout, const ScanResult& scan, const TimelinePart& part,
                      const TimelineSheet& sheet, int DateOrder, const std::string& title);
void WriteTimelineJson(TextSink& out, const TimelineLayout& layout, const ScanResult& scan, const TimelinePart& part);
// The same as strings.
std::string TimelineSvg(const TimelineLayout& layout, const ScanResult& scan, const TimelinePart& part,
                        const TimelineSheet& sheet, int DateOrder, const std::string& title);
std::string TimelineJson(const TimelineLayout& layout, const ScanResult& scan, const TimelinePart& part);

}  // namespace orrerion
