#include "core/pictures/wheel_labels.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "core/ephemeris/time_angles.h"

namespace orrerion {
namespace {

// Picture units unless said otherwise.
constexpr double TickRoom = 7;      // between the ring's outer circle and the first row
constexpr double BoxMargin = 1.5;   // between two boxes
constexpr double LineMargin = 2.5;  // between a box and a line kept clear
constexpr double LabelGap = 1.0;    // between a glyph and its label
constexpr double GridStep = 12.0;   // rows are tried this far apart, and just below each box
constexpr double AngleStep = 1.0;   // degrees
// What a candidate place costs, in units of depth below the ring's outer circle: a degree along
// the circle is worth ShiftCost units, so a glyph slides a little to make room and a crowd is
// stacked inwards; a leader through another box, or a box over another's leader, costs more.
constexpr double ShiftCost = 3.0;
constexpr double CrossingCost = 24.0;
constexpr double SideLabelCost = 3.0;  // labels read best under their glyph
constexpr double StackedCost = 4.0;    // and on one line
constexpr double BoundaryCost = 30.0;  // a glyph over a cusp or sign boundary from its point
// Taking the first-row place of a point still to be placed: the first of a crowd steps aside.
constexpr double AheadCost = 6.0;

struct Direction {
    double x, y;
};
Direction Radial(double angleDeg) {
    const double a = angleDeg * PiValue / 180;
    return {std::cos(a), -std::sin(a)};
}
Direction Tangent(double angleDeg) {
    const double a = angleDeg * PiValue / 180;
    return {-std::sin(a), -std::cos(a)};
}
// Half the length of a w × h box's shadow on a line of direction d.
double Extent(double w, double h, Direction d) { return (std::fabs(d.x) * w + std::fabs(d.y) * h) / 2; }
WheelPoint Along(WheelPoint p, Direction d, double s) { return {p.x + d.x * s, p.y + d.y * s}; }
WheelBox BoxAt(WheelPoint centre, double w, double h) { return {centre.x - w / 2, centre.y - h / 2, w, h}; }
WheelBox Grown(const WheelBox& b, double m) { return {b.x - m, b.y - m, b.w + 2 * m, b.h + 2 * m}; }

// The part [t0, t1] of the segment (0 at a, 1 at b) inside the box; false when none.
bool ClipToBox(const WheelSegment& s, const WheelBox& box, double& t0, double& t1) {
    t0 = 0;
    t1 = 1;
    const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {s.a.x - box.x, box.x + box.w - s.a.x, s.a.y - box.y, box.y + box.h - s.a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, r);
        } else {
            t1 = std::min(t1, r);
        }
        if (t0 > t1) return false;
    }
    return true;
}

enum class LabelSide { Below, Counter, Clockwise };
constexpr LabelSide LabelSides[] = {LabelSide::Below, LabelSide::Counter, LabelSide::Clockwise};

struct Candidate {
    RingLabelPlace place;
    double cost = std::numeric_limits<double>::infinity();
};

// Moves a box inwards along `u` until its farthest point is within `limit` of the centre.
WheelBox Within(WheelBox box, Direction u, double limit, WheelPoint centre) {
    for (int pass = 0; pass < 3; ++pass) {
        const double excess = FarthestDistance(box, centre) - limit;
        if (excess <= 1e-9) break;
        box.x -= u.x * excess;
        box.y -= u.y * excess;
    }
    return box;
}

// Which labels a placing may use.
struct LabelPolicy {
    bool oneLine, stacked, sideLabels;
};

class RingPlacer {
public:
    RingPlacer(const RingSpace& space, const std::vector<RingLabelRequest>& points, LabelPolicy policy)
        : space_(space), policy_(policy) {
        for (const RingLabelRequest& p : points) {
            const Direction u = Radial(p.trueAngle);
            const double limit = space_.outer - TickRoom;
            const WheelPoint g = Along(space_.centre, u, limit - Extent(p.glyphW, p.glyphH, u));
            ahead_.push_back(BoxAt(g, p.glyphW, p.glyphH));
        }
        placed_.assign(points.size(), false);
    }

    int failures = 0;  // points placed over others for want of room

    RingLabelPlace Place(std::size_t index, const RingLabelRequest& p) {
        placed_[index] = true;
        Candidate best = Search(p, true);
        if (!std::isfinite(best.cost)) best = Search(p, false);  // no room above the floor: go below it
        if (!std::isfinite(best.cost)) {
            // Nowhere free: at its place, over the others (the caller prefers another policy).
            best = Try(p, p.trueAngle, 0, LabelSide::Below, false, 0, false);
            best.place.overlaps = true;
            ++failures;
        }
        boxes_.push_back(best.place.glyphBox);
        boxes_.push_back(best.place.labelBox);
        leaders_.push_back({best.place.leaderFrom, best.place.leaderTo});
        centres_.push_back(Norm360(best.place.angle));
        centres_.push_back(Norm360(best.place.angle));
        return best.place;
    }

private:
    Candidate Search(const RingLabelRequest& p, bool keepFloor) const {
        Candidate best;
        const double floor = keepFloor ? space_.floor : 0.0;
        // Never nearer the centre than a glyph's size, whatever the floor.
        const double maxDepth = space_.outer - TickRoom - std::max(floor, 2 * (p.glyphW + p.glyphH));
        // The rows worth trying: the first, and just below each box placed nearby (a glyph there
        // clears it), with a coarse grid besides.
        std::vector<double> depths;
        for (double d = 0; d <= maxDepth; d += GridStep) depths.push_back(d);
        const double trueAngle = Norm360(p.trueAngle);
        for (std::size_t b = 0; b < boxes_.size(); ++b) {
            if (!Near(b, trueAngle)) continue;
            const double d = space_.outer - TickRoom - (NearestDistance(boxes_[b], space_.centre) - BoxMargin - 0.01);
            if (d > 0 && d <= maxDepth) depths.push_back(d);
        }
        std::sort(depths.begin(), depths.end());
        const int steps = static_cast<int>(MaxGlyphShift / AngleStep);
        // The axes' angles, each with the side of it the point is on.
        std::vector<std::pair<double, double>> axisSides;
        for (const WheelSegment& line : space_.clearLines) {
            const double axis = std::atan2(space_.centre.y - line.b.y, line.b.x - space_.centre.x) * 180 / PiValue;
            axisSides.emplace_back(axis, std::remainder(p.trueAngle - axis, 360.0));
        }
        for (const double depth : depths) {
            const double least = TickRoom + depth + std::min(p.glyphW, p.glyphH);
            if (least >= best.cost) break;
            for (int k = 0; k <= 2 * steps; ++k) {
                const double shift = (k % 2 ? 1 : -1) * AngleStep * ((k + 1) / 2);
                if (least + ShiftCost * std::fabs(shift) >= best.cost) break;
                const double angle = Norm360(p.trueAngle + shift);
                bool crossesAxis = false;
                for (const auto& [axis, side] : axisSides) {
                    if (std::fabs(side) > 90) continue;  // the line runs out from the centre the other way
                    const double now = std::remainder(angle - axis, 360.0);
                    crossesAxis = crossesAxis || (side > 1e-9 && now < 0) || (side < -1e-9 && now > 0);
                }
                if (crossesAxis) continue;
                double boundaryCost = 0;
                for (const double b : space_.boundaries) {
                    const double before = std::remainder(p.trueAngle - b, 360.0);
                    const double after = before + shift;
                    if ((before >= 0) != (after >= 0) && std::fabs(before) < 90) boundaryCost += BoundaryCost;
                }
                for (bool stacked : {false, true}) {
                    if (stacked ? !policy_.stacked : !policy_.oneLine) continue;
                    for (LabelSide side : LabelSides) {
                        if (side != LabelSide::Below && (stacked || !policy_.sideLabels)) continue;
                        Candidate c = Try(p, angle, depth, side, stacked, floor);
                        c.cost += ShiftCost * std::fabs(shift) + boundaryCost;
                        if (c.cost < best.cost) best = c;
                    }
                }
            }
        }
        return best;
    }

    // The candidate glyph at `angle`, its outer edge `depth` below the first row, with its label
    // at `side`; infinitely dear when it meets a box or a clear line (unless not `strict`).
    Candidate Try(const RingLabelRequest& p, double angle, double depth, LabelSide side, bool stacked, double floor,
                  bool strict = true) const {
        Candidate c;
        const double labelW = stacked ? p.stackedW : p.labelW, labelH = stacked ? p.stackedH : p.labelH;
        const WheelPoint o = space_.centre;
        const Direction u = Radial(angle), t = Tangent(angle);
        const double limit = space_.outer - TickRoom - depth;
        const WheelPoint g = Along(o, u, limit - Extent(p.glyphW, p.glyphH, u));
        const WheelBox glyph = Within(BoxAt(g, p.glyphW, p.glyphH), u, limit, o);
        const WheelPoint gc = glyph.Centre();
        WheelPoint l;
        switch (side) {
            case LabelSide::Below:
                l = Along(gc, u, -(Extent(p.glyphW, p.glyphH, u) + Extent(labelW, labelH, u) + LabelGap));
                break;
            case LabelSide::Counter:
            case LabelSide::Clockwise: {
                const double sign = side == LabelSide::Counter ? 1.0 : -1.0;
                l = Along(gc, t, sign * (Extent(p.glyphW, p.glyphH, t) + Extent(labelW, labelH, t) + LabelGap));
                // The label's outer edge level with the glyph's.
                l = Along(l, u, -std::max(0.0, Extent(labelW, labelH, u) - Extent(p.glyphW, p.glyphH, u)));
                break;
            }
        }
        const WheelBox label = Within(BoxAt(l, labelW, labelH), u, limit, o);
        const double nearest = std::min(NearestDistance(glyph, o), NearestDistance(label, o));
        if (strict) {
            if (nearest < floor) return c;
            // The latest first: the neighbours a candidate most likely meets.
            for (std::size_t b = boxes_.size(); b-- > 0;) {
                if (!Near(b, angle)) continue;
                if (BoxesOverlap(glyph, boxes_[b], BoxMargin) || BoxesOverlap(label, boxes_[b], BoxMargin)) return c;
            }
            for (const WheelSegment& line : space_.clearLines) {
                if (SegmentMeetsBox(line, glyph, LineMargin) || SegmentMeetsBox(line, label, LineMargin)) return c;
            }
        }
        // The leader: from the exact place on the outer circle to where it meets the glyph's box.
        WheelSegment leader{Along(o, Radial(p.trueAngle), space_.outer), gc};
        double t0 = 0, t1 = 1;
        if (ClipToBox(leader, Grown(glyph, 1.0), t0, t1)) {
            leader.b = {leader.a.x + (leader.b.x - leader.a.x) * t0, leader.a.y + (leader.b.y - leader.a.y) * t0};
        }
        int crossings = SegmentMeetsBox(leader, label) ? 1 : 0;
        for (std::size_t b = 0; b < boxes_.size(); ++b) {
            if (Near(b, angle)) crossings += SegmentMeetsBox(leader, boxes_[b]) ? 1 : 0;
        }
        for (std::size_t k = 0; k < leaders_.size(); ++k) {
            if (!Near(2 * k, angle)) continue;
            crossings += SegmentMeetsBox(leaders_[k], glyph) ? 1 : 0;
            crossings += SegmentMeetsBox(leaders_[k], label) ? 1 : 0;
        }
        int ahead = 0;
        for (std::size_t k = 0; k < ahead_.size(); ++k) {
            if (!placed_[k] && (BoxesOverlap(glyph, ahead_[k]) || BoxesOverlap(label, ahead_[k]))) ++ahead;
        }
        c.place = {angle, std::hypot(gc.x - o.x, gc.y - o.y), stacked, false, glyph, label, leader.a, leader.b};
        c.cost = (space_.outer - nearest) + CrossingCost * crossings + AheadCost * ahead +
                 (side == LabelSide::Below ? 0 : SideLabelCost) + (stacked ? StackedCost : 0);
        return c;
    }

    // Whether placed box `b` stands near enough `angle` to meet a candidate there: boxes stand
    // within MaxGlyphShift of their glyph and span far less than 40 degrees where they may stand.
    bool Near(std::size_t b, double angle) const {
        double d = std::fabs(centres_[b] - angle);
        if (d > 180) d = 360 - d;
        return d < 60;
    }

    const RingSpace& space_;
    LabelPolicy policy_;
    std::vector<WheelBox> boxes_;        // glyph and label of each placed point
    std::vector<double> centres_;        // the glyph's angle, for each of boxes_
    std::vector<WheelSegment> leaders_;  // one for each placed point
    std::vector<WheelBox> ahead_;        // each point's first-row glyph place
    std::vector<bool> placed_;
};

}  // namespace

double NearestDistance(const WheelBox& box, WheelPoint centre) {
    const double dx = std::max({box.x - centre.x, 0.0, centre.x - (box.x + box.w)});
    const double dy = std::max({box.y - centre.y, 0.0, centre.y - (box.y + box.h)});
    return std::hypot(dx, dy);
}

double FarthestDistance(const WheelBox& box, WheelPoint centre) {
    const double dx = std::max(std::fabs(box.x - centre.x), std::fabs(box.x + box.w - centre.x));
    const double dy = std::max(std::fabs(box.y - centre.y), std::fabs(box.y + box.h - centre.y));
    return std::hypot(dx, dy);
}

bool BoxesOverlap(const WheelBox& a, const WheelBox& b, double margin) {
    return a.x < b.x + b.w + margin && b.x < a.x + a.w + margin && a.y < b.y + b.h + margin &&
           b.y < a.y + a.h + margin;
}

bool SegmentMeetsBox(const WheelSegment& s, const WheelBox& box, double margin) {
    double t0 = 0, t1 = 1;
    return ClipToBox(s, Grown(box, margin), t0, t1);
}

std::vector<RingLabelPlace> PlaceRingLabels(const std::vector<RingLabelRequest>& points, const RingSpace& space) {
    const std::size_t n = points.size();
    std::vector<RingLabelPlace> out(n);
    if (n == 0) return out;
    // Round the circle from the end of its widest gap, so that a crowd is placed from one side.
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return Norm360(points[a].trueAngle) < Norm360(points[b].trueAngle);
    });
    std::size_t start = 0;
    double widest = -1;
    for (std::size_t k = 0; k < n; ++k) {
        const double gap = Norm360(points[order[k]].trueAngle - points[order[(k + n - 1) % n]].trueAngle);
        if (gap > widest) {
            widest = gap;
            start = k;
        }
    }
    // Each point's cheapest place, in turn, under three policies: any label, labels under their
    // glyphs only, stacked labels only. A crowd placed point by point may stack deeper than it
    // would with narrower labels; the shallowest ring is kept.
    double shallowest = -1;
    int fewestFailures = std::numeric_limits<int>::max();
    for (const LabelPolicy policy : {LabelPolicy{true, true, true}, LabelPolicy{true, true, false},
                                     LabelPolicy{false, true, false}}) {
        RingPlacer placer(space, points, policy);
        std::vector<RingLabelPlace> places(n);
        double inner = space.outer;
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t i = order[(start + k) % n];
            places[i] = placer.Place(i, points[i]);
            inner = std::min({inner, NearestDistance(places[i].glyphBox, space.centre),
                              NearestDistance(places[i].labelBox, space.centre)});
        }
        if (placer.failures < fewestFailures || (placer.failures == fewestFailures && inner > shallowest + 1)) {
            fewestFailures = placer.failures;
            shallowest = inner;
            out = std::move(places);
        }
    }
    return out;
}

}  // namespace orrerion
