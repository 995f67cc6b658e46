#pragma once
// The natal and diurnal moments given otherwise than as records: a record of the names file by
// its name, or a date and time with a zone and a place (core/records/birth_input.h). Each ends as
// the record the chart is computed from, which is shown on stderr.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/records/birth_input.h"

namespace orrerion::cli {

// One window's moment as the options give it.
struct MomentText {
    std::optional<std::string> recordName;  // --natal-name, --diurnal-name
    std::optional<std::string> when;        // --birth, --at: ISO 8601 local date and time
    bool now = false;                       // --now (diurnal only)
    std::optional<std::string> zone;        // --tz, --at-tz
    std::optional<std::string> latitude;    // --lat, --at-lat
    std::optional<std::string> longitude;   // --lon, --at-lon
    std::optional<std::string> place;       // --place, --at-place: a place of the atlas
    std::optional<int> placeIndex;          // --place-index, --at-place-index
    bool Given() const;
};

struct MomentOptions {
    MomentText natal, diurnal;
    std::string personName;                           // --name: the natal record's name field
    std::optional<std::filesystem::path> namesFile;   // --names; default the data folder's NAMES.FIL
    Fold fold = Fold::Earlier;                        // --fold earlier|later
};

// Reads option `name` when it is one of the moment options, taking its value through `value`
// (nothing when the command line ends). Returns false for another option; otherwise true, with
// `error` set when the option is malformed or lacks its value.
bool ReadMomentOption(const std::string& name, const std::function<std::optional<std::string>()>& value,
                      MomentOptions& options, std::optional<std::string>& error);

// The options of one window that do not go together: a record with the other forms, --place
// with --lat/--lon, a zone or place without a date. `recordGiven`: --natal (--diurnal) was given.
std::optional<std::string> CheckMomentOptions(const MomentOptions& options, bool natalRecordGiven,
                                              bool diurnalRecordGiven);

// The record lines of both windows (the diurnal one only when `withDiurnal`): the record given,
// else the names file's record, else the record built from the date, zone and place. A diurnal
// place not given is the natal one, and a diurnal zone not given the natal zone. `shown` gets the
// lines for stderr: the place found, the zone read, the notes and each record built or found.
struct MomentRecords {
    std::string natal, diurnal;
    // The IANA name of the diurnal moment's zone when the diurnal record was built with one (its
    // own --at-tz or --at-place, or the birth's zone it defaults to); empty otherwise.
    std::string diurnalZoneName;
    std::vector<std::string> shown;
};
std::optional<std::string> ResolveMomentRecords(const std::string& natalRecord, const std::string& diurnalRecord,
                                                const MomentOptions& options,
                                                const std::filesystem::path& programDir, bool withDiurnal,
                                                MomentRecords& records);

}  // namespace orrerion::cli
