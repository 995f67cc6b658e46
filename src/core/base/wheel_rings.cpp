#include "core/base/wheel_rings.h"

namespace orrerion {

std::optional<WheelRing> RingFromWord(std::string_view word) {
    for (const WheelRingInfo& info : WheelRings) {
        if (!Choosable(info)) continue;
        if (info.word == word) return info.ring;
        for (const std::string_view other : info.alsoRead) {
            if (!other.empty() && other == word) return info.ring;
        }
    }
    return std::nullopt;
}

std::optional<WheelRing> RingFromKey(std::string_view key) {
    for (const WheelRingInfo& info : WheelRings) {
        if (Choosable(info) && info.key == key) return info.ring;
    }
    return std::nullopt;
}

}  // namespace orrerion
