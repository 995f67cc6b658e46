// The cities file and the time zone table: reading them and putting a choice into an input window.
#include <gtest/gtest.h>

#include "core/records/cities_file.h"
#include "core/records/tz_table.h"
#include "test_paths.h"

namespace orrerion {
namespace {

using testing::MakeTempDir;
using testing::WriteWholeFile;

TEST(FillCitiesList, JoinsCityAndRegionAndStopsAtAnEmptyCity) {
    const auto dir = MakeTempDir();
    WriteWholeFile(dir / "A.LL",
                   "Boston,MA,071W04,42N21,5\r\n"
                   "\"Washington, DC\",US,077W02\r\n38N54,5\r\n"  // over two lines
                   "Boston,MA,000W00,00N00,0\r\n"
                   ",XX,000W00,00N00,0\r\nHidden,XX,000W00,00N00,0\r\n");
    const CityTable t = FillCitiesList(dir / "A.LL");
    EXPECT_FALSE(t.problem.has_value());
    ASSERT_EQ(t.records.size(), 3u);
    EXPECT_EQ(t.records[0].CityName, "Boston,MA");
    EXPECT_EQ(t.records[1].CityName, "Washington, DC,US");
    EXPECT_EQ(t.records[1].LatitudeCode, "38N54");
    EXPECT_EQ(FindCityRecord(t, "Boston,MA"), 0u) << "the first of two equal entries";
    EXPECT_EQ(FindCityRecord(t, "Washington, DC,US"), 1u);

    WriteWholeFile(dir / "B.LL", "Boston,MA,071W04,42N21,5\r\nAtlanta,GA,84W23\r\n");
    const CityTable b = FillCitiesList(dir / "B.LL");
    EXPECT_EQ(b.records.size(), 1u);
    ASSERT_TRUE(b.problem.has_value());
    EXPECT_EQ(b.problem->message.text, CitiesFileErrorMessage);
    EXPECT_EQ(b.problem->message.title, "Error!");
    EXPECT_EQ(b.problem->line, 2u);

    const CityTable missing = FillCitiesList(dir / "GONE.LL");
    EXPECT_TRUE(missing.records.empty());
    ASSERT_TRUE(missing.problem.has_value());
    EXPECT_TRUE(missing.problem->cannotOpen);
    EXPECT_EQ(CitiesFileOrDefault("", dir), dir / "GA_MA.LL");
}

TEST(LoadCityRecord, HemisphereLettersAndTheStoredZone) {
    struct Case {
        CityRecord city;
        const char *longDeg, *longMin;
        bool east;
        const char* zone;
        const char *latDeg, *latMin;
        bool south;
    };
    const Case cases[] = {
        {{"Atlanta,GA", "84W23", "33N45", "5"}, "84", "23", false, "5", "33", "45", false},
        {{"X,Y", "071E04", "42N21", "-1"}, "71", "4", true, "-1", "42", "21", false},
        {{"Sydney,AU", "151E12", "33S52", "-10"}, "151", "12", true, "-10", "33", "52", true},
        {{"x,y", "151e12", "33s52", "-10"}, "151", "12", false, "-10", "33", "52", false},
        {{"Odd,Z", "084X23", "33Q45", "5.5"}, "84", "23", false, "5.5", "33", "45", false},
        // The stored zone stands even when its sign does not match the hemisphere.
        {{"Odd,Z", "139E42", "35N41", "9"}, "139", "42", true, "9", "35", "41", false},
    };
    for (const Case& c : cases) {
        InputFields f;
        f.zone = "3";
        f.month = "7";
        f.hour = "11";
        EXPECT_TRUE(LoadCityRecord(c.city, f).empty()) << c.city.LongitudeCode;
        EXPECT_EQ(f.longDeg, c.longDeg) << c.city.LongitudeCode;
        EXPECT_EQ(f.longMin, c.longMin) << c.city.LongitudeCode;
        EXPECT_EQ(f.east, c.east) << c.city.LongitudeCode;
        EXPECT_EQ(f.zone, c.zone) << c.city.LongitudeCode;
        EXPECT_EQ(f.latDeg, c.latDeg) << c.city.LatitudeCode;
        EXPECT_EQ(f.latMin, c.latMin) << c.city.LatitudeCode;
        EXPECT_EQ(f.south, c.south) << c.city.LatitudeCode;
        EXPECT_EQ(f.month, "7") << "the date and time are not touched";
        EXPECT_EQ(f.hour, "11");
    }
    InputFields d;
    EXPECT_TRUE(LoadCityRecord({"Sydney,AU", "151E12", "33S52", "-10"}, d).empty());
    EXPECT_EQ(d.longDeg, "151");
    EXPECT_TRUE(d.east);
    EXPECT_TRUE(d.south);
    EXPECT_EQ(d.zone, "-10");
}

TEST(LoadCityRecord, CodesOfTheWrongShapeAreFormatErrors) {
    // A one-digit degree shifts the hemisphere letter out of its place: refused rather than
    // taken as West or North. The fields set before the faulty one keep their new values.
    struct Case {
        CityRecord city;
        const char* longDegAfter;
        const char* zoneAfter;
    };
    const Case cases[] = {
        {{"a,b", "7E30", "42N21", "-1"}, "", "3"},
        {{"a,b", "", "42N21", "5"}, "", "3"},
        {{"a,b", "0711W04", "42N21", "5"}, "", "3"},
        {{"a,b", "07AW04", "42N21", "5"}, "", "3"},
        {{"a,b", "071W04", "42N21", "EST"}, "71", "3"},
        {{"a,b", "071W04", "5S30", "5"}, "71", "5"},
        {{"a,b", "071W04", "42N2", "5"}, "71", "5"},
    };
    for (const Case& c : cases) {
        InputFields f;
        f.zone = "3";
        const std::vector<Message> m = LoadCityRecord(c.city, f);
        ASSERT_EQ(m.size(), 1u) << c.city.LongitudeCode << " " << c.city.LatitudeCode;
        EXPECT_EQ(m[0].title, "Error!");
        EXPECT_EQ(m[0].icon, MessageIcon::Critical);
        EXPECT_EQ(m[0].text, CityFormatErrorMessage);
        EXPECT_EQ(f.longDeg, c.longDegAfter) << c.city.LongitudeCode;
        EXPECT_EQ(f.zone, c.zoneAfter) << c.city.LongitudeCode;
        EXPECT_EQ(f.latDeg, "");
    }
}

TEST(TimeZoneTable, ListLinesPaddingAndTheClickKey) {
    const std::string eastern = TimeZoneListLine({"Eastern", "EST", "5"});
    EXPECT_EQ(eastern, "Eastern" + std::string(25, ' ') + " - " + " EST" + " =" + "   5");
    EXPECT_EQ(TimeZoneListKey(eastern), "Eastern");
    const std::string accented = TimeZoneListLine({"Z\xC3\xBCrich", "MEZ", "-1"});
    EXPECT_EQ(accented, "Z\xC3\xBCrich" + std::string(26, ' ') + " -  MEZ =  -1")
        << "padded by characters, not bytes";
    EXPECT_EQ(TimeZoneListKey(accented), "Z\xC3\xBCrich");
    EXPECT_EQ(TimeZoneListKey(TimeZoneListLine({std::string(32, 'N'), "ABCD", "-12"})),
              std::string(32, 'N'));
    EXPECT_EQ(TimeZoneListKey("Mid-Atlantic   - X"), "Mi") << "a name with \"-\" gives a short key";
    EXPECT_FALSE(TimeZoneListKey("-X").has_value());
    EXPECT_FALSE(TimeZoneListKey("no dash").has_value());

    struct Pad { const char* offset; const char* padded; };
    const Pad pads[] = {{"100", " 100"}, {"10", "  10"}, {"9.5", "   9.5"}, {"0", "   0"},
                        {"-0.5", "  -0.5"}, {"-9", "  -9"}, {"-10", " -10"}, {"-99.5", " -99.5"},
                        {"-100", "-100"}, {"-0,5", "  -0,5"}, {"x", "   x"}};
    for (const Pad& p : pads) EXPECT_EQ(PadZoneOffset(p.offset), p.padded) << p.offset;
}

TEST(TimeZoneTable, ReadingStopsAtTheFirstProblem) {
    const auto dir = MakeTempDir();
    const auto load = [&](const std::string& text) {
        WriteWholeFile(dir / "TZ.DAT", text);
        return LoadTimeZoneTable(dir / "TZ.DAT");
    };
    TimeZoneTable t = load("Eastern,EST,5\r\nIndia,IST,-5.5\r\n,,\r\nHidden,H,1\r\n");
    EXPECT_FALSE(t.problem.has_value());
    ASSERT_EQ(t.records.size(), 2u);
    EXPECT_EQ(t.records[1].ZoneOffset, "-5.5");

    const std::string name32(32, 'N');
    // The tail after the damage is never read; a short record can only be the last one, since
    // reading simply goes on into the next line.
    const std::string bads[] = {std::string(33, 'N') + ",X,1\r\nAfter,A,2", "Long,ABCDE,1\r\nAfter,A,2",
                                "Short,X", "\"Open,X,1\r\nAfter,A,2"};
    for (const std::string& bad : bads) {
        t = load("Eastern,EST,5\r\n" + name32 + ",ABCD,1\r\n" + bad + "\r\n");
        EXPECT_EQ(t.records.size(), 2u) << bad;
        ASSERT_TRUE(t.problem.has_value()) << bad;
        EXPECT_EQ(t.problem->message.text, "The file TZ.DAT is corrupt.");
        EXPECT_EQ(t.problem->message.title, "Error!");
        EXPECT_EQ(t.problem->message.icon, MessageIcon::Critical);
        EXPECT_EQ(t.problem->line, 3u) << bad;
    }

    const TimeZoneTable missing = LoadTimeZoneTable(dir / "NONE.DAT");
    EXPECT_TRUE(missing.records.empty());
    ASSERT_TRUE(missing.problem.has_value());
    EXPECT_TRUE(missing.problem->cannotOpen);
    EXPECT_EQ(missing.problem->message.text, TimeZoneCorruptMessage);
}

TEST(TimeZoneTable, ChoosingAZoneSetsTheFieldAndTheHemisphere) {
    TimeZoneTable t;
    t.records = {{"India", "IST", "-5.5"}, {"Greenwich", "GMT", "0"}, {"India", "IST", "-9"},
                 {"Mid-Atlantic", "MAT", "2"}, {"Eastern", "EST", " 5"}};
    InputFields natal;
    natal.zone = "5";
    EXPECT_TRUE(ApplyTimeZoneChoice(t, TimeZoneListLine(t.records[2]), natal).empty());
    EXPECT_EQ(natal.zone, "-5.5") << "either India line applies the first record";
    EXPECT_TRUE(natal.east);
    EXPECT_TRUE(ApplyTimeZoneChoice(t, TimeZoneListLine(t.records[1]), natal).empty());
    EXPECT_EQ(natal.zone, "0");
    EXPECT_FALSE(natal.east);

    InputFields diurnal;
    diurnal.east = true;
    EXPECT_TRUE(ApplyTimeZoneChoice(t, TimeZoneListLine(t.records[4]), diurnal).empty());
    EXPECT_EQ(diurnal.zone, "5");
    EXPECT_FALSE(diurnal.east);

    // A name with "-" cannot be picked; the fields stay as they were.
    const std::vector<Message> m = ApplyTimeZoneChoice(t, TimeZoneListLine(t.records[3]), diurnal);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].text, TimeZoneCorruptMessage);
    EXPECT_EQ(diurnal.zone, "5");
    EXPECT_FALSE(diurnal.east);
}

}  // namespace
}  // namespace orrerion
