#pragma once
// The aspect scan: transit, progressed and solar-arc positions for each day of a span starting at
// the diurnal moment, tested against the aspect table in five families of mover and target, and
// written as the report files and the listings of the data window.
#include <array>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/aspects/scan_observer.h"
#include "core/aspects/scan_result.h"
#include "core/io/fixed_line.h"
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

    // The same test as a table, so that a pair costs a few comparisons: the separations from
    // starts[i] up to the next start all match the same rows, and row winner[i] (-1 for none) is
    // the last of them. A row's matches begin at its low bound and end after its high bound, so
    // those bounds are the starts; the unused slots hold infinity.
    static constexpr std::size_t Slots = 32;
    std::array<float, Slots> starts{};
    std::array<std::int8_t, Slots> winner{};
};
AspectBounds MakeAspectBounds(const Options& options);

struct AspectResult {
    int AspectCode = NoAspect;
    float distance = 0.0f;  // signed distance from exact, degrees (separation - aspect angle)
};

// The aspect between a mover and a target longitude (degrees): separation folded into 0..180,
// converted to single precision and tested against every searched row in test order; the last
// row whose bounds hold it wins.
inline AspectResult TestAspect(const AspectBounds& bounds, double moverLong, double targetLong) {
    double d = std::fabs(targetLong - moverLong);
    if (d > 180) d = 360 - d;
    // The tests compare in single precision (deliberate), as do the distances they leave.
    const float separation = static_cast<float>(d);
    AspectResult result;
    if (separation != separation) return result;  // not a number: within no bounds
    // The last start at or below the separation, in five halvings of the 32 slots.
    static_assert(AspectBounds::Slots == 32);
    std::size_t i = bounds.starts[16] <= separation ? 16 : 0;
    i += bounds.starts[i + 8] <= separation ? 8 : 0;
    i += bounds.starts[i + 4] <= separation ? 4 : 0;
    i += bounds.starts[i + 2] <= separation ? 2 : 0;
    i += bounds.starts[i + 1] <= separation ? 1 : 0;
    const int row = bounds.winner[i];
    if (row >= 0) {
        result.AspectCode = bounds.rows[static_cast<std::size_t>(row)].AspectCode;
        result.distance = separation - bounds.rows[static_cast<std::size_t>(row)].angle;
    }
    return result;
}

// The 11-character aspect name of the report lines ("square     ", "semi-sextl ").
inline constexpr std::size_t AspectNameSize = 11;
std::string_view AspectName(int AspectCode);
// The 7-character point name of the report lines ("SUN    ", "MERCURY", "CHIRON "), by BodyIndex or
// ExtraPointBody.
inline constexpr std::size_t PointNameSize = 7;
std::string_view PointName(int body);

// ---- Families and filters ---------------------------------------------------------------------

// The order of the sorted-by-date files.
inline constexpr auto SortedByDateOrder = std::to_array<AspectFamily>({
    AspectFamily::TransitToNatal, AspectFamily::TransitToProgressed,
    AspectFamily::ProgressedToNatal, AspectFamily::ProgressedToProgressed,
    AspectFamily::SolarArcToNatal});
static_assert(SortedByDateOrder.size() == ScanFamilies.size());

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

// The chosen extra points take part in every family where they move or stand: as movers (a
// transit's only when it moves with the sky, not Fortune) and as targets, to the twelve and to each
// other. The option that thins the progressed points keeps to the twelve: an extra point is there
// because it was chosen. Bodies by ExtraPointBody.
bool ExtraMoverUsed(AspectFamily family, int mover, const PointChoice& points);
bool ExtraTargetUsed(AspectFamily family, int mover, int target, const PointChoice& points);

// ---- The scanned days -------------------------------------------------------------------------

// One chart point of one scanned day (or of the natal chart), with the texts the reports print.
struct PlacedPoint {
    // "JUPITER 15ari23 (10) ": name, blank, place, blank, house in brackets, blank.
    static constexpr std::size_t ListedSize = WidthSum({PointNameSize, 1, LongitudeCompactSize, 1, 4, 1});
    static_assert(ListedSize == 21);

    double longitude = 0.0;  // degrees, 0..360
    PlaceCode place = 0;     // "15ari23" and the natal house field "10"
    // The point as a listed-by-day line prints a mover; its first ListedSize - 1 characters are
    // the target's text.
    std::array<char, ListedSize> listed{};
};

// The point `body` at `longitude` in natal house field house0 house1.
PlacedPoint PlacePoint(int body, double longitude, char house0, char house1);

struct ScannedDay {
    CalendarDate date;                       // civil date of the UT instant DiurnalJD + day
    // "05 Jan 1997:" and CR LF.
    std::array<char, DateDdMmmYyyyMaxSize + 3> listedDate{};
    std::uint8_t listedDateSize = 0;
    // Index BodyIndex - 1 or ExtraPointBody - 1: transits SUN..PLUTO and the chosen extra points,
    // the others all twelve and the chosen extra points. Slots of points not computed hold nothing.
    std::array<PlacedPoint, PointSlotCount> transit{};
    std::array<PlacedPoint, PointSlotCount> progressed{};
    std::array<PlacedPoint, PointSlotCount> solarArc{};
};

// Gives the day its date and the date line of the listed-by-day files ("05 Jan 1997:").
void SetScannedDate(ScannedDay& day, const CalendarDate& date);

// The natal targets: NatalLong with the houses of NatalHouseLine, and the chosen extra points
// with the natal houses they fall in.
using NatalPlaces = std::array<PlacedPoint, PointSlotCount>;
NatalPlaces NatalTargets(const ChartState& chart);

// What one thread needs to compute scanned days: its own copy of the ephemeris working values and
// of the house placement state, so that threads computing different days share nothing they
// write. The chart and the options are only read.
struct ScanDayContext {
    ScanDayContext(const ChartState& chart, const EphemerisState& eph, const Options& options);

    const ChartState& chart;
    EphemerisState eph;
    // The last house slot (1..12) each point was placed in, 0 before the first placement; a point
    // that falls in no house keeps its field, as the house placement line does.
    std::array<int, BodyCount + 1> houseSlot{};
    std::array<std::array<char, 2>, BodyCount + 1> startField{};  // the fields before the scan
    // The chosen extra points (none: the twelve only), in table order.
    std::vector<ExtraPoint> extras;
    // The sign of the Lot of Fortune's formula is chosen by the Sun above or below the horizon.
    bool fortuneDayFormulaAlways = false;
    // Set when a point fell in no house: its field then depends on the days before.
    bool houseMissed = false;
    // False when no listed-by-day line is written: the points get their longitude and place only.
    bool listed = true;

    bool anglesFromSiderealTime = false;
    double westLongitudeDeg = 0.0;  // diurnal place
    double latitudeDeg = 0.0;
    // The natal cusps as the house test reads them: each house from `low` up to `high`.
    struct HouseSpan {
        double low = 0.0, high = 0.0;
        bool wraps = false;  // passes 0 degrees
    };
    std::array<HouseSpan, 13> houses{};
};

// Gives the context the state the days before `day` leave for it: the obliquity that the transit
// step finds is the one the previous day's progressed step set (the chart driver's on day 0).
// Each day's values depend on nothing else carried over, but a point that falls in no house.
void StartScanAt(ScanDayContext& context, int day);

// Computes scanned day `day` in the scan's order: transits, progressions with the progressed MC
// and ASC, then the solar arc, each placed in the natal houses. Leaves the ephemeris working
// values and WorkLong as that day's last step leaves them.
void ComputeScannedDay(ScanDayContext& context, int day, ScannedDay& out);

// The transit longitudes (WorkLong 1..10) at the scan's transit moment of `day`, which may be
// fractional: the diurnal clock time (UT) `day` days after day 0. A whole day gives the same bits
// as ComputeScannedDay.
void TransitLongitudesAt(ScanDayContext& context, double day);
// The progressed longitudes (WorkLong 1..12, with the progressed MC and ASC) at the progressed
// moment of `day`, which may be fractional: 1/365.25 day of progressed time per scanned day.
void ProgressedLongitudesAt(ScanDayContext& context, double day);
// One transit body's longitude (SUN..MOON) at `day`: the same bits as its WorkLong after
// TransitLongitudesAt, with only that body computed.
double TransitLongitudeAt(ScanDayContext& context, int body, double day);
// One progressed point's longitude (SUN..MC) at `day`: the same bits as its WorkLong after
// ProgressedLongitudesAt. A body is computed alone; the progressed MC and ASC need the obliquity
// and the progressed Sun, and nothing more.
double ProgressedLongitudeAt(ScanDayContext& context, int body, double day);

// A point's longitude at `day` (fractional allowed) in the set of a family's movers or targets, for
// the twelve and the extra points alike: the same bits as the scan's day gives at a whole day.
// Natal points are fixed; solar-arc points are the natal ones moved by that day's solar arc.
double ScanPointLongitudeAt(ScanDayContext& context, PointSet set, int body, double day);

// Writes the house placement line that the scan's last placements leave into `HouseLine`.
void WriteScanHouseLine(const ScanDayContext& context, std::string& HouseLine);

// ---- The whole scan ---------------------------------------------------------------------------

// An extra point that its source cannot give on a scanned day or moment (a date past the years of
// its data file): the scan reports it and stops.
struct ScanPointError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum class ScanOutcome {
    NotRun,       // day count below 1: nothing written, nothing shown
    Refused,      // day count above MaxScanDays: reported, nothing written
    Completed,    // all sixteen files written, listings appended, data window shown
    WriteFailed,  // a report file could not be written, or a point computed: reported; the earlier
                  // files stay as they were
    Cancelled,    // stopped by the user (ScanObserver::StopAsked): no report, listing or run of it
};

// The longitudes of every scanned day, kept by the scan for a search that follows it (the exact
// moments), which then need not compute them again: day d's transit SUN..PLUTO and progressed
// SUN..MC, the same bits as TransitLongitudesAt and ProgressedLongitudesAt give at day d.
struct ScanLongitudes {
    std::vector<std::array<double, PLUTO>> transit;   // [day][body - 1]
    std::vector<std::array<double, MC>> progressed;   // [day][body - 1]
};

// How many threads a scan uses: 0 chooses by the machine (at most two). Without report files the
// scan finds the same runs, exact dates and listings, writes nothing and makes no text that only
// the files would hold (an export of the runs asks for no reports). With `longitudes` the scan
// also keeps every day's longitudes there.
struct ScanSettings {
    int threads = 0;
    bool reportFiles = true;
    ScanLongitudes* longitudes = nullptr;
    // The runs of the chosen extra points are always found; the report files and listings hold
    // them only when asked, so that files other tools read keep their lines.
    bool pointsInReports = false;
};

// What one scan reads: the charts ChartDriver has built and the ephemeris state beside them (both of
// which the scan leaves as RunAspectScan says), the options, the number of days (1..MaxScanDays)
// from the diurnal date, the folder of the report files and how to run.
struct ScanInputs {
    ChartState& chart;
    EphemerisState& eph;
    const Options& options;
    int scanDays = 0;
    std::filesystem::path reportsFolder;
    ScanSettings settings = {};
};

// Runs the scan of `scanDays` days after ChartDriver has built `chart`. Writes the
// sixteen report files (unless settings.reportFiles is false, when `reportsFolder` is not used) into
// `reportsFolder` (which must exist) as one set: either all of them
// replace the files of the same names or, when one cannot be written, none does. Appends the
// listings to `out`, tells `observer` what to show and puts the runs and exact dates in `result`
// (left empty when the files could not be written). Leaves WorkLong and the ephemeris time values
// of the last scanned day and WorkCusp equal to NatalCusp. The files, listings and result are the
// same whatever the number of threads.
ScanOutcome RunAspectScan(const ScanInputs& in, OutputBuffers& out, ScanObserver& observer, Reporter& reporter,
                          ScanResult& result);

}  // namespace orrerion
