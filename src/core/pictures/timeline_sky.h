#pragma once
// The "Sky" group of the timeline: the sky's own events over the scanned days, above the aspect
// lanes. Each planet (and each chosen extra point that stations: Chiron, the asteroids) with a
// retrograde period or a station in the span has a row of its own (the periods as bars, the
// stations as marks at their ends); the sign ingresses, the house ingresses, the lunations and the
// eclipses have a row each of marks, and the void-of-course Moon a thin band.
// An eclipse that falls on a natal point stands out. Laid out once, as plain data; the window and
// the SVG draw the same rows.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/events/sky_events.h"
#include "core/pictures/colours.h"
#include "core/pictures/timeline_layout.h"

namespace orrerion {

struct SkyRow {
    SkyEventKind kind = SkyEventKind::Ingress;  // Retrograde: a planet's periods and stations
    int body = 0;  // the planet (or ExtraPointBody) of a Retrograde row; 0 otherwise
    std::vector<std::uint32_t> events;          // indices into TimelineSky::events, in time order
};

struct TimelineSky {
    std::vector<SkyEvent> events;
    std::vector<SkyRow> rows;
};

// The rows of `events` (as FindSkyEvents gives them), in the order described at the top; rows
// without events are left out.
TimelineSky LayOutSky(std::vector<SkyEvent> events);

// "MERCURY retrograde", "Sign ingresses", "Eclipses".
std::string SkyRowLabel(const SkyRow& row);
// "☿ ℞" for a planet's row; the kind's mark otherwise.
std::string SkyRowGlyphLabel(const SkyRow& row);

// Which sky events are shown: bit SkyEventKindIndex(kind).
using SkyKinds = std::uint8_t;
inline constexpr SkyKinds AllSkyKinds = 0x7F;
bool ShowsKind(SkyKinds kinds, SkyEventKind kind);

// The rows of the Sky group as a picture's rows: its heading, then each row that holds a kind
// shown. A sky row is SkyRowFlag | its index; the heading is SkyHeadingRow. Nothing when no kind
// is shown or the sky holds no event.
inline constexpr std::uint32_t SkyRowFlag = 0x40000000u;
inline constexpr std::uint32_t SkyHeadingRow = HeadingRowFlag | 0x3FFFFFFFu;
inline bool IsSkyRow(std::uint32_t row) { return (row & HeadingRowFlag) == 0 && (row & SkyRowFlag) != 0; }
std::vector<std::uint32_t> SkyRows(const TimelineSky& sky, SkyKinds kinds);
inline constexpr std::string_view SkyTitle = "Sky";

// An event as drawn: a bar from x0 to x1 (a period) or a mark around x (a moment).
struct SkyShape {
    double x0 = 0, x1 = 0, y = 0, h = 0;
    bool period = false;
    ColourRole role = ColourRole::Minor;
    bool strong = false;  // an eclipse on a natal point
};

// The scan day (fractional) of a UT Julian date.
inline double SkyDay(double DiurnalJD, double jd) { return jd - DiurnalJD; }

// Calls `draw` for every shown event of the sky rows among `rows` that meets the frame.
void ForEachVisibleSkyEvent(const TimelineSky& sky, double DiurnalJD, std::span<const std::uint32_t> rows,
                            const TimelineFrame& frame, SkyKinds kinds,
                            const std::function<void(std::size_t row, std::uint32_t event, const SkyShape&)>& draw);

// The event under a point of the frame's bar area, if any (within `slackPixels` across).
std::optional<std::uint32_t> SkyEventAt(const TimelineSky& sky, double DiurnalJD, std::span<const std::uint32_t> rows,
                                        const TimelineFrame& frame, SkyKinds kinds, double x, double y,
                                        double slackPixels = 3.0);

}  // namespace orrerion
