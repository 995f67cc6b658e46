#include "core/records/tz_table.h"

#include "core/chart/input_rules.h"
#include "core/io/number_text.h"
#include "core/io/text_encoding.h"

namespace orrerion {
namespace {

constexpr std::size_t TimeZoneFieldCount = 3;

Message CorruptMessage() { return {"Error!", MessageIcon::Critical, TimeZoneCorruptMessage}; }

std::vector<Message> Apply(const TimeZoneTable& table, std::string_view listLine,
                           std::string& zone, bool& east) {
    TimeZoneChoice choice = ChooseTimeZone(table, listLine);
    if (choice.problem) return {*choice.problem};
    zone = std::move(choice.zoneText);
    east = !choice.west;
    ApplyZoneSignRule(zone, east);
    return {};
}

TimeZoneTable ZoneTable(RawRecordFile raw, const std::filesystem::path& path) {
    TimeZoneTable table;
    if (!raw.opened) {
        table.problem = CannotOpenProblem(path, raw.openError);
        table.problem->message = CorruptMessage();
        return table;
    }
    for (RawRecord& r : raw.records) {
        std::vector<std::string>& f = r.fields;
        if (CharacterCount(f[0]) > ZoneNameLimit || CharacterCount(f[1]) > ZoneAbbrevLimit) {
            RecordFileProblem p;
            p.line = r.line;
            p.detail = path.string() + ", line " + std::to_string(r.line) +
                       ": zone name or abbreviation too long";
            p.message = CorruptMessage();
            table.problem = std::move(p);
            return table;
        }
        table.records.push_back({std::move(f[0]), std::move(f[1]), std::move(f[2])});
    }
    if (raw.failure != FieldReadFailure::None) {
        table.problem =
            DamagedFileProblem(path, raw.failure, raw.failureLine, TimeZoneCorruptMessage);
    }
    return table;
}

}  // namespace

TimeZoneTable LoadTimeZoneTable(const std::filesystem::path& path) {
    return ZoneTable(ReadRecordFile(path, TimeZoneFieldCount, true), path);
}

TimeZoneTable TimeZoneTableFromBytes(std::string_view bytes, const std::filesystem::path& path) {
    return ZoneTable(ReadRecordBytes(bytes, TimeZoneFieldCount, true), path);
}

std::string PadZoneOffset(std::string_view offsetText) {
    if (offsetText.starts_with("-0,")) return "  " + std::string(offsetText);
    const double v = LeadingNumber(offsetText);
    std::size_t blanks = 0;
    if (v >= 100) blanks = 1;
    else if (v >= 10) blanks = 2;
    else if (v >= 0) blanks = 3;
    else if (v > -10) blanks = 2;
    else if (v > -100) blanks = 1;
    return std::string(blanks, ' ') + std::string(offsetText);
}

std::string TimeZoneListLine(const TimeZoneRecord& zone) {
    const std::size_t nameLength = CharacterCount(zone.ZoneName);
    const std::size_t abbrevLength = CharacterCount(zone.ZoneAbbrev);
    return zone.ZoneName + std::string(nameLength < 32 ? 32 - nameLength : 0, ' ') + " - " +
           std::string(abbrevLength < 4 ? 4 - abbrevLength : 0, ' ') + zone.ZoneAbbrev + " =" +
           PadZoneOffset(zone.ZoneOffset);
}

std::optional<std::string> TimeZoneListKey(std::string_view listLine) {
    const std::size_t dash = listLine.find('-');
    if (dash == std::string_view::npos || dash == 0) return std::nullopt;
    std::string key(listLine.substr(0, dash - 1));
    const std::size_t end = key.find_last_not_of(' ');
    key.resize(end == std::string::npos ? 0 : end + 1);
    return key;
}

TimeZoneChoice ChooseTimeZone(const TimeZoneTable& table, std::string_view listLine) {
    TimeZoneChoice choice;
    const std::optional<std::string> key = TimeZoneListKey(listLine);
    for (const TimeZoneRecord& zone : table.records) {
        if (key && zone.ZoneName == *key) {
            const double offset = LeadingNumber(zone.ZoneOffset);
            choice.zoneText = NumberText(offset);
            choice.west = offset >= 0 || offset < DateLineZone;
            return choice;
        }
    }
    choice.problem = CorruptMessage();
    return choice;
}

std::vector<Message> ApplyTimeZoneChoice(const TimeZoneTable& table, std::string_view listLine,
                                         InputFields& f) {
    return Apply(table, listLine, f.zone, f.east);
}

}  // namespace orrerion
