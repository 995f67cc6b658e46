#include "core/exports/event_exports.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <set>

#include "core/base/formatters.h"
#include "core/base/version.h"
#include "core/ephemeris/time_angles.h"
#include "core/exports/return_exports.h"
#include "core/exports/scan_exports.h"
#include "core/io/json_text.h"

namespace orrerion {
namespace {

bool HasEnd(const SkyEvent& e) { return e.kind == SkyEventKind::Retrograde || e.kind == SkyEventKind::Void; }
bool HasHits(const SkyEvent& e) { return e.kind == SkyEventKind::Lunation || e.kind == SkyEventKind::Eclipse; }

std::string_view SignName(int sign) { return sign >= 1 && sign <= 12 ? SignNames[static_cast<std::size_t>(sign - 1)] : ""; }

std::string HitsText(const SkyEvent& e) {
    std::string text;
    for (const int point : e.hits) text += (text.empty() ? "" : " ") + ExportPointWord(point);
    return text;
}

// "20270113T055712Z"
std::string CalendarUtc(double jd) {
    std::string iso = IsoSecondUtc(jd);
    std::string compact;
    for (const char c : iso) {
        if (c != '-' && c != ':') compact += c;
    }
    return compact;
}

// FNV-1a over the UID's key: the same on every machine and every run.
std::uint64_t Digest(std::string_view key) {
    std::uint64_t h = 14695981039346656037ull;
    for (const unsigned char c : key) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

int Detail(const SkyEvent& e) {
    switch (e.kind) {
    case SkyEventKind::Ingress: return e.sign;
    case SkyEventKind::HouseIngress: return e.house;
    case SkyEventKind::Lunation: return static_cast<int>(e.phase);
    case SkyEventKind::Eclipse: return static_cast<int>(e.eclipseType);
    case SkyEventKind::Station: return e.retrograde ? 1 : 0;
    default: return 0;
    }
}

}  // namespace

std::string EventDetailWord(const SkyEvent& e) {
    switch (e.kind) {
    case SkyEventKind::Station: return e.retrograde ? "retrograde" : "direct";
    case SkyEventKind::Ingress: return std::string(SignName(e.sign)) + (e.retrograde ? " retrograde" : "");
    case SkyEventKind::HouseIngress: return "house " + std::to_string(e.house) + (e.retrograde ? " retrograde" : "");
    case SkyEventKind::Lunation: return std::string(LunarPhaseWord(e.phase));
    case SkyEventKind::Eclipse: return std::string(EclipseTypeWord(e.eclipseType));
    default: return "";
    }
}

std::string EventJsonObject(const SkyEvent& e) {
    std::string out = "{\"kind\": " + JsonString(SkyEventKindWord(e.kind));
    out += ", \"body\": " + JsonString(ExportPointWord(e.body));
    out += ", \"utc\": " + JsonString(IsoSecondUtc(e.jd));
    out += ", \"jd_ut\": " + JsonNumber(e.jd);
    out += ", \"longitude\": " + JsonNumber(e.longitude);
    switch (e.kind) {
    case SkyEventKind::Station:
        out += std::string(", \"direction\": ") + (e.retrograde ? "\"retrograde\"" : "\"direct\"");
        break;
    case SkyEventKind::Ingress:
        out += ", \"sign\": " + JsonString(SignName(e.sign));
        out += std::string(", \"retrograde\": ") + (e.retrograde ? "true" : "false");
        break;
    case SkyEventKind::HouseIngress:
        out += ", \"house\": " + std::to_string(e.house);
        out += std::string(", \"retrograde\": ") + (e.retrograde ? "true" : "false");
        break;
    case SkyEventKind::Lunation: out += ", \"phase\": " + JsonString(LunarPhaseWord(e.phase)); break;
    case SkyEventKind::Eclipse:
        out += ", \"type\": " + JsonString(EclipseTypeWord(e.eclipseType));
        out += ", \"magnitude\": " + JsonNumber(e.magnitude);
        break;
    default: break;
    }
    if (HasEnd(e)) out += ", \"end\": " + JsonString(IsoSecondUtc(e.endJD));
    if (HasHits(e)) {
        out += ", \"hits\": [";
        for (std::size_t i = 0; i < e.hits.size(); ++i) out += (i ? ", " : "") + JsonString(ExportPointWord(e.hits[i]));
        out += "]";
    }
    return out + "}";
}

std::string EventsJson(const std::vector<SkyEvent>& events) {
    std::string out = "{\"events\": [";
    bool first = true;
    for (const SkyEvent& e : events) {
        out += first ? "\n  " : ",\n  ";
        first = false;
        out += EventJsonObject(e);
    }
    out += first ? "]}\n" : "\n]}\n";
    return out;
}

std::string EventsCsv(const std::vector<SkyEvent>& events) {
    std::string out = "kind,body,utc,end,direction,sign,retrograde,house,phase,type,magnitude,longitude,hits\r\n";
    for (const SkyEvent& e : events) {
        char number[32];
        std::string row = CsvField(SkyEventKindWord(e.kind)) + "," + CsvField(ExportPointWord(e.body)) + "," +
                          IsoSecondUtc(e.jd) + "," + (HasEnd(e) ? IsoSecondUtc(e.endJD) : "") + ",";
        row += e.kind == SkyEventKind::Station ? (e.retrograde ? "retrograde" : "direct") : "";
        row += "," + std::string(e.kind == SkyEventKind::Ingress ? SignName(e.sign) : "") + ",";
        const bool crosses = e.kind == SkyEventKind::Ingress || e.kind == SkyEventKind::HouseIngress;
        row += crosses ? (e.retrograde ? "true" : "false") : "";
        row += "," + (e.kind == SkyEventKind::HouseIngress ? std::to_string(e.house) : "") + ",";
        row += e.kind == SkyEventKind::Lunation ? std::string(LunarPhaseWord(e.phase)) : "";
        row += ",";
        if (e.kind == SkyEventKind::Eclipse) {
            std::snprintf(number, sizeof number, "%.4f", e.magnitude);
            row += std::string(EclipseTypeWord(e.eclipseType)) + "," + number;
        } else {
            row += ",";
        }
        // A longitude a hair below 360 degrees would print as 360.000000: the same place is 0.
        const double longitude = std::round(e.longitude * 1e6) >= 360e6 ? 0.0 : e.longitude;
        std::snprintf(number, sizeof number, "%.6f", longitude);
        row += "," + std::string(number) + "," + CsvField(HitsText(e));
        out += row + "\r\n";
    }
    return out;
}

std::string EventCalendarEvents(const std::vector<SkyEvent>& events, std::string_view chartName, std::string_view stamp) {
    std::string out;
    const auto line = [&](std::string_view name, std::string_view value) {
        out += FoldCalendarLine(std::string(name) + ":" + std::string(value));
    };
    std::set<std::string> used;
    for (const SkyEvent& e : events) {
        // The moment to the minute keeps the UID when a later version moves it by seconds.
        const std::string minute = CalendarUtc(e.jd).substr(0, 13);
        const std::string key = std::string(chartName) + '\x1f' + std::string(SkyEventKindWord(e.kind)) + '\x1f' +
                                std::to_string(e.body) + '\x1f' + std::to_string(Detail(e)) + '\x1f' + minute;
        char digest[20];
        std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(Digest(key)));
        std::string uid = std::string(digest) + "-" + std::string(SkyEventKindWord(e.kind)) + "-" + minute;
        std::string unique = uid;
        for (int n = 2; !used.insert(unique).second; ++n) unique = uid + "-" + std::to_string(n);
        out += "BEGIN:VEVENT\r\n";
        line("UID", unique + "@orrerion");
        line("DTSTAMP", stamp);
        line("DTSTART", CalendarUtc(e.jd));
        if (HasEnd(e)) line("DTEND", CalendarUtc(e.endJD));
        line("SUMMARY", CalendarEscape(EventSummary(e)));
        line("CATEGORIES", CalendarEscape(SkyEventKindLabel(e.kind)));
        line("TRANSP", "TRANSPARENT");
        out += "END:VEVENT\r\n";
    }
    return out;
}

std::string EventsCalendar(const std::vector<SkyEvent>& events, std::string_view chartName, std::string_view stamp) {
    std::string out;
    const auto line = [&](std::string_view name, std::string_view value) {
        out += FoldCalendarLine(std::string(name) + ":" + std::string(value));
    };
    out += "BEGIN:VCALENDAR\r\n";
    line("VERSION", "2.0");
    line("PRODID", std::string("-//Orrerion//Orrerion ") + ProgramVersion() + "//EN");
    line("CALSCALE", "GREGORIAN");
    line("METHOD", "PUBLISH");
    line("X-WR-CALNAME", CalendarEscape("Orrerion sky events: " + std::string(chartName)));
    out += EventCalendarEvents(events, chartName, stamp);
    out += "END:VCALENDAR\r\n";
    return out;
}

std::string EventsText(ExportFormat format, const std::vector<SkyEvent>& events, std::string_view chartName,
                       std::string_view stamp) {
    switch (format) {
    case ExportFormat::Calendar: return EventsCalendar(events, chartName, stamp);
    case ExportFormat::Csv: return EventsCsv(events);
    case ExportFormat::Json: return EventsJson(events);
    }
    return EventsJson(events);
}

WriteResult WriteEventsFile(const std::filesystem::path& path, ExportFormat format, const std::vector<SkyEvent>& events,
                            std::string_view chartName, std::string_view stamp) {
    return WriteExport(path, EventsText(format, events, chartName, stamp));
}

}  // namespace orrerion
