#include "records/natal_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include "app/main_window.h"
#include "app/shell.h"
#include "app/sunken_frame.h"
#include "records/diurnal_window.h"
#include "records/atlas_bridge.h"
#include "records/input_controls.h"
#include "records/names_save.h"
#include "records/input_rules.h"
#include "records/names_window.h"
#include "records/time_zone_window.h"

namespace orrerion::gui {

NatalWindow::NatalWindow(Shell& shell, QWidget* parent) : QWidget(parent), shell_(shell) {
    setObjectName("InputD");
    setWindowTitle("Natal Input Data");
    BuildControls();
    adjustSize();
    move(InputWindowsLeft, InputWindowsTop);

    SetNatalToNow();

    // Loading this window brings up the Names window and, to its right, the diurnal window.
    shell_.names().show();
    DiurnalWindow& diurnal = shell_.inputD1();
    diurnal.move(x() + width() + GapBetweenInputWindows, y());
    diurnal.show();
}

void NatalWindow::BuildControls() {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 14, 14, 14);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(7);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    auto caption = [this](const char* name, const char* text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        label->setMargin(3);
        label->setMinimumWidth(110);
        label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        framed_ << label;
        return label;
    };
    auto textBox = [this](const char* name, KeyFilter filter, int width) {
        auto* box = new QLineEdit(this);
        box->setObjectName(name);
        box->setFixedWidth(width);
        new TextBoxRules(*box, filter);
        return box;
    };
    auto option = [](QGroupBox* frame, const char* name, const char* text) {
        auto* button = new QRadioButton(text, frame);
        button->setObjectName(name);
        frame->layout()->addWidget(button);
        return button;
    };
    auto frame = [this](const char* name, const char* title) {
        auto* box = new QGroupBox(title, this);
        box->setObjectName(name);
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(8, 2, 8, 4);
        framed_ << box;
        return box;
    };

    txtName = textBox("txtName", KeyFilter::AnyKey, 260);
    txtMonth = textBox("txtMonth", KeyFilter::Digits, 64);
    txtDay = textBox("txtDay", KeyFilter::Digits, 64);
    txtYear = textBox("txtYear", KeyFilter::Digits, 64);
    txtBirthHour = textBox("txtBirthHour", KeyFilter::Digits, 64);
    txtBirthMinute = textBox("txtBirthMinute", KeyFilter::Digits, 64);
    txtTZ = textBox("txtTZ", KeyFilter::DigitsAndSign, 64);
    txtLongDeg = textBox("txtLongDeg", KeyFilter::Digits, 64);
    txtLongMin = textBox("txtLongMin", KeyFilter::Digits, 64);
    txtLatDeg = textBox("txtLatDeg", KeyFilter::Digits, 64);
    txtLatMin = textBox("txtLatMin", KeyFilter::Digits, 64);

    Frame1 = frame("Frame1", "Am/Pm");
    optAM = option(Frame1, "optAM", "AM");
    optPM = option(Frame1, "optPM", "PM");
    Frame2 = frame("Frame2", "Ea/We");
    optEast = option(Frame2, "optEast", "East");
    optWest = option(Frame2, "optWest", "West");
    Frame3 = frame("Frame3", "No/So");
    optNorth = option(Frame3, "optNorth", "North");
    optSouth = option(Frame3, "optSouth", "South");

    cmdNow = new QPushButton("NOW", this);
    cmdNow->setObjectName("cmdNow");
    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdSave = new QPushButton("Save to disk", this);
    cmdSave->setObjectName("cmdSave");
    Label1 = new ClickLabel("TZ Help", "Label1", this);
    Label1->setToolTip("Time zones (Alt+Z)");
    Label2 = new ClickLabel("Atlas", "Label2", this);
    Label2->setToolTip("Look up a place (Alt+A)");
    framed_ << Label1 << Label2;

    grid->addWidget(caption("lblName", "Name"), 0, 0);
    grid->addWidget(txtName, 0, 1, 1, 2);
    grid->addWidget(caption("lblMonth", "Birth Month"), 1, 0);
    grid->addWidget(txtMonth, 1, 1);
    grid->addWidget(cmdNow, 1, 2);
    grid->addWidget(caption("lblDay", "Birth Day"), 2, 0);
    grid->addWidget(txtDay, 2, 1);
    grid->addWidget(cmdOK, 2, 2);
    grid->addWidget(caption("lblYear", "Birth Year"), 3, 0);
    grid->addWidget(txtYear, 3, 1);
    grid->addWidget(cmdSave, 3, 2);
    grid->addWidget(caption("lblBirthHour", "Birth Hour"), 4, 0);
    grid->addWidget(txtBirthHour, 4, 1);
    grid->addWidget(Frame1, 4, 2, 2, 1);
    grid->addWidget(caption("lblBirthMinute", "Birth Minute"), 5, 0);
    grid->addWidget(txtBirthMinute, 5, 1);
    grid->addWidget(caption("lblTZ", "Time Zone . . ."), 6, 0);
    grid->addWidget(txtTZ, 6, 1);
    auto* lookups = new QHBoxLayout;
    lookups->setSpacing(12);
    lookups->addWidget(Label1);
    lookups->addWidget(Label2);
    grid->addLayout(lookups, 6, 2);
    grid->addWidget(caption("lblLongDeg", "Long Degrees"), 7, 0);
    grid->addWidget(txtLongDeg, 7, 1);
    grid->addWidget(Frame2, 7, 2, 2, 1);
    grid->addWidget(caption("lblLongMin", "Long Minutes"), 8, 0);
    grid->addWidget(txtLongMin, 8, 1);
    grid->addWidget(caption("lblLatDeg", "Lat Degrees"), 9, 0);
    grid->addWidget(txtLatDeg, 9, 1);
    grid->addWidget(Frame3, 9, 2, 2, 1);
    grid->addWidget(caption("lblLatMin", "Lat Minutes"), 10, 0);
    grid->addWidget(txtLatMin, 10, 1);

    SetTabChain({txtName, txtMonth, txtDay, txtYear, txtBirthHour, txtBirthMinute, optAM, optPM,
                 txtTZ, Label1, Label2, txtLongDeg, txtLongMin, optEast, optWest, txtLatDeg,
                 txtLatMin, optNorth, optSouth, cmdOK, cmdNow, cmdSave});

    connect(txtBirthHour, &QLineEdit::textChanged, this, &NatalWindow::txtBirthHour_Change);
    connect(optEast, &QRadioButton::clicked, this, &NatalWindow::optEast_Click);
    connect(optWest, &QRadioButton::clicked, this, &NatalWindow::optWest_Click);
    connect(cmdOK, &QPushButton::clicked, this, &NatalWindow::cmdOK_Click);
    connect(cmdNow, &QPushButton::clicked, this, &NatalWindow::cmdNow_Click);
    connect(cmdSave, &QPushButton::clicked, this, &NatalWindow::cmdSave_Click);
    connect(Label1, &ClickLabel::clicked, this, &NatalWindow::Label1_Click);
    connect(Label2, &ClickLabel::clicked, this, &NatalWindow::Label2_Click);
    connect(new QShortcut(QKeySequence("Alt+Z"), this), &QShortcut::activated, this,
            &NatalWindow::Label1_Click);
    connect(new QShortcut(QKeySequence("Alt+A"), this), &QShortcut::activated, this,
            &NatalWindow::Label2_Click);
}

NatalFields NatalWindow::Fields() const {
    NatalFields f;
    f.txtName = txtName->text().toStdString();
    f.txtMonth = txtMonth->text().toStdString();
    f.txtDay = txtDay->text().toStdString();
    f.txtYear = txtYear->text().toStdString();
    f.txtBirthHour = txtBirthHour->text().toStdString();
    f.txtBirthMinute = txtBirthMinute->text().toStdString();
    f.txtTZ = txtTZ->text().toStdString();
    f.txtLongDeg = txtLongDeg->text().toStdString();
    f.txtLongMin = txtLongMin->text().toStdString();
    f.txtLatDeg = txtLatDeg->text().toStdString();
    f.txtLatMin = txtLatMin->text().toStdString();
    f.optAM = optAM->isChecked();
    f.optEast = optEast->isChecked();
    f.optSouth = optSouth->isChecked();
    return f;
}

void NatalWindow::SetFields(const NatalFields& f) {
    settingFields_ = true;
    txtName->setText(QString::fromStdString(f.txtName));
    txtMonth->setText(QString::fromStdString(f.txtMonth));
    txtDay->setText(QString::fromStdString(f.txtDay));
    txtYear->setText(QString::fromStdString(f.txtYear));
    txtBirthHour->setText(QString::fromStdString(f.txtBirthHour));
    txtBirthMinute->setText(QString::fromStdString(f.txtBirthMinute));
    txtTZ->setText(QString::fromStdString(f.txtTZ));
    txtLongDeg->setText(QString::fromStdString(f.txtLongDeg));
    txtLongMin->setText(QString::fromStdString(f.txtLongMin));
    txtLatDeg->setText(QString::fromStdString(f.txtLatDeg));
    txtLatMin->setText(QString::fromStdString(f.txtLatMin));
    (f.optAM ? optAM : optPM)->setChecked(true);
    (f.optEast ? optEast : optWest)->setChecked(true);
    (f.optSouth ? optSouth : optNorth)->setChecked(true);
    settingFields_ = false;
}

void NatalWindow::SetClockFields() {
    const Session& session = shell_.session;
    const ClockTexts now = ClockFieldTexts(session.clock(), session.locale,
                                           session.TwentyFourHourClock);
    txtMonth->setText(now.month);
    txtDay->setText(now.day);
    txtYear->setText(now.year);
    txtBirthHour->setText(now.hour);  // the hour rule makes 13..23 into 1..11 and 0 into 12
    txtBirthMinute->setText(now.minute);
    optAM->setChecked(true);
    if (now.pm) optPM->setChecked(true);
}

void NatalWindow::SetNatalToNow() {
    txtName->setText("Now");
    SetClockFields();
    const DefaultPlaceTexts place = DefaultPlace(shell_.session.calc.options);
    txtTZ->setText(place.zone);
    txtLongDeg->setText(place.longDeg);
    txtLongMin->setText(place.longMin);
    txtLatDeg->setText(place.latDeg);
    txtLatMin->setText(place.latMin);
    SelectEast(place.east);
    (place.south ? optSouth : optNorth)->setChecked(true);
}

void NatalWindow::RefreshClockFields() { SetClockFields(); }

void NatalWindow::SetZoneText(const QString& zone) { txtTZ->setText(zone); }

void NatalWindow::SelectEast(bool east) {
    // Setting a button from code raises no click, so the click handler runs here.
    if (east) {
        optEast->setChecked(true);
        optEast_Click();
    } else {
        optWest->setChecked(true);
        optWest_Click();
    }
}

void NatalWindow::txtBirthHour_Change() {
    if (settingFields_) return;
    RunHourRule(shell_.dialogs(), this, *txtBirthHour, *optAM, *optPM, NatalHourEmptyMessage);
}

void NatalWindow::optEast_Click() {
    RunZoneSignRule(*txtTZ, true);
}

void NatalWindow::optWest_Click() {
    RunZoneSignRule(*txtTZ, false);
}

void NatalWindow::cmdOK_Click() {
    if (shell_.timeZoneLoaded()) shell_.unloadTimeZone();
    shell_.RunCalculation();
}

void NatalWindow::cmdNow_Click() { SetNatalToNow(); }

void NatalWindow::cmdSave_Click() { SaveNatalToNamesFile(shell_); }

void NatalWindow::Label1_Click() {
    shell_.session.TimeZoneTarget = false;
    TimeZoneWindow& picker = shell_.timeZone();
    // The picker's right edge lines up with the diurnal window's right edge.
    const QWidget& diurnal = shell_.inputD1();
    const int frameWidth = diurnal.frameGeometry().width() - diurnal.width();
    picker.move(diurnal.frameGeometry().right() + 1 - (picker.width() + frameWidth), picker.y());
    picker.show();
    picker.raise();
    picker.activateWindow();
}

void NatalWindow::Label2_Click() {
    // The bridge fills zone and place with the zone sign rule already applied; SetFields puts them
    // in without running the window's own rules again.
    NatalFields fields = Fields();
    if (FillNatalFromAtlas(shell_.session, fields, this)) SetFields(fields);
}

void NatalWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    for (QWidget* control : framed_) PaintSunkenFrame(*this, *control);
}

void NatalWindow::mouseReleaseEvent(QMouseEvent* event) {
    // A right click on the window's background (not on a control) gives the main window the focus.
    if (event->button() == Qt::RightButton && !childAt(event->position().toPoint())) {
        MainWindow& main = shell_.main();
        main.raise();
        main.activateWindow();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

}  // namespace orrerion::gui
