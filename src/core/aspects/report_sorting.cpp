#include "core/aspects/report_sorting.h"

#include <array>
#include <cctype>

#include "core/io/line_reader.h"

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

std::string ExactLine(const ScanTables& tables, const ExactCandidate& candidate) {
    const ScannedDay& day = tables.days[static_cast<std::size_t>(candidate.day)];
    const PlacedPoint& m = day.transit[static_cast<std::size_t>(candidate.mover - 1)];
    const PlacedPoint& t = tables.natal[static_cast<std::size_t>(candidate.target - 1)];
    std::string line;
    line.reserve(90);
    line.append(PointName(candidate.mover)).append(" at ");
    line.append(m.position.data(), m.position.size()).append("(");
    line.append(m.house.data(), m.house.size()).append(") ");
    line.append(AspectName(candidate.aspectIndex + 2)).append(PointName(candidate.target));
    line.append(" at ").append(t.position.data(), t.position.size()).append("(");
    line.append(t.house.data(), t.house.size()).append("), ");
    line.append(" ").append(DateDdMmmYy(day.date)).append(" - ");
    line.append(FormatPicture(candidate.distance, "0.00")).append(" deg.");
    return line;
}

WriteResult WriteExactDates(const ScanTables& tables, const ChartState& chart,
                            const FamilyFindings& findings, const std::filesystem::path& path,
                            OutputBuffers& out, ScanObserver& observer) {
    ReportFile file(path);
    for (const std::string& line : ReportHeader(chart)) file.WriteLine(line);
    AddBlankLine(out);
    AddBlankLine(out);
    const std::string title = "Transit to natal planet aspects - dates of exact aspect";
    WriteListingTitle(file, out, title);

    const std::vector<ExactCandidate>& candidates = findings.exact;
    std::size_t next = 0;
    for (int mover = SUN; mover <= PLUTO; ++mover) {
        observer.ShowProgress(mover - 1, 5);
        for (; next < candidates.size() && candidates[next].mover <= mover; ++next) {
            const ExactCandidate& candidate = candidates[next];
            if (candidate.distance < 1.0f) {
                const std::string line = ExactLine(tables, candidate);
                file.WriteLine(line);
                AddTextLine(out, "  " + line);
            }
            observer.Beep();
        }
    }
    return file.Close();
}

std::vector<std::size_t> OrderByFirstDay(const std::vector<int>& firstDays, int scanDays) {
    // A counting sort by day: stable, and linear in lines plus days.
    std::vector<std::size_t> start(static_cast<std::size_t>(scanDays) + 1, 0);
    for (const int day : firstDays) {
        if (day >= 0 && day < scanDays) ++start[static_cast<std::size_t>(day) + 1];
    }
    for (std::size_t d = 1; d < start.size(); ++d) start[d] += start[d - 1];
    std::vector<std::size_t> order(start.back());
    for (std::size_t i = 0; i < firstDays.size(); ++i) {
        const int day = firstDays[i];
        if (day >= 0 && day < scanDays) order[start[static_cast<std::size_t>(day)]++] = i;
    }
    return order;
}

namespace {

// Month, day and the last two digits of the year as one number: the parts of a date the
// sorted-by-date pass compares.
constexpr int DateKeyCount = 13 * 32 * 100;
int DateKey(int month, int day, int year) {
    const int yy = ((year % 100) + 100) % 100;
    return (month * 32 + day) * 100 + yy;
}

// The key of a "dd mmm yy" date text, or -1 when the text is not such a date.
int DateKeyOfText(std::string_view text) {
    static constexpr auto months = std::to_array<std::string_view>(
        {"jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"});
    static_assert(months.size() == 12);
    if (text.size() != 9 || text[2] != ' ' || text[6] != ' ') return -1;
    auto digit = [&](std::size_t i) {
        return std::isdigit(static_cast<unsigned char>(text[i])) ? text[i] - '0' : -1;
    };
    const int d1 = digit(0), d2 = digit(1), y1 = digit(7), y2 = digit(8);
    if (d1 < 0 || d2 < 0 || y1 < 0 || y2 < 0) return -1;
    std::string month;
    for (std::size_t i = 3; i < 6; ++i) {
        month.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(text[i]))));
    }
    for (std::size_t m = 0; m < months.size(); ++m) {
        if (months[m] == month) {
            const int day = d1 * 10 + d2;
            if (day < 1 || day > 31) return -1;
            return DateKey(static_cast<int>(m) + 1, day, y1 * 10 + y2);
        }
    }
    return -1;
}

}  // namespace

WriteResult WriteSortedByDate(const ScanTables& tables, const FamilyInfo& family,
                              const std::filesystem::path& txtPath,
                              const std::filesystem::path& ascPath, OutputBuffers& out) {
    std::string error;
    const std::optional<TextLines> read = ReadTextLines(txtPath, &error);
    if (!read) return {false, "Cannot read " + txtPath.string() + ": " + error};
    const std::vector<std::string>& lines = read->lines;

    ReportFile file(ascPath);
    for (std::size_t i = 0; i < 4 && i < lines.size(); ++i) file.WriteLine(lines[i]);
    AddBlankLine(out);
    AddBlankLine(out);
    const std::string title = std::string(family.titleStart) + " - sorted by date";
    WriteListingTitle(file, out, title);

    // Each run line belongs to the scanned day whose month, day and two-digit year equal those of
    // the run's first date. A span of at most 32767 days never holds the same three twice.
    std::vector<int> dayOfKey(DateKeyCount, -1);
    for (int day = tables.ScanDays - 1; day >= 0; --day) {
        const CalendarDate& date = tables.days[static_cast<std::size_t>(day)].date;
        dayOfKey[static_cast<std::size_t>(DateKey(date.month, date.day, date.year))] = day;
    }
    constexpr std::size_t FirstRunLine = 6;
    const auto column = static_cast<std::size_t>(RunDateColumn(family) - 1);
    std::vector<int> firstDays;
    for (std::size_t i = FirstRunLine; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const int key = line.size() >= column + 9 ? DateKeyOfText(std::string_view(line).substr(column, 9))
                                                  : -1;
        firstDays.push_back(key < 0 ? -1 : dayOfKey[static_cast<std::size_t>(key)]);
    }
    for (const std::size_t i : OrderByFirstDay(firstDays, tables.ScanDays)) {
        const std::string& line = lines[FirstRunLine + i];
        file.WriteLine(line);
        AddTextLine(out, "  " + line);
    }
    return file.Close();
}

}  // namespace orrerion
