// orrerion-cli: the calculations of the desktop program from the command line.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "commands.h"
#include "core/base/version.h"

namespace orrerion::cli {

const char* UsageText() {
    return
        "Usage: orrerion-cli COMMAND [OPTIONS]\n"
        "\n"
        "Commands:\n"
        "  ephemeris --jd JD [--ephemeris builtin|precise]\n"
        "      Positions of the Sun, Moon and planets at the universal-time Julian date JD,\n"
        "      printed as one JSON object: long, lat, decl, long_next (Sun, Mercury, Venus,\n"
        "      Mars, Jupiter, Saturn, Uranus, Neptune, Pluto, Moon) and the retrograde marks.\n"
        "\n"
        "  chart --natal RECORD --diurnal RECORD [--houses P|K|R|O|M]\n"
        "        [--progression secondary|minor|tertiary] [--options FILE]\n"
        "        [--date-order 0|1|2] [--ephemeris builtin|precise] [--json]\n"
        "        [--points LIST [--fortune-day-formula]]\n"
        "      Natal, progressed, solar-arc and transit charts and the data summary.\n"
        "      RECORD is one names-file record: \"Name,dd mmm yyyy,H.MM,A|P,zone,longitude,latitude\",\n"
        "      for example \"John Smith,13 Jan 1950,8.30,A,5,074.00,40.43\" (zone in decimal\n"
        "      hours west of Greenwich, -5.5 for 5 h 30 min east; longitude D.MM positive\n"
        "      west, latitude D.MM positive north; 12-hour clock of the A or P).\n"
        "      Instead of --natal RECORD: --natal-name NAME, the record of that name in the\n"
        "      names file (--names FILE, default the data folder's NAMES.FIL; case ignored),\n"
        "      or --birth YYYY-MM-DDTHH:MM[:SS] (local date, 24-hour time) --tz ZONE and\n"
        "      --lat 40N43 --lon 74W00 (or signed degrees, north and east positive) or\n"
        "      --place NAME [--place-index N] (a place of the atlas: the most populous named\n"
        "      exactly so, with its zone; N chooses among the matches listed), and --name NAME\n"
        "      for the record's name. ZONE: an IANA name (America/New_York: the offset in\n"
        "      force then, from the system's time-zone database), an offset (+05:30, -0500,\n"
        "      UTC) or LMT (longitude / 15). A time the clocks skipped is refused; one they\n"
        "      repeated is its earlier occurrence (--fold earlier|later). Instead of --diurnal:\n"
        "      --diurnal-name NAME, or --at YYYY-MM-DDTHH:MM or --now, with --at-tz, --at-lat,\n"
        "      --at-lon, --at-place, --at-place-index (default: the birth's place and zone).\n"
        "      The record computed from is shown on stderr; in universal time with zone 0\n"
        "      when the zone's sign does not suit the longitude's.\n"
        "      --record-only  print the natal record only (for names add) and stop\n"
        "      --houses     P Placidus, K Koch, R Regiomontanus, O Porphyry, M Meridian\n"
        "                   (default: the start-up system of the options file)\n"
        "      --options    options file (default: the program's OPTIONS.OPT)\n"
        "      --date-order 0 month/day/year, 1 day/month/year, 2 year/month/day\n"
        "      --json       print the chart values as JSON instead of the summary\n"
        "      --points LIST  add points to every chart: any of mean-node, true-node,\n"
        "                   lilith, chiron, ceres, pallas, juno, vesta, fortune joined by\n"
        "                   commas, or all (a node brings its south node). The summary\n"
        "                   gains a table of them, the JSON a \"points\" object. true-node,\n"
        "                   chiron and the asteroids need precise positions (--ephemeris\n"
        "                   precise; chiron and the asteroids read seas_18.se1 of\n"
        "                   swe-basic-data). Fortune is ASC + Moon - Sun with the Sun in\n"
        "                   houses 7-12, ASC + Sun - Moon otherwise;\n"
        "      --fortune-day-formula  ASC + Moon - Sun always (both: chart only)\n"
        "      --ephemeris  builtin: the program's own series (universal time, no delta T);\n"
        "                   precise: the Swiss Ephemeris (apparent positions of date, with\n"
        "                   delta T, true obliquity and sidereal time), which needs Debian's\n"
        "                   swe-basic-data; default: the \"ephemeris\" line of SETTINGS.TXT in\n"
        "                   the program's data folder, else builtin. The built-in series is\n"
        "                   good for 1885-2099: outside those years a note goes to stderr.\n"
        "\n"
        "  scan [chart options] [--days TEXT] [--reports DIR] [--progress] [--threads N]\n"
        "       [--ics FILE] [--csv FILE] [--json FILE] [--families LIST] [--run-events]\n"
        "       [--quiet]\n"
        "      The chart, then the aspect scan over TEXT days (the answer to\n"
        "      \"Enter number of days:\", default \" 90\"; TEXT that reads as fewer than 1 or\n"
        "      more than 32767 days is refused); writes the 16 report files into DIR\n"
        "      (default: the reports folder of the program's data folder) and prints the\n"
        "      data window's listing. --progress shows a progress bar on stderr.\n"
        "      --threads N scans on N threads (1 or 2; default: 2 where the machine has two\n"
        "      cores); the output is the same whatever N.\n"
        "      --ics FILE, --csv FILE, --json FILE write the scan's runs and the moments\n"
        "      its transits are exact as an iCalendar file, a CSV table or JSON (see the\n"
        "      README); given without --reports, only these files are written (no report\n"
        "      file at all). --quiet prints no listing on standard output.\n"
        "      --families LIST exports only the families listed: tn transit to natal, sn\n"
        "      solar arc to natal, pn progressed to natal, pp progressed to progressed, tp\n"
        "      transit to progressed (default: all). --run-events adds to the calendar an\n"
        "      all-day event per run, from its first to its last day.\n"
        "\n"
        "  wheel [chart options] [--rings RINGS] [--orientation ascendant|aries]\n"
        "        [--outer-aspects] [--svg FILE] [--json FILE]\n"
        "        [--return N --body NAME [--from YYYY-MM-DD] --days N [--precessed]]\n"
        "      The chart wheel as SVG and its layout as JSON. RINGS lists the rings from the\n"
        "      inside out, natal first: natal plus up to two of progressed, solar-arc and\n"
        "      transits (default natal,transits). --orientation puts the ascendant (default) or\n"
        "      0 degrees Aries at the left. --outer-aspects adds the aspects of the first outer\n"
        "      ring to the natal points.\n"
        "      --return N with the options of the returns command draws the Nth return chart\n"
        "      of the span inside, with its houses, and the natal chart around it (--rings is\n"
        "      then not used; --outer-aspects adds the natal points' aspects to the return's).\n"
        "\n"
        "  timeline [chart options] [--days TEXT] [--reports DIR] [--from DATE] [--to DATE]\n"
        "           [--families LIST] [--svg FILE] [--json FILE] [--quiet]\n"
        "      The scan as for the scan command (its report files included), then its runs on\n"
        "      one time axis: a lane per mover, aspect and target, a bar per run with its exact\n"
        "      days marked, as SVG (each run one element of class \"run\" with data-family,\n"
        "      data-first, data-last and data-exact) and as JSON. --from and --to (YYYY-MM-DD)\n"
        "      choose part of the scanned days; LIST is any of tn, sn, pn, pp, tp joined by\n"
        "      commas (default all five). It prints no listing (--quiet is taken as for scan).\n"
        "  returns [chart options] --body NAME [--from YYYY-MM-DD] --days N [--precessed]\n"
        "          [--json FILE]\n"
        "      The moments within N days from 0h of --from in the diurnal zone (default: the\n"
        "      diurnal date) at which the body NAME (Sun, Moon, Mercury ... Pluto; case\n"
        "      ignored) returns to its natal longitude, each to the second, every pass of a\n"
        "      retrograde loop listed and marked R; with --precessed, to the natal longitude\n"
        "      moved on by the precession since birth. Each return chart is cast at the\n"
        "      diurnal place in the chosen houses. Listed on stdout, or with --json FILE written\n"
        "      as {\"returns\": [...]}: body, utc, jd_ut, longitude, natal_longitude, retrograde,\n"
        "      asc, mc, cusps (houses 1 to 12), positions and aspects_to_natal.\n"
        "\n"
        "  events [chart options] [--from YYYY-MM-DD] --days N [--kinds LIST] [--orb DEG]\n"
        "         [--json FILE] [--ics FILE] [--csv FILE]\n"
        "      The sky's events within N days from 0h of --from in the diurnal zone (default:\n"
        "      the diurnal date), each at its moment to the second: stations of Mercury to\n"
        "      Pluto and the retrograde periods between them, ingresses of the Sun, Moon and\n"
        "      planets into the signs (a retrograde re-entry marked) and of the Sun and planets\n"
        "      into the natal houses, new, first-quarter, full and last-quarter moons and the\n"
        "      eclipses, each with the natal points within DEG (default 3) by conjunction or\n"
        "      opposition, and the void-of-course Moon. LIST is any of station, retrograde,\n"
        "      ingress, house-ingress, lunation, eclipse, void joined by commas (default all).\n"
        "      Listed on stdout, or written as {\"events\": [...]} JSON (kind, body, utc,\n"
        "      jd_ut, longitude and by kind direction, sign, retrograde, end, house, phase,\n"
        "      type, magnitude, hits), an iCalendar file and a CSV table.\n"
        "\n"
        "  names list FILE\n"
        "  names add FILE RECORD [--replace]\n"
        "      list prints the records of the names file FILE as the Names window lists them\n"
        "      (and, on stderr, where and why the list stops early). add saves RECORD into FILE\n"
        "      as the desktop program does: every stored record is copied, the old file is kept\n"
        "      as its backup (NAMES.FIL gives NAMES.OLD) and the new record goes last. A stored\n"
        "      record of the same name (case ignored) is replaced with --replace; without it\n"
        "      nothing is written and the exit status is 2.\n"
        "\n"
        "  atlas QUERY [--date YYYY-MM-DD] [--time HH:MM]\n"
        "      Places matching QUERY (name, region or country; accents and case ignored) with\n"
        "      latitude, longitude, time-zone name and the zone in force at that local date and\n"
        "      24-hour clock time (default: now), in hours west of Greenwich, east negative.\n"
        "      Runs the atlas program ATLAS.EXE, found beside orrerion-cli or, in an installed\n"
        "      copy, in libexec/orrerion/ beside its bin/ folder.\n"
        "\n"
        "  --version  the program's name and version\n"
        "  --help     this text (also after any command)\n"
        "\n"
        "An output FILE may be - for standard output (scan then prints no data lines), a\n"
        "character device or FIFO (written through, as /dev/null or /dev/stdout), or a\n"
        "symbolic link (the file it leads to is replaced; the link stays). A replaced file\n"
        "keeps its mode and, where the program may keep it, its owner.\n"
        "\n"
        "The data folder (OPTIONS.OPT, reports/) is orrerion-cli's own folder or its data/\n"
        "folder when that holds OPTIONS.OPT (a build, or a copy kept in one folder), else the\n"
        "user's data folder ($XDG_DATA_HOME/Orrerion/Orrerion or ~/.local/share/Orrerion/Orrerion),\n"
        "which is created and filled from the shipped files on first use without overwriting a file.\n"
        "\n"
        "Exit status: 0 success, 1 a report file, data file or standard output could not be\n"
        "written or read (or the atlas program could not be run), 2 refused input or a failed\n"
        "check.\n";
}

}  // namespace orrerion::cli

namespace {

bool AsksForHelp(const orrerion::cli::Args& args) {
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") return true;
    }
    return false;
}

int RunCommand(const std::string& command, const orrerion::cli::Args& rest) {
    using namespace orrerion::cli;
    if (command == "--help" || command == "-h" || command == "help" || AsksForHelp(rest)) {
        std::fputs(UsageText(), stdout);
        return 0;
    }
    if (command == "--version") {
        std::printf("orrerion-cli %s\n", orrerion::ProgramVersion());
        return 0;
    }
    if (command == "ephemeris") return RunEphemerisCommand(rest);
    if (command == "chart") return RunChartCommand(rest);
    if (command == "scan") return RunScanCommand(rest);
    if (command == "names") return RunNamesCommand(rest);
    if (command == "atlas") return RunAtlasCommand(rest);
    if (command == "wheel") return RunWheelCommand(rest);
    if (command == "timeline") return RunTimelineCommand(rest);
    if (command == "returns") return RunReturnsCommand(rest);
    if (command == "events") return RunEventsCommand(rest);
    std::fprintf(stderr, "orrerion-cli: unknown command '%s' (try --help)\n", command.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace orrerion::cli;
    Args args(argv + 1, argv + argc);
    if (args.empty()) {
        std::fputs(UsageText(), stderr);
        return 2;
    }
    const std::string command = args.front();
    Args rest(args.begin() + 1, args.end());
    int status = 1;
    errno = 0;
    try {
        status = RunCommand(command, rest);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orrerion-cli: %s\n", e.what());
        status = 1;
    }
    // Whatever a command printed must have reached its destination (a full disk, a closed pipe).
    // A write that failed inside the command left its reason in errno.
    const int afterCommand = errno;
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int reason = errno != 0 ? errno : afterCommand;
        std::fprintf(stderr, "orrerion-cli %s: cannot write to standard output: %s\n",
                     command.c_str(), reason != 0 ? std::strerror(reason) : "write failed");
        return 1;
    }
    return status;
}
