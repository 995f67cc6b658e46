// The scan command against the approved cases of tests/golden/scan: the sixteen report files byte
// for byte, the data window's lines, the exit status; and what it does with a day count it does
// not scan.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "core/ephemeris/precise_ephemeris.h"
#include "test_paths.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;

std::set<std::string> FileNames(const fs::path& dir) { return testing::ReportFolderNames(dir); }

// The first line on which two texts differ, for a readable failure.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    std::size_t i = 0;
    while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) ++i;
    const std::size_t lineStart = expected.rfind('\n', i == 0 ? 0 : i - 1);
    const std::size_t from = lineStart == std::string::npos ? 0 : lineStart + 1;
    const int line = static_cast<int>(std::count(expected.begin(), expected.begin() + static_cast<long>(from), '\n')) + 1;
    auto lineAt = [from](const std::string& s) {
        const std::size_t end = s.find('\n', from);
        return from >= s.size() ? std::string("<end of file>") : s.substr(from, end - from);
    };
    return "line " + std::to_string(line) + "\n  expected: " + lineAt(expected) +
           "\n  actual:   " + lineAt(actual);
}

TEST(ScanCommand, MatchesEveryApprovedCase) {
    const std::vector<fs::path> cases = testing::GoldenCases("scan");
    ASSERT_GE(cases.size(), 4u);
    for (const fs::path& caseDir : cases) {
        // The same bytes whether the days are scanned on one thread or on two.
        for (const char* threads : {"1", "2"}) {
            SCOPED_TRACE(caseDir.filename().string() + " on " + threads + " threads");
            const fs::path reports = testing::MakeTempDir() / "reports";  // made by the command
            std::vector<std::string> args = testing::GoldenCaseArgs(caseDir);
            args.insert(args.end(), {"--reports", reports.string(), "--threads", threads});
            const auto result = testing::RunCli(args);

            const std::string status = testing::ReadWholeFile(caseDir / "status");
            EXPECT_EQ(std::to_string(result.status), status.substr(0, status.find('\n'))) << result.err;
            const std::string stdoutText = testing::ReadWholeFile(caseDir / "stdout.txt");
            EXPECT_TRUE(result.out == stdoutText) << "data lines differ at " << FirstDifference(stdoutText, result.out);

            const fs::path approved = caseDir / "reports";
            const std::set<std::string> expectedNames = FileNames(approved);
            EXPECT_EQ(expectedNames.size(), 16u);
            ASSERT_TRUE(fs::is_directory(reports));
            EXPECT_EQ(FileNames(reports), expectedNames);
            for (const std::string& name : expectedNames) {
                const std::string expected = testing::ReadWholeFile(approved / name);
                const std::string actual = testing::ReadWholeFile(reports / name);
                EXPECT_TRUE(actual == expected) << name << " differs at " << FirstDifference(expected, actual);
            }
        }
    }
}

struct CommandResultAndFiles {
    std::string out;
    fs::path reports;
};

// The arguments of the first case with another answer to "Enter number of days:".
std::vector<std::string> WithDays(const fs::path& reports, const std::string& days) {
    std::vector<std::string> args = testing::GoldenCaseArgs(testing::GoldenDir() / "scan" / "john_smith_placidus");
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--days") args[i + 1] = days;
    }
    args.push_back("--reports");
    args.push_back(reports.string());
    return args;
}

// A span of many blocks, which the two threads share out as they go: the files and the listing
// are the same bytes as on one thread, with either source of positions.
TEST(ScanCommand, TwoThreadsWriteWhatOneWrites) {
    for (const char* ephemeris : {"builtin", "precise"}) {
        if (ephemeris == std::string("precise") && !CheckPreciseEphemeris().available) continue;
        SCOPED_TRACE(ephemeris);
        std::vector<CommandResultAndFiles> runs;
        for (const char* threads : {"1", "2"}) {
            const fs::path reports = testing::MakeTempDir() / "reports";
            std::vector<std::string> args = WithDays(reports, "3000");
            args.insert(args.end(), {"--threads", threads, "--ephemeris", ephemeris});
            const auto r = testing::RunCli(args);
            ASSERT_EQ(r.status, 0) << r.err;
            runs.push_back({r.out, reports});
        }
        EXPECT_TRUE(runs[0].out == runs[1].out);
        const std::set<std::string> names = FileNames(runs[0].reports);
        EXPECT_EQ(names.size(), 16u);
        EXPECT_EQ(FileNames(runs[1].reports), names);
        for (const std::string& name : names) {
            EXPECT_TRUE(testing::ReadWholeFile(runs[0].reports / name) ==
                        testing::ReadWholeFile(runs[1].reports / name)) << name;
        }
    }
}

// A day count that reads as no days at all is refused alike by every command that scans, with
// one line on stderr, before anything is computed or written; so is one beyond the 16-bit count.
TEST(ScanCommand, DayCountsOutsideTheRangeWriteNothing) {
    const fs::path dir = testing::MakeTempDir();
    const fs::path reports = dir / "reports";
    // The golden case's arguments as given to each command; --reports names a folder to be left alone.
    const std::vector<std::pair<std::string, std::vector<std::string>>> commands = {
        {"scan", {}},
        {"scan", {"--csv", (dir / "s.csv").string()}},
        {"timeline", {"--svg", (dir / "t.svg").string()}},
    };
    for (const auto& [command, extra] : commands) {
        for (const std::string days : {"0", "-5", "abc", "", " ", "0.4", "-0", "32767.5"}) {
            SCOPED_TRACE(command + " --days '" + days + "'");
            std::vector<std::string> args = WithDays(reports, days);
            args[0] = command;
            args.insert(args.end(), extra.begin(), extra.end());
            const auto r = testing::RunCli(args);
            EXPECT_EQ(r.status, 2);
            EXPECT_EQ(r.out, "");
            if (days == "32767.5") {
                // The desktop program's message for a count beyond the 16-bit count.
                EXPECT_EQ(r.err, "Warning!: The number of days must be from 1 to 32767.\n");
            } else {
                EXPECT_EQ(r.err, "orrerion-cli " + command + ": --days takes a number of days from 1 to 32767, not \"" +
                                     days + "\"\n");
            }
            EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 0);
        }
    }
}

TEST(ScanCommand, OneDayWritesAllFilesAndMarksEveryRunBothWays) {
    const fs::path reports = testing::MakeTempDir() / "reports";
    const auto r = testing::RunCli(WithDays(reports, "1"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FileNames(reports).size(), 16u);
    const std::string txt = testing::ReadWholeFile(reports / "John_tn.txt");
    const std::string needle = ", <07 Dec 26-07 Dec 26>\r\n";
    std::size_t runs = 0;
    for (std::size_t at = txt.find(needle); at != std::string::npos; at = txt.find(needle, at + 1)) ++runs;
    EXPECT_GT(runs, 0u);
    // Every line after the header, the title and the empty line is such a run.
    const auto lines = std::count(txt.begin(), txt.end(), '\n');
    EXPECT_EQ(static_cast<std::size_t>(lines), 6 + runs);
}

TEST(ScanCommand, AnAccentedNameGivesUtf8FileNamesAndHeaders) {
    const fs::path reports = testing::MakeTempDir() / "reports";
    std::vector<std::string> args = WithDays(reports, "2");
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--natal") args[i + 1] = "\xC3\x89lodie Martin,13 Jan 1950,8.30,A,5,074.00,40.43";
    }
    const auto r = testing::RunCli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    // Five characters of the first word: the accented letter counts as one.
    const std::set<std::string> names = FileNames(reports);
    EXPECT_EQ(names.size(), 16u);
    for (const char* suffix : {"_tn.doc", "_ex.txt", "_sn.asc"}) {
        EXPECT_EQ(names.count("\xC3\x89lodi" + std::string(suffix)), 1u) << suffix;
    }
    const std::string doc = testing::ReadWholeFile(reports / "\xC3\x89lodi_tn.doc");
    EXPECT_EQ(doc.substr(0, 16), "\xC3\x89lodie Martin\r\n");
}

TEST(ScanCommand, AFileThatCannotBeWrittenIsReportedAndNoneIsReplaced) {
    const fs::path reports = testing::MakeTempDir() / "reports";
    fs::create_directories(reports);
    // A folder in the place of the fourth file: its rename could not succeed.
    fs::create_directories(reports / "John_sn.doc");
    const auto r = testing::RunCli(WithDays(reports, "5"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("John_sn.doc"), std::string::npos) << r.err;
    // The sixteen files are one set: none was written, and no temporary file is left behind.
    EXPECT_EQ(FileNames(reports), (std::set<std::string>{"John_sn.doc"}));
}

}  // namespace
}  // namespace orrerion
