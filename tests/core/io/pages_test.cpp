// Pages of the data window's text: saved data files with form feeds, the proposed file name, the
// printed pages and their type size, and the print hand-over file.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "core/io/line_reader.h"
#include "core/io/pages.h"
#include "test_paths.h"

namespace orrerion {
namespace {

std::vector<std::string> NumberedLines(int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) lines.push_back("line " + std::to_string(i));
    return lines;
}

// The 0-based indexes of the lines that a form-feed line follows, read back from a saved file.
std::vector<int> LinesBeforeFormFeeds(const std::string& fileText) {
    const std::vector<std::string> read = SplitTextLines(fileText).lines;
    std::vector<int> before;
    int dataLine = -1;
    for (const std::string& line : read) {
        if (line == std::string(1, FormFeed)) {
            before.push_back(dataLine);
        } else {
            ++dataLine;
        }
    }
    return before;
}

TEST(DataFileText, FormFeedAfterEveryPageLengthLessOneLinesAndAtTheEnd) {
    // 200 lines (indexes 0..199) with a page length of 60.
    const std::string text = DataFileText(NumberedLines(200), 60.0f);
    EXPECT_EQ(LinesBeforeFormFeeds(text), (std::vector<int>{59, 118, 177, 199}));
    // Each line and each form feed ends with CR LF, nothing else is added.
    EXPECT_EQ(text.substr(0, 16), "line 0\r\nline 1\r\n");
    EXPECT_NE(text.find("line 59\r\n\f\r\nline 60\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 13), "line 199\r\n\f\r\n");
    EXPECT_EQ(SplitTextLines(text).lines.size(), 204u);
}

TEST(DataFileText, LastLineOnAPageBoundaryGetsTwoFormFeeds) {
    // Line 118 is both a page end and the last line: the page's form feed, then the final one.
    EXPECT_EQ(LinesBeforeFormFeeds(DataFileText(NumberedLines(119), 60.0f)),
              (std::vector<int>{59, 118, 118}));
    // A file of one line (an emptied buffer) is the line and the final form feed.
    EXPECT_EQ(DataFileText({""}, 60.0f), "\r\n\f\r\n");
}

TEST(DataFileText, PageLengthsWithoutAWholePageBreakNowhere) {
    // Page length 2 breaks after every line but the first; 1, 0, negative and broken values
    // (nothing to divide by) break only at the end instead of looping or dividing by zero.
    EXPECT_EQ(LinesBeforeFormFeeds(DataFileText(NumberedLines(4), 2.0f)),
              (std::vector<int>{1, 2, 3, 3}));
    for (const float option : {1.0f, 0.0f, -5.0f, std::numeric_limits<float>::quiet_NaN(),
                               std::numeric_limits<float>::infinity()}) {
        EXPECT_EQ(LinesBeforeFormFeeds(DataFileText(NumberedLines(5), option)),
                  (std::vector<int>{4}))
            << option;
    }
    EXPECT_EQ(DataFileBreakInterval(60.0f), 59);
    EXPECT_EQ(DataFileBreakInterval(1.0f), 0);
}

TEST(DataFileText, WrittenFileHoldsTheTextAndReplacesAnOldOne) {
    const auto dir = testing::MakeTempDir();
    testing::WriteWholeFile(dir / "MARY.DOC", "old content that is longer than the new one\r\n");
    ASSERT_TRUE(WriteDataFile(dir / "MARY.DOC", {"a", "b"}, 60.0f).ok);
    EXPECT_EQ(testing::ReadWholeFile(dir / "MARY.DOC"), "a\r\nb\r\n\f\r\n");

    const WriteResult failed = WriteDataFile(dir / "missing" / "X.DOC", {"a"}, 60.0f);
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.message.find("X.DOC"), std::string::npos) << failed.message;
}

TEST(OptionWholeNumber, RoundsHalfToEvenAndRefusesNonNumbers) {
    EXPECT_EQ(OptionWholeNumber(60.0f), 60);
    EXPECT_EQ(OptionWholeNumber(59.5f), 60);
    EXPECT_EQ(OptionWholeNumber(60.5f), 60);
    EXPECT_EQ(OptionWholeNumber(-3.0f), -3);
    EXPECT_EQ(OptionWholeNumber(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(OptionWholeNumber(1e20f), 0);
}

TEST(ProposedDataFileName, FirstWordCutToEightCharacters) {
    const struct {
        const char* name;
        const char* expected;
    } cases[] = {
        {"Mary Ann Jones", "Mary.DOC"},
        {"Bartholomew Smith", "Bartholo.DOC"},
        {"Now", "Now.DOC"},
        {"Bartholomew", "Bartholo.DOC"},
        {"  Leading blanks", "Leading.DOC"},
        // Cut by characters: eight accented letters are sixteen bytes, none of them split.
        {"\xC3\x89\xC3\xA9\xC3\xA8\xC3\xAA\xC3\xAB\xC3\xA0\xC3\xA2\xC3\xA4\xC3\xA7 Dupont",
         "\xC3\x89\xC3\xA9\xC3\xA8\xC3\xAA\xC3\xAB\xC3\xA0\xC3\xA2\xC3\xA4.DOC"},
        {"Jos\xC3\xA9 Garc\xC3\xAD" "a", "Jos\xC3\xA9.DOC"},
        // Folder separators and other characters that cannot be in a file name.
        {"A/B\\C:D* x", "A_B_C_D_.DOC"},
        {"../../etc", ".._.._et.DOC"},
        {"", ""},
        {"   ", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProposedDataFileName(c.name), c.expected) << c.name;
    }
}

TEST(PrintFont, LongestLineEqualToTheLimitKeepsTwelvePoints) {
    const std::string eighty(80, 'x');
    EXPECT_FALSE(HasLongLine({"short", eighty, ""}, 80.0f));
    EXPECT_EQ(PrintFontPoints(HasLongLine({"short", eighty}, 80.0f)), 12);
    EXPECT_TRUE(HasLongLine({"short", eighty + "x"}, 80.0f));
    EXPECT_EQ(PrintFontPoints(HasLongLine({eighty + "x", "short"}, 80.0f)), 10);
    // Accented letters count once each: 80 of them are 160 bytes but not a long line.
    std::string accented;
    for (int i = 0; i < 80; ++i) accented += "\xC3\xA9";
    EXPECT_FALSE(HasLongLine({accented}, 80.0f));
    EXPECT_FALSE(HasLongLine({}, 80.0f));
}

TEST(SplitIntoPages, PagesOfTheGivenLengthWithTheRestOnTheLast) {
    const std::vector<std::string> lines = NumberedLines(130);
    const auto pages = SplitIntoPages(lines, 60);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].size(), 60u);
    EXPECT_EQ(pages[1].size(), 60u);
    EXPECT_EQ(pages[2].size(), 10u);
    EXPECT_EQ(pages[0].front(), "line 0");
    EXPECT_EQ(pages[1].front(), "line 60");
    EXPECT_EQ(pages[2].back(), "line 129");

    // A whole number of pages leaves no empty page behind.
    EXPECT_EQ(SplitIntoPages(NumberedLines(120), 60).size(), 2u);
    EXPECT_EQ(SplitIntoPages(NumberedLines(1), 60).size(), 1u);
    EXPECT_TRUE(SplitIntoPages({}, 60).empty());
}

TEST(SplitIntoPages, NoPositivePageLengthPutsEverythingOnOnePage) {
    for (const int perPage : {0, -1, -60}) {
        const auto pages = SplitIntoPages(NumberedLines(130), perPage);
        ASSERT_EQ(pages.size(), 1u) << perPage;
        EXPECT_EQ(pages[0].size(), 130u);
    }
}

TEST(PrintBuffer, WrittenLinesReadBackAsTheyWere) {
    const auto dir = testing::MakeTempDir();
    const auto path = PrintBufferPath(dir);
    EXPECT_EQ(path.filename(), "PRNTFILE.XXX");
    const std::vector<std::string> lines = {"first", "", "  indented  ", "last"};
    ASSERT_TRUE(WritePrintBuffer(path, lines).ok);
    EXPECT_EQ(testing::ReadWholeFile(path), "first\r\n\r\n  indented  \r\nlast\r\n");
    const auto read = ReadTextLines(path);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->lines, lines);

    ASSERT_TRUE(WritePrintBuffer(path, {"shorter"}).ok);
    EXPECT_EQ(testing::ReadWholeFile(path), "shorter\r\n");
    EXPECT_FALSE(WritePrintBuffer(dir / "absent" / "PRNTFILE.XXX", lines).ok);
}

}  // namespace
}  // namespace orrerion
