#pragma once
// The house engine: the moment, RAMC, obliquity, MC and ASC of a chart, its twelve cusps by the
// chosen system, the sidereal-time text and the line naming the house of every chart point.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/chart/chart_state.h"
#include "core/ephemeris/ephemeris.h"

namespace orrerion {

// What HouseEngine computes for one pass; ComputeCusps reads it.
struct HouseAngles {
    double T = 0.0;             // centuries from JD 2415020 of the pass's moment (UT, no delta T)
    double DayNumber = 0.0;     // day number of the pass's date (Gregorian correction after 2299171)
    double RAMCDeg = 0.0;       // right ascension of the midheaven, 0..360
    double RAMCRad = 0.0;
    double ObliquityDeg = 0.0;
    double LatitudeDeg = 0.0;   // the place's latitude, north positive
    double LongitudeDeg = 0.0;  // the place's longitude, west positive
    double MC = 0.0;
    double ASC = 0.0;
    // Where the sidereal time and obliquity came from. With precise positions the Placidus cusps
    // are iterated until they settle; the built-in series keeps its ten rounds.
    EphemerisSource Source = EphemerisSource::Builtin;
    int STHours = 0, STMinutes = 0, STSeconds = 0;  // sidereal time (12 hours on at a southern place)
};

// Cusps by house number 1..12 (slot 0 unused), as a house system's routine writes them.
using HouseCusps = std::array<double, 13>;
using HouseRoutine = void (*)(const HouseAngles&, HouseCusps&);
void PlacidusCusps(const HouseAngles& a, HouseCusps& c);
void RegiomontanusCusps(const HouseAngles& a, HouseCusps& c);
void KochCusps(const HouseAngles& a, HouseCusps& c);
void PorphyryCusps(const HouseAngles& a, HouseCusps& c);
void MeridianCusps(const HouseAngles& a, HouseCusps& c);

// Every house system the program names. The five with a routine are computed and offered (the
// Houses menu, the start-up option, --houses); the others are only named, should a chart carry
// their code.
enum class HouseSystem { Placidus, Koch, Regiomontanus, Porphyry, Meridian, Campanus, EqualAscendant, EqualMC, Morinus };

// The highest latitude, north or south, a house system is computed for. Placidus and Koch cusps
// crowd together towards the polar circle (about 66 degrees 33 minutes, 90 degrees less the
// obliquity) and do not exist beyond it, so they stop at 66 degrees 00 minutes; Regiomontanus and
// Porphyry work up to the pole, Meridian houses (which ignore the latitude) everywhere.
struct HouseLatitudeLimit {
    bool limited = true;    // false: any latitude
    int degrees = 0;        // the highest latitude accepted
    int minutes = 0;
    std::string_view why;   // why the system stops there, to follow "computed up to ..., as"
};

struct HouseSystemRow {
    HouseSystem system;
    std::string_view code;  // the chart's HouseSystemCode, --houses and the chart's JSON: "P"
    std::string_view name;  // as reports, headings, messages and menus print it: "Placidus"
    float optionValue;      // OptionValue(27) that starts with it; 0 for a system not offered
    char menuKey;           // the letter of the name that is the Houses menu's access key
    HouseRoutine routine;   // nullptr: named only, never computed
    HouseLatitudeLimit limit;
    char referenceLetter;   // the Swiss Ephemeris's letter for the same system (its 'M' is Morinus)
};

inline constexpr std::string_view PolarReason =
    "beyond the polar circle (about 66 degrees 33 minutes) their cusps do not exist";
inline constexpr std::string_view PoleReason = "at the pole the horizon has no east";

// In the order of the command line's lists; the Houses menu lists the computed systems by their
// option value (HouseMenuOrder).
inline constexpr auto HouseSystems = std::to_array<HouseSystemRow>({
    {HouseSystem::Placidus, "P", "Placidus", 1, 'P', PlacidusCusps, {true, 66, 0, PolarReason}, 'P'},
    {HouseSystem::Koch, "K", "Koch", 3, 'K', KochCusps, {true, 66, 0, PolarReason}, 'K'},
    {HouseSystem::Regiomontanus, "R", "Regiomontanus", 2, 'R', RegiomontanusCusps, {true, 89, 59, PoleReason}, 'R'},
    {HouseSystem::Porphyry, "O", "Porphyry", 5, 'o', PorphyryCusps, {true, 89, 59, PoleReason}, 'O'},
    {HouseSystem::Meridian, "M", "Meridian", 8, 'M', MeridianCusps, {false, 0, 0, {}}, 'X'},
    {HouseSystem::Campanus, "C", "Campanus", 0, 0, nullptr, {false, 0, 0, {}}, 'C'},
    {HouseSystem::EqualAscendant, "EA", "Equal - Ascendant", 0, 0, nullptr, {false, 0, 0, {}}, 'A'},
    {HouseSystem::EqualMC, "EM", "Equal - MC", 0, 0, nullptr, {false, 0, 0, {}}, 'D'},
    {HouseSystem::Morinus, "I", "Morinus", 0, 0, nullptr, {false, 0, 0, {}}, 'M'},
});
static_assert(HouseSystems.size() == 9);
static_assert([] {
    for (std::size_t i = 0; i < HouseSystems.size(); ++i) {
        if (static_cast<std::size_t>(HouseSystems[i].system) != i) return false;
    }
    return true;
}(), "HouseSystems lists the systems in the order of the enum");

// Whether a system is computed: exactly those offered have an option value (and a routine). Asked
// of the option value, because a function's address is no constant to every compiler's checks.
constexpr bool IsComputed(const HouseSystemRow& row) { return row.optionValue != 0; }

inline constexpr std::size_t ComputedHouseSystemCount = [] {
    std::size_t n = 0;
    for (const HouseSystemRow& row : HouseSystems) n += IsComputed(row) ? 1 : 0;
    return n;
}();
// The computed systems in the order of the Houses menu and of the start-up choice: by option value.
inline constexpr auto HouseMenuOrder = [] {
    std::array<HouseSystemRow, ComputedHouseSystemCount> rows{};
    std::size_t n = 0;
    for (const HouseSystemRow& row : HouseSystems) {
        if (!IsComputed(row)) continue;
        std::size_t at = n++;
        for (; at > 0 && rows[at - 1].optionValue > row.optionValue; --at) rows[at] = rows[at - 1];
        rows[at] = row;
    }
    return rows;
}();

// The row of a system.
const HouseSystemRow& HouseSystemOf(HouseSystem system);
// The row with that code; nullptr for a code no system has.
const HouseSystemRow* HouseSystemByCode(std::string_view code);
// The computed system with that code ("P", "K"): what --houses and the tests accept.
std::optional<HouseSystem> ComputedHouseSystemByCode(std::string_view code);
// The computed system OptionValue(27) starts with: 2 Regiomontanus, 3 Koch, 5 Porphyry,
// 8 Meridian, any other value Placidus.
HouseSystem HouseSystemFromOption(float optionValue27);
// "Placidus", "Koch", ...; empty for a code without a name.
std::string_view HouseSystemName(std::string_view code);

// The house quadrant rule: atan(y/x), plus 180 when negative, plus 180 more when y < 0, with an
// exact zero y replaced by 1.74533e-9 radian. Degrees, 0..360.
double HouseAtan2Deg(double y, double x);

// The ecliptic longitude culminating, and rising, at RAMC for the obliquity and latitude (degrees).
// Beyond the polar circle (|latitude| >= 90 - obliquity) the ascendant is the intersection of
// ecliptic and horizon in the east, less than 180 degrees ahead of the MC.
double MidheavenFromRAMC(double ramcDeg, double obliquityDeg);
double AscendantFromRAMC(double ramcDeg, double obliquityDeg, double latitudeDeg);

// Declination of the ecliptic point at longitude `lon` for the obliquity (degrees).
double EclipticPointDeclination(double lon, double obliquityDeg);

// RAMC in degrees from the sidereal hours S, the UT day fraction and the west longitude.
double RAMCFromSidereal(double S, double dayFraction, double westLongitudeDeg);

// Angles and sidereal time for chart.ChartPass (0 natal, 1 progressed houses, 3 transit) from the
// parsed input, with the sidereal time and obliquity of eph.Source. Sets eph.DayFraction to the pass's clock time; for pass 1 sets chart.ProgT2000,
// for pass 3 chart.DiurnalT2000 and chart.DiurnalDayNumber.
HouseAngles HouseEngine(ChartState& chart, EphemerisState& eph);

// Angles and sidereal time at any UT Julian date and place (latitude north positive, longitude
// west positive, degrees), with the sidereal time and obliquity of `source`: the moment's day
// number and time of day as the house engine splits them, for charts cast at a moment found by a
// search rather than typed.
HouseAngles HouseAnglesAt(double jdUT, double latitudeDeg, double westLongitudeDeg, EphemerisSource source);

// One Placidus cusp: 10 rounds of the semi-arc rule from `start` (degrees), result in degrees.
double PlacidusSemiArc(double start, double divisor, bool below, const HouseAngles& a,
                       double latitudeRad);
// One Placidus cusp by the same rule at the place's own latitude, the rounds repeated until one
// moves the right ascension by less than 1e-10 degree (up to about 70 rounds at 66 degrees).
double PlacidusSettledSemiArc(double start, double divisor, bool below, const HouseAngles& a);

// The cusps of `HouseSystemCode` into WorkCusp slots 1..12 (tenth house first; slot 13 untouched).
// Placidus takes PlacidusSemiArc for the built-in series, PlacidusSettledSemiArc for precise
// positions. Beyond the polar circle, while the Regiomontanus first cusp would lie in the west,
// every Regiomontanus cusp is turned by 180 degrees, so that the first house opens at the eastern
// ascendant and the tenth at the lower meridian.
void ComputeCusps(const HouseAngles& a, std::string_view HouseSystemCode, CuspArray& WorkCusp);

// "16H  03M  49S ": the sidereal time of the pass, two digits per figure (14 characters).
std::string SiderealTimeText(const HouseAngles& a);

// Rewrites HouseLine (120 characters, 10 per point) with the house of each of WorkLong 1..12:
// the slot's HouseOrdinal and " HOUSE". A point exactly on a cusp is in the house it opens.
void HousePlacement(const PointArray& WorkLong, const CuspArray& WorkCusp, std::string& HouseLine);
// The cusp slot (1..12, tenth house first) of the house holding longitude `lon`, by the rule of
// HousePlacement; 0 when no house holds it (cusps that coincide).
int HouseSlotOf(double lon, const CuspArray& WorkCusp);

// The system whose routine and latitude limit serve `HouseSystemCode`: its own when it is
// computed, Regiomontanus for any other code.
const HouseSystemRow& ComputedHouseSystemOf(std::string_view HouseSystemCode);

// True when a latitude of degrees and minutes (read as numbers) is above the limit.
bool LatitudeAboveLimit(double degrees, double minutes, const HouseLatitudeLimit& limit);

}  // namespace orrerion
