#include "gui/output/scan_windows.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
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

void ProgressPicture::SetPercent(double percent) { percent_ = std::clamp(percent, 0.0, 100.0); }

bool ProgressPicture::ChangedSincePainted() const {
    return static_cast<int>(percent_) != static_cast<int>(paintedPercent_) ||
           std::lround(width() * percent_ / 100.0) != std::lround(width() * paintedPercent_ / 100.0);
}

void ProgressPicture::paintEvent(QPaintEvent*) {
    paintedPercent_ = percent_;
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
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setObjectName("cmdCancel");
    cancel->setToolTip("Stop the scan; the report files of the last scan stay as they are (Escape)");
    connect(buttons, &QDialogButtonBox::rejected, this, &StatusWindow::reject);
    layout->addWidget(buttons);
    setModal(true);
}

void StatusWindow::reject() {
    stopAsked_ = true;
    picture_->setEnabled(false);
    if (auto* box = findChild<QDialogButtonBox*>()) box->setEnabled(false);
}

void StatusWindow::closeEvent(QCloseEvent* event) {
    // The window goes when the scan has stopped, not before.
    event->ignore();
    reject();
}

void StatusWindow::SetPercent(double percent) {
    picture_->SetPercent(percent);
    // The scan reports its progress many times a second. Each painting goes to the window system
    // at once; a painting for every step of the bar cost the desktop program more than the
    // scan's arithmetic, so a change waits for the next frame.
    if (frame_.isValid() && frame_.elapsed() < FrameMilliseconds) return;
    frame_.start();
    if (picture_->ChangedSincePainted()) picture_->repaint();
    // The window is modal, so the only input answered here is its own: Cancel, Escape, closing.
    QCoreApplication::processEvents();
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
