#pragma once
// The one road from input to output, taken by the desktop program and the command line alike:
// both buffers emptied, the charts and their data summary, then (when a day count is given) the
// aspect scan with its reports folder, report files and listings.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/scan_observer.h"
#include "core/base/messages.h"
#include "core/chart/input_checks.h"
#include "core/run/calculation.h"

namespace orrerion {

// The reports folder of the program's data folder.
std::filesystem::path ReportsFolder(const Calculation& calc);

// Empties both output line buffers (count 0, then one empty line) and the last scan's result, as
// every calculation starts.
void RunCalculationStart(Calculation& calc);

// ChartDriver on the calculation's input, then the data summary: shown in the data window, and
// kept in the saved text unless the options say that the saved buffer holds the summary only.
bool ComputeCharts(Calculation& calc, Reporter& reporter);

// The scan's day count from the answer to "Enter number of days:": nothing (ScanOutcome NotRun)
// for an answer below 1, a report and ScanOutcome Refused above MaxScanDays.
struct DayCount {
    int days = 0;  // 1..MaxScanDays when outcome is Completed
    ScanOutcome outcome = ScanOutcome::NotRun;
};
DayCount CheckDayCount(std::string_view daysAnswer, Reporter& reporter);

struct CalculationRequest {
    // Asked once the charts stand: the answer to "Enter number of days:". Nothing (or no function)
    // computes the charts only.
    std::function<std::optional<std::string>()> askDays;
    // Where the reports go; empty for ReportsFolder(calc). Created when it does not exist.
    std::filesystem::path reportsFolder;
    // scan.reportFiles false: the scan's runs, exact dates and listings without its report files;
    // no reports folder is made or touched.
    ScanSettings scan;
    // Told, each at most once per calculation, what the user should know but that neither stops
    // nor changes it (the desktop program's status line, the command line's standard error): how a
    // zone whose decimals read like minutes is read, and that the built-in series is used for a
    // date outside the years it is good for. No function, no note.
    std::function<void(const std::string&)> notice;
    // How the user chooses precise positions in this program, for the note ("--ephemeris precise").
    std::string preciseChoice;
    // Asked before anything changes when the dates pass the checks but are probably not what was
    // meant (CheckDatePlausibility): true goes on, false leaves everything as it was. The desktop
    // program asks; the command line prints a note and goes on. No function: go on unasked.
    std::function<bool(const std::vector<DateDoubt>&)> confirmDates;
};

struct CalculationOutcome {
    bool charted = false;                  // the charts and the summary were built
    ScanOutcome scan = ScanOutcome::NotRun;
};

// The note for a calculation whose built-in positions include a date outside BuiltinFirstYear ..
// BuiltinLastYear: Pluto may be off by up to a degree, and whether precise positions are available
// (and then how to choose them, when `preciseChoice` says it).
std::string BuiltinYearsNote(std::string_view preciseChoice);

// With precise positions, first checks that they are available (when not, reports why and changes
// nothing); then asks request.confirmDates about doubtful dates (a refusal changes nothing); then
// the chart driver, which changes nothing either when it refuses the input; once the charts stand
// RunCalculationStart and the data summary (as ComputeCharts), then the day count and
// RunAspectScan. So a calculation that is not `charted` leaves `calc`'s charts, buffers and scan as
// they were, and one that is has no scan but the one it ran itself. Once the charts stand, gives
// request.notice ZoneReadingNote() for a zone whose decimals read like minutes (once for each zone
// text, natal first). With the built-in series, gives request.notice BuiltinYearsNote() once when a
// chart instant or a scanned day (transit or progressed) falls outside the years of the series; the
// reports are not touched. RunAspectScan leaves its runs and exact dates in calc.scan.
CalculationOutcome RunCalculation(Calculation& calc, const CalculationRequest& request,
                                  ScanObserver& observer, Reporter& reporter);

}  // namespace orrerion
