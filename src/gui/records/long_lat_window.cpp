#include "gui/records/long_lat_window.h"

#include "core/records/cities_file.h"
#include "gui/ui/window_requests.h"

namespace orrerion::gui {

LongLatWindow::LongLatWindow(QWidget& owner, WindowRequests& requests, Dialogs& dialogs,
                             const std::filesystem::path& CitiesFilePath,
                             const std::filesystem::path& programDir)
    : ListEditorWindow(owner, requests, dialogs, "LongLat",
                       CitiesFileOrDefault(CitiesFilePath, programDir)) {}

std::optional<std::string> LongLatWindow::ListEndNote(std::string_view text) const {
    return CitiesListEndNote(text);
}

void LongLatWindow::ReloadList() { requests_.ReloadCitiesList(); }

}  // namespace orrerion::gui
