#pragma once
// The natal input window (InputD): name, birth date, clock time, zone and place.
#include <QWidget>

#include "chart/input_fields.h"

namespace orrerion::gui {

class Shell;

class NatalWindow : public QWidget {
    Q_OBJECT
public:
    explicit NatalWindow(Shell& shell, QWidget* parent = nullptr);

    // The fields as the chart driver reads them.
    NatalFields Fields() const;
    // Puts field values into the window (values that already passed the hour and zone rules).
    void SetFields(const NatalFields& fields);
    // Name "Now", the clock's date and time and the default place of the options.
    void SetNatalToNow();
    // The Input menu's refresh of a "Now" chart: date, time and meridiem from the clock.
    void RefreshClockFields();

private:
    Shell& shell_;
    NatalFields fields_;
};

}  // namespace orrerion::gui
