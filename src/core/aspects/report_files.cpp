#include "core/aspects/report_files.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>
#include <stdexcept>
#include <tuple>

#include "core/aspects/report_sorting.h"
#include "core/aspects/summary.h"
#include "core/io/fixed_line.h"

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

void AddIndentedLine(OutputBuffers& out, std::string_view text) {
    // Past the limit a line is only dropped: AddOutputLine marks nothing more once both buffers
    // are cut.
    if (out.outputCut && out.dataCut) return;
    out.LineText.assign("  ").append(text);
    AddOutputLine(out);
}

void WriteListingTitle(ReportFile& file, OutputBuffers& out, const std::string& title) {
    file.WriteLine(title);
    AddIndentedLine(out, title);
    file.WriteLine("");
    AddBlankLine(out);
}

// ---- Files -------------------------------------------------------------------------------------

namespace {
// A report file passes its text on in pieces of about this size.
constexpr std::size_t FileBufferBytes = 256 << 10;
// Lines handed on in one piece at least this large are written without copying.
constexpr std::size_t DirectLinesBytes = 32 << 10;
}  // namespace

char* TextBuffer::Reserve(std::size_t n) {
    if (size_ + n > capacity_) {
        const std::size_t capacity = std::max(size_ + n, 2 * capacity_);
        std::unique_ptr<char[]> data(new char[capacity]);
        if (size_ != 0) std::memcpy(data.get(), data_.get(), size_);
        data_ = std::move(data);
        capacity_ = capacity;
    }
    return data_.get() + size_;
}

void TextBuffer::Append(std::string_view text) {
    if (text.empty()) return;
    std::memcpy(Reserve(text.size()), text.data(), text.size());
    Commit(text.size());
}

void ReportFile::Pass() {
    if (file_) file_->Write(buffer_);
    buffer_.clear();
}

void ReportFile::EndLine() {
    buffer_.append("\r\n");
    if (buffer_.size() >= FileBufferBytes) Pass();
}

void ReportFile::AppendLines(std::string_view lines) {
    if (lines.size() < DirectLinesBytes) {
        buffer_.append(lines);
        if (buffer_.size() >= FileBufferBytes) Pass();
        return;
    }
    if (!buffer_.empty()) Pass();
    if (file_) file_->Write(lines);
}

WriteResult ReportFile::Finish() {
    Pass();
    std::string().swap(buffer_);  // a finished file of a set holds no memory until published
    return file_ ? file_->Finish() : WriteResult{};
}

WriteResult ReportFile::Close() {
    if (WriteResult finished = Finish(); !finished.ok) return finished;
    return file_ ? file_->Publish() : WriteResult{};
}

ReportSet::ReportSet(const std::filesystem::path& folder, const std::string& stem)
    : generation_(std::in_place, folder, stem) {
    auto file = [&](std::string_view suffix, std::string_view extension) {
        const std::string name = stem + std::string(suffix) + std::string(extension);
        return std::make_unique<ReportFile>(generation_->PathOf(name), folder / name);
    };
    for (const FamilyInfo& family : ScanFamilies) {
        const std::size_t i = FamilyIndex(family.family);
        doc_[i] = file(family.Suffix(), ".doc");
        txt_[i] = file(family.Suffix(), ".txt");
        asc_[i] = file(family.Suffix(), ".asc");
    }
    exact_ = file("_ex", ".txt");
}

ReportSet::ReportSet() {
    for (const FamilyInfo& family : ScanFamilies) {
        const std::size_t i = FamilyIndex(family.family);
        doc_[i] = std::make_unique<ReportFile>();
        txt_[i] = std::make_unique<ReportFile>();
        asc_[i] = std::make_unique<ReportFile>();
    }
    exact_ = std::make_unique<ReportFile>();
}

WriteResult ReportSet::Publish() {
    if (!generation_) return {};
    // In the order the files are written.
    std::vector<FileReplacement*> files;
    for (const FamilyInfo& family : ScanFamilies) {
        files.push_back(&ListedByDay(family.family).replacement());
        files.push_back(&SortedByPlanet(family.family).replacement());
        if (family.family == AspectFamily::TransitToNatal) files.push_back(&exact_->replacement());
    }
    for (AspectFamily family : SortedByDateOrder) files.push_back(&SortedByDate(family).replacement());
    // Each file takes its name inside the new generation, then the generation becomes the set.
    if (WriteResult written = PublishTogether(files); !written.ok) return written;
    std::vector<std::string> names;
    for (const FileReplacement* file : files) names.push_back(file->target().filename().string());
    return generation_->Publish(names);
}

// ---- The listed-by-day pass ---------------------------------------------------------------------

namespace {

const PlacedPoint* PointsOf(const ScannedDay& day, PointSet set, const NatalPlaces& natal) {
    switch (set) {
        case PointSet::Transit: return day.transit.data();
        case PointSet::SolarArc: return day.solarArc.data();
        case PointSet::Progressed: return day.progressed.data();
        case PointSet::Natal: break;
    }
    return natal.data();
}

// "JUPITER 15ari23 (10) square     SUN     14cap50 ( 7)" and CR LF: the mover's listed text, the
// aspect name and the target's listed text without its last blank.
constexpr std::size_t ListedLineSize =
    WidthSum({PlacedPoint::ListedSize, AspectNameSize, PlacedPoint::ListedSize - 1, 2});
static_assert(ListedLineSize == 54);

}  // namespace

CellIndex ListedByDayPass::CellOf(int mover, int aspectIndex, int target) const {
    return static_cast<CellIndex>(((mover - 1) * AspectIndexCount + aspectIndex) * slots_ + target - 1);
}

ListedByDayPass::CellParts ListedByDayPass::PartsOf(std::size_t cell) const {
    const int n = static_cast<int>(cell);
    return {n / (AspectIndexCount * slots_) + 1, (n / slots_) % AspectIndexCount, n % slots_ + 1};
}

// One mover, aspect and target as the days go by.
struct ListedByDayPass::Cell {
    int runStart = -1;
    int lastHit = -1;
    bool active = false;
    ExactSearch exact;
    float smallestOrb = 0.0f;  // so far in the open run
    PlaceCode moverFirst = 0;
    PlaceCode targetFirst = 0;
    std::vector<DayRange> smallestDays;  // of the open run
};

// One family's pairs and the state of each of its cells as the days go by. Only cells with an
// open run or an unsettled search are visited on a day without the aspect; every other cell would
// only see further days out of orb, which change nothing.
struct ListedByDayPass::Family {
    const FamilyInfo* info = nullptr;
    struct Pair {
        std::uint8_t mover = 0;
        std::uint8_t target = 0;
        CellIndex cell = 0;  // of aspect index 0
    };
    // By mover, then target: the order of the listed lines. The twelve's pairs come first, then
    // those of the extra points; the first `listedPairs` are listed.
    std::vector<Pair> pairs;
    std::size_t listedPairs = 0;
    bool searchExact = false;
    std::vector<Cell> cells;
    std::vector<CellIndex> active;  // cells with an open run or an unsettled search
};

ListedByDayPass::ListedByDayPass(const ChartState& chart, const Options& options, int scanDays,
                                 const NatalPlaces& natal, ReportSet& files, bool pointsInReports)
    : scanDays_(scanDays),
      slots_(chart.Points.Any() ? PointSlotCount : BodyCount),
      natal_(natal),
      files_(files),
      bounds_(MakeAspectBounds(options)),
      listLines_(files.writesFiles()) {
    const std::vector<std::string> header = ReportHeader(chart);
    for (const FamilyInfo& info : ScanFamilies) {
        auto family = std::make_unique<Family>();
        family->info = &info;
        family->searchExact = info.family == AspectFamily::TransitToNatal;
        auto addPair = [&](int mover, int target) {
            family->pairs.push_back(
                {static_cast<std::uint8_t>(mover), static_cast<std::uint8_t>(target), CellOf(mover, 0, target)});
        };
        const PointChoice& points = chart.Points;
        for (int mover = SUN; mover <= MoverCount(info.family); ++mover) {
            if (!MoverUsed(info.family, mover, options)) continue;
            for (int target = SUN; target <= MC; ++target) {
                if (TargetUsed(info.family, mover, target, options)) addPair(mover, target);
            }
        }
        family->listedPairs = family->pairs.size();
        if (points.Any()) {
            // The twelve to the extra points, then the extra points to every point.
            for (int mover = SUN; mover <= MoverCount(info.family); ++mover) {
                if (!MoverUsed(info.family, mover, options)) continue;
                for (int target = FirstExtraPointBody; target <= PointSlotCount; ++target) {
                    if (ExtraTargetUsed(info.family, mover, target, points)) addPair(mover, target);
                }
            }
            for (int mover = FirstExtraPointBody; mover <= PointSlotCount; ++mover) {
                if (!ExtraMoverUsed(info.family, mover, points)) continue;
                for (int target = SUN; target <= PointSlotCount; ++target) {
                    const bool used = IsExtraPointBody(target) ? ExtraTargetUsed(info.family, mover, target, points)
                                                               : TargetUsed(info.family, mover, target, options);
                    if (used) addPair(mover, target);
                }
            }
            if (pointsInReports) family->listedPairs = family->pairs.size();
        }
        const int movers = points.Any() ? PointSlotCount : MoverCount(info.family);
        family->cells.resize(static_cast<std::size_t>(movers * AspectIndexCount * slots_));
        families_.push_back(std::move(family));

        if (!listLines_) continue;
        ReportFile& doc = files.ListedByDay(info.family);
        for (const std::string& line : header) doc.WriteLine(line);
        doc.WriteLine(std::string(info.titleStart) + " - listed by day");
        doc.WriteLine("");
    }
}

ListedByDayPass::~ListedByDayPass() = default;

void ListedByDayPass::ListBlock(ListedBlock& block) const {
    std::array<std::array<char, AspectNameSize>, AspectIndexCount> aspectNames{};
    for (int i = 0; i < AspectIndexCount; ++i) {
        const std::string_view name = AspectName(i + 2);
        if (name.size() != AspectNameSize) throw std::logic_error("aspect name of another width");
        std::memcpy(aspectNames[static_cast<std::size_t>(i)].data(), name.data(), AspectNameSize);
    }
    for (std::size_t f = 0; f < families_.size(); ++f) {
        const Family& family = *families_[f];
        TextBuffer& text = block.lines[f];
        std::vector<AspectHit>& hits = block.hits[f];
        std::vector<std::uint32_t>& hitsEnd = block.hitsEnd[f];
        text.clear();
        hits.clear();
        hitsEnd.clear();
        // The hits of pairs without their lines, as the listing loop below finds them.
        const auto addHits = [&](std::span<const Family::Pair> pairs, const PlacedPoint* movers,
                                 const PlacedPoint* targets) {
            for (const Family::Pair& pair : pairs) {
                const AspectResult aspect =
                    TestAspect(bounds_, movers[pair.mover - 1].longitude, targets[pair.target - 1].longitude);
                if (aspect.AspectCode == NoAspect) continue;
                hits.push_back({static_cast<CellIndex>(pair.cell + (aspect.AspectCode - 2) * slots_),
                                std::fabs(aspect.distance)});
            }
        };
        if (!listLines_) {
            for (const ScannedDay& day : block.days) {
                addHits(family.pairs, PointsOf(day, family.info->movers, natal_),
                        PointsOf(day, family.info->targets, natal_));
                hitsEnd.push_back(static_cast<std::uint32_t>(hits.size()));
            }
            continue;
        }
        for (const ScannedDay& day : block.days) {
            const PlacedPoint* movers = PointsOf(day, family.info->movers, natal_);
            const PlacedPoint* targets = PointsOf(day, family.info->targets, natal_);
            char* const start = text.Reserve(day.listedDateSize + family.pairs.size() * ListedLineSize + 2);
            char* out = start;
            std::memcpy(out, day.listedDate.data(), day.listedDateSize);
            out += day.listedDateSize;
            const std::span<const Family::Pair> listed(family.pairs.data(), family.listedPairs);
            for (const Family::Pair& pair : listed) {
                const PlacedPoint& m = movers[pair.mover - 1];
                const PlacedPoint& t = targets[pair.target - 1];
                const AspectResult aspect = TestAspect(bounds_, m.longitude, t.longitude);
                if (aspect.AspectCode == NoAspect) continue;
                const int aspectIndex = aspect.AspectCode - 2;
                // Within the room reserved above: ListedLineSize is the sum of these widths.
                constexpr std::size_t aspectAt = PlacedPoint::ListedSize;
                constexpr std::size_t targetAt = aspectAt + AspectNameSize;
                constexpr std::size_t endAt = targetAt + PlacedPoint::ListedSize - 1;
                static_assert(endAt + 2 == ListedLineSize);
                std::memcpy(out, m.listed.data(), PlacedPoint::ListedSize);
                std::memcpy(out + aspectAt, aspectNames[static_cast<std::size_t>(aspectIndex)].data(),
                            AspectNameSize);
                std::memcpy(out + targetAt, t.listed.data(), PlacedPoint::ListedSize - 1);
                out[endAt] = '\r';
                out[endAt + 1] = '\n';
                out += ListedLineSize;
                hits.push_back({static_cast<CellIndex>(pair.cell + aspectIndex * slots_),
                                std::fabs(aspect.distance)});
            }
            // The pairs left out of the listing count their hits alone.
            addHits(std::span(family.pairs).subspan(family.listedPairs), movers, targets);
            out[0] = '\r';
            out[1] = '\n';
            out += 2;
            text.Commit(static_cast<std::size_t>(out - start));
            hitsEnd.push_back(static_cast<std::uint32_t>(hits.size()));
        }
    }
}

void ListedByDayPass::TakeBlock(const ListedBlock& block) {
    // The day record of scan day `day`: in this block, or the last of the block before.
    auto dayRecord = [&](int day) -> const ScannedDay& {
        return day >= block.firstDay ? block.days[static_cast<std::size_t>(day - block.firstDay)]
                                     : previousDay_;
    };
    for (std::size_t f = 0; f < families_.size(); ++f) {
        Family& family = *families_[f];
        const FamilyInfo& info = *family.info;
        files_.ListedByDay(info.family).AppendLines(block.lines[f].view());

        // The search reports a minimum on the day after it, when the distance stops falling.
        auto addCandidate = [&](std::size_t index, const ExactSearch& search) {
            const int mover = PartsOf(index).mover;
            candidates_.push_back({static_cast<CellIndex>(index),
                                   static_cast<std::int16_t>(search.day), search.smallest,
                                   PlaceOf(info.movers, dayRecord(search.day), mover)});
        };

        std::uint32_t next = 0;
        for (std::size_t i = 0; i < block.days.size(); ++i) {
            const int day = block.firstDay + static_cast<int>(i);
            const ScannedDay& today = block.days[i];
            for (; next < block.hitsEnd[f][i]; ++next) {
                const AspectHit& hit = block.hits[f][next];
                Cell& cell = family.cells[hit.cell];
                if (!cell.active) {
                    cell.active = true;
                    family.active.push_back(hit.cell);
                    // The days before were out of orb: a search that saw any of them has settled.
                    if (day > 0) cell.exact = ExactSearch{NoAspectDistance, 0, true};
                }
                const auto d = static_cast<std::int16_t>(day);
                if (cell.runStart < 0) {
                    const CellParts parts = PartsOf(hit.cell);
                    cell.runStart = day;
                    cell.moverFirst = PlaceOf(info.movers, today, parts.mover);
                    cell.targetFirst = PlaceOf(info.targets, today, parts.target);
                    cell.smallestOrb = hit.distance;
                    cell.smallestDays.assign(1, {d, d});
                } else if (hit.distance < cell.smallestOrb) {
                    cell.smallestOrb = hit.distance;
                    cell.smallestDays.assign(1, {d, d});
                } else if (hit.distance == cell.smallestOrb) {
                    if (cell.smallestDays.back().last == day - 1) {
                        cell.smallestDays.back().last = d;
                    } else {
                        cell.smallestDays.push_back({d, d});
                    }
                }
                cell.lastHit = day;
                if (family.searchExact && cell.exact.Step(hit.distance, day)) {
                    addCandidate(hit.cell, cell.exact);
                }
            }

            // The end of the day: runs not continued today end yesterday.
            std::size_t kept = 0;
            for (const CellIndex index : family.active) {
                Cell& cell = family.cells[index];
                if (cell.lastHit != day) {
                    if (cell.runStart >= 0) AddRun(family, index, cell, day - 1, dayRecord(day - 1));
                    if (family.searchExact && !cell.exact.Settled() &&
                        cell.exact.Step(NoAspectDistance, day)) {
                        addCandidate(index, cell.exact);
                    }
                    if (!family.searchExact || cell.exact.Settled()) {
                        cell.active = false;
                        continue;
                    }
                }
                family.active[kept++] = index;
            }
            family.active.resize(kept);
        }
    }
    if (!block.days.empty()) previousDay_ = block.days.back();
}

PlaceCode ListedByDayPass::PlaceOf(PointSet set, const ScannedDay& day, int body) const {
    return PointsOf(day, set, natal_)[body - 1].place;
}

void ListedByDayPass::AddRun(const Family& family, std::size_t index, Cell& cell, int lastDay,
                             const ScannedDay& last) {
    const FamilyInfo& info = *family.info;
    const CellParts parts = PartsOf(index);
    ScanRun run;
    run.family = info.family;
    run.mover = static_cast<std::uint8_t>(parts.mover);
    run.AspectCode = static_cast<std::uint8_t>(parts.aspectIndex + 2);
    run.target = static_cast<std::uint8_t>(parts.target);
    run.firstDay = static_cast<std::int16_t>(cell.runStart);
    run.lastDay = static_cast<std::int16_t>(lastDay);
    // The reports mark a run that meets either end of the span.
    run.continuesBefore = cell.runStart == 0;
    run.continuesAfter = lastDay == scanDays_ - 1;
    run.smallestOrb = cell.smallestOrb;
    run.smallestOrbRangeAt = static_cast<std::uint32_t>(ranges_.size());
    run.smallestOrbRangeCount = static_cast<std::uint16_t>(cell.smallestDays.size());
    ranges_.insert(ranges_.end(), cell.smallestDays.begin(), cell.smallestDays.end());
    run.moverFirst = cell.moverFirst;
    run.targetFirst = cell.targetFirst;
    run.moverLast = PlaceOf(info.movers, last, parts.mover);
    run.targetLast = PlaceOf(info.targets, last, parts.target);
    runs_.push_back(run);
    cell.runStart = -1;
}

ScanResult ListedByDayPass::Finish(double DiurnalJD) {
    // Runs still open on the last day end there.
    for (const auto& family : families_) {
        for (const CellIndex index : family->active) {
            Cell& cell = family->cells[index];
            if (cell.runStart >= 0) AddRun(*family, index, cell, scanDays_ - 1, previousDay_);
        }
        family->active.clear();
    }

    // The listing order: family, mover, target, aspect, then day. A cell's runs never begin on the
    // same day, so the order is complete.
    auto runKey = [](const ScanRun& r) {
        return std::tuple(r.family, r.mover, r.target, r.AspectCode, r.firstDay);
    };
    std::sort(runs_.begin(), runs_.end(),
              [&](const ScanRun& a, const ScanRun& b) { return runKey(a) < runKey(b); });
    auto candidateKey = [this](const Candidate& c) {
        const CellParts p = PartsOf(c.cell);
        return std::tuple(p.mover, p.target, p.aspectIndex, c.day);
    };
    std::sort(candidates_.begin(), candidates_.end(), [&](const Candidate& a, const Candidate& b) {
        return candidateKey(a) < candidateKey(b);
    });

    ScanResult result;
    result.DiurnalJD = DiurnalJD;
    result.ScanDays = scanDays_;
    for (std::size_t i = 0; i < natal_.size(); ++i) result.natal[i] = natal_[i].place;
    result.runs = std::move(runs_);
    result.runs.shrink_to_fit();
    result.smallestOrbDays = std::move(ranges_);
    result.smallestOrbDays.shrink_to_fit();
    std::size_t at = 0;
    for (std::size_t f = 0; f < FamilyCount; ++f) {
        result.familyStart[f] = static_cast<std::uint32_t>(at);
        while (at < result.runs.size() && FamilyIndex(result.runs[at].family) == f) ++at;
    }
    result.familyStart[FamilyCount] = static_cast<std::uint32_t>(at);

    // Each minimum lies in a run of its cell: walk both in their common order.
    result.exactDates.reserve(candidates_.size());
    std::uint32_t run = result.familyStart[FamilyIndex(AspectFamily::TransitToNatal)];
    const std::uint32_t runsEnd = result.familyStart[FamilyIndex(AspectFamily::TransitToNatal) + 1];
    for (const Candidate& c : candidates_) {
        const CellParts p = PartsOf(c.cell);
        const auto key = std::tuple(p.mover, p.target, p.aspectIndex + 2);
        while (run < runsEnd) {
            const ScanRun& r = result.runs[run];
            const auto runCell = std::tuple(int{r.mover}, int{r.target}, int{r.AspectCode});
            if (runCell < key || (runCell == key && r.lastDay < c.day)) {
                ++run;
            } else {
                break;
            }
        }
        result.exactDates.push_back({c.day, c.distance, run, c.mover});
    }
    std::vector<Candidate>().swap(candidates_);
    return result;
}

// ---- Sorted by planet -------------------------------------------------------------------------

int RunDateColumn(const FamilyInfo& family) { return family.targets == PointSet::Natal ? 66 : 78; }

// "MARS    15ari23( 7)-17ari02( 7) square     SUN     14cpr50(10)-14cpr52(10), <05 Jan 97-09 Jan 97>":
// the longest run line, a progressed or transit target with the places of its first and last day.
constexpr std::size_t PlaceSpanSize = WidthSum({PlaceWithHouseSize, 1, PlaceWithHouseSize});
constexpr std::size_t RunLineSize =
    WidthSum({PointNameSize, 1, PlaceSpanSize, 1, AspectNameSize, PointNameSize, 1, PlaceSpanSize,
              2, 1, DateDdMmmYySize, 1, DateDdMmmYySize, 1});
static_assert(RunLineSize == 97);

void AppendRunLine(std::string& line, const ScanResult& result, const ScanRun& run) {
    FixedLine<RunLineSize> text;
    auto span = [&](PlaceCode first, PlaceCode last) {
        PutPlaceWithHouse(text.Field<PlaceWithHouseSize>(), first);
        text.Put('-');
        PutPlaceWithHouse(text.Field<PlaceWithHouseSize>(), last);
    };
    text.Put(PointName(run.mover));
    text.Put(' ');
    span(run.moverFirst, run.moverLast);
    text.Put(' ');
    text.Put(AspectName(run.AspectCode));
    text.Put(PointName(run.target));
    text.Put(' ');
    if (FamilyOf(run.family).targets == PointSet::Natal) {
        PutPlaceWithHouse(text.Field<PlaceWithHouseSize>(), run.targetFirst);
    } else {
        span(run.targetFirst, run.targetLast);
    }
    text.Put(", ");
    text.Put(run.continuesBefore ? '<' : ' ');
    PutDateDdMmmYy(text.Field<DateDdMmmYySize>(), result.DateOfDay(run.firstDay));
    text.Put('-');
    PutDateDdMmmYy(text.Field<DateDdMmmYySize>(), result.DateOfDay(run.lastDay));
    if (run.continuesAfter) text.Put('>');
    line.append(text.View());
}

std::string RunLine(const ScanResult& result, const ScanRun& run) {
    std::string line;
    AppendRunLine(line, result, run);
    return line;
}

void WriteSortedByPlanet(const ScanResult& result, const FamilyInfo& family, const ChartState& chart,
                         const Options& options, ReportFile& file, OutputBuffers& out,
                         ScanObserver& observer) {
    for (const std::string& line : ReportHeader(chart)) file.WriteLine(line);
    WriteListingTitle(file, out, std::string(family.titleStart) + " - sorted by planet");

    const std::span<const ScanRun> runs = result.Runs(family.family);
    std::size_t next = 0;
    std::string line;
    for (int mover = SUN; mover <= MoverCount(family.family); ++mover) {
        if (!MoverUsed(family.family, mover, options)) continue;
        observer.ShowProgress(mover - 1, 5);
        for (; next < runs.size() && runs[next].mover <= mover; ++next) {
            line.clear();
            AppendRunLine(line, result, runs[next]);
            file.WriteLine(line);
            AddIndentedLine(out, line);
        }
    }
    // The extra points' runs, when the result holds them, follow the twelve's.
    for (; next < runs.size(); ++next) {
        line.clear();
        AppendRunLine(line, result, runs[next]);
        file.WriteLine(line);
        AddIndentedLine(out, line);
    }
}

}  // namespace orrerion
