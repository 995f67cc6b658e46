// The return chart's summary for the data window, against approved texts: a solar return on a
// zone typed as hours, and a precessed lunar return in July on the clock of a named zone (daylight
// saving), each with its cusps, positions beside the natal ones and aspects to natal. A summary
// that differs is written beside the test's temporary folder for review.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/aspects/returns.h"
#include "core/exports/return_exports.h"
#include "core/records/name_record.h"
#include "core/run/run_calculation.h"
#include "scan_fixture.h"
#include "test_paths.h"

namespace orrerion {
namespace {

struct SummaryCase {
    const char* golden;  // tests/golden/returns/<golden>
    int body;
    CalendarDate from;
    bool precessed;
    MomentClock clock;
};

TEST(ReturnSummary, MatchesTheApprovedTexts) {
    const Calculation calc = testing::JohnSmith();
    const SummaryCase cases[] = {
        {"john_smith_solar_2027.txt", SUN, {7, 12, 2026}, false, {5.0, ""}},
        {"john_smith_lunar_precessed_july_2027.txt", MOON, {1, 7, 2027}, true, {5.0, "America/New_York"}},
    };
    for (const SummaryCase& c : cases) {
        SCOPED_TRACE(c.golden);
        ReturnSearch search;
        search.body = c.body;
        search.fromJD = LocalMidnightJD(c.from, 5.0);
        search.days = 60;  // the first return is the one summed up
        search.precessed = c.precessed;
        const std::vector<ReturnMoment> moments = FindReturns(calc.chart, calc.eph.Source, search);
        ASSERT_FALSE(moments.empty());
        const ReturnChart chart = CastReturnChart(calc.chart, calc.eph.Source, calc.options, moments.front(),
                                                  DiurnalPlace(calc.chart));
        OutputBuffers out;
        WriteReturnSummary(calc.chart, chart, c.precessed, c.clock, 0, out);
        std::string text;
        for (std::string_view line : out.OutputLines) text += std::string(line) + "\n";
        const std::string approved = testing::ReadWholeFile(testing::GoldenDir() / "returns" / c.golden);
        if (text != approved) {
            const auto actual = testing::MakeTempDir() / c.golden;
            testing::WriteWholeFile(actual, text);
            ADD_FAILURE() << "the summary differs from the approved text; it is in " << actual.string();
        }
    }
}

}  // namespace
}  // namespace orrerion
