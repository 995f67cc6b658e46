#include "records/choose_file.h"

#include "app/shell.h"

namespace orrerion::gui {

std::filesystem::path ChooseListFile(Shell& shell, const QString& pattern,
                                     const std::filesystem::path& current) {
    Session& session = shell.session;
    session.SelectedFilePath = current;
    if (session.chooseFile) {
        session.SelectedFilePath = session.chooseFile(pattern, current);
    } else {
        // The Select a File window is not part of this program yet: nothing can be chosen.
        session.SelectedFilePath.clear();
    }
    return session.SelectedFilePath;
}

}  // namespace orrerion::gui
