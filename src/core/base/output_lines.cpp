#include "core/base/output_lines.h"

namespace orrerion {
namespace {

void MarkCut(std::vector<std::string>& lines, bool& cut) {
    if (cut) return;
    cut = true;
    if (lines.empty()) {
        lines.emplace_back(BufferCutNotice);
    } else {
        lines.back() = BufferCutNotice;
    }
}

}  // namespace

void AddOutputLine(OutputBuffers& b) {
    if (b.outputCut || b.OutputLines.size() >= static_cast<std::size_t>(MaxBufferLines)) {
        // The full report buffer stops both: a drop is marked once in each buffer.
        MarkCut(b.OutputLines, b.outputCut);
        MarkCut(b.DataLines, b.dataCut);
        return;
    }
    b.OutputLines.push_back(b.LineText);
    if (b.dataCut) return;
    if (b.DataLines.size() >= static_cast<std::size_t>(MaxBufferLines)) {
        MarkCut(b.DataLines, b.dataCut);
        return;
    }
    b.DataLines.push_back(b.LineText);
}

void AddBlankLine(OutputBuffers& b) {
    b.LineText.clear();
    AddOutputLine(b);
}

void ResetOutputLines(OutputBuffers& b) {
    b.OutputLines.assign(1, std::string());
    b.outputCut = false;
}

void ResetDataLines(OutputBuffers& b) {
    b.DataLines.assign(1, std::string());
    b.dataCut = false;
}

}  // namespace orrerion
