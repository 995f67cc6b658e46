// The atlas exchange files: reading them back, the accept question, filling an input window and
// the codes the atlas program writes.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/records/atlas_exchange.h"
#include "test_paths.h"

namespace orrerion {
namespace {

std::string Dir(const std::filesystem::path& p) { return p.string() + "/"; }

// The data folder as the atlas leaves it there: PCATPATH.TXT naming that folder, TSRTEMP.TXT
// holding `placeText`.
std::string WriteExchange(const std::filesystem::path& dataDir, const std::string& placeText) {
    testing::WriteWholeFile(dataDir / "PCATPATH.TXT", Dir(dataDir) + "\r\nsecond line is not read\r\n");
    testing::WriteWholeFile(dataDir / "TSRTEMP.TXT", placeText);
    return Dir(dataDir);
}

TEST(ReadAtlasPlace, ReadsLatitudeLongitudeAndZoneFromTheDataFolder) {
    const auto root = testing::MakeTempDir();
    const std::string dataDir =
        WriteExchange(root, "Boston\r\n42N21\r\n71W04\r\nAmerica/New_York\r\n4\r\n");
    const AtlasReadResult r = ReadAtlasPlace(dataDir);
    ASSERT_FALSE(r.message.has_value()) << r.message->text;
    ASSERT_TRUE(r.place.has_value());
    EXPECT_EQ(r.place->AtlasDataDir, dataDir);
    EXPECT_EQ(r.place->AtlasLatitude, "42N21");
    EXPECT_EQ(r.place->AtlasLongitude, "71W04");
    EXPECT_EQ(r.place->AtlasZone, 4.0f);

    // Line ends of either kind; the zone line is read as the number at its start.
    testing::WriteWholeFile(root / "TSRTEMP.TXT", "x\n33S52\n151E12\n\n-10.5 hours\n");
    const AtlasReadResult lf = ReadAtlasPlace(dataDir);
    ASSERT_TRUE(lf.place.has_value());
    EXPECT_EQ(lf.place->AtlasLatitude, "33S52");
    EXPECT_EQ(lf.place->AtlasLongitude, "151E12");
    EXPECT_EQ(lf.place->AtlasZone, -10.5f);
}

// Nothing the exchange files say is used unchecked: a path file naming another folder is not
// followed, and a place or zone beyond the Earth's is refused (a zone of 1e50 once became inf).
TEST(ReadAtlasPlace, RefusesAnotherFolderAndValuesOutOfRange) {
    const auto root = testing::MakeTempDir();
    const auto other = root / "other";
    std::filesystem::create_directories(other);
    const std::string dataDir = WriteExchange(root, "x\r\n42N21\r\n71W04\r\nnote\r\n4\r\n");
    testing::WriteWholeFile(other / "TSRTEMP.TXT", "x\r\n42N21\r\n71W04\r\nnote\r\n4\r\n");
    testing::WriteWholeFile(root / "PCATPATH.TXT", Dir(other) + "\r\n");
    AtlasReadResult r = ReadAtlasPlace(dataDir);
    EXPECT_FALSE(r.place.has_value());
    ASSERT_TRUE(r.message.has_value());
    EXPECT_NE(r.message->text.find("names another directory"), std::string::npos) << r.message->text;

    testing::WriteWholeFile(root / "PCATPATH.TXT", dataDir + "\r\n");
    struct Case { const char* latitude; const char* longitude; const char* zone; bool accepted; };
    const Case cases[] = {
        {"90N00", "180W00", "12", true},   {"0S00", "0E00", "-14", true},
        {"42N21", "71W04", "1e50", true},  // "1" then a note: the number at the start
        {"42N21", "71W04", "100000000000000000000000000000000000000000000000000", false},
        {"42N21", "71W04", "-14.5", false}, {"42N21", "71W04", "12.5", false},
        {"90N01", "71W04", "4", false},    {"95N00", "71W04", "4", false},
        {"42N60", "71W04", "4", false},    {"42N21", "180E01", "4", false},
        {"42N21", "999999999999999999999999999999W04", "4", false},
    };
    for (const Case& c : cases) {
        testing::WriteWholeFile(root / "TSRTEMP.TXT", std::string("x\r\n") + c.latitude + "\r\n" +
                                                          c.longitude + "\r\nnote\r\n" + c.zone + "\r\n");
        r = ReadAtlasPlace(dataDir);
        EXPECT_EQ(r.place.has_value(), c.accepted) << c.latitude << " " << c.longitude << " " << c.zone;
        if (!c.accepted) {
            ASSERT_TRUE(r.message.has_value());
            EXPECT_NE(r.message->text.find("out of range"), std::string::npos) << r.message->text;
        }
    }
}

TEST(ReadAtlasPlace, MissingOrShortFilesGiveTheirWarnings) {
    const auto root = testing::MakeTempDir();
    const std::string atlasDir = Dir(root);

    AtlasReadResult r = ReadAtlasPlace(atlasDir);
    ASSERT_TRUE(r.message.has_value());
    EXPECT_FALSE(r.place.has_value());
    EXPECT_EQ(r.message->title, "Warning!");
    EXPECT_EQ(r.message->icon, MessageIcon::Critical);
    EXPECT_EQ(r.message->text, "Cannot find the file called PCATPATH in the " + atlasDir + " directory.");

    testing::WriteWholeFile(root / "PCATPATH.TXT", "");  // no first line to read
    r = ReadAtlasPlace(atlasDir);
    ASSERT_TRUE(r.message.has_value());
    EXPECT_EQ(r.message->text, "Cannot find the file called PCATPATH in the " + atlasDir + " directory.");

    testing::WriteWholeFile(root / "PCATPATH.TXT", atlasDir + "\r\n");
    r = ReadAtlasPlace(atlasDir);
    ASSERT_TRUE(r.message.has_value());
    EXPECT_FALSE(r.place.has_value());
    EXPECT_EQ(r.message->icon, MessageIcon::Critical);
    EXPECT_EQ(r.message->text, "Cannot find the file called TSRTEMP.TXT in the " + atlasDir + " directory.");

    testing::WriteWholeFile(root / "TSRTEMP.TXT", "Boston\r\n42N21\r\n71W04\r\nnote\r\n");
    r = ReadAtlasPlace(atlasDir);
    ASSERT_TRUE(r.message.has_value()) << "four lines are one too few";
    EXPECT_EQ(r.message->text, "Cannot find the file called TSRTEMP.TXT in the " + atlasDir + " directory.");
}

TEST(AtlasDirFromAnswer, AddsTheFinalSeparatorOnlyWhenMissing) {
    EXPECT_EQ(AtlasDirFromAnswer("/opt/atlas"), "/opt/atlas/");
    EXPECT_EQ(AtlasDirFromAnswer("/opt/atlas/"), "/opt/atlas/");
    EXPECT_EQ(AtlasDirFromAnswer(""), "");
}

TEST(AtlasAcceptQuestion, ShowsThePlaceWithABlankBeforeANonNegativeZone) {
    AtlasPlace place{"/tmp/", "42N21", "71W04", 4.0f};
    Message q = AtlasAcceptQuestion(place);
    EXPECT_EQ(q.title, "Accept or Reject data");
    EXPECT_EQ(q.icon, MessageIcon::Question);
    EXPECT_EQ(q.text, "Accept following data? \r\n\r\nLongitude = 71W04\r\nLatitude  = 42N21\r\nTime zone =  4");

    place.AtlasZone = -5.5f;
    EXPECT_EQ(AtlasAcceptQuestion(place).text,
              "Accept following data? \r\n\r\nLongitude = 71W04\r\nLatitude  = 42N21\r\nTime zone = -5.5");
    place.AtlasZone = 0.0f;
    EXPECT_NE(AtlasAcceptQuestion(place).text.find("Time zone =  0"), std::string::npos);
}

TEST(AtlasZoneText, SevenSignificantDigitsWithoutTrailingZeros) {
    EXPECT_EQ(AtlasZoneText(5.0f), "5");
    EXPECT_EQ(AtlasZoneText(-5.5f), "-5.5");
    EXPECT_EQ(AtlasZoneText(4.733333f), "4.733333");
    EXPECT_EQ(AtlasZoneText(-0.0f), "0");
    EXPECT_EQ(AtlasZoneText(-10.08333f), "-10.08333");
}

struct FillCase {
    const char* longitude;
    const char* latitude;
    float zone;
    const char* zoneField, *longDeg, *longMin;
    bool east;
    const char* latDeg, *latMin;
    bool south;
};

TEST(FillFieldsFromAtlas, ZoneTakesTheLongitudesSignUnlessWrittenNegative) {
    const FillCase cases[] = {
        {"71W04", "42N21", 4.0f, "4", "71", "4", false, "42", "21", false},
        {"3E30", "42N21", 5.0f, "-5", "3", "30", true, "42", "21", false},  // an unsigned zone east
        {"88E22", "22N34", -5.5f, "-5.5", "88", "22", true, "22", "34", false},
        {"151E12", "33S52", -11.0f, "-11", "151", "12", true, "33", "52", true},
        {"46W38", "23S33", 3.0f, "3", "46", "38", false, "23", "33", true},
        {"3W42", "40N25", -2.0f, "-2", "3", "42", false, "40", "25", false},  // Madrid in summer
        {"0W08", "51N30", -1.0f, "-1", "0", "8", false, "51", "30", false},   // London in summer
        {"0E00", "0N00", 0.0f, "0", "0", "0", true, "0", "0", false},
    };
    for (const FillCase& c : cases) {
        const AtlasPlace place{"/tmp/", c.latitude, c.longitude, c.zone};
        InputFields natal;
        natal.name = "kept";
        natal.hour = "7";
        natal.east = !c.east;
        natal.south = !c.south;
        EXPECT_FALSE(FillFieldsFromAtlas(place, natal).has_value()) << c.longitude;
        EXPECT_EQ(natal.zone, c.zoneField) << c.longitude;
        EXPECT_EQ(natal.longDeg, c.longDeg) << c.longitude;
        EXPECT_EQ(natal.longMin, c.longMin) << c.longitude;
        EXPECT_EQ(natal.east, c.east) << c.longitude;
        EXPECT_EQ(natal.latDeg, c.latDeg) << c.latitude;
        EXPECT_EQ(natal.latMin, c.latMin) << c.latitude;
        EXPECT_EQ(natal.south, c.south) << c.latitude;
        EXPECT_EQ(natal.name, "kept");
        EXPECT_EQ(natal.hour, "7");

        InputFields diurnal;
        diurnal.month = "7";
        EXPECT_FALSE(FillFieldsFromAtlas(place, diurnal).has_value()) << c.longitude;
        EXPECT_EQ(diurnal.zone, c.zoneField) << c.longitude;
        EXPECT_EQ(diurnal.longDeg, c.longDeg);
        EXPECT_EQ(diurnal.longMin, c.longMin);
        EXPECT_EQ(diurnal.east, c.east);
        EXPECT_EQ(diurnal.latDeg, c.latDeg);
        EXPECT_EQ(diurnal.latMin, c.latMin);
        EXPECT_EQ(diurnal.south, c.south);
        EXPECT_EQ(diurnal.month, "7");
    }
}

TEST(FillFieldsFromAtlas, ACodeWithoutItsHemisphereLetterIsReportedAndFillsNothing) {
    struct Case { const char* longitude; const char* latitude; const char* named; };
    const Case cases[] = {
        {"7104", "42N21", "\"7104\" without E or W"},
        {"71w04", "42N21", "\"71w04\" without E or W"},   // the letters are capitals
        {"71E04W", "42N21", "\"71E04W\" without E or W"},  // both letters: no hemisphere either
        {"71W04", "4221", "\"4221\" without N or S"},
        {"71W04", "", "\"\" without N or S"},
    };
    for (const Case& c : cases) {
        InputFields natal;
        natal.zone = "5";
        natal.longDeg = "10";
        natal.latDeg = "20";
        const auto message = FillFieldsFromAtlas(AtlasPlace{"/tmp/", c.latitude, c.longitude, -1.0f}, natal);
        ASSERT_TRUE(message.has_value()) << c.longitude << " " << c.latitude;
        EXPECT_NE(message->text.find(c.named), std::string::npos) << message->text;
        EXPECT_EQ(message->title, "Warning!");
        EXPECT_EQ(natal.zone, "5");
        EXPECT_EQ(natal.longDeg, "10");
        EXPECT_EQ(natal.latDeg, "20");
        EXPECT_FALSE(natal.east);
    }
}

TEST(CoordinateCodes, RoundToTheMinuteAndCarryIntoTheDegree) {
    struct Case { double degrees; const char* latitude; const char* longitude; };
    const Case cases[] = {
        {42.3584, "42N22", "42E22"},   {-71.0598, "71S04", "71W04"}, {3.5, "3N30", "3E30"},
        {-33.8678, "33S52", "33W52"},  {151.2073, "151N12", "151E12"}, {0.0, "0N00", "0E00"},
        {-0.1257, "0S08", "0W08"},     {12.9999, "13N00", "13E00"},   // 59.99' is the next degree
        {-179.9999, "180S00", "180W00"}, {10.0083, "10N00", "10E00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LatitudeCode(c.degrees), c.latitude) << c.degrees;
        EXPECT_EQ(LongitudeCode(c.degrees), c.longitude) << c.degrees;
    }
}

TEST(ZoneNumberText, HoursToTheSecondWithPointDecimals) {
    EXPECT_EQ(ZoneNumberText(5), "5");
    EXPECT_EQ(ZoneNumberText(-5.5), "-5.5");
    EXPECT_EQ(ZoneNumberText(284.0 / 60), "4.733333");
    EXPECT_EQ(ZoneNumberText(-1172.0 / 3600), "-0.325556");  // -0:19:32
    EXPECT_EQ(ZoneNumberText(-0.0), "0");
    EXPECT_EQ(ZoneNumberText(-1e-9), "0");
}

TEST(AtlasFiles, WhatTheAtlasWritesTheBridgeReadsBack) {
    const auto root = testing::MakeTempDir();
    testing::WriteWholeFile(root / "PCATPATH.TXT", AtlasPathFileText(Dir(root)));
    testing::WriteWholeFile(root / "TSRTEMP.TXT",
                            AtlasPlaceFileText("Sydney, New South Wales, Australia", -33.8678, 151.2073,
                                               "Australia/Sydney AEDT daylight saving", -11));
    EXPECT_EQ(testing::ReadWholeFile(root / "TSRTEMP.TXT"),
              "Sydney, New South Wales, Australia\r\n33S52\r\n151E12\r\nAustralia/Sydney AEDT daylight saving\r\n-11\r\n");
    const AtlasReadResult r = ReadAtlasPlace(Dir(root));
    ASSERT_TRUE(r.place.has_value());
    InputFields natal;
    ASSERT_FALSE(FillFieldsFromAtlas(*r.place, natal).has_value());
    EXPECT_EQ(natal.zone, "-11");
    EXPECT_EQ(natal.longDeg, "151");
    EXPECT_EQ(natal.longMin, "12");
    EXPECT_TRUE(natal.east);
    EXPECT_EQ(natal.latDeg, "33");
    EXPECT_EQ(natal.latMin, "52");
    EXPECT_TRUE(natal.south);
}

}  // namespace
}  // namespace orrerion
