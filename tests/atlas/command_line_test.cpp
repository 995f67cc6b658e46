// The atlas program's arguments, its console mode, and `orrerion-cli atlas`, which runs it.
#include <gtest/gtest.h>

#include <QProcess>

#include "atlas_command_line.h"
#include "atlas_places.h"
#include "test_paths.h"

namespace orrerion::atlas {
namespace {

TEST(ParseAtlasArguments, ReadsDateTimeAndTheListQuery) {
    AtlasArguments a = ParseAtlasArguments({"--date", "1950-07-01", "--time", "08:05"});
    EXPECT_TRUE(a.error.isEmpty()) << a.error.toStdString();
    EXPECT_FALSE(a.list);
    EXPECT_EQ(a.date, QDate(1950, 7, 1));
    EXPECT_EQ(a.time, QTime(8, 5));

    a = ParseAtlasArguments({"--list", "New", "York", "--time", "23:59"});
    EXPECT_TRUE(a.error.isEmpty());
    EXPECT_TRUE(a.list);
    EXPECT_EQ(a.query, "New York");
    EXPECT_FALSE(a.date.isValid());
    EXPECT_EQ(a.time, QTime(23, 59));

    // The folder the window writes its result into, as the desktop program passes it.
    a = ParseAtlasArguments({"--out", "/home/ann/.local/share/Orrerion", "--date", "1950-07-01"});
    EXPECT_TRUE(a.error.isEmpty());
    EXPECT_EQ(a.outDir, "/home/ann/.local/share/Orrerion");
    EXPECT_TRUE(ParseAtlasArguments({"--date", "1950-07-01"}).outDir.isEmpty());

    struct Bad { QStringList args; const char* error; };
    const Bad bad[] = {
        {{"--date", "1950-13-01"}, "'1950-13-01' is not a date YYYY-MM-DD"},
        {{"--time", "8:05 PM"}, "'8:05 PM' is not a time HH:MM"},
        {{"--time", "24:00"}, "'24:00' is not a time HH:MM"},
        {{"--list", "Boston", "--date"}, "--date needs a value"},
        {{"--out"}, "--out needs a folder"},
        {{"--zone", "5"}, "unknown option '--zone'"},
        {{"Boston"}, "unexpected argument 'Boston'"},
    };
    for (const Bad& b : bad) {
        EXPECT_EQ(ParseAtlasArguments(b.args).error.toStdString(), b.error) << b.args.join(' ').toStdString();
    }
}

struct Listed {
    int status;
    QString out, err;
};

Listed List(const QStringList& args) {
    Listed r;
    QTextStream out(&r.out), err(&r.err);
    r.status = RunAtlasList(testing::GeonamesIndex(), ParseAtlasArguments(args), out, err);
    return r;
}

TEST(RunAtlasList, PrintsEachMatchWithCodesZoneNameAndTheOffsetInForce) {
    const Listed r = List({"--list", "Boston", "--date", "1950-07-01", "--time", "12:00"});
    EXPECT_EQ(r.status, 0);
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], "Places matching \"Boston\" at 1950-07-01 12:00 local time (zone in hours west of Greenwich):");
    EXPECT_EQ(lines[1], "Boston | Massachusetts | United States of America | 42N22 71W04 | America/New_York | "
                        "zone 4 (EDT, UTC-04:00, daylight saving time)");
    EXPECT_EQ(lines[2], "Boston | England | United Kingdom | 52N59 0W02 | Europe/London | "
                        "zone -1 (BST, UTC+01:00, daylight saving time)");
}

TEST(RunAtlasList, PrintsBothOffsetsAtAClockChangeAndTheMeanTimeBeforeStandardTime) {
    Listed r = List({"--list", "Sydney", "new", "south", "--date", "2021-04-04", "--time", "02:30"});
    EXPECT_NE(r.out.indexOf("02:30 occurs twice here: the clocks went back over it. First zone -11 (AEDT, "
                            "UTC+11:00, daylight saving time), then zone -10 (AEST, UTC+10:00, standard time)."),
              -1)
        << r.out.toStdString();
    r = List({"--list", "Sydney", "new", "south", "--date", "1880-01-01", "--time", "12:00"});
    EXPECT_NE(r.out.indexOf("zone -10.083333 (local mean time, longitude / 15, UTC+10:05): before standard time "
                            "here, the place's own local mean time."),
              -1)
        << r.out.toStdString();
}

TEST(RunAtlasList, ReportsNoMatchAndRefusesAnEmptyQuery) {
    Listed r = List({"--list", "Xqzzyville"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "No place matches \"Xqzzyville\".\n");
    r = List({"--list"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_FALSE(r.err.isEmpty());
}

TEST(RunAtlasList, SaysHowManyMoreMatchedThanItPrints) {
    const Listed r = List({"--list", "san", "--date", "2000-01-01", "--time", "12:00"});
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(1 + ListedMatches + 1));
    EXPECT_TRUE(lines.last().startsWith("... and ")) << lines.last().toStdString();
}

TEST(OrrerionCliAtlas, RunsTheAtlasBesideItAndPassesItsOutputOn) {
    const auto r = orrerion::testing::RunCli({"atlas", "Kolkata", "--date", "1980-01-15", "--time", "12:00"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Places matching \"Kolkata\" at 1980-01-15 12:00 local time (zone in hours west of Greenwich):\n"
              "Kolkata | State of West Bengal | India | 22N34 88E22 | Asia/Kolkata | "
              "zone -5.5 (IST, UTC+05:30, standard time)\n");

    const auto bad = orrerion::testing::RunCli({"atlas", "Kolkata", "--date", "15.1.1980"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("'15.1.1980' is not a date YYYY-MM-DD"), std::string::npos) << bad.err;

    // Matches that cannot be written are a failure, not a success.
    const auto full = orrerion::testing::RunCli({"atlas", "Kolkata"}, "/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find("ATLAS.EXE: cannot write to standard output"), std::string::npos) << full.err;
}

// --places prints every match as a row for orrerion-cli, the names equal to the query marked;
// orrerion-cli's --place takes the largest of those, with its coordinates and zone, and gives
// the chart of the record a person would type for New York.
TEST(OrrerionCliPlace, FindsTheAtlasPlaceAndGivesTheChartOfItsRecord) {
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    ASSERT_EQ(RunAtlasPlaces(testing::GeonamesIndex(), ParseAtlasArguments({"--places", "Kolkata"}), outStream, errStream), 0);
    EXPECT_EQ(out.toStdString(),
              "1\tKolkata\tState of West Bengal\tIndia\t22.562630\t88.363040\tAsia/Kolkata\t4631392\n");

    const std::string options = (orrerion::testing::GoldenDir() / "options/OPTIONS_default.OPT").string();
    const auto byPlace = orrerion::testing::RunCli({"chart", "--options", options, "--date-order", "0", "--name",
                                                    "John Smith", "--birth", "1950-01-13T08:30", "--place", "New York",
                                                    "--at", "2026-12-07T12:00"});
    const auto byRecord = orrerion::testing::RunCli({"chart", "--options", options, "--date-order", "0", "--natal",
                                                     "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43", "--diurnal",
                                                     ",07 Dec 2026,12.00,P,5,074.00,40.43"});
    ASSERT_EQ(byPlace.status, 0) << byPlace.err;
    EXPECT_EQ(byPlace.out, byRecord.out);
    EXPECT_EQ(byPlace.err,
              "orrerion-cli chart: natal place: New York | New York | United States of America | 40N43 74W00 | "
              "America/New_York\n"
              "orrerion-cli chart: natal zone: America/New_York: EST, UTC-05:00\n"
              "orrerion-cli chart: natal record: John Smith,13 Jan 1950,8.30,A,5,074.00,40.43\n"
              "orrerion-cli chart: diurnal zone: America/New_York: EST, UTC-05:00\n"
              "orrerion-cli chart: diurnal record: ,07 Dec 2026,12.00,P,5,074.00,40.43\n");
}

TEST(OrrerionCliAtlas, SaysSoWhenTheAtlasProgramIsMissing) {
    const auto dir = orrerion::testing::MakeTempDir();
    const auto cli = dir / "orrerion-cli";
    std::filesystem::copy_file(orrerion::testing::CliPath(), cli);
    QProcess process;
    process.start(QString::fromStdString(cli.string()), {"atlas", "Boston"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
    EXPECT_NE(process.readAllStandardError().indexOf(QByteArray("cannot find ") + (dir / "ATLAS.EXE").c_str()), -1);
}

}  // namespace
}  // namespace orrerion::atlas
