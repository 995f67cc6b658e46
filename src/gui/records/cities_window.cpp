#include "gui/records/cities_window.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "gui/ui/window_requests.h"
#include "gui/records/list_presenter.h"
#include "gui/records/list_window_layout.h"
#include "gui/ui/dialogs.h"
#include "gui/ui/window_setup.h"

namespace orrerion::gui {

CitiesWindow::CitiesWindow(WindowRequests& requests, Dialogs& dialogs,
                           const std::filesystem::path& programDir,
                           std::filesystem::path& CitiesFilePath, QWidget* parent)
    : RecordListWindow(parent),
      requests_(requests),
      dialogs_(dialogs),
      programDir_(programDir),
      CitiesFilePath_(CitiesFilePath),
      CitiesOnFile_(new QListWidget),
      lblCitiesOnFile_(new QLabel),
      Command1_(new QPushButton("Click here for names")),
      cmdEditList_(new QPushButton("Edit this List")),
      cmdNewFileList_(new QPushButton("Change List")) {
    SetUpWindow(*this, "Geograph", "Cities");

    SetUpRecordList(*this, *CitiesOnFile_, "CitiesOnFile");
    WatchList(*CitiesOnFile_, *lblCitiesOnFile_, [this] { CitiesOnFile_Click(); });
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

    ShowCitiesFileLabel();
    FillCitiesList(CitiesFileOrDefault(CitiesFilePath_, programDir_));
}

void CitiesWindow::ClearList() {
    CitiesOnFile_->clear();
    table_ = CityTable{};
}

void CitiesWindow::ShowCitiesFileLabel() {
    lblCitiesOnFile_->setText(QString::fromStdString(FileLabelText(CitiesFilePath_)));
}

void CitiesWindow::FillCitiesList(const std::filesystem::path& path) {
    CitiesOnFile_->clear();
    table_ = orrerion::FillCitiesList(path);
    for (const CityRecord& city : table_.records) {
        CitiesOnFile_->addItem(QString::fromStdString(city.CityName));
    }
    if (table_.problem) dialogs_.Show(this, table_.problem->message);
}

void CitiesWindow::CitiesOnFile_Click() {
    QListWidgetItem* selected = CitiesOnFile_->currentItem();
    if (!selected) return;
    const std::optional<std::size_t> d = FindCityRecord(table_, selected->text().toStdString());
    if (!d) return;
    const CityRecord& city = table_.records[*d];

    const InputSection target =
        requests_.SecondPerson() ? InputSection::Diurnal : InputSection::Natal;
    const PickedRecord picked = PickCity(city, target, requests_.Fields(target));
    requests_.SetFields(target, picked.fields);
    for (const Message& message : picked.messages) dialogs_.Show(this, message);
    if (picked.diurnalFollows) requests_.DiurnalFollowsNatal();
}

void CitiesWindow::cmdNewFileList_Click() {
    const std::filesystem::path chosen = requests_.ChooseListFile(
        CitiesFilePattern, CitiesFileOrDefault(CitiesFilePath_, programDir_));
    if (chosen.empty()) return;
    CitiesFilePath_ = chosen;
    ShowCitiesFileLabel();
    FillCitiesList(chosen);
}

void CitiesWindow::cmdEditList_Click() { requests_.OpenCitiesEditor(); }

void CitiesWindow::Command1_Click() {
    hide();
    requests_.ShowNamesInsteadOfCities();
}

}  // namespace orrerion::gui
