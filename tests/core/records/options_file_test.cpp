// Reading the options file into OptionValue.
#include <gtest/gtest.h>

#include "core/records/options_file.h"
#include "test_paths.h"

namespace orrerion {
namespace {

using testing::MakeTempDir;
using testing::WriteWholeFile;

TEST(LoadOptions, LeadingNumberOfTheFirstSevenCharacters) {
    const auto dir = MakeTempDir();
    WriteWholeFile(dir / "OPTIONS.OPT",
                   "2.5    conjunction orb\r\n12345678\r\nletters\r\n-3\r\n  7.25x\r\n.5\r\n");
    Options options;
    EXPECT_TRUE(LoadOptions(dir / "OPTIONS.OPT", options).empty());
    EXPECT_EQ(options[Option::ConjunctionOrb], 2.5f);
    EXPECT_EQ(options[Option::SemisquareOrb], 1234567.0f);  // only 7 characters are read
    EXPECT_EQ(options[Option::SextileOrb], 0.0f);
    EXPECT_EQ(options[Option::SquareOrb], -3.0f);
    EXPECT_EQ(options[Option::TrineOrb], 7.25f);
    EXPECT_EQ(options[Option::SesquisquareOrb], 0.5f);
}

TEST(LoadOptions, AnEmptyLineEndsTheReading) {
    const auto dir = MakeTempDir();
    std::string text;
    for (int n = 1; n <= 9; ++n) text += std::to_string(n) + "\r\n";
    text += "\r\n11\r\n12\r\n";
    WriteWholeFile(dir / "OPTIONS.OPT", text);
    Options options;
    options[Option::ProgressedPointSet] = 42;  // absent lines keep their previous values
    EXPECT_TRUE(LoadOptions(dir / "OPTIONS.OPT", options).empty());
    EXPECT_EQ(options[Option::MinorAspectsLeftOut], 9.0f);
    EXPECT_EQ(options[Option::NatalAnglesLeftOut], 0.0f);
    EXPECT_EQ(options[Option::ProgressedPointSet], 42.0f);
    EXPECT_EQ(options.OptionValue[12], 0.0f);
}

TEST(LoadOptions, MissingFileIsReported) {
    const auto dir = MakeTempDir();
    Options options;
    options[Option::ConjunctionOrb] = 8;
    const auto problems = LoadOptions(dir / "NOPE.OPT", options);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(problems[0].fileUnreadable);
    EXPECT_NE(problems[0].message.find("NOPE.OPT"), std::string::npos);
    EXPECT_EQ(options[Option::ConjunctionOrb], 8.0f);
}

TEST(LoadOptions, MoreThanFortyLinesKeepsTheFirstForty) {
    const auto dir = MakeTempDir();
    std::string text;
    for (int n = 1; n <= 45; ++n) text += std::to_string(n) + "\n";
    WriteWholeFile(dir / "OPTIONS.OPT", text);
    Options options;
    const auto problems = LoadOptions(dir / "OPTIONS.OPT", options);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_FALSE(problems[0].fileUnreadable);
    EXPECT_NE(problems[0].message.find("more than 40 lines"), std::string::npos);
    EXPECT_EQ(options[Option::ConjunctionOrb], 1.0f);
    EXPECT_EQ(options.OptionValue[40], 40.0f);
    // Exactly forty lines is a complete file.
    text.clear();
    for (int n = 1; n <= 40; ++n) text += std::to_string(n) + "\n";
    WriteWholeFile(dir / "OPTIONS.OPT", text);
    EXPECT_TRUE(LoadOptions(dir / "OPTIONS.OPT", options).empty());
}

// The shipped files, and the same files with every line end made CR LF, LF or a lone CR (as an
// old Macintosh editor saves them): every way reads the same forty values.
TEST(LoadOptions, ShippedFilesWithAnyLineEnd) {
    const auto dir = MakeTempDir();
    for (const char* name : {"OPTIONS.OPT", "OPTIONS.MST"}) {
        Options shipped;
        EXPECT_TRUE(LoadOptions(testing::DataDir() / name, shipped).empty()) << name;
        std::string bare = testing::ReadWholeFile(testing::DataDir() / name);
        std::erase(bare, '\r');
        for (const char* lineEnd : {"\r\n", "\n", "\r"}) {
            std::string text;
            for (char c : bare) text += c == '\n' ? std::string(lineEnd) : std::string(1, c);
            Options options;
            EXPECT_TRUE(LoadOptionsText(text, dir / name, options).empty()) << name;
            EXPECT_EQ(options.OptionValue, shipped.OptionValue) << name << " with line end " << int(lineEnd[0]);
        }
    }
    for (const char* name : {"OPTIONS.OPT", "OPTIONS.MST"}) {
        Options options;
        EXPECT_TRUE(LoadOptions(testing::DataDir() / name, options).empty()) << name;
        EXPECT_EQ(options[Option::ConjunctionOrb], 8.0f) << name;
        EXPECT_EQ(options[Option::PrintLinesPerPage], 60.0f) << name;
        EXPECT_EQ(options[Option::StartHouseSystem], 1.0f) << name;
        EXPECT_EQ(options[Option::TransitSunUsed], 1.0f) << name;
    }
}

}  // namespace
}  // namespace orrerion
