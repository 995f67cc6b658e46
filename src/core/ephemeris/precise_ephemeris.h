#pragma once
// Precise positions from the Swiss Ephemeris library (Debian's libswe, AGPL-3.0, with the data
// files of swe-basic-data for 1800 to 2400; outside those years the library's own analytic series):
// apparent geocentric ecliptic longitude and latitude and the declination of date at a universal
// time instant, with the library's delta T; its true obliquity and apparent sidereal time. Only
// this file's source talks to the library.
//
// The library keeps its state (data folder, open files, caches) per thread: Debian builds it with
// thread-local storage. Each entry below points the calling thread's state at the data folder
// before that thread's first computation, and the thread's files are closed when it ends, so
// threads may compute side by side without a lock; each computes exactly what one thread would.
#include <optional>
#include <string>
#include <vector>

#include "core/ephemeris/eclipses.h"
#include "core/ephemeris/ephemeris.h"
#include "core/ephemeris/extra_points.h"

namespace orrerion {

// The environment variable naming the folder of the data files (tests point it at an empty
// folder). Unset, the library's own search path is used, which on Debian is
// /usr/share/libswe/ephe (the library's SE_EPHE_PATH variable, when set, comes first).
inline constexpr const char* PreciseDataFolderVariable = "ORRERION_SWE_PATH";

struct PreciseAvailability {
    bool available = false;
    std::string reason;  // why not, when !available: the library's own words where it has them
};

// Whether precise positions can be computed here: this build has the library and the library finds
// the data files of the Sun, planets and Moon. Cheap enough to ask before every calculation.
PreciseAvailability CheckPreciseEphemeris();
// Whether the library computes the Sun, the planets and the Moon at the UT Julian date from its data
// files; false where it quietly falls back on its analytic series (and in a build without it).
bool PreciseFilesCover(double jdUT);
// The years the data files of swe-basic-data cover, for the note on dates outside them.
inline constexpr int PreciseFilesFirstYear = 1800;
inline constexpr int PreciseFilesLastYear = 2399;

// "precise positions unavailable: <reason>", as both programs say it.
std::string PreciseUnavailableText(const PreciseAvailability& availability);

// EphemerisAllBodies for precise positions at the UT Julian date DayNumber + DayFraction - 0.5:
// WorkLong, WorkLat, WorkDecl and WorkLongNext (one day later) of slots 1..10 and the retrograde
// marks. Leaves EphT at T1900 of the instant plus one day, as the built-in entry does.
void PreciseAllBodies(EphemerisState& s);

// EphemerisDailyUpdate for precise positions: WorkLong 1..10 at ScanT (T1900, UT). EphT = ScanT.
void PreciseDailyUpdate(EphemerisState& s);
// EphemerisBodyLongitude for precise positions: one call to the library, at ScanT.
double PreciseBodyLongitude(EphemerisState& s, int body);
// EphemerisProgressedUpdate for precise positions, through s.ProgressedRun.
void PreciseProgressedUpdate(EphemerisState& s);

// The apparent longitude of one body (SUN..MOON), degrees 0..360, at a UT Julian date.
double PreciseLongitude(double jdUT, int body);
// Why the library cannot compute an extra point (routine Polynomial or LibraryOnly) here, in its
// own words (Chiron and the asteroids read seas_18.se1 of swe-basic-data); nothing when it can.
std::optional<std::string> PreciseExtraPointUnavailable(ExtraPoint p);
// An extra point at a UT Julian date: apparent geocentric longitude, latitude and speed of date,
// and the declination of date; or, where the library has none, its reason.
PointOutcome PreciseExtraPoint(ExtraPoint p, double jdUT);

// The true obliquity of the ecliptic, degrees, at a UT Julian date.
double PreciseTrueObliquity(double jdUT);
// The apparent sidereal time at Greenwich, hours 0..24, at a UT Julian date.
double PreciseSiderealHours(double jdUT);
// The Sun's apparent longitude, degrees 0..360, at a UT Julian date.
double PreciseSunLongitude(double jdUT);

// The instantaneous rate of change of the apparent longitude of one body (SUN..MOON), degrees a
// day, at a UT Julian date: the library's own speed.
double PreciseLongitudeSpeed(double jdUT, int body);

// Every solar and lunar eclipse whose greatest eclipse falls from `fromJD` to before `toJD` (UT
// Julian dates), in time order, as the library finds and classifies them: the moment of greatest
// eclipse, the type and the magnitude (solar: the fraction of the Sun's diameter covered where the
// eclipse is greatest; lunar: the umbral magnitude). Empty without the library.
std::vector<Eclipse> PreciseEclipses(double fromJD, double toJD);

}  // namespace orrerion
