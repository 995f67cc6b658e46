#include "core/io/line_reader.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace orrerion {

TextLines SplitTextLines(const std::string& text) {
    TextLines out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t nl = text.find('\n', start);
        if (nl == std::string::npos) {
            out.lines.push_back(text.substr(start));
            out.endedWithNewline = false;
            return out;
        }
        std::size_t end = nl;
        if (end > start && text[end - 1] == '\r') --end;
        out.lines.push_back(text.substr(start, end - start));
        out.endedWithNewline = true;
        start = nl + 1;
    }
    return out;
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = std::strerror(errno);
        return std::nullopt;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        if (error) *error = std::strerror(errno);
        return std::nullopt;
    }
    return buffer.str();
}

std::optional<TextLines> ReadTextLines(const std::filesystem::path& path, std::string* error) {
    const std::optional<std::string> bytes = ReadFileBytes(path, error);
    if (!bytes) return std::nullopt;
    return SplitTextLines(*bytes);
}

}  // namespace orrerion
