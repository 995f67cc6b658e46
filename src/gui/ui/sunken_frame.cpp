#include "gui/ui/sunken_frame.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QWidget>
#include <algorithm>


namespace orrerion::gui {

void PaintSunkenFrame(QWidget& form, const QWidget& control) {
    if (!control.isVisible()) return;
    QPainter painter(&form);
    const QRect r = control.geometry();
    // One pixel is TwipsPerPixel twips: the frame is as many pixels wide as fit in 15 twips.
    const int widthPixels = std::max(1, 15 / TwipsPerPixel);
    for (int d = 1; d <= widthPixels; ++d) {
        const int left = r.left() - d;
        const int top = r.top() - d;
        const int right = r.right() + d;
        const int bottom = r.bottom() + d;
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawLine(left, top, right, top);
        painter.drawLine(left, top, left, bottom);
        painter.setPen(Qt::white);
        painter.drawLine(left, bottom, right, bottom);
        painter.drawLine(right, top, right, bottom);
    }
}

QFont FixedPitchFont(double points) {
    // Courier New where installed; elsewhere the font system substitutes a face of the same
    // metrics (Liberation Mono) for the name.
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(points);
    if (QFontInfo(font).fixedPitch()) return font;
    QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    system.setPointSizeF(points);
    if (QFontInfo(system).fixedPitch()) return system;
    // The system's fixed font may be a face that does not declare itself fixed-pitch: take any
    // installed family that does.
    for (const QString& family : QFontDatabase::families()) {
        if (!QFontDatabase::isFixedPitch(family)) continue;
        QFont fixed(family);
        fixed.setPointSizeF(points);
        return fixed;
    }
    return font;
}

bool FixedPitchFontAvailable() {
    const QFont font = FixedPitchFont(10);
    return QFontInfo(font).fixedPitch();
}

}  // namespace orrerion::gui
