#pragma once
// The listings derived from the scan: the dates of exact aspect of the transits to natal
// ("_ex.txt") and the run lines of each sorted-by-planet file re-ordered by the day their run
// begins (".asc").
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/report_files.h"
#include "core/aspects/scan_observer.h"
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
std::string ExactLine(const ScanTables& tables, const ExactCandidate& candidate);

// The exact-date listing ("_ex.txt"): header, title, and one line per candidate under one
// degree, also appended to the buffers. Beeps once per candidate, listed or not.
WriteResult WriteExactDates(const ScanTables& tables, const ChartState& chart,
                            const FamilyFindings& findings, const std::filesystem::path& path,
                            OutputBuffers& out, ScanObserver& observer);

// The order of run lines by the day their run begins, keeping the order of lines that begin on
// the same day. `firstDays[i]` is the first day of line i, or -1 for a line that matches no
// scanned day (it is left out). Returns the line numbers in output order.
std::vector<std::size_t> OrderByFirstDay(const std::vector<int>& firstDays, int scanDays);

// The sorted-by-date pass of one family: reads the family's closed ".txt" file, writes its header
// and title and its run lines ordered by the day their run begins into `ascPath`, and appends the
// title and the lines to the buffers.
WriteResult WriteSortedByDate(const ScanTables& tables, const FamilyInfo& family,
                              const std::filesystem::path& txtPath,
                              const std::filesystem::path& ascPath, OutputBuffers& out);

}  // namespace orrerion
