// orrerion-cli ephemeris --jd JD [--ephemeris builtin|precise]: the positions of every body at one
// universal-time Julian date.
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "chart_options.h"
#include "commands.h"
#include "core/ephemeris/ephemeris.h"
#include "core/ephemeris/time_angles.h"
#include "core/io/json_text.h"
#include "core/io/number_text.h"
#include "core/run/run_calculation.h"

namespace orrerion::cli {

int RunEphemerisCommand(const CommandLine& line) {
    std::string jdText;
    bool haveJd = false;
    std::optional<EphemerisSource> given;
    for (const GivenOption& option : line.options) {
        if (option.Name() == "--jd") {
            jdText = option.value;
            haveJd = true;
        } else if (option.Name() == "--ephemeris") {
            given = ParseEphemerisName(option.value);
            if (!given) {
                std::fprintf(stderr, "orrerion-cli ephemeris: --ephemeris takes builtin or precise, not '%s'\n",
                             option.value.c_str());
                return 2;
            }
        }
    }
    if (!haveJd) {
        std::fputs("orrerion-cli ephemeris: missing --jd JD (a Julian date such as 2451545.0)\n", stderr);
        return 2;
    }
    const auto jd = ParseNumber(jdText);
    if (!jd || !std::isfinite(*jd)) {
        std::fprintf(stderr, "orrerion-cli ephemeris: '%s' is not a Julian date\n", jdText.c_str());
        return 2;
    }
    if (!JulianDateSupported(*jd)) {
        std::fprintf(stderr,
                     "orrerion-cli ephemeris: the Julian date '%s' lies outside the dates the program computes "
                     "(JD %s up to %s, the years %d to %d)\n",
                     jdText.c_str(), JsonNumber(SupportedFirstJD).c_str(), JsonNumber(SupportedEndJD).c_str(),
                     SupportedFirstYear, SupportedLastYear);
        return 2;
    }

    EphemerisState s;
    std::vector<std::string> warnings;
    // The settings file gives the default source; without --ephemeris the data folder is read.
    std::filesystem::path programDir;
    if (!given) {
        const ProgramDirChoice dataDir = ProgramDataDir();
        if (!dataDir.error.empty()) {
            std::fprintf(stderr, "orrerion-cli ephemeris: %s\n", dataDir.error.c_str());
            return 2;
        }
        programDir = dataDir.dir;
    }
    const std::optional<std::string> unavailable = ChooseEphemeris(given, programDir, s.Source, warnings);
    for (const std::string& w : warnings) std::fprintf(stderr, "orrerion-cli ephemeris: %s\n", w.c_str());
    if (unavailable) {
        std::fprintf(stderr, "orrerion-cli ephemeris: %s\n", unavailable->c_str());
        return 2;
    }
    if (s.Source == EphemerisSource::Builtin && !BuiltinSeriesCovers(*jd)) {
        PrintNote(BuiltinYearsNote(PreciseChoiceText));
    }
    s.DayNumber = std::floor(*jd + 0.5);
    s.DayFraction = *jd + 0.5 - s.DayNumber;
    s.EphT = (s.DayNumber + s.DayFraction - 0.5 - JulianDay1900) / DaysPerCentury;
    s.NegObliquityRad = NegObliquityRadians(s.EphT);
    EphemerisAllBodies(s);

    auto slots = [](const PointArray& a) {
        std::string text = "[";
        for (int n = 1; n <= MOON; ++n) {
            if (n > 1) text += ",";
            text += JsonNumber(a[static_cast<std::size_t>(n)]);
        }
        return text + "]";
    };
    std::printf("{\"jd\":%s,\"long\":%s,\"lat\":%s,\"decl\":%s,\"long_next\":%s,\"retro\":%s}\n",
                JsonNumber(*jd).c_str(), slots(s.WorkLong).c_str(), slots(s.WorkLat).c_str(),
                slots(s.WorkDecl).c_str(), slots(s.WorkLongNext).c_str(), JsonString(s.RetroMarks).c_str());
    return 0;
}

}  // namespace orrerion::cli
