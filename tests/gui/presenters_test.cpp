// The windows' presenters, without a display (no application object is made): the Names list's
// state, a picked name or city, the input windows' NOW and "Use natal data" fields, the data
// window's font, save and print decisions, the options editor's save and restore, and the
// Preferences controls against OPTIONS.OPT, the timeline's view and print pages; a pasted ISO
// date and time, and the place and zone "Find place..." fills in; the Returns window's first spans
// and its local column.
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <tuple>

#include "core/io/number_text.h"
#include "core/records/name_record.h"
#include "core/records/options_file.h"
#include "core/run/run_calculation.h"
#include "file_limits.h"
#include "gui/app/options_presenter.h"
#include "gui/app/preferences_presenter.h"
#include "gui/output/data_presenter.h"
#include "gui/output/export_presenter.h"
#include "gui/output/returns_presenter.h"
#include "gui/pictures/timeline_presenter.h"
#include "gui/records/input_presenter.h"
#include "gui/records/list_presenter.h"
#include "gui_fixture.h"

using namespace orrerion;
using namespace orrerion::gui;
namespace fs = std::filesystem;

class PresentersTest : public QObject {
    Q_OBJECT
private slots:
    void namesListStateFollowsTheLockAndTheSavedMark();
    void pickedRecordGoesToItsWindowAndStopsOnErrors();
    void inputFieldsFromTheClockAndFromTheNatalWindow();
    void pastedIsoMomentFillsTheDateAndClockFields();
    void foundPlaceFillsThePlaceAndTheZoneInForceAtTheMoment();
    void dataWindowFontSaveAndPrintDecisions();
    void optionsEditorSavesAndRestores();
    void preferencesMapToTheOptionsFile();
    void exportRefusalsAndProposedNames();
    void returnsFirstSpansHoldAReturnAndTheLocalColumnNamesItsClock();
    void timelineViewMovesWithinTheScanAndPrintsEveryRun();
};

void PresentersTest::namesListStateFollowsTheLockAndTheSavedMark() {
    // Each row: what happens to a fresh state, then where a list of `count` entries opens (with
    // "Lock list" ticked as the state keeps it), and the state after that reading.
    const struct {
        const char* name;
        std::function<void(NamesListState&)> events;
        int count;
        int top;
        std::optional<int> selected;
        bool justSaved, lockList;
        int lockedIndex;
    } rows[] = {
        {"start-up: saved mark, nothing selected", [](NamesListState& s) { s.MarkSaved(); }, 40,
         0, std::nullopt, true, false, 0},
        {"locked on 30: twelve rows above it", [](NamesListState& s) { s.SetLock(true, 30); }, 40,
         18, 30, false, true, 30},
        {"locked on 30, list shrank to ten", [](NamesListState& s) { s.SetLock(true, 30); }, 10, 0,
         9, false, true, 9},
        {"ticked with nothing selected: the first",
         [](NamesListState& s) { s.SetLock(true, std::nullopt); }, 10, 0, 0, false, true, 0},
        {"a pick moves the lock and clears the mark",
         [](NamesListState& s) {
             s.SetLock(true, 2);
             s.MarkSaved();
             s.Picked(7);
         },
         40, 0, 7, false, true, 7},
        {"a pick without the lock keeps the entry",
         [](NamesListState& s) {
             s.SetLock(true, 3);
             s.Picked(std::nullopt);
         },
         40, 0, 3, false, true, 3},
        {"cleared: nothing selected, the entry kept",
         [](NamesListState& s) {
             s.SetLock(true, 5);
             s.SetLock(false, 9);
         },
         40, 0, std::nullopt, false, false, 5},
        {"saved while locked: nothing selected, entry kept",
         [](NamesListState& s) {
             s.SetLock(true, 20);
             s.MarkSaved();
         },
         40, 0, std::nullopt, true, true, 20},
        {"another file: the first entry, the mark cleared",
         [](NamesListState& s) {
             s.SetLock(true, 20);
             s.MarkSaved();
             s.ChangeFile("FAMILY.FIL");
         },
         40, 0, 0, false, true, 0},
    };
    for (const auto& row : rows) {
        NamesListState state;
        row.events(state);
        const LockListPosition position = state.Position(row.count, state.lockList());
        QVERIFY2(position.topIndex == row.top, row.name);
        QVERIFY2(position.selectIndex == row.selected, row.name);
        QVERIFY2(state.justSaved() == row.justSaved, row.name);
        QVERIFY2(state.lockList() == row.lockList, row.name);
        QVERIFY2(state.lockedIndex() == row.lockedIndex, row.name);
    }
}

void PresentersTest::pickedRecordGoesToItsWindowAndStopsOnErrors() {
    InputFields before;
    before.name = "Before";
    before.year = "2000";
    const NameRecord ann = *NameRecordFromLine("Ann,05 Jan 1950,10.05,A,5,071.05,42.21");
    const NameRecord typo = *NameRecordFromLine("Typo,31 Feb 1950,10.05,A,5,071.05,42.21");
    const CityRecord paris{"Paris,FR", "002E20", "48N52", "-1"};
    const CityRecord broken{"Nowhere,XX", "2E2", "48N52", "-1"};
    const struct {
        const char* name;
        std::function<PickedRecord()> pick;
        std::string expectedName, expectedYear, expectedLongDeg;
        std::size_t messages;
        bool follows;
    } rows[] = {
        {"name into the natal window", [&] { return PickName(ann, 0, InputSection::Natal, before); },
         "Ann", "1950", "71", 0, true},
        {"name of a second person", [&] { return PickName(ann, 0, InputSection::Diurnal, before); },
         "Before", "1950", "71", 0, false},
        {"record format error stops", [&] { return PickName(typo, 0, InputSection::Natal, before); },
         "Typo", "2000", "", 1, false},
        {"city into the natal window", [&] { return PickCity(paris, InputSection::Natal, before); },
         "Before", "2000", "2", 0, true},
        {"city of a second person", [&] { return PickCity(paris, InputSection::Diurnal, before); },
         "Before", "2000", "2", 0, false},
        {"city code of the wrong shape stops",
         [&] { return PickCity(broken, InputSection::Natal, before); }, "Before", "2000", "", 1,
         false},
    };
    for (const auto& row : rows) {
        const PickedRecord picked = row.pick();
        QVERIFY2(picked.fields.name == row.expectedName, row.name);
        QVERIFY2(picked.fields.year == row.expectedYear, row.name);
        QVERIFY2(picked.fields.longDeg == row.expectedLongDeg, row.name);
        QVERIFY2(picked.messages.size() == row.messages, row.name);
        QVERIFY2(picked.diurnalFollows == row.follows, row.name);
    }
}

void PresentersTest::inputFieldsFromTheClockAndFromTheNatalWindow() {
    // The default place: zone 5.5, 71°04' East, 42°21' North.
    Options options;
    for (const auto& [option, value] :
         {std::pair{Option::HomeZone, 5.5f}, {Option::HomeLongitudeDegrees, 71.0f},
          {Option::HomeLongitudeMinutes, 4.0f}, {Option::HomeLongitudeEast, 1.0f},
          {Option::HomeLatitudeDegrees, 42.0f}, {Option::HomeLatitudeMinutes, 21.0f},
          {Option::HomeLatitudeSouth, 0.0f}}) {
        options[option] = value;
    }
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    const struct {
        const char* name;
        QLocale locale;
        bool twentyFourHour;
        QTime time;
        InputSection section;
        std::string expectedName, hour, minute;
        bool am;
    } rows[] = {
        {"natal, 12-hour afternoon", english, false, QTime(15, 40), InputSection::Natal, "Now", "3",
         "40", false},
        {"natal, 24-hour after midnight", german, true, QTime(0, 5), InputSection::Natal, "Now",
         "12", "5", true},
        {"diurnal, 24-hour noon, no name", german, true, QTime(12, 0), InputSection::Diurnal, "Ann",
         "12", "0", false},
    };
    for (const auto& row : rows) {
        LocalClock clock;
        clock.locale = row.locale;
        clock.twentyFourHourClock = row.twentyFourHour;
        const QDateTime now(QDate(2026, 12, 6), row.time);
        clock.now = [now] { return now; };
        InputFields fields;
        fields.name = "Ann";
        fields.zone = "9";
        const InputFields n = NowFields(row.section, fields, clock, options);
        QVERIFY2(n.name == row.expectedName, row.name);
        QVERIFY2(n.month + "/" + n.day + "/" + n.year == "12/6/2026", row.name);
        QVERIFY2(n.hour == row.hour && n.minute == row.minute && n.am == row.am, row.name);
        // The default place, East making the zone negative.
        QVERIFY2(n.zone == "-5.5" && n.east && n.longDeg == "71" && n.longMin == "4", row.name);
        QVERIFY2(n.latDeg == "42" && n.latMin == "21" && !n.south, row.name);

        // The Input command's refresh takes the clock only.
        InputFields placed = n;
        placed.zone = "7";
        const InputFields r = WithClock(row.section, placed, clock);
        QVERIFY2(r.hour == row.hour && r.am == row.am && r.zone == "7", row.name);
    }

    // "Use natal data": the natal hour goes through the hour rule, the natal meridiem and place
    // come over with the zone signed for East, the diurnal date stays.
    InputFields natal;
    LoadNameRecord(*NameRecordFromLine("Ann,13 Jan 1950,1.30,A,-1,-003.00,-40.00"), 0,
                   InputSection::Natal, natal);
    // Put in without the window's rules: an hour above 12, a zone without the sign East gives.
    natal.hour = "13";
    natal.zone = "1";
    InputFields diurnal;
    diurnal.month = "7";
    diurnal.day = "4";
    diurnal.year = "2030";
    const InputFields d = WithNatalTimeAndPlace(diurnal, natal);
    QCOMPARE(d.hour + ":" + d.minute, std::string("1:30"));
    QVERIFY(d.am);
    QCOMPARE(d.zone, std::string("-1"));
    QVERIFY(d.east && d.south);
    QCOMPARE(d.longDeg + " " + d.latDeg, std::string("3 40"));
    QCOMPARE(d.month + "/" + d.day + "/" + d.year, std::string("7/4/2030"));
}

void PresentersTest::pastedIsoMomentFillsTheDateAndClockFields() {
    struct Case {
        const char* pasted;
        bool taken;
        const char *month, *day, *year, *hour, *minute;
        bool am;
    };
    // The fields before the paste: 6/6/2006 6:06 P.M.
    const Case cases[] = {
        {"1950-01-13T08:30", true, "1", "13", "1950", "8", "30", true},
        {" 1950-01-13 20:05\n", true, "1", "13", "1950", "8", "5", false},
        {"2000-02-29T00:00", true, "2", "29", "2000", "12", "0", true},
        {"1950-01-13T12:00", true, "1", "13", "1950", "12", "0", false},
        {"1999-12-31T23:59:45", true, "1", "1", "2000", "12", "0", true},  // rounded to the minute
        {"1999-12-31T23:59:29", true, "12", "31", "1999", "11", "59", false},
        {"1950-01-13", true, "1", "13", "1950", "6", "6", false},  // the date alone: the clock stays
        {"1950-02-30T08:00", false, "", "", "", "", "", true},
        {"1950-01-13T24:00", false, "", "", "", "", "", true},
        {"13/01/1950 08:30", false, "", "", "", "", "", true},
        {"1950", false, "", "", "", "", "", true},
    };
    InputFields before;
    before.month = before.day = before.hour = before.minute = "6";
    before.year = "2006";
    before.am = false;
    before.zone = "5";
    for (const Case& c : cases) {
        const std::optional<InputFields> after = WithPastedMoment(before, c.pasted);
        QVERIFY2(after.has_value() == c.taken, c.pasted);
        if (!after) continue;
        const QStringList got{QString::fromStdString(after->month), QString::fromStdString(after->day),
                              QString::fromStdString(after->year), QString::fromStdString(after->hour),
                              QString::fromStdString(after->minute), after->am ? "A" : "P"};
        const QStringList want{c.month, c.day, c.year, c.hour, c.minute, c.am ? "A" : "P"};
        QVERIFY2(got == want, qPrintable(QString(c.pasted) + ": " + got.join(' ') + " wanted " + want.join(' ')));
        QCOMPARE(after->zone, std::string("5"));
    }
}

void PresentersTest::foundPlaceFillsThePlaceAndTheZoneInForceAtTheMoment() {
    const auto row = [](const char* name, double lat, double lon, const char* zone, bool exact, unsigned long people) {
        AtlasPlaceRow r;
        r.exactName = exact;
        r.name = name;
        r.country = "C";
        r.latitude = lat;
        r.longitude = lon;
        r.zoneId = zone;
        r.population = people;
        return r;
    };
    const AtlasPlaceRow newYork = row("New York", 40.71427, -74.00597, "America/New_York", true, 8175133);
    const AtlasPlaceRow paris = row("Paris", 48.85341, 2.3488, "Europe/Paris", true, 2138551);
    const AtlasPlaceRow london = row("London", 51.50853, -0.12574, "Europe/London", true, 8961989);
    const AtlasPlaceRow kolkata = row("Kolkata", 22.56263, 88.36304, "Asia/Kolkata", true, 4631392);
    const AtlasPlaceRow lordHowe = row("Lord Howe Island", -31.55, 159.08, "Australia/Lord_Howe", true, 347);

    struct Case {
        const AtlasPlaceRow* place;
        const char *month, *day, *year, *hour, *minute;
        bool am;
        const char* zone;  // hours west; "" when refused
        const char *longDeg, *longMin;
        bool east;
        const char *latDeg, *latMin;
        bool south;
        const char* shownStart;  // the zone text, or the start of the refusal
        const char* source;
    };
    const Case cases[] = {
        {&newYork, "1", "13", "1950", "8", "30", true, "5", "74", "0", false, "40", "43", false,
         "America/New_York: EST, UTC-05:00", "standard time"},
        {&newYork, "7", "4", "1976", "12", "0", false, "4", "74", "0", false, "40", "43", false,
         "America/New_York: EDT, UTC-04:00, daylight saving", "summer"},
        {&paris, "3", "10", "1942", "2", "45", false, "-2", "2", "21", true, "48", "51", false,
         "Europe/Paris: CEST, UTC+02:00", "war time all year"},
        {&london, "1", "15", "1969", "9", "0", true, "-1", "0", "8", false, "51", "31", false,
         "Europe/London: BST, UTC+01:00", "British Standard Time: ahead of Greenwich, west of it"},
        {&kolkata, "6", "1", "1945", "10", "0", true, "-6.5", "88", "22", true, "22", "34", false,
         "Asia/Kolkata: +0630, UTC+06:30", "war time"},
        {&lordHowe, "1", "1", "2020", "12", "0", false, "-11", "159", "5", true, "31", "33", true,
         "Australia/Lord_Howe: +11, UTC+11:00, daylight saving", "half an hour of saving"},
        {&newYork, "11", "1", "2026", "1", "30", true, "4", "74", "0", false, "40", "43", false,
         "America/New_York: EDT, UTC-04:00", "happened twice: the earlier"},
        {&newYork, "3", "8", "2026", "2", "30", true, "", "", "", false, "", "", false,
         "2026-03-08 02:30 did not exist in America/New_York", "the clocks jumped over it"},
        {&newYork, "2", "30", "2026", "2", "30", true, "", "", "", false, "", "", false,
         "Enter the date and time first", "no such date"},
    };
    for (const Case& c : cases) {
        InputFields fields;
        fields.month = c.month;
        fields.day = c.day;
        fields.year = c.year;
        fields.hour = c.hour;
        fields.minute = c.minute;
        fields.am = c.am;
        fields.zone = "0";
        fields.longDeg = fields.longMin = fields.latDeg = fields.latMin = "0";
        const NamedZoneFill fill = FillFromAtlasRow(fields, *c.place);
        const bool refused = std::string(c.zone).empty();
        QVERIFY2(fill.problem.empty() != refused, c.source);
        const std::string& shown = refused ? fill.problem : fill.zoneText;
        QVERIFY2(shown.rfind(c.shownStart, 0) == 0, qPrintable(QString(c.source) + ": " + QString::fromStdString(shown)));
        if (refused) {
            QCOMPARE(fill.fields.zone, std::string("0"));
            continue;
        }
        const QStringList got{QString::fromStdString(fill.fields.zone), QString::fromStdString(fill.fields.longDeg),
                              QString::fromStdString(fill.fields.longMin), fill.fields.east ? "E" : "W",
                              QString::fromStdString(fill.fields.latDeg), QString::fromStdString(fill.fields.latMin),
                              fill.fields.south ? "S" : "N"};
        const QStringList want{c.zone, c.longDeg, c.longMin, c.east ? "E" : "W", c.latDeg, c.latMin, c.south ? "S" : "N"};
        QVERIFY2(got == want, qPrintable(QString(c.source) + ": " + got.join(' ') + " wanted " + want.join(' ')));
        QCOMPARE(fill.fields.month, std::string(c.month));  // the moment stays as typed
        QCOMPARE(fill.fields.hour, std::string(c.hour));
        QCOMPARE(fill.notes.empty(), std::string(c.source).find("twice") == std::string::npos);
    }

    // A date typed after the place was found: the zone of that name at the new moment.
    InputFields winter;
    winter.month = "1";
    winter.day = "13";
    winter.year = "1950";
    winter.hour = "8";
    winter.minute = "30";
    const NamedZoneFill found = FillFromAtlasRow(winter, newYork);
    InputFields summer = found.fields;
    summer.month = "7";
    const NamedZoneFill again = WithZoneAtMoment(summer, "America/New_York");
    QVERIFY(again.problem.empty());
    QCOMPARE(again.fields.zone, std::string("4"));
    QCOMPARE(again.fields.longDeg, std::string("74"));

    // The choice among the matches, as --place makes it; a numbered list when no name is whole.
    const AtlasPlaceRow springfieldIl = row("Springfield", 39.80, -89.64, "America/Chicago", false, 116250);
    const AtlasPlaceRow springfieldMa = row("Springfield", 42.10, -72.59, "America/New_York", false, 155929);
    const std::vector<AtlasPlaceRow> springs{springfieldMa, springfieldIl};
    QString asked;
    const auto answer = [&asked](std::optional<std::string> reply) {
        return [&asked, reply](const std::string& listing) {
            asked = QString::fromStdString(listing);
            return reply;
        };
    };
    QCOMPARE(ChooseFoundPlace("New York", {newYork, paris}, answer("2")).row, std::optional<AtlasPlaceRow>(newYork));
    QVERIFY(asked.isEmpty());  // a whole name: nothing asked
    QCOMPARE(ChooseFoundPlace("Spring", springs, answer("2")).row, std::optional<AtlasPlaceRow>(springfieldIl));
    QVERIFY(asked.contains("2. Springfield"));
    const PlaceChoice cancelled = ChooseFoundPlace("Spring", springs, answer(std::nullopt));
    QVERIFY(!cancelled.row && cancelled.problem.empty());
    const PlaceChoice beyond = ChooseFoundPlace("Spring", springs, answer("3"));
    QVERIFY(!beyond.row && QString::fromStdString(beyond.problem).contains("no place 3"));
    QVERIFY(ChooseFoundPlace("Atlantis", {}, answer("1")).problem.find("no place of the atlas") != std::string::npos);
}

void PresentersTest::dataWindowFontSaveAndPrintDecisions() {
    // Font sizes: the step is half the font step; the limits are checked before stepping.
    const struct {
        double size, step;
        bool larger;
        std::optional<double> next;
    } sizes[] = {
        {8.5, 1.5, true, 9.25},   {11.5, 1.5, true, 12.25}, {12.0, 1.5, true, std::nullopt},
        {8.5, 1.5, false, 7.75},  {8.0, 1.2, false, std::nullopt}, {12.25, 1.2, false, 11.65},
    };
    for (const auto& s : sizes) {
        const std::optional<double> next = NextFontSize(s.size, s.step, s.larger);
        QCOMPARE(next.has_value(), s.next.has_value());
        if (next) QVERIFY(qFuzzyCompare(*next, *s.next));
    }

    // The buffers: a reset buffer holds one empty line.
    OutputBuffers reset;
    ResetOutputLines(reset);
    ResetDataLines(reset);
    OutputBuffers oneLine = reset;
    oneLine.DataLines = {"help text"};
    OutputBuffers reports = reset;
    reports.OutputLines = {"", "Transit to natal planet aspects"};
    reports.DataLines = reports.OutputLines;
    const struct {
        const char* name;
        const OutputBuffers& out;
        QString saveFile;
        bool saveAs;
        SaveStep save;
        bool printsPage, printsData, blankFirst;
    } rows[] = {
        {"reset buffers", reset, "", false, SaveStep::NothingToWrite, false, false, false},
        {"one shown line", oneLine, "A.DOC", true, SaveStep::NothingToWrite, true, false, false},
        {"reports, no file yet", reports, "", false, SaveStep::AskForFile, true, true, true},
        {"reports, Save", reports, "A.DOC", false, SaveStep::WriteSaveFile, true, true, true},
        {"reports, Save As", reports, "A.DOC", true, SaveStep::AskForFile, true, true, true},
    };
    for (const auto& row : rows) {
        QVERIFY2(DataSaveStep(row.out, row.saveFile, row.saveAs) == row.save, row.name);
        const auto page = LinesToPrint(row.out, false);
        const auto data = LinesToPrint(row.out, true);
        QVERIFY2(page.has_value() == row.printsPage, row.name);
        QVERIFY2(data.has_value() == row.printsData, row.name);
        if (page) QVERIFY2(*page == row.out.DataLines, row.name);
        if (data) QVERIFY2(*data == row.out.OutputLines, row.name);
        QVERIFY2(BlankLineBeforeShowing(row.out) == row.blankFirst, row.name);
    }
}

void PresentersTest::optionsEditorSavesAndRestores() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const fs::path programDir = dir.path().toStdString();
    for (const char* name : {"OPTIONS.OPT", "OPTIONS.MST"}) {
        fs::copy_file(fs::path(ORRERION_DATA_DIR) / name, programDir / name);
    }
    const std::string master = gui::testing::ReadWholeFile(programDir / "OPTIONS.MST");
    Options options;
    QVERIFY(LoadOptions(programDir / OptionsFileName, options).empty());
    const std::string text = *OptionsEditorText(programDir);

    // A save that fails part-way: its message only, file and values as they were.
    std::string edited = "7.5    conjunction orb" + text.substr(text.find('\n'));
    const OptionsSaved failed = orrerion::testing::WithFileSizeLimit(
        16, [&] { return SaveOptionsText(programDir, edited, options); });
    QVERIFY(!failed.written);
    QCOMPARE(failed.messages.size(), std::size_t{1});
    QVERIFY(QString::fromStdString(failed.messages[0]).contains("OPTIONS.OPT"));
    QCOMPARE(options[Option::ConjunctionOrb], 8.0f);
    QCOMPARE(gui::testing::ReadWholeFile(programDir / "OPTIONS.OPT"), master);

    // A save that succeeds: the values read again from the saved file.
    const OptionsSaved saved = SaveOptionsText(programDir, edited, options);
    QVERIFY(saved.written);
    QVERIFY(saved.messages.empty());
    QCOMPARE(options[Option::ConjunctionOrb], 7.5f);

    // Restore: the master's text back in the editor; without a master nothing is restored.
    OptionsRestored restored = RestoreOptionsText(programDir);
    QVERIFY(restored.restored);
    QVERIFY(restored.text == master);
    QCOMPARE(gui::testing::ReadWholeFile(programDir / "OPTIONS.OPT"), master);
    QCOMPARE(options[Option::ConjunctionOrb], 7.5f);
    fs::remove(programDir / "OPTIONS.MST");
    restored = RestoreOptionsText(programDir);
    QVERIFY(!restored.restored);
    QVERIFY(!restored.text);
}

namespace {

std::size_t ControlIndex(const std::string& control) {
    for (std::size_t i = 0; i < PreferenceFields.size(); ++i) {
        if (PreferenceFields[i].control == control) return i;
    }
    qFatal("no control %s", control.c_str());
}

// `text` with the first 7 characters of line `line` (1-based, CR LF lines) replaced.
std::string WithLineStart(std::string text, int line, const std::string& start) {
    std::size_t at = 0;
    for (int n = 1; n < line; ++n) at = text.find("\r\n", at) + 2;
    return text.replace(at, 7, start);
}

}  // namespace

void PresentersTest::preferencesMapToTheOptionsFile() {
    const std::string shipped = gui::testing::ReadWholeFile(fs::path(ORRERION_DATA_DIR) / "OPTIONS.OPT");
    // The same file with values that the controls show as a choice's "other": option 9 at 2
    // (minor aspects left out), 11 at 7 (all points), 26 at 4 (sidereal time), 27 at 4 (Placidus).
    std::string others = WithLineStart(shipped, 9, "2      ");
    others = WithLineStart(others, 11, "7      ");
    others = WithLineStart(others, 26, "4      ");
    others = WithLineStart(others, 27, "4      ");
    const auto valuesOf = [](const std::string& text) {
        Options values;
        LoadOptionsText(text, OptionsFileName, values);
        return values;
    };

    // Nothing changed: the file comes back byte for byte.
    for (const std::string& text : {shipped, others}) {
        const Options file = valuesOf(text);
        const PreferencesRead read = OptionsFromEntries(EntriesForOptions(file), file);
        QVERIFY(read.problems.empty());
        const OptionsRewrite rewrite = OptionsTextWithValues(text, read.values);
        QVERIFY(!rewrite.changed);
        QVERIFY(rewrite.text == text);
    }

    // One control changed: only its line's value field is rewritten.
    const struct {
        const std::string& file;
        const char* control;
        std::string text;  // a number control's text
        int choice;        // a tick box's or list's choice
        int line;
        const char* lineStart;
    } changes[] = {
        {shipped, "txtSquareOrb", "7.5", 0, 4, "7.5    "},
        {shipped, "txtHomeZone", " -5.5 ", 0, 18, "-5.5   "},
        {shipped, "txtPrintLineWidth", "132", 0, 16, "132    "},
        {shipped, "chkMinorAspects", "", 0, 9, "1      "},
        {shipped, "chkNatalAngles", "", 0, 10, "1      "},
        {shipped, "chkHomeEast", "", 1, 21, "1      "},
        {shipped, "chkTransitMars", "", 0, 35, "0      "},
        {shipped, "cboProgressedPoints", "", 5, 11, "5      "},
        {shipped, "cboProgressedAngles", "", 1, 26, "1      "},
        {shipped, "cboHouseSystem", "", 2, 27, "3      "},
        {others, "cboHouseSystem", "", 4, 27, "8      "},
        {others, "chkMinorAspects", "", 1, 9, "0      "},
    };
    for (const auto& change : changes) {
        const Options file = valuesOf(change.file);
        PreferenceEntries entries = EntriesForOptions(file);
        const std::size_t i = ControlIndex(change.control);
        entries[i].text = change.text;
        entries[i].choice = change.choice;
        const PreferencesRead read = OptionsFromEntries(entries, file);
        QVERIFY2(read.problems.empty(), change.control);
        const OptionsRewrite rewrite = OptionsTextWithValues(change.file, read.values);
        QVERIFY2(rewrite.text == WithLineStart(change.file, change.line, change.lineStart), change.control);
    }

    // Each range: its ends taken, one step beyond refused, with a message naming the control.
    const struct {
        const char* control;
        std::vector<std::string> taken, refused;
    } ranges[] = {
        {"txtConjunctionOrb", {"0", "15", "2.25"}, {"-0.5", "15.01", "2.125", "eight", ""}},
        {"txtQuincunxOrb", {"0.5"}, {"16"}},
        {"txtPrintLinesPerPage", {"1", "999"}, {"0", "1000", "60.5"}},
        {"txtPrintLineWidth", {"1", "999"}, {"0", "1000"}},
        {"txtSavedPageLength", {"1", "999"}, {"0", "-60"}},
        {"txtHomeZone", {"-14", "12", "5.75"}, {"-14.25", "12.5", "3.125"}},
        {"txtHomeLongitudeDegrees", {"0", "179"}, {"-1", "181", "71.5"}},
        {"txtHomeLongitudeMinutes", {"0", "59"}, {"60", "-1"}},
        {"txtHomeLatitudeDegrees", {"0", "89"}, {"91"}},
        {"txtHomeLatitudeMinutes", {"59"}, {"60"}},
    };
    const Options file = valuesOf(shipped);
    for (const auto& range : ranges) {
        const std::size_t i = ControlIndex(range.control);
        const PreferenceField& field = PreferenceFields[i];
        for (const std::string& text : range.taken) {
            PreferenceEntries entries = EntriesForOptions(file);
            entries[i].text = text;
            const PreferencesRead read = OptionsFromEntries(entries, file);
            QVERIFY2(read.problems.empty(), qPrintable(QString("%1 %2").arg(range.control, text.c_str())));
            QCOMPARE(read.values[field.option], static_cast<float>(LeadingNumber(text)));
        }
        for (const std::string& text : range.refused) {
            PreferenceEntries entries = EntriesForOptions(file);
            entries[i].text = text;
            const PreferencesRead read = OptionsFromEntries(entries, file);
            const QString row = QString("%1 \"%2\"").arg(range.control, text.c_str());
            QVERIFY2(read.problems.size() == 1, qPrintable(row));
            QVERIFY2(read.problems[0].control == range.control, qPrintable(row));
            const QString message = QString::fromStdString(read.problems[0].message);
            QVERIFY2(message.startsWith(QString::fromStdString(PreferenceGroupTitle(field.group)) + ": " +
                                        field.label + " takes "),
                     qPrintable(message));
            QVERIFY2(message.endsWith("\"" + QString::fromStdString(text) + "\"."), qPrintable(message));
        }
    }
    // 180 and 90 degrees are taken with 0 minutes; minutes past them name the minutes' control.
    for (const auto& [degrees, minutes, limit] :
         {std::tuple{"txtHomeLongitudeDegrees", "txtHomeLongitudeMinutes", "180"},
          std::tuple{"txtHomeLatitudeDegrees", "txtHomeLatitudeMinutes", "90"}}) {
        PreferenceEntries entries = EntriesForOptions(file);
        entries[ControlIndex(degrees)].text = limit;
        entries[ControlIndex(minutes)].text = "1";
        const PreferencesRead read = OptionsFromEntries(entries, file);
        QVERIFY2(read.problems.size() == 1 && read.problems[0].control == minutes, minutes);
        entries[ControlIndex(minutes)].text = "0";
        QVERIFY2(OptionsFromEntries(entries, file).problems.empty(), minutes);
    }
}

void PresentersTest::exportRefusalsAndProposedNames() {
    // Nothing to export before a scan, nor with every family unticked. Without a scan the refusal
    // and the window's line tell a program without a chart from a chart whose scan was not run.
    Calculation calc;
    ExportChoice all;
    ExportChoice none;
    none.families.fill(false);
    ExportChoice one = none;
    one.families[FamilyIndex(AspectFamily::TransitToProgressed)] = true;
    const struct {
        const char* name;
        bool charted;
        int scanDays;
        ExportChoice choice;
        const char* refusal;  // its start; nullptr: the export goes ahead
    } rows[] = {
        {"no chart", false, 0, all, "No scan yet."},
        {"chart without a scan", true, 0, all, "Scan not run for this chart."},
        {"scanned, every family", true, 90, all, nullptr},
        {"scanned, no family", true, 90, none, "Tick at least one family"},
        {"scanned, one family", true, 90, one, nullptr},
    };
    for (const auto& row : rows) {
        calc.scan.ScanDays = row.scanDays;
        const std::optional<std::string> refusal = ExportRefusal(calc, row.charted, row.choice);
        QVERIFY2(refusal.has_value() == (row.refusal != nullptr), row.name);
        if (refusal) QVERIFY2(refusal->starts_with(row.refusal), refusal->c_str());
        if (row.scanDays == 0) QCOMPARE(ExportScanSummary(calc, row.charted), *refusal);
    }

    // The report files' stem, "_scan" and the format's extension.
    const struct {
        const char* chartName;
        ExportFormat format;
        const char* expected;
    } names[] = {
        {"Jonathan Smith", ExportFormat::Calendar, "Jonat_scan.ics"},
        {"Olga", ExportFormat::Csv, "Olga_scan.csv"},
        {" leading blank", ExportFormat::Json, "Chart_scan.json"},
    };
    for (const auto& n : names) {
        QCOMPARE(QString::fromStdString(ProposedExportFileName(n.chartName, n.format)), QString(n.expected));
    }
}

void PresentersTest::timelineViewMovesWithinTheScanAndPrintsEveryRun() {
    // Each step from the view of the step before: a 3650-day scan, 100 lanes, 20 on show.
    TimelineViewport v;
    v.visibleRows = 20;
    v.ShowAll(3650, 100);
    struct Step {
        const char* what;
        std::function<void()> act;
        double fromDay, days, firstRow;
    };
    const std::vector<Step> steps = {
        {"zoom in twice around day 1000", [&] { v.ZoomAround(2, 1000); }, 500, 1825, 0},
        {"End", [&] { ApplyTimelineKey(v, TimelineKey::End, false); }, 1825, 1825, 0},
        {"Right stops at the end", [&] { ApplyTimelineKey(v, TimelineKey::Right, false); }, 1825, 1825, 0},
        {"Ctrl+Page Up: a view's days back", [&] { ApplyTimelineKey(v, TimelineKey::PageUp, true); }, 0, 1825, 0},
        {"Page Down: a view of lanes less one", [&] { ApplyTimelineKey(v, TimelineKey::PageDown, false); }, 0, 1825, 19},
        {"Ctrl+End: the last lanes", [&] { ApplyTimelineKey(v, TimelineKey::End, true); }, 1825, 1825, 80},
        {"zooming in stops at a week", [&] { v.ZoomAround(1e6, 3000); }, 3000 - 7 * (3000 - 1825) / 1825.0, 7, 80},
        {"zooming out stops at the scan", [&] { v.ZoomAround(1e-6, 3000); }, 0, 3650, 80},
        {"Ctrl+Home", [&] { ApplyTimelineKey(v, TimelineKey::Home, true); }, 0, 3650, 0},
    };
    for (const Step& step : steps) {
        step.act();
        QVERIFY2(std::abs(v.fromDay - step.fromDay) < 1e-9 && std::abs(v.days - step.days) < 1e-9 &&
                     v.firstRow == step.firstRow,
                 qPrintable(QString("%1: from %2, %3 days, row %4").arg(step.what).arg(v.fromDay).arg(v.days).arg(v.firstRow)));
    }

    // Print pages: slices of 40 days, at most two lanes a page; every lane on one page of each
    // slice one of its runs meets, and on none of the others. Runs of transits to natal and of transits to progressed over 100 days.
    ScanResult scan;
    scan.DiurnalJD = 2461381.7;
    scan.ScanDays = 100;
    auto run = [](AspectFamily f, int mover, int aspect, int target, int first, int last) {
        ScanRun r;
        r.family = f;
        r.mover = static_cast<std::uint8_t>(mover);
        r.AspectCode = static_cast<std::uint8_t>(aspect);
        r.target = static_cast<std::uint8_t>(target);
        r.firstDay = static_cast<std::int16_t>(first);
        r.lastDay = static_cast<std::int16_t>(last);
        return r;
    };
    scan.runs = {run(AspectFamily::TransitToNatal, 1, 2, 1, 0, 10), run(AspectFamily::TransitToNatal, 1, 2, 1, 50, 60),
                 run(AspectFamily::TransitToNatal, 2, 5, 3, 20, 30), run(AspectFamily::TransitToProgressed, 6, 6, 1, 5, 95)};
    scan.familyStart = {0, 3, 3, 3, 3, 4};
    const TimelineLayout layout = LayOutTimeline(scan);
    QCOMPARE(layout.lanes.size(), std::size_t{3});
    const std::vector<TimelinePrintPage> pages = TimelinePrintPages(layout, {}, 40, 2);
    // Two rows a page, a family heading first on each: [0, 40): three lanes on three pages;
    // [40, 80): two lanes (two families) on two; [80, 100): one.
    QCOMPARE(pages.size(), std::size_t{6});
    for (const TimelinePrintPage& page : pages) QVERIFY(!page.part.lanes.empty() && IsHeadingRow(page.part.lanes.front()));
    for (std::uint32_t lane = 0; lane < layout.lanes.size(); ++lane) {
        for (const double sliceStart : {0.0, 40.0, 80.0}) {
            bool meets = false;
            for (const TimelineRun& r : layout.RunsOf(layout.lanes[lane])) {
                meets = meets || (r.firstDay < sliceStart + 40 && r.lastDay + 1 > sliceStart);
            }
            int onPages = 0;
            for (const TimelinePrintPage& page : pages) {
                if (page.part.fromDay != sliceStart) continue;
                QVERIFY(page.part.lanes.size() <= 2);
                onPages += static_cast<int>(std::count(page.part.lanes.begin(), page.part.lanes.end(), lane));
            }
            QCOMPARE(onPages, meets ? 1 : 0);
        }
    }
    QCOMPARE(pages.back().part.toDay, 100.0);
}

void PresentersTest::returnsFirstSpansHoldAReturnAndTheLocalColumnNamesItsClock() {
    Calculation calc;
    LoadNameRecord(*NameRecordFromLine("John Smith,13 Jan 1950,8.30,A,5,074.00,40.43"), 0, InputSection::Natal,
                   calc.natal);
    LoadNameRecord(*NameRecordFromLine(",07 Dec 2026,12.00,P,5,074.00,40.43"), 0, InputSection::Diurnal, calc.diurnal);
    CollectingReporter reporter;
    ScanObserver noScan;
    CalculationRequest request;
    request.askDays = [] { return std::optional<std::string>(); };
    QVERIFY(RunCalculation(calc, request, noScan, reporter).charted);

    // The list: Sun, Moon, then Mercury to Pluto.
    QStringList names;
    for (const int body : ReturnBodies()) names << QString::fromStdString(ReturnBodyName(body));
    QCOMPARE(names.join(","), QString("Sun,Moon,Mercury,Venus,Mars,Jupiter,Saturn,Uranus,Neptune,Pluto"));
    QCOMPARE(DefaultReturnDays(SUN), 366);
    QCOMPARE(DefaultReturnDays(PLUTO), MaxReturnDays);

    // Whatever day a listing starts on, the first span of every body but Pluto holds a return:
    // for the bodies that come round within about two years, starts 17 days apart over two years
    // (every phase of their retrograde loops); for the slow ones the diurnal date (a search over
    // their spans takes seconds).
    for (const int body : ReturnBodies()) {
        if (body == PLUTO) continue;
        const bool fast = DefaultReturnDays(body) <= 800;
        for (int start = 0; start < (fast ? 2 * 365 : 1); start += 17) {
            ReturnsChoice choice{body, DefaultReturnDays(body), false};
            const ReturnSearch search = ReturnSearchOf(calc, choice, QDate(2026, 12, 7).addDays(start));
            QVERIFY2(!FindReturns(calc.chart, calc.eph.Source, search).empty(),
                     qPrintable(QString("%1 from %2 days after 7 Dec 2026")
                                    .arg(QString::fromStdString(ReturnBodyName(body)))
                                    .arg(start)));
        }
    }

    // The local column names the zone as typed, or the diurnal place's named zone.
    const struct { float zoneHoursWest; const char* name; const char* heading; } zones[] = {
        {5.0f, "", "Local time (UT-5)"},
        {0.0f, "", "Local time (UT)"},
        {-5.5f, "", "Local time (UT+5:30)"},
        {3.25f, "", "Local time (UT-3:15)"},
        {5.0f, "America/New_York", "Local time (America/New_York)"},
    };
    for (const auto& z : zones) {
        calc.chart.input.DiurnalZone = z.zoneHoursWest;
        calc.DiurnalZoneName = z.name;
        QCOMPARE(QString::fromStdString(LocalColumnHeading(calc)), QString(z.heading));
    }
}

QTEST_APPLESS_MAIN(PresentersTest)
#include "presenters_test.moc"
