#include "core/pictures/chart_heading.h"

#include <cmath>
#include <cstdio>

#include "core/aspects/summary.h"
#include "core/base/formatters.h"

namespace orrerion {
namespace {

// "8:30 A.M." from the clock H.MM and its meridiem.
std::string ClockText(float hour, const std::string& meridiem) {
    std::string text = FormatPicture(hour, "#0.00");
    if (const std::size_t point = text.find('.'); point != std::string::npos) text[point] = ':';
    return text + " " + meridiem;
}

// "UT-5:00" from hours west of Greenwich (decimal hours).
std::string ZoneText(float zoneHoursWest) {
    const int minutes = static_cast<int>(std::lround(std::fabs(zoneHoursWest) * 60.0));
    char text[24];
    std::snprintf(text, sizeof text, "UT%c%d:%02d", zoneHoursWest > 0 ? '-' : '+', minutes / 60, minutes % 60);
    return text;
}

// "40°43′N" from D.MM and its word ("NORTH", "WEST", ...), whose first letter is kept.
std::string PlaceText(float degreesMinutes, const std::string& word) {
    const std::string text = FormatPicture(std::fabs(degreesMinutes), "##0.00");
    const std::size_t point = text.find('.');
    const std::string degrees = point == std::string::npos ? text : text.substr(0, point);
    const std::string minutes = point == std::string::npos ? "00" : text.substr(point + 1);
    return degrees + "°" + minutes + "′" + (word.empty() ? std::string() : word.substr(0, 1));
}

}  // namespace

std::string ChartHeading(const ChartState& chart) {
    const ParsedInput& in = chart.input;
    const std::string dot = " · ";
    std::string heading = chart.ChartName.empty() ? std::string("Chart") : chart.ChartName;
    heading += dot + "natal " + DateDdMmmYyyy(NatalCalendarDate(chart)) + " " +
               ClockText(in.NatalHour, in.NatalMeridiem) + " " + ZoneText(in.NatalZone) + " at " +
               PlaceText(in.NatalLatitude, in.NatalLatitudeWord) + " " +
               PlaceText(in.NatalLongitude, in.NatalLongitudeWord);
    heading += dot + "diurnal " + DateDdMmmYyyy(DiurnalCalendarDate(chart)) + " " +
               ClockText(in.DiurnalHour, in.DiurnalMeridiem) + " " + ZoneText(in.DiurnalZone) + " at " +
               PlaceText(in.DiurnalLatitude, in.DiurnalLatitudeWord) + " " +
               PlaceText(in.DiurnalLongitude, in.DiurnalLongitudeWord);
    heading += dot + std::string(HouseSystemName(chart.HouseSystemCode)) + " houses";
    return heading;
}

}  // namespace orrerion
