#include "gui/pictures/wheel_presenter.h"

#include <algorithm>

#include "core/aspects/report_files.h"

namespace orrerion::gui {

bool HasWheelRing(const WheelChoice& choice, WheelRing ring) {
    return std::find(choice.outerRings.begin(), choice.outerRings.end(), ring) != choice.outerRings.end();
}

std::string RingBoxName(std::string_view prefix, WheelRing ring) {
    std::string name(prefix);
    bool capital = true;
    for (const char c : RingOf(ring).label) {
        if (c == ' ') {
            capital = true;
        } else {
            name += capital && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
            capital = false;
        }
    }
    return name;
}

bool ToggleWheelRing(WheelChoice& choice, WheelRing ring, bool on) {
    if (on == HasWheelRing(choice, ring)) return true;
    if (on && choice.outerRings.size() >= 2) return false;
    std::vector<WheelRing> rings;
    for (const WheelRingInfo& info : WheelRings) {
        if (info.place != RingPlace::Outer) continue;
        const bool chosen = info.ring == ring ? on : HasWheelRing(choice, info.ring);
        if (chosen) rings.push_back(info.ring);
    }
    choice.outerRings = std::move(rings);
    return true;
}

std::optional<WheelLayout> CurrentWheel(const Calculation& calc, bool chartComputed, const WheelChoice& choice) {
    if (!chartComputed) return std::nullopt;
    return LayOutWheel(calc.chart, calc.options, choice, WheelTitleLines(calc.chart, choice));
}

WheelLayout ReturnWheel(const Calculation& calc, const ReturnChart& ret, const WheelChoice& choice) {
    return LayOutReturnWheel(calc.chart, ret, calc.options, choice.orientation, choice.outerAspects,
                             ReturnWheelTitleLines(calc.chart, ret));
}

std::string ProposedPictureFileName(const std::string& chartName, const std::string& picture,
                                    const std::string& extension) {
    std::string stem = ReportStem(chartName);
    if (stem.empty()) stem = "chart";
    return stem + "_" + picture + "." + extension;
}

}  // namespace orrerion::gui
