// The heading the windows put above a calculation's pictures: name, natal and diurnal moment with
// the zone as an offset from UT, places in degrees and minutes, and the houses.
#include <gtest/gtest.h>

#include <string>

#include "core/pictures/chart_heading.h"

namespace orrerion {
namespace {

struct Moment {
    std::int16_t day, month, year;
    float hour;  // H.MM
    const char* meridiem;
    float zone;  // decimal hours west
    float latitude;
    const char* latitudeWord;
    float longitude;
    const char* longitudeWord;
};

ChartState ChartAt(const char* name, const Moment& natal, const Moment& diurnal, const char* houses) {
    ChartState chart;
    chart.ChartName = name;
    chart.HouseSystemCode = houses;
    ParsedInput& in = chart.input;
    in.NatalDay = natal.day, in.NatalMonth = natal.month, in.NatalYear = natal.year;
    in.NatalHour = natal.hour, in.NatalMeridiem = natal.meridiem, in.NatalZone = natal.zone;
    in.NatalLatitude = natal.latitude, in.NatalLatitudeWord = natal.latitudeWord;
    in.NatalLongitude = natal.longitude, in.NatalLongitudeWord = natal.longitudeWord;
    in.DiurnalDay = diurnal.day, in.DiurnalMonth = diurnal.month, in.DiurnalYear = diurnal.year;
    in.DiurnalHour = diurnal.hour, in.DiurnalMeridiem = diurnal.meridiem, in.DiurnalZone = diurnal.zone;
    in.DiurnalLatitude = diurnal.latitude, in.DiurnalLatitudeWord = diurnal.latitudeWord;
    in.DiurnalLongitude = diurnal.longitude, in.DiurnalLongitudeWord = diurnal.longitudeWord;
    return chart;
}

TEST(ChartHeading, NamesTheChartItsMomentsPlacesAndHouses) {
    const Moment newYork{13, 1, 1950, 8.30f, "A.M.", 5.0f, 40.43f, "NORTH", 74.00f, "WEST"};
    const Moment noon{7, 12, 2026, 12.00f, "P.M.", 5.0f, 40.43f, "NORTH", 74.00f, "WEST"};
    // Zone -5.3 is decimal hours: 5 h 18 min east; -5.5 is 5 h 30 min east.
    const Moment sydney{1, 1, 2000, 12.05f, "P.M.", -5.3f, -33.52f, "SOUTH", -151.13f, "EAST"};
    const Moment greenwich{29, 2, 2000, 11.59f, "P.M.", 0.0f, 51.29f, "NORTH", 0.0f, "WEST"};
    const Moment delhi{15, 8, 1947, 12.00f, "A.M.", -5.5f, 28.36f, "NORTH", -77.12f, "EAST"};
    const struct {
        ChartState chart;
        const char* expected;
    } rows[] = {
        {ChartAt("John Smith", newYork, noon, "P"),
         "John Smith · natal 13 Jan 1950 8:30 A.M. UT-5:00 at 40°43′N 74°00′W · diurnal 07 Dec 2026 12:00 P.M. "
         "UT-5:00 at 40°43′N 74°00′W · Placidus houses"},
        {ChartAt("", sydney, greenwich, "K"),
         "Chart · natal 01 Jan 2000 12:05 P.M. UT+5:18 at 33°52′S 151°13′E · diurnal 29 Feb 2000 11:59 P.M. "
         "UT+0:00 at 51°29′N 0°00′W · Koch houses"},
        {ChartAt("India", delhi, delhi, "M"),
         "India · natal 15 Aug 1947 12:00 A.M. UT+5:30 at 28°36′N 77°12′E · diurnal 15 Aug 1947 12:00 A.M. "
         "UT+5:30 at 28°36′N 77°12′E · Meridian houses"},
    };
    for (const auto& row : rows) EXPECT_EQ(ChartHeading(row.chart), row.expected);
}

}  // namespace
}  // namespace orrerion
