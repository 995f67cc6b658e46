#include "core/aspects/summary.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "core/base/text_tables.h"
#include "core/chart/chart_time.h"

namespace orrerion {
namespace {

// Table rows in the order SUN, MOON, MERCURY .. PLUTO, ASC, MC.
constexpr auto RowOrder = std::to_array<int>({SUN,     MOON,   MERCURY, VENUS,   MARS, JUPITER,
                                          SATURN,  URANUS, NEPTUNE, PLUTO,   ASC,  MC});
static_assert(RowOrder.size() == 12);

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

char MarkAt(const std::string& marks, int body) {
    const auto i = static_cast<std::size_t>(body - 1);
    return i < marks.size() ? marks[i] : ' ';
}

void AddLine(OutputBuffers& b, std::string text) {
    b.LineText = std::move(text);
    AddOutputLine(b);
}

}  // namespace

CalendarDate NatalCalendarDate(const ChartState& chart) {
    const ParsedInput& in = chart.input;
    return JulianDayToCalendar(CivilDayNumber(in.NatalDay, in.NatalMonth, in.NatalYear));
}

CalendarDate DiurnalCalendarDate(const ChartState& chart) {
    const ParsedInput& in = chart.input;
    return JulianDayToCalendar(CivilDayNumber(in.DiurnalDay, in.DiurnalMonth, in.DiurnalYear));
}

std::string NatalDetailsLine(const ChartState& chart) {
    const ParsedInput& in = chart.input;
    return DateDdMmmYyyy(NatalCalendarDate(chart)) + Blanks(4) + "TZ = " +
           FormatPicture(in.NatalZone, "##0.0") + Blanks(6) + FormatPicture(in.NatalHour, "#0.00") +
           " " + in.NatalMeridiem + Blanks(3) +
           FormatPicture(std::fabs(in.NatalLatitude), "##0.00") + " " + in.NatalLatitudeWord +
           Blanks(4) + FormatPicture(std::fabs(in.NatalLongitude), "##0.00") + " " +
           in.NatalLongitudeWord;
}

void WriteSummaryHeader(ChartState& chart, OutputBuffers& b) {
    AddBlankLine(b);
    AddLine(b, Blanks(2) + chart.ChartName);
    AddLine(b, Blanks(2) + NatalDetailsLine(chart));
    AddLine(b, Blanks(2) + "Diurnal date = " + DateDdMmmYyyy(DiurnalCalendarDate(chart)));
    // The built-in series' summary has always ended here; precise positions say where they are from.
    if (chart.Source == EphemerisSource::Precise) AddLine(b, Blanks(2) + std::string(PrecisePositionsLine));
    // The cusps shown next are the natal ones.
    for (std::size_t h = 1; h <= 12; ++h) chart.WorkCusp[h] = chart.NatalCusp[h];
}

void WriteHouseCusps(const ChartState& chart, OutputBuffers& b) {
    AddBlankLine(b);
    AddLine(b, Blanks(2) + "HOUSE CUSPS - " + std::string(HouseSystemName(chart.HouseSystemCode)));
    b.LineText.clear();
    for (int h = 1; h <= 12; ++h) {
        b.LineText += b.LineText.empty() ? Blanks(2) : Blanks(1);
        b.LineText += std::string(HouseOrdinalText(h)) + " house = ";
        FormatLongitudeSpaced(b, chart.WorkCusp[static_cast<std::size_t>(h)]);
        if (h % 3 == 0) {
            AddOutputLine(b);
            b.LineText.clear();
        }
    }
}

void WritePositionTable(const ChartState& chart, OutputBuffers& b) {
    const std::string diurnalDate = DateDdMmmYyyy(DiurnalCalendarDate(chart));
    AddBlankLine(b);
    AddLine(b, Blanks(2) + "Solar arc is " + FormatPicture(std::floor(chart.SolarArc), "##0") +
                   " degrees, " + FormatPicture(SplitLongitude(chart.SolarArc).ArcMinute, "00") +
                   " minutes " + "(" + diurnalDate + ")");
    AddBlankLine(b);
    AddLine(b, Blanks(2) + "PLANET" + Blanks(3) + "NATAL LONG" + Blanks(2) + "NATAL D." + Blanks(2) +
                   "PROG LONG" + Blanks(3) + "PROG D." + Blanks(3) + "SOLAR ARC" + Blanks(3) +
                   "TRANSITS");
    AddLine(b, Blanks(2) + "------" + Blanks(3) + "----------" + Blanks(2) + "--------" +
                   Blanks(2) + "---------" + Blanks(3) + "-------" + Blanks(3) + "---------" +
                   Blanks(3) + "--------");
    for (int body : RowOrder) {
        const auto i = static_cast<std::size_t>(body);
        const std::string_view name = PlanetName[i];
        b.LineText = Blanks(2) + std::string(name.substr(0, 7)) + Blanks(9 - name.size());
        FormatLongitudeSpaced(b, chart.NatalLong[i]);
        b.LineText += std::string(" ") + MarkAt(chart.NatalRetroMarks, body) + " ";
        FormatDeclination(b, chart.NatalDecl[i]);
        FormatLongitudeSpaced(b, chart.ProgLong[i]);
        b.LineText += std::string(" ") + MarkAt(chart.ProgRetroMarks, body) + " ";
        FormatDeclination(b, chart.ProgDecl[i]);
        FormatLongitudeSpaced(b, chart.ArcLong[i]);
        b.LineText += Blanks(3);  // solar-arc points carry no retrograde mark
        FormatLongitudeSpaced(b, chart.TransitLong[i]);
        b.LineText += std::string(" ") + MarkAt(chart.TransitRetroMarks, body) + " ";
        AddOutputLine(b);
    }
    AddBlankLine(b);
    AddLine(b, Blanks(2) + "Progressed, solar arc, and transit positions exact to " + diurnalDate);
}

namespace {

// The width of the point names' column, blanks included: the longest name and one blank.
constexpr std::size_t PointNameWidth = 16;

char MotionMark(const PointPosition& p) { return p.speed < 0 ? 'R' : ' '; }

}  // namespace

void WritePointTable(const ChartState& chart, OutputBuffers& b) {
    AddBlankLine(b);
    AddLine(b, Blanks(2) + "POINT" + Blanks(PointNameWidth - 5) + "NATAL LONG" + Blanks(2) + "NATAL D." +
                   Blanks(2) + "PROG LONG" + Blanks(3) + "PROG D." + Blanks(3) + "SOLAR ARC" + Blanks(3) +
                   "TRANSITS");
    AddLine(b, Blanks(2) + std::string(PointNameWidth - 1, '-') + Blanks(1) + "----------" + Blanks(2) +
                   "--------" + Blanks(2) + "---------" + Blanks(3) + "-------" + Blanks(3) + "---------" +
                   Blanks(3) + "--------");
    for (const ExtraPointRow& row : ExtraPoints) {
        if (!chart.Points.Has(row.point)) continue;
        const auto i = static_cast<std::size_t>(row.point);
        const std::string label = ExtraPointLabel(row.point);
        b.LineText = Blanks(2) + label + Blanks(PointNameWidth - std::min(label.size(), PointNameWidth));
        FormatLongitudeSpaced(b, chart.NatalPoints[i].lon);
        b.LineText += std::string(" ") + MotionMark(chart.NatalPoints[i]) + " ";
        if (row.hasDeclination) {
            FormatDeclination(b, chart.NatalPoints[i].decl);
        } else {
            b.LineText += Blanks(10);
        }
        FormatLongitudeSpaced(b, chart.ProgPoints[i].lon);
        b.LineText += std::string(" ") + MotionMark(chart.ProgPoints[i]) + " ";
        if (row.hasDeclination) {
            FormatDeclination(b, chart.ProgPoints[i].decl);
        } else {
            b.LineText += Blanks(10);
        }
        FormatLongitudeSpaced(b, chart.ArcPoints[i].lon);
        b.LineText += Blanks(3);  // solar-arc points carry no retrograde mark
        FormatLongitudeSpaced(b, chart.TransitPoints[i].lon);
        b.LineText += std::string(" ") + MotionMark(chart.TransitPoints[i]) + " ";
        AddOutputLine(b);
    }
}

void WriteDataSummary(ChartState& chart, OutputBuffers& b) {
    WriteSummaryHeader(chart, b);
    WriteHouseCusps(chart, b);
    WritePositionTable(chart, b);
    if (chart.Points.Any()) WritePointTable(chart, b);
}

}  // namespace orrerion
