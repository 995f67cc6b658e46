#include "core/chart/chart_driver.h"

#include <cmath>

#include "core/chart/chart_time.h"
#include "core/chart/houses.h"
#include "core/chart/input_checks.h"
#include "core/chart/progressed_angles.h"
#include "core/ephemeris/time_angles.h"

namespace orrerion {
namespace {

constexpr double DaysPerYear = 365.25;
constexpr double SiderealMonthDays = 27.32166088;

// The time of the moment into the ephemeris inputs: day number, day fraction, T and obliquity.
void SetMoment(EphemerisState& e, double dayNumber, double dayFraction, double t1900) {
    e.DayNumber = dayNumber;
    e.DayFraction = dayFraction;
    e.EphT = t1900;
    e.NegObliquityRad = NegObliquityRadians(t1900);
}

void CopyPoints(const PointArray& from, PointArray& to) {
    for (std::size_t i = 1; i <= BodyCount; ++i) to[i] = from[i];
}

// All bodies at one moment, copied into a chart's longitudes, declinations and retrograde marks.
void ChartPositions(EphemerisState& e, double dayNumber, double dayFraction, double t1900, PointArray& longitudes,
                    PointArray& declinations, std::string& retroMarks) {
    SetMoment(e, dayNumber, dayFraction, t1900);
    EphemerisAllBodies(e);
    CopyPoints(e.WorkLong, longitudes);
    CopyPoints(e.WorkDecl, declinations);
    retroMarks = e.RetroMarks;
}

// The days after birth at which the progressed chart stands, for E days between the two moments.
double ProgressionOffset(ProgressionType type, double elapsedDays) {
    switch (type) {
        case ProgressionType::Secondary: return elapsedDays / DaysPerYear;  // a day for a year
        case ProgressionType::Minor:  // a sidereal month for a year
            return elapsedDays * SiderealMonthDays / DaysPerYear;
        case ProgressionType::Tertiary: break;
    }
    return elapsedDays / SiderealMonthDays;  // a day for a sidereal month
}

// ASC and MC into WorkLong, their declinations into WorkDecl and the chart's declination set.
void AngleDeclinations(EphemerisState& e, const PointArray& longitudes, double obliquityDeg,
                       PointArray& declinations) {
    for (std::size_t i = ASC; i <= MC; ++i) {
        e.WorkLong[i] = longitudes[i];
        e.WorkDecl[i] = EclipticPointDeclination(e.WorkLong[i], obliquityDeg);
        declinations[i] = e.WorkDecl[i];
    }
}

// The rest of a house pass once the angles are known: cusps, sidereal-time text, the house of
// every point and the declinations of ASC and MC, in the chart's own sets.
void FinishHousePass(ChartState& c, EphemerisState& e, const HouseAngles& angles, PointArray& longitudes,
                     PointArray& declinations, CuspArray& cusps, std::string& stText, std::string& houseLine) {
    longitudes[ASC] = angles.ASC;
    longitudes[MC] = angles.MC;
    ComputeCusps(angles, c.HouseSystemCode, c.WorkCusp);
    stText = SiderealTimeText(angles);
    cusps = c.WorkCusp;
    CopyPoints(longitudes, e.WorkLong);
    HousePlacement(e.WorkLong, c.WorkCusp, c.HouseLine);
    houseLine = c.HouseLine;
    AngleDeclinations(e, longitudes, angles.ObliquityDeg, declinations);
}

bool AllFinite(const PointArray& a) {
    for (std::size_t i = 1; i <= BodyCount; ++i) {
        if (!std::isfinite(a[i])) return false;
    }
    return true;
}

bool AllFinite(const CuspArray& a) {
    for (std::size_t i = 1; i < a.size(); ++i) {
        if (!std::isfinite(a[i])) return false;
    }
    return true;
}

bool ChartIsFinite(const ChartState& c) {
    return AllFinite(c.NatalLong) && AllFinite(c.NatalDecl) && AllFinite(c.NatalCusp) &&
           AllFinite(c.ProgLong) && AllFinite(c.ProgDecl) && AllFinite(c.ProgCusp) &&
           AllFinite(c.ArcLong) && AllFinite(c.ArcCusp) && AllFinite(c.TransitLong) &&
           AllFinite(c.TransitDecl) && AllFinite(c.TransitCusp) && std::isfinite(c.SolarArc) &&
           std::isfinite(c.NatalJD) && std::isfinite(c.DiurnalJD) && std::isfinite(c.ProgJD);
}

// Whether the Sun stands in houses 7 to 12 (cusp slots 10, 11, 12, 1, 2, 3): above the horizon.
// A Sun no house holds (cusps that coincide) counts as above it.
bool SunAboveHorizon(double sun, const CuspArray& cusps) {
    const int slot = HouseSlotOf(sun, cusps);
    return slot == 0 || slot <= 3 || slot >= 10;
}

// The chosen extra points of one chart at its UT Julian date: the ephemeris's points, each south
// node opposite its north node, and the Lot of Fortune from the chart's ascendant, Sun and Moon,
// with the Sun's house among `cusps`. False, with the reason, for a point that cannot be computed.
bool ChartExtraPoints(const PointChoice& choice, EphemerisSource source, double jdUT, double t1900,
                      const PointArray& longitudes, const CuspArray& cusps, ExtraPointArray& points,
                      std::string& reason) {
    const double obliquityDeg = ObliquityOfDate(source, t1900);
    for (const ExtraPointRow& row : ExtraPoints) {
        if (!choice.Has(row.point)) continue;
        PointPosition& p = points[static_cast<std::size_t>(row.point)];
        switch (row.routine) {
            case PointRoutine::Polynomial:
            case PointRoutine::LibraryOnly: {
                const PointOutcome outcome = ExtraPointAt(source, row.point, jdUT, obliquityDeg);
                if (!outcome.ok) {
                    reason = outcome.reason;
                    return false;
                }
                p = outcome.position;
                break;
            }
            case PointRoutine::OppositeNode: {
                // The north node comes first in the table, so it is already computed.
                const PointPosition& north = points[static_cast<std::size_t>(row.choseWith)];
                p = {Norm360(north.lon + 180), -north.lat, -north.decl, north.speed};
                break;
            }
            case PointRoutine::ChartFormula: {
                const double sun = longitudes[SUN];
                const double moon = longitudes[MOON];
                const bool day = choice.fortuneDayFormulaAlways || SunAboveHorizon(sun, cusps);
                p.lon = Norm360(longitudes[ASC] + (day ? moon - sun : sun - moon));
                p.lat = 0.0;
                p.decl = EclipticPointDeclination(p.lon, obliquityDeg);
                p.speed = 0.0;
                break;
            }
        }
    }
    return true;
}

}  // namespace

bool ChartDriver(const ChartInput& input, EphemerisState& eph, ChartState& chart, Reporter& reporter) {
    // Every failing check is shown; any failure stops the run before anything changes.
    const std::vector<InputProblem> problems =
        CheckAllInput(input.natal, input.diurnal, input.houseSystem);
    if (!problems.empty()) {
        for (const InputProblem& p : problems) reporter.ReportField(InputWarning(p), p.field);
        return false;
    }

    // The charts are built in copies and kept only when every value is a number.
    ChartState c = chart;
    EphemerisState e = eph;
    c.ChartName = input.natal.name;
    c.Source = e.Source;
    c.HouseSystemCode = std::string(HouseSystemOf(input.houseSystem).code);
    ParseNatal(input.natal, input.DateOrder, c.input);
    ParseDiurnal(input.diurnal, input.DateOrder, c.input);
    const ParsedInput& in = c.input;
    const double natalDayFraction = DayFractionFromClock(in.NatalHour, in.NatalZone, in.NatalMeridiem);

    // Natal moment and positions.
    const double natalDayNumber = CivilDayNumber(in.NatalDay, in.NatalMonth, in.NatalYear);
    c.NatalJD = natalDayNumber + natalDayFraction - 0.5;
    c.NatalT = CenturiesFrom1900(c.NatalJD);
    ChartPositions(e, natalDayNumber, natalDayFraction, c.NatalT, c.NatalLong, c.NatalDecl, c.NatalRetroMarks);

    // Diurnal moment and the transit positions.
    const double diurnalDayFraction =
        DayFractionFromClock(in.DiurnalHour, in.DiurnalZone, in.DiurnalMeridiem);
    const double diurnalDayNumber = CivilDayNumber(in.DiurnalDay, in.DiurnalMonth, in.DiurnalYear);
    c.DiurnalJD = diurnalDayNumber + diurnalDayFraction - 0.5;
    c.DiurnalT = CenturiesFrom1900(c.DiurnalJD);
    ChartPositions(e, diurnalDayNumber, diurnalDayFraction, c.DiurnalT, c.TransitLong, c.TransitDecl,
                   c.TransitRetroMarks);

    // The secondary-progressed Sun, from which the solar arc is taken whatever the progression.
    const double elapsedDays = c.DiurnalJD - c.NatalJD;
    const double secondaryJD = c.NatalJD + elapsedDays / DaysPerYear;
    const double secondaryT = CenturiesFrom1900(secondaryJD);
    SetMoment(e, secondaryJD - natalDayFraction + 0.5, natalDayFraction, secondaryT);
    c.SecProgSun = SunLongitudeOfDate(e.Source, secondaryT);

    // The progressed moment and positions.
    c.ProgJD = c.NatalJD + ProgressionOffset(input.progression, elapsedDays);
    c.ProgT = CenturiesFrom1900(c.ProgJD);
    c.ProgDayNumber = c.ProgJD - natalDayFraction + 0.5;
    ChartPositions(e, c.ProgDayNumber, natalDayFraction, c.ProgT, c.ProgLong, c.ProgDecl, c.ProgRetroMarks);

    // Natal houses.
    c.ChartPass = 0;
    const HouseAngles natalAngles = HouseEngine(c, e);
    c.NatalObliquityDeg = natalAngles.ObliquityDeg;
    FinishHousePass(c, e, natalAngles, c.NatalLong, c.NatalDecl, c.NatalCusp, c.NatalSTText, c.NatalHouseLine);

    // Progressed houses: natal date plus AgeYears days, natal clock, diurnal place.
    c.ChartPass = 1;
    const HouseAngles progAngles = HouseEngine(c, e);
    ComputeCusps(progAngles, c.HouseSystemCode, c.WorkCusp);
    c.ProgSTText = SiderealTimeText(progAngles);
    c.ProgCusp = c.WorkCusp;

    // Progressed angles: from the sidereal time of the progressed moment, or moved by the arc of
    // the progressed Sun.
    ProgressedAngleInput angleInput;
    angleInput.source = e.Source;
    angleInput.fromSiderealTime = input.options[Option::ProgressedAnglesFromSiderealTime] != 0;
    angleInput.t = c.ProgT;
    angleInput.dayFraction = e.DayFraction;
    angleInput.westLongitudeDeg = DecimalFromSignedDMM(in.DiurnalLongitude);
    angleInput.latitudeDeg = progAngles.LatitudeDeg;
    angleInput.sun = c.ProgLong[SUN];
    angleInput.natalSun = c.NatalLong[SUN];
    angleInput.natalMC = c.NatalLong[MC];
    angleInput.natalObliquityDeg = c.NatalObliquityDeg;
    double progObliquityDeg = 0.0;
    const ProgressedAngles progressed = ChartProgressedAngles(angleInput, progObliquityDeg);
    c.ProgLong[MC] = progressed.MC;
    c.ProgLong[ASC] = progressed.ASC;
    CopyPoints(c.ProgLong, e.WorkLong);
    HousePlacement(e.WorkLong, c.WorkCusp, c.HouseLine);
    c.ProgHouseLine = c.HouseLine;
    AngleDeclinations(e, c.ProgLong, progObliquityDeg, c.ProgDecl);

    // Solar arc: the progressed Sun's arc added to every natal point and cusp.
    c.ChartPass = 2;
    c.SolarArc = static_cast<float>(Norm360(c.SecProgSun - c.NatalLong[SUN]));  // single, deliberate
    const double arc = c.SolarArc;
    for (std::size_t i = 1; i < c.ArcCusp.size(); ++i) c.ArcCusp[i] = Norm360(arc + c.NatalCusp[i]);
    for (std::size_t i = 1; i <= BodyCount; ++i) c.ArcLong[i] = Norm360(arc + c.NatalLong[i]);

    // Transit houses.
    c.ChartPass = 3;
    const HouseAngles transitAngles = HouseEngine(c, e);
    c.TransitObliquityDeg = transitAngles.ObliquityDeg;
    FinishHousePass(c, e, transitAngles, c.TransitLong, c.TransitDecl, c.TransitCusp, c.TransitSTText,
                    c.TransitHouseLine);

    // The extra points of each chart; the solar-arc points are the natal ones moved by the arc.
    c.Points = input.points;
    c.NatalPoints = c.ProgPoints = c.ArcPoints = c.TransitPoints = ExtraPointArray{};
    if (c.Points.Any()) {
        std::string reason;
        const bool computed =
            ChartExtraPoints(c.Points, e.Source, c.NatalJD, c.NatalT, c.NatalLong, c.NatalCusp, c.NatalPoints,
                             reason) &&
            ChartExtraPoints(c.Points, e.Source, c.ProgJD, c.ProgT, c.ProgLong, c.ProgCusp, c.ProgPoints, reason) &&
            ChartExtraPoints(c.Points, e.Source, c.DiurnalJD, c.DiurnalT, c.TransitLong, c.TransitCusp,
                             c.TransitPoints, reason);
        if (!computed) {
            reporter.Report({"Error!", MessageIcon::Critical, "The chosen points cannot be calculated: " + reason});
            return false;
        }
        for (std::size_t i = 0; i < c.ArcPoints.size(); ++i) {
            if (c.Points.chosen[i]) c.ArcPoints[i].lon = Norm360(arc + c.NatalPoints[i].lon);
        }
    }

    if (!ChartIsFinite(c)) {
        reporter.Report({"Error!", MessageIcon::Critical,
                         "The charts cannot be calculated from these data: a calculation gave no "
                         "number. Please check the input data."});
        return false;
    }
    chart = std::move(c);
    eph = std::move(e);
    return true;
}

}  // namespace orrerion
