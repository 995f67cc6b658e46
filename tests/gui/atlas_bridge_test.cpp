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

// A folder holding a stand-in ATLAS.EXE. It records its arguments in ARGS.TXT in its own folder
// ($home) and runs `body` in the folder given with --out, as the atlas writes its result there.
class StandIn {
public:
    explicit StandIn(const QByteArray& body) {
        QFile script(dir.filePath("ATLAS.EXE"));
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\nhome=\"$(cd \"$(dirname \"$0\")\" && pwd)\"\necho \"$@\" > \"$home/ARGS.TXT\"\n"
                     "out=\"$home\"; prev=\"\"\n"
                     "for a in \"$@\"; do [ \"$prev\" = --out ] && out=\"$a\"; prev=\"$a\"; done\n"
                     "cd \"$out\" || exit 1\n" + body + "\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    QString path() const { return dir.path() + "/"; }
    // The arguments after "--out DIR", which OutArgument gives.
    QByteArray Arguments() const {
        QList<QByteArray> words = Read("ARGS.TXT").trimmed().split(' ');
        if (words.size() >= 2 && words[0] == "--out") words.remove(0, 2);
        return words.join(' ').trimmed();
    }
    QByteArray OutArgument() const {
        const QList<QByteArray> words = Read("ARGS.TXT").trimmed().split(' ');
        return words.size() >= 2 && words[0] == "--out" ? words[1] : QByteArray();
    }
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
    "printf '%s/\\r\\n' \"$(pwd)\" > PCATPATH.TXT\ncp \"$home/place.txt\" TSRTEMP.TXT";

InputFields BirthFields() {
    InputFields f;
    f.name = "John Smith";
    f.month = "1";
    f.day = "13";
    f.year = "1950";
    f.hour = "8";
    f.minute = "30";
    f.am = true;
    f.zone = "0";
    f.longDeg = "0";
    f.longMin = "0";
    f.latDeg = "0";
    f.latMin = "0";
    return f;
}

// A session whose data folder, where the atlas leaves its result, is a folder of its own.
struct Bridge {
    Bridge() { session.calc.ProgramDir = dataDir.path().toStdString(); }
    QString dataPath() const { return dataDir.path() + "/"; }
    QTemporaryDir dataDir;
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
    InputFields f = BirthFields();

    QVERIFY(FillFromAtlas(b.session.Atlas(), f, nullptr));
    QCOMPARE(atlas.Arguments(), QByteArray("--date 1950-01-13 --time 08:30"));
    // The atlas was told to write into the program's data folder, and nothing is left beside it.
    QCOMPARE(atlas.OutArgument(), b.dataDir.path().toUtf8());
    QVERIFY(QFile::exists(b.dataDir.filePath("PCATPATH.TXT")));
    QVERIFY(QFile::exists(b.dataDir.filePath("TSRTEMP.TXT")));
    QVERIFY(!QFile::exists(atlas.dir.filePath("PCATPATH.TXT")));
    QVERIFY(!QFile::exists(atlas.dir.filePath("TSRTEMP.TXT")));
    QCOMPARE(b.dialogs.messages.size(), size_t(1));
    QCOMPARE(b.dialogs.messages[0].title, QString("Accept or Reject data"));
    QCOMPARE(b.dialogs.messages[0].text,
             QString("Accept following data? \r\n\r\nLongitude = 71W04\r\nLatitude  = 42N21\r\nTime zone =  5"));
    QCOMPARE(b.dialogs.messages[0].icon, MessageIcon::Question);
    QCOMPARE(b.dialogs.messages[0].buttons, MessageButtons::YesNo);
    QCOMPARE(f.zone, std::string("5"));
    QCOMPARE(f.longDeg, std::string("71"));
    QCOMPARE(f.longMin, std::string("4"));
    QVERIFY(!f.east);
    QCOMPARE(f.latDeg, std::string("42"));
    QCOMPARE(f.latMin, std::string("21"));
    QVERIFY(!f.south);
    // Name, date and time are not touched.
    QCOMPARE(f.name, std::string("John Smith"));
    QCOMPARE(f.hour, std::string("8"));
    QCOMPARE(f.year, std::string("1950"));
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
    InputFields d;
    d.month = "12";
    d.day = "7";
    d.year = "2026";
    d.hour = "12";
    d.minute = "5";
    d.am = false;  // 12:05 P.M. is just after noon
    QVERIFY(FillFromAtlas(b.session.Atlas(), d, nullptr));
    QCOMPARE(atlas.Arguments(), QByteArray("--date 2026-12-07 --time 12:05"));
    QCOMPARE(d.zone, std::string("-11"));
    QCOMPARE(d.longDeg, std::string("151"));
    QCOMPARE(d.longMin, std::string("12"));
    QVERIFY(d.east);
    QCOMPARE(d.latDeg, std::string("33"));
    QCOMPARE(d.latMin, std::string("52"));
    QVERIFY(d.south);

    auto moment = [](const char* month, const char* day, const char* hour, const char* minute, bool am) {
        InputFields m;
        m.month = month;
        m.day = day;
        m.year = "2000";
        m.hour = hour;
        m.minute = minute;
        m.am = am;
        return AtlasProgramArguments(MomentOf(m), "/data").mid(2);
    };
    QCOMPARE(AtlasProgramArguments(MomentOf(InputFields{}), "/data"), QStringList({"--out", "/data"}));
    QCOMPARE(moment("1", "2", "12", "0", true), QStringList({"--date", "2000-01-02", "--time", "00:00"}));
    QCOMPARE(moment("1", "2", "11", "59", false), QStringList({"--date", "2000-01-02", "--time", "23:59"}));
    // No 30 February, no hour 13: the atlas keeps its own date or time for what is not given;
    // numbers far beyond an int are no date, not a cast out of range.
    QCOMPARE(moment("2", "30", "3", "15", false), QStringList({"--time", "15:15"}));
    QCOMPARE(moment("2", "3", "13", "15", false), QStringList({"--date", "2000-02-03"}));
    QCOMPARE(moment("99999999999999999999", "3", "99999999999999999999", "15", false), QStringList());
    QCOMPARE(moment("1", "99999999999999999999", "3", "-99999999999999999999", false), QStringList());
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
    InputFields f = BirthFields();

    QVERIFY(FillFromAtlas(b.session.Atlas(), f, nullptr));
    QCOMPARE(b.dialogs.prompts.size(), size_t(1));
    QCOMPARE(b.dialogs.prompts[0].title, QString("Where do I find ATLAS.EXE?"));
    QCOMPARE(b.dialogs.prompts[0].prompt, PathPrompt);
    QCOMPARE(b.dialogs.prompts[0].defaultText, QString());
    QCOMPARE(b.session.AtlasDir, typed + "/");
    QCOMPARE(f.longDeg, std::string("71"));
    QVERIFY(b.dialogs.unanswered.isEmpty());
}

void AtlasBridgeTest::cancelledPathPromptGivesUpAndAsksAgainNextTime() {
    QTemporaryDir empty;
    Bridge b;
    b.session.AtlasDir = empty.path() + "/";
    b.dialogs.inputAnswers = {""};
    const InputFields before = BirthFields();
    InputFields f = before;
    AtlasRun run;
    run.AtlasReady = 1;
    RunAtlas(b.session.Atlas(), nullptr, MomentOf(f), run);
    QCOMPARE(run.AtlasReady, 0);
    QCOMPARE(run.AtlasAnswer, 0);
    QVERIFY(b.session.AtlasDir.isEmpty());
    QVERIFY(b.dialogs.messages.empty());

    // The next run asks at once, and a stand-in found there is started.
    StandIn atlas(WritesBothFiles);
    atlas.WritePlace(PlaceFile("42N21", "71W04", "5"));
    b.dialogs.inputAnswers = {"", atlas.path()};
    QVERIFY(!FillFromAtlas(b.session.Atlas(), f, nullptr));
    QCOMPARE(b.dialogs.prompts.size(), size_t(2));
    QCOMPARE(f.zone, before.zone);
    QCOMPARE(f.longDeg, before.longDeg);
    QVERIFY(atlas.Arguments().isEmpty());  // not started: the prompt came first and was cancelled
    b.dialogs.yesNoAnswers = {AnswerYes};
    QVERIFY(FillFromAtlas(b.session.Atlas(), f, nullptr));
    QCOMPARE(b.dialogs.prompts.size(), size_t(3));
    QCOMPARE(b.session.AtlasDir, atlas.path());
    QVERIFY(!atlas.Arguments().isEmpty());
}

void AtlasBridgeTest::missingPathFileIsReported() {
    StandIn atlas("exit 0");
    Bridge b;
    b.session.AtlasDir = atlas.path();
    const InputFields before = BirthFields();
    InputFields f = before;
    AtlasRun run;
    RunAtlas(b.session.Atlas(), nullptr, MomentOf(f), run);
    QCOMPARE(run.AtlasReady, 0);
    QCOMPARE(b.dialogs.messages.size(), size_t(1));
    QCOMPARE(b.dialogs.messages[0].text,
             "Cannot find the file called PCATPATH in the " + b.dataPath() + " directory.");
    QCOMPARE(b.dialogs.messages[0].title, QString("Warning!"));
    QCOMPARE(b.dialogs.messages[0].icon, MessageIcon::Critical);
    QVERIFY(!FillFromAtlas(b.session.Atlas(), f, nullptr));
    QCOMPARE(f.zone, before.zone);
    QVERIFY(b.dialogs.unanswered.isEmpty());  // no accept question was asked
}

void AtlasBridgeTest::missingPlaceFileIsReported() {
    StandIn atlas("printf '%s/\\r\\n' \"$(pwd)\" > PCATPATH.TXT");
    Bridge b;
    b.session.AtlasDir = atlas.path();
    InputFields f = BirthFields();
    QVERIFY(!FillFromAtlas(b.session.Atlas(), f, nullptr));
    QCOMPARE(b.dialogs.messages.size(), size_t(1));
    QCOMPARE(b.dialogs.messages[0].text,
             "Cannot find the file called TSRTEMP.TXT in the " + b.dataPath() + " directory.");
    QCOMPARE(b.dialogs.messages[0].title, QString("Warning!"));
    QCOMPARE(b.dialogs.messages[0].icon, MessageIcon::Critical);
    QCOMPARE(f.zone, std::string("0"));
    QVERIFY(b.dialogs.unanswered.isEmpty());
}

void AtlasBridgeTest::answerNoFillsNothing() {
    StandIn atlas(WritesBothFiles);
    atlas.WritePlace(PlaceFile("42N21", "71W04", "5"));
    Bridge b;
    b.session.AtlasDir = atlas.path();
    b.dialogs.yesNoAnswers = {AnswerNo};
    const InputFields before = BirthFields();
    InputFields f = before;
    QVERIFY(!FillFromAtlas(b.session.Atlas(), f, nullptr));
    QCOMPARE(b.dialogs.messages.size(), size_t(1));  // the question only
    QCOMPARE(f.zone, before.zone);
    QCOMPARE(f.longDeg, before.longDeg);
    QCOMPARE(f.latDeg, before.latDeg);
    QCOMPARE(f.east, before.east);
    AtlasRun run;
    b.dialogs.yesNoAnswers = {AnswerNo};
    RunAtlas(b.session.Atlas(), nullptr, MomentOf(f), run);
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
    InputFields f = BirthFields();
    QVERIFY(FillFromAtlas(b.session.Atlas(), f, nullptr));
    b.dialogs.TakeMessages();

    QFile script(earlier.dir.filePath("ATLAS.EXE"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexit 3\n");
    script.close();
    const InputFields before = BirthFields();
    f = before;
    AtlasRun run;
    run.AtlasReady = 1;
    RunAtlas(b.session.Atlas(), nullptr, MomentOf(f), run);
    QCOMPARE(run.AtlasReady, 0);
    QVERIFY(!FillFromAtlas(b.session.Atlas(), f, nullptr));
    QVERIFY(b.dialogs.messages.empty());  // neither a question nor a warning
    QCOMPARE(f.zone, before.zone);
    QCOMPARE(b.session.AtlasDir, earlier.path());
}

void AtlasBridgeTest::unsignedZoneEastOfGreenwichBecomesNegative() {
    StandIn atlas(WritesBothFiles);
    atlas.WritePlace(PlaceFile("50N51", "3E30", "5"));
    Bridge b;
    b.session.AtlasDir = atlas.path();
    b.dialogs.yesNoAnswers = {AnswerYes, AnswerYes};
    InputFields f = BirthFields();
    QVERIFY(FillFromAtlas(b.session.Atlas(), f, nullptr));
    QVERIFY(b.dialogs.messages[0].text.endsWith("\r\nTime zone =  5"));
    QCOMPARE(f.zone, std::string("-5"));
    QCOMPARE(f.longDeg, std::string("3"));
    QCOMPARE(f.longMin, std::string("30"));
    QVERIFY(f.east);
    InputFields d;
    QVERIFY(FillFromAtlas(b.session.Atlas(), d, nullptr));
    QCOMPARE(d.zone, std::string("-5"));
    QVERIFY(d.east);
}

void AtlasBridgeTest::windowsKeepAnsweringWhileTheAtlasRuns() {
    // The stand-in ends only once the test's timer has run, which needs the event loop during the
    // wait; it gives up after about ten seconds so that a blocking wait fails instead of hanging.
    StandIn atlas("n=0; while [ ! -f \"$home/GO\" ] && [ $n -lt 200 ]; do sleep 0.05; n=$((n+1)); done\n"
                  "[ -f \"$home/GO\" ] || exit 3\n" + WritesBothFiles);
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
    InputFields f = BirthFields();
    QVERIFY(FillFromAtlas(b.session.Atlas(), f, nullptr));
    QVERIFY(timerRan);
    QVERIFY(b.dialogs.unanswered.isEmpty());
    QCOMPARE(f.longDeg, std::string("71"));
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
    const InputFields natalBefore = natal.Fields();
    const InputFields diurnalBefore = diurnal.Fields();
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
    const InputFields natalAfter = natal.Fields();
    QCOMPARE(natalAfter.name, natalBefore.name);
    QCOMPARE(natalAfter.hour, natalBefore.hour);
    QCOMPARE(natalAfter.day, natalBefore.day);
    QCOMPARE(natalAfter.am, natalBefore.am);
    // The diurnal window was not touched.
    QCOMPARE(diurnal.Fields().zone, diurnalBefore.zone);
    QCOMPARE(diurnal.Fields().longDeg, diurnalBefore.longDeg);

    atlas.WritePlace(PlaceFile("33S52", "151E12", "-11"));
    QLabel* diurnalLabel = diurnal.findChild<QLabel*>("Label2");
    QVERIFY(diurnalLabel);
    QCOMPARE(diurnalLabel->text(), QString("Atlas"));
    QTest::keyClick(diurnalLabel, Qt::Key_Return);
    QCOMPARE(diurnal.findChild<QLineEdit*>("txtDiurnalTZ")->text(), QString("-11"));
    QCOMPARE(diurnal.findChild<QLineEdit*>("txtDiurnalLongDeg")->text(), QString("151"));
    QVERIFY(diurnal.findChild<QRadioButton*>("optDiurnalSouth")->isChecked());
    QCOMPARE(natal.Fields().zone, std::string("-5"));
    QCOMPARE(f.dialogs.TakeMessages().size(), std::size_t{2});  // the two accept questions
    QVERIFY(f.dialogs.unanswered.isEmpty());
}

QTEST_MAIN(AtlasBridgeTest)
#include "atlas_bridge_test.moc"
