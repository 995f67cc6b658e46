#pragma once
// The rules of the Options window that need no pixels: OPTIONS.OPT read as the editor's text,
// Save (the text written back and the options read again) and Restore Default Settings.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/base/options.h"

namespace orrerion::gui {

// The editor's text of OPTIONS.OPT in `programDir`; nothing when the file cannot be read.
std::optional<std::string> OptionsEditorText(const std::filesystem::path& programDir);

// Save: the editor's text written over OPTIONS.OPT, then the options read again from it.
struct OptionsSaved {
    bool written = false;  // false: the write failed, the file and the options are as they were
    // To show, each in a "Warning!" box: the write's failure, or the problems of the reading.
    std::vector<std::string> messages;
};
OptionsSaved SaveOptionsText(const std::filesystem::path& programDir, const std::string& text,
                             Options& options);

// Restore Default Settings: the master file copied over OPTIONS.OPT, then read back as the
// editor's new text. The values in force change only at the next Save.
struct OptionsRestored {
    bool restored = false;            // the copy was made (the editor is then emptied)
    std::optional<std::string> text;  // the restored file's text; nothing when a step failed
};
OptionsRestored RestoreOptionsText(const std::filesystem::path& programDir);

}  // namespace orrerion::gui
