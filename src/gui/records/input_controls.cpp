#include "gui/records/input_controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <array>

#include "core/chart/input_rules.h"
#include "gui/ui/dialogs.h"

namespace orrerion::gui {

void SetTabChain(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

TextBoxRules::TextBoxRules(QLineEdit& box, KeyFilter filter)
    : QObject(&box), box_(box), filter_(filter) {
    box.installEventFilter(this);
}

bool TextBoxRules::Accepts(KeyFilter filter, QChar c) {
    if (c == QChar('\b')) return true;
    if (c >= QChar('0') && c <= QChar('9')) return true;
    switch (filter) {
        case KeyFilter::AnyKey: return true;
        case KeyFilter::Digits: return false;
        case KeyFilter::DigitsAndSign: return c == QChar('-') || c == QChar('.');
    }
    return false;
}

bool TextBoxRules::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &box_) return false;
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Shortcuts (Ctrl+C, Ctrl+V, Alt+letter) and keys without a printable character (arrows,
        // Delete, Home, Tab) keep their usual meaning.
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
            return false;
        }
        const QString text = key->text();
        if (text.isEmpty()) return false;
        for (const QChar c : text) {
            if (!c.isPrint()) continue;
            if (!Accepts(filter_, c)) return true;  // the key is discarded
        }
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        // Queued: a mouse press that brings the focus places the cursor after the focus event.
        QTimer::singleShot(0, &box_, [box = &box_] {
            if (box->hasFocus()) box->selectAll();
        });
    }
    return false;
}

ClickLabel::ClickLabel(const QString& text, const QString& objectName, QWidget* parent)
    : QLabel(text, parent) {
    setObjectName(objectName);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAlignment(Qt::AlignCenter);
    setMargin(3);
    setForegroundRole(QPalette::Link);
    // The focus is shown by the label's colours, as a label draws no focus rectangle of its own.
    setStyleSheet(
        "ClickLabel:focus { background-color: palette(highlight); color: palette(highlighted-text); }");
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

bool EnterPressesDefault(QWidget& window, QKeyEvent* event, const std::function<void()>& pressOK) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
    event->accept();
    if (auto* button = qobject_cast<QPushButton*>(window.focusWidget())) {
        button->click();
    } else {
        pressOK();
    }
    return true;
}

QGridLayout* NewInputGrid(QWidget& window) {
    auto* grid = new QGridLayout(&window);
    grid->setContentsMargins(14, 14, 14, 14);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(7);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    return grid;
}

QLineEdit* AddCaptionedTextBox(QGridLayout& grid, int row, QList<QWidget*>& framed,
                               const char* captionName, const char* caption, const char* boxName,
                               KeyFilter filter, int boxWidth, int columnSpan) {
    QWidget* window = grid.parentWidget();
    auto* label = new QLabel(caption, window);
    label->setObjectName(captionName);
    label->setMargin(3);
    label->setMinimumWidth(110);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    framed << label;

    auto* box = new QLineEdit(window);
    box->setObjectName(boxName);
    box->setFixedWidth(boxWidth);
    new TextBoxRules(*box, filter);

    grid.addWidget(label, row, 0);
    grid.addWidget(box, row, 1, 1, columnSpan);
    return box;
}

QGroupBox* NewOptionFrame(QWidget& window, QList<QWidget*>& framed, const char* name,
                          const char* title, Qt::Orientation orientation) {
    auto* frame = new QGroupBox(title, &window);
    frame->setObjectName(name);
    QBoxLayout* buttons = orientation == Qt::Vertical
                              ? static_cast<QBoxLayout*>(new QVBoxLayout(frame))
                              : static_cast<QBoxLayout*>(new QHBoxLayout(frame));
    buttons->setContentsMargins(8, 2, 8, 4);
    framed << frame;
    return frame;
}

QRadioButton* AddOption(QGroupBox& frame, const char* name, const char* text) {
    auto* button = new QRadioButton(text, &frame);
    button->setObjectName(name);
    frame.layout()->addWidget(button);
    return button;
}

QHBoxLayout* NewLookupLabels(QWidget& window, QList<QWidget*>& framed, ClickLabel*& timeZones,
                             ClickLabel*& atlas) {
    timeZones = new ClickLabel("TZ Help", "Label1", &window);
    timeZones->setToolTip("Time zones (Alt+Z)");
    atlas = new ClickLabel("Atlas", "Label2", &window);
    atlas->setToolTip("Look up a place (Alt+A)");
    framed << timeZones << atlas;
    QObject::connect(new QShortcut(QKeySequence("Alt+Z"), &window), &QShortcut::activated,
                     timeZones, &ClickLabel::clicked);
    QObject::connect(new QShortcut(QKeySequence("Alt+A"), &window), &QShortcut::activated, atlas,
                     &ClickLabel::clicked);

    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    row->addWidget(timeZones);
    row->addWidget(atlas);
    return row;
}

void RunHourRule(Dialogs& dialogs, QWidget* window, QLineEdit& hour, QRadioButton& am,
                 QRadioButton& pm, const char* emptyMessage) {
    std::string text = hour.text().toStdString();
    bool isAM = am.isChecked();
    const HourRuleResult rule = ApplyHourRule(text, isAM, emptyMessage);
    if (rule.message) {
        dialogs.Show(window, *rule.message);
        if (rule.selectText) hour.selectAll();
        return;
    }
    if (!isAM) pm.setChecked(true);
    const QString replaced = QString::fromStdString(text);
    if (replaced != hour.text()) hour.setText(replaced);
}

void RunZoneSignRule(QLineEdit& zone, bool east) {
    std::string text = zone.text().toStdString();
    ApplyZoneSignRule(text, east);
    const QString signedText = QString::fromStdString(text);
    if (signedText != zone.text()) zone.setText(signedText);
}

namespace {

// Each field's text box in the natal and in the diurnal window.
struct FieldControls {
    InputField field;
    std::string_view natal;
    std::string_view diurnal;
};

constexpr auto Controls = std::to_array<FieldControls>({
    {InputField::Name, "txtName", ""},
    {InputField::Month, "txtMonth", "txtDiurnalMonth"},
    {InputField::Day, "txtDay", "txtDiurnalDay"},
    {InputField::Year, "txtYear", "txtDiurnalYear"},
    {InputField::Hour, "txtBirthHour", "txtDiurnalHour"},
    {InputField::Minute, "txtBirthMinute", "txtDiurnalMinute"},
    {InputField::Zone, "txtTZ", "txtDiurnalTZ"},
    {InputField::LongDeg, "txtLongDeg", "txtDiurnalLongDeg"},
    {InputField::LongMin, "txtLongMin", "txtDiurnalLongMin"},
    {InputField::LatDeg, "txtLatDeg", "txtDiurnalLatDeg"},
    {InputField::LatMin, "txtLatMin", "txtDiurnalLatMin"},
});
static_assert(Controls.size() == AllInputFields.size());

}  // namespace

std::string_view ControlName(InputSection section, InputField field) {
    for (const FieldControls& c : Controls) {
        if (c.field == field) return section == InputSection::Natal ? c.natal : c.diurnal;
    }
    return {};
}

FieldOptionButtons OptionButtonsOf(const QWidget& window, InputSection section) {
    const QString prefix = section == InputSection::Natal ? "opt" : "optDiurnal";
    auto button = [&](const char* name) { return window.findChild<QRadioButton*>(prefix + name); };
    return {button("AM"), button("PM"), button("East"), button("West"), button("South"), button("North")};
}

InputFields ReadInputFields(const QWidget& window, InputSection section) {
    InputFields fields;
    for (const InputField field : AllInputFields) {
        const std::string_view name = ControlName(section, field);
        if (name.empty()) continue;
        if (const auto* box = window.findChild<QLineEdit*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())))) {
            FieldText(fields, field) = box->text().toStdString();
        }
    }
    const FieldOptionButtons buttons = OptionButtonsOf(window, section);
    fields.am = buttons.am->isChecked();
    fields.east = buttons.east->isChecked();
    fields.south = buttons.south->isChecked();
    return fields;
}

void WriteInputFields(QWidget& window, InputSection section, const InputFields& fields) {
    for (const InputField field : AllInputFields) {
        const std::string_view name = ControlName(section, field);
        if (name.empty()) continue;
        if (auto* box = window.findChild<QLineEdit*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())))) {
            box->setText(QString::fromStdString(FieldText(fields, field)));
        }
    }
    const FieldOptionButtons buttons = OptionButtonsOf(window, section);
    (fields.am ? buttons.am : buttons.pm)->setChecked(true);
    (fields.east ? buttons.east : buttons.west)->setChecked(true);
    (fields.south ? buttons.south : buttons.north)->setChecked(true);
}

}  // namespace orrerion::gui
