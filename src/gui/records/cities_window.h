#pragma once
// The Cities window (Geograph): the places of the current cities file. A click puts the place and
// its zone into the natal window, or into the diurnal window when it holds a second person.
#include <filesystem>

#include "core/records/cities_file.h"
#include "gui/records/list_window_layout.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace orrerion::gui {

class Dialogs;
class WindowRequests;

class CitiesWindow : public RecordListWindow {
    Q_OBJECT
public:
    // Opening the window: reads CitiesFilePath (or the default cities file of programDir when it
    // is empty); a file that cannot be read is reported and the list stays empty. "Change List"
    // sets CitiesFilePath.
    CitiesWindow(WindowRequests& requests, Dialogs& dialogs, const std::filesystem::path& programDir,
                 std::filesystem::path& CitiesFilePath, QWidget* parent = nullptr);

    // Empties the list (the Select a File window does this when a file is chosen).
    void ClearList();
    const CityTable& table() const { return table_; }

    // Loads the selected place into the input window.
    void CitiesOnFile_Click();
    // "Change List": another cities file.
    void cmdNewFileList_Click();
    // "Edit this List": the cities editor.
    void cmdEditList_Click();
    // "Click here for names": the Names window in place of this one.
    void Command1_Click();

private:
    void ShowCitiesFileLabel();
    void FillCitiesList(const std::filesystem::path& path);

    WindowRequests& requests_;
    Dialogs& dialogs_;
    const std::filesystem::path& programDir_;
    std::filesystem::path& CitiesFilePath_;
    CityTable table_;
    QListWidget* CitiesOnFile_;
    QLabel* lblCitiesOnFile_;
    QPushButton* Command1_;
    QPushButton* cmdEditList_;
    QPushButton* cmdNewFileList_;
};

}  // namespace orrerion::gui
