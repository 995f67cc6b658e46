#pragma once
// The names editor (NameEdit): the current names file as plain text.
#include "gui/records/list_editor_window.h"

namespace orrerion::gui {

class NameEditWindow : public ListEditorWindow {
    Q_OBJECT
public:
    // Edits NamesFilePath, or the default names file when that is empty.
    explicit NameEditWindow(Shell& shell);

protected:
    // A save clears JustSaved, so the next reading of the list may reposition it again.
    void Saved() override;
    std::optional<std::string> ListEndNote(std::string_view text) const override;
    // Quit: the Names window unloaded and shown again, so its list is read afresh.
    void ReloadList() override;
};

}  // namespace orrerion::gui
