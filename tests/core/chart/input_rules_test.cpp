// The hour rule and the zone sign rule of the input windows.
#include <gtest/gtest.h>

#include "core/chart/input_rules.h"

namespace orrerion {
namespace {

TEST(HourRule, ZeroIsTwelveAndAfternoonHoursArePM) {
    struct Case { const char* typed; bool amBefore; const char* shown; bool amAfter; };
    const Case cases[] = {
        {"0", true, "12", true},   {"0", false, "12", false},  // the meridiem is unchanged
        {"13", true, "1", false},  {"23", true, "11", false},
        {"12", true, "12", true},  {"7", false, "7", false},
        // No hour of either clock: left as typed for the calculation's check to refuse by name
        // (they were once taken modulo 12 without a word: 129 as 9 P.M., 24 as 12 P.M.).
        {"24", true, "24", true},  {"129", true, "129", true}, {"99", false, "99", false},
    };
    for (const Case& c : cases) {
        std::string hour = c.typed;
        bool am = c.amBefore;
        const HourRuleResult r = ApplyHourRule(hour, am, NatalHourEmptyMessage);
        EXPECT_FALSE(r.message.has_value()) << c.typed;
        EXPECT_EQ(hour, c.shown) << c.typed;
        EXPECT_EQ(am, c.amAfter) << c.typed;
    }
}

TEST(HourRule, EmptyAndNonNumericText) {
    std::string hour;
    bool am = true;
    HourRuleResult r = ApplyHourRule(hour, am, DiurnalHourEmptyMessage);
    ASSERT_TRUE(r.message.has_value());
    EXPECT_EQ(r.message->text, "Please fill in a value for diurnal hour.");
    EXPECT_EQ(r.message->title, "Warning!");
    EXPECT_FALSE(r.selectText);

    hour = "1a";
    r = ApplyHourRule(hour, am, NatalHourEmptyMessage);
    ASSERT_TRUE(r.message.has_value());
    EXPECT_EQ(r.message->text, "You are typing too fast. Please slow down.");
    EXPECT_TRUE(r.selectText);
    EXPECT_EQ(hour, "1a");
    EXPECT_TRUE(am);
}

TEST(ZoneSignRule, EastNegativeWestPositive) {
    std::string zone = "5";
    ApplyZoneSignRule(zone, true);
    EXPECT_EQ(zone, "-5");
    ApplyZoneSignRule(zone, true);
    EXPECT_EQ(zone, "-5");
    ApplyZoneSignRule(zone, false);
    EXPECT_EQ(zone, "5");
    zone = "-5.5";
    ApplyZoneSignRule(zone, false);
    EXPECT_EQ(zone, "5.5");
    zone = "0";
    ApplyZoneSignRule(zone, true);
    EXPECT_EQ(zone, "0");
    // West keeps a zone below -12: only places west of Greenwich across the date line have one.
    for (const char* dateLine : {"-13", "-14", "-12.75"}) {
        zone = dateLine;
        ApplyZoneSignRule(zone, false);
        EXPECT_EQ(zone, dateLine);
    }
    zone = "-12";
    ApplyZoneSignRule(zone, false);
    EXPECT_EQ(zone, "12");
    for (const char* text : {"", "-", "abc"}) {
        zone = text;
        ApplyZoneSignRule(zone, true);
        EXPECT_EQ(zone, text);
    }
}

TEST(NumberText, PlainDecimals) {
    EXPECT_EQ(NumberText(5), "5");
    EXPECT_EQ(NumberText(-9), "-9");
    EXPECT_EQ(NumberText(5.5), "5.5");
    EXPECT_EQ(NumberText(0.1), "0.1");
    EXPECT_EQ(NumberText(-0.0), "0");
    EXPECT_EQ(NumberText(1950), "1950");
}

}  // namespace
}  // namespace orrerion
