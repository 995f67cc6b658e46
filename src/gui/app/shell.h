#pragma once
// The hub of the desktop program: owns the windows, loads each on first use (handing it the
// requests below and the slice of the session it reads) and unloads it so the next use starts
// afresh, and runs the program-wide routines (the calculation, the data window, help texts, the
// Input menu). The windows ask each other for things only through WindowRequests, which the shell
// carries out.
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>

#include "core/io/line_reader.h"
#include "gui/app/session.h"
#include "gui/ui/window_requests.h"

namespace orrerion::gui {

class MainWindow;
class NatalWindow;
class DiurnalWindow;
class InputWindow;
class NamesWindow;
class CitiesWindow;
class TimeZoneWindow;
class DataWindow;
class OptionsWindow;
class WheelWindow;
class ExportWindow;
class TimelineWindow;
class ReturnsWindow;
class EventsWindow;
class PreferencesWindow;
struct InputWindowSlice;

class WindowPlaces;
class HelpWindow;

// The title of the question asked before dates that are probably not what was meant are calculated.
inline constexpr const char* DateDoubtTitle = "Check the dates";

class Shell final : public WindowRequests {
public:
    explicit Shell(Session& session);
    ~Shell();
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    Session& session;
    Dialogs& dialogs() { return session.dialogs; }

    // Start-up after the data folder is known: options, settings, reports folder, locale, tables,
    // the main window and the input windows. Returns false when the program must end.
    bool Start();
    MainWindow& main();

    // The one road from input to output: the chart driver, then the aspect scan with its day
    // count question, progress window and data window. Positions come from the ephemeris of the
    // settings; a note on them goes to the main window's status line. The session holds one
    // current calculation that every window shows: refused input leaves it (and every window) as
    // it was; new charts replace it as soon as they stand, without a scan until one completes.
    void RunCalculation();
    // Puts DataLines into the data window and shows it.
    void ShowDataWindow();
    // The Wheel window, brought forward; after every calculation a loaded one is drawn again.
    void ShowWheel();
    // The Export window (Data > Export...), brought forward.
    void ShowExport();
    // The Timeline window, brought forward; after every scan a loaded one is laid out again.
    void ShowTimeline();
    // The Returns window (Data > Returns), brought forward with the returns listed anew.
    void ShowReturns();
    // The Events window (Data > Events), brought forward with the events found anew.
    void ShowEvents();
    // The main window's Input command: the input windows shown, the Names list re-read, a chart
    // of the present moment brought up to the clock.
    void InputMenu();

    // Windows, loaded on first use. Loading the natal window brings up the Names window and, to
    // its right, the diurnal window; loading the diurnal window brings up the Names window.
    NatalWindow& inputD();
    DiurnalWindow& inputD1();
    NamesWindow& names();
    CitiesWindow& cities();
    TimeZoneWindow& timeZone();
    DataWindow& dataWindow();
    OptionsWindow& options();
    WheelWindow& wheel();
    ExportWindow& exportWindow();
    TimelineWindow& timeline();
    ReturnsWindow& returns();
    EventsWindow& events();
    PreferencesWindow& preferences();

    bool inputDLoaded() const { return !inputD_.isNull(); }
    bool inputD1Loaded() const { return !inputD1_.isNull(); }
    bool namesLoaded() const { return !names_.isNull(); }
    bool citiesLoaded() const { return !cities_.isNull(); }
    bool timeZoneLoaded() const { return !timeZone_.isNull(); }
    bool dataWindowLoaded() const { return !dataWindow_.isNull(); }
    bool optionsLoaded() const { return !options_.isNull(); }
    bool wheelLoaded() const { return !wheel_.isNull(); }
    bool exportLoaded() const { return !export_.isNull(); }
    bool timelineLoaded() const { return !timeline_.isNull(); }
    bool returnsLoaded() const { return !returns_.isNull(); }
    bool eventsLoaded() const { return !events_.isNull(); }
    bool preferencesLoaded() const { return !preferences_.isNull(); }

    void unloadNames();
    void unloadCities();
    void unloadTimeZone();
    void unloadDataWindow();
    void unloadOptions();
    void unloadWheel();
    void unloadExport();
    void unloadTimeline();
    void unloadReturns();
    void unloadEvents();
    void unloadPreferences();

    // WindowRequests.
    bool InputWindowsLoaded() const override;
    InputFields Fields(InputSection section) override;
    void SetFields(InputSection section, const InputFields& fields) override;
    bool SecondPerson() override;
    void SetSecondPersonName(const QString& name) override;
    void DiurnalFollowsNatal() override;
    void SetZone(InputSection section, const QString& zone, bool east) override;
    void OpenTimeZonePicker(InputSection section) override;
    bool LookUpAtlasPlace(InputFields& fields, QWidget* parent) override;
    std::variant<std::vector<AtlasPlaceRow>, std::string> FindAtlasPlaces(const std::string& query) override;
    void SetSummaryEnabled(bool enabled) override;
    void CalculateFromInput() override;
    std::filesystem::path ChooseListFile(const QString& pattern,
                                         const std::filesystem::path& current) override;
    void ClearNamesAndCitiesLists() override;
    void ReloadNamesList() override;
    void ReloadCitiesList() override;
    void ShowCitiesInsteadOfNames() override;
    void ShowNamesInsteadOfCities() override;
    void OpenNamesEditor() override;
    void OpenCitiesEditor() override;
    void CalculatePickedName() override;
    void ShowHelpText(const QString& fileName) override;
    void ShowHelpWindow(const QString& fileName) override;
    bool helpLoaded() const { return !help_.isNull(); }
    HelpWindow& help();
    void OpenPrintWindow() override;
    void FocusMainWindow(bool keyboardFocus) override;
    void OpenTimeline() override;
    void ShowListingLine(const QString& heading, const QString& line) override;
    void ShowReturnChart(const ReturnChart& chart, bool precessed) override;

private:
    // Every loaded window that shows the current calculation brought up to it: the wheel (back to
    // the calculation's rings), the timeline, the export window, the returns, the events and the
    // data window's text.
    void CalculationChanged();
    // A help file of the data folder, or nothing after saying why it cannot be read.
    std::optional<TextLines> ReadHelpFile(const QString& fileName);
    // The birth of a chart just calculated goes into the settings file (last_birth), and at start
    // into the natal window, so that the last birth entered is offered again.
    void KeepLastBirth();
    void OfferLastBirth();
    InputWindow& input(InputSection section);
    // The Cities window in place of the Names window (`toCities`), or the other way round.
    void SwapListWindows(bool toCities);
    // What every input window reads.
    InputWindowSlice InputSlice();

    std::unique_ptr<WindowPlaces> places_;
    std::unique_ptr<MainWindow> main_;
    QPointer<NatalWindow> inputD_;
    QPointer<DiurnalWindow> inputD1_;
    QPointer<NamesWindow> names_;
    QPointer<CitiesWindow> cities_;
    QPointer<TimeZoneWindow> timeZone_;
    QPointer<DataWindow> dataWindow_;
    QPointer<OptionsWindow> options_;
    QPointer<WheelWindow> wheel_;
    QPointer<ExportWindow> export_;
    QPointer<TimelineWindow> timeline_;
    QPointer<ReturnsWindow> returns_;
    QPointer<EventsWindow> events_;
    QPointer<PreferencesWindow> preferences_;
    QPointer<HelpWindow> help_;
};

}  // namespace orrerion::gui
