// orrerion-cli returns: the JSON holds each return the core finds, with its moment written twice
// (jd_ut and the same moment as UTC to the second), its angles and twelve cusps; wheel --return N
// draws that return inside the natal chart; refused input and unwritable files give their statuses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/aspects/returns.h"
#include "core/chart/houses.h"
#include "core/ephemeris/precise_ephemeris.h"
#include "core/records/name_record.h"
#include "core/run/run_calculation.h"
#include "json_lite.h"
#include "test_paths.h"

#if ORRERION_HAVE_SWE
#include <swephexp.h>
#endif

namespace orrerion {
namespace {

using testing::JsonNode;
using testing::RunCli;

const char* const Natal = "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43";
const char* const Diurnal = ",07 Dec 2026,12.00,P,5,074.00,40.43";

std::vector<std::string> Chart(std::vector<std::string> tail) {
    std::vector<std::string> args = {"--natal", Natal, "--diurnal", Diurnal, "--houses", "K", "--ephemeris", "precise"};
    args.insert(args.end(), tail.begin(), tail.end());
    return args;
}

#if ORRERION_HAVE_SWE

TEST(ReturnsCommand, JsonHoldsEveryReturnOfTheSpanWithItsMomentAnglesAndCusps) {
    ASSERT_TRUE(CheckPreciseEphemeris().available) << CheckPreciseEphemeris().reason;
    const auto json = testing::MakeTempDir() / "returns.json";
    std::vector<std::string> args = {"returns"};
    for (const std::string& a : Chart({"--body", "mercury", "--from", "2026-12-07", "--days", "900", "--json", json.string()})) {
        args.push_back(a);
    }
    const auto run = RunCli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    const JsonNode doc = testing::ParseJson(testing::ReadWholeFile(json));
    const std::vector<JsonNode>& listed = doc["returns"].items;

    // The same returns computed here through the core.
    Calculation calc;
    calc.houseSystem = HouseSystem::Koch;
    calc.eph.Source = EphemerisSource::Precise;
    LoadNameRecord(*NameRecordFromLine(Natal), 0, InputSection::Natal, calc.natal);
    LoadNameRecord(*NameRecordFromLine(Diurnal), 0, InputSection::Diurnal, calc.diurnal);
    CollectingReporter reporter;
    RunCalculationStart(calc);
    ASSERT_TRUE(ComputeCharts(calc, reporter));
    ReturnSearch search;
    search.body = MERCURY;
    search.fromJD = swe_julday(2026, 12, 7, 5.0, SE_GREG_CAL);  // 0h in the zone five hours west
    search.days = 900;
    const std::vector<ReturnChart> expected =
        ReturnCharts(calc.chart, EphemerisSource::Precise, calc.options, search, DiurnalPlace(calc.chart));
    ASSERT_EQ(listed.size(), expected.size());
    ASSERT_GE(listed.size(), 4u);
    int retrograde = 0;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        SCOPED_TRACE("return " + std::to_string(i));
        const JsonNode& r = listed[i];
        const ReturnChart& want = expected[i];
        EXPECT_EQ(r["body"].text, "MERCURY");
        EXPECT_EQ(r["jd_ut"].number, want.moment.jd);
        EXPECT_EQ(r["longitude"].number, want.moment.longitude);
        ASSERT_EQ(r["retrograde"].kind, JsonNode::Kind::Bool);
        EXPECT_EQ(r["retrograde"].boolean, want.moment.retrograde);
        retrograde += r["retrograde"].boolean;
        EXPECT_EQ(r["asc"].number, want.Long[ASC]);
        EXPECT_EQ(r["mc"].number, want.Long[MC]);
        ASSERT_EQ(r["cusps"].items.size(), 12u);
        for (int house = 1; house <= 12; ++house) {
            EXPECT_EQ(r["cusps"].items[static_cast<std::size_t>(house - 1)].number, CuspOfHouse(want.Cusp, house))
                << "house " << house;
        }
        EXPECT_NEAR(r["cusps"].items[0].number, r["asc"].number, 1e-6) << "house 1 opens at the ascendant";
        EXPECT_NEAR(r["cusps"].items[9].number, r["mc"].number, 1e-6) << "house 10 at the MC";
        // (Koch computes the first and tenth cusps by its own rule, with the program's pi: within 0.004".)
        // utc is jd_ut to the second: read back through the library's calendar, within half a second.
        const std::string utc = r["utc"].text;
        int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
        char z = 0;
        ASSERT_EQ(std::sscanf(utc.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &z), 7) << utc;
        EXPECT_EQ(z, 'Z');
        EXPECT_EQ(utc.size(), 20u) << utc;
        const double back = swe_julday(y, mo, d, h + mi / 60.0 + s / 3600.0, SE_GREG_CAL);
        EXPECT_LE(std::fabs(back - want.moment.jd) * 86400, 0.5 + 1e-4) << utc << " vs " << want.moment.jd;
    }
    EXPECT_GE(retrograde, 1) << "the span holds a retrograde loop over the natal longitude";

    // Without --from the span starts at 0h of the diurnal date; listed on standard output.
    std::vector<std::string> listing = {"returns"};
    for (const std::string& a : Chart({"--body", "Mercury", "--days", "900"})) listing.push_back(a);
    const auto out = RunCli(listing);
    ASSERT_EQ(out.status, 0) << out.err;
    for (const JsonNode& r : listed) EXPECT_NE(out.out.find(r["utc"].text), std::string::npos) << out.out;
}

TEST(ReturnsCommand, WheelDrawsTheNthReturnInsideWithTheNatalChartAround) {
    ASSERT_TRUE(CheckPreciseEphemeris().available) << CheckPreciseEphemeris().reason;
    const auto dir = testing::MakeTempDir();
    std::vector<std::string> returnsArgs = {"returns"}, wheelArgs = {"wheel"};
    for (const std::string& a : Chart({"--body", "sun", "--days", "800"})) {
        returnsArgs.push_back(a);
        wheelArgs.push_back(a);
    }
    returnsArgs.insert(returnsArgs.end(), {"--json", (dir / "returns.json").string()});
    wheelArgs.insert(wheelArgs.end(), {"--return", "2", "--json", (dir / "wheel.json").string(), "--svg",
                                       (dir / "wheel.svg").string()});
    ASSERT_EQ(RunCli(returnsArgs).status, 0);
    const auto wheel = RunCli(wheelArgs);
    ASSERT_EQ(wheel.status, 0) << wheel.err;
    const JsonNode second = testing::ParseJson(testing::ReadWholeFile(dir / "returns.json"))["returns"].items.at(1);
    const JsonNode layout = testing::ParseJson(testing::ReadWholeFile(dir / "wheel.json"));
    ASSERT_EQ(layout["rings"].items.size(), 2u);
    EXPECT_EQ(layout["rings"].items[0].text, "return");
    EXPECT_EQ(layout["rings"].items[1].text, "natal");
    int returnPoints = 0;
    for (const JsonNode& p : layout["points"].items) {
        if (p["ring"].text != "return") continue;
        ++returnPoints;
        const std::string body = p["body"].text;
        if (body == "SUN") {
            EXPECT_EQ(p["longitude"].number, second["longitude"].number);
        }
    }
    // Sun to Moon as glyphs; the return's ascendant and midheaven are the wheel's axes.
    EXPECT_EQ(returnPoints, 10);
    for (const JsonNode& a : layout["angles"].items) {
        if (a["name"].text == "ASC") {
            EXPECT_EQ(a["longitude"].number, second["asc"].number);
        } else if (a["name"].text == "MC") {
            EXPECT_EQ(a["longitude"].number, second["mc"].number);
        }
    }
    for (const JsonNode& c : layout["cusps"].items) {
        const auto house = static_cast<std::size_t>(c["house"].number);
        EXPECT_EQ(c["longitude"].number, second["cusps"].items.at(house - 1).number) << "house " << house;
    }
    EXPECT_EQ(layout["angles"].items.at(0)["longitude"].number, second["asc"].number);
    EXPECT_NE(testing::ReadWholeFile(dir / "wheel.svg").find("class=\"point return\""), std::string::npos);
}

#endif

struct Refusal {
    std::vector<std::string> args;
    int status;
    const char* says;  // on stderr
};

TEST(ReturnsCommand, RefusedInputAndUnwritableFilesGiveTheirStatus) {
    const std::string unwritable = (testing::MakeTempDir() / "missing" / "returns.json").string();
    const std::vector<Refusal> cases = {
        {{"returns", "--body", "ceres", "--days", "30"}, 2, "--body: unknown body \"ceres\""},
        {{"returns", "--body", "sun"}, 2, "give --days N"},
        {{"returns", "--days", "30"}, 2, "give --body NAME"},
        {{"returns", "--body", "sun", "--days", "0"}, 2, "--days takes a whole number"},
        {{"returns", "--body", "sun", "--days", "30", "--from", "2027-02-30"}, 2, "--from takes a date"},
        {{"returns", "--body", "sun", "--days", "400", "--json", unwritable}, 1, unwritable.c_str()},
        {{"wheel", "--return", "3", "--body", "sun", "--days", "400", "--json", unwritable}, 2, "the span holds 1 returns"},
        {{"wheel", "--body", "sun", "--days", "400", "--json", unwritable}, 2, "go with --return N"},
        {{"wheel", "--return", "0", "--body", "sun", "--days", "400", "--json", unwritable}, 2, "--return takes"},
    };
    for (const Refusal& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin() + 1, {"--natal", Natal, "--diurnal", Diurnal});
        SCOPED_TRACE(c.args.front() + " " + c.args[1] + " " + c.args[2]);
        const auto run = RunCli(args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
    }
}

}  // namespace
}  // namespace orrerion
