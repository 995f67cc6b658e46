#include "gui/output/scan_windows.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace orrerion::gui {
namespace {

// Console colour 12, light red.
const QColor BarColour(0xFF, 0x55, 0x55);

// Lets the window system map and paint the window, without running any user input.
void PaintPending() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

}  // namespace

ProgressPicture::ProgressPicture(QWidget* parent) : QWidget(parent) {
    setObjectName("Picture2");
    setMinimumSize(300, 28);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void ProgressPicture::SetPercent(double percent) {
    const double clamped = std::clamp(percent, 0.0, 100.0);
    // The scan reports every day; only a change the picture can show is painted.
    const bool visibleChange =
        static_cast<int>(clamped) != static_cast<int>(percent_) ||
        std::lround(width() * clamped / 100.0) != std::lround(width() * percent_ / 100.0);
    percent_ = clamped;
    if (visibleChange) repaint();
}

void ProgressPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int filled = static_cast<int>(std::lround(width() * percent_ / 100.0));
    painter.fillRect(QRect(0, 0, filled, height()), BarColour);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    painter.drawText(rect(), Qt::AlignCenter, QString("%1 %").arg(static_cast<int>(percent_)));
}

StatusWindow::StatusWindow(QWidget* parent) : QDialog(parent), picture_(new ProgressPicture) {
    setObjectName("StatusDlg");
    setWindowTitle("% Completed");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture_);
    setModal(false);
}

void StatusWindow::SetPercent(double percent) {
    picture_->SetPercent(percent);
    const int whole = static_cast<int>(percent);
    if (whole != shownPercent_) {
        shownPercent_ = whole;
        PaintPending();
    }
}

WaitWindow::WaitWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("WAIT");
    setWindowTitle("Wait for program to sort data");
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel("Wait for program to sort data files");
    label->setObjectName("Label1");
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(320);
    layout->addWidget(label);
    setModal(false);
}

void WaitWindow::ShowNow() {
    show();
    PaintPending();
    repaint();
}

}  // namespace orrerion::gui
