#include "core/aspects/report_sorting.h"

#include <array>
#include <cmath>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>

#include "core/aspects/summary.h"
#include "core/io/fixed_line.h"

namespace orrerion {

bool ExactSearch::Step(float distance, int today) {
    if (distance < smallest) {
        smallest = distance;
        day = today;
        fallingBack = false;
        return false;
    }
    if (fallingBack) {
        // Follow the rising distance so that the next approach is seen as falling again.
        smallest = distance;
        return false;
    }
    fallingBack = true;
    return smallest != NoAspectDistance;
}

namespace {

// FormatPicture(distance, "0.00") without printf. For a single-precision distance from 0 up to 1,
// distance * 200 is exact in double precision (24 bits times 25 times 8), so the hundredths rounded
// half up come out exact; ties are exact ties, which the picture's rounding also takes upwards.
// Other values go through FormatPicture.
void AppendDistance(std::string& line, float distance) {
    if (!(distance >= 0.0f && distance < 1.0f)) {
        line.append(FormatPicture(distance, "0.00"));
        return;
    }
    const auto hundredths =
        static_cast<int>(std::floor((static_cast<double>(distance) * 200.0 + 1.0) / 2.0));
    if (hundredths >= 100) {
        line.append("1.00");
        return;
    }
    std::array<char, 4> text = {'0', '.', '0', '0'};
    PutTwoDigits(std::span(text).subspan<2, 2>(), hundredths);
    line.append(text.data(), text.size());
}

}  // namespace

// "MARS    at 15ari23( 7) square     SUN     at 14cpr50(10),  05 Jan 97 - ": the fields before the
// distance.
constexpr std::size_t ExactLineStartSize =
    WidthSum({PointNameSize, 4, PlaceWithHouseSize, 1, AspectNameSize, PointNameSize, 4,
              PlaceWithHouseSize, 3, DateDdMmmYySize, 3});
static_assert(ExactLineStartSize == 71);

void AppendExactLine(std::string& line, const ScanResult& result, const ExactDate& exact) {
    const ScanRun& run = result.runs[exact.run];
    FixedLine<ExactLineStartSize> text;
    text.Put(PointName(run.mover));
    text.Put(" at ");
    PutPlaceWithHouse(text.Field<PlaceWithHouseSize>(), exact.mover);
    text.Put(' ');
    text.Put(AspectName(run.AspectCode));
    text.Put(PointName(run.target));
    text.Put(" at ");
    PutPlaceWithHouse(text.Field<PlaceWithHouseSize>(),
                      result.natal[static_cast<std::size_t>(run.target - 1)]);
    text.Put(",  ");
    PutDateDdMmmYy(text.Field<DateDdMmmYySize>(), result.DateOfDay(exact.day));
    text.Put(" - ");
    line.append(text.View());
    AppendDistance(line, exact.distance);
    line.append(" deg.");
}

std::string ExactLine(const ScanResult& result, const ExactDate& exact) {
    std::string line;
    AppendExactLine(line, result, exact);
    return line;
}

void WriteExactDates(const ScanResult& result, const ChartState& chart, ReportFile& file,
                     OutputBuffers& out, ScanObserver& observer) {
    for (const std::string& line : ReportHeader(chart)) file.WriteLine(line);
    AddBlankLine(out);
    AddBlankLine(out);
    WriteListingTitle(file, out, "Transit to natal planet aspects - dates of exact aspect");

    const std::vector<ExactDate>& dates = result.exactDates;
    std::size_t next = 0;
    std::string line;
    for (int mover = SUN; mover <= PLUTO; ++mover) {
        observer.ShowProgress(mover - 1, 5);
        for (; next < dates.size() && result.runs[dates[next].run].mover <= mover; ++next) {
            if (ExactDateListed(dates[next])) {
                line.clear();
                AppendExactLine(line, result, dates[next]);
                file.WriteLine(line);
                AddIndentedLine(out, line);
            }
            observer.Beep();
        }
    }
}

namespace {

std::string SortedByDateTitle(const FamilyInfo& family) {
    return std::string(family.titleStart) + " - sorted by date";
}

// The file part of the sorted-by-date pass.
void WriteSortedByDateFile(const ScanResult& result, const FamilyInfo& family,
                           const ChartState& chart, ReportFile& file) {
    for (const std::string& line : ReportHeader(chart)) file.WriteLine(line);
    file.WriteLine(SortedByDateTitle(family));
    file.WriteLine("");
    std::string line;
    for (const std::uint32_t run : result.RunsByDate(family.family)) {
        line.clear();
        AppendRunLine(line, result, result.runs[run]);
        file.WriteLine(line);
    }
}

// Its listing: two empty lines, the title, an empty line and the run lines.
void AppendSortedByDateListing(const ScanResult& result, const FamilyInfo& family,
                               OutputBuffers& out) {
    AddBlankLine(out);
    AddBlankLine(out);
    AddIndentedLine(out, SortedByDateTitle(family));
    AddBlankLine(out);
    if (out.outputCut && out.dataCut) return;  // full: every further line is dropped
    std::string line;
    for (const std::uint32_t run : result.RunsByDate(family.family)) {
        line.clear();
        AppendRunLine(line, result, result.runs[run]);
        AddIndentedLine(out, line);
    }
}

}  // namespace

void WriteSortedByDate(const ScanResult& result, const FamilyInfo& family, const ChartState& chart,
                       ReportFile& file, OutputBuffers& out) {
    WriteSortedByDateFile(result, family, chart, file);
    AppendSortedByDateListing(result, family, out);
}

WriteResult WriteScanReports(const ScanResult& result, const ChartState& chart,
                             const Options& options, ReportSet& files, OutputBuffers& out,
                             ScanObserver& observer, int threads) {
    // The sorted-by-date files need nothing but the result: a second thread writes them while
    // this one writes the others and the listings.
    std::thread sorter;
    std::exception_ptr sorterError;
    // A set without files needs the sorted-by-date listings only.
    const bool writesFiles = files.writesFiles();
    if (threads > 1 && writesFiles) {
        try {
            sorter = std::thread([&] {
                try {
                    for (AspectFamily family : SortedByDateOrder) {
                        WriteSortedByDateFile(result, FamilyOf(family), chart, files.SortedByDate(family));
                    }
                } catch (...) {
                    sorterError = std::current_exception();
                }
            });
        } catch (const std::system_error&) {
            // No second thread: the files are written below.
        }
    }
    const bool sortedAside = sorter.joinable();
    struct Join {
        std::thread& thread;
        ~Join() {
            if (thread.joinable()) thread.join();
        }
    } join{sorter};

    for (const FamilyInfo& family : ScanFamilies) {
        AddBlankLine(out);  // the listed-by-day file's two lines
        AddBlankLine(out);
        if (WriteResult r = files.ListedByDay(family.family).Finish(); !r.ok) return r;
        observer.ClearProgress();
        ReportFile& txt = files.SortedByPlanet(family.family);
        WriteSortedByPlanet(result, family, chart, options, txt, out, observer);
        if (WriteResult r = txt.Finish(); !r.ok) return r;
        if (family.family == AspectFamily::TransitToNatal) {
            observer.ClearProgress();
            WriteExactDates(result, chart, files.ExactDates(), out, observer);
            if (WriteResult r = files.ExactDates().Finish(); !r.ok) return r;
        }
        observer.ClearProgress();
    }

    observer.BeginSorting();
    if (sorter.joinable()) sorter.join();
    if (sorterError) std::rethrow_exception(sorterError);
    for (AspectFamily family : SortedByDateOrder) {
        ReportFile& asc = files.SortedByDate(family);
        if (!sortedAside && writesFiles) WriteSortedByDateFile(result, FamilyOf(family), chart, asc);
        AppendSortedByDateListing(result, FamilyOf(family), out);
        if (WriteResult r = asc.Finish(); !r.ok) {
            observer.EndSorting();
            return r;
        }
    }
    observer.EndSorting();
    return files.Publish();
}

}  // namespace orrerion
