#include "core/aspects/report_sorting.h"

#include <cstring>

#include "core/aspects/summary.h"

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

std::string ExactLine(const ScanResult& result, const ExactDate& exact) {
    const ScanRun& run = result.runs[exact.run];
    char text[64];
    char* out = text;
    auto put = [&](std::string_view s) {
        std::memcpy(out, s.data(), s.size());
        out += s.size();
    };
    put(PointName(run.mover));
    put(" at ");
    PutPlaceWithHouse(out, exact.mover);
    out += 11;
    put(" ");
    put(AspectName(run.AspectCode));
    put(PointName(run.target));
    put(" at ");
    PutPlaceWithHouse(out, result.natal[static_cast<std::size_t>(run.target - 1)]);
    out += 11;
    put(",  ");
    PutDateDdMmmYy(out, result.DateOfDay(exact.day));
    out += DateDdMmmYySize;
    put(" - ");
    std::string line(text, static_cast<std::size_t>(out - text));
    line.append(FormatPicture(exact.distance, "0.00")).append(" deg.");
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
    for (int mover = SUN; mover <= PLUTO; ++mover) {
        observer.ShowProgress(mover - 1, 5);
        for (; next < dates.size() && result.runs[dates[next].run].mover <= mover; ++next) {
            if (ExactDateListed(dates[next])) {
                const std::string line = ExactLine(result, dates[next]);
                file.WriteLine(line);
                AddIndentedLine(out, line);
            }
            observer.Beep();
        }
    }
}

void WriteSortedByDate(const ScanResult& result, const FamilyInfo& family, const ChartState& chart,
                       ReportFile& file, OutputBuffers& out) {
    for (const std::string& line : ReportHeader(chart)) file.WriteLine(line);
    AddBlankLine(out);
    AddBlankLine(out);
    WriteListingTitle(file, out, std::string(family.titleStart) + " - sorted by date");
    std::string line;
    for (const std::uint32_t run : result.RunsByDate(family.family)) {
        line.clear();
        AppendRunLine(line, result, result.runs[run]);
        file.WriteLine(line);
        AddIndentedLine(out, line);
    }
}

}  // namespace orrerion
