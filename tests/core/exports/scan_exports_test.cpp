// The exports of a scan: every exact moment checked against the ephemeris a minute either side,
// the calendar read back by libical, the CSV and JSON read back, UIDs that stay the same, awkward
// names quoted in all three formats, and the command line's options.
#include <expat.h>
#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/aspects/aspect_scan.h"
#include "core/ephemeris/precise_ephemeris.h"
#include "core/exports/exact_moments.h"
#include "core/events/sky_events.h"
#include "core/exports/scan_exports.h"
#include "core/run/run_calculation.h"
#include "json_lite.h"
#include "scan_fixture.h"
#include "test_paths.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;

struct SilentObserver : ScanObserver {};

// Runs the scan of `calc` over `days` days into a temporary reports folder.
void Scan(Calculation& calc, const std::string& days) {
    CollectingReporter reporter;
    SilentObserver observer;
    CalculationRequest request;
    request.askDays = [&] { return std::optional<std::string>(days); };
    request.reportsFolder = testing::MakeTempDir() / "reports";
    const CalculationOutcome outcome = RunCalculation(calc, request, observer, reporter);
    ASSERT_EQ(outcome.scan, ScanOutcome::Completed);
}

Calculation ScannedGoldenCase(const fs::path& caseDir, std::optional<std::string> days = {},
                              EphemerisSource source = EphemerisSource::Builtin) {
    std::string caseDays;
    Calculation calc = testing::GoldenScanCalculation(caseDir, caseDays);
    calc.eph.Source = source;
    Scan(calc, days.value_or(caseDays));
    return calc;
}

// John Smith with the shipped orbs, scanned from another diurnal date.
Calculation ScannedJohnSmith(const std::string& diurnalRecord, const std::string& days) {
    Calculation calc;
    calc.options = testing::ShippedOrbs();
    calc.natal.name = "John Smith";
    LoadNameRecord(*NameRecordFromLine("John Smith,13 Jan 1950,8.30,A,5,074.00,40.43"), 0, InputSection::Natal,
                   calc.natal);
    LoadNameRecord(*NameRecordFromLine(diurnalRecord), 0, InputSection::Diurnal, calc.diurnal);
    Scan(calc, days);
    return calc;
}

ExportSource SourceOf(const Calculation& calc) {
    return MakeExportSource(calc.chart, calc.eph, calc.options, calc.scan, calc.DiurnalZoneName);
}

// ---- Independent readers ------------------------------------------------------------------------

struct CalendarDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Calendar = std::unique_ptr<icalcomponent, CalendarDeleter>;

// libical's reading of a calendar text; fails the test on anything it reports.
Calendar ParseCalendar(const std::string& text) {
    icalerror_clear_errno();
    Calendar calendar(icalparser_parse_string(text.c_str()));
    EXPECT_NE(calendar, nullptr);
    if (!calendar) return calendar;
    EXPECT_EQ(icalcomponent_isa(calendar.get()), ICAL_VCALENDAR_COMPONENT);
    EXPECT_EQ(icalcomponent_count_errors(calendar.get()), 0) << icalcomponent_as_ical_string(calendar.get());
    EXPECT_EQ(icalerrno, ICAL_NO_ERROR) << icalerror_strerror(icalerrno);
    return calendar;
}

std::vector<icalcomponent*> Events(const Calendar& calendar) {
    std::vector<icalcomponent*> events;
    for (icalcomponent* e = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        events.push_back(e);
    }
    return events;
}

// "2027-01-13T05:57Z" of an event's UTC start.
std::string UtcMinute(const icaltimetype& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02dZ", t.year, t.month, t.day, t.hour, t.minute);
    return text;
}

std::string UtcMinute(double jd) {
    const MinuteTime t = MinuteOf(jd);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02dZ", t.date.year, t.date.month, t.date.day, t.hour,
                  t.minute);
    return text;
}

// Records of a CSV text as a spreadsheet reads them: quoted fields may hold commas, doubled
// quotes and line breaks; records end with CR LF.
std::vector<std::vector<std::string>> ReadCsv(const std::string& text) {
    std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = records.back().back();
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            records.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            records.emplace_back(1);
        } else {
            field += c;
        }
    }
    EXPECT_FALSE(quoted) << "unclosed quote";
    if (records.back().size() == 1 && records.back().front().empty()) records.pop_back();
    return records;
}

// The string value of a top-level key of a JSON text, its escapes decoded.
std::string JsonStringValue(const std::string& json, const std::string& key) {
    const std::string opening = "\"" + key + "\": \"";
    std::size_t i = json.find(opening);
    if (i == std::string::npos) return "<missing>";
    std::string value;
    for (i += opening.size(); i < json.size() && json[i] != '"'; ++i) {
        if (json[i] != '\\') {
            value += json[i];
            continue;
        }
        const char e = json[++i];
        if (e == 'n') value += '\n';
        else if (e == 'r') value += '\r';
        else if (e == 't') value += '\t';
        else if (e == 'u') {
            value += static_cast<char>(std::stoi(json.substr(i + 1, 4), nullptr, 16));
            i += 4;
        } else value += e;
    }
    return value;
}

// ---- Exact moments ------------------------------------------------------------------------------

double Signed180(double x) {
    double r = std::fmod(x, 360.0);
    if (r > 180) r -= 360;
    if (r <= -180) r += 360;
    return r;
}

// The transiting body's longitude at a UT Julian date through the ephemeris' all-bodies entry,
// which takes the instant in its own form (day number and fraction), not the scan's.
double LongitudeAt(EphemerisSource source, int body, double jd) {
    EphemerisState s;
    s.Source = source;
    s.DayNumber = std::floor(jd + 0.5);
    s.DayFraction = jd + 0.5 - s.DayNumber;
    s.EphT = (jd - 2415020.0) / 36525;
    EphemerisAllBodies(s);
    return s.WorkLong[static_cast<std::size_t>(body)];
}

TEST(ExactMoments, EveryMomentIsExactWithinAMinuteOnEitherSide) {
    struct Case {
        fs::path dir;
        EphemerisSource source;
    };
    std::vector<Case> cases;
    for (const fs::path& dir : testing::GoldenCases("scan")) cases.push_back({dir, EphemerisSource::Builtin});
    if (CheckPreciseEphemeris().available) {
        cases.push_back({testing::GoldenDir() / "scan" / "john_smith_placidus", EphemerisSource::Precise});
    }
    int runsExactMoreThanOnce = 0;
    int progressedTargets = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dir.filename().string() + (c.source == EphemerisSource::Precise ? " precise" : ""));
        const Calculation calc = ScannedGoldenCase(c.dir, "365", c.source);
        const ScanResult& scan = calc.scan;
        const std::vector<ExactMoment> moments = ExactMoments(calc.chart, calc.eph, calc.options, scan);
        ASSERT_GT(moments.size(), 20u);
        ScanDayContext context(calc.chart, calc.eph, calc.options);
        constexpr double Minute = 1.0 / 1440;
        for (std::size_t i = 0; i < moments.size(); ++i) {
            const ExactMoment& m = moments[i];
            const ScanRun& run = scan.runs.at(m.run);
            ASSERT_TRUE(run.family == AspectFamily::TransitToNatal || run.family == AspectFamily::TransitToProgressed);
            if (i > 0 && moments[i - 1].run == m.run) ++runsExactMoreThanOnce;
            const bool progressed = run.family == AspectFamily::TransitToProgressed;
            progressedTargets += progressed ? 1 : 0;
            // The positions as the scan computes them for any instant: the same source and the
            // same arithmetic of instants as its daily samples.
            const auto mover = [&](double jd) {
                TransitLongitudesAt(context, jd - scan.DiurnalJD);
                return context.eph.WorkLong[static_cast<std::size_t>(run.mover)];
            };
            const auto target = [&](double jd) {
                const auto t = static_cast<std::size_t>(run.target);
                if (!progressed) return calc.chart.NatalLong[t];
                ProgressedLongitudesAt(context, jd - scan.DiurnalJD);
                return context.eph.WorkLong[t];
            };
            const double angle = AspectAngle(run.AspectCode);
            const double separation = Signed180(mover(m.jd) - target(m.jd));
            const double side = std::fabs(separation - angle) < std::fabs(separation + angle) ? angle : -angle;
            const auto distance = [&](double jd) { return Signed180(mover(jd) - target(jd) - side); };
            const double before = distance(m.jd - Minute);
            const double after = distance(m.jd + Minute);
            const double perMinute = std::fabs(Signed180(mover(m.jd + Minute) - mover(m.jd))) +
                                     std::fabs(Signed180(target(m.jd + Minute) - target(m.jd)));
            const bool changesSign = (before <= 0 && after >= 0) || (before >= 0 && after <= 0);
            EXPECT_TRUE(changesSign || std::fabs(distance(m.jd)) <= perMinute)
                << PointName(run.mover) << " " << AspectName(run.AspectCode) << " " << PointName(run.target)
                << (progressed ? " progressed" : " natal") << " at JD " << m.jd << ": a minute before "
                << before << ", after " << after;
            // The mover where the ephemeris' other entry puts it at that instant.
            EXPECT_NEAR(m.moverLong, LongitudeAt(c.source, run.mover, m.jd), 1e-3);
            // Between the days the scan saw the run begin and end.
            EXPECT_GE(m.jd, scan.DiurnalJD + run.firstDay - 1);
            EXPECT_LE(m.jd, scan.DiurnalJD + run.lastDay + 1);
        }
    }
    // Retrograde loops make some runs exact more than once, and the progressed targets move.
    EXPECT_GT(runsExactMoreThanOnce, 0);
    EXPECT_GT(progressedTargets, 0);
}

// The moments of chosen families are those families' moments of the whole list, found without
// computing the others; read from the days a scan kept, they are the same bits again.
TEST(ExactMoments, ChosenFamiliesAndTheScansKeptDaysGiveTheSameMoments) {
    std::vector<EphemerisSource> sources = {EphemerisSource::Builtin};
    if (CheckPreciseEphemeris().available) sources.push_back(EphemerisSource::Precise);
    for (const EphemerisSource source : sources) {
        SCOPED_TRACE(source == EphemerisSource::Precise ? "precise" : "builtin");
        std::string caseDays;
        Calculation calc = testing::GoldenScanCalculation(testing::GoldenDir() / "scan" / "john_smith_placidus", caseDays);
        calc.eph.Source = source;
        ScanLongitudes kept;
        CollectingReporter reporter;
        SilentObserver observer;
        CalculationRequest request;
        request.askDays = [] { return std::optional<std::string>("500"); };
        request.scan = {2, false, &kept};
        ASSERT_EQ(RunCalculation(calc, request, observer, reporter).scan, ScanOutcome::Completed);
        const std::vector<ExactMoment> all = ExactMoments(calc.chart, calc.eph, calc.options, calc.scan);
        ASSERT_GT(all.size(), 50u);
        const auto same = [](const std::vector<ExactMoment>& a, const std::vector<ExactMoment>& b) {
            if (a.size() != b.size()) return false;
            for (std::size_t i = 0; i < a.size(); ++i) {
                if (a[i].run != b[i].run || a[i].jd != b[i].jd || a[i].moverLong != b[i].moverLong ||
                    a[i].targetLong != b[i].targetLong) {
                    return false;
                }
            }
            return true;
        };
        EXPECT_TRUE(same(all, ExactMoments(calc.chart, calc.eph, calc.options, calc.scan, AllFamilies, &kept)));
        for (const AspectFamily family : {AspectFamily::TransitToNatal, AspectFamily::TransitToProgressed,
                                          AspectFamily::SolarArcToNatal}) {
            SCOPED_TRACE(std::string(FamilyCode(family)));
            FamilySet chosen{};
            chosen[FamilyIndex(family)] = true;
            std::vector<ExactMoment> expected;
            std::copy_if(all.begin(), all.end(), std::back_inserter(expected),
                         [&](const ExactMoment& m) { return calc.scan.runs[m.run].family == family; });
            EXPECT_EQ(expected.empty(), family == AspectFamily::SolarArcToNatal);
            EXPECT_TRUE(same(expected, ExactMoments(calc.chart, calc.eph, calc.options, calc.scan, chosen)));
            EXPECT_TRUE(same(expected, ExactMoments(calc.chart, calc.eph, calc.options, calc.scan, chosen, &kept)));
        }
    }
}

// ---- The three formats --------------------------------------------------------------------------

TEST(CalendarExport, LibicalReadsEveryGoldenScanWithOneEventPerMomentAndRun) {
    std::vector<ExportSource> sources;
    for (const fs::path& dir : testing::GoldenCases("scan")) sources.push_back(SourceOf(ScannedGoldenCase(dir)));
    // A scan without runs writes an empty calendar and a CSV of its header only.
    ExportSource empty = sources.front();
    empty.scan = ScanResult{};
    empty.scan.DiurnalJD = sources.front().scan.DiurnalJD;
    empty.moments.clear();
    sources.push_back(empty);

    for (const ExportSource& source : sources) {
        for (const bool runEvents : {false, true}) {
            SCOPED_TRACE(source.chartName + (runEvents ? " with runs" : ""));
            ExportChoice choice;
            choice.runEvents = runEvents;
            const std::string text = CalendarText(source, choice, "20261207T120000Z");
            // Content lines of at most 75 octets, each ended by CR LF.
            for (const std::string& line : testing::CrLfLines(text, 0)) EXPECT_LE(line.size(), 75u) << line;
            EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);

            const Calendar calendar = ParseCalendar(text);
            ASSERT_TRUE(calendar);
            std::set<std::string> momentMinutes;
            for (const ExactMoment& m : source.moments) momentMinutes.insert(UtcMinute(m.jd));
            std::size_t timed = 0, allDayExact = 0, allDayRuns = 0;
            for (icalcomponent* event : Events(calendar)) {
                const icaltimetype start = icalcomponent_get_dtstart(event);
                const std::string summary = icalcomponent_get_summary(event);
                if (!start.is_date) {
                    ++timed;
                    EXPECT_TRUE(icaltime_is_utc(start));
                    EXPECT_TRUE(icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY) == nullptr);
                    EXPECT_TRUE(momentMinutes.count(UtcMinute(start))) << UtcMinute(start);
                } else if (summary.ends_with("(exact)")) {
                    ++allDayExact;
                } else {
                    ++allDayRuns;
                    // DTEND is the day after the last day.
                    const icaltimetype end = icalcomponent_get_dtend(event);
                    EXPECT_GT(icaltime_compare(end, start), 0);
                }
            }
            EXPECT_EQ(timed, source.moments.size());
            EXPECT_EQ(allDayRuns, runEvents ? source.scan.runs.size() : 0u);
            std::size_t listed = 0;
            for (const ExactDate& e : source.scan.exactDates) listed += ExactDateListed(e) ? 1 : 0;
            EXPECT_LE(allDayExact, listed);
        }
        if (source.scan.runs.empty()) {
            EXPECT_EQ(CsvText(source, {}).find("\r\n") + 2, CsvText(source, {}).size());
            EXPECT_EQ(Events(ParseCalendar(CalendarText(source, {}, "20261207T120000Z"))).size(), 0u);
        }
    }
}

TEST(CalendarExport, TheSameScanExportedAgainKeepsItsUids) {
    const auto uids = [](const Calculation& calc, const char* stamp) {
        ExportChoice choice;
        choice.runEvents = true;
        std::vector<std::string> list;
        const Calendar calendar = ParseCalendar(CalendarText(SourceOf(calc), choice, stamp));
        for (icalcomponent* e : Events(calendar)) {
            list.emplace_back(icalcomponent_get_uid(e));
        }
        return list;
    };
    const std::vector<std::string> first = uids(ScannedJohnSmith(",07 Dec 2026,12.00,P,5,074.00,40.43", "120"),
                                                "20261207T120000Z");
    const std::vector<std::string> again = uids(ScannedJohnSmith(",07 Dec 2026,12.00,P,5,074.00,40.43", "120"),
                                                "20261208T090000Z");
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first, again);
    EXPECT_EQ(std::set<std::string>(first.begin(), first.end()).size(), first.size());

    // A scan begun a month later finds the exact moments of the weeks both cover under the same
    // UIDs, so a calendar updates those events.
    const Calculation later = ScannedJohnSmith(",07 Jan 2027,12.00,P,5,074.00,40.43", "60");
    const ExportSource laterSource = SourceOf(later);
    std::size_t shared = 0, exact = 0;
    const std::set<std::string> firstSet(first.begin(), first.end());
    const Calendar laterCalendar = ParseCalendar(CalendarText(laterSource, {}, "20261207T120000Z"));
    for (icalcomponent* e : Events(laterCalendar)) {
        const icaltimetype start = icalcomponent_get_dtstart(e);
        if (start.is_date || icaltime_as_timet(start) > icaltime_as_timet(icaltime_from_string("20270301T000000Z"))) continue;
        ++exact;
        shared += firstSet.count(icalcomponent_get_uid(e));
    }
    EXPECT_GT(exact, 5u);
    EXPECT_EQ(shared, exact);
}

TEST(Exports, AwkwardNamesComeBackFromEveryFormat) {
    // Long enough, in two-byte letters, that lines are folded beside and inside them.
    std::string name = "Zoë \"Q\" O'Brien, Jr.; back\\slash\nsecond line\r\nthird, ümlaut ";
    for (int i = 0; i < 40; ++i) name += "é";
    ExportSource source = SourceOf(ScannedGoldenCase(testing::GoldenDir() / "scan" / "john_smith_placidus"));
    source.chartName = name;
    ASSERT_FALSE(source.moments.empty());

    const std::string text = CalendarText(source, {}, "20261207T120000Z");
    // A folded line never begins inside a UTF-8 character.
    for (const std::string& line : testing::CrLfLines(text, 0)) {
        ASSERT_LE(line.size(), 75u);
        if (line.size() > 1 && line[0] == ' ') {
            EXPECT_NE(static_cast<unsigned char>(line[1]) & 0xC0, 0x80) << line;
        }
    }
    const Calendar calendar = ParseCalendar(text);
    ASSERT_TRUE(calendar);
    const std::vector<icalcomponent*> events = Events(calendar);
    ASSERT_FALSE(events.empty());
    // The calendar has one kind of line break: CR LF and LF both come back as LF.
    std::string icalName = name;
    icalName.replace(icalName.find("\r\n"), 2, "\n");
    const std::string description = icalcomponent_get_description(events.front());
    EXPECT_EQ(description.substr(0, 7 + icalName.size() + 7), "Chart: " + icalName + " (born ");

    const std::vector<std::vector<std::string>> csv = ReadCsv(CsvText(source, {}));
    ASSERT_GT(csv.size(), 1u);
    for (const std::vector<std::string>& record : csv) ASSERT_EQ(record.size(), csv.front().size());
    EXPECT_EQ(csv.front().back(), "chart");
    for (std::size_t r = 1; r < csv.size(); ++r) EXPECT_EQ(csv[r].back(), name);

    EXPECT_EQ(JsonStringValue(JsonText(source, {}), "chart"), name);

    // Bytes that are not UTF-8 are still folded at 75 octets.
    const std::string latin1 = FoldCalendarLine("X-WR-CALNAME:" + std::string(200, '\xA9'));
    for (const std::string& line : testing::CrLfLines(latin1, 0)) EXPECT_LE(line.size(), 75u);
}

TEST(Exports, TheFamiliesChosenAreTheOnlyOnesWritten) {
    const ExportSource source = SourceOf(ScannedGoldenCase(testing::GoldenDir() / "scan" / "john_smith_placidus"));
    ExportChoice choice;
    choice.families.fill(false);
    choice.families[FamilyIndex(AspectFamily::ProgressedToNatal)] = true;
    const std::vector<std::vector<std::string>> csv = ReadCsv(CsvText(source, choice));
    ASSERT_GT(csv.size(), 1u);
    for (std::size_t r = 1; r < csv.size(); ++r) {
        EXPECT_EQ(csv[r][0], "run");  // progressions have no exact moments
        EXPECT_EQ(csv[r][1], "progressed_to_natal");
    }
    EXPECT_EQ(csv.size() - 1, source.scan.Runs(AspectFamily::ProgressedToNatal).size());
    EXPECT_EQ(Events(ParseCalendar(CalendarText(source, choice, "20261207T120000Z"))).size(), 0u);
}

// ---- Files and the command line -----------------------------------------------------------------

// ---- The diurnal place's clock --------------------------------------------------------------------

// Days from 1970-01-01 of a date of the Gregorian calendar (H. Hinnant's days_from_civil).
long DaysFromCivil(long y, long m, long d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

// "2026-03-08 06:59" (UT) as a Julian date; 1970-01-01 00:00 UT is JD 2440587.5.
double UtJulianDate(int y, int mo, int d, int h, int mi) {
    return 2440587.5 + static_cast<double>(DaysFromCivil(y, mo, d)) + (h * 60 + mi) / 1440.0;
}

// Minutes since 1970-01-01 00:00 UT of "2026-03-08T03:00-04:00" or "2026-03-08T07:00Z".
long UtMinutesOfIso(const std::string& text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0;
    EXPECT_EQ(std::sscanf(text.c_str(), "%d-%d-%dT%d:%d", &y, &mo, &d, &h, &mi), 5) << text;
    long minutes = DaysFromCivil(y, mo, d) * 1440 + h * 60 + mi;
    if (text.back() != 'Z') {
        const std::string offset = text.substr(text.size() - 6);  // "-04:00"
        const long east = std::stol(offset.substr(1, 2)) * 60 + std::stol(offset.substr(4, 2));
        minutes -= offset[0] == '-' ? -east : east;
    }
    return minutes;
}

TEST(MomentClock, ANamedZoneFollowsItsClockChangesAndAFixedZoneStaysAsTyped) {
    struct Case {
        int y, mo, d, h, mi;    // the moment, UT
        const char* zoneName;   // "" for the zone as typed
        double typedHoursWest;  // the diurnal zone field
        int localDay, localHour, localMinute;
        double hoursWest;       // the zone the moment is shown in
        const char* source;
    };
    const Case cases[] = {
        // United States, since 2007: second Sunday of March 2:00 EST, first Sunday of November 2:00 EDT.
        {2026, 3, 8, 6, 59, "America/New_York", 5, 8, 1, 59, 5, "a minute before the spring change, EST"},
        {2026, 3, 8, 7, 0, "America/New_York", 5, 8, 3, 0, 4, "the change: 2:00 EST became 3:00 EDT"},
        {2026, 3, 8, 7, 0, "", 5, 8, 2, 0, 5, "as typed, zone 5 all year"},
        {2026, 11, 1, 5, 30, "America/New_York", 5, 1, 1, 30, 4, "1:30 EDT, the first of two"},
        {2026, 11, 1, 6, 30, "America/New_York", 5, 1, 1, 30, 5, "1:30 EST, the second"},
        {2026, 11, 1, 6, 30, "", 4, 1, 2, 30, 4, "as typed in summer, zone 4 after the change"},
        // European Union: last Sunday of March 1:00 UT.
        {2026, 3, 29, 0, 59, "Europe/Paris", -1, 29, 1, 59, -1, "CET before the change"},
        {2026, 3, 29, 1, 0, "Europe/Paris", -1, 29, 3, 0, -2, "CEST from 1:00 UT"},
        // British Standard Time: one hour ahead all year from 1968-10-27 to 1971-10-31.
        {1969, 1, 15, 12, 0, "Europe/London", 0, 15, 13, 0, -1, "BST in winter"},
        {1969, 1, 15, 12, 0, "", 0, 15, 12, 0, 0, "as typed, Greenwich"},
        // Half-hour and quarter-hour zones without saving time.
        {2026, 7, 1, 0, 0, "Asia/Kolkata", -5.5, 1, 5, 30, -5.5, "IST"},
        {1986, 1, 1, 0, 0, "Asia/Kathmandu", -5.5, 1, 5, 45, -5.75, "+0545 since 1986"},
        // Lord Howe Island saves half an hour (first Sunday of October, 2:00 LHST).
        {2026, 10, 3, 15, 29, "Australia/Lord_Howe", -10.5, 4, 1, 59, -10.5, "LHST"},
        {2026, 10, 3, 15, 30, "Australia/Lord_Howe", -10.5, 4, 2, 30, -11, "LHDT from 2:00"},
        // A name the database lacks: the zone as typed.
        {2026, 3, 8, 7, 0, "Nowhere/Atlantis", 5, 8, 2, 0, 5, "unknown name"},
    };
    for (const Case& c : cases) {
        const MomentClock clock{c.typedHoursWest, c.zoneName};
        // Ten seconds early: the moment is taken at its nearest minute, before and across the change.
        const double jd = UtJulianDate(c.y, c.mo, c.d, c.h, c.mi) - 10.0 / 86400;
        SCOPED_TRACE(c.source);
        EXPECT_DOUBLE_EQ(ZoneHoursWestAt(clock, jd), c.hoursWest);
        const MinuteTime local = MinuteOf(jd, clock);
        EXPECT_EQ(local.date.day, c.localDay);
        EXPECT_EQ(local.hour, c.localHour);
        EXPECT_EQ(local.minute, c.localMinute);
    }
}

TEST(Exports, ExactMomentsAcrossASpringChangeFollowTheDiurnalPlacesZone) {
    // The diurnal moment in New York a week before the change of 2026-03-08 07:00 UT.
    Calculation calc = ScannedJohnSmith("Now,1 Mar 2026,12.00,P,5,074.00,40.43", "20");
    const ExportSource typed = SourceOf(calc);
    calc.DiurnalZoneName = "America/New_York";
    const ExportSource named = SourceOf(calc);
    const long change = UtMinutesOfIso("2026-03-08T07:00Z");

    const std::vector<std::vector<std::string>> typedCsv = ReadCsv(CsvText(typed, {}));
    const std::vector<std::vector<std::string>> namedCsv = ReadCsv(CsvText(named, {}));
    ASSERT_EQ(typedCsv.size(), namedCsv.size());
    const auto column = [&](const char* name) {
        return static_cast<std::size_t>(
            std::find(typedCsv.front().begin(), typedCsv.front().end(), name) - typedCsv.front().begin());
    };
    const std::size_t utcAt = column("exact_utc"), localAt = column("exact_local");
    int before = 0, after = 0;
    for (std::size_t r = 1; r < namedCsv.size(); ++r) {
        if (namedCsv[r][0] != "exact") continue;
        const std::string& utc = namedCsv[r][utcAt];
        const std::string& local = namedCsv[r][localAt];
        SCOPED_TRACE(utc);
        const bool summer = UtMinutesOfIso(utc) >= change;
        ++(summer ? after : before);
        EXPECT_EQ(local.substr(local.size() - 6), summer ? "-04:00" : "-05:00");
        EXPECT_EQ(UtMinutesOfIso(local), UtMinutesOfIso(utc));
        // As typed, zone 5 all through; everything but the local time is the same.
        EXPECT_EQ(typedCsv[r][localAt].substr(local.size() - 6), "-05:00");
        EXPECT_EQ(UtMinutesOfIso(typedCsv[r][localAt]), UtMinutesOfIso(utc));
        std::vector<std::string> rest = namedCsv[r], typedRest = typedCsv[r];
        rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(localAt));
        typedRest.erase(typedRest.begin() + static_cast<std::ptrdiff_t>(localAt));
        EXPECT_EQ(rest, typedRest);
    }
    EXPECT_GT(before, 3);
    EXPECT_GT(after, 3);

    // The JSON names the zone; the calendar says which clock its local times are read on.
    const std::string json = JsonText(named, {});
    EXPECT_EQ(JsonStringValue(json, "zone_name"), "America/New_York");
    EXPECT_EQ(JsonText(typed, {}).find("zone_name"), std::string::npos);
    std::string calendar = CalendarText(named, {}, "20261207T120000Z");
    for (std::size_t fold; (fold = calendar.find("\r\n ")) != std::string::npos;) calendar.erase(fold, 3);
    EXPECT_NE(calendar.find("in the diurnal zone (America/New_York)"), std::string::npos);

    // A named zone that never changes gives every local time of the zone as typed.
    calc.DiurnalZoneName = "Etc/GMT+5";
    ExportSource constant = SourceOf(calc);
    EXPECT_EQ(CsvText(constant, {}), CsvText(typed, {}));
}

TEST(Exports, AFileThatCannotBeWrittenIsNamedAndNothingIsLeft) {
    const fs::path dir = testing::MakeTempDir();
    const fs::path missing = dir / "no such folder" / "scan.ics";
    const WriteResult toMissing = WriteExport(missing, "x");
    EXPECT_FALSE(toMissing.ok);
    EXPECT_NE(toMissing.message.find(missing.string()), std::string::npos) << toMissing.message;

    // A folder where the file should go: it stays as it was, and no temporary file is left.
    fs::create_directory(dir / "scan.csv");
    const WriteResult toFolder = WriteExport(dir / "scan.csv", "kind\r\n");
    EXPECT_FALSE(toFolder.ok);
    EXPECT_NE(toFolder.message.find("scan.csv"), std::string::npos) << toFolder.message;
    EXPECT_TRUE(fs::is_directory(dir / "scan.csv"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

// The command line carries the diurnal zone's name from --at-tz to the exports; a diurnal record
// keeps the zone as typed.
TEST(ScanCommand, ExactMomentsFollowTheZoneNamedWithAtTz) {
    const fs::path dir = testing::MakeTempDir();
    const auto scan = [&](const std::string& name, std::vector<std::string> diurnal) {
        std::vector<std::string> args{"scan", "--options", (testing::GoldenDir() / "options/OPTIONS_default.OPT").string(),
                                      "--date-order", "0", "--natal", "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43",
                                      "--days", "20", "--csv", (dir / (name + ".csv")).string(),
                                      "--json", (dir / (name + ".json")).string()};
        args.insert(args.end(), diurnal.begin(), diurnal.end());
        const auto r = testing::RunCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return std::pair{ReadCsv(testing::ReadWholeFile(dir / (name + ".csv"))),
                         testing::ReadWholeFile(dir / (name + ".json"))};
    };
    const auto [namedCsv, namedJson] =
        scan("named", {"--at", "2026-03-01T12:00", "--at-tz", "America/New_York", "--at-lat", "40N43", "--at-lon", "74W00"});
    const auto [typedCsv, typedJson] = scan("typed", {"--diurnal", ",01 Mar 2026,12.00,P,5,074.00,40.43"});
    EXPECT_EQ(JsonStringValue(namedJson, "zone_name"), "America/New_York");
    EXPECT_EQ(typedJson.find("zone_name"), std::string::npos);
    ASSERT_EQ(namedCsv.size(), typedCsv.size());
    std::set<std::string> namedOffsets, typedOffsets;
    for (std::size_t r = 1; r < namedCsv.size(); ++r) {
        if (namedCsv[r][0] != "exact") continue;
        EXPECT_EQ(namedCsv[r][11], typedCsv[r][11]);  // the same moments, UT
        EXPECT_EQ(UtMinutesOfIso(namedCsv[r][12]), UtMinutesOfIso(namedCsv[r][11]));
        namedOffsets.insert(namedCsv[r][12].substr(namedCsv[r][12].size() - 6));
        typedOffsets.insert(typedCsv[r][12].substr(typedCsv[r][12].size() - 6));
    }
    EXPECT_EQ(namedOffsets, (std::set<std::string>{"-04:00", "-05:00"}));
    EXPECT_EQ(typedOffsets, (std::set<std::string>{"-05:00"}));
}

TEST(ScanCommand, WritesTheExportsAlone) {
    const fs::path dir = testing::MakeTempDir();
    std::vector<std::string> args = testing::GoldenCaseArgs(testing::GoldenDir() / "scan" / "john_smith_placidus");
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--days") args[i + 1] = "365";
    }
    const fs::path ics = dir / "scan.ics", csv = dir / "scan.csv", json = dir / "scan.json";
    args.insert(args.end(), {"--ics", ics.string(), "--csv", csv.string(), "--json", json.string(),
                             "--families", "tn,tp"});
    const auto r = testing::RunCli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);

    // Every calendar event is a row of the table, at the same minute.
    const std::vector<std::vector<std::string>> table = ReadCsv(testing::ReadWholeFile(csv));
    ASSERT_GT(table.size(), 1u);
    std::multiset<std::string> exactRows;
    std::size_t exactDateRows = 0;
    for (std::size_t i = 1; i < table.size(); ++i) {
        ASSERT_EQ(table[i].size(), table[0].size());
        EXPECT_TRUE(table[i][1] == "transit_to_natal" || table[i][1] == "transit_to_progressed") << table[i][1];
        if (table[i][0] == "exact") exactRows.insert(table[i][11]);
        if (table[i][0] == "exact_date") ++exactDateRows;
    }
    const Calendar calendar = ParseCalendar(testing::ReadWholeFile(ics));
    ASSERT_TRUE(calendar);
    std::multiset<std::string> timed;
    for (icalcomponent* e : Events(calendar)) {
        const icaltimetype start = icalcomponent_get_dtstart(e);
        if (!start.is_date) timed.insert(UtcMinute(start));
    }
    EXPECT_EQ(timed, exactRows);
    EXPECT_EQ(Events(calendar).size(), exactRows.size() + exactDateRows);
    EXPECT_EQ(JsonStringValue(testing::ReadWholeFile(json), "chart"), "John Smith");

    // A file that cannot be written: the path and the reason, exit status 1.
    args.insert(args.end(), {"--ics", (dir / "missing" / "x.ics").string()});
    const auto failed = testing::RunCli(args);
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find((dir / "missing" / "x.ics").string()), std::string::npos) << failed.err;
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

// scan --events: each export holds, after the runs, the sky's events the core finds over the
// scanned days, each once: a calendar event at its start (libical reads them), a CSV row of kind
// event, an object of the JSON's events list.
TEST(ScanCommand, SkyEventsGoIntoEveryExport) {
    const fs::path dir = testing::MakeTempDir();
    std::vector<std::string> args = testing::GoldenCaseArgs(testing::GoldenDir() / "scan" / "john_smith_placidus");
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--days") args[i + 1] = "120";
    }
    const fs::path ics = dir / "scan.ics", csv = dir / "scan.csv", json = dir / "scan.json";
    args.insert(args.end(), {"--ics", ics.string(), "--csv", csv.string(), "--json", json.string(), "--families",
                             "sn", "--events", "station,retrograde,lunation,eclipse"});
    const auto r = testing::RunCli(args);
    ASSERT_EQ(r.status, 0) << r.err;

    const Calculation calc = testing::JohnSmith();
    SkyEventRequest request;
    request.fromJD = calc.chart.DiurnalJD;
    request.days = 120;
    request.kinds = {true, true, false, false, true, true, false};
    const std::vector<SkyEvent> found = FindSkyEvents(calc.chart, calc.eph.Source, request);
    ASSERT_GE(found.size(), 8u);
    std::multiset<std::string> want;
    for (const SkyEvent& e : found) want.insert(std::string(SkyEventKindWord(e.kind)) + " " + UtcMinute(e.jd));

    std::multiset<std::string> rows;
    const std::vector<std::vector<std::string>> table = ReadCsv(testing::ReadWholeFile(csv));
    for (std::size_t i = 1; i < table.size(); ++i) {
        ASSERT_EQ(table[i].size(), table[0].size());
        if (table[i][0] == "event") rows.insert(table[i][1] + " " + table[i][11]);
    }
    EXPECT_EQ(rows, want);

    std::multiset<std::string> listed, wantSeconds;
    const testing::JsonNode tree = testing::ParseJson(testing::ReadWholeFile(json));
    for (const testing::JsonNode& e : tree["events"].items) listed.insert(e["kind"].text + " " + e["utc"].text);
    for (const SkyEvent& e : found) wantSeconds.insert(std::string(SkyEventKindWord(e.kind)) + " " + IsoSecondUtc(e.jd));
    EXPECT_EQ(listed, wantSeconds);

    const Calendar calendar = ParseCalendar(testing::ReadWholeFile(ics));
    ASSERT_TRUE(calendar);
    std::size_t skyEvents = 0;
    for (icalcomponent* e : Events(calendar)) {
        const std::string uid = icalcomponent_get_uid(e);
        for (const SkyEventKindRow& kind : SkyEventKinds) {
            if (uid.find("-" + std::string(kind.word) + "-") != std::string::npos) ++skyEvents;
        }
    }
    EXPECT_EQ(skyEvents, found.size());

    // Without exports there is nowhere to put them.
    std::vector<std::string> alone = testing::GoldenCaseArgs(testing::GoldenDir() / "scan" / "john_smith_placidus");
    alone.insert(alone.end(), {"--events", "all", "--reports", (dir / "r").string()});
    const auto refused = testing::RunCli(alone);
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("--events goes into the exports"), std::string::npos) << refused.err;
}

// ---- Hostile names ------------------------------------------------------------------------------

// An SVG document as expat reads it: whether it is well-formed XML, why not, and the text of its
// first <title> (the document's own) and of every <text class="title">.
struct XmlReading {
    bool wellFormed = false;
    std::string error;
    std::string documentTitle;
    std::vector<std::string> titleTexts;
};

XmlReading ReadSvg(const std::string& text) {
    struct State {
        XmlReading reading;
        int depth = 0;
        int titleDepth = -1;      // depth of the open <title>, -1 when none
        bool inTitleText = false;
        bool seenTitle = false;
        std::string current;
    } state;
    XML_Parser parser = XML_ParserCreate("UTF-8");
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(
        parser,
        [](void* data, const XML_Char* name, const XML_Char** attributes) {
            auto& st = *static_cast<State*>(data);
            ++st.depth;
            const std::string element = name;
            if (element == "title" && !st.seenTitle) {
                st.titleDepth = st.depth;
                st.current.clear();
            }
            if (element == "text") {
                for (const XML_Char** a = attributes; *a; a += 2) {
                    if (std::string(a[0]) == "class" && std::string(a[1]) == "title") st.inTitleText = true;
                }
                st.current.clear();
            }
        },
        [](void* data, const XML_Char* name) {
            auto& st = *static_cast<State*>(data);
            if (st.depth == st.titleDepth) {
                st.reading.documentTitle = st.current;
                st.titleDepth = -1;
                st.seenTitle = true;
            }
            if (std::string(name) == "text" && st.inTitleText) {
                st.reading.titleTexts.push_back(st.current);
                st.inTitleText = false;
            }
            --st.depth;
        });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* chars, int length) {
        auto& st = *static_cast<State*>(data);
        st.current.append(chars, static_cast<std::size_t>(length));
    });
    const bool ok = XML_Parse(parser, text.data(), static_cast<int>(text.size()), 1) == XML_STATUS_OK;
    state.reading.wellFormed = ok;
    if (!ok) {
        state.reading.error = std::string(XML_ErrorString(XML_GetErrorCode(parser))) + " at line " +
                              std::to_string(XML_GetCurrentLineNumber(parser));
    }
    XML_ParserFree(parser);
    return state.reading;
}

// Where a control character other than CR and LF stands in the bytes of an export: C0, DEL, or
// C1 (as UTF-8); npos when none does.
std::size_t ControlCharacterAt(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\r' && c != '\n') || c == 0x7F) return i;
        if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            return i;
        }
    }
    return std::string::npos;
}

bool ReadsAsNumber(const std::string& field) {
    double value = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    return ec == std::errc() && end == field.data() + field.size();
}

// Names as a names file or the command line may hold them, through every export of the command
// line read back by independent readers: expat for the SVG, a strict RFC 8259 reader for the JSON,
// libical for the calendar and a spreadsheet's reading of the CSV. Bytes that are not UTF-8 and
// the characters XML forbids come back as U+FFFD, control characters never arrive, and a CSV cell
// that a spreadsheet would run as a formula is text; the numbers of the table stay numbers.
TEST(Exports, HostileNamesGiveWellFormedFilesInEveryFormat) {
    struct Case {
        std::string recordName;  // the name field of the --natal record, as typed
        std::string name;        // the name every export shows
        std::string csvCell;     // the CSV's chart cell as a spreadsheet reads it
    };
    const std::string R = "\xEF\xBF\xBD";  // U+FFFD
    const std::vector<Case> cases = {
        {"Bad \xFF\xFE bytes", "Bad " + R + R + " bytes", "Bad " + R + R + " bytes"},
        {"Non\xEF\xBF\xBE char\xEF\xBF\xBF", "Non" + R + " char" + R, "Non" + R + " char" + R},
        {"Over\xC0\xAFlong sur\xED\xA0\x80rogate cut\xE2\x82", "Over" + R + R + "long sur" + R + R + R +
             "rogate cut" + R + R, "Over" + R + R + "long sur" + R + R + R + "rogate cut" + R + R},
        {"Esc\x1B[31mRed\x07 bell\x7F del\xC2\x9B csi\x01", "Esc[31mRed bell del csi", "Esc[31mRed bell del csi"},
        {"Tab\there", "Tab here", "Tab here"},
        {"<b>&amp;'Q'</b> \xC3\xBC \xF0\x9D\x84\x9E", "<b>&amp;'Q'</b> \xC3\xBC \xF0\x9D\x84\x9E",
         "<b>&amp;'Q'</b> \xC3\xBC \xF0\x9D\x84\x9E"},
        {"=1+1", "=1+1", "'=1+1"},
        {"+SUM(A1)", "+SUM(A1)", "'+SUM(A1)"},
        {"-2+3", "-2+3", "'-2+3"},
        {"@SUM(A1)", "@SUM(A1)", "'@SUM(A1)"},
        {"\"\t=HYPERLINK(A1)\"", " =HYPERLINK(A1)", "' =HYPERLINK(A1)"},
        {"\"  @cmd\"", "  @cmd", "'  @cmd"},
        {"Anna-Maria =", "Anna-Maria =", "Anna-Maria ="},
    };
    const fs::path dir = testing::MakeTempDir();
    const std::string diurnal = ",07 Dec 2026,12.00,P,5,074.00,40.43";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string natal = c.recordName + ",13 Jan 1950,8.30,A,5,074.00,40.43";
        const fs::path ics = dir / "s.ics", csv = dir / "s.csv", json = dir / "s.json";
        const fs::path wheelSvg = dir / "w.svg", wheelJson = dir / "w.json";
        const fs::path timelineSvg = dir / "t.svg", timelineJson = dir / "t.json";
        const std::vector<std::vector<std::string>> commands = {
            {"scan", "--natal", natal, "--diurnal", diurnal, "--days", "30", "--ics", ics.string(), "--csv",
             csv.string(), "--json", json.string()},
            {"wheel", "--natal", natal, "--diurnal", diurnal, "--svg", wheelSvg.string(), "--json",
             wheelJson.string()},
            {"timeline", "--natal", natal, "--diurnal", diurnal, "--days", "30", "--reports",
             (dir / "reports").string(), "--svg", timelineSvg.string(), "--json", timelineJson.string()},
        };
        for (const std::vector<std::string>& args : commands) {
            const auto r = testing::RunCli(args);
            ASSERT_EQ(r.status, 0) << args[0] << ": " << r.err;
        }
        for (const fs::path& file : {ics, csv, json, wheelSvg, wheelJson, timelineSvg, timelineJson}) {
            const std::string text = testing::ReadWholeFile(file);
            EXPECT_EQ(ControlCharacterAt(text), std::string::npos) << file.filename();
        }

        for (const auto& [file, prefix] : {std::pair{wheelSvg, "Chart wheel: "}, std::pair{timelineSvg, "Aspect timeline: "}}) {
            const XmlReading svg = ReadSvg(testing::ReadWholeFile(file));
            ASSERT_TRUE(svg.wellFormed) << file.filename() << ": " << svg.error;
            EXPECT_EQ(svg.documentTitle, prefix + c.name) << file.filename();
        }
        const XmlReading wheel = ReadSvg(testing::ReadWholeFile(wheelSvg));
        EXPECT_NE(std::find(wheel.titleTexts.begin(), wheel.titleTexts.end(), c.name), wheel.titleTexts.end());

        for (const fs::path& file : {json, wheelJson, timelineJson}) {
            std::vector<std::string> strings;
            ASSERT_NO_THROW(strings = testing::StrictJsonStrings(testing::ReadWholeFile(file))) << file.filename();
            if (file != timelineJson) {
                EXPECT_NE(std::find(strings.begin(), strings.end(), c.name), strings.end()) << file.filename();
            }
        }

        const Calendar calendar = ParseCalendar(testing::ReadWholeFile(ics));
        ASSERT_TRUE(calendar);
        const std::vector<icalcomponent*> events = Events(calendar);
        ASSERT_FALSE(events.empty());
        for (icalcomponent* event : events) {
            const std::string description = icalcomponent_get_description(event);
            EXPECT_EQ(description.substr(0, 7 + c.name.size() + 7), "Chart: " + c.name + " (born ");
        }

        const std::vector<std::vector<std::string>> table = ReadCsv(testing::ReadWholeFile(csv));
        ASSERT_GT(table.size(), 1u);
        for (std::size_t r = 1; r < table.size(); ++r) {
            ASSERT_EQ(table[r].size(), table[0].size());
            EXPECT_EQ(table[r].back(), c.csvCell);
            for (const std::size_t column : {9u, 13u, 14u}) {  // smallest_orb, mover_ and target_longitude
                const std::string& cell = table[r][column];
                if (cell.empty()) continue;
                EXPECT_TRUE(ReadsAsNumber(cell)) << table[0][column] << " \"" << cell << "\"";
            }
        }
    }
}

}  // namespace
}  // namespace orrerion
