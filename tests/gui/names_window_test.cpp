// The Names window: listing, loading a person into the input windows, Lock list, Change List, the
// names editor, saving the natal window's data and a calculation started by a double click.
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <algorithm>
#include <filesystem>

#include "core/aspects/report_files.h"
#include "file_limits.h"
#include "core/records/name_record.h"
#include "core/records/names_file.h"
#include "gui/app/main_window.h"
#include "gui/output/data_window.h"
#include "gui/records/cities_window.h"
#include "gui/records/diurnal_window.h"
#include "gui/records/name_edit_window.h"
#include "gui/records/names_window.h"
#include "gui/records/natal_window.h"
#include "gui_fixture.h"
#include "window_helpers.h"

using namespace orrerion;
using namespace orrerion::gui;
using namespace orrerion::gui::testing;
namespace fs = std::filesystem;

namespace {

QListWidget& NamesList(GuiFixture& f) {
    return *f.shell->names().findChild<QListWidget*>("NamesOnFile");
}

// The names file of `count` people named "Person 00", "Person 01", ...
std::string NumberedNames(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        char line[80];
        std::snprintf(line, sizeof line, "Person %02d,%02d Mar 1960,%d.15,P,5,071.05,42.21\r\n", i,
                      i % 28 + 1, i % 12 + 1);
        text += line;
    }
    return text;
}

// Reloads the Names window as every save, editor Quit and Input command does.
void ReloadNames(GuiFixture& f) {
    f.shell->unloadNames();
    f.shell->names().show();
    QApplication::processEvents();
}

int TopVisibleRow(QListWidget& list) { return list.indexAt(QPoint(4, 4)).row(); }

int SelectedRow(QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.row(selected.front());
}

// A valid diurnal moment, so that a calculation can run whatever the diurnal window holds.
void SetDiurnalPlace(GuiFixture& f) {
    InputFields diurnal = f.shell->inputD1().Fields();
    LoadNameRecord(*NameRecordFromLine(",07 Dec 2026,12.00,P,5,074.00,40.43"), 0, InputSection::Diurnal, diurnal);
    f.shell->inputD1().SetFields(diurnal);
}

void SetNatal(GuiFixture& f, const std::string& line) {
    InputFields natal = f.shell->inputD().Fields();
    const std::optional<NameRecord> record = NameRecordFromLine(line);
    LoadNameRecord(*record, f.session.calc.DateOrder, InputSection::Natal, natal);
    natal.name = record->Name;
    f.shell->inputD().SetFields(natal);
}

// Session::chooseFile answering with `answer` and counting the calls.
struct FileChoice {
    int calls = 0;
    QString pattern;
    fs::path current;
};
void ChooseWith(GuiFixture& f, FileChoice& choice, fs::path answer) {
    f.session.chooseFile = [&choice, answer](const QString& pattern, const fs::path& current) {
        ++choice.calls;
        choice.pattern = pattern;
        choice.current = current;
        return answer;
    };
}

int ReportFiles(GuiFixture& f, const std::string& chartName) {
    const std::string stem = ReportStem(chartName) + "_";
    int files = 0;
    for (const auto& entry : fs::directory_iterator(f.dataDir() / "reports")) {
        if (entry.path().filename().string().rfind(stem, 0) == 0) ++files;
    }
    return files;
}

bool DataLinesContain(GuiFixture& f, const std::string& text) {
    const std::vector<std::string> lines = f.session.calc.out.DataLines.ToVector();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

}  // namespace

class NamesWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensTheNamesFileWithItsControls();
    void listStopsAtAnEmptyNameOrDamage();
    void missingFilesFallBackToTheDefaultThenToAnEmptyList();
    void clickLoadsTheFirstRecordOfThatName();
    void yearFirstDateOrderStillReadsTheStoredDate();
    void unreadableDateIsReportedAndStopsTheLoading();
    void natalClickRefreshesTheDiurnalWindow();
    void secondPersonGoesToTheDiurnalWindow();
    void lockListBringsTheSamePersonBack();
    void changeListReadsTheChosenFile();
    void changeListThroughTheSelectAFileWindow();
    void savingAsksForEachMatchAndPutsTheNewRecordLast();
    void savingIsRefusedCancelledOrReportedWithoutLosingTheFile();
    void savingRefusesAFileWithADamagedLine();
    void saveToDiskButtonOfTheNatalWindow();
    void editorSavesTheTextAndQuitRereadsTheList();
    void doubleClickAndEnterRunTheWholeCalculation();
    void citiesButtonSwapsTheWindows();
};

void NamesWindowTest::opensTheNamesFileWithItsControls() {
    GuiFixture f;
    f.Start();
    QVERIFY(f.shell->namesLoaded());
    NamesWindow& names = f.shell->names();
    QVERIFY(names.isVisible());
    QCOMPARE(names.objectName(), QString("Names"));
    QCOMPARE(names.windowTitle(), QString("Names"));
    QCOMPARE(names.findChild<QLabel*>("lblNamesOnFile")->text(), QString("NAMES.FIL"));
    QCOMPARE(names.findChild<QCheckBox*>("Check1")->text(), QString("Lock list"));
    QCOMPARE(names.findChild<QPushButton*>("Command1")->text(), QString("Click here for cities"));
    QCOMPARE(names.findChild<QPushButton*>("cmdEditList")->text(), QString("Edit this List"));
    QCOMPARE(names.findChild<QPushButton*>("cmdNewFileList")->text(), QString("Change List"));

    // The shipped file, in file order; at start-up nothing is selected.
    const QStringList entries = Entries(NamesList(f));
    QVERIFY(entries.size() >= 5);
    QCOMPARE(entries.front(), QString("Amelia Thornbury"));
    QVERIFY(entries.contains(QString::fromUtf8("Søren Lindqvist")));
    QCOMPARE(SelectedRow(NamesList(f)), -1);
    QVERIFY(f.dialogs.messages.empty());
    // The window lies on the screen.
    QVERIFY(names.screen()->availableGeometry().contains(names.frameGeometry()));
    SaveScreenshot(names, "names_window");
}

void NamesWindowTest::listStopsAtAnEmptyNameOrDamage() {
    GuiFixture f;
    f.WriteDataFile("NAMES.FIL",
                    "Ann,01 Feb 1970,3.00,A,5,071.05,42.21\r\n"
                    ",01 Feb 1970,3.00,A,5,071.05,42.21\r\n"
                    "Hidden,01 Feb 1970,3.00,A,5,071.05,42.21\r\n");
    f.Start();
    QCOMPARE(Entries(NamesList(f)), QStringList{"Ann"});
    QVERIFY(f.dialogs.messages.empty());

    // An unclosed quote in the third line: the two records before it stay listed.
    f.WriteDataFile("NAMES.FIL",
                    "Ann,01 Feb 1970,3.00,A,5,071.05,42.21\r\n"
                    "Bob,02 Feb 1970,4.00,P,5,071.05,42.21\r\n"
                    "\"Cy,03 Feb 1970,5.00,A,5,071.05,42.21\r\n");
    ReloadNames(f);
    QCOMPARE(Entries(NamesList(f)), (QStringList{"Ann", "Bob"}));
    const auto shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].text, QString(NamesFileErrorMessage));
    QCOMPARE(shown[0].title, QString("Error!"));
    QCOMPARE(shown[0].icon, MessageIcon::Critical);
}

void NamesWindowTest::missingFilesFallBackToTheDefaultThenToAnEmptyList() {
    GuiFixture f;
    f.Start();
    f.session.names.SetFile(f.dataDir() / "GONE.FIL");
    ReloadNames(f);
    // The default file is listed; the path is forgotten, so the label is empty.
    QVERIFY(f.session.names.file().empty());
    QCOMPARE(NamesList(f).item(0)->text(), QString("Amelia Thornbury"));
    QCOMPARE(f.shell->names().findChild<QLabel*>("lblNamesOnFile")->text(), QString());
    QVERIFY(f.dialogs.messages.empty());

    // Neither file: an empty list and one message, no endless retry.
    fs::remove(f.dataDir() / "NAMES.FIL");
    f.session.names.SetFile(f.dataDir() / "GONE.FIL");
    ReloadNames(f);
    QCOMPARE(NamesList(f).count(), 0);
    const auto shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QVERIFY(shown[0].text.contains("NAMES.FIL"));
    QCOMPARE(shown[0].title, QString("Error!"));
}

void NamesWindowTest::clickLoadsTheFirstRecordOfThatName() {
    GuiFixture f;
    f.WriteDataFile("NAMES.FIL",
                    "Midnight Ann,05 Jan 1950,12.00,A,-1,-000.30,51.28\r\n"
                    "Bob South,17 Aug 1981,9.07,P,3,058.23,-34.37\r\n"
                    "Midnight Ann,09 Sep 1999,3.00,P,8,120.00,30.00\r\n");
    f.Start();
    QListWidget& list = NamesList(f);

    ClickEntry(list, 0);
    InputFields natal = f.shell->inputD().Fields();
    QCOMPARE(natal.name, std::string("Midnight Ann"));
    QCOMPARE(natal.month, std::string("1"));
    QCOMPARE(natal.day, std::string("5"));
    QCOMPARE(natal.year, std::string("1950"));
    // 12.00 with A is twelve o'clock A.M.; -000.30 is 0 degrees 30 minutes East.
    QCOMPARE(natal.hour, std::string("12"));
    QCOMPARE(natal.minute, std::string("0"));
    QVERIFY(natal.am);
    QCOMPARE(natal.zone, std::string("-1"));
    QCOMPARE(natal.longDeg, std::string("0"));
    QCOMPARE(natal.longMin, std::string("30"));
    QVERIFY(natal.east);
    QCOMPARE(natal.latDeg, std::string("51"));
    QCOMPARE(natal.latMin, std::string("28"));
    QVERIFY(!natal.south);

    ClickEntry(list, 1);
    natal = f.shell->inputD().Fields();
    QCOMPARE(natal.name, std::string("Bob South"));
    QCOMPARE(natal.hour, std::string("9"));
    QCOMPARE(natal.minute, std::string("7"));
    QVERIFY(!natal.am);
    QCOMPARE(natal.longDeg, std::string("58"));
    QVERIFY(!natal.east);
    QCOMPARE(natal.latDeg, std::string("34"));
    QCOMPARE(natal.latMin, std::string("37"));
    QVERIFY(natal.south);

    // The second "Midnight Ann" loads the first one.
    ClickEntry(list, 2);
    natal = f.shell->inputD().Fields();
    QCOMPARE(natal.year, std::string("1950"));
    QCOMPARE(natal.longMin, std::string("30"));
    QVERIFY(f.dialogs.messages.empty());
    QVERIFY(!f.session.names.justSaved());
}

void NamesWindowTest::yearFirstDateOrderStillReadsTheStoredDate() {
    GuiFixture f;
    f.WriteDataFile("NAMES.FIL", "Ann,05 Jan 1950,10.05,A,5,071.05,42.21\r\n");
    f.Start();
    f.session.calc.DateOrder = 2;
    ClickEntry(NamesList(f), 0);
    const InputFields natal = f.shell->inputD().Fields();
    QCOMPARE(natal.month, std::string("1"));
    QCOMPARE(natal.day, std::string("5"));
    QCOMPARE(natal.year, std::string("1950"));
    QCOMPARE(natal.minute, std::string("5"));
    QVERIFY(f.dialogs.messages.empty());
    // The file keeps its day-first date.
    QCOMPARE(f.ReadDataFile("NAMES.FIL"), std::string("Ann,05 Jan 1950,10.05,A,5,071.05,42.21\r\n"));
}

void NamesWindowTest::unreadableDateIsReportedAndStopsTheLoading() {
    GuiFixture f;
    f.WriteDataFile("NAMES.FIL", "Typo,31 Feb 1950,10.05,A,5,071.05,42.21\r\n");
    f.Start();
    SetNatal(f, "Before,01 Jan 2000,1.00,A,5,071.05,42.21");
    ClickEntry(NamesList(f), 0);
    const auto shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].text, QString(RecordFormatErrorMessage));
    QCOMPARE(shown[0].title, QString("Error!"));
    QCOMPARE(shown[0].icon, MessageIcon::Critical);
    // Nothing after the date was loaded.
    QCOMPARE(f.shell->inputD().Fields().year, std::string("2000"));
}

void NamesWindowTest::natalClickRefreshesTheDiurnalWindow() {
    GuiFixture f;
    f.WriteDataFile("NAMES.FIL", "Far East,21 Jun 1985,4.05,P,-9,-139.42,35.41\r\n");
    f.Start();
    DiurnalWindow& diurnal = f.shell->inputD1();
    auto* chkNatOrNow = diurnal.findChild<QCheckBox*>("chkNatOrNow");
    QVERIFY(chkNatOrNow);
    QVERIFY(!chkNatOrNow->isChecked());

    // Without "Use natal data" the diurnal window goes back to the present moment.
    SetDiurnalPlace(f);
    ClickEntry(NamesList(f), 0);
    const InputFields now = diurnal.Fields();
    QCOMPARE(now.month, std::string("12"));
    QCOMPARE(now.day, std::string("6"));
    QCOMPARE(now.year, std::string("2026"));
    QCOMPARE(now.hour, std::string("3"));
    QCOMPARE(now.minute, std::string("40"));
    SetDiurnalPlace(f);
    diurnal.SetDiurnalToNow();
    QCOMPARE(now.longDeg, diurnal.Fields().longDeg);
    QCOMPARE(now.zone, diurnal.Fields().zone);
    QVERIFY(now.longDeg != "74");  // not the place set before the click

    // With it, the person's clock time and place are copied; the diurnal date stays.
    chkNatOrNow->click();
    SetDiurnalPlace(f);
    ClickEntry(NamesList(f), 0);
    const InputFields copied = diurnal.Fields();
    QCOMPARE(copied.year, std::string("2026"));
    QCOMPARE(copied.hour, std::string("4"));
    QCOMPARE(copied.minute, std::string("5"));
    QVERIFY(!copied.am);
    QCOMPARE(copied.zone, std::string("-9"));
    QCOMPARE(copied.longDeg, std::string("139"));
    QCOMPARE(copied.longMin, std::string("42"));
    QVERIFY(copied.east);
    QCOMPARE(copied.latDeg, std::string("35"));
    QVERIFY(f.dialogs.messages.empty());
}

void NamesWindowTest::secondPersonGoesToTheDiurnalWindow() {
    GuiFixture f;
    f.WriteDataFile("NAMES.FIL", "Second Sue,21 Jun 1985,4.05,P,-9,-139.42,35.41\r\n");
    f.Start();
    auto* chk2ndPerson = f.shell->inputD1().findChild<QCheckBox*>("chk2ndPerson");
    QVERIFY(chk2ndPerson);
    SetNatal(f, "Natal Ned,01 Jan 2000,1.00,A,5,071.05,42.21");
    chk2ndPerson->click();
    QVERIFY(f.shell->inputD1().SecondPerson());

    ClickEntry(NamesList(f), 0);
    const InputFields diurnal = f.shell->inputD1().Fields();
    QCOMPARE(diurnal.year, std::string("1985"));
    QCOMPARE(diurnal.hour, std::string("4"));
    QCOMPARE(diurnal.longDeg, std::string("139"));
    QVERIFY(diurnal.east);
    QCOMPARE(chk2ndPerson->text(), QString("Second Sue"));
    QCOMPARE(f.shell->inputD().Fields().name, std::string("Natal Ned"));

    // A double click loads the second person only: no calculation, the window stays.
    ClickEntry(NamesList(f), 0, true);
    QApplication::processEvents();
    QVERIFY(f.shell->namesLoaded());
    QVERIFY(f.dialogs.prompts.empty());
}

void NamesWindowTest::lockListBringsTheSamePersonBack() {
    GuiFixture f;
    f.WriteDataFile("NAMES.FIL", NumberedNames(40));
    f.Start();
    QVERIFY(!f.session.names.lockList());

    ClickEntry(NamesList(f), 30);
    auto* check1 = f.shell->names().findChild<QCheckBox*>("Check1");
    QTest::mouseClick(check1, Qt::LeftButton);
    QVERIFY(f.session.names.lockList());
    QCOMPARE(f.session.names.lockedIndex(), 30);

    // The Input command reads the list again: entry 18 at the top, entry 30 selected and loaded.
    SetNatal(f, "Someone Else,01 Jan 2000,1.00,A,5,071.05,42.21");
    f.shell->main().findChild<QAction*>("mnuInputData")->trigger();
    QApplication::processEvents();
    QListWidget& list = NamesList(f);
    QVERIFY(f.shell->names().findChild<QCheckBox*>("Check1")->isChecked());
    QVERIFY(f.session.names.lockList());
    QCOMPARE(TopVisibleRow(list), 18);
    QCOMPARE(SelectedRow(list), 30);
    QCOMPARE(f.shell->inputD().Fields().name, std::string("Person 30"));
    QCOMPARE(f.shell->inputD().Fields().day, std::string("3"));

    // The file shrank to ten people: the last one is selected and loaded.
    f.WriteDataFile("NAMES.FIL", NumberedNames(10));
    ReloadNames(f);
    QCOMPARE(SelectedRow(NamesList(f)), 9);
    QCOMPARE(TopVisibleRow(NamesList(f)), 0);
    QCOMPARE(f.session.names.lockedIndex(), 9);
    QCOMPARE(f.shell->inputD().Fields().name, std::string("Person 09"));

    // Right after a save nothing is selected or loaded.
    SetNatal(f, "Someone Else,01 Jan 2000,1.00,A,5,071.05,42.21");
    f.session.names.MarkSaved();
    ReloadNames(f);
    QCOMPARE(SelectedRow(NamesList(f)), -1);
    QCOMPARE(f.shell->inputD().Fields().name, std::string("Someone Else"));

    // Unticked, a reload leaves the list alone.
    QTest::mouseClick(f.shell->names().findChild<QCheckBox*>("Check1"), Qt::LeftButton);
    QVERIFY(!f.session.names.lockList());
    f.session.names.ClearSaved();
    ReloadNames(f);
    QVERIFY(!f.shell->names().findChild<QCheckBox*>("Check1")->isChecked());
    QCOMPARE(SelectedRow(NamesList(f)), -1);

    // Ticking with nothing selected locks the first entry.
    QTest::mouseClick(f.shell->names().findChild<QCheckBox*>("Check1"), Qt::LeftButton);
    QCOMPARE(f.session.names.lockedIndex(), -1);
    ReloadNames(f);
    QCOMPARE(SelectedRow(NamesList(f)), 0);
    QCOMPARE(f.session.names.lockedIndex(), 0);
    QCOMPARE(f.shell->inputD().Fields().name, std::string("Person 00"));
    QVERIFY(f.dialogs.messages.empty());
}

void NamesWindowTest::changeListReadsTheChosenFile() {
    GuiFixture f;
    f.WriteDataFile("family.fil",
                    "Uncle Tom,03 Mar 1933,3.30,P,5,071.05,42.21\r\n"
                    "Aunt May,04 Apr 1944,4.40,A,5,071.05,42.21\r\n");
    f.Start();
    FileChoice choice;
    ChooseWith(f, choice, {});
    Press(f.shell->names(), "cmdNewFileList");
    // Cancelled: the list and the path stay.
    QCOMPARE(choice.calls, 1);
    QCOMPARE(choice.pattern, QString("*.FIL"));
    QCOMPARE(choice.current, f.dataDir() / "NAMES.FIL");
    QCOMPARE(f.session.names.file(), f.dataDir() / "NAMES.FIL");
    QCOMPARE(NamesList(f).item(0)->text(), QString("Amelia Thornbury"));
    QVERIFY(f.session.SelectedFilePath.empty());

    // Saved just now, and the list once locked on entry 5 and unlocked again.
    f.session.names.MarkSaved();
    f.session.names.SetLock(true, 5);
    f.session.names.SetLock(false, std::nullopt);
    ChooseWith(f, choice, f.dataDir() / "family.fil");
    Press(f.shell->names(), "cmdNewFileList");
    QCOMPARE(f.session.names.file(), f.dataDir() / "family.fil");
    QCOMPARE(f.session.SelectedFilePath, f.dataDir() / "family.fil");
    QCOMPARE(Entries(NamesList(f)), (QStringList{"Uncle Tom", "Aunt May"}));
    QCOMPARE(f.shell->names().findChild<QLabel*>("lblNamesOnFile")->text(), QString("FAMILY.FIL"));
    QVERIFY(!f.session.names.justSaved());
    QCOMPARE(f.session.names.lockedIndex(), 0);

    // The new file stays current across reloads, and is preselected next time.
    ReloadNames(f);
    QCOMPARE(NamesList(f).count(), 2);
    Press(f.shell->names(), "cmdNewFileList");
    QCOMPARE(choice.current, f.dataDir() / "family.fil");
    QVERIFY(f.dialogs.messages.empty());
}

void NamesWindowTest::changeListThroughTheSelectAFileWindow() {
    GuiFixture f;
    f.WriteDataFile("family.fil", "Uncle Tom,03 Mar 1933,3.30,P,5,071.05,42.21\r\n");
    f.Start();
    QString highlighted;
    int entriesWhileChoosing = -1;
    f.dialogs.modalActions.push_back([&](QDialog& window) {
        auto* files = window.findChild<QListWidget*>("filList");
        highlighted = files->currentItem() ? files->currentItem()->text() : QString();
        const QList<QListWidgetItem*> family = files->findItems("family.fil", Qt::MatchExactly);
        files->setCurrentItem(family.value(0));
        window.findChild<QPushButton*>("cmdSelect")->click();
        // Choosing a file empties the list before it is read again.
        entriesWhileChoosing = NamesList(f).count();
        return window.result();
    });
    Press(f.shell->names(), "cmdNewFileList");
    QVERIFY2(f.dialogs.unanswered.isEmpty(), qPrintable(f.dialogs.unanswered.join("; ")));
    QCOMPARE(highlighted, QString("NAMES.FIL"));
    QCOMPARE(entriesWhileChoosing, 0);
    QCOMPARE(f.session.names.file(), f.dataDir() / "family.fil");
    QCOMPARE(Entries(NamesList(f)), QStringList{"Uncle Tom"});

    // Cancel leaves everything as it was.
    f.dialogs.modalActions.push_back([](QDialog& window) {
        window.findChild<QPushButton*>("cmdCancel")->click();
        return window.result();
    });
    Press(f.shell->names(), "cmdNewFileList");
    QCOMPARE(f.session.names.file(), f.dataDir() / "family.fil");
    QCOMPARE(Entries(NamesList(f)), QStringList{"Uncle Tom"});
    QVERIFY(f.dialogs.messages.empty());
}

void NamesWindowTest::savingAsksForEachMatchAndPutsTheNewRecordLast() {
    const std::string original =
        "ANN,01 Feb 1970,3.00,A,5,071.05,42.21\r\n"
        "Bob,02 Feb 1970,4.00,P,5,071.05,42.21\r\n"
        "ann,03 Mar 1971,5.00,A,6,080.00,35.00\r\n";
    const std::string newRecord = "Ann,14 Jul 1989,10.05,P,5,071.05,42.21\r\n";

    struct Case {
        const char* name;
        std::deque<int> answers;
        std::string saved;
    } cases[] = {
        {"yes to both", {AnswerYes, AnswerYes},
         "Bob,02 Feb 1970,4.00,P,5,071.05,42.21\r\n" + newRecord},
        {"no to both", {AnswerNo, AnswerNo}, original + newRecord},
        {"yes then no", {AnswerYes, AnswerNo},
         "Bob,02 Feb 1970,4.00,P,5,071.05,42.21\r\n"
         "ann,03 Mar 1971,5.00,A,6,080.00,35.00\r\n" + newRecord},
    };
    for (const Case& c : cases) {
        GuiFixture f;
        f.WriteDataFile("NAMES.FIL", original);
        f.Start();
        SetNatal(f, "Ann,14 Jul 1989,10.05,P,5,071.05,42.21");
        FileChoice choice;
        ChooseWith(f, choice, f.dataDir() / "NAMES.FIL");
        f.dialogs.yesNoAnswers = c.answers;
        f.shell->inputD().cmdSave_Click();

        QCOMPARE(choice.calls, 1);
        QCOMPARE(choice.pattern, QString("*.FIL"));
        QCOMPARE(choice.current, f.dataDir() / "NAMES.FIL");
        // One question per stored match, with the stored record's data.
        const auto shown = f.dialogs.TakeMessages();
        QVERIFY2(shown.size() == 2, c.name);
        QCOMPARE(shown[0].title, QString("ANN already exists"));
        QCOMPARE(shown[1].title, QString("ann already exists"));
        QCOMPARE(shown[0].icon, MessageIcon::Question);
        QCOMPARE(shown[0].buttons, MessageButtons::YesNo);
        QVERIFY(shown[0].text.startsWith(
            "There is already a name on file matching your current name"));
        QVERIFY(shown[1].text.contains("Date =  03 Mar 1971\r\nTime =  5.00 A\r\nTime zone =  6"));
        QVERIFY(f.dialogs.unanswered.isEmpty());

        QVERIFY2(f.ReadDataFile("NAMES.FIL") == c.saved, c.name);
        QCOMPARE(f.ReadDataFile("NAMES.OLD"), original);
        QVERIFY(!fs::exists(f.dataDir() / "wfyert.hyq"));
        // The list is read again and, just after a save, nothing is selected.
        QVERIFY(f.session.names.justSaved());
        QCOMPARE(Entries(NamesList(f)).back(), QString("Ann"));
        QCOMPARE(SelectedRow(NamesList(f)), -1);
        QVERIFY(f.shell->names().isVisible());
    }

    // Saved into another file: the Names window still lists the current one.
    GuiFixture f;
    f.Start();
    SetNatal(f, "Zoe,14 Jul 1989,10.05,P,5,-071.05,-42.21");
    FileChoice choice;
    ChooseWith(f, choice, f.dataDir() / "NEW.FIL");
    f.shell->inputD().cmdSave_Click();
    QCOMPARE(f.ReadDataFile("NEW.FIL"), std::string("Zoe,14 Jul 1989,10.05,P,-5,-071.05,-42.21\r\n"));
    QVERIFY(!fs::exists(f.dataDir() / "NEW.OLD"));
    QCOMPARE(f.session.names.file(), f.dataDir() / "NAMES.FIL");
    QCOMPARE(NamesList(f).item(0)->text(), QString("Amelia Thornbury"));
    QVERIFY(f.dialogs.messages.empty());
}

void NamesWindowTest::savingIsRefusedCancelledOrReportedWithoutLosingTheFile() {
    GuiFixture f;
    f.Start();
    const std::string original = f.ReadDataFile("NAMES.FIL");
    FileChoice choice;
    ChooseWith(f, choice, f.dataDir() / "NAMES.FIL");

    // A comma in the name: refused before any file is chosen; the list is read again.
    SetNatal(f, "Smith,14 Jul 1989,10.05,P,5,071.05,42.21");
    InputFields natal = f.shell->inputD().Fields();
    natal.name = "Smith, John";
    f.shell->inputD().SetFields(natal);
    QPointer<NamesWindow> before = &f.shell->names();
    f.shell->inputD().cmdSave_Click();
    auto shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].text, QString(NameCommaMessage));
    QCOMPARE(shown[0].title, QString("Warning!"));
    QCOMPARE(shown[0].icon, MessageIcon::Critical);
    QCOMPARE(choice.calls, 0);
    QCOMPARE(f.ReadDataFile("NAMES.FIL"), original);
    QVERIFY(before.isNull());
    QVERIFY(f.session.names.justSaved());

    // Cancelling the file choice: nothing written, the Names window not read again.
    SetNatal(f, "Kim,14 Jul 1989,10.05,P,5,071.05,42.21");
    f.session.names.ClearSaved();
    ChooseWith(f, choice, {});
    before = &f.shell->names();
    f.shell->inputD().cmdSave_Click();
    QCOMPARE(choice.calls, 1);
    QVERIFY(!before.isNull());
    QVERIFY(!f.session.names.justSaved());
    QCOMPARE(f.ReadDataFile("NAMES.FIL"), original);
    QVERIFY(!fs::exists(f.dataDir() / "NAMES.OLD"));

    // A failed write is reported and the names file left in place.
    ChooseWith(f, choice, f.dataDir() / "NAMES.FIL");
    orrerion::testing::WithFileSizeLimit(16, [&] { f.shell->inputD().cmdSave_Click(); });
    shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].title, QString("Error!"));
    QCOMPARE(shown[0].icon, MessageIcon::Critical);
    QVERIFY(shown[0].text.contains("NAMES.FIL"));
    QCOMPARE(f.ReadDataFile("NAMES.FIL"), original);
    QCOMPARE(NamesList(f).item(0)->text(), QString("Amelia Thornbury"));

    // The old file cannot be moved aside as the backup: reported, the names file left in place.
    fs::create_directories(f.dataDir() / "NAMES.OLD" / "busy");
    f.shell->inputD().cmdSave_Click();
    shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].title, QString("Error!"));
    QVERIFY(shown[0].text.contains("NAMES.OLD"));
    QCOMPARE(f.ReadDataFile("NAMES.FIL"), original);
    QVERIFY(!fs::exists(f.dataDir() / "wfyert.hyq"));
    fs::remove_all(f.dataDir() / "NAMES.OLD");

    // A natal date that is not a calendar date is not written.
    natal = f.shell->inputD().Fields();
    natal.day = "31";
    natal.month = "2";
    f.shell->inputD().SetFields(natal);
    f.shell->inputD().cmdSave_Click();
    shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].title, QString("Warning!"));
    QCOMPARE(f.ReadDataFile("NAMES.FIL"), original);
}

void NamesWindowTest::savingRefusesAFileWithADamagedLine() {
    GuiFixture f;
    const std::string original =
        "Ann,01 Feb 1970,3.00,A,5,071.05,42.21\r\n"
        "\"Broken,02 Feb 1970,4.00,P,5,071.05,42.21\r\n"
        "Cy,03 Mar 1971,5.00,A,6,080.00,35.00\r\n";
    f.WriteDataFile("NAMES.FIL", original);
    f.Start();
    f.dialogs.TakeMessages();  // the list's own damage message
    SetNatal(f, "Dee,14 Jul 1989,10.05,P,5,071.05,42.21");
    FileChoice choice;
    ChooseWith(f, choice, f.dataDir() / "NAMES.FIL");
    f.shell->inputD().cmdSave_Click();

    // The save is refused at the damaged line, which would otherwise leave Cy only in the
    // backup: the file and its backup stay as they were, and the message names the line.
    QCOMPARE(f.ReadDataFile("NAMES.FIL"), original);
    QVERIFY(!fs::exists(f.dataDir() / "NAMES.OLD"));
    const auto shown = f.dialogs.TakeMessages();  // then the list's own damage message again
    QVERIFY(shown.size() >= 1);
    QCOMPARE(shown[0].title, QString("Error!"));
    QVERIFY2(shown[0].text.contains("line 2 cannot be read (unclosed quote)"), qPrintable(shown[0].text));
    QVERIFY(shown[0].text.contains("Edit this List"));
}

void NamesWindowTest::saveToDiskButtonOfTheNatalWindow() {
    GuiFixture f;
    f.WriteDataFile("NAMES.FIL", "Ann,01 Feb 1970,3.00,A,5,071.05,42.21\r\n");
    f.Start();
    NatalWindow& natal = f.shell->inputD();
    SetNatal(f, "Ben,14 Jul 1989,10.05,P,5,071.05,42.21");
    FileChoice choice;
    ChooseWith(f, choice, f.dataDir() / "NAMES.FIL");
    QPointer<NamesWindow> before = &f.shell->names();
    natal.findChild<QPushButton*>("cmdSave")->click();
    QCOMPARE(choice.calls, 1);
    QCOMPARE(f.ReadDataFile("NAMES.FIL"),
             std::string("Ann,01 Feb 1970,3.00,A,5,071.05,42.21\r\n"
                         "Ben,14 Jul 1989,10.05,P,5,071.05,42.21\r\n"));
    QVERIFY(before.isNull());
    QCOMPARE(Entries(NamesList(f)), (QStringList{"Ann", "Ben"}));
    QVERIFY(f.session.names.justSaved());
    QVERIFY(f.dialogs.messages.empty());
}

void NamesWindowTest::editorSavesTheTextAndQuitRereadsTheList() {
    GuiFixture f;
    f.WriteDataFile("NAMES.FIL", "Ann,01 Feb 1970,3.00,A,5,071.05,42.21\r\n");
    f.Start();
    Press(f.shell->names(), "cmdEditList");
    auto* editor = f.shell->main().findChild<NameEditWindow*>("NameEdit");
    QVERIFY(editor);
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->windowTitle(),
             "Edit: " + QString::fromStdString((f.dataDir() / "NAMES.FIL").string()));
    QCOMPARE(f.dialogs.busyCalls, 0);
    auto* text = editor->findChild<QPlainTextEdit*>("txtContent");
    QCOMPARE(text->toPlainText(), QString("Ann,01 Feb 1970,3.00,A,5,071.05,42.21\n"));
    QVERIFY(QFontInfo(text->font()).fixedPitch());
    QVERIFY(editor->findChild<QLabel*>()->text() ==
            "Ctrl-C to copy.  Ctrl-X to cut.  Ctrl-V to paste.");
    QCOMPARE(editor->findChild<QPushButton*>("btnSave")->text(), QString("Save"));
    QCOMPARE(editor->findChild<QPushButton*>("btnQuit")->text(), QString("Quit"));

    // A second click brings the same editor forward.
    Press(f.shell->names(), "cmdEditList");
    QCOMPARE(f.shell->main().findChildren<NameEditWindow*>().size(), 1);

    text->setPlainText("Ann,01 Feb 1970,3.00,A,5,071.05,42.21\nZed,09 Sep 1999,9.09,P,5,071.05,42.21\n");
    f.session.names.MarkSaved();
    Press(*editor, "btnSave");
    QCOMPARE(f.ReadDataFile("NAMES.FIL"),
             std::string("Ann,01 Feb 1970,3.00,A,5,071.05,42.21\r\n"
                         "Zed,09 Sep 1999,9.09,P,5,071.05,42.21\r\n"));
    QVERIFY(!f.session.names.justSaved());
    QVERIFY(editor->isVisible());
    SaveScreenshot(*editor, "name_edit_window");

    // A write that fails is reported; the editor keeps the text.
    fs::remove(f.dataDir() / "NAMES.FIL");
    fs::create_directory(f.dataDir() / "NAMES.FIL");
    Press(*editor, "btnSave");
    const auto shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].title, QString("Error!"));
    QVERIFY(shown[0].text.contains("NAMES.FIL"));
    fs::remove(f.dataDir() / "NAMES.FIL");
    Press(*editor, "btnSave");
    QVERIFY(f.dialogs.messages.empty());

    // A record typed after a blank line would not be listed: the save says where and why.
    text->setPlainText("Ann,01 Feb 1970,3.00,A,5,071.05,42.21\n\nBo,02 Mar 1971,4.00,A,5,071.05,42.21\n");
    Press(*editor, "btnSave");
    const auto note = f.dialogs.TakeMessages();
    QCOMPARE(note.size(), std::size_t{1});
    QCOMPARE(note[0].title, QString("Warning!"));
    QVERIFY2(note[0].text.startsWith("The Names list stops at line 2: a record there has an empty "
                                     "first field (a blank line counts as one)"),
             qPrintable(note[0].text));
    QVERIFY(f.ReadDataFile("NAMES.FIL").find("Bo,02 Mar 1971") != std::string::npos);
    text->setPlainText("Ann,01 Feb 1970,3.00,A,5,071.05,42.21\nZed,09 Sep 1999,9.09,P,5,071.05,42.21\n");
    Press(*editor, "btnSave");
    QVERIFY(f.dialogs.messages.empty());

    // Quit closes the editor and reads the list again.
    QPointer<NameEditWindow> closing = editor;
    Press(*editor, "btnQuit");
    QTRY_VERIFY(closing.isNull());
    QCOMPARE(Entries(NamesList(f)), (QStringList{"Ann", "Zed"}));
    QVERIFY(f.shell->names().isVisible());
}

void NamesWindowTest::doubleClickAndEnterRunTheWholeCalculation() {
    GuiFixture f;
    f.Start();
    SetDiurnalPlace(f);
    f.dialogs.inputAnswers = {" 5"};
    ClickEntry(NamesList(f), 0, true);
    // The window goes and the calculation runs once the double click has been handled.
    QTRY_VERIFY(!f.shell->namesLoaded());
    QVERIFY2(f.dialogs.unanswered.isEmpty(), qPrintable(f.dialogs.unanswered.join("; ")));
    QVERIFY(f.dialogs.messages.empty());
    QCOMPARE(f.dialogs.prompts.size(), std::size_t{1});
    QCOMPARE(f.dialogs.prompts[0].prompt, QString("Enter number of days:"));
    QCOMPARE(f.session.PreviousName, std::string("Amelia Thornbury"));
    QVERIFY(DataLinesContain(f, "Amelia Thornbury"));
    QVERIFY(DataLinesContain(f, "Transit to natal planet aspects"));
    QVERIFY(f.shell->dataWindow().isVisible());
    QCOMPARE(ReportFiles(f, "Amelia Thornbury"), 16);

    // Enter on an entry does the same.
    f.shell->names().show();
    SetDiurnalPlace(f);
    QListWidget& list = NamesList(f);
    list.setFocus();
    list.setCurrentRow(1);
    const std::string second = list.item(1)->text().toStdString();
    f.dialogs.inputAnswers = {" 5"};
    QTest::keyClick(&list, Qt::Key_Return);
    QTRY_VERIFY(!f.shell->namesLoaded());
    QCOMPARE(f.dialogs.prompts.size(), std::size_t{2});
    QCOMPARE(f.session.PreviousName, second);
    QVERIFY(DataLinesContain(f, second));
    QCOMPARE(ReportFiles(f, second), 16);
    QVERIFY(f.dialogs.messages.empty());
}

void NamesWindowTest::citiesButtonSwapsTheWindows() {
    GuiFixture f;
    f.Start();
    Press(f.shell->names(), "Command1");
    QTRY_VERIFY(!f.shell->namesLoaded());
    QVERIFY(f.shell->citiesLoaded());
    QVERIFY(f.shell->cities().isVisible());
    QCOMPARE(f.shell->cities().windowTitle(), QString("Cities"));
}

QTEST_MAIN(NamesWindowTest)
#include "names_window_test.moc"
