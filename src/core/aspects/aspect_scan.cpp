#include "core/aspects/aspect_scan.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "core/aspects/report_files.h"
#include "core/aspects/report_sorting.h"
#include "core/base/text_tables.h"
#include "core/chart/chart_time.h"
#include "core/chart/progressed_angles.h"
#include "core/ephemeris/time_angles.h"
#include "core/io/number_text.h"

namespace orrerion {

double RoundedDayCount(std::string_view answer) {
    const double x = LeadingNumber(answer);
    const double whole = std::floor(x);
    const double fraction = x - whole;  // exact for every double
    if (fraction < 0.5) return whole;
    if (fraction > 0.5) return whole + 1;
    return std::fmod(whole, 2.0) == 0 ? whole : whole + 1;
}

// ---- The aspect table -------------------------------------------------------------------------

AspectBounds MakeAspectBounds(const Options& options) {
    const bool minorSearched = options[Option::MinorAspectsLeftOut] == 0.0f;
    AspectBounds bounds;
    for (std::size_t i = 0; i < AspectTestOrder.size(); ++i) {
        const AspectRow& row = AspectTestOrder[i];
        const float orb = options[row.orbOption];
        AspectBounds::Row& b = bounds.rows[i];
        b.AspectCode = row.AspectCode;
        b.angle = row.angle;
        b.low = row.angle - orb;
        b.high = row.angle + orb;
        b.searched = !row.minor || minorSearched;
    }
    // The conjunction is tested only against its orb (d <= orb), the opposition only from below
    // (d >= 180 - orb).
    constexpr float Infinity = std::numeric_limits<float>::infinity();
    bounds.rows.front().low = -Infinity;
    bounds.rows.back().high = Infinity;

    // Where the set of matching rows can change: at a low bound, and just after a high bound.
    std::vector<float> starts = {-Infinity};
    for (const AspectBounds::Row& row : bounds.rows) {
        // A bound that is not a number holds nothing.
        if (!row.searched || std::isnan(row.low) || std::isnan(row.high)) continue;
        starts.push_back(row.low);
        starts.push_back(std::nextafter(row.high, Infinity));
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    bounds.starts.fill(Infinity);
    bounds.winner.fill(-1);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        bounds.starts[i] = starts[i];
        // Every separation from this start to the next matches the rows this one matches.
        for (std::size_t r = 0; r < bounds.rows.size(); ++r) {
            const AspectBounds::Row& row = bounds.rows[r];
            if (row.searched && starts[i] >= row.low && starts[i] <= row.high) {
                bounds.winner[i] = static_cast<std::int8_t>(r);
            }
        }
    }
    for (std::size_t i = starts.size(); i < AspectBounds::Slots; ++i) {
        bounds.winner[i] = bounds.winner[starts.size() - 1];
    }
    return bounds;
}

std::string_view AspectName(int AspectCode) {
    return TableEntry(AspectNameText, AspectCode, 12).substr(0, 11);
}

std::string_view PointName(int body) {
    if (IsExtraPointBody(body)) return RowOf(ExtraPointOfBody(body)).reportName;
    return TableEntry(PlanetNameText, body, 10).substr(0, 7);
}

// ---- Families and filters ---------------------------------------------------------------------

int MoverCount(AspectFamily family) {
    const PointSet movers = FamilyOf(family).movers;
    return movers == PointSet::Transit ? PLUTO : BodyCount;
}

bool ProgressedPointKept(int body, float progressedPointSet) {
    const bool angle = body == ASC || body == MC;
    const bool personal = body == SUN || body == MERCURY || body == VENUS || body == MARS ||
                          body == MOON;
    if (progressedPointSet == 1.0f) return !angle;
    if (progressedPointSet == 2.0f) return personal || body == JUPITER || body == SATURN;
    if (progressedPointSet == 3.0f) return personal;
    if (progressedPointSet == 4.0f) return body != URANUS && body != NEPTUNE && body != PLUTO;
    if (progressedPointSet == 5.0f) return personal || angle;
    return true;
}

bool TransitMoverUsed(int body, const Options& options) {
    switch (body) {
        case SUN: return options[Option::TransitSunUsed] != 0.0f;
        case MERCURY: return options[Option::TransitMercuryUsed] != 0.0f;
        case VENUS: return options[Option::TransitVenusUsed] != 0.0f;
        case MARS: return options[Option::TransitMarsUsed] != 0.0f;
        default: return true;
    }
}

bool NatalTargetUsed(int body, const Options& options) {
    if (body == ASC || body == MC) return options[Option::NatalAnglesLeftOut] != 1.0f;
    return true;
}

bool MoverUsed(AspectFamily family, int mover, const Options& options) {
    switch (family) {
        case AspectFamily::TransitToNatal:
        case AspectFamily::TransitToProgressed:
            return TransitMoverUsed(mover, options);
        case AspectFamily::SolarArcToNatal:
            return true;
        case AspectFamily::ProgressedToNatal:
        case AspectFamily::ProgressedToProgressed:
            return ProgressedPointKept(mover, options[Option::ProgressedPointSet]);
    }
    return true;
}

bool TargetUsed(AspectFamily family, int mover, int target, const Options& options) {
    switch (family) {
        case AspectFamily::TransitToNatal:
        case AspectFamily::ProgressedToNatal:
            return NatalTargetUsed(target, options);
        case AspectFamily::SolarArcToNatal:
            return true;
        case AspectFamily::ProgressedToProgressed:
            return target != mover && ProgressedPointKept(target, options[Option::ProgressedPointSet]);
        case AspectFamily::TransitToProgressed:
            return ProgressedPointKept(target, options[Option::ProgressedPointSet]);
    }
    return true;
}

bool ExtraMoverUsed(AspectFamily family, int mover, const PointChoice& points) {
    if (!IsExtraPointBody(mover)) return false;
    const ExtraPoint p = ExtraPointOfBody(mover);
    if (!points.Has(p)) return false;
    return FamilyOf(family).movers != PointSet::Transit || RowOf(p).transitMover;
}

bool ExtraTargetUsed(AspectFamily family, int mover, int target, const PointChoice& points) {
    if (!IsExtraPointBody(target) || !points.Has(ExtraPointOfBody(target))) return false;
    // A point makes no aspect to itself, nor a node to its own opposite point.
    if (family == AspectFamily::ProgressedToProgressed && IsExtraPointBody(mover)) {
        const ExtraPoint m = ExtraPointOfBody(mover), t = ExtraPointOfBody(target);
        return m != t && RowOf(m).choseWith != RowOf(t).choseWith;
    }
    return true;
}

// ---- The scanned days -------------------------------------------------------------------------

PlacedPoint PlacePoint(int body, double longitude, char house0, char house1) {
    PlacedPoint p;
    p.longitude = longitude;
    const SplitResult split = SplitLongitude(longitude);
    p.place = MakePlaceCode(split, house0, house1);
    // "JUPITER 15ari23 (10) "
    FixedLine<PlacedPoint::ListedSize> line;
    line.Put(PointName(body));
    line.Put(' ');
    PutLongitudeCompact(line.Field<LongitudeCompactSize>(), split);
    line.Put(" (");
    line.Put(house0);
    line.Put(house1);
    line.Put(") ");
    std::memcpy(p.listed.data(), line.View().data(), PlacedPoint::ListedSize);
    return p;
}

void SetScannedDate(ScannedDay& day, const CalendarDate& date) {
    day.date = date;
    FixedLine<std::tuple_size_v<decltype(day.listedDate)>> line;
    line.Shrink(DateDdMmmYyyyMaxSize - PutDateDdMmmYyyy(line.Field<DateDdMmmYyyyMaxSize>(), date));
    line.Put(":\r\n");
    std::memcpy(day.listedDate.data(), line.View().data(), line.size());
    day.listedDateSize = static_cast<std::uint8_t>(line.size());
}

namespace {

// The house of a longitude among the natal cusps, with the placement line's test (a hair past the
// point; the last house that holds it wins), 0 for none.
int NatalHouseOf(const std::array<ScanDayContext::HouseSpan, 13>& houses, double longitude) {
    const double lambda = longitude + 1.0 / 36000;
    int slot = 0;
    for (int h = 1; h <= 12; ++h) {
        const ScanDayContext::HouseSpan& span = houses[static_cast<std::size_t>(h)];
        const bool inside = span.wraps ? (lambda >= span.low || lambda < span.high)
                                       : (lambda >= span.low && lambda < span.high);
        if (inside) slot = h;
    }
    return slot;
}

std::array<ScanDayContext::HouseSpan, 13> NatalHouseSpans(const ChartState& chart) {
    std::array<ScanDayContext::HouseSpan, 13> houses{};
    for (std::size_t h = 1; h <= 12; ++h) {
        ScanDayContext::HouseSpan& span = houses[h];
        span.low = chart.NatalCusp[h];
        span.high = chart.NatalCusp[h == 12 ? 1 : h + 1];
        span.wraps = span.high < span.low;
    }
    return houses;
}

// An extra point placed with the natal house it falls in ("  " for none).
PlacedPoint PlaceExtraPoint(const std::array<ScanDayContext::HouseSpan, 13>& houses, int body, double longitude,
                            bool listed) {
    const int slot = NatalHouseOf(houses, longitude);
    const char* field = slot != 0 ? HouseOrdinalText(slot).data() : "  ";
    if (listed) return PlacePoint(body, longitude, field[0], field[1]);
    PlacedPoint p;
    p.longitude = longitude;
    p.place = MakePlaceCode(SplitLongitude(longitude), field[0], field[1]);
    return p;
}

// The extra points the ephemeris gives (all but Fortune) at a UT moment; a south node is its north
// node's opposite point. A point the source cannot give ends the scan with the reason.
double EphemerisPointLongitude(EphemerisSource source, ExtraPoint p, double jdUT) {
    const ExtraPointRow& row = RowOf(p);
    if (row.routine == PointRoutine::OppositeNode) {
        return Norm360(EphemerisPointLongitude(source, row.choseWith, jdUT) + 180);
    }
    // The obliquity serves the declination alone, which the scan does not read.
    const PointOutcome outcome = ExtraPointAt(source, p, jdUT, 0.0);
    if (!outcome.ok) throw ScanPointError("The chosen points cannot be calculated: " + outcome.reason);
    return outcome.position.lon;
}

// The Lot of Fortune of a set of points: the day formula with the Sun above the horizon (the
// half of the zodiac from the descendant on to the ascendant) or when always asked for.
double FortuneLongitude(double sun, double moon, double asc, bool dayFormulaAlways) {
    const bool day = dayFormulaAlways || Norm360(sun - asc) >= 180;
    return Norm360(asc + (day ? moon - sun : sun - moon));
}

// The progressed moment of a scan day, a UT Julian date: 1/365.25 day of progressed time a day.
double ProgressedJD(const ChartState& chart, double day) { return chart.ProgJD + day / 365.25; }

}  // namespace

NatalPlaces NatalTargets(const ChartState& chart) {
    NatalPlaces natal{};
    const std::string& line = chart.NatalHouseLine;
    auto at = [&](std::size_t i) { return i < line.size() ? line[i] : ' '; };
    for (int p = SUN; p <= MC; ++p) {
        const auto field = static_cast<std::size_t>(10 * (p - 1));
        natal[static_cast<std::size_t>(p - 1)] =
            PlacePoint(p, chart.NatalLong[static_cast<std::size_t>(p)], at(field), at(field + 1));
    }
    const auto houses = NatalHouseSpans(chart);
    for (const ExtraPointRow& row : ExtraPoints) {
        if (!chart.Points.Has(row.point)) continue;
        const int body = ExtraPointBody(row.point);
        natal[static_cast<std::size_t>(body - 1)] =
            PlaceExtraPoint(houses, body, chart.NatalPoints[static_cast<std::size_t>(row.point)].lon, true);
    }
    return natal;
}

ScanDayContext::ScanDayContext(const ChartState& chart_, const EphemerisState& eph_,
                               const Options& options)
    : chart(chart_), eph(eph_) {
    const std::string& line = chart.HouseLine;
    for (int p = SUN; p <= MC; ++p) {
        const auto field = static_cast<std::size_t>(10 * (p - 1));
        for (std::size_t i = 0; i < 2; ++i) {
            startField[static_cast<std::size_t>(p)][i] = field + i < line.size() ? line[field + i] : ' ';
        }
    }
    anglesFromSiderealTime = options[Option::ProgressedAnglesFromSiderealTime] != 0.0f;
    westLongitudeDeg = DecimalFromSignedDMM(chart.input.DiurnalLongitude);
    latitudeDeg = DecimalFromSignedDMM(chart.input.DiurnalLatitude);
    // Every house placement of the scan is among the natal houses.
    houses = NatalHouseSpans(chart);
    for (const ExtraPointRow& row : ExtraPoints) {
        if (chart.Points.Has(row.point)) extras.push_back(row.point);
    }
    fortuneDayFormulaAlways = chart.Points.fortuneDayFormulaAlways;
}

void StartScanAt(ScanDayContext& context, int day) {
    if (day == 0) return;  // the chart driver's obliquity stands
    const double t = context.chart.ProgT + (day - 1) / 36525.0 / 365.25;
    const double obliquityRad = ObliquityOfDate(context.eph.Source, t) * PiValue / 180;
    context.eph.NegObliquityRad = -obliquityRad;
}

namespace {

// The house test of the placement line (HousePlacement) for WorkLong 1..12: a hair past the
// point, so that a point exactly on a cusp falls in the house it opens; the last house that holds
// the point wins.
void PlaceInHouses(ScanDayContext& context) {
    const PointArray& work = context.eph.WorkLong;
    for (int p = 1; p <= 12; ++p) {
        const int slot = NatalHouseOf(context.houses, work[static_cast<std::size_t>(p)]);
        if (slot != 0) {
            context.houseSlot[static_cast<std::size_t>(p)] = slot;
        } else {
            context.houseMissed = true;
        }
    }
}

// Points 1..count of WorkLong into their slots of `set`.
void PlaceSet(const ScanDayContext& context, std::array<PlacedPoint, PointSlotCount>& set, std::size_t count) {
    const PointArray& work = context.eph.WorkLong;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t p = i + 1;
        const int slot = context.houseSlot[p];
        const char* field = slot != 0 ? HouseOrdinalText(slot).data() : context.startField[p].data();
        if (context.listed) {
            set[i] = PlacePoint(static_cast<int>(p), work[p], field[0], field[1]);
        } else {
            set[i].longitude = work[p];
            set[i].place = MakePlaceCode(SplitLongitude(work[p]), field[0], field[1]);
        }
    }
}

}  // namespace

namespace {

// The progressed instant of day `day` (fractional days allowed): the ephemeris time values and
// obliquity. Every scanned day moves the progressed instant on by 1/365.25 day, whatever
// progression gave its start. Returns the obliquity in radians.
double SetProgressedInstant(ScanDayContext& context, double day) {
    const ChartState& chart = context.chart;
    EphemerisState& eph = context.eph;
    eph.EphT = eph.ScanT = chart.ProgT + day / 36525.0 / 365.25;
    eph.EphT2000 = chart.ProgT2000 + day / 36525.0 / 365.25;
    eph.DayNumber = chart.ProgDayNumber + day;
    const double obliquityDeg = ObliquityOfDate(eph.Source, eph.EphT);
    const double obliquityRad = obliquityDeg * PiValue / 180;
    eph.NegObliquityRad = -obliquityRad;
    return obliquityRad;
}

// The progressed MC and ASC at the diurnal place, from the instant SetProgressedInstant set and the
// progressed Sun.
ProgressedAngles ProgressedAnglesAt(const ScanDayContext& context, double obliquityRad, double progressedSun) {
    const ChartState& chart = context.chart;
    const EphemerisState& eph = context.eph;
    ProgressedAngleInput angleInput;
    angleInput.source = eph.Source;
    angleInput.fromSiderealTime = context.anglesFromSiderealTime;
    angleInput.t = eph.ScanT;
    angleInput.dayFraction = eph.DayFraction;
    angleInput.obliquityRad = obliquityRad;
    angleInput.westLongitudeDeg = context.westLongitudeDeg;
    angleInput.latitudeDeg = context.latitudeDeg;
    angleInput.sun = progressedSun;
    angleInput.natalSun = chart.NatalLong[SUN];
    angleInput.natalMC = chart.NatalLong[MC];
    angleInput.natalObliquityDeg = chart.NatalObliquityDeg;
    return ScanProgressedAngles(angleInput);
}

// The progressed step of day `day` (fractional days allowed): WorkLong 1..10 at the progressed
// moment, then the progressed MC and ASC. A whole scanned day reads its precise longitudes through
// the run worked out ahead; any other moment computes them directly, which gives the same bits at
// a whole day.
void ProgressedStep(ScanDayContext& context, double day, const int* scannedDay) {
    EphemerisState& eph = context.eph;
    PointArray& work = eph.WorkLong;
    const double obliquityRad = SetProgressedInstant(context, day);
    if (scannedDay != nullptr) {
        eph.ProgressedBaseT = context.chart.ProgT;
        eph.ProgressedDay = *scannedDay;
        EphemerisProgressedUpdate(eph);
    } else {
        EphemerisDailyUpdate(eph);
    }
    const ProgressedAngles angles = ProgressedAnglesAt(context, obliquityRad, work[SUN]);
    work[MC] = angles.MC;
    work[ASC] = angles.ASC;
    eph.NegObliquityRad = -obliquityRad;
}

// The transit instant of day `day` (fractional days allowed): the ephemeris time values.
void SetTransitInstant(ScanDayContext& context, double day) {
    const ChartState& chart = context.chart;
    EphemerisState& eph = context.eph;
    eph.EphT = eph.ScanT = chart.DiurnalT + day / 36525.0;
    eph.EphT2000 = chart.DiurnalT2000 + day / 36525.0;
    eph.DayNumber = chart.DiurnalJD + day;
}

}  // namespace

void TransitLongitudesAt(ScanDayContext& context, double day) {
    SetTransitInstant(context, day);
    EphemerisDailyUpdate(context.eph);
}

void ProgressedLongitudesAt(ScanDayContext& context, double day) {
    ProgressedStep(context, day, nullptr);
}

double TransitLongitudeAt(ScanDayContext& context, int body, double day) {
    SetTransitInstant(context, day);
    return EphemerisBodyLongitude(context.eph, body);
}

double ProgressedLongitudeAt(ScanDayContext& context, int body, double day) {
    EphemerisState& eph = context.eph;
    if (body != ASC && body != MC) {
        // The obliquity serves only the angles; the instant's time values are all a body needs.
        eph.EphT = eph.ScanT = context.chart.ProgT + day / 36525.0 / 365.25;
        eph.EphT2000 = context.chart.ProgT2000 + day / 36525.0 / 365.25;
        eph.DayNumber = context.chart.ProgDayNumber + day;
        return EphemerisBodyLongitude(eph, body);
    }
    const double obliquityRad = SetProgressedInstant(context, day);
    const double sun = EphemerisBodyLongitude(eph, SUN);
    const ProgressedAngles angles = ProgressedAnglesAt(context, obliquityRad, sun);
    return body == MC ? angles.MC : angles.ASC;
}

namespace {

// The chosen extra points of one scanned day in each set, once its twelve are placed in `out`.
void ComputeExtraPoints(ScanDayContext& context, int day, double arc, ScannedDay& out) {
    const ChartState& chart = context.chart;
    const EphemerisSource source = context.eph.Source;
    for (const ExtraPoint p : context.extras) {
        const int body = ExtraPointBody(p);
        const auto slot = static_cast<std::size_t>(body - 1);
        const ExtraPointRow& row = RowOf(p);
        if (row.transitMover) {
            out.transit[slot] = PlaceExtraPoint(context.houses, body,
                                                EphemerisPointLongitude(source, p, chart.DiurnalJD + day), context.listed);
        }
        const double progressed =
            row.routine == PointRoutine::ChartFormula
                ? FortuneLongitude(out.progressed[SUN - 1].longitude, out.progressed[MOON - 1].longitude,
                                   out.progressed[ASC - 1].longitude, context.fortuneDayFormulaAlways)
                : EphemerisPointLongitude(source, p, ProgressedJD(chart, day));
        out.progressed[slot] = PlaceExtraPoint(context.houses, body, progressed, context.listed);
        out.solarArc[slot] = PlaceExtraPoint(
            context.houses, body, Norm360(chart.NatalPoints[static_cast<std::size_t>(p)].lon + arc), context.listed);
    }
}

}  // namespace

void ComputeScannedDay(ScanDayContext& context, int day, ScannedDay& out) {
    const ChartState& chart = context.chart;
    PointArray& work = context.eph.WorkLong;

    SetScannedDate(out, JulianDayToCalendar(chart.DiurnalJD + day));

    // Transits. The obliquity is left as it was last set: the chart driver's value on day 0, the
    // previous day's progressed value afterwards.
    TransitLongitudesAt(context, day);
    PlaceInHouses(context);
    PlaceSet(context, out.transit, PLUTO);

    ProgressedStep(context, day, &day);
    PlaceInHouses(context);
    PlaceSet(context, out.progressed, MC);

    // Solar arc: this day's progressed SUN less the natal SUN, added to every natal point.
    const double arc = Norm360(work[SUN] - chart.NatalLong[SUN]);
    for (int p = SUN; p <= MC; ++p) {
        const auto i = static_cast<std::size_t>(p);
        work[i] = Norm360(chart.NatalLong[i] + arc);
    }
    PlaceInHouses(context);
    PlaceSet(context, out.solarArc, MC);

    if (!context.extras.empty()) ComputeExtraPoints(context, day, arc, out);
}

double ScanPointLongitudeAt(ScanDayContext& context, PointSet set, int body, double day) {
    const ChartState& chart = context.chart;
    const bool extra = IsExtraPointBody(body);
    const auto natal = [&](int b) {
        return IsExtraPointBody(b) ? chart.NatalPoints[static_cast<std::size_t>(ExtraPointOfBody(b))].lon
                                   : chart.NatalLong[static_cast<std::size_t>(b)];
    };
    switch (set) {
        case PointSet::Natal:
            return natal(body);
        case PointSet::Transit:
            if (!extra) return TransitLongitudeAt(context, body, day);
            return EphemerisPointLongitude(context.eph.Source, ExtraPointOfBody(body), chart.DiurnalJD + day);
        case PointSet::Progressed:
            if (!extra) return ProgressedLongitudeAt(context, body, day);
            if (RowOf(ExtraPointOfBody(body)).routine == PointRoutine::ChartFormula) {
                const double sun = ProgressedLongitudeAt(context, SUN, day);
                const double moon = ProgressedLongitudeAt(context, MOON, day);
                const double asc = ProgressedLongitudeAt(context, ASC, day);
                return FortuneLongitude(sun, moon, asc, context.fortuneDayFormulaAlways);
            }
            return EphemerisPointLongitude(context.eph.Source, ExtraPointOfBody(body), ProgressedJD(chart, day));
        case PointSet::SolarArc: {
            const double arc = Norm360(ProgressedLongitudeAt(context, SUN, day) - chart.NatalLong[SUN]);
            return Norm360(natal(body) + arc);
        }
    }
    return 0.0;
}

void WriteScanHouseLine(const ScanDayContext& context, std::string& HouseLine) {
    if (HouseLine.size() < 120) HouseLine.resize(120, ' ');
    for (int p = 1; p <= 12; ++p) {
        const int slot = context.houseSlot[static_cast<std::size_t>(p)];
        if (slot == 0) continue;
        const std::string_view ordinal = HouseOrdinalText(slot);
        const auto at = static_cast<std::size_t>(10 * p - 10);
        HouseLine.replace(at, ordinal.size(), ordinal);
        HouseLine.replace(at + ordinal.size(), 6, " HOUSE");
    }
}

// ---- The whole scan ---------------------------------------------------------------------------

namespace {

// Days per block: small enough that the blocks in flight hold little text, large enough that the
// threads rarely wait for each other.
constexpr int BlockDays = 32;

// The days of a scan computed and listed block by block on one or more threads, and taken by the
// listed-by-day pass in day order. Every block's days, lines and hits depend only on the block's
// first day, so the files come out the same whatever thread computes which block.
class DayStream {
public:
    DayStream(const ChartState& chart, const EphemerisState& eph, const Options& options,
              int scanDays, ListedByDayPass& pass, int threads, ScanLongitudes* longitudes)
        : scanDays_(scanDays), blocks_((scanDays + BlockDays - 1) / BlockDays), pass_(pass), longitudes_(longitudes) {
        for (int i = 0; i < threads; ++i) {
            contexts_.push_back(std::make_unique<ScanDayContext>(chart, eph, options));
        }
        for (const auto& context : contexts_) context->listed = pass.ListsLines();
        if (longitudes_) {
            longitudes_->transit.assign(static_cast<std::size_t>(scanDays), {});
            longitudes_->progressed.assign(static_cast<std::size_t>(scanDays), {});
        }
    }

    // Runs every block; the calling thread is the first worker and the only one that shows the
    // progress. Returns false when the scan must be run again on one thread: a block that did not
    // follow the block before on the same thread met a point in no house, whose field would then
    // come from days that thread never computed.
    bool Run(ScanObserver& observer) {
        std::vector<std::thread> helpers;
        for (std::size_t worker = 1; worker < contexts_.size(); ++worker) {
            try {
                helpers.emplace_back([this, worker] { Work(worker, nullptr); });
            } catch (const std::system_error&) {
                break;  // fewer threads: the blocks are shared among those that started
            }
        }
        Work(0, &observer);
        for (std::thread& helper : helpers) helper.join();
        if (error_) std::rethrow_exception(error_);
        return !redo_;
    }

    // The context that computed the last day.
    const ScanDayContext& LastContext() const { return *contexts_[lastWorker_]; }
    // The user stopped the scan; its days are incomplete.
    bool cancelled() const { return cancelled_; }

private:
    void Work(std::size_t worker, ScanObserver* observer) {
        ScanDayContext& context = *contexts_[worker];
        ListedBlock block;
        int previousBlock = -1;
        try {
            while (true) {
                const int k = nextBlock_.fetch_add(1);
                if (k >= blocks_ || stop_.load()) break;
                block.firstDay = k * BlockDays;
                block.days.resize(static_cast<std::size_t>(std::min(BlockDays, scanDays_ - block.firstDay)));
                StartScanAt(context, block.firstDay);
                context.houseMissed = false;
                for (std::size_t i = 0; i < block.days.size(); ++i) {
                    ComputeScannedDay(context, block.firstDay + static_cast<int>(i), block.days[i]);
                    if (longitudes_) Keep(block.firstDay + static_cast<int>(i), block.days[i]);
                }
                if (context.houseMissed && k > 0 && previousBlock != k - 1) {
                    Stop(true);
                    break;
                }
                previousBlock = k;
                pass_.ListBlock(block);
                {
                    std::unique_lock lock(mutex_);
                    turn_.wait(lock, [&] { return taken_ == k || stop_.load(); });
                    if (stop_.load()) break;
                }
                pass_.TakeBlock(block);
                if (k == blocks_ - 1) lastWorker_ = worker;
                {
                    std::lock_guard lock(mutex_);
                    taken_ = k + 1;
                }
                turn_.notify_all();
                if (observer && scanDays_ > 1) {
                    observer->ShowProgress(std::min(TakenBlocks() * BlockDays, scanDays_) - 1,
                                           scanDays_ - 1);
                }
                if (observer && observer->StopAsked()) {
                    cancelled_ = true;
                    Stop(false);
                    break;
                }
            }
        } catch (...) {
            std::lock_guard lock(mutex_);
            if (!error_) error_ = std::current_exception();
            stop_ = true;
            turn_.notify_all();
        }
    }

    // Each day has its own rows, so threads computing different days write different rows.
    void Keep(int day, const ScannedDay& scanned) {
        auto& transit = longitudes_->transit[static_cast<std::size_t>(day)];
        for (std::size_t i = 0; i < transit.size(); ++i) transit[i] = scanned.transit[i].longitude;
        auto& progressed = longitudes_->progressed[static_cast<std::size_t>(day)];
        for (std::size_t i = 0; i < progressed.size(); ++i) progressed[i] = scanned.progressed[i].longitude;
    }

    int TakenBlocks() {
        std::lock_guard lock(mutex_);
        return taken_;
    }

    void Stop(bool redo) {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
            redo_ = redo_ || redo;
        }
        turn_.notify_all();
    }

    const int scanDays_;
    const int blocks_;
    ListedByDayPass& pass_;
    ScanLongitudes* longitudes_;
    std::vector<std::unique_ptr<ScanDayContext>> contexts_;
    std::atomic<int> nextBlock_{0};
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable turn_;
    int taken_ = 0;  // blocks taken by the pass
    bool redo_ = false;
    std::size_t lastWorker_ = 0;
    bool cancelled_ = false;  // written and read on the calling thread only
    std::exception_ptr error_;
};

int ThreadsFor(const ScanSettings& settings, int scanDays) {
    int threads = settings.threads;
    if (threads <= 0) threads = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 2);
    // A block per thread at least.
    return std::clamp(threads, 1, std::max(1, (scanDays + BlockDays - 1) / BlockDays));
}

}  // namespace

ScanOutcome RunAspectScan(const ScanInputs& in, OutputBuffers& out, ScanObserver& observer, Reporter& reporter,
                          ScanResult& result) {
    ChartState& chart = in.chart;
    EphemerisState& eph = in.eph;
    const Options& options = in.options;
    const int scanDays = in.scanDays;
    const ScanSettings& settings = in.settings;
    observer.BeginScan();
    // Every house placement of the scan is among the natal houses.
    const auto workCusp = chart.WorkCusp;
    chart.WorkCusp = chart.NatalCusp;
    const NatalPlaces natal = NatalTargets(chart);
    const std::string stem = ReportStem(chart.ChartName);

    int threads = ThreadsFor(settings, scanDays);
    while (true) {
        std::optional<ReportSet> files;
        if (settings.reportFiles) {
            files.emplace(in.reportsFolder, stem);
        } else {
            files.emplace();
        }
        ListedByDayPass pass(chart, options, scanDays, natal, *files, settings.pointsInReports);
        DayStream days(chart, eph, options, scanDays, pass, threads, settings.longitudes);
        bool whole = false;
        try {
            whole = days.Run(observer);
        } catch (const ScanPointError& e) {
            // An extra point the source cannot give on some day (past its data file's years):
            // reported, and nothing of the scan stays.
            chart.WorkCusp = workCusp;
            if (settings.longitudes) *settings.longitudes = ScanLongitudes{};
            result = ScanResult{};
            reporter.Report({"Error!", MessageIcon::Critical, e.what()});
            observer.ClearProgress();
            observer.EndScan();
            return ScanOutcome::WriteFailed;
        }
        if (days.cancelled()) {
            // Nothing of the stopped scan stays: its unpublished files go with `files`, and the
            // chart is as the scan found it.
            chart.WorkCusp = workCusp;
            if (settings.longitudes) *settings.longitudes = ScanLongitudes{};
            observer.EndScan();
            return ScanOutcome::Cancelled;
        }
        if (!whole) {
            threads = 1;
            observer.ClearProgress();
            continue;
        }
        observer.ClearProgress();
        const ScanDayContext& last = days.LastContext();
        eph = last.eph;
        WriteScanHouseLine(last, chart.HouseLine);
        ScanResult found = pass.Finish(chart.DiurnalJD);

        // The reports and listings hold the extra points' runs only when asked to.
        std::optional<ScanResult> withoutPoints;
        if (chart.Points.Any() && !settings.pointsInReports) withoutPoints = WithoutExtraPoints(found);
        const WriteResult written = WriteScanReports(withoutPoints ? *withoutPoints : found, chart, options, *files,
                                                     out, observer, threads);
        if (!written.ok) {
            result = ScanResult{};
            reporter.Report({"Error!", MessageIcon::Critical, written.message});
            observer.EndScan();
            return ScanOutcome::WriteFailed;
        }
        result = std::move(found);
        break;
    }
    observer.ShowDataWindow();
    observer.EndScan();
    return ScanOutcome::Completed;
}

}  // namespace orrerion
