#pragma once
// The Names window: the people of the current names file. A click loads the person into the natal
// window (or, as a "2nd Person", into the diurnal window), a double click or Enter also runs the
// calculation; "Lock list" brings the same person back whenever the window is read again.
#include <filesystem>

#include "core/records/names_file.h"
#include "core/run/calculation.h"
#include "gui/records/list_window_layout.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace orrerion::gui {

class Dialogs;
class NamesListState;
class WindowRequests;

class NamesWindow : public RecordListWindow {
    Q_OBJECT
public:
    // Opening the Names window: reads the list's file (or the default names file), ticks "Lock
    // list" as the list's state keeps it and applies the lock position. `calc` gives the data
    // folder and the date order of the stored dates.
    NamesWindow(WindowRequests& requests, Dialogs& dialogs, const Calculation& calc,
                NamesListState& names, QWidget* parent = nullptr);

    // Empties the list (the Select a File window does this when a file is chosen).
    void ClearList();
    // The records read by the last filling of the list.
    const NameTable& table() const { return table_; }

    // Loads the selected person into the input window.
    void NamesOnFile_Click();
    // Loads the selected person and runs the calculation (not for a second person). The window is
    // unloaded and the calculation started once this handler has returned.
    void NamesOnFile_DblClick();
    // "Lock list".
    void Check1_Click();
    // "Change List": another names file.
    void cmdNewFileList_Click();
    // "Edit this List": the names editor.
    void cmdEditList_Click();
    // "Click here for cities": the Cities window in place of this one.
    void Command1_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowNamesFileLabel();
    // Reads `path` into the table and the list, reports damage, then applies the lock position.
    void FillNamesList(const std::filesystem::path& path);
    void ReadNames(NameTable table);
    void ScrollToTopRow();

    WindowRequests& requests_;
    Dialogs& dialogs_;
    const Calculation& calc_;
    NamesListState& names_;
    NameTable table_;
    int topRow_ = 0;  // the list's top visible entry, applied again when the window is shown
    QListWidget* NamesOnFile_;
    QLabel* lblNamesOnFile_;
    QCheckBox* Check1_;
    QPushButton* Command1_;
    QPushButton* cmdEditList_;
    QPushButton* cmdNewFileList_;
};

}  // namespace orrerion::gui
