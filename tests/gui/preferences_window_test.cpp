// The Preferences window from the Options menu: one value saved into OPTIONS.OPT and read again, a
// setting saved into SETTINGS.TXT, a refused value, the precise choice greyed out with its reason;
// and the desktop side of the ephemeris choice: the setting reaches the calculation, and the note
// on the built-in series' years stands in the main window's status line until the next one.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "core/ephemeris/precise_ephemeris.h"
#include "core/records/name_record.h"
#include "core/run/run_calculation.h"
#include "gui/app/main_window.h"
#include "gui/app/preferences_window.h"
#include "gui/records/natal_window.h"
#include "gui/app/window_places.h"
#include "gui_fixture.h"
#include "window_helpers.h"

using namespace orrerion;
using namespace orrerion::gui;
using namespace orrerion::gui::testing;

namespace {

PreferencesWindow& OpenPreferences(GuiFixture& f) {
    f.shell->main().findChild<QAction*>("mnuPreferences")->trigger();
    return f.shell->preferences();
}

template <class W>
W& Control(QWidget& window, const char* name) {
    W* control = window.findChild<W*>(name);
    if (!control) qFatal("no control %s", name);
    return *control;
}

// `text` with the first 7 characters of line `line` (1-based, CR LF lines) replaced.
std::string WithLineStart(std::string text, int line, const std::string& start) {
    std::size_t at = 0;
    for (int n = 1; n < line; ++n) at = text.find("\r\n", at) + 2;
    return text.replace(at, 7, start);
}

// The natal record of `natalLine` and the diurnal moment of the example chart, calculated with
// the day question cancelled.
void Calculate(GuiFixture& f, const char* natalLine) {
    LoadExampleChart(f);
    InputFields natal = f.shell->inputD().Fields();
    LoadNameRecord(*NameRecordFromLine(natalLine), 0, InputSection::Natal, natal);
    f.shell->inputD().SetFields(natal);
    f.dialogs.inputAnswers = {""};
    f.shell->RunCalculation();
}

}  // namespace

class PreferencesWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void savesOneValueIntoTheOptionsFileAndReadsItAgain();
    void refusesAValueNamingItsControl();
    void ephemerisSettingReachesTheCalculationAndTheNoteTheStatusLine();

private:
    QTemporaryDir noEphemerisFiles_;
};

void PreferencesWindowTest::initTestCase() {
    // Before the library's first use on this thread: it finds no data files, so precise positions
    // are unavailable on every machine, and say why.
    QVERIFY(noEphemerisFiles_.isValid());
    qputenv(PreciseDataFolderVariable, noEphemerisFiles_.path().toUtf8());
}

void PreferencesWindowTest::savesOneValueIntoTheOptionsFileAndReadsItAgain() {
    GuiFixture f;
    f.Start();
    const std::string before = f.ReadDataFile("OPTIONS.OPT");
    PreferencesWindow& window = OpenPreferences(f);
    QVERIFY(window.isVisible());
    QCOMPARE(window.objectName(), QString("Preferences"));

    // The controls show the file: orbs, a tick box read as "0 = searched", the start-up houses.
    QCOMPARE(Control<QLineEdit>(window, "txtConjunctionOrb").text(), QString("8"));
    QCOMPARE(Control<QLineEdit>(window, "txtHomeLongitudeDegrees").text(), QString("71"));
    QVERIFY(Control<QCheckBox>(window, "chkMinorAspects").isChecked());
    QCOMPARE(Control<QComboBox>(window, "cboHouseSystem").currentText(), QString("Placidus"));
    QVERIFY(Control<QRadioButton>(window, "optEphemerisBuiltin").isChecked());
    QVERIFY(Control<QRadioButton>(window, "optAscendantLeft").isChecked());
    QCOMPARE(Control<QLineEdit>(window, "txtEventOrb").text(), QString("3"));

    // Greyed out, with the library's reason beside it.
    QVERIFY(!Control<QRadioButton>(window, "optEphemerisPrecise").isEnabled());
    const QString reason = QString::fromStdString(CheckPreciseEphemeris().reason);
    QVERIFY(!reason.isEmpty());
    QCOMPARE(Control<QLabel>(window, "lblPreciseUnavailable").text(), "Not available: " + reason);

    // Opened as large as its frames; on a screen smaller than they are (1024 x 768, or a 768-pixel
    // laptop less its panel and the window's title bar, or larger fonts) it opens inside the screen,
    // the frames scrolling above the buttons.
    SaveScreenshot(window, "preferences_window");
    QVERIFY2(window.height() <= 740, qPrintable(QString("%1 x %2").arg(window.width()).arg(window.height())));
    const QSize natural = window.size();
    for (const QRect screen : {QRect(0, 0, 1024, 728), QRect(0, 0, 1366, 600)}) {
        window.resize(natural);
        FitWindow(window, screen, nullptr);
        QApplication::processEvents();
        QVERIFY2(screen.contains(window.frameGeometry()),
                 qPrintable(QString("%1 x %2").arg(window.frameGeometry().width()).arg(window.frameGeometry().height())));
        QVERIFY(Control<QPushButton>(window, "btnSave").isVisible());
    }
    QVERIFY(window.findChild<QScrollArea*>("scrBody")->verticalScrollBar()->isVisible());
    SaveScreenshot(window, "preferences_window_low_screen");
    window.resize(natural);

    // One value changed and saved: only its field is rewritten, the options in force read it, no
    // settings file appears, and the window closes.
    Control<QLineEdit>(window, "txtSquareOrb").setText("7.5");
    Press(window, "btnSave");
    QVERIFY(f.dialogs.messages.empty());
    QTRY_VERIFY(!f.shell->preferencesLoaded());
    const std::string saved = f.ReadDataFile("OPTIONS.OPT");
    QVERIFY(saved == WithLineStart(before, 4, "7.5    "));
    QCOMPARE(f.session.calc.options[Option::SquareOrb], 7.5f);
    QVERIFY(!std::filesystem::exists(f.dataDir() / "SETTINGS.TXT"));

    // A setting changed: SETTINGS.TXT written and in force, OPTIONS.OPT left byte for byte.
    PreferencesWindow& again = OpenPreferences(f);
    QCOMPARE(Control<QLineEdit>(again, "txtSquareOrb").text(), QString("7.5"));
    Control<QRadioButton>(again, "optAriesLeft").setChecked(true);
    Control<QCheckBox>(again, "chkFamilyPP").setChecked(false);
    Control<QLineEdit>(again, "txtEventOrb").setText("2.5");
    Press(again, "btnSave");
    QTRY_VERIFY(!f.shell->preferencesLoaded());
    QVERIFY(f.ReadDataFile("OPTIONS.OPT") == saved);
    const std::string settings = f.ReadDataFile("SETTINGS.TXT");
    QVERIFY2(settings.find("wheel_orientation = aries_left\n") != std::string::npos, settings.c_str());
    QVERIFY2(settings.find("timeline_families = tn, sn, pn, tp\n") != std::string::npos, settings.c_str());
    QVERIFY2(settings.find("event_orb = 2.5\n") != std::string::npos, settings.c_str());
    QCOMPARE(f.session.settings.settings.eventOrb, 2.5);
    QVERIFY(f.session.settings.settings.wheelOrientation == WheelOrientation::AriesLeft);
    QVERIFY(!f.session.settings.settings.timelineFamilies[FamilyIndex(AspectFamily::ProgressedToProgressed)]);

    // Restore Defaults fills the controls from OPTIONS.MST and the default settings; Cancel
    // writes nothing.
    PreferencesWindow& third = OpenPreferences(f);
    Press(third, "cmdRestoreDefault");
    QCOMPARE(Control<QLineEdit>(third, "txtSquareOrb").text(), QString("8"));
    QCOMPARE(Control<QLineEdit>(third, "txtEventOrb").text(), QString("3"));
    QVERIFY(Control<QRadioButton>(third, "optAscendantLeft").isChecked());
    Press(third, "btnCancel");
    QTRY_VERIFY(!f.shell->preferencesLoaded());
    QVERIFY(f.ReadDataFile("OPTIONS.OPT") == saved);
    QVERIFY(f.ReadDataFile("SETTINGS.TXT") == settings);
    QVERIFY(f.dialogs.messages.empty());
}

void PreferencesWindowTest::refusesAValueNamingItsControl() {
    GuiFixture f;
    f.Start();
    const std::string before = f.ReadDataFile("OPTIONS.OPT");
    PreferencesWindow& window = OpenPreferences(f);
    Control<QLineEdit>(window, "txtTrineOrb").setText("6");
    Control<QLineEdit>(window, "txtHomeLatitudeDegrees").setText("95");
    Press(window, "btnSave");
    QCOMPARE(f.dialogs.messages.size(), std::size_t{1});
    QCOMPARE(f.dialogs.messages[0].text,
             QString("Home place used by NOW: Latitude takes a whole number from 0 to 90 degrees, "
                     "not \"95\"."));
    QVERIFY(window.isVisible());
    QVERIFY(f.ReadDataFile("OPTIONS.OPT") == before);
    QCOMPARE(f.session.calc.options[Option::TrineOrb], 8.0f);

    // So is an orb of the events beyond its range.
    Control<QLineEdit>(window, "txtHomeLatitudeDegrees").setText("42");
    Control<QLineEdit>(window, "txtEventOrb").setText("20");
    Press(window, "btnSave");
    QCOMPARE(f.dialogs.messages.size(), std::size_t{2});
    QCOMPARE(f.dialogs.messages[1].text,
             QString("Events: Lunation and eclipse orb takes a number from 0 to 15 degrees with at most 2 "
                     "decimals, not \"20\"."));
    QVERIFY(f.ReadDataFile("OPTIONS.OPT") == before);

    // No wheel ring ticked is refused too.
    Control<QLineEdit>(window, "txtEventOrb").setText("3");
    for (const char* ring : {"chkRingNatal", "chkRingProgressed", "chkRingSolarArc", "chkRingTransits"}) {
        Control<QCheckBox>(window, ring).setChecked(false);
    }
    Press(window, "btnSave");
    QCOMPARE(f.dialogs.messages.size(), std::size_t{3});
    QCOMPARE(f.dialogs.messages[2].text, QString("Wheel: tick at least one ring."));
    QVERIFY(f.ReadDataFile("OPTIONS.OPT") == before);
}

void PreferencesWindowTest::ephemerisSettingReachesTheCalculationAndTheNoteTheStatusLine() {
    GuiFixture f;
    f.WriteDataFile("SETTINGS.TXT", "ephemeris = precise\n");
    f.Start();
    MainWindow& main = f.shell->main();
    QStatusBar& status = Control<QStatusBar>(main, "sbrStatus");
    QLabel& note = Control<QLabel>(main, "lblNote");
    QVERIFY(!status.isVisible());
    const int thinHeight = main.height();

    // The precise setting is used, and refused before anything is computed: the calculation keeps
    // the positions of the charts that stand (none yet, built-in).
    Calculate(f, "Old Chart,13 Jan 1850,8.30,A,5,074.00,40.43");
    QVERIFY(f.session.calc.eph.Source == EphemerisSource::Builtin);
    QCOMPARE(f.dialogs.messages.size(), std::size_t{1});
    QVERIFY2(f.dialogs.messages[0].text.startsWith("precise positions unavailable: "),
             qPrintable(f.dialogs.messages[0].text));
    QVERIFY(!f.session.chartComputed);
    QVERIFY(!status.isVisible());

    // With the built-in series, a birth in 1850 brings the note once, under the menus.
    PreferencesWindow& window = OpenPreferences(f);
    QVERIFY(Control<QRadioButton>(window, "optEphemerisPrecise").isChecked());
    Control<QRadioButton>(window, "optEphemerisBuiltin").setChecked(true);
    Press(window, "btnSave");
    QTRY_VERIFY(!f.shell->preferencesLoaded());
    f.dialogs.yesNoAnswers = {AnswerYes};  // a birth outside the series' years is confirmed first
    Calculate(f, "Old Chart,13 Jan 1850,8.30,A,5,074.00,40.43");
    QVERIFY(f.session.chartComputed);
    QVERIFY(f.session.calc.eph.Source == EphemerisSource::Builtin);
    QVERIFY(status.isVisible());
    QCOMPARE(note.text().toStdString(), BuiltinYearsNote(PreciseChoiceText));
    QVERIFY2(note.text().contains("Pluto may be off by up to a degree"), qPrintable(note.text()));
    QVERIFY(main.height() > thinHeight);
    // The question before the calculation, then a note, not a message box.
    QCOMPARE(f.dialogs.messages.size(), std::size_t{2});
    QCOMPARE(f.dialogs.messages[1].title, QString(DateDoubtTitle));
    QVERIFY(f.dialogs.unanswered.isEmpty());
    SaveScreenshot(main, "main_window_note");

    // The next calculation inside the years takes the note away.
    Calculate(f, "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43");
    QVERIFY(!status.isVisible());
    QVERIFY(note.text().isEmpty());
    QCOMPARE(main.height(), thinHeight);
}

QTEST_MAIN(PreferencesWindowTest)
#include "preferences_window_test.moc"
