// The chart command with births written as people write them: an ISO date-time with a zone name
// (its offsets from tzdata), a fixed offset or local mean time, a place by its coordinates or
// from the atlas, a record of the names file by its name. Each gives exactly the chart of the
// record it shows on stderr, and that record is the one a person would type.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "json_lite.h"
#include "test_paths.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;
using testing::RunCli;

const std::string Diurnal = ",07 Dec 2026,12.00,P,5,074.00,40.43";

std::vector<std::string> Chart(std::vector<std::string> moment) {
    std::vector<std::string> args{"chart", "--options", (testing::GoldenDir() / "options/OPTIONS_default.OPT").string(),
                                  "--date-order", "0", "--json"};
    args.insert(args.end(), moment.begin(), moment.end());
    return args;
}

// Where two charts' JSON differ: a number by more than 0.0001 (angles modulo 360), a text at all.
std::string ChartDifferences(const std::string& expectedJson, const std::string& actualJson) {
    const auto expected = testing::ParseFlatJson(expectedJson);
    const auto actual = testing::ParseFlatJson(actualJson);
    std::string differences;
    auto compare = [&](const std::string& key, double want, double got) {
        const double d = std::fabs(want - got);
        if (std::min(d, std::fabs(d - 360)) > 1e-4) {
            differences += key + ": expected " + std::to_string(want) + " actual " + std::to_string(got) + "\n";
        }
    };
    if (actual.size() != expected.size()) return "the charts have different keys\n";
    for (const auto& [key, want] : expected) {
        const testing::JsonValue& got = actual.at(key);
        if (got.text != want.text) differences += key + ": expected \"" + want.text + "\" actual \"" + got.text + "\"\n";
        if (want.kind == testing::JsonValue::Kind::Number) compare(key, want.number, got.number);
        if (got.numbers.size() != want.numbers.size()) {
            differences += key + ": a different count\n";
            continue;
        }
        for (std::size_t i = 0; i < want.numbers.size(); ++i) {
            compare(key + "[" + std::to_string(i) + "]", want.numbers[i], got.numbers[i]);
        }
    }
    return differences;
}

struct BirthCase {
    const char* what;  // the place and moment, and where the expected offset comes from
    std::vector<std::string> friendly;
    const char* record;  // the natal record a person would type for it
};

TEST(ChartFromBirthForms, EachGivesTheChartOfItsRecord) {
    const BirthCase cases[] = {
        {"New York 1950: EST, tzdata northamerica America/New_York",
         {"--name", "John Smith", "--birth", "1950-01-13T08:30", "--tz", "America/New_York", "--lat", "40N43", "--lon", "74W00"},
         "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43"},
        {"the same with a fixed offset written -0500 and decimal degrees",
         {"--name", "John Smith", "--birth", "1950-01-13T08:30:00", "--tz", "-0500", "--lat", "40.7167", "--lon", "-74"},
         "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43"},
        {"Paris 1942: German war time CEST all winter, tzdata europe Rule C-Eur 1940 Apr 1 to 1942 Nov 2",
         {"--birth", "1942-03-10T14:45", "--tz", "Europe/Paris", "--lat", "48N51", "--lon", "2E21"},
         ",10 Mar 1942,2.45,P,-2,-002.21,48.51"},
        {"London 1969: British Standard Time +1 (tzdata europe, 1968 Oct 27 to 1971 Oct 31) at 0W07, "
         "which the zone sign rule cannot hold: UT with zone 0",
         {"--birth", "1969-07-20T21:17", "--tz", "Europe/London", "--lat", "51N30", "--lon", "0W07"},
         ",20 Jul 1969,8.17,P,0,000.07,51.30"},
        {"London 1970: British Standard Time in winter too, and the UT moment falls in 1969",
         {"--birth", "1970-01-01T00:30", "--tz", "Europe/London", "--lat", "51N30", "--lon", "0W07"},
         ",31 Dec 1969,11.30,P,0,000.07,51.30"},
        {"Kolkata 1945: war time +6:30, tzdata asia Asia/Kolkata 1942 May 15 to 1945 Oct 15",
         {"--birth", "1945-08-15T06:00", "--tz", "Asia/Kolkata", "--lat", "22N34", "--lon", "88E22"},
         ",15 Aug 1945,6.00,A,-6.5,-088.22,22.34"},
        {"Kathmandu 1980: +5:30, tzdata asia Asia/Kathmandu until 1986 (+5:45 after)",
         {"--birth", "1980-06-01T06:00", "--tz", "Asia/Kathmandu", "--lat", "27N42", "--lon", "85E19"},
         ",01 Jun 1980,6.00,A,-5.5,-085.19,27.42"},
        {"Lord Howe Island 1990: 10:30 with half an hour of daylight saving, tzdata australasia Rule LH",
         {"--birth", "1990-01-01T12:00", "--tz", "Australia/Lord_Howe", "--lat", "-31.55", "--lon", "159E05"},
         ",01 Jan 1990,12.00,P,-11,-159.05,-31.33"},
        {"the hour New York repeated on 2021-11-07 (tzdata Rule US Nov Sun>=1): EDT, the earlier",
         {"--birth", "2021-11-07T01:30", "--tz", "America/New_York", "--lat", "40N43", "--lon", "74W00"},
         ",07 Nov 2021,1.30,A,4,074.00,40.43"},
        {"the same hour, the later occurrence: EST",
         {"--birth", "2021-11-07T01:30", "--fold", "later", "--tz", "America/New_York", "--lat", "40N43", "--lon", "74W00"},
         ",07 Nov 2021,1.30,A,5,074.00,40.43"},
        {"Boston 1850, before standard time (tzdata: New York's LMT until 1883): Boston's own mean time, "
         "71W04 / 15 = 4h44m16s",
         {"--birth", "1850-06-01T09:00", "--tz", "America/New_York", "--lat", "42N21", "--lon", "71W04"},
         ",01 Jun 1850,9.00,A,4.737778,071.04,42.21"},
    };
    const auto byRecord = RunCli(Chart({"--natal", cases[0].record, "--diurnal", Diurnal}));
    for (const BirthCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> friendly = c.friendly;
        friendly.insert(friendly.end(), {"--diurnal", Diurnal});
        const auto fromForm = RunCli(Chart(friendly));
        const auto fromRecord = RunCli(Chart({"--natal", c.record, "--diurnal", Diurnal}));
        ASSERT_EQ(fromForm.status, 0) << fromForm.err;
        ASSERT_EQ(fromRecord.status, 0) << fromRecord.err;
        EXPECT_NE(fromForm.err.find(std::string("orrerion-cli chart: natal record: ") + c.record + "\n"), std::string::npos)
            << fromForm.err;
        EXPECT_EQ(ChartDifferences(fromRecord.out, fromForm.out), "");
        // The record form shows no record: its output is as before.
        EXPECT_EQ(fromRecord.err.find("record:"), std::string::npos) << fromRecord.err;
    }
    // The comparison can tell charts apart: an hour's difference is seen.
    const auto hourLater = RunCli(Chart({"--natal", "John Smith,13 Jan 1950,8.30,A,4,074.00,40.43", "--diurnal", Diurnal}));
    EXPECT_NE(ChartDifferences(byRecord.out, hourLater.out), "");
}

// The diurnal moment in the same forms: its place and zone default to the birth's.
TEST(ChartFromBirthForms, DiurnalMomentFollowsTheSameRules) {
    const std::vector<std::string> birth{"--birth", "1950-01-13T08:30", "--tz", "America/New_York", "--lat", "40N43",
                                         "--lon", "74W00"};
    struct Case { std::vector<std::string> diurnal; const char* record; };
    const Case cases[] = {
        {{"--at", "2026-12-07T12:00"}, ",07 Dec 2026,12.00,P,5,074.00,40.43"},
        {{"--at", "2026-07-07T12:00"}, ",07 Jul 2026,12.00,P,4,074.00,40.43"},
        {{"--at", "2026-07-07T12:00", "--at-tz", "Europe/Paris", "--at-lat", "48N51", "--at-lon", "2E21"},
         ",07 Jul 2026,12.00,P,-2,-002.21,48.51"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = birth;
        args.insert(args.end(), c.diurnal.begin(), c.diurnal.end());
        const auto fromForm = RunCli(Chart(args));
        const auto fromRecord = RunCli(Chart({"--natal", ",13 Jan 1950,8.30,A,5,074.00,40.43", "--diurnal", c.record}));
        ASSERT_EQ(fromForm.status, 0) << fromForm.err;
        EXPECT_NE(fromForm.err.find(std::string("diurnal record: ") + c.record + "\n"), std::string::npos) << fromForm.err;
        EXPECT_EQ(fromForm.out, fromRecord.out);
    }
}

// Refusals are one line with status 2: a time the clocks skipped, a zone the database lacks,
// forms that do not go together. Values may begin with "-".
TEST(ChartFromBirthForms, RefusesWhatCannotBeAMoment) {
    const std::vector<std::string> place{"--lat", "40N43", "--lon", "74W00", "--diurnal", Diurnal};
    struct Case { std::vector<std::string> args; const char* message; };
    const Case cases[] = {
        {{"--birth", "2021-03-14T02:30", "--tz", "America/New_York"},
         "natal moment: 2021-03-14 02:30 did not exist in America/New_York: the clocks went from EST, UTC-05:00 to "
         "EDT, UTC-04:00 over it"},
        {{"--birth", "2021-03-14T02:30", "--tz", "Mars/Olympus"}, "--tz: \"Mars/Olympus\" is not a time zone"},
        {{"--birth", "13 Jan 1950", "--tz", "UTC"}, "--birth: \"13 Jan 1950\" is not a local date"},
        {{"--birth", "1950-01-13T08:30"}, "natal zone: give --tz ZONE or --place NAME"},
        {{"--birth", "1950-01-13T08:30", "--tz", "-0500", "--natal", "x,13 Jan 1950,8.30,A,5,074.00,40.43"},
         "give the natal moment once"},
        {{"--tz", "-0500"}, "the natal zone and place options need --birth"},
        {{"--birth", "1950-01-13T08:30", "--tz", "-0500", "--fold", "middle"}, "--fold takes earlier or later"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), place.begin(), place.end());
        const auto r = RunCli(Chart(args));
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

// --natal-name reads the names file (case ignored) and gives the stored record's chart;
// --record-only prints the record that `names add` stores.
TEST(ChartFromBirthForms, NamesFileRecordsByNameAndRecordOnly) {
    const fs::path dir = testing::MakeTempDir();
    const fs::path names = dir / "PEOPLE.FIL";
    const std::string ann = "Ann,01 Jul 1980,3.15,P,-1,-013.25,52.31";
    testing::WriteWholeFile(names, ann + "\r\nBob,13 Jan 1950,8.30,A,5,074.00,40.43\r\nBOB,14 Jan 1950,8.30,A,5,074.00,40.43\r\n");

    const auto byName = RunCli(Chart({"--names", names.string(), "--natal-name", "aNN", "--diurnal", Diurnal}));
    const auto byRecord = RunCli(Chart({"--natal", ann, "--diurnal", Diurnal}));
    ASSERT_EQ(byName.status, 0) << byName.err;
    EXPECT_EQ(byName.out, byRecord.out);
    EXPECT_EQ(byName.err, "orrerion-cli chart: natal record: " + ann + "\n");

    const auto several = RunCli(Chart({"--names", names.string(), "--natal-name", "bob", "--diurnal", Diurnal}));
    EXPECT_EQ(several.status, 2);
    EXPECT_NE(several.err.find("2 records are named \"bob\""), std::string::npos) << several.err;
    const auto none = RunCli(Chart({"--names", names.string(), "--natal-name", "Cy", "--diurnal", Diurnal}));
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("no record named \"Cy\" in " + names.string()), std::string::npos) << none.err;

    const auto record = RunCli({"chart", "--record-only", "--name", "Cy", "--birth", "1945-08-15T06:00", "--tz",
                                "Asia/Kolkata", "--lat", "22N34", "--lon", "88E22"});
    ASSERT_EQ(record.status, 0) << record.err;
    EXPECT_EQ(record.out, "Cy,15 Aug 1945,6.00,A,-6.5,-088.22,22.34\n");
    const std::string line = record.out.substr(0, record.out.size() - 1);
    ASSERT_EQ(RunCli({"names", "add", names.string(), line}).status, 0);
    const auto stored = RunCli(Chart({"--names", names.string(), "--natal-name", "cy", "--diurnal", Diurnal}));
    ASSERT_EQ(stored.status, 0) << stored.err;
    EXPECT_EQ(stored.out, RunCli(Chart({"--natal", line, "--diurnal", Diurnal})).out);
}

// --place asks the atlas program beside orrerion-cli (ATLAS.EXE --places): here a stand-in that
// answers fixed rows, so that the choice among them is seen without the atlas's data.
TEST(ChartFromBirthForms, PlaceIsChosenAmongTheAtlasMatches) {
    const fs::path dir = testing::MakeTempDir();
    fs::copy_file(testing::CliPath(), dir / "orrerion-cli");
    fs::copy(testing::DataDir(), dir / "data", fs::copy_options::recursive);
    testing::WriteWholeFile(dir / "ATLAS.EXE",
                            "#!/bin/sh\n"
                            "[ \"$1\" = --places ] || exit 9\n"
                            "case \"$2\" in\n"
                            "Springfield) printf '1\\tSpringfield\\tIllinois\\tUnited States\\t39.801720\\t-89.643710\\t"
                            "America/Chicago\\t116565\\n1\\tSpringfield\\tMissouri\\tUnited States\\t37.215330\\t-93.298240\\t"
                            "America/Chicago\\t166810\\n0\\tSpringfield Gardens\\tNew York\\tUnited States\\t40.663120\\t"
                            "-73.762210\\tAmerica/New_York\\t30515\\n';;\n"
                            "Springf) printf '0\\tSpringfield Gardens\\tNew York\\tUnited States\\t40.663120\\t-73.762210\\t"
                            "America/New_York\\t30515\\n0\\tWest Springfield\\tMassachusetts\\tUnited States\\t42.107040\\t"
                            "-72.620370\\tAmerica/New_York\\t27912\\n';;\n"
                            "esac\n");
    fs::permissions(dir / "ATLAS.EXE", fs::perms::owner_all);
    auto run = [&](std::vector<std::string> place) {
        std::vector<std::string> args{"chart", "--record-only", "--birth", "1990-01-01T12:00"};
        args.insert(args.end(), place.begin(), place.end());
        return testing::RunProgram(dir / "orrerion-cli", args);
    };
    struct Case { std::vector<std::string> place; int status; const char* out; const char* err; };
    const Case cases[] = {
        // The most populous of the places named exactly so, with its zone.
        {{"--place", "Springfield"}, 0, ",01 Jan 1990,12.00,P,6,093.18,37.13\n",
         "natal place: Springfield | Missouri | United States | 37N13 93W18 | America/Chicago"},
        // A zone given stands before the place's.
        {{"--place", "Springfield", "--tz", "UTC"}, 0, ",01 Jan 1990,12.00,P,0,093.18,37.13\n", "fixed offset UTC+00:00"},
        {{"--place", "Springf"}, 2, "",
         "2 places match \"Springf\" and none by its whole name; choose one by its number:\n"
         "  1. Springfield Gardens | New York | United States | 40N40 73W46 | America/New_York\n"
         "  2. West Springfield | Massachusetts | United States | 42N06 72W37 | America/New_York\n"},
        {{"--place", "Springf", "--place-index", "2"}, 0, ",01 Jan 1990,12.00,P,5,072.37,42.06\n",
         "natal place: West Springfield"},
        {{"--place", "Atlantis"}, 2, "", "no place of the atlas matches \"Atlantis\""},
    };
    for (const Case& c : cases) {
        const auto r = run(c.place);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, c.out);
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace orrerion
