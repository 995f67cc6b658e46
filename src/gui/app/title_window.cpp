#include "gui/app/title_window.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtMath>

#include "core/base/version.h"

namespace orrerion::gui {

OrreryPicture::OrreryPicture(QWidget* parent) : QWidget(parent) {
    setObjectName("Picture1");
    setFixedSize(180, 180);
}

void OrreryPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(0x10, 0x18, 0x38));
    const QPointF centre = QRectF(rect()).center();
    // Orbits with one body each, at fixed angles: a still picture of a turning system.
    const struct { double radius; double angle; double size; QColor colour; } bodies[] = {
        {26, 40, 4, QColor(0xB0, 0xB0, 0xB0)},  {42, 160, 6, QColor(0xE8, 0xC8, 0x80)},
        {58, 250, 6, QColor(0x60, 0x90, 0xE0)}, {72, 320, 5, QColor(0xD0, 0x60, 0x40)},
        {84, 110, 9, QColor(0xD8, 0xB0, 0x80)},
    };
    painter.setPen(QPen(QColor(0x60, 0x68, 0x90), 1));
    painter.setBrush(Qt::NoBrush);
    for (const auto& body : bodies) painter.drawEllipse(centre, body.radius, body.radius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xFF, 0xD0, 0x40));
    painter.drawEllipse(centre, 11, 11);
    for (const auto& body : bodies) {
        const double a = qDegreesToRadians(body.angle);
        painter.setBrush(body.colour);
        painter.drawEllipse(centre + QPointF(body.radius * std::cos(a), -body.radius * std::sin(a)),
                            body.size, body.size);
    }
}

TitleWindow::TitleWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("TITLE");
    setWindowTitle("Orrerion");
    auto* Label1 = new QLabel("Orrerion");
    Label1->setObjectName("Label1");
    QFont big = Label1->font();
    big.setPointSize(24);
    big.setBold(true);
    Label1->setFont(big);
    Label1->setAlignment(Qt::AlignCenter);
    auto* Label2 = new QLabel;
    Label2->setObjectName("Label2");
    Label2->setAlignment(Qt::AlignCenter);
    auto* Label6 = new QLabel(
        "For a listing of changes to the program, please see Revision History under HELP in the "
        "main Orrerion window.  Please review the many other categories under HELP, such as Hints, "
        "Shortcut Keys and Upgrades.");
    Label6->setObjectName("Label6");
    Label6->setWordWrap(true);
    Label6->setAlignment(Qt::AlignCenter);
    auto* cmdOK = new QPushButton("Continue");
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(new OrreryPicture, 0, Qt::AlignCenter);
    layout->addWidget(Label6);
    layout->addWidget(cmdOK, 0, Qt::AlignCenter);
    setFixedWidth(420);
    // Set when the window loads.
    Label2->setText(QStringLiteral("Version ") + ProgramVersion());
}

}  // namespace orrerion::gui
