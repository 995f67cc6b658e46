#pragma once
// The program-wide state of one run of the desktop program: the calculation (fields, options,
// charts, output buffers), the paths of the current data files and the flags the windows share.
// Created once in main() (or by a test) and passed to every window; nothing here is global.
#include <QDateTime>
#include <QLocale>
#include <QRect>
#include <QString>
#include <filesystem>
#include <functional>
#include <string>

#include "core/run/calculation.h"
#include "gui/ui/dialogs.h"

namespace orrerion::gui {

// The data window's font, kept between openings of the window.
struct DataFont {
    QString name = "COURIER NEW";
    double size = 8.5;  // points
    bool bold = false;
    bool italic = false;
};

struct Session {
    explicit Session(Dialogs& dialogs) : dialogs(dialogs) {}

    Dialogs& dialogs;
    Calculation calc;  // natal/diurnal fields, options, ProgramDir, DateOrder, charts, buffers

    std::filesystem::path exeDir;  // the folder of the running program
    int TwentyFourHourClock = 0;   // 1 when the system shows a 24-hour clock
    QLocale locale;                // formats clock times and numbers typed into fields
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

    std::string WindowTitle;       // "(Tropical zodiac) - Orrerion "
    std::string PreviousName;      // the name of the last calculated chart
    bool chartComputed = false;    // the Input and Data menus are shown

    // Data window (sizes in twips, as the layout values are kept: 15 twips per pixel).
    DataFont dataFont;
    double fontStep = 1.2;
    QRect dataWindowTwips{885, 675, 10605, 9285};  // left, top, width, height
    QString DataSaveFile;

    // Stored data.
    std::filesystem::path NamesFilePath;
    std::filesystem::path CitiesFilePath;
    std::filesystem::path SelectedFilePath;
    int JustSaved = 0;
    int LockList = 0;
    int LockedIndex = 0;
    int LoadingNames = 0;
    // Chooses a names or cities file (pattern "*.FIL" or "*.LL", `current` preselected) and
    // returns its path, empty on Cancel. Tests set it; when empty the Select a File window is
    // used (records/choose_file.h).
    std::function<std::filesystem::path(const QString& pattern,
                                        const std::filesystem::path& current)>
        chooseFile;
    bool TimeZoneTarget = false;  // false: the natal window opened the picker
    QString AtlasDir;             // ends with a separator

    // The print window's choice of font size.
    int LongLineFound = 0;
};

// Twips to pixels at the program's fixed 15 twips per pixel.
inline constexpr int TwipsPerPixel = 15;
inline int Pixels(int twips) { return twips / TwipsPerPixel; }

}  // namespace orrerion::gui
