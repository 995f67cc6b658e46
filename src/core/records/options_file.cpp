#include "core/records/options_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "core/io/line_reader.h"
#include "core/io/number_text.h"

namespace orrerion {
namespace {

// The characters of a line the reader looks at for its value.
constexpr std::size_t ValueFieldChars = 7;

// One line of a text with its line end as it stands (CR LF, LF, a lone CR or none), split by the
// rules of SplitTextLines so that line N here is the reader's line N.
struct RawLine {
    std::string content;
    std::string end;
};

std::vector<RawLine> SplitKeepingLineEnds(std::string_view text) {
    std::vector<RawLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back({std::string(text.substr(start)), {}});
            break;
        }
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        const std::size_t endLength = crLf ? 2 : 1;
        lines.push_back({std::string(text.substr(start, end - start)),
                         std::string(text.substr(end, endLength))});
        start = end + endLength;
    }
    return lines;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// `line` with `value` in place of its value field: the blanks and number the reader takes from the
// first 7 characters, and the blanks after them. The description keeps its column when the value
// fits before it, else moves right to leave one blank.
std::string WithValueField(std::string_view line, const std::string& value) {
    std::size_t description = LeadingNumberLength(line.substr(0, std::min(line.size(), ValueFieldChars)));
    while (description < line.size() && IsBlank(line[description])) ++description;
    const std::string_view rest = line.substr(description);
    std::string out = value;
    out.resize(std::max(description, value.size() + (rest.empty() ? 0 : 1)), ' ');
    out += rest;
    return out;
}

}  // namespace

std::vector<OptionsProblem> LoadOptions(const std::filesystem::path& path, Options& options) {
    std::string reason;
    const std::optional<std::string> bytes = ReadFileBytes(path, &reason);
    if (!bytes) {
        return {{"Cannot read the options file " + path.string() + ": " + reason, true}};
    }
    return LoadOptionsText(*bytes, path, options);
}

std::vector<OptionsProblem> LoadOptionsText(const std::string& bytes,
                                            const std::filesystem::path& path, Options& options) {
    int n = 0;
    for (const std::string& line : SplitTextLines(bytes).lines) {
        if (line.empty()) break;  // the first empty line ends the options
        if (n == OptionCount) {
            return {{"The options file " + path.string() + " has more than " +
                     std::to_string(OptionCount) + " lines; only the first " +
                     std::to_string(OptionCount) + " are used."}};
        }
        ++n;
        // The number at the start of the first 7 characters; the rest of the line is a description.
        options.OptionValue[static_cast<std::size_t>(n)] =
            static_cast<float>(LeadingNumber(std::string_view(line).substr(0, 7)));
    }
    return {};
}

bool OptionsFileReadable(const std::filesystem::path& path) {
    return ReadFileBytes(path).has_value();
}

std::string OptionValueText(float value) {
    if (value == 0.0f) return "0";  // never "-0"
    char text[64];
    // Fixed notation without a precision gives the shortest text that reads back as `value`.
    const std::to_chars_result written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return std::string(text, written.ptr);
}

OptionsRewrite OptionsTextWithValues(const std::string& text, const Options& values) {
    OptionsRewrite rewrite{text, false, {}};
    Options held;  // lines the reading does not reach hold 0
    LoadOptionsText(text, {}, held);
    std::vector<RawLine> lines = SplitKeepingLineEnds(text);
    std::size_t readLines = 0;
    while (readLines < lines.size() && readLines < OptionCount && !lines[readLines].content.empty()) {
        ++readLines;
    }

    std::size_t lastAdded = readLines;  // the last line to be put in after the ones read
    for (std::size_t n = 1; n <= OptionCount; ++n) {
        const float value = values.OptionValue[n];
        if (value == held.OptionValue[n]) continue;
        const std::string valueText = std::isfinite(value) ? OptionValueText(value) : "";
        if (valueText.empty() || valueText.size() > OptionValueWidth) {
            rewrite.problem = "The value " + OptionValueText(value) + " of line " + std::to_string(n) +
                              " does not fit the options file (at most " + std::to_string(OptionValueWidth) +
                              " characters); nothing was changed.";
            rewrite.changed = false;
            return rewrite;
        }
        rewrite.changed = true;
        if (n <= readLines) {
            lines[n - 1].content = WithValueField(lines[n - 1].content, valueText);
        } else {
            lastAdded = n;
        }
    }
    if (!rewrite.changed) return rewrite;

    if (lastAdded > readLines) {
        std::string lineEnd = "\r\n";
        for (const RawLine& line : lines) {
            if (!line.end.empty()) {
                lineEnd = line.end;
                break;
            }
        }
        if (readLines == lines.size() && !lines.empty() && lines.back().end.empty()) {
            lines.back().end = lineEnd;
        }
        std::vector<RawLine> added;
        for (std::size_t n = readLines + 1; n <= lastAdded; ++n) {
            added.push_back({OptionValueText(values.OptionValue[n]), lineEnd});
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(readLines), added.begin(), added.end());
    }
    std::string rewritten;
    for (const RawLine& line : lines) rewritten += line.content + line.end;
    Options reread;
    LoadOptionsText(rewritten, {}, reread);
    const auto& want = values.OptionValue;
    if (!std::equal(reread.OptionValue.begin() + 1, reread.OptionValue.end(), want.begin() + 1)) {
        rewrite.changed = false;
        rewrite.problem = "The new values do not read back the same; nothing was changed.";
        return rewrite;
    }
    rewrite.text = std::move(rewritten);
    return rewrite;
}

OptionsSave SaveOptionValues(const std::filesystem::path& path, const Options& values) {
    const DataFileLock lock(path);  // from the read to the rename
    if (!lock.ok()) return {{false, lock.message()}, false};
    std::string reason;
    const std::optional<std::string> bytes = ReadFileBytes(path, &reason);
    if (!bytes) return {{false, "Cannot read the options file " + path.string() + ": " + reason}, false};
    const OptionsRewrite rewrite = OptionsTextWithValues(*bytes, values);
    if (!rewrite.problem.empty()) return {{false, path.string() + ": " + rewrite.problem}, false};
    if (!rewrite.changed) return {};
    const WriteResult written = ReplaceFile(path, rewrite.text);
    return {written, written.ok};
}

WriteResult RestoreDefaultOptions(const std::filesystem::path& programDir) {
    const std::filesystem::path master = programDir / MasterOptionsFileName;
    std::string reason;
    const std::optional<std::string> content = ReadFileBytes(master, &reason);
    if (!content) return {false, "Cannot read " + master.string() + ": " + reason};
    const DataFileLock lock(programDir / OptionsFileName);
    if (!lock.ok()) return {false, lock.message()};
    return ReplaceFile(programDir / OptionsFileName, *content);
}

}  // namespace orrerion
