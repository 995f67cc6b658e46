// chart --points: the approved summaries of tests/golden/points, the lists it refuses, and the
// shape of the JSON points object (the positions are checked against the library in
// tests/core/chart).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <map>
#include <filesystem>
#include <string>
#include <vector>

#include "json_lite.h"
#include "test_paths.h"

namespace orrerion {
namespace {

using testing::RunCli;

std::vector<std::string> ChartArgs(std::vector<std::string> more) {
    std::vector<std::string> args{"chart", "--natal", "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43",
                                  "--diurnal", ",07 Dec 2026,12.00,P,5,074.00,40.43", "--options",
                                  (testing::GoldenDir() / "options/OPTIONS_default.OPT").string(),
                                  "--date-order", "0"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// The cases of tests/golden/points: text, messages and status exactly. Each summary is the one of
// the same chart without points (tests/golden/chart) with the points' table below it.
TEST(PointsOption, ApprovedSummaries) {
    const auto cases = testing::GoldenCases("points");
    ASSERT_GE(cases.size(), 1u);
    for (const auto& dir : cases) {
        SCOPED_TRACE(dir.filename().string());
        const auto result = RunCli(testing::GoldenCaseArgs(dir));
        EXPECT_EQ(result.status, std::stoi(testing::ReadWholeFile(dir / "status")));
        EXPECT_EQ(result.out, testing::ReadWholeFile(dir / "stdout.txt"));
        EXPECT_EQ(result.err, testing::ReadWholeFile(dir / "stderr.txt"));
    }
}

TEST(PointsOption, ListsRefusedWithTheReason) {
    struct Case {
        std::vector<std::string> more;
        std::string error;  // what the one line on stderr holds
    };
    const std::vector<Case> cases = {
        {{"--points", "mean-node,pluto"}, "unknown point \"pluto\""},
        {{"--points", ""}, "name at least one of mean-node, true-node, lilith, chiron"},
        {{"--points", "mean_node"}, "unknown point \"mean_node\""},
        {{"--points", "true-node", "--ephemeris", "builtin"}, "true_node: only with precise positions"},
        {{"--points", "all", "--ephemeris", "builtin"}, "true_node: only with precise positions"},
        {{"--points", "vesta", "--ephemeris", "builtin"}, "vesta: only with precise positions"},
    };
    for (const Case& c : cases) {
        const auto result = RunCli(ChartArgs(c.more));
        EXPECT_EQ(result.status, 2) << c.more[1];
        EXPECT_EQ(result.out, "") << c.more[1];
        EXPECT_NE(result.err.find(c.error), std::string::npos) << result.err;
    }
}

// The strings of the JSON after "points", in order: the keys of the four charts and their points.
std::vector<std::string> PointKeys(const std::string& json) {
    const std::vector<std::string> strings = testing::StrictJsonStrings(json);
    const auto at = std::find(strings.begin(), strings.end(), "points");
    return at == strings.end() ? std::vector<std::string>{} : std::vector<std::string>(at, strings.end());
}

TEST(PointsOption, JsonHasEveryChartKeyedByNameWithLatitudeAndDeclinationWhereDefined) {
    const auto none = RunCli(ChartArgs({"--json", "--ephemeris", "builtin"}));
    ASSERT_EQ(none.status, 0) << none.err;
    EXPECT_TRUE(PointKeys(none.out).empty()) << "no points chosen, no points object";

    const auto chosen = RunCli(ChartArgs({"--json", "--ephemeris", "builtin", "--points", "fortune,lilith,mean-node"}));
    ASSERT_EQ(chosen.status, 0) << chosen.err;
    // Table order whatever the list's order; a node brings its south node; Lilith alone has a
    // latitude; the solar-arc points are longitudes only.
    const std::vector<std::string> chart = {"mean_node", "lon", "decl", "mean_south_node", "lon", "decl",
                                            "lilith", "lon", "lat", "decl", "fortune", "lon", "decl"};
    std::vector<std::string> want = {"points", "natal"};
    want.insert(want.end(), chart.begin(), chart.end());
    want.push_back("progressed");
    want.insert(want.end(), chart.begin(), chart.end());
    want.insert(want.end(), {"solar_arc", "mean_node", "lon", "mean_south_node", "lon", "lilith", "lon", "fortune", "lon",
                             "transits"});
    want.insert(want.end(), chart.begin(), chart.end());
    EXPECT_EQ(PointKeys(chosen.out), want);
    // Everything before the points object is what the chart printed without points.
    const std::string before = chosen.out.substr(0, chosen.out.find(", \"points\""));
    EXPECT_EQ(before + "}\n", none.out);
}

// --points on the other chart commands: the scan's 16 report files are the same bytes with and
// without it, and with --points-in-reports the same lines with the points' lines added; the wheel draws the chosen points (a node with its south node) on every ring.
TEST(PointsOption, TheScanKeepsItsReportsAndTheWheelDrawsThePoints) {
    namespace fs = std::filesystem;
    const fs::path dir = testing::MakeTempDir();
    auto command = [](const std::string& name, std::vector<std::string> more) {
        std::vector<std::string> args = ChartArgs(std::move(more));
        args.front() = name;
        return args;
    };
    ASSERT_EQ(RunCli(command("scan", {"--days", "40", "--quiet", "--reports", (dir / "plain").string()})).status, 0);
    const auto withPoints = RunCli(command(
        "scan", {"--days", "40", "--quiet", "--reports", (dir / "points").string(), "--points", "mean-node,lilith,fortune"}));
    ASSERT_EQ(withPoints.status, 0) << withPoints.err;
    // With --points-in-reports each file holds the same lines and the points' lines besides.
    const auto inReports = RunCli(command("scan", {"--days", "40", "--quiet", "--reports", (dir / "in").string(),
                                                   "--points", "mean-node,lilith,fortune", "--points-in-reports"}));
    ASSERT_EQ(inReports.status, 0) << inReports.err;
    auto withoutPointLines = [](const std::string& text, std::size_t& left) {
        std::string kept;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = std::min(text.find('\n', at), text.size() - 1) + 1;
            const std::string line = text.substr(at, end - at);
            const bool point = line.find("NODE ") != std::string::npos || line.find("LILITH ") != std::string::npos ||
                               line.find("FORTUNE") != std::string::npos;
            left += point ? 1 : 0;
            if (!point) kept += line;
            at = end;
        }
        return kept;
    };
    std::size_t reports = 0, pointLines = 0;
    for (const std::string& name : testing::ReportFolderNames(dir / "plain")) {
        if (name.starts_with(".")) continue;  // the set's link and generation folder
        ++reports;
        const std::string plain = testing::ReadWholeFile(dir / "plain" / name);
        EXPECT_TRUE(testing::ReadWholeFile(dir / "points" / name) == plain) << name;
        EXPECT_TRUE(withoutPointLines(testing::ReadWholeFile(dir / "in" / name), pointLines) == plain) << name;
    }
    EXPECT_EQ(reports, 16u);
    EXPECT_GT(pointLines, 100u);

    const auto wheel = RunCli(command("wheel", {"--rings", "natal,progressed,transits", "--points", "mean-node,fortune",
                                                "--json", (dir / "w.json").string()}));
    ASSERT_EQ(wheel.status, 0) << wheel.err;
    std::map<std::string, std::set<std::string>> bodies;  // ring -> bodies drawn
    const testing::JsonNode layout = testing::ParseJson(testing::ReadWholeFile(dir / "w.json"));
    for (const testing::JsonNode& point : layout["points"].items) {
        bodies[point["ring"].text].insert(point["body"].text);
    }
    ASSERT_EQ(bodies.size(), 3u);
    for (const auto& [ring, drawn] : bodies) {
        for (const char* name : {"MEAN NODE", "MEAN SOUTH NODE", "FORTUNE"}) EXPECT_EQ(drawn.count(name), 1u) << ring << " " << name;
        EXPECT_EQ(drawn.count("LILITH"), 0u) << ring;
    }
}

}  // namespace
}  // namespace orrerion
