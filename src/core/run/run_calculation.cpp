#include "core/run/run_calculation.h"

#include <system_error>

#include "core/aspects/summary.h"
#include "core/io/file_replace.h"

namespace orrerion {

std::filesystem::path ReportsFolder(const Calculation& calc) { return calc.ProgramDir / "reports"; }

void RunCalculationStart(Calculation& calc) {
    ResetOutputLines(calc.out);
    ResetDataLines(calc.out);
    calc.scan = ScanResult{};
}

bool ComputeCharts(Calculation& calc, Reporter& reporter) {
    if (!ChartDriver(ChartInputOf(calc), calc.eph, calc.chart, reporter)) return false;
    ResetDataLines(calc.out);
    WriteDataSummary(calc.chart, calc.out);
    if (calc.options[Option::SavedBufferSummaryOnly] != 0) ResetOutputLines(calc.out);
    return true;
}

DayCount CheckDayCount(std::string_view daysAnswer, Reporter& reporter) {
    const double rounded = RoundedDayCount(daysAnswer);
    if (!(rounded >= 1)) return {};
    if (rounded > MaxScanDays) {
        reporter.Report({"Warning!", MessageIcon::Information,
                         "The number of days must be from 1 to 32767."});
        return {0, ScanOutcome::Refused};
    }
    return {static_cast<int>(rounded), ScanOutcome::Completed};
}

CalculationOutcome RunCalculation(Calculation& calc, const CalculationRequest& request,
                                  ScanObserver& observer, Reporter& reporter) {
    CalculationOutcome outcome;
    RunCalculationStart(calc);
    outcome.charted = ComputeCharts(calc, reporter);
    if (!outcome.charted || !request.askDays) return outcome;

    const std::optional<std::string> answer = request.askDays();
    if (!answer) return outcome;
    const DayCount count = CheckDayCount(*answer, reporter);
    if (count.outcome != ScanOutcome::Completed) {
        outcome.scan = count.outcome;
        return outcome;
    }

    const std::filesystem::path reports =
        request.reportsFolder.empty() ? ReportsFolder(calc) : request.reportsFolder;
    std::error_code ec;
    std::filesystem::create_directories(reports, ec);
    if (ec) {
        reporter.Report({"Error!", MessageIcon::Critical,
                         "Cannot create " + reports.string() + ": " + ec.message()});
        outcome.scan = ScanOutcome::WriteFailed;
        return outcome;
    }
    // Files a killed scan left half-written are of no use to anyone.
    RemoveStaleReplacements(reports);
    outcome.scan = RunAspectScan(calc.chart, calc.eph, calc.options, calc.out, count.days, reports,
                                 observer, reporter, calc.scan, request.scan);
    return outcome;
}

}  // namespace orrerion
