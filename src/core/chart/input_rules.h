#pragma once
// The rules the natal and diurnal input windows apply when their fields are set: the hour rule of
// the hour box and the zone sign rule of the East/West buttons. Plain functions on the field
// texts, so that loading a stored record and typing run the same code.
#include <optional>
#include <string>
#include <string_view>

#include "core/base/input_fields.h"
#include "core/base/messages.h"

namespace orrerion {

inline constexpr const char* NatalHourEmptyMessage = "Please fill in a value for birth hour.";
inline constexpr const char* DiurnalHourEmptyMessage = "Please fill in a value for diurnal hour.";
// The hour message of the natal or the diurnal window.
inline const char* HourEmptyMessage(InputSection section) {
    return section == InputSection::Natal ? NatalHourEmptyMessage : DiurnalHourEmptyMessage;
}
inline constexpr const char* TypingTooFastMessage = "You are typing too fast. Please slow down.";

struct HourRuleResult {
    std::optional<Message> message;  // shown as a "Warning!" box
    bool selectText = false;         // the window selects the whole hour text
};

// Hour rule: 0 becomes 12 (meridiem unchanged); above 12 selects P.M. and subtracts 12, again
// until the value is 12 or less. An empty text or one that is not a number is reported.
HourRuleResult ApplyHourRule(std::string& hourText, bool& optAM, std::string_view emptyMessage);

// Zone sign rule: East makes the zone negative, West positive. A text that is not a number is
// left as it is.
void ApplyZoneSignRule(std::string& zoneText, bool east);

// A number as the field texts show it: no exponent, no trailing zeros, "." as decimal point.
std::string NumberText(double value);

}  // namespace orrerion
