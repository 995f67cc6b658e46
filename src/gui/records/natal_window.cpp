#include "records/natal_window.h"

#include "app/shell.h"

namespace orrerion::gui {

NatalWindow::NatalWindow(Shell& shell, QWidget* parent) : QWidget(parent), shell_(shell) {
    setObjectName("InputD");
    setWindowTitle("Natal Input Data");
}

NatalFields NatalWindow::Fields() const { return fields_; }
void NatalWindow::SetFields(const NatalFields& fields) { fields_ = fields; }
void NatalWindow::SetNatalToNow() {}
void NatalWindow::RefreshClockFields() {}

}  // namespace orrerion::gui
