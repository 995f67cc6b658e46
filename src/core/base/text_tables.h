#pragma once
// The fixed-width text tables every report and summary slices by index: entry k of width w is
// characters (k - 1) * w + 1 .. k * w, counting from 1.
#include <array>
#include <string_view>

namespace orrerion {

// Point names by BodyIndex, 10 characters each.
inline constexpr std::string_view PlanetNameText =
    "SUN       MERCURY   VENUS     MARS      JUPITER   SATURN    URANUS    NEPTUNE   "
    "PLUTO     MOON      ASC       MC        ";
static_assert(PlanetNameText.size() == 120);

// Sign abbreviations, 3 characters each, Aries first.
inline constexpr std::string_view SignAbbrevText = "ARITAUGEMCANLEOVIRLIBSCOSAGCPRAQUPIS";
static_assert(SignAbbrevText.size() == 36);

// Cusp slot labels, 4 characters each, tenth house first; slot 13 is blank.
inline constexpr std::string_view HouseOrdinal =
    "10th11th12th 1st 2nd 3rd 4th 5th 6th 7th 8th 9th    ";
static_assert(HouseOrdinal.size() == 52);

// Aspect names by aspect code, 12 characters each; code 1 is blank.
inline constexpr std::string_view AspectNameText =
    "            conjunct    semisquare  sextile     square      trine       ses.square  "
    "opposite    semi-sextl  quincunx    ";
static_assert(AspectNameText.size() == 120);

// Upper-case month abbreviations, 3 characters each.
inline constexpr std::string_view MonthAbbrevText = "JANFEBMARAPRMAYJUNJULAUGSEPOCTNOVDEC";
static_assert(MonthAbbrevText.size() == 36);

// The point names as separate texts, slots 1..12 by BodyIndex (slot 0 unused); "MC " keeps its
// trailing blank.
inline constexpr auto PlanetName = std::to_array<std::string_view>({
    "", "SUN", "MERCURY", "VENUS", "MARS", "JUPITER", "SATURN", "URANUS", "NEPTUNE", "PLUTO",
    "MOON", "ASC", "MC "});
static_assert(PlanetName.size() == 13);

// Entry k (1-based) of width w of a fixed-width table.
constexpr std::string_view TableEntry(std::string_view table, int k, int w) {
    return table.substr(static_cast<std::size_t>((k - 1) * w), static_cast<std::size_t>(w));
}

constexpr std::string_view HouseOrdinalText(int slot) { return TableEntry(HouseOrdinal, slot, 4); }
constexpr std::string_view SignAbbrev(int sign) { return TableEntry(SignAbbrevText, sign, 3); }

// The aspects' names written out in the data files other programs read (the JSON of every command,
// CSV, calendars), by AspectCode 2..10: one spelling everywhere.
inline constexpr auto AspectDataNames = std::to_array<std::string_view>({
    "conjunction", "semi-square", "sextile", "square", "trine", "sesquiquadrate", "opposition", "semi-sextile",
    "quincunx"});
static_assert(AspectDataNames.size() == 9);
constexpr std::string_view AspectDataName(int AspectCode) {
    return AspectCode >= 2 && AspectCode <= 10 ? AspectDataNames[static_cast<std::size_t>(AspectCode - 2)] : "aspect";
}

}  // namespace orrerion
