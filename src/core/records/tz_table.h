#pragma once
// The time zone table TZ.DAT and the time zone picker's rules: three comma-separated fields per
// zone, read field by field like the names file:
//   ZoneName (at most 32 characters, no "-"), ZoneAbbrev (at most 4), ZoneOffset (hours west).
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/input_fields.h"
#include "core/base/messages.h"
#include "core/records/record_file.h"

namespace orrerion {

inline constexpr const char* TimeZoneFileName = "TZ.DAT";
inline constexpr const char* TimeZoneCorruptMessage = "The file TZ.DAT is corrupt.";
inline constexpr std::size_t ZoneNameLimit = 32;    // characters
inline constexpr std::size_t ZoneAbbrevLimit = 4;   // characters

struct TimeZoneRecord {
    std::string ZoneName, ZoneAbbrev, ZoneOffset;
};

struct TimeZoneTable {
    std::vector<TimeZoneRecord> records;  // file order, up to the first empty name or problem
    std::optional<RecordFileProblem> problem;  // always shown as TimeZoneCorruptMessage
};

// Reads the table until its end or an empty ZoneName. A name over 32 characters, an abbreviation
// over 4 or a failed read stops the reading with TimeZoneCorruptMessage ("Error!", critical),
// keeping the records before it. A file that cannot be opened gives an empty table and the same
// message (the problem is marked cannotOpen and its detail holds the system's reason).
TimeZoneTable LoadTimeZoneTable(const std::filesystem::path& path);
// The same on the file's bytes; `path` only names the file in a problem.
TimeZoneTable TimeZoneTableFromBytes(std::string_view bytes, const std::filesystem::path& path);

// Blanks in front of an offset text so that whole-hour offsets line up: a text starting with "-0,"
// gets 2; otherwise by its value v: v >= 100: 1, 10 <= v < 100: 2, 0 <= v < 10: 3,
// -10 < v < 0: 2, -100 < v <= -10: 1, v <= -100: none.
std::string PadZoneOffset(std::string_view offsetText);

// The picker's list line: the name padded with blanks to 32 characters, " - ", the abbreviation
// right-aligned in 4, " =", then PadZoneOffset of the offset.
std::string TimeZoneListLine(const TimeZoneRecord& zone);

// The key of a clicked list line: the text before the two characters that precede its first "-",
// trailing blanks removed. Nothing when the line has no "-" or starts with one.
std::optional<std::string> TimeZoneListKey(std::string_view listLine);

// lstTimeZones_Click: the first record whose name equals the key of the clicked line. The zone
// field gets the offset's numeric value as text, and West is selected when it is 0 or more or
// below -12 (Tonga, Line Islands: places west of Greenwich across the date line).
// A line whose key matches no record gives TimeZoneCorruptMessage.
struct TimeZoneChoice {
    std::optional<Message> problem;
    std::string zoneText;  // the value for the natal or diurnal window's zone field
    bool west = true;
};
TimeZoneChoice ChooseTimeZone(const TimeZoneTable& table, std::string_view listLine);

// The same, applied to the fields of the window the picker serves (natal or diurnal):
// the zone field is set, then East or West selected with the zone sign rule. On a problem the
// fields are left unchanged and the message returned.
std::vector<Message> ApplyTimeZoneChoice(const TimeZoneTable& table, std::string_view listLine,
                                         InputFields& fields);

}  // namespace orrerion
