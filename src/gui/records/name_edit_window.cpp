#include "gui/records/name_edit_window.h"

#include "core/records/names_file.h"
#include "gui/app/shell.h"
#include "gui/records/names_window.h"

namespace orrerion::gui {

NameEditWindow::NameEditWindow(Shell& shell)
    : ListEditorWindow(shell, "NameEdit",
                       NamesEditorPath(shell.session.NamesFilePath, shell.session.calc.ProgramDir)) {}

void NameEditWindow::Saved() { shell_.session.JustSaved = 0; }

std::optional<std::string> NameEditWindow::ListEndNote(std::string_view text) const {
    return NamesListEndNote(text);
}

void NameEditWindow::ReloadList() {
    shell_.unloadNames();
    shell_.names().show();
}

}  // namespace orrerion::gui
