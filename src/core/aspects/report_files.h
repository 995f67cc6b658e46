#pragma once
// The report files of the aspect scan: their names, the common header, the listed-by-day pass
// that runs the aspect test day by day, and the sorted-by-planet pass that lists each run of
// consecutive days in orb.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/scan_observer.h"
#include "core/base/output_lines.h"
#include "core/chart/chart_state.h"
#include "core/io/file_replace.h"

namespace orrerion {

// The start of every report file name: the chart name's text before its first blank, cut to five
// characters ("Jonathan Smith" gives "Jonat", "Now" gives "Now", a leading blank gives "").
// Characters are counted as UTF-8 code points, so an accented letter is never cut in half; a
// slash becomes an underscore so that the files stay in the reports folder.
std::string ReportStem(std::string_view chartName);

// The four lines that open every report file: chart name, natal details, diurnal date, empty.
std::vector<std::string> ReportHeader(const ChartState& chart);

// A report file written line by line, each line ended by CR LF, through a FileReplacement that
// Close() renames over the target. A file that is never closed successfully leaves the target as
// it was.
class ReportFile {
public:
    explicit ReportFile(std::filesystem::path path) : file_(std::move(path)) {}

    void Append(std::string_view text) { buffer_.append(text); }
    void Append(char c) { buffer_.push_back(c); }
    void EndLine();  // CR LF; passes a full buffer on to the file
    void WriteLine(std::string_view line) {
        Append(line);
        EndLine();
    }
    // Writes the rest and renames; the result names the file and the reason on failure. The data
    // is not forced to disk: every scan rewrites its reports, and sixteen syncs would cost more
    // than the whole scan of a few months.
    WriteResult Close();

private:
    FileReplacement file_;
    std::string buffer_;
};

// A maximal stretch of consecutive days in orb for one mover, aspect and target.
struct AspectRun {
    int mover = 0;   // BodyIndex
    int target = 0;  // BodyIndex
    int aspectIndex = 0;  // AspectCode - 2
    int firstDay = 0;
    int lastDay = 0;
};

// A local minimum of the distance from exact found by the exact-date search (transits to natal).
struct ExactCandidate {
    int mover = 0;
    int target = 0;
    int aspectIndex = 0;
    int day = 0;
    float distance = 0.0f;  // degrees, deliberate single precision like the distances it compares
};

// What the listed-by-day pass finds for one family, in the order the later passes list it:
// by mover, target and aspect index, then by day.
struct FamilyFindings {
    std::vector<AspectRun> runs;
    std::vector<ExactCandidate> exact;  // transits to natal only, every candidate (one beep each)
};

// The listed-by-day pass (".doc"): header, title, then for every day its date line, one line per
// aspect found and an empty line. Appends two empty lines to the buffers. Finds the runs and,
// for transits to natal, the exact-date candidates as the days go by.
WriteResult WriteListedByDay(const ScanTables& tables, const FamilyInfo& family,
                             const ChartState& chart, const Options& options,
                             const std::filesystem::path& path, OutputBuffers& out,
                             ScanObserver& observer, FamilyFindings& findings);

// "JUPITER 14ari58(10)-15ari40(10) square     SUN     14cap50( 7), <01 Jan 97-19 Jan 97"
std::string RunLine(const ScanTables& tables, const FamilyInfo& family, const AspectRun& run);

// The column (1-based) where a run line's first date begins: 66 for natal targets, 78 for
// progressed ones.
int RunDateColumn(const FamilyInfo& family);

// The sorted-by-planet pass (".txt"): header, title, and the run lines, which are also appended
// to the buffers after the title, each indented by two blanks.
WriteResult WriteSortedByPlanet(const ScanTables& tables, const FamilyInfo& family,
                                const ChartState& chart, const Options& options,
                                const FamilyFindings& findings, const std::filesystem::path& path,
                                OutputBuffers& out, ScanObserver& observer);

// LineText = text, then AddOutputLine.
void AddTextLine(OutputBuffers& out, std::string_view text);

// The title of a listing: written to the file followed by an empty line, and appended to the
// output buffers indented by two blanks, followed by an empty line.
void WriteListingTitle(ReportFile& file, OutputBuffers& out, const std::string& title);

}  // namespace orrerion
