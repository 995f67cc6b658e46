// The bridge to the atlas program, against a stand-in atlas: a shell script named ATLAS.EXE that
// writes the exchange files the way the atlas does (or fails to).
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "gui/app/session.h"
#include "gui/records/atlas_bridge.h"
#include "gui/records/diurnal_window.h"
#include "gui/records/natal_window.h"
#include "gui/ui/scripted_dialogs.h"
#include "gui_fixture.h"

using namespace orrerion;
using namespace orrerion::gui;

namespace {

const QString PathPrompt =
    "Enter the complete path for where ATLAS.EXE resides: \r\n\r\n"
    "(Example: c:\\atlas OR c:\\charts\\atlas OR d:\\windows\\atlas\\)";

// The place file the stand-in leaves: latitude, longitude and zone on lines 2, 3 and 5.
QByteArray PlaceFile(const char* latitude, const char* longitude, const char* zone) {
    return QByteArray("Somewhere\r\n") + latitude + "\r\n" + longitude + "\r\nnote\r\n" + zone + "\r\n";
}

// A folder holding a stand-in ATLAS.EXE. It records its arguments in ARGS.TXT and runs `body` in
// its own folder; WritePath names that folder in PCATPATH.TXT as the atlas does.
class StandIn {
public:
    explicit StandIn(const QByteArray& body) {
        QFile script(dir.filePath("ATLAS.EXE"));
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\ncd \"$(dirname \"$0\")\" || exit 1\necho \"$@\" > ARGS.TXT\n" + body + "\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    QString path() const { return dir.path() + "/"; }
    QByteArray Arguments() const { return Read("ARGS.TXT").trimmed(); }
    QByteArray Read(const QString& name) const {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void WritePlace(const QByteArray& content) const {
        QFile file(dir.filePath("place.txt"));
        file.open(QIODevice::WriteOnly);
        file.write(content);
    }
    QTemporaryDir dir;
};

// The stand-in that behaves like the atlas after "Use this place": both files, the place taken
// from place.txt that the test wrote.
const QByteArray WritesBothFiles =
    "printf '%s/\\r\\n' \"$(pwd)\" > PCATPATH.TXT\ncp place.txt TSRTEMP.TXT";

NatalFields BirthFields() {
    NatalFields f;
    f.txtName = "John Smith";
    f.txtMonth = "1";
    f.txtDay = "13";
    f.txtYear = "1950";
    f.txtBirthHour = "8";
    f.txtBirthMinute = "30";
    f.optAM = true;
    f.txtTZ = "0";
    f.txtLongDeg = "0";
    f.txtLongMin = "0";
    f.txtLatDeg = "0";
    f.txtLatMin = "0";
    return f;
}

struct Bridge {
    ScriptedDialogs dialogs;
    Session session{dialogs};
};

}  // namespace

class AtlasBridgeTest : public QObject {
    Q_OBJECT
private slots:
    void acceptedPlaceFillsZoneAndPlaceAndPassesTheMoment();
    void diurnalFieldsAndTheMeridiemOfTheMoment();
    void launchFailureAsksForThePathAndTriesAgain();
    void cancelledPathPromptGivesUpAndAsksAgainNextTime();
    void missingPathFileIsReported();
    void missingPlaceFileIsReported();
    void answerNoFillsNothing();
    void cancelInTheAtlasOffersNoEarlierPlace();
    void unsignedZoneEastOfGreenwichBecomesNegative();
    void windowsKeepAnsweringWhileTheAtlasRuns();
    void atlasLabelsFillTheirOwnWindow();
};

void AtlasBridgeTest::acceptedPlaceFillsZoneAndPlaceAndPassesTheMoment() {
    StandIn atlas(WritesBothFiles);
    atlas.WritePlace(PlaceFile("42N21", "71W04", "5"));
    Bridge b;
    b.session.AtlasDir = atlas.path();
    b.dialogs.yesNoAnswers = {AnswerYes};
    NatalFields f = BirthFields();

    QVERIFY(FillNatalFromAtlas(b.session, f, nullptr));
    QCOMPARE(atlas.Arguments(), QByteArray("--date 1950-01-13 --time 08:30"));
    QCOMPARE(b.dialogs.messages.size(), size_t(1));
    QCOMPARE(b.dialogs.messages[0].title, QString("Accept or Reject data"));
    QCOMPARE(b.dialogs.messages[0].text,
             QString("Accept following data? \r\n\r\nLongitude = 71W04\r\nLatitude  = 42N21\r\nTime zone =  5"));
    QCOMPARE(b.dialogs.messages[0].icon, MessageIcon::Question);
    QCOMPARE(b.dialogs.messages[0].buttons, MessageButtons::YesNo);
    QCOMPARE(f.txtTZ, std::string("5"));
    QCOMPARE(f.txtLongDeg, std::string("71"));
    QCOMPARE(f.txtLongMin, std::string("4"));
    QVERIFY(!f.optEast);
    QCOMPARE(f.txtLatDeg, std::string("42"));
    QCOMPARE(f.txtLatMin, std::string("21"));
    QVERIFY(!f.optSouth);
    // Name, date and time are not touched.
    QCOMPARE(f.txtName, std::string("John Smith"));
    QCOMPARE(f.txtBirthHour, std::string("8"));
    QCOMPARE(f.txtYear, std::string("1950"));
    QCOMPARE(b.session.AtlasDir, atlas.path());
    QVERIFY(b.dialogs.prompts.empty());
    QVERIFY(b.dialogs.unanswered.isEmpty());
}

void AtlasBridgeTest::diurnalFieldsAndTheMeridiemOfTheMoment() {
    StandIn atlas(WritesBothFiles);
    atlas.WritePlace(PlaceFile("33S52", "151E12", "-11"));
    Bridge b;
    b.session.AtlasDir = atlas.path();
    b.dialogs.yesNoAnswers = {AnswerYes};
    DiurnalFields d;
    d.txtDiurnalMonth = "12";
    d.txtDiurnalDay = "7";
    d.txtDiurnalYear = "2026";
    d.txtDiurnalHour = "12";
    d.txtDiurnalMinute = "5";
    d.optDiurnalAM = false;  // 12:05 P.M. is just after noon
    QVERIFY(FillDiurnalFromAtlas(b.session, d, nullptr));
    QCOMPARE(atlas.Arguments(), QByteArray("--date 2026-12-07 --time 12:05"));
    QCOMPARE(d.txtDiurnalTZ, std::string("-11"));
    QCOMPARE(d.txtDiurnalLongDeg, std::string("151"));
    QCOMPARE(d.txtDiurnalLongMin, std::string("12"));
    QVERIFY(d.optDiurnalEast);
    QCOMPARE(d.txtDiurnalLatDeg, std::string("33"));
    QCOMPARE(d.txtDiurnalLatMin, std::string("52"));
    QVERIFY(d.optDiurnalSouth);

    auto moment = [](const char* month, const char* day, const char* hour, const char* minute, bool am) {
        DiurnalFields m;
        m.txtDiurnalMonth = month;
        m.txtDiurnalDay = day;
        m.txtDiurnalYear = "2000";
        m.txtDiurnalHour = hour;
        m.txtDiurnalMinute = minute;
        m.optDiurnalAM = am;
        return AtlasProgramArguments(MomentOf(m));
    };
    QCOMPARE(moment("1", "2", "12", "0", true), QStringList({"--date", "2000-01-02", "--time", "00:00"}));
    QCOMPARE(moment("1", "2", "11", "59", false), QStringList({"--date", "2000-01-02", "--time", "23:59"}));
    // No 30 February, no hour 13: the atlas keeps its own date or time for what is not given.
    QCOMPARE(moment("2", "30", "3", "15", false), QStringList({"--time", "15:15"}));
    QCOMPARE(moment("2", "3", "13", "15", false), QStringList({"--date", "2000-02-03"}));
    QCOMPARE(AtlasProgramArguments(MomentOf(NatalFields{})), QStringList());
}

void AtlasBridgeTest::launchFailureAsksForThePathAndTriesAgain() {
    StandIn atlas(WritesBothFiles);
    atlas.WritePlace(PlaceFile("42N21", "71W04", "5"));
    QTemporaryDir empty;
    Bridge b;
    b.session.AtlasDir = empty.path() + "/";
    QString typed = atlas.path();
    typed.chop(1);  // typed without the final separator
    b.dialogs.inputAnswers = {typed};
    b.dialogs.yesNoAnswers = {AnswerYes};
    NatalFields f = BirthFields();

    QVERIFY(FillNatalFromAtlas(b.session, f, nullptr));
    QCOMPARE(b.dialogs.prompts.size(), size_t(1));
    QCOMPARE(b.dialogs.prompts[0].title, QString("Where do I find ATLAS.EXE?"));
    QCOMPARE(b.dialogs.prompts[0].prompt, PathPrompt);
    QCOMPARE(b.dialogs.prompts[0].defaultText, QString());
    QCOMPARE(b.session.AtlasDir, typed + "/");
    QCOMPARE(f.txtLongDeg, std::string("71"));
    QVERIFY(b.dialogs.unanswered.isEmpty());
}

void AtlasBridgeTest::cancelledPathPromptGivesUpAndAsksAgainNextTime() {
    QTemporaryDir empty;
    Bridge b;
    b.session.AtlasDir = empty.path() + "/";
    b.dialogs.inputAnswers = {""};
    const NatalFields before = BirthFields();
    NatalFields f = before;
    AtlasRun run;
    run.AtlasReady = 1;
    RunAtlas(b.session, nullptr, MomentOf(f), run);
    QCOMPARE(run.AtlasReady, 0);
    QCOMPARE(run.AtlasAnswer, 0);
    QVERIFY(b.session.AtlasDir.isEmpty());
    QVERIFY(b.dialogs.messages.empty());

    // The next run asks at once, and a stand-in found there is started.
    StandIn atlas(WritesBothFiles);
    atlas.WritePlace(PlaceFile("42N21", "71W04", "5"));
    b.dialogs.inputAnswers = {"", atlas.path()};
    QVERIFY(!FillNatalFromAtlas(b.session, f, nullptr));
    QCOMPARE(b.dialogs.prompts.size(), size_t(2));
    QCOMPARE(f.txtTZ, before.txtTZ);
    QCOMPARE(f.txtLongDeg, before.txtLongDeg);
    QVERIFY(atlas.Arguments().isEmpty());  // not started: the prompt came first and was cancelled
    b.dialogs.yesNoAnswers = {AnswerYes};
    QVERIFY(FillNatalFromAtlas(b.session, f, nullptr));
    QCOMPARE(b.dialogs.prompts.size(), size_t(3));
    QCOMPARE(b.session.AtlasDir, atlas.path());
    QVERIFY(!atlas.Arguments().isEmpty());
}

void AtlasBridgeTest::missingPathFileIsReported() {
    StandIn atlas("exit 0");
    Bridge b;
    b.session.AtlasDir = atlas.path();
    const NatalFields before = BirthFields();
    NatalFields f = before;
    AtlasRun run;
    RunAtlas(b.session, nullptr, MomentOf(f), run);
    QCOMPARE(run.AtlasReady, 0);
    QCOMPARE(b.dialogs.messages.size(), size_t(1));
    QCOMPARE(b.dialogs.messages[0].text,
             "Cannot find the file called PCATPATH in the " + atlas.path() + " directory.");
    QCOMPARE(b.dialogs.messages[0].title, QString("Warning!"));
    QCOMPARE(b.dialogs.messages[0].icon, MessageIcon::Critical);
    QVERIFY(!FillNatalFromAtlas(b.session, f, nullptr));
    QCOMPARE(f.txtTZ, before.txtTZ);
    QVERIFY(b.dialogs.unanswered.isEmpty());  // no accept question was asked
}

void AtlasBridgeTest::missingPlaceFileIsReported() {
    QTemporaryDir result;
    StandIn atlas("printf '%s/\\r\\n' '" + result.path().toUtf8() + "' > PCATPATH.TXT");
    Bridge b;
    b.session.AtlasDir = atlas.path();
    NatalFields f = BirthFields();
    QVERIFY(!FillNatalFromAtlas(b.session, f, nullptr));
    QCOMPARE(b.dialogs.messages.size(), size_t(1));
    QCOMPARE(b.dialogs.messages[0].text,
             "Cannot find the file called TSRTEMP.TXT in the " + result.path() + "/ directory.");
    QCOMPARE(b.dialogs.messages[0].title, QString("Warning!"));
    QCOMPARE(b.dialogs.messages[0].icon, MessageIcon::Critical);
    QCOMPARE(f.txtTZ, std::string("0"));
    QVERIFY(b.dialogs.unanswered.isEmpty());
}

void AtlasBridgeTest::answerNoFillsNothing() {
    StandIn atlas(WritesBothFiles);
    atlas.WritePlace(PlaceFile("42N21", "71W04", "5"));
    Bridge b;
    b.session.AtlasDir = atlas.path();
    b.dialogs.yesNoAnswers = {AnswerNo};
    const NatalFields before = BirthFields();
    NatalFields f = before;
    QVERIFY(!FillNatalFromAtlas(b.session, f, nullptr));
    QCOMPARE(b.dialogs.messages.size(), size_t(1));  // the question only
    QCOMPARE(f.txtTZ, before.txtTZ);
    QCOMPARE(f.txtLongDeg, before.txtLongDeg);
    QCOMPARE(f.txtLatDeg, before.txtLatDeg);
    QCOMPARE(f.optEast, before.optEast);
    AtlasRun run;
    b.dialogs.yesNoAnswers = {AnswerNo};
    RunAtlas(b.session, nullptr, MomentOf(f), run);
    QCOMPARE(run.AtlasAnswer, AnswerNo);
    QCOMPARE(run.AtlasReady, 1);
    QCOMPARE(run.place.AtlasLongitude, std::string("71W04"));
}

void AtlasBridgeTest::cancelInTheAtlasOffersNoEarlierPlace() {
    // An earlier run left both files; this run is cancelled and writes nothing.
    StandIn earlier(WritesBothFiles + "\nexit 0");
    earlier.WritePlace(PlaceFile("42N21", "71W04", "5"));
    Bridge b;
    b.session.AtlasDir = earlier.path();
    b.dialogs.yesNoAnswers = {AnswerYes};
    NatalFields f = BirthFields();
    QVERIFY(FillNatalFromAtlas(b.session, f, nullptr));
    b.dialogs.TakeMessages();

    QFile script(earlier.dir.filePath("ATLAS.EXE"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexit 3\n");
    script.close();
    const NatalFields before = BirthFields();
    f = before;
    AtlasRun run;
    run.AtlasReady = 1;
    RunAtlas(b.session, nullptr, MomentOf(f), run);
    QCOMPARE(run.AtlasReady, 0);
    QVERIFY(!FillNatalFromAtlas(b.session, f, nullptr));
    QVERIFY(b.dialogs.messages.empty());  // neither a question nor a warning
    QCOMPARE(f.txtTZ, before.txtTZ);
    QCOMPARE(b.session.AtlasDir, earlier.path());
}

void AtlasBridgeTest::unsignedZoneEastOfGreenwichBecomesNegative() {
    StandIn atlas(WritesBothFiles);
    atlas.WritePlace(PlaceFile("50N51", "3E30", "5"));
    Bridge b;
    b.session.AtlasDir = atlas.path();
    b.dialogs.yesNoAnswers = {AnswerYes, AnswerYes};
    NatalFields f = BirthFields();
    QVERIFY(FillNatalFromAtlas(b.session, f, nullptr));
    QVERIFY(b.dialogs.messages[0].text.endsWith("\r\nTime zone =  5"));
    QCOMPARE(f.txtTZ, std::string("-5"));
    QCOMPARE(f.txtLongDeg, std::string("3"));
    QCOMPARE(f.txtLongMin, std::string("30"));
    QVERIFY(f.optEast);
    DiurnalFields d;
    QVERIFY(FillDiurnalFromAtlas(b.session, d, nullptr));
    QCOMPARE(d.txtDiurnalTZ, std::string("-5"));
    QVERIFY(d.optDiurnalEast);
}

void AtlasBridgeTest::windowsKeepAnsweringWhileTheAtlasRuns() {
    // The stand-in ends only once the test's timer has run, which needs the event loop during the
    // wait; it gives up after about ten seconds so that a blocking wait fails instead of hanging.
    StandIn atlas("n=0; while [ ! -f GO ] && [ $n -lt 200 ]; do sleep 0.05; n=$((n+1)); done\n"
                  "[ -f GO ] || exit 3\n" + WritesBothFiles);
    atlas.WritePlace(PlaceFile("42N21", "71W04", "5"));
    Bridge b;
    b.session.AtlasDir = atlas.path();
    b.dialogs.yesNoAnswers = {AnswerYes};
    bool timerRan = false;
    QTimer::singleShot(0, [&] {
        timerRan = true;
        QFile go(atlas.dir.filePath("GO"));
        go.open(QIODevice::WriteOnly);
    });
    NatalFields f = BirthFields();
    QVERIFY(FillNatalFromAtlas(b.session, f, nullptr));
    QVERIFY(timerRan);
    QVERIFY(b.dialogs.unanswered.isEmpty());
    QCOMPARE(f.txtLongDeg, std::string("71"));
}

void AtlasBridgeTest::atlasLabelsFillTheirOwnWindow() {
    testing::GuiFixture f;  // the clock reads 6 December 2026, 3:40 P.M.
    f.Start();
    f.dialogs.TakeMessages();
    StandIn atlas(WritesBothFiles);
    atlas.WritePlace(PlaceFile("50N51", "3E30", "5"));
    f.session.AtlasDir = atlas.path();
    f.dialogs.yesNoAnswers = {AnswerYes, AnswerYes};

    NatalWindow& natal = f.shell->inputD();
    DiurnalWindow& diurnal = f.shell->inputD1();
    const NatalFields natalBefore = natal.Fields();
    const DiurnalFields diurnalBefore = diurnal.Fields();
    QLabel* natalLabel = natal.findChild<QLabel*>("Label2");
    QVERIFY(natalLabel);
    QCOMPARE(natalLabel->text(), QString("Atlas"));
    QTest::mouseClick(natalLabel, Qt::LeftButton);
    QCOMPARE(atlas.Arguments(), QByteArray("--date 2026-12-06 --time 15:40"));
    QCOMPARE(natal.findChild<QLineEdit*>("txtTZ")->text(), QString("-5"));
    QCOMPARE(natal.findChild<QLineEdit*>("txtLongDeg")->text(), QString("3"));
    QCOMPARE(natal.findChild<QLineEdit*>("txtLongMin")->text(), QString("30"));
    QVERIFY(natal.findChild<QRadioButton*>("optEast")->isChecked());
    QCOMPARE(natal.findChild<QLineEdit*>("txtLatDeg")->text(), QString("50"));
    QCOMPARE(natal.findChild<QLineEdit*>("txtLatMin")->text(), QString("51"));
    QVERIFY(natal.findChild<QRadioButton*>("optNorth")->isChecked());
    const NatalFields natalAfter = natal.Fields();
    QCOMPARE(natalAfter.txtName, natalBefore.txtName);
    QCOMPARE(natalAfter.txtBirthHour, natalBefore.txtBirthHour);
    QCOMPARE(natalAfter.txtDay, natalBefore.txtDay);
    QCOMPARE(natalAfter.optAM, natalBefore.optAM);
    // The diurnal window was not touched.
    QCOMPARE(diurnal.Fields().txtDiurnalTZ, diurnalBefore.txtDiurnalTZ);
    QCOMPARE(diurnal.Fields().txtDiurnalLongDeg, diurnalBefore.txtDiurnalLongDeg);

    atlas.WritePlace(PlaceFile("33S52", "151E12", "-11"));
    QLabel* diurnalLabel = diurnal.findChild<QLabel*>("Label2");
    QVERIFY(diurnalLabel);
    QCOMPARE(diurnalLabel->text(), QString("Atlas"));
    QTest::keyClick(diurnalLabel, Qt::Key_Return);
    QCOMPARE(diurnal.findChild<QLineEdit*>("txtDiurnalTZ")->text(), QString("-11"));
    QCOMPARE(diurnal.findChild<QLineEdit*>("txtDiurnalLongDeg")->text(), QString("151"));
    QVERIFY(diurnal.findChild<QRadioButton*>("optDiurnalSouth")->isChecked());
    QCOMPARE(natal.Fields().txtTZ, std::string("-5"));
    QCOMPARE(f.dialogs.TakeMessages().size(), std::size_t{2});  // the two accept questions
    QVERIFY(f.dialogs.unanswered.isEmpty());
}

QTEST_MAIN(AtlasBridgeTest)
#include "atlas_bridge_test.moc"
