#pragma once
// The Cities window: the places of the current cities file.
#include <QWidget>

namespace orrerion::gui {

class Shell;

class CitiesWindow : public QWidget {
    Q_OBJECT
public:
    explicit CitiesWindow(Shell& shell, QWidget* parent = nullptr);
    void ClearList() {}

private:
    Shell& shell_;
};

}  // namespace orrerion::gui
