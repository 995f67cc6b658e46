// orrerion-cli wheel: the chart wheel of a calculation as SVG, and its layout as JSON.
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>

#include "chart_options.h"
#include "commands.h"
#include "return_options.h"
#include "core/io/number_text.h"
#include "core/aspects/scan_observer.h"
#include "core/io/file_replace.h"
#include "core/pictures/wheel_layout.h"
#include "core/pictures/wheel_output.h"
#include "core/run/run_calculation.h"

namespace orrerion::cli {
namespace {

std::optional<std::string> ParseRings(const std::string& text, WheelChoice& choice) {
    choice.outerRings.clear();
    std::stringstream words(text);
    std::string word;
    while (std::getline(words, word, ',')) {
        const std::optional<WheelRing> ring = RingFromWord(word);
        if (!ring) return "--rings: unknown ring \"" + word + "\" (" + RingWords(&WheelRingInfo::word, ", ", ", ") + ")";
        if (RingOf(*ring).place == RingPlace::Inner) continue;
        choice.outerRings.push_back(*ring);
    }
    if (choice.outerRings.size() > 2) return std::string("--rings: at most two rings besides natal");
    return std::nullopt;
}

}  // namespace

int RunWheelCommand(const CommandLine& line) {
    ChartCommandOptions options;
    ExtraValues extras;
    if (auto error = ParseChartOptions(line, options, extras)) {
        std::fprintf(stderr, "orrerion-cli wheel: %s\n", error->c_str());
        return 2;
    }
    WheelChoice choice;
    std::optional<std::string> svgPath, jsonPath;
    std::optional<int> returnNumber;
    ReturnOptions returnChoice;
    for (const auto& [name, value] : extras) {
        if (name == "--rings") {
            if (auto error = ParseRings(value, choice)) {
                std::fprintf(stderr, "orrerion-cli wheel: %s\n", error->c_str());
                return 2;
            }
        } else if (name == "--orientation") {
            if (value == "ascendant") {
                choice.orientation = WheelOrientation::AscendantLeft;
            } else if (value == "aries") {
                choice.orientation = WheelOrientation::AriesLeft;
            } else {
                std::fprintf(stderr, "orrerion-cli wheel: --orientation is ascendant or aries\n");
                return 2;
            }
        } else if (name == "--outer-aspects") {
            choice.outerAspects = true;
        } else if (name == "--svg") {
            svgPath = value;
        } else if (name == "--json") {
            jsonPath = value;
        } else if (name == "--return") {
            const std::optional<double> n = ParseNumber(value);
            if (!n || *n != static_cast<int>(*n) || *n < 1) {
                std::fprintf(stderr, "orrerion-cli wheel: --return takes a return's number, 1 or more, not \"%s\"\n",
                             value.c_str());
                return 2;
            }
            returnNumber = static_cast<int>(*n);
        }
    }
    // --body, --from, --days and --precessed choose the returns; they go with --return only.
    if (auto error = ReadReturnOptions(extras, returnNumber.has_value(), returnChoice)) {
        std::fprintf(stderr, "orrerion-cli wheel: %s\n", error->c_str());
        return 2;
    }
    if (!returnNumber && (returnChoice.body || returnChoice.days > 0 || returnChoice.from || returnChoice.precessed)) {
        std::fputs("orrerion-cli wheel: --body, --from, --days and --precessed go with --return N\n", stderr);
        return 2;
    }
    if (!svgPath && !jsonPath) {
        std::fputs("orrerion-cli wheel: give --svg FILE, --json FILE or both\n", stderr);
        return 2;
    }

    Calculation calc;
    if (!SetUpCalculation("orrerion-cli wheel", options, calc)) return 2;
    CollectingReporter reporter;
    ScanObserver noScan;
    const bool computed = RunCalculation(calc, NotingRequest(), noScan, reporter).charted;
    PrintMessages(reporter.messages);
    if (!computed) return 2;

    WheelLayout layout;
    std::string title = "Chart wheel: " + calc.chart.ChartName;
    if (returnNumber) {
        const std::vector<ReturnChart> returns = ChosenReturns(calc, returnChoice, true);
        if (static_cast<std::size_t>(*returnNumber) > returns.size()) {
            std::fprintf(stderr, "orrerion-cli wheel: --return %d: the span holds %zu returns\n", *returnNumber,
                         returns.size());
            return 2;
        }
        const ReturnChart& ret = returns[static_cast<std::size_t>(*returnNumber - 1)];
        layout = LayOutReturnWheel(calc.chart, ret, calc.options, choice.orientation, choice.outerAspects,
                                   ReturnWheelTitleLines(calc.chart, ret));
        title = "Return wheel: " + calc.chart.ChartName;
    } else {
        layout = LayOutWheel(calc.chart, calc.options, choice, WheelTitleLines(calc.chart, choice));
    }
    for (const auto& [path, isSvg] : {std::pair{svgPath, true}, std::pair{jsonPath, false}}) {
        if (!path) continue;
        FileReplacement file(*path);
        {
            TextSink sink(file);
            if (isSvg) {
                WriteWheelSvg(sink, layout, title);
            } else {
                WriteWheelJson(sink, layout);
            }
        }
        const WriteResult written = file.Commit();
        if (!written.ok) {
            std::fprintf(stderr, "orrerion-cli wheel: %s\n", written.message.c_str());
            return 1;
        }
    }
    return 0;
}

}  // namespace orrerion::cli
