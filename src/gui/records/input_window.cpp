#include "gui/records/input_window.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>

#include "core/chart/input_rules.h"
#include "core/records/names_file.h"
#include "gui/app/sunken_frame.h"
#include "gui/app/window_requests.h"

namespace orrerion::gui {

InputWindow::InputWindow(InputSection section, WindowRequests& requests, InputWindowSlice slice,
                         QWidget* parent)
    : QWidget(parent), requests_(requests), slice_(slice), section_(section) {}

namespace {

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

QLineEdit* InputWindow::Box(InputField field) const {
    const std::string_view name = ControlName(section_, field);
    return name.empty() ? nullptr : findChild<QLineEdit*>(Text(name));
}

void InputWindow::AddFieldRows(QGridLayout& grid, int firstRow) {
    int row = firstRow;
    for (std::size_t i = 0; i < AllInputFields.size(); ++i) {
        const InputField field = AllInputFields[i];
        const std::string_view name = ControlName(section_, field);
        if (name.empty()) continue;
        // The caption's name follows the box's: txtBirthHour has lblBirthHour.
        const std::string box(name);
        const std::string caption = "lbl" + box.substr(3);
        const bool isName = field == InputField::Name;
        const KeyFilter filter = isName                       ? KeyFilter::AnyKey
                                 : field == InputField::Zone ? KeyFilter::DigitsAndSign
                                                             : KeyFilter::Digits;
        const std::string text(FieldCaption(section_, field));
        QLineEdit* added = AddCaptionedTextBox(grid, row++, framed_, caption.c_str(), text.c_str(), box.c_str(),
                                               filter, isName ? 260 : 64, isName ? 2 : 1);
        // The box takes no longer a name than a names-file record holds.
        if (isName) added->setMaxLength(static_cast<int>(MaxNameLength));
    }
}

InputWindow::OptionFrames InputWindow::AddOptionFrames() {
    const std::string prefix = section_ == InputSection::Natal ? "opt" : "optDiurnal";
    auto frame = [&](const char* name, const char* title, const char* first, const char* second) {
        QGroupBox* box = NewOptionFrame(*this, framed_, name, title);
        AddOption(*box, (prefix + first).c_str(), first);
        AddOption(*box, (prefix + second).c_str(), second);
        return box;
    };
    return {frame("Frame1", "Am/Pm", "AM", "PM"), frame("Frame2", "Ea/We", "East", "West"),
            frame("Frame3", "No/So", "North", "South")};
}

void InputWindow::ConnectRules() {
    hour_ = Box(InputField::Hour);
    zone_ = Box(InputField::Zone);
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

bool InputWindow::SelectField(std::string_view control) {
    if (control.empty()) return false;
    QLineEdit* box = findChild<QLineEdit*>(Text(control));
    if (!box) return false;
    show();
    raise();
    activateWindow();
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    return true;
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
