// The natal and diurnal input windows: their controls, the hour rule, the key filters and focus
// rule, the zone sign rule, NOW on 24-hour and 12-hour clocks, "Use natal data", "2nd Person",
// the calculation from OK and from the diurnal window's background, "Save to disk" and the
// lookup labels.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "core/chart/input_checks.h"
#include "gui/app/main_window.h"
#include "gui/records/diurnal_window.h"
#include "gui/records/natal_window.h"
#include "gui/records/time_zone_window.h"
#include "gui_fixture.h"
#include "window_helpers.h"

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
QLineEdit& Box(QWidget& window, const char* name) { return Child<QLineEdit>(window, name); }
QRadioButton& OptionButton(QWidget& window, const char* name) { return Child<QRadioButton>(window, name); }

QStringList Texts(const std::vector<ScriptedDialogs::Shown>& shown) {
    QStringList texts;
    for (const auto& message : shown) texts << message.text;
    return texts;
}

// A point of the window's background, away from every control.
QPoint Background(QWidget& window) {
    for (int y = 2; y < window.height(); y += 3) {
        for (int x = 2; x < window.width(); x += 3) {
            if (!window.childAt(x, y)) return {x, y};
        }
    }
    qFatal("%s has no background", qPrintable(window.objectName()));
}

bool Activate(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

struct Row {
    const char* box;
    const char* label;
    const char* caption;
};

// The caption label stands on the row of its box, to its left.
void CheckRows(QWidget& window, std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
        QLineEdit& box = Box(window, row.box);
        QLabel& label = Child<QLabel>(window, row.label);
        QCOMPARE(label.text(), QString(row.caption));
        QVERIFY2(qAbs(label.geometry().center().y() - box.geometry().center().y()) <= 3, row.box);
        QVERIFY2(label.geometry().right() < box.geometry().left(), row.box);
    }
}

}  // namespace

class InputWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void controlsAndCaptions();
    void hourRule();
    void keyFiltersAndSelectAllOnFocus();
    void zoneSignRule();
    void nowFillsTheClockAndTheDefaultPlace_data();
    void nowFillsTheClockAndTheDefaultPlace();
    void defaultPlaceEastAndSouth();
    void fieldsRoundTripWithoutMessages();
    void useNatalData();
    void secondPerson();
    void okAndTheDiurnalBackgroundRunTheCalculation();
    void rightClickGivesTheMainWindowTheFocus();
    void saveToDisk();
    void aRefusedFieldIsNamedAndSelected();
    void doubtfulDatesAreConfirmedAndZonesNoted();
    void lookupLabels();
    void screenshots();
};

void InputWindowsTest::controlsAndCaptions() {
    GuiFixture f;
    NatalWindow& natal = f.shell->inputD();
    // Loading the natal window brings up the Names window and the diurnal window at its right.
    QVERIFY(f.shell->namesLoaded());
    DiurnalWindow& diurnal = f.shell->inputD1();
    QVERIFY(diurnal.isVisible());
    QVERIFY(diurnal.x() > natal.x() + natal.width());
    QCOMPARE(diurnal.y(), natal.y());

    QCOMPARE(natal.objectName(), QString("InputD"));
    QCOMPARE(natal.windowTitle(), QString("Natal Input Data"));
    CheckRows(natal, {{"txtName", "lblName", "Name"},
                      {"txtMonth", "lblMonth", "Birth Month"},
                      {"txtDay", "lblDay", "Birth Day"},
                      {"txtYear", "lblYear", "Birth Year"},
                      {"txtBirthHour", "lblBirthHour", "Birth Hour"},
                      {"txtBirthMinute", "lblBirthMinute", "Birth Minute"},
                      {"txtTZ", "lblTZ", "Time Zone . . ."},
                      {"txtLongDeg", "lblLongDeg", "Long Degrees"},
                      {"txtLongMin", "lblLongMin", "Long Minutes"},
                      {"txtLatDeg", "lblLatDeg", "Lat Degrees"},
                      {"txtLatMin", "lblLatMin", "Lat Minutes"}});
    QCOMPARE(diurnal.objectName(), QString("InputD1"));
    QCOMPARE(diurnal.windowTitle(), QString("Diurnal Input Data"));
    QVERIFY(!diurnal.findChild<QLineEdit*>("txtName"));
    CheckRows(diurnal, {{"txtDiurnalMonth", "lblDiurnalMonth", "Diurnal Month"},
                        {"txtDiurnalDay", "lblDiurnalDay", "Diurnal Day"},
                        {"txtDiurnalYear", "lblDiurnalYear", "Diurnal Year"},
                        {"txtDiurnalHour", "lblDiurnalHour", "Diurnal Hour"},
                        {"txtDiurnalMinute", "lblDiurnalMinute", "Diurnal Min."},
                        {"txtDiurnalTZ", "lblDiurnalTZ", "D. Time Zone . . ."},
                        {"txtDiurnalLongDeg", "lblDiurnalLongDeg", "D. Long Deg."},
                        {"txtDiurnalLongMin", "lblDiurnalLongMin", "D. Long Min."},
                        {"txtDiurnalLatDeg", "lblDiurnalLatDeg", "D. Lat Deg."},
                        {"txtDiurnalLatMin", "lblDiurnalLatMin", "D. Lat Min."}});

    // Option buttons sit in their frames, so each pair excludes only its partner.
    const struct { QWidget* window; const char* frame; const char* title; const char* first;
                   const char* second; } frames[] = {
        {&natal, "Frame1", "Am/Pm", "optAM", "optPM"},
        {&natal, "Frame2", "Ea/We", "optEast", "optWest"},
        {&natal, "Frame3", "No/So", "optNorth", "optSouth"},
        {&diurnal, "Frame1", "Am/Pm", "optDiurnalAM", "optDiurnalPM"},
        {&diurnal, "Frame2", "Ea/We", "optDiurnalEast", "optDiurnalWest"},
        {&diurnal, "Frame3", "No/So", "optDiurnalNorth", "optDiurnalSouth"},
        {&diurnal, "Frame4", "Progression type", "Option1", "Option2"},
    };
    for (const auto& frame : frames) {
        QGroupBox& box = Child<QGroupBox>(*frame.window, frame.frame);
        QCOMPARE(box.title(), QString(frame.title));
        QCOMPARE(OptionButton(*frame.window, frame.first).parentWidget(), &box);
        QCOMPARE(OptionButton(*frame.window, frame.second).parentWidget(), &box);
    }
    QCOMPARE(OptionButton(diurnal, "Option1").text(), QString("Secondary progressions"));
    QCOMPARE(OptionButton(diurnal, "Option2").text(), QString("Minor progressions"));
    QCOMPARE(OptionButton(diurnal, "Option3").text(), QString("Tertiary progressions"));
    QVERIFY(OptionButton(diurnal, "Option1").isChecked());
    QCOMPARE(Child<QCheckBox>(diurnal, "chkNatOrNow").text(), QString("Use natal data"));
    QCOMPARE(Child<QCheckBox>(diurnal, "chk2ndPerson").text(), QString("2nd Person"));

    QCOMPARE(Child<QPushButton>(natal, "cmdNow").text(), QString("NOW"));
    QCOMPARE(Child<QPushButton>(natal, "cmdOK").text(), QString("OK"));
    QCOMPARE(Child<QPushButton>(natal, "cmdSave").text(), QString("Save to disk"));
    for (QWidget* window : {static_cast<QWidget*>(&natal), static_cast<QWidget*>(&diurnal)}) {
        QLabel& tzHelp = Child<QLabel>(*window, "Label1");
        QLabel& atlas = Child<QLabel>(*window, "Label2");
        QCOMPARE(tzHelp.text(), QString("TZ Help"));
        QCOMPARE(atlas.text(), QString("Atlas"));
        // They look and act like links: underlined, a pointing hand, reachable with Tab.
        for (QLabel* label : {&tzHelp, &atlas}) {
            QVERIFY(label->font().underline());
            QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY(label->focusPolicy() & Qt::TabFocus);
        }
    }
}

void InputWindowsTest::hourRule() {
    GuiFixture f;
    f.Start();
    f.dialogs.TakeMessages();
    NatalWindow& natal = f.shell->inputD();
    DiurnalWindow& diurnal = f.shell->inputD1();
    const struct { QWidget* window; const char* hour; const char* am; const char* pm;
                   const char* emptyMessage; } windows[] = {
        {&natal, "txtBirthHour", "optAM", "optPM", "Please fill in a value for birth hour."},
        {&diurnal, "txtDiurnalHour", "optDiurnalAM", "optDiurnalPM",
         "Please fill in a value for diurnal hour."},
    };
    for (const auto& w : windows) {
        QLineEdit& hour = Box(*w.window, w.hour);
        QRadioButton& am = OptionButton(*w.window, w.am);
        QRadioButton& pm = OptionButton(*w.window, w.pm);

        // 0 is 12 and leaves the meridiem as it is, whichever it is.
        am.setChecked(true);
        hour.setText("0");
        QCOMPARE(hour.text(), QString("12"));
        QVERIFY(am.isChecked());
        pm.setChecked(true);
        hour.setText("0");
        QCOMPARE(hour.text(), QString("12"));
        QVERIFY(pm.isChecked());

        // Above 12: P.M. and twelve less; 12 itself stays.
        am.setChecked(true);
        hour.setText("13");
        QCOMPARE(hour.text(), QString("1"));
        QVERIFY(pm.isChecked());
        am.setChecked(true);
        hour.setText("12");
        QCOMPARE(hour.text(), QString("12"));
        QVERIFY(am.isChecked());
        QVERIFY(f.dialogs.messages.empty());

        // Deleting the text is reported at once.
        hour.setText("7");
        hour.setCursorPosition(1);
        QTest::keyClick(&hour, Qt::Key_Backspace);
        QCOMPARE(hour.text(), QString());
        std::vector<ScriptedDialogs::Shown> shown = f.dialogs.TakeMessages();
        QCOMPARE(Texts(shown), QStringList{w.emptyMessage});
        QCOMPARE(shown[0].title, QString("Warning!"));
        QCOMPARE(shown[0].icon, MessageIcon::Information);

        // 24 and above are no hour of either clock: kept as typed for OK's check to refuse by name
        // (they were once taken modulo 12: 129 as 9 P.M.).
        for (const char* typed : {"24", "129"}) {
            am.setChecked(true);
            hour.setFocus();
            hour.selectAll();  // typing replaces the text without emptying the box first
            QTest::keyClicks(&hour, typed);
            QCOMPARE(hour.text(), QString(typed));
            QVERIFY(am.isChecked());
        }
        QVERIFY(f.dialogs.messages.empty());

        // A pasted letter is not a number: the warning, and the whole text selected.
        am.setChecked(true);
        hour.setText("5");
        hour.setCursorPosition(1);
        QApplication::clipboard()->setText("x");
        hour.paste();
        QCOMPARE(hour.text(), QString("5x"));
        shown = f.dialogs.TakeMessages();
        QCOMPARE(Texts(shown), QStringList{"You are typing too fast. Please slow down."});
        QCOMPARE(shown[0].title, QString("Warning!"));
        QCOMPARE(shown[0].icon, MessageIcon::Information);
        QCOMPARE(hour.selectedText(), QString("5x"));
        QVERIFY(am.isChecked());
    }
}

void InputWindowsTest::keyFiltersAndSelectAllOnFocus() {
    GuiFixture f;
    f.Start();
    NatalWindow& natal = f.shell->inputD();
    DiurnalWindow& diurnal = f.shell->inputD1();

    auto typed = [](QLineEdit& box, const QString& start, const QString& keys) {
        box.setText(start);
        box.setCursorPosition(static_cast<int>(start.size()));
        QTest::keyClicks(&box, keys);
        return box.text();
    };
    // Digits only: letters, blanks, signs and points are refused.
    for (const char* name : {"txtMonth", "txtDay", "txtYear", "txtBirthHour", "txtBirthMinute",
                             "txtLongDeg", "txtLongMin", "txtLatDeg", "txtLatMin"}) {
        QCOMPARE(typed(Box(natal, name), "1", "a-.,x 2"), QString("12"));
    }
    for (const char* name : {"txtDiurnalMonth", "txtDiurnalDay", "txtDiurnalYear",
                             "txtDiurnalHour", "txtDiurnalMinute", "txtDiurnalLongDeg",
                             "txtDiurnalLongMin", "txtDiurnalLatDeg", "txtDiurnalLatMin"}) {
        QCOMPARE(typed(Box(diurnal, name), "1", "a-.,x 2"), QString("12"));
    }
    // The zone also takes a sign and a decimal point.
    QCOMPARE(typed(Box(natal, "txtTZ"), "", "-5e.5"), QString("-5.5"));
    QCOMPARE(typed(Box(diurnal, "txtDiurnalTZ"), "", "-x3.,5"), QString("-3.5"));
    // The name takes anything.
    QCOMPARE(typed(Box(natal, "txtName"), "", "Ann, B. (2)-x"), QString("Ann, B. (2)-x"));

    // Editing and moving keys still work: Backspace, Home, arrows, Delete, Ctrl+A.
    QLineEdit& minutes = Box(natal, "txtLongMin");
    QCOMPARE(typed(minutes, "45", ""), QString("45"));
    QTest::keyClick(&minutes, Qt::Key_Backspace);
    QCOMPARE(minutes.text(), QString("4"));
    QTest::keyClick(&minutes, Qt::Key_Home);
    QTest::keyClick(&minutes, Qt::Key_3);
    QCOMPARE(minutes.text(), QString("34"));
    QTest::keyClick(&minutes, Qt::Key_Left);
    QTest::keyClick(&minutes, Qt::Key_Delete);
    QCOMPARE(minutes.text(), QString("4"));
    QTest::keyClick(&minutes, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(minutes.selectedText(), QString("4"));
    QTest::keyClick(&minutes, Qt::Key_9);
    QCOMPARE(minutes.text(), QString("9"));

    // Getting the focus selects the whole text, by Tab and by a mouse click alike.
    QVERIFY(Activate(natal));
    QLineEdit& day = Box(natal, "txtDay");
    QLineEdit& year = Box(natal, "txtYear");
    year.setText("1950");
    day.setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(day.selectedText(), day.text());
    QTest::keyClick(&day, Qt::Key_Tab);
    QTRY_VERIFY(year.hasFocus());
    QTRY_COMPARE(year.selectedText(), QString("1950"));
    QLineEdit& zone = Box(natal, "txtTZ");
    zone.setText("5");
    QTest::mouseClick(&zone, Qt::LeftButton, {}, QPoint(zone.width() / 2, zone.height() / 2));
    QTRY_VERIFY(zone.hasFocus());
    QTRY_COMPARE(zone.selectedText(), QString("5"));
    // Typing then replaces the selected text.
    QTest::keyClick(&zone, Qt::Key_7);
    QCOMPARE(zone.text(), QString("7"));
}

void InputWindowsTest::zoneSignRule() {
    GuiFixture f;
    f.Start();
    NatalWindow& natal = f.shell->inputD();
    DiurnalWindow& diurnal = f.shell->inputD1();
    const struct { QWidget* window; const char* zone; const char* east; const char* west; }
        windows[] = {{&natal, "txtTZ", "optEast", "optWest"},
                     {&diurnal, "txtDiurnalTZ", "optDiurnalEast", "optDiurnalWest"}};
    for (const auto& w : windows) {
        QLineEdit& zone = Box(*w.window, w.zone);
        QRadioButton& east = OptionButton(*w.window, w.east);
        QRadioButton& west = OptionButton(*w.window, w.west);
        zone.setText("5");
        east.click();
        QCOMPARE(zone.text(), QString("-5"));
        west.click();
        QCOMPARE(zone.text(), QString("5"));
        zone.setText("-5.5");
        east.click();  // already negative: unchanged
        QCOMPARE(zone.text(), QString("-5.5"));
        west.click();
        QCOMPARE(zone.text(), QString("5.5"));
        zone.setText("0");
        east.click();
        QCOMPARE(zone.text(), QString("0"));
        // An empty zone or one that is not a number is left as it is.
        zone.setText("");
        east.click();
        QCOMPARE(zone.text(), QString());
        zone.setText("-");
        west.click();
        QCOMPARE(zone.text(), QString("-"));
    }
    // Choosing from code (the time zone picker, the atlas) applies the rule too.
    natal.SetZoneText("8");
    natal.SelectEast(true);
    QVERIFY(OptionButton(natal, "optEast").isChecked());
    QCOMPARE(Box(natal, "txtTZ").text(), QString("-8"));
    natal.SetZoneText("-3.5");
    natal.SelectEast(false);
    QVERIFY(OptionButton(natal, "optWest").isChecked());
    QCOMPARE(Box(natal, "txtTZ").text(), QString("3.5"));
    diurnal.SetZoneText("2");
    diurnal.SelectEast(true);
    QVERIFY(OptionButton(diurnal, "optDiurnalEast").isChecked());
    QCOMPARE(Box(diurnal, "txtDiurnalTZ").text(), QString("-2"));
    QVERIFY(f.dialogs.messages.empty());
}

void InputWindowsTest::nowFillsTheClockAndTheDefaultPlace_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("hour");
    QTest::addColumn<QString>("minute");
    QTest::addColumn<bool>("pm");
    const QLocale german(QLocale::German, QLocale::Germany);      // 24-hour clock
    const QLocale english(QLocale::English, QLocale::UnitedStates);  // 12-hour, "3:40 PM"
    const QLocale korean(QLocale::Korean, QLocale::SouthKorea);  // 12-hour, P.M. word in front
    QTest::newRow("24-hour 15:40") << german << QTime(15, 40) << "3" << "40" << true;
    QTest::newRow("24-hour 00:10") << german << QTime(0, 10) << "12" << "10" << false;
    QTest::newRow("24-hour 12:05") << german << QTime(12, 5) << "12" << "5" << true;
    QTest::newRow("24-hour 11:59") << german << QTime(11, 59) << "11" << "59" << false;
    QTest::newRow("12-hour 15:40") << english << QTime(15, 40) << "3" << "40" << true;
    QTest::newRow("12-hour 00:10") << english << QTime(0, 10) << "12" << "10" << false;
    QTest::newRow("12-hour 12:05") << english << QTime(12, 5) << "12" << "5" << true;
    QTest::newRow("12-hour 09:07") << english << QTime(9, 7) << "9" << "7" << false;
    QTest::newRow("12-hour Korean 15:40") << korean << QTime(15, 40) << "3" << "40" << true;
    QTest::newRow("12-hour Korean 09:10") << korean << QTime(9, 10) << "9" << "10" << false;
}

void InputWindowsTest::nowFillsTheClockAndTheDefaultPlace() {
    QFETCH(QLocale, locale);
    QFETCH(QTime, time);
    QFETCH(QString, hour);
    QFETCH(QString, minute);
    QFETCH(bool, pm);
    GuiFixture f(QDateTime(QDate(2026, 12, 6), time));
    f.session.clock.locale = locale;
    f.Start();
    NatalWindow& natal = f.shell->inputD();
    DiurnalWindow& diurnal = f.shell->inputD1();

    // Overwrite every field, then NOW.
    InputFields other;
    other.name = "Ann";
    other.month = other.day = other.hour = other.minute = "1";
    other.year = "1950";
    other.zone = "-2";
    other.longDeg = other.longMin = other.latDeg = other.latMin = "9";
    other.am = !pm;
    other.east = other.south = true;
    natal.SetFields(other);
    Child<QPushButton>(natal, "cmdNow").click();

    const InputFields n = natal.Fields();
    QCOMPARE(n.name, std::string("Now"));
    QCOMPARE(n.month, std::string("12"));
    QCOMPARE(n.day, std::string("6"));
    QCOMPARE(n.year, std::string("2026"));
    QCOMPARE(QString::fromStdString(n.hour), hour);
    QCOMPARE(QString::fromStdString(n.minute), minute);
    QCOMPARE(n.am, !pm);
    // The default place of options 18 to 24: zone 5, 71°04' West, 42°21' North.
    QCOMPARE(n.zone, std::string("5"));
    QCOMPARE(n.longDeg, std::string("71"));
    QCOMPARE(n.longMin, std::string("4"));
    QCOMPARE(n.latDeg, std::string("42"));
    QCOMPARE(n.latMin, std::string("21"));
    QVERIFY(!n.east);
    QVERIFY(!n.south);

    // The diurnal window loaded with the same moment and place.
    const InputFields d = diurnal.Fields();
    QCOMPARE(d.month, std::string("12"));
    QCOMPARE(d.day, std::string("6"));
    QCOMPARE(d.year, std::string("2026"));
    QCOMPARE(QString::fromStdString(d.hour), hour);
    QCOMPARE(QString::fromStdString(d.minute), minute);
    QCOMPARE(d.am, !pm);
    QCOMPARE(d.zone, std::string("5"));
    QVERIFY(!d.east);

    // The Input menu's refresh of a "Now" chart takes the clock again but keeps the place.
    f.session.clock.now = [] { return QDateTime(QDate(2027, 2, 3), QTime(23, 1)); };
    natal.SetZoneText("6");
    natal.RefreshClockFields();
    const InputFields r = natal.Fields();
    QCOMPARE(r.month + "/" + r.day + "/" + r.year, std::string("2/3/2027"));
    QCOMPARE(r.hour + ":" + r.minute, std::string("11:1"));
    QVERIFY(!r.am);
    QCOMPARE(r.zone, std::string("6"));
    QVERIFY(f.dialogs.messages.empty());
}

void InputWindowsTest::defaultPlaceEastAndSouth() {
    GuiFixture f;
    SetOption(f, 18, "5.5    zone");
    SetOption(f, 21, "1      east");
    SetOption(f, 24, "1      south");
    f.Start();
    // Selecting East applies the zone sign rule to the default zone.
    const InputFields n = f.shell->inputD().Fields();
    QCOMPARE(n.zone, std::string("-5.5"));
    QVERIFY(n.east);
    QVERIFY(n.south);
    const InputFields d = f.shell->inputD1().Fields();
    QCOMPARE(d.zone, std::string("-5.5"));
    QVERIFY(d.east);
    QVERIFY(d.south);
}

void InputWindowsTest::fieldsRoundTripWithoutMessages() {
    GuiFixture f;
    f.Start();
    f.dialogs.TakeMessages();
    InputFields natal;
    natal.name = "Ann";
    natal.month = "1";
    natal.day = "13";
    natal.year = "1950";
    natal.hour = "";  // stored values are put in as they are, without the hour message
    natal.minute = "30";
    natal.zone = "-1";
    natal.longDeg = "3";
    natal.longMin = "30";
    natal.latDeg = "40";
    natal.latMin = "43";
    natal.am = false;
    natal.east = true;
    natal.south = true;
    f.shell->inputD().SetFields(natal);
    const InputFields n = f.shell->inputD().Fields();
    QCOMPARE(n.name + n.month + n.day + n.year + n.hour + n.minute,
             std::string("Ann113195030"));
    QCOMPARE(n.zone + "|" + n.longDeg + "|" + n.longMin + "|" + n.latDeg + "|" +
                 n.latMin,
             std::string("-1|3|30|40|43"));
    QVERIFY(!n.am && n.east && n.south);

    for (ProgressionType type :
         {ProgressionType::Minor, ProgressionType::Tertiary, ProgressionType::Secondary}) {
        InputFields diurnal = f.shell->inputD1().Fields();
        f.shell->inputD1().SetProgression(type);
        diurnal.hour = "";
        diurnal.zone = "-7";
        diurnal.east = true;
        diurnal.am = false;
        f.shell->inputD1().SetFields(diurnal);
        const InputFields d = f.shell->inputD1().Fields();
        QVERIFY(f.shell->inputD1().Progression() == type);
        QCOMPARE(d.hour, std::string());
        QCOMPARE(d.zone, std::string("-7"));
        QVERIFY(d.east && !d.am);
    }
    QVERIFY(OptionButton(f.shell->inputD1(), "Option1").isChecked());
    QVERIFY(f.dialogs.messages.empty());
}

void InputWindowsTest::useNatalData() {
    GuiFixture f;
    f.Start();
    NatalWindow& natal = f.shell->inputD();
    DiurnalWindow& diurnal = f.shell->inputD1();
    InputFields person = natal.Fields();
    person.name = "Ann";
    person.month = "1";
    person.day = "13";
    person.year = "1950";
    person.hour = "8";
    person.minute = "30";
    person.am = true;
    person.zone = "-1";
    person.east = true;
    person.longDeg = "3";
    person.longMin = "30";
    person.latDeg = "40";
    person.latMin = "43";
    person.south = true;
    natal.SetFields(person);
    InputFields moment = diurnal.Fields();
    moment.month = "7";
    moment.day = "4";
    moment.year = "2030";
    diurnal.SetFields(moment);

    QCheckBox& useNatal = Child<QCheckBox>(diurnal, "chkNatOrNow");
    useNatal.click();
    QVERIFY(diurnal.UseNatalData());
    InputFields d = diurnal.Fields();
    // Time and place come over; the date stays.
    QCOMPARE(d.hour + ":" + d.minute, std::string("8:30"));
    QVERIFY(d.am);
    QCOMPARE(d.zone, std::string("-1"));
    QCOMPARE(d.longDeg + " " + d.longMin, std::string("3 30"));
    QCOMPARE(d.latDeg + " " + d.latMin, std::string("40 43"));
    QVERIFY(d.east);
    QVERIFY(d.south);
    QCOMPARE(d.month + "/" + d.day + "/" + d.year,
             std::string("7/4/2030"));

    // Cleared: the present moment and the default place again, date included.
    useNatal.click();
    QVERIFY(!diurnal.UseNatalData());
    d = diurnal.Fields();
    QCOMPARE(d.month + "/" + d.day + "/" + d.year,
             std::string("12/6/2026"));
    QCOMPARE(d.hour + ":" + d.minute, std::string("3:40"));
    QVERIFY(!d.am);
    QCOMPARE(d.zone, std::string("5"));
    QCOMPARE(d.longDeg + " " + d.longMin, std::string("71 4"));
    QCOMPARE(d.latDeg + " " + d.latMin, std::string("42 21"));
    QVERIFY(!d.east);
    QVERIFY(!d.south);
    QVERIFY(f.dialogs.messages.empty());
}

void InputWindowsTest::secondPerson() {
    GuiFixture f;
    f.Start();
    DiurnalWindow& diurnal = f.shell->inputD1();
    QAction& summary = Child<QAction>(f.shell->main(), "mnuDataSummary");
    QCheckBox& box = Child<QCheckBox>(diurnal, "chk2ndPerson");
    QVERIFY(summary.isEnabled());
    QVERIFY(!diurnal.SecondPerson());

    box.click();
    QVERIFY(diurnal.SecondPerson());
    QVERIFY(!summary.isEnabled());
    diurnal.SetSecondPersonCaption("Ann Smith");
    QCOMPARE(box.text(), QString("Ann Smith"));
    box.click();
    QVERIFY(!diurnal.SecondPerson());
    QVERIFY(summary.isEnabled());
    QCOMPARE(box.text(), QString("2nd Person"));
}

void InputWindowsTest::okAndTheDiurnalBackgroundRunTheCalculation() {
    GuiFixture f;
    f.Start();
    NatalWindow& natal = f.shell->inputD();
    DiurnalWindow& diurnal = f.shell->inputD1();
    QAction& inputMenu = Child<QAction>(f.shell->main(), "mnuInputData");
    QVERIFY(!inputMenu.isVisible());

    // Clicks on the diurnal window's controls are not clicks on its background.
    QTest::mouseClick(&Child<QLabel>(diurnal, "lblDiurnalHour"), Qt::LeftButton);
    QTest::mouseClick(&Child<QGroupBox>(diurnal, "Frame4"), Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(f.dialogs.prompts.empty());

    // A left click on the background runs the calculation: the chart, then the day question
    // (answered with nothing, so no scan follows).
    f.dialogs.inputAnswers = {""};
    QTest::mouseClick(&diurnal, Qt::LeftButton, {}, Background(diurnal));
    QCOMPARE(f.dialogs.prompts.size(), std::size_t{1});
    QCOMPARE(f.dialogs.prompts[0].prompt, QString("Enter number of days:"));
    QVERIFY(inputMenu.isVisible());
    QCOMPARE(f.session.PreviousName, std::string("Now"));
    QVERIFY(f.dialogs.messages.empty());

    // A right click on the background does not calculate.
    QTest::mouseClick(&diurnal, Qt::RightButton, {}, Background(diurnal));
    QCOMPARE(f.dialogs.prompts.size(), std::size_t{1});

    // OK closes an open time zone picker and calculates the natal window's chart.
    f.shell->timeZone().show();
    natal.SetFields([&] {
        InputFields n = natal.Fields();
        n.name = "Ann";
        return n;
    }());
    f.dialogs.inputAnswers = {""};
    Child<QPushButton>(natal, "cmdOK").click();
    QVERIFY(!f.shell->timeZoneLoaded());
    QCOMPARE(f.dialogs.prompts.size(), std::size_t{2});
    QCOMPARE(f.session.PreviousName, std::string("Ann"));
    QVERIFY(f.dialogs.unanswered.isEmpty());

    // Enter presses OK, the default button, from a field or an option of either window; on a
    // focused button it presses that button.
    QVERIFY(Child<QPushButton>(natal, "cmdOK").isDefault());
    for (QWidget* focus : {static_cast<QWidget*>(&Child<QLineEdit>(natal, "txtName")),
                           static_cast<QWidget*>(&Child<QRadioButton>(natal, "optWest")),
                           static_cast<QWidget*>(&Child<QLineEdit>(diurnal, "txtDiurnalHour")),
                           static_cast<QWidget*>(&Child<QRadioButton>(diurnal, "optDiurnalNorth"))}) {
        const std::size_t before = f.dialogs.prompts.size();
        f.dialogs.inputAnswers = {""};
        focus->window()->activateWindow();
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Return);
        QCOMPARE(f.dialogs.prompts.size(), before + 1);
        QCOMPARE(f.dialogs.prompts.back().prompt, QString("Enter number of days:"));
    }
    const std::size_t before = f.dialogs.prompts.size();
    QPushButton& now = Child<QPushButton>(natal, "cmdNow");
    now.setFocus();
    QTest::keyClick(&now, Qt::Key_Enter);
    QCOMPARE(f.dialogs.prompts.size(), before);  // NOW, not OK
    QVERIFY(f.dialogs.unanswered.isEmpty());
}

void InputWindowsTest::rightClickGivesTheMainWindowTheFocus() {
    GuiFixture f;
    f.Start();
    MainWindow& main = f.shell->main();
    for (QWidget* window : {static_cast<QWidget*>(&f.shell->inputD()),
                            static_cast<QWidget*>(&f.shell->inputD1())}) {
        QVERIFY(Activate(*window));
        QTest::mouseClick(window, Qt::RightButton, {}, Background(*window));
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&main));
    }
    QVERIFY(f.dialogs.prompts.empty());
}

void InputWindowsTest::saveToDisk() {
    GuiFixture f;
    f.Start();
    NatalWindow& natal = f.shell->inputD();
    QPushButton& save = Child<QPushButton>(natal, "cmdSave");
    int saves = 0;
    bool chosen = true;
    const std::filesystem::path namesFile = f.dataDir() / "NAMES.FIL";
    f.session.chooseFile = [&](const QString&, const std::filesystem::path&) {
        ++saves;
        return chosen ? namesFile : std::filesystem::path();
    };

    // A comma in the name: refused before anything is written.
    Box(natal, "txtName").setText("Smith, John");
    f.session.names.ClearSaved();
    save.click();
    const std::vector<ScriptedDialogs::Shown> shown = f.dialogs.TakeMessages();
    QCOMPARE(Texts(shown),
             QStringList{"You cannot have a comma in the name. Please remove the comma and try again."});
    QCOMPARE(shown[0].title, QString("Warning!"));
    QCOMPARE(shown[0].icon, MessageIcon::Critical);
    QCOMPARE(saves, 0);
    QVERIFY(f.session.names.justSaved());
    QVERIFY(f.shell->namesLoaded());

    // Without a comma the names file is written; the list is then read again unrepositioned.
    Box(natal, "txtName").setText("John Smith");
    f.session.names.ClearSaved();
    save.click();
    QCOMPARE(saves, 1);
    QVERIFY(f.session.names.justSaved());
    QVERIFY(f.ReadDataFile("NAMES.FIL").find("\r\nJohn Smith,06 Dec 2026,3.40,P,") !=
            std::string::npos);
    // A cancelled choice of file leaves the list alone.
    chosen = false;
    f.session.names.ClearSaved();
    save.click();
    QCOMPARE(saves, 2);
    QVERIFY(!f.session.names.justSaved());
    QVERIFY(f.dialogs.messages.empty());
}

// A refused input names its field and rule under the section's message, and that field is
// selected in its window, ready to be typed over; Save to disk refuses and selects the same way.
void InputWindowsTest::aRefusedFieldIsNamedAndSelected() {
    GuiFixture f;
    f.Start();
    LoadExampleChart(f);
    NatalWindow& natal = f.shell->inputD();
    DiurnalWindow& diurnal = f.shell->inputD1();
    const QString natalMessage = NatalInputMessage;
    const QString diurnalMessage = DiurnalInputMessage;
    struct Case {
        QWidget* window;
        const char* box;
        const char* text;
        QString shown;
    };
    const Case cases[] = {
        {&natal, "txtDay", "32", natalMessage + "\nBirth Day: 32 is not a day of the month"},
        {&natal, "txtBirthHour", "25", natalMessage + "\nBirth Hour: 25 is not an hour from 1 to 12 with A.M./P.M."},
        {&natal, "txtTZ", "40",
         natalMessage + "\nTime Zone: 40 is not a zone from -14 to 12 hours (hours west of Greenwich, negative east)"},
        {&diurnal, "txtDiurnalMinute", "75", diurnalMessage + "\nDiurnal Min.: 75 is not a minute from 0 to 59"},
        {&diurnal, "txtDiurnalLatDeg", "95", diurnalMessage + "\nD. Lat Deg.: 95 is not a latitude from 0 to 90 degrees"},
    };
    for (const Case& c : cases) {
        QLineEdit& box = Box(*c.window, c.box);
        const QString good = box.text();
        box.setText(c.text);
        QCOMPARE(box.text(), QString(c.text));  // 25 is no hour to turn into another
        Box(natal, "txtName").setFocus();
        f.shell->RunCalculation();
        const auto shown = f.dialogs.TakeMessages();
        QCOMPARE(shown.size(), std::size_t{1});
        QCOMPARE(shown[0].text, c.shown);
        QCOMPARE(shown[0].title, QString("Warning!"));
        QVERIFY(f.dialogs.prompts.empty());
        QVERIFY2(c.window->focusWidget() == &box, c.box);
        QCOMPARE(box.selectedText(), QString(c.text));
        box.setText(good);
    }

    // Save to disk checks as a calculation does: nothing is written, the field is selected.
    const std::string names = f.ReadDataFile("NAMES.FIL");
    f.session.chooseFile = [&](const QString&, const std::filesystem::path&) { return f.dataDir() / "NAMES.FIL"; };
    QLineEdit& hour = Box(natal, "txtBirthHour");
    hour.setText("24");
    Box(natal, "txtName").setFocus();
    natal.cmdSave_Click();
    const auto shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].text, natalMessage + "\nBirth Hour: 24 is not an hour from 1 to 12 with A.M./P.M.");
    QCOMPARE(f.ReadDataFile("NAMES.FIL"), names);
    QVERIFY(natal.focusWidget() == &hour);
    QCOMPARE(hour.selectedText(), QString("24"));
}

// A diurnal date before the birth is calculated only once confirmed; a zone whose decimals read
// like minutes is noted in the status line.
void InputWindowsTest::doubtfulDatesAreConfirmedAndZonesNoted() {
    GuiFixture f;
    f.Start();
    LoadExampleChart(f);
    Box(f.shell->inputD1(), "txtDiurnalYear").setText("1949");

    f.dialogs.yesNoAnswers = {AnswerNo};
    f.shell->RunCalculation();
    auto shown = f.dialogs.TakeMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].title, QString(DateDoubtTitle));
    QCOMPARE(shown[0].icon, MessageIcon::Question);
    QCOMPARE(shown[0].buttons, MessageButtons::YesNo);
    QCOMPARE(shown[0].text, QString("Diurnal date 7 December 1949 precedes the birth, 13 January 1950.\n\n"
                                    "Calculate with these dates?"));
    QVERIFY(!f.session.chartComputed);
    QVERIFY(f.dialogs.prompts.empty());
    QCOMPARE(f.dialogs.busyCalls, 0);

    f.dialogs.yesNoAnswers = {AnswerYes};
    f.dialogs.inputAnswers = {""};
    f.shell->RunCalculation();
    QCOMPARE(f.dialogs.TakeMessages().size(), std::size_t{1});
    QVERIFY(f.session.chartComputed);
    QCOMPARE(f.dialogs.prompts.size(), std::size_t{1});
    QVERIFY(f.session.calc.chart.DiurnalJD < f.session.calc.chart.NatalJD);

    // A plausible date is not asked about; the zone 5.30 keeps its meaning and is noted.
    Box(f.shell->inputD1(), "txtDiurnalYear").setText("2026");
    Box(f.shell->inputD(), "txtTZ").setText("5.30");
    f.dialogs.inputAnswers = {""};
    f.shell->RunCalculation();
    QVERIFY(f.dialogs.TakeMessages().empty());
    QCOMPARE(Child<QLabel>(f.shell->main(), "lblNote").text(),
             QString("zone 5.30 is read as 5 h 18 min west; write 5.5 for 5 h 30 min"));
    QCOMPARE(f.session.calc.chart.input.NatalZone, 5.3f);
    QVERIFY(f.dialogs.unanswered.isEmpty());
}

void InputWindowsTest::lookupLabels() {
    GuiFixture f;
    f.Start();
    NatalWindow& natal = f.shell->inputD();
    DiurnalWindow& diurnal = f.shell->inputD1();

    // TZ Help from the natal window: the picker (still loaded for the diurnal zone) turns to the
    // natal zone, right edge with the diurnal window's right edge.
    f.shell->timeZone().SetTarget(InputSection::Diurnal);
    QTest::mouseClick(&Child<QLabel>(natal, "Label1"), Qt::LeftButton);
    TimeZoneWindow& picker = f.shell->timeZone();
    QVERIFY(picker.isVisible());
    QVERIFY(picker.target() == InputSection::Natal);
    QCOMPARE(picker.frameGeometry().right(), diurnal.frameGeometry().right());

    // From the diurnal window, by keyboard: the picker for the diurnal zone, at the natal
    // window's left edge.
    f.shell->unloadTimeZone();
    QLabel& diurnalHelp = Child<QLabel>(diurnal, "Label1");
    QTest::keyClick(&diurnalHelp, Qt::Key_Space);
    QVERIFY(f.shell->timeZoneLoaded());
    QVERIFY(f.shell->timeZone().target() == InputSection::Diurnal);
    QCOMPARE(f.shell->timeZone().frameGeometry().left(), natal.frameGeometry().left());
    QVERIFY(f.shell->timeZone().isVisible());

    // Alt+Z is the natal window's key for its picker.
    f.shell->unloadTimeZone();
    QVERIFY(Activate(natal));
    QTest::keyClick(&natal, Qt::Key_Z, Qt::AltModifier);
    QVERIFY(f.shell->timeZoneLoaded());
    QVERIFY(f.shell->timeZone().target() == InputSection::Natal);

    // Atlas: the program's folder of this test holds no ATLAS.EXE, so the label asks where it is;
    // cancelling the question leaves the atlas folder empty and the next click asks at once.
    QVERIFY(!f.session.AtlasDir.isEmpty());
    QTest::mouseClick(&Child<QLabel>(natal, "Label2"), Qt::LeftButton);
    QCOMPARE(f.dialogs.prompts.size(), std::size_t{1});
    QCOMPARE(f.dialogs.prompts[0].title, QString("Where do I find ATLAS.EXE?"));
    QVERIFY(f.session.AtlasDir.isEmpty());
    QTest::keyClick(&Child<QLabel>(diurnal, "Label2"), Qt::Key_Return);
    QCOMPARE(f.dialogs.prompts.size(), std::size_t{2});
    QCOMPARE(f.dialogs.prompts[1].title, QString("Where do I find ATLAS.EXE?"));
    QVERIFY(f.dialogs.TakeMessages().empty());
    // The natal zone was not touched by any of this.
    QCOMPARE(natal.Fields().zone, std::string("5"));
}

void InputWindowsTest::screenshots() {
    GuiFixture f;
    f.Start();
    NatalWindow& natal = f.shell->inputD();
    QVERIFY(QTest::qWaitForWindowExposed(&natal));
    QVERIFY(QTest::qWaitForWindowExposed(&f.shell->inputD1()));
    // The two windows stand side by side below the main window's bar.
    QVERIFY(natal.y() > f.shell->main().y());
    QVERIFY(f.shell->inputD1().x() > natal.x() + natal.width());
    SaveScreenshot(natal, "natal_window");
    SaveScreenshot(f.shell->inputD1(), "diurnal_window");
}

QTEST_MAIN(InputWindowsTest)
#include "input_windows_test.moc"
