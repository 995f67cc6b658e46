#pragma once
// The rings of the chart wheel: which chart each draws, and every word the program spells a ring
// with. The settings file, the wheel's layout, its SVG and JSON, the chart JSON, the windows and
// the command line all take their words from the one table here.
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace orrerion {

// In the order the table lists them: the order the settings file and the windows name them.
enum class WheelRing : std::uint8_t { Natal, Progressed, SolarArc, Transits, Return };
inline constexpr std::size_t WheelRingCount = 5;
constexpr std::size_t RingIndex(WheelRing ring) { return static_cast<std::size_t>(ring); }

// Where a ring stands on a wheel.
enum class RingPlace : std::uint8_t {
    Inner,       // the natal chart: the inner ring of a calculation's wheel, always drawn
    Outer,       // chosen around the natal ring, at most two of them
    ReturnOnly,  // the return chart: the inner ring of a return wheel only; never chosen
};

// One ring and its spellings. The outputs spell a ring differently and each keeps its own word.
struct WheelRingInfo {
    WheelRing ring;
    // "solar-arc": --rings, the wheel's SVG data-ring and data-from/data-to, the wheel's JSON
    std::string_view word;
    // "solar_arc": the settings file's wheel_rings, the chart JSON's points
    std::string_view key;
    std::string_view label;  // "Solar arc": the wheel's legend, the windows' tick boxes
    std::string_view chart;  // "the solar arc chart": what a tick box's tip says it shows
    RingPlace place;
    // Other words --rings reads for the ring ("arc"); empty when none.
    std::array<std::string_view, 2> alsoRead;
};

inline constexpr auto WheelRings = std::to_array<WheelRingInfo>({
    {WheelRing::Natal, "natal", "natal", "Natal", "the natal chart", RingPlace::Inner, {}},
    {WheelRing::Progressed, "progressed", "progressed", "Progressed", "the progressed chart", RingPlace::Outer, {}},
    {WheelRing::SolarArc, "solar-arc", "solar_arc", "Solar arc", "the solar arc chart", RingPlace::Outer,
     {"solararc", "arc"}},
    {WheelRing::Transits, "transits", "transits", "Transits", "the transits", RingPlace::Outer, {"transit"}},
    {WheelRing::Return, "return", "return", "Return", "the return chart", RingPlace::ReturnOnly, {}},
});
static_assert(WheelRings.size() == WheelRingCount);
static_assert([] {
    for (std::size_t i = 0; i < WheelRings.size(); ++i) {
        if (RingIndex(WheelRings[i].ring) != i) return false;
    }
    return true;
}(), "WheelRings lists the rings in the order of WheelRing");

constexpr const WheelRingInfo& RingOf(WheelRing ring) { return WheelRings[RingIndex(ring)]; }
// A ring a person may choose: in the settings, on the command line, in the windows.
constexpr bool Choosable(const WheelRingInfo& info) { return info.place != RingPlace::ReturnOnly; }

// A choice of rings, by RingIndex (the return ring is never in one).
using WheelRingSet = std::array<bool, WheelRingCount>;
constexpr WheelRingSet RingSetOf(std::initializer_list<WheelRing> rings) {
    WheelRingSet set{};
    for (const WheelRing ring : rings) set[RingIndex(ring)] = true;
    return set;
}
// The settings' rings when the file names none: the natal chart and the transits around it.
inline constexpr WheelRingSet DefaultWheelRings = RingSetOf({WheelRing::Natal, WheelRing::Transits});

// The chosen rings' words (`word` or `key`) in the table's order, joined by `separator` with
// `last` before the last: "natal, progressed, solar_arc, transits".
constexpr std::string RingWords(std::string_view WheelRingInfo::*spelling, std::string_view separator,
                                std::string_view last, bool outerOnly = false) {
    std::string words;
    std::size_t count = 0, listed = 0;
    for (const WheelRingInfo& info : WheelRings) {
        count += Choosable(info) && (!outerOnly || info.place == RingPlace::Outer);
    }
    for (const WheelRingInfo& info : WheelRings) {
        if (!Choosable(info) || (outerOnly && info.place != RingPlace::Outer)) continue;
        if (listed > 0) words += listed + 1 == count ? last : separator;
        words += info.*spelling;
        ++listed;
    }
    return words;
}

// The chosen ring of a --rings word (`word` or one of `alsoRead`); nothing for any other text.
std::optional<WheelRing> RingFromWord(std::string_view word);
// The chosen ring of a settings word (`key`); nothing for any other text.
std::optional<WheelRing> RingFromKey(std::string_view key);

}  // namespace orrerion
