#include "core/exports/scan_exports.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <optional>
#include <tuple>
#include <vector>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/report_files.h"
#include "core/base/text_tables.h"
#include "core/base/version.h"
#include "core/ephemeris/extra_points.h"
#include "core/exports/event_exports.h"
#include "core/io/json_text.h"
#include "core/io/number_text.h"
#include "core/io/text_sink.h"
#include "core/io/text_encoding.h"

namespace orrerion {

namespace {

std::string_view AspectWordOf(int AspectCode) { return AspectDataName(AspectCode); }

// A point as every export names it: the twelve as the reports spell them ("SUN"), the extra points
// by their whole name ("MEAN NODE", "CHIRON").
std::string PointWord(int body) {
    if (IsExtraPointBody(body)) return ExtraPointLabel(ExtraPointOfBody(body));
    std::string name(PointName(body));
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string IsoDate(const CalendarDate& d) { return IsoDateText(d); }
std::string CompactDate(const CalendarDate& d) { return CompactIsoDateText(d); }

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

// The civil dates of a scan's days and of the moments around them, worked out once for a file.
class ScanDates {
public:
    explicit ScanDates(const ScanResult& scan)
        : diurnalJD_(scan.DiurnalJD), civil_(scan.DiurnalJD - 1, scan.ScanDays + 3) {}
    // ScanResult::DateOfDay.
    CalendarDate Day(int day) const { return civil_.Of(diurnalJD_ + day); }
    // MinuteOf.
    MinuteTime Minute(double jd, double zoneHoursWest = 0.0) const { return MinuteOf(jd, zoneHoursWest, civil_); }

private:
    double diurnalJD_;
    CivilDates civil_;
};

// "2026-03-01T12:34Z" or, in a zone, "2026-03-01T07:34-05:00": the date, "T", the clock as "%02d:%02d"
// and the offset as "%c%02ld:%02ld" (any long).
constexpr std::size_t IsoMinuteMaxSize = WidthSum({IsoDateMaxSize, 1, 2, 1, 2, 1, 20, 1, 2});
using IsoMinuteText = FixedLine<IsoMinuteMaxSize>;

// The date and the clock of a minute, as "%02d" writes hours and minutes.
template <std::size_t N>
void PutDateAndClock(FixedLine<N>& text, const MinuteTime& t, bool compact) {
    auto date = text.template Field<IsoDateMaxSize>();
    text.Shrink(IsoDateMaxSize - (compact ? PutCompactIsoDate(date, t.date) : PutIsoDate(date, t.date)));
    text.Put('T');
    text.Put(IntegerChars(t.hour, 2).view());
    if (!compact) text.Put(':');
    text.Put(IntegerChars(t.minute, 2).view());
}

// The minute `t`, which is MinuteOf the moment in that zone (in UT without one).
IsoMinuteText IsoMinuteOf(const MinuteTime& t, std::optional<double> zoneHoursWest) {
    IsoMinuteText text;
    PutDateAndClock(text, t, false);
    if (!zoneHoursWest) {
        text.Put('Z');
        return text;
    }
    const long offsetMinutes = std::lround(-*zoneHoursWest * 60);
    const long magnitude = std::labs(offsetMinutes);
    text.Put(offsetMinutes < 0 ? '-' : '+');
    text.Put(IntegerChars(magnitude / 60, 2).view());
    text.Put(':');
    text.Put(IntegerChars(magnitude % 60, 2).view());
    return text;
}

IsoMinuteText IsoMinute(const ScanDates& dates, double jd, std::optional<double> zoneHoursWest) {
    return IsoMinuteOf(dates.Minute(jd, zoneHoursWest.value_or(0.0)), zoneHoursWest);
}

// The moment in the diurnal place's clock, with its offset at that moment.
IsoMinuteText LocalIsoMinute(const ScanDates& dates, double jd, const ExportSource& source) {
    return IsoMinute(dates, jd, ZoneHoursWestAt(MomentClock{source.zoneHoursWest, source.zoneName}, jd));
}

// " (Europe/Paris)" after "the diurnal zone" when the clock times follow a named zone.
std::string ZoneNameNote(const ExportSource& source) {
    return source.zoneName.empty() ? std::string() : " (" + source.zoneName + ")";
}

// "20260301T123400Z": the UT minute `ut`.
IsoMinuteText CalendarMoment(const MinuteTime& ut) {
    IsoMinuteText text;
    PutDateAndClock(text, ut, true);
    text.Put("00Z");
    return text;
}

std::string Position(double longitude) { return LongitudeCompactText(longitude); }

// printf's "%.*f".
NumberChars Degrees(double value, int decimals) { return FixedChars(value, decimals); }

double PlaceDegrees(PlaceCode place) {
    const SplitResult s = PlaceLongitude(place);
    return (s.SignNumber - 1) * 30 + s.SignDegree + s.ArcMinute / 60.0;
}

// A listed exact date of a transit to natal whose run has no exact moment within a day of it.
struct ExactDay {
    std::int16_t day = 0;
    float distance = 0.0f;
};

// The runs of the chosen families in their order, each with its exact moments and its listed exact
// dates without a moment, one run at a time: the moments and exact dates are walked in run order
// beside the runs, so nothing grows with the number of runs but two lists of indices.
class ChosenRuns {
public:
    ChosenRuns(const ExportSource& source, const ExportChoice& choice)
        : source_(source), choice_(choice), moments_(ByRun(source.moments)), exacts_(ByRun(source.scan.exactDates)) {}

    // The next chosen run, or false after the last.
    bool Next() {
        const ScanResult& scan = source_.scan;
        while (run_ < scan.runs.size()) {
            const auto r = static_cast<std::uint32_t>(run_++);
            moments.clear();
            for (; nextMoment_ < moments_.size() && source_.moments[moments_[nextMoment_]].run <= r; ++nextMoment_) {
                const ExactMoment& m = source_.moments[moments_[nextMoment_]];
                if (m.run == r) moments.push_back(&m);
            }
            exactDays.clear();
            for (; nextExact_ < exacts_.size() && scan.exactDates[exacts_[nextExact_]].run <= r; ++nextExact_) {
                const ExactDate& exact = scan.exactDates[exacts_[nextExact_]];
                if (exact.run != r || !ExactDateListed(exact)) continue;
                const double sampled = scan.DiurnalJD + exact.day;
                const bool matched = std::any_of(moments.begin(), moments.end(), [&](const ExactMoment* m) {
                    return std::fabs(m->jd - sampled) <= 1.0;
                });
                if (!matched) exactDays.push_back({exact.day, exact.distance});
            }
            if (!choice_.families[FamilyIndex(scan.runs[r].family)]) continue;
            run = &scan.runs[r];
            return true;
        }
        return false;
    }

    const ScanRun* run = nullptr;
    std::vector<const ExactMoment*> moments;  // in time order
    std::vector<ExactDay> exactDays;

private:
    // The indices of `items` in the order of their runs, keeping the order within a run.
    template <class Item>
    static std::vector<std::uint32_t> ByRun(const std::vector<Item>& items) {
        std::vector<std::uint32_t> order(items.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
        // Mostly they are in that order already.
        const auto byRun = [&](std::uint32_t a, std::uint32_t b) { return items[a].run < items[b].run; };
        if (!std::is_sorted(order.begin(), order.end(), byRun)) std::stable_sort(order.begin(), order.end(), byRun);
        return order;
    }

    const ExportSource& source_;
    const ExportChoice& choice_;
    std::vector<std::uint32_t> moments_, exacts_;
    std::size_t run_ = 0, nextMoment_ = 0, nextExact_ = 0;
};

// A point's name as the reports print it, without the blanks that pad it.
void AppendPointWord(std::string& text, int body) {
    if (IsExtraPointBody(body)) {
        text.append(PointWord(body));
    } else {
        text.append(Trimmed(PointName(body)));
    }
}

// "Transit SATURN square natal SUN"
void AssignRunTitle(std::string& title, const ScanRun& run) {
    const FamilyInfo& names = FamilyOf(run.family);
    title.assign(names.moverWord);
    title += ' ';
    AppendPointWord(title, run.mover);
    title += ' ';
    title.append(AspectWordOf(run.AspectCode));
    title += ' ';
    title.append(names.targetWord);
    title += ' ';
    AppendPointWord(title, run.target);
}

void AppendIsoDate(std::string& text, const CalendarDate& date) {
    std::array<char, IsoDateMaxSize> chars{};
    text.append(chars.data(), PutIsoDate(chars, date));
}

void AppendSmallestOrbDays(std::string& text, const ScanResult& scan, const ScanDates& dates, const ScanRun& run,
                           std::string_view rangeJoin, std::string_view listJoin) {
    bool first = true;
    for (const DayRange& range : scan.SmallestOrbDays(run)) {
        if (!first) text += listJoin;
        first = false;
        AppendIsoDate(text, dates.Day(range.first));
        if (range.last != range.first) {
            text += rangeJoin;
            AppendIsoDate(text, dates.Day(range.last));
        }
    }
}

// What a run's description says after its first lines, appended to `text`.
void AppendRunDescriptionTail(std::string& text, const ExportSource& source, const ScanDates& dates,
                              const ScanRun& run) {
    const ScanResult& scan = source.scan;
    text += "Smallest orb ";
    text.append(Degrees(run.smallestOrb, 2).view());
    text += " degrees on ";
    AppendSmallestOrbDays(text, scan, dates, run, " to ", ", ");
    text += "\nIn orb ";
    AppendIsoDate(text, dates.Day(run.firstDay));
    text += " to ";
    AppendIsoDate(text, dates.Day(run.lastDay));
    if (run.continuesBefore) text += ", begun before the scan";
    if (run.continuesAfter) text += ", going on after the scan";
    text += "\nReport line: ";
    const std::size_t line = text.size();
    AppendRunLine(text, scan, run);
    text.resize(line + Trimmed(std::string_view(text).substr(line)).size());
}

std::string ChartLine(const ExportSource& source) {
    return "Chart: " + source.chartName + " (born " + source.birthData + ")";
}

// FNV-1a, 64 bits: a short, stable digest of the text that identifies an event. A digest of a text
// continues from the digest of its start (`h`, the digest of what came before).
constexpr std::uint64_t DigestStart = 0xcbf29ce484222325ull;
std::uint64_t Digest(std::string_view text, std::uint64_t h = DigestStart) {
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ull;
    }
    return h;
}

// printf's "%016llx".
std::string Hex16(std::uint64_t value) {
    static constexpr char Digits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (std::size_t i = 16; i-- > 0; value >>= 4) text[i] = Digits[value & 15];
    return text;
}

// What iCalendar TEXT makes of each byte: printable ASCII but \ ; and , goes as it is; those three and
// the line breaks are escaped; anything else is left to ExportSafeText first.
enum class CalendarByte : std::uint8_t { Plain, Escaped, Unclean };
inline constexpr auto CalendarBytes = [] {
    std::array<CalendarByte, 256> kinds{};
    for (std::size_t c = 0; c < kinds.size(); ++c) {
        kinds[c] = c >= 0x20 && c < 0x7F ? CalendarByte::Plain : CalendarByte::Unclean;
    }
    for (const unsigned char c : {'\\', ';', ',', '\n', '\r'}) kinds[c] = CalendarByte::Escaped;
    return kinds;
}();
static_assert(CalendarBytes.size() == 256);

CalendarByte KindOf(char c) { return CalendarBytes[static_cast<unsigned char>(c)]; }

// iCalendar TEXT of text that ExportSafeText leaves as it is, appended to `out`.
void AppendCleanCalendarEscaped(std::string& out, std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        // The characters up to the next one that needs an escape go as they are (the bytes of
        // UTF-8 characters too).
        std::size_t special = i;
        while (special < text.size() && KindOf(text[special]) != CalendarByte::Escaped) ++special;
        out.append(text.substr(i, special - i));
        if (special == text.size()) break;
        i = special + 1;
        switch (text[special]) {
            case '\\': out += "\\\\"; break;
            case ';': out += "\\;"; break;
            case ',': out += "\\,"; break;
            case '\n': out += "\\n"; break;
            default:
                // CR LF and a lone CR are both one line break.
                if (i < text.size() && text[i] == '\n') ++i;
                out += "\\n";
                break;
        }
    }
}

// iCalendar TEXT of `raw` (CalendarEscape) appended to `out`. Printable ASCII and line breaks are
// what ExportSafeText leaves as they are: such text (all the program's own) is escaped as it
// stands, anything else after cleaning.
void AppendCalendarEscaped(std::string& out, std::string_view raw) {
    const bool clean = std::none_of(raw.begin(), raw.end(), [](char c) { return KindOf(c) == CalendarByte::Unclean; });
    if (clean) {
        AppendCleanCalendarEscaped(out, raw);
    } else {
        AppendCleanCalendarEscaped(out, ExportSafeText(raw));
    }
}

// FoldCalendarLine into a sink.
void PutFoldedCalendarLine(TextSink& out, std::string_view line) {
    constexpr std::size_t Limit = 75;  // octets per line, CR LF not counted
    std::size_t at = 0;
    std::size_t room = Limit;
    while (line.size() - at > room) {
        std::size_t cut = at + room;
        // Back up to the first byte of a UTF-8 character (text that is not UTF-8 is cut anywhere).
        while (cut > at && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        if (cut == at) cut = at + room;
        out.Put(line.substr(at, cut - at));
        out.Put("\r\n ");
        at = cut;
        room = Limit - 1;  // the continuation's leading blank counts
    }
    out.Put(line.substr(at));
    out.Put("\r\n");
}

std::string CalendarEscaped(std::string_view raw) {
    std::string out;
    AppendCalendarEscaped(out, raw);
    return out;
}

class CalendarWriter {
public:
    CalendarWriter(TextSink& out, const ExportSource& source, std::string_view stamp)
        : out_(out),
          stampLine_(FoldedLine("DTSTAMP:" + std::string(stamp))),
          transpLine_(FoldedLine("TRANSP:TRANSPARENT")),
          chartDigest_(Digest(source.chartName + '\x1f' + source.birthData + '\x1f')) {}

    void Put(std::string_view text) { out_.Put(text); }

    void Line(std::string_view name, std::string_view value) {
        line_.assign(name).append(":").append(value);
        PutFoldedCalendarLine(out_, line_);
    }
    // A line of TEXT: `raw` escaped.
    void TextLine(std::string_view name, std::string_view raw) {
        line_.assign(name).append(":");
        AppendCalendarEscaped(line_, raw);
        PutFoldedCalendarLine(out_, line_);
    }

    // An event; `start` is the DTSTART line's text after the name ("…Z" or ";VALUE=DATE:…") and
    // `description` is already iCalendar TEXT (CalendarEscape).
    void Event(const ScanRun& run, std::string_view kind, const CalendarDate& date, std::string_view start,
               std::string_view end, std::string_view summary, std::string_view description) {
        out_.Put("BEGIN:VEVENT\r\n");
        line_.assign("UID:");
        AppendUid(line_, run, kind, date);
        PutFoldedCalendarLine(out_, line_);
        out_.Put(stampLine_);
        line_.assign("DTSTART").append(start);
        PutFoldedCalendarLine(out_, line_);
        if (!end.empty()) {
            line_.assign("DTEND").append(end);
            PutFoldedCalendarLine(out_, line_);
        }
        // Every event of a run has one of two summaries and the family's category: each is folded
        // once, when it changes.
        if (summary != summary_) {
            summary_.assign(summary);
            summaryLine_ = FoldedLine("SUMMARY:" + CalendarEscaped(summary));
        }
        out_.Put(summaryLine_);
        line_.assign("DESCRIPTION:").append(description);
        PutFoldedCalendarLine(out_, line_);
        if (run.family != category_ || categoryLine_.empty()) {
            category_ = run.family;
            categoryLine_ = FoldedLine("CATEGORIES:" + CalendarEscaped(FamilyOf(run.family).label));
        }
        out_.Put(categoryLine_);
        out_.Put(transpLine_);
        out_.Put("END:VEVENT\r\n");
    }

private:
    static std::string FoldedLine(std::string_view line) { return FoldCalendarLine(line); }

    // From the chart's name and birth data, the family, mover, aspect and target, the kind of
    // event and its date: the same scan exported again gives the same UIDs, so that a calendar
    // updates its events instead of adding them twice. The digest of the chart's part is taken once.
    void AppendUid(std::string& text, const ScanRun& run, std::string_view kind, const CalendarDate& date) {
        std::array<char, IsoDateMaxSize> dateChars{};
        const std::string_view compactDate(dateChars.data(), PutCompactIsoDate(dateChars, date));
        key_.assign(FamilyCode(run.family)) += '\x1f';
        key_.append(IntegerChars(run.mover).view()) += '\x1f';
        key_.append(IntegerChars(run.AspectCode).view()) += '\x1f';
        key_.append(IntegerChars(run.target).view()) += '\x1f';
        key_.append(kind) += '\x1f';
        key_.append(compactDate);
        uid_.assign(Hex16(Digest(key_, chartDigest_))).append("-").append(FamilyCode(run.family)).append("-");
        uid_.append(kind).append("-").append(compactDate);
        // Two events of one kind on one date of one mover, aspect and target (a loop turning within
        // a day, or two runs a day apart) stay apart. The runs of one of those follow one another,
        // so only theirs are remembered.
        const std::array<std::uint8_t, 4> cell = {static_cast<std::uint8_t>(run.family), run.mover, run.AspectCode,
                                                  run.target};
        if (cell != cell_) {
            used_.clear();
            cell_ = cell;
        }
        // Within the cell the UID is made from the kind and the date alone: the n-th event of a
        // kind and date gets "-n" (from 2) after it. The events come mostly in date order.
        const UidUse use{date.year, date.month, date.day, kind};
        auto at = std::lower_bound(used_.begin(), used_.end(), use);
        if (at == used_.end() || use < *at) at = used_.insert(at, use);
        text.append(uid_);
        if (++at->count > 1) text.append("-").append(IntegerChars(at->count).view());
        text.append("@orrerion");
    }

    TextSink& out_;
    const std::string stampLine_, transpLine_;
    const std::uint64_t chartDigest_;
    std::string line_, key_, uid_;
    std::string summary_, summaryLine_;
    AspectFamily category_ = AspectFamily::TransitToNatal;
    std::string categoryLine_;
    // How many events of a kind and date the current mover, aspect and target have had.
    struct UidUse {
        int year, month, day;
        std::string_view kind;  // one of the writer's literals
        int count = 0;
        bool operator<(const UidUse& other) const {
            return std::tie(year, month, day, kind) < std::tie(other.year, other.month, other.day, other.kind);
        }
    };
    std::array<std::uint8_t, 4> cell_{};
    std::vector<UidUse> used_;
};

}  // namespace

ExportSource MakeExportSource(const ChartState& chart, const EphemerisState& eph, const Options& options,
                              ScanResult scan, std::string_view diurnalZoneName, const FamilySet& families,
                              const ScanLongitudes* scanned) {
    ExportSource source;
    source.chartName = chart.ChartName;
    const ParsedInput& in = chart.input;
    // "13 Jan 1950 8.30 A.M., zone 5, 74.00 WEST 40.43 NORTH": printf's "%.2f" and "%g".
    source.birthData = DateDdMmmYyyy({in.NatalDay, in.NatalMonth, in.NatalYear}) + " " +
                       std::string(FixedChars(in.NatalHour, 2).view()) + " " + in.NatalMeridiem + ", zone " +
                       std::string(GeneralChars(in.NatalZone, 6).view()) + ", " +
                       std::string(FixedChars(in.NatalLongitude, 2).view()) + " " + in.NatalLongitudeWord + " " +
                       std::string(FixedChars(in.NatalLatitude, 2).view()) + " " + in.NatalLatitudeWord;
    source.zoneHoursWest = in.DiurnalZone;
    source.zoneName = diurnalZoneName;
    source.moments = ExactMoments(chart, eph, options, scan, families, scanned);
    source.scan = std::move(scan);
    return source;
}

std::string_view ExportAspectWord(int AspectCode) { return AspectWordOf(AspectCode); }
std::string ExportPointWord(int body) {
    if (!IsExtraPointBody(body) && (body < SUN || body > MC)) return "";
    return PointWord(body);
}

std::string CalendarEscape(std::string_view raw) { return CalendarEscaped(raw); }

std::string FoldCalendarLine(std::string_view line) {
    std::string out;
    {
        TextSink sink(out);
        PutFoldedCalendarLine(sink, line);
    }
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

void WriteCalendar(TextSink& out, const ExportSource& source, const ExportChoice& choice, std::string_view stamp) {
    const ScanResult& scan = source.scan;
    CalendarWriter w(out, source, stamp);
    w.Put("BEGIN:VCALENDAR\r\n");
    w.Line("VERSION", "2.0");
    w.Line("PRODID", std::string("-//Orrerion//Orrerion ") + ProgramVersion() + "//EN");
    w.Line("CALSCALE", "GREGORIAN");
    w.Line("METHOD", "PUBLISH");
    w.TextLine("X-WR-CALNAME", "Orrerion: " + source.chartName);

    // The descriptions are put together from parts escaped one by one: every part but the
    // chart's line and the zone's name is ASCII of the program's own, and no part ends in a
    // carriage return, so the parts escape as the whole would.
    const std::string chartLine = ChartLine(source);
    const std::string zoneNote = " in the diurnal zone" + ZoneNameNote(source) + "\n";
    // The parts every moment's description shares, escaped once.
    const std::string chartPart = CalendarEscaped(chartLine + "\n");
    const std::string exactPart = CalendarEscaped("\nExact ");
    const std::string utPart = CalendarEscaped(" UT, ");
    const std::string zonePart = CalendarEscaped(zoneNote);
    std::string description, tail, moverPart, aspectPart, tailPart, title, exactTitle, words, start;
    const ScanDates dates(scan);
    ChosenRuns item(source, choice);
    while (item.Next()) {
        if (!choice.runEvents && item.moments.empty() && item.exactDays.empty()) continue;  // no event
        const ScanRun& run = *item.run;
        AssignRunTitle(title, run);
        exactTitle.assign(title).append(" (exact)");
        tail.clear();
        AppendRunDescriptionTail(tail, source, dates, run);
        const FamilyInfo& names = FamilyOf(run.family);
        if (choice.runEvents) {
            const CalendarDate first = dates.Day(run.firstDay);
            const CalendarDate last = dates.Day(run.lastDay);
            description = CalendarEscaped(
                chartLine + "\n" + std::string(names.moverWord) + " " + PointWord(run.mover) + " " +
                PlacePositionText(run.moverFirst) + " to " + PlacePositionText(run.moverLast) + " " +
                std::string(AspectWordOf(run.AspectCode)) + " " + std::string(names.targetWord) + " " +
                PointWord(run.target) + " " + PlacePositionText(run.targetFirst) +
                (run.targetLast != run.targetFirst ? " to " + PlacePositionText(run.targetLast) : "") + "\n" + tail);
            w.Event(run, "run", first, ";VALUE=DATE:" + CompactDate(first),
                    ";VALUE=DATE:" + CompactDate(NextDate(last)), title, description);
        }
        if (!item.moments.empty()) {
            // "Chart: ...\nTransit SATURN 15ari23 square natal SUN 14cap50\nExact <UT> UT, <local> in
            // the diurnal zone\n<tail>": the parts that stay the same for every moment of the run.
            words.assign(names.moverWord) += ' ';
            AppendPointWord(words, run.mover);
            words += ' ';
            moverPart.assign(chartPart);
            AppendCalendarEscaped(moverPart, words);
            words.assign(" ").append(AspectWordOf(run.AspectCode)) += ' ';
            words.append(names.targetWord) += ' ';
            AppendPointWord(words, run.target);
            words += ' ';
            aspectPart.clear();
            AppendCalendarEscaped(aspectPart, words);
            tailPart.assign(zonePart);
            AppendCalendarEscaped(tailPart, tail);
            for (const ExactMoment* m : item.moments) {
                const MinuteTime ut = dates.Minute(m->jd);
                description.assign(moverPart);
                AppendCalendarEscaped(description, Position(m->moverLong));
                description.append(aspectPart);
                AppendCalendarEscaped(description, Position(m->targetLong));
                description.append(exactPart);
                AppendCalendarEscaped(description, IsoMinuteOf(ut, std::nullopt).View());
                description.append(utPart);
                AppendCalendarEscaped(description, LocalIsoMinute(dates, m->jd, source).View());
                description.append(tailPart);
                start.assign(":").append(CalendarMoment(ut).View());
                w.Event(run, "exact", ut.date, start, {}, exactTitle, description);
            }
        }
        for (const ExactDay& exact : item.exactDays) {
            const CalendarDate date = dates.Day(exact.day);
            description = CalendarEscaped(chartLine + "\nClosest on this day, " +
                                          std::string(Degrees(exact.distance, 2).view()) +
                                          " degrees from exact; no exact moment found\n" + tail);
            w.Event(run, "exactday", date, ";VALUE=DATE:" + CompactDate(date),
                    ";VALUE=DATE:" + CompactDate(NextDate(date)), exactTitle, description);
        }
    }
    // The sky's events, when they were asked for, as the events command writes them.
    if (!source.events.empty()) w.Put(EventCalendarEvents(source.events, source.chartName, stamp));
    w.Put("END:VCALENDAR\r\n");
}

namespace {

constexpr std::string_view CsvHeader =
    "kind,family,mover,aspect,target,first_day,last_day,continues_before,continues_after,"
    "smallest_orb,smallest_orb_days,exact_utc,exact_local,mover_longitude,target_longitude,chart";

}  // namespace

void WriteCsv(TextSink& out, const ExportSource& source, const ExportChoice& choice) {
    const ScanResult& scan = source.scan;
    out.Put(CsvHeader);
    out.Put("\r\n");
    const std::string chart = CsvField(source.chartName);
    const ScanDates dates(scan);
    // The columns a run's rows share, from the family to the days of smallest orb.
    std::string common, runDays;
    ChosenRuns item(source, choice);
    while (item.Next()) {
        const ScanRun& run = *item.run;
        common.assign(FamilyOf(run.family).key) += ',';
        AppendPointWord(common, run.mover);
        common += ',';
        common.append(AspectWordOf(run.AspectCode)) += ',';
        AppendPointWord(common, run.target);
        common += ',';
        runDays.clear();
        AppendIsoDate(runDays, dates.Day(run.firstDay));
        runDays += ',';
        AppendIsoDate(runDays, dates.Day(run.lastDay));
        runDays.append(run.continuesBefore ? ",true," : ",false,");
        runDays.append(run.continuesAfter ? "true," : "false,");
        runDays.append(Degrees(run.smallestOrb, 4).view()) += ',';
        AppendSmallestOrbDays(runDays, scan, dates, run, "/", " ");
        out.Put("run,");
        out.Put(common);
        out.Put(runDays);
        out.Put(",,,");
        out.Put(Degrees(PlaceDegrees(run.moverFirst), 4).view());
        out.Put(',');
        out.Put(Degrees(PlaceDegrees(run.targetFirst), 4).view());
        out.Put(',');
        out.Put(chart);
        out.Put("\r\n");
        for (const ExactMoment* m : item.moments) {
            out.Put("exact,");
            out.Put(common);
            out.Put(runDays);
            out.Put(',');
            out.Put(IsoMinute(dates, m->jd, std::nullopt).View());
            out.Put(',');
            out.Put(LocalIsoMinute(dates, m->jd, source).View());
            out.Put(',');
            out.Put(Degrees(m->moverLong, 4).view());
            out.Put(',');
            out.Put(Degrees(m->targetLong, 4).view());
            out.Put(',');
            out.Put(chart);
            out.Put("\r\n");
        }
        for (const ExactDay& exact : item.exactDays) {
            out.Put("exact_date,");
            out.Put(common);
            out.Put(runDays);
            out.Put(',');
            out.Put(IsoDate(dates.Day(exact.day)));
            out.Put(",,,,");
            out.Put(chart);
            out.Put("\r\n");
        }
    }
    // The sky's events, when asked for: family holds the event's kind, mover its body, aspect what
    // it was (direction, sign, house, phase or eclipse type), target the natal points it falls on;
    // the days are its first and last, the moment its start.
    for (const SkyEvent& e : source.events) {
        out.Put("event,");
        out.Put(SkyEventKindWord(e.kind));
        out.Put(',');
        out.Put(CsvField(PointWord(e.body)));
        out.Put(',');
        out.Put(CsvField(EventDetailWord(e)));
        out.Put(',');
        std::string hits;
        for (const int point : e.hits) (hits.empty() ? hits : hits += ' ') += PointWord(point);
        out.Put(CsvField(hits));
        out.Put(',');
        const bool period = e.kind == SkyEventKind::Retrograde || e.kind == SkyEventKind::Void;
        out.Put(IsoDate(MinuteOf(e.jd).date));
        out.Put(',');
        out.Put(IsoDate(MinuteOf(period ? e.endJD : e.jd).date));
        out.Put(",,,,,");
        out.Put(IsoMinute(dates, e.jd, std::nullopt).View());
        out.Put(',');
        out.Put(LocalIsoMinute(dates, e.jd, source).View());
        out.Put(',');
        out.Put(Degrees(e.longitude, 4).view());
        out.Put(",,");
        out.Put(chart);
        out.Put("\r\n");
    }
}

namespace {

// A JSON number as JsonNumber writes it ("null" for what is not finite).
void PutJsonNumber(TextSink& out, double value) {
    if (!std::isfinite(value)) {
        out.Put("null");
    } else {
        out.Put(GeneralChars(value, 17).view());
    }
}

// JsonString(text) into a sink; printable ASCII without " or \ goes as it is.
void PutJsonText(TextSink& out, std::string_view text) {
    const auto plain = [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; };
    if (!std::all_of(text.begin(), text.end(), plain)) {
        out.Put(JsonString(text));
        return;
    }
    out.Put('"');
    out.Put(text);
    out.Put('"');
}

// A JSON string of ISO text, which needs no escape.
void PutJsonPlain(TextSink& out, std::string_view text) {
    out.Put('"');
    out.Put(text);
    out.Put('"');
}

}  // namespace

void WriteJson(TextSink& out, const ExportSource& source, const ExportChoice& choice) {
    const ScanResult& scan = source.scan;
    // The names every run repeats, as JSON strings.
    std::array<std::string, FamilyCount> familyKeys, familyCodes;
    for (const FamilyInfo& info : ScanFamilies) {
        familyKeys[FamilyIndex(info.family)] = JsonString(info.key);
        familyCodes[FamilyIndex(info.family)] = JsonString(info.code);
    }
    std::array<std::string, PointSlotCount + 1> pointWords;
    for (int body = SUN; body <= PointSlotCount; ++body) {
        pointWords[static_cast<std::size_t>(body)] = JsonString(PointWord(body));
    }
    std::array<std::string, 11> aspectWords;  // by AspectCode
    for (std::size_t code = 0; code < aspectWords.size(); ++code) {
        aspectWords[code] = JsonString(AspectWordOf(static_cast<int>(code)));
    }
    const auto word = [](const auto& words, std::size_t i) -> std::string_view { return words.at(i); };
    std::string reportLine;
    const ScanDates dates(scan);
    out.Put("{\n");
    out.Put("  \"chart\": " + JsonString(source.chartName) + ",\n");
    out.Put("  \"birth\": " + JsonString(source.birthData) + ",\n");
    out.Put("  \"first_day\": " + JsonString(IsoDate(scan.DateOfDay(0))) + ",\n");
    out.Put("  \"days\": " + std::to_string(scan.ScanDays) + ",\n");
    out.Put("  \"zone_hours_west\": " + JsonNumber(source.zoneHoursWest) + ",\n");
    if (!source.zoneName.empty()) out.Put("  \"zone_name\": " + JsonString(source.zoneName) + ",\n");
    out.Put("  \"runs\": [");
    bool firstRun = true;
    ChosenRuns item(source, choice);
    while (item.Next()) {
        const ScanRun& run = *item.run;
        out.Put(firstRun ? "\n" : ",\n");
        firstRun = false;
        out.Put("    {\"family\": ");
        out.Put(word(familyKeys, FamilyIndex(run.family)));
        out.Put(", \"family_code\": ");
        out.Put(word(familyCodes, FamilyIndex(run.family)));
        out.Put(", \"mover\": ");
        out.Put(word(pointWords, run.mover));
        out.Put(", \"aspect\": ");
        out.Put(word(aspectWords, run.AspectCode));
        out.Put(", \"target\": ");
        out.Put(word(pointWords, run.target));
        out.Put(", \"first_day\": ");
        PutJsonPlain(out, IsoDate(dates.Day(run.firstDay)));
        out.Put(", \"last_day\": ");
        PutJsonPlain(out, IsoDate(dates.Day(run.lastDay)));
        out.Put(", \"continues_before\": ");
        out.Put(run.continuesBefore ? "true" : "false");
        out.Put(", \"continues_after\": ");
        out.Put(run.continuesAfter ? "true" : "false");
        out.Put(", \"smallest_orb\": ");
        out.Put(Degrees(run.smallestOrb, 4).view());
        out.Put(", \"smallest_orb_days\": [");
        bool firstRange = true;
        for (const DayRange& range : scan.SmallestOrbDays(run)) {
            out.Put(firstRange ? "{\"first\": " : ", {\"first\": ");
            firstRange = false;
            PutJsonPlain(out, IsoDate(dates.Day(range.first)));
            out.Put(", \"last\": ");
            PutJsonPlain(out, IsoDate(dates.Day(range.last)));
            out.Put('}');
        }
        out.Put("], \"report_line\": ");
        reportLine.clear();
        AppendRunLine(reportLine, scan, run);
        PutJsonText(out, Trimmed(reportLine));
        if (HasExactMoments(run.family)) {
            out.Put(", \"exact\": [");
            bool firstMoment = true;
            for (const ExactMoment* m : item.moments) {
                out.Put(firstMoment ? "{\"utc\": " : ", {\"utc\": ");
                firstMoment = false;
                PutJsonPlain(out, IsoMinute(dates, m->jd, std::nullopt).View());
                out.Put(", \"local\": ");
                PutJsonPlain(out, LocalIsoMinute(dates, m->jd, source).View());
                out.Put(", \"jd\": ");
                PutJsonNumber(out, m->jd);
                out.Put(", \"mover_longitude\": ");
                PutJsonNumber(out, m->moverLong);
                out.Put(", \"target_longitude\": ");
                PutJsonNumber(out, m->targetLong);
                out.Put('}');
            }
            out.Put("]");
        }
        if (run.family == AspectFamily::TransitToNatal) {
            out.Put(", \"exact_dates_without_moment\": [");
            bool firstDay = true;
            for (const ExactDay& exact : item.exactDays) {
                if (!firstDay) out.Put(", ");
                firstDay = false;
                PutJsonPlain(out, IsoDate(dates.Day(exact.day)));
            }
            out.Put("]");
        }
        out.Put("}");
    }
    out.Put(firstRun ? "]" : "\n  ]");
    // The sky's events, when asked for, as the events command writes them.
    if (!source.events.empty()) {
        out.Put(",\n  \"events\": [");
        bool firstEvent = true;
        for (const SkyEvent& e : source.events) {
            out.Put(firstEvent ? "\n    " : ",\n    ");
            firstEvent = false;
            out.Put(EventJsonObject(e));
        }
        out.Put("\n  ]");
    }
    out.Put("\n}\n");
}

void WriteExportText(TextSink& out, ExportFormat format, const ExportSource& source, const ExportChoice& choice,
                     std::string_view stamp) {
    switch (format) {
        case ExportFormat::Calendar: WriteCalendar(out, source, choice, stamp); break;
        case ExportFormat::Csv: WriteCsv(out, source, choice); break;
        case ExportFormat::Json: WriteJson(out, source, choice); break;
    }
}

std::string CalendarText(const ExportSource& source, const ExportChoice& choice, std::string_view stamp) {
    return ExportText(ExportFormat::Calendar, source, choice, stamp);
}

std::string CsvText(const ExportSource& source, const ExportChoice& choice) {
    return ExportText(ExportFormat::Csv, source, choice, {});
}

std::string JsonText(const ExportSource& source, const ExportChoice& choice) {
    return ExportText(ExportFormat::Json, source, choice, {});
}

std::string ExportText(ExportFormat format, const ExportSource& source, const ExportChoice& choice,
                       std::string_view stamp) {
    std::string text;
    {
        TextSink sink(text);
        WriteExportText(sink, format, source, choice, stamp);
    }
    return text;
}

std::string CalendarStampNow() {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                             std::chrono::system_clock::now().time_since_epoch()).count();
    const long long days = seconds / 86400 - (seconds % 86400 < 0 ? 1 : 0);
    const long long second = seconds - days * 86400;
    // 1970 January 1 is the day of Julian day number 2440588.
    const CalendarDate date = JulianDayToCalendar(2440588.0 + static_cast<double>(days));
    return CompactDate(date) + "T" + std::string(IntegerChars(second / 3600, 2).view()) +
           std::string(IntegerChars(second % 3600 / 60, 2).view()) + std::string(IntegerChars(second % 60, 2).view()) +
           "Z";
}

WriteResult WriteExport(const std::filesystem::path& path, std::string_view content) {
    return ReplaceFile(path, content);
}

WriteResult WriteExportFile(const std::filesystem::path& path, ExportFormat format, const ExportSource& source,
                            const ExportChoice& choice, std::string_view stamp) {
    FileReplacement file(path);
    {
        TextSink sink(file);
        WriteExportText(sink, format, source, choice, stamp);
    }
    return file.Commit();
}

}  // namespace orrerion
