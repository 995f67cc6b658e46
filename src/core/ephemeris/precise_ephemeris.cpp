#include "core/ephemeris/precise_ephemeris.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

#include "core/ephemeris/time_angles.h"

#if ORRERION_HAVE_SWE
#include <swephexp.h>
#endif

namespace orrerion {

std::string PreciseUnavailableText(const PreciseAvailability& availability) {
    return "precise positions unavailable: " + availability.reason;
}

#if ORRERION_HAVE_SWE

namespace {

// The library's body numbers in BodyIndex order, SUN..MOON (slots 1..10).
constexpr auto LibraryBody = std::to_array<int>({SE_SUN, SE_MERCURY, SE_VENUS, SE_MARS, SE_JUPITER,
                                                 SE_SATURN, SE_URANUS, SE_NEPTUNE, SE_PLUTO, SE_MOON});
static_assert(LibraryBody.size() == MOON);

int PreciseBodyNumber(int body) { return LibraryBody[static_cast<std::size_t>(body - 1)]; }

// Apparent geocentric positions of date from the data files (the library's default, named so the
// return value shows whether it had to fall back on its analytic series).
constexpr int EclipticFlags = SEFLG_SWIEPH;
constexpr int EquatorialFlags = SEFLG_SWIEPH | SEFLG_EQUATORIAL;

// The calling thread's share of the library: pointed at the data folder before the thread's first
// computation, its files closed when the thread ends.
class ThreadLibrary {
public:
    ThreadLibrary() = default;
    ThreadLibrary(const ThreadLibrary&) = delete;
    ThreadLibrary& operator=(const ThreadLibrary&) = delete;
    ~ThreadLibrary() {
        if (open_) swe_close();
    }

    void Open() {
        if (open_) return;
        const char* folder = std::getenv(PreciseDataFolderVariable);
        swe_set_ephe_path(folder && *folder ? folder : nullptr);
        open_ = true;
    }

private:
    bool open_ = false;
};

thread_local ThreadLibrary threadLibrary;

// One body at one instant; longitudes come as 0 <= value < 360. A failed computation (an instant
// beyond every series of the library) gives no number, which the chart driver refuses before
// anything is kept.
std::array<double, 6> Compute(double jdUT, int libraryBody, int flags) {
    std::array<double, 6> x{};
    char error[AS_MAXCH] = "";
    if (swe_calc_ut(jdUT, libraryBody, flags, x.data(), error) < 0) {
        x.fill(std::numeric_limits<double>::quiet_NaN());
    }
    return x;
}

// The longitudes of SUN..MOON at T (centuries from JD 2415020, UT).
std::array<double, MOON> LongitudesAt(double t1900) {
    const double jd = JulianDateOfT1900(t1900);
    std::array<double, MOON> row{};
    for (int n = SUN; n <= MOON; ++n) {
        row[static_cast<std::size_t>(n - 1)] = Compute(jd, PreciseBodyNumber(n), EclipticFlags)[0];
    }
    return row;
}

std::string FirstLine(const char* text) {
    std::string s(text);
    const std::size_t end = s.find_first_of("\r\n");
    if (end != std::string::npos) s.resize(end);
    while (!s.empty() && (s.back() == ' ' || s.back() == ';' || s.back() == '.')) s.pop_back();
    return s;
}

}  // namespace

PreciseAvailability CheckPreciseEphemeris() {
    threadLibrary.Open();
    // The Sun and planets come from one file, the Moon from another; J2000 lies inside both.
    for (const int body : {SE_SUN, SE_MOON}) {
        std::array<double, 6> x{};
        char error[AS_MAXCH] = "";
        const int used = swe_calc_ut(JulianDay2000, body, EclipticFlags, x.data(), error);
        if (used < 0 || (used & SEFLG_SWIEPH) == 0) {
            const std::string why = FirstLine(error);
            return {false, why.empty() ? "the Swiss Ephemeris data files cannot be read" : why};
        }
    }
    return {true, {}};
}

bool PreciseFilesCover(double jdUT) {
    threadLibrary.Open();
    // The Sun and planets come from one file, the Moon from another.
    for (const int body : {SE_SUN, SE_MOON}) {
        std::array<double, 6> x{};
        char error[AS_MAXCH] = "";
        const int used = swe_calc_ut(jdUT, body, EclipticFlags, x.data(), error);
        if (used < 0 || (used & SEFLG_SWIEPH) == 0) return false;
    }
    return true;
}

void PreciseAllBodies(EphemerisState& s) {
    threadLibrary.Open();
    const double jd = s.DayNumber + s.DayFraction - 0.5;
    s.RetroMarks = std::string(BodyCount, ' ');
    // Every body at the instant first, then one day later: each pass keeps the library's caches
    // of that instant (nutation, the Earth) for all ten bodies.
    for (int n = SUN; n <= MOON; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const std::array<double, 6> ecliptic = Compute(jd, PreciseBodyNumber(n), EclipticFlags);
        s.WorkLong[i] = ecliptic[0];
        s.WorkLat[i] = ecliptic[1];
        s.WorkDecl[i] = Compute(jd, PreciseBodyNumber(n), EquatorialFlags)[1];
    }
    for (int n = SUN; n <= MOON; ++n) {
        const auto i = static_cast<std::size_t>(n);
        s.WorkLongNext[i] = Compute(jd + 1, PreciseBodyNumber(n), EclipticFlags)[0];
    }
    // The Sun and the Moon are never marked.
    for (int n = MERCURY; n <= PLUTO; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (IsRetrograde(s.WorkLong[i], s.WorkLongNext[i])) s.RetroMarks[i - 1] = 'R';
    }
    s.EphT = (jd - JulianDay1900) / DaysPerCentury + 1.0 / DaysPerCentury;
}

void PreciseDailyUpdate(EphemerisState& s) {
    threadLibrary.Open();
    s.EphT = s.ScanT;
    const std::array<double, MOON> row = LongitudesAt(s.ScanT);
    for (int n = SUN; n <= MOON; ++n) s.WorkLong[static_cast<std::size_t>(n)] = row[static_cast<std::size_t>(n - 1)];
}

double PreciseBodyLongitude(EphemerisState& s, int body) {
    threadLibrary.Open();
    s.EphT = s.ScanT;
    return Compute(JulianDateOfT1900(s.ScanT), PreciseBodyNumber(body), EclipticFlags)[0];
}

namespace {

// How many progressed moments one run works out ahead: a scan of 32767 days asks for 256 runs.
constexpr int RunLength = 128;

}  // namespace

void PreciseProgressedUpdate(EphemerisState& s) {
    threadLibrary.Open();
    PreciseRun& run = s.ProgressedRun;
    const int day = s.ProgressedDay;
    const bool inRun = !run.Rows.empty() && run.BaseT == s.ProgressedBaseT && day >= run.FirstDay &&
                       day - run.FirstDay < static_cast<int>(run.Rows.size());
    if (!inRun) {
        // The moments as the scan computes them, so that a row does not depend on where its run
        // began.
        run.BaseT = s.ProgressedBaseT;
        run.FirstDay = day;
        run.Rows.resize(static_cast<std::size_t>(RunLength));
        for (int i = 0; i < RunLength; ++i) {
            run.Rows[static_cast<std::size_t>(i)] = LongitudesAt(run.BaseT + (day + i) / 36525.0 / 365.25);
        }
    }
    const std::array<double, MOON>& row = run.Rows[static_cast<std::size_t>(day - run.FirstDay)];
    for (int n = SUN; n <= MOON; ++n) s.WorkLong[static_cast<std::size_t>(n)] = row[static_cast<std::size_t>(n - 1)];
    s.EphT = s.ScanT;
}

double PreciseLongitude(double jdUT, int body) {
    threadLibrary.Open();
    return Compute(jdUT, PreciseBodyNumber(body), EclipticFlags)[0];
}

namespace {

// The library's number of each extra point it computes; -1 for the points made from others.
constexpr auto LibraryPoint = std::to_array<int>({
    SE_MEAN_NODE,  // MeanNode
    -1,            // MeanSouthNode
    SE_TRUE_NODE,  // TrueNode
    -1,            // TrueSouthNode
    SE_MEAN_APOG,  // Lilith: the mean lunar apogee on the mean lunar orbit
    SE_CHIRON,     // Chiron
    SE_CERES,      // Ceres
    SE_PALLAS,     // Pallas
    SE_JUNO,       // Juno
    SE_VESTA,      // Vesta
    -1,            // Fortune
});
static_assert(LibraryPoint.size() == ExtraPointCount);

int LibraryPointNumber(ExtraPoint p) { return LibraryPoint[static_cast<std::size_t>(p)]; }

// One extra point: the position, or the library's error text.
PointOutcome ComputePoint(ExtraPoint p, double jdUT) {
    PointOutcome out;
    const int body = LibraryPointNumber(p);
    const std::string name(RowOf(p).name);
    if (body < 0) {
        out.reason = name + ": not a body of the Swiss Ephemeris";
        return out;
    }
    std::array<double, 6> ecliptic{};
    std::array<double, 6> equatorial{};
    char error[AS_MAXCH] = "";
    if (swe_calc_ut(jdUT, body, EclipticFlags | SEFLG_SPEED, ecliptic.data(), error) < 0 ||
        swe_calc_ut(jdUT, body, EquatorialFlags, equatorial.data(), error) < 0) {
        const std::string why = FirstLine(error);
        out.reason = name + ": " + (why.empty() ? "the Swiss Ephemeris cannot compute it" : why);
        return out;
    }
    out.ok = true;
    out.position = {ecliptic[0], ecliptic[1], equatorial[1], ecliptic[3]};
    return out;
}

}  // namespace

std::optional<std::string> PreciseExtraPointUnavailable(ExtraPoint p) {
    threadLibrary.Open();
    const PointOutcome at2000 = ComputePoint(p, JulianDay2000);
    if (at2000.ok) return std::nullopt;
    return at2000.reason;
}

PointOutcome PreciseExtraPoint(ExtraPoint p, double jdUT) {
    threadLibrary.Open();
    return ComputePoint(p, jdUT);
}

double PreciseTrueObliquity(double jdUT) {
    threadLibrary.Open();
    return Compute(jdUT, SE_ECL_NUT, EclipticFlags)[0];
}

double PreciseSiderealHours(double jdUT) {
    threadLibrary.Open();
    // The obliquity and nutation of this instant, which the library keeps from a previous call at
    // the same instant, so the progressed instant of a scanned day is worked out once.
    const std::array<double, 6> nutation = Compute(jdUT, SE_ECL_NUT, EclipticFlags);
    return swe_sidtime0(jdUT, nutation[0], nutation[2]);
}

double PreciseSunLongitude(double jdUT) {
    threadLibrary.Open();
    return Compute(jdUT, SE_SUN, EclipticFlags)[0];
}

double PreciseLongitudeSpeed(double jdUT, int body) {
    threadLibrary.Open();
    return Compute(jdUT, PreciseBodyNumber(body), EclipticFlags | SEFLG_SPEED)[3];
}

namespace {

// The library's type bits of an eclipse, in the order they are tested.
struct EclipseBits {
    int bits;
    EclipseType type;
};
constexpr auto SolarBits = std::to_array<EclipseBits>({
    {SE_ECL_TOTAL, EclipseType::Total},
    {SE_ECL_ANNULAR, EclipseType::Annular},
    {SE_ECL_ANNULAR_TOTAL, EclipseType::Hybrid},
    {SE_ECL_PARTIAL, EclipseType::Partial},
});
static_assert(SolarBits.size() == 4);
constexpr auto LunarBits = std::to_array<EclipseBits>({
    {SE_ECL_TOTAL, EclipseType::Total},
    {SE_ECL_PARTIAL, EclipseType::Partial},
    {SE_ECL_PENUMBRAL, EclipseType::Penumbral},
});
static_assert(LunarBits.size() == 3);

template <std::size_t N>
std::optional<EclipseType> TypeOfBits(int flags, const std::array<EclipseBits, N>& table) {
    for (const EclipseBits& row : table) {
        if ((flags & row.bits) != 0) return row.type;
    }
    return std::nullopt;
}

// Two eclipses of one kind lie at least a lunar month apart; the next search starts a day after
// the last one found, well past its end.
constexpr double NextSearchDays = 1.0;

}  // namespace

std::vector<Eclipse> PreciseEclipses(double fromJD, double toJD) {
    threadLibrary.Open();
    std::vector<Eclipse> found;
    char error[AS_MAXCH] = "";
    for (double start = fromJD;;) {
        std::array<double, 10> times{};
        const int flags = swe_sol_eclipse_when_glob(start, EclipticFlags, 0, times.data(), 0, error);
        if (flags <= 0 || !(times[0] < toJD)) break;
        const std::optional<EclipseType> type = TypeOfBits(flags, SolarBits);
        if (type && times[0] >= fromJD) {
            std::array<double, 10> where{};
            std::array<double, 20> attributes{};
            swe_sol_eclipse_where(times[0], EclipticFlags, where.data(), attributes.data(), error);
            found.push_back({true, times[0], *type, attributes[0]});
        }
        start = times[0] + NextSearchDays;
    }
    for (double start = fromJD;;) {
        std::array<double, 10> times{};
        const int flags = swe_lun_eclipse_when(start, EclipticFlags, 0, times.data(), 0, error);
        if (flags <= 0 || !(times[0] < toJD)) break;
        const std::optional<EclipseType> type = TypeOfBits(flags, LunarBits);
        if (type && times[0] >= fromJD) {
            // The magnitudes do not depend on the place given.
            std::array<double, 3> place{};
            std::array<double, 20> attributes{};
            swe_lun_eclipse_how(times[0], EclipticFlags, place.data(), attributes.data(), error);
            found.push_back({false, times[0], *type, attributes[0]});
        }
        start = times[0] + NextSearchDays;
    }
    std::sort(found.begin(), found.end(), [](const Eclipse& a, const Eclipse& b) { return a.jd < b.jd; });
    return found;
}

#else  // built without the library: nothing can be computed, and CheckPreciseEphemeris says so

PreciseAvailability CheckPreciseEphemeris() {
    return {false, "this build of the program has no Swiss Ephemeris library (libswe-dev)"};
}

namespace {
constexpr double NoNumber = std::numeric_limits<double>::quiet_NaN();
}  // namespace

void PreciseAllBodies(EphemerisState& s) {
    for (int n = SUN; n <= MOON; ++n) {
        const auto i = static_cast<std::size_t>(n);
        s.WorkLong[i] = s.WorkLat[i] = s.WorkDecl[i] = s.WorkLongNext[i] = NoNumber;
    }
}

void PreciseDailyUpdate(EphemerisState& s) {
    for (int n = SUN; n <= MOON; ++n) s.WorkLong[static_cast<std::size_t>(n)] = NoNumber;
}

double PreciseBodyLongitude(EphemerisState&, int) { return NoNumber; }

void PreciseProgressedUpdate(EphemerisState& s) { PreciseDailyUpdate(s); }

std::optional<std::string> PreciseExtraPointUnavailable(ExtraPoint p) {
    return std::string(RowOf(p).name) + ": " + CheckPreciseEphemeris().reason;
}

PointOutcome PreciseExtraPoint(ExtraPoint p, double) {
    PointOutcome out;
    out.reason = *PreciseExtraPointUnavailable(p);
    return out;
}

bool PreciseFilesCover(double) { return false; }

double PreciseLongitude(double, int) { return NoNumber; }
double PreciseTrueObliquity(double) { return NoNumber; }
double PreciseSiderealHours(double) { return NoNumber; }
double PreciseSunLongitude(double) { return NoNumber; }
double PreciseLongitudeSpeed(double, int) { return NoNumber; }
std::vector<Eclipse> PreciseEclipses(double, double) { return {}; }

#endif

}  // namespace orrerion
