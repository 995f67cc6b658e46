#pragma once
// A scan's runs and exact moments as files for other programs: iCalendar for calendar programs,
// CSV for spreadsheets, JSON for scripts. The texts are written here, run by run, into a sink: to a
// file through the one file-replacement routine as they are made, or into a string. The columns and
// keys are described in the README.
#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/aspects/scan_result.h"
#include "core/base/options.h"
#include "core/chart/chart_state.h"
#include "core/ephemeris/ephemeris.h"
#include "core/events/sky_events.h"
#include "core/exports/exact_moments.h"
#include "core/io/file_replace.h"
#include "core/io/text_sink.h"

namespace orrerion {

enum class ExportFormat { Calendar, Csv, Json };

// What goes into an export.
struct ExportChoice {
    FamilySet families = AllFamilies;
    bool runEvents = false;  // iCalendar: also one all-day event per run, first to last day
};

// Everything an export reads: who the chart is, the diurnal zone, the scan and its exact moments.
struct ExportSource {
    std::string chartName;
    std::string birthData;       // "13 Jan 1950 8.30 A.M., zone 5, 74.00 WEST 40.43 NORTH"
    double zoneHoursWest = 0.0;  // the diurnal place's zone as typed, for clock times
    std::string zoneName;        // the diurnal place's IANA zone, when known: clock times follow it
    ScanResult scan;
    std::vector<ExactMoment> moments;  // ExactMoments() of the scan
    // The sky's events over the scanned days, written after the runs; none unless asked for.
    std::vector<SkyEvent> events;
};

// The source of a calculation after its scan; computes the exact moments of the runs of `families`
// (those an export of ExportChoice::families writes), and no others. `diurnalZoneName` is the
// calculation's DiurnalZoneName: with it, the local clock times are that zone's at each moment.
// `scanned`: the longitudes the scan kept, which the search then reads rather than computes.
ExportSource MakeExportSource(const ChartState& chart, const EphemerisState& eph, const Options& options,
                              ScanResult scan, std::string_view diurnalZoneName,
                              const FamilySet& families = AllFamilies, const ScanLongitudes* scanned = nullptr);

// An aspect's name in CSV and JSON ("square", "semi-sextile"), by AspectCode.
std::string_view ExportAspectWord(int AspectCode);
// A point's name in CSV and JSON ("SUN", "ASC", "MEAN NODE"), by BodyIndex or ExtraPointBody;
// empty for any other number.
std::string ExportPointWord(int body);

// The calendar: one event per exact moment (UTC start, no duration); an all-day event for every
// listed exact date of a transit to natal whose run has no moment within a day of it; with
// runEvents, an all-day event per run. `stamp` is the DTSTAMP value ("20261207T151500Z").
void WriteCalendar(TextSink& out, const ExportSource& source, const ExportChoice& choice, std::string_view stamp);
// One row per run, each followed by a row per exact moment and per unmatched exact date.
void WriteCsv(TextSink& out, const ExportSource& source, const ExportChoice& choice);
// One object per run, its exact moments inside it.
void WriteJson(TextSink& out, const ExportSource& source, const ExportChoice& choice);
void WriteExportText(TextSink& out, ExportFormat format, const ExportSource& source, const ExportChoice& choice,
                     std::string_view stamp);
// The same texts as strings.
std::string CalendarText(const ExportSource& source, const ExportChoice& choice, std::string_view stamp);
std::string CsvText(const ExportSource& source, const ExportChoice& choice);
std::string JsonText(const ExportSource& source, const ExportChoice& choice);
std::string ExportText(ExportFormat format, const ExportSource& source, const ExportChoice& choice,
                       std::string_view stamp);

// The present moment in UTC as a DTSTAMP value.
std::string CalendarStampNow();

// Replaces `path` with `content` (never half-written); on failure the message names the path and
// the reason.
WriteResult WriteExport(const std::filesystem::path& path, std::string_view content);
// Replaces `path` with the export, written into the replacement as it is made (never half-written;
// standard output, a device or a FIFO gets it as it comes).
WriteResult WriteExportFile(const std::filesystem::path& path, ExportFormat format, const ExportSource& source,
                            const ExportChoice& choice, std::string_view stamp);

// The pieces of the formats' quoting rules.
// iCalendar TEXT of ExportSafeText(text): backslash, semicolon and comma escaped, a line break
// written as \n.
std::string CalendarEscape(std::string_view text);
// One content line folded at 75 octets (never inside a UTF-8 character), ended by CR LF.
std::string FoldCalendarLine(std::string_view line);
// A CSV text field: ExportSafeText(text); then, when a spreadsheet could take it for a formula
// (it begins with =, +, - or @, also after blanks, or with a line break), a leading apostrophe,
// which spreadsheets show as text; quoted when it holds a comma, double quote, CR or LF. Numbers
// are written as they are, never through this.
std::string CsvField(std::string_view text);

}  // namespace orrerion
