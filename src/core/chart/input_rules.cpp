#include "core/chart/input_rules.h"

#include <cmath>
#include <cstdio>

#include "core/io/number_text.h"

namespace orrerion {

std::string NumberText(double value) {
    if (value == 0) return "0";  // never "-0"
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

HourRuleResult ApplyHourRule(std::string& hourText, bool& optAM, std::string_view emptyMessage) {
    HourRuleResult result;
    if (hourText.find_first_not_of(" \t") == std::string::npos) {
        result.message = Message{"Warning!", MessageIcon::Information, std::string(emptyMessage)};
        return result;
    }
    const std::optional<double> number = ParseNumber(hourText);
    if (!number) {
        result.message = Message{"Warning!", MessageIcon::Information, TypingTooFastMessage};
        result.selectText = true;
        return result;
    }
    double hour = *number;
    if (hour == 0) {
        hourText = "12";  // midnight and noon are 12; the meridiem stays as it is
        return result;
    }
    if (hour > 12 && hour < 24) {
        optAM = false;
        hourText = NumberText(hour - 12);
    }
    return result;
}

void ApplyZoneSignRule(std::string& zoneText, bool east) {
    const std::optional<double> zone = ParseNumber(zoneText);
    if (!zone) return;
    if (!east && *zone < DateLineZone) return;
    zoneText = NumberText(east ? -std::fabs(*zone) : std::fabs(*zone));
}

}  // namespace orrerion
