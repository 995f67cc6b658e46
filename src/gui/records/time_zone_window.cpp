#include "records/time_zone_window.h"

#include "app/shell.h"

namespace orrerion::gui {

TimeZoneWindow::TimeZoneWindow(Shell& shell, QWidget* parent) : QWidget(parent), shell_(shell) {
    setObjectName("TimeZone");
    setWindowTitle("Time Zones");
}

}  // namespace orrerion::gui
