#include "core/ephemeris/sun_moon.h"

#include "core/ephemeris/sun_moon_tables.h"
#include "core/ephemeris/time_angles.h"

namespace orrerion {
namespace {
constexpr double ArcsecPerDegree = 3600;
}

double ComputeSun(double T) {
    const double T2 = T * T;
    const double lp = (1.882 - 0.016 * T) / ArcsecPerDegree * SinD(57.24 + 150.27 * T) +
                      6.4 / ArcsecPerDegree * SinD(231.19 + 20.2 * T) +
                      0.266 / ArcsecPerDegree * SinD(31.8 + 119 * T);
    const double L = Norm360(279.6966778 + 36000 * T + 2768.13 / ArcsecPerDegree * T +
                             1.089 / ArcsecPerDegree * T2 +
                             0.202 / ArcsecPerDegree * SinD(315.6 + 893.3 * T) + lp);
    const double M = Norm360(358.4758333 + 35999 * T + 179.1 / ArcsecPerDegree * T -
                             0.54 / ArcsecPerDegree * T2 + lp);
    // Mean anomalies of the disturbing bodies, and the Moon's elongation and anomaly.
    const double V = Norm360(212.45 + 58517.493 * T);
    const double Ma = Norm360(319.58 + 19139.977 * T);
    const double J = Norm360(225.28 + 3034.583 * T + 1300 / ArcsecPerDegree * SinD(133.775 + 39.804 * T));
    const double S = Norm360(175.6 + 1221.794 * T);
    const double D = Norm360(350.737486 + 445267.114217 * T);
    const double l = Norm360(296.104608 + 477198.849108 * T);

    const double C = (6910.057 - 17.24 * T) / ArcsecPerDegree * SinD(M) +
                     (72.338 - 0.361 * T) / ArcsecPerDegree * SinD(2 * M) +
                     1.054 / ArcsecPerDegree * SinD(3 * M);

    double perturbations = 0.0;
    for (const SunTerm& t : SunPerturbationTable) {
        const double argument = t.kV * V + t.kMa * Ma + t.kJ * J + t.kS * S + t.kD * D + t.kl * l + t.kM * M;
        const double amplitude = t.amplitudeArcsec / ArcsecPerDegree;
        if (t.kind == SunTermKind::CosineWithPhase) {
            perturbations += amplitude * CosD(t.phaseDeg + argument);
        } else {
            perturbations += amplitude * SinD(argument);
        }
    }
    const double trueLongitude = L + C + perturbations;
    return trueLongitude - 0.00569 - 0.00479 * SinD(259.18 - 1934.142 * T);
}

MoonPosition ComputeMoon(double T) {
    const double T2 = T * T;
    const double T3 = T2 * T;
    const double Lm = Norm360(270.434164 + 481267.883142 * T - 0.001133 * T2 + 0.0000019 * T3);
    const double l = Norm360(296.104608 + 477198.849108 * T + 0.009192 * T2 + 0.0000144 * T3);
    const double node = Norm360(259.183275 - 1934.142008 * T + 0.002078 * T2 + 0.0000022 * T3);
    const double Ls = Norm360(279.696678 + 36000.768925 * T + 0.000303 * T2);
    const double lSun = Norm360(358.475833 + 35999.04975 * T - 0.00015 * T2 - 0.0000033 * T3);
    const double D = Lm - Ls;
    const double F = Lm - node;

    const double nutation = -17.2 / ArcsecPerDegree * SinD(node) + 0.206 / ArcsecPerDegree * SinD(2 * node) -
                            1.319 / ArcsecPerDegree * SinD(2 * Ls) + 0.143 / ArcsecPerDegree * SinD(lSun) -
                            0.227 / ArcsecPerDegree * SinD(2 * Lm) + 0.071 / ArcsecPerDegree * SinD(l);

    double series = 0.0;
    for (const MoonTerm& t : MoonLongitudeTable) {
        const double argument = t.kD * D + t.kl * l + t.klPrime * lSun + t.kF * F;
        series += t.amplitudeArcsec / ArcsecPerDegree * SinD(argument);
    }

    MoonPosition p;
    p.longitude = Lm + series + nutation;
    const double f2d = F - 2 * D;
    p.latitude = 18519.7 / ArcsecPerDegree * SinD(Norm360(p.longitude) - node + 0.114 * SinD(2 * F) + 0.15 * SinD(lSun)) -
                 526.1 / ArcsecPerDegree * SinD(f2d) + 44.3 / ArcsecPerDegree * SinD(f2d + l) -
                 30.6 / ArcsecPerDegree * SinD(f2d - l) - 22.6 / ArcsecPerDegree * SinD(f2d + lSun) +
                 11.0 / ArcsecPerDegree * SinD(f2d - lSun) - 24.6 / ArcsecPerDegree * SinD(F - 2 * l) +
                 20.6 / ArcsecPerDegree * SinD(F - l);
    return p;
}

}  // namespace orrerion
