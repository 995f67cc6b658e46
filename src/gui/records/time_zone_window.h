#pragma once
// The time zone picker (TimeZone): the zones of TZ.DAT in a fixed-pitch list; a click writes the
// chosen offset into the zone field of the window that opened the picker (TimeZoneTarget) and
// selects East or West to match. The opening input window places the picker before showing it.
#include <QWidget>

#include "core/records/tz_table.h"

class QListWidget;
class QPushButton;

namespace orrerion::gui {

class Shell;

class TimeZoneWindow : public QWidget {
    Q_OBJECT
public:
    // Reads ProgramDir/TZ.DAT; a damaged or missing table is reported and the list holds the
    // zones read before the problem.
    explicit TimeZoneWindow(Shell& shell, QWidget* parent = nullptr);

    void ClearList();
    const TimeZoneTable& table() const { return table_; }

    // Applies the selected zone to the natal window (TimeZoneTarget false) or the diurnal window.
    void lstTimeZones_Click();
    // "Quit": unloads the picker.
    void Command1_Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Shell& shell_;
    TimeZoneTable table_;
    QListWidget* lstTimeZones_;
    QPushButton* Command1_;
};

}  // namespace orrerion::gui
