// The dates of exact aspect and the sorted-by-date files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/aspects/report_files.h"
#include "core/aspects/report_sorting.h"
#include "scan_fixture.h"
#include "test_paths.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;
using testing::MadeUpScan;
using testing::Parked;

struct BeepCounter : ScanObserver {
    int beeps = 0;
    void Beep() override { ++beeps; }
};

struct ExactListing {
    std::vector<std::string> lines;  // the listed lines after header, title and empty line
    std::vector<std::string> dataLines;
    int beeps = 0;
};

// The transit-to-natal pass over the made-up scan, then the exact-date listing.
ExactListing ListExactDates(const std::vector<double>& sun, float orb = 1) {
    const fs::path dir = testing::MakeTempDir();
    const ChartState chart = testing::HeaderChart("Test Person");
    const Options options = testing::ScanOptions(orb);
    OutputBuffers out;
    BeepCounter observer;
    {
        ReportSet files(dir, "T");
        const ScanResult result = testing::PassDays(MadeUpScan(sun), chart, options, files);
        WriteExactDates(result, chart, files.ExactDates(), out, observer);
        EXPECT_TRUE(files.ExactDates().Finish().ok);
        EXPECT_TRUE(files.Publish().ok);  // a file of the set appears with the set
    }
    ExactListing r;
    r.beeps = observer.beeps;
    r.dataLines = out.DataLines.ToVector();
    const std::vector<std::string> lines = testing::ReportFileLines(dir / "T_ex.txt", 0);
    EXPECT_EQ(lines.at(4), "Transit to natal planet aspects - dates of exact aspect");
    r.lines.assign(lines.begin() + 6, lines.end());
    return r;
}

// Parked days around `distances`, which start on day `first`.
std::vector<double> Around(int first, const std::vector<double>& distances, int after = 2) {
    std::vector<double> sun(static_cast<std::size_t>(first), Parked);
    sun.insert(sun.end(), distances.begin(), distances.end());
    sun.insert(sun.end(), static_cast<std::size_t>(after), Parked);
    return sun;
}

TEST(ExactDates, ListsTheDayOfTheSmallestDistance) {
    // 0.9, 0.5, 0.1, 0.4, 0.8 on days 8..12: exact on day 10 at 0.10.
    const ExactListing r = ListExactDates(Around(8, {0.9, 0.5, 0.1, 0.4, 0.8}));
    EXPECT_EQ(r.lines, std::vector<std::string>{
                           "SUN     at 00ari06(10) conjunct   SUN     at 00ari00( 7),  04 Jan 00 - 0.10 deg."});
    EXPECT_EQ(r.beeps, 1);
    EXPECT_EQ(r.dataLines,
              (std::vector<std::string>{"", "", "  Transit to natal planet aspects - dates of exact aspect", "",
                                        "  " + r.lines.at(0)}));
}

TEST(ExactDates, AStationGivesTwoMinimaAndEachCandidateBeeps) {
    // Falls to 0.3, rises to 0.7, falls to 0.2 and rises: two exact dates in day order.
    const ExactListing r = ListExactDates(Around(1, {0.6, 0.3, 0.5, 0.7, 0.4, 0.2, 0.6}));
    EXPECT_EQ(r.lines, (std::vector<std::string>{
                           "SUN     at 00ari18(10) conjunct   SUN     at 00ari00( 7),  27 Dec 99 - 0.30 deg.",
                           "SUN     at 00ari12(10) conjunct   SUN     at 00ari00( 7),  31 Dec 99 - 0.20 deg."}));
    EXPECT_EQ(r.beeps, 2);
}

TEST(ExactDates, EdgesOfTheSearch) {
    // A minimum of 1.00 or more is not listed, but still beeps.
    ExactListing r = ListExactDates(Around(1, {1.5, 1.2, 1.4}), 2);
    EXPECT_TRUE(r.lines.empty());
    EXPECT_EQ(r.beeps, 1);
    // Exactly 1 is not under one degree either.
    r = ListExactDates(Around(1, {1.5, 1.0, 1.4}), 2);
    EXPECT_TRUE(r.lines.empty());
    EXPECT_EQ(r.beeps, 1);
    // Still approaching on the last day: nothing, not even a beep.
    r = ListExactDates(Around(2, {0.9, 0.5, 0.2}, 0));
    EXPECT_TRUE(r.lines.empty());
    EXPECT_EQ(r.beeps, 0);
    // Smallest on the first day, growing after: dated the first scanned day.
    r = ListExactDates(Around(0, {0.1, 0.4, 0.8}));
    EXPECT_EQ(r.lines, std::vector<std::string>{
                           "SUN     at 00ari06(10) conjunct   SUN     at 00ari00( 7),  25 Dec 99 - 0.10 deg."});
    // Leaving the orb while still approaching: the last day in orb is the candidate.
    r = ListExactDates(Around(1, {0.9, 0.6}));
    EXPECT_EQ(r.lines, std::vector<std::string>{
                           "SUN     at 00ari36(10) conjunct   SUN     at 00ari00( 7),  27 Dec 99 - 0.60 deg."});
    // Equal distances on two days: the first of them, reported when the distance stops falling.
    r = ListExactDates(Around(1, {0.7, 0.3, 0.3, 0.6}));
    EXPECT_EQ(r.lines, std::vector<std::string>{
                           "SUN     at 00ari18(10) conjunct   SUN     at 00ari00( 7),  27 Dec 99 - 0.30 deg."});
    EXPECT_EQ(r.beeps, 1);
}

TEST(ExactSearch, FollowsTheDistancesDayByDay) {
    // The search of one cell fed every day, including days out of orb.
    struct Step {
        float distance;
        bool reported;
        float smallest;
        int day;
    };
    ExactSearch s;
    const std::vector<Step> steps = {
        {100, false, 100, 0},  {0.5f, false, 0.5f, 1}, {0.2f, false, 0.2f, 2},
        {0.4f, true, 0.2f, 2},  // stopped falling: candidate 0.2 on day 2
        {0.6f, false, 0.6f, 2},  // rising: followed
        {0.3f, false, 0.3f, 5}, {100, true, 0.3f, 5},  // out of orb after a second minimum
        {100, false, 100, 5},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const bool reported = s.Step(steps[i].distance, static_cast<int>(i));
        EXPECT_EQ(reported, steps[i].reported) << "day " << i;
        EXPECT_EQ(s.smallest, steps[i].smallest) << "day " << i;
        EXPECT_EQ(s.day, steps[i].day) << "day " << i;
    }
    EXPECT_TRUE(s.Settled());
}

TEST(SortedByDate, OrderByFirstDayKeepsTheOrderOfEqualDays) {
    EXPECT_EQ(OrderByFirstDay({3, 0, 3, -1, 1, 0}, 5), (std::vector<std::size_t>{1, 5, 4, 0, 2}));
    EXPECT_TRUE(OrderByFirstDay({}, 5).empty());
}

// The sorted-by-planet and sorted-by-date files of the made-up scan's transits to natal.
struct SortedFiles {
    std::string txt, asc;
    std::vector<std::string> dataLines;
};

SortedFiles SortByDate(const std::vector<double>& sun) {
    const fs::path dir = testing::MakeTempDir();
    const ChartState chart = testing::HeaderChart("Test Person");
    const Options options = testing::ScanOptions(1);
    const FamilyInfo& family = FamilyOf(AspectFamily::TransitToNatal);
    OutputBuffers out;
    ScanObserver observer;
    {
        ReportSet files(dir, "T");
        const ScanResult result = testing::PassDays(MadeUpScan(sun), chart, options, files, 2);
        WriteSortedByPlanet(result, family, chart, options, files.SortedByPlanet(family.family), out,
                            observer);
        EXPECT_TRUE(files.SortedByPlanet(family.family).Finish().ok);
        out = OutputBuffers{};
        WriteSortedByDate(result, family, chart, files.SortedByDate(family.family), out);
        EXPECT_TRUE(files.SortedByDate(family.family).Finish().ok);
        EXPECT_TRUE(files.Publish().ok);  // the files of the set appear with the set
    }
    return {testing::ReadWholeFile(dir / "T_tn.txt"), testing::ReadWholeFile(dir / "T_tn.asc"),
            out.DataLines.ToVector()};
}

const std::string Header =
    "Test Person\r\n13 Jan 1950    TZ = 5.0      8.30 A.M.   40.43 NORTH    74.00 WEST\r\n"
    "Diurnal date = 25 Dec 1999\r\n\r\n";

TEST(SortedByDate, SortsAcrossTheTurnOfTheCenturyAndKeepsSameDayOrder) {
    // From 25 Dec 1999: SUN conjunct natal SUN from day 0 and again from day 8 (02 Jan 00);
    // conjunct natal MERCURY and VENUS (both at 20) from day 3 (28 Dec 99).
    const SortedFiles f = SortByDate({0.5, Parked, Parked, 20, 20.5, Parked, Parked, Parked, 0.2,
                                      0.3, Parked, Parked});
    const std::string sun0 = "SUN     00ari30(10)-00ari30(10) conjunct   SUN     00ari00( 7), <25 Dec 99-25 Dec 99";
    const std::string sun8 = "SUN     00ari12(10)-00ari18(10) conjunct   SUN     00ari00( 7),  02 Jan 00-03 Jan 00";
    const std::string mercury = "SUN     20ari00(10)-20ari30(10) conjunct   MERCURY 20ari00( 7),  28 Dec 99-29 Dec 99";
    const std::string venus = "SUN     20ari00(10)-20ari30(10) conjunct   VENUS   20ari00( 7),  28 Dec 99-29 Dec 99";
    EXPECT_EQ(f.txt, Header + "Transit to natal planet aspects - sorted by planet\r\n\r\n" + sun0 +
                         "\r\n" + sun8 + "\r\n" + mercury + "\r\n" + venus + "\r\n");
    EXPECT_EQ(f.asc, Header + "Transit to natal planet aspects - sorted by date\r\n\r\n" + sun0 +
                         "\r\n" + mercury + "\r\n" + venus + "\r\n" + sun8 + "\r\n");
    EXPECT_EQ(f.dataLines, (std::vector<std::string>{"", "", "  Transit to natal planet aspects - sorted by date", "",
                                                     "  " + sun0, "  " + mercury, "  " + venus, "  " + sun8}));
}

// The widest lines the reports print: the longest point and aspect names, and for the run line a
// progressed target with the places of its first and last day and open ends. Each is built in a
// buffer sized from its fields, so a line one field wider would stop rather than overrun it.
TEST(ReportLines, TheWidestExactAndRunLinesAreWhole) {
    ScanResult result;
    result.DiurnalJD = 2450453.5;  // 5 January 1997, 0h UT
    result.ScanDays = 10;
    result.natal[MERCURY - 1] = MakePlaceCode({10, 14, 50}, '1', '0');
    ScanRun run;
    run.family = AspectFamily::ProgressedToProgressed;
    run.mover = MERCURY;
    run.AspectCode = 7;  // ses.square
    run.target = MERCURY;
    run.firstDay = 0;
    run.lastDay = 4;
    run.continuesBefore = run.continuesAfter = true;
    run.moverFirst = MakePlaceCode({1, 15, 23}, '1', '0');
    run.moverLast = MakePlaceCode({1, 17, 2}, '1', '1');
    run.targetFirst = MakePlaceCode({10, 14, 50}, '1', '2');
    run.targetLast = MakePlaceCode({10, 14, 52}, ' ', '9');
    result.runs.push_back(run);
    const ExactDate exact{3, 0.5f, 0, run.moverFirst};

    const std::string runLine = RunLine(result, run);
    EXPECT_EQ(runLine,
              "MERCURY 15ari23(10)-17ari02(11) ses.square MERCURY 14cpr50(12)-14cpr52( 9), "
              "<05 Jan 97-09 Jan 97>");
    EXPECT_EQ(runLine.size(), 97u);
    EXPECT_EQ(ExactLine(result, exact),
              "MERCURY at 15ari23(10) ses.square MERCURY at 14cpr50(10),  08 Jan 97 - 0.50 deg.");
}

TEST(SortedByDate, AFileWithoutRunsGivesHeaderTitleAndEmptyLine) {
    const SortedFiles f = SortByDate({Parked, Parked, Parked});
    EXPECT_EQ(f.asc, Header + "Transit to natal planet aspects - sorted by date\r\n\r\n");
}

}  // namespace
}  // namespace orrerion
