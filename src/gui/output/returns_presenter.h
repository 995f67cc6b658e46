#pragma once
// The Returns window's rules that need no pixels: the bodies it offers and the span each starts
// with, the search its controls ask for (from 0h of a date on the diurnal place's clock), the rows
// of the listing, and the return chart a row stands for.
#include <QDate>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/aspects/returns.h"
#include "core/exports/exact_moments.h"
#include "core/run/calculation.h"

namespace orrerion::gui {

// The bodies of the window's list, in its order: the Sun, the Moon, then Mercury to Pluto.
std::vector<int> ReturnBodies();
// "Sun", "Moon", "Mercury", ...; an extra point's name as "Mean node" (by ExtraPointBody).
std::string ReturnBodyName(int body);
// The span a body's listing starts with, long enough to hold one of its returns at least: a year
// for the Sun (and the Moon's thirteen, and the inner planets'), the body's sidereal period and a
// margin for a retrograde loop beyond; Pluto's is longer than any span, so it gets the longest.
int DefaultReturnDays(int body);

// The window's choice, kept between its openings (the date is taken afresh from each chart).
struct ReturnsChoice {
    int body = SUN;
    int days = 366;
    bool precessed = false;
};

// The search the controls ask for: from 0h of `from` in the diurnal zone as typed, as the command
// line's --from.
ReturnSearch ReturnSearchOf(const Calculation& calc, const ReturnsChoice& choice, const QDate& from);
// The diurnal date of the calculation's chart, where a listing starts.
QDate DiurnalDateOf(const Calculation& calc);

// The diurnal place's clock: its IANA zone when the calculation knows it, else the zone as typed.
MomentClock DiurnalClock(const Calculation& calc);
// The local column's heading: "Local time (America/New_York)" or "Local time (zone 5.0 W)".
std::string LocalColumnHeading(const Calculation& calc);

// One row of the listing.
struct ReturnRow {
    std::string universal;  // "01/13/2027 05:57:12", UT
    std::string local;      // the same moment on the diurnal place's clock
    std::string longitude;  // "22 CAP 50 27": the body's longitude with arc seconds
    std::string retrograde; // "R" for a pass made moving backwards, else empty
};
std::vector<ReturnRow> ReturnRows(const Calculation& calc, const std::vector<ReturnMoment>& moments);

// The note under the listing: how many returns the span holds, and, with the built-in series, that
// the span reaches outside its years (and where precise positions are chosen: `preciseChoice`).
std::string ReturnsNote(const Calculation& calc, const ReturnSearch& search, std::size_t count,
                        std::string_view preciseChoice);

// The return chart of a listed moment, cast at the diurnal place with the calculation's source,
// options and house system.
ReturnChart ReturnChartOf(const Calculation& calc, const ReturnMoment& moment);

}  // namespace orrerion::gui
