#pragma once
// The entries through which the rest of the program reaches the ephemeris, and the shared
// working values they read and write. Positions come from one of two sources: the program's own
// series, or the Swiss Ephemeris library (precise_ephemeris.h); the entries answer for the source
// the state names, so the callers above never ask which one it is.
#include <array>
#include <string>
#include <vector>

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

// Where positions, the obliquity and the sidereal time come from.
enum class EphemerisSource {
    Builtin,  // the program's own series at universal time, no delta T; mean obliquity
    Precise,  // the Swiss Ephemeris: apparent of date, with the library's delta T; true obliquity
};

// The years the built-in series is good for, to about an arcminute (Pluto about 10'); outside them
// Pluto's series drifts by up to a degree. UT Julian dates of 1885 January 1 0h and 2100 January 1 0h.
inline constexpr int BuiltinFirstYear = 1885;
inline constexpr int BuiltinLastYear = 2099;
inline constexpr double BuiltinFirstJD = 2409542.5;
inline constexpr double BuiltinEndJD = 2488069.5;
// True when the UT Julian date lies in BuiltinFirstYear..BuiltinLastYear.
bool BuiltinSeriesCovers(double jdUT);

// The dates the program computes positions for at all: the years a chart's date may name (a
// 16-bit year, -32768 to 32767, in the proleptic Gregorian calendar), as UT Julian dates of
// -32768 January 1 0h and 32768 January 1 0h. Beyond them the series' polynomials in time mean
// nothing, and the commands refuse such dates.
inline constexpr int SupportedFirstYear = -32768;
inline constexpr int SupportedLastYear = 32767;
inline constexpr double SupportedFirstJD = -10247206.5;
inline constexpr double SupportedEndJD = 13689325.5;
// True when the UT Julian date lies in SupportedFirstYear..SupportedLastYear (never for NaN).
bool JulianDateSupported(double jdUT);

// Precise longitudes of the progressed moments of a run of scanned days, worked out ahead (see
// EphemerisProgressedUpdate). Row i holds SUN..MOON at the moment of day FirstDay + i.
struct PreciseRun {
    double BaseT = 0.0;  // the moment of day 0 the rows were worked out from
    int FirstDay = 0;
    std::vector<std::array<double, 10>> Rows;
};

// Working values shared by the ephemeris and its callers. The callers set the time values and the
// obliquity before each call; the entries overwrite the working arrays.
struct EphemerisState {
    EphemerisSource Source = EphemerisSource::Builtin;

    // JD = DayNumber + DayFraction - 0.5, universal time, no delta T.
    double DayNumber = 0.0;
    double DayFraction = 0.0;
    double EphT = 0.0;          // working argument, Julian centuries (T1900 or T2000 by body)
    double EphT2000 = 0.0;      // centuries from JD 2451545
    double EphTNext = 0.0;      // EphT (as T1900) one day later
    double EphT2000Next = 0.0;  // EphT2000 one day later
    double ScanT = 0.0;         // T1900 of the day being scanned
    // The scan's progressed moments: ScanT == ProgressedBaseT + ProgressedDay / 36525 / 365.25.
    double ProgressedBaseT = 0.0;
    int ProgressedDay = 0;
    double NegObliquityRad = 0.0;  // -obliquity, radians

    PointArray WorkLong{};      // geocentric longitude, 0 <= value < 360 (slots 1..10 written here)
    PointArray WorkLat{};
    PointArray WorkDecl{};
    PointArray WorkLongNext{};  // longitude one day later
    std::string RetroMarks = std::string(BodyCount, ' ');  // character n-1 is "R" when body n is retrograde

    HelioPosition EarthHelio;
    double LongitudeCorrection = 0.0;  // degrees, left by the Uranus and Neptune perturbations

    PreciseRun ProgressedRun;  // precise positions only
};

// True when a body moving from longitude `now` to `next` over one day moves backwards. Across
// 0 degrees the smaller value is lifted by 360 before comparing.
bool IsRetrograde(double now, double next);

// Longitudes, latitudes and declinations of the Sun, Moon and planets at the instant given by
// DayNumber, DayFraction, EphT (T1900) and NegObliquityRad, with the longitudes one day later and
// the retrograde marks. On return EphT holds T1900 of the instant plus one day. Precise positions
// read the instant from DayNumber and DayFraction alone and their own declinations.
void EphemerisAllBodies(EphemerisState& s);

// Longitudes only (WorkLong 1..10) at ScanT (T1900), EphT2000 and DayNumber. On return EphT == ScanT.
// Precise positions read the instant from ScanT alone.
void EphemerisDailyUpdate(EphemerisState& s);

// The longitude of one body, SUN..MOON, 0 <= value < 360, at the instant EphemerisDailyUpdate
// reads (ScanT, EphT2000 and DayNumber): the same bits as that body's WorkLong after it, computing
// only that body and, for a planet, the Earth it is seen from. A search that follows one body
// through many instants needs nothing else. Leaves EphT and the Earth's working values changed.
double EphemerisBodyLongitude(EphemerisState& s, int body);

// EphemerisDailyUpdate for the progressed moment of scanned day ProgressedDay, which the scan asks
// for between the transit moments of two days. The built-in series computes it as
// EphemerisDailyUpdate does. The library keeps one stretch of its data files per body in memory,
// and switching between the transit and the progressed years every day would read them again twice
// a day; so precise positions work out the moments of the next days in one run (ProgressedRun).
// A day's row is the same bits however the runs fall, so the scan may start anywhere.
void EphemerisProgressedUpdate(EphemerisState& s);

// The longitude of one body (SUN..MOON), 0 <= value < 360, at a UT Julian date, for the searches
// that follow one body through time. The built-in series gives what EphemerisAllBodies gives for
// the instant split into its day number and time of day; precise positions compute that body alone.
// Overwrites the working values as EphemerisDailyUpdate does.
double LongitudeOfDate(EphemerisState& s, int body, double jdUT);

// The obliquity of the ecliptic in degrees at T (centuries from JD 2415020, UT): the built-in mean
// obliquity (ObliquityDegrees), or the library's true obliquity of date.
double ObliquityOfDate(EphemerisSource source, double t1900);

// The sidereal hours the house engine adds 24 * (the UT time of day) to: the built-in polynomial
// (SiderealHours), or the library's apparent sidereal time at Greenwich at T less 24 * the UT time
// of day of T, so that both add up to the sidereal time at T.
double SiderealHoursOfDate(EphemerisSource source, double t1900);

// The Sun's longitude at T (centuries from JD 2415020, UT), 0 <= value < 360.
double SunLongitudeOfDate(EphemerisSource source, double t1900);

}  // namespace orrerion
