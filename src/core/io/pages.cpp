#include "core/io/pages.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/io/text_encoding.h"

namespace orrerion {
namespace {

constexpr const char* LineEnd = "\r\n";

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The byte length of the first `characters` characters of a UTF-8 text.
std::size_t Utf8Prefix(const std::string& text, std::size_t characters) {
    std::size_t bytes = 0;
    std::size_t counted = 0;
    while (bytes < text.size()) {
        if (!IsContinuationByte(text[bytes])) {
            if (counted == characters) break;
            ++counted;
        }
        ++bytes;
    }
    return bytes;
}

bool UnfitForFileName(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || u == 127) return true;
    switch (c) {
        case '/': case '\\': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
            return true;
        default:
            return false;
    }
}

}  // namespace

int OptionWholeNumber(float option) {
    const double value = std::nearbyint(static_cast<double>(option));  // half to even
    if (!std::isfinite(value) || value > std::numeric_limits<int>::max() ||
        value < std::numeric_limits<int>::min()) {
        return 0;
    }
    return static_cast<int>(value);
}

int DataFileBreakInterval(float option14) {
    const int interval = OptionWholeNumber(option14) - 1;
    return interval > 0 ? interval : 0;
}

std::string DataFileText(const std::vector<std::string>& lines, float option14) {
    const int interval = DataFileBreakInterval(option14);
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        text += LineEnd;
        if (interval > 0 && i != 0 && i % static_cast<std::size_t>(interval) == 0) {
            text += FormFeed;
            text += LineEnd;
        }
    }
    text += FormFeed;
    text += LineEnd;
    return text;
}

WriteResult WriteDataFile(const std::filesystem::path& path, const std::vector<std::string>& lines,
                          float option14) {
    return ReplaceFile(path, DataFileText(lines, option14));
}

std::string ProposedDataFileName(const std::string& chartName) {
    const std::size_t start = chartName.find_first_not_of(' ');
    if (start == std::string::npos) return {};
    const std::size_t end = chartName.find(' ', start);
    std::string word = chartName.substr(start, end == std::string::npos ? end : end - start);
    word.resize(Utf8Prefix(word, 8));
    for (char& c : word) {
        if (UnfitForFileName(c)) c = '_';
    }
    return word + ".DOC";
}

bool HasLongLine(const std::vector<std::string>& lines, float option16) {
    for (const std::string& line : lines) {
        if (static_cast<double>(CharacterCount(line)) > static_cast<double>(option16)) return true;
    }
    return false;
}

std::vector<std::vector<std::string>> SplitIntoPages(const std::vector<std::string>& lines,
                                                     int linesPerPage) {
    std::vector<std::vector<std::string>> pages;
    if (lines.empty()) return pages;
    if (linesPerPage <= 0) {
        pages.push_back(lines);
        return pages;
    }
    const auto perPage = static_cast<std::size_t>(linesPerPage);
    for (std::size_t first = 0; first < lines.size(); first += perPage) {
        const std::size_t last = std::min(lines.size(), first + perPage);
        pages.emplace_back(lines.begin() + static_cast<std::ptrdiff_t>(first),
                           lines.begin() + static_cast<std::ptrdiff_t>(last));
    }
    return pages;
}

std::filesystem::path PrintBufferPath(const std::filesystem::path& programDir) {
    return programDir / PrintBufferFileName;
}

WriteResult WritePrintBuffer(const std::filesystem::path& path,
                             const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += LineEnd;
    }
    return ReplaceFile(path, text);
}

}  // namespace orrerion
