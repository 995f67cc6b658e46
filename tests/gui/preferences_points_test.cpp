// The Preferences window's points with the library's data files where the machine keeps them
// (swe-basic-data in the library's own folder): the points the built-in series lacks greyed out
// with the reason, enabled under precise positions; the points chosen saved into SETTINGS.TXT and
// used by the next calculation, and those the positions cannot compute left out with a note in the
// status line instead of refusing the chart.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest>

#include "core/ephemeris/precise_ephemeris.h"
#include "gui/app/main_window.h"
#include "gui/app/preferences_window.h"
#include "gui/output/data_window.h"
#include "gui_fixture.h"
#include "window_helpers.h"

using namespace orrerion;
using namespace orrerion::gui;
using namespace orrerion::gui::testing;

namespace {

template <class W>
W& Control(QWidget& window, const char* name) {
    W* control = window.findChild<W*>(name);
    if (!control) qFatal("no control %s", name);
    return *control;
}

PreferencesWindow& OpenPreferences(GuiFixture& f) {
    f.shell->main().findChild<QAction*>("mnuPreferences")->trigger();
    return f.shell->preferences();
}

// The point boxes of the Points frame, by objectName, and whether each is enabled.
QMap<QString, bool> PointBoxesEnabled(PreferencesWindow& window) {
    QMap<QString, bool> enabled;
    for (QCheckBox* box : Control<QGroupBox>(window, "fraPoints").findChildren<QCheckBox*>()) {
        if (box->objectName().startsWith("chkPoint") && box->objectName() != "chkPointsInReports") {
            enabled[box->objectName()] = box->isEnabled();
        }
    }
    return enabled;
}

// The example chart calculated without a scan; the data window's lines of the points' table.
QStringList CalculatedPointLines(GuiFixture& f) {
    LoadExampleChart(f);
    f.dialogs.inputAnswers = {"0"};
    f.shell->RunCalculation();
    QStringList lines;
    bool inTable = false;
    for (const std::string& line : f.session.calc.out.DataLines.ToVector()) {
        if (line.starts_with("  POINT")) inTable = true;
        else if (line.empty()) inTable = false;
        else if (inTable && !line.starts_with("  ---")) lines << QString::fromStdString(line.substr(2, 15)).trimmed();
    }
    return lines;
}

}  // namespace

class PreferencesPointsTest : public QObject {
    Q_OBJECT
private slots:
    void pointsGreyedOutWhereThePositionsLackThemAndChosenForTheCharts();
};

void PreferencesPointsTest::pointsGreyedOutWhereThePositionsLackThemAndChosenForTheCharts() {
    QVERIFY2(CheckPreciseEphemeris().available, CheckPreciseEphemeris().reason.c_str());
    GuiFixture f;
    f.Start();
    PreferencesWindow& window = OpenPreferences(f);
    QVERIFY(Control<QRadioButton>(window, "optEphemerisBuiltin").isChecked());

    // The built-in series: the nodes' mean, Lilith and Fortune only; the others greyed out with the
    // reason as their tip and in the frame's note.
    const QMap<QString, bool> builtin = PointBoxesEnabled(window);
    QCOMPARE(builtin.keys(), (QStringList{"chkPointCeres", "chkPointChiron", "chkPointFortune", "chkPointJuno",
                                          "chkPointLilith", "chkPointMeanNode", "chkPointPallas",
                                          "chkPointTrueNode", "chkPointVesta"}));
    for (auto it = builtin.begin(); it != builtin.end(); ++it) {
        const bool expected = it.key() == "chkPointMeanNode" || it.key() == "chkPointLilith" || it.key() == "chkPointFortune";
        QVERIFY2(it.value() == expected, qPrintable(it.key()));
    }
    const QString why = "only with precise positions (the Swiss Ephemeris)";
    QCOMPARE(Control<QCheckBox>(window, "chkPointChiron").toolTip(), "Not available: " + why);
    QVERIFY(Control<QCheckBox>(window, "chkPointMeanNode").toolTip().contains("with the mean south node"));
    QLabel& note = Control<QLabel>(window, "lblPointsUnavailable");
    QVERIFY(note.isVisible());
    QCOMPARE(note.text(), "Greyed out: " + why);
    QVERIFY(Control<QCheckBox>(window, "chkPointsInReports").toolTip().contains("format changes only when this is ticked"));

    // Precise positions with the data files: every point can be chosen, and there is nothing to note.
    Control<QRadioButton>(window, "optEphemerisPrecise").setChecked(true);
    for (auto [name, enabled] : PointBoxesEnabled(window).asKeyValueRange()) QVERIFY2(enabled, qPrintable(name));
    QVERIFY(note.isHidden());
    QVERIFY(Control<QCheckBox>(window, "chkPointTrueNode").toolTip().startsWith("Adds True node"));

    // The points chosen are saved with the Fortune rule and the reports' switch, and are in force.
    for (const char* name : {"chkPointChiron", "chkPointMeanNode", "chkPointFortune", "chkFortuneDayFormula",
                             "chkPointsInReports"}) {
        Control<QCheckBox>(window, name).setChecked(true);
    }
    Press(window, "btnSave");
    QTRY_VERIFY(!f.shell->preferencesLoaded());
    QVERIFY(f.dialogs.messages.empty());
    const std::string settings = f.ReadDataFile("SETTINGS.TXT");
    for (const char* line : {"\npoints = mean-node, chiron, fortune\n", "\nfortune_day_formula = yes\n",
                             "\npoints_in_reports = yes\n", "\nephemeris = precise\n"}) {
        QVERIFY2(settings.find(line) != std::string::npos, settings.c_str());
    }
    QVERIFY(f.session.settings.settings.points.Has(ExtraPoint::MeanSouthNode));

    // The next chart adds them: the data window's table of points, and nothing to note.
    QCOMPARE(CalculatedPointLines(f),
             (QStringList{"MEAN NODE", "MEAN SOUTH NODE", "CHIRON", "FORTUNE"}));
    QVERIFY(f.session.chartComputed);
    QVERIFY(f.session.calc.chart.Points.fortuneDayFormulaAlways);
    QLabel& status = Control<QLabel>(f.shell->main(), "lblNote");
    QVERIFY(status.text().isEmpty());
    f.shell->ShowDataWindow();
    QVERIFY(Control<QPlainTextEdit>(f.shell->dataWindow(), "Text1").toPlainText().contains("  CHIRON  "));

    // Back to the built-in series: the chart is calculated without Chiron, and the status line
    // says why; the setting keeps Chiron for the day precise positions come back.
    PreferencesWindow& again = OpenPreferences(f);
    QVERIFY(Control<QCheckBox>(again, "chkPointChiron").isChecked());
    Control<QRadioButton>(again, "optEphemerisBuiltin").setChecked(true);
    QVERIFY(!Control<QCheckBox>(again, "chkPointChiron").isEnabled());
    QVERIFY(Control<QCheckBox>(again, "chkPointChiron").isChecked());
    Press(again, "btnSave");
    QTRY_VERIFY(!f.shell->preferencesLoaded());
    QVERIFY(f.session.settings.settings.points.Has(ExtraPoint::Chiron));
    QCOMPARE(CalculatedPointLines(f), (QStringList{"MEAN NODE", "MEAN SOUTH NODE", "FORTUNE"}));
    QVERIFY(f.session.chartComputed);
    QVERIFY(f.dialogs.messages.empty());
    QCOMPARE(status.text(), "Points left out: Chiron \u2014 " + why);
}

QTEST_MAIN(PreferencesPointsTest)
#include "preferences_points_test.moc"
