// --ephemeris on the command line: refused when precise positions are unavailable, the note on
// standard error, and the default taken from the settings file of the program's data folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "test_paths.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;
using testing::RunCli;

const std::vector<std::string> Chart1850 = {"--natal", "Old,15 Jun 1850,10.00,A,0,000.07,51.30", "--diurnal",
                                            ",01 Jan 1851,12.00,P,0,000.07,51.30", "--houses", "P"};

std::vector<std::string> With(std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// Sets an environment variable for the commands run while it lives.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) { ::setenv(name, value.c_str(), 1); }
    ~ScopedVariable() { ::unsetenv(name_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
};

TEST(EphemerisOption, PreciseIsRefusedWhenTheDataFilesAreMissing) {
    const fs::path reports = testing::MakeTempDir() / "reports";
    const ScopedVariable empty("ORRERION_SWE_PATH", testing::MakeTempDir().string());
    const std::vector<std::vector<std::string>> commands = {
        {"ephemeris", "--jd", "2451545", "--ephemeris", "precise"},
        With({"chart", "--ephemeris", "precise"}, Chart1850),
        With({"scan", "--ephemeris", "precise", "--days", "5", "--reports", reports.string()}, Chart1850),
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(args.front());
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("precise positions unavailable: "), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    }
    EXPECT_FALSE(fs::exists(reports));
    // The built-in series does not need the files.
    EXPECT_EQ(RunCli(With({"chart", "--ephemeris", "builtin"}, Chart1850)).status, 0);
}

TEST(EphemerisOption, NoteOnStandardErrorForTheBuiltinSeriesOnly) {
    const auto builtin = RunCli(With({"chart"}, Chart1850));
    ASSERT_EQ(builtin.status, 0) << builtin.err;
    EXPECT_EQ(builtin.err.rfind("Note: The built-in series was used for a date outside 1885-2099", 0), 0u) << builtin.err;
    EXPECT_EQ(builtin.err.find('\n'), builtin.err.size() - 1) << "once: " << builtin.err;
    EXPECT_EQ(builtin.out.find("Pluto may"), std::string::npos);
    EXPECT_EQ(builtin.out.find("Swiss Ephemeris"), std::string::npos);
    const auto ephemeris1850 = RunCli({"ephemeris", "--jd", "2396923.5"});
    EXPECT_EQ(ephemeris1850.err.rfind("Note: ", 0), 0u) << ephemeris1850.err;

    const auto precise = RunCli(With({"chart", "--ephemeris", "precise"}, Chart1850));
    if (precise.status == 2) GTEST_SKIP() << precise.err;
    ASSERT_EQ(precise.status, 0) << precise.err;
    EXPECT_TRUE(precise.err.empty()) << precise.err;
    EXPECT_NE(precise.out.find("\n  Positions: Swiss Ephemeris (precise)"), std::string::npos);
    EXPECT_EQ(RunCli({"ephemeris", "--jd", "2451545", "--ephemeris", "fast"}).status, 2);
    EXPECT_EQ(RunCli(With({"chart", "--ephemeris", "fast"}, Chart1850)).status, 2);
}

TEST(EphemerisOption, DefaultFromTheSettingsFileBesideTheProgram) {
    // A copy of the program with a data folder of its own.
    const fs::path bin = testing::MakeTempDir();
    fs::copy_file(testing::CliPath(), bin / "orrerion-cli");
    fs::create_directory(bin / "data");
    // A folder beside the program is its data folder when it holds the options file.
    fs::copy_file(testing::DataDir() / "OPTIONS.OPT", bin / "data" / "OPTIONS.OPT");
    const std::vector<std::string> at = {"ephemeris", "--jd", "2460651.25"};
    const std::string precise = RunCli(With(at, {"--ephemeris", "precise"})).out;
    const std::string builtin = RunCli(With(at, {"--ephemeris", "builtin"})).out;
    ASSERT_NE(precise, builtin);

    auto runCopy = [&](const std::string& settings, const std::vector<std::string>& extra = {}) {
        testing::WriteWholeFile(bin / "data" / "SETTINGS.TXT", settings);
        return testing::RunProgram(bin / "orrerion-cli", With(at, extra));
    };
    const auto chosen = runCopy("ephemeris = precise\n");
    EXPECT_EQ(chosen.out, precise) << chosen.err;
    EXPECT_TRUE(chosen.err.empty()) << chosen.err;
    // The option wins over the file.
    EXPECT_EQ(runCopy("ephemeris = precise\n", {"--ephemeris", "builtin"}).out, builtin);
    // A bad value is named with its line, and the default is used.
    const auto bad = runCopy("# mine\nephemeris = fast\n");
    EXPECT_EQ(bad.out, builtin);
    EXPECT_NE(bad.err.find("SETTINGS.TXT line 2: ephemeris takes builtin or precise"), std::string::npos) << bad.err;
}

}  // namespace
}  // namespace orrerion
