// The Returns window: opened from the Data menu after a chart, it lists a body's returns over a
// span as the core finds them (UT and the diurnal clock to the second, the longitude, the
// retrograde passes), and Show draws the chosen return chart inside the natal chart in the Wheel
// window (printed and exported as any wheel) with its summary in the data window, while the scan's
// listings stay in the saved data.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QSpinBox>
#include <QTableWidget>
#include <QXmlStreamReader>
#include <QtTest>
#include <algorithm>
#include <cmath>

#include "core/aspects/returns.h"
#include "core/base/text_tables.h"
#include "gui/app/main_window.h"
#include "gui/output/data_window.h"
#include "gui/output/returns_window.h"
#include "gui/pictures/wheel_window.h"
#include "gui_fixture.h"
#include "window_helpers.h"

using namespace orrerion;
using namespace orrerion::gui;
using namespace orrerion::gui::testing;

namespace {

constexpr double Second = 1.0 / 86400;

// "01/13/2027 05:57:12" (month/day/year, the fixture's locale) as a UT Julian date, read as if
// the clock were UT.
double JulianDateOf(const QString& text) {
    const QDateTime t = QDateTime::fromString(text, "MM/dd/yyyy HH:mm:ss");
    [&] { QVERIFY2(t.isValid(), qPrintable(text)); }();
    return 2440587.5 + static_cast<double>(QDateTime(t.date(), t.time(), Qt::UTC).toMSecsSinceEpoch()) / 86400000.0;
}

// "22 CAP 50 27" as degrees of longitude.
double LongitudeOf(const QString& text) {
    const QStringList parts = text.split(' ', Qt::SkipEmptyParts);
    [&] { QCOMPARE(parts.size(), 4); }();
    if (parts.size() != 4) return -1;
    const auto sign = SignAbbrevText.find(parts[1].toStdString());
    [&] { QVERIFY2(sign != std::string_view::npos && sign % 3 == 0, qPrintable(text)); }();
    return static_cast<double>(sign / 3) * 30 + parts[0].toDouble() + parts[2].toDouble() / 60 + parts[3].toDouble() / 3600;
}

double AngleApart(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360 - d);
}

const WheelLayout& WheelOf(WheelWindow& window) {
    return *window.findChild<WheelView*>("picWheel")->layout();
}

}  // namespace

class ReturnsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void returnsAreListedAndShownAsABiWheel();
};

void ReturnsWindowTest::returnsAreListedAndShownAsABiWheel() {
    GuiFixture f;
    f.Start();
    LoadExampleChart(f);
    f.dialogs.inputAnswers = {"10"};  // a short scan, whose listings the saved data keeps
    f.shell->RunCalculation();
    const Calculation& calc = f.session.calc;
    const std::vector<std::string> savedListings = calc.out.OutputLines.ToVector();
    QVERIFY(savedListings.size() > 40);

    QAction* menuItem = f.shell->main().findChild<QAction*>("mnuReturns");
    QVERIFY(menuItem->toolTip().contains("return chart"));
    menuItem->trigger();
    QVERIFY(f.shell->returnsLoaded());
    ReturnsWindow& window = f.shell->returns();
    QCOMPARE(window.objectName(), QString("Returns"));
    QVERIFY(window.isVisible());
    auto* body = window.findChild<QComboBox*>("cboBody");
    auto* from = window.findChild<QDateEdit*>("dtpFrom");
    auto* days = window.findChild<QSpinBox*>("txtDays");
    auto* grid = window.findChild<QTableWidget*>("grdReturns");
    QVERIFY(body && from && days && grid && window.findChild<QCheckBox*>("chkPrecessed"));
    for (QWidget* control : std::initializer_list<QWidget*>{body, from, days}) QVERIFY(!control->toolTip().isEmpty());

    // The Sun over a year from the diurnal date, at first: the birthday's return in January.
    QCOMPARE(body->currentText(), QString("Sun"));
    QCOMPARE(from->date(), QDate(2026, 12, 7));
    QCOMPARE(days->value(), 366);
    QCOMPARE(grid->rowCount(), 1);

    // Ten years of solar returns, row for row the core's moments: UT to the second, the typed
    // zone's clock five hours behind, the Sun back at its natal longitude, never retrograde.
    days->setValue(3653);
    Press(window, "cmdList");
    ReturnSearch search;
    search.body = SUN;
    search.fromJD = LocalMidnightJD(CalendarDate{7, 12, 2026}, 5.0);
    search.days = 3653;
    const std::vector<ReturnMoment> expected = FindReturns(calc.chart, calc.eph.Source, search);
    QCOMPARE(expected.size(), std::size_t{10});
    QCOMPARE(grid->rowCount(), 10);
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QString("Local time (UT-5)"));
    for (int row = 0; row < grid->rowCount(); ++row) {
        const ReturnMoment& m = expected[static_cast<std::size_t>(row)];
        const double ut = JulianDateOf(grid->item(row, 0)->text());
        QVERIFY2(std::fabs(ut - m.jd) <= 0.5 * Second + 1e-9, qPrintable(grid->item(row, 0)->text()));
        QVERIFY(std::fabs(JulianDateOf(grid->item(row, 1)->text()) - (ut - 5.0 / 24)) < 1e-6);
        const double longitude = LongitudeOf(grid->item(row, 2)->text());
        QVERIFY2(AngleApart(longitude, m.longitude) <= 0.5 / 3600 + 1e-9, qPrintable(grid->item(row, 2)->text()));
        QVERIFY2(AngleApart(longitude, calc.chart.NatalLong[SUN]) <= 1.0 / 3600, qPrintable(grid->item(row, 2)->text()));
        QCOMPARE(grid->item(row, 3)->text(), QString());
        QCOMPARE(QDateTime::fromString(grid->item(row, 0)->text(), "MM/dd/yyyy HH:mm:ss").date().month(), 1);
    }

    // Mercury: choosing it proposes its own span; over six years the passes of its retrograde loops
    // are marked as the core marks them.
    body->setCurrentIndex(body->findText("Mercury"));
    emit body->activated(body->currentIndex());
    QCOMPARE(days->value(), 400);
    days->setValue(2200);
    Press(window, "cmdList");
    QCOMPARE(grid->rowCount(), static_cast<int>(window.moments().size()));
    int backwards = 0;
    for (int row = 0; row < grid->rowCount(); ++row) {
        const bool retrograde = window.moments()[static_cast<std::size_t>(row)].retrograde;
        QCOMPARE(grid->item(row, 3)->text(), QString(retrograde ? "R" : ""));
        backwards += retrograde ? 1 : 0;
    }
    QVERIFY(backwards > 0);

    // Back to ten years of the Sun; Show draws the first return inside the natal chart.
    body->setCurrentIndex(body->findText("Sun"));
    emit body->activated(body->currentIndex());
    QCOMPARE(days->value(), 366);
    days->setValue(3653);
    Press(window, "cmdList");
    grid->selectRow(0);
    Press(window, "cmdShow");
    QVERIFY(f.shell->wheelLoaded());
    WheelWindow& wheel = f.shell->wheel();
    QVERIFY(wheel.isVisible() && wheel.showsReturn());
    wheel.resize(760, 900);
    QApplication::processEvents();
    const WheelLayout& layout = WheelOf(wheel);
    QVERIFY(std::find(layout.rings.begin(), layout.rings.end(), WheelRing::Return) != layout.rings.end());
    QVERIFY(std::find(layout.rings.begin(), layout.rings.end(), WheelRing::Natal) != layout.rings.end());
    int returnPoints = 0, natalPoints = 0;
    for (const WheelGlyph& g : layout.glyphs) {
        if (g.ring == WheelRing::Return) {
            ++returnPoints;
            if (g.body == SUN) QVERIFY(AngleApart(g.longitude, expected[0].longitude) < 1e-9);
        }
        if (g.ring == WheelRing::Natal) {
            ++natalPoints;
            QCOMPARE(g.longitude, calc.chart.NatalLong[static_cast<std::size_t>(g.body)]);
        }
    }
    // The return chart's ascendant and midheaven are the wheel's axes rather than glyphs.
    QCOMPARE(returnPoints, 10);
    QCOMPARE(natalPoints, 12);
    SaveScreenshot(wheel, "returns_solar_return_wheel");

    // The summary is the data window's text; the scan's listings stay in the saved data before it.
    QVERIFY(f.shell->dataWindowLoaded() && f.shell->dataWindow().isVisible());
    const std::vector<std::string> shown = calc.out.DataLines.ToVector();
    QVERIFY(std::find(shown.begin(), shown.end(), "  SOLAR RETURN - John Smith") != shown.end());
    QVERIFY(std::find_if(shown.begin(), shown.end(), [](const std::string& l) { return l.starts_with("  HOUSE CUSPS - "); }) !=
            shown.end());
    QVERIFY(std::find(shown.begin(), shown.end(), "  ASPECTS TO NATAL") != shown.end());
    const std::vector<std::string> saved = calc.out.OutputLines.ToVector();
    QVERIFY(saved.size() > savedListings.size());
    QVERIFY(std::equal(savedListings.begin(), savedListings.end(), saved.begin()));

    // Exported and printed as any wheel: one SVG element per point of the two rings.
    const QString svg = QString::fromStdString((f.dataDir() / "John_return.svg").string());
    f.dialogs.saveAnswers = {svg};
    Press(wheel, "cmdExport");
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    int points = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.attributes().value("class").toString().startsWith("point ")) {
            ++points;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(points, 22);
    f.dialogs.printToPdf = QString::fromStdString((f.dataDir() / "return.pdf").string());
    Press(wheel, "cmdPrint");
    QVERIFY(QFileInfo(f.dialogs.printToPdf).size() > 1000);

    window.resize(720, 520);
    window.raise();
    QApplication::processEvents();
    SaveScreenshot(window, "returns_window");

    // Data > Wheel draws the chosen rings again.
    f.shell->main().findChild<QAction*>("mnuWheel")->trigger();
    QVERIFY(!wheel.showsReturn());
    QVERIFY(std::find(WheelOf(wheel).rings.begin(), WheelOf(wheel).rings.end(), WheelRing::Return) ==
            WheelOf(wheel).rings.end());
}

QTEST_MAIN(ReturnsWindowTest)
#include "returns_window_test.moc"
