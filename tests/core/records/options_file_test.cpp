// Reading the options file into OptionValue, and writing values back into its text.
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

// Values written back into an options file's text: only the value field of a line whose value
// changed is rewritten, everything else byte for byte; lines the reading does not reach are put in
// where it ends; a value too wide for the field changes nothing.
TEST(OptionsTextWithValues, RewritesOnlyTheChangedValueFields) {
    const std::string shipped = testing::ReadWholeFile(testing::DataDir() / "OPTIONS.OPT");
    std::string shippedSquare = shipped;
    shippedSquare.replace(shipped.find("8      square orb"), 7, "7.5    ");
    std::string shippedZone = shipped;
    shippedZone.replace(shipped.find("5      default time zone"), 7, "-5.75  ");
    const struct {
        const char* name;
        std::string text;
        std::vector<std::pair<int, float>> changes;  // line, new value
        std::string expected;                        // the text itself when nothing changes
        bool fails;
    } rows[] = {
        {"shipped, nothing changed", shipped, {}, shipped, false},
        {"shipped, same value again", shipped, {{4, 8.0f}}, shipped, false},
        {"shipped, square orb", shipped, {{4, 7.5f}}, shippedSquare, false},
        {"shipped, a negative zone with decimals", shipped, {{18, -5.75f}}, shippedZone, false},
        {"description inside the first 7: moved to keep one blank", "2.5  edited orb\n", {{1, 12.25f}},
         "12.25 edited orb\n", false},
        {"leading blanks and a sign", "  -3 x\r\n", {{1, 5}}, "5    x\r\n", false},
        {"no description, trailing blanks, lone CR", "8   \r", {{1, 10}}, "10  \r", false},
        {"no number: the value goes first", "letters\r\n", {{1, 3}}, "3 letters\r\n", false},
        {"single precision written shortest", "0\n0\n", {{1, 40.43f}, {2, 0.1f}}, "40.43\n0.1\n", false},
        {"short file without a last line end", "3\r\n4", {{5, 2.5f}}, "3\r\n4\r\n0\r\n0\r\n2.5\r\n", false},
        {"lines after an empty line are not read", "1\n\n9\n", {{3, 6}}, "1\n0\n6\n\n9\n", false},
        {"too wide for the field", shipped, {{4, 7.5f}, {13, 1234567.0f}}, shipped, true},
        {"too many digits", shipped, {{1, 0.1234567f}}, shipped, true},
    };
    for (const auto& row : rows) {
        Options values;
        LoadOptionsText(row.text, "OPTIONS.OPT", values);
        for (const auto& [line, value] : row.changes) {
            values.OptionValue[static_cast<std::size_t>(line)] = value;
        }
        const OptionsRewrite rewrite = OptionsTextWithValues(row.text, values);
        EXPECT_EQ(rewrite.text, row.expected) << row.name;
        EXPECT_EQ(rewrite.changed, !row.fails && row.expected != row.text) << row.name;
        EXPECT_EQ(rewrite.problem.empty(), !row.fails) << row.name << ": " << rewrite.problem;
        if (row.fails) continue;
        Options reread;
        LoadOptionsText(rewrite.text, "OPTIONS.OPT", reread);
        EXPECT_EQ(reread.OptionValue, values.OptionValue) << row.name;
    }
}

TEST(SaveOptionValues, WritesOnlyWhenAValueChanged) {
    const auto dir = MakeTempDir();
    const auto path = dir / "OPTIONS.OPT";
    const std::string shipped = testing::ReadWholeFile(testing::DataDir() / "OPTIONS.OPT");
    WriteWholeFile(path, shipped);
    Options values;
    ASSERT_TRUE(LoadOptions(path, values).empty());
    const auto before = std::filesystem::last_write_time(path);
    const OptionsSave same = SaveOptionValues(path, values);
    EXPECT_TRUE(same.result.ok);
    EXPECT_FALSE(same.written);
    EXPECT_EQ(std::filesystem::last_write_time(path), before);

    values[Option::TrineOrb] = 6;
    const OptionsSave changed = SaveOptionValues(path, values);
    EXPECT_TRUE(changed.result.ok) << changed.result.message;
    EXPECT_TRUE(changed.written);
    Options reread;
    ASSERT_TRUE(LoadOptions(path, reread).empty());
    EXPECT_EQ(reread[Option::TrineOrb], 6.0f);

    // A file that cannot be read is named, and nothing is written.
    const OptionsSave missing = SaveOptionValues(dir / "NOPE.OPT", values);
    EXPECT_FALSE(missing.result.ok);
    EXPECT_NE(missing.result.message.find("NOPE.OPT"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "NOPE.OPT"));
}

}  // namespace
}  // namespace orrerion
