// "Find place…" and a pasted ISO date and time in the natal and diurnal windows, against a
// stand-in atlas: a shell script named ATLAS.EXE that prints the rows of ATLAS.EXE --places.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/records/diurnal_window.h"
#include "gui/records/natal_window.h"
#include "gui_fixture.h"

using namespace orrerion;
using namespace orrerion::gui;
using namespace orrerion::gui::testing;

namespace {

template <class T>
T& Child(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(name);
    if (!child) qFatal("%s has no %s", qPrintable(window.objectName()), name);
    return *child;
}
QString Text(QWidget& window, const char* box) { return Child<QLineEdit>(window, box).text(); }
bool Checked(QWidget& window, const char* button) { return Child<QRadioButton>(window, button).isChecked(); }

// The stand-in's answers: New York by its whole name, two Springfields for "Spring", nothing
// else. Tab-separated as the atlas prints them.
const QByteArray PlacesScript =
    "#!/bin/sh\n"
    "[ \"$1\" = --places ] || exit 2\n"
    "case \"$2\" in\n"
    "  'New York') printf '1\\tNew York\\tNew York\\tUnited States\\t40.714270\\t-74.005970\\tAmerica/New_York\\t8175133\\n'"
    " ;;\n"
    "  Spring) printf '0\\tSpringfield\\tMassachusetts\\tUnited States\\t42.101480\\t-72.589810\\tAmerica/New_York\\t155929\\n"
    "0\\tSpringfield\\tIllinois\\tUnited States\\t39.801720\\t-89.643710\\tAmerica/Chicago\\t116250\\n' ;;\n"
    "esac\n";

// Pastes `text` into a box as the person would: the clipboard, then Ctrl+V in the box.
void Paste(QLineEdit& box, const QString& text) {
    QApplication::clipboard()->setText(text);
    box.setFocus();
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
}

}  // namespace

class FindPlaceTest : public QObject {
    Q_OBJECT
private slots:
    void findPlaceAndPastedMomentsFillTheInputWindows();
};

void FindPlaceTest::findPlaceAndPastedMomentsFillTheInputWindows() {
    QTemporaryDir atlasDir;
    QFile script(atlasDir.filePath("ATLAS.EXE"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(PlacesScript);
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);

    GuiFixture f;
    f.Start();
    f.session.AtlasDir = atlasDir.path() + "/";
    NatalWindow& natal = f.shell->inputD();
    DiurnalWindow& diurnal = f.shell->inputD1();

    // An ISO date and time pasted into the month box fills the date, the clock and the meridiem.
    Paste(Child<QLineEdit>(natal, "txtMonth"), "1950-01-13T20:30");
    QCOMPARE(QStringList({Text(natal, "txtMonth"), Text(natal, "txtDay"), Text(natal, "txtYear"),
                          Text(natal, "txtBirthHour"), Text(natal, "txtBirthMinute")}),
             QStringList({"1", "13", "1950", "8", "30"}));
    QVERIFY(Checked(natal, "optPM"));
    // Into the hour box, in the morning: the hour rule is not shown the pasted text.
    Paste(Child<QLineEdit>(natal, "txtBirthHour"), "1950-01-13 08:30");
    QCOMPARE(Text(natal, "txtBirthHour"), QString("8"));
    QVERIFY(Checked(natal, "optAM"));
    QVERIFY(f.dialogs.TakeMessages().empty());

    // Find place: the atlas's New York, its place and the zone in force on that morning.
    f.dialogs.inputAnswers = {"New York"};
    QTest::mouseClick(&Child<QPushButton>(natal, "cmdFindPlace"), Qt::LeftButton);
    QCOMPARE(f.dialogs.prompts.back().title, QString("Find place"));
    QCOMPARE(QStringList({Text(natal, "txtTZ"), Text(natal, "txtLongDeg"), Text(natal, "txtLongMin"),
                          Text(natal, "txtLatDeg"), Text(natal, "txtLatMin")}),
             QStringList({"5", "74", "0", "40", "43"}));
    QVERIFY(Checked(natal, "optWest") && Checked(natal, "optNorth"));
    QLabel& natalZone = Child<QLabel>(natal, "lblZoneName");
    QCOMPARE(natalZone.text(), QString("America/New_York: EST, UTC-05:00"));
    QCOMPARE(natal.ZoneName(), std::string("America/New_York"));

    // A summer date typed afterwards: the same zone's daylight-saving offset.
    QLineEdit& month = Child<QLineEdit>(natal, "txtMonth");
    month.setFocus();
    month.selectAll();
    QTest::keyClicks(&month, "7");
    QCOMPARE(Text(natal, "txtTZ"), QString("4"));
    QCOMPARE(natalZone.text(), QString("America/New_York: EDT, UTC-04:00, daylight saving"));
    // A pasted moment the clocks showed twice: the earlier, said below the zone, whole.
    Paste(month, "2026-11-01T01:30");
    QCOMPARE(Text(natal, "txtTZ"), QString("4"));
    QVERIFY(natalZone.text().contains("\n2026-11-01 01:30 happened twice in America/New_York: the earlier"));
    QApplication::processEvents();  // the window takes the size of its contents
    QVERIFY(natalZone.height() >= natalZone.heightForWidth(natalZone.width()));
    QVERIFY(natalZone.geometry().bottom() < natal.height());
    SaveScreenshot(natal, "natal_find_place");

    // A zone typed by hand is no longer the named zone's.
    QLineEdit& zone = Child<QLineEdit>(natal, "txtTZ");
    zone.setFocus();
    zone.selectAll();
    QTest::keyClicks(&zone, "3");
    QVERIFY(natal.ZoneName().empty());
    QVERIFY(natalZone.text().isEmpty());

    // The diurnal window: a moment across the spring change, two Springfields, the second chosen.
    Paste(Child<QLineEdit>(diurnal, "txtDiurnalYear"), "2026-03-01T12:00");
    QCOMPARE(Text(diurnal, "txtDiurnalMonth"), QString("3"));
    QVERIFY(Checked(diurnal, "optDiurnalPM"));
    f.dialogs.inputAnswers = {"Spring", "2"};
    QTest::mouseClick(&Child<QPushButton>(diurnal, "cmdDiurnalFindPlace"), Qt::LeftButton);
    QVERIFY(f.dialogs.prompts.back().prompt.contains("2. Springfield | Illinois"));
    QCOMPARE(QStringList({Text(diurnal, "txtDiurnalTZ"), Text(diurnal, "txtDiurnalLongDeg"),
                          Text(diurnal, "txtDiurnalLongMin"), Text(diurnal, "txtDiurnalLatDeg"),
                          Text(diurnal, "txtDiurnalLatMin")}),
             QStringList({"6", "89", "39", "39", "48"}));
    QCOMPARE(Child<QLabel>(diurnal, "lblDiurnalZoneName").text(), QString("America/Chicago: CST, UTC-06:00"));
    SaveScreenshot(diurnal, "diurnal_find_place");

    // The calculation carries the diurnal zone's name to the exact moments. The diurnal date now
    // precedes the pasted birth, which the calculation asks about first: go ahead.
    f.dialogs.yesNoAnswers = {AnswerYes};
    QTest::mouseClick(&Child<QPushButton>(natal, "cmdOK"), Qt::LeftButton);
    QVERIFY(f.dialogs.yesNoAnswers.empty());
    QCOMPARE(f.session.calc.DiurnalZoneName, std::string("America/Chicago"));

    // A place the atlas does not know is reported, and nothing changes.
    f.dialogs.TakeMessages();
    f.dialogs.inputAnswers = {"Atlantis"};
    QTest::mouseClick(&Child<QPushButton>(diurnal, "cmdDiurnalFindPlace"), Qt::LeftButton);
    const std::vector<ScriptedDialogs::Shown> shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QVERIFY(shown.front().text.contains("no place of the atlas matches \"Atlantis\""));
    QCOMPARE(Text(diurnal, "txtDiurnalTZ"), QString("6"));
    QCOMPARE(diurnal.ZoneName(), std::string("America/Chicago"));
}

QTEST_MAIN(FindPlaceTest)
#include "find_place_test.moc"
