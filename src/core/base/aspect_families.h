#pragma once
// The aspect families: which chart's points move and which are their targets, and every word the
// program spells a family with. The report files, listings, exports, the timeline, the settings
// file, the windows and the command line all take their words from the one table here.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orrerion {

// Mover and target families, in the order they are scanned and their files written.
enum class AspectFamily : std::uint8_t {
    TransitToNatal, SolarArcToNatal, ProgressedToNatal, ProgressedToProgressed, TransitToProgressed
};
inline constexpr std::size_t FamilyCount = 5;
constexpr std::size_t FamilyIndex(AspectFamily family) { return static_cast<std::size_t>(family); }
// A choice of families, by FamilyIndex.
using FamilySet = std::array<bool, FamilyCount>;
inline constexpr FamilySet AllFamilies{true, true, true, true, true};

// The points a family moves or aims at.
enum class PointSet { Transit, SolarArc, Progressed, Natal };

// One family and its spellings. The outputs spell a family differently and each keeps its own
// word: the short code where space is short or the word is typed, the key in the CSV and JSON
// exports, the label where people read it.
struct FamilyInfo {
    AspectFamily family;
    // "tn": report file names ("J_tn.txt"), --families, the settings file's timeline_families,
    // the timeline's SVG data-family and JSON, the calendar's UIDs
    std::string_view code;
    std::string_view key;         // "transit_to_natal": the family column of the CSV and JSON exports
    std::string_view label;       // "Transit to natal": calendar categories, the windows' captions
    std::string_view titleStart;  // "Transit to natal planet aspects": report and listing titles
    std::string_view moverWord;   // "Transit": the mover in calendar summaries ("Transit SATURN")
    std::string_view targetWord;  // "natal": the target in calendar summaries ("natal SUN")
    PointSet movers;
    PointSet targets;

    // "_tn": what the report files' names add to the chart's stem.
    std::string Suffix() const { return "_" + std::string(code); }
};

// In the order the families are scanned and their files written (the order of AspectFamily).
inline constexpr auto ScanFamilies = std::to_array<FamilyInfo>({
    {AspectFamily::TransitToNatal, "tn", "transit_to_natal", "Transit to natal",
     "Transit to natal planet aspects", "Transit", "natal", PointSet::Transit, PointSet::Natal},
    {AspectFamily::SolarArcToNatal, "sn", "solar_arc_to_natal", "Solar arc to natal",
     "Solar arc planet to natal planet aspects", "Solar arc", "natal", PointSet::SolarArc, PointSet::Natal},
    {AspectFamily::ProgressedToNatal, "pn", "progressed_to_natal", "Progressed to natal",
     "Progressed planet to natal planet aspects", "Progressed", "natal", PointSet::Progressed, PointSet::Natal},
    {AspectFamily::ProgressedToProgressed, "pp", "progressed_to_progressed", "Progressed to progressed",
     "Progressed planet to progressed planet aspects", "Progressed", "progressed", PointSet::Progressed,
     PointSet::Progressed},
    {AspectFamily::TransitToProgressed, "tp", "transit_to_progressed", "Transit to progressed",
     "Transit to progressed planet aspects", "Transit", "progressed", PointSet::Transit, PointSet::Progressed},
});
static_assert(ScanFamilies.size() == FamilyCount);
static_assert([] {
    for (std::size_t i = 0; i < ScanFamilies.size(); ++i) {
        if (FamilyIndex(ScanFamilies[i].family) != i) return false;
    }
    return true;
}(), "ScanFamilies lists the families in the order of AspectFamily");

inline const FamilyInfo& FamilyOf(AspectFamily family) { return ScanFamilies[FamilyIndex(family)]; }
// The family's short code: "tn", "sn", "pn", "pp", "tp".
inline std::string_view FamilyCode(AspectFamily family) { return FamilyOf(family).code; }
// The family of a short code; nothing for any other text.
std::optional<AspectFamily> FamilyFromCode(std::string_view code);

}  // namespace orrerion
