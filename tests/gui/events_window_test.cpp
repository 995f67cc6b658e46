// The Events window: opened from the Data menu (F7), before a chart it says so; after one it lists
// the sky's events over a span as the core finds them (UT and the diurnal clock to the minute, the
// kind, the body, what happens), its kind and body filters leave out rows, the settings' orb reaches
// the lunations, Print hands the listing to the print window, and Export writes the events listed
// as the core's writers write them.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>
#include <algorithm>
#include <cmath>

#include "core/aspects/returns.h"
#include "core/events/sky_events.h"
#include "core/exports/event_exports.h"
#include "gui/app/main_window.h"
#include "gui/output/events_window.h"
#include "gui/output/help_window.h"
#include "gui/output/print_window.h"
#include "gui_fixture.h"
#include "window_helpers.h"

using namespace orrerion;
using namespace orrerion::gui;
using namespace orrerion::gui::testing;

namespace {

constexpr double Minute = 1.0 / 1440;

// "05 Jan 2027 14:03" read as a UT Julian date, as if the clock were UT.
double JulianDateOf(const QString& text) {
    const QDateTime t = QDateTime::fromString(text, "dd MMM yyyy HH:mm");
    [&] { QVERIFY2(t.isValid(), qPrintable(text)); }();
    return 2440587.5 + static_cast<double>(QDateTime(t.date(), t.time(), Qt::UTC).toMSecsSinceEpoch()) / 86400000.0;
}

QCheckBox& KindBox(QWidget& window, SkyEventKind kind) {
    auto* box = window.findChild<QCheckBox*>(
        QString::fromStdString(KindControlName(SkyEventKinds[SkyEventKindIndex(kind)])));
    if (!box) qFatal("no tick box for a kind");
    return *box;
}

void Choose(QComboBox& list, const QString& text) {
    list.setCurrentIndex(list.findText(text));
    QVERIFY2(list.currentIndex() >= 0, qPrintable(text));
    emit list.activated(list.currentIndex());
}

// The rows of the grid against the events, one for one: the moment to the minute in UT and on the
// typed zone's clock five hours behind, the kind's label, the core's summary, a period's end.
void CompareRows(const QTableWidget& grid, const std::vector<SkyEvent>& events) {
    QCOMPARE(grid.rowCount(), static_cast<int>(events.size()));
    for (int row = 0; row < grid.rowCount(); ++row) {
        const SkyEvent& e = events[static_cast<std::size_t>(row)];
        const double ut = JulianDateOf(grid.item(row, 0)->text());
        QVERIFY2(std::fabs(ut - e.jd) <= 0.5 * Minute + 1e-7, qPrintable(grid.item(row, 0)->text()));
        QVERIFY(std::fabs(JulianDateOf(grid.item(row, 1)->text()) - (ut - 5.0 / 24)) < 1e-6);
        QCOMPARE(grid.item(row, 2)->text().toStdString(), std::string(SkyEventKindLabel(e.kind)));
        QCOMPARE(grid.item(row, 4)->text().toStdString(), EventSummary(e));
        const bool period = e.kind == SkyEventKind::Retrograde || e.kind == SkyEventKind::Void;
        QCOMPARE(grid.item(row, 5)->text().isEmpty(), !period);
        if (period) {
            QVERIFY(std::fabs(JulianDateOf(grid.item(row, 5)->text()) + 5.0 / 24 - e.endJD) <= 0.5 * Minute + 1e-7);
        }
    }
}

std::size_t HitCount(const std::vector<SkyEvent>& events) {
    std::size_t hits = 0;
    for (const SkyEvent& e : events) hits += e.hits.size();
    return hits;
}

}  // namespace

class EventsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void eventsAreListedFilteredPrintedAndExported();
};

void EventsWindowTest::eventsAreListedFilteredPrintedAndExported() {
    GuiFixture f;
    f.Start();

    // Before any chart the key opens it with a note and no rows.
    QAction* menuItem = f.shell->main().findChild<QAction*>("mnuEvents");
    QVERIFY(menuItem);
    QCOMPARE(menuItem->shortcut(), QKeySequence(Qt::Key_F7));
    menuItem->trigger();
    QVERIFY(f.shell->eventsLoaded());
    EventsWindow& window = f.shell->events();
    QCOMPARE(window.objectName(), QString("Events"));
    QVERIFY(window.isVisible());
    auto* grid = window.findChild<QTableWidget*>("grdEvents");
    auto* note = window.findChild<QLabel*>("lblNote");
    auto* from = window.findChild<QDateEdit*>("dtpFrom");
    auto* days = window.findChild<QSpinBox*>("txtDays");
    auto* body = window.findChild<QComboBox*>("cboBody");
    auto* format = window.findChild<QComboBox*>("cboFormat");
    QVERIFY(grid && note && from && days && body && format);
    for (QWidget* control : std::initializer_list<QWidget*>{from, days, body, format}) {
        QVERIFY(!control->toolTip().isEmpty());
    }
    QCOMPARE(grid->rowCount(), 0);
    QVERIFY2(note->text().startsWith("No chart yet."), qPrintable(note->text()));

    // A chart (the day question cancelled): the open window follows it, a year from the diurnal
    // date, every event the core finds for the same span, in its order.
    LoadExampleChart(f);
    f.dialogs.inputAnswers = {""};
    f.shell->RunCalculation();
    QVERIFY(f.session.chartComputed);
    const Calculation& calc = f.session.calc;
    QCOMPARE(from->date(), QDate(2026, 12, 7));
    QCOMPARE(days->value(), 365);
    SkyEventRequest request;
    request.fromJD = LocalMidnightJD(CalendarDate{7, 12, 2026}, 5.0);
    request.days = 365;
    const std::vector<SkyEvent> all = FindSkyEvents(calc.chart, calc.eph.Source, request);
    QVERIFY(all.size() > 100);
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QString("Local time (UT-5)"));
    CompareRows(*grid, all);
    // Dates as the picture windows write them; periods that began before the span come first.
    const QRegularExpression minute("^\\d\\d [A-Z][a-z][a-z] \\d{4} \\d\\d:\\d\\d$");
    for (int row = 0; row < 3; ++row) {
        for (int column : {0, 1}) {
            QVERIFY2(minute.match(grid->item(row, column)->text()).hasMatch(), qPrintable(grid->item(row, column)->text()));
        }
    }
    QVERIFY(all.front().jd < request.fromJD && all.front().kind == SkyEventKind::Retrograde);
    QVERIFY2(note->text().startsWith(QString("%1 events in 365 days.").arg(all.size())), qPrintable(note->text()));
    QVERIFY2(note->text().contains("within 3\u00B0"), qPrintable(note->text()));

    // Kinds left out: the rows of the other kinds stay, as the core lists them when asked for them
    // alone.
    KindBox(window, SkyEventKind::Void).setChecked(false);
    KindBox(window, SkyEventKind::HouseIngress).setChecked(false);
    SkyEventRequest fewer = request;
    fewer.kinds[SkyEventKindIndex(SkyEventKind::Void)] = false;
    fewer.kinds[SkyEventKindIndex(SkyEventKind::HouseIngress)] = false;
    const std::vector<SkyEvent> someKinds = FindSkyEvents(calc.chart, calc.eph.Source, fewer);
    QVERIFY(someKinds.size() + 12 < all.size());  // a year has more than a dozen void Moons
    CompareRows(*grid, someKinds);
    QVERIFY2(note->text().startsWith(QString("%1 of %2 events").arg(someKinds.size()).arg(all.size())),
             qPrintable(note->text()));

    // One body: Mars's stations, its retrograde period and its ingresses.
    Choose(*body, "Mars");
    std::vector<SkyEvent> mars;
    std::copy_if(someKinds.begin(), someKinds.end(), std::back_inserter(mars),
                 [](const SkyEvent& e) { return e.body == MARS; });
    QVERIFY(mars.size() >= 3);
    CompareRows(*grid, mars);
    QCOMPARE(window.listed().size(), mars.size());

    // Export: the events listed, as the core's writers write them.
    const QString json = QString::fromStdString((f.dataDir() / "John_events.json").string());
    Choose(*format, "JSON (.json)");
    f.dialogs.saveAnswers = {json};
    Press(window, "cmdExport");
    QVERIFY(f.dialogs.messages.empty());
    QCOMPARE(f.dialogs.saveRequests.back().proposedName, QString("John_events.json"));
    QVERIFY(ReadWholeFile(json.toStdString()) == EventsJson(mars));
    const QString csv = QString::fromStdString((f.dataDir() / "mars.csv").string());
    Choose(*format, "Table (.csv)");
    f.dialogs.saveAnswers = {csv};
    Press(window, "cmdExport");
    QVERIFY(ReadWholeFile(csv.toStdString()) == EventsCsv(mars));

    // Print: the listing in the print window, then on paper.
    Press(window, "cmdPrint");
    auto* print = f.shell->main().findChild<PrintWindow*>("PrntFile");
    QVERIFY(print && print->isVisible());
    const QString printed = print->findChild<QPlainTextEdit*>("txtContent")->toPlainText();
    QVERIFY2(printed.startsWith("  SKY EVENTS - John Smith\n"), qPrintable(printed));
    QCOMPARE(printed.count('\n'), 4 + static_cast<int>(mars.size()));
    for (int row = 0; row < grid->rowCount(); ++row) {
        QVERIFY2(printed.contains(grid->item(row, 0)->text() + "  " + grid->item(row, 1)->text()),
                 qPrintable(grid->item(row, 0)->text()));
        QVERIFY(printed.contains(grid->item(row, 4)->text()));
    }
    f.dialogs.printToPdf = QString::fromStdString((f.dataDir() / "events.pdf").string());
    Press(*print, "btnPrint");
    QVERIFY(QFileInfo(f.dialogs.printToPdf).size() > 1000);

    // The orb of the preferences reaches the lunations and eclipses at the next List.
    Choose(*body, "All bodies");
    KindBox(window, SkyEventKind::Void).setChecked(true);
    KindBox(window, SkyEventKind::HouseIngress).setChecked(true);
    const std::size_t hitsAtThree = HitCount(window.listed());
    f.session.settings.settings.eventOrb = 10;
    Press(window, "cmdList");
    QCOMPARE(window.request().orbDeg, 10.0);
    QVERIFY(HitCount(window.listed()) > hitsAtThree);
    QVERIFY2(note->text().contains("within 10\u00B0"), qPrintable(note->text()));

    // Help shows the window's own help in the Help window.
    Press(window, "cmdHelp");
    QVERIFY(f.shell->helpLoaded());
    QVERIFY(f.shell->help().text().startsWith("EVENTS WINDOW"));

    f.session.settings.settings.eventOrb = DefaultEventOrb;
    Press(window, "cmdList");
    window.resize(1000, 620);
    window.raise();
    QApplication::processEvents();
    SaveScreenshot(window, "events_window");

    // A point chosen for the charts: the next chart's listing holds its events, and the body
    // filter offers it by name (Lilith enters Aquarius in June 2027).
    ChoosePoint(f.session.settings.settings.points, ExtraPoint::Lilith);
    f.dialogs.inputAnswers = {""};
    f.shell->RunCalculation();
    QVERIFY(f.session.calc.chart.Points.Has(ExtraPoint::Lilith));
    QCOMPARE(body->itemText(body->count() - 1), QString("Lilith"));
    Choose(*body, "Lilith");
    QCOMPARE(window.listed().size(), std::size_t{1});
    QCOMPARE(grid->item(0, 3)->text(), QString("Lilith"));
    QCOMPARE(grid->item(0, 4)->text(), QString("LILITH enters Aquarius"));
}

QTEST_MAIN(EventsWindowTest)
#include "events_window_test.moc"
