#pragma once
// The bridge to the atlas program: the "Atlas" label of either input window starts ATLAS.EXE from
// AtlasDir, waits for it while the windows stay responsive, reads the place it left in
// PCATPATH.TXT and TSRTEMP.TXT, asks whether to accept it, and fills the window's zone and place.
#include <QDate>
#include <QStringList>
#include <QTime>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "core/base/input_fields.h"
#include "core/records/atlas_exchange.h"

class QString;
class QWidget;

namespace orrerion::gui {

class Dialogs;

// What the bridge reads and writes of the session, and nothing more: the folder of ATLAS.EXE
// (with a final "/"; emptied and asked for again when the program cannot be started), the data
// folder the atlas writes its result into, and the dialogs that ask and report.
struct AtlasAccess {
    QString& AtlasDir;
    const std::filesystem::path& ProgramDir;
    Dialogs& dialogs;
};

// The state of one exchange with the atlas.
struct AtlasRun {
    int AtlasReady = 1;   // set by the caller before the run; 0 once the run is given up
    int AtlasAnswer = 0;  // the answer to the accept question: 6 Yes, 7 No; 0 when not asked
    AtlasPlace place;     // AtlasDataDir, AtlasLatitude, AtlasLongitude, AtlasZone
};

// The window's date and clock time, handed to the atlas so it can show the offset in force then.
struct AtlasMoment {
    QDate date;  // invalid when the window's date fields do not hold a date
    QTime time;  // 24-hour; invalid when the clock fields do not hold a time
};

// The moment of the natal or diurnal fields: month, day, year, hour 1..12 with A.M./P.M., minute.
AtlasMoment MomentOf(const InputFields& fields);

// "--out DIR --date YYYY-MM-DD --time HH:MM": the folder the atlas writes its result into, then
// each part of the moment only when valid.
QStringList AtlasProgramArguments(const AtlasMoment& moment, const std::filesystem::path& exchangeDir);

// Starts access.AtlasDir + "ATLAS.EXE" with --out naming the program's data folder
// (access.ProgramDir) and waits for it to end, processing window events meanwhile. When it cannot be started (or AtlasDir is empty) AtlasDir is emptied and the path
// prompt asks where it is; an empty answer or Cancel gives the run up (AtlasReady = 0), any other
// answer becomes AtlasDir (with a final "/") and the start is tried again. Then the exchange files
// are read from the data folder (a missing or out-of-range one is reported and gives the run up)
// and the accept question is asked.
void RunAtlas(const AtlasAccess& access, QWidget* parent, const AtlasMoment& moment, AtlasRun& run);

// The places matching `query`, best first: ATLAS.EXE --places QUERY run from `atlasDir` (its
// rows read by the core's reader, as the command line's --place reads them), while the windows
// keep answering. The problem, naming the program, when it cannot be started or fails.
std::variant<std::vector<AtlasPlaceRow>, std::string> SearchAtlasPlaces(const QString& atlasDir,
                                                                       const std::string& query);

// Label2_Click of the natal and diurnal windows: a run of the atlas with the window's moment and,
// when the place is accepted, its zone, longitude and latitude written into `fields` (date, time and
// name untouched). Returns true when the fields were filled.
bool FillFromAtlas(const AtlasAccess& access, InputFields& fields, QWidget* parent);

}  // namespace orrerion::gui
