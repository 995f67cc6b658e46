#pragma once
// The title window (TITLE), shown at start-up when option 15 is set: the program's name, version,
// a note on the help texts, a drawn picture and Continue.
#include <QDialog>

namespace orrerion::gui {

class TitleWindow : public QDialog {
    Q_OBJECT
public:
    explicit TitleWindow(QWidget* parent = nullptr);
};

// A small orrery drawn by the program: the title window's picture.
class OrreryPicture : public QWidget {
    Q_OBJECT
public:
    explicit OrreryPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace orrerion::gui
