// One current calculation in every window. After a scan of a noon birth, with the wheel, timeline,
// export and data windows open: a refused input (birth day 32, Enter, OK on the warning) changes
// nothing in any window; a new chart whose day question is cancelled (birth hour 12 -> 3, Enter,
// Escape; then another house system, Escape) is what every window shows, the scan's windows saying
// that this chart has no scan. Each picture window's heading names the chart, its place and its
// moment.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

#include "core/aspects/summary.h"
#include "core/chart/input_checks.h"
#include "core/pictures/chart_heading.h"
#include "gui/app/main_window.h"
#include "gui/output/data_window.h"
#include "gui/output/export_window.h"
#include "gui/pictures/timeline_window.h"
#include "gui/pictures/wheel_window.h"
#include "gui/records/natal_window.h"
#include "gui_fixture.h"
#include "window_helpers.h"

using namespace orrerion;
using namespace orrerion::gui;
using namespace orrerion::gui::testing;

namespace {

QString LabelText(QWidget& window, const char* name) {
    auto* label = window.findChild<QLabel*>(name);
    return label ? label->text() : QString("<no %1>").arg(name);
}

// What each window shows of the calculation, read from its controls.
struct Shown {
    QString wheelHeading, wheelTitles;
    QString timelineHeading, timelineNote;
    std::size_t timelineRuns = 0;
    QString exportHeading, exportScan;
    bool dataWindowOpen = false;
    QString dataText;

    bool operator==(const Shown&) const = default;
};

Shown ShownIn(GuiFixture& f) {
    Shown shown;
    WheelWindow& wheel = f.shell->wheel();
    shown.wheelHeading = LabelText(wheel, "lblChart");
    const std::optional<WheelLayout>& layout = wheel.findChild<WheelView*>("picWheel")->layout();
    if (layout) {
        for (const WheelText& t : layout->titles) shown.wheelTitles += QString::fromStdString(t.text) + "\n";
    }
    TimelineWindow& timeline = f.shell->timeline();
    shown.timelineHeading = LabelText(timeline, "lblChart");
    shown.timelineNote = LabelText(timeline, "lblNote");
    shown.timelineRuns = timeline.layout().runs.size();
    ExportWindow& exportWindow = f.shell->exportWindow();
    shown.exportHeading = LabelText(exportWindow, "lblChart");
    shown.exportScan = LabelText(exportWindow, "lblScan");
    shown.dataWindowOpen = f.shell->dataWindowLoaded();
    if (shown.dataWindowOpen) shown.dataText = f.shell->dataWindow().findChild<QPlainTextEdit*>("Text1")->toPlainText();
    return shown;
}

// Every picture window carries one heading: the current chart's.
void CheckHeadings(const Shown& shown, const std::string& heading) {
    const QString expected = QString::fromStdString(heading);
    QCOMPARE(shown.wheelHeading, expected);
    QCOMPARE(shown.timelineHeading, expected);
    QCOMPARE(shown.exportHeading, expected);
}

QLineEdit& NatalBox(GuiFixture& f, const char* name) { return *f.shell->inputD().findChild<QLineEdit*>(name); }

// Types `text` over a natal field and presses Enter in it, as a person does.
void TypeAndEnter(GuiFixture& f, const char* field, const char* text) {
    QLineEdit& box = NatalBox(f, field);
    f.shell->inputD().activateWindow();
    box.setFocus();
    box.selectAll();
    QTest::keyClicks(&box, text);
    QTest::keyClick(&box, Qt::Key_Return);
}

// John Smith born at 12.00 P.M., scanned over 30 days, with every window of the calculation open.
void ScanNoonBirth(GuiFixture& f) {
    f.Start();
    LoadExampleChart(f);
    InputFields natal = f.shell->inputD().Fields();
    natal.hour = "12";
    natal.minute = "00";
    natal.am = false;
    f.shell->inputD().SetFields(natal);
    f.dialogs.inputAnswers = {"30"};
    f.shell->RunCalculation();
    QCOMPARE(f.session.calc.scan.ScanDays, 30);
    f.shell->ShowWheel();
    f.shell->ShowTimeline();
    f.shell->ShowExport();
    QVERIFY(f.shell->dataWindowLoaded());  // the scan showed its listings
    QApplication::processEvents();
}

}  // namespace

class CurrentCalculationTest : public QObject {
    Q_OBJECT
private slots:
    void refusedInputLeavesEveryWindowOnTheScannedChart();
    void newChartWithoutAScanReachesEveryWindow();
};

void CurrentCalculationTest::refusedInputLeavesEveryWindowOnTheScannedChart() {
    GuiFixture f;
    ScanNoonBirth(f);
    const Shown before = ShownIn(f);
    const std::string heading = ChartHeading(f.session.calc.chart);
    QVERIFY2(heading.find("natal 13 Jan 1950 12:00 P.M. UT-5:00 at 40°43′N 74°00′W") != std::string::npos,
             heading.c_str());
    CheckHeadings(before, heading);
    QVERIFY(before.wheelTitles.contains("Natal 13 Jan 1950 12.00 P.M."));
    QVERIFY(before.timelineRuns > 0);
    QVERIFY(before.exportScan.startsWith("Scan of 30 days"));
    QVERIFY(before.dataText.contains("Transit to natal planet aspects"));
    const std::size_t runs = f.session.calc.scan.runs.size();
    const std::vector<std::string> buffer = f.session.calc.out.OutputLines.ToVector();

    // Birth day 32, Enter: the warning, which the scripted box answers with OK; no day question.
    TypeAndEnter(f, "txtDay", "32");
    const std::vector<ScriptedDialogs::Shown> messages = f.dialogs.TakeMessages();
    QVERIFY(!messages.empty());
    QVERIFY2(messages.front().text.startsWith(NatalInputMessage), qPrintable(messages.front().text));
    QCOMPARE(f.dialogs.prompts.size(), std::size_t{1});  // the first calculation's only

    // Every window shows what it showed, the scan and the saved text are whole, and the
    // calculation still holds the fields of its chart while the window keeps the typed day.
    QApplication::processEvents();
    const Shown after = ShownIn(f);
    CheckHeadings(after, heading);
    QCOMPARE(after.wheelTitles, before.wheelTitles);
    QCOMPARE(after.timelineNote, before.timelineNote);
    QCOMPARE(after.timelineRuns, before.timelineRuns);
    QCOMPARE(after.exportScan, before.exportScan);
    QCOMPARE(after.dataText, before.dataText);
    QCOMPARE(f.session.calc.scan.runs.size(), runs);
    QCOMPARE(f.session.calc.out.OutputLines.ToVector(), buffer);
    QCOMPARE(f.session.calc.natal.day, std::string("13"));
    QCOMPARE(NatalBox(f, "txtDay").text(), QString("32"));

    // The export still writes the scan of the chart on show.
    const std::filesystem::path csv = f.dataDir() / "John_scan.csv";
    f.dialogs.saveAnswers = {QString::fromStdString(csv.string())};
    Press(f.shell->exportWindow(), "cmdExport");
    QVERIFY(f.dialogs.TakeMessages().empty());
    QVERIFY(ReadWholeFile(csv).size() > 100);
}

void CurrentCalculationTest::newChartWithoutAScanReachesEveryWindow() {
    GuiFixture f;
    ScanNoonBirth(f);
    const std::string noon = ChartHeading(f.session.calc.chart);

    // Birth hour 12 -> 3, Enter, Escape at "Number of Days".
    f.dialogs.inputAnswers = {""};
    TypeAndEnter(f, "txtBirthHour", "3");
    QVERIFY(f.dialogs.TakeMessages().empty());
    QCOMPARE(f.dialogs.prompts.size(), std::size_t{2});
    QVERIFY(f.dialogs.unanswered.isEmpty());
    QApplication::processEvents();

    // The 3 P.M. chart is the current one everywhere; the scan belonged to the noon chart.
    const std::string three = ChartHeading(f.session.calc.chart);
    QVERIFY2(three.find("natal 13 Jan 1950 3:00 P.M.") != std::string::npos, three.c_str());
    QVERIFY(three != noon);
    const Shown shown = ShownIn(f);
    CheckHeadings(shown, three);
    QVERIFY2(shown.wheelTitles.contains("Natal 13 Jan 1950 3.00 P.M."), qPrintable(shown.wheelTitles));
    QCOMPARE(shown.timelineRuns, std::size_t{0});
    QCOMPARE(shown.timelineNote, QString("Scan not run for this chart."));
    QVERIFY2(shown.exportScan.startsWith("Scan not run for this chart."), qPrintable(shown.exportScan));
    QCOMPARE(f.session.calc.scan.ScanDays, 0);
    // The open data window shows the new chart's summary, not the noon chart's listings.
    QVERIFY(shown.dataWindowOpen);
    QVERIFY2(shown.dataText.contains(QString::fromStdString(NatalDetailsLine(f.session.calc.chart))),
             qPrintable(shown.dataText.left(400)));
    QVERIFY(shown.dataText.contains(" 3.00 P.M."));
    QVERIFY(!shown.dataText.contains("12.00 P.M."));
    QVERIFY(!shown.dataText.contains("Transit to natal planet aspects"));
    // Exporting or printing the timeline says why there is nothing to give.
    Press(f.shell->timeline(), "cmdExportAll");
    Press(f.shell->exportWindow(), "cmdExport");
    std::vector<ScriptedDialogs::Shown> refusals = f.dialogs.TakeMessages();
    QCOMPARE(refusals.size(), std::size_t{2});
    for (const ScriptedDialogs::Shown& refusal : refusals) {
        QVERIFY2(refusal.text.startsWith("Scan not run for this chart."), qPrintable(refusal.text));
    }
    SaveDesktopScreenshot("one_chart_after_cancelled_days");
    SaveScreenshot(f.shell->timeline(), "timeline_scan_not_run");

    // Another house system, Escape at "Number of Days": the Koch chart everywhere. The Houses
    // command closes the data window, as the Input command does; its buffer holds the Koch summary.
    f.dialogs.inputAnswers = {""};
    f.shell->main().findChild<QAction*>("mnuHouseKoch")->trigger();
    QVERIFY(f.dialogs.TakeMessages().empty());
    QCOMPARE(f.dialogs.prompts.size(), std::size_t{3});
    QApplication::processEvents();
    const std::string koch = ChartHeading(f.session.calc.chart);
    QVERIFY2(koch.ends_with("Koch houses") && koch.find("3:00 P.M.") != std::string::npos, koch.c_str());
    const Shown housed = ShownIn(f);
    CheckHeadings(housed, koch);
    QVERIFY(housed.wheelTitles.contains("Koch houses"));
    QCOMPARE(housed.timelineNote, QString("Scan not run for this chart."));
    QVERIFY(housed.exportScan.startsWith("Scan not run for this chart."));
    QVERIFY(!housed.dataWindowOpen);
    const std::vector<std::string> summary = f.session.calc.out.DataLines.ToVector();
    QVERIFY(std::find(summary.begin(), summary.end(), "  HOUSE CUSPS - Koch") != summary.end());
    SaveScreenshot(f.shell->wheel(), "wheel_koch_without_scan");
}

QTEST_MAIN(CurrentCalculationTest)
#include "current_calculation_test.moc"
