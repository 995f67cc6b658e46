#include "gui/pictures/picture_painting.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>

#include "core/pictures/glyphs.h"

namespace orrerion::gui {

QColor ToQColor(ColourRole role) {
    const Rgb c = ColourOf(role);
    return QColor(c.r, c.g, c.b);
}

QPen RolePen(ColourRole role, double width) { return RolePen(role, width, LineStyleOf(role)); }

QPen RolePen(ColourRole role, double width, LineStyle style) {
    QPen pen(ToQColor(role));
    pen.setWidthF(width);
    pen.setCapStyle(Qt::FlatCap);
    switch (style) {
        case LineStyle::Solid: break;
        case LineStyle::Dashed: pen.setDashPattern({4, 2}); break;
        case LineStyle::Dotted: pen.setDashPattern({1, 2}); break;
    }
    return pen;
}

QFont SymbolFont() {
    const QString family = QString::fromUtf8(SymbolFontFamily.data(), static_cast<qsizetype>(SymbolFontFamily.size()));
    if (QFontDatabase::families().contains(family)) return QFont(family);
    QFont font("DejaVu Sans");
    return font;
}

QFont TextFont() {
    QFont font("DejaVu Sans");
    font.setStyleHint(QFont::SansSerif);
    return font;
}

bool FontHasText(const QFont& font, const QString& text) {
    const QFontMetricsF metrics(font);
    for (const uint c : text.toUcs4()) {
        if (!metrics.inFontUcs4(c)) return false;
    }
    return true;
}

void DrawTextInBox(QPainter& painter, const QRectF& box, std::string_view text, double size, const QFont& base,
                   ColourRole colour, BoxAlign align, std::string_view fallback) {
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QFont font = base;
    font.setPixelSize(std::max(1, static_cast<int>(size)));
    if (!fallback.empty() && !FontHasText(font, shown) && !FontHasText(TextFont(), shown)) {
        shown = QString::fromUtf8(fallback.data(), static_cast<qsizetype>(fallback.size()));
    }
    // Pixel sizes are whole numbers: draw at a large size and scale, so that small pictures keep
    // their proportions.
    constexpr double Reference = 100.0;
    font.setPixelSize(static_cast<int>(Reference));
    const QFontMetricsF metrics(font);
    double scale = size / Reference;
    const double width = metrics.horizontalAdvance(shown) * scale;
    if (width > box.width() && width > 0) scale *= box.width() / width;
    painter.save();
    painter.setFont(font);
    painter.setPen(ToQColor(colour));
    const QPointF anchor = align == BoxAlign::Centre ? box.center()
                           : align == BoxAlign::Left ? QPointF(box.left(), box.center().y())
                                                     : QPointF(box.right(), box.center().y());
    painter.translate(anchor);
    painter.scale(scale, scale);
    const double textWidth = metrics.horizontalAdvance(shown);
    const double x = align == BoxAlign::Centre ? -textWidth / 2 : align == BoxAlign::Left ? 0.0 : -textWidth;
    const double y = (metrics.ascent() - metrics.descent()) / 2;
    painter.drawText(QPointF(x, y), shown);
    painter.restore();
}

}  // namespace orrerion::gui
