#include "gui/output/data_presenter.h"

namespace orrerion::gui {
namespace {

constexpr double LargestFontSize = 12.0;
constexpr double SmallestFontSize = 8.0;

// A buffer's count (the index of its last line) is above 0.
bool HasMoreThanFirstLine(const LineList& lines) { return lines.size() > 1; }

// A buffer holds something to show or print: more than one line, or one that is not empty.
bool HasText(const LineList& lines) {
    return lines.size() > 1 || (lines.size() == 1 && !lines.front().empty());
}

}  // namespace

bool FontCanGrow(double size) { return size < LargestFontSize; }
bool FontCanShrink(double size) { return size > SmallestFontSize; }

std::optional<double> NextFontSize(double size, double fontStep, bool larger) {
    if (larger ? !FontCanGrow(size) : !FontCanShrink(size)) return std::nullopt;
    return larger ? size + fontStep / 2 : size - fontStep / 2;
}

bool BlankLineBeforeShowing(const OutputBuffers& out) {
    return HasMoreThanFirstLine(out.OutputLines);
}

bool HasTextToShow(const OutputBuffers& out) { return HasText(out.DataLines); }

SaveStep DataSaveStep(const OutputBuffers& out, const QString& DataSaveFile, bool saveAs) {
    if (!HasMoreThanFirstLine(out.OutputLines)) return SaveStep::NothingToWrite;
    return saveAs || DataSaveFile.isEmpty() ? SaveStep::AskForFile : SaveStep::WriteSaveFile;
}

std::optional<std::vector<std::string>> LinesToPrint(const OutputBuffers& out, bool reports) {
    const bool any = reports ? HasMoreThanFirstLine(out.OutputLines) : HasText(out.DataLines);
    if (!any) return std::nullopt;
    return (reports ? out.OutputLines : out.DataLines).ToVector();
}

}  // namespace orrerion::gui
