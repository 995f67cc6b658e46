#pragma once
// The timeline's layout painted with QPainter: the lanes' labels left of the frame, the time axis
// above it, the runs of the visible lanes and days (runs narrower than a pixel as one mark per
// lane and pixel column), and the diurnal date. The window, printing and PNG and PDF export use it.
#include <QRectF>
#include <cstdint>
#include <optional>
#include <span>

#include "core/pictures/timeline_layout.h"
#include "core/pictures/timeline_output.h"

class QPainter;

namespace orrerion::gui {

struct TimelinePaint {
    const TimelineLayout& layout;
    std::span<const std::uint32_t> lanes;  // the shown lanes, in order
    TimelineFrame frame;
    double labelLeft = 0.0;                // where the label column starts
    int DateOrder = 0;
    std::optional<std::uint32_t> highlight;  // a run drawn outlined (the one under the pointer)
    bool noRuns = false;                     // the scan found nothing: the note on the empty axis
    // Whether the symbol font has every lane symbol (LaneSymbolsInFont); else the labels show
    // short texts ("Sa sq Su"). Asked once, not per lane, because the question costs a paint.
    bool symbols = true;
    // The Sky group's events, drawn in its rows among `lanes` (none without a sky).
    const TimelineSky* sky = nullptr;
    SkyKinds skyKinds = AllSkyKinds;
    std::optional<std::uint32_t> skyHighlight;  // a sky event drawn outlined
};

bool LaneSymbolsInFont();

void PaintTimeline(QPainter& painter, const TimelinePaint& paint);

// A whole picture of `part` on `sheet` (its units), scaled to fit `target`.
void PaintTimelineSheet(QPainter& painter, const TimelineLayout& layout, const TimelinePart& part,
                        const TimelineSheet& sheet, int DateOrder, const QRectF& target);

}  // namespace orrerion::gui
