#include "gui/app/shell.h"

#include <algorithm>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdlib>
#include <ctime>
#include <system_error>

#include "core/exports/return_exports.h"
#include "core/io/line_reader.h"
#include "core/records/name_record.h"
#include "core/records/names_file.h"
#include "core/records/options_file.h"
#include "core/records/program_folders.h"
#include "core/run/run_calculation.h"
#include "gui/app/locale_order.h"
#include "gui/app/main_window.h"
#include "gui/app/options_window.h"
#include "gui/app/preferences_presenter.h"
#include "gui/app/preferences_window.h"
#include "gui/app/title_window.h"
#include "gui/output/data_window.h"
#include "gui/output/events_window.h"
#include "gui/output/export_window.h"
#include "gui/output/print_window.h"
#include "gui/output/returns_window.h"
#include "gui/output/scan_windows.h"
#include "gui/output/select_file_window.h"
#include "gui/pictures/timeline_window.h"
#include "gui/pictures/wheel_window.h"
#include "gui/records/atlas_bridge.h"
#include "gui/records/cities_window.h"
#include "gui/records/diurnal_window.h"
#include "gui/records/input_controls.h"
#include "gui/records/long_lat_window.h"
#include "gui/records/name_edit_window.h"
#include "gui/records/list_presenter.h"
#include "gui/records/names_window.h"
#include "gui/records/natal_window.h"
#include "gui/records/time_zone_window.h"
#include "gui/app/window_places.h"
#include "gui/output/help_window.h"

namespace orrerion::gui {
namespace {

// The status line after the scan's Cancel: the charts stand, without a scan.
const QString ScanCancelledNote =
    "Scan cancelled: no report was written, and the report files of the last scan are as they were.";

// Loads a window on first use with `make`. Windows that are unloaded delete themselves, which
// clears the slot.
template <class W, class Make>
W& Loaded(WindowPlaces& places, QPointer<W>& slot, Make make) {
    if (slot.isNull()) {
        slot = make();
        places.Watch(*slot);
    }
    return *slot;
}

template <class W>
void Unload(QPointer<W>& slot) {
    if (!slot.isNull()) delete slot.data();
}

// Brings a window forward and gives it the focus.
void Activate(QWidget& window) {
    window.raise();
    window.activateWindow();
}

// A window that follows the calculation, brought up to date, shown and activated.
template <class W>
void ShowRefreshed(W& window) {
    window.Refresh();
    window.show();
    Activate(window);
}

// One editor of its kind at a time among the main window's children; a second request brings the
// open one forward.
template <class Editor, class Make>
void ShowOnlyEditor(QWidget& main, const char* objectName, Make make) {
    Editor* editor = nullptr;
    for (Editor* open : main.findChildren<Editor*>(objectName, Qt::FindDirectChildrenOnly)) {
        if (open->isVisible()) editor = open;  // a closed one is about to be deleted
    }
    if (!editor) editor = make();
    editor->show();
    Activate(*editor);
}

// The aspect scan's windows: the status window's bar, the WAIT window, the beep, the data window.
class ScanWindows final : public ScanObserver {
public:
    explicit ScanWindows(Shell& shell) : shell_(shell) {}
    ~ScanWindows() override { EndScan(); }

    void BeginScan() override {
        status_ = std::make_unique<StatusWindow>();
        status_->show();
        status_->SetPercent(0);
    }
    void ShowProgress(int current, int maximum) override {
        if (status_) status_->SetPercent(ProgressPercent(current, maximum));
    }
    void ClearProgress() override {
        if (status_) status_->SetPercent(0);
    }
    bool StopAsked() override { return status_ && status_->stopAsked(); }
    // The exact-date listing reports a beep for every minimum it finds, tens of thousands within
    // a fraction of a second for a long scan. The system plays one bell at a time, and every
    // ring is a request flushed to the window system, so a burst rings the bell once per
    // BellMilliseconds.
    void Beep() override {
        if (bell_.isValid() && bell_.elapsed() < BellMilliseconds) return;
        bell_.start();
        shell_.dialogs().Beep();
    }
    void BeginSorting() override {
        status_.reset();
        if (!busy_) shell_.dialogs().SetBusyPointer(true);
        busy_ = true;
        wait_ = std::make_unique<WaitWindow>();
        wait_->ShowNow();
    }
    void EndSorting() override { wait_.reset(); }
    void ShowDataWindow() override { shell_.ShowDataWindow(); }
    void EndScan() override {
        status_.reset();
        wait_.reset();
        if (busy_) shell_.dialogs().SetBusyPointer(false);
        busy_ = false;
    }

private:
    static constexpr int BellMilliseconds = 200;

    Shell& shell_;
    QElapsedTimer bell_;  // since the last bell
    std::unique_ptr<StatusWindow> status_;
    std::unique_ptr<WaitWindow> wait_;
    bool busy_ = false;
};

}  // namespace

Shell::Shell(Session& s)
    : session(s), places_(std::make_unique<WindowPlaces>(s.settings, s.calc.ProgramDir / SettingsFileName)) {}

Shell::~Shell() {
    Unload(events_);
    Unload(returns_);
    Unload(export_);
    Unload(timeline_);
    Unload(wheel_);
    Unload(help_);
    Unload(preferences_);
    Unload(options_);
    Unload(dataWindow_);
    Unload(timeZone_);
    Unload(cities_);
    Unload(names_);
    Unload(inputD1_);
    Unload(inputD_);
}

MainWindow& Shell::main() {
    if (!main_) {
        main_ = std::make_unique<MainWindow>(*this);
        places_->Watch(*main_);
    }
    return *main_;
}

bool Shell::Start() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    Calculation& calc = session.calc;

    const std::filesystem::path optionsPath = calc.ProgramDir / OptionsFileName;
    for (const OptionsProblem& problem : LoadOptions(optionsPath, calc.options)) {
        dialogs().MessageBox(nullptr, QString::fromStdString(problem.message), "Warning!",
                             MessageIcon::Information);
    }
    SettingsLoad settings = LoadSettings(calc.ProgramDir / SettingsFileName);
    for (const std::string& problem : settings.problems) {
        dialogs().MessageBox(nullptr, QString::fromStdString(problem), "Warning!",
                             MessageIcon::Information);
    }
    session.settings = std::move(settings.file);
    session.WindowTitle = BuildWindowTitle();

    // The reports folder; an error (for instance a read-only data folder) shows up when the first
    // scan writes its files.
    std::error_code ignored;
    std::filesystem::create_directories(ReportsFolder(calc), ignored);

    if (calc.options[Option::ShowTitleWindow] != 0) {
        TitleWindow title;
        dialogs().ExecModal(title);
    }

    dialogs().SetBusyPointer(true);
    session.data.font = DataFont{};
    session.data.placeTwips = DataWindowState{}.placeTwips;
    session.names.SetFile(calc.ProgramDir / "NAMES.FIL");
    session.CitiesFilePath = calc.ProgramDir / "GA_MA.LL";
    // ATLAS.EXE beside the program (the build) or in <prefix>/libexec/orrerion (an installed copy).
    session.AtlasDir = QString::fromStdString((AtlasProgramDir(session.exeDir) / "").string());
    const LocaleOrder order = ReadLocaleOrder(session.clock.locale);
    calc.DateOrder = order.DateOrder;
    session.clock.twentyFourHourClock = order.twentyFourHourClock;
    session.data.fontStep = FontStepForScreen(main().ScreenWidthPixels(), main().TwipsPerPixel());
    session.PreviousName.clear();

    main().SetHouseMarkFromOption(calc.options[Option::StartHouseSystem]);
    main().show();
    session.names.MarkSaved();
    OfferLastBirth();
    inputD().show();
    inputD1().show();
    names().show();
    names().activateWindow();
    dialogs().SetBusyPointer(false);
    return true;
}

namespace {

// What the shell puts into the calculation from the windows before a run. A refused run puts back
// those of the charts that stand, so the calculation stays whole: its inputs, charts, buffers and
// scan all belong to one chart.
struct RunInputs {
    InputFields natal;
    InputFields diurnal;
    std::string diurnalZoneName;
    ProgressionType progression = ProgressionType::Secondary;
    HouseSystem houseSystem = HouseSystem::Placidus;
    EphemerisSource source = EphemerisSource::Builtin;
    PointChoice points;
};

RunInputs InputsOf(const Calculation& calc) {
    return {calc.natal, calc.diurnal, calc.DiurnalZoneName, calc.progression, calc.houseSystem, calc.eph.Source,
            calc.points};
}

void PutInputs(Calculation& calc, const RunInputs& inputs) {
    calc.natal = inputs.natal;
    calc.diurnal = inputs.diurnal;
    calc.DiurnalZoneName = inputs.diurnalZoneName;
    calc.progression = inputs.progression;
    calc.houseSystem = inputs.houseSystem;
    calc.eph.Source = inputs.source;
    calc.points = inputs.points;
}

}  // namespace

void Shell::RunCalculation() {
    Calculation& calc = session.calc;
    const RunInputs current = InputsOf(calc);
    // The points of the preferences that these positions can compute; the others are left out and
    // named in the status line.
    const Settings& settings = session.settings.settings;
    const PointsForRun points = PointsForCalculation(settings.points, settings.ephemeris);
    PutInputs(calc, {inputD().Fields(), inputD1().Fields(), inputD1().ZoneName(), inputD1().Progression(),
                     main().CheckedHouseSystem(), settings.ephemeris, points.points});

    DialogReporter reporter(dialogs(), &main());
    ScanWindows windows(*this);
    CalculationRequest request;
    request.scan.pointsInReports = settings.pointsInReports;
    // The notes of the last calculation stay in the status line until this one; this one's notes
    // stand one under the other.
    QString notes = QString::fromStdString(points.note);
    main().ShowNote(notes);
    request.notice = [this, &notes](const std::string& note) {
        notes += (notes.isEmpty() ? "" : "\n") + QString::fromStdString(note);
        main().ShowNote(notes);
    };
    request.preciseChoice = PreciseChoiceText;
    // Dates that are probably not what was meant are calculated only when confirmed.
    request.confirmDates = [this](const std::vector<DateDoubt>& doubts) {
        QString text;
        for (const DateDoubt& doubt : doubts) text += QString::fromStdString(doubt.text) + "\n";
        text += "\nCalculate with these dates?";
        dialogs().SetBusyPointer(false);
        const bool go = dialogs().MessageBox(&main(), text, DateDoubtTitle, MessageIcon::Question,
                                             MessageButtons::YesNo) == AnswerYes;
        dialogs().SetBusyPointer(true);
        return go;
    };
    // Once the charts stand they are the current calculation, without a scan yet: the chart menus
    // appear, every window shows the new chart, and the day count is asked. Whatever the answer,
    // the new chart stays; no answer (or Cancel) leaves it without a scan, as the windows say.
    request.askDays = [&]() -> std::optional<std::string> {
        dialogs().SetBusyPointer(false);
        session.chartComputed = true;
        session.PreviousName = calc.natal.name;
        main().ShowChartMenus();
        CalculationChanged();
        return dialogs().InputBox(&main(), "Enter number of days:", "Number of Days", " 90").toStdString();
    };
    dialogs().SetBusyPointer(true);
    const CalculationOutcome outcome = orrerion::RunCalculation(calc, request, windows, reporter);
    if (!outcome.charted) {
        // Refused: the charts, buffers and scan that stood are untouched, and so is every window.
        PutInputs(calc, current);
        dialogs().SetBusyPointer(false);
        // A refused input: its field is selected in its window, ready to be typed over.
        if (const std::optional<FieldRef>& field = reporter.firstField()) {
            if (field->section == InputSection::Natal) {
                inputD().SelectField(field->field);
            } else {
                inputD1().SelectField(field->field);
            }
        }
        return;
    }
    KeepLastBirth();
    if (outcome.scan == ScanOutcome::Completed) {
        // The scan's own windows; the scan has shown the data window with its listings.
        if (timelineLoaded()) timeline_->Refresh();
        if (exportLoaded()) export_->Refresh();
    } else if (outcome.scan == ScanOutcome::Cancelled) {
        main().ShowNote(ScanCancelledNote);
    }
}

void Shell::KeepLastBirth() {
    const NewNameRecordResult made = NewNameRecord(inputD().Fields(), session.calc.DateOrder);
    if (!made.record || CheckRecordForSaving(*made.record)) return;
    const std::string line = NameRecordLine(*made.record);
    if (line == session.settings.settings.lastBirth) return;
    Settings wanted = session.settings.settings;
    wanted.lastBirth = line;
    // A birth that cannot be kept is not worth a message: the next start offers the one before.
    (void)UpdateSettings(session.calc.ProgramDir / SettingsFileName, wanted, session.settings);
}

void Shell::OfferLastBirth() {
    const std::optional<NameRecord> record = NameRecordFromLine(session.settings.settings.lastBirth);
    if (!record) return;
    const PickedRecord picked = PickName(*record, session.calc.DateOrder, InputSection::Natal, inputD().Fields());
    if (picked.messages.empty()) inputD().SetFields(picked.fields);
}

void Shell::CalculationChanged() {
    // A return chart shown in the wheel belongs to the chart before.
    if (wheelLoaded()) wheel_->ShowCalculation();
    if (returnsLoaded()) returns_->Refresh();
    if (eventsLoaded()) events_->Refresh();
    if (timelineLoaded()) timeline_->Refresh();
    if (exportLoaded()) export_->Refresh();
    if (dataWindowLoaded()) dataWindow_->ShowCurrentText();
}

void Shell::ShowDataWindow() { dataWindow().ShowData(); }

std::optional<TextLines> Shell::ReadHelpFile(const QString& fileName) {
    const std::filesystem::path path = session.calc.ProgramDir / fileName.toStdString();
    std::string error;
    std::optional<TextLines> lines = ReadTextLines(path, &error);
    if (!lines) {
        dialogs().MessageBox(&main(),
                             QString("The help file %1 cannot be read: %2")
                                 .arg(QString::fromStdString(path.string()), QString::fromStdString(error)),
                             "Warning!", MessageIcon::Information);
    }
    return lines;
}

void Shell::ShowHelpText(const QString& fileName) {
    const std::optional<TextLines> lines = ReadHelpFile(fileName);
    if (!lines) return;
    OutputBuffers& out = session.calc.out;
    ResetDataLines(out);
    for (const std::string& line : lines->lines) {
        out.LineText = line;
        AddOutputLine(out);
    }
    AddBlankLine(out);
    ShowDataWindow();
}

HelpWindow& Shell::help() {
    return Loaded(*places_, help_, [this] { return new HelpWindow(&main()); });
}

void Shell::ShowHelpWindow(const QString& fileName) {
    const std::optional<TextLines> lines = ReadHelpFile(fileName);
    if (!lines) return;
    QStringList text;
    for (const std::string& line : lines->lines) text << QString::fromStdString(line);
    HelpWindow& window = help();
    window.ShowText(fileName, text);
    window.show();
    Activate(window);
}

void Shell::InputMenu() {
    if (session.PreviousName != "Now") session.names.ClearSaved();
    session.PreviousName.clear();
    session.data.DataSaveFile.clear();
    unloadDataWindow();
    inputD().show();
    inputD1().show();
    unloadNames();
    names().show();
    if (inputD().Fields().name == "Now") inputD().RefreshClockFields();
}

NatalWindow& Shell::inputD() {
    if (inputD_.isNull()) {
        inputD_ = new NatalWindow(*this, InputSlice(), session.names);
        // The Names window, and the diurnal window at the natal window's right.
        names().show();
        DiurnalWindow& diurnal = inputD1();
        diurnal.move(inputD_->x() + inputD_->width() + GapBetweenInputWindows, inputD_->y());
        diurnal.show();
    }
    return *inputD_;
}

DiurnalWindow& Shell::inputD1() {
    if (inputD1_.isNull()) {
        inputD1_ = new DiurnalWindow(*this, InputSlice());
        names().show();
    }
    return *inputD1_;
}

NamesWindow& Shell::names() {
    return Loaded(*places_, names_, [this] {
        return new NamesWindow(*this, dialogs(), session.calc, session.names);
    });
}

CitiesWindow& Shell::cities() {
    return Loaded(*places_, cities_, [this] {
        return new CitiesWindow(*this, dialogs(), session.calc.ProgramDir, session.CitiesFilePath);
    });
}

TimeZoneWindow& Shell::timeZone() {
    return Loaded(*places_, timeZone_,
                  [this] { return new TimeZoneWindow(*this, dialogs(), session.calc.ProgramDir); });
}

DataWindow& Shell::dataWindow() {
    return Loaded(*places_, dataWindow_, [this] {
        return new DataWindow(*this, dialogs(), session.calc, session.WindowTitle, session.data);
    });
}

OptionsWindow& Shell::options() {
    return Loaded(*places_, options_,
                  [this] { return new OptionsWindow(dialogs(), session.calc, session.WindowTitle); });
}

WheelWindow& Shell::wheel() {
    return Loaded(*places_, wheel_, [this] {
        return new WheelWindow({dialogs(), session.calc, session.chartComputed, session.settings,
                                session.wheelOuterAspects});
    });
}

ExportWindow& Shell::exportWindow() {
    return Loaded(*places_, export_, [this] { return new ExportWindow({dialogs(), session.calc, session.chartComputed, session.exportChoice, session.settings}); });
}

void Shell::ShowExport() { ShowRefreshed(exportWindow()); }

void Shell::ShowWheel() {
    WheelWindow& window = wheel();
    window.ShowCalculation();
    window.show();
    Activate(window);
}

ReturnsWindow& Shell::returns() {
    return Loaded(*places_, returns_, [this] {
        return new ReturnsWindow(*this, {dialogs(), session.calc, session.chartComputed, session.returnsChoice,
                                         PreciseChoiceText});
    });
}

void Shell::ShowReturns() {
    const bool loaded = returnsLoaded();
    ReturnsWindow& window = returns();
    if (loaded) window.Refresh();  // a new window lists them as it opens
    window.show();
    Activate(window);
}

EventsWindow& Shell::events() {
    return Loaded(*places_, events_, [this] {
        return new EventsWindow(*this, {dialogs(), session.calc, session.chartComputed, session.settings,
                                        session.eventsChoice, PreciseChoiceText});
    });
}

void Shell::ShowEvents() {
    const bool loaded = eventsLoaded();
    EventsWindow& window = events();
    if (loaded) window.Refresh();  // a new window finds them as it opens
    window.show();
    Activate(window);
}

void Shell::ShowReturnChart(const ReturnChart& chart, bool precessed) {
    // The summary takes the data window's text as the data summary and help texts do; the listings
    // of a scan stay in the saved and printed buffer.
    Calculation& calc = session.calc;
    ResetDataLines(calc.out);
    WriteReturnSummary(calc.chart, chart, precessed, MomentClock{calc.chart.input.DiurnalZone, calc.DiurnalZoneName},
                       calc.DateOrder, calc.out);
    ShowDataWindow();
    WheelWindow& window = wheel();
    window.ShowReturn(chart);
    window.show();
    Activate(window);
}
TimelineWindow& Shell::timeline() {
    return Loaded(*places_, timeline_, [this] {
        return new TimelineWindow(*this, {dialogs(), session.calc, session.chartComputed, session.settings});
    });
}

void Shell::ShowTimeline() {
    TimelineWindow& window = timeline();
    window.show();
    Activate(window);
}

void Shell::OpenTimeline() { ShowTimeline(); }

void Shell::ShowListingLine(const QString& heading, const QString& line) {
    const bool shown = dataWindowLoaded() && dataWindow_->isVisible();
    if (!shown) ShowDataWindow();
    if (!dataWindow_->SelectListingLine(heading, line)) {
        dialogs().MessageBox(dataWindow_, "The data window does not hold this line (it keeps at most " +
                                              QString::number(MaxBufferLines) +
                                              " lines, and the lines of the points added in the Preferences "
                                              "only with \"New points in the reports\" ticked):\n" + line,
                             "Information", MessageIcon::Information);
    }
    Activate(*dataWindow_);
}

PreferencesWindow& Shell::preferences() {
    return Loaded(*places_, preferences_, [this] {
        return new PreferencesWindow(dialogs(), {session.calc, session.WindowTitle, session.settings});
    });
}

void Shell::unloadNames() { Unload(names_); }
void Shell::unloadCities() { Unload(cities_); }
void Shell::unloadTimeZone() { Unload(timeZone_); }
void Shell::unloadDataWindow() { Unload(dataWindow_); }
void Shell::unloadOptions() { Unload(options_); }
void Shell::unloadWheel() { Unload(wheel_); }
void Shell::unloadExport() { Unload(export_); }
void Shell::unloadTimeline() { Unload(timeline_); }
void Shell::unloadReturns() { Unload(returns_); }
void Shell::unloadEvents() { Unload(events_); }
void Shell::unloadPreferences() { Unload(preferences_); }

InputWindowSlice Shell::InputSlice() { return {dialogs(), session.clock, session.calc}; }

InputWindow& Shell::input(InputSection section) {
    if (section == InputSection::Natal) return inputD();
    return inputD1();
}

bool Shell::InputWindowsLoaded() const { return inputDLoaded() && inputD1Loaded(); }

InputFields Shell::Fields(InputSection section) { return input(section).Fields(); }

void Shell::SetFields(InputSection section, const InputFields& fields) {
    input(section).SetFields(fields);
}

bool Shell::SecondPerson() { return inputD1().SecondPerson(); }

void Shell::SetSecondPersonName(const QString& name) { inputD1().SetSecondPersonCaption(name); }

void Shell::DiurnalFollowsNatal() { inputD1().FollowNatal(); }

void Shell::SetZone(InputSection section, const QString& zone, bool east) {
    InputWindow& window = input(section);
    window.SetZoneText(zone);
    window.SelectEast(east);
}

void Shell::OpenTimeZonePicker(InputSection section) {
    TimeZoneWindow& picker = timeZone();
    picker.SetTarget(section);
    // Below both input windows, however tall their rows have made them.
    const int below = std::max(inputD().frameGeometry().bottom(), inputD1().frameGeometry().bottom()) + 1;
    const int top = std::max(picker.y(), below);
    if (section == InputSection::Natal) {
        // The picker's right edge lines up with the diurnal window's right edge.
        const QWidget& diurnal = inputD1();
        const int frameWidth = diurnal.frameGeometry().width() - diurnal.width();
        picker.move(diurnal.frameGeometry().right() + 1 - (picker.width() + frameWidth), top);
    } else {
        // The picker's left edge lines up with the natal window's left edge.
        picker.move(inputD().frameGeometry().left(), top);
    }
    picker.show();
    Activate(picker);
}

bool Shell::LookUpAtlasPlace(InputFields& fields, QWidget* parent) {
    return FillFromAtlas(session.Atlas(), fields, parent);
}

std::variant<std::vector<AtlasPlaceRow>, std::string> Shell::FindAtlasPlaces(const std::string& query) {
    return SearchAtlasPlaces(session.AtlasDir, query);
}

void Shell::SetSummaryEnabled(bool enabled) { main().SetSummaryEnabled(enabled); }

void Shell::CalculateFromInput() {
    if (timeZoneLoaded()) unloadTimeZone();
    RunCalculation();
}

std::filesystem::path Shell::ChooseListFile(const QString& pattern,
                                            const std::filesystem::path& current) {
    session.SelectedFilePath =
        session.chooseFile
            ? session.chooseFile(pattern, current)
            : ChooseFile(*this, dialogs(), session.calc.ProgramDir, pattern, current);
    return session.SelectedFilePath;
}

void Shell::ClearNamesAndCitiesLists() {
    if (namesLoaded()) names_->ClearList();
    if (citiesLoaded()) cities_->ClearList();
}

void Shell::ReloadNamesList() {
    unloadNames();
    names().show();
}

void Shell::ReloadCitiesList() {
    unloadCities();
    cities().show();
}

void Shell::ShowCitiesInsteadOfNames() { SwapListWindows(true); }

void Shell::ShowNamesInsteadOfCities() { SwapListWindows(false); }

void Shell::SwapListWindows(bool toCities) {
    // Once the asking handler has returned: unloading the asking window from inside its own
    // button's handler would delete the button under it. Both are read afresh.
    QTimer::singleShot(0, &main(), [this, toCities] {
        unloadNames();
        unloadCities();
        QWidget& window = toCities ? static_cast<QWidget&>(cities()) : names();
        window.show();
        window.activateWindow();
    });
}

void Shell::OpenNamesEditor() {
    ShowOnlyEditor<NameEditWindow>(main(), "NameEdit", [this] {
        return new NameEditWindow(main(), *this, dialogs(), session.names, session.calc.ProgramDir);
    });
}

void Shell::OpenCitiesEditor() {
    ShowOnlyEditor<LongLatWindow>(main(), "LongLat", [this] {
        return new LongLatWindow(main(), *this, dialogs(), session.CitiesFilePath,
                                 session.calc.ProgramDir);
    });
}

void Shell::CalculatePickedName() {
    // The list that raised the double click must not be deleted under it.
    QTimer::singleShot(0, &main(), [this] {
        unloadNames();
        Activate(inputD());
        RunCalculation();
    });
}

void Shell::OpenPrintWindow() {
    // A print window still open from before shows an older text: a fresh one takes its place.
    // The print window belongs to the main window, so it outlives the data window.
    delete main().findChild<PrintWindow*>("PrntFile", Qt::FindDirectChildrenOnly);
    auto* window = new PrintWindow(dialogs(), session.calc, &main());
    if (!window->Load()) {
        delete window;
        return;
    }
    window->show();
    Activate(*window);
}

void Shell::FocusMainWindow(bool keyboardFocus) {
    Activate(main());
    if (keyboardFocus) main().setFocus();
}

}  // namespace orrerion::gui
