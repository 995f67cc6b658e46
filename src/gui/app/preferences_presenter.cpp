#include "gui/app/preferences_presenter.h"
#include "gui/pictures/wheel_presenter.h"

#include <algorithm>
#include <cmath>

#include "core/chart/houses.h"
#include "core/ephemeris/precise_ephemeris.h"
#include "core/io/number_text.h"
#include "core/records/options_file.h"

namespace orrerion::gui {
namespace {

// Tick boxes: unticked, then ticked.
constexpr auto OnOff = std::to_array<PreferenceChoice>({{"", 0}, {"", 1}});
// Lines that say "0 = searched" or "1 = left out": ticked means searched.
constexpr auto ZeroSearched = std::to_array<PreferenceChoice>({{"", 1}, {"", 0}});

// Option 11: which progressed points take part.
constexpr auto ProgressedPoints = std::to_array<PreferenceChoice>({
    {"All twelve points", 0},
    {"All but ASC and MC", 1},
    {"Sun to Saturn and Moon", 2},
    {"Sun, Moon, Mercury, Venus, Mars", 3},
    {"All but Uranus, Neptune, Pluto", 4},
    {"Sun, Moon, Mercury, Venus, Mars, ASC and MC", 5},
});
static_assert(ProgressedPoints.size() == 6);

// Option 26: where the progressed ASC and MC come from.
constexpr auto ProgressedAngles = std::to_array<PreferenceChoice>({
    {"Solar arc of the progressed Sun", 0},
    {"Progressed sidereal time", 1},
});
static_assert(ProgressedAngles.size() == 2);

// Option 27: the Houses menu's mark at start-up, the computed systems in the menu's order. The
// names are the table's string literals, so their data() ends in a null.
constexpr auto HouseSystemChoices = [] {
    std::array<PreferenceChoice, HouseMenuOrder.size()> choices{};
    for (std::size_t i = 0; i < HouseMenuOrder.size(); ++i) {
        choices[i] = {HouseMenuOrder[i].name.data(), HouseMenuOrder[i].optionValue};
    }
    return choices;
}();

using G = PreferenceGroup;
using K = PreferenceKind;

PreferenceField Orb(const char* control, const char* label, Option option) {
    return {control, label, G::Orbs, option, K::Number, "degrees", 0, 15, 2};
}
PreferenceField Tick(const char* control, const char* label, G group, Option option,
                     std::span<const PreferenceChoice> choices = OnOff, int otherChoice = 1) {
    return {control, label, group, option, K::TickBox, "", 0, 0, 0, choices, otherChoice};
}
PreferenceField List(const char* control, const char* label, G group, Option option,
                     std::span<const PreferenceChoice> choices, int otherChoice) {
    return {control, label, group, option, K::List, "", 0, 0, 0, choices, otherChoice};
}
PreferenceField Number(const char* control, const char* label, G group, Option option,
                       const char* unit, double min, double max, int decimals = 0) {
    return {control, label, group, option, K::Number, unit, min, max, decimals};
}

std::string_view GroupTitle(PreferenceGroup group) {
    switch (group) {
        case G::Orbs: return "Orbs by aspect";
        case G::Searched: return "Aspects and points searched";
        case G::Filters: return "Filters";
        case G::StartUp: return "Progressions and houses at start-up";
        case G::Printing: return "Printing and page sizes";
        case G::HomePlace: return "Home place used by NOW";
    }
    return "";
}

int ChoiceFor(const PreferenceField& field, float value) {
    for (std::size_t i = 0; i < field.choices.size(); ++i) {
        if (field.choices[i].value == value) return static_cast<int>(i);
    }
    return field.otherChoice;
}

std::string RangeText(double value) { return OptionValueText(static_cast<float>(value)); }

bool HasAtMostDecimals(double value, int decimals) {
    const double scaled = value * std::pow(10.0, decimals);
    return std::abs(scaled - std::round(scaled)) < 1e-6;
}

const PreferenceField& FieldOf(Option option) {
    for (const PreferenceField& field : PreferenceFields) {
        if (field.option == option) return field;
    }
    return PreferenceFields.front();
}

}  // namespace

// A value none of a tick box's or list's choices holds is read by the program as `otherChoice`: a
// non-zero switch is on, option 9 leaves the minor aspects out unless 0, option 10 leaves ASC and
// MC out only at exactly 1, option 11 takes all twelve points outside 1..5, option 26 takes the
// sidereal time unless 0, option 27 is Placidus outside 2, 3, 5 and 8.
const std::array<PreferenceField, 30> PreferenceFields = {
    Orb("txtConjunctionOrb", "Conjunction", Option::ConjunctionOrb),
    Orb("txtSemisextileOrb", "Semisextile", Option::SemisextileOrb),
    Orb("txtSemisquareOrb", "Semisquare", Option::SemisquareOrb),
    Orb("txtSextileOrb", "Sextile", Option::SextileOrb),
    Orb("txtSquareOrb", "Square", Option::SquareOrb),
    Orb("txtTrineOrb", "Trine", Option::TrineOrb),
    Orb("txtSesquisquareOrb", "Sesquisquare", Option::SesquisquareOrb),
    Orb("txtQuincunxOrb", "Quincunx", Option::QuincunxOrb),
    Orb("txtOppositionOrb", "Opposition", Option::OppositionOrb),

    Tick("chkMinorAspects", "Minor aspects (semisextile, semisquare,\nsesquisquare, quincunx)",
         G::Searched, Option::MinorAspectsLeftOut, ZeroSearched, 0),
    Tick("chkNatalAngles", "Natal ASC and MC as targets", G::Searched, Option::NatalAnglesLeftOut,
         ZeroSearched, 1),

    List("cboProgressedPoints", "Progressed points", G::Filters, Option::ProgressedPointSet,
         ProgressedPoints, 0),
    Tick("chkTransitSun", "Transiting Sun", G::Filters, Option::TransitSunUsed),
    Tick("chkTransitMercury", "Transiting Mercury", G::Filters, Option::TransitMercuryUsed),
    Tick("chkTransitVenus", "Transiting Venus", G::Filters, Option::TransitVenusUsed),
    Tick("chkTransitMars", "Transiting Mars", G::Filters, Option::TransitMarsUsed),

    List("cboProgressedAngles", "Progressed ASC and MC", G::StartUp,
         Option::ProgressedAnglesFromSiderealTime, ProgressedAngles, 1),
    List("cboHouseSystem", "Houses at start-up", G::StartUp, Option::StartHouseSystem, HouseSystemChoices, 0),
    Tick("chkTitleWindow", "Title window at start-up", G::StartUp, Option::ShowTitleWindow),

    Number("txtPrintLinesPerPage", "Lines per printed page", G::Printing, Option::PrintLinesPerPage,
           "lines", 1, 999),
    Number("txtPrintLineWidth", "Longest line in 12-point type", G::Printing, Option::PrintLineWidth,
           "characters", 1, 999),
    Number("txtSavedPageLength", "Page length of a saved file", G::Printing, Option::SavedPageLength,
           "lines", 1, 999),
    Tick("chkSummaryLeftOut", "Summary left out of saved and printed data", G::Printing,
         Option::SavedBufferSummaryOnly),

    Number("txtHomeZone", "Time zone", G::HomePlace, Option::HomeZone, "hours west", -14, 12, 2),
    Number("txtHomeLongitudeDegrees", "Longitude", G::HomePlace, Option::HomeLongitudeDegrees,
           "degrees", 0, 180),
    Number("txtHomeLongitudeMinutes", "Longitude minutes", G::HomePlace,
           Option::HomeLongitudeMinutes, "minutes", 0, 59),
    Tick("chkHomeEast", "East", G::HomePlace, Option::HomeLongitudeEast),
    Number("txtHomeLatitudeDegrees", "Latitude", G::HomePlace, Option::HomeLatitudeDegrees,
           "degrees", 0, 90),
    Number("txtHomeLatitudeMinutes", "Latitude minutes", G::HomePlace, Option::HomeLatitudeMinutes,
           "minutes", 0, 59),
    Tick("chkHomeSouth", "South", G::HomePlace, Option::HomeLatitudeSouth),
};

std::string PreferenceGroupTitle(PreferenceGroup group) { return std::string(GroupTitle(group)); }

std::string UnitAndRange(const PreferenceField& field) {
    return std::string(field.unit) + " (" + RangeText(field.min) + " to " + RangeText(field.max) + ")";
}

PreferenceEntries EntriesForOptions(const Options& values) {
    PreferenceEntries entries;
    for (std::size_t i = 0; i < PreferenceFields.size(); ++i) {
        const PreferenceField& field = PreferenceFields[i];
        const float value = values[field.option];
        if (field.kind == K::Number) {
            entries[i].text = OptionValueText(value);
        } else {
            entries[i].choice = ChoiceFor(field, value);
        }
    }
    return entries;
}

PreferencesRead OptionsFromEntries(const PreferenceEntries& entries, const Options& shown) {
    PreferencesRead read{shown, {}};
    const PreferenceEntries asShown = EntriesForOptions(shown);
    for (std::size_t i = 0; i < PreferenceFields.size(); ++i) {
        const PreferenceField& field = PreferenceFields[i];
        const PreferenceEntry& entry = entries[i];
        if (field.kind != K::Number) {
            if (entry.choice == asShown[i].choice) continue;  // keeps a value read as "other"
            const std::size_t choice = static_cast<std::size_t>(entry.choice);
            if (choice < field.choices.size()) read.values[field.option] = field.choices[choice].value;
            continue;
        }
        const std::optional<double> number = ParseNumber(entry.text);
        if (!number || *number < field.min || *number > field.max ||
            !HasAtMostDecimals(*number, field.decimals)) {
            std::string message = std::string(GroupTitle(field.group)) + ": " + field.label + " takes " +
                                  (field.decimals == 0 ? "a whole number" : "a number") + " from " +
                                  RangeText(field.min) + " to " + RangeText(field.max) + " " + field.unit;
            if (field.decimals > 0) {
                message += " with at most " + std::to_string(field.decimals) + " decimals";
            }
            read.problems.push_back({field.control, message + ", not \"" + entry.text + "\"."});
            continue;
        }
        // A number left as shown keeps the file's value exactly.
        if (entry.text != asShown[i].text) read.values[field.option] = static_cast<float>(*number);
    }
    // Minutes beyond the last whole degree.
    const struct {
        Option degrees, minutes;
        float limit;
    } ends[] = {{Option::HomeLongitudeDegrees, Option::HomeLongitudeMinutes, 180},
                {Option::HomeLatitudeDegrees, Option::HomeLatitudeMinutes, 90}};
    for (const auto& end : ends) {
        if (read.values[end.degrees] == end.limit && read.values[end.minutes] != 0) {
            const PreferenceField& minutes = FieldOf(end.minutes);
            read.problems.push_back({minutes.control, std::string(GroupTitle(minutes.group)) + ": " +
                                                          minutes.label + " must be 0 at " +
                                                          RangeText(end.limit) + " degrees."});
        }
    }
    return read;
}

std::vector<PreferenceProblem> CheckSettings(const Settings& settings) {
    std::vector<PreferenceProblem> problems;
    if (settings.wheelRings == WheelRingSet{}) {
        problems.push_back({RingBoxName("chkRing", WheelRings.front().ring), "Wheel: tick at least one ring."});
    }
    if (settings.timelineFamilies == FamilySet{}) {
        problems.push_back({"chkFamilyTN", "Timeline: tick at least one aspect family."});
    }
    return problems;
}

std::string EventOrbEntry(double orb) { return std::string(GeneralChars(orb, 6).view()); }

EventOrbRead EventOrbFromEntry(const std::string& text, double shown) {
    if (text == EventOrbEntry(shown)) return {shown, std::nullopt};
    const std::optional<double> number = ParseNumber(text);
    if (number && *number >= MinEventOrb && *number <= MaxEventOrb && HasAtMostDecimals(*number, 2)) {
        return {*number, std::nullopt};
    }
    return {shown, PreferenceProblem{"txtEventOrb", "Events: Lunation and eclipse orb takes a number from " +
                                                        RangeText(MinEventOrb) + " to " + RangeText(MaxEventOrb) +
                                                        " degrees with at most 2 decimals, not \"" + text + "\"."}};
}

PreciseChoiceState PreciseChoice() {
    const PreciseAvailability precise = CheckPreciseEphemeris();
    return {precise.available, precise.available ? std::string() : precise.reason};
}

std::vector<PointBox> PointBoxes() {
    std::vector<PointBox> boxes;
    for (const ExtraPointRow& row : ExtraPoints) {
        if (row.code.empty()) continue;
        PointBox box{row.point, "chkPoint", "", ""};
        bool wordStart = true;
        for (const char c : row.name) {
            if (c == '_') {
                wordStart = true;
                box.caption += ' ';
                continue;
            }
            const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
            box.control += wordStart ? upper : c;
            box.caption += box.caption.empty() ? upper : c;
            wordStart = false;
        }
        box.tip = "Adds " + box.caption + " to the charts: a table of points in the data window and the "
                  "point on the wheel";
        for (const ExtraPointRow& other : ExtraPoints) {
            if (other.point != row.point && other.choseWith == row.point) {
                std::string name(other.name);
                std::replace(name.begin(), name.end(), '_', ' ');
                box.tip += ", with the " + name;
            }
        }
        boxes.push_back(std::move(box));
    }
    return boxes;
}

std::vector<UnavailablePoints> PointsUnavailable(EphemerisSource source) {
    std::vector<UnavailablePoints> groups;
    for (const ExtraPointRow& row : ExtraPoints) {
        if (row.code.empty()) continue;
        const std::optional<std::string> reason = ExtraPointUnavailable(source, row.point);
        if (!reason) continue;
        // "<name>: <why>": the name is the tick box's.
        std::string why = *reason;
        if (const std::string prefix = std::string(row.name) + ": "; why.starts_with(prefix)) {
            why.erase(0, prefix.size());
        }
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const UnavailablePoints& g) { return g.why == why; });
        if (group == groups.end()) group = groups.insert(groups.end(), UnavailablePoints{{}, why});
        group->points.push_back(row.point);
    }
    return groups;
}

PointsForRun PointsForCalculation(const PointChoice& chosen, EphemerisSource source) {
    PointsForRun run{chosen, {}};
    if (!chosen.Any()) return run;
    const std::vector<PointBox> boxes = PointBoxes();
    for (const UnavailablePoints& group : PointsUnavailable(source)) {
        std::string names;
        for (const ExtraPoint point : group.points) {
            if (!chosen.Has(point)) continue;
            for (const ExtraPointRow& row : ExtraPoints) {
                if (row.point == point || row.choseWith == point) {
                    run.points.chosen[static_cast<std::size_t>(row.point)] = false;
                }
            }
            const auto box = std::find_if(boxes.begin(), boxes.end(), [&](const PointBox& b) { return b.point == point; });
            names += (names.empty() ? "" : ", ") + box->caption;
        }
        if (names.empty()) continue;
        run.note += (run.note.empty() ? "Points left out: " : "; ") + names + " \u2014 " + group.why;
    }
    return run;
}

PreferencesLoad LoadPreferences(const std::filesystem::path& programDir) {
    PreferencesLoad load;
    Options options;
    bool readable = true;
    for (const OptionsProblem& problem : LoadOptions(programDir / OptionsFileName, options)) {
        readable = readable && !problem.fileUnreadable;
        load.problems.push_back(problem.message);
    }
    if (readable) load.options = options;
    SettingsLoad settings = LoadSettings(programDir / SettingsFileName);
    load.settings = std::move(settings.file);
    for (std::string& problem : settings.problems) load.problems.push_back(std::move(problem));
    return load;
}

MasterOptions LoadMasterOptions(const std::filesystem::path& programDir) {
    Options options;
    for (const OptionsProblem& problem : LoadOptions(programDir / MasterOptionsFileName, options)) {
        if (problem.fileUnreadable) return {std::nullopt, problem.message};
    }
    return {options, {}};
}

PreferencesSaved SavePreferences(const std::filesystem::path& programDir, const Options& values,
                                 const Settings& settings, Options& optionsInForce,
                                 SettingsFile& settingsInForce) {
    PreferencesSaved saved;
    const std::filesystem::path optionsPath = programDir / OptionsFileName;
    const OptionsSave options = SaveOptionValues(optionsPath, values);
    if (!options.result.ok) {
        saved.messages.push_back(options.result.message);
        return saved;
    }
    // The options file holds the new values whatever becomes of the settings.
    for (const OptionsProblem& problem : LoadOptions(optionsPath, optionsInForce)) {
        saved.messages.push_back(problem.message);
    }

    const std::filesystem::path settingsPath = programDir / SettingsFileName;
    SettingsFile file = LoadSettings(settingsPath).file;
    if (file.settings != settings) {
        // Read again, changed and written under the file's lock.
        const WriteResult written = UpdateSettings(settingsPath, settings, file);
        if (!written.ok) {
            saved.messages.push_back(written.message);
            return saved;
        }
    }
    settingsInForce = std::move(file);
    saved.ok = true;
    return saved;
}

}  // namespace orrerion::gui
