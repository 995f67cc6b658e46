#include "moment_options.h"

#include <cmath>
#include <string_view>
#include <utility>
#include <variant>

#include "atlas_program.h"
#include "core/io/number_text.h"
#include "core/records/atlas_exchange.h"
#include "core/records/names_file.h"

namespace orrerion::cli {
namespace {

// The text options of one window, by their names for the natal and the diurnal moment.
struct TextOption {
    const char* natal;
    const char* diurnal;
    std::optional<std::string> MomentText::*member;
};
constexpr TextOption TextOptions[] = {
    {"--natal-name", "--diurnal-name", &MomentText::recordName},
    {"--birth", "--at", &MomentText::when},
    {"--tz", "--at-tz", &MomentText::zone},
    {"--lat", "--at-lat", &MomentText::latitude},
    {"--lon", "--at-lon", &MomentText::longitude},
    {"--place", "--at-place", &MomentText::place},
};

struct WindowNames {
    const char* label;        // "natal"
    const char* recordOption; // "--natal"
    const char* nameOption;   // "--natal-name"
    const char* when;         // "--birth"
    const char* zone;         // "--tz"
    const char* latitude;     // "--lat"
    const char* longitude;    // "--lon"
    const char* place;        // "--place"
    const char* placeIndex;   // "--place-index"
};
constexpr WindowNames NatalNames{"natal", "--natal", "--natal-name", "--birth", "--tz",
                                 "--lat", "--lon", "--place", "--place-index"};
constexpr WindowNames DiurnalNames{"diurnal", "--diurnal", "--diurnal-name", "--at", "--at-tz",
                                   "--at-lat", "--at-lon", "--at-place", "--at-place-index"};

// What one window's moment came to: its record line, and for the diurnal defaults its place and
// zone when they were given.
struct Resolved {
    std::string recordLine;
    std::optional<std::pair<int, int>> place;  // minutes of arc north, east
    std::optional<ZoneChoice> zone;
};

std::variant<AtlasPlaceRow, std::string> LookUpPlace(const std::string& query, std::optional<int> index) {
    const AtlasProgramRun run = RunAtlasProgram({"--places", query}, true);
    if (!run.ran) return run.problem;
    if (run.status != 0) return "the atlas program could not look up \"" + query + "\"";
    std::variant<std::vector<AtlasPlaceRow>, std::string> rows = ParseAtlasPlaceRows(run.out);
    if (auto* problem = std::get_if<std::string>(&rows)) return *problem;
    return ChooseAtlasPlace(query, std::get<std::vector<AtlasPlaceRow>>(rows), index);
}

std::variant<NameRecord, std::string> StoredRecord(const std::string& name, const MomentOptions& options,
                                                   const std::filesystem::path& programDir) {
    const std::filesystem::path path = options.namesFile ? *options.namesFile : programDir / DefaultNamesFileName;
    const NameTable table = FillNamesList(path);
    if (table.problem && table.problem->cannotOpen) return "cannot read the names file " + table.problem->detail;
    std::variant<NameRecord, std::string> found = FindRecordByName(table.records, name);
    if (auto* problem = std::get_if<std::string>(&found)) {
        *problem += " in " + path.string();
        if (table.problem) *problem += " (" + table.problem->detail + ")";
    }
    return found;
}

// The moment of one window given by date, zone and place; `natal` supplies a diurnal moment's
// missing place and zone.
std::optional<std::string> BuildRecord(const MomentText& text, const WindowNames& names, const std::string& personName,
                                       Fold fold, const Resolved* natal, Resolved& resolved,
                                       std::vector<std::string>& shown) {
    const std::string label = names.label;
    MomentInput input;
    input.name = personName;
    input.fold = fold;
    if (text.now) {
        input.clock = UniversalTimeNow();
        input.clockIsUniversal = true;
    } else {
        const std::optional<ClockReading> clock = ParseIsoLocalTime(*text.when);
        if (!clock) {
            return std::string(names.when) + ": \"" + *text.when +
                   "\" is not a local date and 24-hour time written YYYY-MM-DDTHH:MM (seconds optional)";
        }
        input.clock = *clock;
    }

    std::optional<ZoneChoice> zone;
    if (text.place) {
        std::variant<AtlasPlaceRow, std::string> found = LookUpPlace(*text.place, text.placeIndex);
        if (auto* problem = std::get_if<std::string>(&found)) return std::string(names.place) + ": " + *problem;
        const AtlasPlaceRow& row = std::get<AtlasPlaceRow>(found);
        shown.push_back(label + " place: " + AtlasPlaceRowSummary(row));
        resolved.place = std::pair{static_cast<int>(std::lround(row.latitude * 60)),
                                   static_cast<int>(std::lround(row.longitude * 60))};
        zone = ZoneChoice{ZoneKind::Named, row.zoneId, 0};
    } else if (text.latitude) {
        const std::optional<int> latitude = ParseLatitudeText(*text.latitude);
        if (!latitude) {
            return std::string(names.latitude) + ": \"" + *text.latitude +
                   "\" is not a latitude such as 40N43, 33S52 or signed degrees (40.7167, -31.55)";
        }
        const std::optional<int> longitude = ParseLongitudeText(*text.longitude);
        if (!longitude) {
            return std::string(names.longitude) + ": \"" + *text.longitude +
                   "\" is not a longitude such as 74W00, 2E21 or signed degrees east (-74.0, 2.35)";
        }
        resolved.place = std::pair{*latitude, *longitude};
    } else if (natal && natal->place) {
        resolved.place = natal->place;
    } else {
        return label + " place: give " + names.place + " NAME or " + names.latitude + " and " + names.longitude;
    }
    if (text.zone) {
        std::variant<ZoneChoice, std::string> parsed = ParseZoneText(*text.zone);
        if (auto* problem = std::get_if<std::string>(&parsed)) return std::string(names.zone) + ": " + *problem;
        zone = std::get<ZoneChoice>(parsed);
    }
    if (!zone && natal) zone = natal->zone;
    if (!zone) return label + " zone: give " + names.zone + " ZONE or " + names.place + " NAME";
    resolved.zone = zone;
    input.zone = *zone;
    input.latitudeArcmin = resolved.place->first;
    input.longitudeArcmin = resolved.place->second;

    std::variant<MomentRecord, std::string> made = MakeMomentRecord(input);
    if (auto* problem = std::get_if<std::string>(&made)) return label + " moment: " + *problem;
    const MomentRecord& record = std::get<MomentRecord>(made);
    shown.push_back(label + " zone: " + record.zoneText);
    for (const std::string& note : record.notes) {
        shown.push_back(label + ": " + note + (note.find("happened twice") != std::string::npos
                                                   ? (fold == Fold::Earlier ? " (--fold later for it)" : " (--fold earlier for it)")
                                                   : ""));
    }
    resolved.recordLine = NameRecordLine(record.record);
    shown.push_back(label + " record: " + resolved.recordLine);
    return std::nullopt;
}

std::optional<std::string> ResolveOne(const std::string& recordLine, const MomentText& text, const WindowNames& names,
                                      const MomentOptions& options, const std::filesystem::path& programDir,
                                      const Resolved* natal, Resolved& resolved, std::vector<std::string>& shown) {
    if (text.recordName) {
        std::variant<NameRecord, std::string> found = StoredRecord(*text.recordName, options, programDir);
        if (auto* problem = std::get_if<std::string>(&found)) return std::string(names.nameOption) + ": " + *problem;
        const NameRecord& record = std::get<NameRecord>(found);
        resolved.recordLine = NameRecordLine(record);
        shown.push_back(std::string(names.label) + " record: " + resolved.recordLine);
    } else if (text.Given()) {
        const std::string personName = natal ? std::string() : options.personName;
        return BuildRecord(text, names, personName, options.fold, natal, resolved, shown);
    } else {
        resolved.recordLine = recordLine;
    }
    // A record's place is the default of the diurnal place.
    if (const std::optional<NameRecord> record = NameRecordFromLine(resolved.recordLine); record && !resolved.place) {
        const std::optional<double> latitude = ParseNumber(record->Latitude);
        const std::optional<double> longitude = ParseNumber(record->Longitude);
        if (latitude && longitude) {
            resolved.place = std::pair{ArcminutesFromRecordValue(*latitude), -ArcminutesFromRecordValue(*longitude)};
        }
    }
    return std::nullopt;
}

}  // namespace

bool MomentText::Given() const {
    return recordName || when || now || zone || latitude || longitude || place || placeIndex;
}

bool ReadMomentOption(const std::string& name, const std::function<std::optional<std::string>()>& value,
                      MomentOptions& options, std::optional<std::string>& error) {
    auto needsValue = [&]() { error = "option " + name + " needs a value"; };
    for (const TextOption& option : TextOptions) {
        const bool natal = name == option.natal;
        if (!natal && name != option.diurnal) continue;
        const std::optional<std::string> v = value();
        if (!v) needsValue();
        else (natal ? options.natal : options.diurnal).*option.member = *v;
        return true;
    }
    if (name == "--place-index" || name == "--at-place-index") {
        const std::optional<std::string> v = value();
        if (!v) {
            needsValue();
            return true;
        }
        const std::optional<double> number = ParseNumber(*v);
        if (!number || *number < 1 || *number > 1000 || *number != std::floor(*number)) {
            error = name + " takes the number of a place in the list, not \"" + *v + "\"";
            return true;
        }
        (name == "--place-index" ? options.natal : options.diurnal).placeIndex = static_cast<int>(*number);
        return true;
    }
    if (name == "--now") {
        options.diurnal.now = true;
        return true;
    }
    if (name == "--name" || name == "--names" || name == "--fold") {
        const std::optional<std::string> v = value();
        if (!v) {
            needsValue();
        } else if (name == "--name") {
            options.personName = *v;
        } else if (name == "--names") {
            options.namesFile = *v;
        } else if (*v == "earlier" || *v == "later") {
            options.fold = *v == "earlier" ? Fold::Earlier : Fold::Later;
        } else {
            error = "--fold takes earlier or later, not \"" + *v + "\"";
        }
        return true;
    }
    return false;
}

std::optional<std::string> CheckMomentOptions(const MomentOptions& options, bool natalRecordGiven,
                                              bool diurnalRecordGiven) {
    for (const auto& [text, names, recordGiven] : {std::tuple{&options.natal, &NatalNames, natalRecordGiven},
                                                   std::tuple{&options.diurnal, &DiurnalNames, diurnalRecordGiven}}) {
        const bool structured = text->when || text->now || text->zone || text->latitude || text->longitude ||
                                text->place || text->placeIndex;
        const std::string when = text == &options.diurnal ? "--at or --now" : "--birth";
        if (recordGiven && (text->recordName || structured)) {
            return std::string("give the ") + names->label + " moment once: " + names->recordOption + " RECORD, " +
                   names->nameOption + " NAME, or " + when + " with its zone and place";
        }
        if (text->recordName && structured) {
            return std::string(names->nameOption) + " takes the whole record from the names file: leave out " + when +
                   " and the zone and place options";
        }
        if (text->when && text->now) return std::string("give --at or --now, not both");
        if (structured && !text->when && !text->now) {
            return std::string("the ") + names->label + " zone and place options need " + when;
        }
        if (text->place && (text->latitude || text->longitude)) {
            return std::string(names->place) + " gives the place: leave out " + names->latitude + " and " +
                   names->longitude;
        }
        if (static_cast<bool>(text->latitude) != static_cast<bool>(text->longitude)) {
            return std::string("give both ") + names->latitude + " and " + names->longitude;
        }
        if (text->placeIndex && !text->place) return std::string(names->placeIndex) + " needs " + names->place;
    }
    if (options.personName.size() && !options.natal.when) return std::string("--name goes with --birth");
    return std::nullopt;
}

std::optional<std::string> ResolveMomentRecords(const std::string& natalRecord, const std::string& diurnalRecord,
                                                const MomentOptions& options,
                                                const std::filesystem::path& programDir, bool withDiurnal,
                                                MomentRecords& records) {
    Resolved natal;
    if (auto error = ResolveOne(natalRecord, options.natal, NatalNames, options, programDir, nullptr, natal,
                                records.shown)) {
        return error;
    }
    records.natal = natal.recordLine;
    if (!withDiurnal) return std::nullopt;
    Resolved diurnal;
    if (auto error = ResolveOne(diurnalRecord, options.diurnal, DiurnalNames, options, programDir, &natal, diurnal,
                                records.shown)) {
        return error;
    }
    records.diurnal = diurnal.recordLine;
    if (diurnal.zone && diurnal.zone->kind == ZoneKind::Named) records.diurnalZoneName = diurnal.zone->name;
    return std::nullopt;
}

}  // namespace orrerion::cli
