#pragma once
// The natal input window (InputD): name, birth date, clock time, zone and place. The fields stay
// text until the chart driver reads and checks them; the window itself applies only the hour rule,
// the zone sign rule and the key filters.
#include <QList>
#include <QWidget>

#include "core/base/input_fields.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orrerion::gui {

class ClickLabel;
class Shell;

class NatalWindow : public QWidget {
    Q_OBJECT
public:
    explicit NatalWindow(Shell& shell, QWidget* parent = nullptr);

    // The fields as the chart driver reads them.
    InputFields Fields() const;
    // Puts field values into the window (values that already passed the hour and zone rules, so
    // the rules do not run again).
    void SetFields(const InputFields& fields);
    // Name "Now", the clock's date and time and the default place of the options.
    void SetNatalToNow();
    // The Input menu's refresh of a "Now" chart: date, time and meridiem from the clock.
    void RefreshClockFields();

    // Sets the zone text as typed (the time zone picker and the atlas).
    void SetZoneText(const QString& zone);
    // Selects East (true) or West and applies the zone sign rule, as a click on the button does.
    void SelectEast(bool east);


public slots:
    void cmdOK_Click();
    void cmdNow_Click();
    void cmdSave_Click();
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
    void txtBirthHour_Change();
    void optEast_Click();
    void optWest_Click();
    void SetClockFields();

    Shell& shell_;
    bool settingFields_ = false;  // SetFields is writing: the rules stay quiet

    QLineEdit* txtName = nullptr;
    QLineEdit* txtMonth = nullptr;
    QLineEdit* txtDay = nullptr;
    QLineEdit* txtYear = nullptr;
    QLineEdit* txtBirthHour = nullptr;
    QLineEdit* txtBirthMinute = nullptr;
    QLineEdit* txtTZ = nullptr;
    QLineEdit* txtLongDeg = nullptr;
    QLineEdit* txtLongMin = nullptr;
    QLineEdit* txtLatDeg = nullptr;
    QLineEdit* txtLatMin = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QRadioButton* optAM = nullptr;
    QRadioButton* optPM = nullptr;
    QRadioButton* optEast = nullptr;
    QRadioButton* optWest = nullptr;
    QRadioButton* optNorth = nullptr;
    QRadioButton* optSouth = nullptr;
    QPushButton* cmdNow = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSave = nullptr;
    ClickLabel* Label1 = nullptr;
    ClickLabel* Label2 = nullptr;
    QList<QWidget*> framed_;  // drawn with the sunken frame
};

}  // namespace orrerion::gui
