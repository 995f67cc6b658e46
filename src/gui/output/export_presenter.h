#pragma once
// The Export window's rules that need no pixels: what can be exported now, the file name proposed
// for each format, the save dialog's filter, and the export itself (the core builds the text and
// writes the file).
#include <array>
#include <optional>
#include <string>

#include "core/exports/scan_exports.h"
#include "core/run/calculation.h"

namespace orrerion::gui {

// What the window keeps between its openings (in the session; the window is its only writer).
struct ExportWindowState {
    ExportFormat format = ExportFormat::Calendar;
    ExportChoice choice;
    // The sky's events written after the runs, by SkyEventKindIndex; none at first.
    std::array<bool, SkyEventKindCount> eventKinds{};
};

// Why nothing can be exported now, or nothing when the export can go ahead: a scan of the current
// chart must have completed (before any chart "No scan yet", after a chart without one "Scan not
// run for this chart"), and at least one family must be chosen.
std::optional<std::string> ExportRefusal(const Calculation& calc, bool chartComputed, const ExportChoice& choice);

// "ics", "csv", "json".
std::string ExportExtension(ExportFormat format);
// "Calendar (*.ics)".
std::string ExportFilter(ExportFormat format);
// "John_scan.ics": the chart's report stem, "_scan" and the extension.
std::string ProposedExportFileName(const std::string& chartName, ExportFormat format);

// Computes the exact moments of the calculation's scan (and the sky's events of the kinds chosen
// over its days, with `eventOrb`) and writes the chosen export to `path`; the result names the
// path and the reason on failure.
WriteResult ExportScan(const Calculation& calc, const ExportWindowState& state, const std::filesystem::path& path,
                       double eventOrb = DefaultEventOrb);

// One line about the current chart's scan for the window, under the chart's heading: "Scan of 90
// days from 2026-12-07, 412 runs." or the refusal text.
std::string ExportScanSummary(const Calculation& calc, bool chartComputed);

}  // namespace orrerion::gui
