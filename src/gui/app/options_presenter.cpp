#include "gui/app/options_presenter.h"

#include "core/records/options_file.h"
#include "core/records/record_file.h"

namespace orrerion::gui {

std::optional<std::string> OptionsEditorText(const std::filesystem::path& programDir) {
    EditorText loaded = LoadEditorText(programDir / OptionsFileName);
    if (loaded.problem) return std::nullopt;
    return std::move(loaded.text);
}

OptionsSaved SaveOptionsText(const std::filesystem::path& programDir, const std::string& text,
                             Options& options) {
    OptionsSaved saved;
    const std::filesystem::path path = programDir / OptionsFileName;
    const WriteResult written = SaveEditorText(path, text);
    if (!written.ok) {
        saved.messages.push_back(written.message);
        return saved;
    }
    saved.written = true;
    for (const OptionsProblem& problem : LoadOptions(path, options)) {
        saved.messages.push_back(problem.message);
    }
    return saved;
}

OptionsRestored RestoreOptionsText(const std::filesystem::path& programDir) {
    OptionsRestored restored;
    restored.restored = RestoreDefaultOptions(programDir).ok;
    if (restored.restored) restored.text = OptionsEditorText(programDir);
    return restored;
}

}  // namespace orrerion::gui
