#pragma once
// Pages of the data window's text, for saving and for printing: the saved data file with a form
// feed line after each page, the printed pages of the print window, the printer's type size, the
// print hand-over file PRNTFILE.XXX and the file name proposed when saving.
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "core/io/file_replace.h"

namespace orrerion {

inline constexpr const char* PrintBufferFileName = "PRNTFILE.XXX";
inline constexpr char FormFeed = '\f';  // character 12

// A count option (lines per page) as a whole number, rounded half to even like the options'
// single-precision values always were; 0 when the value is not a finite number in int range.
int OptionWholeNumber(float option);

// Saved data files. `option14` is the page length of a saved file: a form-feed line follows line i
// (0-based) when i is not 0 and a multiple of option14 - 1. A page length below 2 leaves no whole
// page to break after, so such a file gets no page breaks, only the form feed at the end.
int DataFileBreakInterval(float option14);  // option14 - 1, or 0 for no page breaks
// Every line followed by CR LF, the form-feed lines, and one form-feed line at the end.
std::string DataFileText(const std::vector<std::string>& lines, float option14);
// Writes DataFileText to `path`, replacing it atomically.
WriteResult WriteDataFile(const std::filesystem::path& path, const std::vector<std::string>& lines,
                          float option14);

// The file name proposed by Save As: the chart name's first word (leading blanks skipped, the text
// before the next blank) cut to 8 characters, + ".DOC". Characters that cannot stand in a file
// name are replaced by "_"; a name without a word proposes nothing ("").
std::string ProposedDataFileName(const std::string& chartName);

// Printing. A line longer than `option16` characters switches the whole print to 10-point type.
bool HasLongLine(const std::vector<std::string>& lines, float option16);
inline int PrintFontPoints(bool longLineFound) { return longLineFound ? 10 : 12; }

// The lines cut into pages of `linesPerPage` lines, the last page holding the rest. A count of 0 or
// less puts every line on one page. No lines give no pages.
std::vector<std::vector<std::string>> SplitIntoPages(const std::vector<std::string>& lines,
                                                     int linesPerPage);

// PRNTFILE.XXX in the data folder: the text handed from the data window to the print window.
std::filesystem::path PrintBufferPath(const std::filesystem::path& programDir);
// Every line followed by CR LF, replacing the file atomically.
WriteResult WritePrintBuffer(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace orrerion
