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
#include "gui/ui/window_requests.h"
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
    AddFieldRows(*grid, 0);
    const OptionFrames frames = AddOptionFrames();
    const FieldOptionButtons opt = OptionButtonsOf(*this, InputSection::Natal);

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
    grid->addWidget(frames.time, 4, 2, 2, 1);
    grid->addLayout(NewLookupLabels(*this, framed_, Label1, Label2), 6, 2);
    grid->addWidget(frames.eastWest, 7, 2, 2, 1);
    grid->addWidget(frames.northSouth, 9, 2, 2, 1);
    QPushButton* cmdFindPlace = AddFindPlaceRow(*grid, 11);

    using F = InputField;
    SetTabChain({Box(F::Name), Box(F::Month), Box(F::Day), Box(F::Year), Box(F::Hour), Box(F::Minute), opt.am,
                 opt.pm, Box(F::Zone), Label1, Label2, cmdFindPlace, Box(F::LongDeg), Box(F::LongMin), opt.east, opt.west,
                 Box(F::LatDeg), Box(F::LatMin), opt.north, opt.south, cmdOK, cmdNow, cmdSave});

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
        if (made.field) SelectField(made.field->field);
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
