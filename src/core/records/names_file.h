#pragma once
// The names file: reading it for the Names window, saving the natal window's data into it, and
// the Names window's list rules that need no window.
//
// A names file holds seven comma-separated fields per person (NameRecord, records/name_record.h),
// read field by field (io/field_stream.h): a line break does not force a new record.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/input_fields.h"
#include "core/base/messages.h"
#include "core/chart/input_checks.h"
#include "core/io/field_stream.h"
#include "core/records/name_record.h"
#include "core/records/record_file.h"

namespace orrerion {

inline constexpr const char* DefaultNamesFileName = "NAMES.FIL";
inline constexpr const char* NamesFilePattern = "*.FIL";

inline constexpr const char* NamesFileErrorMessage =
    "You have an error in the current names file. You need to check and see if "
    "you have entered the data correctly and in the proper amount. Please correct the data by "
    "clicking on the Edit this List command button in the Names window and edit the incorrect data.";
inline constexpr const char* NameCommaMessage =
    "You cannot have a comma in the name. Please remove the comma and try again.";

struct NameTable {
    std::vector<NameRecord> records;  // file order, up to the first empty Name or the damage
    std::optional<RecordFileProblem> problem;  // what ended the reading early
};

// FillNamesList: reads the names file until its end or a record with an empty Name. A failed read
// keeps the records before it and reports NamesFileErrorMessage; a file that cannot be opened
// gives an empty table and a cannotOpen problem.
NameTable FillNamesList(const std::filesystem::path& path);
// The same on the file's bytes; `path` only names the file in a problem.
NameTable NamesTableFromBytes(std::string_view bytes, const std::filesystem::path& path);
// Where and why the Names list of this file text ends before the text does (ListEndNote).
std::optional<std::string> NamesListEndNote(std::string_view text);

// Opening the Names window: the current names file, or the default ProgramDir/NAMES.FIL when
// NamesFilePath is empty or cannot be opened (NamesFilePath then becomes empty). When the default
// cannot be opened either, the table is empty and carries that problem; nothing is retried.
struct NamesWindowList {
    NameTable table;
    std::filesystem::path NamesFilePath;  // the current path after opening (empty after a fallback)
    std::filesystem::path openedPath;     // the file the list was read from
};
NamesWindowList OpenNamesList(const std::filesystem::path& NamesFilePath,
                              const std::filesystem::path& ProgramDir);

// The file the names editor opens: NamesFilePath, or the default file when it is empty.
std::filesystem::path NamesEditorPath(const std::filesystem::path& NamesFilePath,
                                      const std::filesystem::path& ProgramDir);

// The record a click on the Names list loads: the first whose Name equals the selected list
// text exactly.
std::optional<std::size_t> FindNameRecord(const NameTable& table, std::string_view selectedName);

// Where the Names list opens with "Lock list" ticked. Applied only when Check1 is ticked and JustSaved
// is not set; otherwise the list stays at the top with nothing selected and LockedIndex unchanged.
// A selected entry is loaded as by a click on it.
struct LockListPosition {
    int topIndex = 0;                // the list's top visible entry
    std::optional<int> selectIndex;  // the entry to select, nothing for none
    int LockedIndex = 0;             // the new LockedIndex
};
LockListPosition PositionLockedList(int recordCount, int LockedIndex, bool check1Ticked,
                                    bool JustSaved);

// The fields as a record writes them. Time "##.#0" (9.30, 10.05, 12.00), longitude "#00#.#0"
// (at least three integer digits: 071.05, -003.30), latitude "#0#.#0" (42.21, -05.10); "." is
// the decimal point whatever the locale; values are whole part + minutes/100.
std::string RecordTimeText(double hourMinutes);
std::string RecordLongitudeText(double degreesMinutesWest);
std::string RecordLatitudeText(double degreesMinutesNorth);

// One record line without its line end: the seven fields joined by commas. A field holding a
// comma or blanks at its ends (a stored name read from quotes) is written in double quotes so that
// it reads back as it was.
std::string NameRecordLine(const NameRecord& record);

// A name with a comma cannot be saved: the warning to show ("Warning!", critical icon).
std::optional<Message> CheckNameForSaving(std::string_view name);

inline constexpr const char* NameUnstorableMessage =
    "The record holds a line break or text that is not UTF-8 and cannot be saved. Please remove "
    "it and try again.";
// The longest name a record holds, in UTF-16 code units (a character beyond U+FFFF counts two):
// the natal window's name box takes no more.
inline constexpr std::size_t MaxNameLength = 32767;
inline constexpr const char* NameTooLongMessage =
    "The name is longer than 32767 characters and cannot be saved. Please shorten it and try again.";
inline constexpr const char* RecordTooLongMessage =
    "The record is longer than a line of a names file may be (65536 bytes) and cannot be saved. "
    "Please shorten the name and try again.";

// What SaveNameRecord checks before anything is read or written: the comma in the name, that every
// field can stand on one line of the file (no line end, no NUL, UTF-8 text), that the name is at
// most MaxNameLength long and that the record's line is at most MaxRecordLineLength bytes, so that
// the file reads back whole.
std::optional<Message> CheckRecordForSaving(const NameRecord& record);

// The record a save writes from the natal window. The fields must first pass the checks a
// calculation applies to the natal window (CheckSection): otherwise the natal input warning with
// its reason is returned, and `field` names the field to select. The date is the month, day and
// year fields joined by "/" in DateOrder and read back in that order, written "dd mmm yyyy".
// Numbers are read as typed fields are (the leading number of the text).
struct NewNameRecordResult {
    std::optional<NameRecord> record;
    std::optional<Message> problem;
    std::optional<FieldRef> field;  // the field the problem is about; none for a date that cannot be written
};
NewNameRecordResult NewNameRecord(const InputFields& natal, int DateOrder);

// The checks a calculation applies to the natal window, on a record loaded as the Names window
// loads it: a record goes into a names file only when a chart could be calculated from it. A date
// that cannot be read is reported on the day field.
std::vector<InputProblem> CheckRecordFields(const NameRecord& record);

// The question asked for each stored record whose upper-cased Name equals the new one: title the
// stored name + " already exists", question icon, Yes/No, the stored field texts in the body.
Message ReplaceQuestion(const NameRecord& stored);

// Asked with the ReplaceQuestion of a matching stored record: true (Yes) drops the stored record,
// false (No) keeps it, nothing cancels the save (nothing is written).
using ReplaceAsker =
    std::function<std::optional<bool>(const Message& question, const NameRecord& stored)>;

// The backup of a saved names file: the path with the last three characters of its file name
// replaced by "OLD" (NAMES.FIL gives NAMES.OLD). A file name that would give itself (or is
// shorter than four characters) gets ".OLD" appended instead.
std::filesystem::path NamesBackupPath(const std::filesystem::path& chosenPath);

struct NameSaveResult {
    bool ok = false;
    std::optional<Message> problem;  // why nothing was saved ("Error!" or the comma warning)
    std::size_t replaced = 0;        // stored records dropped by a Yes
    std::size_t kept = 0;            // stored records copied into the new file
    // The save was refused because this line of the old file cannot be read: copying would have
    // lost the records from there on. The file and its backup are as they were.
    std::optional<std::size_t> damagedLine;
    std::filesystem::path backupPath;  // empty when there was no old file to back up
    bool cancelled = false;            // the asker cancelled: nothing was written
};

// Saves `newRecord` into `chosenPath`: every stored record is copied except those the asker drops,
// the new record goes last. All records are read and all questions asked before anything is
// written; a line that cannot be read (other than blank lines at the end) refuses the save with a
// message naming it, before any question, and nothing is written. Then the complete new file is written beside the chosen file (FileReplacement) and
// synced to disk, the backup is made from the old file (a hard link, or a copy where links are not
// possible), and the new file is renamed over the chosen path. At no moment is the chosen file
// missing or partly written; when a step fails the message names the path and the system's
// reason, the temporary file is removed and the chosen file is left as it was. A chosen file that
// does not exist yet is created with the new record alone (no backup). The file's lock
// (DataFileLock) is held from the read to the rename, so that two saves at once, in two copies of
// the program, each keep the other's record; a save that cannot get the lock within its wait
// fails with a message and writes nothing.
NameSaveResult SaveNameRecord(const std::filesystem::path& chosenPath, const NameRecord& newRecord,
                              const ReplaceAsker& askReplace);

}  // namespace orrerion
