// The data window: showing the buffers, the menus, saving with form feeds, Save As proposals,
// clearing, the font commands, the remembered layout, the keys, and a listing after a calculation.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QtTest>
#include <set>

#include "core/base/output_lines.h"
#include "core/io/line_reader.h"
#include "core/records/name_record.h"
#include "gui/app/main_window.h"
#include "gui/output/data_window.h"
#include "gui/output/print_window.h"
#include "gui/records/diurnal_window.h"
#include "gui/records/natal_window.h"
#include "gui_fixture.h"
#include "window_helpers.h"

using namespace orrerion;
using namespace orrerion::gui;
using namespace orrerion::gui::testing;

namespace {

QAction* Action(QWidget& window, const char* name) {
    QAction* action = window.findChild<QAction*>(name);
    if (!action) qFatal("no action %s", name);
    return action;
}

QPlainTextEdit& Text1(DataWindow& window) { return *window.findChild<QPlainTextEdit*>("Text1"); }

// Both buffers hold `count` numbered lines, as after a listing.
void FillBuffers(GuiFixture& f, int count) {
    OutputBuffers& out = f.session.calc.out;
    out.OutputLines.clear();
    out.DataLines.clear();
    for (int i = 0; i < count; ++i) {
        out.LineText = "line " + std::to_string(i);
        AddOutputLine(out);
    }
}

// The 0-based data lines that a form-feed line follows in a saved file.
std::vector<int> LinesBeforeFormFeeds(const std::string& fileText) {
    std::vector<int> before;
    int dataLine = -1;
    for (const std::string& line : SplitTextLines(fileText).lines) {
        if (line == "\f") {
            before.push_back(dataLine);
        } else {
            ++dataLine;
        }
    }
    return before;
}

}  // namespace

class DataWindowTest : public QObject {
    Q_OBJECT
private slots:
    void windowMenusFontAndPlace();
    void showAddsABlankLineOnlyAfterOutput();
    void saveWritesFormFeedsAtPageEnds();
    void saveAsProposesTheFirstWordOfTheChartName_data();
    void saveAsProposesTheFirstWordOfTheChartName();
    void cancelledSaveAsWritesNothing();
    void emptyReportBufferIsNotSaved();
    void clearedBufferLeavesTheTextAndHasNothingToPrint();
    void printPageHandsTheShownTextToThePrintWindow();
    void fontSizeStepsWithinTheLimits();
    void boldAndItalicAreTickedAndKept();
    void layoutIsRememberedForTheNextOpening();
    void escapeAndRightClickGiveTheMainWindowFocus();
    void helpShowsTheWindowsHelpText();
    void listingAfterACalculation();
};

void DataWindowTest::windowMenusFontAndPlace() {
    GuiFixture f;
    f.Start();
    f.session.data.font.size = 10;
    DataWindow& window = f.shell->dataWindow();
    QCOMPARE(window.objectName(), QString("OutputD1"));
    QCOMPARE(window.windowTitle(), QString("(Tropical zodiac) - Orrerion Data"));

    const struct {
        const char* name;
        const char* caption;
    } menus[] = {{"mnuFile", "&File"}, {"mnuFonts", "F&ont"}};
    for (const auto& menu : menus) {
        QMenu* found = window.findChild<QMenu*>(menu.name);
        QVERIFY2(found, menu.name);
        QCOMPARE(found->title(), QString(menu.caption));
    }
    const struct {
        const char* name;
        const char* caption;
    } items[] = {
        {"mnuFileSave", "&Save"},          {"mnuFileSaveAs", "Save &As"},
        {"mnuFontsIncrease", "&Increase"}, {"mnuFontsDecrease", "&Decrease"},
        {"mnuFontsBold", "&Bold"},         {"mnuFontsItalic", "I&talic"},
        {"mnuClearBuffer", "&Clear all data"}, {"mnuPrint", "&Print page"},
        {"mnuPrintData", "Print &data"},   {"mnuHelp", "&Help"},
    };
    std::set<QString> keys;
    for (const auto& item : items) {
        QCOMPARE(Action(window, item.name)->text(), QString(item.caption));
        for (const QKeySequence& key : Action(window, item.name)->shortcuts()) {
            QVERIFY2(keys.insert(key.toString()).second, qPrintable(key.toString()));
        }
    }
    QCOMPARE(Action(window, "mnuFileSave")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(Action(window, "mnuPrint")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));

    // The text: read-only, fixed pitch, the stored size; no font message when one is installed.
    QPlainTextEdit& text = Text1(window);
    QVERIFY(text.isReadOnly());
    QVERIFY(QFontInfo(text.font()).fixedPitch());
    QCOMPARE(text.font().pointSizeF(), 10.0);
    QVERIFY(text.toPlainText().isEmpty());
    QVERIFY(f.dialogs.messages.empty());

    // The start-up layout: left 885, top 675, width 10605, height 9285 twips.
    QCOMPARE(window.pos(), QPoint(59, 45));
    QCOMPARE(window.size(), QSize(707, 619));
}

void DataWindowTest::showAddsABlankLineOnlyAfterOutput() {
    GuiFixture f;
    f.Start();
    OutputBuffers& out = f.session.calc.out;
    // Only the first line in the report buffer: the text is shown without a line added.
    ResetOutputLines(out);
    out.DataLines = {"help line 1", "help line 2"};
    f.shell->ShowDataWindow();
    DataWindow& window = f.shell->dataWindow();
    QVERIFY(window.isVisible());
    QCOMPARE(out.OutputLines.size(), std::size_t{1});
    QCOMPARE(out.DataLines.size(), std::size_t{2});
    QCOMPARE(Text1(window).toPlainText(), QString("help line 1\nhelp line 2\n"));

    // With output each showing appends one empty line to both buffers, and shows it.
    FillBuffers(f, 3);
    f.shell->ShowDataWindow();
    QCOMPARE(out.OutputLines.ToVector(), (std::vector<std::string>{"line 0", "line 1", "line 2", ""}));
    QCOMPARE(out.DataLines.ToVector(), (std::vector<std::string>{"line 0", "line 1", "line 2", ""}));
    QCOMPARE(Text1(window).toPlainText(), QString("line 0\nline 1\nline 2\n\n"));
}

void DataWindowTest::saveWritesFormFeedsAtPageEnds() {
    GuiFixture f;
    f.Start();
    f.session.calc.options[Option::SavedPageLength] = 60;
    f.session.calc.chart.ChartName = "John Smith";
    FillBuffers(f, 200);
    DataWindow& window = f.shell->dataWindow();
    const QString target = QString::fromStdString((f.dataDir() / "JOHN.DOC").string());
    f.dialogs.saveAnswers = {target};

    // No file chosen yet: Save asks as Save As does.
    Action(window, "mnuFileSave")->trigger();
    QCOMPARE(f.dialogs.saveRequests.size(), std::size_t{1});
    const SaveDialogRequest& request = f.dialogs.saveRequests[0];
    QCOMPARE(request.initialDir, QString::fromStdString(f.dataDir().string()));
    QCOMPARE(request.proposedName, QString("John.DOC"));
    QCOMPARE(request.defaultSuffix, QString("doc"));
    QCOMPARE(request.filter, QString("Data Files (*.DOC)"));
    QCOMPARE(f.session.data.DataSaveFile, target);

    const std::string saved = f.ReadDataFile("JOHN.DOC");
    QCOMPARE(LinesBeforeFormFeeds(saved), (std::vector<int>{59, 118, 177, 199}));
    QVERIFY(saved.rfind("line 0\r\nline 1\r\n", 0) == 0);
    QVERIFY(saved.find("line 59\r\n\f\r\nline 60\r\n") != std::string::npos);

    // The next Save writes the same file again, without asking, with the buffer as it is now.
    FillBuffers(f, 3);
    Action(window, "mnuFileSave")->trigger();
    QCOMPARE(f.dialogs.saveRequests.size(), std::size_t{1});
    QCOMPARE(f.ReadDataFile("JOHN.DOC"), std::string("line 0\r\nline 1\r\nline 2\r\n\f\r\n"));
    QVERIFY(f.dialogs.messages.empty());
    QVERIFY(f.dialogs.unanswered.isEmpty());
}

void DataWindowTest::saveAsProposesTheFirstWordOfTheChartName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("three words") << "Mary Ann Jones" << "Mary.DOC";
    QTest::newRow("long first word") << "Bartholomew Smith" << "Bartholo.DOC";
    QTest::newRow("one word") << "Now" << "Now.DOC";
    QTest::newRow("accented") << QString::fromUtf8("Chlo\xC3\xA9-Marie Dubois")
                              << QString::fromUtf8("Chlo\xC3\xA9-Ma.DOC");
}

void DataWindowTest::saveAsProposesTheFirstWordOfTheChartName() {
    QFETCH(QString, name);
    QFETCH(QString, proposed);
    GuiFixture f;
    f.Start();
    f.session.calc.chart.ChartName = name.toStdString();
    FillBuffers(f, 5);
    const QString target = QString::fromStdString((f.dataDir() / proposed.toStdString()).string());
    f.dialogs.saveAnswers = {target};
    Action(f.shell->dataWindow(), "mnuFileSaveAs")->trigger();
    QCOMPARE(f.dialogs.saveRequests.size(), std::size_t{1});
    QCOMPARE(f.dialogs.saveRequests[0].proposedName, proposed);
    QVERIFY(std::filesystem::exists(f.dataDir() / proposed.toStdString()));
}

void DataWindowTest::cancelledSaveAsWritesNothing() {
    GuiFixture f;
    f.Start();
    f.session.calc.chart.ChartName = "Mary Ann Jones";
    FillBuffers(f, 5);
    const auto before = std::distance(std::filesystem::directory_iterator(f.dataDir()), {});
    f.dialogs.saveAnswers = {""};
    Action(f.shell->dataWindow(), "mnuFileSaveAs")->trigger();
    QCOMPARE(f.dialogs.saveRequests.size(), std::size_t{1});
    QCOMPARE(std::distance(std::filesystem::directory_iterator(f.dataDir()), {}), before);
    QVERIFY(f.session.data.DataSaveFile.isEmpty());
    QVERIFY(f.dialogs.messages.empty());
}

void DataWindowTest::emptyReportBufferIsNotSaved() {
    GuiFixture f;
    f.Start();
    ResetOutputLines(f.session.calc.out);
    f.session.calc.out.OutputLines.set(0, "only a first line");
    f.session.data.DataSaveFile = QString::fromStdString((f.dataDir() / "OLD.DOC").string());
    DataWindow& window = f.shell->dataWindow();
    for (const char* item : {"mnuFileSave", "mnuFileSaveAs"}) {
        Action(window, item)->trigger();
        const auto shown = f.dialogs.TakeMessages();
        QCOMPARE(shown.size(), std::size_t{1});
        QCOMPARE(shown[0].text, QString("No data to write to file."));
        QCOMPARE(shown[0].title, QString("Information"));
        QCOMPARE(shown[0].icon, MessageIcon::Exclamation);
    }
    QVERIFY(f.dialogs.saveRequests.empty());
    QVERIFY(!std::filesystem::exists(f.dataDir() / "OLD.DOC"));
}

void DataWindowTest::clearedBufferLeavesTheTextAndHasNothingToPrint() {
    GuiFixture f;
    f.Start();
    FillBuffers(f, 10);
    f.shell->ShowDataWindow();
    DataWindow& window = f.shell->dataWindow();
    const QString shownBefore = Text1(window).toPlainText();
    const std::vector<std::string> dataBefore = f.session.calc.out.DataLines.ToVector();

    Action(window, "mnuClearBuffer")->trigger();
    auto shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].text, QString("All data cleared from buffer."));
    QCOMPARE(shown[0].title, QString("Information!"));
    QCOMPARE(shown[0].icon, MessageIcon::Exclamation);
    QCOMPARE(f.session.calc.out.OutputLines.ToVector(), std::vector<std::string>{""});
    QCOMPARE(f.session.calc.out.DataLines.ToVector(), dataBefore);

    std::filesystem::remove(f.dataDir() / "PRNTFILE.XXX");
    Action(window, "mnuPrintData")->trigger();
    shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].text, QString("No data to print."));
    QCOMPARE(shown[0].title, QString("Information"));
    QCOMPARE(shown[0].icon, MessageIcon::Exclamation);
    QCOMPARE(Text1(window).toPlainText(), shownBefore);
    QVERIFY(!shownBefore.isEmpty());
    QVERIFY(!std::filesystem::exists(f.dataDir() / "PRNTFILE.XXX"));
    QVERIFY(!f.shell->main().findChild<PrintWindow*>("PrntFile"));
}

void DataWindowTest::printPageHandsTheShownTextToThePrintWindow() {
    GuiFixture f;
    f.Start();
    FillBuffers(f, 4);
    f.session.calc.out.LineText = "report only";
    f.session.calc.out.OutputLines.push_back("report only");
    DataWindow& window = f.shell->dataWindow();

    Action(window, "mnuPrint")->trigger();
    QCOMPARE(f.ReadDataFile("PRNTFILE.XXX"), std::string("line 0\r\nline 1\r\nline 2\r\nline 3\r\n"));
    PrintWindow* print = f.shell->main().findChild<PrintWindow*>("PrntFile");
    QVERIFY(print);
    QVERIFY(print->isVisible());
    QCOMPARE(print->findChild<QPlainTextEdit*>("txtContent")->toPlainText(),
             QString("line 0\nline 1\nline 2\nline 3\n"));

    // Print data sends the report buffer, in a fresh window in place of the first.
    Action(window, "mnuPrintData")->trigger();
    QVERIFY(f.ReadDataFile("PRNTFILE.XXX").find("report only\r\n") != std::string::npos);
    const auto windows = f.shell->main().findChildren<PrintWindow*>("PrntFile");
    QCOMPARE(windows.size(), 1);
    QVERIFY(windows[0]->findChild<QPlainTextEdit*>("txtContent")->toPlainText().contains(
        "report only"));
    QCOMPARE(f.dialogs.busyCalls, 0);

    // An emptied display buffer prints nothing and says nothing.
    delete windows[0];
    ResetDataLines(f.session.calc.out);
    Action(window, "mnuPrint")->trigger();
    QVERIFY(!f.shell->main().findChild<PrintWindow*>("PrntFile"));
    QVERIFY(f.dialogs.messages.empty());
}

void DataWindowTest::fontSizeStepsWithinTheLimits() {
    GuiFixture f;
    f.Start();
    f.session.data.fontStep = 1.5;
    FillBuffers(f, 5);
    f.shell->ShowDataWindow();
    DataWindow& window = f.shell->dataWindow();
    QAction* increase = Action(window, "mnuFontsIncrease");
    QAction* decrease = Action(window, "mnuFontsDecrease");
    QCOMPARE(f.session.data.font.size, 8.5);
    QVERIFY(increase->isEnabled());

    std::size_t lines = f.session.calc.out.OutputLines.size();
    for (const double expected : {9.25, 10.0, 10.75, 11.5, 12.25}) {
        QVERIFY(increase->isEnabled());
        increase->trigger();
        QCOMPARE(f.session.data.font.size, expected);
        QCOMPARE(Text1(window).font().pointSizeF(), expected);
        // Each change shows the text again, which adds one empty line to both buffers.
        ++lines;
        QCOMPARE(f.session.calc.out.OutputLines.size(), lines);
        QCOMPARE(f.session.calc.out.DataLines.size(), lines);
        QVERIFY(f.session.calc.out.DataLines.back().empty());
    }
    QVERIFY(!increase->isEnabled());
    QVERIFY(decrease->isEnabled());
    increase->trigger();  // a disabled item does nothing
    QCOMPARE(f.session.data.font.size, 12.25);

    // Down from 8.5: 7.75, then Decrease is disabled.
    f.session.data.font.size = 8.5;
    decrease->setEnabled(true);
    decrease->trigger();
    QCOMPARE(f.session.data.font.size, 7.75);
    QVERIFY(!decrease->isEnabled());
    QVERIFY(increase->isEnabled());
    QCOMPARE(f.dialogs.busyCalls, 0);

    // The size is kept for the next opening of the window.
    f.shell->unloadDataWindow();
    QCOMPARE(Text1(f.shell->dataWindow()).font().pointSizeF(), 7.75);
    QVERIFY(!Action(f.shell->dataWindow(), "mnuFontsDecrease")->isEnabled());
}

void DataWindowTest::boldAndItalicAreTickedAndKept() {
    GuiFixture f;
    f.Start();
    FillBuffers(f, 5);
    f.shell->ShowDataWindow();
    DataWindow& window = f.shell->dataWindow();
    QAction* bold = Action(window, "mnuFontsBold");
    QAction* italic = Action(window, "mnuFontsItalic");
    QVERIFY(!bold->isChecked());
    QVERIFY(!italic->isChecked());

    bold->trigger();
    QVERIFY(bold->isChecked());
    QVERIFY(f.session.data.font.bold);
    QVERIFY(Text1(window).font().bold());
    QVERIFY(!Text1(window).font().italic());
    italic->trigger();
    QVERIFY(italic->isChecked());
    QVERIFY(f.session.data.font.italic);
    QVERIFY(Text1(window).font().italic());
    bold->trigger();
    QVERIFY(!bold->isChecked());
    QVERIFY(!f.session.data.font.bold);
    QVERIFY(!Text1(window).font().bold());

    // A new window starts with the kept style and ticks.
    f.shell->unloadDataWindow();
    DataWindow& next = f.shell->dataWindow();
    QVERIFY(!Action(next, "mnuFontsBold")->isChecked());
    QVERIFY(Action(next, "mnuFontsItalic")->isChecked());
    QVERIFY(Text1(next).font().italic());
}

void DataWindowTest::layoutIsRememberedForTheNextOpening() {
    GuiFixture f;
    f.Start();
    FillBuffers(f, 5);
    f.shell->ShowDataWindow();
    DataWindow& window = f.shell->dataWindow();
    QApplication::processEvents();
    // Showing the window at its remembered place leaves the remembered values as they were.
    QCOMPARE(f.session.data.placeTwips, QRect(885, 675, 10605, 9285));

    window.resize(640, 480);
    window.move(100, 80);
    QApplication::processEvents();
    QCOMPARE(f.session.data.placeTwips, QRect(1500, 1200, 9600, 7200));

    f.shell->unloadDataWindow();
    DataWindow& next = f.shell->dataWindow();
    QCOMPARE(next.size(), QSize(640, 480));
    QCOMPARE(next.pos(), QPoint(100, 80));
}

void DataWindowTest::escapeAndRightClickGiveTheMainWindowFocus() {
    GuiFixture f;
    f.Start();
    FillBuffers(f, 5);
    f.shell->ShowDataWindow();
    DataWindow& window = f.shell->dataWindow();
    QPlainTextEdit& text = Text1(window);
    const QString before = text.toPlainText();

    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&text, Qt::Key_Escape);
    QVERIFY(QTest::qWaitForWindowActive(&f.shell->main()));
    QCOMPARE(text.toPlainText(), before);

    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::mouseClick(text.viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(QApplication::activeWindow(), &window);
    QTest::mouseClick(text.viewport(), Qt::RightButton, {}, QPoint(20, 20));
    QVERIFY(QTest::qWaitForWindowActive(&f.shell->main()));
}

void DataWindowTest::helpShowsTheWindowsHelpText() {
    GuiFixture f;
    f.Start();
    f.WriteDataFile("OUTPUTD1.HLP", "How to save\r\nHow to print\r\n");
    FillBuffers(f, 3);
    f.shell->ShowDataWindow();
    Action(f.shell->dataWindow(), "mnuHelp")->trigger();
    QVERIFY(Text1(f.shell->dataWindow()).toPlainText().contains("How to save\nHow to print\n"));
    QVERIFY(f.dialogs.messages.empty());
}

void DataWindowTest::listingAfterACalculation() {
    GuiFixture f;
    f.Start();
    LoadExampleChart(f);
    f.dialogs.inputAnswers = {" 30"};
    f.shell->RunCalculation();
    QVERIFY2(f.dialogs.unanswered.isEmpty(), qPrintable(f.dialogs.unanswered.join("; ")));
    QVERIFY(f.shell->dataWindowLoaded());
    DataWindow& window = f.shell->dataWindow();
    QVERIFY(window.isVisible());
    QPlainTextEdit& text = Text1(window);
    QVERIFY(text.toPlainText().contains("John Smith"));
    QVERIFY(text.toPlainText().contains("Transit to natal planet aspects"));
    QCOMPARE(window.windowTitle(), QString("(Tropical zodiac) - Orrerion Data"));
    QApplication::processEvents();

    // Every listing line is shown whole: nothing to scroll sideways.
    int widest = 0;
    for (const std::string& line : f.session.calc.out.DataLines.ToVector()) {
        widest = std::max(widest, QFontMetrics(text.font()).horizontalAdvance(
                                      QString::fromStdString(line)));
    }
    QVERIFY2(widest <= text.viewport()->width(),
             qPrintable(QString("widest line %1 px, view %2 px").arg(widest).arg(
                 text.viewport()->width())));
    QCOMPARE(text.horizontalScrollBar()->maximum(), 0);
    SaveScreenshot(window, "data_window");

    // The listing handed to the print window.
    Action(window, "mnuPrint")->trigger();
    PrintWindow* print = f.shell->main().findChild<PrintWindow*>("PrntFile");
    QVERIFY(print);
    QCOMPARE(print->findChild<QPlainTextEdit*>("txtContent")->toPlainText(), text.toPlainText());
    QApplication::processEvents();
    QCOMPARE(print->findChild<QPlainTextEdit*>("txtContent")->horizontalScrollBar()->maximum(), 0);
    SaveScreenshot(*print, "print_window");
}

QTEST_MAIN(DataWindowTest)
#include "data_window_test.moc"
