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

void AddOutputLine(OutputBuffers& b);  // appends LineText to OutputLines, then to DataLines
void AddBlankLine(OutputBuffers& b);   // LineText = "" then AddOutputLine

}  // namespace orrerion
