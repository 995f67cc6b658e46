#include "core/events/sky_events.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <optional>
#include <tuple>

#include "core/base/text_tables.h"
#include "core/ephemeris/crossing_search.h"
#include "core/ephemeris/precise_ephemeris.h"
#include "core/ephemeris/sun_moon.h"
#include "core/ephemeris/time_angles.h"

namespace orrerion {

std::string_view SkyEventKindWord(SkyEventKind kind) { return SkyEventKinds[SkyEventKindIndex(kind)].word; }
std::string_view SkyEventKindLabel(SkyEventKind kind) { return SkyEventKinds[SkyEventKindIndex(kind)].label; }

std::size_t SkyEventKindIndex(SkyEventKind kind) {
    for (std::size_t i = 0; i < SkyEventKinds.size(); ++i) {
        if (SkyEventKinds[i].kind == kind) return i;
    }
    return 0;
}

std::vector<int> SkyEventPointBodies(const PointChoice& points) {
    std::vector<int> bodies;
    for (const SkyPointRow& row : SkyEventPoints) {
        if (points.Has(row.point)) bodies.push_back(ExtraPointBody(row.point));
    }
    return bodies;
}

std::string_view LunarPhaseWord(LunarPhase phase) {
    for (const LunarPhaseRow& row : LunarPhases) {
        if (row.phase == phase) return row.word;
    }
    return {};
}

namespace {

constexpr double Radians = std::numbers::pi / 180;
constexpr double Second = 1.0 / 86400;

// x reduced to -180 < x <= 180.
double Signed180(double x) {
    double r = std::fmod(x, 360.0);
    if (r > 180) r -= 360;
    if (r <= -180) r += 360;
    return r;
}

// Every search samples daily and closes in to a bracket of a second, whose middle is then within
// half a second of the crossing of the source's own positions. The distance from a cusp jumps at
// the far side (180 degrees away), which is no crossing.
constexpr CrossingSearch DailyCrossings{1.0, Second, std::numeric_limits<double>::infinity()};
constexpr CrossingSearch DailyDistanceCrossings{1.0, Second, 90.0};

// Half the interval over which the built-in series' speed is taken, days: the symmetric difference
// over 0.02 day differs from the instantaneous rate by far less than the series' own error.
constexpr double SpeedHalfDays = 0.01;

// The longest a planet stays retrograde (Pluto, about 160 days; Chiron about 150, the asteroids
// about 100) with room to spare: stations are looked for this far either side of the span, so that
// a retrograde period overlapping it is whole.
constexpr double StationMarginDays = 250.0;
// The longest the Moon stays in one sign (about 2.7 days), with room: a void period overlapping the
// span begins after the Moon's ingress this far before it and ends by this far after it.
constexpr double VoidMarginDays = 3.0;

// Longitudes and speeds of SUN..MOON and of the extra points (by ExtraPointBody) from one source,
// the whole days of a grid kept (the searches sample the same days again and again) and any other
// instant computed when asked.
class SkySampler {
public:
    SkySampler(EphemerisSource source, double gridStart, double gridEnd)
        : source_(source), gridStart_(gridStart), rows_(static_cast<std::size_t>(std::ceil(gridEnd - gridStart)) + 1),
          speedRows_(rows_.size()) {
        eph_.Source = source;
    }

    double Longitude(int body, double jd) {
        if (IsExtraPointBody(body)) return PointAt(body, jd).lon;
        if (const std::optional<std::size_t> k = GridIndex(jd)) {
            std::optional<Row>& row = rows_[*k];
            if (!row) row = Longitudes(jd);
            return (*row)[static_cast<std::size_t>(body)];
        }
        if (source_ == EphemerisSource::Precise) return PreciseLongitude(jd, body);
        return Longitudes(jd)[static_cast<std::size_t>(body)];
    }

    // Degrees a day: the library's own rate, or the built-in series' symmetric difference. An extra
    // point's as ExtraPointAt gives it (the built-in series' points, the mean node and Lilith, are
    // never searched for stations).
    double Speed(int body, double jd) {
        if (IsExtraPointBody(body)) return PointAt(body, jd).speed;
        const std::optional<std::size_t> k = GridIndex(jd);
        if (k && speedRows_[*k]) return (*speedRows_[*k])[static_cast<std::size_t>(body)];
        if (!k && source_ == EphemerisSource::Precise) return PreciseLongitudeSpeed(jd, body);
        Row speeds{};
        if (source_ == EphemerisSource::Precise) {
            for (int b = SUN; b <= MOON; ++b) speeds[static_cast<std::size_t>(b)] = PreciseLongitudeSpeed(jd, b);
        } else {
            const Row before = Longitudes(jd - SpeedHalfDays);
            const Row after = Longitudes(jd + SpeedHalfDays);
            for (std::size_t b = SUN; b <= MOON; ++b) speeds[b] = Signed180(after[b] - before[b]) / (2 * SpeedHalfDays);
        }
        if (k) speedRows_[*k] = speeds;
        return speeds[static_cast<std::size_t>(body)];
    }

    // The Moon's latitude from the built-in series, degrees.
    static double BuiltinMoonLatitude(double jd) { return ComputeMoon((jd - JulianDay1900) / DaysPerCentury).latitude; }

private:
    using Row = std::array<double, MOON + 1>;

    std::optional<std::size_t> GridIndex(double jd) const {
        const double k = jd - gridStart_;
        if (k < 0 || k != std::floor(k) || k >= static_cast<double>(rows_.size())) return std::nullopt;
        return static_cast<std::size_t>(k);
    }

    Row Longitudes(double jd) {
        Row row{};
        if (source_ == EphemerisSource::Precise) {
            for (int b = SUN; b <= MOON; ++b) row[static_cast<std::size_t>(b)] = PreciseLongitude(jd, b);
            return row;
        }
        LongitudeOfDate(eph_, SUN, jd);
        for (std::size_t b = SUN; b <= MOON; ++b) row[b] = eph_.WorkLong[b];
        return row;
    }

    // An extra point at `jd`; where the ephemeris gives none, a longitude and speed that are not
    // numbers, which change sign nowhere, so that no event is found there.
    PointPosition PointAt(int body, double jd) {
        const ExtraPoint point = ExtraPointOfBody(body);
        std::vector<std::optional<PointPosition>>& rows = pointRows_[static_cast<std::size_t>(point)];
        const std::optional<std::size_t> k = GridIndex(jd);
        if (k) {
            if (rows.empty()) rows.resize(rows_.size());
            if (rows[*k]) return *rows[*k];
        }
        // The declination, which alone needs the obliquity, is not used here.
        const PointOutcome outcome = ExtraPointAt(source_, point, jd, 0.0);
        PointPosition position = outcome.position;
        if (!outcome.ok) position.lon = position.speed = std::numeric_limits<double>::quiet_NaN();
        if (k) rows[*k] = position;
        return position;
    }

    EphemerisSource source_;
    EphemerisState eph_;
    double gridStart_;
    std::vector<std::optional<Row>> rows_;
    std::vector<std::optional<Row>> speedRows_;
    std::array<std::vector<std::optional<PointPosition>>, ExtraPointCount> pointRows_;  // by ExtraPoint, sized when first used
};

double NatalCuspOfHouse(const CuspArray& cusps, int house) {
    // Cusps are kept tenth house first.
    return cusps[static_cast<std::size_t>(house <= 9 ? house + 3 : house - 9)];
}

std::vector<int> NatalHits(const ChartState& chart, double longitude, double orbDeg) {
    std::vector<int> hits;
    for (int point = SUN; point <= MC; ++point) {
        const double d = std::fabs(Signed180(longitude - chart.NatalLong[static_cast<std::size_t>(point)]));
        if (d <= orbDeg || 180 - d <= orbDeg) hits.push_back(point);
    }
    return hits;
}

struct Station {
    int body = MERCURY;
    double jd = 0.0;
    bool retrograde = false;  // turning retrograde, else direct
};

class EventFinder {
public:
    EventFinder(const ChartState& chart, EphemerisSource source, const SkyEventRequest& request)
        : chart_(chart), source_(source), request_(request), from_(request.fromJD), to_(request.fromJD + request.days),
          at_(source, from_ - StationMarginDays, to_ + StationMarginDays) {
        for (const SkyPointRow& row : SkyEventPoints) {
            // A chart is refused a point its source cannot compute; should one come here all the
            // same, it has no events.
            if (!chart.Points.Has(row.point) || ExtraPointUnavailable(source, row.point)) continue;
            pointBodies_.push_back(ExtraPointBody(row.point));
            if (row.stations) stationingPoints_.push_back(ExtraPointBody(row.point));
        }
    }

    std::vector<SkyEvent> Find() {
        const bool needStations = Wanted(SkyEventKind::Station) || Wanted(SkyEventKind::Retrograde) ||
                                  Wanted(SkyEventKind::Ingress) || Wanted(SkyEventKind::HouseIngress);
        if (needStations) {
            for (int body = MERCURY; body <= PLUTO; ++body) FindStations(body);
            for (const int body : stationingPoints_) FindStations(body);
        }
        if (Wanted(SkyEventKind::Station)) AddStations();
        if (Wanted(SkyEventKind::Retrograde)) AddRetrogradePeriods();
        if (Wanted(SkyEventKind::Ingress) || Wanted(SkyEventKind::Void)) FindSignIngresses();
        if (Wanted(SkyEventKind::HouseIngress)) FindHouseIngresses();
        if (Wanted(SkyEventKind::Lunation) || Wanted(SkyEventKind::Eclipse)) FindLunations();
        if (Wanted(SkyEventKind::Eclipse)) FindEclipses();
        if (Wanted(SkyEventKind::Void)) FindVoids();
        std::sort(events_.begin(), events_.end(), [](const SkyEvent& a, const SkyEvent& b) {
            return std::tuple(a.jd, SkyEventKindIndex(a.kind), a.body) <
                   std::tuple(b.jd, SkyEventKindIndex(b.kind), b.body);
        });
        return std::move(events_);
    }

private:
    bool Wanted(SkyEventKind kind) const { return request_.kinds[SkyEventKindIndex(kind)]; }
    bool InSpan(double jd) const { return jd >= from_ && jd < to_; }

    std::vector<double> StationTimes(int body) const {
        std::vector<double> times;
        for (const Station& s : stations_) {
            if (s.body == body) times.push_back(s.jd);
        }
        return times;
    }

    // A station is a zero of the instantaneous rate of the longitude: rising through zero the
    // planet turns direct, falling it turns retrograde.
    void FindStations(int body) {
        const auto speed = [&](double jd) { return at_.Speed(body, jd); };
        for (const CrossingMoment& m :
             FindCrossings(speed, from_ - StationMarginDays, to_ + StationMarginDays, DailyCrossings)) {
            stations_.push_back({body, m.at, !m.rising});
        }
    }

    void AddStations() {
        for (const Station& s : stations_) {
            if (!InSpan(s.jd)) continue;
            SkyEvent e;
            e.kind = SkyEventKind::Station;
            e.body = s.body;
            e.jd = s.jd;
            e.retrograde = s.retrograde;
            e.longitude = at_.Longitude(s.body, s.jd);
            events_.push_back(e);
        }
    }

    void AddRetrogradePeriods() {
        for (std::size_t i = 0; i + 1 < stations_.size(); ++i) {
            const Station& turn = stations_[i];
            const Station& back = stations_[i + 1];
            if (!turn.retrograde || back.body != turn.body || back.retrograde) continue;
            if (!(turn.jd < to_ && back.jd > from_)) continue;
            SkyEvent e;
            e.kind = SkyEventKind::Retrograde;
            e.body = turn.body;
            e.jd = turn.jd;
            e.endJD = back.jd;
            e.retrograde = true;
            e.longitude = at_.Longitude(turn.body, turn.jd);
            events_.push_back(e);
        }
    }

    // sin(6 x longitude) changes sign at every multiple of 30 degrees and nowhere else; near
    // boundary k its slope has the sign of (-1)^k times the speed, so the direction of the crossing
    // tells whether the body moved forwards or backwards over it.
    void FindSignIngresses() {
        const bool listed = Wanted(SkyEventKind::Ingress);
        std::vector<int> bodies;
        for (int body = SUN; body <= MOON; ++body) bodies.push_back(body);
        bodies.insert(bodies.end(), pointBodies_.begin(), pointBodies_.end());
        for (const int body : bodies) {
            const bool moon = body == MOON;
            if (!listed && !moon) continue;
            const double from = moon ? from_ - VoidMarginDays : from_;
            const double to = moon ? to_ + VoidMarginDays : to_;
            const auto boundary = [&](double jd) { return std::sin(6 * at_.Longitude(body, jd) * Radians); };
            for (const CrossingMoment& m : FindCrossings(boundary, from, to, DailyCrossings, StationTimes(body))) {
                const double longitude = at_.Longitude(body, m.at);
                if (!std::isfinite(longitude)) continue;
                const int k = static_cast<int>(std::lround(longitude / 30)) % 12;
                const bool forward = m.rising == (k % 2 == 0);
                const int signIndex = forward ? k : (k + 11) % 12;
                if (moon) moonIngresses_.push_back(m.at);
                if (!listed || !InSpan(m.at)) continue;
                SkyEvent e;
                e.kind = SkyEventKind::Ingress;
                e.body = body;
                e.jd = m.at;
                e.retrograde = !forward;
                e.sign = signIndex + 1;
                e.longitude = longitude;
                events_.push_back(e);
            }
        }
    }

    // Over a natal cusp forwards the body enters the house the cusp opens; backwards, the house
    // before it.
    void FindHouseIngresses() {
        for (int body = SUN; body <= PLUTO; ++body) {
            const std::vector<double> breaks = StationTimes(body);
            for (int house = 1; house <= 12; ++house) {
                const double cusp = NatalCuspOfHouse(chart_.NatalCusp, house);
                const auto distance = [&](double jd) { return Signed180(at_.Longitude(body, jd) - cusp); };
                for (const CrossingMoment& m : FindCrossings(distance, from_, to_, DailyDistanceCrossings, breaks)) {
                    if (!InSpan(m.at)) continue;
                    SkyEvent e;
                    e.kind = SkyEventKind::HouseIngress;
                    e.body = body;
                    e.jd = m.at;
                    e.retrograde = !m.rising;
                    e.house = m.rising ? house : (house + 10) % 12 + 1;
                    e.longitude = at_.Longitude(body, m.at);
                    events_.push_back(e);
                }
            }
        }
    }

    double Elongation(double jd) { return at_.Longitude(MOON, jd) - at_.Longitude(SUN, jd); }

    // sin(2 x elongation) changes sign at every quarter; the Moon always gains on the Sun.
    void FindLunations() {
        const auto quarter = [&](double jd) { return std::sin(2 * Elongation(jd) * Radians); };
        for (const CrossingMoment& m : FindCrossings(quarter, from_ - 1, to_ + 1, DailyCrossings)) {
            const int q = static_cast<int>(std::lround(Norm360(Elongation(m.at)) / 90)) % 4;
            const LunarPhase phase = LunarPhases[static_cast<std::size_t>(q)].phase;
            lunations_.push_back({m.at, phase});
            if (!Wanted(SkyEventKind::Lunation) || !InSpan(m.at)) continue;
            SkyEvent e;
            e.kind = SkyEventKind::Lunation;
            e.body = MOON;
            e.jd = m.at;
            e.phase = phase;
            e.longitude = at_.Longitude(MOON, m.at);
            e.hits = NatalHits(chart_, e.longitude, request_.orbDeg);
            events_.push_back(e);
        }
    }

    void AddEclipse(const Eclipse& eclipse) {
        if (!InSpan(eclipse.jd)) return;
        SkyEvent e;
        e.kind = SkyEventKind::Eclipse;
        e.body = eclipse.solar ? SUN : MOON;
        e.jd = eclipse.jd;
        e.eclipseType = eclipse.type;
        e.magnitude = eclipse.magnitude;
        e.longitude = at_.Longitude(e.body, eclipse.jd);
        e.hits = NatalHits(chart_, e.longitude, request_.orbDeg);
        events_.push_back(e);
    }

    void FindEclipses() {
        if (source_ == EphemerisSource::Precise) {
            for (const Eclipse& eclipse : PreciseEclipses(from_, to_)) AddEclipse(eclipse);
            return;
        }
        for (const auto& [jd, phase] : lunations_) {
            if (phase != LunarPhase::New && phase != LunarPhase::Full) continue;
            if (const std::optional<Eclipse> eclipse = BuiltinEclipse(jd, phase == LunarPhase::New)) AddEclipse(*eclipse);
        }
    }

    // The separation of the Moon from the Sun (solar) or from the point opposite it (lunar) in
    // degrees; the Sun's latitude is taken as 0, as the built-in series gives it.
    double Separation(double jd, bool solar) {
        const double beta = SkySampler::BuiltinMoonLatitude(jd);
        const double dLong = Signed180(Elongation(jd) - (solar ? 0.0 : 180.0)) * std::cos(beta * Radians);
        return std::hypot(dLong, beta);
    }

    // The eclipse of the built-in series' new or full moon at `jd`, if any. Only a Moon near a node
    // can eclipse: beyond this latitude at the syzygy no eclipse is possible (the limits are about
    // 1.6 degrees for the Sun and the Earth's penumbra).
    std::optional<Eclipse> BuiltinEclipse(double jd, bool solar) {
        const double beta = SkySampler::BuiltinMoonLatitude(jd);
        if (std::fabs(beta) > 1.8) return std::nullopt;
        // Greatest eclipse: the separation's least value, where its rate changes sign. The Moon's
        // motion in latitude moves it from the syzygy by at most about half an hour.
        constexpr double Bracket = 0.25;
        constexpr double RateHalfDays = 1.0 / 1440;
        const auto rate = [&](double t) {
            return Separation(t + RateHalfDays, solar) - Separation(t - RateHalfDays, solar);
        };
        double greatest = jd;
        const double low = jd - Bracket, high = jd + Bracket;
        const double fLow = rate(low), fHigh = rate(high);
        if (fLow < 0 && fHigh > 0) greatest = RefineCrossing(rate, low, fLow, high, fHigh, Second);
        const double t1900 = (greatest - JulianDay1900) / DaysPerCentury;
        const double moonKm = BuiltinMoonDistanceKm(t1900);
        const double sunKm = BuiltinSunDistanceKm(t1900);
        const double separation = Separation(greatest, solar);
        std::optional<Eclipse> eclipse = solar ? ClassifySolarEclipse(separation, moonKm, sunKm)
                                               : ClassifyLunarEclipse(separation, moonKm, sunKm);
        if (eclipse) eclipse->jd = greatest;
        return eclipse;
    }

    // The Moon's major aspects to the Sun and the planets: sin(3 x distance) changes sign at every
    // multiple of 60 degrees (conjunction, sextiles, trines, opposition), sin(2 x distance) at every
    // multiple of 90 (squares, and again conjunction and opposition).
    void FindVoids() {
        std::vector<double> aspects;
        const double from = from_ - VoidMarginDays, to = to_ + VoidMarginDays;
        for (int body = SUN; body <= PLUTO; ++body) {
            for (const double multiple : {3.0, 2.0}) {
                const auto aspect = [&](double jd) {
                    return std::sin(multiple * (at_.Longitude(MOON, jd) - at_.Longitude(body, jd)) * Radians);
                };
                for (const CrossingMoment& m : FindCrossings(aspect, from, to, DailyCrossings)) aspects.push_back(m.at);
            }
        }
        std::sort(aspects.begin(), aspects.end());
        for (std::size_t i = 0; i + 1 < moonIngresses_.size(); ++i) {
            const double enters = moonIngresses_[i], leaves = moonIngresses_[i + 1];
            if (!(enters < to_ && leaves > from_)) continue;
            // The last aspect made in the sign; with none, the Moon is void from its ingress.
            const auto after = std::lower_bound(aspects.begin(), aspects.end(), leaves);
            double start = enters;
            if (after != aspects.begin() && *(after - 1) >= enters) start = *(after - 1);
            if (!(start < to_)) continue;
            SkyEvent e;
            e.kind = SkyEventKind::Void;
            e.body = MOON;
            e.jd = start;
            e.endJD = leaves;
            e.longitude = at_.Longitude(MOON, start);
            events_.push_back(e);
        }
    }

    const ChartState& chart_;
    EphemerisSource source_;
    const SkyEventRequest& request_;
    double from_, to_;
    SkySampler at_;
    std::vector<int> pointBodies_;       // the chosen extra points with events, by ExtraPointBody
    std::vector<int> stationingPoints_;  // those of them that station
    std::vector<Station> stations_;  // by body, then time
    std::vector<double> moonIngresses_;
    std::vector<std::pair<double, LunarPhase>> lunations_;
    std::vector<SkyEvent> events_;
};

}  // namespace

std::vector<SkyEvent> FindSkyEvents(const ChartState& chart, EphemerisSource source, const SkyEventRequest& request) {
    if (!(request.days > 0)) return {};
    return EventFinder(chart, source, request).Find();
}

namespace {

// "MERCURY", "MC", "MEAN NODE": the point's name as the reports spell it, without padding.
std::string PointWordOf(int body) {
    if (IsExtraPointBody(body)) return ExtraPointLabel(ExtraPointOfBody(body));
    if (body < 1 || body >= static_cast<int>(PlanetName.size())) return "";
    std::string name(PlanetName[static_cast<std::size_t>(body)]);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

// "12 Leo 34": a longitude as degree, sign and minute.
std::string DegreeText(double longitude) {
    const double l = Norm360(longitude);
    const int sign = static_cast<int>(l / 30);
    const double inSign = l - 30 * sign;
    int degree = static_cast<int>(inSign);
    int minute = static_cast<int>(std::lround((inSign - degree) * 60));
    if (minute == 60) {
        minute = 0;
        ++degree;
    }
    char text[40];
    std::snprintf(text, sizeof text, "%d %s %02d", degree, std::string(SignNames[static_cast<std::size_t>(sign % 12)]).c_str(),
                  minute);
    return text;
}

}  // namespace

std::string EventSummary(const SkyEvent& e) {
    const std::string body = PointWordOf(e.body);
    std::string text;
    switch (e.kind) {
    case SkyEventKind::Station:
        text = body + " stations " + (e.retrograde ? "retrograde" : "direct") + " at " + DegreeText(e.longitude);
        break;
    case SkyEventKind::Retrograde: text = body + " retrograde"; break;
    case SkyEventKind::Ingress:
        text = body + " enters " + std::string(e.sign >= 1 && e.sign <= 12 ? SignNames[static_cast<std::size_t>(e.sign - 1)] : "") +
               (e.retrograde ? " (retrograde)" : "");
        break;
    case SkyEventKind::HouseIngress:
        text = body + " enters natal house " + std::to_string(e.house) + (e.retrograde ? " (retrograde)" : "");
        break;
    case SkyEventKind::Lunation:
        text = std::string(LunarPhaseWord(e.phase)) + " moon at " + DegreeText(e.longitude);
        break;
    case SkyEventKind::Eclipse:
        text = std::string(EclipseTypeWord(e.eclipseType)) + (e.body == SUN ? " solar" : " lunar") + " eclipse at " +
               DegreeText(e.longitude);
        break;
    case SkyEventKind::Void: text = "MOON void of course"; break;
    }
    if ((e.kind == SkyEventKind::Lunation || e.kind == SkyEventKind::Eclipse) && !e.hits.empty()) {
        text += " on natal";
        for (const int point : e.hits) text += " " + PointWordOf(point);
    }
    return text;
}

}  // namespace orrerion
