#pragma once
// The Select a File window (SelectFIle): a drive list, a folder tree and the files of the chosen
// folder that match a pattern, through which the Names and Cities windows change their file.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <filesystem>

class QComboBox;
class QFileSystemModel;
class QListWidget;
class QTreeView;

namespace orrerion::gui {

class Dialogs;
class WindowRequests;

class SelectFileWindow : public QDialog {
    Q_OBJECT
public:
    // Lists the files matching `pattern` (ignoring case, so "*.FIL" finds "names.fil") in `folder`.
    SelectFileWindow(WindowRequests& requests, const QString& pattern,
                     const std::filesystem::path& folder, QWidget* parent = nullptr);

    // The folder whose files are listed, and a change of it (drive list and tree follow).
    QString directory() const { return directory_; }
    void SetDirectory(const QString& folder);
    // The files listed, in their order.
    QStringList files() const;
    // Highlights the file whose name equals that of `current` in capitals, else the first file;
    // `current` is also the choice until Select or Cancel changes it.
    void PreselectFile(const std::filesystem::path& current);
    // The file chosen: empty after Cancel.
    const std::filesystem::path& chosen() const { return chosen_; }

    // Select (also a double click on a file): the names and cities lists emptied, the highlighted
    // file's full path chosen (the preselected one kept when none is highlighted); closes.
    void cmdSelect_Click();
    // Cancel, also closing the window: nothing chosen.
    void cmdCancel_Click();
    void reject() override;

private:
    void drvList_Change(int index);
    void dirList_Change();
    void FillFileList();

    WindowRequests& requests_;
    std::filesystem::path chosen_;
    QString pattern_;
    QString directory_;
    QComboBox* drvList_;
    QTreeView* dirList_;
    QListWidget* filList_;
    QFileSystemModel* folders_;
};

// Shows the Select a File window modally with its list filtered by `pattern` ("*.FIL", "*.LL"),
// opened on the folder of `current` (`programDir` when that folder is gone) with `current`
// highlighted. Returns the chosen file's path, `current` when Select was pressed with no file
// highlighted, or an empty path on Cancel.
std::filesystem::path ChooseFile(WindowRequests& requests, Dialogs& dialogs,
                                 const std::filesystem::path& programDir, const QString& pattern,
                                 const std::filesystem::path& current);

}  // namespace orrerion::gui
