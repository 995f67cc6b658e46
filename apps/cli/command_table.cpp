// The commands of orrerion-cli and every option each takes, declared once: the commands read their
// options by these names, and the help, the manual page and the bash completion are written from
// these rows. Groups that several commands share (the chart options, the scan's, the returns')
// are declared once and listed by each command.
#include <array>
#include <string>

#include "core/base/aspect_families.h"
#include "core/base/wheel_rings.h"
#include "core/chart/houses.h"
#include "option_table.h"

namespace orrerion::cli {
namespace {

// --houses: "P|R|K|O|M" and "P Placidus, R Regiomontanus, ...", the computed systems in their order.
constexpr void HouseCodeWords(TextBuilder& words) {
    for (const HouseSystemRow& row : HouseSystems) {
        if (!IsComputed(row)) continue;
        if (!words.empty()) words += "|";
        words += row.code;
    }
}
constexpr void HouseHelp(TextBuilder& help) {
    for (const HouseSystemRow& row : HouseSystems) {
        if (!IsComputed(row)) continue;
        if (!help.empty()) help += ", ";
        help += row.code;
        help += " ";
        help += row.name;
    }
    help += "\n(default: the start-up system of the options file)";
}
// --families: "tn transit to natal, sn solar arc to natal, ...".
constexpr void FamiliesHelp(TextBuilder& help) {
    help += "only these aspect families, joined by commas: ";
    for (const FamilyInfo& info : ScanFamilies) {
        if (info.family != ScanFamilies.front().family) help += ", ";
        help += info.code;
        help += " ";
        for (const char c : info.label) help += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    help += " (default: all)";
}
// --rings: "natal plus up to two of progressed, solar-arc and transits", the default "natal,transits".
constexpr void RingsHelp(TextBuilder& help) {
    help += "the rings from the inside out, natal first: natal plus up to two of ";
    std::size_t outer = 0, listed = 0;
    for (const WheelRingInfo& info : WheelRings) outer += Choosable(info) && info.place == RingPlace::Outer;
    for (const WheelRingInfo& info : WheelRings) {
        if (!Choosable(info) || info.place != RingPlace::Outer) continue;
        if (listed > 0) help += listed + 1 == outer ? " and " : ", ";
        help += info.word;
        ++listed;
    }
    help += ", joined by commas (default ";
    bool first = true;
    for (const WheelRingInfo& info : WheelRings) {
        if (!DefaultWheelRings[RingIndex(info.ring)]) continue;
        if (!first) help += ",";
        first = false;
        help += info.word;
    }
    help += ")";
}
inline constexpr auto FamiliesHelpText = FrozenText<FamiliesHelp>();
inline constexpr auto RingsHelpText = FrozenText<RingsHelp>();
inline constexpr auto HouseCodeWordsText = FrozenText<HouseCodeWords>();
inline constexpr auto HouseHelpText = FrozenText<HouseHelp>();

using enum InUsage;

// The natal and diurnal moments, the houses, options file and ephemeris: every command that casts
// the charts reads them (chart_options.cpp, moment_options.cpp).
inline constexpr auto ChartOptions = std::to_array<OptionRow>({
    {"--natal", "RECORD",
     "the birth as one names-file record: \"Name,dd mmm yyyy,H.MM,A|P,zone,longitude,latitude\"\n"
     "(zone in decimal hours west of Greenwich, -5.5 for 5 h 30 min east; longitude D.MM\n"
     "positive west, latitude D.MM positive north; 12-hour clock of the A or P)",
     Plain},
    {"--diurnal", "RECORD", "the diurnal moment as one record (its name is not used)", Plain},
    {"--natal-name", "NAME", "instead of --natal: the record of that name in the names file (case ignored)"},
    {"--diurnal-name", "NAME", "instead of --diurnal: the record of that name in the names file"},
    {"--names", "FILE", "the names file (default: the data folder's NAMES.FIL)"},
    {"--birth", "YYYY-MM-DDTHH:MM[:SS]",
     "instead of --natal: the local date and 24-hour time of the birth, with --tz and\n"
     "--lat and --lon, or --place"},
    {"--tz", "ZONE",
     "the birth's zone: an IANA name (America/New_York: the offset in force then), an\n"
     "offset (+05:30, -0500, UTC) or LMT (longitude / 15). A time the clocks skipped is\n"
     "refused; one they repeated is its earlier occurrence (see --fold)"},
    {"--lat", "LATITUDE", "the birth's latitude: 40N43, or signed degrees, north positive"},
    {"--lon", "LONGITUDE", "the birth's longitude: 74W00, or signed degrees, east positive"},
    {"--place", "NAME",
     "a place of the atlas instead of --lat and --lon: the most populous named exactly\n"
     "so, with its zone"},
    {"--place-index", "N", "the Nth of the places --place lists when none has its whole name"},
    {"--name", "NAME", "the name of the record --birth makes"},
    {"--fold", "earlier|later", "which of the two occurrences of a repeated clock time (default earlier)"},
    {"--at", "YYYY-MM-DDTHH:MM[:SS]",
     "instead of --diurnal: the local date and time, with --at-tz, --at-lat, --at-lon or\n"
     "--at-place (default: the birth's place and zone)"},
    {"--now", "", "instead of --diurnal: the present moment"},
    {"--at-tz", "ZONE", "the diurnal zone, written as for --tz"},
    {"--at-lat", "LATITUDE", "the diurnal latitude, written as for --lat"},
    {"--at-lon", "LONGITUDE", "the diurnal longitude, written as for --lon"},
    {"--at-place", "NAME", "the diurnal place from the atlas, as for --place"},
    {"--at-place-index", "N", "as --place-index, for --at-place"},
    {"--houses", TextOf(HouseCodeWordsText), TextOf(HouseHelpText)},
    {"--progression", "secondary|minor|tertiary", "the progression (default secondary)"},
    {"--options", "FILE", "the options file (default: the data folder's OPTIONS.OPT)"},
    {"--date-order", "0|1|2",
     "0 month/day/year, 1 day/month/year, 2 year/month/day (default: the system's)"},
    {"--ephemeris", "builtin|precise",
     "builtin: the program's own series (universal time, no delta T), good for 1885-2099\n"
     "(outside those years a note goes to stderr); precise: the Swiss Ephemeris (apparent\n"
     "positions of date, with delta T, true obliquity and sidereal time), which needs\n"
     "Debian's swe-basic-data; default: the \"ephemeris\" line of SETTINGS.TXT, else builtin"},
    {"--points", "LIST",
     "more points in every chart: any of mean-node, true-node, lilith, chiron, ceres,\n"
     "pallas, juno, vesta, fortune joined by commas, or all (a node brings its south\n"
     "node); true-node, chiron and the asteroids need --ephemeris precise (chiron and the\n"
     "asteroids read seas_18.se1 of swe-basic-data). chart shows them in the summary and\n"
     "the JSON (\"points\"), wheel draws them on its rings, scan and timeline find their\n"
     "aspects; the 16 report files never change (see --points-in-reports)"},
    {"--fortune-day-formula", "", "the Lot of Fortune as ASC + Moon - Sun by night too"},
});

// The scan as the scan and timeline commands run it.
inline constexpr auto ScanOptions = std::to_array<OptionRow>({
    {"--days", "TEXT",
     "the answer to \"Enter number of days:\" (default \" 90\"); TEXT that reads as fewer than\n"
     "1 or more than 32767 days is refused",
     Bracketed},
    {"--reports", "DIR", "the folder of the 16 report files (default: the data folder's reports/)", Bracketed},
    {"--families", "LIST", TextOf(FamiliesHelpText)},
    {"--quiet", "", "no listing on standard output (the timeline command prints none anyway)"},
    {"--points-in-reports", "",
     "the runs of the --points chosen in the 16 report files and the listing too, after the\n"
     "twelve points' lines (without it they are only in the exports and the timeline)"},
});

// The span searched by returns and events, and by wheel --return.
inline constexpr auto SpanOptions = std::to_array<OptionRow>({
    {"--from", "YYYY-MM-DD", "the first day, from 0h in the diurnal zone (default: the diurnal date)"},
    {"--days", "N", "the number of days searched, 1 to 73050", Plain},
});

// The returns chosen by returns and wheel --return.
inline constexpr auto ReturnOptions = std::to_array<OptionRow>({
    {"--body", "NAME", "the body that returns: Sun, Moon, Mercury ... Pluto (case ignored)", Plain},
    {"--precessed", "", "returns to the natal longitude moved on by the precession since birth"},
});

inline constexpr auto EphemerisOwn = std::to_array<OptionRow>({
    {"--jd", "JD", "the universal-time Julian date (2451545.0 is 2000-01-01 12:00 UT)", Plain},
    {"--ephemeris", "builtin|precise",
     "the source of positions, as for the chart command (default: SETTINGS.TXT)", Bracketed},
});

inline constexpr auto ChartOwn = std::to_array<OptionRow>({
    {"--json", "[FILE]",
     "the chart values as JSON instead of the summary, written to FILE (- for standard\n"
     "output); with no FILE, or followed by another option, printed on standard output\n"
     "(that form goes in a later release)",
     Bracketed},
    {"--record-only", "", "print the natal record only (for names add) and stop; no --diurnal needed"},
});

inline constexpr auto ScanOwn = std::to_array<OptionRow>({
    {"--progress", "", "a progress bar on stderr"},
    {"--threads", "N", "scan on N threads, 1 or 2 (default: 2 where the machine has two cores);\nthe output is the same whatever N"},
    {"--ics", "FILE", "the scan's runs and exact moments as an iCalendar file", Bracketed},
    {"--csv", "FILE", "the same as a CSV table", Bracketed},
    {"--json", "FILE", "the same as JSON", Bracketed},
    {"--run-events", "", "add to the calendar an all-day event per run, from its first to its last day"},
    {"--events", "LIST",
     "add the sky's events over the scanned days to the exports: any of station, retrograde,\n"
     "ingress, house-ingress, lunation, eclipse, void joined by commas, or all"},
});

inline constexpr auto WheelOwn = std::to_array<OptionRow>({
    {"--svg", "FILE", "the wheel as SVG", Bracketed},
    {"--json", "FILE", "its layout as JSON", Bracketed},
    {"--rings", "RINGS", TextOf(RingsHelpText)},
    {"--orientation", "ascendant|aries", "the ascendant (default) or 0 degrees Aries at the left"},
    {"--outer-aspects", "", "add the aspects of the first outer ring to the natal points"},
    {"--return", "N",
     "draw the Nth return chart of the span (--body, --days, --from, --precessed) inside,\n"
     "with its houses, and the natal chart around it; --rings is then not used"},
});

inline constexpr auto TimelineOwn = std::to_array<OptionRow>({
    {"--svg", "FILE", "the timeline as SVG", Bracketed},
    {"--json", "FILE", "its layout as JSON", Bracketed},
    {"--from", "YYYY-MM-DD", "the first day shown (default: the first day scanned)"},
    {"--to", "YYYY-MM-DD", "the last day shown (default: the last day scanned)"},
    {"--events", "LIST",
     "the sky's events of these kinds in a Sky group above the lanes: any of station,\n"
     "retrograde, ingress, house-ingress, lunation, eclipse, void joined by commas, or all"},
});

inline constexpr auto ReturnsOwn = std::to_array<OptionRow>({
    {"--json", "FILE", "write the returns as JSON instead of listing them", Bracketed},
});

inline constexpr auto EventsOwn = std::to_array<OptionRow>({
    {"--kinds", "LIST",
     "any of station, retrograde, ingress, house-ingress, lunation, eclipse, void joined\n"
     "by commas, or all (the default)"},
    {"--orb", "DEG",
     "the orb of the natal points a lunation or eclipse hits, 0 to 15 (default: the\n"
     "\"event_orb\" line of SETTINGS.TXT, else 3)"},
    {"--json", "FILE", "the events as JSON", Bracketed},
    {"--ics", "FILE", "the events as an iCalendar file", Bracketed},
    {"--csv", "FILE", "the events as a CSV table", Bracketed},
});

inline constexpr auto NamesOwn = std::to_array<OptionRow>({
    {"--replace", "", "add: replace a stored record of the same name (case ignored)"},
});

inline constexpr auto AtlasOwn = std::to_array<OptionRow>({
    {"--date", "YYYY-MM-DD", "the local date the zone is in force (default: today)", Bracketed},
    {"--time", "HH:MM", "the local 24-hour clock time (default: now)", Bracketed},
});

constexpr std::string_view ChartTitle = "Chart options";

inline constexpr auto EphemerisGroups = std::to_array<OptionGroup>({{"", EphemerisOwn}});
inline constexpr auto ChartGroups = std::to_array<OptionGroup>({{"", ChartOwn}, {ChartTitle, ChartOptions}});
inline constexpr auto ScanGroups =
    std::to_array<OptionGroup>({{"", ScanOwn}, {"Scan options", ScanOptions}, {ChartTitle, ChartOptions}});
inline constexpr auto WheelGroups = std::to_array<OptionGroup>(
    {{"", WheelOwn}, {"Return options (with --return)", ReturnOptions, false},
     {"Span options (with --return)", SpanOptions, false}, {ChartTitle, ChartOptions}});
inline constexpr auto TimelineGroups =
    std::to_array<OptionGroup>({{"", TimelineOwn}, {"Scan options", ScanOptions}, {ChartTitle, ChartOptions}});
inline constexpr auto ReturnsGroups = std::to_array<OptionGroup>(
    {{"", ReturnsOwn}, {"Return options", ReturnOptions}, {"Span options", SpanOptions}, {ChartTitle, ChartOptions}});
inline constexpr auto EventsGroups =
    std::to_array<OptionGroup>({{"", EventsOwn}, {"Span options", SpanOptions}, {ChartTitle, ChartOptions}});
inline constexpr auto NamesGroups = std::to_array<OptionGroup>({{"", NamesOwn}});
inline constexpr auto AtlasGroups = std::to_array<OptionGroup>({{"", AtlasOwn}});
inline constexpr std::array<OptionGroup, 0> NoGroups{};

// The examples run as they are printed (the tests run each command's in an empty folder, in order).

inline constexpr auto EphemerisExamples = std::to_array<std::string_view>({
    "orrerion-cli ephemeris --jd 2451545.0",
});
inline constexpr auto ChartExamples = std::to_array<std::string_view>({
    "orrerion-cli chart --natal \"John Smith,13 Jan 1950,8.30,A,5,074.00,40.43\" --diurnal \",07 Dec 2026,12.00,P,5,074.00,40.43\"",
    "orrerion-cli chart --birth 1950-01-13T08:30 --tz America/New_York --lat 40N43 --lon 74W00 --at 2026-12-07T12:00 --houses K --json chart.json",
});
inline constexpr auto ScanExamples = std::to_array<std::string_view>({
    "orrerion-cli scan --natal \"John Smith,13 Jan 1950,8.30,A,5,074.00,40.43\" --diurnal \",07 Dec 2026,12.00,P,5,074.00,40.43\" --days 30 --reports reports",
    "orrerion-cli scan --natal \"John Smith,13 Jan 1950,8.30,A,5,074.00,40.43\" --diurnal \",07 Dec 2026,12.00,P,5,074.00,40.43\" --days 30 --families tn,tp --ics transits.ics",
});
inline constexpr auto WheelExamples = std::to_array<std::string_view>({
    "orrerion-cli wheel --natal \"John Smith,13 Jan 1950,8.30,A,5,074.00,40.43\" --diurnal \",07 Dec 2026,12.00,P,5,074.00,40.43\" --rings natal,progressed,transits --svg wheel.svg",
    "orrerion-cli wheel --natal \"John Smith,13 Jan 1950,8.30,A,5,074.00,40.43\" --diurnal \",07 Dec 2026,12.00,P,5,074.00,40.43\" --return 1 --body sun --days 366 --svg return.svg",
});
inline constexpr auto TimelineExamples = std::to_array<std::string_view>({
    "orrerion-cli timeline --natal \"John Smith,13 Jan 1950,8.30,A,5,074.00,40.43\" --diurnal \",07 Dec 2026,12.00,P,5,074.00,40.43\" --days 60 --reports reports --svg timeline.svg --json timeline.json",
});
inline constexpr auto ReturnsExamples = std::to_array<std::string_view>({
    "orrerion-cli returns --natal \"John Smith,13 Jan 1950,8.30,A,5,074.00,40.43\" --diurnal \",07 Dec 2026,12.00,P,5,074.00,40.43\" --body moon --days 60",
});
inline constexpr auto EventsExamples = std::to_array<std::string_view>({
    "orrerion-cli events --natal \"John Smith,13 Jan 1950,8.30,A,5,074.00,40.43\" --diurnal \",07 Dec 2026,12.00,P,5,074.00,40.43\" --days 31 --kinds station,lunation",
});
inline constexpr auto NamesExamples = std::to_array<std::string_view>({
    "orrerion-cli names add NAMES.FIL \"John Smith,13 Jan 1950,8.30,A,5,074.00,40.43\"",
    "orrerion-cli names list NAMES.FIL",
});
inline constexpr auto AtlasExamples = std::to_array<std::string_view>({
    "orrerion-cli atlas Boston --date 1950-07-01 --time 12:00",
});
inline constexpr auto CompletionExamples = std::to_array<std::string_view>({
    "orrerion-cli completion bash",
});

inline constexpr auto CommandTable = std::to_array<CommandRow>({
    {"ephemeris", "", "positions of the Sun, Moon and planets at a Julian date, as JSON",
     "Positions of the Sun, Moon and planets at the universal-time Julian date JD, printed as\n"
     "one JSON object: long, lat, decl, long_next (Sun, Mercury, Venus, Mars, Jupiter, Saturn,\n"
     "Uranus, Neptune, Pluto, Moon) and the retrograde marks.",
     EphemerisGroups, EphemerisExamples},
    {"chart", "", "the natal, progressed, solar-arc and transit charts and the data summary",
     "Natal, progressed, solar-arc and transit charts and the data summary. The natal moment\n"
     "is a record (--natal), a record of the names file (--natal-name) or a date, zone and\n"
     "place (--birth); the diurnal one likewise (--diurnal, --diurnal-name, --at or --now).\n"
     "The record computed from is shown on stderr; in universal time with zone 0 when the\n"
     "zone's sign does not suit the longitude's.",
     ChartGroups, ChartExamples},
    {"scan", "", "the chart, then the aspect scan, its 16 report files and its exports",
     "The chart, then the aspect scan over the days asked for; writes the 16 report files\n"
     "and prints the data window's listing. --ics, --csv and --json write the scan's runs\n"
     "and the moments its transits are exact (see the README); given without --reports,\n"
     "only these files are written.",
     ScanGroups, ScanExamples},
    {"wheel", "", "the chart wheel as SVG and its layout as JSON",
     "The chart wheel as SVG and its layout as JSON: natal inside, up to two outer rings,\n"
     "or with --return a return chart inside and the natal chart around it.",
     WheelGroups, WheelExamples},
    {"timeline", "", "the scan's runs on one time axis, as SVG and JSON",
     "The scan as for the scan command (its report files included), then its runs on one\n"
     "time axis: a lane per mover, aspect and target, a bar per run with its exact days\n"
     "marked, as SVG (each run one element of class \"run\" with data-family, data-first,\n"
     "data-last and data-exact) and as JSON.",
     TimelineGroups, TimelineExamples},
    {"returns", "", "the moments a body returns to its natal longitude, with their charts",
     "The moments within the span at which the body returns to its natal longitude, each to\n"
     "the second, every pass of a retrograde loop listed and marked R. Each return chart is\n"
     "cast at the diurnal place in the chosen houses. Listed on stdout, or with --json FILE\n"
     "written as {\"returns\": [...]}: body, utc, jd_ut, longitude, natal_longitude,\n"
     "retrograde, asc, mc, cusps (houses 1 to 12), positions and aspects_to_natal.",
     ReturnsGroups, ReturnsExamples},
    {"events", "", "stations, ingresses, lunations, eclipses and the void Moon over a span",
     "The sky's events within the span, each at its moment to the second: stations of\n"
     "Mercury to Pluto and the retrograde periods between them, ingresses of the Sun, Moon\n"
     "and planets into the signs (a retrograde re-entry marked) and of the Sun and planets\n"
     "into the natal houses, new, first-quarter, full and last-quarter moons and the\n"
     "eclipses, each with the natal points within the orb by conjunction or opposition, and\n"
     "the void-of-course Moon. With --points, the stations and retrograde periods of Chiron\n"
     "and the asteroids chosen and the sign ingresses of every point chosen but the south\n"
     "nodes and the Lot of Fortune. Listed on stdout, or written as {\"events\": [...]} JSON\n"
     "(kind, body, utc, jd_ut, longitude and by kind direction, sign, retrograde, end, house,\n"
     "phase, type, magnitude, hits), an iCalendar file and a CSV table.",
     EventsGroups, EventsExamples},
    {"names", "list FILE | add FILE RECORD", "list a names file, or add a record to it",
     "list prints the records of the names file FILE as the Names window lists them (and, on\n"
     "stderr, where and why the list stops early). add saves RECORD into FILE as the desktop\n"
     "program does: every stored record is copied, the old file is kept as its backup\n"
     "(NAMES.FIL gives NAMES.OLD) and the new record goes last. A stored record of the same\n"
     "name (case ignored) is replaced with --replace; without it nothing is written and the\n"
     "exit status is 2.",
     NamesGroups, NamesExamples, 3},
    {"atlas", "QUERY", "places of the atlas with their coordinates and zone",
     "Places matching QUERY (name, region or country; accents and case ignored) with\n"
     "latitude, longitude, time-zone name and the zone in force at that local date and\n"
     "24-hour clock time, in hours west of Greenwich, east negative. Runs the atlas program\n"
     "ATLAS.EXE, found beside orrerion-cli or, in an installed copy, in libexec/orrerion/\n"
     "beside its bin/ folder.",
     AtlasGroups, AtlasExamples, 16},
    {"completion", "bash", "the bash completion script",
     "Prints the bash completion script of orrerion-cli, written from the same table as this\n"
     "help (the package installs it as share/bash-completion/completions/orrerion-cli).",
     NoGroups, CompletionExamples, 1},
});

}  // namespace

std::span<const CommandRow> Commands() { return CommandTable; }

}  // namespace orrerion::cli
