#include "gui/records/names_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "gui/ui/window_requests.h"
#include "gui/records/list_presenter.h"
#include "gui/records/list_window_layout.h"
#include "gui/ui/dialogs.h"
#include "gui/ui/window_setup.h"

namespace orrerion::gui {

NamesWindow::NamesWindow(WindowRequests& requests, Dialogs& dialogs, const Calculation& calc,
                         NamesListState& names, QWidget* parent)
    : RecordListWindow(parent),
      requests_(requests),
      dialogs_(dialogs),
      calc_(calc),
      names_(names),
      NamesOnFile_(new QListWidget),
      lblNamesOnFile_(new QLabel),
      Check1_(new QCheckBox("Lock list")),
      Command1_(new QPushButton("Click here for cities")),
      cmdEditList_(new QPushButton("Edit this List")),
      cmdNewFileList_(new QPushButton("Change List")) {
    SetUpWindow(*this, "Names", "Names");

    SetUpRecordList(*this, *NamesOnFile_, "NamesOnFile");
    WatchList(*NamesOnFile_, *lblNamesOnFile_, [this] {
        // Enter works as a double click, or as a click when the entry is for the second person.
        if (requests_.SecondPerson()) {
            NamesOnFile_Click();
        } else {
            NamesOnFile_DblClick();
        }
    });
    SetUpFileLabel(*lblNamesOnFile_, "lblNamesOnFile");
    Check1_->setObjectName("Check1");
    Command1_->setObjectName("Command1");
    cmdEditList_->setObjectName("cmdEditList");
    cmdNewFileList_->setObjectName("cmdNewFileList");

    connect(NamesOnFile_, &QListWidget::itemClicked, this, [this] { NamesOnFile_Click(); });
    connect(NamesOnFile_, &QListWidget::itemDoubleClicked, this, [this] { NamesOnFile_DblClick(); });
    connect(Check1_, &QCheckBox::clicked, this, &NamesWindow::Check1_Click);
    connect(Command1_, &QPushButton::clicked, this, &NamesWindow::Command1_Click);
    connect(cmdEditList_, &QPushButton::clicked, this, &NamesWindow::cmdEditList_Click);
    connect(cmdNewFileList_, &QPushButton::clicked, this, &NamesWindow::cmdNewFileList_Click);

    LayOutListWindow(*this, *NamesOnFile_, {lblNamesOnFile_, Check1_},
                     {cmdEditList_, cmdNewFileList_, Command1_});

    // Opening the window: the current file, or the default one when it cannot be opened. Ticking
    // the box from code raises no click, so the lock stays as it was.
    NamesWindowList opened = OpenNamesList(names_.file(), calc_.ProgramDir);
    names_.SetFile(opened.NamesFilePath);
    Check1_->setChecked(names_.lockList());
    ShowNamesFileLabel();
    ReadNames(std::move(opened.table));
}

void NamesWindow::ClearList() {
    NamesOnFile_->clear();
    table_ = NameTable{};
}

void NamesWindow::ShowNamesFileLabel() {
    lblNamesOnFile_->setText(QString::fromStdString(FileLabelText(names_.file())));
}

void NamesWindow::FillNamesList(const std::filesystem::path& path) {
    ReadNames(orrerion::FillNamesList(path));
}

void NamesWindow::ReadNames(NameTable table) {
    NamesOnFile_->clear();
    table_ = std::move(table);
    for (const NameRecord& record : table_.records) {
        NamesOnFile_->addItem(QString::fromStdString(record.Name));
    }
    if (table_.problem) dialogs_.Show(this, table_.problem->message);

    const LockListPosition lock = names_.Position(NamesOnFile_->count(), Check1_->isChecked());
    topRow_ = lock.topIndex;
    ScrollToTopRow();
    if (lock.selectIndex) {
        NamesOnFile_->setCurrentRow(*lock.selectIndex);
        // Selecting from code raises no click; the locked person is loaded as by a click. While
        // the input windows are still being made (the natal window opens this one) nothing is
        // loaded.
        if (requests_.InputWindowsLoaded()) NamesOnFile_Click();
    }
}

void NamesWindow::ScrollToTopRow() {
    if (QListWidgetItem* top = NamesOnFile_->item(topRow_)) {
        NamesOnFile_->scrollToItem(top, QAbstractItemView::PositionAtTop);
    }
}

void NamesWindow::NamesOnFile_Click() {
    const QListWidgetItem* selected = NamesOnFile_->currentItem();
    const std::optional<std::size_t> d =
        selected ? FindNameRecord(table_, selected->text().toStdString()) : std::nullopt;
    names_.Picked(d && Check1_->isChecked() ? std::optional<int>(NamesOnFile_->currentRow())
                                            : std::nullopt);
    if (!d) return;
    const NameRecord& record = table_.records[*d];

    const bool secondPerson = requests_.SecondPerson();
    const InputSection target = secondPerson ? InputSection::Diurnal : InputSection::Natal;
    if (secondPerson) requests_.SetSecondPersonName(QString::fromStdString(record.Name));
    const PickedRecord picked = PickName(record, calc_.DateOrder, target, requests_.Fields(target));
    requests_.SetFields(target, picked.fields);
    for (const Message& message : picked.messages) dialogs_.Show(this, message);
    if (picked.diurnalFollows) requests_.DiurnalFollowsNatal();
}

void NamesWindow::NamesOnFile_DblClick() {
    if (requests_.SecondPerson()) return;
    names_.ClearSaved();
    NamesOnFile_Click();
    // The window goes away and the calculation starts once this handler has returned: the list
    // that raised the double click must not be deleted under it.
    hide();
    requests_.CalculatePickedName();
}

void NamesWindow::Check1_Click() {
    const QListWidgetItem* current = NamesOnFile_->currentItem();
    names_.SetLock(Check1_->isChecked(), current && current->isSelected()
                                             ? std::optional<int>(NamesOnFile_->currentRow())
                                             : std::nullopt);
}

void NamesWindow::cmdNewFileList_Click() {
    const std::filesystem::path chosen = requests_.ChooseListFile(
        NamesFilePattern, NamesEditorPath(names_.file(), calc_.ProgramDir));
    if (chosen.empty()) return;
    names_.ChangeFile(chosen);
    ShowNamesFileLabel();
    FillNamesList(chosen);
}

void NamesWindow::cmdEditList_Click() { requests_.OpenNamesEditor(); }

void NamesWindow::Command1_Click() {
    hide();
    requests_.ShowCitiesInsteadOfNames();
}

void NamesWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ScrollToTopRow();
}

}  // namespace orrerion::gui
