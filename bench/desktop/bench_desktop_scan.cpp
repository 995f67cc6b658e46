// The desktop program's scan against the command line's: the same 32767-day default scan, from
// the answer to "Enter number of days:" to the data window painted with its listing, and the
// command line as a process of its own, in alternating runs. Reported: the desktop time, the
// command line's time and their ratio.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "core/records/name_record.h"
#include "gui/app/main_window.h"
#include "gui/app/session.h"
#include "gui/app/shell.h"
#include "gui/records/diurnal_window.h"
#include "gui/records/natal_window.h"
#include "gui/ui/scripted_dialogs.h"

namespace {

namespace fs = std::filesystem;
using namespace orrerion;
using namespace orrerion::gui;
using Clock = std::chrono::steady_clock;

constexpr const char* Natal = "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43";
constexpr const char* Diurnal = ",07 Dec 2026,12.00,P,5,074.00,40.43";
constexpr const char* Days = "32767";

// A data folder of the shipped files in a temporary folder.
std::unique_ptr<QTemporaryDir> FreshDataFolder() {
    auto dir = std::make_unique<QTemporaryDir>();
    for (const fs::directory_entry& entry : fs::directory_iterator(ORRERION_DATA_DIR)) {
        if (entry.is_regular_file()) {
            fs::copy_file(entry.path(), fs::path(dir->path().toStdString()) / entry.path().filename());
        }
    }
    return dir;
}

// Seconds from the day count's answer to the painted data window, in a started program.
double DesktopScanSeconds() {
    const auto dir = FreshDataFolder();
    ScriptedDialogs dialogs;
    Session session{dialogs};
    session.calc.ProgramDir = dir->path().toStdString();
    session.exeDir = session.calc.ProgramDir;
    Shell shell(session);
    shell.Start();
    QApplication::processEvents();

    InputFields natal = shell.inputD().Fields();
    LoadNameRecord(*NameRecordFromLine(Natal), 0, InputSection::Natal, natal);
    natal.name = "John Smith";
    shell.inputD().SetFields(natal);
    InputFields diurnal = shell.inputD1().Fields();
    LoadNameRecord(*NameRecordFromLine(Diurnal), 0, InputSection::Diurnal, diurnal);
    shell.inputD1().SetFields(diurnal);

    dialogs.inputAnswers = {Days};
    QAction* placidus = shell.main().findChild<QAction*>("mnuHousePlacidus");
    const auto start = Clock::now();
    placidus->trigger();
    QApplication::processEvents();
    const auto end = Clock::now();
    if (!shell.dataWindowLoaded() || dialogs.prompts.size() != 1) {
        throw std::runtime_error("the desktop scan did not run");
    }
    return std::chrono::duration<double>(end - start).count();
}

// Seconds of the command line's scan, run as a process.
double CommandLineScanSeconds() {
    const auto dir = FreshDataFolder();
    const std::string command = std::string("\"") + ORRERION_CLI_PATH + "\" scan --natal \"" + Natal +
                                "\" --diurnal \"" + Diurnal + "\" --days " + Days + " --reports \"" +
                                dir->path().toStdString() + "/reports\" >/dev/null 2>&1";
    const auto start = Clock::now();
    const int status = std::system(command.c_str());
    const auto end = Clock::now();
    if (status != 0) throw std::runtime_error("the command line's scan failed");
    return std::chrono::duration<double>(end - start).count();
}

void BM_DesktopScanOverCommandLine(benchmark::State& state) {
    double desktop = 0.0;
    double commandLine = 0.0;
    for (auto _ : state) {
        commandLine = CommandLineScanSeconds();
        desktop = DesktopScanSeconds();
        state.SetIterationTime(desktop);
    }
    state.counters["cli_s"] = commandLine;
    state.counters["desktop_over_cli"] = desktop / commandLine;
}
BENCHMARK(BM_DesktopScanOverCommandLine)->UseManualTime()->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // Offscreen unless a platform is named (under xvfb-run, QT_QPA_PLATFORM=xcb measures the
    // window system's share too).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
