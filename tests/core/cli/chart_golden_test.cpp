// The chart command against the approved cases of tests/golden/chart: text, messages and status
// exactly, JSON numbers to 1e-6; and what it does with input it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "json_lite.h"
#include "test_paths.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;
using testing::RunCli;

int StatusOf(const fs::path& caseDir) {
    return std::stoi(testing::ReadWholeFile(caseDir / "status"));
}

// Angles compare modulo 360; the other numbers are far from 360 apart.
double Difference(double expected, double actual) {
    const double d = std::fabs(expected - actual);
    return std::min(d, std::fabs(d - 360));
}

TEST(ChartGolden, EveryCaseTextMessagesAndStatus) {
    const auto cases = testing::GoldenCases("chart");
    ASSERT_GE(cases.size(), 6u);
    for (const fs::path& dir : cases) {
        SCOPED_TRACE(dir.filename().string());
        const auto result = RunCli(testing::GoldenCaseArgs(dir));
        EXPECT_EQ(result.status, StatusOf(dir));
        EXPECT_EQ(result.out, testing::ReadWholeFile(dir / "stdout.txt"));
        EXPECT_EQ(result.err, testing::ReadWholeFile(dir / "stderr.txt"));
    }
}

TEST(ChartGolden, EveryCaseJson) {
    int compared = 0;
    for (const fs::path& dir : testing::GoldenCases("chart")) {
        if (!fs::exists(dir / "chart.json")) continue;
        SCOPED_TRACE(dir.filename().string());
        auto args = testing::GoldenCaseArgs(dir);
        args.push_back("--json");
        const auto result = RunCli(args);
        ASSERT_EQ(result.status, 0) << result.err;
        const auto expected = testing::ParseFlatJson(testing::ReadWholeFile(dir / "chart.json"));
        const auto actual = testing::ParseFlatJson(result.out);
        ASSERT_EQ(actual.size(), expected.size());
        for (const auto& [key, want] : expected) {
            ASSERT_EQ(actual.count(key), 1u) << key;
            const testing::JsonValue& got = actual.at(key);
            switch (want.kind) {
                case testing::JsonValue::Kind::String:
                    EXPECT_EQ(got.text, want.text) << key;
                    break;
                case testing::JsonValue::Kind::Number:
                    EXPECT_LE(Difference(want.number, got.number), 1e-6)
                        << key << " expected " << want.number << " actual " << got.number;
                    break;
                case testing::JsonValue::Kind::NumberArray:
                    ASSERT_EQ(got.numbers.size(), want.numbers.size()) << key;
                    for (std::size_t i = 0; i < want.numbers.size(); ++i) {
                        EXPECT_LE(Difference(want.numbers[i], got.numbers[i]), 1e-6)
                            << key << "[" << i << "] expected " << want.numbers[i] << " actual "
                            << got.numbers[i];
                    }
                    break;
                case testing::JsonValue::Kind::Null:
                    ADD_FAILURE() << key << " is null";
                    break;
            }
        }
        ++compared;
    }
    EXPECT_GE(compared, 5);
}

const std::string goodNatal = "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43";
const std::string goodDiurnal = ",07 Dec 2026,12.00,P,5,074.00,40.43";

std::vector<std::string> ChartArgs(const std::string& natal, const std::string& diurnal,
                                   std::vector<std::string> more = {}) {
    std::vector<std::string> args{"chart", "--natal", natal, "--diurnal", diurnal, "--options",
                                  (testing::GoldenDir() / "options/OPTIONS_default.OPT").string(),
                                  "--date-order", "0"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::size_t LineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(ChartCommand, MalformedInputIsOneLineAndStatus2) {
    const std::vector<std::vector<std::string>> cases = {
        ChartArgs("John Smith,13 Jan 1950,8.30,A,5,074.00", goodDiurnal),
        ChartArgs("John Smith,31 Feb 1950,8.30,A,5,074.00,40.43", goodDiurnal),
        ChartArgs(goodNatal, ",07 Dec 2026,12.00,X,5,074.00,40.43"),
        ChartArgs(goodNatal, ",07 Dec 2026,twelve,P,5,074.00,40.43"),
        ChartArgs(goodNatal, ",07 Dec 2026,12.00,P,5,074.00,40.43N"),
        ChartArgs(goodNatal, goodDiurnal, {"--houses", "X"}),
        ChartArgs(goodNatal, goodDiurnal, {"--progression", "lunar"}),
        ChartArgs(goodNatal, goodDiurnal, {"--date-order", "3"}),
        ChartArgs(goodNatal, goodDiurnal, {"--colour"}),
        ChartArgs(goodNatal, goodDiurnal, {"--houses"}),
        ChartArgs(goodNatal, goodDiurnal, {"--options", "/nonexistent/OPTIONS.OPT"}),
        {"chart", "--natal", goodNatal},
    };
    for (const auto& args : cases) {
        const auto result = RunCli(args);
        EXPECT_EQ(result.status, 2) << args.back();
        EXPECT_EQ(result.out, "") << args.back();
        EXPECT_EQ(LineCount(result.err), 1u) << result.err;
        EXPECT_EQ(result.err.rfind("orrerion-cli chart: ", 0), 0u) << result.err;
    }
}

TEST(ChartCommand, FailedChecksPrintEachMessage) {
    // A natal year past 2099; a diurnal zone past 12 and a longitude past 180 degrees.
    const auto result = RunCli(ChartArgs("John Smith,13 Jan 2100,8.30,A,5,074.00,40.43",
                                         ",07 Dec 2026,12.00,P,13,181.00,40.43", {"--json"}));
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "Warning!: Error in natal input data section. Please correct.\n"
              "Birth Year: 2100 is after 2099, the last year the program calculates\n"
              "Warning!: Error in diurnal input data section. Please correct.\n"
              "D. Time Zone: 13 is not a zone from -14 to 12 hours (hours west of Greenwich, negative east)\n"
              "Warning!: Error in diurnal input data section. Please correct.\n"
              "D. Long Deg.: 181 is not a longitude from 0 to 180 degrees\n");
}

TEST(ChartCommand, LatitudeLimitAndMeridian) {
    const std::string at66 = ",07 Dec 2026,12.00,P,5,074.00,66.00";
    const std::string at6601 = ",07 Dec 2026,12.00,P,5,074.00,66.01";
    const std::string at7000 = ",07 Dec 2026,12.00,P,5,074.00,70.00";
    EXPECT_EQ(RunCli(ChartArgs(goodNatal, at66, {"--houses", "K"})).status, 0);
    const auto refused = RunCli(ChartArgs(goodNatal, at6601, {"--houses", "K"}));
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "Warning!: Your latitude is too high. Lower to 66 degrees, 00 minutes "
                           "or below OR change house systems.\n"
                           "Diurnal latitude 66 degrees 01 minutes North: Koch houses are computed "
                           "up to 66 degrees 00 minutes, as beyond the polar circle (about 66 degrees "
                           "33 minutes) their cusps do not exist. The house systems that work at this "
                           "latitude: Regiomontanus, Porphyry and Meridian.\n");
    EXPECT_EQ(RunCli(ChartArgs(goodNatal, at6601, {"--houses", "M"})).status, 0);
    // The systems the refusal offers are computed there.
    for (const char* system : {"R", "O", "M"}) {
        const auto offered = RunCli(ChartArgs(goodNatal, at7000, {"--houses", system}));
        EXPECT_EQ(offered.status, 0) << system << ": " << offered.err;
        EXPECT_EQ(offered.err, "") << system;
    }
    EXPECT_EQ(RunCli(ChartArgs(goodNatal, at7000, {"--houses", "P"})).status, 2);
}

TEST(ChartCommand, DefaultsFromTheOptionsFile) {
    const auto dir = testing::MakeTempDir();
    std::string text = testing::ReadWholeFile(testing::GoldenDir() / "options/OPTIONS_default.OPT");
    // Line 27 selects the start-up house system: 5 is Porphyry.
    const std::size_t line27 = [&] {
        std::size_t at = 0;
        for (int n = 1; n < 27; ++n) at = text.find('\n', at) + 1;
        return at;
    }();
    text.replace(line27, 1, "5");
    testing::WriteWholeFile(dir / "OPTIONS.OPT", text);
    auto args = ChartArgs(goodNatal, goodDiurnal);
    args[6] = (dir / "OPTIONS.OPT").string();
    const auto result = RunCli(args);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("  HOUSE CUSPS - Porphyry\n"), std::string::npos);

    // A file with more than 40 lines is used, and the user is told.
    testing::WriteWholeFile(dir / "OPTIONS.OPT", text + "0\n0\n");
    const auto longer = RunCli(args);
    EXPECT_EQ(longer.status, 0);
    EXPECT_NE(longer.err.find("more than 40 lines"), std::string::npos);
    EXPECT_EQ(longer.out, result.out);
}

TEST(ChartCommand, DateOrderDoesNotChangeTheChart) {
    const auto monthFirst = RunCli(ChartArgs(goodNatal, goodDiurnal, {"--json"}));
    auto args = ChartArgs(goodNatal, goodDiurnal, {"--json"});
    args[8] = "2";
    const auto yearFirst = RunCli(args);
    EXPECT_EQ(monthFirst.status, 0);
    EXPECT_EQ(yearFirst.out, monthFirst.out);
}

}  // namespace
}  // namespace orrerion
