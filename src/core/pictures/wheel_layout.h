#pragma once
// The chart wheel laid out as plain data, in the picture's own units (a square, y downwards):
// the zodiac ring with its signs and degree ticks, the house cusps with their numbers and the
// four angles, the natal points on the inner ring and up to two outer rings (progressed, solar
// arc, transits), and the aspect lines inside. Painters only draw it: the window with QPainter,
// the command line as SVG. Every glyph and label has a box; no two boxes overlap.
#include <optional>
#include <string>
#include <vector>

#include "core/aspects/returns.h"
#include "core/base/options.h"
#include "core/base/wheel_rings.h"
#include "core/chart/chart_state.h"
#include "core/pictures/colours.h"
#include "core/pictures/wheel_labels.h"
#include "core/records/settings_file.h"

namespace orrerion {

// The rings (WheelRing) and their words: base/wheel_rings.h. Return is the inner ring of a return
// wheel (LayOutReturnWheel); a calculation's wheel never has it.
// WheelOrientation (the ascendant or 0° Aries at the left) is a setting: records/settings_file.h.

struct WheelChoice {
    // The rings outside the natal one, inner first (at most two): default transits.
    std::vector<WheelRing> outerRings{WheelRing::Transits};
    WheelOrientation orientation = WheelOrientation::AscendantLeft;
    // Aspect lines from the first outer ring's points to the natal points, besides the natal ones.
    bool outerAspects = false;
};

// One chart point of a ring (the natal ring's ascendant and midheaven are the axes instead).
struct WheelGlyph {
    WheelRing ring = WheelRing::Natal;
    int body = SUN;               // BodyIndex
    double longitude = 0.0;       // the chart's longitude, degrees
    double trueAngle = 0.0;       // the longitude's drawn angle (degrees, counter-clockwise from
                                  // the right, as on a clock face turned: 180 is the left)
    double angle = 0.0;           // the drawn angle of the glyph's centre, at most MaxGlyphShift
                                  // from trueAngle
    double radius = 0.0;          // of the glyph's centre: crowded points stand in further rows
    std::string glyph;            // the point's symbol
    std::string label;            // "15♈23", with "℞" when retrograde
    std::vector<std::string> labelLines;  // as drawn: the label on one line, or its degree, sign
                                          // and minute stacked in three (for a crowd)
    bool retrograde = false;
    WheelBox glyphBox, labelBox;
    double glyphSize = 0.0, labelSize = 0.0;  // text heights
    WheelPoint leaderFrom, leaderTo;          // from the exact place on the ring's outer circle to the glyph
    ColourRole role = ColourRole::Natal;
};

struct WheelCusp {
    int house = 1;
    double longitude = 0.0;
    double angle = 0.0;
    WheelPoint inner, outer;  // the cusp line
    std::string number;       // "1" .. "12"
    WheelBox numberBox;       // the house number, in the middle of its house
    double numberSize = 0.0;
};

// ASC, MC, DSC or IC: a heavier line and a label outside the zodiac ring.
struct WheelAngle {
    std::string name;  // "ASC", "MC", "DSC", "IC"
    double longitude = 0.0;
    double angle = 0.0;
    WheelPoint inner, outer;
    std::string label;  // "ASC 15°♈23′"
    WheelBox labelBox;
    double labelSize = 0.0;
};

struct WheelSign {
    int sign = 1;  // 1 Aries .. 12 Pisces
    std::string glyph;
    WheelBox box;
    double size = 0.0;
    WheelPoint boundaryInner, boundaryOuter;  // the line where the sign begins
};

struct WheelTick {
    WheelPoint a, b;
    int every = 1;  // 1, 5 or 10 degrees
};

struct WheelAspect {
    WheelRing fromRing = WheelRing::Natal;
    int from = SUN;
    WheelRing toRing = WheelRing::Natal;
    int to = SUN;
    int AspectCode = 2;
    double orb = 0.0;  // distance from exact, degrees
    WheelPoint a, b;
    ColourRole role = ColourRole::Hard;
};

// Circles are drawn in order, each filled with `fill` when it has one: a filled circle under a
// smaller one makes a band.
struct WheelCircle {
    double radius = 0.0;
    double width = 1.0;
    ColourRole role = ColourRole::Ink;
    std::optional<ColourRole> fill;
};

struct WheelText {
    std::string text;
    WheelBox box;
    double size = 0.0;
    ColourRole role = ColourRole::Ink;
};

// The key to the picture: a swatch (a short line in the ring's colour or the aspect's style)
// and its text.
struct WheelLegendItem {
    ColourRole role = ColourRole::Ink;
    WheelPoint lineFrom, lineTo;
    bool aspect = false;  // drawn as an aspect line (its style); otherwise as a ring's thick line
    WheelText text;
};

struct WheelLayout {
    double size = 0.0;    // the picture is size × size units
    WheelPoint centre;
    WheelOrientation orientation = WheelOrientation::AscendantLeft;
    std::vector<WheelRing> rings;  // natal first, then the outer rings
    std::string houseSystem;       // "Placidus", ...
    std::vector<WheelCircle> circles;
    std::vector<WheelTick> ticks;
    std::vector<WheelSign> signs;
    std::vector<WheelCusp> cusps;
    std::vector<WheelAngle> angles;
    std::vector<WheelGlyph> glyphs;
    std::vector<WheelAspect> aspects;
    std::vector<WheelText> titles;  // the chart's name and dates, in the top-left corner
    std::vector<WheelLegendItem> legend;  // the rings (bottom left) and the aspect lines (bottom right)
    double aspectRadius = 0.0;
};

// How each kind of line of the wheel is drawn, for every painter: its colour role, width (picture
// units) and style.
enum class WheelLineKind { SignBoundary, Tick1, Tick5, Tick10, Cusp, Aspect, Angle, Leader, Ring, RingKey };
struct WheelStroke {
    ColourRole colour = ColourRole::Ink;
    double width = 1.0;
    LineStyle style = LineStyle::Solid;
};
// `role` is the line's own role where it has one (an aspect's, a leader's ring, a circle's).
WheelStroke StrokeOf(WheelLineKind kind, ColourRole role = ColourRole::Ink);
WheelLineKind TickKind(int every);

// The drawn angle of a longitude: the ascendant (or 0° Aries) at 180, longitudes counter-clockwise.
double WheelAngleOf(double longitude, double ascendant, WheelOrientation orientation);

// The layout of the calculation's charts. `titleLines` go in the top-left corner (name, dates).
WheelLayout LayOutWheel(const ChartState& chart, const Options& options, const WheelChoice& choice,
                        const std::vector<std::string>& titleLines);

// A return wheel: the return chart inside, its cusps and angles framing the wheel and its points
// aspecting each other, and the natal chart around it, so that the natal points are read in the
// return's houses, the way a return chart is read. With `outerAspects`, also the aspects of the
// natal points to the return's.
WheelLayout LayOutReturnWheel(const ChartState& chart, const ReturnChart& ret, const Options& options,
                              WheelOrientation orientation, bool outerAspects,
                              const std::vector<std::string>& titleLines);
// The corner lines of a return wheel: the name, the return's body and moment (UT), the birth and
// the houses.
std::vector<std::string> ReturnWheelTitleLines(const ChartState& chart, const ReturnChart& ret);

// The rings and orientation the settings keep (natal always inside; the first two of progressed,
// solar arc and transits outside it), and back.
WheelChoice WheelChoiceFromSettings(const Settings& settings, bool outerAspects = false);
void StoreWheelChoice(const WheelChoice& choice, Settings& settings);

// The lines the wheel's corner shows: the name, the birth, each outer ring's date and the houses.
std::vector<std::string> WheelTitleLines(const ChartState& chart, const WheelChoice& choice);

// All boxes of the layout that must not overlap: glyphs, labels, house numbers, angle labels,
// signs, titles and the legend's texts.
std::vector<WheelBox> WheelBoxes(const WheelLayout& layout);

}  // namespace orrerion
