#pragma once
// The natal input window (InputD): name, birth date, clock time, zone and place. The fields stay
// text until the chart driver reads and checks them; the window itself applies only the hour rule,
// the zone sign rule and the key filters.
#include "gui/records/input_window.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orrerion::gui {

class NamesListState;

class NatalWindow : public InputWindow {
    Q_OBJECT
public:
    // "Save to disk" marks the Names list as just saved in `names`.
    NatalWindow(WindowRequests& requests, InputWindowSlice slice, NamesListState& names,
                QWidget* parent = nullptr);

    // Name "Now", the clock's date and time and the default place of the options.
    void SetNatalToNow();
    // The Input menu's refresh of a "Now" chart: date, time and meridiem from the clock.
    void RefreshClockFields();

public slots:
    void cmdOK_Click();
    void cmdNow_Click();
    // "Save to disk": a name with a comma is refused with its message; otherwise the natal fields
    // are written to a names file. Unless the file choice was cancelled, the Names list is marked
    // just saved and read again (it lists its own file, which saving does not change).
    void cmdSave_Click();

private:
    void BuildControls();
    // Chooses a names file ("*.FIL", the current one preselected) and writes the natal fields to
    // it: each stored record of the same name (ignoring case) is replaced or kept as the person
    // answers, the new record goes last, the old file is kept as the backup ending in "OLD".
    // Problems are reported, including a copy that stopped at a damaged line. Returns false only
    // when the choice of file was cancelled.
    bool WriteToNamesFile();

    NamesListState& names_;

    QPushButton* cmdNow = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSave = nullptr;
    ClickLabel* Label1 = nullptr;
    ClickLabel* Label2 = nullptr;
};

}  // namespace orrerion::gui
