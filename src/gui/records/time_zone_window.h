#pragma once
// The time zone picker (TimeZone): the zones of TZ.DAT in a fixed-pitch list; a click writes the
// chosen offset into the zone field of the input window it was opened for (its target) and
// selects East or West to match. The shell places the picker beside the input windows.
#include <filesystem>

#include "core/base/input_fields.h"
#include "core/records/tz_table.h"
#include "gui/records/list_window_layout.h"

class QListWidget;
class QPushButton;

namespace orrerion::gui {

class Dialogs;
class WindowRequests;

class TimeZoneWindow : public RecordListWindow {
    Q_OBJECT
public:
    // Reads programDir/TZ.DAT; a damaged or missing table is reported and the list holds the
    // zones read before the problem.
    TimeZoneWindow(WindowRequests& requests, Dialogs& dialogs,
                   const std::filesystem::path& programDir, QWidget* parent = nullptr);

    // The input window the chosen zone goes to: set by each opening of the picker, the natal
    // window until then. The picker is the only keeper of it.
    InputSection target() const { return target_; }
    void SetTarget(InputSection target) { target_ = target; }

    void ClearList();
    const TimeZoneTable& table() const { return table_; }

    // Applies the selected zone to the target window.
    void lstTimeZones_Click();
    // "Quit": unloads the picker.
    void Command1_Click();

private:
    WindowRequests& requests_;
    Dialogs& dialogs_;
    InputSection target_ = InputSection::Natal;
    TimeZoneTable table_;
    QListWidget* lstTimeZones_;
    QPushButton* Command1_;
};

}  // namespace orrerion::gui
