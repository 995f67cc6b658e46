// The two output line buffers and their line limit.
#include <gtest/gtest.h>

#include "core/base/output_lines.h"

namespace orrerion {
namespace {

TEST(OutputLines, LinesGoToBothBuffers) {
    OutputBuffers b;
    ResetOutputLines(b);
    ResetDataLines(b);
    b.LineText = "first";
    AddOutputLine(b);
    b.LineText = "kept";
    AddBlankLine(b);
    EXPECT_EQ(b.LineText, "");
    const std::vector<std::string> expected{"", "first", ""};
    EXPECT_EQ(b.OutputLines, expected);
    EXPECT_EQ(b.DataLines, expected);
}

TEST(OutputLines, ALimitDropMarksBothBuffersOnce) {
    OutputBuffers b;
    for (int i = 0; i < MaxBufferLines; ++i) {
        b.LineText = "line " + std::to_string(i);
        AddOutputLine(b);
    }
    ASSERT_EQ(b.OutputLines.size(), static_cast<std::size_t>(MaxBufferLines));
    EXPECT_EQ(b.OutputLines.back(), "line 32766");  // a full buffer without a drop is untouched
    EXPECT_FALSE(b.outputCut);

    for (int i = 0; i < 3; ++i) {
        b.LineText = "dropped";
        AddOutputLine(b);
    }
    EXPECT_EQ(b.OutputLines.size(), static_cast<std::size_t>(MaxBufferLines));
    EXPECT_EQ(b.DataLines.size(), static_cast<std::size_t>(MaxBufferLines));
    EXPECT_EQ(b.OutputLines.back(), BufferCutNotice);
    EXPECT_EQ(b.DataLines.back(), BufferCutNotice);
    EXPECT_EQ(b.OutputLines[MaxBufferLines - 2], "line 32765");
    EXPECT_TRUE(b.outputCut);
    EXPECT_TRUE(b.dataCut);

    // A shorter data buffer is stopped with the full report buffer and says so.
    ResetDataLines(b);
    b.LineText = "more";
    AddOutputLine(b);
    EXPECT_EQ(b.DataLines, (std::vector<std::string>{BufferCutNotice}));

    // Emptying a buffer starts it afresh.
    ResetOutputLines(b);
    ResetDataLines(b);
    AddOutputLine(b);
    EXPECT_EQ(b.OutputLines, (std::vector<std::string>{"", "more"}));
    EXPECT_EQ(b.DataLines, (std::vector<std::string>{"", "more"}));
}

TEST(OutputLines, TheDataBufferCanFillFirst) {
    // The saved buffer may have been emptied while the shown one kept the summary.
    OutputBuffers b;
    b.DataLines.assign(MaxBufferLines - 1, "shown");
    b.LineText = "a";
    AddOutputLine(b);
    b.LineText = "b";
    AddOutputLine(b);
    EXPECT_EQ(b.OutputLines, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(b.DataLines.size(), static_cast<std::size_t>(MaxBufferLines));
    EXPECT_EQ(b.DataLines.back(), BufferCutNotice);
}

}  // namespace
}  // namespace orrerion
