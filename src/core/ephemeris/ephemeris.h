#pragma once
// The two entries through which the rest of the program reaches the ephemeris, and the shared
// working values they read and write.
#include <array>
#include <string>

namespace orrerion {

// Chart points, 1-based; every position array is indexed by it (slot 0 unused).
enum BodyIndex : int {
    SUN = 1, MERCURY, VENUS, MARS, JUPITER, SATURN, URANUS, NEPTUNE, PLUTO, MOON, ASC, MC
};
inline constexpr int BodyCount = 12;
using PointArray = std::array<double, BodyCount + 1>;  // slots 1..12

// The Earth's heliocentric position, written when body 1 of a family is computed, with its
// rectangular coordinates, which every planet's geocentric position subtracts.
struct HelioPosition {
    double L = 0.0;  // longitude, degrees
    double B = 0.0;  // latitude, degrees
    double R = 0.0;  // radius, kilometres
    double x = 0.0;  // R cos B cos L, kilometres
    double y = 0.0;  // R cos B sin L
    double z = 0.0;  // R sin B
};

// Working values shared by the ephemeris and its callers. The callers set the time values and the
// obliquity before each call; the entries overwrite the working arrays.
struct EphemerisState {
    // JD = DayNumber + DayFraction - 0.5, universal time, no delta T.
    double DayNumber = 0.0;
    double DayFraction = 0.0;
    double EphT = 0.0;          // working argument, Julian centuries (T1900 or T2000 by body)
    double EphT2000 = 0.0;      // centuries from JD 2451545
    double EphTNext = 0.0;      // EphT (as T1900) one day later
    double EphT2000Next = 0.0;  // EphT2000 one day later
    double ScanT = 0.0;         // T1900 of the day being scanned
    double NegObliquityRad = 0.0;  // -obliquity, radians

    PointArray WorkLong{};      // geocentric longitude, 0 <= value < 360 (slots 1..10 written here)
    PointArray WorkLat{};
    PointArray WorkDecl{};
    PointArray WorkLongNext{};  // longitude one day later
    std::string RetroMarks = std::string(BodyCount, ' ');  // character n-1 is "R" when body n is retrograde

    HelioPosition EarthHelio;
    double LongitudeCorrection = 0.0;  // degrees, left by the Uranus and Neptune perturbations
};

// True when a body moving from longitude `now` to `next` over one day moves backwards. Across
// 0 degrees the smaller value is lifted by 360 before comparing.
bool IsRetrograde(double now, double next);

// Longitudes, latitudes and declinations of the Sun, Moon and planets at the instant given by
// DayNumber, DayFraction, EphT (T1900) and NegObliquityRad, with the longitudes one day later and
// the retrograde marks. On return EphT holds T1900 of the instant plus one day.
void EphemerisAllBodies(EphemerisState& s);

// Longitudes only (WorkLong 1..10) at ScanT (T1900), EphT2000 and DayNumber. On return EphT == ScanT.
void EphemerisDailyUpdate(EphemerisState& s);

}  // namespace orrerion
