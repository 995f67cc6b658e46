// The Export window (Data > Export...): refuses before a scan, writes the chosen format and
// families of the last scan into the file chosen in the save dialog, keeps its choice between
// openings and reports a file it cannot write.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QtTest>

#include "gui/app/main_window.h"
#include "gui/output/export_window.h"
#include "core/events/sky_events.h"
#include "core/exports/event_exports.h"
#include "gui_fixture.h"
#include "window_helpers.h"

using namespace orrerion;
using namespace orrerion::gui;
using namespace orrerion::gui::testing;

class ExportWindowTest : public QObject {
    Q_OBJECT
private slots:
    void exportsTheLastScan();
};

void ExportWindowTest::exportsTheLastScan() {
    GuiFixture f;
    f.Start();
    // Before any scan the window says so, and the button explains itself.
    f.shell->ShowExport();
    Press(f.shell->exportWindow(), "cmdExport");
    QCOMPARE(f.dialogs.TakeMessages().size(), std::size_t{1});

    LoadExampleChart(f);
    f.dialogs.inputAnswers = {"60"};
    f.shell->RunCalculation();
    QVERIFY(f.session.calc.scan.ScanDays == 60);
    f.shell->unloadExport();
    f.shell->main().findChild<QAction*>("mnuExport")->trigger();
    ExportWindow& window = f.shell->exportWindow();
    QVERIFY(window.isVisible());
    QVERIFY(window.findChild<QLabel*>("lblScan")->text().startsWith("Scan of 60 days from 07 Dec 2026"));

    // A table of the transits to natal only.
    window.findChild<QRadioButton*>("optCsv")->click();
    for (const char* box : {"chkSolarArcNatal", "chkProgressedNatal", "chkProgressedProgressed", "chkTransitProgressed"}) {
        window.findChild<QCheckBox*>(box)->click();
    }
    QApplication::processEvents();
    SaveScreenshot(window, "export");
    const std::filesystem::path csv = f.dataDir() / "John_scan.csv";
    f.dialogs.saveAnswers = {QString::fromStdString(csv.string())};
    Press(window, "cmdExport");
    QVERIFY(f.dialogs.TakeMessages().empty());
    const QStringList rows = QString::fromStdString(ReadWholeFile(csv)).split("\r\n", Qt::SkipEmptyParts);
    QVERIFY(rows.size() > 2);
    QVERIFY(rows.front().startsWith("kind,family,mover"));
    for (qsizetype i = 1; i < rows.size(); ++i) QVERIFY2(rows[i].contains(",transit_to_natal,"), qPrintable(rows[i]));

    // The choice stays for the next opening; a calendar with all-day runs.
    f.shell->unloadExport();
    f.shell->ShowExport();
    ExportWindow& again = f.shell->exportWindow();
    QVERIFY(again.findChild<QRadioButton*>("optCsv")->isChecked());
    QVERIFY(!again.findChild<QCheckBox*>("chkTransitProgressed")->isChecked());
    again.findChild<QRadioButton*>("optCalendar")->click();
    again.findChild<QCheckBox*>("chkRunEvents")->click();
    const std::filesystem::path ics = f.dataDir() / "John_scan.ics";
    f.dialogs.saveAnswers = {QString::fromStdString(ics.string())};
    Press(again, "cmdExport");
    const QString calendar = QString::fromStdString(ReadWholeFile(ics));
    QVERIFY(calendar.startsWith("BEGIN:VCALENDAR\r\n"));
    QVERIFY(calendar.contains("DTSTART;VALUE=DATE:"));
    QVERIFY(calendar.contains("CATEGORIES:Transit to natal\r\n"));
    QVERIFY(!calendar.contains("CATEGORIES:Solar arc"));

    // The sky's eclipses and lunations over the scanned days, after the runs: the JSON's events are
    // those the core finds, with the settings' orb.
    again.findChild<QRadioButton*>("optJson")->click();
    again.findChild<QCheckBox*>("chkEclipse")->click();
    again.findChild<QCheckBox*>("chkLunation")->click();
    SaveScreenshot(again, "export_sky_events");
    const std::filesystem::path json = f.dataDir() / "John_scan.json";
    f.dialogs.saveAnswers = {QString::fromStdString(json.string())};
    Press(again, "cmdExport");
    const QString written = QString::fromStdString(ReadWholeFile(json));
    SkyEventRequest request;
    request.fromJD = f.session.calc.chart.DiurnalJD;
    request.days = 60;
    request.kinds = {false, false, false, false, true, true, false};
    request.orbDeg = f.session.settings.settings.eventOrb;
    const std::vector<SkyEvent> found = FindSkyEvents(f.session.calc.chart, f.session.calc.eph.Source, request);
    QVERIFY(found.size() >= 8);
    for (const SkyEvent& e : found) {
        QVERIFY2(written.contains(QString::fromStdString(EventJsonObject(e))), qPrintable(QString::fromStdString(EventJsonObject(e))));
    }
    QCOMPARE(written.count("{\"kind\": "), static_cast<qsizetype>(found.size()));

    // A file that cannot be written: its path in the message, nothing written.
    const std::filesystem::path missing = f.dataDir() / "no folder" / "x.ics";
    f.dialogs.saveAnswers = {QString::fromStdString(missing.string())};
    Press(again, "cmdExport");
    const auto messages = f.dialogs.TakeMessages();
    QCOMPARE(messages.size(), std::size_t{1});
    QVERIFY(messages[0].text.contains(QString::fromStdString(missing.string())));
    QVERIFY(!std::filesystem::exists(f.dataDir() / "no folder"));
}

QTEST_MAIN(ExportWindowTest)
#include "export_window_test.moc"
