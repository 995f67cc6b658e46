// orrerion-cli scan: the chart, then the aspect scan with its sixteen report files, then the data
// window's lines on standard output (none with --quiet).
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "chart_options.h"
#include "commands.h"
#include "core/aspects/aspect_scan.h"
#include "core/base/messages.h"
#include "core/base/output_lines.h"
#include "core/exports/scan_exports.h"
#include "core/records/settings_file.h"
#include "core/run/run_calculation.h"

namespace orrerion::cli {
namespace {

// Message boxes become lines on standard error: "Title: text".
class StderrReporter : public Reporter {
public:
    void Report(const Message& message) override {
        std::fprintf(stderr, "%s: %s\n", message.title.c_str(), message.text.c_str());
    }
};

// The status window's bar drawn on standard error, redrawn only when its width changes.
// Also stands in for the data window: showing it appends an empty line to both buffers when the
// report buffer holds more than its first line, as the window does before it takes DataLines.
class ProgressBarObserver : public ScanObserver {
public:
    ProgressBarObserver(bool enabled, OutputBuffers& out) : enabled_(enabled), out_(out) {}

    void BeginScan() override { Draw(0); }
    void ShowProgress(int current, int maximum) override {
        Draw(static_cast<int>(ProgressPercent(current, maximum)));
    }
    void ClearProgress() override { Draw(0); }
    void BeginSorting() override {
        if (!enabled_) return;
        std::fputs("\r\x1b[KWait for program to sort data files", stderr);
        std::fflush(stderr);
        shown_ = true;
        percent_ = -1;
    }
    void ShowDataWindow() override {
        if (out_.OutputLines.size() > 1) AddBlankLine(out_);
    }
    void EndScan() override {
        if (enabled_ && shown_) std::fputs("\r\x1b[K", stderr);
        shown_ = false;
    }

private:
    void Draw(int percent) {
        if (!enabled_ || percent == percent_) return;
        percent_ = percent;
        constexpr int Width = 40;
        const int filled = percent * Width / 100;
        std::string bar(static_cast<std::size_t>(filled), '#');
        bar.append(static_cast<std::size_t>(Width - filled), ' ');
        std::fprintf(stderr, "\r%% Completed [%s] %3d%%", bar.c_str(), percent);
        std::fflush(stderr);
        shown_ = true;
    }

    bool enabled_;
    OutputBuffers& out_;
    bool shown_ = false;
    int percent_ = -1;
};

struct ExportRequest {
    ExportFormat format;
    std::filesystem::path file;
};

}  // namespace

int RunScanCommand(const CommandLine& line) {
    ChartCommandOptions options;
    ExtraValues extras;
    if (auto error = ParseChartOptions(line, options, extras)) {
        std::fprintf(stderr, "orrerion-cli scan: %s\n", error->c_str());
        return 2;
    }
    std::string daysAnswer = " 90";  // the input box's default text
    std::optional<std::filesystem::path> reportsOption;
    bool progress = false;
    bool quiet = false;
    ScanSettings scanSettings;
    std::vector<ExportRequest> exports;
    ExportChoice exportChoice;
    std::optional<std::array<bool, SkyEventKindCount>> eventKinds;
    for (const auto& [name, value] : extras) {
        if (name == "--events") {
            eventKinds.emplace();
            if (const std::optional<std::string> error = ReadEventKinds("--events", value, *eventKinds)) {
                std::fprintf(stderr, "orrerion-cli scan: %s\n", error->c_str());
                return 2;
            }
        }
        if (name == "--ics") exports.push_back({ExportFormat::Calendar, value});
        if (name == "--csv") exports.push_back({ExportFormat::Csv, value});
        if (name == "--json") exports.push_back({ExportFormat::Json, value});
        if (name == "--run-events") exportChoice.runEvents = true;
        if (name == "--families") {
            const auto families = ParseFamilyList(value);
            if (const std::string* error = std::get_if<std::string>(&families)) {
                std::fprintf(stderr, "orrerion-cli scan: %s\n", error->c_str());
                return 2;
            }
            exportChoice.families = std::get<FamilySet>(families);
        }
        if (name == "--days") {
            if (const std::optional<std::string> error = CheckDaysOption(value)) {
                std::fprintf(stderr, "orrerion-cli scan: %s\n", error->c_str());
                return 2;
            }
            daysAnswer = value;
        }
        if (name == "--reports") reportsOption = value;
        if (name == "--progress") progress = true;
        if (name == "--quiet") quiet = true;
        if (name == "--points-in-reports") scanSettings.pointsInReports = true;
        if (name == "--threads") {
            if (value != "1" && value != "2") {
                std::fprintf(stderr, "orrerion-cli: --threads takes 1 or 2 (try --help)\n");
                return 2;
            }
            scanSettings.threads = value[0] - '0';
        }
    }

    if (eventKinds && exports.empty()) {
        std::fprintf(stderr, "orrerion-cli scan: --events goes into the exports: give --ics, --csv or --json\n");
        return 2;
    }

    Calculation calc;
    if (!SetUpCalculation("orrerion-cli scan", options, calc)) return 2;

    StderrReporter reporter;
    ProgressBarObserver observer(progress, calc.out);
    CalculationRequest request = NotingRequest();
    request.askDays = [&] { return std::optional<std::string>(daysAnswer); };
    // Exports without --reports leave the reports folder alone: the scan finds its runs without
    // writing any report file.
    if (reportsOption) {
        request.reportsFolder = *reportsOption;
    } else if (!exports.empty()) {
        scanSettings.reportFiles = false;
    }
    // The exact moments' search reads the days the scan computed (only transits have moments).
    ScanLongitudes scanned;
    const FamilySet& chosen = exportChoice.families;
    const bool moments = chosen[FamilyIndex(AspectFamily::TransitToNatal)] ||
                         chosen[FamilyIndex(AspectFamily::TransitToProgressed)];
    if (!exports.empty() && moments) scanSettings.longitudes = &scanned;
    request.scan = scanSettings;
    const CalculationOutcome outcome = RunCalculation(calc, request, observer, reporter);
    if (!outcome.charted) return 2;
    if (const std::optional<int> status = UnfinishedScanStatus(outcome.scan)) return *status;
    if (!exports.empty()) {
        // The moments of the exported families only; the scan's result is not needed afterwards.
        const int days = calc.scan.ScanDays;
        ExportSource source = MakeExportSource(calc.chart, calc.eph, calc.options, std::move(calc.scan),
                                               calc.DiurnalZoneName, exportChoice.families, &scanned);
        scanned = ScanLongitudes{};  // read by the search alone
        if (eventKinds) {
            // The sky's events over the scanned days, with the settings file's orb.
            SkyEventRequest events;
            events.fromJD = calc.chart.DiurnalJD;
            events.days = days;
            events.kinds = *eventKinds;
            events.orbDeg = LoadSettings(calc.ProgramDir / SettingsFileName).file.settings.eventOrb;
            source.events = FindSkyEvents(calc.chart, calc.eph.Source, events);
        }
        const std::string stamp = CalendarStampNow();
        for (const ExportRequest& e : exports) {
            const WriteResult written = WriteExportFile(e.file, e.format, source, exportChoice, stamp);
            if (!written.ok) {
                std::fprintf(stderr, "orrerion-cli scan: %s\n", written.message.c_str());
                return 1;
            }
        }
    }
    // An export on standard output is the whole of it: the data lines would only spoil it.
    if (quiet) return 0;
    for (const ExportRequest& e : exports) {
        if (e.file == StandardOutputName) return 0;
    }
    for (std::string_view line : calc.out.DataLines) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    return 0;
}

}  // namespace orrerion::cli
