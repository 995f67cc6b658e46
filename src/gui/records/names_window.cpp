#include "gui/records/names_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "gui/app/main_window.h"
#include "gui/app/shell.h"
#include "gui/app/sunken_frame.h"
#include "gui/records/choose_file.h"
#include "gui/records/cities_window.h"
#include "gui/records/diurnal_window.h"
#include "gui/records/list_window_layout.h"
#include "gui/records/name_edit_window.h"
#include "gui/records/natal_window.h"

namespace orrerion::gui {

NamesWindow::NamesWindow(Shell& shell, QWidget* parent)
    : QWidget(parent),
      shell_(shell),
      NamesOnFile_(new QListWidget),
      lblNamesOnFile_(new QLabel),
      Check1_(new QCheckBox("Lock list")),
      Command1_(new QPushButton("Click here for cities")),
      cmdEditList_(new QPushButton("Edit this List")),
      cmdNewFileList_(new QPushButton("Change List")) {
    setObjectName("Names");
    setWindowTitle("Names");
    setAttribute(Qt::WA_DeleteOnClose);

    SetUpRecordList(*this, *NamesOnFile_, "NamesOnFile");
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

    // Opening the window: the current file, or the default one when it cannot be opened.
    Session& session = shell_.session;
    NamesWindowList opened = OpenNamesList(session.NamesFilePath, session.calc.ProgramDir);
    session.NamesFilePath = opened.NamesFilePath;
    // Ticking the box from code must not count as the user's click.
    session.LoadingNames = 1;
    Check1_->setChecked(session.LockList != 0);
    Check1_Click();
    session.LoadingNames = 0;
    ShowNamesFileLabel();
    ReadNames(std::move(opened.table));
}

void NamesWindow::ClearList() {
    NamesOnFile_->clear();
    table_ = NameTable{};
}

void NamesWindow::ShowNamesFileLabel() {
    lblNamesOnFile_->setText(QString::fromStdString(FileLabelText(shell_.session.NamesFilePath)));
}

void NamesWindow::FillNamesList(const std::filesystem::path& path) {
    ReadNames(orrerion::FillNamesList(path));
}

void NamesWindow::ReadNames(NameTable table) {
    Session& session = shell_.session;
    NamesOnFile_->clear();
    table_ = std::move(table);
    for (const NameRecord& record : table_.records) {
        NamesOnFile_->addItem(QString::fromStdString(record.Name));
    }
    if (table_.problem) shell_.dialogs().Show(this, table_.problem->message);

    const LockListPosition lock =
        PositionLockedList(NamesOnFile_->count(), session.LockedIndex, Check1_->isChecked(),
                           session.JustSaved != 0);
    session.LockedIndex = lock.LockedIndex;
    topRow_ = lock.topIndex;
    ScrollToTopRow();
    if (lock.selectIndex) {
        NamesOnFile_->setCurrentRow(*lock.selectIndex);
        // Selecting from code raises no click; the locked person is loaded as by a click. While
        // the input windows are still being made (the natal window opens this one) nothing is
        // loaded.
        if (shell_.inputDLoaded() && shell_.inputD1Loaded()) NamesOnFile_Click();
    }
}

void NamesWindow::ScrollToTopRow() {
    if (QListWidgetItem* top = NamesOnFile_->item(topRow_)) {
        NamesOnFile_->scrollToItem(top, QAbstractItemView::PositionAtTop);
    }
}

void NamesWindow::NamesOnFile_Click() {
    Session& session = shell_.session;
    session.JustSaved = 0;
    QListWidgetItem* selected = NamesOnFile_->currentItem();
    if (!selected) return;
    const std::optional<std::size_t> d = FindNameRecord(table_, selected->text().toStdString());
    if (!d) return;
    if (Check1_->isChecked()) session.LockedIndex = NamesOnFile_->currentRow();
    const NameRecord& record = table_.records[*d];

    DiurnalWindow& diurnal = shell_.inputD1();
    const bool secondPerson = diurnal.SecondPerson();
    std::vector<Message> messages;
    if (secondPerson) {
        diurnal.SetSecondPersonCaption(QString::fromStdString(record.Name));
        InputFields fields = diurnal.Fields();
        messages = LoadNameRecord(record, session.calc.DateOrder, InputSection::Diurnal, fields);
        diurnal.SetFields(fields);
    } else {
        NatalWindow& natal = shell_.inputD();
        InputFields fields = natal.Fields();
        fields.name = record.Name;
        messages = LoadNameRecord(record, session.calc.DateOrder, InputSection::Natal, fields);
        natal.SetFields(fields);
    }
    bool stopped = false;
    for (const Message& message : messages) {
        shell_.dialogs().Show(this, message);
        stopped = stopped || message.text == RecordFormatErrorMessage;
    }
    if (stopped || secondPerson) return;
    if (diurnal.UseNatalData()) {
        diurnal.CopyNatalToDiurnal();
    } else {
        diurnal.SetDiurnalToNow();
    }
}

void NamesWindow::NamesOnFile_DblClick() {
    if (shell_.inputD1().SecondPerson()) return;
    shell_.session.JustSaved = 0;
    NamesOnFile_Click();
    // The window goes away and the calculation starts once this handler has returned: the list
    // that raised the double click must not be deleted under it.
    hide();
    Shell& shell = shell_;
    QTimer::singleShot(0, &shell.main(), [&shell] {
        shell.unloadNames();
        NatalWindow& natal = shell.inputD();
        natal.raise();
        natal.activateWindow();
        shell.RunCalculation();
    });
}

void NamesWindow::Check1_Click() {
    Session& session = shell_.session;
    if (session.LoadingNames) return;
    session.LockList = Check1_->isChecked() ? 1 : 0;
    if (session.LockList) {
        const QListWidgetItem* current = NamesOnFile_->currentItem();
        session.LockedIndex = current && current->isSelected() ? NamesOnFile_->currentRow() : -1;
    }
}

void NamesWindow::cmdNewFileList_Click() {
    Session& session = shell_.session;
    const std::filesystem::path chosen =
        ChooseListFile(shell_, NamesFilePattern,
                       NamesEditorPath(session.NamesFilePath, session.calc.ProgramDir));
    if (chosen.empty()) return;
    session.JustSaved = 0;
    session.NamesFilePath = chosen;
    session.LockedIndex = 0;
    ShowNamesFileLabel();
    FillNamesList(chosen);
}

void NamesWindow::cmdEditList_Click() {
    ShowOnlyEditor<NameEditWindow>(shell_.main(), shell_, "NameEdit");
}

void NamesWindow::Command1_Click() {
    hide();
    Shell& shell = shell_;
    QTimer::singleShot(0, &shell.main(), [&shell] {
        shell.unloadNames();
        shell.unloadCities();
        CitiesWindow& cities = shell.cities();
        cities.show();
        cities.activateWindow();
    });
}

void NamesWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ScrollToTopRow();
}

void NamesWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    PaintSunkenFrame(*this, *lblNamesOnFile_);
}

bool NamesWindow::eventFilter(QObject* watched, QEvent* event) {
    // Enter on a list entry works as a double click on it.
    if (EnterPressedOnEntry(*NamesOnFile_, watched, event)) {
        if (shell_.inputD1().SecondPerson()) {
            NamesOnFile_Click();
        } else {
            NamesOnFile_DblClick();
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace orrerion::gui
