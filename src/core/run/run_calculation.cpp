#include "core/run/run_calculation.h"

#include <initializer_list>
#include <system_error>

#include "core/aspects/summary.h"
#include "core/ephemeris/precise_ephemeris.h"
#include "core/io/file_set.h"

namespace orrerion {

std::filesystem::path ReportsFolder(const Calculation& calc) { return calc.ProgramDir / "reports"; }

void RunCalculationStart(Calculation& calc) {
    ResetOutputLines(calc.out);
    ResetDataLines(calc.out);
    calc.scan = ScanResult{};
}

namespace {

// The data summary of the charts that stand: shown in the data window, and kept in the saved text
// unless the options say that the saved buffer holds the summary only.
void WriteChartSummary(Calculation& calc) {
    ResetDataLines(calc.out);
    WriteDataSummary(calc.chart, calc.out);
    if (calc.options[Option::SavedBufferSummaryOnly] != 0) ResetOutputLines(calc.out);
}

}  // namespace

bool ComputeCharts(Calculation& calc, Reporter& reporter) {
    if (!ChartDriver(ChartInputOf(calc), calc.eph, calc.chart, reporter)) return false;
    WriteChartSummary(calc);
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

std::string BuiltinYearsNote(std::string_view preciseChoice) {
    std::string note = "The built-in series was used for a date outside " + std::to_string(BuiltinFirstYear) +
                       "-" + std::to_string(BuiltinLastYear) +
                       ", where Pluto may be off by up to a degree. ";
    const PreciseAvailability precise = CheckPreciseEphemeris();
    if (!precise.available) return note + "Precise positions are not available here: " + precise.reason + ".";
    note += "Precise positions (Swiss Ephemeris) are available";
    return note + (preciseChoice.empty() ? "." : " (" + std::string(preciseChoice) + ").");
}

namespace {

// Gives the note once, when the built-in series computed any of the UT Julian dates outside its years.
void NoteBuiltinYears(const Calculation& calc, std::initializer_list<double> jds,
                      const CalculationRequest& request, bool& noted) {
    if (noted || calc.eph.Source != EphemerisSource::Builtin || !request.notice) return;
    for (const double jd : jds) {
        if (!BuiltinSeriesCovers(jd)) {
            noted = true;
            request.notice(BuiltinYearsNote(request.preciseChoice));
            return;
        }
    }
}

// A note for each zone text whose decimals read like minutes; the same text is noted once.
void NoteZoneReadings(const Calculation& calc, const CalculationRequest& request) {
    if (!request.notice) return;
    const std::optional<std::string> natal = ZoneReadingNote(calc.natal.zone);
    const std::optional<std::string> diurnal = ZoneReadingNote(calc.diurnal.zone);
    if (natal) request.notice(*natal);
    if (diurnal && diurnal != natal) request.notice(*diurnal);
}

}  // namespace

CalculationOutcome RunCalculation(Calculation& calc, const CalculationRequest& request,
                                  ScanObserver& observer, Reporter& reporter) {
    CalculationOutcome outcome;
    // Checked before anything changes, so that the choice never stops a calculation half-way.
    if (calc.eph.Source == EphemerisSource::Precise) {
        const PreciseAvailability precise = CheckPreciseEphemeris();
        if (!precise.available) {
            reporter.Report({"Error!", MessageIcon::Critical, PreciseUnavailableText(precise)});
            return outcome;
        }
    }
    if (request.confirmDates) {
        const std::vector<DateDoubt> doubts =
            CheckDatePlausibility(calc.natal, calc.diurnal, calc.DateOrder, calc.eph.Source);
        if (!doubts.empty() && !request.confirmDates(doubts)) return outcome;
    }
    // The chart driver changes nothing when it refuses the input, so a refused calculation leaves
    // the one before it whole: its charts, both buffers and its scan. Once the new charts stand,
    // what belonged to the old ones goes.
    outcome.charted = ChartDriver(ChartInputOf(calc), calc.eph, calc.chart, reporter);
    if (!outcome.charted) return outcome;
    RunCalculationStart(calc);
    WriteChartSummary(calc);
    NoteZoneReadings(calc, request);
    bool noted = false;
    const ChartState& chart = calc.chart;
    NoteBuiltinYears(calc, {chart.NatalJD, chart.DiurnalJD, chart.ProgJD}, request, noted);
    if (!request.askDays) return outcome;

    const std::optional<std::string> answer = request.askDays();
    if (!answer) return outcome;
    const DayCount count = CheckDayCount(*answer, reporter);
    if (count.outcome != ScanOutcome::Completed) {
        outcome.scan = count.outcome;
        return outcome;
    }

    // The scan's last transit day, and its last progressed instant (1/365.25 day on per day).
    const int lastDay = count.days - 1;
    NoteBuiltinYears(calc, {chart.DiurnalJD + lastDay, chart.ProgJD + lastDay / 365.25}, request, noted);

    std::filesystem::path reports;
    if (request.scan.reportFiles) {
        reports = request.reportsFolder.empty() ? ReportsFolder(calc) : request.reportsFolder;
        std::error_code ec;
        std::filesystem::create_directories(reports, ec);
        if (ec) {
            reporter.Report({"Error!", MessageIcon::Critical,
                             "Cannot create " + reports.string() + ": " + ec.message()});
            outcome.scan = ScanOutcome::WriteFailed;
            return outcome;
        }
        // What a killed scan left is of no use to anyone; a running scan's files are left alone.
        RemoveStaleReplacements(reports);
    }
    const ScanInputs inputs{.chart = calc.chart, .eph = calc.eph, .options = calc.options,
                            .scanDays = count.days, .reportsFolder = reports, .settings = request.scan};
    outcome.scan = RunAspectScan(inputs, calc.out, observer, reporter, calc.scan);
    return outcome;
}

}  // namespace orrerion
