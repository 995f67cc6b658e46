// orrerion-cli returns: the moments a body returns to its natal longitude over a span of days and
// the return chart of each at the diurnal place, listed on standard output or written as JSON.
#include <cstdio>
#include <optional>
#include <string>

#include "chart_options.h"
#include "commands.h"
#include "return_options.h"
#include "core/aspects/scan_observer.h"
#include "core/aspects/summary.h"
#include "core/exports/return_exports.h"
#include "core/exports/scan_exports.h"
#include "core/io/file_replace.h"
#include "core/run/run_calculation.h"

namespace orrerion::cli {
namespace {

constexpr const char* Name = "orrerion-cli returns";

// "2027-01-13T05:57:12Z  jd 2461418.748056  SUN 292.504170 R  ASC 123.456789  MC 10.123456"
std::string ListedLine(const ReturnChart& r) {
    char text[160];
    std::snprintf(text, sizeof text, "%s  jd %.6f  %s %10.6f%s  ASC %10.6f  MC %10.6f\n",
                  IsoSecondUtc(r.moment.jd).c_str(), r.moment.jd, ExportPointWord(r.moment.body).c_str(),
                  r.moment.longitude, r.moment.retrograde ? " R" : "  ", r.Long[ASC], r.Long[MC]);
    return text;
}

}  // namespace

int RunReturnsCommand(const CommandLine& line) {
    ChartCommandOptions options;
    ExtraValues extras;
    if (auto error = ParseChartOptions(line, options, extras)) {
        std::fprintf(stderr, "%s: %s\n", Name, error->c_str());
        return 2;
    }
    ReturnOptions chosen;
    if (auto error = ReadReturnOptions(extras, true, chosen)) {
        std::fprintf(stderr, "%s: %s\n", Name, error->c_str());
        return 2;
    }
    std::optional<std::string> jsonPath;
    for (const auto& [name, value] : extras) {
        if (name == "--json") jsonPath = value;
    }

    Calculation calc;
    if (!SetUpCalculation(Name, options, calc)) return 2;
    CollectingReporter reporter;
    ScanObserver noScan;
    bool noted = false;
    CalculationRequest request;
    request.notice = [&](const std::string& note) {
        PrintNote(note);
        noted = true;
    };
    request.preciseChoice = PreciseChoiceText;
    const bool computed = RunCalculation(calc, request, noScan, reporter).charted;
    PrintMessages(reporter.messages);
    if (!computed) return 2;

    const std::vector<ReturnChart> returns = ChosenReturns(calc, chosen, noted);
    if (jsonPath) {
        const WriteResult written = ReplaceFile(*jsonPath, ReturnsJson(returns, chosen.precessed));
        if (!written.ok) {
            std::fprintf(stderr, "%s: %s\n", Name, written.message.c_str());
            return 1;
        }
        return 0;
    }
    std::string out = ExportPointWord(chosen.body.value_or(SUN)) + " returns of " + calc.chart.ChartName + ", " +
                      std::string(HouseSystemName(calc.chart.HouseSystemCode)) + " houses at the diurnal place";
    out += chosen.precessed ? " (precessed):\n" : ":\n";
    for (const ReturnChart& r : returns) out += ListedLine(r);
    std::fputs(out.c_str(), stdout);
    return 0;
}

}  // namespace orrerion::cli
