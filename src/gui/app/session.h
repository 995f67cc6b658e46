#pragma once
// The program-wide state of one run of the desktop program: the calculation (fields, options,
// charts, output buffers), the clock, the state each window keeps between its openings and the
// paths of the current data files. Created once in main() (or by a test); the shell hands each
// window the parts it reads. Nothing here is global.
#include <QString>
#include <filesystem>
#include <functional>
#include <string>

#include "core/records/settings_file.h"
#include "core/run/calculation.h"
#include "gui/ui/local_clock.h"
#include "gui/output/data_presenter.h"
#include "gui/output/events_presenter.h"
#include "gui/output/export_presenter.h"
#include "gui/output/returns_presenter.h"
#include "gui/records/atlas_bridge.h"
#include "gui/records/list_presenter.h"
#include "gui/ui/dialogs.h"

namespace orrerion::gui {

struct Session {
    explicit Session(Dialogs& dialogs) : dialogs(dialogs) {}

    Dialogs& dialogs;
    // The one current calculation every window shows: the fields, options, ProgramDir and
    // DateOrder of its charts, the charts, the buffers and the charts' scan (if one completed).
    // The shell's RunCalculation is its only writer of charts and scan.
    Calculation calc;
    // SETTINGS.TXT as read at start-up and saved by Preferences (its only writer): the ephemeris
    // every calculation uses, and what the wheel and the timeline draw.
    SettingsFile settings;

    std::filesystem::path exeDir;  // the folder of the running program
    LocalClock clock;

    std::string WindowTitle;       // "(Tropical zodiac) - Orrerion "
    std::string PreviousName;      // the name of the last calculated chart
    bool chartComputed = false;    // calc's charts stand; the Input and Data menus are shown

    DataWindowState data;          // the data window's font, place and save file
    bool wheelOuterAspects = false;  // the wheel window's "Aspects to natal"
    ExportWindowState exportChoice;  // the Export window's format and families
    ReturnsChoice returnsChoice;     // the Returns window's body, span and precession
    EventsChoice eventsChoice;       // the Events window's span, filters and export format

    // Stored data.
    NamesListState names;          // the Names list's file, lock and saved mark
    std::filesystem::path CitiesFilePath;
    std::filesystem::path SelectedFilePath;  // the last choice of a list file; empty on Cancel
    // Chooses a names or cities file (pattern "*.FIL" or "*.LL", `current` preselected) and
    // returns its path, empty on Cancel. Tests set it; when empty the Select a File window is
    // used.
    std::function<std::filesystem::path(const QString& pattern,
                                        const std::filesystem::path& current)>
        chooseFile;
    QString AtlasDir;             // ends with a separator

    // The part of the session the atlas bridge reads and writes.
    AtlasAccess Atlas() { return {AtlasDir, calc.ProgramDir, dialogs}; }
};

}  // namespace orrerion::gui
