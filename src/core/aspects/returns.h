#pragma once
// Returns: the moments at which a body comes back to its natal longitude over a span of days, and
// the return chart cast for each at a chosen place, with its aspects to the natal chart (tested
// with the scan's aspect table and orbs, which is why returns live on this floor).
//
// The moments come from the shared crossing search (core/ephemeris/crossing_search.h): the event
// is the body's distance from its natal longitude, sampled daily. A planet's retrograde loop can
// bring it over its natal longitude three times, twice of them close to a station; so the body's
// stations are found first (the same search, on its speed) and the distance is also sampled at
// each, which puts the passes on either side of a station into different samples. Each moment is
// known to a tenth of a second of the crossing of the source's own positions.
#include <optional>
#include <string>
#include <vector>

#include "core/base/formatters.h"
#include "core/base/options.h"
#include "core/chart/chart_state.h"
#include "core/ephemeris/ephemeris.h"

namespace orrerion {

// SUN..MOON: the bodies that have returns (not ASC and MC).
bool HasReturns(int body);

// The general precession in longitude from `fromJD` to `toJD` (UT Julian dates), degrees.
double PrecessionInLongitude(double fromJD, double toJD);

// The longest span a search is asked for, in days: two hundred years.
inline constexpr int MaxReturnDays = 73050;

struct ReturnSearch {
    int body = SUN;
    double fromJD = 0.0;  // UT Julian date the span starts at
    double days = 0.0;    // the span's length
    // The natal longitude moved on by the precession since birth (a return to the same place among
    // the stars rather than to the same tropical longitude).
    bool precessed = false;
};

struct ReturnMoment {
    int body = SUN;
    double jd = 0.0;               // UT Julian date, no delta T, within a tenth of a second
    double longitude = 0.0;        // the body's longitude at the moment, degrees 0..360
    double targetLongitude = 0.0;  // the natal longitude returned to (precessed when asked)
    bool retrograde = false;       // the body crosses the natal longitude moving backwards
};

// Every return of `search.body` to the natal longitude of `chart` (from the source's own positions
// at the natal moment) in the span, in time order. Each pass of a retrograde loop is a return.
std::vector<ReturnMoment> FindReturns(const ChartState& chart, EphemerisSource source, const ReturnSearch& search);

// Where a return chart is cast: latitude north positive, longitude west positive, degrees.
struct ReturnPlace {
    double latitudeDeg = 0.0;
    double westLongitudeDeg = 0.0;
};
// The diurnal place of the chart, as the transit houses use it.
ReturnPlace DiurnalPlace(const ChartState& chart);

// One aspect of a return chart's point to a natal point within the options' orbs.
struct ReturnAspect {
    int returnBody = SUN;  // BodyIndex, SUN..MC of the return chart
    int natalBody = SUN;   // BodyIndex, SUN..MC of the natal chart
    int AspectCode = 2;
    double orb = 0.0;      // signed distance from exact, degrees
};

struct ReturnChart {
    ReturnMoment moment;
    ReturnPlace place;
    std::string HouseSystemCode;
    PointArray Long{};  // SUN..MOON at the moment, ASC and MC at the place
    PointArray Decl{};
    std::string RetroMarks = std::string(BodyCount, ' ');
    CuspArray Cusp{};   // slots 1..12, tenth house first as every chart keeps them
    double ObliquityDeg = 0.0;
    std::vector<ReturnAspect> aspects;  // by return point, then natal point
};

// The return chart of `moment` at `place`: positions from `source`, cusps by the chart's house
// system, and the aspects of every return point to the natal points the options test as targets.
// The caller checks the place's latitude against the house system's limit (the limit of its HouseSystems row).
ReturnChart CastReturnChart(const ChartState& chart, EphemerisSource source, const Options& options,
                            const ReturnMoment& moment, const ReturnPlace& place);

// FindReturns, then CastReturnChart for each moment at `place`.
std::vector<ReturnChart> ReturnCharts(const ChartState& chart, EphemerisSource source, const Options& options,
                                      const ReturnSearch& search, const ReturnPlace& place);

// The UT Julian date of 0h of a civil date in a zone (hours west of Greenwich, east negative).
double LocalMidnightJD(const CalendarDate& date, double zoneHoursWest);

// The cusp of house 1..12 in a cusp array kept tenth house first.
double CuspOfHouse(const CuspArray& cusps, int house);

}  // namespace orrerion
