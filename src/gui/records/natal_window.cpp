#include "gui/records/natal_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include "core/chart/input_rules.h"
#include "gui/app/main_window.h"
#include "gui/app/shell.h"
#include "gui/app/sunken_frame.h"
#include "gui/records/atlas_bridge.h"
#include "gui/records/diurnal_window.h"
#include "gui/records/input_controls.h"
#include "gui/records/names_save.h"
#include "gui/records/names_window.h"
#include "gui/records/time_zone_window.h"

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
    QGridLayout* grid = NewInputGrid(*this);

    txtName = AddCaptionedTextBox(*grid, 0, framed_, "lblName", "Name", "txtName",
                                  KeyFilter::AnyKey, 260, 2);
    txtMonth = AddCaptionedTextBox(*grid, 1, framed_, "lblMonth", "Birth Month", "txtMonth",
                                   KeyFilter::Digits);
    txtDay = AddCaptionedTextBox(*grid, 2, framed_, "lblDay", "Birth Day", "txtDay",
                                 KeyFilter::Digits);
    txtYear = AddCaptionedTextBox(*grid, 3, framed_, "lblYear", "Birth Year", "txtYear",
                                  KeyFilter::Digits);
    txtBirthHour = AddCaptionedTextBox(*grid, 4, framed_, "lblBirthHour", "Birth Hour",
                                       "txtBirthHour", KeyFilter::Digits);
    txtBirthMinute = AddCaptionedTextBox(*grid, 5, framed_, "lblBirthMinute", "Birth Minute",
                                         "txtBirthMinute", KeyFilter::Digits);
    txtTZ = AddCaptionedTextBox(*grid, 6, framed_, "lblTZ", "Time Zone . . .", "txtTZ",
                                KeyFilter::DigitsAndSign);
    txtLongDeg = AddCaptionedTextBox(*grid, 7, framed_, "lblLongDeg", "Long Degrees",
                                     "txtLongDeg", KeyFilter::Digits);
    txtLongMin = AddCaptionedTextBox(*grid, 8, framed_, "lblLongMin", "Long Minutes",
                                     "txtLongMin", KeyFilter::Digits);
    txtLatDeg = AddCaptionedTextBox(*grid, 9, framed_, "lblLatDeg", "Lat Degrees", "txtLatDeg",
                                    KeyFilter::Digits);
    txtLatMin = AddCaptionedTextBox(*grid, 10, framed_, "lblLatMin", "Lat Minutes", "txtLatMin",
                                    KeyFilter::Digits);

    Frame1 = NewOptionFrame(*this, framed_, "Frame1", "Am/Pm");
    optAM = AddOption(*Frame1, "optAM", "AM");
    optPM = AddOption(*Frame1, "optPM", "PM");
    Frame2 = NewOptionFrame(*this, framed_, "Frame2", "Ea/We");
    optEast = AddOption(*Frame2, "optEast", "East");
    optWest = AddOption(*Frame2, "optWest", "West");
    Frame3 = NewOptionFrame(*this, framed_, "Frame3", "No/So");
    optNorth = AddOption(*Frame3, "optNorth", "North");
    optSouth = AddOption(*Frame3, "optSouth", "South");

    cmdNow = new QPushButton("NOW", this);
    cmdNow->setObjectName("cmdNow");
    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    cmdSave = new QPushButton("Save to disk", this);
    cmdSave->setObjectName("cmdSave");

    // Column 2, beside the text boxes.
    grid->addWidget(cmdNow, 1, 2);
    grid->addWidget(cmdOK, 2, 2);
    grid->addWidget(cmdSave, 3, 2);
    grid->addWidget(Frame1, 4, 2, 2, 1);
    grid->addLayout(NewLookupLabels(*this, framed_, Label1, Label2), 6, 2);
    grid->addWidget(Frame2, 7, 2, 2, 1);
    grid->addWidget(Frame3, 9, 2, 2, 1);

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
}

InputFields NatalWindow::Fields() const { return ReadInputFields(*this, InputSection::Natal); }

void NatalWindow::SetFields(const InputFields& f) {
    settingFields_ = true;
    WriteInputFields(*this, InputSection::Natal, f);
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
    InputFields fields = Fields();
    if (FillFromAtlas(shell_.session, fields, this)) SetFields(fields);
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

void NatalWindow::keyPressEvent(QKeyEvent* event) {
    if (EnterPressesDefault(*this, event, [this] { cmdOK_Click(); })) return;
    QWidget::keyPressEvent(event);
}

}  // namespace orrerion::gui
