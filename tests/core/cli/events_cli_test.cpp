// orrerion-cli events: the orb of the natal points a lunation or an eclipse falls on comes from
// --orb, else from the "event_orb" line of the settings file in the program's data folder (as the
// desktop program's Events window takes it), else 3 degrees; a bad line is reported once.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_paths.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(EventsCommand, OrbFromTheOptionElseTheSettingsFile) {
    // A copy of the program with a data folder of its own.
    const fs::path bin = testing::MakeTempDir();
    fs::copy_file(testing::CliPath(), bin / "orrerion-cli");
    fs::create_directory(bin / "data");
    fs::copy_file(testing::DataDir() / "OPTIONS.OPT", bin / "data" / "OPTIONS.OPT");
    const std::vector<std::string> events = {"events", "--natal", "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43",
                                             "--diurnal", ",07 Dec 2026,12.00,P,5,074.00,40.43", "--days", "365",
                                             "--kinds", "lunation,eclipse"};
    auto run = [&](const std::string& settings, const std::vector<std::string>& extra) {
        testing::WriteWholeFile(bin / "data" / "SETTINGS.TXT", settings);
        std::vector<std::string> args = events;
        args.insert(args.end(), extra.begin(), extra.end());
        return testing::RunProgram(bin / "orrerion-cli", args);
    };

    const auto byDefault = run("", {});
    ASSERT_EQ(byDefault.status, 0) << byDefault.err;
    EXPECT_TRUE(byDefault.err.empty()) << byDefault.err;
    const auto wide = run("", {"--orb", "10"});
    ASSERT_EQ(wide.status, 0) << wide.err;
    // Within 10 degrees a year of lunations falls on more natal points than within 3.
    ASSERT_GT(Count(wide.out, " on natal "), Count(byDefault.out, " on natal "));

    EXPECT_EQ(run("event_orb = 10\n", {}).out, wide.out);
    EXPECT_EQ(run("event_orb = 10\n", {"--orb", "3"}).out, byDefault.out);  // the option wins

    // A bad line: the default, and the problem said once, whether or not the ephemeris was read
    // from the same file.
    const std::string said = "SETTINGS.TXT line 2: event_orb takes degrees from 0 to 15, not \"20\"; the default 3";
    for (const std::vector<std::string>& extra : {std::vector<std::string>{}, {"--ephemeris", "builtin"}}) {
        const auto bad = run("# mine\nevent_orb = 20\n", extra);
        EXPECT_EQ(bad.status, 0) << bad.err;
        EXPECT_EQ(bad.out, byDefault.out);
        EXPECT_EQ(Count(bad.err, said), 1u) << bad.err;
    }
}

}  // namespace
}  // namespace orrerion
