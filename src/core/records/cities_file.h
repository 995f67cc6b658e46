#pragma once
// The cities file: reading it for the Cities window and putting a chosen place into an input
// window. Each record has five comma-separated fields, read field by field like the names file:
//   City, Region, LongitudeCode ("071W04" or "84W23"), LatitudeCode ("42N21"), Zone (hours west).
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/input_fields.h"
#include "core/base/messages.h"
#include "core/records/record_file.h"

namespace orrerion {

inline constexpr const char* DefaultCitiesFileName = "GA_MA.LL";
inline constexpr const char* CitiesFilePattern = "*.LL";

inline constexpr const char* CitiesFileErrorMessage =
    "You have an error in the current cities file. You need to check and see if "
    "you have entered the data correctly and in the proper amount. Please correct the data by "
    "clicking on the Edit this List command button in the Cities window and edit the incorrect data.";
inline constexpr const char* CityFormatErrorMessage =
    "Format error or typographical error in selected data. Please correct this data entry by "
    "clicking on the Edit this List command button in the Cities window and editing the data "
    "associated with your chosen city.";

// One place as the Cities window keeps it: CityName is City + "," + Region, the list's text.
struct CityRecord {
    std::string CityName, LongitudeCode, LatitudeCode, Zone;
};

struct CityTable {
    std::vector<CityRecord> records;  // file order, up to the first empty City or the damage
    std::optional<RecordFileProblem> problem;  // what ended the reading early
};

// FillCitiesList: reads the cities file until its end or a record with an empty City. A failed read
// keeps the records before it and reports CitiesFileErrorMessage; a file that cannot be opened
// gives an empty table and a cannotOpen problem.
CityTable FillCitiesList(const std::filesystem::path& path);
// The same on the file's bytes; `path` only names the file in a problem.
CityTable CitiesTableFromBytes(std::string_view bytes, const std::filesystem::path& path);
// Where and why the Cities list of this file text ends before the text does (ListEndNote).
std::optional<std::string> CitiesListEndNote(std::string_view text);

// The file the Cities window and the cities editor open: CitiesFilePath, or the default file when
// it is empty.
std::filesystem::path CitiesFileOrDefault(const std::filesystem::path& CitiesFilePath,
                                          const std::filesystem::path& ProgramDir);

// The record a click on the Cities list loads: the first whose CityName equals the selected
// list text.
std::optional<std::size_t> FindCityRecord(const CityTable& table, std::string_view selectedName);

// Loading a city into a window: longitude degrees, East/West (which applies the zone sign rule)
// and minutes; then the zone, so the stored zone stands; then latitude degrees, North/South and
// minutes. A five-character longitude code has two degree digits, a six-character one three; only
// "E" means East and only "S" means South. The date and clock fields are not touched.
// A code that does not have that shape (degree digits, a hemisphere letter, two minute digits) or
// a zone that is not a number stops the loading with CityFormatErrorMessage ("Error!", critical);
// the fields set before it keep their new values.
std::vector<Message> LoadCityRecord(const CityRecord& city, InputFields& fields);

}  // namespace orrerion
