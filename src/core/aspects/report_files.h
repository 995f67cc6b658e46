#pragma once
// The report files of the aspect scan: their names and common header, the sixteen files written
// as one set, the listed-by-day pass that tests the aspects day by day and finds the runs, and the
// sorted-by-planet file that lists each run.
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/scan_observer.h"
#include "core/aspects/scan_result.h"
#include "core/base/output_lines.h"
#include "core/chart/chart_state.h"
#include "core/io/file_replace.h"
#include "core/io/file_set.h"

namespace orrerion {

// The start of every report file name: the chart name's text before its first blank, cut to five
// characters ("Jonathan Smith" gives "Jonat", "Now" gives "Now", a leading blank gives "").
// Characters are counted as UTF-8 code points, so an accented letter is never cut in half; a
// slash becomes an underscore so that the files stay in the reports folder.
std::string ReportStem(std::string_view chartName);

// The four lines that open every report file: chart name, natal details, diurnal date, empty.
std::vector<std::string> ReportHeader(const ChartState& chart);

// Text built in place: grows without filling the new space first, keeps its memory when cleared.
class TextBuffer {
public:
    // Makes room for `n` more characters and returns where they go; Commit() counts them.
    char* Reserve(std::size_t n);
    void Commit(std::size_t n) { size_ += n; }
    void Append(std::string_view text);
    std::string_view view() const { return {data_.get(), size_}; }
    void clear() { size_ = 0; }

private:
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// A report file written line by line, each line ended by CR LF, into a FileReplacement. Finish()
// completes the content without touching the target; Publish() renames it over the target. A file
// that is never published leaves the target as it was.
class ReportFile {
public:
    explicit ReportFile(std::filesystem::path path) : file_(std::in_place, std::move(path)) {}
    // Written at `path`, named `shownAs` in messages (a file of a set written into its generation).
    ReportFile(std::filesystem::path path, std::filesystem::path shownAs)
        : file_(std::in_place, std::move(path), Durability::Flushed, std::move(shownAs)) {}
    // No file: what is written is let go, and Finish() and Close() succeed.
    ReportFile() = default;

    void Append(std::string_view text) { buffer_.append(text); }
    void Append(char c) { buffer_.push_back(c); }
    void EndLine();  // CR LF; passes a full buffer on to the file
    void WriteLine(std::string_view line) {
        Append(line);
        EndLine();
    }
    // Lines already ended, handed on without copying.
    void AppendLines(std::string_view lines);

    // Writes the rest and closes; the result names the file and the reason on failure. The data is
    // not forced to disk: every scan rewrites its reports, and sixteen syncs would cost more than
    // the whole scan of a few months.
    WriteResult Finish();
    // The file being written; only for a ReportFile with a file.
    FileReplacement& replacement() { return *file_; }
    // Finish() then the rename.
    WriteResult Close();

private:
    // Hands a full buffer on, or lets it go without a file.
    void Pass();

    std::optional<FileReplacement> file_;
    std::string buffer_;
};

// The sixteen files of one scan: for each family its listed-by-day (".doc"), sorted-by-planet
// (".txt") and sorted-by-date (".asc") files, and the exact dates of the transits ("_ex.txt").
// They are written into a new generation of the stem's file set and published at one stroke (see
// FileSetGeneration): a scan killed at any moment leaves the whole previous set, and the next scan
// clears what it left.
class ReportSet {
public:
    ReportSet(const std::filesystem::path& folder, const std::string& stem);
    // A set without files, for a scan asked for its runs alone: every file lets its text go, nothing
    // is written anywhere, and Publish() succeeds.
    ReportSet();

    // False for a set without files: text meant only for the files need not be made.
    bool writesFiles() const { return generation_.has_value(); }

    ReportFile& ListedByDay(AspectFamily family) { return *doc_[FamilyIndex(family)]; }
    ReportFile& SortedByPlanet(AspectFamily family) { return *txt_[FamilyIndex(family)]; }
    ReportFile& SortedByDate(AspectFamily family) { return *asc_[FamilyIndex(family)]; }
    ReportFile& ExactDates() { return *exact_; }

    // Makes the finished files the set readers find under the report names.
    WriteResult Publish();

private:
    std::optional<FileSetGeneration> generation_;
    std::array<std::unique_ptr<ReportFile>, FamilyCount> doc_, txt_, asc_;
    std::unique_ptr<ReportFile> exact_;
};

// ---- The listed-by-day pass ---------------------------------------------------------------------

// A mover, aspect and target of one family: ((mover - 1) * 9 + aspect index) * slots + target - 1,
// where slots is 12, or PointSlotCount when extra points are chosen.
using CellIndex = std::uint16_t;
static_assert(PointSlotCount * AspectIndexCount * PointSlotCount <= UINT16_MAX);

struct AspectHit {
    CellIndex cell = 0;
    float distance = 0.0f;  // |distance from exact|, degrees, deliberate single precision
};

// Consecutive scanned days and what the listed-by-day pass makes of them, family by family.
struct ListedBlock {
    int firstDay = 0;
    std::vector<ScannedDay> days;
    std::array<TextBuffer, FamilyCount> lines;  // the days' listed-by-day lines, CR LF ended
    std::array<std::vector<AspectHit>, FamilyCount> hits;
    std::array<std::vector<std::uint32_t>, FamilyCount> hitsEnd;  // per day: end of its hits
};

// Runs the listed-by-day pass of every family over a scan's days, taken in blocks. ListBlock may
// run on any thread for any block; TakeBlock takes the blocks in day order, one at a time: it
// hands the lines to the ".doc" files and follows every mover, aspect and target from day to day
// to find the runs and, for the transits to natal, the minima of the exact-date search.
class ListedByDayPass {
public:
    // `natal`: the natal targets; the listed-by-day files of `files` get their header and title.
    // The chart's chosen extra points are followed too; their lines are listed only with
    // `pointsInReports`, after each day's lines of the twelve.
    ListedByDayPass(const ChartState& chart, const Options& options, int scanDays, const NatalPlaces& natal,
                    ReportSet& files, bool pointsInReports = false);
    ~ListedByDayPass();

    // The block's hits and, when the files are written, its listed-by-day lines.
    void ListBlock(ListedBlock& block) const;
    // Whether the listed-by-day lines are made, which need the points' listed texts.
    bool ListsLines() const { return listLines_; }
    void TakeBlock(const ListedBlock& block);
    // After the last day: the runs and exact dates in their listing orders.
    ScanResult Finish(double DiurnalJD);

private:
    struct Family;
    struct Cell;
    // Ends the cell's open run on `lastDay`, whose record is `last`.
    void AddRun(const Family& family, std::size_t index, Cell& cell, int lastDay,
                const ScannedDay& last);
    PlaceCode PlaceOf(PointSet set, const ScannedDay& day, int body) const;
    struct CellParts {
        int mover, aspectIndex, target;
    };
    CellIndex CellOf(int mover, int aspectIndex, int target) const;
    CellParts PartsOf(std::size_t cell) const;

    int scanDays_;
    int slots_ = BodyCount;  // targets per mover and aspect in a cell index
    NatalPlaces natal_;
    ReportSet& files_;
    AspectBounds bounds_;
    std::vector<std::unique_ptr<Family>> families_;
    bool listLines_ = true;  // the listed-by-day lines are made (the set writes files)
    ScannedDay previousDay_;  // the last day of the block taken before
    std::vector<ScanRun> runs_;
    std::vector<DayRange> ranges_;
    struct Candidate {
        CellIndex cell;
        std::int16_t day;
        float distance;
        PlaceCode mover;
    };
    std::vector<Candidate> candidates_;
};

// ---- Sorted by planet -------------------------------------------------------------------------

// "JUPITER 14ari58(10)-15ari40(10) square     SUN     14cap50( 7), <01 Jan 97-19 Jan 97"
void AppendRunLine(std::string& line, const ScanResult& result, const ScanRun& run);
std::string RunLine(const ScanResult& result, const ScanRun& run);

// The column (1-based) where a run line's first date begins: 66 for natal targets, 78 for
// progressed ones.
int RunDateColumn(const FamilyInfo& family);

// The sorted-by-planet file (".txt"): header, title, and the run lines, which are also appended
// to the buffers after the title, each indented by two blanks.
void WriteSortedByPlanet(const ScanResult& result, const FamilyInfo& family, const ChartState& chart,
                         const Options& options, ReportFile& file, OutputBuffers& out,
                         ScanObserver& observer);

// LineText = text, then AddOutputLine.
void AddTextLine(OutputBuffers& out, std::string_view text);
// LineText = two blanks and text, then AddOutputLine; nothing is built once the buffers are full.
void AddIndentedLine(OutputBuffers& out, std::string_view text);

// The title of a listing: written to the file followed by an empty line, and appended to the
// output buffers indented by two blanks, followed by an empty line.
void WriteListingTitle(ReportFile& file, OutputBuffers& out, const std::string& title);

}  // namespace orrerion
