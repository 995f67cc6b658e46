#include "gui/records/diurnal_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "core/chart/input_rules.h"
#include "gui/app/main_window.h"
#include "gui/app/shell.h"
#include "gui/app/sunken_frame.h"
#include "gui/records/atlas_bridge.h"
#include "gui/records/input_controls.h"
#include "gui/records/names_window.h"
#include "gui/records/natal_window.h"
#include "gui/records/time_zone_window.h"

namespace orrerion::gui {
namespace {

constexpr const char* SecondPersonCaption = "2nd Person";

}  // namespace

DiurnalWindow::DiurnalWindow(Shell& shell, QWidget* parent) : QWidget(parent), shell_(shell) {
    setObjectName("InputD1");
    setWindowTitle("Diurnal Input Data");
    BuildControls();
    adjustSize();
    // The natal window moves this one beside itself when it loads first, as it does at start-up.
    move(InputWindowsLeft + width() + GapBetweenInputWindows, InputWindowsTop);

    // This window must not reach the natal window while loading: at start-up the natal window is
    // still being built when it loads this one.
    SetDiurnalToNow();
    shell_.names().show();
    Option1->setChecked(true);
}

void DiurnalWindow::BuildControls() {
    QGridLayout* grid = NewInputGrid(*this);

    txtDiurnalMonth = AddCaptionedTextBox(*grid, 0, framed_, "lblDiurnalMonth", "Diurnal Month",
                                          "txtDiurnalMonth", KeyFilter::Digits);
    txtDiurnalDay = AddCaptionedTextBox(*grid, 1, framed_, "lblDiurnalDay", "Diurnal Day",
                                        "txtDiurnalDay", KeyFilter::Digits);
    txtDiurnalYear = AddCaptionedTextBox(*grid, 2, framed_, "lblDiurnalYear", "Diurnal Year",
                                         "txtDiurnalYear", KeyFilter::Digits);
    txtDiurnalHour = AddCaptionedTextBox(*grid, 3, framed_, "lblDiurnalHour", "Diurnal Hour",
                                         "txtDiurnalHour", KeyFilter::Digits);
    txtDiurnalMinute = AddCaptionedTextBox(*grid, 4, framed_, "lblDiurnalMinute", "Diurnal Min.",
                                           "txtDiurnalMinute", KeyFilter::Digits);
    txtDiurnalTZ = AddCaptionedTextBox(*grid, 5, framed_, "lblDiurnalTZ", "D. Time Zone . . .",
                                       "txtDiurnalTZ", KeyFilter::DigitsAndSign);
    txtDiurnalLongDeg = AddCaptionedTextBox(*grid, 6, framed_, "lblDiurnalLongDeg",
                                            "D. Long Deg.", "txtDiurnalLongDeg", KeyFilter::Digits);
    txtDiurnalLongMin = AddCaptionedTextBox(*grid, 7, framed_, "lblDiurnalLongMin",
                                            "D. Long Min.", "txtDiurnalLongMin", KeyFilter::Digits);
    txtDiurnalLatDeg = AddCaptionedTextBox(*grid, 8, framed_, "lblDiurnalLatDeg", "D. Lat Deg.",
                                           "txtDiurnalLatDeg", KeyFilter::Digits);
    txtDiurnalLatMin = AddCaptionedTextBox(*grid, 9, framed_, "lblDiurnalLatMin", "D. Lat Min.",
                                           "txtDiurnalLatMin", KeyFilter::Digits);

    Frame4 = NewOptionFrame(*this, framed_, "Frame4", "Progression type", Qt::Vertical);
    Option1 = AddOption(*Frame4, "Option1", "Secondary progressions");
    Option2 = AddOption(*Frame4, "Option2", "Minor progressions");
    Option3 = AddOption(*Frame4, "Option3", "Tertiary progressions");
    Frame1 = NewOptionFrame(*this, framed_, "Frame1", "Am/Pm");
    optDiurnalAM = AddOption(*Frame1, "optDiurnalAM", "AM");
    optDiurnalPM = AddOption(*Frame1, "optDiurnalPM", "PM");
    Frame2 = NewOptionFrame(*this, framed_, "Frame2", "Ea/We");
    optDiurnalEast = AddOption(*Frame2, "optDiurnalEast", "East");
    optDiurnalWest = AddOption(*Frame2, "optDiurnalWest", "West");
    Frame3 = NewOptionFrame(*this, framed_, "Frame3", "No/So");
    optDiurnalNorth = AddOption(*Frame3, "optDiurnalNorth", "North");
    optDiurnalSouth = AddOption(*Frame3, "optDiurnalSouth", "South");

    chkNatOrNow = new QCheckBox("Use natal data", this);
    chkNatOrNow->setObjectName("chkNatOrNow");
    chk2ndPerson = new QCheckBox(SecondPersonCaption, this);
    chk2ndPerson->setObjectName("chk2ndPerson");
    // Room between each box and the frame drawn around it.
    for (QCheckBox* box : {chkNatOrNow, chk2ndPerson}) box->setStyleSheet("QCheckBox { padding: 3px 6px; }");
    framed_ << chkNatOrNow << chk2ndPerson;

    // Column 2, beside the text boxes, and the check boxes across the foot of the window.
    grid->addWidget(Frame4, 0, 2, 3, 1);
    grid->addWidget(Frame1, 3, 2, 2, 1);
    grid->addLayout(NewLookupLabels(*this, framed_, Label1, Label2), 5, 2);
    grid->addWidget(Frame2, 6, 2, 2, 1);
    grid->addWidget(Frame3, 8, 2, 2, 1);
    auto* boxes = new QHBoxLayout;
    boxes->setSpacing(16);
    boxes->addWidget(chkNatOrNow);
    boxes->addWidget(chk2ndPerson);
    boxes->addStretch();
    grid->addLayout(boxes, 10, 0, 1, 3);

    SetTabChain({txtDiurnalMonth, txtDiurnalDay, txtDiurnalYear, Option1, Option2, Option3,
                 txtDiurnalHour, txtDiurnalMinute, optDiurnalAM, optDiurnalPM, txtDiurnalTZ,
                 Label1, Label2, txtDiurnalLongDeg, txtDiurnalLongMin, optDiurnalEast,
                 optDiurnalWest, txtDiurnalLatDeg, txtDiurnalLatMin, optDiurnalNorth,
                 optDiurnalSouth, chkNatOrNow, chk2ndPerson});

    connect(txtDiurnalHour, &QLineEdit::textChanged, this, &DiurnalWindow::txtDiurnalHour_Change);
    connect(optDiurnalEast, &QRadioButton::clicked, this, &DiurnalWindow::optDiurnalEast_Click);
    connect(optDiurnalWest, &QRadioButton::clicked, this, &DiurnalWindow::optDiurnalWest_Click);
    connect(chkNatOrNow, &QCheckBox::clicked, this, &DiurnalWindow::chkNatOrNow_Click);
    connect(chk2ndPerson, &QCheckBox::clicked, this, &DiurnalWindow::chk2ndPerson_Click);
    connect(Label1, &ClickLabel::clicked, this, &DiurnalWindow::Label1_Click);
    connect(Label2, &ClickLabel::clicked, this, &DiurnalWindow::Label2_Click);
}

InputFields DiurnalWindow::Fields() const { return ReadInputFields(*this, InputSection::Diurnal); }

ProgressionType DiurnalWindow::Progression() const {
    // Option1 secondary, Option2 minor, anything else tertiary.
    return Option1->isChecked()   ? ProgressionType::Secondary
           : Option2->isChecked() ? ProgressionType::Minor
                                  : ProgressionType::Tertiary;
}

void DiurnalWindow::SetProgression(ProgressionType type) {
    switch (type) {
        case ProgressionType::Secondary: Option1->setChecked(true); break;
        case ProgressionType::Minor: Option2->setChecked(true); break;
        case ProgressionType::Tertiary: Option3->setChecked(true); break;
    }
}

void DiurnalWindow::SetFields(const InputFields& f) {
    settingFields_ = true;
    WriteInputFields(*this, InputSection::Diurnal, f);
    settingFields_ = false;
}

void DiurnalWindow::SetDiurnalToNow() {
    const Session& session = shell_.session;
    const ClockTexts now = ClockFieldTexts(session.clock(), session.locale,
                                           session.TwentyFourHourClock);
    optDiurnalAM->setChecked(true);
    if (now.pm) optDiurnalPM->setChecked(true);
    txtDiurnalMonth->setText(now.month);
    txtDiurnalDay->setText(now.day);
    txtDiurnalYear->setText(now.year);
    txtDiurnalHour->setText(now.hour);  // the hour rule makes 13..23 into 1..11 and 0 into 12
    txtDiurnalMinute->setText(now.minute);
    const DefaultPlaceTexts place = DefaultPlace(session.calc.options);
    txtDiurnalTZ->setText(place.zone);
    txtDiurnalLongDeg->setText(place.longDeg);
    txtDiurnalLongMin->setText(place.longMin);
    txtDiurnalLatDeg->setText(place.latDeg);
    txtDiurnalLatMin->setText(place.latMin);
    SelectEast(place.east);
    (place.south ? optDiurnalSouth : optDiurnalNorth)->setChecked(true);
}

void DiurnalWindow::CopyNatalToDiurnal() {
    const InputFields natal = shell_.inputD().Fields();
    txtDiurnalHour->setText(QString::fromStdString(natal.hour));
    txtDiurnalMinute->setText(QString::fromStdString(natal.minute));
    txtDiurnalTZ->setText(QString::fromStdString(natal.zone));
    txtDiurnalLongDeg->setText(QString::fromStdString(natal.longDeg));
    txtDiurnalLongMin->setText(QString::fromStdString(natal.longMin));
    txtDiurnalLatDeg->setText(QString::fromStdString(natal.latDeg));
    txtDiurnalLatMin->setText(QString::fromStdString(natal.latMin));
    (natal.am ? optDiurnalAM : optDiurnalPM)->setChecked(true);
    SelectEast(natal.east);
    (natal.south ? optDiurnalSouth : optDiurnalNorth)->setChecked(true);
}

bool DiurnalWindow::SecondPerson() const { return chk2ndPerson->isChecked(); }
bool DiurnalWindow::UseNatalData() const { return chkNatOrNow->isChecked(); }

void DiurnalWindow::SetSecondPersonCaption(const QString& name) { chk2ndPerson->setText(name); }

void DiurnalWindow::SetZoneText(const QString& zone) { txtDiurnalTZ->setText(zone); }

void DiurnalWindow::SelectEast(bool east) {
    // Setting a button from code raises no click, so the click handler runs here.
    if (east) {
        optDiurnalEast->setChecked(true);
        optDiurnalEast_Click();
    } else {
        optDiurnalWest->setChecked(true);
        optDiurnalWest_Click();
    }
}

void DiurnalWindow::txtDiurnalHour_Change() {
    if (settingFields_) return;
    RunHourRule(shell_.dialogs(), this, *txtDiurnalHour, *optDiurnalAM, *optDiurnalPM,
                DiurnalHourEmptyMessage);
}

void DiurnalWindow::optDiurnalEast_Click() {
    RunZoneSignRule(*txtDiurnalTZ, true);
}

void DiurnalWindow::optDiurnalWest_Click() {
    RunZoneSignRule(*txtDiurnalTZ, false);
}

void DiurnalWindow::chkNatOrNow_Click() {
    if (chkNatOrNow->isChecked()) {
        CopyNatalToDiurnal();
    } else {
        SetDiurnalToNow();
    }
}

void DiurnalWindow::chk2ndPerson_Click() {
    if (chk2ndPerson->isChecked()) {
        shell_.SetSummaryEnabled(false);
    } else {
        chk2ndPerson->setText(SecondPersonCaption);
        shell_.SetSummaryEnabled(true);
    }
}

void DiurnalWindow::Label1_Click() {
    shell_.session.TimeZoneTarget = true;
    TimeZoneWindow& picker = shell_.timeZone();
    // The picker's left edge lines up with the natal window's left edge.
    picker.move(shell_.inputD().frameGeometry().left(), picker.y());
    picker.show();
    picker.raise();
    picker.activateWindow();
}

void DiurnalWindow::Label2_Click() {
    // The bridge fills zone and place with the zone sign rule already applied; SetFields puts them
    // in without running the window's own rules again.
    InputFields fields = Fields();
    if (FillFromAtlas(shell_.session, fields, this)) SetFields(fields);
}

void DiurnalWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    for (QWidget* control : framed_) PaintSunkenFrame(*this, *control);
}

void DiurnalWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (childAt(event->position().toPoint())) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    // On the window's background: the left button presses the natal window's OK, the right one
    // gives the main window the focus.
    if (event->button() == Qt::LeftButton) {
        shell_.inputD().cmdOK_Click();
        return;
    }
    if (event->button() == Qt::RightButton) {
        MainWindow& main = shell_.main();
        main.raise();
        main.activateWindow();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void DiurnalWindow::keyPressEvent(QKeyEvent* event) {
    if (EnterPressesDefault(*this, event, [this] { shell_.inputD().cmdOK_Click(); })) return;
    QWidget::keyPressEvent(event);
}

}  // namespace orrerion::gui
