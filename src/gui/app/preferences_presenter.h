#pragma once
// The rules of the Preferences window that need no pixels: which option each control shows, in
// which group, with which unit and range; the controls' entries for a set of option values and the
// values read back from them (a value out of range refused, naming its control); the settings'
// checks; whether precise positions can be chosen; and Save, which rewrites only the value fields
// of OPTIONS.OPT that changed and the lines of SETTINGS.TXT it owns.
#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/base/options.h"
#include "core/records/settings_file.h"

namespace orrerion::gui {

enum class PreferenceGroup {
    Orbs,       // orbs by aspect
    Searched,   // which aspects and points are searched
    Filters,    // the progressed points and transiting planets left out
    StartUp,    // progressions and houses at start-up
    Printing,   // printing and page sizes
    HomePlace,  // the place NOW fills in
};

enum class PreferenceKind {
    Number,   // typed in a text box (txt...)
    TickBox,  // two choices: unticked, ticked (chk...)
    List,     // one of a few choices (cbo...)
};

// One choice of a tick box or list and the value it writes.
struct PreferenceChoice {
    const char* caption;  // empty for a tick box's two states
    float value;
};

// One control of the window and the option line it shows.
struct PreferenceField {
    const char* control;  // the control's objectName
    const char* label;    // its caption; messages name the control by it
    PreferenceGroup group;
    Option option;
    PreferenceKind kind;
    // A number: its unit, its range and how many decimals it may have.
    const char* unit = "";
    double min = 0, max = 0;
    int decimals = 0;
    // A tick box or list: the choices, and the one shown for a value that none of them holds
    // (the program reads such a value as that choice).
    std::span<const PreferenceChoice> choices = {};
    int otherChoice = 0;
};

// Every control, group by group in the window's order.
extern const std::array<PreferenceField, 30> PreferenceFields;

// The caption of a group's frame; messages start with it.
std::string PreferenceGroupTitle(PreferenceGroup group);

// The range a number control takes, as its unit label shows it: "degrees (0 to 15)".
std::string UnitAndRange(const PreferenceField& field);

// What the controls show, in the order of PreferenceFields: a number's text, a tick box's or list's
// choice (for a tick box 1 is ticked).
struct PreferenceEntry {
    std::string text;
    int choice = 0;
    bool operator==(const PreferenceEntry&) const = default;
};
using PreferenceEntries = std::array<PreferenceEntry, PreferenceFields.size()>;

PreferenceEntries EntriesForOptions(const Options& values);

// A control whose entry cannot be taken.
struct PreferenceProblem {
    std::string control;  // objectName
    std::string message;  // names the control by its caption
};

// The option values the entries stand for, starting from `shown` (the values the entries were
// made from, kept for the lines no control shows): an entry as it was shown keeps its value exactly,
// even one a choice stands for only as "other". Problems, in the order of the controls, for a number
// that is not one, out of its range or with too many decimals, and for a longitude or latitude
// beyond 180 or 90 degrees.
struct PreferencesRead {
    Options values;
    std::vector<PreferenceProblem> problems;
};
PreferencesRead OptionsFromEntries(const PreferenceEntries& entries, const Options& shown);

// The settings' controls that would write a value the settings file refuses: no wheel ring or no
// timeline family ticked.
std::vector<PreferenceProblem> CheckSettings(const Settings& settings);

// The events' orb (the settings' event_orb) as its box shows it: "3", "2.5".
std::string EventOrbEntry(double orb);
// The orb the box's text stands for: a text left as shown keeps `shown` exactly; a number from 0
// to 15 with at most two decimals is taken; anything else keeps `shown` and is a problem naming
// the box (txtEventOrb).
struct EventOrbRead {
    double orb = DefaultEventOrb;
    std::optional<PreferenceProblem> problem;
};
EventOrbRead EventOrbFromEntry(const std::string& text, double shown);

// Where a person chooses precise positions in the desktop program, for the note on the built-in
// series' years.
inline constexpr const char* PreciseChoiceText = "Options, Preferences: Precise";

// Whether the precise choice can be taken here, and if not the reason to show beside it.
struct PreciseChoiceState {
    bool enabled = false;
    std::string reason;
};
PreciseChoiceState PreciseChoice();

// The Points frame: a tick box for each point that can be chosen (a row of the points' table with
// a command-line code; a south node comes with its north node), named and captioned from its row.
struct PointBox {
    ExtraPoint point;
    std::string control;  // "chkPointMeanNode"
    std::string caption;  // "Mean node"
    std::string tip;      // what ticking it does
};
std::vector<PointBox> PointBoxes();

// The points that can be chosen but that `source` cannot compute, grouped by the reason: the
// built-in series lacks the true node, Chiron and the asteroids; precise positions lack those whose
// data file the library cannot read.
struct UnavailablePoints {
    std::vector<ExtraPoint> points;  // in the table's order
    std::string why;                 // "only with precise positions (the Swiss Ephemeris)"
};
std::vector<UnavailablePoints> PointsUnavailable(EphemerisSource source);

// The points a desktop calculation adds: those of `chosen` that `source` can compute, with the
// Fortune rule; the others are left out rather than refusing the chart, and `note` (empty when none
// is left out) names them for the status line.
struct PointsForRun {
    PointChoice points;
    std::string note;
};
PointsForRun PointsForCalculation(const PointChoice& chosen, EphemerisSource source);

// What the window starts from: OPTIONS.OPT and SETTINGS.TXT of `programDir`.
struct PreferencesLoad {
    std::optional<Options> options;     // nothing when OPTIONS.OPT cannot be read
    SettingsFile settings;
    std::vector<std::string> problems;  // to show, each in a "Warning!" box
};
PreferencesLoad LoadPreferences(const std::filesystem::path& programDir);

// Restore Defaults: the values of OPTIONS.MST; nothing (with the reason) when it cannot be read.
struct MasterOptions {
    std::optional<Options> options;
    std::string problem;
};
MasterOptions LoadMasterOptions(const std::filesystem::path& programDir);

// Save: the values written into OPTIONS.OPT (only the value fields that changed), then the
// settings into SETTINGS.TXT (read afresh, so that its other lines stay; written only when a
// setting changed), then the options in force read again from OPTIONS.OPT and the settings in force
// replaced. A failed write of OPTIONS.OPT writes nothing and changes nothing in force; a failed
// write of SETTINGS.TXT leaves the settings in force as they were.
struct PreferencesSaved {
    bool ok = false;                    // both files hold what was asked
    std::vector<std::string> messages;  // a failed write, or problems reading the files again
};
PreferencesSaved SavePreferences(const std::filesystem::path& programDir, const Options& values,
                                 const Settings& settings, Options& optionsInForce,
                                 SettingsFile& settingsInForce);

}  // namespace orrerion::gui
