// orrerion-cli chart: the natal, progressed, solar-arc and transit charts and the data summary.
#include <algorithm>
#include <cstdio>
#include <string>

#include "chart_options.h"
#include "commands.h"
#include "core/aspects/scan_observer.h"
#include "core/base/wheel_rings.h"
#include "core/io/file_replace.h"
#include "core/run/run_calculation.h"

namespace orrerion::cli {
namespace {

std::string JsonPoints(const PointArray& a) {
    std::string out = "[";
    for (std::size_t i = 1; i <= BodyCount; ++i) out += (i > 1 ? ", " : "") + JsonNumber(a[i]);
    return out + "]";
}

std::string JsonCusps(const CuspArray& a) {
    std::string out = "[";
    for (std::size_t i = 1; i < a.size(); ++i) out += (i > 1 ? ", " : "") + JsonNumber(a[i]);
    return out + "]";
}

// {"lon": .., "lat": .., "decl": ..}: the latitude and declination where the point has them.
std::string PointJson(const ExtraPointRow& row, const PointPosition& p, bool withDeclination) {
    std::string out = "{" + JsonString("lon") + ": " + JsonNumber(p.lon);
    if (row.hasLatitude) out += ", " + JsonString("lat") + ": " + JsonNumber(p.lat);
    if (row.hasDeclination && withDeclination) out += ", " + JsonString("decl") + ": " + JsonNumber(p.decl);
    return out + "}";
}

// One chart's chosen points, keyed by name. Solar-arc points are longitudes only.
std::string ChartPointsJson(const PointChoice& choice, const ExtraPointArray& points, bool solarArc) {
    std::string out = "{";
    bool first = true;
    for (const ExtraPointRow& row : ExtraPoints) {
        if (!choice.Has(row.point)) continue;
        const PointPosition& p = points[static_cast<std::size_t>(row.point)];
        if (solarArc) {
            out += (first ? "" : ", ") + JsonString(row.name) + ": {" + JsonString("lon") + ": " + JsonNumber(p.lon) + "}";
        } else {
            out += (first ? "" : ", ") + JsonString(row.name) + ": " + PointJson(row, p, true);
        }
        first = false;
    }
    return out + "}";
}

std::string ChartJson(const ChartState& c) {
    std::string out = "{";
    bool first = true;
    auto field = [&](const char* name, const std::string& value) {
        out += (first ? "" : ", ") + JsonString(name) + ": " + value;
        first = false;
    };
    field("NatalLong", JsonPoints(c.NatalLong));
    field("NatalDecl", JsonPoints(c.NatalDecl));
    field("ProgLong", JsonPoints(c.ProgLong));
    field("ProgDecl", JsonPoints(c.ProgDecl));
    field("ArcLong", JsonPoints(c.ArcLong));
    field("TransitLong", JsonPoints(c.TransitLong));
    field("TransitDecl", JsonPoints(c.TransitDecl));
    field("NatalCusp", JsonCusps(c.NatalCusp));
    field("ProgCusp", JsonCusps(c.ProgCusp));
    field("ArcCusp", JsonCusps(c.ArcCusp));
    field("TransitCusp", JsonCusps(c.TransitCusp));
    field("SolarArc", JsonNumber(c.SolarArc));
    field("SecProgSun", JsonNumber(c.SecProgSun));
    field("NatalJD", JsonNumber(c.NatalJD));
    field("DiurnalJD", JsonNumber(c.DiurnalJD));
    field("ProgJD", JsonNumber(c.ProgJD));
    field("NatalT", JsonNumber(c.NatalT));
    field("DiurnalT", JsonNumber(c.DiurnalT));
    field("ProgT", JsonNumber(c.ProgT));
    field("ProgDayNumber", JsonNumber(c.ProgDayNumber));
    field("AgeYears", std::to_string(c.input.AgeYears));
    field("HouseSystemCode", JsonString(c.HouseSystemCode));
    field("NatalRetroMarks", JsonString(c.NatalRetroMarks));
    field("ProgRetroMarks", JsonString(c.ProgRetroMarks));
    field("TransitRetroMarks", JsonString(c.TransitRetroMarks));
    field("NatalSTText", JsonString(c.NatalSTText));
    field("ProgSTText", JsonString(c.ProgSTText));
    field("TransitSTText", JsonString(c.TransitSTText));
    field("NatalHouseLine", JsonString(c.NatalHouseLine));
    field("ProgHouseLine", JsonString(c.ProgHouseLine));
    field("TransitHouseLine", JsonString(c.TransitHouseLine));
    // Only with points chosen, so that the object of the twelve points stays as it was.
    if (c.Points.Any()) {
        auto ring = [](WheelRing r) { return JsonString(RingOf(r).key) + ": "; };
        field("points", "{" + ring(WheelRing::Natal) + ChartPointsJson(c.Points, c.NatalPoints, false) + ", " +
                            ring(WheelRing::Progressed) + ChartPointsJson(c.Points, c.ProgPoints, false) + ", " +
                            ring(WheelRing::SolarArc) + ChartPointsJson(c.Points, c.ArcPoints, true) + ", " +
                            ring(WheelRing::Transits) + ChartPointsJson(c.Points, c.TransitPoints, false) + "}");
    }
    return out + "}";
}

// --record-only: the natal record the options give, on stdout, for `names add`; what it was made
// from goes to stderr.
int PrintNatalRecord(const ChartCommandOptions& options) {
    const ProgramDirChoice dataDir = ProgramDataDir();
    if (!dataDir.error.empty()) {
        std::fprintf(stderr, "orrerion-cli chart: %s\n", dataDir.error.c_str());
        return 2;
    }
    MomentRecords records;
    const auto error = ResolveMomentRecords(options.natalRecord, {}, options.moments, dataDir.dir, false, records);
    if (error) {
        std::fprintf(stderr, "orrerion-cli chart: %s\n", error->c_str());
        return 2;
    }
    for (const std::string& line : records.shown) std::fprintf(stderr, "orrerion-cli chart: %s\n", line.c_str());
    std::printf("%s\n", records.natal.c_str());
    return 0;
}

}  // namespace

int RunChartCommand(const CommandLine& line) {
    ChartCommandOptions options;
    ExtraValues extras;
    options.diurnalRequired = std::none_of(line.options.begin(), line.options.end(),
                                           [](const GivenOption& o) { return o.Name() == "--record-only"; });
    if (auto error = ParseChartOptions(line, options, extras)) {
        std::fprintf(stderr, "orrerion-cli chart: %s\n", error->c_str());
        return 2;
    }
    if (!options.diurnalRequired) return PrintNatalRecord(options);
    // --json FILE writes the JSON there; --json alone (the earlier flag) prints it on stdout.
    const GivenOption* json = nullptr;
    for (const GivenOption& given : line.options) {
        if (given.Name() == "--json") json = &given;
    }
    Calculation calc;
    if (!SetUpCalculation("orrerion-cli chart", options, calc)) return 2;

    CollectingReporter reporter;
    ScanObserver noScan;
    const CalculationRequest request = NotingRequest();
    const bool computed = RunCalculation(calc, request, noScan, reporter).charted;
    PrintMessages(reporter.messages);
    if (!computed) return 2;

    if (json && json->hasValue) {
        const WriteResult written = ReplaceFile(json->value, ChartJson(calc.chart) + "\n");
        if (!written.ok) {
            std::fprintf(stderr, "orrerion-cli chart: %s\n", written.message.c_str());
            return 1;
        }
    } else if (json) {
        std::printf("%s\n", ChartJson(calc.chart).c_str());
    } else {
        for (std::string_view line : calc.out.DataLines) {
            std::printf("%.*s\n", static_cast<int>(line.size()), line.data());
        }
    }
    return 0;
}

}  // namespace orrerion::cli
