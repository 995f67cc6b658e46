#pragma once
// The cities editor (LongLat): the current cities file as plain text.
#include "gui/records/list_editor_window.h"

namespace orrerion::gui {

class LongLatWindow : public ListEditorWindow {
    Q_OBJECT
public:
    // Edits CitiesFilePath, or the default cities file of programDir when that is empty.
    LongLatWindow(QWidget& owner, WindowRequests& requests, Dialogs& dialogs,
                  const std::filesystem::path& CitiesFilePath,
                  const std::filesystem::path& programDir);

protected:
    // Quit: the Cities window unloaded and shown again, so its list is read afresh.
    void ReloadList() override;
    std::optional<std::string> ListEndNote(std::string_view text) const override;
};

}  // namespace orrerion::gui
