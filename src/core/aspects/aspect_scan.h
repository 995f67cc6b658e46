#pragma once
// The aspect scan: transit, progressed and solar-arc positions for each day of a span starting at
// the diurnal moment, tested against the aspect table in five families of mover and target, and
// written as the report files and the listings of the data window.
#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/aspects/scan_observer.h"
#include "core/base/formatters.h"
#include "core/base/messages.h"
#include "core/base/options.h"
#include "core/base/output_lines.h"
#include "core/chart/chart_state.h"
#include "core/ephemeris/ephemeris.h"

namespace orrerion {

// ScanDays is a signed 16-bit count.
inline constexpr int MaxScanDays = 32767;

// The answer to "Enter number of days:" as the scan reads it: the number at its start, rounded to
// the nearest whole number with halves going to the even neighbour (" 90" 90, "2.5" 2, "3.5" 4).
// An answer without a leading number reads as 0. The result may lie outside 1..MaxScanDays.
double RoundedDayCount(std::string_view answer);

// ---- The aspect table -------------------------------------------------------------------------

// AspectCode 1..10, 1 meaning no aspect; the hit tables use the aspect index code - 2 (0..8).
inline constexpr int NoAspect = 1;
inline constexpr int AspectIndexCount = 9;

struct AspectRow {
    int AspectCode;
    float angle;    // degrees
    Option orbOption;  // the option holding the orb
    bool minor;        // searched only when the minor aspects are not left out
};

// The rows in the order they are tested: when orbs overlap, the last row that matches wins.
inline constexpr auto AspectTestOrder = std::to_array<AspectRow>({
    {2, 0.0f, Option::ConjunctionOrb, false},
    {9, 30.0f, Option::SemisextileOrb, true},
    {3, 45.0f, Option::SemisquareOrb, true},
    {4, 60.0f, Option::SextileOrb, false},
    {5, 90.0f, Option::SquareOrb, false},
    {6, 120.0f, Option::TrineOrb, false},
    {7, 135.0f, Option::SesquisquareOrb, true},
    {10, 150.0f, Option::QuincunxOrb, true},
    {8, 180.0f, Option::OppositionOrb, false},
});
static_assert(AspectTestOrder.size() == AspectIndexCount);

// The bounds of every row, in single precision as the scan compares them (deliberate).
struct AspectBounds {
    struct Row {
        int AspectCode = NoAspect;
        float angle = 0.0f;
        float low = 0.0f;   // inclusive
        float high = 0.0f;  // inclusive
        bool searched = true;
    };
    std::array<Row, 9> rows{};
};
AspectBounds MakeAspectBounds(const Options& options);

struct AspectResult {
    int AspectCode = NoAspect;
    float distance = 0.0f;  // signed distance from exact, degrees (separation - aspect angle)
};

// The aspect between a mover and a target longitude (degrees): separation folded into 0..180,
// converted to single precision and tested against every searched row in test order.
AspectResult TestAspect(const AspectBounds& bounds, double moverLong, double targetLong);

// The 11-character aspect name of the report lines ("square     ", "semi-sextl ").
std::string_view AspectName(int AspectCode);
// The 7-character point name of the report lines ("SUN    ", "MERCURY").
std::string_view PointName(int body);

// ---- Families and filters ---------------------------------------------------------------------

enum class AspectFamily { TransitToNatal, SolarArcToNatal, ProgressedToNatal, ProgressedToProgressed,
                          TransitToProgressed };
enum class PointSet { Transit, SolarArc, Progressed, Natal };

struct FamilyInfo {
    AspectFamily family;
    std::string_view suffix;      // "_tn"
    std::string_view titleStart;  // "Transit to natal planet aspects"
    PointSet movers;
    PointSet targets;
};

// In the order the families are scanned and their files written.
inline constexpr auto ScanFamilies = std::to_array<FamilyInfo>({
    {AspectFamily::TransitToNatal, "_tn", "Transit to natal planet aspects", PointSet::Transit,
     PointSet::Natal},
    {AspectFamily::SolarArcToNatal, "_sn", "Solar arc planet to natal planet aspects",
     PointSet::SolarArc, PointSet::Natal},
    {AspectFamily::ProgressedToNatal, "_pn", "Progressed planet to natal planet aspects",
     PointSet::Progressed, PointSet::Natal},
    {AspectFamily::ProgressedToProgressed, "_pp", "Progressed planet to progressed planet aspects",
     PointSet::Progressed, PointSet::Progressed},
    {AspectFamily::TransitToProgressed, "_tp", "Transit to progressed planet aspects",
     PointSet::Transit, PointSet::Progressed},
});
static_assert(ScanFamilies.size() == 5);

// The order of the sorted-by-date files.
inline constexpr auto SortedByDateOrder = std::to_array<AspectFamily>({
    AspectFamily::TransitToNatal, AspectFamily::TransitToProgressed,
    AspectFamily::ProgressedToNatal, AspectFamily::ProgressedToProgressed,
    AspectFamily::SolarArcToNatal});
static_assert(SortedByDateOrder.size() == ScanFamilies.size());

const FamilyInfo& FamilyOf(AspectFamily family);

// Transit movers are SUN..PLUTO; the other families move all twelve points.
int MoverCount(AspectFamily family);

// Which progressed points take part, by Option::ProgressedPointSet.
bool ProgressedPointKept(int body, float progressedPointSet);
// The transiting SUN, MERCURY, VENUS and MARS are movers unless their option is 0.
bool TransitMoverUsed(int body, const Options& options);
// ASC and MC are natal targets unless Option::NatalAnglesLeftOut is 1.
bool NatalTargetUsed(int body, const Options& options);

bool MoverUsed(AspectFamily family, int mover, const Options& options);
bool TargetUsed(AspectFamily family, int mover, int target, const Options& options);

// ---- The scanned days -------------------------------------------------------------------------

// One chart point of one scanned day (or of the natal chart), with the texts the reports print.
struct PlacedPoint {
    double longitude = 0.0;          // degrees, 0..360
    std::array<char, 7> position{};  // "15ari23"
    std::array<char, 2> house{};     // the natal house: "10", " 1"
};

struct ScannedDay {
    CalendarDate date;                       // civil date of the UT instant DiurnalJD + day
    std::array<PlacedPoint, 9> transit{};    // SUN..PLUTO, index BodyIndex - 1
    std::array<PlacedPoint, 12> progressed{};
    std::array<PlacedPoint, 12> solarArc{};
};

// Everything the report passes read: the days, the natal targets and the span's end texts.
struct ScanTables {
    int ScanDays = 0;
    std::vector<ScannedDay> days;
    std::array<PlacedPoint, 12> natal{};
    std::string ScanFirstText;  // "dd mmm yy" of the first day
    std::string ScanLastText;   // and of the last day
};

// The natal targets: NatalLong with the houses of NatalHouseLine.
std::array<PlacedPoint, 12> NatalTargets(const ChartState& chart);

// Computes scanned day `day` in the scan's order: transits, progressions with the progressed MC
// and ASC, then the solar arc. Reads the chart state and options; leaves the ephemeris working
// values, WorkLong and HouseLine as that day's last step leaves them. chart.WorkCusp must hold
// the natal cusps.
void ComputeScannedDay(ChartState& chart, EphemerisState& eph, const Options& options, int day,
                       ScannedDay& out);

// The tables of a scan of `scanDays` days (1..MaxScanDays): copies NatalCusp into WorkCusp, then
// computes every day in order, showing the progress when there is more than one day.
ScanTables ComputeScanTables(ChartState& chart, EphemerisState& eph, const Options& options,
                             int scanDays, ScanObserver& observer);

// ---- The whole scan ---------------------------------------------------------------------------

enum class ScanOutcome {
    NotRun,       // day count below 1: nothing written, nothing shown
    Refused,      // day count above MaxScanDays: reported, nothing written
    Completed,    // all sixteen files written, listings appended, data window shown
    WriteFailed,  // a report file could not be written: reported; earlier files stay
};

// Runs the scan of `scanDays` days (1..MaxScanDays) after ChartDriver has built `chart`. Writes the
// report files into `reportsFolder` (which must exist), appends the listings to `out` and tells
// `observer` what to show. Leaves WorkLong and the ephemeris time values of the last scanned day
// and WorkCusp equal to NatalCusp.
ScanOutcome RunAspectScan(ChartState& chart, EphemerisState& eph, const Options& options,
                          OutputBuffers& out, int scanDays, const std::filesystem::path& reportsFolder,
                          ScanObserver& observer, Reporter& reporter);

}  // namespace orrerion
