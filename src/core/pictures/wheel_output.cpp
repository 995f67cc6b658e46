#include "core/pictures/wheel_output.h"
#include "core/base/text_tables.h"

#include <algorithm>

#include "core/io/json_text.h"
#include "core/pictures/glyphs.h"
#include "core/pictures/svg_writer.h"

namespace orrerion {
namespace {

// Labels hold digits and the degree, minute and retrograde signs: a text face first, the symbol
// face for what it lacks.
constexpr std::string_view LabelFamilies = "'DejaVu Sans', Symbola, 'Liberation Sans', sans-serif";

std::string Number(double v) { return SvgNumber(v); }

SvgStroke Stroke(WheelLineKind kind, ColourRole role = ColourRole::Ink, double width = 0) {
    const WheelStroke s = StrokeOf(kind, role);
    return {s.colour, width > 0 ? width : s.width, s.style};
}

SvgAttributes PointData(const WheelGlyph& g) {
    return {{"data-ring", std::string(RingOf(g.ring).word)},
            {"data-body", std::string(BodyName(g.body))},
            {"data-longitude", Number(g.longitude)},
            {"data-angle", Number(g.angle)}};
}

std::string JsonBox(const WheelBox& b) {
    return "[" + JsonNumber(b.x) + "," + JsonNumber(b.y) + "," + JsonNumber(b.w) + "," + JsonNumber(b.h) + "]";
}

std::string JsonPoint(const WheelPoint& p) { return "[" + JsonNumber(p.x) + "," + JsonNumber(p.y) + "]"; }

}  // namespace

void WriteWheelSvg(TextSink& out, const WheelLayout& w, const std::string& title) {
    SvgWriter svg(out, w.size, w.size, title);
    const double cx = w.centre.x, cy = w.centre.y;

    svg.OpenGroup("zodiac");
    for (const WheelCircle& c : w.circles) {
        svg.Circle(cx, cy, c.radius, "ring", Stroke(WheelLineKind::Ring, c.role, c.width), c.fill ? &*c.fill : nullptr);
    }
    for (const WheelSign& s : w.signs) {
        svg.Line(s.boundaryInner.x, s.boundaryInner.y, s.boundaryOuter.x, s.boundaryOuter.y, "sign-boundary",
                 Stroke(WheelLineKind::SignBoundary));
        const WheelPoint m = s.box.Centre();
        svg.Text(m.x, m.y, s.glyph, "sign", ColourRole::Ink, s.size, SymbolFontFamilies, TextAnchor::Middle, 0,
                 {{"data-sign", std::to_string(s.sign)}});
    }
    for (const WheelTick& t : w.ticks) {
        svg.Line(t.a.x, t.a.y, t.b.x, t.b.y, "tick tick-" + std::to_string(t.every), Stroke(TickKind(t.every)));
    }
    svg.CloseGroup();

    svg.OpenGroup("houses");
    for (const WheelCusp& c : w.cusps) {
        svg.Line(c.inner.x, c.inner.y, c.outer.x, c.outer.y, "cusp", Stroke(WheelLineKind::Cusp),
                 {{"data-house", c.number}, {"data-longitude", Number(c.longitude)}});
        const WheelPoint m = c.numberBox.Centre();
        svg.Text(m.x, m.y, c.number, "house-number", ColourRole::Faint, c.numberSize, LabelFamilies);
    }
    for (const WheelAngle& a : w.angles) {
        svg.Line(a.inner.x, a.inner.y, a.outer.x, a.outer.y, "angle", Stroke(WheelLineKind::Angle),
                 {{"data-name", a.name}, {"data-longitude", Number(a.longitude)}});
        const WheelPoint m = a.labelBox.Centre();
        svg.Text(m.x, m.y, a.label, "angle-label", ColourRole::Ink, a.labelSize, LabelFamilies);
    }
    svg.CloseGroup();

    svg.OpenGroup("aspects");
    for (const WheelAspect& a : w.aspects) {
        svg.Line(a.a.x, a.a.y, a.b.x, a.b.y, "aspect " + std::string(RoleName(a.role)),
                 Stroke(WheelLineKind::Aspect, a.role),
                 {{"data-aspect", std::string(AspectWord(a.AspectCode))},
                  {"data-from", std::string(RingOf(a.fromRing).word) + " " + std::string(BodyName(a.from))},
                  {"data-to", std::string(RingOf(a.toRing).word) + " " + std::string(BodyName(a.to))},
                  {"data-orb", Number(a.orb)}});
    }
    svg.CloseGroup();

    svg.OpenGroup("points");
    for (const WheelGlyph& g : w.glyphs) {
        const std::string role(RoleName(g.role));
        if (g.leaderFrom.x != g.leaderTo.x || g.leaderFrom.y != g.leaderTo.y) {
            svg.Line(g.leaderFrom.x, g.leaderFrom.y, g.leaderTo.x, g.leaderTo.y, "leader " + role,
                     Stroke(WheelLineKind::Leader, g.role));
        }
        const WheelPoint m = g.glyphBox.Centre();
        svg.Text(m.x, m.y, g.glyph, "point " + role, g.role, g.glyphSize, SymbolFontFamilies, TextAnchor::Middle, 0,
                 PointData(g));
        const double lineHeight = g.labelBox.h / static_cast<double>(std::max<std::size_t>(1, g.labelLines.size()));
        for (std::size_t k = 0; k < g.labelLines.size(); ++k) {
            svg.Text(g.labelBox.Centre().x, g.labelBox.y + lineHeight * (static_cast<double>(k) + 0.5), g.labelLines[k],
                     "label " + role, g.role, g.labelSize, LabelFamilies);
        }
    }
    svg.CloseGroup();

    svg.OpenGroup("titles");
    for (const WheelText& t : w.titles) {
        svg.Text(t.box.x, t.box.Centre().y, t.text, "title", t.role, t.size, LabelFamilies, TextAnchor::Start);
    }
    svg.CloseGroup();

    svg.OpenGroup("legend");
    for (const WheelLegendItem& item : w.legend) {
        const std::string role(RoleName(item.role));
        svg.Line(item.lineFrom.x, item.lineFrom.y, item.lineTo.x, item.lineTo.y, "legend-line " + role,
                 Stroke(item.aspect ? WheelLineKind::Aspect : WheelLineKind::RingKey, item.role));
        svg.Text(item.text.box.x, item.text.box.Centre().y, item.text.text, "legend-text " + role, item.text.role,
                 item.text.size, LabelFamilies, TextAnchor::Start);
    }
    svg.CloseGroup();
    svg.Finish();
}

void WriteWheelJson(TextSink& out, const WheelLayout& w) {
    out.Put("{");
    out.Put("\"size\":" + JsonNumber(w.size));
    out.Put(",\"centre\":" + JsonPoint(w.centre));
    out.Put(",\"orientation\":" +
            JsonString(w.orientation == WheelOrientation::AscendantLeft ? "ascendant-left" : "aries-left"));
    // Keys are snake_case; the camelCase keys of earlier versions stay beside them for one release.
    out.Put(",\"house_system\":" + JsonString(w.houseSystem) + ",\"houseSystem\":" + JsonString(w.houseSystem));
    out.Put(",\"aspect_radius\":" + JsonNumber(w.aspectRadius) + ",\"aspectRadius\":" + JsonNumber(w.aspectRadius));
    out.Put(",\"rings\":[");
    for (std::size_t i = 0; i < w.rings.size(); ++i) out.Put((i ? "," : "") + JsonString(RingOf(w.rings[i]).word));
    out.Put("],\"points\":[");
    for (std::size_t i = 0; i < w.glyphs.size(); ++i) {
        const WheelGlyph& g = w.glyphs[i];
        out.Put((i ? ",\n" : "\n"));
        out.Put("{\"ring\":" + JsonString(RingOf(g.ring).word) + ",\"body\":" + JsonString(BodyName(g.body)) +
                ",\"longitude\":" + JsonNumber(g.longitude) + ",\"true_angle\":" + JsonNumber(g.trueAngle) +
                ",\"trueAngle\":" + JsonNumber(g.trueAngle) +
                ",\"angle\":" + JsonNumber(g.angle) + ",\"radius\":" + JsonNumber(g.radius) +
                ",\"glyph\":" + JsonString(g.glyph) + ",\"box\":" + JsonBox(g.glyphBox) +
                ",\"label\":" + JsonString(g.label) + ",\"label_lines\":" + std::to_string(g.labelLines.size()) +
                ",\"labelLines\":" + std::to_string(g.labelLines.size()) + ",\"label_box\":" + JsonBox(g.labelBox) +
                ",\"labelBox\":" + JsonBox(g.labelBox) +
                ",\"retrograde\":" + (g.retrograde ? "true" : "false") + "}");
    }
    out.Put("],\"cusps\":[");
    for (std::size_t i = 0; i < w.cusps.size(); ++i) {
        const WheelCusp& c = w.cusps[i];
        out.Put((i ? ",\n" : "\n"));
        out.Put("{\"house\":" + std::to_string(c.house) + ",\"longitude\":" + JsonNumber(c.longitude) +
                ",\"angle\":" + JsonNumber(c.angle) + ",\"number_box\":" + JsonBox(c.numberBox) +
                ",\"numberBox\":" + JsonBox(c.numberBox) + "}");
    }
    out.Put("],\"angles\":[");
    for (std::size_t i = 0; i < w.angles.size(); ++i) {
        const WheelAngle& a = w.angles[i];
        out.Put((i ? ",\n" : "\n"));
        out.Put("{\"name\":" + JsonString(a.name) + ",\"longitude\":" + JsonNumber(a.longitude) +
                ",\"angle\":" + JsonNumber(a.angle) + ",\"label\":" + JsonString(a.label) +
                ",\"label_box\":" + JsonBox(a.labelBox) + ",\"labelBox\":" + JsonBox(a.labelBox) + "}");
    }
    out.Put("],\"signs\":[");
    for (std::size_t i = 0; i < w.signs.size(); ++i) {
        out.Put((i ? "," : "") + std::string("{\"sign\":") + std::to_string(w.signs[i].sign) +
                ",\"box\":" + JsonBox(w.signs[i].box) + "}");
    }
    out.Put("],\"aspects\":[");
    for (std::size_t i = 0; i < w.aspects.size(); ++i) {
        const WheelAspect& a = w.aspects[i];
        out.Put((i ? ",\n" : "\n"));
        out.Put("{\"from\":{\"ring\":" + JsonString(RingOf(a.fromRing).word) + ",\"body\":" +
                JsonString(BodyName(a.from)) + "},\"to\":{\"ring\":" + JsonString(RingOf(a.toRing).word) +
                ",\"body\":" + JsonString(BodyName(a.to)) + "},\"aspect\":" + JsonString(AspectWord(a.AspectCode)) +
                ",\"aspect_name\":" + JsonString(AspectDataName(a.AspectCode)) +
                ",\"orb\":" + JsonNumber(a.orb) + ",\"role\":" + JsonString(RoleName(a.role)) +
                ",\"line\":[" + JsonPoint(a.a) + "," + JsonPoint(a.b) + "]}");
    }
    out.Put("],\"titles\":[");
    for (std::size_t i = 0; i < w.titles.size(); ++i) {
        out.Put((i ? "," : "") + std::string("{\"text\":") + JsonString(w.titles[i].text) +
                ",\"box\":" + JsonBox(w.titles[i].box) + "}");
    }
    out.Put("],\"legend\":[");
    for (std::size_t i = 0; i < w.legend.size(); ++i) {
        const WheelLegendItem& item = w.legend[i];
        out.Put(i ? ",\n" : "\n");
        out.Put("{\"role\":" + JsonString(RoleName(item.role)) + ",\"kind\":" +
                JsonString(item.aspect ? "aspect" : "ring") + ",\"text\":" + JsonString(item.text.text) +
                ",\"line\":[" + JsonPoint(item.lineFrom) + "," + JsonPoint(item.lineTo) +
                "],\"box\":" + JsonBox(item.text.box) + "}");
    }
    out.Put("]}\n");
}

std::string WheelSvg(const WheelLayout& layout, const std::string& title) {
    std::string text;
    {
        TextSink sink(text);
        WriteWheelSvg(sink, layout, title);
    }
    return text;
}

std::string WheelJson(const WheelLayout& layout) {
    std::string text;
    {
        TextSink sink(text);
        WriteWheelJson(sink, layout);
    }
    return text;
}

}  // namespace orrerion
