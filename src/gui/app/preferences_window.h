#pragma once
// The Preferences window: the options of OPTIONS.OPT as named controls in groups, each number
// with its unit and range, and the settings of SETTINGS.TXT (positions, the wheel, the timeline,
// the events' orb,
// the chart's extra points), with Save, Cancel and Restore Defaults.
#include <QWidget>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/records/settings_file.h"
#include "core/run/calculation.h"
#include "gui/app/preferences_presenter.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace orrerion::gui {

class Dialogs;

// What the window reads and keeps.
struct PreferencesSlice {
    Calculation& calc;         // the options in force and the data folder
    std::string& windowTitle;  // renewed after Save, as the Options window's Save does
    SettingsFile& settings;    // the settings in force
};

class PreferencesWindow : public QWidget {
    Q_OBJECT
public:
    PreferencesWindow(Dialogs& dialogs, PreferencesSlice slice, QWidget* parent = nullptr);

    // The controls' entries and settings, as Save would take them.
    PreferenceEntries Entries() const;
    Settings CurrentSettings() const;

    // Save: the values checked (the first problem shown, its control given the focus), both files
    // written, the options and settings in force read again; the window closes when all went well.
    void btnSave_Click();
    void btnCancel_Click();
    // The controls show the values of OPTIONS.MST and the default settings; nothing is written
    // until Save.
    void cmdRestoreDefault_Click();

private:
    QWidget* MakeGroup(PreferenceGroup group);
    QWidget* MakePositions();
    QWidget* MakeWheel();
    QWidget* MakeTimeline();
    QWidget* MakeEvents();
    QWidget* MakePoints();
    // Greys out the points the positions chosen in this window cannot compute, each with its reason
    // as its tip, the reasons in the frame's note.
    void ShowPointsAvailable();
    void SetEntries(const PreferenceEntries& entries);
    void SetSettings(const Settings& settings);
    void ShowProblem(const PreferenceProblem& problem);

    Dialogs& dialogs_;
    PreferencesSlice slice_;
    Options shown_;  // the values of OPTIONS.OPT the controls were filled from
    std::array<QWidget*, PreferenceFields.size()> controls_{};
    QRadioButton* optEphemerisBuiltin_ = nullptr;
    QRadioButton* optEphemerisPrecise_ = nullptr;
    QRadioButton* optAscendantLeft_ = nullptr;
    QRadioButton* optAriesLeft_ = nullptr;
    std::array<QCheckBox*, WheelRingCount> rings_{};  // by RingIndex: the rings a person may choose
    std::array<QCheckBox*, 5> families_{};  // tn, sn, pn, pp, tp
    QLineEdit* txtEventOrb_ = nullptr;
    double eventOrbShown_ = DefaultEventOrb;  // the orb the box was filled with
    std::vector<std::pair<PointBox, QCheckBox*>> points_;  // in the order of PointBoxes()
    QCheckBox* chkFortuneDayFormula_ = nullptr;
    QCheckBox* chkPointsInReports_ = nullptr;
    QLabel* lblPointsUnavailable_ = nullptr;
};

}  // namespace orrerion::gui
