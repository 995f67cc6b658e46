#pragma once
// The options file: one number per line, line N is OptionValue(N).
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/options.h"
#include "core/io/file_replace.h"

namespace orrerion {

inline constexpr const char* OptionsFileName = "OPTIONS.OPT";
inline constexpr const char* MasterOptionsFileName = "OPTIONS.MST";

struct OptionsProblem {
    std::string message;          // names the file
    bool fileUnreadable = false;  // nothing was read; otherwise the values read are kept
};

// Reads `path` into `options` (lines that are absent keep their previous value). Returns the
// problems found: a file that cannot be read, more than 40 lines before an empty line.
std::vector<OptionsProblem> LoadOptions(const std::filesystem::path& path, Options& options);
// The same on the file's bytes; `path` only names the file in a problem.
std::vector<OptionsProblem> LoadOptionsText(const std::string& bytes,
                                            const std::filesystem::path& path, Options& options);

// True when the options file can be opened for reading.
bool OptionsFileReadable(const std::filesystem::path& path);

// Copies the master file OPTIONS.MST of `programDir` over its OPTIONS.OPT (replaced whole).
WriteResult RestoreDefaultOptions(const std::filesystem::path& programDir);

}  // namespace orrerion
