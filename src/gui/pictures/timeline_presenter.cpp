#include "gui/pictures/timeline_presenter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/report_files.h"

namespace orrerion::gui {

void TimelineViewport::ShowAll(int days_, std::size_t rows_) {
    scanDays = std::max(1, days_);
    rows = rows_;
    fromDay = 0;
    days = scanDays;
    firstRow = 0;
    Clamp();
}

void TimelineViewport::Clamp() {
    const double span = std::max(1, scanDays);
    days = std::clamp(days, std::min(MinDays, span), span);
    fromDay = std::clamp(fromDay, 0.0, span - days);
    const double lastTop = std::max(0.0, static_cast<double>(rows) - std::floor(visibleRows));
    firstRow = std::clamp(firstRow, 0.0, lastTop);
}

void TimelineViewport::ZoomAround(double factor, double anchorDay) {
    if (!(factor > 0)) return;
    const double share = (anchorDay - fromDay) / days;
    days /= factor;
    Clamp();
    fromDay = anchorDay - share * days;
    Clamp();
}

void TimelineViewport::PanDays(double delta) {
    fromDay += delta;
    Clamp();
}

void TimelineViewport::PanRows(double delta) {
    firstRow += delta;
    Clamp();
}

void ApplyTimelineKey(TimelineViewport& view, TimelineKey key, bool control) {
    const double page = std::max(1.0, std::floor(view.visibleRows) - 1);
    switch (key) {
        case TimelineKey::Left: view.PanDays(-view.days / 10); break;
        case TimelineKey::Right: view.PanDays(view.days / 10); break;
        case TimelineKey::Up: view.PanRows(-1); break;
        case TimelineKey::Down: view.PanRows(1); break;
        case TimelineKey::PageUp: control ? view.PanDays(-view.days) : view.PanRows(-page); break;
        case TimelineKey::PageDown: control ? view.PanDays(view.days) : view.PanRows(page); break;
        case TimelineKey::Home:
            view.fromDay = 0;
            if (control) view.firstRow = 0;
            view.Clamp();
            break;
        case TimelineKey::End:
            view.fromDay = view.scanDays;
            if (control) view.firstRow = static_cast<double>(view.rows);
            view.Clamp();
            break;
        case TimelineKey::ZoomIn: view.ZoomAround(1.5, view.fromDay + view.days / 2); break;
        case TimelineKey::ZoomOut: view.ZoomAround(1 / 1.5, view.fromDay + view.days / 2); break;
    }
}

TimelineFilter FilterOf(const TimelineChoice& choice) {
    TimelineFilter filter;
    filter.families = 0;
    for (std::size_t i = 0; i < FamilyCount; ++i) {
        if (choice.families[i]) filter.families |= static_cast<std::uint8_t>(1u << i);
    }
    if (choice.mover > 0) filter.movers = 1u << (choice.mover - 1);
    if (choice.AspectCode > 0) filter.aspects = static_cast<std::uint16_t>(1u << (choice.AspectCode - 2));
    if (choice.target > 0) filter.targets = 1u << (choice.target - 1);
    return filter;
}

std::string RunHoverText(const TimelineLayout& layout, const ScanResult& scan, const TimelineRun& run,
                         const std::vector<ExactMoment>& moments, const MomentClock& localClock) {
    const ScanRun& s = scan.runs[run.scanRun];
    std::string text = RunLine(scan, s);
    auto date = [&](int day) { return DateDdMmmYyyy(JulianDayToCalendar(layout.DiurnalJD + day)); };
    text += "\n" + date(run.firstDay) + (run.continuesBefore ? " (or earlier)" : "") + " to " + date(run.lastDay) +
            (run.continuesAfter ? " (or later)" : "");
    const auto marks = layout.MarksOf(run);
    if (!marks.empty()) {
        text += s.family == AspectFamily::TransitToNatal ? "\nExact: " : "\nClosest: ";
        for (std::size_t i = 0; i < marks.size(); ++i) text += (i ? ", " : "") + date(marks[i]);
    }
    char orb[64];
    std::snprintf(orb, sizeof orb, "\nOrb at exact: %.2f deg.", static_cast<double>(s.smallestOrb));
    text += orb;
    for (const ExactMoment& m : moments) {
        text += "\nExact at " + MinuteText(m.jd, 0.0) + " UT, " + MinuteText(m.jd, localClock) +
                " local";
    }
    return text;
}

std::string SkyEventHoverText(const SkyEvent& event, const MomentClock& localClock) {
    std::string text = EventSummary(event);
    const bool period = event.kind == SkyEventKind::Retrograde || event.kind == SkyEventKind::Void;
    text += period ? "\nFrom " : "\nAt ";
    text += MinuteText(event.jd, 0.0) + " UT, " + MinuteText(event.jd, localClock) + " local";
    if (period) text += "\nUntil " + MinuteText(event.endJD, 0.0) + " UT, " + MinuteText(event.endJD, localClock) + " local";
    if (event.kind == SkyEventKind::Eclipse) {
        char magnitude[32];
        std::snprintf(magnitude, sizeof magnitude, "\nMagnitude %.3f", event.magnitude);
        text += magnitude;
    }
    return text;
}

RunListingLine ListingLineOf(const ScanResult& scan, const TimelineRun& run) {
    const ScanRun& s = scan.runs[run.scanRun];
    return {std::string(FamilyOf(s.family).titleStart) + " - sorted by planet", RunLine(scan, s)};
}

std::vector<TimelinePrintPage> TimelinePrintPages(const TimelineLayout& layout, const TimelineFilter& filter,
                                                  double daysPerPage, std::size_t lanesPerPage) {
    std::vector<TimelinePrintPage> pages;
    daysPerPage = std::max(1.0, daysPerPage);
    lanesPerPage = std::max<std::size_t>(1, lanesPerPage);
    for (double from = 0; from < layout.ScanDays; from += daysPerPage) {
        const TimelinePart slice = ChooseTimelinePart(layout, filter, from, std::min<double>(from + daysPerPage, layout.ScanDays));
        // Each page starts with its first lane's family heading; headings count as rows.
        std::vector<std::uint32_t> lanes;
        for (const std::uint32_t row : slice.lanes) {
            if (!IsHeadingRow(row)) lanes.push_back(row);
        }
        std::size_t at = 0;
        do {
            TimelinePrintPage page;
            page.part.fromDay = slice.fromDay;
            page.part.toDay = slice.toDay;
            std::size_t end = at;
            while (end < lanes.size()) {
                const std::span<const std::uint32_t> next(lanes.data() + at, end + 1 - at);
                if (end > at && WithFamilyHeadings(layout, next).size() > lanesPerPage) break;
                ++end;
            }
            page.part.lanes = WithFamilyHeadings(layout, std::span<const std::uint32_t>(lanes.data() + at, end - at));
            pages.push_back(std::move(page));
            at = end;
        } while (at < lanes.size());
    }
    return pages;
}


}  // namespace orrerion::gui
