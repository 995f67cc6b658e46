#pragma once
// The About window: the program's name drawn with a shadow and its version; a click anywhere
// closes it.
#include <QDialog>

namespace orrerion::gui {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace orrerion::gui
