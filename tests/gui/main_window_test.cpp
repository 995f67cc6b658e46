// The main window: start-up, menus, the caption clock, the locale probe, the single-copy guard and
// a whole calculation through the menus.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

#include "core/records/name_record.h"
#include "core/records/settings_file.h"
#include "core/run/run_calculation.h"
#include "gui/app/locale_order.h"
#include "gui/app/main_window.h"
#include "gui/output/help_window.h"
#include "gui/app/program_dir.h"
#include "gui/output/data_window.h"
#include "gui/output/scan_windows.h"
#include "gui/records/diurnal_window.h"
#include "gui/records/natal_window.h"
#include "gui/ui/dialogs.h"
#include "gui_fixture.h"
#include "window_helpers.h"

using namespace orrerion;
using namespace orrerion::gui;
using namespace orrerion::gui::testing;

namespace {

QAction* Action(QWidget& window, const char* name) { return window.findChild<QAction*>(name); }

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startUpShowsTheMenusOfAFreshProgram();
    void houseMarkFollowsOption27_data();
    void houseMarkFollowsOption27();
    void captionShowsTitleDateAndTime();
    void localeOrderAndFontStep();
    void secondCopyIsRefusedAndAStaleLockIsNot();
    void aLockFolderThatCannotBeWrittenIsNamed();
    void printedAnswersFailOnAFullOutput();
    void dataFolderIsChosenAndFilled();
    void wholeCalculationThroughTheHousesMenu();
    void badInputStopsBeforeTheDayQuestion();
    void helpTextsAreShownAndAMissingOneReported();
    void scanWindowsShowTheProgressAndTheSortingNotice();
    void boxesAreAsWideAsTheirCaptions();
    void cancelOnTheProgressBoxChangesNothing();
    void theLastBirthIsOfferedAtStart();
};

void MainWindowTest::startUpShowsTheMenusOfAFreshProgram() {
    GuiFixture f;
    f.Start();
    MainWindow& main = f.shell->main();
    QCOMPARE(main.objectName(), QString("Orrerion"));
    QVERIFY(main.isVisible());
    QVERIFY(std::filesystem::is_directory(f.dataDir() / "reports"));

    // Every menu item by name, with its caption and key.
    const struct { const char* name; const char* caption; QKeySequence key; } items[] = {
        {"mnuFileExit", "E&xit", QKeySequence(Qt::Key_F12)},
        {"mnuInputData", "&Input", {}},
        {"mnuHousePlacidus", "&Placidus", {}},
        {"mnuHouseRegiomontanus", "&Regiomontanus", {}},
        {"mnuHouseKoch", "&Koch", {}},
        {"mnuHousePorphyry", "P&orphyry", {}},
        {"mnuHouseMeridian", "&Meridian", {}},
        {"mnuDataSummary", "&Summary", QKeySequence(Qt::Key_F2)},
        {"mnuReturns", "&Returns...", QKeySequence(Qt::Key_F6)},
        {"mnuEvents", "E&vents...", QKeySequence(Qt::Key_F7)},
        {"mnuOptions", "&Options File", {}},
        {"mnuPreferences", "&Preferences", {}},
        {"mnuMainMenuHelp", "&Orrerion Window", QKeySequence(Qt::Key_F1)},
        {"mnuHelpPrntfile", "&File To Print  Window", {}},
        {"mnuHelpReturns", "&Returns Window", {}},
        {"mnuHelpEvents", "Events Window", {}},
        {"mnuHelpRevisions", "Re&vision history", {}},
        {"mnuHelpAbout", "Abo&ut", {}},
    };
    for (const auto& item : items) {
        QAction* action = Action(main, item.name);
        QVERIFY2(action, item.name);
        QCOMPARE(action->text(), QString(item.caption));
        QCOMPARE(action->shortcut(), item.key);
    }
    // The Input and Data menus wait for the first chart; Placidus is marked (option 27 is 4).
    QVERIFY(!Action(main, "mnuInputData")->isVisible());
    QVERIFY(!main.findChild<QMenu*>("mnuData")->menuAction()->isVisible());
    QVERIFY(Action(main, "mnuHousePlacidus")->isChecked());
    QVERIFY(f.shell->inputD().isVisible());
    QVERIFY(f.shell->inputD1().isVisible());
    QVERIFY(f.dialogs.messages.empty());
    SaveScreenshot(main, "main_window");
    SaveDesktopScreenshot("desktop_at_start");
}

void MainWindowTest::houseMarkFollowsOption27_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("marked");
    QTest::newRow("2") << "2" << "mnuHouseRegiomontanus";
    QTest::newRow("3") << "3" << "mnuHouseKoch";
    QTest::newRow("4") << "4" << "mnuHousePlacidus";
    QTest::newRow("5") << "5" << "mnuHousePorphyry";
    QTest::newRow("8") << "8" << "mnuHouseMeridian";
    QTest::newRow("9") << "9" << "mnuHousePlacidus";
}

void MainWindowTest::houseMarkFollowsOption27() {
    QFETCH(QString, option);
    QFETCH(QString, marked);
    GuiFixture f;
    SetOption(f, 27, option.toStdString() + "      house system");
    f.Start();
    int checked = 0;
    for (const char* name : {"mnuHousePlacidus", "mnuHouseRegiomontanus", "mnuHouseKoch",
                             "mnuHousePorphyry", "mnuHouseMeridian"}) {
        if (Action(f.shell->main(), name)->isChecked()) {
            ++checked;
            QCOMPARE(QString(name), marked);
        }
    }
    QCOMPARE(checked, 1);
}

void MainWindowTest::captionShowsTitleDateAndTime() {
    GuiFixture f(QDateTime(QDate(2026, 12, 6), QTime(15, 40, 5)));
    f.Start();
    const QString caption = f.shell->main().windowTitle();
    const QString head = "(Tropical zodiac) - Orrerion 06 Dec 2026     ";
    QVERIFY2(caption.startsWith(head), qPrintable(caption));
    QVERIFY2(caption.mid(head.size()).startsWith("3:40:05"), qPrintable(caption));
    QVERIFY2(caption.endsWith("PM"), qPrintable(caption));
}

void MainWindowTest::localeOrderAndFontStep() {
    QCOMPARE(ReadLocaleOrder(QLocale(QLocale::English, QLocale::UnitedStates)).DateOrder, 0);
    QCOMPARE(ReadLocaleOrder(QLocale(QLocale::English, QLocale::UnitedStates)).twentyFourHourClock, false);
    QCOMPARE(ReadLocaleOrder(QLocale(QLocale::German, QLocale::Germany)).DateOrder, 1);
    QCOMPARE(ReadLocaleOrder(QLocale(QLocale::German, QLocale::Germany)).twentyFourHourClock, true);
    QCOMPARE(ReadLocaleOrder(QLocale(QLocale::Japanese, QLocale::Japan)).DateOrder, 2);
    QCOMPARE(ReadLocaleOrder(QLocale(QLocale::Swedish, QLocale::Sweden)).DateOrder, 2);

    QCOMPARE(FontStepForScreen(640, 12), 1.5);
    QCOMPARE(FontStepForScreen(800, 15), 1.5);
    QCOMPARE(FontStepForScreen(800, 12), 1.2);
    QCOMPARE(FontStepForScreen(1920, 15), 1.5);
    QCOMPARE(FontStepForScreen(1920, 12), 1.2);
}

void MainWindowTest::secondCopyIsRefusedAndAStaleLockIsNot() {
    QTemporaryDir dir;
    const QString path = dir.filePath("orrerion.lock");
    ScriptedDialogs dialogs;
    SingleInstanceLock first(path);
    QVERIFY(TakeSingleCopyLock(first, dialogs));
    QVERIFY(dialogs.messages.empty());
    SingleInstanceLock second(path);
    QVERIFY(!TakeSingleCopyLock(second, dialogs));
    QCOMPARE(dialogs.messages.size(), std::size_t{1});
    QCOMPARE(dialogs.messages[0].title, QString("WARNING!"));
    QCOMPARE(dialogs.messages[0].icon, MessageIcon::Critical);
    QCOMPARE(dialogs.messages[0].text,
             QString("Orrerion is already running. For your protection you cannot have more than "
                     "one copy of Orrerion running at a time."));
    QVERIFY(first.TryAcquire());  // the first copy keeps its lock

    // A lock left by a copy that crashed names a process that no longer runs.
    const QString stalePath = dir.filePath("stale.lock");
    QFile stale(stalePath);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("999999999\n" + QCoreApplication::applicationName().toUtf8() + "\n" +
                QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    SingleInstanceLock next(stalePath);
    QVERIFY(next.TryAcquire());

    // The lock lives in a folder of the user's own: the runtime folder when the session has one,
    // the user's cache folder without it, never the shared temporary folder.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray cacheHome = qgetenv("XDG_CACHE_HOME");
    QTemporaryDir home;
    qputenv("XDG_CACHE_HOME", home.filePath("cache").toUtf8());
    qunsetenv("XDG_RUNTIME_DIR");
    const QString withoutRuntime = DefaultLockPath();
    QVERIFY2(withoutRuntime.startsWith(home.filePath("cache") + "/"), qPrintable(withoutRuntime));
    QVERIFY(QFileInfo(withoutRuntime).dir().exists());
    QVERIFY(!withoutRuntime.startsWith(QDir::tempPath() + "/orrerion"));
    QTemporaryDir runtimeDir;
    QFile::setPermissions(runtimeDir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toUtf8());
    QCOMPARE(DefaultLockPath(), runtimeDir.filePath("orrerion.lock"));
    runtime.isNull() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", runtime);
    cacheHome.isNull() ? qunsetenv("XDG_CACHE_HOME") : qputenv("XDG_CACHE_HOME", cacheHome);
}

// A lock that cannot be written is no other running copy: the message names the folder at fault,
// for a folder given and for the default one of a home that cannot be written.
void MainWindowTest::aLockFolderThatCannotBeWrittenIsNamed() {
    QTemporaryDir dir;
    QFile blocker(dir.filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));  // a file where a folder would have to be
    blocker.close();
    const QString readOnly = dir.filePath("read-only");
    QVERIFY(QDir().mkpath(readOnly));
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner);
    const bool permissionsBind = ::geteuid() != 0;  // root writes into a read-only folder

    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray cacheHome = qgetenv("XDG_CACHE_HOME");
    const QByteArray home = qgetenv("HOME");
    qunsetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_CACHE_HOME");
    qputenv("HOME", dir.filePath("blocker/home").toUtf8());
    const QString homeLock = DefaultLockPath();
    runtime.isNull() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", runtime);
    cacheHome.isNull() ? qunsetenv("XDG_CACHE_HOME") : qputenv("XDG_CACHE_HOME", cacheHome);
    home.isNull() ? qunsetenv("HOME") : qputenv("HOME", home);

    struct Case {
        QString lockPath;
        QString problem;
    };
    std::vector<Case> cases = {
        {dir.filePath("blocker/orrerion/orrerion.lock"), "does not exist and cannot be created"},
        {homeLock, "does not exist and cannot be created"},
    };
    if (permissionsBind) cases.push_back({readOnly + "/orrerion.lock", "cannot be written"});
    for (const Case& c : cases) {
        ScriptedDialogs dialogs;
        SingleInstanceLock lock(c.lockPath);
        QVERIFY2(!TakeSingleCopyLock(lock, dialogs), qPrintable(c.lockPath));
        QCOMPARE(dialogs.messages.size(), std::size_t{1});
        QCOMPARE(dialogs.messages[0].title, QString("Error!"));
        QCOMPARE(dialogs.messages[0].icon, MessageIcon::Critical);
        const QString text = dialogs.messages[0].text;
        QVERIFY2(text.contains(" " + QFileInfo(c.lockPath).absolutePath() + ", "), qPrintable(text));
        QVERIFY2(text.contains(c.problem), qPrintable(text));
        QVERIFY2(!text.contains("already running"), qPrintable(text));
    }
    QVERIFY2(homeLock.startsWith(dir.filePath("blocker/home/")), qPrintable(homeLock));
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The answers the program prints before it starts end with status 1 and a reason when standard
// output cannot take them, and with 0 when it can.
void MainWindowTest::printedAnswersFailOnAFullOutput() {
    QTemporaryDir dir;
    for (const QStringList& arguments : {QStringList{"--version"}, QStringList{"--folders"},
                                         QStringList{"--folders", "--dir", dir.path()}, QStringList{"--help"}}) {
        for (const bool full : {true, false}) {
            QProcess program;
            program.setProgram(ORRERION_DESKTOP_PATH);
            program.setArguments(arguments);
            if (full) program.setStandardOutputFile("/dev/full");
            program.start();
            QVERIFY(program.waitForFinished(30000));
            const QString what = arguments.join(' ') + (full ? " > /dev/full" : "");
            const QString err = QString::fromLocal8Bit(program.readAllStandardError());
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            if (full) {
                QVERIFY2(program.exitCode() == 1, qPrintable(what));
                QCOMPARE(err, QString("orrerion: cannot write to standard output: No space left on device\n"));
            } else {
                QVERIFY2(program.exitCode() == 0, qPrintable(what + ": " + err));
                QVERIFY2(err.isEmpty(), qPrintable(what + ": " + err));
                QVERIFY2(!program.readAllStandardOutput().isEmpty(), qPrintable(what));
            }
        }
    }
}

void MainWindowTest::dataFolderIsChosenAndFilled() {
    namespace fs = std::filesystem;
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    const fs::path shipped = ORRERION_DATA_DIR;
    fs::create_directories(root / "exe" / "data");
    std::ofstream(root / "exe" / "data" / "OPTIONS.OPT") << "1\r\n";

    // The build's layout: bin/data holds the options.
    ProgramDirChoice choice = ResolveProgramDir(root / "exe", {}, root / "user", shipped);
    QCOMPARE(choice.dir, root / "exe" / "data");
    QVERIFY(choice.error.empty());

    // An installed program: the user's folder is made and filled, an edited file kept.
    fs::create_directories(root / "user");
    std::ofstream(root / "user" / "NAMES.FIL") << "Mine,01 Jan 2000,1.00,A,0,000.00,00.00\r\n";
    choice = ResolveProgramDir(root / "installed", {}, root / "user", shipped);
    QCOMPARE(choice.dir, root / "user");
    QVERIFY(choice.error.empty());
    QVERIFY(fs::exists(root / "user" / "OPTIONS.OPT"));
    QVERIFY(fs::exists(root / "user" / "OPTIONS.MST"));
    QCOMPARE(ReadWholeFile(root / "user" / "NAMES.FIL"),
             std::string("Mine,01 Jan 2000,1.00,A,0,000.00,00.00\r\n"));

    // --dir wins; without shipped files to fill it the problem is reported.
    choice = ResolveProgramDir(root / "exe", root / "chosen", root / "user", root / "nowhere");
    QCOMPARE(choice.dir, fs::absolute(root / "chosen"));
    QVERIFY(!choice.error.empty());
}

void MainWindowTest::wholeCalculationThroughTheHousesMenu() {
    GuiFixture f;
    f.Start();
    LoadExampleChart(f);
    f.dialogs.inputAnswers = {" 30"};
    Action(f.shell->main(), "mnuHouseKoch")->trigger();

    QVERIFY2(f.dialogs.unanswered.isEmpty(), qPrintable(f.dialogs.unanswered.join("; ")));
    QCOMPARE(f.dialogs.prompts.size(), std::size_t{1});
    QCOMPARE(f.dialogs.prompts[0].prompt, QString("Enter number of days:"));
    QCOMPARE(f.dialogs.prompts[0].title, QString("Number of Days"));
    QCOMPARE(f.dialogs.prompts[0].defaultText, QString(" 90"));
    QCOMPARE(f.dialogs.busyCalls, 0);

    // The menus appear; the summary and listings are in the data window's buffer.
    QVERIFY(Action(f.shell->main(), "mnuInputData")->isVisible());
    QVERIFY(f.shell->main().findChild<QMenu*>("mnuData")->menuAction()->isVisible());
    QVERIFY(Action(f.shell->main(), "mnuHouseKoch")->isChecked());
    QCOMPARE(f.session.calc.chart.HouseSystemCode, std::string("K"));
    const std::vector<std::string> lines = f.session.calc.out.DataLines.ToVector();
    auto contains = [&](const std::string& text) {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return l.find(text) != std::string::npos; });
    };
    QVERIFY(contains("John Smith"));
    QVERIFY(contains("Koch"));
    QVERIFY(contains("Transit to natal planet aspects"));
    QVERIFY(f.shell->dataWindowLoaded());
    QVERIFY(f.shell->dataWindow().isVisible());
    // The sixteen report files of the chart.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(f.dataDir() / "reports")) {
        if (entry.path().filename().string().rfind("John_", 0) == 0) ++files;
    }
    QCOMPARE(files, 16);

    SaveDesktopScreenshot("desktop_after_calculation");

    // Data > Summary shows the summary again without a new scan.
    const std::size_t outputBefore = f.session.calc.out.OutputLines.size();
    Action(f.shell->main(), "mnuDataSummary")->trigger();
    QVERIFY(f.session.calc.out.OutputLines.size() > outputBefore);
    QCOMPARE(f.dialogs.prompts.size(), std::size_t{1});
}

void MainWindowTest::badInputStopsBeforeTheDayQuestion() {
    GuiFixture f;
    f.Start();
    LoadExampleChart(f);
    InputFields natal = f.shell->inputD().Fields();
    natal.month = "13";
    f.shell->inputD().SetFields(natal);
    Action(f.shell->main(), "mnuHousePlacidus")->trigger();
    QVERIFY(!f.dialogs.messages.empty());
    QCOMPARE(f.dialogs.messages.front().title, QString("Warning!"));
    QVERIFY(f.dialogs.prompts.empty());
    QVERIFY(!Action(f.shell->main(), "mnuInputData")->isVisible());
}

void MainWindowTest::helpTextsAreShownAndAMissingOneReported() {
    GuiFixture f;
    f.Start();
    // Every help item of the menu has its shipped text.
    QMenu* help = f.shell->main().findChild<QMenu*>("mnuHelp");
    int shown = 0;
    const QStringList ownWindow = {"mnuHelpWheel", "mnuHelpTimeline", "mnuHelpExport", "mnuHelpPreferences",
                                   "mnuHelpAtlas", "mnuHelpReturns", "mnuHelpEvents"};
    for (QAction* item : help->actions()) {
        if (item->isSeparator() || item->objectName() == "mnuHelpAbout") continue;
        const std::vector<std::string> before = f.session.calc.out.DataLines.ToVector();
        item->trigger();
        const QString shownText = f.dialogs.messages.empty() ? QString() : f.dialogs.messages[0].text;
        QVERIFY2(f.dialogs.messages.empty(), qPrintable(item->objectName() + ": " + shownText));
        if (ownWindow.contains(item->objectName())) {
            // The newer windows' help in the Help window; the data window's text stays.
            QVERIFY2(f.shell->help().text().count('\n') > 10, qPrintable(item->objectName()));
            QVERIFY(f.session.calc.out.DataLines.ToVector() == before);
        } else {
            QVERIFY2(f.session.calc.out.DataLines.size() > 10, qPrintable(item->objectName()));
        }
        ++shown;
    }
    QCOMPARE(shown, 23);

    f.WriteDataFile("HINTS.HLP", "First hint\r\nSecond hint\r\n");
    Action(f.shell->main(), "mnuHelpHints")->trigger();
    const std::vector<std::string> lines = f.session.calc.out.DataLines.ToVector();
    QVERIFY(std::find(lines.begin(), lines.end(), "Second hint") != lines.end());
    QVERIFY(f.shell->dataWindow().isVisible());

    std::filesystem::remove(f.dataDir() / "PHILO.HLP");
    const std::vector<std::string> before = f.session.calc.out.DataLines.ToVector();
    Action(f.shell->main(), "mnuPhilosophyHelp")->trigger();
    QCOMPARE(f.dialogs.messages.size(), std::size_t{1});
    QVERIFY(f.dialogs.messages[0].text.contains("PHILO.HLP"));
    QCOMPARE(f.session.calc.out.DataLines.ToVector(), before);
}

void MainWindowTest::scanWindowsShowTheProgressAndTheSortingNotice() {
    StatusWindow status;
    QCOMPARE(status.objectName(), QString("StatusDlg"));
    QCOMPARE(status.windowTitle(), QString("% Completed"));
    status.show();
    status.SetPercent(50);
    QWidget* picture = status.findChild<QWidget*>("Picture2");
    QVERIFY(picture);
    const QImage image = picture->grab().toImage();
    const int y = image.height() / 4;  // above the percentage text
    const QColor filled = image.pixelColor(image.width() / 4, y);
    const QColor empty = image.pixelColor(image.width() * 3 / 4, y);
    QVERIFY2(filled.red() > 200 && filled.green() < 120, qPrintable(filled.name()));
    QCOMPARE(empty, QColor(Qt::white));
    status.SetPercent(150);  // limited to a full bar
    QCOMPARE(status.percent(), 100.0);
    QCOMPARE(picture->grab().toImage().pixelColor(image.width() * 3 / 4, y).red(), 0xFF);
    SaveScreenshot(status, "status_window");

    WaitWindow wait;
    QCOMPARE(wait.objectName(), QString("WAIT"));
    QCOMPARE(wait.windowTitle(), QString("Wait for program to sort data"));
    QCOMPARE(wait.findChild<QLabel*>("Label1")->text(), QString("Wait for program to sort data files"));
}

QTEST_MAIN(MainWindowTest)
// The real message and input boxes are wide enough for their captions, which the title bar would
// otherwise cut ("Accept... ct data", "Numb... f Days").
void MainWindowTest::boxesAreAsWideAsTheirCaptions() {
    QtDialogs dialogs;
    int width = 0;
    QString shownTitle;
    const auto measureAndClose = [&] {
        QWidget* box = QApplication::activeModalWidget();
        QVERIFY(box);
        width = box->width();
        shownTitle = box->windowTitle();
        SaveScreenshot(*box, "accept_box");
        box->close();
    };
    QTimer::singleShot(0, measureAndClose);
    dialogs.MessageBox(nullptr, "Accept following data?", "Accept or Reject data",
                       MessageIcon::Question, MessageButtons::YesNo);
    QCOMPARE(shownTitle, QString("Accept or Reject data"));
    QVERIFY2(width >= CaptionWidth(shownTitle), qPrintable(QString::number(width)));

    QTimer::singleShot(0, measureAndClose);
    dialogs.InputBox(nullptr, "Enter number of days:", "Number of Days", " 90");
    QCOMPARE(shownTitle, QString("Number of Days"));
    QVERIFY2(width >= CaptionWidth(shownTitle), qPrintable(QString::number(width)));
    QVERIFY(CaptionWidth("Accept or Reject data") > CaptionWidth("Number of Days"));
}

// Cancel on the progress box, pressed as soon as the box shows in a long scan: the scan stops, its
// report files are never written, the last scan's files read as before, and the chart stands
// without a scan, as the status line says.
void MainWindowTest::cancelOnTheProgressBoxChangesNothing() {
    GuiFixture f;
    f.Start();
    LoadExampleChart(f);
    f.dialogs.inputAnswers = {"30"};
    f.shell->RunCalculation();
    QCOMPARE(f.session.calc.scan.ScanDays, 30);
    const std::filesystem::path reports = ReportsFolder(f.session.calc);
    const auto readReports = [&] {
        std::map<std::string, std::string> files;
        for (const auto& e : std::filesystem::directory_iterator(reports)) {
            const std::string name = e.path().filename().string();
            if (!name.starts_with(".")) files[name] = ReadWholeFile(e.path());
        }
        return files;
    };
    const std::map<std::string, std::string> before = readReports();
    QCOMPARE(before.size(), std::size_t{16});

    bool pressed = false;
    QTimer press;
    press.setInterval(1);
    QObject::connect(&press, &QTimer::timeout, [&] {
        auto* box = qobject_cast<StatusWindow*>(QApplication::activeModalWidget());
        if (!box || pressed) return;
        QVERIFY(box->isModal());
        auto* cancel = box->findChild<QPushButton*>("cmdCancel");
        QVERIFY(cancel);
        SaveScreenshot(*box, "status_window_cancel");
        cancel->click();
        pressed = true;
    });
    press.start();
    f.dialogs.inputAnswers = {"32767"};
    f.shell->RunCalculation();
    press.stop();
    QVERIFY(pressed);
    QCOMPARE(f.session.calc.scan.ScanDays, 0);
    QVERIFY(f.session.calc.scan.runs.empty());
    QVERIFY(f.session.chartComputed);
    QVERIFY(readReports() == before);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY2(f.shell->main().findChild<QLabel*>("lblNote")->text().startsWith("Scan cancelled"),
             qPrintable(f.shell->main().findChild<QLabel*>("lblNote")->text()));
}

// A calculated birth is kept in the settings file and fills the natal window at the next start;
// a birth the file holds in a form no names file has is named at start and not offered.
void MainWindowTest::theLastBirthIsOfferedAtStart() {
    std::string settings;
    InputFields calculated;
    {
        GuiFixture f;
        f.Start();
        LoadChart(f, "Jane Doe,04 Feb 1962,12.00,P,5,074.00,40.43", ",07 Dec 2026,12.00,P,5,074.00,40.43");
        calculated = f.shell->inputD().Fields();
        f.dialogs.inputAnswers = {""};
        f.shell->RunCalculation();
        QVERIFY(f.session.chartComputed);
        settings = f.ReadDataFile(SettingsFileName);
        QVERIFY2(settings.find("last_birth = Jane Doe,04 Feb 1962,12.00,P,5,074.00,40.43\n") != std::string::npos,
                 settings.c_str());
    }
    GuiFixture again;
    again.WriteDataFile(SettingsFileName, settings);
    again.Start();
    const InputFields offered = again.shell->inputD().Fields();
    for (const InputField field : AllInputFields) {
        QCOMPARE(QString::fromStdString(FieldText(offered, field)), QString::fromStdString(FieldText(calculated, field)));
    }
    QCOMPARE(offered.am, calculated.am);

    GuiFixture broken;
    broken.WriteDataFile(SettingsFileName, "last_birth = Jane Doe,04 Feb 1962\n");
    broken.Start();
    GuiFixture fresh;
    fresh.Start();
    for (const InputField field : AllInputFields) {
        QCOMPARE(QString::fromStdString(FieldText(broken.shell->inputD().Fields(), field)),
                 QString::fromStdString(FieldText(fresh.shell->inputD().Fields(), field)));
    }
    const auto messages = broken.dialogs.TakeMessages();
    QVERIFY(std::any_of(messages.begin(), messages.end(),
                        [](const auto& m) { return m.text.contains("last_birth takes a names file's record"); }));
}

#include "main_window_test.moc"
