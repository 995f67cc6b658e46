#pragma once
// Reads a text file as lines, accepting CR LF and LF line ends.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orrerion {

struct TextLines {
    std::vector<std::string> lines;  // without their line ends
    bool endedWithNewline = false;   // the last line was followed by a line end
};

// The whole file, byte for byte. Returns nothing when the file cannot be opened or read; `error`
// then holds the system's reason.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path,
                                         std::string* error = nullptr);

// Returns nothing when the file cannot be opened; `error` then holds the system's reason.
std::optional<TextLines> ReadTextLines(const std::filesystem::path& path, std::string* error = nullptr);

// Splits text into lines on CR LF or LF; a trailing line end does not make an extra empty line.
TextLines SplitTextLines(const std::string& text);

}  // namespace orrerion
