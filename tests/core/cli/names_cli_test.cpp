// orrerion-cli's names command, and what every command does with --help, unknown options,
// numbers beyond a double and a standard output that cannot be written.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>

#include "test_paths.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;
using testing::ReadWholeFile;
using testing::RunCli;

const std::string Ann = "Ann,01 Jul 1980,3.15,P,-1,-013.25,52.31";
const std::string Diurnal = ",07 Dec 2026,12.00,P,5,074.00,40.43";

// Adding saves through the desktop program's save: backup, record last; a stored name is refused
// with status 2 and nothing written unless --replace is given; list prints what the Names window
// lists and says on stderr where the list stops early.
TEST(NamesCommand, AddsReplacesAndListsThroughTheDesktopSave) {
    const fs::path dir = testing::MakeTempDir();
    const fs::path file = dir / "NAMES.FIL";
    auto r = RunCli({"names", "add", file.string(), "\"Bob,13 Jan 1950,8.30,A,5,074.00,40.43"});
    ASSERT_EQ(r.status, 2) << "a record with an unclosed quote is refused: " << r.err;
    EXPECT_FALSE(fs::exists(file));

    const std::string bob = "\"\"\"Bob\",13 Jan 1950,8.30,A,5,074.00,40.43";  // the name "Bob
    r = RunCli({"names", "add", file.string(), bob});
    ASSERT_EQ(r.status, 0) << r.err;
    r = RunCli({"names", "add", file.string(), Ann});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadWholeFile(file), bob + "\r\n" + Ann + "\r\n");
    EXPECT_EQ(ReadWholeFile(dir / "NAMES.OLD"), bob + "\r\n");

    const std::string before = ReadWholeFile(file);
    const std::string otherAnn = "ANN,02 Aug 1981,4.00,A,0,000.00,51.30";
    r = RunCli({"names", "add", file.string(), otherAnn});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Ann already exists"), std::string::npos) << r.err;
    EXPECT_EQ(ReadWholeFile(file), before);
    r = RunCli({"names", "add", file.string(), otherAnn, "--replace"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadWholeFile(file), bob + "\r\n" + otherAnn + "\r\n");

    r = RunCli({"names", "list", file.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, bob + "\n" + otherAnn + "\n");

    // A line the save cannot read refuses it (status 1), naming the line; nothing changes.
    const std::string damaged = Ann + "\r\n\"Cy,1,2\r\n" + otherAnn + "\r\n";
    testing::WriteWholeFile(file, damaged);
    const std::string backup = ReadWholeFile(dir / "NAMES.OLD");
    r = RunCli({"names", "add", file.string(), "Dee,03 Sep 1982,5.00,A,0,000.00,51.30"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("line 2 cannot be read"), std::string::npos) << r.err;
    EXPECT_EQ(ReadWholeFile(file), damaged);
    EXPECT_EQ(ReadWholeFile(dir / "NAMES.OLD"), backup);
    r = RunCli({"names", "list", file.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, Ann + "\n");
    EXPECT_NE(r.err.find("The Names list stops at line 2: unclosed quote"), std::string::npos) << r.err;
}

// Two copies adding to one names file at the same moment, round after round: each waits for the
// other's lock, so every record of every round is in the file, and the file keeps its mode 600.
TEST(NamesCommand, TwoCopiesAddingAtOnceLoseNothing) {
    constexpr int Rounds = 200;
    const fs::path dir = testing::MakeTempDir();
    const fs::path file = dir / "NAMES.FIL";
    testing::WriteWholeFile(file, Ann + "\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    int failedExits = 0;
    for (int round = 0; round < Rounds; ++round) {
        const std::string tail = ",01 Jul 1980,3.15,P,-1,-013.25,52.31";
        const int first = testing::StartCli({"names", "add", file.string(), "A" + std::to_string(round) + tail});
        const int second = testing::StartCli({"names", "add", file.string(), "B" + std::to_string(round) + tail});
        failedExits += testing::WaitForProgram(first) != 0;
        failedExits += testing::WaitForProgram(second) != 0;
    }
    const auto listed = RunCli({"names", "list", file.string()});
    ASSERT_EQ(listed.status, 0) << listed.err;
    std::set<std::string> names;
    for (std::size_t at = 0; at < listed.out.size();) {
        const std::size_t end = listed.out.find('\n', at);
        const std::string line = listed.out.substr(at, end - at);
        names.insert(line.substr(0, line.find(',')));
        at = end + 1;
    }
    int lost = 0;
    for (int round = 0; round < Rounds; ++round) {
        lost += !names.count("A" + std::to_string(round)) + !names.count("B" + std::to_string(round));
    }
    std::printf("[ race     ] %d rounds of two adds at once: %d of %d records lost, %d failed exits\n",
                Rounds, lost, 2 * Rounds, failedExits);
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(failedExits, 0);
    EXPECT_EQ(names.size(), 2u * Rounds + 1);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(fs::exists(dir / ".NAMES.FIL.lock"));
}

// Every command takes --help; an unknown option is named once, with the command's name.
TEST(EveryCommand, AcceptsHelpAndNamesAnUnknownOptionOnce) {
    for (const char* command : {"ephemeris", "chart", "scan", "names", "atlas"}) {
        const auto help = RunCli({command, "--help"});
        EXPECT_EQ(help.status, 0) << command << ": " << help.err;
        EXPECT_NE(help.out.find("Usage: orrerion-cli"), std::string::npos) << command;
    }
    for (const char* command : {"chart", "scan"}) {
        const auto r = RunCli({command, "--natal", Ann, "--diurnal", Diurnal, "--bogus"});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, std::string("orrerion-cli ") + command +
                             ": unknown option \"--bogus\" (try --help)\n");
    }
}

// A number a double cannot carry is refused with the section's message, never read as 0; a day
// count of 400 nines is refused like a count of 20 digits.
TEST(EveryCommand, RefusesNumbersBeyondADouble) {
    const std::string nines(400, '9');
    const std::string natal[] = {
        "Ann,01 Jul 1980," + nines + ",P,-1,-013.25,52.31", "Ann,01 Jul 1980,3.15,P," + nines + ",-013.25,52.31",
        "Ann,01 Jul 1980,3.15,P,-1," + nines + ",52.31",    "Ann,01 Jul 1980,3.15,P,-1,-013.25," + nines,
        "Ann,01 Jul 1980,3.15,P,inf,-013.25,52.31",         "Ann,01 Jul 1980,3.15,P,-1,-013.25,nan",
    };
    for (const std::string& record : natal) {
        const auto r = RunCli({"chart", "--natal", record, "--diurnal", Diurnal});
        EXPECT_EQ(r.status, 2) << record.substr(0, 40);
        EXPECT_NE(r.err.find("Error in natal input data section. Please correct."), std::string::npos)
            << r.err.substr(0, 200);
        EXPECT_TRUE(r.out.empty());
    }
    const fs::path reports = testing::MakeTempDir();
    for (const std::string& days : {nines, std::string("99999999999999999999")}) {
        const auto r = RunCli({"scan", "--natal", Ann, "--diurnal", Diurnal, "--days", days,
                               "--reports", reports.string()});
        EXPECT_EQ(r.status, 2) << days.size() << " digits";
        EXPECT_NE(r.err.find("The number of days must be from 1 to 32767."), std::string::npos) << r.err;
    }
}

// A name too long for a names file is refused before anything is written: the file keeps
// listing every record and takes the next save.
TEST(NamesCommand, RefusesANameTooLongForTheFile) {
    const fs::path dir = testing::MakeTempDir();
    const fs::path file = dir / "NAMES.FIL";
    ASSERT_EQ(RunCli({"names", "add", file.string(), Ann}).status, 0);
    const std::string before = ReadWholeFile(file);
    for (const std::size_t length : {std::size_t{32768}, std::size_t{65536}, std::size_t{100000}}) {
        const auto r = RunCli({"names", "add", file.string(), std::string(length, 'x') + ",13 Jan 1950,8.30,A,5,074.00,40.43"});
        EXPECT_EQ(r.status, 2) << length;
        EXPECT_NE(r.err.find("longer than 32767 characters"), std::string::npos) << r.err.substr(0, 200);
        EXPECT_EQ(ReadWholeFile(file), before) << length;
    }
    const std::string longest = std::string(32767, 'y') + ",13 Jan 1950,8.30,A,5,074.00,40.43";
    ASSERT_EQ(RunCli({"names", "add", file.string(), longest}).status, 0);
    const auto listed = RunCli({"names", "list", file.string()});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, Ann + "\n" + longest + "\n");
}

// Output that cannot be written is a failure, not a success.
TEST(EveryCommand, AFailedWriteToStandardOutputExitsOne) {
    const std::vector<std::vector<std::string>> commands = {
        {"ephemeris", "--jd", "2451545.0"},
        {"chart", "--natal", Ann, "--diurnal", Diurnal},
        {"--help"},
    };
    for (const auto& args : commands) {
        const auto r = RunCli(args, "/dev/full");
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_NE(r.err.find("cannot write to standard output: No space left on device"), std::string::npos)
            << args[0] << ": " << r.err;
    }
}

}  // namespace
}  // namespace orrerion
