// The time zone picker: its list lines in a fixed-pitch font, the zone written into the window
// that opened it, and a damaged or missing TZ.DAT.
#include <QFontInfo>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

#include "core/records/name_record.h"
#include "core/records/tz_table.h"
#include "gui/records/diurnal_window.h"
#include "gui/records/natal_window.h"
#include "gui/records/time_zone_window.h"
#include "gui_fixture.h"
#include "window_helpers.h"

using namespace orrerion;
using namespace orrerion::gui;
using namespace orrerion::gui::testing;
namespace fs = std::filesystem;

namespace {

QListWidget& ZoneList(GuiFixture& f) {
    return *f.shell->timeZone().findChild<QListWidget*>("lstTimeZones");
}

void ShowPicker(GuiFixture& f, bool diurnalTarget) {
    f.shell->unloadTimeZone();
    f.shell->timeZone().SetTarget(diurnalTarget ? InputSection::Diurnal : InputSection::Natal);
    f.shell->timeZone().show();
    QApplication::processEvents();
}

// Both input windows at a known western place with zone 8.
void SetPlaces(GuiFixture& f) {
    const std::optional<NameRecord> record =
        NameRecordFromLine("Ann,05 Jan 1950,10.05,A,8,120.00,10.00");
    InputFields natal = f.shell->inputD().Fields();
    LoadNameRecord(*record, 0, InputSection::Natal, natal);
    f.shell->inputD().SetFields(natal);
    InputFields diurnal = f.shell->inputD1().Fields();
    LoadNameRecord(*record, 0, InputSection::Diurnal, diurnal);
    f.shell->inputD1().SetFields(diurnal);
}

const char* const Zones =
    "Eastern,EST,5\r\n"
    "India,IST,-5.5\r\n"
    "Greenwich,GMT,0\r\n"
    "Mid-Atlantic,MAT,2\r\n"
    "Eastern,XST,7\r\n";

}  // namespace

class TimeZoneWindowTest : public QObject {
    Q_OBJECT
private slots:
    void listLinesLineUpInAFixedPitchFont();
    void inputWindowsPlaceThePickerBelowThemselves();
    void clickWritesTheZoneIntoTheWindowThatOpenedThePicker();
    void unusableNamesAndFilesAreReportedAsCorrupt();
};

void TimeZoneWindowTest::listLinesLineUpInAFixedPitchFont() {
    GuiFixture f;
    f.Start();
    ShowPicker(f, false);
    TimeZoneWindow& picker = f.shell->timeZone();
    QCOMPARE(picker.objectName(), QString("TimeZone"));
    QCOMPARE(picker.windowTitle(), QString("Time Zones"));
    QCOMPARE(picker.findChild<QPushButton*>("Command1")->text(), QString("Quit"));
    QListWidget& list = ZoneList(f);
    QVERIFY(QFontInfo(list.font()).fixedPitch());
    QVERIFY(list.count() > 20);
    // Eastern, 25 blanks, " - ", one blank, EST, " =", three blanks and 5.
    QCOMPARE(list.item(0)->text(), "Eastern" + QString(25, ' ') + " -  EST =   5");
    // Every line fits the list without a horizontal scroll bar.
    for (int i = 0; i < list.count(); ++i) {
        QVERIFY2(list.fontMetrics().horizontalAdvance(list.item(i)->text()) <
                     list.viewport()->width(),
                 qPrintable(list.item(i)->text()));
    }
    QVERIFY(f.dialogs.messages.empty());
    QVERIFY(picker.screen()->availableGeometry().contains(picker.frameGeometry()));
    SaveScreenshot(picker, "time_zone_window");

    QPointer<TimeZoneWindow> closing = &picker;
    picker.findChild<QPushButton*>("Command1")->click();
    QTRY_VERIFY(closing.isNull());
    QVERIFY(!f.shell->timeZoneLoaded());
}

void TimeZoneWindowTest::inputWindowsPlaceThePickerBelowThemselves() {
    GuiFixture f;
    f.Start();
    NatalWindow& natal = f.shell->inputD();
    DiurnalWindow& diurnal = f.shell->inputD1();
    const int inputBottom =
        std::max(natal.frameGeometry().bottom(), diurnal.frameGeometry().bottom());

    // From the natal window: right edge under the diurnal window's right edge.
    natal.Label1_Click();
    QVERIFY(f.shell->timeZoneLoaded());
    QVERIFY(f.shell->timeZone().isVisible());
    QVERIFY(f.shell->timeZone().target() == InputSection::Natal);
    QCOMPARE(f.shell->timeZone().frameGeometry().right(), diurnal.frameGeometry().right());
    QVERIFY(f.shell->timeZone().frameGeometry().top() > inputBottom);

    // From the diurnal window: left edge under the natal window's left edge.
    f.shell->unloadTimeZone();
    diurnal.Label1_Click();
    QVERIFY(f.shell->timeZone().target() == InputSection::Diurnal);
    QCOMPARE(f.shell->timeZone().frameGeometry().left(), natal.frameGeometry().left());
    QVERIFY(f.shell->timeZone().frameGeometry().top() > inputBottom);
}

void TimeZoneWindowTest::clickWritesTheZoneIntoTheWindowThatOpenedThePicker() {
    GuiFixture f;
    f.WriteDataFile("TZ.DAT", Zones);
    f.Start();
    SetPlaces(f);

    // Opened from the natal window: a zone east of Greenwich selects East.
    ShowPicker(f, false);
    ClickEntry(ZoneList(f), 1);
    InputFields natal = f.shell->inputD().Fields();
    QCOMPARE(natal.zone, std::string("-5.5"));
    QVERIFY(natal.east);
    QCOMPARE(f.shell->inputD1().Fields().zone, std::string("8"));
    ClickEntry(ZoneList(f), 2);
    natal = f.shell->inputD().Fields();
    QCOMPARE(natal.zone, std::string("0"));
    QVERIFY(!natal.east);
    // The second "Eastern" applies the first one.
    ClickEntry(ZoneList(f), 4);
    QCOMPARE(f.shell->inputD().Fields().zone, std::string("5"));

    // Opened from the diurnal window.
    ShowPicker(f, true);
    ClickEntry(ZoneList(f), 1);
    const InputFields diurnal = f.shell->inputD1().Fields();
    QCOMPARE(diurnal.zone, std::string("-5.5"));
    QVERIFY(diurnal.east);
    QCOMPARE(f.shell->inputD().Fields().zone, std::string("5"));
    QVERIFY(f.dialogs.messages.empty());

    // Enter on an entry works as a click.
    QListWidget& list = ZoneList(f);
    list.setFocus();
    list.setCurrentRow(0);
    QTest::keyClick(&list, Qt::Key_Return);
    QCOMPARE(f.shell->inputD1().Fields().zone, std::string("5"));
    QVERIFY(!f.shell->inputD1().Fields().east);

    // Moving the selection from the keyboard loads the entry as a click does: the arrow keys,
    // then type-ahead.
    QTest::keyClick(&list, Qt::Key_Down);
    QCOMPARE(list.currentRow(), 1);
    QCOMPARE(f.shell->inputD1().Fields().zone, std::string("-5.5"));
    QVERIFY(f.shell->inputD1().Fields().east);
    QTest::keyClicks(&list, "Gr");
    QCOMPARE(list.currentRow(), 2);
    QCOMPARE(f.shell->inputD1().Fields().zone, std::string("0"));
    QVERIFY(!f.shell->inputD1().Fields().east);
    QVERIFY(f.dialogs.messages.empty());

    // A click that moves to a corrupt entry reports it once, not once per event.
    ClickEntry(list, 3);
    QCOMPARE(f.dialogs.TakeMessages().size(), std::size_t{1});
}

void TimeZoneWindowTest::unusableNamesAndFilesAreReportedAsCorrupt() {
    GuiFixture f;
    f.WriteDataFile("TZ.DAT", Zones);
    f.Start();
    SetPlaces(f);

    // A name with "-" cannot be picked; the fields stay as they were.
    ShowPicker(f, false);
    ClickEntry(ZoneList(f), 3);
    auto shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].text, QString(TimeZoneCorruptMessage));
    QCOMPARE(shown[0].title, QString("Error!"));
    QCOMPARE(shown[0].icon, MessageIcon::Critical);
    QCOMPARE(f.shell->inputD().Fields().zone, std::string("8"));
    QVERIFY(!f.shell->inputD().Fields().east);

    // A name longer than 32 characters stops the reading; the zones before it stay listed.
    f.WriteDataFile("TZ.DAT",
                    "Eastern,EST,5\r\n"
                    "Central,CST,6\r\n"
                    "A zone name that is far too long for the list,XX,1\r\n"
                    "Pacific,PST,8\r\n");
    ShowPicker(f, false);
    QCOMPARE(ZoneList(f).count(), 2);
    shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].text, QString(TimeZoneCorruptMessage));

    // A missing table: the message and an empty list.
    fs::remove(f.dataDir() / "TZ.DAT");
    ShowPicker(f, false);
    QCOMPARE(ZoneList(f).count(), 0);
    shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].text, QString(TimeZoneCorruptMessage));
    QCOMPARE(shown[0].title, QString("Error!"));
}

QTEST_MAIN(TimeZoneWindowTest)
#include "time_zone_window_test.moc"
