#include "gui/records/choose_file.h"

#include "gui/app/shell.h"
#include "gui/output/select_file_window.h"

namespace orrerion::gui {

std::filesystem::path ChooseListFile(Shell& shell, const QString& pattern,
                                     const std::filesystem::path& current) {
    Session& session = shell.session;
    if (!session.chooseFile) return ChooseFile(shell, pattern, current);
    session.SelectedFilePath = session.chooseFile(pattern, current);
    return session.SelectedFilePath;
}

}  // namespace orrerion::gui
