#include "core/exports/return_exports.h"

#include <cmath>
#include <cstdio>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/summary.h"
#include "core/exports/scan_exports.h"
#include "core/io/json_text.h"

namespace orrerion {

std::string IsoSecondUtc(double jd) {
    const double seconds = std::round((jd + 0.5) * 86400);
    const double dayNumber = std::floor(seconds / 86400);
    const long second = static_cast<long>(seconds - dayNumber * 86400);
    const CalendarDate date = JulianDayToCalendar(dayNumber);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02ld:%02ld:%02ldZ", date.year, date.month, date.day,
                  second / 3600, second % 3600 / 60, second % 60);
    return text;
}

std::string ReturnsJson(const std::vector<ReturnChart>& charts, bool precessed) {
    std::string out = "{\"returns\": [";
    bool first = true;
    for (const ReturnChart& r : charts) {
        const ReturnMoment& m = r.moment;
        out += first ? "\n" : ",\n";
        first = false;
        out += "  {\"body\": " + JsonString(ExportPointWord(m.body));
        out += ", \"utc\": " + JsonString(IsoSecondUtc(m.jd));
        out += ", \"jd_ut\": " + JsonNumber(m.jd);
        out += ", \"longitude\": " + JsonNumber(m.longitude);
        out += ", \"natal_longitude\": " + JsonNumber(m.targetLongitude);
        out += std::string(", \"precessed\": ") + (precessed ? "true" : "false");
        out += std::string(", \"retrograde\": ") + (m.retrograde ? "true" : "false");
        out += ", \"latitude\": " + JsonNumber(r.place.latitudeDeg);
        out += ", \"west_longitude\": " + JsonNumber(r.place.westLongitudeDeg);
        out += ", \"house_system\": " + JsonString(HouseSystemName(r.HouseSystemCode));
        out += ", \"asc\": " + JsonNumber(r.Long[ASC]);
        out += ", \"mc\": " + JsonNumber(r.Long[MC]);
        out += ", \"cusps\": [";
        for (int house = 1; house <= 12; ++house) {
            out += (house > 1 ? ", " : "") + JsonNumber(CuspOfHouse(r.Cusp, house));
        }
        out += "], \"positions\": [";
        for (int body = SUN; body <= MOON; ++body) {
            out += body > SUN ? ", " : "";
            out += "{\"body\": " + JsonString(ExportPointWord(body)) +
                   ", \"longitude\": " + JsonNumber(r.Long[static_cast<std::size_t>(body)]) +
                   ", \"retrograde\": " +
                   (r.RetroMarks[static_cast<std::size_t>(body - 1)] == 'R' ? "true" : "false") + "}";
        }
        out += "], \"aspects_to_natal\": [";
        for (std::size_t i = 0; i < r.aspects.size(); ++i) {
            const ReturnAspect& a = r.aspects[i];
            out += i ? ", " : "";
            out += "{\"return\": " + JsonString(ExportPointWord(a.returnBody)) +
                   ", \"aspect\": " + JsonString(ExportAspectWord(a.AspectCode)) +
                   ", \"natal\": " + JsonString(ExportPointWord(a.natalBody)) + ", \"orb\": " + JsonNumber(a.orb) + "}";
        }
        out += "]}";
    }
    out += first ? "]}\n" : "\n]}\n";
    return out;
}

}  // namespace orrerion
