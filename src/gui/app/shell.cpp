#include "gui/app/shell.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdlib>
#include <ctime>
#include <system_error>

#include "core/io/line_reader.h"
#include "core/records/options_file.h"
#include "core/records/program_folders.h"
#include "core/run/run_calculation.h"
#include "gui/app/locale_order.h"
#include "gui/app/main_window.h"
#include "gui/app/options_window.h"
#include "gui/app/title_window.h"
#include "gui/output/data_window.h"
#include "gui/output/scan_windows.h"
#include "gui/records/cities_window.h"
#include "gui/records/diurnal_window.h"
#include "gui/records/names_window.h"
#include "gui/records/natal_window.h"
#include "gui/records/time_zone_window.h"

namespace orrerion::gui {
namespace {

// Loads a window on first use. Windows that are unloaded delete themselves, which clears the slot.
template <class W>
W& Loaded(QPointer<W>& slot, Shell& shell) {
    if (slot.isNull()) slot = new W(shell);
    return *slot;
}

template <class W>
void Unload(QPointer<W>& slot) {
    if (!slot.isNull()) delete slot.data();
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
    void Beep() override { shell_.dialogs().Beep(); }
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
    Shell& shell_;
    std::unique_ptr<StatusWindow> status_;
    std::unique_ptr<WaitWindow> wait_;
    bool busy_ = false;
};

}  // namespace

Shell::Shell(Session& s) : session(s) {}

Shell::~Shell() {
    Unload(options_);
    Unload(dataWindow_);
    Unload(timeZone_);
    Unload(cities_);
    Unload(names_);
    Unload(inputD1_);
    Unload(inputD_);
}

MainWindow& Shell::main() {
    if (!main_) main_ = std::make_unique<MainWindow>(*this);
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
    session.dataFont = DataFont{};
    session.dataWindowTwips = QRect(885, 675, 10605, 9285);
    session.NamesFilePath = calc.ProgramDir / "NAMES.FIL";
    session.CitiesFilePath = calc.ProgramDir / "GA_MA.LL";
    // ATLAS.EXE beside the program (the build) or in <prefix>/libexec/orrerion (an installed copy).
    session.AtlasDir = QString::fromStdString((AtlasProgramDir(session.exeDir) / "").string());
    const LocaleOrder order = ReadLocaleOrder(session.locale);
    calc.DateOrder = order.DateOrder;
    session.TwentyFourHourClock = order.TwentyFourHourClock;
    session.fontStep = FontStepForScreen(main().ScreenWidthPixels(), main().TwipsPerPixel());
    session.PreviousName.clear();

    main().SetHouseMarkFromOption(calc.options[Option::StartHouseSystem]);
    main().show();
    session.JustSaved = 1;
    inputD().show();
    inputD1().show();
    names().show();
    names().activateWindow();
    dialogs().SetBusyPointer(false);
    return true;
}

void Shell::RunCalculation() {
    Calculation& calc = session.calc;
    calc.natal = inputD().Fields();
    calc.diurnal = inputD1().Fields();
    calc.progression = inputD1().Progression();
    calc.houseMarks = main().HouseMarks();

    DialogReporter reporter(dialogs(), &main());
    ScanWindows windows(*this);
    CalculationRequest request;
    // Once the charts stand, the chart menus appear and the day count is asked.
    request.askDays = [&]() -> std::optional<std::string> {
        dialogs().SetBusyPointer(false);
        session.chartComputed = true;
        session.PreviousName = calc.natal.name;
        main().ShowChartMenus();
        return dialogs().InputBox(&main(), "Enter number of days:", "Number of Days", " 90").toStdString();
    };
    dialogs().SetBusyPointer(true);
    const CalculationOutcome outcome = orrerion::RunCalculation(calc, request, windows, reporter);
    if (!outcome.charted) dialogs().SetBusyPointer(false);
}

void Shell::ShowDataWindow() { dataWindow().ShowData(); }

void Shell::ShowHelpText(const QString& fileName) {
    OutputBuffers& out = session.calc.out;
    const std::filesystem::path path = session.calc.ProgramDir / fileName.toStdString();
    std::string error;
    const std::optional<TextLines> lines = ReadTextLines(path, &error);
    if (!lines) {
        dialogs().MessageBox(&main(),
                             QString("The help file %1 cannot be read: %2")
                                 .arg(QString::fromStdString(path.string()),
                                      QString::fromStdString(error)),
                             "Warning!", MessageIcon::Information);
        return;
    }
    ResetDataLines(out);
    for (const std::string& line : lines->lines) {
        out.LineText = line;
        AddOutputLine(out);
    }
    AddBlankLine(out);
    ShowDataWindow();
}

void Shell::InputMenu() {
    if (session.PreviousName != "Now") session.JustSaved = 0;
    session.PreviousName.clear();
    session.DataSaveFile.clear();
    unloadDataWindow();
    inputD().show();
    inputD1().show();
    unloadNames();
    names().show();
    if (inputD().Fields().name == "Now") inputD().RefreshClockFields();
}

void Shell::SetSummaryEnabled(bool enabled) { main().SetSummaryEnabled(enabled); }

NatalWindow& Shell::inputD() { return Loaded(inputD_, *this); }
DiurnalWindow& Shell::inputD1() { return Loaded(inputD1_, *this); }
NamesWindow& Shell::names() { return Loaded(names_, *this); }
CitiesWindow& Shell::cities() { return Loaded(cities_, *this); }
TimeZoneWindow& Shell::timeZone() { return Loaded(timeZone_, *this); }
DataWindow& Shell::dataWindow() { return Loaded(dataWindow_, *this); }
OptionsWindow& Shell::options() { return Loaded(options_, *this); }

void Shell::unloadNames() { Unload(names_); }
void Shell::unloadCities() { Unload(cities_); }
void Shell::unloadTimeZone() { Unload(timeZone_); }
void Shell::unloadDataWindow() { Unload(dataWindow_); }
void Shell::unloadOptions() { Unload(options_); }

void Shell::ClearNamesAndCitiesLists() {
    if (namesLoaded()) names_->ClearList();
    if (citiesLoaded()) cities_->ClearList();
}

}  // namespace orrerion::gui
