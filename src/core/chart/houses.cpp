#include "core/chart/houses.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "core/base/text_tables.h"
#include "core/chart/chart_time.h"
#include "core/ephemeris/time_angles.h"

namespace orrerion {
namespace {

// House k goes to slot k + 3 for k = 1..9 and to slot k - 9 for k = 10..12.
void StoreTenthFirst(const HouseCusps& cusp, CuspArray& WorkCusp) {
    for (int k = 1; k <= 12; ++k) {
        const int slot = k <= 9 ? k + 3 : k - 9;
        WorkCusp[static_cast<std::size_t>(slot)] = Norm360(cusp[static_cast<std::size_t>(k)]);
    }
}

// Cusps 7 to 12 are cusps 1 to 6 plus 180 degrees; cusp 10 is thus the MC as IC + 180.
void OppositeHalf(HouseCusps& c) {
    for (std::size_t k = 7; k <= 12; ++k) c[k] = c[k - 6] + 180;
}

// Arc cosine in 0..180 degrees built from the arc tangent, as every angle of the engine is.
double ArcCosDeg(double x) {
    double a = std::atan(std::sqrt(1 - x * x) / x);
    if (a < 0) a += PiValue;
    return RadToDeg(a);
}

double ArcSinDeg(double x) { return RadToDeg(ArcSinRad(x)); }

// Where the ecliptic can lie wholly on one side of the horizon's east-west line: at and beyond the
// polar circle, 90 degrees less the obliquity from the equator.
bool BeyondPolarCircle(double latitudeDeg, double obliquityDeg) {
    return std::fabs(latitudeDeg) >= 90 - obliquityDeg;
}

}  // namespace

void PlacidusCusps(const HouseAngles& a, HouseCusps& c) {
    c[1] = a.ASC;
    c[4] = a.MC + 180;
    if (a.Source == EphemerisSource::Precise) {
        c[11] = PlacidusSettledSemiArc(a.RAMCDeg + 30, 3, false, a);
        c[12] = PlacidusSettledSemiArc(a.RAMCDeg + 60, 1.5, false, a);
        c[2] = PlacidusSettledSemiArc(a.RAMCDeg + 120, 1.5, true, a);
        c[3] = PlacidusSettledSemiArc(a.RAMCDeg + 150, 3, true, a);
    } else {
        double latitudeRad = DegToRad(a.LatitudeDeg);
        if (latitudeRad == 0) latitudeRad = -0.00001;  // the ten-round rule needs a non-zero latitude
        c[11] = PlacidusSemiArc(a.RAMCDeg + 30, 3, false, a, latitudeRad);
        c[12] = PlacidusSemiArc(a.RAMCDeg + 60, 1.5, false, a, latitudeRad);
        c[2] = PlacidusSemiArc(a.RAMCDeg + 120, 1.5, true, a, latitudeRad);
        c[3] = PlacidusSemiArc(a.RAMCDeg + 150, 3, true, a, latitudeRad);
    }
    c[5] = c[11] + 180;
    c[6] = c[12] + 180;
    OppositeHalf(c);
}

void KochCusps(const HouseAngles& a, HouseCusps& c) {
    const double tanPhi = TanD(a.LatitudeDeg);
    const double tanEps = TanD(a.ObliquityDeg);
    const double sinEps = SinD(a.ObliquityDeg);
    const double cosEps = CosD(a.ObliquityDeg);
    const double d = ArcSinDeg(SinD(a.RAMCDeg) * tanPhi * tanEps);
    for (int i = 1; i <= 12; ++i) {
        const double angle = Norm360(30.0 * i + 60);
        double s;
        double q;
        if (angle < 180) {
            s = 1;
            q = angle / 90 - 1;
        } else {
            s = -1;
            q = angle / 90 - 3;
        }
        const double h = Norm360(a.RAMCDeg + angle + q * d);
        c[static_cast<std::size_t>(i)] =
            HouseAtan2Deg(SinD(h), CosD(h) * cosEps - s * tanPhi * sinEps);
    }
}

void PorphyryCusps(const HouseAngles& a, HouseCusps& c) {
    const double ic = Norm360(a.MC + 180);
    c[1] = a.ASC;
    double q1 = a.ASC - a.MC;
    if (q1 < 0) q1 += 360;
    q1 /= 3;
    c[4] = ic;
    c[5] = ic + q1;
    c[6] = ic + 2 * q1;
    double q2 = ic - a.ASC;
    if (q2 < 0) q2 += 360;
    q2 /= 3;
    c[2] = a.ASC + q2;
    c[3] = a.ASC + 2 * q2;
    OppositeHalf(c);
}

void MeridianCusps(const HouseAngles& a, HouseCusps& c) {
    const double cosEps = CosD(a.ObliquityDeg);
    for (int i = 1; i <= 12; ++i) {
        const double h = a.RAMCDeg + 30.0 * i + 60;
        c[static_cast<std::size_t>(i)] = HouseAtan2Deg(SinD(h), CosD(h) * cosEps);
    }
}

void RegiomontanusCusps(const HouseAngles& a, HouseCusps& c) {
    const double tanPhi = TanD(a.LatitudeDeg);
    const double sinEps = SinD(a.ObliquityDeg);
    const double cosEps = CosD(a.ObliquityDeg);
    for (int i = 1; i <= 12; ++i) {
        const double angle = 30.0 * i + 60;
        const double h = a.RAMCDeg + angle;
        c[static_cast<std::size_t>(i)] =
            HouseAtan2Deg(SinD(h), CosD(h) * cosEps - SinD(angle) * tanPhi * sinEps);
    }
    // Beyond the polar circle the rule's first cusp is, for part of the day, the western
    // intersection of ecliptic and horizon (more than 180 degrees ahead of the MC); the first house
    // then opens at the eastern one and all houses turn by 180 degrees, the tenth opening at the
    // lower meridian.
    if (BeyondPolarCircle(a.LatitudeDeg, a.ObliquityDeg) && Norm360(c[1] - a.MC) > 180) {
        for (std::size_t k = 1; k <= 12; ++k) c[k] += 180;
    }
}

namespace {

std::string TwoDigitText(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

}  // namespace

const HouseSystemRow& HouseSystemOf(HouseSystem system) {
    return HouseSystems[static_cast<std::size_t>(system)];
}

const HouseSystemRow* HouseSystemByCode(std::string_view code) {
    for (const HouseSystemRow& row : HouseSystems) {
        if (row.code == code) return &row;
    }
    return nullptr;
}

std::optional<HouseSystem> ComputedHouseSystemByCode(std::string_view code) {
    const HouseSystemRow* row = HouseSystemByCode(code);
    if (row == nullptr || row->routine == nullptr) return std::nullopt;
    return row->system;
}

HouseSystem HouseSystemFromOption(float optionValue27) {
    for (const HouseSystemRow& row : HouseSystems) {
        if (row.routine != nullptr && row.optionValue == optionValue27) return row.system;
    }
    return HouseSystem::Placidus;
}

std::string_view HouseSystemName(std::string_view code) {
    const HouseSystemRow* row = HouseSystemByCode(code);
    return row == nullptr ? std::string_view() : row->name;
}

const HouseSystemRow& ComputedHouseSystemOf(std::string_view HouseSystemCode) {
    const HouseSystemRow* row = HouseSystemByCode(HouseSystemCode);
    return row != nullptr && row->routine != nullptr ? *row : HouseSystemOf(HouseSystem::Regiomontanus);
}

double HouseAtan2Deg(double y, double x) { return RadToDeg(RectToPolar(x, y).angle); }

double MidheavenFromRAMC(double ramcDeg, double obliquityDeg) {
    return Norm360(HouseAtan2Deg(SinD(ramcDeg), CosD(ramcDeg) * CosD(obliquityDeg)));
}

double AscendantFromRAMC(double ramcDeg, double obliquityDeg, double latitudeDeg) {
    // The zenith turned into ecliptic coordinates; the ascendant lies 90 degrees east of it.
    const double cosPhi = CosD(latitudeDeg);
    const Rect zenith = PolarToRect(cosPhi, DegToRad(ramcDeg));
    const double z = SinD(latitudeDeg);
    const double y = zenith.y * CosD(obliquityDeg) + z * SinD(obliquityDeg);
    const double asc = Norm360(HouseAtan2Deg(y, zenith.x) + 90);
    // Beyond the polar circle that point is, for part of the day, the western intersection of
    // ecliptic and horizon, more than 180 degrees ahead of the MC; the ascendant is the other one.
    if (BeyondPolarCircle(latitudeDeg, obliquityDeg) &&
        Norm360(asc - MidheavenFromRAMC(ramcDeg, obliquityDeg)) > 180) {
        return Norm360(asc + 180);
    }
    return asc;
}

double EclipticPointDeclination(double lon, double obliquityDeg) {
    const double x = CosD(lon);
    const double y = SinD(lon) * CosD(obliquityDeg);
    const double z = SinD(lon) * SinD(obliquityDeg);
    return RectToSpherical(x, y, z).lat;
}

double RAMCFromSidereal(double S, double dayFraction, double westLongitudeDeg) {
    const double days = (24 * dayFraction + S) / 24;
    return Norm360((days - std::floor(days)) * 360 - westLongitudeDeg);
}

namespace {

// The sidereal time, RAMC, obliquity, MC and ASC of the moment a.T (UT time of day `dayFraction`)
// at the place a.LatitudeDeg, a.LongitudeDeg.
void SetAnglesOfMoment(HouseAngles& a, double dayFraction, EphemerisSource source) {
    a.RAMCDeg = RAMCFromSidereal(SiderealHoursOfDate(source, a.T), dayFraction, a.LongitudeDeg);
    a.RAMCRad = DegToRad(a.RAMCDeg);
    a.ObliquityDeg = ObliquityOfDate(source, a.T);
    a.MC = MidheavenFromRAMC(a.RAMCDeg, a.ObliquityDeg);
    a.ASC = AscendantFromRAMC(a.RAMCDeg, a.ObliquityDeg, a.LatitudeDeg);
    a.Source = source;

    double st = a.RAMCDeg;
    if (a.LatitudeDeg < 0) st = Norm360(st + 180);
    const double hours = st / 15;
    a.STHours = static_cast<int>(std::floor(hours));
    const double minutes = (hours - a.STHours) * 60;
    a.STMinutes = static_cast<int>(std::floor(minutes));
    a.STSeconds = static_cast<int>(std::floor((minutes - a.STMinutes) * 60));
}

}  // namespace

HouseAngles HouseEngine(ChartState& chart, EphemerisState& eph) {
    const ParsedInput& in = chart.input;
    const bool natalPlace = chart.ChartPass == 0;
    const bool diurnalClock = chart.ChartPass == 3;

    const double hour = diurnalClock ? in.DiurnalHour : in.NatalHour;
    const double zone = diurnalClock ? in.DiurnalZone : in.NatalZone;
    const std::string& meridiem = diurnalClock ? in.DiurnalMeridiem : in.NatalMeridiem;
    eph.DayFraction = DayFractionFromClock(hour, zone, meridiem);

    HouseAngles a;
    a.LongitudeDeg = DecimalFromSignedDMM(natalPlace ? in.NatalLongitude : in.DiurnalLongitude);
    const double latitude = natalPlace ? in.NatalLatitude : in.DiurnalLatitude;
    const std::string& latitudeWord = natalPlace ? in.NatalLatitudeWord : in.DiurnalLatitudeWord;
    a.LatitudeDeg = HoursFromHMM(std::fabs(latitude));
    if (latitudeWord == "SOUTH") a.LatitudeDeg = -a.LatitudeDeg;

    if (diurnalClock) {
        a.DayNumber = HouseDayNumber(in.DiurnalDay, in.DiurnalMonth, in.DiurnalYear);
    } else if (chart.ChartPass == 1) {
        // The progressed houses: natal date plus AgeYears days.
        a.DayNumber = HouseDayNumber(in.NatalDay + in.AgeYears, in.NatalMonth, in.NatalYear);
    } else {
        a.DayNumber = HouseDayNumber(in.NatalDay, in.NatalMonth, in.NatalYear);
    }
    const double dayFraction = eph.DayFraction;
    a.T = (a.DayNumber - JulianDay1900 + dayFraction - 0.5) / DaysPerCentury;
    if (chart.ChartPass == 1) {
        // The progressed instant itself, from the day number the driver stored.
        chart.ProgT2000 = (chart.ProgDayNumber - JulianDay2000 + dayFraction - 0.5) / DaysPerCentury;
    } else if (diurnalClock) {
        chart.DiurnalT2000 = (a.DayNumber - JulianDay2000 + dayFraction - 0.5) / DaysPerCentury;
        chart.DiurnalDayNumber = a.DayNumber;
    }

    SetAnglesOfMoment(a, dayFraction, eph.Source);
    return a;
}

HouseAngles HouseAnglesAt(double jdUT, double latitudeDeg, double westLongitudeDeg, EphemerisSource source) {
    HouseAngles a;
    a.LatitudeDeg = latitudeDeg;
    a.LongitudeDeg = westLongitudeDeg;
    a.DayNumber = std::floor(jdUT + 0.5);
    const double dayFraction = jdUT + 0.5 - a.DayNumber;
    a.T = (a.DayNumber - JulianDay1900 + dayFraction - 0.5) / DaysPerCentury;
    SetAnglesOfMoment(a, dayFraction, source);
    return a;
}

double PlacidusSemiArc(double start, double divisor, bool below, const HouseAngles& a,
                       double latitudeRad) {
    const double k = below ? 1.0 : -1.0;
    const double tanEps = TanD(a.ObliquityDeg);
    const double tanPhi = std::tan(latitudeRad);
    double r = start;
    // Exactly ten rounds, as the cusps have always been computed; no convergence test.
    for (int round = 0; round < 10; ++round) {
        const double arc = ArcCosDeg(k * SinD(r) * tanEps * tanPhi);
        r = below ? a.RAMCDeg + 180 - arc / divisor : a.RAMCDeg + arc / divisor;
    }
    return Norm360(HouseAtan2Deg(SinD(r), CosD(r) * CosD(a.ObliquityDeg)));
}

double PlacidusSettledSemiArc(double start, double divisor, bool below, const HouseAngles& a) {
    // The rounds close in on the cusp more slowly the nearer the polar circle: about 70 at 66
    // degrees. Beyond it the semi-arcs do not exist and the latitude limit keeps the rule away.
    constexpr int MaxRounds = 1000;
    constexpr double SettledDeg = 1e-10;
    const double k = below ? 1.0 : -1.0;
    const double tanProduct = TanD(a.ObliquityDeg) * TanD(a.LatitudeDeg);
    double r = start;
    for (int round = 0; round < MaxRounds; ++round) {
        const double arc = RadToDeg(std::acos(std::clamp(k * SinD(r) * tanProduct, -1.0, 1.0)));
        const double next = below ? a.RAMCDeg + 180 - arc / divisor : a.RAMCDeg + arc / divisor;
        const bool settled = std::fabs(next - r) < SettledDeg;
        r = next;
        if (settled) break;
    }
    return Norm360(HouseAtan2Deg(SinD(r), CosD(r) * CosD(a.ObliquityDeg)));
}

void ComputeCusps(const HouseAngles& a, std::string_view HouseSystemCode, CuspArray& WorkCusp) {
    HouseCusps c{};
    ComputedHouseSystemOf(HouseSystemCode).routine(a, c);
    StoreTenthFirst(c, WorkCusp);
}

std::string SiderealTimeText(const HouseAngles& a) {
    return TwoDigitText(a.STHours) + "H  " + TwoDigitText(a.STMinutes) + "M  " +
           TwoDigitText(a.STSeconds) + "S ";
}

int HouseSlotOf(double lon, const CuspArray& WorkCusp) {
    // A hair past the point, so that a point exactly on a cusp falls in the house it opens.
    const double lambda = lon + 1.0 / 36000;
    int slot = 0;
    for (int h = 1; h <= 12; ++h) {
        const double c1 = WorkCusp[static_cast<std::size_t>(h)];
        const double c2 = WorkCusp[static_cast<std::size_t>(h == 12 ? 1 : h + 1)];
        const bool inside = c2 < c1 ? (lambda >= c1 || lambda < c2) : (lambda >= c1 && lambda < c2);
        if (inside) slot = h;
    }
    return slot;
}

void HousePlacement(const PointArray& WorkLong, const CuspArray& WorkCusp, std::string& HouseLine) {
    if (HouseLine.size() < 120) HouseLine.resize(120, ' ');
    for (int p = 1; p <= 12; ++p) {
        const int h = HouseSlotOf(WorkLong[static_cast<std::size_t>(p)], WorkCusp);
        if (h != 0) {
            HouseLine.replace(static_cast<std::size_t>(10 * p - 10), 10, std::string(HouseOrdinalText(h)) + " HOUSE");
        }
    }
}

bool LatitudeAboveLimit(double degrees, double minutes, const HouseLatitudeLimit& limit) {
    if (!limit.limited) return false;
    return degrees > limit.degrees || (degrees == limit.degrees && minutes > limit.minutes);
}

}  // namespace orrerion
