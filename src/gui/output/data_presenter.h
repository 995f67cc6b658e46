#pragma once
// The rules of the data window (OutputD1) that need no pixels: its settings kept between openings,
// the font commands, and what Save, Save As, Print page and Print data do with the two buffers.
#include <QRect>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "core/base/output_lines.h"

namespace orrerion::gui {

// The data window's font.
struct DataFont {
    QString name = "COURIER NEW";
    double size = 8.5;  // points
    bool bold = false;
    bool italic = false;
};

// The data window's settings between its openings, written by the data window. Its place and size
// are kept in twips, as the layout values are (15 twips per pixel).
struct DataWindowState {
    DataFont font;
    double fontStep = 1.2;  // set at start-up for the screen
    QRect placeTwips{885, 675, 10605, 9285};  // left, top, width, height
    QString DataSaveFile;  // the file Save writes; emptied by the Input command
};

// The font size limits: Increase works below 12 points, Decrease above 8.
bool FontCanGrow(double size);
bool FontCanShrink(double size);
// The size after Increase (`larger`) or Decrease: half the font step up or down; nothing when the
// command does nothing at this size.
std::optional<double> NextFontSize(double size, double fontStep, bool larger);

// ShowData first adds one blank line to both buffers when the report buffer holds more than its
// first line (unless the window is minimized).
bool BlankLineBeforeShowing(const OutputBuffers& out);
// The font commands show the text again only when there is text to show.
bool HasTextToShow(const OutputBuffers& out);

// Save and Save As: nothing to write (only the first line of the report buffer), the name asked
// (Save As, or Save before any name was given), or the save file written.
enum class SaveStep { NothingToWrite, AskForFile, WriteSaveFile };
SaveStep DataSaveStep(const OutputBuffers& out, const QString& DataSaveFile, bool saveAs);

// The lines Print page (the text on show) or Print data (`reports`: the report buffer) hand to the
// print window; nothing when the buffer holds nothing to print.
std::optional<std::vector<std::string>> LinesToPrint(const OutputBuffers& out, bool reports);

}  // namespace orrerion::gui
