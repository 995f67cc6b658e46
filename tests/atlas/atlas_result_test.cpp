// "Use this place": the two files the atlas leaves, read back as the input windows read them.
#include <gtest/gtest.h>

#include "atlas_places.h"
#include "atlas_result.h"
#include "core/records/atlas_exchange.h"
#include "test_paths.h"

namespace orrerion::atlas {
namespace {

TEST(WriteAtlasResult, LeavesThePathFileAndThePlaceFileInTheFolder) {
    const auto dir = orrerion::testing::MakeTempDir();
    const Place* boston = testing::FindPlace("Boston", "Massachusetts");
    ASSERT_NE(boston, nullptr);
    const ZoneAtLocalTime z = OffsetInForce(QString::fromStdString(boston->zoneId), boston->longitude,
                                            QDate(1950, 7, 1), QTime(12, 0));
    ASSERT_EQ(z.kind, LocalTimeKind::Single);
    const WriteResult written = WriteAtlasResult(dir, *boston, z.choices[0]);
    ASSERT_TRUE(written.ok) << written.message;

    EXPECT_EQ(orrerion::testing::ReadWholeFile(dir / "PCATPATH.TXT"), dir.string() + "/\r\n");
    EXPECT_EQ(orrerion::testing::ReadWholeFile(dir / "TSRTEMP.TXT"),
              "Boston, Massachusetts, United States of America\r\n42N22\r\n71W04\r\n"
              "America/New_York EDT daylight saving time\r\n4\r\n");

    const AtlasReadResult back = ReadAtlasPlace(dir.string() + "/");
    ASSERT_TRUE(back.place.has_value());
    EXPECT_EQ(back.place->AtlasLatitude, "42N22");
    EXPECT_EQ(back.place->AtlasLongitude, "71W04");
    EXPECT_EQ(back.place->AtlasZone, 4.0f);
}

TEST(WriteAtlasResult, LocalMeanTimeIsWrittenAsTheZoneWithItsReason) {
    const auto dir = orrerion::testing::MakeTempDir();
    const Place* sydney = testing::FindPlace("Sydney", "New South Wales");
    ASSERT_NE(sydney, nullptr);
    const ZoneAtLocalTime z = OffsetInForce(QString::fromStdString(sydney->zoneId), sydney->longitude,
                                            QDate(1880, 1, 1), QTime(12, 0));
    ASSERT_TRUE(WriteAtlasResult(dir, *sydney, z.choices.at(0)).ok);
    EXPECT_EQ(orrerion::testing::ReadWholeFile(dir / "TSRTEMP.TXT"),
              "Sydney, New South Wales, Australia\r\n33S52\r\n151E12\r\n"
              "Australia/Sydney local mean time (longitude / 15)\r\n-10.083333\r\n");
    const AtlasReadResult back = ReadAtlasPlace(dir.string() + "/");
    ASSERT_TRUE(back.place.has_value());
    InputFields natal;
    ASSERT_FALSE(FillFieldsFromAtlas(*back.place, natal).has_value());
    EXPECT_EQ(natal.zone, "-10.08333");
    EXPECT_TRUE(natal.east);
    EXPECT_TRUE(natal.south);
}

TEST(WriteAtlasResult, AFolderThatCannotBeWrittenIsReportedAndLeavesNoPathFile) {
    const auto dir = orrerion::testing::MakeTempDir() / "absent";
    const Place* boston = testing::FindPlace("Boston", "Massachusetts");
    ASSERT_NE(boston, nullptr);
    const WriteResult written = WriteAtlasResult(dir, *boston, OffsetChoice{-18000, 5, "EST", false, false});
    EXPECT_FALSE(written.ok);
    EXPECT_NE(written.message.find((dir / "TSRTEMP.TXT").string()), std::string::npos) << written.message;
    EXPECT_FALSE(std::filesystem::exists(dir / "PCATPATH.TXT"));
}

TEST(PlaceTitle, LeavesOutARegionThatRepeatsTheName) {
    Place p;
    p.name = "Andorra la Vella";
    p.region = "Andorra la Vella";
    p.country = "Andorra";
    EXPECT_EQ(PlaceTitle(p), "Andorra la Vella, Andorra");
    p.region = "";
    EXPECT_EQ(PlaceTitle(p), "Andorra la Vella, Andorra");
}

}  // namespace
}  // namespace orrerion::atlas
