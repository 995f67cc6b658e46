// The ephemeris command of orrerion-cli: its JSON line and its refusals.
#include <gtest/gtest.h>

#include <cmath>

#include "json_lite.h"
#include "test_paths.h"

namespace orrerion {
namespace {

TEST(EphemerisCommand, PrintsOneJsonLineWithTenBodies) {
    const auto r = testing::RunCli({"ephemeris", "--jd", "2451545.0"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_FALSE(r.out.empty());
    EXPECT_EQ(r.out.back(), '\n');
    EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << "exactly one line";
    const auto json = testing::ParseFlatJson(r.out);
    EXPECT_EQ(json.at("jd").number, 2451545.0);
    for (const char* key : {"long", "lat", "decl", "long_next"}) {
        EXPECT_EQ(json.at(key).numbers.size(), 10u) << key;
    }
    EXPECT_NEAR(json.at("long").numbers[0], 280.36783437846043, 1e-12);
    EXPECT_EQ(json.at("retro").text, "     R      ");
}

TEST(EphemerisCommand, PrintsSeventeenSignificantDigits) {
    const auto r = testing::RunCli({"ephemeris", "--jd", "2460651.25"});
    ASSERT_EQ(r.status, 0);
    const auto json = testing::ParseFlatJson(r.out);
    const auto golden = testing::ParseFlatJson(
        testing::ReadWholeFile(testing::GoldenDir() / "ephemeris" / "jd_2460651.2500.json"));
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_NEAR(json.at("long").numbers[i], golden.at("long").numbers[i], 1e-9) << i;
    }
}

TEST(EphemerisCommand, RefusesMissingOrMalformedJulianDates) {
    const std::vector<std::vector<std::string>> bad = {
        {"ephemeris"}, {"ephemeris", "--jd"}, {"ephemeris", "--jd", "abc"},
        {"ephemeris", "--jd", "2451545x"}, {"ephemeris", "--jd", ""}, {"ephemeris", "--when", "2451545"},
    };
    for (const auto& args : bad) {
        const auto r = testing::RunCli(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_TRUE(r.out.empty()) << args.back();
        ASSERT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one-line error: " << r.err;
    }
}

// Julian dates beyond the years a chart may name, which once kept the planets' Kepler solver
// turning for ever, are refused at once; the first and last supported instants are computed with
// finite positions. Every run is bounded by timeout(1), so a hang fails instead of stalling.
TEST(EphemerisCommand, RefusesJulianDatesOutsideTheSupportedYearsPromptly) {
    struct Case {
        std::string jd;
        bool supported;
    };
    const std::vector<Case> cases = {
        {"1000000000", false}, {"700000000", false}, {"-2147483649", false}, {"1000000000000000", false},
        {"-9999999999999", false}, {"13689325.5", false}, {"-10247206.6", false}, {"2147483648", false},
        {"-10247206.5", true}, {"13689325.4", true},  {"2451545", true},
    };
    for (const Case& c : cases) {
        for (const char* source : {"builtin", "precise"}) {
            SCOPED_TRACE(c.jd + " " + source);
            const auto r = testing::RunProgram(
                "/usr/bin/timeout", {"-s", "KILL", "20", testing::CliPath().string(), "ephemeris", "--jd", c.jd,
                                     "--ephemeris", source});
            if (!c.supported) {
                EXPECT_EQ(r.status, 2) << r.err;
                EXPECT_TRUE(r.out.empty());
                EXPECT_EQ(r.err, "orrerion-cli ephemeris: the Julian date '" + c.jd +
                                     "' lies outside the dates the program computes (JD -10247206.5 up to "
                                     "13689325.5, the years -32768 to 32767)\n");
                continue;
            }
            if (std::string(source) == "precise") continue;  // the library's files cover fewer years
            ASSERT_EQ(r.status, 0) << r.err;
            const auto json = testing::ParseFlatJson(r.out);
            for (const char* key : {"long", "lat", "decl", "long_next"}) {
                ASSERT_EQ(json.at(key).numbers.size(), 10u) << key;
                for (const double v : json.at(key).numbers) EXPECT_TRUE(std::isfinite(v)) << key;
            }
        }
    }
}

TEST(CommandLine, HelpDescribesEveryCommand) {
    const auto r = testing::RunCli({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* word : {"ephemeris --jd", "chart --natal", "scan", "--days", "--reports", "--json"}) {
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
    }
    EXPECT_EQ(testing::RunCli({"frobnicate"}).status, 2);
}

}  // namespace
}  // namespace orrerion
