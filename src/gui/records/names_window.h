#pragma once
// The Names window: the people of the current names file.
#include <QWidget>

namespace orrerion::gui {

class Shell;

class NamesWindow : public QWidget {
    Q_OBJECT
public:
    explicit NamesWindow(Shell& shell, QWidget* parent = nullptr);
    void ClearList() {}

private:
    Shell& shell_;
};

}  // namespace orrerion::gui
