#pragma once
// The names editor (NameEdit): the current names file as plain text.
#include "gui/records/list_editor_window.h"

namespace orrerion::gui {

class NamesListState;

class NameEditWindow : public ListEditorWindow {
    Q_OBJECT
public:
    // Edits the Names list's file, or the default names file of programDir when that is empty.
    NameEditWindow(QWidget& owner, WindowRequests& requests, Dialogs& dialogs,
                   NamesListState& names, const std::filesystem::path& programDir);

protected:
    // A save clears the list's saved mark, so the next reading may reposition it again.
    void Saved() override;
    std::optional<std::string> ListEndNote(std::string_view text) const override;
    // Quit: the Names window unloaded and shown again, so its list is read afresh.
    void ReloadList() override;

private:
    NamesListState& names_;
};

}  // namespace orrerion::gui
