#include "records/names_window.h"

#include "app/shell.h"

namespace orrerion::gui {

NamesWindow::NamesWindow(Shell& shell, QWidget* parent) : QWidget(parent), shell_(shell) {
    setObjectName("Names");
    setWindowTitle("Names");
}

}  // namespace orrerion::gui
