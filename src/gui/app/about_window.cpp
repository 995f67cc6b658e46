#include "gui/app/about_window.h"

#include <QPainter>

#include "core/base/version.h"

namespace orrerion::gui {

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("About");
    setWindowTitle("About Orrerion");
    setFixedSize(360, 200);
    setToolTip("Click anywhere to close");
}

void AboutWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(0x10, 0x18, 0x38));
    QFont title = font();
    title.setPointSize(28);
    title.setBold(true);
    painter.setFont(title);
    const QRect titleArea(0, 30, width(), 60);
    painter.setPen(QColor(0x00, 0x00, 0x00));
    painter.drawText(titleArea.translated(3, 3), Qt::AlignCenter, "Orrerion");
    painter.setPen(QColor(0xFF, 0xD0, 0x40));
    painter.drawText(titleArea, Qt::AlignCenter, "Orrerion");
    QFont small = font();
    small.setPointSize(11);
    painter.setFont(small);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 100, width(), 24), Qt::AlignCenter, QStringLiteral("Version  ") + ProgramVersion());
    small.setPointSize(9);
    painter.setFont(small);
    painter.setPen(QColor(0xB0, 0xB8, 0xD0));
    painter.drawText(QRect(0, 140, width(), 40), Qt::AlignCenter,
                     "Progressions, solar arcs and transits\nLicensed under the GNU GPL, version 3 or later");
}

void AboutWindow::mousePressEvent(QMouseEvent*) { close(); }

}  // namespace orrerion::gui
