#include "core/exports/return_exports.h"

#include <cmath>
#include <cstdio>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/summary.h"
#include "core/base/text_tables.h"
#include "core/exports/scan_exports.h"
#include "core/io/json_text.h"

namespace orrerion {
namespace {

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

void AddLine(OutputBuffers& b, std::string text) {
    b.LineText = std::move(text);
    AddOutputLine(b);
}

// "Sun" from "SUN": the report lines' point name with only its first letter capital.
std::string TitleCase(std::string_view name) {
    std::string text(name);
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] >= 'A' && text[i] <= 'Z') text[i] = static_cast<char>(text[i] - 'A' + 'a');
    }
    return text;
}

// The report lines' point name without its padding: "SUN", "MC"; an extra point's label.
std::string PlainPointName(int body) { return ExportPointWord(body); }

// Degrees as the summary writes a place: "40.43 NORTH", whole degrees and minutes after the point.
std::string PlaceText(double degrees, const char* positive, const char* negative) {
    const double minutes = std::round(std::fabs(degrees) * 60);
    const double dmm = std::floor(minutes / 60) + std::fmod(minutes, 60) / 100;
    return FormatPicture(dmm, "##0.00") + " " + (degrees < 0 ? negative : positive);
}

}  // namespace

std::string SecondText(double jd, const MomentClock& clock, int DateOrder) {
    const SecondTime t = SecondOf(jd, ZoneHoursWestAt(clock, jd));
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return DateInOrder(t.date, DateOrder) + " " + time;
}

std::string ReturnName(int body) {
    if (body == SUN) return "Solar return";
    if (body == MOON) return "Lunar return";
    return TitleCase(PlainPointName(body)) + " return";
}

void WriteReturnSummary(const ChartState& chart, const ReturnChart& ret, bool precessed, const MomentClock& localClock,
                        int DateOrder, OutputBuffers& b) {
    const ReturnMoment& m = ret.moment;
    AddBlankLine(b);
    std::string title = ReturnName(m.body);
    for (char& c : title) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    AddLine(b, Blanks(2) + title + " - " + chart.ChartName);
    AddLine(b, Blanks(2) + PlainPointName(m.body) + " at " + LongitudeSpacedText(m.longitude) +
                   (m.retrograde ? " R" : "") + ", back to " +
                   (precessed ? "its natal longitude moved by precession to " + LongitudeSpacedText(m.targetLongitude)
                              : std::string("its natal longitude")));
    AddLine(b, Blanks(2) + SecondText(m.jd, MomentClock{}, DateOrder) + " UT" + Blanks(4) +
                   SecondText(m.jd, localClock, DateOrder) + " local time");
    AddLine(b, Blanks(2) + "Cast at " + PlaceText(ret.place.latitudeDeg, "NORTH", "SOUTH") + Blanks(4) +
                   PlaceText(ret.place.westLongitudeDeg, "WEST", "EAST"));
    if (chart.Source == EphemerisSource::Precise) AddLine(b, Blanks(2) + std::string(PrecisePositionsLine));

    AddBlankLine(b);
    AddLine(b, Blanks(2) + "HOUSE CUSPS - " + std::string(HouseSystemName(ret.HouseSystemCode)));
    b.LineText.clear();
    for (int h = 1; h <= 12; ++h) {
        b.LineText += b.LineText.empty() ? Blanks(2) : Blanks(1);
        b.LineText += std::string(HouseOrdinalText(h)) + " house = ";
        FormatLongitudeSpaced(b, ret.Cusp[static_cast<std::size_t>(h)]);
        if (h % 3 == 0) {
            AddOutputLine(b);
            b.LineText.clear();
        }
    }

    AddBlankLine(b);
    AddLine(b, Blanks(2) + "PLANET" + Blanks(3) + "RETURN LONG" + Blanks(2) + "RETURN D." + Blanks(2) + "NATAL LONG");
    AddLine(b, Blanks(2) + "------" + Blanks(3) + "-----------" + Blanks(2) + "---------" + Blanks(2) + "----------");
    for (const int body : {SUN, MOON, MERCURY, VENUS, MARS, JUPITER, SATURN, URANUS, NEPTUNE, PLUTO, ASC, MC}) {
        const auto i = static_cast<std::size_t>(body);
        const std::string name = PlainPointName(body);
        b.LineText = Blanks(2) + name + Blanks(9 - name.size());
        FormatLongitudeSpaced(b, ret.Long[i]);
        b.LineText += std::string(" ") + (i - 1 < ret.RetroMarks.size() ? ret.RetroMarks[i - 1] : ' ') + Blanks(3);
        FormatDeclination(b, ret.Decl[i]);
        FormatLongitudeSpaced(b, chart.NatalLong[i]);
        AddOutputLine(b);
    }

    AddBlankLine(b);
    AddLine(b, Blanks(2) + "ASPECTS TO NATAL" + (ret.aspects.empty() ? std::string(" - none within the orbs") : ""));
    for (const ReturnAspect& a : ret.aspects) {
        char orb[16];
        std::snprintf(orb, sizeof orb, "%+6.2f", a.orb);
        AddLine(b, Blanks(2) + "return " + std::string(PointName(a.returnBody)) + " " +
                       std::string(AspectName(a.AspectCode)) + "natal " + std::string(PointName(a.natalBody)) +
                       "  orb " + orb);
    }
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
