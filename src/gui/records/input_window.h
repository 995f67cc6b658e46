#pragma once
// What the natal window (InputD) and the diurnal window (InputD1) share: the fields of their
// section, the hour rule and the zone sign rule on their controls, the "TZ Help" and "Atlas"
// labels, the clicks on their background and the sunken frames. Each window builds its own
// controls and connects them here.
#include <QList>
#include <array>
#include <string>
#include <vector>
#include <QWidget>
#include <string_view>

#include "core/base/input_fields.h"
#include "core/run/calculation.h"
#include "gui/ui/local_clock.h"
#include "gui/records/input_controls.h"

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orrerion::gui {

class Dialogs;
class WindowRequests;

// What an input window reads besides its own controls.
struct InputWindowSlice {
    Dialogs& dialogs;
    const LocalClock& clock;
    // The default place of the options; the natal window's save also reads the data folder and
    // the date order.
    const Calculation& calc;
};

class InputWindow : public QWidget {
    Q_OBJECT
public:
    InputSection section() const { return section_; }

    // The fields as the chart driver reads them.
    InputFields Fields() const;
    // Puts field values into the window (values that already passed the hour and zone rules, so
    // the rules do not run again).
    void SetFields(const InputFields& fields);
    // Sets the zone text as typed (the time zone picker).
    void SetZoneText(const QString& zone);
    // Selects East (true) or West and applies the zone sign rule, as a click on the button does.
    void SelectEast(bool east);
    // Brings the window forward with the field's text box focused and its text selected, so that
    // typing replaces it; false when the window has no such box (the diurnal Name).
    bool SelectField(InputField field);
    // The IANA zone ("America/New_York") whose offset "Find place..." put into the zone field;
    // empty once the zone, the place or a hemisphere was changed otherwise.
    const std::string& ZoneName() const { return zoneName_; }

public slots:
    // "TZ Help": the time zone picker, for this window.
    void Label1_Click();
    // "Atlas": the place lookup. The zone and place come back with the zone sign rule applied and
    // are put in without the window's own rules.
    void Label2_Click();
    // "Find place...": asks for a place's name, looks it up in the atlas (a numbered choice when
    // several match and none by its whole name), and fills the longitude, the latitude and the
    // zone of the place's IANA zone in force at the window's date and time; the zone's name is
    // shown below the fields. A date or time typed afterwards fetches that zone's offset anew.
    void cmdFindPlace_Click();

protected:
    InputWindow(InputSection section, WindowRequests& requests, InputWindowSlice slice,
                QWidget* parent);

    // The section's text boxes, one grid row each from `firstRow` in the order of AllInputFields
    // (the natal Name spans two columns; the diurnal window has none), with their captions
    // (FieldCaption, the names the checks' reasons use).
    void AddFieldRows(QGridLayout& grid, int firstRow);
    // The section's Am/Pm, Ea/We and No/So frames with their option buttons.
    struct OptionFrames {
        QGroupBox* time;
        QGroupBox* eastWest;
        QGroupBox* northSouth;
    };
    OptionFrames AddOptionFrames();
    // A text box of the section (nothing for the diurnal Name).
    QLineEdit* Box(InputField field) const;
    // The "Find place..." button (cmdFindPlace, cmdDiurnalFindPlace) in column 2 of `row` and,
    // across the row below, the label that shows the zone's name (lblZoneName, lblDiurnalZoneName).
    QPushButton* AddFindPlaceRow(QGridLayout& grid, int row);

    // Once the window has built its controls (found by the section's control names): the hour
    // rule on the hour box, the zone sign rule on East and West, and the lookup labels.
    void ConnectRules();
    // Puts the fields in as typing would: the hour rule runs on the hour box (and shows its
    // message for an empty hour).
    void EnterFields(const InputFields& fields);

    void paintEvent(QPaintEvent* event) override;
    // On the window's background (not on a control) the right button gives the main window the
    // focus; in the diurnal window the left button presses the natal window's OK.
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Enter presses the natal window's OK, as the help texts say (or the button that has the focus).
    void keyPressEvent(QKeyEvent* event) override;

    WindowRequests& requests_;
    InputWindowSlice slice_;
    QList<QWidget*> framed_;  // drawn with the sunken frame

private:
    void WriteFields(const InputFields& fields, bool rulesRun);
    void HourChanged();
    // A date or clock box changed: a pasted ISO date and time fills the date and clock fields;
    // then the named zone, if any, is read again at the new moment. Returns whether it was a paste.
    bool DateOrClockChanged(QLineEdit& box);
    // The named zone at the fields' moment into the zone field, and its name and notes shown.
    void RefreshNamedZone();
    void ShowZoneName(const std::string& text, const std::vector<std::string>& notes);
    // The zone, the place or a hemisphere changed otherwise than by "Find place...".
    void ForgetZoneName();

    InputSection section_;
    bool settingFields_ = false;  // SetFields is writing: the rules stay quiet
    bool fillingPlace_ = false;   // "Find place..." is writing: the zone name stays
    std::string zoneName_;
    QLabel* zoneLabel_ = nullptr;
    QLineEdit* hour_ = nullptr;
    QLineEdit* zone_ = nullptr;
    FieldOptionButtons buttons_{};
};

}  // namespace orrerion::gui
