#include "gui/records/long_lat_window.h"

#include "core/records/cities_file.h"
#include "gui/app/shell.h"
#include "gui/records/cities_window.h"

namespace orrerion::gui {

LongLatWindow::LongLatWindow(Shell& shell)
    : ListEditorWindow(shell, "LongLat",
                       CitiesFileOrDefault(shell.session.CitiesFilePath,
                                           shell.session.calc.ProgramDir)) {}

std::optional<std::string> LongLatWindow::ListEndNote(std::string_view text) const {
    return CitiesListEndNote(text);
}

void LongLatWindow::ReloadList() {
    shell_.unloadCities();
    shell_.cities().show();
}

}  // namespace orrerion::gui
