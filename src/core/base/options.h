#pragma once
// The options: 40 numbers, one per line of the options file, each line with its name. Code reads
// an option by its name (options[Option::SquareOrb]); the line number is declared here once.
#include <array>
#include <cstddef>

namespace orrerion {

inline constexpr int OptionCount = 40;

// Every line of the options file by its number. Lines not named here are read and not used.
enum class Option : int {
    ConjunctionOrb = 1,    // degrees
    SemisquareOrb = 2,
    SextileOrb = 3,
    SquareOrb = 4,
    TrineOrb = 5,
    SesquisquareOrb = 6,
    OppositionOrb = 7,
    MinorAspectsLeftOut = 9,    // 0 searches semisextile, semisquare, sesquisquare and quincunx
    NatalAnglesLeftOut = 10,    // 1: ASC and MC are not natal targets
    ProgressedPointSet = 11,    // 1..5 select subsets of the progressed points, else all twelve
    PrintLinesPerPage = 13,
    SavedPageLength = 14,       // a form feed after every (value - 1) lines of a saved data file
    ShowTitleWindow = 15,       // non-zero: the title window at start-up
    PrintLineWidth = 16,        // a longer line prints the whole text in 10-point type
    SavedBufferSummaryOnly = 17,  // non-zero: the saved buffer is emptied right after the summary
    HomeZone = 18,              // the place of a chart of the present moment: hours, west positive
    HomeLongitudeDegrees = 19,
    HomeLongitudeMinutes = 20,
    HomeLongitudeEast = 21,     // non-zero: that longitude is east
    HomeLatitudeDegrees = 22,
    HomeLatitudeMinutes = 23,
    HomeLatitudeSouth = 24,     // non-zero: that latitude is south
    ProgressedAnglesFromSiderealTime = 26,  // 0: progressed ASC and MC move by the Sun's arc
    StartHouseSystem = 27,      // 2 Regiomontanus, 3 Koch, 5 Porphyry, 8 Meridian, else Placidus
    SemisextileOrb = 29,
    QuincunxOrb = 30,
    TransitSunUsed = 32,        // 0 leaves the transiting SUN out of the movers
    TransitMercuryUsed = 33,
    TransitVenusUsed = 34,
    TransitMarsUsed = 35,
};

// The line number of an option in the options file.
constexpr int OptionLine(Option option) { return static_cast<int>(option); }

struct Options {
    // Slots 1..40 by line number; deliberate single precision, as the file's values are kept.
    std::array<float, OptionCount + 1> OptionValue{};

    float operator[](Option option) const { return OptionValue[Slot(option)]; }
    float& operator[](Option option) { return OptionValue[Slot(option)]; }

private:
    static constexpr std::size_t Slot(Option option) { return static_cast<std::size_t>(option); }
};

}  // namespace orrerion
