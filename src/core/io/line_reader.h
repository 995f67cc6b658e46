#pragma once
// Reads a text file as lines, accepting CR LF, LF and a lone CR as line ends.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orrerion {

struct TextLines {
    std::vector<std::string> lines;  // without their line ends
    bool endedWithNewline = false;   // the last line was followed by a line end
};

// No data file of the program comes near this size; a larger one is refused rather than read into
// memory (a path such as /dev/zero would never end).
inline constexpr std::size_t MaxDataFileBytes = std::size_t{64} << 20;

// The whole file, byte for byte. Only a regular file of at most MaxDataFileBytes is read (a FIFO,
// device or folder is refused without waiting). Returns nothing when the file cannot be opened or
// read or is refused; `error` then holds the system's reason or why it was refused.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path,
                                         std::string* error = nullptr);

// Returns nothing when the file cannot be opened; `error` then holds the system's reason.
std::optional<TextLines> ReadTextLines(const std::filesystem::path& path, std::string* error = nullptr);

// Splits text into lines on CR LF, LF or a lone CR (files from old Macintosh editors); a trailing
// line end does not make an extra empty line.
TextLines SplitTextLines(const std::string& text);

}  // namespace orrerion
