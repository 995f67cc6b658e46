#include "gui/records/input_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <variant>

#include "core/chart/input_rules.h"
#include "core/records/birth_input.h"
#include "core/records/names_file.h"
#include "gui/ui/sunken_frame.h"
#include "gui/ui/window_requests.h"
#include "gui/records/input_presenter.h"
#include "gui/ui/dialogs.h"

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

QPushButton* InputWindow::AddFindPlaceRow(QGridLayout& grid, int row) {
    const bool natal = section_ == InputSection::Natal;
    auto* button = new QPushButton("Find place\u2026", this);
    button->setObjectName(natal ? "cmdFindPlace" : "cmdDiurnalFindPlace");
    button->setToolTip("Look a place up in the atlas: its longitude, latitude and time zone at this date and time");
    zoneLabel_ = new QLabel(this);
    zoneLabel_->setObjectName(natal ? "lblZoneName" : "lblDiurnalZoneName");
    zoneLabel_->setWordWrap(true);
    zoneLabel_->setMargin(3);
    zoneLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid.addWidget(button, row, 2);
    grid.addWidget(zoneLabel_, row + 1, 0, 1, 3);
    connect(button, &QPushButton::clicked, this, &InputWindow::cmdFindPlace_Click);
    return button;
}

void InputWindow::ConnectRules() {
    hour_ = Box(InputField::Hour);
    zone_ = Box(InputField::Zone);
    buttons_ = OptionButtonsOf(*this, section_);
    connect(hour_, &QLineEdit::textChanged, this, &InputWindow::HourChanged);
    for (const InputField field : {InputField::Month, InputField::Day, InputField::Year, InputField::Minute}) {
        QLineEdit* box = Box(field);
        connect(box, &QLineEdit::textChanged, this, [this, box] { DateOrClockChanged(*box); });
    }
    for (const InputField field : {InputField::Zone, InputField::LongDeg, InputField::LongMin, InputField::LatDeg,
                                   InputField::LatMin}) {
        connect(Box(field), &QLineEdit::textChanged, this, &InputWindow::ForgetZoneName);
    }
    for (QRadioButton* button : {buttons_.east, buttons_.west, buttons_.north, buttons_.south}) {
        connect(button, &QRadioButton::toggled, this, &InputWindow::ForgetZoneName);
    }
    for (QRadioButton* button : {buttons_.am, buttons_.pm}) {
        connect(button, &QRadioButton::clicked, this, &InputWindow::RefreshNamedZone);
    }
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

bool InputWindow::SelectField(InputField field) {
    QLineEdit* box = Box(field);
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
    if (DateOrClockChanged(*hour_)) return;
    RunHourRule(slice_.dialogs, this, *hour_, *buttons_.am, *buttons_.pm, HourEmptyMessage(section_));
    RefreshNamedZone();
}

bool InputWindow::DateOrClockChanged(QLineEdit& box) {
    if (settingFields_ || fillingPlace_) return false;
    if (const std::optional<InputFields> pasted = WithPastedMoment(Fields(), box.text().toStdString())) {
        SetFields(*pasted);
        RefreshNamedZone();
        return true;
    }
    // The hour box's own rule runs first: the zone is read at the hour it leaves.
    if (&box != hour_) RefreshNamedZone();
    return false;
}

void InputWindow::RefreshNamedZone() {
    if (zoneName_.empty() || settingFields_ || fillingPlace_) return;
    const NamedZoneFill fill = WithZoneAtMoment(Fields(), zoneName_);
    if (!fill.problem.empty()) {
        ShowZoneName(zoneName_ + ": " + fill.problem, {});
        return;
    }
    fillingPlace_ = true;
    SetFields(fill.fields);
    fillingPlace_ = false;
    ShowZoneName(fill.zoneText, fill.notes);
}

void InputWindow::ShowZoneName(const std::string& text, const std::vector<std::string>& notes) {
    if (!zoneLabel_) return;
    QString shown = QString::fromStdString(text);
    for (const std::string& note : notes) shown += "\n" + QString::fromStdString(note);
    zoneLabel_->setText(shown);
    // The window keeps the size of its contents: the label asks for the height its lines take at
    // the width of its row, so that wrapped lines are not cut off.
    zoneLabel_->setMinimumHeight(shown.isEmpty() ? 0 : zoneLabel_->heightForWidth(zoneLabel_->width()));
}

void InputWindow::ForgetZoneName() {
    if (fillingPlace_ || zoneName_.empty()) return;
    zoneName_.clear();
    ShowZoneName({}, {});
}

void InputWindow::cmdFindPlace_Click() {
    Dialogs& dialogs = slice_.dialogs;
    const QString query =
        dialogs.InputBox(this, "The place's name (a city or town; add its region or country to narrow the search):",
                         "Find place", QString()).trimmed();
    if (query.isEmpty()) return;
    std::variant<std::vector<AtlasPlaceRow>, std::string> found;
    {
        BusyPointer busy(dialogs);
        found = requests_.FindAtlasPlaces(query.toStdString());
    }
    if (const auto* problem = std::get_if<std::string>(&found)) {
        dialogs.Show(this, Message{"Find place", MessageIcon::Exclamation, *problem});
        return;
    }
    const PlaceChoice choice = ChooseFoundPlace(
        query.toStdString(), std::get<std::vector<AtlasPlaceRow>>(found),
        [&](const std::string& listing) -> std::optional<std::string> {
            const QString answer = dialogs.InputBox(this, QString::fromStdString(listing), "Find place", "1");
            if (answer.isEmpty()) return std::nullopt;
            return answer.trimmed().toStdString();
        });
    if (!choice.row) {
        if (!choice.problem.empty()) dialogs.Show(this, Message{"Find place", MessageIcon::Exclamation, choice.problem});
        return;
    }
    const NamedZoneFill fill = FillFromAtlasRow(Fields(), *choice.row);
    if (!fill.problem.empty()) {
        dialogs.Show(this, Message{"Find place", MessageIcon::Exclamation, fill.problem});
        return;
    }
    fillingPlace_ = true;
    SetFields(fill.fields);
    fillingPlace_ = false;
    zoneName_ = choice.row->zoneId;
    ShowZoneName(fill.zoneText, fill.notes);
    if (zoneLabel_) zoneLabel_->setToolTip(QString::fromStdString(AtlasPlaceRowSummary(*choice.row)));
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
