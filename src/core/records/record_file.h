#pragma once
// What the names, cities and time zone files share: reading fixed-size records field by field,
// the problem a reader reports, the file label of a list window, the file preselected by the
// Select a File window, and the plain text editors of the names and cities files.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/messages.h"
#include "core/io/field_stream.h"
#include "core/io/file_replace.h"

namespace orrerion {

// Why a record file was not read to its end.
struct RecordFileProblem {
    bool cannotOpen = false;  // nothing could be read; `detail` holds the system's reason
    FieldReadFailure failure = FieldReadFailure::None;  // a damaged file: the read that failed
    std::size_t line = 0;     // 1-based line where reading stopped (0 when cannotOpen)
    std::string detail;       // path, line and reason, for logs and tests
    Message message;          // what the window shows
};

// Records of `fieldCount` fields read one field at a time until the end of the file or a failed
// read. With `stopAtEmptyFirstField`, a record whose first field is empty ends the reading (it is
// not returned).
struct RawRecord {
    std::vector<std::string> fields;  // exactly fieldCount of them
    std::size_t line = 0;             // 1-based line of the first field
};
struct RawRecordFile {
    bool opened = false;
    std::string openError;             // the system's reason when !opened
    std::vector<RawRecord> records;
    FieldReadFailure failure = FieldReadFailure::None;
    std::size_t failureLine = 0;
    std::vector<std::string> partial;  // fields of the record the failure cut short
    // With stopAtEmptyFirstField: the line of the empty first field that ended the reading (0 when
    // none did), and whether anything but empty fields follows it.
    std::size_t emptyFirstFieldLine = 0;
    bool fieldsAfterEmpty = false;
};
RawRecordFile ReadRecordFile(const std::filesystem::path& path, std::size_t fieldCount,
                             bool stopAtEmptyFirstField);
// The same on the bytes of a file (decoded and split into lines as a file is).
RawRecordFile ReadRecordBytes(std::string_view bytes, std::size_t fieldCount,
                              bool stopAtEmptyFirstField);
// The same on lines already read (and decoded).
RawRecordFile ReadRecordLines(std::vector<std::string> lines, std::size_t fieldCount,
                              bool stopAtEmptyFirstField);

// True when the reading stopped at a line it could not read, or inside a record that holds
// something: records were lost. A record cut short by the end of the file that holds nothing
// (blank lines at the end) loses nothing.
bool StoppedAtDamage(const RawRecordFile& raw);

// Why a list window would show fewer records than the file text holds: nothing when it shows
// them all; otherwise "The <listName> list stops at line N: ..." with the reason (a record with
// an empty first field, or a line that cannot be read). Blank lines at the end stop nothing.
std::optional<std::string> ListEndNote(std::string_view text, std::size_t fieldCount,
                                       std::string_view listName);

// The problem of a file that could not be opened: "Cannot open <path>: <reason>", "Error!",
// critical icon.
RecordFileProblem CannotOpenProblem(const std::filesystem::path& path, const std::string& reason);
// The problem of a damaged file, shown with the file's own message ("Error!", critical icon).
RecordFileProblem DamagedFileProblem(const std::filesystem::path& path, FieldReadFailure failure,
                                     std::size_t line, std::string_view messageText);

// The list window's file label: the upper-cased file name ("NAMES.FIL"); empty for an empty path.
std::string FileLabelText(const std::filesystem::path& path);

// The entry the Select a File window selects before it is shown: the first entry whose upper-cased
// name equals the upper-cased file name of `currentPath`, otherwise the first entry; nothing for
// an empty list.
std::optional<std::size_t> ChooseFilePreselection(const std::vector<std::string>& fileListEntries,
                                                  const std::filesystem::path& currentPath);

// The names and cities editors. Loading gives each line of the file followed by CR LF.
struct EditorText {
    std::string text;
    std::optional<Message> problem;  // the file could not be opened: "Error!", critical icon
};
EditorText LoadEditorText(const std::filesystem::path& path);

// Saving writes the editor text back in place of the file, with CR LF line ends whatever the
// text uses. The line end that loading put after the last line is dropped and one line end is
// written after the text; text without a final line end is kept whole. Empty text leaves an
// empty file. The file is replaced atomically, under its lock (DataFileLock).
WriteResult SaveEditorText(const std::filesystem::path& path, std::string_view text);

}  // namespace orrerion
