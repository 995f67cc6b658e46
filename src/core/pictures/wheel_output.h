#pragma once
// The wheel as SVG (the same picture the window paints) and its layout as JSON: every glyph's
// longitude, drawn angle, radius and box, every cusp, every angle and every aspect line.
#include <string>

#include "core/pictures/wheel_layout.h"

namespace orrerion {

std::string WheelSvg(const WheelLayout& layout, const std::string& title);
std::string WheelJson(const WheelLayout& layout);

}  // namespace orrerion
