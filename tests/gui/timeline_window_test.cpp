// The Timeline window: a note before any scan; after a 3650-day scan opened from the Data menu,
// one known bar painted in its aspect's colour with the background beside it; hovering it gives
// its report line, a double click shows that line in the data window; filters, keys and zoom; the
// whole span exported as SVG (well-formed XML, one run element per run) and printed.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>
#include <set>

#include "core/aspects/report_files.h"
#include "core/exports/exact_moments.h"
#include "core/pictures/timeline_sky.h"
#include "gui/app/main_window.h"
#include "gui/app/window_places.h"
#include "gui/output/data_window.h"
#include "gui/pictures/picture_painting.h"
#include "gui/pictures/timeline_window.h"
#include "gui_fixture.h"
#include "window_helpers.h"

using namespace orrerion;
using namespace orrerion::gui;
using namespace orrerion::gui::testing;

namespace {

// Whether a pixel is the role's colour laid over white at some opacity from `least` to full: each
// channel moved from white towards the role's by the same share.
bool IsRoleTint(QRgb pixel, ColourRole role, double least) {
    const Rgb c = ColourOf(role);
    const int rgb[3][2] = {{qRed(pixel), c.r}, {qGreen(pixel), c.g}, {qBlue(pixel), c.b}};
    double share = -1;
    for (const auto& [p, target] : rgb) {
        if (255 - target < 60) continue;  // too close to white to tell
        const double s = (255.0 - p) / (255.0 - target);
        if (share >= 0 && std::abs(s - share) > 0.12) return false;
        share = s;
    }
    return share >= least && share <= 1.05;
}

}  // namespace

class TimelineWindowTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheScanAndLeadsToItsLines();
    void showsTheAspectsOfAChosenPoint();
};

void TimelineWindowTest::showsTheAspectsOfAChosenPoint() {
    // Chiron chosen in SETTINGS.TXT as the Preferences window writes it, under precise positions,
    // with its lines in the reports and the listing.
    GuiFixture f;
    f.WriteDataFile("SETTINGS.TXT", "ephemeris = precise\npoints = chiron\npoints_in_reports = yes\n");
    f.Start();
    LoadExampleChart(f);
    f.dialogs.inputAnswers = {"1826"};
    f.shell->RunCalculation();
    QVERIFY2(f.session.chartComputed, f.dialogs.messages.empty() ? "" : qPrintable(f.dialogs.messages[0].text));
    const std::vector<std::string> listing = f.session.calc.out.DataLines.ToVector();
    QVERIFY(std::any_of(listing.begin(), listing.end(),
                        [](const std::string& line) { return line.starts_with("  CHIRON "); }));
    f.shell->ShowTimeline();
    TimelineWindow& window = f.shell->timeline();
    window.resize(1200, 760);
    QApplication::processEvents();
    // The mover list offers the point; chosen, the lanes are Chiron's in every family it moves in,
    // its transits among them, each named and drawn with its symbol.
    auto* mover = window.findChild<QComboBox*>("cboMover");
    const int chiron = ExtraPointBody(ExtraPoint::Chiron);
    QVERIFY(mover->findData(chiron) > 0);
    mover->setCurrentIndex(mover->findData(chiron));
    QApplication::processEvents();
    const TimelineLayout& layout = window.layout();
    std::set<AspectFamily> families;
    for (const std::uint32_t row : window.view().lanes()) {
        if (!IsLaneRow(row)) continue;
        const TimelineLane& lane = layout.lanes[row];
        QCOMPARE(int{lane.mover}, chiron);
        families.insert(lane.family);
        QVERIFY2(LaneLabel(lane).find(" CHIRON ") != std::string::npos, LaneLabel(lane).c_str());
        QVERIFY(LaneGlyphLabel(lane).starts_with("\u26B7"));
    }
    QVERIFY(families.count(AspectFamily::TransitToNatal));
    QVERIFY(families.count(AspectFamily::TransitToProgressed));
    SaveScreenshot(window, "timeline_chiron_transits");
}

void TimelineWindowTest::showsTheScanAndLeadsToItsLines() {
    GuiFixture f;
    f.Start();
    // Before any scan the window says so and exports nothing.
    f.shell->ShowTimeline();
    QVERIFY(f.shell->timeline().findChild<QLabel*>("lblNote")->text().startsWith("No scan yet"));
    Press(f.shell->timeline(), "cmdExportAll");
    QCOMPARE(f.dialogs.TakeMessages().size(), std::size_t{1});
    f.shell->unloadTimeline();

    LoadExampleChart(f);
    f.dialogs.inputAnswers = {"3650"};
    f.shell->RunCalculation();
    const ScanResult& scan = f.session.calc.scan;
    QVERIFY(scan.runs.size() > 1000);
    f.shell->main().findChild<QAction*>("mnuTimeline")->trigger();
    QVERIFY(f.shell->timelineLoaded());
    TimelineWindow& window = f.shell->timeline();
    QVERIFY(window.isVisible());
    window.resize(1200, 760);
    QApplication::processEvents();
    const TimelineLayout& layout = window.layout();
    QVERIFY(layout.runs.size() < scan.runs.size());  // progressed pairs once, not once each way
    TimelineView& view = window.view();
    // Every family ticked: every lane, each family's under its heading.
    std::size_t lanes = 0, headings = 0, skyRows = 0;
    std::set<AspectFamily> families;
    for (const std::uint32_t row : view.lanes()) {
        if (row == SkyHeadingRow || IsSkyRow(row)) {
            skyRows += IsSkyRow(row);
            continue;
        }
        if (IsHeadingRow(row)) {
            ++headings;
            QVERIFY(families.insert(HeadingFamily(row)).second);
        } else {
            ++lanes;
            QVERIFY(families.count(layout.lanes[row].family));
        }
    }
    QCOMPARE(lanes, layout.lanes.size());
    QCOMPARE(headings, FamilyCount);
    // Above them the Sky group of a ten-year scan: its heading, a row for each planet that turns
    // retrograde and the rows of ingresses, lunations, eclipses and the void Moon.
    QCOMPARE(view.lanes().front(), SkyHeadingRow);
    QVERIFY2(skyRows >= 10, qPrintable(QString::number(skyRows)));
    QVERIFY2(window.findChild<QLabel*>("lblNote")->text().startsWith(QString("%1 runs in %2 lanes").arg(layout.runs.size()).arg(lanes)),
             qPrintable(window.findChild<QLabel*>("lblNote")->text()));
    SaveScreenshot(window, "timeline_10_years");
    view.viewport().days = 365;
    view.viewport().Clamp();
    view.update();
    SaveScreenshot(window, "timeline_1_year");
    view.viewport().days = 730;
    view.viewport().Clamp();
    view.update();
    SaveScreenshot(window, "timeline_2_years");

    // The sky's events are those of the scan's days; with eclipses alone chosen the group holds
    // their row, and the pointer on the first eclipse names it and its moment.
    SkyEventRequest request;
    request.fromJD = layout.DiurnalJD;
    request.days = layout.ScanDays;
    QVERIFY(view.sky());
    QCOMPARE(view.sky()->events.size(), FindSkyEvents(f.session.calc.chart, f.session.calc.eph.Source, request).size());
    auto* cboSky = window.findChild<QComboBox*>("cboSky");
    cboSky->setCurrentText("Eclipse");
    QCOMPARE(view.lanes().at(0), SkyHeadingRow);
    QVERIFY(IsSkyRow(view.lanes().at(1)) && !IsSkyRow(view.lanes().at(2)));
    const SkyRow& eclipses = view.sky()->rows[view.lanes().at(1) & ~SkyRowFlag];
    QVERIFY(eclipses.kind == SkyEventKind::Eclipse && !eclipses.events.empty());
    const SkyEvent& eclipse = view.sky()->events[eclipses.events.front()];
    view.viewport().fromDay = 0;
    view.viewport().days = 365;
    view.viewport().firstRow = 0;
    view.viewport().Clamp();
    const TimelineFrame skyFrame = view.Frame();
    const QPointF onEclipse(skyFrame.X(eclipse.jd - layout.DiurnalJD), skyFrame.RowTop(1) + skyFrame.laneHeight / 2);
    QMouseEvent overEclipse(QEvent::MouseMove, onEclipse, view.mapToGlobal(onEclipse), Qt::NoButton, Qt::NoButton,
                            Qt::NoModifier);
    QApplication::sendEvent(&view, &overEclipse);
    QVERIFY2(view.hoverText().contains(" eclipse at ") &&
                 view.hoverText().contains(QString::fromStdString("At " + MinuteText(eclipse.jd, 0.0) + " UT")),
             qPrintable(view.hoverText()));
    cboSky->setCurrentText("all events");
    view.viewport().firstRow = 0;
    view.viewport().Clamp();
    view.update();
    SaveScreenshot(window, "timeline_sky_1_year");
    cboSky->setCurrentText("none");
    QVERIFY(std::none_of(view.lanes().begin(), view.lanes().end(),
                         [](std::uint32_t row) { return row == SkyHeadingRow || IsSkyRow(row); }));

    // On a 1366 x 768 screen (a 40-pixel panel below) the window fits whole, controls included,
    // with room for a larger font.
    QVERIFY2(window.minimumSizeHint().width() <= 1000, qPrintable(QString::number(window.minimumSizeHint().width())));
    const QRect laptop(0, 0, 1366, 728);
    window.resize(1600, 1000);
    FitWindow(window, laptop, nullptr);
    QApplication::processEvents();
    QVERIFY(laptop.contains(window.frameGeometry()));
    SaveScreenshot(window, "timeline_1366x768");

    // A bar of the sixth lane that begins after a gap: zoomed onto it, its middle is drawn in its
    // aspect's colour and the days before it show the background.
    std::size_t row = 5;
    const TimelineRun* bar = nullptr;
    for (; row < view.lanes().size() && !bar; ++row) {
        if (IsHeadingRow(view.lanes()[row])) continue;
        for (const TimelineRun& r : layout.RunsOf(layout.lanes[view.lanes()[row]])) {
            const auto before = &r - layout.runs.data();
            const bool gap = r.firstDay >= 30 && (&r == &layout.runs[layout.lanes[r.lane].runsAt] ||
                                                  layout.runs[static_cast<std::size_t>(before - 1)].lastDay < r.firstDay - 12);
            if (gap && r.lastDay - r.firstDay >= 4 && r.markCount > 0) {
                bar = &r;
                break;
            }
        }
    }
    QVERIFY(bar);
    --row;
    TimelineViewport& v = view.viewport();
    v.days = (bar->lastDay - bar->firstDay + 1) + 20;
    v.fromDay = bar->firstDay - 10;
    v.firstRow = static_cast<double>(row);
    v.Clamp();
    view.update();
    const QImage image = view.grab().toImage();
    const TimelineFrame frame = view.Frame();
    const int y = static_cast<int>(frame.RowTop(row) + frame.laneHeight / 2);
    const ColourRole role = layout.lanes[bar->lane].role;
    const int inside = static_cast<int>(frame.X(bar->firstDay + 1.3));
    const int outside = static_cast<int>(frame.X(bar->firstDay - 3));
    QVERIFY2(IsRoleTint(image.pixel(inside, y), role, RunOpacityFar - 0.05),
             qPrintable(QColor(image.pixel(inside, y)).name()));
    const QRgb background = image.pixel(outside, y);
    QVERIFY2(background == ToQColor(ColourRole::Background).rgb() || background == ToQColor(ColourRole::Band).rgb(),
             qPrintable(QColor(background).name()));
    SaveScreenshot(window, "timeline_one_bar");

    // Hovering it: its report line and orb; a double click shows the line in the data window.
    const QPoint onBar(inside, y);
    QMouseEvent move(QEvent::MouseMove, QPointF(onBar), view.mapToGlobal(QPointF(onBar)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
    const std::string line = RunLine(scan, scan.runs[bar->scanRun]);
    QVERIFY2(view.hoverText().startsWith(QString::fromStdString(line)), qPrintable(view.hoverText()));
    QVERIFY(view.hoverText().contains("Orb at exact"));
    // A transit also gives the moments it is exact, each in UT and in the diurnal zone's clock time
    // (zone 5: five hours behind).
    const Calculation& calc = f.session.calc;
    const std::vector<ExactMoment> moments = ExactMomentsOfRun(calc.chart, calc.eph, calc.options, scan, bar->scanRun);
    QVERIFY(!moments.empty());
    QCOMPARE(view.hoverText().count("\nExact at "), static_cast<qsizetype>(moments.size()));
    const std::string ut = MinuteText(moments[0].jd, 0.0);
    const std::string local = MinuteText(moments[0].jd - 5.0 / 24, 0.0);
    // Dates in the window are written as "13 Jan 2027", whatever the date order of the reports.
    QVERIFY2(QRegularExpression("^\\d\\d [A-Z][a-z]{2} \\d{4} \\d\\d:\\d\\d$").match(QString::fromStdString(ut)).hasMatch(),
             ut.c_str());
    QVERIFY2(view.hoverText().contains(QString::fromStdString("Exact at " + ut + " UT, " + local + " local")),
             qPrintable(view.hoverText()));
    QTest::mouseDClick(&view, Qt::LeftButton, {}, onBar);
    QVERIFY(f.shell->dataWindowLoaded());
    auto* text = f.shell->dataWindow().findChild<QPlainTextEdit*>("Text1");
    QCOMPARE(text->textCursor().selectedText(), QString::fromStdString("  " + line));

    // Keys and zoom move the view within the scan.
    QTest::keyClick(&view, Qt::Key_End);
    QCOMPARE(v.fromDay + v.days, 3650.0);
    const double days = v.days;
    QTest::keyClick(&view, Qt::Key_Minus);
    QVERIFY(v.days > days);
    QTest::keyClick(&view, Qt::Key_Home);
    QCOMPARE(v.fromDay, 0.0);

    // Filters: squares of the transits to natal only.
    window.findChild<QComboBox*>("cboAspect")->setCurrentText("square");
    for (const char* name : {"chkFamilySN", "chkFamilyPN", "chkFamilyPP", "chkFamilyTP"}) {
        window.findChild<QCheckBox*>(name)->setChecked(false);
    }
    QVERIFY(!view.lanes().empty());
    std::size_t shownRuns = 0, shownLanes = 0;
    for (const std::uint32_t lane : view.lanes()) {
        if (IsHeadingRow(lane)) {
            QVERIFY(HeadingFamily(lane) == AspectFamily::TransitToNatal);
            continue;
        }
        QCOMPARE(layout.lanes[lane].AspectCode, std::uint8_t{5});
        QVERIFY(layout.lanes[lane].family == AspectFamily::TransitToNatal);
        shownRuns += layout.lanes[lane].runCount;
        ++shownLanes;
    }
    // The status line counts what the filters show.
    const QString note = window.findChild<QLabel*>("lblNote")->text();
    QVERIFY2(note.startsWith(QString("%1 of %2 runs in %3 of %4 lanes")
                                 .arg(shownRuns)
                                 .arg(layout.runs.size())
                                 .arg(shownLanes)
                                 .arg(layout.lanes.size())),
             qPrintable(note));

    // The whole span as SVG: well-formed, one run element per shown run.
    const QString svg = QString::fromStdString((f.dataDir() / "John_timeline.svg").string());
    f.dialogs.saveAnswers = {svg};
    Press(window, "cmdExportAll");
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    std::size_t runs = 0, keys = 0;
    QString heading;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const QString cls = xml.attributes().value("class").toString();
        if (cls.startsWith("run ")) {
            ++runs;
            QCOMPARE(xml.attributes().value("data-family").toString(), QString("tn"));
        } else if (cls == "heading-title") {
            heading = xml.readElementText();
        } else if (cls == "key-text") {
            ++keys;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(runs, shownRuns);
    // Its heading names the chart, the whole span and the one family shown; the key has the hard,
    // soft and minor aspects.
    QCOMPARE(heading, QString("John Smith \u00B7 07 Dec 2026 to 03 Dec 2036 \u00B7 T\u2192N"));
    QCOMPARE(keys, std::size_t{3});
    QCOMPARE(window.findChild<QLabel*>("lblNote")->text(), "Saved " + svg);
    f.dialogs.saveAnswers = {QString::fromStdString((f.dataDir() / "John_timeline.png").string())};
    Press(window, "cmdExportAll");
    QImage exported(QString::fromStdString((f.dataDir() / "John_timeline.png").string()));
    QVERIFY(!exported.isNull());
    exported.copy(0, 0, exported.width(), 200).save(QDir(ORRERION_SCREENSHOT_DIR).filePath("timeline_export_top.png"));

    // Printed through the print dialog (to a PDF here), landscape, along the time axis.
    f.dialogs.printToPdf = QString::fromStdString((f.dataDir() / "timeline.pdf").string());
    Press(window, "cmdPrint");
    QVERIFY(QFileInfo(f.dialogs.printToPdf).size() > 1000);
}

QTEST_MAIN(TimelineWindowTest)
#include "timeline_window_test.moc"
