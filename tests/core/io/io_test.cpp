// Reading lines, record fields and numbers from text, and writing whole files atomically.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/io/atomic_write.h"
#include "core/io/csv_record.h"
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
    // A lone carriage return inside a line is part of the line's text.
    EXPECT_EQ(SplitTextLines("a\rb\n").lines, (std::vector<std::string>{"a\rb"}));
}

TEST(ReadTextLines, ReportsAMissingFileWithTheSystemsReason) {
    std::string error;
    const auto lines = ReadTextLines(testing::MakeTempDir() / "absent.txt", &error);
    EXPECT_FALSE(lines.has_value());
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
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

TEST(WriteFileAtomically, ReplacesTheWholeFileAndLeavesNoTemporary) {
    namespace fs = std::filesystem;
    const auto dir = testing::MakeTempDir();
    const auto path = dir / "report.txt";
    testing::WriteWholeFile(path, "old content that is longer\r\n");
    ASSERT_TRUE(WriteFileAtomically(path, "new\r\n").ok);
    EXPECT_EQ(testing::ReadWholeFile(path), "new\r\n");
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++files;
    EXPECT_EQ(files, 1);
}

TEST(WriteFileAtomically, AFailedWriteNamesThePathAndKeepsTheOriginal) {
    const auto dir = testing::MakeTempDir();
    const auto missing = dir / "no such folder" / "r.txt";
    const WriteResult r = WriteFileAtomically(missing, "x");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(missing.string()), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("No such file"), std::string::npos) << r.message;

    if (::geteuid() != 0) {  // root may write into a read-only folder
        const auto path = dir / "kept.txt";
        testing::WriteWholeFile(path, "original");
        ::chmod(dir.c_str(), 0500);
        EXPECT_FALSE(WriteFileAtomically(path, "replacement").ok);
        ::chmod(dir.c_str(), 0700);
        EXPECT_EQ(testing::ReadWholeFile(path), "original");
    }
}

TEST(WriteFileAtomically, AFailedRenameRemovesTheTemporaryFile) {
    const auto dir = testing::MakeTempDir();
    const auto path = dir / "target.txt";
    testing::WriteWholeFile(path, "original");
    // Writing onto a folder's path fails at the rename, after the temporary file was complete.
    std::filesystem::create_directory(dir / "a folder");
    const WriteResult r = WriteFileAtomically(dir / "a folder", "content");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(testing::ReadWholeFile(path), "original");
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++files;
    EXPECT_EQ(files, 2) << "the temporary file was removed";
}

}  // namespace
}  // namespace orrerion
