// The Sky group of the timeline: its rows, the shapes of its events, the event under the pointer,
// and the same events in the SVG and JSON the command line writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/pictures/timeline_output.h"
#include "core/pictures/timeline_sky.h"
#include "json_lite.h"
#include "scan_fixture.h"
#include "test_paths.h"

namespace orrerion {
namespace {

// Day 0 is JD 2461000.5 here; events at scan days.
constexpr double Day0 = 2461000.5;
SkyEvent Event(SkyEventKind kind, int body, double day, double endDay = 0, bool hits = false) {
    SkyEvent e;
    e.kind = kind;
    e.body = body;
    e.jd = Day0 + day;
    e.endJD = Day0 + endDay;
    if (hits) e.hits = {SUN};
    return e;
}

TimelineSky MadeUpSky() {
    return LayOutSky({Event(SkyEventKind::Void, MOON, 3.0, 3.5), Event(SkyEventKind::Ingress, MARS, 5.0),
                      Event(SkyEventKind::Lunation, MOON, 7.0), Event(SkyEventKind::Eclipse, SUN, 8.0, 0, true),
                      Event(SkyEventKind::Station, MERCURY, 10.2), Event(SkyEventKind::Retrograde, MERCURY, 10.2, 30.5),
                      Event(SkyEventKind::Eclipse, MOON, 20.0), Event(SkyEventKind::Station, MERCURY, 30.5)});
}

// Rows: the planet's first, then ingresses, lunations, eclipses, the void Moon; the kinds chosen
// keep the rows that hold them under the group's heading.
TEST(TimelineSky, RowsAndTheKindsTheyShow) {
    const TimelineSky sky = MadeUpSky();
    std::vector<std::string> labels;
    for (const SkyRow& row : sky.rows) labels.push_back(SkyRowLabel(row));
    EXPECT_EQ(labels, (std::vector<std::string>{"MERCURY retrograde", "Sign ingresses", "Lunations", "Eclipses",
                                                "Void-of-course Moon"}));
    EXPECT_EQ(sky.rows[0].events.size(), 3u);
    auto bit = [](SkyEventKind k) { return static_cast<SkyKinds>(1u << SkyEventKindIndex(k)); };
    struct Case {
        SkyKinds kinds;
        std::size_t rows;  // the heading included
    };
    for (const Case& c : {Case{AllSkyKinds, 6}, Case{bit(SkyEventKind::Station), 2}, Case{bit(SkyEventKind::Eclipse), 2},
                          Case{bit(SkyEventKind::HouseIngress), 0}, Case{0, 0}}) {
        const std::vector<std::uint32_t> rows = SkyRows(sky, c.kinds);
        EXPECT_EQ(rows.size(), c.rows) << int(c.kinds);
        if (!rows.empty()) {
            EXPECT_EQ(rows.front(), SkyHeadingRow);
        }
        for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_TRUE(IsSkyRow(rows[i]) && !IsLaneRow(rows[i]));
    }
}

// Periods run from their start to their end; moments are marks at their instant, an eclipse on a
// natal point wider; the pointer finds a station on its period's bar before the bar.
TEST(TimelineSky, ShapesAndTheEventUnderThePointer) {
    const TimelineSky sky = MadeUpSky();
    const std::vector<std::uint32_t> rows = SkyRows(sky, AllSkyKinds);
    TimelineFrame frame;
    frame.fromDay = 0;
    frame.toDay = 40;
    frame.left = 100;
    frame.width = 400;  // 10 pixels a day
    frame.top = 0;
    frame.height = 200;
    frame.laneHeight = 20;
    std::vector<std::pair<std::uint32_t, SkyShape>> drawn;
    ForEachVisibleSkyEvent(sky, Day0, rows, frame, AllSkyKinds,
                           [&](std::size_t, std::uint32_t e, const SkyShape& s) { drawn.push_back({e, s}); });
    ASSERT_EQ(drawn.size(), sky.events.size());
    for (const auto& [e, shape] : drawn) {
        const SkyEvent& event = sky.events[e];
        SCOPED_TRACE(EventSummary(event));
        const double x = 100 + 10 * (event.jd - Day0);
        if (event.kind == SkyEventKind::Retrograde || event.kind == SkyEventKind::Void) {
            EXPECT_TRUE(shape.period);
            EXPECT_DOUBLE_EQ(shape.x0, x);
            EXPECT_DOUBLE_EQ(shape.x1, 100 + 10 * (event.endJD - Day0));
        } else {
            EXPECT_FALSE(shape.period);
            EXPECT_DOUBLE_EQ((shape.x0 + shape.x1) / 2, x);
            EXPECT_EQ(shape.strong, event.kind == SkyEventKind::Eclipse && !event.hits.empty());
            EXPECT_DOUBLE_EQ(shape.x1 - shape.x0, shape.strong ? 6.0 : 3.0);
        }
    }
    const double mercuryRow = frame.RowTop(1) + 10;
    const auto at = [&](double day, double y) { return SkyEventAt(sky, Day0, rows, frame, AllSkyKinds, 100 + 10 * day, y); };
    ASSERT_TRUE(at(10.2, mercuryRow));
    EXPECT_EQ(sky.events[*at(10.2, mercuryRow)].kind, SkyEventKind::Station);
    ASSERT_TRUE(at(20, mercuryRow));
    EXPECT_EQ(sky.events[*at(20, mercuryRow)].kind, SkyEventKind::Retrograde);
    EXPECT_FALSE(at(35, mercuryRow));
    EXPECT_FALSE(at(10.2, frame.RowTop(0) + 10)) << "the heading holds no event";
}

// timeline --events: the JSON's sky holds the events the core finds over the scanned days, of the
// kinds asked for, and the SVG one element for each.
TEST(TimelineSky, TheCommandLineWritesTheEventsOfTheDaysShown) {
    const auto dir = testing::MakeTempDir();
    const std::vector<std::string> args = {
        "timeline", "--natal", "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43", "--diurnal",
        ",07 Dec 2026,12.00,P,5,074.00,40.43", "--options", (testing::GoldenDir() / "options/OPTIONS_default.OPT").string(),
        "--days", "400", "--reports", (dir / "r").string(), "--events", "eclipse,station,retrograde",
        "--json", (dir / "t.json").string(), "--svg", (dir / "t.svg").string()};
    const auto result = testing::RunCli(args);
    ASSERT_EQ(result.status, 0) << result.err;
    const testing::JsonNode json = testing::ParseJson(testing::ReadWholeFile(dir / "t.json"));

    const Calculation calc = testing::JohnSmith();
    SkyEventRequest request;
    request.fromJD = calc.chart.DiurnalJD;
    request.days = 400;
    request.kinds = {true, true, false, false, false, true, false};
    const std::vector<SkyEvent> found = FindSkyEvents(calc.chart, calc.eph.Source, request);
    std::vector<std::string> want, got;
    for (const SkyEvent& e : found) want.push_back(std::string(SkyEventKindWord(e.kind)) + " " + EventSummary(e));
    for (const testing::JsonNode& e : json["sky"].items) got.push_back(e["kind"].text + " " + e["summary"].text);
    std::sort(want.begin(), want.end());
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, want);
    EXPECT_GE(got.size(), 10u);

    const std::string svg = testing::ReadWholeFile(dir / "t.svg");
    std::size_t elements = 0;
    for (std::size_t at = svg.find("class=\"sky-event "); at != std::string::npos;
         at = svg.find("class=\"sky-event ", at + 1)) {
        ++elements;
    }
    EXPECT_EQ(elements, found.size());
    EXPECT_NE(svg.find("class=\"sky-event eclipse"), std::string::npos);
}

}  // namespace
}  // namespace orrerion
