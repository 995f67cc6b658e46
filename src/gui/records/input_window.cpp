#include "gui/records/input_window.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>

#include "core/chart/input_rules.h"
#include "gui/app/sunken_frame.h"
#include "gui/app/window_requests.h"

namespace orrerion::gui {

InputWindow::InputWindow(InputSection section, WindowRequests& requests, InputWindowSlice slice,
                         QWidget* parent)
    : QWidget(parent), requests_(requests), slice_(slice), section_(section) {}

void InputWindow::ConnectRules() {
    auto box = [this](InputField field) {
        const std::string_view name = ControlName(section_, field);
        return findChild<QLineEdit*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    };
    hour_ = box(InputField::Hour);
    zone_ = box(InputField::Zone);
    buttons_ = OptionButtonsOf(*this, section_);
    connect(hour_, &QLineEdit::textChanged, this, &InputWindow::HourChanged);
    connect(buttons_.east, &QRadioButton::clicked, this, [this] { RunZoneSignRule(*zone_, true); });
    connect(buttons_.west, &QRadioButton::clicked, this, [this] { RunZoneSignRule(*zone_, false); });
    connect(findChild<ClickLabel*>("Label1"), &ClickLabel::clicked, this, &InputWindow::Label1_Click);
    connect(findChild<ClickLabel*>("Label2"), &ClickLabel::clicked, this, &InputWindow::Label2_Click);
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
    (east ? buttons_.east : buttons_.west)->setChecked(true);
    RunZoneSignRule(*zone_, east);
}

void InputWindow::HourChanged() {
    if (settingFields_) return;
    RunHourRule(slice_.dialogs, this, *hour_, *buttons_.am, *buttons_.pm, HourEmptyMessage(section_));
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

void InputWindow::keyPressEvent(QKeyEvent* event) {
    if (EnterPressesDefault(*this, event, [this] { requests_.CalculateFromInput(); })) return;
    QWidget::keyPressEvent(event);
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
