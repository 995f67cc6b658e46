// Reading lines, record fields and numbers from text, and writing whole files atomically.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <limits>

#include <sys/stat.h>

#include "core/io/csv_record.h"
#include "core/io/file_replace.h"
#include "core/io/line_reader.h"
#include "core/io/number_text.h"
#include "test_paths.h"

namespace orrerion {
namespace {

TEST(SplitTextLines, AcceptsCrLfAndLfWithoutAnExtraLastLine) {
    EXPECT_EQ(SplitTextLines("a\r\nb\r\n").lines, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitTextLines("a\nb").lines, (std::vector<std::string>{"a", "b"}));
    EXPECT_FALSE(SplitTextLines("a\nb").endedWithNewline);
    EXPECT_TRUE(SplitTextLines("a\r\n").endedWithNewline);
    EXPECT_EQ(SplitTextLines("a\r\n\r\nb\r\n").lines, (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitTextLines("").lines.empty());
    // A lone carriage return ends a line too (old Macintosh files), so that an options file
    // written that way is forty lines, not one; CR LF stays one line end.
    struct Case { const char* text; std::vector<std::string> lines; };
    const Case cases[] = {
        {"a\rb\rc\r", {"a", "b", "c"}},  {"a\rb\n", {"a", "b"}},   {"a\n\rb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},   {"\r", {""}},              {"a\r\n\r\n", {"a", ""}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitTextLines(c.text).lines, c.lines) << "case " << (&c - cases);
}

TEST(ReadTextLines, ReportsAMissingFileWithTheSystemsReason) {
    std::string error;
    const auto lines = ReadTextLines(testing::MakeTempDir() / "absent.txt", &error);
    EXPECT_FALSE(lines.has_value());
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
}

// Only a regular file is read, and only up to a limit no data file comes near: a FIFO is refused
// at once instead of waiting for a writer, /dev/zero instead of filling memory.
TEST(ReadFileBytes, RefusesWhatIsNoRegularFileOrTooLarge) {
    const auto dir = testing::MakeTempDir();
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    {
        std::ofstream(dir / "large") << "x";
        std::filesystem::resize_file(dir / "large", MaxDataFileBytes + 1);  // sparse
        std::ofstream(dir / "limit") << "x";
        std::filesystem::resize_file(dir / "limit", MaxDataFileBytes);
    }
    struct Case { std::filesystem::path path; const char* reason; };
    const Case refused[] = {
        {dir / "fifo", "not a regular file"},  {"/dev/zero", "not a regular file"},
        {dir, "Is a directory"},               {dir / "large", "larger than 64 MiB"},
    };
    for (const Case& c : refused) {
        std::string error;
        EXPECT_FALSE(ReadFileBytes(c.path, &error).has_value()) << c.path;
        EXPECT_EQ(error, c.reason) << c.path;
    }
    const std::optional<std::string> atLimit = ReadFileBytes(dir / "limit");
    ASSERT_TRUE(atLimit.has_value());
    EXPECT_EQ(atLimit->size(), MaxDataFileBytes);
}

TEST(ReadTextLines, ReadsWhatWasWritten) {
    const auto dir = testing::MakeTempDir();
    testing::WriteWholeFile(dir / "f.txt", "one\r\ntwo\r\n");
    const auto lines = ReadTextLines(dir / "f.txt");
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(lines->lines, (std::vector<std::string>{"one", "two"}));
}

TEST(SplitRecordFields, UsualCommaSeparatedRules) {
    EXPECT_EQ(SplitRecordFields("John Smith,05 Jan 1950,10.05,A,5,071.05,42.21"),
              (std::vector<std::string>{"John Smith", "05 Jan 1950", "10.05", "A", "5", "071.05", "42.21"}));
    EXPECT_EQ(SplitRecordFields("  a  ,  b c ,"), (std::vector<std::string>{"a", "b c", ""}));
    EXPECT_EQ(SplitRecordFields("\"Smith, John\",x"), (std::vector<std::string>{"Smith, John", "x"}));
    EXPECT_EQ(SplitRecordFields(",07 Dec 2026"), (std::vector<std::string>{"", "07 Dec 2026"}));
    EXPECT_EQ(SplitRecordFields(""), (std::vector<std::string>{""}));
    EXPECT_EQ(SplitRecordFields("\"unclosed,still one"), (std::vector<std::string>{"unclosed,still one"}));
    // Inside quotes two double quotes stand for one, as the names file writes a field holding one.
    EXPECT_EQ(SplitRecordFields("\"\"\"Bob\",x"), (std::vector<std::string>{"\"Bob", "x"}));
    EXPECT_EQ(SplitRecordFields("\"say \"\"hi\"\"\",\"\"\"\""), (std::vector<std::string>{"say \"hi\"", "\""}));
    bool unclosed = false;
    SplitRecordFields("\"Bob,13 Jan 1950", &unclosed);
    EXPECT_TRUE(unclosed);
}

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {" 90", 90},        {"2.5     conjunction", 2.5}, {"12a", 12},  {"abc", 0}, {"", 0},
        {"-5", -5},         {"-.5", -0.5},               {".25", 0.25}, {"+7", 7},  {"3.", 3},
        {"1234567", 1234567}, {"-", 0},                  {"- 5", 0},    {"\t8", 8},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.expected) << '"' << c.text << '"';
}

// A number a double cannot carry is never read as 0: as a leading number it is an infinity that
// every range check refuses, as whole text it is no number; "inf" and "nan" are no numbers.
TEST(ParseNumber, NumbersBeyondADoubleAreNoNumbers) {
    const std::string nines(400, '9');
    for (const std::string& text : {nines, "-" + nines, nines + ".5", std::string("inf"),
                                    std::string("nan"), std::string("-inf"), std::string("1e5")}) {
        EXPECT_FALSE(ParseNumber(text).has_value()) << text.substr(0, 12);
    }
    EXPECT_EQ(LeadingNumber(nines), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("-" + nines + " days"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("inf"), 0.0);
    // Too small to be told from 0: it is 0.
    const std::string tiny = "0." + std::string(400, '0') + "1";
    EXPECT_EQ(ParseNumber(tiny), 0.0);
    EXPECT_EQ(ParseNumber("1" + std::string(300, '0')), 1e300);
}

TEST(ParseNumber, AcceptsOnlyWholeNumberText) {
    EXPECT_EQ(ParseNumber("12"), 12.0);
    EXPECT_EQ(ParseNumber(" -5.5 "), -5.5);
    EXPECT_FALSE(ParseNumber("12a").has_value());
    EXPECT_FALSE(ParseNumber("").has_value());
    EXPECT_FALSE(ParseNumber("1 2").has_value());
    EXPECT_FALSE(ParseNumber(".").has_value());
    EXPECT_TRUE(IsWholeNumberText("074.00"));
    EXPECT_FALSE(IsWholeNumberText("74,00"));
}

int FileCount(const std::filesystem::path& dir) {
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++files;
    return files;
}

TEST(FileReplacement, ReplacesTheWholeFileOrLeavesItAsItWas) {
    namespace fs = std::filesystem;
    struct Case {
        const char* what;
        const char* target;       // relative to the case's folder
        long long sizeLimit;      // bytes, or -1
        const char* reason;       // in the message of a failure; nullptr for success
    };
    const std::string content(100, 'n');
    const Case cases[] = {
        {"an existing file", "report.txt", -1, nullptr},
        {"a new file", "new.txt", -1, nullptr},
        {"a link, replaced and not followed", "link.txt", -1, nullptr},
        {"a missing folder", "no such folder/r.txt", -1, "No such file"},
        {"a folder in the way of the rename", "a folder", -1, "Is a directory"},
        {"a write that fails part-way", "report.txt", 40, "File too large"},
    };
    for (const Case& c : cases) {
        const auto dir = testing::MakeTempDir();
        const auto outside = testing::MakeTempDir() / "outside.txt";
        testing::WriteWholeFile(dir / "report.txt", "original");
        testing::WriteWholeFile(outside, "outside");
        fs::create_symlink(outside, dir / "link.txt");
        fs::create_directory(dir / "a folder");
        const int filesBefore = FileCount(dir);
        const fs::path target = dir / c.target;
        const WriteResult r = testing::WithFileSizeLimit(c.sizeLimit, [&] { return ReplaceFile(target, content); });
        if (!c.reason) {
            ASSERT_TRUE(r.ok) << c.what << ": " << r.message;
            EXPECT_FALSE(fs::is_symlink(target)) << c.what;
            EXPECT_EQ(testing::ReadWholeFile(target), content) << c.what;
            EXPECT_EQ(FileCount(dir), filesBefore + (fs::path(c.target) == "new.txt")) << c.what;
        } else {
            EXPECT_FALSE(r.ok) << c.what;
            EXPECT_NE(r.message.find(target.string()), std::string::npos) << r.message;
            EXPECT_NE(r.message.find(c.reason), std::string::npos) << r.message;
            EXPECT_EQ(testing::ReadWholeFile(dir / "report.txt"), "original") << c.what;
            EXPECT_EQ(FileCount(dir), filesBefore) << c.what << ": no temporary file is left";
        }
        EXPECT_EQ(testing::ReadWholeFile(outside), "outside") << c.what;
    }
}

TEST(FileReplacement, LeftoversOfAKilledWriteAreRemovedOnceStale) {
    namespace fs = std::filesystem;
    const auto dir = testing::MakeTempDir();
    const auto outside = testing::MakeTempDir() / "outside.txt";
    testing::WriteWholeFile(outside, "outside");
    // What a replacement leaves while it writes: a hidden name after its target with 16 hex digits.
    const fs::path old = dir / ".John_tn.doc~0123456789abcdef.tmp";
    const fs::path recent = dir / ".John_tn.txt~fedcba9876543210.tmp";
    const fs::path linkLike = dir / ".John_ex.txt~00000000aaaaaaaa.tmp";
    const fs::path otherName = dir / ".John_tn.doc~notrandom.tmp";
    for (const fs::path& p : {old, recent, otherName}) testing::WriteWholeFile(p, "partial");
    fs::create_symlink(outside, linkLike);
    const auto longAgo = fs::file_time_type::clock::now() - std::chrono::minutes(5);
    for (const fs::path& p : {old, otherName}) fs::last_write_time(p, longAgo);

    EXPECT_EQ(RemoveStaleReplacements(dir), 1);
    EXPECT_FALSE(fs::exists(old));
    EXPECT_TRUE(fs::exists(recent)) << "may still be written by another copy";
    EXPECT_TRUE(fs::exists(otherName)) << "not a replacement's name";
    EXPECT_TRUE(fs::is_symlink(linkLike)) << "links are never touched";
    EXPECT_EQ(testing::ReadWholeFile(outside), "outside");
}

}  // namespace
}  // namespace orrerion
