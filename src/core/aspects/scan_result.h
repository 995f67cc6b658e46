#pragma once
// What an aspect scan found, as data: for each family its runs of consecutive days in orb, and for
// the transits to natal the dates of exact aspect. The report files and the listings are written
// from it; a timeline, a calendar export or a tooltip reads it without parsing any report. Its
// size grows with the number of runs, never with the days scanned.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/aspect_families.h"
#include "core/base/formatters.h"
#include "core/ephemeris/extra_points.h"

namespace orrerion {

// A point's place as the reports print it, packed into 31 bits: the compact longitude
// ("15ari23") as (sign - 1) * 1800 + degree * 60 + minute in bits 0..14, and the two characters
// of its natal house field (" 7", "10") in bits 15..22 and 23..30.
using PlaceCode = std::uint32_t;
PlaceCode MakePlaceCode(const SplitResult& longitude, char house0, char house1);
SplitResult PlaceLongitude(PlaceCode place);
inline char PlaceHouse0(PlaceCode place) { return static_cast<char>((place >> 15) & 0xFF); }
inline char PlaceHouse1(PlaceCode place) { return static_cast<char>((place >> 23) & 0xFF); }
// "15ari23" (7 characters) and "15ari23(10)" (11 characters).
std::string PlacePositionText(PlaceCode place);
inline constexpr std::size_t PlaceWithHouseSize = LongitudeCompactSize + 4;
void PutPlaceWithHouse(std::span<char, PlaceWithHouseSize> out, PlaceCode place);

// Consecutive scan days, both included.
struct DayRange {
    std::int16_t first = 0;
    std::int16_t last = 0;
};

// A maximal stretch of consecutive days on which one mover makes one aspect to one target.
// Days count from 0, the diurnal date; ScanResult::DateOfDay turns them into dates.
struct ScanRun {
    AspectFamily family = AspectFamily::TransitToNatal;
    std::uint8_t mover = 0;       // BodyIndex
    std::uint8_t AspectCode = 0;  // 2..10
    std::uint8_t target = 0;      // BodyIndex
    std::int16_t firstDay = 0;
    std::int16_t lastDay = 0;
    bool continuesBefore = false;  // begins on the first scanned day: the reports' '<'
    bool continuesAfter = false;   // ends on the last scanned day: the reports' '>'
    // How many ranges of days hold the smallest orb (see ScanResult::SmallestOrbDays).
    std::uint16_t smallestOrbRangeCount = 0;
    // The smallest distance from exact within the run, degrees, in single precision as the
    // scan compares (deliberate).
    float smallestOrb = 0.0f;
    std::uint32_t smallestOrbRangeAt = 0;  // index of the first range in smallestOrbDays
    // The places the sorted-by-planet line prints: the mover on the first and the last day, and
    // the target likewise (a natal target's place on both).
    PlaceCode moverFirst = 0, moverLast = 0;
    PlaceCode targetFirst = 0, targetLast = 0;
};

// A date of exact aspect of a transit to a natal point: a minimum of the distance from exact found
// by the exact-date search. The exact-date listing lists those under one degree and beeps for
// every one.
struct ExactDate {
    std::int16_t day = 0;
    float distance = 0.0f;  // degrees, deliberate single precision
    std::uint32_t run = 0;  // index in ScanResult::runs of the run the day lies in
    PlaceCode mover = 0;    // the transiting point's place that day
};

// Whether the exact-date listing lists a minimum: under one degree.
inline bool ExactDateListed(const ExactDate& exact) { return exact.distance < 1.0f; }

struct ScanResult {
    double DiurnalJD = 0.0;  // UT Julian date of day 0
    int ScanDays = 0;
    // Every family's runs, the families in scan order, each in the order of its sorted-by-planet
    // file: by mover, target and aspect (AspectCode - 2), then by first day.
    std::vector<ScanRun> runs;
    std::array<std::uint32_t, FamilyCount + 1> familyStart{};  // family f: [start[f], start[f+1])
    std::vector<DayRange> smallestOrbDays;  // the ranges of all runs, each run's in day order
    std::vector<ExactDate> exactDates;      // in the exact-date listing's order
    // Natal places by BodyIndex - 1 or ExtraPointBody - 1 (the chosen extra points').
    std::array<PlaceCode, PointSlotCount> natal{};

    CalendarDate DateOfDay(int day) const { return JulianDayToCalendar(DiurnalJD + day); }
    std::span<const ScanRun> Runs(AspectFamily family) const;
    std::span<const DayRange> SmallestOrbDays(const ScanRun& run) const;
    // The indices in `runs` of the family's runs in the order of its sorted-by-date file: by first
    // day, runs that begin on the same day in their sorted-by-planet order.
    std::vector<std::uint32_t> RunsByDate(AspectFamily family) const;
    // Bytes held, the vectors' reserved space included.
    std::size_t ByteCount() const;
};

// Whether a run moves or aims at an extra point.
inline bool HasExtraPoint(const ScanRun& run) { return IsExtraPointBody(run.mover) || IsExtraPointBody(run.target); }
// The result as the report files hold it without the extra points: their runs and exact dates
// left out, the rest as it was (the ranges of smallest orb whole, still found through each run).
ScanResult WithoutExtraPoints(const ScanResult& result);

// The order of lines by the day their run begins, keeping the order of lines that begin on the
// same day. `firstDays[i]` is the first day of line i, or -1 for a line that matches no scanned
// day (it is left out). Returns the line numbers in output order.
std::vector<std::size_t> OrderByFirstDay(const std::vector<int>& firstDays, int scanDays);

}  // namespace orrerion
