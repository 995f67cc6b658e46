#pragma once
// Small steps the window tests share: changing an option line, loading the example chart, and
// reading, clicking and pressing the controls of the list windows.
#include <QStringList>
#include <string>

class QListWidget;
class QWidget;

namespace orrerion::gui::testing {

class GuiFixture;

// Replaces line `line` (1-based) of the options file in the fixture's data folder.
void SetOption(GuiFixture& f, int line, const std::string& value);

// A birth and a second moment, each a names-file record, loaded as the Names window does.
void LoadChart(GuiFixture& f, const std::string& natalLine, const std::string& diurnalLine);
// John Smith's chart for a fixed diurnal moment.
void LoadExampleChart(GuiFixture& f);

// The texts of a list's entries, top to bottom.
QStringList Entries(const QListWidget& list);

// A mouse click (or double click) on the list entry `row`, scrolled into view first.
void ClickEntry(QListWidget& list, int row, bool twice = false);

// Clicks the push button named `button` of the window; a missing button fails the test.
void Press(QWidget& window, const char* button);

}  // namespace orrerion::gui::testing
