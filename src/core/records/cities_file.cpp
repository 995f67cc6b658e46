#include "core/records/cities_file.h"

#include <cctype>

#include "core/chart/input_rules.h"
#include "core/io/number_text.h"

namespace orrerion {
namespace {

constexpr std::size_t CityRecordFieldCount = 5;

bool Digits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

// Degree digits, one letter that is not a digit, two minute digits.
bool CodeShape(std::string_view code, std::size_t degreeDigits) {
    return code.size() == degreeDigits + 3 && Digits(code.substr(0, degreeDigits)) &&
           !std::isdigit(static_cast<unsigned char>(code[degreeDigits])) &&
           Digits(code.substr(degreeDigits + 1));
}

std::vector<Message> Load(const CityRecord& city, InputFields& t) {
    const std::vector<Message> formatError = {
        {"Error!", MessageIcon::Critical, CityFormatErrorMessage}};

    const std::string_view L = city.LongitudeCode;
    const std::size_t degreeDigits = L.size() == 5 ? 2 : 3;
    if (!CodeShape(L, degreeDigits)) return formatError;
    t.longDeg = NumberText(LeadingNumber(L.substr(0, degreeDigits)));
    t.east = L[degreeDigits] == 'E';
    ApplyZoneSignRule(t.zone, t.east);
    t.longMin = NumberText(LeadingNumber(L.substr(L.size() - 2)));

    const std::optional<double> zone = ParseNumber(city.Zone);
    if (!zone) return formatError;
    t.zone = NumberText(*zone);

    const std::string_view T = city.LatitudeCode;
    if (!CodeShape(T, 2)) return formatError;
    t.latDeg = NumberText(LeadingNumber(T.substr(0, 2)));
    t.south = T[2] == 'S';
    t.latMin = NumberText(LeadingNumber(T.substr(T.size() - 2)));
    return {};
}

CityTable CitiesTable(RawRecordFile raw, const std::filesystem::path& path) {
    CityTable table;
    if (!raw.opened) {
        table.problem = CannotOpenProblem(path, raw.openError);
        return table;
    }
    for (RawRecord& r : raw.records) {
        std::vector<std::string>& f = r.fields;
        table.records.push_back(
            {f[0] + "," + f[1], std::move(f[2]), std::move(f[3]), std::move(f[4])});
    }
    if (raw.failure != FieldReadFailure::None) {
        table.problem =
            DamagedFileProblem(path, raw.failure, raw.failureLine, CitiesFileErrorMessage);
    }
    return table;
}

}  // namespace

CityTable FillCitiesList(const std::filesystem::path& path) {
    return CitiesTable(ReadRecordFile(path, CityRecordFieldCount, true), path);
}

CityTable CitiesTableFromBytes(std::string_view bytes, const std::filesystem::path& path) {
    return CitiesTable(ReadRecordBytes(bytes, CityRecordFieldCount, true), path);
}

std::optional<std::string> CitiesListEndNote(std::string_view text) {
    return ListEndNote(text, CityRecordFieldCount, "Cities");
}

std::filesystem::path CitiesFileOrDefault(const std::filesystem::path& CitiesFilePath,
                                          const std::filesystem::path& ProgramDir) {
    return CitiesFilePath.empty() ? ProgramDir / DefaultCitiesFileName : CitiesFilePath;
}

std::optional<std::size_t> FindCityRecord(const CityTable& table, std::string_view selectedName) {
    for (std::size_t d = 0; d < table.records.size(); ++d) {
        if (table.records[d].CityName == selectedName) return d;
    }
    return std::nullopt;
}

std::vector<Message> LoadCityRecord(const CityRecord& city, InputFields& f) { return Load(city, f); }

}  // namespace orrerion
