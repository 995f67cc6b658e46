#pragma once
// The options of the chart command and the set-up of a calculation from them; the scan command
// reads the same options plus its own.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "commands.h"
#include "moment_options.h"
#include "core/base/input_fields.h"
#include "core/base/messages.h"
#include "core/io/json_text.h"
#include "core/records/program_folders.h"
#include "core/records/name_record.h"
#include "core/aspects/aspect_scan.h"
#include "core/events/sky_events.h"
#include "core/run/calculation.h"
#include "core/run/run_calculation.h"

namespace orrerion::cli {

struct ChartCommandOptions {
    std::string natalRecord;
    std::string diurnalRecord;
    MomentOptions moments;        // the moments given by name or by date, zone and place instead
    bool diurnalRequired = true;  // false: the command needs only the natal moment
    std::optional<HouseSystem> houses;  // a computed system by its code; default from OptionValue(27)
    ProgressionType progression = ProgressionType::Secondary;
    std::optional<std::filesystem::path> optionsFile;  // default: the program's OPTIONS.OPT
    std::optional<int> dateOrder;                      // default: the system's
    std::optional<EphemerisSource> ephemeris;          // default: the settings file's
    PointChoice points;                                // --points and --fortune-day-formula
};

// The options a command reads beyond the chart options, by name, with their values ("" for a
// flag), in their order on the command line.
using ExtraValues = std::vector<std::pair<std::string, std::string>>;

// Refuses a record the Names window could not load faithfully: the wrong number of fields, a date
// that is not "dd mmm yyyy", a meridiem other than A or P, or fields that are not plain numbers
// that fit a double. The text names `option` ("--natal") and the field.
std::optional<std::string> CheckRecord(const std::string& option, const std::string& text,
                                       NameRecord& record);

// Reads the chart options of `line` (the "Chart options" of command_table.cpp) into `options`
// and hands every other option back in `others`. Returns an error text for a malformed value, a
// missing natal or diurnal moment (when options.diurnalRequired) or moment options that do not go
// together.
std::optional<std::string> ParseChartOptions(const CommandLine& line, ChartCommandOptions& options,
                                             ExtraValues& others);

// The data folder, chosen as the desktop program chooses it (ResolveProgramDir without --dir): the
// executable's folder or its data/ folder when that holds OPTIONS.OPT, else the user's data folder,
// which is created and filled from the shipped files (never overwriting a file). Its error is
// empty when the folder is usable.
ProgramDirChoice ProgramDataDir();

// The short-date order of the system's locale: 0 month/day/year, 1 day/month/year, 2 year first.
int SystemDateOrder();

// The value of --ephemeris: "builtin" or "precise"; nothing for any other text.
std::optional<EphemerisSource> ParseEphemerisName(const std::string& text);

// The source a command uses: `given` (--ephemeris) or else the settings file of the program's data
// folder, whose problems go to `warnings`. Returns an error text when precise positions are chosen
// but unavailable, so that the command refuses before it computes anything.
std::optional<std::string> ChooseEphemeris(std::optional<EphemerisSource> given,
                                           const std::filesystem::path& programDir, EphemerisSource& source,
                                           std::vector<std::string>& warnings);

// How a command tells that the built-in series was used outside its years: a note on stderr.
void PrintNote(const std::string& note);

// What the note says to choose precise positions on the command line.
inline constexpr const char* PreciseChoiceText = "--ephemeris precise";

// The request every calculating command starts from: the notices go to stderr as notes, and dates
// in doubt are noted there too and calculated (the built-in years' doubt is left to its notice,
// which names the same years once the charts stand).
CalculationRequest NotingRequest();

// Fills `calc`: ProgramDir, the ephemeris (ChooseEphemeris), the options file, the house marks,
// the progression, the date order and the two records (given, or made by ResolveMomentRecords,
// and then shown) loaded into the input fields as the Names window loads them. The error of an unreadable options file or a malformed record goes to stderr
// as "<command>: <text>" and it returns false; otherwise the notices that do not stop the run go
// there the same way.
bool SetUpCalculation(const char* command, const ChartCommandOptions& options, Calculation& calc);

// Prints each message on its own line on stderr as "<title>: <text>".
void PrintMessages(const std::vector<Message>& messages);

// Refuses a --days value the input box would read as no days at all ("0", "-5", "abc", ""): the
// problem, naming the value. Counts above MaxScanDays are left to the scan, which refuses them with
// the desktop program's message.
std::optional<std::string> CheckDaysOption(const std::string& value);

// The exit status of a command whose scan did not complete: 0 when no days were asked for, 2 for
// a refused day count, 1 when a report file could not be written; nothing once it completed.
std::optional<int> UnfinishedScanStatus(ScanOutcome outcome);

// The families a --families list names ("tn,tp": any of tn, sn, pn, pp, tp), by FamilyIndex; or
// the problem, for an unknown code or an empty list.
std::variant<FamilySet, std::string> ParseFamilyList(const std::string& list);

// "station,lunation" or "all": the sky events' kinds a list names, by SkyEventKindIndex; the
// problem, naming `option`, for a list that names none or an unknown kind.
std::optional<std::string> ReadEventKinds(std::string_view option, const std::string& text,
                                          std::array<bool, SkyEventKindCount>& kinds);

// The extra points a --points list names (the codes of ExtraPoints joined by commas, or "all"),
// each north node with its south node, into `choice`; or the problem, for an unknown code or an
// empty list.
std::optional<std::string> ParsePointList(const std::string& list, PointChoice& choice);
// The codes --points takes, "mean-node, true-node, ...", from ExtraPoints.
std::string PointCodesText();

}  // namespace orrerion::cli
