#include "gui/output/select_file_window.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <system_error>

#include "core/records/record_file.h"
#include "gui/ui/window_requests.h"
#include "gui/ui/dialogs.h"
#include "gui/ui/window_setup.h"

namespace orrerion::gui {
namespace {

QString PathText(const std::filesystem::path& path) {
    return QDir::cleanPath(QString::fromStdString(path.string()));
}

// Whether `folder` is `root` or lies inside it.
bool IsInside(const QString& folder, const QString& root) {
    if (folder == root) return true;
    const QString prefix = root.endsWith('/') ? root : root + '/';
    return folder.startsWith(prefix);
}

}  // namespace

SelectFileWindow::SelectFileWindow(WindowRequests& requests, const QString& pattern,
                                   const std::filesystem::path& folder, QWidget* parent)
    : QDialog(parent),
      requests_(requests),
      pattern_(pattern),
      drvList_(new QComboBox),
      dirList_(new QTreeView),
      filList_(new QListWidget),
      folders_(new QFileSystemModel(this)) {
    setObjectName("SelectFIle");
    setWindowTitle("Select a File");
    drvList_->setObjectName("drvList");
    dirList_->setObjectName("dirList");
    filList_->setObjectName("filList");

    // The drives: the file system roots, and the home folder as the place most files live.
    for (const QFileInfo& drive : QDir::drives()) {
        const QString root = QDir::cleanPath(drive.absoluteFilePath());
        drvList_->addItem(QDir::toNativeSeparators(root), root);
    }
    const QString home = QDir::cleanPath(QDir::homePath());
    if (drvList_->findData(home) < 0) drvList_->addItem(QDir::toNativeSeparators(home), home);

    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setRootPath(QDir::rootPath());
    dirList_->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column) dirList_->hideColumn(column);
    dirList_->setHeaderHidden(true);
    dirList_->setSelectionMode(QAbstractItemView::SingleSelection);

    QPushButton* cmdSelect = CommandButton(*this, "Select", "cmdSelect", [this] { cmdSelect_Click(); });
    cmdSelect->setDefault(true);
    QPushButton* cmdCancel = CommandButton(*this, "Cancel", "cmdCancel", [this] { cmdCancel_Click(); });
    connect(filList_, &QListWidget::itemDoubleClicked, this, &SelectFileWindow::cmdSelect_Click);
    connect(drvList_, &QComboBox::activated, this, &SelectFileWindow::drvList_Change);
    connect(dirList_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &SelectFileWindow::dirList_Change);
    // The tree fills and sorts in the background: keep the current folder in view meanwhile.
    auto keepCurrentInView = [this] {
        if (dirList_->currentIndex().isValid()) {
            dirList_->scrollTo(dirList_->currentIndex(), QAbstractItemView::PositionAtCenter);
        }
    };
    connect(folders_, &QFileSystemModel::directoryLoaded, this, keepCurrentInView);
    connect(folders_, &QFileSystemModel::layoutChanged, this, keepCurrentInView);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->addWidget(new QLabel(QString("Files (%1):").arg(pattern)), 0, 0);
    grid->addWidget(new QLabel("Folders:"), 0, 1);
    grid->addWidget(filList_, 1, 0, 3, 1);
    grid->addWidget(dirList_, 1, 1);
    grid->addWidget(new QLabel("Drive:"), 2, 1);
    grid->addWidget(drvList_, 3, 1);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSelect);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(12);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(620, 400);

    SetDirectory(PathText(folder));
}

void SelectFileWindow::SetDirectory(const QString& folder) {
    const QString clean = QDir::cleanPath(folder);
    // The drive holding the folder: the longest drive path it lies in.
    int drive = -1;
    for (int i = 0; i < drvList_->count(); ++i) {
        const QString root = drvList_->itemData(i).toString();
        if (IsInside(clean, root) &&
            (drive < 0 || root.size() > drvList_->itemData(drive).toString().size())) {
            drive = i;
        }
    }
    if (drive >= 0) drvList_->setCurrentIndex(drive);

    const QModelIndex index = folders_->index(clean);
    if (index.isValid()) {
        for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) dirList_->expand(up);
        dirList_->setCurrentIndex(index);  // dirList_Change lists the files
        dirList_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
    if (directory_ != clean) {
        directory_ = clean;
        FillFileList();
    }
}

void SelectFileWindow::drvList_Change(int index) {
    if (index >= 0) SetDirectory(drvList_->itemData(index).toString());
}

void SelectFileWindow::dirList_Change() {
    const QModelIndex current = dirList_->currentIndex();
    if (!current.isValid()) return;
    const QString folder = QDir::cleanPath(folders_->filePath(current));
    if (folder == directory_) return;
    directory_ = folder;
    FillFileList();
}

void SelectFileWindow::FillFileList() {
    filList_->clear();
    // Without QDir::CaseSensitive the pattern matches names in any case.
    const QDir dir(directory_);
    filList_->addItems(dir.entryList(QStringList{pattern_}, QDir::Files | QDir::Readable,
                                     QDir::Name | QDir::IgnoreCase));
}

QStringList SelectFileWindow::files() const {
    QStringList names;
    for (int row = 0; row < filList_->count(); ++row) names << filList_->item(row)->text();
    return names;
}

void SelectFileWindow::PreselectFile(const std::filesystem::path& current) {
    chosen_ = current;
    std::vector<std::string> entries;
    for (const QString& name : files()) entries.push_back(name.toStdString());
    if (const std::optional<std::size_t> row = ChooseFilePreselection(entries, current)) {
        filList_->setCurrentRow(static_cast<int>(*row));
    }
}

void SelectFileWindow::cmdSelect_Click() {
    requests_.ClearNamesAndCitiesLists();
    const QListWidgetItem* item = filList_->currentItem();
    if (item && item->isSelected()) {
        chosen_ = std::filesystem::path(directory_.toStdString()) / item->text().toStdString();
    }
    accept();
}

void SelectFileWindow::cmdCancel_Click() { reject(); }

void SelectFileWindow::reject() {
    chosen_.clear();
    QDialog::reject();
}

std::filesystem::path ChooseFile(WindowRequests& requests, Dialogs& dialogs,
                                 const std::filesystem::path& programDir, const QString& pattern,
                                 const std::filesystem::path& current) {
    // The window opens where the current file is, so that it is the one highlighted.
    std::filesystem::path folder = programDir;
    std::error_code error;
    if (!current.empty() && std::filesystem::is_directory(current.parent_path(), error)) {
        folder = current.parent_path();
    }
    SelectFileWindow window(requests, pattern, folder);
    window.PreselectFile(current);
    dialogs.ExecModal(window);
    return window.chosen();
}

}  // namespace orrerion::gui
