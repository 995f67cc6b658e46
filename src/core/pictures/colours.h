#pragma once
// The colour roles of every picture (the wheel, the timeline) and the one table that maps them to
// colours, used by every painter: the window, printing, PNG and PDF export and the SVG writer.
// Hard, soft and minor aspects differ in hue and in lightness (they stay apart in greyscale print)
// and also in line style, and none relies on telling red from green.
#include <cstdint>
#include <string_view>

namespace orrerion {

enum class ColourRole {
    Background,
    Ink,        // text and the main lines
    Faint,      // ticks, light rules
    Band,       // alternate lanes, sign ring fill
    Hard,       // conjunction, square, opposition
    Soft,       // sextile, trine
    Minor,      // semisextile, semisquare, sesquisquare, quincunx
    Natal,
    Progressed,
    SolarArc,
    Transit,
    Return,     // the return chart of a return wheel
    Marker,     // the diurnal date, exact marks
};

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

Rgb ColourOf(ColourRole role);
// "#rrggbb".
std::string_view HexColour(ColourRole role);
// The role's name as SVG classes and JSON name it ("hard", "transit").
std::string_view RoleName(ColourRole role);

// Dash pattern of a line of the role, in line widths (0 for solid): hard solid, soft dashed,
// minor dotted.
enum class LineStyle { Solid, Dashed, Dotted };
LineStyle LineStyleOf(ColourRole role);

// The role of an aspect by its code (2 conjunct .. 10 quincunx).
ColourRole AspectRole(int AspectCode);

}  // namespace orrerion
