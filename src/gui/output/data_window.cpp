#include "output/data_window.h"

#include "app/shell.h"

namespace orrerion::gui {

DataWindow::DataWindow(Shell& shell, QWidget* parent) : QMainWindow(parent), shell_(shell) {
    setObjectName("OutputD1");
}

void DataWindow::ShowData() { show(); }

}  // namespace orrerion::gui
