#include "core/pictures/colours.h"

#include <array>

namespace orrerion {
namespace {

struct RoleColour {
    ColourRole role;
    std::string_view name;
    std::string_view hex;
    Rgb rgb;
};

// Okabe and Ito's palette for the aspect and chart-set roles: distinct for every common form of
// colour blindness; the aspect colours also differ in lightness (blue dark, vermillion middle,
// orange light). A return chart's points, never on a wheel with transits, take a dark vermillion
// that stays apart from the natal black in greyscale.
constexpr auto Roles = std::to_array<RoleColour>({
    {ColourRole::Background, "background", "#ffffff", {255, 255, 255}},
    {ColourRole::Ink, "ink", "#1a1a1a", {26, 26, 26}},
    {ColourRole::Faint, "faint", "#8c8c8c", {140, 140, 140}},
    {ColourRole::Band, "band", "#f0f0f0", {240, 240, 240}},
    {ColourRole::Hard, "hard", "#d55e00", {213, 94, 0}},
    {ColourRole::Soft, "soft", "#0072b2", {0, 114, 178}},
    {ColourRole::Minor, "minor", "#e69f00", {230, 159, 0}},
    {ColourRole::Natal, "natal", "#1a1a1a", {26, 26, 26}},
    {ColourRole::Progressed, "progressed", "#009e73", {0, 158, 115}},
    {ColourRole::SolarArc, "solar-arc", "#cc79a7", {204, 121, 167}},
    {ColourRole::Transit, "transit", "#0072b2", {0, 114, 178}},
    {ColourRole::Return, "return", "#a04000", {160, 64, 0}},
    {ColourRole::Marker, "marker", "#cc0000", {204, 0, 0}},
});
static_assert(Roles.size() == 13);

const RoleColour& Find(ColourRole role) {
    for (const RoleColour& r : Roles) {
        if (r.role == role) return r;
    }
    return Roles.front();
}

}  // namespace

Rgb ColourOf(ColourRole role) { return Find(role).rgb; }
std::string_view HexColour(ColourRole role) { return Find(role).hex; }
std::string_view RoleName(ColourRole role) { return Find(role).name; }

LineStyle LineStyleOf(ColourRole role) {
    switch (role) {
        case ColourRole::Soft: return LineStyle::Dashed;
        case ColourRole::Minor: return LineStyle::Dotted;
        default: return LineStyle::Solid;
    }
}

ColourRole AspectRole(int AspectCode) {
    switch (AspectCode) {
        case 2:   // conjunct
        case 5:   // square
        case 8:   // opposite
            return ColourRole::Hard;
        case 4:   // sextile
        case 6:   // trine
            return ColourRole::Soft;
        default:  // semisquare, sesquisquare, semi-sextile, quincunx
            return ColourRole::Minor;
    }
}

}  // namespace orrerion
