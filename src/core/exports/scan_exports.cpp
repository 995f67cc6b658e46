#include "core/exports/scan_exports.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <set>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/report_files.h"
#include "core/base/version.h"
#include "core/io/json_text.h"
#include "core/io/text_encoding.h"

namespace orrerion {

namespace {

struct FamilyNames {
    AspectFamily family;
    std::string_view code;
    std::string_view key;
    std::string_view label;
    std::string_view moverWord;   // "Transit SATURN"
    std::string_view targetWord;  // "natal SUN"
};

inline constexpr auto FamilyNameTable = std::to_array<FamilyNames>({
    {AspectFamily::TransitToNatal, "tn", "transit_to_natal", "Transit to natal", "Transit", "natal"},
    {AspectFamily::SolarArcToNatal, "sn", "solar_arc_to_natal", "Solar arc to natal", "Solar arc", "natal"},
    {AspectFamily::ProgressedToNatal, "pn", "progressed_to_natal", "Progressed to natal", "Progressed",
     "natal"},
    {AspectFamily::ProgressedToProgressed, "pp", "progressed_to_progressed", "Progressed to progressed",
     "Progressed", "progressed"},
    {AspectFamily::TransitToProgressed, "tp", "transit_to_progressed", "Transit to progressed", "Transit",
     "progressed"},
});
static_assert(FamilyNameTable.size() == FamilyCount);

const FamilyNames& NamesOf(AspectFamily family) {
    for (const FamilyNames& names : FamilyNameTable) {
        if (names.family == family) return names;
    }
    return FamilyNameTable.front();
}

// The aspects' names written out, by AspectCode.
struct AspectWord {
    int AspectCode;
    std::string_view word;
};
inline constexpr auto AspectWords = std::to_array<AspectWord>({
    {2, "conjunction"}, {3, "semi-square"}, {4, "sextile"}, {5, "square"}, {6, "trine"},
    {7, "sesquiquadrate"}, {8, "opposition"}, {9, "semi-sextile"}, {10, "quincunx"},
});
static_assert(AspectWords.size() == AspectIndexCount);

std::string_view AspectWordOf(int AspectCode) {
    for (const AspectWord& a : AspectWords) {
        if (a.AspectCode == AspectCode) return a.word;
    }
    return "aspect";
}

std::string PointWord(int body) {
    std::string name(PointName(body));
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

std::string Trimmed(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::string IsoDate(const CalendarDate& d) {
    char text[24];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

std::string CompactDate(const CalendarDate& d) {
    char text[24];
    std::snprintf(text, sizeof text, "%04d%02d%02d", d.year, d.month, d.day);
    return text;
}

// The civil date after `d`.
CalendarDate NextDate(const CalendarDate& d) {
    CalendarDate next = d;
    if (++next.day > DaysInMonth(d.month, d.year)) {
        next.day = 1;
        if (++next.month > 12) {
            next.month = 1;
            ++next.year;
        }
    }
    return next;
}

// "2026-03-01T12:34Z" or, in a zone, "2026-03-01T07:34-05:00".
std::string IsoMinute(double jd, std::optional<double> zoneHoursWest) {
    const MinuteTime t = MinuteOf(jd, zoneHoursWest.value_or(0.0));
    char text[48];
    std::snprintf(text, sizeof text, "%sT%02d:%02d", IsoDate(t.date).c_str(), t.hour, t.minute);
    std::string out = text;
    if (!zoneHoursWest) return out + "Z";
    const long offsetMinutes = std::lround(-*zoneHoursWest * 60);
    const long magnitude = std::labs(offsetMinutes);
    std::snprintf(text, sizeof text, "%c%02ld:%02ld", offsetMinutes < 0 ? '-' : '+', magnitude / 60,
                  magnitude % 60);
    return out + text;
}

// The moment in the diurnal place's clock, with its offset at that moment.
std::string LocalIsoMinute(double jd, const ExportSource& source) {
    return IsoMinute(jd, ZoneHoursWestAt(MomentClock{source.zoneHoursWest, source.zoneName}, jd));
}

// " (Europe/Paris)" after "the diurnal zone" when the clock times follow a named zone.
std::string ZoneNameNote(const ExportSource& source) {
    return source.zoneName.empty() ? std::string() : " (" + source.zoneName + ")";
}

std::string CalendarMoment(double jd) {
    const MinuteTime t = MinuteOf(jd);
    char text[32];
    std::snprintf(text, sizeof text, "%sT%02d%02d00Z", CompactDate(t.date).c_str(), t.hour, t.minute);
    return text;
}

std::string Position(double longitude) { return LongitudeCompactText(longitude); }

std::string Degrees(double value, int decimals) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

double PlaceDegrees(PlaceCode place) {
    const SplitResult s = PlaceLongitude(place);
    return (s.SignNumber - 1) * 30 + s.SignDegree + s.ArcMinute / 60.0;
}

// A listed exact date of a transit to natal whose run has no exact moment within a day of it.
struct ExactDay {
    std::int16_t day = 0;
    float distance = 0.0f;
};

// A run of a chosen family with what belongs to it.
struct RunItems {
    const ScanRun* run = nullptr;
    std::vector<const ExactMoment*> moments;
    std::vector<ExactDay> exactDays;
};

std::vector<RunItems> ChosenRuns(const ExportSource& source, const ExportChoice& choice) {
    const ScanResult& scan = source.scan;
    std::vector<RunItems> items(scan.runs.size());
    for (std::size_t r = 0; r < scan.runs.size(); ++r) items[r].run = &scan.runs[r];
    for (const ExactMoment& m : source.moments) {
        if (m.run < items.size()) items[m.run].moments.push_back(&m);
    }
    for (const ExactDate& exact : scan.exactDates) {
        if (!ExactDateListed(exact) || exact.run >= items.size()) continue;
        RunItems& item = items[exact.run];
        const double sampled = scan.DiurnalJD + exact.day;
        const bool matched = std::any_of(item.moments.begin(), item.moments.end(), [&](const ExactMoment* m) {
            return std::fabs(m->jd - sampled) <= 1.0;
        });
        if (!matched) item.exactDays.push_back({exact.day, exact.distance});
    }
    std::vector<RunItems> chosen;
    for (RunItems& item : items) {
        if (choice.families[FamilyIndex(item.run->family)]) chosen.push_back(std::move(item));
    }
    return chosen;
}

// "Transit SATURN square natal SUN"
std::string RunTitle(const ScanRun& run) {
    const FamilyNames& names = NamesOf(run.family);
    return std::string(names.moverWord) + " " + PointWord(run.mover) + " " +
           std::string(AspectWordOf(run.AspectCode)) + " " + std::string(names.targetWord) + " " +
           PointWord(run.target);
}

std::string SmallestOrbDaysText(const ScanResult& scan, const ScanRun& run, std::string_view rangeJoin,
                                std::string_view listJoin) {
    std::string text;
    for (const DayRange& range : scan.SmallestOrbDays(run)) {
        if (!text.empty()) text += listJoin;
        text += IsoDate(scan.DateOfDay(range.first));
        if (range.last != range.first) {
            text += rangeJoin;
            text += IsoDate(scan.DateOfDay(range.last));
        }
    }
    return text;
}

std::string RunDatesText(const ScanResult& scan, const ScanRun& run) {
    std::string text = IsoDate(scan.DateOfDay(run.firstDay)) + " to " + IsoDate(scan.DateOfDay(run.lastDay));
    if (run.continuesBefore) text += ", begun before the scan";
    if (run.continuesAfter) text += ", going on after the scan";
    return text;
}

// What a run's description says after its first lines.
std::string RunDescriptionTail(const ExportSource& source, const ScanRun& run) {
    const ScanResult& scan = source.scan;
    return "Smallest orb " + Degrees(run.smallestOrb, 2) + " degrees on " +
           SmallestOrbDaysText(scan, run, " to ", ", ") + "\nIn orb " + RunDatesText(scan, run) +
           "\nReport line: " + Trimmed(RunLine(scan, run));
}

std::string ChartLine(const ExportSource& source) {
    return "Chart: " + source.chartName + " (born " + source.birthData + ")";
}

// FNV-1a, 64 bits: a short, stable digest of the text that identifies an event.
std::uint64_t Digest(std::string_view text) {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ull;
    }
    return h;
}

class CalendarWriter {
public:
    CalendarWriter(const ExportSource& source, std::string_view stamp) : source_(source), stamp_(stamp) {}

    void Line(std::string_view name, std::string_view value) {
        text_ += FoldCalendarLine(std::string(name) + ":" + std::string(value));
    }

    // An event; `start` is the DTSTART line's text after the name ("…Z" or ";VALUE=DATE:…").
    void Event(const ScanRun& run, std::string_view kind, const CalendarDate& date, std::string_view start,
               std::string_view end, std::string_view summary, std::string_view description) {
        text_ += "BEGIN:VEVENT\r\n";
        Line("UID", Uid(run, kind, date));
        Line("DTSTAMP", stamp_);
        text_ += FoldCalendarLine(std::string("DTSTART") + std::string(start));
        if (!end.empty()) text_ += FoldCalendarLine(std::string("DTEND") + std::string(end));
        Line("SUMMARY", CalendarEscape(summary));
        Line("DESCRIPTION", CalendarEscape(description));
        Line("CATEGORIES", CalendarEscape(FamilyLabel(run.family)));
        Line("TRANSP", "TRANSPARENT");
        text_ += "END:VEVENT\r\n";
    }

    std::string& text() { return text_; }

private:
    // From the chart's name and birth data, the family, mover, aspect and target, the kind of
    // event and its date: the same scan exported again gives the same UIDs, so that a calendar
    // updates its events instead of adding them twice.
    std::string Uid(const ScanRun& run, std::string_view kind, const CalendarDate& date) {
        std::string key = source_.chartName + '\x1f' + source_.birthData + '\x1f' +
                          std::string(FamilyCode(run.family)) + '\x1f' + std::to_string(run.mover) + '\x1f' +
                          std::to_string(run.AspectCode) + '\x1f' + std::to_string(run.target) + '\x1f' +
                          std::string(kind) + '\x1f' + CompactDate(date);
        char text[40];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(Digest(key)));
        std::string uid = std::string(text) + "-" + std::string(FamilyCode(run.family)) + "-" +
                          std::string(kind) + "-" + CompactDate(date);
        // Two events of one kind on one date of one run (a loop turning within a day) stay apart.
        std::string unique = uid;
        for (int n = 2; !used_.insert(unique).second; ++n) unique = uid + "-" + std::to_string(n);
        return unique + "@orrerion";
    }

    const ExportSource& source_;
    std::string stamp_;
    std::string text_;
    std::set<std::string> used_;
};

}  // namespace

ExportSource MakeExportSource(const ChartState& chart, const EphemerisState& eph, const Options& options,
                              const ScanResult& scan, std::string_view diurnalZoneName) {
    ExportSource source;
    source.chartName = chart.ChartName;
    const ParsedInput& in = chart.input;
    char text[200];
    const std::string date = DateDdMmmYyyy({in.NatalDay, in.NatalMonth, in.NatalYear});
    std::snprintf(text, sizeof text, "%s %.2f %s, zone %g, %.2f %s %.2f %s", date.c_str(), in.NatalHour,
                  in.NatalMeridiem.c_str(), in.NatalZone, in.NatalLongitude, in.NatalLongitudeWord.c_str(),
                  in.NatalLatitude, in.NatalLatitudeWord.c_str());
    source.birthData = text;
    source.zoneHoursWest = in.DiurnalZone;
    source.zoneName = diurnalZoneName;
    source.scan = scan;
    source.moments = ExactMoments(chart, eph, options, scan);
    return source;
}

std::string_view FamilyKey(AspectFamily family) { return NamesOf(family).key; }
std::string_view FamilyLabel(AspectFamily family) { return NamesOf(family).label; }
std::string_view ExportAspectWord(int AspectCode) { return AspectWordOf(AspectCode); }
std::string ExportPointWord(int body) { return PointWord(body); }

std::string CalendarEscape(std::string_view raw) {
    const std::string text = ExportSafeText(raw);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '\\': out += "\\\\"; break;
            case ';': out += "\\;"; break;
            case ',': out += "\\,"; break;
            case '\n': out += "\\n"; break;
            case '\r':
                // CR LF and a lone CR are both one line break.
                if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
                out += "\\n";
                break;
            default: out += c;
        }
    }
    return out;
}

std::string FoldCalendarLine(std::string_view line) {
    constexpr std::size_t Limit = 75;  // octets per line, CR LF not counted
    std::string out;
    std::size_t at = 0;
    std::size_t room = Limit;
    while (line.size() - at > room) {
        std::size_t cut = at + room;
        // Back up to the first byte of a UTF-8 character (text that is not UTF-8 is cut anywhere).
        while (cut > at && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        if (cut == at) cut = at + room;
        out.append(line.substr(at, cut - at));
        out += "\r\n ";
        at = cut;
        room = Limit - 1;  // the continuation's leading blank counts
    }
    out.append(line.substr(at));
    out += "\r\n";
    return out;
}

namespace {

// A spreadsheet may read a cell as a formula when it begins with one of = + - @, also after
// blanks, or with a line break (which some strip before looking): such text is neutralised.
bool ReadsAsFormula(std::string_view text) {
    if (!text.empty() && (text[0] == '\r' || text[0] == '\n')) return true;
    const std::size_t first = text.find_first_not_of(' ');
    return first != std::string_view::npos && std::string_view("=+-@").find(text[first]) != std::string_view::npos;
}

}  // namespace

std::string CsvField(std::string_view raw) {
    std::string text = ExportSafeText(raw);
    if (ReadsAsFormula(text)) text.insert(0, 1, '\'');
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return text;
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string CalendarText(const ExportSource& source, const ExportChoice& choice, std::string_view stamp) {
    const ScanResult& scan = source.scan;
    CalendarWriter w(source, stamp);
    w.text() += "BEGIN:VCALENDAR\r\n";
    w.Line("VERSION", "2.0");
    w.Line("PRODID", std::string("-//Orrerion//Orrerion ") + ProgramVersion() + "//EN");
    w.Line("CALSCALE", "GREGORIAN");
    w.Line("METHOD", "PUBLISH");
    w.Line("X-WR-CALNAME", CalendarEscape("Orrerion: " + source.chartName));

    for (const RunItems& item : ChosenRuns(source, choice)) {
        const ScanRun& run = *item.run;
        const std::string title = RunTitle(run);
        const std::string tail = RunDescriptionTail(source, run);
        const FamilyNames& names = NamesOf(run.family);
        if (choice.runEvents) {
            const CalendarDate first = scan.DateOfDay(run.firstDay);
            const CalendarDate last = scan.DateOfDay(run.lastDay);
            const std::string description =
                ChartLine(source) + "\n" + std::string(names.moverWord) + " " + PointWord(run.mover) + " " +
                PlacePositionText(run.moverFirst) + " to " + PlacePositionText(run.moverLast) + " " +
                std::string(AspectWordOf(run.AspectCode)) + " " + std::string(names.targetWord) + " " +
                PointWord(run.target) + " " + PlacePositionText(run.targetFirst) +
                (run.targetLast != run.targetFirst ? " to " + PlacePositionText(run.targetLast) : "") + "\n" +
                tail;
            w.Event(run, "run", first, ";VALUE=DATE:" + CompactDate(first),
                    ";VALUE=DATE:" + CompactDate(NextDate(last)), title, description);
        }
        for (const ExactMoment* m : item.moments) {
            const std::string description =
                ChartLine(source) + "\n" + std::string(names.moverWord) + " " + PointWord(run.mover) + " " +
                Position(m->moverLong) + " " + std::string(AspectWordOf(run.AspectCode)) + " " +
                std::string(names.targetWord) + " " + PointWord(run.target) + " " + Position(m->targetLong) +
                "\nExact " + IsoMinute(m->jd, std::nullopt) + " UT, " + LocalIsoMinute(m->jd, source) +
                " in the diurnal zone" + ZoneNameNote(source) + "\n" + tail;
            w.Event(run, "exact", MinuteOf(m->jd).date, ":" + CalendarMoment(m->jd), {}, title + " (exact)",
                    description);
        }
        for (const ExactDay& exact : item.exactDays) {
            const CalendarDate date = scan.DateOfDay(exact.day);
            const std::string description =
                ChartLine(source) + "\nClosest on this day, " + Degrees(exact.distance, 2) +
                " degrees from exact; no exact moment found\n" + tail;
            w.Event(run, "exactday", date, ";VALUE=DATE:" + CompactDate(date),
                    ";VALUE=DATE:" + CompactDate(NextDate(date)), title + " (exact)", description);
        }
    }
    w.text() += "END:VCALENDAR\r\n";
    return std::move(w.text());
}

namespace {

constexpr std::string_view CsvHeader =
    "kind,family,mover,aspect,target,first_day,last_day,continues_before,continues_after,"
    "smallest_orb,smallest_orb_days,exact_utc,exact_local,mover_longitude,target_longitude,chart";

}  // namespace

std::string CsvText(const ExportSource& source, const ExportChoice& choice) {
    const ScanResult& scan = source.scan;
    std::string out(CsvHeader);
    out += "\r\n";
    const std::string chart = CsvField(source.chartName);
    for (const RunItems& item : ChosenRuns(source, choice)) {
        const ScanRun& run = *item.run;
        const std::string common = std::string(FamilyKey(run.family)) + "," + PointWord(run.mover) + "," +
                                   std::string(AspectWordOf(run.AspectCode)) + "," + PointWord(run.target) + ",";
        const std::string runDays = IsoDate(scan.DateOfDay(run.firstDay)) + "," +
                                    IsoDate(scan.DateOfDay(run.lastDay)) + "," +
                                    (run.continuesBefore ? "true" : "false") + "," +
                                    (run.continuesAfter ? "true" : "false") + "," + Degrees(run.smallestOrb, 4) +
                                    "," + SmallestOrbDaysText(scan, run, "/", " ");
        out += "run," + common + runDays + ",,," + Degrees(PlaceDegrees(run.moverFirst), 4) + "," +
               Degrees(PlaceDegrees(run.targetFirst), 4) + "," + chart + "\r\n";
        for (const ExactMoment* m : item.moments) {
            out += "exact," + common + runDays + "," + IsoMinute(m->jd, std::nullopt) + "," +
                   LocalIsoMinute(m->jd, source) + "," + Degrees(m->moverLong, 4) + "," +
                   Degrees(m->targetLong, 4) + "," + chart + "\r\n";
        }
        for (const ExactDay& exact : item.exactDays) {
            out += "exact_date," + common + runDays + "," + IsoDate(scan.DateOfDay(exact.day)) + ",,,," +
                   chart + "\r\n";
        }
    }
    return out;
}

std::string JsonText(const ExportSource& source, const ExportChoice& choice) {
    const ScanResult& scan = source.scan;
    std::string out = "{\n";
    out += "  \"chart\": " + JsonString(source.chartName) + ",\n";
    out += "  \"birth\": " + JsonString(source.birthData) + ",\n";
    out += "  \"first_day\": " + JsonString(IsoDate(scan.DateOfDay(0))) + ",\n";
    out += "  \"days\": " + std::to_string(scan.ScanDays) + ",\n";
    out += "  \"zone_hours_west\": " + JsonNumber(source.zoneHoursWest) + ",\n";
    if (!source.zoneName.empty()) out += "  \"zone_name\": " + JsonString(source.zoneName) + ",\n";
    out += "  \"runs\": [";
    bool firstRun = true;
    for (const RunItems& item : ChosenRuns(source, choice)) {
        const ScanRun& run = *item.run;
        out += firstRun ? "\n" : ",\n";
        firstRun = false;
        out += "    {\"family\": " + JsonString(FamilyKey(run.family));
        out += ", \"mover\": " + JsonString(PointWord(run.mover));
        out += ", \"aspect\": " + JsonString(AspectWordOf(run.AspectCode));
        out += ", \"target\": " + JsonString(PointWord(run.target));
        out += ", \"first_day\": " + JsonString(IsoDate(scan.DateOfDay(run.firstDay)));
        out += ", \"last_day\": " + JsonString(IsoDate(scan.DateOfDay(run.lastDay)));
        out += std::string(", \"continues_before\": ") + (run.continuesBefore ? "true" : "false");
        out += std::string(", \"continues_after\": ") + (run.continuesAfter ? "true" : "false");
        out += ", \"smallest_orb\": " + Degrees(run.smallestOrb, 4);
        out += ", \"smallest_orb_days\": [";
        bool firstRange = true;
        for (const DayRange& range : scan.SmallestOrbDays(run)) {
            out += firstRange ? "" : ", ";
            firstRange = false;
            out += "{\"first\": " + JsonString(IsoDate(scan.DateOfDay(range.first))) +
                   ", \"last\": " + JsonString(IsoDate(scan.DateOfDay(range.last))) + "}";
        }
        out += "], \"report_line\": " + JsonString(Trimmed(RunLine(scan, run)));
        if (HasExactMoments(run.family)) {
            out += ", \"exact\": [";
            bool firstMoment = true;
            for (const ExactMoment* m : item.moments) {
                out += firstMoment ? "" : ", ";
                firstMoment = false;
                out += "{\"utc\": " + JsonString(IsoMinute(m->jd, std::nullopt)) +
                       ", \"local\": " + JsonString(LocalIsoMinute(m->jd, source)) +
                       ", \"jd\": " + JsonNumber(m->jd) + ", \"mover_longitude\": " + JsonNumber(m->moverLong) +
                       ", \"target_longitude\": " + JsonNumber(m->targetLong) + "}";
            }
            out += "]";
        }
        if (run.family == AspectFamily::TransitToNatal) {
            out += ", \"exact_dates_without_moment\": [";
            bool firstDay = true;
            for (const ExactDay& exact : item.exactDays) {
                out += firstDay ? "" : ", ";
                firstDay = false;
                out += JsonString(IsoDate(scan.DateOfDay(exact.day)));
            }
            out += "]";
        }
        out += "}";
    }
    out += firstRun ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

std::string ExportText(ExportFormat format, const ExportSource& source, const ExportChoice& choice,
                       std::string_view stamp) {
    switch (format) {
        case ExportFormat::Calendar: return CalendarText(source, choice, stamp);
        case ExportFormat::Csv: return CsvText(source, choice);
        case ExportFormat::Json: return JsonText(source, choice);
    }
    return {};
}

std::string CalendarStampNow() {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                             std::chrono::system_clock::now().time_since_epoch()).count();
    const long long days = seconds / 86400 - (seconds % 86400 < 0 ? 1 : 0);
    const long long second = seconds - days * 86400;
    // 1970 January 1 is the day of Julian day number 2440588.
    const CalendarDate date = JulianDayToCalendar(2440588.0 + static_cast<double>(days));
    char text[40];
    std::snprintf(text, sizeof text, "%sT%02lld%02lld%02lldZ", CompactDate(date).c_str(), second / 3600,
                  second % 3600 / 60, second % 60);
    return text;
}

WriteResult WriteExport(const std::filesystem::path& path, std::string_view content) {
    return ReplaceFile(path, content);
}

}  // namespace orrerion
