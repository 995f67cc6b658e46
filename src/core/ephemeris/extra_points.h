#pragma once
// The points a chart may add to the twelve of BodyIndex: the lunar nodes, Black Moon Lilith,
// Chiron, the four main asteroids and the Lot of Fortune. ExtraPoints is the one list of them:
// every spelling (command line, JSON, summary) and every choice of how a point is computed comes
// from its row. Where a point comes from:
//   - MeanNode, Lilith: the built-in series' polynomials below, or the Swiss Ephemeris;
//   - TrueNode, Chiron and the asteroids: the Swiss Ephemeris only;
//   - the south nodes: opposite their north node, chosen with it;
//   - Fortune: the chart's own ascendant, Sun and Moon (worked out by the chart driver).
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/ephemeris/ephemeris.h"

namespace orrerion {

enum class ExtraPoint : int {
    MeanNode, MeanSouthNode, TrueNode, TrueSouthNode, Lilith, Chiron, Ceres, Pallas, Juno, Vesta, Fortune
};
inline constexpr int ExtraPointCount = 11;

// How a point's position is found.
enum class PointRoutine {
    Polynomial,     // the built-in polynomial, or the library with precise positions
    LibraryOnly,    // the library; refused with the built-in series
    OppositeNode,   // its north node plus 180 degrees
    ChartFormula,   // from the chart's ascendant, Sun and Moon
};

struct ExtraPointRow {
    ExtraPoint point;
    std::string_view code;  // the command line's word; empty for a point chosen with another
    std::string_view name;  // the JSON key; the summary prints it in capitals with blanks for "_"
    PointRoutine routine;
    ExtraPoint choseWith;   // the point whose choice brings this one (itself for most)
    bool hasLatitude;       // off the ecliptic (the nodes and Fortune lie on it by definition)
    bool hasDeclination;
    std::string_view glyph;      // the symbol the pictures draw
    std::string_view shortText;  // drawn instead when a font lacks the symbol
    std::string_view reportName;  // the report lines' 7-character name ("CHIRON ")
    bool transitMover;            // a transit mover of the scan (Fortune moves with the ascendant)
};

inline constexpr auto ExtraPoints = std::to_array<ExtraPointRow>({
    {ExtraPoint::MeanNode, "mean-node", "mean_node", PointRoutine::Polynomial, ExtraPoint::MeanNode, false, true,
     "\u260A", "Nn", "N NODE ", true},
    {ExtraPoint::MeanSouthNode, "", "mean_south_node", PointRoutine::OppositeNode, ExtraPoint::MeanNode, false, true,
     "\u260B", "Sn", "S NODE ", true},
    {ExtraPoint::TrueNode, "true-node", "true_node", PointRoutine::LibraryOnly, ExtraPoint::TrueNode, false, true,
     "\u260A", "TN", "TN NODE", true},
    {ExtraPoint::TrueSouthNode, "", "true_south_node", PointRoutine::OppositeNode, ExtraPoint::TrueNode, false, true,
     "\u260B", "TS", "TS NODE", true},
    {ExtraPoint::Lilith, "lilith", "lilith", PointRoutine::Polynomial, ExtraPoint::Lilith, true, true, "\u26B8", "Li", "LILITH ", true},
    {ExtraPoint::Chiron, "chiron", "chiron", PointRoutine::LibraryOnly, ExtraPoint::Chiron, true, true, "\u26B7", "Ch", "CHIRON ", true},
    {ExtraPoint::Ceres, "ceres", "ceres", PointRoutine::LibraryOnly, ExtraPoint::Ceres, true, true, "\u26B3", "Ce", "CERES  ", true},
    {ExtraPoint::Pallas, "pallas", "pallas", PointRoutine::LibraryOnly, ExtraPoint::Pallas, true, true, "\u26B4", "Pa", "PALLAS ", true},
    {ExtraPoint::Juno, "juno", "juno", PointRoutine::LibraryOnly, ExtraPoint::Juno, true, true, "\u26B5", "Jn", "JUNO   ", true},
    {ExtraPoint::Vesta, "vesta", "vesta", PointRoutine::LibraryOnly, ExtraPoint::Vesta, true, true, "\u26B6", "Vs", "VESTA  ", true},
    {ExtraPoint::Fortune, "fortune", "fortune", PointRoutine::ChartFormula, ExtraPoint::Fortune, false, true,
     "\u2297", "Fo", "FORTUNE", false},
});
static_assert(ExtraPoints.size() == ExtraPointCount);

// The row of a point; the rows are in the order of the enumeration.
constexpr const ExtraPointRow& RowOf(ExtraPoint p) { return ExtraPoints[static_cast<std::size_t>(p)]; }
static_assert([] {
    for (std::size_t i = 0; i < ExtraPoints.size(); ++i) {
        if (static_cast<std::size_t>(ExtraPoints[i].point) != i) return false;
    }
    return true;
}());

// The chart points are numbered as one list: BodyIndex 1..12 (SUN .. MC), then the extra points
// in the order above from FirstExtraPointBody, so that pictures and exports name, draw and sort
// every point through one index.
inline constexpr int FirstExtraPointBody = 13;
constexpr int ExtraPointBody(ExtraPoint p) { return FirstExtraPointBody + static_cast<int>(p); }
constexpr bool IsExtraPointBody(int body) { return body >= FirstExtraPointBody && body < FirstExtraPointBody + ExtraPointCount; }
// The point numbered `body`, which must be IsExtraPointBody.
constexpr ExtraPoint ExtraPointOfBody(int body) { return static_cast<ExtraPoint>(body - FirstExtraPointBody); }
// How many numbers the chart points take: the twelve and every extra point.
inline constexpr int PointSlotCount = FirstExtraPointBody - 1 + ExtraPointCount;
static_assert(PointSlotCount == BodyCount + ExtraPointCount);
static_assert([] {
    for (const ExtraPointRow& row : ExtraPoints) {
        if (row.reportName.size() != 7) return false;
    }
    return true;
}());

// The name as the data summary prints it: "MEAN SOUTH NODE".
std::string ExtraPointLabel(ExtraPoint p);

// The point a command-line word names ("mean-node"); nothing for any other word.
std::optional<ExtraPoint> ExtraPointOfCode(std::string_view code);

// Which points a chart adds, by ExtraPoint, with the rule of the Lot of Fortune.
struct PointChoice {
    std::array<bool, ExtraPointCount> chosen{};
    // Ascendant + Moon - Sun whether the Sun is above the horizon or not; otherwise, with the Sun
    // below it (houses 1 to 6), Ascendant + Sun - Moon.
    bool fortuneDayFormulaAlways = false;
    bool operator==(const PointChoice&) const = default;

    bool Has(ExtraPoint p) const { return chosen[static_cast<std::size_t>(p)]; }
    bool Any() const {
        for (bool c : chosen) {
            if (c) return true;
        }
        return false;
    }
};

// Chooses a point and the points chosen with it (a north node brings its south node).
void ChoosePoint(PointChoice& choice, ExtraPoint p);

// A point's position. Angles in degrees; speed in degrees per day (negative: retrograde).
struct PointPosition {
    double lon = 0.0;  // 0 <= lon < 360
    double lat = 0.0;
    double decl = 0.0;
    double speed = 0.0;
};

// A position, or why there is none.
struct PointOutcome {
    bool ok = false;
    PointPosition position;
    std::string reason;  // when !ok: "<name>: <why>", the library's own words where it has them
};

// The built-in series' mean lunar node, UT without delta T: Meeus, Astronomical Algorithms
// (2nd ed.), eq. 47.7. Latitude 0.
PointPosition BuiltinMeanNode(double t2000);
// The built-in series' mean lunar apogee (Black Moon Lilith) on the mean lunar orbit, reduced to
// the ecliptic: the mean perigee plus 180 degrees along the orbit, inclined by the mean
// inclination at the mean node.
PointPosition BuiltinMeanLilith(double t2000);

// Why a point cannot be computed from `source` at all (the built-in series lacks it, or the
// library cannot read its data file); nothing when it can. Fortune and the south nodes follow the
// points they are made from.
std::optional<std::string> ExtraPointUnavailable(EphemerisSource source, ExtraPoint p);

// A point the ephemeris computes (routine Polynomial or LibraryOnly) at a UT Julian date; the
// declination of the built-in series uses `obliquityDeg`, the chart's obliquity of that moment.
PointOutcome ExtraPointAt(EphemerisSource source, ExtraPoint p, double jdUT, double obliquityDeg);

}  // namespace orrerion
