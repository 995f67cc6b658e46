#pragma once
// The data window (OutputD1): the data summary, report listings and help texts in a fixed-pitch
// font, with font, save, clear and print commands.
#include <QMainWindow>

namespace orrerion::gui {

class Shell;

class DataWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DataWindow(Shell& shell, QWidget* parent = nullptr);

    // ShowDataWindow: one empty line added to both buffers when the report buffer holds more than
    // its first line, then DataLines put into the text and the window shown.
    void ShowData();

private:
    Shell& shell_;
};

}  // namespace orrerion::gui
