#pragma once
// The listings derived from the runs: the dates of exact aspect of the transits to natal
// ("_ex.txt") and the run lines of each family ordered by the day their run begins (".asc").
#include <filesystem>
#include <string>
#include <string_view>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/report_files.h"
#include "core/aspects/scan_observer.h"
#include "core/aspects/scan_result.h"
#include "core/base/output_lines.h"
#include "core/io/file_replace.h"

namespace orrerion {

// The distance from exact stored for a day without the aspect in orb.
inline constexpr float NoAspectDistance = 100.0f;

// The minimum search of one mover, aspect and target, fed the days in order.
struct ExactSearch {
    float smallest = NoAspectDistance;  // smallest distance so far (follows a rising distance)
    int day = 0;                        // day of that smallest distance
    bool fallingBack = false;           // a minimum was passed and the distance grows again

    // Takes the distance of `today` (NoAspectDistance when not in orb). Returns true when the
    // distance has stopped falling after a minimum: smallest and day then hold the candidate,
    // to be reported (one beep each) and listed when under one degree.
    bool Step(float distance, int today);

    // Once settled, further days out of orb change nothing.
    bool Settled() const { return smallest == NoAspectDistance && fallingBack; }
};

// "JUPITER at 15ari12(10) square     SUN     at 14cap50( 7),  09 Jan 97 - 0.14 deg."
void AppendExactLine(std::string& line, const ScanResult& result, const ExactDate& exact);
std::string ExactLine(const ScanResult& result, const ExactDate& exact);

// The exact-date listing ("_ex.txt"): header, title, and one line per minimum under one degree,
// also appended to the buffers. Beeps once per minimum, listed or not.
void WriteExactDates(const ScanResult& result, const ChartState& chart, ReportFile& file,
                     OutputBuffers& out, ScanObserver& observer);

// The sorted-by-date file of one family (".asc"): header, title and the family's run lines
// ordered by the day their run begins, runs that begin on the same day in their sorted-by-planet
// order; the title and the lines are also appended to the buffers.
void WriteSortedByDate(const ScanResult& result, const FamilyInfo& family, const ChartState& chart,
                       ReportFile& file, OutputBuffers& out);

// After the listed-by-day pass: finishes its files and writes the others in their order, each with
// its listing, then publishes all sixteen together. Stops at the first file that cannot be
// written; nothing is published then. With `threads` above 1 a second thread writes the
// sorted-by-date files meanwhile; the files and listings are the same.
WriteResult WriteScanReports(const ScanResult& result, const ChartState& chart,
                             const Options& options, ReportSet& files, OutputBuffers& out,
                             ScanObserver& observer, int threads = 1);

}  // namespace orrerion
