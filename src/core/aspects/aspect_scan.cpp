#include "core/aspects/aspect_scan.h"

#include <cmath>
#include <limits>

#include "core/aspects/report_files.h"
#include "core/aspects/report_sorting.h"
#include "core/base/text_tables.h"
#include "core/chart/chart_time.h"
#include "core/chart/houses.h"
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
    bounds.rows.front().low = -std::numeric_limits<float>::infinity();
    bounds.rows.back().high = std::numeric_limits<float>::infinity();
    return bounds;
}

AspectResult TestAspect(const AspectBounds& bounds, double moverLong, double targetLong) {
    double d = std::fabs(targetLong - moverLong);
    if (d > 180) d = 360 - d;
    // The tests compare in single precision (deliberate), as do the distances they leave.
    const float separation = static_cast<float>(d);
    AspectResult result;
    for (const AspectBounds::Row& row : bounds.rows) {
        if (row.searched && separation >= row.low && separation <= row.high) {
            result.AspectCode = row.AspectCode;
            result.distance = separation - row.angle;
        }
    }
    return result;
}

std::string_view AspectName(int AspectCode) {
    return TableEntry(AspectNameText, AspectCode, 12).substr(0, 11);
}

std::string_view PointName(int body) { return TableEntry(PlanetNameText, body, 10).substr(0, 7); }

// ---- Families and filters ---------------------------------------------------------------------

const FamilyInfo& FamilyOf(AspectFamily family) {
    for (const FamilyInfo& info : ScanFamilies) {
        if (info.family == family) return info;
    }
    return ScanFamilies.front();
}

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

// ---- The scanned days -------------------------------------------------------------------------

namespace {

// The point's longitude with its compact text and its house field (first two characters of the
// point's ten) of the house placement line.
PlacedPoint Place(double longitude, const std::string& houseLine, int body) {
    PlacedPoint p;
    p.longitude = longitude;
    const std::string text = LongitudeCompactText(longitude);
    for (std::size_t i = 0; i < p.position.size(); ++i) {
        p.position[i] = i < text.size() ? text[i] : ' ';
    }
    const std::size_t at = static_cast<std::size_t>(10 * (body - 1));
    for (std::size_t i = 0; i < p.house.size(); ++i) {
        p.house[i] = at + i < houseLine.size() ? houseLine[at + i] : ' ';
    }
    return p;
}

}  // namespace

std::array<PlacedPoint, 12> NatalTargets(const ChartState& chart) {
    std::array<PlacedPoint, 12> natal{};
    for (int p = SUN; p <= MC; ++p) {
        natal[static_cast<std::size_t>(p - 1)] = Place(chart.NatalLong[static_cast<std::size_t>(p)],
                                                       chart.NatalHouseLine, p);
    }
    return natal;
}

void ComputeScannedDay(ChartState& chart, EphemerisState& eph, const Options& options, int day,
                       ScannedDay& out) {
    PointArray& work = eph.WorkLong;

    out.date = JulianDayToCalendar(chart.DiurnalJD + day);

    // Transits. The obliquity is left as it was last set: the chart driver's value on day 0, the
    // previous day's progressed value afterwards.
    eph.EphT = eph.ScanT = chart.DiurnalT + day / 36525.0;
    eph.EphT2000 = chart.DiurnalT2000 + day / 36525.0;
    eph.DayNumber = chart.DiurnalJD + day;
    EphemerisDailyUpdate(eph);
    HousePlacement(work, chart.WorkCusp, chart.HouseLine);
    for (int p = SUN; p <= PLUTO; ++p) {
        out.transit[static_cast<std::size_t>(p - 1)] =
            Place(work[static_cast<std::size_t>(p)], chart.HouseLine, p);
    }

    // Progressions: every scanned day moves the progressed instant on by 1/365.25 day, whatever
    // progression gave its start.
    eph.EphT = eph.ScanT = chart.ProgT + day / 36525.0 / 365.25;
    eph.EphT2000 = chart.ProgT2000 + day / 36525.0 / 365.25;
    eph.DayNumber = chart.ProgDayNumber + day;
    const double obliquityDeg = ObliquityOfDate(eph.Source, eph.EphT);
    const double obliquityRad = obliquityDeg * PiValue / 180;
    eph.NegObliquityRad = -obliquityRad;
    EphemerisProgressedUpdate(eph);

    // Progressed MC and ASC at the diurnal place.
    ProgressedAngleInput angleInput;
    angleInput.source = eph.Source;
    angleInput.fromSiderealTime = options[Option::ProgressedAnglesFromSiderealTime] != 0.0f;
    angleInput.t = eph.EphT;
    angleInput.dayFraction = eph.DayFraction;
    angleInput.obliquityRad = obliquityRad;
    angleInput.westLongitudeDeg = DecimalFromSignedDMM(chart.input.DiurnalLongitude);
    angleInput.latitudeDeg = DecimalFromSignedDMM(chart.input.DiurnalLatitude);
    angleInput.sun = work[SUN];
    angleInput.natalSun = chart.NatalLong[SUN];
    angleInput.natalMC = chart.NatalLong[MC];
    angleInput.natalObliquityDeg = chart.NatalObliquityDeg;
    const ProgressedAngles angles = ScanProgressedAngles(angleInput);
    work[MC] = angles.MC;
    work[ASC] = angles.ASC;
    eph.NegObliquityRad = -obliquityRad;
    HousePlacement(work, chart.WorkCusp, chart.HouseLine);
    for (int p = SUN; p <= MC; ++p) {
        out.progressed[static_cast<std::size_t>(p - 1)] =
            Place(work[static_cast<std::size_t>(p)], chart.HouseLine, p);
    }

    // Solar arc: this day's progressed SUN less the natal SUN, added to every natal point.
    const double arc = Norm360(work[SUN] - chart.NatalLong[SUN]);
    for (int p = SUN; p <= MC; ++p) {
        const auto i = static_cast<std::size_t>(p);
        work[i] = Norm360(chart.NatalLong[i] + arc);
    }
    HousePlacement(work, chart.WorkCusp, chart.HouseLine);
    for (int p = SUN; p <= MC; ++p) {
        out.solarArc[static_cast<std::size_t>(p - 1)] =
            Place(work[static_cast<std::size_t>(p)], chart.HouseLine, p);
    }
}

ScanTables ComputeScanTables(ChartState& chart, EphemerisState& eph, const Options& options,
                             int scanDays, ScanObserver& observer) {
    // Every house placement of the scan is among the natal houses.
    chart.WorkCusp = chart.NatalCusp;

    ScanTables tables;
    tables.ScanDays = scanDays;
    tables.days.resize(static_cast<std::size_t>(scanDays));
    tables.ScanFirstText = DateDdMmmYy(JulianDayToCalendar(chart.DiurnalJD));
    tables.ScanLastText = DateDdMmmYy(JulianDayToCalendar(chart.DiurnalJD + scanDays - 1));
    for (int day = 0; day < scanDays; ++day) {
        if (scanDays > 1) observer.ShowProgress(day, scanDays - 1);
        ComputeScannedDay(chart, eph, options, day, tables.days[static_cast<std::size_t>(day)]);
    }
    tables.natal = NatalTargets(chart);
    return tables;
}

// ---- The whole scan ---------------------------------------------------------------------------

ScanOutcome RunAspectScan(ChartState& chart, EphemerisState& eph, const Options& options,
                          OutputBuffers& out, int scanDays, const std::filesystem::path& reportsFolder,
                          ScanObserver& observer, Reporter& reporter) {
    observer.BeginScan();
    const ScanTables tables = ComputeScanTables(chart, eph, options, scanDays, observer);
    observer.ClearProgress();

    const std::string stem = ReportStem(chart.ChartName);
    auto reportPath = [&](std::string_view suffix, std::string_view extension) {
        return reportsFolder / (stem + std::string(suffix) + std::string(extension));
    };
    auto failed = [&](const WriteResult& result) {
        reporter.Report({"Error!", MessageIcon::Critical, result.message});
        observer.EndScan();
        return ScanOutcome::WriteFailed;
    };

    for (const FamilyInfo& family : ScanFamilies) {
        FamilyFindings findings;
        WriteResult written = WriteListedByDay(tables, family, chart, options,
                                               reportPath(family.suffix, ".doc"), out,
                                               observer, findings);
        if (!written.ok) return failed(written);
        observer.ClearProgress();
        written = WriteSortedByPlanet(tables, family, chart, options, findings,
                                      reportPath(family.suffix, ".txt"), out, observer);
        if (!written.ok) return failed(written);
        if (family.family == AspectFamily::TransitToNatal) {
            observer.ClearProgress();
            written = WriteExactDates(tables, chart, findings, reportPath("_ex", ".txt"), out,
                                      observer);
            if (!written.ok) return failed(written);
        }
        observer.ClearProgress();
    }

    observer.BeginSorting();
    for (AspectFamily family : SortedByDateOrder) {
        const FamilyInfo& info = FamilyOf(family);
        const WriteResult written =
            WriteSortedByDate(tables, info, reportPath(info.suffix, ".txt"),
                              reportPath(info.suffix, ".asc"), out);
        if (!written.ok) {
            observer.EndSorting();
            return failed(written);
        }
    }
    observer.EndSorting();
    observer.ShowDataWindow();
    observer.EndScan();
    return ScanOutcome::Completed;
}

}  // namespace orrerion
