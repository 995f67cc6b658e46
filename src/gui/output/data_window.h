#pragma once
// The data window (OutputD1): the data summary, report listings and help texts in a fixed-pitch
// font, with font, save, clear and print commands.
#include <QMainWindow>
#include <string>
#include <vector>

#include "core/run/calculation.h"

class QAction;
class QPlainTextEdit;

namespace orrerion::gui {

class Dialogs;
class WindowRequests;
struct DataWindowState;

class DataWindow : public QMainWindow {
    Q_OBJECT
public:
    // `calc` holds the buffers the window shows, saves, prints and clears, the chart's name for a
    // proposed file name, the options and the data folder; `windowTitle` heads the caption;
    // `state` keeps the font, place and save file between openings.
    DataWindow(WindowRequests& requests, Dialogs& dialogs, Calculation& calc,
               const std::string& windowTitle, DataWindowState& state, QWidget* parent = nullptr);

    // ShowDataWindow: one empty line added to both buffers when the report buffer holds more than
    // its first line, then DataLines put into the text and the window shown.
    void ShowData();
    // The text put back to DataLines as they stand, without adding to the buffers or showing the
    // window: after a calculation, the open window shows the new chart's summary and not the last
    // chart's listings.
    void ShowCurrentText();
    // Selects and shows the first line reading `line` (after its two blanks of indent) below the
    // listing title `heading`; false when the text holds no such line.
    bool SelectListingLine(const QString& heading, const QString& line);

    // The menu commands.
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFontsIncrease_Click();
    void mnuFontsDecrease_Click();
    void mnuFontsBold_Click();
    void mnuFontsItalic_Click();
    void mnuClearBuffer_Click();
    void mnuPrint_Click();
    void mnuPrintData_Click();
    void mnuHelp_Click();
    void mnuTimeline_Click();

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    // The stored data font on Text1 and the Bold and Italic ticks.
    void ApplyDataFont();
    // After every font command: the stored font applied, then (when there is text) the text shown
    // again and Increase/Decrease enabled by the size.
    void RefreshFont();
    // Increase (`larger`) or Decrease, when the size allows it.
    void StepFontSize(bool larger);
    void EnableFontSizeItems();
    // Records the window's place and size (in twips) unless the window is placing itself.
    void RecordLayout();
    // Save (or Save As): the report buffer written to the save file, its name asked first when
    // there is none yet or for Save As.
    void Save(bool saveAs);
    // Writes the report buffer as a data file; a failure is reported.
    void WriteDataFileTo(const QString& path);
    // Writes PRNTFILE.XXX and opens a fresh print window on it.
    void SendToPrintWindow(const std::vector<std::string>& lines);

    WindowRequests& requests_;
    Dialogs& dialogs_;
    Calculation& calc_;
    const std::string& windowTitle_;
    DataWindowState& state_;
    QPlainTextEdit* Text1_;
    QAction* mnuFontsIncrease_ = nullptr;
    QAction* mnuFontsDecrease_ = nullptr;
    QAction* mnuFontsBold_ = nullptr;
    QAction* mnuFontsItalic_ = nullptr;
    bool Positioning_ = false;
};

}  // namespace orrerion::gui
