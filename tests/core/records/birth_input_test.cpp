// Births as people write them: the texts of the date, zone and place, the record each moment
// becomes, the place chosen among the atlas's matches and a stored record found by its name.
#include <gtest/gtest.h>

#include <variant>

#include "core/records/birth_input.h"
#include "core/records/names_file.h"

namespace orrerion {
namespace {

TEST(ParseIsoLocalTime, ReadsDateAnd24HourTimeAndRefusesEverythingElse) {
    struct Case { const char* text; std::optional<ClockReading> expected; };
    const Case cases[] = {
        {"1950-01-13T08:30", ClockReading{1950, 1, 13, 8, 30, 0}},
        {"1950-01-13 23:59:59", ClockReading{1950, 1, 13, 23, 59, 59}},
        {"2000-02-29T00:00", ClockReading{2000, 2, 29, 0, 0, 0}},
        {"1900-02-29T00:00", std::nullopt},  // not a leap year
        {"1950-13-01T08:30", std::nullopt},
        {"1950-01-13T24:00", std::nullopt},
        {"1950-01-13T08:60", std::nullopt},
        {"1950-01-13", std::nullopt},
        {"1950-1-13T08:30", std::nullopt},
        {"0950-01-13T08:30", std::nullopt},  // the record writes four-digit years from 1000
        {"13 Jan 1950", std::nullopt},
        {"1950-01-13T08:30Z", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseIsoLocalTime(c.text), c.expected) << c.text;
}

TEST(ParseZoneText, NamesOffsetsUtcAndLocalMeanTime) {
    struct Case { const char* text; std::optional<ZoneChoice> expected; };
    const Case cases[] = {
        {"America/New_York", ZoneChoice{ZoneKind::Named, "America/New_York", 0}},
        {"+05:30", ZoneChoice{ZoneKind::Fixed, {}, 19800}},
        {"-0500", ZoneChoice{ZoneKind::Fixed, {}, -18000}},
        {"+5", ZoneChoice{ZoneKind::Fixed, {}, 18000}},
        {"-03:30", ZoneChoice{ZoneKind::Fixed, {}, -12600}},
        {"UTC+05:45", ZoneChoice{ZoneKind::Fixed, {}, 20700}},
        {"UTC", ZoneChoice{ZoneKind::Fixed, {}, 0}},
        {"gmt", ZoneChoice{ZoneKind::Fixed, {}, 0}},
        {"LMT", ZoneChoice{ZoneKind::LocalMeanTime, {}, 0}},
        {"+15:00", std::nullopt},
        {"+05:60", std::nullopt},
        {"-050", std::nullopt},
        {"America/Atlantis", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto parsed = ParseZoneText(c.text);
        if (c.expected) {
            ASSERT_TRUE(std::holds_alternative<ZoneChoice>(parsed)) << c.text << ": " << std::get<std::string>(parsed);
            EXPECT_EQ(std::get<ZoneChoice>(parsed), *c.expected) << c.text;
        } else {
            EXPECT_TRUE(std::holds_alternative<std::string>(parsed)) << c.text;
        }
    }
}

TEST(ParseCoordinates, LettersOrSignedDegreesToTheMinuteOfArc) {
    struct Case { const char* text; bool latitude; std::optional<int> arcmin; };
    const Case cases[] = {
        {"40N43", true, 40 * 60 + 43},   {"33s52", true, -(33 * 60 + 52)}, {"40.7167", true, 40 * 60 + 43},
        {"-31.55", true, -(31 * 60 + 33)}, {"90N00", true, 90 * 60},      {"90N01", true, std::nullopt},
        {"40N60", true, std::nullopt},   {"40E43", true, std::nullopt},    {"91", true, std::nullopt},
        {"74W00", false, -74 * 60},      {"2E21", false, 2 * 60 + 21},     {"0w07", false, -7},
        {"-74.0", false, -74 * 60},      {"159.083", false, 159 * 60 + 5}, {"180E01", false, std::nullopt},
        {"74N00", false, std::nullopt},  {"74W0x", false, std::nullopt},   {"", false, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.latitude ? ParseLatitudeText(c.text) : ParseLongitudeText(c.text), c.arcmin) << c.text;
    }
    EXPECT_EQ(ArcminutesFromRecordValue(-2.21), -(2 * 60 + 21));
    EXPECT_EQ(ArcminutesFromRecordValue(74.00), 74 * 60);
}

// Each moment becomes the record a person would type, with the offset in force from tzdata; where
// the record's sign rule cannot hold the zone, the moment is written in UT with zone 0.
TEST(MakeMomentRecord, WritesTheRecordWithTheOffsetInForce) {
    const ZoneChoice newYork{ZoneKind::Named, "America/New_York", 0};
    struct Case {
        const char* what;
        MomentInput input;
        const char* record;
        bool universalTime;
    };
    const Case cases[] = {
        {"New York 1950, EST (tzdata northamerica)",
         {"John Smith", {1950, 1, 13, 8, 30, 0}, false, newYork, 40 * 60 + 43, -74 * 60, Fold::Earlier},
         "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43", false},
        {"Paris 1942 war time, CEST all winter (tzdata europe, C-Eur)",
         {"", {1942, 3, 10, 14, 45, 0}, false, {ZoneKind::Named, "Europe/Paris", 0}, 48 * 60 + 51, 2 * 60 + 21, Fold::Earlier},
         ",10 Mar 1942,2.45,P,-2,-002.21,48.51", false},
        {"London 1969, British Standard Time +1 at 0W07: written in UT",
         {"", {1969, 7, 20, 21, 17, 0}, false, {ZoneKind::Named, "Europe/London", 0}, 51 * 60 + 30, -7, Fold::Earlier},
         ",20 Jul 1969,8.17,P,0,000.07,51.30", true},
        {"London, half past midnight BST on New Year's Day 1970 is the old year in UT",
         {"", {1970, 1, 1, 0, 30, 0}, false, {ZoneKind::Named, "Europe/London", 0}, 51 * 60 + 30, -7, Fold::Earlier},
         ",31 Dec 1969,11.30,P,0,000.07,51.30", true},
        {"Lord Howe 1990, half-hour daylight saving +11 (tzdata australasia, LH)",
         {"", {1990, 1, 1, 12, 0, 0}, false, {ZoneKind::Named, "Australia/Lord_Howe", 0}, -(31 * 60 + 33), 159 * 60 + 5, Fold::Earlier},
         ",01 Jan 1990,12.00,P,-11,-159.05,-31.33", false},
        {"the repeated hour, earlier: EDT",
         {"", {2021, 11, 7, 1, 30, 0}, false, newYork, 40 * 60 + 43, -74 * 60, Fold::Earlier},
         ",07 Nov 2021,1.30,A,4,074.00,40.43", false},
        {"the repeated hour, later: EST",
         {"", {2021, 11, 7, 1, 30, 0}, false, newYork, 40 * 60 + 43, -74 * 60, Fold::Later},
         ",07 Nov 2021,1.30,A,5,074.00,40.43", false},
        {"seconds round to the minute; noon is 12 P, midnight 12 A",
         {"", {1950, 1, 13, 11, 59, 45}, false, newYork, 40 * 60 + 43, -74 * 60, Fold::Earlier},
         ",13 Jan 1950,12.00,P,5,074.00,40.43", false},
        {"midnight", {"", {1950, 1, 13, 0, 5, 0}, false, newYork, 40 * 60 + 43, -74 * 60, Fold::Earlier},
         ",13 Jan 1950,12.05,A,5,074.00,40.43", false},
        {"before standard time: Boston's own mean time, 71W04 / 15 = 4h44m16s, not New York's LMT",
         {"", {1850, 6, 1, 9, 0, 0}, false, newYork, 42 * 60 + 21, -(71 * 60 + 4), Fold::Earlier},
         ",01 Jun 1850,9.00,A,4.737778,071.04,42.21", false},
        {"LMT asked for", {"", {1850, 6, 1, 9, 0, 0}, false, {ZoneKind::LocalMeanTime, {}, 0}, 42 * 60 + 21, -(71 * 60 + 4), Fold::Earlier},
         ",01 Jun 1850,9.00,A,4.737778,071.04,42.21", false},
        {"a fixed offset east at a west longitude: UT",
         {"", {1990, 1, 1, 3, 0, 0}, false, {ZoneKind::Fixed, {}, 19800}, 42 * 60 + 21, -(71 * 60 + 4), Fold::Earlier},
         ",31 Dec 1989,9.30,P,0,071.04,42.21", true},
        {"a UT instant read in its zone's clock",
         {"", {2021, 11, 7, 6, 30, 0}, true, newYork, 40 * 60 + 43, -74 * 60, Fold::Earlier},
         ",07 Nov 2021,1.30,A,5,074.00,40.43", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto made = MakeMomentRecord(c.input);
        ASSERT_TRUE(std::holds_alternative<MomentRecord>(made)) << std::get<std::string>(made);
        const MomentRecord& r = std::get<MomentRecord>(made);
        EXPECT_EQ(NameRecordLine(r.record), c.record);
        EXPECT_EQ(r.universalTime, c.universalTime);
    }
}

TEST(MakeMomentRecord, RefusesATimeTheClocksSkippedAndNamesTheOccurrenceOfARepeatedOne) {
    MomentInput gap{"", {2021, 3, 14, 2, 30, 0}, false, {ZoneKind::Named, "America/New_York", 0}, 2443, -4440,
                    Fold::Earlier};
    const auto refused = MakeMomentRecord(gap);
    ASSERT_TRUE(std::holds_alternative<std::string>(refused));
    EXPECT_EQ(std::get<std::string>(refused),
              "2021-03-14 02:30 did not exist in America/New_York: the clocks went from EST, UTC-05:00 to EDT, "
              "UTC-04:00 over it");

    MomentInput twice = gap;
    twice.clock = {2021, 11, 7, 1, 30, 0};
    const MomentRecord r = std::get<MomentRecord>(MakeMomentRecord(twice));
    ASSERT_EQ(r.notes.size(), 1u);
    EXPECT_EQ(r.notes[0],
              "2021-11-07 01:30 happened twice in America/New_York: the earlier occurrence (EDT, UTC-04:00) is "
              "used; the later was EST, UTC-05:00");
}

TEST(ChooseAtlasPlace, TheLargestExactNameElseTheOnlyMatchElseAListToChooseFrom) {
    const AtlasPlaceRow illinois{true, "Springfield", "Illinois", "United States", 39.80105, -89.64371, "America/Chicago", 116250};
    const AtlasPlaceRow missouri{true, "Springfield", "Missouri", "United States", 37.21533, -93.29824, "America/Chicago", 166810};
    const AtlasPlaceRow gardens{false, "Springfield Gardens", "New York", "United States", 40.66316, -73.76236, "America/New_York", 20000};
    struct Case {
        std::vector<AtlasPlaceRow> rows;
        std::optional<int> index;
        std::optional<AtlasPlaceRow> chosen;
    };
    const Case cases[] = {
        {{illinois, missouri, gardens}, std::nullopt, missouri},
        {{gardens}, std::nullopt, gardens},
        {{gardens, illinois}, 1, gardens},
        {{gardens, {false, "Springe", "Lower Saxony", "Germany", 52.2, 9.55, "Europe/Berlin", 29000}}, std::nullopt, std::nullopt},
        {{gardens}, 2, std::nullopt},
        {{}, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto chosen = ChooseAtlasPlace("Spring", c.rows, c.index);
        if (c.chosen) {
            ASSERT_TRUE(std::holds_alternative<AtlasPlaceRow>(chosen)) << std::get<std::string>(chosen);
            EXPECT_EQ(std::get<AtlasPlaceRow>(chosen), *c.chosen);
        } else {
            ASSERT_TRUE(std::holds_alternative<std::string>(chosen));
            // The message lists every match, numbered as --place-index counts.
            for (std::size_t i = 0; i < c.rows.size(); ++i) {
                EXPECT_NE(std::get<std::string>(chosen).find(std::to_string(i + 1) + ". " + AtlasPlaceRowSummary(c.rows[i])),
                          std::string::npos)
                    << std::get<std::string>(chosen);
            }
        }
    }
    EXPECT_EQ(AtlasPlaceRowSummary(missouri), "Springfield | Missouri | United States | 37N13 93W18 | America/Chicago");

    // The rows the atlas prints read back as written; a damaged one is not a place.
    EXPECT_EQ(ParseAtlasPlaceRow(AtlasPlaceRowText(missouri)), missouri);
    EXPECT_FALSE(ParseAtlasPlaceRow("1\tSpringfield\tMissouri\tUnited States\t97.2\t-93.3\tAmerica/Chicago\t1"));
    EXPECT_FALSE(ParseAtlasPlaceRow("1\tSpringfield\tMissouri\tUnited States\t37.2\t-93.3\tAmerica/Chicago"));
}

TEST(FindRecordByName, CaseIgnoredOneMatchOnly) {
    const std::vector<NameRecord> records{
        {"Ann", "01 Jul 1980", "3.15", "P", "-1", "-013.25", "52.31"},
        {"Bob", "13 Jan 1950", "8.30", "A", "5", "074.00", "40.43"},
        {"BOB", "14 Jan 1950", "8.30", "A", "5", "074.00", "40.43"},
    };
    EXPECT_EQ(std::get<NameRecord>(FindRecordByName(records, "aNN")), records[0]);
    EXPECT_EQ(std::get<std::string>(FindRecordByName(records, "Cy")), "no record named \"Cy\"");
    EXPECT_EQ(std::get<std::string>(FindRecordByName(records, "bob")),
              "2 records are named \"bob\":\n  Bob,13 Jan 1950,8.30,A,5,074.00,40.43\n  BOB,14 Jan 1950,8.30,A,5,074.00,40.43");
}

}  // namespace
}  // namespace orrerion
