// Report file names and header, the listed-by-day file and the runs of the sorted-by-planet file.
#include <gtest/gtest.h>

#include <algorithm>
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

TEST(ReportStem, IsTheFirstWordCutToFiveCharacters) {
    struct Case {
        const char* name;
        const char* stem;
    };
    const std::vector<Case> cases = {
        {"Jonathan Smith", "Jonat"}, {"Ann Lee", "Ann"},  {"Now", "Now"},
        {"", ""},                    {" Lee", ""},        {"Bartholomew", "Barth"},
        {"Zoë Ann", "Zoë"},          {"Élodie Martin", "Élodi"},  // five letters, six bytes
        {"Ünal", "Ünal"},            {"Anne-Marie Roy", "Anne-"},
        {"../ab", ".._ab"},          {"a/b/c", "a_b_c"},  // never leaves the reports folder
    };
    for (const Case& c : cases) EXPECT_EQ(ReportStem(c.name), c.stem) << "'" << c.name << "'";
}

TEST(ReportHeader, HoldsNameNatalLineDiurnalDateAndAnEmptyLine) {
    const std::vector<std::string> header = ReportHeader(testing::HeaderChart("John Smith"));
    ASSERT_EQ(header.size(), 4u);
    EXPECT_EQ(header[0], "John Smith");
    EXPECT_EQ(header[1], "13 Jan 1950    TZ = 5.0      8.30 A.M.   40.43 NORTH    74.00 WEST");
    EXPECT_EQ(header[2], "Diurnal date = 25 Dec 1999");
    EXPECT_EQ(header[3], "");
}

// Everything the transit-to-natal listed-by-day and sorted-by-planet files hold, and the listing
// up to the sorted-by-planet lines.
struct TwoPasses {
    std::string doc, txt;
    std::vector<std::string> dataLines;
    ScanResult result;
};

TwoPasses RunTransitToNatal(const testing::MadeUpDays& scan, float orb = 1) {
    const fs::path dir = testing::MakeTempDir();
    const ChartState chart = testing::HeaderChart("Test Person");
    const Options options = testing::ScanOptions(orb);
    TwoPasses r;
    OutputBuffers out;
    ScanObserver observer;
    {
        ReportSet files(dir, "T");
        r.result = testing::PassDays(scan, chart, options, files);
        EXPECT_TRUE(WriteScanReports(r.result, chart, options, files, out, observer).ok);
    }
    r.doc = testing::ReadWholeFile(dir / "T_tn.doc");
    r.txt = testing::ReadWholeFile(dir / "T_tn.txt");
    // The listed-by-day file's two lines, the title, its empty line and the run lines.
    const std::size_t count = 4 + r.result.Runs(AspectFamily::TransitToNatal).size();
    const std::vector<std::string> lines = out.DataLines.ToVector();
    r.dataLines.assign(lines.begin(), lines.begin() + static_cast<long>(std::min(count, lines.size())));
    return r;
}

const std::string Header =
    "Test Person\r\n13 Jan 1950    TZ = 5.0      8.30 A.M.   40.43 NORTH    74.00 WEST\r\n"
    "Diurnal date = 25 Dec 1999\r\n\r\n";

TEST(ListedByDay, EveryDayHasItsDateLineAndEmptyLineWithOrWithoutHits) {
    const TwoPasses r = RunTransitToNatal(MadeUpScan({0.9, Parked, 20.25}));
    EXPECT_EQ(r.doc, Header +
                         "Transit to natal planet aspects - listed by day\r\n\r\n"
                         "25 Dec 1999:\r\n"
                         "SUN     00ari54 (10) conjunct   SUN     00ari00 ( 7)\r\n"
                         "\r\n"
                         "26 Dec 1999:\r\n"
                         "\r\n"
                         "27 Dec 1999:\r\n"
                         "SUN     20ari15 (10) conjunct   MERCURY 20ari00 ( 7)\r\n"
                         "SUN     20ari15 (10) conjunct   VENUS   20ari00 ( 7)\r\n"
                         "\r\n");
    // The hit line is 52 characters.
    EXPECT_EQ(std::string("SUN     00ari54 (10) conjunct   SUN     00ari00 ( 7)").size(), 52u);
}

TEST(ListedByDay, AddsTwoEmptyLinesAndSortedByPlanetItsTitleAndRunsToTheBuffers) {
    const TwoPasses r = RunTransitToNatal(MadeUpScan({0.9, Parked, 20.25}));
    const std::vector<std::string> expected = {
        "", "",  // listed by day
        "  Transit to natal planet aspects - sorted by planet", "",
        "  SUN     00ari54(10)-00ari54(10) conjunct   SUN     00ari00( 7), <25 Dec 99-25 Dec 99",
        "  SUN     20ari15(10)-20ari15(10) conjunct   MERCURY 20ari00( 7),  27 Dec 99-27 Dec 99>",
        "  SUN     20ari15(10)-20ari15(10) conjunct   VENUS   20ari00( 7),  27 Dec 99-27 Dec 99>",
    };
    EXPECT_EQ(r.dataLines, expected);
    EXPECT_EQ(r.txt, Header + "Transit to natal planet aspects - sorted by planet\r\n\r\n" +
                         expected[4].substr(2) + "\r\n" + expected[5].substr(2) + "\r\n" +
                         expected[6].substr(2) + "\r\n");
    // The first date starts in column 66.
    EXPECT_EQ(expected[4].substr(2).find("25 Dec 99"), 65u);
}

TEST(SortedByPlanet, RunsCarryTheirMarksAndEndWhereTheOrbIsLeft) {
    // In orb on every day: one run marked both ways, first and last positions from its own days.
    EXPECT_EQ(testing::CrLfLines(RunTransitToNatal(MadeUpScan({0.9, 0.5, 0.1, 359.8}, 2451544.5)).txt),
              std::vector<std::string>{"SUN     00ari54(10)-29pis48(10) conjunct   SUN     "
                                       "00ari00( 7), <01 Jan 00-04 Jan 00>"});
    // Only on the first day: "<" and no ">".
    EXPECT_EQ(testing::CrLfLines(RunTransitToNatal(MadeUpScan({0.5, Parked, Parked})).txt),
              std::vector<std::string>{"SUN     00ari30(10)-00ari30(10) conjunct   SUN     "
                                       "00ari00( 7), <25 Dec 99-25 Dec 99"});
    // One day scanned: both marks.
    EXPECT_EQ(testing::CrLfLines(RunTransitToNatal(MadeUpScan({0.5})).txt),
              std::vector<std::string>{"SUN     00ari30(10)-00ari30(10) conjunct   SUN     "
                                       "00ari00( 7), <25 Dec 99-25 Dec 99>"});
    // A retrograde that leaves the orb and comes back: two runs in day order, no marks.
    EXPECT_EQ(testing::CrLfLines(RunTransitToNatal(MadeUpScan({Parked, 0.9, 0.4, Parked, Parked, 0.6, Parked})).txt),
              (std::vector<std::string>{
                  "SUN     00ari54(10)-00ari24(10) conjunct   SUN     00ari00( 7),  26 Dec 99-27 Dec 99",
                  "SUN     00ari36(10)-00ari36(10) conjunct   SUN     00ari00( 7),  30 Dec 99-30 Dec 99"}));
    // A pair whose aspect changes from one day to the next ends one run and starts another:
    // with orbs of 2, 1.5 from the natal SUN is a conjunction, 29.5 and 28.5 semi-sextiles.
    const TwoPasses r = RunTransitToNatal(MadeUpScan({1.5, 29.5, 28.5, Parked}), 2);
    EXPECT_EQ(testing::CrLfLines(r.txt),
              (std::vector<std::string>{
                  "SUN     01ari30(10)-01ari30(10) conjunct   SUN     00ari00( 7), <25 Dec 99-25 Dec 99",
                  "SUN     29ari30(10)-28ari30(10) semi-sextl SUN     00ari00( 7),  26 Dec 99-27 Dec 99"}));
}

TEST(SortedByPlanet, ListsByMoverThenTargetThenAspectIndex) {
    // SUN conjunct SUN on day 0, SUN semi-sextile SUN on day 1 and SUN conjunct MERCURY on day 2:
    // index order puts the conjunction (0) before the semi-sextile (7) under the same target,
    // and target SUN before target MERCURY, whatever the days.
    const TwoPasses r = RunTransitToNatal(MadeUpScan({0.5, 30.5, 20.5, Parked}));
    const std::vector<std::string> lines = testing::CrLfLines(r.txt);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[0].find("conjunct   SUN"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("semi-sextl SUN"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find("conjunct   MERCURY"), std::string::npos) << lines[2];
    EXPECT_NE(lines[3].find("conjunct   VENUS"), std::string::npos) << lines[3];
}

TEST(ReportFile, AFileThatCannotBeWrittenIsReportedWithItsNameAndLeavesNothing) {
    const fs::path dir = testing::MakeTempDir();
    const fs::path missing = dir / "no such folder" / "X_tn.doc";
    ReportFile file(missing);
    file.WriteLine("text");
    const WriteResult r = file.Close();
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("X_tn.doc"), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("No such file"), std::string::npos) << r.message;

    // A failed rename keeps the old target and removes the temporary file.
    fs::create_directories(dir / "X_tn.txt");
    ReportFile blocked(dir / "X_tn.txt");
    blocked.WriteLine("text");
    EXPECT_FALSE(blocked.Close().ok);
    EXPECT_TRUE(fs::is_directory(dir / "X_tn.txt"));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(ReportFile, ReplacesAnOldFileWithCrLfLinesAndKeepsItUntilClosed) {
    const fs::path dir = testing::MakeTempDir();
    const fs::path path = dir / "Now_tn.doc";
    testing::WriteWholeFile(path, "old content");
    {
        ReportFile file(path);
        file.WriteLine("first");
        file.WriteLine("");
        file.Append("sec");
        file.Append('o');
        file.Append("nd");
        file.EndLine();
        EXPECT_EQ(testing::ReadWholeFile(path), "old content");
        ASSERT_TRUE(file.Close().ok);
    }
    EXPECT_EQ(testing::ReadWholeFile(path), "first\r\n\r\nsecond\r\n");
    {
        // Dropped without Close: the target is untouched and no temporary file remains.
        ReportFile abandoned(path);
        abandoned.WriteLine("never");
    }
    EXPECT_EQ(testing::ReadWholeFile(path), "first\r\n\r\nsecond\r\n");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++entries;
    EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace orrerion
