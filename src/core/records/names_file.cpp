#include "core/records/names_file.h"

#include <cctype>
#include <system_error>

#include "core/base/formatters.h"
#include "core/chart/input_checks.h"
#include "core/io/file_replace.h"
#include "core/io/number_text.h"
#include "core/io/text_encoding.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t NameRecordFieldCount = 7;
constexpr const char* NL = "\r\n";

NameRecord FromFields(std::vector<std::string>& f) {
    return {std::move(f[0]), std::move(f[1]), std::move(f[2]), std::move(f[3]),
            std::move(f[4]), std::move(f[5]), std::move(f[6])};
}

// A field written so that it reads back as itself: in quotes when it holds a comma or a double
// quote, starts or ends with a blank (which reading would drop) or starts with U+FEFF (which
// reading drops at the start of a file as a byte order mark); each inner quote doubled.
std::string FieldText(const std::string& field) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    const bool needsQuotes = field.find_first_of(",\"") != std::string::npos ||
                             (!field.empty() && (blank(field.front()) || blank(field.back()))) ||
                             field.starts_with("\xEF\xBB\xBF");
    if (!needsQuotes) return field;
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

// True when the field can stand on a line of the file: no line end, no NUL, and UTF-8 (a byte
// that is not would make the whole file read as the old code page).
bool StorableField(std::string_view field) {
    return field.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos &&
           IsValidUtf8(field);
}

// A whole number of up to four digits, blanks around it allowed; nothing otherwise.
std::optional<int> DateNumber(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    const std::size_t last = text.find_last_not_of(' ');
    text = text.substr(first, last - first + 1);
    if (text.empty() || text.size() > 4) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The "/"-joined date text read back in the date order, as "dd mmm yyyy"; nothing when it is not
// a calendar date that the names file can hold.
std::optional<std::string> RecordDateText(const std::string& joined, int DateOrder) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = joined.find('/', start);
        parts.push_back(std::string_view(joined).substr(start, slash - start));
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    if (parts.size() != 3) return std::nullopt;
    const auto at = [&](int i) { return DateNumber(parts[static_cast<std::size_t>(i)]); };
    std::optional<int> day, month, year;
    switch (DateOrder) {
        case 1: day = at(0); month = at(1); year = at(2); break;
        case 2: year = at(0); month = at(1); day = at(2); break;
        default: month = at(0); day = at(1); year = at(2); break;
    }
    if (!day || !month || !year || *month < 1 || *month > 12) return std::nullopt;
    const std::string text = DateDdMmmYyyy({*day, *month, *year});
    const std::optional<ParsedRecordDate> back = ParseRecordDate(text);
    if (!back || back->day != *day || back->month != *month || back->year != *year) {
        return std::nullopt;
    }
    return text;
}

// Why a save refuses a names file it cannot copy whole.
std::string DamagedLineText(FieldReadFailure failure, std::size_t line) {
    return "line " + std::to_string(line) + " cannot be read (" + FieldReadFailureText(failure) +
           "), so the records from there on would be lost. Correct the file with Edit this List "
           "in the Names window and save again.";
}

NameSaveResult SaveFailed(const fs::path& chosen, const std::string& reason) {
    NameSaveResult r;
    r.problem = Message{"Error!", MessageIcon::Critical,
                        "Cannot save to " + chosen.string() + ": " + reason};
    return r;
}

NameTable NamesTable(RawRecordFile raw, const fs::path& path) {
    NameTable table;
    if (!raw.opened) {
        table.problem = CannotOpenProblem(path, raw.openError);
        return table;
    }
    for (RawRecord& r : raw.records) table.records.push_back(FromFields(r.fields));
    if (raw.failure != FieldReadFailure::None) {
        table.problem = DamagedFileProblem(path, raw.failure, raw.failureLine, NamesFileErrorMessage);
    }
    return table;
}

}  // namespace

NameTable FillNamesList(const fs::path& path) {
    return NamesTable(ReadRecordFile(path, NameRecordFieldCount, true), path);
}

NameTable NamesTableFromBytes(std::string_view bytes, const fs::path& path) {
    return NamesTable(ReadRecordBytes(bytes, NameRecordFieldCount, true), path);
}

std::optional<std::string> NamesListEndNote(std::string_view text) {
    return ListEndNote(text, NameRecordFieldCount, "Names");
}

NamesWindowList OpenNamesList(const fs::path& NamesFilePath, const fs::path& ProgramDir) {
    NamesWindowList list;
    if (!NamesFilePath.empty()) {
        list.table = FillNamesList(NamesFilePath);
        if (!list.table.problem || !list.table.problem->cannotOpen) {
            list.NamesFilePath = NamesFilePath;
            list.openedPath = NamesFilePath;
            return list;
        }
    }
    // The default file is tried once; when it cannot be opened either the list stays empty.
    list.openedPath = ProgramDir / DefaultNamesFileName;
    list.table = FillNamesList(list.openedPath);
    return list;
}

fs::path NamesEditorPath(const fs::path& NamesFilePath, const fs::path& ProgramDir) {
    return NamesFilePath.empty() ? ProgramDir / DefaultNamesFileName : NamesFilePath;
}

std::optional<std::size_t> FindNameRecord(const NameTable& table, std::string_view selectedName) {
    for (std::size_t d = 0; d < table.records.size(); ++d) {
        if (table.records[d].Name == selectedName) return d;
    }
    return std::nullopt;
}

LockListPosition PositionLockedList(int recordCount, int LockedIndex, bool check1Ticked,
                                    bool JustSaved) {
    LockListPosition p;
    p.LockedIndex = LockedIndex;
    if (!check1Ticked || JustSaved) return p;
    if (p.LockedIndex >= recordCount) p.LockedIndex = recordCount - 1;
    p.topIndex = p.LockedIndex < 12 ? 0 : p.LockedIndex - 12;
    if (p.LockedIndex < 0) p.LockedIndex = 0;
    if (recordCount > 0) p.selectIndex = p.LockedIndex;
    return p;
}

std::string RecordTimeText(double hourMinutes) { return FormatPicture(hourMinutes, "##.00"); }
std::string RecordLongitudeText(double degreesMinutesWest) {
    return FormatPicture(degreesMinutesWest, "000.00");
}
std::string RecordLatitudeText(double degreesMinutesNorth) {
    return FormatPicture(degreesMinutesNorth, "00.00");
}

std::string NameRecordLine(const NameRecord& r) {
    return FieldText(r.Name) + "," + FieldText(r.Date) + "," + FieldText(r.Time) + "," +
           FieldText(r.Meridiem) + "," + FieldText(r.Zone) + "," + FieldText(r.Longitude) + "," +
           FieldText(r.Latitude);
}

std::optional<Message> CheckNameForSaving(std::string_view name) {
    if (name.find(',') == std::string_view::npos) return std::nullopt;
    return Message{"Warning!", MessageIcon::Critical, NameCommaMessage};
}

std::optional<Message> CheckRecordForSaving(const NameRecord& r) {
    if (std::optional<Message> comma = CheckNameForSaving(r.Name)) return comma;
    for (const std::string* field : {&r.Name, &r.Date, &r.Time, &r.Meridiem, &r.Zone, &r.Longitude,
                                     &r.Latitude}) {
        if (!StorableField(*field)) {
            return Message{"Warning!", MessageIcon::Critical, NameUnstorableMessage};
        }
    }
    if (Utf16Length(r.Name) > MaxNameLength) return Message{"Warning!", MessageIcon::Critical, NameTooLongMessage};
    if (NameRecordLine(r).size() > MaxRecordLineLength) {
        return Message{"Warning!", MessageIcon::Critical, RecordTooLongMessage};
    }
    return std::nullopt;
}

NewNameRecordResult NewNameRecord(const InputFields& f, int DateOrder) {
    NewNameRecordResult result;
    const std::vector<InputProblem> problems = CheckSection(f, InputSection::Natal);
    if (!problems.empty()) {
        result.problem = InputWarning(problems.front());
        result.field = problems.front().field;
        return result;
    }
    const std::optional<std::string> date =
        RecordDateText(JoinDateText(f.month, f.day, f.year, DateOrder), DateOrder);
    if (!date) {
        result.problem = Message{"Warning!", MessageIcon::Information, NatalInputMessage};
        return result;
    }
    double longitude = LeadingNumber(f.longDeg) + LeadingNumber(f.longMin) / 100;
    if (f.east) longitude = -longitude;
    double latitude = LeadingNumber(f.latDeg) + LeadingNumber(f.latMin) / 100;
    if (f.south) latitude = -latitude;
    result.record = NameRecord{
        f.name,
        *date,
        RecordTimeText(LeadingNumber(f.hour) + LeadingNumber(f.minute) / 100),
        f.am ? "A" : "P",
        f.zone,
        RecordLongitudeText(longitude),
        RecordLatitudeText(latitude),
    };
    return result;
}

std::vector<InputProblem> CheckRecordFields(const NameRecord& record) {
    InputFields fields;
    if (!LoadNameRecord(record, 0, InputSection::Natal, fields).empty()) {
        return {{{InputSection::Natal, InputField::Day}, NatalInputMessage,
                 std::string(FieldLabel(InputSection::Natal, InputField::Day)) + ": \"" + record.Date +
                     "\" is not a date written dd mmm yyyy"}};
    }
    return CheckSection(fields, InputSection::Natal);
}

Message ReplaceQuestion(const NameRecord& s) {
    std::string text =
        "There is already a name on file matching your current name with the following "
        "associated data: ";
    text += std::string(NL) + NL + "Date =  " + s.Date + NL + "Time =  " + s.Time + " " +
            s.Meridiem + NL + "Time zone =  " + s.Zone + NL + "Longitude =  " + s.Longitude + NL +
            "Latitude =  " + s.Latitude + NL + NL + "Do you want to replace it?" + NL + NL +
            "Answering 'NO' will append the current name and data to file, not replace the "
            "existing entry.";
    return {s.Name + " already exists", MessageIcon::Question, std::move(text)};
}

fs::path NamesBackupPath(const fs::path& chosenPath) {
    const std::string name = chosenPath.filename().string();
    std::string backup = name.size() >= 4 ? name.substr(0, name.size() - 3) + "OLD" : name;
    if (backup == name) backup = name + ".OLD";
    return chosenPath.parent_path() / backup;
}

NameSaveResult SaveNameRecord(const fs::path& chosenPath, const NameRecord& newRecord,
                              const ReplaceAsker& askReplace) {
    if (std::optional<Message> refused = CheckRecordForSaving(newRecord)) {
        NameSaveResult r;
        r.problem = std::move(refused);
        return r;
    }
    // A names file reached through a symbolic link is saved where the link points.
    fs::path chosen = chosenPath;
    std::error_code ec;
    if (fs::is_symlink(chosen, ec)) {
        const fs::path target = fs::canonical(chosen, ec);
        if (!ec) chosen = target;
    }

    // Held from the read to the rename: a second copy saving meanwhile waits, then reads this
    // save's records.
    const DataFileLock lock(chosen);
    if (!lock.ok()) {
        NameSaveResult busy;
        busy.problem = Message{"Error!", MessageIcon::Critical, lock.message()};
        return busy;
    }

    NameSaveResult result;
    const bool oldFileExists = fs::exists(fs::symlink_status(chosen, ec));
    std::string content;
    if (oldFileExists) {
        RawRecordFile raw = ReadRecordFile(chosen, NameRecordFieldCount, false);
        if (!raw.opened) return SaveFailed(chosen, raw.openError);
        // Damage that would stop the copy refuses the save, so that no record is left only in
        // the backup (which the next save replaces). Blank lines at the end lose nothing.
        if (StoppedAtDamage(raw)) {
            NameSaveResult refused = SaveFailed(chosen, DamagedLineText(raw.failure, raw.failureLine));
            refused.damagedLine = raw.failureLine;
            return refused;
        }
        const std::string newName = UpperCaseText(newRecord.Name);
        for (RawRecord& r : raw.records) {
            NameRecord stored = FromFields(r.fields);
            if (UpperCaseText(stored.Name) == newName) {
                const std::optional<bool> replace = askReplace(ReplaceQuestion(stored), stored);
                if (!replace) {
                    NameSaveResult cancelled;
                    cancelled.cancelled = true;
                    return cancelled;
                }
                if (*replace) {
                    ++result.replaced;
                    continue;
                }
            }
            content += NameRecordLine(stored) + NL;
            ++result.kept;
        }
    }
    content += NameRecordLine(newRecord) + NL;

    // The new file is complete and on disk before the backup is made and the rename makes it the
    // names file.
    FileReplacement replacement(chosen, Durability::Synced);
    replacement.Write(content);
    if (WriteResult w = replacement.Finish(); !w.ok) return SaveFailed(chosen, w.message);

    if (oldFileExists) {
        // The backup shares the old file's content while the chosen path still names it, so the
        // chosen file exists at every moment.
        const fs::path backup = NamesBackupPath(chosen);
        fs::remove(backup, ec);  // an old backup that cannot be removed shows up below
        fs::create_hard_link(chosen, backup, ec);
        if (ec) {
            std::string reason;
            const std::optional<std::string> old = ReadFileBytes(chosen, &reason);
            WriteResult copied{false, reason};
            if (old) copied = ReplaceFile(backup, *old, Durability::Synced);
            if (!copied.ok) {
                return SaveFailed(chosen, "cannot make the backup " + backup.string() + ": " +
                                              (old ? copied.message : reason));
            }
        }
        result.backupPath = backup;
    }
    if (WriteResult w = replacement.Publish(); !w.ok) return SaveFailed(chosen, w.message);
    result.ok = true;
    return result;
}

}  // namespace orrerion
