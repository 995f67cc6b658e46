#pragma once
// The hub of the desktop program: owns the windows, loads each on first use and unloads it so the
// next use starts afresh, and runs the program-wide routines the windows share (the calculation,
// the data window, help texts, the Input menu). Every window gets the Shell and reaches the
// Session and the other windows through it.
#include <QPointer>
#include <QString>
#include <memory>

#include "gui/app/session.h"

namespace orrerion::gui {

class MainWindow;
class NatalWindow;
class DiurnalWindow;
class NamesWindow;
class CitiesWindow;
class TimeZoneWindow;
class DataWindow;
class OptionsWindow;
class StatusWindow;
class WaitWindow;

class Shell {
public:
    explicit Shell(Session& session);
    ~Shell();
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    Session& session;
    Dialogs& dialogs() { return session.dialogs; }

    // Start-up after the data folder is known: options, reports folder, locale, tables, the main
    // window and the input windows. Returns false when the program must end.
    bool Start();
    MainWindow& main();

    // The one road from input to output: both buffers emptied, the chart driver, then the aspect
    // scan with its day count question, progress window and data window.
    void RunCalculation();
    // Puts DataLines into the data window and shows it.
    void ShowDataWindow();
    // Shows a help file of the data folder in the data window; a missing file is reported.
    void ShowHelpText(const QString& fileName);
    // The main window's Input command: the input windows shown, the Names list re-read, a chart
    // of the present moment brought up to the clock.
    void InputMenu();
    // The Summary command is disabled while the diurnal window holds a second person.
    void SetSummaryEnabled(bool enabled);

    // Windows, loaded on first use.
    NatalWindow& inputD();
    DiurnalWindow& inputD1();
    NamesWindow& names();
    CitiesWindow& cities();
    TimeZoneWindow& timeZone();
    DataWindow& dataWindow();
    OptionsWindow& options();

    bool inputDLoaded() const { return !inputD_.isNull(); }
    bool inputD1Loaded() const { return !inputD1_.isNull(); }
    bool namesLoaded() const { return !names_.isNull(); }
    bool citiesLoaded() const { return !cities_.isNull(); }
    bool timeZoneLoaded() const { return !timeZone_.isNull(); }
    bool dataWindowLoaded() const { return !dataWindow_.isNull(); }
    bool optionsLoaded() const { return !options_.isNull(); }

    void unloadNames();
    void unloadCities();
    void unloadTimeZone();
    void unloadDataWindow();
    void unloadOptions();

    // The names and cities lists are emptied when another file is chosen.
    void ClearNamesAndCitiesLists();

private:
    std::unique_ptr<MainWindow> main_;
    QPointer<NatalWindow> inputD_;
    QPointer<DiurnalWindow> inputD1_;
    QPointer<NamesWindow> names_;
    QPointer<CitiesWindow> cities_;
    QPointer<TimeZoneWindow> timeZone_;
    QPointer<DataWindow> dataWindow_;
    QPointer<OptionsWindow> options_;
};

}  // namespace orrerion::gui
