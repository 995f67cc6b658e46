#include "gui/records/natal_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include "core/records/names_file.h"
#include "gui/app/window_requests.h"
#include "gui/records/input_controls.h"
#include "gui/records/input_presenter.h"
#include "gui/records/list_presenter.h"
#include "gui/ui/dialogs.h"

namespace orrerion::gui {

NatalWindow::NatalWindow(WindowRequests& requests, InputWindowSlice slice, NamesListState& names,
                         QWidget* parent)
    : InputWindow(InputSection::Natal, requests, slice, parent), names_(names) {
    setObjectName("InputD");
    setWindowTitle("Natal Input Data");
    BuildControls();
    adjustSize();
    move(InputWindowsLeft, InputWindowsTop);

    SetNatalToNow();
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

    ConnectRules();
    connect(cmdOK, &QPushButton::clicked, this, &NatalWindow::cmdOK_Click);
    connect(cmdNow, &QPushButton::clicked, this, &NatalWindow::cmdNow_Click);
    connect(cmdSave, &QPushButton::clicked, this, &NatalWindow::cmdSave_Click);
}

void NatalWindow::SetNatalToNow() {
    EnterFields(NowFields(InputSection::Natal, Fields(), slice_.clock, slice_.calc.options));
}

void NatalWindow::RefreshClockFields() {
    EnterFields(WithClock(InputSection::Natal, Fields(), slice_.clock));
}

void NatalWindow::cmdOK_Click() { requests_.CalculateFromInput(); }

void NatalWindow::cmdNow_Click() { SetNatalToNow(); }

void NatalWindow::cmdSave_Click() {
    if (const std::optional<Message> comma = CheckNameForSaving(Fields().name)) {
        slice_.dialogs.Show(this, *comma);
    } else if (!WriteToNamesFile()) {
        return;  // cancelled: nothing is read again
    }
    names_.MarkSaved();
    requests_.ReloadNamesList();
}

bool NatalWindow::WriteToNamesFile() {
    const Calculation& calc = slice_.calc;
    Dialogs& dialogs = slice_.dialogs;
    const std::filesystem::path chosen = requests_.ChooseListFile(
        NamesFilePattern, NamesEditorPath(names_.file(), calc.ProgramDir));
    if (chosen.empty()) return false;

    const NewNameRecordResult made = NewNameRecord(Fields(), calc.DateOrder);
    if (!made.record) {
        if (made.problem) dialogs.Show(this, *made.problem);
        return true;
    }
    const NameSaveResult saved =
        SaveNameRecord(chosen, *made.record, [&](const Message& question, const NameRecord&) {
            return dialogs.Show(this, question, MessageButtons::YesNo) == AnswerYes;
        });
    if (saved.problem) dialogs.Show(this, *saved.problem);
    return true;
}

}  // namespace orrerion::gui
