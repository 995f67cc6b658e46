#include "gui/pictures/wheel_painter.h"

#include <QPainter>

#include "core/pictures/glyphs.h"
#include "gui/pictures/picture_painting.h"

namespace orrerion::gui {
namespace {

QPointF At(const WheelPoint& p) { return {p.x, p.y}; }
QRectF Box(const WheelBox& b) { return {b.x, b.y, b.w, b.h}; }

}  // namespace

void PaintWheel(QPainter& painter, const WheelLayout& w, const QRectF& target) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double side = std::min(target.width(), target.height());
    painter.translate(target.center().x() - side / 2, target.center().y() - side / 2);
    painter.scale(side / w.size, side / w.size);
    painter.fillRect(QRectF(0, 0, w.size, w.size), ToQColor(ColourRole::Background));

    const QFont symbols = SymbolFont();
    const QFont text = TextFont();
    for (const WheelCircle& c : w.circles) {
        painter.setPen(RolePen(c.role, c.width, StrokeOf(WheelLineKind::Ring, c.role).style));
        painter.setBrush(c.fill ? QBrush(ToQColor(*c.fill)) : QBrush(Qt::NoBrush));
        painter.drawEllipse(At(w.centre), c.radius, c.radius);
    }
    painter.setBrush(Qt::NoBrush);
    auto line = [&](WheelLineKind kind, const WheelPoint& a, const WheelPoint& b, ColourRole role = ColourRole::Ink) {
        const WheelStroke stroke = StrokeOf(kind, role);
        painter.setPen(RolePen(stroke.colour, stroke.width, stroke.style));
        painter.drawLine(At(a), At(b));
    };
    for (const WheelSign& s : w.signs) {
        line(WheelLineKind::SignBoundary, s.boundaryInner, s.boundaryOuter);
        DrawTextInBox(painter, Box(s.box), s.glyph, s.size, symbols, ColourRole::Ink, BoxAlign::Centre,
                      SignShortText(s.sign));
    }
    for (const WheelTick& t : w.ticks) line(TickKind(t.every), t.a, t.b);
    for (const WheelCusp& c : w.cusps) {
        line(WheelLineKind::Cusp, c.inner, c.outer);
        DrawTextInBox(painter, Box(c.numberBox), c.number, c.numberSize, text, ColourRole::Faint);
    }
    for (const WheelAspect& a : w.aspects) line(WheelLineKind::Aspect, a.a, a.b, a.role);
    for (const WheelAngle& a : w.angles) {
        line(WheelLineKind::Angle, a.inner, a.outer);
        DrawTextInBox(painter, Box(a.labelBox), a.label, a.labelSize, text, ColourRole::Ink);
    }
    for (const WheelGlyph& g : w.glyphs) {
        if (g.leaderFrom.x != g.leaderTo.x || g.leaderFrom.y != g.leaderTo.y) {
            line(WheelLineKind::Leader, g.leaderFrom, g.leaderTo, g.role);
        }
        DrawTextInBox(painter, Box(g.glyphBox), g.glyph, g.glyphSize, symbols, g.role, BoxAlign::Centre,
                      BodyShortText(g.body));
        const double lineHeight = g.labelBox.h / static_cast<double>(std::max<std::size_t>(1, g.labelLines.size()));
        for (std::size_t k = 0; k < g.labelLines.size(); ++k) {
            const QRectF lineBox(g.labelBox.x, g.labelBox.y + lineHeight * static_cast<double>(k), g.labelBox.w,
                                 lineHeight);
            DrawTextInBox(painter, lineBox, g.labelLines[k], g.labelSize, text, g.role);
        }
    }
    for (const WheelText& t : w.titles) {
        DrawTextInBox(painter, Box(t.box), t.text, t.size, text, t.role, BoxAlign::Left);
    }
    for (const WheelLegendItem& item : w.legend) {
        line(item.aspect ? WheelLineKind::Aspect : WheelLineKind::RingKey, item.lineFrom, item.lineTo, item.role);
        DrawTextInBox(painter, Box(item.text.box), item.text.text, item.text.size, text, item.text.role,
                      BoxAlign::Left);
    }
    painter.restore();
}

}  // namespace orrerion::gui
