#include "gui/records/input_window.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>

#include "core/chart/input_rules.h"
#include "gui/app/sunken_frame.h"
#include "gui/app/window_requests.h"
#include "gui/records/input_controls.h"

namespace orrerion::gui {

InputWindow::InputWindow(InputSection section, WindowRequests& requests, InputWindowSlice slice,
                         QWidget* parent)
    : QWidget(parent), requests_(requests), slice_(slice), section_(section) {}

void InputWindow::ConnectRules(QLineEdit& hour, QRadioButton& am, QRadioButton& pm,
                               QLineEdit& zone, QRadioButton& east, QRadioButton& west,
                               ClickLabel& timeZones, ClickLabel& atlas) {
    hour_ = &hour;
    am_ = &am;
    pm_ = &pm;
    zone_ = &zone;
    east_ = &east;
    west_ = &west;
    connect(hour_, &QLineEdit::textChanged, this, &InputWindow::HourChanged);
    connect(east_, &QRadioButton::clicked, this, [this] { RunZoneSignRule(*zone_, true); });
    connect(west_, &QRadioButton::clicked, this, [this] { RunZoneSignRule(*zone_, false); });
    connect(&timeZones, &ClickLabel::clicked, this, &InputWindow::Label1_Click);
    connect(&atlas, &ClickLabel::clicked, this, &InputWindow::Label2_Click);
}

InputFields InputWindow::Fields() const { return ReadInputFields(*this, section_); }

void InputWindow::WriteFields(const InputFields& fields, bool rulesRun) {
    settingFields_ = !rulesRun;
    WriteInputFields(*this, section_, fields);
    settingFields_ = false;
}

void InputWindow::SetFields(const InputFields& fields) { WriteFields(fields, false); }

void InputWindow::EnterFields(const InputFields& fields) { WriteFields(fields, true); }

void InputWindow::SetZoneText(const QString& zone) { zone_->setText(zone); }

void InputWindow::SelectEast(bool east) {
    // Setting a button from code raises no click, so the rule runs here.
    (east ? east_ : west_)->setChecked(true);
    RunZoneSignRule(*zone_, east);
}

void InputWindow::HourChanged() {
    if (settingFields_) return;
    RunHourRule(slice_.dialogs, this, *hour_, *am_, *pm_, HourEmptyMessage(section_));
}

void InputWindow::Label1_Click() { requests_.OpenTimeZonePicker(section_); }

void InputWindow::Label2_Click() {
    InputFields fields = Fields();
    if (requests_.LookUpAtlasPlace(fields, this)) SetFields(fields);
}

void InputWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    for (QWidget* control : framed_) PaintSunkenFrame(*this, *control);
}

void InputWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (!childAt(event->position().toPoint())) {
        if (event->button() == Qt::RightButton) {
            requests_.FocusMainWindow(false);
            return;
        }
        if (event->button() == Qt::LeftButton && section_ == InputSection::Diurnal) {
            requests_.CalculateFromInput();
            return;
        }
    }
    QWidget::mouseReleaseEvent(event);
}

}  // namespace orrerion::gui
