#pragma once
// The file choice of the Names and Cities windows and of saving a name: the Select a File window
// with its list filtered by a pattern and the current file preselected.
#include <QString>
#include <filesystem>

namespace orrerion::gui {

class Shell;

// Returns the chosen file's path, or an empty path when the choice was cancelled; the result is
// also left in SelectedFilePath. Session::chooseFile, when set, makes the choice instead of the
// window.
std::filesystem::path ChooseListFile(Shell& shell, const QString& pattern,
                                     const std::filesystem::path& current);

}  // namespace orrerion::gui
