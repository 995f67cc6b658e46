#pragma once
// The wheel window's rules that need no pixels: which rings the boxes choose (at most two besides
// the natal ring, in a fixed order from the inside out), the layout of the current charts, and
// the name proposed for an export.
#include <optional>
#include <string>
#include <string_view>

#include "core/pictures/wheel_layout.h"
#include "core/run/calculation.h"

namespace orrerion::gui {

// Ticks an outer ring on or off; the chosen rings stand in the table's order, from the inside out.
// A third ring is refused (false): the wheel has room for two.
bool ToggleWheelRing(WheelChoice& choice, WheelRing ring, bool on);
bool HasWheelRing(const WheelChoice& choice, WheelRing ring);

// The name of a ring's tick box: `prefix` and the ring's label in one word ("chkSolarArc" in the
// wheel window, "chkRingSolarArc" in the preferences).
std::string RingBoxName(std::string_view prefix, WheelRing ring);

// The layout of the calculation's charts, or nothing before the first chart.
std::optional<WheelLayout> CurrentWheel(const Calculation& calc, bool chartComputed, const WheelChoice& choice);
// A return chart of the calculation inside its natal chart, as `orrerion-cli wheel --return N`
// draws it, in the choice's orientation and with its aspects to natal when chosen.
WheelLayout ReturnWheel(const Calculation& calc, const ReturnChart& ret, const WheelChoice& choice);

// "John_wheel.png": the chart's report stem, the picture's name and the extension.
std::string ProposedPictureFileName(const std::string& chartName, const std::string& picture,
                                    const std::string& extension);
inline std::string ProposedWheelFileName(const std::string& chartName, const std::string& extension) {
    return ProposedPictureFileName(chartName, "wheel", extension);
}

inline constexpr const char* NoWheelYetText =
    "No chart yet. Enter a birth and a second moment, then press OK: the wheel shows the charts.";

}  // namespace orrerion::gui
