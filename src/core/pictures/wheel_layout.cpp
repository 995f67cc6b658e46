#include "core/pictures/wheel_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <cstdio>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/summary.h"
#include "core/base/formatters.h"
#include "core/ephemeris/time_angles.h"
#include "core/pictures/glyphs.h"

namespace orrerion {
namespace {

// The picture's geometry, in its own units. Every radius below follows from these.
constexpr double Size = 1160;
constexpr double ZodiacOuter = 450;
constexpr double ZodiacInner = 400;
constexpr double SignSize = 30;
constexpr double AngleLabelSize = 15;
constexpr double AngleLineEnd = 455;  // just outside the zodiac ring, inside the labels
constexpr double OutermostRing = 384;  // below the longest degree ticks
constexpr double HouseNumberSize = 13;
// The aspect circle keeps at least this radius (two fifths of the zodiac's): when the rings need
// more room their glyphs and labels are drawn smaller, down to MinPointScale.
constexpr double MinAspectRadius = 160;
constexpr double MinPointScale = 0.6;
// Glyphs with no free place in their ring are drawn smaller still, down to this.
constexpr double LeastPointScale = 0.35;

// The point glyphs and their labels, readable with one or two rings at 600 pixels; a third ring
// takes them a little smaller so that the aspect circle keeps its room.
struct PointSizes {
    double glyph, label;
};
PointSizes PointSizesFor(std::size_t rings) { return rings <= 2 ? PointSizes{24, 12} : PointSizes{22, 11.5}; }
constexpr double TitleSize = 15;
constexpr double LegendSize = 13;
constexpr double Gap = 1.5;  // between the circles that hold two rows of boxes

// A text's box from its characters: digits and letters about 0.62 of the text height wide,
// symbols (U+2000 and above: signs, planets, ℞) square (a little wider than the fonts the
// painters use).
double TextWidth(std::string_view text, double size) {
    double width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) == 0x80) continue;
        width += c >= 0xE2 ? 1.0 : 0.62;
    }
    return std::max(0.62, width) * size;
}

WheelBox BoxAround(WheelPoint centre, double w, double h) { return {centre.x - w / 2, centre.y - h / 2, w, h}; }

// The radius of the circle around a box: two such circles that do not meet hold boxes that do not
// overlap, whatever the angle they stand at.
double CircleAround(double w, double h) { return std::hypot(w, h) / 2; }

// The least angle (degrees) between two circles of radius `rho` whose centres are `radius` from
// the wheel's centre, so that they do not meet.
double SeparationAt(double radius, double rho) {
    const double s = std::min(1.0, (rho + Gap) / radius);
    return 2 * std::asin(s) * 180 / PiValue;
}

WheelPoint OnCircle(WheelPoint centre, double radius, double angleDeg) {
    const double a = angleDeg * PiValue / 180;
    return {centre.x + radius * std::cos(a), centre.y - radius * std::sin(a)};
}

// Moves angles apart to at least `separation` degrees while keeping their circular order and
// each group of close angles centred on where its members want to be. Returns the new angles in
// the order of `desired`.
std::vector<double> SpreadAngles(const std::vector<double>& desired, double separation) {
    const std::size_t n = desired.size();
    if (n < 2) return desired;
    if (separation * static_cast<double>(n) > 360) separation = 360.0 / static_cast<double>(n);
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](std::size_t p, std::size_t q) { return Norm360(desired[p]) < Norm360(desired[q]); });
    // Start after the widest gap, so that no group needs to wrap at first.
    std::size_t start = 0;
    double widest = -1;
    for (std::size_t k = 0; k < n; ++k) {
        const double gap = Norm360(Norm360(desired[order[k]]) - Norm360(desired[order[(k + n - 1) % n]]));
        if (gap > widest) {
            widest = gap;
            start = k;
        }
    }
    struct Member {
        std::size_t index;  // into `desired`
        double want;        // unwrapped, ascending along the groups
    };
    struct Group {
        std::vector<Member> members;
        double centre = 0.0;  // mean of the members' wanted angles
    };
    std::vector<Group> groups;
    double previous = -1e9;
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t index = order[(start + k) % n];
        double want = Norm360(desired[index]);
        while (want < previous) want += 360;
        previous = want;
        groups.push_back({{{index, want}}, want});
    }
    auto half = [&](const Group& g) { return separation * (static_cast<double>(g.members.size()) - 1) / 2; };
    auto merge = [&](Group& into, Group next, double shift) {
        for (Member& m : next.members) {
            m.want += shift;
            into.members.push_back(m);
        }
        double sum = 0;
        for (const Member& m : into.members) sum += m.want;
        into.centre = sum / static_cast<double>(into.members.size());
    };
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t g = 0; g + 1 < groups.size(); ++g) {
            const double room = (groups[g + 1].centre - half(groups[g + 1])) - (groups[g].centre + half(groups[g]));
            if (room < separation - 1e-9) {
                merge(groups[g], std::move(groups[g + 1]), 0);
                groups.erase(groups.begin() + static_cast<std::ptrdiff_t>(g) + 1);
                changed = true;
                break;
            }
        }
        // The last group against the first, one turn on.
        if (!changed && groups.size() > 1) {
            const double room =
                (groups.front().centre - half(groups.front()) + 360) - (groups.back().centre + half(groups.back()));
            if (room < separation - 1e-9) {
                Group first = std::move(groups.front());
                groups.erase(groups.begin());
                merge(groups.back(), std::move(first), 360);
                changed = true;
            }
        }
    }
    std::vector<double> out(n);
    for (const Group& g : groups) {
        const double low = g.centre - half(g);
        for (std::size_t m = 0; m < g.members.size(); ++m) {
            out[g.members[m].index] = Norm360(low + separation * static_cast<double>(m));
        }
    }
    return out;
}

// The label stacked in three lines: "15°", "♈", "23′".
std::vector<std::string> StackedPositionLines(double longitude) {
    const SplitResult s = SplitLongitude(longitude);
    return {std::to_string(s.SignDegree) + "\u00B0", std::string(SignGlyph(s.SignNumber)),
            (s.ArcMinute < 10 ? "0" : "") + std::to_string(s.ArcMinute) + "\u2032"};
}

// A point's label: the degree, the sign's glyph and the minute, as chart wheels write them
// ("17♒25"): the sign stands between degree and minute, so the marks are left out.
std::string PointPositionText(double longitude) {
    const SplitResult s = SplitLongitude(longitude);
    return std::to_string(s.SignDegree) + std::string(SignGlyph(s.SignNumber)) + (s.ArcMinute < 10 ? "0" : "") +
           std::to_string(s.ArcMinute);
}

std::string SignedPositionText(double longitude) {
    const SplitResult s = SplitLongitude(longitude);
    std::string text = std::to_string(s.SignDegree) + "\u00B0" + std::string(SignGlyph(s.SignNumber));
    if (s.ArcMinute < 10) text += "0";
    return text + std::to_string(s.ArcMinute) + "\u2032";
}

struct RingSource {
    WheelRing ring;
    const PointArray* longitudes;
    const std::string* retroMarks;  // nothing for the solar arc
    ColourRole role;
    // The chosen extra points of the ring's chart; nothing when it has none.
    const ExtraPointArray* extras = nullptr;
    const PointChoice* choice = nullptr;
};

// The rings a calculation's charts hold; a return chart is not among them (LayOutReturnWheel).
RingSource SourceOf(const ChartState& c, WheelRing ring) {
    const PointChoice* choice = c.Points.Any() ? &c.Points : nullptr;
    switch (ring) {
        case WheelRing::Natal:
        case WheelRing::Return: break;
        case WheelRing::Progressed:
            return {ring, &c.ProgLong, &c.ProgRetroMarks, ColourRole::Progressed, &c.ProgPoints, choice};
        case WheelRing::SolarArc: return {ring, &c.ArcLong, nullptr, ColourRole::SolarArc, &c.ArcPoints, choice};
        case WheelRing::Transits:
            return {ring, &c.TransitLong, &c.TransitRetroMarks, ColourRole::Transit, &c.TransitPoints, choice};
    }
    return {WheelRing::Natal, &c.NatalLong, &c.NatalRetroMarks, ColourRole::Natal, &c.NatalPoints, choice};
}

// Chiron and the asteroids are marked retrograde when they move backwards; the nodes (whose mean
// motion is backwards) and Lilith are not.
bool ExtraPointRetrograde(ExtraPoint p, const PointPosition& position) {
    return RowOf(p).routine == PointRoutine::LibraryOnly && p != ExtraPoint::TrueNode && position.speed < 0;
}

// What a wheel draws: the inner chart, whose cusps and angles frame the wheel and whose points
// aspect each other, and the rings around it, inner first.
struct WheelCharts {
    RingSource inner;
    std::vector<RingSource> outside;
    const CuspArray* cusps;
    std::string_view HouseSystemCode;
};

}  // namespace

WheelStroke StrokeOf(WheelLineKind kind, ColourRole role) {
    switch (kind) {
        case WheelLineKind::SignBoundary: return {ColourRole::Ink, 1.0};
        case WheelLineKind::Tick1: return {ColourRole::Faint, 0.8};
        case WheelLineKind::Tick5: return {ColourRole::Ink, 0.8};
        case WheelLineKind::Tick10: return {ColourRole::Ink, 1.2};
        case WheelLineKind::Cusp: return {ColourRole::Faint, 1.0};
        case WheelLineKind::Aspect: return {role, 1.4, LineStyleOf(role)};
        case WheelLineKind::Angle: return {ColourRole::Ink, 2.5};
        case WheelLineKind::Leader: return {role, 1.1};
        case WheelLineKind::Ring: return {role, 1.0};
        case WheelLineKind::RingKey: return {role, 5.0};
    }
    return {};
}

WheelLineKind TickKind(int every) {
    return every == 10 ? WheelLineKind::Tick10 : every == 5 ? WheelLineKind::Tick5 : WheelLineKind::Tick1;
}

double WheelAngleOf(double longitude, double ascendant, WheelOrientation orientation) {
    const double zero = orientation == WheelOrientation::AscendantLeft ? ascendant : 0.0;
    return Norm360(180 + longitude - zero);
}

namespace {

WheelLayout LayOut(const WheelCharts& charts, const Options& options, WheelOrientation orientation,
                   bool outerAspects, const std::vector<std::string>& titleLines) {
    WheelLayout w;
    w.size = Size;
    w.centre = {Size / 2, Size / 2};
    w.orientation = orientation;
    w.houseSystem = std::string(HouseSystemName(charts.HouseSystemCode));
    const PointArray& innerLong = *charts.inner.longitudes;
    const double asc = innerLong[ASC];
    auto angleOf = [&](double longitude) { return WheelAngleOf(longitude, asc, orientation); };

    // The rings from the outside in: the outer rings (the last outermost), then the inner chart.
    w.rings.push_back(charts.inner.ring);
    for (const RingSource& r : charts.outside) w.rings.push_back(r.ring);
    std::vector<RingSource> fromOutside(charts.outside.rbegin(), charts.outside.rend());
    fromOutside.push_back(charts.inner);

    // Zodiac ring: signs, their boundaries and the degree ticks.
    w.circles.push_back({ZodiacOuter, 1.5, ColourRole::Ink, ColourRole::Band});
    w.circles.push_back({ZodiacInner, 1.5, ColourRole::Ink, ColourRole::Background});
    for (int sign = 1; sign <= 12; ++sign) {
        WheelSign s;
        s.sign = sign;
        s.glyph = std::string(SignGlyph(sign));
        s.size = SignSize;
        const double begin = angleOf(30.0 * (sign - 1));
        s.boundaryInner = OnCircle(w.centre, ZodiacInner, begin);
        s.boundaryOuter = OnCircle(w.centre, ZodiacOuter, begin);
        s.box = BoxAround(OnCircle(w.centre, (ZodiacInner + ZodiacOuter) / 2, angleOf(30.0 * (sign - 1) + 15)), SignSize,
                          SignSize);
        w.signs.push_back(s);
    }
    for (int degree = 0; degree < 360; ++degree) {
        const int every = degree % 10 == 0 ? 10 : degree % 5 == 0 ? 5 : 1;
        const double length = every == 10 ? 14 : every == 5 ? 9 : 5;
        const double a = angleOf(degree);
        w.ticks.push_back({OnCircle(w.centre, ZodiacInner, a), OnCircle(w.centre, ZodiacInner - length, a), every});
    }

    // The rings of points, from the outside in, each as deep as its crowds need. The axes stay
    // clear of every glyph and label. When the rings would leave the aspect circle too small,
    // their glyphs and labels are drawn smaller.
    const double mcAngle = angleOf(innerLong[MC]);
    std::vector<WheelSegment> axes;
    for (double a : {angleOf(asc), Norm360(angleOf(asc) + 180), mcAngle, Norm360(mcAngle + 180)}) {
        axes.push_back({w.centre, OnCircle(w.centre, AngleLineEnd, a)});
    }
    std::vector<double> boundaries;
    for (std::size_t slot = 1; slot <= 12; ++slot) boundaries.push_back(angleOf((*charts.cusps)[slot]));
    for (int sign = 0; sign < 12; ++sign) boundaries.push_back(angleOf(30.0 * sign));
    const double numberRho = CircleAround(TextWidth("12", HouseNumberSize), HouseNumberSize * 1.2);
    const PointSizes fullSizes = PointSizesFor(fromOutside.size());
    std::vector<WheelGlyph> glyphs;
    std::vector<double> ringOuters;
    double outer = OutermostRing;
    for (double scale = 1.0;; scale *= 0.9) {
        const PointSizes sizes{fullSizes.glyph * scale, fullSizes.label * scale};
        glyphs.clear();
        ringOuters.clear();
        bool overlaps = false;
        outer = OutermostRing;
        // Each ring leaves room below it for the rings still to come (one row each) and the
        // aspect circle with its house numbers.
        const double rowDepth = 7 + sizes.glyph + 2 * sizes.label;
        double reserve = MinAspectRadius + 2 * (Gap + numberRho) + rowDepth * static_cast<double>(fromOutside.size());
        for (const RingSource& source : fromOutside) {
            reserve -= rowDepth;
            ringOuters.push_back(outer);
            const WheelRing ring = source.ring;
            std::vector<RingLabelRequest> requests;
            const std::size_t first = glyphs.size();
            // The inner chart's ascendant and midheaven are the axes, with their labels outside the
            // zodiac.
            const int lastBody = ring == charts.inner.ring ? MOON : MC;
            // The ring's points: SUN .. MOON (or MC), then its chosen extra points.
            std::vector<int> bodies;
            for (int body = SUN; body <= lastBody; ++body) bodies.push_back(body);
            if (source.extras && source.choice) {
                for (const ExtraPointRow& row : ExtraPoints) {
                    if (source.choice->Has(row.point)) bodies.push_back(ExtraPointBody(row.point));
                }
            }
            for (const int body : bodies) {
                WheelGlyph g;
                g.ring = ring;
                g.body = body;
                g.role = source.role;
                if (IsExtraPointBody(body)) {
                    const auto p = static_cast<ExtraPoint>(body - FirstExtraPointBody);
                    const PointPosition& position = (*source.extras)[static_cast<std::size_t>(p)];
                    g.longitude = position.lon;
                    g.retrograde = ExtraPointRetrograde(p, position);
                } else {
                    g.longitude = (*source.longitudes)[static_cast<std::size_t>(body)];
                    g.retrograde = source.retroMarks && static_cast<std::size_t>(body - 1) < source.retroMarks->size() &&
                                   (*source.retroMarks)[static_cast<std::size_t>(body - 1)] == 'R';
                }
                g.trueAngle = angleOf(g.longitude);
                g.glyph = std::string(BodyGlyph(body));
                g.label = PointPositionText(g.longitude) + (g.retrograde ? std::string(RetrogradeGlyph) : "");
                // The symbols fill about four fifths of their font's height: drawn a size larger,
                // they fill their box (a painter shrinks any that would be wider).
                g.glyphSize = sizes.glyph * 1.25;
                g.labelSize = sizes.label;
                g.labelLines = StackedPositionLines(g.longitude);
                if (g.retrograde) g.labelLines.back() += std::string(RetrogradeGlyph);
                double stackedW = 0;
                for (const std::string& line : g.labelLines) stackedW = std::max(stackedW, TextWidth(line, sizes.label));
                requests.push_back({g.trueAngle, sizes.glyph, sizes.glyph, TextWidth(g.label, sizes.label),
                                    sizes.label * 1.2, stackedW, sizes.label * 1.15 * 3});
                glyphs.push_back(g);
            }
            const RingSpace space{w.centre, outer, reserve, axes, boundaries};
            const std::vector<RingLabelPlace> places = PlaceRingLabels(requests, space);
            double inner = outer;
            for (std::size_t i = 0; i < places.size(); ++i) {
                WheelGlyph& g = glyphs[first + i];
                const RingLabelPlace& p = places[i];
                g.angle = Norm360(p.angle);
                g.radius = p.radius;
                g.glyphBox = p.glyphBox;
                g.labelBox = p.labelBox;
                if (!p.stacked) g.labelLines = {g.label};
                g.leaderFrom = p.leaderFrom;
                g.leaderTo = p.leaderTo;
                overlaps = overlaps || p.overlaps;
                inner = std::min({inner, NearestDistance(p.glyphBox, w.centre), NearestDistance(p.labelBox, w.centre)});
            }
            outer = inner - Gap;
        }
        const double aspectRadius = outer - 2 * (Gap + numberRho);
        if (!overlaps && (aspectRadius >= MinAspectRadius || scale * 0.9 < MinPointScale)) break;
        if (scale * 0.9 < LeastPointScale) break;
    }
    for (double r : ringOuters) w.circles.push_back({r, 1.0, ColourRole::Faint, std::nullopt});
    w.glyphs = std::move(glyphs);
    w.circles.push_back({outer, 1.0, ColourRole::Faint, std::nullopt});

    // House numbers just outside the aspect circle, the aspect circle, and the cusp lines.
    const double numberRadius = outer - Gap - numberRho;
    w.aspectRadius = numberRadius - numberRho - Gap;
    w.circles.push_back({w.aspectRadius, 1.0, ColourRole::Ink, std::nullopt});
    std::vector<double> middles;
    for (std::size_t slot = 1; slot <= 12; ++slot) {
        WheelCusp cusp;
        cusp.house = static_cast<int>((slot + 8) % 12 + 1);
        cusp.longitude = (*charts.cusps)[slot];
        cusp.angle = angleOf(cusp.longitude);
        cusp.inner = OnCircle(w.centre, w.aspectRadius, cusp.angle);
        cusp.outer = OnCircle(w.centre, ZodiacInner, cusp.angle);
        cusp.number = std::to_string(cusp.house);
        cusp.numberSize = HouseNumberSize;
        w.cusps.push_back(cusp);
    }
    std::sort(w.cusps.begin(), w.cusps.end(), [](const WheelCusp& a, const WheelCusp& b) { return a.house < b.house; });
    for (std::size_t h = 0; h < 12; ++h) {
        const double from = w.cusps[h].longitude;
        const double to = w.cusps[(h + 1) % 12].longitude;
        middles.push_back(angleOf(from + Norm360(to - from) / 2));
    }
    const std::vector<double> numberAngles = SpreadAngles(middles, SeparationAt(numberRadius, numberRho));
    for (std::size_t h = 0; h < 12; ++h) {
        WheelCusp& c = w.cusps[h];
        c.numberBox = BoxAround(OnCircle(w.centre, numberRadius, numberAngles[h]), TextWidth(c.number, HouseNumberSize),
                                HouseNumberSize * 1.2);
    }

    // The four angles, with labels outside the zodiac.
    const struct {
        const char* name;
        double longitude;
    } angles[] = {{"ASC", asc},
                  {"MC", innerLong[MC]},
                  {"DSC", Norm360(asc + 180)},
                  {"IC", Norm360(innerLong[MC] + 180)}};
    std::vector<double> angleWanted;
    double angleRho = 0;
    for (const auto& a : angles) {
        WheelAngle angle;
        angle.name = a.name;
        angle.longitude = a.longitude;
        angle.angle = angleOf(a.longitude);
        angle.inner = OnCircle(w.centre, w.aspectRadius, angle.angle);
        angle.outer = OnCircle(w.centre, AngleLineEnd, angle.angle);
        angle.label = angle.name + " " + SignedPositionText(a.longitude);
        angle.labelSize = AngleLabelSize;
        angleRho = std::max(angleRho, CircleAround(TextWidth(angle.label, AngleLabelSize), AngleLabelSize * 1.2));
        angleWanted.push_back(angle.angle);
        w.angles.push_back(angle);
    }
    // Outside the zodiac ring whatever the angle: the circle around a label clears the ring.
    const double labelRadius = ZodiacOuter + Gap + angleRho;
    const std::vector<double> labelAngles = SpreadAngles(angleWanted, SeparationAt(labelRadius, angleRho));
    for (std::size_t i = 0; i < w.angles.size(); ++i) {
        WheelAngle& a = w.angles[i];
        a.labelBox = BoxAround(OnCircle(w.centre, labelRadius, labelAngles[i]), TextWidth(a.label, AngleLabelSize),
                               AngleLabelSize * 1.2);
    }

    // Aspect lines between the inner chart's points within the options' orbs (minor ones only when
    // the options search them), and optionally from the first outer ring to the inner points.
    const AspectBounds bounds = MakeAspectBounds(options);
    auto used = [&](int body) { return NatalTargetUsed(body, options); };
    auto addAspect = [&](WheelRing fromRing, int from, double fromLong, int to, double toLong) {
        const AspectResult r = TestAspect(bounds, fromLong, toLong);
        if (r.AspectCode == NoAspect) return;
        WheelAspect a;
        a.fromRing = fromRing;
        a.from = from;
        a.toRing = charts.inner.ring;
        a.to = to;
        a.AspectCode = r.AspectCode;
        a.orb = r.distance;
        a.role = AspectRole(r.AspectCode);
        a.a = OnCircle(w.centre, w.aspectRadius, angleOf(fromLong));
        a.b = OnCircle(w.centre, w.aspectRadius, angleOf(toLong));
        w.aspects.push_back(a);
    };
    for (int i = SUN; i <= MC; ++i) {
        for (int j = i + 1; j <= MC; ++j) {
            if (!used(i) || !used(j)) continue;
            addAspect(charts.inner.ring, i, innerLong[static_cast<std::size_t>(i)], j,
                      innerLong[static_cast<std::size_t>(j)]);
        }
    }
    if (outerAspects && !charts.outside.empty()) {
        const RingSource& source = charts.outside.front();
        for (int i = SUN; i <= MC; ++i) {
            for (int j = SUN; j <= MC; ++j) {
                if (!used(j)) continue;
                addAspect(source.ring, i, (*source.longitudes)[static_cast<std::size_t>(i)], j,
                          innerLong[static_cast<std::size_t>(j)]);
            }
        }
    }

    // The title lines in the top-left corner.
    double y = 14;
    for (const std::string& line : titleLines) {
        WheelText t;
        t.text = line.size() > 48 ? line.substr(0, 48) : line;
        t.size = TitleSize;
        t.box = {14, y, TextWidth(t.text, TitleSize), TitleSize * 1.3};
        w.titles.push_back(t);
        y += TitleSize * 1.4;
    }

    // The legend in the bottom corners: the rings' colours at the left, the aspect lines' styles
    // at the right, each a short line and its text.
    constexpr double Swatch = 34, SwatchGap = 6, Margin = 14, Row = LegendSize * 1.5;
    auto legendRow = [&](double left, double rowY, ColourRole role, bool aspect, std::string text) {
        WheelLegendItem item;
        item.role = role;
        item.aspect = aspect;
        item.lineFrom = {left, rowY};
        item.lineTo = {left + Swatch, rowY};
        item.text.text = std::move(text);
        item.text.size = LegendSize;
        item.text.role = ColourRole::Ink;
        item.text.box = {left + Swatch + SwatchGap, rowY - LegendSize * 0.65, TextWidth(item.text.text, LegendSize),
                         LegendSize * 1.3};
        w.legend.push_back(item);
    };
    double rowY = Size - Margin - Row * static_cast<double>(w.rings.size() - 1) - LegendSize * 0.65;
    auto roleOf = [&](WheelRing ring) {
        for (const RingSource& r : charts.outside) {
            if (r.ring == ring) return r.role;
        }
        return charts.inner.role;
    };
    for (WheelRing ring : w.rings) {
        legendRow(Margin, rowY, roleOf(ring), false, std::string(RingOf(ring).label));
        rowY += Row;
    }
    struct AspectKey {
        ColourRole role;
        const char* word;
    };
    const AspectKey keys[] = {{ColourRole::Hard, "Hard"}, {ColourRole::Soft, "Soft"}, {ColourRole::Minor, "Minor"}};
    std::vector<std::string> keyTexts;
    double widest = 0;
    for (const AspectKey& key : keys) {
        std::string text = key.word;
        for (int code = 2; code <= 10; ++code) {
            if (AspectRole(code) == key.role) text += " " + std::string(AspectGlyph(code));
        }
        widest = std::max(widest, TextWidth(text, LegendSize));
        keyTexts.push_back(text);
    }
    rowY = Size - Margin - Row * 2 - LegendSize * 0.65;
    for (std::size_t k = 0; k < keyTexts.size(); ++k) {
        legendRow(Size - Margin - widest - SwatchGap - Swatch, rowY, keys[k].role, true, keyTexts[k]);
        rowY += Row;
    }
    return w;
}

}  // namespace

WheelLayout LayOutWheel(const ChartState& chart, const Options& options, const WheelChoice& choice,
                        const std::vector<std::string>& titleLines) {
    WheelCharts charts{SourceOf(chart, WheelRing::Natal), {}, &chart.NatalCusp, chart.HouseSystemCode};
    // The outer rings as chosen, inner first; at most two, each once.
    std::vector<WheelRing> outside;
    for (WheelRing r : choice.outerRings) {
        if (r != WheelRing::Natal && r != WheelRing::Return && outside.size() < 2 &&
            std::find(outside.begin(), outside.end(), r) == outside.end()) {
            outside.push_back(r);
        }
    }
    for (WheelRing r : outside) charts.outside.push_back(SourceOf(chart, r));
    return LayOut(charts, options, choice.orientation, choice.outerAspects, titleLines);
}

WheelLayout LayOutReturnWheel(const ChartState& chart, const ReturnChart& ret, const Options& options,
                              WheelOrientation orientation, bool outerAspects,
                              const std::vector<std::string>& titleLines) {
    const WheelCharts charts{{WheelRing::Return, &ret.Long, &ret.RetroMarks, ColourRole::Return},
                             {SourceOf(chart, WheelRing::Natal)},
                             &ret.Cusp,
                             ret.HouseSystemCode};
    return LayOut(charts, options, orientation, outerAspects, titleLines);
}

std::vector<std::string> ReturnWheelTitleLines(const ChartState& chart, const ReturnChart& ret) {
    const ParsedInput& in = chart.input;
    std::vector<std::string> lines;
    lines.push_back(chart.ChartName.empty() ? "Chart" : chart.ChartName);
    // The moment to the nearest minute, UT.
    const double minutes = std::round((ret.moment.jd + 0.5) * 1440);
    const double dayNumber = std::floor(minutes / 1440);
    const int minuteOfDay = static_cast<int>(minutes - dayNumber * 1440);
    char clock[8];
    std::snprintf(clock, sizeof clock, "%02d:%02d", minuteOfDay / 60 % 100, minuteOfDay % 60);
    std::string name(PointName(ret.moment.body));
    while (!name.empty() && name.back() == ' ') name.pop_back();
    lines.push_back("Return (inner): " + name + " " + DateDdMmmYyyy(JulianDayToCalendar(dayNumber)) + " " + clock + " UT" +
                    (ret.moment.retrograde ? " R" : ""));
    lines.push_back("Natal (outer): " + DateDdMmmYyyy(NatalCalendarDate(chart)) + " " +
                    FormatPicture(in.NatalHour, "#0.00") + " " + in.NatalMeridiem);
    lines.push_back(std::string(HouseSystemName(ret.HouseSystemCode)) + " houses of the return");
    return lines;
}

WheelChoice WheelChoiceFromSettings(const Settings& settings, bool outerAspects) {
    WheelChoice choice;
    choice.outerRings.clear();
    for (const WheelRingInfo& info : WheelRings) {
        if (info.place == RingPlace::Outer && settings.wheelRings[RingIndex(info.ring)] && choice.outerRings.size() < 2) {
            choice.outerRings.push_back(info.ring);
        }
    }
    choice.orientation = settings.wheelOrientation;
    choice.outerAspects = outerAspects;
    return choice;
}

void StoreWheelChoice(const WheelChoice& choice, Settings& settings) {
    settings.wheelRings = RingSetOf({WheelRing::Natal});
    for (const WheelRing ring : choice.outerRings) settings.wheelRings[RingIndex(ring)] = true;
    settings.wheelOrientation = choice.orientation;
}

std::vector<std::string> WheelTitleLines(const ChartState& chart, const WheelChoice& choice) {
    const ParsedInput& in = chart.input;
    std::vector<std::string> lines;
    lines.push_back(chart.ChartName.empty() ? "Chart" : chart.ChartName);
    lines.push_back("Natal " + DateDdMmmYyyy(NatalCalendarDate(chart)) + " " + FormatPicture(in.NatalHour, "#0.00") +
                    " " + in.NatalMeridiem);
    const std::string diurnal = DateDdMmmYyyy(DiurnalCalendarDate(chart));
    for (WheelRing r : choice.outerRings) {
        switch (r) {
            case WheelRing::Progressed: lines.push_back("Progressed to " + diurnal); break;
            case WheelRing::SolarArc: lines.push_back("Solar arc to " + diurnal); break;
            case WheelRing::Transits:
                lines.push_back("Transits " + diurnal + " " + FormatPicture(in.DiurnalHour, "#0.00") + " " +
                                in.DiurnalMeridiem);
                break;
            case WheelRing::Natal:
            case WheelRing::Return: break;
        }
    }
    lines.push_back(std::string(HouseSystemName(chart.HouseSystemCode)) + " houses");
    return lines;
}

std::vector<WheelBox> WheelBoxes(const WheelLayout& layout) {
    std::vector<WheelBox> boxes;
    for (const WheelGlyph& g : layout.glyphs) {
        boxes.push_back(g.glyphBox);
        boxes.push_back(g.labelBox);
    }
    for (const WheelCusp& c : layout.cusps) boxes.push_back(c.numberBox);
    for (const WheelAngle& a : layout.angles) boxes.push_back(a.labelBox);
    for (const WheelSign& s : layout.signs) boxes.push_back(s.box);
    for (const WheelText& t : layout.titles) boxes.push_back(t.box);
    for (const WheelLegendItem& item : layout.legend) boxes.push_back(item.text.box);
    return boxes;
}

}  // namespace orrerion
