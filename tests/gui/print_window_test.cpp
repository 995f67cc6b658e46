// The print window: the hand-over file shown for editing, printing in pages to a PDF printer in 10
// or 12 points, the edited text kept in the hand-over file, Cancel and a cancelled printer dialog.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTemporaryDir>
#include <QtTest>

#include "core/base/output_lines.h"
#include "gui/app/main_window.h"
#include "gui/output/data_window.h"
#include "gui/output/print_window.h"
#include "gui_fixture.h"

using namespace orrerion;
using namespace orrerion::gui;
using namespace orrerion::gui::testing;

namespace {

std::vector<std::string> NumberedLines(int count, const std::string& prefix = "line ") {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) lines.push_back(prefix + std::to_string(i));
    return lines;
}

std::string CrLfText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// The pages of a PDF file: its page objects, not the page tree ("/Type /Pages").
int PdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString bytes = QString::fromLatin1(file.readAll());
    return static_cast<int>(bytes.count(QRegularExpression("/Type\\s*/Page(?![A-Za-z])")));
}

// Opens the print window as the data window does: the lines written to PRNTFILE.XXX first.
PrintWindow* OpenPrintWindow(GuiFixture& f, const std::vector<std::string>& lines) {
    f.WriteDataFile("PRNTFILE.XXX", CrLfText(lines));
    auto* window = new PrintWindow(f.dialogs, f.session.calc, &f.shell->main());
    if (!window->Load()) {
        delete window;
        return nullptr;
    }
    window->show();
    return window;
}

void Click(QWidget& window, const char* button) {
    window.findChild<QPushButton*>(button)->click();
}

QPlainTextEdit& Content(QWidget& window) { return *window.findChild<QPlainTextEdit*>("txtContent"); }

}  // namespace

class PrintWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(pdfDir_.isValid()); }
    void windowShowsTheHandOverFile();
    void longLineFoundFollowsOption16();
    void printsPagesOfOption13Lines_data();
    void printsPagesOfOption13Lines();
    void pageLengthWithoutPositiveValueStillPrintsEveryLine();
    void longLineSwitchesThePrintToTenPoints();
    void editedLinesArePrintedAndKept();
    void cancelledPrinterDialogLeavesTheWindowOpen();
    void cancelClosesWithoutPrinting();
    void dataWindowToPaper();

private:
    QString PdfPath(const QString& name) const { return pdfDir_.filePath(name + ".pdf"); }
    QTemporaryDir pdfDir_;
};

void PrintWindowTest::windowShowsTheHandOverFile() {
    GuiFixture f;
    f.Start();
    QPointer<PrintWindow> window = OpenPrintWindow(f, {"first line", "", "  indented", "last"});
    QVERIFY(window);
    QCOMPARE(window->objectName(), QString("PrntFile"));
    QCOMPARE(window->windowTitle(), QString("Data To Be Printed"));
    QCOMPARE(window->findChild<QPushButton*>("btnPrint")->text(), QString("Print"));
    QCOMPARE(window->findChild<QPushButton*>("btnCancel")->text(), QString("Cancel"));
    bool hint = false;
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        hint = hint || label->text() == "Ctrl-C to copy.  Ctrl-X to cut.  Ctrl-V to paste.";
    }
    QVERIFY(hint);
    QPlainTextEdit& content = Content(*window);
    QVERIFY(!content.isReadOnly());
    QVERIFY(QFontInfo(content.font()).fixedPitch());
    QCOMPARE(content.toPlainText(), QString("first line\n\n  indented\nlast\n"));

    // Eighty columns of the text fit without scrolling sideways.
    QApplication::processEvents();
    const int eighty = QFontMetrics(content.font()).horizontalAdvance(QString(80, 'M'));
    QVERIFY2(eighty <= content.viewport()->width(),
             qPrintable(QString("%1 > %2").arg(eighty).arg(content.viewport()->width())));
    delete window;

    // A hand-over file that cannot be read is reported and no window opens.
    std::filesystem::remove(f.dataDir() / "PRNTFILE.XXX");
    PrintWindow unreadable(f.dialogs, f.session.calc);
    QVERIFY(!unreadable.Load());
    QCOMPARE(f.dialogs.messages.size(), std::size_t{1});
    QVERIFY(f.dialogs.messages[0].text.contains("PRNTFILE.XXX"));
}

void PrintWindowTest::longLineFoundFollowsOption16() {
    GuiFixture f;
    f.Start();
    f.session.calc.options[Option::PrintLineWidth] = 80;
    std::unique_ptr<PrintWindow> window(OpenPrintWindow(f, {"short", std::string(80, 'x')}));
    QVERIFY(!window->longLineFound());
    window.reset(OpenPrintWindow(f, {"short", std::string(81, 'x'), "short"}));
    QVERIFY(window->longLineFound());
    window.reset(OpenPrintWindow(f, {"short"}));
    QVERIFY(!window->longLineFound());
}

void PrintWindowTest::printsPagesOfOption13Lines_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("pages");
    QTest::newRow("130 lines") << 130 << 3;
    QTest::newRow("120 lines, no empty page after") << 120 << 2;
    QTest::newRow("60 lines") << 60 << 1;
    QTest::newRow("61 lines") << 61 << 2;
    QTest::newRow("1 line") << 1 << 1;
}

void PrintWindowTest::printsPagesOfOption13Lines() {
    QFETCH(int, lines);
    QFETCH(int, pages);
    GuiFixture f;
    f.Start();
    f.session.calc.options[Option::PrintLinesPerPage] = 60;
    f.session.calc.options[Option::PrintLineWidth] = 80;
    QPointer<PrintWindow> window = OpenPrintWindow(f, NumberedLines(lines));
    f.dialogs.printToPdf = PdfPath(QString("pages%1").arg(lines));
    Click(*window, "btnPrint");

    QCOMPARE(f.dialogs.printerSetUps, 1);
    QCOMPARE(PdfPageCount(f.dialogs.printToPdf), pages);
    QVERIFY(window);  // closed, deleted once the event loop runs
    QCOMPARE(window->lastJob().pages, pages);
    QCOMPARE(window->lastJob().linesPerPage, 60);
    QCOMPARE(window->lastJob().font.pointSizeF(), 12.0);
    QVERIFY(!window->isVisible());
    QCOMPARE(f.dialogs.busyCalls, 0);
    QVERIFY(f.dialogs.messages.empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window);
}

void PrintWindowTest::pageLengthWithoutPositiveValueStillPrintsEveryLine() {
    // Without a page length of its own the print breaks where the paper is full.
    for (const int perPage : {0, -5}) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(PdfPath(QString("unbroken%1").arg(perPage)));
        const PrintedJob job = PrintLines(printer, NumberedLines(130), perPage, false);
        QVERIFY(job.started);
        QVERIFY(job.linesPerPage > 20);
        const int expected = (130 + job.linesPerPage - 1) / job.linesPerPage;
        QCOMPARE(job.pages, expected);
        QCOMPARE(PdfPageCount(printer.outputFileName()), expected);
    }
    // A page length longer than the paper holds breaks earlier too, rather than losing lines.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(PdfPath("tall"));
    const PrintedJob job = PrintLines(printer, NumberedLines(1000), 1000, false);
    QVERIFY(job.linesPerPage < 1000);
    QVERIFY(job.pages > 1);
    QCOMPARE(PdfPageCount(printer.outputFileName()), job.pages);
}

void PrintWindowTest::longLineSwitchesThePrintToTenPoints() {
    GuiFixture f;
    f.Start();
    f.session.calc.options[Option::PrintLinesPerPage] = 60;
    f.session.calc.options[Option::PrintLineWidth] = 80;
    // The longest line equal to option 16 keeps 12 points, one character more gives 10.
    for (const int width : {80, 81}) {
        std::vector<std::string> lines = NumberedLines(10);
        lines[4] = std::string(width, '#');
        QPointer<PrintWindow> window = OpenPrintWindow(f, lines);
        f.dialogs.printToPdf = PdfPath(QString("width%1").arg(width));
        Click(*window, "btnPrint");
        QVERIFY(window);
        QCOMPARE(window->lastJob().font.pointSizeF(), width > 80 ? 10.0 : 12.0);
        QVERIFY(QFontInfo(window->lastJob().font).fixedPitch());
        QCOMPARE(window->longLineFound(), width > 80);
        QCOMPARE(PdfPageCount(f.dialogs.printToPdf), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void PrintWindowTest::editedLinesArePrintedAndKept() {
    GuiFixture f;
    f.Start();
    f.session.calc.options[Option::PrintLinesPerPage] = 60;
    QPointer<PrintWindow> window = OpenPrintWindow(f, NumberedLines(3));
    QPlainTextEdit& content = Content(*window);
    QTextCursor cursor(content.document()->findBlockByNumber(1));
    cursor.select(QTextCursor::LineUnderCursor);
    cursor.insertText("edited second line");
    content.moveCursor(QTextCursor::End);
    content.insertPlainText("added line");
    f.dialogs.printToPdf = PdfPath("edited");
    Click(*window, "btnPrint");

    // The hand-over file holds the text as edited, each line ended once.
    QCOMPARE(f.ReadDataFile("PRNTFILE.XXX"),
             std::string("line 1\r\nedited second line\r\nline 3\r\nadded line\r\n"));
    QCOMPARE(PdfPageCount(f.dialogs.printToPdf), 1);
    QVERIFY(!window->isVisible());
}

void PrintWindowTest::cancelledPrinterDialogLeavesTheWindowOpen() {
    GuiFixture f;
    f.Start();
    QPointer<PrintWindow> window = OpenPrintWindow(f, NumberedLines(3));
    Content(*window).setPlainText("changed but not printed\n");
    f.dialogs.printToPdf.clear();
    Click(*window, "btnPrint");
    QCOMPARE(f.dialogs.printerSetUps, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->lastJob().pages, 0);
    QCOMPARE(f.ReadDataFile("PRNTFILE.XXX"), CrLfText(NumberedLines(3)));

    // An emptied text has nothing to print.
    Content(*window).clear();
    Click(*window, "btnPrint");
    QCOMPARE(f.dialogs.printerSetUps, 1);
    QCOMPARE(f.dialogs.messages.size(), std::size_t{1});
    QCOMPARE(f.dialogs.messages[0].text, QString("No data to print."));
    delete window;
}

void PrintWindowTest::cancelClosesWithoutPrinting() {
    GuiFixture f;
    f.Start();
    QPointer<PrintWindow> window = OpenPrintWindow(f, NumberedLines(3));
    f.dialogs.printToPdf = PdfPath("never");
    Click(*window, "btnCancel");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window);
    QCOMPARE(f.dialogs.printerSetUps, 0);
    QVERIFY(!QFile::exists(PdfPath("never")));
}

void PrintWindowTest::dataWindowToPaper() {
    GuiFixture f;
    f.Start();
    f.session.calc.options[Option::PrintLinesPerPage] = 60;
    OutputBuffers& out = f.session.calc.out;
    out.OutputLines.clear();
    out.DataLines.clear();
    for (const std::string& line : NumberedLines(130)) {
        out.LineText = line;
        AddOutputLine(out);
    }
    DataWindow& data = f.shell->dataWindow();
    data.findChild<QAction*>("mnuPrintData")->trigger();
    QPointer<PrintWindow> window = f.shell->main().findChild<PrintWindow*>("PrntFile");
    QVERIFY(window);
    f.dialogs.printToPdf = PdfPath("data");
    Click(*window, "btnPrint");
    QCOMPARE(PdfPageCount(f.dialogs.printToPdf), 3);
    QCOMPARE(f.ReadDataFile("PRNTFILE.XXX"), CrLfText(NumberedLines(130)));
}

QTEST_MAIN(PrintWindowTest)
#include "print_window_test.moc"
