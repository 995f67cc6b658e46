#pragma once
// The options file: one number per line, line N is OptionValue(N). The number sits at the start of
// the line's first 7 characters; the rest of the line describes it.
#include <cstddef>
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

// The text of an option value as the file holds it: the shortest decimal without an exponent that
// reads back as the same single-precision value ("2.5", "-5.5", "74", "40.43"); never "-0".
std::string OptionValueText(float value);

// The widest value text a line takes: the reader looks at 7 characters, and a blank must still
// part the value from a description that follows it.
inline constexpr std::size_t OptionValueWidth = 6;

struct OptionsRewrite {
    std::string text;        // the new text; `text` as given when nothing changed or on a problem
    bool changed = false;    // some value differs from what the text holds
    std::string problem;     // a value that does not fit the file; nothing is changed then
};

// `text` (the bytes of an options file) holding `values`: each line whose value reads differently
// gets a new value field (the number at the line's start and the blanks after it, at least one
// before a description); every other byte stays as it was, descriptions, unused lines and line ends
// included. Lines the reading does not reach (a short file, or after its first empty line) are put
// in where the reading ends, as bare values, when a value for them is not 0.
OptionsRewrite OptionsTextWithValues(const std::string& text, const Options& values);

// Writes `values` into the options file at `path` with OptionsTextWithValues, through ReplaceFile,
// holding the file's lock (DataFileLock) from the read to the rename.
// The file is not written when no value changed. `written` tells whether it was.
struct OptionsSave {
    WriteResult result;
    bool written = false;
};
OptionsSave SaveOptionValues(const std::filesystem::path& path, const Options& values);

// Copies the master file OPTIONS.MST of `programDir` over its OPTIONS.OPT (replaced whole).
WriteResult RestoreDefaultOptions(const std::filesystem::path& programDir);

}  // namespace orrerion
