#include "core/pictures/timeline_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/aspects/aspect_scan.h"
#include "core/pictures/glyphs.h"

namespace orrerion {
namespace {

bool MoverIsTransit(AspectFamily f) {
    return f == AspectFamily::TransitToNatal || f == AspectFamily::TransitToProgressed;
}
bool TargetIsProgressed(AspectFamily f) {
    return f == AspectFamily::ProgressedToProgressed || f == AspectFamily::TransitToProgressed;
}
std::string_view MoverPrefix(AspectFamily f) {
    if (MoverIsTransit(f)) return "Tr";
    return f == AspectFamily::SolarArcToNatal ? "SA" : "Pr";
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back (Hinnant's algorithms).
long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}
CalendarDate CivilFromDays(long z) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {d, m, static_cast<int>(yoe + era * 400 + (m <= 2))};
}

constexpr auto MonthShort = std::to_array<std::string_view>(
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"});
static_assert(MonthShort.size() == 12);

std::string MonthLabel(const CalendarDate& date, int DateOrder) {
    const std::string month(MonthShort[static_cast<std::size_t>(date.month - 1)]);
    const std::string year = std::to_string(date.year);
    return DateOrder == 2 ? year + " " + month : month + " " + year;
}

}  // namespace

std::size_t FamilyRank(AspectFamily family) {
    return static_cast<std::size_t>(std::find(SortedByDateOrder.begin(), SortedByDateOrder.end(), family) -
                                    SortedByDateOrder.begin());
}

std::string_view FamilyTitle(AspectFamily family) { return FamilyOf(family).titleStart; }

std::size_t TimelineLayout::ByteCount() const {
    return sizeof(*this) + lanes.capacity() * sizeof(TimelineLane) + runs.capacity() * sizeof(TimelineRun) +
           marks.capacity() * sizeof(std::int16_t);
}

TimelineLayout LayOutTimeline(const ScanResult& scan) {
    TimelineLayout layout;
    layout.DiurnalJD = scan.DiurnalJD;
    layout.ScanDays = scan.ScanDays;

    // The exact-date listing's minima of each run (they come in listing order, not by run).
    std::vector<std::uint32_t> exactStart(scan.runs.size() + 1, 0);
    for (const ExactDate& e : scan.exactDates) {
        if (ExactDateListed(e) && e.run < scan.runs.size()) ++exactStart[e.run + 1];
    }
    for (std::size_t i = 1; i < exactStart.size(); ++i) exactStart[i] += exactStart[i - 1];
    std::vector<std::int16_t> exactDays(exactStart.back());
    {
        std::vector<std::uint32_t> fill(exactStart.begin(), exactStart.end() - 1);
        for (const ExactDate& e : scan.exactDates) {
            if (ExactDateListed(e) && e.run < scan.runs.size()) exactDays[fill[e.run]++] = e.day;
        }
    }

    layout.runs.reserve(scan.runs.size());
    // Lanes of one family: the cell of each run's lane, found in sorted-by-date order so that
    // the lanes come in the order of their first runs.
    std::vector<std::uint32_t> laneOfCell;
    for (const AspectFamily family : SortedByDateOrder) {
        const std::vector<std::uint32_t> byDate = scan.RunsByDate(family);
        const std::size_t laneBase = layout.lanes.size();
        constexpr std::size_t Cells = PointSlotCount * 9 * PointSlotCount;
        laneOfCell.assign(Cells, UINT32_MAX);
        std::vector<std::uint32_t> laneOfRun(byDate.size(), UINT32_MAX);
        auto cellOf = [](int mover, int AspectCode, int target) {
            return (static_cast<std::size_t>(mover - 1) * 9 + static_cast<std::size_t>(AspectCode - 2)) * PointSlotCount +
                   static_cast<std::size_t>(target - 1);
        };
        // Progressed to progressed: A to B and B to A are one pair, found twice by the scan. The
        // pair is shown once, as the earlier point (in BodyIndex order) to the later; the other
        // direction only when the scan found that one alone (the points searched may differ).
        const bool symmetric = family == AspectFamily::ProgressedToProgressed;
        std::vector<bool> forward;
        if (symmetric) {
            forward.assign(Cells, false);
            for (const std::uint32_t index : byDate) {
                const ScanRun& r = scan.runs[index];
                if (r.mover < r.target) forward[cellOf(r.mover, r.AspectCode, r.target)] = true;
            }
        }
        for (std::size_t k = 0; k < byDate.size(); ++k) {
            const ScanRun& r = scan.runs[byDate[k]];
            if (symmetric && r.mover > r.target && forward[cellOf(r.target, r.AspectCode, r.mover)]) continue;
            const std::size_t cell = cellOf(r.mover, r.AspectCode, r.target);
            if (laneOfCell[cell] == UINT32_MAX) {
                laneOfCell[cell] = static_cast<std::uint32_t>(layout.lanes.size());
                TimelineLane lane;
                lane.family = family;
                lane.mover = r.mover;
                lane.AspectCode = r.AspectCode;
                lane.target = r.target;
                lane.role = AspectRole(r.AspectCode);
                layout.lanes.push_back(lane);
            }
            laneOfRun[k] = laneOfCell[cell];
            ++layout.lanes[laneOfCell[cell]].runCount;
        }
        // Runs lane by lane; within a lane the by-date order is the day order.
        std::uint32_t at = static_cast<std::uint32_t>(layout.runs.size());
        for (std::size_t l = laneBase; l < layout.lanes.size(); ++l) {
            layout.lanes[l].runsAt = at;
            at += layout.lanes[l].runCount;
        }
        layout.runs.resize(at);
        std::vector<std::uint32_t> next;
        for (std::size_t l = laneBase; l < layout.lanes.size(); ++l) next.push_back(layout.lanes[l].runsAt);
        for (std::size_t k = 0; k < byDate.size(); ++k) {
            if (laneOfRun[k] == UINT32_MAX) continue;  // the other direction of a pair
            const std::uint32_t index = byDate[k];
            const ScanRun& r = scan.runs[index];
            TimelineRun& t = layout.runs[next[laneOfRun[k] - laneBase]++];
            t.scanRun = index;
            t.lane = laneOfRun[k];
            t.firstDay = r.firstDay;
            t.lastDay = r.lastDay;
            t.continuesBefore = r.continuesBefore;
            t.continuesAfter = r.continuesAfter;
        }
    }

    // The exact days, run by run in layout order.
    for (TimelineRun& t : layout.runs) {
        t.marksAt = static_cast<std::uint32_t>(layout.marks.size());
        const ScanRun& r = scan.runs[t.scanRun];
        if (r.family == AspectFamily::TransitToNatal) {
            std::vector<std::int16_t> days(exactDays.begin() + exactStart[t.scanRun],
                                           exactDays.begin() + exactStart[t.scanRun + 1]);
            std::sort(days.begin(), days.end());
            layout.marks.insert(layout.marks.end(), days.begin(), days.end());
        } else {
            for (const DayRange& range : scan.SmallestOrbDays(r)) {
                layout.marks.push_back(static_cast<std::int16_t>((range.first + range.last) / 2));
            }
        }
        t.markCount = static_cast<std::uint16_t>(layout.marks.size() - t.marksAt);
    }
    layout.lanes.shrink_to_fit();
    layout.marks.shrink_to_fit();
    return layout;
}

std::string LaneLabel(const TimelineLane& lane) {
    std::string label(MoverPrefix(lane.family));
    label += ' ';
    label += BodyName(lane.mover);
    label += ' ';
    label += AspectWord(lane.AspectCode);
    label += ' ';
    if (TargetIsProgressed(lane.family)) label += "Pr ";
    label += BodyName(lane.target);
    return label;
}

std::string LaneGlyphLabel(const TimelineLane& lane) {
    std::string label(BodyGlyph(lane.mover));
    label += ' ';
    label += AspectGlyph(lane.AspectCode);
    label += ' ';
    label += BodyGlyph(lane.target);
    return label;
}

bool TimelineFilter::Shows(const TimelineLane& lane) const {
    return (families >> FamilyIndex(lane.family) & 1) && (movers >> (lane.mover - 1) & 1) &&
           (aspects >> (lane.AspectCode - 2) & 1) && (targets >> (lane.target - 1) & 1);
}

std::vector<std::uint32_t> ShownLanes(const TimelineLayout& layout, const TimelineFilter& filter) {
    std::vector<std::uint32_t> shown;
    shown.reserve(layout.lanes.size());
    for (std::size_t i = 0; i < layout.lanes.size(); ++i) {
        if (filter.Shows(layout.lanes[i])) shown.push_back(static_cast<std::uint32_t>(i));
    }
    return shown;
}

std::string IsoDateOfDay(double DiurnalJD, int day) {
    return IsoDateText(JulianDayToCalendar(DiurnalJD + day));
}

std::optional<int> DayOfIsoDate(double DiurnalJD, std::string_view iso) {
    int y = 0, m = 0, d = 0;
    char extra = 0;
    const std::string text(iso);
    if (text.size() != 10 || std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &extra) != 3) return std::nullopt;
    if (text[4] != '-' || text[7] != '-' || m < 1 || m > 12 || d < 1 || d > DaysInMonth(m, y)) return std::nullopt;
    const CalendarDate origin = JulianDayToCalendar(DiurnalJD);
    return static_cast<int>(DaysFromCivil(y, m, d) - DaysFromCivil(origin.year, origin.month, origin.day));
}

TickUnit TickUnitFor(double pixelsPerDay, double minLabelSpacing) {
    if (pixelsPerDay * 1 >= minLabelSpacing) return TickUnit::Day;
    // Months while a label every quarter has room (a view of a year or two).
    if (pixelsPerDay * 30.44 * 3 >= minLabelSpacing) return TickUnit::Month;
    return TickUnit::Year;
}

std::vector<TimelineTick> TimelineTicks(double DiurnalJD, double fromDay, double toDay, double pixelsPerDay,
                                        int DateOrder, double minLabelSpacing) {
    std::vector<TimelineTick> ticks;
    if (!(toDay > fromDay) || !(pixelsPerDay > 0)) return ticks;
    const CalendarDate origin = JulianDayToCalendar(DiurnalJD);
    const long base = DaysFromCivil(origin.year, origin.month, origin.day);
    const long first = static_cast<long>(std::floor(fromDay));
    const long last = static_cast<long>(std::ceil(toDay));
    const CalendarDate start = CivilFromDays(base + first);
    auto dayOf = [&](int y, int m, int d) { return static_cast<double>(DaysFromCivil(y, m, d) - base); };

    switch (TickUnitFor(pixelsPerDay, minLabelSpacing)) {
        case TickUnit::Day: {
            // Every day ticked; labels every 1, 2 or 7 days as room allows.
            int every = 1;
            for (const int step : {1, 2, 7, 14}) {
                every = step;
                if (pixelsPerDay * step >= minLabelSpacing) break;
            }
            for (long d = first; d < last; ++d) {
                if (d < fromDay) continue;
                const bool major = (d - first) % every == 0;
                ticks.push_back({static_cast<double>(d), major,
                                 major ? DateDdMmmYyyy(CivilFromDays(base + d)) : std::string()});
            }
            break;
        }
        case TickUnit::Month: {
            int every = 1;
            for (const int step : {1, 2, 3, 6}) {
                every = step;
                if (pixelsPerDay * 30.44 * step >= minLabelSpacing) break;
            }
            const bool minorTicks = pixelsPerDay * 30.44 >= 6;
            // Zoomed in far enough, every day gets a small tick.
            if (pixelsPerDay >= 5) {
                for (long d = first; d < last; ++d) {
                    if (d >= fromDay && CivilFromDays(base + d).day != 1) ticks.push_back({static_cast<double>(d), false, {}});
                }
            }
            for (int y = start.year, m = start.month;; ) {
                const double day = dayOf(y, m, 1);
                if (day >= toDay) break;
                const bool major = (m - 1) % every == 0;
                if (day >= fromDay && (major || minorTicks)) {
                    ticks.push_back({day, major, major ? MonthLabel({1, m, y}, DateOrder) : std::string()});
                }
                if (++m > 12) m = 1, ++y;
            }
            std::stable_sort(ticks.begin(), ticks.end(),
                             [](const TimelineTick& a, const TimelineTick& b) { return a.day < b.day; });
            break;
        }
        case TickUnit::Year: {
            int every = 1;
            for (const int step : {1, 2, 5, 10, 20, 50, 100}) {
                every = step;
                if (pixelsPerDay * 365.25 * step >= minLabelSpacing) break;
            }
            const bool minorTicks = pixelsPerDay * 365.25 >= 6;
            // Months far enough apart (a span of a few years) get small ticks too.
            const bool monthTicks = pixelsPerDay * 30.44 >= 4;
            for (int y = start.year;; ++y) {
                const double day = dayOf(y, 1, 1);
                if (day >= toDay) break;
                const bool major = y % every == 0;
                if (day >= fromDay && (major || minorTicks)) {
                    ticks.push_back({day, major, major ? std::to_string(y) : std::string()});
                }
            }
            if (monthTicks) {
                for (int y = start.year, m = start.month;;) {
                    const double day = dayOf(y, m, 1);
                    if (day >= toDay) break;
                    if (day >= fromDay && m != 1) ticks.push_back({day, false, {}});
                    if (++m > 12) m = 1, ++y;
                }
                std::stable_sort(ticks.begin(), ticks.end(),
                                 [](const TimelineTick& a, const TimelineTick& b) { return a.day < b.day; });
            }
            break;
        }
    }
    return ticks;
}

AspectFamily HeadingFamily(std::uint32_t row) {
    return ScanFamilies[std::min<std::size_t>(row & ~HeadingRowFlag, FamilyCount - 1)].family;
}

std::vector<std::uint32_t> WithFamilyHeadings(const TimelineLayout& layout, std::span<const std::uint32_t> lanes) {
    std::vector<std::uint32_t> rows;
    rows.reserve(lanes.size() + FamilyCount);
    std::optional<AspectFamily> family;
    for (const std::uint32_t lane : lanes) {
        if (!IsLaneRow(lane)) continue;
        if (layout.lanes[lane].family != family) {
            family = layout.lanes[lane].family;
            rows.push_back(HeadingRowFlag | static_cast<std::uint32_t>(FamilyIndex(*family)));
        }
        rows.push_back(lane);
    }
    return rows;
}

double TickLabelLeft(double tickX, double width, double right) {
    return tickX + 2 + width <= right ? tickX + 2 : tickX - 2 - width;
}

std::pair<std::size_t, std::size_t> TimelineFrame::VisibleRows(std::size_t rowCount) const {
    const double first = std::max(0.0, std::floor(firstRow));
    const double last = std::ceil(firstRow + height / laneHeight);
    const std::size_t a = std::min(rowCount, static_cast<std::size_t>(first));
    const std::size_t b = std::min(rowCount, static_cast<std::size_t>(std::max(0.0, last)));
    return {a, std::max(a, b)};
}

void ForEachVisibleRun(const TimelineLayout& layout, std::span<const std::uint32_t> shownLanes,
                       const TimelineFrame& frame, bool aggregate,
                       const std::function<void(std::size_t row, const TimelineRun&, const RunShape&)>& draw) {
    const auto [rowFrom, rowTo] = frame.VisibleRows(shownLanes.size());
    const double ppd = frame.PixelsPerDay();
    const double pad = std::min(3.0, frame.laneHeight * 0.15);
    for (std::size_t row = rowFrom; row < rowTo; ++row) {
        if (!IsLaneRow(shownLanes[row])) continue;
        const TimelineLane& lane = layout.lanes[shownLanes[row]];
        const std::span<const TimelineRun> runs = layout.RunsOf(lane);
        // Runs of a lane never overlap, so their last days are in order too.
        auto it = std::lower_bound(runs.begin(), runs.end(), frame.fromDay - 1,
                                   [](const TimelineRun& r, double day) { return r.lastDay < day; });
        double lastColumn = -1e300;
        const double y = frame.RowTop(row) + pad;
        const double h = frame.laneHeight - 2 * pad;
        for (; it != runs.end() && it->firstDay < frame.toDay; ++it) {
            const TimelineRun& run = *it;
            if (run.lastDay + 1 <= frame.fromDay) continue;
            RunShape shape;
            shape.y = y;
            shape.h = h;
            const double x0 = frame.X(std::max<double>(run.firstDay, frame.fromDay));
            const double x1 = frame.X(std::min<double>(run.lastDay + 1.0, frame.toDay));
            shape.x0 = x0;
            shape.x1 = x1;
            shape.openStart = run.continuesBefore || run.firstDay < frame.fromDay;
            shape.openEnd = run.continuesAfter || run.lastDay + 1.0 > frame.toDay;
            if ((run.lastDay + 1 - run.firstDay) * ppd < 1.0) {
                shape.mark = true;
                if (aggregate) {
                    const double column = std::floor(x0);
                    if (column == lastColumn) continue;
                    lastColumn = column;
                }
            }
            draw(row, run, shape);
        }
    }
}

std::optional<std::uint32_t> RunAt(const TimelineLayout& layout, std::span<const std::uint32_t> shownLanes,
                                   const TimelineFrame& frame, double x, double y, double slackPixels) {
    if (y < frame.top || y >= frame.top + frame.height || x < frame.left || x > frame.left + frame.width) {
        return std::nullopt;
    }
    const double rowPosition = frame.firstRow + (y - frame.top) / frame.laneHeight;
    if (rowPosition < 0 || rowPosition >= static_cast<double>(shownLanes.size())) return std::nullopt;
    const std::uint32_t shown = shownLanes[static_cast<std::size_t>(rowPosition)];
    if (!IsLaneRow(shown)) return std::nullopt;
    const TimelineLane& lane = layout.lanes[shown];
    const double slackDays = slackPixels / frame.PixelsPerDay();
    const double day = frame.DayAt(x);
    const std::span<const TimelineRun> runs = layout.RunsOf(lane);
    auto it = std::lower_bound(runs.begin(), runs.end(), day - slackDays,
                               [](const TimelineRun& r, double d) { return r.lastDay + 1.0 < d; });
    std::optional<std::uint32_t> best;
    double bestDistance = 1e300;
    for (; it != runs.end() && it->firstDay <= day + slackDays; ++it) {
        const double distance = day < it->firstDay ? it->firstDay - day : std::max(0.0, day - (it->lastDay + 1.0));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<std::uint32_t>(&*it - layout.runs.data());
        }
    }
    return best;
}

std::vector<std::pair<double, double>> RunCoreOutline(const TimelineLayout& layout, const TimelineRun& run,
                                                      const RunShape& shape, const TimelineFrame& frame) {
    std::vector<std::pair<double, double>> points;
    const std::span<const std::int16_t> marks = layout.MarksOf(run);
    if (marks.empty() || shape.mark || shape.x1 <= shape.x0) return points;
    // The core's half height along the run: nothing at its ends, half the bar at each exact day,
    // straight in between; cut to the part of the bar that is drawn.
    std::vector<std::pair<double, double>> knots;
    knots.emplace_back(frame.X(run.firstDay), 0.0);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        // Between two exact days the aspect separates and applies again: the core thins between.
        if (i > 0) knots.emplace_back(frame.X((marks[i - 1] + marks[i]) / 2.0 + 0.5), shape.h * 0.15);
        knots.emplace_back(frame.X(marks[i] + 0.5), shape.h / 2);
    }
    knots.emplace_back(frame.X(run.lastDay + 1.0), 0.0);
    auto halfAt = [&](double x) {
        for (std::size_t i = 1; i < knots.size(); ++i) {
            if (x <= knots[i].first) {
                const auto [xa, ha] = knots[i - 1];
                const auto [xb, hb] = knots[i];
                return xb > xa ? ha + (hb - ha) * (x - xa) / (xb - xa) : hb;
            }
        }
        return knots.back().second;
    };
    std::vector<std::pair<double, double>> edge;  // (x, half height) from x0 to x1
    edge.emplace_back(shape.x0, halfAt(shape.x0));
    for (const auto& k : knots) {
        if (k.first > shape.x0 && k.first < shape.x1) edge.push_back(k);
    }
    edge.emplace_back(shape.x1, halfAt(shape.x1));
    const double mid = shape.y + shape.h / 2;
    for (const auto& [x, half] : edge) points.emplace_back(x, mid - half);
    for (auto it = edge.rbegin(); it != edge.rend(); ++it) points.emplace_back(it->first, mid + it->second);
    return points;
}

std::array<std::pair<double, double>, 3> OpenEndArrow(const RunShape& shape, bool atStart) {
    const double size = std::min(shape.h, 8.0);
    const double mid = shape.y + shape.h / 2;
    if (atStart) {
        const double x = shape.x0;
        return {{{x, shape.y}, {x - size * 0.6, mid}, {x, shape.y + shape.h}}};
    }
    const double x = shape.x1;
    return {{{x, shape.y}, {x + size * 0.6, mid}, {x, shape.y + shape.h}}};
}

}  // namespace orrerion
