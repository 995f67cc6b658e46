#include "gui/records/name_edit_window.h"

#include "core/records/names_file.h"
#include "gui/ui/window_requests.h"
#include "gui/records/list_presenter.h"

namespace orrerion::gui {

NameEditWindow::NameEditWindow(QWidget& owner, WindowRequests& requests, Dialogs& dialogs,
                               NamesListState& names, const std::filesystem::path& programDir)
    : ListEditorWindow(owner, requests, dialogs, "NameEdit",
                       NamesEditorPath(names.file(), programDir)),
      names_(names) {}

void NameEditWindow::Saved() { names_.ClearSaved(); }

std::optional<std::string> NameEditWindow::ListEndNote(std::string_view text) const {
    return NamesListEndNote(text);
}

void NameEditWindow::ReloadList() { requests_.ReloadNamesList(); }

}  // namespace orrerion::gui
