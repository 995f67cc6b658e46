#pragma once
// The print window (PrntFile, "Data To Be Printed"): the text of PRNTFILE.XXX for a last edit,
// then printed in pages in a fixed-pitch font.
#include <QFont>
#include <QWidget>
#include <string>
#include <vector>

#include "core/run/calculation.h"

class QPlainTextEdit;
class QPrinter;

namespace orrerion::gui {

class Dialogs;

// What a print job put on paper.
struct PrintedJob {
    bool started = false;  // the printer accepted the job
    QFont font;            // the font the lines were drawn in
    int pages = 0;
    int linesPerPage = 0;  // the page length used (0: every line on one page)
};

// Prints the lines in the fixed-pitch font, 10 points when `longLineFound` else 12, a new page after
// every `linesPerPage` lines (0 or less: no page breaks of its own). Lines are spaced evenly down
// the printable area, never closer than the type size; should the pages of that length not fit the
// paper even so, pages break earlier, and lines wider than the paper are drawn smaller, so that no
// text runs off the page.
PrintedJob PrintLines(QPrinter& printer, const std::vector<std::string>& lines, int linesPerPage,
                      bool longLineFound);

class PrintWindow : public QWidget {
    Q_OBJECT
public:
    // `calc` gives the data folder (where PRNTFILE.XXX lies) and the options of the line width
    // and the page length.
    PrintWindow(Dialogs& dialogs, const Calculation& calc, QWidget* parent = nullptr);

    // Reads PRNTFILE.XXX into the text and sets longLineFound; false (after a message) when the
    // file cannot be read.
    bool Load();
    // A line of the text read (or, once printed, of the text as edited) is longer than option 16:
    // the print then uses 10 points instead of 12.
    bool longLineFound() const { return LongLineFound_; }

    void btnPrint_Click();
    void btnCancel_Click();

    // The last print job of this window.
    const PrintedJob& lastJob() const { return lastJob_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FitWidthToLines(const std::vector<std::string>& lines);

    Dialogs& dialogs_;
    const Calculation& calc_;
    QPlainTextEdit* txtContent_;
    PrintedJob lastJob_;
    bool LongLineFound_ = false;
};

}  // namespace orrerion::gui
