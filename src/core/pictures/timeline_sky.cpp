#include "core/pictures/timeline_sky.h"

#include <algorithm>
#include <cmath>

#include "core/pictures/glyphs.h"

namespace orrerion {
namespace {

// The rows below the planets' own, in this order.
constexpr SkyEventKind SharedRowKinds[] = {SkyEventKind::Ingress, SkyEventKind::HouseIngress, SkyEventKind::Lunation,
                                           SkyEventKind::Eclipse, SkyEventKind::Void};

bool IsPlanetRowKind(SkyEventKind kind) { return kind == SkyEventKind::Retrograde || kind == SkyEventKind::Station; }

bool HasPeriod(const SkyEvent& e) { return e.kind == SkyEventKind::Retrograde || e.kind == SkyEventKind::Void; }

ColourRole RoleOf(const SkyEvent& e) {
    switch (e.kind) {
        case SkyEventKind::Retrograde: return ColourRole::Minor;
        case SkyEventKind::Station: return ColourRole::Hard;
        case SkyEventKind::Eclipse: return e.hits.empty() ? ColourRole::Ink : ColourRole::Hard;
        case SkyEventKind::Lunation: return ColourRole::Soft;
        case SkyEventKind::Void: return ColourRole::Faint;
        default: return ColourRole::Ink;
    }
}

const SkyRow* RowOf(const TimelineSky& sky, std::uint32_t row) {
    if (!IsSkyRow(row)) return nullptr;
    const std::size_t i = row & ~SkyRowFlag;
    return i < sky.rows.size() ? &sky.rows[i] : nullptr;
}

// The shape of event `e` in a row whose top is `top`.
SkyShape ShapeOf(const SkyEvent& e, double DiurnalJD, const TimelineFrame& frame, double top) {
    SkyShape shape;
    shape.role = RoleOf(e);
    shape.strong = e.kind == SkyEventKind::Eclipse && !e.hits.empty();
    const double pad = std::min(3.0, frame.laneHeight * 0.15);
    shape.y = top + pad;
    shape.h = frame.laneHeight - 2 * pad;
    if (HasPeriod(e)) {
        shape.period = true;
        shape.x0 = frame.X(std::max(SkyDay(DiurnalJD, e.jd), frame.fromDay));
        shape.x1 = std::max(shape.x0 + 1.0, frame.X(std::min(SkyDay(DiurnalJD, e.endJD), frame.toDay)));
        if (e.kind == SkyEventKind::Void) {
            // A thin band in the middle of the row.
            shape.y = top + frame.laneHeight * 0.4;
            shape.h = frame.laneHeight * 0.2;
        }
    } else {
        const double x = frame.X(SkyDay(DiurnalJD, e.jd));
        const double half = shape.strong ? 3.0 : 1.5;
        shape.x0 = x - half;
        shape.x1 = x + half;
        if (!shape.strong) {
            shape.y += shape.h * 0.15;
            shape.h *= 0.7;
        }
    }
    return shape;
}

}  // namespace

TimelineSky LayOutSky(std::vector<SkyEvent> events) {
    TimelineSky sky;
    sky.events = std::move(events);
    // The planets' rows, Mercury to Pluto, then the extra points' that station, in their order.
    std::vector<int> bodies;
    for (int body = MERCURY; body <= PLUTO; ++body) bodies.push_back(body);
    for (const SkyPointRow& point : SkyEventPoints) {
        if (point.stations) bodies.push_back(ExtraPointBody(point.point));
    }
    for (const int body : bodies) {
        SkyRow row{SkyEventKind::Retrograde, body, {}};
        for (std::uint32_t i = 0; i < sky.events.size(); ++i) {
            if (IsPlanetRowKind(sky.events[i].kind) && sky.events[i].body == body) row.events.push_back(i);
        }
        if (!row.events.empty()) sky.rows.push_back(std::move(row));
    }
    for (const SkyEventKind kind : SharedRowKinds) {
        SkyRow row{kind, 0, {}};
        for (std::uint32_t i = 0; i < sky.events.size(); ++i) {
            if (sky.events[i].kind == kind) row.events.push_back(i);
        }
        if (!row.events.empty()) sky.rows.push_back(std::move(row));
    }
    return sky;
}

std::string SkyRowLabel(const SkyRow& row) {
    switch (row.kind) {
        case SkyEventKind::Retrograde: return std::string(BodyName(row.body)) + " retrograde";
        case SkyEventKind::Ingress: return "Sign ingresses";
        case SkyEventKind::HouseIngress: return "House ingresses";
        case SkyEventKind::Lunation: return "Lunations";
        case SkyEventKind::Eclipse: return "Eclipses";
        case SkyEventKind::Void: return "Void-of-course Moon";
        default: return std::string(SkyEventKindLabel(row.kind));
    }
}

std::string SkyRowGlyphLabel(const SkyRow& row) {
    switch (row.kind) {
        case SkyEventKind::Retrograde: return std::string(BodyGlyph(row.body)) + " " + std::string(RetrogradeGlyph);
        case SkyEventKind::Lunation: return "\u263D\u263E";  // ☽☾
        case SkyEventKind::Eclipse: return std::string(BodyGlyph(SUN)) + std::string(BodyGlyph(MOON));
        case SkyEventKind::Void: return std::string(BodyGlyph(MOON)) + " v/c";
        default: return "\u2192";  // →
    }
}

bool ShowsKind(SkyKinds kinds, SkyEventKind kind) { return (kinds >> SkyEventKindIndex(kind)) & 1u; }

std::vector<std::uint32_t> SkyRows(const TimelineSky& sky, SkyKinds kinds) {
    std::vector<std::uint32_t> rows;
    for (std::uint32_t i = 0; i < sky.rows.size(); ++i) {
        const SkyRow& row = sky.rows[i];
        const bool shown = row.kind == SkyEventKind::Retrograde
                               ? ShowsKind(kinds, SkyEventKind::Retrograde) || ShowsKind(kinds, SkyEventKind::Station)
                               : ShowsKind(kinds, row.kind);
        if (shown) rows.push_back(SkyRowFlag | i);
    }
    if (!rows.empty()) rows.insert(rows.begin(), SkyHeadingRow);
    return rows;
}

void ForEachVisibleSkyEvent(const TimelineSky& sky, double DiurnalJD, std::span<const std::uint32_t> rows,
                            const TimelineFrame& frame, SkyKinds kinds,
                            const std::function<void(std::size_t row, std::uint32_t event, const SkyShape&)>& draw) {
    const auto [rowFrom, rowTo] = frame.VisibleRows(rows.size());
    for (std::size_t r = rowFrom; r < rowTo; ++r) {
        const SkyRow* row = RowOf(sky, rows[r]);
        if (!row) continue;
        const double top = frame.RowTop(r);
        // Periods first, so that the stations' marks lie on their bars.
        for (const bool periods : {true, false}) {
            for (const std::uint32_t i : row->events) {
                const SkyEvent& e = sky.events[i];
                if (HasPeriod(e) != periods || !ShowsKind(kinds, e.kind)) continue;
                const double first = SkyDay(DiurnalJD, e.jd);
                const double last = HasPeriod(e) ? SkyDay(DiurnalJD, e.endJD) : first;
                if (last < frame.fromDay - 1 || first > frame.toDay + 1) continue;
                draw(r, i, ShapeOf(e, DiurnalJD, frame, top));
            }
        }
    }
}

std::optional<std::uint32_t> SkyEventAt(const TimelineSky& sky, double DiurnalJD, std::span<const std::uint32_t> rows,
                                        const TimelineFrame& frame, SkyKinds kinds, double x, double y,
                                        double slackPixels) {
    if (y < frame.top || y >= frame.top + frame.height || x < frame.left || x > frame.left + frame.width) {
        return std::nullopt;
    }
    const double rowPosition = frame.firstRow + (y - frame.top) / frame.laneHeight;
    if (rowPosition < 0 || rowPosition >= static_cast<double>(rows.size())) return std::nullopt;
    const std::size_t r = static_cast<std::size_t>(rowPosition);
    if (!RowOf(sky, rows[r])) return std::nullopt;
    // A moment's mark before a period's bar: the stations lie on their bars.
    std::optional<std::uint32_t> best;
    double bestDistance = slackPixels;
    bool bestIsMoment = false;
    ForEachVisibleSkyEvent(sky, DiurnalJD, rows.subspan(r, 1), TimelineFrame{frame.fromDay, frame.toDay, frame.left,
                                                                              frame.RowTop(r), frame.width,
                                                                              frame.laneHeight, frame.laneHeight, 0.0},
                           kinds, [&](std::size_t, std::uint32_t event, const SkyShape& shape) {
                               const double distance = x < shape.x0 ? shape.x0 - x : std::max(0.0, x - shape.x1);
                               const bool moment = !shape.period;
                               if (distance > slackPixels) return;
                               if (!best || (moment && !bestIsMoment) ||
                                   (moment == bestIsMoment && distance < bestDistance)) {
                                   best = event;
                                   bestDistance = distance;
                                   bestIsMoment = moment;
                               }
                           });
    return best;
}

}  // namespace orrerion
