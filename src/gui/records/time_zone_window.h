#pragma once
// The time zone picker.
#include <QWidget>

namespace orrerion::gui {

class Shell;

class TimeZoneWindow : public QWidget {
    Q_OBJECT
public:
    explicit TimeZoneWindow(Shell& shell, QWidget* parent = nullptr);
    void ClearList() {}

private:
    Shell& shell_;
};

}  // namespace orrerion::gui
