#include "core/records/options_file.h"

#include "core/io/line_reader.h"
#include "core/io/number_text.h"

namespace orrerion {

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

WriteResult RestoreDefaultOptions(const std::filesystem::path& programDir) {
    const std::filesystem::path master = programDir / MasterOptionsFileName;
    std::string reason;
    const std::optional<std::string> content = ReadFileBytes(master, &reason);
    if (!content) return {false, "Cannot read " + master.string() + ": " + reason};
    return ReplaceFile(programDir / OptionsFileName, *content);
}

}  // namespace orrerion
