// The approved outputs of orrerion-cli events (tests/golden/events): the listing, the JSON and the
// CSV byte for byte, and the calendar but for its DTSTAMP lines (the moment it was written).
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "test_paths.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;

std::string WithoutStamps(const std::string& calendar) {
    std::istringstream in(calendar);
    std::string line, out;
    while (std::getline(in, line)) {
        if (!line.starts_with("DTSTAMP:")) out += line + "\n";
    }
    return out;
}

TEST(EventsGolden, EveryCase) {
    const auto cases = testing::GoldenCases("events");
    ASSERT_GE(cases.size(), 1u);
    for (const fs::path& dir : cases) {
        SCOPED_TRACE(dir.filename().string());
        std::vector<std::string> args = testing::GoldenCaseArgs(dir);
        const auto listed = testing::RunCli(args);
        EXPECT_EQ(listed.status, 0) << listed.err;
        EXPECT_EQ(listed.out, testing::ReadWholeFile(dir / "stdout.txt"));
        EXPECT_EQ(listed.err, "");

        const fs::path out = testing::MakeTempDir();
        args.insert(args.end(), {"--json", (out / "events.json").string(), "--csv", (out / "events.csv").string(),
                                 "--ics", (out / "events.ics").string()});
        const auto written = testing::RunCli(args);
        ASSERT_EQ(written.status, 0) << written.err;
        for (const char* name : {"events.json", "events.csv"}) {
            EXPECT_EQ(testing::ReadWholeFile(out / name), testing::ReadWholeFile(dir / name)) << name;
        }
        EXPECT_EQ(WithoutStamps(testing::ReadWholeFile(out / "events.ics")),
                  WithoutStamps(testing::ReadWholeFile(dir / "events.ics")));
    }
}

}  // namespace
}  // namespace orrerion
