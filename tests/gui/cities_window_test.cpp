// The Cities window and the cities editor: listing, the place codes loaded into the input
// windows, Change List, a missing file, and the switch to and from the Names window.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

#include "core/records/cities_file.h"
#include "core/records/name_record.h"
#include "gui/app/main_window.h"
#include "gui/records/cities_window.h"
#include "gui/records/diurnal_window.h"
#include "gui/records/long_lat_window.h"
#include "gui/records/names_window.h"
#include "gui/records/natal_window.h"
#include "gui_fixture.h"
#include "window_helpers.h"

using namespace orrerion;
using namespace orrerion::gui;
using namespace orrerion::gui::testing;
namespace fs = std::filesystem;

namespace {

QListWidget& CitiesList(GuiFixture& f) {
    return *f.shell->cities().findChild<QListWidget*>("CitiesOnFile");
}

void ShowCities(GuiFixture& f) {
    f.shell->unloadCities();
    f.shell->cities().show();
    QApplication::processEvents();
}

// A natal window holding a known person, so that what a city changes and keeps can be seen.
void SetNatal(GuiFixture& f) {
    InputFields natal = f.shell->inputD().Fields();
    LoadNameRecord(*NameRecordFromLine("Ann,05 Jan 1950,10.05,A,8,120.00,10.00"), 0, InputSection::Natal, natal);
    natal.name = "Ann";
    f.shell->inputD().SetFields(natal);
}

}  // namespace

class CitiesWindowTest : public QObject {
    Q_OBJECT
private slots:
    void listsCityAndRegionOfTheCitiesFile();
    void codesGiveDegreesHemispheresAndZone_data();
    void codesGiveDegreesHemispheresAndZone();
    void natalPlaceRefreshesTheDiurnalWindow();
    void secondPersonTakesThePlace();
    void wronglyShapedCodesAreReported();
    void sameCityTwiceLoadsTheFirst();
    void missingOrDamagedFileIsReported();
    void changeListAndEditor();
    void namesAndCitiesReplaceEachOther();
};

void CitiesWindowTest::listsCityAndRegionOfTheCitiesFile() {
    GuiFixture f;
    f.Start();
    CitiesWindow& cities = f.shell->cities();
    cities.show();
    QCOMPARE(cities.objectName(), QString("Geograph"));
    QCOMPARE(cities.windowTitle(), QString("Cities"));
    QCOMPARE(cities.findChild<QLabel*>("lblCitiesOnFile")->text(), QString("GA_MA.LL"));
    QCOMPARE(cities.findChild<QPushButton*>("Command1")->text(), QString("Click here for names"));
    QCOMPARE(cities.findChild<QPushButton*>("cmdEditList")->text(), QString("Edit this List"));
    QCOMPARE(cities.findChild<QPushButton*>("cmdNewFileList")->text(), QString("Change List"));
    const QStringList entries = Entries(CitiesList(f));
    QVERIFY(entries.size() > 100);
    QCOMPARE(entries.front(), QString("Montgomery,AL"));
    QVERIFY(f.dialogs.messages.empty());
    QVERIFY(cities.screen()->availableGeometry().contains(cities.frameGeometry()));
    SaveScreenshot(cities, "cities_window");
}

void CitiesWindowTest::codesGiveDegreesHemispheresAndZone_data() {
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("longDeg");
    QTest::addColumn<QString>("longMin");
    QTest::addColumn<bool>("east");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QString>("latDeg");
    QTest::addColumn<QString>("latMin");
    QTest::addColumn<bool>("south");
    QTest::newRow("five-character longitude")
        << "Lexington,KY,84W23,38N03,5" << "84" << "23" << false << "5" << "38" << "3" << false;
    QTest::newRow("east, and the stored zone stands")
        << "Eastham,XX,071E04,42N21,5" << "71" << "4" << true << "5" << "42" << "21" << false;
    QTest::newRow("south") << "Sydney,NSW,151E13,33S52,-10"
                           << "151" << "13" << true << "-10" << "33" << "52" << true;
    QTest::newRow("lower-case letters are West and North")
        << "Lowtown,XX,071e04,33s52,5" << "71" << "4" << false << "5" << "33" << "52" << false;
    QTest::newRow("decimal zone") << "Delhi,IN,077E13,28N40,-5.5"
                                  << "77" << "13" << true << "-5.5" << "28" << "40" << false;
}

void CitiesWindowTest::codesGiveDegreesHemispheresAndZone() {
    QFETCH(QString, record);
    QFETCH(QString, longDeg);
    QFETCH(QString, longMin);
    QFETCH(bool, east);
    QFETCH(QString, zone);
    QFETCH(QString, latDeg);
    QFETCH(QString, latMin);
    QFETCH(bool, south);
    GuiFixture f;
    f.WriteDataFile("GA_MA.LL", record.toStdString() + "\r\n");
    f.Start();
    SetNatal(f);
    ShowCities(f);
    ClickEntry(CitiesList(f), 0);
    const InputFields natal = f.shell->inputD().Fields();
    QCOMPARE(QString::fromStdString(natal.longDeg), longDeg);
    QCOMPARE(QString::fromStdString(natal.longMin), longMin);
    QCOMPARE(natal.east, east);
    QCOMPARE(QString::fromStdString(natal.zone), zone);
    QCOMPARE(QString::fromStdString(natal.latDeg), latDeg);
    QCOMPARE(QString::fromStdString(natal.latMin), latMin);
    QCOMPARE(natal.south, south);
    // The person's name, date and clock time are not touched.
    QCOMPARE(natal.name, std::string("Ann"));
    QCOMPARE(natal.day, std::string("5"));
    QCOMPARE(natal.year, std::string("1950"));
    QCOMPARE(natal.hour, std::string("10"));
    QCOMPARE(natal.minute, std::string("5"));
    QVERIFY(f.dialogs.messages.empty());

}

void CitiesWindowTest::natalPlaceRefreshesTheDiurnalWindow() {
    GuiFixture f;
    f.WriteDataFile("GA_MA.LL", "Sydney,NSW,151E13,33S52,-10\r\n");
    f.Start();
    SetNatal(f);
    DiurnalWindow& diurnal = f.shell->inputD1();
    const auto setOldDiurnal = [&] {
        InputFields old = diurnal.Fields();
        old.year = "1999";
        old.longDeg = "1";
        diurnal.SetFields(old);
    };
    ShowCities(f);

    // Without "Use natal data": the present moment and the default place.
    setOldDiurnal();
    ClickEntry(CitiesList(f), 0);
    const InputFields now = diurnal.Fields();
    QCOMPARE(now.year, std::string("2026"));
    setOldDiurnal();
    diurnal.SetDiurnalToNow();
    QCOMPARE(now.longDeg, diurnal.Fields().longDeg);
    QVERIFY(now.longDeg != "1");

    // With it: the natal clock time and the new place; the diurnal date stays.
    diurnal.findChild<QCheckBox*>("chkNatOrNow")->click();
    setOldDiurnal();
    ClickEntry(CitiesList(f), 0);
    const InputFields copied = diurnal.Fields();
    QCOMPARE(copied.year, std::string("1999"));
    QCOMPARE(copied.hour, std::string("10"));
    QCOMPARE(copied.longDeg, std::string("151"));
    QCOMPARE(copied.zone, std::string("-10"));
    QVERIFY(copied.east);
    QVERIFY(copied.south);
    QVERIFY(f.dialogs.messages.empty());
}

void CitiesWindowTest::secondPersonTakesThePlace() {
    GuiFixture f;
    f.WriteDataFile("GA_MA.LL", "Sydney,NSW,151E13,33S52,-10\r\n");
    f.Start();
    auto* chk2ndPerson = f.shell->inputD1().findChild<QCheckBox*>("chk2ndPerson");
    QVERIFY(chk2ndPerson);
    SetNatal(f);
    chk2ndPerson->click();
    QVERIFY(f.shell->inputD1().SecondPerson());
    const QString caption = chk2ndPerson->text();
    ShowCities(f);
    ClickEntry(CitiesList(f), 0);
    const InputFields diurnal = f.shell->inputD1().Fields();
    QCOMPARE(diurnal.longDeg, std::string("151"));
    QCOMPARE(diurnal.longMin, std::string("13"));
    QVERIFY(diurnal.east);
    QCOMPARE(diurnal.zone, std::string("-10"));
    QCOMPARE(diurnal.latDeg, std::string("33"));
    QVERIFY(diurnal.south);
    // The natal place and the box's caption stay.
    QCOMPARE(f.shell->inputD().Fields().longDeg, std::string("120"));
    QCOMPARE(chk2ndPerson->text(), caption);
    QVERIFY(f.dialogs.messages.empty());
}

void CitiesWindowTest::wronglyShapedCodesAreReported() {
    GuiFixture f;
    f.WriteDataFile("GA_MA.LL",
                    "Short,XX,71W4,42N21,5\r\n"
                    "One-digit,XX,071W04,4N21,5\r\n"
                    "No zone,XX,071W04,42N21,five\r\n");
    f.Start();
    ShowCities(f);
    for (int row = 0; row < 3; ++row) {
        SetNatal(f);
        ClickEntry(CitiesList(f), row);
        const auto shown = f.dialogs.TakeMessages();
        QVERIFY2(shown.size() == 1, qPrintable(CitiesList(f).item(row)->text()));
        QCOMPARE(shown[0].text, QString(CityFormatErrorMessage));
        QCOMPARE(shown[0].title, QString("Error!"));
        QCOMPARE(shown[0].icon, MessageIcon::Critical);
    }
    // The latitude code fails after the longitude was set: that part keeps its new values.
    SetNatal(f);
    ClickEntry(CitiesList(f), 1);
    f.dialogs.TakeMessages();
    QCOMPARE(f.shell->inputD().Fields().longDeg, std::string("71"));
    QCOMPARE(f.shell->inputD().Fields().latDeg, std::string("10"));

    // The arrow keys and type-ahead load the entry they move to, as a click does, once each.
    QListWidget& list = CitiesList(f);
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Up);
    QCOMPARE(list.currentRow(), 0);
    QCOMPARE(f.dialogs.TakeMessages().size(), std::size_t{1});
    QTest::keyClicks(&list, "No");
    QCOMPARE(list.currentRow(), 2);
    QCOMPARE(f.dialogs.TakeMessages().size(), std::size_t{1});
}

void CitiesWindowTest::sameCityTwiceLoadsTheFirst() {
    GuiFixture f;
    f.WriteDataFile("GA_MA.LL",
                    "Springfield,IL,089W39,39N48,6\r\n"
                    "Springfield,IL,072W35,42N06,5\r\n"
                    ",,,,\r\n"
                    "Hidden,XX,071W04,42N21,5\r\n");
    f.Start();
    ShowCities(f);
    QCOMPARE(Entries(CitiesList(f)), (QStringList{"Springfield,IL", "Springfield,IL"}));
    ClickEntry(CitiesList(f), 1);
    QCOMPARE(f.shell->inputD().Fields().longDeg, std::string("89"));
}

void CitiesWindowTest::missingOrDamagedFileIsReported() {
    GuiFixture f;
    f.Start();
    fs::remove(f.dataDir() / "GA_MA.LL");
    ShowCities(f);
    QCOMPARE(CitiesList(f).count(), 0);
    auto shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].title, QString("Error!"));
    QVERIFY(shown[0].text.contains("GA_MA.LL"));

    f.WriteDataFile("GA_MA.LL",
                    "Boston,MA,071W04,42N21,5\r\n"
                    "\"Worcester,MA,071W48,42N16,5\r\n");
    ShowCities(f);
    QCOMPARE(Entries(CitiesList(f)), QStringList{"Boston,MA"});
    shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].text, QString(CitiesFileErrorMessage));
}

void CitiesWindowTest::changeListAndEditor() {
    GuiFixture f;
    f.WriteDataFile("europe.ll", "Paris,FR,002E20,48N52,-1\r\n");
    f.Start();
    ShowCities(f);
    QString pattern;
    fs::path current;
    f.session.chooseFile = [&](const QString& p, const fs::path& c) {
        pattern = p;
        current = c;
        return f.dataDir() / "europe.ll";
    };
    Press(f.shell->cities(), "cmdNewFileList");
    QCOMPARE(pattern, QString("*.LL"));
    QCOMPARE(current, f.dataDir() / "GA_MA.LL");
    QCOMPARE(f.session.CitiesFilePath, f.dataDir() / "europe.ll");
    QCOMPARE(Entries(CitiesList(f)), QStringList{"Paris,FR"});
    QCOMPARE(f.shell->cities().findChild<QLabel*>("lblCitiesOnFile")->text(), QString("EUROPE.LL"));

    // Cancelled: nothing changes.
    f.session.chooseFile = [](const QString&, const fs::path&) { return fs::path(); };
    Press(f.shell->cities(), "cmdNewFileList");
    QCOMPARE(f.session.CitiesFilePath, f.dataDir() / "europe.ll");
    QCOMPARE(CitiesList(f).count(), 1);

    // The editor works on the current cities file.
    Press(f.shell->cities(), "cmdEditList");
    auto* editor = f.shell->main().findChild<LongLatWindow*>("LongLat");
    QVERIFY(editor);
    QCOMPARE(editor->windowTitle(),
             "Edit: " + QString::fromStdString((f.dataDir() / "europe.ll").string()));
    QCOMPARE(f.dialogs.busyCalls, 0);
    auto* text = editor->findChild<QPlainTextEdit*>("txtContent");
    QCOMPARE(text->toPlainText(), QString("Paris,FR,002E20,48N52,-1\n"));
    QVERIFY(QFontInfo(text->font()).fixedPitch());
    QCOMPARE(editor->findChild<QLabel*>()->text(),
             QString("Ctrl-C to copy.  Ctrl-X to cut.  Ctrl-V to paste."));
    text->setPlainText("Paris,FR,002E20,48N52,-1\nRome,IT,012E29,41N54,-1\n");
    Press(*editor, "btnSave");
    QCOMPARE(f.ReadDataFile("europe.ll"),
             std::string("Paris,FR,002E20,48N52,-1\r\nRome,IT,012E29,41N54,-1\r\n"));
    SaveScreenshot(*editor, "long_lat_window");
    QPointer<LongLatWindow> closing = editor;
    Press(*editor, "btnQuit");
    QTRY_VERIFY(closing.isNull());
    QCOMPARE(Entries(CitiesList(f)), (QStringList{"Paris,FR", "Rome,IT"}));
    QVERIFY(f.shell->cities().isVisible());
    QVERIFY(f.dialogs.messages.empty());
}

void CitiesWindowTest::namesAndCitiesReplaceEachOther() {
    GuiFixture f;
    f.Start();
    QPointer<NamesWindow> names = &f.shell->names();
    const QPoint place = names->pos();
    Press(*names, "Command1");
    QTRY_VERIFY(names.isNull());
    QVERIFY(f.shell->cities().isVisible());
    QCOMPARE(f.shell->cities().pos(), place);

    QPointer<CitiesWindow> cities = &f.shell->cities();
    Press(*cities, "Command1");
    QTRY_VERIFY(cities.isNull());
    QVERIFY(f.shell->namesLoaded());
    QVERIFY(f.shell->names().isVisible());
    QCOMPARE(f.shell->names().windowTitle(), QString("Names"));
}

QTEST_MAIN(CitiesWindowTest)
#include "cities_window_test.moc"
