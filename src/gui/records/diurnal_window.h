#pragma once
// The diurnal input window (InputD1): the second moment and place, the progression type, "Use
// natal data" and "2nd Person". It works like the natal window; a left click on its background
// presses the natal window's OK.
#include "gui/records/input_window.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace orrerion::gui {

class DiurnalWindow : public InputWindow {
    Q_OBJECT
public:
    DiurnalWindow(WindowRequests& requests, InputWindowSlice slice, QWidget* parent = nullptr);

    // The progression chosen with Option1..Option3.
    ProgressionType Progression() const;
    void SetProgression(ProgressionType type);
    // Date and time from the clock, the place from the default place of the options.
    void SetDiurnalToNow();
    // The natal window's time and place (not its date) into this window.
    void CopyNatalToDiurnal();
    // After natal fields were loaded from a list, and on a click of "Use natal data": the natal
    // time and place when the box is ticked, else the present moment.
    void FollowNatal();
    // chk2ndPerson and chkNatOrNow.
    bool SecondPerson() const;
    bool UseNatalData() const;
    // The "2nd Person" box shows the name of the person loaded into this window.
    void SetSecondPersonCaption(const QString& name);

public slots:
    void chkNatOrNow_Click();
    void chk2ndPerson_Click();

private:
    void BuildControls();

    QGroupBox* Frame4 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QCheckBox* chkNatOrNow = nullptr;
    QCheckBox* chk2ndPerson = nullptr;
    ClickLabel* Label1 = nullptr;
    ClickLabel* Label2 = nullptr;
};

}  // namespace orrerion::gui
