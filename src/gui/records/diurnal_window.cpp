#include "records/diurnal_window.h"

#include "app/shell.h"

namespace orrerion::gui {

DiurnalWindow::DiurnalWindow(Shell& shell, QWidget* parent) : QWidget(parent), shell_(shell) {
    setObjectName("InputD1");
    setWindowTitle("Diurnal Input Data");
}

DiurnalFields DiurnalWindow::Fields() const { return fields_; }
void DiurnalWindow::SetFields(const DiurnalFields& fields) { fields_ = fields; }
void DiurnalWindow::SetDiurnalToNow() {}
void DiurnalWindow::CopyNatalToDiurnal() {}
bool DiurnalWindow::SecondPerson() const { return false; }
bool DiurnalWindow::UseNatalData() const { return false; }
void DiurnalWindow::SetSecondPersonCaption(const QString&) {}

}  // namespace orrerion::gui
