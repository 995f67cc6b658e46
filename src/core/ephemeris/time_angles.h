#pragma once
// Time arguments, the program's own pi, degree trigonometry, angle reduction, rectangular to
// spherical conversion and Kepler's equation. Angles in degrees unless a name says Rad.
#include <cmath>

namespace orrerion {

// The program's own pi (ten decimals, not the full double value): every degree/radian conversion
// uses it, and the difference from true pi is part of every published result.
inline constexpr double PiValue = 3.1415926535;
// Kilometres per astronomical unit; orbital radii are carried in kilometres.
inline constexpr double AuKm = 149597870.0;

inline constexpr double JulianDay1900 = 2415020.0;  // 1900 January 0.5
inline constexpr double JulianDay2000 = 2451545.0;  // 2000 January 1.5
inline constexpr double DaysPerCentury = 36525.0;

// The Julian date of T (centuries from JD 2415020), in the same time scale.
inline double JulianDateOfT1900(double t1900) { return JulianDay1900 + t1900 * DaysPerCentury; }

inline double SinD(double x) { return std::sin(x * PiValue / 180); }
inline double CosD(double x) { return std::cos(x * PiValue / 180); }
// The sine and cosine of one angle together, bit for bit SinD(x) and CosD(x): the library
// computes both from one reduction of the argument.
struct SinCos {
    double sin = 0.0;
    double cos = 1.0;
};
inline SinCos SinCosD(double x) {
    const double radians = x * PiValue / 180;
    return {std::sin(radians), std::cos(radians)};
}
double TanD(double x);
double DegToRad(double x);
double RadToDeg(double x);
// Reduction to [0, 360). A result that rounds to exactly 360 (a tiny negative input) is 0.
double Norm360(double x);
// x - 360 * floor(x / 360), without the guard of Norm360.
double Mod360(double x);
// A value written H.MM (or D.MM) as decimal hours (degrees): floor + fraction * 100 / 60.
double HoursFromHMM(double x);
double ArcSinRad(double x);
double ArcCosRad(double x);  // only for x > 0

// Result of RectToSpherical: distance, distance from the polar axis, longitude and latitude.
struct Spherical {
    double R = 0.0;
    double rho = 0.0;
    double lon = 0.0;  // degrees, 0 <= lon < 360
    double lat = 0.0;  // degrees
};
Spherical RectToSpherical(double x, double y, double z);

// Eccentric anomaly in degrees from the mean anomaly M (degrees) and eccentricity e, by Newton's
// iteration to 1e-7 degree; after MaxKeplerIterations steps without settling (e of 1 or more, or
// a meaningless M) the last estimate.
inline constexpr int MaxKeplerIterations = 100;
double SolveKepler(double M, double e);

// Declination (degrees) of ecliptic longitude lon and latitude lat, with the obliquity given as
// its negated value in radians, as the callers keep it.
double EclipticToDeclination(double lon, double lat, double negObliquityRad);

// Obliquity of the ecliptic in degrees for T in Julian centuries from JD 2415020.
double ObliquityDegrees(double t1900);
// The obliquity with its sign reversed, in radians, as the ephemeris reads it.
double NegObliquityRadians(double t1900);

// Sidereal time in hours at T (centuries from JD 2415020, UT), before the time of day is added.
double SiderealHours(double T);

// The house engine's polar routines: an exact zero angle (to rectangular) or an exact zero y
// (to polar) is replaced by 1.74533e-9 radian.
struct Rect { double x = 0.0, y = 0.0; };
struct Polar { double r = 0.0, angle = 0.0; };  // angle in radians, 0 <= angle < 2 pi
Rect PolarToRect(double r, double angleRad);
Polar RectToPolar(double x, double y);

}  // namespace orrerion
