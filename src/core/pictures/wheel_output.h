#pragma once
// The wheel as SVG (the same picture the window paints) and its layout as JSON: every glyph's
// longitude, drawn angle, radius and box, every cusp, every angle and every aspect line.
#include <string>

#include "core/io/text_sink.h"
#include "core/pictures/wheel_layout.h"

namespace orrerion {

// Written into `out` element by element.
void WriteWheelSvg(TextSink& out, const WheelLayout& layout, const std::string& title);
void WriteWheelJson(TextSink& out, const WheelLayout& layout);
// The same as strings.
std::string WheelSvg(const WheelLayout& layout, const std::string& title);
std::string WheelJson(const WheelLayout& layout);

}  // namespace orrerion
