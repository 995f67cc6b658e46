// The names, cities and time zone files shipped with the program read cleanly and hold sound data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "core/chart/input_checks.h"
#include "core/io/number_text.h"
#include "core/io/text_encoding.h"
#include "core/records/cities_file.h"
#include "core/records/names_file.h"
#include "core/records/tz_table.h"
#include "test_paths.h"

namespace orrerion {
namespace {

using testing::DataDir;

// Written as UTF-8 without a byte order mark, every line ended by CR LF.
void ExpectPlainCrLfUtf8(const std::string& fileName) {
    const std::string bytes = testing::ReadWholeFile(DataDir() / fileName);
    ASSERT_FALSE(bytes.empty()) << fileName;
    EXPECT_TRUE(IsValidUtf8(bytes)) << fileName;
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF") << fileName;
    EXPECT_TRUE(bytes.ends_with("\r\n")) << fileName;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << fileName << " byte " << i;
        }
        if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << fileName << " byte " << i;
        }
    }
}

TEST(ShippedRecords, NamesFileHoldsVariedPeopleInTheWrittenFormat) {
    ExpectPlainCrLfUtf8(DefaultNamesFileName);
    const NameTable t = FillNamesList(DataDir() / DefaultNamesFileName);
    EXPECT_FALSE(t.problem.has_value());
    EXPECT_GE(t.records.size(), 5u);
    EXPECT_LE(t.records.size(), 8u);
    const auto lines = ReadDataFileLines(DataDir() / DefaultNamesFileName);
    ASSERT_TRUE(lines.has_value());
    ASSERT_EQ(lines->lines.size(), t.records.size());

    bool east = false, west = false, south = false, midnight = false, accented = false;
    std::set<std::string> names;
    for (std::size_t i = 0; i < t.records.size(); ++i) {
        const NameRecord& r = t.records[i];
        EXPECT_EQ(NameRecordLine(r), lines->lines[i]) << "written as saving writes it";
        EXPECT_TRUE(names.insert(UpperCaseText(r.Name)).second) << r.Name;
        InputFields f;
        EXPECT_TRUE(LoadNameRecord(r, 0, InputSection::Natal, f).empty()) << r.Name;
        // Saving the loaded fields again gives the same record.
        f.name = r.Name;
        const NewNameRecordResult again = NewNameRecord(f, 0);
        ASSERT_TRUE(again.record.has_value()) << r.Name;
        EXPECT_EQ(NameRecordLine(*again.record), lines->lines[i]);
        east = east || f.east;
        west = west || !f.east;
        south = south || f.south;
        midnight = midnight || (r.Time == "12.00" && r.Meridiem == "A");
        accented = accented || CharacterCount(r.Name) < r.Name.size();
    }
    EXPECT_TRUE(east && west && south && midnight && accented);
}

TEST(ShippedRecords, CitiesFileHasTheStateCapitalsAndPlacesWorldwide) {
    ExpectPlainCrLfUtf8(DefaultCitiesFileName);
    const CityTable t = FillCitiesList(DataDir() / DefaultCitiesFileName);
    EXPECT_FALSE(t.problem.has_value());
    EXPECT_GE(t.records.size(), 100u);

    const std::set<std::string> states = {
        "AL", "AK", "AZ", "AR", "CA", "CO", "CT", "DE", "FL", "GA", "HI", "ID", "IL",
        "IN", "IA", "KS", "KY", "LA", "ME", "MD", "MA", "MI", "MN", "MS", "MO", "MT",
        "NE", "NV", "NH", "NJ", "NM", "NY", "NC", "ND", "OH", "OK", "OR", "PA", "RI",
        "SC", "SD", "TN", "TX", "UT", "VT", "VA", "WA", "WV", "WI", "WY"};
    std::set<std::string> statesSeen, entries;
    bool east = false, south = false;
    for (const CityRecord& c : t.records) {
        EXPECT_TRUE(entries.insert(c.CityName).second) << "each entry picks its own place: " << c.CityName;
        statesSeen.insert(c.CityName.substr(c.CityName.rfind(',') + 1));
        InputFields f;
        ASSERT_TRUE(LoadCityRecord(c, f).empty()) << c.CityName;
        const double longDeg = std::stod(f.longDeg), longMin = std::stod(f.longMin);
        const double latDeg = std::stod(f.latDeg), latMin = std::stod(f.latMin);
        EXPECT_TRUE(c.LongitudeCode[c.LongitudeCode.size() - 3] == 'E' ||
                    c.LongitudeCode[c.LongitudeCode.size() - 3] == 'W') << c.CityName;
        EXPECT_TRUE(c.LatitudeCode[2] == 'N' || c.LatitudeCode[2] == 'S') << c.CityName;
        EXPECT_LT(longMin, 60) << c.CityName;
        EXPECT_LT(latMin, 60) << c.CityName;
        EXPECT_LE(longDeg, 180) << c.CityName;
        EXPECT_LE(latDeg, 90) << c.CityName;
        // A standard zone lies within two hours of the place's own longitude (hours west): this
        // catches a swapped hemisphere letter or a zone with the wrong sign.
        const double westDegrees = (longDeg + longMin / 60) * (f.east ? -1 : 1);
        const double zone = LeadingNumber(f.zone);
        EXPECT_LT(std::fabs(zone * 15 - westDegrees), 30) << c.CityName;
        east = east || f.east;
        south = south || f.south;
    }
    for (const std::string& s : states) EXPECT_TRUE(statesSeen.count(s)) << s;
    EXPECT_GE(statesSeen.size() - states.size(), 20u) << "countries beyond the United States";
    EXPECT_TRUE(east && south);
}

TEST(ShippedRecords, TimeZoneTableListsPickableStandardZones) {
    ExpectPlainCrLfUtf8(TimeZoneFileName);
    const TimeZoneTable t = LoadTimeZoneTable(DataDir() / TimeZoneFileName);
    EXPECT_FALSE(t.problem.has_value());
    EXPECT_GE(t.records.size(), 40u);
    std::set<std::string> names;
    for (const TimeZoneRecord& z : t.records) {
        EXPECT_TRUE(names.insert(z.ZoneName).second) << z.ZoneName;
        EXPECT_EQ(z.ZoneName.find('-'), std::string::npos) << z.ZoneName;
        const std::optional<double> offset = ParseNumber(z.ZoneOffset);
        ASSERT_TRUE(offset.has_value()) << z.ZoneName;
        EXPECT_GE(*offset, -14) << z.ZoneName;
        EXPECT_LE(*offset, 12) << z.ZoneName;
        const TimeZoneChoice choice = ChooseTimeZone(t, TimeZoneListLine(z));
        ASSERT_FALSE(choice.problem.has_value()) << z.ZoneName;
        EXPECT_EQ(LeadingNumber(choice.zoneText), *offset) << z.ZoneName;

        // Picked for a place where the zone is in use, every zone passes the input checks: a
        // zone behind Greenwich at its own meridian west, one ahead of it by up to 12 hours at
        // its meridian east, one ahead by more (Tonga, Line Islands) across the date line at
        // 160 degrees west.
        InputFields fields;
        fields.month = "7";
        fields.day = "1";
        fields.year = "2024";
        fields.hour = "12";
        fields.minute = "0";
        fields.latDeg = "10";
        fields.latMin = "0";
        fields.longMin = "0";
        EXPECT_TRUE(ApplyTimeZoneChoice(t, TimeZoneListLine(z), fields).empty()) << z.ZoneName;
        const double meridian = *offset < -12 ? 160 : std::min(std::fabs(*offset) * 15, 180.0);
        fields.longDeg = std::to_string(static_cast<int>(meridian));
        EXPECT_EQ(fields.east, *offset < 0 && *offset >= -12) << z.ZoneName;
        EXPECT_EQ(LeadingNumber(fields.zone), *offset) << z.ZoneName;
        std::vector<InputProblem> problems = CheckInputFields(fields, fields);
        const std::vector<InputProblem> ranges = CheckRanges(fields, InputSection::Natal);
        problems.insert(problems.end(), ranges.begin(), ranges.end());
        EXPECT_TRUE(problems.empty()) << z.ZoneName << " at " << meridian << (fields.east ? " E" : " W");
    }
    EXPECT_TRUE(names.count("Eastern") && names.count("India") && names.count("Greenwich Mean"));
    EXPECT_TRUE(names.count("Line Islands") && names.count("Tonga"));
    // Unambiguous names: "Bangladesh" beside BST read as British Summer Time.
    EXPECT_TRUE(names.count("Bangladesh Standard Time"));
}

}  // namespace
}  // namespace orrerion
