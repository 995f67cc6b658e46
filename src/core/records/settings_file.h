#pragma once
// The settings file SETTINGS.TXT in the data folder: the choices that have no line in the 40-line
// OPTIONS.OPT (which keeps its format), written so that a person can read and edit it:
//
//   # comment
//   ephemeris = builtin                     builtin | precise
//   wheel_rings = natal, transits           any of natal, progressed, solar_arc, transits
//   wheel_orientation = ascendant_left      ascendant_left | aries_left
//   timeline_families = tn, sn, pn, pp, tp  any of tn, sn, pn, pp, tp
//   event_orb = 3                           degrees, 0 to 15
//   points = mean-node, lilith              none, or any of the extra points' command-line codes
//   fortune_day_formula = no                no | yes
//   points_in_reports = no                  no | yes
//   window_wheel = 120, 40, 760, 860        a window's left, top, width, height
//   last_birth = John Smith,13 Jan 1950,8.30,A,5,074.00,40.43   as a names file holds it
//
// One "key = value" a line; keys and words in any case; list items separated by commas or blanks;
// lines starting with # or ; are comments, and so is a # and what follows it after a value. A missing file means every default. A line the program
// does not know (another version's key, a comment) is kept as it is when the file is rewritten.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/aspect_families.h"
#include "core/base/event_orb.h"
#include "core/base/wheel_rings.h"
#include "core/ephemeris/ephemeris.h"
#include "core/ephemeris/extra_points.h"
#include "core/io/file_replace.h"

namespace orrerion {

inline constexpr const char* SettingsFileName = "SETTINGS.TXT";

enum class WheelOrientation {
    AscendantLeft,  // the ascendant at nine o'clock
    AriesLeft,      // 0 degrees Aries at nine o'clock
};


// Where a window stood when it was last closed: "window_wheel = 120, 40, 760, 860" (left, top,
// width and height in screen pixels).
struct WindowPlace {
    std::string window;  // the window's name: "wheel", "timeline"
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const WindowPlace&) const = default;
};

struct Settings {
    EphemerisSource ephemeris = EphemerisSource::Builtin;
    WheelRingSet wheelRings = DefaultWheelRings;  // the charts the wheel draws as rings
    WheelOrientation wheelOrientation = WheelOrientation::AscendantLeft;
    FamilySet timelineFamilies = AllFamilies;  // the aspect families the timeline shows
    // The orb of the natal points a lunation or an eclipse falls on, degrees (the Events window and
    // the command line's events without --orb).
    double eventOrb = DefaultEventOrb;
    // The extra points the desktop program's charts add (none by default) and the rule of the Lot
    // of Fortune.
    PointChoice points;
    // Whether the scan's reports list the chosen points; off, the reports keep their format for the
    // programs that read them.
    bool pointsInReports = false;
    std::vector<WindowPlace> windowPlaces;  // in the order first met
    // The birth of the last chart calculated, as a names file's record line; offered in the natal
    // window at start. Empty: none (the line is then not written).
    std::string lastBirth;
    bool operator==(const Settings&) const = default;

    const WindowPlace* PlaceOf(std::string_view window) const;
    void SetPlace(const WindowPlace& place);
};

// The settings with the file's lines as read, so that rewriting it keeps every line it does not set.
struct SettingsFile {
    Settings settings;
    std::vector<std::string> lines;  // without line ends; empty for a file that did not exist
};

struct SettingsLoad {
    SettingsFile file;
    // "<path> line N: ..." for each value that could not be read (its default is used instead), a
    // line that is not "key = value", or a file that exists but cannot be read (all defaults).
    std::vector<std::string> problems;
};

SettingsLoad LoadSettings(const std::filesystem::path& path);

// The file's text for `file.settings`: each line of a known key gets the value in its standard
// spelling, every other line stays as it was, and keys the file lacks are added at its end with a
// comment naming their values.
std::string SettingsText(const SettingsFile& file);

// Replaces the file at `path` with SettingsText(file) through ReplaceFile, under the file's lock.
WriteResult SaveSettings(const std::filesystem::path& path, const SettingsFile& file);

// Reads the file at `path`, sets `settings` in it and writes it back, all under the file's lock, so
// that lines another copy of the program wrote meanwhile are kept. On success `inForce` becomes
// the file as written.
WriteResult UpdateSettings(const std::filesystem::path& path, const Settings& settings,
                           SettingsFile& inForce);

}  // namespace orrerion
