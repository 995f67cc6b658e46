#pragma once
// The options of the chart command and the set-up of a calculation from them; the scan command
// reads the same options plus its own.
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commands.h"
#include "core/base/input_fields.h"
#include "core/base/messages.h"
#include "core/records/name_record.h"
#include "core/run/calculation.h"
#include "json_text.h"  // JsonNumber, JsonString

namespace orrerion::cli {

struct ChartCommandOptions {
    std::string natalRecord;
    std::string diurnalRecord;
    std::optional<char> houses;  // P, K, R, O or M; default from OptionValue(27)
    ProgressionType progression = ProgressionType::Secondary;
    std::optional<std::filesystem::path> optionsFile;  // default: the program's OPTIONS.OPT
    std::optional<int> dateOrder;                      // default: the system's
    bool json = false;
};

// An option that another command adds to the chart options.
struct ExtraOption {
    std::string name;  // "--days"
    bool takesValue = false;
};

// An extra option found on the command line, with its value when it takes one.
using ExtraValues = std::vector<std::pair<std::string, std::string>>;

// Refuses a record the Names window could not load faithfully: the wrong number of fields, a date
// that is not "dd mmm yyyy", a meridiem other than A or P, or fields that are not plain numbers
// that fit a double. The text names `option` ("--natal") and the field.
std::optional<std::string> CheckRecord(const std::string& option, const std::string& text,
                                       NameRecord& record);

// Reads `args` into `options`. Options listed in `extras` are handed back in `found` in their
// order. Returns an error text for an unknown or malformed option or a missing --natal/--diurnal.
std::optional<std::string> ParseChartOptions(const Args& args, ChartCommandOptions& options,
                                             const std::vector<ExtraOption>& extras = {},
                                             ExtraValues* found = nullptr);

// The folder "data" beside the running executable.
std::filesystem::path ProgramDataDir();

// The short-date order of the system's locale: 0 month/day/year, 1 day/month/year, 2 year first.
int SystemDateOrder();

// Fills `calc`: ProgramDir, the options file, the house marks, the progression, the date order
// and the two records loaded into the input fields as the Names window loads them. Returns an
// error text for an unreadable options file or a malformed record; `warnings` receives notices
// that do not stop the run.
std::optional<std::string> SetUpCalculation(const ChartCommandOptions& options, Calculation& calc,
                                            std::vector<std::string>& warnings);

// Prints each message on its own line on stderr as "<title>: <text>".
void PrintMessages(const std::vector<Message>& messages);

}  // namespace orrerion::cli
