#include "io/editor_text.h"

#include "io/line_reader.h"

namespace orrerion {

std::optional<std::string> ReadEditorText(const std::filesystem::path& path, std::string* error) {
    const std::optional<TextLines> lines = ReadTextLines(path, error);
    if (!lines) return std::nullopt;
    std::string text;
    for (const std::string& line : lines->lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string EditorTextToSave(const std::string& editedText) {
    const TextLines lines = SplitTextLines(editedText);
    std::string text;
    for (const std::string& line : lines.lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

WriteResult SaveEditorText(const std::filesystem::path& path, const std::string& editedText) {
    return WriteFileAtomically(path, EditorTextToSave(editedText));
}

}  // namespace orrerion
