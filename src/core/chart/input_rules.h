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

// Hour rule: 0 becomes 12 (meridiem unchanged); 13 to 23, a 24-hour clock's afternoon, select P.M.
// and become 1 to 11. Any other hour is left as typed, for the calculation's check to refuse by
// name: 24 and above are no hour of either clock. An empty text or one that is not a number is
// reported.
HourRuleResult ApplyHourRule(std::string& hourText, bool& optAM, std::string_view emptyMessage);

// Zones more than 12 hours ahead of Greenwich (Chatham Islands in summer -13.75, Samoa, Tonga,
// Tokelau and the Phoenix Islands -13, the Line Islands -14) are kept only by places west of
// Greenwich, across the date line; no clock is more than 12 hours behind Greenwich.
inline constexpr double DateLineZone = -12;           // hours west: zones below this are across the date line
inline constexpr double FarthestZoneAhead = -14;      // hours west: the Line Islands
inline constexpr double FarthestZoneBehind = 12;      // hours west: Baker and Howland Islands
// The date-line places west of Greenwich lie from 150 degrees west (the Line Islands) to 180.
inline constexpr double DateLineWestLongitude = 150;  // degrees west

// Zone sign rule: East makes the zone negative, West positive, except that West keeps a zone below
// DateLineZone (only a place across the date line has one). A text that is not a number is left
// as it is.
void ApplyZoneSignRule(std::string& zoneText, bool east);

// A number as the field texts show it: no exponent, no trailing zeros, "." as decimal point.
std::string NumberText(double value);

}  // namespace orrerion
