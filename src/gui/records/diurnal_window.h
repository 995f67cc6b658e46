#pragma once
// The diurnal input window (InputD1): the second moment and place, the progression type, "Use
// natal data" and "2nd Person". It works like the natal window; a left click on its background
// presses the natal window's OK.
#include <QList>
#include <QWidget>

#include "core/base/input_fields.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace orrerion::gui {

class ClickLabel;
class Shell;

class DiurnalWindow : public QWidget {
    Q_OBJECT
public:
    explicit DiurnalWindow(Shell& shell, QWidget* parent = nullptr);

    InputFields Fields() const;
    // Puts field values into the window (values that already passed the hour and zone rules).
    void SetFields(const InputFields& fields);
    // The progression chosen with Option1..Option3.
    ProgressionType Progression() const;
    void SetProgression(ProgressionType type);
    // Date and time from the clock, the place from the default place of the options.
    void SetDiurnalToNow();
    // The natal window's time and place (not its date) into this window.
    void CopyNatalToDiurnal();
    // chk2ndPerson and chkNatOrNow, read by the Names and Cities windows.
    bool SecondPerson() const;
    bool UseNatalData() const;
    // The "2nd Person" box shows the name of the person loaded into this window.
    void SetSecondPersonCaption(const QString& name);

    // Sets the zone text as typed (the time zone picker and the atlas).
    void SetZoneText(const QString& zone);
    // Selects East (true) or West and applies the zone sign rule, as a click on the button does.
    void SelectEast(bool east);

public slots:
    void chkNatOrNow_Click();
    void chk2ndPerson_Click();
    // "TZ Help": the time zone picker, for this window.
    void Label1_Click();
    // "Atlas": the place lookup.
    void Label2_Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Enter presses OK (the natal window's), as the help texts say.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void txtDiurnalHour_Change();
    void optDiurnalEast_Click();
    void optDiurnalWest_Click();

    Shell& shell_;
    bool settingFields_ = false;  // SetFields is writing: the rules stay quiet

    QLineEdit* txtDiurnalMonth = nullptr;
    QLineEdit* txtDiurnalDay = nullptr;
    QLineEdit* txtDiurnalYear = nullptr;
    QLineEdit* txtDiurnalHour = nullptr;
    QLineEdit* txtDiurnalMinute = nullptr;
    QLineEdit* txtDiurnalTZ = nullptr;
    QLineEdit* txtDiurnalLongDeg = nullptr;
    QLineEdit* txtDiurnalLongMin = nullptr;
    QLineEdit* txtDiurnalLatDeg = nullptr;
    QLineEdit* txtDiurnalLatMin = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QRadioButton* optDiurnalAM = nullptr;
    QRadioButton* optDiurnalPM = nullptr;
    QRadioButton* optDiurnalEast = nullptr;
    QRadioButton* optDiurnalWest = nullptr;
    QRadioButton* optDiurnalNorth = nullptr;
    QRadioButton* optDiurnalSouth = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QCheckBox* chkNatOrNow = nullptr;
    QCheckBox* chk2ndPerson = nullptr;
    ClickLabel* Label1 = nullptr;
    ClickLabel* Label2 = nullptr;
    QList<QWidget*> framed_;  // drawn with the sunken frame
};

}  // namespace orrerion::gui
