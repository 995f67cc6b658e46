#include "core/ephemeris/time_angles.h"

namespace orrerion {

double TanD(double x) { return SinD(x) / CosD(x); }
double DegToRad(double x) { return x * 3.1415926535 / 180; }
double RadToDeg(double x) { return x * 180 / 3.1415926535; }

double Norm360(double x) {
    double result;
    if (x >= 0) {
        result = x - 360 * std::floor(x / 360);
    } else if (x < 0) {
        result = x - 360 * (std::floor(x / 360) + 1) + 360;
    } else {
        return 0.0;  // not a number
    }
    // Rounding can leave a result a hair outside [0, 360): a tiny negative input reduces to exactly
    // 360, which would print as a thirteenth sign. Fold such results back into the range.
    if (result < 0) result += 360;
    if (result >= 360) result = 0.0;
    return result;
}

double Mod360(double x) { return x - 360 * std::floor(x / 360); }

double HoursFromHMM(double x) {
    const double whole = std::floor(x);
    return whole + (x - whole) * 100 / 60;
}

double ArcSinRad(double x) { return std::atan(x / std::sqrt(1 - x * x)); }
double ArcCosRad(double x) { return std::atan(std::sqrt(1 - x * x) / x); }

Spherical RectToSpherical(double x, double y, double z) {
    Spherical s;
    s.R = std::sqrt(x * x + y * y + z * z);
    s.rho = std::sqrt(x * x + y * y);
    if (s.rho == 0) {
        s.lat = z > 0 ? 90.0 : (z < 0 ? -90.0 : 0.0);
    } else {
        s.lat = RadToDeg(std::atan(z / s.rho));
    }
    // Half-angle form of the longitude, placed in its quadrant by the signs of x and y.
    const double half = 2 * RadToDeg(std::atan(y / (std::fabs(x) + std::sqrt(x * x + y * y))));
    if (x == 0 && y == 0) {
        s.lon = 0.0;
    } else if (x >= 0 && y >= 0) {
        s.lon = half;
    } else if (x >= 0 && y < 0) {
        s.lon = half + 360;
    } else {
        s.lon = 180 - half;
    }
    return s;
}

double SolveKepler(double M, double e) {
    const double eDeg = e * 180 / PiValue;
    double E = M;
    // Newton's iteration, which for the planets' eccentricities meets its tolerance within a few
    // steps. Far outside the supported dates the elements' polynomials give an eccentricity of 1
    // or more, or a mean anomaly so large that a step is below the spacing of doubles, and the
    // iteration may never settle: it stops after MaxKeplerIterations steps.
    for (int step = 0; step < MaxKeplerIterations; ++step) {
        const SinCos trig = SinCosD(E);
        const double next = E + (M + eDeg * trig.sin - E) / (1 - e * trig.cos);
        if (!(std::fabs(next - E) >= 0.0000001)) return next;
        E = next;
    }
    return E;
}

double EclipticToDeclination(double lon, double lat, double negObliquityRad) {
    const double eps = -negObliquityRad;
    const double x = CosD(lat) * CosD(lon);
    const double y = CosD(lat) * SinD(lon) * std::cos(eps) - SinD(lat) * std::sin(eps);
    const double z = CosD(lat) * SinD(lon) * std::sin(eps) + SinD(lat) * std::cos(eps);
    return RectToSpherical(x, y, z).lat;
}

double ObliquityDegrees(double t) {
    return 23.4522944 - 0.0130125 * t - 0.000001639 * t * t + 0.000000503 * t * t * t;
}

double NegObliquityRadians(double t) { return -ObliquityDegrees(t) * PiValue / 180; }

double SiderealHours(double T) { return (23925.836 + 8640184.54 * T + 0.0929 * T * T) / 3600; }

Rect PolarToRect(double r, double angleRad) {
    if (angleRad == 0) angleRad = 0.00000000174533;
    return {r * std::cos(angleRad), r * std::sin(angleRad)};
}

Polar RectToPolar(double x, double y) {
    if (y == 0) y = 0.00000000174533;
    Polar p;
    p.r = std::sqrt(x * x + y * y);
    p.angle = std::atan(y / x);
    if (p.angle < 0) p.angle += PiValue;
    if (y < 0) p.angle += PiValue;
    return p;
}

}  // namespace orrerion
