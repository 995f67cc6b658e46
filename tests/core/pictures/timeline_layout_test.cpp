// The timeline of a scan: what orrerion-cli timeline writes (SVG and JSON) against the report
// files of the approved scans, run for run; the order of the lanes; the time axis at each zoom; a
// part of the days and families; the memory a run costs.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/report_files.h"
#include "core/pictures/glyphs.h"
#include "core/pictures/timeline_layout.h"
#include "core/pictures/timeline_output.h"
#include "core/run/run_calculation.h"
#include "scan_fixture.h"
#include "test_paths.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;

std::string Trim(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    while (!s.empty() && s.front() == ' ') s.erase(s.begin());
    return s;
}

// "2027-01-05" as the reports print it: "05 Jan 27".
std::string ReportDate(const std::string& iso) {
    static const char* Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return iso.substr(8, 2) + " " + Months[std::stoi(iso.substr(5, 2)) - 1] + " " + iso.substr(2, 2);
}

// The report's 10-character aspect name of a plain name ("semi-sextile" gives "semi-sextl").
std::string ReportAspect(const std::string& word) {
    for (int code = 2; code <= 10; ++code) {
        if (AspectWord(code) == word) return Trim(std::string(AspectName(code)));
    }
    return "?" + word;
}

int BodyOfName(const std::string& name) {
    for (int body = SUN; body <= MC; ++body) {
        if (BodyName(body) == name) return body;
    }
    return 0;
}

// The report lines of progressed to progressed aspects the timeline leaves out: a pair is shown
// once, as the earlier point (in BodyIndex order) to the later, so the line of the later point to
// the earlier goes when the pair's other direction is listed too.
std::set<std::string> PairsLeftOut(const fs::path& reports, const std::string& stem) {
    std::set<std::string> directions, leftOut;
    const std::vector<std::string> lines = testing::ReportFileLines(reports / (stem + "_pp.txt"));
    for (const std::string& line : lines) {
        if (!line.empty()) directions.insert(Trim(line.substr(0, 8)) + " " + Trim(line.substr(32, 10)) + " " + Trim(line.substr(43, 7)));
    }
    for (const std::string& line : lines) {
        if (line.empty()) continue;
        const std::string mover = Trim(line.substr(0, 8)), aspect = Trim(line.substr(32, 10)), target = Trim(line.substr(43, 7));
        if (BodyOfName(mover) > BodyOfName(target) && directions.count(target + " " + aspect + " " + mover)) {
            leftOut.insert(line);
        }
    }
    return leftOut;
}

// The runs of the sorted-by-planet files of `families` as the reports describe them:
// "tn SUN conjunct SUN <05 Jan 27-20 Jan 27>", each progressed to progressed pair once.
std::multiset<std::string> RunsOfReports(const fs::path& reports, const std::string& stem, const std::string& families) {
    std::multiset<std::string> runs;
    const std::set<std::string> leftOut = PairsLeftOut(reports, stem);
    for (const FamilyInfo& family : ScanFamilies) {
        const std::string code(FamilyCode(family.family));
        if (families.find(code) == std::string::npos) continue;
        const std::size_t c = static_cast<std::size_t>(RunDateColumn(family)) - 1;
        for (const std::string& line : testing::ReportFileLines(reports / (stem + "_" + code + ".txt"))) {
            if (line.empty() || (code == "pp" && leftOut.count(line))) continue;
            runs.insert(code + " " + Trim(line.substr(0, 8)) + " " + Trim(line.substr(32, 10)) + " " +
                        Trim(line.substr(43, 7)) + " " + (line[c - 1] == '<' ? "<" : "") + line.substr(c, 9) + "-" +
                        line.substr(c + 10, 9) + (line.size() > c + 19 && line[c + 19] == '>' ? ">" : ""));
        }
    }
    return runs;
}

// The value of `name="..."` in an element's text.
std::string Attribute(const std::string& element, const std::string& name) {
    const std::size_t at = element.find(" " + name + "=\"");
    if (at == std::string::npos) return "<none>";
    const std::size_t from = at + name.size() + 3;
    return element.substr(from, element.find('"', from) - from);
}

// The same description of each run element of the SVG, with its exact dates ("13 Jan 27").
struct SvgRun {
    std::string who;  // "tn SUN conjunct SUN"
    std::string key;
    std::vector<std::string> exact;
};

std::vector<SvgRun> RunsOfSvg(const std::string& svg) {
    std::vector<SvgRun> runs;
    const std::regex element("<g class=\"run [a-z]+\"[^>]*>");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), element); it != std::sregex_iterator(); ++it) {
        const std::string e = it->str();
        const std::string continues = Attribute(e, "data-continues");
        SvgRun run;
        run.who = Attribute(e, "data-family") + " " + Attribute(e, "data-mover") + " " +
                  ReportAspect(Attribute(e, "data-aspect")) + " " + Attribute(e, "data-target");
        run.key = run.who + " " + (continues.find("before") != std::string::npos ? "<" : "") + ReportDate(Attribute(e, "data-first")) +
                  "-" + ReportDate(Attribute(e, "data-last")) + (continues.find("after") != std::string::npos ? ">" : "");
        const std::string exact = Attribute(e, "data-exact");
        for (std::size_t i = 0; i + 10 <= exact.size(); i += 11) run.exact.push_back(ReportDate(exact.substr(i, 10)));
        runs.push_back(run);
    }
    return runs;
}

struct Written {
    std::string svg, json;
    fs::path reports;
};

Written RunTimeline(const fs::path& caseDir, const std::vector<std::string>& more = {}) {
    const fs::path dir = testing::MakeTempDir();
    std::vector<std::string> args = testing::GoldenCaseArgs(caseDir);
    args.front() = "timeline";
    args.insert(args.end(), {"--reports", (dir / "reports").string(), "--svg", (dir / "t.svg").string(), "--json",
                             (dir / "t.json").string()});
    args.insert(args.end(), more.begin(), more.end());
    const auto result = testing::RunCli(args);
    EXPECT_EQ(result.status, 0) << result.err;
    return {testing::ReadWholeFile(dir / "t.svg"), testing::ReadWholeFile(dir / "t.json"), dir / "reports"};
}

std::string StemOf(const fs::path& reports) {
    for (const auto& entry : fs::directory_iterator(reports)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 7 && name.ends_with("_ex.txt")) return name.substr(0, name.size() - 7);
    }
    return "?";
}

// Every run of the approved scans' sorted-by-planet files appears once in the SVG, with its mover,
// aspect, target, first and last day and continuation marks; every exact date of the exact-date
// file lies on one run of its mover, aspect and target; the JSON holds as many runs.
TEST(TimelineCommand, MatchesTheReportFilesRunForRun) {
    const std::vector<fs::path> cases = testing::GoldenCases("scan");
    ASSERT_GE(cases.size(), 4u);
    for (const fs::path& caseDir : cases) {
        SCOPED_TRACE(caseDir.filename().string());
        const Written w = RunTimeline(caseDir);
        const fs::path approved = caseDir / "reports";
        const std::string stem = StemOf(approved);
        const std::multiset<std::string> expected = RunsOfReports(approved, stem, "tn sn pn pp tp");
        const std::vector<SvgRun> svgRuns = RunsOfSvg(w.svg);
        std::multiset<std::string> actual;
        for (const SvgRun& r : svgRuns) actual.insert(r.key);
        EXPECT_EQ(actual.size(), expected.size());
        EXPECT_TRUE(actual == expected);
        for (const std::string& r : expected) EXPECT_EQ(actual.count(r), expected.count(r)) << r;
        for (const std::string& r : actual) EXPECT_EQ(expected.count(r), actual.count(r)) << r;

        // Exact dates: the file's dates of each mover, aspect and target are those marked on its
        // runs, each once.
        std::multimap<std::string, std::string> fileExact, marked;
        for (const std::string& line : testing::ReportFileLines(approved / (stem + "_ex.txt"))) {
            if (line.empty()) continue;
            fileExact.emplace("tn " + Trim(line.substr(0, 8)) + " " + Trim(line.substr(23, 11)) + " " +
                                  Trim(line.substr(34, 8)),
                              line.substr(line.find(",  ") + 3, 9));
        }
        for (const SvgRun& r : svgRuns) {
            if (!r.key.starts_with("tn ")) continue;
            for (const std::string& d : r.exact) marked.emplace(r.who, d);
        }
        std::multiset<std::string> fileSet, markedSet;
        for (const auto& [who, d] : fileExact) fileSet.insert(who + " " + d);
        for (const auto& [who, d] : marked) markedSet.insert(who + " " + d);
        EXPECT_TRUE(fileSet == markedSet) << fileSet.size() << " exact dates in the file, " << markedSet.size()
                                          << " marked";

        // The JSON: as many runs, each with the report line it stands for; a progressed to
        // progressed pair once.
        std::size_t lines = 0;
        const std::set<std::string> leftOut = PairsLeftOut(approved, stem);
        EXPECT_GT(leftOut.size(), 0u) << "the scan finds progressed pairs both ways";
        for (const char* family : {"tn", "sn", "pn", "pp", "tp"}) {
            for (const std::string& line : testing::ReportFileLines(approved / (stem + "_" + family + ".txt"))) {
                if (line.empty()) continue;
                const bool shown = !(std::string(family) == "pp" && leftOut.count(line));
                lines += shown;
                EXPECT_EQ(w.json.find("\"line\":\"" + line + "\"") != std::string::npos, shown) << line;
            }
        }
        EXPECT_NE(w.json.find("\"runCount\":" + std::to_string(lines) + ","), std::string::npos);
    }
}

// Lanes come family by family in the order of the sorted-by-date files, and within a family in
// the order of their first runs' starts; the SVG's runs follow the lanes.
TEST(TimelineCommand, LanesFollowTheSortedByDateOrder) {
    const Written w = RunTimeline(testing::GoldenDir() / "scan" / "john_smith_placidus");
    const std::regex lane("\\{\"family\":\"([a-z]+)\"[^\\n]*\\n\\{\"first\":\"([0-9-]+)\"");
    std::vector<std::pair<std::size_t, std::string>> starts;  // family rank, first run's first day
    for (auto it = std::sregex_iterator(w.json.begin(), w.json.end(), lane); it != std::sregex_iterator(); ++it) {
        starts.emplace_back(FamilyRank(*FamilyFromCode((*it)[1].str())), (*it)[2].str());
    }
    ASSERT_GT(starts.size(), 100u);
    EXPECT_TRUE(std::is_sorted(starts.begin(), starts.end()));
    std::set<std::size_t> ranks;
    for (const auto& s : starts) ranks.insert(s.first);
    EXPECT_EQ(ranks.size(), FamilyCount);
    EXPECT_EQ(FamilyRank(AspectFamily::TransitToProgressed), 1u);
}

// A part of the days and families: only runs of those families that meet those days; a scan that
// finds nothing; a date that is no date refused; a file that cannot be written.
TEST(TimelineCommand, DrawsThePartAskedFor) {
    const fs::path caseDir = testing::GoldenDir() / "scan" / "john_smith_placidus";
    const Written w = RunTimeline(caseDir, {"--from", "2027-01-01", "--to", "2027-01-31", "--families", "tn,pp"});
    const std::vector<SvgRun> runs = RunsOfSvg(w.svg);
    ASSERT_FALSE(runs.empty());
    std::size_t meeting = 0;
    for (const std::string& r : RunsOfReports(caseDir / "reports", "John", "tn pp")) {
        // "dd Mon yy-dd Mon yy" after the target; the span ends 2027-03-06, so years are 26 or 27.
        const std::size_t dash = r.find('-', r.find_first_of("0123456789"));
        auto dayNumber = [](const std::string& d) {
            static const std::string Months = "JanFebMarAprMayJunJulAugSepOctNovDec";
            return std::stoi(d.substr(7, 2)) * 400 + static_cast<int>(Months.find(d.substr(3, 3))) / 3 * 32 +
                   std::stoi(d.substr(0, 2));
        };
        const int first = dayNumber(r.substr(dash - 9, 9)), last = dayNumber(r.substr(dash + 1, 9));
        meeting += first <= dayNumber("31 Jan 27") && last >= dayNumber("01 Jan 27");
    }
    EXPECT_EQ(runs.size(), meeting);
    for (const SvgRun& r : runs) EXPECT_TRUE(r.key.starts_with("tn ") || r.key.starts_with("pp ")) << r.key;
    EXPECT_NE(w.svg.find("class=\"tick-label\""), std::string::npos);

    const fs::path dir = testing::MakeTempDir();
    std::vector<std::string> args = testing::GoldenCaseArgs(caseDir);
    args.front() = "timeline";
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--from", "2027-02-30"},
                                                std::vector<std::string>{"--families", "tn,xx"},
                                                std::vector<std::string>{"--from", "2027-02-01", "--to", "2027-01-01"}}) {
        std::vector<std::string> a = args;
        a.insert(a.end(), {"--reports", (dir / "r").string(), "--svg", (dir / "bad.svg").string()});
        a.insert(a.end(), bad.begin(), bad.end());
        const auto r = testing::RunCli(a);
        EXPECT_EQ(r.status, 2) << bad.front();
        EXPECT_FALSE(fs::exists(dir / "bad.svg"));
    }
    // A scan that finds nothing (every orb 0): the axis with a one-line note, no lanes.
    {
        std::string zero;
        std::size_t lineNo = 0;
        for (const std::string& line : testing::ReportFileLines(testing::GoldenDir() / "options" / "OPTIONS_default.OPT", 0)) {
            ++lineNo;
            const bool orb = lineNo <= 7 || lineNo == 29 || lineNo == 30;
            zero += (orb ? "0" + line.substr(line.find(' ')) : line) + "\r\n";
        }
        testing::WriteWholeFile(dir / "ZERO.OPT", zero);
        std::vector<std::string> a = args;
        for (std::size_t i = 0; i + 1 < a.size(); ++i) {
            if (a[i] == "--options") a[i + 1] = (dir / "ZERO.OPT").string();
            if (a[i] == "--days") a[i + 1] = "3";
        }
        a.insert(a.end(), {"--reports", (dir / "r0").string(), "--svg", (dir / "empty.svg").string(), "--json",
                           (dir / "empty.json").string()});
        const auto r = testing::RunCli(a);
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string svg = testing::ReadWholeFile(dir / "empty.svg");
        EXPECT_TRUE(RunsOfSvg(svg).empty());
        EXPECT_NE(svg.find("class=\"tick-label\""), std::string::npos);
        EXPECT_NE(svg.find(NoRunsText), std::string::npos);
        EXPECT_NE(testing::ReadWholeFile(dir / "empty.json").find("\"runCount\":0,\"lanes\":[]"), std::string::npos);
    }

    // A file that cannot be written: its path and reason, exit status 1, nothing left behind.
    std::vector<std::string> a = args;
    const fs::path missing = dir / "no-such-folder" / "t.svg";
    a.insert(a.end(), {"--reports", (dir / "r").string(), "--svg", missing.string()});
    const auto r = testing::RunCli(a);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(missing.string()), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(missing.parent_path()));
}

// The axis: labels every so many days, months or years as the zoom leaves room, in the date order.
TEST(TimelineAxis, TicksAdaptToTheZoomAndTheDateOrder) {
    const double jd = 2461381.5 + 0.2;  // 2026-12-07, 16:48 UT
    struct Case {
        double pixelsPerDay;
        int DateOrder;
        TickUnit unit;
        std::string firstLabel;  // the first labelled tick from day 0 over 800 days
    };
    const std::vector<Case> cases = {
        {120.0, 0, TickUnit::Day, "07 Dec 2026"},  // a day is written one way in every date order
        {120.0, 2, TickUnit::Day, "07 Dec 2026"},
        {5.0, 0, TickUnit::Month, "Jan 2027"},
        {5.0, 2, TickUnit::Month, "2027 Jan"},
        {2.0, 1, TickUnit::Month, "Jan 2027"},   // a year across 730 pixels: every other month
        {1.2, 1, TickUnit::Month, "Jan 2027"},   // two years: every quarter
        {0.5, 1, TickUnit::Year, "2027"},
        {0.05, 1, TickUnit::Year, "2030"},  // labels every 5 years
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.pixelsPerDay) + " px/day, order " + std::to_string(c.DateOrder));
        EXPECT_EQ(TickUnitFor(c.pixelsPerDay), c.unit);
        const std::vector<TimelineTick> ticks = TimelineTicks(jd, 0, 3000, c.pixelsPerDay, c.DateOrder);
        const auto labelled = std::find_if(ticks.begin(), ticks.end(), [](const TimelineTick& t) { return t.major; });
        ASSERT_NE(labelled, ticks.end());
        EXPECT_EQ(labelled->label, c.firstLabel);
        // Labels never crowd closer than the spacing asked for.
        double previous = -1e9;
        for (const TimelineTick& t : ticks) {
            if (!t.major) continue;
            EXPECT_GE((t.day - previous) * c.pixelsPerDay, 90.0 - 1e-9) << t.label;
            previous = t.day;
        }
    }
    // Labelled month ticks stand on the first of the month; days between get small ticks.
    const std::vector<TimelineTick> months = TimelineTicks(jd, 0, 400, 5.0, 0);
    const auto firstMonth = std::find_if(months.begin(), months.end(), [](const TimelineTick& t) { return t.major; });
    ASSERT_NE(firstMonth, months.end());
    EXPECT_EQ(firstMonth->day, 25.0);  // 2027-01-01 is day 25
    EXPECT_EQ(months.front().day, 0.0);
    EXPECT_TRUE(std::is_sorted(months.begin(), months.end(),
                               [](const TimelineTick& a, const TimelineTick& b) { return a.day < b.day; }));
    EXPECT_EQ(DayOfIsoDate(jd, "2027-01-01"), 25);
    EXPECT_EQ(IsoDateOfDay(jd, 25), "2027-01-01");

    // Five years across 1200 pixels: years labelled, every month's first day ticked.
    const std::vector<TimelineTick> fiveYears = TimelineTicks(jd, 0, 5 * 365, 1200.0 / (5 * 365), 1);
    EXPECT_EQ(TickUnitFor(1200.0 / (5 * 365)), TickUnit::Year);
    std::set<std::string> monthsTicked;
    for (const TimelineTick& t : fiveYears) {
        const std::string iso = IsoDateOfDay(jd, static_cast<int>(t.day));
        EXPECT_EQ(iso.substr(8), "01") << iso;
        monthsTicked.insert(iso.substr(0, 7));
    }
    EXPECT_EQ(monthsTicked.size(), 60u);  // 2027-01 .. 2031-12
    // Two years across 1200 pixels: quarters labelled, every month ticked.
    const std::vector<TimelineTick> twoYears = TimelineTicks(jd, 0, 730, 1200.0 / 730, 1);
    monthsTicked.clear();
    for (const TimelineTick& t : twoYears) {
        const std::string iso = IsoDateOfDay(jd, static_cast<int>(t.day));
        EXPECT_EQ(iso.substr(8), "01") << iso;
        monthsTicked.insert(iso.substr(0, 7));
    }
    EXPECT_EQ(monthsTicked.size(), 24u);  // 2027-01 .. 2028-12
    EXPECT_TRUE(std::is_sorted(twoYears.begin(), twoYears.end(),
                               [](const TimelineTick& a, const TimelineTick& b) { return a.day < b.day; }));
    // The last label stays inside the axis: left of its tick when right of it would run past.
    EXPECT_EQ(TickLabelLeft(100, 50, 400), 102);
    EXPECT_EQ(TickLabelLeft(380, 50, 400), 328);
}

// The layout of a long scan costs at most 64 bytes a run, and a paint of the whole span visits at
// most one mark per lane and pixel column.
TEST(TimelineLayout, CostsLittlePerRunAndPaintsOnlyWhatShows) {
    Calculation calc = testing::JohnSmithCalculation(testing::ShippedOrbs());
    CollectingReporter reporter;
    ScanObserver quiet;
    CalculationRequest request;
    request.askDays = [] { return std::optional<std::string>("3650"); };
    request.reportsFolder = testing::MakeTempDir() / "reports";
    ASSERT_EQ(RunCalculation(calc, request, quiet, reporter).scan, ScanOutcome::Completed);
    const TimelineLayout layout = LayOutTimeline(calc.scan);
    EXPECT_LE(layout.ByteCount(), 64 * layout.runs.size());

    // Every scan run once, in its lane, which is its mover, aspect and target; of a progressed
    // pair found both ways only the earlier point's (in BodyIndex order) runs.
    std::set<std::tuple<int, int, int>> ppDirections;
    for (const ScanRun& s : calc.scan.runs) {
        if (s.family == AspectFamily::ProgressedToProgressed) ppDirections.insert({s.mover, s.AspectCode, s.target});
    }
    std::vector<int> expected(calc.scan.runs.size(), 1);
    std::size_t pairsOnce = 0;
    for (std::size_t i = 0; i < calc.scan.runs.size(); ++i) {
        const ScanRun& s = calc.scan.runs[i];
        if (s.family == AspectFamily::ProgressedToProgressed && s.mover > s.target &&
            ppDirections.count({s.target, s.AspectCode, s.mover})) {
            expected[i] = 0;
            ++pairsOnce;
        }
    }
    EXPECT_GT(pairsOnce, 0u);
    for (const TimelineLane& a : layout.lanes) {
        if (a.family != AspectFamily::ProgressedToProgressed) continue;
        for (const TimelineLane& b : layout.lanes) {
            EXPECT_FALSE(b.family == a.family && b.mover == a.target && b.target == a.mover && b.AspectCode == a.AspectCode)
                << "a progressed pair in two lanes";
        }
    }
    std::vector<int> seen(calc.scan.runs.size(), 0);
    for (const TimelineRun& r : layout.runs) {
        ++seen[r.scanRun];
        const ScanRun& s = calc.scan.runs[r.scanRun];
        const TimelineLane& lane = layout.lanes[r.lane];
        EXPECT_TRUE(s.family == lane.family && s.mover == lane.mover && s.AspectCode == lane.AspectCode &&
                    s.target == lane.target);
    }
    EXPECT_TRUE(seen == expected);

    const std::vector<std::uint32_t> shown = ShownLanes(layout, {});
    TimelineFrame frame;
    frame.fromDay = 0;
    frame.toDay = layout.ScanDays;
    frame.width = 400;  // about nine days a pixel
    frame.height = 200;
    frame.laneHeight = 20;  // ten lanes show
    std::size_t drawn = 0;
    std::set<std::pair<std::size_t, int>> columns;
    ForEachVisibleRun(layout, shown, frame, true, [&](std::size_t row, const TimelineRun&, const RunShape& s) {
        ++drawn;
        EXPECT_LT(row, 10u);
        if (s.mark) {
            EXPECT_TRUE(columns.insert({row, static_cast<int>(s.x0)}).second);
        }
    });
    EXPECT_GT(drawn, 0u);
    // The run under the middle of a drawn bar is found again.
    const TimelineLane& lane = layout.lanes[shown[3]];
    const TimelineRun& run = layout.RunsOf(lane)[0];
    const double x = frame.X((run.firstDay + run.lastDay + 1) / 2.0);
    const std::optional<std::uint32_t> hit = RunAt(layout, shown, frame, x, frame.RowTop(3) + 10);
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(layout.runs[*hit].lane, shown[3]);
    EXPECT_FALSE(RunAt(layout, shown, frame, x, frame.RowTop(12) + 10).has_value());
}

}  // namespace
}  // namespace orrerion
