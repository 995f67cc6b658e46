#pragma once
// The line under construction and the two output line buffers: OutputLines is what the data
// window saves and prints, DataLines what it shows.
#include <string>
#include <vector>

namespace orrerion {

inline constexpr int MaxBufferLines = 32767;  // the buffers' signed 16-bit line count

struct OutputBuffers {
    std::string LineText;                  // line under construction
    std::vector<std::string> OutputLines;  // saved and printed
    std::vector<std::string> DataLines;    // shown in the data window
    bool outputCut = false;                // lines were dropped at the limit
    bool dataCut = false;
};

// The last line of both buffers once lines have been dropped at the limit.
inline constexpr const char* BufferCutNotice =
    "*** This listing was cut at 32767 lines. The report files hold every line. ***";

// Appends LineText to OutputLines, then to DataLines. Once OutputLines holds MaxBufferLines lines,
// further lines are dropped from both; the first dropped line replaces the last line of each
// buffer by BufferCutNotice, so the buffers say that they are incomplete.
void AddOutputLine(OutputBuffers& b);
void AddBlankLine(OutputBuffers& b);  // LineText = "" then AddOutputLine

// A buffer emptied for a new listing holds one empty line.
void ResetOutputLines(OutputBuffers& b);
void ResetDataLines(OutputBuffers& b);

}  // namespace orrerion
