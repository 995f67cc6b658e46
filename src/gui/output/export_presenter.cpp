#include "gui/output/export_presenter.h"

#include <algorithm>

#include "core/aspects/report_files.h"
#include "core/base/formatters.h"

namespace orrerion::gui {

namespace {

constexpr const char* NoScanText =
    "No scan yet. Calculate a chart and answer the number of days: the scan's runs are exported.";
constexpr const char* ScanNotRunText =
    "Scan not run for this chart. Calculate it again and answer the number of days: the scan's "
    "runs are exported.";

bool Scanned(const Calculation& calc) { return calc.scan.ScanDays > 0; }

struct FormatFile {
    ExportFormat format;
    const char* extension;
    const char* filter;  // of the save dialog
};
constexpr FormatFile FormatFileTable[] = {
    {ExportFormat::Calendar, "ics", "Calendar (*.ics)"},
    {ExportFormat::Csv, "csv", "Table (*.csv)"},
    {ExportFormat::Json, "json", "JSON (*.json)"},
};

const FormatFile& FormatFiles(ExportFormat format) {
    for (const FormatFile& f : FormatFileTable) {
        if (f.format == format) return f;
    }
    return FormatFileTable[0];
}

}  // namespace

std::optional<std::string> ExportRefusal(const Calculation& calc, bool chartComputed,
                                         const ExportChoice& choice) {
    if (!Scanned(calc)) return chartComputed ? ScanNotRunText : NoScanText;
    bool any = false;
    for (const bool chosen : choice.families) any = any || chosen;
    if (!any) return "Tick at least one family of aspects to export.";
    return std::nullopt;
}

std::string ExportExtension(ExportFormat format) { return FormatFiles(format).extension; }

std::string ExportFilter(ExportFormat format) { return FormatFiles(format).filter; }

std::string ProposedExportFileName(const std::string& chartName, ExportFormat format) {
    std::string stem = ReportStem(chartName);
    if (stem.empty()) stem = "Chart";
    return stem + "_scan." + ExportExtension(format);
}

WriteResult ExportScan(const Calculation& calc, const ExportWindowState& state, const std::filesystem::path& path,
                       double eventOrb) {
    // The moments of the chosen families only, and the text written into the file as it is made.
    ExportSource source = MakeExportSource(calc.chart, calc.eph, calc.options, calc.scan, calc.DiurnalZoneName,
                                           state.choice.families);
    if (std::find(state.eventKinds.begin(), state.eventKinds.end(), true) != state.eventKinds.end()) {
        SkyEventRequest request;
        request.fromJD = calc.chart.DiurnalJD;
        request.days = calc.scan.ScanDays;
        request.kinds = state.eventKinds;
        request.orbDeg = eventOrb;
        source.events = FindSkyEvents(calc.chart, calc.eph.Source, request);
    }
    return WriteExportFile(path, state.format, source, state.choice, CalendarStampNow());
}

std::string ExportScanSummary(const Calculation& calc, bool chartComputed) {
    if (!Scanned(calc)) return chartComputed ? ScanNotRunText : NoScanText;
    // Dates in the picture and export windows are written one way: "07 Dec 2026".
    return "Scan of " + std::to_string(calc.scan.ScanDays) + " days from " + DateDdMmmYyyy(calc.scan.DateOfDay(0)) +
           ", " + std::to_string(calc.scan.runs.size()) + " runs.";
}

}  // namespace orrerion::gui
