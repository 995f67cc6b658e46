#include "records/cities_window.h"

#include "app/shell.h"

namespace orrerion::gui {

CitiesWindow::CitiesWindow(Shell& shell, QWidget* parent) : QWidget(parent), shell_(shell) {
    setObjectName("Geograph");
    setWindowTitle("Cities");
}

}  // namespace orrerion::gui
