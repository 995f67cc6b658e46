#include "core/aspects/returns.h"

#include <array>
#include <cmath>

#include "core/aspects/aspect_scan.h"
#include "core/chart/chart_time.h"
#include "core/chart/houses.h"
#include "core/ephemeris/crossing_search.h"
#include "core/ephemeris/time_angles.h"

namespace orrerion {
namespace {

// The general precession in longitude p_A as a polynomial in T, Julian centuries of TT from
// J2000 (here of UT: the difference is below a thousandth of an arcsecond). Coefficients in
// arcseconds, from T^1 up: IAU 2006 precession (Capitaine, Wallace and Chapront 2003, A&A 412,
// 567, eq. 39). The terms in T^4 and T^5 stay below 0.001" within three centuries of J2000.
inline constexpr auto PrecessionTerms = std::to_array<double>({5028.796195, 1.1054348, 0.00007964});
static_assert(PrecessionTerms.size() == 3);

double GeneralPrecessionArcsec(double jd) {
    const double t = (jd - JulianDay2000) / DaysPerCentury;
    double sum = 0.0;
    double power = 1.0;
    for (const double term : PrecessionTerms) {
        power *= t;
        sum += term * power;
    }
    return sum;
}

// x reduced to -180 < x <= 180.
double Signed180(double x) {
    double r = std::fmod(x, 360.0);
    if (r > 180) r -= 360;
    if (r <= -180) r += 360;
    return r;
}

// The body is sampled daily: the Moon, the fastest, moves at most about 15 degrees a day, far
// below the 90 degrees that tell a crossing from the jump at the far side. A return is given once
// it is bracketed within a tenth of a second.
constexpr double Second = 1.0 / 86400;
constexpr CrossingSearch ReturnCrossings{1.0, 0.1 * Second, 90.0};

// A station is wanted only to split the samples between the passes on either side of it, which lie
// further apart than that for any natal longitude short of the station's own to a few
// microarcseconds.
constexpr CrossingSearch StationCrossings{1.0, 0.1 * Second, 90.0};
// Half the interval over which a speed is taken, days.
constexpr double SpeedHalfDays = 0.01;

// The stations of `body` (moments at which its motion in longitude turns) from `from` to `to`.
std::vector<double> Stations(EphemerisState& eph, int body, double from, double to) {
    const auto speed = [&](double jd) {
        return Signed180(LongitudeOfDate(eph, body, jd + SpeedHalfDays) - LongitudeOfDate(eph, body, jd - SpeedHalfDays));
    };
    std::vector<double> stations;
    for (const CrossingMoment& m : FindCrossings(speed, from, to, StationCrossings)) stations.push_back(m.at);
    return stations;
}

}  // namespace

bool HasReturns(int body) { return body >= SUN && body <= MOON; }

double PrecessionInLongitude(double fromJD, double toJD) {
    return (GeneralPrecessionArcsec(toJD) - GeneralPrecessionArcsec(fromJD)) / 3600;
}

std::vector<ReturnMoment> FindReturns(const ChartState& chart, EphemerisSource source, const ReturnSearch& search) {
    std::vector<ReturnMoment> returns;
    if (!HasReturns(search.body) || !(search.days > 0)) return returns;
    EphemerisState eph;
    eph.Source = source;
    const int body = search.body;
    const double natalLong = LongitudeOfDate(eph, body, chart.NatalJD);
    const auto target = [&](double jd) {
        return search.precessed ? Norm360(natalLong + PrecessionInLongitude(chart.NatalJD, jd)) : natalLong;
    };
    const auto distance = [&](double jd) { return Signed180(LongitudeOfDate(eph, body, jd) - target(jd)); };

    const double from = search.fromJD, to = search.fromJD + search.days;
    // The Sun and the Moon never turn; a planet's stations a little beyond the span are of no use,
    // those inside it split the samples.
    const std::vector<double> stations = body == SUN || body == MOON ? std::vector<double>{}
                                                                       : Stations(eph, body, from, to);
    for (const CrossingMoment& m : FindCrossings(distance, from, to, ReturnCrossings, stations)) {
        ReturnMoment r;
        r.body = body;
        r.jd = m.at;
        r.longitude = LongitudeOfDate(eph, body, m.at);
        r.targetLongitude = target(m.at);
        r.retrograde = !m.rising;
        returns.push_back(r);
    }
    return returns;
}

ReturnPlace DiurnalPlace(const ChartState& chart) {
    const ParsedInput& in = chart.input;
    ReturnPlace place;
    place.westLongitudeDeg = DecimalFromSignedDMM(in.DiurnalLongitude);
    place.latitudeDeg = HoursFromHMM(std::fabs(in.DiurnalLatitude));
    if (in.DiurnalLatitudeWord == "SOUTH") place.latitudeDeg = -place.latitudeDeg;
    return place;
}

ReturnChart CastReturnChart(const ChartState& chart, EphemerisSource source, const Options& options,
                            const ReturnMoment& moment, const ReturnPlace& place) {
    ReturnChart r;
    r.moment = moment;
    r.place = place;
    r.HouseSystemCode = chart.HouseSystemCode;

    // Every body at the moment, as the chart driver computes a chart.
    EphemerisState e;
    e.Source = source;
    e.DayNumber = std::floor(moment.jd + 0.5);
    e.DayFraction = moment.jd + 0.5 - e.DayNumber;
    e.EphT = (e.DayNumber - JulianDay1900 + e.DayFraction - 0.5) / DaysPerCentury;
    e.NegObliquityRad = NegObliquityRadians(e.EphT);
    EphemerisAllBodies(e);
    for (std::size_t i = SUN; i <= MOON; ++i) {
        r.Long[i] = e.WorkLong[i];
        r.Decl[i] = e.WorkDecl[i];
    }
    r.RetroMarks = e.RetroMarks;

    const HouseAngles angles = HouseAnglesAt(moment.jd, place.latitudeDeg, place.westLongitudeDeg, source);
    r.ObliquityDeg = angles.ObliquityDeg;
    r.Long[ASC] = angles.ASC;
    r.Long[MC] = angles.MC;
    for (std::size_t i = ASC; i <= MC; ++i) r.Decl[i] = EclipticPointDeclination(r.Long[i], angles.ObliquityDeg);
    ComputeCusps(angles, r.HouseSystemCode, r.Cusp);

    const AspectBounds bounds = MakeAspectBounds(options);
    for (int from = SUN; from <= MC; ++from) {
        for (int to = SUN; to <= MC; ++to) {
            if (!NatalTargetUsed(to, options)) continue;
            const AspectResult a = TestAspect(bounds, r.Long[static_cast<std::size_t>(from)],
                                              chart.NatalLong[static_cast<std::size_t>(to)]);
            if (a.AspectCode == NoAspect) continue;
            r.aspects.push_back({from, to, a.AspectCode, a.distance});
        }
    }
    return r;
}

std::vector<ReturnChart> ReturnCharts(const ChartState& chart, EphemerisSource source, const Options& options,
                                      const ReturnSearch& search, const ReturnPlace& place) {
    std::vector<ReturnChart> charts;
    for (const ReturnMoment& m : FindReturns(chart, source, search)) {
        charts.push_back(CastReturnChart(chart, source, options, m, place));
    }
    return charts;
}

double LocalMidnightJD(const CalendarDate& date, double zoneHoursWest) {
    return CivilDayNumber(date.day, date.month, date.year) - 0.5 + zoneHoursWest / 24;
}

double CuspOfHouse(const CuspArray& cusps, int house) {
    return cusps[static_cast<std::size_t>(house <= 9 ? house + 3 : house - 9)];
}

}  // namespace orrerion
