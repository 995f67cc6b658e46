#pragma once
// The plain text editors of the options, names and cities files: a file shown as text with a
// line break after every line, and the edited text saved back with exactly one final line break.
#include <filesystem>
#include <optional>
#include <string>

#include "io/atomic_write.h"

namespace orrerion {

// Every line of the file followed by CR LF; nothing when the file cannot be read (`error` then
// names the reason).
std::optional<std::string> ReadEditorText(const std::filesystem::path& path,
                                          std::string* error = nullptr);

// The edited text as it is saved: line ends as CR LF, the final line break (if any) dropped and
// exactly one put back, so repeated saves never add empty lines and never cut the last line.
// An empty text saves as an empty file.
std::string EditorTextToSave(const std::string& editedText);

// Saves the edited text atomically.
WriteResult SaveEditorText(const std::filesystem::path& path, const std::string& editedText);

}  // namespace orrerion
