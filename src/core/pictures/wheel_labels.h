#pragma once
// The placing of one ring of the wheel's points: each point's glyph with its label ("15♈23")
// beside or below it, as close to the point's longitude as the ring allows. A crowded point is
// moved a little along the circle and, when that is not enough, stacked inwards in a further row,
// never more than MaxGlyphShift degrees of arc from its longitude; a line from the point's exact
// place on the ring's outer circle leads to its glyph. No box overlaps another box of the ring or
// meets a line that must stay clear (the ASC–DSC and MC–IC axes), and no glyph crosses an axis
// from its point's side; a glyph keeps to its point's house and sign unless there is no room.
#include <vector>

namespace orrerion {

// Picture units, y downwards.
struct WheelPoint {
    double x = 0.0, y = 0.0;
};

// An axis-aligned box: left, top, width, height.
struct WheelBox {
    double x = 0.0, y = 0.0, w = 0.0, h = 0.0;
    WheelPoint Centre() const { return {x + w / 2, y + h / 2}; }
};

struct WheelSegment {
    WheelPoint a, b;
};

// The most a glyph's centre stands from its point's longitude, degrees of arc.
inline constexpr double MaxGlyphShift = 7.5;

// One point to place: the drawn angle of its longitude (degrees, counter-clockwise from the right)
// and the sizes of its glyph box and of its label's box, on one line ("15♈23") and stacked in
// three lines (degree, sign, minute): a stacked label is narrow, for a crowd at the top or bottom.
struct RingLabelRequest {
    double trueAngle = 0.0;
    double glyphW = 0.0, glyphH = 0.0;
    double labelW = 0.0, labelH = 0.0;
    double stackedW = 0.0, stackedH = 0.0;
};

struct RingLabelPlace {
    double angle = 0.0;   // the drawn angle of the glyph's centre
    double radius = 0.0;  // of the glyph's centre
    bool stacked = false; // the label in three lines
    bool overlaps = false;  // no free place in the ring: drawn at its place over others
    WheelBox glyphBox, labelBox;
    WheelPoint leaderFrom, leaderTo;  // from the exact place on the ring's outer circle to the glyph
};

struct RingSpace {
    WheelPoint centre;
    double outer = 0.0;  // the ring's outer circle: every box stays inside it, below the leaders' start
    double floor = 0.0;  // no box comes nearer the centre than this
    // Lines from the centre outwards that no box meets and no glyph crosses from its point's
    // side (the axes).
    std::vector<WheelSegment> clearLines;
    // The drawn angles of the cusps and sign boundaries: a glyph crosses one only when it must.
    std::vector<double> boundaries;
};

// The places of `points` (in their order) in the ring.
std::vector<RingLabelPlace> PlaceRingLabels(const std::vector<RingLabelRequest>& points, const RingSpace& space);

// The least and greatest distance of a box's points from `centre`.
double NearestDistance(const WheelBox& box, WheelPoint centre);
double FarthestDistance(const WheelBox& box, WheelPoint centre);

bool BoxesOverlap(const WheelBox& a, const WheelBox& b, double margin = 0.0);
// Whether the segment passes through the box grown by `margin` on every side.
bool SegmentMeetsBox(const WheelSegment& s, const WheelBox& box, double margin = 0.0);

}  // namespace orrerion
