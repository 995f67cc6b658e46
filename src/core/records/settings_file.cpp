#include "core/records/settings_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string_view>
#include <system_error>

#include "core/io/line_reader.h"
#include "core/records/name_record.h"
#include "core/io/number_text.h"

namespace orrerion {
namespace {

std::string_view Trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// A list of words separated by commas or blanks, at least one, each known to `indexOf` (which
// gets the word in lower case and gives its place in the set).
template <std::size_t N, class IndexOf>
std::optional<std::array<bool, N>> ReadSet(std::string_view value, IndexOf indexOf) {
    std::array<bool, N> set{};
    bool any = false;
    std::size_t at = 0;
    while (at < value.size()) {
        const std::size_t start = value.find_first_not_of(", \t", at);
        if (start == std::string_view::npos) break;
        std::size_t end = value.find_first_of(", \t", start);
        if (end == std::string_view::npos) end = value.size();
        const std::optional<std::size_t> index = indexOf(Lower(value.substr(start, end - start)));
        if (!index) return std::nullopt;
        set[*index] = true;
        any = true;
        at = end;
    }
    if (!any) return std::nullopt;
    return set;
}

// The timeline's families by their short codes.
std::optional<FamilySet> ReadFamilies(std::string_view value) {
    return ReadSet<FamilyCount>(value, [](const std::string& word) -> std::optional<std::size_t> {
        const std::optional<AspectFamily> family = FamilyFromCode(word);
        if (!family) return std::nullopt;
        return FamilyIndex(*family);
    });
}

std::string WriteFamilies(const FamilySet& set) {
    std::string out;
    for (const FamilyInfo& info : ScanFamilies) {
        if (!set[FamilyIndex(info.family)]) continue;
        if (!out.empty()) out += ", ";
        out += info.code;
    }
    return out;
}

// The wheel's rings by their settings words.
std::optional<WheelRingSet> ReadRings(std::string_view value) {
    return ReadSet<WheelRingCount>(value, [](const std::string& word) -> std::optional<std::size_t> {
        const std::optional<WheelRing> ring = RingFromKey(word);
        if (!ring) return std::nullopt;
        return RingIndex(*ring);
    });
}

std::string WriteRings(const WheelRingSet& set) {
    std::string out;
    for (const WheelRingInfo& info : WheelRings) {
        if (!set[RingIndex(info.ring)]) continue;
        if (!out.empty()) out += ", ";
        out += info.key;
    }
    return out;
}

// One word of a setting that takes one of a few words, and the value it stands for.
template <class E>
struct Choice {
    std::string_view word;
    E value;
};

constexpr auto EphemerisWords = std::to_array<Choice<EphemerisSource>>({
    {"builtin", EphemerisSource::Builtin},
    {"precise", EphemerisSource::Precise},
});
static_assert(EphemerisWords.size() == 2);

constexpr auto OrientationWords = std::to_array<Choice<WheelOrientation>>({
    {"ascendant_left", WheelOrientation::AscendantLeft},
    {"aries_left", WheelOrientation::AriesLeft},
});
static_assert(OrientationWords.size() == 2);

constexpr auto YesNoWords = std::to_array<Choice<bool>>({
    {"no", false},
    {"yes", true},
});
static_assert(YesNoWords.size() == 2);

template <class E, std::size_t N>
std::optional<E> ReadChoice(std::string_view value, const std::array<Choice<E>, N>& choices) {
    const std::string word = Lower(value);
    for (const Choice<E>& c : choices) {
        if (word == c.word) return c.value;
    }
    return std::nullopt;
}

template <class E, std::size_t N>
std::string WriteChoice(E value, const std::array<Choice<E>, N>& choices) {
    for (const Choice<E>& c : choices) {
        if (c.value == value) return std::string(c.word);
    }
    return std::string(choices.front().word);
}

// A number of degrees within [min, max], written as printf's %g writes it ("3", "2.5").
std::optional<double> ReadDegrees(std::string_view value, double min, double max) {
    const std::optional<double> number = ParseNumber(value);
    if (!number || *number < min || *number > max) return std::nullopt;
    return number;
}

std::string WriteDegrees(double value) { return std::string(GeneralChars(value, 6).view()); }

// The codes of the points that can be chosen, in the table's order: "mean-node, true-node, ...".
std::string PointCodeList() {
    std::string out;
    for (const ExtraPointRow& row : ExtraPoints) {
        if (row.code.empty()) continue;  // chosen with its north node
        if (!out.empty()) out += ", ";
        out += row.code;
    }
    return out;
}

constexpr std::string_view NoPoints = "none";
constexpr std::string_view AllPoints = "all";

// "none", "all", or point codes separated by commas or blanks (a node brings its south node).
std::optional<std::array<bool, ExtraPointCount>> ReadPoints(std::string_view value) {
    PointChoice choice;
    const std::string whole = Lower(Trim(value));
    if (whole == NoPoints) return choice.chosen;
    if (whole == AllPoints) {
        for (const ExtraPointRow& row : ExtraPoints) ChoosePoint(choice, row.point);
        return choice.chosen;
    }
    bool any = false;
    std::size_t at = 0;
    while (at < whole.size()) {
        const std::size_t start = whole.find_first_not_of(", \t", at);
        if (start == std::string::npos) break;
        std::size_t end = whole.find_first_of(", \t", start);
        if (end == std::string::npos) end = whole.size();
        const std::optional<ExtraPoint> point = ExtraPointOfCode(std::string_view(whole).substr(start, end - start));
        if (!point) return std::nullopt;
        ChoosePoint(choice, *point);
        any = true;
        at = end;
    }
    if (!any) return std::nullopt;
    return choice.chosen;
}

std::string WritePoints(const PointChoice& choice) {
    std::string out;
    for (const ExtraPointRow& row : ExtraPoints) {
        if (row.code.empty() || !choice.Has(row.point)) continue;
        if (!out.empty()) out += ", ";
        out += row.code;
    }
    return out.empty() ? std::string(NoPoints) : out;
}

// What the points key takes and the comment above it, spelt from the points' table.
const std::string PointsExpected = "none or one or more of " + PointCodeList();
const std::string PointsComment =
    "# Extra points of the desktop program's charts: none, or any of\n# " + PointCodeList() +
    "\n# (a node brings its south node; true-node, chiron and the asteroids need precise positions)";

// Stores a value that could be read; false when there was none.
template <class T>
bool Assign(const std::optional<T>& value, T& to) {
    if (value) to = *value;
    return value.has_value();
}

// A setting: its key, how it reads and writes its value, and the comment put above it.
struct Key {
    std::string_view name;
    std::string expected;  // what the value may be, for the problem message
    std::string comment;
    bool (*read)(std::string_view value, Settings& s);  // false leaves `s` as it was
    std::string (*write)(const Settings& s);
    void (*reset)(Settings& s);                         // back to the default
};

static_assert(MinEventOrb == 0 && MaxEventOrb == 15, "event_orb's texts name its range");

// "natal, progressed, solar_arc, transits"
const std::string RingKeys = RingWords(&WheelRingInfo::key, ", ", ", ");

// "tn, sn, pn, pp, tp", or with each family's label: "tn (transit to natal), sn (solar arc to natal), ..."
std::string FamilyCodes(bool withLabels) {
    std::string codes;
    for (const FamilyInfo& info : ScanFamilies) {
        if (!codes.empty()) codes += ", ";
        codes += info.code;
        if (withLabels) codes += " (" + Lower(info.label) + ")";
    }
    return codes;
}

// A comment of one or more lines, each "# " and words up to CommentWidth characters.
constexpr std::size_t CommentWidth = 95;
std::string Comment(std::string_view text) {
    std::string out, line = "#";
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(' ', at);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view word = text.substr(at, end - at);
        if (line.size() > 1 && line.size() + 1 + word.size() > CommentWidth) {
            out += line + "\n";
            line = "#";
        }
        line += " ";
        line += word;
        at = end + 1;
    }
    return out + line;
}

const auto Keys = std::to_array<Key>({
    {"ephemeris", "builtin or precise",
     "# Positions: builtin (the program's own series) or precise (the Swiss Ephemeris)",
     [](std::string_view v, Settings& s) { return Assign(ReadChoice(v, EphemerisWords), s.ephemeris); },
     [](const Settings& s) { return WriteChoice(s.ephemeris, EphemerisWords); },
     [](Settings& s) { s.ephemeris = Settings{}.ephemeris; }},
    {"wheel_rings", "one or more of " + RingKeys, "# The wheel's rings: one or more of " + RingKeys,
     [](std::string_view v, Settings& s) { return Assign(ReadRings(v), s.wheelRings); },
     [](const Settings& s) { return WriteRings(s.wheelRings); },
     [](Settings& s) { s.wheelRings = Settings{}.wheelRings; }},
    {"wheel_orientation", "ascendant_left or aries_left",
     "# What the wheel has on its left: ascendant_left, or aries_left (0 degrees Aries)",
     [](std::string_view v, Settings& s) { return Assign(ReadChoice(v, OrientationWords), s.wheelOrientation); },
     [](const Settings& s) { return WriteChoice(s.wheelOrientation, OrientationWords); },
     [](Settings& s) { s.wheelOrientation = Settings{}.wheelOrientation; }},
    {"timeline_families", "one or more of " + FamilyCodes(false),
     Comment("The timeline's aspect families: one or more of " + FamilyCodes(true)),
     [](std::string_view v, Settings& s) { return Assign(ReadFamilies(v), s.timelineFamilies); },
     [](const Settings& s) { return WriteFamilies(s.timelineFamilies); },
     [](Settings& s) { s.timelineFamilies = Settings{}.timelineFamilies; }},
    {"event_orb", "degrees from 0 to 15",
     "# Lunations and eclipses name the natal points within this orb, degrees (0 to 15)",
     [](std::string_view v, Settings& s) { return Assign(ReadDegrees(v, MinEventOrb, MaxEventOrb), s.eventOrb); },
     [](const Settings& s) { return WriteDegrees(s.eventOrb); },
     [](Settings& s) { s.eventOrb = Settings{}.eventOrb; }},
    {"points", PointsExpected, PointsComment,
     [](std::string_view v, Settings& s) { return Assign(ReadPoints(v), s.points.chosen); },
     [](const Settings& s) { return WritePoints(s.points); },
     [](Settings& s) { s.points.chosen = Settings{}.points.chosen; }},
    {"fortune_day_formula", "no or yes",
     "# The Lot of Fortune: yes takes the day formula (ascendant + Moon - Sun) always; no takes\n"
     "# ascendant + Sun - Moon when the Sun is below the horizon",
     [](std::string_view v, Settings& s) { return Assign(ReadChoice(v, YesNoWords), s.points.fortuneDayFormulaAlways); },
     [](const Settings& s) { return WriteChoice(s.points.fortuneDayFormulaAlways, YesNoWords); },
     [](Settings& s) { s.points.fortuneDayFormulaAlways = Settings{}.points.fortuneDayFormulaAlways; }},
    {"points_in_reports", "no or yes",
     "# The chosen points in the scan's reports: yes, or no to keep the reports' format for other\n"
     "# programs that read them",
     [](std::string_view v, Settings& s) { return Assign(ReadChoice(v, YesNoWords), s.pointsInReports); },
     [](const Settings& s) { return WriteChoice(s.pointsInReports, YesNoWords); },
     [](Settings& s) { s.pointsInReports = Settings{}.pointsInReports; }},
});
static_assert(Keys.size() == 8);

constexpr std::string_view FileHeader =
    "# Orrerion settings: one \"key = value\" a line; lines starting with # are comments.\n"
    "# The options of OPTIONS.OPT stay in that file.\n";

constexpr std::string_view LastBirthKey = "last_birth";
constexpr std::string_view LastBirthComment =
    "# The birth of the last chart calculated, as a names file holds it; offered at start";

// A line's key and value, or nothing for a blank line or a comment. `malformed` is set for a line
// that is neither those nor "key = value".
struct KeyLine {
    std::string key;  // lower case
    std::string_view value;
    std::string_view comment;  // "# ..." after the value, kept on rewriting
};
std::optional<KeyLine> SplitKeyLine(std::string_view line, bool& malformed) {
    malformed = false;
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == '#' || text.front() == ';') return std::nullopt;
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos || Trim(text.substr(0, equals)).empty()) {
        malformed = true;
        return std::nullopt;
    }
    std::string key = Lower(Trim(text.substr(0, equals)));
    std::string_view value = text.substr(equals + 1);
    std::string_view comment;
    // A name may hold a #: the birth's record runs to the end of the line.
    if (const std::size_t hash = value.find('#'); hash != std::string_view::npos && key != LastBirthKey) {
        comment = value.substr(hash);
        value = value.substr(0, hash);
    }
    return KeyLine{std::move(key), Trim(value), comment};
}

constexpr std::string_view WindowPrefix = "window_";
constexpr std::string_view WindowComment =
    "# Where each window stood when last closed: left, top, width, height (screen pixels)";

// "120, 40, 760, 860" of a window's place; nothing unless four whole numbers with a positive
// width and height.
std::optional<WindowPlace> ReadPlace(std::string_view window, std::string_view value) {
    WindowPlace place{std::string(window)};
    int* fields[] = {&place.x, &place.y, &place.width, &place.height};
    std::size_t at = 0;
    for (int* field : fields) {
        while (at < value.size() && (value[at] == ' ' || value[at] == ',' || value[at] == '\t')) ++at;
        const char* begin = value.data() + at;
        const auto [end, error] = std::from_chars(begin, value.data() + value.size(), *field);
        if (error != std::errc() || end == begin) return std::nullopt;
        at = static_cast<std::size_t>(end - value.data());
    }
    while (at < value.size() && value[at] == ' ') ++at;
    if (at != value.size() || place.width <= 0 || place.height <= 0 || window.empty()) return std::nullopt;
    return place;
}

std::string WritePlace(const WindowPlace& p) {
    return std::to_string(p.x) + ", " + std::to_string(p.y) + ", " + std::to_string(p.width) + ", " +
           std::to_string(p.height);
}

const Key* FindKey(std::string_view name) {
    for (const Key& k : Keys) {
        if (k.name == name) return &k;
    }
    return nullptr;
}

}  // namespace

SettingsLoad LoadSettings(const std::filesystem::path& path) {
    SettingsLoad load;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec) return load;  // never written: every default
    std::string reason = "it is a folder";
    const std::optional<TextLines> text =
        std::filesystem::is_directory(path, ec) ? std::nullopt : ReadTextLines(path, &reason);
    if (!text) {
        load.problems.push_back("Cannot read the settings file " + path.string() + ": " + reason +
                                "; the default settings are used");
        return load;
    }
    load.file.lines = text->lines;
    if (!load.file.lines.empty() && load.file.lines.front().starts_with("\xEF\xBB\xBF")) {
        load.file.lines.front().erase(0, 3);  // a byte-order mark some editors put first
    }
    Settings& settings = load.file.settings;
    for (std::size_t i = 0; i < load.file.lines.size(); ++i) {
        const std::string where = path.string() + " line " + std::to_string(i + 1) + ": ";
        bool malformed = false;
        const std::optional<KeyLine> line = SplitKeyLine(load.file.lines[i], malformed);
        if (malformed) {
            load.problems.push_back(where + "not \"key = value\"; the line is kept but not read");
        }
        if (!line) continue;
        if (line->key.starts_with(WindowPrefix)) {
            const std::string window = line->key.substr(WindowPrefix.size());
            if (const std::optional<WindowPlace> place = ReadPlace(window, line->value)) {
                settings.SetPlace(*place);
            } else {
                load.problems.push_back(where + line->key + " takes left, top, width and height, not \"" +
                                        std::string(line->value) + "\"; the window opens where it fits");
            }
            continue;
        }
        if (line->key == LastBirthKey) {
            if (NameRecordFromLine(line->value)) {
                settings.lastBirth = std::string(line->value);
            } else {
                load.problems.push_back(where + std::string(LastBirthKey) +
                                        " takes a names file's record (name, date, time, A or P, zone, "
                                        "longitude, latitude), not \"" + std::string(line->value) +
                                        "\"; no birth is offered at start");
            }
            continue;
        }
        const Key* key = FindKey(line->key);
        if (!key) continue;  // another version's setting: kept, not read
        if (!key->read(line->value, settings)) {
            key->reset(settings);
            load.problems.push_back(where + std::string(key->name) + " takes " +
                                    std::string(key->expected) + ", not \"" + std::string(line->value) +
                                    "\"; the default " + key->write(settings) + " is used");
        }
    }
    return load;
}

std::string SettingsText(const SettingsFile& file) {
    std::string text;
    std::array<bool, Keys.size()> written{};
    std::vector<std::string> placesWritten;
    bool birthWritten = false;
    const std::string& birth = file.settings.lastBirth;
    for (const std::string& line : file.lines) {
        bool malformed = false;
        const std::optional<KeyLine> keyLine = SplitKeyLine(line, malformed);
        const Key* key = keyLine ? FindKey(keyLine->key) : nullptr;
        if (keyLine && keyLine->key == LastBirthKey && !birth.empty()) {
            // The birth in force, once, where the file had it; a line read before it wins nothing.
            if (!birthWritten) text += std::string(LastBirthKey) + " = " + birth + "\n";
            birthWritten = true;
        } else if (keyLine && keyLine->key.starts_with(WindowPrefix)) {
            const std::string window = keyLine->key.substr(WindowPrefix.size());
            const WindowPlace* place = file.settings.PlaceOf(window);
            if (place) {
                text += std::string(WindowPrefix) + window + " = " + WritePlace(*place) + "\n";
                placesWritten.push_back(window);
            } else {
                text += line + "\n";
            }
        } else if (key) {
            text += std::string(key->name) + " = " + key->write(file.settings);
            if (!keyLine->comment.empty()) text += "  " + std::string(keyLine->comment);
            text += "\n";
            written[static_cast<std::size_t>(key - Keys.data())] = true;
        } else {
            text += line + "\n";
        }
    }
    if (file.lines.empty()) text += FileHeader;
    for (std::size_t k = 0; k < Keys.size(); ++k) {
        if (written[k]) continue;
        text += "\n" + std::string(Keys[k].comment) + "\n" + std::string(Keys[k].name) + " = " +
                Keys[k].write(file.settings) + "\n";
    }
    bool commented = !placesWritten.empty();
    for (const WindowPlace& place : file.settings.windowPlaces) {
        if (std::find(placesWritten.begin(), placesWritten.end(), place.window) != placesWritten.end()) continue;
        if (!commented) text += "\n" + std::string(WindowComment) + "\n";
        commented = true;
        text += std::string(WindowPrefix) + place.window + " = " + WritePlace(place) + "\n";
    }
    if (!birth.empty() && !birthWritten) {
        text += "\n" + std::string(LastBirthComment) + "\n" + std::string(LastBirthKey) + " = " + birth + "\n";
    }
    return text;
}

const WindowPlace* Settings::PlaceOf(std::string_view window) const {
    for (const WindowPlace& p : windowPlaces) {
        if (p.window == window) return &p;
    }
    return nullptr;
}

void Settings::SetPlace(const WindowPlace& place) {
    for (WindowPlace& p : windowPlaces) {
        if (p.window == place.window) {
            p = place;
            return;
        }
    }
    windowPlaces.push_back(place);
}

WriteResult SaveSettings(const std::filesystem::path& path, const SettingsFile& file) {
    const DataFileLock lock(path);
    if (!lock.ok()) return {false, lock.message()};
    return ReplaceFile(path, SettingsText(file));
}

WriteResult UpdateSettings(const std::filesystem::path& path, const Settings& settings,
                           SettingsFile& inForce) {
    const DataFileLock lock(path);  // from the read to the rename
    if (!lock.ok()) return {false, lock.message()};
    SettingsFile file = LoadSettings(path).file;
    file.settings = settings;
    if (WriteResult written = ReplaceFile(path, SettingsText(file)); !written.ok) return written;
    inForce = std::move(file);
    return {};
}

}  // namespace orrerion
