// Decoding the data files (UTF-8 or Windows-1252) and reading their records field by field.
#include <gtest/gtest.h>

#include "core/io/field_stream.h"
#include "core/io/text_encoding.h"
#include "test_paths.h"

namespace orrerion {
namespace {

TEST(DataText, Utf8IsKeptAndAnythingElseIsWindows1252) {
    EXPECT_EQ(DecodeDataText("Jos\xC3\xA9,M\xC3\xBCller"), "Jos\xC3\xA9,M\xC3\xBCller");
    // The same names written by an older system in Windows-1252.
    EXPECT_EQ(DecodeDataText("Jos\xE9,M\xFCller"), "Jos\xC3\xA9,M\xC3\xBCller");
    // The byte order mark is dropped, whichever way the rest is decoded.
    EXPECT_EQ(DecodeDataText("\xEF\xBB\xBFZo\xC3\xAB"), "Zo\xC3\xAB");
    EXPECT_EQ(DecodeDataText("\xEF\xBB\xBFZo\xEB"), "Zo\xC3\xAB");
    EXPECT_EQ(DecodeDataText("\xEF\xBB\xBF\xEF\xBB\xBFZo"), "Zo");
    // The 0x80..0x9F block: euro sign, curly quotes, and the undefined bytes as control characters.
    EXPECT_EQ(Windows1252ToUtf8("\x80\x93\x9F"), "\xE2\x82\xAC\xE2\x80\x9C\xC5\xB8");
    EXPECT_EQ(Windows1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
    // Every byte decodes to valid UTF-8, so any file gives text.
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const std::string decoded = Windows1252ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(decoded));
    EXPECT_EQ(CharacterCount(decoded), 256u);

    for (const char* bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC3",
                            "\x80", "\xFF"}) {
        EXPECT_FALSE(IsValidUtf8(bad)) << "overlong, surrogate, beyond U+10FFFF or cut short";
    }
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80 \xE2\x82\xAC"));
}

TEST(DataText, UpperCaseCoversTheAccentedLettersOfOldFiles) {
    EXPECT_EQ(UpperCaseText("ann"), "ANN");
    EXPECT_EQ(UpperCaseText("Jos\xC3\xA9 \xC3\xB8"), "JOS\xC3\x89 \xC3\x98");   // é ø
    EXPECT_EQ(UpperCaseText("\xC5\xA1\xC5\x93\xC5\xBE\xC3\xBF"),               // š œ ž ÿ
              "\xC5\xA0\xC5\x92\xC5\xBD\xC5\xB8");
    EXPECT_EQ(UpperCaseText("\xC3\xB7\xC3\x9F"), "\xC3\xB7\xC3\x9F") << "÷ and ß stay";
}

TEST(DataText, ReadDataFileLinesDecodesAndSplits) {
    const auto dir = testing::MakeTempDir();
    testing::WriteWholeFile(dir / "old.fil", "Zo\xEB,1\r\nb\n");
    const auto lines = ReadDataFileLines(dir / "old.fil");
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(lines->lines, (std::vector<std::string>{"Zo\xC3\xAB,1", "b"}));

    std::string error;
    EXPECT_FALSE(ReadDataFileLines(dir / "absent.fil", &error).has_value());
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
    EXPECT_FALSE(ReadDataFileLines(dir, &error).has_value()) << "a folder is not a file";
    EXPECT_NE(error.find("directory"), std::string::npos) << error;
}

// Every field of the stream until it stops, and how it stopped.
struct Drained {
    std::vector<std::string> fields;
    FieldReadFailure failure;
    std::size_t line;
};
Drained Drain(std::vector<std::string> lines, std::size_t limit = 100) {
    RecordFieldStream s(std::move(lines));
    Drained d;
    while (!s.AtEnd() && d.fields.size() < limit) {
        std::optional<std::string> f = s.Next();
        if (!f) break;
        d.fields.push_back(*f);
    }
    d.failure = s.failure();
    d.line = s.line();
    return d;
}

TEST(RecordFieldStream, FieldsRunAcrossLines) {
    // A record over two lines, and two records on one line, read the same as one per line.
    const Drained d = Drain({"Ann, 05 Jan 1950 ,9.30", "A,\"5\",071.05,42.21,Bob,\"x, y\"", ""});
    EXPECT_EQ(d.fields, (std::vector<std::string>{"Ann", "05 Jan 1950", "9.30", "A", "5", "071.05",
                                                  "42.21", "Bob", "x, y", ""}));
    EXPECT_EQ(d.failure, FieldReadFailure::None);
    EXPECT_EQ(d.line, 3u);

    // A lone carriage return ends a field like a line end; no field keeps one.
    EXPECT_EQ(Drain({"a\rb,c"}).fields, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(RecordFieldStream({}).AtEnd());
}

TEST(RecordFieldStream, ReadsFailAtDamageAndStayFailed) {
    struct Case {
        std::vector<std::string> lines;
        FieldReadFailure failure;
        std::size_t fieldsBefore;
        std::size_t line;
    };
    const Case cases[] = {
        {{"a,b", "\"unclosed,c", "d"}, FieldReadFailure::UnclosedQuote, 2, 2},
        {{"a", std::string(MaxRecordLineLength + 1, 'x')}, FieldReadFailure::LineTooLong, 1, 2},
        {{"a,b", std::string("c\0d", 3)}, FieldReadFailure::BinaryData, 2, 2},
    };
    for (const Case& c : cases) {
        RecordFieldStream s(c.lines);
        for (std::size_t k = 0; k < c.fieldsBefore; ++k) ASSERT_TRUE(s.Next().has_value());
        EXPECT_FALSE(s.AtEnd()) << "a damaged line is not the end of the file";
        EXPECT_FALSE(s.Next().has_value());
        EXPECT_EQ(s.failure(), c.failure);
        EXPECT_EQ(s.line(), c.line);
        EXPECT_FALSE(s.Next().has_value()) << "the failure is final";
        EXPECT_FALSE(s.AtEnd());
    }
    // A line of exactly the limit is still read.
    EXPECT_EQ(Drain({std::string(MaxRecordLineLength, 'x')}).failure, FieldReadFailure::None);

    RecordFieldStream s({"a"});
    ASSERT_TRUE(s.Next().has_value());
    EXPECT_TRUE(s.AtEnd());
    EXPECT_FALSE(s.Next().has_value()) << "reading past the end fails";
    EXPECT_EQ(s.failure(), FieldReadFailure::PastEnd);
    EXPECT_EQ(s.line(), 1u);
}

}  // namespace
}  // namespace orrerion
