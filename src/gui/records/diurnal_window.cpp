#include "gui/records/diurnal_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "gui/ui/window_requests.h"
#include "gui/records/input_controls.h"
#include "gui/records/input_presenter.h"

namespace orrerion::gui {
namespace {

constexpr const char* SecondPersonCaption = "2nd Person";

}  // namespace

DiurnalWindow::DiurnalWindow(WindowRequests& requests, InputWindowSlice slice, QWidget* parent)
    : InputWindow(InputSection::Diurnal, requests, slice, parent) {
    setObjectName("InputD1");
    setWindowTitle("Diurnal Input Data");
    BuildControls();
    adjustSize();
    // The shell moves this window beside the natal window when that one loads first, as it does
    // at start-up.
    move(InputWindowsLeft + width() + GapBetweenInputWindows, InputWindowsTop);

    SetDiurnalToNow();
    Option1->setChecked(true);
}

void DiurnalWindow::BuildControls() {
    QGridLayout* grid = NewInputGrid(*this);

    AddFieldRows(*grid, 0);
    Frame4 = NewOptionFrame(*this, framed_, "Frame4", "Progression type", Qt::Vertical);
    Option1 = AddOption(*Frame4, "Option1", "Secondary progressions");
    Option2 = AddOption(*Frame4, "Option2", "Minor progressions");
    Option3 = AddOption(*Frame4, "Option3", "Tertiary progressions");
    const OptionFrames frames = AddOptionFrames();
    const FieldOptionButtons opt = OptionButtonsOf(*this, InputSection::Diurnal);

    chkNatOrNow = new QCheckBox("Use natal data", this);
    chkNatOrNow->setObjectName("chkNatOrNow");
    chk2ndPerson = new QCheckBox(SecondPersonCaption, this);
    chk2ndPerson->setObjectName("chk2ndPerson");
    // Room between each box and the frame drawn around it.
    for (QCheckBox* box : {chkNatOrNow, chk2ndPerson}) box->setStyleSheet("QCheckBox { padding: 3px 6px; }");
    framed_ << chkNatOrNow << chk2ndPerson;

    // Column 2, beside the text boxes, and the check boxes across the foot of the window.
    grid->addWidget(Frame4, 0, 2, 3, 1);
    grid->addWidget(frames.time, 3, 2, 2, 1);
    grid->addLayout(NewLookupLabels(*this, framed_, Label1, Label2), 5, 2);
    grid->addWidget(frames.eastWest, 6, 2, 2, 1);
    grid->addWidget(frames.northSouth, 8, 2, 2, 1);
    auto* boxes = new QHBoxLayout;
    boxes->setSpacing(16);
    boxes->addWidget(chkNatOrNow);
    boxes->addWidget(chk2ndPerson);
    boxes->addStretch();
    grid->addLayout(boxes, 10, 0, 1, 3);
    QPushButton* cmdDiurnalFindPlace = AddFindPlaceRow(*grid, 11);

    using F = InputField;
    SetTabChain({Box(F::Month), Box(F::Day), Box(F::Year), Option1, Option2, Option3, Box(F::Hour), Box(F::Minute),
                 opt.am, opt.pm, Box(F::Zone), Label1, Label2, cmdDiurnalFindPlace, Box(F::LongDeg), Box(F::LongMin), opt.east, opt.west,
                 Box(F::LatDeg), Box(F::LatMin), opt.north, opt.south, chkNatOrNow, chk2ndPerson});

    ConnectRules();
    connect(chkNatOrNow, &QCheckBox::clicked, this, &DiurnalWindow::chkNatOrNow_Click);
    connect(chk2ndPerson, &QCheckBox::clicked, this, &DiurnalWindow::chk2ndPerson_Click);
}

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

void DiurnalWindow::SetDiurnalToNow() {
    EnterFields(NowFields(InputSection::Diurnal, Fields(), slice_.clock, slice_.calc.options));
}

void DiurnalWindow::CopyNatalToDiurnal() {
    EnterFields(WithNatalTimeAndPlace(Fields(), requests_.Fields(InputSection::Natal)));
}

void DiurnalWindow::FollowNatal() {
    if (UseNatalData()) {
        CopyNatalToDiurnal();
    } else {
        SetDiurnalToNow();
    }
}

bool DiurnalWindow::SecondPerson() const { return chk2ndPerson->isChecked(); }
bool DiurnalWindow::UseNatalData() const { return chkNatOrNow->isChecked(); }

void DiurnalWindow::SetSecondPersonCaption(const QString& name) { chk2ndPerson->setText(name); }

void DiurnalWindow::chkNatOrNow_Click() { FollowNatal(); }

void DiurnalWindow::chk2ndPerson_Click() {
    if (chk2ndPerson->isChecked()) {
        requests_.SetSummaryEnabled(false);
    } else {
        chk2ndPerson->setText(SecondPersonCaption);
        requests_.SetSummaryEnabled(true);
    }
}

}  // namespace orrerion::gui
