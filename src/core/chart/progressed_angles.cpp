#include "core/chart/progressed_angles.h"

#include <cmath>

#include "core/chart/houses.h"
#include "core/ephemeris/time_angles.h"

namespace orrerion {

double MidheavenFromTerms(const RAMCTerms& t) {
    return Norm360(HouseAtan2Deg(t.sinRAMC, t.cosRAMC * t.cosObliquity));
}

double AscendantFromTerms(const RAMCTerms& t, double tanLatitude) {
    return Norm360(HouseAtan2Deg(t.cosRAMC, -(t.sinRAMC * t.cosObliquity + tanLatitude * t.sinObliquity)));
}

ProgressedAngles ChartProgressedAngles(const ProgressedAngleInput& in, double& obliquityDeg) {
    ProgressedAngles angles;
    if (in.fromSiderealTime) {
        obliquityDeg = ObliquityOfDate(in.source, in.t);
        const double ramc = RAMCFromSidereal(SiderealHoursOfDate(in.source, in.t), in.dayFraction,
                                             in.westLongitudeDeg);
        const RAMCTerms terms{CosD(ramc), SinD(ramc), CosD(obliquityDeg), SinD(obliquityDeg)};
        angles.MC = MidheavenFromTerms(terms);
        angles.ASC = AscendantFromTerms(terms, TanD(in.latitudeDeg));
    } else {
        obliquityDeg = in.natalObliquityDeg;
        angles.MC = Norm360(in.sun + in.natalMC - in.natalSun);
        const double ramc = HouseAtan2Deg(SinD(angles.MC) * CosD(obliquityDeg), CosD(angles.MC));
        angles.ASC = AscendantFromRAMC(ramc, obliquityDeg, in.latitudeDeg);
    }
    return angles;
}

ProgressedAngles ScanProgressedAngles(const ProgressedAngleInput& in) {
    ProgressedAngles angles;
    double ramcDeg = 0.0;
    if (in.fromSiderealTime) {
        double days = (in.dayFraction * 24 + SiderealHoursOfDate(in.source, in.t)) / 24;
        ramcDeg = Norm360((days - std::floor(days)) * 24 * 15 - in.westLongitudeDeg);
    } else {
        angles.MC = Norm360(in.natalMC + (in.sun - in.natalSun));
        // The RAMC of that ecliptic point for the natal obliquity, in the MC's quadrant.
        ramcDeg = HouseAtan2Deg(SinD(angles.MC) * CosD(in.natalObliquityDeg), CosD(angles.MC));
    }
    const Rect r = PolarToRect(1.0, DegToRad(ramcDeg));
    const RAMCTerms terms{r.x, r.y, std::cos(in.obliquityRad), std::sin(in.obliquityRad)};
    if (in.fromSiderealTime) angles.MC = MidheavenFromTerms(terms);
    angles.ASC = AscendantFromTerms(terms, std::tan(DegToRad(in.latitudeDeg)));
    return angles;
}

}  // namespace orrerion
