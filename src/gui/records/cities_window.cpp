#include "gui/records/cities_window.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "gui/app/main_window.h"
#include "gui/app/shell.h"
#include "gui/app/sunken_frame.h"
#include "gui/records/choose_file.h"
#include "gui/records/diurnal_window.h"
#include "gui/records/list_window_layout.h"
#include "gui/records/long_lat_window.h"
#include "gui/records/names_window.h"
#include "gui/records/natal_window.h"

namespace orrerion::gui {

CitiesWindow::CitiesWindow(Shell& shell, QWidget* parent)
    : QWidget(parent),
      shell_(shell),
      CitiesOnFile_(new QListWidget),
      lblCitiesOnFile_(new QLabel),
      Command1_(new QPushButton("Click here for names")),
      cmdEditList_(new QPushButton("Edit this List")),
      cmdNewFileList_(new QPushButton("Change List")) {
    setObjectName("Geograph");
    setWindowTitle("Cities");
    setAttribute(Qt::WA_DeleteOnClose);

    SetUpRecordList(*this, *CitiesOnFile_, "CitiesOnFile");
    SetUpFileLabel(*lblCitiesOnFile_, "lblCitiesOnFile");
    Command1_->setObjectName("Command1");
    cmdEditList_->setObjectName("cmdEditList");
    cmdNewFileList_->setObjectName("cmdNewFileList");

    LoadOnSelection(*CitiesOnFile_, [this] { CitiesOnFile_Click(); });
    connect(Command1_, &QPushButton::clicked, this, &CitiesWindow::Command1_Click);
    connect(cmdEditList_, &QPushButton::clicked, this, &CitiesWindow::cmdEditList_Click);
    connect(cmdNewFileList_, &QPushButton::clicked, this, &CitiesWindow::cmdNewFileList_Click);

    LayOutListWindow(*this, *CitiesOnFile_, {lblCitiesOnFile_},
                     {cmdEditList_, cmdNewFileList_, Command1_});

    const Session& session = shell_.session;
    ShowCitiesFileLabel();
    FillCitiesList(CitiesFileOrDefault(session.CitiesFilePath, session.calc.ProgramDir));
}

void CitiesWindow::ClearList() {
    CitiesOnFile_->clear();
    table_ = CityTable{};
}

void CitiesWindow::ShowCitiesFileLabel() {
    lblCitiesOnFile_->setText(
        QString::fromStdString(FileLabelText(shell_.session.CitiesFilePath)));
}

void CitiesWindow::FillCitiesList(const std::filesystem::path& path) {
    CitiesOnFile_->clear();
    table_ = orrerion::FillCitiesList(path);
    for (const CityRecord& city : table_.records) {
        CitiesOnFile_->addItem(QString::fromStdString(city.CityName));
    }
    if (table_.problem) shell_.dialogs().Show(this, table_.problem->message);
}

void CitiesWindow::CitiesOnFile_Click() {
    QListWidgetItem* selected = CitiesOnFile_->currentItem();
    if (!selected) return;
    const std::optional<std::size_t> d = FindCityRecord(table_, selected->text().toStdString());
    if (!d) return;
    const CityRecord& city = table_.records[*d];

    DiurnalWindow& diurnal = shell_.inputD1();
    const bool secondPerson = diurnal.SecondPerson();
    std::vector<Message> messages;
    if (secondPerson) {
        InputFields fields = diurnal.Fields();
        messages = LoadCityRecord(city, fields);
        diurnal.SetFields(fields);
    } else {
        NatalWindow& natal = shell_.inputD();
        InputFields fields = natal.Fields();
        messages = LoadCityRecord(city, fields);
        natal.SetFields(fields);
    }
    // Every message of the loading stops it.
    for (const Message& message : messages) shell_.dialogs().Show(this, message);
    if (!messages.empty() || secondPerson) return;
    if (diurnal.UseNatalData()) {
        diurnal.CopyNatalToDiurnal();
    } else {
        diurnal.SetDiurnalToNow();
    }
}

void CitiesWindow::cmdNewFileList_Click() {
    Session& session = shell_.session;
    const std::filesystem::path chosen =
        ChooseListFile(shell_, CitiesFilePattern,
                       CitiesFileOrDefault(session.CitiesFilePath, session.calc.ProgramDir));
    if (chosen.empty()) return;
    session.CitiesFilePath = chosen;
    ShowCitiesFileLabel();
    FillCitiesList(chosen);
}

void CitiesWindow::cmdEditList_Click() {
    ShowOnlyEditor<LongLatWindow>(shell_.main(), shell_, "LongLat");
}

void CitiesWindow::Command1_Click() {
    hide();
    // Unloading this window from inside its own button's handler would delete the button under
    // it: the switch happens once the handler has returned.
    Shell& shell = shell_;
    QTimer::singleShot(0, &shell.main(), [&shell] {
        shell.unloadCities();
        shell.unloadNames();
        NamesWindow& names = shell.names();
        names.show();
        names.activateWindow();
    });
}

void CitiesWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    PaintSunkenFrame(*this, *lblCitiesOnFile_);
}

bool CitiesWindow::eventFilter(QObject* watched, QEvent* event) {
    // Enter on a list entry works as a click on it.
    if (EnterPressedOnEntry(*CitiesOnFile_, watched, event)) {
        CitiesOnFile_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace orrerion::gui
