// The wheel's rings read back from the words people type: --rings takes the hyphenated word and a
// few short forms, the settings file its underscored key; the return ring is never chosen.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/base/wheel_rings.h"

namespace orrerion {
namespace {

TEST(WheelRings, WordsAndKeysReadBackToTheirRing) {
    struct Case {
        const char* text;
        std::optional<WheelRing> asWord;  // RingFromWord (--rings)
        std::optional<WheelRing> asKey;   // RingFromKey (SETTINGS.TXT)
    };
    const Case cases[] = {
        {"natal", WheelRing::Natal, WheelRing::Natal},
        {"progressed", WheelRing::Progressed, WheelRing::Progressed},
        {"solar-arc", WheelRing::SolarArc, std::nullopt},
        {"solar_arc", std::nullopt, WheelRing::SolarArc},
        {"solararc", WheelRing::SolarArc, std::nullopt},
        {"arc", WheelRing::SolarArc, std::nullopt},
        {"transits", WheelRing::Transits, WheelRing::Transits},
        {"transit", WheelRing::Transits, std::nullopt},
        {"return", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"Natal", std::nullopt, std::nullopt},  // callers lower the case where they allow any
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RingFromWord(c.text), c.asWord) << c.text;
        EXPECT_EQ(RingFromKey(c.text), c.asKey) << c.text;
    }
}

TEST(WheelRings, ListsNameTheChosenRingsInTheTablesOrder) {
    EXPECT_EQ(RingWords(&WheelRingInfo::key, ", ", ", "), "natal, progressed, solar_arc, transits");
    EXPECT_EQ(RingWords(&WheelRingInfo::word, ", ", " and ", true), "progressed, solar-arc and transits");
    EXPECT_EQ(DefaultWheelRings, RingSetOf({WheelRing::Transits, WheelRing::Natal}));
}

}  // namespace
}  // namespace orrerion
