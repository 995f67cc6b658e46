#include "gui/output/returns_presenter.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "core/aspects/summary.h"
#include "core/base/formatters.h"
#include "core/ephemeris/time_angles.h"
#include "core/exports/return_exports.h"
#include "core/run/run_calculation.h"

namespace orrerion::gui {
namespace {

struct BodySpan {
    int body;
    int days;
};
// The first span of each body, days. Sidereal periods (Astronomical Almanac): Mercury 88, Venus 225,
// Mars 687, Jupiter 4333, Saturn 10759, Uranus 30689, Neptune 60182, Pluto 90560 days; seen from the
// Earth, Mercury and Venus come round once a year on average. Each span adds the time a retrograde
// loop can hold a return back (up to about four months for Venus and the outer planets).
inline constexpr auto BodySpans = std::to_array<BodySpan>({
    {SUN, 366},
    {MOON, 366},
    {MERCURY, 400},
    {VENUS, 500},
    {MARS, 800},
    {JUPITER, 4500},
    {SATURN, 11000},
    {URANUS, 31000},
    {NEPTUNE, 60400},
    {PLUTO, MaxReturnDays},
});
static_assert(BodySpans.size() == 10);

// "UT-5", "UT+5:30", "UT": the offset from UT of a zone given in hours west.
std::string OffsetText(double zoneHoursWest) {
    const long minutes = std::lround(-zoneHoursWest * 60);
    if (minutes == 0) return "UT";
    char text[48];
    const long size = std::labs(minutes);
    if (size % 60 == 0) {
        std::snprintf(text, sizeof text, "UT%c%ld", minutes < 0 ? '-' : '+', size / 60);
    } else {
        std::snprintf(text, sizeof text, "UT%c%ld:%02ld", minutes < 0 ? '-' : '+', size / 60, size % 60);
    }
    return text;
}

// "22 CAP 50 27": the spaced longitude of the summary with the arc seconds after it.
std::string LongitudeWithSeconds(double longitude) {
    const double seconds = std::round(Norm360(longitude) * 3600);
    const double whole = std::fmod(seconds, 360.0 * 3600);
    const double minutes = std::floor(whole / 60);
    char text[16];
    std::snprintf(text, sizeof text, " %02d", static_cast<int>(whole - minutes * 60));
    // The longitude text rounds to the minute: give it the whole minute, so the seconds follow it.
    return LongitudeSpacedText(minutes / 60 + 1e-9) + text;
}

}  // namespace

std::vector<int> ReturnBodies() {
    std::vector<int> bodies;
    for (const BodySpan& s : BodySpans) bodies.push_back(s.body);
    return bodies;
}

std::string ReturnBodyName(int body) {
    if (body == SUN) return "Sun";
    if (body == MOON) return "Moon";
    constexpr std::string_view Return = " return";
    const std::string name = ReturnName(body);  // "Mercury return", "Mean node return"
    return name.substr(0, name.size() - Return.size());
}

int DefaultReturnDays(int body) {
    for (const BodySpan& s : BodySpans) {
        if (s.body == body) return s.days;
    }
    return 366;
}

QDate DiurnalDateOf(const Calculation& calc) {
    const CalendarDate date = DiurnalCalendarDate(calc.chart);
    return QDate(date.year, date.month, date.day);
}

ReturnSearch ReturnSearchOf(const Calculation& calc, const ReturnsChoice& choice, const QDate& from) {
    ReturnSearch search;
    search.body = choice.body;
    search.fromJD = LocalMidnightJD(CalendarDate{from.day(), from.month(), from.year()}, calc.chart.input.DiurnalZone);
    search.days = choice.days;
    search.precessed = choice.precessed;
    return search;
}

MomentClock DiurnalClock(const Calculation& calc) {
    return MomentClock{calc.chart.input.DiurnalZone, calc.DiurnalZoneName};
}

std::string LocalColumnHeading(const Calculation& calc) {
    if (!calc.DiurnalZoneName.empty()) return "Local time (" + calc.DiurnalZoneName + ")";
    return "Local time (" + OffsetText(calc.chart.input.DiurnalZone) + ")";
}

std::vector<ReturnRow> ReturnRows(const Calculation& calc, const std::vector<ReturnMoment>& moments) {
    std::vector<ReturnRow> rows;
    const MomentClock local = DiurnalClock(calc);
    for (const ReturnMoment& m : moments) {
        rows.push_back({SecondText(m.jd, MomentClock{}, calc.DateOrder), SecondText(m.jd, local, calc.DateOrder),
                        LongitudeWithSeconds(m.longitude), m.retrograde ? "R" : ""});
    }
    return rows;
}

std::string ReturnsNote(const Calculation& calc, const ReturnSearch& search, std::size_t count,
                        std::string_view preciseChoice) {
    std::string note;
    if (count == 0) {
        note = "No return of " + std::string(search.body == SUN || search.body == MOON ? "the " : "") +
               ReturnBodyName(search.body) + " in these days: choose a longer span or another date.";
    } else {
        note = std::to_string(count) + (count == 1 ? " return" : " returns") + " in " +
               std::to_string(static_cast<long>(search.days)) + " days.";
    }
    if (calc.eph.Source == EphemerisSource::Builtin &&
        (!BuiltinSeriesCovers(search.fromJD) || !BuiltinSeriesCovers(search.fromJD + search.days))) {
        note += "\n" + BuiltinYearsNote(preciseChoice);
    }
    return note;
}

ReturnChart ReturnChartOf(const Calculation& calc, const ReturnMoment& moment) {
    return CastReturnChart(calc.chart, calc.eph.Source, calc.options, moment, DiurnalPlace(calc.chart));
}

}  // namespace orrerion::gui
