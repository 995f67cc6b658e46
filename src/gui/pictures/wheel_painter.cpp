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
        painter.setPen(RolePen(c.role, c.width));
        painter.setBrush(c.fill ? QBrush(ToQColor(*c.fill)) : QBrush(Qt::NoBrush));
        painter.drawEllipse(At(w.centre), c.radius, c.radius);
    }
    painter.setBrush(Qt::NoBrush);
    for (const WheelSign& s : w.signs) {
        painter.setPen(RolePen(ColourRole::Ink, 1.0));
        painter.drawLine(At(s.boundaryInner), At(s.boundaryOuter));
        DrawTextInBox(painter, Box(s.box), s.glyph, s.size, symbols, ColourRole::Ink, BoxAlign::Centre,
                      SignShortText(s.sign));
    }
    for (const WheelTick& t : w.ticks) {
        painter.setPen(RolePen(t.every == 1 ? ColourRole::Faint : ColourRole::Ink, t.every == 10 ? 1.2 : 0.8));
        painter.drawLine(At(t.a), At(t.b));
    }
    for (const WheelCusp& c : w.cusps) {
        painter.setPen(RolePen(ColourRole::Faint, 1.0));
        painter.drawLine(At(c.inner), At(c.outer));
        DrawTextInBox(painter, Box(c.numberBox), c.number, c.numberSize, text, ColourRole::Faint);
    }
    for (const WheelAspect& a : w.aspects) {
        painter.setPen(RolePen(a.role, 1.4));
        painter.drawLine(At(a.a), At(a.b));
    }
    for (const WheelAngle& a : w.angles) {
        painter.setPen(RolePen(ColourRole::Ink, 2.5));
        painter.drawLine(At(a.inner), At(a.outer));
        DrawTextInBox(painter, Box(a.labelBox), a.label, a.labelSize, text, ColourRole::Ink);
    }
    for (const WheelGlyph& g : w.glyphs) {
        if (g.leaderFrom.x != g.leaderTo.x || g.leaderFrom.y != g.leaderTo.y) {
            painter.setPen(RolePen(g.role, 0.8));
            painter.drawLine(At(g.leaderFrom), At(g.leaderTo));
        }
        DrawTextInBox(painter, Box(g.glyphBox), g.glyph, g.glyphSize, symbols, g.role, BoxAlign::Centre,
                      BodyShortText(g.body));
        DrawTextInBox(painter, Box(g.labelBox), g.label, g.labelSize, text, g.role);
    }
    for (const WheelText& t : w.titles) {
        DrawTextInBox(painter, Box(t.box), t.text, t.size, text, t.role, BoxAlign::Left);
    }
    painter.restore();
}

}  // namespace orrerion::gui
