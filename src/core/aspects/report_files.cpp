#include "core/aspects/report_files.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <system_error>


#include "core/aspects/report_sorting.h"
#include "core/aspects/summary.h"

namespace orrerion {

std::string ReportStem(std::string_view chartName) {
    const std::size_t blank = chartName.find(' ');
    const std::string_view word = blank == std::string_view::npos ? chartName
                                                                   : chartName.substr(0, blank);
    // Keep the first five characters; a UTF-8 continuation byte belongs to the character before.
    std::size_t end = 0;
    int characters = 0;
    while (end < word.size()) {
        const auto byte = static_cast<unsigned char>(word[end]);
        if ((byte & 0xC0) != 0x80) {
            if (characters == 5) break;
            ++characters;
        }
        ++end;
    }
    // A slash would take the report into another folder ("../x" into the data folder): it becomes
    // an underscore, so every report stays in the reports folder.
    std::string stem(word.substr(0, end));
    for (char& c : stem) {
        if (c == '/') c = '_';
    }
    return stem;
}

std::vector<std::string> ReportHeader(const ChartState& chart) {
    return {chart.ChartName, NatalDetailsLine(chart),
            "Diurnal date = " + DateDdMmmYyyy(DiurnalCalendarDate(chart)), ""};
}

void AddTextLine(OutputBuffers& out, std::string_view text) {
    out.LineText = text;
    AddOutputLine(out);
}

void WriteListingTitle(ReportFile& file, OutputBuffers& out, const std::string& title) {
    file.WriteLine(title);
    AddTextLine(out, "  " + title);
    file.WriteLine("");
    AddBlankLine(out);
}

// ---- ReportFile -------------------------------------------------------------------------------

namespace {
constexpr std::size_t FileBufferBytes = 1 << 20;
}

void ReportFile::EndLine() {
    buffer_.append("\r\n");
    if (buffer_.size() >= FileBufferBytes) {
        file_.Write(buffer_);
        buffer_.clear();
    }
}

WriteResult ReportFile::Close() {
    file_.Write(buffer_);
    buffer_.clear();
    return file_.Commit();
}

// ---- Points of a family -----------------------------------------------------------------------

namespace {

std::string_view Text(const std::array<char, 7>& a) { return {a.data(), a.size()}; }
std::string_view Text(const std::array<char, 2>& a) { return {a.data(), a.size()}; }

const PlacedPoint& PointOf(const ScanTables& tables, const ScannedDay& day, PointSet set, int body) {
    const auto i = static_cast<std::size_t>(body - 1);
    switch (set) {
        case PointSet::Transit: return day.transit[i];
        case PointSet::SolarArc: return day.solarArc[i];
        case PointSet::Progressed: return day.progressed[i];
        case PointSet::Natal: break;
    }
    return tables.natal[i];
}

// The movers of the family that pass its filter, and for each the targets that pass.
struct FamilyPairs {
    std::vector<int> movers;
    std::array<std::vector<int>, BodyCount + 1> targets;
};

FamilyPairs PairsOf(const FamilyInfo& family, const Options& options) {
    FamilyPairs pairs;
    for (int mover = SUN; mover <= MoverCount(family.family); ++mover) {
        if (!MoverUsed(family.family, mover, options)) continue;
        pairs.movers.push_back(mover);
        for (int target = SUN; target <= MC; ++target) {
            if (TargetUsed(family.family, mover, target, options)) {
                pairs.targets[static_cast<std::size_t>(mover)].push_back(target);
            }
        }
    }
    return pairs;
}

// Follows every mover, aspect and target cell as the days go by: opens a run on the first day in
// orb and closes it on the first day out of it, and feeds the exact-date search each day's
// distance. Only cells with an open run or an unsettled search are visited on a day without the
// aspect; every other cell would only see further days out of orb, which change nothing.
class HitTracker {
public:
    HitTracker(int moverCount, bool searchExact)
        : cells_(static_cast<std::size_t>(moverCount * AspectIndexCount * BodyCount)),
          searchExact_(searchExact) {}

    void Hit(int mover, int aspectIndex, int target, int day, float distance) {
        const std::size_t i = Index(mover, aspectIndex, target);
        Cell& cell = cells_[i];
        if (!cell.active) {
            cell.active = true;
            active_.push_back(i);
            // The days before were out of orb: a search that saw any of them has settled.
            if (day > 0) cell.exact = ExactSearch{NoAspectDistance, 0, true};
        }
        if (cell.runStart < 0) cell.runStart = day;
        cell.lastHit = day;
        if (searchExact_ && cell.exact.Step(distance, day)) AddCandidate(i, cell.exact);
    }

    void EndDay(int day) {
        std::size_t kept = 0;
        for (const std::size_t i : active_) {
            Cell& cell = cells_[i];
            if (cell.lastHit != day) {
                if (cell.runStart >= 0) {
                    AddRun(i, cell.runStart, day - 1);
                    cell.runStart = -1;
                }
                if (searchExact_ && !cell.exact.Settled() &&
                    cell.exact.Step(NoAspectDistance, day)) {
                    AddCandidate(i, cell.exact);
                }
                if (!searchExact_ || cell.exact.Settled()) {
                    cell.active = false;
                    continue;
                }
            }
            active_[kept++] = i;
        }
        active_.resize(kept);
    }

    // Closes the runs still open on the last day and puts the findings in listing order.
    void Finish(int scanDays, FamilyFindings& findings) {
        for (const std::size_t i : active_) {
            Cell& cell = cells_[i];
            if (cell.runStart >= 0) AddRun(i, cell.runStart, scanDays - 1);
        }
        active_.clear();
        auto byCell = [](const auto& a, const auto& b) {
            if (a.mover != b.mover) return a.mover < b.mover;
            if (a.target != b.target) return a.target < b.target;
            return a.aspectIndex < b.aspectIndex;
        };
        // Stable: the findings of one cell were added in day order.
        std::stable_sort(runs_.begin(), runs_.end(), byCell);
        std::stable_sort(candidates_.begin(), candidates_.end(), byCell);
        findings.runs = std::move(runs_);
        findings.exact = std::move(candidates_);
    }

private:
    struct Cell {
        int runStart = -1;
        int lastHit = -1;
        bool active = false;
        ExactSearch exact;
    };

    static std::size_t Index(int mover, int aspectIndex, int target) {
        return static_cast<std::size_t>(((mover - 1) * AspectIndexCount + aspectIndex) * BodyCount +
                                        (target - 1));
    }
    static void Split(std::size_t i, int& mover, int& aspectIndex, int& target) {
        const int n = static_cast<int>(i);
        target = n % BodyCount + 1;
        aspectIndex = (n / BodyCount) % AspectIndexCount;
        mover = n / (BodyCount * AspectIndexCount) + 1;
    }
    void AddRun(std::size_t i, int first, int last) {
        AspectRun run;
        Split(i, run.mover, run.aspectIndex, run.target);
        run.firstDay = first;
        run.lastDay = last;
        runs_.push_back(run);
    }
    void AddCandidate(std::size_t i, const ExactSearch& search) {
        ExactCandidate c;
        Split(i, c.mover, c.aspectIndex, c.target);
        c.day = search.day;
        c.distance = search.smallest;
        candidates_.push_back(c);
    }

    std::vector<Cell> cells_;
    std::vector<std::size_t> active_;
    std::vector<AspectRun> runs_;
    std::vector<ExactCandidate> candidates_;
    bool searchExact_;
};

}  // namespace

// ---- Listed by day ----------------------------------------------------------------------------

WriteResult WriteListedByDay(const ScanTables& tables, const FamilyInfo& family,
                             const ChartState& chart, const Options& options,
                             const std::filesystem::path& path, OutputBuffers& out,
                             ScanObserver& observer, FamilyFindings& findings) {
    ReportFile file(path);
    for (const std::string& line : ReportHeader(chart)) file.WriteLine(line);
    AddBlankLine(out);
    AddBlankLine(out);
    file.WriteLine(std::string(family.titleStart) + " - listed by day");
    file.WriteLine("");

    const AspectBounds bounds = MakeAspectBounds(options);
    const FamilyPairs pairs = PairsOf(family, options);
    HitTracker tracker(MoverCount(family.family),
                       family.family == AspectFamily::TransitToNatal);
    for (int day = 0; day < tables.ScanDays; ++day) {
        if (tables.ScanDays > 1) observer.ShowProgress(day, tables.ScanDays - 1);
        const ScannedDay& today = tables.days[static_cast<std::size_t>(day)];
        file.Append(DateDdMmmYyyy(today.date));
        file.Append(':');
        file.EndLine();
        for (const int mover : pairs.movers) {
            const PlacedPoint& m = PointOf(tables, today, family.movers, mover);
            for (const int target : pairs.targets[static_cast<std::size_t>(mover)]) {
                const PlacedPoint& t = PointOf(tables, today, family.targets, target);
                const AspectResult aspect = TestAspect(bounds, m.longitude, t.longitude);
                if (aspect.AspectCode == NoAspect) continue;
                // JUPITER 15ari23 (10) square     SUN     14cap50 ( 7)
                file.Append(PointName(mover));
                file.Append(' ');
                file.Append(Text(m.position));
                file.Append(" (");
                file.Append(Text(m.house));
                file.Append(") ");
                file.Append(AspectName(aspect.AspectCode));
                file.Append(PointName(target));
                file.Append(' ');
                file.Append(Text(t.position));
                file.Append(" (");
                file.Append(Text(t.house));
                file.Append(')');
                file.EndLine();
                tracker.Hit(mover, aspect.AspectCode - 2, target, day, std::fabs(aspect.distance));
            }
        }
        file.EndLine();
        tracker.EndDay(day);
    }
    tracker.Finish(tables.ScanDays, findings);
    return file.Close();
}

// ---- Sorted by planet -------------------------------------------------------------------------

int RunDateColumn(const FamilyInfo& family) { return family.targets == PointSet::Natal ? 66 : 78; }

std::string RunLine(const ScanTables& tables, const FamilyInfo& family, const AspectRun& run) {
    const ScannedDay& first = tables.days[static_cast<std::size_t>(run.firstDay)];
    const ScannedDay& last = tables.days[static_cast<std::size_t>(run.lastDay)];
    auto pointSpan = [&](std::string& line, PointSet set, int body) {
        const PlacedPoint& a = PointOf(tables, first, set, body);
        const PlacedPoint& b = PointOf(tables, last, set, body);
        line.append(Text(a.position)).append("(").append(Text(a.house)).append(")-");
        line.append(Text(b.position)).append("(").append(Text(b.house)).append(")");
    };

    std::string line;
    line.reserve(100);
    line.append(PointName(run.mover)).append(" ");
    pointSpan(line, family.movers, run.mover);
    line.append(" ").append(AspectName(run.aspectIndex + 2)).append(PointName(run.target));
    line.append(" ");
    if (family.targets == PointSet::Natal) {
        const PlacedPoint& t = tables.natal[static_cast<std::size_t>(run.target - 1)];
        line.append(Text(t.position)).append("(").append(Text(t.house)).append(")");
    } else {
        pointSpan(line, family.targets, run.target);
    }
    const std::string firstText = DateDdMmmYy(first.date);
    const std::string lastText = DateDdMmmYy(last.date);
    line.append(", ");
    line.append(firstText == tables.ScanFirstText ? "<" : " ");
    line.append(firstText).append("-").append(lastText);
    if (lastText == tables.ScanLastText) line.append(">");
    return line;
}

WriteResult WriteSortedByPlanet(const ScanTables& tables, const FamilyInfo& family,
                                const ChartState& chart, const Options& options,
                                const FamilyFindings& findings, const std::filesystem::path& path,
                                OutputBuffers& out, ScanObserver& observer) {
    ReportFile file(path);
    for (const std::string& line : ReportHeader(chart)) file.WriteLine(line);
    const std::string title = std::string(family.titleStart) + " - sorted by planet";
    WriteListingTitle(file, out, title);

    const std::vector<AspectRun>& runs = findings.runs;
    std::size_t next = 0;
    for (int mover = SUN; mover <= MoverCount(family.family); ++mover) {
        if (!MoverUsed(family.family, mover, options)) continue;
        observer.ShowProgress(mover - 1, 5);
        for (; next < runs.size() && runs[next].mover <= mover; ++next) {
            const std::string line = RunLine(tables, family, runs[next]);
            file.WriteLine(line);
            AddTextLine(out, "  " + line);
        }
    }
    return file.Close();
}

}  // namespace orrerion
